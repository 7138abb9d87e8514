#include "rtl/Classes.h"

#include <QByteArray>

#include <cmath>
#include <limits>

#include <gtest/gtest.h>

namespace {

QByteArray Hex(const char* Text)
{
    return QByteArray::fromHex(QByteArray(Text).replace(' ', ""));
}

QByteArray OneValue(const std::function<void(TObjectRecordWriter&)>& Write)
{
    QByteArray Out;
    TObjectRecordWriter W(Out);
    Write(W);
    return Out;
}

} // namespace

TEST(ClassesRecordsTest, ARecordIsSignatureClassNameEmptyNamePropertiesAndTwoZeros)
{
    QByteArray Out;
    TObjectRecordWriter W(Out);
    W.BeginRecord("TGridPropIO");
    W.WriteInteger("ColCount", 2);
    W.WriteBoolean("FullGrid", true);
    W.EndRecord();
    EXPECT_EQ(Out.toHex(' '), Hex("54 50 46 30 0B 54 47 72 69 64 50 72 6F 70 49 4F 00"
                                  "08 43 6F 6C 43 6F 75 6E 74 02 02"
                                  "08 46 75 6C 6C 47 72 69 64 09 00 00")
                                  .toHex(' '));

    TObjectRecordReader R(Out);
    EXPECT_EQ(R.BeginRecord(), QByteArrayView("TGridPropIO"));
    QByteArrayView Name;
    ASSERT_TRUE(R.NextProperty(Name));
    EXPECT_EQ(Name, QByteArrayView("ColCount"));
    EXPECT_EQ(R.ReadInteger(), 2);
    ASSERT_TRUE(R.NextProperty(Name));
    EXPECT_TRUE(R.ReadBoolean());
    EXPECT_FALSE(R.NextProperty(Name));
    EXPECT_EQ(R.Remaining(), 0);
}

TEST(ClassesRecordsTest, IntegersTakeTheSmallestTypeAndBeyondThirtyTwoBitsTypeNineteen)
{
    struct Case {
        Int64 Value;
        const char* Bytes;
    };
    const Case Cases[] = {
        {0, "01 78 02 00"},
        {-128, "01 78 02 80"},
        {127, "01 78 02 7F"},
        {128, "01 78 03 80 00"},
        {-32768, "01 78 03 00 80"},
        {32768, "01 78 04 00 80 00 00"},
        {-2147483648LL, "01 78 04 00 00 00 80"},
        {2147483648LL, "01 78 13 00 00 00 80 00 00 00 00"},
        {-0x123456789ALL, "01 78 13 66 87 A9 CB ED FF FF FF"},
    };
    for (const Case& C : Cases) {
        const QByteArray Out = OneValue([&](TObjectRecordWriter& W) { W.WriteInteger("x", C.Value); });
        EXPECT_EQ(Out.toHex(' '), Hex(C.Bytes).toHex(' ')) << C.Value;
        TObjectRecordReader R(Out, 2);
        EXPECT_EQ(R.ReadInteger(), C.Value);
    }
}

TEST(ClassesRecordsTest, StringsChooseWideUtf8OrAsciiByTheirBytes)
{
    const QString Long(300, u'a');
    struct Case {
        QString Text;
        QByteArray Head;  // type and length
    };
    const Case Cases[] = {
        {QStringLiteral("a\u00E9"), Hex("14 03 00 00 00 61 C3 A9")},
        {QStringLiteral("\u00E9"), Hex("12 01 00 00 00 E9 00")},
        {QString(), Hex("12 00 00 00 00")},
        {QStringLiteral("ab"), Hex("06 02 61 62")},
        {Long, Hex("0C 2C 01 00 00")},
        {QStringLiteral("\u20AC\u20AC"), Hex("12 02 00 00 00 AC 20 AC 20")},
    };
    for (const Case& C : Cases) {
        const QByteArray Out = OneValue([&](TObjectRecordWriter& W) { W.WriteString("s", C.Text); });
        EXPECT_TRUE(Out.mid(2).startsWith(C.Head)) << Out.left(16).toHex(' ').constData();
        TObjectRecordReader R(Out, 2);
        EXPECT_EQ(R.ReadString(), C.Text);
        EXPECT_EQ(R.Remaining(), 0);
    }
}

TEST(ClassesRecordsTest, IdentifiersSetsBinariesAndStringListsRoundTrip)
{
    QByteArray Out;
    TObjectRecordWriter W(Out);
    W.WriteIdent("a", "taCenter");
    W.WriteSet("b", {"fsBold", "fsUnderline"});
    W.WriteSet("c", {});
    W.WriteBinary("d", QByteArrayView("\x01\x00\x02", 3));
    W.WriteStringList("e", {QStringLiteral("x"), QStringLiteral("\u00E9"), QString()});
    EXPECT_TRUE(Out.startsWith(Hex("01 61 07 08") + "taCenter" + Hex("01 62 0B 06") + "fsBold" + Hex("0B") +
                               "fsUnderline" + Hex("00 01 63 0B 00 01 64 0A 03 00 00 00 01 00 02")));

    TObjectRecordReader R(Out);
    QByteArrayView Name;
    ASSERT_TRUE(R.NextProperty(Name));
    EXPECT_EQ(R.ReadIdent(), QByteArrayView("taCenter"));
    ASSERT_TRUE(R.NextProperty(Name));
    const std::vector<QByteArrayView> Set = R.ReadSet();
    ASSERT_EQ(Set.size(), 2u);
    EXPECT_EQ(Set[1], QByteArrayView("fsUnderline"));
    ASSERT_TRUE(R.NextProperty(Name));
    EXPECT_TRUE(R.ReadSet().empty());
    ASSERT_TRUE(R.NextProperty(Name));
    EXPECT_EQ(R.ReadBinary(), QByteArrayView("\x01\x00\x02", 3));
    ASSERT_TRUE(R.NextProperty(Name));
    EXPECT_EQ(R.ReadStringList(), (QStringList{QStringLiteral("x"), QStringLiteral("\u00E9"), QString()}));
    EXPECT_EQ(R.Remaining(), 0);
}

TEST(ClassesRecordsTest, ExtendedFloatsEncodeAndDecodePortably)
{
    // 1.0: exponent 3FFF, mantissa with only its leading bit.
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(DoubleToExtended(1.0).data()), 10).toHex(' '),
              Hex("00 00 00 00 00 00 00 80 FF 3F").toHex(' '));
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(DoubleToExtended(-2.5).data()), 10).toHex(' '),
              Hex("00 00 00 00 00 00 00 A0 00 C0").toHex(' '));
    for (double V : {0.0, 1.0, -2.5, 0.1, 1e300, -1e-300, 4.9e-324, 123456.789})
        EXPECT_EQ(ExtendedToDouble(DoubleToExtended(V).data()), V) << V;
    EXPECT_TRUE(std::isinf(ExtendedToDouble(DoubleToExtended(std::numeric_limits<double>::infinity()).data())));
    EXPECT_TRUE(std::isnan(ExtendedToDouble(DoubleToExtended(std::nan("")).data())));
    // A value beyond the double range reads as infinity, a tiny one as 0.
    const Byte Huge[10] = {0, 0, 0, 0, 0, 0, 0, 0x80, 0xFE, 0x7F};
    EXPECT_TRUE(std::isinf(ExtendedToDouble(Huge)));
    const Byte Tiny[10] = {0, 0, 0, 0, 0, 0, 0, 0x80, 0x01, 0x00};
    EXPECT_EQ(ExtendedToDouble(Tiny), 0.0);
}

TEST(ClassesRecordsTest, BadBytesRaiseBeforeAnythingIsMadeOfThem)
{
    const auto Fails = [](const QByteArray& Data, const char* Message) {
        try {
            TObjectRecordReader R(Data);
            R.BeginRecord();
            QByteArrayView Name;
            while (R.NextProperty(Name))
                R.ReadString();
        } catch (const EReadError& E) {
            return E.Message() == QLatin1String(Message);
        }
        return false;
    };
    const QByteArray Head = QByteArray("TPF0") + Hex("01 41 00");
    EXPECT_TRUE(Fails("TPF1", "Invalid stream format"));
    EXPECT_TRUE(Fails("TP", "Invalid stream format"));
    // A class name longer than the rest.
    EXPECT_TRUE(Fails(QByteArray("TPF0") + Hex("09 41"), "Invalid stream format"));
    // String lengths beyond the rest, of each type.
    EXPECT_TRUE(Fails(Head + Hex("01 73 0C FF FF FF 7F 41"), "Invalid stream format"));
    EXPECT_TRUE(Fails(Head + Hex("01 73 14 05 00 00 00 41"), "Invalid stream format"));
    EXPECT_TRUE(Fails(Head + Hex("01 73 12 FF FF FF FF 41 00"), "Invalid stream format"));
    // Another type than a string, a child record, a missing end.
    EXPECT_TRUE(Fails(Head + Hex("01 73 02 05"), "Invalid stream format"));
    EXPECT_TRUE(Fails(Head + Hex("00 01"), "Invalid stream format"));
    EXPECT_TRUE(Fails(Head + Hex("00"), "Stream read error"));
    EXPECT_FALSE(Fails(Head + Hex("01 73 06 01 41 00 00"), "Invalid stream format"));
}
