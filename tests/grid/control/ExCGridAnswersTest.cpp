// The column grid's per-cell answers from its items, on the fixture grid of
// a table window: check boxes, combo editors, edit permission, validation,
// colours and fonts, number formats, size limits, moved columns and the
// column pop-up menus.
#include "ColumnGridFixture.h"
#include "ExGridTestForm.h"

#include "grid/control/ExGrid_Editors.h"
#include "platform/UserLocale.h"

#include <QtTest/QTest>

using namespace colgrid;

namespace {

class ExCGridAnswersTest : public ::testing::Test {
protected:
    TExColumnGrid* G() const { return F.Grid; }
    Integer Displ(Integer Real) const { return F.Grid->DisplColIndex(Real); }
    bool CanEdit(Integer RealCol, Integer Row) const
    {
        bool Can = true;
        F.Grid->CanEditCell(RealCol, Row, Can);
        return Can;
    }
    // Opens the editor with F2 on a display cell of the shown grid.
    void TryOpen(Integer DisplCol, Integer Row)
    {
        F.Grid->SetEditorMode(false);
        F.Grid->MoveToCell(DisplCol, Row);
        F.Grid->SetFocus();
        QApplication::processEvents();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F2);
        QApplication::processEvents();
    }
    void Show() { ShowWithFocus(F.Form.get(), F.Grid); }

    TColumnGridForm F;
};

} // namespace

TEST_F(ExCGridAnswersTest, CheckBoxColumnAnswersInTheDataAreaOnly)
{
    EXPECT_EQ(G()->GetCellType(ColEnabled, 1), ctDataCheckBox);
    EXPECT_EQ(G()->GetCellType(ColEnabled, RowCount - 1), ctDataCheckBox);
    TCellGraphic* Shared = G()->GetCellGraphic(ColEnabled, 1);
    ASSERT_NE(Shared, nullptr);
    EXPECT_EQ(Shared->CellType(), ctVirtCheckBox);
    EXPECT_EQ(G()->GetCellGraphic(ColEnabled, 7), Shared);
    EXPECT_EQ(G()->GetCellType(ColEnabled, 0), ctEmpty);
    EXPECT_EQ(G()->GetCellGraphic(ColEnabled, 0), nullptr);
    EXPECT_EQ(G()->GetCellType(ColName, 1), ctEmpty);
    EXPECT_EQ(G()->GetCellGraphic(ColName, 1), nullptr);
    // A footer row is outside the data area.
    G()->SetFixedFooters(1);
    EXPECT_EQ(G()->GetCellType(ColEnabled, RowCount - 1), ctEmpty);

    G()->ControlLook()->SetControlStyle(csFlat);
    EXPECT_TRUE(G()->GetCellGraphic(ColEnabled, 1)->CellTransparent());
}

TEST_F(ExCGridAnswersTest, ToggleSwitchesTheColumnTextsOverTheEventsAndReportsTheRealColumn)
{
    G()->OnGetCheckTrue = [](TObject*, Integer, Integer, String& Value) { Value = QStringLiteral("T"); };
    Integer ChangedCol = -1;
    bool ChangedState = false;
    G()->OnCheckBoxChange = [&](TObject*, Integer ACol, Integer, bool State) {
        ChangedCol = ACol;
        ChangedState = State;
    };
    String Value;
    G()->GetCheckTrue(ColEnabled, 2, Value);
    EXPECT_EQ(Value, "Y");
    G()->GetCheckTrue(ColEnabled, 0, Value);
    EXPECT_EQ(Value, "T");

    ASSERT_EQ(G()->Cells(ColEnabled, 3), "N");
    EXPECT_TRUE(G()->DoToggleCheckBox(ColEnabled, 3, false));
    EXPECT_EQ(G()->Cells(ColEnabled, 3), "Y");
    EXPECT_EQ(ChangedCol, ColEnabled);
    EXPECT_TRUE(ChangedState);
    EXPECT_TRUE(G()->DoToggleCheckBox(ColEnabled, 3, false));
    EXPECT_EQ(G()->Cells(ColEnabled, 3), "N");
    EXPECT_FALSE(ChangedState);
}

TEST_F(ExCGridAnswersTest, ComboColumnsLoadTheirItemsIntoTheComboEditor)
{
    Show();
    TryOpen(Displ(ColType), 5);
    ASSERT_TRUE(G()->EditorMode());
    EXPECT_EQ(G()->Combobox()->Items()->Text(), G()->Columns()->Items(ColType)->ComboItems()->Text());
    EXPECT_EQ(G()->Combobox()->DropDownCount(), TypeDropDownCount);
    TryOpen(Displ(ColUnit), 5);
    ASSERT_TRUE(G()->EditorMode());
    EXPECT_EQ(G()->Combobox()->Items()->Text(), G()->Columns()->Items(ColUnit)->ComboItems()->Text());
    EXPECT_EQ(G()->Combobox()->DropDownCount(), UnitDropDownCount);
    EXPECT_TRUE(G()->HasComboBox(ColUnit, 5));
    EXPECT_FALSE(G()->HasComboBox(ColUnit, 0));
    EXPECT_FALSE(G()->HasComboBox(ColName, 5));
}

TEST_F(ExCGridAnswersTest, EditPermissionTable)
{
    G()->SetReadOnly(ColName, 4, true);
    struct TCase {
        const char* What;
        Integer Col;
        Integer Row;
        bool Expected;
    };
    const TCase Cases[] = {
        {"plain cell", ColName, 3, true},          {"read-only column", ColAddress, 3, false},
        {"fixed column", ColLength, 3, false},     {"cell read-only flag", ColName, 4, false},
        {"header row", ColName, 0, false},         {"fixed column 0", ColN, 3, false},
        {"beyond the items", ColCount + 2, 3, false},
    };
    for (const TCase& C : Cases)
        EXPECT_EQ(CanEdit(C.Col, C.Row), C.Expected) << C.What;

    Show();
    for (const TCase& C : Cases) {
        if (C.Row == 0 || C.Col == ColN || C.Col >= ColCount)
            continue;
        TryOpen(Displ(C.Col), C.Row);
        EXPECT_EQ(G()->EditorMode(), C.Expected) << C.What;
    }
}

TEST_F(ExCGridAnswersTest, CanEditCellEventHasTheLastWordWithTheBaseCell)
{
    Integer AskedCol = -1;
    Integer AskedRow = -1;
    G()->OnCanEditCell = [&](TObject*, Integer ARow, Integer ACol, bool& Can) {
        AskedCol = ACol;
        AskedRow = ARow;
        Can = ACol == ColAddress;
    };
    EXPECT_TRUE(CanEdit(ColAddress, 3));
    EXPECT_FALSE(CanEdit(ColName, 3));
    G()->MergeCells(ColName, 5, 2, 2);
    CanEdit(ColName + 1, 6);
    EXPECT_EQ(AskedCol, ColName);
    EXPECT_EQ(AskedRow, 5);
}

TEST_F(ExCGridAnswersTest, NothingIsEditableWhileLoading)
{
    F.Grid->Loading();
    EXPECT_FALSE(CanEdit(ColName, 3));
    F.Grid->Loaded();
    EXPECT_TRUE(CanEdit(ColName, 3));
}

TEST_F(ExCGridAnswersTest, CellValidateReportsTheRealColumnRightOfTheHiddenOne)
{
    Integer ValidatedCol = -1;
    String ValidatedValue;
    G()->OnCellValidate = [&](TObject*, Integer ACol, Integer, String& Value, bool&) {
        ValidatedCol = ACol;
        ValidatedValue = Value;
    };
    Show();
    ASSERT_EQ(Displ(ColValue), ColValue - 1);
    TryOpen(Displ(ColValue), 6);
    ASSERT_TRUE(G()->EditorMode());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("77"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(ValidatedCol, ColValue);
    EXPECT_EQ(ValidatedValue, "77");
    EXPECT_EQ(G()->Cells(ColValue, 6), "77");
}

TEST_F(ExCGridAnswersTest, ColoursAndFontsFromTheItems)
{
    TBrush Brush;
    TFont Font;
    const TColor GridColor = G()->Color();
    auto Ask = [&](Integer Col, Integer Row) {
        Brush.SetColor(GridColor);
        Font.Assign(G()->Font());
        G()->GetCellColor(Col, Row, TGridDrawState(), &Brush, &Font);
    };
    Ask(ColAddress, 3);
    EXPECT_EQ(Brush.Color(), AddressColor);
    EXPECT_FALSE(Font.Style().Contains(fsBold));
    Ask(ColAddress, 0);
    EXPECT_NE(Brush.Color(), AddressColor);
    EXPECT_TRUE(Font.Style().Contains(fsBold));
    Ask(ColLength, 3);
    EXPECT_EQ(Brush.Color(), G()->FixedColor());

    G()->SetColors(ColAddress, 4, clLime);
    G()->SetFontColors(ColAddress, 4, clRed);
    Ask(ColAddress, 4);
    EXPECT_EQ(Brush.Color(), clLime);
    EXPECT_EQ(Font.Color(), clRed);

    // Column alignment, and the header alignment on the fixed row.
    TAlignment HA = taLeftJustify;
    TVAlignment VA = vtaTop;
    G()->QueryCellAlignment(ColEnabled, 3, HA, VA);
    EXPECT_EQ(HA, taCenter);
    G()->QueryCellAlignment(ColEnabled, 0, HA, VA);
    EXPECT_EQ(HA, taLeftJustify);
}

TEST_F(ExCGridAnswersTest, NewCellPropertiesStartFromTheItem)
{
    TFont Font;
    TBrush Brush;
    TColor To = clRed, Mirror = clRed, MirrorTo = clRed;
    TAlignment HA = taLeftJustify;
    TVAlignment VA = vtaTop;
    bool WW = true;
    TCellGradientDirection GD = GradientHorizontal;
    F.Grid->GetCellDefaults(ColAddress, 3, &Font, &Brush, To, Mirror, MirrorTo, HA, VA, WW, GD);
    EXPECT_EQ(Brush.Color(), AddressColor);
    EXPECT_EQ(To, clNone);
    EXPECT_EQ(HA, taRightJustify);
    EXPECT_EQ(GD, GradientVertical);
    F.Grid->GetCellDefaults(ColLength, 3, &Font, &Brush, To, Mirror, MirrorTo, HA, VA, WW, GD);
    EXPECT_EQ(Brush.Color(), clNone);
}

TEST_F(ExCGridAnswersTest, FloatFormatShowsNumbersOnlyWithTheUsersSeparator)
{
    G()->Columns()->Items(ColValue)->SetFloatFormat(QStringLiteral("%.2f"));
    struct TCase {
        const char* Text;
        const char* Dot;
        const char* Comma;
    };
    const TCase Cases[] = {
        {"12.5", "12.50", "12,50"}, {"12", "12.00", "12,00"}, {"abc", "abc", "abc"}, {"1E5", "1E5", "1E5"}};
    for (const Char Separator : {Char(u'.'), Char(u',')}) {
        platform::SetUserDecimalSeparator(Separator);
        for (const TCase& C : Cases) {
            G()->SetCells(ColValue, 9, QString::fromLatin1(C.Text));
            EXPECT_EQ(G()->GetFormattedCell(ColValue, 9), QString::fromLatin1(Separator == u'.' ? C.Dot : C.Comma))
                << C.Text << " with " << QString(Separator).toStdString();
        }
    }
    platform::SetUserDecimalSeparator(std::nullopt);
    G()->SetCells(ColName, 9, QStringLiteral("12.5"));
    EXPECT_EQ(G()->GetFormattedCell(ColName, 9), "12.5");
}

TEST_F(ExCGridAnswersTest, ColumnFormatBecomesTheGridsOnceAnEditorIsAsked)
{
    G()->Columns()->Items(ColValue)->SetFloatFormat(QStringLiteral("%.3f"));
    TEditorType Kind = edNormal;
    G()->GetCellEditor(ColValue, 0, Kind);
    EXPECT_EQ(G()->FloatFormat(), "%.3f");
    String Format;
    bool IsFloat = true;
    G()->GetFloatFormat(ColName, 1, IsFloat, Format);
    EXPECT_EQ(Format, "%.3f");
}

TEST_F(ExCGridAnswersTest, ColumnSizeLimits)
{
    TGridColumnItem* Item = G()->Columns()->Items(ColName);
    Item->SetMinSize(20);
    Integer W = 5;
    G()->UpdateColumnSize(ColName, W);
    EXPECT_EQ(W, 20);
    W = 5000;
    G()->UpdateColumnSize(ColName, W);
    EXPECT_EQ(W, 5000);
    Item->SetMaxSize(300);
    G()->UpdateColumnSize(ColName, W);
    EXPECT_EQ(W, 300);
    Item->SetAutoMaxSize(100);
    W = 150;
    G()->UpdateAutoColumnSize(ColName, W);
    EXPECT_EQ(W, 100);
    W = 5;
    G()->UpdateColumnSize(ColCount + 3, W);
    EXPECT_EQ(W, 5);
}

TEST_F(ExCGridAnswersTest, EditLimitAndMaskFromTheDisplayedColumnsItem)
{
    G()->Columns()->Items(ColValue)->SetEditLength(6);
    G()->Columns()->Items(ColValue)->SetEditMask(QStringLiteral("999"));
    G()->MoveToCell(Displ(ColValue), 2);
    EXPECT_EQ(F.Grid->GetEditLimit(), 6);
    EXPECT_EQ(F.Grid->GetEditMask(Displ(ColValue), 2), "999");
    G()->OnGetEditMask = [](TObject*, Integer, Integer, String& Value) { Value = QStringLiteral("AAA"); };
    EXPECT_EQ(F.Grid->GetEditMask(Displ(ColValue), 2), "AAA");
}

TEST_F(ExCGridAnswersTest, MovedColumnTakesItsItemWithEverySetting)
{
    TGridColumnItem* Enabled = G()->Columns()->Items(ColEnabled);
    Enabled->SetColumnPopupType(cpAllCellsLClick);
    Enabled->SetPrintBorderCustom(false);
    Enabled->SetPrintFontCustom(false);
    Enabled->SetWidth(40);
    Integer MovedFrom = -1;
    Integer MovedTo = -1;
    G()->OnAfterColumnMoved = [&](TObject*, Integer From, Integer To) {
        MovedFrom = From;
        MovedTo = To;
    };
    // Display 2 is real 3 (the hidden column 2 lies left of it); display 6 is real 7.
    G()->MoveColumn(Displ(ColEnabled), Displ(ColLength));
    EXPECT_EQ(MovedFrom, ColEnabled);
    EXPECT_EQ(MovedTo, ColLength);
    EXPECT_EQ(G()->Columns()->Items(ColLength), Enabled);
    EXPECT_EQ(Enabled->Editor(), edDataCheckBox);
    EXPECT_EQ(Enabled->ColumnPopupType(), cpAllCellsLClick);
    EXPECT_FALSE(Enabled->PrintBorderCustom());
    EXPECT_FALSE(Enabled->PrintFontCustom());
    EXPECT_EQ(Enabled->Width(), 40);
    EXPECT_EQ(G()->ColWidths(Displ(ColLength)), 40);
    EXPECT_EQ(G()->Cells(ColLength, 0), "Enabled");
    EXPECT_EQ(G()->Cells(ColLength, 3), "N");
    // The answers follow the item to its new place.
    EXPECT_EQ(G()->GetCellType(ColLength, 3), ctDataCheckBox);
    EXPECT_EQ(G()->GetCellType(ColEnabled, 3), ctEmpty);
    EXPECT_EQ(G()->Columns()->Items(ColLength - 1)->Header(), "Length");
    EXPECT_EQ(G()->Columns()->Count(), ColCount);
    EXPECT_EQ(G()->ColumnHeaders()->Strings(ColLength), "Enabled");
}

TEST_F(ExCGridAnswersTest, ColumnPopupOfTheRealColumnOnlyForItsClicks)
{
    TPopupMenu Menu(nullptr);
    Integer Opened = 0;
    Menu.OnPopup = [&](TObject*) { ++Opened; };
    G()->Columns()->Items(ColUnit)->SetColumnPopup(&Menu);
    Integer ReportedCol = -1;
    G()->OnColumnPopup = [&](TObject*, Integer ACol, Integer, TPopupMenu* P) {
        ReportedCol = ACol;
        EXPECT_EQ(P, &Menu);
    };
    // The display index of the real column 5 is 4, whose item (real 4) has no menu.
    F.Grid->ColumnPopupClick(mbLeft, Displ(ColUnit), 0);
    EXPECT_EQ(Opened, 0);
    F.Grid->ColumnPopupClick(mbRight, Displ(ColUnit), 3);
    EXPECT_EQ(Opened, 0);
    EXPECT_EQ(ReportedCol, Displ(ColUnit));
    F.Grid->ColumnPopupClick(mbRight, Displ(ColUnit), 0);
    EXPECT_EQ(Opened, 1);
    F.Grid->ColumnPopupClick(mbRight, Displ(ColType), 0);
    EXPECT_EQ(Opened, 1);
    Menu.ClosePopup();

    // A right click into the header cell through the grid's own mouse path.
    Show();
    const TRect R = G()->CellRect(Displ(ColUnit), 0);
    QTest::mouseClick(G()->ClientWidget(), Qt::RightButton, Qt::NoModifier, QPoint(R.Left + 5, R.Top + 5));
    QApplication::processEvents();
    EXPECT_EQ(Opened, 2);
    Menu.ClosePopup();
    G()->Columns()->Items(ColUnit)->SetColumnPopup(nullptr);
}

TEST_F(ExCGridAnswersTest, FilterListOfFriendlyNamesAndTheChosenCondition)
{
    TGridColumnItem* Unit = G()->Columns()->Items(ColUnit);
    Unit->Filter()->SetText(QStringLiteral("Current=mA\nVoltage=V\n>bar"));
    Unit->SetFilterCaseSensitive(false);
    G()->SetFilterDropDownAuto(true);
    TStringList List;
    EXPECT_TRUE(G()->GetFilterList(ColUnit, &List));
    ASSERT_EQ(List.Count(), 3);
    EXPECT_EQ(List.Strings(0), "Current");
    EXPECT_EQ(List.Strings(1), "Voltage");
    EXPECT_EQ(List.Strings(2), ">bar");
    // The column of names fills the list automatically, yet offers none.
    EXPECT_FALSE(G()->GetFilterList(ColName, &List));

    G()->SetAutoFilterUpdate(false);
    F.Grid->SetAutoFilterDisplay(true);
    F.Grid->FFilterCol = ColUnit;
    G()->FilterDropListSelect(nullptr, 1);
    TFilterData* Data = G()->Filter()->GetColFilter(ColUnit);
    EXPECT_EQ(Data->Condition(), "V");
    EXPECT_FALSE(Data->CaseSensitive());
    EXPECT_EQ(Unit->Header(), "Voltage");
    EXPECT_EQ(G()->Cells(ColUnit, 0), "Voltage");
    EXPECT_EQ(F.Grid->FFilterCol, -1);
}

TEST_F(ExCGridAnswersTest, BordersPasswordAndSortFormatFromTheItem)
{
    TGridColumnItem* Item = G()->Columns()->Items(ColValue);
    Item->SetBorders(TCellBorders{cbLeft, cbBottom});
    Item->BorderPen()->SetColor(clRed);
    Item->SetPrintBorderCustom(false);
    Item->SetPassword(true);
    Item->SetSortStyle(ssNumeric);
    Item->SetSortPrefix(QStringLiteral("$"));
    TPen Pen;
    TCellBorders Borders;
    G()->GetCellBorder(ColValue, 3, &Pen, Borders);
    EXPECT_EQ(Borders, (TCellBorders{cbLeft, cbBottom}));
    EXPECT_EQ(Pen.Color(), clRed);
    Borders = TCellBorders();
    G()->GetCellBorder(ColValue, 0, &Pen, Borders);
    EXPECT_EQ(Borders, TCellBorders());
    G()->GetCellPrintBorder(ColValue, 3, &Pen, Borders);
    EXPECT_EQ(Borders, TCellBorders());
    G()->GetCellPrintBorder(ColName, 3, &Pen, Borders);
    EXPECT_EQ(Borders, (TCellBorders{cbTop, cbLeft, cbRight, cbBottom}));
    bool Password = false;
    G()->IsPasswordCell(ColValue, 0, Password);
    EXPECT_TRUE(Password);
    TSortStyle Style = ssAutomatic;
    String Prefix;
    String Suffix;
    G()->GetColFormat(ColValue, Style, Prefix, Suffix);
    EXPECT_EQ(Style, ssNumeric);
    EXPECT_EQ(Prefix, "$");
}

TEST_F(ExCGridAnswersTest, FreedMenuLeavesTheItems)
{
    auto* Menu = new TPopupMenu(nullptr);
    G()->Columns()->Items(ColName)->SetColumnPopup(Menu);
    delete Menu;
    EXPECT_EQ(G()->Columns()->Items(ColName)->ColumnPopup(), nullptr);
    F.Grid->ColumnPopupClick(mbRight, Displ(ColName), 0);
}

TEST_F(ExCGridAnswersTest, ScalingChangesTheFontsOfTheShownColumns)
{
    TGridColumnItem* Item = G()->Columns()->Items(ColName);
    Item->Font()->SetSize(10);
    Item->HeaderFont()->SetSize(8);
    G()->ChangeScale(3, 2);
    EXPECT_EQ(Item->Font()->Size(), 15);
    EXPECT_EQ(Item->HeaderFont()->Size(), 12);
}
