#pragma once

#include "ScriptedMessenger.h"
#include "TempDir.h"

#include "app/CZarn2App.h"
#include "library/CZarn2Doc.h"

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

// A program folder in a temporary folder ("Zarn2" binary, "Zarn" data folder) with a
// library document loaded on it, for widget tests. Messages are recorded.
class DocFolder {
public:
    DocFolder()
    {
        app.m_szProgramDir = dir.Path();
        app.m_szDataDir = dir / "Zarn";
        app.m_szIniPath = dir / "Zarn2.ini";
        app.m_szExePath = dir / "Zarn2";
        app.m_szGroupListPath = dir / "Zarn2.Grp";
        std::filesystem::create_directory(app.m_szDataDir);
        doc = std::make_unique<CZarn2Doc>(&app);
        doc->OnNewDocument();
        messenger.Clear();
    }

    // Adds a genre with `titles` titles named "<genre>-<n>"; it becomes the current genre.
    void AddGenre(const std::string& genre, int titles, int playMode = 0)
    {
        doc->AddGroup(genre, playMode);
        for (int i = 0; i < titles; ++i)
            doc->AddMember(genre + "-" + std::to_string(i), "/usr/bin/true", "/usr/bin/true", 1, 0);
    }

    // Names of the genres, or of the current genre's titles, in library order.
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
    std::string ListFile() const { return TempDir::ReadBytes(dir / "Zarn2.Grp"); }

    TempDir dir;
    ScriptedMessenger messenger;
    CZarn2App app;
    std::unique_ptr<CZarn2Doc> doc;
};
