// The RTF reader and writer, the rich edit with its RTF lines and character
// formats, and the command notifications of edits and combo boxes.
#include "common/TestPaths.h"
#include "fuzz/RtfFuzzBody.h"
#include "rtl/ComCtrls.h"
#include "rtl/Forms.h"
#include "rtl/RichText.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QtTest/QTest>

#include <gtest/gtest.h>

namespace {

TRichCharFormat Bold()
{
    TRichCharFormat F;
    F.Bold = true;
    return F;
}

bool SevenBit(const QByteArray& Bytes)
{
    return std::all_of(Bytes.begin(), Bytes.end(), [](char C) { return Byte(C) < 0x80; });
}

TEST(RichText, ReadsTheFormatsOfTheSubset)
{
    const TRichDocument Doc = ReadRtf(
        "{\\rtf1\\ansi{\\fonttbl{\\f0\\fnil Arial;}{\\f1 Times New Roman;}}{\\colortbl ;\\red255\\green0\\blue0;}"
        "\\f1\\fs28 plain \\b bold\\b0  \\i it\\i0  \\ul ul\\ulnone  \\strike st\\strike0  \\cf1 red\\cf0  "
        "x\\up4 2\\up0 y\\dn4 i\\plain\\par second\\line line\\tab tab}");
    ASSERT_EQ(Doc.Paragraphs.size(), 2u);
    const std::vector<TRichRun>& R = Doc.Paragraphs[0].Runs;
    ASSERT_EQ(R.size(), 14u);
    EXPECT_EQ(R[0].Text, "plain ");
    EXPECT_EQ(R[0].Format.FontName, "Times New Roman");
    EXPECT_EQ(R[0].Format.HalfPoints, 28);
    EXPECT_TRUE(R[1].Format.Bold);
    EXPECT_EQ(R[1].Text, "bold");
    EXPECT_TRUE(R[3].Format.Italic);
    EXPECT_TRUE(R[5].Format.Underline);
    EXPECT_TRUE(R[7].Format.StrikeOut);
    EXPECT_EQ(R[9].Text, "red");
    EXPECT_EQ(R[9].Format.Color, RGB(255, 0, 0));
    EXPECT_EQ(R[10].Text, " x");
    EXPECT_EQ(R[11].Format.VAlign, rvSuperscript);
    EXPECT_EQ(R[11].Text, "2");
    EXPECT_EQ(R[12].Text, "y");
    EXPECT_EQ(R[13].Format.VAlign, rvSubscript);
    EXPECT_EQ(Doc.Paragraphs[1].Runs.back().Text, QStringLiteral("second\u2028line\ttab"));
    EXPECT_EQ(Doc.Paragraphs[1].Runs.back().Format, TRichCharFormat());
    EXPECT_EQ(Doc.PlainText("\r\n"), QStringLiteral("plain bold it ul st red x2yi\r\nsecond\r\nline\ttab"));
}

TEST(RichText, SkipsUnknownWordsAndGroupsWithoutText)
{
    const TRichDocument Doc = ReadRtf("{\\rtf1{\\*\\generator Gen 1.0;}{\\stylesheet{\\s0 Normal;}}{\\info{\\title T}}"
                                      "\\viewkind4\\nosuchword12 a{\\*\\unknown {b}}c}");
    EXPECT_EQ(Doc.PlainText("\n"), "ac");
}

TEST(RichText, EscapesGiveTheirCharacters)
{
    const TRichDocument Doc = ReadRtf("{\\rtf1 Caf\\'e9 \\'80 \\{x\\}\\\\ \\u8364?\\uc2\\u-3913xy z\\~}");
    EXPECT_EQ(Doc.PlainText("\n"), QStringLiteral("Caf\u00e9 \u20ac {x}\\ \u20ac\uf0b7 z\u00a0"));
}

TEST(RichText, EveryByteOfAnEscapeComesBack)
{
    for (int B = 0; B < 256; ++B) {
        const Char C = RtfByteToChar(Byte(B));
        EXPECT_EQ(RtfCharToByte(C), B) << B;
        const QByteArray Hex = QByteArray::number(B, 16).rightJustified(2, '0');
        const TRichDocument Doc = ReadRtf("{\\rtf1 <\\'" + Hex + ">}");
        EXPECT_EQ(Doc.Paragraphs[0].Text(), String(u'<') + C + u'>') << B;
        const QByteArray Out = WriteRtf(Doc);
        EXPECT_TRUE(SevenBit(Out)) << B;
        EXPECT_EQ(ReadRtf(Out), Doc) << B;
    }
}

TEST(RichText, WrittenRtfIsSevenBitAndReadsBackTheSame)
{
    TRichDocument Doc;
    TRichCharFormat Red;
    Red.Color = RGB(200, 10, 20);
    Red.FontName = QStringLiteral("Semi;colon \u00c9");
    Red.HalfPoints = 17;
    TRichCharFormat Super;
    Super.VAlign = rvSuperscript;
    Super.Italic = true;
    Doc.Paragraphs[0].Append(QStringLiteral("{b}\\ \u20ac\u4e2d\t"), Bold());
    Doc.Paragraphs[0].Append(QStringLiteral("red"), Red);
    Doc.Paragraphs[0].Append(QStringLiteral("2"), Super);
    Doc.Paragraphs.emplace_back();
    Doc.Paragraphs.emplace_back().Append(QStringLiteral("last\u2028line"), TRichCharFormat());
    const QByteArray Out = WriteRtf(Doc);
    EXPECT_TRUE(SevenBit(Out)) << Out.toStdString();
    EXPECT_EQ(ReadRtf(Out), Doc) << Out.toStdString();
}

TEST(RichText, MalformedInputIsReadAsFarAsItGoes)
{
    const struct {
        const char* Name;
        QByteArray Rtf;
        String Text;
    } Cases[] = {
        {"unclosed", "{\\rtf1 {\\b open", "open"},
        {"closed early", "{\\rtf1 a}}}b", "a"},
        {"huge numbers", "{\\rtf1\\fs99999999999999999999 \\uc99999999999\\u99999999999 x\\cf123456789 y}", "y"},
        {"cut escape", "{\\rtf1 a\\'4", "a"},
        {"lone backslash", "{\\rtf1 a\\", "a"},
        {"no group", "plain", "plain"},
        {"empty", "", ""},
    };
    for (const auto& C : Cases)
        EXPECT_EQ(ReadRtf(C.Rtf).PlainText("\n"), C.Text) << C.Name;
}

TEST(RichText, DeepNestingIsBoundedAndKeepsTheText)
{
    QByteArray Deep = "{\\rtf1 ";
    for (int I = 0; I < 100000; ++I)
        Deep += "{\\b ";
    Deep += "x";
    for (int I = 0; I < 100000; ++I)
        Deep += '}';
    Deep += "y}";
    const TRichDocument Doc = ReadRtf(Deep);
    EXPECT_EQ(Doc.PlainText("\n"), "xy");
    EXPECT_TRUE(Doc.Paragraphs[0].Runs.front().Format.Bold);
    EXPECT_FALSE(Doc.Paragraphs[0].Runs.back().Format.Bold);
}

// Every input that once broke the fuzz target, replayed through its body.
TEST(RichText, FuzzRegressionInputs)
{
    const QDir Dir(testpaths::Fixture(QStringLiteral("grid/regress")));
    const QStringList Files = Dir.entryList(QDir::Files, QDir::Name);
    ASSERT_GT(Files.size(), 1);
    for (const QString& Name : Files) {
        if (Name == u"README")
            continue;
        SCOPED_TRACE(Name.toStdString());
        QFile File(Dir.filePath(Name));
        ASSERT_TRUE(File.open(QIODevice::ReadOnly));
        EXPECT_NO_THROW(fuzzbodies::RtfText(File.readAll()));
    }
}

// ---------------------------------------------------------------- the rich edit

class RichEditTest : public ::testing::Test {
protected:
    RichEditTest() : Edit(new TRichEdit(&Form)) { Edit->SetParent(&Form); }

    QByteArray Save() const
    {
        TMemoryStream S;
        Edit->Lines()->SaveToStream(&S);
        return QByteArray(static_cast<const char*>(S.Memory()), qsizetype(S.Size()));
    }
    void Load(const QByteArray& Bytes)
    {
        TMemoryStream S;
        S.WriteBuffer(Bytes.constData(), Bytes.size());
        S.Seek(0, soFromBeginning);
        Edit->Lines()->LoadFromStream(&S);
    }
    LongInt SelOffset()
    {
        TCharFormat F;
        Edit->Perform(EM_GETCHARFORMAT, SCF_SELECTION, LPARAM(&F));
        return F.yOffset;
    }

    TForm Form{nullptr};
    TRichEdit* Edit;
};

TEST_F(RichEditTest, LinesRoundTripTheFormattedText)
{
    const QByteArray Rtf = "{\\rtf1{\\colortbl ;\\red0\\green128\\blue0;}\\b Bold\\b0  \\cf1 green\\cf0  x\\up4 2\\up0"
                           "\\par {\\'00\\'0d\\'0a\\'ff}\\par}";
    Load(Rtf);
    EXPECT_EQ(Edit->Lines()->Count(), 3);
    EXPECT_EQ(Edit->Lines()->Strings(0), "Bold green x2");
    EXPECT_EQ(ReadRtf(Save()), ReadRtf(Rtf));
    EXPECT_TRUE(SevenBit(Save()));
}

TEST_F(RichEditTest, PlainTextStreamsCarryText)
{
    Edit->SetPlainText(true);
    Load("{\\rtf1 not read}");
    EXPECT_EQ(Edit->Text(), "{\\rtf1 not read}");
    EXPECT_EQ(Save(), "{\\rtf1 not read}\r\n");
}

TEST_F(RichEditTest, CharacterOffsetReadsBackAsFortyTwips)
{
    Edit->SetText(QStringLiteral("H2O"));
    EXPECT_EQ(SelOffset(), 0);
    Edit->SetSelStart(1);
    Edit->SetSelLength(1);
    for (const LongInt Offset : {LongInt(40), LongInt(-40), LongInt(0), LongInt(7), LongInt(-300)}) {
        TCharFormat F;
        F.dwMask = CFM_OFFSET;
        F.yOffset = Offset;
        Edit->Perform(EM_SETCHARFORMAT, SCF_SELECTION, LPARAM(&F));
        EXPECT_EQ(SelOffset(), Offset > 0 ? 40 : Offset < 0 ? -40 : 0) << Offset;
    }
    TCharFormat Sub;
    Sub.dwMask = CFM_OFFSET;
    Sub.yOffset = -40;
    Edit->Perform(EM_SETCHARFORMAT, SCF_SELECTION, LPARAM(&Sub));
    EXPECT_EQ(Edit->Document().Paragraphs[0].Runs.size(), 3u);
    EXPECT_EQ(Edit->Document().Paragraphs[0].Runs[1].Format.VAlign, rvSubscript);
}

TEST_F(RichEditTest, TheContentAsksForItsSize)
{
    std::vector<TRect> Asked;
    Edit->OnResizeRequest = [&](TObject*, TRect R) { Asked.push_back(R); };
    Edit->SetWordWrap(false);
    Load("{\\rtf1 one\\par two\\par three}");
    Asked.clear();
    Edit->Perform(EM_REQUESTRESIZE);
    ASSERT_EQ(Asked.size(), 1u);
    const TRect Three = Asked.back();
    Load("{\\rtf1 one}");
    Edit->Perform(EM_REQUESTRESIZE);
    EXPECT_GT(Three.Height(), Asked.back().Height());
    Load("{\\rtf1 a much longer line of text}");
    Edit->Perform(EM_REQUESTRESIZE);
    EXPECT_GT(Asked.back().Width(), Three.Width());
}

// ---------------------------------------------------------------- command notifications

// Keeps the command notifications its children send.
class TNotifiedPanel : public TWinControl {
public:
    using TWinControl::TWinControl;
    std::vector<std::pair<Word, TControl*>> Commands;

    void Dispatch(TMessage& Message) override
    {
        if (Message.Msg == WM_COMMAND)
            Commands.emplace_back(Message.WParamHi(), FindControl(reinterpret_cast<HWND>(Message.LParam)));
        TWinControl::Dispatch(Message);
    }
};

TEST(CommandNotifications, AnEditTellsItsParentAndStillChanges)
{
    TForm Form(nullptr);
    auto* Panel = new TNotifiedPanel(&Form);
    Panel->SetParent(&Form);
    auto* Edit = new TEdit(&Form);
    Edit->SetParent(Panel);
    Integer Changes = 0;
    Edit->OnChange = [&](TObject*) { ++Changes; };
    Edit->SetText("abc");
    ASSERT_EQ(Panel->Commands.size(), 1u);
    EXPECT_EQ(Panel->Commands[0], std::make_pair(Word(EN_CHANGE), static_cast<TControl*>(Edit)));
    EXPECT_EQ(Changes, 1);
}

TEST(CommandNotifications, AComboBoxTellsItsParentOfPicksTypingAndItsList)
{
    TForm Form(nullptr);
    Form.SetBounds(0, 0, 300, 200);
    auto* Panel = new TNotifiedPanel(&Form);
    Panel->SetParent(&Form);
    Panel->SetBounds(0, 0, 300, 200);
    auto* Box = new TComboBox(&Form);
    Box->SetParent(Panel);
    Box->Items()->Add("one");
    Box->Items()->Add("two");
    std::vector<String> Events;
    Box->OnChange = [&](TObject*) { Events.push_back("change"); };
    Box->OnSelect = [&](TObject*) { Events.push_back("select"); };
    Box->OnDropDown = [&](TObject*) { Events.push_back("drop"); };
    Box->OnCloseUp = [&](TObject*) { Events.push_back("close"); };
    Form.Show();
    QApplication::processEvents();
    Box->ComboBox()->showPopup();
    Box->ComboBox()->hidePopup();
    emit Box->ComboBox()->activated(1);
    QTest::keyClicks(Box->ComboBox()->lineEdit(), "x");
    std::vector<Word> Codes;
    for (const auto& [Code, From] : Panel->Commands) {
        EXPECT_EQ(From, Box);
        Codes.push_back(Code);
    }
    EXPECT_EQ(Codes, (std::vector<Word>{CBN_DROPDOWN, CBN_CLOSEUP, CBN_SELCHANGE, CBN_EDITCHANGE}));
    EXPECT_EQ(Events, (std::vector<String>{"drop", "close", "select", "change"}));
    String Item;
    EXPECT_EQ(Box->Perform(CB_GETLBTEXT, 1, LPARAM(&Item)), 3);
    EXPECT_EQ(Item, "two");
    EXPECT_EQ(Box->Perform(CB_GETLBTEXT, 2, LPARAM(&Item)), -1);
    Box->SetItemIndex(1);
    EXPECT_EQ(Box->Perform(CB_GETCURSEL), 1);
}

} // namespace
