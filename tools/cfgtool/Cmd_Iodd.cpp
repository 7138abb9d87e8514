// iodd-summary: decodes one device description and prints its identity.
#include "Command.h"

#include "iolink/UIOLink_IODD_Decode.h"

namespace {

int IoddSummary(const QStringList& Args)
{
    QString File;
    QString StaDef;
    bool Simple = false;
    for (int I = 0; I < Args.size(); ++I) {
        const QString& Arg = Args[I];
        if (Arg == u"--simple") {
            Simple = true;
        } else if (Arg == u"--stadef" && I + 1 < Args.size()) {
            StaDef = Args[++I];
        } else if (!Arg.startsWith(u"--") && File.isEmpty()) {
            File = Arg;
        } else {
            File.clear();
            break;
        }
    }
    if (File.isEmpty()) {
        cfgtool::Err(QStringLiteral("usage: cfgtool iodd-summary FILE [--stadef DIR] [--simple]"));
        return 2;
    }

    TIODD IODD;
    IODD.SetStandardDef_Path(StaDef);
    try {
        IODD.Decode_IODD(File, Simple);
    } catch (const Exception& E) {
        cfgtool::Err(E.Message());
        return 1;
    }
    const TDeviceIdentity& Id = *IODD.ProfileBody->DeviceIdentity;
    const TDeviceFunction& F = *IODD.ProfileBody->DeviceFunction;
    const auto Count = [](std::size_t N) { return QString::number(N); };
    const std::pair<const char*, QString> Lines[] = {
        {"VendorId", Id.VendorId()},
        {"VendorName", Id.VendorName()},
        {"DeviceId", Id.DeviceId()},
        {"DeviceName", IODD.GetDesc_ExtTextCol(false, Id.DeviceName())},
        {"ProfileRevision", IODD.ProfileHeader->ProfileRevision() == prPR11 ? QStringLiteral("1.1")
                                                                             : QStringLiteral("1.0")},
        {"BitRate", IODD.PhysicalLayer->BitRate()},
        {"MinCycleTime", IODD.PhysicalLayer->MinCycleTime()},
        {"Variables", Count(F.VariableCollection->Var_List.size())},
        {"StdVariableRefs", Count(F.VariableCollection->StdVar_List.size())},
        {"ProcessData", Count(F.ProcessDataCollection->ProcessData_List.size())},
        {"Events", Count(F.EventCollection->Event_List.size() + F.EventCollection->StdEventRef_List.size())},
    };
    for (const auto& [Key, Value] : Lines)
        cfgtool::Out(QString::fromLatin1(Key) + u'=' + Value);
    return 0;
}

const cfgtool::CfgCommand IoddSummaryCommand("iodd-summary", IoddSummary);

} // namespace
