#pragma once

class CCommandActions;
class QMenuBar;

// The main menu: ファイル, 表示, ジャンル, タイトル, オプション, ヘルプ. The genre and title
// menus are also the context menus of the genre and title lists.
namespace CMainMenu {
void Build(QMenuBar* bar, CCommandActions& actions);
}
