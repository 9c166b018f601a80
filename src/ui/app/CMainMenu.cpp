#include "app/CMainMenu.h"

#include "app/CCommandActions.h"
#include "app/CommandIds.h"

#include <QMenu>
#include <QMenuBar>

#include <initializer_list>

using namespace CommandId;

namespace {

constexpr int kSeparator = 0;

struct Item {
    int id;  // kSeparator for a separator line
    const char* text;
};

void AddItems(QMenu* menu, CCommandActions& actions, std::initializer_list<Item> items)
{
    for (const Item& item : items) {
        if (item.id == kSeparator)
            menu->addSeparator();
        else
            menu->addAction(actions.Add(item.id, QString::fromUtf8(item.text)));
    }
}

void AddFileMenu(QMenuBar* bar, CCommandActions& actions)
{
    AddItems(bar->addMenu(QStringLiteral("ファイル(&F)")), actions,
             {{ID_FILER, "ファイラーの起動(&F)"},
              {kSeparator, nullptr},
              {ID_IMPORT_GAMES, "ゲームの取り込み(&I)..."},
              {ID_IMPORT_PLAYS, "プレイ記録の取り込み(&L)..."},
              {ID_EXPORT_PLAYS, "プレイ記録のエクスポート(&E)..."},
              {kSeparator, nullptr},
              {ID_APP_EXIT, "Zarn2 の終了(&X)"}});
}

void AddViewMenu(QMenuBar* bar, CCommandActions& actions)
{
    QMenu* view = bar->addMenu(QStringLiteral("表示(&A)"));
    AddItems(view->addMenu(QStringLiteral("アイコンサイズ(&I)")), actions,
             {{ID_ICON_LARGE, "大きいアイコン(&L)"}, {ID_ICON_SMALL, "小さいアイコン(&S)"}});
    view->addSeparator();
    AddItems(view->addMenu(QStringLiteral("履歴表示(&H)")), actions,
             {{ID_HISTORY_COUNT, "回数単位(&C)"}, {ID_HISTORY_DATE, "日付単位(&D)"}});
    AddItems(view, actions, {{kSeparator, nullptr}, {ID_PLAY_CHART, "プレイ グラフ(&G)..."}});
}

void AddGroupMenu(QMenuBar* bar, CCommandActions& actions)
{
    AddItems(bar->addMenu(QStringLiteral("ジャンル(&G)")), actions,
             {{ID_GROUP_ADD, "ジャンルを追加する(&A)"},
              {ID_GROUP_EDIT, "ジャンルを編集する(&E)"},
              {ID_GROUP_ORDER, "ジャンルを並べ替える(&O)"},
              {kSeparator, nullptr},
              {ID_GROUP_DELETE, "ジャンルを削除する(&D)"}});
}

void AddMemberMenu(QMenuBar* bar, CCommandActions& actions)
{
    AddItems(bar->addMenu(QStringLiteral("タイトル(&T)")), actions,
             {{ID_PLAY_RECORD, "履歴を取ってプレイする(&P)"},
              {ID_PLAY_NORECORD, "履歴を取らずにプレイする(&F)"},
              {kSeparator, nullptr},
              {ID_MEMBER_ADD, "タイトルを追加する(&A)"},
              {ID_MEMBER_EDIT, "タイトルを編集する(&E)"},
              {ID_MEMBER_ORDER, "タイトルを並べ替える(&O)"},
              {ID_MEMBER_MOVE, "他のジャンルへ移動する(&M)"},
              {kSeparator, nullptr},
              {ID_HISTORY_RESET, "履歴を初期化する(&I)"},
              {ID_PLAY_LOG_EDIT, "プレイ記録を編集する(&R)..."},
              {kSeparator, nullptr},
              {ID_MEMBER_DELETE, "タイトルを削除する(&D)"},
              {ID_MEMBER_DELETE_ALL, "全てを削除する(&C)"}});
}

void AddOptionMenu(QMenuBar* bar, CCommandActions& actions)
{
    AddItems(bar->addMenu(QStringLiteral("オプション(&O)")), actions,
             {{ID_OPTION, "設定(&S)"},
              {kSeparator, nullptr},
              {ID_TRAY_OPEN, "CDトレイを開く(&O)"},
              {ID_TRAY_CLOSE, "CDトレイを閉じる(&C)"},
              {kSeparator, nullptr},
              {ID_INSTALL, "ソフトのインストール(&I)"}});
}

void AddHelpMenu(QMenuBar* bar, CCommandActions& actions)
{
    AddItems(bar->addMenu(QStringLiteral("ヘルプ(&H)")), actions,
             {{ID_HELP, "Zarn2 のヘルプ(&H)"}, {ID_APP_ABOUT, "Zarn2 のバージョン情報 (&A)..."}});
}

}  // namespace

namespace CMainMenu {

void Build(QMenuBar* bar, CCommandActions& actions)
{
    AddFileMenu(bar, actions);
    AddViewMenu(bar, actions);
    AddGroupMenu(bar, actions);
    AddMemberMenu(bar, actions);
    AddOptionMenu(bar, actions);
    AddHelpMenu(bar, actions);
}

}  // namespace CMainMenu
