// cfgtool dropdown-calc [--precision N] [--thousands] [--max-length N]
// [--ds C] [--ts C] [--set TEXT] INPUT...: one calculator drop-down on an
// offscreen form, focused; each input is a click on the button of that
// caption in the open pop-up ("blank" for the empty one), key:TEXT (a named
// key, else the characters, typed in the open pop-up) or edit:TEXT (typed
// into the closed edit). Each input prints INPUT, the edit's text and
// open|closed, tab-separated.
#include "Command.h"
#include "DropDownForm.h"
#include "TextLines.h"

#include "controls/dropdown/ExCalculatorDropDown.h"

#include <QTest>

#include <cstdio>
#include <map>
#include <optional>

namespace {

int RefuseCalc(const QString& Why)
{
    cfgtool::Err(QStringLiteral("dropdown-calc: ") + Why);
    cfgtool::Err(QStringLiteral("usage: cfgtool dropdown-calc [--precision N] [--thousands] [--max-length N] "
                                "[--ds C] [--ts C] [--set TEXT] INPUT..."));
    return 2;
}

struct TCalcOptions {
    std::optional<SmallInt> Precision;
    std::optional<Integer> MaxLength;
    bool Thousands = false;
    std::optional<QString> FirstText;
    QChar DS = u'.', TS = u',';
    QStringList Inputs;
};

// Empty when the options are good, else why not.
QString ParseCalcOptions(const QStringList& Args, TCalcOptions& O)
{
    for (qsizetype I = 0; I < Args.size(); ++I) {
        const QString& A = Args[I];
        const bool HasValue = I + 1 < Args.size();
        if (!A.startsWith(QLatin1String("--"))) {
            O.Inputs.append(A);
        } else if (A == QLatin1String("--thousands")) {
            O.Thousands = true;
        } else if (A == QLatin1String("--ds") || A == QLatin1String("--ts")) {
            if (!cfgtool::TakeCharOption(Args, I, A == QLatin1String("--ds") ? O.DS : O.TS))
                return A + QStringLiteral(" needs one character");
        } else if (A == QLatin1String("--set")) {
            if (!HasValue)
                return QStringLiteral("--set needs a text");
            O.FirstText = Args[++I];
        } else if (A == QLatin1String("--precision") || A == QLatin1String("--max-length")) {
            bool Ok = false;
            const int N = HasValue ? Args[++I].toInt(&Ok) : 0;
            if (!Ok || N < -32768 || N > 32767)
                return A + QStringLiteral(" needs a number");
            if (A == QLatin1String("--precision"))
                O.Precision = SmallInt(N);
            else
                O.MaxLength = N;
        } else {
            return QStringLiteral("unknown option: ") + A;
        }
    }
    if (O.Inputs.isEmpty())
        return QStringLiteral("no input");
    return QString();
}

// The panel's button with that caption ("blank" for the empty one), or -1.
Integer ButtonOfCaption(TCustomButtonPanel* Panel, const QString& Name)
{
    const QString Caption = Name == QLatin1String("blank") ? QString() : Name;
    if (Caption.isEmpty() && Name != QLatin1String("blank"))
        return -1;
    for (Integer I = 0; I < Panel->Buttons()->Count(); ++I)
        if (Panel->Buttons()->GetItem(I)->Caption() == Caption)
            return I;
    return -1;
}

std::optional<Qt::Key> PopupKeyNamed(const QString& Name)
{
    static const std::map<QString, Qt::Key> Keys = {{QStringLiteral("Enter"), Qt::Key_Return},
                                                    {QStringLiteral("Escape"), Qt::Key_Escape},
                                                    {QStringLiteral("Tab"), Qt::Key_Tab},
                                                    {QStringLiteral("F4"), Qt::Key_F4},
                                                    {QStringLiteral("Backspace"), Qt::Key_Backspace}};
    const auto It = Keys.find(Name);
    return It == Keys.end() ? std::nullopt : std::optional(It->second);
}

void TypeInto(QWidget* W, const QString& Text)
{
    for (const QChar Ch : Text)
        QTest::keyClick(W, Ch.toLatin1());
}

// F4 in the edit opens or closes the pop-up until it is as wanted.
void SetPopupOpen(TExCalculatorDropdown* D, bool Open)
{
    if (D->DroppedDown() != Open)
        QTest::keyClick(D->Handle(), Qt::Key_F4);
}

bool IsTextInput(const QString& Input, const char* Kind)
{
    const QLatin1String K(Kind);
    return Input.startsWith(K) && Input.size() > K.size();
}

bool IsKnownInput(TExCalculatorDropdown* D, const QString& Input)
{
    return IsTextInput(Input, "edit:") || IsTextInput(Input, "key:") || ButtonOfCaption(D->ButtonPanel(), Input) >= 0;
}

void PerformCalcInput(TExCalculatorDropdown* D, const QString& Input)
{
    if (IsTextInput(Input, "edit:")) {
        SetPopupOpen(D, false);
        TypeInto(D->Handle(), Input.mid(5));
        return;
    }
    if (IsTextInput(Input, "key:")) {
        SetPopupOpen(D, true);
        QWidget* Popup = D->DropDownForm()->Handle();
        if (const std::optional<Qt::Key> K = PopupKeyNamed(Input.mid(4)))
            QTest::keyClick(Popup, *K);
        else
            TypeInto(Popup, Input.mid(4));
        return;
    }
    TCustomButtonPanel* Panel = D->ButtonPanel();
    const Integer Index = ButtonOfCaption(Panel, Input);
    SetPopupOpen(D, true);
    const TRect R = Panel->Buttons()->GetItem(Index)->BoundsRect();
    QTest::mouseClick(Panel->Handle(), Qt::LeftButton, {}, QPoint(R.Left + R.Width() / 2, R.Top + R.Height() / 2));
}

int DropDownCalc(const QStringList& Args)
{
    TCalcOptions O;
    if (const QString Why = ParseCalcOptions(Args, O); !Why.isEmpty())
        return RefuseCalc(Why);
    const std::unique_ptr<TForm> Form = cfgtool::MakeDropDownForm(O.DS, O.TS);
    auto* D = cfgtool::PlaceDropDown<TExCalculatorDropdown>(Form.get());
    for (const QString& Input : O.Inputs)
        if (!IsKnownInput(D, Input))
            return RefuseCalc(QStringLiteral("bad input: ") + Input);
    if (O.Precision)
        D->SetPrecision(*O.Precision);
    if (O.MaxLength)
        D->SetMaxLength(*O.MaxLength);
    D->SetShowThousandSeparator(O.Thousands);
    if (O.FirstText)
        D->SetText(*O.FirstText);
    cfgtool::ShowAndFocus(Form.get(), D);
    for (const QString& Input : O.Inputs) {
        PerformCalcInput(D, Input);
        cfgtool::Out(QStringLiteral("%1\t%2\t%3")
                         .arg(Input, D->Text(), D->DroppedDown() ? QStringLiteral("open") : QStringLiteral("closed")));
    }
    std::fflush(stdout);
    return 0;
}

const cfgtool::CfgCommand dropDownCalcCommand("dropdown-calc", DropDownCalc);

} // namespace
