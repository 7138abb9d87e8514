// The I/O options, events, identity and transport-layer pages of the
// IO-Link window, and the emptied pages of a port without a description.
#include "IOLinkPagesTestSupport.h"

using namespace pages_test;

namespace {

std::vector<String> Texts(std::initializer_list<QString> List) { return std::vector<String>(List); }

void Set_Pins(TChannel_IOLink& Ch)
{
    Ch.Pin2_Pos = u"4"_qs;
    Ch.Pin2_Bit = u"0"_qs;
    Ch.Pin2_Inv = u"Y"_qs;
    Ch.Pin2_In_Type = u"NPN (Pull UP)"_qs;
    Ch.Pin2_Mne = u"P2"_qs;
    Ch.Pin4_Pos = u"5"_qs;
    Ch.Pin4_Bit = u"1"_qs;
    Ch.Pin4_Inv = u"N"_qs;
    Ch.Pin4_Mne = u"P4"_qs;
}

const std::vector<String> Pin2_Row = Texts({u"Pin 2"_qs, u"Read Only"_qs, u"4"_qs, u"0"_qs, u"Y"_qs,
                                            u"NPN (Pull UP)"_qs, u"P2"_qs});
const std::vector<String> Pin4_In_Row = Texts({u"Pin 4"_qs, u"Read"_qs, u"5"_qs, u"1"_qs, u"N"_qs,
                                               u"PNP (Pull Down)"_qs, u"P4"_qs});
const std::vector<String> Pin4_Out_Row = Texts({u"Pin 4"_qs, u"Write"_qs, u"5"_qs, u"1"_qs, u"N"_qs, String(),
                                                u"P4"_qs});
const std::vector<String> Empty_Row = Texts({String(), String(), String(), String(), u"N"_qs, String(), String()});

struct TIOCase {
    const char* Name;
    Integer Port;
    const char* Mode;
    const char* ReadPin2;
    // What the shown rows hold, top to bottom (real rows 1 and 2).
    std::vector<const std::vector<String>*> Rows;
    Boolean Values_Editable;
};

TEST(IOLinkPagesIOOptions, RowsByPin4ModeReadPin2AndClass)
{
    const std::vector<TIOCase> Cases = {
        {"class A, DIn, reading pin 2", PortA, "DIn", "Y", {&Pin2_Row, &Pin4_In_Row}, true},
        {"class A, DOut, pin 2 not read", PortA, "DOut", "N", {&Pin4_Out_Row}, true},
        {"class B, DIn", PortB, "DIn", "Y", {&Pin4_In_Row}, true},
        {"class A, IO-Link, reading pin 2", PortA, "IO-Link", "Y", {&Pin2_Row}, true},
        {"class A, IO-Link, pin 2 not read", PortA, "IO-Link", "N", {&Empty_Row}, false},
        {"class A, Disable", PortA, "Disable", "Y", {&Empty_Row}, false},
    };
    TPagesWindow P;
    TExColumnGrid* G = P.W->ECG_IO_Options;
    for (const TIOCase& Case : Cases) {
        SCOPED_TRACE(Case.Name);
        TChannel_IOLink& Ch = P.Ch(Case.Port);
        Set_Pins(Ch);
        Ch.Pin4Mode = QString::fromLatin1(Case.Mode);
        Ch.ReadPin2 = QString::fromLatin1(Case.ReadPin2);
        P.W->Show_Data_IODD(Case.Port);
        ASSERT_EQ(G->RowCount(), Integer(Case.Rows.size()) + 1);
        for (std::size_t R = 0; R < Case.Rows.size(); ++R)
            EXPECT_EQ(TPagesWindow::Row(G, Integer(R) + 1, {0, 1, 2, 3, 4, 5, 6}), *Case.Rows[R]) << R;
        for (Integer C = 2; C <= 6; ++C)
            EXPECT_EQ(G->Columns()->Items(C)->ReadOnly(), !Case.Values_Editable) << C;
        // The pin 4 row's input type is shown only, never chosen.
        const Integer Pin4 = G->DisplRowIndex(2);
        if (!G->IsHiddenRow(2))
            EXPECT_TRUE(G->ReadOnly(5, Pin4));
    }
}

TEST(IOLinkPagesEvents, OneRowPerEventOfThePortInListOrder)
{
    TPagesWindow P;
    ASSERT_TRUE(P.W->Core.Insert_IODD_File(PortA, CatalogFile(ValveFile)));
    TChannel_IOLink& Ch = P.Ch(PortA);
    Ch.Event_List.at(1)->Enable = true;
    Ch.Event_List.at(1)->Mnemonic = u"LEAK"_qs;
    P.W->Show_Data_IODD(PortA);
    TExColumnGrid* G = P.W->ECG_Events;
    ASSERT_EQ(G->RowCount(), 4);
    // The standard event first, from the standard texts, then the device's.
    EXPECT_EQ(TPagesWindow::Row(G, 1, {0, 1, 2, 4}), Texts({u"N"_qs, u"16912"_qs, Ch.Event_List[0]->Name, u"0"_qs}));
    EXPECT_FALSE(G->Cells(2, 1).isEmpty());
    // After the record of process data in (bytes 2 to 5) and the pins' byte 6.
    EXPECT_EQ(TPagesWindow::Row(G, 2, {0, 1, 2, 3, 4, 5, 6, 7}),
              Texts({u"Y"_qs, u"6144"_qs, u"Leak & drip"_qs, u"Warning"_qs, u"0"_qs, u"7"_qs, u"1"_qs, u"LEAK"_qs}));
    EXPECT_EQ(TPagesWindow::Row(G, 3, {1, 3, 5, 6}), Texts({u"6145"_qs, u"Error"_qs, u"7"_qs, u"2"_qs}));
}

TEST(IOLinkPagesIdentity, IdentityAndTransportLayerOfTheDescription)
{
    TPagesWindow P;
    P.Insert(PortA, ValveFile);
    const auto& Value = P.W->L_Identity_Value;
    EXPECT_EQ(Value[0]->Caption(), u"77"_qs);
    EXPECT_EQ(Value[1]->Caption(), u"Fixture Valves"_qs);
    EXPECT_EQ(Value[2]->Caption(), u"1001"_qs);
    EXPECT_EQ(Value[5]->Caption(), u"Fixture Valve"_qs);
    EXPECT_FALSE(P.W->L_DevVarColl->Visible());
    EXPECT_FALSE(P.W->ECG_DevIde_DevVarColl->Visible());
    const auto& Layer = P.W->L_Transport_Value;
    EXPECT_EQ(Layer[0]->Caption(), u"COM2"_qs);
    EXPECT_EQ(Layer[1]->Caption(), u"2300"_qs);
    EXPECT_EQ(Layer[2]->Caption(), u"True"_qs);
    EXPECT_EQ(Layer[3]->Caption(), u"11"_qs);
    EXPECT_EQ(P.W->L_Identity_Caption[0]->Caption(), Lang.Strings(1228));
    EXPECT_EQ(P.W->L_Transport_Caption[3]->Caption(), Lang.Strings(1242));
}

TEST(IOLinkPagesIdentity, DeviceVariantsFillTheirGrid)
{
    TPagesWindow P;
    QString Text = QString::fromUtf8(setaccess_test::ReadBytes(CatalogFile(ValveFile)));
    Text.replace(u"<DeviceName textId=\"TI_DeviceName\" />"_qs,
                 u"<DeviceName textId=\"TI_DeviceName\" /><DeviceVariantCollection>"
                 "<DeviceVariant productId=\"VX-1\"><Name textId=\"TI_DeviceName\" /><Description textId=\"TI_D\" />"
                 "</DeviceVariant><DeviceVariant productId=\"VX-2\"><Name textId=\"TI_Two\" />"
                 "<Description textId=\"TI_D\" /></DeviceVariant></DeviceVariantCollection>"_qs);
    const QString File = P.Env.Path() + u"/Variants.xml"_qs;
    setaccess_test::WriteBytes(File, Text.toUtf8());
    ASSERT_TRUE(P.W->Core.Insert_IODD_File(PortA, File));
    P.W->Show_Data_IODD(PortA);
    TExColumnGrid* G = P.W->ECG_DevIde_DevVarColl;
    EXPECT_TRUE(P.W->L_DevVarColl->Visible());
    EXPECT_TRUE(G->Visible());
    ASSERT_EQ(G->RowCount(), 3);
    EXPECT_EQ(TPagesWindow::Row(G, 1, {0, 1, 2}), Texts({u"VX-1"_qs, u"Fixture Valve"_qs, u"TI_D"_qs}));
    EXPECT_EQ(TPagesWindow::Row(G, 2, {0, 1}), Texts({u"VX-2"_qs, u"TI_Two"_qs}));
    EXPECT_EQ(G->Cells(0, 0), u"Product ID"_qs);
}

TEST(IOLinkPagesErase, PortWithoutDescriptionEmptiesEveryPage)
{
    TPagesWindow P;
    P.Insert(PortA, ValveFile);
    P.W->Show_Data_IODD(PortA + 1);
    for (TLabel* Value : P.W->L_Identity_Value)
        EXPECT_EQ(Value->Caption(), String());
    for (TLabel* Value : P.W->L_Transport_Value)
        EXPECT_EQ(Value->Caption(), String());
    TExColumnGrid* Events = P.W->ECG_Events;
    ASSERT_EQ(Events->RowCount(), 2);
    EXPECT_EQ(TPagesWindow::Row(Events, 1, {0, 1, 2, 3, 4, 5, 6, 7}),
              Texts({u"N"_qs, String(), String(), String(), String(), String(), String(), String()}));
    EXPECT_EQ(P.W->ECG_DevIde_DevVarColl->RowCount(), 2);
    EXPECT_EQ(P.W->ECG_DevIde_DevVarColl->Cells(0, 1), String());
    EXPECT_EQ(P.W->ESG_Var->RowCount(), 2);
    EXPECT_EQ(P.W->ECG_ProcessDataIn->RowCount(), 2);
}

TEST(IOLinkPagesEvents, DescriptionWithoutEventsShowsOneDisabledRow)
{
    TPagesWindow P;
    P.Insert(PortA, ValveFile);
    P.Insert(PortA + 1, SwitchFile);
    TExColumnGrid* G = P.W->ECG_Events;
    ASSERT_EQ(G->RowCount(), 2);
    EXPECT_EQ(TPagesWindow::Row(G, 1, {0, 1, 2}), Texts({u"N"_qs, String(), String()}));
    EXPECT_EQ(P.W->L_Identity_Value[5]->Caption(), u"Fixture Switch"_qs);
}

} // namespace
