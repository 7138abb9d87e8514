// Interim bodies while the window is built in parts: each part deletes the
// bodies it builds; the file goes when it is empty.
#include "iolink/UIO_Link_Set_Access_Form.h"
#include "iolink/UIOLink_IODD_Catalog.h"

// ---------------------------------------------------------------- _Form
TFIO_Link_Set_Access::TFIO_Link_Set_Access(TComponent* AOwner) : TShellForm(AOwner, Lang_First) {}
void TFIO_Link_Set_Access::FormCreate(TObject* Sender) { TShellForm::FormCreate(Sender); }
void TFIO_Link_Set_Access::Set_Lang() { TShellForm::Set_Lang(); }
void TFIO_Link_Set_Access::FormShow(TObject*) {}
void TFIO_Link_Set_Access::ECG_IODDClickCell(TObject*, Integer, Integer) {}
void TFIO_Link_Set_Access::ECG_IODDDblClickCell(TObject*, Integer, Integer) {}
void TFIO_Link_Set_Access::Btn_InsIODDClick(TObject*) {}
void TFIO_Link_Set_Access::Btn_DelIODDClick(TObject*) {}
void TFIO_Link_Set_Access::ECG_IODDComboChange(TObject*, Integer, Integer, Integer, const String&) {}
void TFIO_Link_Set_Access::ECG_IODDCheckBoxChange(TObject*, Integer, Integer, bool) {}
void TFIO_Link_Set_Access::ECG_IODDCellValidate(TObject*, Integer, Integer, String&, bool&) {}
void TFIO_Link_Set_Access::Btn_OKClick(TObject*) {}
void TFIO_Link_Set_Access::Insert_IODD_File(Integer) {}
Integer TFIO_Link_Set_Access::Current_Port() const { return -1; }

// -------------------------------------------------------------- catalog
TFIOLink_IODD_Catalog::TFIOLink_IODD_Catalog(TComponent* AOwner) : TShellForm(AOwner, Lang_First) {}
void TFIOLink_IODD_Catalog::FormCreate(TObject* Sender) { TShellForm::FormCreate(Sender); }
void TFIOLink_IODD_Catalog::Set_Lang() { TShellForm::Set_Lang(); }
void TFIOLink_IODD_Catalog::FormShow(TObject*) {}
void TFIOLink_IODD_Catalog::Read_Catalog() {}
void TFIOLink_IODD_Catalog::Btn_OKClick(TObject*) {}
void TFIOLink_IODD_Catalog::ESG_IODD_CatDblClickCell(TObject*, Integer, Integer) {}
void TFIOLink_IODD_Catalog::Btn_Add_IODDClick(TObject*) {}
String TFIOLink_IODD_Catalog::Chosen_File() const { return ""; }
