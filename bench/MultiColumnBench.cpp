// The multi-column drop-down against Qt: opening it with 10,000 rows of 4
// columns (loading the list, automatic widths of two columns, fitting the
// columns to the pop-up) against a QComboBox whose view is a QTableView on
// a QStandardItemModel of the same rows, and completion while typing over
// 100,000 lookup entries against a QLineEdit with a QCompleter doing inline
// prefix completion over the same strings.
#include "BenchSupport.h"

#include "controls/dropdown/ExMultiColumnDropDown.h"
#include "rtl/Forms.h"

#include <QComboBox>
#include <QCompleter>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStandardItemModel>
#include <QStringListModel>
#include <QTableView>

#include <benchmark/benchmark.h>

#include <array>
#include <memory>
#include <vector>

using namespace exmulticolumn;

namespace {

constexpr Integer ListRows = 10000;
constexpr Integer ListColumns = 4;
constexpr Integer LookupEntries = 100000;

// "Device 1234", "Port 5", "Group 12", "Note of row 1234" for every row.
const std::vector<std::array<String, ListColumns>>& ListTexts()
{
    static const std::vector<std::array<String, ListColumns>> T = [] {
        std::vector<std::array<String, ListColumns>> V;
        V.reserve(std::size_t(ListRows));
        for (Integer R = 0; R < ListRows; ++R)
            V.push_back({QStringLiteral("Device %1").arg(R), QStringLiteral("Port %1").arg(R % 8 + 1),
                         QStringLiteral("Group %1").arg(R % 50), QStringLiteral("Note of row %1").arg(R)});
        return V;
    }();
    return T;
}

// Six digits each, in a scrambled order, so that longer prefixes match ever
// later entries.
const QStringList& LookupTexts()
{
    static const QStringList T = [] {
        QStringList L;
        L.reserve(LookupEntries);
        for (Integer I = 0; I < LookupEntries; ++I)
            L.append(QStringLiteral("%1").arg((qint64(I) * 7919 + 13) % LookupEntries, 6, 10, QLatin1Char('0')));
        return L;
    }();
    return T;
}

// What is typed: the first five digits of the last entry.
String TypedText()
{
    return LookupTexts().back().left(5);
}

// The typed digits followed by the selected rest of a six-digit entry.
bool Completed(const String& Text, const String& Typed)
{
    return Text.size() == 6 && Text.startsWith(Typed);
}

void TypeInto(QWidget* W, const String& Text)
{
    for (const QChar Ch : Text) {
        const int Key = Qt::Key_0 + Ch.digitValue();
        QKeyEvent Press(QEvent::KeyPress, Key, Qt::NoModifier, QString(Ch));
        QApplication::sendEvent(W, &Press);
        QKeyEvent Release(QEvent::KeyRelease, Key, Qt::NoModifier, QString(Ch));
        QApplication::sendEvent(W, &Release);
    }
}

struct TBenchForm {
    TBenchForm()
    {
        bench::EnsureApplication();
        Form = std::make_unique<TForm>(nullptr);
        Form->SetClientWidth(800);
        Form->SetClientHeight(600);
        Form->Show();
    }
    std::unique_ptr<TForm> Form;
};

// ---------------------------------------------------------------- opening

struct TBenchMultiColumn : TBenchForm {
    TBenchMultiColumn()
    {
        D = NewObject<TExMultiColumnDropDown>(Form.get());
        D->SetParent(Form.get());
        D->SetBounds(10, 10, 200, D->Height());
        for (const char* Header : {"Device", "Port", "Group", "Note"}) {
            TDropDownColumn* C = D->Columns()->Add();
            C->SetHeader(QString::fromLatin1(Header));
            C->SetWidth(90);
        }
        D->Columns()->Items(0)->SetAutoSize(true);
        D->Columns()->Items(3)->SetAutoSize(true);
    }
    void Fill()
    {
        D->Items()->BeginUpdate();
        for (const auto& Row : ListTexts()) {
            TStringList* Text = D->Items()->Add()->Text();
            for (const String& S : Row)
                Text->Add(S);
        }
        D->Items()->EndUpdate();
    }
    void OpenAndClose()
    {
        D->ShowDropDown();
        QApplication::processEvents();
        benchmark::DoNotOptimize(D->ExColGrid()->ColWidths(3));
        D->HideDropDown(true);
    }
    TExMultiColumnDropDown* D = nullptr;
};

struct TBenchQtCombo : TBenchForm {
    TBenchQtCombo()
    {
        Combo = new QComboBox(Form->Handle());
        View = new QTableView(Combo);
        View->verticalHeader()->hide();
        View->setSelectionBehavior(QAbstractItemView::SelectRows);
        // Contents of every row count for the automatic widths, as in the
        // drop-down.
        View->horizontalHeader()->setResizeContentsPrecision(-1);
        Combo->setView(View);
        Combo->setGeometry(10, 10, 200, 24);
        Combo->show();
    }
    void Fill()
    {
        auto* Model = new QStandardItemModel(ListRows, ListColumns, Combo);
        Model->setHorizontalHeaderLabels({QStringLiteral("Device"), QStringLiteral("Port"), QStringLiteral("Group"),
                                          QStringLiteral("Note")});
        const auto& Rows = ListTexts();
        for (Integer R = 0; R < ListRows; ++R)
            for (Integer C = 0; C < ListColumns; ++C)
                Model->setItem(R, C, new QStandardItem(Rows[std::size_t(R)][std::size_t(C)]));
        Combo->setModel(Model);
    }
    void ShowAndHide()
    {
        View->resizeColumnToContents(0);
        View->resizeColumnToContents(3);
        Combo->showPopup();
        QApplication::processEvents();
        benchmark::DoNotOptimize(View->columnWidth(3));
        Combo->hidePopup();
    }
    QComboBox* Combo = nullptr;
    QTableView* View = nullptr;
};

// A new form each iteration: filling the rows and the first opening.
template <class Bench, void (Bench::*Open)()>
void FillAndOpen(benchmark::State& State)
{
    ListTexts();
    for (auto _ : State) {
        State.PauseTiming();
        auto B = std::make_unique<Bench>();
        State.ResumeTiming();
        B->Fill();
        ((*B).*Open)();
        State.PauseTiming();
        B.reset();
        State.ResumeTiming();
    }
}

void BM_MultiColumnFillAndOpen(benchmark::State& State)
{
    FillAndOpen<TBenchMultiColumn, &TBenchMultiColumn::OpenAndClose>(State);
}
BENCHMARK(BM_MultiColumnFillAndOpen)->Unit(benchmark::kMillisecond);

void BM_QtComboTableFillAndShow(benchmark::State& State)
{
    FillAndOpen<TBenchQtCombo, &TBenchQtCombo::ShowAndHide>(State);
}
BENCHMARK(BM_QtComboTableFillAndShow)->Unit(benchmark::kMillisecond);

void BM_MultiColumnOpen(benchmark::State& State)
{
    TBenchMultiColumn B;
    B.Fill();
    for (auto _ : State)
        B.OpenAndClose();
}
BENCHMARK(BM_MultiColumnOpen)->Unit(benchmark::kMillisecond);

void BM_QtComboTableShow(benchmark::State& State)
{
    TBenchQtCombo B;
    B.Fill();
    for (auto _ : State)
        B.ShowAndHide();
}
BENCHMARK(BM_QtComboTableShow)->Unit(benchmark::kMillisecond);

// ---------------------------------------------------------------- completion

void BM_MultiColumnCompletion(benchmark::State& State)
{
    TBenchForm F;
    auto* D = NewObject<TExMultiColumnDropDown>(F.Form.get());
    D->SetParent(F.Form.get());
    D->Columns()->Add();
    D->Items()->BeginUpdate();
    for (const String& S : LookupTexts())
        D->Items()->Add()->Text()->Add(S);
    D->Items()->EndUpdate();
    D->EndUpdate();
    const String Typed = TypedText();
    for (auto _ : State) {
        D->SetText(String());
        TypeInto(D->Handle(), Typed);
        benchmark::DoNotOptimize(D->ItemIndex());
    }
    if (D->ItemIndex() < 0 || !Completed(D->Text(), Typed) || D->SelLength() != 1)
        State.SkipWithError("the typed text did not complete");
}
BENCHMARK(BM_MultiColumnCompletion)->Unit(benchmark::kMillisecond);

void BM_QtCompleterInline(benchmark::State& State)
{
    TBenchForm F;
    auto* Edit = new QLineEdit(F.Form->Handle());
    auto* Completer = new QCompleter(LookupTexts(), Edit);
    Completer->setCompletionMode(QCompleter::InlineCompletion);
    Completer->setCaseSensitivity(Qt::CaseInsensitive);
    Completer->setModelSorting(QCompleter::UnsortedModel);
    Edit->setCompleter(Completer);
    Edit->show();
    // The line edit completes only while it has the focus.
    QApplication::setActiveWindow(F.Form->Handle());
    Edit->setFocus();
    const String Typed = TypedText();
    for (auto _ : State) {
        // The completer keeps the matches of earlier prefixes; a new model
        // starts it empty, as the drop-down's completion always is.
        State.PauseTiming();
        Edit->clear();
        Completer->setModel(new QStringListModel(LookupTexts(), Completer));
        State.ResumeTiming();
        TypeInto(Edit, Typed);
        benchmark::DoNotOptimize(Edit->text());
    }
    if (!Completed(Edit->text(), Typed) || Edit->selectedText().size() != 1)
        State.SkipWithError("the typed text did not complete");
}
BENCHMARK(BM_QtCompleterInline)->Unit(benchmark::kMillisecond);

} // namespace
