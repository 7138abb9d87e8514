#include "protocols/ethernet/UMQTT_Set_Topic.h"

#include "protocols/ethernet/UTopicTemplate.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"

TFMQTT_Set_Topic* FMQTT_Set_Topic = nullptr;

// Named: the unity build joins the table windows' sources.
namespace mqtt_table {

enum { Pub_OnCMD = 11, Pub_Channel = 14, Pub_Swap = 15, Sub_Swap = 12 };

QStringList QoS_Items()
{
    return {QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("2")};
}

QStringList Type_Items()
{
    return {QStringLiteral("Int"), QStringLiteral("Float"), QStringLiteral("String"), QStringLiteral("Base64")};
}

QStringList Channel_Items()
{
    QStringList L;
    for (Integer I = 0; I < 64; ++I)
        L << QString::number(I);
    return L << QStringLiteral("All");
}

const QStringList Template_Items{QStringLiteral("$VALUE$")};

TTable_Desc Pub_Desc()
{
    return TTable_Desc{
        "MQTT_Publish",
        TFMQTT_Set_Topic::Data_Rows + 1,
        1,
        -1,
        3333,
        true,
        {{3314, edNormal, 40},
         {3315, edNormal, 300},
         {3316, edDataCheckBox, 60},
         {3317, edComboList, 80, clWindow, QoS_Items()},
         {3337, edComboList, 80, clWindow, Type_Items()},
         {3338, edNormal, 80},
         {3339, edNormal, 80},
         {3362, edNormal, 100},
         {3363, edNormal, 120},
         {3335, edComboEdit, 130, clWindow, Template_Items},
         {3381, edDataCheckBox, 75},
         {3383, edDataCheckBox, 55},
         {3384, edDataCheckBox, 64},
         {3385, edNormal, 70},
         {3390, edComboList, 60, clWindow, Channel_Items()},
         {3393, edDataCheckBox, 40},
         {3394, edDataCheckBox, 80},
         {3318, edNormal, 170}},
        {3319, 3320, 3321, 3340, 3341, 3342, 3364, 3365, 3336, 3382, 3386, 3387, 3388, 3391, 3395, 3396, 3322},
        {{"Topic", 1},
         {"Retained", 2},
         {"QoS", 3},
         {"DataType", 4, ""},
         {"Dimension", 5, ""},
         {"Position", 6, ""},
         {"IPAddress", 7, ""},
         {"InputTemplate", 8, ""},
         {"Template", 9, ""},
         {"OnChange", 10, "N"},
         {"OnTimer", 12, "N"},
         {"Time", 13, ""},
         {"Mnemonic", 17}},
    };
}

TTable_Desc Sub_Desc()
{
    return TTable_Desc{
        "MQTT_Subscribe",
        TFMQTT_Set_Topic::Data_Rows + 1,
        1,
        -1,
        3334,
        true,
        {{3324, edNormal, 40},
         {3325, edNormal, 300},
         {3326, edDataCheckBox, 60},
         {3327, edComboList, 80, clWindow, QoS_Items()},
         {3343, edComboList, 80, clWindow, Type_Items()},
         {3344, edNormal, 80},
         {3345, edNormal, 80},
         {3366, edNormal, 100},
         {3367, edNormal, 50},
         {3368, edComboList, 64, clWindow, {QStringLiteral("TCP"), QStringLiteral("UDP")}},
         {3369, edNormal, 130},
         {3346, edComboEdit, 130, clWindow, Template_Items},
         {3393, edDataCheckBox, 40},
         {3394, edDataCheckBox, 80},
         {3328, edNormal, 220}},
        {3329, 3330, 3331, 3347, 3348, 3349, 3370, 3371, 3372, 3373, 3350, 3397, 3398, 3332},
        {{"Topic", 1},
         {"Retained", 2},
         {"QoS", 3},
         {"DataType", 4, ""},
         {"Dimension", 5, ""},
         {"Position", 6, ""},
         {"IPAddress", 7, ""},
         {"Port", 8, ""},
         {"EthType", 9, ""},
         {"InputTemplate", 10, ""},
         {"Template", 11, ""},
         {"Mnemonic", 14}},
    };
}

// Where a row keeps its values (-1: the table has none) and its check texts.
struct TRow_Checks {
    Integer Data_Type, Dimension, Position, IP, Port, Input_Template, Template, On_Timer, Time;
    Integer Type_Text, Int_Text, Float_Text, Other_Text, Position_Text, IP_Text, Port_Text, Input_Template_Text,
        Template_Text, Time_Text;
};

const TRow_Checks Pub_Checks{4, 5, 6, 7, -1, 8, 9, 12, 13, 3352, 3353, 3354, 3355, 3356, 3374, -1, 3377, 3378, 3389};
const TRow_Checks Sub_Checks{4, 5, 6, 7, 8, 10, 11, -1, -1, 3357, 3358, 3359, 3360, 3361, 3375, 3376, 3379, 3380, -1};

// The text of a Dimension failure for a Data Type, none when it passes.
std::optional<Integer> Dimension_Error(const String& Type, Integer Dimension, const TRow_Checks& C)
{
    if (Type == QLatin1String("INT"))
        return Dimension == 1 || Dimension == 2 || Dimension == 4 || Dimension == 8 ? std::nullopt
                                                                                    : std::optional(C.Int_Text);
    if (Type == QLatin1String("FLOAT"))
        return Dimension == 4 || Dimension == 8 ? std::nullopt : std::optional(C.Float_Text);
    return Dimension > 0 ? std::nullopt : std::optional(C.Other_Text);
}

bool Valid_IP(const String& Text)
{
    String A, B, C, D;
    return Split_IP_Address(Text, A, B, C, D);
}

} // namespace mqtt_table

TFMQTT_Set_Topic::TFMQTT_Set_Topic(TComponent* AOwner)
    : TTable_Form(
          AOwner, Lang_First,
          TTable_Window_Desc{
              "MQTT_Set_Topic", "1.003", &File_MQTT_Set_Topic, 1100, 337,
              TTable_Texts{{3302, 3303, 3304, 3305, 3306, 3307}, {3308, 3309, 3310, 3311, 3312, 3313}, 3351, 3323}})
{
    TTable& Pub = Add_Table(mqtt_table::Pub_Desc());
    TTable& Sub = Add_Table(mqtt_table::Sub_Desc());
    TS_MQTT_Publish = Pub.Sheet;
    ECG_Pub = Pub.Grid;
    Hint_MQTT_Set_Topic_Pub = Pub.Hints.get();
    TS_MQTT_Subscribe = Sub.Sheet;
    ECG_Sub = Sub.Grid;
    Hint_MQTT_Set_Topic_Sub = Sub.Hints.get();
}

void TFMQTT_Set_Topic::Wire_Grid(Integer Table_Index)
{
    TTable_Form::Wire_Grid(Table_Index);
    TExColumnGrid* Grid = Table(Table_Index).Grid;
    Grid->OnClickCell = nullptr;
    Grid->OnDblClickCell = [this, Grid](TObject*, Integer ARow, Integer ACol) {
        ECG_MQTT_DblClickCell(Grid, ARow, ACol);
    };
}

void TFMQTT_Set_Topic::Variant_Setup()
{
    Working_Mode = 1;
    Byte_IN = 1440;
    Byte_OUT = 1440;
    const auto Show = [](TExColumnGrid* Grid, std::initializer_list<Integer> Hidden) {
        for (Integer C = 1; C < Grid->Columns()->Count(); ++C) {
            const bool Hide = std::find(Hidden.begin(), Hidden.end(), C) != Hidden.end();
            if (Hide && !Grid->IsHiddenColumn(C))
                Grid->HideColumn(C);
            else if (!Hide && Grid->IsHiddenColumn(C))
                Grid->UnHideColumn(C);
        }
    };
    Show(ECG_Pub, {7, 8, 11, 14, 15, 16});
    Show(ECG_Sub, {2, 7, 8, 9, 10, 12, 13});
    TS_MQTT_Subscribe->SetTabVisible(true);
    ECG_Pub->SetRowCount(Data_Rows + 1);
    ECG_Sub->SetRowCount(Data_Rows + 1);
}

void TFMQTT_Set_Topic::Row_Loaded(Integer Table_Index, Integer ARow)
{
    using namespace mqtt_table;
    TExColumnGrid* Grid = Table(Table_Index).Grid;
    const Integer Swap = Table_Index == 0 ? Pub_Swap : Sub_Swap;
    Grid->SetCells(Swap, ARow, QStringLiteral("N"));
    Grid->SetCells(Swap + 1, ARow, QStringLiteral("N"));
}

Boolean TFMQTT_Set_Topic::Error_In_Topic_Template(const String& Str)
{
    return Str.count(u'$') % 2 != 0;
}

std::optional<String> TFMQTT_Set_Topic::Check_Row(Integer Table_Index, Integer ARow)
{
    using namespace mqtt_table;
    TExColumnGrid* Grid = Table(Table_Index).Grid;
    const TRow_Checks& C = Table_Index == 0 ? Pub_Checks : Sub_Checks;
    const Integer Limit = Table_Index == 0 ? Byte_IN : Byte_OUT;
    const auto Shown = [Grid](Integer Col) { return Col >= 0 && !Grid->IsHiddenColumn(Col); };
    if (Shown(C.Data_Type)) {
        const String Type = Grid->Cells(C.Data_Type, ARow).toUpper().trimmed();
        if (Type.isEmpty())
            return Lang.Strings(C.Type_Text);
        if (const auto Error = Dimension_Error(Type, Cell_Number(Grid, C.Dimension, ARow), C))
            return Lang.Strings(*Error);
    }
    if (Shown(C.Position) && !In_Range(Grid, C.Position, ARow, 0, Limit - 1))
        return Limit_Text(C.Position_Text, Limit - 1);
    if (Shown(C.IP) && !Valid_IP(Grid->Cells(C.IP, ARow).trimmed()))
        return Lang.Strings(C.IP_Text);
    if (Shown(C.Port) && !In_Range(Grid, C.Port, ARow, 0, 65535))
        return Lang.Strings(C.Port_Text);
    if (Shown(C.Input_Template) && Error_In_Topic_Template(Grid->Cells(C.Input_Template, ARow).trimmed()))
        return Lang.Strings(C.Input_Template_Text);
    if (Shown(C.Template) && Error_In_Topic_Template(Grid->Cells(C.Template, ARow).trimmed()))
        return Lang.Strings(C.Template_Text);
    if (C.On_Timer >= 0 && Grid->Cells(C.On_Timer, ARow).trimmed().toUpper() == QLatin1String("Y") &&
        !In_Range(Grid, C.Time, ARow, 1, 1000000000))
        return Lang.Strings(C.Time_Text);
    return std::nullopt;
}

void TFMQTT_Set_Topic::ECG_MQTT_DblClickCell(TExColumnGrid* Grid, Integer ARow, Integer ACol)
{
    DblClick_AutoSize_Col(Grid, ARow, ACol);
    const Integer Template = Grid == ECG_Pub ? Pub_Template : Sub_Template;
    if (Grid->RealCol() == Template && Grid->Row() > 0)
        Show_Form_Topic(Grid, Grid->Row(), Template);
}

void TFMQTT_Set_Topic::Show_Form_Topic(TExColumnGrid* Grid, Integer ARow, Integer ACol)
{
    if (!FTopicTemplate)
        return;
    FTopicTemplate->TopicTemplate = 1;
    FTopicTemplate->Working_Mode = Working_Mode;
    FTopicTemplate->Pub_Sub = Grid == ECG_Pub ? 0 : 1;
    FTopicTemplate->RE_TopicTemplate->Clear();
    FTopicTemplate->RE_TopicTemplate->SetText(Grid->Cells(ACol, ARow));
    if (FTopicTemplate->ShowModal() == mrOk)
        Grid->SetCells(ACol, ARow, FTopicTemplate->RE_TopicTemplate->Text());
}
