#pragma once

class CZarn2App;

// The files of a run in Temp/ belong to the computer that runs it (CZarn2App::m_szTempDir,
// "Temp/<machine id>"). At start, before anything reads them:
//   - the play's journal and the change record a build before the run folders left in
//     Temp itself are this computer's, and move into its run folder (never over a file);
//   - a home folder that is the root of a Syncthing folder (it holds ".stfolder") gets
//     "/Temp" in its ".stignore" unless a line there names Temp already (the file is made
//     when missing, its lines kept), and a message says so; a ".stignore" that cannot be
//     read is left as it is.
namespace RunFiles {

void Prepare(const CZarn2App& app);

// Whether a line of a ".stignore" keeps the home folder's Temp out of the sync.
bool IgnoresTemp(const char* line);

}  // namespace RunFiles
