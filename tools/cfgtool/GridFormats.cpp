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

QString TFormatOptions::Text(const QString& Name, const QString& Default) const
{
    const auto Found = FValues.find(Name);
    return Found == FValues.end() ? Default : Found->second;
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

// The grid's text files: the own cell list (--unicode for UTF-16LE), the
// same list as a stream on a file, aligned text, CSV and fixed width.
bool UnicodeOption(const TFormatOptions& Options) { return Options.Has(QStringLiteral("--unicode")); }

void FillNumbers(TIntList& List, const TFormatOptions& Options, const QString& Name)
{
    for (const Integer Value : Options.Numbers(Name, 0))
        List.Add(Value);
}

void ExportText(TExStringGrid& Grid, const QString& File, const TFormatOptions& Options)
{
    Grid.SaveToFile(File, UnicodeOption(Options));
}

void ImportText(TExStringGrid& Grid, const QString& File, const TFormatOptions&) { Grid.LoadFromFile(File); }

void ExportStream(TExStringGrid& Grid, const QString& File, const TFormatOptions&)
{
    TFileStream Stream(File, fmCreate);
    Grid.SaveToStream(&Stream);
}

void ImportStream(TExStringGrid& Grid, const QString& File, const TFormatOptions&)
{
    TFileStream Stream(File, fmOpenRead | fmShareDenyNone);
    Grid.LoadFromStream(&Stream);
}

void ExportASCII(TExStringGrid& Grid, const QString& File, const TFormatOptions& Options)
{
    if (Options.Has(QStringLiteral("--append")))
        Grid.AppendToASCII(File, UnicodeOption(Options));
    else
        Grid.SaveToASCII(File, UnicodeOption(Options));
}

void ExportCSV(TExStringGrid& Grid, const QString& File, const TFormatOptions& Options)
{
    if (Options.Has(QStringLiteral("--append")))
        Grid.AppendToCSV(File, UnicodeOption(Options));
    else
        Grid.SaveToCSV(File, UnicodeOption(Options));
}

void ImportCSV(TExStringGrid& Grid, const QString& File, const TFormatOptions& Options)
{
    const Integer MaxRows = Options.Number(QStringLiteral("--max-rows"), 0);
    if (Options.Has(QStringLiteral("--insert")))
        Grid.InsertFromCSV(File, MaxRows);
    else
        Grid.LoadFromCSV(File, MaxRows);
}

void ExportFixed(TExStringGrid& Grid, const QString& File, const TFormatOptions& Options)
{
    TIntList Widths(0, 0);
    FillNumbers(Widths, Options, QStringLiteral("--widths"));
    Grid.SaveToFixed(File, &Widths);
}

void ImportFixed(TExStringGrid& Grid, const QString& File, const TFormatOptions& Options)
{
    TIntList Positions(0, 0);
    FillNumbers(Positions, Options, QStringLiteral("--positions"));
    Grid.LoadFromFixed(File, &Positions, Options.Has(QStringLiteral("--trim")),
                       Options.Number(QStringLiteral("--max-rows"), -1));
}

// HTML: the table document (--unicode for UTF-16LE, --append after the
// file's lines).
void ExportHTML(TExStringGrid& Grid, const QString& File, const TFormatOptions& Options)
{
    if (Options.Has(QStringLiteral("--append")))
        Grid.AppendToHTML(File, false, UnicodeOption(Options));
    else
        Grid.SaveToHTML(File, false, UnicodeOption(Options));
}

// XML: the list and record names, the field names "A,B,..." and whether
// empty cells are written; read with levels to rows and field names.
void ExportXML(TExStringGrid& Grid, const QString& File, const TFormatOptions& Options)
{
    TStringList Fields;
    const QString Names = Options.Text(QStringLiteral("--fields"), QString());
    if (!Names.isEmpty())
        for (const QString& Name : Names.split(u','))
            Fields.Add(Name);
    Grid.SaveToXML(File, Options.Text(QStringLiteral("--list"), QStringLiteral("LIST")),
                   Options.Text(QStringLiteral("--record"), QStringLiteral("ROW")),
                   Options.Has(QStringLiteral("--fields")) ? &Fields : nullptr, Options.Has(QStringLiteral("--empty")));
}

void ImportXML(TExStringGrid& Grid, const QString& File, const TFormatOptions& Options)
{
    Grid.LoadFromXML(File, Options.Has(QStringLiteral("--level-to-row")), Options.Has(QStringLiteral("--field-names")));
}

// Workbooks: a new one, or the named sheet of an existing one; read the
// active or the named sheet.
void ExportXLSX(TExStringGrid& Grid, const QString& File, const TFormatOptions& Options)
{
    if (Options.Has(QStringLiteral("--sheet")))
        Grid.SaveToXLSSheet(File, Options.Text(QStringLiteral("--sheet"), QString()));
    else
        Grid.SaveToXLS(File, true);
}

void ImportXLSX(TExStringGrid& Grid, const QString& File, const TFormatOptions& Options)
{
    if (Options.Has(QStringLiteral("--sheet")))
        Grid.LoadFromXLSSheet(File, Options.Text(QStringLiteral("--sheet"), QString()));
    else
        Grid.LoadFromXLS(File);
}

// Documents: a new one, or the table appended at a bookmark or at the end.
void ExportDOCX(TExStringGrid& Grid, const QString& File, const TFormatOptions& Options)
{
    if (Options.Has(QStringLiteral("--bookmark")))
        Grid.AppendToDoc(File, Options.Text(QStringLiteral("--bookmark"), QString()));
    else if (Options.Has(QStringLiteral("--append")))
        Grid.AppendToDoc(File, QString());
    else
        Grid.SaveToDOC(File, true);
}

// Access files: a table by name or a query.
void ImportMDB(TExStringGrid& Grid, const QString& File, const TFormatOptions& Options)
{
    if (Options.Has(QStringLiteral("--sql")))
        Grid.LoadFromMDBSQL(File, Options.Text(QStringLiteral("--sql"), QString()));
    else if (Options.Has(QStringLiteral("--table")))
        Grid.LoadFromMDBTable(File, Options.Text(QStringLiteral("--table"), QString()));
    else
        throw EExGridError(QStringLiteral("mdb import needs --table NAME or --sql QUERY"));
}

const TFormatOption UnicodeFlag{QStringLiteral("--unicode"), false};
const TFormatOption AppendFlag{QStringLiteral("--append"), false};
const TFormatOption MaxRowsOption{QStringLiteral("--max-rows"), true};

} // namespace

const std::map<QString, TGridFormat>& GridFormats()
{
    static const std::map<QString, TGridFormat> Table = {
        {QStringLiteral("bin"),
         {{{QStringLiteral("--rect"), true}}, ExportBin, {{QStringLiteral("--at"), true}}, ImportBin}},
        {QStringLiteral("text"), {{UnicodeFlag}, ExportText, {}, ImportText}},
        {QStringLiteral("stream"), {{}, ExportStream, {}, ImportStream}},
        {QStringLiteral("ascii"), {{UnicodeFlag, AppendFlag}, ExportASCII, {}, nullptr}},
        {QStringLiteral("csv"),
         {{UnicodeFlag, AppendFlag}, ExportCSV, {{QStringLiteral("--insert"), false}, MaxRowsOption}, ImportCSV}},
        {QStringLiteral("fixed"),
         {{{QStringLiteral("--widths"), true}},
          ExportFixed,
          {{QStringLiteral("--positions"), true}, {QStringLiteral("--trim"), false}, MaxRowsOption},
          ImportFixed}},
        {QStringLiteral("html"), {{UnicodeFlag, AppendFlag}, ExportHTML, {}, nullptr}},
        {QStringLiteral("xml"),
         {{{QStringLiteral("--list"), true},
           {QStringLiteral("--record"), true},
           {QStringLiteral("--fields"), true},
           {QStringLiteral("--empty"), false}},
          ExportXML,
          {{QStringLiteral("--level-to-row"), false}, {QStringLiteral("--field-names"), false}},
          ImportXML}},
        {QStringLiteral("xlsx"),
         {{{QStringLiteral("--sheet"), true}}, ExportXLSX, {{QStringLiteral("--sheet"), true}}, ImportXLSX}},
        {QStringLiteral("docx"), {{{QStringLiteral("--bookmark"), true}, AppendFlag}, ExportDOCX, {}, nullptr}},
        {QStringLiteral("mdb"),
         {{}, nullptr, {{QStringLiteral("--table"), true}, {QStringLiteral("--sql"), true}}, ImportMDB}},
    };
    return Table;
}

} // namespace cfgtool
