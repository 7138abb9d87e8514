// The text table: built-in English texts, language files in every encoding
// and by every line rule, choosing the language, and safe patterns.
#include "shell/ULanguage.h"

#include "ShellState.h"
#include "common/TestPaths.h"
#include "platform/TextCodec.h"
#include "shell/UComon.h"
#include "shell/USettingsFile.h"

#include <QDir>
#include <QFile>

#include <map>

namespace {

using Changes = std::map<int, QString>;

// The entries of Lang that differ from the built-in English texts.
Changes ChangedEntries()
{
    Changes changed;
    for (int i = 0; i < Lang.Count(); ++i)
        if (Lang.Strings(i) != Lang_English(i))
            changed[i] = Lang.Strings(i);
    return changed;
}

void WriteFile(const QString& fileName, const QByteArray& bytes)
{
    QFile file(fileName);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << fileName.toStdString();
    ASSERT_EQ(file.write(bytes), bytes.size());
}

// What the four Lingua fixtures set: the same lines in four encodings.
const Changes& LinguaChanges()
{
    static const Changes expected = {
        {0, QStringLiteral("Début")},
        {1, QStringLiteral("Étape 1")},
        {2, QStringLiteral("Schritt  2")},
        {3, QStringLiteral("leading blanks before STR")},
        {6, QStringLiteral(" ")},
        {7, QString()},
        {8, QStringLiteral("  quoted  ")},
        {9, QStringLiteral("before")},
        {10, QStringLiteral("second")},
        {12, QStringLiteral("Twelve without blank")},
        {14, QStringLiteral("blank after STR")},
        {15, QStringLiteral("a = b = c")},
        {16, QStringLiteral("Preis €5 für Öl")},
        {18, QStringLiteral("two blanks before equals")},
        {19, QStringLiteral("tab before STR")},
        {1277, QStringLiteral("Fehler in Kanal #%.2d: Index %s, Subindex %s")},
        {3799, QStringLiteral("last text")},
    };
    return expected;
}

} // namespace

TEST(LangEnglish, HoldsEveryIndexWithBlankFillers)
{
    Load_Lang_English();
    ASSERT_EQ(Lang_Count, 3800);
    ASSERT_EQ(Lang.Count(), 3800);

    const std::pair<int, const char16_t*> samples[] = {
        {0, u"Begin"},
        {11, u"Opened Configuration of the Converter : "},
        {70, u" "},
        {306, u" / "},
        {458, u" "},
        {967, u"Error EtherNet/IP!! Number Byte Input must be between 0 and "},
        {1277, u"Error in Channel #%.2d!! Variable Index %s and SubIndex %s cannot exists"},
        {1312, u"Error!! The file %s cannot be copied into the catalog"},
        {2135, u"!! [BACnet in Read] Length with variable \"Analog Input\" must be between 1 and 4"},
        {3426, u"Description for the M-Bus meter (defined in the section \u201CM-Bus\u201D)"},
        {1734, u"Error in Channel #%.2d!! Event Code %s, Start Bit must be a valid value [0..7]"},
        {3733, u"Are you sure to delete the Row number %d"},
        {3750, u"Insert a Description of EtherCAT Slave Variable"},
        {3799, u" "},
    };
    for (const auto& [index, text] : samples)
        EXPECT_EQ(Lang.Strings(index), QString::fromUtf16(text)) << index;

    // Unused indices are a single blank, never empty; the blocks in use
    // and the texts the program added leave 1565 of them.
    int blanks = 0;
    for (int i = 0; i < Lang.Count(); ++i) {
        EXPECT_FALSE(Lang.Strings(i).isEmpty()) << i;
        blanks += Lang.Strings(i) == QLatin1String(" ");
    }
    EXPECT_EQ(blanks, 1565);
    for (int unused : {61, 99, 111, 199, 208, 322, 1126, 1299, 1313, 1510, 3399, 3751})
        EXPECT_EQ(Lang.Strings(unused), QLatin1String(" ")) << unused;
    EXPECT_EQ(Lang_English(-1), QString());
    EXPECT_EQ(Lang_English(3800), QString());
}

TEST(LangEnglish, RefillsFromScratch)
{
    Load_Lang_English();
    Lang.SetStrings(5, QStringLiteral("changed"));
    Lang.Add(QStringLiteral("extra"));
    Load_Lang_English();
    EXPECT_EQ(Lang.Count(), 3800);
    EXPECT_EQ(Lang.Strings(5), QLatin1String("Step 5"));
}

TEST(ReadLangFile, EachEncodingChangesExactlyTheNamedEntries)
{
    for (const char* name : {"Lingua_ansi.lng", "Lingua_utf8.lng", "Lingua_utf16le.lng", "Lingua_utf16be.lng"}) {
        SCOPED_TRACE(name);
        Load_Lang_English();
        Read_Lang_File(testpaths::Fixture(QStringLiteral("lang/") + QLatin1String(name)));
        EXPECT_EQ(Lang.Count(), 3800);
        EXPECT_EQ(ChangedEntries(), LinguaChanges());
    }
}

TEST(ReadLangFile, LineRules)
{
    struct Case {
        const char* line;
        int index;            // the entry the line should set, or -1 for none
        const char16_t* text;
    };
    const Case cases[] = {
        {"STR12 = Text", 12, u"Text"},
        {"STR12=Text", 12, u"Text"},
        {"STR12   =   Text   ", 12, u"Text"},
        {"  \t STR12 = Text", 12, u"Text"},
        {"STR0 = x = y", 0, u"x = y"},
        {"STR3799 = Last", 3799, u"Last"},
        {"STR12 = Text /#/ note /#/ more", 12, u"Text"},
        {"STR12 = \u00B6 \u00B6", 12, u" "},
        {"STR12 = \u00B6\u00B6", 12, u""},
        {"STR12 = \u00B6 a /#/ b\u00B6", 12, u" a"},
        {"STR12 = \u00B6 kept \u00B6 dropped \u00B6", 12, u" kept "},
        {"STR12 = head\u00B6tail", 12, u"head"},
        {"STR12 = tab\tinside", 12, u"tab\tinside"},
        {"STR12 =", -1, nullptr},
        {"STR12 =     ", -1, nullptr},
        {"STR12 = /#/ only a comment", -1, nullptr},
        {"STR3800 = out of range", -1, nullptr},
        {"STR99999999999 = too big", -1, nullptr},
        {"STR-1 = negative", -1, nullptr},
        {"str12 = lower case", -1, nullptr},
        {"Str12 = mixed case", -1, nullptr},
        {"STR12 without equals", -1, nullptr},
        {"STRx = no number", -1, nullptr},
        {"STR = no number", -1, nullptr},
        {"STR1 2 = two numbers", -1, nullptr},
        {"; STR12 = commented out", -1, nullptr},
        {"", -1, nullptr},
    };
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString file = dir.filePath(QStringLiteral("case.lng"));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        const QString line = QString::fromUtf8(c.line);
        WriteFile(file, textcodec::EncodeText(line + QStringLiteral("\r\n"), textcodec::TTextEncoding::teUtf8, true));
        Load_Lang_English();
        Read_Lang_File(file);
        Changes expected;
        if (c.index >= 0)
            expected[c.index] = QString::fromUtf16(c.text);
        EXPECT_EQ(ChangedEntries(), expected);
    }
}

TEST(ReadLangFile, LaterLineWinsAndOnlyTextLinesCount)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString file = dir.filePath(QStringLiteral("repeat.lng"));
    WriteFile(file, QByteArray("STR1 = one\nSTR2 = two\rSTR1 = uno\r\n[heading]\nSTR1 =\n"));
    Load_Lang_English();
    Read_Lang_File(file);
    EXPECT_EQ(ChangedEntries(), (Changes{{1, QStringLiteral("uno")}, {2, QStringLiteral("two")}}));
}

TEST(ReadLangFile, WithoutMarkTheBytesAreWindows1252)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString file = dir.filePath(QStringLiteral("nomark.lng"));
    // UTF-8 bytes without a mark read as two Windows-1252 characters each.
    WriteFile(file, QByteArray("STR0 = D\xC3\xA9" "but\r\nSTR1 = \x80\xB6 x \xB6\r\n"));
    Load_Lang_English();
    Read_Lang_File(file);
    EXPECT_EQ(ChangedEntries(), (Changes{{0, QStringLiteral("DÃ©but")}, {1, QStringLiteral("€")}}));
}

TEST(ReadLangFile, UnreadableOrForeignFilesLeaveEnglish)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QByteArray binary;
    for (int i = 0; i < 4096; ++i)
        binary.append(char((i * 131 + 7) % 256));
    WriteFile(dir.filePath(QStringLiteral("binary.lng")), binary);
    QDir(dir.path()).mkdir(QStringLiteral("folder.lng"));
    for (const char* name : {"missing.lng", "binary.lng", "folder.lng"}) {
        SCOPED_TRACE(name);
        Load_Lang_English();
        Read_Lang_File(dir.filePath(QLatin1String(name)));
        EXPECT_EQ(Lang.Count(), 3800);
        EXPECT_TRUE(ChangedEntries().empty());
    }
    // Before the English texts are filled no index is accepted.
    Lang.Clear();
    Lang_Count = 0;
    Read_Lang_File(testpaths::Fixture(QStringLiteral("lang/Lingua_utf8.lng")));
    EXPECT_EQ(Lang.Count(), 0);
}

class LoadLanguageTest : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        ASSERT_TRUE(QDir().mkpath(Path_Language));
        ASSERT_TRUE(QFile::copy(testpaths::Fixture(QStringLiteral("lang/Lingua_utf16le.lng")),
                                Path_Language + QStringLiteral("/Lingua.lng")));
    }
    void AddEnglishFile()
    {
        WriteFile(Path_Language + QStringLiteral("/English.lng"), QByteArray("STR0 = Start\r\n"));
    }
};

// An installed copy: the shipped languages in the program folder, the
// user's own in the data folder; the shipped file of a name comes first.
TEST_F(LoadLanguageTest, LanguagesComeFromTheShippedAndTheUsersFolder)
{
    const String Exe = Path_Exe;
    Set_Program_Folders(Exe, Exe + QStringLiteral("/user"));
    ASSERT_TRUE(QDir().mkpath(Path_User_Language));
    WriteFile(Path_User_Language + QStringLiteral("/Mine.lng"), QByteArray("STR0 = Mine\r\n"));
    WriteFile(Path_User_Language + QStringLiteral("/LINGUA.lng"), QByteArray("STR0 = Not shipped\r\n"));
    EXPECT_EQ(Language_Folders(), QStringList({Path_Language, Path_User_Language}));
    for (const auto& [Name, Text0] : {std::pair{"Mine", "Mine"}, std::pair{"Lingua", "Début"}}) {
        Language_Name = QString::fromUtf8(Name);
        Load_Language();
        EXPECT_EQ(Language_Name, QString::fromUtf8(Name));
        EXPECT_EQ(Lang.Strings(0), QString::fromUtf8(Text0));
    }
    Set_Program_Folders(Exe);
    EXPECT_EQ(Language_Folders(), QStringList({Path_Language}));
}

TEST_F(LoadLanguageTest, ChoosesTheFileOrFallsBackToEnglish)
{
    struct Case {
        const char* name;
        bool englishFile;          // English.lng present
        const char* resultName;    // Language_Name afterwards
        const char* text0;         // text 0 afterwards
        int changed;               // number of changed entries
    };
    const Case cases[] = {
        {"Lingua", false, "Lingua", "Début", int(LinguaChanges().size())},
        {"Lingua", true, "Lingua", "Début", int(LinguaChanges().size())},
        {"Removed", false, "English", "Begin", 0},
        {"Removed", true, "English", "Start", 1},
        {"", true, "English", "Start", 1},
        {"../LANGUAGE/Lingua", false, "English", "Begin", 0},
        {"LINGUA", false, "LINGUA", "Début", int(LinguaChanges().size())},
        {"English", true, "English", "Start", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.name) + (c.englishFile ? " with English.lng" : ""));
        QFile::remove(Path_Language + QStringLiteral("/English.lng"));
        if (c.englishFile)
            AddEnglishFile();
        // A previous language must not leak into the next load.
        Language_Name = QStringLiteral("Lingua");
        Load_Language();
        Language_Name = QString::fromUtf8(c.name);
        Load_Language();
        EXPECT_EQ(Language_Name, QString::fromUtf8(c.resultName));
        EXPECT_EQ(Lang.Count(), 3800);
        EXPECT_EQ(Lang.Strings(0), QString::fromUtf8(c.text0));
        EXPECT_EQ(int(ChangedEntries().size()), c.changed);
    }
}

TEST(LangFormat, FallsBackToEnglishWhenTheTranslationDoesNotFit)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString file = dir.filePath(QStringLiteral("patterns.lng"));
    WriteFile(file, textcodec::EncodeText(QStringLiteral(
                          "STR1277 = Kanal #%.2d: Index %s, Subindex %s\r\n"
                          "STR1278 = Kanal #%s: Index %s\r\n"             // %s for a number
                          "STR1279 = Kanal #%.2d: %s %s %s\r\n"           // one more than given
                          "STR1280 = Index %1:s, Subindex %2:s, Kanal %0:d\r\n"
                          "STR1281 = Kanal ohne Nummer\r\n"
                          "STR1282 = Kanal #%.2d %\r\n"                   // cut placeholder
                          "STR3733 = Zeile %d %p\r\n"),
                      textcodec::TTextEncoding::teUtf8, true));
    Load_Lang_English();
    Read_Lang_File(file);

    struct Case {
        int index;
        const char* expected;
    };
    const Case cases[] = {
        {1277, "Kanal #03: Index 7, Subindex 1"},
        {1278, "Error in Channel #03!! Variable Index 7 and SubIndex 1 Value Error"},
        {1279, "Error in Channel #03!! Variable Index 7 and SubIndex 1 SubIndex not exists"},
        {1280, "Index 7, Subindex 1, Kanal 3"},
        {1281, "Kanal ohne Nummer"},
        {1282, "Error in Channel #03!! Variable Index 7 and SubIndex 1 cannot be embty"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(LangFormat(c.index, {3, QStringLiteral("7"), QStringLiteral("1")}), QString::fromUtf8(c.expected))
            << c.index;
    EXPECT_EQ(LangFormat(3733, {12}), QLatin1String("Are you sure to delete the Row number 12"));
}

// One line of a language file must not take the program's memory: a text
// that would grow too large falls back to the built-in pattern.
TEST(LangFormat, ATranslationThatWouldGrowTooLargeFallsBackToEnglish)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString file = dir.filePath(QStringLiteral("huge.lng"));
    WriteFile(file, "STR1700 = " + QByteArray("%0:65535d").repeated(20000) + "\r\n");
    Load_Lang_English();
    Read_Lang_File(file);
    ASSERT_EQ(Lang.Strings(1700).size(), 9 * 20000);
    EXPECT_EQ(LangFormat(1700, {3}), QLatin1String("Error in Channel #03!! Must Select an IODD file for use this channel"));
}

TEST(LangFormat, RaisesOnlyForFaultsOfTheCaller)
{
    Load_Lang_English();
    EXPECT_THROW(LangFormat(3800, {1}), EListError);
    EXPECT_THROW(LangFormat(-1, {1}), EListError);
    EXPECT_THROW(LangFormat(3733, {QStringLiteral("not a number")}), EConvertError);
    // A table not loaded yet still gives the English pattern.
    Lang.Clear();
    EXPECT_EQ(LangFormat(3733, {4}), QLatin1String("Are you sure to delete the Row number 4"));
}

TEST_F(LoadLanguageTest, DumpWritesOneLinePerText)
{
    Language_Name = QStringLiteral("Lingua");
    Load_Language();
    Lang.SetStrings(20, QStringLiteral("two\r\nlines\rand\nmore"));
    const QStringList lines = Lang_Dump();
    ASSERT_EQ(lines.size(), 3800);
    EXPECT_EQ(lines[0], QStringLiteral("0\tDébut"));
    EXPECT_EQ(lines[7], QStringLiteral("7\t"));
    EXPECT_EQ(lines[11], QStringLiteral("11\tOpened Configuration of the Converter : "));
    EXPECT_EQ(lines[20], QStringLiteral("20\ttwo\\r\\nlines\\rand\\nmore"));
    EXPECT_EQ(lines[3799], QStringLiteral("3799\tlast text"));
}

// The sequence of the program's start and of cfgtool lang-dump: settings,
// then the language they name; a removed language is saved back as English.
TEST_F(LoadLanguageTest, SettingsNameTheLanguage)
{
    struct Case {
        const char* name;
        const char* line0;   // first line of the dump
        const char* saved;   // the language the settings keep afterwards
    };
    const Case cases[] = {{"Lingua", "0\tDébut", "Lingua"}, {"Removed", "0\tBegin", "English"}};
    for (const auto& [name, line0, saved] : cases) {
        SCOPED_TRACE(name);
        WriteFile(Settings_File(), QByteArray("<Conf_Settings><lastlang><language>") + name
                                       + "</language></lastlang></Conf_Settings>");
        Read_Settings();
        Load_Language();
        const QStringList lines = Lang_Dump();
        ASSERT_EQ(lines.size(), 3800);
        EXPECT_EQ(lines[0], QString::fromUtf8(line0));
        ASSERT_TRUE(Write_Settings());
        Language_Name.clear();
        Read_Settings();
        EXPECT_EQ(Language_Name, QLatin1String(saved));
    }
}
