#include "view/CHistoryModel.h"

#include "history/CPlayHistory.h"
#include "view/CStatisticsArea.h"

#include <algorithm>
#include <initializer_list>

namespace {

constexpr int kColumns = 3;

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

// The figures of a history row, each "%0<width>d", with the separators between them.
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

CHistoryModel::CHistoryModel(QObject* parent) : CTextTableModel(parent) {}

void CHistoryModel::Show(const CPlayHistory* history, int mode)
{
    beginResetModel();
    m_pHistory = history;
    m_nMode = mode;
    m_nRows = 0;
    m_bRowsOk = true;
    if (history != nullptr) {
        const auto& rows = mode == 0 ? history->m_Session : history->m_Day;
        int stored = Count(mode == 0 ? history->m_nSessionCount : history->m_nDayCount);
        m_nRows = std::min(stored, static_cast<int>(rows.size()));
        // The check depends on the history's counts only, not on the row: it runs once
        // for the rows (so a failure is reported once, not once a row or a figure).
        if (m_nRows > 0)
            m_bRowsOk = CStatisticsArea::CheckRow(0, *history) != 0;
    }
    endResetModel();
}

bool CHistoryModel::Repoint(const CPlayHistory* history)
{
    if (history == nullptr)
        return false;
    const auto& rows = m_nMode == 0 ? history->m_Session : history->m_Day;
    int stored = Count(m_nMode == 0 ? history->m_nSessionCount : history->m_nDayCount);
    if (std::min(stored, static_cast<int>(rows.size())) != m_nRows)
        return false;
    m_pHistory = history;
    if (m_nRows > 0)
        Q_EMIT dataChanged(createIndex(0, 0), createIndex(m_nRows - 1, kColumns - 1));
    return true;
}

void CHistoryModel::SetHeadingMode(int mode)
{
    m_nHeadingMode = mode;
    Q_EMIT headerDataChanged(Qt::Horizontal, 0, 1);
}

QString CHistoryModel::Text(int row, int column) const
{
    if (m_pHistory == nullptr || row < 0 || row >= m_nRows || column < 0 || column >= kColumns)
        return {};
    const auto& rows = m_nMode == 0 ? m_pHistory->m_Session : m_pHistory->m_Day;
    if (static_cast<size_t>(row) >= rows.size())
        return {};
    if (column == 0)
        return Figures({row + 1}, {}, 1);
    const CPlayTime& t = rows[static_cast<size_t>(row)];
    auto part = [this](int value) { return m_bRowsOk ? value : -1; };
    if (column == 2)
        return Figures({part(t.m_nElapsedHour), part(t.m_nElapsedMinute), part(t.m_nElapsedSecond)}, {":", ":"});
    if (m_nMode == 0)
        return Figures({part(t.m_nYear), part(t.m_nMonth), part(t.m_nDay), part(t.m_nHour), part(t.m_nMinute),
                        part(t.m_nSecond)},
                       {"/", "/", ", ", ":", ":"});
    return Figures({part(t.m_nYear), part(t.m_nMonth), part(t.m_nDay)}, {"/", "/"});
}

QModelIndex CHistoryModel::index(int row, int column, const QModelIndex& parent) const
{
    if (parent.isValid() || row < 0 || row >= m_nRows || column < 0 || column >= kColumns)
        return {};
    return createIndex(row, column);
}

int CHistoryModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : m_nRows; }

int CHistoryModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kColumns; }

QString CHistoryModel::Heading(int section) const
{
    switch (section) {
    case 0:
        return m_nHeadingMode == 0 ? QStringLiteral("回数") : QStringLiteral("日数");
    case 1:
        return m_nHeadingMode == 0 ? QStringLiteral("日　時") : QStringLiteral("日　付");
    default:
        return QStringLiteral("プレイ時間");
    }
}

Qt::ItemFlags CHistoryModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemNeverHasChildren;
}
