// The grid's own binary cell block: its bytes, a round trip of everything a
// cell carries, placement, growth, progress and damaged blocks.
#include "../control/ExGridTestForm.h"

#include <QBuffer>
#include <QImageWriter>
#include <QTemporaryDir>

#include <cstring>
#include <typeinfo>

namespace {

QByteArray Hex(const char* Text)
{
    return QByteArray::fromHex(QByteArray(Text).replace(' ', ""));
}

QByteArray Name(const char* Text)
{
    return char(std::strlen(Text)) + QByteArray(Text);
}

QByteArray Record(const char* ClassName)
{
    return "TPF0" + Name(ClassName) + Hex("00");
}

QByteArray StreamBytes(TMemoryStream& Stream)
{
    return QByteArray(static_cast<const char*>(Stream.Memory()), qsizetype(Stream.Size()));
}

QByteArray SaveWhole(TExStringGrid& G)
{
    TMemoryStream Stream;
    G.SaveToBinStream(&Stream);
    return StreamBytes(Stream);
}

QByteArray SaveRect(TExStringGrid& G, TRect R)
{
    TMemoryStream Stream;
    G.SaveRectToBinStream(R, &Stream);
    return StreamBytes(Stream);
}

void LoadAt(TExStringGrid& G, const QByteArray& Bytes, TPoint At)
{
    TMemoryStream Stream;
    Stream.Write(Bytes.constData(), Integer(Bytes.size()));
    Stream.SetPosition(0);
    G.LoadAtPointFromBinStream(At, &Stream);
}

// The message of the exception loading raises; empty when it loads.
String LoadError(TExStringGrid& G, const QByteArray& Bytes)
{
    try {
        LoadAt(G, Bytes, TPoint(0, 0));
    } catch (const Exception& E) {
        return E.Message();
    }
    return String();
}

// Every text and width of a grid, to see that a failed load changed nothing.
QStringList Snapshot(TExStringGrid& G)
{
    QStringList S{QStringLiteral("%1x%2").arg(G.ColCount()).arg(G.RowCount())};
    for (Integer C = 0; C < G.ColCount(); ++C)
        S.append(QString::number(G.ColWidths(C)));
    for (Integer R = 0; R < G.RowCount(); ++R)
        for (Integer C = 0; C < G.ColCount(); ++C)
            S.append(G.Cells(C, R) + (G.HasCellProperties(C, R) ? "*" : ""));
    return S;
}

QByteArray IcoBytes()
{
    QImage Img(16, 16, QImage::Format_ARGB32);
    Img.fill(qRgba(200, 10, 10, 255));
    QByteArray Out;
    QBuffer Buf(&Out);
    Buf.open(QIODevice::WriteOnly);
    QImageWriter(&Buf, "ICO").write(Img);
    return Out;
}

// Counts without fixed cells, set in the order the runtime grid accepts.
void Size(TExStringGrid& G, Integer Cols, Integer Rows)
{
    G.SetFixedCols(0);
    G.SetFixedRows(0);
    G.SetColCount(Cols);
    G.SetRowCount(Rows);
}

void PaintSample(TBitmap& B)
{
    B.SetSize(5, 3);
    B.Canvas()->Brush()->SetColor(clRed);
    B.Canvas()->FillRect(TRect(0, 0, 5, 3));
    B.Canvas()->SetPixels(4, 2, clBlue);
}

class ExGridBinBlockTest : public ::testing::Test {
protected:
    TExGridForm F;
    TTestExGrid& G = *F.Grid;
    TExGridForm F2;
    TTestExGrid& G2 = *F2.Grid;
};

} // namespace

TEST_F(ExGridBinBlockTest, AWholeTwoByOneGridGivesTheHeaderAndOneRecordPerCell)
{
    Size(G, 2, 1);
    G.SetColWidths(0, 64);
    G.SetColWidths(1, 64);
    G.SetRowHeights(0, 24);
    G.SetCells(0, 0, "A");
    const Integer ID = G.BlockID();
    ASSERT_LT(ID, 128);
    const QByteArray Expected =
        Hex("54 50 46 30 0B 54 47 72 69 64 50 72 6F 70 49 4F 00") + Name("ColCount") + Hex("02 02") +
        Name("RowCount") + Hex("02 01") + Name("ColWidths") + Hex("06 05") + "64,64" + Name("RowHeights") +
        Hex("06 02") + "24" + Name("FullGrid") + Hex("09") + Name("ID") + Hex("02") + char(ID) + Hex("00 00") +
        Record("TGridCellIO") + Name("Col") + Hex("02 00") + Name("Row") + Hex("02 00") + Name("Cell") + Hex("06 01") +
        "A" + Name("HasProp") + Hex("08 00 00") + Record("TGridCellIO") + Name("Col") + Hex("02 01") + Name("Row") +
        Hex("02 00") + Name("HasProp") + Hex("08 00 00");
    EXPECT_EQ(SaveWhole(G).toHex(' '), Expected.toHex(' '));
    EXPECT_EQ(G.BlockID(), ID) << "one number per grid";
    EXPECT_NE(G2.BlockID(), ID);
}

TEST_F(ExGridBinBlockTest, TextsAndColoursTakeTheirValueTypes)
{
    G.SetColCount(3);
    G.SetRowCount(2);
    G.SetCells(0, 0, QStringLiteral("a\u00E9"));
    G.SetCells(1, 0, QStringLiteral("\u00E9"));
    G.SetCells(2, 0, QString(300, u'x'));
    G.CellProperties(0, 1)->SetBrushColor(clWhite);
    G.CellProperties(0, 1)->SetFontColor(RGB(1, 2, 3));
    const QByteArray Bytes = SaveWhole(G);
    EXPECT_TRUE(Bytes.contains(Name("Cell") + Hex("14 03 00 00 00 61 C3 A9")));
    EXPECT_TRUE(Bytes.contains(Name("Cell") + Hex("12 01 00 00 00 E9 00")));
    EXPECT_TRUE(Bytes.contains(Name("Cell") + Hex("0C 2C 01 00 00") + QByteArray(300, 'x')));
    EXPECT_TRUE(Bytes.contains(Name("CellProperties.BrushColor") + Hex("07") + Name("clWhite")));
    EXPECT_TRUE(Bytes.contains(Name("CellProperties.FontColor") + Hex("04 01 02 03 00")));
    EXPECT_TRUE(Bytes.contains(Name("CellProperties.BrushColorTo") + Hex("07") + Name("clNone")));
}

TEST_F(ExGridBinBlockTest, PropertiesGraphicsAndPayloadsRoundTripIntoAnotherGrid)
{
    G.SetColCount(6);
    G.SetRowCount(4);
    G.SetCells(1, 1, "props");
    TCellProperties* P = G.CellProperties(1, 1);
    P->SetAlignment(taCenter);
    P->SetVAlignment(vtaBottom);
    P->SetBorderColor(clRed);
    P->SetBorderWidth(3);
    P->SetBrushColor(RGB(9, 8, 7));
    P->SetBrushColorTo(clBtnFace);
    P->SetBrushStyle(bsCross);
    P->SetFontColor(clNavy);
    P->SetFontName("Courier");
    P->SetFontSize(14);
    P->SetFontStyle(TFontStyles{fsUnderline, fsBold});
    P->SetEditor(edComboList);
    P->SetGradientDirection(GradientHorizontal);
    P->SetReadOnly(true);
    P->SetWordWrap(true);
    P->SetNodeLevel(2);
    P->SetCellObject(reinterpret_cast<TObject*>(std::intptr_t(0x123456789A)));
    G.AddCheckBox(2, 1, true, false);
    PaintSample(*G.CreateBitmap(3, 1, false, haLeft, vaTop));
    G.CreateIcon(4, 1, haRight, vaBottom)->LoadFromBytes(IcoBytes());
    TStrings* Captions = G.CreateRadio(5, 1, 1, 1);
    Captions->Add("one");
    Captions->Add(QStringLiteral("tw\u00F6"));
    G.SetGridImages(new TImageList(F.Form.get()));
    G.AddMultiImage(1, 2, 0, haCenter, vaCenter);
    G.GetCellImages(1, 2)->Add(3);
    G.GetCellImages(1, 2)->Add(-1);
    TFilePicture* FP = G.CreateFilePicture(2, 2, false, Stretch, 2, haLeft, vaTop);
    EXPECT_THROW(FP->SetFilename("/no/such/picture.png"), Exception);
    TBitmap Sample;
    PaintSample(Sample);
    TJPEGImage Jpeg;
    Jpeg.Assign(&Sample);
    TPngImage Png;
    Png.Assign(&Sample);
    TIcon Icon;
    Icon.LoadFromBytes(IcoBytes());
    TMetafile Meta;
    Meta.LoadFromBytes("metafile bytes");
    TWICImage Wic;
    Wic.LoadFromBytes("wic bytes");
    TGraphic* Kinds[] = {&Sample, &Icon, &Jpeg, &Png, &Meta, &Wic};
    for (Integer I = 0; I < 6; ++I)
        G.CreatePicture(I, 3, false, noStretch, 0, haLeft, vaTop)->SetGraphic(Kinds[I]);

    LoadAt(G2, SaveWhole(G), TPoint(0, 0));

    EXPECT_EQ(G2.Cells(1, 1), "props");
    const TCellProperties* Q = G2.CellProperties(1, 1);
    EXPECT_EQ(Q->Alignment(), taCenter);
    EXPECT_EQ(Q->VAlignment(), vtaBottom);
    EXPECT_EQ(Q->BorderColor(), clRed);
    EXPECT_EQ(Q->BorderWidth(), 3);
    EXPECT_EQ(Q->BrushColor(), RGB(9, 8, 7));
    EXPECT_EQ(Q->BrushColorTo(), clBtnFace);
    EXPECT_EQ(Q->BrushStyle(), bsCross);
    EXPECT_EQ(Q->FontColor(), clNavy);
    EXPECT_EQ(Q->FontName(), "Courier");
    EXPECT_EQ(Q->FontSize(), 14);
    EXPECT_EQ(Q->FontStyle(), (TFontStyles{fsBold, fsUnderline}));
    EXPECT_EQ(Q->Editor(), edComboList);
    EXPECT_EQ(Q->GradientDirection(), GradientHorizontal);
    EXPECT_TRUE(Q->ReadOnly());
    EXPECT_TRUE(Q->WordWrap());
    EXPECT_EQ(Q->NodeLevel(), 2);
    EXPECT_EQ(reinterpret_cast<std::intptr_t>(Q->CellObject()), std::intptr_t(0x123456789A));
    EXPECT_EQ(Q->OwnerCol(), 1);
    EXPECT_EQ(Q->OwnerRow(), 1);

    EXPECT_TRUE(G2.IsChecked(2, 1));
    ASSERT_NE(G2.GetBitmap(3, 1), nullptr);
    EXPECT_EQ(G2.GetBitmap(3, 1)->ToImage(), Sample.ToImage());
    ASSERT_EQ(G2.GetCellType(4, 1), ctIcon);
    EXPECT_EQ(G2.GetCellGraphic(4, 1)->CellIcon()->Width(), 16);
    EXPECT_EQ(G2.GetCellGraphic(4, 1)->CellHAlign(), haRight);
    ASSERT_NE(G2.GetRadioStrings(5, 1), nullptr);
    EXPECT_EQ(G2.GetRadioStrings(5, 1)->Text(), QStringLiteral("one\r\ntw\u00F6\r\n"));
    ASSERT_NE(G2.GetCellImages(1, 2), nullptr);
    EXPECT_EQ(G2.GetCellImages(1, 2)->StrValue(), "3,-1");
    ASSERT_NE(G2.GetFilePicture(2, 2), nullptr);
    EXPECT_EQ(G2.GetFilePicture(2, 2)->Filename(), "/no/such/picture.png");
    EXPECT_EQ(G2.GetCellGraphic(2, 2)->CellIndex(), 2);
    for (Integer I = 0; I < 6; ++I) {
        TPicture* Back = G2.GetPicture(I, 3);
        ASSERT_NE(Back, nullptr) << I;
        EXPECT_EQ(typeid(*Back->Graphic()), typeid(*Kinds[I])) << I;
    }
    EXPECT_EQ(G2.GetPicture(0, 3)->Graphic()->ToImage(), Sample.ToImage());
    EXPECT_EQ(G2.GetPicture(3, 3)->Graphic()->ToImage(), Png.ToImage());
    EXPECT_EQ(G2.GetPicture(2, 3)->Graphic()->SaveToBytes(), G.GetPicture(2, 3)->Graphic()->SaveToBytes());
    EXPECT_EQ(G2.GetPicture(4, 3)->Graphic()->SaveToBytes(), "metafile bytes");
    EXPECT_EQ(G2.GetPicture(5, 3)->Graphic()->SaveToBytes(), "wic bytes");
    // The loaded block saves to the same cell records.
    const QByteArray A = SaveWhole(G);
    const QByteArray B = SaveWhole(G2);
    EXPECT_EQ(A.mid(A.indexOf("TPF0", 4)), B.mid(B.indexOf("TPF0", 4)));
}

TEST_F(ExGridBinBlockTest, APartialBlockLandsAtThePointAndLeavesSizesAlone)
{
    G.SetColCount(5);
    G.SetRowCount(5);
    F.Fill();
    G.SetColWidths(2, 99);
    const QByteArray Block = SaveRect(G, TRect(1, 2, 2, 3));
    G2.SetColCount(8);
    G2.SetRowCount(9);
    G2.SetColWidths(3, 40);
    G2.SetCells(5, 7, "kept");
    LoadAt(G2, Block, TPoint(3, 5));
    EXPECT_EQ(G2.Cells(3, 5), "1,2");
    EXPECT_EQ(G2.Cells(4, 5), "2,2");
    EXPECT_EQ(G2.Cells(3, 6), "1,3");
    EXPECT_EQ(G2.Cells(4, 6), "2,3");
    EXPECT_EQ(G2.Cells(5, 7), "kept");
    EXPECT_EQ(G2.ColCount(), 8);
    EXPECT_EQ(G2.RowCount(), 9);
    EXPECT_EQ(G2.ColWidths(3), 40);
    EXPECT_EQ(G2.ColWidths(4), 64);
}

TEST_F(ExGridBinBlockTest, AFullGridBlockClearsAndResizes)
{
    G.SetColCount(3);
    G.SetRowCount(2);
    F.Fill();
    G.SetColWidths(1, 77);
    G.SetRowHeights(1, 33);
    G2.SetColCount(6);
    G2.SetRowCount(7);
    G2.SetCells(5, 6, "gone");
    G2.CellProperties(4, 4)->SetBrushColor(clRed);
    LoadAt(G2, SaveWhole(G), TPoint(0, 0));
    EXPECT_EQ(Snapshot(G2), Snapshot(G));
    EXPECT_EQ(G2.RowHeights(1), 33);
    G2.SetColCount(6);
    G2.SetRowCount(7);
    EXPECT_EQ(G2.Cells(5, 6), "");
    EXPECT_FALSE(G2.HasCellProperties(4, 4));
}

TEST_F(ExGridBinBlockTest, CellsPlacedBeyondTheGridMakeItGrow)
{
    G.SetColCount(4);
    G.SetRowCount(4);
    F.Fill();
    G2.SetColCount(2);
    G2.SetRowCount(2);
    LoadAt(G2, SaveRect(G, TRect(1, 1, 3, 3)), TPoint(1, 1));
    EXPECT_EQ(G2.ColCount(), 4);
    EXPECT_EQ(G2.RowCount(), 4);
    EXPECT_EQ(G2.Cells(3, 3), "3,3");
    // A full-grid block written without fixed cells carries its cells from
    // the fixed ones on; the grid grows to hold them.
    G.SetSaveFixedCells(false);
    TExGridForm F3;
    LoadAt(*F3.Grid, SaveWhole(G), TPoint(0, 0));
    EXPECT_EQ(F3.Grid->ColCount(), 4);
    EXPECT_EQ(F3.Grid->RowCount(), 4);
    EXPECT_EQ(F3.Grid->Cells(3, 3), "3,3");
}

TEST_F(ExGridBinBlockTest, RowsFromSixtyFiveThousandFiveHundredThirtySixOnKeepTheirIndex)
{
    Size(G, 1, 65540);
    for (Integer R = 65534; R < 65538; ++R)
        G.SetCells(0, R, QString::number(R));
    const QByteArray Block = SaveRect(G, TRect(0, 65534, 0, 65537));
    EXPECT_TRUE(Block.contains(Name("Row") + Hex("04 00 00 01 00")));
    Size(G2, 1, 2);
    LoadAt(G2, Block, TPoint(0, 1));
    EXPECT_EQ(G2.RowCount(), 5);
    EXPECT_EQ(F2.Column(0), " 65534 65535 65536 65537");
}

TEST_F(ExGridBinBlockTest, OneTrailingByteIsIgnoredTwoFailAndTheSignatureIsChecked)
{
    G.SetColCount(2);
    G.SetRowCount(2);
    F.Fill();
    const QByteArray Block = SaveWhole(G);
    EXPECT_EQ(LoadError(G2, Block + Hex("00")), "");
    EXPECT_EQ(Snapshot(G2), Snapshot(G));
    EXPECT_EQ(LoadError(G2, Block + Hex("00 00")), "Invalid stream format");
    EXPECT_EQ(LoadError(G2, "TPF1" + Block.mid(4)), "Invalid stream format");
    EXPECT_EQ(LoadError(G2, QByteArray()), "Invalid stream format");
}

TEST_F(ExGridBinBlockTest, ADamagedBlockLeavesTheGridAsItWas)
{
    G.SetColCount(3);
    G.SetRowCount(3);
    F.Fill();
    G.CellProperties(1, 1)->SetFontName("Arial");
    const QByteArray Block = SaveWhole(G);
    G2.SetColCount(4);
    G2.SetRowCount(5);
    F2.Fill();
    G2.CellProperties(2, 2)->SetBrushColor(clAqua);
    const QStringList Before = Snapshot(G2);
    const auto Replaced = [&](const QByteArray& From, const QByteArray& To) {
        QByteArray B = Block;
        const qsizetype At = B.indexOf(From);
        EXPECT_GE(At, 0);
        return B.replace(At, From.size(), To);
    };
    struct Case {
        QByteArray Bytes;
        const char* Message;
    };
    const Case Damaged[] = {
        {Block.left(Block.size() - 3), "Stream read error"},  // the last record cut short
        {Block.left(Block.size() - 2), "Stream read error"},
        {Replaced(Name("ColWidths") + Hex("06 08") + "64,64,64", Name("ColWidths") + Hex("06 05") + "64,64"),
         "Invalid stream format"},
        {Replaced(Name("RowHeights") + Hex("06 08") + "22,22,22", Name("RowHeights") + Hex("06 08") + "22,x2,22"),
         "Invalid stream format"},
        {Replaced(Name("HasProp"), Name("HasPrep")), "Invalid stream format"},  // an unknown property
        {Replaced(Record("TGridCellPropIO"), Record("TGridCellPopIO")), "Invalid stream format"},  // unknown class
        {Replaced(Hex("07") + Name("taLeftJustify"), Hex("07") + Name("taLeftJustifx")), "Invalid stream format"},
        // A length beyond the end.
        {Replaced(Name("CellProperties.FontName") + Hex("06 05"),
                  Name("CellProperties.FontName") + Hex("0C FF FF 00 00")),
         "Invalid stream format"},
        {Replaced(Name("ColCount") + Hex("02 03"), Name("ColCount") + Hex("04 00 00 01 00")),
         "Invalid stream format"},  // more cells than the bytes could hold
    };
    for (const Case& C : Damaged) {
        EXPECT_EQ(LoadError(G2, C.Bytes), C.Message) << C.Bytes.size();
        EXPECT_EQ(Snapshot(G2), Before);
    }
}

TEST_F(ExGridBinBlockTest, ProgressFiresOnlyOnChangeWithTheRoundedPercentage)
{
    Size(G, 1, 9);
    std::vector<SmallInt> Seen;
    G.OnFileProgress = [&](TObject*, SmallInt P) { Seen.push_back(P); };
    // Rows 0..8 over 8: 0, 12.5 (12), 25, 37.5 (38), 50, 62.5 (62), 75, 87.5 (88), 100.
    const QByteArray Block = SaveWhole(G);
    EXPECT_EQ(Seen, (std::vector<SmallInt>{0, 12, 25, 38, 50, 62, 75, 88, 100}));
    Seen.clear();
    G.SetRowCount(301);
    SaveWhole(G);
    EXPECT_EQ(Seen.size(), 101u) << "three rows a step, each step once";
    Seen.clear();
    G2.OnFileProgress = [&](TObject*, SmallInt P) { Seen.push_back(P); };
    G2.SetRowCount(9);
    LoadAt(G2, Block, TPoint(0, 0));
    // Rows 0..8 of 9: 0, 11, 22, 33, 44, 56, 67, 78, 89.
    EXPECT_EQ(Seen, (std::vector<SmallInt>{0, 11, 22, 33, 44, 56, 67, 78, 89}));
}

namespace {

class TNotedGrid : public TExStringGrid {
public:
    using TExStringGrid::TExStringGrid;
    std::vector<std::pair<Integer, Integer>> Notes;

protected:
    void ExportNotification(Integer AState, Integer ARow) override { Notes.emplace_back(AState, ARow); }
};

} // namespace

TEST_F(ExGridBinBlockTest, TheWriterAnnouncesStartRowsAndEnd)
{
    TNotedGrid N(nullptr);
    N.SetColCount(2);
    N.SetRowCount(5);
    TMemoryStream Stream;
    N.SaveRectToBinStream(TRect(0, 2, 1, 3), &Stream);
    EXPECT_EQ(N.Notes, (std::vector<std::pair<Integer, Integer>>{
                           {esExportStart, 2}, {esExportNextRow, 2}, {esExportNextRow, 3}, {esExportDone, -1}}));
}

TEST_F(ExGridBinBlockTest, AGraphicFieldAbsentFromItsRecordKeepsTheDefault)
{
    // The writer leaves a value of 0 out; the cell after one with a value
    // must not take that value over.
    Size(G, 2, 1);
    G.AddCheckBox(0, 0, false, false);
    G.GetCellGraphic(0, 0)->SetCellValue(5.5);
    G.AddCheckBox(1, 0, false, false);
    LoadAt(G2, SaveWhole(G), TPoint(0, 0));
    EXPECT_EQ(G2.GetCellGraphic(0, 0)->CellValue(), 5.5);
    EXPECT_EQ(G2.GetCellGraphic(1, 0)->CellValue(), 0.0);
}

TEST_F(ExGridBinBlockTest, AnApplicationsObjectStoresPropertiesButNoGraphic)
{
    Size(G, 2, 1);
    TPicture Own;
    G.AddPicture(0, 0, &Own, false, noStretch, 0, haLeft, vaTop);
    const QByteArray Bytes = SaveWhole(G);
    EXPECT_TRUE(Bytes.contains(Name("HasGraphic") + Hex("08")));
    EXPECT_FALSE(Bytes.contains("TGridGraphicIO"));
}

TEST_F(ExGridBinBlockTest, LoadingTheWholeStreamCountsTheNodesAndFilesRoundTrip)
{
    G.SetColCount(2);
    G.SetRowCount(6);
    G.AddNode(1, 2);
    G.AddNode(3, 2);
    F.Fill();
    QTemporaryDir Dir;
    const String File = Dir.filePath("cells.bin");
    G.SaveToBinFile(File);
    G2.LoadFromBinFile(File);
    EXPECT_EQ(G2.FNumNodes, 2);
    EXPECT_EQ(Snapshot(G2), Snapshot(G));
    EXPECT_THROW(G2.LoadFromBinFile(Dir.filePath("missing.bin")), EFOpenError);
}
