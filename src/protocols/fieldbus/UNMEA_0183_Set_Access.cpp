#include "protocols/fieldbus/UNMEA_0183_Set_Access.h"

#include "rtl/Dialogs.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"

#include <algorithm>

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

namespace {
namespace listener {

using W = TFNMEA_0183_Set_Access;

const char* const Serial_Channels[3] = {"RS232", "RS485 / RS422", "RS485 2"};

QStringList Sorted_Offered_Names()
{
    QStringList Names = Offered_Sentence_Names();
    std::sort(Names.begin(), Names.end(), [](const String& A, const String& B) { return CompareText(A, B) < 0; });
    return Names;
}

TTable_Desc Listener_Desc()
{
    const TColor Sentence_Color = RGB(0xE0, 0xFA, 0xFE);
    return TTable_Desc{"NMEA_Listener",
                       W::Data_Rows + 1,
                       W::Col_Sentence,
                       W::Col_Enable,
                       -1,
                       true,
                       {{3514, edNormal, 40},
                        {3515, edDataCheckBox, 50, RGB(0xFF, 0xD8, 0xB0)},
                        {3516, edComboList, 120, Sentence_Color, Sorted_Offered_Names()},
                        {3528, edNormal, 120, Sentence_Color},
                        {3517, edComboList, 120, RGB(0xA8, 0xFF, 0xA8)},
                        {3518, edNormal, 275, clWhite}},
                       {3519, 3520, 3529, 3521, 3522},
                       {{"Enable", W::Col_Enable, "Y"},
                        {"Sentence", W::Col_Sentence, ""},
                        {"Index", W::Col_Index, ""},
                        {"Serial_Channel", W::Col_Serial, ""},
                        {"Mnemonic", W::Col_Mnemonic, ""}}};
}

// The listener's rows take an Index only for these two.
bool Takes_Index(const String& Sentence)
{
    const Integer Index = W::Find_Sentence(Sentence.trimmed().toUpper());
    return Index == Sentence_XDR || Index == Sentence_PJELA;
}

bool Own_Attribute(const TTable_Form::TTable& T, const String& Name)
{
    for (const TTable_Attribute& A : T.Desc.Attributes)
        if (Name == QLatin1String(A.Name))
            return true;
    return false;
}

} // namespace listener
} // namespace

TFNMEA_0183_Set_Access::TFNMEA_0183_Set_Access(TComponent* AOwner)
    : TTable_Form(AOwner, Lang_First,
                  TTable_Window_Desc{"NMEA_0183", "1.000", &File_NMEA_0183_Set_Access, 750, 337,
                                     TTable_Texts{{3502, 3503, 3504, 3505, 3506, 3507},
                                                  {3508, 3509, 3510, 3511, 3512, 3513},
                                                  3523,
                                                  3527}}),
      FKept(std::size_t(Data_Rows + 1))
{
    TTable& T = Add_Table(listener::Listener_Desc());
    sga = T.Grid;
    Hint_Listener = T.Hints.get();
}

Integer TFNMEA_0183_Set_Access::Find_Sentence(const String& Sentence)
{
    for (Integer I = 1; I <= NMEA0183_Sentence_Count; ++I)
        if (Sentence == QLatin1String(NMEA0183_Sentences[std::size_t(I)].Name))
            return I;
    return -1;
}

String TFNMEA_0183_Set_Access::Get_Serial_Channel(const String& Channel)
{
    const String Key = Channel.trimmed().toUpper();
    if (Key == QLatin1String("RS485 / RS422") || Key == QLatin1String("RS485 1"))
        return QStringLiteral("RS485 / RS422");
    return Channel;
}

Boolean TFNMEA_0183_Set_Access::Check_Serial(const String& Channel) const
{
    for (Integer Bit = 0; Bit < 3; ++Bit)
        if ((Enable_Serial & (1 << Bit)) && Channel == QLatin1String(listener::Serial_Channels[Bit]))
            return true;
    return false;
}

// ------------------------------------------------------------ showing

void TFNMEA_0183_Set_Access::Prepare_Tables()
{
    Enable_Serial = 7;
    QStringList Channels;
    for (Integer Bit = 0; Bit < 3; ++Bit)
        if (Enable_Serial & (1 << Bit))
            Channels << QLatin1String(listener::Serial_Channels[Bit]);
    sga->Columns()->Items(Col_Serial)->ComboItems()->SetText(Channels.join(u'\n'));
    FKept.assign(FKept.size(), {});
}

void TFNMEA_0183_Set_Access::Load_Row(Integer Table_Index, const xml::TXMLNode& Row, Integer ARow)
{
    TTable_Form::Load_Row(Table_Index, Row, ARow);
    TAttributes& Kept = FKept[std::size_t(ARow)];
    for (int I = 0; I < Row.AttributeCount(); ++I)
        if (!listener::Own_Attribute(Table(Table_Index), Row.AttributeName(I)))
            Kept.emplace_back(Row.AttributeName(I), Row.AttributeValue(I));
}

void TFNMEA_0183_Set_Access::Load_Value(Integer Table_Index, const TTable_Attribute& A, Integer ARow,
                                        const String& Value)
{
    String Kept = Value;
    if (A.Column == Col_Sentence || A.Column == Col_Index)
        Kept = Value.trimmed();
    if (A.Column == Col_Index && !listener::Takes_Index(sga->Cells(Col_Sentence, ARow)))
        Kept.clear();
    else if (A.Column == Col_Serial)
        Kept = Get_Serial_Channel(Value);
    TTable_Form::Load_Value(Table_Index, A, ARow, Kept);
}

void TFNMEA_0183_Set_Access::After_Load()
{
    Enable_Index_Cell();
}

void TFNMEA_0183_Set_Access::Enable_Index_Cell()
{
    for (Integer R = 1; R <= Data_Rows; ++R) {
        const Integer Index = Find_Sentence(sga->Cells(Col_Sentence, R));
        sga->SetReadOnly(Col_Index, R, Index != Sentence_XDR && Index != Sentence_PJELA);
    }
}

// ------------------------------------------------------------ editing and rows

void TFNMEA_0183_Set_Access::Wire_Grid(Integer Table_Index)
{
    TTable_Form::Wire_Grid(Table_Index);
    Table(Table_Index).Any_Grid->OnComboChange = [this](TObject* Sender, Integer ACol, Integer ARow,
                                                        Integer AItemIndex, const String& ASelection) {
        sgaComboChange(Sender, ACol, ARow, AItemIndex, ASelection);
    };
}

void TFNMEA_0183_Set_Access::sgaComboChange(TObject*, Integer ACol, Integer ARow, Integer, const String& ASelection)
{
    if (ACol != Col_Sentence)
        return;
    const Integer Index = Find_Sentence(ASelection);
    sga->SetReadOnly(Col_Index, ARow, Index != Sentence_XDR && Index != Sentence_PJELA);
}

// The kept attributes move with their rows; a pasted row has none.
void TFNMEA_0183_Set_Access::Rows_Moved(Integer, TRow_Move Move, Integer ARow)
{
    const auto At = FKept.begin() + ARow;
    if (Move == rmDelete) {
        FKept.erase(At);
        FKept.emplace_back();
    } else if (Move == rmInsert) {
        FKept.insert(At, TAttributes());
        FKept.pop_back();
    } else
        At->clear();
    Enable_Index_Cell();
}

// ------------------------------------------------------------ checks and saving

String TFNMEA_0183_Set_Access::Saved_Index(Integer ARow)
{
    return listener::Takes_Index(sga->Cells(Col_Sentence, ARow)) ? sga->Cells(Col_Index, ARow) : String();
}

String TFNMEA_0183_Set_Access::Save_Value(Integer Table_Index, const TTable_Attribute& A, Integer ARow)
{
    if (A.Column == Col_Index)
        return Saved_Index(ARow);
    return TTable_Form::Save_Value(Table_Index, A, ARow);
}

void TFNMEA_0183_Set_Access::Row_Saved(Integer, Integer ARow, xml::TXMLNode& Row)
{
    for (const auto& [Name, Value] : FKept[std::size_t(ARow)])
        Row.SetAttribute(Name, Value);
}

std::optional<String> TFNMEA_0183_Set_Access::Check_Row(Integer, Integer ARow)
{
    const Integer Sentence = Find_Sentence(sga->Cells(Col_Sentence, ARow).trimmed().toUpper());
    if (Sentence < 0)
        return Lang.Strings(3524);
    if ((Sentence == Sentence_XDR || Sentence == Sentence_PJELA) && !In_Range(sga, Col_Index, ARow, 1, 10))
        return Lang.Strings(3530);
    if (!Check_Serial(sga->Cells(Col_Serial, ARow).trimmed().toUpper()))
        return Lang.Strings(3525);
    return std::nullopt;
}

// Two enabled rows may not listen for the same sentence and Index, as
// saved, on one channel.
bool TFNMEA_0183_Set_Access::Check_Tables()
{
    const auto Key = [this](Integer R) {
        return QStringList{sga->Cells(Col_Sentence, R).trimmed().toUpper(), Saved_Index(R).trimmed().toUpper(),
                           sga->Cells(Col_Serial, R).trimmed().toUpper()};
    };
    const Integer Rows = Used_Rows(0);
    for (Integer C = 1; C <= Rows; ++C) {
        if (!Row_Enabled(0, C))
            continue;
        for (Integer D = C + 1; D <= Rows; ++D)
            if (Row_Enabled(0, D) && Key(C) == Key(D)) {
                MessageDlg(Row_Prefixed(C, Lang.Strings(3526) + QString::number(D)), mtError,
                           TMsgDlgButtons{mbOK}, 0);
                return false;
            }
    }
    return true;
}
