// The device description decoder against the bare parse of the same bytes,
// in one run: the published descriptions beside the project in full mode
// (with the standard definitions of the same folder) and in simple mode, and
// a catalog of 1,000 description files listed as the catalog window lists
// them. Each iteration times both sides file by file, interleaved, so a
// busy machine slows both alike.
#include "iolink/UIOLink_IODD_Decode.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <pugixml.hpp>

#include <ctime>

namespace {

QString IoddShared() { return QStringLiteral(CFG_SHARED_DATA_DIR "/iodd"); }

// The published descriptions (not the standard definitions), by name.
QStringList IoddPublished()
{
    QStringList Files;
    const QDir Dir(IoddShared());
    for (const QFileInfo& Info : Dir.entryInfoList({QStringLiteral("*.xml")}, QDir::Files, QDir::Name))
        if (!Info.fileName().startsWith(u"IODD-StandardDefinitions"))
            Files << Info.filePath();
    return Files;
}

// The parser alone, with the options the decoder's documents use; it
// takes its own copy of the bytes, as the decoder reads its own.
void IoddBareParse(const QByteArray& Bytes)
{
    pugi::xml_document Doc;
    const pugi::xml_parse_result Result =
        Doc.load_buffer(Bytes.constData(), size_t(Bytes.size()), xml::ParserOptions());
    benchmark::DoNotOptimize(Result.status);
}

// Seconds spent on each side, and the bytes one pass reads. The time is the
// thread's processor time (the kernel's reading of files included), which
// other work on a busy machine does not lengthen.
struct TIoddPair {
    double Parse = 0;
    double Decode = 0;
    qint64 Bytes = 0;

    static double Now()
    {
        timespec T{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &T);
        return double(T.tv_sec) + double(T.tv_nsec) * 1e-9;
    }

    template <class Fn>
    static double Time(Fn&& Run)
    {
        const double Start = Now();
        Run();
        return Now() - Start;
    }

    void Report(benchmark::State& State) const
    {
        const double MB = double(Bytes) * double(State.iterations()) / 1e6;
        State.counters["parse_ms_per_MB"] = Parse * 1e3 / MB;
        State.counters["decode_ms_per_MB"] = Decode * 1e3 / MB;
        State.counters["ratio"] = Decode / Parse;
        State.SetBytesProcessed(State.iterations() * Bytes);
    }
};

void IoddDecode(const QString& File, Boolean Simple)
{
    TIODD IODD;
    IODD.SetStandardDef_Path(IoddShared() + u'/');
    IODD.Decode_IODD(File, Simple);
    benchmark::DoNotOptimize(IODD.ExtTextCol->PriLang_Values.data());
}

// Every published description, decoded and parsed bare from the same bytes.
// The standard definitions are decoded once per process, before the timing.
void IoddDecodeAgainstParse(benchmark::State& State, Boolean Simple)
{
    const QStringList Files = IoddPublished();
    if (Files.isEmpty()) {
        State.SkipWithError("no published device descriptions beside the project");
        return;
    }
    std::vector<QByteArray> Bytes;
    TIoddPair Pair;
    for (const QString& File : Files) {
        Bytes.push_back(ReadFileBytes(File));
        Pair.Bytes += Bytes.back().size();
        IoddDecode(File, Simple);
    }
    for (auto _ : State) {
        for (qsizetype I = 0; I < Files.size(); ++I) {
            Pair.Parse += TIoddPair::Time([&] { IoddBareParse(Bytes[std::size_t(I)]); });
            Pair.Decode += TIoddPair::Time([&] { IoddDecode(Files[I], Simple); });
        }
    }
    Pair.Report(State);
}

void BM_IoddDecodeFull(benchmark::State& State) { IoddDecodeAgainstParse(State, false); }

void BM_IoddDecodeSimple(benchmark::State& State) { IoddDecodeAgainstParse(State, true); }

constexpr int IoddCatalogFiles = 1000;

// A folder of 1,000 description files: copies of the published ones under
// distinct names, made once per process.
const QTemporaryDir& IoddCatalog()
{
    static const QTemporaryDir Dir;
    static const bool Filled = [] {
        const QStringList Files = IoddPublished();
        for (int I = 0; I < IoddCatalogFiles && !Files.isEmpty(); ++I) {
            const QString& Source = Files[I % Files.size()];
            QFile::copy(Source, Dir.filePath(QStringLiteral("%1-%2").arg(I, 4, 10, QLatin1Char('0')).arg(QFileInfo(Source).fileName())));
        }
        return true;
    }();
    Q_UNUSED(Filled);
    return Dir;
}

// The catalog window's listing: every "*.xml" in the order the file system
// gives them, decoded in simple mode for its vendor and device name.
qint64 IoddListCatalog(const QDir& Dir)
{
    qint64 Characters = 0;
    for (const QString& Name : Dir.entryList({QStringLiteral("*.xml")}, QDir::Files, QDir::NoSort)) {
        TIODD IODD;
        IODD.SetStandardDef_Path(IoddShared() + u'/');
        IODD.Decode_IODD(Dir.filePath(Name), true);
        const TDeviceIdentity& Id = *IODD.ProfileBody->DeviceIdentity;
        Characters += IODD.GetDesc_ExtTextCol(false, Id.VendorName()).size()
                      + IODD.GetDesc_ExtTextCol(false, Id.DeviceName()).size() + Name.size();
    }
    return Characters;
}

// The same files listed, read and parsed bare.
void IoddParseCatalog(const QDir& Dir)
{
    for (const QString& Name : Dir.entryList({QStringLiteral("*.xml")}, QDir::Files, QDir::NoSort)) {
        IoddBareParse(ReadFileBytes(Dir.filePath(Name)));
    }
}

void BM_IoddCatalog1000(benchmark::State& State)
{
    if (IoddPublished().isEmpty()) {
        State.SkipWithError("no published device descriptions beside the project");
        return;
    }
    const QDir Dir(IoddCatalog().path());
    TIoddPair Pair;
    for (const QFileInfo& Info : Dir.entryInfoList({QStringLiteral("*.xml")}, QDir::Files))
        Pair.Bytes += Info.size();
    for (auto _ : State) {
        Pair.Parse += TIoddPair::Time([&] { IoddParseCatalog(Dir); });
        Pair.Decode += TIoddPair::Time([&] { benchmark::DoNotOptimize(IoddListCatalog(Dir)); });
    }
    State.counters["files"] = double(Dir.entryList({QStringLiteral("*.xml")}, QDir::Files).size());
    Pair.Report(State);
}

} // namespace

BENCHMARK(BM_IoddDecodeFull)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_IoddDecodeSimple)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_IoddCatalog1000)->Unit(benchmark::kMillisecond);
