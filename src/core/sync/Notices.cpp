#include "sync/Notices.h"

#include "platform/AtomicFile.h"
#include "platform/Format.h"
#include "platform/IMessenger.h"
#include "platform/RegularFile.h"

#include <set>

namespace {

constexpr std::uint64_t kMaxToldBytes = 1u << 20;

std::set<std::string> Lines(const std::string& text)
{
    std::set<std::string> lines;
    size_t from = 0;
    while (from < text.size()) {
        size_t end = text.find('\n', from);
        if (end == std::string::npos)
            break;
        lines.insert(text.substr(from, end - from));
        from = end + 1;
    }
    return lines;
}

}  // namespace

namespace Notices {

void Tell(const std::vector<LibraryFold::Notice>& notices, int self, const std::string& toldPath)
{
    std::string bytes;
    std::set<std::string> told;
    if (!toldPath.empty() && RegularFile::ReadAtMost(toldPath, kMaxToldBytes, bytes, SymbolicLinks::Refuse) == 0)
        told = Lines(bytes);
    std::vector<std::string> texts;
    std::string standing;
    for (const LibraryFold::Notice& notice : notices) {
        if (notice.machine != self)
            continue;
        standing += notice.key + "\n";
        if (told.count(notice.key) == 0)
            texts.push_back(notice.text);
    }
    if (!texts.empty()) {
        std::string message = "他の PC での変更とまとめた結果, この PC での変更をそのまま行えなかったものがあります.\n";
        for (size_t i = 0; i < texts.size() && i < kMaxShown; ++i)
            message += "\n" + texts[i];
        if (texts.size() > kMaxShown)
            message += Format("\n\nほか %zu 件", texts.size() - kMaxShown);
        Messenger::Show(message);
    }
    // Written after the message: a run killed while it is open tells it again rather than never.
    if (!toldPath.empty() && standing != bytes)
        AtomicFile::Replace(toldPath, standing, SymbolicLinks::Refuse);
}

}  // namespace Notices
