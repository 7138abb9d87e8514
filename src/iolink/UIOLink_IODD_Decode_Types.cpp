// Reading data types, record items and value lists.
#include "iolink/UIOLink_IODD_Decode.h"
#include "iolink/UIOLink_IODD_Decode_Read.h"

using namespace Qt::StringLiterals;
using namespace iodd_read;

namespace {

// The protocol's limits: integers of 1 to 64 bits, strings and records of
// at most 232 octets.
constexpr Integer IoddMaxIntegerBits = 64;
constexpr Integer IoddMaxOctets = 232;

struct TIoddSimpleKind {
    const char16_t* Name;
    TActualSimpleDataType Type;
    bool ValueList;   // whether single values and ranges are read
};

constexpr TIoddSimpleKind IoddSimpleKinds[] = {
    {u"BOOLEANT", asdtBooleanT, true},
    {u"UINTEGERT", asdtUIntegerT, true},
    {u"INTEGERT", asdtIntegerT, true},
    {u"FLOAT32T", asdtFloat32T, true},
    {u"STRINGT", asdtStringT, false},
    {u"OCTETSTRINGT", asdtOctetStringT, false},
    {u"TIMET", asdtTimeT, false},
    {u"TIMESPANT", asdtTimeSpanT, false},
};

const TIoddSimpleKind* IoddFindSimpleKind(const String& TypeName)
{
    for (const TIoddSimpleKind& Kind : IoddSimpleKinds)
        if (TypeName == QStringView(Kind.Name))
            return &Kind;
    return nullptr;
}

// A single value or a range of a number type, with the name of its child.
template <class TRange, class TValueRead, class TLimitRead>
std::unique_ptr<TObject> IoddNumberValue(const xml::TXMLNode& Node, bool Single, TValueRead ReadValue,
                                         TLimitRead ReadLimit)
{
    auto V = std::make_unique<TRange>();
    V->ValueType = Single;
    if (Single) {
        V->Value = ReadValue(Node, "value", 0);
    } else {
        V->LowerValue = ReadLimit(Node, "lowerValue", 0);
        V->UpperValue = ReadLimit(Node, "upperValue", 0);
    }
    V->Name = ChildTextId(Node, "Name");
    return V;
}

} // namespace

Boolean TIODD::Read_DataType(const xml::TXMLNode& XmlDT, TDataType& App_DT)
{
    if (!IsUpperName(XmlDT, "DATATYPE")) {
        if (IsUpperName(XmlDT, "DATATYPEREF")) {
            App_DT.IsDataTypeRef = true;
            App_DT.Ref_DataTypeId = Required_Text(XmlDT, "datatypeId");
        }
        return false;
    }
    App_DT.IsDataTypeRef = false;
    App_DT.Ref_DataTypeId.clear();
    const String TypeName = iodd_read::TypeName(XmlDT);

    if (IoddFindSimpleKind(TypeName)) {
        App_DT.IsSimpleDataType = true;
        App_DT.SimpleDataType = std::make_unique<TSimpleDataType>();
        Decode_SimpleDataType(XmlDT, TypeName, *App_DT.SimpleDataType);
        App_DT.ComplexDataType.reset();
        return true;
    }

    App_DT.IsSimpleDataType = false;
    App_DT.SimpleDataType.reset();
    App_DT.ComplexDataType = std::make_unique<TComplexDataType>();
    TComplexDataType& Complex = *App_DT.ComplexDataType;
    Complex.Id = GuardedText(XmlDT, "id");
    Complex.SubIndexAccessSupPresent = true;
    Complex.SubIndexAccessSup = Flag(XmlDT, "subindexAccessSupported");

    if (TypeName == u"ARRAYT") {
        Complex.ActualComplexDataType = acdtArrayT;
        Complex.Count = GuardedInteger(XmlDT, "count", 0);
        // An element type given by reference stays unknown.
        if (const xml::TXMLNode ElementNode = XmlDT.FindChild("SimpleDatatype")) {
            const String ElementType = iodd_read::TypeName(ElementNode);
            if (IoddFindSimpleKind(ElementType)) {
                auto Simple = std::make_unique<TSimpleDataType>();
                Decode_SimpleDataType(ElementNode, ElementType, *Simple);
                Complex.Arr_RecItem.push_back(std::move(Simple));
            }
        }
    } else if (TypeName == u"RECORDT") {
        Complex.ActualComplexDataType = acdtRecordT;
        Complex.BitLength = Limited_Integer(XmlDT, "bitLength", 0, IoddMaxOctets * 8);
        ForEachItem(XmlDT, [&](const xml::TXMLNode& XmlItem) {
            auto Item = std::make_unique<TRecordItem>();
            static constexpr const char* Names[] = {"subindex", "bitOffset"};
            const char* A[2];
            XmlItem.AttributesUtf8(Names, A, 2);
            Item->SubIndex = GuardedInteger(A[0], 1);
            Item->BitOffset = GuardedInteger(A[1], 0);
            bool Keep = false;
            if (const xml::TXMLNode Simple = XmlItem.FindChild("SimpleDatatype")) {
                const String ItemType = iodd_read::TypeName(Simple);
                if (IoddFindSimpleKind(ItemType)) {
                    Item->SimpleTD = std::make_unique<TSimpleDataType>();
                    Decode_SimpleDataType(Simple, ItemType, *Item->SimpleTD);
                    Keep = true;
                }
            } else if (const xml::TXMLNode Ref = XmlItem.FindChild("DatatypeRef")) {
                Item->SimpleTD = std::make_unique<TSimpleDataType>();
                Item->SimpleTD->IsSimpleDataRef = true;
                if (const std::optional<String> Id = KeptAttribute(Ref, "datatypeId")) {
                    Item->SimpleTD->DataTypeId = *Id;
                    Keep = true;
                }
            }
            if (!Keep)
                return;
            Item->Name = ChildTextId(XmlItem, "Name");
            Item->Description = ChildTextId(XmlItem, "Description");
            Complex.Arr_RecItem.push_back(std::move(Item));
        });
    }
    return true;
}

void TIODD::Decode_SimpleDataType(const xml::TXMLNode& main_xml, const String& DataType, TSimpleDataType& app_SDT)
{
    app_SDT.Id = GuardedText(main_xml, "id");
    const TIoddSimpleKind* Kind = IoddFindSimpleKind(DataType);
    if (Kind) {
        app_SDT.ActualSimpleDataType = Kind->Type;
        switch (Kind->Type) {
        case asdtUIntegerT:
        case asdtIntegerT:
            app_SDT.BitLength = Limited_Integer(main_xml, "bitLength", 1, IoddMaxIntegerBits);
            break;
        case asdtStringT:
            app_SDT.Encodig = GuardedText(main_xml, "encoding");
            [[fallthrough]];
        case asdtOctetStringT:
            // Bytes in the file, bits in the tree.
            app_SDT.FixedLength = Limited_Integer(main_xml, "fixedLength", 0, IoddMaxOctets) * 8;
            break;
        default:
            break;
        }
    }
    app_SDT.SingleValueRange.clear();
    if (Kind && Kind->ValueList)
        ForEachItem(main_xml, [&](const xml::TXMLNode& Item) { Read_SingleValueRange(Item, app_SDT); });
}

void TIODD::Read_SingleValueRange(const xml::TXMLNode& XmlSVR, TSimpleDataType& app_SDT)
{
    const bool Single = IsUpperName(XmlSVR, "SINGLEVALUE");
    if (!Single && !IsUpperName(XmlSVR, "VALUERANGE"))
        return;
    std::unique_ptr<TObject> Value;
    switch (app_SDT.ActualSimpleDataType) {
    case asdtBooleanT:
        if (Single) {
            auto V = std::make_unique<TBooleanValueT>();
            V->Value = Flag(XmlSVR, "value");
            V->Name = ChildTextId(XmlSVR, "Name");
            Value = std::move(V);
        }
        break;
    case asdtUIntegerT:
    case asdtIntegerT:
        Value = IoddNumberValue<TIntegerValueRangeT>(
            XmlSVR, Single, static_cast<Integer (*)(const xml::TXMLNode&, const char*, Integer)>(GuardedInteger),
            GuardedInt64);
        break;
    case asdtFloat32T:
        Value = IoddNumberValue<TFloat32ValueRangeT>(XmlSVR, Single, GuardedSingle, GuardedSingle);
        break;
    default:
        break;
    }
    if (Value)
        app_SDT.SingleValueRange.push_back(std::move(Value));
}
