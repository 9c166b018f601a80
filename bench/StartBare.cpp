// The floor the launcher's start is measured against: a plain Qt main window of the same
// size holding the same kinds of widgets with the same captions and faces (menus, toolbar,
// status bar with three panes, three report lists, five labels and five value fields),
// and no library. It ends as soon as it has been shown (see ShowProbe).
#include "ShowProbe.h"

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QTreeWidget>

#include <initializer_list>

namespace {

QFont Face(double points)
{
    QFont font;
    font.setFamilies({QStringLiteral("MS UI Gothic"), QStringLiteral("Noto Sans CJK JP")});
    font.setPointSizeF(points);
    return font;
}

void AddMenu(QMenuBar* bar, const char* title, std::initializer_list<const char*> items)
{
    QMenu* menu = bar->addMenu(QString::fromUtf8(title));
    for (const char* item : items) {
        if (item == nullptr)
            menu->addSeparator();
        else
            menu->addAction(QString::fromUtf8(item));
    }
}

void BuildMenus(QMenuBar* bar)
{
    AddMenu(bar, "ファイル(&F)", {"ファイラーの起動(&F)", nullptr, "Zarn2 の終了(&X)"});
    QMenu* view = bar->addMenu(QStringLiteral("表示(&A)"));
    QMenu* icons = view->addMenu(QStringLiteral("アイコンサイズ(&I)"));
    icons->addAction(QStringLiteral("大きいアイコン(&L)"));
    icons->addAction(QStringLiteral("小さいアイコン(&S)"));
    view->addSeparator();
    QMenu* history = view->addMenu(QStringLiteral("履歴表示(&H)"));
    history->addAction(QStringLiteral("回数単位(&C)"));
    history->addAction(QStringLiteral("日付単位(&D)"));
    AddMenu(bar, "ジャンル(&G)",
            {"ジャンルを追加する(&A)", "ジャンルを編集する(&E)", "ジャンルを並べ替える(&O)", nullptr,
             "ジャンルを削除する(&D)"});
    AddMenu(bar, "タイトル(&T)",
            {"履歴を取ってプレイする(&P)", "履歴を取らずにプレイする(&F)", nullptr, "タイトルを追加する(&A)",
             "タイトルを編集する(&E)", "タイトルを並べ替える(&O)", "他のジャンルへ移動する(&M)", nullptr,
             "履歴を初期化する(&I)", nullptr, "タイトルを削除する(&D)", "全てを削除する(&C)"});
    AddMenu(bar, "オプション(&O)",
            {"設定(&S)", nullptr, "CDトレイを開く(&O)", "CDトレイを閉じる(&C)", nullptr, "ソフトのインストール(&I)"});
    AddMenu(bar, "ヘルプ(&H)", {"Zarn2 のヘルプ(&H)", "Zarn2 のバージョン情報 (&A)..."});
}

void BuildToolBar(QMainWindow* window)
{
    auto* bar = new QToolBar(window);
    bar->setMovable(false);
    bar->setFloatable(false);
    bar->setIconSize(QSize(20, 15));
    const QStyle::StandardPixmap kIcons[] = {
        QStyle::SP_DirOpenIcon,        QStyle::SP_ArrowUp,         QStyle::SP_ArrowDown,
        QStyle::SP_DriveCDIcon,        QStyle::SP_FileDialogDetailedView, QStyle::SP_FileDialogListView,
        QStyle::SP_FileDialogInfoView, QStyle::SP_FileDialogContentsView, QStyle::SP_DialogHelpButton,
    };
    int i = 0;
    for (QStyle::StandardPixmap icon : kIcons) {
        if (i == 1 || i == 3 || i == 4 || i == 6 || i == 8)
            bar->addSeparator();
        bar->addAction(window->style()->standardIcon(icon), QStringLiteral("button"));
        ++i;
    }
    window->addToolBar(Qt::TopToolBarArea, bar);
}

void BuildStatusBar(QMainWindow* window)
{
    auto* bar = new QStatusBar(window);
    bar->setFont(Face(9.0));
    bar->setSizeGripEnabled(false);
    for (int width : {90, 90, 110}) {
        auto* pane = new QLabel(QStringLiteral(" ジャンル :   0/  0"), bar);
        pane->setFixedWidth(width);
        pane->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        pane->setFont(Face(8.0));
        bar->addPermanentWidget(pane);
    }
    window->setStatusBar(bar);
}

QTreeWidget* List(QWidget* parent, QRect place, const QStringList& headings)
{
    auto* list = new QTreeWidget(parent);
    list->setGeometry(place);
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setFont(Face(12.5));
    list->setColumnCount(static_cast<int>(headings.size()));
    list->setHeaderLabels(headings);
    list->header()->setStretchLastSection(false);
    return list;
}

void BuildForm(QMainWindow* window)
{
    auto* form = new QWidget(window);
    List(form, QRect(10, 10, 240, 230), {QStringLiteral("        ジ ャ ン ル")});
    List(form, QRect(260, 10, 470, 230), {QStringLiteral("　　　　　　　　タ イ ト ル")});
    List(form, QRect(320, 250, 410, 150),
         {QStringLiteral("回数"), QStringLiteral("日　時"), QStringLiteral("プレイ時間")});
    const char* const kLabels[] = {" 集計モード", " 今回のプレイ時間", " 合計プレイ時間", " 平均プレイ時間",
                                   " 全プレイ回数"};
    for (int row = 0; row < 5; ++row) {
        auto* label = new QLabel(QString::fromUtf8(kLabels[row]), form);
        label->setGeometry(10, 250 + row * 30, 150, 30);
        label->setFont(Face(12.0));
        label->setStyleSheet(QStringLiteral("QLabel { background: rgb(230,235,235); color: black;"
                                            " border: 1px solid rgb(128,128,128); }"));
        auto* value = new QLineEdit(form);
        value->setGeometry(160, 250 + row * 30, 150, 30);
        value->setReadOnly(true);
        value->setFont(Face(17.0));
        value->setStyleSheet(QStringLiteral("QLineEdit { background: rgb(230,235,235); color: black;"
                                            " border: 1px solid rgb(128,128,128); padding: 0px 3px; }"));
    }
    window->setCentralWidget(form);
}

}  // namespace

int main(int argc, char* argv[])
{
    QApplication qapp(argc, argv);
    ShowProbe probe;
    QMainWindow window;
    window.setWindowTitle(QStringLiteral(" [ Zarn2 ] - The Game Launcher -"));
    window.setFixedSize(750, 510);
    BuildMenus(window.menuBar());
    BuildToolBar(&window);
    BuildStatusBar(&window);
    BuildForm(&window);
    window.show();
    return QApplication::exec();
}
