#include "dialogs/COrderDlg.h"

#include "app/WindowHints.h"
#include "dialogs/DialogLayout.h"
#include "dialogs/IOrderedList.h"

#include <QPushButton>

#include <algorithm>

namespace {
struct ButtonSpec {
    COrderDlg::Button button;
    const char* text;
    int y;
};
constexpr ButtonSpec kButtons[] = {
    {COrderDlg::Top, "▲", 6},   {COrderDlg::PageTop, "∧", 30},     {COrderDlg::Up, "↑", 54},
    {COrderDlg::Down, "↓", 78}, {COrderDlg::PageBottom, "∨", 102}, {COrderDlg::Bottom, "▼", 126},
};
}  // namespace

COrderDlg::COrderDlg(CZarn2Doc* doc, IOrderedList* list, QRgb background, QWidget* parent)
    : QDialog(parent), m_pDoc(doc), m_pList(list), m_background(background)
{
    setWindowTitle(QString());
    setFont(DialogLayout::ShellFont(8.0));
    WindowHints::FixDialog(this, DialogLayout::DluSize(this, 46, 156));
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(background));
    pal.setColor(QPalette::WindowText, QColor(qRgb(0, 10, 200)));
    pal.setColor(QPalette::ButtonText, QColor(qRgb(0, 0, 0)));
    setPalette(pal);
    setAutoFillBackground(true);

    for (const ButtonSpec& entry : kButtons) {
        auto* button = new QPushButton(QString::fromUtf8(entry.text), this);
        DialogLayout::Place(button, 12, entry.y, 24, 18);
        button->setAutoDefault(false);
        Button which = entry.button;
        connect(button, &QPushButton::clicked, this, [this, which] { Press(which); });
        m_pButtons[which] = button;
    }
}

void COrderDlg::Press(Button button)
{
    if (m_pDoc == nullptr || m_pList == nullptr)
        return;
    int n = 0;
    int k = Current(n);
    if (k < 0 || n <= 0)
        return;
    int target = k;
    switch (button) {
    case Up:
        target = k - 1;
        if (target < 0)
            return;
        Exchange(target, k);
        break;
    case Down:
        target = std::min(k + 1, n - 1);
        if (target == k)
            return;
        Exchange(target, k);
        break;
    case Top:
        for (int i = k; i >= 1; --i)
            Exchange(i, i - 1);
        target = 0;
        break;
    case Bottom:
        for (int i = k; i <= n - 2; ++i)
            Exchange(i + 1, i);
        target = n - 1;
        break;
    case PageTop:
        // An entry above the page only makes the page's first row current.
        target = std::max(m_pList->TopIndex(), 0);
        for (int i = k; i >= target + 1; --i)
            Exchange(i, i - 1);
        break;
    case PageBottom:
        // One below the page's last whole row, as paging down in the lists goes; an entry
        // below the page only makes that row current.
        target = std::min(m_pList->TopIndex() + m_pList->CountPerPage(), n - 1);
        for (int i = k; i <= target - 1; ++i)
            Exchange(i + 1, i);
        break;
    }
    MakeCurrent(target);
    m_pList->Refill();
}
