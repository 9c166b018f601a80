#pragma once

#include "library/CMember.h"

#include <array>
#include <string>

class CZarn2App;

// One genre: its name, its play mode, its genre file and folder, and up to 128 titles in
// fixed slots (slots 0 .. m_nMemberCount-1 in use, in display order).
class CGroup {
public:
    static constexpr int kMaxMembers = 128;

    std::string m_szName;
    std::string m_szGroupFile;  // data folder + "/" + name + ".Zarn"
    std::string m_szGroupDir;   // data folder + "/" + name: holds the log files
    int m_nPlayMode = 0;        // 0 play with history, 1 play without
    CZarn2App* m_pApp = nullptr;
    std::array<CMember, kMaxMembers> m_Member;
    int m_nMemberCount = 0;
    int m_nCurrMember = -1;

    // Consistency checks: the count, or -1 after the numbered message.
    int Check() const;
    int CheckMemberIndex(int n) const;

    int Load();
    int Save();
    int Create(const std::string& name, int playMode);
    int SetName(const std::string& name);
    int Rename(const std::string& name, int playMode);
    int Remove();
    void UpdateLogPaths();
    int IsMemberNameUsed(const std::string& name) const;
    int AddMember(const std::string& name, const std::string& exePath, const std::string& iconPath,
                  int autoTiming, int useMedia);
    int EditMember(const std::string& name, const std::string& exePath, const std::string& iconPath,
                   int autoTiming, int useMedia);
    int DeleteMember(int n);
    int DeleteAllMembers();
    void SwapMembers(int a, int b);
    void CopyFrom(const CGroup& src);

    CMember* CurrMember();  // the current title, or nullptr

    // Play the current title (defined with the launch code).
    int PlayRecorded();
    int PlayUnrecorded();
    bool ConfirmRecord();
};
