// The main window: start-up in an empty program folder, layout, the refusal
// of steps without a configuration, settings written on close and read at
// the next start, the language switch over every window, and the steps
// that reach other windows.
#include "MainWindowFixture.h"

#include "iolink/UBoot.h"
#include "iolink/UIOLink_IODD_Catalog.h"
#include "iolink/UIO_Link_Set_Access_Form.h"
#include "protocols/ethernet/UBACnetSlaveSetAccess.h"
#include "protocols/ethernet/UBACnet_Eng_Unit.h"
#include "protocols/ethernet/UMQTT_Set_Topic.h"
#include "protocols/ethernet/UModbus_TCP_Master_Set_Access.h"
#include "protocols/ethernet/UProfinetFileName.h"
#include "protocols/ethernet/USNMP_Trap_Access.h"
#include "protocols/ethernet/USetAccess.h"
#include "protocols/ethernet/UTopicTemplate.h"
#include "protocols/fieldbus/UEtherCATSlave.h"
#include "protocols/fieldbus/UNMEA_0183_Set_Access.h"
#include "protocols/fieldbus/UNMEA_0183_Set_Access2.h"
#include "protocols/fieldbus/UReceiveCAN.h"
#include "protocols/fieldbus/UReceiveJ1939.h"
#include "protocols/fieldbus/UReceiveNMEA.h"
#include "protocols/fieldbus/USet_PDO_Access.h"
#include "protocols/fieldbus/USet_SDO_Client_Access.h"
#include "protocols/fieldbus/USet_SDO_Server_Access.h"
#include "protocols/fieldbus/UTransmitCAN.h"
#include "protocols/fieldbus/UTransmitJ1939.h"
#include "protocols/fieldbus/UTransmitNMEA.h"
#include "shell/UAbout.h"
#include "shell/UNew_Project.h"
#include "shell/UOpenConf.h"
#include "shell/UParGen.h"
#include "shell/USoftOptions.h"

#include "common/Pixels.h"

#include <QScopeGuard>
#include <QTest>

namespace {

const char* const Settings_Alpha =
    "<Conf_Settings><lastproj><projectname>Alpha</projectname></lastproj>"
    "<lastipadd><ipaddress>10.0.0.7</ipaddress></lastipadd>"
    "<lastlang><language>English</language></lastlang>"
    "<lastinternet><enable_internet>1</enable_internet><enable_update>0</enable_update>"
    "<enable_jump_field_tables>1</enable_jump_field_tables><Double_Click_Auto_Size>0</Double_Click_Auto_Size>"
    "</lastinternet></Conf_Settings>";

} // namespace

TEST_F(MainWindowTest, FirstStartMakesTheFoldersAndShowsTheFourSteps)
{
    Start();
    for (const char* Folder : {"MASTER", "PROJECTS", "LANGUAGE", "IODD_Catalog", "IOLink_StaDef"})
        EXPECT_TRUE(QDir(Dir.path() + QLatin1Char('/') + QLatin1String(Folder)).exists()) << Folder;
    EXPECT_EQ(QDir(Dir.path()).absolutePath(), Path_Exe);
    EXPECT_EQ(Path_Exe + QStringLiteral("/IOLink_StaDef/"), Path_IOLink_StaDef);

    EXPECT_EQ(QStringLiteral("Tarnix - Configurator QP11211 - IO-Link / EtherNet/IP "), Main->Caption());
    EXPECT_EQ(694, Main->ClientWidth());
    EXPECT_EQ(396, Main->ClientHeight());
    EXPECT_EQ(QStringLiteral("QP11211"), Main->L_SW_Code->Caption());
    EXPECT_EQ(QStringLiteral("IO-Link / EtherNet/IP - Converter"), Main->L_SW_Desc->Caption());

    struct Place {
        TControl* Control;
        Integer Left, Top;
        bool Visible;
    };
    const Place Places[] = {
        {Main->L_SW_Code, 16, 8, true},          {Main->L_SW_Desc, 16, 42, true},
        {Main->Shape2, 80, 70, true},            {Main->L_Name_Conf, 87, 75, true},
        {Main->L_Name_Conf_L2, 87, 88, true},    {Main->L_Begin, 16, 84, true},
        {Main->Btn_Info, 516, 8, true},          {Main->Btn_Opz, 574, 8, true},
        {Main->Btn_Close, 632, 8, true},         {Main->L_Step_1, 16, 128, true},
        {Main->L_Step_4, 16, 260, true},         {Main->L_Step_5, 16, 304, false},
        {Main->L_Step_8, 16, 436, false},        {Main->Btn_New, 80, 112, true},
        {Main->Btn_Open, 258, 112, true},        {Main->Btn_Prm_Gen, 80, 156, true},
        {Main->Btn_IOLink_Set_Access, 80, 200, true}, {Main->Btn_CreateBin, 80, 244, true},
        {Main->L_Tarnix, 565, 260, true},        {Main->Shape1, 10, 295, true},
        {Main->LL_Update, 208, 19, false},       {Main->Btn_Modbus_Set_Access, -1, -1, false},
        {Main->Btn_EtherCAT_ESI_File, -1, -1, false},
    };
    for (const Place& P : Places) {
        SCOPED_TRACE(P.Control->ClassName().toStdString() + " at " + std::to_string(P.Left));
        if (P.Left >= 0) {
            EXPECT_EQ(P.Left, P.Control->Left());
            EXPECT_EQ(P.Top, P.Control->Top());
        }
        EXPECT_EQ(P.Visible, P.Control->Visible());
    }
    EXPECT_EQ(348, Main->Shape2->Width());
    EXPECT_EQ(36, Main->Shape2->Height());
    EXPECT_EQ(674, Main->Shape1->Width());

    // Exactly the eight buttons of this variant show.
    Integer Shown = 0;
    for (Integer I = 0; I < Main->ControlCount(); ++I)
        if (auto* B = dynamic_cast<TLbButton*>(Main->Controls(I)); B && B->Visible()) {
            ++Shown;
            EXPECT_TRUE(B == Main->Btn_Info || B == Main->Btn_Opz || B == Main->Btn_Close || B == Main->Btn_New ||
                        B == Main->Btn_Open || B == Main->Btn_Prm_Gen || B == Main->Btn_IOLink_Set_Access ||
                        B == Main->Btn_CreateBin)
                << B->Caption().toStdString();
        }
    EXPECT_EQ(8, Shown);
    EXPECT_EQ(QStringLiteral("New Configuration"), Main->Btn_New->Caption());
    EXPECT_EQ(QStringLiteral("Update the actual Firmware and/or Configuration in the device"), Main->Btn_CreateBin->Hint());
    EXPECT_EQ(QStringLiteral("PROFINET XML"), Main->Btn_PROFINET_XML->Caption());

    EXPECT_EQ(QStringLiteral("None Configuration Opened "), Main->L_Name_Conf->Caption());
    EXPECT_EQ(QStringLiteral("Use Step1 to open or create new configuration"), Main->L_Name_Conf_L2->Caption());
    EXPECT_TRUE(Path_Project.isEmpty());
    EXPECT_TRUE(File_ParGen.isEmpty());
    EXPECT_TRUE(File_EtherCAT_Slave.isEmpty());
    EXPECT_FALSE(Main->Timer_Update->Enabled());
    EXPECT_EQ(QStringLiteral("English"), Language_Name);
}

// Every step but New, Open and the three top buttons needs an open
// configuration; hidden steps too, when a variant shows them.
TEST_F(MainWindowTest, StepsWithoutConfigurationAnswerProjectNotValid)
{
    Start();
    Main->Show();
    for (TLbButton* B : {Main->Btn_Prm_Gen, Main->Btn_IOLink_Set_Access, Main->Btn_CreateBin,
                         Main->Btn_Modbus_Set_Access, Main->Btn_BACnet_EDE_File}) {
        SCOPED_TRACE(B->Caption().toStdString());
        B->SetVisible(true);
        Dialogs->Boxes.clear();
        QTest::mouseClick(B->Handle(), Qt::LeftButton, {}, QPoint(20, 18));
        ASSERT_EQ(1u, Dialogs->Boxes.size());
        EXPECT_EQ(QStringLiteral("Error! Project not Valid"), Dialogs->Boxes[0].Text);
        EXPECT_EQ(mtError, Dialogs->Boxes[0].DlgType);
        EXPECT_TRUE(Dialogs->Boxes[0].Buttons == TMsgDlgButtons{mbOK});
        EXPECT_TRUE(Dialogs->FileDialogs.empty());
    }
    EXPECT_FALSE(FParGen->Visible());
    EXPECT_FALSE(FBoot->Visible());
}

TEST_F(MainWindowTest, ClosingWritesTheSettingsAndARestartReopensTheConfiguration)
{
    Start();
    ASSERT_TRUE(ForceDirectories(Projects(QStringLiteral("Alpha"))));
    Name_Project = QStringLiteral("Alpha");
    Path_Project = Projects(QStringLiteral("Alpha"));
    Last_IP_Address = QStringLiteral("10.0.0.7");
    Enable_Internet = true;
    Enable_Jump_Field_Tables = true;
    Main->Close();
    EXPECT_EQ(QString::fromLatin1(Settings_Alpha), SettingsText());

    Stop();
    ResetShellGlobals();
    Start();
    EXPECT_EQ(QDir(Projects(QStringLiteral("Alpha"))).absolutePath(), Path_Project);
    EXPECT_EQ(QStringLiteral("Opened Configuration of the Converter : "), Main->L_Name_Conf->Caption());
    EXPECT_EQ(QStringLiteral("Alpha"), Main->L_Name_Conf_L2->Caption());
    EXPECT_EQ(Path_Project + QStringLiteral("/ParGen.xml"), File_ParGen);
    EXPECT_EQ(QStringLiteral("10.0.0.7"), Last_IP_Address);
    // Internet allowed, automatic check off: no version check.
    EXPECT_FALSE(Main->Timer_Update->Enabled());
}

// A settings file naming a configuration without its folder, or a name that
// would lead out of PROJECTS, opens nothing; the name is kept and saved back.
TEST_F(MainWindowTest, SettingsNamingNoConfigurationFolderOpenNothing)
{
    for (const char* Name : {"Gone", "..", "../PROJECTS", "/tmp"}) {
        SCOPED_TRACE(Name);
        WriteFile(Dir.path() + QStringLiteral("/Pantovisor.xml"),
                  QByteArray("<Conf_Settings><lastproj><projectname>") + Name +
                      "</projectname></lastproj><lastinternet><enable_internet>1</enable_internet>"
                      "<enable_update>1</enable_update></lastinternet></Conf_Settings>");
        Start();
        EXPECT_TRUE(Path_Project.isEmpty());
        EXPECT_EQ(QString::fromLatin1(Name), Name_Project);
        EXPECT_EQ(QStringLiteral("None Configuration Opened "), Main->L_Name_Conf->Caption());
        EXPECT_TRUE(File_IOLink_SetAccess.isEmpty());
        EXPECT_TRUE(Main->Timer_Update->Enabled());
        Main->Close();
        EXPECT_TRUE(SettingsText().contains(QStringLiteral("<projectname>") + QString::fromLatin1(Name)));
        Stop();
        ResetShellGlobals();
    }
}

TEST_F(MainWindowTest, ALanguageChangeRelabelsEveryWindow)
{
    Start();
    // A language that names every text by its number.
    QByteArray Lng;
    for (Integer I = 0; I < 3800; ++I)
        Lng += "STR" + QByteArray::number(I) + " = T" + QByteArray::number(I) + "\r\n";
    WriteFile(Path_Language + QStringLiteral("/Numbers.lng"), Lng);
    Language_Name = QStringLiteral("Numbers");
    Load_Language();
    Main->Change_Language();

    EXPECT_EQ(QStringLiteral("T0"), Main->L_Begin->Caption());
    EXPECT_EQ(QStringLiteral("T15"), Main->Btn_New->Caption());
    EXPECT_EQ(QStringLiteral("T9"), Main->L_Name_Conf->Caption());
    EXPECT_EQ(QStringLiteral("T10"), Main->L_Name_Conf_L2->Caption());
    EXPECT_EQ(QStringLiteral("T12"), Main->Btn_Info->Hint());
    const std::pair<TShellForm*, Integer> Windows[] = {
        {FNew_Project, 100},          {FOpenConf, 200},
        {FSoftOptions, 300},          {FBoot, 1400},
        {FParGen, 400},               {FIO_Link_Set_Access, 1200},
        {FIOLink_IODD_Catalog, 1300}, {FSetAccess, 1600},
        {FProfinetFileName, 1800},    {FModbus_TCP_Master_Set_Access, 1900},
        {FBACnet_Eng_Unit, 2200},     {FBACnetSlaveSetAccess, 2100},
        {FReceiveCAN, 2300},          {FTransmitCAN, 2400},
        {FSet_PDO_Access, 2500},      {FSet_SDO_Client_Access, 2600},
        {FSet_SDO_Server_Access, 2700}, {FReceiveJ1939, 2800},
        {FTransmitJ1939, 2900},       {FReceiveNMEA, 3000},
        {FTransmitNMEA, 3100},        {FSNMP_Trap_Access, 3200},
        {FMQTT_Set_Topic, 3300},      {FTopicTemplate, 3400},
        {FNMEA_0183_Set_Access, 3500}, {FNMEA_0183_Set_Access2, 3600},
        {FEtherCATSlave, 3700},
    };
    for (const auto& [Window, First] : Windows) {
        ASSERT_NE(nullptr, Window);
        SCOPED_TRACE(Window->ClassName().toStdString());
        EXPECT_EQ(QStringLiteral("T%1").arg(First), Window->Caption());
        // The topic editor's description pairs with its caption: "Set Topic" is 3400 and 3402.
        const Integer Description = Window == FTopicTemplate ? First + 2 : First + 1;
        EXPECT_EQ(QStringLiteral("T%1").arg(Description), Window->L_SW_Desc->Caption());
    }
    EXPECT_EQ(QStringLiteral("T102"), FNew_Project->Label1->Caption());
    EXPECT_EQ(QStringLiteral("T207"), FOpenConf->Btn_Cancel->Hint());
    // The about box keeps its fixed texts.
    EXPECT_EQ(QStringLiteral("About..."), FAbout->Caption());
}

// The windows are made in their order, each applying its texts as it is created.
TEST_F(MainWindowTest, WindowsAreCreatedInOrderWithTheirTexts)
{
    Start();
    ASSERT_GE(Owner->ComponentCount(), 29);
    const char* const Order[] = {
        "TFDeviravizevFirmWare", "TFIO_Link_Set_Access", "TFNew_Project", "TFOpenConf", "TFAbout",
        "TFSoftOptions", "TFParGen", "TFIOLink_IODD_Catalog", "TFBoot", "TFSetAccess", "TFProfinetFileName",
        "TFModbus_TCP_Master_Set_Access", "TFBACnet_Eng_Unit", "TFBACnetSlaveSetAccess", "TFReceiveCAN",
        "TFTransmitCAN", "TFSet_PDO_Access", "TFSet_SDO_Client_Access", "TFSet_SDO_Server_Access",
        "TFReceiveJ1939", "TFTransmitJ1939", "TFReceiveNMEA", "TFTransmitNMEA", "TFSNMP_Trap_Access",
        "TFMQTT_Set_Topic", "TFTopicTemplate", "TFNMEA_0183_Set_Access2", "TFNMEA_0183_Set_Access",
        "TFEtherCATSlave",
    };
    for (Integer I = 0; I < 29; ++I)
        EXPECT_EQ(QLatin1String(Order[I]), Owner->Components(I)->ClassName()) << I;
    EXPECT_EQ(QStringLiteral("QP11211"), FEtherCATSlave->L_SW_Code->Caption());
    EXPECT_EQ(QStringLiteral("Set Communication"), FParGen->Caption());
    EXPECT_EQ(QStringLiteral("Create New Configuration"), FNew_Project->Caption());
    EXPECT_EQ(331, FNew_Project->ClientWidth());
    EXPECT_EQ(162, FNew_Project->ClientHeight());
    EXPECT_EQ(377, FOpenConf->ClientWidth());
    EXPECT_EQ(351, FOpenConf->ClientHeight());
}

// An installed copy whose folder cannot be written keeps what it writes in
// the per-user data folder, and still takes the programs and the data it
// ships from its own folder only.
TEST_F(MainWindowTest, UnwritableProgramFolderUsesTheUserDataFolder)
{
    const String NotAFolder = Dir.path() + QStringLiteral("/program");
    WriteFile(NotAFolder, "not a folder");
    ScopedEnv Program(platform::ProgramDirEnv, NotAFolder.toLocal8Bit());
    ScopedEnv Data("XDG_DATA_HOME", (Dir.path() + QStringLiteral("/data")).toLocal8Bit());
    Start();
    const String User = Dir.path() + QStringLiteral("/data/QP11211");
    EXPECT_EQ(NotAFolder, Path_Exe);
    EXPECT_EQ(User, Path_Data);
    EXPECT_EQ(User + QStringLiteral("/PROJECTS"), Path_Projects);
    for (const String* Shipped : {&Path_Master, &Path_IOLink_StaDef, &Path_Language, &Path_IODD_Catalog})
        EXPECT_TRUE(Shipped->startsWith(NotAFolder + u'/')) << Shipped->toStdString();
    EXPECT_EQ(Language_Folders(), QStringList({NotAFolder + QStringLiteral("/LANGUAGE"), User + QStringLiteral("/LANGUAGE")}));
    EXPECT_EQ(IODD_Catalog_Folders(),
              QStringList({NotAFolder + QStringLiteral("/IODD_Catalog"), User + QStringLiteral("/IODD_Catalog")}));
    for (const char* Made : {"/PROJECTS", "/LANGUAGE", "/IODD_Catalog"})
        EXPECT_TRUE(QDir(User + QLatin1String(Made)).exists()) << Made;
    EXPECT_FALSE(QDir(User + QStringLiteral("/MASTER")).exists());
    EXPECT_FALSE(QDir(User + QStringLiteral("/IOLink_StaDef")).exists());
    Main->Close();
    EXPECT_TRUE(QFile::exists(User + QStringLiteral("/Pantovisor.xml")));
}

// Neither the program folder nor the user data folder can be written: one
// error box names both, and the program starts with what it can read.
TEST_F(MainWindowTest, NoWritableDataFolderIsReportedOnceAtStart)
{
    const String NotAFolder = Dir.path() + QStringLiteral("/program");
    WriteFile(NotAFolder, "not a folder");
    ScopedEnv Program(platform::ProgramDirEnv, (NotAFolder + QStringLiteral("/inside")).toLocal8Bit());
    ScopedEnv Data("XDG_DATA_HOME", (NotAFolder + QStringLiteral("/data")).toLocal8Bit());
    Start();
    ASSERT_EQ(1u, Dialogs->Boxes.size());
    EXPECT_EQ(mtError, Dialogs->Boxes[0].DlgType);
    EXPECT_TRUE(Dialogs->Boxes[0].Text.contains(NotAFolder + QStringLiteral("/inside")));
    EXPECT_TRUE(Dialogs->Boxes[0].Text.contains(NotAFolder + QStringLiteral("/data/QP11211")));
    EXPECT_EQ(NotAFolder + QStringLiteral("/inside"), Path_Exe);
    EXPECT_EQ(QStringLiteral("Begin"), Main->L_Begin->Caption());

    // A usable folder gives no box.
    Stop();
    Dialogs->Boxes.clear();
    ScopedEnv Usable(platform::ProgramDirEnv, Dir.path().toLocal8Bit());
    Start();
    EXPECT_TRUE(Dialogs->Boxes.empty());
}

// A program folder that exists but cannot be written, with no user data
// folder: the configurations already there can still be opened.
TEST_F(MainWindowTest, ReadOnlyProgramFolderStillOpensItsConfigurations)
{
    const String Program = Dir.path() + QStringLiteral("/program");
    ASSERT_TRUE(ForceDirectories(Program + QStringLiteral("/PROJECTS/Alpha")));
    ASSERT_TRUE(QFile::setPermissions(Program, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    const auto Restore = qScopeGuard([&] { QFile::setPermissions(Program, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner); });
    if (platform::IsFolderWritable(Program))
        GTEST_SKIP() << "this user may write read-only folders";
    WriteFile(Dir.path() + QStringLiteral("/file"), "");
    ScopedEnv ProgramEnv(platform::ProgramDirEnv, Program.toLocal8Bit());
    ScopedEnv Data("XDG_DATA_HOME", (Dir.path() + QStringLiteral("/file/data")).toLocal8Bit());
    Start();
    ASSERT_EQ(1u, Dialogs->Boxes.size());
    auto Open = OnModal(FOpenConf, [] {
        EXPECT_EQ(QStringLiteral("Alpha"), FOpenConf->ListBox1->Items()->Strings(0));
        FOpenConf->SetModalResult(mrOk);
    });
    Main->Btn_Open->Click();
    EXPECT_EQ(QStringLiteral("Alpha"), Name_Project);
    EXPECT_EQ(1u, Dialogs->Boxes.size());
}

// Errors nobody expected are boxes captioned "Error" like every other error.
TEST_F(MainWindowTest, AnUnexpectedErrorIsCaptionedError)
{
    Start();
    try {
        throw Exception(QStringLiteral("Something broke"));
    } catch (...) {
        Application->HandleException(nullptr);
    }
    ASSERT_EQ(1u, Dialogs->Boxes.size());
    EXPECT_EQ(QStringLiteral("Error"), Dialogs->Boxes[0].Caption);
    EXPECT_EQ(QStringLiteral("Something broke."), Dialogs->Boxes[0].Text);
    EXPECT_EQ(mtError, Dialogs->Boxes[0].DlgType);
}

// The title panel of every dialog has the window colour.
TEST_F(MainWindowTest, DialogTitlePanelsHaveTheWindowColour)
{
    Start();
    for (TShellForm* Window : std::initializer_list<TShellForm*>{FNew_Project, FOpenConf, FSoftOptions, FParGen,
                                                                 FBoot, FIO_Link_Set_Access, FSetAccess}) {
        SCOPED_TRACE(Window->ClassName().toStdString());
        EXPECT_EQ(TColor(15595512), Window->P_Title->Color());
        Window->Show();
        const QImage Title = Window->Handle()->grab(ToQRect(Window->P_Title->BoundsRect())).toImage();
        EXPECT_EQ(QColor(248, 247, 237), Title.pixelColor(Title.width() - 2, 2));
        Window->Hide();
    }
}

// A long configuration name ends in "..." inside its frame; the hint shows
// it whole.
TEST_F(MainWindowTest, ALongConfigurationNameStaysInsideItsFrame)
{
    const String Name = QStringLiteral("Configuration of the second packaging line, hall B, north side");
    ASSERT_TRUE(ForceDirectories(Dir.path() + QStringLiteral("/PROJECTS/") + Name));
    WriteFile(Dir.path() + QStringLiteral("/Pantovisor.xml"),
              QStringLiteral("<Conf_Settings><lastproj><projectname>%1</projectname></lastproj></Conf_Settings>")
                  .arg(Name)
                  .toUtf8());
    Start();
    Main->Show();
    ASSERT_EQ(Name, Main->L_Name_Conf_L2->Caption());
    EXPECT_EQ(Name, Main->L_Name_Conf_L2->Hint());
    EXPECT_TRUE(Main->L_Name_Conf_L2->ShowHint());
    const TRect Frame = Main->Shape2->BoundsRect();
    EXPECT_LE(Main->L_Name_Conf_L2->Left() + Main->L_Name_Conf_L2->Width(), Frame.Right - 1);
    // No ink right of the frame, and the name's ink reaches its right part.
    const QImage Window = Main->Handle()->grab().toImage();
    const TRect Line = Main->L_Name_Conf_L2->BoundsRect();
    EXPECT_EQ(qGray(qRgb(248, 247, 237)),
              Darkest_Gray(Window.copy(Frame.Right, Line.Top, Main->Btn_Info->Left() - Frame.Right, Line.Height())));
    EXPECT_LT(Darkest_Gray(Window.copy(Line.Right - 40, Line.Top, 40, Line.Height())), 200);
}

// The open window never gets smaller than designed, so its list and its
// buttons stay in view; it may grow.
TEST_F(MainWindowTest, OpenWindowKeepsItsDesignedSizeAtLeast)
{
    Start();
    auto Open = OnModal(FOpenConf, [] {
        FOpenConf->Handle()->resize(120, 90);
        EXPECT_EQ(377, FOpenConf->ClientWidth());
        EXPECT_EQ(351, FOpenConf->ClientHeight());
        FOpenConf->SetClientHeight(500);
        FOpenConf->SetClientWidth(420);
        EXPECT_EQ(500, FOpenConf->ClientHeight());
        EXPECT_EQ(420, FOpenConf->ClientWidth());
        EXPECT_TRUE(FOpenConf->ListBox1->Visible());
        EXPECT_GE(FOpenConf->Btn_OK->Left(), FOpenConf->ListBox1->Left());
    });
    Main->Btn_Open->Click();
}

TEST_F(MainWindowTest, OptionsConfirmedWithOkAreSavedAndArmTheVersionCheck)
{
    Start();
    Main->Show();
    EXPECT_FALSE(Main->Timer_Update->Enabled());
    // The options window stores the choices on OK; here the test does.
    auto Open = OnModal(FSoftOptions, [] {
        Enable_Internet = true;
        Enable_Update = true;
        FSoftOptions->SetModalResult(mrOk);
    });
    QTest::mouseClick(Main->Btn_Opz->Handle(), Qt::LeftButton, {}, QPoint(25, 25));
    EXPECT_FALSE(*Open);
    EXPECT_TRUE(Main->Timer_Update->Enabled());
    EXPECT_TRUE(SettingsText().contains(QStringLiteral("<enable_update>1</enable_update>")));

    // Cancel saves nothing.
    QFile::remove(Dir.path() + QStringLiteral("/Pantovisor.xml"));
    OnModal(FSoftOptions, [] { FSoftOptions->SetModalResult(mrCancel); });
    Main->Btn_Opz->Click();
    EXPECT_TRUE(SettingsText().isEmpty());
}

// With a configuration open the steps reach their windows; a hidden step
// works when a variant shows its button.
TEST_F(MainWindowTest, StepsReachTheirWindowsWithAConfigurationOpen)
{
    Start();
    ASSERT_TRUE(ForceDirectories(Projects(QStringLiteral("Alpha"))));
    Name_Project = QStringLiteral("Alpha");
    Path_Project = Projects(QStringLiteral("Alpha"));
    Main->Set_Files();
    Main->Show();

    const std::pair<TLbButton*, TCustomForm*> Steps[] = {
        {Main->Btn_Prm_Gen, FParGen},
        {Main->Btn_IOLink_Set_Access, FIO_Link_Set_Access},
        {Main->Btn_Modbus_Set_Access, FSetAccess},
        {Main->Btn_NMEA0183_Access, FNMEA_0183_Set_Access2},
        {Main->Btn_Info, FAbout},
    };
    for (const auto& [Button, Window] : Steps) {
        SCOPED_TRACE(Window->ClassName().toStdString());
        Button->SetVisible(true);
        bool Shown = false;
        OnModal(Window, [&Shown] { Shown = true; });
        Button->Click();
        EXPECT_TRUE(Shown);
        EXPECT_FALSE(Window->Visible());
    }
    EXPECT_TRUE(Dialogs->Boxes.empty());

    // The update step builds the images into "bin", then shows the dialog
    // in its Ethernet mode with that mode's texts.
    String Caption;
    bool ImagesFirst = false;
    OnModal(FBoot, [&] {
        Caption = FBoot->Caption();
        ImagesFirst = QFile::exists(Path_Project + QStringLiteral("/bin/bank1.bin")) &&
                      QFile::exists(Path_Project + QStringLiteral("/bin/bank2.bin"));
    });
    QTest::mouseClick(Main->Btn_CreateBin->Handle(), Qt::LeftButton, {}, QPoint(20, 18));
    EXPECT_TRUE(Dialogs->Boxes.empty()) << (Dialogs->Boxes.empty() ? "" : Dialogs->Boxes[0].Text.toStdString());
    EXPECT_TRUE(ImagesFirst);
    EXPECT_EQ(TFBoot::Form_Ethernet, FBoot->Form_Type);
    EXPECT_EQ(QStringLiteral("Update Device by Ethernet (UDP)"), Caption);

    // Images that cannot be written: an error box, and no update dialog.
    ASSERT_TRUE(QDir(Path_Project + QStringLiteral("/bin")).removeRecursively());
    WriteFile(Path_Project + QStringLiteral("/bin"), "a file where the folder should be");
    bool DialogShown = false;
    OnModal(FBoot, [&DialogShown] { DialogShown = true; });
    QTest::mouseClick(Main->Btn_CreateBin->Handle(), Qt::LeftButton, {}, QPoint(20, 18));
    EXPECT_FALSE(DialogShown);
    ASSERT_EQ(1u, Dialogs->Boxes.size());
    EXPECT_EQ(mtError, Dialogs->Boxes[0].DlgType);
    QTest::qWait(0);
}

// The EDE export appends ".csv" and asks before replacing a file; the
// question is text 1503 while text 70 is blank.
TEST_F(MainWindowTest, EdeExportAsksBeforeReplacingAFile)
{
    Start();
    ASSERT_TRUE(ForceDirectories(Projects(QStringLiteral("Alpha"))));
    Path_Project = Projects(QStringLiteral("Alpha"));
    Main->Set_Files();
    std::vector<String> Written;
    Step_Routines.Create_EDE_File = [&Written](const String& Name) { Written.push_back(Name); };
    Main->Btn_BACnet_EDE_File->SetVisible(true);
    const String Base = Path_Project + QStringLiteral("/objects");
    WriteFile(Base + QStringLiteral(".csv"), "old");

    struct Case {
        TModalResult Answer;
        bool Written;
    };
    for (const Case& C : {Case{mrNo, false}, Case{mrCancel, false}, Case{mrYes, true}}) {
        Written.clear();
        Dialogs->Boxes.clear();
        Dialogs->FileAnswers = {Base};
        Dialogs->BoxAnswers = {C.Answer};
        Main->Btn_BACnet_EDE_File->Click();
        ASSERT_EQ(1u, Dialogs->Boxes.size());
        EXPECT_EQ(QStringLiteral("File already exists! Do you want to overwrite the file?"), Dialogs->Boxes[0].Text);
        EXPECT_TRUE(Dialogs->Boxes[0].Buttons == mbYesNoCancel);
        EXPECT_EQ(C.Written ? std::vector<String>{Base + QStringLiteral(".csv")} : std::vector<String>{}, Written);
    }
    EXPECT_EQ(Path_Project, Dialogs->FileDialogs.back().InitialDir);

    // A new name: no question; a name ending in ".CSV" keeps it.
    Written.clear();
    Dialogs->Boxes.clear();
    Dialogs->FileAnswers = {Path_Project + QStringLiteral("/new.CSV")};
    Main->Btn_BACnet_EDE_File->Click();
    EXPECT_TRUE(Dialogs->Boxes.empty());
    EXPECT_EQ(std::vector<String>{Path_Project + QStringLiteral("/new.CSV")}, Written);
}

TEST_F(MainWindowTest, BACnetTypeIsReadFromTheParameterFile)
{
    Start();
    EXPECT_EQ(0, Main->Get_Type_BACnet()); // no configuration, no file
    ASSERT_TRUE(ForceDirectories(Projects(QStringLiteral("Alpha"))));
    Path_Project = Projects(QStringLiteral("Alpha"));
    Main->Set_Files();
    const std::pair<const char*, Integer> Cases[] = {
        {"<Par_Gen><BACnet_Type>3</BACnet_Type></Par_Gen>", 3},
        {"<Par_Gen><Other>3</Other></Par_Gen>", 0},
        {"<Par_Gen><BACnet_Type>three</BACnet_Type></Par_Gen>", 0},
        {"<Par_Gen><BACnet_Type>$10</BACnet_Type></Par_Gen>", 0},
        {"<Par_Gen><BACnet_Type>", 0},
    };
    for (const auto& [Text, Expected] : Cases) {
        WriteFile(File_ParGen, Text);
        EXPECT_EQ(Expected, Main->Get_Type_BACnet()) << Text;
    }
}
