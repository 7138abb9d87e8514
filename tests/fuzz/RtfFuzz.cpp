// Fuzz target of the RTF reader and writer (tests/fuzz/RtfFuzzBody.h).
#include "RtfFuzzBody.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size)
{
    fuzzbodies::RtfText(QByteArray(reinterpret_cast<const char*>(Data), qsizetype(Size)));
    return 0;
}
