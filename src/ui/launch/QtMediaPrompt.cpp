#include "launch/QtMediaPrompt.h"

#include "launch/CMediaDlg.h"

#include <QApplication>

bool QtMediaPrompt::Ask(const std::string& caption, const std::string& message)
{
    CMediaDlg dlg(QApplication::activeWindow());
    dlg.m_szCaption = caption;
    dlg.m_szMessage = message;
    return dlg.DoModal() == CMediaDlg::kOk;
}
