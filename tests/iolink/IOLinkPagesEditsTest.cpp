// Edits of the IO-Link window's pages reach the channel objects: one table
// of cases (grid, real column, row, typed text, box or choice) to (channel
// field, value). Text is typed into the shown grid's editor, boxes are
// clicked with the mouse and list items chosen with the keys; the hidden
// columns of the variables grid are shown for their cases.
#include "IOLinkPagesTestSupport.h"

#include "../grid/control/ExGridMouse.h"

#include <QRegularExpression>

#include <functional>

using namespace pages_test;

namespace {

enum TInput { inType, inBox, inChoice };

struct TEditCase {
    const char* Name;
    // Port state before the pages are shown.
    std::function<void(TPagesWindow&)> Prepare;
    std::function<TExStringGrid*(TFIO_Link_Set_Access*)> Grid;
    Integer RealCol;
    // The display row, found once the pages are shown.
    std::function<Integer(TPagesWindow&)> Row;
    TInput Input;
    QString Text;   // typed, or the box state "Y"/"N" for an event
    std::function<String(TPagesWindow&)> Field;
    QString Expected;   // null: the field stays as it was
    // Columns 13 to 19 of the variables grid shown, as the user cannot.
    Boolean Show_Hidden = false;
    Integer Port = PortA;
};

TExStringGrid* Var(TFIO_Link_Set_Access* W) { return W->ESG_Var; }
TExStringGrid* PDIn(TFIO_Link_Set_Access* W) { return W->ECG_ProcessDataIn; }
TExStringGrid* PDOut(TFIO_Link_Set_Access* W) { return W->ECG_ProcessDataOut; }
TExStringGrid* IOOpt(TFIO_Link_Set_Access* W) { return W->ECG_IO_Options; }
TExStringGrid* Events(TFIO_Link_Set_Access* W) { return W->ECG_Events; }

// The display row of the variable entry (Index, SubIndex).
std::function<Integer(TPagesWindow&)> VarRow(const char* Index, const char* SubIndex)
{
    return [=](TPagesWindow& P) {
        TExStringGrid* G = P.W->ESG_Var;
        for (Integer R = 1; R < G->RowCount(); ++R)
            if (G->Cells(1, R) == QLatin1String(Index) && G->Cells(2, R) == QLatin1String(SubIndex))
                return R;
        ADD_FAILURE() << "no row " << Index << "/" << SubIndex;
        return 1;
    };
}

std::function<Integer(TPagesWindow&)> Fixed(Integer Row)
{
    return [=](TPagesWindow&) { return Row; };
}

// The display row of real row Real of the I/O options grid.
std::function<Integer(TPagesWindow&)> IORow(Integer Real)
{
    return [=](TPagesWindow& P) { return P.W->ECG_IO_Options->DisplRowIndex(Real); };
}

TVarObjValue& Entry(TPagesWindow& P, const char* Index, const char* SubIndex)
{
    TChannel_IOLink& Ch = P.Ch(PortA);
    return *Ch.Var_List.at(std::size_t(Ch.Get_Index(QString::fromLatin1(Index), QString::fromLatin1(SubIndex))));
}

TProcDataObjValue& PDItem(TPagesWindow& P, Boolean In, const char* Id, const char* SubIndex)
{
    TChannel_IOLink& Ch = P.Ch(PortA);
    const Integer I = Ch.PD_Get_Index(In, QString::fromLatin1(Id), QString::fromLatin1(SubIndex));
    return *Ch.PD_List(In)->at(std::size_t(I));
}

String YN(Boolean Value) { return Value ? u"Y"_qs : u"N"_qs; }

void Valve(TPagesWindow& P) { ASSERT_TRUE(P.W->Core.Insert_IODD_File(PortA, CatalogFile(ValveFile))); }

std::function<void(TPagesWindow&)> Pins(Integer Port, const char* Mode, const char* ReadPin2)
{
    return [=](TPagesWindow& P) {
        TChannel_IOLink& Ch = P.Ch(Port);
        Ch.Pin4Mode = QString::fromLatin1(Mode);
        Ch.ReadPin2 = QString::fromLatin1(ReadPin2);
    };
}

// Fields of the port's pins as one text, so an edit of the wrong pin shows.
String PinFields(TPagesWindow& P, Integer Port)
{
    const TChannel_IOLink& Ch = P.Ch(Port);
    return QStringList{Ch.Pin2_Pos, Ch.Pin2_Bit, Ch.Pin2_Inv, Ch.Pin2_In_Type, Ch.Pin2_Mne,
                       Ch.Pin4_Pos, Ch.Pin4_Bit, Ch.Pin4_Inv, Ch.Pin4_Mne}
        .join(u'|');
}

// The whole variable list as text: an edit that reaches nothing leaves it.
String VarListText(TPagesWindow& P)
{
    QStringList Out;
    for (const auto& E : P.Ch(PortA).Var_List)
        Out << QStringList{E->Index, E->SubIndex, E->Value, E->Position, E->Bit, E->Time, E->ReadTime,
                           YN(E->Enable), YN(E->On_CMD), YN(E->On_Change), YN(E->On_Timer)}
                   .join(u',');
    return Out.join(u';');
}

const std::vector<TEditCase>& Cases()
{
    static const std::vector<TEditCase> List = {
        // ---------------------------------------------------------- variables
        {"variable value", Valve, Var, 12, VarRow("64", ""), inType, u"17"_qs,
         [](TPagesWindow& P) { return Entry(P, "64", "").Value; }, u"17"_qs},
        {"array element value, any text", Valve, Var, 12, VarRow("70", "1"), inType, u"abc"_qs,
         [](TPagesWindow& P) { return Entry(P, "70", "1").Value; }, u"abc"_qs},
        {"record item position (hidden column)", Valve, Var, 13, VarRow("71", "2"), inType, u"12"_qs,
         [](TPagesWindow& P) { return Entry(P, "71", "2").Position; }, u"12"_qs, true},
        {"start bit (hidden column)", Valve, Var, 14, VarRow("64", ""), inType, u"3"_qs,
         [](TPagesWindow& P) { return Entry(P, "64", "").Bit; }, u"3"_qs, true},
        {"time (hidden column)", Valve, Var, 18, VarRow("65", ""), inType, u"100"_qs,
         [](TPagesWindow& P) { return Entry(P, "65", "").Time; }, u"100"_qs, true},
        {"read time (hidden column)", Valve, Var, 19, VarRow("65", ""), inType, u"5"_qs,
         [](TPagesWindow& P) { return Entry(P, "65", "").ReadTime; }, u"5"_qs, true},
        {"enable a simple variable", Valve, Var, 0, VarRow("66", ""), inBox, QString(),
         [](TPagesWindow& P) { return YN(Entry(P, "66", "").Enable); }, u"Y"_qs},
        {"enable a record item", Valve, Var, 0, VarRow("71", "3"), inBox, QString(),
         [](TPagesWindow& P) { return YN(Entry(P, "71", "3").Enable); }, u"Y"_qs},
        {"enable a whole record: refused, box cleared", Valve, Var, 0, VarRow("71", ""), inBox, QString(),
         [](TPagesWindow& P) {
             return YN(Entry(P, "71", "").Enable) + YN(P.W->ESG_Var->IsChecked(0, VarRow("71", "")(P)));
         },
         u"NN"_qs},
        {"enable a whole array: refused, box cleared", Valve, Var, 0, VarRow("72", ""), inBox, QString(),
         [](TPagesWindow& P) {
             return YN(Entry(P, "72", "").Enable) + YN(P.W->ESG_Var->IsChecked(0, VarRow("72", "")(P)));
         },
         u"NN"_qs},
        {"on command (hidden column)", Valve, Var, 15, VarRow("64", ""), inBox, QString(),
         [](TPagesWindow& P) { return YN(Entry(P, "64", "").On_CMD); }, u"Y"_qs, true},
        {"on change (hidden column)", Valve, Var, 16, VarRow("64", ""), inBox, QString(),
         [](TPagesWindow& P) { return YN(Entry(P, "64", "").On_Change); }, u"Y"_qs, true},
        {"on timer (hidden column)", Valve, Var, 17, VarRow("64", ""), inBox, QString(),
         [](TPagesWindow& P) { return YN(Entry(P, "64", "").On_Timer); }, u"Y"_qs, true},
        {"a row matching no entry changes nothing", Valve, Var, 12,
         [](TPagesWindow& P) {
             P.W->ESG_Var->SetCells(2, 1, u"9"_qs);   // index 64, sub-index 9: no such entry
             return 1;
         },
         inType, u"55"_qs, VarListText, QString()},
        // ------------------------------------------------------- process data
        {"process data in gradient", Valve, PDIn, 5, Fixed(3), inType, u"2.5"_qs,
         [](TPagesWindow& P) { return PDItem(P, true, "PDI_Main", "3").gradient; }, u"2.5"_qs},
        {"process data in offset", Valve, PDIn, 6, Fixed(1), inType, u"-1"_qs,
         [](TPagesWindow& P) { return PDItem(P, true, "PDI_Main", "1").offset; }, u"-1"_qs},
        {"process data in position, any text", Valve, PDIn, 7, Fixed(4), inType, u"abc"_qs,
         [](TPagesWindow& P) { return PDItem(P, true, "PDI_Main", "4").position; }, u"abc"_qs},
        {"process data in start bit", Valve, PDIn, 8, Fixed(2), inChoice, u"6"_qs,
         [](TPagesWindow& P) { return PDItem(P, true, "PDI_Main", "2").bit; }, u"6"_qs},
        {"process data out position", Valve, PDOut, 7, Fixed(1), inType, u"9"_qs,
         [](TPagesWindow& P) { return PDItem(P, false, "PDO_Main", "").position; }, u"9"_qs},
        {"array element of process data out",
         [](TPagesWindow& P) {
             Valve(P);
             ASSERT_TRUE(P.W->Core.Change_ProcessData_Condition(PortA, 2));
         },
         PDOut, 7, Fixed(2), inType, u"40"_qs,
         [](TPagesWindow& P) {
             return PDItem(P, false, "PDO_Many", "1").position + u'/' + PDItem(P, false, "PDO_Many", "2").position;
         },
         u"0/40"_qs},
        // -------------------------------------------------------- I/O options
        {"pin 2 position", Pins(PortA, "DIn", "Y"), IOOpt, 2, IORow(1), inType, u"11"_qs,
         [](TPagesWindow& P) { return PinFields(P, PortA); }, u"11||N|None||||N|"_qs},
        {"pin 4 mnemonic", Pins(PortA, "DIn", "Y"), IOOpt, 6, IORow(2), inType, u"M4"_qs,
         [](TPagesWindow& P) { return PinFields(P, PortA); }, u"||N|None||||N|M4"_qs},
        {"pin 2 start bit", Pins(PortA, "DIn", "Y"), IOOpt, 3, IORow(1), inChoice, u"5"_qs,
         [](TPagesWindow& P) { return PinFields(P, PortA); }, u"|5|N|None||||N|"_qs},
        {"pin 2 invert", Pins(PortA, "IO-Link", "Y"), IOOpt, 4, IORow(1), inBox, QString(),
         [](TPagesWindow& P) { return PinFields(P, PortA); }, u"||Y|None||||N|"_qs},
        {"pin 4 by real row while pin 2 is hidden", Pins(PortA, "DOut", "N"), IOOpt, 2, IORow(2), inType, u"21"_qs,
         [](TPagesWindow& P) { return PinFields(P, PortA); }, u"||N|None||21||N|"_qs},
        {"pin 4 invert while pin 2 is hidden", Pins(PortA, "DOut", "N"), IOOpt, 4, IORow(2), inBox, QString(),
         [](TPagesWindow& P) { return PinFields(P, PortA); }, u"||N|None||||Y|"_qs},
        {"class B pin 4 invert", Pins(PortB, "DIn", "Y"), IOOpt, 4, IORow(2), inBox, QString(),
         [](TPagesWindow& P) { return PinFields(P, PortB); }, u"||N|None||||Y|"_qs, false, PortB},
        {"pin 2 input type", Pins(PortA, "DIn", "Y"), IOOpt, 5, IORow(1), inChoice, u"NPN (Pull UP)"_qs,
         [](TPagesWindow& P) { return PinFields(P, PortA); }, u"||N|NPN (Pull UP)||||N|"_qs},
        // ------------------------------------------------------------- events
        {"event time-out", Valve, Events, 4, Fixed(2), inType, u"300"_qs,
         [](TPagesWindow& P) { return P.Ch(PortA).Event_List.at(1)->TimeOut; }, u"300"_qs},
        {"event position", Valve, Events, 5, Fixed(3), inType, u"30"_qs,
         [](TPagesWindow& P) { return P.Ch(PortA).Event_List.at(2)->Position; }, u"30"_qs},
        {"event start bit", Valve, Events, 6, Fixed(1), inType, u"4"_qs,
         [](TPagesWindow& P) { return P.Ch(PortA).Event_List.at(0)->Bit; }, u"4"_qs},
        {"event mnemonic", Valve, Events, 7, Fixed(1), inType, u"EV"_qs,
         [](TPagesWindow& P) { return P.Ch(PortA).Event_List.at(0)->Mnemonic; }, u"EV"_qs},
        {"event enable", Valve, Events, 0, Fixed(2), inBox, QString(),
         [](TPagesWindow& P) {
             const auto& E = P.Ch(PortA).Event_List;
             return YN(E.at(0)->Enable) + YN(E.at(1)->Enable) + YN(E.at(2)->Enable);
         },
         u"NYN"_qs},
        {"enable on a port without events", [](TPagesWindow& P) {
             ASSERT_TRUE(P.W->Core.Insert_IODD_File(PortA, CatalogFile(SwitchFile)));
         },
         Events, 0, Fixed(1), inBox, QString(),
         [](TPagesWindow& P) { return QString::number(P.Ch(PortA).Event_List.size()); }, u"0"_qs},
    };
    return List;
}

// The page holding Grid made active, so the grid is shown.
void Show_Page_Of(TFIO_Link_Set_Access* W, TExStringGrid* Grid)
{
    TTabSheet* Page = Grid == W->ESG_Var              ? W->TS_Variables
                      : Grid == W->ECG_IO_Options     ? W->TS_IO_Options
                      : Grid == W->ECG_Events         ? W->TS_Events
                                                      : W->TS_ProcessData;
    W->PageControl1->SetActivePage(Page);
    if (Page == W->TS_ProcessData)
        W->PC_ProcessData->SetActivePage(Grid == W->ECG_ProcessDataIn ? W->TS_ProcessDataIn : W->TS_ProcessDataOut);
    QApplication::processEvents();
}

void Key(Qt::Key K)
{
    QTest::keyClick(QApplication::focusWidget(), K);
    QApplication::processEvents();
}

void Type_Into(TExStringGrid* Grid, Integer DisplayCol, Integer Row, const QString& Text)
{
    Grid->SetFocus();
    Grid->FocusCell(DisplayCol, Row);
    Grid->ScrollInView(DisplayCol, Row);
    QApplication::processEvents();
    Key(Qt::Key_F2);
    QWidget* Editor = QApplication::focusWidget();
    QTest::keyClick(Editor, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(Editor, Text);
    Key(Qt::Key_Return);
}

void Click_Box(TExStringGrid* Grid, Integer DisplayCol, Integer Row)
{
    Grid->ScrollInView(DisplayCol, Row);
    QApplication::processEvents();
    const TRect R = Grid->CellRect(DisplayCol, Row);
    TGridMouse{Grid}.Click(QPoint((R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2));
    QApplication::processEvents();
}

// The combo editor opened on the cell, and the item chosen with the keys.
void Choose(TExStringGrid* Grid, Integer DisplayCol, Integer Row, const QString& Item)
{
    Grid->SetFocus();
    Grid->FocusCell(DisplayCol, Row);
    QApplication::processEvents();
    Key(Qt::Key_F2);
    QTest::keyClicks(QApplication::focusWidget(), Item.left(1));
    Key(Qt::Key_Return);
}

class IOLinkPagesEdits : public ::testing::TestWithParam<std::size_t> {};

TEST_P(IOLinkPagesEdits, ReachesTheChannelField)
{
    const TEditCase& Case = Cases()[GetParam()];
    SCOPED_TRACE(Case.Name);
    TPagesWindow P;
    P.W->SetClientWidth(1270);
    P.W->SetClientHeight(700);
    TExStringGrid* Grid = Case.Grid(P.W);
    Show_Page_Of(P.W, Grid);
    // Showing the window starts from the files; the case's port after it.
    ShowWithFocus(P.W, Grid);
    P.W->Core.Create_Channels();
    Case.Prepare(P);
    P.W->Show_Data_IODD(Case.Port);
    if (Case.Show_Hidden)
        P.W->ESG_Var->UnHideColumns(TFIO_Link_Set_Access::Var_First_Hidden, TFIO_Link_Set_Access::Var_Last_Hidden);
    Show_Page_Of(P.W, Grid);
    const Integer Row = Case.Row(P);
    const QString Before = Case.Field(P);
    const Integer DisplayCol = Grid->DisplColIndex(Case.RealCol);
    switch (Case.Input) {
    case inType: Type_Into(Grid, DisplayCol, Row, Case.Text); break;
    case inBox: Click_Box(Grid, DisplayCol, Row); break;
    case inChoice: Choose(Grid, DisplayCol, Row, Case.Text); break;
    }
    EXPECT_EQ(Case.Field(P), Case.Expected.isNull() ? Before : Case.Expected);
    P.W->Hide();
}

INSTANTIATE_TEST_SUITE_P(Cases, IOLinkPagesEdits, ::testing::Range<std::size_t>(0, Cases().size()),
                         [](const ::testing::TestParamInfo<std::size_t>& Info) {
                             QString Name = QString::fromLatin1(Cases()[Info.param].Name);
                             Name.replace(QRegularExpression(u"[^A-Za-z0-9]+"_qs), u"_"_qs);
                             return Name.toStdString();
                         });

} // namespace
