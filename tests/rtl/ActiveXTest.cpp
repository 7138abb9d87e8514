// Data transfer over Qt: registered formats, memory blocks and their text
// and file codecs, the MIME table both ways, and drops reaching a window's
// registered target through Qt's drag events.
#include "rtl/ActiveX.h"
#include "rtl/Forms.h"
#include "rtl/Grids.h"

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

QByteArray Bytes(std::initializer_list<int> Values)
{
    QByteArray B;
    for (int V : Values)
        B.append(char(V));
    return B;
}

// A DROPFILES block written by hand: offset, wide flag, then the names.
QByteArray HandMadeDropFiles(quint32 Offset, bool Wide, const QByteArray& Names)
{
    QByteArray Block(20, '\0');
    Block[0] = char(Offset);
    Block[16] = char(Wide ? 1 : 0);
    // The lowest bit of the offset does not count.
    Block.append(QByteArray(qsizetype(Offset & ~1u) - 20, '\0'));
    return Block + Names;
}

QByteArray Utf16(const char16_t* Text)
{
    QByteArray B;
    for (const char16_t* P = Text; *P; ++P) {
        B.append(char(*P & 0xFF));
        B.append(char(*P >> 8));
    }
    return B;
}

UINT Id(const char* Name)
{
    return RegisterClipboardFormat(QString::fromLatin1(Name));
}

} // namespace

TEST(ActiveX, ANameGivesTheSameRegisteredIdEveryTimeWhateverItsCase)
{
    const UINT A = RegisterClipboardFormat("ActiveX Test Format");
    EXPECT_GE(A, 0xC000u);
    EXPECT_EQ(RegisterClipboardFormat("activex test FORMAT"), A);
    EXPECT_NE(RegisterClipboardFormat("ActiveX Other Format"), A);
    EXPECT_EQ(GetClipboardFormatName(A), "ActiveX Test Format");
    EXPECT_EQ(RegisterClipboardFormat(""), 0u);
    EXPECT_EQ(GetClipboardFormatName(CF_TEXT), "");
    EXPECT_TRUE(OpenClipboard(nullptr));
    EXPECT_TRUE(CloseClipboard());
}

TEST(ActiveX, GlobalBlocksAreZeroedAndKeepTheirBytes)
{
    HGLOBAL Mem = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 5);
    ASSERT_NE(Mem, nullptr);
    EXPECT_EQ(GlobalSize(Mem), 5u);
    EXPECT_EQ(GlobalBlockBytes(Mem), QByteArray(5, '\0'));
    static_cast<char*>(GlobalLock(Mem))[2] = 'x';
    EXPECT_TRUE(GlobalUnlock(Mem));
    EXPECT_EQ(GlobalBlockBytes(Mem), Bytes({0, 0, 'x', 0, 0}));
    EXPECT_EQ(GlobalFree(Mem), nullptr);

    HGLOBAL Empty = GlobalAllocBlock(QByteArray());
    ASSERT_NE(Empty, nullptr);
    EXPECT_FALSE(GlobalBlockBytes(Empty).isNull());
    GlobalFree(Empty);
    EXPECT_TRUE(GlobalBlockBytes(nullptr).isNull());
    EXPECT_EQ(GlobalAlloc(GMEM_MOVEABLE, std::size_t(1) << 40), nullptr);
}

TEST(ActiveX, TextBlocksEndWithANulAndAreReadOnlyToTheirEnd)
{
    EXPECT_EQ(UnicodeTextBlock(QString::fromUtf16(u"a\u00E9")), Bytes({'a', 0, 0xE9, 0, 0, 0}));
    EXPECT_EQ(UnicodeTextOfBlock(Bytes({'a', 0, 'b', 0, 0, 0, 'c', 0})), "ab");
    EXPECT_EQ(UnicodeTextOfBlock(Bytes({'a', 0, 'b'})), "a") << "no NUL, odd last byte";
    // Windows-1252: the euro sign is 0x80, a byte the code page leaves out
    // stands for itself, a character outside it is one '?'.
    EXPECT_EQ(AnsiTextBlock(QString::fromUtf16(u"\u20AC\u00FC\u0081\u4E2D\U0001F600")),
              Bytes({0x80, 0xFC, 0x81, '?', '?', 0}));
    EXPECT_EQ(AnsiTextOfBlock(Bytes({0x80, 0x9F, 0x81, 'z'})), QString::fromUtf16(u"\u20AC\u0178\u0081z"));
    EXPECT_EQ(AnsiTextOfBlock(Bytes({'x', 0, 'y'})), "x");
}

TEST(ActiveX, DropFilesBlocksGiveTheirNamesWithinTheBlock)
{
    const QByteArray AnsiNames = QByteArray("a.txt\0b.txt\0\0", 13);
    const QByteArray WideNames = Utf16(u"a.txt") + QByteArray(2, '\0') + Utf16(u"b.txt") + QByteArray(4, '\0');
    const QStringList Both{"a.txt", "b.txt"};
    struct TCase {
        const char* Name;
        QByteArray Block;
        QStringList Expected;
    };
    const TCase Cases[] = {
        {"ANSI at 0x14", HandMadeDropFiles(0x14, false, AnsiNames), Both},
        {"low bit of the offset set", HandMadeDropFiles(0x15, false, AnsiNames), Both},
        {"wide", HandMadeDropFiles(0x14, true, WideNames), Both},
        {"later offset", HandMadeDropFiles(0x18, false, AnsiNames), Both},
        {"last name without NUL", HandMadeDropFiles(0x14, false, QByteArray("a.txt\0b.t", 9)), {"a.txt", "b.t"}},
        {"offset beyond the block", HandMadeDropFiles(0x14, false, AnsiNames).replace(0, 1, "\x7F"), {}},
        {"shorter than its header", QByteArray(12, '\0'), {}},
        {"as written", DropFilesBlock(Both), Both},
    };
    for (const TCase& C : Cases)
        EXPECT_EQ(DropFilesOfBlock(C.Block), C.Expected) << C.Name;
}

TEST(ActiveX, MimeDataGivesEveryFormatOfTheTable)
{
    QMimeData Mime;
    Mime.setText(QString::fromUtf16(u"x\u20AC"));
    Mime.setData("text/rtf", "{\\rtf1 x}");
    Mime.setUrls({QUrl::fromLocalFile("/tmp/a b.txt"), QUrl("http://127.0.0.1/x?q=1"), QUrl::fromLocalFile("/c")});
    Mime.setData("application/x-exstringgrid-cells", Bytes({3, 0, 0, 0, 0, 0, 0, 0, 'a', 'b', 'c'}));
    Mime.setData("application/x-grid-column", Bytes({7, 0, 0, 0}));

    const std::vector<UINT> Expected{CF_UNICODETEXT, CF_TEXT, Id("Rich Text Format"), CF_HDROP,
                                     Id("UniformResourceLocator"), Id("TExStringGrid Cells"), Id("Grid Column")};
    EXPECT_EQ(ClipFormatsOfMimeData(Mime), Expected);
    EXPECT_EQ(UnicodeTextOfBlock(ClipBlockFromMimeData(Mime, CF_UNICODETEXT)), QString::fromUtf16(u"x\u20AC"));
    EXPECT_EQ(ClipBlockFromMimeData(Mime, CF_TEXT), Bytes({'x', 0x80, 0}));
    EXPECT_EQ(ClipBlockFromMimeData(Mime, Id("Rich Text Format")), QByteArray("{\\rtf1 x}\0", 10));
    EXPECT_EQ(DropFilesOfBlock(ClipBlockFromMimeData(Mime, CF_HDROP)), QStringList({"/tmp/a b.txt", "/c"}));
    EXPECT_EQ(AnsiTextOfBlock(ClipBlockFromMimeData(Mime, Id("UniformResourceLocator"))), "http://127.0.0.1/x?q=1");
    EXPECT_EQ(ClipBlockFromMimeData(Mime, Id("Grid Column")), Bytes({7, 0, 0, 0}));
    EXPECT_TRUE(ClipBlockFromMimeData(Mime, Id("ActiveX Unknown")).isNull());

    QMimeData Plain;
    Plain.setData("application/x-grid-column", QByteArray());
    EXPECT_EQ(ClipFormatsOfMimeData(Plain), std::vector<UINT>{Id("Grid Column")}) << "an empty block is a block";

    QMimeData Files;
    Files.setUrls({QUrl::fromLocalFile("/a.txt")});
    EXPECT_EQ(ClipFormatsOfMimeData(Files), std::vector<UINT>{CF_HDROP}) << "dropped files are no text";
}

TEST(ActiveX, BlocksGoBackIntoMimeDataAsTheyCame)
{
    QMimeData Source;
    Source.setText("plain");
    Source.setData("text/rtf", "{\\rtf1 y}");
    Source.setUrls({QUrl::fromLocalFile("/a.txt"), QUrl("http://127.0.0.1/")});
    Source.setData("application/x-exstringgrid-cells", Bytes({1, 0, 0, 0, 0, 0, 0, 0, 0}));

    const std::unique_ptr<QMimeData> Back = MimeDataOfDataObject(DataObjectOfMimeData(Source).get());
    EXPECT_EQ(Back->text(), "plain");
    EXPECT_EQ(Back->data("text/rtf"), "{\\rtf1 y}");
    EXPECT_EQ(Back->urls(), Source.urls());
    EXPECT_EQ(Back->data("application/x-exstringgrid-cells"), Source.data("application/x-exstringgrid-cells"));
    EXPECT_FALSE(Back->hasFormat("application/x-grid-column"));

    // An ANSI text does not take the place of the Unicode one.
    QMimeData Mime;
    PutClipBlockIntoMimeData(Mime, CF_UNICODETEXT, UnicodeTextBlock("wide"));
    PutClipBlockIntoMimeData(Mime, CF_TEXT, AnsiTextBlock("ansi"));
    EXPECT_EQ(Mime.text(), "wide");
    PutClipBlockIntoMimeData(Mime, Id("ActiveX Unknown"), "x");
    EXPECT_EQ(Mime.formats(), QStringList({"text/plain"}));
}

TEST(ActiveX, ABlockDataObjectAnswersOnlyItsFormatsInAGlobalBlock)
{
    TInterfacePtr<IDataObject> Data = DataObjectOfBlocks({{CF_TEXT, "a\0"}, {Id("Grid Column"), Bytes({2, 0, 0, 0})}});
    EXPECT_EQ(Data->QueryGetData(FORMATETC{CF_TEXT}), S_OK);
    EXPECT_EQ(Data->QueryGetData(FORMATETC{CF_UNICODETEXT}), DV_E_FORMATETC);
    FORMATETC Icon{CF_TEXT};
    Icon.dwAspect = 4;
    EXPECT_EQ(Data->QueryGetData(Icon), DV_E_FORMATETC);

    STGMEDIUM Medium;
    ASSERT_EQ(Data->GetData(FORMATETC{Id("Grid Column")}, Medium), S_OK);
    EXPECT_EQ(Medium.tymed, DWORD(TYMED_HGLOBAL));
    EXPECT_EQ(GlobalBlockBytes(Medium.hGlobal), Bytes({2, 0, 0, 0}));
    ReleaseStgMedium(Medium);
    EXPECT_EQ(Medium.hGlobal, nullptr);

    TInterfacePtr<IEnumFORMATETC> Enum;
    EXPECT_EQ(Data->EnumFormatEtc(DATADIR_SET, Enum), E_NOTIMPL);
    ASSERT_EQ(Data->EnumFormatEtc(DATADIR_GET, Enum), S_OK);
    FORMATETC Got[3];
    ULONG Fetched = 0;
    EXPECT_EQ(Enum->Next(3, Got, &Fetched), S_FALSE);
    EXPECT_EQ(Fetched, 2u);
    EXPECT_EQ(Got[1].cfFormat, Id("Grid Column"));

    // What a data object does not do itself.
    FORMATETC Out;
    Out.ptd = reinterpret_cast<DVTARGETDEVICE*>(&Out);
    EXPECT_EQ(Data->GetCanonicalFormatEtc(FORMATETC{CF_TEXT}, Out), E_NOTIMPL);
    EXPECT_EQ(Out.ptd, nullptr);
    EXPECT_EQ(Data->GetDataHere(FORMATETC{CF_TEXT}, Medium), DV_E_FORMATETC);
    EXPECT_EQ(Data->SetData(FORMATETC{CF_TEXT}, Medium, false), DV_E_FORMATETC);
    DWORD Connection = 0;
    EXPECT_EQ(Data->DAdvise(FORMATETC{CF_TEXT}, 0, nullptr, Connection), OLE_E_ADVISENOTSUPPORTED);
    EXPECT_EQ(Data->DUnadvise(0), OLE_E_ADVISENOTSUPPORTED);
    TInterfacePtr<IInterface> Advise;
    EXPECT_EQ(Data->EnumDAdvise(Advise), OLE_E_ADVISENOTSUPPORTED);
}

TEST(ActiveX, AnInterfaceGoesWithItsLastReference)
{
    struct TCounted : TInterfacedObject {
        bool* Gone;
        explicit TCounted(bool* G) : Gone(G) {}
        ~TCounted() override { *Gone = true; }
    };
    bool Gone = false;
    {
        TInterfacePtr<TCounted> A(new TCounted(&Gone));
        TInterfacePtr<IInterface> B = A;
        EXPECT_EQ(A->RefCount(), 2);
        A.reset();
        EXPECT_FALSE(Gone);
    }
    EXPECT_TRUE(Gone);
}

// ---------------------------------------------------------------- drops through Qt

namespace {

// Records the calls of a drop target; answers with Answer.
class TRecordingTarget : public TInterfacedObject, public IDropTarget {
public:
    std::vector<std::string> Calls;
    std::vector<DWORD> KeyStates;
    std::vector<DWORD> OfferedEffects;
    TPoint LastPt;
    String DroppedText;
    DWORD Answer = DROPEFFECT_COPY;
    std::function<void()> OnDrop;

    HRESULT DragEnter(IDataObject* DataObj, DWORD KeyState, TPoint Pt, DWORD& Effect) override
    {
        return Record("enter", DataObj, KeyState, Pt, Effect);
    }
    HRESULT DragOver(DWORD KeyState, TPoint Pt, DWORD& Effect) override
    {
        return Record("over", nullptr, KeyState, Pt, Effect);
    }
    HRESULT DragLeave() override
    {
        Calls.push_back("leave");
        return S_OK;
    }
    HRESULT Drop(IDataObject* DataObj, DWORD KeyState, TPoint Pt, DWORD& Effect) override
    {
        Record("drop", DataObj, KeyState, Pt, Effect);
        if (OnDrop)
            OnDrop();
        return S_OK;
    }

private:
    HRESULT Record(const char* Call, IDataObject* DataObj, DWORD KeyState, TPoint Pt, DWORD& Effect)
    {
        Calls.push_back(Call);
        KeyStates.push_back(KeyState);
        OfferedEffects.push_back(Effect);
        LastPt = Pt;
        if (DataObj) {
            STGMEDIUM M;
            if (DataObj->GetData(FORMATETC{CF_UNICODETEXT}, M) == S_OK)
                DroppedText = UnicodeTextOfBlock(GlobalBlockBytes(M.hGlobal));
            ReleaseStgMedium(M);
        }
        Effect = Answer;
        return S_OK;
    }
};

struct DropWindow {
    std::unique_ptr<TForm> Form = std::make_unique<TForm>(nullptr);
    TCustomControl* Box = new TCustomControl(Form.get());
    TInterfacePtr<TRecordingTarget> Target{new TRecordingTarget};
    QMimeData Mime;

    DropWindow()
    {
        Form->SetBounds(0, 0, 200, 120);
        Box->SetParent(Form.get());
        Box->SetBounds(10, 10, 80, 60);
        Form->Show();
        Mime.setText("dropped");
    }

    struct TAnswer {
        bool Accepted;
        Qt::DropAction Action;
    };

    template <class E>
    TAnswer Send(QWidget* W, QPoint Pos, Qt::KeyboardModifiers Mods = Qt::NoModifier)
    {
        E Event(Pos, Qt::CopyAction | Qt::MoveAction, &Mime, Qt::LeftButton, Mods);
        QApplication::sendEvent(W, &Event);
        return TAnswer{Event.isAccepted(), Event.dropAction()};
    }
};

} // namespace

TEST(ActiveX, QtDragEventsReachTheRegisteredTarget)
{
    DropWindow W;
    QWidget* H = W.Box->Handle();
    ASSERT_EQ(RegisterDragDrop(H, W.Target.get()), S_OK);
    EXPECT_TRUE(H->acceptDrops());
    EXPECT_EQ(RegisterDragDrop(H, W.Target.get()), DRAGDROP_E_ALREADYREGISTERED);

    const auto Enter = W.Send<QDragEnterEvent>(H, QPoint(5, 6), Qt::ControlModifier);
    EXPECT_TRUE(Enter.Accepted);
    EXPECT_EQ(Enter.Action, Qt::CopyAction);
    W.Target->Answer = DROPEFFECT_NONE;
    EXPECT_FALSE(W.Send<QDragMoveEvent>(H, QPoint(7, 8)).Accepted);
    QDragLeaveEvent Leave;
    QApplication::sendEvent(H, &Leave);
    W.Target->Answer = DROPEFFECT_MOVE;
    W.Send<QDragEnterEvent>(H, QPoint(5, 6));
    const auto Dropped = W.Send<QDropEvent>(H, QPoint(9, 10));
    EXPECT_TRUE(Dropped.Accepted);
    EXPECT_EQ(Dropped.Action, Qt::MoveAction);

    EXPECT_EQ(W.Target->Calls, (std::vector<std::string>{"enter", "over", "leave", "enter", "drop"}));
    EXPECT_EQ(W.Target->KeyStates, (std::vector<DWORD>{MK_LBUTTON | MK_CONTROL, MK_LBUTTON, MK_LBUTTON, MK_LBUTTON}));
    EXPECT_EQ(W.Target->OfferedEffects[0], DWORD(DROPEFFECT_COPY | DROPEFFECT_MOVE));
    EXPECT_EQ(W.Target->LastPt, W.Box->ClientToScreen(TPoint(9, 10)));
    EXPECT_EQ(W.Target->DroppedText, "dropped");

    ASSERT_EQ(RevokeDragDrop(H), S_OK);
    EXPECT_FALSE(H->acceptDrops());
    W.Send<QDragEnterEvent>(H, QPoint(5, 6));
    W.Send<QDropEvent>(H, QPoint(9, 10));
    EXPECT_EQ(W.Target->Calls.size(), 5u) << "a revoked window's drops reach no target";
    EXPECT_EQ(RevokeDragDrop(H), DRAGDROP_E_NOTREGISTERED);
    EXPECT_EQ(RegisterDragDrop(nullptr, W.Target.get()), DRAGDROP_E_INVALIDHWND);
    EXPECT_EQ(RegisterDragDrop(H, nullptr), E_INVALIDARG);
}

TEST(ActiveX, AGridTakesDropsOnItsClientAreaAtTheirScreenPoint)
{
    DropWindow W;
    auto* Grid = new TStringGrid(W.Form.get());
    Grid->SetParent(W.Form.get());
    Grid->SetBounds(100, 10, 90, 90);
    Grid->SetBorderStyle(bsSingle);
    ASSERT_EQ(RegisterDragDrop(Grid->Handle(), W.Target.get()), S_OK);
    W.Send<QDragEnterEvent>(Grid->ClientWidget(), QPoint(1, 1));
    W.Send<QDropEvent>(Grid->ClientWidget(), QPoint(3, 4));
    ASSERT_EQ(W.Target->Calls, (std::vector<std::string>{"enter", "drop"}));
    const QPoint Expected = Grid->ClientWidget()->mapToGlobal(QPoint(3, 4));
    EXPECT_EQ(W.Target->LastPt, TPoint(Expected.x(), Expected.y()));
}

TEST(ActiveX, AControlFreedByItsDropHandlerTakesTheDropSafely)
{
    DropWindow W;
    ASSERT_EQ(RegisterDragDrop(W.Box->Handle(), W.Target.get()), S_OK);
    W.Target->OnDrop = [&] { delete W.Box; };
    W.Send<QDragEnterEvent>(W.Box->Handle(), QPoint(1, 1));
    const auto Dropped = W.Send<QDropEvent>(W.Box->Handle(), QPoint(1, 1));
    EXPECT_TRUE(Dropped.Accepted);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(W.Target->RefCount(), 1) << "the window's reference went with it";
}

TEST(ActiveX, DoDragDropRunsTheDragLoopInPlace)
{
    TInterfacePtr<IDataObject> Data = DataObjectOfBlocks({});
    struct TSource : TInterfacedObject, IDropSource {
        HRESULT QueryContinueDrag(bool, DWORD) override { return DRAGDROP_S_DROP; }
        HRESULT GiveFeedback(DWORD) override { return S_OK; }
    };
    TInterfacePtr<IDropSource> Source(new TSource);
    DWORD Seen = 0;
    SetDragLoop([&](IDataObject* D, IDropSource* S, DWORD OkEffects, DWORD& Effect) {
        EXPECT_EQ(D, Data.get());
        EXPECT_EQ(S, Source.get());
        Seen = OkEffects;
        Effect = DROPEFFECT_MOVE;
        return DRAGDROP_S_DROP;
    });
    DWORD Effect = 0;
    EXPECT_EQ(DoDragDrop(Data.get(), Source.get(), DROPEFFECT_COPY | DROPEFFECT_MOVE, Effect), DRAGDROP_S_DROP);
    EXPECT_EQ(Seen, DWORD(DROPEFFECT_COPY | DROPEFFECT_MOVE));
    EXPECT_EQ(Effect, DWORD(DROPEFFECT_MOVE));
    EXPECT_EQ(DoDragDrop(nullptr, Source.get(), DROPEFFECT_COPY, Effect), E_INVALIDARG);
    EXPECT_EQ(Effect, DWORD(DROPEFFECT_NONE));
    SetDragLoop(nullptr);
}
