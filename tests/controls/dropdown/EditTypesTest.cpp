// The value between Prefix and Suffix, the edit types' filters, the caret
// rules, the clipboard and the completion when the focus leaves.
#include "DropDownFixture.h"

#include <QClipboard>
#include <QLineEdit>

namespace {

class EditTypesTest : public DropDownFixture {
protected:
    void SetUp() override
    {
        DropDownFixture::SetUp();
        ShowForm();
        D = MakeDropDown();
        Other = Make<TEdit>(20, 100);
        D->SetFocus();
    }
    // The raw text with the caret (and a selection of Length) at Caret.
    void Start(TDropDownEditType Type, SmallInt Precision, const char* Raw, Integer Caret, Integer Length = 0)
    {
        D->SetEditType(Type);
        D->SetPrecision(Precision);
        D->SetPlainText(QString::fromUtf8(Raw));
        D->LineEdit()->setSelection(Caret, Length);
        if (Length == 0)
            D->LineEdit()->setCursorPosition(Caret);
    }
    void Type(const char* Text) { TypeText(D, QString::fromUtf8(Text)); }
    QString Raw() const { return D->RawText(); }
    Integer Caret() const { return D->LineEdit()->cursorPosition(); }

    TExCustomDropDown* D = nullptr;
    TEdit* Other = nullptr;
};

struct TTypingCase {
    TDropDownEditType Type;
    SmallInt Precision;
    const char* Raw;
    Integer Caret;
    const char* Typed;
    const char* Expected;
    Integer ExpectedCaret;
};

} // namespace

TEST_F(EditTypesTest, SetTextFormatsByType)
{
    const struct {
        TDropDownEditType Type;
        SmallInt Precision;
        const char* Value;
        const char* Shown;
    } Cases[] = {
        {etNumeric, 0, "", "0"},        {etFloat, 0, "", "0"},          {etMoney, 0, "", "0"},
        {etHex, 0, "", "0"},            {etString, 0, "", ""},          {etFloat, 2, "3", "3.00"},
        {etFloat, 2, "Error", "Error"}, {etMoney, 2, "1234.5", "1,234.50"}, {etHex, 0, "ff", "FF"},
        {etFloat, 2, "x", "0.00"},
    };
    for (const auto& C : Cases) {
        D->SetEditType(C.Type);
        D->SetPrecision(C.Precision);
        D->SetText(QString::fromUtf8(C.Value));
        EXPECT_EQ(D->Text(), QString::fromUtf8(C.Shown)) << GetEnumName(C.Type).toStdString() << " " << C.Value;
        D->SetEditType(etString);
        D->SetPrecision(0);
    }
}

TEST_F(EditTypesTest, TypingByType)
{
    const TTypingCase Cases[] = {
        {etMoney, 2, "", 0, "1234567", "1,234,567", 9},
        {etFloat, 2, "1.25", 2, "7", "1.75", 3},
        {etFloat, 2, "1.25", 4, "8", "1.25", 4},
        {etFloat, 2, "", 0, ".", "0.", 2},
        {etFloat, 0, "12", 2, ".", "12", 2},
        {etFloat, 2, "1.25", 1, ".", "1.25", 2},
        {etNumeric, 0, "12", 2, "a-", "12", 2},
        {etRange, 0, "1,", 2, ",", "1,", 2},
        {etRange, 0, "", 0, ";", "", 0},
        {etRange, 0, "1-3", 3, ";5", "1-3;5", 5},
        {etHex, 0, "", 0, "1aG", "1a", 2},
        {etAlphaNumeric, 0, "", 0, "a1-b", "a1b", 3},
        {etUppercase, 0, "", 0, "ab", "AB", 2},
        {etLowerCase, 0, "", 0, "AB", "ab", 2},
        {etMixedCase, 0, "", 0, "ab cd", "Ab Cd", 5},
        {etString, 0, "", 0, "x-.", "x-.", 3},
    };
    for (const auto& C : Cases) {
        Start(C.Type, C.Precision, C.Raw, C.Caret);
        Type(C.Typed);
        EXPECT_EQ(Raw(), QString::fromUtf8(C.Expected)) << GetEnumName(C.Type).toStdString() << " " << C.Typed;
        EXPECT_EQ(Caret(), C.ExpectedCaret) << GetEnumName(C.Type).toStdString() << " " << C.Typed;
        D->SetEditType(etString);
        D->SetPrecision(0);
    }
}

TEST_F(EditTypesTest, ValidCharsAndTheSign)
{
    D->SetValidChars(QStringLiteral("xy"));
    Start(etValidChars, 0, "", 0);
    Type("xayz");
    EXPECT_EQ(Raw(), QStringLiteral("xy"));
    D->SetSigned(true);
    Start(etNumeric, 0, "12", 2);
    Type("-");
    EXPECT_EQ(Raw(), QStringLiteral("-12"));
    EXPECT_EQ(Caret(), 3);
    Type("-");
    EXPECT_EQ(Raw(), QStringLiteral("12"));
    EXPECT_EQ(Caret(), 2);
    Start(etNumeric, 0, "12", 0, 2);
    Type("-");
    EXPECT_EQ(Raw(), QStringLiteral("-"));
    Start(etFloat, 2, "1.50", 4);
    Type("-");
    EXPECT_EQ(Raw(), QStringLiteral("-1.50"));
}

TEST_F(EditTypesTest, LengthLimitCountsTheIntegerPart)
{
    D->SetLengthLimit(3);
    Start(etFloat, 0, "123.4", 1);
    Type("9");
    EXPECT_EQ(Raw(), QStringLiteral("123.4"));
    D->LineEdit()->setCursorPosition(5);
    Type("9");
    EXPECT_EQ(Raw(), QStringLiteral("123.49"));
}

TEST_F(EditTypesTest, PrefixAndSuffixFrameTheValue)
{
    D->SetPrefix(QStringLiteral("$"));
    D->SetSuffix(QStringLiteral(" kg"));
    D->SetSigned(true);
    D->SetEditType(etNumeric);
    D->SetText(QStringLiteral("12"));
    EXPECT_EQ(Raw(), QStringLiteral("$12 kg"));
    EXPECT_EQ(D->Text(), QStringLiteral("12"));
    D->LineEdit()->setCursorPosition(1);
    Press(D, Qt::Key_End);
    EXPECT_EQ(Caret(), 3);
    Press(D, Qt::Key_Right);
    EXPECT_EQ(Caret(), 3);
    Press(D, Qt::Key_Home);
    EXPECT_EQ(Caret(), 1);
    Press(D, Qt::Key_Left);
    EXPECT_EQ(Caret(), 1);
    Press(D, Qt::Key_End, Qt::ShiftModifier);
    EXPECT_EQ(D->SelText(), QStringLiteral("12"));
    D->LineEdit()->setCursorPosition(3);
    Type("-");
    EXPECT_EQ(Raw(), QStringLiteral("$-12 kg"));
    D->LineEdit()->setCursorPosition(1);
    Press(D, Qt::Key_Backspace);
    EXPECT_EQ(Raw(), QStringLiteral("$-12 kg"));
    D->SelectAll();
    EXPECT_EQ(D->SelStart(), 1);
    EXPECT_EQ(D->SelLength(), 3);
}

TEST_F(EditTypesTest, PasteByType)
{
    const struct {
        TDropDownEditType Type;
        const char* Raw;
        const char* Clip;
        const char* Expected;
    } Cases[] = {
        {etNumeric, "12", "a", "12"},     {etNumeric, "12", "3", "123"},    {etHex, "1", "2", "1"},
        {etRange, "1", "2", "1"},         {etAlphaNumeric, "a", "b!", "a"}, {etAlphaNumeric, "a", "b2", "ab2"},
        {etUppercase, "A", "bc", "ABC"}, {etString, "x", "yz", "xyz"},     {etNumeric, "1", "-2", "1"},
    };
    for (const auto& C : Cases) {
        Start(C.Type, 0, C.Raw, Length(QString::fromUtf8(C.Raw)));
        QApplication::clipboard()->setText(QString::fromUtf8(C.Clip));
        Press(D, Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(Raw(), QString::fromUtf8(C.Expected)) << GetEnumName(C.Type).toStdString() << " " << C.Clip;
        D->SetEditType(etString);
    }
    Start(etFloat, 2, "", 0);
    QApplication::clipboard()->setText(QStringLiteral("2.5"));
    Press(D, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Raw(), QStringLiteral("2.50"));
}

TEST_F(EditTypesTest, ClipboardEventsCanRefuse)
{
    Start(etString, 0, "hello", 0, 5);
    QStringList Events;
    bool Allow = false;
    D->OnClipboardCopy = [&](TObject*, String V, bool& A) {
        Events << QStringLiteral("copy:") + V;
        A = Allow;
    };
    D->OnClipboardCut = [&](TObject*, String V, bool& A) {
        Events << QStringLiteral("cut:") + V;
        A = Allow;
    };
    D->OnClipboardPaste = [&](TObject*, String V, bool& A) {
        Events << QStringLiteral("paste:") + V;
        A = Allow;
    };
    QApplication::clipboard()->setText(QStringLiteral("clip"));
    Press(D, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("clip"));
    Press(D, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(Raw(), QStringLiteral("hello"));
    Press(D, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Raw(), QStringLiteral("hello"));
    Allow = true;
    D->LineEdit()->setSelection(0, 2);
    Press(D, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(Raw(), QStringLiteral("llo"));
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("he"));
    EXPECT_EQ(Events, (QStringList{QStringLiteral("copy:hello"), QStringLiteral("cut:hello"),
                                   QStringLiteral("paste:clip"), QStringLiteral("cut:he")}));
}

TEST_F(EditTypesTest, ThousandSeparatorRewritesRaiseNoChange)
{
    D->SetEditType(etMoney);
    D->SetPrecision(2);
    D->SetPlainText(QStringLiteral("1234"));
    int Changes = 0;
    D->OnChange = [&](TObject*) { ++Changes; };
    D->LineEdit()->setCursorPosition(4);
    Press(D, Qt::Key_5);
    EXPECT_EQ(Raw(), QStringLiteral("12,345"));
    EXPECT_EQ(Changes, 1);
}

TEST_F(EditTypesTest, FocusLossCompletesNumbers)
{
    Start(etNumeric, 0, "", 0);
    Other->SetFocus();
    EXPECT_EQ(Raw(), QStringLiteral("0"));
    D->SetFocus();
    D->SetAllowNumericNullValue(true);
    D->SetPlainText(QString());
    Other->SetFocus();
    EXPECT_EQ(Raw(), QString());
    D->SetAllowNumericNullValue(false);
    D->SetFocus();
    Start(etFloat, 2, "3", 1);
    Other->SetFocus();
    EXPECT_EQ(Raw(), QStringLiteral("3.00"));
}

TEST_F(EditTypesTest, NumberValuesNeverRaise)
{
    const struct {
        TDropDownEditType Type;
        const char* Raw;
        double Value;
    } Cases[] = {
        {etNumeric, "Error", 0}, {etNumeric, "-", 0},      {etFloat, "", 0},      {etFloat, "x1", 0},
        {etMoney, "1,234.", 1234}, {etMoney, "-", 0},      {etHex, "1F", 31},     {etHex, "", 0},
        {etString, "2.5", 2.5},  {etRange, "1-2", 0},      {etFloat, "1,234.5", 1234.5},
    };
    for (const auto& C : Cases) {
        D->SetEditType(C.Type);
        D->SetPlainText(QString::fromUtf8(C.Raw));
        EXPECT_DOUBLE_EQ(D->GetFloatValue(), C.Value) << GetEnumName(C.Type).toStdString() << " " << C.Raw;
        D->SetEditType(etString);
    }
    D->SetEditType(etHex);
    D->SetFloatValue(1e30);
    EXPECT_EQ(D->Text(), QStringLiteral("0"));
    D->SetEditType(etFloat);
    D->SetPrecision(-1);
    D->SetFloatValue(2.5);
    EXPECT_EQ(D->Text(), QStringLiteral("2.5"));
}
