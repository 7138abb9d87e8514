// cfgtool colgrid SPEC [--load-stream FILE] [--load-positions INI SECTION]
//   [--move FROM TO]... [--save-stream FILE] [--save-positions INI SECTION] [--dump]
// A column grid (its defaults, 5 columns) on an offscreen form is loaded
// from SPEC, then the options run in that fixed order, the moves in the
// order given. SPEC is a UTF-8 file ("-" for none) of "Key=Value" lines:
// ColCount, FixedRows, FixedCols and "<item>.<Property>" (dotted for fonts
// and pens; "<item>.ComboItems.Add" and "<item>.Filter.Add" append a line).
// Exit code 1 when a step failed ("error: <message>"; the later steps still
// run), 2 for wrong arguments or a bad SPEC line, before anything runs.
#include "Command.h"
#include "TextLines.h"

#include "grid/control/ExCGrid.h"
#include "rtl/Forms.h"

#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace {

struct TSection {
    QString File;
    QString Name;
};

struct TColGridArgs {
    QString Spec;
    std::optional<QString> LoadStream;
    std::optional<TSection> LoadPositions;
    std::vector<std::pair<Integer, Integer>> Moves;
    std::optional<QString> SaveStream;
    std::optional<TSection> SavePositions;
    bool Dump = false;
};

struct TArgumentError {
    QString Message;
};

// A grid that can be marked as loading, as a window description's reader does.
class TSpecGrid : public TExColumnGrid {
public:
    using TExColumnGrid::TExColumnGrid;
    void BeginLoading() { Loading(); }
};

QString TakeValue(const QStringList& Args, qsizetype& I)
{
    if (I + 1 >= Args.size())
        throw TArgumentError{QStringLiteral("%1 needs a value").arg(Args[I])};
    return Args[++I];
}

Integer TakeIndex(const QStringList& Args, qsizetype& I)
{
    const QString Text = TakeValue(Args, I);
    bool Ok = false;
    const Integer Value = Text.toInt(&Ok);
    if (!Ok)
        throw TArgumentError{QStringLiteral("\"%1\" is no column index").arg(Text)};
    return Value;
}

template <typename T>
void SetOnce(std::optional<T>& Target, T Value, const QString& Option)
{
    if (Target)
        throw TArgumentError{QStringLiteral("%1 given twice").arg(Option)};
    Target = std::move(Value);
}

TColGridArgs ParseArgs(const QStringList& Args)
{
    if (Args.isEmpty() || Args[0].startsWith(QStringLiteral("--")))
        throw TArgumentError{QStringLiteral("usage: cfgtool colgrid SPEC [--load-stream FILE] [--load-positions INI "
                                            "SECTION] [--move FROM TO]... [--save-stream FILE] [--save-positions "
                                            "INI SECTION] [--dump]")};
    TColGridArgs Result;
    Result.Spec = Args[0];
    for (qsizetype I = 1; I < Args.size(); ++I) {
        const QString& Option = Args[I];
        if (Option == u"--load-stream") {
            SetOnce(Result.LoadStream, TakeValue(Args, I), Option);
        } else if (Option == u"--save-stream") {
            SetOnce(Result.SaveStream, TakeValue(Args, I), Option);
        } else if (Option == u"--load-positions" || Option == u"--save-positions") {
            TSection Section;
            Section.File = TakeValue(Args, I);
            Section.Name = TakeValue(Args, I);
            SetOnce(Option == u"--load-positions" ? Result.LoadPositions : Result.SavePositions, Section, Option);
        } else if (Option == u"--move") {
            const Integer From = TakeIndex(Args, I);
            Result.Moves.emplace_back(From, TakeIndex(Args, I));
        } else if (Option == u"--dump" && !Result.Dump) {
            Result.Dump = true;
        } else {
            throw TArgumentError{QStringLiteral("unknown or repeated option \"%1\"").arg(Option)};
        }
    }
    return Result;
}

// ---------------------------------------------------------------- SPEC

Integer SpecInteger(const QString& Value)
{
    return StrToInt(Value.trimmed());
}

TGridColumnItem* SpecItem(TExColumnGrid& Grid, const QString& Index)
{
    bool Ok = false;
    const int I = Index.toInt(&Ok);
    if (!Ok || I < 0 || I >= Grid.Columns()->Count())
        throw Exception(QStringLiteral("no column item \"%1\"").arg(Index));
    return Grid.Columns()->Items(I);
}

void ApplySpecValue(TExColumnGrid& Grid, const QString& Key, const QString& Value)
{
    if (Key == u"ColCount")
        return Grid.SetColCount(SpecInteger(Value));
    if (Key == u"FixedRows")
        return Grid.SetFixedRows(SpecInteger(Value));
    if (Key == u"FixedCols")
        return Grid.SetFixedCols(SpecInteger(Value));
    const qsizetype Dot = Key.indexOf(u'.');
    if (Dot <= 0)
        throw Exception(QStringLiteral("unknown key \"%1\"").arg(Key));
    TGridColumnItem* Item = SpecItem(Grid, Key.left(Dot));
    const QString Property = Key.mid(Dot + 1);
    if (Property == u"ComboItems.Add")
        Item->ComboItems()->Add(Value);
    else if (Property == u"Filter.Add")
        Item->Filter()->Add(Value);
    else
        SetColumnItemPropertyText(Item, Property, Value);
}

QStringList SpecLines(const QString& Spec)
{
    if (Spec == u"-")
        return {};
    try {
        return QString::fromUtf8(ReadFileBytes(Spec)).split(u'\n');
    } catch (const Exception& E) {
        throw TArgumentError{E.Message()};
    }
}

void ApplySpec(TExColumnGrid& Grid, const QString& Spec)
{
    const QStringList Lines = SpecLines(Spec);
    for (qsizetype N = 0; N < Lines.size(); ++N) {
        QString Line = Lines[N];
        if (Line.endsWith(u'\r'))
            Line.chop(1);
        if (Line.trimmed().isEmpty() || Line.startsWith(u'#'))
            continue;
        const qsizetype Equals = Line.indexOf(u'=');
        try {
            if (Equals < 0)
                throw Exception(QStringLiteral("no \"=\""));
            ApplySpecValue(Grid, Line.left(Equals).trimmed(), cfgtool::UnescapeText(Line.mid(Equals + 1)));
        } catch (const Exception& E) {
            throw TArgumentError{QStringLiteral("SPEC line %1: %2").arg(N + 1).arg(E.Message())};
        }
    }
}

// ---------------------------------------------------------------- steps

void LoadStream(TExColumnGrid& Grid, const QString& File)
{
    const QByteArray Bytes = ReadFileBytes(File);
    TMemoryStream Stream;
    Stream.WriteBuffer(Bytes.constData(), Integer(Bytes.size()));
    Stream.SetPosition(0);
    try {
        Grid.LoadColumnsFromStream(&Stream);
    } catch (const EReadError& E) {
        throw EReadError(QStringLiteral("%1: %2").arg(File, E.Message()));
    }
}

void SaveStream(TExColumnGrid& Grid, const QString& File)
{
    TMemoryStream Stream;
    Grid.SaveColumnsToStream(&Stream);
    WriteFileAtomically(File, QByteArrayView(static_cast<const char*>(Stream.Memory()), qsizetype(Stream.Size())));
}

void Dump(TExColumnGrid& Grid)
{
    QStringList Row0;
    for (Integer C = 0; C < Grid.AllColCount(); ++C)
        Row0.append(Grid.Cells(C, 0));
    QStringList DefIdx;
    for (int I = 0; I < Grid.Columns()->Count(); ++I)
        DefIdx.append(QString::number(Grid.Columns()->Items(I)->DefIdx()));
    cfgtool::Out(QStringLiteral("ColCount=%1").arg(Grid.ColCount()));
    cfgtool::Out(QStringLiteral("Count=%1").arg(Grid.Columns()->Count()));
    cfgtool::Out(QStringLiteral("Row0=") + Row0.join(u'\t'));
    cfgtool::Out(QStringLiteral("DefIdx=") + DefIdx.join(u','));
}

// The steps in their fixed order; a failed one is reported and the next runs.
std::vector<std::function<void()>> Steps(TExColumnGrid& Grid, const TColGridArgs& A)
{
    std::vector<std::function<void()>> Result;
    if (A.LoadStream)
        Result.push_back([&Grid, File = *A.LoadStream] { LoadStream(Grid, File); });
    if (A.LoadPositions)
        Result.push_back([&Grid, S = *A.LoadPositions] { Grid.LoadColumnPositions(S.File, S.Name); });
    for (const auto& [From, To] : A.Moves)
        Result.push_back([&Grid, From = From, To = To] { Grid.MoveColumn(From, To); });
    if (A.SaveStream)
        Result.push_back([&Grid, File = *A.SaveStream] { SaveStream(Grid, File); });
    if (A.SavePositions)
        Result.push_back([&Grid, S = *A.SavePositions] { Grid.SaveColumnPositions(S.File, S.Name); });
    if (A.Dump)
        Result.push_back([&Grid] { Dump(Grid); });
    return Result;
}

int RunColGrid(const QStringList& Args)
{
    TForm Form(nullptr);
    auto* Grid = new TSpecGrid(&Form);
    Grid->SetParent(&Form);
    std::vector<std::function<void()>> Run;
    try {
        const TColGridArgs A = ParseArgs(Args);
        Grid->BeginLoading();
        ApplySpec(*Grid, A.Spec);
        Grid->Loaded();
        Run = Steps(*Grid, A);
    } catch (const TArgumentError& E) {
        cfgtool::Err(QStringLiteral("error: ") + E.Message);
        return 2;
    }
    int Result = 0;
    for (const std::function<void()>& Step : Run) {
        try {
            Step();
        } catch (const Exception& E) {
            cfgtool::Err(QStringLiteral("error: ") + E.Message());
            Result = 1;
        }
    }
    return Result;
}

const cfgtool::CfgCommand ColGridCommand("colgrid", RunColGrid);

} // namespace
