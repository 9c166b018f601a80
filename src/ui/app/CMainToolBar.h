#pragma once

class CCommandActions;
class QToolBar;

// The toolbar under the main menu: file manager | tray open, tray close | install |
// large, small icons | by count, by date | help. Each button's command carries its
// status bar prompt and its tooltip.
namespace CMainToolBar {
void Build(QToolBar* bar, CCommandActions& actions);
}
