// The BACnet object window, whose two grids hold 2 x 2000 rows: showing it
// (clearing, position lists, loading the file) and pressing OK (checks,
// document, atomic replace), beside a QStandardItemModel in a QTableView
// doing the same work on the same file in the same run.
// Argument: the rows each table of the file holds. 1000 a table is the
// window's limit of checked rows, so OK writes; with 2000 a table OK checks
// every row and then refuses at the limit.
#include "BenchSupport.h"

#include "protocols/ethernet/UBACnetSlaveSetAccess.h"
#include "rtl/Dialogs.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"

#include <QFile>
#include <QSaveFile>
#include <QStandardItemModel>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <pugixml.hpp>

#include <array>
#include <sstream>

namespace {

constexpr const char* Sections[] = {"BACnet_in_Read", "BACnet_in_Write"};
constexpr const char* Types[] = {"Analog Input", "Analog Value"};
constexpr const char* Attributes[] = {"Data_Type", "Eng_Unit", "Position", "Bit",
                                      "Length",    "Swap",     "SwapWord", "Mnemonic"};
constexpr int Columns = 9; // the row number column and the eight attributes

// Rows that pass every check of their table.
QByteArray Table_File(Integer Rows)
{
    QByteArray Data = "<BACnet_to_Modbus><!--SW_VERSION = 1.001-->";
    for (int S = 0; S < 2; ++S) {
        Data += QByteArray("<") + Sections[S] + ">";
        for (Integer R = 0; R < Rows; ++R)
            Data += QByteArray("<row Data_Type=\"") + Types[S] + "\" Eng_Unit=\"62\" Position=\"" +
                    QByteArray::number((R % 360) * 4) + "\" Bit=\"\" Length=\"4\" Swap=\"N\" SwapWord=\"" +
                    (R % 2 ? "Y" : "N") + "\" Mnemonic=\"object " + QByteArray::number(R) + "\"/>";
        Data += QByteArray("</") + Sections[S] + ">";
    }
    return Data + "</BACnet_to_Modbus>";
}

// A box never waits; the first one is kept.
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
    TFixture()
    {
        bench::EnsureApplication();
        Load_Lang_English();
        Path_Project = Dir.path();
        File_ParGen.clear();
        File_BACnet_Slave_SetAccess = Dir.path() + QStringLiteral("/BACnet_Slave_SetAccess.xml");
    }
    static QByteArray Write(Integer Rows)
    {
        const QByteArray Data = Table_File(Rows);
        QFile F(File_BACnet_Slave_SetAccess);
        F.open(QIODevice::WriteOnly);
        F.write(Data);
        return Data;
    }
};

void BM_BACnetWindow_ShowAndOK(benchmark::State& State)
{
    bench::Once<TFixture>();
    const Integer Rows = Integer(State.range(0));
    const QByteArray Data = TFixture::Write(Rows);
    const bool Over_Limit = 2 * Rows > TFBACnetSlaveSetAccess::Data_Rows;
    auto Service = std::make_unique<TNo_Dialogs>();
    TNo_Dialogs* Dialogs = Service.get();
    std::unique_ptr<TDialogService> Previous = SetDialogService(std::move(Service));
    TComponent Owner(nullptr);
    auto* Window = new TFBACnetSlaveSetAccess(&Owner);
    Window->DoCreate();
    Window->Show();
    const String Limit_Box = Lang.Strings(2159) + QString::number(TFBACnetSlaveSetAccess::Data_Rows);
    for (auto _ : State) {
        Window->FormShow(Window);
        QCoreApplication::processEvents();
        Window->SetModalResult(mrNone);
        Window->Btn_OKClick(Window);
        const bool Expected = Over_Limit ? Dialogs->Shown == Limit_Box && Window->ModalResult() == mrNone
                                         : Dialogs->Shown.isEmpty() && Window->ModalResult() == mrOk;
        if (!Expected) {
            const std::string Reason = ("unexpected end of OK: " + Dialogs->Shown).toStdString();
            State.SkipWithError(Reason.c_str());
            break;
        }
        Dialogs->Shown.clear();
    }
    Window->Hide();
    SetDialogService(std::move(Previous));
    State.SetBytesProcessed(State.iterations() * Data.size());
}

// The same work with Qt's own table: each section into a model of the
// window's row count shown in a view, then the rows up to the first empty
// Data Type written back as a document, replaced atomically.
struct TQt_Tables {
    QTabWidget Tabs;
    std::array<QTableView*, 2> Views{new QTableView, new QTableView};
    std::array<QStandardItemModel*, 2> Models{};
    TQt_Tables()
    {
        for (int S = 0; S < 2; ++S)
            Tabs.addTab(Views[S], QString::fromLatin1(Sections[S]));
        Tabs.resize(920, 337);
        Tabs.show();
    }
    void Load(const pugi::xml_node Root)
    {
        for (int S = 0; S < 2; ++S) {
            auto* Model = new QStandardItemModel(TFBACnetSlaveSetAccess::Data_Rows + 1, Columns, Views[S]);
            int R = 1;
            for (pugi::xml_node Row = Root.child(Sections[S]).first_child(); Row; Row = Row.next_sibling(), ++R)
                for (int C = 1; C < Columns; ++C)
                    Model->setItem(R, C, new QStandardItem(QString::fromUtf8(Row.attribute(Attributes[C - 1]).value())));
            Views[S]->setModel(Model);
            delete Models[S];
            Models[S] = Model;
        }
    }
    bool Save(const QString& File) const
    {
        pugi::xml_document Doc;
        pugi::xml_node Root = Doc.append_child("BACnet_to_Modbus");
        Doc.append_child(pugi::node_comment).set_value("SW_VERSION = 1.001");
        for (int S = 0; S < 2; ++S) {
            pugi::xml_node Section = Root.append_child(Sections[S]);
            const QStandardItemModel* Model = Models[S];
            for (int R = 1; R < Model->rowCount(); ++R) {
                const QStandardItem* Key = Model->item(R, 1);
                if (!Key || Key->text().trimmed().isEmpty())
                    break;
                pugi::xml_node Row = Section.append_child("row");
                for (int C = 1; C < Columns; ++C) {
                    const QStandardItem* Item = Model->item(R, C);
                    Row.append_attribute(Attributes[C - 1]) = (Item ? Item->text() : QString()).toUtf8().constData();
                }
            }
        }
        std::ostringstream Out;
        Doc.save(Out, "");
        QSaveFile F(File);
        const std::string Text = Out.str();
        return F.open(QIODevice::WriteOnly) && F.write(Text.data(), qint64(Text.size())) == qint64(Text.size()) &&
               F.commit();
    }
};

void BM_QtTableView_ShowAndOK(benchmark::State& State)
{
    bench::Once<TFixture>();
    const QByteArray Data = TFixture::Write(Integer(State.range(0)));
    const QByteArray Path = QFile::encodeName(File_BACnet_Slave_SetAccess);
    TQt_Tables Qt_Tables;
    for (auto _ : State) {
        pugi::xml_document Doc;
        if (!Doc.load_file(Path.constData())) {
            State.SkipWithError("the parser refused the file");
            break;
        }
        Qt_Tables.Load(Doc.document_element());
        QCoreApplication::processEvents();
        if (!Qt_Tables.Save(File_BACnet_Slave_SetAccess)) {
            State.SkipWithError("the file could not be written");
            break;
        }
    }
    State.SetBytesProcessed(State.iterations() * Data.size());
}

} // namespace

BENCHMARK(BM_BACnetWindow_ShowAndOK)->Arg(1000)->Arg(2000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QtTableView_ShowAndOK)->Arg(1000)->Arg(2000)->Unit(benchmark::kMillisecond);
