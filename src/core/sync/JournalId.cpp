#include "sync/JournalId.h"

#include "app/CZarn2App.h"
#include "app/RunFolder.h"
#include "platform/AtomicFile.h"
#include "platform/MachineId.h"
#include "platform/RegularFile.h"

#include <algorithm>
#include <random>

namespace {

bool Usable(const std::string& id)
{
    return id.size() == 32 && std::all_of(id.begin(), id.end(), [](char c) {
               return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f');
           });
}

std::string Random()
{
    std::random_device device;
    std::string id;
    for (int i = 0; i < 32; ++i)
        id += "0123456789abcdef"[device() % 16];
    return id;
}

}  // namespace

namespace JournalId {

std::string Of(const CZarn2App& app)
{
    if (app.m_szTempDir.empty())
        return MachineId::ThisMachine();
    const std::string path = app.m_szTempDir + "/" + RunFolder::kJournalId;
    std::string bytes;
    if (RegularFile::ReadAtMost(path, 64, bytes, SymbolicLinks::Refuse) == 0) {
        bytes.erase(std::find_if(bytes.begin(), bytes.end(), [](char c) { return c == '\n' || c == '\r'; }),
                    bytes.end());
        if (Usable(bytes))
            return bytes;
    }
    std::string id = Random();
    return AtomicFile::Replace(path, id + "\n", SymbolicLinks::Refuse) == 0 ? id : MachineId::ThisMachine();
}

}  // namespace JournalId
