// Inserting a description into a port of the IO-Link Set Access window
// through the catalog, shown as a nested modal window.
#include "iolink/IOLinkWindowTestSupport.h"

using namespace setaccess_test;
using F = TFIO_Link_Set_Access;

class IOLinkWindowInsertTest : public IOLinkWindowTest {
protected:
    void SetUp() override
    {
        IOLinkWindowTest::SetUp();
        WriteParGen(Get_Model_Code() + QStringLiteral("-A1-4A"));
        // Port 2 with a stored time-out and mode, no description.
        WriteConfig(EmptyPortXml
                    + "<Channel><IODD_File FileName=\"\" Pin4Mode=\"IO-Link\" ReadPin2=\"Y\" TimeOut=\"40\"/></Channel>");
    }
    // A catalog of its own, with copies of the fixtures' files.
    void OwnCatalog()
    {
        Path_IODD_Catalog = Dir.path() + QStringLiteral("/Catalog");
        Path_User_IODD_Catalog.clear();
        ASSERT_TRUE(ForceDirectories(Path_IODD_Catalog));
        for (const QString& Name : {ValveFile, SwitchFile, QStringLiteral("Broken-IODD1.1.xml")})
            ASSERT_TRUE(QFile::copy(CatalogFile(Name), Path_IODD_Catalog + u'/' + Name));
    }
    // Whether the catalog was shown modally by Action.
    bool CatalogShownBy(const std::function<void()>& Action)
    {
        bool Shown = false;
        const TNotifyEvent Previous = FIOLink_IODD_Catalog->OnShow;
        FIOLink_IODD_Catalog->OnShow = [&](TObject* Sender) {
            Shown = FIOLink_IODD_Catalog->Modal();
            Previous(Sender);
        };
        Action();
        FIOLink_IODD_Catalog->OnShow = Previous;
        return Shown;
    }
    void ExpectPortUntouched(Integer Port, const std::vector<String>& Row)
    {
        EXPECT_EQ(Row, PortRow(Port));
        EXPECT_EQ("", Ch(Port).IODD_File);
        EXPECT_EQ(nullptr, W->Core.IODD_List[std::size_t(Port - 1)]);
        EXPECT_TRUE(Ch(Port).Var_List.empty());
        EXPECT_FALSE(QFile::exists(Path_Project + QStringLiteral("/IODD")));
    }
};

// A double click on a port row, or Insert IODD on the current row, and OK
// on a catalog row: the row names the description, the time-out stays,
// and the pages show the port's device.
TEST_F(IOLinkWindowInsertTest, ChosenDescriptionFillsTheRowAndThePages)
{
    Show();
    ChooseInCatalog(ValveFile);
    EXPECT_TRUE(CatalogShownBy([this] { ClickCell(F::colVendor, 2, true); }));
    EXPECT_EQ(ValveFile, Cell(F::colFileName, 2));
    EXPECT_FALSE(Cell(F::colVendor, 2).isEmpty());
    EXPECT_FALSE(Cell(F::colDevice, 2).isEmpty());
    EXPECT_EQ("40", Cell(F::colTimeOut, 2));
    EXPECT_EQ("IO-Link", Cell(F::colPin4Mode, 2));
    EXPECT_EQ(ValveFile, Ch(2).IODD_File);
    EXPECT_EQ("40", Ch(2).TimeOut);
    EXPECT_TRUE(QFile::exists(Path_Project + QStringLiteral("/IODD/") + ValveFile));
    ASSERT_FALSE(Ch(2).Var_List.empty());
    EXPECT_EQ(Ch(2).Var_List.front()->Index, W->ESG_Var->Cells(1, 1));
    EXPECT_TRUE(Dialogs->Boxes.empty());

    Ports()->FocusCell(F::colChannel, 3);
    ChooseInCatalog(SwitchFile);
    EXPECT_TRUE(CatalogShownBy([this] { W->Btn_InsIODD->Click(); }));
    EXPECT_EQ(SwitchFile, Cell(F::colFileName, 3));
    EXPECT_EQ(SwitchFile, Ch(3).IODD_File);
    // The pages follow the port inserted into.
    ASSERT_FALSE(Ch(3).Var_List.empty());
    EXPECT_EQ(Ch(3).Var_List.front()->Index, W->ESG_Var->Cells(1, 1));
    // Port 2 kept its description.
    EXPECT_EQ(ValveFile, Cell(F::colFileName, 2));

    // Saved as inserted.
    Ch(2).Pin4Mode = QStringLiteral("Disable");
    EXPECT_TRUE(PressOK());
    EXPECT_TRUE(ConfigBytes().contains(SwitchFile.toUtf8()));
}

TEST_F(IOLinkWindowInsertTest, CancelChangesNothing)
{
    Show();
    const std::vector<String> Before = PortRow(2);
    ChooseInCatalog(String());
    EXPECT_TRUE(CatalogShownBy([this] { ClickCell(F::colChannel, 2, true); }));
    ExpectPortUntouched(2, Before);
    EXPECT_TRUE(Dialogs->Boxes.empty());
}

TEST_F(IOLinkWindowInsertTest, FileGoneSinceTheListingChangesNothing)
{
    OwnCatalog();
    Show();
    const std::vector<String> Before = PortRow(2);
    OnModal(FIOLink_IODD_Catalog, [] {
        ASSERT_TRUE(QFile::remove(Path_IODD_Catalog + u'/' + ValveFile));
        TExStringGrid* Grid = FIOLink_IODD_Catalog->ESG_IODD_Cat;
        for (Integer R = 1; R < Grid->RowCount(); ++R)
            if (Grid->Cells(TFIOLink_IODD_Catalog::Col_FileName, R) == ValveFile)
                Grid->FocusCell(0, R);
        ASSERT_EQ(ValveFile, FIOLink_IODD_Catalog->Chosen_File());
        FIOLink_IODD_Catalog->Btn_OK->Click();
    });
    EXPECT_TRUE(CatalogShownBy([this] { ClickCell(F::colChannel, 2, true); }));
    ExpectPortUntouched(2, Before);
    EXPECT_TRUE(Dialogs->Boxes.empty());
}

// A catalog file that does not decode: the core's decode error in an error
// box, and the port unchanged.
TEST_F(IOLinkWindowInsertTest, BadFileShowsTheDecodeError)
{
    OwnCatalog();
    Show();
    const std::vector<String> Before = PortRow(2);
    ChooseInCatalog(QStringLiteral("Broken-IODD1.1.xml"));
    EXPECT_TRUE(CatalogShownBy([this] { ClickCell(F::colChannel, 2, true); }));
    ExpectPortUntouched(2, Before);

    TIODD Probe;
    Probe.SetStandardDef_Path(Path_IOLink_StaDef);
    String Expected;
    try {
        Probe.Decode_IODD(Path_IODD_Catalog + QStringLiteral("/Broken-IODD1.1.xml"), false);
    } catch (const Exception& E) {
        Expected = E.Message();
    }
    ASSERT_FALSE(Expected.isEmpty());
    ASSERT_EQ(1u, Dialogs->Boxes.size());
    EXPECT_EQ(mtError, Dialogs->Boxes[0].DlgType);
    EXPECT_EQ(Expected, Dialogs->Boxes[0].Text);
}

// The header row is no port: a double click there opens no catalog.
TEST_F(IOLinkWindowInsertTest, DoubleClickOnTheHeaderOpensNoCatalog)
{
    Show();
    EXPECT_FALSE(CatalogShownBy([this] { ClickCell(F::colVendor, 0, true); }));
}
