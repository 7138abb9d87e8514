// Grids: the in-place editor and the grid's editing mode.
#include "rtl/Grids.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>

// ---------------------------------------------------------------- TInplaceEdit

TInplaceEdit::TInplaceEdit(TComponent* AOwner) : TCustomMaskEdit(AOwner), FGrid(dynamic_cast<TCustomGrid*>(AOwner))
{
    SetBorderStyle(bsNone);
    SetTabStop(false);
    SetVisible(false);
}

void TInplaceEdit::Move(const TRect& Loc)
{
    if (IsRectEmpty(Loc)) {
        Hide();
        return;
    }
    SetBoundsRect(Loc);
    BoundsChanged();
    Show();
}

void TInplaceEdit::BoundsChanged() {}

void TInplaceEdit::Deselect()
{
    SetSelStart(Text().length());
    SetSelLength(0);
}

void TInplaceEdit::UpdateContents()
{
    if (!FGrid)
        return;
    const Integer C = FGrid->Col();
    const Integer R = FGrid->Row();
    const String NewText = FGrid->GetEditText(C, R);
    const Integer Limit = FGrid->GetEditLimit();
    FLoading = true;
    try {
        SetEditMask(FGrid->GetEditMask(C, R));
        SetMultiLine(!IsMasked() && MultiLineWanted());
        // The limit holds for typing; a longer stored text is not cut, and
        // the limit takes over once the text has been shortened to it.
        FEditLimit = Limit;
        SetMaxLength(Limit > 0 ? std::max(Limit, Integer(NewText.length())) : 0);
        SetText(NewText);
    } catch (...) {
        FLoading = false;
        throw;
    }
    FLoading = false;
}

void TInplaceEdit::Change()
{
    if (FEditLimit > 0 && MaxLength() != FEditLimit && Text().length() <= FEditLimit)
        SetMaxLength(FEditLimit);
    if (FGrid && !FLoading)
        FGrid->UpdateText();
    TCustomMaskEdit::Change();
}

void TInplaceEdit::KeyDown(Word& Key, TShiftState Shift)
{
    if (!FGrid) {
        TCustomMaskEdit::KeyDown(Key, Shift);
        return;
    }
    // Keys that move between cells belong to the grid; Left, Right, Home
    // and End only past the text's ends while the editor always shows.
    const bool Ctrl = Shift.Contains(ssCtrl) && !Shift.Contains(ssAlt);
    const bool Forward = FGrid->Options().Contains(goAlwaysShowEditor);
    const Integer Len = Text().length();
    const bool AtStart = SelLength() == 0 && SelStart() == 0;
    const bool AtEnd = SelLength() == 0 && SelStart() == Len;
    bool ToGrid = false;
    switch (Key) {
    case VK_UP:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_ESCAPE:
        ToGrid = true;
        break;
    case VK_TAB:
        ToGrid = !Shift.Contains(ssAlt);
        break;
    case VK_LEFT:
    case VK_HOME:
        ToGrid = Forward && (Ctrl || AtStart);
        break;
    case VK_RIGHT:
    case VK_END:
        ToGrid = Forward && (Ctrl || AtEnd);
        break;
    case VK_F2:
        Deselect();
        Key = 0;
        return;
    default:
        break;
    }
    if (ToGrid) {
        FGrid->KeyDown(Key, Shift);
        Key = 0;
        return;
    }
    TCustomMaskEdit::KeyDown(Key, Shift);
}

void TInplaceEdit::KeyPress(Char& Key)
{
    if (FGrid)
        FGrid->KeyPress(Key);
    // Tab, Escape and Enter are the grid's: the edit types none of them.
    const char16_t K = Key.unicode();
    if (K == 9 || K == 13 || K == 27)
        Key = QChar(0);
    if (Key.unicode() != 0)
        TCustomMaskEdit::KeyPress(Key);
}

void TInplaceEdit::WMGetDlgCode(TWMGetDlgCode& Message)
{
    TCustomMaskEdit::WMGetDlgCode(Message);
    if (FGrid && FGrid->Options().Contains(goTabs))
        Message.Result |= DLGC_WANTTAB;
}

// ---------------------------------------------------------------- TCustomGrid: editing

bool TCustomGrid::CanEditShow()
{
    if (!FOptions.Contains(goEditing) || FOptions.Contains(goRowSelect))
        return false;
    if (FCurrent.X < FFixedCols || FCurrent.X >= FColCount || FCurrent.Y < FFixedRows || FCurrent.Y >= FRowCount)
        return false;
    return FOptions.Contains(goAlwaysShowEditor) || Focused() || EditorHasFocus();
}

String TCustomGrid::GetEditText(Integer, Integer)
{
    return String();
}

void TCustomGrid::SetEditText(Integer, Integer, const String&) {}

String TCustomGrid::GetEditMask(Integer, Integer)
{
    return String();
}

Integer TCustomGrid::GetEditLimit()
{
    return 0;
}

TInplaceEdit* TCustomGrid::CreateEditor()
{
    return new TInplaceEdit(this);
}

bool TCustomGrid::EditorHasFocus() const
{
    return FInplaceEdit && FInplaceEdit->Focused();
}

bool TCustomGrid::EditorShowing() const
{
    return FInplaceEdit && FInplaceEdit->Visible() && FInplaceCol >= 0;
}

void TCustomGrid::SetEditorMode(bool Value)
{
    if (!Value) {
        HideEditor();
        return;
    }
    ShowEditor();
    if (FInplaceEdit)
        FInplaceEdit->Deselect();
}

void TCustomGrid::ShowEditor()
{
    FEditorMode = true;
    UpdateEdit();
}

void TCustomGrid::HideEditor()
{
    FEditorMode = false;
    HideEdit();
}

void TCustomGrid::HideEdit()
{
    if (!FInplaceEdit || !FInplaceEdit->Visible())
        return;
    const bool HadFocus = EditorHasFocus();
    UpdateText();
    FInplaceCol = -1;
    FInplaceRow = -1;
    FInplaceEdit->Hide();
    if (HadFocus && CanFocus()) {
        // WM_SETFOCUS names the editor as the window that lost the focus.
        FFocusFromEditor = true;
        try {
            SetFocus();
        } catch (...) {
            FFocusFromEditor = false;
            throw;
        }
        FFocusFromEditor = false;
    }
}

void TCustomGrid::UpdateEdit()
{
    if (!FEditorMode || !CanEditShow()) {
        HideEdit();
        return;
    }
    if (!FInplaceEdit) {
        FInplaceEdit = CreateEditor();
        FInplaceEdit->FGrid = this;
        FInplaceEdit->SetParent(this);
    }
    const bool NewCell = FInplaceCol != FCurrent.X || FInplaceRow != FCurrent.Y || !FInplaceEdit->Visible();
    if (NewCell) {
        FInplaceCol = FCurrent.X;
        FInplaceRow = FCurrent.Y;
        FInplaceEdit->UpdateContents();
        FEditOriginal = FInplaceEdit->Text();
    }
    FInplaceEdit->Move(CellRect(FCurrent.X, FCurrent.Y));
    if (NewCell)
        FInplaceEdit->SelectAll();
    if (Focused() && FInplaceEdit->Visible() && FInplaceEdit->CanFocus())
        FInplaceEdit->SetFocus();
}

void TCustomGrid::UpdateText()
{
    if (FInplaceEdit && FInplaceCol >= 0 && FInplaceCol < FColCount && FInplaceRow >= 0 && FInplaceRow < FRowCount)
        SetEditText(FInplaceCol, FInplaceRow, FInplaceEdit->Text());
}

void TCustomGrid::InvalidateEditor()
{
    if (EditorShowing())
        FInplaceEdit->UpdateContents();
}

void TCustomGrid::ShowEditorChar(Char Ch)
{
    ShowEditor();
    if (!EditorShowing())
        return;
    // The character arrives as if typed into the editor, which has all its
    // text selected: it replaces the text, Backspace empties it.
    const bool Back = Ch.unicode() == 8;
    QKeyEvent Press(QEvent::KeyPress, Back ? Qt::Key_Backspace : Qt::Key_unknown, Qt::NoModifier, QString(Ch));
    QCoreApplication::sendEvent(FInplaceEdit->Handle(), &Press);
}
