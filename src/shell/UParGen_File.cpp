// The Set Communication window's file "ParGen.xml" and the checks before it
// is written.
#include "shell/UParGen.h"

#include "platform/XmlDoc.h"
#include "rtl/Dialogs.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"

namespace {

// One element of the file and the control it comes from. Exactly one of
// Edit, Box and List is set. Default is the value of a new configuration:
// an edit's text, a box's "1"/"0"; the list defaults to its first variant.
struct TParGen_Value {
    const char* Element;
    TEdit* Edit = nullptr;
    TCheckBox* Box = nullptr;
    TComboBox* List = nullptr;
    const char* Default = "";
    // The Wi-Fi box is written, never read: this gateway has no Wi-Fi.
    bool Read = true;
};

// The thirty elements in file order.
std::vector<TParGen_Value> ParGen_Values(const TFParGen& W)
{
    const auto E = [](const char* Element, TEdit* Edit, const char* Default) {
        return TParGen_Value{Element, Edit, nullptr, nullptr, Default};
    };
    const auto B = [](const char* Element, TCheckBox* Box, bool Read = true) {
        return TParGen_Value{Element, nullptr, Box, nullptr, "0", Read};
    };
    return {
        E("Eth_Conn_Device_Name", W.E_EthConn_Device_Name, ""),
        B("Eth_Conn_DHCP_Cable", W.CB_EthConn_En_DHCP_Cable),
        B("Eth_Conn_DHCP_WiFi", W.CB_EthConn_En_DHCP_WiFi, false),
        B("Eth_Conn_Enable_DNS", W.CB_EthConn_Enable_DNS),
        E("Eth_Conn_Primary_DNS1", W.E_EthConn_Pri_DNS_IP1, "8"),
        E("Eth_Conn_Primary_DNS2", W.E_EthConn_Pri_DNS_IP2, "8"),
        E("Eth_Conn_Primary_DNS3", W.E_EthConn_Pri_DNS_IP3, "8"),
        E("Eth_Conn_Primary_DNS4", W.E_EthConn_Pri_DNS_IP4, "8"),
        E("Eth_Conn_Secondary_DNS1", W.E_EthConn_Sec_DNS_IP1, "8"),
        E("Eth_Conn_Secondary_DNS2", W.E_EthConn_Sec_DNS_IP2, "8"),
        E("Eth_Conn_Secondary_DNS3", W.E_EthConn_Sec_DNS_IP3, "4"),
        E("Eth_Conn_Secondary_DNS4", W.E_EthConn_Sec_DNS_IP4, "4"),
        TParGen_Value{"IOLink_SelectDevice", nullptr, nullptr, W.CB_IOLink_SelectDevice},
        E("EtherNetIP_IP1", W.E_EtherNetIP_IP1, "192"),
        E("EtherNetIP_IP2", W.E_EtherNetIP_IP2, "168"),
        E("EtherNetIP_IP3", W.E_EtherNetIP_IP3, "0"),
        E("EtherNetIP_IP4", W.E_EtherNetIP_IP4, "5"),
        E("EtherNetIP_SM1", W.E_EtherNetIP_SM1, "255"),
        E("EtherNetIP_SM2", W.E_EtherNetIP_SM2, "255"),
        E("EtherNetIP_SM3", W.E_EtherNetIP_SM3, "255"),
        E("EtherNetIP_SM4", W.E_EtherNetIP_SM4, "0"),
        E("EtherNetIP_GAT1", W.E_EtherNetIP_GAT1, "192"),
        E("EtherNetIP_GAT2", W.E_EtherNetIP_GAT2, "168"),
        E("EtherNetIP_GAT3", W.E_EtherNetIP_GAT3, "0"),
        E("EtherNetIP_GAT4", W.E_EtherNetIP_GAT4, "1"),
        B("EtherNetIP_EN_GAT", W.CB_EtherNetIP_GAT),
        E("EtherNetIP_NB_Input", W.E_EtherNetIP_NByte_In, "496"),
        E("EtherNetIP_NB_Output", W.E_EtherNetIP_NByte_Out, "496"),
        E("WebServer_Username", W.E_WebServer_Username, ""),
        E("WebServer_Password", W.E_WebServer_Password, ""),
    };
}

// Puts Text (nullopt: the default) into the value's control.
void ParGen_Apply(const TParGen_Value& V, const std::optional<String>& Text)
{
    if (V.Edit) {
        V.Edit->SetText(Text ? *Text : QLatin1String(V.Default));
    } else if (V.Box) {
        V.Box->SetChecked(V.Read && Text ? *Text == QLatin1String("1") : false);
    } else {
        // A stored name that differs only in letter case selects that variant.
        Integer Index = 0;
        TStrings* Items = V.List->Items();
        for (Integer I = 0; Text && I < Items->Count(); ++I)
            if (Items->Strings(I).compare(*Text, Qt::CaseInsensitive) == 0) {
                Index = I;
                break;
            }
        V.List->SetItemIndex(Index);
    }
}

String ParGen_Text(const TParGen_Value& V)
{
    if (V.Edit)
        return V.Edit->Text();
    if (V.Box)
        return V.Box->Checked() ? QStringLiteral("1") : QStringLiteral("0");
    const Integer Index = V.List->ItemIndex();
    return Index < 0 ? String() : V.List->Items()->Strings(Index);
}

} // namespace

void TFParGen::FormShow(TObject*)
{
    Load_ParGen();
    Move_GroupBoxs();
}

void TFParGen::Load_ParGen()
{
    const std::vector<TParGen_Value> Values = ParGen_Values(*this);
    const auto Defaults = [&Values] {
        for (const TParGen_Value& V : Values)
            ParGen_Apply(V, std::nullopt);
    };
    if (File_ParGen.isEmpty() || !FileExists(File_ParGen)) {
        Defaults();
        return;
    }
    xml::TXMLDocument XML1;
    try {
        XML1.LoadFromFile(File_ParGen);
    } catch (const Exception& E) {
        // A file that is no XML: its error, then the defaults, never the
        // values of another configuration. The file stays until OK.
        MessageDlg(E.Message(), mtError, TMsgDlgButtons{mbOK}, 0);
        Defaults();
        return;
    }
    // A declaration or comment before the root does not hide it.
    const xml::TXMLNode Root = XML1.DocumentElement();
    for (const TParGen_Value& V : Values) {
        std::optional<String> Text;
        try {
            if (const xml::TXMLNode Node = Root.FindChild(V.Element))
                Text = Node.Text();
        } catch (const Exception&) {
            Text.reset();
        }
        ParGen_Apply(V, Text);
    }
}

void TFParGen::Save_ParGen()
{
    xml::TXMLDocument XML1;
    xml::TXMLNode Root = XML1.AppendElement(QLatin1String(ParGen_Root));
    // After the root, so that readers taking the first node find the root.
    XML1.AppendComment(QLatin1String(ParGen_Version_Prefix) + QLatin1String(C_SW_Version));
    for (const TParGen_Value& V : ParGen_Values(*this))
        Root.AppendElement(QLatin1String(V.Element)).SetText(ParGen_Text(V));
    XML1.SaveToFile(File_ParGen);
}

void TFParGen::Btn_OKClick(TObject*)
{
    if (!Controllo_dati())
        return;
    try {
        Save_ParGen();
    } catch (const Exception& E) {
        // Nothing was replaced; the input stays for another try.
        MessageDlg(E.Message(), mtError, TMsgDlgButtons{mbOK}, 0);
        return;
    }
    SetModalResult(mrOk);
}

bool TFParGen::Controllo_dati()
{
    struct TRange_Check {
        bool Active;
        std::initializer_list<TEdit*> Edits;
        Integer First_Message;
        Integer Limit;
        // The message is the text followed by the limit.
        bool With_Limit;
    };
    const bool DNS = CB_EthConn_Enable_DNS->Checked();
    const bool Gateway = CB_EtherNetIP_GAT->Checked();
    const TRange_Check Checks[] = {
        {DNS, {E_EthConn_Pri_DNS_IP1, E_EthConn_Pri_DNS_IP2, E_EthConn_Pri_DNS_IP3, E_EthConn_Pri_DNS_IP4}, 1113, 255,
         false},
        {DNS, {E_EthConn_Sec_DNS_IP1, E_EthConn_Sec_DNS_IP2, E_EthConn_Sec_DNS_IP3, E_EthConn_Sec_DNS_IP4}, 1117, 255,
         false},
        // Checked also while DHCP greys the address out: the device keeps it.
        {true, {E_EtherNetIP_IP1, E_EtherNetIP_IP2, E_EtherNetIP_IP3, E_EtherNetIP_IP4}, 954, 255, false},
        {true, {E_EtherNetIP_SM1, E_EtherNetIP_SM2, E_EtherNetIP_SM3, E_EtherNetIP_SM4}, 958, 255, false},
        {Gateway, {E_EtherNetIP_GAT1, E_EtherNetIP_GAT2, E_EtherNetIP_GAT3, E_EtherNetIP_GAT4}, 962, 255, false},
        {true, {E_EtherNetIP_NByte_In}, 967, 496, true},
        {true, {E_EtherNetIP_NByte_Out}, 968, 496, true},
    };
    for (const TRange_Check& Check : Checks) {
        if (!Check.Active)
            continue;
        Integer Message = Check.First_Message;
        for (TEdit* Edit : Check.Edits) {
            // Text that is no whole number counts as -1 and fails.
            const Integer Value = StrToIntDef(Edit->Text(), -1);
            if (Value < 0 || Value > Check.Limit) {
                String Text = Lang.Strings(Message);
                if (Check.With_Limit)
                    Text += QString::number(Check.Limit);
                MessageDlg(Text, mtError, TMsgDlgButtons{mbOK}, 0);
                return false;
            }
            ++Message;
        }
    }
    return true;
}
