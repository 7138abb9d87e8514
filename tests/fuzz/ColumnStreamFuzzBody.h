#pragma once
// What the column-stream fuzz target does with one input, shared with the
// test that replays the inputs once found (tests/fixtures/grid/regress/
// colstream-*). A broken invariant aborts, as every finding of a fuzz
// target does.
#include <QByteArray>

namespace fuzzbodies {

// The input loaded as a column stream into a column grid on a form: a
// refused stream (EReadError) leaves the grid's columns, widths and headers
// as they were; a loaded one saves and loads into fresh grids, and after
// the first such round trip saves the same bytes again.
void ColumnStream(const QByteArray& Bytes);

} // namespace fuzzbodies
