// Full decode of every published device description beside the project,
// each with the standard definitions from the same folder.
#include "iolink/UIOLink_IODD_Decode.h"

#include <QDir>
#include <QFileInfo>

#include <benchmark/benchmark.h>

namespace {

void BM_IoddDecodeFull(benchmark::State& State)
{
    const QDir Dir(QStringLiteral(CFG_SHARED_DATA_DIR "/iodd"));
    QStringList Files;
    qint64 StaDefBytes = 0;
    for (const QFileInfo& Info : Dir.entryInfoList({QStringLiteral("*.xml")}, QDir::Files, QDir::Name)) {
        if (Info.fileName() == u"IODD-StandardDefinitions1.1.xml")
            StaDefBytes = Info.size();
        else if (!Info.fileName().startsWith(u"IODD-StandardDefinitions"))
            Files << Info.filePath();
    }
    if (Files.isEmpty()) {
        State.SkipWithError("no published device descriptions beside the project");
        return;
    }
    // Every full decode reads its file and the standard definitions.
    qint64 Bytes = 0;
    for (const QString& File : Files)
        Bytes += QFileInfo(File).size() + StaDefBytes;
    const QString StaDef = Dir.path() + u'/';

    for (auto _ : State) {
        for (const QString& File : Files) {
            TIODD IODD;
            IODD.SetStandardDef_Path(StaDef);
            IODD.Decode_IODD(File, false);
            benchmark::DoNotOptimize(IODD.ProfileBody->DeviceFunction->VariableCollection->Var_List.data());
        }
    }
    State.SetBytesProcessed(State.iterations() * Bytes);
    // Seconds per megabyte (10^6 bytes) read.
    State.counters["time_per_MB"] = benchmark::Counter(static_cast<double>(Bytes) / 1e6,
                                                       benchmark::Counter::kIsIterationInvariantRate
                                                           | benchmark::Counter::kInvert);
}

} // namespace

BENCHMARK(BM_IoddDecodeFull)->Unit(benchmark::kMillisecond);
