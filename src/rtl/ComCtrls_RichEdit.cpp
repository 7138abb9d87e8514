// The rich edit over Qt's text edit, its lines with the RTF streams and its
// character formats.
#include "rtl/ComCtrls.h"

#include "rtl/ControlBridge.h"
#include "rtl/TextEditSelection.h"
#include "rtl/RichText.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

#include <algorithm>
#include <cmath>

namespace {

// The character a placeholder stands for. Qt's editor turns line ends and
// its frame markers into structure, so they are kept as a placeholder with
// the character they were in their format.
constexpr int RawCharProperty = QTextFormat::UserProperty + 1;

bool IsStructureChar(Char C)
{
    const char16_t U = C.unicode();
    return U == '\r' || U == '\n' || U == 0x2029 || U == 0xFDD0 || U == 0xFDD1 || U == 0xFFFC;
}

constexpr LongInt ScriptOffset = 40;

QTextCharFormat ToQt(const TRichCharFormat& F)
{
    QTextCharFormat Q;
    if (F.Bold)
        Q.setFontWeight(QFont::Bold);
    if (F.Italic)
        Q.setFontItalic(true);
    if (F.Underline)
        Q.setFontUnderline(true);
    if (F.StrikeOut)
        Q.setFontStrikeOut(true);
    if (!F.FontName.isEmpty())
        Q.setFontFamilies(QStringList{F.FontName});
    if (F.HalfPoints > 0)
        Q.setFontPointSize(F.HalfPoints / 2.0);
    if (F.Color != clNone && F.Color != clDefault)
        Q.setForeground(ColorToQColor(F.Color));
    if (F.VAlign != rvNormal)
        Q.setVerticalAlignment(F.VAlign == rvSuperscript ? QTextCharFormat::AlignSuperScript
                                                         : QTextCharFormat::AlignSubScript);
    return Q;
}

TRichCharFormat FromQt(const QTextCharFormat& Q)
{
    TRichCharFormat F;
    F.Bold = Q.hasProperty(QTextFormat::FontWeight) && Q.fontWeight() >= QFont::Bold;
    F.Italic = Q.fontItalic();
    F.Underline = Q.fontUnderline();
    F.StrikeOut = Q.fontStrikeOut();
    if (Q.hasProperty(QTextFormat::FontFamilies))
        F.FontName = Q.fontFamilies().toStringList().value(0);
    if (Q.hasProperty(QTextFormat::FontPointSize))
        F.HalfPoints = Integer(std::lround(Q.fontPointSize() * 2));
    if (Q.hasProperty(QTextFormat::ForegroundBrush) && Q.foreground().style() != Qt::NoBrush) {
        const QColor C = Q.foreground().color();
        F.Color = RGB(Byte(C.red()), Byte(C.green()), Byte(C.blue()));
    }
    switch (Q.verticalAlignment()) {
    case QTextCharFormat::AlignSuperScript: F.VAlign = rvSuperscript; break;
    case QTextCharFormat::AlignSubScript: F.VAlign = rvSubscript; break;
    default: break;
    }
    return F;
}

void InsertRun(QTextCursor& C, const TRichRun& Run)
{
    const QTextCharFormat Format = ToQt(Run.Format);
    qsizetype From = 0;
    for (qsizetype I = 0; I <= Run.Text.size(); ++I) {
        if (I < Run.Text.size() && !IsStructureChar(Run.Text[I]))
            continue;
        C.insertText(Run.Text.mid(From, I - From), Format);
        if (I < Run.Text.size()) {
            QTextCharFormat Raw = Format;
            Raw.setProperty(RawCharProperty, int(Run.Text[I].unicode()));
            const bool LineEnd = Run.Text[I] == u'\r' || Run.Text[I] == u'\n' || Run.Text[I] == QChar(0x2029);
            C.insertText(String(QChar(LineEnd ? 0x2028 : 0xFFFD)), Raw);
        }
        From = I + 1;
    }
}

} // namespace

// ---------------------------------------------------------------- TRichEditStrings

QTextDocument* TRichEditStrings::Doc() const
{
    return FEdit->RichTextEdit()->document();
}

void TRichEditStrings::LoadFromStream(TStream* Stream)
{
    QByteArray Bytes(qsizetype(Stream->Size() - Stream->Position()), Qt::Uninitialized);
    Bytes.truncate(qsizetype(Stream->Read(Bytes.data(), Bytes.size())));
    if (FEdit->PlainText())
        SetText(String::fromUtf8(Bytes));
    else
        FEdit->SetDocument(ReadRtf(Bytes));
}

void TRichEditStrings::SaveToStream(TStream* Stream) const
{
    const QByteArray Bytes = FEdit->PlainText() ? Text().toUtf8() : WriteRtf(FEdit->Document());
    Stream->WriteBuffer(Bytes.constData(), Bytes.size());
}

// ---------------------------------------------------------------- TCustomRichEdit

TCustomRichEdit::TCustomRichEdit(TComponent* AOwner) : TWinControl(AOwner)
{
    auto* E = new TBridge<QTextEdit>();
    SetWidget(E);
    E->setAcceptRichText(false);
    FLines = std::make_unique<TRichEditStrings>(this);
    SetTabStop(true);
    SetParentColor(false);
    SetColor(clWindow);
    SetBounds(Left(), Top(), 185, 89);
    SetScrollBars(ssBoth);
    QObject::connect(E, &QTextEdit::textChanged, E, [this] { RunAsEvent([&] { Change(); }); });
    QObject::connect(E, &QTextEdit::selectionChanged, E, [this] { RunAsEvent([&] { SelectionChange(); }); });
    QObject::connect(E->document()->documentLayout(), &QAbstractTextDocumentLayout::documentSizeChanged, E,
                     [this](const QSizeF&) { RunAsEvent([&] { NotifyRequestSize(); }); });
}

TCustomRichEdit::~TCustomRichEdit() = default;

QTextEdit* TCustomRichEdit::RichTextEdit() const
{
    return static_cast<QTextEdit*>(Handle());
}

void TCustomRichEdit::ApplyFocusPolicy()
{
    Handle()->setFocusPolicy(TabStop() ? Qt::StrongFocus : Qt::ClickFocus);
}

void TCustomRichEdit::ApplyColor()
{
    SetBaseColor(Handle(), Color());
}

void TCustomRichEdit::SetLines(TStrings* Value)
{
    FLines->Assign(Value);
}

void TCustomRichEdit::SetScrollBars(TScrollStyle Value)
{
    FScrollBars = Value;
    QTextEdit* E = RichTextEdit();
    E->setVerticalScrollBarPolicy(Value == ssVertical || Value == ssBoth ? Qt::ScrollBarAsNeeded
                                                                         : Qt::ScrollBarAlwaysOff);
    E->setHorizontalScrollBarPolicy(Value == ssHorizontal || Value == ssBoth ? Qt::ScrollBarAsNeeded
                                                                             : Qt::ScrollBarAlwaysOff);
}

void TCustomRichEdit::SetWordWrap(bool Value)
{
    FWordWrap = Value;
    RichTextEdit()->setLineWrapMode(Value ? QTextEdit::WidgetWidth : QTextEdit::NoWrap);
}

bool TCustomRichEdit::ReadOnly() const
{
    return RichTextEdit()->isReadOnly();
}

void TCustomRichEdit::SetReadOnly(bool Value)
{
    RichTextEdit()->setReadOnly(Value);
}

void TCustomRichEdit::SetBorderStyle(TBorderStyle Value)
{
    FBorderStyle = Value;
    RichTextEdit()->setFrameShape(Value == bsNone ? QFrame::NoFrame : QFrame::StyledPanel);
}

void TCustomRichEdit::SelectAll()
{
    RichTextEdit()->selectAll();
}

void TCustomRichEdit::Clear()
{
    RichTextEdit()->clear();
}

Integer TCustomRichEdit::SelStart() const
{
    return RichTextEdit()->textCursor().selectionStart();
}

void TCustomRichEdit::SetSelStart(Integer Value)
{
    SetEditorSelStart(RichTextEdit(), Value);
}

Integer TCustomRichEdit::SelLength() const
{
    return EditorSelLength(RichTextEdit());
}

void TCustomRichEdit::SetSelLength(Integer Value)
{
    SetEditorSelLength(RichTextEdit(), Value);
}

String TCustomRichEdit::SelText() const
{
    return EditorSelText(RichTextEdit());
}

TRichDocument TCustomRichEdit::Document() const
{
    TRichDocument Doc;
    Doc.Paragraphs.clear();
    const QTextDocument* D = RichTextEdit()->document();
    for (QTextBlock B = D->begin(); B.isValid(); B = B.next()) {
        TRichParagraph& P = Doc.Paragraphs.emplace_back();
        for (auto It = B.begin(); !It.atEnd(); ++It) {
            const QTextFragment Fragment = It.fragment();
            const QTextCharFormat Format = Fragment.charFormat();
            String Text = Fragment.text();
            if (Format.hasProperty(RawCharProperty))
                Text.fill(QChar(char16_t(Format.intProperty(RawCharProperty))));
            P.Append(Text, FromQt(Format));
        }
    }
    if (Doc.Paragraphs.empty())
        Doc.Paragraphs.emplace_back();
    return Doc;
}

void TCustomRichEdit::SetDocument(const TRichDocument& Doc)
{
    QTextDocument* D = RichTextEdit()->document();
    D->clear();
    QTextCursor C(D);
    C.beginEditBlock();
    for (std::size_t P = 0; P < Doc.Paragraphs.size(); ++P) {
        if (P > 0)
            C.insertBlock(QTextBlockFormat(), QTextCharFormat());
        for (const TRichRun& Run : Doc.Paragraphs[P].Runs)
            InsertRun(C, Run);
    }
    C.endEditBlock();
}

void TCustomRichEdit::PaintTo(TCanvas* Canvas, const TRect& Rect)
{
    QPainter* P = Canvas->Painter();
    if (!P || Rect.Width() <= 0 || Rect.Height() <= 0)
        return;
    std::unique_ptr<QTextDocument> Copy(RichTextEdit()->document()->clone());
    Copy->setDocumentMargin(0);
    Copy->setDefaultFont(RichTextEdit()->font());
    Copy->setTextWidth(Rect.Width());
    // Text without a colour of its own takes the canvas font's.
    QAbstractTextDocumentLayout::PaintContext Context;
    Context.palette.setColor(QPalette::Text, ColorToQColor(Canvas->Font()->Color()));
    Context.clip = QRectF(0, 0, Rect.Width(), Rect.Height());
    P->save();
    P->translate(Rect.Left, Rect.Top);
    P->setClipRect(Context.clip);
    Copy->documentLayout()->draw(P, Context);
    P->restore();
}

String TCustomRichEdit::GetText() const
{
    return RichTextEdit()->toPlainText().replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
}

void TCustomRichEdit::TextChanged()
{
    FLines->SetText(FText);
}

void TCustomRichEdit::Change()
{
    if (OnChange)
        OnChange(this);
}

void TCustomRichEdit::SelectionChange()
{
    if (OnSelectionChange)
        OnSelectionChange(this);
}

void TCustomRichEdit::RequestSize(const TRect& Rect)
{
    if (OnResizeRequest)
        OnResizeRequest(this, Rect);
}

void TCustomRichEdit::NotifyRequestSize()
{
    const QTextDocument* D = RichTextEdit()->document();
    const bool Wraps = FWordWrap && Width() > 0;
    // Without wrapping the size is the text's own, also where the widget
    // laid it out at some width.
    std::unique_ptr<QTextDocument> Natural;
    if (!Wraps && D->textWidth() >= 0) {
        Natural.reset(D->clone());
        Natural->setTextWidth(-1);
        D = Natural.get();
    }
    TReqResize N;
    N.nmhdr.hwndFrom = Handle();
    N.nmhdr.code = EN_REQUESTRESIZE;
    const QSizeF Size = D->size();
    N.rc = TRect(0, 0, Wraps ? Width() : Integer(std::ceil(Size.width())), Integer(std::ceil(Size.height())));
    if (Parent())
        Parent()->Perform(WM_NOTIFY, 0, LPARAM(&N.nmhdr));
    else
        Perform(CN_NOTIFY, 0, LPARAM(&N.nmhdr));
}

void TCustomRichEdit::CNNotify(TWMNotify& Message)
{
    if (Message.NMHdr->code == EN_REQUESTRESIZE)
        RequestSize(reinterpret_cast<const TReqResize*>(Message.NMHdr)->rc);
}

void TCustomRichEdit::SetCharFormat(WPARAM Scope, const TCharFormat& Format)
{
    QTextCharFormat Q;
    const DWORD Mask = Format.dwMask;
    const DWORD On = Format.dwEffects;
    if (Mask & CFM_BOLD)
        Q.setFontWeight(On & CFE_BOLD ? QFont::Bold : QFont::Normal);
    if (Mask & CFM_ITALIC)
        Q.setFontItalic(On & CFE_ITALIC);
    if (Mask & CFM_UNDERLINE)
        Q.setFontUnderline(On & CFE_UNDERLINE);
    if (Mask & CFM_STRIKEOUT)
        Q.setFontStrikeOut(On & CFE_STRIKEOUT);
    if ((Mask & CFM_SIZE) && Format.yHeight > 0)
        Q.setFontPointSize(Format.yHeight / 20.0);
    if (Mask & CFM_COLOR) {
        if (Format.crTextColor == clNone)
            Q.clearForeground();
        else
            Q.setForeground(ColorToQColor(Format.crTextColor));
    }
    if (Mask & CFM_OFFSET)
        Q.setVerticalAlignment(Format.yOffset > 0   ? QTextCharFormat::AlignSuperScript
                               : Format.yOffset < 0 ? QTextCharFormat::AlignSubScript
                                                    : QTextCharFormat::AlignNormal);
    QTextCursor C = RichTextEdit()->textCursor();
    if (Scope & SCF_ALL)
        C.select(QTextCursor::Document);
    if (C.hasSelection())
        C.mergeCharFormat(Q);
    else
        RichTextEdit()->mergeCurrentCharFormat(Q);
}

void TCustomRichEdit::GetCharFormat(TCharFormat& Format) const
{
    const TRichCharFormat F = FromQt(RichTextEdit()->currentCharFormat());
    Format.dwMask = CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT | CFM_SIZE | CFM_COLOR | CFM_OFFSET;
    const auto Effect = [](bool On, DWORD Bit) { return On ? Bit : DWORD(0); };
    Format.dwEffects = Effect(F.Bold, CFE_BOLD) | Effect(F.Italic, CFE_ITALIC) | Effect(F.Underline, CFE_UNDERLINE) |
                       Effect(F.StrikeOut, CFE_STRIKEOUT);
    const double Points = F.HalfPoints > 0 ? F.HalfPoints / 2.0 : RichTextEdit()->font().pointSizeF();
    Format.yHeight = LongInt(std::lround(Points * 20));
    Format.crTextColor = F.Color;
    Format.yOffset = F.VAlign == rvSuperscript ? ScriptOffset : F.VAlign == rvSubscript ? -ScriptOffset : 0;
}

void TCustomRichEdit::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case CN_NOTIFY: {
        TWMNotify N{Message.Msg, Message.WParam, reinterpret_cast<TNMHdr*>(Message.LParam), 0};
        CNNotify(N);
        Message.Result = N.Result;
        break;
    }
    case EM_SETCHARFORMAT:
        if (Message.LParam)
            SetCharFormat(Message.WParam, *reinterpret_cast<const TCharFormat*>(Message.LParam));
        Message.Result = Message.LParam != 0;
        break;
    case EM_GETCHARFORMAT:
        if (Message.LParam)
            GetCharFormat(*reinterpret_cast<TCharFormat*>(Message.LParam));
        break;
    case EM_REQUESTRESIZE: NotifyRequestSize(); break;
    default: TWinControl::Dispatch(Message); break;
    }
}

void TCustomRichEdit::WMGetDlgCode(TWMGetDlgCode& Message)
{
    Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTALLKEYS;
    if (FWantTabs)
        Message.Result |= DLGC_WANTTAB;
    if (!FWantReturns)
        Message.Result &= ~LRESULT(DLGC_WANTALLKEYS);
}

void TCustomRichEdit::WMChar(TWMKey& Message)
{
    TWinControl::WMChar(Message);
    if (Message.CharCode == 13 && !FWantReturns)
        Message.CharCode = 0;
}
