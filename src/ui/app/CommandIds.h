#pragma once

// Command identifiers of the main menu, the context menus and the toolbar. The numbers are
// kept stable: menus, toolbar and handlers find each other through them.
namespace CommandId {
// Application commands.
constexpr int ID_APP_ABOUT = 57664;
constexpr int ID_APP_EXIT = 57665;
constexpr int ID_HELP = 57670;
constexpr int ID_FILER = 32787;
constexpr int ID_OPTION = 32803;
constexpr int ID_TRAY_OPEN = 32821;
constexpr int ID_TRAY_CLOSE = 32823;
constexpr int ID_INSTALL = 32817;

// Genre commands.
constexpr int ID_GROUP_ADD = 32799;
constexpr int ID_GROUP_EDIT = 32800;
constexpr int ID_GROUP_ORDER = 32809;
constexpr int ID_GROUP_DELETE = 32779;

// Title commands.
constexpr int ID_PLAY_RECORD = 32811;
constexpr int ID_PLAY_NORECORD = 32815;
constexpr int ID_MEMBER_ADD = 32798;
constexpr int ID_MEMBER_EDIT = 32806;
constexpr int ID_MEMBER_ORDER = 32772;
constexpr int ID_MEMBER_MOVE = 32820;
constexpr int ID_HISTORY_RESET = 32810;
constexpr int ID_PLAY_LOG_EDIT = 32842;
constexpr int ID_MEMBER_DELETE = 32775;
constexpr int ID_MEMBER_DELETE_ALL = 32776;

// Display commands.
constexpr int ID_ICON_LARGE = 32829;
constexpr int ID_ICON_SMALL = 32830;
constexpr int ID_HISTORY_COUNT = 32838;
constexpr int ID_HISTORY_DATE = 32839;

// The play chart window and the export of every play.
constexpr int ID_PLAY_CHART = 32840;
constexpr int ID_EXPORT_PLAYS = 32841;

// The import of the games found on this PC and of the plays of an export file.
constexpr int ID_IMPORT_GAMES = 32843;
constexpr int ID_IMPORT_PLAYS = 32844;

// Positions of the main menu's submenus (the genre and title menus double as the
// context menus of their lists).
constexpr int kMenuFile = 0;
constexpr int kMenuView = 1;
constexpr int kMenuGroup = 2;
constexpr int kMenuMember = 3;
constexpr int kMenuOption = 4;
constexpr int kMenuHelp = 5;
}  // namespace CommandId
