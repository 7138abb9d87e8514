// The column stream: the bytes a column grid writes, what a fresh grid reads
// back from them, and broken streams that must leave the grid as it was.
#include "ExGridOnForm.h"
#include "fuzz/ColumnStreamFuzzBody.h"

#include "common/TestPaths.h"
#include "grid/control/ExCGrid.h"
#include "rtl/Menus.h"

#include <QDir>
#include <QFile>

namespace {

using TColumnGridOnForm = TGridOnForm<TExColumnGrid>;

QByteArray SavedStream(TExColumnGrid& Grid)
{
    TMemoryStream Stream;
    Grid.SaveColumnsToStream(&Stream);
    return QByteArray(static_cast<const char*>(Stream.Memory()), qsizetype(Stream.Size()));
}

void LoadStream(TExColumnGrid& Grid, const QByteArray& Bytes)
{
    TMemoryStream Stream;
    Stream.WriteBuffer(Bytes.constData(), Integer(Bytes.size()));
    Stream.SetPosition(0);
    Grid.LoadColumnsFromStream(&Stream);
}

QByteArray ShortName(QByteArrayView Name)
{
    return char(Name.size()) + Name.toByteArray();
}

// The tag byte after the last property of that name.
int TagAfter(const QByteArray& Stream, QByteArrayView Name)
{
    const qsizetype At = Stream.lastIndexOf(ShortName(Name));
    if (At < 0)
        return -1;
    return Byte(Stream[At + 1 + Name.size()]);
}

QByteArray Header(QByteArrayView ClassName = "TExColumnGridIO")
{
    return QByteArray("TPF0") + ShortName(ClassName) + '\0' + ShortName("Items") + char(vaCollection);
}

QByteArray Footer()
{
    return QByteArray(3, '\0');
}

// The grid's state a failed load must not touch.
struct TGridState {
    explicit TGridState(TExColumnGrid& Grid)
        : Stream(SavedStream(Grid)), ColCount(Grid.ColCount()), Count(Grid.Columns()->Count())
    {
        for (Integer C = 0; C < Grid.AllColCount(); ++C) {
            Widths.push_back(Grid.AllColWidths(C));
            Row0.append(Grid.Cells(C, 0));
        }
    }
    bool operator==(const TGridState&) const = default;

    QByteArray Stream;
    Integer ColCount;
    int Count;
    std::vector<Integer> Widths;
    QStringList Row0;
};

// A 4-column grid as the table windows set theirs up.
class ExCGridStreamTest : public ::testing::Test {
protected:
    ExCGridStreamTest()
    {
        G.SetColCount(4);
        G.Columns()->Items(0)->SetHeader(QStringLiteral("Nr"));
        TGridColumnItem* Combo = G.Columns()->Items(1);
        Combo->SetEditor(edComboList);
        Combo->ComboItems()->Add(QStringLiteral("one"));
        Combo->ComboItems()->Add(QStringLiteral("zwei \u00fc"));
        Combo->SetDropDownCount(12);
        TGridColumnItem* Check = G.Columns()->Items(2);
        Check->SetEditor(edDataCheckBox);
        Check->SetCheckTrue(QStringLiteral("1"));
        Check->SetCheckFalse(QStringLiteral("0"));
        Check->SetAlignment(taCenter);
        Check->BorderPen()->SetColor(clBlack);
        TGridColumnItem* Locked = G.Columns()->Items(3);
        Locked->SetReadOnly(true);
        Locked->SetColor(RGB(10, 200, 30));
        Locked->SetWidth(77);
        TFontStyles Bold{fsBold};
        Locked->Font()->SetStyle(Bold);
        Locked->SetColumnPopupType(cpAllCellsLClick);
        Locked->SetPrintBorderCustom(false);
        Locked->SetPrintFontCustom(false);
        Locked->BorderPen()->SetStyle(psDot);
        Locked->PrintBorderPen()->SetMode(pmXor);
        Locked->SetBorders(TCellBorders{cbLeft, cbBottom});
        Locked->Filter()->Add(QStringLiteral("Big=>100"));
        Locked->SetSortStyle(ssNumeric);
        Locked->SetTag(-70000);
        Locked->SetSpinMin(-200);
        Locked->SetSortPrefix(QString(300, u'p'));
        Locked->HeaderFont()->SetPitch(fpFixed);
        Locked->PrintFont()->SetCharset(ANSI_CHARSET);
        G.Loaded();
    }

    TColumnGridOnForm Form;
    TExColumnGrid& G = *Form.Grid;
};

void ExpectSameFont(TFont* A, TFont* B)
{
    EXPECT_EQ(A->Charset(), B->Charset());
    EXPECT_EQ(A->Color(), B->Color());
    EXPECT_EQ(A->Height(), B->Height());
    EXPECT_EQ(A->Name(), B->Name());
    EXPECT_EQ(A->Pitch(), B->Pitch());
    EXPECT_EQ(A->Style(), B->Style());
}

void ExpectSamePen(TPen* A, TPen* B)
{
    EXPECT_EQ(A->Color(), B->Color());
    EXPECT_EQ(A->Mode(), B->Mode());
    EXPECT_EQ(A->Style(), B->Style());
    EXPECT_EQ(A->Width(), B->Width());
}

void ExpectSameItem(TGridColumnItem* A, TGridColumnItem* B)
{
    EXPECT_EQ(A->AutoMinSize(), B->AutoMinSize());
    EXPECT_EQ(A->AutoMaxSize(), B->AutoMaxSize());
    EXPECT_EQ(A->Alignment(), B->Alignment());
    EXPECT_EQ(A->Borders(), B->Borders());
    ExpectSamePen(A->BorderPen(), B->BorderPen());
    EXPECT_EQ(A->CheckFalse(), B->CheckFalse());
    EXPECT_EQ(A->CheckTrue(), B->CheckTrue());
    EXPECT_EQ(A->Color(), B->Color());
    EXPECT_EQ(A->ColumnPopup(), B->ColumnPopup());
    EXPECT_EQ(A->ColumnPopupType(), B->ColumnPopupType());
    EXPECT_EQ(A->ComboItems()->Text(), B->ComboItems()->Text());
    EXPECT_EQ(A->DropDownCount(), B->DropDownCount());
    EXPECT_EQ(A->EditLength(), B->EditLength());
    EXPECT_EQ(A->EditLink(), B->EditLink());
    EXPECT_EQ(A->EditMask(), B->EditMask());
    EXPECT_EQ(A->Editor(), B->Editor());
    EXPECT_EQ(A->Filter()->Text(), B->Filter()->Text());
    EXPECT_EQ(A->FilterCaseSensitive(), B->FilterCaseSensitive());
    EXPECT_EQ(A->Fixed(), B->Fixed());
    EXPECT_EQ(A->FloatFormat(), B->FloatFormat());
    ExpectSameFont(A->Font(), B->Font());
    EXPECT_EQ(A->Header(), B->Header());
    EXPECT_EQ(A->HeaderAlignment(), B->HeaderAlignment());
    ExpectSameFont(A->HeaderFont(), B->HeaderFont());
    EXPECT_EQ(A->MinSize(), B->MinSize());
    EXPECT_EQ(A->MaxSize(), B->MaxSize());
    EXPECT_EQ(A->Name(), B->Name());
    EXPECT_EQ(A->Password(), B->Password());
    EXPECT_EQ(A->PrintBorderCustom(), B->PrintBorderCustom());
    EXPECT_EQ(A->PrintBorders(), B->PrintBorders());
    ExpectSamePen(A->PrintBorderPen(), B->PrintBorderPen());
    EXPECT_EQ(A->PrintColor(), B->PrintColor());
    EXPECT_EQ(A->PrintFontCustom(), B->PrintFontCustom());
    ExpectSameFont(A->PrintFont(), B->PrintFont());
    EXPECT_EQ(A->ReadOnly(), B->ReadOnly());
    EXPECT_EQ(A->ShowBands(), B->ShowBands());
    EXPECT_EQ(A->SortStyle(), B->SortStyle());
    EXPECT_EQ(A->SortPrefix(), B->SortPrefix());
    EXPECT_EQ(A->SortSuffix(), B->SortSuffix());
    EXPECT_EQ(A->SpinMax(), B->SpinMax());
    EXPECT_EQ(A->SpinMin(), B->SpinMin());
    EXPECT_EQ(A->SpinStep(), B->SpinStep());
    EXPECT_EQ(A->Tag(), B->Tag());
    EXPECT_EQ(A->Width(), B->Width());
}

TEST(ExCGridStream, DefaultGridStreamBeginsAndEndsAsTheFrameworkWritesIt)
{
    TColumnGridOnForm Form;
    Form.Grid->Loaded();
    const QByteArray Bytes = SavedStream(*Form.Grid);
    const QByteArray Begin = QByteArray::fromHex("54504630") + ShortName("TExColumnGridIO") + '\0' + ShortName("Items") +
                             char(0x0E) + char(0x01) + ShortName("AutoMinSize");
    EXPECT_TRUE(Bytes.startsWith(Begin)) << Bytes.left(40).toHex().toStdString();
    EXPECT_TRUE(Bytes.endsWith(QByteArray(4, '\0')));
    EXPECT_EQ(Bytes.count(ShortName("AutoMinSize")), 5);
}

TEST_F(ExCGridStreamTest, AFreshGridReadsBackEveryProperty)
{
    TColumnGridOnForm Fresh;
    Fresh.Grid->Loaded();
    LoadStream(*Fresh.Grid, SavedStream(G));

    ASSERT_EQ(Fresh.Grid->Columns()->Count(), 4);
    EXPECT_EQ(Fresh.Grid->ColCount(), 4);
    for (int I = 0; I < 4; ++I) {
        SCOPED_TRACE(I);
        ExpectSameItem(G.Columns()->Items(I), Fresh.Grid->Columns()->Items(I));
    }
    EXPECT_EQ(Fresh.Grid->ColWidths(3), 77);
    EXPECT_EQ(Fresh.Grid->Cells(0, 0), QStringLiteral("Nr"));
    EXPECT_EQ(SavedStream(*Fresh.Grid), SavedStream(G));
}

// Each value takes the tag the stream's rules give it.
TEST_F(ExCGridStreamTest, ValuesTakeTheirTags)
{
    const QByteArray Bytes = SavedStream(G);
    struct TCase {
        const char* Name;
        int Tag;
    } Cases[] = {
        {"SpinMin", vaInt16},          // -200
        {"Tag", vaInt32},              // -70000
        {"SpinStep", vaInt8},          // 1
        {"Header", vaString},          // "Nr"
        {"ComboItems.Strings", vaList},
        {"SortPrefix", vaLString},     // 300 ASCII bytes
        {"Color", vaInt32},            // an RGB colour without a name
        {"Alignment", vaIdent},
        {"Editor", vaIdent},
        {"Borders", vaSet},
        {"ReadOnly", vaTrue},
        {"PrintBorderCustom", vaFalse},
        {"Font.Charset", vaIdent},     // DEFAULT_CHARSET
        {"PrintFont.Charset", vaInt8}, // 0
    };
    for (const TCase& C : Cases)
        EXPECT_EQ(TagAfter(Bytes, C.Name), C.Tag) << C.Name;
    // Only the item that changed them writes pen settings, pitch and the
    // two declared defaults; a colour of the table is a name.
    EXPECT_EQ(Bytes.count(ShortName("PrintBorderCustom")), 1);
    EXPECT_EQ(Bytes.count(ShortName("PrintFontCustom")), 1);
    EXPECT_EQ(Bytes.count(ShortName("HeaderFont.Pitch")), 1);
    EXPECT_EQ(Bytes.count(ShortName("BorderPen.Style")), 1);
    EXPECT_EQ(Bytes.count(ShortName("PrintBorderPen.Mode")), 1);
    EXPECT_EQ(Bytes.count(ShortName("BorderPen.Color")), 4);  // clSilver three times, clBlack once
    EXPECT_EQ(Bytes.count(ShortName("PrintBorderPen.Color")), 0);  // clBlack
    EXPECT_EQ(Bytes.count(ShortName("Filter.Strings")), 1);
    EXPECT_EQ(Bytes.count(ShortName("ColumnPopup")), 0);
    EXPECT_EQ(Bytes.count(ShortName("Color") + char(vaIdent)), 3);
}

TEST(ExCGridStream, TextsTakeTheSmallestFittingTag)
{
    TColumnGridOnForm Form;
    Form.Grid->Loaded();
    const struct {
        QString Text;
        int Tag;
    } Cases[] = {
        {QStringLiteral("abc"), vaString},
        {QString(256, u'a'), vaLString},
        {QStringLiteral("\u00e4bc"), vaUTF8String},
        {QStringLiteral("\u65e5\u672c"), vaWString},
    };
    for (const auto& C : Cases) {
        Form.Grid->Columns()->Items(0)->SetEditMask(C.Text);
        const QByteArray Bytes = SavedStream(*Form.Grid);
        EXPECT_EQ(TagAfter(Bytes, "EditMask"), C.Tag) << C.Text.toStdString();
        TColumnGridOnForm Fresh;
        Fresh.Grid->Loaded();
        LoadStream(*Fresh.Grid, Bytes);
        EXPECT_EQ(Fresh.Grid->Columns()->Items(0)->EditMask(), C.Text);
    }
}

// Any text tag, an integer or a name for a colour, and properties left out
// keep the values of a new item, not those of the item before it.
TEST(ExCGridStream, ReaderTakesEveryTagWhereTheValueFits)
{
    TColumnGridOnForm Form;
    Form.Grid->Loaded();
    Form.Grid->Columns()->Items(0)->SetCheckTrue(QStringLiteral("on"));
    auto Item = [](const QByteArray& Properties) { return char(vaList) + Properties + '\0'; };
    auto U32 = [](quint32 V) {
        return QByteArray(1, char(V & 0xFF)) + char((V >> 8) & 0xFF) + char((V >> 16) & 0xFF) + char(V >> 24);
    };
    const QByteArray Bytes =
        Header() +
        Item(ShortName("Header") + char(vaLString) + U32(2) + "L1" + ShortName("Color") + char(vaInt32) + U32(0x123456)) +
        Item(ShortName("Header") + char(vaWString) + U32(1) + QByteArray::fromHex("e465") +
             ShortName("Color") + char(vaIdent) + ShortName("clRed")) +
        Item(ShortName("Header") + char(vaUTF8String) + U32(2) + QByteArray::fromHex("c3a4") +
             ShortName("DropDownCount") + char(vaInt32) + U32(3)) +
        Footer();
    LoadStream(*Form.Grid, Bytes);
    TGridColumnCollection* Items = Form.Grid->Columns();
    ASSERT_EQ(Items->Count(), 3);
    EXPECT_EQ(Items->Items(0)->Header(), QStringLiteral("L1"));
    EXPECT_EQ(Items->Items(0)->Color(), 0x123456);
    EXPECT_EQ(Items->Items(1)->Header(), QStringLiteral("\u65e4"));
    EXPECT_EQ(Items->Items(1)->Color(), clRed);
    EXPECT_EQ(Items->Items(2)->Header(), QStringLiteral("\u00e4"));
    EXPECT_EQ(Items->Items(2)->DropDownCount(), 3);
    EXPECT_EQ(Items->Items(0)->CheckTrue(), QStringLiteral("Y"));
    EXPECT_EQ(Items->Items(1)->DropDownCount(), 8);
}

// Decision on widths: ColCount follows the items first, then each existing
// column takes its width.
TEST(ExCGridStream, ColCountFollowsTheItemsBeforeTheWidths)
{
    TColumnGridOnForm Wide;
    Wide.Grid->SetColCount(7);
    for (Integer C = 0; C < 7; ++C)
        Wide.Grid->SetColWidths(C, 20 + C);
    Wide.Grid->Loaded();
    const QByteArray Seven = SavedStream(*Wide.Grid);

    TColumnGridOnForm Form;
    Form.Grid->SetColCount(3);
    Form.Grid->Loaded();
    LoadStream(*Form.Grid, Seven);
    EXPECT_EQ(Form.Grid->ColCount(), 7);
    EXPECT_EQ(Form.Grid->Columns()->Count(), 7);
    for (Integer C = 0; C < 7; ++C)
        EXPECT_EQ(Form.Grid->ColWidths(C), 20 + C) << C;

    TColumnGridOnForm Two;
    Two.Grid->SetColCount(2);
    Two.Grid->SetColWidths(1, 33);
    Two.Grid->Loaded();
    LoadStream(*Form.Grid, SavedStream(*Two.Grid));
    EXPECT_EQ(Form.Grid->ColCount(), 2);
    EXPECT_EQ(Form.Grid->Columns()->Count(), 2);
    EXPECT_EQ(Form.Grid->ColWidths(1), 33);
}

TEST(ExCGridStream, PopupMenusAreFoundByNameAmongTheOwnersComponents)
{
    TColumnGridOnForm Form;
    auto* Menu = new TPopupMenu(Form.Form.get());
    Menu->SetName(QStringLiteral("ColumnMenu"));
    Form.Grid->Columns()->Items(1)->SetColumnPopup(Menu);
    Form.Grid->Loaded();
    const QByteArray Bytes = SavedStream(*Form.Grid);
    EXPECT_EQ(TagAfter(Bytes, "ColumnPopup"), vaIdent);

    TColumnGridOnForm Other;
    auto* OtherMenu = new TPopupMenu(Other.Form.get());
    OtherMenu->SetName(QStringLiteral("ColumnMenu"));
    Other.Grid->Loaded();
    LoadStream(*Other.Grid, Bytes);
    EXPECT_EQ(Other.Grid->Columns()->Items(1)->ColumnPopup(), OtherMenu);

    TColumnGridOnForm Bare;
    Bare.Grid->Loaded();
    LoadStream(*Bare.Grid, Bytes);
    EXPECT_EQ(Bare.Grid->Columns()->Items(1)->ColumnPopup(), nullptr);
}

// Decision on broken streams: one EReadError, and the grid as before.
TEST_F(ExCGridStreamTest, BrokenStreamsRaiseOnceAndChangeNothing)
{
    TColumnGridOnForm Source;
    Source.Grid->SetColCount(6);
    Source.Grid->Loaded();
    const QByteArray Good = SavedStream(*Source.Grid);
    const TGridState Before(G);

    std::vector<std::pair<std::string, QByteArray>> Cases;
    for (qsizetype N = 4; N < Good.size(); ++N)
        Cases.emplace_back("cut at " + std::to_string(N), Good.left(N));
    Cases.emplace_back("length beyond the end", Header() + char(vaList) + ShortName("Header") + char(vaLString) +
                                                    QByteArray::fromHex("e8030000") + "abc" + '\0' + Footer());
    QByteArray UnknownTag = Good;
    UnknownTag[UnknownTag.indexOf(ShortName("DropDownCount")) + 14] = char(0x2A);
    Cases.emplace_back("unknown tag", UnknownTag);
    QByteArray UnknownName = Good;
    UnknownName.replace(ShortName("SpinStep"), ShortName("SpinStap"));
    Cases.emplace_back("unknown property", UnknownName);
    QByteArray UnknownIdent = Good;
    UnknownIdent.replace(ShortName("edNormal"), ShortName("edNormol"));
    Cases.emplace_back("unknown identifier", UnknownIdent);
    QByteArray UnknownColour = Good;
    UnknownColour.replace(ShortName("clSilver"), ShortName("clSulver"));
    Cases.emplace_back("unknown colour", UnknownColour);
    QByteArray OtherClass = Good;
    OtherClass.replace(ShortName("TExColumnGridIO"), ShortName("TExColumnGridIX"));
    Cases.emplace_back("another class", OtherClass);
    Cases.emplace_back("no signature", QByteArray("TPF1") + Good.mid(4));
    Cases.emplace_back("another property", Good.left(Good.indexOf(ShortName("Items"))) + ShortName("Itemz") +
                                               Good.mid(Good.indexOf(ShortName("Items")) + 6));
    Cases.emplace_back("a child object", Good.left(Good.size() - 1) + "\x01");
    Cases.emplace_back("width the grid cannot add up", Header() + char(vaList) + ShortName("Width") + char(vaInt32) +
                                                           QByteArray::fromHex("ffffff7f") + '\0' + Footer());
    Cases.emplace_back("integer beyond 32 bits",
                       Header() + char(vaList) + ShortName("Tag") + char(vaInt64) + QByteArray(7, '\x7f') + '\x7f' +
                           '\0' + Footer());

    for (const auto& [Name, Bytes] : Cases) {
        SCOPED_TRACE(Name);
        EXPECT_THROW(LoadStream(G, Bytes), EReadError);
        EXPECT_TRUE(TGridState(G) == Before);
    }
    LoadStream(G, Good);
    EXPECT_EQ(G.ColCount(), 6);
}

TEST(ExCGridStream, TheStreamPositionEndsAfterTheColumns)
{
    TColumnGridOnForm Form;
    Form.Grid->Loaded();
    TMemoryStream Stream;
    Form.Grid->SaveColumnsToStream(&Stream);
    const Int64 End = Stream.Position();
    const char Tail[] = "rest";
    Stream.WriteBuffer(Tail, 4);
    Stream.SetPosition(0);
    Form.Grid->LoadColumnsFromStream(&Stream);
    EXPECT_EQ(Stream.Position(), End);
}

// Every input that once broke the fuzz target, replayed through its body.
TEST(ExCGridStream, FuzzRegressionInputs)
{
    const QDir Dir(testpaths::Fixture(QStringLiteral("grid/regress")));
    const QStringList Files = Dir.entryList({QStringLiteral("colstream-*")}, QDir::Files, QDir::Name);
    ASSERT_GT(Files.size(), 1);
    for (const QString& Name : Files) {
        SCOPED_TRACE(Name.toStdString());
        QFile File(Dir.filePath(Name));
        ASSERT_TRUE(File.open(QIODevice::ReadOnly));
        EXPECT_NO_THROW(fuzzbodies::ColumnStream(File.readAll()));
    }
}

} // namespace
