#pragma once

class CAppCommands;
class CDiscCommands;
class CMainFrame;
class CZarn2View;

// Connects the frame's command actions to the handlers: the library and display commands
// to the view, the application commands to the application's handlers.
namespace CommandRouter {
void ConnectView(CMainFrame& frame, CZarn2View& view);
void ConnectApp(CMainFrame& frame, CAppCommands& commands);
void ConnectDisc(CMainFrame& frame, CDiscCommands& commands);
}  // namespace CommandRouter
