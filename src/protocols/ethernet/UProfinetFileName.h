#pragma once
// The dialog that composes the name of the GSDML file: a fixed first part
// (schema version, maker, model), the user's part, and the date of the
// program's start.
#include "shell/UShellForm.h"

// The fixed first part of every GSDML file name.
inline constexpr const char* C_GSDML_Fix1 = "GSDML-V2.31-Tarnix-GV52304";

// The fixed last part for Day: "-YYYYMMDD.xml".
String GSDML_Date_Part(TDateTime Day);
// Whether User can go into a file name: none of \ / : * ? " < > | and no
// control character, so the name never leaves the folder the user chose.
bool GSDML_User_Part_Valid(const String& User);
// Fix1 + Fix2 for a blank user part, Fix1 + User + Fix2 for one that begins
// with "_", else Fix1 + "_" + User + Fix2; User is taken untrimmed.
String GSDML_File_Name(const String& Fix1, const String& User, const String& Fix2);

class TFProfinetFileName : public TShellForm {
public:
    // Its texts in the table (1811 and 1812 are its messages).
    static constexpr Integer Lang_First = 1800, Lang_Last = 1810;
    explicit TFProfinetFileName(TComponent* AOwner);

    void Set_Lang() override;
    // Composes Name_File_XML and closes with OK; a user part that cannot
    // stand in a file name is refused with an error box.
    void Btn_OKClick(TObject* Sender);
    // The date part of the name: that of the dialog's creation.
    void Fix_Date(TDateTime Day);

    // The GSDML file name the user confirmed; set only by OK.
    String Name_File_XML;

    TLabel* Label1 = nullptr;
    TLabel* Label2 = nullptr;
    TLabel* Label4 = nullptr;
    TLabel* Label5 = nullptr;
    TLabel* L_XML_Fix1 = nullptr;
    TEdit* E_XML_User = nullptr;
    TLabel* L_XML_Fix2 = nullptr;

protected:
    void FormCreate(TObject* Sender) override;
};

extern TFProfinetFileName* FProfinetFileName;
