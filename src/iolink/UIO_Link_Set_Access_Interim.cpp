// Interim bodies while the window is built in parts: each part deletes the
// bodies it builds; the file goes when it is empty.
#include "iolink/UIO_Link_Set_Access_Form.h"
#include "iolink/UIOLink_IODD_Catalog.h"

// ---------------------------------------------------------------- _Pages
void TFIO_Link_Set_Access::Create_Pages() {}
void TFIO_Link_Set_Access::Set_Lang_Pages() {}
void TFIO_Link_Set_Access::Show_Data_IODD(Integer) {}
void TFIO_Link_Set_Access::Init_Var_Table() {}
void TFIO_Link_Set_Access::Erase_Values() {}
void TFIO_Link_Set_Access::Show_Data_Variables(Integer) {}
Integer TFIO_Link_Set_Access::Show_Data_Var_Grid(Integer Num_Row, const TVariable*, const TVariable*, Boolean,
                                                 const TIODD*, Boolean, Integer)
{
    return Num_Row;
}
void TFIO_Link_Set_Access::Row_Colors(Integer, Boolean) {}
void TFIO_Link_Set_Access::SetEditableCells(Integer) {}
void TFIO_Link_Set_Access::Show_Data_ProcessData(Integer) {}
Integer TFIO_Link_Set_Access::Show_ProcessDataIn_Grid(Integer Num_Row, const TProcessDataInOut*, const TIODD*,
                                                      Integer)
{
    return Num_Row;
}
Integer TFIO_Link_Set_Access::Show_ProcessDataOut_Grid(Integer Num_Row, const TProcessDataInOut*, const TIODD*,
                                                       Integer)
{
    return Num_Row;
}
void TFIO_Link_Set_Access::Show_Data_DeviceIdentity(Integer) {}
void TFIO_Link_Set_Access::Show_Data_TransportLayer(Integer) {}
void TFIO_Link_Set_Access::Show_Data_IO_Options(Integer) {}
void TFIO_Link_Set_Access::Show_Data_Events(Integer) {}
void TFIO_Link_Set_Access::CB_PD_ConditionListChange(TObject*) {}

// ---------------------------------------------------------------- _Edits
void TFIO_Link_Set_Access::ESG_VarCellValidate(TObject*, Integer, Integer, String&, bool&) {}
void TFIO_Link_Set_Access::ESG_VarCheckBoxClick(TObject*, Integer, Integer, bool) {}
void TFIO_Link_Set_Access::ECG_ProcessDataInCellValidate(TObject*, Integer, Integer, String&, bool&) {}
void TFIO_Link_Set_Access::ECG_ProcessDataOutCellValidate(TObject*, Integer, Integer, String&, bool&) {}
void TFIO_Link_Set_Access::ECG_IO_OptionsCellValidate(TObject*, Integer, Integer, String&, bool&) {}
void TFIO_Link_Set_Access::ECG_IO_OptionsCheckBoxChange(TObject*, Integer, Integer, bool) {}
void TFIO_Link_Set_Access::ECG_IO_OptionsComboChange(TObject*, Integer, Integer, Integer, const String&) {}
void TFIO_Link_Set_Access::ECG_EventsCellValidate(TObject*, Integer, Integer, String&, bool&) {}
void TFIO_Link_Set_Access::ECG_EventsCheckBoxChange(TObject*, Integer, Integer, bool) {}
