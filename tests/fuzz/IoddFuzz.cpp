// Fuzz target of the device description decoder: every input is decoded in
// full and in simple mode, with the fixtures' standard definitions. A clean
// EIODDError is fine; anything else (a crash, a sanitizer report, another
// exception, a leak) is a finding.
#include "iolink/UIOLink_IODD_Decode.h"

#include <cstdint>
#include <cstdio>
#include <string>

#include <unistd.h>

namespace {

const std::string& InputPath()
{
    static const std::string Path = "/tmp/iodd_fuzz_" + std::to_string(getpid()) + ".xml";
    return Path;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size)
{
    std::FILE* File = std::fopen(InputPath().c_str(), "wb");
    if (!File)
        return 0;
    if (Size > 0)
        std::fwrite(Data, 1, Size, File);
    std::fclose(File);

    const QString Path = QString::fromStdString(InputPath());
    for (const bool Simple : {false, true}) {
        TIODD IODD;
        IODD.SetStandardDef_Path(QStringLiteral(CFG_FUZZ_STADEF_DIR));
        try {
            IODD.Decode_IODD(Path, Simple);
        } catch (const EIODDError&) {
        }
    }
    return 0;
}
