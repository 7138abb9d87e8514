// A cell's text as shown (number formats, links, group counts), its
// alignment, the node and sort-mark queries and the room graphics take.
#include "ExGridTestForm.h"

#include "grid/base/ExUtil.h"

#include <tuple>

namespace {

class ExGridTextFormatTest : public ::testing::Test {
protected:
    ExGridTextFormatTest()
    {
        G.SetColCount(4);
        G.SetRowCount(6);
    }

    TExGridForm F;
    TTestExGrid& G = *F.Grid;
};

// A node in column 0 of ARow over Span rows, SubNodes of them sub-nodes.
void MakeNode(TTestExGrid& G, Integer ARow, Integer Span, Integer SubNodes)
{
    TCellGraphic* Node = G.CreateCellGraphic(0, ARow);
    Node->SetCellType(ctNode);
    Node->SetCellIndex(Span);
    Node->SetCellErrFrom(SubNodes);
}

} // namespace

TEST_F(ExGridTextFormatTest, ANumberIsFormattedOnlyThroughTheHandler)
{
    G.SetCells(1, 1, "3.14159");
    G.SetCells(1, 2, "7");
    G.SetCells(1, 3, "abc");
    EXPECT_EQ(G.GetFormattedCell(1, 1), String("3.14159")) << "no handler, no format";

    QStringList Asked;
    String Pattern;
    bool KeepFloat = true;
    G.OnGetFloatFormat = [&](TObject*, Integer C, Integer R, bool& IsFloat, String& FloatFormat) {
        Asked << QString("%1 %2 %3").arg(C).arg(R).arg(FloatFormat);
        if (!Pattern.isNull())
            FloatFormat = Pattern;
        IsFloat = KeepFloat;
    };
    EXPECT_EQ(G.GetFormattedCell(1, 1), String("3.14"));
    EXPECT_EQ(G.GetFormattedCell(1, 2), String("7.00"));
    EXPECT_EQ(G.GetFormattedCell(1, 3), String("abc"));
    EXPECT_EQ(Asked, (QStringList{"1 1 %.2f", "1 2 %.2f"})) << "a text that is no number never asks";

    Pattern = "%d";
    EXPECT_EQ(G.GetFormattedCell(1, 2), String("7"));
    EXPECT_EQ(G.GetFormattedCell(1, 1), String("3.14159")) << "no integer value: the text stays";
    for (const char* Unfit : {"%s", "%d %d", "%", ""}) {
        Pattern = Unfit;
        EXPECT_EQ(G.GetFormattedCell(1, 1), String("3.14159")) << Unfit;
    }
    Pattern = String();
    KeepFloat = false;
    EXPECT_EQ(G.GetFormattedCell(1, 1), String("3.14159")) << "the handler cleared IsFloat";
}

TEST_F(ExGridTextFormatTest, AutoNumAlignRightAlignsNumbersUnlessTheCellHasItsOwn)
{
    G.SetCells(1, 1, "12");
    G.SetCells(1, 2, "twelve");
    G.SetCells(2, 1, "12");
    G.SetAlignments(2, 1, taCenter);
    EXPECT_EQ(G.GetCellAlignment(1, 1).first, taLeftJustify);
    G.SetAutoNumAlign(true);
    EXPECT_EQ(G.GetCellAlignment(1, 1).first, taRightJustify);
    EXPECT_EQ(G.GetCellAlignment(1, 2).first, taLeftJustify);
    EXPECT_EQ(G.GetCellAlignment(2, 1).first, taCenter);
    G.SetVAlignment(vtaBottom);
    G.OnGetAlignment = [](TObject*, Integer R, Integer C, TAlignment& H, TVAlignment& V) {
        if (R == 1 && C == 1) {
            H = taCenter;
            V = vtaCenter;
        }
    };
    EXPECT_EQ(G.GetCellAlignment(1, 1), std::make_pair(taCenter, vtaCenter));
    EXPECT_EQ(G.GetCellAlignment(1, 2).second, vtaBottom);
}

TEST_F(ExGridTextFormatTest, URLsBecomeLinksInTheirPrefixOrder)
{
    const String Text = "mail mailto:a@b.c or www.x.org";
    G.SetCells(1, 1, Text);
    EXPECT_EQ(G.Cells(1, 1), Text);
    G.SetURLShowInText(true);
    String Expected;
    ASSERT_EQ(LinkifyURL(Text, "WWW.", Expected), 1);
    EXPECT_EQ(G.Cells(1, 1), Expected) << "WWW. is tried before MAILTO:";
    G.SetCells(1, 2, "plain <text>");
    EXPECT_EQ(G.Cells(1, 2), String("plain <text>"));
    EXPECT_EQ(G.GridCells(1, 1), Text) << "the stored text stays";
}

TEST_F(ExGridTextFormatTest, ANodeRowShowsItsOwnRowCountInColumnOne)
{
    G.SetCells(1, 1, "Group");
    G.SetCells(2, 1, "other");
    MakeNode(G, 1, 5, 1);
    EXPECT_EQ(G.Cells(1, 1), String("Group"));
    G.Grouping()->SetShowGroupCount(true);
    EXPECT_EQ(G.Cells(1, 1), String("Group (3)"));
    EXPECT_EQ(G.Cells(2, 1), String("other"));
    EXPECT_EQ(G.Cells(1, 2), String(""));
    struct TCase {
        const char* Format;
        const char* Shown;
    };
    for (TCase Case : {TCase{" [%d]", "Group [3]"}, {" %d rows", "Group 3 rows"}, {" (%s)", "Group (3)"},
                       {" %d of %d", "Group (3)"}, {"%", "Group (3)"}}) {
        G.Grouping()->SetGroupCountFormat(Case.Format);
        EXPECT_EQ(G.Cells(1, 1), String(Case.Shown)) << Case.Format;
    }
}

TEST_F(ExGridTextFormatTest, NodesIndentColumnZeroByTheirLevel)
{
    G.CellProperties(0, 2)->SetNodeLevel(2);
    EXPECT_FALSE(G.HasNodes());
    EXPECT_EQ(G.GetCellIndent(2), 0);
    MakeNode(G, 1, 3, 0);
    G.FNumNodes = 1;
    EXPECT_TRUE(G.HasNodes());
    EXPECT_EQ(G.GetCellIndent(2), 2 * G.CellNode()->NodeIndent());
    EXPECT_EQ(G.GetCellIndent(3), 0) << "a cell without properties";
    G.FNumNodes = 0;
}

TEST_F(ExGridTextFormatTest, TheSortMarkSitsInTheSortRowOfAMergedHeading)
{
    G.SetFixedRows(2);
    G.SortSettings()->SetRow(1);
    EXPECT_FALSE(G.HasSortIndicator(1, 1)) << "not shown";
    G.SortSettings()->SetShow(true);
    EXPECT_TRUE(G.HasSortIndicator(1, 1));
    EXPECT_FALSE(G.HasSortIndicator(1, 0));
    G.MergeCells(2, 0, 1, 2);
    EXPECT_TRUE(G.HasSortIndicator(2, 0)) << "the heading's last row";
    G.SetRowCount(3);
    EXPECT_FALSE(G.HasSortIndicator(1, 1)) << "one data row is not sorted";
}

TEST_F(ExGridTextFormatTest, LookupsAnswerOnlyForTheirKinds)
{
    TBitmap Bitmap;
    G.CreateCellGraphic(1, 1)->SetBitmap(&Bitmap, false, haLeft, vaTop);
    G.CreateCellGraphic(1, 2)->SetImageIdx(4, haLeft, vaTop);
    G.CreateCellGraphic(1, 3)->SetMultiImage(1, 3, 0, haLeft, vaTop, nullptr);
    G.CreateCellGraphic(1, 4)->SetAngle(90);
    EXPECT_EQ(G.GetCellImageRef(1, 1), reinterpret_cast<std::intptr_t>(&Bitmap));
    EXPECT_EQ(G.GetCellImageRef(1, 2), 4);
    EXPECT_EQ(G.GetCellImageRef(1, 3), -1);
    EXPECT_EQ(G.GetCellImageRef(2, 2), -1);
    EXPECT_NE(G.GetCellImages(1, 3), nullptr);
    EXPECT_EQ(G.GetCellImages(1, 2), nullptr);
    Integer Angle = -1;
    EXPECT_FALSE(G.IsRotated(1, 1, Angle));
    EXPECT_EQ(Angle, -1);
    EXPECT_TRUE(G.IsRotated(1, 4, Angle));
    EXPECT_EQ(Angle, 90);
    EXPECT_FALSE(G.RemoveCellGraphicOfType(1, 4, ctBitmap));
    EXPECT_EQ(G.GetCellType(1, 4), ctRotated) << "the wrong type leaves the graphic";
    EXPECT_TRUE(G.RemoveCellGraphicOfType(1, 4, ctRotated));
    EXPECT_EQ(G.GetCellType(1, 4), ctEmpty);
}

TEST_F(ExGridTextFormatTest, TheRowCheckBoxStandsForTheRowSelection)
{
    G.MouseActions()->SetHotmailRowSelect(true);
    G.MouseActions()->SetDisjunctRowSelect(true);
    EXPECT_EQ(G.GetCellType(0, 4), ctRowCheckBox) << "also an empty cell";
    EXPECT_EQ(G.GetCellType(-1, 4), ctEmpty);
    EXPECT_EQ(G.GetCellType(1, 4), ctEmpty);
    EXPECT_EQ(G.GetCellGraphic(0, 0)->CellAngle(), 0);
    G.SetRowSelect(2, true);
    EXPECT_EQ(G.GetCellGraphic(0, 0)->CellAngle(), 1) << "grayed while some rows are selected";
    EXPECT_FALSE(G.GetCellGraphic(0, 0)->CellBoolean());
    EXPECT_TRUE(G.GetCellGraphic(0, 2)->CellBoolean());
    EXPECT_FALSE(G.GetCellGraphic(0, 3)->CellBoolean());
    G.SelectRows(1, 5);
    EXPECT_EQ(G.GetCellGraphic(0, 0)->CellAngle(), 0);
    EXPECT_TRUE(G.GetCellGraphic(0, 0)->CellBoolean()) << "all rows selected";
    EXPECT_EQ(G.GetCellAlignment(0, 3).first, taCenter);
}

namespace {

class TSizedInterface : public TPersistent, public IGridCellInterface {
public:
    TSize Size;
    TSize GetSize() const override { return Size; }
    void Draw(TCanvas*, const TRect&, TExStringGrid*, bool, Integer, Integer) override {}
};

} // namespace

TEST_F(ExGridTextFormatTest, GraphicSizesOnScreenAndOnPaperFollowTheKind)
{
    G.SetColWidths(1, 100);
    G.SetRowHeights(1, 40);
    TImageList Images(nullptr, 16, 12);
    G.SetGridImages(&Images);
    TBitmap Bitmap;
    Bitmap.SetSize(10, 8);
    TSizedInterface Interface;
    Interface.Size = TSize(7, 0);
    TStringList Options;
    Options.Add("a");
    Options.Add("bb");
    TCanvas* C = G.Canvas();
    C->Font()->Assign(G.Font());
    const Integer Line = C->TextHeight("gh");
    const Integer Check = G.ControlLook()->CheckSize();
    const Integer Radio = G.ControlLook()->RadioSize();
    using TSetUp = std::function<void(TCellGraphic*)>;
    const auto Kind = [](TCellType T) { return TSetUp([T](TCellGraphic* G) { G->SetCellType(T); }); };
    const auto Images3 = [](bool Horizontal) {
        return TSetUp([Horizontal](TCellGraphic* G) {
            G->SetMultiImage(1, 1, Horizontal ? 0 : 1, haLeft, vaTop, nullptr);
            for (int I = 0; I < 3; ++I)
                static_cast<TIntList*>(G->CellBitmap())->Add(I);
        });
    };
    const auto Group = [&](bool Horizontal) {
        return TSetUp([&Options, Horizontal](TCellGraphic* G) {
            G->SetCellType(ctRadio);
            G->SetCellBitmap(&Options);
            G->SetCellBoolean(Horizontal);
        });
    };
    const auto Button = [](TCellHAlign H, TCellVAlign V) {
        return TSetUp([H, V](TCellGraphic* G) { G->SetButton(30, 20, "Go", H, V); });
    };
    struct TCase {
        const char* Name;
        TSetUp SetUp;
        const char* Text;
        TPoint Screen;
        TPoint Print;
        TPoint Paint;
        bool TextAllowed;
    };
    const TCase Cases[] = {
        {"bitmap alone", [&](TCellGraphic* G) { G->SetBitmap(&Bitmap, false, haLeft, vaTop); }, "", {10, 8}, {10, 8}, {10, 8}, true},
        {"bitmap left of text", [&](TCellGraphic* G) { G->SetBitmap(&Bitmap, false, haLeft, vaTop); }, "t", {0, 0}, {10, 8}, {10, 8}, true},
        {"bitmap before text", [&](TCellGraphic* G) { G->SetBitmap(&Bitmap, false, haBeforeText, vaTop); }, "t", {10, 0}, {10, 8}, {10, 8}, true},
        {"bitmap under text", [&](TCellGraphic* G) { G->SetBitmap(&Bitmap, false, haLeft, vaUnderText); }, "t", {0, 8}, {10, 8}, {10, 8}, true},
        {"image alone", [](TCellGraphic* G) { G->SetImageIdx(0, haLeft, vaTop); }, "", {16, 12}, {16, 12}, {16, 12}, true},
        {"image before text", [](TCellGraphic* G) { G->SetImageIdx(0, haBeforeText, vaTop); }, "t", {16, 0}, {16, 12}, {16, 12}, true},
        {"image left of text", [](TCellGraphic* G) { G->SetImageIdx(0, haLeft, vaAboveText); }, "t", {0, 12}, {0, 12}, {16, 12}, true},
        {"data image", [](TCellGraphic* G) { G->SetDataImage(0, haLeft, vaTop); }, "t", {0, 0}, {16, 12}, {16, 12}, false},
        {"check box", [](TCellGraphic* G) { G->SetCheckBox(true, false, true, haBeforeText, vaTop); }, "t", {Check, Check}, {Check, Check}, {Check, Check}, true},
        {"data check box", [](TCellGraphic* G) { G->SetCheckBox(true, true, true, haBeforeText, vaTop); }, "Y", {Check, Check}, {Check, Check}, {Check, Check}, false},
        {"tri-state box", [](TCellGraphic* G) { G->SetCheckBox(cbGrayed, true, haBeforeText, vaTop); }, "", {Check, Check}, {Check, Check}, {Check, Check}, true},
        {"radio button", [](TCellGraphic* G) { G->SetRadioButton(true, true, haBeforeText, vaTop); }, "", {Radio, Radio}, {Radio, Radio}, {Radio + 4, Radio + 4}, true},
        {"radio group across", Group(true), "", {C->TextWidth("a") + C->TextWidth("bb") + 24, Line}, {C->TextWidth("a") + C->TextWidth("bb") + 24, Line}, {0, 0}, false},
        {"radio group down", Group(false), "", {C->TextWidth("bb") + 12, std::max<Integer>(16, Line) * 2}, {C->TextWidth("bb") + 12, Line * 2}, {0, 0}, false},
        {"images across", Images3(true), "", {48, 12}, {48, 12}, {48, 12}, true},
        {"images down", Images3(false), "", {16, 36}, {16, 36}, {16, 36}, true},
        {"button alone", Button(haLeft, vaTop), "", {30, 20}, {30, 20}, {30, 20}, true},
        {"button beside text", Button(haLeft, vaTop), "t", {30, 0}, {30, 20}, {30, 20}, true},
        {"centred button", Button(haCenter, vaTop), "t", {0, 0}, {30, 20}, {30, 20}, true},
        {"button under text", Button(haLeft, vaUnderText), "t", {0, 20}, {30, 20}, {30, 20}, true},
        {"full caption button", Button(haFull, vaTop), "", {G.Canvas()->TextWidth("Go") + 4, 20}, {30, 20}, {30, 20}, true},
        {"progress pie", Kind(ctProgressPie), "", {20, 20}, {20, 20}, {20, 20}, true},
        {"node", Kind(ctNode), "", {0, 0}, {20, 20}, {0, 0}, true},
        {"progress", Kind(ctProgress), "", {0, 0}, {100, 40}, {0, 0}, false},
        {"range", Kind(ctRangeIndicator), "", {0, 0}, {0, 0}, {0, 0}, false},
        {"interface", [&](TCellGraphic* G) { G->SetInterfacedCell(&Interface); }, "", {7, 40}, {7, 40}, {7, 0}, true},
        {"shape", Kind(ctShape), "", {36, 36}, {36, 36}, {36, 36}, true},
        {"rating", [](TCellGraphic* G) { G->SetCellType(ctRating); G->SetCellAngle(3); }, "", {54, 16}, {0, 0}, {54, 16}, false},
        {"rated full", [](TCellGraphic* G) { G->SetCellType(ctRating); G->SetCellAngle(3); G->SetCellHAlign(haFull); }, "", {54, 16}, {0, 0}, {54, 16}, false},
        {"rotated", [](TCellGraphic* G) { G->SetAngle(45); }, "t", {0, 0}, {0, 0}, {0, 0}, false},
        {"full check box", [](TCellGraphic* G) { G->SetCheckBox(true, false, true, haFull, vaFull); }, "", {100, 40}, {Check, Check}, {Check, Check}, true},
    };
    for (const TCase& Case : Cases) {
        SCOPED_TRACE(Case.Name);
        G.SetCells(1, 1, Case.Text);
        Case.SetUp(G.CreateCellGraphic(1, 1));
        EXPECT_EQ(G.GetCellGraphicSize(1, 1), Case.Screen);
        EXPECT_EQ(G.GetCellGraphicExtent(1, 1, 1.0, 50, 50), Case.Print);
        TPoint Paint;
        TCellHAlign H = haCenter;
        TCellVAlign V = vaCenter;
        bool TextAllowed = !Case.TextAllowed;
        TCellGraphic* Graphic = G.GetCellGraphicInfo(1, 1, Paint.X, Paint.Y, H, V, TextAllowed);
        EXPECT_EQ(Graphic, G.GetCellGraphic(1, 1));
        EXPECT_EQ(Paint, Case.Paint);
        EXPECT_EQ(TextAllowed, Case.TextAllowed);
        EXPECT_EQ(H, Graphic->CellHAlign());
        EXPECT_EQ(V, Graphic->CellVAlign());
    }
    G.RemoveCellGraphic(1, 1);
    EXPECT_EQ(G.GetCellGraphicSize(1, 1), TPoint(0, 0)) << "no graphic";
    Integer W = -1, Ht = -1;
    TCellHAlign H = haFull;
    TCellVAlign V = vaFull;
    bool TextAllowed = false;
    EXPECT_EQ(G.GetCellGraphicInfo(1, 1, W, Ht, H, V, TextAllowed), nullptr);
    EXPECT_EQ(std::make_tuple(W, Ht, H, V, TextAllowed), std::make_tuple(0, 0, haLeft, vaTop, true));
    G.SetGridImages(nullptr);
}

TEST_F(ExGridTextFormatTest, APictureFitsIntoTheCellLessItsMarginsOrIntoThePrintArea)
{
    G.SetColWidths(1, 100);
    G.SetRowHeights(1, 40);
    TBitmap Bitmap;
    Bitmap.SetSize(200, 100);
    TPicture Picture;
    Picture.Assign(&Bitmap);
    TCellGraphic* Cell = G.CreateCellGraphic(1, 1);
    Cell->SetPicture(&Picture, false, StretchWithAspectRatio, 0, haLeft, vaTop);
    EXPECT_EQ(G.GetCellGraphicSizeEx(1, 1, 3), Cell->GetPictureSize(100 - 4 - 1, 40 - 4 - 3 - 1, false));
    G.SetXYOffsetTopLeftOnly(true);
    EXPECT_EQ(G.GetCellGraphicSizeEx(1, 1, 0), Cell->GetPictureSize(100 - 2 - 1, 40 - 2 - 1, false));
    const TPoint Fitted = Cell->GetPictureSize(80, 60, false);
    EXPECT_EQ(G.GetCellGraphicExtent(1, 1, 2.0, 80, 60), TPoint(Integer(Round(Fitted.X / 2.0)), Integer(Round(Fitted.Y / 2.0))));
    EXPECT_EQ(G.GetCellGraphicExtent(1, 1, 0.0, 80, 60), Fitted) << "no scale prints unscaled";
}
