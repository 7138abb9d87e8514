// The NMEA 0183 sentence table, its data-field map and the lookups both
// NMEA 0183 windows run against them.
#include "protocols/fieldbus/UNMEA_0183_Set_Access.h"
#include "protocols/fieldbus/UNMEA_0183_Set_Access2.h"

#include <gtest/gtest.h>

#include <QSet>

namespace {

using Access = TFNMEA_0183_Set_Access;
using Access2 = TFNMEA_0183_Set_Access2;

} // namespace

TEST(NMEA0183Map, SentenceLookups)
{
    const struct {
        const char* Text;
        Integer Index;    // Find_Sentence and GetIndexSentence
        const char* Kept; // Get_Sentence
    } Cases[] = {
        {"ZDA", 1, "ZDA"},    {"RMB", 19, ""},      {"$PJELA", 35, "$PJELA"}, {"VWT", 39, "VWT"},
        {"gga", -1, ""},      {"GGA ", -1, ""},     {" GGA", -1, ""},         {"", -1, ""},
        {"PJELA", -1, ""},    {"HDM", 12, ""},      {"GSV", 10, "GSV"},       {"XDR", 34, "XDR"},
    };
    for (const auto& K : Cases) {
        const String Text = QLatin1String(K.Text);
        EXPECT_EQ(K.Index, Access::Find_Sentence(Text)) << K.Text;
        EXPECT_EQ(K.Index, Access2::GetIndexSentence(Text)) << K.Text;
        EXPECT_EQ(QLatin1String(K.Kept), Access2::Get_Sentence(Text)) << K.Text;
    }
}

TEST(NMEA0183Map, DataFieldLookups)
{
    const Integer RMB = 19, GGA = 7;
    const struct {
        Integer Sentence;
        const char* Field;
        Integer Index;
    } Index_Cases[] = {
        {0, "UTC TIME", -1},       {-1, "UTC TIME", -1},        {40, "UTC TIME", -1},
        {RMB, "", -1},             {RMB, "UTC TIME", -1},       {GGA, "UTC TIME", 0},
        {GGA, "utc time", -1},     {GGA, "LATITUDE", 1},        {Sentence_GSV, "MESSAGE NUMBER", 1},
        {Sentence_GSV, "SNR", 6},  {Sentence_PJELA, "VALUE", 0}, {Sentence_XDR, "UNITS", 2},
    };
    for (const auto& K : Index_Cases)
        EXPECT_EQ(K.Index, Access2::GetIndexDataField(K.Sentence, QLatin1String(K.Field)))
            << K.Sentence << " " << K.Field;

    EXPECT_TRUE(Access2::Data_Fields(RMB).empty());
    EXPECT_TRUE(Access2::Data_Fields(0).empty());
    EXPECT_TRUE(Access2::Data_Fields(40).empty());
    EXPECT_EQ(QStringLiteral("Latitude"), Access2::Get_DataField(QStringLiteral("Latitude"), QStringLiteral("GGA")));
    EXPECT_EQ(QString(), Access2::Get_DataField(QStringLiteral("LATITUDE"), QStringLiteral("GGA")));
    EXPECT_EQ(QString(), Access2::Get_DataField(QStringLiteral("Latitude"), QStringLiteral("HDT")));
    EXPECT_EQ(QString(), Access2::Get_DataField(QStringLiteral("Latitude"), QStringLiteral("gga")));
    EXPECT_EQ(QString(), Access2::Get_DataField(QString(), QStringLiteral("RMB")));
}

TEST(NMEA0183Map, OfferedNamesInTableOrder)
{
    EXPECT_EQ((QStringList{"ZDA", "DBT", "DPT", "GGA", "GLL", "GSA", "GSV", "HDG", "HDT", "MDA", "MWD", "MWV", "RMC",
                           "ROT", "VHW", "VTG", "VWR", "XTE", "THS", "XDR", "$PJELA", "DBK", "DBS", "DTM", "VWT"}),
              Offered_Sentence_Names());
}

// What the windows rely on: every offered sentence has fields; names are
// not empty, carry no outer blanks or tabs and are unique ignoring case;
// every field takes at least one position.
TEST(NMEA0183Map, EveryFieldListIsUsable)
{
    for (Integer I = 1; I <= NMEA0183_Sentence_Count; ++I) {
        const auto Fields = Access2::Data_Fields(I);
        if (NMEA0183_Sentences[std::size_t(I)].Offered)
            EXPECT_FALSE(Fields.empty()) << I;
        QSet<QString> Seen;
        for (const TFieldSentence& F : Fields) {
            const QString Name = QString::fromLatin1(F.Field);
            EXPECT_FALSE(Name.isEmpty()) << I;
            EXPECT_EQ(Name.trimmed(), Name) << I;
            EXPECT_FALSE(Name.contains(u'\t')) << I;
            EXPECT_FALSE(Seen.contains(Name.toUpper())) << I << " " << F.Field;
            Seen.insert(Name.toUpper());
            EXPECT_GE(F.Dimension, 1) << I << " " << F.Field;
        }
    }
    const auto GSV = Access2::Data_Fields(Sentence_GSV);
    ASSERT_EQ(7u, GSV.size());
    const char* const Satellite[] = {"Satellite Number", "Elevation", "Azimuth", "SNR"};
    EXPECT_STREQ("Message Number", GSV[1].Field);
    for (std::size_t K = 0; K < 4; ++K)
        EXPECT_STREQ(Satellite[K], GSV[3 + K].Field);
    EXPECT_EQ(4u, Access2::Data_Fields(Sentence_XDR).size());
    EXPECT_EQ(1u, Access2::Data_Fields(Sentence_PJELA).size());
}
