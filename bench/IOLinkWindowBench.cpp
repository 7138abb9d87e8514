// The IO-Link window on eight ports configured from the largest published
// device description: showing it (decode, load, port rows, the first
// port's pages) and clicking through the eight ports; beside it the core
// alone (Create_Channels + Load_Configuration), and a QStandardItemModel in
// a QTableView filled with the same cells.
#include "BenchSupport.h"

#include "iolink/UIO_Link_Set_Access_Form.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardItemModel>
#include <QTableView>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

QString WindowBenchShared() { return QStringLiteral(CFG_SHARED_DATA_DIR "/iodd"); }

QString WindowBenchLargestDescription()
{
    QString Largest;
    qint64 Size = -1;
    for (const QFileInfo& Info : QDir(WindowBenchShared()).entryInfoList({QStringLiteral("*.xml")}, QDir::Files)) {
        if (Info.fileName().startsWith(QLatin1String("IODD-StandardDefinitions"), Qt::CaseInsensitive))
            continue;
        if (Info.size() > Size) {
            Size = Info.size();
            Largest = Info.absoluteFilePath();
        }
    }
    return Largest;
}

constexpr Integer Ports = 8;

// A configuration of eight ports from the largest description, saved once,
// and the window over it; null window when there is no description.
struct TWindowBenchSetup {
    TWindowBenchSetup()
    {
        const QString Description = WindowBenchLargestDescription();
        if (Description.isEmpty())
            return;
        bench::EnsureApplication();
        Load_Lang_English();
        Path_Project = Project.path();
        Path_IOLink_StaDef = WindowBenchShared() + u'/';
        Set_Table_Files();
        TIO_Link_Set_Access_Core Core;
        Core.Create_Channels();
        for (Integer Port = 0; Port < Ports; ++Port) {
            if (!Core.Insert_IODD_File(Port, Description))
                return;
            Core.Channels[std::size_t(Port)]->Pin4Mode = QStringLiteral("IO-Link");
        }
        if (!Core.Save_Configuration())
            return;
        Window = std::make_unique<TFIO_Link_Set_Access>(nullptr);
        Window->DoCreate();
        Window->Core.OnMessage = [](TIOLink_MsgKind, const String&) {};
    }

    QTemporaryDir Project;
    std::unique_ptr<TFIO_Link_Set_Access> Window;
};

TWindowBenchSetup& WindowSetup()
{
    static TWindowBenchSetup Setup;
    return Setup;
}

TFIO_Link_Set_Access* BenchWindow(benchmark::State& State)
{
    TFIO_Link_Set_Access* W = WindowSetup().Window.get();
    if (!W)
        State.SkipWithError("no device descriptions in ../shared/data/iodd");
    return W;
}

// Every cell of the port grid and of the pages of the port shown.
std::vector<std::vector<String>> Shown_Cells(TFIO_Link_Set_Access* W)
{
    std::vector<std::vector<String>> Rows;
    for (TExStringGrid* Grid : {static_cast<TExStringGrid*>(W->ECG_IODD), static_cast<TExStringGrid*>(W->ESG_Var),
                                static_cast<TExStringGrid*>(W->ECG_ProcessDataIn),
                                static_cast<TExStringGrid*>(W->ECG_ProcessDataOut),
                                static_cast<TExStringGrid*>(W->ECG_IO_Options),
                                static_cast<TExStringGrid*>(W->ECG_Events)})
        for (Integer R = 0; R < Grid->RowCount(); ++R) {
            std::vector<String> Row;
            for (Integer C = 0; C < Grid->AllColCount(); ++C)
                Row.push_back(Grid->AllCells(C, R));
            Rows.push_back(std::move(Row));
        }
    return Rows;
}

void BM_IOLinkWindow_Show_8_Ports(benchmark::State& State)
{
    TFIO_Link_Set_Access* W = BenchWindow(State);
    if (!W)
        return;
    for (auto _ : State) {
        W->Show();
        benchmark::DoNotOptimize(W->ESG_Var->RowCount());
        State.PauseTiming();
        W->Hide();
        State.ResumeTiming();
    }
    State.counters["variable_rows"] = double(W->ESG_Var->RowCount() - 1);
}

void BM_IOLinkWindow_Click_8_Ports(benchmark::State& State)
{
    TFIO_Link_Set_Access* W = BenchWindow(State);
    if (!W)
        return;
    W->Show();
    for (auto _ : State) {
        for (Integer Row = 1; Row <= Ports; ++Row)
            W->ECG_IODDClickCell(W->ECG_IODD, Row, 0);
        benchmark::DoNotOptimize(W->ESG_Var->RowCount());
    }
    W->Hide();
}

void BM_IOLinkCore_Load_8_Ports(benchmark::State& State)
{
    if (!BenchWindow(State))
        return;
    for (auto _ : State) {
        TIO_Link_Set_Access_Core Core;
        Core.OnMessage = [](TIOLink_MsgKind, const String&) {};
        Core.Create_Channels();
        benchmark::DoNotOptimize(Core.Load_Configuration());
    }
}

// The same cells as a showing of the window, in a model shown in a view.
void BM_QTableView_Same_Cells(benchmark::State& State)
{
    TFIO_Link_Set_Access* W = BenchWindow(State);
    if (!W)
        return;
    W->Show();
    const std::vector<std::vector<String>> Cells = Shown_Cells(W);
    W->Hide();
    std::size_t Cols = 0;
    for (const auto& Row : Cells)
        Cols = std::max(Cols, Row.size());
    QTableView View;
    View.resize(1270, 700);
    View.show();
    for (auto _ : State) {
        auto* Model = new QStandardItemModel(int(Cells.size()), int(Cols), &View);
        for (std::size_t R = 0; R < Cells.size(); ++R)
            for (std::size_t C = 0; C < Cells[R].size(); ++C)
                Model->setItem(int(R), int(C), new QStandardItem(Cells[R][C]));
        QAbstractItemModel* Old = View.model();
        View.setModel(Model);
        delete Old;
        QApplication::processEvents();
    }
    State.counters["cells"] = double(Cells.size() * Cols);
}

BENCHMARK(BM_IOLinkWindow_Show_8_Ports)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_IOLinkWindow_Click_8_Ports)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_IOLinkCore_Load_8_Ports)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QTableView_Same_Cells)->Unit(benchmark::kMillisecond);

} // namespace
