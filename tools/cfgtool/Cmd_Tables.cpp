// table-ok TABLE PROJECT_DIR [--exe DIR] [--answer yes|no]: shows one
// protocol table window for that configuration (offscreen) as the main
// window would, its file loaded, presses OK and prints every message box as
// "kind: text", those of the showing first; questions are answered with
// --answer (default No). Prints "written: " and the file on success. Exit
// code 0 when the window closed with OK, 1 when it refused or the
// configuration cannot be opened, 2 on wrong arguments.
// TABLE is one of modbus, modbus-tcp, snmp, bacnet, mqtt, can-rx, can-tx,
// j1939-rx, j1939-tx, nmea2000-rx, nmea2000-tx, pdo, sdo-client, sdo-server,
// nmea0183, nmea0183-listener, ethercat.
#include "Command.h"
#include "ProjectArgs.h"

#include "protocols/ethernet/UBACnetSlaveSetAccess.h"
#include "protocols/ethernet/UMQTT_Set_Topic.h"
#include "protocols/ethernet/UModbus_TCP_Master_Set_Access.h"
#include "protocols/ethernet/USNMP_Trap_Access.h"
#include "protocols/ethernet/USetAccess.h"
#include "protocols/fieldbus/UEtherCATSlave.h"
#include "protocols/fieldbus/UNMEA_0183_Set_Access.h"
#include "protocols/fieldbus/UNMEA_0183_Set_Access2.h"
#include "protocols/fieldbus/UReceiveCAN.h"
#include "protocols/fieldbus/UReceiveJ1939.h"
#include "protocols/fieldbus/UReceiveNMEA.h"
#include "protocols/fieldbus/USet_PDO_Access.h"
#include "protocols/fieldbus/USet_SDO_Client_Access.h"
#include "protocols/fieldbus/USet_SDO_Server_Access.h"
#include "protocols/fieldbus/UTransmitCAN.h"
#include "protocols/fieldbus/UTransmitJ1939.h"
#include "protocols/fieldbus/UTransmitNMEA.h"
#include "rtl/Dialogs.h"
#include "shell/UComon.h"

#include <QTimer>

#include <functional>
#include <memory>

namespace {

struct TTable_Window {
    const char* Name;
    std::function<TTable_Form*(TComponent*)> Make;
};

const TTable_Window Table_Windows[] = {
    {"modbus", [](TComponent* Owner) -> TTable_Form* { return new TFSetAccess(Owner); }},
    {"modbus-tcp", [](TComponent* Owner) -> TTable_Form* { return new TFModbus_TCP_Master_Set_Access(Owner); }},
    {"snmp", [](TComponent* Owner) -> TTable_Form* { return new TFSNMP_Trap_Access(Owner); }},
    {"bacnet", [](TComponent* Owner) -> TTable_Form* { return new TFBACnetSlaveSetAccess(Owner); }},
    {"mqtt", [](TComponent* Owner) -> TTable_Form* { return new TFMQTT_Set_Topic(Owner); }},
    // The field-bus frame tables.
    {"can-rx", [](TComponent* Owner) -> TTable_Form* { return new TFReceiveCAN(Owner); }},
    {"can-tx", [](TComponent* Owner) -> TTable_Form* { return new TFTransmitCAN(Owner); }},
    {"j1939-rx", [](TComponent* Owner) -> TTable_Form* { return new TFReceiveJ1939(Owner); }},
    {"j1939-tx", [](TComponent* Owner) -> TTable_Form* { return new TFTransmitJ1939(Owner); }},
    {"nmea2000-rx", [](TComponent* Owner) -> TTable_Form* { return new TFReceiveNMEA(Owner); }},
    {"nmea2000-tx", [](TComponent* Owner) -> TTable_Form* { return new TFTransmitNMEA(Owner); }},
    // The CANopen tables.
    {"pdo", [](TComponent* Owner) -> TTable_Form* { return new TFSet_PDO_Access(Owner); }},
    {"sdo-client", [](TComponent* Owner) -> TTable_Form* { return new TFSet_SDO_Client_Access(Owner); }},
    {"sdo-server", [](TComponent* Owner) -> TTable_Form* { return new TFSet_SDO_Server_Access(Owner); }},
    // The NMEA 0183 windows.
    {"nmea0183", [](TComponent* Owner) -> TTable_Form* { return new TFNMEA_0183_Set_Access2(Owner); }},
    {"nmea0183-listener", [](TComponent* Owner) -> TTable_Form* { return new TFNMEA_0183_Set_Access(Owner); }},
    // The EtherCAT window.
    {"ethercat", [](TComponent* Owner) -> TTable_Form* { return new TFEtherCATSlave(Owner); }},
};

const TTable_Window* Find_Table_Window(const QString& Name)
{
    for (const TTable_Window& W : Table_Windows)
        if (Name == QLatin1String(W.Name))
            return &W;
    return nullptr;
}

// Prints every box; a question is answered with Answer, any other box with
// its button.
class TPrintingDialogs : public TDialogService {
public:
    explicit TPrintingDialogs(TModalResult Answer) : FAnswer(Answer) {}
    TModalResult MessageBox(const TMessageBoxRequest& Request) override
    {
        static const char* const Kinds[] = {"warning", "error", "information", "confirmation", "message"};
        cfgtool::Out(QLatin1String(Kinds[Request.DlgType]) + QStringLiteral(": ") + Request.Text);
        if (Request.Buttons.Contains(mbYes) && Request.Buttons.Contains(mbNo))
            return FAnswer;
        if (Request.Buttons.Contains(mbNo))
            return mrNo;
        return ModalResultOfButton(Request.DefaultButton);
    }
    bool FileDialog(TFileDialogRequest&) override { return false; }

private:
    TModalResult FAnswer;
};

// Takes "--answer yes|no" out of Argv; false when its value is neither.
bool Take_Answer(QStringList& Argv, TModalResult& Answer)
{
    const qsizetype At = Argv.indexOf(QStringLiteral("--answer"));
    if (At < 0)
        return true;
    const QString Value = Argv.value(At + 1);
    if (Value != u"yes" && Value != u"no")
        return false;
    Answer = Value == u"yes" ? mrYes : mrNo;
    Argv.remove(At, 2);
    return true;
}

int TableOk(const QStringList& Arguments)
{
    cfgtool::TProjectArgs Args;
    const TTable_Window* Window_Kind = nullptr;
    QStringList Argv = Arguments;
    TModalResult Answer = mrNo;
    if (!Take_Answer(Argv, Answer) || !cfgtool::ParseProjectArgs(Argv, 2, Args) ||
        !(Window_Kind = Find_Table_Window(Args.Positional.takeFirst()))) {
        cfgtool::Err(QStringLiteral("usage: cfgtool table-ok modbus|modbus-tcp|snmp|bacnet|mqtt|can-rx|can-tx|"
                                    "j1939-rx|j1939-tx|nmea2000-rx|nmea2000-tx|pdo|sdo-client|sdo-server|"
                                    "nmea0183|nmea0183-listener|ethercat PROJECT_DIR [--exe DIR] "
                                    "[--answer yes|no]"));
        return 2;
    }
    if (!cfgtool::OpenProject(Args))
        return 1;

    std::unique_ptr<TDialogService> Previous = SetDialogService(std::make_unique<TPrintingDialogs>(Answer));
    TModalResult Result = mrNone;
    String File;
    {
        TComponent Owner(nullptr);
        TTable_Form* Window = Window_Kind->Make(&Owner);
        Window->DoCreate();
        // OK once the window shows; a refusal leaves it open, so it is cancelled.
        QTimer::singleShot(0, [Window] {
            Window->Btn_OK->Click();
            if (Window->ModalResult() == mrNone)
                Window->SetModalResult(mrCancel);
        });
        Result = Window->ShowModal();
        File = Window->File_Name();
    }
    SetDialogService(std::move(Previous));
    if (Result != mrOk)
        return 1;
    cfgtool::Out(QStringLiteral("written: ") + File);
    return 0;
}

const cfgtool::CfgCommand TableOkCommand("table-ok", TableOk);

} // namespace
