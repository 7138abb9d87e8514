// The string grid: tree nodes over rows. A node's rows are hidden rows
// while it is contracted; every row a node covers carries its depth as the
// node level of its column-0 properties.
#include "grid/control/ExGrid.h"

#include "rtl/Windows.h"

#include <algorithm>

// ---------------------------------------------------------------- node data

TCellGraphic* TExStringGrid::NodeGraphic(Integer ARow)
{
    TCellGraphic* G = GetCellGraphic(0, ARow);
    return G && G->CellType() == ctNode ? G : nullptr;
}

Integer TExStringGrid::RowNodeLevel(Integer ARow)
{
    return ARow >= 0 && ARow < RowCount() && HasCellProperties(0, ARow) ? CellProperties(0, ARow)->NodeLevel() : 0;
}

void TExStringGrid::AddToNodeLevels(Integer FromRow, Integer ToRow, Integer Delta)
{
    for (Integer R = std::max(FromRow, 0); R <= std::min(ToRow, RowCount() - 1); ++R) {
        TCellProperties* Props = CellProperties(0, R);
        Props->SetNodeLevel(std::max(Props->NodeLevel() + Delta, 0));
    }
}

Integer TExStringGrid::NextNodeRow(Integer ARow)
{
    Integer R = ARow + 1;
    while (R < RowCount() && !IsNode(R))
        ++R;
    return R;
}

Integer TExStringGrid::NodeEnd(Integer ARow)
{
    const Integer Span = NodeGraphic(ARow)->CellIndex();
    return Span > 0 ? ARow + Span : NextNodeRow(ARow);
}

void TExStringGrid::AddNode(Integer ARow, Integer Span)
{
    const Integer D = DisplRowIndex(ARow);
    if (D < 0 || D >= RowCount())
        return;
    TCellGraphic* G = CreateCellGraphic(0, D);
    G->SetCellType(ctNode);
    G->SetCellAngle(D);
    G->SetCellBoolean(false);
    G->SetCellIndex(Span);
    G->SetCellErrFrom(0);
    G->SetCellVar(Variant(-1));
    G->SetCellHAlign(haBeforeText);
    G->SetCellVAlign(vaCenter);
    AddToNodeLevels(D, D + Span - 1, 1);
    if (FNumNodes == 0)
        RepaintCol(0);
    ++FNumNodes;
    if (Col() == 0)
        SetCol(1);
}

void TExStringGrid::MarkSummaryRow(Integer ARow)
{
    const Integer D = DisplRowIndex(ARow);
    if (D >= 0 && D < RowCount())
        CreateCellGraphic(0, D)->SetCellType(ctSummary);
}

// Expanded, its rows one level higher again, its graphic gone, counted off.
void TExStringGrid::DropNode(Integer ARow)
{
    ExpandNodeRows(RealRowIndex(ARow));
    AddToNodeLevels(ARow, ARow + NodeGraphic(ARow)->CellIndex() - 1, -1);
    RemoveCellGraphicOfType(0, ARow, ctNode);
    if (FNumNodes > 0)
        --FNumNodes;
}

void TExStringGrid::RemoveNode(Integer ARow)
{
    const Integer D = DisplRowIndex(ARow);
    if (NodeGraphic(D))
        DropNode(D);
}

void TExStringGrid::RemoveAllNodes()
{
    for (Integer R = 0; R < RowCount(); ++R)
        if (NodeGraphic(R))
            DropNode(R);
    Invalidate();
}

// ---------------------------------------------------------------- queries

bool TExStringGrid::GetNodeState(Integer ARow)
{
    TCellGraphic* G = NodeGraphic(ARow);
    return G && G->CellBoolean();
}

void TExStringGrid::SetNodeState(Integer ARow, bool Value)
{
    TCellGraphic* G = NodeGraphic(ARow);
    if (!G || G->CellBoolean() == Value)
        return;
    if (Value)
        ContractNode(RealRowIndex(ARow));
    else
        ExpandNode(RealRowIndex(ARow));
}

Integer TExStringGrid::GetNodeLevel(Integer ARow)
{
    return NodeGraphic(ARow) ? RowNodeLevel(ARow) : -1;
}

Integer TExStringGrid::GetNodeSpan(Integer ARow)
{
    TCellGraphic* G = NodeGraphic(ARow);
    return G ? G->CellIndex() : -1;
}

void TExStringGrid::SetNodeSpan(Integer ARow, Integer Span)
{
    if (TCellGraphic* G = NodeGraphic(ARow))
        G->SetCellIndex(Span);
}

void TExStringGrid::UpdateNodeSpan(Integer ARow, Integer Delta)
{
    if (TCellGraphic* G = NodeGraphic(ARow))
        G->SetCellIndex(G->CellIndex() + Delta);
}

Integer TExStringGrid::GetSubNodeCount(Integer ARow)
{
    TCellGraphic* G = NodeGraphic(ARow);
    return G ? G->CellErrFrom() : 0;
}

void TExStringGrid::UpdateSubNodeCount(Integer ARow, Integer Delta)
{
    if (TCellGraphic* G = NodeGraphic(ARow))
        G->SetCellErrFrom(G->CellErrFrom() + Delta);
}

Integer TExStringGrid::GetParentRow(Integer ARow)
{
    if (!HasNodes() || ARow < 0 || ARow >= RowCount())
        return -1;
    const bool Node = IsNode(ARow);
    const Integer Level = Node ? RowNodeLevel(ARow) : 65535;
    // A contracted node shows only its own row of its span.
    Integer Hidden = 0;
    for (Integer R = ARow; R >= FixedRows(); --R) {
        TCellGraphic* G = NodeGraphic(R);
        if (!G || RowNodeLevel(R) >= Level)
            continue;
        const Integer Span = G->CellIndex();
        if (G->CellBoolean())
            Hidden += Span - 1;
        if (ARow < R + Span - Hidden)
            return R;
    }
    return Node ? ARow : -1;
}

Integer TExStringGrid::GetNodeSpanType(Integer ARow)
{
    if (IsNode(ARow))
        return 0;
    const Integer Next = ARow + 1;
    if (Next < RowCount() - FFixedFooters && HasCellProperties(0, Next) && RowNodeLevel(Next) >= RowNodeLevel(ARow))
        return 2;
    return 1;
}

bool TExStringGrid::IsInNodeGlyph(Integer ARow, Integer X)
{
    if (!FMouseActions->PreciseNodeClick())
        return true;
    const Integer L = GetNodeLevel(ARow);
    const Integer I = FCellNode->NodeIndent();
    Integer GlyphWidth = 4;
    Integer Offset = 4;
    switch (FCellNode->NodeType()) {
    case cn3D:
        GlyphWidth = 6;
        Offset = 0;
        break;
    case cnGlyph:
        GlyphWidth = FCellNode->ExpandGlyph()->Empty() ? 0 : FCellNode->ExpandGlyph()->Width() / 2;
        Offset = FCellNode->ExpandGlyph()->Empty() ? 0 : 2;
        break;
    case cnLeaf:
        GlyphWidth = 8;
        Offset = 2;
        break;
    default:
        break;
    }
    if (!UseRightToLeftAlignment())
        return Offset + (L - 1) * I < X && X < GlyphWidth + L * I;
    const Integer ScrollBar =
        VisibleRowCount() < RowCount() - FixedRows() ? GetSystemMetrics(SM_CXVSCROLL) : 0;
    return X + ScrollBar >= Width() - L * I - GlyphWidth - 2 && X + ScrollBar < Width() - (L - 1) * I;
}

// ---------------------------------------------------------------- expanding and contracting

void TExStringGrid::ExpandNodeRows(Integer ARealRow)
{
    const Integer D = DisplRowIndex(ARealRow);
    TCellGraphic* G = NodeGraphic(D);
    if (!G || !G->CellBoolean())
        return;
    G->SetCellBoolean(false);
    const Integer Next = G->CellIndex() == 0 ? NextNodeRow(D) : D + 1;
    const Integer OldTop = TopRow();
    const Integer OldRow = Row();
    const bool Disjunct = FMouseActions->DisjunctRowSelectDirect();
    FMouseActions->SetDisjunctRowSelectDirect(false);
    const bool RowSelecting = Options().Contains(goRowSelect);
    if (RowSelecting)
        SetOptions(Options() - goRowSelect);
    const bool Suspend = FControlList->Count() == 0;
    if (Suspend)
        BeginUpdate();
    UnHideRows(RealRowIndex(D) + 1, RealRowIndex(Next) - 1);
    if (RowSelecting) {
        SetOptions(Options() + goRowSelect);
        SetRow(std::min(OldRow, RowCount() - 1));
        SetTopRow(OldTop);
    }
    FMouseActions->SetDisjunctRowSelectDirect(Disjunct);
    if (Suspend)
        EndUpdate();
    CalcFooter(-1);
}

void TExStringGrid::ExpandNode(Integer ARow)
{
    if (FCellNode->ExpandOne()) {
        const Integer Count = RowCount();
        for (Integer R = FixedRows(); R < Count && R < RowCount(); ++R)
            if (NodeGraphic(R) && !GetNodeState(R) && RealRowIndex(R) != ARow)
                ContractNode(RealRowIndex(R));
    }
    ExpandNodeRows(ARow);
}

void TExStringGrid::ContractNode(Integer ARow)
{
    HideInplaceEdit();
    const Integer D = DisplRowIndex(ARow);
    TCellGraphic* G = NodeGraphic(D);
    if (!G || G->CellBoolean())
        return;
    Integer End = NodeEnd(D);
    G->SetCellBoolean(true);
    // A contracted inner node is hidden with its rows and marked expanded, so
    // that all of them come back with this node.
    Integer R = D + 1;
    while (R < End && R < RowCount()) {
        TCellGraphic* Inner = NodeGraphic(R);
        if (!Inner || !Inner->CellBoolean()) {
            ++R;
            continue;
        }
        Inner->SetCellBoolean(false);
        const Integer Ctrl = FControlList->ControlIndex(1, R + 1);
        if (Ctrl >= 0)
            FControlList->Control(Ctrl)->Control()->SetVisible(false);
        const Integer InnerSpan = Inner->CellIndex();
        HideRows(RealRowIndex(D + 1), RealRowIndex(R));
        End = End + (D + 1) - InnerSpan - R;
        R = D + 1;
    }
    if (End - 1 >= D + 1)
        HideRows(RealRowIndex(D + 1), RealRowIndex(std::min(End, RowCount()) - 1));
    CalcFooter(-1);
}

void TExStringGrid::ExpandAll()
{
    BeginUpdate();
    // Without contracting others: every node ends expanded.
    for (Integer R = FixedRows(); R < RowCount(); ++R)
        if (NodeGraphic(R))
            ExpandNodeRows(RealRowIndex(R));
    EndUpdate();
    CalcFooter(-1);
}

void TExStringGrid::ContractAll()
{
    BeginUpdate();
    ExpandAll();
    TIntList Rows(0, 0);
    Integer R = FixedRows();
    while (R < RowCount()) {
        TCellGraphic* G = NodeGraphic(R);
        if (!G) {
            ++R;
            continue;
        }
        G->SetCellBoolean(true);
        const Integer End = NodeEnd(R);
        for (Integer Child = R + 1; Child < std::min(End, RowCount()); ++Child)
            Rows.Add(Child);
        R = std::max(End, R + 1);
    }
    if (Rows.Count() > 0)
        HideRowList(&Rows);
    EndUpdate();
    CellControlsUpdate(false);
    CalcFooter(-1);
}

// ---------------------------------------------------------------- rows under nodes

// InsertRows moves the hidden rows from the new row's real index on.
void TExStringGrid::InsertRowAtDispl(Integer ARow)
{
    InsertRows(ARow, 1, true);
}

void TExStringGrid::InsertNormalRow(Integer ARow)
{
    InsertRowAtDispl(DisplRowIndex(ARow));
}

void TExStringGrid::RemoveNormalRow(Integer ARow)
{
    RemoveRows(ARow, 1);
    --FMaxRowCount;
}

void TExStringGrid::GrowNode(Integer ARow, Integer Delta)
{
    UpdateNodeSpan(ARow, Delta);
    UpdateSubNodeCount(ARow, Delta);
}

// Texts of every column, objects of all but column 0 (the node graphic stays).
void TExStringGrid::MoveRowContent(Integer FromRow, Integer ToRow)
{
    for (Integer C = 0; C < AllColCount(); ++C) {
        SetGridCell(C, ToRow, GetGridCell(C, FromRow));
        SetGridCell(C, FromRow, String());
        if (C == 0)
            continue;
        TCellProperties* Props = GetGridObject(C, FromRow);
        SetGridObject(C, FromRow, nullptr);
        if (Props)
            Props->SetOwnerRow(ToRow);
        SetGridObject(C, ToRow, Props);
    }
}

void TExStringGrid::InsertChildRow(Integer ARow, Integer InsertAt)
{
    const Integer D = DisplRowIndex(ARow);
    const Integer Parent = GetParentRow(D);
    Integer Level = 1;
    if (IsNode(Parent)) {
        GrowNode(Parent, 1);
        ExpandNodeRows(RealRowIndex(Parent));
        Level = RowNodeLevel(Parent);
    }
    // Every enclosing node grows with it.
    Integer InHand = Level;
    Integer Current = Parent;
    while (InHand > 1 && Current >= FixedRows()) {
        const Integer Outer = GetParentRow(Current);
        if (Outer < 0 || Outer == Current)
            break;
        if (RowNodeLevel(Outer) < InHand) {
            GrowNode(Outer, 1);
            ExpandNodeRows(RealRowIndex(Outer));
            InHand = RowNodeLevel(Outer);
        }
        Current = Outer;
    }
    const bool Header = IsNode(D) && InsertAt == 0;
    const Integer At = Header ? D + 1 : D + InsertAt;
    InsertRowAtDispl(At);
    if (Header)
        MoveRowContent(D, At);
    if (IsNode(Parent))
        CellProperties(0, At)->SetNodeLevel(Level);
}

void TExStringGrid::RemoveChildRow(Integer ARow)
{
    const Integer D = DisplRowIndex(ARow);
    if (D < 0 || D >= RowCount())
        return;
    const Integer Parent = GetParentRow(D);
    if (IsNode(Parent)) {
        const Integer Level = RowNodeLevel(Parent);
        Integer Current = Parent;
        for (;;) {
            if (GetNodeSpan(Current) > 1)
                GrowNode(Current, -1);
            ExpandNodeRows(RealRowIndex(Current));
            if (RowNodeLevel(Current) <= 1)
                break;
            const Integer Outer = GetParentRow(Current);
            if (Outer < 0 || Outer == Current || RowNodeLevel(Outer) >= Level)
                break;
            Current = Outer;
        }
    }
    const Integer Real = RealRowIndex(D);
    FreeAndRemoveRows(D, 1);
    --FMaxRowCount;
    // The hosted controls below follow their rows up.
    for (Integer I = 0; I < FControlList->Count(); ++I)
        if (FControlList->Control(I)->Y() > Real)
            FControlList->Control(I)->SetY(FControlList->Control(I)->Y() - 1);
}

// ---------------------------------------------------------------- grouped check boxes

void TExStringGrid::CheckNodeRows(Integer ACol, Integer ARow, bool State)
{
    TCellGraphic* G = NodeGraphic(ARow);
    const Integer Span = G->CellIndex();
    const Integer Real = RealRowIndex(ARow);
    // A contracted node's rows are hidden: they follow its real row.
    for (Integer I = 1; I < Span; ++I) {
        if (G->CellBoolean())
            SetCheckBoxState(ACol, Real + I, State);
        else if (ARow + I < RowCount())
            SetCheckBoxState(ACol, RealRowIndex(ARow + I), State);
    }
}

void TExStringGrid::CheckParentNode(Integer ACol, Integer AParent)
{
    const Integer Last = std::min(AParent + GetNodeSpan(AParent) - 1, RowCount() - 1);
    if (Last <= AParent)
        return;
    bool First = false;
    GetCheckBoxState(ACol, RealRowIndex(AParent + 1), First);
    TCheckBoxState State = BoolToCheckBoxState(First);
    for (Integer R = AParent + 2; R <= Last; ++R) {
        bool Checked = false;
        GetCheckBoxState(ACol, RealRowIndex(R), Checked);
        if (Checked != First)
            State = cbGrayed;
    }
    SetCheckBoxState(ACol, RealRowIndex(AParent), State);
}
