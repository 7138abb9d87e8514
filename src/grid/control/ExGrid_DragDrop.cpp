// OLE drag and drop of the string grid: the drop target (what each kind of
// drop does and how the drop position shows), the drop source, and the drag
// out of the grid that the mouse movement starts.
#include "grid/control/ExGrid_DragDrop.h"

#include "grid/control/ExGrid_Settings.h"
#include "rtl/Forms.h"
#include "rtl/Windows.h"

#include <algorithm>
#include <cstdlib>

namespace {

// A press must move further than this before cells are dragged out.
constexpr Integer DragThreshold = 3;
// The arrows stand this far above a cell and before a row.
constexpr Integer ArrowAbove = 8;
constexpr Integer ArrowBefore = 10;
// The auto-scroll zone below the client top of a grid without fixed rows.
constexpr Integer ScrollZone = 8;

bool NameHas(const String& FileName, const char* Extension)
{
    return FileName.toUpper().contains(QLatin1String(Extension));
}

// Text from programs that end lines with LF alone breaks its rows there too.
String WithRowBreaks(const String& S)
{
    String Text = S;
    Text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    Text.replace(u'\r', u'\n');
    Text.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    return Text;
}

} // namespace

// ---------------------------------------------------------------- the grid's side

void TExStringGrid::DropTargetChanged(TObject*)
{
    if (IsDesigning())
        return;
    if (FDragDropSettings->OleDropTarget()) {
        auto* Target = new TGridDropTarget(this);
        Target->SetAcceptText(FDragDropSettings->OleAcceptText());
        Target->SetAcceptFiles(FDragDropSettings->OleAcceptFiles());
        Target->SetAcceptURLs(FDragDropSettings->OleAcceptURLs());
        Target->SetAcceptCols(true);
        FGridDropTarget = TInterfacePtr<IDropTarget>(Target);
        FOleDropTargetAssigned = RegisterDragDrop(Handle(), Target) == S_OK;
        if (ClientWidget())
            ClientWidget()->setAcceptDrops(true);
        Handle()->setAcceptDrops(true);
    } else if (FOleDropTargetAssigned) {
        RevokeDragDrop(Handle());
        FOleDropTargetAssigned = false;
        FGridDropTarget.reset();
    }
}

void TExStringGrid::OleColumnDragStart(Integer ACol, Integer AIndex, TCustomListBox* AList)
{
    FOleDragCol = ACol;
    FOleDragIndex = AIndex;
    FOleDragList = AList;
}

void TExStringGrid::HideDropArrows()
{
    for (TArrowWindow* Arrow : {ArwL, ArwD, ArwU})
        if (Arrow)
            Arrow->SetVisible(false);
}

void TExStringGrid::OleDropCell(TPoint Pt, bool IsColumn, Integer& ACol, Integer& ARow, bool& Append)
{
    const TPoint P = ScreenToClient(Pt);
    MouseToCell(P.X, P.Y, ACol, ARow);
    Append = false;
    if (ARow != -1 || IsColumn || !FDragDropSettings->OleEntireRows() || !FDragDropSettings->OleAppendRows())
        return;
    const TRect Last = CellRect(TBaseGrid::FixedCols(), RowCount() - 1);
    const bool LastInView = Last.Bottom > Last.Top;
    if (LastInView && P.Y >= Last.Bottom && P.X >= 0 && P.X < ClientWidth()) {
        ACol = TBaseGrid::FixedCols();
        ARow = RowCount() - 1;
        Append = true;
    }
}

// ---------------------------------------------------------------- dragging out

bool TExStringGrid::OleDragStart(Integer ACol, Integer ARow, Integer X, Integer Y, bool InResizer)
{
    TDragDropSettings* Settings = FDragDropSettings.get();
    const bool Valid = ACol >= 0 && ARow >= 0 && ACol < ColCount() && ARow < RowCount();
    // The button is asked of the system: the movement's own state may lag.
    const bool LeftDown = GetAsyncKeyState(VK_LBUTTON) < 0;
    const bool Moved = std::abs(X - Clickposx) > DragThreshold || std::abs(Y - Clickposy) > DragThreshold;
    if (!FSelectionClick || !Valid || !LeftDown || !Moved || !Settings->OleDropSource() ||
        FGridState == gsColSizing || InResizer)
        return false;
    FSelectionClick = false;
    const Integer RealCol = RealColIndex(ACol);
    bool Allow = true;
    if (Settings->OleColumnsOnly() && ARow >= TBaseGrid::FixedRows())
        Allow = false;
    else if (OnOleDrag)
        OnOleDrag(this, ARow, RealCol, Cells(RealCol, ARow), Allow);
    if (!Allow) {
        // The movement selects a range instead.
        if (FGridState == gsNormal)
            FGridState = gsSelecting;
        return false;
    }
    auto* Source = new TGridDropSource(this);
    const TInterfacePtr<IDropSource> KeepSource(Source);
    if (OnOleDragStart)
        OnOleDragStart(this, ARow, RealCol);
    const TPoint Pt = ClientToScreen(TPoint(X, Y));
    DoStartBlockFocus();
    if (Settings->ShowCells())
        ShowDragCellsForm(RealCol, Pt);
    if (ARow < TBaseGrid::FixedRows() && Settings->OleColumnDragDrop())
        OleColumnDrag(Source, RealCol, Pt);
    else
        OleCellDrag(Source, RealCol, ARow);
    return true;
}

void TExStringGrid::ShowDragCellsForm(Integer RealCol, TPoint Pt)
{
    if (!MoveForm) {
        TGridRect Cells;
        if (FDragDropSettings->OleColumnDragDrop()) {
            const Integer Displ = DisplColIndex(RealCol);
            Cells = TGridRect{Displ, 0, Displ, VisibleRowCount()};
        } else {
            const TGridRect S = Selection();
            Cells = TGridRect{std::max(LeftCol(), S.Left), std::max(TopRow(), S.Top),
                              std::min(S.Right, LeftCol() + VisibleColCount() - 1),
                              std::min(S.Bottom, TopRow() + VisibleRowCount() - 1)};
        }
        const bool Shown = ShowSelection();
        SetShowSelection(false);
        MoveForm = SelectionToForm(Cells);
        SetShowSelection(Shown);
    }
    if (!MoveForm)
        return;
    MoveForm->SetLeft(UseRightToLeftAlignment() ? Pt.X + ColWidths(0) - MoveForm->Width() : Pt.X);
    MoveForm->SetTop(Pt.Y);
    MoveForm->Show();
}

void TExStringGrid::OleColumnDrag(TGridDropSource* Source, Integer RealCol, TPoint Pt)
{
    if (!FDragDropSettings->ShowCells()) {
        const Integer Displ = DisplColIndex(RealCol);
        MoveButton->SetBounds(Pt.X, Pt.Y, ColWidths(Displ), RowHeights(0));
        MoveButton->SetCaption(Cells(RealCol, 0));
        MoveButton->SetVisible(true);
    }
    DWORD Effect = DROPEFFECT_NONE;
    const HRESULT Result = StartOleColumnDrag(Source, RealCol, DROPEFFECT_COPY | DROPEFFECT_MOVE, Effect);
    if (Result != DRAGDROP_S_CANCEL && OnOleDragStop)
        OnOleDragStop(this, Integer(Effect));
    MoveButton->SetVisible(false);
    ArwD->SetVisible(false);
    ArwU->SetVisible(false);
}

void TExStringGrid::OleCellDrag(TGridDropSource* Source, Integer RealCol, Integer ARow)
{
    FDropSelection = Selection();
    std::unique_ptr<TMemoryStream> Stream;
    if (FNavigation->AllowFmtClipboard()) {
        Stream = std::make_unique<TMemoryStream>();
        const TGridRect S = Selection();
        SaveRectToBinStream(TRect(S.Left, S.Top, S.Right, S.Bottom), Stream.get());
    }
    DWORD Effect = DROPEFFECT_NONE;
    const HRESULT Result = StartOleTextDrag(Source, SelectedText(), Cells(RealCol, ARow), Stream.get(),
                                            DROPEFFECT_COPY | DROPEFFECT_MOVE, Effect);
    // A cancelled drag leaves the source as it was and reports nothing.
    if (Result == DRAGDROP_S_CANCEL)
        return;
    if (!FDragDropSettings->OleCopyAlways() && Effect == DROPEFFECT_MOVE)
        RemoveDraggedCells();
    if (OnOleDragStop)
        OnOleDragStop(this, Integer(Effect));
}

void TExStringGrid::RemoveDraggedCells()
{
    const bool Disjunct = FMouseActions->DisjunctRowSelect();
    const TGridRect& S = FDropSelection;
    if (FDragDropSettings->OleRemoveRows() && Options().Contains(goRowSelect)) {
        if (Disjunct)
            RemoveSelectedRows();
        else
            FreeAndRemoveRows(S.Top, S.Bottom - S.Top + 1);
    } else if (Disjunct) {
        ClearSelection();
    } else {
        ClearRect(S.Left, S.Top, S.Right, S.Bottom);
    }
}

// ---------------------------------------------------------------- drop target

void TGridDropTarget::AutoScroll(TPoint Pt, Integer ACol, Integer ARow)
{
    TExStringGrid* G = FGrid;
    const Integer FixedRows = G->TBaseGrid::FixedRows();
    const TPoint P = G->ScreenToClient(Pt);
    if ((ARow == 0 && G->TopRow() > FixedRows) || (P.Y < ScrollZone && FixedRows == 0 && G->TopRow() > 0))
        G->SetTopRow(G->TopRow() - 1);
    else if (ARow == G->TopRow() + G->VisibleRowCount() && ARow < G->RowCount())
        G->SetTopRow(G->TopRow() + 1);
    // At most one horizontal step per tick of the grid timer.
    if (G->FTimerTicks % 2 != 0)
        return;
    ++G->FTimerTicks;
    if (ACol == 0 && G->LeftCol() > G->TBaseGrid::FixedCols())
        G->SetLeftCol(G->LeftCol() - 1);
    else if (ACol == G->LeftCol() + G->VisibleColCount() && ACol < G->ColCount())
        G->SetLeftCol(G->LeftCol() + 1);
}

void TGridDropTarget::DragMouseMove(TPoint Pt, bool& Allow, TDropFormats DropFormats)
{
    TESGDropTarget::DragMouseMove(Pt, Allow, DropFormats);
    TExStringGrid* G = FGrid;
    const bool IsColumn = DropFormats.Contains(dfCol);
    Integer ACol = -1, ARow = -1;
    bool Append = false;
    G->OleDropCell(Pt, IsColumn, ACol, ARow, Append);
    Allow = ACol >= 0 && ARow >= 0;
    if (Allow && !IsColumn)
        AutoScroll(Pt, ACol, ARow);
    const Integer FixedRows = G->TBaseGrid::FixedRows();
    if (!IsColumn) {
        const bool HeaderOnly = G->RowCount() == 1 && G->FixedRowAlways();
        if (ARow < FixedRows && !HeaderOnly)
            Allow = false;
    } else if (ACol < 0) {
        ACol = G->ColCount();
        ARow = 0;
        Allow = true;
    } else if (ARow < FixedRows) {
        Allow = Allow && ACol >= G->TBaseGrid::FixedCols();
    } else {
        Allow = false;
    }
    const bool Files = DropFormats.Contains(dfFile);
    if (Files || DropFormats.Contains(dfGridCells))
        Allow = true;
    if (G->OnOleDragOver)
        G->OnOleDragOver(G, ARow, ACol, Allow);
    const bool OnCell = ACol >= 0 && ARow >= 0;
    Allow = Allow && (OnCell || Files);
    if (Allow)
        PlaceArrows(Pt, ACol, ARow, Append, IsColumn);
    else
        G->HideDropArrows();
}

void TGridDropTarget::PlaceArrows(TPoint, Integer ACol, Integer ARow, bool Append, bool IsColumn)
{
    TExStringGrid* G = FGrid;
    if (IsColumn) {
        const bool Beyond = ACol >= G->ColCount();
        const TRect R = G->CellRect(Beyond ? G->ColCount() - 1 : ACol, std::max(ARow, 0));
        const TPoint TopLeft = G->ClientToScreen(TPoint(Beyond ? R.Right : R.Left, R.Top));
        const TPoint Bottom = G->ClientToScreen(TPoint(R.Left, R.Bottom));
        G->ArwD->SetLeft(TopLeft.X);
        G->ArwD->SetTop(TopLeft.Y - ArrowAbove);
        G->ArwU->SetLeft(TopLeft.X);
        G->ArwU->SetTop(Bottom.Y);
        G->ArwD->SetVisible(true);
        G->ArwU->SetVisible(true);
        return;
    }
    if (ACol < 0 || ARow < 0) {
        G->HideDropArrows();
        return;
    }
    if (ARow == 0 && G->FixedRowAlways()) {
        ARow = 1;
        Append = false;
    }
    const Integer RowCol = G->FDragDropSettings->OleEntireRows() ? G->TBaseGrid::FixedCols() : ACol;
    const TRect R = G->CellRect(RowCol, std::min(ARow, G->RowCount() - 1));
    const TPoint At = G->ClientToScreen(TPoint(R.Left, Append ? R.Bottom : R.Top));
    G->ArwL->SetLeft(At.X - ArrowBefore);
    G->ArwL->SetTop(At.Y);
    G->ArwL->SetVisible(true);
}

void TGridDropTarget::DragMouseLeave()
{
    FGrid->HideDropArrows();
}

void TGridDropTarget::ShiftDropSource(Integer ARow, Integer Lines)
{
    TExStringGrid* G = FGrid;
    TGridRect& Source = G->FDropSelection;
    if (!G->FDragDropSettings->OleRemoveRows() || Source.Top < ARow)
        return;
    Source.Top += Lines;
    Source.Bottom += Lines;
    if (G->FMouseActions->DisjunctRowSelect())
        for (Integer I = 0; I < Lines && ARow <= G->FRowSelect->Count(); ++I)
            G->FRowSelect->Insert(ARow, nullptr);
}

void TGridDropTarget::InsertDropRows(Integer& ARow, Integer Lines, bool Append)
{
    TExStringGrid* G = FGrid;
    const Integer T = G->TopRow();
    if (Append) {
        G->SetRowCount(G->RowCount() + Lines);
        ++ARow;
    } else {
        G->InsertRows(ARow, Lines, true);
    }
    const Integer NewTop = T > G->TBaseGrid::FixedRows() ? T + 1 : T;
    if (NewTop > 0)
        G->SetTopRow(NewTop);
}

void TGridDropTarget::WriteTextBlock(TPoint Pt, const String& Text)
{
    TExStringGrid* G = FGrid;
    TDragDropSettings* Settings = G->FDragDropSettings.get();
    Integer ACol = -1, ARow = -1;
    bool Append = false;
    G->OleDropCell(Pt, false, ACol, ARow, Append);
    // A drop with no cell under the point writes nothing.
    if (ACol < 0 || ARow < 0)
        return;
    TPoint Size;
    G->GetTextBlockSize(Text, Size);
    const Integer Lines = Size.Y + 1;
    const bool RowSelect = G->Options().Contains(goRowSelect);
    if (RowSelect)
        ACol = Settings->OleEntireRows() ? 0 : G->TBaseGrid::FixedCols();
    bool Allow = true;
    if (G->OnOleDrop)
        G->OnOleDrop(G, ARow, ACol, Text, Allow);
    if (!Allow)
        return;
    ShiftDropSource(ARow, Lines);
    if (ARow == 0 && G->FixedRowAlways() && G->RowCount() == 1)
        ARow = 1;
    if (Settings->OleInsertRows())
        InsertDropRows(ARow, Lines, Append);
    Integer Cols = 0, Rows = 0;
    G->InsertTextBlock(ACol, ARow, Text, Cols, Rows);
    ACol = std::max(ACol, G->TBaseGrid::FixedCols());
    const Integer Right = RowSelect ? ACol + Size.X - G->TBaseGrid::FixedCols() : ACol + Size.X - 1;
    G->SetSelection(TGridRect{ACol, ARow, Right, ARow + Lines - 1});
}

void TGridDropTarget::DropText(TPoint Pt, const String& S)
{
    TExStringGrid* G = FGrid;
    WriteTextBlock(Pt, WithRowBreaks(S));
    G->ArwL->SetVisible(false);
    G->ArwD->SetVisible(false);
    if (G->MoveButton)
        G->MoveButton->SetVisible(false);
    // A refused drop reports the selection as it stayed.
    if (G->OnOleDropped) {
        const TGridRect R = G->Selection();
        G->OnOleDropped(G, R.Top, R.Left);
    }
}

void TGridDropTarget::DropStream(TPoint Pt, std::unique_ptr<TMemoryStream> Ms)
{
    TExStringGrid* G = FGrid;
    const TPoint P = G->ScreenToClient(Pt);
    Integer ACol = -1, ARow = -1;
    G->MouseToCell(P.X, P.Y, ACol, ARow);
    // Without a cell under the point nothing is written.
    if (ACol >= 0 && ARow >= 0) {
        Ms->SetPosition(0);
        G->LoadAtPointFromBinStream(TPoint(ACol, ARow), Ms.get());
    }
    G->ArwL->SetVisible(false);
    G->ArwD->SetVisible(false);
    if (G->MoveButton)
        G->MoveButton->SetVisible(false);
    if (G->OnOleDropped) {
        const TGridRect S = G->Selection();
        G->OnOleDropped(G, S.Top, S.Left);
    }
}

void TGridDropTarget::DropCol(TPoint Pt, Integer Col)
{
    TExStringGrid* G = FGrid;
    const TPoint P = G->ScreenToClient(Pt);
    Integer ACol = -1, ARow = -1;
    G->MouseToCell(P.X, P.Y, ACol, ARow);
    if (ACol < 0)
        ACol = G->ColCount();
    G->ArwD->SetVisible(false);
    G->ArwU->SetVisible(false);
    if (G->MoveButton)
        G->MoveButton->SetVisible(false);
    auto MoveTo = [G](Integer From, Integer To) {
        const bool Enh = G->EnhRowColMove();
        G->SetEnhRowColMove(true);
        G->MoveColumn(From, To);
        G->SetEnhRowColMove(Enh);
    };
    if (G->FOleDragCol != -1) {
        if (G->FOleDragList && G->FOleDragIndex >= 0 && G->FOleDragIndex < G->FOleDragList->Items()->Count())
            G->FOleDragList->Items()->Delete(G->FOleDragIndex);
        const Integer Real = G->ColumnPosition(G->FOleDragCol);
        G->FOleDragCol = -1;
        if (Real >= 0 && Real < G->AllColCount()) {
            G->UnHideColumn(Real);
            const Integer Displ = G->DisplColIndex(Real);
            const Integer To = std::min(ACol, G->ColCount() - 1);
            if (Displ != To)
                MoveTo(Displ, To);
        }
    } else if (G->FDragDropSettings->OleColumnReorder()) {
        ACol = std::min(ACol, G->ColCount() - 1);
        // An unknown column index is ignored.
        if (Col >= 0 && Col < G->ColCount() && Col != ACol)
            MoveTo(Col, ACol);
    }
    bool Allow = true;
    if (G->OnOleDropCol)
        G->OnOleDropCol(G, ARow, ACol, Col, Allow);
}

void TGridDropTarget::DropIntoCell(TPoint Pt, const String& S, const TOleDropEvent& Event)
{
    TExStringGrid* G = FGrid;
    const TPoint P = G->ScreenToClient(Pt);
    Integer ACol = -1, ARow = -1;
    G->MouseToCell(P.X, P.Y, ACol, ARow);
    bool Allow = true;
    if (Event)
        Event(G, ARow, ACol, S, Allow);
    if (Allow && ACol >= 0 && ARow >= 0 && ACol < G->ColCount() && ARow < G->RowCount())
        G->SetCells(G->RealColIndex(ACol), ARow, S);
    G->ArwL->SetVisible(false);
    G->ArwD->SetVisible(false);
}

void TGridDropTarget::DropRTF(TPoint Pt, const String& S)
{
    DropIntoCell(Pt, S, FGrid->OnOleDrop);
}

void TGridDropTarget::DropURL(TPoint Pt, const String& S)
{
    // Written as text, never opened. The URL comes as the drag's text: a
    // drag without text would only empty the cell.
    if (!S.isEmpty())
        DropIntoCell(Pt, S, FGrid->OnOleDropURL);
}

void TGridDropTarget::DropFiles(TPoint Pt, TStrings* Files)
{
    TExStringGrid* G = FGrid;
    G->ArwL->SetVisible(false);
    G->ArwD->SetVisible(false);
    if (!Files || Files->Count() != 1)
        return;
    const String Name = Files->Strings(0);
    const TPoint P = G->ScreenToClient(Pt);
    Integer ACol = -1, ARow = -1;
    G->MouseToCell(P.X, P.Y, ACol, ARow);
    bool Allow = true;
    if (G->OnOleDropFile)
        G->OnOleDropFile(G, ARow, ACol, Name, Allow);
    if (Allow && NameHas(Name, ".CSV")) {
        if (G->OnOleDrop)
            G->OnOleDrop(G, -1, -1, Name, Allow);
        if (Allow)
            G->LoadFromCSV(Name, -1);
    } else if (Allow && NameHas(Name, ".XLS")) {
        // The spreadsheet loader is one of the data services still to come:
        // the drop is reported and loads nothing.
        if (G->OnOleDrop)
            G->OnOleDrop(G, -1, -1, Name, Allow);
    }
}

// ---------------------------------------------------------------- drop source

void TGridDropSource::CurrentEffect(DWORD Effect)
{
    if (Effect == DROPEFFECT_MOVE || Effect == DROPEFFECT_COPY)
        FLastEffect = Effect;
}

void TGridDropSource::QueryDrag()
{
    const TPoint P = Mouse->CursorPos();
    if (FGrid->FDragDropSettings->ShowCells()) {
        if (FGrid->MoveForm) {
            FGrid->MoveForm->SetLeft(P.X + 4);
            FGrid->MoveForm->SetTop(P.Y + 4);
        }
    } else if (FGrid->MoveButton) {
        FGrid->MoveButton->SetLeft(P.X);
        FGrid->MoveButton->SetTop(P.Y - FGrid->MoveButton->Height());
    }
}

void TGridDropSource::DragFinished()
{
    TESGDropSource::DragFinished();
    if (FGrid->FDragDropSettings->ShowCells() && FGrid->MoveForm) {
        delete FGrid->MoveForm;
        FGrid->MoveForm = nullptr;
    }
}
