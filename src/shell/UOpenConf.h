#pragma once
// The open-configuration window: lists the configuration folders inside
// PROJECTS and gives the chosen name in Name_Conf.
#include "shell/UShellForm.h"

#include <memory>

class TFOpenConf : public TShellForm {
public:
    static constexpr Integer Lang_First = 200, Lang_Last = 207;
    // The client size it is made with, and its smallest.
    static constexpr Integer Design_Width = 377, Design_Height = 351;

    explicit TFOpenConf(TComponent* AOwner);

    void Set_Lang() override;
    // SL := the configuration folders of PROJECTS, in name order ignoring case.
    void Load_Existing_Configuration();
    // Index in SL of Name compared upper-cased; -1 when absent.
    Integer Search_Open_Conf(const String& Name) const;

    TLabel* Label1 = nullptr;
    TListBox* ListBox1 = nullptr;

    // The names of the current showing.
    std::unique_ptr<TStringList> SL;
    // The chosen configuration: read by the main window after OK; empty
    // when there was nothing to choose.
    String Name_Conf;

protected:
    void FormCreate(TObject* Sender) override;
    void FormShow(TObject* Sender);
    void ListBox1Click(TObject* Sender);
};

extern TFOpenConf* FOpenConf;
