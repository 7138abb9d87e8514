#pragma once
// The new-configuration window: asks for a name and makes its folder (with
// the sub-folder "bin") inside PROJECTS; on OK the configuration is open.
#include "shell/UShellForm.h"

class TFNew_Project : public TShellForm {
public:
    static constexpr Integer Lang_First = 100, Lang_Last = 110;

    explicit TFNew_Project(TComponent* AOwner);

    void Set_Lang() override;
    // Checks the name and makes the configuration; closes with OK when done.
    void Btn_OKClick(TObject* Sender);

    TLabel* Label1 = nullptr;
    TEdit* E_New_Proj = nullptr;

protected:
    void FormCreate(TObject* Sender) override;
    void FormShow(TObject* Sender);
    void E_New_ProjKeyPress(TObject* Sender, Char& Key);
};

// Whether Name can be a folder directly inside PROJECTS: not empty, no
// folder delimiter ("/" or "\"), no control character, not "." or "..".
bool Is_Configuration_Name(const String& Name);
// Whether a new configuration may take Name: a configuration name that is
// not only blanks, ends in neither a blank nor a dot and holds none of
// : * ? " < > |.
bool Is_Portable_Folder_Name(const String& Name);

extern TFNew_Project* FNew_Project;
