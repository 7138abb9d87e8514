// The grid settings of "set", the cell properties of "prop" and the grid as
// a script ("listing").
#include "Command.h"
#include "GridScript.h"
#include "TextLines.h"

#include "grid/control/ExGrid.h"

#include <cstdint>

namespace cfgtool {

namespace {

bool BoolValue(const QString& Text)
{
    if (Text == QLatin1String("true"))
        return true;
    if (Text == QLatin1String("false"))
        return false;
    throw TScriptError{QStringLiteral("not a Boolean: \"%1\"").arg(Text)};
}

qlonglong IntegerValue(const QString& Text, qlonglong Min, qlonglong Max)
{
    bool Ok = false;
    const qlonglong Value = Text.toLongLong(&Ok);
    if (!Ok || Value < Min || Value > Max)
        throw TScriptError{QStringLiteral("not a number: \"%1\"").arg(Text)};
    return Value;
}

Integer IntValue(const QString& Text)
{
    return Integer(IntegerValue(Text, INT32_MIN, INT32_MAX));
}

Char CharValue(const QString& Text)
{
    const QString Unescaped = UnescapeText(Text);
    if (Unescaped.size() != 1)
        throw TScriptError{QStringLiteral("not one character: \"%1\"").arg(Text)};
    return Unescaped[0];
}

// A name of the colour table, or "$" and eight hexadecimal digits.
TColor ColorValue(const QString& Text)
{
    TColor Color = clNone;
    if (IdentToColor(Text, Color))
        return Color;
    bool Ok = false;
    const uint Value = Text.mid(1).toUInt(&Ok, 16);
    if (!Text.startsWith(u'$') || Text.size() != 9 || !Ok)
        throw TScriptError{QStringLiteral("not a colour: \"%1\"").arg(Text)};
    return TColor(Value);
}

template <typename Enum>
Enum EnumValue(const QString& Text)
{
    const Integer Ordinal = GetEnumValue<Enum>(Text);
    if (Ordinal < 0)
        throw TScriptError{QStringLiteral("not a value of %1: \"%2\"").arg(EnumTypeInfo(Enum{}).TypeName(), Text)};
    return Enum(Ordinal);
}

TFontStyles FontStyleValue(const QString& Text)
{
    try {
        return StringToSet<TFontStyles>(Text);
    } catch (const EPropertyConvertError& E) {
        throw TScriptError{E.Message()};
    }
}

// ------------------------------------------------------------------ settings

using TSetting = std::function<void(TExStringGrid& Grid, const QString& Value)>;

TSetting BoolSetting(void (TExStringGrid::*Set)(bool))
{
    return [Set](TExStringGrid& Grid, const QString& Value) { (Grid.*Set)(BoolValue(Value)); };
}

TSetting IntSetting(void (TExStringGrid::*Set)(Integer))
{
    return [Set](TExStringGrid& Grid, const QString& Value) { (Grid.*Set)(IntValue(Value)); };
}

TSetting CharSetting(void (TExStringGrid::*Set)(Char))
{
    return [Set](TExStringGrid& Grid, const QString& Value) { (Grid.*Set)(CharValue(Value)); };
}

TSetting TextSetting(void (TExStringGrid::*Set)(const String&))
{
    return [Set](TExStringGrid& Grid, const QString& Value) { (Grid.*Set)(UnescapeText(Value)); };
}

// A value of one of the grid's fonts ("Font." or "FixedFont.").
TSetting FontSetting(TFont* (TExStringGrid::*Which)() const, const QString& Part)
{
    return [Which, Part](TExStringGrid& Grid, const QString& Value) {
        TFont& F = *(Grid.*Which)();
        if (Part == QLatin1String("Name"))
            F.SetName(UnescapeText(Value));
        else if (Part == QLatin1String("Size"))
            F.SetSize(IntValue(Value));
        else if (Part == QLatin1String("Style"))
            F.SetStyle(FontStyleValue(Value));
        else
            F.SetColor(ColorValue(Value));
    };
}

TSetting HTMLBool(void (THTMLSettings::*Set)(const bool&))
{
    return [Set](TExStringGrid& Grid, const QString& Value) { (Grid.HTMLSettings()->*Set)(BoolValue(Value)); };
}

TSetting HTMLInt(void (THTMLSettings::*Set)(const Integer&))
{
    return [Set](TExStringGrid& Grid, const QString& Value) { (Grid.HTMLSettings()->*Set)(IntValue(Value)); };
}

TSetting HTMLText(void (THTMLSettings::*Set)(const String&))
{
    return [Set](TExStringGrid& Grid, const QString& Value) { (Grid.HTMLSettings()->*Set)(UnescapeText(Value)); };
}

// The export settings of HTML and XML: the published values of
// THTMLSettings, the grid's fonts, colours and link switches.
void AddExportSettings(std::map<QString, TSetting>& Table)
{
    using H = THTMLSettings;
    const std::pair<const char*, TSetting> HTML[] = {
        {"AutoPreview", HTMLBool(&H::SetAutoPreview)},
        {"BorderSize", HTMLInt(&H::SetBorderSize)},
        {"CellSpacing", HTMLInt(&H::SetCellSpacing)},
        {"CellPadding", HTMLInt(&H::SetCellPadding)},
        {"ConvertSpecialChars", HTMLBool(&H::SetConvertSpecialChars)},
        {"ExportImages", HTMLBool(&H::SetExportImages)},
        {"FooterFile", HTMLText(&H::SetFooterFile)},
        {"HeaderFile", HTMLText(&H::SetHeaderFile)},
        {"NonBreakingText", HTMLBool(&H::SetNonBreakingText)},
        {"PrefixTag", HTMLText(&H::SetPrefixTag)},
        {"SaveColor", HTMLBool(&H::SetSaveColor)},
        {"SaveFonts", HTMLBool(&H::SetSaveFonts)},
        {"SuffixTag", HTMLText(&H::SetSuffixTag)},
        {"Summary", HTMLText(&H::SetSummary)},
        {"TableStyle", HTMLText(&H::SetTableStyle)},
        {"Width", HTMLInt(&H::SetWidth)},
        {"XHTML", HTMLBool(&H::SetXHTML)},
    };
    for (const auto& [Name, Setting] : HTML)
        Table[QStringLiteral("HTMLSettings.") + QLatin1String(Name)] = Setting;
    for (const char* Part : {"Name", "Size", "Style", "Color"}) {
        Table[QStringLiteral("Font.") + QLatin1String(Part)] = FontSetting(&TExStringGrid::Font, QLatin1String(Part));
        Table[QStringLiteral("FixedFont.") + QLatin1String(Part)] =
            FontSetting(&TExStringGrid::FixedFont, QLatin1String(Part));
    }
    Table[QStringLiteral("XMLEncoding")] = TextSetting(&TExStringGrid::SetXMLEncoding);
    Table[QStringLiteral("FixedColor")] = [](TExStringGrid& Grid, const QString& Value) {
        Grid.SetFixedColor(ColorValue(Value));
    };
    Table[QStringLiteral("URLShow")] = BoolSetting(&TExStringGrid::SetURLShow);
    Table[QStringLiteral("URLFull")] = BoolSetting(&TExStringGrid::SetURLFull);
    Table[QStringLiteral("WordWrap")] = BoolSetting(&TExStringGrid::SetWordWrap);
}

const std::map<QString, TSetting>& Settings()
{
    static const std::map<QString, TSetting> Table = [] {
        std::map<QString, TSetting> T = {
        {QStringLiteral("FixedFooters"), IntSetting(&TExStringGrid::SetFixedFooters)},
        {QStringLiteral("FixedRightCols"), IntSetting(&TExStringGrid::SetFixedRightCols)},
        {QStringLiteral("SaveFixedCells"), BoolSetting(&TExStringGrid::SetSaveFixedCells)},
        {QStringLiteral("SaveFixedRows"), BoolSetting(&TExStringGrid::SetSaveFixedRows)},
        {QStringLiteral("SaveFixedCols"), BoolSetting(&TExStringGrid::SetSaveFixedCols)},
        {QStringLiteral("SaveHiddenCells"), BoolSetting(&TExStringGrid::SetSaveHiddenCells)},
        {QStringLiteral("SaveVirtCells"), BoolSetting(&TExStringGrid::SetSaveVirtCells)},
        {QStringLiteral("SaveWithHTML"), BoolSetting(&TExStringGrid::SetSaveWithHTML)},
        {QStringLiteral("Delimiter"), CharSetting(&TExStringGrid::SetDelimiter)},
        {QStringLiteral("QuoteEmptyCells"), BoolSetting(&TExStringGrid::SetQuoteEmptyCells)},
        {QStringLiteral("AlwaysQuotes"), BoolSetting(&TExStringGrid::SetAlwaysQuotes)},
        {QStringLiteral("JavaCSV"), BoolSetting(&TExStringGrid::SetJavaCSV)},
        {QStringLiteral("OemConvert"), BoolSetting(&TExStringGrid::SetOemConvert)},
        {QStringLiteral("LoadFirstRow"), BoolSetting(&TExStringGrid::SetLoadFirstRow)},
        // The grid keeps it as a text that switches it on when not empty.
        {QStringLiteral("Multilinecells"),
         [](TExStringGrid& Grid, const QString& Value) {
             Grid.SetMultilinecells(BoolValue(Value) ? QStringLiteral("1") : QString());
         }},
        {QStringLiteral("CheckTrue"), TextSetting(&TExStringGrid::SetCheckTrue)},
        {QStringLiteral("CheckFalse"), TextSetting(&TExStringGrid::SetCheckFalse)},
        };
        AddExportSettings(T);
        return T;
    }();
    return Table;
}

// ------------------------------------------------------------------ cell properties

// A property of TCellProperties: how "prop" sets it and how "listing"
// writes it.
struct TCellProp {
    std::function<void(TCellProperties& P, const QString& Value)> Set;
    std::function<QString(const TCellProperties& P)> Get;
};

template <typename T, typename Parse, typename Format>
TCellProp MakeProp(T (TCellProperties::*Get)() const, void (TCellProperties::*Set)(T), Parse ParseValue,
                   Format FormatValue)
{
    return {[Set, ParseValue](TCellProperties& P, const QString& Value) { (P.*Set)(ParseValue(Value)); },
            [Get, FormatValue](const TCellProperties& P) { return FormatValue((P.*Get)()); }};
}

TCellProp IntProp(Integer (TCellProperties::*Get)() const, void (TCellProperties::*Set)(Integer))
{
    return MakeProp(Get, Set, IntValue, [](Integer V) { return QString::number(V); });
}

TCellProp BoolProp(bool (TCellProperties::*Get)() const, void (TCellProperties::*Set)(bool))
{
    return MakeProp(Get, Set, BoolValue, [](bool V) { return V ? QStringLiteral("true") : QStringLiteral("false"); });
}

TCellProp ColorProp(TColor (TCellProperties::*Get)() const, void (TCellProperties::*Set)(TColor))
{
    return MakeProp(Get, Set, ColorValue, ColorToString);
}

template <typename Enum>
TCellProp EnumProp(Enum (TCellProperties::*Get)() const, void (TCellProperties::*Set)(Enum))
{
    return MakeProp(Get, Set, EnumValue<Enum>, [](Enum V) { return GetEnumName(V); });
}

const std::map<QString, TCellProp>& CellProps()
{
    using P = TCellProperties;
    static const std::map<QString, TCellProp> Table = {
        {QStringLiteral("Alignment"), EnumProp(&P::Alignment, &P::SetAlignment)},
        {QStringLiteral("VAlignment"), EnumProp(&P::VAlignment, &P::SetVAlignment)},
        {QStringLiteral("BorderColor"), ColorProp(&P::BorderColor, &P::SetBorderColor)},
        {QStringLiteral("BorderWidth"), IntProp(&P::BorderWidth, &P::SetBorderWidth)},
        {QStringLiteral("BrushColor"), ColorProp(&P::BrushColor, &P::SetBrushColor)},
        {QStringLiteral("BrushColorTo"), ColorProp(&P::BrushColorTo, &P::SetBrushColorTo)},
        {QStringLiteral("BrushStyle"), EnumProp(&P::BrushStyle, &P::SetBrushStyle)},
        // The application's pointer-sized value.
        {QStringLiteral("CellObject"),
         {[](P& Props, const QString& Value) {
              Props.SetCellObject(reinterpret_cast<TObject*>(std::intptr_t(IntegerValue(Value, INT64_MIN, INT64_MAX))));
          },
          [](const P& Props) {
              return QString::number(qlonglong(reinterpret_cast<std::intptr_t>(Props.CellObject())));
          }}},
        {QStringLiteral("FontColor"), ColorProp(&P::FontColor, &P::SetFontColor)},
        {QStringLiteral("FontName"),
         {[](P& Props, const QString& Value) { Props.SetFontName(UnescapeText(Value)); },
          [](const P& Props) { return EscapeText(Props.FontName()); }}},
        {QStringLiteral("FontSize"), IntProp(&P::FontSize, &P::SetFontSize)},
        {QStringLiteral("FontStyle"),
         MakeProp(&P::FontStyle, &P::SetFontStyle, FontStyleValue,
                  [](TFontStyles S) { return SetToString(S, false); })},
        {QStringLiteral("Editor"), EnumProp(&P::Editor, &P::SetEditor)},
        {QStringLiteral("GradientDirection"), EnumProp(&P::GradientDirection, &P::SetGradientDirection)},
        {QStringLiteral("ReadOnly"), BoolProp(&P::ReadOnly, &P::SetReadOnly)},
        {QStringLiteral("WordWrap"), BoolProp(&P::WordWrap, &P::SetWordWrap)},
        {QStringLiteral("NodeLevel"), IntProp(&P::NodeLevel, &P::SetNodeLevel)},
    };
    return Table;
}

// The properties "listing" writes, in its order.
const char* const ListedProps[] = {"BrushColor", "FontColor", "FontName", "FontSize",
                                   "FontStyle",  "Alignment", "ReadOnly"};

template <typename Table>
const typename Table::mapped_type& Lookup(const Table& T, const QString& Name, const char* What)
{
    const auto Found = T.find(Name);
    if (Found == T.end())
        throw TScriptError{QStringLiteral("unknown %1 \"%2\"").arg(QLatin1String(What), Name)};
    return Found->second;
}

} // namespace

void SetGridSetting(TExStringGrid& Grid, const QString& Name, const QString& Value)
{
    Lookup(Settings(), Name, "setting")(Grid, Value);
}

void SetCellProperty(TExStringGrid& Grid, Integer C, Integer R, const QString& Name, const QString& Value)
{
    const TCellProp& Prop = Lookup(CellProps(), Name, "cell property");
    Prop.Set(*Grid.CellProperties(C, R), Value);
}

void PrintListing(TExStringGrid& Grid)
{
    Out(QStringLiteral("new %1 %2 %3 %4")
            .arg(Grid.ColCount())
            .arg(Grid.RowCount())
            .arg(Grid.FixedCols())
            .arg(Grid.FixedRows()));
    for (Integer C = 0; C < Grid.ColCount(); ++C)
        Out(QStringLiteral("colwidth %1 %2").arg(C).arg(Grid.ColWidths(C)));
    for (Integer R = 0; R < Grid.RowCount(); ++R)
        Out(QStringLiteral("rowheight %1 %2").arg(R).arg(Grid.RowHeights(R)));
    for (Integer R = 0; R < Grid.RowCount(); ++R)
        for (Integer C = 0; C < Grid.ColCount(); ++C)
            if (const String Text = Grid.GridCells(C, R); !Text.isEmpty())
                Out(QStringLiteral("celltext %1 %2 %3").arg(C).arg(R).arg(EscapeText(Text)));
    for (Integer R = 0; R < Grid.RowCount(); ++R)
        for (Integer C = 0; C < Grid.ColCount(); ++C) {
            if (!Grid.HasCellProperties(C, R))
                continue;
            const TCellProperties& Props = *Grid.GridObjects(C, R);
            for (const char* Name : ListedProps) {
                const QString Value = CellProps().at(QLatin1String(Name)).Get(Props);
                Out(QStringLiteral("prop %1 %2 %3 %4").arg(C).arg(R).arg(QLatin1String(Name), Value));
            }
        }
}

} // namespace cfgtool
