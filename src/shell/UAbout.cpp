#include "shell/UAbout.h"

#include "platform/Process.h"
#include "shell/UComon.h"
#include "shell/UDeviravizevFirmWare.h"
#include "shell/UShellForm.h"

TFAbout* FAbout = nullptr;

TFAbout::TFAbout(TComponent* AOwner) : TForm(AOwner)
{
    Init_Shell_Resources();
    SetBorderStyle(bsSingle);
    SetBorderIcons(TBorderIcons{biSystemMenu});
    SetPosition(poScreenCenter);
    SetColor(Shell_Window_Color);
    Shell_Window_Font(Font());
    SetCaption(QStringLiteral("About..."));
    SetClientWidth(425);
    SetClientHeight(148);

    Image2 = new TImage(this);
    Image2->SetParent(this);
    Image2->SetBounds(32, 24, 81, 81);
    Image2->SetStretch(true);
    {
        TBitmap Logo;
        Logo.LoadFromResourceName(QStringLiteral("LOGO"));
        Image2->Picture()->SetBitmap(&Logo);
    }
    Image2->SetCursor(crHandPoint);
    Image2->OnClick = [this](TObject* Sender) { Label4Click(Sender); };

    const auto Make_Label = [this](Integer Left, Integer Top, const char* Text) {
        auto* L = new TLabel(this);
        L->SetParent(this);
        L->SetAutoSize(true);
        L->SetLeft(Left);
        L->SetTop(Top);
        L->SetCaption(QString::fromLatin1(Text));
        return L;
    };
    Label1 = Make_Label(128, 24, "Software Pantovisor ");
    Label2 = Make_Label(128, 39, "");
    Label6 = Make_Label(128, 62, "Software Code : ");
    Label9 = Make_Label(240, 62, "");
    Label3 = Make_Label(128, 77, "Version :");
    Label10 = Make_Label(240, 77, "");
    Label8 = Make_Label(128, 93, "Document Code :");
    Label12 = Make_Label(240, 93, "");
    Label4 = Make_Label(316, 131, Maker_Host);
    Label4->SetCursor(crHandPoint);
    Label4->OnClick = [this](TObject* Sender) { Label4Click(Sender); };

    LbButton1 = new TLbButton(this);
    LbButton1->SetParent(this);
    Shell_Button_Look(LbButton1);
    LbButton1->SetBounds(32, 115, 81, 22);
    LbButton1->SetCaption(QStringLiteral("OK"));
    LbButton1->SetModalResult(mrOk);

    OnShow = [this](TObject* Sender) { FormShow(Sender); };
}

void TFAbout::FormShow(TObject*)
{
    Label2->SetCaption(SW_Desc);
    Label9->SetCaption(SW_Code);
    Label10->SetCaption(QString::fromLatin1(C_SW_Version));
    Label12->SetCaption(QString::fromLatin1(C_Document_Code));
    SetClientWidth(425);
    SetClientHeight(148);
}

void TFAbout::Label4Click(TObject*)
{
    platform::OpenURL(Maker_Home_URL());
}
