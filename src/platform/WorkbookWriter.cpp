#include "platform/WorkbookWriter.h"

#include "platform/WorkbookReader.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <xlsxwriter.h>

#include <cstdio>
#include <map>

namespace platform {

namespace {

[[noreturn]] void WriterFail(const String& FileName, const String& Reason)
{
    throw EOfficeFileError(FileName + QStringLiteral(": ") + Reason);
}

void CheckSize(const String& FileName, const TTextRows& Rows)
{
    if (qint64(Rows.size()) > WorkbookMaxRows)
        WriterFail(FileName, QStringLiteral("more than %1 rows").arg(WorkbookMaxRows));
    for (const auto& Row : Rows)
        if (qint64(Row.size()) > WorkbookMaxCols)
            WriterFail(FileName, QStringLiteral("more than %1 columns").arg(WorkbookMaxCols));
}

// Characters XML 1.0 cannot carry are left out.
std::string XmlSafeUtf8(const String& Text)
{
    String Safe;
    Safe.reserve(Text.size());
    for (const QChar C : Text)
        if (C.unicode() >= 0x20 || C == u'\t' || C == u'\n' || C == u'\r')
            if (C.unicode() != 0xFFFE && C.unicode() != 0xFFFF)
                Safe += C;
    return Safe.toStdString();
}

// The temporary file beside the target, renamed over it on success.
void ReplaceWith(const String& FileName, QTemporaryFile& Temp)
{
    const QFileInfo Old(FileName);
    const QFile::Permissions Mode = Old.exists() ? Old.permissions()
                                                 : QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther;
    QFile::setPermissions(Temp.fileName(), Mode);
    if (std::rename(QFile::encodeName(Temp.fileName()).constData(), QFile::encodeName(FileName).constData()) != 0)
        WriterFail(FileName, QStringLiteral("the file cannot be replaced"));
    Temp.setAutoRemove(false);
}

} // namespace

bool IsValidSheetName(const String& Name)
{
    if (Name.isEmpty() || Name.size() > 31)
        return false;
    for (const QChar C : Name)
        if (QStringLiteral("[]:*?/\\").contains(C))
            return false;
    return true;
}

void WriteNewWorkbook(const String& FileName, const TTextRows& Rows, const String& SheetName)
{
    CheckSize(FileName, Rows);
    QTemporaryFile Temp(QFileInfo(FileName).absolutePath() + QStringLiteral("/.workbook-XXXXXX"));
    if (!Temp.open())
        WriterFail(FileName, QStringLiteral("no file can be created in its folder"));
    Temp.close();
    lxw_workbook* Book = workbook_new(QFile::encodeName(Temp.fileName()).constData());
    if (!Book)
        WriterFail(FileName, QStringLiteral("the workbook cannot be created"));
    const std::string Name = SheetName.toStdString();
    lxw_worksheet* Sheet = workbook_add_worksheet(Book, Name.empty() ? nullptr : Name.c_str());
    lxw_error Error = Sheet ? LXW_NO_ERROR : LXW_ERROR_SHEETNAME_ALREADY_USED;
    for (size_t R = 0; R < Rows.size() && Error == LXW_NO_ERROR; ++R)
        for (size_t C = 0; C < Rows[R].size() && Error == LXW_NO_ERROR; ++C)
            if (!Rows[R][C].isEmpty())
                Error = worksheet_write_string(Sheet, lxw_row_t(R), lxw_col_t(C), XmlSafeUtf8(Rows[R][C]).c_str(), nullptr);
    const lxw_error Closed = workbook_close(Book);
    if (Error != LXW_NO_ERROR || Closed != LXW_NO_ERROR)
        WriterFail(FileName, String::fromUtf8(lxw_strerror(Error != LXW_NO_ERROR ? Error : Closed)));
    ReplaceWith(FileName, Temp);
}

namespace {

const char* const RelationshipsNs = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
const char* const WorksheetType = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet";
const char* const WorksheetContentType = "application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml";

// An element name with the prefix of the element Like ("x:c" beside "x:row").
std::string NameLike(const pugi::xml_node& Like, const char* Local)
{
    const std::string Name = Like.name();
    const size_t Colon = Name.find(':');
    return Colon == std::string::npos ? std::string(Local) : Name.substr(0, Colon + 1) + Local;
}

String CellRef(int Col, int Row)
{
    return ColumnLetters(Col) + QString::number(Row);
}

// One sheet of an existing package, edited in place.
class TSheetEditor {
public:
    TSheetEditor(const String& FileName, const String& SheetName)
        : FFileName(FileName), FSheetName(SheetName), FPackage(FileName, TOfficePackage::TMode::pmEdit)
    {
    }
    void Write(const TTextRows& Rows);

private:
    [[noreturn]] void Fail(const String& Reason) const { WriterFail(FFileName, Reason); }
    std::string FindWorkbookPart() const;
    std::string FindOrAddSheet();
    std::string AddSheet(pugi::xml_node Sheets);
    void WriteCells(pugi::xml_node Worksheet, const TTextRows& Rows);
    void SetCellText(pugi::xml_node Cell, const String& Text);
    void UpdateDimension(pugi::xml_node Worksheet, pugi::xml_node SheetData);
    void DropCalcChain();

    String FFileName;
    String FSheetName;
    TOfficePackage FPackage;
    std::string FWorkbookPart;
    pugi::xml_document FWorkbook;
    pugi::xml_document FWorkbookRels;
    bool FFormulaOverwritten = false;
    // The part of a sheet added here (libzip reads only parts it holds).
    QByteArray FAddedSheet;
};

std::string TSheetEditor::FindWorkbookPart() const
{
    if (FPackage.Has("_rels/.rels")) {
        const pugi::xml_document Rels = FPackage.ReadXml("_rels/.rels");
        for (pugi::xml_node Rel : Rels.document_element().children())
            if (EndsWith(Rel.attribute("Type").value(), "/officeDocument"))
                return ResolvePartTarget("", Rel.attribute("Target").value());
    }
    return "xl/workbook.xml";
}

void TSheetEditor::Write(const TTextRows& Rows)
{
    FWorkbookPart = FindWorkbookPart();
    if (!FPackage.Has(FWorkbookPart))
        Fail(QStringLiteral("the package holds no workbook"));
    FWorkbook = FPackage.ReadXml(FWorkbookPart);
    FWorkbookRels = FPackage.ReadXml(RelationshipsPart(FWorkbookPart));
    const std::string SheetPart = FindOrAddSheet();
    pugi::xml_document Sheet;
    if (FAddedSheet.isEmpty())
        Sheet = FPackage.ReadXml(SheetPart);
    else
        Sheet.load_buffer(FAddedSheet.constData(), size_t(FAddedSheet.size()));
    if (!IsNamed(Sheet.document_element(), "worksheet"))
        Fail(QStringLiteral("sheet %1 is no worksheet").arg(FSheetName));
    WriteCells(Sheet.document_element(), Rows);
    FPackage.WriteXml(SheetPart, Sheet);
    if (FFormulaOverwritten)
        DropCalcChain();
    FPackage.WriteXml(FWorkbookPart, FWorkbook);
    FPackage.WriteXml(RelationshipsPart(FWorkbookPart), FWorkbookRels);
    FPackage.Commit();
}

std::string TSheetEditor::FindOrAddSheet()
{
    const pugi::xml_node Sheets = ChildNamed(FWorkbook.document_element(), "sheets");
    if (!Sheets)
        Fail(QStringLiteral("the workbook lists no sheets"));
    const std::string Name = FSheetName.toStdString();
    for (pugi::xml_node Sheet = Sheets.first_child(); Sheet; Sheet = Sheet.next_sibling()) {
        if (!IsNamed(Sheet, "sheet") || Name != Sheet.attribute("name").value())
            continue;
        const char* Id = AttributeNamed(Sheet, "id").value();
        for (pugi::xml_node Rel : FWorkbookRels.document_element().children())
            if (std::strcmp(Rel.attribute("Id").value(), Id) == 0)
                return ResolvePartTarget(PartFolder(FWorkbookPart), Rel.attribute("Target").value());
        Fail(QStringLiteral("sheet %1 points nowhere").arg(FSheetName));
    }
    return AddSheet(Sheets);
}

std::string TSheetEditor::AddSheet(pugi::xml_node Sheets)
{
    int SheetId = 0;
    for (pugi::xml_node Sheet : Sheets.children())
        SheetId = std::max(SheetId, Sheet.attribute("sheetId").as_int());
    int Number = 1;
    while (FPackage.Has(PartFolder(FWorkbookPart) + "worksheets/sheet" + std::to_string(Number) + ".xml"))
        ++Number;
    const std::string Target = "worksheets/sheet" + std::to_string(Number) + ".xml";
    int RelNumber = 1;
    const auto IdTaken = [&](const std::string& Id) {
        for (pugi::xml_node Rel : FWorkbookRels.document_element().children())
            if (Id == Rel.attribute("Id").value())
                return true;
        return false;
    };
    while (IdTaken("rId" + std::to_string(RelNumber)))
        ++RelNumber;
    const std::string RelId = "rId" + std::to_string(RelNumber);
    pugi::xml_node Rel = FWorkbookRels.document_element().append_child(NameLike(FWorkbookRels.document_element(), "Relationship").c_str());
    Rel.append_attribute("Id") = RelId.c_str();
    Rel.append_attribute("Type") = WorksheetType;
    Rel.append_attribute("Target") = Target.c_str();

    // The relationships prefix the workbook declares, or "r" declared here.
    pugi::xml_node Root = FWorkbook.document_element();
    std::string Prefix;
    for (pugi::xml_attribute A : Root.attributes())
        if (std::strncmp(A.name(), "xmlns:", 6) == 0 && std::strcmp(A.value(), RelationshipsNs) == 0)
            Prefix = A.name() + 6;
    if (Prefix.empty()) {
        Prefix = "r";
        Root.append_attribute("xmlns:r") = RelationshipsNs;
    }
    pugi::xml_node Sheet = Sheets.append_child(NameLike(Sheets, "sheet").c_str());
    Sheet.append_attribute("name") = FSheetName.toStdString().c_str();
    Sheet.append_attribute("sheetId") = SheetId + 1;
    Sheet.append_attribute((Prefix + ":id").c_str()) = RelId.c_str();

    pugi::xml_document Types = FPackage.ReadXml("[Content_Types].xml");
    pugi::xml_node Override = Types.document_element().append_child("Override");
    const std::string Part = PartFolder(FWorkbookPart) + Target;
    Override.append_attribute("PartName") = ("/" + Part).c_str();
    Override.append_attribute("ContentType") = WorksheetContentType;
    FPackage.WriteXml("[Content_Types].xml", Types);
    FAddedSheet = QByteArray("<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
                                    "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">"
                                    "<dimension ref=\"A1\"/><sheetData/></worksheet>");
    return Part;
}

void TSheetEditor::WriteCells(pugi::xml_node Worksheet, const TTextRows& Rows)
{
    pugi::xml_node SheetData = ChildNamed(Worksheet, "sheetData");
    if (!SheetData)
        Fail(QStringLiteral("sheet %1 holds no cell data").arg(FSheetName));
    // Rows and cells by number; cells without an address get theirs.
    std::map<int, pugi::xml_node> RowNodes;
    int LastRow = 0;
    for (pugi::xml_node Row : SheetData.children()) {
        if (!IsNamed(Row, "row"))
            continue;
        LastRow = Row.attribute("r") ? Row.attribute("r").as_int() : LastRow + 1;
        if (!Row.attribute("r"))
            Row.append_attribute("r") = LastRow;
        RowNodes[LastRow] = Row;
    }
    for (size_t R = 0; R < Rows.size(); ++R) {
        const int RowNumber = int(R) + 1;
        auto Found = RowNodes.lower_bound(RowNumber);
        pugi::xml_node Row;
        if (Found != RowNodes.end() && Found->first == RowNumber) {
            Row = Found->second;
        } else {
            Row = Found == RowNodes.end() ? SheetData.append_child(NameLike(SheetData, "row").c_str())
                                          : SheetData.insert_child_before(NameLike(SheetData, "row").c_str(), Found->second);
            Row.append_attribute("r") = RowNumber;
            RowNodes[RowNumber] = Row;
        }
        Row.remove_attribute("spans");
        std::map<int, pugi::xml_node> Cells;
        int Col = 0;
        for (pugi::xml_node Cell : Row.children()) {
            if (!IsNamed(Cell, "c"))
                continue;
            int CellRow = RowNumber;
            if (!Cell.attribute("r") || !ParseCellAddress(String::fromUtf8(Cell.attribute("r").value()), Col, CellRow)) {
                ++Col;
                Cell.remove_attribute("r");
                Cell.prepend_attribute("r") = CellRef(Col, RowNumber).toStdString().c_str();
            }
            Cells[Col] = Cell;
        }
        for (size_t C = 0; C < Rows[R].size(); ++C) {
            const int ColNumber = int(C) + 1;
            auto At = Cells.lower_bound(ColNumber);
            pugi::xml_node Cell;
            if (At != Cells.end() && At->first == ColNumber) {
                Cell = At->second;
            } else {
                Cell = At == Cells.end() ? Row.append_child(NameLike(Row, "c").c_str())
                                         : Row.insert_child_before(NameLike(Row, "c").c_str(), At->second);
                Cell.append_attribute("r") = CellRef(ColNumber, RowNumber).toStdString().c_str();
                Cells[ColNumber] = Cell;
            }
            SetCellText(Cell, Rows[R][C]);
        }
    }
    UpdateDimension(Worksheet, SheetData);
}

// The cell's value, formula and type give way to an inline string; its
// style stays.
void TSheetEditor::SetCellText(pugi::xml_node Cell, const String& Text)
{
    for (pugi::xml_node Child = Cell.first_child(); Child;) {
        const pugi::xml_node Next = Child.next_sibling();
        FFormulaOverwritten |= IsNamed(Child, "f");
        if (IsNamed(Child, "f") || IsNamed(Child, "v") || IsNamed(Child, "is"))
            Cell.remove_child(Child);
        Child = Next;
    }
    Cell.remove_attribute("t");
    if (Text.isEmpty())
        return;
    Cell.append_attribute("t") = "inlineStr";
    pugi::xml_node T = Cell.append_child(NameLike(Cell, "is").c_str()).append_child(NameLike(Cell, "t").c_str());
    T.append_attribute("xml:space") = "preserve";
    T.text() = XmlSafeUtf8(Text).c_str();
}

void TSheetEditor::UpdateDimension(pugi::xml_node Worksheet, pugi::xml_node SheetData)
{
    TCellRange Range;
    for (pugi::xml_node Row : SheetData.children())
        for (pugi::xml_node Cell : Row.children()) {
            int Col = 0, CellRow = 0;
            if (IsNamed(Cell, "c") && ParseCellAddress(String::fromUtf8(Cell.attribute("r").value()), Col, CellRow))
                Range.Include(Col, CellRow);
        }
    if (Range.IsEmpty())
        Range.Include(1, 1);
    pugi::xml_node Dimension = ChildNamed(Worksheet, "dimension");
    if (!Dimension) {
        const pugi::xml_node SheetPr = ChildNamed(Worksheet, "sheetPr");
        Dimension = SheetPr ? Worksheet.insert_child_after(NameLike(Worksheet, "dimension").c_str(), SheetPr)
                            : Worksheet.prepend_child(NameLike(Worksheet, "dimension").c_str());
    }
    const String Ref = Range.CellCount() == 1 ? CellRef(Range.FirstCol, Range.FirstRow)
                                              : CellRef(Range.FirstCol, Range.FirstRow) + u':' + CellRef(Range.LastCol, Range.LastRow);
    Dimension.remove_attribute("ref");
    Dimension.append_attribute("ref") = Ref.toStdString().c_str();
}

// Formulas that were overwritten may no longer be in the calculation chain.
void TSheetEditor::DropCalcChain()
{
    pugi::xml_node Rels = FWorkbookRels.document_element();
    for (pugi::xml_node Rel = Rels.first_child(); Rel;) {
        const pugi::xml_node Next = Rel.next_sibling();
        if (EndsWith(Rel.attribute("Type").value(), "/calcChain")) {
            FPackage.Remove(ResolvePartTarget(PartFolder(FWorkbookPart), Rel.attribute("Target").value()));
            Rels.remove_child(Rel);
        }
        Rel = Next;
    }
    pugi::xml_document Types = FPackage.ReadXml("[Content_Types].xml");
    for (pugi::xml_node Override = Types.document_element().first_child(); Override;) {
        const pugi::xml_node Next = Override.next_sibling();
        if (std::strstr(Override.attribute("PartName").value(), "calcChain"))
            Types.document_element().remove_child(Override);
        Override = Next;
    }
    FPackage.WriteXml("[Content_Types].xml", Types);
}

} // namespace

void WriteWorkbookSheet(const String& FileName, const String& SheetName, const TTextRows& Rows)
{
    if (!IsValidSheetName(SheetName))
        WriterFail(FileName, QStringLiteral("\"%1\" is no valid sheet name").arg(SheetName));
    CheckSize(FileName, Rows);
    if (!QFile::exists(FileName)) {
        WriteNewWorkbook(FileName, Rows, SheetName);
        return;
    }
    if (!HasZipSignature(FileName))
        WriterFail(FileName, QStringLiteral("the file cannot be read as an Office Open XML workbook"));
    TSheetEditor(FileName, SheetName).Write(Rows);
}

} // namespace platform
