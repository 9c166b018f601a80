#include "sync/Compaction.h"

#include "sync/JournalSet.h"
#include "sync/LibraryFold.h"

#include <algorithm>

namespace {

bool Deletes(Journal::Kind kind)
{
    return kind == Journal::Kind::TitleDelete || kind == Journal::Kind::GenreDelete ||
           kind == Journal::Kind::PlayDelete || kind == Journal::Kind::PlayChange || kind == Journal::Kind::PlaysClear;
}

}  // namespace

namespace Compaction {

Plan Of(const LibraryFold& fold, const JournalSet& journals, int self)
{
    const std::vector<int> machines = journals.Machines();
    // Whether every other PC with a journal has applied line `seq` of `machine`.
    auto seenByAll = [&](int machine, int seq) {
        return std::all_of(machines.begin(), machines.end(),
                           [&](int other) { return other == machine || journals.Saw(other, machine) >= seq; });
    };
    Plan plan;
    const std::vector<LibraryFold::EntryPtr>& applied = fold.Applied();
    int last = 0;
    for (const LibraryFold::EntryPtr& entry : applied)
        if (entry->machine == self)
            last = std::max(last, entry->seq);
    for (size_t i = 0; i < applied.size(); ++i) {
        const Journal::Entry& entry = *applied[i];
        if (entry.machine != self)
            continue;
        int by = fold.ObsoletedBy(i);
        const Journal::Entry* cause = by >= 0 ? applied[static_cast<size_t>(by)].get() : nullptr;
        // The lines of what was deleted go only once another PC is known to have seen the
        // deletion: a PC this one does not know of yet may have changed it meanwhile.
        bool deleted = cause != nullptr && Deletes(cause->kind);
        if (entry.seq != last && cause != nullptr && (!deleted || machines.size() > 1) &&
            seenByAll(self, entry.seq) && seenByAll(cause->machine, cause->seq)) {
            ++plan.dropped;
            continue;
        }
        plan.kept.push_back(entry);
    }
    // In the journal's own order.
    std::sort(plan.kept.begin(), plan.kept.end(),
              [](const Journal::Entry& a, const Journal::Entry& b) { return a.seq < b.seq; });
    return plan;
}

}  // namespace Compaction
