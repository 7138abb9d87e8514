// The string grid: rich-text cells and a rich editor, the cells of hidden
// rows, the controls hosted in cells and the application's hint window.
#include "grid/control/ExGrid.h"

#include "grid/control/ExGrid_RichEdit.h"
#include "grid/control/ExGrid_Settings.h"
#include "platform/TextCodec.h"
#include "rtl/Forms.h"
#include "rtl/RichText.h"

// ---------------------------------------------------------------- rich-text cells

// Cells and RTF meet through the ANSI code page, which maps every byte and
// back; the RTF written is 7-bit anyway.
void TExStringGrid::CellToRich(Integer ACol, Integer ARow, TCustomRichEdit* ARichEdit)
{
    const String Text = Cells(ACol, ARow);
    if (Text.isEmpty()) {
        ARichEdit->Clear();
        return;
    }
    TMemoryStream Stream;
    const QByteArray Bytes = textcodec::StringToAnsi(Text);
    Stream.WriteBuffer(Bytes.constData(), Bytes.size());
    Stream.Seek(0, soFromBeginning);
    ARichEdit->Lines()->LoadFromStream(&Stream);
}

void TExStringGrid::RichToCell(Integer ACol, Integer ARow, TCustomRichEdit* ARichEdit)
{
    SetCells(ACol, ARow, RichToString(ARichEdit));
}

String TExStringGrid::RichToString(TCustomRichEdit* ARichEdit)
{
    if (FDestroying || ComponentState().Contains(csDestroying))
        return String();
    TMemoryStream Stream;
    ARichEdit->Lines()->SaveToStream(&Stream);
    return textcodec::AnsiToString(QByteArray(static_cast<const char*>(Stream.Memory()), qsizetype(Stream.Size())));
}

String RichCellPlainText(const String& Rtf)
{
    return ReadRtf(textcodec::StringToAnsi(Rtf)).PlainText(QStringLiteral("\r"));
}

// ---------------------------------------------------------------- hidden rows

TStrings* TExStringGrid::GetHiddenRowCells(Integer ARealRow)
{
    // The items stand in ascending Idx.
    Integer Low = 0;
    Integer High = FGridItems->Count();
    while (Low < High) {
        const Integer Mid = (Low + High) / 2;
        if (FGridItems->Items(Mid)->Idx() < ARealRow)
            Low = Mid + 1;
        else
            High = Mid;
    }
    if (Low < FGridItems->Count() && FGridItems->Items(Low)->Idx() == ARealRow)
        return FGridItems->Items(Low)->Items();
    return nullptr;
}

// ---------------------------------------------------------------- hint window

void TExStringGrid::SetUseHTMLHints(bool Value)
{
    FUseHTMLHints = Value;
    Application->SetHintWindowClass(Value ? HintWindowClassOf<THTMLHintWindow>() : nullptr);
}

// ---------------------------------------------------------------- controls in cells

void TExStringGrid::CellControlsUpdate(bool RebuildList)
{
    if (!WindowCreated())
        return;
    if (RebuildList) {
        FControlList->Clear();
        for (Integer C = 0; C < ColCount(); ++C)
            for (Integer R = 0; R < RowCount(); ++R)
                if (HasCellProperties(C, R) && CellProperties(C, R)->Control())
                    FControlList->AddControl(C, RealRowIndex(R), CellProperties(C, R)->Control());
    }
    PlaceCellScrollBar();
    if (FControlList->Count() == 0)
        return;
    for (Integer I = 0; I < FControlList->Count(); ++I)
        PlaceCellControl(FControlList->Control(I));
    // A second pass makes the controls in view realign and repaint.
    for (Integer I = 0; I < FControlList->Count(); ++I) {
        const TControlItem* Item = FControlList->Control(I);
        if (IsHiddenRow(Item->Y()) || IsHiddenColumn(Item->X()))
            continue;
        const Integer C = DisplColIndex(Item->X());
        const Integer R = DisplRowIndex(Item->Y());
        if (!CellInView(C, R) || IsFixed(C, R))
            continue;
        TControl* Control = HasCellProperties(Item->X(), R) ? CellProperties(Item->X(), R)->Control() : nullptr;
        if (Control && Control->Visible()) {
            Control->Invalidate();
            Control->SetWidth(Control->Width() + 1);
            Control->SetWidth(Control->Width() - 1);
        }
    }
}

bool TExStringGrid::CellInView(Integer ACol, Integer ARow) const
{
    return ACol >= LeftCol() && ACol <= LeftCol() + VisibleColCount() && ARow >= TopRow() &&
           ARow <= TopRow() + VisibleRowCount();
}

void TExStringGrid::PlaceCellScrollBar()
{
    if (!FScrollBar || !FScrollBar->Visible())
        return;
    const bool InView = Row() >= TopRow() && Row() <= TopRow() + VisibleRowCount() - 1 && Col() >= LeftCol() &&
                        Col() <= LeftCol() + VisibleColCount() - 1;
    if (!InView) {
        FScrollBar->SetHeight(0);
        return;
    }
    const TRect R = CellRect(Col(), Row());
    FScrollBar->SetBounds(R.Right - FScrollBar->Width(), R.Top, FScrollBar->Width(), R.Height());
}

void TExStringGrid::PlaceCellControl(const TControlItem* Item)
{
    TControl* Control = Item->Control();
    if (IsHiddenRow(Item->Y()) || IsHiddenColumn(Item->X())) {
        Control->SetVisible(false);
        return;
    }
    const Integer C = DisplColIndex(Item->X());
    const Integer R = DisplRowIndex(Item->Y());
    if (IsFixed(C, R))
        return;
    if (!CellInView(C, R)) {
        Control->SetVisible(false);
        return;
    }
    const TRect Cell = CellRect(C, R);
    Control->SetBounds(Cell.Left - 1, Cell.Top - 1, Cell.Width() + 1, Cell.Height() + 1);
    Control->SetVisible(true);
}
