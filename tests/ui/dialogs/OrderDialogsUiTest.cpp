// The two reorder dialogs and the move-to-genre dialog on a real library.
#include "dialogs/CGroupOrderDlg.h"
#include "dialogs/CMemberMoveDlg.h"
#include "dialogs/CMemberOrderDlg.h"
#include "dialogs/IOrderedList.h"
#include "support/ProgramFolder.h"
#include "view/CReportList.h"

#include <QPushButton>
#include <QTest>

#include <functional>

namespace {

// The view's list as the dialogs see it: a page position and a count of rebuilds.
class FakeList final : public IOrderedList {
public:
    explicit FakeList(std::function<int()> current) : m_current(std::move(current)) {}
    int TopIndex() const override { return top; }
    int CountPerPage() const override { return perPage; }
    int Refill() override
    {
        ++refills;
        return m_current();
    }
    int top = 0;
    int perPage = 8;
    int refills = 0;

private:
    std::function<int()> m_current;
};

std::vector<std::string> Sequence(const std::string& prefix, int count)
{
    std::vector<std::string> names;
    for (int i = 0; i < count; ++i)
        names.push_back(prefix + std::to_string(i));
    return names;
}

}  // namespace

using Order = QList<int>;

class OrderDialogsUiTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void groupButtons_data() { ButtonRows(); }
    void groupButtons() { RunButtons(true); }
    void memberButtons_data() { ButtonRows(); }
    void memberButtons() { RunButtons(false); }
    void singleEntryNeverChanges();
    void buttonsDoNothingWithoutCurrentEntry();
    void looksAndTexts();
    void memberOrderWithoutLinksCloses();
    void moveDialogStartsOnCurrentGenre();
    void moveDialogKeys_data();
    void moveDialogKeys();
    void moveDialogKeysInTheList();
    void moveDialogWithoutLibraryIsCancelled();

private:
    static void ButtonRows();
    void RunButtons(bool groups);
};

void OrderDialogsUiTest::ButtonRows()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("current");
    QTest::addColumn<int>("top");
    QTest::addColumn<int>("perPage");
    QTest::addColumn<int>("button");
    QTest::addColumn<Order>("order");  // empty: unchanged
    QTest::addColumn<int>("newCurrent");
    QTest::newRow("up on first") << 8 << 0 << 0 << 8 << int(COrderDlg::Up) << Order{} << 0;
    QTest::newRow("down on last") << 8 << 7 << 0 << 8 << int(COrderDlg::Down) << Order{} << 7;
    QTest::newRow("up") << 4 << 2 << 0 << 8 << int(COrderDlg::Up) << Order{0, 2, 1, 3} << 1;
    QTest::newRow("down") << 4 << 1 << 0 << 8 << int(COrderDlg::Down) << Order{0, 2, 1, 3} << 2;
    QTest::newRow("top from 5") << 8 << 5 << 0 << 8 << int(COrderDlg::Top)
                                << Order{5, 0, 1, 2, 3, 4, 6, 7} << 0;
    QTest::newRow("bottom from 1") << 4 << 1 << 0 << 8 << int(COrderDlg::Bottom) << Order{0, 2, 3, 1}
                                   << 3;
    QTest::newRow("page bottom past end") << 12 << 10 << 10 << 8 << int(COrderDlg::PageBottom)
                                          << Order{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 11, 10} << 11;
    QTest::newRow("page bottom in page") << 12 << 1 << 0 << 3 << int(COrderDlg::PageBottom)
                                         << Order{0, 2, 3, 1, 4, 5, 6, 7, 8, 9, 10, 11} << 3;
    QTest::newRow("page bottom below page") << 12 << 9 << 0 << 3 << int(COrderDlg::PageBottom)
                                            << Order{} << 3;
    QTest::newRow("page top") << 8 << 5 << 2 << 4 << int(COrderDlg::PageTop)
                              << Order{0, 1, 5, 2, 3, 4, 6, 7} << 2;
    QTest::newRow("page top above page") << 8 << 1 << 3 << 4 << int(COrderDlg::PageTop) << Order{}
                                         << 3;
}

void OrderDialogsUiTest::RunButtons(bool groups)
{
    QFETCH(int, count);
    QFETCH(int, current);
    QFETCH(int, top);
    QFETCH(int, perPage);
    QFETCH(int, button);
    QFETCH(Order, order);
    QFETCH(int, newCurrent);

    ProgramFolder f;
    f.LoadDoc();
    std::string prefix = groups ? "G" : "T";
    if (groups) {
        for (int i = 0; i < count; ++i)
            f.AddGenre(prefix + std::to_string(i), 0);
        f.doc->m_nCurrGroup = current;
    } else {
        f.AddGenre("Only", 0);
        for (int i = 0; i < count; ++i)
            f.doc->AddMember(prefix + std::to_string(i), "/bin/true", "/bin/true", 1, 0);
        f.doc->SetCurrMember(current);
    }
    auto currentIndex = [&] {
        return groups ? f.doc->m_nCurrGroup : f.doc->CurrGroup()->m_nCurrMember;
    };
    FakeList list(currentIndex);
    list.top = top;
    list.perPage = perPage;
    std::unique_ptr<COrderDlg> dlg;
    if (groups)
        dlg = std::make_unique<CGroupOrderDlg>(f.doc.get(), &list);
    else
        dlg = std::make_unique<CMemberOrderDlg>(f.doc.get(), &list);

    QTest::mouseClick(dlg->ButtonAt(COrderDlg::Button(button)), Qt::LeftButton);

    std::vector<std::string> expected = Sequence(prefix, count);
    if (!order.empty()) {
        expected.clear();
        for (int i : order)
            expected.push_back(prefix + std::to_string(i));
    }
    QCOMPARE(groups ? f.GroupNames() : f.MemberNames(), expected);
    QCOMPARE(currentIndex(), newCurrent);
    // A press that moves nothing and keeps the entry ("↑" on the first, "↓" on the last)
    // does not redraw; every other press redraws once.
    bool stopped = order.empty() && newCurrent == current;
    QCOMPARE(list.refills, stopped ? 0 : 1);
    QVERIFY(f.messenger.messages.empty());
}

void OrderDialogsUiTest::singleEntryNeverChanges()
{
    for (bool groups : {true, false}) {
        ProgramFolder f;
        f.LoadDoc();
        f.AddGenre("A", groups ? 0 : 1);
        FakeList list([] { return 0; });
        list.top = 0;
        list.perPage = 8;
        std::unique_ptr<COrderDlg> dlg;
        if (groups)
            dlg = std::make_unique<CGroupOrderDlg>(f.doc.get(), &list);
        else
            dlg = std::make_unique<CMemberOrderDlg>(f.doc.get(), &list);
        for (int b = COrderDlg::Top; b <= COrderDlg::Bottom; ++b)
            dlg->Press(COrderDlg::Button(b));
        QCOMPARE(f.GroupNames(), std::vector<std::string>{"A"});
        QCOMPARE(f.doc->m_nCurrGroup, 0);
        if (!groups) {
            QCOMPARE(f.MemberNames(), std::vector<std::string>{"A-0"});
            QCOMPARE(f.doc->CurrGroup()->m_nCurrMember, 0);
        }
    }
}

void OrderDialogsUiTest::buttonsDoNothingWithoutCurrentEntry()
{
    ProgramFolder f;
    f.LoadDoc();
    FakeList list([] { return -1; });
    CGroupOrderDlg empty(f.doc.get(), &list);
    CMemberOrderDlg noTitles(f.doc.get(), &list);
    for (int b = COrderDlg::Top; b <= COrderDlg::Bottom; ++b) {
        empty.Press(COrderDlg::Button(b));
        noTitles.Press(COrderDlg::Button(b));
    }
    f.AddGenre("A", 0);  // a genre without titles
    for (int b = COrderDlg::Top; b <= COrderDlg::Bottom; ++b)
        noTitles.Press(COrderDlg::Button(b));
    QCOMPARE(list.refills, 0);
    QVERIFY(f.messenger.messages.empty());
}

void OrderDialogsUiTest::looksAndTexts()
{
    ProgramFolder f;
    f.LoadDoc();
    FakeList list([] { return -1; });
    CGroupOrderDlg groups(f.doc.get(), &list);
    CMemberOrderDlg members(f.doc.get(), &list);
    QCOMPARE(groups.Background(), QColor(250, 255, 240));
    QCOMPARE(members.Background(), QColor(235, 250, 240));
    QCOMPARE(groups.palette().color(QPalette::Window), QColor(250, 255, 240));
    const char* texts[] = {"▲", "∧", "↑", "↓", "∨", "▼"};
    int lastY = -1;
    for (int b = COrderDlg::Top; b <= COrderDlg::Bottom; ++b) {
        QPushButton* button = members.ButtonAt(COrderDlg::Button(b));
        QCOMPARE(button->text(), QString::fromUtf8(texts[b]));
        QVERIFY(button->y() > lastY);
        lastY = button->y();
    }
    QVERIFY(groups.windowTitle().isEmpty());
}

void OrderDialogsUiTest::memberOrderWithoutLinksCloses()
{
    ProgramFolder f;
    f.LoadDoc();
    FakeList list([] { return -1; });
    CMemberOrderDlg noList(f.doc.get(), nullptr);
    CMemberOrderDlg noDoc(nullptr, &list);
    QCOMPARE(noList.exec(), int(QDialog::Rejected));
    QCOMPARE(noDoc.exec(), int(QDialog::Rejected));
}

void OrderDialogsUiTest::moveDialogStartsOnCurrentGenre()
{
    ProgramFolder f;
    f.LoadDoc();
    for (int i = 0; i < 15; ++i)
        f.AddGenre("G" + std::to_string(i), 0);
    f.doc->m_nCurrGroup = 12;
    CMemberMoveDlg dlg(f.doc.get());
    dlg.InitDialog();
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    QCOMPARE(dlg.m_pList->topLevelItemCount(), 15);
    QCOMPARE(dlg.m_pList->topLevelItem(3)->text(0), QStringLiteral("G3"));
    QCOMPARE(dlg.m_pList->SelectionMark(), 12);
    QCOMPARE(dlg.m_nSelGroup, 12);  // OK without a choice moves into the current genre
    QCOMPARE(dlg.m_pList->TopIndex(), 2);  // scrolled by 12 * 17 - 170 = 34 pixels
    QCOMPARE(dlg.m_pList->headerItem()->text(0), QStringLiteral("        ジ ャ ン ル"));
    QCOMPARE(dlg.windowTitle(), QStringLiteral("移動先のジャンルを選んで下さい"));
}

void OrderDialogsUiTest::moveDialogKeys_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("mark");
    QTest::addColumn<int>("expected");
    // 15 genres, page from 4 holding 13 rows.
    QTest::newRow("page up") << int(Qt::Key_PageUp) << 9 << 4;
    QTest::newRow("page down capped") << int(Qt::Key_PageDown) << 9 << 14;
    QTest::newRow("end") << int(Qt::Key_End) << 3 << 14;
    QTest::newRow("home") << int(Qt::Key_Home) << 9 << 0;
    QTest::newRow("up") << int(Qt::Key_Up) << 9 << 8;
    QTest::newRow("up on first") << int(Qt::Key_Up) << 0 << -1;
    QTest::newRow("down") << int(Qt::Key_Down) << 9 << 10;
    QTest::newRow("down on last") << int(Qt::Key_Down) << 14 << -1;
    QTest::newRow("other key") << int(Qt::Key_A) << 9 << -1;
}

void OrderDialogsUiTest::moveDialogKeys()
{
    QFETCH(int, key);
    QFETCH(int, mark);
    QFETCH(int, expected);
    QCOMPARE(CReportList::KeyTarget(key, mark, 4, 13, 15), expected);
    QCOMPARE(CReportList::KeyTarget(Qt::Key_PageDown, 0, 0, 3, 15), 3);
    QCOMPARE(CReportList::KeyTarget(key, 0, 0, 13, 0), -1);  // empty list
}

void OrderDialogsUiTest::moveDialogKeysInTheList()
{
    ProgramFolder f;
    f.LoadDoc();
    for (int i = 0; i < 5; ++i)
        f.AddGenre("G" + std::to_string(i), 0);
    f.doc->m_nCurrGroup = 0;
    CMemberMoveDlg dlg(f.doc.get());
    dlg.InitDialog();
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    QTest::keyClick(dlg.m_pList, Qt::Key_Up);  // nothing above the first genre
    QCOMPARE(dlg.m_nSelGroup, 0);
    QTest::keyClick(dlg.m_pList, Qt::Key_Down);
    QTest::keyClick(dlg.m_pList, Qt::Key_Down);
    QCOMPARE(dlg.m_nSelGroup, 2);
    QCOMPARE(dlg.m_pList->SelectionMark(), 2);
    QTest::keyClick(dlg.m_pList, Qt::Key_End);
    QCOMPARE(dlg.m_nSelGroup, 4);
    QTest::keyClick(dlg.m_pList, Qt::Key_Down);  // nothing below the last genre
    QCOMPARE(dlg.m_nSelGroup, 4);
    QRect row1 = dlg.m_pList->visualItemRect(dlg.m_pList->topLevelItem(1));
    QTest::mouseClick(dlg.m_pList->viewport(), Qt::LeftButton, Qt::NoModifier, row1.center());
    QCOMPARE(dlg.m_nSelGroup, 1);
}

void OrderDialogsUiTest::moveDialogWithoutLibraryIsCancelled()
{
    CMemberMoveDlg dlg(nullptr);
    QCOMPARE(dlg.exec(), int(QDialog::Rejected));
}

QTEST_MAIN(OrderDialogsUiTest)
#include "OrderDialogsUiTest.moc"
