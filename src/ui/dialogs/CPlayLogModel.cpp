#include "dialogs/CPlayLogModel.h"

#include "history/PlayLogEdit.h"
#include "platform/Format.h"

CPlayLogModel::CPlayLogModel(const PlayLogEdit& edit, QObject* parent) : CTextTableModel(parent), m_edit(edit)
{
}

void CPlayLogModel::Reload()
{
    beginResetModel();
    endResetModel();
}

QString CPlayLogModel::Text(int row, int column) const
{
    if (row < 0 || static_cast<size_t>(row) >= m_edit.Rows().size())
        return {};
    const CPlayTime& t = m_edit.Rows()[static_cast<size_t>(row)].play;
    if (column == 0)
        return QString::fromStdString(Format("%04d/%02d/%02d %02d:%02d:%02d", t.m_nYear, t.m_nMonth, t.m_nDay,
                                             t.m_nHour, t.m_nMinute, t.m_nSecond));
    return QString::fromStdString(Format("%d:%02d:%02d", t.m_nElapsedHour, t.m_nElapsedMinute, t.m_nElapsedSecond));
}

int CPlayLogModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_edit.Rows().size());
}

int CPlayLogModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : 2; }

QString CPlayLogModel::Heading(int section) const
{
    return section == 0 ? QStringLiteral("開始日時") : QStringLiteral("プレイ時間");
}
