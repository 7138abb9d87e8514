#pragma once
// Arguments of the commands that work on one project folder:
//   COMMAND PROJECT_DIR [more positional arguments] [--exe DIR]
// DIR is the program folder (its settings choose the language; default:
// cfgtool's own folder).
#include <QStringList>

namespace cfgtool {

struct TProjectArgs {
    QStringList Positional;   // PROJECT_DIR first
    QString ExeDir;
};

// The positional arguments and --exe; false on anything else or when the
// number of positional arguments is not Count.
bool ParseProjectArgs(const QStringList& Args, qsizetype Count, TProjectArgs& Result);

// Sets the program folders, reads the settings, loads the language and opens
// the project as the program would; prints "error: ..." and gives false when
// a folder does not exist.
bool OpenProject(const TProjectArgs& Args);

} // namespace cfgtool
