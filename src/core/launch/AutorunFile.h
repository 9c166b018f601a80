#pragma once

#include <string>

// A disc's "Autorun.inf" as the install command reads it.
struct AutorunFile {
    bool read = false;    // the file was found in the medium's root and could be read
    std::string program;  // the program its first OPEN line names, "" when there is none
    std::string folder;   // the working folder: the medium's root

    // Looks for "Autorun.inf" (any letter case) in `mountRoot` and reads it: the first
    // line that starts with "OPEN" (any case) and contains "=" names the program, the text
    // after its last "=" with leading blanks skipped. Backslashes become "/"; the path
    // never leaves the medium (".." stops at its root, as a drive root does) and each part
    // of it is matched without regard to letter case when the exact name is missing.
    static AutorunFile Read(const std::string& mountRoot);

    // The program path for an OPEN entry's text (already cut at the line end).
    static std::string ResolveOnMedium(const std::string& mountRoot, const std::string& entry);
    // The name in `folder` that equals `name` ignoring ASCII letter case ("" if none);
    // the exact name wins.
    static std::string FindIgnoringCase(const std::string& folder, const std::string& name);
};
