// A language change through the main window relabels the Ethernet-side
// table windows: caption, description, buttons with their hints, tabs,
// headers and the header hint lists, and the template editor's texts.
#include "TableWindowTest.h"

#include "protocols/ethernet/UBACnetSlaveSetAccess.h"
#include "protocols/ethernet/UMQTT_Set_Topic.h"
#include "protocols/ethernet/UModbus_TCP_Master_Set_Access.h"
#include "protocols/ethernet/USNMP_Trap_Access.h"
#include "protocols/ethernet/USetAccess.h"
#include "protocols/ethernet/UTopicTemplate.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"

namespace {

QString T(Integer Text)
{
    return QStringLiteral("T") + QString::number(Text);
}

class TableWindowsLanguageTest : public TableWindowTest {
protected:
    // A language that names every text by its number, chosen in the main window.
    void Change_To_Numbers()
    {
        QByteArray Lng;
        for (Integer I = 0; I < 3800; ++I)
            Lng += "STR" + QByteArray::number(I) + " = T" + QByteArray::number(I) + "\r\n";
        WriteFile(Path_Language + QStringLiteral("/Numbers.lng"), Lng);
        Language_Name = QStringLiteral("Numbers");
        Load_Language();
        FDeviravizevFirmWare->Change_Language();
    }
};

} // namespace

TEST_F(TableWindowsLanguageTest, ALanguageChangeRelabelsTheTableWindows)
{
    Change_To_Numbers();
    const struct {
        TTable_Form* Window;
        Integer First;      // caption; the description follows
        Integer Delete;     // Delete Row caption
        Integer Paste_Hint; // last button hint
        Integer Table;
        Integer Tab;
        Integer Col; // a header by real column
        Integer Header;
        Integer First_Hint; // first text of the hint list, -1: the table has none
        Integer Hint_Col;   // a header cell whose hint is shown, -1: the grid shows none
        Integer Hint;
    } Cases[] = {
        {FSetAccess, 1600, 1604, 1613, 0, 1614, 3, 1619, 1643, 2, 1644},
        {FSetAccess, 1600, 1604, 1613, 1, 1615, 14, 1641, 1655, 2, 1656},
        {FModbus_TCP_Master_Set_Access, 1900, 1904, 1968, 0, 1906, 2, 1910, 1969, -1, 0},
        {FModbus_TCP_Master_Set_Access, 1900, 1904, 1968, 1, 1907, 16, 1937, 1983, 1, 1983},
        {FSNMP_Trap_Access, 3200, 3204, 3215, 0, 3208, 13, 3281, 3239, 1, 3239},
        {FSNMP_Trap_Access, 3200, 3204, 3215, 1, 3209, 9, 3238, 3252, 1, 3252},
        {FBACnetSlaveSetAccess, 2100, 2104, 2115, 0, 2108, 1, 2117, -1, -1, 0},
        {FBACnetSlaveSetAccess, 2100, 2104, 2115, 1, 2109, 8, 2131, -1, -1, 0},
        {FMQTT_Set_Topic, 3300, 3304, 3313, 0, 3333, 4, 3337, 3319, 1, 3319},
        {FMQTT_Set_Topic, 3300, 3304, 3313, 1, 3334, 14, 3328, 3329, 1, 3329},
    };
    for (const auto& K : Cases) {
        TTable_Form* W = K.Window;
        SCOPED_TRACE(K.First + K.Table);
        EXPECT_EQ(T(K.First), W->Caption());
        EXPECT_EQ(T(K.First + 1), W->L_SW_Desc->Caption());
        EXPECT_EQ(T(K.First + 2), W->Btn_OK->Caption());
        EXPECT_EQ(T(K.Delete), W->Btn_DelRow->Caption());
        EXPECT_EQ(T(K.Paste_Hint), W->Btn_PasteRow->Hint());
        const TTable_Form::TTable& Table = W->Table(K.Table);
        EXPECT_EQ(T(K.Tab), Table.Sheet->Caption());
        EXPECT_EQ(T(K.Header), Table.Grid->Columns()->Items(K.Col)->Header());
        if (K.First_Hint < 0)
            EXPECT_EQ(0, Table.Hints->Count());
        else
            EXPECT_EQ(T(K.First_Hint), Table.Hints->Strings(0));
        String Hint;
        if (Table.Grid->OnGridHint)
            Table.Grid->OnGridHint(Table.Grid, 0, K.Hint_Col < 0 ? 1 : K.Hint_Col, Hint);
        EXPECT_EQ(K.Hint_Col < 0 ? String() : T(K.Hint), Hint);
    }
}

TEST_F(TableWindowsLanguageTest, ALanguageChangeRelabelsTheTemplateEditor)
{
    Change_To_Numbers();
    TFTopicTemplate* W = FTopicTemplate;
    ASSERT_NE(nullptr, W);
    EXPECT_EQ(T(3400), W->Caption());
    EXPECT_EQ(T(3402), W->L_SW_Desc->Caption());
    EXPECT_EQ(T(3404), W->L_List_Keywords->Caption());
    EXPECT_EQ(T(3405), W->ESG_Keywords->Cells(0, 0));
    EXPECT_EQ(T(3406), W->ESG_Keywords->Cells(1, 0));
    EXPECT_EQ(T(3407), W->Btn_OK->Caption());
    EXPECT_EQ(T(3408), W->Btn_Cancel->Caption());
}
