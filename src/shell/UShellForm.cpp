#include "shell/UShellForm.h"

#include "shell/UComon.h"
#include "shell/ULanguage.h"

#include <algorithm>

void Shell_Window_Font(TFont* Font)
{
    Font->SetName(QStringLiteral("Verdana"));
    Font->SetHeight(-11);
}

void Shell_Button_Look(TLbButton* Button)
{
    Button->SetColor(Shell_Window_Color);
    Button->SetColorWhenDown(Shell_Button_Down_Color);
    Button->SetLightColor(clGray);
    Button->SetShowHint(true);
    Button->SetStyle(bsEncarta);
    Button->SetHotTrackColor(clYellow);
}

void Shell_Button_Glyph(TLbButton* Button, const char* Resource)
{
    TBitmap Picture;
    Picture.LoadFromResourceName(QLatin1String(Resource));
    Button->SetGlyph(&Picture);
    Button->SetNumGlyphs(1);
}

TShellForm::TShellForm(TComponent* AOwner, Integer Caption_Text) : TForm(AOwner), FCaption_Text(Caption_Text)
{
    Init_Shell_Resources();
    SetBorderStyle(bsSingle);
    SetBorderIcons(TBorderIcons{biSystemMenu});
    SetPosition(poScreenCenter);
    SetColor(Shell_Window_Color);
    Shell_Window_Font(Font());

    P_Title = new TPanel(this);
    P_Title->SetParent(this);
    P_Title->SetAlign(alTop);
    P_Title->SetHeight(69);
    P_Title->SetBevelOuter(bvNone);
    P_Title->SetColor(Shell_Window_Color);
    P_Title->SetShowCaption(false);

    L_SW_Code = new TLabel(this);
    L_SW_Code->SetParent(P_Title);
    L_SW_Code->SetParentFont(false);
    L_SW_Code->Font()->SetName(QStringLiteral("Verdana"));
    L_SW_Code->Font()->SetHeight(-32);
    L_SW_Code->Font()->SetColor(clGray);
    L_SW_Code->SetAutoSize(true);
    L_SW_Code->SetLeft(16);
    L_SW_Code->SetTop(8);

    L_SW_Desc = new TLabel(this);
    L_SW_Desc->SetParent(P_Title);
    L_SW_Desc->SetParentFont(false);
    Shell_Window_Font(L_SW_Desc->Font());
    L_SW_Desc->Font()->SetStyle(TFontStyles{fsBold});
    L_SW_Desc->Font()->SetColor(clGray);
    L_SW_Desc->SetAutoSize(true);
    L_SW_Desc->SetLeft(16);
    L_SW_Desc->SetTop(42);

    OnCreate = [this](TObject* Sender) { FormCreate(Sender); };
}

void TShellForm::FormCreate(TObject*)
{
    L_SW_Code->SetCaption(SW_Code);
    Set_Lang();
}

void TShellForm::Set_Lang()
{
    SetCaption(Lang.Strings(FCaption_Text));
    L_SW_Desc->SetCaption(Lang.Strings(FCaption_Text + 1));
}

void TShellForm::Add_Button_Panel()
{
    P_Button = new TPanel(this);
    P_Button->SetParent(this);
    P_Button->SetAlign(alBottom);
    P_Button->SetHeight(40);
    P_Button->SetBevelOuter(bvNone);
    P_Button->SetShowCaption(false);

    Btn_OK = new TLbButton(this);
    Btn_OK->SetParent(P_Button);
    Shell_Button_Look(Btn_OK);
    Shell_Button_Glyph(Btn_OK, "BTN_OK");

    Btn_Cancel = new TLbButton(this);
    Btn_Cancel->SetParent(P_Button);
    Shell_Button_Look(Btn_Cancel);
    Shell_Button_Glyph(Btn_Cancel, "BTN_CANCEL");
    Btn_Cancel->SetModalResult(mrCancel);
    Place_Buttons();
}

void TShellForm::Place_Buttons()
{
    if (!P_Button)
        return;
    const Integer W = ClientWidth();
    Btn_OK->SetBounds(W - 2 * 110 - 16, 6, 110, 28);
    Btn_Cancel->SetBounds(W - 110 - 8, 6, 110, 28);
}

TLabel* TShellForm::Add_Label(Integer Left, Integer Top)
{
    auto* Label = new TLabel(this);
    Label->SetParent(this);
    Label->SetAutoSize(true);
    Label->SetLeft(Left);
    Label->SetTop(Top);
    return Label;
}

void TShellForm::Keep_Client_Size(Integer Min_Width, Integer Max_Width, Integer Min_Height)
{
    const Integer Width = std::clamp(ClientWidth(), Min_Width, Max_Width);
    if (ClientWidth() != Width)
        SetClientWidth(Width);
    if (ClientHeight() < Min_Height)
        SetClientHeight(Min_Height);
}
