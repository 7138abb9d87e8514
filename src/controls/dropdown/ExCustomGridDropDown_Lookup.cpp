// The grid drop-down's typing: the typed lookup and narrowing, the keys
// while the list has the focus, and the completion of the edit's text from
// the items' lookup texts.
#include "controls/dropdown/ExCustomGridDropDown.h"
#include "controls/dropdown/FlagScope.h"

#include <QLineEdit>

#include <algorithm>

namespace exgriddropdown {

namespace {

// The longest completed rest of an entry.
constexpr Integer MaxCompletedRest = 255;

bool IsListKey(Word Key)
{
    return Key == VK_PRIOR || Key == VK_NEXT || Key == VK_END || Key == VK_HOME || Key == VK_UP || Key == VK_DOWN;
}

// Case as the locale upper-cases it.
String Folded(const String& S, bool CaseSensitive)
{
    return CaseSensitive ? S : S.toUpper();
}

} // namespace

// ---------------------------------------------------------------- finding

bool TCustomExGridDropDown::FindLookupRow(const String& Key, String& FoundText, Integer& Row) const
{
    Row = -1;
    FoundText.clear();
    if (Key.isEmpty())
        return false;
    const String K = Folded(Key, FCaseSensitive);
    const auto Found = [&](const String& Candidate, Integer At) {
        if (!Folded(Candidate, FCaseSensitive).startsWith(K))
            return false;
        FoundText = Candidate;
        Row = At;
        return true;
    };
    if (FUseItems) {
        for (Integer I = 0; I < FItems->Count(); ++I)
            if (FItems->Items(I)->HasColumn(FLookupColumn) && Found(LookupText(I), I))
                return true;
        return false;
    }
    if (FGrid)
        for (Integer R = FGrid->FixedRows(); R < FGrid->RowCount(); ++R)
            if (Found(GridLookupText(R), R))
                return true;
    return false;
}

void TCustomExGridDropDown::ShowWithRest(const String& T, Integer Typed)
{
    SetOwnText(T);
    LineEdit()->setSelection(std::min(Typed, Length(T)), std::max(Length(T) - Typed, 0));
}

void TCustomExGridDropDown::ShowFoundRow(Integer Found, const String& FoundText, bool SelectRest)
{
    SetItemIndex(FUseItems ? Found : Found - FGrid->FixedRows());
    SetOwnText(FoundText);
    if (SelectRest)
        ShowWithRest(FoundText, Length(FLookupEntry));
}

Integer TCustomExGridDropDown::LookupChar(Char Ch)
{
    if (FLookupMethod == lmNone)
        return -1;
    if (Ch == QChar(8)) {
        if (SelLength() > 0) {
            String T = GetText();
            T.remove(SelStart(), SelLength());
            SetOwnText(T);
        } else {
            FLookupEntry.chop(1);
            SetOwnText(FLookupEntry);
        }
        LineEdit()->end(false);
        return -1;
    }
    if (Ch != QChar(9))
        FLookupEntry += Ch;
    const String K = FLookupEntry.trimmed();
    if (FLookupMethod == lmNarrowDown) {
        if (!FGrid)
            return -1;
        if (K.isEmpty()) {
            FGrid->RemoveAllFilters();
        } else {
            FGrid->SetFixedRowAlways(true);
            FGrid->NarrowDown(K, FLookupColumn);
            if (FStyle == dsDropDown && DataRowCount() > 0)
                ShowWithRest(GridLookupText(FGrid->FixedRows()), Length(FLookupEntry));
        }
        return FGrid->FixedRows();
    }
    String Found;
    Integer Row = -1;
    if (FindLookupRow(K, Found, Row)) {
        ShowFoundRow(Row, Found, FStyle == dsDropDown);
        return Row;
    }
    if (FStyle == dsDropDown)
        return -1;
    if (FindLookupRow(String(Ch), Found, Row)) {
        ShowFoundRow(Row, Found, false);
        FLookupEntry = String(Ch);
        return Row;
    }
    FLookupEntry.clear();
    return -1;
}

void TCustomExGridDropDown::WMChar(TWMKey& Message)
{
    const Char Ch(Message.CharCode);
    TExCustomDropDown::WMChar(Message);
    // Enter and Escape end the typing; they are no part of the typed text.
    if (Ch.unicode() < 32 && Ch != QChar(8) && Ch != QChar(9))
        return;
    // The keys of the open list reach the edit too; the list looks their
    // characters up itself (ControlKeyPress), once.
    if (DroppedDown() && FGrid && FGrid->Focused())
        return;
    LookupChar(Ch);
    if (FAutoShowDropDown && !DroppedDown())
        ShowDropDown();
}

// ---------------------------------------------------------------- keys in the list

void TCustomExGridDropDown::ControlKeyDown(Word& Key, TShiftState Shift)
{
    if (!IsListKey(Key) || Shift.Contains(ssAlt))
        TExCustomDropDown::ControlKeyDown(Key, Shift);
    if (OnGridKeyDown)
        OnGridKeyDown(this, Key, Shift);
}

void TCustomExGridDropDown::ControlKeyUp(Word& Key, TShiftState Shift)
{
    if (IsListKey(Key) && !Shift.Contains(ssAlt))
        FLookupEntry.clear();
    else
        TExCustomDropDown::ControlKeyUp(Key, Shift);
    if (OnGridKeyUp)
        OnGridKeyUp(this, Key, Shift);
}

void TCustomExGridDropDown::MoveToListRow(Integer ARow)
{
    if (FGrid->RowsHidden())
        FGrid->SetTopRow(ARow);
    FGrid->SetCol(0);
    FGrid->SetRow(ARow);
    FGrid->RepaintRow(ARow);
}

void TCustomExGridDropDown::ControlKeyPress(Char& Key)
{
    const bool Ends = (Key == QChar(13) || Key == QChar(27)) && !AltDown();
    if (Ends || (FGrid && FGrid->Options().Contains(goEditing))) {
        FLookupEntry.clear();
    } else if (FGrid) {
        Integer R = LookupChar(Key);
        // The found item's row: after a sort it is not the item's index + 1.
        if (R >= 0 && FUseItems && FLookupMethod == lmLookup)
            R = RowOfItem(R);
        if (R >= FGrid->FixedRows() && R < FGrid->RowCount())
            MoveToListRow(R);
        else
            FLookupEntry.clear();
    }
    if (OnGridKeyPress)
        OnGridKeyPress(this, Key);
}

// ---------------------------------------------------------------- completion

void TCustomExGridDropDown::BuildLookupItems()
{
    if (FLookupColumn < 0 || FItems->Count() == 0)
        return;
    FLookupItems->BeginUpdate();
    FLookupItems->Clear();
    for (Integer I = 0; I < FItems->Count(); ++I)
        FLookupItems->Add(LookupText(I));
    FLookupItems->EndUpdate();
}

Integer TCustomExGridDropDown::LookupIndexOf(const String& T) const
{
    for (Integer I = 0; I < FLookupItems->Count(); ++I)
        if (FLookupItems->Strings(I).compare(T, Qt::CaseInsensitive) == 0)
            return I;
    return -1;
}

void TCustomExGridDropDown::EndGridCellEdit(Word& Key)
{
    FGrid->HideInplaceEdit();
    SetOwnText(GridLookupText(FGrid->Row()));
    FItemIndex = FGrid->Row() - FGrid->FixedRows();
    Key = 0;
}

void TCustomExGridDropDown::KeyDown(Word& Key, TShiftState Shift)
{
    if (Key == VK_RETURN && !Shift.Contains(ssShift) && FGrid && FGrid->Options().Contains(goEditing) &&
        FGrid->EditMode())
        EndGridCellEdit(Key);
    if (!CanComplete()) {
        TExCustomDropDown::KeyDown(Key, Shift);
        return;
    }
    const Word Pressed = Key;
    switch (Key) {
    case VK_BACK:
    case VK_ESCAPE:
    case VK_DELETE: FWorkMode = false; break;
    case VK_RETURN:
        // With ReturnIsTab the edit has made Enter a Tab before the key
        // handlers run, so Enter arrives here only without it.
        if (const Integer I = LookupIndexOf(GetText()); I >= 0) {
            TFlagScope Own(FOwnText);
            SetText(FLookupItems->Strings(I));
            FItemIndex = I;
            Change();
        }
        break;
    default: FWorkMode = true; break;
    }
    if (Pressed == VK_ESCAPE || (IsListKey(Pressed) || Pressed == VK_LEFT || Pressed == VK_RIGHT))
        FLookupEntry.clear();
    TExCustomDropDown::KeyDown(Key, Shift);
    if (Key == VK_ESCAPE)
        SetItemIndex(LookupIndexOf(GetText()));
}

void TCustomExGridDropDown::KeyPress(Char& Key)
{
    if (Key == QChar(13) && ReturnIsTab()) {
        Key = QChar(0);
        return;
    }
    TExCustomDropDown::KeyPress(Key);
}

void TCustomExGridDropDown::KeyUp(Word& Key, TShiftState Shift)
{
    if (Key != VK_RETURN || !ReturnIsTab())
        TExCustomDropDown::KeyUp(Key, Shift);
    if (FGrid && FGrid->Options().Contains(goEditing) && FGrid->EditMode() && Key == VK_RETURN &&
        !Shift.Contains(ssShift)) {
        if (FGrid->Col() == FLookupColumn)
            DoHideDropDown(false);
        else
            FGrid->HideInplaceEdit();
    }
    if (FItemChange) {
        SetItemIndex(FItemIdx);
        const Integer L = Length(GetText());
        LineEdit()->setSelection(L, -(L - std::min(FItemSel, L)));
    }
    FItemChange = false;
}

void TCustomExGridDropDown::Change()
{
    // The control's own rewrites (a completion among them) keep the record
    // of the last completion and complete nothing.
    if (!FOwnText)
        FItemChange = false;
    TExCustomDropDown::Change();
    if (FOwnText || ComponentState().Contains(csDesigning) || !FWorkMode)
        return;
    // The text is compared with a value that is never assigned: any text
    // counts as a change.
    SetModified(!GetText().isEmpty());
    Complete();
}

void TCustomExGridDropDown::Complete()
{
    const String T = GetText();
    const Integer Caret = std::clamp(SelStart(), 0, Length(T));
    const String Typed = T.left(Caret);
    const String Key = Folded(Typed, FMatchCase);
    if (!Key.isEmpty()) {
        for (Integer I = 0; I < FLookupItems->Count(); ++I) {
            const String Entry = FLookupItems->Strings(I);
            if (!Folded(Entry, FMatchCase).startsWith(Key))
                continue;
            const String Rest = Entry.mid(Key.size(), MaxCompletedRest);
            SetOwnText(Typed + Rest);
            FItemIndex = I;
            FItemIdx = I;
            FItemSel = Length(Typed);
            FItemChange = true;
            LineEdit()->setSelection(Length(Typed) + Length(Rest), -Length(Rest));
            return;
        }
    }
    if (!Typed.isEmpty()) {
        SetOwnText(Typed);
        LineEdit()->end(false);
    }
}

} // namespace exgriddropdown
