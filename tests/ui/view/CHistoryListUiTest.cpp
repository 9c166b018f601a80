// The history list on its own: the texts of its rows by session and by day, the row check
// that turns every figure into -1, a history that changes behind the list's back, the
// marked row's colour and the scroll to the last row.
#include "history/CPlayHistory.h"
#include "support/PixelProbe.h"
#include "support/ScriptedMessenger.h"
#include "view/CHistoryList.h"
#include "view/ViewStyle.h"

#include <QtTest>

#include <cstdlib>

using namespace Qt::StringLiterals;

namespace {

QString Q(const char* utf8) { return QString::fromUtf8(utf8); }

CPlayTime Session(int day, int hour, int elapsed)
{
    CPlayTime t;
    t.m_nYear = 2009;
    t.m_nMonth = 3;
    t.m_nDay = day;
    t.m_nHour = hour;
    t.m_nMinute = 5;
    t.m_nSecond = 9;
    t.m_nElapsed = elapsed;
    t.SplitElapsed();
    return t;
}

// `days` days of `perDay` sessions each, figures computed.
CPlayHistory History(int days, int perDay)
{
    CPlayHistory history;
    for (int d = 1; d <= days; ++d)
        for (int s = 0; s < perDay; ++s)
            history.m_Session.push_back(Session(d, 10 + s, 3600 * d + s));
    history.m_nSessionCount = static_cast<int>(history.m_Session.size());
    history.ComputeSessionStats();
    history.ComputeDayStats();
    return history;
}

QStringList Row(const CHistoryList& list, int row)
{
    return {list.Cell(row, 0), list.Cell(row, 1), list.Cell(row, 2)};
}

}  // namespace

class CHistoryListUiTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void rowsByMode_data();
    void rowsByMode();
    void failedRowCheckShowsMinusOne();
    void historyChangedBehindTheList();
    void markedRowAndScroll();
};

void CHistoryListUiTest::rowsByMode_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("sessionCount");  // stored count (may disagree with the sessions held)
    QTest::addColumn<int>("rows");
    QTest::addColumn<QStringList>("last");
    QTest::addColumn<QStringList>("headings");
    QStringList bySession = {Q("回数"), Q("日　時"), Q("プレイ時間")};
    QStringList byDay = {Q("日数"), Q("日　付"), Q("プレイ時間")};
    QTest::newRow("sessions") << 0 << 6 << 6 << QStringList{u"6"_s, u"2009/03/03, 11:05:09"_s, u"03:00:01"_s} << bySession;
    QTest::newRow("days") << 1 << 6 << 3 << QStringList{u"3"_s, u"2009/03/03"_s, u"06:00:01"_s} << byDay;
    QTest::newRow("count below the sessions held") << 0 << 4 << 4
                                                   << QStringList{u"4"_s, u"2009/03/02, 11:05:09"_s, u"02:00:01"_s}
                                                   << bySession;
    QTest::newRow("count above the sessions held") << 0 << 9 << 6
                                                   << QStringList{u"6"_s, u"2009/03/03, 11:05:09"_s, u"03:00:01"_s}
                                                   << bySession;
    QTest::newRow("negative count") << 0 << -1 << 0 << QStringList{u""_s, u""_s, u""_s} << bySession;
}

void CHistoryListUiTest::rowsByMode()
{
    QFETCH(int, mode);
    QFETCH(int, sessionCount);
    QFETCH(int, rows);
    QFETCH(QStringList, last);
    QFETCH(QStringList, headings);
    ScriptedMessenger messenger;
    CPlayHistory history = History(3, 2);
    history.m_nSessionCount = sessionCount;
    CHistoryList list(nullptr, ViewStyle::kHistoryBack, ViewStyle::kHistoryText, ViewStyle::kHistoryMarkText);
    list.SetHeadingMode(mode);
    list.Show(&history, mode);

    QCOMPARE(list.RowCount(), rows);
    QCOMPARE(Row(list, std::max(rows - 1, 0)), last);
    QCOMPARE((QStringList{list.Heading(0), list.Heading(1), list.Heading(2)}), headings);
    QCOMPARE(list.model()->data(list.model()->index(0, 1), Qt::TextAlignmentRole).value<Qt::Alignment>(),
             rows > 0 ? Qt::AlignHCenter | Qt::AlignVCenter : Qt::Alignment());
    QVERIFY(messenger.messages.empty());
}

void CHistoryListUiTest::failedRowCheckShowsMinusOne()
{
    ScriptedMessenger messenger;
    CPlayHistory history = History(2, 1);
    history.m_nDayCount = -2;  // only a damaged history has this
    CHistoryList list(nullptr, ViewStyle::kHistoryBack, ViewStyle::kHistoryText, ViewStyle::kHistoryMarkText);
    list.Show(&history, 0);

    QCOMPARE(list.RowCount(), 2);
    QCOMPARE(Row(list, 1), (QStringList{u"2"_s, u"-1/-1/-1, -1:-1:-1"_s, u"-1:-1:-1"_s}));
    QCOMPARE(Row(list, 0), (QStringList{u"1"_s, u"-1/-1/-1, -1:-1:-1"_s, u"-1:-1:-1"_s}));
    // Reported once for the rows, not again for every row shown.
    std::vector<std::string> expected = {"Error-02 : 現在の日付カウント数[-2]が異常です."};
    QCOMPARE(messenger.messages, expected);
}

void CHistoryListUiTest::historyChangedBehindTheList()
{
    ScriptedMessenger messenger;
    CPlayHistory history = History(5, 2);
    CHistoryList list(nullptr, ViewStyle::kHistoryBack, ViewStyle::kHistoryText, ViewStyle::kHistoryMarkText);
    list.resize(300, 150);
    list.show();
    list.Show(&history, 0);
    QCOMPARE(list.RowCount(), 10);

    // The history lets go of its sessions before the list is pointed again: the rows
    // read empty and painting them reads nothing that is gone.
    history.ReleaseHistory();
    QCOMPARE(list.RowCount(), 10);
    QCOMPARE(Row(list, 9), (QStringList{u""_s, u""_s, u""_s}));
    list.viewport()->grab();
    list.Clear();
    QCOMPARE(list.RowCount(), 0);
    QCOMPARE(list.MarkedRow(), -1);
}

void CHistoryListUiTest::markedRowAndScroll()
{
    ScriptedMessenger messenger;
    CPlayHistory history = History(10, 3);
    CHistoryList list(nullptr, ViewStyle::kHistoryBack, ViewStyle::kHistoryText, ViewStyle::kHistoryMarkText);
    list.setGeometry(0, 0, 410, 150);
    list.Show(&history, 0);
    list.ScrollDown(32 * 30);  // waits for the list to be shown
    list.SelectRow(29);
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));

    QCOMPARE(list.MarkedRow(), 29);
    QVERIFY(list.IsRowSelected(29));
    QCOMPARE(list.TopIndex(), 30 - list.CountPerPage());
    QRect last = list.visualRect(list.model()->index(29, 1));
    QRect before = list.visualRect(list.model()->index(28, 1));
    QVERIFY(HasColourIn(&list, last, QColor(ViewStyle::kHistoryMarkText)));
    QVERIFY(!HasColourIn(&list, before, QColor(ViewStyle::kHistoryMarkText)));
    QCOMPARE(last.height(), list.RowHeight());

    // A new history drops the mark and a scroll still waiting.
    list.Show(&history, 1);
    QCOMPARE(list.MarkedRow(), -1);
    QCOMPARE(list.RowCount(), 10);
}

QTEST_MAIN(CHistoryListUiTest)
#include "CHistoryListUiTest.moc"
