#pragma once

#include <string>

class CZarn2App;

// The name of this PC's change journal in a home folder: 32 hexadecimal digits made at random
// the first time and kept in this PC's run folder ("Temp/<machine id>/Zarn2.JournalId", never
// synced), so that two PCs never share a journal, even copies of one system with the same
// machine id. Where it cannot be kept, the machine id.
namespace JournalId {

std::string Of(const CZarn2App& app);

}  // namespace JournalId
