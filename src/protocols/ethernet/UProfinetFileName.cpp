#include "protocols/ethernet/UProfinetFileName.h"

#include "rtl/Dialogs.h"
#include "shell/ULanguage.h"

TFProfinetFileName* FProfinetFileName = nullptr;

String GSDML_Date_Part(TDateTime Day)
{
    Word Year = 0, Month = 0, DayOfMonth = 0;
    DecodeDate(Day, Year, Month, DayOfMonth);
    return Format("-%.4d%.2d%.2d.xml", {Year, Month, DayOfMonth});
}

bool GSDML_User_Part_Valid(const String& User)
{
    static const String Refused = QStringLiteral("\\/:*?\"<>|");
    for (const QChar C : User)
        if (Refused.contains(C) || C.category() == QChar::Other_Control)
            return false;
    return true;
}

String GSDML_File_Name(const String& Fix1, const String& User, const String& Fix2)
{
    if (Trim(User).isEmpty())
        return Fix1 + Fix2;
    if (User.startsWith(u'_'))
        return Fix1 + User + Fix2;
    return Fix1 + u'_' + User + Fix2;
}

TFProfinetFileName::TFProfinetFileName(TComponent* AOwner) : TShellForm(AOwner, Lang_First)
{
    Add_Button_Panel();
    Label1 = Add_Label(16, 78);
    Label1->Font()->SetStyle(TFontStyles{fsBold});
    Label2 = Add_Label(16, 104);
    Label4 = Add_Label(236, 104);
    Label5 = Add_Label(404, 104);
    L_XML_Fix1 = Add_Label(16, 126);
    L_XML_Fix2 = Add_Label(404, 126);

    E_XML_User = new TEdit(this);
    E_XML_User->SetParent(this);
    E_XML_User->SetBounds(236, 122, 160, 21);
    E_XML_User->SetShowHint(true);
    E_XML_User->SetTabOrder(0);

    // OK closes only when the user part passed.
    Btn_OK->OnClick = [this](TObject* Sender) { Btn_OKClick(Sender); };
}

void TFProfinetFileName::FormCreate(TObject* Sender)
{
    SetClientWidth(540);
    SetClientHeight(205);
    Place_Buttons();
    L_XML_Fix1->SetCaption(QLatin1String(C_GSDML_Fix1));
    Fix_Date(Date());
    TShellForm::FormCreate(Sender);
}

void TFProfinetFileName::Fix_Date(TDateTime Day)
{
    L_XML_Fix2->SetCaption(GSDML_Date_Part(Day));
}

void TFProfinetFileName::Set_Lang()
{
    TShellForm::Set_Lang();
    Btn_OK->SetCaption(Lang.Strings(1802));
    Btn_Cancel->SetCaption(Lang.Strings(1803));
    Label1->SetCaption(Lang.Strings(1804));
    Label2->SetCaption(Lang.Strings(1805));
    Label4->SetCaption(Lang.Strings(1806));
    Label5->SetCaption(Lang.Strings(1807));
    E_XML_User->SetHint(Lang.Strings(1808));
    Btn_OK->SetHint(Lang.Strings(1809));
    Btn_Cancel->SetHint(Lang.Strings(1810));
}

void TFProfinetFileName::Btn_OKClick(TObject*)
{
    const String User = E_XML_User->Text();
    if (!GSDML_User_Part_Valid(User)) {
        MessageDlg(Lang.Strings(1812), mtError, TMsgDlgButtons{mbOK}, 0);
        return;
    }
    Name_File_XML = GSDML_File_Name(L_XML_Fix1->Caption(), User, L_XML_Fix2->Caption());
    SetModalResult(mrOk);
}
