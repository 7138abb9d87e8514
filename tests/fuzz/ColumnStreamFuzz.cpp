// Fuzz target of the column stream's reader (tests/fuzz/ColumnStreamFuzzBody.h),
// with the grids on offscreen forms.
#include "ColumnStreamFuzzBody.h"

#include "grid/control/ExGrid.h"

#include <QApplication>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication App(*argc, *argv);
    InitExGridUnit();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size)
{
    fuzzbodies::ColumnStream(QByteArray(reinterpret_cast<const char*>(Data), qsizetype(Size)));
    return 0;
}
