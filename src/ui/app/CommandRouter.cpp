#include "app/CommandRouter.h"

#include "app/CAppCommands.h"
#include "app/CMainFrame.h"
#include "app/CommandIds.h"
#include "charts/CChartCommands.h"
#include "launch/CDiscCommands.h"
#include "view/CZarn2View.h"

#include <QAction>
#include <QMenu>

using namespace CommandId;

namespace {

template <class Handler>
struct Route {
    int id;
    void (Handler::*slot)();
};

template <class Handler, std::size_t N>
void Connect(CMainFrame& frame, Handler& handler, const Route<Handler> (&routes)[N])
{
    for (const Route<Handler>& route : routes) {
        if (QAction* action = frame.Action(route.id))
            QObject::connect(action, &QAction::triggered, &handler, route.slot);
    }
}

const Route<CZarn2View> kViewRoutes[] = {
    {ID_GROUP_ADD, &CZarn2View::OnGroupAdd},
    {ID_GROUP_EDIT, &CZarn2View::OnGroupEdit},
    {ID_GROUP_ORDER, &CZarn2View::OnGroupOrder},
    {ID_GROUP_DELETE, &CZarn2View::OnGroupDelete},
    {ID_PLAY_RECORD, &CZarn2View::OnPlayRecorded},
    {ID_PLAY_NORECORD, &CZarn2View::OnPlayUnrecorded},
    {ID_MEMBER_ADD, &CZarn2View::OnMemberAdd},
    {ID_MEMBER_EDIT, &CZarn2View::OnMemberEdit},
    {ID_MEMBER_ORDER, &CZarn2View::OnMemberOrder},
    {ID_MEMBER_MOVE, &CZarn2View::OnMemberMove},
    {ID_HISTORY_RESET, &CZarn2View::OnHistoryReset},
    {ID_PLAY_LOG_EDIT, &CZarn2View::OnPlayLogEdit},
    {ID_MEMBER_DELETE, &CZarn2View::OnMemberDelete},
    {ID_MEMBER_DELETE_ALL, &CZarn2View::OnMemberDeleteAll},
    {ID_IMPORT_GAMES, &CZarn2View::OnImportGames},
    {ID_IMPORT_PLAYS, &CZarn2View::OnImportPlays},
    {ID_ICON_LARGE, &CZarn2View::OnIconLarge},
    {ID_ICON_SMALL, &CZarn2View::OnIconSmall},
    {ID_HISTORY_COUNT, &CZarn2View::SetCountMode},
    {ID_HISTORY_DATE, &CZarn2View::SetDateMode},
};

const Route<CAppCommands> kAppRoutes[] = {
    {ID_APP_ABOUT, &CAppCommands::OnAppAbout},
    {ID_APP_EXIT, &CAppCommands::OnAppExit},
    {ID_HELP, &CAppCommands::OnHelp},
    {ID_FILER, &CAppCommands::OnFiler},
    {ID_OPTION, &CAppCommands::OnOptions},
};

const Route<CDiscCommands> kDiscRoutes[] = {
    {ID_TRAY_OPEN, &CDiscCommands::OnTrayOpen},
    {ID_TRAY_CLOSE, &CDiscCommands::OnTrayClose},
    {ID_INSTALL, &CDiscCommands::OnInstall},
};

const Route<CChartCommands> kChartRoutes[] = {
    {ID_PLAY_CHART, &CChartCommands::OnPlayChart},
    {ID_EXPORT_PLAYS, &CChartCommands::OnExportPlays},
};

void ConnectStateUpdates(QMenu* menu, CZarn2View& view)
{
    // Enabled states are brought up to date whenever the menu or one of its submenus opens.
    QObject::connect(menu, &QMenu::aboutToShow, &view, &CZarn2View::UpdateCommandUI);
    for (QAction* item : menu->actions()) {
        if (QMenu* sub = item->menu())
            ConnectStateUpdates(sub, view);
    }
}

}  // namespace

namespace CommandRouter {

void ConnectView(CMainFrame& frame, CZarn2View& view)
{
    Connect(frame, view, kViewRoutes);
    for (int submenu : {kMenuView, kMenuMember})
        if (QMenu* menu = frame.SubMenu(submenu))
            ConnectStateUpdates(menu, view);
}

void ConnectApp(CMainFrame& frame, CAppCommands& commands) { Connect(frame, commands, kAppRoutes); }

void ConnectDisc(CMainFrame& frame, CDiscCommands& commands) { Connect(frame, commands, kDiscRoutes); }

void ConnectCharts(CMainFrame& frame, CZarn2View& view, CChartCommands& commands)
{
    Connect(frame, commands, kChartRoutes);
    QObject::connect(&view, &CZarn2View::StatisticsUpdated, &commands, &CChartCommands::OnStatisticsUpdated);
}

}  // namespace CommandRouter
