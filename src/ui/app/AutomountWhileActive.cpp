#include "app/AutomountWhileActive.h"

#include "platform/IAutomountInhibitor.h"

#include <QGuiApplication>

AutomountWhileActive::AutomountWhileActive(QObject* parent) : QObject(parent)
{
    connect(qGuiApp, &QGuiApplication::applicationStateChanged, this, &AutomountWhileActive::OnStateChanged);
    OnStateChanged(QGuiApplication::applicationState());
}

AutomountWhileActive::~AutomountWhileActive()
{
    AutomountInhibitor::Get().Release();
}

void AutomountWhileActive::OnStateChanged(Qt::ApplicationState state)
{
    if (state == Qt::ApplicationActive)
        AutomountInhibitor::Get().Hold();
    else
        AutomountInhibitor::Get().Release();
}
