#include "shell/UOpenConf.h"

#include "rtl/Dialogs.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"

#include <QDir>

TFOpenConf* FOpenConf = nullptr;

TFOpenConf::TFOpenConf(TComponent* AOwner) : TShellForm(AOwner, Lang_First), SL(std::make_unique<TStringList>())
{
    SetBorderStyle(bsSizeable);
    Add_Button_Panel();
    Btn_OK->SetModalResult(mrOk);
    Btn_OK->SetAnchors(TAnchors{akTop, akRight});
    Btn_Cancel->SetAnchors(TAnchors{akTop, akRight});

    Label1 = new TLabel(this);
    Label1->SetParent(this);
    Label1->SetAutoSize(true);
    Label1->SetBounds(16, 76, 300, 14);

    ListBox1 = new TListBox(this);
    ListBox1->SetParent(this);
    ListBox1->SetShowHint(true);
    ListBox1->OnClick = [this](TObject* Sender) { ListBox1Click(Sender); };
    OnShow = [this](TObject* Sender) { FormShow(Sender); };
    // Never smaller than designed, so the list and the buttons stay in view.
    OnResize = [this](TObject*) { Keep_Client_Size(Design_Width, MaxInt, Design_Height); };
}

void TFOpenConf::FormCreate(TObject* Sender)
{
    SetClientWidth(Design_Width);
    SetClientHeight(Design_Height);
    Place_Buttons();
    ListBox1->SetBounds(16, 94, Design_Width - 32, Design_Height - 40 - 94 - 8);
    ListBox1->SetAnchors(TAnchors{akLeft, akTop, akRight, akBottom});
    TShellForm::FormCreate(Sender);
}

void TFOpenConf::Set_Lang()
{
    TShellForm::Set_Lang();
    Label1->SetCaption(Lang.Strings(202));
    Btn_OK->SetCaption(Lang.Strings(203));
    Btn_OK->SetHint(Lang.Strings(206));
    Btn_Cancel->SetCaption(Lang.Strings(204));
    Btn_Cancel->SetHint(Lang.Strings(207));
    ListBox1->SetHint(Lang.Strings(205));
}

void TFOpenConf::Load_Existing_Configuration()
{
    SL->Clear();
    TSearchRec F;
    if (FindFirst(Path_Projects + PathDelim + QStringLiteral("*"), faDirectory, F) == 0) {
        do {
            if (F.Attr & faDirectory)
                SL->Add(F.Name);
        } while (FindNext(F) == 0);
        FindClose(F);
    }
}

Integer TFOpenConf::Search_Open_Conf(const String& Name) const
{
    const String Upper = Name.toUpper();
    for (Integer I = 0; I < SL->Count(); ++I)
        if (SL->Strings(I).toUpper() == Upper)
            return I;
    return -1;
}

void TFOpenConf::FormShow(TObject*)
{
    SL = std::make_unique<TStringList>();
    const QDir Projects(Path_Projects);
    if (!DirectoryExists(Path_Projects) || !Projects.isReadable())
        MessageDlg(QStringLiteral("Error! The folder of the configurations cannot be read: ") + Path_Projects,
                   mtError, TMsgDlgButtons{mbOK}, 0);
    else
        Load_Existing_Configuration();
    ListBox1->Items()->Assign(SL.get());

    String Current;
    const String Prefix = Path_Projects + PathDelim;
    if (!Path_Project.isEmpty() && Path_Project.startsWith(Prefix))
        Current = Path_Project.mid(Prefix.size());
    const Integer I = Search_Open_Conf(Current);
    if (I >= 0) {
        ListBox1->SetItemIndex(I);
        Name_Conf = SL->Strings(I);
    } else if (SL->Count() > 0) {
        ListBox1->SetItemIndex(0);
        Name_Conf = SL->Strings(0);
    } else {
        // Nothing to choose: OK opens nothing rather than an earlier choice.
        Name_Conf.clear();
    }
}

void TFOpenConf::ListBox1Click(TObject*)
{
    const Integer I = ListBox1->ItemIndex();
    if (I >= 0)
        Name_Conf = ListBox1->Items()->Strings(I);
}
