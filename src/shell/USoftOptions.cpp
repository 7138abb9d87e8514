#include "shell/USoftOptions.h"

#include "platform/Process.h"
#include "rtl/Dialogs.h"
#include "shell/UComon.h"
#include "shell/UDeviravizevFirmWare.h"
#include "shell/ULanguage.h"

TFSoftOptions* FSoftOptions = nullptr;

namespace {

// A language file may be hidden, archived, sparse or not indexed; a
// read-only file, a folder, a link or a device is not offered.
constexpr Integer Options_Lang_File_Attr = faHidden | faArchive | faNormal | 0x200 | 0x2000;

constexpr const char* Options_Default_Flag = "DefaultFlag.bmp";

// Places of the six slots: picture, then label.
struct TOptions_Slot_Place {
    Integer Image_Left, Image_Top, Label_Left, Label_Top;
};
constexpr TOptions_Slot_Place Options_Slot_Places[TFSoftOptions::Slots_Per_Page] = {
    {24, 40, 80, 56},   {26, 94, 80, 110},   {24, 148, 80, 164},
    {254, 40, 310, 56}, {254, 94, 310, 110}, {254, 148, 310, 164},
};

// A 16 x 16 arrow on the windows' colour, which the button takes as
// transparent (bottom-left pixel).
void Options_Arrow_Glyph(TLbButton* Button, bool Right)
{
    TBitmap Picture(16, 16);
    TCanvas* C = Picture.Canvas();
    C->Brush()->SetColor(Shell_Window_Color);
    C->FillRect(Rect(0, 0, 16, 16));
    C->Brush()->SetColor(clGray);
    C->Pen()->SetColor(clGray);
    if (Right)
        C->Polygon({Point(5, 3), Point(11, 8), Point(5, 13)});
    else
        C->Polygon({Point(10, 3), Point(4, 8), Point(10, 13)});
    Button->SetGlyph(&Picture);
    Button->SetNumGlyphs(1);
}

// Loads the first of Names (in the language folder, matched ignoring case)
// that is a readable picture; false when none is.
bool Options_Load_Flag(TImage* Image, std::initializer_list<String> Names)
{
    for (const String& Name : Names) {
        const String File = Find_In_Folders(Language_Folders(), Name);
        if (File.isEmpty())
            continue;
        try {
            Image->Picture()->LoadFromFile(File);
            return true;
        } catch (const Exception&) {
            // A damaged picture counts as a missing one.
        }
    }
    return false;
}

} // namespace

TFSoftOptions::TFSoftOptions(TComponent* AOwner)
    : TShellForm(AOwner, Lang_First), SL_Languages(std::make_unique<TStringList>())
{
    Add_Button_Panel();
    Btn_OK->OnClick = [this](TObject* Sender) { Btn_OKClick(Sender); };
    Create_Components();
    OnShow = [this](TObject* Sender) { FormShow(Sender); };
}

TFSoftOptions::~TFSoftOptions() = default;

void TFSoftOptions::Create_Components()
{
    PC_Options = new TPageControl(this);
    PC_Options->SetParent(this);
    PC_Options->SetAlign(alClient);

    const auto Page = [this] {
        auto* Sheet = new TTabSheet(this);
        Sheet->SetPageControl(PC_Options);
        return Sheet;
    };
    TS_Language = Page();
    TS_Con_Options = Page();
    TS_Soft_Settings = Page();

    const auto Make_Label = [this](TWinControl* Parent, Integer Left, Integer Top) {
        auto* L = new TLabel(this);
        L->SetParent(Parent);
        L->SetAutoSize(true);
        L->SetLeft(Left);
        L->SetTop(Top);
        return L;
    };
    const auto Make_Check = [this](TWinControl* Parent, Integer Left, Integer Top) {
        auto* B = new TCheckBox(this);
        B->SetParent(Parent);
        B->SetBounds(Left, Top, 440, 17);
        B->OnClick = [this](TObject* Sender) { CB_En_ConClick(Sender); };
        return B;
    };
    const auto Make_Button = [this](TWinControl* Parent, Integer Left, Integer Top, Integer Width) {
        auto* B = new TLbButton(this);
        B->SetParent(Parent);
        Shell_Button_Look(B);
        B->SetBounds(Left, Top, Width, 28);
        return B;
    };

    // Language page.
    L_Sel_Lang = Make_Label(TS_Language, 12, 11);
    for (Integer J = 0; J < Slots_Per_Page; ++J) {
        const TOptions_Slot_Place& P = Options_Slot_Places[J];
        auto* Image = new TImage(this);
        Image->SetParent(TS_Language);
        Image->SetBounds(P.Image_Left, P.Image_Top, 48, 48);
        Image->SetTransparent(true);
        Image->OnClick = [this](TObject* Sender) { LangClick(Sender); };
        I_L[std::size_t(J)] = Image;
        TLabel* L = Make_Label(TS_Language, P.Label_Left, P.Label_Top);
        L->OnClick = [this](TObject* Sender) { LangClick(Sender); };
        L_L[std::size_t(J)] = L;
    }
    Btn_Prev = Make_Button(TS_Language, 12, 204, 110);
    Options_Arrow_Glyph(Btn_Prev, false);
    Btn_Prev->OnClick = [this](TObject* Sender) { Btn_NextClick(Sender); };
    L_Page_Lang = Make_Label(TS_Language, 220, 212);
    Btn_Next = Make_Button(TS_Language, 379, 205, 110);
    Btn_Next->SetLayout(blGlyphRight);
    Options_Arrow_Glyph(Btn_Next, true);
    Btn_Next->OnClick = [this](TObject* Sender) { Btn_NextClick(Sender); };

    // Connection page.
    CB_En_Con = Make_Check(TS_Con_Options, 12, 16);
    CB_Update = Make_Check(TS_Con_Options, 36, 47);
    Btn_Check_Update = Make_Button(TS_Con_Options, 36, 78, 204);
    Btn_Check_Update->OnClick = [this](TObject* Sender) { Btn_Check_UpdateClick(Sender); };
    LL_Check_Update = new TLinkLabel(this);
    LL_Check_Update->SetParent(TS_Con_Options);
    LL_Check_Update->SetLeft(40);
    LL_Check_Update->SetTop(120);
    LL_Check_Update->SetVisible(false);
    LL_Check_Update->OnLinkClick = [this](TObject* Sender, const String& Link, TSysLinkType LinkType) {
        LL_Check_UpdateLinkClick(Sender, Link, LinkType);
    };

    // Table options.
    CB_Soft_Set_Jump_Table = Make_Check(TS_Soft_Settings, 12, 16);
    CB_DoubleClick_Auto_Size = Make_Check(TS_Soft_Settings, 12, 39);
}

void TFSoftOptions::FormCreate(TObject* Sender)
{
    SetClientWidth(509);
    SetClientHeight(373);
    Place_Buttons();
    SL_Languages->Clear();
    TS_Con_Options->SetTabVisible(true);
    TShellForm::FormCreate(Sender);
}

void TFSoftOptions::Set_Lang()
{
    TShellForm::Set_Lang();
    const auto T = [](Integer I) { return Lang.Strings(I); };
    TS_Language->SetCaption(T(302));
    TS_Con_Options->SetCaption(T(303));
    TS_Soft_Settings->SetCaption(T(319));
    Show_Selected_Language();
    Btn_Prev->SetCaption(T(307));
    Btn_Next->SetCaption(T(308));
    CB_En_Con->SetCaption(T(309));
    CB_Update->SetCaption(T(310));
    Btn_Check_Update->SetCaption(T(311));
    Btn_OK->SetCaption(T(312));
    Btn_Cancel->SetCaption(T(313));
    CB_Soft_Set_Jump_Table->SetCaption(T(320));
    CB_DoubleClick_Auto_Size->SetCaption(T(321));
    Show_Check_Result();
}

void TFSoftOptions::FormShow(TObject*)
{
    Language_In_Use = Language_Name;
    Create_Lang_List();
    FCheck_Result = crNone;
    LL_Check_Update->SetVisible(false);
    PC_Options->SetActivePage(TS_Language);
    CB_En_Con->SetChecked(Enable_Internet);
    CB_Update->SetChecked(Enable_Update);
    CB_Soft_Set_Jump_Table->SetChecked(Enable_Jump_Field_Tables);
    CB_DoubleClick_Auto_Size->SetChecked(Double_Click_Auto_Size);
    Update_CheckBox();
}

// ---------------------------------------------------------------- languages

Integer TFSoftOptions::Page_Count() const
{
    return std::max<Integer>(1, (SL_Languages->Count() + Slots_Per_Page - 1) / Slots_Per_Page);
}

void TFSoftOptions::Show_Selected_Language()
{
    L_Sel_Lang->SetCaption(Lang.Strings(304) + Language_In_Use);
    L_Page_Lang->SetCaption(Lang.Strings(305) + IntToStr(Show_Page) + Lang.Strings(306) + IntToStr(Page_Count()));
}

void TFSoftOptions::Create_Lang_List()
{
    SL_Languages->Clear();
    for (const String& Folder : Language_Folders()) {
        TSearchRec F;
        for (Integer R = FindFirst(Folder + PathDelim + QStringLiteral("*.lng"), Options_Lang_File_Attr, F); R == 0;
             R = FindNext(F))
            if ((F.Attr & ~Options_Lang_File_Attr) == 0 && SL_Languages->IndexOf(F.Name) < 0)
                SL_Languages->Add(F.Name);
        FindClose(F);
    }
    SL_Languages->Sort();
    Show_Page = 1;
    Update_Lang_Page(1);
}

void TFSoftOptions::Update_Lang_Page(Integer Page)
{
    Show_Page = Page;
    const Integer Pages = Page_Count();
    Show_Selected_Language();
    Btn_Prev->SetVisible(Page != 1);
    Btn_Next->SetVisible(Page != Pages);
    // Languages on this page; none at all without a language file.
    const Integer First = (Page - 1) * Slots_Per_Page;
    const Integer Shown = std::clamp<Integer>(SL_Languages->Count() - First, 0, Slots_Per_Page);
    for (Integer J = 0; J < Slots_Per_Page; ++J) {
        TImage* Image = I_L[std::size_t(J)];
        TLabel* Label = L_L[std::size_t(J)];
        Image->SetVisible(J < Shown);
        Label->SetVisible(J < Shown);
        if (J >= Shown)
            continue;
        const String File = SL_Languages->Strings(First + J);
        const String Name = File.left(File.size() - 4);
        Label->SetCaption(Name);
        if (!Options_Load_Flag(Image, {Name + QStringLiteral(".bmp"), QLatin1String(Options_Default_Flag)})) {
            Image->Picture()->SetGraphic(nullptr);
            Image->SetVisible(false);
        }
    }
}

void TFSoftOptions::Btn_NextClick(TObject* Sender)
{
    if (Sender == Btn_Next) {
        if (Page_Count() >= Show_Page + 1)
            ++Show_Page;
    } else if (Show_Page - 1 > 0) {
        --Show_Page;
    }
    Update_Lang_Page(Show_Page);
}

Integer TFSoftOptions::Slot_Of(TObject* Sender) const
{
    for (Integer J = 0; J < Slots_Per_Page; ++J)
        if (Sender == I_L[std::size_t(J)] || Sender == L_L[std::size_t(J)])
            return J;
    return -1;
}

void TFSoftOptions::LangClick(TObject* Sender)
{
    const Integer Slot = Slot_Of(Sender);
    const Integer Index = (Show_Page - 1) * Slots_Per_Page + Slot;
    // An empty slot chooses nothing.
    if (Slot < 0 || Index < 0 || Index >= SL_Languages->Count())
        return;
    const String File = SL_Languages->Strings(Index);
    const String Name = File.left(File.size() - 4);
    const String Question =
        Lang.Strings(316) + Language_In_Use + Lang.Strings(317) + Name + Lang.Strings(318);
    if (MessageDlg(Question, mtConfirmation, TMsgDlgButtons{mbYes, mbNo}, 0) != mrYes)
        return;
    Language_In_Use = Name;

    // The texts change now; the start language only on OK.
    const String Start_Language = Language_Name;
    Language_Name = Name;
    Load_Language();
    Language_Name = Start_Language;

    if (FDeviravizevFirmWare)
        FDeviravizevFirmWare->Change_Language();
    else
        Set_Lang();
    Show_Selected_Language();
}

// ---------------------------------------------------------------- connection

void TFSoftOptions::Update_CheckBox()
{
    CB_Update->SetEnabled(CB_En_Con->Checked());
    Btn_Check_Update->SetEnabled(CB_En_Con->Checked() && CB_Update->Checked());
}

void TFSoftOptions::CB_En_ConClick(TObject*)
{
    Update_CheckBox();
}

bool TFSoftOptions::Check_Version()
{
    return Newer_Version_Available();
}

Integer TFSoftOptions::Conv_Version(const String& Text)
{
    return Version_Number(Text);
}

void TFSoftOptions::Show_Check_Result()
{
    if (FCheck_Result == crNewer)
        LL_Check_Update->SetCaption(QStringLiteral("<a href=\"") + Maker_Download_URL() + QStringLiteral("\">") +
                                    Lang.Strings(314) + QStringLiteral("</a>"));
    else if (FCheck_Result == crNo_Update)
        LL_Check_Update->SetCaption(Lang.Strings(315));
}

void TFSoftOptions::Btn_Check_UpdateClick(TObject*)
{
    FCheck_Result = Check_Version() ? crNewer : crNo_Update;
    Show_Check_Result();
    LL_Check_Update->SetVisible(true);
}

void TFSoftOptions::LL_Check_UpdateLinkClick(TObject*, const String& Link, TSysLinkType)
{
    platform::OpenURL(Link);
}

void TFSoftOptions::Btn_OKClick(TObject*)
{
    Language_Name = Language_In_Use;
    Enable_Internet = CB_En_Con->Checked();
    Enable_Update = CB_Update->Checked();
    if (FDeviravizevFirmWare)
        FDeviravizevFirmWare->Timer_Update->SetEnabled(Enable_Internet && Enable_Update);
    Enable_Jump_Field_Tables = CB_Soft_Set_Jump_Table->Checked();
    Double_Click_Auto_Size = CB_DoubleClick_Auto_Size->Checked();
    SetModalResult(mrOk);
}
