// Workbook reading: cell addresses, the choice of reader by the file's
// signature, and the Office Open XML reader.
#include "platform/WorkbookReader.h"

#include "platform/OfficePackage.h"
#include "platform/WorkbookReader_Biff.h"

#include <QFile>

#include <cstring>
#include <map>
#include <optional>
#include <vector>

namespace platform {

String ColumnLetters(int Col)
{
    String Letters;
    for (int N = Col; N > 0; N = (N - 1) / 26)
        Letters.prepend(QChar(u'A' + (N - 1) % 26));
    return Letters;
}

int ColumnNumber(QStringView Letters)
{
    if (Letters.isEmpty() || Letters.size() > 3)
        return 0;
    int Col = 0;
    for (const QChar C : Letters) {
        const char16_t U = C.toUpper().unicode();
        if (U < u'A' || U > u'Z')
            return 0;
        Col = Col * 26 + (U - u'A' + 1);
    }
    return Col <= WorkbookMaxCols ? Col : 0;
}

bool ParseCellAddress(QStringView Address, int& Col, int& Row)
{
    qsizetype I = 0;
    const auto SkipDollar = [&] {
        if (I < Address.size() && Address[I] == u'$')
            ++I;
    };
    SkipDollar();
    const qsizetype LettersStart = I;
    while (I < Address.size() && Address[I].isLetter())
        ++I;
    const int C = ColumnNumber(Address.mid(LettersStart, I - LettersStart));
    SkipDollar();
    if (C == 0 || I >= Address.size() || !Address[I].isDigit())
        return false;
    bool Ok = false;
    const int R = Address.mid(I).toInt(&Ok);
    if (!Ok || R < 1 || R > WorkbookMaxRows)
        return false;
    Col = C;
    Row = R;
    return true;
}

void TCellRange::Include(int Col, int Row)
{
    if (IsEmpty()) {
        FirstCol = LastCol = Col;
        FirstRow = LastRow = Row;
        return;
    }
    FirstCol = std::min(FirstCol, Col);
    LastCol = std::max(LastCol, Col);
    FirstRow = std::min(FirstRow, Row);
    LastRow = std::max(LastRow, Row);
}

namespace {

[[noreturn]] void WorkbookFail(const String& FileName, const String& Reason)
{
    throw EOfficeFileError(FileName + QStringLiteral(": ") + Reason);
}

// The text of a string item: its "t", or its runs' "t" joined.
String ItemText(const pugi::xml_node& Item)
{
    if (const pugi::xml_node T = ChildNamed(Item, "t"))
        return String::fromUtf8(T.text().get());
    String Text;
    ForChildren(Item, "r", [&](const pugi::xml_node& Run) { Text += String::fromUtf8(ChildNamed(Run, "t").text().get()); });
    return Text;
}

// Whether a number format shows a date or a time: built-in ones by id,
// others by a d, m, y, h or s outside quotes, escapes and brackets
// (elapsed-time brackets such as [h] count).
bool IsDateFormatCode(const String& Code)
{
    bool InQuote = false;
    for (qsizetype I = 0; I < Code.size(); ++I) {
        const QChar C = Code[I];
        if (C == u'"') {
            InQuote = !InQuote;
        } else if (InQuote) {
            continue;
        } else if (C == u'\\' || C == u'_' || C == u'*') {
            ++I;
        } else if (C == u'[') {
            const qsizetype End = Code.indexOf(u']', I);
            const String Inner = Code.mid(I + 1, End - I - 1).toLower();
            if (!Inner.isEmpty() && QStringLiteral("hms").contains(Inner[0]) && Inner.count(Inner[0]) == Inner.size())
                return true;
            if (End < 0)
                return false;
            I = End;
        } else if (QStringLiteral("dmyhsDMYHS").contains(C)) {
            return true;
        }
    }
    return false;
}

bool IsBuiltInDateFormat(int Id)
{
    return (Id >= 14 && Id <= 22) || (Id >= 45 && Id <= 47);
}

struct TSheetEntry {
    String Name;
    std::string Part;
};

class TOpenXmlWorkbook : public IWorkbookReader {
public:
    explicit TOpenXmlWorkbook(const String& FileName);
    QStringList SheetNames() const override;
    int ActiveSheet() const override { return FActive; }
    TCellRange UsedRange(int Sheet) override;
    void ReadCells(int Sheet, const std::function<void(const TWorkbookCell&)>& Visit) override;

private:
    [[noreturn]] void Fail(const String& Reason) const { WorkbookFail(FFileName, Reason); }
    std::map<std::string, std::pair<std::string, std::string>> Relationships(const std::string& Part) const;
    std::string RelatedPart(const std::map<std::string, std::pair<std::string, std::string>>& Rels,
                            const char* TypeTail) const;
    void ReadSheetList(const pugi::xml_node& Workbook,
                       const std::map<std::string, std::pair<std::string, std::string>>& Rels);
    void ReadSharedStrings();
    void ReadStyles();
    const pugi::xml_node& SheetRoot(int Sheet);
    // Walks the cells of a sheet with their positions.
    void WalkCells(int Sheet, const std::function<void(const pugi::xml_node&, int, int)>& Visit);
    std::optional<TWorkbookCell> CellValue(const pugi::xml_node& Cell) const;

    String FFileName;
    TOfficePackage FPackage;
    std::vector<TSheetEntry> FSheets;
    int FActive = 0;
    std::string FSharedStringsPart;
    std::string FStylesPart;
    std::vector<String> FSharedStrings;
    std::vector<bool> FDateStyles;
    int FLoadedSheet = -1;
    pugi::xml_document FSheetDoc;
    pugi::xml_node FSheetRoot;
};

TOpenXmlWorkbook::TOpenXmlWorkbook(const String& FileName)
    : FFileName(FileName), FPackage(FileName, TOfficePackage::TMode::pmRead)
{
    const auto RootRels = Relationships("");
    std::string WorkbookPart = RelatedPart(RootRels, "/officeDocument");
    if (WorkbookPart.empty())
        WorkbookPart = "xl/workbook.xml";
    if (!FPackage.Has(WorkbookPart))
        Fail(QStringLiteral("the package holds no workbook"));
    const pugi::xml_document Doc = FPackage.ReadXml(WorkbookPart);
    const pugi::xml_node Workbook = Doc.document_element();
    if (!IsNamed(Workbook, "workbook"))
        Fail(QStringLiteral("the package holds no workbook"));
    const auto Rels = Relationships(WorkbookPart);
    ReadSheetList(Workbook, Rels);
    FSharedStringsPart = RelatedPart(Rels, "/sharedStrings");
    FStylesPart = RelatedPart(Rels, "/styles");
}

// Id -> (type, resolved target part) of a part's relationships ("" for the
// package's own).
std::map<std::string, std::pair<std::string, std::string>> TOpenXmlWorkbook::Relationships(const std::string& Part) const
{
    std::map<std::string, std::pair<std::string, std::string>> Rels;
    const std::string RelsPart = Part.empty() ? "_rels/.rels" : RelationshipsPart(Part);
    if (!FPackage.Has(RelsPart))
        return Rels;
    const pugi::xml_document Doc = FPackage.ReadXml(RelsPart);
    ForChildren(Doc.document_element(), "Relationship", [&](const pugi::xml_node& Rel) {
        Rels[Rel.attribute("Id").value()] = {Rel.attribute("Type").value(),
                                            ResolvePartTarget(PartFolder(Part), Rel.attribute("Target").value())};
    });
    return Rels;
}

std::string TOpenXmlWorkbook::RelatedPart(const std::map<std::string, std::pair<std::string, std::string>>& Rels,
                                          const char* TypeTail) const
{
    for (const auto& [Id, Rel] : Rels)
        if (EndsWith(Rel.first.c_str(), TypeTail))
            return Rel.second;
    return std::string();
}

void TOpenXmlWorkbook::ReadSheetList(const pugi::xml_node& Workbook,
                                     const std::map<std::string, std::pair<std::string, std::string>>& Rels)
{
    int Tab = 0;
    const int ActiveTab = AttributeNamed(ChildNamed(ChildNamed(Workbook, "bookViews"), "workbookView"), "activeTab").as_int(0);
    bool ActiveFound = false;
    ForChildren(ChildNamed(Workbook, "sheets"), "sheet", [&](const pugi::xml_node& Sheet) {
        const auto Rel = Rels.find(AttributeNamed(Sheet, "id").value());
        if (Rel == Rels.end())
            Fail(QStringLiteral("sheet %1 points nowhere").arg(String::fromUtf8(Sheet.attribute("name").value())));
        if (EndsWith(Rel->second.first.c_str(), "/worksheet")) {
            if (Tab == ActiveTab)
                FActive = int(FSheets.size());
            FSheets.push_back({String::fromUtf8(Sheet.attribute("name").value()), Rel->second.second});
        }
        ActiveFound |= Tab == ActiveTab;
        ++Tab;
    });
    if (!ActiveFound && ActiveTab != 0)
        Fail(QStringLiteral("the active sheet %1 points nowhere").arg(ActiveTab));
}

QStringList TOpenXmlWorkbook::SheetNames() const
{
    QStringList Names;
    for (const TSheetEntry& Sheet : FSheets)
        Names << Sheet.Name;
    return Names;
}

void TOpenXmlWorkbook::ReadSharedStrings()
{
    if (FSharedStringsPart.empty() || !FSharedStrings.empty())
        return;
    const pugi::xml_document Doc = FPackage.ReadXml(FSharedStringsPart);
    ForChildren(Doc.document_element(), "si", [&](const pugi::xml_node& Item) { FSharedStrings.push_back(ItemText(Item)); });
}

void TOpenXmlWorkbook::ReadStyles()
{
    if (FStylesPart.empty() || !FDateStyles.empty())
        return;
    const pugi::xml_document Doc = FPackage.ReadXml(FStylesPart);
    const pugi::xml_node Styles = Doc.document_element();
    std::map<int, bool> CustomDates;
    ForChildren(ChildNamed(Styles, "numFmts"), "numFmt", [&](const pugi::xml_node& Format) {
        CustomDates[Format.attribute("numFmtId").as_int()] = IsDateFormatCode(String::fromUtf8(Format.attribute("formatCode").value()));
    });
    ForChildren(ChildNamed(Styles, "cellXfs"), "xf", [&](const pugi::xml_node& Xf) {
        const int Id = Xf.attribute("numFmtId").as_int();
        const auto Custom = CustomDates.find(Id);
        FDateStyles.push_back(Custom != CustomDates.end() ? Custom->second : IsBuiltInDateFormat(Id));
    });
}

const pugi::xml_node& TOpenXmlWorkbook::SheetRoot(int Sheet)
{
    if (Sheet < 0 || Sheet >= int(FSheets.size()))
        Fail(QStringLiteral("sheet %1 points nowhere").arg(Sheet + 1));
    if (FLoadedSheet != Sheet) {
        FLoadedSheet = -1;
        FSheetDoc = FPackage.ReadXml(FSheets[size_t(Sheet)].Part);
        FSheetRoot = FSheetDoc.document_element();
        if (!IsNamed(FSheetRoot, "worksheet"))
            Fail(QStringLiteral("sheet %1 is no worksheet").arg(FSheets[size_t(Sheet)].Name));
        FLoadedSheet = Sheet;
    }
    return FSheetRoot;
}

void TOpenXmlWorkbook::WalkCells(int Sheet, const std::function<void(const pugi::xml_node&, int, int)>& Visit)
{
    int Row = 0;
    ForChildren(ChildNamed(SheetRoot(Sheet), "sheetData"), "row", [&](const pugi::xml_node& RowNode) {
        Row = RowNode.attribute("r") ? RowNode.attribute("r").as_int() : Row + 1;
        if (Row < 1 || Row > WorkbookMaxRows)
            Fail(QStringLiteral("row %1 is out of range").arg(String::fromUtf8(RowNode.attribute("r").value())));
        int Col = 0;
        ForChildren(RowNode, "c", [&](const pugi::xml_node& Cell) {
            int CellRow = Row;
            if (const pugi::xml_attribute Ref = Cell.attribute("r")) {
                if (!ParseCellAddress(String::fromUtf8(Ref.value()), Col, CellRow))
                    Fail(QStringLiteral("cell address %1 is invalid").arg(String::fromUtf8(Ref.value())));
            } else if (++Col > WorkbookMaxCols) {
                Fail(QStringLiteral("row %1 holds too many cells").arg(Row));
            }
            Visit(Cell, Col, CellRow);
        });
    });
}

TCellRange TOpenXmlWorkbook::UsedRange(int Sheet)
{
    TCellRange Range;
    const String Ref = String::fromUtf8(AttributeNamed(ChildNamed(SheetRoot(Sheet), "dimension"), "ref").value());
    const QStringList Corners = Ref.split(u':');
    int C1 = 0, R1 = 0, C2 = 0, R2 = 0;
    if (Corners.size() <= 2 && ParseCellAddress(Corners.first(), C1, R1) && ParseCellAddress(Corners.last(), C2, R2)) {
        Range.Include(C1, R1);
        Range.Include(C2, R2);
    } else {
        WalkCells(Sheet, [&](const pugi::xml_node&, int Col, int Row) { Range.Include(Col, Row); });
    }
    if (Range.CellCount() > WorkbookMaxCells)
        Fail(QStringLiteral("the used range holds more than %1 cells").arg(WorkbookMaxCells));
    return Range;
}

void TOpenXmlWorkbook::ReadCells(int Sheet, const std::function<void(const TWorkbookCell&)>& Visit)
{
    const TCellRange Range = UsedRange(Sheet);
    ReadSharedStrings();
    ReadStyles();
    WalkCells(Sheet, [&](const pugi::xml_node& Node, int Col, int Row) {
        if (!Range.Contains(Col, Row))
            return;
        std::optional<TWorkbookCell> Cell = CellValue(Node);
        if (!Cell)
            return;
        Cell->Col = Col;
        Cell->Row = Row;
        Visit(*Cell);
    });
}

std::optional<TWorkbookCell> TOpenXmlWorkbook::CellValue(const pugi::xml_node& Node) const
{
    const std::string Type = Node.attribute("t").value();
    TWorkbookCell Cell;
    if (Type == "inlineStr") {
        Cell.Text = ItemText(ChildNamed(Node, "is"));
        return Cell;
    }
    const pugi::xml_node Value = ChildNamed(Node, "v");
    if (!Value)
        return std::nullopt;
    const char* Text = Value.text().get();
    if (Type == "s") {
        const pugi::xml_text V = Value.text();
        const long long Index = V.as_llong(-1);
        if (Index < 0 || Index >= qint64(FSharedStrings.size()))
            Fail(QStringLiteral("shared string %1 points nowhere").arg(String::fromUtf8(Text)));
        Cell.Text = FSharedStrings[size_t(Index)];
    } else if (Type == "str" || Type == "d") {
        Cell.Text = String::fromUtf8(Text);
    } else if (Type == "e") {
        Cell.Kind = TWorkbookValueKind::wvError;
        Cell.Text = String::fromUtf8(Text);
    } else if (Type == "b") {
        Cell.Kind = TWorkbookValueKind::wvBoolean;
        Cell.Number = Value.text().as_int() != 0 ? 1 : 0;
    } else {
        bool Ok = false;
        Cell.Number = String::fromUtf8(Text).trimmed().toDouble(&Ok);
        if (!Ok)
            Fail(QStringLiteral("cell value %1 is no number").arg(String::fromUtf8(Text)));
        const int Style = Node.attribute("s").as_int(0);
        const bool IsDate = Style >= 0 && Style < int(FDateStyles.size()) && FDateStyles[size_t(Style)];
        Cell.Kind = IsDate ? TWorkbookValueKind::wvDate : TWorkbookValueKind::wvNumber;
    }
    return Cell;
}

bool HasBiffSignature(const String& FileName)
{
    QFile File(FileName);
    return File.open(QIODevice::ReadOnly) && File.read(4) == QByteArray("\xD0\xCF\x11\xE0", 4);
}

} // namespace

std::unique_ptr<IWorkbookReader> OpenWorkbook(const String& FileName)
{
    if (HasZipSignature(FileName))
        return std::make_unique<TOpenXmlWorkbook>(FileName);
    if (HasBiffSignature(FileName))
        return OpenBiffWorkbook(FileName);
    if (!QFile::exists(FileName))
        WorkbookFail(FileName, QStringLiteral("the file does not exist"));
    WorkbookFail(FileName, QStringLiteral("the file is no workbook"));
}

} // namespace platform
