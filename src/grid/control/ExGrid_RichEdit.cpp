// The grid's rich editor.
#include "grid/control/ExGrid_RichEdit.h"

#include "grid/control/ExGrid.h"

#include <QApplication>

TExRichEdit::TExRichEdit(TComponent* AOwner) : TRichEdit(AOwner), FGrid(dynamic_cast<TExStringGrid*>(AOwner)) {}

void TExRichEdit::SetSelOffset(LongInt Offset)
{
    TCharFormat Format;
    Format.dwMask = CFM_OFFSET;
    Format.yOffset = Offset;
    Perform(EM_SETCHARFORMAT, SCF_SELECTION, LPARAM(&Format));
}

LongInt TExRichEdit::SelOffset() const
{
    TCharFormat Format;
    const_cast<TExRichEdit*>(this)->Perform(EM_GETCHARFORMAT, SCF_SELECTION, LPARAM(&Format));
    return Format.yOffset;
}

void TExRichEdit::WMGetDlgCode(TWMGetDlgCode& Message)
{
    TRichEdit::WMGetDlgCode(Message);
    Message.Result |= DLGC_WANTTAB;
}

void TExRichEdit::DoExit()
{
    if (FGrid && FGrid->FBlockFocus)
        return;
    if (FGrid && FGrid->InplaceRichEdit() == this && QApplication::focusWidget() == FGrid->Handle())
        FGrid->HideInplaceEdit();
    TRichEdit::DoExit();
}

void TExRichEdit::CNNotify(TWMNotify& Message)
{
    if (Message.NMHdr->code == EN_REQUESTRESIZE && FGrid && !FGrid->IsDesigning()) {
        const TRect& R = reinterpret_cast<const TReqResize*>(Message.NMHdr)->rc;
        if (FGrid->FRichEdit == this) {
            FReqWidth = R.Right - R.Left;
            FReqHeight = R.Bottom - R.Top;
        } else if (FGrid->FInplaceRichEdit == this && FGrid->SizeWhileTyping()->Height() && !FLocked) {
            GrowWithText(R.Bottom - R.Top);
        }
    }
    TRichEdit::CNNotify(Message);
}

void TExRichEdit::GrowWithText(Integer Height)
{
    TExStringGrid* G = FGrid;
    const Integer Row = G->Row();
    if (G->RowHeights(Row) >= Height + 5 || G->CellRect(G->Col(), Row).Top + Height + 5 > G->Height())
        return;
    SetHeight(Height + 9);
    G->SetRowHeights(Row, Height + 10);
    if (G->OnEndRowSize)
        G->OnEndRowSize(G, Row);
}

void TExRichEdit::KeyDown(Word& Key, TShiftState Shift)
{
    TRichEdit::KeyDown(Key, Shift);
    if (!FGrid)
        return;
    const bool TabToGrid = Key == VK_TAB && FGrid->Options().Contains(goTabs);
    const bool LineToGrid =
        (Key == VK_UP || Key == VK_DOWN) && !FGrid->WordWrap() && FGrid->Multilinecells().isEmpty();
    if (!TabToGrid && !LineToGrid)
        return;
    if (FGrid->CanFocus())
        FGrid->SetFocus();
    FGrid->KeyDown(Key, Shift);
    if (TabToGrid)
        FGrid->ShowInplaceEdit();
}
