// The IODD catalog window: what it lists, adding a file, choosing one.
#include "common/TestPaths.h"
#include "grid/control/ExGridMouse.h"
#include "iolink/UIOLink_IODD_Catalog.h"
#include "shell/MainWindowFixture.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {

const QString ValveFile = QStringLiteral("Fixture-Valve-IODD1.1.xml");
const QString SwitchFile = QStringLiteral("Fixture-Switch-IODD1.1.xml");

QByteArray Fixture_Bytes(const QString& Name)
{
    QFile F(testpaths::Fixture(QStringLiteral("iolink/catalog/") + Name));
    EXPECT_TRUE(F.open(QIODevice::ReadOnly)) << Name.toStdString();
    return F.readAll();
}

QByteArray File_Bytes(const QString& Path)
{
    QFile F(Path);
    return F.open(QIODevice::ReadOnly) ? F.readAll() : QByteArray();
}

using TRows = std::vector<QStringList>;

class IODDCatalogWindowTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        Start();
        Catalog = FIOLink_IODD_Catalog;
        ASSERT_NE(nullptr, Catalog);
        ASSERT_TRUE(Sources.isValid());
    }

    void Put_In_Catalog(const QString& Name, const QByteArray& Bytes)
    {
        WriteFile(Path_IODD_Catalog + u'/' + Name, Bytes);
    }
    // A file outside the catalog, as the user picks it in the open dialog.
    QString Source_File(const QString& Name, const QByteArray& Bytes)
    {
        const QString Path = Sources.path() + u'/' + Name;
        WriteFile(Path, Bytes);
        return Path;
    }
    QStringList Catalog_Entries() const
    {
        return QDir(Path_IODD_Catalog).entryList(QDir::Files | QDir::Hidden, QDir::Name | QDir::IgnoreCase);
    }

    // Every row of the grid, header included.
    TRows Grid_Rows() const
    {
        TRows Rows;
        TExStringGrid* G = Catalog->ESG_IODD_Cat;
        for (Integer R = 0; R < G->RowCount(); ++R)
            Rows.push_back({G->Cells(0, R), G->Cells(1, R), G->Cells(2, R)});
        return Rows;
    }

    // Shows the catalog modally, runs Action inside it and answers how it closed.
    TModalResult Show_Catalog(std::function<void()> Action)
    {
        OnModal(Catalog, std::move(Action));
        return Catalog->ShowModal();
    }

    // The rows a showing lists.
    TRows Rows_Shown()
    {
        TRows Rows;
        Show_Catalog([&] { Rows = Grid_Rows(); });
        return Rows;
    }

    // Add IODD clicked inside the shown window, the dialog answering Picked
    // and the overwrite question Answer; the rows listed afterwards.
    TRows Add(const QString& Picked, TModalResult Answer = mrYes)
    {
        Dialogs->FileAnswers.push_back(Picked);
        Dialogs->BoxAnswers.push_back(Answer);
        TRows Rows;
        Show_Catalog([&] {
            Catalog->Btn_Add_IODD->Click();
            Rows = Grid_Rows();
        });
        Dialogs->BoxAnswers.clear();
        return Rows;
    }

    const QStringList Header{QStringLiteral("Vendor"), QStringLiteral("Device Name"), QStringLiteral("FileName")};
    const QStringList Empty_Row{QString(), QString(), QString()};
    const QStringList Valve_Row{QStringLiteral("Fixture Valves"), QStringLiteral("Fixture Valve"), ValveFile};
    const QStringList Switch_Row{QStringLiteral("Fixture Switches"), QStringLiteral("Fixture Switch"), SwitchFile};

    TFIOLink_IODD_Catalog* Catalog = nullptr;
    QTemporaryDir Sources;
};

TEST_F(IODDCatalogWindowTest, LayoutAndTexts)
{
    EXPECT_EQ(800, Catalog->ClientWidth());
    EXPECT_EQ(400, Catalog->ClientHeight());
    EXPECT_EQ(QStringLiteral("IO-Link IODD Catalog"), Catalog->Caption());
    EXPECT_EQ(QStringLiteral("IO-Link IODD Catalog"), Catalog->L_SW_Desc->Caption());
    EXPECT_EQ(SW_Code, Catalog->L_SW_Code->Caption());

    TExStringGrid* G = Catalog->ESG_IODD_Cat;
    EXPECT_EQ(3, G->ColCount());
    EXPECT_EQ(0, G->FixedCols());
    EXPECT_EQ(1, G->FixedRows());
    EXPECT_EQ((std::vector<Integer>{100, 100, 570}), (std::vector<Integer>{G->ColWidths(0), G->ColWidths(1),
                                                                          G->ColWidths(2)}));
    EXPECT_TRUE(G->Options().Contains(goRowSelect));
    EXPECT_TRUE(G->Options().Contains(goColSizing));
    EXPECT_EQ(ssBoth, G->ScrollBars());
    EXPECT_TRUE(G->HoverRow());
    EXPECT_EQ(QStringLiteral("IODD File (*.xml)|*.xml"), Catalog->OD_IODD->Filter());

    const std::tuple<TLbButton*, const char*, const char*> Buttons[] = {
        {Catalog->Btn_OK, "OK", "Confirm the IO-Link Device to use"},
        {Catalog->Btn_Cancel, "Cancel", "Exit Without Select the IO-Link Device"},
        {Catalog->Btn_Add_IODD, "Add IODD", "Insert a New IO-Link Device in Catalog"},
    };
    for (const auto& [Button, Caption, Hint] : Buttons) {
        SCOPED_TRACE(Caption);
        EXPECT_EQ(QString::fromLatin1(Caption), Button->Caption());
        EXPECT_EQ(QString::fromLatin1(Hint), Button->Hint());
        EXPECT_EQ(Catalog->P_Button, Button->Parent());
    }
    // The three buttons side by side inside the window.
    EXPECT_LT(Catalog->Btn_Add_IODD->BoundsRect().Right, Catalog->Btn_OK->Left());
    EXPECT_LT(Catalog->Btn_OK->BoundsRect().Right, Catalog->Btn_Cancel->Left());
    EXPECT_LE(Catalog->Btn_Cancel->BoundsRect().Right, Catalog->ClientWidth());
}

TEST_F(IODDCatalogWindowTest, AnEmptyCatalogShowsTheHeaderAndOneEmptyRowAndOKStillCloses)
{
    TRows Rows;
    String Chosen = QStringLiteral("earlier");
    const TModalResult Result = Show_Catalog([&] {
        Rows = Grid_Rows();
        Catalog->Btn_OK->Click();
        Chosen = Catalog->Chosen_File();
    });
    EXPECT_EQ((TRows{Header, Empty_Row}), Rows);
    EXPECT_EQ(mrOk, Result);
    EXPECT_EQ(String(), Chosen);
}

// Only plain "*.xml" files in any letter case, in name order ignoring case;
// a file that is no description is listed with empty names and the rest follow.
TEST_F(IODDCatalogWindowTest, ListsTheDescriptionFilesInNameOrderIgnoringCase)
{
    const QByteArray Valve = Fixture_Bytes(ValveFile);
    Put_In_Catalog(QStringLiteral("b-valve.XML"), Valve);
    Put_In_Catalog(QStringLiteral("A-valve.xml"), Valve);
    Put_In_Catalog(SwitchFile, Fixture_Bytes(SwitchFile));
    Put_In_Catalog(QStringLiteral("Broken.xml"), "<IODevice><ProfileBody>");
    Put_In_Catalog(QStringLiteral("notes.txt"), "not listed");
    Put_In_Catalog(QStringLiteral(".hidden.xml"), Valve);
    ASSERT_TRUE(QDir(Path_IODD_Catalog).mkdir(QStringLiteral("folder.xml")));

    const QStringList Valve_Names{QStringLiteral("Fixture Valves"), QStringLiteral("Fixture Valve")};
    EXPECT_EQ((TRows{Header,
                     Valve_Names + QStringList{QStringLiteral("A-valve.xml")},
                     Valve_Names + QStringList{QStringLiteral("b-valve.XML")},
                     {QString(), QString(), QStringLiteral("Broken.xml")},
                     Switch_Row}),
              Rows_Shown());
}

// Each showing lists the folder again: files gone leave no rows behind.
TEST_F(IODDCatalogWindowTest, EveryShowingListsTheFolderAgain)
{
    Put_In_Catalog(ValveFile, Fixture_Bytes(ValveFile));
    Put_In_Catalog(SwitchFile, Fixture_Bytes(SwitchFile));
    EXPECT_EQ((TRows{Header, Switch_Row, Valve_Row}), Rows_Shown());

    ASSERT_TRUE(QFile::remove(Path_IODD_Catalog + u'/' + SwitchFile));
    EXPECT_EQ((TRows{Header, Valve_Row}), Rows_Shown());

    ASSERT_TRUE(QFile::remove(Path_IODD_Catalog + u'/' + ValveFile));
    EXPECT_EQ((TRows{Header, Empty_Row}), Rows_Shown());
}

TEST_F(IODDCatalogWindowTest, OKAndADoubleClickOnARowChooseItsFileCancelAndTheHeaderDoNot)
{
    Put_In_Catalog(ValveFile, Fixture_Bytes(ValveFile));
    Put_In_Catalog(SwitchFile, Fixture_Bytes(SwitchFile));
    TExStringGrid* G = Catalog->ESG_IODD_Cat;
    const TGridMouse Mouse{G};
    const auto Double_Click = [&Mouse](Integer Row) { Mouse.DoubleClick(Mouse.At(2, Row, 5, 5)); };
    struct TCase {
        const char* Name;
        std::function<void()> Action;
        TModalResult Result;
        QString Chosen;
    };
    const TCase Cases[] = {
        {"OK on row 2", [&] { G->SetRow(2); Catalog->Btn_OK->Click(); }, mrOk, ValveFile},
        // Every showing starts on the first file.
        {"OK at once", [&] { Catalog->Btn_OK->Click(); }, mrOk, SwitchFile},
        {"double click on row 2", [&] { Double_Click(2); }, mrOk, ValveFile},
        {"double click on row 1", [&] { Double_Click(1); }, mrOk, SwitchFile},
        {"double click on the header", [&] { G->SetRow(2); Double_Click(0); }, mrCancel, ValveFile},
        {"Cancel", [&] { G->SetRow(1); Catalog->Btn_Cancel->Click(); }, mrCancel, SwitchFile},
    };
    for (const TCase& Case : Cases) {
        SCOPED_TRACE(Case.Name);
        QString Chosen;
        const TModalResult Result = Show_Catalog([&] {
            Case.Action();
            Chosen = Catalog->Chosen_File();
        });
        EXPECT_EQ(Case.Result, Result);
        EXPECT_EQ(Case.Chosen, Chosen);
        EXPECT_EQ(Case.Chosen, Catalog->Chosen_File());
    }
}

TEST_F(IODDCatalogWindowTest, AddCopiesANewFileAtOnceAndListsIt)
{
    const QString Picked = Source_File(ValveFile, Fixture_Bytes(ValveFile));
    EXPECT_EQ((TRows{Header, Valve_Row}), Add(Picked));
    EXPECT_TRUE(Dialogs->Boxes.empty());
    ASSERT_EQ(1u, Dialogs->FileDialogs.size());
    EXPECT_EQ(QStringLiteral("IODD File (*.xml)|*.xml"), Dialogs->FileDialogs[0].Filter);
    EXPECT_EQ(Fixture_Bytes(ValveFile), File_Bytes(Path_IODD_Catalog + u'/' + ValveFile));
}

// A name already in the catalog, in any letter case, asks first; only Yes
// replaces that very file, so no second file of the same name appears.
TEST_F(IODDCatalogWindowTest, AddOfAnExistingNameAsksAndOnlyYesReplaces)
{
    const QByteArray Old = Fixture_Bytes(SwitchFile);
    const QByteArray New = Fixture_Bytes(ValveFile);
    const QStringList Old_Row{QStringLiteral("Fixture Switches"), QStringLiteral("Fixture Switch"),
                              QStringLiteral("sensor.xml")};
    const QStringList New_Row{QStringLiteral("Fixture Valves"), QStringLiteral("Fixture Valve"),
                              QStringLiteral("sensor.xml")};
    struct TCase {
        const char* Picked;
        TModalResult Answer;
        bool Replaced;
    };
    const TCase Cases[] = {
        {"sensor.xml", mrYes, true}, {"Sensor.XML", mrYes, true},  {"Sensor.XML", mrNo, false},
        {"sensor.xml", mrNo, false}, {"SENSOR.xml", mrCancel, false},
    };
    for (const TCase& Case : Cases) {
        SCOPED_TRACE(std::string(Case.Picked) + " answered " + std::to_string(Case.Answer));
        Put_In_Catalog(QStringLiteral("sensor.xml"), Old);
        Dialogs->Boxes.clear();

        const TRows Rows = Add(Source_File(QString::fromLatin1(Case.Picked), New), Case.Answer);

        ASSERT_EQ(1u, Dialogs->Boxes.size());
        EXPECT_EQ(mtConfirmation, Dialogs->Boxes[0].DlgType);
        EXPECT_EQ(QStringLiteral("IODD File already exists in Catalog, Do you want to overwrite file?"),
                  Dialogs->Boxes[0].Text);
        EXPECT_EQ(mbYesNoCancel, Dialogs->Boxes[0].Buttons);
        EXPECT_EQ(QStringList{QStringLiteral("sensor.xml")}, Catalog_Entries());
        EXPECT_EQ(Case.Replaced ? New : Old, File_Bytes(Path_IODD_Catalog + QStringLiteral("/sensor.xml")));
        EXPECT_EQ((TRows{Header, Case.Replaced ? New_Row : Old_Row}), Rows);
    }
}

// The list is read again after Add also when the dialog was cancelled.
TEST_F(IODDCatalogWindowTest, ACancelledAddStillReadsTheListAgain)
{
    Dialogs->FileAnswers.push_back(QString());
    TRows Rows;
    Show_Catalog([&] {
        Put_In_Catalog(ValveFile, Fixture_Bytes(ValveFile));
        Catalog->Btn_Add_IODD->Click();
        Rows = Grid_Rows();
    });
    EXPECT_EQ(1u, Dialogs->FileDialogs.size());
    EXPECT_EQ((TRows{Header, Valve_Row}), Rows);
}

// A file that cannot be read is reported with its name; the catalog keeps
// what it had, also a file of that name the user agreed to replace.
TEST_F(IODDCatalogWindowTest, AFileThatCannotBeCopiedIsReportedAndChangesNothing)
{
    Put_In_Catalog(ValveFile, Fixture_Bytes(ValveFile));
    const QString Gone = Sources.path() + u'/' + ValveFile;
    const QString Folder = Sources.path() + QStringLiteral("/Folder.xml");
    ASSERT_TRUE(QDir().mkpath(Folder));
    struct TCase {
        QString Picked;
        size_t Boxes;
    };
    const TCase Cases[] = {{Gone, 2}, {Folder, 1}};
    for (const TCase& Case : Cases) {
        SCOPED_TRACE(Case.Picked.toStdString());
        Dialogs->Boxes.clear();
        EXPECT_EQ((TRows{Header, Valve_Row}), Add(Case.Picked, mrYes));
        ASSERT_EQ(Case.Boxes, Dialogs->Boxes.size());
        const TMessageBoxRequest& Error = Dialogs->Boxes.back();
        EXPECT_EQ(mtError, Error.DlgType);
        EXPECT_EQ(QStringLiteral("Error!! The file %1 cannot be copied into the catalog")
                      .arg(ExtractFileName(Case.Picked)),
                  Error.Text);
        EXPECT_EQ(QStringList{ValveFile}, Catalog_Entries());
        EXPECT_EQ(Fixture_Bytes(ValveFile), File_Bytes(Path_IODD_Catalog + u'/' + ValveFile));
    }
}

TEST_F(IODDCatalogWindowTest, ALanguageChangeRelabelsButtonsHintsAndHeaders)
{
    QByteArray Lng;
    for (Integer I = 1300; I <= 1310; ++I)
        Lng += "STR" + QByteArray::number(I) + " = T" + QByteArray::number(I) + "\r\n";
    WriteFile(Path_Language + QStringLiteral("/Numbers.lng"), Lng);
    Language_Name = QStringLiteral("Numbers");
    Load_Language();
    Main->Change_Language();

    EXPECT_EQ(QStringLiteral("T1300"), Catalog->Caption());
    EXPECT_EQ(QStringLiteral("T1301"), Catalog->L_SW_Desc->Caption());
    EXPECT_EQ(QStringLiteral("T1302"), Catalog->Btn_OK->Caption());
    EXPECT_EQ(QStringLiteral("T1303"), Catalog->Btn_Cancel->Caption());
    EXPECT_EQ(QStringLiteral("T1304"), Catalog->Btn_Add_IODD->Caption());
    EXPECT_EQ(QStringLiteral("T1305"), Catalog->Btn_OK->Hint());
    EXPECT_EQ(QStringLiteral("T1306"), Catalog->Btn_Cancel->Hint());
    EXPECT_EQ(QStringLiteral("T1307"), Catalog->Btn_Add_IODD->Hint());
    EXPECT_EQ((QStringList{QStringLiteral("T1308"), QStringLiteral("T1309"), QStringLiteral("T1310")}),
              Rows_Shown()[0]);
}

} // namespace

// When the program folder cannot be written, the user's own catalog holds
// what Add copies; both are listed, a shipped file first when both hold a name.
TEST_F(IODDCatalogWindowTest, TheUsersCatalogIsListedBesideTheShippedOneAndTakesWhatIsAdded)
{
    const QString User = Dir.path() + QStringLiteral("/user-catalog");
    ASSERT_TRUE(QDir().mkpath(User));
    Path_User_IODD_Catalog = User;
    Put_In_Catalog(ValveFile, Fixture_Bytes(ValveFile));
    WriteFile(User + u'/' + ValveFile.toUpper(), Fixture_Bytes(SwitchFile));
    const QString Added = QStringLiteral("added.xml");

    EXPECT_EQ((TRows{Header, Valve_Row}), Rows_Shown());
    EXPECT_EQ((TRows{Header, {Valve_Row[0], Valve_Row[1], Added}, Valve_Row}),
              Add(Source_File(Added, Fixture_Bytes(ValveFile))));
    EXPECT_EQ(QStringList{ValveFile}, Catalog_Entries());
    EXPECT_EQ(Fixture_Bytes(ValveFile), File_Bytes(User + u'/' + Added));
    // The user's file of the same name stays hidden and untouched.
    EXPECT_EQ(Fixture_Bytes(SwitchFile), File_Bytes(User + u'/' + ValveFile.toUpper()));
}
