#pragma once
// What the RTF fuzz target does with one input, shared with the test that
// replays the inputs once found (tests/fixtures/grid/regress/). A broken
// invariant aborts, as every finding of a fuzz target does.
#include <QByteArray>

namespace fuzzbodies {

// The input read as RTF, written again and read back: the written RTF is
// 7-bit, reads back as the same text and formats and writes the same bytes
// again.
void RtfText(const QByteArray& Bytes);

} // namespace fuzzbodies
