#pragma once
// The editor of one MQTT topic or message template, with the list of
// keywords below the text. The topic tables open it on a Template cell and
// take the text back on OK.
#include "grid/control/ExGrid.h"
#include "rtl/ComCtrls.h"
#include "shell/UShellForm.h"

class TFTopicTemplate : public TShellForm {
public:
    // Its texts in the table.
    static constexpr Integer Lang_First = 3400, Lang_Last = 3408;
    explicit TFTopicTemplate(TComponent* AOwner);

    TPanel* Panel1 = nullptr;
    TRichEdit* RE_TopicTemplate = nullptr;
    TSplitter* Splitter1 = nullptr;
    TPanel* P_Legend = nullptr;
    TLabel* L_List_Keywords = nullptr;
    TExStringGrid* ESG_Keywords = nullptr;
    // 0: a topic is edited, otherwise a template.
    Integer TopicTemplate = 0;
    // Set by the caller; the editor does not use them.
    Integer Working_Mode = 0;
    Integer Pub_Sub = 0;
    // The keywords offered and their descriptions (none in this system).
    QStringList Keywords;
    QStringList Keyword_Descriptions;

    void Set_Lang() override;
    void FormShow(TObject* Sender);
    void Laod_Keywords();
};

extern TFTopicTemplate* FTopicTemplate;
