// Pictures, progress bars, comments, shapes, ratings, scroll bars, buttons,
// expand buttons, balloons and error markers in cells: adding, reading,
// changing and removing them, and the rectangles the mouse handling uses.
#include "ExGridTestForm.h"

class ExGridGraphicKindsTest : public ::testing::Test {
protected:
    ExGridGraphicKindsTest()
    {
        G->SetColCount(5);
        G->SetRowCount(6);
    }

    TExGridForm F;
    TTestExGrid* G = F.Grid;
};

TEST_F(ExGridGraphicKindsTest, PictureReplacesACheckBoxAndStaysTheCallers)
{
    G->AddCheckBox(1, 1, true, false);
    TPicture Picture;
    G->AddPicture(1, 1, &Picture, false, noStretch, 0, haLeft, vaTop);
    EXPECT_FALSE(G->HasCheckBox(1, 1));
    EXPECT_TRUE(G->HasPicture(1, 1));
    EXPECT_EQ(G->GetPicture(1, 1), &Picture);
    G->RemoveBitmap(1, 1);
    EXPECT_TRUE(G->HasPicture(1, 1));
    G->RemovePicture(1, 1);
    EXPECT_FALSE(G->HasPicture(1, 1));
    EXPECT_EQ(G->GetCellGraphic(1, 1), nullptr);
}

// The sanitizer build reports any object left behind or freed twice.
TEST_F(ExGridGraphicKindsTest, CreatedObjectsBelongToTheGraphic)
{
    TPicture* Picture = G->CreatePicture(1, 1, true, Stretch, 2, haCenter, vaCenter);
    ASSERT_NE(Picture, nullptr);
    EXPECT_TRUE(G->GetCellGraphic(1, 1)->CellCreated());
    TBitmap* Bitmap = G->CreateBitmap(1, 1, false, haLeft, vaTop);
    Bitmap->SetWidth(4);
    EXPECT_EQ(G->GetBitmap(1, 1), Bitmap);
    EXPECT_EQ(G->GetPicture(1, 1), nullptr);
    TIcon* Icon = G->CreateIcon(2, 1, haLeft, vaTop);
    EXPECT_EQ(G->GetCellGraphic(2, 1)->CellIcon(), Icon);
    TFilePicture* File = G->CreateFilePicture(3, 1, false, noStretch, 0, haLeft, vaTop);
    EXPECT_EQ(G->GetFilePicture(3, 1), File);
    TBitmap* Glyph = G->CreateBitButton(4, 1, 40, 18, "Go", haLeft, vaTop);
    EXPECT_EQ(G->GetCellGraphic(4, 1)->CellBitmap(), Glyph);
    G->AddBalloon(1, 2, "T", "X", 1);
    G->AddCheckBox(2, 2, false, false);
    G->AddBalloon(2, 2, "T1", "X1", 2);
    G->AddBalloon(2, 2, "T2", "X2", 3);
    G->RemoveIcon(2, 1);
    G->RemoveBitButton(4, 1);
    EXPECT_FALSE(G->HasButton(4, 1));
}

TEST_F(ExGridGraphicKindsTest, ImageOperationsNeedTheImageList)
{
    Integer Idx = -7;
    G->AddImageIdx(1, 1, 3, haLeft, vaTop);
    G->AddDataImage(1, 2, 2, haLeft, vaTop);
    EXPECT_EQ(G->GetCellGraphic(1, 1), nullptr);
    EXPECT_FALSE(G->HasDataImage(1, 2));
    TImageList Images(nullptr, 16, 16);
    G->SetGridImages(&Images);
    G->AddImageIdx(1, 1, 3, haLeft, vaTop);
    ASSERT_TRUE(G->GetImageIdx(1, 1, Idx));
    EXPECT_EQ(Idx, 3);
    G->SetImageIdx(1, 1, 5);
    G->GetImageIdx(1, 1, Idx);
    EXPECT_EQ(Idx, 5);
    G->AddDataImage(1, 2, 2, haLeft, vaTop);
    EXPECT_TRUE(G->HasDataImage(1, 2));
    EXPECT_EQ(G->Cells(1, 2), "2");
    G->RemoveDataImage(1, 2);
    EXPECT_TRUE(G->Cells(1, 2).isEmpty());
    G->AddMultiImage(2, 2, 0, haLeft, vaTop);
    EXPECT_EQ(G->GetCellType(2, 2), ctImages);
    G->RemoveMultiImage(2, 2);
    G->SetGridImages(nullptr);
}

TEST_F(ExGridGraphicKindsTest, ProgressKeepsItsRangeColoursAndAlignment)
{
    G->SetAutoNumAlign(true);
    G->AddProgressFormatted(1, 1, clRed, clWhite, clBlue, clBlack, "%d pcs", 10, 50);
    TCellGraphic* P = G->GetCellGraphic(1, 1);
    ASSERT_TRUE(G->HasProgress(1, 1));
    EXPECT_EQ(TColor(P->CellBitmapValue()), clRed);
    EXPECT_EQ(TColor(P->CellIconValue()), clBlue);
    EXPECT_EQ(P->CellErrFrom(), 10);
    EXPECT_EQ(P->CellErrLen(), 50);
    EXPECT_TRUE(P->CellBoolean());
    EXPECT_EQ(P->CellText(), "%d pcs");
    EXPECT_EQ(G->GetCellAlignment(1, 1).first, taRightJustify);
    G->AddProgress(2, 1, clLime, clGray);
    EXPECT_FALSE(G->GetCellGraphic(2, 1)->CellBoolean());
    EXPECT_EQ(G->GetCellGraphic(2, 1)->CellErrLen(), 100);
}

TEST_F(ExGridGraphicKindsTest, MarkerKeepsAProgressBar)
{
    G->AddProgress(1, 1, clRed, clBlue);
    G->AddMarker(1, 1, 3, 4);
    Integer Pos = -1, Len = -1;
    G->GetMarker(1, 1, Pos, Len);
    EXPECT_EQ(Pos, 3);
    EXPECT_EQ(Len, 4);
    EXPECT_TRUE(G->HasProgress(1, 1));
    G->RemoveMarker(1, 1);
    G->GetMarker(1, 1, Pos, Len);
    EXPECT_EQ(Pos, 0);
    EXPECT_EQ(Len, 0);
    EXPECT_TRUE(G->HasProgress(1, 1));
    // On an empty cell the marker is a graphic of its own, removed with it.
    G->AddMarker(2, 2, 1, 2);
    EXPECT_EQ(G->GetCellType(2, 2), ctEmpty);
    G->RemoveAllMarkers();
    EXPECT_EQ(G->GetCellGraphic(2, 2), nullptr);
    G->GetMarker(3, 3, Pos, Len);
    EXPECT_EQ(Pos, 0);
}

TEST_F(ExGridGraphicKindsTest, CommentsOnEmptyCellsOnly)
{
    G->ControlLook()->SetCommentColor(clFuchsia);
    G->AddButton(1, 1, 40, 18, "B", haLeft, vaTop);
    G->SetComment(1, 1, "no");
    EXPECT_EQ(G->GetCellType(1, 1), ctButton);
    EXPECT_TRUE(G->GetComment(1, 1).isEmpty());
    G->SetComment(2, 1, "note");
    String Comment;
    ASSERT_TRUE(G->IsComment(2, 1, Comment));
    EXPECT_EQ(Comment, "note");
    EXPECT_EQ(TColor(G->GetCellGraphic(2, 1)->CellIndex()), clFuchsia);
    G->SetComment(2, 1, "changed");
    EXPECT_EQ(G->GetComment(2, 1), "changed");
    G->AddColorComment(3, 1, "c", clLime);
    EXPECT_EQ(TColor(G->GetCellGraphic(3, 1)->CellIndex()), clLime);
    G->RemoveAllComments();
    EXPECT_FALSE(G->IsComment(2, 1, Comment));
    EXPECT_FALSE(G->IsComment(3, 1, Comment));
    EXPECT_EQ(G->GetCellType(1, 1), ctButton);
}

TEST_F(ExGridGraphicKindsTest, ShapesRatingsPiesAndInterfacedCells)
{
    EXPECT_EQ(G->GetShapeColor(1, 1), clNone);
    G->AddShape(1, 1, csCircle, clRed, clBlack, haCenter, vaCenter);
    G->SetShapeColor(1, 1, clYellow);
    EXPECT_EQ(G->GetShapeColor(1, 1), clYellow);
    G->AddRating(2, 1, 5, clYellow, clGray);
    EXPECT_TRUE(G->HasRating(2, 1));
    EXPECT_EQ(G->GetCellGraphic(2, 1)->CellHAlign(), haFull);
    G->AddProgressPie(3, 1, clGreen, 20);
    G->SetProgressPie(3, 1, 70);
    EXPECT_EQ(G->GetCellGraphic(3, 1)->CellAngle(), 70);
    TCellNode Obj(nullptr);
    G->AddInterfacedCell(4, 1, &Obj);
    EXPECT_EQ(G->GetInterfacedCell(4, 1), &Obj);
    G->RemoveInterfacedCell(4, 1);
    EXPECT_EQ(G->GetInterfacedCell(4, 1), nullptr);
}

TEST_F(ExGridGraphicKindsTest, ScrollBarProperties)
{
    EXPECT_EQ(G->GetScrollPosition(1, 1), -1);
    EXPECT_EQ(G->GetScrollProp(1, 1).PageSize, -1);
    G->AddScrollBar(1, 1, false);
    EXPECT_TRUE(G->HasScrollBar(1, 1));
    EXPECT_FALSE(G->HasAutoRangeScrollBar(1, 1));
    EXPECT_EQ(G->GetScrollProp(1, 1).Range, 100);
    G->SetScrollPosition(1, 1, 40);
    EXPECT_EQ(G->GetScrollPosition(1, 1), 40);
    G->SetScrollProp(1, 1, TScrollProp{10, 200});
    EXPECT_EQ(G->GetScrollProp(1, 1).PageSize, 10);
    EXPECT_EQ(G->GetScrollProp(1, 1).Range, 200);
}

TEST_F(ExGridGraphicKindsTest, AutoRangeFollowsTheText)
{
    G->SetColWidths(1, 80);
    G->SetCells(1, 1, "one");
    G->AddScrollBar(1, 1, true);
    const TScrollProp Short = G->GetScrollProp(1, 1);
    EXPECT_EQ(Short.PageSize, G->RowHeights(1));
    G->SetCells(1, 1, "one two three four five six seven eight nine ten eleven twelve");
    EXPECT_GT(G->GetScrollProp(1, 1).Range, Short.Range);
}

TEST_F(ExGridGraphicKindsTest, ButtonsByDisplayColumn)
{
    G->HideColumn(1);
    // Real column 2 is display column 1.
    G->AddButton(2, 1, 60, 18, "Run", haLeft, vaTop);
    EXPECT_TRUE(G->HasButton(2, 1));
    EXPECT_EQ(G->GetButtonText(1, 1), "Run");
    G->SetButtonText(1, 1, "Stop");
    EXPECT_EQ(G->GetCellGraphic(2, 1)->CellText(), "Stop");
    G->PushButton(1, 1, true);
    EXPECT_TRUE(G->GetCellGraphic(2, 1)->CellBoolean());
    G->RemoveAllButtons();
    EXPECT_FALSE(G->HasButton(2, 1));
}

TEST_F(ExGridGraphicKindsTest, ButtonRectangleFromOffsetAndSize)
{
    G->SetColWidths(0, 10);
    G->SetDefaultRowHeight(20);
    G->SetColWidths(1, 100);
    G->SetRowHeights(1, 22);
    const TRect Cell = G->CellRect(1, 1);
    ASSERT_EQ(Cell, TRect(Cell.Left, Cell.Top, Cell.Left + 100, Cell.Top + 22));
    G->AddButton(1, 1, 60, 18, "B", haLeft, vaTop);
    G->GetCellGraphic(1, 1)->SetCellValue(Double((2 << 16) | 5));
    EXPECT_EQ(G->GetButtonRect(1, 1), TRect(Cell.Left + 5, Cell.Top + 2, Cell.Left + 65, Cell.Top + 20));
    G->GetCellGraphic(1, 1)->SetCellVAlign(vaFull);
    EXPECT_EQ(G->GetButtonRect(1, 1), TRect(Cell.Left + 5, Cell.Top, Cell.Left + 65, Cell.Bottom));
    EXPECT_EQ(G->GetButtonRect(2, 1), TRect(0, 0, 0, 0));
}

TEST_F(ExGridGraphicKindsTest, ExpandButtons)
{
    EXPECT_EQ(G->GetExpandRect(1, 1), TRect(0, 0, 0, 0));
    EXPECT_EQ(G->GetExpandHeight(1, 1, true), G->DefaultRowHeight());
    EXPECT_FALSE(G->ToggleExpand(1, 1));
    G->SetRowHeights(1, 22);
    G->AddExpand(1, 1, 80);
    EXPECT_TRUE(G->HasExpand(1, 1));
    EXPECT_FALSE(G->GetExpandState(1, 1));
    EXPECT_TRUE(G->ToggleExpand(1, 1));
    EXPECT_TRUE(G->GetExpandState(1, 1));
    EXPECT_EQ(G->GetExpandHeight(1, 1, true), 80);
    EXPECT_EQ(G->GetExpandHeight(1, 1, false), 22);
    const TRect R = G->CellRect(1, 1);
    EXPECT_EQ(G->GetExpandRect(1, 1), TRect(R.Right - 13, R.Top + 2, R.Right - 2, R.Top + 13));
}

TEST_F(ExGridGraphicKindsTest, BalloonsJoinBoxesOrStandAlone)
{
    String Title = "keep", Text = "keep";
    Integer Icon = -1;
    G->AddBalloon(1, 1, "Head", "Body", 2);
    ASSERT_TRUE(G->IsBalloon(1, 1, Title, Text, Icon));
    EXPECT_EQ(Title, "Head");
    EXPECT_EQ(Text, "Body");
    EXPECT_EQ(Icon, 2);
    EXPECT_TRUE(G->HasBalloon(1, 1));
    G->AddRadioButton(2, 1, true);
    G->AddBalloon(2, 1, "R", "on radio", 1);
    EXPECT_EQ(G->GetCellType(2, 1), ctRadioButton);
    EXPECT_TRUE(G->IsBalloon(2, 1, Title, Text, Icon));
    EXPECT_EQ(Text, "on radio");
    G->RemoveBalloon(2, 1);
    EXPECT_FALSE(G->IsBalloon(2, 1, Title, Text, Icon));
    EXPECT_TRUE(G->HasRadioButton(2, 1));
    G->AddProgress(3, 1, clRed, clBlue);
    G->AddBalloon(3, 1, "no", "no", 0);
    EXPECT_FALSE(G->IsBalloon(3, 1, Title, Text, Icon));
    EXPECT_EQ(Text, "on radio");
    G->RemoveBalloon(1, 1);
    EXPECT_EQ(G->GetCellGraphic(1, 1), nullptr);
}

TEST_F(ExGridGraphicKindsTest, RatingChangeAsksTheEvent)
{
    Double Rate = 3;
    bool Allow = false;
    G->DoRatingChange(1, 1, Rate, Allow);
    EXPECT_TRUE(Allow);
    G->OnRatingChange = [](TObject*, Integer, Integer, Double& NewRate, bool& A) {
        NewRate = 4;
        A = false;
    };
    G->DoRatingChange(1, 1, Rate, Allow);
    EXPECT_FALSE(Allow);
    EXPECT_EQ(Rate, 4);
}

TEST_F(ExGridGraphicKindsTest, InCellScrollBarSteps)
{
    G->AddScrollBar(1, 1, false);
    G->SetScrollPosition(1, 1, 95);
    G->ShowCellScrollBar(1, 1);
    TScrollBar* Bar = G->CellScrollBar();
    ASSERT_NE(Bar, nullptr);
    EXPECT_EQ(Bar->Position(), 95);
    std::vector<Integer> Events;
    G->OnScrollCell = [&](TObject*, Integer C, Integer R, Integer Pos, Integer Min, Integer Max) {
        EXPECT_EQ(C, 1);
        EXPECT_EQ(R, 1);
        EXPECT_EQ(Min, 0);
        EXPECT_EQ(Max, 100);
        Events.push_back(Pos);
    };
    const auto Send = [&](Word Code, SmallInt Pos = 0) {
        return G->Perform(WM_VSCROLL, WPARAM(Code) | (WPARAM(Word(Pos)) << 16), reinterpret_cast<LPARAM>(Bar->Handle()));
    };
    EXPECT_EQ(Send(SB_LINEDOWN), 1);
    EXPECT_EQ(G->GetScrollPosition(1, 1), 100);
    EXPECT_EQ(Send(SB_LINEDOWN), 0);
    EXPECT_EQ(Events, std::vector<Integer>({100}));
    // Page steps stay within the range too.
    Send(SB_PAGEUP);
    EXPECT_EQ(G->GetScrollPosition(1, 1), 0);
    Send(SB_THUMBTRACK, 40);
    EXPECT_EQ(G->GetScrollPosition(1, 1), 40);
    Send(SB_ENDSCROLL);
    EXPECT_EQ(Events, std::vector<Integer>({100, 0, 40}));
}
