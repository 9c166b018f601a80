#pragma once

class CAppCommands;
class CChartCommands;
class CDiscCommands;
class CMainFrame;
class CZarn2View;

// Connects the frame's command actions to the handlers: the library and display commands
// to the view, the application commands to the application's handlers.
namespace CommandRouter {
void ConnectView(CMainFrame& frame, CZarn2View& view);
void ConnectApp(CMainFrame& frame, CAppCommands& commands);
void ConnectDisc(CMainFrame& frame, CDiscCommands& commands);
// The chart and export commands, and the chart's refresh after the view's statistics.
void ConnectCharts(CMainFrame& frame, CZarn2View& view, CChartCommands& commands);
}  // namespace CommandRouter
