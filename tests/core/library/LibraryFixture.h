#pragma once

#include "app/CZarn2App.h"
#include "library/CZarn2Doc.h"
#include "platform/Cp932.h"
#include "support/ScriptedMessenger.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

// A program folder in a temporary folder: the binary "Zarn2" (so the list file is
// "Zarn2.Grp"), the data folder "Zarn", and the settings file path; messages are recorded.
class LibraryFixture : public ::testing::Test {
protected:
    LibraryFixture()
    {
        app.m_szProgramDir = dir.Path();
        app.m_szDataDir = dir / "Zarn";
        app.m_szIniPath = dir / "Zarn2.ini";
        app.m_szExePath = dir / "Zarn2";
        app.m_szGroupListPath = dir / "Zarn2.Grp";
        std::filesystem::create_directory(app.m_szDataDir);
    }

    // A document on the folder, loaded as at start.
    CZarn2Doc& Open()
    {
        doc = std::make_unique<CZarn2Doc>(&app);
        doc->OnNewDocument();
        return *doc;
    }
    // A genre slot of its own (not part of a document) on the data folder.
    std::unique_ptr<CGroup> NewGroup()
    {
        auto group = std::make_unique<CGroup>();
        group->m_pApp = &app;
        return group;
    }

    std::string ListPath() const { return dir / "Zarn2.Grp"; }
    std::string Data(const std::string& name) const { return app.m_szDataDir + "/" + name; }
    static bool Exists(const std::string& path) { return std::filesystem::exists(path); }
    static std::string Sjis(const std::string& utf8)
    {
        std::string bytes;
        Cp932::FromUtf8(utf8, bytes);
        return bytes;
    }
    // The messages so far, then forgets them.
    std::vector<std::string> TakeMessages()
    {
        std::vector<std::string> taken = messenger.messages;
        messenger.Clear();
        return taken;
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
