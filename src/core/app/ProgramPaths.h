#pragma once

#include <string>

// Where one run of the program finds its files. A portable build keeps everything in the
// binary's folder. An installed build (the binary in <prefix>/bin) reads its help from
// <prefix>/share/zarn2, finds its helper programs in <prefix>/libexec/zarn2 and keeps the
// user's files in <data home>/Zarn2, so nothing is written beside the binary. Both are
// found relative to the binary, so an unpacked package runs where it lies.
struct ProgramPaths {
    std::string exePath;       // the binary itself
    std::string programDir;    // its folder, no trailing "/"
    std::string homeDir;       // the user's files: settings, genre list, Zarn/, Temp/
    std::string iniPath;       // <home>/Zarn2.ini
    std::string groupListPath; // <home>/<binary name>.Grp
    std::string dataDir;       // <home>/Zarn: genre files and folders
    std::string tempDir;       // <home>/Temp
    std::string helpDir;       // holds index.html
    std::string helperDir;     // the helper programs
    bool makeHomeDir = false;  // the home folder is made, parents too, at the first start

    // Everything in the binary's folder.
    static ProgramPaths Portable(const std::string& exePath);
    // The binary in <prefix>/bin; the user's files in <dataHome>/Zarn2.
    static ProgramPaths Installed(const std::string& exePath, const std::string& dataHome);
    // The paths of the running binary, in the layout this build was made for (the data
    // home from XDG_DATA_HOME, by default ~/.local/share).
    static ProgramPaths ForRunningBinary();
    // The folder of our helper programs beside the running binary.
    static std::string HelperDir();
    // The genre list lies beside the program and carries its file name with the extension
    // replaced by "Grp" (or ".Grp" added when the name has none). Empty when `exePath`
    // names no file.
    static std::string GroupListPathFor(const std::string& exePath);
};
