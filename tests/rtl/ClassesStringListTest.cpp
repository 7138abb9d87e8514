#include "rtl/Classes.h"
#include "RtlTestPrint.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

std::vector<String> Lines(const TStrings& S)
{
    std::vector<String> R;
    for (int I = 0; I < S.Count(); ++I)
        R.push_back(S.Strings(I));
    return R;
}

void Fill(TStrings& S, const std::vector<String>& Items)
{
    S.Clear();
    for (const String& Item : Items)
        S.Add(Item);
}

class TCounted : public TObject {
public:
    explicit TCounted(int* ALive) : Live(ALive) { ++*Live; }
    ~TCounted() override { --*Live; }
    int* Live;
};

} // namespace

TEST(StringList, SortFollowsTheLocaleWithCaseIgnoredUnlessAsked)
{
    TStringList L;
    Fill(L, {"b", "A", "f", "a", "é", "C", "B", "e", "Z", "10", "9"});
    L.Sort();
    // Equal without case: the earlier added comes first.
    EXPECT_EQ(Lines(L), (std::vector<String>{"10", "9", "A", "a", "b", "B", "C", "e", "é", "f", "Z"}));

    L.SetCaseSensitive(true);
    L.Sort();
    EXPECT_EQ(Lines(L), (std::vector<String>{"10", "9", "a", "A", "b", "B", "C", "e", "é", "f", "Z"}));

    // Changing CaseSensitive re-sorts a sorted list.
    TStringList S;
    S.SetCaseSensitive(true);
    S.SetSorted(true);
    for (const char* T : {"B", "a", "A", "b"})
        S.Add(T);
    EXPECT_EQ(Lines(S), (std::vector<String>{"a", "A", "b", "B"}));
    S.SetDuplicates(dupAccept);
    S.SetCaseSensitive(false);
    EXPECT_EQ(Lines(S), (std::vector<String>{"a", "A", "b", "B"}));
    EXPECT_EQ(S.IndexOf("B"), 2);
}

TEST(StringList, DuplicatesOnSortedListsFollowTheMode)
{
    struct Case {
        TDuplicates Mode;
        std::vector<String> Expected;
        bool Raises;
    };
    const std::vector<Case> Cases{
        {dupIgnore, {"apple", "pear"}, false},
        {dupAccept, {"APPLE", "apple", "pear"}, false},
        {dupError, {"apple", "pear"}, true},
    };
    for (const Case& C : Cases) {
        TStringList L;
        L.SetSorted(true);
        L.SetDuplicates(C.Mode);
        L.Add("pear");
        L.Add("apple");
        int Index = -1;
        try {
            Index = L.Add("APPLE");
            EXPECT_FALSE(C.Raises) << C.Mode;
        } catch (const EStringListError& E) {
            EXPECT_TRUE(C.Raises) << C.Mode;
            EXPECT_EQ(E.Message(), "String list does not allow duplicates");
        }
        EXPECT_EQ(Lines(L), C.Expected) << C.Mode;
        if (!C.Raises) {
            EXPECT_EQ(Index, 0) << C.Mode;
        }
    }
    // Duplicates are only looked for in sorted lists.
    TStringList Plain;
    Plain.SetDuplicates(dupError);
    Plain.Add("x");
    EXPECT_NO_THROW(Plain.Add("x"));
}

TEST(StringList, FindAndIndexOfOnSortedLists)
{
    TStringList L;
    L.SetSorted(true);
    for (const char* T : {"delta", "alpha", "charlie", "echo", "bravo"})
        L.Add(T);
    EXPECT_EQ(Lines(L), (std::vector<String>{"alpha", "bravo", "charlie", "delta", "echo"}));
    const std::vector<std::tuple<String, bool, int>> Cases{
        {"alpha", true, 0}, {"CHARLIE", true, 2}, {"echo", true, 4},
        {"aardvark", false, 0}, {"coffee", false, 3}, {"zulu", false, 5},
    };
    for (const auto& [S, Found, Index] : Cases) {
        int I = -1;
        EXPECT_EQ(L.Find(S, I), Found) << S.toStdString();
        EXPECT_EQ(I, Index) << S.toStdString();
        EXPECT_EQ(L.IndexOf(S), Found ? Index : -1) << S.toStdString();
    }
    L.SetCaseSensitive(true);
    EXPECT_EQ(L.IndexOf("CHARLIE"), -1);

    // Positions are the list's business on a sorted list.
    const std::vector<std::function<void()>> Refused{
        [&] { L.Insert(0, "x"); }, [&] { L.InsertObject(0, "x", nullptr); },
        [&] { L.SetStrings(0, "x"); }, [&] { L.Move(0, 1); }};
    for (const auto& Op : Refused) {
        try {
            Op();
            ADD_FAILURE();
        } catch (const EStringListError& E) {
            EXPECT_EQ(E.Message(), "Operation not allowed on sorted list");
        }
    }
    EXPECT_EQ(L.Count(), 5);
    EXPECT_EQ(L.Strings(0), "alpha");
}

TEST(StringList, IndexesOutOfBoundsRaiseWithTheIndex)
{
    TStringList L;
    Fill(L, {"a", "b"});
    const std::vector<std::pair<std::function<void()>, int>> Cases{
        {[&] { L.Strings(2); }, 2}, {[&] { L.Objects(-1); }, -1}, {[&] { L.SetStrings(5, "x"); }, 5},
        {[&] { L.SetObjects(2, nullptr); }, 2}, {[&] { L.Delete(2); }, 2}, {[&] { L.Insert(3, "x"); }, 3},
        {[&] { L.Exchange(0, 2); }, 2}, {[&] { L.Move(-1, 0); }, -1},
    };
    for (const auto& [Op, Index] : Cases) {
        try {
            Op();
            ADD_FAILURE() << Index;
        } catch (const EStringListError& E) {
            EXPECT_EQ(E.Message(), QStringLiteral("List index out of bounds (%1)").arg(Index));
        }
    }
    EXPECT_EQ(Lines(L), (std::vector<String>{"a", "b"}));
}

TEST(StringList, CommaTextQuotesWhatWouldNotReadBackAndRoundTrips)
{
    const std::vector<std::pair<std::vector<String>, String>> Cases{
        {{"a", "b c", "d,e", "f\"g", ""}, "a,\"b c\",\"d,e\",\"f\"\"g\","},
        {{"", "x", ""}, ",x,"},
        {{""}, "\"\""},
        {{"", ""}, ","},
        {{}, ""},
        {{" lead", "tab\there", "line\r\nbreak"}, "\" lead\",\"tab\there\",\"line\r\nbreak\""},
        {{"'single'", "ä ö"}, "'single',\"ä ö\""},
    };
    for (const auto& [Items, Text] : Cases) {
        TStringList L;
        Fill(L, Items);
        EXPECT_EQ(L.CommaText(), Text);
        TStringList Back;
        Back.SetCommaText(Text);
        EXPECT_EQ(Lines(Back), Items) << Text.toStdString();
    }
    // Blanks separate unless quoted; blanks around delimiters go.
    TStringList L;
    L.SetCommaText("  a b , c ,\"d e\"x,\"un\"\"closed");
    EXPECT_EQ(Lines(L), (std::vector<String>{"a", "b", "c", "d e", "x", "un\"closed"}));
    // The list's own delimiter settings are not touched.
    L.SetDelimiter(u';');
    L.SetCommaText("p;q");
    EXPECT_EQ(Lines(L), (std::vector<String>{"p;q"}));
    EXPECT_EQ(L.Delimiter(), u';');
}

TEST(StringList, DelimitedTextWithStrictDelimiterKeepsBlanks)
{
    TStringList L;
    L.SetDelimiter(u';');
    L.SetQuoteChar(u'\'');
    L.SetStrictDelimiter(true);
    L.SetDelimitedText(" a b; c;'d;e';");
    EXPECT_EQ(Lines(L), (std::vector<String>{" a b", " c", "d;e", ""}));
    Fill(L, {"a b", "c;d", "it's", "x,y"});
    EXPECT_EQ(L.DelimitedText(), "a b;'c;d';'it''s';x,y");

    L.SetStrictDelimiter(false);
    EXPECT_EQ(L.DelimitedText(), "'a b';'c;d';'it''s';x,y");
    L.SetDelimitedText(" a b; c;'d;e';");
    EXPECT_EQ(Lines(L), (std::vector<String>{"a", "b", "c", "d;e", ""}));
}

TEST(StringList, NamesAndValues)
{
    TStringList L;
    Fill(L, {"Port=502", "host = plc", "flag", "=empty", "Path=a=b"});
    EXPECT_EQ(L.Values("port"), "502");
    EXPECT_EQ(L.Values("host "), " plc");
    EXPECT_EQ(L.Values("flag"), "");
    EXPECT_EQ(L.Values("path"), "a=b");
    EXPECT_EQ(L.Names(2), "");
    EXPECT_EQ(L.Names(3), "");
    EXPECT_EQ(L.Names(4), "Path");
    EXPECT_EQ(L.ValueFromIndex(2), "");
    EXPECT_EQ(L.ValueFromIndex(3), "empty");
    EXPECT_EQ(L.ValueFromIndex(-1), "");
    EXPECT_EQ(L.IndexOfName("PATH"), 4);
    EXPECT_EQ(L.IndexOfName("flag"), -1);

    L.SetValues("PORT", "503");
    L.SetValues("Timeout", "10");
    L.SetValues("host ", "");
    EXPECT_EQ(Lines(L), (std::vector<String>{"PORT=503", "flag", "=empty", "Path=a=b", "Timeout=10"}));
    L.SetValues("missing", "");
    EXPECT_EQ(L.Count(), 5);

    L.SetNameValueSeparator(u':');
    Fill(L, {"a:1", "b=2"});
    EXPECT_EQ(L.Values("A"), "1");
    EXPECT_EQ(L.Values("b"), "");
}

TEST(StringList, TextSplitsAtAnyLineEndAndJoinsWithTheLineBreak)
{
    TStringList L;
    L.SetText("a\r\nb\nc\rd\r\n\r\ne");
    EXPECT_EQ(Lines(L), (std::vector<String>{"a", "b", "c", "d", "", "e"}));
    EXPECT_EQ(L.Text(), "a\r\nb\r\nc\r\nd\r\n\r\ne\r\n");
    L.SetText("x\n");
    EXPECT_EQ(Lines(L), (std::vector<String>{"x"}));
    L.SetText("\n");
    EXPECT_EQ(Lines(L), (std::vector<String>{""}));
    L.SetText("");
    EXPECT_EQ(L.Count(), 0);
    EXPECT_EQ(L.Text(), "");

    L.SetLineBreak("|");
    L.SetText("p|q\r\nr|");
    EXPECT_EQ(Lines(L), (std::vector<String>{"p", "q\r\nr"}));
    EXPECT_EQ(L.Text(), "p|q\r\nr|");
}

TEST(StringList, ChangeEventsComeOnceAroundAnUpdate)
{
    TStringList L;
    std::vector<String> Events;
    L.OnChanging = [&](TObject* Sender) {
        EXPECT_EQ(Sender, &L);
        Events.push_back("changing " + QString::number(L.Count()));
    };
    L.OnChange = [&](TObject*) { Events.push_back("change " + QString::number(L.Count())); };
    L.Add("a");
    EXPECT_EQ(Events, (std::vector<String>{"changing 0", "change 1"}));
    Events.clear();

    L.BeginUpdate();
    L.Add("b");
    L.BeginUpdate();
    L.SetCommaText("c,d,e");
    L.EndUpdate();
    L.Delete(0);
    EXPECT_EQ(Events, (std::vector<String>{"changing 1"}));
    L.EndUpdate();
    EXPECT_EQ(Events, (std::vector<String>{"changing 1", "change 2"}));
}

TEST(StringList, OwnedObjectsAreFreedWithTheirEntries)
{
    int Live = 0;
    {
        TStringList L(true);
        for (const char* T : {"a", "b", "c", "d"})
            L.AddObject(T, new TCounted(&Live));
        L.Delete(0);
        EXPECT_EQ(Live, 3);
        L.Move(0, 2);
        L.Exchange(0, 1);
        EXPECT_EQ(Live, 3);
        EXPECT_EQ(Lines(L), (std::vector<String>{"d", "c", "b"}));
        EXPECT_EQ(L.IndexOfObject(L.Objects(2)), 2);
        // Taking an object out before deleting its entry keeps it alive.
        TObject* Taken = L.Objects(0);
        L.SetObjects(0, nullptr);
        L.Delete(0);
        EXPECT_EQ(Live, 3);
        delete Taken;
    }
    EXPECT_EQ(Live, 0);
    {
        TStringList L(true);
        L.AddObject("x", new TCounted(&Live));
        L.Clear();
        EXPECT_EQ(Live, 0);
    }
}

TEST(StringList, CustomSortComparesByIndex)
{
    TStringList L;
    Fill(L, {"10", "9", "100", "9", "-1"});
    for (int I = 0; I < L.Count(); ++I)
        L.SetObjects(I, reinterpret_cast<TObject*>(static_cast<std::intptr_t>(I + 1)));
    L.CustomSort([](TStringList* List, int A, int B) {
        return List->Strings(A).toInt() - List->Strings(B).toInt();
    });
    EXPECT_EQ(Lines(L), (std::vector<String>{"-1", "9", "9", "10", "100"}));
    // Objects travel with their strings; equal entries keep their order.
    EXPECT_EQ(reinterpret_cast<std::intptr_t>(L.Objects(1)), 2);
    EXPECT_EQ(reinterpret_cast<std::intptr_t>(L.Objects(2)), 4);
}

TEST(StringList, AssignAddStringsAndEquals)
{
    TStringList Source;
    Source.SetSorted(true);
    Source.SetDuplicates(dupError);
    Source.SetCaseSensitive(true);
    Source.SetDelimiter(u';');
    Fill(Source, {"b", "a"});
    Source.SetObjects(0, &Source);

    TStringList Copy;
    Copy.Add("old");
    Copy.Assign(&Source);
    EXPECT_EQ(Lines(Copy), (std::vector<String>{"a", "b"}));
    EXPECT_EQ(Copy.Objects(0), &Source);
    EXPECT_TRUE(Copy.Sorted());
    EXPECT_EQ(Copy.Duplicates(), dupError);
    EXPECT_TRUE(Copy.CaseSensitive());
    EXPECT_EQ(Copy.Delimiter(), u';');
    EXPECT_TRUE(Copy.Equals(&Source));
    Copy.Assign(&Copy);
    EXPECT_EQ(Copy.Count(), 2);

    TStringList Other;
    Fill(Other, {"a", "B"});
    EXPECT_FALSE(Other.Equals(&Source));
    Other.AddStrings(&Source);
    EXPECT_EQ(Lines(Other), (std::vector<String>{"a", "B", "a", "b"}));

    EXPECT_THROW(Other.Assign(nullptr), EConvertError);
}

TEST(StringList, FilesAreUtf8WithCrLfAndReplacedWhole)
{
    QTemporaryDir Dir;
    ASSERT_TRUE(Dir.isValid());
    const String Name = Dir.filePath("list.txt");

    TStringList L;
    Fill(L, {"Grüße", "", "x"});
    L.SaveToFile(Name);
    QFile F(Name);
    ASSERT_TRUE(F.open(QIODevice::ReadOnly));
    EXPECT_EQ(F.readAll(), QByteArray("Gr\xC3\xBC\xC3\x9F" "e\r\n\r\nx\r\n"));
    F.close();

    const std::vector<std::pair<QByteArray, std::vector<String>>> Files{
        {"\xEF\xBB\xBFone\ntwo", {"one", "two"}},
        {QByteArray("\xFF\xFEo\0k\0\r\0\n\0", 10), {"ok"}},
        {"caf\xE9\r\n", {"café"}},
        {"", {}},
    };
    for (const auto& [Bytes, Expected] : Files) {
        ASSERT_TRUE(F.open(QIODevice::WriteOnly | QIODevice::Truncate));
        F.write(Bytes);
        F.close();
        L.LoadFromFile(Name);
        EXPECT_EQ(Lines(L), Expected);
    }

    const String Missing = Dir.filePath("missing.txt");
    try {
        L.LoadFromFile(Missing);
        FAIL();
    } catch (const EFOpenError& E) {
        EXPECT_TRUE(E.Message().startsWith("Cannot open file \"" + Missing + "\". ")) << E.what();
    }
    EXPECT_EQ(Lines(L), std::vector<String>{});
    EXPECT_THROW(L.SaveToFile(Dir.filePath("no/such/folder.txt")), EFCreateError);

    // Replacing keeps the file's permissions and writes through a link to its target.
    const auto Private = QFile::ReadOwner | QFile::WriteOwner;
    ASSERT_TRUE(QFile::setPermissions(Name, Private));
    const String Link = Dir.filePath("link.txt");
    ASSERT_TRUE(QFile::link(Name, Link));
    Fill(L, {"via link"});
    L.SaveToFile(Link);
    EXPECT_EQ(QFileInfo(Link).symLinkTarget(), Name);
    EXPECT_EQ(QFile::permissions(Name) & 0x7077, Private);
    L.Clear();
    L.LoadFromFile(Name);
    EXPECT_EQ(Lines(L), std::vector<String>{"via link"});
    EXPECT_EQ(QDir(Dir.path()).entryList(QDir::Files | QDir::System).size(), 2);
}
