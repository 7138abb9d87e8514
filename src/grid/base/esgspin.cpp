#include "grid/base/esgspin.h"

#include "rtl/SysUtils.h"
#include "rtl/Themes.h"

#include <algorithm>

// Outside any namespace, as the resource initialiser requires.
static void Init_EsgSpin_Resources_Once()
{
    Q_INIT_RESOURCE(EsgSpin_Resources);
}

namespace {

void Init_EsgSpin_Resources()
{
    static const bool Done = (Init_EsgSpin_Resources_Once(), true);
    (void)Done;
}

constexpr UINT_PTR SpinInitRepeatPause = 400;
constexpr UINT_PTR SpinRepeatPause = 100;

// The spin buttons' theme part of a direction.
Integer SpinThemePart(TButtonDirection Direction)
{
    switch (Direction) {
    case bdUp: return SPNP_UP;
    case bdDown: return SPNP_DOWN;
    case bdRight: return SPNP_UPHORZ;
    default: return SPNP_DOWNHORZ;
    }
}

// The arrow of a button drawn in the owner's colours, in its client area.
std::vector<TPoint> SpinArrowPoints(TButtonDirection Direction)
{
    switch (Direction) {
    case bdLeft: return {TPoint(5, 5), TPoint(3, 7), TPoint(5, 9)};
    case bdRight: return {TPoint(3, 5), TPoint(5, 7), TPoint(3, 9)};
    case bdUp: return {TPoint(4, 4), TPoint(8, 4), TPoint(6, 2)};
    default: return {TPoint(4, 2), TPoint(8, 2), TPoint(6, 4)};
    }
}

} // namespace

TEditorFontHeights EditorFontHeights(TFont* Font)
{
    TBitmap Measure(1, 1);
    TCanvas* Canvas = Measure.Canvas();
    const TFont System;
    Canvas->Font()->Assign(const_cast<TFont*>(&System));
    const Integer SystemHeight = Canvas->TextHeight(QStringLiteral("0"));
    Canvas->Font()->Assign(Font);
    const Integer FontHeight = Canvas->TextHeight(QStringLiteral("0"));
    return {FontHeight, std::min(SystemHeight, FontHeight)};
}

TRect EditButtonBounds(Integer EditWidth, Integer EditHeight, Integer ButtonWidth, bool Ctl3D, bool Border)
{
    if (!Ctl3D)
        return Bounds(EditWidth - ButtonWidth, 1, ButtonWidth, EditHeight - 3);
    const Integer More = Border ? 0 : 4;
    return Bounds(EditWidth - ButtonWidth - 5 + More, 0, ButtonWidth, EditHeight - 5 + More);
}

// ---------------------------------------------------------------- TEsgButtonHolder

TEsgButtonHolder::TEsgButtonHolder(TComponent* AOwner) : TWinControl(AOwner)
{
    SetControlStyle(ControlStyle() - TControlStyle{csAcceptsControls, csSetCaption} + TControlStyle{csOpaque});
}

void TEsgButtonHolder::SetFocusControl(TWinControl* Value)
{
    if (FFocusControl)
        FFocusControl->RemoveFreeNotification(this);
    FFocusControl = Value;
    if (Value)
        Value->FreeNotification(this);
}

void TEsgButtonHolder::Notification(TComponent* AComponent, TOperation Operation)
{
    TWinControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FFocusControl)
        FFocusControl = nullptr;
}

void TEsgButtonHolder::FocusAfterButton()
{
    if (FFocusControl && FFocusControl->TabStop() && FFocusControl->CanFocus() && !FFocusControl->Focused())
        FFocusControl->SetFocus();
    else if (TabStop() && CanFocus() && !Focused())
        SetFocus();
}

// ---------------------------------------------------------------- TEsgSideControlEdit

void TEsgSideControlEdit::LayOut()
{
    const Integer MinHeight = GetMinHeight();
    if (Height() < MinHeight) {
        SetHeight(MinHeight);
        return;
    }
    TControl* Side = SideControl();
    Side->SetBoundsRect(EditButtonBounds(Width(), Height(), Side->Width(), Ctl3D(), BorderStyle() == bsSingle));
    SetEditRect();
}

void TEsgSideControlEdit::WMSize(TWMSize& Message)
{
    TCustomMaskEdit::WMSize(Message);
    LayOut();
}

void TEsgSideControlEdit::WMPaste(TMessage& Message)
{
    if (FEditorEnabled && !ReadOnly())
        TCustomMaskEdit::WMPaste(Message);
}

void TEsgSideControlEdit::WMCut(TMessage& Message)
{
    if (FEditorEnabled && !ReadOnly())
        TCustomMaskEdit::WMCut(Message);
}

// ---------------------------------------------------------------- TExTimerSpeedButton

TExTimerSpeedButton::TExTimerSpeedButton(TComponent* AOwner) : TSpeedButton(AOwner) {}

TExTimerSpeedButton::~TExTimerSpeedButton() = default;

void TExTimerSpeedButton::SetTimeBtnState(TTimeBtnState Value)
{
    FTimeBtnState = Value;
    Invalidate();
}

void TExTimerSpeedButton::SetButtonDirection(TButtonDirection Value)
{
    FButtonDirection = Value;
    Invalidate();
}

void TExTimerSpeedButton::SetIsWinXP(bool Value)
{
    FIsWinXP = Value;
    Invalidate();
}

void TExTimerSpeedButton::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    TSpeedButton::MouseDown(Button, Shift, X, Y);
    if (FTimeBtnState.Contains(tbAllowTimer)) {
        if (!FRepeatTimer) {
            FRepeatTimer = new TTimer(this);
            FRepeatTimer->OnTimer = [this](TObject* Sender) { TimerExpired(Sender); };
        }
        FRepeatTimer->SetInterval(SpinInitRepeatPause);
        FRepeatTimer->SetEnabled(true);
    }
    if (Parent())
        Parent()->Invalidate();
}

void TExTimerSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    TSpeedButton::MouseUp(Button, Shift, X, Y);
    if (FRepeatTimer)
        FRepeatTimer->SetEnabled(false);
    if (Parent())
        Parent()->Invalidate();
}

void TExTimerSpeedButton::TimerExpired(TObject*)
{
    FRepeatTimer->SetInterval(SpinRepeatPause);
    if (FState != bsDown || !MouseCapture())
        return;
    // The click may free the button, and its timer with it.
    const std::shared_ptr<bool> Alive = FAlive;
    try {
        Click();
    } catch (...) {
        if (*Alive)
            FRepeatTimer->SetEnabled(false);
        throw;
    }
}

const TButtonColors* TExTimerSpeedButton::OwnColours() const
{
    const auto* Pair = dynamic_cast<const TButtonColors*>(Parent());
    return Pair && Pair->HasButtonColor() ? Pair : nullptr;
}

void TExTimerSpeedButton::DrawOwnColours(const TButtonColors& Colours)
{
    const TColor Face = Colours.ButtonFillColor(MouseInControl(), FState == bsDown);
    Canvas()->Brush()->SetColor(Face);
    Canvas()->Pen()->SetColor(Face);
    Canvas()->Rectangle(ClientRect());
    Canvas()->Brush()->SetColor(clBlack);
    Canvas()->Pen()->SetColor(clBlack);
    Canvas()->Polygon(SpinArrowPoints(FButtonDirection));
}

bool TExTimerSpeedButton::DrawThemed()
{
    if (!FIsWinXP)
        return false;
    const HTHEME Theme = OpenThemeData(Parent() ? Parent()->Handle() : nullptr, QStringLiteral("spin"));
    if (!Theme)
        return false;
    const Integer State = FState == bsDown ? UPS_PRESSED : MouseInControl() ? UPS_HOT : UPS_NORMAL;
    DrawThemeBackground(Theme, Canvas(), SpinThemePart(FButtonDirection), State, ClientRect());
    CloseThemeData(Theme);
    return true;
}

void TExTimerSpeedButton::Paint()
{
    if (const TButtonColors* Colours = OwnColours()) {
        DrawOwnColours(*Colours);
    } else if (!DrawThemed()) {
        if (FButtonDirection == bdLeft || FButtonDirection == bdRight) {
            TRect R = ClientRect();
            DrawFrameControl(Canvas(), R, DFC_SCROLL,
                             (FButtonDirection == bdLeft ? DFCS_SCROLLLEFT : DFCS_SCROLLRIGHT) |
                                 (FState == bsDown ? UINT(DFCS_PUSHED) : 0u) | (Flat() ? UINT(DFCS_FLAT) : 0u));
        } else {
            TSpeedButton::Paint();
        }
    }
    if (FTimeBtnState.Contains(tbFocusRect)) {
        TRect R = ClientRect();
        InflateRect(R, -3, -3);
        if (FState == bsDown)
            OffsetRect(R, 1, 1);
        Canvas()->DrawFocusRect(R);
    }
}

// ---------------------------------------------------------------- TEsgSpinButton

TEsgSpinButton::TEsgSpinButton(TComponent* AOwner) : TEsgButtonHolder(AOwner)
{
    Init_EsgSpin_Resources();
    FUpButton = CreateButton(bdUp, "EsgSpinUp");
    FDownButton = CreateButton(bdDown, "EsgSpinDown");
    FFocusedButton = FUpButton;
    SetBounds(Left(), Top(), 15, 25);
}

TEsgSpinButton::~TEsgSpinButton() = default;

TExTimerSpeedButton* TEsgSpinButton::CreateButton(TButtonDirection Direction, const char* Glyph)
{
    auto* B = new TExTimerSpeedButton(this);
    B->SetParent(this);
    B->SetTimeBtnState(TTimeBtnState{tbAllowTimer});
    B->SetButtonDirection(Direction);
    B->OnClick = [this](TObject* Sender) { BtnClick(Sender); };
    B->OnMouseDown = [this](TObject* Sender, TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
        BtnMouseDown(Sender, Button, Shift, X, Y);
    };
    TBitmap Picture;
    Picture.LoadFromResourceName(QString::fromLatin1(Glyph));
    B->SetGlyph(&Picture);
    B->SetNumGlyphs(1);
    return B;
}

void TEsgSpinButton::SetDirection(TSpinDirection Value)
{
    if (Value == FDirection)
        return;
    FDirection = Value;
    const bool Horizontal = Value == spHorizontal;
    FUpButton->SetButtonDirection(Horizontal ? bdRight : bdUp);
    FDownButton->SetButtonDirection(Horizontal ? bdLeft : bdDown);
    SetWidth(Horizontal ? 20 : 15);
    LayoutButtons();
}

void TEsgSpinButton::SetUpGlyph(TBitmap* Value)
{
    FUpButton->SetGlyph(Value);
}

void TEsgSpinButton::SetDownGlyph(TBitmap* Value)
{
    FDownButton->SetGlyph(Value);
}

void TEsgSpinButton::SetIsWinXP(bool Value)
{
    FUpButton->SetIsWinXP(Value);
    FDownButton->SetIsWinXP(Value);
}

void TEsgSpinButton::SetFlat(bool Value)
{
    FUpButton->SetFlat(Value);
    FDownButton->SetFlat(Value);
}

void TEsgSpinButton::SetTransparent(bool Value)
{
    FUpButton->SetTransparent(Value);
    FDownButton->SetTransparent(Value);
}

void TEsgSpinButton::ButtonColorsChanged()
{
    FUpButton->Invalidate();
    FDownButton->Invalidate();
}

void TEsgSpinButton::LayoutButtons()
{
    Integer W = Width(), H = Height();
    if (FDirection == spVertical) {
        W = std::max<Integer>(W, 15);
        const Integer UpHeight = H / 2;
        FUpButton->SetBounds(0, 0, W, UpHeight);
        FDownButton->SetBounds(0, UpHeight - 1, W, H - UpHeight + 1);
    } else {
        W = std::max<Integer>(W, 20);
        FDownButton->SetBounds(0, 0, W / 2, H);
        FUpButton->SetBounds(W / 2 + 1, 0, W / 2, H);
    }
}

void TEsgSpinButton::WMSize(TWMSize& Message)
{
    TEsgButtonHolder::WMSize(Message);
    LayoutButtons();
}

void TEsgSpinButton::BtnClick(TObject* Sender)
{
    const TNotifyEvent& Event = Sender == FUpButton ? OnUpClick : OnDownClick;
    if (Event)
        Event(this);
}

void TEsgSpinButton::BtnMouseDown(TObject* Sender, TMouseButton Button, TShiftState, Integer, Integer)
{
    if (Button != mbLeft)
        return;
    SetFocusBtn(static_cast<TExTimerSpeedButton*>(Sender));
    FocusAfterButton();
}

void TEsgSpinButton::SetFocusBtn(TExTimerSpeedButton* Btn)
{
    if (!TabStop() || !CanFocus() || Btn == FFocusedButton)
        return;
    FFocusedButton->SetTimeBtnState(FFocusedButton->TimeBtnState() - TTimeBtnState{tbFocusRect});
    FFocusedButton = Btn;
    if (Focused())
        FFocusedButton->SetTimeBtnState(FFocusedButton->TimeBtnState() + TTimeBtnState{tbFocusRect});
}

void TEsgSpinButton::KeyDown(Word& Key, TShiftState Shift)
{
    switch (Key) {
    case VK_SPACE: FFocusedButton->Click(); break;
    case VK_UP:
        SetFocusBtn(FUpButton);
        FUpButton->Click();
        break;
    case VK_DOWN:
        SetFocusBtn(FDownButton);
        FDownButton->Click();
        break;
    default: break;
    }
    TEsgButtonHolder::KeyDown(Key, Shift);
}

void TEsgSpinButton::WMGetDlgCode(TWMGetDlgCode& Message)
{
    Message.Result = DLGC_WANTARROWS;
}

void TEsgSpinButton::CMEnter(TMessage& Message)
{
    FFocusedButton->SetTimeBtnState(FFocusedButton->TimeBtnState() + TTimeBtnState{tbFocusRect});
    TEsgButtonHolder::CMEnter(Message);
}

void TEsgSpinButton::CMExit(TMessage& Message)
{
    FFocusedButton->SetTimeBtnState(FFocusedButton->TimeBtnState() - TTimeBtnState{tbFocusRect});
    TEsgButtonHolder::CMExit(Message);
}

// ---------------------------------------------------------------- TEsgSpinEdit

TEsgSpinEdit::TEsgSpinEdit(TComponent* AOwner) : TEsgSideControlEdit(AOwner)
{
    FButton = new TEsgSpinButton(this);
    FButton->SetParent(this);
    FButton->SetBounds(0, 0, 15, 17);
    FButton->SetFocusControl(this);
    FButton->OnUpClick = [this](TObject* Sender) { UpClick(Sender); };
    FButton->OnDownClick = [this](TObject* Sender) { DownClick(Sender); };
    SetText(QStringLiteral("0"));
    LayOut();
}

TEsgSpinEdit::~TEsgSpinEdit() = default;

bool TEsgSpinEdit::Loading() const
{
    return ComponentState().Contains(csLoading);
}

// ---------------------------------------------------------------- values

Integer TEsgSpinEdit::CheckValue(Integer NewValue) const
{
    return FMinValue == FMaxValue ? NewValue : std::clamp(NewValue, FMinValue, FMaxValue);
}

double TEsgSpinEdit::CheckFloatValue(double NewValue) const
{
    return FMinFloatValue == FMaxFloatValue ? NewValue : std::clamp(NewValue, FMinFloatValue, FMaxFloatValue);
}

TDateTime TEsgSpinEdit::CheckDateValue(TDateTime NewValue) const
{
    return FMinDateValue == FMaxDateValue ? NewValue : std::clamp(NewValue, FMinDateValue, FMaxDateValue);
}

Integer TEsgSpinEdit::Value() const
{
    const String S = Trim(Text());
    if (S.isEmpty())
        return 0;
    Integer V;
    return TryStrToInt(S, V) ? V : FMinValue;
}

void TEsgSpinEdit::SetValue(Integer NewValue)
{
    // OnChange may free the edit.
    const std::shared_ptr<bool> Alive = FAlive;
    SetText(IntToStr(CheckValue(NewValue)));
    if (*Alive && !FEditorEnabled)
        SelectAll();
}

double TEsgSpinEdit::FloatValue() const
{
    double V;
    return TryStrToFloat(Text(), V) ? V : FMinFloatValue;
}

void TEsgSpinEdit::SetFloatValue(double NewValue)
{
    const double V = CheckFloatValue(NewValue);
    SetText(FPrecision != 0 ? FloatToStrF(V, ffFixed, 15, FPrecision) : FloatToStr(V));
}

TDateTime TEsgSpinEdit::DateValue() const
{
    const String S = Text();
    if (S.isEmpty() || S == QLatin1String("0"))
        return Now();
    TDateTime V;
    return TryStrToDate(S, V) ? V : FMinDateValue;
}

void TEsgSpinEdit::SetDateValue(TDateTime NewValue)
{
    FDateValue = NewValue;
    if (Loading())
        return;
    SetTextKeepCaret(DateToStr(CheckDateValue(NewValue)));
}

TDateTime TEsgSpinEdit::TimeValue() const
{
    TDateTime V;
    return TryStrToTime(Text(), V) ? V : 0;
}

void TEsgSpinEdit::SetTimeValue(TDateTime NewValue)
{
    FTimeValue = NewValue;
    if (Loading())
        return;
    const TDateTime V = CheckDateValue(NewValue);
    SetTextKeepCaret(FShowSeconds ? TimeToStr(V) : FormatDateTime(QStringLiteral("h:nn"), V));
}

void TEsgSpinEdit::SetTextKeepCaret(const String& NewText)
{
    const std::shared_ptr<bool> Alive = FAlive;
    const Integer Caret = SelStart();
    SetText(NewText);
    if (*Alive)
        SetSelStart(Caret);
}

void TEsgSpinEdit::SetSpinType(TEsgSpinType Value)
{
    FSpinType = Value;
    switch (Value) {
    case sptNormal: SetValue(this->Value()); break;
    case sptFloat: SetFloatValue(FloatValue()); break;
    case sptDate: SetDateValue(DateValue()); break;
    case sptTime: SetTimeValue(TimeValue()); break;
    }
}

void TEsgSpinEdit::SetPrecision(Integer Value)
{
    FPrecision = Value;
    if (FSpinType == sptFloat)
        SetFloatValue(FloatValue());
}

void TEsgSpinEdit::SetIncrementHours(Integer Value)
{
    if (Value >= 0 && Value < 24)
        FIncrementHours = Value;
}

void TEsgSpinEdit::SetIncrementMinutes(Integer Value)
{
    if (Value >= 0 && Value < 60)
        FIncrementMinutes = Value;
}

void TEsgSpinEdit::SetIncrementSeconds(Integer Value)
{
    if (Value >= 0 && Value < 60)
        FIncrementSeconds = Value;
}

// ---------------------------------------------------------------- look

void TEsgSpinEdit::SetDirection(TSpinDirection Value)
{
    FDirection = Value;
    FButton->SetDirection(Value);
    // Redone by the width going there and back.
    SetWidth(Width() + 1);
    SetWidth(Width() - 1);
}

void TEsgSpinEdit::SetSpinFlat(bool Value)
{
    FSpinFlat = Value;
    FButton->SetFlat(Value);
}

void TEsgSpinEdit::SetSpinTransparent(bool Value)
{
    FSpinTransparent = Value;
    FButton->SetTransparent(Value);
    SetWidth(Width() + 1);
    SetWidth(Width() - 1);
}

void TEsgSpinEdit::SetEditAlign(TEditAlign Value)
{
    FEditAlign = Value;
    SetAlignment(Value == eaRight ? taRightJustify : Value == eaCenter ? taCenter : taLeftJustify);
}

void TEsgSpinEdit::SetIsWinXP(bool Value)
{
    FIsWinXP = Value;
    FButton->SetIsWinXP(Value);
}

Integer TEsgSpinEdit::GetMinHeight()
{
    const TEditorFontHeights H = EditorFontHeights(Font());
    Integer Result = H.Font + H.Smaller / 4 + 2;
    if (BorderStyle() == bsSingle)
        Result += GetSystemMetrics(SM_CYBORDER) * 4;
    return Result;
}

void TEsgSpinEdit::SetEditRect()
{
    const Integer M = BorderStyle() == bsSingle ? 0 : 3;
    TRect R(M, M, ClientWidth() - FButton->Width() - M - 2, ClientHeight() + 1);
    Perform(EM_SETRECTNP, 0, LPARAM(&R));
}

// ---------------------------------------------------------------- stepping

void TEsgSpinEdit::UpClick(TObject*)
{
    IncrementStep(false);
}

void TEsgSpinEdit::DownClick(TObject*)
{
    DecrementStep(false);
}

void TEsgSpinEdit::IncrementStep(bool Page)
{
    Step(1, Page);
}

void TEsgSpinEdit::DecrementStep(bool Page)
{
    Step(-1, Page);
}

void TEsgSpinEdit::Step(Integer Sign, bool Page)
{
    if (ReadOnly()) {
        MessageBeep(0);
        return;
    }
    switch (FSpinType) {
    case sptNormal: SetValue(Value() + Sign * FIncrement); break;
    case sptFloat: SetFloatValue(FloatValue() + Sign * (Page ? FIncrementFloatPage : FIncrementFloat)); break;
    case sptDate: StepDate(Sign); break;
    case sptTime: StepTime(Sign); break;
    }
}

void TEsgSpinEdit::StepDate(Integer Sign)
{
    const String Format = UpperCase(FormatSettings.ShortDateFormat);
    FUsDates = Pos(QStringLiteral("M"), Format) < Pos(QStringLiteral("D"), Format);
    // The field under the caret: before the first separator, before the
    // second, or after it.
    const String S = Text();
    const Integer First = Pos(String(FormatSettings.DateSeparator), S);
    const Integer Second = First > 0 ? Pos(String(FormatSettings.DateSeparator), S, First + 1) : 0;
    const Integer Caret = SelStart();
    const Integer Field = Caret < First ? 1 : Caret < Second ? 2 : 3;
    const TDateTime D = DateValue();
    TDateTime Result;
    if (Field == 3)
        Result = IncMonth(D, 12 * Sign); // a year (the 29th of February becomes the 28th)
    else if ((Field == 1) == FUsDates)
        Result = IncMonth(D, Sign);
    else
        Result = D + Sign;
    SetDateValue(Result);
}

void TEsgSpinEdit::StepTime(Integer Sign)
{
    const String S = Text();
    const String Sep(FormatSettings.TimeSeparator);
    const Integer First = Pos(Sep, S);
    const Integer Second = First > 0 ? Pos(Sep, S, First + 1) : 0;
    const Integer Caret = SelStart();
    TDateTime StepSize;
    if (Caret < First)
        StepSize = EncodeTime(Word(FIncrementHours), 0, 0, 0);
    else if (FShowSeconds && Second > 0 && Caret >= Second)
        StepSize = EncodeTime(0, 0, Word(FIncrementSeconds), 0);
    else
        StepSize = EncodeTime(0, Word(FIncrementMinutes), 0, 0);
    TDateTime Result;
    if (Sign > 0) {
        Result = TimeValue() + StepSize;
    } else {
        // Below midnight it wraps to the evening of the same day.
        Result = TimeValue() + 1 - StepSize;
        if (Result > 1)
            Result -= 1;
    }
    SetTimeValue(Result);
}

// ---------------------------------------------------------------- keys

bool TEsgSpinEdit::IsValidChar(Char Key)
{
    const TFormatSettings& FS = FormatSettings;
    const char16_t C = Key.unicode();
    if (C == VK_BACK)
        return FEditorEnabled;
    const bool Number = Key.isNumber();
    bool Result = Key == FS.DecimalSeparator || Key == FS.ThousandSeparator || Key == FS.TimeSeparator ||
                  Key == FS.DateSeparator || Number || C == u'-' || (C < u' ' && C != VK_RETURN);
    // A separator of another type only where it is also a number's character.
    const auto NumberSeparator = [&](Char Sep) {
        return (FSpinType == sptNormal || FSpinType == sptFloat) &&
               (Sep == FS.DecimalSeparator || Sep == FS.ThousandSeparator || Sep == u'-' || Sep == u'+');
    };
    if (Key == FS.TimeSeparator && FSpinType != sptTime)
        Result = Result && NumberSeparator(FS.TimeSeparator);
    if (Key == FS.DateSeparator && FSpinType != sptDate)
        Result = Result && NumberSeparator(FS.DateSeparator);
    if (C == u'-') {
        const bool HasMinus = Text().contains(QLatin1Char('-'));
        if (SelStart() != 0 || (HasMinus && !SelText().contains(QLatin1Char('-'))))
            Result = false;
    }
    if (FSpinType == sptNormal)
        Result = Result && (Number || C == u'-');
    if (FSpinType == sptFloat && C != VK_ESCAPE && C != VK_RETURN) {
        const String S = Text();
        if (Key == FS.ThousandSeparator)
            Result = false;
        if (Key == FS.DecimalSeparator && S.contains(FS.DecimalSeparator) && !SelText().contains(FS.DecimalSeparator))
            Result = false;
        const qsizetype Separator = S.indexOf(FS.DecimalSeparator);
        if (FPrecision > 0 && Separator >= 0 && SelStart() > Separator && SelLength() == 0 &&
            S.size() >= Separator + 1 + FPrecision)
            Result = false; // no more decimals than Precision
    }
    if (FSpinType == sptTime && Key == FS.TimeSeparator && Text().count(FS.TimeSeparator) > 1)
        Result = false;
    if (!FEditorEnabled && C >= u' ')
        Result = false;
    return Result;
}

void TEsgSpinEdit::KeyPress(Char& Key)
{
    if (!IsValidChar(Key)) {
        Key = QChar(0);
        MessageBeep(0);
    }
    if (Key.unicode() != 0)
        TEsgSideControlEdit::KeyPress(Key);
}

void TEsgSpinEdit::WMKeyDown(TWMKey& Message)
{
    switch (Message.CharCode) {
    case VK_UP: IncrementStep(false); break;
    case VK_PRIOR: IncrementStep(true); break;
    case VK_DOWN: DecrementStep(false); break;
    case VK_NEXT: DecrementStep(true); break;
    default: TEsgSideControlEdit::WMKeyDown(Message); return;
    }
    Message.CharCode = 0;
}

void TEsgSpinEdit::KeyDown(Word& Key, TShiftState Shift)
{
    if (Key == VK_RETURN && FReturnIsTab) {
        Key = VK_TAB;
        PostMessage(Handle(), WM_KEYDOWN, VK_TAB, 0);
    }
    if (Key == VK_DELETE && !FEditorEnabled)
        Key = 0;
    TEsgSideControlEdit::KeyDown(Key, Shift);
}

void TEsgSpinEdit::WMChar(TWMKey& Message)
{
    // The keypad's decimal key types the decimal separator.
    if (FExcelStyleDecimalSeparator && Message.CharCode == u'.' && (Message.KeyData & (1 << 22)))
        Message.CharCode = FormatSettings.DecimalSeparator.unicode();
    TEsgSideControlEdit::WMChar(Message);
}

void TEsgSpinEdit::CMEnter(TMessage& Message)
{
    TEsgSideControlEdit::CMEnter(Message);
    if (!FEditorEnabled)
        SelectAll();
}

void TEsgSpinEdit::CMExit(TMessage& Message)
{
    TEsgSideControlEdit::CMExit(Message);
    // A value outside its range is written back: clamped and reformatted.
    switch (FSpinType) {
    case sptNormal:
        if (CheckValue(Value()) != Value())
            SetValue(Value());
        break;
    case sptFloat:
        if (CheckFloatValue(FloatValue()) != FloatValue())
            SetFloatValue(FloatValue());
        break;
    case sptDate:
        if (CheckDateValue(DateValue()) != DateValue())
            SetDateValue(DateValue());
        break;
    case sptTime:
        if (CheckDateValue(TimeValue()) != TimeValue())
            SetTimeValue(TimeValue());
        break;
    }
}

void TEsgSpinEdit::Loaded()
{
    TEsgSideControlEdit::Loaded();
    if (FSpinType == sptDate)
        SetDateValue(FDateValue);
    else if (FSpinType == sptTime)
        SetTimeValue(FTimeValue);
    SetSpinType(FSpinType);
}
