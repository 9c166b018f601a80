#include "app/CMainToolBar.h"

#include "app/CCommandActions.h"
#include "app/CommandIds.h"

#include <QAction>
#include <QIcon>
#include <QToolBar>

using namespace CommandId;

namespace {

constexpr int kSeparator = 0;

struct Button {
    int id;             // kSeparator for a gap
    const char* image;  // file under :/toolbar
    const char* text;   // status prompt, "\n", tooltip
};

constexpr Button kButtons[] = {
    {ID_FILER, "filer", "登録したファイラーを起動する\n登録したファイラーを起動する"},
    {kSeparator, nullptr, nullptr},
    {ID_TRAY_OPEN, "tray-open", "CDトレイを開く\nCDトレイを開く"},
    {ID_TRAY_CLOSE, "tray-close", "CDトレイを閉じる\nCDトレイを閉じる"},
    {kSeparator, nullptr, nullptr},
    {ID_INSTALL, "install", "挿入したメディアのセットアップを実行する\nセットアップを実行する"},
    {kSeparator, nullptr, nullptr},
    {ID_ICON_LARGE, "icon-large", "大きいアイコン\n大きいアイコン"},
    {ID_ICON_SMALL, "icon-small", "小さいアイコン\n小さいアイコン"},
    {kSeparator, nullptr, nullptr},
    {ID_HISTORY_COUNT, "history-count", "回数で表示\n回数で表示"},
    {ID_HISTORY_DATE, "history-date", "日付で表示\n日付で表示"},
    {kSeparator, nullptr, nullptr},
    {ID_HELP, "help", "ヘルプの表示\nヘルプを表示する"},
    {kSeparator, nullptr, nullptr},
    {ID_PLAY_CHART, "play-chart", "プレイ時間のグラフを表示する\nプレイ グラフ"},
};

}  // namespace

namespace CMainToolBar {

void Build(QToolBar* bar, CCommandActions& actions)
{
    bar->setMovable(false);
    bar->setFloatable(false);
    bar->setIconSize(QSize(20, 15));
    bar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    for (const Button& button : kButtons) {
        if (button.id == kSeparator) {
            bar->addSeparator();
            continue;
        }
        QString text = QString::fromUtf8(button.text);
        QString prompt = text.section(QLatin1Char('\n'), 0, 0);
        QString tip = text.section(QLatin1Char('\n'), 1);
        // The menu creates the actions; the toolbar only adds what the menu lacks.
        QAction* action = actions.Add(button.id, prompt);
        action->setStatusTip(prompt);
        action->setToolTip(tip);
        action->setIcon(QIcon(QStringLiteral(":/toolbar/%1.png").arg(QLatin1String(button.image))));
        bar->addAction(action);
    }
}

}  // namespace CMainToolBar
