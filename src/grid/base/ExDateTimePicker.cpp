#include "grid/base/ExDateTimePicker.h"

#include "grid/base/ExStyleIF.h"
#include "rtl/Themes.h"

#include <cmath>

const UINT WM_DTPSHIFTFOCUS = RegisterWindowMessage(QStringLiteral("DTPShiftFocus"));

namespace {

bool IsTypedDigit(Char Key)
{
    return Key >= u'0' && Key <= u'9';
}

// The value with its time cut to whole seconds.
TDateTime WholeSeconds(TDateTime Value)
{
    Word H, M, S, Ms;
    DecodeTime(Value, H, M, S, Ms);
    const TDateTime Day = std::trunc(Value);
    const TDateTime Time = EncodeTime(H, M, S, 0);
    return Day >= 0 ? Day + Time : Day - Time;
}

} // namespace

// ---------------------------------------------------------------- TCustomDateTimePicker

TCustomDateTimePicker::TCustomDateTimePicker(TComponent* AOwner) : TEsgFlatPicker(AOwner, false, clBlack) {}

void TCustomDateTimePicker::SetAutoTab(bool Value)
{
    FAutoTab = Value;
}

bool TCustomDateTimePicker::IsMetro() const
{
    return FMetroStyle && !IsInnerPicker();
}

Integer TCustomDateTimePicker::MetroFillLeft() const
{
    return ClientWidth() - FButtonWidth - 4;
}

void TCustomDateTimePicker::DrawOverMetroFill(TCanvas* Canvas)
{
    if (Ctl3D())
        return;
    DrawFlatOutline(Canvas);
    if (!IsThemeActive()) {
        // A second outline one pixel inside.
        Canvas->Polyline({TPoint(1, Height() - 2), TPoint(1, 1), TPoint(Width() - 2, 1), TPoint(Width() - 2, Height() - 2),
                          TPoint(1, Height() - 2)});
    }
}

void TCustomDateTimePicker::KeyPress(Char& Key)
{
    const bool Shift = FAutoTab && IsTypedDigit(Key);
    if (Shift && TDateTimePicker::Kind() == dtkTime)
        DecodeTime(TDateTimePicker::DateTime(), Fh, Fm, Fs, Fms);
    TEsgFlatPicker::KeyPress(Key);
    if (Shift)
        PostMessage(Handle(), WM_DTPSHIFTFOCUS, 0, 0);
}

void TCustomDateTimePicker::WndProc(TMessage& Message)
{
    if (Message.Msg == WM_DTPSHIFTFOCUS)
        ShiftFocus();
    TEsgFlatPicker::WndProc(Message);
}

bool TCustomDateTimePicker::TimeChangedSinceKey() const
{
    Word H, M, S, Ms;
    DecodeTime(TDateTimePicker::DateTime(), H, M, S, Ms);
    return H != Fh || M != Fm || S != Fs;
}

void TCustomDateTimePicker::PostRight()
{
    PostMessage(Handle(), WM_KEYDOWN, VK_RIGHT, 0);
}

void TCustomDateTimePicker::ShiftFocus()
{
    if (TimeChangedSinceKey())
        PostRight();
}

// ---------------------------------------------------------------- TExDateTimePicker

TExDateTimePicker::TExDateTimePicker(TComponent* AOwner)
    : TCustomDateTimePicker(AOwner), TLabelledControl(this), FFocusTimer(new TTimer(this))
{
    FFocusTimer->SetEnabled(false);
    FFocusTimer->SetInterval(20);
    FFocusTimer->OnTimer = [this](TObject*) { FFocusTimer->SetEnabled(false); };
    SetBorderStyle(bsSingle);
    SetCtl3D(true);
    FNotifiedDay = TDateTimePicker::Date();
    CreateTimePicker();
    UpdateTimePicker();
}

TExDateTimePicker::~TExDateTimePicker() = default;

bool TExDateTimePicker::Loading() const
{
    return ComponentState().Contains(csLoading);
}

String TExDateTimePicker::Version() const
{
    return VersionText(0x01020000);
}

void TExDateTimePicker::SetKind(TExDateTimeKind Value)
{
    if (Value == FKind)
        return;
    FKind = Value;
    TDateTimePicker::SetKind(Value == dkTime ? dtkTime : dtkDate);
    if (Value == dkDateTime)
        CreateTimePicker();
    UpdateTimePicker();
}

TDateTime TExDateTimePicker::DateTime()
{
    if (FTimePicker)
        TDateTimePicker::SetTime(FTimePicker->Time());
    return TDateTimePicker::DateTime();
}

void TExDateTimePicker::SetDateTime(TDateTime Value)
{
    const TDateTime V = WholeSeconds(Value);
    TCustomDateTimePicker::SetDateTime(V);
    CreateTimePicker();
    if (FTimePicker)
        FTimePicker->SetDateTime(V);
}

void TExDateTimePicker::SetDate(TDateTime Value)
{
    const TDateTime Shown = WholeSeconds(DateTime());
    SetDateTime(std::trunc(Value) + std::fabs(Shown - std::trunc(Shown)));
}

TDateTime TExDateTimePicker::Time() const
{
    return FKind == dkDateTime && FTimePicker ? FTimePicker->Time() : TDateTimePicker::Time();
}

void TExDateTimePicker::SetTime(TDateTime Value)
{
    TDateTimePicker::SetTime(Value);
    UpdateTimePicker();
}

void TExDateTimePicker::SetTimeFormat(const String& Value)
{
    if (FTimePicker)
        FTimePicker->SetFormat(Value);
    if (FKind == dkTime)
        SetFormat(Value);
    FTimeFormat = Value;
    UpdateTimePicker();
}

void TExDateTimePicker::SetAutoTab(bool Value)
{
    TCustomDateTimePicker::SetAutoTab(Value);
    if (FTimePicker)
        FTimePicker->SetAutoTab(Value);
}

void TExDateTimePicker::SetBorderStyle(TBorderStyle Value)
{
    TCustomDateTimePicker::SetBorderStyle(Value);
    Invalidate();
    UpdateTimePicker();
}

// ---------------------------------------------------------------- the time part

void TExDateTimePicker::CreateTimePicker()
{
    if (FKind != dkDateTime || FTimePicker)
        return;
    FTimePicker = new TCustomDateTimePicker(this);
    FTimePicker->SetParent(this);
    FTimePicker->SetBounds(0, 0, 90, 17);
    FTimePicker->SetVisible(false);
    FTimePicker->SetEnabled(Enabled());
    FTimePicker->TDateTimePicker::SetKind(dtkTime);
    FTimePicker->SetAutoTab(AutoTab());
    FTimePicker->OnKeyDown = [this](TObject*, Word& Key, TShiftState Shift) { KeyDown(Key, Shift); };
    FTimePicker->OnChange = [this](TObject*) {
        if (OnChange)
            OnChange(this);
        if (OnTimeChange)
            OnTimeChange(this);
    };
    FTimePicker->OnClick = [this](TObject*) { Click(); };
}

TRect TExDateTimePicker::TimePickerBounds(Integer TimeWidth) const
{
    // Vista or later with common controls 6 and the theme functions bound;
    // no bevels here, so b is 0.
    const Integer A = TimeWidth;
    if (!IsThemeActive())
        return Bounds(Width() - A - 21, 2, A, Height() - 4);
    if (IsMetro())
        return Bounds(Width() - A - 21, 1, A, Height() - 2);
    return Bounds(Width() - A - 34, 1, A, Height() - 2);
}

void TExDateTimePicker::UpdateTimePicker()
{
    if (!FTimePicker)
        return;
    FTimePicker->SetParent(this);
    FTimePicker->SetColor(Color());
    FTimePicker->SetEnabled(Enabled() && (Checked() || !ShowCheckbox()));
    const bool Shown = FKind == dkDateTime;
    FTimePicker->SetVisible(Shown);
    FTimePicker->TDateTimePicker::SetDateTime(TDateTimePicker::DateTime());
    FTimePicker->SetFormat(FTimeFormat);
    FTimePicker->Font()->Assign(Font());
    if (!Shown) {
        delete FTimePicker;
        FTimePicker = nullptr;
        return;
    }
    TBitmap Measure(1, 1);
    Measure.Canvas()->Font()->Assign(Font());
    FTimePicker->SetBoundsRect(TimePickerBounds(Measure.Canvas()->TextWidth(FTimePicker->Text()) + 31));
}

void TExDateTimePicker::ApplyCheckToTimePicker()
{
    if (FTimePicker)
        FTimePicker->SetEnabled(Enabled() && Checked());
}

// ---------------------------------------------------------------- keys and notifications

void TExDateTimePicker::KeyPress(Char& Key)
{
    if (AutoTab() && IsTypedDigit(Key))
        DecodeDate(TDateTimePicker::DateTime(), Fy, Fm, Fd);
    TCustomDateTimePicker::KeyPress(Key);
}

void TExDateTimePicker::ShiftFocus()
{
    if (FKind == dkTime) {
        TCustomDateTimePicker::ShiftFocus();
        return;
    }
    Word Y, M, D;
    DecodeDate(TDateTimePicker::DateTime(), Y, M, D);
    const bool DayChanged = D != Fd, MonthChanged = M != Fm, YearChanged = Y != Fy;
    const auto FocusTimePart = [this] {
        if (FTimePicker && FTimePicker->CanFocus())
            FTimePicker->SetFocus();
    };
    if (!Format().isEmpty()) {
        // The last field of the format leads into the time part.
        const QChar Last = Format().back().toLower();
        if ((DayChanged && Last == u'd') || (MonthChanged && Last == u'm') || (YearChanged && Last == u'y'))
            FocusTimePart();
        else if (DayChanged || MonthChanged || YearChanged)
            PostRight();
    } else if (DayChanged || MonthChanged) {
        PostRight();
    } else if (YearChanged) {
        FocusTimePart();
    }
}

void TExDateTimePicker::CNNotify(TWMNotify& Message)
{
    if (Message.NMHdr->code == DTN_DATETIMECHANGE && ShowCheckbox() &&
        !ComponentState().Contains(csDesigning)) {
        const auto* Change = reinterpret_cast<const TNMDateTimeChange*>(Message.NMHdr);
        if (!FIgnoreTimePickerCheck && FTimePicker)
            FTimePicker->SetEnabled(Enabled() && Checked() && Change->dwFlags != GDT_NONE);
        FIgnoreTimePickerCheck = false;
        const TDateTime Day = TDateTimePicker::Date();
        if (Change->dwFlags == GDT_VALID && Day != FNotifiedDay)
            FFocusTimer->SetEnabled(true);
        FNotifiedDay = Day;
    }
    TCustomDateTimePicker::CNNotify(Message);
}

void TExDateTimePicker::DTMSetSystemTime(TMessage& Message)
{
    TCustomDateTimePicker::DTMSetSystemTime(Message);
    if (!ShowCheckbox() || !FTimePicker)
        return;
    ApplyCheckToTimePicker();
    if (Message.WParam == GDT_VALID)
        FIgnoreTimePickerCheck = FTimePicker->Enabled();
}

// ---------------------------------------------------------------- layout and state

void TExDateTimePicker::PaintOver(TCanvas* Canvas)
{
    if (FFirstRun) {
        FFirstRun = false;
        UpdateTimePicker();
    }
    TCustomDateTimePicker::PaintOver(Canvas);
}

void TExDateTimePicker::WMSize(TWMSize& Message)
{
    TCustomDateTimePicker::WMSize(Message);
    UpdateTimePicker();
}

void TExDateTimePicker::SetEnabled(bool Value)
{
    TCustomDateTimePicker::SetEnabled(Value);
    if (!Loading()) {
        LabelFollowEnabled();
        UpdateTimePicker();
    }
}

void TExDateTimePicker::SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight)
{
    TCustomDateTimePicker::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (PickerLabel() && PickerLabel()->Parent())
        UpdateLabel();
}

void TExDateTimePicker::SetParent(TWinControl* AParent)
{
    TCustomDateTimePicker::SetParent(AParent);
    LabelFollowParent();
}

void TExDateTimePicker::Notification(TComponent* AComponent, TOperation Operation)
{
    TCustomDateTimePicker::Notification(AComponent, Operation);
    LabelNotification(AComponent, Operation);
}

void TExDateTimePicker::Loaded()
{
    TCustomDateTimePicker::Loaded();
    if (!ComponentState().Contains(csDesigning)) {
        CreateTimePicker();
        UpdateTimePicker();
        if (ShowCheckbox() && !Checked()) {
            SetChecked(false);
            if (FTimePicker)
                FTimePicker->SetEnabled(false);
        }
    }
    LabelFollowEnabled();
    UpdateLabel();
    FParentFnt = ParentFont();
    UpdateLabel();
}

void TExDateTimePicker::CMEnter(TMessage& Message)
{
    TCustomDateTimePicker::CMEnter(Message);
    if (!Loading())
        LabelShowFocus(true);
}

void TExDateTimePicker::CMExit(TMessage& Message)
{
    TCustomDateTimePicker::CMExit(Message);
    if (!Loading())
        LabelShowFocus(false);
}

void TExDateTimePicker::CMEnabledChanged(TMessage& Message)
{
    TCustomDateTimePicker::CMEnabledChanged(Message);
    LabelFollowEnabled();
}

void TExDateTimePicker::CMVisibleChanged(TMessage& Message)
{
    TCustomDateTimePicker::CMVisibleChanged(Message);
    LabelFollowVisible();
}

void TExDateTimePicker::CMColorChanged(TMessage& Message)
{
    TCustomDateTimePicker::CMColorChanged(Message);
    UpdateTimePicker();
}

void TExDateTimePicker::CMFontChanged(TMessage& Message)
{
    TCustomDateTimePicker::CMFontChanged(Message);
    if (FTimePicker)
        FTimePicker->Font()->Assign(Font());
    UpdateLabel();
}

void TExDateTimePicker::CMParentFontChanged(TMessage& Message)
{
    TCustomDateTimePicker::CMParentFontChanged(Message);
    UpdateLabel();
}

TFont* TExDateTimePicker::LabelFontInUse() const
{
    return FParentFnt ? Font() : LabelFont();
}

void TExDateTimePicker::LabelMade(TLabel* Label)
{
    Label->OnClick = [this](TObject* Sender) {
        if (OnLabelClick)
            OnLabelClick(Sender);
    };
    Label->OnDblClick = [this](TObject* Sender) {
        if (OnLabelDblClick)
            OnLabelDblClick(Sender);
    };
}
