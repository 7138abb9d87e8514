// The value between Prefix and Suffix, the character filter of each edit
// type, the caret rules, the clipboard and the number conversions.
#include "controls/dropdown/ExDropDown.h"

#include "grid/base/ExUtil.h"
#include "platform/UserLocale.h"
#include "rtl/Clipbrd.h"

#include <QLineEdit>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

Char EditDS()
{
    return platform::UserDecimalSeparator();
}

Char EditTS()
{
    return platform::UserThousandSeparator();
}

// Format's settings with the user's separators.
TFormatSettings UserNumberFormat()
{
    TFormatSettings S = TFormatSettings::Create();
    S.DecimalSeparator = EditDS();
    S.ThousandSeparator = EditTS();
    return S;
}

bool IsDigitChar(Char C)
{
    return C >= u'0' && C <= u'9';
}

bool IsSignedNumberType(TDropDownEditType T)
{
    return T == etNumeric || T == etFloat || T == etMoney;
}

// Control characters that every filtering type passes: Backspace, Tab, Enter.
bool IsEditingChar(Char C)
{
    return C == QChar(8) || C == QChar(9) || C == QChar(13);
}

bool IsAsciiLetter(Char C)
{
    return (C >= u'A' && C <= u'Z') || (C >= u'a' && C <= u'z');
}

bool IsHexLetter(Char C)
{
    return (C >= u'A' && C <= u'F') || (C >= u'a' && C <= u'f');
}

// The truncated value as an integer; 0 for what no integer holds.
Integer TruncToInteger(double X)
{
    if (!std::isfinite(X) || std::fabs(X) >= 2147483648.0)
        return 0;
    return Integer(std::trunc(X));
}

} // namespace

// ---------------------------------------------------------------- text model

String TExCustomDropDown::GetText() const
{
    String Raw = RawText();
    if (!Prefix().isEmpty() && Raw.startsWith(Prefix()))
        Raw.remove(0, Prefix().size());
    if (!Suffix().isEmpty())
        Raw.chop(std::min(Raw.size(), Suffix().size()));
    return Raw;
}

void TExCustomDropDown::SetPlainText(const String& Value)
{
    TControl::SetText(Value);
    if (RawText() != Value)
        LineEdit()->setText(Value);
}

void TExCustomDropDown::WriteValue(const String& Value, Integer Caret)
{
    SetPlainText(Prefix() + Value + Suffix());
    LineEdit()->setCursorPosition(Caret);
}

void TExCustomDropDown::SetText(const String& Value)
{
    String V = Value;
    const bool Numeric = FEditType == etNumeric || FEditType == etFloat || FEditType == etMoney || FEditType == etHex;
    if (V.isEmpty() && Numeric)
        V = QStringLiteral("0");
    if (FPrecision > 0 && !V.isEmpty() && V != QLatin1String("Error")) {
        if (FEditType == etMoney)
            V = FormatFloat(TextToFloat(V), u'n');
        else if (FEditType == etFloat)
            V = FormatFloat(TextToFloat(V), u'f');
    }
    if (FEditType == etHex)
        V = AnsiUpperCase(V);
    SetPlainText(Prefix() + V + Suffix());
    FOldText = V;
    SetModified(false);
}

void TExCustomDropDown::SetModified(bool Value)
{
    if (ComponentState().Contains(csLoading) || !FEditorEnabled || ReadOnly())
        return;
    TCustomMaskEdit::SetModified(Value);
    FIsModified = Value;
}

void TExCustomDropDown::SelectAll()
{
    Perform(EM_SETSEL, Length(Prefix()), ValueEnd());
}

void TExCustomDropDown::SelectAfterDecimal()
{
    const Integer P = GetText().indexOf(EditDS()) + 1;
    LineEdit()->setCursorPosition(Length(Prefix()) + P);
}

void TExCustomDropDown::SelectBeforeDecimal()
{
    const Integer P = GetText().indexOf(EditDS()) + 1;
    LineEdit()->setCursorPosition(Length(Prefix()) + std::max(P - 1, 0));
}

// ---------------------------------------------------------------- numbers

String TExCustomDropDown::FormatFloat(double Value, Char Letter) const
{
    if (FPrecision < 0)
        return Format(QStringLiteral("%g"), {Value}, UserNumberFormat());
    return Format(QStringLiteral("%.") + QString::number(FPrecision) + Letter, {Value}, UserNumberFormat());
}

void TExCustomDropDown::SetEditType(TDropDownEditType Value)
{
    if (Value == FEditType)
        return;
    FEditType = Value;
    if (Value == etPassword) {
        SetPasswordChar(u'*');
        SetCanUndo(false);
    } else {
        SetPasswordChar(QChar(0));
    }
    const Integer Kind = IsType(GetText());
    if (Value == etNumeric && Kind != 0)
        SetIntValue(0);
    else if ((Value == etFloat || Value == etMoney) && Kind > 1)
        SetFloatValue(0);
    else if (Value == etHex && Kind != 0 && Kind != 5)
        SetIntValue(0);
    if (ComponentState().Contains(csDesigning) && Value == etFloat && FPrecision == 0)
        SetPrecision(2);
}

void TExCustomDropDown::SetPrecision(SmallInt Value)
{
    if (Value == FPrecision || (FEditType != etString && FEditType != etFloat && FEditType != etMoney))
        return;
    FPrecision = Value;
    if (IsType(GetText()) > 1)
        SetFloatValue(0);
    else
        SetFloatValue(GetFloatValue());
}

void TExCustomDropDown::SetFloatValue(double Value)
{
    switch (FEditType) {
    case etString: case etFloat: SetText(FormatFloat(Value, u'f')); break;
    case etNumeric: SetText(FormatFloat(Value, u'n')); break;
    case etMoney:
        SetText(FormatFloat(Value, u'f'));
        ApplyThousandSeparators();
        break;
    case etHex: SetText(IntToHex(TruncToInteger(Value), 0)); break;
    default: break;
    }
    SetModified(true);
}

void TExCustomDropDown::SetIntValue(Integer Value)
{
    switch (FEditType) {
    case etNumeric: case etFloat: SetText(IntToStr(Value)); break;
    case etMoney:
        SetText(IntToStr(Value));
        ApplyThousandSeparators();
        break;
    case etHex: SetText(IntToHex(Value, 0)); break;
    default: break;
    }
    SetModified(true);
}

double TExCustomDropDown::GetFloatValue()
{
    String V = GetText();
    const auto NoNumber = [](const String& S) { return S.isEmpty() || S == QLatin1String("-"); };
    switch (FEditType) {
    case etString: return StrToFloatDef(V.trimmed(), 0, TFormatSettings::Create());
    case etNumeric: case etFloat:
        return NoNumber(V) || V == QLatin1String("Error") ? 0 : TextToFloat(V);
    case etMoney:
        if (V.isEmpty())
            return 0;
        V = StripThousandSeparators(V);
        if (V.endsWith(EditDS()))
            V.chop(1);
        return NoNumber(V) ? 0 : TextToFloat(V);
    case etHex: return V.isEmpty() ? 0 : HexToInt(V);
    default: return 0;
    }
}

double TExCustomDropDown::TextToFloat(String S) const
{
    S.remove(EditTS());
    double Value = 0;
    if (!TryStrToFloat(S, Value, UserNumberFormat()) || !std::isfinite(Value))
        return 0;
    return Value;
}

void TExCustomDropDown::ApplyThousandSeparators()
{
    const String V = GetText();
    if (V.isEmpty())
        return;
    const Integer Caret = SelStart();
    const String Sign = V.startsWith(u'-') ? QStringLiteral("-") : String();
    const qsizetype DSAt = V.indexOf(EditDS());
    const String Fraction = DSAt >= 0 ? V.mid(DSAt) : String();
    const double Whole = std::trunc(std::fabs(GetFloatValue()));
    String WholeText = Format(AutoThousandSeparator() ? QStringLiteral("%n") : QStringLiteral("%f"), {Whole},
                              UserNumberFormat());
    WholeText.truncate(WholeText.indexOf(EditDS()) >= 0 ? WholeText.indexOf(EditDS()) : WholeText.size());
    const String NewValue = Sign + WholeText + Fraction;
    const String NewRaw = Prefix() + NewValue + Suffix();
    FBlockChange = NewRaw != RawText();
    SetPlainText(NewRaw);
    LineEdit()->setCursorPosition(std::max(Caret + Length(NewValue) - Length(V), 0));
}

void TExCustomDropDown::CNCommand(TMessage& Message)
{
    if (Message.WParamHi() == EN_CHANGE && FBlockChange) {
        FBlockChange = false;
        return;
    }
    TCustomMaskEdit::CNCommand(Message);
}

Integer TExCustomDropDown::IntegerPartLength(const String& Value) const
{
    String Whole = Value.left(Value.indexOf(EditDS()) >= 0 ? Value.indexOf(EditDS()) : Value.size());
    Whole.remove(EditTS());
    if (Signed() && IsSignedNumberType(FEditType))
        Whole.remove(u'-');
    return Length(Whole);
}

// ---------------------------------------------------------------- characters

void TExCustomDropDown::TypeCharacter(TWMKey& Message)
{
    TCustomMaskEdit::WMChar(Message);
    const Char Ch(char16_t(Message.CharCode));
    if (Ch.unicode() == 0)
        return;
    // Typed now, so that the rules after it see the result.
    if (Ch == QChar(8))
        LineEdit()->backspace();
    else if (Ch.unicode() >= 32)
        LineEdit()->insert(QString(Ch));
    else
        return;
    Message.CharCode = 0;
}

void TExCustomDropDown::WMChar(TWMKey& Message)
{
    if (!FEditorEnabled) {
        Message.CharCode = 0;
        return;
    }
    EditTypeChar(Message);
}

void TExCustomDropDown::EditTypeChar(TWMKey& Message)
{
    const auto Drop = [&] { Message.CharCode = 0; };
    const String V = GetText();
    const Integer PL = Length(Prefix());
    const Integer SS = SelStart(), SL = SelLength();
    const bool Ctrl = GetKeyState(VK_CONTROL) < 0;
    Char Ch(char16_t(Message.CharCode));
    // 1: replacing the whole value raises no change of its own.
    if (!V.isEmpty() && SS <= PL && SS + SL >= PL + Length(V))
        FBlockChange = true;
    // 2: Enter and Escape towards the parent.
    TCustomForm* Form = GetParentForm(this);
    const bool Preview = Form && Form->KeyPreview();
    if (Ch == QChar(13)) {
        Char K = Ch;
        if (OnKeyPress)
            OnKeyPress(this, K);
        Drop();
        if (!DefaultHandling() && Parent()) {
            PostMessage(Parent()->Handle(), WM_KEYDOWN, VK_RETURN, 0);
            if (!Preview)
                PostMessage(Parent()->Handle(), WM_KEYUP, VK_RETURN, 0);
        }
        return;
    }
    if (Ch == QChar(27)) {
        if (!DefaultHandling() && Parent() && !Preview) {
            PostMessage(Parent()->Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
            PostMessage(Parent()->Handle(), WM_KEYUP, VK_ESCAPE, 0);
        }
        // With CanUndo the special-key query has taken Escape already.
        if (CanUndo() && !Preview)
            Drop();
        else
            TCustomMaskEdit::WMChar(Message);
        return;
    }
    // 3: the clipboard's characters.
    if (Ctrl && (Ch == QChar(3) || Ch == QChar(22) || Ch == QChar(24))) {
        TCustomMaskEdit::WMChar(Message);
        return;
    }
    // 4: the keypad's decimal key.
    if (ExcelStyleDecimalSeparator() && (Ch == u'.' || Ch == u',') && (Message.KeyData & (1 << 22))) {
        Ch = EditDS();
        Message.CharCode = Ch.unicode();
    }
    // 5
    if (Ch == QChar(8) && PL > 0 && SS <= PL && SL == 0)
        return Drop();
    // 6: the length limit of the integer part.
    if (LengthLimit() > 0 && IntegerPartLength(V) >= LengthLimit() && SL == 0) {
        const qsizetype DSAt = V.indexOf(EditDS());
        const bool BeforeDS = DSAt < 0 || SS - PL <= DSAt;
        const bool Free = Ch == QChar(8) || Ch == EditDS() || (Ch == u'-' && Signed() && IsSignedNumberType(FEditType));
        if (BeforeDS && !Free)
            return Drop();
    }
    // 7: Backspace.
    if (Ch == QChar(8)) {
        String Predicted = V;
        const Integer K = SS - PL;
        if (K >= 1)
            Predicted.remove(K - 1, SL > 0 ? SL : 1);
        TypeCharacter(Message);
        if (GetText().isEmpty() && !Predicted.isEmpty())
            Change();
        return;
    }
    // 8, 9
    if (Ch == QChar(10))
        return Drop();
    if (Ch == u'-' && IsSignedNumberType(FEditType) && !Signed())
        return Drop();
    // 10: by type.
    bool SkipFinal = false;
    switch (FEditType) {
    case etString: case etPassword:
        SetModified(true);
        TypeCharacter(Message);
        break;
    case etNumeric:
        if (Ch == u'-') {
            ToggleSign(true);
            Drop();
            SkipFinal = GetText() == QLatin1String("-");
        } else if (IsEditingChar(Ch) || IsDigitChar(Ch) || Ctrl) {
            TypeCharacter(Message);
        } else {
            Drop();
        }
        break;
    case etFloat: FilterFloatOrMoney(Message, false); break;
    case etMoney: FilterFloatOrMoney(Message, true); break;
    case etUppercase: case etLowerCase:
        Message.CharCode = (FEditType == etUppercase ? AnsiUpperCase(QString(Ch)) : AnsiLowerCase(QString(Ch)))
                               .at(0)
                               .unicode();
        TypeCharacter(Message);
        break;
    case etMixedCase:
        TypeCharacter(Message);
        WriteValue(ToMixedCase(GetText()), SS + 1);
        break;
    case etRange:
        if (!IsEditingChar(Ch) && !IsDigitChar(Ch) && !IsRangeSeparator(Ch))
            return Drop();
        SetModified(true);
        if (IsRangeSeparator(Ch)) {
            const Integer C = SS - PL;
            const bool Adjacent = (C > 0 && C <= Length(V) && IsRangeSeparator(V.at(C - 1))) ||
                                  (C >= 0 && C < Length(V) && IsRangeSeparator(V.at(C)));
            if (SS <= PL || Adjacent)
                return Drop();
        }
        TypeCharacter(Message);
        break;
    case etHex: case etAlphaNumeric: case etValidChars: {
        bool Accepted = false;
        if (FEditType == etHex)
            Accepted = IsEditingChar(Ch) || Ch == u'-' || IsDigitChar(Ch) || IsHexLetter(Ch);
        else if (FEditType == etAlphaNumeric)
            Accepted = IsEditingChar(Ch) || IsDigitChar(Ch) || IsAsciiLetter(Ch);
        else
            Accepted = Ch == QChar(8) || ValidChars().contains(Ch);
        if (!Accepted)
            return Drop();
        SetModified(true);
        TypeCharacter(Message);
        break;
    }
    }
    // 11
    if (!SkipFinal && Modified())
        SetModified(true);
}

void TExCustomDropDown::FilterFloatOrMoney(TWMKey& Message, bool Money)
{
    const auto Drop = [&] { Message.CharCode = 0; };
    const Char DS = EditDS(), TS = EditTS();
    const Char Ch(char16_t(Message.CharCode));
    const String V = GetText();
    const bool SelHasDS = SelText().contains(DS);
    if (Money) {
        if (Ch == DS && (V.contains(DS) || FPrecision == 0) && !SelHasDS) {
            if (FPrecision > 0) {
                if (SelStart() <= Length(Prefix()) && SelLength() >= Length(V) && !V.isEmpty())
                    SetText(QStringLiteral("0,0"));
                SelectAfterDecimal();
            }
            return Drop();
        }
        if (!IsEditingChar(Ch) && Ch != u'-' && !IsDigitChar(Ch) && Ch != DS)
            return Drop();
    } else {
        if ((Ch == u',' && DS != u',' && TS != u',') || (Ch == u'.' && DS != u'.' && TS != u'.'))
            return Drop();
        if (!IsEditingChar(Ch) && Ch != u',' && Ch != u'-' && Ch != u'.' && !IsDigitChar(Ch))
            return Drop();
        if (Ch == DS && !SelHasDS && (V.contains(DS) || FPrecision == 0)) {
            if (FPrecision > 0)
                SelectAfterDecimal();
            return Drop();
        }
        if (Ch == u',' && V.contains(u',') && !SelText().contains(u',') && TS != u',')
            return Drop();
    }
    if ((Ch == TS || Ch == DS) && V.contains(TS) && !SeparatorRuleAllows())
        return Drop();
    if (FullFractionRule(Message))
        return;
    if (EmptyValueSeparatorRule(Ch))
        return Drop();
    if (Ch == u'-' && SelLength() == 0) {
        const SmallInt Saved = FPrecision;
        FPrecision = 0;
        ToggleSign(false);
        FPrecision = Saved;
        return Drop();
    }
    TypeCharacter(Message);
    if (!Money)
        return;
    const String After = GetText();
    if (!After.isEmpty() && After != QLatin1String("-") && Ch != DS) {
        if (Modified())
            SetModified(true);
        ApplyThousandSeparators();
    }
}

void TExCustomDropDown::ToggleSign(bool WholeSelectionCase)
{
    const String V = GetText();
    const Integer PL = Length(Prefix());
    const Integer C = SelStart() - PL;
    if (WholeSelectionCase && SelLength() >= Length(V)) {
        WriteValue(QStringLiteral("-"), PL + 1);
    } else if (V.contains(u'-')) {
        WriteValue(V.mid(1), PL + std::max(C - 1, 0));
    } else {
        WriteValue(QStringLiteral("-") + V, PL + C + 1);
        SetModified(true);
    }
}

bool TExCustomDropDown::SeparatorRuleAllows() const
{
    const Char TS = EditTS();
    Integer B = SelStart() - Length(Prefix());
    String Measured = GetText();
    Integer Smallest = std::numeric_limits<Integer>::max();
    for (qsizetype At = Measured.indexOf(TS); At >= 0; At = Measured.indexOf(TS)) {
        const Integer Position = Integer(At) + 1;
        const Integer Distance = std::abs(Position - B);
        if (Distance < 3)
            return false;
        Smallest = std::min(Smallest, Distance);
        if (Position >= B)
            break;
        B -= Position;
        Measured = Measured.mid(Position);
    }
    return Smallest <= 3;
}

bool TExCustomDropDown::FullFractionRule(TWMKey& Message)
{
    const Char Ch(char16_t(Message.CharCode));
    if (FPrecision <= 0 || !IsDigitChar(Ch) || SelLength() > 0)
        return false;
    const String V = GetText();
    const qsizetype DSAt = V.indexOf(EditDS());
    const Integer C = SelStart() - Length(Prefix());
    if (DSAt < 0 || C <= DSAt || Length(V) - DSAt - 1 < FPrecision)
        return false;
    if (C < Length(V)) {
        LineEdit()->setSelection(SelStart(), 1);
        TypeCharacter(Message);
    } else {
        Message.CharCode = 0;
    }
    return true;
}

bool TExCustomDropDown::EmptyValueSeparatorRule(Char Ch)
{
    if (Ch != EditDS() || !GetText().isEmpty() || SelStart() - Length(Prefix()) != 0)
        return false;
    WriteValue(QStringLiteral("0") + EditDS(), Length(Prefix()) + 2);
    SetModified(true);
    return true;
}

// ---------------------------------------------------------------- keys

bool TExCustomDropDown::EditTypeKeyDown(TWMKey& Message)
{
    const auto Consume = [&] {
        Message.CharCode = 0;
        Message.Result = 0;
        return true;
    };
    const Word Key = Message.CharCode;
    const Integer PL = Length(Prefix());
    const bool HasPrefix = PL > 0, HasSuffix = !Suffix().isEmpty();
    const Integer SS = SelStart(), SL = SelLength(), SelEnd = SS + SL;
    const Integer End = ValueEnd();
    const bool Shift = GetKeyState(VK_SHIFT) < 0;
    if (Key == VK_RIGHT && HasSuffix && SelEnd >= End)
        return Consume();
    if (Key == VK_DELETE && HasSuffix) {
        if (SelEnd >= End && SL == 0)
            return Consume();
        SetModified(true);
    }
    if (Key == VK_LEFT && HasPrefix && SelEnd <= PL)
        return Consume();
    if (Key == VK_END && HasSuffix) {
        if (Shift)
            LineEdit()->setSelection(SS, End - SS);
        else
            LineEdit()->setCursorPosition(End);
        return Consume();
    }
    if (Key == VK_HOME && HasPrefix) {
        if (Shift)
            LineEdit()->setSelection(End, PL - End);
        else
            LineEdit()->setCursorPosition(PL);
        return Consume();
    }
    if (Key == VK_BACK && HasPrefix) {
        if (SS <= PL + 1)
            return Consume();
        SetModified(true);
    }
    if (Key == VK_DELETE && SS >= PL) {
        String Remainder = GetText();
        Remainder.remove(SS - PL, SL > 0 ? SL : 1);
        if (LengthLimit() > 0 && IntegerPartLength(Remainder) > LengthLimit())
            return Consume();
        SetModified(true);
    }
    TCustomMaskEdit::WMKeyDown(Message);
    if (Message.CharCode == VK_DELETE && FEditType == etMoney) {
        // The deletion first, then the separators.
        LineEdit()->del();
        Message.CharCode = 0;
        ApplyThousandSeparators();
    }
    return false;
}

void TExCustomDropDown::WMKeyUp(TWMKey& Message)
{
    TCustomMaskEdit::WMKeyUp(Message);
    // The caret stays out of the Prefix once a key has moved it.
    const Integer PL = Length(Prefix());
    if (PL > 0 && SelLength() == 0 && SelStart() < PL)
        LineEdit()->setCursorPosition(PL);
}

void TExCustomDropDown::AfterButtonRelease()
{
    const Integer PL = Length(Prefix());
    if (PL > 0 && SelStart() < PL)
        SelectAll();
    if (Suffix().isEmpty())
        return;
    const Integer End = ValueEnd(), SS = SelStart(), SL = SelLength();
    if (SL == 0 && SS > End)
        LineEdit()->setCursorPosition(End);
    else if (SL > 0 && SS + SL > End)
        LineEdit()->setSelection(SS, std::max(End - SS, 0));
}

// ---------------------------------------------------------------- clipboard

void TExCustomDropDown::WMCut(TMessage& Message)
{
    if (!FEditorEnabled || ReadOnly())
        return;
    bool Allow = true;
    FBlockCopy = true;
    const Integer From = std::max(SelStart(), Length(Prefix()));
    const Integer To = std::min(SelStart() + SelLength(), ValueEnd());
    if (OnClipboardCut)
        OnClipboardCut(this, RawText().mid(From, std::max(To - From, 0)), Allow);
    if (Allow)
        TCustomMaskEdit::WMCut(Message);
    FBlockCopy = false;
}

void TExCustomDropDown::WMCopy(TMessage& Message)
{
    bool Allow = true;
    const Integer From = std::max(SelStart(), Length(Prefix()));
    const Integer To = std::min(SelStart() + SelLength(), ValueEnd());
    if (!FBlockCopy && OnClipboardCopy)
        OnClipboardCopy(this, RawText().mid(From, std::max(To - From, 0)), Allow);
    FBlockCopy = false;
    if (Allow)
        TCustomMaskEdit::WMCopy(Message);
}

void TExCustomDropDown::WMPaste(TMessage&)
{
    if (ReadOnly() || !Clipboard()->HasFormat(CF_TEXT))
        return;
    PasteText(Clipboard()->AsText());
}

void TExCustomDropDown::PasteText(const String& Clip)
{
    const String V = GetText();
    const Integer PL = Length(Prefix());
    const Integer C = std::clamp(SelStart() - PL, 0, Length(V));
    const Integer SL = std::clamp(SelLength(), 0, Length(V) - C);
    String R = V.left(C) + Clip + V.mid(C + SL);
    bool Allow = true;
    if (OnClipboardPaste)
        OnClipboardPaste(this, R, Allow);
    if (!Allow || (MaxLength() > 0 && Length(Clip) + Length(V) - SL > MaxLength()))
        return;
    const auto AllIn = [&](const auto& Accepted) { return std::all_of(R.begin(), R.end(), Accepted); };
    switch (FEditType) {
    case etString: case etPassword: SetText(R); break;
    case etNumeric:
        if (IsType(R) == 0 && (Signed() || !R.contains(u'-'))) {
            SetText(R);
            SetModified(true);
        }
        break;
    case etFloat: case etMoney:
        if (IsType(R) <= 1 && !(FPrecision == 0 && Clip.contains(EditDS())) && (Signed() || !R.contains(u'-'))) {
            SetText(R);
            SetFloatValue(GetFloatValue());
            SetModified(true);
        }
        break;
    case etUppercase: SetText(AnsiUpperCase(R)); break;
    case etLowerCase: SetText(AnsiLowerCase(R)); break;
    case etMixedCase: SetText(ToMixedCase(R)); break;
    case etAlphaNumeric:
        if (AllIn([](Char Ch) { return IsDigitChar(Ch) || IsAsciiLetter(Ch); })) {
            SetText(R);
            SetModified(true);
        }
        break;
    case etValidChars:
        if (AllIn([this](Char Ch) { return ValidChars().contains(Ch); })) {
            SetText(R);
            SetModified(true);
        }
        break;
    case etRange: case etHex: break;
    }
    if (FEditType == etMoney && Length(GetText()) > 3)
        SelectAll();
    else if (SL > 0)
        LineEdit()->setSelection(PL + C, Length(Clip));
    else
        LineEdit()->setCursorPosition(PL + C + Length(Clip));
    const bool TextType = FEditType == etString || FEditType == etPassword || FEditType == etUppercase ||
                          FEditType == etLowerCase || FEditType == etMixedCase;
    if (TextType)
        SetModified(true);
}

// ---------------------------------------------------------------- focus loss

void TExCustomDropDown::CompleteValueOnFocusLoss()
{
    const String V = GetText();
    const bool FloatType = FEditType == etFloat || FEditType == etMoney;
    if (FPrecision > 0 && FloatType && (!V.isEmpty() || !AllowNumericNullValue())) {
        const bool WasModified = Modified();
        SetFloatValue(GetFloatValue());
        SetModified(WasModified);
    }
    if (FEditType == etNumeric && V.isEmpty() && !AllowNumericNullValue())
        SetText(QStringLiteral("0"));
    if (FloatType && V.isEmpty() && !AllowNumericNullValue())
        SetFloatValue(0);
}
