#include "view/CStatisticsArea.h"

#include "history/CPlayHistory.h"
#include "library/CZarn2Doc.h"
#include "platform/Format.h"
#include "platform/IMessenger.h"
#include "view/CHistoryList.h"
#include "view/ViewStyle.h"

#include <QLabel>
#include <QLineEdit>

#include <algorithm>

namespace {

constexpr int kLabelX = 10;
constexpr int kValueX = 160;
constexpr int kTop = 250;
constexpr int kRowStep = 30;
constexpr int kFieldWidth = 150;
constexpr int kFieldHeight = 30;

QString Text(const std::string& utf8) { return QString::fromStdString(utf8); }

// The first title of the library that `matches`, or nullptr.
template <class Match> CMember* FindTitle(CZarn2Doc& doc, Match matches)
{
    int groups = std::clamp(doc.m_nGroupCount, 0, CZarn2Doc::kMaxGroups);
    for (int g = 0; g < groups; ++g) {
        CGroup& group = doc.m_Group[static_cast<size_t>(g)];
        int members = std::clamp(group.m_nMemberCount, 0, CGroup::kMaxMembers);
        for (int m = 0; m < members; ++m)
            if (matches(group.m_Member[static_cast<size_t>(m)]))
                return &group.m_Member[static_cast<size_t>(m)];
    }
    return nullptr;
}

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
      m_listHistory(new CHistoryList(view, ViewStyle::kHistoryBack, ViewStyle::kHistoryText,
                                     ViewStyle::kHistoryMarkText))
{
    m_listHistory->setGeometry(320, 250, 410, 150);
    m_listHistory->setFont(ViewStyle::ListFont());
}

void CStatisticsArea::Setup(int historyMode)
{
    m_labelMode->setText(QStringLiteral(" 集計モード"));
    m_labelTotal->setText(QStringLiteral(" 合計プレイ時間"));
    m_labelAverage->setText(QStringLiteral(" 平均プレイ時間"));
    int w = m_listHistory->ClientWidth();
    m_listHistory->setColumnWidth(0, w / 8);
    m_listHistory->setColumnWidth(1, w / 2);
    m_listHistory->setColumnWidth(2, w * 3 / 8 - 17);
    SetModeTexts(historyMode);
}

void CStatisticsArea::SetModeTexts(int historyMode)
{
    m_listHistory->SetHeadingMode(historyMode);
    if (historyMode == 0) {
        m_labelLast->setText(QStringLiteral(" 今回のプレイ時間"));
        m_labelCount->setText(QStringLiteral(" 全プレイ回数"));
    } else {
        m_labelLast->setText(QStringLiteral(" 今日のプレイ時間"));
        m_labelCount->setText(QStringLiteral(" 全プレイ日数"));
    }
}

void CStatisticsArea::Refresh(CZarn2Doc& doc, int historyMode)
{
    m_listHistory->Clear();
    m_pShown = nullptr;
    ShowFigures(Read(doc, historyMode), historyMode);
}

// Reordering and moving titles carry their histories along; reordering genres copies
// the titles and lets go of theirs, so the title is then found by its log and read again.
void CStatisticsArea::FollowShownTitle(CZarn2Doc& doc)
{
    if (m_pShown == nullptr || m_pShown->m_nReadId == m_nShownRead)
        return;
    CMember* member = FindTitle(doc, [this](const CMember& m) { return m.m_nReadId == m_nShownRead; });
    if (member == nullptr) {
        member = FindTitle(doc, [this](const CMember& m) { return m.m_szLogFile == m_shownLog; });
        if (member != nullptr && member->m_nReadId == 0 && member->ReadLog() < 0)
            member = nullptr;
    }
    if (member == nullptr) {
        m_listHistory->Clear();
        m_pShown = nullptr;
        return;
    }
    m_pShown = member;
    m_nShownRead = member->m_nReadId;
    if (!m_listHistory->Repoint(member))
        ShowRows(*member, m_nShownMode);
}

CStatisticsArea::Figures CStatisticsArea::Read(CZarn2Doc& doc, int historyMode)
{
    if (doc.GetMemberCount() <= 0)
        return {};
    if (doc.ReadHistory() == -1)
        return {};
    CGroup* group = doc.CurrGroup();
    CMember* member = group != nullptr ? group->CurrMember() : nullptr;
    if (member == nullptr || Count(member->m_nSessionCount) == 0)
        return {};
    ShowRows(*member, historyMode);
    const CPlayFigures& worked = member->Figures();
    if (historyMode == 0)
        return {Hms(worked.m_Current), Hms(worked.m_SessionAverage), Hms(worked.m_Total),
                Text(Format("%d 回", Count(member->m_nSessionCount)))};
    return {Hms(worked.m_LastDay), Hms(worked.m_DayAverage), Hms(worked.m_Total),
            Text(Format("%d 日", Count(member->m_nDayCount)))};
}

// Each field changes once a refresh, and only when its text does: laying out a field's
// text costs more than the rest of a short title's refresh.
void CStatisticsArea::ShowFigures(const Figures& figures, int historyMode)
{
    auto set = [](QLineEdit* edit, const QString& text) {
        if (edit->text() != text)
            edit->setText(text);
    };
    set(m_editMode, historyMode == 0 ? QStringLiteral("回数単位") : QStringLiteral("日数単位"));
    set(m_editLast, figures.last);
    set(m_editAverage, figures.average);
    set(m_editTotal, figures.total);
    set(m_editCount, figures.count);
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

// The list reads its rows from the title's history as it shows them; the history stays
// where it is until the next refresh points the list again, or the title moves to another
// slot (FollowShownTitle).
void CStatisticsArea::ShowRows(const CMember& member, int historyMode)
{
    m_pShown = &member;
    m_nShownRead = member.m_nReadId;
    m_shownLog = member.m_szLogFile;
    m_nShownMode = historyMode;
    m_listHistory->Show(&member, historyMode);
    MarkLastRow(m_listHistory->RowCount());
}

void CStatisticsArea::MarkLastRow(int rows)
{
    // The most recent session or day is scrolled into view and marked.
    if (rows > 5)
        m_listHistory->ScrollDown(32 * rows);
    m_listHistory->SelectRow(rows - 1);
}
