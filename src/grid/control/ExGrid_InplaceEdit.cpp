// The grid's own text editor: character and paste filters by editor kind,
// lookup completion, validation when the user leaves the cell, the walk to
// neighbouring cells at the text's edges, and the clipboard and change
// events.
#include "grid/base/ExUtil.h"
#include "grid/control/ExGrid_Editors.h"

#include "rtl/Clipbrd.h"

#include <QPlainTextEdit>
#include <QTextCursor>

#include <utility>

namespace {

bool IsControlKey(char16_t K)
{
    return K == 8 || K == 9 || K == 13 || K == 27;
}

bool IsDigit(char16_t K)
{
    return K >= u'0' && K <= u'9';
}

// The kinds in which Enter types a new line with LineFeedOnEnter.
bool TakesLineFeed(TEditorType Kind)
{
    switch (Kind) {
    case edNormal: case edCapital: case edMixedCase: case edLowerCase: case edUpperCase: case edValidChars:
        return true;
    default:
        return false;
    }
}

} // namespace

bool AcceptNumericChar(Char Key, const String& Text, Integer SelStart, const String&, bool Positive, bool& Beep)
{
    const char16_t K = Key.unicode();
    Beep = false;
    if (IsControlKey(K) || IsDigit(K))
        return true;
    if (!Positive && K == u'-' && !Text.contains(u'-') && SelStart == 0)
        return true;
    Beep = true;
    return false;
}

bool AcceptFloatChar(Char Key, const String& Text, Integer SelStart, const String& SelText, bool Positive,
                     bool Ctrl, bool& Beep)
{
    const char16_t K = Key.unicode();
    Beep = false;
    if (IsControlKey(K) || IsDigit(K))
        return true;
    if (K == FormatSettings.DecimalSeparator.unicode())
        return !Text.contains(Key) || SelText.contains(Key);
    if (K == FormatSettings.ThousandSeparator.unicode())
        return false;
    if (K == u'-' && !Positive) {
        const bool Ok = (SelStart == 0 && !Text.contains(u'-')) || SelText.contains(u'-');
        Beep = !Ok;
        return Ok;
    }
    if (K == u',' || K == u'.' || K == u'-')
        return true;
    return Ctrl;
}

bool AcceptPastedText(TEditorType Kind, const String& ValidChars, String& Text)
{
    switch (Kind) {
    case edNumeric:
        return GetNumberKind(Text) == 0;
    case edPositiveNumeric:
        return GetNumberKind(Text) == 0 && !Text.contains(u'-');
    case edFloat:
        return GetNumberKind(Text) < 2;
    case edPositiveFloat:
        return GetNumberKind(Text) < 2 && !Text.contains(u'-');
    case edMixedCase:
        Text = ToMixedCase(Text);
        return true;
    case edLowerCase:
        Text = Text.toLower();
        return true;
    case edUpperCase:
        Text = Text.toUpper();
        return true;
    case edValidChars:
        for (const QChar C : Text)
            if (!ValidChars.contains(C))
                return false;
        return true;
    default:
        return true;
    }
}

bool ClipboardTextToPaste(TExStringGrid* Grid, TObject* Editor, String& Clip)
{
    if (!Clipboard()->HasFormat(CF_TEXT))
        return false;
    Clip = Clipboard()->AsText();
    bool Allow = true;
    if (Grid->OnClipboardPaste)
        Grid->OnClipboardPaste(Editor, Allow);
    if (Allow && Grid->OnClipboardBeforePasteCell)
        Grid->OnClipboardBeforePasteCell(Editor, Grid->Col(), Grid->Row(), Clip, Allow);
    return Allow;
}

void CaretToMouse(TCustomEdit* Edit)
{
    const TPoint P = Edit->ScreenToClient(Mouse->CursorPos());
    if (P.X < 0 || P.Y < 0 || P.X >= Edit->Width() || P.Y >= Edit->Height())
        return;
    const Integer Pos = Integer(Edit->Perform(EM_CHARFROMPOS, 0, LPARAM(Word(SmallInt(P.X))) | (LPARAM(Word(SmallInt(P.Y))) << 16)));
    Edit->SetSelStart(Pos);
    Edit->SetSelLength(0);
}

String PasteInto(const String& Text, Integer SelStart, Integer SelLength, String Clip)
{
    if (Clip.endsWith(QStringLiteral("\r\n")) && Clip.indexOf(QStringLiteral("\r\n")) == Clip.length() - 2)
        Clip.chop(2);
    return Text.left(SelStart) + Clip + Text.mid(SelStart + SelLength);
}

// ---------------------------------------------------------------- TExInplaceEdit

TExInplaceEdit::TExInplaceEdit(TComponent* AOwner) : TInplaceEdit(AOwner), FGrid(static_cast<TExStringGrid*>(AOwner))
{
}

void TExInplaceEdit::CreateWnd()
{
    TInplaceEdit::CreateWnd();
    FLengthLimit = FGrid->MaxEditLength();
    FWordWrap = FGrid->WordWrap();
    SetLineWrap(FWordWrap);
    GotKey = false;
    Workmode = true;
}

bool TExInplaceEdit::MultiLineWanted() const
{
    return FGrid->FEditControlType != edPassword;
}

bool TExInplaceEdit::CaretOnEdgeLine(bool Last) const
{
    const QPlainTextEdit* P = TextEdit();
    if (!P)
        return true;
    QTextCursor C = P->textCursor();
    return !C.movePosition(Last ? QTextCursor::Down : QTextCursor::Up);
}

void TExInplaceEdit::TypeLineBreak()
{
    if (MultiLine())
        SetSelText(QStringLiteral("\r\n"));
}

void TExInplaceEdit::SetVAlign(bool Value)
{
    FValign = Value;
    RecreateWnd();
}

void TExInplaceEdit::SetWordWrap(bool Value)
{
    FWordWrap = Value;
    RecreateWnd();
}

void TExInplaceEdit::UpdateContents()
{
    FGrid->FNoEditChange = true;
    TInplaceEdit::UpdateContents();
    FGrid->FNoEditChange = false;
    FColE = FGrid->Col();
    FRowE = FGrid->Row();
    const Integer RealC = FGrid->RealColIndex(FColE);
    bool Password = FGrid->FEditControlType == edPassword;
    SetPasswordChar(Password ? (FGrid->PasswordChar() != Char(0) ? FGrid->PasswordChar() : Char(u'*')) : Char(0));
    TAlignment HA = taLeftJustify;
    SetColor(CellEditorLook(FGrid, FColE, FRowE, Font(), &HA));
    SetAlignment(HA);
    FGrid->DoGetEditorProp(RealC, FRowE, nullptr);
}

void TExInplaceEdit::BoundsChanged()
{
    TRect R = FGrid->CellRect(FGrid->Col(), FGrid->Row());
    if (FGrid->UseRightToLeftAlignment())
        R.Left += 1;
    SetBounds(R.Left, R.Top, R.Width() - 1, R.Height() - 1);
    TRect Format(3, 3, Width() - 2, Height());
    Perform(EM_SETRECTNP, 0, LPARAM(&Format));
}

void TExInplaceEdit::Change()
{
    TInplaceEdit::Change();
    if (!FGrid->FNoEditChange && FGrid->OnEditChange)
        FGrid->OnEditChange(FGrid, FGrid->Col(), FGrid->Row(), Text());
}

void TExInplaceEdit::DoChange()
{
    if (!Workmode || SelLength() != 0 || !FGrid->Lookup())
        return;
    TStrings* Items = FGrid->LookupItems();
    if (Items->Count() == 0)
        return;
    const bool Case = FGrid->LookupCaseSensitive();
    const String Typed = Text().left(SelStart());
    if (Typed.isEmpty())
        return;
    const String Prefix = Case ? Typed : Typed.toUpper();
    for (Integer I = 0; I < Items->Count(); ++I) {
        const String Item = Items->Strings(I);
        if (!(Case ? Item : Item.toUpper()).startsWith(Prefix))
            continue;
        // The whole rest of the item, however long.
        SetText(Typed + Item.mid(Typed.length()));
        SetSelStart(Typed.length());
        SetSelLength(Item.length() - Typed.length());
        GotKey = false;
        return;
    }
}

bool TExInplaceEdit::ValidateOrRestore(const String& T)
{
    const String OldText = FGrid->FOldCellText;
    const bool Valid = FGrid->ValidateCell(T);
    // Showing a refused text must not write it into the cell again.
    String CellText;
    FGrid->GetCurrentCell(CellText);
    FGrid->FNoEditChange = true;
    SetText(FGrid->FNewCellText);
    FGrid->FNoEditChange = false;
    if (Valid)
        return true;
    FGrid->SetCurrentCell(CellText);
    if (FGrid->Navigation()->EditSelectAll())
        SelectAll();
    else
        Deselect();
    FGrid->FOldCellText = OldText;
    return false;
}

bool TExInplaceEdit::StoreAndValidate(const String& T)
{
    FGrid->FValidating = true;
    try {
        FGrid->SetCurrentCell(T);
    } catch (...) {
        FGrid->FValidating = false;
        throw;
    }
    FGrid->FValidating = false;
    if (ValidateOrRestore(T))
        return true;
    Repaint();
    return false;
}

void TExInplaceEdit::WMKeyDown(TWMKey& Message)
{
    Word Key = Message.CharCode;
    if (Message.Msg == WM_SYSKEYDOWN && Key == VK_BACK)
        FAltBack = true;
    const TShiftState Shift = KeyboardStateToShiftState() - TShiftState{ssLeft, ssRight, ssMiddle};
    const bool Ctrl = Shift.Contains(ssCtrl);
    const bool ShiftOnly = Shift.Contains(ssShift) && !Ctrl;
    FOldSelStart = SelStart();
    TNavigation* Nav = FGrid->Navigation();
    const bool CtrlEnterAllowed = Nav->AllowCtrlEnter() && (FGrid->WordWrap() || !FGrid->Multilinecells().isEmpty());
    bool RowChanges = false;
    if (Key == VK_ESCAPE) {
        FGrid->FNoEditChange = true;
        SetText(FGrid->FCellCache);
        FGrid->FNoEditChange = false;
        FGrid->HideInplaceEdit();
    } else if (Key == u'A' && Ctrl && !Shift.Contains(ssAlt)) {
        SelectAll();
        Message.CharCode = 0;
        return;
    } else if (Key == VK_RETURN && Ctrl && !CtrlEnterAllowed) {
        Message.CharCode = 0;
        return;
    } else {
        const String T = Text();
        if (Key == VK_TAB && FGrid->HasCellValidation()) {
            if (!ValidateOrRestore(T)) {
                Message.CharCode = 0;
                return;
            }
            FGrid->HideInplaceEdit();
            Message.CharCode = 0;
            if (FGrid->Options().Contains(goTabs))
                FGrid->TabToNextCell(Shift.Contains(ssShift));
            else
                PostMessage(FGrid->Handle(), WM_KEYDOWN, VK_TAB, 0);
            return;
        }
        const bool ShiftWalk = Nav->CursorWalkEditor() && ShiftOnly && SelLength() == 0 &&
                               ((Key == VK_LEFT && SelStart() == 0) || (Key == VK_RIGHT && SelStart() == T.length()));
        if (ShiftWalk) {
            if (!StoreAndValidate(T)) {
                Message.CharCode = 0;
                return;
            }
            FGrid->HideInplaceEdit();
            if (FGrid->CanFocus())
                FGrid->SetFocus();
        }
        if ((Key == VK_UP && CaretOnEdgeLine(false)) || (Key == VK_DOWN && CaretOnEdgeLine(true))) {
            if (!StoreAndValidate(T)) {
                Message.CharCode = 0;
                return;
            }
            RowChanges = true;
        }
        if (Key == VK_RETURN && !Nav->LineFeedOnEnter() && !Ctrl && !ValidateOrRestore(T)) {
            FRefusedOnEnter = true;
            Message.CharCode = 0;
            return;
        }
        if (Key == VK_HOME && !Ctrl && !Shift.Contains(ssShift)) {
            SetSelStart(0);
            SetSelLength(0);
            Message.CharCode = 0;
            return;
        }
        if (Key == VK_END && !Ctrl && !Shift.Contains(ssShift)) {
            Deselect();
            Message.CharCode = 0;
            return;
        }
    }
    const std::shared_ptr<bool> Alive = FAlive;
    TExStringGrid* Grid = FGrid;
    TInplaceEdit::WMKeyDown(Message);
    if (!*Alive)
        return;
    // An allowed Ctrl+Enter types one line break, after the key handling
    // has made room for it (the runtime sends no character for it).
    if (Key == VK_RETURN && Ctrl) {
        TypeLineBreak();
        Message.CharCode = 0;
    }
    if (RowChanges && Grid->MouseActions()->DisjunctRowSelect()) {
        Grid->ClearRowSelect();
        Grid->SetRowSelect(Grid->Row(), true);
    }
}

void TExInplaceEdit::SizeRow(bool ForNewLine)
{
    TExStringGrid* G = FGrid;
    const Integer R = G->Row();
    TColumnSize* Sizes = G->ColumnSize();
    const bool Synch = Sizes->SynchWithGrid();
    Sizes->SetSynchWithGrid(false);
    // With a new line: sized to the row's tallest cell while that still
    // needs more than the text's lines, else to the lines.
    const Integer LineHeight = QFontMetrics(Font()->ToQFont()).height();
    const Integer Lines = Integer(Text().count(QStringLiteral("\r\n"))) + 2;
    Integer Tallest = 0;
    for (Integer C = 0; ForNewLine && C < G->ColCount(); ++C)
        Tallest = std::max(Tallest, G->GetCellTextSize(G->RealColIndex(C), R, false, false).cy);
    if (ForNewLine && Lines * LineHeight >= Tallest)
        G->SetRowHeights(R, Lines * LineHeight + 6);
    else
        G->AutoSizeRow(R);
    Sizes->SetSynchWithGrid(Synch);
    if (G->OnEndRowSize)
        G->OnEndRowSize(G, R);
}

void TExInplaceEdit::KeyDown(Word& Key, TShiftState Shift)
{
    FSelKeyDown = SelStart();
    if (Key == VK_RETURN && !FGrid->Navigation()->AllowCtrlEnter() &&
        (FGrid->WordWrap() || !FGrid->Multilinecells().isEmpty()))
        FGrid->FEditing = false;
    if (Key == VK_BACK || Key == VK_DELETE)
        Workmode = false;
    else if (Key != VK_RETURN && Key != VK_UP && Key != VK_DOWN)
        Workmode = true;
    if (Key == VK_RETURN && (Shift.Contains(ssCtrl) || Shift.Contains(ssShift)) &&
        FGrid->SizeWhileTyping()->Height() && !FGrid->Multilinecells().isEmpty())
        SizeRow(true);
    // Up and Down inside the text move the caret between its lines.
    if ((Key == VK_UP && !CaretOnEdgeLine(false)) || (Key == VK_DOWN && !CaretOnEdgeLine(true))) {
        TCustomMaskEdit::KeyDown(Key, Shift);
        return;
    }
    FGrid->EditorKeyDown(Key, Shift);
    // Left and Right walk out only through the key-up handling.
    if (FGrid->Navigation()->CursorWalkEditor() && (Key == VK_LEFT || Key == VK_RIGHT) &&
        !Shift.Contains(ssShift)) {
        TCustomMaskEdit::KeyDown(Key, Shift);
        return;
    }
    TInplaceEdit::KeyDown(Key, Shift);
}

void TExInplaceEdit::WalkOut(bool Backward)
{
    TExStringGrid* G = FGrid;
    const Integer C = G->Col();
    const Integer Next = Backward ? C - 1 : C + std::max<Integer>(G->CellSpan(G->RealColIndex(C), G->Row()).X, 0) + 1;
    const bool HasNext = Backward ? C > G->FixedCols() : C < G->ColCount() - G->FixedRightCols() - 1;
    if (HasNext && G->IsClickControlCell(G->RealColIndex(Next), G->Row())) {
        if (G->ValidateCell(Text())) {
            G->HideInplaceEdit();
            G->SetCol(Next);
        }
        return;
    }
    if (Backward && !G->ValidateCell(Text()))
        return;
    G->HideInplaceEdit();
    G->WalkToNextCell(C, Backward, false);
}

void TExInplaceEdit::KeyUp(Word& Key, TShiftState Shift)
{
    const bool Walk = FGrid->Navigation()->CursorWalkEditor() && SelLength() == 0 &&
                      !Shift.Contains(ssShift) && !Shift.Contains(ssCtrl);
    if (Walk && Key == VK_LEFT && FOldSelStart == 0 && SelStart() == 0) {
        Key = 0;
        WalkOut(true);
        return;
    }
    if (Walk && Key == VK_RIGHT && Text().length() == FSelKeyDown && SelStart() == Text().length()) {
        Key = 0;
        WalkOut(false);
        return;
    }
    TInplaceEdit::KeyUp(Key, Shift);
    if (std::exchange(FMaskCharTyped, false) && FGrid->Navigation()->AdvanceAuto() && MaskComplete()) {
        Char Advance(u'\r');
        FGrid->KeyPress(Advance);
        return;
    }
    DoChange();
    if (FGrid->SizeWhileTyping()->Width())
        FGrid->AutoSizeCol(FGrid->Col());
    if (FGrid->SizeWhileTyping()->Height() && FGrid->WordWrap())
        SizeRow(false);
}

void TExInplaceEdit::WMKeyUp(TWMKey& Message)
{
    if (Message.Msg == WM_SYSKEYUP && Message.CharCode == VK_BACK)
        FAltBack = false;
    TInplaceEdit::WMKeyUp(Message);
    if (SelStart() > 0) {
        Word Key = 0;
        FGrid->EditorKeyUp(Key, TShiftState{});
    }
}

bool TExInplaceEdit::FilterChar(Char& Key, bool Ctrl)
{
    const char16_t K = Key.unicode();
    const TEditorType Kind = FGrid->FEditControlType;
    bool Beep = false;
    bool Taken = true;
    switch (Kind) {
    case edNumeric:
    case edPositiveNumeric:
        Taken = AcceptNumericChar(Key, Text(), SelStart(), SelText(), Kind == edPositiveNumeric, Beep);
        break;
    case edFloat:
    case edPositiveFloat:
        Taken = AcceptFloatChar(Key, Text(), SelStart(), SelText(), Kind == edPositiveFloat, Ctrl, Beep);
        break;
    case edCapital:
    case edUpperCase:
        Key = Key.toUpper();
        break;
    case edLowerCase:
        Key = Key.toLower();
        break;
    case edValidChars: {
        const String& Valid = FGrid->ValidChars();
        const bool InSet = Valid.isEmpty() ? K < 256 && FGrid->ValidCharSet().test(K) : Valid.contains(Key);
        Taken = K == 8 || K == 13 || InSet;
        Beep = !Taken;
        break;
    }
    default:
        break;
    }
    if (Beep)
        MessageBeep(0);
    return Taken;
}

void TExInplaceEdit::AdvanceAfterLimit()
{
    TNavigation* Nav = FGrid->Navigation();
    const Integer Max = FGrid->MaxEditLength();
    if (Nav->AdvanceAuto() && Nav->AdvanceOnEnter() && Max > 0 && Text().length() >= Max && SelLength() == 0 &&
        SelStart() == Text().length()) {
        Char Enter(u'\r');
        FGrid->KeyPress(Enter);
    }
}

void TExInplaceEdit::WMChar(TWMKey& Message)
{
    Char Key(char16_t(Message.CharCode));
    const bool Ctrl = (GetKeyState(VK_CONTROL) & 0x8000) != 0;
    TNavigation* Nav = FGrid->Navigation();
    if (Key == u'.' && (Message.KeyData & (1 << 22)) && FGrid->ExcelStyleDecimalSeparator())
        Key = FormatSettings.DecimalSeparator;
    if ((Key.unicode() == 1 && Ctrl) ||
        (Key.unicode() == 10 && !(Nav->AllowCtrlEnter() && (FGrid->WordWrap() || !FGrid->Multilinecells().isEmpty())))) {
        Message.CharCode = 0;
        return;
    }
    const char16_t K = Key.unicode();
    if (FLengthLimit > 0 && Text().length() >= FLengthLimit && SelLength() == 0 && K != 8 && K != 27 && K != 13) {
        Message.CharCode = 0;
        return;
    }
    if ((K == 13 && Nav->LineFeedOnEnter() && TakesLineFeed(FGrid->FEditControlType)) || K == 10) {
        TypeLineBreak();
        Message.CharCode = 0;
        return;
    }
    if (!FilterChar(Key, Ctrl)) {
        Message.CharCode = 0;
        return;
    }
    Message.CharCode = Key.unicode();
    const Integer Caret = SelStart();
    TInplaceEdit::WMChar(Message);
    const char16_t Typed = char16_t(Message.CharCode);
    if (Typed < 32 || IsMasked())
        return;
    // The taken character is typed here, so that the text can be looked at
    // after it.
    Message.CharCode = 0;
    SetSelText(String(QChar(Typed)));
    if (FGrid->FEditControlType == edMixedCase) {
        SetText(ToMixedCase(Text()));
        SetSelStart(Caret + 1);
    }
    AdvanceAfterLimit();
}

void TExInplaceEdit::KeyPress(Char& Key)
{
    if (Key == u'\r' && std::exchange(FRefusedOnEnter, false)) {
        Key = Char(0);
        return;
    }
    if (Key == u'\r' && !FGrid->Navigation()->LineFeedOnEnter() && !FGrid->ValidateCell(Text())) {
        String Current;
        FGrid->GetCurrentCell(Current);
        SetText(Current);
        Key = Char(0);
        return;
    }
    TInplaceEdit::KeyPress(Key);
    // The masked edit types the character after this; the key-up looks
    // whether it completed the mask.
    FMaskCharTyped = IsMasked() && Key.unicode() >= 32;
}

bool TExInplaceEdit::MaskComplete() const
{
    if (!IsMasked())
        return false;
    // The blank is the mask's last field after two ";"s, "_" by default.
    const QStringList Fields = EditMask().split(u';');
    const QChar Blank = Fields.size() > 2 && !Fields.back().isEmpty() ? Fields.back().at(0) : QChar(u'_');
    const String Shown = EditText();
    return !Shown.contains(Blank) && SelLength() == 0 && SelStart() == Shown.length();
}

void TExInplaceEdit::WMGetDlgCode(TWMGetDlgCode& Message)
{
    TInplaceEdit::WMGetDlgCode(Message);
    Message.Result |= DLGC_WANTALLKEYS;
    if (FGrid->HasCellValidation())
        Message.Result |= DLGC_WANTTAB;
}

void TExInplaceEdit::WMCopy(TMessage& Message)
{
    bool Allow = true;
    if (FGrid->OnClipboardCopy)
        FGrid->OnClipboardCopy(this, Allow);
    if (Allow)
        TInplaceEdit::WMCopy(Message);
}

void TExInplaceEdit::WMCut(TMessage& Message)
{
    bool Allow = true;
    if (FGrid->OnClipboardCut)
        FGrid->OnClipboardCut(this, Allow);
    if (Allow)
        TInplaceEdit::WMCut(Message);
}

void TExInplaceEdit::WMPaste(TMessage&)
{
    String Clip;
    if (!ClipboardTextToPaste(FGrid, this, Clip) || (FLengthLimit > 0 && FLengthLimit < Clip.length()))
        return;
    const Integer Start = SelStart();
    const Integer Length = SelLength();
    String NewText = PasteInto(Text(), Start, Length, Clip);
    const Integer Pasted = NewText.length() - (Text().length() - Length);
    if ((FLengthLimit <= 0 || NewText.length() <= FLengthLimit) &&
        AcceptPastedText(FGrid->FEditControlType, FGrid->ValidChars(), NewText))
        SetText(NewText);
    FGrid->SetCurrentCellEx(Text());
    SetSelStart(Length > 0 ? Start : Start + Pasted);
    SetSelLength(Length > 0 ? Pasted : 0);
    if (FGrid->OnClipboardAfterPasteCell)
        FGrid->OnClipboardAfterPasteCell(this, FGrid->Col(), FGrid->Row(), Text());
}

void TExInplaceEdit::WMLButtonDblClk(TWMMouse& Message)
{
    TInplaceEdit::WMLButtonDblClk(Message);
    if (FGrid->OnDblClickCell)
        FGrid->OnDblClickCell(FGrid, FGrid->Row(), FGrid->Col());
}

void TExInplaceEdit::CMEnter(TMessage& Message)
{
    TInplaceEdit::CMEnter(Message);
    FGotFocus = true;
    FGrid->FNoEditChange = false;
    FLengthLimit = FGrid->MaxEditLength();
    SetMaxLength(FLengthLimit);
    if (IsMasked() && !FGrid->LButFlg && FGrid->Navigation()->ImproveMaskSel()) {
        SetSelStart(0);
        SetSelLength(1);
        return;
    }
    if (!FGrid->Navigation()->EditSelectAll())
        Deselect();
    if (FGrid->LButFlg) {
        CaretToMouse(this);
        FGrid->LButFlg = false;
    }
}

void TExInplaceEdit::CMExit(TMessage& Message)
{
    FGrid->FStartEditChar = Char(0);
    if (FGrid->LookupHistory() && FGrid->LookupItems()->IndexOf(Text()) < 0)
        FGrid->LookupItems()->Add(Text());
    TInplaceEdit::CMExit(Message);
    // A refusal hides the editor only to reopen it on the refused cell.
    if (FAltBack || FGrid->FValidating || FGrid->ComponentState().Contains(csDestroying))
        return;
    if (!FGrid->Focused()) {
        FGrid->ValidateCell(Text());
        String Current;
        FGrid->GetCurrentCell(Current);
        SetText(Current);
    }
    FGrid->HideInplaceEdit();
    FGrid->FEditing = false;
    FGrid->FEditMode = false;
    if (FGotFocus) {
        FGotFocus = false;
        FGrid->DoEditingDone(FGrid->RealColIndex(FColE), FRowE);
    }
}
