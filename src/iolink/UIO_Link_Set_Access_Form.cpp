// The window's layout, texts and showing, the port grid, inserting and
// deleting a port's description, and OK.
#include "iolink/UIO_Link_Set_Access_Form.h"

#include "iolink/UIOLink_IODD_Catalog.h"
#include "rtl/Dialogs.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"

using namespace Qt::StringLiterals;

TFIO_Link_Set_Access* FIO_Link_Set_Access = nullptr;

namespace {

constexpr Integer Port_Columns = 7;
constexpr std::array<Integer, Port_Columns> Port_Header_Texts{1211, 1297, 1298, 1212, 1213, 1214, 1731};
constexpr std::array<Integer, Port_Columns> Port_Column_Widths{100, 100, 100, 100, 100, 505, 80};
constexpr Integer Port_Panel_Height = 234;
constexpr Integer Button_Width = 110;

// Texts of the buttons OK, Cancel, Insert IODD, Delete IODD: captions from
// 1202, hints from 1206.
constexpr Integer Button_Caption_Texts = 1202, Button_Hint_Texts = 1206;
constexpr Integer Text_Channels_Title = 1210;
constexpr Integer Text_Delete_Question = 1243;

String Port_Caption(Integer Port)
{
    return u"Channel #0"_s + IntToStr(Port);
}

} // namespace

TFIO_Link_Set_Access::TFIO_Link_Set_Access(TComponent* AOwner) : TShellForm(AOwner, Lang_First)
{
    P_Channels = new TPanel(this);
    P_Channels->SetParent(this);
    P_Channels->SetAlign(alTop);
    P_Channels->SetTop(P_Title->Height());
    P_Channels->SetHeight(Port_Panel_Height);
    P_Channels->SetBevelOuter(bvNone);
    P_Channels->SetColor(Shell_Window_Color);
    P_Channels->SetShowCaption(false);

    L_IO_Channels_Title = new TLabel(this);
    L_IO_Channels_Title->SetParent(P_Channels);
    L_IO_Channels_Title->SetAutoSize(true);
    L_IO_Channels_Title->SetLeft(16);
    L_IO_Channels_Title->SetTop(4);

    Create_Port_Grid();

    Splitter1 = new TSplitter(this);
    Splitter1->SetParent(this);
    Splitter1->SetAlign(alTop);
    Splitter1->SetTop(P_Channels->Top() + P_Channels->Height());
    Splitter1->SetHeight(3);

    Add_Button_Panel();
    Btn_InsIODD = new TLbButton(this);
    Btn_InsIODD->SetParent(P_Button);
    Shell_Button_Look(Btn_InsIODD);
    Btn_DelIODD = new TLbButton(this);
    Btn_DelIODD->SetParent(P_Button);
    Shell_Button_Look(Btn_DelIODD);
    // From the left: OK, Cancel, Insert IODD, Delete IODD.
    const std::array<TLbButton*, 4> Buttons{Btn_OK, Btn_Cancel, Btn_InsIODD, Btn_DelIODD};
    for (std::size_t I = 0; I < Buttons.size(); ++I)
        Buttons[I]->SetBounds(8 + Integer(I) * (Button_Width + 8), 6, Button_Width, 28);
    Btn_OK->OnClick = [this](TObject* Sender) { Btn_OKClick(Sender); };
    Btn_InsIODD->OnClick = [this](TObject* Sender) { Btn_InsIODDClick(Sender); };
    Btn_DelIODD->OnClick = [this](TObject* Sender) { Btn_DelIODDClick(Sender); };

    Create_Pages();

    Core.OnMessage = [](TIOLink_MsgKind Kind, const String& Text) {
        MessageDlg(Text, Kind == imkError ? mtError : mtWarning, TMsgDlgButtons{mbOK}, 0);
    };
    OnShow = [this](TObject* Sender) { FormShow(Sender); };
}

void TFIO_Link_Set_Access::Create_Port_Grid()
{
    ECG_IODD = new TExColumnGrid(this);
    ECG_IODD->SetParent(P_Channels);
    ECG_IODD->SetBounds(8, 22, 1254, Port_Panel_Height - 26);
    ECG_IODD->SetColCount(Port_Columns);
    ECG_IODD->SetRowCount(2);
    ECG_IODD->SetFixedRows(1);
    ECG_IODD->SetFixedCols(0);
    ECG_IODD->SetOptions(ECG_IODD->Options() + TGridOptions{goEditing});
    TGridColumnCollection* Columns = ECG_IODD->Columns();
    for (Integer C = 0; C < Port_Columns; ++C)
        Columns->Items(C)->SetWidth(Port_Column_Widths[std::size_t(C)]);
    for (const Integer C : {colChannel, colVendor, colDevice, colFileName})
        Columns->Items(C)->SetReadOnly(true);
    TGridColumnItem* Mode = Columns->Items(colPin4Mode);
    Mode->SetEditor(edComboList);
    Mode->ComboItems()->SetText(u"Disable\nIO-Link\nDIn\nDOut"_s);
    TGridColumnItem* Pin2 = Columns->Items(colReadPin2);
    Pin2->SetEditor(edDataCheckBox);
    Pin2->SetCheckTrue(u"Y"_s);
    Pin2->SetCheckFalse(u"N"_s);
    Pin2->SetAlignment(taCenter);

    ECG_IODD->OnClickCell = [this](TObject* Sender, Integer ARow, Integer ACol) {
        ECG_IODDClickCell(Sender, ARow, ACol);
    };
    ECG_IODD->OnDblClickCell = [this](TObject* Sender, Integer ARow, Integer ACol) {
        ECG_IODDDblClickCell(Sender, ARow, ACol);
    };
    ECG_IODD->OnComboChange = [this](TObject* Sender, Integer ACol, Integer ARow, Integer AItemIndex,
                                     const String& ASelection) {
        ECG_IODDComboChange(Sender, ACol, ARow, AItemIndex, ASelection);
    };
    ECG_IODD->OnCheckBoxChange = [this](TObject* Sender, Integer ACol, Integer ARow, bool State) {
        ECG_IODDCheckBoxChange(Sender, ACol, ARow, State);
    };
    ECG_IODD->OnCellValidate = [this](TObject* Sender, Integer ACol, Integer ARow, String& Value, bool& Valid) {
        ECG_IODDCellValidate(Sender, ACol, ARow, Value, Valid);
    };
}

void TFIO_Link_Set_Access::FormCreate(TObject* Sender)
{
    SetClientWidth(1270);
    SetClientHeight(700);
    TShellForm::FormCreate(Sender);
}

void TFIO_Link_Set_Access::Set_Lang()
{
    TShellForm::Set_Lang();
    const std::array<TLbButton*, 4> Buttons{Btn_OK, Btn_Cancel, Btn_InsIODD, Btn_DelIODD};
    for (std::size_t I = 0; I < Buttons.size(); ++I) {
        Buttons[I]->SetCaption(Lang.Strings(Button_Caption_Texts + Integer(I)));
        Buttons[I]->SetHint(Lang.Strings(Button_Hint_Texts + Integer(I)));
    }
    L_IO_Channels_Title->SetCaption(Lang.Strings(Text_Channels_Title));
    for (Integer C = 0; C < Port_Columns; ++C)
        ECG_IODD->Columns()->Items(C)->SetHeader(Lang.Strings(Port_Header_Texts[std::size_t(C)]));
    Set_Lang_Pages();
}

// ------------------------------------------------------------------ showing

void TFIO_Link_Set_Access::FormShow(TObject*)
{
    Core.Create_Channels();
    ECG_IODD->SetRowCount(Core.Num_Channels + 1);
    const Integer Real_Columns = ECG_IODD->ColCount() + ECG_IODD->NumHiddenColumns();
    for (Integer Port = 0; Port < Core.Num_Channels; ++Port) {
        const Integer Row = Port + 1;
        ECG_IODD->SetCells(colChannel, Row, Port_Caption(Row));
        for (Integer C = colChannel + 1; C < Real_Columns; ++C)
            ECG_IODD->SetAllCells(C, Row, String());
        // Only class A ports can read pin 2.
        ECG_IODD->SetReadOnly(colReadPin2, Row, !Core.Channels[Port]->TypeA);
    }
    Init_Var_Table();
    Make_Placement_Editable();
    Core.Load_Configuration();
    for (Integer Port = 0; Port < Core.Num_Channels; ++Port)
        Show_Port_Row(Port);
    if (Current_Port() >= 0)
        Show_Data_IODD(Current_Port());
}

void TFIO_Link_Set_Access::Make_Placement_Editable()
{
    const std::pair<TExColumnGrid*, std::array<Integer, 2>> Placement[] = {
        {ECG_ProcessDataIn, {PD_Col_Pos, PD_Col_Bit}},
        {ECG_ProcessDataOut, {PD_Col_Pos, PD_Col_Bit}},
        {ECG_IO_Options, {IO_Col_Pos, IO_Col_Bit}},
        {ECG_Events, {Ev_Col_Pos, Ev_Col_Bit}},
    };
    for (const auto& [Grid, Columns] : Placement)
        for (const Integer C : Columns)
            Grid->Columns()->Items(C)->SetReadOnly(false);
}

void TFIO_Link_Set_Access::Show_Port_Row(Integer Port)
{
    const TChannel_IOLink& Ch = *Core.Channels[Port];
    const Integer Row = Port + 1;
    ECG_IODD->SetCells(colPin4Mode, Row, Ch.Pin4Mode);
    ECG_IODD->SetCells(colReadPin2, Row, Ch.ReadPin2);
    ECG_IODD->SetCells(colTimeOut, Row, Ch.TimeOut);
    Show_Port_Description(Port);
}

void TFIO_Link_Set_Access::Show_Port_Description(Integer Port)
{
    const TIODD* IODD = Core.IODD_List[Port].get();
    const Integer Row = Port + 1;
    String Vendor, Device;
    if (IODD) {
        const TDeviceIdentity& Identity = *IODD->ProfileBody->DeviceIdentity;
        Vendor = IODD->GetDesc_ExtTextCol(false, Identity.VendorName());
        Device = IODD->GetDesc_ExtTextCol(false, Identity.DeviceName());
    }
    ECG_IODD->SetCells(colVendor, Row, Vendor);
    ECG_IODD->SetCells(colDevice, Row, Device);
    // The stored name also when its file is gone, so the user sees what OK
    // saves and can delete it.
    ECG_IODD->SetCells(colFileName, Row, Core.Channels[Port]->IODD_File);
}

Integer TFIO_Link_Set_Access::Port_Of_Row(Integer ARow) const
{
    return ARow >= 1 && ARow <= Core.Num_Channels ? ARow - 1 : -1;
}

Integer TFIO_Link_Set_Access::Current_Port() const
{
    return Port_Of_Row(ECG_IODD->Row());
}

// ---------------------------------------------------------------- port grid

void TFIO_Link_Set_Access::ECG_IODDClickCell(TObject*, Integer ARow, Integer)
{
    if (const Integer Port = Port_Of_Row(ARow); Port >= 0)
        Show_Data_IODD(Port);
}

void TFIO_Link_Set_Access::ECG_IODDComboChange(TObject*, Integer ACol, Integer ARow, Integer, const String& ASelection)
{
    const Integer Port = Port_Of_Row(ARow);
    if (ACol == colPin4Mode && Port >= 0)
        Core.Channels[Port]->Pin4Mode = ASelection;
}

void TFIO_Link_Set_Access::ECG_IODDCheckBoxChange(TObject*, Integer ACol, Integer ARow, bool)
{
    const Integer Port = Port_Of_Row(ARow);
    if (ACol == colReadPin2 && Port >= 0)
        Core.Channels[Port]->ReadPin2 = ECG_IODD->Cells(colReadPin2, ARow);
}

void TFIO_Link_Set_Access::ECG_IODDCellValidate(TObject*, Integer ACol, Integer ARow, String& Value, bool&)
{
    // Any text is taken; the check on OK judges it.
    const Integer Port = Port_Of_Row(ARow);
    if (ACol == colTimeOut && Port >= 0)
        Core.Channels[Port]->TimeOut = Value;
}

void TFIO_Link_Set_Access::Btn_OKClick(TObject*)
{
    if (Core.Check_And_Save())
        SetModalResult(mrOk);
}

// -------------------------------------------------------- insert and delete

void TFIO_Link_Set_Access::ECG_IODDDblClickCell(TObject*, Integer ARow, Integer)
{
    if (Port_Of_Row(ARow) >= 0)
        Insert_IODD_File(ARow);
}

void TFIO_Link_Set_Access::Btn_InsIODDClick(TObject*)
{
    if (Current_Port() >= 0)
        Insert_IODD_File(ECG_IODD->Row());
}

void TFIO_Link_Set_Access::Insert_IODD_File(Integer ARoW)
{
    const Integer Port = Port_Of_Row(ARoW);
    if (Port < 0 || !FIOLink_IODD_Catalog || FIOLink_IODD_Catalog->ShowModal() != mrOk)
        return;
    const String Name = FIOLink_IODD_Catalog->Chosen_File();
    if (Name.isEmpty())
        return;
    // A file gone since the listing changes nothing.
    const String File = Find_In_Folders(IODD_Catalog_Folders(), Name);
    if (File.isEmpty() || !Core.Insert_IODD_File(Port, File))
        return;
    // The stored time-out stays, and so does its cell.
    Show_Port_Description(Port);
    Show_Data_IODD(Port);
}

void TFIO_Link_Set_Access::Btn_DelIODDClick(TObject*)
{
    const Integer Port = Current_Port();
    if (Port < 0 || Trim(ECG_IODD->Cells(colFileName, ECG_IODD->Row())).isEmpty())
        return;
    if (MessageDlg(Lang.Strings(Text_Delete_Question), mtConfirmation, mbYesNoCancel, 0) != mrYes)
        return;
    // Pin 4 mode, Read Pin 2 and the time-out stay, in the port and its row.
    Core.Delete_IODD(Port);
    Show_Port_Description(Port);
    Show_Data_IODD(Port);
}
