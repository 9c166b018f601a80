#pragma once

// Whether a file operation goes through a symbolic link at the file's name to the file it
// leads to, or refuses a link there (ELOOP): a data file the user may keep elsewhere, or a
// file of the run's own that only the program makes.
enum class SymbolicLinks { Follow, Refuse };
