// The cell graphic: angles, picture fitting, button sizes, what it frees
// and what Assign copies; the node look and the editor's growth flags.
#include "grid/control/ExGrid_Graphic.h"

#include "grid/SettingsTestSupport.h"

#include <QImage>
#include <QTemporaryDir>

TEST(CellGraphic, CreatedEmpty)
{
    TCellGraphic G;
    EXPECT_EQ(G.CellType(), ctNone);
    EXPECT_FALSE(G.CellCreated());
    EXPECT_EQ(G.CellBitmap(), nullptr);
    EXPECT_EQ(G.CellIcon(), nullptr);
    EXPECT_EQ(G.CellIndex(), 0);
    EXPECT_EQ(G.CellAngle(), 0);
    EXPECT_EQ(G.CellValue(), 0.0);
    EXPECT_TRUE(G.CellText().isEmpty());
    EXPECT_FALSE(G.CellVar().isValid());
    static_assert(sizeof(TCellType) == 1 && sizeof(TCellHAlign) == 1 && sizeof(TCellVAlign) == 1);
    // The kinds keep the design's order, which is stored and compared.
    EXPECT_EQ(Integer(ctNone), 2);
    EXPECT_EQ(Integer(ctExpand), 32);
    EXPECT_EQ(GetEnumName(ctTriStateCheckBox), "ctTriStateCheckBox");
}

TEST(CellGraphic, SetAngleBringsTheAngleIntoZeroTo360)
{
    const struct {
        SmallInt Given;
        Integer Kept;
    } Cases[] = {{-30, 330}, {725, 5}, {360, 360}, {0, 0}, {-360, 0}, {720, 360}, {32767, 7}, {-32768, 352}};
    for (const auto& C : Cases) {
        TCellGraphic G;
        G.SetAngle(C.Given);
        EXPECT_EQ(G.CellAngle(), C.Kept) << C.Given;
        EXPECT_EQ(G.CellType(), ctRotated);
    }
}

namespace {

struct TPictureCase {
    TStretchMode Mode;
    Integer W, H, Padding, cw, rh;
    TPoint Expected;
};

std::unique_ptr<TPicture> PictureOf(Integer W, Integer H)
{
    auto Picture = std::make_unique<TPicture>();
    TBitmap Bitmap(W, H);
    Picture->SetBitmap(&Bitmap);
    return Picture;
}

} // namespace

TEST(CellGraphic, GetPictureSizeFitsByStretchMode)
{
    const TPictureCase Cases[] = {
        // The two worked examples: fx 0.6 < fy 1.2; a picture that fits.
        {StretchWithAspectRatio, 100, 50, 0, 60, 60, {60, 30}},
        {ShrinkWithAspectRatio, 40, 20, 0, 60, 60, {40, 20}},
        // A padding larger than the area gives a negative area.
        {Stretch, 40, 20, 100, 60, 60, {-40, -40}},
        {Stretch, 40, 20, 4, 60, 30, {56, 26}},
        {StretchWithAspectRatio, 50, 100, 0, 60, 60, {30, 60}},
        // Halves round to even: 5 x 0.5 = 2.5 gives 2, 7 x 0.5 = 3.5 gives 4.
        {StretchWithAspectRatio, 5, 2, 0, 100, 1, {2, 1}},
        {StretchWithAspectRatio, 7, 2, 0, 100, 1, {4, 1}},
        {Shrink, 100, 20, 0, 60, 60, {60, 60}},
        {Shrink, 40, 20, 0, 60, 60, {40, 20}},
        {ShrinkWithAspectRatio, 200, 100, 0, 60, 60, {60, 30}},
        {ShrinkWithAspectRatio, 100, 200, 10, 60, 60, {25, 50}},
        {noStretch, 100, 50, 0, 60, 60, {100, 50}},
    };
    for (const TPictureCase& C : Cases) {
        const auto Picture = PictureOf(C.W, C.H);
        TCellGraphic G;
        G.SetPicture(Picture.get(), false, C.Mode, C.Padding, haLeft, vaTop);
        EXPECT_EQ(G.GetPictureSize(C.cw, C.rh, true), C.Expected)
            << GetEnumName(C.Mode).toStdString() << " " << C.W << "x" << C.H << " in " << C.cw << "x" << C.rh;
        EXPECT_EQ(G.GetPictureSize(C.cw, C.rh, false), C.Expected);
    }
}

TEST(CellGraphic, GetPictureSizeOfFilePicturesAndOtherKinds)
{
    QTemporaryDir Dir;
    const String File = Dir.filePath("p.png");
    QImage Image(100, 50, QImage::Format_RGB32);
    Image.fill(Qt::white);
    ASSERT_TRUE(Image.save(File));
    TFilePicture FilePicture;
    FilePicture.SetFilename(File);

    TCellGraphic G;
    G.SetFilePicture(&FilePicture, true, StretchWithAspectRatio, 0, haCenter, vaCenter);
    EXPECT_EQ(G.CellType(), ctFilePicture);
    EXPECT_EQ(G.GetPictureSize(60, 60, false), TPoint(60, 30));

    // A picture kind without picture fits as 0 x 0 instead of failing.
    G.SetCellBitmap(nullptr);
    EXPECT_EQ(G.GetPictureSize(60, 60, false), TPoint(0, 60));
    G.SetCellAngle(Stretch);
    EXPECT_EQ(G.GetPictureSize(60, 60, false), TPoint(60, 60));
    G.SetCellAngle(noStretch);
    EXPECT_EQ(G.GetPictureSize(60, 60, false), TPoint(0, 0));

    TCellGraphic Check;
    Check.SetCheckBox(true, false, false, haCenter, vaCenter);
    EXPECT_EQ(Check.GetPictureSize(60, 60, false), TPoint(0, 0));
}

TEST(CellGraphic, ButtonsKeepBothSizesInCellIndex)
{
    TCellGraphic G;
    G.SetButton(300, 20, "Go", haRight, vaBottom);
    EXPECT_EQ(G.CellType(), ctButton);
    EXPECT_EQ(G.CellIndex() >> 16, 20);
    EXPECT_EQ(G.CellIndex() & 0xFFFF, 300);
    EXPECT_EQ(G.CellText(), "Go");
    EXPECT_FALSE(G.CellBoolean());
    EXPECT_EQ(G.CellHAlign(), haRight);
    EXPECT_EQ(G.CellVAlign(), vaBottom);

    // Only the low 16 bits of the width count; a height beyond 15 bits
    // lands in the sign.
    G.SetButton(70000, 40000, "", haLeft, vaTop);
    EXPECT_EQ(G.CellIndex() & 0xFFFF, 70000 & 0xFFFF);
    EXPECT_EQ(Cardinal(G.CellIndex()) >> 16, 40000u);

    TBitmap Glyph(8, 8);
    G.SetBitButton(30, 10, "B", &Glyph, haLeft, vaTop);
    EXPECT_EQ(G.CellType(), ctBitButton);
    EXPECT_EQ(G.CellBitmap(), &Glyph);
    EXPECT_EQ(G.CellIndex(), (10 << 16) | 30);
}

TEST(CellGraphic, SettersFillTheirKindsFields)
{
    TCellGraphic G;
    G.SetCheckBox(true, true, true, haCenter, vaCenter);
    EXPECT_EQ(G.CellType(), ctDataCheckBox);
    EXPECT_TRUE(G.CellBoolean());
    EXPECT_TRUE(G.CellTransparent());
    G.SetCheckBox(cbGrayed, false, haLeft, vaTop);
    EXPECT_EQ(G.CellType(), ctTriStateCheckBox);
    EXPECT_EQ(G.CellCheckBoxState(), cbGrayed);
    EXPECT_FALSE(G.CellBoolean());
    G.SetRadioButton(true, false, haLeft, vaTop);
    EXPECT_EQ(G.CellType(), ctRadioButton);
    EXPECT_EQ(G.CellAngle(), 0);
    G.SetImageIdx(7, haAfterText, vaFull);
    EXPECT_EQ(G.CellType(), ctImageList);
    EXPECT_EQ(G.CellIndex(), 7);
    G.SetDataImage(3, haLeft, vaTop);
    EXPECT_EQ(G.CellType(), ctDataImage);

    // Colours stand in the object slots; writing one clears the other.
    G.SetCellBitmapValue(clRed);
    G.SetCellIconValue(clBlue);
    EXPECT_EQ(G.CellBitmap(), nullptr);
    EXPECT_EQ(G.CellBitmapValue(), clRed);
    EXPECT_EQ(G.CellIconValue(), clBlue);
    TIcon Icon;
    G.SetIcon(&Icon, haLeft, vaTop);
    EXPECT_EQ(G.CellIcon(), &Icon);
    EXPECT_EQ(G.CellIconValue(), 0);
}

TEST(CellGraphic, MultiImageListIsOwnedAndReportsItsCell)
{
    Integer ReportedCol = -1;
    Integer ReportedRow = -1;
    auto G = std::make_unique<TCellGraphic>();
    G->SetMultiImage(4, 9, 0, haLeft, vaCenter, [&](TObject*, Integer Col, Integer Row) {
        ReportedCol = Col;
        ReportedRow = Row;
    });
    EXPECT_EQ(G->CellType(), ctImages);
    EXPECT_TRUE(G->CellBoolean());
    EXPECT_TRUE(G->CellCreated());
    auto* Images = dynamic_cast<TIntList*>(G->CellBitmap());
    ASSERT_NE(Images, nullptr);
    Images->Add(2);
    EXPECT_EQ(ReportedCol, 4);
    EXPECT_EQ(ReportedRow, 9);
    // Freeing the graphic frees the list (the leak check would report it).
    G.reset();
}

TEST(CellGraphic, CallersObjectsStayTheCallersWhateverTheFlag)
{
    TBitmap Bitmap(4, 4);
    TIcon Icon;
    {
        TCellGraphic G;
        G.SetBitmap(&Bitmap, true, haLeft, vaTop);
        G.SetIcon(&Icon, haLeft, vaTop);
        G.SetCellCreated(true);
    }
    // Still whole: the sanitizer build reports a use after free otherwise.
    EXPECT_EQ(Bitmap.Width(), 4);
    EXPECT_TRUE(Icon.Empty());
}

TEST(CellGraphic, AssignCopiesTheFlagButNoObjectAndNoOwnership)
{
    auto Source = std::make_unique<TCellGraphic>();
    Source->OwnCellBitmap(PictureOf(10, 10));
    Source->SetPicture(static_cast<TPicture*>(Source->CellBitmap()), true, Stretch, 3, haRight, vaBottom);
    Source->SetCellCreated(true);
    Source->SetCellValue(1.5);
    Source->SetCellBoolean(true);
    Source->SetCellErrFrom(2);
    Source->SetCellErrLen(5);
    Source->SetCellText("t");
    Source->SetCellVar(7);
    Source->SetCellCheckBoxState(cbChecked);

    // A target holding a caller's bitmap keeps it and never frees it.
    TBitmap Callers(2, 2);
    auto Target = std::make_unique<TCellGraphic>();
    Target->SetBitmap(&Callers, false, haLeft, vaTop);
    Target->Assign(Source.get());
    EXPECT_EQ(Target->CellType(), ctPicture);
    EXPECT_TRUE(Target->CellCreated());
    EXPECT_TRUE(Target->CellTransparent());
    EXPECT_EQ(Target->CellAngle(), Stretch);
    EXPECT_EQ(Target->CellIndex(), 3);
    EXPECT_EQ(Target->CellHAlign(), haRight);
    EXPECT_EQ(Target->CellVAlign(), vaBottom);
    EXPECT_EQ(Target->CellValue(), 1.5);
    EXPECT_TRUE(Target->CellBoolean());
    EXPECT_EQ(Target->CellErrFrom(), 2);
    EXPECT_EQ(Target->CellErrLen(), 5);
    EXPECT_EQ(Target->CellText(), "t");
    EXPECT_EQ(Target->CellBitmap(), &Callers);
    EXPECT_FALSE(Target->CellVar().isValid());
    EXPECT_EQ(Target->CellCheckBoxState(), cbUnchecked);
    Target.reset();
    EXPECT_EQ(Callers.Width(), 2);

    // Freeing a copy frees nothing of the source's.
    TCellGraphic Copy;
    Copy.Assign(Source.get());
    EXPECT_EQ(Copy.CellBitmap(), nullptr);
    EXPECT_EQ(static_cast<TPicture*>(Source->CellBitmap())->Width(), 10);

    // Any other source changes nothing.
    TCellNode Node(nullptr);
    Copy.SetCellText("kept");
    Copy.Assign(&Node);
    EXPECT_EQ(Copy.CellText(), "kept");
}

TEST(CellGraphic, AnOwnedObjectLivesUntilTheGraphicGoes)
{
    TCellGraphic G;
    G.OwnCellBitmap(std::make_unique<TStringList>());
    auto* Texts = static_cast<TStringList*>(G.CellBitmap());
    G.SetCellBitmapValue(clRed);
    // Writing the slot again does not free it behind a holder's back.
    Texts->Add("title");
    EXPECT_EQ(Texts->Count(), 1);
    auto Icon = std::make_unique<TIcon>();
    TIcon* Owned = Icon.get();
    G.OwnCellIcon(std::move(Icon));
    EXPECT_EQ(G.CellIcon(), Owned);
}

TEST(CellNode, DefaultsNoticesAndAssign)
{
    TCellNode N(nullptr);
    ExpectDefaults<TCellNode>(
        N, {DEFAULT_OF(TCellNode, Color, clSilver), DEFAULT_OF(TCellNode, NodeType, cnXP),
            DEFAULT_OF(TCellNode, NodeColor, clBlack), DEFAULT_OF(TCellNode, ExpandOne, false),
            DEFAULT_OF(TCellNode, ShowTree, true), DEFAULT_OF(TCellNode, ShowTreeFull, true),
            DEFAULT_OF(TCellNode, NodeIndent, 12), DEFAULT_OF(TCellNode, TreeColor, clGray)});
    EXPECT_TRUE(N.ExpandGlyph()->Empty());
    EXPECT_TRUE(N.ContractGlyph()->Empty());

    TNoticeCounter Repaints;
    N.OnChange = Repaints.Event();
    N.SetNodeType(cnXP);
    N.SetTreeColor(clGray);
    EXPECT_EQ(Repaints.Count, 0);
    N.SetNodeType(cnFlat);
    N.SetShowTree(false);
    N.SetShowTreeFull(false);
    N.SetNodeIndent(20);
    N.SetTreeColor(clSilver);
    EXPECT_EQ(Repaints.Count, 5);
    TBitmap Glyph(9, 9);
    N.SetExpandGlyph(&Glyph);
    N.SetColor(clRed);
    N.SetExpandOne(true);
    EXPECT_EQ(Repaints.Count, 5);
    EXPECT_EQ(N.ExpandGlyph()->Width(), 9);
    EXPECT_NE(N.ExpandGlyph(), &Glyph);

    TCellNode Copy(nullptr);
    Copy.Assign(&N);
    EXPECT_EQ(Copy.NodeType(), cnFlat);
    EXPECT_FALSE(Copy.ShowTree());
    EXPECT_FALSE(Copy.ShowTreeFull());
    EXPECT_EQ(Copy.NodeIndent(), 20);
    EXPECT_EQ(Copy.TreeColor(), clSilver);
    EXPECT_EQ(Copy.Color(), clRed);
    EXPECT_TRUE(Copy.ExpandOne());
    EXPECT_EQ(Copy.ExpandGlyph()->Width(), 9);
}

TEST(SizeWhileTyping, BothFlagsStartOff)
{
    TSizeWhileTyping S;
    EXPECT_FALSE(S.Height());
    EXPECT_FALSE(S.Width());
}
