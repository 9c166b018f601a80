#include "options/COptionPage.h"

void COptionPage::showEvent(QShowEvent* event)
{
    if (!m_bShown) {
        m_bShown = true;
        OnInitDialog();
    }
    QWidget::showEvent(event);
}
