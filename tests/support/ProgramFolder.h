#pragma once

#include "ScriptedMessenger.h"
#include "TempDir.h"

#include "app/CZarn2App.h"
#include "library/CZarn2Doc.h"
#include "platform/Cp932.h"

#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

// A program folder in a temporary folder: the binary "Zarn2" (so the list file is
// "Zarn2.Grp"), the data folder "Zarn", the temporary folder "Temp" and the settings file
// path, with an application object on it; messages are recorded. Needs no QApplication.
class ProgramFolder {
public:
    ProgramFolder()
    {
        app.m_szProgramDir = dir.Path();
        app.m_szDataDir = dir / "Zarn";
        app.m_szTempDir = dir / "Temp";
        app.m_szIniPath = dir / "Zarn2.ini";
        app.m_szExePath = dir / "Zarn2";
        app.m_szGroupListPath = dir / "Zarn2.Grp";
        std::filesystem::create_directory(app.m_szDataDir);
        std::filesystem::create_directory(app.m_szTempDir);
    }

    // A document on the folder, loaded as at start.
    CZarn2Doc& LoadDoc()
    {
        doc = std::make_unique<CZarn2Doc>(app);
        doc->OnNewDocument();
        return *doc;
    }
    // Changes the library on disk through a document of its own.
    template <class Fill>
    void Build(Fill fill)
    {
        auto library = std::make_unique<CZarn2Doc>(app);
        library->OnNewDocument();
        fill(*library);
        library->OnCloseDocument();
    }
    // A genre slot of its own (not part of a document) on the data folder.
    std::unique_ptr<CGroup> NewGroup()
    {
        auto group = std::make_unique<CGroup>();
        group->m_pApp = &app;
        return group;
    }

    // Adds a genre with `titles` titles named "<genre>-<n>"; it becomes the current genre
    // and its last title the current title.
    static void AddGenre(CZarn2Doc& library, const std::string& genre, int titles, int playMode = 0)
    {
        library.AddGroup(genre, playMode);
        for (int i = 0; i < titles; ++i)
            library.AddMember(genre + "-" + std::to_string(i), "/usr/bin/true", "/usr/bin/true", 1, 0);
    }
    void AddGenre(const std::string& genre, int titles, int playMode = 0)
    {
        AddGenre(*doc, genre, titles, playMode);
    }

    // Names of the loaded document's genres, or of its current genre's titles, in order.
    std::vector<std::string> GroupNames() const
    {
        std::vector<std::string> names;
        for (int i = 0; i < doc->m_nGroupCount; ++i)
            names.push_back(doc->m_Group[static_cast<size_t>(i)].m_szName);
        return names;
    }
    std::vector<std::string> MemberNames() const
    {
        std::vector<std::string> names;
        if (const CGroup* group = doc->CurrGroup())
            for (int i = 0; i < group->m_nMemberCount; ++i)
                names.push_back(group->m_Member[static_cast<size_t>(i)].m_szName);
        return names;
    }

    std::string ListPath() const { return dir / "Zarn2.Grp"; }
    std::string ListFile() const { return TempDir::ReadBytes(ListPath()); }
    std::string Data(const std::string& name) const { return app.m_szDataDir + "/" + name; }
    std::string LogPath(const std::string& genre, const std::string& title) const
    {
        return Data(genre + "/" + title + ".Log");
    }
    // Log of a title: one session per (start "YYYY/MM/DD,hh:mm:ss", seconds).
    void WriteLog(const std::string& genre, const std::string& title,
                  const std::vector<std::pair<std::string, long>>& sessions) const
    {
        std::string text;
        for (const auto& [start, seconds] : sessions)
            text += start + "\r\n" + std::to_string(seconds) + "\r\n";
        TempDir::WriteBytes(LogPath(genre, title), text);
    }

    // The messages so far, then forgets them.
    std::vector<std::string> TakeMessages()
    {
        std::vector<std::string> taken = messenger.messages;
        messenger.Clear();
        return taken;
    }
    static bool Exists(const std::string& path) { return std::filesystem::exists(path); }
    static std::string Sjis(const std::string& utf8)
    {
        std::string bytes;
        Cp932::FromUtf8(utf8, bytes);
        return bytes;
    }
    static bool StartsWith(const std::string& text, const std::string& prefix)
    {
        return text.compare(0, prefix.size(), prefix) == 0;
    }

    TempDir dir;
    ScriptedMessenger messenger;
    CZarn2App app;
    std::unique_ptr<CZarn2Doc> doc;
};
