#include "iolink/UBoot.h"

#include "shell/UComon.h"
#include "shell/ULanguage.h"

TFBoot* FBoot = nullptr;

TFBoot::TFBoot(TComponent* AOwner) : TShellForm(AOwner, Lang_First)
{
    OnShow = [this](TObject* Sender) { FormShow(Sender); };
}

void TFBoot::FormCreate(TObject*)
{
    // The texts follow the mode, which is known only when the dialog is shown.
}

void TFBoot::FormShow(TObject*)
{
    L_SW_Code->SetCaption(SW_Code);
    Set_Lang();
}

void TFBoot::Set_Lang()
{
    const Integer First = Form_Type == Form_Ethernet ? Lang_First + 2 : Lang_First;
    SetCaption(Lang.Strings(First));
    L_SW_Desc->SetCaption(Lang.Strings(First + 1));
}
