#include "shell/UAbout.h"

#include "shell/UShellForm.h"

TFAbout* FAbout = nullptr;

TFAbout::TFAbout(TComponent* AOwner) : TForm(AOwner)
{
    SetBorderStyle(bsSingle);
    SetBorderIcons(TBorderIcons{biSystemMenu});
    SetPosition(poScreenCenter);
    SetColor(Shell_Window_Color);
    Shell_Window_Font(Font());
    SetCaption(QStringLiteral("About..."));
    SetClientWidth(425);
    SetClientHeight(148);
}
