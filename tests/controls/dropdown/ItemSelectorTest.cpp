// The item selector: layout, selection, lookup, painting and mouse.
#include "controls/dropdown/ExItemSelector.h"

#include "DropDownFixture.h"

#include <optional>

namespace {

constexpr TColor Red = 0x0000FF, Blue = 0xFF0000, Green = 0x00FF00;

class ItemSelectorTest : public DropDownFixture {
protected:
    void SetUp() override
    {
        DropDownFixture::SetUp();
        FormWidth = 400;
        FormHeight = 300;
        Form->SetClientWidth(FormWidth);
        Form->SetClientHeight(FormHeight);
        S = Make<TExCustomItemSelector>(10, 10);
        S->SetBounds(10, 10, 360, 260);
    }
    TCustomItemSelector* P() const { return S->Panel(); }
    void AddItems(int Count, std::optional<TSize> Cell = TSize{40, 20})
    {
        if (Cell)
            S->OnItemSize = [Cell](TObject*, TSize& Size) { Size = *Cell; };
        for (int I = 0; I < Count; ++I)
            S->Items()->Add()->SetCaption(QStringLiteral("Item %1").arg(I));
        S->UpdateSelectorPanel();
    }
    TRect Cell(int I) const
    {
        TRect R;
        P()->GetItemRect(I, R);
        return R;
    }
    QImage GrabPanel() { return P()->Handle()->grab().toImage(); }
    static QRgb Rgb(TColor C) { return qRgb(C & 0xFF, (C >> 8) & 0xFF, (C >> 16) & 0xFF); }
    // The bounding box of the pixels of colour C inside R.
    static TRect BoxOf(const QImage& Image, QRgb C, const TRect& R)
    {
        TRect Box(R.Right, R.Bottom, -1, -1);
        for (int Y = R.Top; Y < R.Bottom; ++Y)
            for (int X = R.Left; X < R.Right; ++X)
                if (Image.pixel(X, Y) == C) {
                    Box.Left = std::min(Box.Left, X);
                    Box.Top = std::min(Box.Top, Y);
                    Box.Right = std::max(Box.Right, X + 1);
                    Box.Bottom = std::max(Box.Bottom, Y + 1);
                }
        return Box;
    }
    // Plain solid colours for the hot and the selected cell.
    void PlainColours()
    {
        TItemAppearance* A = S->ItemAppearance();
        A->SetColorStyle(scCustom);
        A->SetBorderColorTop(clNone);
        A->SetBorderColor(clNone);
        A->SetColorHot(Red);
        A->SetColorHotTo(clNone);
        A->SetColorSelected(Blue);
        A->SetColorSelectedTo(clNone);
    }
    TExCustomItemSelector* S = nullptr;
};

} // namespace

TEST_F(ItemSelectorTest, SevenItemsInThreeColumnsMakeRowsOfThreeThreeAndOne)
{
    S->SetColumns(3);
    AddItems(7);
    const TRect Expected[] = {{2, 2, 42, 22},   {42, 2, 82, 22},   {82, 2, 122, 22}, {2, 22, 42, 42},
                              {42, 22, 82, 42}, {82, 22, 122, 42}, {2, 42, 42, 62}};
    for (int I = 0; I < 7; ++I)
        EXPECT_EQ(Cell(I), Expected[I]) << I;
    TSize Size;
    S->GetPanelSize(Size);
    EXPECT_EQ(Size.cx, 2 + 3 * 40 + 2);
    EXPECT_EQ(Size.cy, 2 + 3 * 20 + 2);
}

TEST_F(ItemSelectorTest, NoItemsGiveAHundredByFifty)
{
    AddItems(3);
    S->Items()->Clear();
    S->UpdateSelectorPanel();
    TSize Size;
    S->GetPanelSize(Size);
    EXPECT_EQ(Size.cx, 100);
    EXPECT_EQ(Size.cy, 50);
}

TEST_F(ItemSelectorTest, ColumnsBelowOneAreIgnored)
{
    S->SetColumns(2);
    for (int Bad : {0, -3}) {
        S->SetColumns(Bad);
        EXPECT_EQ(S->Columns(), 2);
    }
}

TEST_F(ItemSelectorTest, BuiltInMeasureOfColourBoxesAndCaptions)
{
    S->SetSelectorType(stColor);
    S->Items()->Add();
    S->UpdateSelectorPanel();
    // Box only: 2 x offset 4 + box 14 either way.
    EXPECT_EQ(Cell(0).Width(), 22);
    EXPECT_EQ(Cell(0).Height(), 22);
    S->Items()->GetItem(0)->SetCaption(QStringLiteral("Wide caption"));
    const TRect WithCaption = Cell(0);
    EXPECT_GT(WithCaption.Width(), 22 + 4 + 4);
    S->SetItemLayout(ilCaptionTop);
    S->UpdateSelectorPanel();
    EXPECT_LT(Cell(0).Width(), WithCaption.Width());
    EXPECT_GT(Cell(0).Height(), WithCaption.Height());
}

TEST_F(ItemSelectorTest, SelectNextAndPreviousStartAtZeroAndStopAtTheEndsAndBeforeDisabled)
{
    AddItems(3);
    S->SelectNext();
    EXPECT_EQ(S->ItemIndex(), 0);
    S->SetItemIndex(-1);
    S->SelectPrevious();
    EXPECT_EQ(S->ItemIndex(), 0);
    S->SelectPrevious();
    EXPECT_EQ(S->ItemIndex(), 0);
    S->SelectLast();
    S->SelectNext();
    EXPECT_EQ(S->ItemIndex(), 2);
    S->Items()->GetItem(1)->SetEnabled(false);
    S->SelectFirst();
    S->SelectNext();
    EXPECT_EQ(S->ItemIndex(), 0);
    S->SetItemIndex(1);
    EXPECT_EQ(S->ItemIndex(), 0);
    S->HotNext();
    EXPECT_EQ(S->ItemHot(), 0);
    S->HotNext();
    EXPECT_EQ(S->ItemHot(), 0);
}

TEST_F(ItemSelectorTest, LookupMatchesThePlainUpperCasedCaptionStart)
{
    AddItems(0, std::nullopt);
    S->Items()->Add()->SetCaption(QStringLiteral("xyz"));
    S->Items()->Add()->SetCaption(QStringLiteral("  <b>abc</b>"));
    S->UpdateSelectorPanel();
    EXPECT_FALSE(S->LookupItem(QStringLiteral("ab")));
    EXPECT_EQ(S->ItemIndex(), -1);
    EXPECT_FALSE(S->LookupItem(QString()));
    EXPECT_TRUE(S->LookupItem(QStringLiteral("AB")));
    EXPECT_EQ(S->ItemIndex(), 1);
}

TEST_F(ItemSelectorTest, SettingTheSameIndexFiresOnItemSelectAgain)
{
    AddItems(3);
    std::vector<TObject*> Senders;
    S->OnItemSelect = [&](TObject* Sender) { Senders.push_back(Sender); };
    S->SetItemIndex(1);
    S->SetItemIndex(1);
    S->SetItemIndex(-1);
    ASSERT_EQ(Senders.size(), 2u);
    EXPECT_EQ(Senders[0], S);
    // An index a program sets outside the items is stored, never read.
    S->SetItemIndex(9);
    EXPECT_EQ(S->ItemIndex(), 9);
    ShowForm();
    EXPECT_FALSE(GrabPanel().isNull());
    EXPECT_FALSE(S->LookupItem(QStringLiteral("NOTHING")));
}

TEST_F(ItemSelectorTest, AHotSelectedCellUsesTheSelectedColoursAndText)
{
    AddItems(2, TSize{80, 30});
    S->Items()->GetItem(0)->SetCaption(QStringLiteral("<font size=\"14\">MMMM</font>"));
    PlainColours();
    S->ItemAppearance()->SetColorHotText(Red);
    S->ItemAppearance()->SetColorSelectedText(Green);
    ShowForm();
    P()->SetItemHot(0);
    S->SetItemIndex(0);
    P()->SetItemHot(1);
    P()->SetItemHot(0);
    const QImage Image = GrabPanel();
    const TRect R = Cell(0);
    EXPECT_EQ(Image.pixel(R.Right - 3, R.Bottom - 3), Rgb(Blue));
    bool GreenInk = false, RedInk = false;
    for (int Y = R.Top; Y < R.Bottom; ++Y)
        for (int X = R.Left; X < R.Right; ++X) {
            const QColor C(Image.pixel(X, Y));
            GreenInk |= C.green() > 120 && C.red() < 80;
            RedInk |= C.red() > 120 && C.green() < 80 && C.blue() < 80;
        }
    EXPECT_TRUE(GreenInk);
    EXPECT_FALSE(RedInk);
    // Only hot: the hot colour.
    const TRect R1 = Cell(1);
    P()->SetItemHot(1);
    EXPECT_EQ(GrabPanel().pixel(R1.Right - 3, R1.Bottom - 3), Rgb(Red));
}

TEST_F(ItemSelectorTest, BorderColorHotGivesThePlainLookInsteadOfTheFramedPreset)
{
    AddItems(1, TSize{60, 24});
    ShowForm();
    P()->SetItemHot(0);
    const TRect R = Cell(0);
    const QRgb PanelColour = GrabPanel().pixel(1, 1);
    // The framed look leaves the panel colour in the outermost corner.
    EXPECT_EQ(GrabPanel().pixel(R.Left, R.Top), PanelColour);
    S->ItemAppearance()->SetBorderColorHot(Red);
    P()->Invalidate();
    const QImage Plain = GrabPanel();
    EXPECT_EQ(Plain.pixel(R.Left, R.Top), Rgb(Red));
    EXPECT_EQ(Plain.pixel(R.Left + R.Width() / 2, R.Top), Rgb(Red));
}

TEST_F(ItemSelectorTest, MovingOverADisabledItemClearsTheHotItemButShowsItsHint)
{
    AddItems(2);
    S->Items()->GetItem(0)->SetHint(QStringLiteral("first"));
    S->Items()->GetItem(1)->SetHint(QStringLiteral("second"));
    S->Items()->GetItem(1)->SetEnabled(false);
    ShowForm();
    const TRect R0 = Cell(0), R1 = Cell(1);
    QTest::mouseMove(P()->Handle(), QPoint(R0.Left + 5, R0.Top + 5));
    EXPECT_EQ(S->ItemHot(), 0);
    EXPECT_EQ(P()->Hint(), QStringLiteral("first"));
    QTest::mouseMove(P()->Handle(), QPoint(R1.Left + 5, R1.Top + 5));
    EXPECT_EQ(S->ItemHot(), -1);
    EXPECT_EQ(P()->Hint(), QStringLiteral("second"));
    QTest::mouseClick(P()->Handle(), Qt::LeftButton, {}, QPoint(R1.Left + 5, R1.Top + 5));
    EXPECT_EQ(S->ItemIndex(), -1);
    QTest::mouseClick(P()->Handle(), Qt::LeftButton, {}, QPoint(R0.Left + 5, R0.Top + 5));
    EXPECT_EQ(S->ItemIndex(), 0);
}

TEST_F(ItemSelectorTest, ScrollItemInViewOnlyWithTheVerticalBar)
{
    AddItems(30);
    ShowForm();
    Form->SetClientHeight(700);
    S->SetBounds(10, 10, 200, 650);
    ASSERT_FALSE(S->VertScrollBar()->IsScrollBarVisible());
    S->ScrollItemInView(29);
    EXPECT_EQ(S->VertScrollBar()->Position(), 0);
    S->SetBounds(10, 10, 200, 100);
    ASSERT_TRUE(S->VertScrollBar()->IsScrollBarVisible());
    S->SetItemIndex(29);
    const TRect R = Cell(29);
    const Integer Position = S->VertScrollBar()->Position();
    EXPECT_GT(Position, 0);
    EXPECT_LE(P()->Top() + R.Bottom - Position, S->ClientHeight());
    // Back up: the cell's top comes to the client's top.
    S->SetItemIndex(0);
    EXPECT_EQ(S->VertScrollBar()->Position(), Cell(0).Top);
}

TEST_F(ItemSelectorTest, VisibleItemCountIsZeroBeforeLayoutAndRowsTimesColumnsAfter)
{
    S->Items()->Add();
    S->Items()->Add();
    EXPECT_EQ(S->GetVisibleItemCount(), 0);
    S->SetColumns(2);
    AddItems(0);
    S->SetBounds(10, 10, 200, 65);
    EXPECT_EQ(S->GetVisibleItemCount(), 65 / 20 * 2);
}

TEST_F(ItemSelectorTest, OnDrawItemRunsAfterTheBackgroundIsPainted)
{
    AddItems(2);
    PlainColours();
    std::vector<Integer> Drawn;
    S->OnDrawItem = [&](TObject* Sender, TCanvas*, const TRect&, Integer Index) {
        EXPECT_EQ(Sender, P());
        Drawn.push_back(Index);
    };
    ShowForm();
    S->SetItemIndex(1);
    const QImage Image = GrabPanel();
    const TRect R = Cell(1);
    EXPECT_EQ(Image.pixel(R.Left + R.Width() / 2, R.Top + R.Height() / 2), Rgb(Blue));
    EXPECT_NE(std::find(Drawn.begin(), Drawn.end(), 1), Drawn.end());
}

TEST_F(ItemSelectorTest, TheFourCaptionLayoutsPlaceCaptionAndBox)
{
    S->SetSelectorType(stColor);
    S->Items()->Add()->SetCaption(QStringLiteral("<font size=\"12\">WWW</font>"));
    S->Items()->GetItem(0)->SetColor(Red);
    ShowForm();
    struct TCase {
        TItemLayout Layout;
        // Where the box lies against the content's left and top (-1: not
        // at it), and whether it is centred across.
        bool AtLeft, AtTop, CentredAcross;
    };
    for (const TCase& C : {TCase{ilCaptionRight, true, true, false}, TCase{ilCaptionLeft, false, true, false},
                           TCase{ilCaptionBottom, false, true, true}, TCase{ilCaptionTop, false, false, true}}) {
        S->SetItemLayout(C.Layout);
        S->UpdateSelectorPanel();
        const TRect R = Cell(0);
        const TRect Box = BoxOf(GrabPanel(), Rgb(Red), R);
        ASSERT_EQ(Box.Width(), 14 - 2) << int(C.Layout);
        // The box's inside (its frame is black) at content left + 1.
        EXPECT_EQ(Box.Left == R.Left + 4 + 1, C.AtLeft) << int(C.Layout);
        EXPECT_EQ(Box.Top == R.Top + 4 + 1, C.AtTop) << int(C.Layout);
        const Integer Centre = R.Left + 4 + (R.Width() - 8 - 14) / 2 + 1;
        EXPECT_EQ(Box.Left == Centre, C.CentredAcross) << int(C.Layout);
        if (C.Layout == ilCaptionLeft) {
            EXPECT_GT(Box.Left, R.Left + R.Width() / 2);
        }
        if (C.Layout == ilCaptionTop) {
            EXPECT_GT(Box.Top, R.Top + R.Height() / 2);
        }
    }
}

TEST_F(ItemSelectorTest, APanelNeedsAnItemSelectorAsOwner)
{
    try {
        TCustomItemSelector Panel(Form.get());
        FAIL() << "no exception";
    } catch (const Exception& E) {
        EXPECT_EQ(E.Message(), QStringLiteral("Invalid parent"));
    }
}

TEST_F(ItemSelectorTest, AppearancePresetsAndAssignOrder)
{
    TItemAppearance A(nullptr), B(nullptr);
    EXPECT_EQ(A.ColorStyle(), scOffice2007);
    EXPECT_EQ(A.ColorHot(), TColor(0xD7FFFD));
    A.SetColorStyle(scWindows7);
    EXPECT_EQ(A.ColorMirrorHot(), clNone);
    EXPECT_EQ(A.BorderColor(), TColor(0xCEA27D));
    // The source's preset differs from B's: its colours win over the copied ones.
    A.SetColorHot(Red);
    B.Assign(&A);
    EXPECT_EQ(B.ColorStyle(), scWindows7);
    EXPECT_EQ(B.ColorHot(), TColor(0xFCEBDC));
    // The same preset: the copied colour stays.
    B.SetColorHot(Green);
    A.Assign(&B);
    EXPECT_EQ(A.ColorHot(), Green);
    A.SetColorStyle(scCustom);
    EXPECT_EQ(A.ColorHot(), Green);
}
