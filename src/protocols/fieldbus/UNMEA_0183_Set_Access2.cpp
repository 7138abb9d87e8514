#include "protocols/fieldbus/UNMEA_0183_Set_Access2.h"

#include "protocols/fieldbus/UNMEA_0183_Set_Access.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"

TFNMEA_0183_Set_Access2* FNMEA_0183_Set_Access2 = nullptr;

namespace {
namespace nmea2 {

using W = TFNMEA_0183_Set_Access2;

constexpr Integer Position_Limit = 2000;

const QStringList Post_Operations{QStringLiteral("None"),   QStringLiteral(": 10"),  QStringLiteral(": 100"),
                                  QStringLiteral(": 1000"), QStringLiteral(": 10000"), QStringLiteral("x 10"),
                                  QStringLiteral("x 100"),  QStringLiteral("x 1000"), QStringLiteral("x 10000")};
const char* const Serial_Channels[3] = {"RS232", "RS485 / RS422", "RS485 2"};

TTable_Desc Sentence_Desc()
{
    const TColor Sentence_Color = RGB(0xE0, 0xFA, 0xFE);
    const TColor Operation_Color = RGB(0xFF, 0xFF, 0xA8);
    TTable_Desc D{"NMEA_Listener",
                  W::Data_Rows + 1,
                  W::Col_Serial,
                  W::Col_Enable,
                  -1,
                  true,
                  {{3614, edNormal, 40},
                   {3615, edDataCheckBox, 50, RGB(0xFF, 0xD8, 0xB0)},
                   {3616, edComboList, 120, RGB(0xA8, 0xFF, 0xA8)},
                   {3617, edComboList, 120, Sentence_Color, Offered_Sentence_Names()},
                   {3640, edNormal, 50, Sentence_Color},
                   {3618, edComboList, 280, Sentence_Color},
                   {3619, edComboList, 120, Operation_Color, Post_Operations},
                   {3620, edDataCheckBox, 60, Operation_Color},
                   {3621, edDataCheckBox, 60, Operation_Color},
                   {3622, edNormal, 60, RGB(0xFC, 0xD6, 0xF4)},
                   {3623, edNormal, 160, clWhite}},
                  {3624, 3625, 3626, 3641, 3627, 3628, 3629, 3630, 3631, 3632},
                  {{"Enable", W::Col_Enable, "Y"},
                   {"Serial_Channel", W::Col_Serial, "RS232"},
                   {"Sentence", W::Col_Sentence, ""},
                   {"Index", W::Col_Index, ""},
                   {"DataField", W::Col_DataField, ""},
                   {"PortOperation", W::Col_PostOpe, "None"},
                   {"SwapAll", W::Col_SwapAll, "N"},
                   {"Swap16", W::Col_Swap16, "N"},
                   {"Position", W::Col_Position, ""},
                   {"Mnemonic", W::Col_Mnemonic, ""}}};
    D.String_Grid = true;
    // A row without a channel is left out, not the end of the table.
    D.Key_Ends_Table = false;
    return D;
}

bool Takes_Index(Integer Sentence)
{
    return Sentence == Sentence_GSV || Sentence == Sentence_XDR || Sentence == Sentence_PJELA;
}

String Kept_If_Listed(const TStringList& List, const String& Value)
{
    return List.IndexOf(Value) >= 0 ? Value : String();
}

} // namespace nmea2
} // namespace

TFNMEA_0183_Set_Access2::TFNMEA_0183_Set_Access2(TComponent* AOwner)
    : TTable_Form(AOwner, Lang_First,
                  TTable_Window_Desc{"NMEA_0183", "1.000", &File_NMEA_0183_Set_Access, 1200, 337,
                                     TTable_Texts{{3602, 3603, 3604, 3605, 3606, 3607},
                                                  {3608, 3609, 3610, 3611, 3612, 3613},
                                                  3633,
                                                  3639}})
{
    TTable& T = Add_Table(nmea2::Sentence_Desc());
    ESG = T.Any_Grid;
    Hint_Sentence = T.Hints.get();
    for (const String& Operation : nmea2::Post_Operations)
        PostOpe_SL.Add(Operation);
}

// ------------------------------------------------------------ lookups

Integer TFNMEA_0183_Set_Access2::GetIndexSentence(const String& Sentence)
{
    return TFNMEA_0183_Set_Access::Find_Sentence(Sentence);
}

String TFNMEA_0183_Set_Access2::Get_Sentence(const String& Sentence)
{
    const Integer Index = GetIndexSentence(Sentence);
    return Index > 0 && NMEA0183_Sentences[std::size_t(Index)].Offered ? Sentence : String();
}

std::span<const TFieldSentence> TFNMEA_0183_Set_Access2::Data_Fields(Integer Ind_Sent)
{
    if (Ind_Sent < 1 || Ind_Sent > NMEA0183_Sentence_Count)
        return {};
    return NMEA0183_Map[std::size_t(Ind_Sent)].Fields;
}

Integer TFNMEA_0183_Set_Access2::GetIndexDataField(Integer Ind_Sent, const String& DataField)
{
    const std::span<const TFieldSentence> Fields = Data_Fields(Ind_Sent);
    for (std::size_t I = 0; I < Fields.size(); ++I)
        if (QLatin1String(Fields[I].Field).trimmed().toString().toUpper() == DataField)
            return Integer(I);
    return -1;
}

String TFNMEA_0183_Set_Access2::Get_DataField(const String& DataField, const String& Sentence)
{
    for (const TFieldSentence& F : Data_Fields(GetIndexSentence(Sentence)))
        if (DataField == QLatin1String(F.Field))
            return DataField;
    return String();
}

// ------------------------------------------------------------ showing

void TFNMEA_0183_Set_Access2::Prepare_Tables()
{
    Enable_Serial = 7;
    SerialChannel_SL.Clear();
    for (Integer Bit = 0; Bit < 3; ++Bit)
        if (Enable_Serial & (1 << Bit))
            SerialChannel_SL.Add(QLatin1String(nmea2::Serial_Channels[Bit]));
}

void TFNMEA_0183_Set_Access2::Load_Value(Integer Table_Index, const TTable_Attribute& A, Integer ARow,
                                         const String& Value)
{
    String Kept = Value;
    if (A.Column == Col_Serial)
        Kept = nmea2::Kept_If_Listed(SerialChannel_SL, Value);
    else if (A.Column == Col_Sentence)
        Kept = Get_Sentence(Value);
    else if (A.Column == Col_DataField)
        Kept = Get_DataField(Value, ESG->Cells(Col_Sentence, ARow));
    else if (A.Column == Col_PostOpe)
        Kept = nmea2::Kept_If_Listed(PostOpe_SL, Value);
    TTable_Form::Load_Value(Table_Index, A, ARow, Kept);
}

void TFNMEA_0183_Set_Access2::After_Load()
{
    for (Integer R = 1; R <= Data_Rows; ++R)
        Enable_Index_Cell(R);
}

void TFNMEA_0183_Set_Access2::Enable_Index_Cell(Integer ARow)
{
    ESG->SetReadOnly(Col_Index, ARow, !nmea2::Takes_Index(GetIndexSentence(ESG->Cells(Col_Sentence, ARow))));
}

// Rows moved by a row button take the rule with them.
void TFNMEA_0183_Set_Access2::Rows_Moved(Integer, TRow_Move, Integer)
{
    After_Load();
}

// ------------------------------------------------------------ editing

void TFNMEA_0183_Set_Access2::Wire_Grid(Integer Table_Index)
{
    TTable_Form::Wire_Grid(Table_Index);
    Table(Table_Index).Any_Grid->OnComboChange = [this](TObject* Sender, Integer ACol, Integer ARow,
                                                        Integer AItemIndex, const String& ASelection) {
        ESGComboChange(Sender, ACol, ARow, AItemIndex, ASelection);
    };
}

QStringList TFNMEA_0183_Set_Access2::Combo_Items(Integer Table_Index, Integer ACol, Integer ARow)
{
    QStringList Names;
    if (ACol == Col_Serial) {
        for (Integer I = 0; I < SerialChannel_SL.Count(); ++I)
            Names << SerialChannel_SL.Strings(I);
        return Names;
    }
    if (ACol != Col_DataField)
        return TTable_Form::Combo_Items(Table_Index, ACol, ARow);
    for (const TFieldSentence& F : Data_Fields(GetIndexSentence(ESG->Cells(Col_Sentence, ARow))))
        Names << QLatin1String(F.Field);
    return Names;
}

void TFNMEA_0183_Set_Access2::ESGComboChange(TObject*, Integer ACol, Integer ARow, Integer, const String& ASelection)
{
    if (ACol == Col_Sentence) {
        const Integer Sentence = GetIndexSentence(ASelection);
        const std::span<const TFieldSentence> Fields = Data_Fields(Sentence);
        // A sentence without fields leaves no field to propose.
        const String First = Fields.empty() ? String() : QLatin1String(Fields.front().Field);
        ESG->SetCells(Col_DataField, ARow, First);
        ESG->SetReadOnly(Col_Index, ARow, !nmea2::Takes_Index(Sentence));
        Set_Position(ARow, ASelection, First);
    } else if (ACol == Col_DataField)
        Set_Position(ARow, ESG->Cells(Col_Sentence, ARow), ASelection);
}

Integer TFNMEA_0183_Set_Access2::Get_Last_Position(Integer ARow, const String&, const String&)
{
    for (Integer R = ARow - 1; R >= 1; --R) {
        if (!Is_Checked(ESG, Col_Enable, R))
            continue;
        const Integer Sentence = GetIndexSentence(ESG->Cells(Col_Sentence, R));
        const Integer Field = GetIndexDataField(Sentence, ESG->Cells(Col_DataField, R).toUpper());
        if (Field >= 0)
            return StrToIntDef(ESG->Cells(Col_Position, R), 0) + Data_Fields(Sentence)[std::size_t(Field)].Dimension;
    }
    return 0;
}

void TFNMEA_0183_Set_Access2::Set_Position(Integer ARow, const String& Sentence, const String& DataField)
{
    Integer Position = Get_Last_Position(ARow, Sentence, DataField);
    const Integer Index = GetIndexSentence(Sentence);
    const Integer Field = GetIndexDataField(Index, DataField.toUpper());
    if (Field >= 0) {
        const Integer Dimension = Data_Fields(Index)[std::size_t(Field)].Dimension;
        if (Dimension == 1 || Dimension == 3)
            ++Position;
    }
    ESG->SetCells(Col_Position, ARow, QString::number(Position));
}

// ------------------------------------------------------------ checks

// A row without a channel is checked when it names a sentence, enabled or
// not, so that OK does not drop it unseen.
bool TFNMEA_0183_Set_Access2::Row_Checked(Integer Table_Index, Integer ARow)
{
    if (!Has_Key(Table_Index, ARow))
        return !ESG->Cells(Col_Sentence, ARow).trimmed().isEmpty();
    return Row_Enabled(Table_Index, ARow);
}

std::optional<String> TFNMEA_0183_Set_Access2::Check_Index(Integer ARow)
{
    const Integer Sentence = GetIndexSentence(ESG->Cells(Col_Sentence, ARow).trimmed());
    Integer Low = 1, High = 0, Text = 0;
    if (Sentence == Sentence_GSV) {
        const Integer Field =
            GetIndexDataField(Sentence, ESG->Cells(Col_DataField, ARow).toUpper().trimmed());
        if (Field >= 3 && Field <= 6)
            High = 36, Text = 3644;
        else if (Field == 1)
            High = 9, Text = 3645;
    } else if (Sentence == Sentence_XDR)
        High = 10, Text = 3642;
    else if (Sentence == Sentence_PJELA)
        High = 50, Text = 3643;
    if (Text == 0 || In_Range(ESG, Col_Index, ARow, Low, High))
        return std::nullopt;
    return Lang.Strings(Text);
}

std::optional<String> TFNMEA_0183_Set_Access2::Check_Row(Integer Table_Index, Integer ARow)
{
    if (!Has_Key(Table_Index, ARow))
        return Lang.Strings(3634);
    if (ESG->Cells(Col_Sentence, ARow).trimmed().isEmpty())
        return Lang.Strings(3635);
    if (auto Error = Check_Index(ARow))
        return Error;
    if (ESG->Cells(Col_DataField, ARow).trimmed().isEmpty())
        return Lang.Strings(3636);
    if (ESG->Cells(Col_PostOpe, ARow).trimmed().isEmpty())
        return Lang.Strings(3637);
    if (!In_Range(ESG, Col_Position, ARow, 0, nmea2::Position_Limit - 1))
        return Limit_Text(3638, nmea2::Position_Limit);
    return std::nullopt;
}
