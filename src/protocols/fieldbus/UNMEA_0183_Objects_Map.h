#pragma once
// The data fields of the NMEA 0183 sentences both NMEA 0183 windows offer:
// entry i of NMEA0183_Map belongs to sentence i of NMEA0183_Sentences.
#include "rtl/System.h"

#include <array>
#include <span>

struct TFieldSentence {
    const char* Field;  // as listed in the Data Field column and stored in the file
    Integer Dimension;  // positions the field takes in the gateway's data array
};

struct TMNEA0183_Map {
    // In the sentence's field order; the data-field index counts from 0.
    std::span<const TFieldSentence> Fields;
};

// Index 1 to 39; entry 0 is unused. Constant data, so it stands before any
// window reads it.
extern const std::array<TMNEA0183_Map, 40> NMEA0183_Map;
