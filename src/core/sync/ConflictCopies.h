#pragma once

class CZarn2App;
class FolderListings;

// A sync tool (Syncthing, Nextcloud, Dropbox) that finds one of the library's files changed
// on two computers keeps one version and puts the other beside it as a conflict copy
// (sync/ConflictName). This pass merges the copies of the genre list, of the genre files and
// of the title logs into their files and removes them (see sync/CopyMerges); the copies of
// the settings file, which belong to each computer, and every file that is not a copy of
// one of these are left alone. A copy waits until it has settled (sync/CopySettling), and
// one gone since the listing is no concern. Copies that stay are named once (sync/MergeReport).
// Run at start before the library loads, and whenever a copy appears while it runs.
// Returns whether a file of the library was rewritten (the library is then read again).
bool MergeConflictCopies(const CZarn2App& app);
// The same on folders listed already (at start, by the pass over leftover temporaries).
bool MergeConflictCopies(const CZarn2App& app, FolderListings& listings);
