#include "platform/TextCodec.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace textcodec;

namespace {

QByteArray ReadBytes(const QString& FileName)
{
    QFile file(FileName);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << FileName.toStdString();
    return file.readAll();
}

void WriteBytes(const QString& FileName, const QByteArray& Bytes)
{
    QFile file(FileName);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(file.write(Bytes), Bytes.size());
}

std::string Hex(const QByteArray& Bytes) { return Bytes.toHex(' ').toStdString(); }

QByteArray EveryByte()
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    return all;
}

} // namespace

TEST(TextCodec, Windows1252MapsTheBytes80To9FBothWays)
{
    struct Case {
        unsigned char Byte;
        char16_t Unicode;
    };
    const Case cases[] = {
        {0x80, u'\u20AC'}, // euro sign
        {0x82, u'\u201A'}, // single low-9 quotation mark
        {0x83, u'\u0192'}, {0x84, u'\u201E'}, {0x85, u'\u2026'}, {0x86, u'\u2020'},
        {0x87, u'\u2021'}, {0x88, u'\u02C6'}, {0x89, u'\u2030'},
        {0x8A, u'\u0160'}, // S with caron
        {0x8B, u'\u2039'}, {0x8C, u'\u0152'}, {0x8E, u'\u017D'},
        {0x91, u'\u2018'}, {0x92, u'\u2019'}, {0x93, u'\u201C'}, {0x94, u'\u201D'},
        {0x95, u'\u2022'}, {0x96, u'\u2013'}, {0x97, u'\u2014'}, {0x98, u'\u02DC'},
        {0x99, u'\u2122'}, {0x9A, u'\u0161'}, {0x9B, u'\u203A'}, {0x9C, u'\u0153'},
        {0x9E, u'\u017E'},
        {0x9F, u'\u0178'}, // Y with diaeresis
        // The five bytes the code page leaves undefined.
        {0x81, u'\u0081'}, {0x8D, u'\u008D'}, {0x8F, u'\u008F'}, {0x90, u'\u0090'}, {0x9D, u'\u009D'},
        // Outside 0x80-0x9F the code page is Latin-1.
        {0x41, u'A'}, {0xA0, u'\u00A0'}, {0xC4, u'\u00C4'}, {0xDF, u'\u00DF'}, {0xFF, u'\u00FF'},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "byte 0x" << std::hex << int(c.Byte));
        const QByteArray byte(1, char(c.Byte));
        const String text(QChar(c.Unicode));
        EXPECT_EQ(AnsiToString(byte), text);
        EXPECT_EQ(Hex(StringToAnsi(text)), Hex(byte));
    }
}

TEST(TextCodec, EveryAnsiByteSurvivesARoundTrip)
{
    const QByteArray all = EveryByte();
    const String text = AnsiToString(all);
    ASSERT_EQ(text.size(), 256);
    EXPECT_EQ(Hex(StringToAnsi(text)), Hex(all));
}

TEST(TextCodec, CharactersOutsideTheAnsiCodePageBecomeQuestionMarks)
{
    struct Case {
        const char16_t* Text;
        QByteArray Ansi;
    };
    const Case cases[] = {
        {u"a\u20ACb", QByteArray("a\x80" "b")},
        {u"\u0141odz", QByteArray("?odz")},           // L with stroke is not in the code page
        {u"x\U0001F600y", QByteArray("x?y")},          // one mark for a surrogate pair
        {u"\u0080", QByteArray("?")},                  // a C1 code that 1252 puts a glyph on
        {u"\u65E5\u672C", QByteArray("??")},
    };
    for (const Case& c : cases) {
        const String text = String::fromUtf16(c.Text);
        EXPECT_EQ(Hex(StringToAnsi(text)), Hex(c.Ansi)) << text.toStdString();
    }
    // A lone surrogate, at the end and inside.
    String lone = QStringLiteral("a");
    lone.append(QChar(0xD800));
    EXPECT_EQ(StringToAnsi(lone), QByteArray("a?"));
    lone.append(QChar(u'b'));
    EXPECT_EQ(StringToAnsi(lone), QByteArray("a?b"));
}

TEST(TextCodec, OemCodePage850DefinesEveryByte)
{
    const QByteArray all = EveryByte();
    const String text = OemToString(all);
    ASSERT_EQ(text.size(), 256);
    EXPECT_EQ(Hex(StringToOem(text)), Hex(all));
    EXPECT_EQ(text.mid(0x80, 4), String::fromUtf16(u"\u00C7\u00FC\u00E9\u00E2"));
    EXPECT_EQ(text[0xB0], QChar(0x2591));
    EXPECT_EQ(StringToOem(String::fromUtf16(u"\u00E9\u20AC\U0001F600")), QByteArray("\x82??"));
    // The ANSI code page's own characters sit elsewhere in 850.
    EXPECT_EQ(StringToOem(AnsiToString("\xE9")), QByteArray("\x82"));
}

TEST(TextCodec, DecodeTextFollowsTheByteOrderMark)
{
    struct Case {
        const char* Name;
        QByteArray Bytes;
        bool BomlessIsUtf8;
        std::optional<TTextEncoding> Bom;
        String Text;
    };
    const String euroA = String::fromUtf16(u"\u20ACa\u00E9");
    const Case cases[] = {
        {"UTF-8 with mark", QByteArray("\xEF\xBB\xBF\xE2\x82\xAC" "a\xC3\xA9"), false, TTextEncoding::teUtf8, euroA},
        {"UTF-16 LE", QByteArray("\xFF\xFE\xAC\x20" "a\0\xE9\0", 8), false, TTextEncoding::teUtf16LE, euroA},
        {"UTF-16 BE", QByteArray("\xFE\xFF\x20\xAC\0" "a\0\xE9", 8), false, TTextEncoding::teUtf16BE, euroA},
        {"ANSI", QByteArray("\x80" "a\xE9"), false, std::nullopt, euroA},
        {"UTF-8 without mark when asked", QByteArray("\xE2\x82\xAC" "a\xC3\xA9"), true, std::nullopt, euroA},
        {"a mark wins over the flag", QByteArray("\xFF\xFE\xAC\x20", 4), true, TTextEncoding::teUtf16LE,
         String::fromUtf16(u"\u20AC")},
        {"odd UTF-16 byte", QByteArray("\xFF\xFE" "a\0b", 5), false, TTextEncoding::teUtf16LE,
         String::fromUtf16(u"a\uFFFD")},
        {"only a mark", QByteArray("\xEF\xBB\xBF"), false, TTextEncoding::teUtf8, String()},
        {"nothing", QByteArray(), false, std::nullopt, String()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        int bomLength = -1;
        EXPECT_EQ(DetectBom(c.Bytes, &bomLength), c.Bom);
        EXPECT_EQ(bomLength, !c.Bom ? 0 : *c.Bom == TTextEncoding::teUtf8 ? 3 : 2);
        EXPECT_EQ(DecodeText(c.Bytes, c.BomlessIsUtf8), c.Text);
    }
}

TEST(TextCodec, EncodeTextWritesTheMarkOnlyWhenAsked)
{
    const String text = String::fromUtf16(u"A\u20AC");
    struct Case {
        TTextEncoding Encoding;
        bool WithBom;
        QByteArray Bytes;
    };
    const Case cases[] = {
        {TTextEncoding::teAnsi, true, QByteArray("A\x80")},
        {TTextEncoding::teUtf8, false, QByteArray("A\xE2\x82\xAC")},
        {TTextEncoding::teUtf8, true, QByteArray("\xEF\xBB\xBF" "A\xE2\x82\xAC")},
        {TTextEncoding::teUtf16LE, true, QByteArray("\xFF\xFE" "A\0\xAC\x20", 6)},
        {TTextEncoding::teUtf16BE, true, QByteArray("\xFE\xFF\0" "A\x20\xAC", 6)},
        {TTextEncoding::teUtf16BE, false, QByteArray("\0" "A\x20\xAC", 4)},
    };
    for (const Case& c : cases) {
        const QByteArray bytes = EncodeText(text, c.Encoding, c.WithBom);
        EXPECT_EQ(Hex(bytes), Hex(c.Bytes));
        if (c.WithBom || c.Encoding == TTextEncoding::teAnsi) {
            EXPECT_EQ(DecodeText(bytes), text);
        }
    }
}

TEST(TextCodec, TextLinesEndWithCrLfInTheirEncoding)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString name = dir.filePath(QStringLiteral("out.txt"));
    const QStringList lines{QStringLiteral("[FileInfo]"), QString(), String::fromUtf16(u"Name=\u20AC\u00E4")};

    WriteTextLines(name, lines, TTextEncoding::teAnsi, false);
    EXPECT_EQ(Hex(ReadBytes(name)), Hex(QByteArray("[FileInfo]\r\n\r\nName=\x80\xE4\r\n")));
    EXPECT_EQ(ReadTextLines(name), lines);

    WriteTextLines(name, lines, TTextEncoding::teUtf8, true);
    EXPECT_EQ(Hex(ReadBytes(name)), Hex(QByteArray("\xEF\xBB\xBF[FileInfo]\r\n\r\nName=\xE2\x82\xAC\xC3\xA4\r\n")));
    EXPECT_EQ(ReadTextLines(name), lines);

    WriteTextLines(name, QStringList(), TTextEncoding::teAnsi, false);
    EXPECT_TRUE(ReadBytes(name).isEmpty());
    EXPECT_TRUE(ReadTextLines(name).isEmpty());
}

TEST(TextCodec, ReadTextLinesSplitsAtEveryKindOfLineEnd)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString name = dir.filePath(QStringLiteral("in.txt"));
    struct Case {
        QByteArray Bytes;
        QStringList Lines;
    };
    const Case cases[] = {
        {"a\r\nb\nc\rd", {"a", "b", "c", "d"}},
        {"a\r\n", {"a"}},
        {"a\r\n\r\n", {"a", ""}},
        {"\n\n", {"", ""}},
        {"a\n\rb", {"a", "", "b"}},
        {"", {}},
    };
    for (const Case& c : cases) {
        WriteBytes(name, c.Bytes);
        EXPECT_EQ(ReadTextLines(name), c.Lines) << Hex(c.Bytes);
    }
}

TEST(TextCodec, FileErrorsNameTheFile)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString missing = dir.filePath(QStringLiteral("missing.lng"));
    try {
        ReadTextLines(missing);
        ADD_FAILURE() << "reading a missing file raised nothing";
    } catch (const EFOpenError& e) {
        EXPECT_TRUE(e.Message().contains(missing)) << e.what();
    }
    try {
        ReadTextLines(dir.path());
        ADD_FAILURE() << "reading a folder raised nothing";
    } catch (const EFOpenError& e) {
        EXPECT_TRUE(e.Message().contains(dir.path())) << e.what();
    }
    const QString inMissingFolder = dir.filePath(QStringLiteral("no/such/folder.eds"));
    try {
        WriteTextLines(inMissingFolder, {QStringLiteral("x")}, TTextEncoding::teAnsi, false);
        ADD_FAILURE() << "writing into a missing folder raised nothing";
    } catch (const EFCreateError& e) {
        EXPECT_TRUE(e.Message().contains(inMissingFolder)) << e.what();
    }
}

TEST(TextCodec, AtomicWriteKeepsPermissionsAndWritesThroughLinks)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString target = dir.filePath(QStringLiteral("target.xml"));
    WriteBytes(target, "old");
    ASSERT_EQ(::chmod(QFile::encodeName(target).constData(), 0640), 0);
    const QString link = dir.filePath(QStringLiteral("link.xml"));
    ASSERT_TRUE(QFile::link(target, link));

    WriteFileAtomically(link, "new content");

    EXPECT_EQ(ReadBytes(target), QByteArray("new content"));
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(target).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System).size(), 2)
        << "a temporary file was left behind";
}
