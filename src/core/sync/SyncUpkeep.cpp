#include "library/ILibraryUpkeep.h"
#include "sync/ConflictCopies.h"
#include "sync/RunFiles.h"

namespace {

// The run files of this PC and the conflict copies, for the library's start and passes.
class SyncUpkeep final : public ILibraryUpkeep {
public:
    void PrepareRunFiles(const CZarn2App& app) override { RunFiles::Prepare(app); }
    void MergeCopies(const CZarn2App& app, FolderListings& listings) override { MergeConflictCopies(app, listings); }
};

}  // namespace

template <>
ILibraryUpkeep& Seam<ILibraryUpkeep>::Fallback()
{
    static SyncUpkeep upkeep;
    return upkeep;
}
