// The grid unit's start and end, the window procedure, the grid timer, the
// update lock, the cursors and the control messages.
#include "ExGridOnForm.h"

#include "rtl/ActiveX.h"
#include "rtl/Windows.h"

#include <QAbstractScrollArea>
#include <QMimeData>
#include <QPaintEvent>
#include <QRegion>

namespace {

class TWndGrid : public TTestExGrid {
public:
    using TTestExGrid::TTestExGrid;
    using TExStringGrid::CMCursorChanged;
    using TExStringGrid::FCellSelectorMode;
    using TExStringGrid::HasCellBorderEvent;
    using TExStringGrid::UseVCLStyles;
    using TExStringGrid::FGridBlink;
    using TExStringGrid::FSizeFixed;
    using TExStringGrid::FTimerTicks;
    using TExStringGrid::FUpdateCount;
    using TExStringGrid::Invokedchange;
    using TExStringGrid::SearchInc;
    using TExStringGrid::WMTimer;
};

struct TWndForm : TGridOnForm<TWndGrid> {
    void Tick()
    {
        TWMTimer T{WM_TIMER, 111, 0, 0};
        Grid->WMTimer(T);
    }
};

// Collects the regions the grid's cells are painted in.
class TPaintRecorder : public QObject {
public:
    QRegion Painted;

protected:
    bool eventFilter(QObject*, QEvent* Event) override
    {
        if (Event->type() == QEvent::Paint)
            Painted += static_cast<QPaintEvent*>(Event)->region();
        return false;
    }
};

} // namespace

// ---------------------------------------------------------------- unit start

TEST(ExGridUnit, StartsOnceNestsAndEndsOnce)
{
    // The test main started the unit.
    ASSERT_TRUE(ExGridUnitStarted());
    EXPECT_TRUE(GridWndHookInstalled());
    const UINT EditDone = WM_GRIDEDITDONE;
    EXPECT_GE(EditDone, 0xC000u);
    EXPECT_EQ(RegisterWindowMessage("GridEditDone"), EditDone) << "same name, same number";
    EXPECT_EQ(RegisterWindowMessage("DTPShiftFocus"), WM_GRIDDTPSHIFTFOCUS);
    EXPECT_NE(WM_GRIDDTPSHIFTFOCUS, EditDone);
    EXPECT_EQ(RegisterClipboardFormat("TExStringGrid Cells"), CF_GRIDCELLS);

    InitExGridUnit();  // reached a second time: nothing new
    EXPECT_EQ(WM_GRIDEDITDONE, EditDone);
    DoneExGridUnit();
    EXPECT_TRUE(GridWndHookInstalled()) << "the first start's end is still to come";
    DoneExGridUnit();
    EXPECT_FALSE(GridWndHookInstalled());
    EXPECT_FALSE(ExGridUnitStarted());
    DoneExGridUnit();  // an end too many changes nothing
    EXPECT_FALSE(ExGridUnitStarted());
    InitExGridUnit();
    EXPECT_TRUE(GridWndHookInstalled());
}

TEST(ExGridUnit, TheCellsFormatTravelsUnderTheGridsMimeType)
{
    const QByteArray Block("\x03\0\0\0\0\0\0\0abc", 11);
    QMimeData Data;
    PutClipBlockIntoMimeData(Data, CF_GRIDCELLS, Block);
    EXPECT_TRUE(Data.hasFormat(QString::fromLatin1(GridCellsMimeType)));
    EXPECT_EQ(Data.data(QString::fromLatin1(GridCellsMimeType)), Block);
}

TEST(ExGridUnit, AFocusFrameFollowsItsCellWhenTheWindowMoves)
{
    TExGridForm F;
    F.Form->Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(F.Form->Handle()));
    F.Grid->MoveToCell(2, 3);
    const TRect R = F.Grid->CellRect(2, 3);
    F.Grid->ShowFocusWindow(R);
    F.Form->SetLeft(F.Form->Left() + 40);
    const TPoint P = F.Grid->ClientToScreen(TPoint(R.Left, R.Top));
    EXPECT_TRUE(QTest::qWaitFor([&] { return F.Grid->FFocusWindow->Left() == P.X - 4; }, 2000));
    F.Grid->HideFocusWindow();
}

// ---------------------------------------------------------------- edit done message

TEST(ExGridWndProc, GridEditDoneRaisesOnEditCellDoneFromTheQueue)
{
    TWndForm F;
    std::vector<std::pair<Integer, Integer>> Done;
    F.Grid->OnEditCellDone = [&](TObject* Sender, Integer ACol, Integer ARow) {
        EXPECT_EQ(Sender, F.Grid);
        Done.emplace_back(ACol, ARow);
    };
    PostMessage(F.Grid->Handle(), WM_GRIDEDITDONE, 3, 2);
    EXPECT_TRUE(Done.empty()) << "later, from the queue";
    QApplication::processEvents();
    ASSERT_EQ(Done.size(), 1u);
    EXPECT_EQ(Done[0], std::make_pair(3, 2));

    F.Grid->SetOptions(F.Grid->Options() + goEditing);
    F.Grid->MouseActions()->SetEditOnDblClickOnly(true);
    F.Grid->Perform(WM_GRIDEDITDONE, 1, 1);
    EXPECT_FALSE(F.Grid->Options().Contains(goEditing)) << "editing ends with EditOnDblClickOnly";
}

// ---------------------------------------------------------------- update lock

TEST(ExGridWndProc, TheUpdateLockCountsAndEndsWithARepaint)
{
    TWndForm F;
    F.Show();
    // Without a BeginUpdate: stays 0 and repaints.
    F.Grid->Paints = 0;
    F.Grid->EndUpdate();
    EXPECT_EQ(F.Grid->FUpdateCount, 0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return F.Grid->Paints > 0; }, 1000));

    F.Grid->BeginUpdate();
    F.Grid->BeginUpdate();
    EXPECT_TRUE(F.Grid->LockUpdate());
    F.Grid->Paints = 0;
    F.Grid->Invalidate();
    QTest::qWait(30);
    EXPECT_EQ(F.Grid->Paints, 0) << "no painting under the lock";
    F.Grid->EndUpdate();
    EXPECT_TRUE(F.Grid->LockUpdate()) << "nested";
    F.Grid->EndUpdate();
    EXPECT_FALSE(F.Grid->LockUpdate());
    EXPECT_TRUE(QTest::qWaitFor([&] { return F.Grid->Paints > 0; }, 1000));

    F.Grid->SetLockUpdate(true);
    EXPECT_EQ(F.Grid->FUpdateCount, 1);
    F.Grid->SetLockUpdate(false);
    EXPECT_EQ(F.Grid->FUpdateCount, 0);
}

TEST(ExGridWndProc, StartAndResetUpdateChangeOnlyTheCounter)
{
    TWndForm F;  // never shown
    F.Grid->StartUpdate();
    EXPECT_TRUE(F.Grid->LockUpdate()) << "an invisible grid counts too";
    F.Grid->StartUpdate();
    F.Grid->StartUpdate();
    F.Grid->ResetUpdate();
    EXPECT_FALSE(F.Grid->LockUpdate()) << "whatever the depth";
}

TEST(ExGridWndProc, ALockReleasedWhileHiddenLetsTheGridPaintWhenShownAgain)
{
    TWndForm F;
    F.Show();
    F.Grid->BeginUpdate();
    F.Grid->SetVisible(false);
    F.Grid->EndUpdate();
    EXPECT_FALSE(F.Grid->LockUpdate());
    F.Grid->Paints = 0;
    F.Grid->SetVisible(true);
    F.Grid->Invalidate();
    EXPECT_TRUE(QTest::qWaitFor([&] { return F.Grid->Paints > 0; }, 1000));
}

// ---------------------------------------------------------------- grid timer

TEST(ExGridWndProc, TheIncrementalSearchEmptiesOnTheFourthIdleTick)
{
    TWndForm F;
    F.Grid->Navigation()->SetAutoGotoIncremental(true);
    F.Grid->SearchInc = "ab";
    for (int I = 0; I < 3; ++I) {
        F.Tick();
        EXPECT_EQ(F.Grid->SearchInc, "ab") << "tick " << I + 1;
    }
    F.Tick();
    EXPECT_EQ(F.Grid->SearchInc, "");
    EXPECT_EQ(F.Grid->FTimerTicks, 4);

    // Another timer goes to the platform grid only.
    TWMTimer Other{WM_TIMER, 7, 0, 0};
    F.Grid->WMTimer(Other);
    EXPECT_EQ(F.Grid->FTimerTicks, 4);
}

TEST(ExGridWndProc, BlinkingRepaintsOnlyTheCellsWithTheBlinkTag)
{
    TWndForm F;
    F.Grid->SetColCount(5);
    F.Grid->SetRowCount(6);
    F.Grid->SetCells(1, 1, "<BLINK>on</BLINK>");
    F.Grid->SetCells(3, 2, "<bli>low");
    F.Grid->SetCells(2, 4, "plain");
    F.Grid->SetCells(4, 0, "<blink>head</blink>");
    F.Show();
    auto* Viewport = F.Grid->ClientWidget();
    TPaintRecorder Recorder;
    Viewport->installEventFilter(&Recorder);
    QApplication::processEvents();
    Recorder.Painted = QRegion();

    F.Tick();
    EXPECT_FALSE(F.Grid->FGridBlink) << "EnableBlink off: no phase change";
    F.Grid->SetEnableBlink(true);
    F.Tick();
    EXPECT_TRUE(F.Grid->FGridBlink);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !Recorder.Painted.isEmpty(); }, 1000));
    QApplication::processEvents();
    QRegion Expected;
    for (const auto& [C, R] : {std::pair(1, 1), std::pair(3, 2), std::pair(4, 0)}) {
        const TRect Cell = F.Grid->CellRect(C, R);
        Expected += QRect(Cell.Left, Cell.Top, Cell.Width(), Cell.Height());
    }
    EXPECT_TRUE(Expected.subtracted(Recorder.Painted).isEmpty()) << "every blinking cell repainted";
    const TRect Plain = F.Grid->CellRect(2, 4);
    EXPECT_FALSE(Recorder.Painted.intersects(QRect(Plain.Left + 2, Plain.Top + 2, 4, 4))) << "others left alone";
    Viewport->removeEventFilter(&Recorder);
}

// ---------------------------------------------------------------- cursors and control messages

TEST(ExGridWndProc, SelectModesShowTheGridsOwnCursors)
{
    TWndForm F;
    F.Show();
    auto CursorFor = [&](TMouseSelectMode Mode) {
        F.Grid->FMouseSelectMode = Mode;
        F.Grid->Perform(WM_SETCURSOR, 0, LPARAM(30) | (LPARAM(30) << 16));
        return F.Grid->ClientWidget()->cursor();
    };
    for (const auto& [Mode, Number] : {std::pair(msRow, 8010), std::pair(msColumn, 8011), std::pair(msAll, 8012),
                                       std::pair(msResize, 8012)}) {
        const QCursor Shown = CursorFor(Mode);
        ASSERT_NE(Screen->Cursors(Number), nullptr) << Number;
        EXPECT_EQ(Shown.shape(), Qt::BitmapCursor) << Number;
        EXPECT_EQ(Shown.pixmap().toImage(), Screen->Cursors(Number)->pixmap().toImage()) << Number;
    }
    F.Grid->FMouseSelectMode = msNormal;
    F.Grid->FCellSelectorMode = true;
    F.Grid->Perform(WM_SETCURSOR, 0, LPARAM(30) | (LPARAM(30) << 16));
    EXPECT_EQ(F.Grid->ClientWidget()->cursor().pixmap().toImage(), Screen->Cursors(8014)->pixmap().toImage());
    F.Grid->FCellSelectorMode = false;
    F.Grid->FSizeFixed = true;
    F.Grid->Perform(WM_SETCURSOR, 0, LPARAM(30) | (LPARAM(30) << 16));
    EXPECT_EQ(F.Grid->ClientWidget()->cursor().shape(), Qt::SplitHCursor);
}

TEST(ExGridWndProc, ACursorChangeOfOthersEndsTheSelectMode)
{
    TWndForm F;
    F.Grid->FMouseSelectMode = msRow;
    F.Grid->Invokedchange = true;
    F.Grid->SetCursor(crHandPoint);
    EXPECT_EQ(F.Grid->FMouseSelectMode, msRow) << "the grid's own change";
    EXPECT_FALSE(F.Grid->Invokedchange);
    F.Grid->SetCursor(crDefault);
    EXPECT_EQ(F.Grid->FMouseSelectMode, msNormal);
}

TEST(ExGridWndProc, HoverFixedCellsFollowTheMode)
{
    TWndForm F;
    F.Grid->SetFixedCols(1);
    F.Grid->SetFixedRows(1);
    struct Case {
        THoverFixedCells Mode;
        bool Col0, Row0, Data;
    };
    for (const Case& C : {Case{hfNone, false, false, false}, Case{hfAll, true, true, false},
                          Case{hfFixedRows, false, true, false}, Case{hfFixedColumns, true, false, false}}) {
        F.Grid->SetHoverFixedCells(C.Mode);
        EXPECT_EQ(F.Grid->IsHoverFixedCell(0, 2), C.Col0) << GetEnumName(C.Mode).toStdString();
        EXPECT_EQ(F.Grid->IsHoverFixedCell(2, 0), C.Row0) << GetEnumName(C.Mode).toStdString();
        EXPECT_EQ(F.Grid->IsHoverFixedCell(2, 2), C.Data) << GetEnumName(C.Mode).toStdString();
    }
}

TEST(ExGridWndProc, SmallAnswers)
{
    TWndForm F;
    EXPECT_FALSE(F.Grid->HasCellBorderEvent());
    F.Grid->OnGetCellBorder = [](TObject*, Integer, Integer, TPen*, TCellBorders&) {};
    EXPECT_TRUE(F.Grid->HasCellBorderEvent());
    EXPECT_NE(F.Grid->FooterCanvas(), nullptr);
    F.Grid->ApplyVCLStyleColors();
    EXPECT_FALSE(F.Grid->UseVCLStyles());
    EXPECT_EQ(F.Grid->VersionNr(), 100794627);
    EXPECT_EQ(F.Grid->VersionString(), "6.2.1.3 Sep, 2012");
}

TEST(ExGridWndProc, ChangedSettingsRepaintWhatTheyShow)
{
    TWndForm F;
    F.Show();
    QWidget* Viewport = F.Grid->ClientWidget();
    TPaintRecorder Recorder;
    Viewport->installEventFilter(&Recorder);
    QApplication::processEvents();
    Recorder.Painted = QRegion();
    F.Grid->ShowModified()->SetColor(clRed);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !Recorder.Painted.isEmpty(); }, 1000));
    EXPECT_LE(Recorder.Painted.boundingRect().right(), F.Grid->CellRect(0, 0).Right) << "column 0 only";

    Recorder.Painted = QRegion();
    F.Grid->Bands()->SetActive(true);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !Recorder.Painted.isEmpty(); }, 1000));
    EXPECT_GT(Recorder.Painted.boundingRect().right(), F.Grid->CellRect(2, 0).Right) << "the whole grid";
    Viewport->removeEventFilter(&Recorder);
}
