// The grid's own binary cell block: a header record, then for every cell of
// a rectangle a cell record, its properties, graphic and payload records,
// each in the runtime's object-record form. A block is read and checked
// whole into a temporary form before the grid is touched, so a damaged
// block leaves the grid as it was.
#include "grid/control/ExGrid.h"

#include <atomic>
#include <optional>

namespace {

// ------------------------------------------------------------------ names

constexpr QByteArrayView BinHeaderClass("TGridPropIO");
constexpr QByteArrayView BinCellClass("TGridCellIO");
constexpr QByteArrayView BinPropClass("TGridCellPropIO");
constexpr QByteArrayView BinGraphicClass("TGridGraphicIO");
constexpr QByteArrayView BinBitmapClass("TGridBMPIO");
constexpr QByteArrayView BinIconClass("TGridIconIO");
constexpr QByteArrayView BinPictureClass("TGridPicIO");
constexpr QByteArrayView BinFilePictureClass("TGridFilePicIO");
constexpr QByteArrayView BinStringsClass("TGridSLIO");
constexpr QByteArrayView BinTag("Tag");

// A cell record holds at least the signature, its class name, the empty
// name, Col, Row and HasProp with one-byte values, and the two end bytes.
constexpr qsizetype BinMinCellRecord = 4 + 1 + 11 + 1 + (1 + 3 + 2) * 2 + (1 + 7 + 1) + 2;

// Beyond this a full-grid block's first cell is no fixed-cell offset.
constexpr Integer BinMaxFixedOffset = 65536;

[[noreturn]] void BinInvalid()
{
    TObjectRecordReader::InvalidFormat();
}

Integer BinInteger(TObjectRecordReader& R)
{
    const Int64 Value = R.ReadInteger();
    if (Value < std::numeric_limits<Integer>::min() || Value > std::numeric_limits<Integer>::max())
        BinInvalid();
    return Integer(Value);
}

template <typename Enum>
QByteArray BinEnumName(Enum Value)
{
    return GetEnumName(Value).toLatin1();
}

template <typename Enum>
Enum BinReadEnum(TObjectRecordReader& R)
{
    const Integer Ordinal = GetEnumValue<Enum>(QString::fromLatin1(R.ReadIdent()));
    if (Ordinal < 0)
        BinInvalid();
    return Enum(Ordinal);
}

TColor BinReadColor(TObjectRecordReader& R)
{
    if (R.NextValueType() != vaIdent)
        return TColor(BinInteger(R));
    TColor Color = clNone;
    if (!IdentToColor(QString::fromLatin1(R.ReadIdent()), Color))
        BinInvalid();
    return Color;
}

// Ascending, as the writer gives them.
std::vector<QByteArray> BinFontStyleNames(TFontStyles Styles)
{
    std::vector<QByteArray> Names;
    for (Integer Ord = 0; Ord < EnumTypeInfo(TFontStyle{}).Count(); ++Ord)
        if (Styles.Contains(TFontStyle(Ord)))
            Names.push_back(BinEnumName(TFontStyle(Ord)));
    return Names;
}

TFontStyles BinReadFontStyles(TObjectRecordReader& R)
{
    TFontStyles Styles;
    for (QByteArrayView Name : R.ReadSet()) {
        const Integer Ordinal = GetEnumValue<TFontStyle>(QString::fromLatin1(Name));
        if (Ordinal < 0)
            BinInvalid();
        Styles.Include(TFontStyle(Ordinal));
    }
    return Styles;
}

// ------------------------------------------------------------------ properties record

using TPropApply = std::function<void(TCellProperties& P)>;

// One property of the properties record: how it is written from a cell's
// properties and how a read value is applied to the target's.
struct TBinPropField {
    QByteArrayView Name;
    std::function<void(TObjectRecordWriter& W, QByteArrayView Name, const TCellProperties& P)> Write;
    std::function<TPropApply(TObjectRecordReader& R)> Read;
};

template <typename T, typename Writer, typename Reader>
TBinPropField BinField(QByteArrayView Name, T (TCellProperties::*Get)() const, void (TCellProperties::*Set)(T),
                       Writer WriteValue, Reader ReadValue)
{
    return {Name,
            [Get, WriteValue](TObjectRecordWriter& W, QByteArrayView N, const TCellProperties& P) {
                WriteValue(W, N, (P.*Get)());
            },
            [Set, ReadValue](TObjectRecordReader& R) -> TPropApply {
                const T Value = ReadValue(R);
                return [Set, Value](TCellProperties& P) { (P.*Set)(Value); };
            }};
}

TBinPropField BinIntField(QByteArrayView Name, Integer (TCellProperties::*Get)() const,
                          void (TCellProperties::*Set)(Integer))
{
    return BinField(Name, Get, Set, [](TObjectRecordWriter& W, QByteArrayView N, Integer V) { W.WriteInteger(N, V); },
                    BinInteger);
}

TBinPropField BinBoolField(QByteArrayView Name, bool (TCellProperties::*Get)() const,
                           void (TCellProperties::*Set)(bool))
{
    return BinField(Name, Get, Set, [](TObjectRecordWriter& W, QByteArrayView N, bool V) { W.WriteBoolean(N, V); },
                    [](TObjectRecordReader& R) { return R.ReadBoolean(); });
}

TBinPropField BinColorField(QByteArrayView Name, TColor (TCellProperties::*Get)() const,
                            void (TCellProperties::*Set)(TColor))
{
    return BinField(Name, Get, Set, WriteColorProperty, BinReadColor);
}

template <typename Enum>
TBinPropField BinEnumField(QByteArrayView Name, Enum (TCellProperties::*Get)() const,
                           void (TCellProperties::*Set)(Enum))
{
    return BinField(
        Name, Get, Set, [](TObjectRecordWriter& W, QByteArrayView N, Enum V) { W.WriteIdent(N, BinEnumName(V)); },
        BinReadEnum<Enum>);
}

// The properties in the record's order.
const std::vector<TBinPropField>& BinPropFields()
{
    using P = TCellProperties;
    static const std::vector<TBinPropField> Fields = {
        BinBoolField("CellProperties.IsBaseCell", &P::IsBaseCell, &P::SetIsBaseCell),
        BinIntField("CellProperties.CellSpanX", &P::CellSpanX, &P::SetCellSpanX),
        BinIntField("CellProperties.CellSpanY", &P::CellSpanY, &P::SetCellSpanY),
        BinEnumField("CellProperties.Alignment", &P::Alignment, &P::SetAlignment),
        BinColorField("CellProperties.BorderColor", &P::BorderColor, &P::SetBorderColor),
        BinIntField("CellProperties.BorderWidth", &P::BorderWidth, &P::SetBorderWidth),
        BinColorField("CellProperties.BrushColor", &P::BrushColor, &P::SetBrushColor),
        BinColorField("CellProperties.BrushColorTo", &P::BrushColorTo, &P::SetBrushColorTo),
        BinEnumField("CellProperties.BrushStyle", &P::BrushStyle, &P::SetBrushStyle),
        // A pointer-sized value: beyond 32 bits as the 8-byte integer.
        {"CellProperties.CellObject",
         [](TObjectRecordWriter& W, QByteArrayView N, const P& Props) {
             W.WriteInteger(N, Int64(reinterpret_cast<std::intptr_t>(Props.CellObject())));
         },
         [](TObjectRecordReader& R) -> TPropApply {
             const Int64 Value = R.ReadInteger();
             return [Value](P& Props) { Props.SetCellObject(reinterpret_cast<TObject*>(std::intptr_t(Value))); };
         }},
        BinColorField("CellProperties.FontColor", &P::FontColor, &P::SetFontColor),
        // Written only when not empty.
        {"CellProperties.FontName",
         [](TObjectRecordWriter& W, QByteArrayView N, const P& Props) {
             if (!Props.FontName().isEmpty())
                 W.WriteString(N, Props.FontName());
         },
         [](TObjectRecordReader& R) -> TPropApply {
             const String Value = R.ReadString();
             return [Value](P& Props) { Props.SetFontName(Value); };
         }},
        BinIntField("CellProperties.FontSize", &P::FontSize, &P::SetFontSize),
        BinField("CellProperties.FontStyle", &P::FontStyle, &P::SetFontStyle,
                 [](TObjectRecordWriter& W, QByteArrayView N, TFontStyles V) { W.WriteSet(N, BinFontStyleNames(V)); },
                 BinReadFontStyles),
        BinEnumField("CellProperties.Editor", &P::Editor, &P::SetEditor),
        BinEnumField("CellProperties.GradientDirection", &P::GradientDirection, &P::SetGradientDirection),
        BinBoolField("CellProperties.ReadOnly", &P::ReadOnly, &P::SetReadOnly),
        BinEnumField("CellProperties.VAlignment", &P::VAlignment, &P::SetVAlignment),
        BinBoolField("CellProperties.WordWrap", &P::WordWrap, &P::SetWordWrap),
        BinIntField("CellProperties.NodeLevel", &P::NodeLevel, &P::SetNodeLevel),
    };
    return Fields;
}

constexpr QByteArrayView BinControlName("CellProperties.Control");
constexpr QByteArrayView BinHasGraphicName("HasGraphic");

// ------------------------------------------------------------------ graphic record

// The graphic record's fields from a graphic, and back into a new one.
void BinWriteGraphicFields(TObjectRecordWriter& W, const TCellGraphic& G)
{
    W.WriteIdent("CellGraphic.CellType", BinEnumName(G.CellType()));
    W.WriteIdent("CellGraphic.CellVAlign", BinEnumName(G.CellVAlign()));
    W.WriteIdent("CellGraphic.CellHAlign", BinEnumName(G.CellHAlign()));
    W.WriteInteger("CellGraphic.CellIndex", G.CellIndex());
    W.WriteBoolean("CellGraphic.CellTransparent", G.CellTransparent());
    W.WriteBoolean("CellGraphic.CellCreated", G.CellCreated());
    W.WriteBoolean("CellGraphic.CellBoolean", G.CellBoolean());
    W.WriteIdent("CellGraphic.CellCheckBoxState", BinEnumName(G.CellCheckBoxState()));
    W.WriteInteger("CellGraphic.CellAngle", G.CellAngle());
    if (G.CellValue() != 0)
        W.WriteFloat("CellGraphic.CellValue", G.CellValue());
    W.WriteInteger("CellGraphic.CellErrFrom", G.CellErrFrom());
    W.WriteInteger("CellGraphic.CellErrLen", G.CellErrLen());
    if (!G.CellText().isEmpty())
        W.WriteString("CellGraphic.CellText", G.CellText());
}

// A field absent from the record keeps the new graphic's default (the
// record object is not carried over from the cell before).
void BinReadGraphicField(TObjectRecordReader& R, QByteArrayView Name, TCellGraphic& G)
{
    if (Name == "CellGraphic.CellType")
        G.SetCellType(BinReadEnum<TCellType>(R));
    else if (Name == "CellGraphic.CellVAlign")
        G.SetCellVAlign(BinReadEnum<TCellVAlign>(R));
    else if (Name == "CellGraphic.CellHAlign")
        G.SetCellHAlign(BinReadEnum<TCellHAlign>(R));
    else if (Name == "CellGraphic.CellIndex")
        G.SetCellIndex(BinInteger(R));
    else if (Name == "CellGraphic.CellTransparent")
        G.SetCellTransparent(R.ReadBoolean());
    else if (Name == "CellGraphic.CellCreated")
        G.SetCellCreated(R.ReadBoolean());
    else if (Name == "CellGraphic.CellBoolean")
        G.SetCellBoolean(R.ReadBoolean());
    else if (Name == "CellGraphic.CellCheckBoxState")
        G.SetCellCheckBoxState(BinReadEnum<TCheckBoxState>(R));
    else if (Name == "CellGraphic.CellAngle")
        G.SetCellAngle(BinInteger(R));
    else if (Name == "CellGraphic.CellValue")
        G.SetCellValue(R.ReadFloat());
    else if (Name == "CellGraphic.CellErrFrom")
        G.SetCellErrFrom(BinInteger(R));
    else if (Name == "CellGraphic.CellErrLen")
        G.SetCellErrLen(BinInteger(R));
    else if (Name == "CellGraphic.CellText")
        G.SetCellText(R.ReadString());
    else if (Name == BinTag)
        R.ReadInteger();
    else
        BinInvalid();
}

// ------------------------------------------------------------------ payload records

enum class TBinPayload { None, Bitmap, Icon, Strings, Images, Picture, FilePicture };

TBinPayload BinPayloadOf(TCellType Type)
{
    switch (Type) {
    case ctBitmap:
    case ctBitButton:
        return TBinPayload::Bitmap;
    case ctIcon:
        return TBinPayload::Icon;
    case ctRadio:
        return TBinPayload::Strings;
    case ctImages:
        return TBinPayload::Images;
    case ctPicture:
        return TBinPayload::Picture;
    case ctFilePicture:
        return TBinPayload::FilePicture;
    default:
        return TBinPayload::None;
    }
}

QByteArray BinLengthPrefixed(const QByteArray& Data)
{
    QByteArray Out;
    const auto Size = std::uint32_t(Data.size());
    for (int I = 0; I < 4; ++I)
        Out.append(char(Byte(Size >> (8 * I))));
    return Out + Data;
}

// The 4-byte length and the bytes it counts, within Data.
QByteArray BinUnprefixed(QByteArrayView Data)
{
    if (Data.size() < 4)
        BinInvalid();
    std::uint32_t Size = 0;
    for (int I = 0; I < 4; ++I)
        Size |= std::uint32_t(Byte(Data[I])) << (8 * I);
    if (Size > std::uint32_t(Data.size() - 4))
        BinInvalid();
    return Data.sliced(4, Size).toByteArray();
}

// The picture kinds by their class names; a bitmap carries its length.
const char* BinPictureKind(const TGraphic* G)
{
    if (dynamic_cast<const TBitmap*>(G))
        return "TBitmap";
    if (dynamic_cast<const TIcon*>(G))
        return "TIcon";
    if (dynamic_cast<const TJPEGImage*>(G))
        return "TJPEGImage";
    if (dynamic_cast<const TPngImage*>(G))
        return "TPngImage";
    if (dynamic_cast<const TGIFImage*>(G))
        return "TGIFImage";
    if (dynamic_cast<const TMetafile*>(G))
        return "TMetafile";
    return "TWICImage";
}

std::unique_ptr<TGraphic> BinGraphicOfKind(QByteArrayView Kind)
{
    if (Kind == "TBitmap")
        return std::make_unique<TBitmap>();
    if (Kind == "TIcon")
        return std::make_unique<TIcon>();
    if (Kind == "TJPEGImage")
        return std::make_unique<TJPEGImage>();
    if (Kind == "TPngImage")
        return std::make_unique<TPngImage>();
    if (Kind == "TGIFImage")
        return std::make_unique<TGIFImage>();
    if (Kind == "TMetafile")
        return std::make_unique<TMetafile>();
    if (Kind == "TWICImage")
        return std::make_unique<TWICImage>();
    BinInvalid();
}

QByteArray BinPictureData(TPicture* Picture)
{
    TGraphic* G = Picture->Graphic();
    const QByteArray Kind(BinPictureKind(G));
    const QByteArray Data = G->SaveToBytes();
    return char(Kind.size()) + Kind + (Kind == "TBitmap" ? BinLengthPrefixed(Data) : Data);
}

std::unique_ptr<TPicture> BinPictureFromData(QByteArrayView Data)
{
    auto Picture = std::make_unique<TPicture>();
    if (Data.isEmpty())
        BinInvalid();
    const qsizetype KindSize = Byte(Data[0]);
    if (KindSize + 1 > Data.size())
        BinInvalid();
    const QByteArrayView Kind = Data.sliced(1, KindSize);
    const QByteArrayView Rest = Data.sliced(1 + KindSize);
    std::unique_ptr<TGraphic> G = BinGraphicOfKind(Kind);
    G->LoadFromBytes(Kind == "TBitmap" ? BinUnprefixed(Rest) : Rest.toByteArray());
    Picture->SetGraphic(G.get());
    return Picture;
}

// ------------------------------------------------------------------ the temporary form

struct TBinHeader {
    Integer ColCount = 0;
    Integer RowCount = 0;
    std::vector<Integer> ColWidths;
    std::vector<Integer> RowHeights;
    bool FullGrid = false;
    Int64 ID = 0;
};

// What a cell carries besides its text.
struct TBinCellExtra {
    std::vector<TPropApply> Props;
    QByteArray Control;
    std::unique_ptr<TCellGraphic> Graphic;
    std::unique_ptr<TObject> Object;  // bitmap, icon, picture, file picture or captions
    std::vector<Integer> Images;
};

struct TBinCell {
    Integer Col = 0;
    Integer Row = 0;
    String Text;
    std::unique_ptr<TBinCellExtra> Extra;  // only with HasProp
};

std::vector<Integer> BinSizeList(const String& Text, Integer Count)
{
    const QStringList Items = Text.split(u',');
    if (Count > 0 && Items.size() < Count)
        BinInvalid();
    std::vector<Integer> Sizes;
    for (Integer I = 0; I < Count; ++I) {
        bool Ok = false;
        Sizes.push_back(Items[I].toInt(&Ok));
        if (!Ok)
            BinInvalid();
    }
    return Sizes;
}

void BinExpectClass(TObjectRecordReader& R, QByteArrayView ClassName)
{
    if (R.BeginRecord() != ClassName)
        BinInvalid();
}

TBinHeader BinReadHeader(TObjectRecordReader& R)
{
    BinExpectClass(R, BinHeaderClass);
    TBinHeader H;
    String Widths, Heights;
    QByteArrayView Name;
    while (R.NextProperty(Name)) {
        if (Name == "ColCount")
            H.ColCount = BinInteger(R);
        else if (Name == "RowCount")
            H.RowCount = BinInteger(R);
        else if (Name == "ColWidths")
            Widths = R.ReadString();
        else if (Name == "RowHeights")
            Heights = R.ReadString();
        else if (Name == "FullGrid")
            H.FullGrid = R.ReadBoolean();
        else if (Name == "ID")
            H.ID = R.ReadInteger();
        else if (Name == BinTag)
            R.ReadInteger();
        else
            BinInvalid();
    }
    // Every cell of the block has a record of its own.
    if (H.ColCount < 0 || H.RowCount < 0 ||
        Int64(H.ColCount) * H.RowCount > R.Remaining() / BinMinCellRecord)
        BinInvalid();
    if (H.FullGrid) {
        H.ColWidths = BinSizeList(Widths, H.ColCount);
        H.RowHeights = BinSizeList(Heights, H.RowCount);
    }
    return H;
}

// The cell record; true when HasProp.
bool BinReadCell(TObjectRecordReader& R, TBinCell& Cell)
{
    BinExpectClass(R, BinCellClass);
    std::optional<Integer> Col, Row;
    std::optional<bool> HasProp;
    QByteArrayView Name;
    while (R.NextProperty(Name)) {
        if (Name == "Col")
            Col = BinInteger(R);
        else if (Name == "Row")
            Row = BinInteger(R);
        else if (Name == "Cell")
            Cell.Text = R.ReadString();
        else if (Name == "HasProp")
            HasProp = R.ReadBoolean();
        else if (Name == BinTag)
            R.ReadInteger();
        else
            BinInvalid();
    }
    if (!Col || !Row || !HasProp)
        BinInvalid();
    Cell.Col = *Col;
    Cell.Row = *Row;
    return *HasProp;
}

// The properties record; true when HasGraphic.
bool BinReadProps(TObjectRecordReader& R, TBinCellExtra& Extra)
{
    BinExpectClass(R, BinPropClass);
    bool HasGraphic = false;
    QByteArrayView Name;
    while (R.NextProperty(Name)) {
        const auto& Fields = BinPropFields();
        const auto Field =
            std::find_if(Fields.begin(), Fields.end(), [&](const TBinPropField& F) { return F.Name == Name; });
        if (Field != Fields.end())
            Extra.Props.push_back(Field->Read(R));
        else if (Name == BinControlName)
            Extra.Control = R.ReadIdent().toByteArray();
        else if (Name == BinHasGraphicName)
            HasGraphic = R.ReadBoolean();
        else if (Name == BinTag)
            R.ReadInteger();
        else
            BinInvalid();
    }
    return HasGraphic;
}

std::unique_ptr<TCellGraphic> BinReadGraphic(TObjectRecordReader& R)
{
    BinExpectClass(R, BinGraphicClass);
    auto G = std::make_unique<TCellGraphic>();
    QByteArrayView Name;
    while (R.NextProperty(Name))
        BinReadGraphicField(R, Name, *G);
    return G;
}

// The one property a payload record may hold, read by Read; absent when
// the record is empty.
template <typename F>
void BinReadPayloadRecord(TObjectRecordReader& R, QByteArrayView ClassName, QByteArrayView PropName, F&& Read)
{
    BinExpectClass(R, ClassName);
    QByteArrayView Name;
    while (R.NextProperty(Name)) {
        if (Name == PropName)
            Read();
        else if (Name == BinTag)
            R.ReadInteger();
        else
            BinInvalid();
    }
}

void BinReadPayload(TObjectRecordReader& R, TBinCellExtra& Extra)
{
    switch (BinPayloadOf(Extra.Graphic->CellType())) {
    case TBinPayload::Bitmap: {
        auto Bitmap = std::make_unique<TBitmap>();
        BinReadPayloadRecord(R, BinBitmapClass, "Bitmap.Data",
                             [&] { Bitmap->LoadFromBytes(BinUnprefixed(R.ReadBinary())); });
        Extra.Object = std::move(Bitmap);
        break;
    }
    case TBinPayload::Icon: {
        auto Icon = std::make_unique<TIcon>();
        BinReadPayloadRecord(R, BinIconClass, "Icon.Data", [&] { Icon->LoadFromBytes(R.ReadBinary().toByteArray()); });
        Extra.Object = std::move(Icon);
        break;
    }
    case TBinPayload::Strings: {
        auto Captions = std::make_unique<TStringList>();
        BinReadPayloadRecord(R, BinStringsClass, "Strings.Strings", [&] {
            for (const String& S : R.ReadStringList())
                Captions->Add(S);
        });
        Extra.Object = std::move(Captions);
        break;
    }
    case TBinPayload::Images:
        BinReadPayloadRecord(R, BinStringsClass, "Strings.Strings", [&] {
            for (const String& S : R.ReadStringList()) {
                bool Ok = false;
                Extra.Images.push_back(S.toInt(&Ok));
                if (!Ok)
                    BinInvalid();
            }
        });
        break;
    case TBinPayload::Picture: {
        std::unique_ptr<TPicture> Picture = std::make_unique<TPicture>();
        BinReadPayloadRecord(R, BinPictureClass, "Picture.Data",
                             [&] { Picture = BinPictureFromData(R.ReadBinary()); });
        Extra.Object = std::move(Picture);
        break;
    }
    case TBinPayload::FilePicture: {
        auto FilePicture = std::make_unique<TFilePicture>();
        BinReadPayloadRecord(R, BinFilePictureClass, "Picture.Filename", [&] {
            // The name is kept also where the file cannot be read here.
            try {
                FilePicture->SetFilename(R.ReadString());
            } catch (const EFileStreamError&) {
            } catch (const EInvalidGraphic&) {
            } catch (const EReadError&) {
            }
        });
        Extra.Object = std::move(FilePicture);
        break;
    }
    case TBinPayload::None:
        break;
    }
}

std::vector<TBinCell> BinReadCells(TObjectRecordReader& R)
{
    std::vector<TBinCell> Cells;
    // A single trailing byte is ignored.
    while (R.Remaining() > 1) {
        TBinCell& Cell = Cells.emplace_back();
        if (!BinReadCell(R, Cell))
            continue;
        Cell.Extra = std::make_unique<TBinCellExtra>();
        if (!BinReadProps(R, *Cell.Extra))
            continue;
        Cell.Extra->Graphic = BinReadGraphic(R);
        BinReadPayload(R, *Cell.Extra);
    }
    return Cells;
}

// ------------------------------------------------------------------ writing a cell

// Kinds that keep an object: a graphic is stored only where the grid made it.
bool BinGraphicStored(const TCellGraphic* G)
{
    if (!G || G->CellType() == ctEmpty)
        return false;
    switch (G->CellType()) {
    case ctBitmap:
    case ctIcon:
    case ctRadio:
    case ctImages:
    case ctPicture:
    case ctFilePicture:
    case ctBitButton:
        return G->CellCreated();
    default:
        return true;
    }
}

void BinWritePayload(TObjectRecordWriter& W, const TCellGraphic& G)
{
    TObject* Object = G.CellBitmap();
    switch (BinPayloadOf(G.CellType())) {
    case TBinPayload::Bitmap: {
        W.BeginRecord(BinBitmapClass);
        auto* Bitmap = dynamic_cast<TBitmap*>(Object);
        if (Bitmap && !Bitmap->Empty())
            W.WriteBinary("Bitmap.Data", BinLengthPrefixed(Bitmap->SaveToBytes()));
        break;
    }
    case TBinPayload::Icon:
        W.BeginRecord(BinIconClass);
        if (G.CellIcon() && !G.CellIcon()->Empty())
            W.WriteBinary("Icon.Data", G.CellIcon()->SaveToBytes());
        break;
    case TBinPayload::Strings: {
        W.BeginRecord(BinStringsClass);
        auto* Captions = dynamic_cast<TStrings*>(Object);
        if (Captions && Captions->Count() > 0) {
            QStringList Items;
            for (int I = 0; I < Captions->Count(); ++I)
                Items.append(Captions->Strings(I));
            W.WriteStringList("Strings.Strings", Items);
        }
        break;
    }
    case TBinPayload::Images: {
        W.BeginRecord(BinStringsClass);
        auto* Images = dynamic_cast<TIntList*>(Object);
        if (Images && Images->Count() > 0) {
            QStringList Items;
            for (int I = 0; I < Images->Count(); ++I)
                Items.append(QString::number(Images->Items(I)));
            W.WriteStringList("Strings.Strings", Items);
        }
        break;
    }
    case TBinPayload::Picture: {
        W.BeginRecord(BinPictureClass);
        auto* Picture = dynamic_cast<TPicture*>(Object);
        if (Picture && Picture->Graphic() && !Picture->Graphic()->Empty())
            W.WriteBinary("Picture.Data", BinPictureData(Picture));
        break;
    }
    case TBinPayload::FilePicture: {
        W.BeginRecord(BinFilePictureClass);
        auto* FilePicture = dynamic_cast<TFilePicture*>(Object);
        if (FilePicture && !FilePicture->Filename().isEmpty())
            W.WriteString("Picture.Filename", FilePicture->Filename());
        break;
    }
    case TBinPayload::None:
        return;
    }
    W.EndRecord();
}

void BinWriteCell(TExStringGrid& Grid, TObjectRecordWriter& W, Integer C, Integer R)
{
    const TPoint Base = Grid.BaseCell(C, R);
    const String Text = Grid.GridCells(Base.X, Base.Y);
    const bool HasProp = Grid.HasCellProperties(C, R);
    W.BeginRecord(BinCellClass);
    W.WriteInteger("Col", C);
    W.WriteInteger("Row", R);
    if (!Text.isEmpty())
        W.WriteString("Cell", Text);
    W.WriteBoolean("HasProp", HasProp);
    W.EndRecord();
    if (!HasProp)
        return;
    const TCellProperties& Props = *Grid.GridObjects(C, R);
    const TCellGraphic* Graphic = Grid.GetCellGraphic(C, R);
    const bool HasGraphic = BinGraphicStored(Graphic);
    W.BeginRecord(BinPropClass);
    for (const TBinPropField& Field : BinPropFields())
        Field.Write(W, Field.Name, Props);
    if (Props.Control() && !Props.Control()->Name().isEmpty())
        W.WriteIdent(BinControlName, Props.Control()->Name().toUtf8());
    W.WriteBoolean(BinHasGraphicName, HasGraphic);
    W.EndRecord();
    if (!HasGraphic)
        return;
    W.BeginRecord(BinGraphicClass);
    BinWriteGraphicFields(W, *Graphic);
    W.EndRecord();
    BinWritePayload(W, *Graphic);
}

// ------------------------------------------------------------------ applying a checked block

void BinApplyGraphic(TExStringGrid& Grid, Integer C, Integer R, TBinCellExtra& Extra)
{
    const TCellGraphic& Read = *Extra.Graphic;
    TCellGraphic* Target = Grid.CreateCellGraphic(C, R);
    if (Read.CellType() == ctImages) {
        // A list of its own that repaints the cell when it changes, also in
        // a grid without images yet.
        Target->SetMultiImage(C, R, Read.CellBoolean() ? 0 : 1, Read.CellHAlign(), Read.CellVAlign(),
                              [&Grid](TObject*, Integer IC, Integer IR) {
                                  Grid.RepaintCell(Grid.DisplColIndex(IC), IR);
                              });
    }
    Target->Assign(Extra.Graphic.get());
    Target->SetCellCheckBoxState(Read.CellCheckBoxState());
    switch (BinPayloadOf(Read.CellType())) {
    case TBinPayload::Icon:
        Target->OwnCellIcon(std::unique_ptr<TIcon>(static_cast<TIcon*>(Extra.Object.release())));
        break;
    case TBinPayload::Images:
        for (const Integer Index : Extra.Images)
            Grid.GetCellImages(C, R)->Add(Index);
        break;
    case TBinPayload::None:
        break;
    default:
        Target->OwnCellBitmap(std::move(Extra.Object));
        break;
    }
}

void BinApplyExtra(TExStringGrid& Grid, Integer C, Integer R, TBinCellExtra& Extra)
{
    TCellProperties* Props = Grid.CellProperties(C, R);
    for (const TPropApply& Apply : Extra.Props)
        Apply(*Props);
    Props->SetOwnerCol(C);
    Props->SetOwnerRow(R);
    if (!Extra.Control.isEmpty()) {
        TComponent* Found = Grid.Owner() ? Grid.Owner()->FindComponent(QString::fromUtf8(Extra.Control)) : nullptr;
        Props->SetControl(dynamic_cast<TControl*>(Found));
    }
    if (Extra.Graphic)
        BinApplyGraphic(Grid, C, R, Extra);
}

class TBinUpdateLock {
public:
    explicit TBinUpdateLock(TExStringGrid& Grid) : FGrid(Grid) { FGrid.BeginUpdate(); }
    ~TBinUpdateLock() { FGrid.EndUpdate(); }
    TBinUpdateLock(const TBinUpdateLock&) = delete;
    TBinUpdateLock& operator=(const TBinUpdateLock&) = delete;

private:
    TExStringGrid& FGrid;
};

// The checked block into the grid: a full-grid block clears and sizes it
// first; the grid grows to hold every cell (High is the block's last
// column and row from its origin).
void BinApply(TExStringGrid& Grid, const TBinHeader& Header, std::vector<TBinCell>& Cells, TPoint Origin,
              TPoint Point, TPoint High)
{
    TBinUpdateLock Lock(Grid);
    if (Header.FullGrid) {
        Grid.Clear();
        Grid.SetRowCount(Header.RowCount);
        Grid.SetColCount(Header.ColCount);
        for (Integer I = 0; I < Header.ColCount; ++I)
            Grid.SetColWidths(I, Header.ColWidths[I]);
        for (Integer J = 0; J < Header.RowCount; ++J)
            Grid.SetRowHeights(J, Header.RowHeights[J]);
    }
    if (!Cells.empty()) {
        const Int64 NeedCols = Int64(Point.X) + High.X + 1;
        const Int64 NeedRows = Int64(Point.Y) + High.Y + 1;
        if (NeedCols > Grid.TotalColCount())
            Grid.SetColCount(Integer(Grid.ColCount() + NeedCols - Grid.TotalColCount()));
        if (NeedRows > Grid.RowCount())
            Grid.SetRowCount(Integer(NeedRows));
    }
    Integer LastRow = -1;
    Integer LastProgress = -1;
    for (TBinCell& Cell : Cells) {
        const Integer C = Cell.Col - Origin.X + Point.X;
        const Integer R = Cell.Row - Origin.Y + Point.Y;
        if (C < 0 || R < 0)
            continue;
        Grid.SetCells(C, R, Cell.Text);
        if (R != LastRow && Grid.OnFileProgress) {
            const Integer Progress = Integer(Round(R * 100.0 / std::max(1, Grid.RowCount())));
            if (Progress != LastProgress)
                Grid.OnFileProgress(&Grid, SmallInt(Progress));
            LastProgress = Progress;
        }
        LastRow = R;
        if (Cell.Extra)
            BinApplyExtra(Grid, C, R, *Cell.Extra);
    }
}

std::atomic<Integer> BinBlockCounter{0};

} // namespace

TBinBlockHeader BinBlockHeader(const QByteArray& Block)
{
    TObjectRecordReader Reader(Block);
    const TBinHeader H = BinReadHeader(Reader);
    return {H.ColCount, H.RowCount, H.ID};
}

// ---------------------------------------------------------------------------
// Writing

Integer TExStringGrid::BlockID()
{
    if (FBlockID == 0)
        FBlockID = ++BinBlockCounter;
    return FBlockID;
}

void TExStringGrid::SaveToBinFile(const String& FileName)
{
    TMemoryStream Stream;
    SaveToBinStream(&Stream);
    Stream.SaveToFile(FileName);
}

void TExStringGrid::SaveToBinStream(TStream* Stream)
{
    SaveRectToBinStream(TRect(SaveStartCol(), SaveStartRow(), SaveEndCol(), SaveEndRow()), Stream);
}

void TExStringGrid::SaveRectToBinStream(TRect Rect, TStream* Stream)
{
    QByteArray Out;
    TObjectRecordWriter W(Out);
    const Integer Cols = Rect.Right - Rect.Left + 1;
    const Integer Rows = Rect.Bottom - Rect.Top + 1;
    const bool FullGrid = FSaveFixedCells ? Rows == RowCount() && Cols == ColCount()
                                          : Rows == RowCount() - FixedRows() && Cols == ColCount() - FixedCols();
    QStringList Widths, Heights;
    for (Integer C = Rect.Left; C <= Rect.Right; ++C)
        Widths.append(QString::number(ColWidths(C)));
    for (Integer R = Rect.Top; R <= Rect.Bottom; ++R)
        Heights.append(QString::number(RowHeights(R)));
    W.BeginRecord(BinHeaderClass);
    W.WriteInteger("ColCount", Cols);
    W.WriteInteger("RowCount", Rows);
    if (!Widths.isEmpty())
        W.WriteString("ColWidths", Widths.join(u','));
    if (!Heights.isEmpty())
        W.WriteString("RowHeights", Heights.join(u','));
    W.WriteBoolean("FullGrid", FullGrid);
    W.WriteInteger("ID", BlockID());
    W.EndRecord();

    ExportNotification(esExportStart, Rect.Top);
    Integer LastProgress = -1;
    for (Integer R = Rect.Top; R <= Rect.Bottom; ++R) {
        ExportNotification(esExportNextRow, R);
        for (Integer C = Rect.Left; C <= Rect.Right; ++C)
            BinWriteCell(*this, W, C, R);
        if (OnFileProgress) {
            const Integer Progress = Integer(Round(R * 100.0 / std::max(1, Rect.Bottom - Rect.Top)));
            if (Progress != LastProgress)
                OnFileProgress(this, SmallInt(Progress));
            LastProgress = Progress;
        }
    }
    ExportNotification(esExportDone, -1);
    Stream->WriteBuffer(Out.constData(), Integer(Out.size()));
}

// ---------------------------------------------------------------------------
// Reading

void TExStringGrid::LoadFromBinFile(const String& FileName)
{
    TMemoryStream Stream;
    Stream.LoadFromFile(FileName);
    LoadFromBinStream(&Stream);
}

void TExStringGrid::LoadFromBinStream(TStream* Stream)
{
    LoadAtPointFromBinStream(TPoint(0, 0), Stream);
    FNumNodes = 0;
    for (Integer R = FixedRows(); R < RowCount(); ++R)
        if (GetCellType(0, R) == ctNode)
            ++FNumNodes;
    if (FNumNodes > 0)
        RepaintCol(0);
}

void TExStringGrid::LoadAtPointFromBinStream(TPoint Point, TStream* Stream)
{
    const Int64 Start = Stream->Position();
    QByteArray Data(qsizetype(std::max<Int64>(0, Stream->Size() - Start)), Qt::Uninitialized);
    Stream->ReadBuffer(Data.data(), Integer(Data.size()));
    TObjectRecordReader Reader(Data);
    const TBinHeader Header = BinReadHeader(Reader);
    std::vector<TBinCell> Cells = BinReadCells(Reader);
    Stream->SetPosition(Start + Reader.Position());

    // The origin: (0, 0) for a full-grid block, else its first cell. Every
    // cell lies inside the block's own rectangle from there.
    const TPoint Origin =
        Header.FullGrid || Cells.empty() ? TPoint(0, 0) : TPoint(Cells.front().Col, Cells.front().Row);
    TPoint Low(std::numeric_limits<Integer>::max(), std::numeric_limits<Integer>::max());
    TPoint High(-1, -1);
    for (const TBinCell& Cell : Cells) {
        const Int64 X = Int64(Cell.Col) - Origin.X;
        const Int64 Y = Int64(Cell.Row) - Origin.Y;
        if (X < 0 || Y < 0 || (Header.FullGrid && (X >= BinMaxFixedOffset + Int64(Header.ColCount) ||
                                                   Y >= BinMaxFixedOffset + Int64(Header.RowCount))))
            BinInvalid();
        Low = TPoint(std::min<Integer>(Low.X, Integer(X)), std::min<Integer>(Low.Y, Integer(Y)));
        High = TPoint(std::max<Integer>(High.X, Integer(X)), std::max<Integer>(High.Y, Integer(Y)));
    }
    if (!Cells.empty() && (High.X - Low.X >= Header.ColCount || High.Y - Low.Y >= Header.RowCount))
        BinInvalid();
    BinApply(*this, Header, Cells, Origin, Point, High);
}
