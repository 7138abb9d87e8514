#pragma once
// The NMEA 0183 step window ("NMEA_0183_Set_Access.xml", shared with
// TFNMEA_0183_Set_Access): per row a serial channel, a sentence and one of
// its data fields, a post operation, swaps and the position where the
// gateway stores the field. The sentence lookups serve both windows.
#include "protocols/UTable_Form.h"
#include "protocols/fieldbus/UNMEA_0183_Objects_Map.h"

class TFNMEA_0183_Set_Access2 : public TTable_Form {
public:
    // Its texts in the table.
    static constexpr Integer Lang_First = 3600, Lang_Last = 3645;
    static constexpr Integer Data_Rows = 100;
    enum { Col_Enable = 1, Col_Serial, Col_Sentence, Col_Index, Col_DataField, Col_PostOpe, Col_SwapAll,
           Col_Swap16, Col_Position, Col_Mnemonic };

    explicit TFNMEA_0183_Set_Access2(TComponent* AOwner);

    TExStringGrid* ESG = nullptr;
    TStringList* Hint_Sentence = nullptr;
    TStringList PostOpe_SL;
    TStringList SerialChannel_SL;
    // Bit 0 "RS232", bit 1 "RS485 / RS422", bit 2 "RS485 2".
    Integer Enable_Serial = 7;

    // The position proposed for row ARow, written into its Position cell.
    void Set_Position(Integer ARow, const String& Sentence, const String& DataField);
    // The Position plus the field's dimension of the nearest enabled row
    // above ARow with a known sentence and data field; 0 when none.
    Integer Get_Last_Position(Integer ARow, const String& Sentence, const String& DataField);
    void ESGComboChange(TObject* Sender, Integer ACol, Integer ARow, Integer AItemIndex, const String& ASelection);

    // Lookups in the sentence table and its map.
    static Integer GetIndexSentence(const String& Sentence);
    // Sentence when it names an offered sentence, else empty.
    static String Get_Sentence(const String& Sentence);
    // The index (from 0) of the data field whose name, trimmed and
    // upper-cased, equals DataField; -1, also for Ind_Sent outside 1..39.
    static Integer GetIndexDataField(Integer Ind_Sent, const String& DataField);
    // DataField when it names a data field of Sentence exactly, else empty.
    static String Get_DataField(const String& DataField, const String& Sentence);
    // The data fields of a sentence; none for an index outside 1..39.
    static std::span<const TFieldSentence> Data_Fields(Integer Ind_Sent);

protected:
    void Prepare_Tables() override;
    void After_Load() override;
    void Wire_Grid(Integer Table_Index) override;
    void Load_Value(Integer Table_Index, const TTable_Attribute& A, Integer ARow, const String& Value) override;
    bool Row_Checked(Integer Table_Index, Integer ARow) override;
    std::optional<String> Check_Row(Integer Table_Index, Integer ARow) override;
    QStringList Combo_Items(Integer Table_Index, Integer ACol, Integer ARow) override;
    void Rows_Moved(Integer Table_Index, TRow_Move Move, Integer ARow) override;

private:
    // The Index cell is editable exactly for GSV, XDR and $PJELA rows.
    void Enable_Index_Cell(Integer ARow);
    std::optional<String> Check_Index(Integer ARow);
};

extern TFNMEA_0183_Set_Access2* FNMEA_0183_Set_Access2;
