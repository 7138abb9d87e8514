// The CAN receive frame table with a full file of 512 rows: showing it
// (clearing, the Byte lists, loading) and pressing OK (checks, document,
// atomic replace), beside a bare parse and attribute walk of the same file.
#include "BenchSupport.h"

#include "protocols/fieldbus/UReceiveCAN.h"
#include "rtl/Dialogs.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <pugixml.hpp>

#include <cstring>

namespace {

// Every row enabled, eight bytes each, all checks passing.
QByteArray Full_File()
{
    QByteArray Data = "<Receive_Frames>";
    for (Integer R = 0; R < TFReceiveCAN::Data_Rows; ++R) {
        Data += "<row Enable=\"Y\" COBID=\"" + QByteArray::number(R + 1) +
                "\" CAN_Type=\"2.0A (11 bits)\" Dim=\"8\" TimeOut=\"100\"";
        for (Integer K = 1; K <= 8; ++K)
            Data += " Byte" + QByteArray::number(K) + "=\"" + QByteArray::number((R * 8 + K) % 1440) + "\"";
        Data += " Mnemonic=\"frame " + QByteArray::number(R) + "\"/>";
    }
    return Data + "</Receive_Frames><!--SW_VERSION = 1.004-->";
}

// A box never waits: the first is kept, so that the run can stop with its text.
class TNo_Dialogs : public TDialogService {
public:
    String Shown;
    TModalResult MessageBox(const TMessageBoxRequest& Request) override
    {
        if (Shown.isEmpty())
            Shown = Request.Text;
        return mrCancel;
    }
    bool FileDialog(TFileDialogRequest&) override { return false; }
};

struct TFixture {
    QTemporaryDir Dir;
    QByteArray Data = Full_File();
    TFixture()
    {
        bench::EnsureApplication();
        Load_Lang_English();
        Path_Project = Dir.path();
        File_CAN_Rec_Frames = Dir.path() + QStringLiteral("/CAN_Rec_Frames.xml");
    }
    void Write() const
    {
        QFile F(File_CAN_Rec_Frames);
        F.open(QIODevice::WriteOnly);
        F.write(Data);
    }
};

void BM_ReceiveCAN_ShowAndOK(benchmark::State& State)
{
    TFixture& F = bench::Once<TFixture>();
    F.Write();
    auto Service = std::make_unique<TNo_Dialogs>();
    TNo_Dialogs* Dialogs = Service.get();
    std::unique_ptr<TDialogService> Previous = SetDialogService(std::move(Service));
    TComponent Owner(nullptr);
    auto* Window = new TFReceiveCAN(&Owner);
    Window->DoCreate();
    for (auto _ : State) {
        Window->FormShow(Window);
        Window->SetModalResult(mrNone);
        Window->Btn_OKClick(Window);
        if (!Dialogs->Shown.isEmpty() || Window->ModalResult() != mrOk) {
            const std::string Reason = ("the window refused: " + Dialogs->Shown).toStdString();
            State.SkipWithError(Reason.c_str());
            break;
        }
    }
    SetDialogService(std::move(Previous));
    State.SetBytesProcessed(State.iterations() * F.Data.size());
}

void BM_ReceiveCAN_BareParseAndWalk(benchmark::State& State)
{
    TFixture& F = bench::Once<TFixture>();
    F.Write();
    const QByteArray Path = QFile::encodeName(File_CAN_Rec_Frames);
    std::int64_t Characters = 0;
    for (auto _ : State) {
        pugi::xml_document Doc;
        if (!Doc.load_file(Path.constData())) {
            State.SkipWithError("the parser refused the file");
            return;
        }
        Characters = 0;
        for (pugi::xml_node Row = Doc.document_element().first_child(); Row; Row = Row.next_sibling())
            for (pugi::xml_attribute A = Row.first_attribute(); A; A = A.next_attribute())
                Characters += QString::fromUtf8(A.value()).size();
        benchmark::DoNotOptimize(Characters);
    }
    State.SetBytesProcessed(State.iterations() * F.Data.size());
}

} // namespace

BENCHMARK(BM_ReceiveCAN_ShowAndOK)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReceiveCAN_BareParseAndWalk)->Unit(benchmark::kMillisecond);
