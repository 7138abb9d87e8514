#pragma once
// What tells that a file changed without reading it.
#include "rtl/System.h"

// Equal stamps of one path mean the same content, short of a rewrite of the
// same size within the file system's time granularity.
struct TFileStamp {
    bool Exists = false;
    unsigned long long Device = 0, Inode = 0;
    long long Size = 0, Seconds = 0, Nanoseconds = 0;
    bool operator==(const TFileStamp&) const = default;
};

TFileStamp FileStamp(const String& FileName);
