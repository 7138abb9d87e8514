#pragma once
// The update dialog: the user gives the gateway's address and what to
// update; the update button checks with ICMP echo that the gateway answers,
// writes the update job "Ethernet_Update.xml" beside the program and starts
// the updater "Ethernet_Update.exe", which does the transfer. The dialog
// stays open after an update; the choices are kept for the run, the address
// also in the settings file.
#include "platform/XmlDoc.h"
#include "rtl/Windows.h"
#include "shell/UShellForm.h"

inline constexpr const char* Update_Job_File_Name = "Ethernet_Update.xml";
inline constexpr const char* Updater_File_Name = "Ethernet_Update.exe";

// The update choices, the items of CB_Update_Options.
enum TUpdate_Choice : Integer {
    Update_Firmware_Configuration = 0,
    Update_Firmware = 1,
    Update_Configuration = 2,
};

// Path_Data + "/Ethernet_Update.xml".
String Update_Job_File();
// Builds the update job into Doc (cleared first): the device Address as
// given, the write operations of Choice (none for a value outside 0..2)
// with every "Ope_Read_Back" set by Read_Back. The files are named from
// Path_Master and Path_Project whether or not they exist.
void Build_Update_Job(xml::TXMLDocument& Doc, const String& Address, Integer Choice, bool Read_Back);
// Builds the job for the device address Device_Address makes of Address and
// writes it to Update_Job_File(); raises EConvertError (text 1437) for an
// address it refuses, and when the file cannot be written.
void Write_Update_Job(const String& Address, Integer Choice, bool Read_Back);
// The dotted decimal address of a device (as the echo and the job use it)
// that Split_IP_Address reads from Typed, without blanks or leading zeros;
// false for a text it refuses and for 0.0.0.0 and 255.255.255.255.
bool Device_Address(const String& Typed, String& Address);

// The clock of the reachability test: the tick counter, and the pause after
// each echo in which the window handles its messages. Tests put a simulated
// clock in place.
class TBootClock {
public:
    virtual ~TBootClock() = default;
    virtual DWORD Ticks();
    // Waits Ms milliseconds, then handles the pending window messages.
    virtual void Pause(DWORD Ms);
};
TBootClock& BootClock();
// Not owned; nullptr puts the real clock back.
void SetBootClock(TBootClock* Clock);

class TFBoot : public TShellForm {
public:
    // Its texts in the table.
    static constexpr Integer Lang_First = 1400, Lang_Last = 1438;
    // Form_Type values.
    static constexpr Integer Form_Serial = 0, Form_Ethernet = 1;
    // ping_res values.
    static constexpr Integer Ping_Unknown = 0, Ping_Answered = 1, Ping_Not_Answered = 2;
    // The reachability test: each echo waits this long for its answer; the
    // test ends after two answers or once this much time has passed.
    static constexpr DWORD Echo_Timeout_Ms = 400;
    static constexpr DWORD Ping_Time_Limit_Ms = 5000;
    static constexpr DWORD Ping_Pause_Ms = 10;

    explicit TFBoot(TComponent* AOwner);

    // Caption and description of the mode (1400/1401 serial, 1402/1403
    // Ethernet) and every text of the dialog; the choices list is refilled
    // with its first item selected.
    void Set_Lang() override;

    // Prepares the Ethernet mode: layout, the last address and choices.
    void FormShow(TObject* Sender);
    // "." moves to the next address edit and is never typed.
    void KeyPress(TObject* Sender, Char& Key);
    // In the Ethernet mode: the reachability test, then on success the
    // remembered values, the job file and the updater.
    void Btn_UpdateClick(TObject* Sender);
    // True when the gateway answered: two answered echoes, or an answered
    // last echo within the time limit. An address that Device_Address
    // refuses sends nothing and answers false with ping_res unknown, as does
    // an echo service failure.
    bool Send_Ping();
    // Reply of one echo: Received_Bytes 0 means no answer in time.
    void PingReply(TObject* ASender, Integer Received_Bytes);
    // Writes the job file from the dialog's controls.
    void Compile_XML_Parameter_New_Boot();

    // The four address edits joined with ".", as typed.
    String Address_Text() const;

    // The mode, set by the main window before it shows the dialog.
    Integer Form_Type = Form_Serial;
    // State of the reachability test.
    Integer ping_res = Ping_Unknown;

    TPanel* P_IP_Address = nullptr;
    TLabel* L_IP_Address = nullptr;
    TEdit* E_IP1 = nullptr;
    TEdit* E_IP2 = nullptr;
    TEdit* E_IP3 = nullptr;
    TEdit* E_IP4 = nullptr;
    TPanel* P_Options = nullptr;
    TLabel* L_Update_Option = nullptr;
    TComboBox* CB_Update_Options = nullptr;
    TCheckBox* CB_Update_Option_Read_Back = nullptr;
    TLbButton* Btn_Update = nullptr;

protected:
    using TShellForm::KeyPress;

private:
    void Set_Testing(bool Value);
    // True while the reachability test runs: the buttons are disabled and
    // the dialog does not close.
    bool FTesting = false;
};

extern TFBoot* FBoot;
