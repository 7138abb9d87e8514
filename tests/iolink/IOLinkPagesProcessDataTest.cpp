// The process-data page of the IO-Link window: one row per item, the
// Condition list of alternatives, switching alternatives, and a port
// without process data after one with.
#include "IOLinkPagesTestSupport.h"

#include <QComboBox>

using namespace pages_test;

namespace {

// The user's choice of item Index in the list.
void Choose(TComboBox* List, Integer Index)
{
    auto* Box = static_cast<QComboBox*>(List->Handle());
    Box->setCurrentIndex(Index);
    Q_EMIT Box->activated(Index);
    QApplication::processEvents();
}

const std::initializer_list<Integer> All_PD_Columns = {0, 1, 2, 3, 4, 5, 6, 7, 8};

std::vector<String> Texts(std::initializer_list<QString> List) { return std::vector<String>(List); }

// The fixture valve's text with Edit applied, written as Name beside the
// project; its full path.
QString Edited_Valve(TPagesWindow& P, const QString& Name, const std::function<void(QString&)>& Edit)
{
    QString Text = QString::fromUtf8(setaccess_test::ReadBytes(CatalogFile(ValveFile)));
    Edit(Text);
    const QString Path = P.Env.Path() + u'/' + Name;
    setaccess_test::WriteBytes(Path, Text.toUtf8());
    return Path;
}

TEST(IOLinkPagesProcessData, RowsOfTheFirstAlternativeWithTheirPlacesAndScaling)
{
    TPagesWindow P;
    P.Insert(PortA, ValveFile);
    TExColumnGrid* In = P.W->ECG_ProcessDataIn;
    TExColumnGrid* Out = P.W->ECG_ProcessDataOut;
    // Ports 1 and 2 have only their pins' byte: the record starts at byte 2.
    ASSERT_EQ(In->RowCount(), 5);
    const String Bool_Length = In->Cells(4, 1);
    EXPECT_EQ(TPagesWindow::Row(In, 1, All_PD_Columns),
              Texts({u"PDI_Main"_qs, u"1"_qs, u"TI_Open"_qs, u"BooleanT"_qs, Bool_Length, u"0,25"_qs, u"0"_qs,
                     u"2"_qs, u"0"_qs}));
    EXPECT_EQ(TPagesWindow::Row(In, 2, {1, 2, 7, 8}), Texts({u"2"_qs, u"TI_Closed"_qs, u"2"_qs, u"1"_qs}));
    EXPECT_EQ(TPagesWindow::Row(In, 3, {1, 2, 3, 4, 5, 6, 7, 8}),
              Texts({u"3"_qs, u"TI_Flow"_qs, u"UIntegerT"_qs, u"16"_qs, u"0.5"_qs, u"-10"_qs, u"3"_qs, u"0"_qs}));
    EXPECT_EQ(TPagesWindow::Row(In, 4, {1, 7, 8}), Texts({u"4"_qs, u"5"_qs, u"0"_qs}));
    // A simple type: no sub-index; the name is the Name element's own text
    // as the decoder keeps it (empty beside a text id).
    ASSERT_EQ(Out->RowCount(), 2);
    EXPECT_EQ(TPagesWindow::Row(Out, 1, All_PD_Columns),
              Texts({u"PDO_Main"_qs, String(), String(), u"UIntegerT"_qs, u"8"_qs, u"1"_qs, u"0"_qs, u"0"_qs, u"0"_qs}));
    EXPECT_TRUE(P.W->TS_ProcessDataIn->TabVisible());
    EXPECT_TRUE(P.W->TS_ProcessDataOut->TabVisible());
    EXPECT_EQ(In->Cells(7, 0), u"Position"_qs);
}

TEST(IOLinkPagesProcessData, ConditionListNamesEachAlternative)
{
    TPagesWindow P;
    P.Insert(PortA, ValveFile);
    EXPECT_TRUE(P.W->P_PD_Condition->Visible());
    TStrings* List = P.W->CB_PD_ConditionList->Items();
    ASSERT_EQ(List->Count(), 4);
    // The first alternative has no condition.
    EXPECT_EQ(List->Strings(0), String());
    EXPECT_EQ(List->Strings(1), u"Var Name : TI_Mode, SubIndex : 0, Value : 1"_qs);
    EXPECT_EQ(List->Strings(3), u"Var Name : TI_Mode, SubIndex : 0, Value : 3"_qs);
    EXPECT_EQ(P.W->CB_PD_ConditionList->ItemIndex(), 0);
}

TEST(IOLinkPagesProcessData, ConditionOnAnUnknownVariableShowsItsIdSubIndexAndValue)
{
    TPagesWindow P;
    const QString File = Edited_Valve(P, u"Unknown-Condition.xml"_qs, [](QString& Text) {
        Text.replace(u"<Condition variableId=\"V_Mode\" value=\"3\" />"_qs,
                     u"<Condition variableId=\"V_Gone\" subindex=\"2\" value=\"3\" />"_qs);
    });
    ASSERT_TRUE(P.W->Core.Insert_IODD_File(PortA, File));
    P.W->Show_Data_IODD(PortA);
    EXPECT_EQ(P.W->CB_PD_ConditionList->Items()->Strings(3), u"V_Gone 2 3"_qs);
}

TEST(IOLinkPagesProcessData, SingleAlternativeHidesThePanel)
{
    TPagesWindow P;
    const QString File = Edited_Valve(P, u"One-Alternative.xml"_qs, [](QString& Text) {
        const qsizetype From = Text.indexOf(u"<ProcessData id=\"PD_Bits\">"_qs);
        const qsizetype To = Text.indexOf(u"</ProcessDataCollection>"_qs);
        Text.remove(From, To - From);
    });
    ASSERT_TRUE(P.W->Core.Insert_IODD_File(PortA, File));
    P.W->Show_Data_IODD(PortA);
    EXPECT_FALSE(P.W->P_PD_Condition->Visible());
    ASSERT_EQ(P.W->CB_PD_ConditionList->Items()->Count(), 1);
    EXPECT_EQ(P.W->CB_PD_ConditionList->Items()->Strings(0), u"x"_qs);
    EXPECT_EQ(P.W->CB_PD_ConditionList->ItemIndex(), 0);
    EXPECT_EQ(P.W->ECG_ProcessDataIn->RowCount(), 5);
}

TEST(IOLinkPagesProcessData, ChoosingAnAlternativeRebuildsTheRowsFromByteZero)
{
    TPagesWindow P;
    P.Insert(PortA, ValveFile);
    TComboBox* List = P.W->CB_PD_ConditionList;
    Choose(List, 2);
    EXPECT_EQ(P.Ch(PortA).ProcDataCondition, 2);
    // Nine booleans of a record: bits 0 to 7 of byte 0, then bit 0 of byte 1.
    TExColumnGrid* In = P.W->ECG_ProcessDataIn;
    ASSERT_EQ(In->RowCount(), 10);
    for (Integer R = 1; R <= 8; ++R)
        EXPECT_EQ(TPagesWindow::Row(In, R, {0, 1, 7, 8}),
                  Texts({u"PDI_Many"_qs, QString::number(R), u"0"_qs, QString::number(R - 1)}));
    EXPECT_EQ(TPagesWindow::Row(In, 9, {1, 7, 8}), Texts({u"9"_qs, u"1"_qs, u"0"_qs}));
    // An array of three 16-bit numbers: elements 1 to 3, two bytes each.
    TExColumnGrid* Out = P.W->ECG_ProcessDataOut;
    ASSERT_EQ(Out->RowCount(), 4);
    for (Integer R = 1; R <= 3; ++R)
        EXPECT_EQ(TPagesWindow::Row(Out, R, {0, 1, 3, 4, 7}),
                  Texts({u"PDO_Many"_qs, QString::number(R), u"UIntegerT"_qs, u"16"_qs, QString::number(2 * R - 2)}));
    // An alternative without process data out hides that tab.
    Choose(List, 1);
    EXPECT_FALSE(P.W->TS_ProcessDataOut->TabVisible());
    EXPECT_TRUE(P.W->TS_ProcessDataIn->TabVisible());
    EXPECT_EQ(P.W->ECG_ProcessDataIn->RowCount(), 11);
    EXPECT_EQ(P.W->ECG_ProcessDataIn->Cells(1, 10), u"10"_qs);
}

TEST(IOLinkPagesProcessData, PortWithoutProcessDataShowsNoneOfThePortBefore)
{
    TPagesWindow P;
    P.Insert(PortA, ValveFile);
    P.Insert(PortA + 1, SwitchFile);
    P.W->Show_Data_IODD(PortA);
    P.W->Show_Data_IODD(PortA + 1);
    for (TExColumnGrid* Grid : {P.W->ECG_ProcessDataIn, P.W->ECG_ProcessDataOut}) {
        ASSERT_EQ(Grid->RowCount(), 2);
        for (Integer C = 0; C < 9; ++C)
            EXPECT_EQ(Grid->Cells(C, 1), String()) << C;
        EXPECT_EQ(Grid->Cells(0, 0), u"Id"_qs);
    }
    EXPECT_FALSE(P.W->P_PD_Condition->Visible());
    EXPECT_TRUE(P.W->TS_ProcessDataIn->TabVisible());
    EXPECT_TRUE(P.W->TS_ProcessDataOut->TabVisible());
    // A choice in the list (now empty) changes nothing of the port.
    P.W->CB_PD_ConditionListChange(P.W->CB_PD_ConditionList);
    EXPECT_EQ(P.Ch(PortA + 1).ProcDataCondition, 0);
}

} // namespace
