// The field lists follow the published field layout of each sentence. Unit
// letters that a sentence always sends the same are left out; a value kept
// as a 32-bit number (time, date, coordinate, measurement) takes 4
// positions, an indicator letter or a small count 1.
#include "protocols/fieldbus/UNMEA_0183_Objects_Map.h"

namespace {

constexpr TFieldSentence ZDA[] = {{"UTC Time", 4},         {"Day", 1}, {"Month", 1}, {"Year", 2},
                                  {"Local Zone Hours", 1}, {"Local Zone Minutes", 1}};
constexpr TFieldSentence Depth_Below[] = {{"Depth Feet", 4}, {"Depth Meters", 4}, {"Depth Fathoms", 4}};
constexpr TFieldSentence DPT[] = {{"Water Depth", 4}, {"Offset", 4}, {"Maximum Range", 4}};
constexpr TFieldSentence GGA[] = {{"UTC Time", 4},
                                  {"Latitude", 4},
                                  {"N/S Indicator", 1},
                                  {"Longitude", 4},
                                  {"E/W Indicator", 1},
                                  {"Fix Quality", 1},
                                  {"Satellites Used", 1},
                                  {"HDOP", 4},
                                  {"Altitude", 4},
                                  {"Geoidal Separation", 4},
                                  {"Age of Differential Data", 4},
                                  {"Differential Station ID", 2}};
constexpr TFieldSentence GLL[] = {{"Latitude", 4},  {"N/S Indicator", 1}, {"Longitude", 4}, {"E/W Indicator", 1},
                                  {"UTC Time", 4}, {"Status", 1},        {"Mode", 1}};
constexpr TFieldSentence GSA[] = {{"Selection Mode", 1},   {"Fix Mode", 1},           {"Satellite Channel 1", 1},
                                  {"Satellite Channel 2", 1},  {"Satellite Channel 3", 1},  {"Satellite Channel 4", 1},
                                  {"Satellite Channel 5", 1},  {"Satellite Channel 6", 1},  {"Satellite Channel 7", 1},
                                  {"Satellite Channel 8", 1},  {"Satellite Channel 9", 1},  {"Satellite Channel 10", 1},
                                  {"Satellite Channel 11", 1}, {"Satellite Channel 12", 1}, {"PDOP", 4},
                                  {"HDOP", 4},                 {"VDOP", 4}};
// The window's Index picks the message (field 1) or the satellite (fields 3 to 6).
constexpr TFieldSentence GSV[] = {{"Total Messages", 1}, {"Message Number", 1}, {"Satellites in View", 1},
                                  {"Satellite Number", 1}, {"Elevation", 1},    {"Azimuth", 2},
                                  {"SNR", 1}};
constexpr TFieldSentence HDG[] = {{"Magnetic Heading", 4},
                                  {"Deviation", 4},
                                  {"Deviation Direction", 1},
                                  {"Variation", 4},
                                  {"Variation Direction", 1}};
constexpr TFieldSentence HDT[] = {{"Heading True", 4}};
constexpr TFieldSentence MDA[] = {{"Barometric Pressure Inches", 4},
                                  {"Barometric Pressure Bars", 4},
                                  {"Air Temperature", 4},
                                  {"Water Temperature", 4},
                                  {"Relative Humidity", 4},
                                  {"Absolute Humidity", 4},
                                  {"Dew Point", 4},
                                  {"Wind Direction True", 4},
                                  {"Wind Direction Magnetic", 4},
                                  {"Wind Speed Knots", 4},
                                  {"Wind Speed Meters", 4}};
constexpr TFieldSentence MWD[] = {{"Wind Direction True", 4},
                                  {"Wind Direction Magnetic", 4},
                                  {"Wind Speed Knots", 4},
                                  {"Wind Speed Meters", 4}};
constexpr TFieldSentence MWV[] = {
    {"Wind Angle", 4}, {"Reference", 1}, {"Wind Speed", 4}, {"Wind Speed Units", 1}, {"Status", 1}};
constexpr TFieldSentence RMC[] = {{"UTC Time", 4},          {"Status", 1},
                                  {"Latitude", 4},          {"N/S Indicator", 1},
                                  {"Longitude", 4},         {"E/W Indicator", 1},
                                  {"Speed Over Ground", 4}, {"Course Over Ground", 4},
                                  {"Date", 4},              {"Magnetic Variation", 4},
                                  {"Variation Direction", 1}, {"Mode", 1}};
constexpr TFieldSentence ROT[] = {{"Rate of Turn", 4}, {"Status", 1}};
constexpr TFieldSentence VHW[] = {
    {"Heading True", 4}, {"Heading Magnetic", 4}, {"Speed Knots", 4}, {"Speed Km/h", 4}};
constexpr TFieldSentence VTG[] = {
    {"Course True", 4}, {"Course Magnetic", 4}, {"Speed Knots", 4}, {"Speed Km/h", 4}, {"Mode", 1}};
constexpr TFieldSentence Wind_Relative[] = {{"Wind Angle", 4},
                                            {"Wind Side", 1},
                                            {"Wind Speed Knots", 4},
                                            {"Wind Speed Meters", 4},
                                            {"Wind Speed Km/h", 4}};
constexpr TFieldSentence XTE[] = {{"General Status", 1},
                                  {"Cycle Lock Status", 1},
                                  {"Cross Track Error", 4},
                                  {"Direction to Steer", 1},
                                  {"Mode", 1}};
constexpr TFieldSentence THS[] = {{"Heading True", 4}, {"Mode", 1}};
// One transducer; the window's Index picks it.
constexpr TFieldSentence XDR[] = {
    {"Transducer Type", 1}, {"Measurement", 4}, {"Units", 1}, {"Transducer Name", 4}};
// No public layout: one value, the window's Index picks it.
constexpr TFieldSentence PJELA[] = {{"Value", 4}};
constexpr TFieldSentence DTM[] = {{"Local Datum", 4},      {"Local Datum Subdivision", 1},
                                  {"Latitude Offset", 4},  {"N/S Indicator", 1},
                                  {"Longitude Offset", 4}, {"E/W Indicator", 1},
                                  {"Altitude Offset", 4},  {"Reference Datum", 4}};

} // namespace

// The sentences that are not offered have no fields.
const std::array<TMNEA0183_Map, 40> NMEA0183_Map = {{
    {},             // unused
    {ZDA},          // 1 ZDA
    {},             // 2 BWC
    {},             // 3 BWR
    {Depth_Below},  // 4 DBT
    {DPT},          // 5 DPT
    {},             // 6 DSC
    {GGA},          // 7 GGA
    {GLL},          // 8 GLL
    {GSA},          // 9 GSA
    {GSV},          // 10 GSV
    {HDG},          // 11 HDG
    {},             // 12 HDM
    {HDT},          // 13 HDT
    {},             // 14 HSC
    {MDA},          // 15 MDA
    {},             // 16 MTW
    {MWD},          // 17 MWD
    {MWV},          // 18 MWV
    {},             // 19 RMB
    {RMC},          // 20 RMC
    {ROT},          // 21 ROT
    {},             // 22 RPM
    {},             // 23 RSA
    {},             // 24 VBW
    {},             // 25 VDM
    {},             // 26 VDO
    {},             // 27 VDR
    {VHW},          // 28 VHW
    {},             // 29 VLW
    {VTG},          // 30 VTG
    {Wind_Relative}, // 31 VWR
    {XTE},          // 32 XTE
    {THS},          // 33 THS
    {XDR},          // 34 XDR
    {PJELA},        // 35 $PJELA
    {Depth_Below},  // 36 DBK
    {Depth_Below},  // 37 DBS
    {DTM},          // 38 DTM
    {Wind_Relative}, // 39 VWT
}};
