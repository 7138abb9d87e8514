#pragma once
// The EtherCAT variable table window ("EtherCAT_Slave.xml"): the variables
// the gateway sends to the master and those the master writes, each with
// the byte position and start bit it takes in the gateway's exchange data
// (bits packed eight to a byte). The ESI generator reads the same file.
#include "protocols/UTable_Form.h"

class TFEtherCATSlave : public TTable_Form {
public:
    // Its texts in the table.
    static constexpr Integer Lang_First = 3700, Lang_Last = 3750;
    static constexpr Integer Data_Rows = 256;

    explicit TFEtherCATSlave(TComponent* AOwner);

    TTabSheet* TS_SlaveToMaster = nullptr;
    TTabSheet* TS_MasterToSlave = nullptr;
    TExStringGrid* ESG_SlaveMaster = nullptr;
    TExStringGrid* ESG_MasterSlave = nullptr;
    TStringList* Hint_StM = nullptr;
    TStringList* Hint_MtS = nullptr;
    std::unique_ptr<TStringList> VarType;

    // The type rule: the Length cell of ARow from the type text.
    void VarSetLength(TExStringGrid* Grid, const String& Type, Integer ARow);
    // Position and Start Bit of every row up to the first empty Type.
    void Calc_Position_Bit(TExStringGrid* Grid, bool Slave_To_Master);

protected:
    void Wire_Grid(Integer Table_Index) override;
    void Row_Loaded(Integer Table_Index, Integer ARow) override;
    void After_Load() override;
    void Rows_Moved(Integer Table_Index, TRow_Move Move, Integer ARow) override;
    // The table has no checks.
    std::optional<String> Check_Row(Integer, Integer) override { return std::nullopt; }

private:
    void Btn_DelRow_Click();
    void Recompute(TExStringGrid* Grid);
    // Editability of the Length cell of ARow by its type, its text kept.
    void Length_Editable_By_Type(TExStringGrid* Grid, Integer ARow);
    bool Length_Valid(TExStringGrid* Grid, Integer ARow, const String& Value);
};

extern TFEtherCATSlave* FEtherCATSlave;
