#include "app/QtMessenger.h"

#include <QApplication>
#include <QFileInfo>
#include <QMessageBox>

namespace {

QString Caption() { return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName(); }

int Run(const std::string& text, QMessageBox::StandardButtons buttons)
{
    QMessageBox box(QMessageBox::Warning, Caption(), QString::fromStdString(text), buttons,
                    QApplication::activeWindow());
    return box.exec();
}

}  // namespace

void QtMessenger::ShowMessage(const std::string& text) { Run(text, QMessageBox::Ok); }

bool QtMessenger::AskYesNo(const std::string& text)
{
    return Run(text, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}
