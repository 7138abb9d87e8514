#pragma once
// The options window: the interface language among the language files of
// LANGUAGE (six to a page, each with its flag), internet access and the
// automatic version check, a version check at once, and the two table
// options. A language chosen here relabels every window at once but becomes
// the language of the next start only on OK; OK stores the options, and the
// main window then writes the settings file.
#include "rtl/ComCtrls.h"
#include "shell/UShellForm.h"

#include <array>
#include <memory>

class TFSoftOptions : public TShellForm {
public:
    // Its texts in the table.
    static constexpr Integer Lang_First = 300, Lang_Last = 321;
    // Language slots on a page.
    static constexpr Integer Slots_Per_Page = 6;

    explicit TFSoftOptions(TComponent* AOwner);
    ~TFSoftOptions() override;

    void Set_Lang() override;
    // SL_Languages := the plain ".lng" files of the language folders (a name
    // in both once) in name order ignoring case; shows page 1.
    void Create_Lang_List();
    // Shows language page Page (from 1).
    void Update_Lang_Page(Integer Page);
    // CB_Update follows CB_En_Con, Btn_Check_Update both.
    void Update_CheckBox();

    // True when the maker's server names a newer version (the request blocks).
    static bool Check_Version();
    // A version text as a number; -1 when it carries none.
    static Integer Conv_Version(const String& Text);

    // Number of language pages: at least 1, also with no language file.
    Integer Page_Count() const;

    TPageControl* PC_Options = nullptr;
    TTabSheet* TS_Language = nullptr;
    TTabSheet* TS_Con_Options = nullptr;
    TTabSheet* TS_Soft_Settings = nullptr;

    TLabel* L_Sel_Lang = nullptr;
    // The slots' pictures and labels, I_L1 .. I_L6 and L_L1 .. L_L6.
    std::array<TImage*, Slots_Per_Page> I_L{};
    std::array<TLabel*, Slots_Per_Page> L_L{};
    TLbButton* Btn_Prev = nullptr;
    TLabel* L_Page_Lang = nullptr;
    TLbButton* Btn_Next = nullptr;

    TCheckBox* CB_En_Con = nullptr;
    TCheckBox* CB_Update = nullptr;
    TLbButton* Btn_Check_Update = nullptr;
    TLinkLabel* LL_Check_Update = nullptr;

    TCheckBox* CB_Soft_Set_Jump_Table = nullptr;
    TCheckBox* CB_DoubleClick_Auto_Size = nullptr;

    // The language page shown, from 1.
    Integer Show_Page = 1;
    // The language file names (with ".lng"), sorted.
    std::unique_ptr<TStringList> SL_Languages;
    // The language chosen here; becomes Language_Name on OK.
    String Language_In_Use;

    void Btn_NextClick(TObject* Sender);
    // Handler of the twelve slot pictures and labels.
    void LangClick(TObject* Sender);
    // Handler of the four check boxes.
    void CB_En_ConClick(TObject* Sender);
    void Btn_Check_UpdateClick(TObject* Sender);
    void LL_Check_UpdateLinkClick(TObject* Sender, const String& Link, TSysLinkType LinkType);
    void Btn_OKClick(TObject* Sender);

protected:
    void FormCreate(TObject* Sender) override;
    void FormShow(TObject* Sender);

private:
    // What LL_Check_Update last showed, so a language change relabels it.
    enum TCheck_Result { crNone, crNewer, crNo_Update };

    void Create_Components();
    void Show_Selected_Language();
    void Show_Check_Result();
    // The slot of a picture or label; -1 for another control.
    Integer Slot_Of(TObject* Sender) const;

    TCheck_Result FCheck_Result = crNone;
};

extern TFSoftOptions* FSoftOptions;
