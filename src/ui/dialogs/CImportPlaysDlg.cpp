#include "dialogs/CImportPlaysDlg.h"

#include "app/WindowHints.h"
#include "dialogs/DialogLayout.h"

#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>

using DialogLayout::Place;

namespace {

QString Text(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

CImportPlaysDlg::CImportPlaysDlg(const std::string& file, const std::vector<PlayImportRow>& rows, QWidget* parent)
    : QDialog(parent), m_rows(rows)
{
    setWindowTitle(QStringLiteral("プレイ記録の取り込み"));
    setFont(DialogLayout::GothicFont(9.0));
    WindowHints::FixDialog(this, DialogLayout::DluSize(this, 360, 230));

    // The file on a line of its own (a long path cut in the middle), the rules below it.
    m_pFile = new QLabel(this);
    m_pFile->setTextFormat(Qt::PlainText);
    Place(m_pFile, 7, 5, 346, 10);
    DialogLayout::SetOneLine(m_pFile, QStringLiteral("<%1> のプレイ記録を各タイトルのログに加えます.").arg(Text(file)));
    m_pAbout = new QLabel(QStringLiteral("既に記録されているプレイは加えません.\n"
                                         "ライブラリにないタイトルは, チェックしたものだけ作成して取り込みます."),
                          this);
    m_pAbout->setWordWrap(true);
    Place(m_pAbout, 7, 16, 346, 22);

    m_pList = new QTreeWidget(this);
    m_pList->setRootIsDecorated(false);
    m_pList->setUniformRowHeights(true);
    m_pList->setAllColumnsShowFocus(true);
    m_pList->setHeaderLabels(
        {QStringLiteral("ジャンル"), QStringLiteral("タイトル"), QStringLiteral("プレイ"), QStringLiteral("取り込み")});
    Place(m_pList, 7, 40, 346, 164);
    m_pList->setColumnWidth(kGenre, DialogLayout::DluX(this, 80));
    m_pList->setColumnWidth(kTitle, DialogLayout::DluX(this, 120));
    m_pList->setColumnWidth(kPlays, DialogLayout::DluX(this, 35));
    QList<QTreeWidgetItem*> items;
    for (const PlayImportRow& row : m_rows) {
        auto* item = new QTreeWidgetItem({Text(row.genre), Text(row.title), QString::number(row.plays), QString()});
        item->setTextAlignment(kPlays, Qt::AlignRight | Qt::AlignVCenter);
        if (!row.missing) {
            item->setText(kState, QStringLiteral("取り込む"));
        } else if (!row.problem.empty()) {
            item->setText(kState, QStringLiteral("作成出来ません: ") + Text(row.problem));
            item->setFlags(item->flags() & ~Qt::ItemIsEnabled);
        } else {
            item->setText(kState, QStringLiteral("ライブラリにありません. 作成して取り込む"));
            item->setCheckState(kState, row.create ? Qt::Checked : Qt::Unchecked);
        }
        item->setToolTip(kTitle, item->text(kTitle));
        item->setToolTip(kState, item->text(kState));
        items << item;
    }
    m_pList->addTopLevelItems(items);

    m_pOk = new QPushButton(QStringLiteral("O K"), this);
    m_pOk->setDefault(true);
    Place(m_pOk, 236, 210, 55, 15);
    m_pCancel = new QPushButton(QStringLiteral("キャンセル"), this);
    Place(m_pCancel, 298, 210, 55, 15);
    connect(m_pOk, &QPushButton::clicked, this, &CImportPlaysDlg::accept);
    connect(m_pCancel, &QPushButton::clicked, this, &CImportPlaysDlg::reject);
    m_pList->setFocus();
}

std::vector<PlayImportRow> CImportPlaysDlg::Rows() const
{
    std::vector<PlayImportRow> rows = m_rows;
    for (size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].missing && rows[i].problem.empty())
            rows[i].create = m_pList->topLevelItem(static_cast<int>(i))->checkState(kState) == Qt::Checked;
    }
    return rows;
}
