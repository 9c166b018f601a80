#pragma once

#include <string>

// The settings kept in Zarn2.ini, with their defaults. The position default depends on
// the screen and is set by CZarn2App.
struct CSettings {
    struct Point {
        int x = 0;
        int y = 0;
    };

    Point Position;
    int IconSize = 0;        // 0 small icons, 1 large icons in the title list
    int CdDvdRom = 0;        // "[CD/DVD-ROM]": index into the optical drive table
    int LimitMinite = 0;     // plays shorter than this many minutes need a confirmation
    int IdleMinite = kDefaultIdleMinite;  // "[IdleMinite]": idle stretches of a timed play this long count; 0 off
    int HistoryMode = 0;     // 0 per session, 1 per day
    int Minimize = 1;        // minimise the window while a recorded title runs
    int AutoExit = 0;        // close the launcher after an unrecorded start
    std::string Filer = "explorer.exe";
    std::string SUBST;       // folder mapped to a drive letter at start

    static constexpr int kDefaultIdleMinite = 30;
    static constexpr int kWindowWidth = 750;
    static constexpr int kWindowHeight = 510;
    static Point CentredPosition(int screenWidth, int screenHeight)
    {
        return Point{(screenWidth - kWindowWidth) / 2, (screenHeight - kWindowHeight) / 2};
    }
};
