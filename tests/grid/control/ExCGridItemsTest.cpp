// Column items and their collection: new-item values, the item count
// following the grid's columns, headers, copying and the item accessors.
#include "ColumnGridFixture.h"
#include "ExGridTestForm.h"

#include "rtl/TypInfo.h"

#include <functional>

namespace {

String FontText(const TFont* F)
{
    return QStringLiteral("%1/%2/%3/%4").arg(F->Name()).arg(F->Height()).arg(SetToString(F->Style())).arg(F->Color());
}

String PenText(const TPen* P)
{
    return QStringLiteral("%1/%2/%3/%4")
        .arg(P->Color())
        .arg(P->Width())
        .arg(Integer(P->Style()))
        .arg(Integer(P->Mode()));
}

struct TPropertyCase {
    const char* Name;
    std::function<String(TGridColumnItem*)> Read;
    std::function<String(TExColumnGrid*)> Expected;
};

template <class T>
std::function<String(TExColumnGrid*)> Is(T Value)
{
    return [Value](TExColumnGrid*) { return String(QVariant::fromValue(Value).toString()); };
}

std::function<String(TExColumnGrid*)> IsText(const char* Text)
{
    return [Text](TExColumnGrid*) { return String::fromUtf8(Text); };
}

std::function<String(TExColumnGrid*)> IsGridFont()
{
    return [](TExColumnGrid* G) { return FontText(G->Font()); };
}

// The 44 published properties in streaming order with their new-item values.
std::vector<TPropertyCase> PropertyCases()
{
    return {
        {"AutoMinSize", [](TGridColumnItem* I) { return QString::number(I->AutoMinSize()); }, Is(0)},
        {"AutoMaxSize", [](TGridColumnItem* I) { return QString::number(I->AutoMaxSize()); }, Is(0)},
        {"Alignment", [](TGridColumnItem* I) { return GetEnumName(I->Alignment()); }, IsText("taLeftJustify")},
        {"Borders", [](TGridColumnItem* I) { return SetToString(I->Borders()); }, IsText("[]")},
        {"BorderPen", [](TGridColumnItem* I) { return PenText(I->BorderPen()); },
         [](TExColumnGrid*) { return QStringLiteral("%1/1/%2/%3").arg(clSilver).arg(Integer(psSolid)).arg(Integer(pmCopy)); }},
        {"CheckFalse", [](TGridColumnItem* I) { return I->CheckFalse(); }, IsText("N")},
        {"CheckTrue", [](TGridColumnItem* I) { return I->CheckTrue(); }, IsText("Y")},
        {"Color", [](TGridColumnItem* I) { return QString::number(I->Color()); },
         [](TExColumnGrid* G) { return QString::number(G->Color()); }},
        {"ColumnPopup", [](TGridColumnItem* I) { return QString::number(I->ColumnPopup() == nullptr); }, Is(1)},
        {"ColumnPopupType", [](TGridColumnItem* I) { return GetEnumName(I->ColumnPopupType()); },
         IsText("cpFixedCellsRClick")},
        {"ComboItems", [](TGridColumnItem* I) { return QString::number(I->ComboItems()->Count()); }, Is(0)},
        {"DropDownCount", [](TGridColumnItem* I) { return QString::number(I->DropDownCount()); }, Is(8)},
        {"EditLength", [](TGridColumnItem* I) { return QString::number(I->EditLength()); }, Is(0)},
        {"EditLink", [](TGridColumnItem* I) { return QString::number(I->EditLink() == nullptr); }, Is(1)},
        {"EditMask", [](TGridColumnItem* I) { return I->EditMask(); }, IsText("")},
        {"Editor", [](TGridColumnItem* I) { return GetEnumName(I->Editor()); }, IsText("edNormal")},
        {"Filter", [](TGridColumnItem* I) { return QString::number(I->Filter()->Count()); }, Is(0)},
        {"FilterCaseSensitive", [](TGridColumnItem* I) { return QString::number(I->FilterCaseSensitive()); }, Is(0)},
        {"Fixed", [](TGridColumnItem* I) { return QString::number(I->Fixed()); }, Is(0)},
        {"FloatFormat", [](TGridColumnItem* I) { return I->FloatFormat(); }, IsText("")},
        {"Font", [](TGridColumnItem* I) { return FontText(I->Font()); }, IsGridFont()},
        {"Header", [](TGridColumnItem* I) { return I->Header(); }, IsText("")},
        {"HeaderAlignment", [](TGridColumnItem* I) { return GetEnumName(I->HeaderAlignment()); },
         IsText("taLeftJustify")},
        {"HeaderFont", [](TGridColumnItem* I) { return FontText(I->HeaderFont()); }, IsGridFont()},
        {"MinSize", [](TGridColumnItem* I) { return QString::number(I->MinSize()); }, Is(0)},
        {"MaxSize", [](TGridColumnItem* I) { return QString::number(I->MaxSize()); }, Is(0)},
        {"Name", [](TGridColumnItem* I) { return I->Name(); }, IsText("")},
        {"Password", [](TGridColumnItem* I) { return QString::number(I->Password()); }, Is(0)},
        {"PrintBorderCustom", [](TGridColumnItem* I) { return QString::number(I->PrintBorderCustom()); }, Is(1)},
        {"PrintBorders", [](TGridColumnItem* I) { return SetToString(I->PrintBorders()); },
         IsText("[cbTop,cbLeft,cbRight,cbBottom]")},
        {"PrintBorderPen", [](TGridColumnItem* I) { return PenText(I->PrintBorderPen()); },
         [](TExColumnGrid*) { return QStringLiteral("%1/1/%2/%3").arg(clBlack).arg(Integer(psSolid)).arg(Integer(pmCopy)); }},
        {"PrintColor", [](TGridColumnItem* I) { return QString::number(I->PrintColor()); }, Is(clWhite)},
        {"PrintFontCustom", [](TGridColumnItem* I) { return QString::number(I->PrintFontCustom()); }, Is(1)},
        {"PrintFont", [](TGridColumnItem* I) { return FontText(I->PrintFont()); }, IsGridFont()},
        {"ReadOnly", [](TGridColumnItem* I) { return QString::number(I->ReadOnly()); }, Is(0)},
        {"ShowBands", [](TGridColumnItem* I) { return QString::number(I->ShowBands()); }, Is(0)},
        {"SortStyle", [](TGridColumnItem* I) { return GetEnumName(I->SortStyle()); }, IsText("ssAutomatic")},
        {"SortPrefix", [](TGridColumnItem* I) { return I->SortPrefix(); }, IsText("")},
        {"SortSuffix", [](TGridColumnItem* I) { return I->SortSuffix(); }, IsText("")},
        {"SpinMax", [](TGridColumnItem* I) { return QString::number(I->SpinMax()); }, Is(0)},
        {"SpinMin", [](TGridColumnItem* I) { return QString::number(I->SpinMin()); }, Is(0)},
        {"SpinStep", [](TGridColumnItem* I) { return QString::number(I->SpinStep()); }, Is(1)},
        {"Tag", [](TGridColumnItem* I) { return QString::number(I->Tag()); }, Is(0)},
        {"Width", [](TGridColumnItem* I) { return QString::number(I->Width()); },
         [](TExColumnGrid* G) { return QString::number(G->DefaultColWidth()); }},
    };
}

class ExCGridItemsTest : public ::testing::Test {
protected:
    ExCGridItemsTest()
    {
        Form->SetClientWidth(600);
        Form->SetClientHeight(400);
    }
    TExColumnGrid* NewGrid()
    {
        auto* G = new TExColumnGrid(Form.get());
        G->SetParent(Form.get());
        return G;
    }
    static Integer ItemsExpected(TExColumnGrid* G) { return G->ColCount() + G->NumHiddenColumns(); }

    std::unique_ptr<TForm> Form = std::make_unique<TForm>(nullptr);
};

} // namespace

TEST_F(ExCGridItemsTest, NewGridHasFiveItemsWithTheNewItemValues)
{
    // The items copy the grid's font and colour as they are at creation.
    auto* Fresh = new TExColumnGrid(Form.get());
    const auto Cases = PropertyCases();
    ASSERT_EQ(Cases.size(), 44u);
    ASSERT_EQ(Fresh->Columns()->Count(), 5);
    for (int I = 0; I < Fresh->Columns()->Count(); ++I)
        for (const TPropertyCase& Case : Cases)
            EXPECT_EQ(Case.Read(Fresh->Columns()->Items(I)), Case.Expected(Fresh)) << Case.Name << " of item " << I;
}

TEST_F(ExCGridItemsTest, ItemWithoutCollectionTakesTheFrameworkDefaults)
{
    TGridColumnItem Free(nullptr);
    TFont Default;
    EXPECT_EQ(Free.Color(), clBlack);
    EXPECT_EQ(FontText(Free.Font()), FontText(&Default));
    EXPECT_EQ(Free.Width(), 50);
    EXPECT_EQ(Free.DefIdx(), 0);
    EXPECT_THROW(Free.GetRows(1), EListError);
}

TEST_F(ExCGridItemsTest, ItemCountFollowsColumnsThroughCountHidingInsertAndRemove)
{
    TColumnGridForm F;
    TExColumnGrid* G = F.Grid;
    EXPECT_EQ(G->Columns()->Count(), colgrid::ColCount);
    EXPECT_EQ(G->ColCount(), colgrid::ColCount - 1);
    struct TStep {
        const char* What;
        std::function<void()> Run;
    };
    const std::vector<TStep> Steps{
        {"ColCount 20", [G] { G->SetColCount(20); }},
        {"ColCount 9", [G] { G->SetColCount(9); }},
        {"HideColumn 4", [G] { G->HideColumn(4); }},
        {"InsertCols 2, 3", [G] { G->InsertCols(2, 3); }},
        {"RemoveCols 5, 2", [G] { G->RemoveCols(5, 2); }},
        {"UnHideColumnsAll", [G] { G->UnHideColumnsAll(); }},
        {"ColCount 14", [G] { G->SetColCount(14); }},
    };
    for (const TStep& Step : Steps) {
        Step.Run();
        EXPECT_EQ(G->Columns()->Count(), ItemsExpected(G)) << Step.What;
    }
}

TEST_F(ExCGridItemsTest, InsertedAndRemovedItemsTravelWithTheirColumns)
{
    TColumnGridForm F;
    TExColumnGrid* G = F.Grid;
    G->InsertCols(colgrid::ColType, 2);
    EXPECT_EQ(G->Columns()->Items(colgrid::ColType + 2)->Editor(), edComboList);
    EXPECT_EQ(G->Columns()->Items(colgrid::ColType)->Editor(), edNormal);
    EXPECT_EQ(G->Columns()->Items(colgrid::ColType)->CheckTrue(), "Y");
    G->RemoveCols(colgrid::ColType, 2);
    EXPECT_EQ(G->Columns()->Items(colgrid::ColType)->Editor(), edComboList);
    EXPECT_EQ(G->Columns()->Items(colgrid::ColType)->Header(), "Type");
    EXPECT_EQ(G->Columns()->Count(), ItemsExpected(G));
}

TEST_F(ExCGridItemsTest, HeaderWritesRowZeroOnlyWithFixedRows)
{
    TColumnGridForm F;
    TExColumnGrid* G = F.Grid;
    G->Columns()->Items(3)->SetHeader(QStringLiteral("X"));
    EXPECT_EQ(G->Cells(3, 0), "X");
    EXPECT_EQ(G->ColumnHeaders()->Strings(3), "X");

    TExColumnGrid* NoFixed = NewGrid();
    NoFixed->SetFixedRows(0);
    NoFixed->SetCells(3, 0, QStringLiteral("cell"));
    NoFixed->Columns()->Items(3)->SetHeader(QStringLiteral("X"));
    EXPECT_EQ(NoFixed->Cells(3, 0), "cell");
    EXPECT_EQ(NoFixed->Columns()->Items(3)->Header(), "X");
    EXPECT_EQ(NoFixed->ColumnHeaders()->Strings(3), "X");
}

TEST_F(ExCGridItemsTest, AssigningColumnHeadersUpdatesEveryItemTheLastIncluded)
{
    TColumnGridForm F;
    TExColumnGrid* G = F.Grid;
    QStringList Lines;
    for (Integer C = 0; C < G->Columns()->Count(); ++C)
        Lines << QStringLiteral("H%1").arg(C);
    TStringList Headers;
    Headers.SetText(Lines.join(u'\n'));
    G->ColumnHeaders()->Assign(&Headers);
    for (Integer C = 0; C < G->Columns()->Count(); ++C)
        EXPECT_EQ(G->Columns()->Items(C)->Header(), Lines.at(C)) << C;
    EXPECT_EQ(G->Cells(colgrid::ColDescription, 0), "H13");
}

TEST_F(ExCGridItemsTest, OwnedObjectsAreCopiedNeverShared)
{
    TExColumnGrid* G = NewGrid();
    TGridColumnItem* Item = G->Columns()->Items(1);
    TPen* OwnPen = Item->BorderPen();
    TPen Given;
    Given.SetColor(clRed);
    Given.SetWidth(3);
    Item->SetBorderPen(&Given);
    EXPECT_EQ(Item->BorderPen(), OwnPen);
    EXPECT_EQ(PenText(Item->BorderPen()), PenText(&Given));
    Given.SetColor(clBlue);
    EXPECT_EQ(Item->BorderPen()->Color(), clRed);

    TStringList Lines;
    Lines.Add(QStringLiteral("a"));
    Item->SetComboItems(&Lines);
    Lines.Add(QStringLiteral("b"));
    EXPECT_EQ(Item->ComboItems()->Count(), 1);

    TGridColumnItem* Other = G->Columns()->Items(2);
    Other->Assign(Item);
    Other->Font()->SetStyle(TFontStyles{fsBold});
    EXPECT_NE(Item->Font()->Style(), Other->Font()->Style());
    EXPECT_NE(Other->ComboItems(), Item->ComboItems());
    EXPECT_EQ(Other->ComboItems()->Text(), Item->ComboItems()->Text());
}

TEST_F(ExCGridItemsTest, AssignCopiesItsListAndLeavesTheThreeOut)
{
    TExColumnGrid* G = NewGrid();
    G->SetColor(RGB(9, 9, 9));
    TGridColumnItem* Source = G->Columns()->Items(1);
    Source->SetColor(clYellow);
    Source->SetHeader(QStringLiteral("Head"));
    Source->SetName(QStringLiteral("Nm"));
    Source->SetTag(7);
    Source->SetDropDownCount(3);
    Source->SetReadOnly(true);
    Source->SetFloatFormat(QStringLiteral("%.1f"));
    Source->SetDefIdx(4);
    Source->SetWidth(91);
    Source->SetColumnPopupType(cpAllCellsLClick);
    Source->SetPrintBorderCustom(false);
    Source->SetPrintFontCustom(false);
    Source->Font()->SetStyle(TFontStyles{fsUnderline});

    TGridColumnItem Copy(nullptr);
    Copy.Assign(Source);
    EXPECT_EQ(Copy.Color(), clYellow);
    EXPECT_EQ(Copy.Header(), "Head");
    EXPECT_EQ(Copy.Name(), "Nm");
    EXPECT_EQ(Copy.Tag(), 7);
    EXPECT_EQ(Copy.DropDownCount(), 3);
    EXPECT_TRUE(Copy.ReadOnly());
    EXPECT_EQ(Copy.FloatFormat(), "%.1f");
    EXPECT_EQ(Copy.DefIdx(), 4);
    EXPECT_EQ(Copy.Width(), 91);
    EXPECT_EQ(Copy.ColumnPopupType(), cpFixedCellsRClick);
    EXPECT_TRUE(Copy.PrintBorderCustom());
    EXPECT_TRUE(Copy.PrintFontCustom());

    TGridColumnItem* Visuals = G->Columns()->Items(3);
    Visuals->AssignVisuals(Source);
    EXPECT_EQ(Visuals->Color(), G->Color());
    EXPECT_EQ(FontText(Visuals->Font()), FontText(G->Font()));
    EXPECT_EQ(Visuals->Header(), "");
    EXPECT_EQ(Visuals->Name(), "");
    EXPECT_EQ(Visuals->Tag(), 0);
    EXPECT_EQ(Visuals->DropDownCount(), 8);
    EXPECT_TRUE(Visuals->ReadOnly());
    EXPECT_EQ(Visuals->FloatFormat(), "%.1f");
}

TEST_F(ExCGridItemsTest, AddTakesTheVisualsOfTheItemBefore)
{
    TExColumnGrid* G = NewGrid();
    TGridColumnItem* Last = G->Columns()->Items(4);
    Last->SetEditor(edComboList);
    Last->SetHeader(QStringLiteral("Last"));
    Last->SetColor(clAqua);
    G->SetColCount(6);
    TGridColumnItem* Added = G->Columns()->Items(5);
    EXPECT_EQ(Added->Editor(), edComboList);
    EXPECT_EQ(Added->Header(), "");
    EXPECT_EQ(Added->Color(), G->Color());
}

TEST_F(ExCGridItemsTest, DisplayNameIndexAndName)
{
    TExColumnGrid* G = NewGrid();
    G->Columns()->Items(2)->SetName(QStringLiteral("Speed"));
    EXPECT_EQ(G->Columns()->Items(2)->DisplayName(), "Col 2: Speed");
    EXPECT_EQ(G->Columns()->Items(3)->DisplayName(), "Column 3");
}

TEST_F(ExCGridItemsTest, RowsAndTypedAccessThroughTheGrid)
{
    TExColumnGrid* G = NewGrid();
    TGridColumnItem* Item = G->Columns()->Items(2);
    Item->SetRows(1, QStringLiteral("abc"));
    EXPECT_EQ(G->Cells(2, 1), "abc");
    Item->SetInts(2, 42);
    EXPECT_EQ(G->Cells(2, 2), "42");
    EXPECT_EQ(Item->GetInts(2), 42);
    G->SetCells(2, 3, QStringLiteral("1.5"));
    EXPECT_DOUBLE_EQ(Item->GetFloats(3), 1.5);
    EXPECT_THROW(Item->GetFloats(1), Exception);
    EXPECT_THROW(G->Columns()->Items(5), EListError);
    EXPECT_THROW(G->Columns()->Items(-1), EListError);
}

TEST_F(ExCGridItemsTest, WidthIsTheGridsColumnWidth)
{
    TColumnGridForm F;
    TExColumnGrid* G = F.Grid;
    TGridColumnItem* Hidden = G->Columns()->Items(colgrid::ColIndex);
    EXPECT_EQ(Hidden->Width(), 72);
    G->Columns()->Items(colgrid::ColValue)->SetWidth(99);
    EXPECT_EQ(G->ColWidths(G->DisplColIndex(colgrid::ColValue)), 99);
    G->SetColWidths(1, 61);
    EXPECT_EQ(G->Columns()->Items(1)->Width(), 61);
}

TEST_F(ExCGridItemsTest, LoadedRecordsTheOrderAndNamesFindItems)
{
    TColumnGridForm F;
    TExColumnGrid* G = F.Grid;
    for (Integer C = 0; C < G->Columns()->Count(); ++C)
        EXPECT_EQ(G->Columns()->Items(C)->DefIdx(), C);
    EXPECT_EQ(G->GetColumnByName(QStringLiteral("Unit")), G->Columns()->Items(colgrid::ColUnit));
    EXPECT_EQ(G->GetColumnByName(QStringLiteral("unit")), nullptr);
    EXPECT_EQ(G->GetVersionNr(), 50397953);
    EXPECT_EQ(G->GetVersionString(), "3.1.3.1 Aug, 2012");
}

TEST_F(ExCGridItemsTest, CopiedMenuReferenceIsDroppedWhenTheMenuIsFreed)
{
    TExColumnGrid* From = NewGrid();
    TExColumnGrid* To = NewGrid();
    auto* Menu = new TPopupMenu(nullptr);
    From->Columns()->Items(1)->SetColumnPopup(Menu);
    To->SetColumns(From->Columns());
    To->Columns()->Items(2)->Assign(From->Columns()->Items(1));
    ASSERT_EQ(To->Columns()->Items(1)->ColumnPopup(), Menu);
    ASSERT_EQ(To->Columns()->Items(2)->ColumnPopup(), Menu);
    delete Menu;
    EXPECT_EQ(To->Columns()->Items(1)->ColumnPopup(), nullptr);
    EXPECT_EQ(To->Columns()->Items(2)->ColumnPopup(), nullptr);
}
