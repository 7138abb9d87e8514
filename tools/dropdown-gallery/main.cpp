// dropdown-gallery [--open NAME] [--screenshot FILE]: one window with a
// labelled example of each drop-down editor and edit type. --open opens
// that example's pop-up once the window shows; --screenshot writes a
// picture of the window with the open pop-up where it stands, then ends.
#include "controls/dropdown/ExMemoDropDown.h"
#include "controls/dropdown/ExTrackBarDropDown.h"
#include "rtl/Forms.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <map>

namespace {

constexpr Integer RowHeight = 32;

struct TGallery {
    TForm* Form = nullptr;
    std::map<QString, TExCustomDropDown*> Examples;
    Integer Rows = 0;

    template <class T = TExCustomDropDown>
    T* Add(const QString& Name, const QString& Caption)
    {
        auto* D = NewObject<T>(Form);
        D->SetParent(Form);
        D->SetBounds(160, 12 + Rows * RowHeight, 200, D->Height());
        D->SetLabelPosition(dropdown::lpLeftCenter);
        D->SetLabelCaption(Caption);
        Examples[Name] = D;
        ++Rows;
        return D;
    }
    TExCustomDropDown* AddEditType(const QString& Name, const QString& Caption, TDropDownEditType Type)
    {
        TExCustomDropDown* D = Add(Name, Caption);
        D->SetEditType(Type);
        return D;
    }
};

void BuildGallery(TGallery& G)
{
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
        if (dynamic_cast<TExTrackBarDropDown*>(D) || dynamic_cast<TExMemoDropDown*>(D))
            continue;
        auto* Hint = new TLabel(D);
        Hint->SetCaption(QStringLiteral("Edit type example: ") + Name);
        Hint->SetBounds(0, 0, 200, 40);
        D->SetControl(Hint);
    }
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

} // namespace

int main(int argc, char** argv)
{
    QApplication App(argc, argv);
    Application->Initialize();
    QString OpenName, ScreenshotFile;
    const QStringList Args = App.arguments();
    for (qsizetype I = 1; I < Args.size(); ++I) {
        if (Args[I] == QLatin1String("--open") && I + 1 < Args.size())
            OpenName = Args[++I];
        else if (Args[I] == QLatin1String("--screenshot") && I + 1 < Args.size())
            ScreenshotFile = Args[++I];
        else {
            std::fprintf(stderr, "usage: dropdown-gallery [--open NAME] [--screenshot FILE]\n");
            return 2;
        }
    }
    TForm* Form = nullptr;
    Application->CreateForm(Form);
    Form->SetCaption(QStringLiteral("Drop-down gallery"));
    TGallery G{Form};
    BuildGallery(G);
    Form->SetClientWidth(420);
    Form->SetClientHeight(24 + G.Rows * RowHeight);
    TExCustomDropDown* Open = nullptr;
    if (!OpenName.isEmpty()) {
        const auto It = G.Examples.find(OpenName);
        if (It == G.Examples.end()) {
            std::fprintf(stderr, "dropdown-gallery: no example named %s\n", qPrintable(OpenName));
            return 2;
        }
        Open = It->second;
    }
    Form->Show();
    QTimer::singleShot(300, [&] {
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
