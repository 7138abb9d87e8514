// OK of the IO-Link Set Access window: the check's messages as boxes of
// their kind, nothing written on a failure, the file written on a pass.
#include "iolink/IOLinkWindowTestSupport.h"

#include "platform/XmlDoc.h"

using namespace setaccess_test;
using F = TFIO_Link_Set_Access;

namespace {

const QByteArray EnabledModeVariable(const QByteArray& Position)
{
    return "<Variables><Variable Enable=\"True\" Index=\"64\" SubIndex=\"\" Value=\"5\" Position=\"" + Position
           + "\"/></Variables>";
}

} // namespace

TEST_F(IOLinkWindowTest, FailingCheckShowsItsErrorAndKeepsTheWindowAndTheFile)
{
    WriteParGen(Get_Model_Code() + QStringLiteral("-A1-4A"));
    WriteConfig(PortXml("", "IO-Link") + EmptyPortXml);
    Show();
    const QByteArray Before = ConfigBytes();
    ASSERT_TRUE(Dialogs->Boxes.empty());

    EXPECT_FALSE(PressOK());
    ASSERT_EQ(1u, Dialogs->Boxes.size());
    EXPECT_EQ(mtError, Dialogs->Boxes[0].DlgType);
    EXPECT_EQ(TMsgDlgButtons{mbOK}, Dialogs->Boxes[0].Buttons);
    EXPECT_EQ(LangFormat(1700, {1}), Dialogs->Boxes[0].Text);
    EXPECT_EQ(Before, ConfigBytes());

    // A time-out typed as text is refused by the check, naming the port.
    CopyToProject(ValveFile);
    WriteConfig(EmptyPortXml + PortXml(ValveFile.toUtf8(), "IO-Link"));
    CancelAndShowAgain();
    TypeInto(F::colTimeOut, 2, QStringLiteral("abc"));
    Dialogs->Boxes.clear();
    const QByteArray Second = ConfigBytes();
    EXPECT_FALSE(PressOK());
    EXPECT_EQ(std::vector<String>{LangFormat(1732, {2})}, BoxTexts());
    EXPECT_EQ(Second, ConfigBytes());
}

TEST_F(IOLinkWindowTest, PositionAdviceWarnsAndThePassingCheckWritesAndCloses)
{
    WriteParGen(Get_Model_Code() + QStringLiteral("-A1-4A"));
    CopyToProject(ValveFile);
    WriteConfig(PortXml(ValveFile.toUtf8(), "IO-Link", EnabledModeVariable("100")) + EmptyPortXml);
    Show();
    ASSERT_TRUE(Dialogs->Boxes.empty());
    TypeInto(F::colTimeOut, 1, QStringLiteral("25"));

    EXPECT_TRUE(PressOK());
    ASSERT_EQ(1u, Dialogs->Boxes.size());
    EXPECT_EQ(mtWarning, Dialogs->Boxes[0].DlgType);
    EXPECT_EQ(LangFormat(1728, {1, QStringLiteral("64"), QString()}), Dialogs->Boxes[0].Text);

    // Four ports written, the edit among them, read back the same.
    xml::TXMLDocument Doc;
    Doc.LoadFromFile(File_IOLink_SetAccess);
    const xml::TXMLNode Channels = Doc.DocumentElement().FindChild(QStringLiteral("IO-Link_Channels"));
    ASSERT_EQ(4, Channels.ChildCount());
    const xml::TXMLNode File = Channels.Child(0).FindChild(QStringLiteral("IODD_File"));
    EXPECT_EQ(ValveFile, File.Attribute("FileName").value_or("-"));
    EXPECT_EQ("25", File.Attribute("TimeOut").value_or("-"));
    W->Hide();
    Show();
    EXPECT_EQ("25", Cell(F::colTimeOut, 1));
    EXPECT_EQ(ValveFile, Cell(F::colFileName, 1));
    EXPECT_EQ("100", Ch(1).Var_List.at(0)->Position);
}

// A configuration file that cannot be read: its error when the window
// opens, the ports unconfigured, and OK never replaces the file.
TEST_F(IOLinkWindowTest, UnreadableFileIsReportedAndNeverReplaced)
{
    WriteParGen(Get_Model_Code() + QStringLiteral("-A1-2A"));
    WriteBytes(File_IOLink_SetAccess, "<IO-Link><IO-Link_Channels><Channel>");
    const QByteArray Before = ConfigBytes();
    Show();
    ASSERT_EQ(1u, Dialogs->Boxes.size());
    EXPECT_EQ(mtError, Dialogs->Boxes[0].DlgType);
    for (Integer Row = 1; Row <= 2; ++Row) {
        const std::vector<String> Unconfigured{QStringLiteral("Channel #0%1").arg(Row), "Disable", "N", "", "", "", ""};
        EXPECT_EQ(Unconfigured, PortRow(Row));
    }
    EXPECT_FALSE(PressOK());
    ASSERT_EQ(2u, Dialogs->Boxes.size());
    EXPECT_EQ(mtError, Dialogs->Boxes[1].DlgType);
    EXPECT_EQ(Before, ConfigBytes());
}
