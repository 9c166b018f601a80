// The genre list and genre file readers on arbitrary bytes: no crash, no read out of
// bounds, what they load always passes the library's checks, and bytes they refuse are
// marked not to be written. A genre file loaded and written again reads back to the same
// titles (as far as code page 932 holds them).
#include "app/CZarn2App.h"
#include "library/CGroup.h"
#include "library/CZarn2Doc.h"
#include "library/GroupFile.h"
#include "library/GroupListFile.h"
#include "platform/Cp932.h"
#include "platform/IMessenger.h"
#include "platform/TextFileReader.h"
#include "platform/TextFileWriter.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

namespace {

class CountingMessenger final : public IMessenger {
public:
    void ShowMessage(const std::string&) override { ++shown; }
    bool AskYesNo(const std::string&) override { return false; }
    int shown = 0;
};

void Require(bool ok)
{
    if (!ok)
        std::abort();
}

// The text as it comes back from the file (what could not be read becomes "?").
std::string Stored(const std::string& text)
{
    std::string bytes;
    Cp932::FromUtf8(text, bytes);
    return Cp932::ToUtf8(bytes);
}

bool ShortPaths(const CGroup& group)
{
    for (int i = 0; i < group.m_nMemberCount; ++i) {
        const CMember& member = group.m_Member[static_cast<size_t>(i)];
        std::string exe;
        std::string icon;
        if (!Cp932::FromUtf8(member.m_szExePath, exe) || !Cp932::FromUtf8(member.m_szIconPath, icon) ||
            exe.size() > 257 || icon.size() > 257)
            return false;
    }
    return true;
}

void CheckGenreFile(const std::string& bytes, CountingMessenger& messenger)
{
    static auto group = std::make_unique<CGroup>();
    static auto again = std::make_unique<CGroup>();
    TextFileReader reader;
    reader.OpenBytes(bytes);
    int count = group->LoadFrom(reader);
    if (count < 0) {
        // Bytes that are no genre file: the slot must not be written.
        Require(group->m_bUnreadable);
        return;
    }
    Require(count <= CGroup::kMaxMembers);
    messenger.shown = 0;
    Require(group->Check() == count);
    Require(messenger.shown == 0);

    TextFileWriter writer;
    GroupFile::Write(*group, writer);
    std::string written;
    if (!ShortPaths(*group) || !writer.Encode(written, nullptr))
        return;
    TextFileReader back;
    back.OpenBytes(written);
    Require(again->LoadFrom(back) == count);
    for (int i = 0; i < count; ++i) {
        const CMember& a = group->m_Member[static_cast<size_t>(i)];
        const CMember& b = again->m_Member[static_cast<size_t>(i)];
        Require(Stored(a.m_szName) == b.m_szName && Stored(a.m_szExePath) == b.m_szExePath &&
                Stored(a.m_szIconPath) == b.m_szIconPath);
    }
    Require(again->m_nCurrMember == group->m_nCurrMember);
}

void CheckGroupList(const std::string& bytes, CountingMessenger& messenger)
{
    static CZarn2App app;
    static auto doc = std::make_unique<CZarn2Doc>(app);
    doc->m_nGroupCount = 0;
    doc->m_nCurrGroup = -1;
    TextFileReader reader;
    reader.OpenBytes(bytes);
    int count = doc->LoadGroupListFrom(reader);
    if (count < 0) {
        Require(doc->m_bListUnreadable);
        return;
    }
    Require(count <= CZarn2Doc::kMaxGroups && count == doc->m_nGroupCount);
    messenger.shown = 0;
    Require(doc->CheckGroups() == count);
    Require(messenger.shown == 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size)
{
    static CountingMessenger messenger;
    Messenger::Set(&messenger);
    std::string bytes(reinterpret_cast<const char*>(data), size);
    CheckGenreFile(bytes, messenger);
    CheckGroupList(bytes, messenger);
    return 0;
}
