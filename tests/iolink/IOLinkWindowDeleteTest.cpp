// Delete IODD in the IO-Link Set Access window: only Yes removes the
// port's description; the port row keeps showing what OK saves.
#include "iolink/IOLinkWindowTestSupport.h"

using namespace setaccess_test;
using F = TFIO_Link_Set_Access;

namespace {

// Port 1 in IO-Link mode with the valve, reading pin 2, time-out 40.
QByteArray ValvePort(const QString& File = ValveFile)
{
    return "<Channel><IODD_File FileName=\"" + File.toUtf8()
           + "\" Pin4Mode=\"IO-Link\" ReadPin2=\"Y\" TimeOut=\"40\"/></Channel>";
}

} // namespace

class IOLinkWindowDeleteTest : public IOLinkWindowTest {
protected:
    void SetUp() override
    {
        IOLinkWindowTest::SetUp();
        WriteParGen(Get_Model_Code() + QStringLiteral("-A1-4A"));
        CopyToProject(ValveFile);
    }
    // Makes Row current and presses Delete IODD with Answer ready.
    void Delete(Integer Row, TModalResult Answer)
    {
        Ports()->FocusCell(F::colChannel, Row);
        Dialogs->BoxAnswers.push_back(Answer);
        W->Btn_DelIODD->Click();
    }
};

TEST_F(IOLinkWindowDeleteTest, YesRemovesTheDescriptionAndKeepsThePortsValues)
{
    WriteConfig(ValvePort() + EmptyPortXml);
    Show();
    ASSERT_EQ(ValveFile, Cell(F::colFileName, 1));
    ASSERT_FALSE(Cell(F::colVendor, 1).isEmpty());
    ASSERT_FALSE(Ch(1).Var_List.empty());

    Delete(1, mrYes);
    ASSERT_EQ(1u, Dialogs->Boxes.size());
    EXPECT_EQ(Lang.Strings(1243), Dialogs->Boxes[0].Text);
    EXPECT_EQ(mtConfirmation, Dialogs->Boxes[0].DlgType);
    EXPECT_EQ(mbYesNoCancel, Dialogs->Boxes[0].Buttons);
    const std::vector<String> Row1{"Channel #01", "IO-Link", "Y", "", "", "", "40"};
    EXPECT_EQ(Row1, PortRow(1));
    EXPECT_EQ("", Ch(1).IODD_File);
    EXPECT_EQ(nullptr, W->Core.IODD_List[0]);
    EXPECT_TRUE(Ch(1).Var_List.empty());
    EXPECT_TRUE(Ch(1).Event_List.empty());
    EXPECT_FALSE(Ch(1).PD_List(true));
    EXPECT_EQ("IO-Link", Ch(1).Pin4Mode);
    EXPECT_EQ("40", Ch(1).TimeOut);

    // The check now asks for a description, as the row shows.
    EXPECT_FALSE(PressOK());
    EXPECT_EQ(LangFormat(1700, {1}), Dialogs->Boxes.back().Text);
}

TEST_F(IOLinkWindowDeleteTest, NoCancelAndPortsWithoutAFileChangeNothing)
{
    WriteConfig(ValvePort() + EmptyPortXml);
    Show();
    const std::vector<String> Before = PortRow(1);
    for (const TModalResult Answer : {mrNo, mrCancel}) {
        SCOPED_TRACE(Answer);
        Dialogs->Boxes.clear();
        Delete(1, Answer);
        EXPECT_EQ(1u, Dialogs->Boxes.size());
        EXPECT_EQ(Before, PortRow(1));
        EXPECT_EQ(ValveFile, Ch(1).IODD_File);
        EXPECT_NE(nullptr, W->Core.IODD_List[0]);
        EXPECT_FALSE(Ch(1).Var_List.empty());
    }
    // No question on a port without a file name.
    Dialogs->Boxes.clear();
    Dialogs->BoxAnswers.clear();
    Delete(2, mrYes);
    EXPECT_TRUE(Dialogs->Boxes.empty());
}

// A port whose file is gone from "IODD" shows its stored name, so Delete
// can remove what OK would otherwise save again.
TEST_F(IOLinkWindowDeleteTest, MissingFileIsShownAndCanBeDeleted)
{
    WriteConfig(ValvePort(QStringLiteral("Gone-IODD1.1.xml")) + EmptyPortXml);
    Show();
    Dialogs->Boxes.clear();
    const std::vector<String> Shown{"Channel #01", "IO-Link", "Y", "", "", "Gone-IODD1.1.xml", "40"};
    EXPECT_EQ(Shown, PortRow(1));

    Delete(1, mrYes);
    EXPECT_EQ(1u, Dialogs->Boxes.size());
    EXPECT_EQ("", Cell(F::colFileName, 1));
    EXPECT_EQ("", Ch(1).IODD_File);
    Ch(1).Pin4Mode = QStringLiteral("Disable");
    EXPECT_TRUE(PressOK());
    EXPECT_FALSE(ConfigBytes().contains("Gone-IODD1.1.xml"));
}
