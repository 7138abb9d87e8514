// The column grid: the column stream, the items written and read as the
// property list of a TExColumnGridIO in the framework's component stream.
#include "grid/control/ExCGrid.h"

#include "grid/control/ExGrid_Editors.h"
#include "rtl/GraphicsNames.h"

#include <QHash>

#include <functional>
#include <limits>
#include <vector>

// ---------------------------------------------------------------- TExColumnGridIO

// The carrier's collection never reaches the grid through Update, not even
// while its items go.
TExColumnGridIO::TExColumnGridIO(TExColumnGrid* AOwner)
    : TComponent(AOwner), FItems(std::make_unique<TGridColumnCollection>(AOwner))
{
    FItems->SetNoRecursiveUpdate(true);
}

TExColumnGridIO::~TExColumnGridIO() = default;

// Named, not anonymous: the unity build joins this file with others.
namespace column_stream {

const QByteArrayView CarrierClass("TExColumnGridIO");
const QByteArrayView ItemsProperty("Items");
const QByteArrayView DefaultCharsetIdent("DEFAULT_CHARSET");

[[noreturn]] void Fail(const String& What)
{
    throw EReadError(What);
}

String Latin(QByteArrayView Bytes)
{
    return QString::fromLatin1(Bytes);
}

// ---------------------------------------------------------------- values

Integer ReadInt(TObjectRecordReader& R)
{
    const Int64 Value = R.ReadInteger();
    if (Value < std::numeric_limits<Integer>::min() || Value > std::numeric_limits<Integer>::max())
        Fail(QStringLiteral("Integer value %1 out of range").arg(Value));
    return Integer(Value);
}

TColor ReadColor(TObjectRecordReader& R)
{
    if (R.NextValueType() != vaIdent)
        return ReadInt(R);
    const QByteArrayView Ident = R.ReadIdent();
    TColor Color = clBlack;
    if (!IdentToColor(Latin(Ident), Color))
        Fail(QStringLiteral("Invalid colour \"%1\"").arg(Latin(Ident)));
    return Color;
}

template <typename Enum>
void WriteEnum(TObjectRecordWriter& W, QByteArrayView Name, Enum Value)
{
    W.WriteIdent(Name, GetEnumName(Value).toLatin1());
}

template <typename Enum>
Enum ReadEnum(TObjectRecordReader& R)
{
    const QByteArrayView Ident = R.ReadIdent();
    const Integer Ordinal = GetEnumValue<Enum>(Latin(Ident));
    if (Ordinal < 0)
        Fail(QStringLiteral("Invalid property value \"%1\"").arg(Latin(Ident)));
    return Enum(Ordinal);
}

// Members in enumeration order.
template <typename Set>
void WriteSetOf(TObjectRecordWriter& W, QByteArrayView Name, Set Value)
{
    using Enum = typename Set::EnumType;
    std::vector<QByteArray> Members;
    const TEnumTypeInfo& Info = EnumTypeInfo(Enum{});
    for (Integer Ordinal = 0; Ordinal < Info.Count(); ++Ordinal)
        if (Value.Contains(Enum(Ordinal)))
            Members.push_back(Info.Names()[Ordinal].toLatin1());
    W.WriteSet(Name, Members);
}

template <typename Set>
Set ReadSetOf(TObjectRecordReader& R)
{
    using Enum = typename Set::EnumType;
    Set Value;
    for (const QByteArrayView Member : R.ReadSet()) {
        const Integer Ordinal = GetEnumValue<Enum>(Latin(Member));
        if (Ordinal < 0)
            Fail(QStringLiteral("Invalid set element \"%1\"").arg(Latin(Member)));
        Value.Include(Enum(Ordinal));
    }
    return Value;
}

// ---------------------------------------------------------------- the item's properties

using TItem = TGridColumnItem;

// How a property's value is written as text (SetColumnItemPropertyText).
enum TTextKind { tkInteger, tkBoolean, tkText, tkColor, tkIdent, tkSet, tkCharset, tkLines };

// One streamed property: Write leaves it out where the stream does.
struct TItemProperty {
    QByteArray Name;
    TTextKind Kind;
    std::function<void(TObjectRecordWriter&, QByteArrayView, const TItem&)> Write;
    std::function<void(TObjectRecordReader&, TItem&)> Read;
};

using TItemProperties = std::vector<TItemProperty>;

void AddInteger(TItemProperties& P, const char* Name, Integer (TItem::*Get)() const, void (TItem::*Set)(Integer))
{
    P.push_back({Name, tkInteger, [Get](TObjectRecordWriter& W, QByteArrayView N, const TItem& I) { W.WriteInteger(N, (I.*Get)()); },
                 [Set](TObjectRecordReader& R, TItem& I) { (I.*Set)(ReadInt(R)); }});
}

// PrintBorderCustom and PrintFontCustom (declared default True) are written
// only when False.
void AddBoolean(TItemProperties& P, const char* Name, bool (TItem::*Get)() const, void (TItem::*Set)(bool),
                bool DefaultTrue = false)
{
    P.push_back({Name, tkBoolean,
                 [Get, DefaultTrue](TObjectRecordWriter& W, QByteArrayView N, const TItem& I) {
                     if (!DefaultTrue || !(I.*Get)())
                         W.WriteBoolean(N, (I.*Get)());
                 },
                 [Set](TObjectRecordReader& R, TItem& I) { (I.*Set)(R.ReadBoolean()); }});
}

void AddText(TItemProperties& P, const char* Name, const String& (TItem::*Get)() const,
             void (TItem::*Set)(const String&))
{
    P.push_back({Name, tkText,
                 [Get](TObjectRecordWriter& W, QByteArrayView N, const TItem& I) {
                     if (!(I.*Get)().isEmpty())
                         W.WriteString(N, (I.*Get)());
                 },
                 [Set](TObjectRecordReader& R, TItem& I) { (I.*Set)(R.ReadString()); }});
}

void AddColor(TItemProperties& P, const char* Name, TColor (TItem::*Get)() const, void (TItem::*Set)(TColor))
{
    P.push_back({Name, tkColor, [Get](TObjectRecordWriter& W, QByteArrayView N, const TItem& I) { WriteColorProperty(W, N, (I.*Get)()); },
                 [Set](TObjectRecordReader& R, TItem& I) { (I.*Set)(ReadColor(R)); }});
}

template <typename Enum>
void AddEnum(TItemProperties& P, const char* Name, Enum (TItem::*Get)() const, void (TItem::*Set)(Enum))
{
    P.push_back({Name, tkIdent, [Get](TObjectRecordWriter& W, QByteArrayView N, const TItem& I) { WriteEnum(W, N, (I.*Get)()); },
                 [Set](TObjectRecordReader& R, TItem& I) { (I.*Set)(ReadEnum<Enum>(R)); }});
}

void AddBorders(TItemProperties& P, const char* Name, TCellBorders (TItem::*Get)() const,
                void (TItem::*Set)(TCellBorders))
{
    P.push_back({Name, tkSet,
                 [Get](TObjectRecordWriter& W, QByteArrayView N, const TItem& I) { WriteSetOf(W, N, (I.*Get)()); },
                 [Set](TObjectRecordReader& R, TItem& I) { (I.*Set)(ReadSetOf<TCellBorders>(R)); }});
}

// A component of the grid's owner, by name; a name it does not know reads
// as none.
template <typename Component>
void AddReference(TItemProperties& P, const char* Name, Component* (TItem::*Get)() const,
                  void (TItem::*Set)(Component*))
{
    P.push_back({Name, tkIdent,
                 [Get](TObjectRecordWriter& W, QByteArrayView N, const TItem& I) {
                     if (Component* C = (I.*Get)())
                         W.WriteIdent(N, C->Name().toLatin1());
                 },
                 [Set](TObjectRecordReader& R, TItem& I) {
                     const String Ident = Latin(R.ReadIdent());
                     TExColumnGrid* G = I.Grid();
                     TComponent* Found = G && G->Owner() ? G->Owner()->FindComponent(Ident) : nullptr;
                     (I.*Set)(dynamic_cast<Component*>(Found));
                 }});
}

void AddFont(TItemProperties& P, const QByteArray& Prefix, TFont* (TItem::*Get)() const)
{
    auto Font = [Get](const TItem& I) { return (I.*Get)(); };
    P.push_back({Prefix + ".Charset", tkCharset,
                 [Font](TObjectRecordWriter& W, QByteArrayView N, const TItem& I) {
                     const TFontCharset Charset = Font(I)->Charset();
                     if (Charset == DEFAULT_CHARSET)
                         W.WriteIdent(N, DefaultCharsetIdent);
                     else
                         W.WriteInteger(N, Charset);
                 },
                 [Font](TObjectRecordReader& R, TItem& I) {
                     if (R.NextValueType() == vaIdent) {
                         const QByteArrayView Ident = R.ReadIdent();
                         if (Ident != DefaultCharsetIdent)
                             Fail(QStringLiteral("Invalid property value \"%1\"").arg(Latin(Ident)));
                         Font(I)->SetCharset(DEFAULT_CHARSET);
                         return;
                     }
                     const Integer Charset = ReadInt(R);
                     if (Charset < 0 || Charset > 255)
                         Fail(QStringLiteral("Invalid charset %1").arg(Charset));
                     Font(I)->SetCharset(TFontCharset(Charset));
                 }});
    P.push_back({Prefix + ".Color", tkColor,
                 [Font](TObjectRecordWriter& W, QByteArrayView N, const TItem& I) { WriteColorProperty(W, N, Font(I)->Color()); },
                 [Font](TObjectRecordReader& R, TItem& I) { Font(I)->SetColor(ReadColor(R)); }});
    P.push_back({Prefix + ".Height", tkInteger,
                 [Font](TObjectRecordWriter& W, QByteArrayView N, const TItem& I) { W.WriteInteger(N, Font(I)->Height()); },
                 [Font](TObjectRecordReader& R, TItem& I) { Font(I)->SetHeight(ReadInt(R)); }});
    P.push_back({Prefix + ".Name", tkText,
                 [Font](TObjectRecordWriter& W, QByteArrayView N, const TItem& I) { W.WriteString(N, Font(I)->Name()); },
                 [Font](TObjectRecordReader& R, TItem& I) { Font(I)->SetName(R.ReadString()); }});
    P.push_back({Prefix + ".Pitch", tkIdent,
                 [Font](TObjectRecordWriter& W, QByteArrayView N, const TItem& I) {
                     if (Font(I)->Pitch() != fpDefault)
                         WriteEnum(W, N, Font(I)->Pitch());
                 },
                 [Font](TObjectRecordReader& R, TItem& I) { Font(I)->SetPitch(ReadEnum<TFontPitch>(R)); }});
    P.push_back({Prefix + ".Style", tkSet,
                 [Font](TObjectRecordWriter& W, QByteArrayView N, const TItem& I) { WriteSetOf(W, N, Font(I)->Style()); },
                 [Font](TObjectRecordReader& R, TItem& I) { Font(I)->SetStyle(ReadSetOf<TFontStyles>(R)); }});
}

// Each setting only when it differs from the pen's declared default. The
// colour is also written when it equals that default but a new item's pen
// has another one, or a black border pen would read back as the new item's.
void AddPen(TItemProperties& P, const QByteArray& Prefix, TPen* (TItem::*Get)() const, TColor NewItemColor)
{
    auto Pen = [Get](const TItem& I) { return (I.*Get)(); };
    P.push_back({Prefix + ".Color", tkColor,
                 [Pen, NewItemColor](TObjectRecordWriter& W, QByteArrayView N, const TItem& I) {
                     const TColor Color = Pen(I)->Color();
                     if (Color != clBlack || Color != NewItemColor)
                         WriteColorProperty(W, N, Color);
                 },
                 [Pen](TObjectRecordReader& R, TItem& I) { Pen(I)->SetColor(ReadColor(R)); }});
    P.push_back({Prefix + ".Mode", tkIdent,
                 [Pen](TObjectRecordWriter& W, QByteArrayView N, const TItem& I) {
                     if (Pen(I)->Mode() != pmCopy)
                         WriteEnum(W, N, Pen(I)->Mode());
                 },
                 [Pen](TObjectRecordReader& R, TItem& I) { Pen(I)->SetMode(ReadEnum<TPenMode>(R)); }});
    P.push_back({Prefix + ".Style", tkIdent,
                 [Pen](TObjectRecordWriter& W, QByteArrayView N, const TItem& I) {
                     if (Pen(I)->Style() != psSolid)
                         WriteEnum(W, N, Pen(I)->Style());
                 },
                 [Pen](TObjectRecordReader& R, TItem& I) { Pen(I)->SetStyle(ReadEnum<TPenStyle>(R)); }});
    P.push_back({Prefix + ".Width", tkInteger,
                 [Pen](TObjectRecordWriter& W, QByteArrayView N, const TItem& I) {
                     if (Pen(I)->Width() != 1)
                         W.WriteInteger(N, Pen(I)->Width());
                 },
                 [Pen](TObjectRecordReader& R, TItem& I) { Pen(I)->SetWidth(ReadInt(R)); }});
}

void AddLines(TItemProperties& P, const QByteArray& Prefix, TStringList* (TItem::*Get)() const)
{
    P.push_back({Prefix + ".Strings", tkLines,
                 [Get](TObjectRecordWriter& W, QByteArrayView N, const TItem& I) {
                     TStringList* Lines = (I.*Get)();
                     QStringList Texts;
                     for (int L = 0; L < Lines->Count(); ++L)
                         Texts.append(Lines->Strings(L));
                     if (!Texts.isEmpty())
                         W.WriteStringList(N, Texts);
                 },
                 [Get](TObjectRecordReader& R, TItem& I) {
                     TStringList* Lines = (I.*Get)();
                     const QStringList Texts = R.ReadStringList();
                     Lines->BeginUpdate();
                     Lines->Clear();
                     for (const String& Text : Texts)
                         Lines->Add(Text);
                     Lines->EndUpdate();
                 }});
}

// Column widths from a file stay within what the grid can add up: a width
// near the integer limit made its scroll arithmetic overflow.
constexpr Integer MaxStreamedWidth = 32767;

void AddWidth(TItemProperties& P)
{
    P.push_back({"Width", tkInteger,
                 [](TObjectRecordWriter& W, QByteArrayView N, const TItem& I) { W.WriteInteger(N, I.Width()); },
                 [](TObjectRecordReader& R, TItem& I) {
                     const Integer Width = ReadInt(R);
                     if (Width < -1 || Width > MaxStreamedWidth)
                         Fail(QStringLiteral("Invalid column width %1").arg(Width));
                     I.SetWidth(Width);
                 }});
}

// In the order of the item's published properties.
TItemProperties MakeItemProperties()
{
    TItemProperties P;
    AddInteger(P, "AutoMinSize", &TItem::AutoMinSize, &TItem::SetAutoMinSize);
    AddInteger(P, "AutoMaxSize", &TItem::AutoMaxSize, &TItem::SetAutoMaxSize);
    AddEnum(P, "Alignment", &TItem::Alignment, &TItem::SetAlignment);
    AddBorders(P, "Borders", &TItem::Borders, &TItem::SetBorders);
    AddPen(P, "BorderPen", &TItem::BorderPen, clSilver);
    AddText(P, "CheckFalse", &TItem::CheckFalse, &TItem::SetCheckFalse);
    AddText(P, "CheckTrue", &TItem::CheckTrue, &TItem::SetCheckTrue);
    AddColor(P, "Color", &TItem::Color, &TItem::SetColor);
    AddReference(P, "ColumnPopup", &TItem::ColumnPopup, &TItem::SetColumnPopup);
    AddEnum(P, "ColumnPopupType", &TItem::ColumnPopupType, &TItem::SetColumnPopupType);
    AddLines(P, "ComboItems", &TItem::ComboItems);
    AddInteger(P, "DropDownCount", &TItem::DropDownCount, &TItem::SetDropDownCount);
    AddInteger(P, "EditLength", &TItem::EditLength, &TItem::SetEditLength);
    AddReference(P, "EditLink", &TItem::EditLink, &TItem::SetEditLink);
    AddText(P, "EditMask", &TItem::EditMask, &TItem::SetEditMask);
    AddEnum(P, "Editor", &TItem::Editor, &TItem::SetEditor);
    AddLines(P, "Filter", &TItem::Filter);
    AddBoolean(P, "FilterCaseSensitive", &TItem::FilterCaseSensitive, &TItem::SetFilterCaseSensitive);
    AddBoolean(P, "Fixed", &TItem::Fixed, &TItem::SetFixed);
    AddText(P, "FloatFormat", &TItem::FloatFormat, &TItem::SetFloatFormat);
    AddFont(P, "Font", &TItem::Font);
    AddText(P, "Header", &TItem::Header, &TItem::SetHeader);
    AddEnum(P, "HeaderAlignment", &TItem::HeaderAlignment, &TItem::SetHeaderAlignment);
    AddFont(P, "HeaderFont", &TItem::HeaderFont);
    AddInteger(P, "MinSize", &TItem::MinSize, &TItem::SetMinSize);
    AddInteger(P, "MaxSize", &TItem::MaxSize, &TItem::SetMaxSize);
    AddText(P, "Name", &TItem::Name, &TItem::SetName);
    AddBoolean(P, "Password", &TItem::Password, &TItem::SetPassword);
    AddBoolean(P, "PrintBorderCustom", &TItem::PrintBorderCustom, &TItem::SetPrintBorderCustom, true);
    AddBorders(P, "PrintBorders", &TItem::PrintBorders, &TItem::SetPrintBorders);
    AddPen(P, "PrintBorderPen", &TItem::PrintBorderPen, clBlack);
    AddColor(P, "PrintColor", &TItem::PrintColor, &TItem::SetPrintColor);
    AddBoolean(P, "PrintFontCustom", &TItem::PrintFontCustom, &TItem::SetPrintFontCustom, true);
    AddFont(P, "PrintFont", &TItem::PrintFont);
    AddBoolean(P, "ReadOnly", &TItem::ReadOnly, &TItem::SetReadOnly);
    AddBoolean(P, "ShowBands", &TItem::ShowBands, &TItem::SetShowBands);
    AddEnum(P, "SortStyle", &TItem::SortStyle, &TItem::SetSortStyle);
    AddText(P, "SortPrefix", &TItem::SortPrefix, &TItem::SetSortPrefix);
    AddText(P, "SortSuffix", &TItem::SortSuffix, &TItem::SetSortSuffix);
    AddInteger(P, "SpinMax", &TItem::SpinMax, &TItem::SetSpinMax);
    AddInteger(P, "SpinMin", &TItem::SpinMin, &TItem::SetSpinMin);
    AddInteger(P, "SpinStep", &TItem::SpinStep, &TItem::SetSpinStep);
    AddInteger(P, "Tag", &TItem::Tag, &TItem::SetTag);
    AddWidth(P);
    return P;
}

const TItemProperties& ItemProperties()
{
    static const TItemProperties Properties = MakeItemProperties();
    return Properties;
}

const TItemProperty& ItemProperty(QByteArrayView Name)
{
    static const QHash<QByteArray, const TItemProperty*> ByName = [] {
        QHash<QByteArray, const TItemProperty*> Map;
        for (const TItemProperty& Property : ItemProperties())
            Map.insert(Property.Name, &Property);
        return Map;
    }();
    const auto Found = ByName.constFind(Name.toByteArray());
    if (Found == ByName.constEnd())
        Fail(QStringLiteral("Unknown property \"%1\"").arg(Latin(Name)));
    return **Found;
}

// ---------------------------------------------------------------- the carrier's stream

QByteArray CarrierStream(const TGridColumnCollection& Items)
{
    QByteArray Bytes;
    TObjectRecordWriter W(Bytes);
    W.BeginRecord(CarrierClass);
    W.BeginCollection(ItemsProperty);
    for (int I = 0; I < Items.Count(); ++I) {
        W.BeginItem();
        for (const TItemProperty& Property : ItemProperties())
            Property.Write(W, Property.Name, *Items.Items(I));
        W.EndList();
    }
    W.EndList();
    W.EndRecord();
    return Bytes;
}

// Items are made as the framework reads a collection: with the initial
// values, not those of the item before.
void ReadItems(TObjectRecordReader& R, TGridColumnCollection& Items)
{
    Items.Clear();
    R.BeginCollection();
    while (R.NextItem()) {
        TItem& Item = *static_cast<TItem*>(Items.TCollection::Add());
        QByteArrayView Name;
        while (R.NextItemProperty(Name))
            ItemProperty(Name).Read(R, Item);
    }
}

// Answers the bytes the stream took.
qsizetype ReadCarrier(QByteArrayView Bytes, TGridColumnCollection& Items)
{
    TObjectRecordReader R(Bytes);
    const QByteArrayView ClassName = R.BeginRecord();
    if (ClassName != CarrierClass)
        Fail(QStringLiteral("Class \"%1\" is no %2").arg(Latin(ClassName), Latin(CarrierClass)));
    QByteArrayView Name;
    while (R.NextProperty(Name)) {
        if (Name != ItemsProperty)
            Fail(QStringLiteral("Unknown property \"%1\"").arg(Latin(Name)));
        ReadItems(R, Items);
    }
    return R.Position();
}

QByteArray RestOf(TStream* st)
{
    const Int64 Rest = st->Size() - st->Position();
    if (Rest > std::numeric_limits<Integer>::max())
        Fail(QStringLiteral("Column stream too large"));
    QByteArray Bytes(qsizetype(std::max<Int64>(Rest, 0)), Qt::Uninitialized);
    st->ReadBuffer(Bytes.data(), Integer(Bytes.size()));
    return Bytes;
}

// Every streamed property, the three that Assign leaves out included.
void CopyItems(const TGridColumnCollection& From, TGridColumnCollection& To)
{
    while (To.Count() < From.Count())
        To.Add();
    while (To.Count() > From.Count())
        delete To.Items(To.Count() - 1);
    for (int I = 0; I < From.Count(); ++I)
        To.Items(I)->AssignAll(From.Items(I));
}

// ---------------------------------------------------------------- values as text

std::vector<QByteArray> SetMembersOfText(const String& Text)
{
    const String Inner = Text.trimmed();
    if (!Inner.startsWith(u'[') || !Inner.endsWith(u']'))
        throw EConvertError(QStringLiteral("\"%1\" is no set").arg(Text));
    std::vector<QByteArray> Members;
    for (const String& Member : Inner.mid(1, Inner.size() - 2).split(u',', Qt::SkipEmptyParts))
        Members.push_back(Member.trimmed().toLatin1());
    return Members;
}

bool BooleanOfText(const String& Text)
{
    if (SameText(Text, QStringLiteral("True")))
        return true;
    if (SameText(Text, QStringLiteral("False")))
        return false;
    throw EConvertError(QStringLiteral("\"%1\" is no Boolean").arg(Text));
}

// The value in the stream's own form, after an empty name.
QByteArray StreamValueOfText(TTextKind Kind, const String& Text)
{
    QByteArray Bytes;
    TObjectRecordWriter W(Bytes);
    switch (Kind) {
    case tkInteger:
        W.WriteInteger({}, StrToInt(Text));
        break;
    case tkBoolean:
        W.WriteBoolean({}, BooleanOfText(Text));
        break;
    case tkText:
        W.WriteString({}, Text);
        break;
    case tkColor:
        WriteColorProperty(W, {}, StringToColor(Text));
        break;
    case tkIdent:
        W.WriteIdent({}, Text.toLatin1());
        break;
    case tkSet:
        W.WriteSet({}, SetMembersOfText(Text));
        break;
    case tkCharset:
        if (Text == Latin(DefaultCharsetIdent))
            W.WriteIdent({}, DefaultCharsetIdent);
        else
            W.WriteInteger({}, StrToInt(Text));
        break;
    case tkLines:
        throw EConvertError(QStringLiteral("A list takes its lines one by one"));
    }
    return Bytes;
}

// What the Header setter did for each streamed header while the framework
// read it, done once for all: row 0 and ColumnHeaders follow the items.
void ShowHeaders(TExColumnGrid& Grid)
{
    TGridColumnCollection& Items = *Grid.Columns();
    if (Grid.FixedRows() > 0) {
        for (int I = 0; I < Items.Count() && I < Grid.AllColCount(); ++I)
            if (!Items.Items(I)->Header().isEmpty())
                Grid.SetCells(I, 0, Items.Items(I)->Header());
        Grid.UpdateColumnHeaders();
        return;
    }
    // Without a header row the setter only rebuilds ColumnHeaders from
    // every item: once is enough.
    for (int I = Items.Count() - 1; I >= 0; --I)
        if (!Items.Items(I)->Header().isEmpty()) {
            Items.Items(I)->SetHeader(Items.Items(I)->Header());
            return;
        }
}

} // namespace column_stream

namespace colstream = column_stream;

void SetColumnItemPropertyText(TGridColumnItem* Item, const String& Name, const String& Value)
{
    const colstream::TItemProperty& Property = colstream::ItemProperty(Name.toLatin1());
    const QByteArray Bytes = colstream::StreamValueOfText(Property.Kind, Value);
    TObjectRecordReader R(Bytes, 1);
    Property.Read(R, *Item);
}

void TExColumnGrid::SaveColumnsToStream(TStream* st)
{
    TExColumnGridIO Carrier(this);
    colstream::CopyItems(*Columns(), *Carrier.Items());
    const QByteArray Bytes = colstream::CarrierStream(*Carrier.Items());
    st->WriteBuffer(Bytes.constData(), Integer(Bytes.size()));
}

// The stream is read whole into the carrier before the grid changes, so a
// stream that breaks off or holds anything unknown leaves the grid as it
// was. Then ColCount follows the item count and only then do the columns
// take the widths read, so no width lands on a column that does not exist.
void TExColumnGrid::LoadColumnsFromStream(TStream* st)
{
    const Int64 Start = st->Position();
    const QByteArray Bytes = colstream::RestOf(st);
    TExColumnGridIO Carrier(this);
    try {
        st->Seek(Start + colstream::ReadCarrier(Bytes, *Carrier.Items()), soBeginning);
    } catch (const EReadError&) {
        st->Seek(Start, soBeginning);
        throw;
    }
    {
        TNoRecursiveUpdate Guard(Columns());
        colstream::CopyItems(*Carrier.Items(), *Columns());
    }
    Columns()->Update(nullptr);
    // Every width set makes all items remember the grid's widths: take the
    // widths read before the first one lands.
    std::vector<Integer> Widths;
    for (int I = 0; I < Columns()->Count(); ++I)
        Widths.push_back(Columns()->Items(I)->RememberedWidth());
    for (int I = 0; I < Columns()->Count(); ++I)
        Columns()->Items(I)->SetWidth(Widths[I]);
    colstream::ShowHeaders(*this);
    Invalidate();
}
