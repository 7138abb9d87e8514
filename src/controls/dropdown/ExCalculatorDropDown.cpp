// The calculator drop-down: its state, the button steps and its keys.
#include "controls/dropdown/ExCalculatorDropDown.h"

#include "platform/UserLocale.h"

#include <QLineEdit>

#include <algorithm>
#include <cmath>

namespace {

enum : Integer { OpNone = -1, OpAdd = 0, OpMultiply = 1, OpSubtract = 2, OpDivide = 3 };

const String ErrorText = QStringLiteral("Error");

constexpr Int64 MaxDecimalDivisor = 1000000000000000000LL;

// Format's settings with the user's separators, as the edit uses them.
TFormatSettings CalculatorFormat()
{
    TFormatSettings S = TFormatSettings::Create();
    S.DecimalSeparator = platform::UserDecimalSeparator();
    S.ThousandSeparator = platform::UserThousandSeparator();
    return S;
}

bool IsNumberCharacter(Char C)
{
    return C.isNumber();
}

bool IsCalculatorDigit(Char C)
{
    return C >= u'0' && C <= u'9';
}

} // namespace

TExCalculatorDropdown::TExCalculatorDropdown(TComponent* AOwner)
    : TExCustomDropDown(AOwner), FCalcButtonAppearance(std::make_unique<TButtonAppearance>())
{
}

TExCalculatorDropdown::~TExCalculatorDropdown() = default;

void TExCalculatorDropdown::AfterConstruction()
{
    TExCustomDropDown::AfterConstruction();
    SetDropDownColor(clWhite);
    SetDropDownWidth(230);
    DropDownHeader()->SetVisible(false);
    DropDownFooter()->SetVisible(false);
    SetEditType(etFloat);
    FPendingOperation = OpNone;
    SetPrecision(2);
    FDecimalDivisor = 0;
    FCalculatorClosed = true;
    FMemory = 0;
}

void TExCalculatorDropdown::CreateDropDownForm()
{
    TExCustomDropDown::CreateDropDownForm();
    if (!FButtonPanel) {
        FButtonPanel = new TCustomButtonPanel(this);
        FButtonPanel->SetParent(DropDownForm());
        FButtonPanel->SetDropDown(this);
        FButtonPanel->SetHeight(150);
        FButtonPanel->CreateButtons();
    }
    SetControl(FButtonPanel);
    FButtonPanel->OnButtonClick = [this](TObject* Sender, Integer Index) { CalcButtonClick(Sender, Index); };
}

void TExCalculatorDropdown::Notification(TComponent* AComponent, TOperation Operation)
{
    TExCustomDropDown::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FButtonPanel)
        FButtonPanel = nullptr;
}

void TExCalculatorDropdown::DoBeforeDropDown()
{
    TExCustomDropDown::DoBeforeDropDown();
    DropDownForm()->SetCancelOnDeActivate(false);
    if (FButtonPanel) {
        FButtonPanel->SetButtonAppearance(FCalcButtonAppearance.get());
        FButtonPanel->SetColor(DropDownColor());
        FButtonPanel->ArrangeButtons();
    }
    FNewValue = true;
    FDecimalDivisor = 0;
    FCalculatorClosed = false;
}

void TExCalculatorDropdown::DoInput() {}

void TExCalculatorDropdown::SetText(const String& Value)
{
    TExCustomDropDown::SetText(Value);
    if (HandleAllocated())
        SetSelStart(0);
}

// ---------------------------------------------------------------- the display

long double TExCalculatorDropdown::DisplayedNumber() const
{
    // TextToFloat drops the thousand separators and reads anything it
    // cannot convert ("Error" among them) as 0.
    return TextToFloat(GetText());
}

void TExCalculatorDropdown::ResetUnreadableDisplay()
{
    const String T = GetText();
    if (T.isEmpty() || T == ErrorText)
        SetText(QStringLiteral("0"));
}

void TExCalculatorDropdown::ArithmeticFailure()
{
    FAccumulator = 0;
    SetText(QStringLiteral("0"));
}

void TExCalculatorDropdown::ShowNumber(long double V)
{
    const double Shown = double(V);
    if (std::isfinite(Shown))
        SetFloatValue(Shown);
    else
        ArithmeticFailure();
}

void TExCalculatorDropdown::ClearCalculator()
{
    SetText(QStringLiteral("0"));
    FAccumulator = 0;
    FPendingOperation = OpNone;
}

double TExCalculatorDropdown::Value()
{
    if (GetText().isEmpty())
        SetText(QStringLiteral("0"));
    return TextToFloat(GetText());
}

void TExCalculatorDropdown::SetValue(double V)
{
    SetText(std::isfinite(V) ? Format(QStringLiteral("%g"), {V}, CalculatorFormat()) : QStringLiteral("0"));
}

void TExCalculatorDropdown::SetShowThousandSeparator(bool Value)
{
    if (FShowThousandSeparator == Value)
        return;
    FShowThousandSeparator = Value;
    // Read before the type changes: the other type may not read this text.
    const double Current = GetFloatValue();
    SetEditType(Value ? etMoney : etFloat);
    SetFloatValue(Current);
}

// ---------------------------------------------------------------- operations

void TExCalculatorDropdown::DoCalc()
{
    ResetUnreadableDisplay();
    const long double X = DisplayedNumber();
    switch (FPendingOperation) {
    case OpAdd: FAccumulator += X; break;
    case OpMultiply: FAccumulator *= X; break;
    case OpSubtract: FAccumulator -= X; break;
    case OpDivide:
        if (X == 0) {
            FAccumulator = 0;
            SetText(ErrorText);
            return;
        }
        FAccumulator /= X;
        break;
    default: FAccumulator = X; break;
    }
    // Overflow and invalid operations raise nothing here: a result that is
    // not finite is the failure.
    ShowNumber(FAccumulator);
    FNewValue = true;
}

void TExCalculatorDropdown::DoOperator(Integer Operation)
{
    DoCalc();
    FPendingOperation = Operation;
}

void TExCalculatorDropdown::DoEquals()
{
    DoCalc();
    if (GetText().isEmpty())
        SetText(QStringLiteral("0"));
    FPendingOperation = OpNone;
    if (GetText() != ErrorText)
        FAccumulator = DisplayedNumber();
}

void TExCalculatorDropdown::DoPercent()
{
    ResetUnreadableDisplay();
    const long double Percent = FAccumulator * DisplayedNumber() / 100;
    SetValue(double(Percent));
}

bool TExCalculatorDropdown::AtMaxLength() const
{
    return MaxLength() > 0 && Length(GetText()) >= MaxLength();
}

void TExCalculatorDropdown::DigitClick(Integer Digit)
{
    if ((GetFloatValue() == 0 && FDecimalDivisor == 0) || FNewValue) {
        SetText(QString::number(Digit));
        FNewValue = false;
        return;
    }
    const long double V = GetFloatValue();
    if (FDecimalDivisor > 0) {
        ShowNumber(V + static_cast<long double>(Digit) / FDecimalDivisor);
        // Ten times on would overflow; digits this far out are below what a
        // double shows anyway.
        if (FDecimalDivisor <= MaxDecimalDivisor / 10)
            FDecimalDivisor *= 10;
    } else {
        ShowNumber(V * 10 + Digit);
    }
}

void TExCalculatorDropdown::TagAction(Integer Tag)
{
    const String T = GetText();
    switch (Tag) {
    case 10: DoOperator(OpAdd); break;
    case 11: DoOperator(OpSubtract); break;
    case 12: DoOperator(OpMultiply); break;
    case 13: DoOperator(OpDivide); break;
    case 14: SetText(T.contains(u'-') ? T.mid(1) : QStringLiteral("-") + T); break;
    case 15:
        if (!T.contains(platform::UserDecimalSeparator()))
            SetText(T + platform::UserDecimalSeparator());
        FDecimalDivisor = 10;
        if (FNewValue)
            SetText(QStringLiteral("0"));
        FNewValue = false;
        break;
    case 16: case 30: case 32: ClearCalculator(); break;
    case 17: DoEquals(); break;
    case 18: DoPercent(); break;
    case 31:
        if (FPendingOperation == OpNone)
            SetText(FloatToStr(double(DisplayedNumber()), CalculatorFormat()).chopped(1));
        break;
    case 33: FMemory = 0; break;
    case 34: ShowNumber(FMemory); break;
    case 35: FMemory = DisplayedNumber(); break;
    case 36: FMemory += DisplayedNumber(); break;
    case 37: {
        const long double V = DisplayedNumber();
        if (V >= 0)
            ShowNumber(std::sqrt(V));
        else
            SetText(ErrorText);
        break;
    }
    case 38: {
        const long double V = DisplayedNumber();
        if (V != 0)
            ShowNumber(1 / V);
        else
            SetText(ErrorText);
        break;
    }
    default: break;
    }
}

void TExCalculatorDropdown::CalcButtonClick(TObject*, Integer Index)
{
    if (!FButtonPanel || Index < 0 || Index >= FButtonPanel->Buttons()->Count())
        return;
    DoInput();
    const Integer Tag = FButtonPanel->Buttons()->GetItem(Index)->Tag();
    if ((Tag >= 10 && Tag <= 14) || (Tag >= 16 && Tag <= 18) || Tag == 30 || Tag == 32)
        FDecimalDivisor = 0;
    if (((Tag >= 0 && Tag <= 9) || Tag == 14 || Tag == 15) && AtMaxLength())
        return;
    if (Tag >= 0 && Tag <= 9)
        DigitClick(Tag);
    else
        TagAction(Tag);
    SetModified(true);
}

// ---------------------------------------------------------------- style

void TExCalculatorDropdown::SetComponentStyle(TQVXStyle AStyle)
{
    TExCustomDropDown::SetComponentStyle(AStyle);
    const TExButtonAppearance* B = ButtonAppearance();
    TButtonAppearance* C = FCalcButtonAppearance.get();
    C->SetBorderColor(B->BorderColor());
    C->SetBorderColorHot(B->BorderColorHot());
    C->SetBorderColorDown(B->BorderColorDown());
    C->SetColor(B->Color());
    C->SetColorTo(B->ColorTo());
    C->SetColorDown(B->ColorDown());
    C->SetColorDownTo(B->ColorDownTo());
    C->SetColorHot(B->ColorHot());
    C->SetColorHotTo(B->ColorHotTo());
    C->SetColorDisabled(B->ColorDisabled());
    C->SetColorDisabledTo(B->ColorDisabledTo());
    C->SetBorderColorChecked(B->BorderColorDisabled());
    C->SetColorChecked(B->ColorDisabledTo());
    C->SetColorCheckedTo(B->ColorHotTo());
    if (AStyle == tsOffice2010Blue || AStyle == tsOffice2010Silver || AStyle == tsOffice2010Black) {
        C->SetGlowColorHot(B->ColorHot());
        C->SetGlowColorDown(B->ColorHot());
    } else {
        C->SetGlowColorHot(B->ColorDownTo());
        C->SetGlowColorDown(TColor(0xD5C244));
    }
}

// ---------------------------------------------------------------- keys

void TExCalculatorDropdown::CaretAfterFirstDigit()
{
    SetSelStart(Length(Prefix()) + 1);
    SetSelLength(0);
}

void TExCalculatorDropdown::KeyPress(Char& Key)
{
    const Char DS = platform::UserDecimalSeparator();
    const Char TS = platform::UserThousandSeparator();
    const bool Backspace = Key == QChar(8);
    if (!IsNumberCharacter(Key) && Key != DS && !Backspace && Key != u'-') {
        Key = QChar(0);
        return;
    }
    if (IsNumberCharacter(Key) && (GetText() == QLatin1String("0") || FNewValue)) {
        SetText(QString(Key));
        CaretAfterFirstDigit();
        FNewValue = false;
        Key = QChar(0);
        return;
    }
    if (Backspace && Length(GetText()) == 1) {
        SetText(QStringLiteral("0"));
        CaretAfterFirstDigit();
        Key = QChar(0);
        return;
    }
    if (Key == TS || (Key == DS && GetText().contains(DS))) {
        Key = QChar(0);
        return;
    }
    TExCustomDropDown::KeyPress(Key);
}

void TExCalculatorDropdown::WMKeyDown(TWMKey& Message)
{
    const Word Key = Message.CharCode;
    TExCustomDropDown::WMKeyDown(Message);
    if (Key == VK_DELETE && (GetText().isEmpty() || GetText() == ErrorText))
        SetText(QStringLiteral("0"));
}

void TExCalculatorDropdown::FormKeyPress(Char& Key)
{
    TExCustomDropDown::FormKeyPress(Key);
    CalcKeyPress(Key);
}

void TExCalculatorDropdown::CalcKeyPress(Char& Key)
{
    DoInput();
    const Char DS = platform::UserDecimalSeparator();
    if (Key == DS && !GetText().contains(DS))
        SetText(GetText() + DS);
    if (IsNumberCharacter(Key) && AtMaxLength())
        return;
    const bool Alt = GetKeyState(VK_MENU) < 0;
    switch (Key.unicode()) {
    case 13:
        DoEquals();
        DoHideDropDown(false);
        break;
    case 27: DoHideDropDown(true); break;
    case u'%': DoPercent(); break;
    case u'&':
        if (Alt)
            DoHideDropDown(true);
        break;
    case u'*': DoOperator(OpMultiply); break;
    case u'+': DoOperator(OpAdd); break;
    case u'-': DoOperator(OpSubtract); break;
    case u'/': DoOperator(OpDivide); break;
    case u'=': DoEquals(); break;
    case u'C': case u'c':
        SetText(QStringLiteral("0"));
        FAccumulator = 0;
        FNewValue = true;
        FPendingOperation = OpNone;
        break;
    default:
        if (IsCalculatorDigit(Key))
            FNewValue = false;
        break;
    }
}

void TExCalculatorDropdown::FormKeyDown(Word& Key, TShiftState Shift)
{
    // The key goes to the edit's key-down handler alone: a key message sent
    // to the edit would type the key's character as well, and the character
    // comes once more with the key press.
    Perform(Shift.Contains(ssAlt) ? WM_SYSKEYDOWN : WM_KEYDOWN, Key, 0);
    if (Key == VK_TAB || Key == VK_F4) {
        DoHideDropDown(false);
    } else if (Key == VK_BACK) {
        const String Rest = GetText().chopped(std::min<qsizetype>(1, GetText().size()));
        SetText(Rest.isEmpty() || Rest == ErrorText ? QStringLiteral("0") : Rest);
    }
}
