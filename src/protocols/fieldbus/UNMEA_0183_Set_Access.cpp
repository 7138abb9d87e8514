#include "protocols/fieldbus/UNMEA_0183_Set_Access.h"

TFNMEA_0183_Set_Access* FNMEA_0183_Set_Access = nullptr;

const std::array<TNMEA0183_Sentence, 40> NMEA0183_Sentences = {{
    {"", false},      {"ZDA", true},  {"BWC", false}, {"BWR", false}, {"DBT", true},    {"DPT", true},
    {"DSC", false},   {"GGA", true},  {"GLL", true},  {"GSA", true},  {"GSV", true},    {"HDG", true},
    {"HDM", false},   {"HDT", true},  {"HSC", false}, {"MDA", true},  {"MTW", false},   {"MWD", true},
    {"MWV", true},    {"RMB", false}, {"RMC", true},  {"ROT", true},  {"RPM", false},   {"RSA", false},
    {"VBW", false},   {"VDM", false}, {"VDO", false}, {"VDR", false}, {"VHW", true},    {"VLW", false},
    {"VTG", true},    {"VWR", true},  {"XTE", true},  {"THS", true},  {"XDR", true},    {"$PJELA", true},
    {"DBK", true},    {"DBS", true},  {"DTM", true},  {"VWT", true},
}};

QStringList Offered_Sentence_Names()
{
    QStringList Names;
    for (Integer I = 1; I <= NMEA0183_Sentence_Count; ++I)
        if (NMEA0183_Sentences[std::size_t(I)].Offered)
            Names << QLatin1String(NMEA0183_Sentences[std::size_t(I)].Name);
    return Names;
}

Integer TFNMEA_0183_Set_Access::Find_Sentence(const String& Sentence)
{
    for (Integer I = 1; I <= NMEA0183_Sentence_Count; ++I)
        if (Sentence == QLatin1String(NMEA0183_Sentences[std::size_t(I)].Name))
            return I;
    return -1;
}
