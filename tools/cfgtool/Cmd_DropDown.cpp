// cfgtool dropdown-edit [--type T] [--precision N] [--length-limit N]
// [--signed] [--prefix TEXT] [--suffix TEXT] [--valid-chars TEXT]
// [--max-length N] [--allow-null] [--no-auto-thousands] [--ds C] [--ts C]
// ACTION...: one drop-down edit on an offscreen form, focused; each action
// is performed as a user or the program would and followed by the line
// ACTION, the raw text, the selection start and length (tab-separated); at
// the end the value, the float value and the modified flag.
#include "Command.h"
#include "DropDownForm.h"
#include "TextLines.h"

#include "controls/dropdown/ExDropDown.h"
#include "platform/UserLocale.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QTest>

#include <cstdio>
#include <map>
#include <memory>
#include <optional>

namespace {

int RefuseDropDown(const QString& Why)
{
    cfgtool::Err(QStringLiteral("dropdown-edit: ") + Why);
    cfgtool::Err(QStringLiteral(
        "usage: cfgtool dropdown-edit [--type T] [--precision N] [--length-limit N] [--signed] [--prefix TEXT] "
        "[--suffix TEXT] [--valid-chars TEXT] [--max-length N] [--allow-null] [--no-auto-thousands] [--ds C] "
        "[--ts C] ACTION..."));
    return 2;
}

struct TDropDownOptions {
    TDropDownEditType Type = etString;
    std::optional<SmallInt> Precision;
    std::optional<SmallInt> LengthLimit;
    std::optional<Integer> MaxLength;
    bool Signed = false;
    bool AllowNull = false;
    bool AutoThousands = true;
    String Prefix, Suffix, ValidChars;
    QChar DS = u'.', TS = u',';
    QStringList Actions;
};

std::optional<TDropDownEditType> EditTypeNamed(const QString& Name)
{
    static const std::map<QString, TDropDownEditType> Types = {
        {QStringLiteral("string"), etString},       {QStringLiteral("numeric"), etNumeric},
        {QStringLiteral("float"), etFloat},         {QStringLiteral("uppercase"), etUppercase},
        {QStringLiteral("mixedcase"), etMixedCase}, {QStringLiteral("lowercase"), etLowerCase},
        {QStringLiteral("password"), etPassword},   {QStringLiteral("money"), etMoney},
        {QStringLiteral("range"), etRange},         {QStringLiteral("hex"), etHex},
        {QStringLiteral("alphanumeric"), etAlphaNumeric}, {QStringLiteral("validchars"), etValidChars}};
    const auto It = Types.find(Name);
    return It == Types.end() ? std::nullopt : std::optional(It->second);
}

// The text after the option, or nullopt when it is missing.
std::optional<QString> OptionText(const QStringList& Args, qsizetype& I)
{
    if (I + 1 >= Args.size())
        return std::nullopt;
    return Args[++I];
}

std::optional<Integer> OptionNumber(const QStringList& Args, qsizetype& I)
{
    const std::optional<QString> Text = OptionText(Args, I);
    bool Ok = false;
    const int N = Text ? Text->toInt(&Ok) : 0;
    return Ok ? std::optional<Integer>(N) : std::nullopt;
}

// Empty when the options are good, else why not.
QString ParseDropDownOptions(const QStringList& Args, TDropDownOptions& O)
{
    for (qsizetype I = 0; I < Args.size(); ++I) {
        const QString& A = Args[I];
        if (!A.startsWith(QLatin1String("--"))) {
            O.Actions.append(A);
        } else if (A == QLatin1String("--signed")) {
            O.Signed = true;
        } else if (A == QLatin1String("--allow-null")) {
            O.AllowNull = true;
        } else if (A == QLatin1String("--no-auto-thousands")) {
            O.AutoThousands = false;
        } else if (A == QLatin1String("--ds") || A == QLatin1String("--ts")) {
            if (!cfgtool::TakeCharOption(Args, I, A == QLatin1String("--ds") ? O.DS : O.TS))
                return A + QStringLiteral(" needs one character");
        } else if (A == QLatin1String("--type")) {
            const std::optional<QString> Name = OptionText(Args, I);
            const auto Type = Name ? EditTypeNamed(*Name) : std::nullopt;
            if (!Type)
                return QStringLiteral("unknown edit type");
            O.Type = *Type;
        } else if (A == QLatin1String("--prefix") || A == QLatin1String("--suffix") ||
                   A == QLatin1String("--valid-chars")) {
            const std::optional<QString> Text = OptionText(Args, I);
            if (!Text)
                return A + QStringLiteral(" needs a text");
            (A == QLatin1String("--prefix") ? O.Prefix : A == QLatin1String("--suffix") ? O.Suffix : O.ValidChars) = *Text;
        } else if (A == QLatin1String("--precision") || A == QLatin1String("--length-limit") ||
                   A == QLatin1String("--max-length")) {
            const std::optional<Integer> N = OptionNumber(Args, I);
            if (!N || *N < -32768 || *N > 32767)
                return A + QStringLiteral(" needs a number");
            if (A == QLatin1String("--precision"))
                O.Precision = SmallInt(*N);
            else if (A == QLatin1String("--length-limit"))
                O.LengthLimit = SmallInt(*N);
            else
                O.MaxLength = *N;
        } else {
            return QStringLiteral("unknown option: ") + A;
        }
    }
    if (O.Actions.isEmpty())
        return QStringLiteral("no action");
    return QString();
}

void ApplyDropDownOptions(TExCustomDropDown* D, const TDropDownOptions& O)
{
    D->SetEditType(O.Type);
    if (O.Precision)
        D->SetPrecision(*O.Precision);
    if (O.LengthLimit)
        D->SetLengthLimit(*O.LengthLimit);
    if (O.MaxLength)
        D->SetMaxLength(*O.MaxLength);
    D->SetSigned(O.Signed);
    D->SetPrefix(O.Prefix);
    D->SetSuffix(O.Suffix);
    D->SetValidChars(O.ValidChars);
    D->SetAllowNumericNullValue(O.AllowNull);
    D->SetAutoThousandSeparator(O.AutoThousands);
}

struct TKeyName {
    Qt::Key Key;
    Qt::KeyboardModifiers Mods;
};

std::optional<TKeyName> KeyNamed(const QString& Name)
{
    static const std::map<QString, TKeyName> Keys = {
        {QStringLiteral("Left"), {Qt::Key_Left, Qt::NoModifier}},
        {QStringLiteral("Right"), {Qt::Key_Right, Qt::NoModifier}},
        {QStringLiteral("Home"), {Qt::Key_Home, Qt::NoModifier}},
        {QStringLiteral("End"), {Qt::Key_End, Qt::NoModifier}},
        {QStringLiteral("ShiftHome"), {Qt::Key_Home, Qt::ShiftModifier}},
        {QStringLiteral("ShiftEnd"), {Qt::Key_End, Qt::ShiftModifier}},
        {QStringLiteral("Backspace"), {Qt::Key_Backspace, Qt::NoModifier}},
        {QStringLiteral("Delete"), {Qt::Key_Delete, Qt::NoModifier}},
        {QStringLiteral("Enter"), {Qt::Key_Return, Qt::NoModifier}},
        {QStringLiteral("Escape"), {Qt::Key_Escape, Qt::NoModifier}},
        {QStringLiteral("KeypadDecimal"), {Qt::Key_Period, Qt::KeypadModifier}}};
    const auto It = Keys.find(Name);
    return It == Keys.end() ? std::nullopt : std::optional(It->second);
}

// Performs one action; false for an action that is not known.
bool PerformDropDownAction(TExCustomDropDown* D, TEdit* Other, const QString& Action)
{
    const QString Name = Action.section(QLatin1Char('='), 0, 0);
    const QString Arg = Action.section(QLatin1Char('='), 1);
    QWidget* W = D->Handle();
    bool Ok = true;
    if (Name == QLatin1String("set")) {
        D->SetText(Arg);
    } else if (Name == QLatin1String("plain")) {
        D->SetPlainText(Arg);
    } else if (Name == QLatin1String("float")) {
        const double X = Arg.toDouble(&Ok);
        if (Ok)
            D->SetFloatValue(X);
    } else if (Name == QLatin1String("int")) {
        const int N = Arg.toInt(&Ok);
        if (Ok)
            D->SetIntValue(N);
    } else if (Name == QLatin1String("caret")) {
        const int N = Arg.toInt(&Ok);
        if (Ok)
            D->LineEdit()->setCursorPosition(N);
    } else if (Name == QLatin1String("select")) {
        bool Ok2 = false;
        const int S = Arg.section(QLatin1Char(','), 0, 0).toInt(&Ok);
        const int L = Arg.section(QLatin1Char(','), 1).toInt(&Ok2);
        Ok = Ok && Ok2;
        if (Ok)
            D->LineEdit()->setSelection(S, L);
    } else if (Name == QLatin1String("type")) {
        for (const QChar Ch : Arg)
            QTest::keyClick(W, Ch.toLatin1());
    } else if (Name == QLatin1String("key")) {
        const std::optional<TKeyName> K = KeyNamed(Arg);
        Ok = K.has_value();
        if (Ok)
            QTest::keyClick(W, K->Key, K->Mods);
    } else if (Name == QLatin1String("paste")) {
        QApplication::clipboard()->setText(Arg);
        QTest::keyClick(W, Qt::Key_V, Qt::ControlModifier);
    } else if (Action == QLatin1String("blur")) {
        Other->SetFocus();
    } else {
        Ok = false;
    }
    return Ok;
}

int DropDownEdit(const QStringList& Args)
{
    TDropDownOptions O;
    if (const QString Why = ParseDropDownOptions(Args, O); !Why.isEmpty())
        return RefuseDropDown(Why);
    const std::unique_ptr<TForm> Form = cfgtool::MakeDropDownForm(O.DS, O.TS);
    auto* D = cfgtool::PlaceDropDown<TExCustomDropDown>(Form.get());
    auto* Other = new TEdit(Form.get());
    Other->SetParent(Form.get());
    Other->SetTop(60);
    ApplyDropDownOptions(D, O);
    cfgtool::ShowAndFocus(Form.get(), D);
    for (const QString& Action : O.Actions) {
        if (!PerformDropDownAction(D, Other, Action))
            return RefuseDropDown(QStringLiteral("bad action: ") + Action);
        cfgtool::Out(QStringLiteral("%1\t%2\t%3\t%4")
                         .arg(Action, D->RawText())
                         .arg(D->SelStart())
                         .arg(D->SelLength()));
    }
    cfgtool::Out(QStringLiteral("value\t") + D->GetText());
    cfgtool::Out(QStringLiteral("float\t") + QString::number(D->GetFloatValue(), 'f', 6));
    cfgtool::Out(QStringLiteral("modified\t") + (D->GetIsModified() ? QStringLiteral("1") : QStringLiteral("0")));
    std::fflush(stdout);
    return 0;
}

const cfgtool::CfgCommand dropDownEditCommand("dropdown-edit", DropDownEdit);

} // namespace
