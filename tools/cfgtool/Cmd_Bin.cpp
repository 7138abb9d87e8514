// compile-bin PROJECT_DIR [--exe DIR]: builds "bank1.bin" and "bank2.bin" of
// a project and writes them into its "bin" folder, as the update step does.
// DIR is the program folder (for "IOLink_StaDef"). On a failure the message
// goes to standard error, the exit code is 1 and old images stay as they were.
#include "Command.h"
#include "ProjectArgs.h"

#include "iolink/USaveBincc.h"
#include "shell/UComon.h"

namespace {

int CompileBin(const QStringList& Argv)
{
    cfgtool::TProjectArgs Args;
    if (!cfgtool::ParseProjectArgs(Argv, 1, Args)) {
        cfgtool::Err(QStringLiteral("usage: cfgtool compile-bin PROJECT_DIR [--exe DIR]"));
        return 2;
    }
    if (!cfgtool::OpenProject(Args))
        return 1;
    try {
        Compile_Bin();
        Save_Bin();
    } catch (const Exception& E) {
        cfgtool::Err(E.Message());
        return 1;
    }
    cfgtool::Out(Format("bank1.bin: %d bytes, bank2.bin: %d bytes", {Bin_Bank1().size(), Bin_Bank2().size()}));
    return 0;
}

const cfgtool::CfgCommand CompileBinCommand("compile-bin", CompileBin);

} // namespace
