#pragma once
// The MQTT topic table window ("MQTT_Set_Topic.xml"): the topics the gateway
// publishes and those it subscribes to, each tied to a position of its data
// and, optionally, to a message template.
#include "protocols/UTable_Form.h"

class TFMQTT_Set_Topic : public TTable_Form {
public:
    // Its texts in the table.
    static constexpr Integer Lang_First = 3300, Lang_Last = 3398;
    static constexpr Integer Data_Rows = 1024;
    enum { Pub_Template = 9, Sub_Template = 11 };

    explicit TFMQTT_Set_Topic(TComponent* AOwner);

    TTabSheet* TS_MQTT_Publish = nullptr;
    TTabSheet* TS_MQTT_Subscribe = nullptr;
    TExColumnGrid* ECG_Pub = nullptr;
    TExColumnGrid* ECG_Sub = nullptr;
    TStringList* Hint_MQTT_Set_Topic_Pub = nullptr;
    TStringList* Hint_MQTT_Set_Topic_Sub = nullptr;
    Integer Byte_IN = 1440;
    Integer Byte_OUT = 1440;
    // Handed to the template editor.
    Integer Working_Mode = 1;

    // True when Str holds an odd number of "$" (keywords stand between two).
    static Boolean Error_In_Topic_Template(const String& Str);
    // The template editor on that cell; OK writes its text back.
    void Show_Form_Topic(TExColumnGrid* Grid, Integer ARow, Integer ACol);
    void ECG_MQTT_DblClickCell(TExColumnGrid* Grid, Integer ARow, Integer ACol);

protected:
    void Wire_Grid(Integer Table_Index) override;
    void Variant_Setup() override;
    void Row_Loaded(Integer Table_Index, Integer ARow) override;
    std::optional<String> Check_Row(Integer Table_Index, Integer ARow) override;
};

extern TFMQTT_Set_Topic* FMQTT_Set_Topic;
