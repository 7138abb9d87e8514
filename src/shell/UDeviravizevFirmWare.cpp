#include "shell/UDeviravizevFirmWare.h"

#include "platform/Process.h"
#include "platform/ProgramFolder.h"
#include "rtl/Dialogs.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"
#include "shell/UNew_Project.h"
#include "shell/UOpenConf.h"
#include "shell/USettingsFile.h"
#include "shell/UShellForm.h"

TFDeviravizevFirmWare* FDeviravizevFirmWare = nullptr;
TStep_Routines Step_Routines;

namespace {

constexpr TColor Main_Top_Button_Font_Color = 3355443;

} // namespace

String Maker_Home_URL()
{
    return QStringLiteral("http://") + Maker_Server() + QStringLiteral("/HOME/default.asp?frompg=") +
           QLatin1String(C_SW_Code);
}

String Program_Data_Folder()
{
    const String Program = platform::ProgramFolder();
    if (platform::IsFolderWritable(Program))
        return Program;
    const String User = platform::UserDataFolder(QLatin1String(C_SW_Code));
    if (ForceDirectories(User) && platform::IsFolderWritable(User))
        return User;
    // Neither can be written: the program folder still gives the read-only
    // files their place; writes fail where they happen (start-up says so).
    return Program;
}

void Report_Read_Only_Data_Folder()
{
    if (platform::IsFolderWritable(Path_Exe))
        return;
    MessageDlg(QStringLiteral("Error! Neither the program folder nor the user data folder can be written; "
                              "existing configurations can be opened, but nothing can be created or saved.\n") +
                   platform::ProgramFolder() + QLatin1Char('\n') +
                   platform::UserDataFolder(QLatin1String(C_SW_Code)),
               mtError, TMsgDlgButtons{mbOK}, 0);
}

// ---------------------------------------------------------------- layout

TFDeviravizevFirmWare::TFDeviravizevFirmWare(TComponent* AOwner) : TForm(AOwner)
{
    Init_Shell_Resources();
    SetBorderStyle(bsSingle);
    SetBorderIcons(TBorderIcons{biSystemMenu});
    SetPosition(poScreenCenter);
    SetColor(Shell_Window_Color);
    Shell_Window_Font(Font());
    Create_Components();
    OnCreate = [this](TObject* Sender) { FormCreate(Sender); };
    OnClose = [this](TObject* Sender, TCloseAction& Action) { FormClose(Sender, Action); };
    // An unexpected error is captioned "Error" like every other error box.
    Application->OnException = [](TObject*, Exception* E) {
        MessageDlg(TApplication::ExceptionText(E), mtError, TMsgDlgButtons{mbOK}, 0);
    };
}

TFDeviravizevFirmWare::~TFDeviravizevFirmWare()
{
    Application->OnException = nullptr;
}

TLabel* TFDeviravizevFirmWare::Make_Label(Integer Left, Integer Top, bool Bold)
{
    auto* L = new TLabel(this);
    L->SetParent(this);
    L->SetAutoSize(true);
    L->SetParentFont(false);
    Shell_Window_Font(L->Font());
    L->Font()->SetColor(clGray);
    if (Bold)
        L->Font()->SetStyle(TFontStyles{fsBold});
    L->SetLeft(Left);
    L->SetTop(Top);
    return L;
}

TLbButton* TFDeviravizevFirmWare::Make_Step_Button(Integer Left, Integer Top, const char* Picture, TColor HotTrack)
{
    auto* B = new TLbButton(this);
    B->SetParent(this);
    B->SetBounds(Left, Top, 170, 36);
    Shell_Button_Look(B);
    B->SetHotTrackColor(HotTrack);
    B->SetAlignment(taLeftJustify);
    B->SetLayout(blGlyphLeft);
    Shell_Button_Glyph(B, Picture);
    B->OnClick = [this](TObject* Sender) { Btn_Click(Sender); };
    return B;
}

TLbButton* TFDeviravizevFirmWare::Make_Top_Button(Integer Left, const char* Picture)
{
    auto* B = new TLbButton(this);
    B->SetParent(this);
    B->SetBounds(Left, 8, 50, 50);
    Shell_Button_Look(B);
    B->SetStyle(bsNormal);
    B->SetHotTrackColor(clYellow);
    B->SetParentFont(false);
    Shell_Window_Font(B->Font());
    B->Font()->SetColor(Main_Top_Button_Font_Color);
    Shell_Button_Glyph(B, Picture);
    B->OnClick = [this](TObject* Sender) { Btn_Click(Sender); };
    return B;
}

void TFDeviravizevFirmWare::Create_Components()
{
    L_SW_Code = Make_Label(16, 8, false);
    L_SW_Code->Font()->SetHeight(-32);
    L_SW_Desc = Make_Label(16, 42, true);

    Shape2 = new TShape(this);
    Shape2->SetParent(this);
    Shape2->SetBounds(80, 70, 348, 36);
    Shape2->Pen()->SetColor(clSilver);
    Shape2->Brush()->SetStyle(bsClear);
    L_Name_Conf = Make_Label(87, 75, false);
    L_Name_Conf_L2 = Make_Label(87, 88, false);
    // A long name ends in "..." inside the frame; the hint shows it whole.
    L_Name_Conf_L2->SetAutoSize(false);
    L_Name_Conf_L2->SetWidth(Shape2->Width() - 2 * (L_Name_Conf_L2->Left() - Shape2->Left()));
    L_Name_Conf_L2->SetEllipsisPosition(epEndEllipsis);
    L_Name_Conf_L2->SetShowHint(true);
    L_Begin = Make_Label(16, 84, true);

    Btn_Info = Make_Top_Button(516, "BTN_INFO");
    Btn_Opz = Make_Top_Button(574, "BTN_OPTIONS");
    Btn_Close = Make_Top_Button(632, "BTN_CLOSE");

    TLabel** Steps[] = {&L_Step_1, &L_Step_2, &L_Step_3, &L_Step_4, &L_Step_5, &L_Step_6, &L_Step_7, &L_Step_8};
    for (int I = 0; I < 8; ++I)
        *Steps[I] = Make_Label(16, 128 + 44 * I, true);

    Btn_New = Make_Step_Button(80, 112, "STEP_NEW", clSkyBlue);
    Btn_Open = Make_Step_Button(258, 112, "STEP_OPEN", clSkyBlue);
    Btn_Prm_Gen = Make_Step_Button(80, 156, "STEP_PARAMETERS", clYellow);
    Btn_IOLink_Set_Access = Make_Step_Button(80, 200, "STEP_IOLINK", clYellow);
    Btn_CreateBin = Make_Step_Button(80, 244, "STEP_UPDATE", clSkyBlue);

    // The family's other protocol steps, hidden in this variant: three to a
    // row below the fourth step.
    struct TProtocolButton {
        TLbButton** Button;
        const char* Picture;
    };
    const TProtocolButton Protocol[] = {
        {&Btn_Modbus_Set_Access, "STEP_TABLE"},  {&Btn_PROFINET_XML, "STEP_FILE"},
        {&Btn_BACnet_SetAccess, "STEP_TABLE"},   {&Btn_BACnet_EDE_File, "STEP_FILE"},
        {&Btn_CAN_Rec_Frame, "STEP_TABLE"},      {&Btn_CAN_Send_Frame, "STEP_TABLE"},
        {&Btn_SDO_Server_CANopen, "STEP_TABLE"}, {&Btn_SDO_Client_CANopen, "STEP_TABLE"},
        {&Btn_PDO_CANopen, "STEP_TABLE"},        {&Btn_CANopen_EDS, "STEP_FILE"},
        {&Btn_SNMP_Trap, "STEP_TABLE"},          {&Btn_SNMP_MIB, "STEP_FILE"},
        {&Btn_MQTT_Set_Topic, "STEP_TABLE"},     {&Btn_NMEA0183_Access, "STEP_TABLE"},
        {&Btn_EtherCAT_Set_Access, "STEP_TABLE"}, {&Btn_EtherCAT_ESI_File, "STEP_FILE"},
    };
    for (int I = 0; I < 16; ++I)
        *Protocol[I].Button = Make_Step_Button(80 + 178 * (I % 3), 288 + 44 * (I / 3), Protocol[I].Picture, clYellow);
    Btn_PROFINET_XML->SetCaption(QStringLiteral("PROFINET XML"));

    Shape1 = new TShape(this);
    Shape1->SetParent(this);
    Shape1->Pen()->SetColor(clSilver);

    L_Tarnix = Make_Label(565, 260, true);
    L_Tarnix->SetCaption(QLatin1String(Maker_Host));
    L_Tarnix->SetCursor(crHandPoint);
    L_Tarnix->OnClick = [this](TObject* Sender) { L_TarnixClick(Sender); };

    LL_Update = new TLinkLabel(this);
    LL_Update->SetParent(this);
    LL_Update->SetLeft(208);
    LL_Update->SetTop(19);

    Timer_Update = new TTimer(this);
    Timer_Update->SetEnabled(false);
    Timer_Update->SetInterval(60000);
    Init_Version_Check();

    XML1 = std::make_unique<xml::TXMLDocument>();

    SD1 = new TSaveDialog(this);
    SD1->SetFilter(QStringLiteral("CSV (MS-DOS) (*.csv)|*.csv"));
    SaveEDS = new TSaveDialog(this);
    SaveEDS->SetFilter(QStringLiteral("Electronic Data Sheet (*.eds)|*.eds"));
    SaveEDS->SetDefaultExt(QStringLiteral("*.eds"));
    SaveMIB = new TSaveDialog(this);
    SaveMIB->SetFilter(QStringLiteral("Management Information Base (*.mib)|*.mib"));
    SaveMIB->SetDefaultExt(QStringLiteral("*.mib"));
    SaveESI = new TSaveDialog(this);
    SaveESI->SetFilter(QStringLiteral("EtherCAT ESI File (*.xml)|*.xml"));
    SaveESI->SetDefaultExt(QStringLiteral("*.xml"));
}

std::vector<TLbButton*> TFDeviravizevFirmWare::Buttons() const
{
    return {Btn_Info,           Btn_Opz,
            Btn_Close,          Btn_New,
            Btn_Open,           Btn_Prm_Gen,
            Btn_IOLink_Set_Access, Btn_CreateBin,
            Btn_Modbus_Set_Access, Btn_PROFINET_XML,
            Btn_BACnet_SetAccess, Btn_BACnet_EDE_File,
            Btn_CAN_Rec_Frame,  Btn_CAN_Send_Frame,
            Btn_SDO_Server_CANopen, Btn_SDO_Client_CANopen,
            Btn_PDO_CANopen,    Btn_CANopen_EDS,
            Btn_SNMP_Trap,      Btn_SNMP_MIB,
            Btn_MQTT_Set_Topic, Btn_NMEA0183_Access,
            Btn_EtherCAT_Set_Access, Btn_EtherCAT_ESI_File};
}

// ---------------------------------------------------------------- start-up

void TFDeviravizevFirmWare::FormCreate(TObject*)
{
    // 1. The text table, empty until the language is loaded.
    Lang.Clear();
    Lang_Count = 0;

    // 2. Only this variant's four steps show.
    for (TLabel* L : {L_Step_5, L_Step_6, L_Step_7, L_Step_8})
        L->SetVisible(false);
    for (TLbButton* B : Buttons())
        B->SetVisible(false);
    for (TLbButton* B : {Btn_Info, Btn_Opz, Btn_Close, Btn_New, Btn_Open, Btn_Prm_Gen, Btn_IOLink_Set_Access,
                         Btn_CreateBin})
        B->SetVisible(true);
    LL_Update->SetVisible(false);
    Shape1->SetBounds(10, Btn_CreateBin->Top() + 51, 674, 1);
    SetClientWidth(694);
    SetClientHeight(Btn_CreateBin->Top() + 152);

    // 3, 4. The program folders, made when missing.
    Set_Program_Folders(Program_Data_Folder());
    Create_Program_Folders();

    // 5, 6. Settings.
    Name_Project.clear();
    Last_Read_Back = true;
    Read_Settings();

    // 7. The version check runs only when both options allow it.
    Timer_Update->SetEnabled(Enable_Internet && Enable_Update);

    // 8. Product texts.
    Set_Product_Texts();
    SetCaption(SW_Title);
    L_SW_Code->SetCaption(SW_Code);
    L_SW_Desc->SetCaption(SW_Desc);

    // 9. Language.
    Load_Language();

    // 10. The last configuration, when its folder is still there. A name
    // that would lead out of PROJECTS (a hand-edited file) opens nothing.
    Path_Project.clear();
    if (Is_Configuration_Name(Name_Project)) {
        const String Found = FindExistingName(Path_Projects, Name_Project);
        if (!Found.isEmpty() && DirectoryExists(Path_Projects + PathDelim + Found)) {
            Name_Project = Found;
            Path_Project = Path_Projects + PathDelim + Found;
        }
    }

    // 11 .. 13.
    Set_Lang();
    Set_Files();
    Clear_Shared_Lists();

    Report_Read_Only_Data_Folder();
}

void TFDeviravizevFirmWare::FormClose(TObject*, TCloseAction&)
{
    Save_Setting();
}

bool TFDeviravizevFirmWare::Save_Setting()
{
    return Write_Settings();
}

void TFDeviravizevFirmWare::Set_Files()
{
    Set_Table_Files();
}

bool TFDeviravizevFirmWare::Project_Open() const
{
    return !Path_Project.isEmpty();
}

// ---------------------------------------------------------------- texts

void TFDeviravizevFirmWare::Show_Configuration_Lines()
{
    if (Project_Open()) {
        L_Name_Conf->SetCaption(Lang.Strings(11));
        L_Name_Conf_L2->SetCaption(Name_Project);
    } else {
        L_Name_Conf->SetCaption(Lang.Strings(9));
        L_Name_Conf_L2->SetCaption(Lang.Strings(10));
    }
    L_Name_Conf_L2->SetHint(L_Name_Conf_L2->Caption());
}

void TFDeviravizevFirmWare::Set_Lang()
{
    const auto T = [](Integer I) { return Lang.Strings(I); };
    L_Begin->SetCaption(T(0));
    TLabel* Steps[] = {L_Step_1, L_Step_2, L_Step_3, L_Step_4, L_Step_5, L_Step_6, L_Step_7, L_Step_8};
    for (int I = 0; I < 8; ++I)
        Steps[I]->SetCaption(T(1 + I));
    Btn_Info->SetHint(T(12));
    Btn_Opz->SetHint(T(13));
    Btn_Close->SetHint(T(14));
    Btn_New->SetCaption(T(15));
    Btn_Open->SetCaption(T(16));
    Btn_CreateBin->SetCaption(T(17));
    Btn_Prm_Gen->SetCaption(T(20));
    Btn_IOLink_Set_Access->SetCaption(T(21));
    Show_Configuration_Lines();
    Btn_New->SetHint(T(22));
    Btn_Open->SetHint(T(23));
    Btn_Prm_Gen->SetHint(T(24));
    Btn_IOLink_Set_Access->SetHint(T(25));
    Btn_CreateBin->SetHint(T(26));

    // Caption and hint texts of the hidden protocol steps.
    struct TStepTexts {
        TLbButton* Button;
        Integer Caption, Hint;
    };
    const TStepTexts Texts[] = {
        {Btn_Modbus_Set_Access, 27, 28}, {Btn_BACnet_SetAccess, 29, 30},   {Btn_BACnet_EDE_File, 31, 32},
        {Btn_CAN_Rec_Frame, 33, 35},     {Btn_CAN_Send_Frame, 34, 36},     {Btn_SDO_Server_CANopen, 41, 42},
        {Btn_SDO_Client_CANopen, 43, 44}, {Btn_PDO_CANopen, 45, 46},       {Btn_CANopen_EDS, 47, 48},
        {Btn_SNMP_Trap, 49, 50},         {Btn_SNMP_MIB, 51, 52},           {Btn_MQTT_Set_Topic, 53, 54},
        {Btn_NMEA0183_Access, 55, 56},   {Btn_EtherCAT_Set_Access, 57, 58}, {Btn_EtherCAT_ESI_File, 59, 60},
    };
    for (const TStepTexts& S : Texts) {
        S.Button->SetCaption(T(S.Caption));
        S.Button->SetHint(T(S.Hint));
    }
}

// ---------------------------------------------------------------- steps

void TFDeviravizevFirmWare::Create_New_Project()
{
    if (!FNew_Project || FNew_Project->ShowModal() != mrOk)
        return;
    Show_Configuration_Lines();
}

void TFDeviravizevFirmWare::Open_Project()
{
    if (!FOpenConf || FOpenConf->ShowModal() != mrOk)
        return;
    Name_Project = FOpenConf->Name_Conf;
    Path_Project = Name_Project.isEmpty() ? String() : Path_Projects + PathDelim + Name_Project;
    Show_Configuration_Lines();
    Set_Files();
}

void TFDeviravizevFirmWare::L_TarnixClick(TObject*)
{
    platform::OpenURL(Maker_Home_URL());
}
