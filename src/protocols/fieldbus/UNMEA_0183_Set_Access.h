#pragma once
// The NMEA 0183 listener window ("NMEA_0183_Set_Access.xml", shared with
// TFNMEA_0183_Set_Access2): per row a sentence and the serial channel it is
// listened for on. It keeps the attributes of the step window that it does
// not show. Its unit holds the table of known sentences.
#include "protocols/UTable_Form.h"

#include <array>

struct TNMEA0183_Sentence {
    const char* Name; // the formatter, or the proprietary "$PJELA"
    Boolean Offered;  // listed as a choice in the windows
};

// Index 1 to 39 (entry 0 is unused); the index is what every rule uses, the
// files store the name.
extern const std::array<TNMEA0183_Sentence, 40> NMEA0183_Sentences;
inline constexpr Integer NMEA0183_Sentence_Count = 39;
// The sentences whose rows take an Index.
inline constexpr Integer Sentence_GSV = 10, Sentence_XDR = 34, Sentence_PJELA = 35;

// The names of the offered sentences in index order.
QStringList Offered_Sentence_Names();

class TFNMEA_0183_Set_Access : public TTable_Form {
public:
    // Its texts in the table.
    static constexpr Integer Lang_First = 3500, Lang_Last = 3530;
    static constexpr Integer Data_Rows = 100;
    enum { Col_Enable = 1, Col_Sentence, Col_Index, Col_Serial, Col_Mnemonic };

    explicit TFNMEA_0183_Set_Access(TComponent* AOwner);

    TExColumnGrid* sga = nullptr;
    TStringList* Hint_Listener = nullptr;
    Integer Enable_Serial = 7;

    // The index of the sentence named exactly Sentence (offered or not), -1.
    static Integer Find_Sentence(const String& Sentence);
    // "RS485 / RS422" also for the older "RS485 1"; other texts unchanged.
    static String Get_Serial_Channel(const String& Channel);
    Boolean Check_Serial(const String& Channel) const;
    void Enable_Index_Cell();
    void sgaComboChange(TObject* Sender, Integer ACol, Integer ARow, Integer AItemIndex, const String& ASelection);

protected:
    void Prepare_Tables() override;
    void After_Load() override;
    void Wire_Grid(Integer Table_Index) override;
    void Load_Row(Integer Table_Index, const xml::TXMLNode& Row, Integer ARow) override;
    void Load_Value(Integer Table_Index, const TTable_Attribute& A, Integer ARow, const String& Value) override;
    String Save_Value(Integer Table_Index, const TTable_Attribute& A, Integer ARow) override;
    void Row_Saved(Integer Table_Index, Integer ARow, xml::TXMLNode& Row) override;
    std::optional<String> Check_Row(Integer Table_Index, Integer ARow) override;
    bool Check_Tables() override;
    void Rows_Moved(Integer Table_Index, TRow_Move Move, Integer ARow) override;

private:
    using TAttributes = std::vector<std::pair<String, String>>;
    // Per row (index = row) the loaded attributes this window does not
    // show, written back after its own.
    std::vector<TAttributes> FKept;
    // The Index as the file will hold it.
    String Saved_Index(Integer ARow);
};

extern TFNMEA_0183_Set_Access* FNMEA_0183_Set_Access;
