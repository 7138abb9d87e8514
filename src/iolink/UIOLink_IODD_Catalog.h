#pragma once
// The IODD catalog window: the description files of the program's
// "IODD_Catalog" folder with vendor and device name. The IO-Link window
// shows it modally and takes the file name of its current row.
#include "grid/control/ExGrid.h"
#include "rtl/Dialogs.h"
#include "shell/UShellForm.h"

class TFIOLink_IODD_Catalog : public TShellForm {
public:
    // Its texts in the table.
    static constexpr Integer Lang_First = 1300, Lang_Last = 1310;
    // The grid's column holding the file name.
    static constexpr Integer Col_FileName = 2;

    explicit TFIOLink_IODD_Catalog(TComponent* AOwner);

    TExStringGrid* ESG_IODD_Cat = nullptr;
    TLbButton* Btn_Add_IODD = nullptr;
    TOpenDialog* OD_IODD = nullptr;

    void Set_Lang() override;
    void FormShow(TObject* Sender);
    void Read_Catalog();
    void Btn_OKClick(TObject* Sender);
    void ESG_IODD_CatDblClickCell(TObject* Sender, Integer ARow, Integer ACol);
    void Btn_Add_IODDClick(TObject* Sender);
    // The file name of the current row ("" when none).
    String Chosen_File() const;

protected:
    void FormCreate(TObject* Sender) override;

private:
    void Set_Headers();
    bool Has_Current_Row() const;
    // Copies Source into the catalog, asking before it replaces a file.
    void Add_File(const String& Source);
};

extern TFIOLink_IODD_Catalog* FIOLink_IODD_Catalog;
