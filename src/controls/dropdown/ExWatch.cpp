// The clock face: geometry, drawing, mouse and key commands, setting the
// time with its hand animation, the AM/PM flip and the live mode.
#include "controls/dropdown/ExWatch.h"

#include "controls/dropdown/ExDropDown_Draw.h"
#include "controls/dropdown/FlagScope.h"
#include "grid/base/ExUtil.h"
#include "rtl/Forms.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace watch_face {

constexpr double DegToRad = std::numbers::pi / 180.0;

Integer RoundInt(double X)
{
    return Integer(Round(X));
}

// The rows of an elliptic region in R, as rectangles one pixel high.
std::vector<TRect> EllipseRows(const TRect& R)
{
    std::vector<TRect> Rows;
    const double A = (R.Right - R.Left) / 2.0, B = (R.Bottom - R.Top) / 2.0;
    if (A <= 0 || B <= 0)
        return Rows;
    const double Cx = R.Left + A, Cy = R.Top + B;
    for (Integer Y = R.Top; Y < R.Bottom; ++Y) {
        const double Dy = (Y + 0.5 - Cy) / B;
        const double Half = A * std::sqrt(std::max(0.0, 1.0 - Dy * Dy));
        const Integer L = RoundInt(Cx - Half), Rt = RoundInt(Cx + Half);
        if (Rt > L)
            Rows.emplace_back(L, Y, Rt, Y + 1);
    }
    return Rows;
}

// The rows of a rectangle with elliptic corners of Cw x Ch.
std::vector<TRect> RoundRectRows(const TRect& R, Integer Cw, Integer Ch)
{
    std::vector<TRect> Rows;
    const double A = Cw / 2.0, B = Ch / 2.0;
    for (Integer Y = R.Top; Y < R.Bottom; ++Y) {
        double Inset = 0;
        const double FromTop = Y + 0.5 - R.Top, FromBottom = R.Bottom - (Y + 0.5);
        const double Edge = std::min(FromTop, FromBottom);
        if (Edge < B && B > 0) {
            const double Dy = (B - Edge) / B;
            Inset = A - A * std::sqrt(std::max(0.0, 1.0 - Dy * Dy));
        }
        const Integer L = RoundInt(R.Left + Inset), Rt = RoundInt(R.Right - Inset);
        if (Rt > L)
            Rows.emplace_back(L, Y, Rt, Y + 1);
    }
    return Rows;
}

void ClearBrush(TCanvas* C)
{
    C->Brush()->SetStyle(bsClear);
}

void SetPen(TCanvas* C, TColor Color, Integer Width)
{
    C->Pen()->SetStyle(psSolid);
    C->Pen()->SetColor(Color);
    // A pen of width 0 draws one pixel, as the platform's does.
    C->Pen()->SetWidth(std::max<Integer>(Width, 1));
}

void Line(TCanvas* C, TPoint From, TPoint To)
{
    C->MoveTo(From.X, From.Y);
    C->LineTo(To.X, To.Y);
}

TPoint Shifted(TPoint P, Integer Dx, Integer Dy)
{
    return TPoint(P.X + Dx, P.Y + Dy);
}

TWatchClock* Clock_In_Use = nullptr;

// P inside the ellipse inscribed in R.
bool PointInEllipse(const TPoint& P, const TRect& R)
{
    const double A = (R.Right - R.Left) / 2.0, B = (R.Bottom - R.Top) / 2.0;
    if (A <= 0 || B <= 0)
        return false;
    const double Dx = (P.X - (R.Left + A)) / A, Dy = (P.Y - (R.Top + B)) / B;
    return Dx * Dx + Dy * Dy <= 1.0;
}

} // namespace watch_face


TTimeParts DecodeTimeParts(TDateTime T)
{
    TTimeParts P;
    DecodeTime(T, P.Hour, P.Minute, P.Second, P.MSec);
    return P;
}

TDateTime TWatchClock::Now()
{
    return ::Now();
}

TWatchClock& WatchClock()
{
    static TWatchClock System;
    return watch_face::Clock_In_Use ? *watch_face::Clock_In_Use : System;
}

void SetWatchClock(TWatchClock* Clock)
{
    watch_face::Clock_In_Use = Clock;
}

// ---------------------------------------------------------------- creation

TExWatch::TExWatch(TComponent* AOwner)
    : TCustomControl(AOwner),
      FAppearance(std::make_unique<TWatchAppearance>()),
      FSettings(std::make_unique<TWatchSettings>()),
      FBKGCache(std::make_unique<TBitmap>()),
      FPicture(std::make_unique<TBitmap>())
{
    SetBounds(Left(), Top(), 180, 180);
    FAppearance->OnChange = [this](TObject* Sender) { AppearanceChanged(Sender); };
    FSettings->OnChange = [this](TObject* Sender) { SettingsChanged(Sender); };
    FWatchTimer = new TTimer(this);
    FWatchTimer->SetEnabled(false);
    FWatchTimer->SetInterval(100);
    FWatchTimer->OnTimer = [this](TObject*) { WatchTimerTick(); };
    FAnimationTimer = new TTimer(this);
    FAnimationTimer->SetEnabled(false);
    FAnimationTimer->SetInterval(1);
    FAnimationTimer->OnTimer = [this](TObject*) { AnimationTimerTick(); };
}

TExWatch::~TExWatch()
{
    FWatchTimer->SetEnabled(false);
    FAnimationTimer->SetEnabled(false);
    FAppearance->OnChange = nullptr;
    FSettings->OnChange = nullptr;
}

bool TExWatch::LoadingOrDesigning() const
{
    return ComponentState().Contains(csLoading) || ComponentState().Contains(csDesigning);
}

void TExWatch::AppearanceChanged(TObject*)
{
    FComposed = false;
    Invalidate();
}

void TExWatch::SetAppearance(TWatchAppearance* Value)
{
    FAppearance->Assign(Value);
    AppearanceChanged(this);
}

void TExWatch::SettingsChanged(TObject*)
{
    FWatchTimer->SetEnabled(FSettings->Auto());
    if (FSettings->Auto()) {
        const TDateTime Now = WatchClock().Now();
        FTime = Frac(Now);
        TFlagScope Internal(FInternalSet);
        SetAM(DecodeTimeParts(Now).Hour < 12);
    }
    FComposed = false;
    Invalidate();
}

void TExWatch::SetShowAMPM(bool Value)
{
    if (Value == FShowAMPM)
        return;
    FShowAMPM = Value;
    AppearanceChanged(this);
}

void TExWatch::SetShowNumbers(bool Value)
{
    if (Value == FShowNumbers)
        return;
    FShowNumbers = Value;
    AppearanceChanged(this);
}

void TExWatch::SetStyle(TWatchStyle Value)
{
    if (Value == FStyle)
        return;
    FStyle = Value;
    FAppearance->ResetDefaults();
    ApplyPreset(Value);
}

void TExWatch::SetComponentStyle(TQVXStyle AStyle)
{
    ApplyWatchComponentStyle(FAppearance.get(), AStyle);
}

void TExWatch::WMGetDlgCode(TWMGetDlgCode& Message)
{
    if (TabStop())
        Message.Result = DLGC_WANTARROWS | DLGC_WANTALLKEYS;
    else
        TCustomControl::WMGetDlgCode(Message);
}

// ---------------------------------------------------------------- geometry

TRect TExWatch::GetWatchRect() const
{
    const TRect C = ClientRect();
    const Integer W = C.Right - C.Left, H = C.Bottom - C.Top;
    const Integer Size = FAppearance->Size();
    Integer S = Size > 0 ? std::min({Size, W, H}) : std::min(W, H) - 20;
    // A control too small for a dial gets an empty one.
    S = std::max<Integer>(S, 0);
    const Integer L = C.Left + (W - S) / 2, T = C.Top + (H - S) / 2;
    return TRect(L, T, L + S, T + S);
}

TPoint TExWatch::GetCenter() const
{
    const TRect R = GetWatchRect();
    return TPoint(R.Left + (R.Right - R.Left) / 2, R.Top + (R.Bottom - R.Top) / 2);
}

double TExWatch::GetRadius() const
{
    const TRect R = GetWatchRect();
    return double((R.Right - R.Left) / 2);
}

TPoint TExWatch::PointAt(double K, double Angle) const
{
    const TPoint C = GetCenter();
    const double R = GetRadius();
    return TPoint(watch_face::RoundInt(C.X + K * R * std::sin(Angle * watch_face::DegToRad)),
                  watch_face::RoundInt(C.Y - K * R * std::cos(Angle * watch_face::DegToRad)));
}

TRect TExWatch::GetAMPMRect()
{
    if (!FShowAMPM)
        return TRect(-1, -1, -1, -1);
    TBitmap Measure(1, 1);
    Measure.Canvas()->Font()->Assign(FAppearance->AMPMFont());
    const TSize S = GetTextSize(Measure.Canvas(), QStringLiteral("AM"));
    const TPoint C = GetCenter();
    const Integer L = C.X - (S.cx + 8) / 2;
    const Integer T = C.Y + watch_face::RoundInt((GetRadius() - S.cy) / 3);
    return TRect(L, T, L + S.cx + 8, T + S.cy);
}

Integer TExWatch::MinuteFromPoint(Integer X, Integer Y) const
{
    const TPoint C = GetCenter();
    const Integer Dy = std::max<Integer>(std::abs(C.Y - Y), 1), Dx = std::max<Integer>(std::abs(C.X - X), 1);
    const double A = std::atan(double(Dy) / Dx) / watch_face::DegToRad;
    const Integer Q = watch_face::RoundInt(A / 6);
    Integer M;
    if (X >= C.X && Y >= C.Y)
        M = Q + 15;
    else if (X <= C.X && Y >= C.Y)
        M = 45 - Q;
    else if (X <= C.X && Y <= C.Y)
        M = Q + 45;
    else
        M = 15 - Q;
    return M < 0 || M > 59 ? 0 : M;
}

Integer TExWatch::HourFromPoint(Integer X, Integer Y) const
{
    const Integer N = watch_face::RoundInt(MinuteFromPoint(X, Y) / 5.0);
    if (N <= 0)
        return FAM ? 0 : 12;
    const Integer H = FAM ? N : N + 12;
    return H == 24 ? 0 : H;
}

TDateTime TExWatch::GetDisplayTime()
{
    if (Manual())
        return FTime;
    const TDateTime T = WatchClock().Now() + FSettings->TimeOffset() / 1440.0;
    TFlagScope Internal(FInternalSet);
    SetAM(DecodeTimeParts(T).Hour < 12);
    return T;
}

// ---------------------------------------------------------------- painting

void TExWatch::Paint()
{
    TFlagScope Painting(FPainting);
    const TRect C = ClientRect();
    if (!FComposed || FPicture->Width() != C.Width() || FPicture->Height() != C.Height()) {
        ComposeBackground();
        ComposePicture();
    }
    Canvas()->Draw(0, 0, FPicture.get());
}

void TExWatch::ComposeBackground()
{
    const TRect C = ClientRect();
    FBKGCache->SetSize(C.Width(), C.Height());
    TCanvas* Cache = FBKGCache->Canvas();
    Cache->Brush()->SetStyle(bsSolid);
    Cache->Brush()->SetColor(Color());
    Cache->FillRect(C);
    FComposed = true;
    if (GetWatchRect().Width() <= 0)
        return;
    DrawBackground(Cache);
    DrawMarks(Cache);
    DrawAMPM(Cache);
}

void TExWatch::ComposePicture()
{
    FPicture->SetSize(FBKGCache->Width(), FBKGCache->Height());
    FPicture->Canvas()->Draw(0, 0, FBKGCache.get());
    if (GetWatchRect().Width() > 0)
        DrawHands(FPicture->Canvas());
}

void TExWatch::ShowPicture()
{
    // Inside Paint the picture goes to the screen anyway.
    if (!FPainting && HandleAllocated() && Visible())
        Repaint();
}

void TExWatch::PaintWatch()
{
    ComposeBackground();
    ComposePicture();
    ShowPicture();
}

void TExWatch::RedrawHands()
{
    if (!FComposed)
        ComposeBackground();
    ComposePicture();
    ShowPicture();
}

void TExWatch::WatchTimerTick()
{
    RedrawHands();
}

void TExWatch::DrawBackground(TCanvas* C)
{
    const TWatchAppearance* A = FAppearance.get();
    const TRect Dial = GetWatchRect();
    const TRect Client = ClientRect();
    const TRect R = A->Shape() == wsCircle ? Dial : Client;
    const TRect ClipArea(R.Left - 1, R.Top - 1, R.Right + 2, R.Bottom + 2);
    if (A->Shape() == wsCircle)
        C->SelectClipRgn(watch_face::EllipseRows(ClipArea));
    else if (A->Shape() == wsRoundRect)
        C->SelectClipRgn(watch_face::RoundRectRows(ClipArea, 20, 20));
    if (A->BackgroundColor() != clNone && A->BackgroundColorTo() != clNone) {
        FillGradient(C, A->BackgroundColor(), A->BackgroundColorTo(), 80, R,
                     A->BackgroundGradient() == wgRadial);
    } else if (A->BackgroundColor() != clNone) {
        C->Brush()->SetStyle(bsSolid);
        C->Brush()->SetColor(A->BackgroundColor());
        C->FillRect(R);
    }
    if (A->BorderColor() != clNone && A->BorderWidth() > 0) {
        watch_face::ClearBrush(C);
        watch_face::SetPen(C, A->BorderColor(), A->BorderWidth());
        if (A->Shape() == wsCircle)
            C->Ellipse(Dial);
        else if (A->Shape() == wsRect)
            C->Rectangle(Client);
        else
            C->RoundRect(Client, 20, 20);
    }
    C->SelectClipRgn({});
    DrawWatchPicture(C);
}

void TExWatch::DrawWatchPicture(TCanvas* C)
{
    TGraphic* G = FAppearance->Picture()->Graphic();
    if (!G || G->Empty())
        return;
    const TRect Client = ClientRect();
    TBitmap Layer(Client.Width(), Client.Height());
    Layer.SetTransparent(true);
    Layer.SetTransparentMode(tmAuto);
    Layer.Canvas()->Draw(0, 0, G);
    C->StretchDraw(Client, &Layer);
}

void TExWatch::DrawMarks(TCanvas* C)
{
    DrawTickMarks(C);
    DrawNumbers(C);
}

void TExWatch::DrawTickMarks(TCanvas* C)
{
    const TWatchAppearance* A = FAppearance.get();
    if (A->TickMarks() == tmNone)
        return;
    const double R = GetRadius();
    const double Ro = R - A->BorderWidth() / 2;
    const auto Mark = [&](double Inner, double Angle, Integer Offset) {
        // Offset moves the mark across its axis.
        const Integer Dx = watch_face::RoundInt(Offset * std::cos(Angle * watch_face::DegToRad));
        const Integer Dy = watch_face::RoundInt(Offset * std::sin(Angle * watch_face::DegToRad));
        watch_face::Line(C, watch_face::Shifted(PointAt(Inner / R, Angle), Dx, Dy), watch_face::Shifted(PointAt(Ro / R, Angle), Dx, Dy));
    };
    const double HourInner = A->HourMarkLength() != 0 ? Ro - A->HourMarkLength() : 0.9 * Ro;
    watch_face::SetPen(C, A->HourColor(), A->HourMarkWidth());
    for (Integer Hour = 0; Hour < 12; ++Hour) {
        const bool Quarter = Hour % 3 == 0;
        if (!Quarter && A->TickMarks() == tmQuartHours)
            continue;
        if (Quarter && A->HourMarkStyle() == hmsQuartDblLine) {
            Mark(HourInner, Hour * 30.0, -2);
            Mark(HourInner, Hour * 30.0, 2);
        } else {
            Mark(HourInner, Hour * 30.0, 0);
        }
    }
    if (A->TickMarks() != tmAll)
        return;
    const double MinuteInner = A->MinuteMarkLength() != 0 ? Ro - A->MinuteMarkLength() : 0.95 * Ro;
    watch_face::SetPen(C, A->MinuteColor(), A->MinuteMarkWidth());
    for (Integer Minute = 0; Minute < 60; ++Minute)
        if (Minute % 5 != 0)
            Mark(MinuteInner, Minute * 6.0, 0);
}

void TExWatch::DrawNumbers(TCanvas* C)
{
    const TWatchAppearance* A = FAppearance.get();
    if (!FShowNumbers || A->TickMarks() == tmNone || A->TickMarks() == tmHours)
        return;
    C->Font()->Assign(A->HourFont());
    watch_face::ClearBrush(C);
    const double Ro = GetRadius() - A->BorderWidth() / 2;
    const Integer B = A->HourMarkLength() != 0 ? A->HourMarkLength() : watch_face::RoundInt(Ro - 0.9 * Ro) + 2;
    const TPoint Center = GetCenter();
    for (Integer N = 1; N <= 12; ++N) {
        if (A->TickMarks() == tmQuartHours && N % 3 != 0)
            continue;
        const String Text = QString::number(N);
        const TSize S = GetTextSize(C, Text);
        const Integer D = N == 10 ? watch_face::RoundInt(0.2 * S.cy) : N == 11 ? watch_face::RoundInt(0.15 * S.cy) : 0;
        const double Rn = Ro - 2 * B - 2 + B / 2 - D;
        const double Angle = N * 30.0 * watch_face::DegToRad;
        const Integer X = Center.X + 1 + watch_face::RoundInt(Rn * std::sin(Angle));
        const Integer Y = Center.Y + 1 - watch_face::RoundInt(Rn * std::cos(Angle));
        C->TextOut(X - S.cx / 2 - 1, Y - S.cy / 2 - 1, Text);
    }
}

void TExWatch::DrawAMPMFrame(TCanvas* C, const TRect& Box)
{
    if (FAppearance->AMPMFrame() == apRect)
        C->Rectangle(Box);
    else
        C->RoundRect(Box, 5, 5);
}

void TExWatch::DrawAMPM(TCanvas* C)
{
    if (!FShowAMPM)
        return;
    const TWatchAppearance* A = FAppearance.get();
    const TRect Box = GetAMPMRect();
    if (A->AMPMColor() != clNone || A->AMPMBorderColor() != clNone) {
        if (A->AMPMColor() == clNone) {
            watch_face::ClearBrush(C);
        } else {
            C->Brush()->SetStyle(bsSolid);
            C->Brush()->SetColor(A->AMPMColor());
        }
        if (A->AMPMBorderColor() == clNone)
            C->Pen()->SetStyle(psClear);
        else
            watch_face::SetPen(C, A->AMPMBorderColor(), 1);
        DrawAMPMFrame(C, Box);
    }
    C->Font()->Assign(A->AMPMFont());
    watch_face::ClearBrush(C);
    TRect R = Box;
    DrawText(C, FAM ? QStringLiteral("AM") : QStringLiteral("PM"), R, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

void TExWatch::DrawHands(TCanvas* C)
{
    const TTimeParts T = DecodeTimeParts(GetDisplayTime());
    const double HourAngle = 30.0 * (T.Hour % 12) + 6.0 * T.Minute / 12;
    const double MinuteAngle = 6.0 * T.Minute;
    const TPointerStyle Style = FAppearance->PointerStyle();
    if (Style == psLine)
        DrawLineHands(C, HourAngle, MinuteAngle);
    else if (Style == psPointer)
        DrawPointerHands(C, HourAngle, MinuteAngle);
    const bool Drawn = Style == psLine || Style == psPointer;
    if (Drawn && FSettings->Auto() && FSettings->Second()) {
        watch_face::SetPen(C, FAppearance->SecondPointer(), FAppearance->SecondPointerSize());
        watch_face::Line(C, PointAt(-0.2, 6.0 * T.Second), PointAt(0.9, 6.0 * T.Second));
    }
    DrawCenterPoint(C);
}

void TExWatch::DrawLineHands(TCanvas* C, double HourAngle, double MinuteAngle)
{
    const TWatchAppearance* A = FAppearance.get();
    if (A->HourPointerShadow() != clNone) {
        watch_face::SetPen(C, A->HourPointerShadow(), A->HourPointerSize());
        watch_face::Line(C, watch_face::Shifted(PointAt(-0.1, HourAngle), -1, 3), watch_face::Shifted(PointAt(0.46, HourAngle), -1, 3));
    }
    if (A->MinutePointerShadow() != clNone) {
        watch_face::SetPen(C, A->MinutePointerShadow(), A->MinutePointerSize());
        watch_face::Line(C, watch_face::Shifted(PointAt(-0.1, MinuteAngle), 0, 3), watch_face::Shifted(PointAt(0.65, MinuteAngle), 0, 3));
    }
    watch_face::SetPen(C, A->HourPointer(), A->HourPointerSize());
    watch_face::Line(C, PointAt(-0.1, HourAngle), PointAt(0.5, HourAngle));
    watch_face::SetPen(C, A->MinutePointer(), A->MinutePointerSize());
    watch_face::Line(C, PointAt(-0.1, MinuteAngle), PointAt(0.7, MinuteAngle));
}

void TExWatch::DrawPointerHands(TCanvas* C, double HourAngle, double MinuteAngle)
{
    const TWatchAppearance* A = FAppearance.get();
    const auto Hand = [&](double Angle, double Tip, TColor Color, Integer Dx, Integer Dy) {
        C->Brush()->SetStyle(bsSolid);
        C->Brush()->SetColor(Color);
        watch_face::SetPen(C, Color, 1);
        C->Polygon({watch_face::Shifted(PointAt(-0.1, Angle), Dx, Dy), watch_face::Shifted(PointAt(-0.05, Angle + 90), Dx, Dy),
                    watch_face::Shifted(PointAt(Tip, Angle), Dx, Dy), watch_face::Shifted(PointAt(-0.05, Angle - 90), Dx, Dy)});
    };
    if (A->HourPointerShadow() != clNone)
        Hand(HourAngle, 0.5, A->HourPointerShadow(), 1, 3);
    Hand(HourAngle, 0.5, A->HourPointer(), 0, 0);
    if (A->MinutePointerShadow() != clNone)
        Hand(MinuteAngle, 0.7, A->MinutePointerShadow(), 1, 3);
    Hand(MinuteAngle, 0.7, A->MinutePointer(), 0, 0);
}

void TExWatch::DrawCenterPoint(TCanvas* C)
{
    const TWatchAppearance* A = FAppearance.get();
    const Integer S = A->CenterPointSize();
    if (S <= 0)
        return;
    const TPoint Center = GetCenter();
    const auto Square = [&](Integer Side) {
        const Integer L = watch_face::RoundInt(Center.X - Side / 2.0), T = watch_face::RoundInt(Center.Y - Side / 2.0);
        return TRect(L, T, L + Side, T + Side);
    };
    if (A->CenterPointColor() != clNone) {
        C->Brush()->SetStyle(bsSolid);
        C->Brush()->SetColor(A->CenterPointColor());
        watch_face::SetPen(C, A->CenterPointColor(), 1);
        C->Ellipse(Square(S));
    }
    Integer OuterWidth = 0;
    if (A->CenterPointOuterBorderColor() != clNone) {
        OuterWidth = watch_face::RoundInt(0.2 * S);
        watch_face::ClearBrush(C);
        watch_face::SetPen(C, A->CenterPointOuterBorderColor(), OuterWidth);
        C->Ellipse(Square(S));
    }
    if (A->CenterPointBorderColor() != clNone) {
        watch_face::ClearBrush(C);
        watch_face::SetPen(C, A->CenterPointBorderColor(), watch_face::RoundInt(0.1 * S));
        C->Ellipse(Square(S - OuterWidth));
    }
}

// ---------------------------------------------------------------- AM/PM flip

void TExWatch::SetAM(bool Value)
{
    if (FAM == Value)
        return;
    FAM = Value;
    const TWatchAppearance* A = FAppearance.get();
    if (FAnimation && FShowAMPM && A->AMPMColor() != clNone && !FInternalSet && FComposed)
        FlipAMPM(Value);
    PaintWatch();
}

void TExWatch::FlipAMPM(bool ToAM)
{
    const TWatchAppearance* A = FAppearance.get();
    const TRect Box = GetAMPMRect();
    const TRect Inner(Box.Left + 1, Box.Top + 1, Box.Right - 1, Box.Bottom - 1);
    const Integer W = Inner.Width(), H = Inner.Height();
    if (W <= 0 || H <= 0)
        return;
    TBitmap Strip(W, 2 * H);
    TCanvas* S = Strip.Canvas();
    S->Brush()->SetStyle(bsSolid);
    S->Brush()->SetColor(A->AMPMColor());
    S->FillRect(TRect(0, 0, W, 2 * H));
    S->Font()->Assign(A->AMPMFont());
    watch_face::ClearBrush(S);
    TRect Upper(0, 0, W, H), Lower(0, H, W, 2 * H);
    DrawText(S, QStringLiteral("AM"), Upper, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    DrawText(S, QStringLiteral("PM"), Lower, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    for (Integer Frame = 0; Frame < H; ++Frame) {
        const Integer Offset = ToAM ? H - Frame : Frame;
        TCanvas* C = FPicture->Canvas();
        C->Draw(0, 0, FBKGCache.get());
        C->CopyRect(Inner, S, TRect(0, Offset, W, Offset + H));
        watch_face::ClearBrush(C);
        watch_face::SetPen(C, A->AMPMBorderColor() == clNone ? A->AMPMColor() : A->AMPMBorderColor(), 1);
        DrawAMPMFrame(C, Box);
        DrawHands(C);
        ShowPicture();
        Sleep(10);
    }
}

// ---------------------------------------------------------------- setting the time

void TExWatch::SetTimeInternal(TDateTime Value)
{
    FTime = Value;
    TFlagScope Internal(FInternalSet);
    SetAM(DecodeTimeParts(Value).Hour < 12);
}

void TExWatch::SetTime(TDateTime Value)
{
    if (Value == FTime)
        return;
    SetTimeInternal(Value);
    RedrawHands();
}

void TExWatch::StoreChange(TDateTime Value, bool Intermediate)
{
    SetTimeInternal(Value);
    RedrawHands();
    // Each step of a running animation is a change of its own; only the
    // last one reports.
    if (!Intermediate)
        Changed();
}

void TExWatch::Changed()
{
    if (OnChange)
        OnChange(this);
}

void TExWatch::SetHour(Byte Value)
{
    if (Value > 23)
        throw Exception(QStringLiteral("Invalid time"));
    const TTimeParts T = DecodeTimeParts(GetDisplayTime());
    if (Value == T.Hour)
        return;
    if (FAnimation && !FInternalCall && !LoadingOrDesigning()) {
        FCurrentHourTo = Value;
        FHourAnimating = true;
        FAnimationTimer->SetEnabled(true);
        return;
    }
    StoreChange(EncodeTime(Value, T.Minute, T.Second, T.MSec), FAnimationStep && Value != FCurrentHourTo);
}

void TExWatch::SetMinute(Byte Value)
{
    if (Value > 59)
        throw Exception(QStringLiteral("Invalid time"));
    TTimeParts T = DecodeTimeParts(GetDisplayTime());
    if (Value == T.Minute)
        return;
    if (FAnimation && !FInternalCall && !LoadingOrDesigning()) {
        FCurrentMinuteTo = Value;
        FHourAnimating = false;
        FMinuteFrom = T.Minute;
        FAnimationTimer->SetEnabled(true);
        return;
    }
    if (!FAnimation)
        FMinuteFrom = T.Minute;
    if (Value == 0 && FMinuteFrom > 30) {
        T.Hour = T.Hour == 23 ? 0 : T.Hour + 1;
        FMinuteFrom = 0;
    }
    StoreChange(EncodeTime(T.Hour, Value, T.Second, T.MSec), FAnimationStep && Value != FCurrentMinuteTo);
}

void TExWatch::SetHourInternally(Byte Value)
{
    TFlagScope Internal(FInternalCall);
    SetHour(Value);
}

void TExWatch::SetMinuteInternally(Byte Value)
{
    TFlagScope Internal(FInternalCall);
    SetMinute(Value);
}

void TExWatch::AnimationTimerTick()
{
    if (!FAnimation || LoadingOrDesigning())
        return;
    TFlagScope Step(FAnimationStep);
    AnimationStep();
}

void TExWatch::AnimationStep()
{
    const TTimeParts T = DecodeTimeParts(GetDisplayTime());
    if (FHourAnimating) {
        const Integer H = T.Hour, Target = FCurrentHourTo;
        if (H == Target) {
            SetHourInternally(Byte(Target));
            FAnimationTimer->SetEnabled(false);
            return;
        }
        const Integer Step = std::max<Integer>(watch_face::RoundInt(std::abs(Target - H) / double(FAnimationFactor)), 1);
        SetHourInternally(Byte(H < Target ? std::min(H + Step, Target) : std::max(H - Step, Target)));
        return;
    }
    const Integer M = T.Minute, Target = FCurrentMinuteTo;
    if (M == Target) {
        SetMinuteInternally(Byte(Target));
        FAnimationTimer->SetEnabled(false);
        return;
    }
    const bool ForwardToZero = Target == 0 && M > 30;
    const Integer Distance = ForwardToZero ? 60 - M : std::abs(Target - M);
    const Integer Step = std::max<Integer>(watch_face::RoundInt(Distance / double(FAnimationFactor)), 1);
    Integer Next;
    if (M >= Target && !ForwardToZero) {
        Next = std::max(M - Step, Target);
    } else {
        Next = std::min(M + Step, ForwardToZero ? 60 : Target);
        if (Next == 60)
            Next = 0;
    }
    SetMinuteInternally(Byte(Next));
}

// ---------------------------------------------------------------- mouse and keys

void TExWatch::MouseMove(TShiftState Shift, Integer X, Integer Y)
{
    TCustomControl::MouseMove(Shift, X, Y);
    if (!ComponentState().Contains(csDesigning))
        SetCursor(PtInRect(GetAMPMRect(), TPoint(X, Y)) ? crHandPoint : crDefault);
}

void TExWatch::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    TCustomControl::MouseUp(Button, Shift, X, Y);
    if (!Manual())
        return;
    const TRect Dial = GetWatchRect();
    if (!watch_face::PointInEllipse(TPoint(X, Y), Dial)) {
        SetMinute(Byte(MinuteFromPoint(X, Y)));
        return;
    }
    if (!PtInRect(GetAMPMRect(), TPoint(X, Y))) {
        SetHour(Byte(HourFromPoint(X, Y)));
        return;
    }
    if (FAnimation)
        SetAM(!FAM);
    const Integer H = DecodeTimeParts(GetDisplayTime()).Hour;
    FCurrentHourTo = H < 12 ? H + 12 : H - 12;
    SetHourInternally(Byte(FCurrentHourTo));
}

void TExWatch::HandleKey(Word Key)
{
    if (!Manual())
        return;
    const TTimeParts T = DecodeTimeParts(GetDisplayTime());
    switch (Key) {
    case 'A':
        if (T.Hour > 11)
            SetHour(Byte(T.Hour - 12));
        break;
    case 'P':
        if (T.Hour < 12)
            SetHour(Byte(T.Hour + 12));
        break;
    case VK_PRIOR:
        if (T.Hour == 23)
            SetHourInternally(0);
        else
            SetHour(Byte(T.Hour + 1));
        break;
    case VK_NEXT:
        if (T.Hour == 0)
            SetHourInternally(23);
        else
            SetHour(Byte(T.Hour - 1));
        break;
    case VK_HOME: SetHourInternally(12); break;
    case VK_END: SetMinute(0); break;
    case VK_LEFT:
        if (T.Minute == 0) {
            SetTime(EncodeTime(T.Hour == 0 ? 23 : T.Hour - 1, 59, T.Second, T.MSec));
            Changed();
        } else {
            SetMinute(Byte(T.Minute - 1));
        }
        break;
    case VK_RIGHT: SetMinute(Byte(T.Minute == 59 ? 0 : T.Minute + 1)); break;
    default: break;
    }
}
