// The Set Communication window: this gateway's panels and controls, their
// texts and the keys of the address edits. The other gateways' panels are
// in UParGen_Panels.cpp, the layouts in UParGen_Variants.cpp, the file and
// the checks in UParGen_File.cpp.
#include "shell/UParGen.h"

#include "rtl/Windows.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"

TFParGen* FParGen = nullptr;

namespace {

// Header colour of the panels: RGB(231, 216, 216).
constexpr TColor ParGen_Header_Color = 14211303;

} // namespace

TFParGen::TFParGen(TComponent* AOwner) : TShellForm(AOwner, Lang_First)
{
    // Only the height may be changed by the user.
    SetBorderStyle(bsSizeable);
    SetBorderIcons(TBorderIcons{biSystemMenu});
    Add_Button_Panel();
    Btn_OK->OnClick = [this](TObject* Sender) { Btn_OKClick(Sender); };

    Make_Image_List();
    CPG = new TCategoryPanelGroup(this);
    CPG->SetParent(this);
    CPG->SetAlign(alClient);
    CPG->SetColor(Shell_Window_Color);
    CPG->SetHeaderHeight(24);
    TFont Header;
    Header.SetName(QStringLiteral("Verdana"));
    Header.SetHeight(-15);
    Header.SetStyle(TFontStyles{fsBold});
    Header.SetColor(clGray);
    CPG->SetHeaderFont(&Header);
    CPG->SetGradientBaseColor(ParGen_Header_Color);
    CPG->SetGradientColor(ParGen_Header_Color);
    CPG->SetChevronAlignment(taRightJustify);
    CPG->SetChevronHotColor(clRed);
    CPG->SetImages(ImageList1);
    CPG->VertScrollBar()->SetTracking(true);

    CP_Ethernet_Connection = Make_Panel();
    L_EthConn_Device_Name = Make_Label(CP_Ethernet_Connection, 9);
    E_EthConn_Device_Name = Make_Edit(CP_Ethernet_Connection, 9);
    E_EthConn_Device_Name->SetMaxLength(31);
    CB_EthConn_En_DHCP_Cable = Make_Check_Box(CP_Ethernet_Connection, ParGen_Label_Left, 37, 415);
    CB_EthConn_En_DHCP_WiFi = Make_Check_Box(CP_Ethernet_Connection, ParGen_Label_Left, 65, 415);
    CB_EthConn_Enable_DNS = Make_Check_Box(CP_Ethernet_Connection, ParGen_Label_Left, 93, 415);
    L_EthConn_Primary_DNS = Make_Label(CP_Ethernet_Connection, 121);
    Make_Address(CP_Ethernet_Connection, 121, E_EthConn_Pri_DNS_IP1, E_EthConn_Pri_DNS_IP2, E_EthConn_Pri_DNS_IP3,
                 E_EthConn_Pri_DNS_IP4);
    L_EthConn_Secondary_DNS = Make_Label(CP_Ethernet_Connection, 149);
    Make_Address(CP_Ethernet_Connection, 149, E_EthConn_Sec_DNS_IP1, E_EthConn_Sec_DNS_IP2, E_EthConn_Sec_DNS_IP3,
                 E_EthConn_Sec_DNS_IP4);

    CP_IOLink = Make_Panel();
    L_IOLink_SelectDevice = Make_Label(CP_IOLink, 9);
    CB_IOLink_SelectDevice = Make_List(CP_IOLink, 9);

    CP_EtherNetIP = Make_Panel();
    L_EtherNetIP_IP = Make_Label(CP_EtherNetIP, 9);
    Make_Address(CP_EtherNetIP, 9, E_EtherNetIP_IP1, E_EtherNetIP_IP2, E_EtherNetIP_IP3, E_EtherNetIP_IP4);
    L_EtherNetIP_SM = Make_Label(CP_EtherNetIP, 37);
    Make_Address(CP_EtherNetIP, 37, E_EtherNetIP_SM1, E_EtherNetIP_SM2, E_EtherNetIP_SM3, E_EtherNetIP_SM4);
    CB_EtherNetIP_GAT = Make_Check_Box(CP_EtherNetIP, ParGen_Label_Left, 66, 175);
    Make_Address(CP_EtherNetIP, 66, E_EtherNetIP_GAT1, E_EtherNetIP_GAT2, E_EtherNetIP_GAT3, E_EtherNetIP_GAT4);
    L_EtherNetIP_TunnelPort = Make_Label(CP_EtherNetIP, 93);
    E_EtherNetIP_TunnelPort = Make_Edit(CP_EtherNetIP, 93);
    // The device's fixed port: shown only.
    E_EtherNetIP_TunnelPort->SetText(QStringLiteral("44818"));
    E_EtherNetIP_TunnelPort->SetEnabled(false);
    L_EtherNetIP_NByte_In = Make_Label(CP_EtherNetIP, 121);
    E_EtherNetIP_NByte_In = Make_Edit(CP_EtherNetIP, 121);
    L_EtherNetIP_NByte_Out = Make_Label(CP_EtherNetIP, 149);
    E_EtherNetIP_NByte_Out = Make_Edit(CP_EtherNetIP, 149);

    CP_WebServer = Make_Panel();
    L_WebServer_Username = Make_Label(CP_WebServer, 9);
    E_WebServer_Username = Make_Edit(CP_WebServer, 9);
    E_WebServer_Username->SetMaxLength(7);
    L_WebServer_Password = Make_Label(CP_WebServer, 37);
    E_WebServer_Password = Make_Edit(CP_WebServer, 37);
    E_WebServer_Password->SetMaxLength(7);

    for (TCheckBox* Box : {CB_EthConn_En_DHCP_Cable, CB_EthConn_En_DHCP_WiFi, CB_EthConn_Enable_DNS, CB_EtherNetIP_GAT})
        Box->OnClick = [this](TObject* Sender) { On_Click(Sender); };
    FAddress_Chains = {
        {E_EthConn_Pri_DNS_IP1, E_EthConn_Pri_DNS_IP2, E_EthConn_Pri_DNS_IP3, E_EthConn_Pri_DNS_IP4,
         E_EthConn_Sec_DNS_IP1, E_EthConn_Sec_DNS_IP2, E_EthConn_Sec_DNS_IP3, E_EthConn_Sec_DNS_IP4},
        {E_EtherNetIP_IP1, E_EtherNetIP_IP2, E_EtherNetIP_IP3, E_EtherNetIP_IP4, E_EtherNetIP_SM1, E_EtherNetIP_SM2,
         E_EtherNetIP_SM3, E_EtherNetIP_SM4, E_EtherNetIP_GAT1, E_EtherNetIP_GAT2, E_EtherNetIP_GAT3,
         E_EtherNetIP_GAT4},
    };

    Make_Table_Panels();

    OnShow = [this](TObject* Sender) { FormShow(Sender); };
    OnResize = [this](TObject* Sender) { FormResize(Sender); };
    OnMouseWheel = [this](TObject* Sender, TShiftState Shift, Integer WheelDelta, TPoint MousePos, bool& Handled) {
        FormMouseWheel(Sender, Shift, WheelDelta, MousePos, Handled);
    };
}

void TFParGen::Make_Image_List()
{
    // Header pictures: 0 while a panel is open, 1 while it is closed.
    ImageList1 = new TImageList(this, 16, 16);
    for (const bool Open : {true, false}) {
        TBitmap Picture(16, 16);
        TCanvas* C = Picture.Canvas();
        C->Brush()->SetColor(clFuchsia);
        C->FillRect(TRect(0, 0, 16, 16));
        C->Brush()->SetColor(clGray);
        C->Pen()->SetColor(clGray);
        const std::vector<TPoint> Triangle = Open ? std::vector<TPoint>{{3, 5}, {12, 5}, {7, 10}}
                                                  : std::vector<TPoint>{{5, 3}, {10, 7}, {5, 12}};
        C->Polygon(Triangle);
        ImageList1->AddMasked(&Picture, clFuchsia);
    }
}

TCategoryPanel* TFParGen::Make_Panel()
{
    auto* Panel = new TCategoryPanel(this);
    Panel->SetPanelGroup(CPG);
    Panel->SetColor(Shell_Window_Color);
    Panel->SetExpandedImageIndex(0);
    Panel->SetCollapsedImageIndex(1);
    return Panel;
}

TLabel* TFParGen::Make_Label(TCategoryPanel* Panel, Integer Row)
{
    auto* Label = new TLabel(this);
    Label->SetParent(Panel);
    Label->SetAutoSize(true);
    Label->SetLeft(ParGen_Label_Left);
    Label->SetTop(Row + 3);
    return Label;
}

namespace {

// A value control of a panel row: at the values' left, as wide as a value.
template <class T>
T* ParGen_Value(TFParGen* Window, TCategoryPanel* Panel, Integer Row, Integer Height)
{
    auto* Control = new T(Window);
    Control->SetParent(Panel);
    Control->SetBounds(ParGen_Value_Left, Row, ParGen_Value_Width, Height);
    Control->SetShowHint(true);
    return Control;
}

} // namespace

TEdit* TFParGen::Make_Edit(TCategoryPanel* Panel, Integer Row)
{
    return ParGen_Value<TEdit>(this, Panel, Row, ParGen_Edit_Height);
}

TRichEdit* TFParGen::Make_Rich_Edit(TCategoryPanel* Panel, Integer Row)
{
    TRichEdit* Edit = ParGen_Value<TRichEdit>(this, Panel, Row, ParGen_Edit_Height);
    // One line, as an edit.
    Edit->SetWordWrap(false);
    Edit->SetWantReturns(false);
    Edit->SetScrollBars(ssNone);
    return Edit;
}

TComboBox* TFParGen::Make_List(TCategoryPanel* Panel, Integer Row)
{
    TComboBox* List = ParGen_Value<TComboBox>(this, Panel, Row, ParGen_List_Height);
    List->SetStyle(csDropDownList);
    return List;
}

TCheckBox* TFParGen::Make_Check_Box(TCategoryPanel* Panel, Integer Left, Integer Row, Integer Width)
{
    auto* Box = new TCheckBox(this);
    Box->SetParent(Panel);
    Box->SetBounds(Left, Row + 2, Width, 17);
    Box->SetShowHint(true);
    return Box;
}

TFParGen::TParGen_Address TFParGen::Make_Address(TCategoryPanel* Panel, Integer Row)
{
    TParGen_Address Address{};
    for (std::size_t I = 0; I < Address.Parts.size(); ++I) {
        if (I > 0) {
            TLabel* Dot = Make_Label(Panel, Row);
            Dot->SetLeft(ParGen_Dot_Lefts[I - 1]);
            Dot->SetCaption(QStringLiteral("."));
            Address.Dots[I - 1] = Dot;
        }
        TEdit* Edit = Make_Edit(Panel, Row);
        Edit->SetBounds(ParGen_Part_Lefts[I], Row, ParGen_Part_Width, ParGen_Edit_Height);
        Edit->OnKeyPress = [this](TObject* Sender, Char& Key) { KeyPress(Sender, Key); };
        Address.Parts[I] = Edit;
    }
    return Address;
}

void TFParGen::Make_Address(TCategoryPanel* Panel, Integer Row, TEdit*& P1, TEdit*& P2, TEdit*& P3, TEdit*& P4)
{
    const TParGen_Address Address = Make_Address(Panel, Row);
    P1 = Address.Parts[0];
    P2 = Address.Parts[1];
    P3 = Address.Parts[2];
    P4 = Address.Parts[3];
}

void TFParGen::FormCreate(TObject* Sender)
{
    SetClientWidth(Client_Width);
    SetClientHeight(700);
    Place_Buttons();
    for (TCategoryPanel* Panel : All_Panels())
        Panel->SetVisible(false);
    IOLink_Set_Device_List();
    Order_TAB_Panels();
    Move_GroupBoxs();
    TShellForm::FormCreate(Sender);
}

void TFParGen::IOLink_Set_Device_List()
{
    TStrings* Items = CB_IOLink_SelectDevice->Items();
    Items->Clear();
    const String Model = Get_Model_Code();
    for (const char* Suffix : ParGen_Device_Suffixes)
        Items->Add(Model + QLatin1String(Suffix));
    CB_IOLink_SelectDevice->SetItemIndex(0);
}

TEdit* TFParGen::Next_Address_Part(const TEdit* Edit) const
{
    for (const std::vector<TEdit*>& Chain : FAddress_Chains)
        for (auto It = Chain.begin(); It != Chain.end(); ++It)
            if (*It == Edit)
                return It + 1 == Chain.end() ? nullptr : *(It + 1);
    return nullptr;
}

void TFParGen::KeyPress(TObject* Sender, Char& Key)
{
    if (Key != QChar(u'.'))
        return;
    TEdit* Next = Next_Address_Part(dynamic_cast<TEdit*>(Sender));
    if (Next && Next->CanFocus())
        Next->SetFocus();
    Key = QChar(0);
}

void TFParGen::FormMouseWheel(TObject*, TShiftState, Integer WheelDelta, TPoint MousePos, bool& Handled)
{
    const TPoint P = CPG->ScreenToClient(MousePos);
    Handled = PtInRect(CPG->ClientRect(), P);
    if (!Handled)
        return;
    for (Integer I = 0; I < Mouse->WheelScrollLines(); ++I) {
        CPG->Perform(WM_VSCROLL, WheelDelta > 0 ? SB_LINEUP : SB_LINEDOWN, 0);
        CPG->Perform(WM_VSCROLL, SB_ENDSCROLL, 0);
    }
}

void TFParGen::FormResize(TObject*)
{
    Keep_Client_Size(Client_Width, Client_Width, 0);
    Place_Buttons();
}

void TFParGen::Set_Lang()
{
    TShellForm::Set_Lang();
    Btn_OK->SetCaption(Lang.Strings(402));
    Btn_Cancel->SetCaption(Lang.Strings(403));
    Btn_OK->SetHint(Lang.Strings(404));
    Btn_Cancel->SetHint(Lang.Strings(405));

    // A caption and the hint after it.
    const auto Row = [](TControl* Captioned, TControl* Hinted, Integer Text) {
        Captioned->SetCaption(Lang.Strings(Text));
        Hinted->SetHint(Lang.Strings(Text + 1));
    };
    // A label and one hint per part.
    const auto Address = [](TLabel* Label, Integer Text, std::initializer_list<TEdit*> Parts) {
        Label->SetCaption(Lang.Strings(Text));
        Integer Hint = Text + 1;
        for (TEdit* Part : Parts)
            Part->SetHint(Lang.Strings(Hint++));
    };
    Row(L_EthConn_Device_Name, E_EthConn_Device_Name, 1086);
    Row(CB_EthConn_En_DHCP_Cable, CB_EthConn_En_DHCP_Cable, 1088);
    Row(CB_EthConn_En_DHCP_WiFi, CB_EthConn_En_DHCP_WiFi, 1090);
    Row(CB_EthConn_Enable_DNS, CB_EthConn_Enable_DNS, 1092);
    Address(L_EthConn_Primary_DNS, 1094,
            {E_EthConn_Pri_DNS_IP1, E_EthConn_Pri_DNS_IP2, E_EthConn_Pri_DNS_IP3, E_EthConn_Pri_DNS_IP4});
    Address(L_EthConn_Secondary_DNS, 1099,
            {E_EthConn_Sec_DNS_IP1, E_EthConn_Sec_DNS_IP2, E_EthConn_Sec_DNS_IP3, E_EthConn_Sec_DNS_IP4});

    Row(L_IOLink_SelectDevice, CB_IOLink_SelectDevice, 1041);

    Address(L_EtherNetIP_IP, 657, {E_EtherNetIP_IP1, E_EtherNetIP_IP2, E_EtherNetIP_IP3, E_EtherNetIP_IP4});
    Address(L_EtherNetIP_SM, 662, {E_EtherNetIP_SM1, E_EtherNetIP_SM2, E_EtherNetIP_SM3, E_EtherNetIP_SM4});
    // The gateway box has a hint of its own before the parts' hints.
    Row(CB_EtherNetIP_GAT, CB_EtherNetIP_GAT, 667);
    Integer Hint = 669;
    for (TEdit* Part : {E_EtherNetIP_GAT1, E_EtherNetIP_GAT2, E_EtherNetIP_GAT3, E_EtherNetIP_GAT4})
        Part->SetHint(Lang.Strings(Hint++));
    Row(L_EtherNetIP_TunnelPort, E_EtherNetIP_TunnelPort, 673);
    Row(L_EtherNetIP_NByte_In, E_EtherNetIP_NByte_In, 675);
    Row(L_EtherNetIP_NByte_Out, E_EtherNetIP_NByte_Out, 677);

    Row(L_WebServer_Username, E_WebServer_Username, 1071);
    Row(L_WebServer_Password, E_WebServer_Password, 1073);

    Set_Lang_Table_Panels();
    Title_Panels();
}

bool TFParGen::Check_Device_Name(const String& Name)
{
    for (const QChar C : Name) {
        const char16_t U = C.unicode();
        const bool Plain = (U >= u'A' && U <= u'Z') || (U >= u'a' && U <= u'z') || (U >= u'0' && U <= u'9');
        if (!Plain)
            return true;
    }
    return false;
}
