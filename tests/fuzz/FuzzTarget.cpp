// One libFuzzer target per body of FuzzBodies.h: CFG_FUZZ_BODY names the
// body, CFG_FUZZ_FIXTURES_DIR the fixtures folder.
#include "FuzzBodies.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzzbodies::SetFixtures(QStringLiteral(CFG_FUZZ_FIXTURES_DIR));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size)
{
    CFG_FUZZ_BODY(QByteArray(reinterpret_cast<const char*>(Data), qsizetype(Size)));
    return 0;
}
