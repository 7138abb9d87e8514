// dropdown-gallery [--open NAME] [--style N] [--screenshot FILE]: one
// window with a labelled example of each drop-down editor and edit type, a
// chooser of the component styles that recolours every example (--style N
// chooses one at the start) and an item selector on its own. --open opens
// that example's pop-up once the window shows; --screenshot writes a
// picture of the window with the open pop-up where it stands, then ends.
#include "Gallery.h"
#include "controls/dropdown/ExCalculatorDropDown.h"
#include "controls/dropdown/ExItemSelector.h"
#include "controls/dropdown/ExMemoDropDown.h"
#include "controls/dropdown/ExTrackBarDropDown.h"
#include "grid/base/EsgHTMLE.h"
#include "rtl/Forms.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <map>

namespace {

void ApplyStyle(TGallery& G, TQVXStyle Style)
{
    for (const auto& [Name, D] : G.Examples)
        D->SetComponentStyle(Style);
    // The item selector takes the item colours a picking drop-down gives it.
    if (G.Selector && !G.Examples.empty()) {
        G.Examples.begin()->second->SetItemAppearanceStyle(G.Selector->ItemAppearance(), Style);
        G.Selector->Panel()->Invalidate();
    }
}

// The sixteen component styles; choosing one recolours every example.
TComboBox* AddStyleChooser(TGallery& G)
{
    auto* Chooser = new TComboBox(G.Form);
    Chooser->SetParent(G.Form);
    Chooser->SetStyle(csDropDownList);
    const QPoint At = G.NextRow();
    Chooser->SetBounds(At.x() + 148, At.y(), 200, 24);
    for (Integer S = Integer(tsOffice2003Blue); S <= Integer(tsOffice2010Black); ++S)
        Chooser->Items()->Add(GetEnumName(TQVXStyle(S)));
    Chooser->SetItemIndex(Integer(tsOffice2007Luna));
    Chooser->OnChange = [&G, Chooser](TObject*) {
        if (Chooser->ItemIndex() >= 0)
            ApplyStyle(G, TQVXStyle(Chooser->ItemIndex()));
    };
    auto* Label = new TLabel(G.Form);
    Label->SetParent(G.Form);
    Label->SetCaption(QStringLiteral("Component style"));
    Label->SetBounds(At.x(), At.y() + 4, 140, 20);
    return Chooser;
}

// An item selector on its own: colour boxes in three columns.
void AddItemSelector(TGallery& G)
{
    auto* Selector = new TExCustomItemSelector(G.Form);
    Selector->SetParent(G.Form);
    // Below the columns, across the first one.
    Selector->SetBounds(12, G.Height() - 12, 396, SelectorHeight - 8);
    Selector->SetSelectorType(stColor);
    Selector->SetColumns(3);
    const std::pair<const char*, TColor> Colours[] = {{"<b>Red</b>", clRed},   {"Green", clGreen},
                                                       {"Blue", clBlue},        {"<i>Yellow</i>", clYellow},
                                                       {"Teal", clTeal},        {"Purple", clPurple},
                                                       {"Silver", clSilver}};
    for (const auto& [Caption, Colour] : Colours) {
        TSelectorItem* Item = Selector->Items()->Add();
        Item->SetCaption(QString::fromLatin1(Caption));
        Item->SetColor(Colour);
        Item->SetHint(StripHTMLTags(QString::fromLatin1(Caption)));
    }
    Selector->UpdateSelectorPanel();
    G.Selector = Selector;
}

void BuildGallery(TGallery& G)
{
    G.Add<TExCalculatorDropdown>(QStringLiteral("calculator"), QStringLiteral("Calculator"));
    G.Add<TExCalculatorDropdown>(QStringLiteral("calculator-thousands"), QStringLiteral("Calculator, 1,000s"))
        ->SetShowThousandSeparator(true);
    G.Add<TExTrackBarDropDown>(QStringLiteral("trackbar"), QStringLiteral("Track bar"));
    auto* Memo = G.Add<TExMemoDropDown>(QStringLiteral("memo"), QStringLiteral("Memo"));
    Memo->DropDownHeader()->SetCaption(QStringLiteral("<b>Notes</b>"));
    TFooterButton* Ok = Memo->DropDownFooter()->Buttons()->Add();
    Ok->SetCaption(QStringLiteral("OK"));
    Ok->SetModalResult(mrOk);
    TFooterButton* Cancel = Memo->DropDownFooter()->Buttons()->Add();
    Cancel->SetCaption(QStringLiteral("Cancel"));
    Cancel->SetModalResult(mrCancel);
    Memo->SetEditorEnabled(false);
    TStringList Lines;
    Lines.Add(QStringLiteral("First line of the notes"));
    Lines.Add(QStringLiteral("Second line"));
    Memo->SetMemoText(&Lines);
    TExCustomDropDown* Money = G.AddEditType(QStringLiteral("money"), QStringLiteral("Money"), etMoney);
    Money->SetPrecision(2);
    Money->SetText(QStringLiteral("1234.5"));
    G.AddEditType(QStringLiteral("float"), QStringLiteral("Float"), etFloat)->SetText(QStringLiteral("3.14"));
    TExCustomDropDown* Numeric = G.AddEditType(QStringLiteral("numeric"), QStringLiteral("Signed numeric"), etNumeric);
    Numeric->SetSigned(true);
    Numeric->SetText(QStringLiteral("-42"));
    G.AddEditType(QStringLiteral("hex"), QStringLiteral("Hexadecimal"), etHex)->SetText(QStringLiteral("1F"));
    G.AddEditType(QStringLiteral("range"), QStringLiteral("Range"), etRange)->SetText(QStringLiteral("1-3;5"));
    TExCustomDropDown* Framed = G.AddEditType(QStringLiteral("prefix"), QStringLiteral("Prefix and suffix"), etFloat);
    Framed->SetPrefix(QStringLiteral("Weight: "));
    Framed->SetSuffix(QStringLiteral(" kg"));
    Framed->SetText(QStringLiteral("12.5"));
    // The plain drop-downs host a line about their edit type in the pop-up.
    for (const auto& [Name, D] : G.Examples) {
        if (dynamic_cast<TExTrackBarDropDown*>(D) || dynamic_cast<TExMemoDropDown*>(D) ||
            dynamic_cast<TExCalculatorDropdown*>(D))
            continue;
        auto* Hint = new TLabel(D);
        Hint->SetCaption(QStringLiteral("Edit type example: ") + Name);
        Hint->SetBounds(0, 0, 200, 40);
        D->SetControl(Hint);
    }
    // After the loop above: these host pop-ups of their own.
    AddTimeExamples(G);
    AddMultiColumnExamples(G);
    AddPickerExamples(G);
    AddGridExamples(G);
    AddGridEditorsExample(G);
}

// The window and the open pop-up, each where it stands on the screen.
QImage WindowPicture(TForm* Form, TExCustomDropDown* Open)
{
    QWidget* W = Form->Handle();
    QRect Area = W->frameGeometry();
    QWidget* Popup = Open && Open->DroppedDown() ? Open->DropDownForm()->Handle() : nullptr;
    if (Popup)
        Area = Area.united(Popup->geometry());
    QImage Picture(Area.size(), QImage::Format_RGB32);
    Picture.fill(Qt::white);
    QPainter P(&Picture);
    P.drawImage(W->geometry().topLeft() - Area.topLeft(), W->grab().toImage());
    if (Popup)
        P.drawImage(Popup->geometry().topLeft() - Area.topLeft(), Popup->grab().toImage());
    return Picture;
}

// The gallery's options, read before the platform's own (which would take
// "--style" for itself); false for a call that is not understood.
bool ReadOptions(int argc, char** argv, QString& OpenName, QString& ScreenshotFile, Integer& Style)
{
    for (int I = 1; I < argc; ++I) {
        const QString A = QString::fromLocal8Bit(argv[I]);
        const bool HasValue = I + 1 < argc;
        const QString Value = HasValue ? QString::fromLocal8Bit(argv[I + 1]) : QString();
        bool Number = false;
        const int N = Value.toInt(&Number);
        if (A == QLatin1String("--open") && HasValue)
            OpenName = Value;
        else if (A == QLatin1String("--screenshot") && HasValue)
            ScreenshotFile = Value;
        else if (A == QLatin1String("--style") && Number && N >= 0 && N <= Integer(tsOffice2010Black))
            Style = N;
        else
            return false;
        ++I;
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    QString OpenName, ScreenshotFile;
    Integer Style = -1;
    if (!ReadOptions(argc, argv, OpenName, ScreenshotFile, Style)) {
        std::fprintf(stderr, "usage: dropdown-gallery [--open NAME] [--style N] [--screenshot FILE]\n");
        return 2;
    }
    int QtArgc = 1;
    QApplication App(QtArgc, argv);
    Application->Initialize();
    TForm* Form = nullptr;
    Application->CreateForm(Form);
    Form->SetCaption(QStringLiteral("Drop-down gallery"));
    TGallery G;
    G.Form = Form;
    BuildGallery(G);
    TComboBox* Chooser = AddStyleChooser(G);
    AddItemSelector(G);
    if (Style >= 0) {
        Chooser->SetItemIndex(Style);
        ApplyStyle(G, TQVXStyle(Style));
    }
    Form->SetClientWidth(G.Width());
    Form->SetClientHeight(G.Height() + SelectorHeight);
    TExCustomDropDown* Open = nullptr;
    std::function<TExCustomDropDown*()> Opener;
    if (!OpenName.isEmpty()) {
        const auto It = G.Examples.find(OpenName);
        const auto By = G.Openers.find(OpenName);
        if (It != G.Examples.end()) {
            Open = It->second;
        } else if (By != G.Openers.end()) {
            Opener = By->second;
        } else {
            std::fprintf(stderr, "dropdown-gallery: no example named %s\n", qPrintable(OpenName));
            return 2;
        }
    }
    Form->Show();
    QTimer::singleShot(300, [&] {
        if (Opener)
            Open = Opener();
        if (Open) {
            Open->SetFocus();
            Open->ShowDropDown();
        }
        if (ScreenshotFile.isEmpty())
            return;
        QTimer::singleShot(500, [&] {
            QCoreApplication::processEvents();
            WindowPicture(Form, Open).save(ScreenshotFile, "PNG");
            Form->Close();
        });
    });
    Application->Run();
    DoneApplication();
    return 0;
}
