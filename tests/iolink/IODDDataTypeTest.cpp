// Data types, record items and value lists as the type reader reads them.
#include "iolink/UIOLink_IODD_Decode.h"

#include <QStringList>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

const char* const XsiDecl = "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\"";

// Reads one element, written with the schema instance namespace declared
// on it, into a new TDataType.
struct TReadType {
    explicit TReadType(const QString& Xml)
    {
        QString Text = Xml;
        const qsizetype At = Text.indexOf(u' ') > 0 && Text.indexOf(u' ') < Text.indexOf(u'>')
                                 ? Text.indexOf(u' ')
                                 : Text.indexOf(u'>');
        Text.insert(At, u' ' + QString::fromLatin1(XsiDecl));
        Doc.LoadFromString(Text);
        Definition = IODD.Read_DataType(Doc.DocumentElement(), Type);
    }

    xml::TXMLDocument Doc;
    TIODD IODD;
    TDataType Type;
    bool Definition = false;
};

QString ValuesText(const TSimpleDataType& Type)
{
    QStringList Parts;
    for (const auto& Value : Type.SingleValueRange) {
        if (const auto* B = dynamic_cast<const TBooleanValueT*>(Value.get()))
            Parts << QStringLiteral("B %1 %2").arg(B->Value ? "true" : "false", B->Name);
        else if (const auto* I = dynamic_cast<const TIntegerValueRangeT*>(Value.get()))
            Parts << (I->ValueType ? QStringLiteral("I %1 %2").arg(I->Value).arg(I->Name)
                                   : QStringLiteral("I %1..%2 %3").arg(I->LowerValue).arg(I->UpperValue).arg(I->Name));
        else if (const auto* F = dynamic_cast<const TFloat32ValueRangeT*>(Value.get()))
            Parts << (F->ValueType ? QStringLiteral("F %1 %2").arg(F->Value).arg(F->Name)
                                   : QStringLiteral("F %1..%2 %3").arg(F->LowerValue).arg(F->UpperValue).arg(F->Name));
        else
            Parts << QStringLiteral("?");
    }
    for (QString& Part : Parts)
        Part = Part.trimmed();
    return Parts.join(QStringLiteral(" | "));
}

struct TValueCase {
    const char* Children;
    const char* Expected;
};

void CheckValues(const char* Type, std::initializer_list<TValueCase> Cases)
{
    for (const TValueCase& C : Cases) {
        SCOPED_TRACE(std::string(Type) + ": " + C.Children);
        TReadType R(QStringLiteral("<Datatype xsi:type=\"%1\" bitLength=\"32\">%2</Datatype>")
                        .arg(QString::fromLatin1(Type), QString::fromUtf8(C.Children)));
        ASSERT_TRUE(R.Definition);
        ASSERT_TRUE(R.Type.IsSimpleDataType);
        ASSERT_TRUE(R.Type.SimpleDataType);
        EXPECT_EQ(ValuesText(*R.Type.SimpleDataType).toStdString(), C.Expected);
    }
}

} // namespace

TEST(IODDValueRange, BooleanTakesSingleValuesOnly)
{
    CheckValues("BooleanT", {
        {"<SingleValue value=\"true\"><Name textId=\"T_On\"/></SingleValue>", "B true T_On"},
        {"<SingleValue value=\"TRUE\"/><SingleValue value=\"false\"/><SingleValue/>", "B false | B false | B false"},
        {"<ValueRange lowerValue=\"0\" upperValue=\"1\"/>", ""},
        {"<!-- c --><singlevalue value=\"true\"><Name/></singlevalue><Other value=\"true\"/>", "B true"},
    });
}

TEST(IODDValueRange, UnsignedIntegers)
{
    CheckValues("UIntegerT", {
        {"<SingleValue value=\"300\"><Name textId=\"T_300\"/></SingleValue>", "I 300 T_300"},
        {"<ValueRange lowerValue=\"0\" upperValue=\"4294967295\"><Name textId=\"T_All\"/></ValueRange>",
         "I 0..4294967295 T_All"},
        // a single value is 32 bits: beyond it, or unreadable, it falls back to 0
        {"<SingleValue value=\"4294967295\"/><SingleValue value=\"abc\"/><SingleValue/>", "I 0 | I 0 | I 0"},
        {"<ValueRange upperValue=\"17\"/><ValueRange lowerValue=\"3\" upperValue=\"x\"/>", "I 0..17 | I 3..0"},
        {"<!-- c --><Text value=\"3\"/><VALUERANGE lowerValue=\"1\" upperValue=\"2\"/>", "I 1..2"},
    });
}

TEST(IODDValueRange, SignedIntegers)
{
    CheckValues("IntegerT", {
        {"<SingleValue value=\"-5\"/><SingleValue value=\"+7\"/><SingleValue value=\" 8 \"/>", "I -5 | I 7 | I 8"},
        {"<ValueRange lowerValue=\"-9223372036854775808\" upperValue=\"9223372036854775807\"/>",
         "I -9223372036854775808..9223372036854775807"},
        {"<ValueRange lowerValue=\"-9223372036854775809\" upperValue=\"1.5\"/>", "I 0..0"},
        {"<SingleValue value=\"0x10\"/><SingleValue value=\"2147483648\"/>", "I 0 | I 0"},
    });
}

TEST(IODDValueRange, Float32)
{
    CheckValues("Float32T", {
        {"<SingleValue value=\"0.25\"><Name textId=\"T_Q\"/></SingleValue>", "F 0.25 T_Q"},
        {"<ValueRange lowerValue=\"-1.5e3\" upperValue=\"100\"/>", "F -1500..100"},
        // not a plain number, or not finite as a 32-bit float: 0
        {"<SingleValue value=\"1,5\"/><SingleValue value=\"nan\"/><SingleValue value=\"1e39\"/>", "F 0 | F 0 | F 0"},
        {"<ValueRange upperValue=\"2\"/>", "F 0..2"},
    });
}

TEST(IODDValueRange, TextAndTimeTypesTakeNoValues)
{
    const char* const Values = "<SingleValue value=\"1\"/><ValueRange lowerValue=\"0\" upperValue=\"9\"/>";
    for (const char* Type : {"StringT", "OctetStringT", "TimeT", "TimeSpanT"})
        CheckValues(Type, {{Values, ""}});
}

TEST(IODDDataType, KindsNamesAndLengths)
{
    struct TCase {
        const char* Xml;
        const char* Name;     // TVariable::Get_DataType
        const char* Length;   // TVariable::Get_Length
    };
    const TCase Cases[] = {
        {"<Datatype xsi:type=\"BooleanT\" bitLength=\"8\"/>", "BooleanT", "1"},
        {"<Datatype xsi:type=\"UIntegerT\" bitLength=\"12\"/>", "UIntegerT", "12"},
        {"<Datatype xsi:type=\" integert \" bitLength=\"x\"/>", "IntegerT", "0"},
        {"<Datatype xsi:type=\"Float32T\" bitLength=\"8\"/>", "Float32T", "32"},
        {"<Datatype xsi:type=\"StringT\" fixedLength=\"16\" encoding=\"UTF-8\"/>", "StringT", "128"},
        {"<Datatype xsi:type=\"StringT\"/>", "StringT", "0"},
        {"<Datatype xsi:type=\"StringT\" fixedLength=\"232\"/>", "StringT", "1856"},
        {"<Datatype xsi:type=\"UIntegerT\" bitLength=\"64\"/>", "UIntegerT", "64"},
        {"<Datatype xsi:type=\"RecordT\" bitLength=\"1856\"/>", "RecordT", "1856"},
        {"<Datatype xsi:type=\"OctetStringT\" fixedLength=\"10\"/>", "OctetStringT", "80"},
        {"<Datatype xsi:type=\"TimeT\"/>", "TimeT", ""},
        {"<Datatype xsi:type=\"TimeSpanT\"/>", "TimeSpanT", "64"},
        {"<Datatype xsi:type=\"ArrayT\" count=\"4\"><SimpleDatatype xsi:type=\"UIntegerT\" bitLength=\"8\"/></Datatype>",
         "ArrayT", ""},
        {"<Datatype xsi:type=\"recordt\" bitLength=\"24\"/>", "RecordT", "24"},
        {"<Datatype xsi:type=\" RecordT \" bitLength=\"x\"/>", "RecordT", "0"},
        {"<Datatype bitLength=\"8\"/>", "None", ""},
        {"<Datatype xsi:type=\"Float64T\"/>", "None", ""},
        {"<DataType xsi:type=\"BooleanT\"/>", "BooleanT", "1"},
    };
    for (const TCase& C : Cases) {
        SCOPED_TRACE(C.Xml);
        TReadType R(QString::fromUtf8(C.Xml));
        EXPECT_TRUE(R.Definition);
        EXPECT_FALSE(R.Type.IsDataTypeRef);
        EXPECT_NE(!R.Type.SimpleDataType, !R.Type.ComplexDataType) << "exactly one of the two";
        EXPECT_EQ(R.Type.IsSimpleDataType, R.Type.SimpleDataType != nullptr);
        TVariable Var;
        Var.DataType = std::make_unique<TDataType>(std::move(R.Type));
        EXPECT_EQ(Var.Get_DataType(&R.IODD, false).toStdString(), C.Name);
        EXPECT_EQ(Var.Get_Length(&R.IODD, false).toStdString(), C.Length);
    }
}

// Lengths beyond the protocol's would wrap the automatic positions round:
// they make the decode fail, naming the attribute and the value.
TEST(IODDDataType, LengthsBeyondTheProtocolAreRefused)
{
    const char* const Cases[] = {
        "<Datatype xsi:type=\"UIntegerT\" bitLength=\"65\"/>",
        "<Datatype xsi:type=\"IntegerT\" bitLength=\"0\"/>",
        "<Datatype xsi:type=\"IntegerT\" bitLength=\"2147483647\"/>",
        "<Datatype xsi:type=\"StringT\" fixedLength=\"233\"/>",
        "<Datatype xsi:type=\"OctetStringT\" fixedLength=\"-1\"/>",
        "<Datatype xsi:type=\"StringT\" fixedLength=\"400000000\"/>",
        "<Datatype xsi:type=\"RecordT\" bitLength=\"1857\"/>",
        "<Datatype xsi:type=\"RecordT\" bitLength=\"-8\"/>",
        "<Datatype xsi:type=\"ArrayT\" count=\"2\"><SimpleDatatype xsi:type=\"UIntegerT\" bitLength=\"99\"/></Datatype>",
    };
    for (const char* Xml : Cases) {
        SCOPED_TRACE(Xml);
        try {
            TReadType R(QString::fromUtf8(Xml));
            ADD_FAILURE() << "read without an error";
        } catch (const EIODDError& E) {
            EXPECT_TRUE(E.Message().contains(QStringLiteral("outside"))) << E.what();
        }
    }
}

TEST(IODDDataType, ArraysHaveAtMostOneKnownElementType)
{
    struct TCase {
        const char* Xml;
        int Count;
        const char* Element;   // element type name; empty when none
    };
    const TCase Cases[] = {
        {"<Datatype xsi:type=\"ArrayT\" count=\"4\"><SimpleDatatype xsi:type=\"UIntegerT\" bitLength=\"8\"/></Datatype>",
         4, "UIntegerT"},
        {"<Datatype xsi:type=\"ArrayT\" count=\"x\"><!-- c --><SimpleDatatype xsi:type=\"BooleanT\"/></Datatype>", 0,
         "BooleanT"},
        {"<Datatype xsi:type=\"ArrayT\" count=\"2\"><DatatypeRef datatypeId=\"D_X\"/></Datatype>", 2, ""},
        {"<Datatype xsi:type=\"ArrayT\" count=\"2\"><SimpleDatatype xsi:type=\"ArrayT\"/></Datatype>", 2, ""},
        {"<Datatype xsi:type=\"ArrayT\" count=\"3\"/>", 3, ""},
    };
    for (const TCase& C : Cases) {
        SCOPED_TRACE(C.Xml);
        TReadType R(QString::fromUtf8(C.Xml));
        ASSERT_TRUE(R.Type.ComplexDataType);
        const TComplexDataType& A = *R.Type.ComplexDataType;
        EXPECT_EQ(A.ActualComplexDataType, acdtArrayT);
        EXPECT_EQ(A.Count, C.Count);
        if (*C.Element == 0) {
            EXPECT_TRUE(A.Arr_RecItem.empty());
            continue;
        }
        ASSERT_EQ(A.Arr_RecItem.size(), 1u);
        const auto* Element = dynamic_cast<const TSimpleDataType*>(A.Arr_RecItem[0].get());
        ASSERT_TRUE(Element);
        EXPECT_EQ(Element->Get_ActualSimpleDataType(&R.IODD, false).toStdString(), C.Element);
    }
}

TEST(IODDDataType, RecordItemsKeptAndDropped)
{
    TReadType R(QStringLiteral(
        "<Datatype xsi:type=\"RecordT\" bitLength=\"40\" subindexAccessSupported=\"true\">"
        "<RecordItem><SimpleDatatype xsi:type=\"BooleanT\"/><Name textId=\"T_A\"/></RecordItem>"
        "<RecordItem subindex=\"2\" bitOffset=\"8\"><SimpleDatatype xsi:type=\"UIntegerT\" bitLength=\"16\"/>"
        "<Description textId=\"T_BD\"/></RecordItem>"
        "<RecordItem subindex=\"3\"><SimpleDatatype xsi:type=\"ArrayT\"/></RecordItem>"
        "<RecordItem subindex=\"4\"><SimpleDatatype xsi:type=\"Float64T\"/><DatatypeRef datatypeId=\"D\"/></RecordItem>"
        "<RecordItem subindex=\"5\"/>"
        "<RecordItem subindex=\"6\"><DatatypeRef/></RecordItem>"
        "<!-- c -->"
        "<Item subindex=\"x\" bitOffset=\"y\"><DatatypeRef datatypeId=\"D_Mode\"/><Name/></Item>"
        "</Datatype>"));
    ASSERT_TRUE(R.Type.ComplexDataType);
    const TComplexDataType& Rec = *R.Type.ComplexDataType;
    EXPECT_EQ(Rec.ActualComplexDataType, acdtRecordT);
    EXPECT_EQ(Rec.BitLength, 40);
    EXPECT_TRUE(Rec.SubIndexAccessSupPresent);
    EXPECT_TRUE(Rec.SubIndexAccessSup);

    QStringList Items;
    for (const auto& Entry : Rec.Arr_RecItem) {
        const auto* Item = dynamic_cast<const TRecordItem*>(Entry.get());
        ASSERT_TRUE(Item && Item->SimpleTD);
        EXPECT_FALSE(Item->AccessRightResPresent);
        Items << QStringLiteral("%1@%2 %3%4 %5/%6")
                     .arg(Item->SubIndex)
                     .arg(Item->BitOffset)
                     .arg(Item->SimpleTD->IsSimpleDataRef ? u"ref:"_s + Item->SimpleTD->DataTypeId
                                                         : Item->SimpleTD->Get_ActualSimpleDataType(&R.IODD, false))
                     .arg(Item->SimpleTD->IsSimpleDataRef ? QString() : u':' + Item->SimpleTD->Get_Length(&R.IODD, false))
                     .arg(Item->Name, Item->Description);
    }
    EXPECT_EQ(Items.join(u'\n').toStdString(),
              "1@0 BooleanT:1 T_A/\n"
              "2@8 UIntegerT:16 /T_BD\n"
              "1@0 ref:D_Mode /");
}

TEST(IODDDataType, SubindexAccessIsAlwaysPresentOnComplexTypes)
{
    const std::pair<const char*, bool> Cases[] = {
        {"subindexAccessSupported=\"true\"", true},
        {"subindexAccessSupported=\"TRUE\"", false},
        {"", false},
    };
    for (const auto& [Attr, Supported] : Cases) {
        SCOPED_TRACE(Attr);
        TReadType R(QStringLiteral("<Datatype xsi:type=\"RecordT\" %1/>").arg(QString::fromLatin1(Attr)));
        ASSERT_TRUE(R.Type.ComplexDataType);
        EXPECT_TRUE(R.Type.ComplexDataType->SubIndexAccessSupPresent);
        EXPECT_EQ(R.Type.ComplexDataType->SubIndexAccessSup, Supported);
        TVariable Var;
        Var.DataType = std::make_unique<TDataType>(std::move(R.Type));
        EXPECT_EQ(Var.Get_SubIndAccSup(&R.IODD, false), Supported ? QStringLiteral("True") : QStringLiteral("False"));
    }
    TReadType Simple(QStringLiteral("<Datatype xsi:type=\"UIntegerT\" subindexAccessSupported=\"true\"/>"));
    TVariable Var;
    Var.DataType = std::make_unique<TDataType>(std::move(Simple.Type));
    EXPECT_EQ(Var.Get_SubIndAccSup(&Simple.IODD, false), QStringLiteral("False"));
}

TEST(IODDDataType, ReferencesAndOtherElementsAreNoDefinitions)
{
    TReadType Ref(QStringLiteral("<DatatypeRef datatypeId=\"D_Status\"/>"));
    EXPECT_FALSE(Ref.Definition);
    EXPECT_TRUE(Ref.Type.IsDataTypeRef);
    EXPECT_EQ(Ref.Type.Ref_DataTypeId, QStringLiteral("D_Status"));
    EXPECT_FALSE(Ref.Type.SimpleDataType || Ref.Type.ComplexDataType);

    TReadType Other(QStringLiteral("<Variable xsi:type=\"UIntegerT\"/>"));
    EXPECT_FALSE(Other.Definition);
    EXPECT_FALSE(Other.Type.IsDataTypeRef);
    EXPECT_TRUE(Other.Type.IsSimpleDataType);
    EXPECT_FALSE(Other.Type.SimpleDataType || Other.Type.ComplexDataType);

    EXPECT_THROW(TReadType(QStringLiteral("<DatatypeRef id=\"D_Status\"/>")), EIODDError);
}
