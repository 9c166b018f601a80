#include "view/CStatisticsArea.h"

#include "history/CPlayHistory.h"
#include "library/CZarn2Doc.h"
#include "platform/Format.h"
#include "platform/IMessenger.h"
#include "view/CReportList.h"
#include "view/ViewStyle.h"

#include <QLabel>
#include <QLineEdit>

#include <algorithm>
#include <initializer_list>

namespace {

constexpr int kLabelX = 10;
constexpr int kValueX = 160;
constexpr int kTop = 250;
constexpr int kRowStep = 30;
constexpr int kFieldWidth = 150;
constexpr int kFieldHeight = 30;

QString Text(const std::string& utf8) { return QString::fromStdString(utf8); }

QString Hms(const CPlayTime& t)
{
    return Text(Format("%02d:%02d:%02d", t.m_nElapsedHour, t.m_nElapsedMinute, t.m_nElapsedSecond));
}

QLabel* MakeLabel(QWidget* view, int row)
{
    auto* label = new QLabel(view);
    label->setGeometry(kLabelX, kTop + row * kRowStep, kFieldWidth, kFieldHeight);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    label->setFont(ViewStyle::LabelFont());
    label->setStyleSheet(QStringLiteral("QLabel { background: rgb(230,235,235); color: black;"
                                        " border: 1px solid rgb(128,128,128); }"));
    return label;
}

QLineEdit* MakeValue(QWidget* view, int row)
{
    auto* edit = new QLineEdit(view);
    edit->setGeometry(kValueX, kTop + row * kRowStep, kFieldWidth, kFieldHeight);
    edit->setReadOnly(true);
    edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    edit->setFont(ViewStyle::ValueFont());
    edit->setStyleSheet(QStringLiteral("QLineEdit { background: rgb(230,235,235); color: black;"
                                       " border: 1px solid rgb(128,128,128); padding: 0px 3px; }"));
    return edit;
}

// Writes `value` as printf's "%0<width>d" does (the sign counts in the width).
void AppendPadded(char*& out, int value, int width)
{
    char digits[12];
    int n = 0;
    unsigned magnitude = value < 0 ? 0u - static_cast<unsigned>(value) : static_cast<unsigned>(value);
    do {
        digits[n++] = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (value < 0) {
        *out++ = '-';
        --width;
    }
    for (int pad = width - n; pad > 0; --pad)
        *out++ = '0';
    while (n > 0)
        *out++ = digits[--n];
}

// The figures of a history row, each "%0<width>d", with the separators between them: the
// rows of a long history are written without the cost of a formatted print each.
QString Figures(std::initializer_list<int> values, std::initializer_list<const char*> separators, int width = 2)
{
    char buffer[128];
    char* out = buffer;
    const char* const* separator = separators.begin();
    for (const int* value = values.begin(); value != values.end(); ++value) {
        if (value != values.begin() && separator != separators.end())
            for (const char* c = *separator++; *c != '\0'; ++c)
                *out++ = *c;
        AppendPadded(out, *value, width);
    }
    return QString::fromLatin1(buffer, out - buffer);
}

// Stored counts below zero read as no rows.
int Count(int stored) { return std::max(stored, 0); }

}  // namespace

CStatisticsArea::CStatisticsArea(QWidget* view)
    : m_labelMode(MakeLabel(view, 0)),
      m_labelLast(MakeLabel(view, 1)),
      m_labelTotal(MakeLabel(view, 2)),
      m_labelAverage(MakeLabel(view, 3)),
      m_labelCount(MakeLabel(view, 4)),
      m_editMode(MakeValue(view, 0)),
      m_editLast(MakeValue(view, 1)),
      m_editTotal(MakeValue(view, 2)),
      m_editAverage(MakeValue(view, 3)),
      m_editCount(MakeValue(view, 4)),
      m_listHistory(new CReportList(view, ViewStyle::kHistoryBack, ViewStyle::kHistoryText))
{
    m_listHistory->setGeometry(320, 250, 410, 150);
    m_listHistory->setFont(ViewStyle::ListFont());
    m_listHistory->SetMarkedRow([list = m_listHistory] { return list->SelectionMark(); },
                                ViewStyle::kHistoryMarkText);
}

void CStatisticsArea::Setup(int historyMode)
{
    m_labelMode->setText(QStringLiteral(" 集計モード"));
    m_labelTotal->setText(QStringLiteral(" 合計プレイ時間"));
    m_labelAverage->setText(QStringLiteral(" 平均プレイ時間"));
    int w = m_listHistory->ClientWidth();
    m_listHistory->AddColumn(QString(), w / 8, Qt::AlignHCenter);
    m_listHistory->AddColumn(QString(), w / 2, Qt::AlignHCenter);
    m_listHistory->AddColumn(QStringLiteral("プレイ時間"), w * 3 / 8 - 17, Qt::AlignHCenter);
    SetModeTexts(historyMode);
}

void CStatisticsArea::SetModeTexts(int historyMode)
{
    QTreeWidgetItem* heading = m_listHistory->headerItem();
    if (historyMode == 0) {
        heading->setText(0, QStringLiteral("回数"));
        heading->setText(1, QStringLiteral("日　時"));
        m_labelLast->setText(QStringLiteral(" 今回のプレイ時間"));
        m_labelCount->setText(QStringLiteral(" 全プレイ回数"));
    } else {
        heading->setText(0, QStringLiteral("日数"));
        heading->setText(1, QStringLiteral("日　付"));
        m_labelLast->setText(QStringLiteral(" 今日のプレイ時間"));
        m_labelCount->setText(QStringLiteral(" 全プレイ日数"));
    }
}

void CStatisticsArea::Clear(int historyMode)
{
    m_listHistory->DeleteAllItems();
    for (QLineEdit* edit : {m_editLast, m_editAverage, m_editTotal, m_editCount, m_editMode})
        edit->clear();
    m_editMode->setText(historyMode == 0 ? QStringLiteral("回数単位") : QStringLiteral("日数単位"));
}

void CStatisticsArea::Fill(CZarn2Doc& doc, int historyMode)
{
    if (doc.GetMemberCount() <= 0)
        return;
    if (doc.ReadHistory() == -1)
        return;
    CGroup* group = doc.CurrGroup();
    CMember* member = group != nullptr ? group->CurrMember() : nullptr;
    if (member == nullptr || Count(member->m_nSessionCount) == 0)
        return;
    if (historyMode == 0) {
        FillBySessions(*member);
        m_editLast->setText(Hms(member->m_Current));
        m_editAverage->setText(Hms(member->m_SessionAverage));
        m_editTotal->setText(Hms(member->m_Total));
        m_editCount->setText(Text(Format("%d 回", Count(member->m_nSessionCount))));
    } else {
        FillByDays(*member);
        m_editLast->setText(Hms(member->m_LastDay));
        m_editAverage->setText(Hms(member->m_DayAverage));
        m_editTotal->setText(Hms(member->m_Total));
        m_editCount->setText(Text(Format("%d 日", Count(member->m_nDayCount))));
    }
}

int CStatisticsArea::CheckRow(int i, const CPlayHistory& history)
{
    if (i < 0) {
        Messenger::Show(Format("Error-00 : 現在の添え字カウント数[%2d]が異常です.", i));
        return 0;
    }
    if (history.m_nSessionCount < 0) {
        Messenger::Show(Format("Error-01 : 現在のカウント数[%2d]が異常です.", history.m_nSessionCount));
        return 0;
    }
    if (history.m_nDayCount < 0) {
        Messenger::Show(Format("Error-02 : 現在の日付カウント数[%2d]が異常です.", history.m_nDayCount));
        return 0;
    }
    return 1;
}

void CStatisticsArea::FillBySessions(const CPlayHistory& history)
{
    int n = std::min(Count(history.m_nSessionCount), static_cast<int>(history.m_Session.size()));
    QList<QStringList> rows;
    rows.reserve(n);
    for (int i = 0; i < n; ++i) {
        // A row that fails the check shows -1 for each of its figures.
        CPlayTime t = history.m_Session[static_cast<std::size_t>(i)];
        bool ok = CheckRow(i, history) != 0;
        auto part = [ok](int value) { return ok ? value : -1; };
        rows.append({Figures({i + 1}, {}, 1),
                     Figures({part(t.m_nYear), part(t.m_nMonth), part(t.m_nDay), part(t.m_nHour),
                              part(t.m_nMinute), part(t.m_nSecond)},
                             {"/", "/", ", ", ":", ":"}),
                     Figures({part(t.m_nElapsedHour), part(t.m_nElapsedMinute), part(t.m_nElapsedSecond)},
                             {":", ":"})});
    }
    m_listHistory->InsertRows(rows);
    MarkLastRow(n);
}

void CStatisticsArea::FillByDays(const CPlayHistory& history)
{
    int n = std::min(Count(history.m_nDayCount), static_cast<int>(history.m_Day.size()));
    QList<QStringList> rows;
    rows.reserve(n);
    for (int i = 0; i < n; ++i) {
        CPlayTime t = history.m_Day[static_cast<std::size_t>(i)];
        bool ok = CheckRow(i, history) != 0;
        auto part = [ok](int value) { return ok ? value : -1; };
        rows.append({Figures({i + 1}, {}, 1),
                     Figures({part(t.m_nYear), part(t.m_nMonth), part(t.m_nDay)}, {"/", "/"}),
                     Figures({part(t.m_nElapsedHour), part(t.m_nElapsedMinute), part(t.m_nElapsedSecond)},
                             {":", ":"})});
    }
    m_listHistory->InsertRows(rows);
    MarkLastRow(n);
}

void CStatisticsArea::MarkLastRow(int rows)
{
    // The most recent session or day is scrolled into view and marked.
    if (rows > 5)
        m_listHistory->ScrollDown(32 * rows);
    m_listHistory->SelectRow(rows - 1);
}
