#pragma once
// The update dialog: checks that the gateway answers, writes the update job
// and starts the updater. Created at start-up; its content comes with the
// update step. It applies its texts each time it is shown, the title and
// description of the mode Form_Type names.
#include "shell/UShellForm.h"

class TFBoot : public TShellForm {
public:
    // Its texts in the table.
    static constexpr Integer Lang_First = 1400, Lang_Last = 1435;
    // Form_Type values.
    static constexpr Integer Form_Serial = 0, Form_Ethernet = 1;

    explicit TFBoot(TComponent* AOwner);

    // Caption and description of the mode: 1400 and 1401 serial, 1402 and
    // 1403 Ethernet.
    void Set_Lang() override;

    // The mode, set by the main window before it shows the dialog.
    Integer Form_Type = Form_Serial;

protected:
    void FormCreate(TObject* Sender) override;
    void FormShow(TObject* Sender);
};

extern TFBoot* FBoot;
