// The IO-Link Set Access window: its layout and texts, the port rows of the
// device variants, and every showing starting from the file.
#include "iolink/IOLinkWindowTestSupport.h"

#include "grid/control/ExGrid_Editors.h"

using namespace setaccess_test;
using F = TFIO_Link_Set_Access;

TEST_F(IOLinkWindowTest, LayoutTextsAndPortColumns)
{
    EXPECT_EQ(1270, W->ClientWidth());
    EXPECT_EQ(700, W->ClientHeight());
    EXPECT_EQ(TColor(RGB(248, 247, 237)), W->Color());
    EXPECT_EQ("IO-Link Set Access", W->Caption());
    EXPECT_EQ("IO-Link Set Access", W->L_SW_Desc->Caption());
    EXPECT_EQ(SW_Code, W->L_SW_Code->Caption());
    EXPECT_EQ("List of IO-Link Channels", W->L_IO_Channels_Title->Caption());
    EXPECT_EQ(69, W->P_Title->Height());
    EXPECT_EQ(234, W->P_Channels->Height());
    EXPECT_EQ(3, W->Splitter1->Height());
    EXPECT_EQ(40, W->P_Button->Height());

    // The table's text 1731 reads "TimeOut".
    const char* Headers[] = {"Channels", "Pin 4 Mode", "Read Pin 2", "Vendor", "Device", "FileName", "TimeOut"};
    const Integer Widths[] = {100, 100, 100, 100, 100, 505, 80};
    const bool ReadOnly[] = {true, false, false, true, true, true, false};
    ASSERT_EQ(7, Ports()->Columns()->Count());
    for (Integer C = 0; C < 7; ++C) {
        SCOPED_TRACE(C);
        TGridColumnItem* Item = Ports()->Columns()->Items(C);
        EXPECT_EQ(QLatin1String(Headers[C]), Item->Header());
        EXPECT_EQ(QLatin1String(Headers[C]), Ports()->Cells(C, 0));
        EXPECT_EQ(Widths[C], Item->Width());
        EXPECT_EQ(ReadOnly[C], Item->ReadOnly());
    }
    EXPECT_EQ(edComboList, Ports()->Columns()->Items(F::colPin4Mode)->Editor());
    TStrings* Modes = Ports()->Columns()->Items(F::colPin4Mode)->ComboItems();
    ASSERT_EQ(4, Modes->Count());
    EXPECT_EQ("Disable", Modes->Strings(0));
    EXPECT_EQ("IO-Link", Modes->Strings(1));
    EXPECT_EQ("DIn", Modes->Strings(2));
    EXPECT_EQ("DOut", Modes->Strings(3));
    TGridColumnItem* Pin2 = Ports()->Columns()->Items(F::colReadPin2);
    EXPECT_EQ(edDataCheckBox, Pin2->Editor());
    EXPECT_EQ("Y", Pin2->CheckTrue());
    EXPECT_EQ("N", Pin2->CheckFalse());
    EXPECT_EQ(taCenter, Pin2->Alignment());
    EXPECT_EQ(1, Ports()->FixedRows());
    EXPECT_EQ(0, Ports()->FixedCols());

    // OK, Cancel, Insert IODD, Delete IODD from the left.
    const TLbButton* Buttons[] = {W->Btn_OK, W->Btn_Cancel, W->Btn_InsIODD, W->Btn_DelIODD};
    const char* Captions[] = {"OK", "Cancel", "Insert IODD", "Delete IODD"};
    const char* Hints[] = {"Confirm and Save the current configuration of IO-Link Channels",
                           "Exit and Discard the current configuration", "Insert a IODD file in selected Channels",
                           "Delete the IODD file in selected Channels"};
    for (std::size_t I = 0; I < 4; ++I) {
        SCOPED_TRACE(Captions[I]);
        EXPECT_EQ(QLatin1String(Captions[I]), Buttons[I]->Caption());
        EXPECT_EQ(QLatin1String(Hints[I]), Buttons[I]->Hint());
        EXPECT_EQ(W->P_Button, Buttons[I]->Parent());
        if (I > 0) {
            EXPECT_LT(Buttons[I - 1]->Left() + Buttons[I - 1]->Width(), Buttons[I]->Left());
        }
    }
    EXPECT_EQ(mrCancel, W->Btn_Cancel->ModalResult());
}

TEST_F(IOLinkWindowTest, LanguageFileRelabelsTheWindow)
{
    const QString File = Dir.path() + QStringLiteral("/Test.lng");
    WriteBytes(File, "STR1200 = Zugriff\nSTR1204 = Einfuegen\nSTR1208 = Beschreibung einfuegen\n"
                     "STR1210 = Kanaele\nSTR1297 = Modus Pin 4\nSTR1731 = Zeit (s)\n");
    Read_Lang_File(File);
    W->Set_Lang();
    EXPECT_EQ("Zugriff", W->Caption());
    EXPECT_EQ("Einfuegen", W->Btn_InsIODD->Caption());
    EXPECT_EQ("Beschreibung einfuegen", W->Btn_InsIODD->Hint());
    EXPECT_EQ("Kanaele", W->L_IO_Channels_Title->Caption());
    EXPECT_EQ("Modus Pin 4", Ports()->Cells(F::colPin4Mode, 0));
    EXPECT_EQ("Zeit (s)", Ports()->Columns()->Items(F::colTimeOut)->Header());
    // Texts the file leaves alone stay English.
    EXPECT_EQ("Channels", Ports()->Cells(F::colChannel, 0));
    EXPECT_EQ("Delete IODD", W->Btn_DelIODD->Caption());
}

// Rows per variant, and the ports whose "Read Pin 2" is read-only (class B
// ports come first).
TEST_F(IOLinkWindowTest, PortRowsFollowTheDeviceVariant)
{
    struct Case {
        QString Variant; // empty: no "ParGen.xml"
        Integer Rows;
        Integer ClassB;
        size_t Boxes;
    };
    const Case Cases[] = {
        {Get_Model_Code() + QStringLiteral("-A1-2A-4B"), 6, 4, 0},
        {(Get_Model_Code() + QStringLiteral("-A1-2A-4B")).toLower(), 6, 4, 0},
        {Get_Model_Code() + QStringLiteral("-A1-4B"), 4, 4, 0},
        {Get_Model_Code() + QStringLiteral("-A1-2A"), 2, 0, 0},
        {QStringLiteral("Unknown-Variant"), 8, 0, 1},
        {QString(), 8, 0, 0},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Variant.toStdString());
        QFile::remove(File_ParGen);
        if (!C.Variant.isEmpty())
            WriteParGen(C.Variant);
        Dialogs->Boxes.clear();
        W->Hide();
        Show();
        EXPECT_EQ(C.Boxes, Dialogs->Boxes.size());
        ASSERT_EQ(C.Rows + 1, Ports()->RowCount());
        ASSERT_EQ(std::size_t(C.Rows), W->Core.Channels.size());
        for (Integer Row = 1; Row <= C.Rows; ++Row) {
            SCOPED_TRACE(Row);
            const bool ClassB = Row <= C.ClassB;
            EXPECT_EQ(QStringLiteral("Channel #0%1").arg(Row), Cell(F::colChannel, Row));
            EXPECT_EQ(ClassB, Ports()->ReadOnly(F::colReadPin2, Row));
            EXPECT_EQ(!ClassB, Ports()->IsEditable(F::colReadPin2, Row));
            EXPECT_EQ(!ClassB, Ch(Row).TypeA);
            EXPECT_EQ("Disable", Cell(F::colPin4Mode, Row));
            EXPECT_EQ("N", Cell(F::colReadPin2, Row));
        }
    }
}

// A click on the check box of a class B port changes nothing; on a class
// A port it reaches the channel. Typed time-outs are taken as typed.
TEST_F(IOLinkWindowTest, PortEditsReachTheChannels)
{
    WriteParGen(Get_Model_Code() + QStringLiteral("-A1-2A-2B"));
    Show();
    ClickCell(F::colReadPin2, 1);
    EXPECT_EQ("N", Cell(F::colReadPin2, 1));
    EXPECT_EQ("N", Ch(1).ReadPin2);
    ClickCell(F::colReadPin2, 3);
    EXPECT_EQ("Y", Cell(F::colReadPin2, 3));
    EXPECT_EQ("Y", Ch(3).ReadPin2);
    ClickCell(F::colReadPin2, 3);
    EXPECT_EQ("N", Ch(3).ReadPin2);

    for (const String& Text : {QStringLiteral("abc"), QStringLiteral("99999999999999999999"),
                               QStringLiteral("\u0442\u0430\u0439\u043c"), QStringLiteral("30")}) {
        TypeInto(F::colTimeOut, 2, Text);
        EXPECT_EQ(Text, Cell(F::colTimeOut, 2));
        EXPECT_EQ(Text, Ch(2).TimeOut);
    }

    OpenEditor(F::colPin4Mode, 4);
    ASSERT_TRUE(Ports()->EditorMode());
    QTest::keyClick(Ports()->Combobox()->Handle(), Qt::Key_Down);
    QApplication::processEvents();
    EXPECT_EQ("IO-Link", Ch(4).Pin4Mode);
    // Other ports keep theirs.
    EXPECT_EQ("Disable", Ch(3).Pin4Mode);
    EXPECT_EQ("", Ch(3).TimeOut);
}

TEST_F(IOLinkWindowTest, CancelThenShowingAgainShowsTheFile)
{
    WriteParGen(Get_Model_Code() + QStringLiteral("-A1-4A"));
    WriteConfig("<Channel><IODD_File FileName=\"\" Pin4Mode=\"DIn\" ReadPin2=\"Y\" TimeOut=\"12\"/></Channel>"
                + EmptyPortXml);
    Show();
    const std::vector<String> Port1{"Channel #01", "DIn", "Y", "", "", "", "12"};
    EXPECT_EQ(Port1, PortRow(1));
    EXPECT_EQ("Disable", Cell(F::colPin4Mode, 2));
    const QByteArray Before = ConfigBytes();

    TypeInto(F::colTimeOut, 1, QStringLiteral("77"));
    ClickCell(F::colReadPin2, 1);
    ClickCell(F::colReadPin2, 2);
    ASSERT_EQ("77", Ch(1).TimeOut);
    ASSERT_EQ("N", Ch(1).ReadPin2);
    ASSERT_EQ("Y", Ch(2).ReadPin2);

    CancelAndShowAgain();
    EXPECT_EQ(Port1, PortRow(1));
    EXPECT_EQ("N", Cell(F::colReadPin2, 2));
    EXPECT_EQ("12", Ch(1).TimeOut);
    EXPECT_EQ("Y", Ch(1).ReadPin2);
    EXPECT_EQ("N", Ch(2).ReadPin2);
    EXPECT_EQ(Before, ConfigBytes());
}
