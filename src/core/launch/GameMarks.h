#pragma once

#include <string>
#include <vector>

struct StartedProgram;
struct UserProcess;

// What tells the game a title asked for from other processes, once the command the play
// started has ended or passed its request on to a client that was already running. Each
// client marks the games it starts:
//   Steam   steam://rungameid/N, steam://run/N, steam://launch/N, "steam -applaunch N":
//           a process whose environment holds SteamAppId=N or SteamGameId=N, or the
//           reaper Steam runs each game under ("... SteamLaunch AppId=N ...");
//   Flatpak "flatpak run [options] <app id>": a process of that application's sandbox;
//   Lutris  lutris:rungame/<slug>: GAME_NAME (game_name before) whose slug is <slug>, with
//           LUTRIS_GAME_UUID; lutris:rungameid/N: any game Lutris started (its games carry
//           no number);
//   Heroic  heroic://launch/[<runner>/]<app name>, heroic://launch?appName=<app name>:
//           HEROIC_APP_NAME=<app name>;
//   itch    itch://caves/<id>/launch: ITCHIO_APP=1 (its games carry no number).
// And for any title with a folder of its own: a program that lies under the title's folder
// (a Linux program, a script, or a Windows program by the path Wine gives it). And for any
// other title whose command runs a Linux program (such as a game of the games menu in
// /usr/games): that very program, given the command's arguments that are no options, so a
// second start that a single-instance game passes to its open copy is told.
//
// A game is only ever one of the processes of this user that started after the play
// began; Wine's background processes never are.
struct GameMarks {
    // The marks of the `command` a play runs (the program and its arguments; a URL is one
    // word) for a title whose program lies in `folder`. Shared folders (the root, the home
    // folder, the folders on PATH, /usr and the like) give no folder rule.
    static GameMarks Of(const std::vector<std::string>& command, const std::string& folder);
    // The marks of what a timed title's start ran or handed over: its command and URL, the
    // Flatpak application of its desktop entry; the folder of a program, or of the program a
    // desktop entry runs by its path.
    static GameMarks Of(const StartedProgram& started);

    // A client's mark: the game may appear some time after the command has ended.
    bool ByClient() const;
    // Whether the command runs the client itself ("steam steam://rungameid/N", "flatpak run
    // com.valvesoftware.Steam ..."), and asks it for a game: a client the play starts (it
    // was not running yet) runs on after its game, so the play follows the game at once
    // rather than wait for the command's end.
    bool LeftToClient() const { return startsClient && ByClient(); }
    bool Any() const { return ByClient() || !folder.empty() || !program.empty(); }
    // The environment variables a process must be read with to be matched.
    std::vector<std::string> EnvKeys() const;
    // Whether a process (read with EnvKeys) carries a mark; its start is not looked at.
    bool Matches(const UserProcess& process) const;
    // What the play waits for, for the "プレイ中" window: "Steam のゲーム 570" and the like.
    std::string Describe() const;

    std::string steamApp;
    std::string flatpakApp;
    bool lutris = false;
    std::string lutrisSlug;  // "" for any game Lutris started
    std::string heroicApp;
    bool itch = false;
    std::string folder;  // resolved, without a trailing "/"; "" for none
    bool startsClient = false;  // the command's program is a client (ClientProcesses)
    // The command's Linux program (ELF), resolved, and its arguments that are no options
    // ("-..."), which its process must have too; "" for a client's game, a script or none.
    std::string program;
    std::vector<std::string> programArgs;
};

// The slug Lutris makes of a game's name: ASCII letters and digits in lower case (accents
// dropped), each run of blanks and hyphens one "-", everything else left out.
std::string LutrisSlug(const std::string& name);
