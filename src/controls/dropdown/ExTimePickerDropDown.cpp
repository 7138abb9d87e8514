// The time picker drop-down: its time text, the clock face in the pop-up
// with the optional time-of-day picker, and its keys.
#include "controls/dropdown/ExTimePickerDropDown.h"

#include "controls/dropdown/FlagScope.h"
#include "platform/UserLocale.h"

namespace time_picker {

String TwoDigitText(Integer N)
{
    return N < 10 ? QStringLiteral("0") + QString::number(N) : QString::number(N);
}

// Blanks become zeros.
String BlanksToZeros(String S)
{
    S.replace(QLatin1Char(' '), QLatin1Char('0'));
    return S;
}

// The part may be read as a number: its characters are digits (an empty
// part counts as 0).
bool IsDigitText(const String& S)
{
    return std::all_of(S.begin(), S.end(), [](QChar C) { return C >= u'0' && C <= u'9'; });
}

} // namespace time_picker


TExTimePickerDropDown::TExTimePickerDropDown(TComponent* AOwner)
    : TExCustomDropDown(AOwner), FWatchAppearance(std::make_unique<TWatchAppearance>()),
      FWatchSettings(std::make_unique<TWatchSettings>())
{
}

TExTimePickerDropDown::~TExTimePickerDropDown() = default;

void TExTimePickerDropDown::AfterConstruction()
{
    TExCustomDropDown::AfterConstruction();
    FShowTimePicker = false;
    SetEditorEnabled(false);
    SetDropDownEnabled(true);
    FShowSeconds = true;
    {
        TFlagScope Internal(FInternalCall);
        SetEditMask(TimeMask());
        const String Zero = QStringLiteral("00");
        const Char Sep = platform::UserTimeSeparator();
        SetPlainText(Zero + Sep + Zero + Sep + Zero);
    }
    DropDownHeader()->SetVisible(false);
    DropDownFooter()->SetVisible(false);
}

void TExTimePickerDropDown::Notification(TComponent* AComponent, TOperation Operation)
{
    TExCustomDropDown::Notification(AComponent, Operation);
    if (Operation != opRemove)
        return;
    if (AComponent == FExWatch)
        FExWatch = nullptr;
    if (AComponent == FPanelCtrl)
        FPanelCtrl = nullptr;
    if (AComponent == FDateTimePicker)
        FDateTimePicker = nullptr;
}

// ---------------------------------------------------------------- the time and its text

String TExTimePickerDropDown::TimeMask() const
{
    const Char Sep = platform::UserTimeSeparator();
    return FShowSeconds ? QStringLiteral("!90") + Sep + QStringLiteral("00") + Sep + QStringLiteral("00;1; ")
                        : QStringLiteral("!90") + Sep + QStringLiteral("00;1; ");
}

String TExTimePickerDropDown::FormatTimeText(TDateTime Value) const
{
    const TTimeParts P = DecodeTimeParts(Value);
    const Char Sep = platform::UserTimeSeparator();
    String S = time_picker::TwoDigitText(P.Hour) + Sep + time_picker::TwoDigitText(P.Minute);
    if (FShowSeconds)
        S += Sep + time_picker::TwoDigitText(P.Second);
    return S;
}

void TExTimePickerDropDown::SetTime(TDateTime Value)
{
    if (Value == FTime)
        return;
    FTime = Value;
    {
        TFlagScope Internal(FInternalCall);
        SetPlainText(FormatTimeText(Value));
    }
    if (!DroppedDown())
        return;
    if (FExWatch)
        FExWatch->SetTime(Value);
    if (FShowTimePicker && FDateTimePicker)
        FDateTimePicker->SetTime(Value);
}

void TExTimePickerDropDown::SetShowSeconds(bool Value)
{
    if (Value == FShowSeconds)
        return;
    FShowSeconds = Value;
    {
        TFlagScope Internal(FInternalCall);
        SetEditMask(String());
        SetPlainText(String());
        SetEditMask(TimeMask());
    }
    // Another value first, so that the text is written anew in its form.
    const TDateTime Old = FTime;
    FTime = Old + 1;
    SetTime(Old);
}

void TExTimePickerDropDown::TimeChanged()
{
    if (OnTimeChange)
        OnTimeChange(this);
}

void TExTimePickerDropDown::SetPart(Integer Part, Byte Value)
{
    TTimeParts P = DecodeTimeParts(FTime);
    Word* Field = Part == 0 ? &P.Hour : Part == 1 ? &P.Minute : &P.Second;
    const Integer Limit = Part == 0 ? 23 : 59;
    if (Value == *Field || Value > Limit)
        return;
    *Field = Value;
    SetTime(EncodeTime(P.Hour, P.Minute, P.Second, P.MSec));
    TimeChanged();
}

void TExTimePickerDropDown::SetHourPart(Byte Value)
{
    SetPart(0, Value);
}

void TExTimePickerDropDown::SetMinutePart(Byte Value)
{
    SetPart(1, Value);
}

void TExTimePickerDropDown::SetSecondPart(Byte Value)
{
    SetPart(2, Value);
}

// ---------------------------------------------------------------- typed text

bool TExTimePickerDropDown::ReadTimeText(const String& Text, TDateTime& Value) const
{
    const Char Sep = platform::UserTimeSeparator();
    const qsizetype Seps = Text.count(Sep);
    if (Seps != (FShowSeconds ? 2 : 1))
        return false;
    const QStringList Parts = time_picker::BlanksToZeros(Text).split(Sep);
    Integer Numbers[3] = {0, 0, 0};
    for (qsizetype I = 0; I < Parts.size(); ++I) {
        const String Part = Parts[I].trimmed();
        if (!time_picker::IsDigitText(Part))
            return false;
        Numbers[I] = Part.isEmpty() ? 0 : Part.toInt();
    }
    // A time out of range leaves the time as it is.
    return Numbers[0] < 24 && Numbers[1] < 60 && Numbers[2] < 60 &&
           TryEncodeTime(Word(Numbers[0]), Word(Numbers[1]), Word(Numbers[2]), 0, Value);
}

void TExTimePickerDropDown::Change()
{
    TExCustomDropDown::Change();
    if (FInternalCall)
        return;
    const String Text = GetText().trimmed();
    // A complete text: hh sep mm, or hh sep mm sep ss with seconds.
    if (Text.size() != (FShowSeconds ? 8 : 5))
        return;
    TDateTime Value;
    if (!ReadTimeText(Text, Value))
        return;
    FTime = Value;
    const TTimeParts P = DecodeTimeParts(Value);
    const String Formatted = FormatTimeText(Value);
    if (Formatted != GetText() && P.Minute == 0 && P.Second == 0) {
        TFlagScope Internal(FInternalCall);
        SetPlainText(Formatted);
    }
}

void TExTimePickerDropDown::KeyDown(Word& Key, TShiftState Shift)
{
    TExCustomDropDown::KeyDown(Key, Shift);
    if (Key != VK_UP && Key != VK_DOWN)
        return;
    if (GetKeyState(VK_MENU) < 0 || Shift.Contains(ssAlt) || Shift.Contains(ssCtrl))
        return;
    const Integer Caret = SelStart();
    const String Text = GetText();
    const Char Sep = platform::UserTimeSeparator();
    const Integer P1 = Integer(Text.indexOf(Sep)) + 1;
    const Integer P2 = Integer(Text.mid(P1).indexOf(Sep)) + 1;
    const TTimeParts P = DecodeTimeParts(FTime);
    const bool Up = Key == VK_UP;
    const auto Step = [Up](Integer V, Integer Max) { return Byte(Up ? (V == 0 ? Max : V - 1) : (V == Max ? 0 : V + 1)); };
    if (Caret < P1)
        SetHourPart(Step(P.Hour, 23));
    else if (P2 > 0 && Caret - P1 >= P2 && FShowSeconds)
        SetSecondPart(Step(P.Second, 59));
    else
        SetMinutePart(Step(P.Minute, 59));
    SetSelStart(Caret);
    SetSelLength(0);
}

// ---------------------------------------------------------------- style

void TExTimePickerDropDown::SetComponentStyle(TQVXStyle AStyle)
{
    TExCustomDropDown::SetComponentStyle(AStyle);
    ApplyWatchComponentStyle(FWatchAppearance.get(), AStyle);
}

// ---------------------------------------------------------------- the pop-up

void TExTimePickerDropDown::CreateDropDownForm()
{
    TExCustomDropDown::CreateDropDownForm();
    if (!FPanelCtrl) {
        FPanelCtrl = new TPanel(this);
        FPanelCtrl->SetParent(DropDownForm());
        FPanelCtrl->SetBevelOuter(bvNone);
        FPanelCtrl->SetBevelInner(bvNone);
        FPanelCtrl->SetBorderWidth(0);
    }
    FPanelCtrl->SetBounds(0, 0, FPanelCtrl->Width(), 180);
    if (!FExWatch) {
        FExWatch = new TExWatch(this);
        FExWatch->SetParent(FPanelCtrl);
    }
    FExWatch->SetAlign(alClient);
    SetControl(FPanelCtrl);
}

void TExTimePickerDropDown::DoBeforeDropDown()
{
    TExCustomDropDown::DoBeforeDropDown();
    FTextAtOpening = RawText();
    FTimeAtOpening = FTime;
    TDropDownForm* Form = DropDownForm();
    if (!Form || !FPanelCtrl || !FExWatch)
        return;
    FPanelCtrl->SetAlign(alNone);
    FPanelCtrl->SetBounds(0, 0, 170, 170);
    Form->SetWidth(Form->Width() + 1);
    Form->SetWidth(Form->Width() - 1);
    Form->SetCancelOnDeActivate(false);
    FPanelCtrl->SetColor(DropDownColor());
    FExWatch->SetAppearance(FWatchAppearance.get());
    FExWatch->SetSettings(FWatchSettings.get());
    FExWatch->SetShowAMPM(FShowWatchAMPM);
    FExWatch->SetShowNumbers(FShowWatchNumbers);
    FExWatch->SetAnimation(FAnimation);
    FExWatch->SetAnimationFactor(FAnimationFactor);
    FExWatch->OnChange = nullptr;
    if (!FWatchSettings->Auto())
        FExWatch->SetTime(FTime);
    FExWatch->OnChange = [this](TObject* Sender) { WatchChanged(Sender); };
    ShowPicker();
    // The pop-up takes the panel's size as it stands now.
    SetControl(nullptr);
    SetControl(FPanelCtrl);
}

void TExTimePickerDropDown::ShowPicker()
{
    if (!FShowTimePicker) {
        if (FDateTimePicker)
            FDateTimePicker->SetVisible(false);
        return;
    }
    if (!FDateTimePicker) {
        FDateTimePicker = new TDateTimePicker(this);
        FDateTimePicker->SetParent(FPanelCtrl);
        FDateTimePicker->SetKind(dtkTime);
    }
    FDateTimePicker->OnChange = nullptr;
    FDateTimePicker->SetAlign(alBottom);
    FDateTimePicker->SetVisible(true);
    FDateTimePicker->SetTime(FTime);
    FDateTimePicker->BringToFront();
    FDateTimePicker->OnChange = [this](TObject* Sender) { PickerChange(Sender); };
    FDateTimePicker->OnKeyDown = [this](TObject*, Word& Key, TShiftState Shift) { ControlKeyDown(Key, Shift); };
    FDateTimePicker->OnKeyUp = [this](TObject*, Word& Key, TShiftState Shift) { ControlKeyUp(Key, Shift); };
    FDateTimePicker->OnKeyPress = [this](TObject*, Char& Key) { ControlKeyPress(Key); };
    FDateTimePicker->SetFormat(FShowSeconds ? QStringLiteral("HH:mm:ss") : QStringLiteral("HH:mm"));
    FPanelCtrl->SetHeight(FDateTimePicker->Height() + 170);
}

void TExTimePickerDropDown::WatchChanged(TObject*)
{
    if (!FExWatch)
        return;
    const TDateTime WatchTime = FExWatch->Time();
    if (FDateTimePicker && FShowTimePicker && FDateTimePicker->Time() != Frac(WatchTime)) {
        FDateTimePicker->SetTime(WatchTime);
        TimeChanged();
    }
    SetTime(WatchTime);
}

void TExTimePickerDropDown::PickerChange(TObject*)
{
    if (FDateTimePicker && FExWatch && !FWatchSettings->Auto())
        FExWatch->SetTime(FDateTimePicker->Time());
}

void TExTimePickerDropDown::DoHideDropDown(bool Cancel)
{
    if (!Cancel) {
        TExCustomDropDown::DoHideDropDown(false);
        if (FExWatch)
            SetTime(FExWatch->Time());
        return;
    }
    // The clock face's changes reach Time while the pop-up is open, and the
    // base puts back the text of the last SetText, which SetTime does not
    // renew: Time and the text from before the opening are put back.
    const bool WasOpen = DroppedDown();
    {
        TFlagScope Cancelling(FCancelling), Internal(FInternalCall);
        TExCustomDropDown::DoHideDropDown(true);
        if (WasOpen) {
            FTime = FTimeAtOpening;
            SetPlainText(FTextAtOpening);
        }
    }
    if (FExWatch)
        FExWatch->SetTime(FTime);
}

void TExTimePickerDropDown::DropDownClosed()
{
    TExCustomDropDown::DropDownClosed();
    // Cancelling closes through here as well: the clock face is set back
    // to Time first, so Time keeps its value.
    if (FExWatch && !FCancelling)
        SetTime(FExWatch->Time());
}

// ---------------------------------------------------------------- keys of the pop-up

bool TExTimePickerDropDown::PassesToEdit(Word Key, TShiftState Shift)
{
    const bool ClockKey = Key == VK_PRIOR || Key == VK_NEXT || Key == VK_UP || Key == VK_DOWN;
    return !ClockKey || Shift.Contains(ssAlt);
}

void TExTimePickerDropDown::FormKeyDown(Word& Key, TShiftState Shift)
{
    if (PassesToEdit(Key, Shift))
        TExCustomDropDown::FormKeyDown(Key, Shift);
    if (DropDownForm() && DropDownForm()->Visible() && FExWatch)
        FExWatch->HandleKey(Key);
}

void TExTimePickerDropDown::FormKeyUp(Word& Key, TShiftState Shift)
{
    if (PassesToEdit(Key, Shift))
        TExCustomDropDown::FormKeyUp(Key, Shift);
}

void TExTimePickerDropDown::ControlKeyDown(Word& Key, TShiftState Shift)
{
    if (PassesToEdit(Key, Shift))
        TExCustomDropDown::ControlKeyDown(Key, Shift);
}

void TExTimePickerDropDown::ControlKeyUp(Word& Key, TShiftState Shift)
{
    if (PassesToEdit(Key, Shift))
        TExCustomDropDown::ControlKeyUp(Key, Shift);
}
