// The image picker drop-down: items from an image list and from a folder,
// the index and image index, choosing, keys and the edit's picture.
#include "controls/dropdown/ExImagePickerDropDown.h"

#include "DropDownFixture.h"
#include "common/TestPaths.h"

#include "rtl/ImgList.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

QRgb Rgb(TColor C)
{
    return qRgb(GetRValue(C), GetGValue(C), GetBValue(C));
}

// A bitmap of one colour.
std::unique_ptr<TBitmap> Solid(Integer W, Integer H, TColor C)
{
    auto B = std::make_unique<TBitmap>(W, H);
    B->Canvas()->Brush()->SetColor(C);
    B->Canvas()->FillRect(TRect(0, 0, W, H));
    return B;
}

class ImagePickerTest : public DropDownFixture {
protected:
    void SetUp() override
    {
        DropDownFixture::SetUp();
        ShowForm();
        Images = new TImageList(Form.get(), 16, 16);
        for (TColor C : {clBlue, clGreen, clYellow, clAqua, clFuchsia})
            Images->Add(Solid(16, 16, C).get(), nullptr);
        P = MakeDropDown<TExImagePickerDropDown>();
        P->SetImages(Images);
        P->OnChange = [this](TObject*) { Events += QLatin1Char('c'); };
        P->OnSelect = [this](TObject*) { Events += QLatin1Char('s'); };
        P->SetFocus();
    }
    void Open()
    {
        OpenPopup(P);
        ASSERT_TRUE(P->DroppedDown());
    }
    void PressInPopup(Qt::Key K) { DropDownFixture::PressInPopup(P, K); }
    // The edit's pixel at the centre of its edit rectangle.
    QRgb CentrePixel()
    {
        const TRect R = P->GetEditRect();
        return Grab(P).pixel(R.Left + R.Width() / 2, R.Top + R.Height() / 2);
    }
    TImageList* Images = nullptr;
    TExImagePickerDropDown* P = nullptr;
    QString Events;
};

} // namespace

TEST_F(ImagePickerTest, ItemsFromTheImageListAndTheImageIndex)
{
    P->AddImagesFromImageList();
    ASSERT_EQ(P->Items()->Count(), 5);
    for (Integer I = 0; I < 5; ++I)
        EXPECT_EQ(P->Items()->Items(I)->ImageIndex(), I);
    P->SetImageIndex(3);
    EXPECT_EQ(P->ItemIndex(), 3);
    EXPECT_EQ(P->GetImageIndex(), 3);
    P->SetImageIndex(7);
    EXPECT_EQ(P->ItemIndex(), -1);
    EXPECT_EQ(P->GetImageIndex(), -1);
    // Nothing is cleared first; without a list nothing is added.
    P->AddImagesFromImageList();
    EXPECT_EQ(P->Items()->Count(), 10);
    P->SetImages(nullptr);
    P->AddImagesFromImageList();
    EXPECT_EQ(P->Items()->Count(), 10);
}

TEST_F(ImagePickerTest, ItemIndexRaisesChangeThenSelectOnlyWhenItChanges)
{
    P->AddImagesFromImageList();
    P->SetItemIndex(2);
    EXPECT_EQ(Events, QStringLiteral("cs"));
    P->SetItemIndex(2);
    P->SetItemIndex(5);
    P->SetItemIndex(99);
    EXPECT_EQ(Events, QStringLiteral("cs"));
    EXPECT_EQ(P->ItemIndex(), 2);
}

TEST_F(ImagePickerTest, EditShowsThePictureCentredBeforeTheListImage)
{
    P->AddImagesFromImageList();
    P->SetItemIndex(0);
    EXPECT_EQ(CentrePixel(), Rgb(clBlue));
    P->Items()->Items(0)->Image()->SetBitmap(Solid(10, 8, clRed).get());
    Form->Repaint();
    const QImage Image = Grab(P);
    const TRect R = P->GetEditRect();
    const Integer Left = R.Left + (R.Width() - 10) / 2, Top = R.Top + (R.Height() - 8) / 2;
    EXPECT_EQ(Image.pixel(Left, Top), Rgb(clRed));
    EXPECT_EQ(Image.pixel(Left + 9, Top + 7), Rgb(clRed));
    EXPECT_NE(Image.pixel(Left - 1, Top), Rgb(clRed));
    EXPECT_NE(Image.pixel(Left + 10, Top + 7), Rgb(clRed));
    EXPECT_NE(Image.pixel(Left, Top - 1), Rgb(clRed));
    P->SetItemIndex(-1);
    EXPECT_NE(CentrePixel(), Rgb(clRed));
}

TEST_F(ImagePickerTest, ItemsFromAFolderOneForEachEntryFound)
{
    QTemporaryDir Dir;
    ASSERT_TRUE(Dir.isValid());
    const QString D = Dir.path() + QLatin1Char('/');
    ASSERT_TRUE(QFile::copy(testpaths::Fixture(QStringLiteral("pictures/square.png")), D + QStringLiteral("a.png")));
    ASSERT_TRUE(QFile::copy(testpaths::Fixture(QStringLiteral("pictures/square.jpg")), D + QStringLiteral("b.jpg")));
    ASSERT_TRUE(QFile::copy(testpaths::Fixture(QStringLiteral("pictures/square.bmp")), D + QStringLiteral("c.bmp")));
    QFile Text(D + QStringLiteral("d.txt"));
    ASSERT_TRUE(Text.open(QIODevice::WriteOnly));
    Text.write("not a picture");
    Text.close();
    ASSERT_TRUE(QDir(D).mkdir(QStringLiteral("e folder")));
    P->AddImagesFromFolder(D + QStringLiteral("*"), true);
    ASSERT_EQ(P->Items()->Count(), 5);
    const char* Names[] = {"a.png", "b.jpg", "c.bmp", "d.txt", "e folder"};
    for (Integer I = 0; I < 5; ++I) {
        TImageItem* Item = P->Items()->Items(I);
        EXPECT_EQ(Item->Caption(), QString::fromLatin1(Names[I]));
        const bool Empty = !Item->Image()->Graphic() || Item->Image()->Graphic()->Empty();
        EXPECT_EQ(Empty, I >= 3) << Names[I];
    }
    EXPECT_GT(P->Items()->Items(1)->Image()->Width(), 0);
    // A mask that matches nothing adds nothing; without captions they stay empty.
    P->AddImagesFromFolder(D + QStringLiteral("*.xyz"), true);
    EXPECT_EQ(P->Items()->Count(), 5);
    P->AddImagesFromFolder(D + QStringLiteral("a.*"), false);
    ASSERT_EQ(P->Items()->Count(), 6);
    EXPECT_TRUE(P->Items()->Items(5)->Caption().isEmpty());
}

TEST_F(ImagePickerTest, OddNamesLoadAsFoundAndBrokenOrOutsidePicturesStayEmpty)
{
    QTemporaryDir Dir, Outside;
    ASSERT_TRUE(Dir.isValid() && Outside.isValid());
    const QString D = Dir.path() + QLatin1Char('/');
    const QString Png = testpaths::Fixture(QStringLiteral("pictures/square.png"));
    for (const QString& Name : {QStringLiteral("with blank.png"), QStringLiteral("grün.png"), QStringLiteral(".dot.png")})
        ASSERT_TRUE(QFile::copy(Png, D + Name));
    QFile Source(Png);
    ASSERT_TRUE(Source.open(QIODevice::ReadOnly));
    QFile Broken(D + QStringLiteral("zz broken.png"));
    ASSERT_TRUE(Broken.open(QIODevice::WriteOnly));
    Broken.write(Source.readAll().left(40));
    Broken.close();
    ASSERT_TRUE(QFile::copy(Png, Outside.path() + QStringLiteral("/far.png")));
    ASSERT_TRUE(QFile::link(Outside.path() + QStringLiteral("/far.png"), D + QStringLiteral("zz link.png")));
    P->AddImagesFromFolder(D + QStringLiteral("*.png"), true);
    ASSERT_EQ(P->Items()->Count(), 5);
    for (Integer I = 0; I < 5; ++I) {
        TImageItem* Item = P->Items()->Items(I);
        const bool Loaded = Item->Image()->Graphic() && !Item->Image()->Graphic()->Empty();
        EXPECT_EQ(Loaded, !Item->Caption().startsWith(QStringLiteral("zz"))) << Item->Caption().toStdString();
    }
}

TEST_F(ImagePickerTest, ClosedKeysAndTheWheelStepThroughTheItems)
{
    P->AddImagesFromImageList();
    struct {
        Qt::Key Key;
        Integer Index;
    } const Steps[] = {{Qt::Key_Down, 0}, {Qt::Key_Down, 1}, {Qt::Key_End, 4},
                       {Qt::Key_Down, 4}, {Qt::Key_Up, 3},   {Qt::Key_Home, 0}};
    for (const auto& S : Steps) {
        Press(P, S.Key);
        EXPECT_EQ(P->ItemIndex(), S.Index) << S.Key;
    }
    Events.clear();
    Press(P, Qt::Key_Return);
    EXPECT_EQ(Events, QStringLiteral("s"));
    P->SelectLast();
    EXPECT_EQ(P->ItemIndex(), 4);
    P->SelectPreviousItem();
    EXPECT_EQ(P->ItemIndex(), 3);
    P->SelectNextItem();
    EXPECT_EQ(P->ItemIndex(), 4);
    P->SelectFirst();
    EXPECT_EQ(P->ItemIndex(), 0);
}

TEST_F(ImagePickerTest, OpenListMovesByColumnsAndEscapeRestoresTheIndex)
{
    P->AddImagesFromImageList();
    P->SetColumns(2);
    P->SetItemIndex(1);
    Open();
    TExCustomItemSelector* List = P->ItemSelector();
    ASSERT_NE(List, nullptr);
    EXPECT_EQ(List->Items()->Count(), 5);
    EXPECT_EQ(List->Columns(), 2);
    EXPECT_EQ(List->ItemIndex(), 1);
    PressInPopup(Qt::Key_Down);
    EXPECT_EQ(P->ItemIndex(), 3);
    PressInPopup(Qt::Key_Down);
    EXPECT_EQ(P->ItemIndex(), 3);
    PressInPopup(Qt::Key_Left);
    EXPECT_EQ(P->ItemIndex(), 2);
    EXPECT_TRUE(P->DroppedDown());
    PressInPopup(Qt::Key_Escape);
    EXPECT_FALSE(P->DroppedDown());
    EXPECT_EQ(P->ItemIndex(), 1);
    // Escape on the closed edit keeps the choice.
    Press(P, Qt::Key_Down);
    Press(P, Qt::Key_Escape);
    EXPECT_EQ(P->ItemIndex(), 2);
}

TEST_F(ImagePickerTest, AClickOnAnItemChoosesItAndCloses)
{
    P->AddImagesFromImageList();
    Open();
    TRect R;
    P->ItemSelector()->Panel()->GetItemRect(2, R);
    QTest::mouseClick(P->ItemSelector()->Panel()->Handle(), Qt::LeftButton, {}, QPoint(R.Left + 3, R.Top + 3));
    EXPECT_FALSE(P->DroppedDown());
    EXPECT_EQ(P->ItemIndex(), 2);
    EXPECT_EQ(P->GetImageIndex(), 2);
    EXPECT_EQ(CentrePixel(), Rgb(clYellow));
}
