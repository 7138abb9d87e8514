#pragma once
// The "Set Communication" window: the general communication parameters of
// the open configuration, kept in "ParGen.xml". Each showing loads the file
// into the controls; OK checks every value (Controllo_dati) and rewrites the
// whole file; Cancel keeps the file as it was.
//
// The window shows the four parameter groups of the EtherNet/IP gateway, one
// collapsible category panel each: Ethernet connection, IO-Link, EtherNet/IP
// and web server.
#include "rtl/CategoryPanels.h"
#include "rtl/ImgList.h"
#include "shell/UShellForm.h"

#include <vector>

// The file's root element and its version comment's prefix.
inline constexpr const char* ParGen_Root = "Par_Gen";
inline constexpr const char* ParGen_Version_Prefix = "SW_VERSION = ";

class TFParGen : public TShellForm {
public:
    // Its texts in the table.
    static constexpr Integer Lang_First = 400, Lang_Last = 1125;
    // The client width the window keeps.
    static constexpr Integer Client_Width = 460;

    explicit TFParGen(TComponent* AOwner);

    // Caption, description, buttons, every label, caption and hint of the
    // panels, and the four numbered panel headers.
    void Set_Lang() override;

    // Loads File_ParGen into the controls (defaults for what is missing),
    // then lays the panels out again.
    void FormShow(TObject* Sender);
    // Controllo_dati, then the file is rewritten and the window closes
    // with OK; a refused check or a file that cannot be written keeps it open.
    void Btn_OKClick(TObject* Sender);
    // Every check in its order; the first that fails shows its message in
    // an error box and answers false. Changes nothing.
    bool Controllo_dati();
    // Whether Name holds a character other than an ASCII letter or digit.
    // No check uses it: the device name is saved as typed.
    static bool Check_Device_Name(const String& Name);

    // The ten device variants, the first selected.
    void IOLink_Set_Device_List();
    // Shows, stacks, numbers and tab-orders the four panels.
    void Order_TAB_Panels();
    // Sizes each panel to its last control and enables the EtherNet/IP
    // address rows by the cable DHCP box.
    void Move_GroupBoxs();

    // Reads and writes "ParGen.xml" (UParGen_File.cpp).
    void Load_ParGen();
    void Save_ParGen();

    // Check boxes: the DHCP boxes re-run the sizing step.
    void On_Click(TObject* Sender);
    // Address edits: "." moves to the next part of the chain and is never typed.
    void KeyPress(TObject* Sender, Char& Key);
    // Scrolls the panels while the pointer is over them.
    void FormMouseWheel(TObject* Sender, TShiftState Shift, Integer WheelDelta, TPoint MousePos, bool& Handled);
    // Keeps the client width at 460.
    void FormResize(TObject* Sender);

    TCategoryPanelGroup* CPG = nullptr;
    TImageList* ImageList1 = nullptr;

    TCategoryPanel* CP_Ethernet_Connection = nullptr;
    TLabel* L_EthConn_Device_Name = nullptr;
    TEdit* E_EthConn_Device_Name = nullptr;
    TCheckBox* CB_EthConn_En_DHCP_Cable = nullptr;
    TCheckBox* CB_EthConn_En_DHCP_WiFi = nullptr;
    TCheckBox* CB_EthConn_Enable_DNS = nullptr;
    TLabel* L_EthConn_Primary_DNS = nullptr;
    TEdit* E_EthConn_Pri_DNS_IP1 = nullptr;
    TEdit* E_EthConn_Pri_DNS_IP2 = nullptr;
    TEdit* E_EthConn_Pri_DNS_IP3 = nullptr;
    TEdit* E_EthConn_Pri_DNS_IP4 = nullptr;
    TLabel* L_EthConn_Secondary_DNS = nullptr;
    TEdit* E_EthConn_Sec_DNS_IP1 = nullptr;
    TEdit* E_EthConn_Sec_DNS_IP2 = nullptr;
    TEdit* E_EthConn_Sec_DNS_IP3 = nullptr;
    TEdit* E_EthConn_Sec_DNS_IP4 = nullptr;

    TCategoryPanel* CP_IOLink = nullptr;
    TLabel* L_IOLink_SelectDevice = nullptr;
    TComboBox* CB_IOLink_SelectDevice = nullptr;

    TCategoryPanel* CP_EtherNetIP = nullptr;
    TLabel* L_EtherNetIP_IP = nullptr;
    TEdit* E_EtherNetIP_IP1 = nullptr;
    TEdit* E_EtherNetIP_IP2 = nullptr;
    TEdit* E_EtherNetIP_IP3 = nullptr;
    TEdit* E_EtherNetIP_IP4 = nullptr;
    TLabel* L_EtherNetIP_SM = nullptr;
    TEdit* E_EtherNetIP_SM1 = nullptr;
    TEdit* E_EtherNetIP_SM2 = nullptr;
    TEdit* E_EtherNetIP_SM3 = nullptr;
    TEdit* E_EtherNetIP_SM4 = nullptr;
    TCheckBox* CB_EtherNetIP_GAT = nullptr;
    TEdit* E_EtherNetIP_GAT1 = nullptr;
    TEdit* E_EtherNetIP_GAT2 = nullptr;
    TEdit* E_EtherNetIP_GAT3 = nullptr;
    TEdit* E_EtherNetIP_GAT4 = nullptr;
    TLabel* L_EtherNetIP_TunnelPort = nullptr;
    TEdit* E_EtherNetIP_TunnelPort = nullptr;
    TLabel* L_EtherNetIP_NByte_In = nullptr;
    TEdit* E_EtherNetIP_NByte_In = nullptr;
    TLabel* L_EtherNetIP_NByte_Out = nullptr;
    TEdit* E_EtherNetIP_NByte_Out = nullptr;

    TCategoryPanel* CP_WebServer = nullptr;
    TLabel* L_WebServer_Username = nullptr;
    TEdit* E_WebServer_Username = nullptr;
    TLabel* L_WebServer_Password = nullptr;
    TEdit* E_WebServer_Password = nullptr;

protected:
    using TShellForm::KeyPress;
    void FormCreate(TObject* Sender) override;

private:
    TCategoryPanel* Make_Panel();
    TLabel* Make_Label(TCategoryPanel* Panel, Integer Row);
    TEdit* Make_Edit(TCategoryPanel* Panel, Integer Row);
    TCheckBox* Make_Check_Box(TCategoryPanel* Panel, Integer Left, Integer Row, Integer Width);
    // A four-part address row: four edits with "." labels between them.
    void Make_Address(TCategoryPanel* Panel, Integer Row, TEdit*& P1, TEdit*& P2, TEdit*& P3, TEdit*& P4);
    void Make_Image_List();
    // The headers "1. " ... "4. " with their texts.
    void Title_Panels();
    // The variant's panels in their order.
    std::vector<TCategoryPanel*> Shown_Panels() const;
    // The address edit "." moves to from Edit, or nullptr.
    TEdit* Next_Address_Part(const TEdit* Edit) const;
};

extern TFParGen* FParGen;
