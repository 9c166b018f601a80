#include "dialogs/CImportGamesDlg.h"

#include "app/WindowHints.h"
#include "dialogs/DialogLayout.h"
#include "dialogs/GameIconDelegate.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTreeWidget>

using DialogLayout::Place;

namespace {

QString Text(const std::string& text) { return QString::fromStdString(text); }

// The last entry of the genre list makes a new genre.
constexpr char kNewGenreItem[] = "(新しいジャンル)";

QString Joined(const std::vector<std::string>& parts)
{
    QStringList list;
    for (const std::string& part : parts)
        list << Text(part);
    return list.join(QStringLiteral(", "));
}

}  // namespace

CImportGamesDlg::CImportGamesDlg(const GameImport& import, const ImportChoice& choice, QWidget* parent)
    : QDialog(parent), m_import(import)
{
    setWindowTitle(QStringLiteral("ゲームの取り込み"));
    setFont(DialogLayout::GothicFont(9.0));
    const bool problems = !import.Found().problems.empty();
    WindowHints::FixDialog(this, DialogLayout::DluSize(this, 420, problems ? 296 : 246));

    m_pList = new QTreeWidget(this);
    m_pList->setRootIsDecorated(false);
    m_pList->setUniformRowHeights(true);
    m_pList->setAllColumnsShowFocus(true);
    m_pList->setHeaderLabels({QStringLiteral("ゲーム"), QStringLiteral("取り込み元"), QStringLiteral("登録名"),
                              QStringLiteral("プログラム")});
    m_pList->setItemDelegate(new GameIconDelegate(m_pList));
    Place(m_pList, 7, 7, 406, 180);
    m_pList->setColumnWidth(kGame, DialogLayout::DluX(this, 115));
    m_pList->setColumnWidth(kSource, DialogLayout::DluX(this, 58));
    m_pList->setColumnWidth(kRegistered, DialogLayout::DluX(this, 130));

    Place(new QLabel(QStringLiteral("取り込み先のジャンル:"), this), 7, 204, 90, 12);
    m_pGenre = new QComboBox(this);
    Place(m_pGenre, 97, 202, 120, 14);
    m_pNewGenre = new QLineEdit(this);
    Place(m_pNewGenre, 223, 202, 120, 14);
    m_pGenreProblem = new QLabel(this);
    m_pGenreProblem->setStyleSheet(QStringLiteral("color: #b00000"));
    Place(m_pGenreProblem, 7, 218, 406, 10);
    m_pLegend = new QLabel(QStringLiteral("* : 名前を変えて登録 (ポイントで理由を表示)"), this);
    m_pLegend->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Place(m_pLegend, 7, 189, 406, 10);

    m_pAll = new QPushButton(QStringLiteral("全て選択(&A)"), this);
    Place(m_pAll, 7, 230, 60, 15);
    m_pNone = new QPushButton(QStringLiteral("選択解除(&N)"), this);
    Place(m_pNone, 70, 230, 60, 15);
    m_pOk = new QPushButton(QStringLiteral("O K"), this);
    m_pOk->setDefault(true);
    Place(m_pOk, 296, 230, 55, 15);
    m_pCancel = new QPushButton(QStringLiteral("キャンセル"), this);
    Place(m_pCancel, 358, 230, 55, 15);

    m_pProblems = new QPlainTextEdit(this);
    m_pProblems->setReadOnly(true);
    m_pProblems->setVisible(problems);
    Place(m_pProblems, 7, 250, 406, 42);
    QStringList lines;
    for (const std::string& line : import.Found().problems)
        lines << Text(line);
    m_pProblems->setPlainText(QStringLiteral("読めなかったファイル:\n") + lines.join(QLatin1Char('\n')));

    AddRows();
    PlaceGenre(choice);
    connect(m_pList, &QTreeWidget::itemChanged, this, [this] {
        if (!m_bFilling)
            Replan();
    });
    connect(m_pGenre, &QComboBox::currentIndexChanged, this, &CImportGamesDlg::Replan);
    connect(m_pNewGenre, &QLineEdit::textChanged, this, &CImportGamesDlg::Replan);
    connect(m_pAll, &QPushButton::clicked, this, [this] { TickAll(true); });
    connect(m_pNone, &QPushButton::clicked, this, [this] { TickAll(false); });
    connect(m_pOk, &QPushButton::clicked, this, &CImportGamesDlg::accept);
    connect(m_pCancel, &QPushButton::clicked, this, &CImportGamesDlg::reject);
    Replan();
    m_pList->setFocus();
}

void CImportGamesDlg::AddRows()
{
    m_bFilling = true;
    const std::vector<FoundGame>& games = m_import.Found().games;
    QList<QTreeWidgetItem*> items;
    for (size_t i = 0; i < games.size(); ++i) {
        const FoundGame& game = games[i];
        auto* item = new QTreeWidgetItem({Text(game.name), Text(game.source), QString(), Text(game.program)});
        item->setData(kGame, GameIconDelegate::kIconRole, Text(game.icon));
        item->setData(kGame, GameIconDelegate::kThemedRole, game.themeIcon);
        item->setToolTip(kGame, Text(game.name));
        item->setToolTip(kProgram, Text(game.program));
        const std::string& registered = m_import.RegisteredAs(static_cast<int>(i));
        if (registered.empty()) {
            item->setCheckState(kGame, Qt::Unchecked);
        } else {
            item->setFlags(item->flags() & ~Qt::ItemIsEnabled);
            item->setText(kRegistered, QStringLiteral("登録済み (") + Text(registered) + QLatin1Char(')'));
            item->setToolTip(kRegistered, item->text(kRegistered));
        }
        items << item;
    }
    m_pList->addTopLevelItems(items);
    m_bFilling = false;
}

void CImportGamesDlg::PlaceGenre(const ImportChoice& choice)
{
    m_bFilling = true;
    for (const std::string& name : m_import.GenreNames())
        m_pGenre->addItem(Text(name));
    m_pGenre->addItem(QString::fromUtf8(kNewGenreItem));
    int index = choice.newGenre ? -1 : m_pGenre->findText(Text(choice.genre), Qt::MatchExactly);
    m_pGenre->setCurrentIndex(index < 0 ? m_pGenre->count() - 1 : index);
    m_pNewGenre->setText(choice.newGenre ? Text(choice.genre) : QStringLiteral("新規ジャンル"));
    for (int game : choice.ticked) {
        if (QTreeWidgetItem* item = m_pList->topLevelItem(game); item && item->flags() & Qt::ItemIsEnabled)
            item->setCheckState(kGame, Qt::Checked);
    }
    m_bFilling = false;
}

ImportChoice CImportGamesDlg::Choice() const
{
    ImportChoice choice;
    choice.newGenre = m_pGenre->currentIndex() == m_pGenre->count() - 1;
    choice.genre = (choice.newGenre ? m_pNewGenre->text() : m_pGenre->currentText()).toStdString();
    for (int i = 0; i < m_pList->topLevelItemCount(); ++i) {
        if (m_pList->topLevelItem(i)->checkState(kGame) == Qt::Checked)
            choice.ticked.push_back(i);
    }
    choice.shown = m_shown;
    return choice;
}

void CImportGamesDlg::Replan()
{
    if (m_bFilling)
        return;
    m_bFilling = true;
    const ImportChoice choice = Choice();
    m_pNewGenre->setEnabled(choice.newGenre);
    for (int i = 0; i < m_pList->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = m_pList->topLevelItem(i);
        if (item->flags() & Qt::ItemIsEnabled) {
            item->setText(kRegistered, QString());
            item->setToolTip(kRegistered, QString());
        }
    }
    bool adds = false;
    m_shown = m_import.Plan(choice);
    for (const PlannedTitle& title : m_shown) {
        QTreeWidgetItem* item = m_pList->topLevelItem(title.game);
        if (!title.Adds()) {
            item->setText(kRegistered, QStringLiteral("登録されません: ") + Text(title.refusal));
            item->setToolTip(kRegistered, item->text(kRegistered));
            continue;
        }
        adds = true;
        item->setText(kRegistered, Text(title.name) + (title.changes.empty() ? QString() : QStringLiteral(" *")));
        item->setToolTip(kRegistered, title.changes.empty() ? QString()
                                                            : QStringLiteral("名前を変えます: ") + Joined(title.changes));
    }
    const std::string problem = m_import.GenreProblem(choice);
    DialogLayout::SetOneLine(m_pGenreProblem, Text(problem));
    m_pOk->setEnabled(adds && problem.empty());
    m_bFilling = false;
}

void CImportGamesDlg::TickAll(bool ticked)
{
    m_bFilling = true;
    for (int i = 0; i < m_pList->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = m_pList->topLevelItem(i);
        if (item->flags() & Qt::ItemIsEnabled)
            item->setCheckState(kGame, ticked ? Qt::Checked : Qt::Unchecked);
    }
    m_bFilling = false;
    Replan();
}
