#include "shell/UNew_Project.h"

#include "rtl/Dialogs.h"
#include "shell/UComon.h"
#include "shell/UDeviravizevFirmWare.h"
#include "shell/ULanguage.h"

TFNew_Project* FNew_Project = nullptr;

bool Is_Configuration_Name(const String& Name)
{
    if (Name.isEmpty() || Name == QLatin1String(".") || Name == QLatin1String(".."))
        return false;
    for (const QChar C : Name)
        if (C == u'/' || C == u'\\' || C.category() == QChar::Other_Control)
            return false;
    return true;
}

bool Is_Portable_Folder_Name(const String& Name)
{
    if (!Is_Configuration_Name(Name) || Trim(Name).isEmpty())
        return false;
    // Names the other platforms' file systems cannot hold or silently change.
    if (Name.back() == u' ' || Name.back() == u'.')
        return false;
    for (const QChar C : Name)
        if (QStringView(u":*?\"<>|").contains(C))
            return false;
    return true;
}

TFNew_Project::TFNew_Project(TComponent* AOwner) : TShellForm(AOwner, Lang_First)
{
    Add_Button_Panel();

    Label1 = new TLabel(this);
    Label1->SetParent(this);
    Label1->SetAutoSize(true);
    Label1->SetBounds(16, 78, 280, 14);

    E_New_Proj = new TEdit(this);
    E_New_Proj->SetParent(this);
    E_New_Proj->SetBounds(16, 94, 299, 21);
    E_New_Proj->SetShowHint(true);
    E_New_Proj->SetTabOrder(0);
    E_New_Proj->OnKeyPress = [this](TObject* Sender, Char& Key) { E_New_ProjKeyPress(Sender, Key); };

    // OK has no modal result of its own: it closes only when the name passed.
    Btn_OK->OnClick = [this](TObject* Sender) { Btn_OKClick(Sender); };
    OnShow = [this](TObject* Sender) { FormShow(Sender); };
}

void TFNew_Project::FormCreate(TObject* Sender)
{
    SetClientWidth(331);
    SetClientHeight(162);
    Place_Buttons();
    TShellForm::FormCreate(Sender);
}

void TFNew_Project::Set_Lang()
{
    TShellForm::Set_Lang();
    Label1->SetCaption(Lang.Strings(102));
    Btn_OK->SetCaption(Lang.Strings(103));
    Btn_OK->SetHint(Lang.Strings(109));
    Btn_Cancel->SetCaption(Lang.Strings(104));
    Btn_Cancel->SetHint(Lang.Strings(110));
    E_New_Proj->SetHint(Lang.Strings(108));
}

void TFNew_Project::FormShow(TObject*)
{
    E_New_Proj->SetText(String());
    if (E_New_Proj->CanFocus())
        E_New_Proj->SetFocus();
}

void TFNew_Project::E_New_ProjKeyPress(TObject* Sender, Char& Key)
{
    if (Key == QChar(u'\r'))
        Btn_OKClick(Sender);
}

void TFNew_Project::Btn_OKClick(TObject*)
{
    // The name as typed, not trimmed.
    const String Name = E_New_Proj->Text();
    if (Name.isEmpty()) {
        MessageDlg(Lang.Strings(107), mtError, TMsgDlgButtons{mbOK}, 0);
        return;
    }
    // Names that would leave PROJECTS, or that a folder cannot carry to
    // every system the configurations travel to.
    if (!Is_Portable_Folder_Name(Name)) {
        MessageDlg(Lang.Strings(105), mtError, TMsgDlgButtons{mbOK}, 0);
        return;
    }
    // Configurations come from systems whose file names ignore case.
    if (!FindExistingName(Path_Projects, Name).isEmpty()) {
        MessageDlg(Lang.Strings(106), mtError, TMsgDlgButtons{mbOK}, 0);
        return;
    }
    const String Folder = Path_Projects + PathDelim + Name;
    if (!CreateDir(Folder)) {
        MessageDlg(Lang.Strings(105), mtError, TMsgDlgButtons{mbOK}, 0);
        return;
    }
    ForceDirectories(Folder + PathDelim + QStringLiteral("bin"));
    Name_Project = Name;
    Path_Project = Folder;
    if (FDeviravizevFirmWare)
        FDeviravizevFirmWare->Set_Files();
    else
        Set_Table_Files();
    SetModalResult(mrOk);
}
