#pragma once
// FormatSettings changed for one test and put back after it.
#include "rtl/SysUtils.h"

class TScopedFormatSettings {
public:
    TScopedFormatSettings() : FSaved(FormatSettings) {}
    ~TScopedFormatSettings() { FormatSettings = FSaved; }
    TScopedFormatSettings(const TScopedFormatSettings&) = delete;
    TScopedFormatSettings& operator=(const TScopedFormatSettings&) = delete;

    TFormatSettings* operator->() const { return &FormatSettings; }

private:
    TFormatSettings FSaved;
};
