// The grid's rows as a simple XML list: written in the encoding XMLEncoding
// names, read back through the XML document layer.
#include "grid/control/ExGrid.h"

#include "grid/data/ExGrid_TextIO.h"
#include "platform/XmlDoc.h"

#include <QtEndian>

#include <cerrno>
#include <iconv.h>
#include <vector>

namespace {

// Rows or columns an XML file may fill.
constexpr Integer XmlMaxCells = 1000000;

const QLatin1String OldAmpersand("$amp;");

// An iconv conversion from UTF-32LE into one named encoding.
class TXmlEncoder {
public:
    explicit TXmlEncoder(const String& Encoding)
        : FHandle(iconv_open(Encoding.toLatin1().constData(), "UTF-32LE"))
    {
    }
    ~TXmlEncoder()
    {
        if (Known())
            iconv_close(FHandle);
    }
    TXmlEncoder(const TXmlEncoder&) = delete;
    TXmlEncoder& operator=(const TXmlEncoder&) = delete;

    bool Known() const { return FHandle != iconv_t(-1); }
    // Text in the encoding; a character it cannot hold as "&#N;".
    QByteArray Encode(const String& Text)
    {
        QByteArray Out;
        for (const char32_t Code : Text.toUcs4()) {
            const QByteArray Bytes = EncodeOne(Code);
            Out += Bytes.isNull() ? QByteArray("&#") + QByteArray::number(uint(Code)) + ';' : Bytes;
        }
        return Out;
    }

private:
    // Null when the encoding has no bytes for Code.
    QByteArray EncodeOne(char32_t Code)
    {
        char In[4];
        qToLittleEndian<quint32>(quint32(Code), In);
        char Buffer[16];
        char* InPtr = In;
        size_t InLeft = sizeof(In);
        char* OutPtr = Buffer;
        size_t OutLeft = sizeof(Buffer);
        iconv(FHandle, nullptr, nullptr, nullptr, nullptr);
        if (iconv(FHandle, &InPtr, &InLeft, &OutPtr, &OutLeft) == size_t(-1))
            return QByteArray();
        iconv(FHandle, nullptr, nullptr, &OutPtr, &OutLeft);
        return QByteArray(Buffer, qsizetype(OutPtr - Buffer));
    }

    iconv_t FHandle;
};

// The text of a field: the four markup characters as entities, characters
// XML cannot carry left out.
String XmlFieldText(const String& Text)
{
    String Out;
    Out.reserve(Text.size());
    for (const QChar C : Text) {
        switch (C.unicode()) {
        case u'&': Out += QLatin1String("&amp;"); break;
        case u'<': Out += QLatin1String("&lt;"); break;
        case u'>': Out += QLatin1String("&gt;"); break;
        case u'"': Out += QLatin1String("&quot;"); break;
        case u'\t':
        case u'\r':
        case u'\n': Out += C; break;
        default:
            if (C.unicode() >= 0x20 && C.unicode() != 0xFFFE && C.unicode() != 0xFFFF)
                Out += C;
        }
    }
    return Out;
}

void CheckXmlName(const String& Name)
{
    if (!xml::IsName(Name))
        throw EExGridError(QStringLiteral("Invalid XML name: \"%1\"").arg(Name));
}

// Descendant texts in document order, without recursion.
String DeepText(const xml::TXMLNode& Node)
{
    String Text;
    std::vector<std::pair<xml::TXMLNode, int>> Stack{{Node, 0}};
    while (!Stack.empty()) {
        auto& [N, Next] = Stack.back();
        if (N.NodeType() == xml::TNodeType::ntText || N.NodeType() == xml::TNodeType::ntCData) {
            Text += N.Text();
            Stack.pop_back();
        } else if (Next < N.ChildCount()) {
            const xml::TXMLNode Child = N.Child(Next++);
            Stack.emplace_back(Child, 0);
        } else {
            Stack.pop_back();
        }
    }
    return Text;
}

} // namespace

// One export or import of the XML list.
class TGridXML {
public:
    explicit TGridXML(TExStringGrid& AGrid) : G(AGrid) {}
    void Save(const String& FileName, const String& ListDescr, const String& RecordDescr, TStrings* FieldDescr,
              bool ExportEmptyCells);
    void Load(const String& FileName, bool LevelToRow, bool LoadFieldDescr);

private:
    bool WithFixedRows() const { return G.SaveFixedCells() || G.SaveFixedRows(); }
    QStringList RowLines(Integer Row, const String& RecordDescr, TStrings* FieldDescr, bool ExportEmptyCells);
    // Import.
    void Visit(const xml::TXMLNode& Node);
    void Store(Integer Col, Integer Row, const String& Value, bool Grow);
    void StoreFieldName(const String& Name, bool Wanted);
    String Unescaped(const String& Text) const;
    Integer CurrentCol() const { return FC0 + FCo; }
    Integer CurrentRow() const { return FR0 + FRo; }

    TExStringGrid& G;
    bool FLevelToRow = false;
    bool FLoadFieldDescr = false;
    Integer FC0 = 0;
    Integer FR0 = 0;
    Integer FCo = 0;
    Integer FRo = 0;
    Integer FLevel = 1;
    Integer FMaxCol = 0;
    Integer FMaxRow = 0;
};

// ---------------------------------------------------------------- export

void TGridXML::Save(const String& FileName, const String& ListDescr, const String& RecordDescr, TStrings* FieldDescr,
                    bool ExportEmptyCells)
{
    TXmlEncoder Encoder(G.XMLEncoding());
    if (!Encoder.Known())
        throw EExGridError(QStringLiteral("Unknown XML encoding \"%1\"").arg(G.XMLEncoding()));
    CheckXmlName(ListDescr);
    CheckXmlName(RecordDescr);
    for (Integer I = 0; FieldDescr && I < FieldDescr->Count(); ++I)
        CheckXmlName(FieldDescr->Strings(I));

    std::unique_ptr<TExStringGrid::TAllColumns> AllColumns;
    if (G.SaveHiddenCells() && G.NumHiddenColumns() > 0)
        AllColumns = std::make_unique<TExStringGrid::TAllColumns>(&G);
    QStringList Lines{QStringLiteral("<?xml version=\"1.0\" encoding=\"%1\" ?>").arg(G.XMLEncoding()),
                      u'<' + ListDescr + u'>'};
    TFileProgress Progress(G);
    G.ExportNotification(esExportStart, G.SaveStartRow());
    for (Integer Row = G.SaveStartRow(); Row <= G.SaveEndRow(); ++Row) {
        G.ExportNotification(esExportNextRow, Row);
        Lines << RowLines(Row, RecordDescr, FieldDescr, ExportEmptyCells);
        if (Progress.Wanted())
            Progress.Report(Row, G.SaveEndRow() - G.SaveStartRow());
    }
    Lines << QStringLiteral("</") + ListDescr + u'>';
    G.ExportNotification(esExportDone, -1);
    AllColumns.reset();

    QByteArray Bytes;
    for (const String& Line : Lines)
        Bytes += Encoder.Encode(Line) + "\r\n";
    try {
        WriteFileAtomically(FileName, Bytes);
    } catch (const Exception&) {
        throw EExGridError(QStringLiteral("Cannot Create file ") + FileName);
    }
}

QStringList TGridXML::RowLines(Integer Row, const String& RecordDescr, TStrings* FieldDescr, bool ExportEmptyCells)
{
    QStringList Lines{u'<' + RecordDescr + u'>'};
    const bool AllReal = G.SaveHiddenCells() && G.NumHiddenColumns() > 0;
    for (Integer C = G.SaveStartCol(); C <= G.SaveEndCol(); ++C) {
        const Integer Real = AllReal ? C : G.RealColIndex(C);
        if (G.IsMergedNonBaseCell(Real, Row))
            continue;
        const String Text = G.GetSaveCell(Real, Row);
        if (Text.isEmpty() && !ExportEmptyCells)
            continue;
        // The marker of an empty cell is written as it is, not as entities.
        const String Field = Text.isEmpty() && G.QuoteEmptyCells() ? QStringLiteral("\"\"") : XmlFieldText(Text);
        const Integer Index = C - G.SaveStartCol();
        const String Name = FieldDescr && Index < FieldDescr->Count() ? FieldDescr->Strings(Index)
                                                                        : QStringLiteral("FIELD%1").arg(Index);
        Lines << u'<' + Name + u'>' + Field + QStringLiteral("</") + Name + u'>';
    }
    Lines << QStringLiteral("</") + RecordDescr + u'>';
    return Lines;
}

// ---------------------------------------------------------------- import

void TGridXML::Load(const String& FileName, bool LevelToRow, bool LoadFieldDescr)
{
    if (!FileExists(FileName))
        throw Exception(QStringLiteral("XML file not found"));
    xml::TXMLDocument Doc;
    try {
        Doc.LoadFromFile(FileName);
    } catch (const EXMLParseError& E) {
        throw Exception(QStringLiteral("XMLDOM Parsing error %1 on line %2").arg(E.Code()).arg(E.Line()));
    }
    FLevelToRow = LevelToRow;
    FLoadFieldDescr = LoadFieldDescr;
    FC0 = G.SaveStartCol();
    FR0 = LoadFieldDescr || !WithFixedRows() ? G.FixedRows() : 0;
    FMaxCol = FC0;
    FMaxRow = FR0;
    const xml::TXMLNode Root = Doc.DocumentElement();
    try {
        for (int I = 0; I < Root.ChildCount(); ++I) {
            const xml::TXMLNode Node = Root.Child(I);
            FCo = 0;
            FLevel = 1;
            if (LevelToRow && I == 0 && Node.AttributeCount() == 0)
                FRo = -1;
            Visit(Node);
            if (!LevelToRow)
                ++FRo;
        }
    } catch (...) {
        G.GridChanged();
        throw;
    }
    G.SetColCount(FMaxCol + 1);
    G.SetRowCount(FMaxRow + 1);
    G.GridChanged();
}

String TGridXML::Unescaped(const String& Text) const
{
    String S = Text;
    S.replace(OldAmpersand, QStringLiteral("&"));
    return S;
}

void TGridXML::Store(Integer Col, Integer Row, const String& Value, bool Grow)
{
    if (Col < 0 || Row < 0 || Col >= XmlMaxCells || Row >= XmlMaxCells)
        return;
    if (Grow) {
        if (Col >= G.ColCount())
            G.SetColCount(Col + 1);
        if (Row >= G.RowCount())
            G.SetRowCount(Row + 1);
        FMaxCol = std::max(FMaxCol, Col);
        FMaxRow = std::max(FMaxRow, Row);
    } else if (Col >= G.ColCount() || Row >= G.RowCount()) {
        return;
    }
    G.PutLoadCell(Col, Row, Value);
}

void TGridXML::StoreFieldName(const String& Name, bool Wanted)
{
    const bool Empty = CurrentCol() >= G.ColCount() || G.RowCount() == 0 || G.GetGridCell(CurrentCol(), 0).isEmpty();
    if (Wanted && WithFixedRows() && Empty)
        Store(CurrentCol(), 0, Name, true);
}

void TGridXML::Visit(const xml::TXMLNode& Top)
{
    // Depth first in document order, without recursion: what a node does
    // happens before its children, and nothing after them.
    std::vector<xml::TXMLNode> Pending{Top};
    while (!Pending.empty()) {
        const xml::TXMLNode N = Pending.back();
        Pending.pop_back();
        bool Moved = false;
        const int Attributes = N.NodeType() == xml::TNodeType::ntElement ? N.AttributeCount() : 0;
        for (int K = 0; K < Attributes; ++K) {
            StoreFieldName(N.AttributeName(K), true);
            Store(CurrentCol(), CurrentRow(), Unescaped(N.AttributeValue(K)), true);
            ++FCo;
        }
        if (FLevelToRow && Attributes > 0) {
            ++FRo;
            FCo = FLevel;
            Moved = true;
        }
        const int Children = N.ChildCount();
        if (Children > 1) {
            if (FLevelToRow && !Moved) {
                ++FRo;
                FCo = 0;
            }
            ++FLevel;
            for (int C = Children - 1; C >= 0; --C)
                Pending.push_back(N.Child(C));
        } else if (Children == 0) {
            Store(CurrentCol(), CurrentRow(), String(), false);
            ++FCo;
        } else {
            StoreFieldName(N.NodeName(), FLoadFieldDescr);
            const xml::TXMLNode Only = N.Child(0);
            String Text = Unescaped(Only.NodeType() == xml::TNodeType::ntText ? N.Text() : DeepText(Only));
            if (G.QuoteEmptyCells() && Text == QLatin1String("\"\""))
                Text.clear();
            Store(CurrentCol(), CurrentRow(), Text, true);
            ++FCo;
        }
    }
}

// ---------------------------------------------------------------- the grid's entries

void TExStringGrid::SaveToXML(const String& FileName, const String& ListDescr, const String& RecordDescr,
                              TStrings* FieldDescr, bool ExportEmptyCells)
{
    TGridXML(*this).Save(FileName, ListDescr, RecordDescr, FieldDescr, ExportEmptyCells);
}

void TExStringGrid::LoadFromXML(const String& FileName, bool LevelToRow, bool LoadFieldDescr)
{
    TGridXML(*this).Load(FileName, LevelToRow, LoadFieldDescr);
}
