// The hint window of mini-HTML and wide-encoded hints: measured and drawn by
// the mini-HTML renderer, a wide-encoded text as one line in the grid's font
// face.
#include "grid/control/ExGrid.h"

#include "grid/base/EsgHTMLE.h"
#include "grid/base/ExUtil.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace {

// Hints are laid out within 1024 pixels less the margins.
constexpr Integer HintLayoutWidth = 1008;
constexpr Integer HTMLHintMargin = 16;
constexpr Integer WideHintMargin = 8;
constexpr Integer HintExtraHeight = 4;
constexpr Integer MonitorInset = 2;

String& HintFontNameStore()
{
    static String Name;
    return Name;
}

bool IsWideHint(const String& AHint)
{
    return GetCellTextKind(AHint, true) == 5;
}

// The renderer with the hint window's colours: gray links, no hover
// colours, blue shadow.
TSize RenderHTMLHint(TCanvas* ACanvas, const String& AHint, TRect R, bool Measure, TImageList* Images,
                     TPictureContainer* Pictures, HWND Wnd, Integer BiDiMode)
{
    String Anchor, Strip, FocusAnchor, AnchorHint, CID, CV, CT;
    Integer XSize = 0;
    Integer YSize = 0;
    Integer HyperLinks = 0;
    Integer MouseLink = 0;
    TRect HoverRect;
    TRect CtrlRect;
    DrawHTMLText(ACanvas, AHint, R, Images, 0, 0, -1, -1, 0, false, Measure, false, false, false, false, true, false,
                 1.0, clGray, clNone, clNone, clBlue, Anchor, Strip, FocusAnchor, AnchorHint, XSize, YSize, HyperLinks,
                 MouseLink, HoverRect, CtrlRect, CID, CV, CT, nullptr, Pictures, Wnd, BiDiMode);
    return TSize(XSize, YSize);
}

} // namespace

const String& HintFontName()
{
    return HintFontNameStore();
}

void SetHintFontName(const String& Name)
{
    HintFontNameStore() = Name;
}

THTMLHintWindow::THTMLHintWindow(TComponent* AOwner) : THintWindow(AOwner) {}

TSize THTMLHintWindow::MeasureHint(TCanvas* ACanvas, const String& AHint, Integer MaxWidth)
{
    ACanvas->Font()->Assign(Font());
    if (IsWideHint(AHint)) {
        if (!HintFontName().isEmpty())
            ACanvas->Font()->SetName(HintFontName());
        TRect R(0, 0, MaxWidth, 0);
        DrawText(ACanvas, CellTextToWide(AHint), -1, R, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
        return TSize(R.Right - R.Left, R.Bottom - R.Top);
    }
    return RenderHTMLHint(ACanvas, AHint, TRect(0, 0, MaxWidth, 0), true, FImages, FPictureContainer, nullptr, 0);
}

TRect THTMLHintWindow::CalcHintRect(Integer MaxWidth, const String& AHint, void*)
{
    TBitmap Measure(1, 1);
    const TSize Size = MeasureHint(Measure.Canvas(), AHint, MaxWidth);
    return TRect(0, 0, Size.cx, Size.cy);
}

void THTMLHintWindow::ActivateHint(TRect Rect, const String& AHint)
{
    SetCaption(AHint);
    const bool Wide = IsWideHint(AHint);
    TBitmap Measure(1, 1);
    const TSize Size = MeasureHint(Measure.Canvas(), AHint, HintLayoutWidth);
    FWideCaption = Wide ? CellTextToWide(AHint) : String();
    FTextWidth = Size.cx;
    FTextHeight = Size.cy;
    Rect.Right = Rect.Left + FTextWidth + (Wide ? WideHintMargin : HTMLHintMargin);
    Rect.Bottom = Rect.Top + FTextHeight + HintExtraHeight;
    KeepOnMonitor(Rect);
    SetBoundsRect(Rect);
    Handle()->show();
    Handle()->raise();
    Repaint();
}

void THTMLHintWindow::KeepOnMonitor(TRect& Rect) const
{
    QScreen* Screen = QGuiApplication::screenAt(QPoint(Rect.Left, Rect.Top));
    if (!Screen)
        Screen = QGuiApplication::primaryScreen();
    if (!Screen)
        return;
    const TRect Monitor = FromQRect(Screen->availableGeometry());
    if (Rect.Right > Monitor.Right)
        OffsetRect(Rect, Monitor.Right - MonitorInset - Rect.Right, 0);
    if (Rect.Bottom > Monitor.Bottom) {
        Rect.Bottom = Monitor.Bottom - MonitorInset;
        Rect.Top = Rect.Bottom - FTextHeight - HintExtraHeight;
    }
}

void THTMLHintWindow::ActivateHintData(TRect Rect, const String& AHint, void* AData)
{
    if (auto* Grid = dynamic_cast<TExStringGrid*>(static_cast<TObject*>(AData))) {
        FImages = Grid->GridImages();
        FPictureContainer = Grid->PictureContainer();
    }
    THintWindow::ActivateHintData(Rect, AHint, AData);
}

void THTMLHintWindow::CMTextChanged(TMessage& Message)
{
    THintWindow::CMTextChanged(Message);
    Invalidate();
}

void THTMLHintWindow::Paint()
{
    TCanvas* C = Canvas();
    const TRect R = ClientRect();
    C->Brush()->SetColor(Color());
    C->Brush()->SetStyle(bsSolid);
    C->FillRect(R);
    C->Pen()->SetColor(cl3DLight);
    C->MoveTo(R.Left, R.Bottom - 2);
    C->LineTo(R.Left, R.Top);
    C->LineTo(R.Right, R.Top);
    C->Pen()->SetColor(cl3DDkShadow);
    C->MoveTo(R.Left, R.Bottom - 1);
    C->LineTo(R.Right - 1, R.Bottom - 1);
    C->LineTo(R.Right - 1, R.Top - 1);

    TRect T = R;
    T.Left += 4;
    T.Right -= 4;
    T.Top += (R.Bottom - R.Top - FTextHeight) / 2;
    T.Bottom = T.Top + FTextHeight + 8;
    C->Font()->Assign(Font());
    C->Brush()->SetStyle(bsClear);
    if (IsWideHint(Caption())) {
        if (!HintFontName().isEmpty())
            C->Font()->SetName(HintFontName());
        DrawText(C, FWideCaption, -1, T, DT_SINGLELINE | DT_NOPREFIX);
        return;
    }
    RenderHTMLHint(C, Caption(), T, false, FImages, FPictureContainer, Handle(), Integer(BiDiMode()));
}
