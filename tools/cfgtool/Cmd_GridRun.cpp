// cfgtool grid-run SCRIPT: runs a script of grid operations on one string
// grid (800 x 600, on an offscreen form) and prints what the script asks.
// SCRIPT is a UTF-8 file or "-" for standard input; one command a line,
// arguments separated by one blank, a TEXT argument the rest of the line;
// blank lines and lines starting with "#" are skipped. A grid exception
// prints "error: <message>" and the script goes on (exit code 1); an unknown
// command or a malformed argument stops it with exit code 2.
//
// cfgtool grid-export FORMAT SCRIPT OUT_FILE [options] and cfgtool
// grid-import FORMAT IN_FILE [SCRIPT] [options] run a script, then one
// export or import (and after an import the listing), with the same exit
// codes.
#include "Command.h"
#include "GridScript.h"
#include "TextLines.h"

#include "grid/control/ExGrid.h"
#include "rtl/Forms.h"

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QTextStream>
#include <QtTest/QTest>

#include <cstdio>
#include <functional>
#include <memory>
#include <optional>

namespace {

// One grid on its form; "new" replaces the grid.
class TGridRun {
public:
    TGridRun() : FForm(std::make_unique<TForm>(nullptr)) { NewGrid(); }

    TExStringGrid& Grid() { return *FGrid; }
    // The client area as the grid paints it on the shown form, without the
    // focus.
    void Render(const QString& File)
    {
        if (!FForm->Visible()) {
            FForm->SetClientWidth(FGrid->Width());
            FForm->SetClientHeight(FGrid->Height());
            FForm->Show();
            QTest::qWaitForWindowExposed(FForm->Handle());
        }
        if (QWidget* Focus = QApplication::focusWidget())
            Focus->clearFocus();
        QApplication::processEvents();
        if (!FGrid->ClientWidget()->grab().toImage().save(File, "PNG"))
            throw Exception(QStringLiteral("cannot write %1").arg(File));
    }
    void NewGrid()
    {
        delete FGrid;
        FGrid = new TExStringGrid(FForm.get());
        FGrid->SetParent(FForm.get());
        FGrid->SetBounds(0, 0, 800, 600);
        FGrid->OnCheckBoxChange = [](TObject*, Integer C, Integer R, bool State) {
            cfgtool::Out(QStringLiteral("event checkboxchange %1 %2 %3").arg(C).arg(R).arg(State ? 1 : 0));
        };
    }

private:
    std::unique_ptr<TForm> FForm;
    TExStringGrid* FGrid = nullptr;
};

using cfgtool::TScriptError;

struct TLine {
    QStringList Args;  // the blank-separated arguments
    QString Rest;  // the line after the command and its numbers
};

Integer Number(const QString& Text)
{
    bool Ok = false;
    const Integer Value = Text.toInt(&Ok);
    if (!Ok)
        throw TScriptError{QStringLiteral("not a number: \"%1\"").arg(Text)};
    return Value;
}

// The Count numbers after the command; with Text, the rest of the line is
// the text argument, otherwise nothing may follow.
std::vector<Integer> Numbers(const QString& Line, const QString& Command, int Count, bool Text, QString* TextOut)
{
    QString Rest = Line.mid(Command.size());
    std::vector<Integer> Values;
    for (int I = 0; I < Count; ++I) {
        if (!Rest.startsWith(u' '))
            throw TScriptError{QStringLiteral("%1 needs %2 numbers").arg(Command).arg(Count)};
        Rest.remove(0, 1);
        const qsizetype End = Rest.indexOf(u' ');
        Values.push_back(Number(Rest.left(End)));
        Rest = End < 0 ? QString() : Rest.mid(End);
    }
    if (Text) {
        *TextOut = Rest.startsWith(u' ') ? Rest.mid(1) : Rest;
    } else if (!Rest.isEmpty()) {
        throw TScriptError{QStringLiteral("%1 takes %2 numbers").arg(Command).arg(Count)};
    }
    return Values;
}

QString Joined(const QString& Head, const std::vector<Integer>& Values)
{
    QString Line = Head;
    for (const Integer V : Values)
        Line += u' ' + QString::number(V);
    return Line;
}

void Dump(TExStringGrid& G)
{
    cfgtool::Out(QStringLiteral("grid cols=%1 hiddencols=%2 rows=%3 hiddenrows=%4 fixedcols=%5 fixedrows=%6")
                     .arg(G.ColCount())
                     .arg(G.NumHiddenColumns())
                     .arg(G.RowCount())
                     .arg(G.NumHiddenRows())
                     .arg(G.FixedCols())
                     .arg(G.FixedRows()));
    std::vector<Integer> Widths, RealCols, RealRows;
    for (Integer C = 0; C < G.ColCount(); ++C) {
        Widths.push_back(G.ColWidths(C));
        RealCols.push_back(G.RealColIndex(C));
    }
    for (Integer R = 0; R < G.RowCount(); ++R)
        RealRows.push_back(G.RealRowIndex(R));
    cfgtool::Out(Joined(QStringLiteral("widths"), Widths));
    cfgtool::Out(Joined(QStringLiteral("realcols"), RealCols));
    cfgtool::Out(Joined(QStringLiteral("realrows"), RealRows));
    for (Integer R = 0; R < G.RowCount(); ++R) {
        QString Line = QStringLiteral("row %1 %2").arg(R).arg(G.RowHeights(R));
        for (Integer C = 0; C < G.ColCount(); ++C)
            Line += u'\t' + G.Cells(G.RealColIndex(C), R);
        cfgtool::Out(Line);
    }
}

void DumpAll(TExStringGrid& G)
{
    for (Integer R = 0; R < G.AllRowCount(); ++R) {
        QString Line = QStringLiteral("all %1").arg(R);
        for (Integer C = 0; C < G.AllColCount(); ++C)
            Line += u'\t' + G.AllCells(C, R);
        cfgtool::Out(Line);
    }
}

void HideRowList(TExStringGrid& G, const QString& List)
{
    TIntList Rows(0, 0);
    for (const QString& Item : List.split(u','))
        Rows.Add(Number(Item));
    G.HideRowList(&Rows);
}

// "TRUE FALSE": the grid's two check texts.
void SetCheckTexts(TExStringGrid& G, const QString& Text)
{
    const QStringList Parts = Text.split(u' ');
    if (Parts.size() != 2)
        throw TScriptError{QStringLiteral("checktexts needs TRUE FALSE")};
    G.SetCheckTrue(Parts[0]);
    G.SetCheckFalse(Parts[1]);
}

TCheckBoxState CheckBoxStateOf(Integer Ordinal)
{
    if (Ordinal < 0 || Ordinal > 2)
        throw TScriptError{QStringLiteral("tristate takes 0, 1 or 2")};
    return TCheckBoxState(Ordinal);
}

void PrintCheck(TExStringGrid& G, Integer C, Integer R)
{
    TCheckBoxState State = cbUnchecked;
    const bool Has = G.GetCheckBoxState(C, R, State);
    cfgtool::Out(QStringLiteral("check %1 %2 %3").arg(C).arg(R).arg(Has ? QString::number(int(State)) : QStringLiteral("none")));
}

void PrintNodes(TExStringGrid& G)
{
    for (Integer R = 0; R < G.RowCount(); ++R)
        if (G.IsNode(R))
            cfgtool::Out(QStringLiteral("node %1 span=%2 level=%3 contracted=%4")
                             .arg(R)
                             .arg(G.GetNodeSpan(R))
                             .arg(G.GetNodeLevel(R))
                             .arg(G.GetNodeState(R) ? 1 : 0));
}

// "FILE SECTION": the column sizes go to that section of that INI file.
void UseIniFile(TExStringGrid& G, const QString& Text)
{
    const qsizetype Blank = Text.indexOf(u' ');
    if (Blank <= 0 || Blank == Text.size() - 1)
        throw TScriptError{QStringLiteral("colsize needs FILE SECTION")};
    G.ColumnSize()->SetLocation(clIniFile);
    G.ColumnSize()->SetKey(Text.left(Blank));
    G.ColumnSize()->SetSection(Text.mid(Blank + 1));
}

// "glStandard" .. "glOffice2007" or "glCustom".
void SetLookByName(TExStringGrid& G, const QString& Name)
{
    const Integer Look = GetEnumValue<TGridLook>(Name);
    if (Look < 0)
        throw TScriptError{QStringLiteral("unknown look \"%1\"").arg(Name)};
    G.SetLook(TGridLook(Look));
}

// A colour number: decimal or "$" and hexadecimal digits, any 32-bit pattern.
TColor ColorNumber(const QString& Text)
{
    bool Ok = false;
    const qulonglong Value = Text.startsWith(u'$') ? Text.mid(1).toULongLong(&Ok, 16) : Text.toLongLong(&Ok) & 0xFFFFFFFFu;
    if (!Ok || Value > 0xFFFFFFFFu)
        throw TScriptError{QStringLiteral("not a colour: \"%1\"").arg(Text)};
    return TColor(Cardinal(Value));
}

// A progress bar from its bar and background colour numbers, "FG BK".
void AddProgressBar(TExStringGrid& G, Integer C, Integer R, const QString& Colours)
{
    const QStringList Parts = Colours.split(u' ');
    if (Parts.size() != 2)
        throw TScriptError{QStringLiteral("progress needs FGCOLOR BKCOLOR")};
    G.AddProgress(C, R, ColorNumber(Parts[0]), ColorNumber(Parts[1]));
}

// "FORMAT FILE [options]": one export or import through the format table.
void RunFileAction(TGridRun& Run, bool Export, const QStringList& Words)
{
    if (Words.size() < 2 || Words[1].isEmpty())
        throw TScriptError{QStringLiteral("%1 needs FORMAT FILE").arg(QLatin1String(Export ? "export" : "import"))};
    const auto Format = cfgtool::GridFormats().find(Words[0]);
    if (Format == cfgtool::GridFormats().end())
        throw TScriptError{QStringLiteral("unknown format \"%1\"").arg(Words[0])};
    const cfgtool::TGridFileAction& Action = Export ? Format->second.Export : Format->second.Import;
    if (!Action)
        throw TScriptError{QStringLiteral("format %1 has no %2").arg(Words[0], QLatin1String(Export ? "export" : "import"))};
    const cfgtool::TFormatOptions Options(Words.mid(2), Export ? Format->second.ExportOptions
                                                              : Format->second.ImportOptions);
    Action(Run.Grid(), Words[1], Options);
}

// The commands: how many numbers each takes, whether a text follows, and
// what it does with them.
struct TCommand {
    int Count;
    bool Text;
    std::function<void(TGridRun& Run, const std::vector<Integer>& N, const QString& Text)> Run;
};

const std::map<QString, TCommand>& Commands()
{
    using V = const std::vector<Integer>&;
    using T = const QString&;
    static const std::map<QString, TCommand> Table = {
        {QStringLiteral("new"), {4, false, [](TGridRun& Run, V N, T) {
             Run.NewGrid();
             TExStringGrid& G = Run.Grid();
             G.SetColCount(N[0]);
             G.SetRowCount(N[1]);
             G.SetFixedCols(N[2]);
             G.SetFixedRows(N[3]);
         }}},
        {QStringLiteral("cell"), {2, true, [](TGridRun& Run, V N, T S) { Run.Grid().SetCells(N[0], N[1], S); }}},
        {QStringLiteral("allcell"), {2, true, [](TGridRun& Run, V N, T S) { Run.Grid().SetAllCells(N[0], N[1], S); }}},
        {QStringLiteral("colwidth"), {2, false, [](TGridRun& Run, V N, T) { Run.Grid().SetColWidths(N[0], N[1]); }}},
        {QStringLiteral("rowheight"), {2, false, [](TGridRun& Run, V N, T) { Run.Grid().SetRowHeights(N[0], N[1]); }}},
        {QStringLiteral("colcount"), {1, false, [](TGridRun& Run, V N, T) { Run.Grid().SetColCount(N[0]); }}},
        {QStringLiteral("rowcount"), {1, false, [](TGridRun& Run, V N, T) { Run.Grid().SetRowCount(N[0]); }}},
        {QStringLiteral("hidecols"), {2, false, [](TGridRun& Run, V N, T) { Run.Grid().HideColumns(N[0], N[1]); }}},
        {QStringLiteral("unhidecols"), {2, false, [](TGridRun& Run, V N, T) { Run.Grid().UnHideColumns(N[0], N[1]); }}},
        {QStringLiteral("unhidecolsall"), {0, false, [](TGridRun& Run, V, T) { Run.Grid().UnHideColumnsAll(); }}},
        {QStringLiteral("hiderows"), {2, false, [](TGridRun& Run, V N, T) { Run.Grid().HideRows(N[0], N[1]); }}},
        {QStringLiteral("unhiderows"), {2, false, [](TGridRun& Run, V N, T) { Run.Grid().UnHideRows(N[0], N[1]); }}},
        {QStringLiteral("unhiderowsall"), {0, false, [](TGridRun& Run, V, T) { Run.Grid().UnHideRowsAll(); }}},
        {QStringLiteral("hiderowlist"), {0, true, [](TGridRun& Run, V, T S) { HideRowList(Run.Grid(), S); }}},
        {QStringLiteral("unhiderowlist"), {0, false, [](TGridRun& Run, V, T) {
             TExStringGrid& G = Run.Grid();
             G.UnHideRowList();
             // As removing the last filter does.
             if (G.FilterLevel() > 0)
                 G.SetFilterLevel(G.FilterLevel() - 1);
         }}},
        {QStringLiteral("insertrows"), {2, false, [](TGridRun& Run, V N, T) { Run.Grid().InsertRows(N[0], N[1], true); }}},
        {QStringLiteral("removerows"), {2, false, [](TGridRun& Run, V N, T) { Run.Grid().RemoveRows(N[0], N[1]); }}},
        {QStringLiteral("moverows"), {3, false, [](TGridRun& Run, V N, T) { Run.Grid().MoveRows(N[0], N[1], N[2]); }}},
        {QStringLiteral("movecolumn"), {2, false, [](TGridRun& Run, V N, T) { Run.Grid().MoveColumn(N[0], N[1]); }}},
        {QStringLiteral("moverow"), {2, false, [](TGridRun& Run, V N, T) { Run.Grid().MoveRow(N[0], N[1]); }}},
        {QStringLiteral("checktexts"), {0, true, [](TGridRun& Run, V, T S) { SetCheckTexts(Run.Grid(), S); }}},
        {QStringLiteral("checkbox"), {4, false, [](TGridRun& Run, V N, T) {
             Run.Grid().AddCheckBox(N[0], N[1], N[2] != 0, N[3] != 0);
         }}},
        {QStringLiteral("tristate"), {3, false, [](TGridRun& Run, V N, T) {
             Run.Grid().AddCheckBox(N[0], N[1], CheckBoxStateOf(N[2]));
         }}},
        {QStringLiteral("checkcolumn"), {3, false, [](TGridRun& Run, V N, T) {
             Run.Grid().AddCheckBoxColumn(N[0], N[1] != 0, N[2] != 0);
         }}},
        {QStringLiteral("toggle"), {2, false, [](TGridRun& Run, V N, T) { Run.Grid().ToggleCheckBox(N[0], N[1]); }}},
        {QStringLiteral("setcheck"), {3, false, [](TGridRun& Run, V N, T) {
             Run.Grid().SetCheckBoxState(N[0], N[1], N[2] != 0);
         }}},
        {QStringLiteral("getcheck"), {2, false, [](TGridRun& Run, V N, T) { PrintCheck(Run.Grid(), N[0], N[1]); }}},
        {QStringLiteral("selectrange"), {4, false, [](TGridRun& Run, V N, T) {
             Run.Grid().SelectRange(N[0], N[2], N[1], N[3]);
         }}},
        {QStringLiteral("colstates"), {0, false, [](TGridRun& Run, V, T) {
             cfgtool::Out(QStringLiteral("colstates ") + Run.Grid().ColumnStatesToString());
         }}},
        {QStringLiteral("setcolstates"), {0, true, [](TGridRun& Run, V, T S) { Run.Grid().StringToColumnStates(S); }}},
        {QStringLiteral("colsize"), {0, true, [](TGridRun& Run, V, T S) { UseIniFile(Run.Grid(), S); }}},
        {QStringLiteral("savecolsizes"), {0, false, [](TGridRun& Run, V, T) { Run.Grid().SaveColSizes(); }}},
        {QStringLiteral("loadcolsizes"), {0, false, [](TGridRun& Run, V, T) { Run.Grid().LoadColSizes(); }}},
        {QStringLiteral("look"), {0, true, [](TGridRun& Run, V, T S) { SetLookByName(Run.Grid(), S); }}},
        {QStringLiteral("color"), {2, true, [](TGridRun& Run, V N, T S) {
             Run.Grid().SetColors(N[0], N[1], ColorNumber(S));
         }}},
        {QStringLiteral("mixer"), {2, false, [](TGridRun& Run, V N, T) {
             Run.Grid().SetSelectionColorMixer(N[0] != 0);
             Run.Grid().SetSelectionColorMixerFactor(N[1]);
         }}},
        {QStringLiteral("progress"), {2, true, [](TGridRun& Run, V N, T S) { AddProgressBar(Run.Grid(), N[0], N[1], S); }}},
        {QStringLiteral("render"), {0, true, [](TGridRun& Run, V, T S) { Run.Render(S); }}},
        {QStringLiteral("node"), {2, false, [](TGridRun& Run, V N, T) { Run.Grid().AddNode(N[0], N[1]); }}},
        {QStringLiteral("contract"), {1, false, [](TGridRun& Run, V N, T) { Run.Grid().ContractNode(N[0]); }}},
        {QStringLiteral("expand"), {1, false, [](TGridRun& Run, V N, T) { Run.Grid().ExpandNode(N[0]); }}},
        {QStringLiteral("contractall"), {0, false, [](TGridRun& Run, V, T) { Run.Grid().ContractAll(); }}},
        {QStringLiteral("expandall"), {0, false, [](TGridRun& Run, V, T) { Run.Grid().ExpandAll(); }}},
        {QStringLiteral("nodes"), {0, false, [](TGridRun& Run, V, T) { PrintNodes(Run.Grid()); }}},
        {QStringLiteral("footers"), {1, false, [](TGridRun& Run, V N, T) { Run.Grid().SetFixedFooters(N[0]); }}},
        {QStringLiteral("rightcols"), {1, false, [](TGridRun& Run, V N, T) { Run.Grid().SetFixedRightCols(N[0]); }}},
        {QStringLiteral("linearfill"), {1, false, [](TGridRun& Run, V N, T) { Run.Grid().LinearFill(N[0] != 0); }}},
        {QStringLiteral("textfill"), {1, true, [](TGridRun& Run, V N, T S) { Run.Grid().TextFill(N[0] != 0, S); }}},
        {QStringLiteral("formatfill"), {1, true, [](TGridRun& Run, V N, T S) { Run.Grid().FormatFill(N[0] != 0, S); }}},
        {QStringLiteral("celltext"), {2, true, [](TGridRun& Run, V N, T S) {
             Run.Grid().SetCells(N[0], N[1], cfgtool::UnescapeText(S));
         }}},
        {QStringLiteral("set"), {0, true, [](TGridRun& Run, V, T S) {
             cfgtool::SetGridSetting(Run.Grid(), S.section(u' ', 0, 0), S.section(u' ', 1));
         }}},
        {QStringLiteral("prop"), {2, true, [](TGridRun& Run, V N, T S) {
             cfgtool::SetCellProperty(Run.Grid(), N[0], N[1], S.section(u' ', 0, 0), S.section(u' ', 1));
         }}},
        {QStringLiteral("merge"), {4, false, [](TGridRun& Run, V N, T) { Run.Grid().MergeCells(N[0], N[1], N[2], N[3]); }}},
        {QStringLiteral("export"), {0, true, [](TGridRun& Run, V, T S) { RunFileAction(Run, true, S.split(u' ')); }}},
        {QStringLiteral("import"), {0, true, [](TGridRun& Run, V, T S) { RunFileAction(Run, false, S.split(u' ')); }}},
        {QStringLiteral("listing"), {0, false, [](TGridRun& Run, V, T) { cfgtool::PrintListing(Run.Grid()); }}},
        {QStringLiteral("dump"), {0, false, [](TGridRun& Run, V, T) { Dump(Run.Grid()); }}},
        {QStringLiteral("dumpall"), {0, false, [](TGridRun& Run, V, T) { DumpAll(Run.Grid()); }}},
    };
    return Table;
}

std::optional<QString> ReadScript(const QString& Path)
{
    QFile File;
    const bool Opened = Path == QLatin1String("-") ? File.open(stdin, QIODevice::ReadOnly)
                                                   : (File.setFileName(Path), File.open(QIODevice::ReadOnly));
    if (!Opened)
        return std::nullopt;
    return QString::fromUtf8(File.readAll());
}

// Runs Step; false when it raised a grid exception, whose message is printed.
template <class F>
bool Guarded(F&& Step)
{
    try {
        Step();
        return true;
    } catch (const Exception& E) {
        cfgtool::Out(QStringLiteral("error: ") + E.Message());
        return false;
    }
}

// Runs one line of a script: false when it raised (the message printed);
// a malformed line throws TScriptError.
bool RunLine(TGridRun& Run, const QString& Line)
{
    const QString Name = Line.section(u' ', 0, 0);
    const auto Found = Commands().find(Name);
    if (Found == Commands().end())
        throw TScriptError{QStringLiteral("unknown command \"%1\"").arg(Name)};
    const TCommand& Command = Found->second;
    QString Text;
    const std::vector<Integer> N = Numbers(Line, Name, Command.Count, Command.Text, &Text);
    return Guarded([&] { Command.Run(Run, N, Text); });
}

// The exit code of a script: 0, 1 when a line raised, 2 when a line is
// malformed (reported on standard error with its number).
int RunScript(TGridRun& Run, const QString& Script, const QString& Tool)
{
    bool Raised = false;
    const QStringList Lines = Script.split(u'\n');
    for (qsizetype I = 0; I < Lines.size(); ++I) {
        QString Line = Lines[I];
        if (Line.endsWith(u'\r'))
            Line.chop(1);
        if (Line.trimmed().isEmpty() || Line.startsWith(u'#'))
            continue;
        try {
            Raised |= !RunLine(Run, Line);
        } catch (const TScriptError& E) {
            std::fflush(stdout);
            cfgtool::Err(QStringLiteral("%1: line %2: %3").arg(Tool).arg(I + 1).arg(E.Message));
            return 2;
        }
    }
    return Raised ? 1 : 0;
}

int GridRun(const QStringList& Args)
{
    if (Args.size() != 1) {
        cfgtool::Err(QStringLiteral("usage: cfgtool grid-run SCRIPT (a file, or - for standard input)"));
        return 2;
    }
    const std::optional<QString> Script = ReadScript(Args.front());
    if (!Script) {
        cfgtool::Err(QStringLiteral("grid-run: cannot read %1").arg(Args.front()));
        return 2;
    }
    TGridRun Run;
    const int Code = RunScript(Run, *Script, QStringLiteral("grid-run"));
    std::fflush(stdout);
    return Code;
}

// The script (file or "-"), then the export or import of FORMAT FILE with
// the options; after an import the listing, also when it failed.
int ScriptThenFile(const QString& Tool, const std::optional<QString>& ScriptPath, bool Export, const QStringList& Words)
{
    TGridRun Run;
    int Code = 0;
    if (ScriptPath) {
        const std::optional<QString> Script = ReadScript(*ScriptPath);
        if (!Script) {
            cfgtool::Err(QStringLiteral("%1: cannot read %2").arg(Tool, *ScriptPath));
            return 2;
        }
        Code = RunScript(Run, *Script, Tool);
    } else {
        Code = RunScript(Run, QStringLiteral("new 1 1 0 0"), Tool);
    }
    if (Code == 2)
        return 2;
    try {
        if (!Guarded([&] { RunFileAction(Run, Export, Words); }))
            Code = 1;
    } catch (const TScriptError& E) {
        std::fflush(stdout);
        cfgtool::Err(QStringLiteral("%1: %2").arg(Tool, E.Message));
        return 2;
    }
    if (!Export)
        cfgtool::PrintListing(Run.Grid());
    std::fflush(stdout);
    return Code;
}

int GridExport(const QStringList& Args)
{
    if (Args.size() < 3) {
        cfgtool::Err(QStringLiteral("usage: cfgtool grid-export FORMAT SCRIPT OUT_FILE [options]"));
        return 2;
    }
    return ScriptThenFile(QStringLiteral("grid-export"), Args[1], true, QStringList{Args[0], Args[2]} + Args.mid(3));
}

int GridImport(const QStringList& Args)
{
    if (Args.size() < 2) {
        cfgtool::Err(QStringLiteral("usage: cfgtool grid-import FORMAT IN_FILE [SCRIPT] [options]"));
        return 2;
    }
    const bool HasScript = Args.size() > 2 && !Args[2].startsWith(QLatin1String("--"));
    const std::optional<QString> ScriptPath = HasScript ? std::optional<QString>(Args[2]) : std::nullopt;
    return ScriptThenFile(QStringLiteral("grid-import"), ScriptPath, false,
                          QStringList{Args[0], Args[1]} + Args.mid(HasScript ? 3 : 2));
}

const cfgtool::CfgCommand gridRunCommand("grid-run", GridRun);
const cfgtool::CfgCommand gridExportCommand("grid-export", GridExport);
const cfgtool::CfgCommand gridImportCommand("grid-import", GridImport);

} // namespace
