// What the string grid draws around its cells, probed on grabbed images of
// a grid shown offscreen: the coloured frame, the background outside the
// cells, the move lines; the glow window that follows the edited cell and
// its window hook; the balloon text; the design-time panel; the picker
// editors' date change.
#include "ExGridEditTestSupport.h"
#include "ExGridTestForm.h"

#include "grid/control/ExGrid_Balloon.h"
#include "grid/control/ExGrid_Editors.h"
#include "rtl/ComCtrls.h"

#include <QImage>
#include <QStyleFactory>
#include <QWidget>

#include <cmath>

namespace {

constexpr TColor GridColor = RGB(250, 240, 230);

class ExGridDecorationsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion"))); }

    void SetUp() override
    {
        G.SetScrollBars(ssNone);
        G.SetBounds(10, 10, 400, 200);
        G.SetColCount(4);
        G.SetRowCount(5);
        G.SetDefaultColWidth(60);
        G.SetDefaultRowHeight(24);
        G.SetColor(GridColor);
    }

    void Show() { ShowWithFocus(F.Form.get(), &G); }
    // The grid's whole window; the first painting settles the frame's colour.
    QImage GrabWindow() const
    {
        G.Handle()->grab();
        return G.Handle()->grab().toImage();
    }
    QImage GrabClient() const { return G.ClientWidget()->grab().toImage(); }
    static TColor At(const QImage& I, Integer X, Integer Y) { return QColorToColor(I.pixelColor(X, Y)); }
    static int Count(const QImage& I, TColor Color)
    {
        int N = 0;
        for (int Y = 0; Y < I.height(); ++Y)
            for (int X = 0; X < I.width(); ++X)
                N += At(I, X, Y) == Color;
        return N;
    }

    TExGridForm F;
    TTestExGrid& G = *F.Grid;
};

} // namespace

// ---------------------------------------------------------------- border

TEST_F(ExGridDecorationsTest, OnlyTheFlatLooksWithAColourAndNoFlatSettingGetTheColouredFrame)
{
    struct TCase {
        TGridLook Look;
        bool Flat;
        TColor Border;
        bool Coloured;
    };
    const TCase Cases[] = {
        {glXP, false, clRed, true},         {glSoft, false, clRed, true},     {glOffice2007, false, clRed, true},
        {glWin7, false, clRed, true},       {glListView, false, clRed, true}, {glStandard, false, clRed, false},
        {glClassic, false, clRed, false},   {glCustom, false, clRed, false},  {glXP, true, clRed, false},
        {glXP, false, clNone, false},
    };
    Show();
    for (const TCase& Case : Cases) {
        G.SetLook(Case.Look);
        G.SetBorderStyle(bsSingle);
        G.SetFlat(Case.Flat);
        G.SetBorderColor(Case.Border);
        const QImage I = GrabWindow();
        const std::vector<std::pair<int, int>> FramePixels = {{0, I.height() / 2}, {I.width() / 2, 0},
                                                               {I.width() - 1, I.height() / 2}};
        for (const auto& [X, Y] : FramePixels)
            EXPECT_EQ(At(I, X, Y) == clRed, Case.Coloured)
                << TExStringGrid::LookToString(Case.Look).toStdString() << " flat " << Case.Flat << " at " << X
                << "," << Y;
    }
    // Without a frame there is nothing to colour.
    G.SetLook(glXP);
    G.SetFlat(false);
    G.SetBorderColor(clRed);
    G.SetBorderStyle(bsNone);
    EXPECT_NE(At(GrabWindow(), 0, 100), clRed);
}

// ---------------------------------------------------------------- background outside the cells

TEST_F(ExGridDecorationsTest, TheGradientFillsOnlyWhatNoCellCovers)
{
    G.SetBorderStyle(bsNone);
    // The cells paint the background only where it is asked for: here in
    // the fixed cells, of which there are none.
    G.SetFixedCols(0);
    G.SetFixedRows(0);
    G.BackGround()->SetCells(bcFixed);
    G.BackGround()->SetDisplay(bdGradientVert);
    G.BackGround()->SetColor(clLime);
    G.BackGround()->SetColorTo(clLime);
    Show();
    QImage I = GrabClient();
    const TRect Last = G.CellRect(3, 4);
    EXPECT_EQ(At(I, Last.Right + 20, 10), clLime) << "right of the last column";
    EXPECT_EQ(At(I, 10, Last.Bottom + 20), clLime) << "below the last row";
    EXPECT_NE(At(I, Last.Left + 5, Last.Top + 5), clLime) << "the cells keep their own colour";

    // Cells over the whole client area: no background shows.
    G.SetColCount(20);
    G.SetRowCount(40);
    I = GrabClient();
    EXPECT_EQ(Count(I, clLime), 0);

    // A gradient whose end colour is none paints nothing.
    G.SetColCount(4);
    G.SetRowCount(5);
    G.BackGround()->SetColorTo(clNone);
    EXPECT_EQ(Count(GrabClient(), clLime), 0);
}

TEST_F(ExGridDecorationsTest, APictureIsTiledOrPlacedOutsideTheCells)
{
    G.SetBorderStyle(bsNone);
    TBitmap Picture(8, 8);
    Picture.Canvas()->Brush()->SetColor(clFuchsia);
    Picture.Canvas()->FillRect(TRect(0, 0, 8, 8));
    G.BackGround()->SetBitmap(&Picture);
    G.SetFixedCols(0);
    G.SetFixedRows(0);
    G.BackGround()->SetCells(bcAll);
    Show();
    const TRect Last = G.CellRect(3, 4);
    QImage I = GrabClient();
    EXPECT_EQ(At(I, Last.Right + 30, 100), clFuchsia) << "tiled";
    EXPECT_EQ(At(I, 390, 190), clFuchsia);

    // Placed once at its position: only where it lies.
    G.BackGround()->SetDisplay(bdFixed);
    G.BackGround()->SetLeft(Last.Right + 10);
    G.BackGround()->SetTop(20);
    I = GrabClient();
    EXPECT_EQ(At(I, Last.Right + 12, 22), clFuchsia);
    EXPECT_NE(At(I, Last.Right + 30, 100), clFuchsia);

    // bcFixed: tiling leaves it out (and no cell is fixed here).
    G.BackGround()->SetDisplay(bdTile);
    G.BackGround()->SetCells(bcFixed);
    EXPECT_EQ(Count(GrabClient(), clFuchsia), 0);
}

// ---------------------------------------------------------------- move lines

TEST_F(ExGridDecorationsTest, AMoveLineDrawnTwiceAtOnePlaceLeavesThePictureAsItWas)
{
    G.SetBorderStyle(bsNone);
    Show();
    const QImage Before = GrabClient();
    G.DrawColumnMoveLine(70);
    const QImage Once = GrabClient();
    EXPECT_NE(Once, Before);
    int Changed = 0;
    for (int Y = 0; Y < Once.height(); ++Y) {
        for (int X = 0; X < Once.width(); ++X)
            if (Once.pixel(X, Y) != Before.pixel(X, Y)) {
                EXPECT_EQ(X, 70);
                ++Changed;
            }
    }
    EXPECT_GT(Changed, Once.height() / 4) << "a dotted line down the grid";
    G.DrawColumnMoveLine(70);
    EXPECT_EQ(GrabClient(), Before);

    // Rows likewise; two lines at two places are both drawn.
    G.DrawRowMoveLine(30);
    G.DrawRowMoveLine(60);
    const QImage Two = GrabClient();
    const auto ChangedAlong = [&](int Y) {
        int N = 0;
        for (int X = 0; X < Two.width(); ++X)
            N += Two.pixel(X, Y) != Before.pixel(X, Y);
        return N;
    };
    EXPECT_GT(ChangedAlong(30), Two.width() / 4);
    EXPECT_GT(ChangedAlong(60), Two.width() / 4);
    EXPECT_EQ(ChangedAlong(45), 0);
    G.DrawRowMoveLine(30);
    G.DrawRowMoveLine(60);
    EXPECT_EQ(GrabClient(), Before);
}

// ---------------------------------------------------------------- focus glow

TEST_F(ExGridDecorationsTest, TheGlowRingsTheCellAndFollowsTheFormWhileItShows)
{
    Show();
    G.MoveToCell(2, 2);
    const TRect R = G.CellRect(2, 2);
    G.ShowFocusWindow(R);
    TGridFocusWindow* Glow = G.FFocusWindow;
    ASSERT_NE(Glow, nullptr);
    EXPECT_TRUE(Glow->Visible());
    EXPECT_EQ(FocusGrid(), &G);
    EXPECT_TRUE(GridWndHookInstalled());
    const auto Expected = [&] {
        const TPoint P = G.ClientToScreen(TPoint(R.Left, R.Top));
        return Bounds(P.X - 4, P.Y - 4, R.Width() + 9, R.Height() + 9);
    };
    EXPECT_EQ(Glow->BoundsRect(), Expected());
    const QRegion Ring = Glow->Handle()->mask();
    EXPECT_TRUE(Ring.contains(QPoint(0, 0)));
    EXPECT_TRUE(Ring.contains(QPoint(3, 3)));
    EXPECT_FALSE(Ring.contains(QPoint(4, 4))) << "the cell itself is a hole";
    EXPECT_FALSE(Ring.contains(QPoint(4 + R.Width() - 1, 4 + R.Height() - 1)));
    EXPECT_TRUE(Ring.contains(QPoint(4 + R.Width(), 4 + R.Height())));
    EXPECT_TRUE(Ring.contains(QPoint(R.Width() + 8, R.Height() + 8)));

    // The form moves: the glow moves with it.
    F.Form->SetLeft(F.Form->Left() + 37);
    F.Form->SetTop(F.Form->Top() + 11);
    ASSERT_TRUE(QTest::qWaitFor([&] { return Glow->BoundsRect() == Expected(); }, 2000))
        << Glow->BoundsRect().Left << " " << Expected().Left;

    // Hidden, the glow stays where it is when windows move.
    G.HideFocusWindow();
    EXPECT_FALSE(Glow->Visible());
    EXPECT_EQ(FocusGrid(), nullptr);
    const TRect Left = Glow->BoundsRect();
    F.Form->SetLeft(F.Form->Left() + 25);
    QTest::qWait(50);
    EXPECT_EQ(Glow->BoundsRect(), Left);
}

TEST_F(ExGridDecorationsTest, AGridThatGoesWhileItsGlowShowsIsForgotten)
{
    Show();
    auto* Other = new TTestExGrid(F.Form.get());
    Other->SetParent(F.Form.get());
    Other->ShowFocusWindow(TRect(0, 0, 20, 20));
    ASSERT_EQ(FocusGrid(), Other);
    // Hiding another grid's glow leaves this one followed.
    G.HideFocusWindow();
    EXPECT_EQ(FocusGrid(), Other);
    delete Other;
    EXPECT_EQ(FocusGrid(), nullptr);
    F.Form->SetLeft(F.Form->Left() + 5);
    QTest::qWait(20);
}

// ---------------------------------------------------------------- balloon

TEST_F(ExGridDecorationsTest, TheBalloonTextIsTheCellsPlainTextCutAt2048)
{
    Show();
    auto* Balloon = new TGridBalloonWindow(&G);
    G.Balloon()->SetEnable(true);
    const TRect Cell = G.CellRect(1, 1);
    const TPoint Mid = CenterPoint(Cell);
    struct TCase {
        String Cell;
        String Shown;
    };
    const String Long(3000, u'a');
    const String Exact(2048, u'b');
    const TCase Cases[] = {
        {Long, Long.left(2045) + "..."},
        {Exact, Exact},
        {"ab\tc\t", "ab c "},
        {"\r\n\nline", "line"},
        {"<b>bold</b> word", "bold word"},
    };
    for (const TCase& Case : Cases) {
        G.SetCells(1, 1, Case.Cell);
        Balloon->Activate(Mid);
        EXPECT_EQ(Balloon->Text(), Case.Shown) << Case.Cell.left(20).toStdString();
        EXPECT_TRUE(Balloon->Visible());
    }
    EXPECT_EQ(Balloon->Title(), " ");
    EXPECT_EQ(Balloon->Icon(), biInfo);
    EXPECT_EQ(Balloon->MaxTipWidth(), 300);
    EXPECT_EQ(G.LastBalloonPos(), TPoint(1, 1));
    EXPECT_LE(Balloon->Width(), 300);
}

TEST_F(ExGridDecorationsTest, TheBalloonTakesTheCellsOwnTextsTheEventsAndTheColours)
{
    Show();
    auto* Balloon = new TGridBalloonWindow(&G);
    const TPoint Mid = CenterPoint(G.CellRect(2, 3));
    G.SetCells(2, 3, "text");
    // Off: no answer, no balloon.
    Balloon->Activate(Mid);
    EXPECT_FALSE(Balloon->Visible());
    EXPECT_EQ(G.LastBalloonPos(), TPoint(-1, -1));

    G.Balloon()->SetEnable(true);
    G.Balloon()->SetTextColor(clRed);
    G.Balloon()->SetBackgroundColor(clYellow);
    G.AddBalloon(2, 3, "Own title", "Own text", biWarning);
    Balloon->Activate(Mid);
    EXPECT_EQ(Balloon->Text(), "Own text");
    EXPECT_EQ(Balloon->Title(), "Own title");
    EXPECT_EQ(Balloon->Icon(), biWarning);
    EXPECT_EQ(Balloon->TipTextColor(), clRed);
    EXPECT_EQ(Balloon->TipBkColor(), clYellow);

    G.OnCellBalloon = [](TObject*, Integer ACol, Integer ARow, String& ATitle, String& AText, Integer& AIcon) {
        EXPECT_EQ(ACol, 2);
        EXPECT_EQ(ARow, 3);
        ATitle = String(120, u't');
        AText = "from the event";
        AIcon = biError;
    };
    Balloon->Activate(Mid);
    EXPECT_EQ(Balloon->Title(), String(97, u't') + "...");
    EXPECT_EQ(Balloon->Text(), "from the event");
    EXPECT_EQ(Balloon->Icon(), biError);

    // Outside the cells nothing shows.
    G.SetColCount(2);
    G.SetRowCount(2);
    Balloon->Activate(TPoint(390, 190));
    EXPECT_FALSE(Balloon->Visible());
    // The platform's show and pop notifications are taken without effect.
    TNMHdr Show{Balloon->Handle(), 0, TTN_SHOW};
    EXPECT_EQ(G.Perform(WM_NOTIFY, 0, LPARAM(&Show)), 0);
}

// ---------------------------------------------------------------- design-time panel

TEST_F(ExGridDecorationsTest, TheDesignPanelsEntriesSwitchEditingColumnNumbersTheLookAndItself)
{
    G.SetBorderStyle(bsNone);
    const TRect Client = G.ClientRect();
    const Integer H = [] {
        TBitmap B(1, 1);
        B.Canvas()->Font()->SetName("Tahoma");
        B.Canvas()->Font()->SetSize(8);
        return B.Canvas()->TextHeight("gh");
    }();
    const Integer Top = Client.Bottom - 4 * H - 18;
    const Integer X = Client.Right - 145;
    const TPoint AllowEdit(X, Top + H + 2 + 4 + H / 2 + 1);
    const TPoint Numbers(X, Top + 2 * (H + 2) + 4 + H / 2 + 1);
    const TPoint Look(X, Top + 3 * (H + 2) + 4 + H / 2 + 1);
    const TPoint Close(Client.Right - 8, Top + 8);
    EXPECT_EQ(G.DesignHelperHitTest(AllowEdit.X, AllowEdit.Y), 1);
    EXPECT_EQ(G.DesignHelperHitTest(Numbers.X, Numbers.Y), 2);
    EXPECT_EQ(G.DesignHelperHitTest(Look.X, Look.Y), 3);
    EXPECT_EQ(G.DesignHelperHitTest(Close.X, Close.Y), 4);
    EXPECT_EQ(G.DesignHelperHitTest(10, 10), -1);

    // The designer is told the grid takes clicks on the entries.
    TWMMouse Hit{CM_DESIGNHITTEST, 0, SmallInt(Numbers.X), SmallInt(Numbers.Y), 0};
    G.CMDesignHitTest(Hit);
    EXPECT_EQ(Hit.Result, 1);
    TWMMouse Miss{CM_DESIGNHITTEST, 0, 10, 10, 0};
    G.CMDesignHitTest(Miss);
    EXPECT_EQ(Miss.Result, 0);

    const bool Editing = G.Options().Contains(goEditing);
    G.DesignHelperClick(AllowEdit.X, AllowEdit.Y);
    EXPECT_EQ(G.Options().Contains(goEditing), !Editing);
    G.DesignHelperClick(Numbers.X, Numbers.Y);
    EXPECT_TRUE(G.ShowColNrs());

    Show();
    G.SetLook(glXP);
    G.DesignHelperClick(Look.X, Look.Y);
    auto* Menu = dynamic_cast<TPopupMenu*>(G.FindComponent("DesignLookMenu"));
    ASSERT_NE(Menu, nullptr);
    QStringList Captions;
    for (Integer I = 0; I < Menu->Items()->Count(); ++I)
        Captions << Menu->Items()->Items(I)->Caption();
    EXPECT_EQ(Captions.join(','),
              "Standard,Soft,Classic,QVX,ListView,Office 2007,Windows XP,Windows Vista,Windows 7");
    EXPECT_TRUE(Menu->Items()->Items(6)->Checked());
    Menu->Items()->Items(5)->Click();
    EXPECT_EQ(G.Look(), glOffice2007);
    Menu->ClosePopup();

    G.DesignHelperClick(Close.X, Close.Y);
    EXPECT_FALSE(G.ShowDesignHelper());
}

TEST_F(ExGridDecorationsTest, TheDesignPanelPaintsOnlyWhileDesigning)
{
    G.SetBorderStyle(bsNone);
    Show();
    const QImage Running = GrabClient();
    EXPECT_EQ(Count(Running, ColorToRGB(clInfoBk)), 0);
    G.SetDesigning(true);
    const QImage Designing = GrabClient();
    EXPECT_GT(Count(Designing, ColorToRGB(clInfoBk)), 100);
    EXPECT_EQ(At(Designing, 399, 199), clGray) << "the panel's frame in the corner";
    G.SetShowDesignHelper(false);
    EXPECT_EQ(Count(GrabClient(), ColorToRGB(clInfoBk)), 0);
    G.SetDesigning(false);
}

// ---------------------------------------------------------------- date-picker relay


TEST_F(ExGridEditTest, ThePickerEditorsDateChangeReachesOnDateTimeChange)
{
    EditorsByColumn({{2, edDateEdit}});
    struct TChange {
        Integer Col, Row;
        TDateTime Value;
    };
    std::vector<TChange> Changes;
    Grid->OnDateTimeChange = [&](TObject* Sender, Integer ACol, Integer ARow, TDateTime ADateTime) {
        EXPECT_EQ(Sender, Grid);
        Changes.push_back({ACol, ARow, ADateTime});
    };
    const TDateTime Start = EncodeDate(2024, 3, 5);
    Grid->SetCells(2, 1, DateToStr(Start));
    Open(2, 1);
    TGridDatePicker* Picker = Grid->DateTimePicker();
    ASSERT_TRUE(Picker->Visible());
    Key(Qt::Key_Up);
    ASSERT_EQ(Changes.size(), 1u);
    EXPECT_EQ(Changes[0].Col, 2);
    EXPECT_EQ(Changes[0].Row, 1);
    EXPECT_NE(std::trunc(Changes[0].Value), Start);
    EXPECT_EQ(std::trunc(Changes[0].Value), std::trunc(Picker->DateTime())) << "the picker's own value";

    // A record without a day gives 0; other controls' notifications are not relayed.
    TNMDateTimeChange NoDay;
    NoDay.nmhdr.hwndFrom = Picker->Handle();
    NoDay.nmhdr.code = DTN_DATETIMECHANGE;
    NoDay.st.wYear = 2024;
    NoDay.st.wMonth = 3;
    Grid->Perform(WM_NOTIFY, 0, LPARAM(&NoDay.nmhdr));
    ASSERT_EQ(Changes.size(), 2u);
    EXPECT_EQ(Changes[1].Value, 0);
    TNMDateTimeChange Foreign = NoDay;
    Foreign.nmhdr.hwndFrom = Form->Handle();
    Grid->Perform(WM_NOTIFY, 0, LPARAM(&Foreign.nmhdr));
    EXPECT_EQ(Changes.size(), 2u);
}
