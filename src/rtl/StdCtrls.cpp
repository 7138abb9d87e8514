#include "rtl/StdCtrls.h"

#include "rtl/ControlBridge.h"
#include "rtl/TextEditSelection.h"

#include <QAbstractItemView>
#include <QCoreApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPointer>
#include <QValidator>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionGroupBox>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>

void SetBaseColor(QWidget* W, TColor Color)
{
    const QColor C = ColorToQColor(Color);
    if (!C.isValid())
        return;
    QPalette P = W->palette();
    SetEnabledPaletteColor(P, QPalette::Base, C);
    W->setPalette(P);
}

namespace {

// A canvas for measuring text outside a paint.
TCanvas* MeasureCanvas(const TFont* Font)
{
    static TBitmap* Bitmap = new TBitmap(1, 1);
    Bitmap->Canvas()->Font()->Assign(const_cast<TFont*>(Font));
    return Bitmap->Canvas();
}

void SetWindowColor(QWidget* W, TColor Color)
{
    const QColor C = ColorToQColor(Color);
    if (!C.isValid())
        return;
    QPalette P = W->palette();
    P.setColor(QPalette::Window, C);
    P.setColor(QPalette::Button, C);
    W->setPalette(P);
}

Qt::Alignment HorizontalAlignment(TAlignment A)
{
    switch (A) {
    case taRightJustify: return Qt::AlignRight;
    case taCenter: return Qt::AlignHCenter;
    default: return Qt::AlignLeft;
    }
}

} // namespace

// ---------------------------------------------------------------- TControlStrings

void TControlStrings::CheckIndex(int Index, int Limit) const
{
    if (Index < 0 || Index > Limit)
        throw EStringListError(QStringLiteral("List index out of bounds (%1)").arg(Index));
}

String TControlStrings::Get(int Index) const
{
    CheckIndex(Index, ItemCount() - 1);
    return ItemText(Index);
}

int TControlStrings::GetCount() const
{
    return ItemCount();
}

TObject* TControlStrings::GetObject(int Index) const
{
    CheckIndex(Index, ItemCount() - 1);
    return ItemObject(Index);
}

void TControlStrings::Put(int Index, const String& S)
{
    CheckIndex(Index, ItemCount() - 1);
    SetItemText(Index, S);
}

void TControlStrings::PutObject(int Index, TObject* AObject)
{
    CheckIndex(Index, ItemCount() - 1);
    SetItemObject(Index, AObject);
}

void TControlStrings::Clear()
{
    ClearItems();
}

void TControlStrings::Delete(int Index)
{
    CheckIndex(Index, ItemCount() - 1);
    RemoveItem(Index);
}

void TControlStrings::Insert(int Index, const String& S)
{
    CheckIndex(Index, ItemCount());
    InsertItem(Index, S);
}

void TControlStrings::InsertObject(int Index, const String& S, TObject* AObject)
{
    Insert(Index, S);
    SetItemObject(Index, AObject);
}

int TControlStrings::Add(const String& S)
{
    return AddObject(S, nullptr);
}

int TControlStrings::AddObject(const String& S, TObject* AObject)
{
    int Index = ItemCount();
    if (Sorted) {
        Index = 0;
        while (Index < ItemCount() && CompareStrings(ItemText(Index), S) <= 0)
            ++Index;
    }
    InsertObject(Index, S, AObject);
    return Index;
}

// ---------------------------------------------------------------- TCustomLabel

TCustomLabel::TCustomLabel(TComponent* AOwner) : TGraphicControl(AOwner)
{
    SetControlStyle(ControlStyle() + TControlStyle{csReplicatable});
    SetBounds(Left(), Top(), 65, 17);
    SetAutoSize(true);
}

void TCustomLabel::SetAlignment(TAlignment Value)
{
    FAlignment = Value;
    Invalidate();
}

void TCustomLabel::SetLayout(TTextLayout Value)
{
    FLayout = Value;
    Invalidate();
}

void TCustomLabel::SetWordWrap(bool Value)
{
    FWordWrap = Value;
    AdjustSize();
    Invalidate();
}

void TCustomLabel::SetTransparent(bool Value)
{
    FTransparent = Value;
    Invalidate();
}

void TCustomLabel::SetShowAccelChar(bool Value)
{
    FShowAccelChar = Value;
    AdjustSize();
    Invalidate();
}

void TCustomLabel::SetEllipsisPosition(TEllipsisPosition Value)
{
    FEllipsisPosition = Value;
    Invalidate();
}

void TCustomLabel::DoDrawText(TRect& Rect, Cardinal Flags)
{
    String Text = Caption();
    if ((Flags & DT_CALCRECT) && (Text.isEmpty() || (FShowAccelChar && Text == QLatin1String("&"))))
        Text += QLatin1Char(' ');
    if (!FShowAccelChar)
        Flags |= DT_NOPREFIX;
    TCanvas* C = (Flags & DT_CALCRECT) ? MeasureCanvas(Font()) : Canvas();
    C->Font()->Assign(Font());
    if (!Enabled() && !(Flags & DT_CALCRECT))
        C->Font()->SetColor(clGrayText);
    DrawText(C, Text, -1, Rect, Flags);
}

void TCustomLabel::Paint()
{
    static constexpr Cardinal EllipsisFlags[] = {0, DT_PATH_ELLIPSIS, DT_END_ELLIPSIS, DT_WORD_ELLIPSIS};
    TCanvas* C = Canvas();
    TRect R = ClientRect();
    if (!FTransparent) {
        C->Brush()->SetColor(Color());
        C->Brush()->SetStyle(bsSolid);
        C->FillRect(R);
    }
    C->Brush()->SetStyle(bsClear);
    Cardinal Flags = DT_EXPANDTABS;
    if (FWordWrap)
        Flags |= DT_WORDBREAK;
    else
        Flags |= EllipsisFlags[FEllipsisPosition];
    if (FAlignment == taRightJustify)
        Flags |= DT_RIGHT;
    else if (FAlignment == taCenter)
        Flags |= DT_CENTER;
    if (FLayout != tlTop) {
        TRect Calc = R;
        DoDrawText(Calc, Flags | DT_CALCRECT);
        const Integer Offset = FLayout == tlBottom ? R.Height() - Calc.Height() : (R.Height() - Calc.Height()) / 2;
        R.Top += Offset;
    }
    DoDrawText(R, Flags);
}

bool TCustomLabel::CanAutoSize(Integer& NewWidth, Integer& NewHeight)
{
    TRect R(0, 0, FWordWrap ? Width() : 0, 0);
    DoDrawText(R, DT_EXPANDTABS | DT_CALCRECT | (FWordWrap ? DT_WORDBREAK : 0));
    NewWidth = R.Width();
    NewHeight = R.Height();
    if (FAlignment == taRightJustify && !FWordWrap) {
        // The right edge stays where it was.
        const Integer Right = Left() + Width();
        SetBounds(Right - NewWidth, Top(), NewWidth, NewHeight);
    }
    return true;
}

// ---------------------------------------------------------------- TCustomEdit

namespace {

// The edit's maximum length limits what the user types or pastes, not the
// text a program sets: a longer stored text is shown and kept whole, and the
// user can still shorten it.
class TEditLengthLimit : public QValidator {
public:
    TEditLengthLimit(QLineEdit* Edit, Integer Max, const bool* SettingText)
        : QValidator(Edit), FMax(Max), FSettingText(SettingText), FLastLength(Edit->text().length())
    {
    }

    State validate(QString& Input, int&) const override
    {
        if (!*FSettingText && Input.length() > FMax && Input.length() > FLastLength)
            return Invalid;
        FLastLength = Input.length();
        return Acceptable;
    }

private:
    Integer FMax;
    const bool* FSettingText;
    mutable qsizetype FLastLength;
};

// The multi-line edit's widget. Return, Enter and Tab keys alone type
// nothing: the edit types them as characters, as the platform's edit does.
// The viewport's mouse events go the control's way in the widget's
// coordinates, and back to the viewport for the native handling.
class TPlainEditWidget final : public TBridge<QPlainTextEdit> {
public:
    TPlainEditWidget()
    {
        setFrameStyle(QFrame::NoFrame);
        setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        document()->setDocumentMargin(0);
        viewport()->setMouseTracking(true);
    }

    void SetMargins(const QMargins& M) { setViewportMargins(M); }

    bool BaseEvent(QEvent* Event) override
    {
        if (Event->type() == QEvent::KeyPress) {
            const auto* K = static_cast<QKeyEvent*>(Event);
            const int Key = K->key();
            if ((Key == Qt::Key_Return || Key == Qt::Key_Enter || Key == Qt::Key_Tab || Key == Qt::Key_Backtab) &&
                K->text().isEmpty()) {
                Event->accept();
                return true;
            }
        }
        if (IsMouse(Event)) {
            QMouseEvent Inner = Moved(static_cast<QMouseEvent*>(Event), -viewport()->pos());
            return QPlainTextEdit::viewportEvent(&Inner);
        }
        return QPlainTextEdit::event(Event);
    }

protected:
    bool viewportEvent(QEvent* Event) override
    {
        if (Control && IsMouse(Event)) {
            QMouseEvent Outer = Moved(static_cast<QMouseEvent*>(Event), viewport()->pos());
            return Control->WidgetEvent(&Outer);
        }
        if (Control && Event->type() == QEvent::ContextMenu)
            return Control->WidgetEvent(Event);
        return QPlainTextEdit::viewportEvent(Event);
    }

private:
    static bool IsMouse(const QEvent* Event)
    {
        switch (Event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
            return true;
        default:
            return false;
        }
    }

    static QMouseEvent Moved(const QMouseEvent* E, QPoint By)
    {
        return QMouseEvent(E->type(), E->position() + QPointF(By), E->globalPosition(), E->button(), E->buttons(),
                           E->modifiers());
    }
};

// Positions in the edit's text (line breaks CR LF) and in the plain text
// widget's document (one character per line break).
int DocumentPosition(const QString& Plain, Integer TextPos)
{
    Integer Left = TextPos;
    int Pos = 0;
    while (Pos < Plain.size() && Left > 0) {
        Left -= Plain.at(Pos) == QLatin1Char('\n') ? 2 : 1;
        if (Left >= 0)
            ++Pos;
    }
    return Pos;
}

Integer TextPosition(const QString& Plain, int DocPos)
{
    return Integer(DocPos + Plain.left(DocPos).count(QLatin1Char('\n')));
}

String PlainToText(QString Plain)
{
    return Plain.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
}

QString TextToPlain(String Text)
{
    return Text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
}

} // namespace

TCustomEdit::TCustomEdit(TComponent* AOwner) : TWinControl(AOwner)
{
    BuildWidget();
    SetTabStop(true);
    SetParentColor(false);
    SetColor(clWindow);
    SetBounds(Left(), Top(), 121, 21);
}

TCustomEdit::~TCustomEdit() = default;

void TCustomEdit::BuildWidget()
{
    // Programmatic changes raise OnChange too, as the platform's edit does;
    // the change comes as the edit's notification through the parent, which
    // CNCommand turns into Change.
    auto Notify = [this] { RunAsEvent([&] { SendCommandNotification(EN_CHANGE); }); };
    QWidget* Old = FWidgetBuilt ? Handle() : nullptr;
    const bool HadFocus = Old && Old->hasFocus();
    String Keep;
    bool KeepReadOnly = false;
    bool KeepFrame = true;
    if (Old) {
        Keep = Text();
        KeepReadOnly = ReadOnly();
        KeepFrame = BorderStyle() != bsNone;
        Old->blockSignals(true);
    }
    if (FMultiLine) {
        auto* E = new TPlainEditWidget();
        QObject::connect(E, &QPlainTextEdit::textChanged, E, Notify);
        SetWidget(E);
    } else {
        auto* E = new TBridge<QLineEdit>();
        QObject::connect(E, &QLineEdit::textChanged, E, [Notify](const QString&) { Notify(); });
        SetWidget(E);
    }
    FWidgetBuilt = true;
    if (!Old)
        return;
    const std::shared_ptr<bool> Alive = FAlive;
    FSettingText = true;
    SetText(Keep);
    if (!*Alive)
        return;
    FSettingText = false;
    SetReadOnly(KeepReadOnly);
    if (LineEdit() && FPasswordChar.unicode() != 0)
        LineEdit()->setEchoMode(QLineEdit::Password);
    SetBorderStyle(KeepFrame ? bsSingle : bsNone);
    SetAlignment(FAlignment);
    SetLineWrap(FLineWrap);
    ApplyMaxLength();
    if (FEditRect)
        SetFormattingRect(*FEditRect);
    if (HadFocus)
        Handle()->setFocus();
}

void TCustomEdit::SetMultiLine(bool Value)
{
    if (FMultiLine == Value)
        return;
    FMultiLine = Value;
    BuildWidget();
}

void TCustomEdit::SetLineWrap(bool Value)
{
    FLineWrap = Value;
    if (QPlainTextEdit* P = TextEdit())
        P->setLineWrapMode(Value ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
}

// By the widget itself: while a new widget is built, the old one's state
// is read through these.
QLineEdit* TCustomEdit::LineEdit() const
{
    return qobject_cast<QLineEdit*>(Handle());
}

QPlainTextEdit* TCustomEdit::TextEdit() const
{
    return qobject_cast<QPlainTextEdit*>(Handle());
}

void TCustomEdit::ApplyFocusPolicy()
{
    Handle()->setFocusPolicy(TabStop() ? Qt::StrongFocus : Qt::ClickFocus);
}

void TCustomEdit::ApplyColor()
{
    SetBaseColor(Handle(), Color());
}

String TCustomEdit::GetText() const
{
    if (const QPlainTextEdit* P = TextEdit())
        return PlainToText(P->toPlainText());
    return LineEdit()->text();
}

void TCustomEdit::TextChanged()
{
    const String T = Cased(FText);
    if (GetText() != T) {
        // OnChange may free the edit.
        const std::shared_ptr<bool> Alive = FAlive;
        FSettingText = true;
        if (QPlainTextEdit* P = TextEdit())
            P->setPlainText(TextToPlain(T));
        else
            LineEdit()->setText(T);
        if (*Alive)
            FSettingText = false;
    }
}

String TCustomEdit::Cased(const String& S) const
{
    switch (FCharCase) {
    case ecUpperCase: return S.toUpper();
    case ecLowerCase: return S.toLower();
    default: return S;
    }
}

void TCustomEdit::Change()
{
    if (OnChange)
        OnChange(this);
}

Integer TCustomEdit::MaxLength() const
{
    return FMaxLength;
}

void TCustomEdit::SetMaxLength(Integer Value)
{
    FMaxLength = std::max<Integer>(0, Value);
    ApplyMaxLength();
}

void TCustomEdit::ApplyMaxLength()
{
    // The multi-line edit limits typing in WMChar.
    if (!LineEdit())
        return;
    const QValidator* Old = LineEdit()->validator();
    LineEdit()->setValidator(FMaxLength > 0 ? new TEditLengthLimit(LineEdit(), FMaxLength, &FSettingText) : nullptr);
    delete Old;
}

bool TCustomEdit::ReadOnly() const
{
    if (const QPlainTextEdit* P = TextEdit())
        return P->isReadOnly();
    return LineEdit()->isReadOnly();
}

void TCustomEdit::SetReadOnly(bool Value)
{
    Perform(EM_SETREADONLY, Value ? 1 : 0);
}

void TCustomEdit::SetPasswordChar(Char Value)
{
    FPasswordChar = Value;
    if (Value.unicode() != 0)
        SetMultiLine(false);
    if (LineEdit())
        LineEdit()->setEchoMode(Value.unicode() == 0 ? QLineEdit::Normal : QLineEdit::Password);
}

void TCustomEdit::SetCharCase(TEditCharCase Value)
{
    FCharCase = Value;
    if (Value != ecNormal)
        SetText(Cased(Text()));
}

bool TCustomEdit::Modified() const
{
    if (const QPlainTextEdit* P = TextEdit())
        return P->document()->isModified();
    return LineEdit()->isModified();
}

void TCustomEdit::SetModified(bool Value)
{
    if (QPlainTextEdit* P = TextEdit())
        P->document()->setModified(Value);
    else
        LineEdit()->setModified(Value);
}

void TCustomEdit::SetAlignment(TAlignment Value)
{
    FAlignment = Value;
    if (QPlainTextEdit* P = TextEdit()) {
        QTextOption O = P->document()->defaultTextOption();
        O.setAlignment(HorizontalAlignment(Value));
        P->document()->setDefaultTextOption(O);
        return;
    }
    LineEdit()->setAlignment(HorizontalAlignment(Value) | Qt::AlignVCenter);
}

TBorderStyle TCustomEdit::BorderStyle() const
{
    if (const QPlainTextEdit* P = TextEdit())
        return P->frameShape() == QFrame::NoFrame ? bsNone : bsSingle;
    return LineEdit()->hasFrame() ? bsSingle : bsNone;
}

void TCustomEdit::SetBorderStyle(TBorderStyle Value)
{
    if (QPlainTextEdit* P = TextEdit())
        P->setFrameStyle(Value == bsNone ? QFrame::NoFrame : QFrame::StyledPanel | QFrame::Sunken);
    else
        LineEdit()->setFrame(Value != bsNone);
}

void TCustomEdit::SelectAll()
{
    if (QPlainTextEdit* P = TextEdit())
        P->selectAll();
    else
        LineEdit()->selectAll();
}

void TCustomEdit::ClearSelection()
{
    if (QPlainTextEdit* P = TextEdit())
        P->textCursor().removeSelectedText();
    else
        LineEdit()->del();
}

void TCustomEdit::Clear()
{
    SetText(String());
}

Integer TCustomEdit::SelStart() const
{
    if (const QPlainTextEdit* P = TextEdit())
        return TextPosition(P->toPlainText(), P->textCursor().selectionStart());
    const QLineEdit* E = LineEdit();
    return E->hasSelectedText() ? E->selectionStart() : E->cursorPosition();
}

void TCustomEdit::SetSelStart(Integer Value)
{
    if (QPlainTextEdit* P = TextEdit()) {
        QTextCursor C = P->textCursor();
        C.setPosition(DocumentPosition(P->toPlainText(), Value));
        P->setTextCursor(C);
        return;
    }
    LineEdit()->setCursorPosition(Value);
}

Integer TCustomEdit::SelLength() const
{
    if (const QPlainTextEdit* P = TextEdit()) {
        const QTextCursor C = P->textCursor();
        const QString Plain = P->toPlainText();
        return TextPosition(Plain, C.selectionEnd()) - TextPosition(Plain, C.selectionStart());
    }
    return LineEdit()->selectionLength();
}

void TCustomEdit::SetSelLength(Integer Value)
{
    const Integer Start = SelStart();
    SetSelection(Start, Start + std::max<Integer>(Value, 0));
}

String TCustomEdit::SelText() const
{
    if (const QPlainTextEdit* P = TextEdit())
        return PlainToText(P->textCursor().selectedText().replace(QChar(0x2029), QLatin1Char('\n')));
    return LineEdit()->selectedText();
}

void TCustomEdit::SetSelText(const String& Value)
{
    if (QPlainTextEdit* P = TextEdit())
        P->insertPlainText(TextToPlain(Value));
    else
        LineEdit()->insert(Value);
}

void TCustomEdit::CopyToClipboard()
{
    Perform(WM_COPY);
}

void TCustomEdit::CutToClipboard()
{
    Perform(WM_CUT);
}

void TCustomEdit::PasteFromClipboard()
{
    Perform(WM_PASTE);
}

void TCustomEdit::Undo()
{
    if (QPlainTextEdit* P = TextEdit())
        P->undo();
    else
        LineEdit()->undo();
}

void TCustomEdit::WMGetDlgCode(TWMGetDlgCode& Message)
{
    Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_HASSETSEL;
}

namespace {

// The clipboard message a typed control character (Ctrl+V, Ctrl+X, Ctrl+C)
// or a key with Shift or Ctrl (Shift+Insert, Shift+Delete, Ctrl+Insert)
// stands for; 0 for none.
Cardinal ClipboardMessageOfChar(Word Ch)
{
    switch (Ch) {
    case 22: return WM_PASTE;
    case 24: return WM_CUT;
    case 3: return WM_COPY;
    default: return 0;
    }
}

Cardinal ClipboardMessageOfKey(Word Key, TShiftState Shift)
{
    if (Key == VK_INSERT && Shift == TShiftState{ssShift})
        return WM_PASTE;
    if (Key == VK_DELETE && Shift == TShiftState{ssShift})
        return WM_CUT;
    if (Key == VK_INSERT && Shift == TShiftState{ssCtrl})
        return WM_COPY;
    return 0;
}

} // namespace

void TCustomEdit::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_PASTE: WMPaste(Message); break;
    case WM_CUT: WMCut(Message); break;
    case WM_COPY: WMCopy(Message); break;
    case EM_SETRECT: case EM_SETRECTNP:
        if (Message.LParam)
            SetFormattingRect(*reinterpret_cast<const TRect*>(Message.LParam));
        break;
    case EM_GETRECT:
        if (Message.LParam)
            *reinterpret_cast<TRect*>(Message.LParam) = FormattingRect();
        break;
    case EM_SETSEL: SetSelection(Integer(Message.WParam), Integer(Message.LParam)); break;
    case EM_CHARFROMPOS: Message.Result = CharFromPos(TPoint(SmallInt(Message.LParamLo()), SmallInt(Message.LParamHi()))); break;
    case EM_SETREADONLY:
        if (QPlainTextEdit* P = TextEdit())
            P->setReadOnly(Message.WParam != 0);
        else
            LineEdit()->setReadOnly(Message.WParam != 0);
        break;
    case CN_COMMAND: CNCommand(Message); break;
    default: TWinControl::Dispatch(Message); break;
    }
}

Integer TCustomEdit::CharFromPos(TPoint Pos) const
{
    const QPoint At(Pos.X, Pos.Y);
    if (const QPlainTextEdit* P = TextEdit())
        return TextPosition(P->toPlainText(), P->cursorForPosition(At - P->viewport()->pos()).position());
    return LineEdit()->cursorPositionAt(At);
}

void TCustomEdit::SetSelection(Integer Start, Integer End)
{
    if (QPlainTextEdit* P = TextEdit()) {
        const QString Plain = P->toPlainText();
        QTextCursor C = P->textCursor();
        C.setPosition(DocumentPosition(Plain, Start));
        if (End >= Start)
            C.setPosition(DocumentPosition(Plain, End), QTextCursor::KeepAnchor);
        P->setTextCursor(C);
        return;
    }
    if (End < Start)
        LineEdit()->setCursorPosition(Start);
    else
        LineEdit()->setSelection(Start, End - Start);
}

void TCustomEdit::CNCommand(TMessage& Message)
{
    if (Message.WParamHi() == EN_CHANGE)
        Change();
}

void TCustomEdit::SetFormattingRect(const TRect& R)
{
    FEditRect = R;
    const TRect C = ClientRect();
    const QMargins M(std::max(R.Left, 0), std::max(R.Top, 0), std::max(C.Right - R.Right, 0),
                     std::max(C.Bottom - R.Bottom, 0));
    if (TextEdit())
        static_cast<TPlainEditWidget*>(Handle())->SetMargins(M);
    else
        LineEdit()->setTextMargins(M);
}

TRect TCustomEdit::FormattingRect() const
{
    return FEditRect.value_or(ClientRect());
}

void TCustomEdit::WMPaste(TMessage&)
{
    if (QPlainTextEdit* P = TextEdit())
        P->paste();
    else
        LineEdit()->paste();
}

void TCustomEdit::WMCut(TMessage&)
{
    if (QPlainTextEdit* P = TextEdit())
        P->cut();
    else
        LineEdit()->cut();
}

void TCustomEdit::WMCopy(TMessage&)
{
    if (QPlainTextEdit* P = TextEdit())
        P->copy();
    else
        LineEdit()->copy();
}

void TCustomEdit::WMKeyDown(TWMKey& Message)
{
    TWinControl::WMKeyDown(Message);
    const TShiftState Shift = KeyboardStateToShiftState() - TShiftState{ssLeft, ssRight, ssMiddle};
    if (const Cardinal Msg = ClipboardMessageOfKey(Message.CharCode, Shift)) {
        Message.CharCode = 0;
        Perform(Msg);
    }
}

void TCustomEdit::WMChar(TWMKey& Message)
{
    TWinControl::WMChar(Message);
    if (const Cardinal Msg = ClipboardMessageOfChar(Message.CharCode)) {
        Message.CharCode = 0;
        Perform(Msg);
        return;
    }
    // The multi-line edit's maximum length: characters past it are not typed.
    if (TextEdit() && FMaxLength > 0 && Message.CharCode >= 32 && Text().length() - SelLength() >= FMaxLength) {
        Message.CharCode = 0;
        return;
    }
    // The edit types the character in its case.
    if (Message.CharCode >= 32 && FCharCase != ecNormal)
        Message.CharCode = Cased(QString(QChar(char16_t(Message.CharCode)))).at(0).unicode();
}

bool TCustomEdit::DefaultContextMenu(QContextMenuEvent* Event)
{
    // The line edit's own menu, whose clipboard entries go through the
    // edit's messages like the keys.
    QPlainTextEdit* Plain = TextEdit();
    QMenu* Menu = Plain ? Plain->createStandardContextMenu() : LineEdit()->createStandardContextMenu();
    Menu->setAttribute(Qt::WA_DeleteOnClose);
    const QPointer<QWidget> Edit(Handle());
    // The entries are known by their (translated) captions, before the
    // shortcut that follows a tab.
    const char* Context = Plain ? "QWidgetTextControl" : "QLineEdit";
    const std::pair<QString, Cardinal> Routes[] = {{QCoreApplication::translate(Context, "&Paste"), WM_PASTE},
                                                   {QCoreApplication::translate(Context, "Cu&t"), WM_CUT},
                                                   {QCoreApplication::translate(Context, "&Copy"), WM_COPY}};
    for (QAction* A : Menu->actions()) {
        const QString Caption = A->text().section(QLatin1Char('\t'), 0, 0);
        const auto Route = std::find_if(std::begin(Routes), std::end(Routes),
                                        [&](const auto& R) { return R.first == Caption; });
        if (Route == std::end(Routes))
            continue;
        const Cardinal Msg = Route->second;
        QObject::disconnect(A, &QAction::triggered, nullptr, nullptr);
        QObject::connect(A, &QAction::triggered, Menu, [Edit, Msg] {
            if (TControl* C = Edit ? FindControl(Edit) : nullptr)
                C->RunAsEvent([&] { C->Perform(Msg); });
        });
    }
    Menu->popup(Event->globalPos());
    return true;
}

void TCustomEdit::CMEnter(TMessage& Message)
{
    if (FAutoSelect && !ControlState().Contains(csLButtonDown))
        SelectAll();
    TWinControl::CMEnter(Message);
}

// ---------------------------------------------------------------- TCustomMemo

namespace {

class TMemoStrings : public TTextDocumentStrings {
public:
    explicit TMemoStrings(TCustomMemo* AMemo) : Memo(AMemo) {}

protected:
    QTextDocument* Doc() const override { return Memo->TextEdit()->document(); }

private:
    TCustomMemo* Memo;
};

} // namespace

// ---------------------------------------------------------------- TTextDocumentStrings

void TTextDocumentStrings::SetText(const String& Value)
{
    String T = Value;
    T.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    T.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    if (T.endsWith(QLatin1Char('\n')))
        T.chop(1);
    Doc()->setPlainText(T);
}

int TTextDocumentStrings::ItemCount() const
{
    // An empty document has no lines.
    return Doc()->isEmpty() ? 0 : Doc()->blockCount();
}

String TTextDocumentStrings::ItemText(int Index) const
{
    return Doc()->findBlockByNumber(Index).text();
}

void TTextDocumentStrings::SetItemText(int Index, const String& S)
{
    QTextCursor C(Doc()->findBlockByNumber(Index));
    C.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    C.insertText(S);
}

void TTextDocumentStrings::InsertItem(int Index, const String& S)
{
    const int Count = ItemCount();
    if (Count == 0) {
        Doc()->setPlainText(S);
        return;
    }
    if (Index == Count) {
        QTextCursor C(Doc());
        C.movePosition(QTextCursor::End);
        C.insertText(QLatin1Char('\n') + S);
    } else {
        QTextCursor C(Doc()->findBlockByNumber(Index));
        C.insertText(S + QLatin1Char('\n'));
    }
}

void TTextDocumentStrings::RemoveItem(int Index)
{
    const int Count = ItemCount();
    QTextCursor C(Doc()->findBlockByNumber(Index));
    if (Count == 1) {
        Doc()->clear();
        return;
    }
    if (Index == Count - 1) {
        // The last line goes with the line break before it.
        C.movePosition(QTextCursor::PreviousBlock);
        C.movePosition(QTextCursor::EndOfBlock);
        C.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
    } else {
        C.movePosition(QTextCursor::NextBlock, QTextCursor::KeepAnchor);
    }
    C.removeSelectedText();
}

void TTextDocumentStrings::ClearItems()
{
    Doc()->clear();
}

TCustomMemo::TCustomMemo(TComponent* AOwner) : TWinControl(AOwner)
{
    auto* E = new TBridge<QPlainTextEdit>();
    SetWidget(E);
    FLines = std::make_unique<TMemoStrings>(this);
    SetTabStop(true);
    SetParentColor(false);
    SetColor(clWindow);
    SetBounds(Left(), Top(), 185, 89);
    SetScrollBars(ssNone);
    SetWordWrap(true);
    QObject::connect(E, &QPlainTextEdit::textChanged, E, [this] { RunAsEvent([&] { Change(); }); });
}

TCustomMemo::~TCustomMemo() = default;

QPlainTextEdit* TCustomMemo::TextEdit() const
{
    return static_cast<QPlainTextEdit*>(Handle());
}

void TCustomMemo::ApplyFocusPolicy()
{
    Handle()->setFocusPolicy(TabStop() ? Qt::StrongFocus : Qt::ClickFocus);
}

void TCustomMemo::ApplyColor()
{
    SetBaseColor(Handle(), Color());
}

void TCustomMemo::SetLines(TStrings* Value)
{
    FLines->Assign(Value);
}

void TCustomMemo::SetScrollBars(TScrollStyle Value)
{
    FScrollBars = Value;
    QPlainTextEdit* E = TextEdit();
    E->setVerticalScrollBarPolicy(Value == ssVertical || Value == ssBoth ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    E->setHorizontalScrollBarPolicy(Value == ssHorizontal || Value == ssBoth ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    // A horizontal scroll bar turns wrapping off, as the platform's memo does.
    E->setLineWrapMode(FWordWrap && Value != ssHorizontal && Value != ssBoth ? QPlainTextEdit::WidgetWidth
                                                                             : QPlainTextEdit::NoWrap);
}

void TCustomMemo::SetWordWrap(bool Value)
{
    FWordWrap = Value;
    SetScrollBars(FScrollBars);
}

bool TCustomMemo::ReadOnly() const
{
    return TextEdit()->isReadOnly();
}

void TCustomMemo::SetReadOnly(bool Value)
{
    TextEdit()->setReadOnly(Value);
}

void TCustomMemo::SetAlignment(TAlignment Value)
{
    FAlignment = Value;
    QTextOption O = TextEdit()->document()->defaultTextOption();
    O.setAlignment(HorizontalAlignment(Value));
    TextEdit()->document()->setDefaultTextOption(O);
}

void TCustomMemo::SelectAll()
{
    TextEdit()->selectAll();
}

void TCustomMemo::Clear()
{
    TextEdit()->clear();
}

Integer TCustomMemo::SelStart() const
{
    return TextEdit()->textCursor().selectionStart();
}

void TCustomMemo::SetSelStart(Integer Value)
{
    SetEditorSelStart(TextEdit(), Value);
}

Integer TCustomMemo::SelLength() const
{
    return EditorSelLength(TextEdit());
}

void TCustomMemo::SetSelLength(Integer Value)
{
    SetEditorSelLength(TextEdit(), Value);
}

String TCustomMemo::SelText() const
{
    return EditorSelText(TextEdit());
}

void TCustomMemo::Change()
{
    if (OnChange)
        OnChange(this);
}

String TCustomMemo::GetText() const
{
    return TextEdit()->toPlainText().replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
}

void TCustomMemo::TextChanged()
{
    FLines->SetText(FText);
}

void TCustomMemo::WMGetDlgCode(TWMGetDlgCode& Message)
{
    Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTALLKEYS;
    if (FWantTabs)
        Message.Result |= DLGC_WANTTAB;
    if (!FWantReturns)
        Message.Result &= ~LRESULT(DLGC_WANTALLKEYS);
}

void TCustomMemo::WMChar(TWMKey& Message)
{
    TWinControl::WMChar(Message);
    const Word C = Message.CharCode;
    if (ReadOnly())
        return;
    if (C == 13 && !FWantReturns)
        Message.CharCode = 0;
    // MaxLength: characters past it are not typed.
    if (FMaxLength > 0 && C >= 32 && TextEdit()->document()->characterCount() - 1 - SelLength() >= FMaxLength)
        Message.CharCode = 0;
}

// ---------------------------------------------------------------- TCustomComboBox

namespace {

class TComboStrings : public TControlStrings {
public:
    explicit TComboStrings(TCustomComboBox* ABox) : Box(ABox) {}

protected:
    QComboBox* C() const { return Box->ComboBox(); }
    int ItemCount() const override { return C()->count(); }
    String ItemText(int Index) const override { return C()->itemText(Index); }
    void SetItemText(int Index, const String& S) override { C()->setItemText(Index, S); }
    void InsertItem(int Index, const String& S) override
    {
        // Adding items selects nothing, as the framework's combo box does.
        const int Keep = C()->currentIndex();
        const QString KeepText = C()->currentText();
        C()->insertItem(Index, S);
        if (Keep < 0) {
            C()->setCurrentIndex(-1);
            if (C()->isEditable())
                C()->setEditText(KeepText);
        }
    }
    void RemoveItem(int Index) override { C()->removeItem(Index); }
    void ClearItems() override
    {
        const QString KeepText = C()->isEditable() ? C()->currentText() : QString();
        C()->clear();
        if (C()->isEditable())
            C()->setEditText(KeepText);
    }
    TObject* ItemObject(int Index) const override
    {
        return reinterpret_cast<TObject*>(C()->itemData(Index).value<quintptr>());
    }
    void SetItemObject(int Index, TObject* AObject) override
    {
        C()->setItemData(Index, QVariant::fromValue(quintptr(AObject)));
    }

private:
    TCustomComboBox* Box;
};

} // namespace

// The combo box widget tells its control when the list drops down (before
// it shows) and when it closes up.
class TComboBridge : public TBridge<QComboBox> {
public:
    // Takes a line edit the box made; false when it has it already.
    bool AdoptEdit(QLineEdit* E)
    {
        if (E == Edit)
            return false;
        Edit = E;
        E->installEventFilter(this);
        return true;
    }

    void showPopup() override
    {
        if (auto* Box = static_cast<TCustomComboBox*>(Control)) {
            Box->RunAsEvent([Box] { Box->SendCommandNotification(CBN_DROPDOWN); });
            if (!Control)
                return; // freed by its handler
        }
        QComboBox::showPopup();
    }
    void hidePopup() override
    {
        const bool WasDropped = view()->isVisible();
        QComboBox::hidePopup();
        if (auto* Box = static_cast<TCustomComboBox*>(Control); Box && WasDropped)
            Box->RunAsEvent([Box] { Box->SendCommandNotification(CBN_CLOSEUP); });
    }

protected:
    // The mouse moving over the edit moves over the box, as the platform's
    // combo box passes its edit's mouse messages on.
    bool eventFilter(QObject* Object, QEvent* E) override
    {
        if (Object == Edit && E->type() == QEvent::MouseMove && Control) {
            const auto* M = static_cast<QMouseEvent*>(E);
            const QPoint P = Edit->mapTo(this, M->position().toPoint());
            const Word Keys = MouseKeys(M->buttons(), M->modifiers());
            TControl* Box = Control;
            Box->RunAsEvent([&] {
                Box->Perform(WM_MOUSEMOVE, Keys, LPARAM(Word(SmallInt(P.x()))) | (LPARAM(Word(SmallInt(P.y()))) << 16));
            });
        }
        return QComboBox::eventFilter(Object, E);
    }

private:
    QLineEdit* Edit = nullptr;
};

TCustomComboBox::TCustomComboBox(TComponent* AOwner) : TWinControl(AOwner)
{
    auto* C = new TComboBridge();
    SetWidget(C);
    C->setInsertPolicy(QComboBox::NoInsert);
    FItems = std::make_unique<TComboStrings>(this);
    SetTabStop(true);
    SetParentColor(false);
    SetColor(clWindow);
    SetBounds(Left(), Top(), 145, 21);
    SetStyle(csDropDown);
    SetDropDownCount(8);
    QObject::connect(C, qOverload<int>(&QComboBox::activated), C,
                     [this](int) { RunAsEvent([&] { SendCommandNotification(CBN_SELCHANGE); }); });
}

TCustomComboBox::~TCustomComboBox() = default;

QComboBox* TCustomComboBox::ComboBox() const
{
    return static_cast<QComboBox*>(Handle());
}

void TCustomComboBox::ApplyFocusPolicy()
{
    Handle()->setFocusPolicy(TabStop() ? Qt::StrongFocus : Qt::ClickFocus);
}

void TCustomComboBox::ApplyColor()
{
    SetBaseColor(Handle(), Color());
}

void TCustomComboBox::ConnectEdit()
{
    QLineEdit* E = ComboBox()->lineEdit();
    if (!E)
        return;
    E->setMaxLength(FMaxLength <= 0 ? 32767 : FMaxLength);
    if (static_cast<TComboBridge*>(ComboBox())->AdoptEdit(E))
        QObject::connect(E, &QLineEdit::textEdited, E,
                         [this](const QString&) { RunAsEvent([&] { SendCommandNotification(CBN_EDITCHANGE); }); });
}

void TCustomComboBox::SetStyle(TComboBoxStyle Value)
{
    FStyle = Value;
    const bool Editable = Value == csDropDown || Value == csSimple;
    if (ComboBox()->isEditable() != Editable) {
        const int Index = ComboBox()->currentIndex();
        ComboBox()->setEditable(Editable);
        ComboBox()->setCurrentIndex(Index);
        ConnectEdit();
    } else if (Editable) {
        ConnectEdit();
    }
}

void TCustomComboBox::SetItems(TStrings* Value)
{
    FItems->Assign(Value);
}

Integer TCustomComboBox::ItemIndex() const
{
    return ComboBox()->currentIndex();
}

void TCustomComboBox::SetItemIndex(Integer Value)
{
    if (Value < 0 || Value >= ComboBox()->count())
        Value = -1;
    ComboBox()->setCurrentIndex(Value);
    if (Value < 0 && ComboBox()->isEditable())
        ComboBox()->setEditText(QString());
}

Integer TCustomComboBox::DropDownCount() const
{
    return ComboBox()->maxVisibleItems();
}

void TCustomComboBox::SetDropDownCount(Integer Value)
{
    ComboBox()->setMaxVisibleItems(std::max(Value, 1));
}

bool TCustomComboBox::Sorted() const
{
    return static_cast<TControlStrings*>(FItems.get())->Sorted;
}

void TCustomComboBox::SetSorted(bool Value)
{
    static_cast<TControlStrings*>(FItems.get())->Sorted = Value;
    if (Value) {
        QStringList L;
        for (int I = 0; I < ComboBox()->count(); ++I)
            L << ComboBox()->itemText(I);
        FItems->BeginUpdate();
        FItems->Clear();
        for (const QString& S : L)
            FItems->Add(S);
        FItems->EndUpdate();
    }
}

void TCustomComboBox::SetMaxLength(Integer Value)
{
    FMaxLength = Value;
    if (QLineEdit* E = ComboBox()->lineEdit())
        E->setMaxLength(Value <= 0 ? 32767 : Value);
}

bool TCustomComboBox::DroppedDown() const
{
    return ComboBox()->view()->isVisible();
}

void TCustomComboBox::SetDroppedDown(bool Value)
{
    if (Value)
        ComboBox()->showPopup();
    else
        ComboBox()->hidePopup();
}

void TCustomComboBox::Clear()
{
    FItems->Clear();
    SetText(String());
}

void TCustomComboBox::SelectAll()
{
    if (QLineEdit* E = ComboBox()->lineEdit())
        E->selectAll();
}

Integer TCustomComboBox::SelStart() const
{
    const QLineEdit* E = ComboBox()->lineEdit();
    return !E ? 0 : E->hasSelectedText() ? E->selectionStart() : E->cursorPosition();
}

Integer TCustomComboBox::SelLength() const
{
    const QLineEdit* E = ComboBox()->lineEdit();
    return E ? Integer(E->selectedText().length()) : 0;
}

void TCustomComboBox::SetSelection(Integer Start, Integer Length)
{
    if (QLineEdit* E = ComboBox()->lineEdit())
        E->setSelection(Start, Length);
}

String TCustomComboBox::GetText() const
{
    return ComboBox()->currentText();
}

void TCustomComboBox::TextChanged()
{
    QComboBox* C = ComboBox();
    if (C->isEditable()) {
        C->setEditText(FText);
    } else {
        // A list: the text selects the item that has it, if any.
        C->setCurrentIndex(C->findText(FText, Qt::MatchFixedString));
    }
}

void TCustomComboBox::Change()
{
    if (OnChange)
        OnChange(this);
}

void TCustomComboBox::Select()
{
    if (OnSelect)
        OnSelect(this);
    else
        Change();
}

void TCustomComboBox::DropDown()
{
    if (OnDropDown)
        OnDropDown(this);
}

void TCustomComboBox::CloseUp()
{
    if (OnCloseUp)
        OnCloseUp(this);
}

void TCustomComboBox::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case CB_SETDROPPEDWIDTH:
        ComboBox()->view()->setMinimumWidth(int(Message.WParam));
        Message.Result = LRESULT(Message.WParam);
        break;
    case CB_GETDROPPEDWIDTH: Message.Result = ComboBox()->view()->minimumWidth(); break;
    case CB_GETCURSEL: Message.Result = ItemIndex(); break;
    case CB_GETLBTEXT:
        if (Integer(Message.WParam) < 0 || Integer(Message.WParam) >= FItems->Count()) {
            Message.Result = -1;
        } else {
            const String Item = FItems->Strings(Integer(Message.WParam));
            if (Message.LParam)
                *reinterpret_cast<String*>(Message.LParam) = Item;
            Message.Result = Item.size();
        }
        break;
    case CN_COMMAND: CNCommand(Message); break;
    default: TWinControl::Dispatch(Message); break;
    }
}

void TCustomComboBox::CNCommand(TMessage& Message)
{
    switch (Message.WParamHi()) {
    case CBN_SELCHANGE:
        Click();
        Select();
        break;
    case CBN_EDITCHANGE: Change(); break;
    case CBN_DROPDOWN: DropDown(); break;
    case CBN_CLOSEUP: CloseUp(); break;
    default: break;
    }
}

void TCustomComboBox::WMGetDlgCode(TWMGetDlgCode& Message)
{
    Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS;
}

// ---------------------------------------------------------------- TCustomCheckBox

TCustomCheckBox::TCustomCheckBox(TComponent* AOwner) : TWinControl(AOwner)
{
    auto* B = new TBridge<QCheckBox>();
    SetWidget(B);
    SetControlStyle(ControlStyle() - TControlStyle{csClickEvents});
    SetTabStop(true);
    SetBounds(Left(), Top(), 97, 17);
    QObject::connect(B, &QCheckBox::clicked, B, [this](bool) {
        RunAsEvent([&] {
            // Qt has moved the box already; the framework's Toggle decides.
            QCheckBox* Box = static_cast<QCheckBox*>(Handle());
            const QSignalBlocker Block(Box);
            Box->setCheckState(FState == cbChecked ? Qt::Checked : FState == cbGrayed ? Qt::PartiallyChecked : Qt::Unchecked);
            Toggle();
        });
    });
}

void TCustomCheckBox::ApplyFocusPolicy()
{
    Handle()->setFocusPolicy(TabStop() ? Qt::StrongFocus : Qt::ClickFocus);
}

void TCustomCheckBox::ApplyColor()
{
    SetWindowColor(Handle(), Color());
}

void TCustomCheckBox::Toggle()
{
    switch (FState) {
    case cbUnchecked: SetState(FAllowGrayed ? cbGrayed : cbChecked); break;
    case cbChecked: SetState(cbUnchecked); break;
    case cbGrayed: SetState(cbChecked); break;
    }
}

void TCustomCheckBox::SetState(TCheckBoxState Value)
{
    if (FState == Value)
        return;
    FState = Value;
    auto* Box = static_cast<QCheckBox*>(Handle());
    {
        const QSignalBlocker Block(Box);
        Box->setTristate(FAllowGrayed || Value == cbGrayed);
        Box->setCheckState(Value == cbChecked ? Qt::Checked : Value == cbGrayed ? Qt::PartiallyChecked : Qt::Unchecked);
    }
    Click();
}

void TCustomCheckBox::SetAllowGrayed(bool Value)
{
    FAllowGrayed = Value;
    if (!Value && FState == cbGrayed)
        SetState(cbUnchecked);
    static_cast<QCheckBox*>(Handle())->setTristate(Value);
}

void TCustomCheckBox::SetAlignment(TLeftRight Value)
{
    FAlignment = Value;
    Handle()->setLayoutDirection(Value == taLeftJustify ? Qt::RightToLeft : Qt::LeftToRight);
}

String TCustomCheckBox::GetText() const
{
    return static_cast<QCheckBox*>(Handle())->text();
}

void TCustomCheckBox::TextChanged()
{
    static_cast<QCheckBox*>(Handle())->setText(FText);
}

void TCustomCheckBox::WMGetDlgCode(TWMGetDlgCode& Message)
{
    Message.Result = DLGC_BUTTON;
}

// ---------------------------------------------------------------- TButton

TButton::TButton(TComponent* AOwner) : TWinControl(AOwner)
{
    SetWidget(new TBridge<QPushButton>());
    SetTabStop(true);
    SetBounds(Left(), Top(), 75, 25);
}

String TButton::GetText() const
{
    return static_cast<QPushButton*>(Handle())->text();
}

void TButton::TextChanged()
{
    static_cast<QPushButton*>(Handle())->setText(FText);
}

void TButton::WMGetDlgCode(TWMGetDlgCode& Message)
{
    Message.Result = DLGC_BUTTON;
}

void TButton::ApplyFocusPolicy()
{
    Handle()->setFocusPolicy(TabStop() ? Qt::StrongFocus : Qt::ClickFocus);
}

// ---------------------------------------------------------------- TRadioButton

TRadioButton::TRadioButton(TComponent* AOwner) : TWinControl(AOwner)
{
    auto* B = new TBridge<QRadioButton>();
    SetWidget(B);
    SetControlStyle(ControlStyle() - TControlStyle{csClickEvents});
    SetTabStop(true);
    SetBounds(Left(), Top(), 113, 17);
    QObject::connect(B, &QRadioButton::clicked, B, [this](bool) { RunAsEvent([&] { Click(); }); });
}

void TRadioButton::ApplyFocusPolicy()
{
    Handle()->setFocusPolicy(TabStop() ? Qt::StrongFocus : Qt::ClickFocus);
}

void TRadioButton::ApplyColor()
{
    SetWindowColor(Handle(), Color());
}

bool TRadioButton::Checked() const
{
    return static_cast<QRadioButton*>(Handle())->isChecked();
}

void TRadioButton::SetChecked(bool Value)
{
    auto* B = static_cast<QRadioButton*>(Handle());
    if (B->isChecked() == Value)
        return;
    {
        const QSignalBlocker Block(B);
        if (!Value)
            B->setAutoExclusive(false);
        B->setChecked(Value);
        B->setAutoExclusive(true);
    }
    if (Value)
        Click();
}

void TRadioButton::SetAlignment(TLeftRight Value)
{
    FAlignment = Value;
    Handle()->setLayoutDirection(Value == taLeftJustify ? Qt::RightToLeft : Qt::LeftToRight);
}

String TRadioButton::GetText() const
{
    return static_cast<QRadioButton*>(Handle())->text();
}

void TRadioButton::TextChanged()
{
    static_cast<QRadioButton*>(Handle())->setText(FText);
}

void TRadioButton::WMGetDlgCode(TWMGetDlgCode& Message)
{
    Message.Result = DLGC_BUTTON | DLGC_RADIOBUTTON;
}

// ---------------------------------------------------------------- TCustomGroupBox

TCustomGroupBox::TCustomGroupBox(TComponent* AOwner) : TCustomControl(AOwner)
{
    SetWidget(new TBridge<QGroupBox>());
    SetControlStyle(ControlStyle() + TControlStyle{csAcceptsControls});
    SetTabStop(false);
    SetBounds(Left(), Top(), 185, 105);
}

void TCustomGroupBox::AdjustClientRect(TRect& Rect)
{
    TCustomControl::AdjustClientRect(Rect);
    Rect.Top += MeasureCanvas(Font())->TextHeight(QStringLiteral("0"));
    InflateRect(Rect, -2, -2);
}

String TCustomGroupBox::GetText() const
{
    return static_cast<QGroupBox*>(Handle())->title();
}

void TCustomGroupBox::TextChanged()
{
    static_cast<QGroupBox*>(Handle())->setTitle(FText);
}

// ---------------------------------------------------------------- TCustomListBox

namespace {

class TListStrings : public TControlStrings {
public:
    explicit TListStrings(TCustomListBox* ABox) : Box(ABox) {}

protected:
    QListWidget* L() const { return Box->ListWidget(); }
    int ItemCount() const override { return L()->count(); }
    String ItemText(int Index) const override { return L()->item(Index)->text(); }
    void SetItemText(int Index, const String& S) override { L()->item(Index)->setText(S); }
    void InsertItem(int Index, const String& S) override
    {
        auto* Item = new QListWidgetItem(S);
        if (dynamic_cast<TCheckListBox*>(Box)) {
            Item->setFlags(Item->flags() | Qt::ItemIsUserCheckable);
            Item->setCheckState(Qt::Unchecked);
        }
        L()->insertItem(Index, Item);
    }
    void RemoveItem(int Index) override { delete L()->takeItem(Index); }
    void ClearItems() override { L()->clear(); }
    TObject* ItemObject(int Index) const override
    {
        return reinterpret_cast<TObject*>(L()->item(Index)->data(Qt::UserRole).value<quintptr>());
    }
    void SetItemObject(int Index, TObject* AObject) override
    {
        L()->item(Index)->setData(Qt::UserRole, QVariant::fromValue(quintptr(AObject)));
    }

private:
    TCustomListBox* Box;
};

} // namespace

TCustomListBox::TCustomListBox(TComponent* AOwner) : TWinControl(AOwner)
{
    auto* L = new TBridge<QListWidget>();
    SetWidget(L);
    FItems = std::make_unique<TListStrings>(this);
    SetControlStyle(ControlStyle() - TControlStyle{csClickEvents});
    SetTabStop(true);
    SetParentColor(false);
    SetColor(clWindow);
    SetBounds(Left(), Top(), 121, 97);
    ApplySelectionMode();
    QObject::connect(L, &QListWidget::itemSelectionChanged, L, [this] {
        if (!FChangingSelection)
            RunAsEvent([&] { Click(); });
    });
    QObject::connect(L, &QListWidget::itemDoubleClicked, L, [this](QListWidgetItem*) {
        RunAsEvent([&] { DblClick(); });
    });
}

TCustomListBox::~TCustomListBox() = default;

QListWidget* TCustomListBox::ListWidget() const
{
    return static_cast<QListWidget*>(Handle());
}

void TCustomListBox::ApplyFocusPolicy()
{
    Handle()->setFocusPolicy(TabStop() ? Qt::StrongFocus : Qt::ClickFocus);
}

void TCustomListBox::ApplyColor()
{
    SetBaseColor(Handle(), Color());
}

void TCustomListBox::ApplySelectionMode()
{
    ListWidget()->setSelectionMode(!FMultiSelect   ? QAbstractItemView::SingleSelection
                                   : FExtendedSelect ? QAbstractItemView::ExtendedSelection
                                                     : QAbstractItemView::MultiSelection);
}

void TCustomListBox::SetItems(TStrings* Value)
{
    FItems->Assign(Value);
}

Integer TCustomListBox::Count() const
{
    return ListWidget()->count();
}

void TCustomListBox::CheckItemIndex(Integer Index) const
{
    if (Index < 0 || Index >= Count())
        throw EListError(QStringLiteral("List index out of bounds (%1)").arg(Index));
}

Integer TCustomListBox::ItemIndex() const
{
    return ListWidget()->currentRow();
}

void TCustomListBox::SetItemIndex(Integer Value)
{
    if (Value < 0 || Value >= Count())
        Value = -1;
    FChangingSelection = true;
    if (Value < 0) {
        ListWidget()->clearSelection();
        ListWidget()->setCurrentRow(-1);
    } else {
        ListWidget()->setCurrentRow(Value, FMultiSelect ? QItemSelectionModel::Current
                                                        : QItemSelectionModel::ClearAndSelect);
    }
    FChangingSelection = false;
}

void TCustomListBox::SetMultiSelect(bool Value)
{
    FMultiSelect = Value;
    ApplySelectionMode();
}

void TCustomListBox::SetExtendedSelect(bool Value)
{
    FExtendedSelect = Value;
    ApplySelectionMode();
}

bool TCustomListBox::Selected(Integer Index) const
{
    CheckItemIndex(Index);
    return ListWidget()->item(Index)->isSelected();
}

void TCustomListBox::SetSelected(Integer Index, bool Value)
{
    CheckItemIndex(Index);
    FChangingSelection = true;
    if (!FMultiSelect && Value)
        ListWidget()->setCurrentRow(Index);
    else
        ListWidget()->item(Index)->setSelected(Value);
    FChangingSelection = false;
}

Integer TCustomListBox::SelCount() const
{
    return FMultiSelect ? Integer(ListWidget()->selectedItems().size()) : -1;
}

void TCustomListBox::SetSorted(bool Value)
{
    FSorted = Value;
    static_cast<TControlStrings*>(FItems.get())->Sorted = Value;
    if (Value)
        ListWidget()->sortItems();
}

Integer TCustomListBox::TopIndex() const
{
    const QListWidgetItem* Item = ListWidget()->itemAt(2, 2);
    return Item ? ListWidget()->row(Item) : 0;
}

void TCustomListBox::SetTopIndex(Integer Value)
{
    if (QListWidgetItem* Item = ListWidget()->item(Value))
        ListWidget()->scrollToItem(Item, QAbstractItemView::PositionAtTop);
}

Integer TCustomListBox::ItemHeight() const
{
    return Count() > 0 ? ListWidget()->sizeHintForRow(0) : QFontMetrics(Handle()->font()).height();
}

void TCustomListBox::SetItemHeight(Integer Value)
{
    ListWidget()->setUniformItemSizes(true);
    for (int I = 0; I < Count(); ++I)
        ListWidget()->item(I)->setSizeHint(QSize(0, Value));
}

Integer TCustomListBox::ItemAtPos(const TPoint& Pos, bool Existing) const
{
    const QListWidgetItem* Item = ListWidget()->itemAt(Pos.X, Pos.Y);
    if (Item)
        return ListWidget()->row(Item);
    return Existing ? -1 : Count();
}

TRect TCustomListBox::ItemRect(Integer Index) const
{
    CheckItemIndex(Index);
    return FromQRect(ListWidget()->visualItemRect(ListWidget()->item(Index)));
}

void TCustomListBox::Clear()
{
    FItems->Clear();
}

void TCustomListBox::ClearSelection()
{
    FChangingSelection = true;
    ListWidget()->clearSelection();
    FChangingSelection = false;
}

void TCustomListBox::SelectAll()
{
    if (!FMultiSelect)
        return;
    FChangingSelection = true;
    ListWidget()->selectAll();
    FChangingSelection = false;
}

void TCustomListBox::WMGetDlgCode(TWMGetDlgCode& Message)
{
    Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS;
}

// ---------------------------------------------------------------- TCheckListBox

TCheckListBox::TCheckListBox(TComponent* AOwner) : TCustomListBox(AOwner)
{
    QObject::connect(ListWidget(), &QListWidget::itemChanged, ListWidget(), [this](QListWidgetItem*) {
        if (!FSettingCheck)
            RunAsEvent([&] { ClickCheck(); });
    });
}

bool TCheckListBox::Checked(Integer Index) const
{
    return State(Index) == cbChecked;
}

void TCheckListBox::SetChecked(Integer Index, bool Value)
{
    SetState(Index, Value ? cbChecked : cbUnchecked);
}

TCheckBoxState TCheckListBox::State(Integer Index) const
{
    CheckItemIndex(Index);
    switch (ListWidget()->item(Index)->checkState()) {
    case Qt::Checked: return cbChecked;
    case Qt::PartiallyChecked: return cbGrayed;
    default: return cbUnchecked;
    }
}

void TCheckListBox::SetState(Integer Index, TCheckBoxState Value)
{
    CheckItemIndex(Index);
    FSettingCheck = true;
    QListWidgetItem* Item = ListWidget()->item(Index);
    if (Value == cbGrayed)
        Item->setFlags(Item->flags() | Qt::ItemIsAutoTristate);
    Item->setCheckState(Value == cbChecked ? Qt::Checked : Value == cbGrayed ? Qt::PartiallyChecked : Qt::Unchecked);
    FSettingCheck = false;
}

bool TCheckListBox::ItemEnabled(Integer Index) const
{
    CheckItemIndex(Index);
    return ListWidget()->item(Index)->flags() & Qt::ItemIsEnabled;
}

void TCheckListBox::SetItemEnabled(Integer Index, bool Value)
{
    CheckItemIndex(Index);
    QListWidgetItem* Item = ListWidget()->item(Index);
    Item->setFlags(Value ? Item->flags() | Qt::ItemIsEnabled : Item->flags() & ~Qt::ItemIsEnabled);
}

void TCheckListBox::CheckAll(TCheckBoxState AState, bool AllowGrayed, bool AllowDisabled)
{
    for (Integer I = 0; I < Count(); ++I) {
        if (!AllowDisabled && !ItemEnabled(I))
            continue;
        if (!AllowGrayed && State(I) == cbGrayed)
            continue;
        SetState(I, AState);
    }
}

void TCheckListBox::ClickCheck()
{
    if (OnClickCheck)
        OnClickCheck(this);
}

// ---------------------------------------------------------------- TScrollBar

TScrollBar::TScrollBar(TComponent* AOwner) : TWinControl(AOwner)
{
    auto* S = new TBridge<QScrollBar>(Qt::Horizontal);
    SetWidget(S);
    SetTabStop(true);
    SetBounds(Left(), Top(), 121, 17);
    ApplyRange();
    QObject::connect(S, &QScrollBar::actionTriggered, S, [this](int Action) {
        RunAsEvent([&] {
            auto* Bar = static_cast<QScrollBar*>(Handle());
            TScrollCode Code = scPosition;
            switch (Action) {
            case QAbstractSlider::SliderSingleStepAdd: Code = scLineDown; break;
            case QAbstractSlider::SliderSingleStepSub: Code = scLineUp; break;
            case QAbstractSlider::SliderPageStepAdd: Code = scPageDown; break;
            case QAbstractSlider::SliderPageStepSub: Code = scPageUp; break;
            case QAbstractSlider::SliderToMinimum: Code = scTop; break;
            case QAbstractSlider::SliderToMaximum: Code = scBottom; break;
            case QAbstractSlider::SliderMove: Code = scTrack; break;
            default: return;
            }
            Integer Pos = Bar->sliderPosition();
            Scroll(Code, Pos);
            Bar->setSliderPosition(Pos);
        });
    });
    QObject::connect(S, &QScrollBar::valueChanged, S, [this](int V) {
        if (FApplying)
            return;
        RunAsEvent([&] {
            if (V != FPosition) {
                FPosition = V;
                Change();
            }
        });
    });
    QObject::connect(S, &QScrollBar::sliderReleased, S, [this] {
        RunAsEvent([&] {
            Integer Pos = FPosition;
            Scroll(scPosition, Pos);
            Scroll(scEndScroll, Pos);
        });
    });
}

void TScrollBar::ApplyFocusPolicy()
{
    Handle()->setFocusPolicy(TabStop() ? Qt::StrongFocus : Qt::NoFocus);
}

void TScrollBar::SetKind(TScrollBarKind Value)
{
    if (FKind == Value)
        return;
    FKind = Value;
    static_cast<QScrollBar*>(Handle())->setOrientation(Value == sbHorizontal ? Qt::Horizontal : Qt::Vertical);
    SetBounds(Left(), Top(), Height(), Width());
}

void TScrollBar::ApplyRange()
{
    auto* Bar = static_cast<QScrollBar*>(Handle());
    FApplying = true;
    Bar->setRange(FMin, FPageSize > 0 ? std::max(FMin, FMax - FPageSize + 1) : FMax);
    Bar->setPageStep(FPageSize > 0 ? FPageSize : FLargeChange);
    Bar->setSingleStep(FSmallChange);
    Bar->setValue(FPosition);
    FApplying = false;
}

void TScrollBar::SetParams(Integer APosition, Integer AMin, Integer AMax)
{
    if (AMax < AMin || AMax < FPageSize)
        throw EInvalidOperation(QStringLiteral("Scrollbar property out of range"));
    const Integer Top = FPageSize > 0 ? std::max(AMin, AMax - FPageSize + 1) : AMax;
    APosition = std::clamp(APosition, AMin, Top);
    FMin = AMin;
    FMax = AMax;
    const bool Changed = APosition != FPosition;
    FPosition = APosition;
    ApplyRange();
    if (Changed)
        Change();
}

void TScrollBar::SetPageSize(Integer Value)
{
    if (Value < 0 || Value > FMax - FMin + 1)
        throw EInvalidOperation(QStringLiteral("Scrollbar property out of range"));
    FPageSize = Value;
    SetParams(FPosition, FMin, FMax);
}

void TScrollBar::SetSmallChange(Integer Value)
{
    FSmallChange = Value;
    ApplyRange();
}

void TScrollBar::SetLargeChange(Integer Value)
{
    FLargeChange = Value;
    ApplyRange();
}

void TScrollBar::Change()
{
    if (OnChange)
        OnChange(this);
}

void TScrollBar::Scroll(TScrollCode ScrollCode, Integer& ScrollPos)
{
    if (OnScroll)
        OnScroll(this, ScrollCode, ScrollPos);
}
