#pragma once

#include "platform/Seam.h"

class CZarn2App;
class FolderListings;

// What the library's start and its passes over the genres' folders do beyond its own files:
// this PC's run files put in place, and the conflict copies a sync tool left merged. The
// code for both sits above the library (src/core/sync), which installs it as this seam's
// fallback; a test may install its own.
class ILibraryUpkeep {
public:
    virtual ~ILibraryUpkeep() = default;
    virtual void PrepareRunFiles(const CZarn2App& app) = 0;
    virtual void MergeCopies(const CZarn2App& app, FolderListings& listings) = 0;
};

using LibraryUpkeep = Seam<ILibraryUpkeep>;
template <>
ILibraryUpkeep& Seam<ILibraryUpkeep>::Fallback();
