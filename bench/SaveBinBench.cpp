// Building the two device images of a configuration whose eight ports all
// hold the largest published device description, every variable enabled.
#include "iolink/UIO_Link_Set_Access.h"
#include "iolink/USaveBincc.h"
#include "shell/UComon.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

QString SaveBinShared() { return QStringLiteral(CFG_SHARED_DATA_DIR "/iodd"); }

// The largest description file of the shared folder; empty when none.
QString SaveBinLargestDescription()
{
    QString Largest;
    qint64 Size = -1;
    for (const QFileInfo& Info : QDir(SaveBinShared()).entryInfoList({QStringLiteral("*.xml")}, QDir::Files)) {
        if (Info.fileName().startsWith(QLatin1String("IODD-StandardDefinitions"), Qt::CaseInsensitive))
            continue;
        if (Info.size() > Size) {
            Size = Info.size();
            Largest = Info.absoluteFilePath();
        }
    }
    return Largest;
}

void BM_Compile_Bin_8_Ports(benchmark::State& State)
{
    const QString Description = SaveBinLargestDescription();
    if (Description.isEmpty()) {
        State.SkipWithError("no device descriptions in ../shared/data/iodd");
        return;
    }
    QTemporaryDir Project;
    Path_Project = Project.path();
    Path_IOLink_StaDef = SaveBinShared() + u'/';
    Set_Table_Files();
    {
        TIO_Link_Set_Access_Core Core;
        Core.Create_Channels();
        for (int Port = 0; Port < 8; ++Port) {
            if (!Core.Insert_IODD_File(Port, Description)) {
                State.SkipWithError("the description could not be inserted");
                return;
            }
            TChannel_IOLink& Channel = *Core.Channels[Port];
            Channel.Pin4Mode = QStringLiteral("IO-Link");
            for (const auto& Var : Channel.Var_List)
                Var->Enable = true;
        }
        if (!Core.Save_Configuration()) {
            State.SkipWithError("IOLink_SetAccess.xml could not be written");
            return;
        }
    }
    for (auto _ : State) {
        try {
            Compile_Bin();
        } catch (const Exception& E) {
            State.SkipWithError(E.Message().toStdString().c_str());
            break;
        }
        benchmark::DoNotOptimize(Bin_Bank2().size());
    }
    State.counters["bank2_bytes"] = double(Bin_Bank2().size());
    State.counters["description_bytes"] = double(QFileInfo(Description).size());
    Path_Project.clear();
    Set_Table_Files();
}

BENCHMARK(BM_Compile_Bin_8_Ports)->Unit(benchmark::kMillisecond);

} // namespace
