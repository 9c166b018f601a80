#include "app/CVersionInfoDlg.h"

#include "app/Version.h"
#include "app/WindowHints.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

CVersionInfoDlg::CVersionInfoDlg(QWidget* parent) : QDialog(parent), m_pVersion(new QLabel(this))
{
    setWindowTitle(QStringLiteral("Zarn2 のバージョン情報"));
    auto* icon = new QLabel(this);
    icon->setPixmap(QApplication::windowIcon().pixmap(32, 32));
    // The resource text, then the version appended to it.
    m_pVersion->setText(QStringLiteral("Zarn2  Version ") + QString::fromLatin1(g_szVersion));
    auto* ok = new QPushButton(QStringLiteral("O K"), this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* row = new QHBoxLayout;
    row->addWidget(icon);
    row->addWidget(m_pVersion, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(ok, 0, Qt::AlignRight);
    WindowHints::FixDialogToContents(this);
}

QString CVersionInfoDlg::VersionLine() const { return m_pVersion->text(); }
