#pragma once
// The picker of BACnet engineering units: the user chooses a unit by
// category and name instead of typing its number. The BACnet object tables
// put the cell's number into E_Selected_EU and its name into Label5, show
// the picker and take E_Selected_EU back on OK.
#include "shell/UShellForm.h"

#include <span>

// One category of CB_Select_Type with its unit numbers in list order.
struct TBACnet_Unit_Category {
    const char* Name;
    std::span<const int> Units;
};

class TFBACnet_Eng_Unit : public TShellForm {
public:
    // Its texts in the table.
    static constexpr Integer Lang_First = 2200, Lang_Last = 2208;
    explicit TFBACnet_Eng_Unit(TComponent* AOwner);

    // The standard's name of unit Num_Unit; "unknown" outside 0 .. 236.
    static String Desc_Unit(Int64 Num_Unit);
    // The 23 categories in their order.
    static std::span<const TBACnet_Unit_Category> Categories();

    void Set_Lang() override;
    // Refills CB_Select_Unit with the units of the selected category.
    void CB_Select_TypeSelect(TObject* Sender);
    // Takes the chosen unit into E_Selected_EU and Label5.
    void Btn_Select_Eng_UnitClick(TObject* Sender);

    TLabel* Label1 = nullptr;
    TEdit* E_Selected_EU = nullptr;
    TLabel* Label5 = nullptr;
    TLabel* Label2 = nullptr;
    TLabel* Label3 = nullptr;
    TLabel* Label4 = nullptr;
    TComboBox* CB_Select_Type = nullptr;
    TComboBox* CB_Select_Unit = nullptr;
    TLbButton* Btn_Select_Eng_Unit = nullptr;

protected:
    void FormCreate(TObject* Sender) override;
    // The unit list follows the category kept from the last use.
    void FormShow(TObject* Sender);

private:
    TComboBox* Make_List(Integer Left, Integer Width);
};

extern TFBACnet_Eng_Unit* FBACnet_Eng_Unit;
