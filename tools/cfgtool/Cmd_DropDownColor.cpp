// cfgtool dropdown-color [--style list|discrete|cube|spectrum]
// [--value-text none|hex|web|rgb|html] [--no-default-colors] ACTION...: one
// colour picker on an offscreen form, focused; each action (set=COLOR,
// index=N, open, key=NAME, click=X,Y, wheel=up|down) prints ACTION, the
// selected colour as $XXXXXXXX, the item index, the colour's text and
// open|closed, tab-separated.
#include "Command.h"
#include "DropDownForm.h"

#include "controls/dropdown/ExColorPickerDropDown.h"

#include <QMouseEvent>
#include <QTest>
#include <QWheelEvent>

#include <cstdio>
#include <map>
#include <optional>

namespace {

int RefuseColor(const QString& Why)
{
    cfgtool::Err(QStringLiteral("dropdown-color: ") + Why);
    cfgtool::Err(QStringLiteral("usage: cfgtool dropdown-color [--style list|discrete|cube|spectrum] "
                                "[--value-text none|hex|web|rgb|html] [--no-default-colors] ACTION..."));
    return 2;
}

struct TColorOptions {
    TColorSelectionStyle Style = csList;
    TColorValueText ValueText = cvtNone;
    bool DefaultColors = true;
    QStringList Actions;
};

template <class T>
std::optional<T> Named(const std::map<QString, T>& Names, const QString& Name)
{
    const auto It = Names.find(Name);
    return It == Names.end() ? std::nullopt : std::optional<T>(It->second);
}

const std::map<QString, TColorSelectionStyle> Styles = {{QStringLiteral("list"), csList},
                                                        {QStringLiteral("discrete"), csDiscrete},
                                                        {QStringLiteral("cube"), csColorCube},
                                                        {QStringLiteral("spectrum"), csSpectrum}};
const std::map<QString, TColorValueText> ValueTexts = {{QStringLiteral("none"), cvtNone},
                                                       {QStringLiteral("hex"), cvtHex},
                                                       {QStringLiteral("web"), cvtWebName},
                                                       {QStringLiteral("rgb"), cvtRGB},
                                                       {QStringLiteral("html"), cvtHTML}};
const std::map<QString, Qt::Key> Keys = {
    {QStringLiteral("Up"), Qt::Key_Up},         {QStringLiteral("Down"), Qt::Key_Down},
    {QStringLiteral("Left"), Qt::Key_Left},     {QStringLiteral("Right"), Qt::Key_Right},
    {QStringLiteral("Home"), Qt::Key_Home},     {QStringLiteral("End"), Qt::Key_End},
    {QStringLiteral("PageUp"), Qt::Key_PageUp}, {QStringLiteral("PageDown"), Qt::Key_PageDown},
    {QStringLiteral("Enter"), Qt::Key_Return},  {QStringLiteral("Escape"), Qt::Key_Escape}};

// A named key or one letter.
std::optional<Qt::Key> KeyNamed(const QString& Name)
{
    if (Name.size() == 1 && Name[0].isLetter() && Name[0].unicode() < 128)
        return Qt::Key(Name[0].toUpper().unicode());
    return Named(Keys, Name);
}

std::optional<TColor> ColorOf(const QString& Text)
{
    bool Ok = false;
    const uint V = Text.mid(1).toUInt(&Ok, 16);
    if (!Text.startsWith(u'$') || Text.size() < 2 || Text.size() > 9 || !Ok)
        return std::nullopt;
    return TColor(V);
}

std::optional<QPoint> PointOf(const QString& Text)
{
    const QStringList Parts = Text.split(u',');
    bool OkX = false, OkY = false;
    const int X = Parts.size() == 2 ? Parts[0].toInt(&OkX) : 0;
    const int Y = Parts.size() == 2 ? Parts[1].toInt(&OkY) : 0;
    return OkX && OkY ? std::optional<QPoint>(QPoint(X, Y)) : std::nullopt;
}

std::optional<int> IndexOf(const QString& Text)
{
    bool Ok = false;
    const int N = Text.toInt(&Ok);
    return Ok ? std::optional<int>(N) : std::nullopt;
}

// The action's name and its value after "=" (empty without one).
std::pair<QString, QString> SplitAction(const QString& Action)
{
    const qsizetype Eq = Action.indexOf(u'=');
    return Eq < 0 ? std::pair(Action, QString()) : std::pair(Action.left(Eq), Action.mid(Eq + 1));
}

bool IsKnownAction(const QString& Action)
{
    const auto [Name, Value] = SplitAction(Action);
    if (Name == QLatin1String("open"))
        return Action == Name;
    if (Name == QLatin1String("set"))
        return ColorOf(Value).has_value();
    if (Name == QLatin1String("index"))
        return IndexOf(Value).has_value();
    if (Name == QLatin1String("key"))
        return KeyNamed(Value).has_value();
    if (Name == QLatin1String("click"))
        return PointOf(Value).has_value();
    if (Name == QLatin1String("wheel"))
        return Value == QLatin1String("up") || Value == QLatin1String("down");
    return false;
}

// Empty when the options are good, else why not.
QString ParseColorOptions(const QStringList& Args, TColorOptions& O)
{
    for (qsizetype I = 0; I < Args.size(); ++I) {
        const QString& A = Args[I];
        const QString Value = I + 1 < Args.size() ? Args[I + 1] : QString();
        if (!A.startsWith(QLatin1String("--"))) {
            if (!IsKnownAction(A))
                return QStringLiteral("bad action: ") + A;
            O.Actions.append(A);
        } else if (A == QLatin1String("--no-default-colors")) {
            O.DefaultColors = false;
        } else if (A == QLatin1String("--style")) {
            const auto S = Named(Styles, Value);
            if (!S)
                return QStringLiteral("--style needs list, discrete, cube or spectrum");
            O.Style = *S;
            ++I;
        } else if (A == QLatin1String("--value-text")) {
            const auto V = Named(ValueTexts, Value);
            if (!V)
                return QStringLiteral("--value-text needs none, hex, web, rgb or html");
            O.ValueText = *V;
            ++I;
        } else {
            return QStringLiteral("unknown option: ") + A;
        }
    }
    return O.Actions.isEmpty() ? QStringLiteral("no action") : QString();
}

// The chooser the open pop-up shows, nullptr while it is closed.
TControl* OpenChooser(TExColorPickerDropDown* D)
{
    if (!D->DroppedDown())
        return nullptr;
    switch (D->ColorSelectionStyle()) {
    case csList: return D->ItemSelector();
    case csDiscrete: return D->ColorSelector();
    case csColorCube: return D->ColorCubePanel();
    default: return D->SpectrumPanel();
    }
}

void ClickChooser(TExColorPickerDropDown* D, const QPoint& At)
{
    TControl* Chooser = OpenChooser(D);
    if (!Chooser)
        return;
    // The press goes to the widget under the point, as the mouse gives it.
    QWidget* Own = Chooser->Handle();
    QWidget* Target = Own->childAt(At);
    if (!Target)
        Target = Own;
    const QPoint Local = Target->mapFrom(Own, At);
    // The move goes to the widget itself: the offscreen platform may give
    // a move to the window below the pop-up.
    QMouseEvent Move(QEvent::MouseMove, Local, Target->mapToGlobal(Local), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(Target, &Move);
    QTest::mouseClick(Target, Qt::LeftButton, {}, Local);
}

void WheelOver(TWinControl* C, bool Up)
{
    const QPointF At(5, 5);
    QWheelEvent E(At, C->Handle()->mapToGlobal(At), QPoint(), QPoint(0, Up ? 120 : -120), Qt::NoButton,
                  Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(C->Handle(), &E);
}

void PerformColorAction(TExColorPickerDropDown* D, const QString& Action)
{
    const auto [Name, Value] = SplitAction(Action);
    if (Name == QLatin1String("set")) {
        D->SetSelectedColor(*ColorOf(Value));
    } else if (Name == QLatin1String("index")) {
        D->SetItemIndex(*IndexOf(Value));
    } else if (Name == QLatin1String("open")) {
        if (!D->DroppedDown())
            QTest::keyClick(D->Handle(), Qt::Key_F4);
    } else if (Name == QLatin1String("key")) {
        QWidget* Focus = D->DroppedDown() ? D->DropDownForm()->Handle() : D->Handle();
        QTest::keyClick(Focus, *KeyNamed(Value));
    } else if (Name == QLatin1String("click")) {
        ClickChooser(D, *PointOf(Value));
    } else {
        WheelOver(D, Value == QLatin1String("up"));
    }
}

int DropDownColor(const QStringList& Args)
{
    TColorOptions O;
    if (const QString Why = ParseColorOptions(Args, O); !Why.isEmpty())
        return RefuseColor(Why);
    const std::unique_ptr<TForm> Form = cfgtool::MakeDropDownForm(u'.', u',');
    auto* D = cfgtool::PlaceDropDown<TExColorPickerDropDown>(Form.get());
    if (O.DefaultColors)
        D->AddDefaultColors();
    D->SetColorSelectionStyle(O.Style);
    D->SetColorValueText(O.ValueText);
    cfgtool::ShowAndFocus(Form.get(), D);
    for (const QString& Action : O.Actions) {
        PerformColorAction(D, Action);
        const QString Color = QStringLiteral("%1").arg(Cardinal(D->SelectedColor()), 8, 16, QLatin1Char('0')).toUpper();
        const QString State = D->DroppedDown() ? QStringLiteral("open") : QStringLiteral("closed");
        cfgtool::Out(Action + u'\t' + u'$' + Color + u'\t' + QString::number(D->ItemIndex()) + u'\t' +
                     D->SelectedColorText() + u'\t' + State);
    }
    std::fflush(stdout);
    return 0;
}

const cfgtool::CfgCommand dropDownColorCommand("dropdown-color", DropDownColor);

} // namespace
