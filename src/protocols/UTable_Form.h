#pragma once
// The frame of every protocol table window: one tab sheet per table with its
// grid (a column grid, or a string grid with check boxes in cells), the six
// row buttons, the showing (clear, load), the checks
// walk and OK (document rebuilt, file replaced atomically). Each window
// gives one descriptor per table and states where it departs through the
// virtual hooks.
#include "grid/control/ExCGrid.h"
#include "platform/XmlDoc.h"
#include "rtl/ComCtrls.h"
#include "shell/UShellForm.h"

#include <deque>
#include <optional>
#include <vector>

// One real column of a table grid.
struct TTable_Column {
    Integer Header_Text; // Lang index of the header; -1: a fixed header the window sets
    TEditorType Editor = edNormal;
    Integer Width = 64;
    TColor Color = clWindow;
    QStringList Items;       // combo items
    Integer Edit_Length = 0; // at most this many characters typed; 0: no limit
};

// One attribute of a saved row.
struct TTable_Attribute {
    const char* Name;
    Integer Column;                // real column
    const char* Default = nullptr; // a guarded attribute's default; null: required
};

struct TTable_Desc {
    // Null: the rows stand directly under the root. Without a section or a
    // tab text (-1) the one grid fills the client area without a tab.
    const char* Section;
    Integer Row_Count; // header row included
    Integer Key_Column;
    Integer Enable_Column; // -1: every row counts as enabled
    Integer Tab_Text;
    bool Show_Hints;
    std::vector<TTable_Column> Columns; // from real column 0
    std::vector<Integer> Hint_Texts;    // index = real column - 1
    std::vector<TTable_Attribute> Attributes;
    // False: a key cell of blanks does not end the table.
    bool Trim_Key = true;
    // A TExStringGrid: its edDataCheckBox columns carry check boxes in their
    // cells (saved "Y"/"N"), its combo columns get their editor per cell
    // (Combo_Items), its colours are set per cell.
    bool String_Grid = false;
    // False: a blank key does not end the table; such rows are skipped by
    // the checks and the save.
    bool Key_Ends_Table = true;
};

// What a row button did to the rows of a table.
enum TRow_Move { rmDelete, rmInsert, rmPaste };

// The texts of the window that are not per table. A caption of -1 keeps the
// fixed English caption of that button.
struct TTable_Texts {
    Integer Buttons[6]; // OK, Cancel, Delete, Insert, Copy, Paste
    Integer Button_Hints[6];
    Integer Error_Row;
    Integer Delete_Question;
};

struct TTable_Window_Desc {
    const char* Root;
    const char* Version;
    String* File; // the table file's path global
    Integer Client_Width;
    Integer Client_Height;
    TTable_Texts Texts;
    // The element under the root that holds the sections; null: the root.
    const char* Sections_Parent = nullptr;
};

class TTable_Form : public TShellForm {
public:
    struct TTable {
        TTable_Desc Desc;
        TTabSheet* Sheet = nullptr;
        TExColumnGrid* Grid = nullptr; // null for a string grid
        TExStringGrid* Any_Grid = nullptr; // the grid of either kind
        std::unique_ptr<TStringList> Hints;
        // A row of this table was copied during this showing.
        bool Copied = false;
    };

    TTable_Form(TComponent* AOwner, Integer Caption_Text, TTable_Window_Desc Window);

    TPageControl* PageControl1 = nullptr;
    TLbButton* Btn_DelRow = nullptr;
    TLbButton* Btn_InsRow = nullptr;
    TLbButton* Btn_CopyRow = nullptr;
    TLbButton* Btn_PasteRow = nullptr;

    void Set_Lang() override;
    // True when every enabled row of every table passes its checks.
    Boolean Controllo_dati();
    void FormShow(TObject* Sender);
    void Btn_OKClick(TObject* Sender);
    void Btn_DelRowClick(TObject* Sender);
    void Btn_InsRowClick(TObject* Sender);
    void Btn_CopyRowClick(TObject* Sender);
    void Btn_PasteRowClick(TObject* Sender);
    void ClickCell(TObject* Sender, Integer ARow, Integer ACol);

    // The table file this window reads and writes.
    const String& File_Name() const { return *FWindow.File; }
    Integer Table_Count() const { return Integer(FTables.size()); }
    TTable& Table(Integer Index) { return FTables[std::size_t(Index)]; }
    // The table of the active tab.
    TTable& Active_Table();
    // Rows from 1 up to (not including) the first blank key cell.
    Integer Used_Rows(Integer Table_Index);
    // The last row the checks and the save walk: the last used row, or the
    // last data row when a blank key does not end the table.
    Integer Last_Table_Row(Integer Table_Index);
    bool Has_Key(Integer Table_Index, Integer ARow);
    // The document OK writes.
    void Build_Document(xml::TXMLDocument& Doc);

    // A cell read as a whole number ("$"/"x"/"0x" hexadecimal), -1 when it is
    // none.
    static Integer Cell_Number(TExStringGrid* Grid, Integer ACol, Integer ARow);
    static bool In_Range(TExStringGrid* Grid, Integer ACol, Integer ARow, Integer Low, Integer High);
    // A check-box cell that reads "Y" once trimmed, in either case; in a
    // string grid, a cell whose check box is set.
    static bool Is_Checked(TExStringGrid* Grid, Integer ACol, Integer ARow);
    // Lang[Text] followed by Limit in decimal.
    static String Limit_Text(Integer Text, Int64 Limit);

protected:
    // Adds a table: its tab sheet and grid, built from Desc.
    TTable& Add_Table(TTable_Desc Desc);
    // Wires a table grid's click, key press, double click and hint events.
    virtual void Wire_Grid(Integer Table_Index);

    // Showing, in order: variant set-up, clearing, the window's own
    // preparations (per-row arrays, Position items), first tab, loading.
    virtual void Variant_Setup() { }
    virtual void Prepare_Tables() { }
    // The page shown first; the first table's unless a window keeps the active one.
    virtual void Activate_Page();
    // After the attributes of one file row went into ARow.
    virtual void Row_Loaded(Integer /*Table_Index*/, Integer /*ARow*/) { }
    // After the loading, before the copy flags are cleared.
    virtual void After_Load() { }
    // Before the rows are checked.
    virtual void Before_Check() { }
    // The text after "Error row " and the row number for the first failing
    // check of an enabled row; none when it passes.
    virtual std::optional<String> Check_Row(Integer Table_Index, Integer ARow) = 0;
    // Checks over whole tables after every row passed (they show their own box).
    virtual bool Check_Tables() { return true; }
    // The whole message for the first failing check of an enabled row, none
    // when it passes: by default the row prefix and Check_Row's text. Checks
    // that sum over the rows so far override it (Before_Check starts a walk).
    virtual std::optional<String> Row_Error(Integer Table_Index, Integer ARow);
    // Lang[Error_Row], the row number and Text.
    String Row_Prefixed(Integer ARow, const String& Text) const;
    virtual bool Row_Enabled(Integer Table_Index, Integer ARow);
    // Whether the checks visit a row: by default one with a key that is enabled.
    virtual bool Row_Checked(Integer Table_Index, Integer ARow);
    // The items of the combo editor of a string-grid cell; by default the
    // column's items.
    virtual QStringList Combo_Items(Integer Table_Index, Integer ACol, Integer ARow);
    // After a row button moved, emptied or overwrote rows from ARow on.
    virtual void Rows_Moved(Integer /*Table_Index*/, TRow_Move /*Move*/, Integer /*ARow*/) { }
    // After the attributes of a saved row were set.
    virtual void Row_Saved(Integer /*Table_Index*/, Integer /*ARow*/, xml::TXMLNode& /*Row*/) { }
    // One row element into table row ARow, attribute by attribute.
    virtual void Load_Row(Integer Table_Index, const xml::TXMLNode& Row, Integer ARow);
    // A loaded attribute into its cell, and a cell into its saved attribute.
    virtual void Load_Value(Integer Table_Index, const TTable_Attribute& A, Integer ARow, const String& Value);
    virtual String Save_Value(Integer Table_Index, const TTable_Attribute& A, Integer ARow);
    // Fills a Position column with "0" to Count - 1.
    static void Fill_Items(TExColumnGrid* Grid, Integer ACol, Integer Count);

    const TTable_Window_Desc& Window_Desc() const { return FWindow; }

private:
    TLbButton* Add_Row_Button();
    TExStringGrid* Make_Grid(const TTable_Desc& Desc, TWinControl* Parent);
    void Wire_Editors(Integer Table_Index);
    static void Set_Header(TTable& T, Integer ACol, const String& Text);
    void Place_Row_Buttons();
    void Clear_Tables();
    // Loads the file; the reason it could not be read completely, if any.
    std::optional<String> Load_File();
    void Load_Section(Integer Table_Index, const xml::TXMLNode& Section, String& Surplus);
    // Where the sections stand under Root; null when a file lacks it.
    xml::TXMLNode Sections_Parent(const xml::TXMLNode& Root) const;
    bool Confirm_Replace();
    void Copy_Flag_Only(TTable& T);
    Integer Index_Of(const TTable& T) const;

    TTable_Window_Desc FWindow;
    // A deque, so that the references Add_Table hands out stay valid.
    std::deque<TTable> FTables;
    // The last load left rows of the file out.
    bool FIncomplete_Load = false;
};
