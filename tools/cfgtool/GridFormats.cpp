// The file formats of the grid-run commands export and import: one entry
// per format, with the options it takes.
#include "GridScript.h"

#include "grid/control/ExGrid.h"

namespace cfgtool {

TFormatOptions::TFormatOptions(const QStringList& Args, const std::vector<TFormatOption>& Allowed)
{
    for (qsizetype I = 0; I < Args.size(); ++I) {
        const auto Option = std::find_if(Allowed.begin(), Allowed.end(),
                                         [&](const TFormatOption& O) { return O.Name == Args[I]; });
        if (Option == Allowed.end())
            throw TScriptError{QStringLiteral("unknown option \"%1\"").arg(Args[I])};
        if (Option->HasValue && I + 1 == Args.size())
            throw TScriptError{QStringLiteral("%1 needs a value").arg(Args[I])};
        const QString& Name = Args[I];
        FValues[Name] = Option->HasValue ? Args[++I] : QString();
    }
}

std::vector<Integer> TFormatOptions::Numbers(const QString& Name, int Count) const
{
    const auto Found = FValues.find(Name);
    if (Found == FValues.end())
        return {};
    std::vector<Integer> Values;
    for (const QString& Item : Found->second.split(u',')) {
        bool Ok = false;
        Values.push_back(Item.toInt(&Ok));
        if (!Ok)
            throw TScriptError{QStringLiteral("%1: not a number: \"%2\"").arg(Name, Item)};
    }
    if (Count > 0 && int(Values.size()) != Count)
        throw TScriptError{QStringLiteral("%1 takes %2 numbers").arg(Name).arg(Count)};
    return Values;
}

Integer TFormatOptions::Number(const QString& Name, Integer Default) const
{
    return Has(Name) ? Numbers(Name, 1).front() : Default;
}

namespace {

// The grid's own binary cell block: the whole savable area, or with
// --rect L,T,R,B that rectangle; read at (0, 0), or with --at C,R there.
void ExportBin(TExStringGrid& Grid, const QString& File, const TFormatOptions& Options)
{
    const std::vector<Integer> Rect = Options.Numbers(QStringLiteral("--rect"), 4);
    if (Rect.empty()) {
        Grid.SaveToBinFile(File);
        return;
    }
    TMemoryStream Stream;
    Grid.SaveRectToBinStream(TRect(Rect[0], Rect[1], Rect[2], Rect[3]), &Stream);
    Stream.SaveToFile(File);
}

void ImportBin(TExStringGrid& Grid, const QString& File, const TFormatOptions& Options)
{
    const std::vector<Integer> At = Options.Numbers(QStringLiteral("--at"), 2);
    if (At.empty()) {
        Grid.LoadFromBinFile(File);
        return;
    }
    TMemoryStream Stream;
    Stream.LoadFromFile(File);
    Grid.LoadAtPointFromBinStream(TPoint(At[0], At[1]), &Stream);
}

} // namespace

const std::map<QString, TGridFormat>& GridFormats()
{
    static const std::map<QString, TGridFormat> Table = {
        {QStringLiteral("bin"), {{{QStringLiteral("--rect"), true}}, ExportBin, {{QStringLiteral("--at"), true}}, ImportBin}},
    };
    return Table;
}

} // namespace cfgtool
