// The string grid: what it draws around its cells. The coloured frame of
// the flat looks, the background outside the cells, the glow around the
// edited cell, the move lines, and the window's notifications (the picker
// editors' date change; the balloon's text request is in ExGrid_Balloon.cpp).
#include "grid/control/ExGrid.h"

#include "grid/control/ExGrid_Editors.h"
#include "rtl/ComCtrls.h"
#include "rtl/WindowHooks.h"

#include <algorithm>

namespace {

// The grid that last showed its glow; the window hook moves its glow.
TExStringGrid* TheFocusGrid = nullptr;

// How far the glow reaches out of its cell, and how much larger it is.
constexpr Integer GlowOffset = 4;
constexpr Integer GlowGrowth = 9;

bool HasColouredBorderLook(TGridLook Look)
{
    switch (Look) {
    case glSoft: case glQVX: case glXP: case glListView: case glVista: case glWin7: case glOffice2007:
        return true;
    default:
        return false;
    }
}

} // namespace

TExStringGrid* FocusGrid()
{
    return TheFocusGrid;
}

// ---------------------------------------------------------------- border

void TExStringGrid::PaintBorder()
{
    const bool Coloured = HasColouredBorderLook(FLook) && BorderStyle() == bsSingle && FBorderColor != clNone &&
                          !FFlat && (FFitCellsInGrid || FIsComCtl6);
    SetFrameColor(Coloured ? FBorderColor : clNone);
}

// ---------------------------------------------------------------- background outside the cells

void TExStringGrid::PaintBackgroundOutside()
{
    const TBackGroundDisplay Display = FBackGround->Display();
    const bool Gradient = Display == bdGradientHorz || Display == bdGradientVert;
    if (Gradient && FBackGround->ColorTo() == clNone)
        return;
    TRect Client = ClientRect();
    if (FSearchFooter->Visible())
        Client.Bottom -= 32;
    if (FFloatingFooter->Visible())
        Client.Bottom -= FFooterPanel->Height();
    // The last column's and the last row's cells, empty when out of view.
    const TRect LastColumn = CellRect(ColCount() - 1, TBaseGrid::FixedRows() > 0 ? 0 : TopRow());
    const TRect LastRow = CellRect(TBaseGrid::FixedCols() > 0 ? 0 : LeftCol(), RowCount() - 1);
    std::vector<TRect> Free;
    if (!IsRectEmpty(LastColumn) && LastColumn.Right + GridLineWidth() < Client.Right)
        Free.push_back(TRect(LastColumn.Right + GridLineWidth(), 0, Client.Right, Client.Bottom));
    if (!IsRectEmpty(LastRow) && LastRow.Bottom + GridLineWidth() < Client.Bottom)
        Free.push_back(TRect(0, LastRow.Bottom + GridLineWidth(), Client.Right, Client.Bottom));
    if (Free.empty())
        return;
    TCanvas* C = Canvas();
    C->SaveClipping();
    C->SelectClipRgn(Free);
    TBitmap* Picture = FBackGround->Bitmap();
    const bool HasPicture = Picture && !Picture->Empty();
    if (!HasPicture) {
        if (Gradient)
            FillGradient(C, FBackGround->Color(), FBackGround->ColorTo(), 128, Client, Display == bdGradientHorz);
    } else if (Display != bdTile) {
        CopyBackgroundBitmap(Client);
    } else if (FBackGround->Cells() != bcFixed) {
        TRect R = Client;
        if (FBackGround->Cells() == bcNormal) {
            const TRect First = CellRect(LeftCol(), TopRow());
            R.Left = First.Left;
            R.Top = First.Top;
        }
        R.Left += FXYOffset.X;
        R.Top += FXYOffset.Y;
        TileBackgroundBitmap(R);
    }
    C->RestoreClipping();
}

void TExStringGrid::CopyBackgroundBitmap(TRect R)
{
    TBitmap* Picture = FBackGround->Bitmap();
    const TRect Placed = Bounds(FBackGround->Left(), FBackGround->Top(), Picture->Width(), Picture->Height());
    TRect Overlap;
    if (!IntersectRect(Overlap, Placed, R))
        return;
    const TRect Source(Overlap.Left - Placed.Left, Overlap.Top - Placed.Top, Overlap.Right - Placed.Left,
                       Overlap.Bottom - Placed.Top);
    Canvas()->CopyRect(Overlap, Picture->Canvas(), Source);
}

void TExStringGrid::TileBackgroundBitmap(TRect R)
{
    TBitmap* Picture = FBackGround->Bitmap();
    const Integer W = Picture->Width();
    const Integer H = Picture->Height();
    if (W <= 0 || H <= 0)
        return;
    for (Integer Y = R.Top - 1; Y < R.Bottom; Y += H)
        for (Integer X = R.Left - 1; X < R.Right; X += W) {
            const Integer CW = std::min(W, R.Right - X);
            const Integer CH = std::min(H, R.Bottom - Y);
            Canvas()->CopyRect(Bounds(X, Y, CW, CH), Picture->Canvas(), TRect(0, 0, CW, CH));
        }
}

// ---------------------------------------------------------------- focus glow

// A 24-bit picture of the glow's colour under a blurred rounded outline,
// shown with per-pixel alpha; without the mask's height nothing changes.
void ApplyAlphaMask(TWinControl* Window, TGridAlphaMask* Mask)
{
    if (Mask->Height() <= 0)
        return;
    const TSize Size{Mask->Width(), Mask->Height()};
    const TPoint Origin(0, 0);
    TBlendFunction Blend;
    Blend.SourceConstantAlpha = Mask->Opacity();
    Blend.AlphaFormat = AC_SRC_ALPHA;
    UpdateLayeredWindow(Window->Handle(), nullptr, nullptr, &Size, Mask->Canvas(), &Origin, clNone, &Blend,
                        ULW_ALPHA);
}

void TExStringGrid::ShowFocusWindow(TRect R)
{
    if (!FFocusWindow)
        return;
    FFocusWindow->SetVisible(false);
    const Integer W = R.Width() + GlowGrowth;
    const Integer H = R.Height() + GlowGrowth;
    TBitmap Shape;
    CreateRoundRectMask(&Shape, W, H, 4, 5, 3);
    TBitmap Colour;
    Colour.SetPixelFormat(pf24bit);
    Colour.SetSize(W, H);
    Colour.Canvas()->Brush()->SetColor(RGB(151, 211, 253));
    Colour.Canvas()->FillRect(TRect(0, 0, W, H));
    TGridAlphaMask Glow;
    Glow.SetOpacity(230);
    Glow.MergeMask(&Shape, &Colour, clNone);
    ApplyAlphaMask(FFocusWindow, &Glow);
    SetWindowRgnXor(FFocusWindow->Handle(), TRect(0, 0, W, H), Bounds(GlowOffset, GlowOffset, R.Width(), R.Height()),
                    true);
    const TPoint P = ClientToScreen(TPoint(R.Left, R.Top));
    FFocusWindow->SetBounds(P.X - GlowOffset, P.Y - GlowOffset, W, H);
    FFocusWindow->SetVisible(true);
    TheFocusGrid = this;
}

void TExStringGrid::MoveFocusWindow()
{
    if (!FFocusWindow)
        return;
    const TRect R = CellRect(Col(), Row());
    const TPoint P = ClientToScreen(TPoint(R.Left, R.Top));
    FFocusWindow->SetBounds(P.X - GlowOffset, P.Y - GlowOffset, R.Width() + GlowGrowth, R.Height() + GlowGrowth);
}

void TExStringGrid::HideFocusWindow()
{
    // Another grid's glow keeps following its cell.
    if (TheFocusGrid == this)
        TheFocusGrid = nullptr;
    if (FFocusWindow)
        FFocusWindow->SetVisible(false);
}

// ---------------------------------------------------------------- move lines

void TExStringGrid::DrawColumnMoveLine(Integer X)
{
    ToggleMoveLine(false, X);
}

void TExStringGrid::DrawRowMoveLine(Integer Y)
{
    ToggleMoveLine(true, Y);
}

// The line is kept and painted by the grid: Qt cannot draw with exclusive-or
// on a window, so a second drawing at the same place takes it away.
void TExStringGrid::ToggleMoveLine(bool Rows, Integer Pos)
{
    const std::pair<bool, Integer> Line(Rows, Pos);
    const auto It = std::find(FMoveLines.begin(), FMoveLines.end(), Line);
    if (It != FMoveLines.end())
        FMoveLines.erase(It);
    else
        FMoveLines.push_back(Line);
    const TRect Client = ClientRect();
    InvalidateClientRect(Rows ? TRect(0, Pos, Client.Right, Pos + 1) : TRect(Pos, 0, Pos + 1, Client.Bottom));
}

void TExStringGrid::PaintMoveLines()
{
    if (FMoveLines.empty())
        return;
    TCanvas* C = Canvas();
    TPen Saved;
    Saved.Assign(C->Pen());
    C->Pen()->SetStyle(psDot);
    C->Pen()->SetColor(clBlack);
    C->Pen()->SetWidth(1);
    // The dots invert what lies under them, as the dotted line drawn with
    // exclusive-or does.
    C->Pen()->SetMode(pmNot);
    const Integer Bottom = std::max(Height(), CellRect(0, RowCount() - 1).Bottom);
    const Integer Right = std::max(Width(), CellRect(ColCount() - 1, 0).Right);
    for (const auto& [Rows, Pos] : FMoveLines) {
        if (Rows) {
            C->MoveTo(0, Pos);
            C->LineTo(Right, Pos);
        } else {
            C->MoveTo(Pos, 0);
            C->LineTo(Pos, Bottom);
        }
    }
    C->Pen()->Assign(&Saved);
}

// ---------------------------------------------------------------- notifications

void TExStringGrid::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_COMMAND: WMCommand(Message); break;
    case WM_NOTIFY: {
        TWMNotify N{Message.Msg, Message.WParam, reinterpret_cast<TNMHdr*>(Message.LParam), 0};
        WMNotify(N);
        Message.Result = N.Result;
        break;
    }
    case CM_DESIGNHITTEST: {
        TWMMouse M{Message.Msg, Word(Message.WParam), SmallInt(Message.LParam & 0xFFFF),
                   SmallInt((Message.LParam >> 16) & 0xFFFF), 0};
        CMDesignHitTest(M);
        Message.Result = M.Result;
        break;
    }
    case CM_STYLECHANGED: CMStyleChanged(Message); break;
    default:
        TBaseGrid::Dispatch(Message);
        break;
    }
}
