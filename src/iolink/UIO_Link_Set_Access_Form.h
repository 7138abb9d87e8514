#pragma once
// The "IO-Link Set Access" window: one row per IO-Link port of the device
// variant, and below it the pages of the clicked port's device. Everything
// that needs no control lives in the core (UIO_Link_Set_Access); the window
// fills its grids from the core's channels and descriptions, writes every
// edit into them at once, asks the user's questions and calls the core.
//
// Sources by theme: _Form.cpp (layout, texts, showing, port grid, insert,
// delete, OK), _Pages.cpp (the pages' controls and what they show),
// _Edits.cpp (the pages' edit handlers).
#include "grid/control/ExCGrid.h"
#include "iolink/UIO_Link_Set_Access.h"
#include "rtl/ComCtrls.h"
#include "shell/UShellForm.h"

#include <array>

class TFIO_Link_Set_Access : public TShellForm {
public:
    // Its texts in the table.
    static constexpr Integer Lang_First = 1200, Lang_Last = 1298;
    static constexpr Integer Lang_Extra_First = 1700, Lang_Extra_Last = 1733;

    // Columns of the port grid.
    enum { colChannel, colPin4Mode, colReadPin2, colVendor, colDevice, colFileName, colTimeOut };
    // Columns of the variables grid (real columns; 13 to 19 are hidden).
    static constexpr Integer Var_Columns = 21;
    static constexpr Integer Var_First_Hidden = 13, Var_Last_Hidden = 19;

    explicit TFIO_Link_Set_Access(TComponent* AOwner);

    // The window's data: the public fields of the window live in the core.
    TIO_Link_Set_Access_Core Core;

    // ------------------------------------------------------------ controls
    TPanel* P_Channels = nullptr;
    TLabel* L_IO_Channels_Title = nullptr;
    TExColumnGrid* ECG_IODD = nullptr;
    TSplitter* Splitter1 = nullptr;
    TLbButton* Btn_InsIODD = nullptr;
    TLbButton* Btn_DelIODD = nullptr;

    TPageControl* PageControl1 = nullptr;
    TTabSheet* TS_ProcessData = nullptr;
    TTabSheet* TS_Variables = nullptr;
    TTabSheet* TS_IO_Options = nullptr;
    TTabSheet* TS_Events = nullptr;
    TTabSheet* TS_DeviceIdentity = nullptr;
    TTabSheet* TS_TransportLayer = nullptr;

    // "Process Data": the "Condition" panel above the two sub-pages.
    TPanel* P_PD_Condition = nullptr;
    TLabel* L_PD_Condition = nullptr;
    TComboBox* CB_PD_ConditionList = nullptr;
    TPageControl* PC_ProcessData = nullptr;
    TTabSheet* TS_ProcessDataIn = nullptr;
    TTabSheet* TS_ProcessDataOut = nullptr;
    TExColumnGrid* ECG_ProcessDataIn = nullptr;
    TExColumnGrid* ECG_ProcessDataOut = nullptr;

    TExStringGrid* ESG_Var = nullptr;
    TExColumnGrid* ECG_IO_Options = nullptr;
    TExColumnGrid* ECG_Events = nullptr;

    // "Device Identity": vendor id, vendor name, device id, vendor text,
    // vendor URL, device name, device family; then the variant collection.
    std::array<TLabel*, 7> L_Identity_Caption{};
    std::array<TLabel*, 7> L_Identity_Value{};
    TLabel* L_DevVarColl = nullptr;
    TExColumnGrid* ECG_DevIde_DevVarColl = nullptr;

    // "Transport Layers": bit rate, minimum cycle time, SIO supported,
    // M-sequence capability.
    std::array<TLabel*, 4> L_Transport_Caption{};
    std::array<TLabel*, 4> L_Transport_Value{};

    // ------------------------------------------- window and port grid (_Form)
    void Set_Lang() override;
    void FormShow(TObject* Sender);
    void ECG_IODDClickCell(TObject* Sender, Integer ARow, Integer ACol);
    void ECG_IODDDblClickCell(TObject* Sender, Integer ARow, Integer ACol);
    void Btn_InsIODDClick(TObject* Sender);
    void Btn_DelIODDClick(TObject* Sender);
    void ECG_IODDComboChange(TObject* Sender, Integer ACol, Integer ARow, Integer AItemIndex,
                             const String& ASelection);
    void ECG_IODDCheckBoxChange(TObject* Sender, Integer ACol, Integer ARow, bool State);
    void ECG_IODDCellValidate(TObject* Sender, Integer ACol, Integer ARow, String& Value, bool& Valid);
    void Btn_OKClick(TObject* Sender);
    // Inserts a description into the port of grid row ARoW (port + 1)
    // through the catalog window.
    void Insert_IODD_File(Integer ARoW);
    // The port of the port grid's current row (from 0); -1 on the header.
    Integer Current_Port() const;

    // -------------------------------------------------------- pages (_Pages)
    // Creates the page control, its pages and their grids with their
    // columns (called once by the window's creation).
    void Create_Pages();
    // The pages' captions, labels and grid headers (called by Set_Lang).
    void Set_Lang_Pages();
    void Show_Data_IODD(Integer index);
    void Init_Var_Table();
    void Erase_Values();
    void Show_Data_Variables(Integer index);
    // The rows of one variable after row Num_Row; the last row used.
    Integer Show_Data_Var_Grid(Integer Num_Row, const TVariable* aVar, const TVariable* refVar, Boolean VarRef,
                               const TIODD* IODD, Boolean FirstColor, Integer index);
    void Row_Colors(Integer Num_Row, Boolean FirstColor);
    void SetEditableCells(Integer RowNum);
    void Show_Data_ProcessData(Integer index);
    Integer Show_ProcessDataIn_Grid(Integer Num_Row, const TProcessDataInOut* aPD, const TIODD* IODD, Integer index);
    Integer Show_ProcessDataOut_Grid(Integer Num_Row, const TProcessDataInOut* aPD, const TIODD* IODD,
                                     Integer index);
    void Show_Data_DeviceIdentity(Integer index);
    void Show_Data_TransportLayer(Integer index);
    void Show_Data_IO_Options(Integer index);
    void Show_Data_Events(Integer index);
    void CB_PD_ConditionListChange(TObject* Sender);

    // ---------------------------------------------------- page edits (_Edits)
    void ESG_VarCellValidate(TObject* Sender, Integer ACol, Integer ARow, String& Value, bool& Valid);
    void ESG_VarCheckBoxClick(TObject* Sender, Integer ACol, Integer ARow, bool State);
    void ECG_ProcessDataInCellValidate(TObject* Sender, Integer ACol, Integer ARow, String& Value, bool& Valid);
    void ECG_ProcessDataOutCellValidate(TObject* Sender, Integer ACol, Integer ARow, String& Value, bool& Valid);
    void ECG_IO_OptionsCellValidate(TObject* Sender, Integer ACol, Integer ARow, String& Value, bool& Valid);
    void ECG_IO_OptionsCheckBoxChange(TObject* Sender, Integer ACol, Integer ARow, bool State);
    void ECG_IO_OptionsComboChange(TObject* Sender, Integer ACol, Integer ARow, Integer AItemIndex,
                                   const String& ASelection);
    void ECG_EventsCellValidate(TObject* Sender, Integer ACol, Integer ARow, String& Value, bool& Valid);
    void ECG_EventsCheckBoxChange(TObject* Sender, Integer ACol, Integer ARow, bool State);

private:
    // ------------------------------------------ pages' helpers (_Pages, _Edits)
    // Real columns and rows of the page grids.
    static constexpr Integer PD_Columns = 9, PD_Last_ReadOnly = 4;
    enum { PD_Col_Id, PD_Col_SubIndex, PD_Col_Gradient = 5, PD_Col_Offset, PD_Col_Pos, PD_Col_Bit };
    static constexpr Integer IO_Columns = 7;
    enum { IO_Col_Name, IO_Col_Access, IO_Col_Pos, IO_Col_Bit, IO_Col_Invert, IO_Col_InType, IO_Col_Mne };
    enum { IO_Row_Pin2 = 1, IO_Row_Pin4 };
    static constexpr Integer Ev_Columns = 8;
    enum { Ev_Col_Enable, Ev_Col_Code, Ev_Col_Name, Ev_Col_Type, Ev_Col_TimeOut, Ev_Col_Pos, Ev_Col_Bit, Ev_Col_Mne };

    // The port the pages show (from 0), which the page edits write into;
    // -1 before any is shown.
    Integer FPage_Port = -1;

    TExColumnGrid* Add_Page_Grid(TWinControl* Parent, std::initializer_list<Integer> Widths);
    TLabel* Add_Page_Label(TWinControl* Parent, Integer Left, Integer Top, Boolean Bold);
    void Create_ProcessData_Page();
    TExColumnGrid* Create_ProcessData_Grid(TWinControl* Parent);
    void Create_Variables_Page();
    void Create_IO_Options_Page();
    void Create_Events_Page();
    void Create_Identity_Page();
    void Create_Transport_Page();

    TChannel_IOLink* Page_Channel() const;
    const TIODD* Port_IODD(Integer index) const;
    void Erase_ProcessData();
    void Show_No_Events();
    void Add_Var_Check(Integer ACol, Integer ARow, Boolean State);
    static Integer Var_Rows(const TIODD* IODD);
    Integer Grow_Var_Rows(Integer Row);
    static String Record_Item_Default(const TVariable& Var, Integer SubIndex);
    void Show_Var_Values(Integer Row, const String& Index, const String& SubIndex, Integer index);
    static String Condition_Text(const TIODD* IODD, const TCondition* Condition);
    void Show_ProcessData_Side(TTabSheet* Tab, TExColumnGrid* Grid, const TProcessDataInOut* aPD, const TIODD* IODD,
                               Integer index, Boolean PdIn);
    Integer Show_ProcessData_Grid(TExColumnGrid* Grid, Boolean PdIn, Integer Num_Row, const TProcessDataInOut* aPD,
                                  const TIODD* IODD, Integer index);
    void ProcessData_CellValidate(Boolean PdIn, TExColumnGrid* Grid, Integer ACol, Integer ARow, const String& Value);
    TVarObjValue* Var_Entry_Of_Row(Integer ARow) const;
    TEventObjValue* Event_Of_Row(Integer ARow) const;
    // The pin (2 or 4) of a real row of the I/O options grid whose values
    // the port keeps; 0 for none (pin 2 of a class B port).
    Integer IO_Pin_Of_Row(const TChannel_IOLink& Ch, Integer ARow) const;

protected:
    void FormCreate(TObject* Sender) override;

private:
    // ------------------------------------------------ port grid helpers (_Form)
    void Create_Port_Grid();
    // Position and start bit of the pages' grids take edits on every showing.
    void Make_Placement_Editable();
    // The port's cells from its channel and description.
    void Show_Port_Row(Integer Port);
    void Show_Port_Description(Integer Port);
    // The port of a grid row (from 0); -1 on the header or below the ports.
    Integer Port_Of_Row(Integer ARow) const;
};

extern TFIO_Link_Set_Access* FIO_Link_Set_Access;
