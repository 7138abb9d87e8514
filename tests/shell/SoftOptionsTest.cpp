// The options window: the language pages and their flags, choosing a
// language (every window at once, the start language only on OK), the
// connection options and what OK stores and writes.
#include "SoftOptionsTestSupport.h"

#include "common/LocalHttpServer.h"

#include "shell/UAbout.h"
#include "shell/UNew_Project.h"
#include "shell/UOpenConf.h"
#include "shell/USoftOptions.h"

#include <QTest>

namespace {

// The texts of the slots shown, in slot order.
QStringList Shown_Languages(const TFSoftOptions* F)
{
    QStringList Names;
    for (Integer J = 0; J < TFSoftOptions::Slots_Per_Page; ++J)
        if (F->L_L[std::size_t(J)]->Visible())
            Names.append(F->L_L[std::size_t(J)]->Caption());
    return Names;
}

// Every text of the table as "T<number>".
QByteArray Numbered_Language()
{
    QByteArray Lines;
    for (Integer I = 0; I < Lang_English_Count; ++I)
        Lines += "STR" + QByteArray::number(I) + " = T" + QByteArray::number(I) + "\r\n";
    return Lines;
}

void Click(TControl* Control)
{
    QTest::mouseClick(Control->Handle(), Qt::LeftButton, {}, QPoint(4, 4));
}

} // namespace

class SoftOptionsTest : public OptionsTest {
protected:
    // Shows the options window from the main window's button and runs
    // Action while it is open; true when Action left it open.
    bool With_Options(std::function<void()> Action)
    {
        auto Open = OnModal(FSoftOptions, std::move(Action));
        Main->Btn_Opz->Click();
        return *Open;
    }
};

// Six languages to a page; with no language file at all one empty page
// without page buttons.
TEST_F(SoftOptionsTest, LanguagesArePagedSixToAPage)
{
    Start();
    const Integer Counts[] = {0, 1, 6, 9, 20};
    for (const Integer Count : Counts) {
        SCOPED_TRACE(Count);
        ASSERT_TRUE(QDir(Language_Folder()).removeRecursively());
        Write_Flag(QStringLiteral("DefaultFlag.bmp"), clBlue);
        QStringList All;
        for (Integer I = 0; I < Count; ++I) {
            All.append(QStringLiteral("Lang%1").arg(I, 2, 10, QLatin1Char('0')));
            Write_Language(All.back());
        }
        const Integer Pages = std::max<Integer>(1, (Count + 5) / 6);
        With_Options([&] {
            TFSoftOptions* F = FSoftOptions;
            EXPECT_EQ(F->TS_Language, F->PC_Options->ActivePage());
            for (Integer Page = 1; Page <= Pages; ++Page) {
                SCOPED_TRACE(Page);
                EXPECT_EQ(Page, F->Show_Page);
                EXPECT_EQ(QStringLiteral("Page %1 / %2").arg(Page).arg(Pages), F->L_Page_Lang->Caption());
                EXPECT_EQ(Page != 1, F->Btn_Prev->Visible());
                EXPECT_EQ(Page != Pages, F->Btn_Next->Visible());
                EXPECT_EQ(All.mid((Page - 1) * 6, 6), Shown_Languages(F));
                for (Integer J = 0; J < 6; ++J)
                    EXPECT_EQ(F->L_L[std::size_t(J)]->Visible(), F->I_L[std::size_t(J)]->Visible()) << J;
                F->Btn_NextClick(F->Btn_Next);
            }
            // Next on the last page and Prev on the first stay.
            EXPECT_EQ(Pages, F->Show_Page);
            for (Integer Page = Pages; Page > 1; --Page)
                Click(F->Btn_Prev);
            F->Btn_NextClick(F->Btn_Prev);
            EXPECT_EQ(1, F->Show_Page);
            EXPECT_EQ(All.mid(0, 6), Shown_Languages(F));

            // A click on an empty slot chooses nothing.
            if (Count < 6) {
                F->LangClick(F->L_L[5]);
                F->LangClick(F->I_L[5]);
                F->LangClick(F->L_L[std::size_t(Count)]);
                EXPECT_TRUE(Dialogs->Boxes.empty());
                EXPECT_EQ(QStringLiteral("English"), F->Language_In_Use);
            }
        });
    }
}

// Plain ".lng" files in name order ignoring case; the name is the file name
// without its extension; folders and other files are not offered.
TEST_F(SoftOptionsTest, OnlyLanguageFilesAreOfferedInNameOrder)
{
    Write_Language(QStringLiteral("beta"));
    Write_Language(QStringLiteral("Gamma"));
    WriteFile(Language_Folder() + QStringLiteral("/Alpha.LNG"), "STR0 = A\r\n");
    WriteFile(Language_Folder() + QStringLiteral("/notes.txt"), "STR0 = N\r\n");
    WriteFile(Language_Folder() + QStringLiteral("/Delta.lng.bak"), "STR0 = D\r\n");
    ASSERT_TRUE(ForceDirectories(Language_Folder() + QStringLiteral("/Folder.lng")));
    Start();
    With_Options([] {
        EXPECT_EQ((QStringList{QStringLiteral("Alpha"), QStringLiteral("beta"), QStringLiteral("Gamma")}),
                  Shown_Languages(FSoftOptions));
        EXPECT_EQ(QStringLiteral("Page 1 / 1"), FSoftOptions->L_Page_Lang->Caption());
    });
}

// Read-only is the file's own mode (no write bit for anyone), whoever runs
// the program: a file only its owner or group may write, as one installed
// by another user, is offered.
TEST_F(SoftOptionsTest, AReadOnlyLanguageFileIsNotOffered)
{
    Write_Language(QStringLiteral("Kept"));
    Write_Language(QStringLiteral("Locked"));
    Write_Language(QStringLiteral("Shared"));
    const String Locked = Language_Folder() + QStringLiteral("/Locked.lng");
    ASSERT_TRUE(QFile::setPermissions(Locked, QFileDevice::ReadOwner | QFileDevice::ReadGroup));
    const String Shared = Language_Folder() + QStringLiteral("/Shared.lng");
    ASSERT_TRUE(QFile::setPermissions(Shared, QFileDevice::ReadOwner | QFileDevice::ReadGroup |
                                                  QFileDevice::WriteGroup | QFileDevice::ReadOther));
    Start();
    With_Options([] {
        EXPECT_EQ((QStringList{QStringLiteral("Kept"), QStringLiteral("Shared")}), Shown_Languages(FSoftOptions));
    });
}

// A language's own flag, else DefaultFlag.bmp, else no picture; a damaged
// picture counts as a missing one.
TEST_F(SoftOptionsTest, EachLanguageShowsItsFlagOrTheDefaultFlag)
{
    Write_Language(QStringLiteral("Deutsch"));
    Write_Language(QStringLiteral("Francais"));
    Write_Language(QStringLiteral("Italiano"));
    Write_Flag(QStringLiteral("deutsch.bmp"), clRed); // found ignoring case
    WriteFile(Language_Folder() + QStringLiteral("/Italiano.bmp"), "not a picture");
    Write_Flag(QStringLiteral("DefaultFlag.bmp"), clBlue);
    Start();

    const auto Flag_Colour = [](Integer Slot) {
        TImage* Image = FSoftOptions->I_L[std::size_t(Slot)];
        return Image->Visible() ? Image->Picture()->Bitmap()->Canvas()->Pixels(24, 24) : TColor(clNone);
    };
    With_Options([&] {
        EXPECT_EQ(clRed, Flag_Colour(0));
        EXPECT_EQ(clBlue, Flag_Colour(1));
        EXPECT_EQ(clBlue, Flag_Colour(2));
        EXPECT_EQ(48, FSoftOptions->I_L[0]->Width());
    });

    ASSERT_TRUE(QFile::remove(Language_Folder() + QStringLiteral("/DefaultFlag.bmp")));
    With_Options([&] {
        EXPECT_EQ(clRed, Flag_Colour(0));
        EXPECT_EQ(TColor(clNone), Flag_Colour(1));
        EXPECT_EQ(TColor(clNone), Flag_Colour(2));
        // The name stays without its picture.
        EXPECT_TRUE(FSoftOptions->L_L[1]->Visible());
        EXPECT_EQ(QStringLiteral("Francais"), FSoftOptions->L_L[1]->Caption());
    });
}

// A language chosen (and confirmed) relabels every window at once; Cancel
// keeps the start language for the next start.
TEST_F(SoftOptionsTest, AChosenLanguageRelabelsEveryWindowAndCancelKeepsTheStartLanguage)
{
    Write_Language(QStringLiteral("Numbers"), Numbered_Language());
    Write_Flag(QStringLiteral("DefaultFlag.bmp"), clBlue);
    Start();
    Main->Show();
    const bool LeftOpen = With_Options([this] {
        TFSoftOptions* F = FSoftOptions;
        EXPECT_EQ(QStringLiteral("Selected Language : English"), F->L_Sel_Lang->Caption());
        // A check that found nothing (no server answers).
        Set_Maker_Server(QStringLiteral("127.0.0.1:%1").arg(testhttp::ClosedLoopbackPort()));
        F->Btn_Check_UpdateClick(F->Btn_Check_Update);
        EXPECT_EQ(QStringLiteral("No Update Available"), F->LL_Check_Update->Caption());

        // No: nothing changes.
        Dialogs->BoxAnswers = {mrNo};
        Click(F->L_L[0]);
        ASSERT_EQ(1u, Dialogs->Boxes.size());
        EXPECT_EQ(QStringLiteral("Do you want to change the Language from English to Numbers?"),
                  Dialogs->Boxes[0].Text);
        EXPECT_EQ(mtConfirmation, Dialogs->Boxes[0].DlgType);
        EXPECT_TRUE((Dialogs->Boxes[0].Buttons == TMsgDlgButtons{mbYes, mbNo}));
        EXPECT_EQ(QStringLiteral("Begin"), Main->L_Begin->Caption());
        EXPECT_EQ(QStringLiteral("English"), F->Language_In_Use);

        // Yes, on the flag: every window but the about box shows the new texts.
        Dialogs->BoxAnswers = {mrYes};
        Click(F->I_L[0]);
        ASSERT_EQ(2u, Dialogs->Boxes.size());
        EXPECT_EQ(QStringLiteral("T0"), Main->L_Begin->Caption());
        EXPECT_EQ(QStringLiteral("T9"), Main->L_Name_Conf->Caption());
        EXPECT_EQ(QStringLiteral("T100"), FNew_Project->Caption());
        EXPECT_EQ(QStringLiteral("T203"), FOpenConf->Btn_OK->Caption());
        EXPECT_EQ(QStringLiteral("About..."), FAbout->Caption());
        EXPECT_EQ(QStringLiteral("T300"), F->Caption());
        EXPECT_EQ(QStringLiteral("T301"), F->L_SW_Desc->Caption());
        EXPECT_EQ(QStringLiteral("T302"), F->TS_Language->Caption());
        EXPECT_EQ(QStringLiteral("T319"), F->TS_Soft_Settings->Caption());
        EXPECT_EQ(QStringLiteral("T304Numbers"), F->L_Sel_Lang->Caption());
        EXPECT_EQ(QStringLiteral("T3051T3061"), F->L_Page_Lang->Caption());
        EXPECT_EQ(QStringLiteral("T308"), F->Btn_Next->Caption());
        EXPECT_EQ(QStringLiteral("T309"), F->CB_En_Con->Caption());
        EXPECT_EQ(QStringLiteral("T312"), F->Btn_OK->Caption());
        EXPECT_EQ(QStringLiteral("T321"), F->CB_DoubleClick_Auto_Size->Caption());
        EXPECT_EQ(QStringLiteral("T315"), F->LL_Check_Update->Caption());
        EXPECT_EQ(QStringLiteral("Numbers"), F->Language_In_Use);
        EXPECT_EQ(QStringLiteral("English"), Language_Name);
        Click(F->Btn_Cancel);
    });
    EXPECT_FALSE(LeftOpen);
    // Cancel stores nothing: the windows keep the chosen texts for this run,
    // the settings file gets the start language.
    EXPECT_TRUE(SettingsText().isEmpty());
    EXPECT_EQ(QStringLiteral("T0"), Main->L_Begin->Caption());
    EXPECT_EQ(QStringLiteral("English"), Language_Name);
    Main->Close();
    EXPECT_TRUE(SettingsText().contains(QStringLiteral("<language>English</language>")));

    Stop();
    ResetShellGlobals();
    Start();
    EXPECT_EQ(QStringLiteral("Begin"), Main->L_Begin->Caption());
    EXPECT_EQ(QStringLiteral("Software Options"), FSoftOptions->Caption());
}

// OK stores the language and the four options and the main window writes
// the settings file at once; the next start uses them.
TEST_F(SoftOptionsTest, OkStoresTheOptionsAndWritesTheSettingsFile)
{
    Write_Language(QStringLiteral("Numbers"), Numbered_Language());
    Start();
    Main->Show();
    const bool LeftOpen = With_Options([this] {
        TFSoftOptions* F = FSoftOptions;
        Dialogs->BoxAnswers = {mrYes};
        Click(F->L_L[0]);
        F->CB_En_Con->SetChecked(true);
        F->CB_Update->SetChecked(true);
        F->CB_Soft_Set_Jump_Table->SetChecked(true);
        Click(F->Btn_OK);
    });
    EXPECT_FALSE(LeftOpen);
    EXPECT_EQ(QStringLiteral("<Conf_Settings><lastproj><projectname/></lastproj>"
                             "<lastipadd><ipaddress>192.168.2.205</ipaddress></lastipadd>"
                             "<lastlang><language>Numbers</language></lastlang>"
                             "<lastinternet><enable_internet>1</enable_internet><enable_update>1</enable_update>"
                             "<enable_jump_field_tables>1</enable_jump_field_tables>"
                             "<Double_Click_Auto_Size>0</Double_Click_Auto_Size></lastinternet></Conf_Settings>")
                  .toStdString(),
              SettingsText().toStdString());
    EXPECT_TRUE(Main->Timer_Update->Enabled());

    Stop();
    ResetShellGlobals();
    Start();
    EXPECT_EQ(QStringLiteral("Numbers"), Language_Name);
    EXPECT_EQ(QStringLiteral("T0"), Main->L_Begin->Caption());
    EXPECT_TRUE(Enable_Jump_Field_Tables);
    EXPECT_FALSE(Double_Click_Auto_Size);
    // The window shows the stored options.
    With_Options([] {
        EXPECT_TRUE(FSoftOptions->CB_En_Con->Checked());
        EXPECT_TRUE(FSoftOptions->CB_Update->Checked());
        EXPECT_TRUE(FSoftOptions->CB_Soft_Set_Jump_Table->Checked());
        EXPECT_FALSE(FSoftOptions->CB_DoubleClick_Auto_Size->Checked());
        EXPECT_EQ(QStringLiteral("T304Numbers"), FSoftOptions->L_Sel_Lang->Caption());
    });
}

// The automatic check and the check button need internet access; the
// version timer runs only with both options on. The automatic check is
// stored as set, also while it cannot be changed.
TEST_F(SoftOptionsTest, ConnectionOptionsEnableEachOtherAndArmTheVersionTimer)
{
    Start();
    struct Case {
        bool Internet, Update;
    };
    for (const Case& C : {Case{false, false}, Case{false, true}, Case{true, false}, Case{true, true}}) {
        SCOPED_TRACE(std::to_string(C.Internet) + std::to_string(C.Update));
        Main->Timer_Update->SetEnabled(!(C.Internet && C.Update));
        With_Options([&C] {
            TFSoftOptions* F = FSoftOptions;
            F->CB_Update->SetChecked(C.Update);
            F->CB_En_Con->SetChecked(C.Internet);
            EXPECT_EQ(C.Internet, F->CB_Update->Enabled());
            EXPECT_EQ(C.Internet && C.Update, F->Btn_Check_Update->Enabled());
            F->Btn_OK->Click();
        });
        EXPECT_EQ(C.Internet, Enable_Internet);
        EXPECT_EQ(C.Update, Enable_Update);
        EXPECT_EQ(C.Internet && C.Update, Main->Timer_Update->Enabled());
        EXPECT_EQ(60000u, Main->Timer_Update->Interval());
        // Shown again, the window starts from the stored options.
        With_Options([&C] {
            EXPECT_EQ(C.Internet, FSoftOptions->CB_En_Con->Checked());
            EXPECT_EQ(C.Update, FSoftOptions->CB_Update->Checked());
            EXPECT_EQ(C.Internet, FSoftOptions->CB_Update->Enabled());
            EXPECT_EQ(C.Internet && C.Update, FSoftOptions->Btn_Check_Update->Enabled());
            EXPECT_FALSE(FSoftOptions->LL_Check_Update->Visible());
        });
    }
}
