// A language change relabels the six frame table windows: caption,
// description, buttons with their hints, headers and header hints.
#include "protocols/ethernet/TableWindowTest.h"

#include "protocols/fieldbus/UReceiveCAN.h"
#include "protocols/fieldbus/UReceiveJ1939.h"
#include "protocols/fieldbus/UReceiveNMEA.h"
#include "protocols/fieldbus/UTransmitCAN.h"
#include "protocols/fieldbus/UTransmitJ1939.h"
#include "protocols/fieldbus/UTransmitNMEA.h"
#include "shell/UComon.h"
#include "shell/UDeviravizevFirmWare.h"

namespace {

QString T(Integer Text)
{
    return QStringLiteral("T") + QString::number(Text);
}

} // namespace

TEST_F(TableWindowTest, ALanguageChangeRelabelsTheFrameTables)
{
    // A language that names every text by its number.
    QByteArray Lng;
    for (Integer I = 0; I < 3800; ++I)
        Lng += "STR" + QByteArray::number(I) + " = T" + QByteArray::number(I) + "\r\n";
    WriteFile(Path_Language + QStringLiteral("/Numbers.lng"), Lng);
    Language_Name = QStringLiteral("Numbers");
    Load_Language();
    FDeviravizevFirmWare->Change_Language();

    const struct {
        TTable_Form* Window;
        Integer First;      // caption; the description follows
        Integer Delete;     // Delete Row caption
        Integer Paste_Hint; // last button hint
        Integer Col;
        Integer Header;
        Integer Hint;
    } Cases[] = {
        {FReceiveCAN, 2300, 2304, 2328, 5, 2313, 2334},
        {FReceiveCAN, 2300, 2304, 2328, 14, 2322, 2343},
        {FReceiveCAN, 2300, 2304, 2328, 4, 2312, 2332},
        {FTransmitCAN, 2400, 2404, 2430, 6, 2462, 2463},
        {FTransmitCAN, 2400, 2404, 2430, 17, 2424, 2446},
        {FReceiveJ1939, 2800, 2804, 2813, 10, 2824, 2834},
        {FTransmitJ1939, 2900, 2904, 2913, 1, 2915, 2925},
        {FReceiveNMEA, 3000, 3004, 3013, 8, 3022, 3030},
        {FTransmitNMEA, 3100, 3104, 3113, 4, 3118, 3128},
    };
    for (const auto& K : Cases) {
        TTable_Form* W = K.Window;
        EXPECT_EQ(T(K.First), W->Caption());
        EXPECT_EQ(T(K.First + 1), W->L_SW_Desc->Caption());
        EXPECT_EQ(T(K.First + 2), W->Btn_OK->Caption());
        EXPECT_EQ(T(K.Delete), W->Btn_DelRow->Caption());
        EXPECT_EQ(T(K.Paste_Hint), W->Btn_PasteRow->Hint());
        TExColumnGrid* Grid = W->Table(0).Grid;
        EXPECT_EQ(T(K.Header), Grid->Columns()->Items(K.Col)->Header()) << K.First;
        String Hint;
        Grid->OnGridHint(Grid, 0, K.Col, Hint);
        EXPECT_EQ(T(K.Hint), Hint) << K.First << " column " << K.Col;
    }
}
