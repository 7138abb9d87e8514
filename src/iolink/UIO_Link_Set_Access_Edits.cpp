// The edits of the pages: each goes at once into the channel object of the
// port the pages show. No text is refused here; the check on OK judges it.
#include "iolink/UIO_Link_Set_Access_Form.h"

using namespace Qt::StringLiterals;

namespace {

// The field of a variable entry that an edited real column of the
// variables grid holds; null for a column without one.
String* Var_Text_Field(TVarObjValue& Entry, Integer ACol)
{
    switch (ACol) {
    case 12: return &Entry.Value;
    case 13: return &Entry.Position;
    case 14: return &Entry.Bit;
    case 18: return &Entry.Time;
    case 19: return &Entry.ReadTime;
    default: return nullptr;
    }
}

Boolean* Var_Check_Field(TVarObjValue& Entry, Integer ACol)
{
    switch (ACol) {
    case 15: return &Entry.On_CMD;
    case 16: return &Entry.On_Change;
    case 17: return &Entry.On_Timer;
    default: return nullptr;
    }
}

String* PD_Field(TProcDataObjValue& Item, Integer ACol)
{
    switch (ACol) {
    case 5: return &Item.gradient;
    case 6: return &Item.offset;
    case 7: return &Item.position;
    case 8: return &Item.bit;
    default: return nullptr;
    }
}

// Position, start bit, invert and mnemonic of pin 2 or pin 4 by column.
String* Pin_Field(TChannel_IOLink& Ch, Integer Pin, Integer ACol)
{
    const Boolean Pin2 = Pin == 2;
    switch (ACol) {
    case 2: return Pin2 ? &Ch.Pin2_Pos : &Ch.Pin4_Pos;
    case 3: return Pin2 ? &Ch.Pin2_Bit : &Ch.Pin4_Bit;
    case 4: return Pin2 ? &Ch.Pin2_Inv : &Ch.Pin4_Inv;
    case 6: return Pin2 ? &Ch.Pin2_Mne : &Ch.Pin4_Mne;
    default: return nullptr;
    }
}

String* Event_Field(TEventObjValue& Event, Integer ACol)
{
    switch (ACol) {
    case 4: return &Event.TimeOut;
    case 5: return &Event.Position;
    case 6: return &Event.Bit;
    case 7: return &Event.Mnemonic;
    default: return nullptr;
    }
}

template <class T>
void Store(T* Field, const T& Value)
{
    if (Field)
        *Field = Value;
}

} // namespace

// -------------------------------------------------------------- variables

TVarObjValue* TFIO_Link_Set_Access::Var_Entry_Of_Row(Integer ARow) const
{
    TChannel_IOLink* Ch = Page_Channel();
    if (!Ch)
        return nullptr;
    const Integer I = Ch->Get_Index(ESG_Var->Cells(1, ARow), ESG_Var->Cells(2, ARow));
    return I < 0 ? nullptr : Ch->Var_List[std::size_t(I)].get();
}

void TFIO_Link_Set_Access::ESG_VarCellValidate(TObject*, Integer ACol, Integer ARow, String& Value, bool&)
{
    if (TVarObjValue* Entry = Var_Entry_Of_Row(ARow))
        Store(Var_Text_Field(*Entry, ACol), Value);
}

void TFIO_Link_Set_Access::ESG_VarCheckBoxClick(TObject*, Integer ACol, Integer ARow, bool State)
{
    TVarObjValue* Entry = Var_Entry_Of_Row(ARow);
    if (!Entry)
        return;
    const Integer RealCol = ESG_Var->RealColIndex(ACol);
    if (RealCol != 0) {
        Store(Var_Check_Field(*Entry, RealCol), Boolean(State));
        return;
    }
    // A whole record or array is enabled through its items only.
    if (Entry->SubIndex_Present) {
        Entry->Enable = false;
        ESG_Var->SetCheckBoxState(0, ARow, false);
        return;
    }
    Entry->Enable = State;
}

// ------------------------------------------------------------- process data

void TFIO_Link_Set_Access::ProcessData_CellValidate(Boolean PdIn, TExColumnGrid* Grid, Integer ACol, Integer ARow,
                                                    const String& Value)
{
    TChannel_IOLink* Ch = Page_Channel();
    auto* List = Ch ? Ch->PD_List(PdIn) : nullptr;
    if (!List)
        return;
    const Integer I = Ch->PD_Get_Index(PdIn, Grid->Cells(PD_Col_Id, ARow), Grid->Cells(PD_Col_SubIndex, ARow));
    if (I >= 0)
        Store(PD_Field(*(*List)[std::size_t(I)], ACol), Value);
}

void TFIO_Link_Set_Access::ECG_ProcessDataInCellValidate(TObject*, Integer ACol, Integer ARow, String& Value, bool&)
{
    ProcessData_CellValidate(true, ECG_ProcessDataIn, ACol, ARow, Value);
}

void TFIO_Link_Set_Access::ECG_ProcessDataOutCellValidate(TObject*, Integer ACol, Integer ARow, String& Value, bool&)
{
    ProcessData_CellValidate(false, ECG_ProcessDataOut, ACol, ARow, Value);
}

// -------------------------------------------------------------- I/O options

Integer TFIO_Link_Set_Access::IO_Pin_Of_Row(const TChannel_IOLink& Ch, Integer ARow) const
{
    // By real row: a hidden pin 2 row does not move the pin 4 row.
    const Integer RealRow = ECG_IO_Options->RealRowIndex(ARow);
    if (RealRow == IO_Row_Pin2)
        return Ch.TypeA ? 2 : 0;
    return RealRow == IO_Row_Pin4 ? 4 : 0;
}

void TFIO_Link_Set_Access::ECG_IO_OptionsCellValidate(TObject*, Integer ACol, Integer ARow, String& Value, bool&)
{
    TChannel_IOLink* Ch = Page_Channel();
    if (const Integer Pin = Ch ? IO_Pin_Of_Row(*Ch, ARow) : 0)
        Store(Pin_Field(*Ch, Pin, ACol), Value);
}

void TFIO_Link_Set_Access::ECG_IO_OptionsCheckBoxChange(TObject*, Integer ACol, Integer ARow, bool State)
{
    TChannel_IOLink* Ch = Page_Channel();
    const Integer Pin = Ch ? IO_Pin_Of_Row(*Ch, ARow) : 0;
    if (Pin && ACol == IO_Col_Invert)
        Store(Pin_Field(*Ch, Pin, ACol), State ? u"Y"_s : u"N"_s);
}

void TFIO_Link_Set_Access::ECG_IO_OptionsComboChange(TObject*, Integer ACol, Integer ARow, Integer,
                                                     const String& ASelection)
{
    TChannel_IOLink* Ch = Page_Channel();
    if (Ch && ACol == IO_Col_InType && IO_Pin_Of_Row(*Ch, ARow) == 2)
        Ch->Pin2_In_Type = ASelection;
}

// ------------------------------------------------------------------- events

TEventObjValue* TFIO_Link_Set_Access::Event_Of_Row(Integer ARow) const
{
    TChannel_IOLink* Ch = Page_Channel();
    const bool Exists = Ch && ARow >= 1 && std::size_t(ARow) <= Ch->Event_List.size();
    return Exists ? Ch->Event_List[std::size_t(ARow - 1)].get() : nullptr;
}

void TFIO_Link_Set_Access::ECG_EventsCellValidate(TObject*, Integer ACol, Integer ARow, String& Value, bool&)
{
    if (TEventObjValue* Event = Event_Of_Row(ARow))
        Store(Event_Field(*Event, ACol), Value);
}

void TFIO_Link_Set_Access::ECG_EventsCheckBoxChange(TObject*, Integer ACol, Integer ARow, bool State)
{
    TEventObjValue* Event = Event_Of_Row(ARow);
    if (Event && ACol == Ev_Col_Enable)
        Event->Enable = State;
}
