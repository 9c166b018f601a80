#pragma once

#include <string>

class CZarn2App;
class FolderListings;

// A run killed while it rewrote a file leaves the rewrite's temporary file ("<file>~XXXXXX")
// beside it. At start those of ours are removed, and nothing else: the temporaries of the
// settings file and of the genre list (also beside the file a symbolic link of theirs
// leads to), of the genre files in the data folder, of the titles' logs in the genres'
// folders, and of the change record, the play's journal and the list of named conflict
// copies in this computer's run folder (and, left by a build before the run folders, in Temp
// itself). Only regular files are removed.
namespace LeftoverTemporaries {

// `listings` lists each folder, and is told what was removed: the passes that follow at
// start look at the same folders.
void Remove(const CZarn2App& app, const std::string& groupListPath, FolderListings& listings);

}  // namespace LeftoverTemporaries
