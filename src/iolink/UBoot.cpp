#include "iolink/UBoot.h"

#include "iolink/USaveBincc.h"
#include "platform/IcmpEcho.h"
#include "rtl/Dialogs.h"
#include "shell/UComon.h"
#include "shell/UDeviravizevFirmWare.h"
#include "shell/ULanguage.h"
#include "shell/USettingsFile.h"

TFBoot* FBoot = nullptr;

// ---------------------------------------------------------------- job file

namespace {

// Fixed values of the job that the updater expects.
constexpr const char* Boot_Job_Version = "1000";
constexpr const char* Boot_Application_Port = "10000";
constexpr const char* Boot_Port = "2008";
constexpr const char* Boot_Port_Sec = "2007";
constexpr const char* Boot_Address_Protection = "0x07800";
constexpr const char* Boot_Firmware_File = "Sim52303.sim";
constexpr const char* Boot_WebPages_File = "web_files_io_link.bin";

// One write operation of the job.
struct TBoot_Operation {
    String FileName;
    const char* Start_Address;
    const char* Bank_Type;
    const char* Write_CSS;
    bool GoToApp_After;
};

std::vector<TBoot_Operation> Boot_Operations(Integer Choice)
{
    const bool Firmware = Choice == Update_Firmware_Configuration || Choice == Update_Firmware;
    const bool Configuration = Choice == Update_Firmware_Configuration || Choice == Update_Configuration;
    std::vector<TBoot_Operation> Operations;
    if (Firmware) {
        Operations.push_back({Path_Master + PathDelim + QLatin1String(Boot_Firmware_File), "0x8000", "1", "1", false});
        Operations.push_back({Path_Master + PathDelim + QLatin1String(Boot_WebPages_File), "0xC0000", "1", "0", false});
    }
    if (Configuration) {
        // Where Save_Bin put them.
        Operations.push_back({Bin_Image_File("bank1.bin"), "0x07000", "2", "0", false});
        Operations.push_back({Bin_Image_File("bank2.bin"), "0x80000", "2", "0", false});
    }
    // The device starts its application after the last write.
    if (!Operations.empty())
        Operations.back().GoToApp_After = true;
    return Operations;
}

// The gateway's device identifier as "0x" and upper-case hex digits
// without leading zeros.
String Boot_Protection()
{
    bool Ok = false;
    const uint Id = Get_Profinet_DeviceID().mid(2).toUInt(&Ok, 16);
    return QStringLiteral("0x") + QString::number(Ok ? Id : 0, 16).toUpper();
}

} // namespace

String Update_Job_File()
{
    return Path_Data + PathDelim + QLatin1String(Update_Job_File_Name);
}

void Build_Update_Job(xml::TXMLDocument& Doc, const String& Address, Integer Choice, bool Read_Back)
{
    Doc.Clear();
    xml::TXMLNode Root = Doc.AppendElement(QStringLiteral("Ethernet_Update"));
    const auto Add = [](xml::TXMLNode& Parent, const char* Name, const String& Text) {
        xml::TXMLNode Node = Parent.AppendElement(QLatin1String(Name));
        if (!Text.isEmpty())
            Node.SetText(Text);
    };
    Add(Root, "Version", QLatin1String(Boot_Job_Version));
    Add(Root, "Title", QStringLiteral("Tarnix - ") + QLatin1String(C_SW_Code) + QStringLiteral(" Ethernet Update"));
    Add(Root, "IP_Address_Dev", Address);
    Add(Root, "Application_Port", QLatin1String(Boot_Application_Port));
    Add(Root, "Boot_Port", QLatin1String(Boot_Port));
    Add(Root, "Boot_Port_Sec", QLatin1String(Boot_Port_Sec));
    Add(Root, "Address_Protection", QLatin1String(Boot_Address_Protection));
    xml::TXMLNode Protections = Root.AppendElement(QStringLiteral("Protections"));
    Add(Protections, "Protection", Boot_Protection());
    xml::TXMLNode Operations = Root.AppendElement(QStringLiteral("Operations"));
    for (const TBoot_Operation& Op : Boot_Operations(Choice)) {
        xml::TXMLNode O = Operations.AppendElement(QStringLiteral("Operation"));
        Add(O, "Ope_Protection_Enabled", String());
        Add(O, "Ope_GoToBoot_Before", QStringLiteral("0"));
        Add(O, "Ope_GoToApp_Before", QStringLiteral("0"));
        Add(O, "Ope_IP_Address", String());
        Add(O, "Ope_Port", QLatin1String(Boot_Port));
        Add(O, "Ope_Port_Sec", QLatin1String(Boot_Port_Sec));
        Add(O, "Ope_Erase_Memory", QStringLiteral("0"));
        Add(O, "Ope_FileName", Op.FileName);
        Add(O, "Ope_Start_Address", QLatin1String(Op.Start_Address));
        Add(O, "Ope_Memory_Type", QStringLiteral("0"));
        Add(O, "Ope_Bank_Type", QLatin1String(Op.Bank_Type));
        Add(O, "Ope_Read_Back", Read_Back ? QStringLiteral("1") : QStringLiteral("0"));
        Add(O, "Ope_Write_CSS", QLatin1String(Op.Write_CSS));
        Add(O, "Ope_Address_CSS", QStringLiteral("0x07A00"));
        Add(O, "Ope_Command_CSS", QStringLiteral("0x02"));
        Add(O, "Ope_Write_Internal_Data", QStringLiteral("0"));
        Add(O, "Ope_WID_Address", QStringLiteral("0x07810"));
        Add(O, "Ope_WID_Command", QStringLiteral("0x02"));
        Add(O, "Ope_WID_Data", QStringLiteral("0x00, 0x00, 0x00, 0x01"));
        Add(O, "Ope_GoToApp_After", Op.GoToApp_After ? QStringLiteral("1") : QStringLiteral("0"));
    }
}

bool Device_Address(const String& Typed, String& Address)
{
    String Parts[4];
    if (!Split_IP_Address(Typed, Parts[0], Parts[1], Parts[2], Parts[3]))
        return false;
    QStringList Numbers;
    for (const String& Part : Parts)
        Numbers << IntToStr(StrToInt(Part));
    Address = Numbers.join(u'.');
    // Nothing answers for these two as a device.
    return Address != u"0.0.0.0" && Address != u"255.255.255.255";
}

void Write_Update_Job(const String& Address, Integer Choice, bool Read_Back)
{
    String Device;
    if (!Device_Address(Address, Device))
        throw EConvertError(LangFormat(1437, {}));
    xml::TXMLDocument XML1;
    Build_Update_Job(XML1, Device, Choice, Read_Back);
    XML1.SaveToFile(Update_Job_File(), {}, Path_Data);
}

// ---------------------------------------------------------------- clock

DWORD TBootClock::Ticks()
{
    return GetTickCount();
}

void TBootClock::Pause(DWORD Ms)
{
    Sleep(Ms);
    Application->ProcessMessages();
}

namespace {

TBootClock* Boot_Clock_In_Use = nullptr;

} // namespace

TBootClock& BootClock()
{
    static TBootClock Real;
    return Boot_Clock_In_Use ? *Boot_Clock_In_Use : Real;
}

void SetBootClock(TBootClock* Clock)
{
    Boot_Clock_In_Use = Clock;
}

// ---------------------------------------------------------------- dialog

TFBoot::TFBoot(TComponent* AOwner) : TShellForm(AOwner, Lang_First)
{
    P_IP_Address = new TPanel(this);
    P_IP_Address->SetParent(this);
    P_IP_Address->SetBounds(0, 69, 449, 49);
    P_IP_Address->SetAlign(alTop);
    P_IP_Address->SetBevelOuter(bvNone);
    P_IP_Address->SetShowCaption(false);
    P_IP_Address->SetParentColor(true);

    L_IP_Address = new TLabel(this);
    L_IP_Address->SetParent(P_IP_Address);
    L_IP_Address->SetAutoSize(true);
    L_IP_Address->SetBounds(16, 6, 300, 14);

    TEdit** const Parts[4] = {&E_IP1, &E_IP2, &E_IP3, &E_IP4};
    for (int I = 0; I < 4; ++I) {
        if (I > 0) {
            auto* Dot = new TLabel(this);
            Dot->SetParent(P_IP_Address);
            Dot->SetAutoSize(true);
            Dot->SetBounds(16 + 48 * I - 5, 26, 4, 14);
            Dot->SetCaption(QStringLiteral("."));
        }
        auto* Edit = new TEdit(this);
        Edit->SetParent(P_IP_Address);
        Edit->SetBounds(16 + 48 * I, 22, 41, 21);
        Edit->SetText(QStringLiteral("0"));
        Edit->SetShowHint(true);
        Edit->SetTabOrder(I);
        Edit->OnKeyPress = [this](TObject* Sender, Char& Key) { KeyPress(Sender, Key); };
        *Parts[I] = Edit;
    }

    P_Options = new TPanel(this);
    P_Options->SetParent(this);
    P_Options->SetBounds(0, 118, 449, 72);
    P_Options->SetAlign(alTop);
    P_Options->SetBevelOuter(bvNone);
    P_Options->SetShowCaption(false);
    P_Options->SetParentColor(true);

    L_Update_Option = new TLabel(this);
    L_Update_Option->SetParent(P_Options);
    L_Update_Option->SetAutoSize(true);
    L_Update_Option->SetBounds(16, 6, 300, 14);

    CB_Update_Options = new TComboBox(this);
    CB_Update_Options->SetParent(P_Options);
    CB_Update_Options->SetStyle(csDropDownList);
    CB_Update_Options->SetBounds(16, 22, 233, 22);
    CB_Update_Options->SetShowHint(true);
    CB_Update_Options->SetTabOrder(0);

    CB_Update_Option_Read_Back = new TCheckBox(this);
    CB_Update_Option_Read_Back->SetParent(P_Options);
    CB_Update_Option_Read_Back->SetBounds(16, 50, 300, 17);
    CB_Update_Option_Read_Back->SetChecked(true);
    CB_Update_Option_Read_Back->SetShowHint(true);
    CB_Update_Option_Read_Back->SetTabOrder(1);

    P_Button = new TPanel(this);
    P_Button->SetParent(this);
    P_Button->SetAlign(alBottom);
    P_Button->SetHeight(40);
    P_Button->SetBevelOuter(bvNone);
    P_Button->SetShowCaption(false);

    Btn_Update = new TLbButton(this);
    Btn_Update->SetParent(P_Button);
    Shell_Button_Look(Btn_Update);
    Shell_Button_Glyph(Btn_Update, "STEP_UPDATE");
    Btn_Update->SetBounds(133, 6, 190, 28);
    Btn_Update->OnClick = [this](TObject* Sender) { Btn_UpdateClick(Sender); };

    Btn_Cancel = new TLbButton(this);
    Btn_Cancel->SetParent(P_Button);
    Shell_Button_Look(Btn_Cancel);
    Shell_Button_Glyph(Btn_Cancel, "BTN_CANCEL");
    Btn_Cancel->SetBounds(331, 6, 110, 28);
    Btn_Cancel->SetModalResult(mrCancel);

    OnShow = [this](TObject* Sender) { FormShow(Sender); };
    // Closing while the test runs would leave it to update a closed dialog.
    OnCloseQuery = [this](TObject*, bool& CanClose) { CanClose = !FTesting; };
}

void TFBoot::FormShow(TObject*)
{
    Set_Lang();
    L_SW_Code->SetCaption(SW_Code);
    SetClientWidth(449);
    SetClientHeight(P_Title->Height() + P_IP_Address->Height() + P_Options->Height() + P_Button->Height());
    P_Title->SetTabOrder(0);
    P_IP_Address->SetTabOrder(1);
    P_Options->SetTabOrder(2);
    P_Button->SetTabOrder(3);

    String A, B, C, D;
    if (!Last_IP_Address.isEmpty() && Split_IP_Address(Last_IP_Address, A, B, C, D)) {
        E_IP1->SetText(A);
        E_IP2->SetText(B);
        E_IP3->SetText(C);
        E_IP4->SetText(D);
    }
    CB_Update_Options->SetItemIndex(Last_Update_Option);
    if (CB_Update_Options->ItemIndex() < 0)
        CB_Update_Options->SetItemIndex(Update_Firmware_Configuration);
    CB_Update_Option_Read_Back->SetChecked(Last_Read_Back);
    if (E_IP1->CanFocus())
        E_IP1->SetFocus();
}

void TFBoot::Set_Lang()
{
    const Integer First = Form_Type == Form_Ethernet ? Lang_First + 2 : Lang_First;
    SetCaption(Lang.Strings(First));
    L_SW_Desc->SetCaption(Lang.Strings(First + 1));
    L_IP_Address->SetCaption(Lang.Strings(1406));
    L_Update_Option->SetCaption(Lang.Strings(1414));
    TStrings* Items = CB_Update_Options->Items();
    Items->Clear();
    for (Integer I = 1415; I <= 1417; ++I)
        Items->Add(Lang.Strings(I));
    CB_Update_Options->SetItemIndex(0);
    CB_Update_Option_Read_Back->SetCaption(Lang.Strings(1418));
    Btn_Cancel->SetCaption(Lang.Strings(1419));
    Btn_Update->SetCaption(Lang.Strings(1420));
    Integer Hint = 1421;
    for (TEdit* Edit : {E_IP1, E_IP2, E_IP3, E_IP4})
        Edit->SetHint(Lang.Strings(Hint++));
    CB_Update_Options->SetHint(Lang.Strings(1432));
    CB_Update_Option_Read_Back->SetHint(Lang.Strings(1433));
    Btn_Cancel->SetHint(Lang.Strings(1434));
    Btn_Update->SetHint(Lang.Strings(1435));
}

void TFBoot::KeyPress(TObject* Sender, Char& Key)
{
    if (Key != QChar(u'.'))
        return;
    TEdit* Next = Sender == E_IP1 ? E_IP2 : Sender == E_IP2 ? E_IP3 : Sender == E_IP3 ? E_IP4 : nullptr;
    if (Next && Next->CanFocus())
        Next->SetFocus();
    Key = QChar(0);
}

String TFBoot::Address_Text() const
{
    return E_IP1->Text() + QLatin1Char('.') + E_IP2->Text() + QLatin1Char('.') + E_IP3->Text() + QLatin1Char('.') +
           E_IP4->Text();
}

void TFBoot::PingReply(TObject*, Integer Received_Bytes)
{
    ping_res = Received_Bytes > 0 ? Ping_Answered : Ping_Not_Answered;
}

bool TFBoot::Send_Ping()
{
    TBootClock& Clock = BootClock();
    ping_res = Ping_Unknown;
    const DWORD T0 = Clock.Ticks();
    // Nothing is sent to an address that is not a device's; the echo goes
    // to the address the job will name.
    String Destination;
    if (!Device_Address(Address_Text(), Destination))
        return false;
    Integer Answered = 0;
    try {
        for (;;) {
            const DWORD T1 = Clock.Ticks();
            // The request carries the address as the edits hold it now.
            PingReply(this, platform::EchoService().Echo(Destination, Address_Text(), Echo_Timeout_Ms));
            do
                Clock.Pause(Ping_Pause_Ms);
            while (ping_res == Ping_Unknown && Clock.Ticks() - T1 <= Echo_Timeout_Ms);
            if (ping_res == Ping_Answered && ++Answered >= 2)
                break;
            if (Clock.Ticks() - T0 > Ping_Time_Limit_Ms)
                break;
        }
    } catch (const Exception&) {
        return false;
    }
    return ping_res == Ping_Answered;
}

void TFBoot::Set_Testing(bool Value)
{
    FTesting = Value;
    Btn_Update->SetEnabled(!Value);
    Btn_Cancel->SetEnabled(!Value);
}

void TFBoot::Btn_UpdateClick(TObject*)
{
    if (Form_Type != Form_Ethernet || FTesting)
        return;
    Set_Testing(true);
    bool Reached = false;
    try {
        Reached = Send_Ping();
    } catch (...) {
        Set_Testing(false);
        throw;
    }
    Set_Testing(false);
    if (!Reached) {
        if (ping_res == Ping_Not_Answered)
            MessageDlg(Lang.Strings(1436), mtWarning, TMsgDlgButtons{mbOK}, 0);
        else
            MessageDlg(Lang.Strings(1437), mtError, TMsgDlgButtons{mbOK}, 0);
        return;
    }
    Last_IP_Address = Address_Text();
    Last_Update_Option = CB_Update_Options->ItemIndex();
    Last_Read_Back = CB_Update_Option_Read_Back->Checked();
    // The main window writes the settings again when it closes; a failure
    // here is not the update's concern.
    Write_Settings();
    Compile_XML_Parameter_New_Boot();
    const String Updater = Path_Exe + PathDelim + QLatin1String(Updater_File_Name);
    if (!TFDeviravizevFirmWare::Start_Program(Updater, String(), 0))
        MessageDlg(LangFormat(1438, {Updater}), mtError, TMsgDlgButtons{mbOK}, 0);
}

void TFBoot::Compile_XML_Parameter_New_Boot()
{
    Write_Update_Job(Address_Text(), CB_Update_Options->ItemIndex(), CB_Update_Option_Read_Back->Checked());
}
