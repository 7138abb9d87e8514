// The grid's drag and drop: what the drop target accepts and hands to its
// hooks, the drop effect, the source's data object and enumerator, the
// reader of dropped formats with blocks that lie, the drop source's answers
// and the start of a drag; then drops through Qt's drag events.
#include "grid/base/esgdd.h"
#include "rtl/Forms.h"

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

UINT Id(const char* Name)
{
    return RegisterClipboardFormat(QString::fromLatin1(Name));
}

QByteArray Bytes(std::initializer_list<int> Values)
{
    QByteArray B;
    for (int V : Values)
        B.append(char(V));
    return B;
}

// Records every hook call as text.
class TRecordingTarget : public TESGDropTarget {
public:
    std::vector<std::string> Hooks;
    QByteArray Streamed;
    std::vector<TDropFormats> MoveFormats;
    bool AllowMove = true;
    bool Ok() const { return FOk; }

protected:
    void DropText(TPoint, const String& S) override { Note("text " + S); }
    void DropStream(TPoint, std::unique_ptr<TMemoryStream> Ms) override
    {
        Streamed = QByteArray(static_cast<const char*>(Ms->Memory()), qsizetype(Ms->Size()));
        Note("stream");
    }
    void DropCol(TPoint, Integer Col) override { Note("col " + QString::number(Col)); }
    void DropRTF(TPoint, const String& S) override { Note("rtf " + S); }
    void DropFiles(TPoint, TStrings* Files) override { Note("files " + Files->CommaText()); }
    void DropURL(TPoint, const String& S) override { Note("url " + S); }
    void DragMouseMove(TPoint, bool& Allow, TDropFormats F) override
    {
        MoveFormats.push_back(F);
        Allow = Allow && AllowMove;
    }
    void DragMouseEnter() override { Note("enter"); }
    void DragMouseLeave() override { Note("leave"); }

private:
    void Note(const String& S) { Hooks.push_back(S.toStdString()); }
};

TInterfacePtr<IDataObject> TextData(const String& Text)
{
    return DataObjectOfBlocks({{CF_UNICODETEXT, UnicodeTextBlock(Text)}, {CF_TEXT, AnsiTextBlock(Text)}});
}

QByteArray CellsBlock(const QByteArray& Cells)
{
    QByteArray Length(4, '\0');
    Length[0] = char(Cells.size());
    return Length + QByteArray(4, '\0') + Cells;
}

struct Entered {
    TInterfacePtr<TRecordingTarget> Target{new TRecordingTarget};
    DWORD Effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;

    Entered& Enter(const TInterfacePtr<IDataObject>& Data, DWORD KeyState = MK_LBUTTON)
    {
        Target->DragEnter(Data.get(), KeyState, TPoint(1, 2), Effect);
        return *this;
    }
    DWORD Drop(const TInterfacePtr<IDataObject>& Data, DWORD KeyState = 0)
    {
        DWORD E = DROPEFFECT_COPY | DROPEFFECT_MOVE;
        Target->Drop(Data.get(), KeyState, TPoint(1, 2), E);
        return E;
    }
};

// A data object whose formats cannot be listed.
class TUnlistedData : public TInterfacedObject, public IDataObject {
public:
    HRESULT GetData(const FORMATETC&, STGMEDIUM& M) override
    {
        M = STGMEDIUM();
        return DV_E_FORMATETC;
    }
    HRESULT QueryGetData(const FORMATETC&) override { return S_OK; }
    HRESULT EnumFormatEtc(DWORD, TInterfacePtr<IEnumFORMATETC>& Enum) override
    {
        Enum.reset();
        return E_FAIL;
    }
};

std::vector<CLIPFORMAT> Listed(IDataObject* Data)
{
    TInterfacePtr<IEnumFORMATETC> Enum;
    std::vector<CLIPFORMAT> Formats;
    if (Data->EnumFormatEtc(DATADIR_GET, Enum) != S_OK)
        return Formats;
    FORMATETC F;
    while (Enum->Next(1, &F, nullptr) == S_OK)
        Formats.push_back(F.cfFormat);
    return Formats;
}

QByteArray BlockOf(IDataObject* Data, UINT Format)
{
    STGMEDIUM M;
    if (Data->GetData(FORMATETC{CLIPFORMAT(Format)}, M) != S_OK)
        return QByteArray();
    const QByteArray B = GlobalBlockBytes(M.hGlobal);
    ReleaseStgMedium(M);
    return B;
}

struct RTFSwitch {
    explicit RTFSwitch(bool On) { SetRTFDropEnabled(On); }
    ~RTFSwitch() { SetRTFDropEnabled(false); }
};

} // namespace

TEST(EsgDD, ATargetAcceptsWhatItsFlagsAdmit)
{
    Entered E;
    E.Target->SetAcceptText(false);
    E.Enter(TextData("plain"));
    EXPECT_FALSE(E.Target->Ok()) << "AcceptFiles alone does not take text";
    EXPECT_EQ(E.Effect, DWORD(DROPEFFECT_NONE));
    EXPECT_EQ(E.Target->DropFormats(), TDropFormats{dfText});
    EXPECT_EQ(E.Drop(TextData("plain")), DWORD(DROPEFFECT_NONE));
    EXPECT_EQ(E.Target->Hooks, std::vector<std::string>{"enter"});

    Entered Cells;
    Cells.Target->SetAcceptText(false);
    Cells.Target->SetAcceptFiles(false);
    Cells.Target->SetAcceptURLs(false);
    Cells.Enter(DataObjectOfBlocks({{Id("TExStringGrid Cells"), CellsBlock("x")}}));
    EXPECT_TRUE(Cells.Target->Ok()) << "cells are always taken";

    Entered Column;
    Column.Enter(DataObjectOfBlocks({{Id("Grid Column"), Bytes({1, 0, 0, 0})}}));
    EXPECT_FALSE(Column.Target->Ok()) << "columns are off after creation";
    EXPECT_FALSE(Entered().Enter(TInterfacePtr<IDataObject>(new TUnlistedData)).Target->Ok());
}

TEST(EsgDD, TheDropEffectIsCopyWithCtrlElseMoveWhenAllowed)
{
    struct TCase {
        DWORD KeyState;
        DWORD Allowed;
        DWORD Expected;
    };
    const TCase Cases[] = {
        {MK_LBUTTON | MK_CONTROL, DROPEFFECT_COPY | DROPEFFECT_MOVE, DROPEFFECT_COPY},
        {MK_LBUTTON, DROPEFFECT_COPY | DROPEFFECT_MOVE, DROPEFFECT_MOVE},
        {MK_LBUTTON, DROPEFFECT_COPY, DROPEFFECT_COPY},
        {MK_LBUTTON, DROPEFFECT_MOVE, DROPEFFECT_MOVE},
    };
    for (const TCase& C : Cases) {
        Entered E;
        E.Effect = C.Allowed;
        E.Enter(TextData("t"), C.KeyState);
        EXPECT_EQ(E.Effect, C.Expected) << "enter " << C.KeyState << " " << C.Allowed;
        DWORD Over = C.Allowed;
        E.Target->DragOver(C.KeyState, TPoint(), Over);
        EXPECT_EQ(Over, C.Expected) << "over";
    }
}

TEST(EsgDD, DragOverAsksTheMoveHookAndLeaveTellsTheTarget)
{
    Entered E;
    E.Enter(DataObjectOfBlocks({{CF_UNICODETEXT, UnicodeTextBlock("t")}, {CF_HDROP, DropFilesBlock({"/f"})}}));
    DWORD Effect = DROPEFFECT_COPY;
    E.Target->DragOver(0, TPoint(), Effect);
    EXPECT_EQ(Effect, DWORD(DROPEFFECT_COPY));
    E.Target->AllowMove = false;
    E.Target->DragOver(0, TPoint(), Effect);
    EXPECT_EQ(Effect, DWORD(DROPEFFECT_NONE));
    ASSERT_EQ(E.Target->MoveFormats.size(), 2u);
    EXPECT_EQ(E.Target->MoveFormats[0], (TDropFormats{dfText, dfFile}));
    E.Target->DragLeave();
    EXPECT_EQ(E.Target->Hooks, (std::vector<std::string>{"enter", "leave"}));
}

TEST(EsgDD, ADropHandsEachFormatOnlyToTheHookItsFlagAdmits)
{
    const QByteArray Text = UnicodeTextBlock("words");
    const QByteArray Files = DropFilesBlock({"/a.txt", "/b.txt"});
    const QByteArray Url = AnsiTextBlock("http://127.0.0.1/");
    RTFSwitch Rtf(true);
    struct TCase {
        const char* Name;
        TFormatBlocks Blocks;
        bool AcceptCols, AcceptFiles, AcceptURLs;
        std::vector<std::string> Expected;
    };
    const TCase Cases[] = {
        {"text and files", {{CF_UNICODETEXT, Text}, {CF_HDROP, Files}}, false, true, true,
         {"text words", "files /a.txt,/b.txt"}},
        {"files not accepted", {{CF_UNICODETEXT, Text}, {CF_HDROP, Files}}, false, false, true, {"text words"}},
        {"rtf before text", {{CF_UNICODETEXT, Text}, {Id("Rich Text Format"), AnsiTextBlock("{\\rtf1}")}}, false,
         true, true, {"rtf {\\rtf1}"}},
        {"cells before rtf", {{Id("Rich Text Format"), AnsiTextBlock("r")}, {Id("TExStringGrid Cells"), CellsBlock("ab")}},
         false, true, true, {"stream"}},
        {"url with the text", {{CF_UNICODETEXT, Text}, {Id("UniformResourceLocator"), Url}}, false, true, true,
         {"text words", "url words"}},
        {"url not accepted", {{CF_UNICODETEXT, Text}, {Id("UniformResourceLocator"), Url}}, false, true, false,
         {"text words"}},
        {"an accepted column alone", {{CF_UNICODETEXT, Text}, {Id("Grid Column"), Bytes({3, 0, 0, 0})}}, true, true,
         true, {"col 3"}},
        {"a column not accepted", {{CF_UNICODETEXT, Text}, {Id("Grid Column"), Bytes({3, 0, 0, 0})}}, false, true,
         true, {"text words"}},
    };
    for (const TCase& C : Cases) {
        Entered E;
        E.Target->SetAcceptCols(C.AcceptCols);
        E.Target->SetAcceptFiles(C.AcceptFiles);
        E.Target->SetAcceptURLs(C.AcceptURLs);
        const TInterfacePtr<IDataObject> Data = DataObjectOfBlocks(C.Blocks);
        E.Enter(Data);
        E.Target->Hooks.clear();
        EXPECT_EQ(E.Drop(Data), DWORD(DROPEFFECT_MOVE)) << C.Name;
        EXPECT_EQ(E.Target->Hooks, C.Expected) << C.Name;
    }
}

TEST(EsgDD, RTFIsTakenAndOfferedOnlyWithTheSwitchOn)
{
    const TFormatBlocks Blocks{{CF_UNICODETEXT, UnicodeTextBlock("t")}, {Id("Rich Text Format"), AnsiTextBlock("r")}};
    Entered Off;
    Off.Enter(DataObjectOfBlocks(Blocks));
    Off.Drop(DataObjectOfBlocks(Blocks));
    EXPECT_EQ(Off.Target->Hooks.back(), "text t");

    TInterfacePtr<IDataObject> Source(new TSourceDataObject("t", "r", -1, nullptr));
    EXPECT_EQ(Source->QueryGetData(FORMATETC{CLIPFORMAT(Id("Rich Text Format"))}), DV_E_FORMATETC);
    RTFSwitch On(true);
    EXPECT_EQ(Source->QueryGetData(FORMATETC{CLIPFORMAT(Id("Rich Text Format"))}), S_OK);
    EXPECT_EQ(BlockOf(Source.get(), Id("Rich Text Format")), QByteArray("r\0", 2));
}

TEST(EsgDD, AColumnDragOffersOnlyTheColumnYetListsTheTextFormatsFirst)
{
    TInterfacePtr<IDataObject> Data(new TSourceDataObject("", "", 7, nullptr));
    for (const UINT F : {UINT(CF_TEXT), UINT(CF_UNICODETEXT), Id("Rich Text Format"), Id("TExStringGrid Cells")})
        EXPECT_EQ(Data->QueryGetData(FORMATETC{CLIPFORMAT(F)}), DV_E_FORMATETC) << F;
    EXPECT_EQ(Data->QueryGetData(FORMATETC{CLIPFORMAT(Id("Grid Column"))}), S_OK);
    EXPECT_EQ(BlockOf(Data.get(), Id("Grid Column")), Bytes({7, 0, 0, 0}));
    EXPECT_EQ(Listed(Data.get()), (std::vector<CLIPFORMAT>{CF_TEXT, CF_UNICODETEXT, CLIPFORMAT(Id("Rich Text Format")),
                                                           CLIPFORMAT(Id("Grid Column"))}));

    FORMATETC Wrong{CLIPFORMAT(Id("Grid Column"))};
    Wrong.tymed = TYMED_HGLOBAL | 2;
    EXPECT_EQ(Data->QueryGetData(Wrong), DV_E_FORMATETC) << "the medium must be exactly a global block";
    STGMEDIUM Medium;
    Medium.tymed = 99;
    EXPECT_EQ(Data->GetData(FORMATETC{CF_TEXT}, Medium), DV_E_FORMATETC);
    EXPECT_EQ(Medium.tymed, DWORD(TYMED_NULL));
    TInterfacePtr<IEnumFORMATETC> Enum;
    EXPECT_EQ(Data->EnumFormatEtc(DATADIR_SET, Enum), E_NOTIMPL);
    EXPECT_FALSE(Enum);
}

TEST(EsgDD, CellsTravelAsALengthFourZeroBytesAndTheCells)
{
    TMemoryStream Cells;
    Cells.WriteBuffer("abc", 3);
    TInterfacePtr<IDataObject> Data(new TSourceDataObject(QString::fromUtf16(u"t\u20AC"), "", -1, &Cells));
    EXPECT_EQ(Listed(Data.get()), (std::vector<CLIPFORMAT>{CF_TEXT, CF_UNICODETEXT, CLIPFORMAT(Id("Rich Text Format")),
                                                           CLIPFORMAT(Id("TExStringGrid Cells"))}));
    EXPECT_EQ(BlockOf(Data.get(), Id("TExStringGrid Cells")), Bytes({3, 0, 0, 0, 0, 0, 0, 0, 'a', 'b', 'c'}));
    EXPECT_EQ(BlockOf(Data.get(), CF_TEXT), Bytes({'t', 0x80, 0}));
    EXPECT_EQ(BlockOf(Data.get(), CF_UNICODETEXT), Bytes({'t', 0, 0xAC, 0x20, 0, 0}));

    TEnumFormats Formats(Data.get());
    const std::unique_ptr<TMemoryStream> Received = Formats.Stream();
    ASSERT_TRUE(Received);
    EXPECT_EQ(Received->Size(), 3);
    EXPECT_EQ(QByteArray(static_cast<const char*>(Received->Memory()), 3), "abc");
    EXPECT_EQ(Formats.Text(), QString::fromUtf16(u"t\u20AC"));
}

TEST(EsgDD, TheSourceEnumeratorFillsSkipsAndClones)
{
    TInterfacePtr<IEnumFORMATETC> Enum(new TSourceEnumFormatEtc(true, true));
    FORMATETC Got[6];
    ULONG Fetched = 0;
    EXPECT_EQ(Enum->Next(6, Got, &Fetched), S_FALSE);
    EXPECT_EQ(Fetched, 5u);
    EXPECT_EQ(Got[4].cfFormat, Id("TExStringGrid Cells"));
    EXPECT_EQ(Got[0].dwAspect, DWORD(DVASPECT_CONTENT));
    EXPECT_EQ(Got[0].lindex, -1);
    EXPECT_EQ(Got[0].tymed, DWORD(TYMED_HGLOBAL));
    EXPECT_EQ(Got[0].ptd, nullptr);

    TInterfacePtr<IEnumFORMATETC> Four(new TSourceEnumFormatEtc(false, true));
    EXPECT_EQ(Four->Next(5, Got, &Fetched), S_FALSE);
    EXPECT_EQ(Fetched, 4u);
    EXPECT_EQ(Four->Reset(), S_OK);
    EXPECT_EQ(Four->Skip(2), S_OK);
    TInterfacePtr<IEnumFORMATETC> Copy;
    ASSERT_EQ(Four->Clone(Copy), S_OK);
    EXPECT_EQ(Copy->Next(1, Got, nullptr), S_OK);
    EXPECT_EQ(Got[0].cfFormat, Id("Rich Text Format")) << "the clone keeps the position";
    EXPECT_EQ(Four->Skip(3), S_FALSE);
    EXPECT_EQ(Four->Next(1, Got, &Fetched), S_FALSE);
    EXPECT_EQ(Fetched, 0u) << "skipping beyond the end stops at the end";
}

TEST(EsgDD, DroppedBlocksAreReadWithinTheirBounds)
{
    const UINT Cells = Id("TExStringGrid Cells");
    struct TCase {
        const char* Name;
        TFormatBlocks Blocks;
        bool HasStream;
        Integer Col;
        String Text;
    };
    const TCase Cases[] = {
        {"cells longer than they say", {{Cells, CellsBlock("abc") + "zz"}}, true, -1, ""},
        {"cells shorter than they say", {{Cells, Bytes({9, 0, 0, 0, 0, 0, 0, 0, 'a'})}}, false, -1, ""},
        {"negative length", {{Cells, Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0})}}, false, -1, ""},
        {"cells block under eight bytes", {{Cells, Bytes({0, 0, 0})}}, false, -1, ""},
        {"column block under four bytes", {{Id("Grid Column"), Bytes({5, 0})}}, false, -1, ""},
        {"negative column", {{Id("Grid Column"), Bytes({0xFE, 0xFF, 0xFF, 0xFF})}}, false, -2, ""},
        {"text without NUL", {{CF_UNICODETEXT, Bytes({'h', 0, 'i', 0})}}, false, -1, "hi"},
        {"empty text block", {{CF_UNICODETEXT, QByteArray("")}}, false, -1, ""},
    };
    for (const TCase& C : Cases) {
        const TInterfacePtr<IDataObject> Data = DataObjectOfBlocks(C.Blocks);
        TEnumFormats Formats(Data.get());
        EXPECT_EQ(bool(Formats.Stream()), C.HasStream) << C.Name;
        EXPECT_EQ(Formats.Col(), C.Col) << C.Name;
        EXPECT_EQ(Formats.Text(), C.Text) << C.Name;
    }

    // Cells that lie count as absent: the text is dropped instead.
    const TInterfacePtr<IDataObject> Lying =
        DataObjectOfBlocks({{Cells, Bytes({9, 0, 0, 0, 0, 0, 0, 0})}, {CF_UNICODETEXT, UnicodeTextBlock("t")}});
    Entered E;
    E.Enter(Lying);
    E.Drop(Lying);
    EXPECT_EQ(E.Target->Hooks.back(), "text t");
}

TEST(EsgDD, TheReaderWalksTheFormatsOfTheDataObject)
{
    const TInterfacePtr<IDataObject> Data = DataObjectOfBlocks(
        {{CF_HDROP, DropFilesBlock({"/x", "/y"})}, {Id("UniformResourceLocator"), AnsiTextBlock("http://h/")}});
    TEnumFormats Formats(Data.get());
    EXPECT_TRUE(Formats.HasURL());
    EXPECT_FALSE(Formats.HasText());
    EXPECT_FALSE(Formats.Valid()) << "an absent format leaves no format current";
    EXPECT_EQ(Formats.Count(), 3) << "three Next calls since the Reset";
    ASSERT_TRUE(Formats.HasFile());
    EXPECT_EQ(Formats.Format(), CF_HDROP);
    TStringList Files;
    Files.Add("old");
    EXPECT_TRUE(Formats.ReadFileList(&Files));
    EXPECT_EQ(Files.CommaText(), "/x,/y");

    HGLOBAL Mem = Formats.Handle(TYMED_HGLOBAL | 4);
    EXPECT_EQ(Mem, nullptr) << "a medium the format does not have";
    Mem = Formats.GlobalHandle();
    ASSERT_NE(Mem, nullptr);
    GlobalFree(Mem);

    TInterfacePtr<IDataObject> Unlisted(new TUnlistedData);
    Formats.SetDataObject(Unlisted.get());
    EXPECT_FALSE(Formats.Reset());
    EXPECT_FALSE(Formats.HasText());
    EXPECT_EQ(Formats.Col(), -1);
    EXPECT_FALSE(Formats.Stream());
    Formats.SetDataObject(nullptr);
    EXPECT_EQ(Formats.DataObject(), nullptr);
}

namespace {

class TRecordingSource : public TESGDropSource {
public:
    std::vector<std::string> Hooks;

protected:
    void DragFinished() override { Hooks.push_back("finished"); }
    void CurrentEffect(DWORD Effect) override { Hooks.push_back("effect " + std::to_string(Effect)); }
    void QueryDrag() override { Hooks.push_back("query"); }
};

} // namespace

TEST(EsgDD, TheSourceCancelsOnEscapeDropsOnReleaseAndGoesOnOtherwise)
{
    TInterfacePtr<TRecordingSource> Source(new TRecordingSource);
    EXPECT_EQ(Source->QueryContinueDrag(false, MK_LBUTTON), S_OK);
    EXPECT_EQ(Source->QueryContinueDrag(true, MK_LBUTTON), DRAGDROP_S_CANCEL);
    EXPECT_EQ(Source->QueryContinueDrag(false, MK_CONTROL), DRAGDROP_S_DROP);
    EXPECT_EQ(Source->Hooks, (std::vector<std::string>{"query", "finished", "query", "finished", "query"}));

    Source->Hooks.clear();
    EXPECT_EQ(Source->GiveFeedback(DROPEFFECT_NONE), DRAGDROP_S_USEDEFAULTCURSORS);
    EXPECT_TRUE(Source->NoAccept());
    EXPECT_EQ(Source->GiveFeedback(DROPEFFECT_COPY), DRAGDROP_S_USEDEFAULTCURSORS);
    EXPECT_FALSE(Source->NoAccept());
    EXPECT_EQ(Source->Hooks, (std::vector<std::string>{"effect 0", "effect 1"}));
}

TEST(EsgDD, ADragWhoseLastFeedbackWasNoEffectIsCancelled)
{
    TInterfacePtr<TRecordingSource> Source(new TRecordingSource);
    DWORD LastFeedback = DROPEFFECT_NONE;
    std::vector<CLIPFORMAT> Offered;
    SetDragLoop([&](IDataObject* Data, IDropSource* S, DWORD, DWORD& Effect) {
        Offered = Listed(Data);
        S->GiveFeedback(LastFeedback);
        Effect = LastFeedback;
        return S->QueryContinueDrag(false, 0);
    });
    DWORD Effect = 0;
    EXPECT_EQ(StartOleTextDrag(Source.get(), "t", "", nullptr, DROPEFFECT_COPY, Effect), DRAGDROP_S_CANCEL);
    EXPECT_EQ(Offered.size(), 3u);
    LastFeedback = DROPEFFECT_COPY;
    EXPECT_EQ(StartOleTextDrag(Source.get(), "t", "", nullptr, DROPEFFECT_COPY, Effect), DRAGDROP_S_DROP);
    EXPECT_EQ(Effect, DWORD(DROPEFFECT_COPY));
    EXPECT_EQ(StartOleColumnDrag(Source.get(), 4, DROPEFFECT_MOVE, Effect), DRAGDROP_S_DROP);
    EXPECT_EQ(Offered.back(), Id("Grid Column"));
    SetDragLoop(nullptr);
}

// ---------------------------------------------------------------- through Qt

namespace {

struct DropOnControl {
    std::unique_ptr<TForm> Form = std::make_unique<TForm>(nullptr);
    TCustomControl* Box = new TCustomControl(Form.get());
    TInterfacePtr<TRecordingTarget> Target{new TRecordingTarget};

    DropOnControl()
    {
        Form->SetBounds(0, 0, 120, 80);
        Box->SetParent(Form.get());
        Box->SetBounds(5, 5, 60, 40);
        Form->Show();
        Target->SetAcceptCols(true);
        RegisterDragDrop(Box->Handle(), Target.get());
    }

    void Drop(const QMimeData& Mime)
    {
        QDragEnterEvent Enter(QPoint(2, 2), Qt::CopyAction, &Mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(Box->Handle(), &Enter);
        QDropEvent Dropped(QPointF(3, 3), Qt::CopyAction, &Mime, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(Box->Handle(), &Dropped);
    }
};

} // namespace

TEST(EsgDD, QtDropsReachTheHooksOfTheirFormats)
{
    struct TCase {
        const char* Name;
        std::function<void(QMimeData&)> Fill;
        std::vector<std::string> Expected;
    };
    const TCase Cases[] = {
        {"plain text", [](QMimeData& M) { M.setText("hello"); }, {"enter", "text hello"}},
        {"two local files",
         [](QMimeData& M) { M.setUrls({QUrl::fromLocalFile("/tmp/a.csv"), QUrl::fromLocalFile("/tmp/b c.xls")}); },
         {"enter", "files /tmp/a.csv,\"/tmp/b c.xls\""}},
        {"cells", [](QMimeData& M) { M.setData("application/x-exstringgrid-cells", CellsBlock(Bytes({0, 1, 2}))); },
         {"enter", "stream"}},
        {"a column", [](QMimeData& M) { M.setData("application/x-grid-column", Bytes({9, 0, 0, 0})); },
         {"enter", "col 9"}},
    };
    for (const TCase& C : Cases) {
        DropOnControl W;
        QMimeData Mime;
        C.Fill(Mime);
        W.Drop(Mime);
        EXPECT_EQ(W.Target->Hooks, C.Expected) << C.Name;
        if (std::string(C.Name) == "cells")
            EXPECT_EQ(W.Target->Streamed, Bytes({0, 1, 2}));
    }
}

TEST(EsgDD, ADragOffersEveryFormatItListsAndAnswersAsMimeData)
{
    RTFSwitch On(true);
    TMemoryStream Cells;
    Cells.WriteBuffer("abc", 3);
    TInterfacePtr<IDataObject> Data(new TSourceDataObject("a\tb", "{\\rtf1 a}", 5, &Cells));
    const std::unique_ptr<QMimeData> Mime = MimeDataOfDataObject(Data.get());
    EXPECT_EQ(Mime->text(), "a\tb");
    EXPECT_EQ(Mime->data("text/rtf"), "{\\rtf1 a}");
    EXPECT_EQ(Mime->data("application/x-grid-column"), Bytes({5, 0, 0, 0}));
    EXPECT_EQ(Mime->data("application/x-exstringgrid-cells"), Bytes({3, 0, 0, 0, 0, 0, 0, 0, 'a', 'b', 'c'}));

    // A column drag lists the text formats but answers none of them.
    TInterfacePtr<IDataObject> Column(new TSourceDataObject("", "", 2, nullptr));
    EXPECT_EQ(MimeDataOfDataObject(Column.get())->formats(), QStringList{"application/x-grid-column"});
}
