#pragma once
// Where the program's own folders and settings live.
#include "rtl/System.h"

namespace platform {

// Points the program folder elsewhere (tests, a relocated installation).
inline constexpr const char* ProgramDirEnv = "CFG_PROGRAM_DIR";

// The folder of the executable, or the one CFG_PROGRAM_DIR names when it is
// set and not empty; absolute, without a trailing delimiter.
String ProgramFolder();

// The per-user data folder of the product: $XDG_DATA_HOME when it holds an
// absolute path, else ~/.local/share, followed by "/" + Product. The folder
// is not created.
String UserDataFolder(const String& Product);

// True when a file can be created in the folder Dir (tried, not guessed
// from permission bits).
bool IsFolderWritable(const String& Dir);

} // namespace platform
