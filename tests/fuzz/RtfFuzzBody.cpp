// The body of the RTF fuzz target.
#include "RtfFuzzBody.h"

#include "rtl/RichText.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace fuzzbodies {

namespace {

void Expect(bool Holds, const char* What)
{
    if (Holds)
        return;
    std::fprintf(stderr, "fuzz finding: %s\n", What);
    std::abort();
}

} // namespace

void RtfText(const QByteArray& Bytes)
{
    const TRichDocument Doc = ReadRtf(Bytes);
    const QByteArray Written = WriteRtf(Doc);
    Expect(std::all_of(Written.begin(), Written.end(), [](char C) { return static_cast<unsigned char>(C) < 0x80; }),
           "the RTF written is not 7-bit");
    const TRichDocument Again = ReadRtf(Written);
    Expect(Again == Doc, "the RTF written reads back differently");
    Expect(WriteRtf(Again) == Written, "the RTF read back is written differently");
}

} // namespace fuzzbodies
