// The grid as an HTML table: the document text with its style classes and
// pictures, and the HTML file (saved or appended, with header and footer
// files).
#include "grid/control/ExGrid.h"

#include "grid/base/EsgHTMLE.h"
#include "grid/base/ExUtil.h"
#include "grid/control/ExGrid_Graphic.h"
#include "grid/data/ExGrid_TextIO.h"
#include "platform/Process.h"
#include "platform/TextCodec.h"
#include "rtl/ImgList.h"

#include <QUrl>

namespace {

const String HtmlLineEnd = QStringLiteral("\r\n");

String Quoted(const String& Value)
{
    return u'"' + Value + u'"';
}

// The shown part of a link: the whole text with URLFull, else the part
// after its scheme mark.
String WrapLink(const String& Text, bool Full)
{
    if (Text.contains(QLatin1String("</")))
        return Text;
    for (const QLatin1String Mark : {QLatin1String("://"), QLatin1String("mailto:")}) {
        const qsizetype At = Text.indexOf(Mark);
        if (At < 0)
            continue;
        const String Shown = Full ? Text : Text.mid(At + Mark.size(), 255);
        return QStringLiteral("<a href=") + Text + u'>' + Shown + QStringLiteral("</a>");
    }
    return Text;
}

String VerticalAlignStyle(TVAlignment VA)
{
    switch (VA) {
    case vtaCenter: return QStringLiteral("vertical-align: middle");
    case vtaBottom: return QStringLiteral("vertical-align: bottom");
    default: return QStringLiteral("vertical-align: top");
    }
}

// A character outside 7-bit ASCII, as a decimal reference or, inside a
// style block, as a CSS escape.
String SevenBitChar(char32_t Code, bool InStyle)
{
    return InStyle ? QStringLiteral("\\%1 ").arg(uint(Code), 0, 16) : QStringLiteral("&#%1;").arg(uint(Code));
}

} // namespace

// The text of one export; pictures go below the folder given.
class TGridHTML {
public:
    TGridHTML(TExStringGrid& AGrid, const String& ADir) : G(AGrid), S(*AGrid.HTMLSettings()), FDir(ADir) {}
    String Document();

private:
    bool WithFixedCols() const { return G.SaveFixedCells() || G.SaveFixedCols(); }
    bool WithFixedRows() const { return G.SaveFixedCells() || G.SaveFixedRows(); }
    void AddRow(Integer Row, Integer FirstCol, bool Header, bool Widths);
    String CellLine(Integer Col, Integer Row, Integer Index, bool Header, bool Widths);
    String CellText(Integer Real, Integer Row, bool Header);
    // The class text from what the visual-properties query gives.
    String CellStyle(const TBrush& Brush, const TFont& Font, TAlignment HA, TVAlignment VA, bool Fixed) const;
    Integer StyleClass(const String& Style);
    String Content(Integer Real, Integer Row, const String& Text);
    String PictureTag(TGraphic* Graphic);
    String ImageListTag(Integer Index);
    String Prolog() const;
    String TableTag() const;

    TExStringGrid& G;
    THTMLSettings& S;
    String FDir;
    QStringList FStyles;
    QStringList FLines;
    Integer FPicture = 0;
};

String TGridHTML::Document()
{
    const Integer FirstCol = WithFixedCols() ? 0 : G.FixedCols();
    Integer FirstRow = WithFixedRows() ? 0 : G.FixedRows();
    FLines << TableTag();
    const bool HeaderRow = G.FixedRows() > 0 && WithFixedRows();
    if (HeaderRow) {
        AddRow(0, FirstCol, true, true);
        FirstRow = 1;
    }
    if (FPicture == 0)
        FPicture = 1;
    G.ExportNotification(esExportStart, FirstRow);
    for (Integer Row = FirstRow; Row < G.RowCount(); ++Row) {
        G.ExportNotification(esExportNextRow, Row);
        AddRow(Row, FirstCol, false, !HeaderRow);
    }
    G.ExportNotification(esExportDone, -1);
    FLines << QStringLiteral("</TABLE>");
    if (!S.SuffixTag().isEmpty())
        FLines << S.SuffixTag();
    if (S.XHTML())
        FLines << QStringLiteral("</HTML>");

    String Text = Prolog() + S.PrefixTag() + QStringLiteral("<style>") + HtmlLineEnd;
    for (qsizetype N = 0; N < FStyles.size(); ++N)
        Text += QStringLiteral(".c%1 {%2}").arg(N).arg(FStyles[N]) + HtmlLineEnd;
    Text += QStringLiteral("</style>") + HtmlLineEnd;
    for (const String& Line : FLines)
        Text += Line + HtmlLineEnd;
    return Text;
}

String TGridHTML::Prolog() const
{
    if (!S.XHTML())
        return String();
    return QStringLiteral("<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n"
                          "<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Strict//EN\"\r\n"
                          "\"http://www.w3.org/TR/xhtml1/DTD/xhtml1-strict.dtd\">\r\n"
                          "<HTML xmlns=\"http://www.w3.org/1999/xhtml\" xml:lang=\"en\" lang=\"en\">\r\n");
}

String TGridHTML::TableTag() const
{
    String Tag = QStringLiteral("<TABLE BORDER=%1 CELLSPACING=%2 CELLPADDING=%3 ")
                     .arg(Quoted(QString::number(S.BorderSize())), Quoted(QString::number(S.CellSpacing())),
                          Quoted(QString::number(S.CellPadding())));
    if (!S.Summary().isEmpty())
        Tag += QStringLiteral("SUMMARY=") + Quoted(S.Summary()) + u' ';
    if (!S.TableStyle().isEmpty())
        Tag += u' ' + S.TableStyle() + u' ';
    return Tag + QStringLiteral(" WIDTH=") + Quoted(QString::number(S.Width()) + u'%') + u'>';
}

void TGridHTML::AddRow(Integer Row, Integer FirstCol, bool Header, bool Widths)
{
    FLines << QStringLiteral("<TR>");
    for (Integer Col = FirstCol; Col < G.ColCount(); ++Col) {
        // Cells under a merged cell are part of it.
        if (G.IsMergedNonBaseCell(G.RealColIndex(Col), Row))
            continue;
        FLines << CellLine(Col, Row, Col - FirstCol, Header, Widths);
    }
    FLines << QStringLiteral("</TR>");
}

String TGridHTML::CellLine(Integer Col, Integer Row, Integer Index, bool Header, bool Widths)
{
    const Integer Real = G.RealColIndex(Col);
    bool WordWrap = G.WordWrap();
    TBrush Brush;
    TFont Font;
    TColor ColorTo = clNone, Mirror = clNone, MirrorTo = clNone;
    auto [HA, VA] = G.GetCellAlignment(Real, Row);
    TCellGradientDirection GD = GradientVertical;
    TGridDrawState State;
    G.GetVisualProperties(Col, Row, State, false, false, true, &Brush, ColorTo, Mirror, MirrorTo, &Font, HA, VA,
                          WordWrap, GD);
    const String Style = CellStyle(Brush, Font, HA, VA, Header || G.IsFixedCell(Real, Row));
    String Line = QStringLiteral("<TD class=") + Quoted(QStringLiteral("c%1").arg(StyleClass(Style)));
    if (G.IsMergedCell(Real, Row)) {
        const TPoint Span = G.CellSpan(Real, Row);
        if (Span.X > 0)
            Line += QStringLiteral(" COLSPAN=") + Quoted(QString::number(Span.X + 1));
        if (Span.Y > 0)
            Line += QStringLiteral(" ROWSPAN=") + Quoted(QString::number(Span.Y + 1));
    }
    if (!WordWrap)
        Line += QStringLiteral(" nowrap");
    if (Widths && Index < S.ColWidths()->Count())
        Line += (Header ? QStringLiteral(" WIDTH=") : QStringLiteral(" width=")) +
                QString::number(S.ColWidths()->Items(Index));
    return Line + u'>' + Content(Real, Row, CellText(Real, Row, Header)) + QStringLiteral("</td>");
}

String TGridHTML::CellText(Integer Real, Integer Row, bool Header)
{
    String Text = G.GetSaveCell(Real, Row);
    if (!Header) {
        if (S.ConvertSpecialChars())
            Text = EscapeHTML(Text, true);
        if (S.NonBreakingText())
            Text.replace(u' ', QStringLiteral("&nbsp;"));
    }
    Text = LineBreaksToBR(Text);
    if (G.URLShow())
        Text = WrapLink(Text, G.URLFull());
    if ((Header ? Text : Text.trimmed()).isEmpty())
        Text = QStringLiteral("&nbsp;");
    return Text;
}

String TGridHTML::CellStyle(const TBrush& Brush, const TFont& Font, TAlignment HA, TVAlignment VA, bool Fixed) const
{
    const TColor Background = Fixed ? G.FixedColor() : Brush.Color();
    QStringList Parts;
    if (Background != clNone && S.SaveColor())
        Parts << QStringLiteral("background-color: #") + ColorToHex(ColorToRGB(Background));
    if (Font.Color() != clNone && S.SaveColor())
        Parts << QStringLiteral("color: #") + ColorToHex(ColorToRGB(Font.Color()));
    Parts << QStringLiteral("font-size:%1pt").arg(Font.Size());
    if (Font.Style().Contains(fsItalic))
        Parts << QStringLiteral("font-style: italic");
    if (Font.Style().Contains(fsBold))
        Parts << QStringLiteral("font-weight: bold");
    Parts << QStringLiteral("font-family: ") + Font.Name();
    if (HA == taRightJustify)
        Parts << QStringLiteral("text-align: right");
    else if (HA == taCenter)
        Parts << QStringLiteral("text-align: center");
    Parts << VerticalAlignStyle(VA);
    return Parts.join(u';');
}

Integer TGridHTML::StyleClass(const String& Style)
{
    const qsizetype Found = FStyles.indexOf(Style);
    if (Found >= 0)
        return Integer(Found);
    FStyles << Style;
    return Integer(FStyles.size() - 1);
}

String TGridHTML::Content(Integer Real, Integer Row, const String& Text)
{
    TCellGraphic* Graphic = S.ExportImages() ? G.GetCellGraphic(Real, Row) : nullptr;
    if (!Graphic)
        return Text;
    TImageList* Images = G.GetGridImages();
    switch (Graphic->CellType()) {
    case ctBitmap:
        if (auto* Bitmap = dynamic_cast<TBitmap*>(Graphic->CellBitmap()))
            return Text + PictureTag(Bitmap);
        break;
    case ctPicture:
        if (auto* Picture = dynamic_cast<TPicture*>(Graphic->CellBitmap()); Picture && Picture->Graphic())
            return Text + PictureTag(Picture->Graphic());
        break;
    case ctImageList:
        if (Images && Graphic->CellIndex() >= 0 && Graphic->CellIndex() < Images->Count())
            return ImageListTag(Graphic->CellIndex()) + Text;
        break;
    case ctDataImage: {
        bool Ok = false;
        const Integer Index = G.GetGridCell(Real, Row).toInt(&Ok);
        return Ok && Images && Index >= 0 && Index < Images->Count() ? ImageListTag(Index) : String();
    }
    case ctNode:
        return u'+' + Text;
    case ctImages:
        if (TIntList* Indices = G.GetCellImages(Real, Row); Indices && Images) {
            String Tags;
            for (Integer I = 0; I < Indices->Count(); ++I)
                if (Indices->Items(I) >= 0 && Indices->Items(I) < Images->Count())
                    Tags += ImageListTag(Indices->Items(I));
            return Tags + Text;
        }
        break;
    default:
        break;
    }
    return Text;
}

String TGridHTML::ImageListTag(Integer Index)
{
    TBitmap Bitmap;
    G.GetGridImages()->GetBitmap(Index, &Bitmap);
    return PictureTag(&Bitmap);
}

String TGridHTML::PictureTag(TGraphic* Graphic)
{
    const String Folder = FDir + QStringLiteral("images");
    if (!DirectoryExists(Folder) && !ForceDirectories(Folder))
        throw Exception(QStringLiteral("Cannot create ") + Folder);
    const String File = Folder + QStringLiteral("/img%1.jpg").arg(FPicture++);
    TJPEGImage Jpeg;
    if (auto* Own = dynamic_cast<TJPEGImage*>(Graphic)) {
        Jpeg.Assign(Own);
    } else {
        // Drawn on a bitmap of its size, so that any kind of picture encodes.
        TBitmap Bitmap;
        Bitmap.SetWidth(Graphic->Width());
        Bitmap.SetHeight(Graphic->Height());
        Bitmap.Canvas()->Draw(0, 0, Graphic);
        Jpeg.Assign(&Bitmap);
    }
    WriteFileAtomically(File, Jpeg.SaveToBytes());
    return QStringLiteral("<img src= \"file://") + File + QStringLiteral("\">");
}

// ---------------------------------------------------------------- the grid's entries

namespace {

// A line of HTML as 7-bit text: characters beyond ASCII as references, in
// style blocks as CSS escapes; InStyle carries over from line to line.
String SevenBitHTML(const String& Text, bool& InStyle)
{
    String Out;
    Out.reserve(Text.size());
    for (qsizetype I = 0; I < Text.size(); ++I) {
        if (Text[I] == u'<') {
            if (Text.mid(I, 6).compare(QLatin1String("<style"), Qt::CaseInsensitive) == 0)
                InStyle = true;
            else if (Text.mid(I, 7).compare(QLatin1String("</style"), Qt::CaseInsensitive) == 0)
                InStyle = false;
        }
        const QChar C = Text[I];
        if (C.unicode() < 0x80) {
            Out += C;
            continue;
        }
        char32_t Code = C.unicode();
        if (C.isHighSurrogate() && I + 1 < Text.size() && Text[I + 1].isLowSurrogate())
            Code = QChar::surrogateToUcs4(C, Text[++I]);
        Out += SevenBitChar(Code, InStyle);
    }
    return Out;
}

void WriteHTMLFile(TExStringGrid& Grid, const String& FileName, bool Show, bool Unicode, bool Append)
{
    QStringList Lines;
    try {
        Lines = ExistingLines(FileName, Append);
    } catch (const Exception&) {
        // An old file that cannot be read is started afresh.
    }
    THTMLSettings& S = *Grid.HTMLSettings();
    if (!S.HeaderFile().isEmpty())
        Lines << textcodec::ReadTextLines(S.HeaderFile());
    const String Dir = ExtractFilePath(FileName).replace(u'\\', u'/');
    Lines << textcodec::SplitTextLines(Grid.SaveToHTMLString(Dir));
    if (!S.FooterFile().isEmpty())
        Lines << textcodec::ReadTextLines(S.FooterFile());
    if (Unicode) {
        WriteLines(FileName, Lines, textcodec::TTextEncoding::teUtf16LE);
    } else {
        bool InStyle = false;
        for (String& Line : Lines)
            Line = SevenBitHTML(Line, InStyle);
        WriteLines(FileName, Lines, textcodec::TTextEncoding::teAnsi);
    }
    if (Show || S.AutoPreview())
        platform::OpenURL(QUrl::fromLocalFile(FileName).toString());
}

} // namespace

String TExStringGrid::SaveToHTMLString(const String& Dir)
{
    return TGridHTML(*this, Dir).Document();
}

void TExStringGrid::SaveToHTML(const String& FileName, bool Show, bool Unicode)
{
    WriteHTMLFile(*this, FileName, Show, Unicode, false);
}

void TExStringGrid::AppendToHTML(const String& FileName, bool Show, bool Unicode)
{
    WriteHTMLFile(*this, FileName, Show, Unicode, true);
}
