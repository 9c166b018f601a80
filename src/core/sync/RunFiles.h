#pragma once

class CZarn2App;

// The files of a run in Temp/ belong to the computer that runs it (CZarn2App::m_szTempDir,
// "Temp/<machine id>"). At start, before anything reads them:
//   - the play's journal and the change record a build before the run folders left in
//     Temp itself are this computer's, and move into its run folder (never over a file);
//   - the Syncthing folder a home folder is or lies in (the nearest one holding ".stfolder")
//     gets the home folder's Temp ("/Temp", "/Games/Zarn2/Temp") in its ".stignore" where
//     Syncthing honours it, unless a line ignoring Temp comes first already (the file is
//     made when missing, its lines kept), and a message says so. Syncthing follows the first pattern that matches, so the line goes before the first
//     one that may take Temp back ("!…", "#include …"), or last. A ".stignore" that cannot
//     be read, or is not a regular file of its own (a link, a folder, a pipe …), is left as
//     it is, and a message says that Temp could not be kept out.
namespace RunFiles {

void Prepare(const CZarn2App& app);

}  // namespace RunFiles
