// The string grid's window notifications: the balloon window's text request
// and the picker editors' date change; and the balloon window itself.
#include "grid/control/ExGrid_Balloon.h"

#include "grid/base/EsgHTMLE.h"
#include "grid/control/ExGrid.h"
#include "grid/control/ExGrid_Editors.h"
#include "rtl/ComCtrls.h"

#include <algorithm>
#include <utility>

namespace {

constexpr qsizetype MaxBalloonText = 2048;
constexpr qsizetype MaxBalloonTitle = 100;
constexpr Integer BalloonWidthLimit = 300;
constexpr Integer BalloonMargin = 6;
constexpr Integer IconSize = 16;

// Longer than Limit: the first Limit - 3 characters and "...".
String CutWithEllipsis(const String& S, qsizetype Limit)
{
    return S.size() > Limit ? S.left(Limit - 3) + QStringLiteral("...") : S;
}

// The cell's text as the balloon shows it: without markup, tabs as blanks,
// without leading line breaks.
String BalloonText(const String& Cell, bool HTML)
{
    String S;
    switch (GetCellTextKind(Cell, HTML)) {
    case 1: S = StripHTMLTags(Cell); break;
    case 2: S = RichCellPlainText(Cell); break;
    case 5: S = CellTextToWide(Cell); break;
    default: S = Cell; break;
    }
    S.replace(u'\t', u' ');
    qsizetype Start = 0;
    while (Start < S.size() && (S[Start] == u'\r' || S[Start] == u'\n' || S[Start] == u'\t'))
        ++Start;
    return CutWithEllipsis(S.mid(Start), MaxBalloonText);
}

} // namespace

// ---------------------------------------------------------------- the grid's notifications

void TExStringGrid::WMNotify(TWMNotify& Message)
{
    const TNMHdr* Hdr = Message.NMHdr;
    const bool FromPicker =
        Hdr && ((FEditDate && Hdr->hwndFrom == FEditDate->Handle()) ||
                (FEditDateTime && Hdr->hwndFrom == FEditDateTime->Handle()));
    if (FromPicker && Hdr->code == DTN_DATETIMECHANGE && OnDateTimeChange) {
        const TSystemTime& St = reinterpret_cast<const TNMDateTimeChange*>(Hdr)->st;
        const bool NoDate = St.wYear == 0 || St.wMonth == 0 || St.wDay == 0;
        OnDateTimeChange(this, Col(), Row(), NoDate ? TDateTime(0) : SystemTimeToDateTime(St));
    }
    auto* Balloon = Hdr ? dynamic_cast<TGridBalloonWindow*>(FindControl(Hdr->hwndFrom)) : nullptr;
    if (Balloon && (Hdr->code == TTN_SHOW || Hdr->code == TTN_POP))
        return;
    if (Balloon && Hdr->code == TTN_GETDISPINFO) {
        if (FBalloonSettings->Enable())
            AnswerBalloonRequest(Balloon, *reinterpret_cast<TToolTipTextRequest*>(Message.NMHdr));
        return;
    }
    TMessage Inherited{Message.Msg, Message.IDCtrl, LPARAM(Message.NMHdr), 0};
    TBaseGrid::Dispatch(Inherited);
    Message.Result = Inherited.Result;
}

void TExStringGrid::AnswerBalloonRequest(TGridBalloonWindow* Balloon, TToolTipTextRequest& Request)
{
    Integer C = -1;
    Integer R = -1;
    MouseToCell(Request.Mouse.X, Request.Mouse.Y, C, R);
    if (C < 0 || R < 0)
        return;
    const TPoint Base = BaseCell(C, R);
    const Integer RCol = RealColIndex(Base.X);
    R = Base.Y;
    String Text = BalloonText(Cells(RCol, R), FEnableHTML);
    String Title = QStringLiteral(" ");
    Integer Icon = biInfo;
    IsBalloon(RCol, R, Title, Text, Icon);
    if (OnCellBalloon)
        OnCellBalloon(this, RCol, R, Title, Text, Icon);
    FLastBalloonPos = TPoint(RCol, R);
    FBalloonText = Text;
    Request.Text = &FBalloonText;
    Balloon->SetMaxTipWidth(BalloonWidthLimit);
    if (FBalloonSettings->TextColor() != clNone)
        Balloon->SetTipTextColor(FBalloonSettings->TextColor());
    if (FBalloonSettings->BackgroundColor() != clNone)
        Balloon->SetTipBkColor(FBalloonSettings->BackgroundColor());
    Balloon->SetTitle(CutWithEllipsis(Title, MaxBalloonTitle), Icon);
}

// ---------------------------------------------------------------- set-up and removal

void TExStringGrid::BalloonInit()
{
    if (FBalloonSettings->Init())
        return;
    FBalloonSettings->SetInit(true);
    CreateToolTipWindow();
    AddToolTip(biError, QStringLiteral("ToolTipText"));
    const std::pair<Integer, Integer> Delays[] = {{TTDT_INITIAL, FBalloonSettings->InitialDelay()},
                                                  {TTDT_RESHOW, FBalloonSettings->ReshowDelay()},
                                                  {TTDT_AUTOPOP, FBalloonSettings->AutoHideDelay()}};
    for (const auto& [Kind, Delay] : Delays)
        if (Delay != -1)
            FHToolTip->SetDelayTime(Kind, Delay);
    if (FBalloonSettings->Transparency() != 0)
        MakeWindowTranslucent(FHToolTip->Handle(), 0, Byte(255 - FBalloonSettings->Transparency()), TRect());
}

void TExStringGrid::BalloonDone()
{
    if (FBalloonSettings->Init())
        DestroyToolTipWindow();
    FBalloonSettings->SetInit(false);
}

void TExStringGrid::CreateToolTipWindow()
{
    FHToolTip = new TGridBalloonWindow(this);
}

void TExStringGrid::DestroyToolTipWindow()
{
    delete std::exchange(FHToolTip, nullptr);
}

void TExStringGrid::AddToolTip(Integer AIcon, const String& ATitle)
{
    if (!FHToolTip || !HandleAllocated())
        return;
    FHToolTip->SetTitle(ATitle, AIcon >= biNone && AIcon <= biError ? AIcon : biNone);
}

void TExStringGrid::MakeWindowTranslucent(HWND Wnd, TColor ColorKey, Byte Opacity, TRect)
{
    CallSetLayeredWindowAttributes(Wnd, ColorKey, Opacity, LWA_ALPHA);
}

// ---------------------------------------------------------------- TGridBalloonWindow

TGridBalloonWindow::TGridBalloonWindow(TExStringGrid* AGrid) : TCustomControl(AGrid), FGrid(AGrid)
{
    SetVisible(false);
    SetPopupWindow(TPopupWindowStyle{true, true, true});
}

void TGridBalloonWindow::SetTitle(const String& ATitle, Integer AIcon)
{
    FTitle = ATitle;
    FIcon = AIcon;
}

Integer TGridBalloonWindow::DelayTime(Integer Kind) const
{
    return Kind >= TTDT_RESHOW && Kind <= TTDT_INITIAL ? FDelays[Kind - TTDT_RESHOW] : -1;
}

void TGridBalloonWindow::SetDelayTime(Integer Kind, Integer Milliseconds)
{
    if (Kind >= TTDT_RESHOW && Kind <= TTDT_INITIAL)
        FDelays[Kind - TTDT_RESHOW] = Milliseconds;
}

void TGridBalloonWindow::Activate(TPoint ClientPos)
{
    TToolTipTextRequest Request;
    Request.hdr.hwndFrom = Handle();
    Request.hdr.code = TTN_GETDISPINFO;
    Request.Mouse = ClientPos;
    FGrid->Perform(WM_NOTIFY, 0, LPARAM(&Request.hdr));
    if (!Request.Text || Request.Text->isEmpty()) {
        SetVisible(false);
        return;
    }
    FText = *Request.Text;
    TBitmap Measure(1, 1);
    TCanvas* C = Measure.Canvas();
    C->Font()->Assign(FGrid->Font());
    const TRect Room = TextRoom(C);
    Integer W = std::max(Room.Width(), IconSize + 4 + C->TextWidth(FTitle)) + 2 * BalloonMargin;
    // A word longer than the limit is cut at the balloon's edge.
    if (FMaxTipWidth > 0)
        W = std::min(W, FMaxTipWidth);
    const Integer H = HeaderHeight(C) + Room.Height() + 2 * BalloonMargin;
    const TPoint At = FGrid->ClientToScreen(TPoint(ClientPos.X, ClientPos.Y + 16));
    SetBounds(At.X, At.Y, W, H);
    SetVisible(true);
    Invalidate();
}

TRect TGridBalloonWindow::TextRoom(TCanvas* C) const
{
    TRect R(0, 0, FMaxTipWidth > 0 ? FMaxTipWidth - 2 * BalloonMargin : 32767, 0);
    DrawText(C, FText, R, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    return R;
}

Integer TGridBalloonWindow::HeaderHeight(TCanvas* C) const
{
    return FTitle.trimmed().isEmpty() && FIcon == biNone ? 0 : std::max(IconSize, C->TextHeight(FTitle)) + 4;
}

void TGridBalloonWindow::DrawIcon(TCanvas* C, TRect R) const
{
    static const TColor IconColors[] = {clNone, RGB(0, 102, 204), RGB(230, 160, 0), RGB(200, 0, 0)};
    static const char* const Marks[] = {"", "i", "!", "x"};
    if (FIcon <= biNone || FIcon > biError)
        return;
    C->Brush()->SetColor(IconColors[FIcon]);
    C->Pen()->SetColor(IconColors[FIcon]);
    C->Ellipse(R);
    C->Font()->SetColor(clWhite);
    C->Font()->SetStyle({fsBold});
    C->Brush()->SetStyle(bsClear);
    DrawText(C, QString::fromLatin1(Marks[FIcon]), R, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

void TGridBalloonWindow::Paint()
{
    TCanvas* C = Canvas();
    C->Font()->Assign(FGrid->Font());
    C->Brush()->SetColor(FTipBkColor);
    C->Pen()->SetColor(clGray);
    C->Rectangle(TRect(0, 0, Width(), Height()));
    const Integer Header = HeaderHeight(C);
    TRect Text = TextRoom(C);
    OffsetRect(Text, BalloonMargin, BalloonMargin + Header);
    if (Header > 0) {
        DrawIcon(C, Bounds(BalloonMargin, BalloonMargin, IconSize, IconSize));
        C->Font()->Assign(FGrid->Font());
        C->Font()->SetStyle({fsBold});
        C->Font()->SetColor(FTipTextColor);
        C->Brush()->SetStyle(bsClear);
        C->TextOut(BalloonMargin + IconSize + 4, BalloonMargin, FTitle);
    }
    C->Font()->Assign(FGrid->Font());
    C->Font()->SetColor(FTipTextColor);
    C->Brush()->SetStyle(bsClear);
    DrawText(C, FText, Text, DT_WORDBREAK | DT_NOPREFIX);
}
