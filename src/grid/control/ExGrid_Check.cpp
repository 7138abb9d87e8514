// The string grid: check boxes, radio groups and radio buttons in cells.
#include "grid/control/ExGrid.h"

namespace {

bool IsCheckKind(TCellType T)
{
    return T == ctCheckBox || T == ctDataCheckBox || T == ctVirtCheckBox || T == ctRowCheckBox ||
           T == ctTriStateCheckBox;
}

bool IsDataCheckKind(TCellType T)
{
    return T == ctDataCheckBox || T == ctVirtCheckBox || T == ctRowCheckBox;
}

// Kinds whose state is the cell text.
bool IsTextCheckKind(TCellType T)
{
    return T == ctDataCheckBox || T == ctVirtCheckBox;
}

bool IsClickKind(TCellType T)
{
    return IsCheckKind(T) || T == ctRadio || T == ctButton || T == ctRadioButton;
}

TCellVAlign CellVAlignOf(TVAlignment V)
{
    switch (V) {
    case vtaCenter:
        return vaCenter;
    case vtaBottom:
        return vaBottom;
    default:
        return vaTop;
    }
}

} // namespace

bool HasDataGraphic(TExStringGrid* Grid, Integer ACol, Integer ARow)
{
    const TCellType T = Grid->GetCellType(ACol, ARow);
    return IsDataCheckKind(T) || T == ctDataImage;
}

// ---------------------------------------------------------------- kinds

TCellGraphic* TExStringGrid::BaseCellGraphic(Integer ACol, Integer ARow)
{
    const TPoint B = BaseCell(ACol, ARow);
    return GetCellGraphic(B.X, B.Y);
}

bool TExStringGrid::BaseCellIs(Integer ACol, Integer ARow, bool (*Kind)(TCellType))
{
    TCellGraphic* G = BaseCellGraphic(ACol, ARow);
    return G && Kind(G->CellType());
}

bool TExStringGrid::HasCheckBox(Integer ACol, Integer ARow)
{
    return BaseCellIs(ACol, ARow, IsCheckKind);
}

bool TExStringGrid::HasDataCheckBox(Integer ACol, Integer ARow)
{
    return BaseCellIs(ACol, ARow, IsDataCheckKind);
}

bool TExStringGrid::IsClickControlCell(Integer ACol, Integer ARow)
{
    return ACol >= 0 && ARow >= 0 && BaseCellIs(ACol, ARow, IsClickKind);
}

TCheckBoxState TExStringGrid::BoolToCheckBoxState(bool bChecked)
{
    return bChecked ? cbChecked : cbUnchecked;
}

// ---------------------------------------------------------------- adding and removing

void TExStringGrid::CheckCellExists(Integer ACol, Integer ARow) const
{
    // Negative indices are refused too: they would reach the cell store.
    if (ACol < 0 || ARow < 0 || ACol >= ColCount() + FNumHidden || ARow >= RowCount() + NumHiddenRows())
        throw EExGridError(QStringLiteral("Invalid cell"));
}

void TExStringGrid::AddCheckBox(Integer ACol, Integer ARow, bool State, bool Data)
{
    CheckCellExists(ACol, ARow);
    TCellGraphic* G = CreateCellGraphic(ACol, ARow);
    G->SetCheckBox(State, Data, true, haBeforeText, CellVAlignOf(FVAlignment));
    if (Data) {
        const String Text = Cells(ACol, ARow);
        if (Text != FCheckTrue && Text != FCheckFalse)
            SetCells(ACol, ARow, State ? FCheckTrue : FCheckFalse);
    }
}

void TExStringGrid::AddCheckBox(Integer ACol, Integer ARow, TCheckBoxState State)
{
    CheckCellExists(ACol, ARow);
    CreateCellGraphic(ACol, ARow)->SetCheckBox(State, true, haBeforeText, CellVAlignOf(FVAlignment));
}

Integer TExStringGrid::FirstCheckRow()
{
    return FMouseActions->CheckAllCheck() ? 0 : FixedRows();
}

void TExStringGrid::AddCheckBoxColumn(Integer ACol, bool DefaultState, bool DataCheckBox)
{
    for (Integer R = FirstCheckRow(); R < RowCount(); ++R) {
        if (IsSummary(R))
            continue;
        if (IsNode(R))
            AddCheckBox(ACol, R, cbUnchecked);
        else
            AddCheckBox(ACol, R, DefaultState, DataCheckBox);
    }
}

void TExStringGrid::AddTriStateCheckBoxColumn(Integer ACol, TCheckBoxState State)
{
    for (Integer R = FirstCheckRow(); R < RowCount(); ++R)
        AddCheckBox(ACol, R, State);
}

void TExStringGrid::RemoveCheckBox(Integer ACol, Integer ARow)
{
    for (TCellType T : {ctCheckBox, ctDataCheckBox, ctTriStateCheckBox})
        if (RemoveCellGraphicOfType(ACol, ARow, T))
            return;
}

void TExStringGrid::RemoveCheckBoxColumn(Integer ACol)
{
    for (Integer R = FirstCheckRow(); R < RowCount(); ++R)
        if (HasCheckBox(ACol, R))
            RemoveCheckBox(ACol, R);
}

// ---------------------------------------------------------------- reading and writing states

// The graphic of real row ARow: the cell's own object (also of a hidden
// row), else the shared virtual or row box the display row answers.
TCellGraphic* TExStringGrid::GraphicOfRealRow(Integer ACol, Integer ARow)
{
    if (NumHiddenRows() == 0)
        return GetCellGraphic(ACol, ARow);
    if (auto* Props = dynamic_cast<TCellProperties*>(GetGridObjectsEx(ACol, ARow)))
        if (auto* G = dynamic_cast<TCellGraphic*>(GetPropertiesGraphic(Props)))
            return G;
    if (!IsHiddenRow(ARow))
        return GetCellGraphic(ACol, DisplRowIndex(ARow));
    // A hidden row takes only a shared box of its column, asked at the
    // row's place: another row's own box is not its.
    TCellGraphic* G = GetCellGraphic(ACol, DisplRowIndex(ARow));
    return G && (G->CellType() == ctVirtCheckBox || G->CellType() == ctRowCheckBox) ? G : nullptr;
}

bool TExStringGrid::TextIsCheckTrue(Integer ACol, Integer ARow)
{
    String True;
    GetCheckTrue(ACol, ARow, True);
    return AllCells(ACol, ARow) == True;
}

bool TExStringGrid::GetCheckBoxState(Integer ACol, Integer ARow, bool& State)
{
    TCellGraphic* G = GraphicOfRealRow(ACol, ARow);
    if (!G)
        return false;
    const TCellType T = G->CellType();
    if (T == ctCheckBox)
        State = G->CellBoolean();
    else if (IsTextCheckKind(T))
        State = TextIsCheckTrue(ACol, ARow);
    else if (T == ctRowCheckBox && ACol == 0)
        State = RowSelect(ARow);
    else
        return false;
    return true;
}

bool TExStringGrid::GetCheckBoxState(Integer ACol, Integer ARow, TCheckBoxState& State)
{
    if (TCellGraphic* G = GraphicOfRealRow(ACol, ARow); G && G->CellType() == ctTriStateCheckBox) {
        State = G->CellCheckBoxState();
        return true;
    }
    bool Checked = false;
    if (!GetCheckBoxState(ACol, ARow, Checked))
        return false;
    State = BoolToCheckBoxState(Checked);
    return true;
}

bool TExStringGrid::IsChecked(Integer ACol, Integer ARow)
{
    bool State = false;
    return GetCheckBoxState(ACol, ARow, State) && State;
}

String TExStringGrid::CheckText(Integer ACol, Integer ARow, bool State)
{
    String Text;
    if (State)
        GetCheckTrue(ACol, ARow, Text);
    else
        GetCheckFalse(ACol, ARow, Text);
    return Text;
}

bool TExStringGrid::SetCheckBoxState(Integer ACol, Integer ARow, bool State)
{
    TCellGraphic* G = GraphicOfRealRow(ACol, ARow);
    if (!G)
        return false;
    const TCellType T = G->CellType();
    if (T == ctCheckBox) {
        G->SetCellBoolean(State);
        RepaintCell(DisplColIndex(ACol), DisplRowIndex(ARow));
    } else if (IsTextCheckKind(T)) {
        SetAllCells(ACol, ARow, CheckText(ACol, ARow, State));
    } else if (T == ctRowCheckBox && ACol == 0) {
        SetRowSelect(ARow, State);
    } else {
        return false;
    }
    return true;
}

bool TExStringGrid::SetCheckBoxState(Integer ACol, Integer ARow, TCheckBoxState State)
{
    TCellGraphic* G = GraphicOfRealRow(ACol, ARow);
    if (!G || G->CellType() != ctTriStateCheckBox)
        return false;
    G->SetCellCheckBoxState(State);
    RepaintCell(DisplColIndex(ACol), DisplRowIndex(ARow));
    return true;
}

bool TExStringGrid::ChangeCheckBoxState(Integer ACol, Integer ARow, bool State)
{
    TCellGraphic* G = GraphicOfRealRow(ACol, RealRowIndex(ARow));
    if (!G)
        return false;
    const TCellType T = G->CellType();
    if (T == ctCheckBox) {
        if (G->CellBoolean() != State) {
            G->SetCellBoolean(State);
            DoCheckBoxChange(ACol, ARow, State);
            RepaintCell(DisplColIndex(ACol), ARow);
        }
    } else if (IsTextCheckKind(T)) {
        const bool Was = Cells(ACol, ARow) == CheckText(ACol, ARow, true);
        SetCells(ACol, ARow, CheckText(ACol, ARow, State));
        if (Was != State)
            DoCheckBoxChange(ACol, ARow, State);
    } else if (T == ctRowCheckBox && ACol == 0) {
        const Integer Real = RealRowIndex(ARow);
        if (RowSelect(Real) != State) {
            SetRowSelect(Real, State);
            DoCheckBoxChange(ACol, ARow, State);
        }
    } else {
        return false;
    }
    return true;
}

void TExStringGrid::CheckAll(Integer ACol)
{
    for (Integer R = FixedRows(); R < RowCount(); ++R)
        ChangeCheckBoxState(ACol, R, true);
    if (FNumHidden > 0)
        RepaintCol(DisplColIndex(ACol));
}

void TExStringGrid::UnCheckAll(Integer ACol)
{
    for (Integer R = FixedRows(); R < RowCount(); ++R)
        ChangeCheckBoxState(ACol, R, false);
}

// ---------------------------------------------------------------- toggling

bool TExStringGrid::ToggleCheckBox(Integer ACol, Integer ARow)
{
    return DoToggleCheckBox(ACol, ARow, false);
}

bool TExStringGrid::UserMayChange(Integer ACol, Integer ARow, bool ByUser, bool AlwaysActive)
{
    if (!ByUser || AlwaysActive)
        return true;
    bool Allow = true;
    CanEditCell(ACol, ARow, Allow);
    return Allow;
}

// Under Grouping.AutoCheckGroup a node's box sets the boxes of its rows and
// a child's box sets the tri-state box of its node.
bool TExStringGrid::DoToggleCheckBox(Integer ACol, Integer ARow, bool ByUser)
{
    TCellGraphic* G = GetCellGraphic(ACol, ARow);
    if (!G || !IsCheckKind(G->CellType()))
        return false;
    if (!UserMayChange(ACol, ARow, ByUser, FControlLook->CheckAlwaysActive()))
        return false;
    const bool Grouped = FGrouping->AutoCheckGroup();
    const bool NodeRow = Grouped && IsNode(ARow);
    const Integer Parent = Grouped && !NodeRow ? GetParentRow(ARow) : -1;
    const TCellType T = G->CellType();
    const String OldText = Cells(ACol, ARow);
    bool NewState = false;
    if (T == ctCheckBox) {
        NewState = !G->CellBoolean();
        G->SetCellBoolean(NewState);
    } else if (T == ctTriStateCheckBox) {
        const TCheckBoxState Old = G->CellCheckBoxState();
        const TCheckBoxState Next = NodeRow && Old == cbUnchecked ? cbChecked : NextTriState(Old);
        G->SetCellCheckBoxState(Next);
        NewState = NodeRow && Next == cbChecked;
    } else if (T == ctRowCheckBox) {
        // The row box stands for the row's selection flag, not for the text.
        const Integer Real = RealRowIndex(ARow);
        NewState = !RowSelect(Real);
        SetRowSelect(Real, NewState);
    } else {
        NewState = OldText != CheckText(ACol, ARow, true);
        SetCells(ACol, ARow, CheckText(ACol, ARow, NewState));
    }
    RepaintCell(DisplColIndex(ACol), ARow);
    DoCheckBoxChange(ACol, ARow, NewState);
    if (NodeRow)
        CheckNodeRows(ACol, ARow, NewState);
    else if (IsNode(Parent))
        CheckParentNode(ACol, Parent);
    // Only a box whose state is the text is undone by writing texts back.
    if (UndoRedo() && IsTextCheckKind(T))
        UndoRedo()->RegisterChange(ACol, ARow, OldText, Cells(ACol, ARow));
    return true;
}

TCheckBoxState TExStringGrid::NextTriState(TCheckBoxState State)
{
    switch (State) {
    case cbChecked:
        return cbUnchecked;
    case cbGrayed:
        return cbChecked;
    default:
        return cbGrayed;
    }
}

void TExStringGrid::DoCheckBoxChange(Integer ACol, Integer ARow, bool State)
{
    if (OnCheckBoxChange)
        OnCheckBoxChange(this, ACol, ARow, State);
}

// ---------------------------------------------------------------- hit test

bool TExStringGrid::IsInCheckBox(Integer ACol, Integer ARow, Integer XPos, Integer YPos)
{
    TCellGraphic* G = GetCellGraphic(ACol, ARow);
    if (!G || !(IsCheckKind(G->CellType()) || G->CellType() == ctRadioButton))
        return false;
    if (!FMouseActions->PreciseCheckBoxCheck())
        return true;
    const TRect R = CellRect(DisplColIndex(ACol), ARow);
    const Integer S = FControlLook->CheckSize();
    Integer Top = R.Top + 2;
    if (G->CellVAlign() == vaBottom)
        Top = R.Bottom - S - 2;
    else if (G->CellVAlign() == vaCenter)
        Top = R.Top + (R.Height() - S) / 2;
    Integer Left = R.Left + 2;
    const TAlignment HAlign = GetCellAlignment(ACol, ARow).first;
    if (HAlign == taRightJustify) {
        Left = R.Right - S - 2;
        if (!Cells(ACol, ARow).isEmpty())
            Left -= GetCellTextSize(ACol, ARow, false, false).cx;
    } else if (HAlign == taCenter) {
        Left = R.Left + (R.Width() - S) / 2;
    }
    return XPos >= Left && XPos < Left + S && YPos >= Top && YPos < Top + S;
}

// ---------------------------------------------------------------- radio groups

TCellGraphic* TExStringGrid::RadioGroup(Integer ACol, Integer ARow)
{
    TCellGraphic* G = BaseCellGraphic(ACol, ARow);
    return G && G->CellType() == ctRadio ? G : nullptr;
}

void TExStringGrid::AddRadio(Integer ACol, Integer ARow, Integer DirRadio, Integer IdxRadio, TStrings* sl)
{
    TCellGraphic* G = CreateRadioGraphic(ACol, ARow, DirRadio, IdxRadio);
    G->SetCellBitmap(sl);
    G->SetCellAngle(sl ? sl->Count() : 0);
}

TStrings* TExStringGrid::CreateRadio(Integer ACol, Integer ARow, Integer DirRadio, Integer IdxRadio)
{
    TCellGraphic* G = CreateRadioGraphic(ACol, ARow, DirRadio, IdxRadio);
    auto Owned = std::make_unique<TStringList>();
    TStringList* Options = Owned.get();
    G->OwnCellBitmap(std::move(Owned));
    G->SetCellCreated(true);
    G->SetCellAngle(0);
    return Options;
}

TCellGraphic* TExStringGrid::CreateRadioGraphic(Integer ACol, Integer ARow, Integer DirRadio, Integer IdxRadio)
{
    TCellGraphic* G = CreateCellGraphic(ACol, ARow);
    G->SetCellType(ctRadio);
    G->SetCellIndex(IdxRadio);
    G->SetCellBoolean(DirRadio != 0);
    G->SetCellTransparent(true);
    return G;
}

bool TExStringGrid::GetRadioIdx(Integer ACol, Integer ARow, Integer& IdxRadio)
{
    TCellGraphic* G = RadioGroup(ACol, ARow);
    if (G)
        IdxRadio = G->CellIndex();
    return G != nullptr;
}

bool TExStringGrid::SetRadioIdx(Integer ACol, Integer ARow, Integer IdxRadio)
{
    TCellGraphic* G = RadioGroup(ACol, ARow);
    if (!G)
        return false;
    G->SetCellIndex(IdxRadio);
    if (IdxRadio == -1)
        SetCells(ACol, ARow, String());
    RepaintCell(DisplColIndex(ACol), ARow);
    return true;
}

TStrings* TExStringGrid::GetRadioStrings(Integer ACol, Integer ARow)
{
    TCellGraphic* G = RadioGroup(ACol, ARow);
    return G ? dynamic_cast<TStrings*>(G->CellBitmap()) : nullptr;
}

bool TExStringGrid::IsRadio(Integer ACol, Integer ARow)
{
    return RadioGroup(ACol, ARow) != nullptr;
}

void TExStringGrid::RemoveRadio(Integer ACol, Integer ARow)
{
    RemoveCellGraphicOfType(ACol, ARow, ctRadio);
}

// A group without options changes nothing.
void TExStringGrid::SelectNextRadio(Integer ACol, Integer ARow, bool ByUser)
{
    TCellGraphic* G = GetCellGraphic(ACol, ARow);
    if (!G || G->CellType() != ctRadio)
        return;
    if (!UserMayChange(ACol, ARow, ByUser, FControlLook->RadioAlwaysActive()))
        return;
    auto* Options = dynamic_cast<TStrings*>(G->CellBitmap());
    if (!Options || Options->Count() == 0)
        return;
    Integer Next = (G->CellIndex() < 0 ? Options->IndexOf(Cells(ACol, ARow)) : G->CellIndex()) + 1;
    if (Next >= Options->Count())
        Next = 0;
    if (G->CellIndex() >= -1)
        G->SetCellIndex(Next);
    G->SetCellVar(Variant(Next));
    SetCells(ACol, ARow, Options->Strings(Next));
}

// ---------------------------------------------------------------- radio buttons

TCellGraphic* TExStringGrid::RadioButton(Integer ACol, Integer ARow)
{
    TCellGraphic* G = BaseCellGraphic(ACol, ARow);
    return G && G->CellType() == ctRadioButton ? G : nullptr;
}

void TExStringGrid::AddRadioButton(Integer ACol, Integer ARow, bool State)
{
    CheckCellExists(ACol, ARow);
    CreateCellGraphic(ACol, ARow)->SetRadioButton(State, true, haBeforeText, CellVAlignOf(FVAlignment));
}

void TExStringGrid::RemoveRadioButton(Integer ACol, Integer ARow)
{
    RemoveCellGraphicOfType(ACol, ARow, ctRadioButton);
}

bool TExStringGrid::HasRadioButton(Integer ACol, Integer ARow)
{
    return RadioButton(ACol, ARow) != nullptr;
}

void TExStringGrid::AddRadioButtonColumn(Integer ACol)
{
    for (Integer R = FixedRows(); R < RowCount(); ++R)
        AddRadioButton(ACol, R, false);
}

void TExStringGrid::RemoveRadioButtonColumn(Integer ACol)
{
    for (Integer R = FixedRows(); R < RowCount(); ++R)
        if (HasRadioButton(ACol, R))
            RemoveRadioButton(ACol, R);
}

bool TExStringGrid::IsRadioButtonChecked(Integer ACol, Integer ARow)
{
    TCellGraphic* G = RadioButton(ACol, ARow);
    return G && G->CellBoolean();
}

bool TExStringGrid::SetRadioButtonState(Integer ACol, Integer ARow, bool State)
{
    TCellGraphic* G = RadioButton(ACol, ARow);
    if (!G)
        return false;
    if (G->CellBoolean() != State) {
        G->SetCellBoolean(State);
        RepaintCell(DisplColIndex(ACol), ARow);
    }
    return true;
}

void TExStringGrid::SetRadioButtonColumnIndex(Integer ACol, Integer Index)
{
    for (Integer R = FixedRows(); R < RowCount(); ++R)
        SetRadioButtonState(ACol, R, R == Index);
}

Integer TExStringGrid::GetRadioButtonColumnIndex(Integer ACol)
{
    for (Integer R = FixedRows(); R < RowCount(); ++R)
        if (IsRadioButtonChecked(ACol, R))
            return R;
    return -1;
}

bool TExStringGrid::DoRadioButtonClick(Integer ACol, Integer ARow, bool ByUser)
{
    TCellGraphic* G = GetCellGraphic(ACol, ARow);
    if (!G || G->CellType() != ctRadioButton)
        return false;
    if (!UserMayChange(ACol, ARow, ByUser, FControlLook->CheckAlwaysActive()))
        return false;
    if (!G->CellBoolean()) {
        SetRadioButtonState(ACol, ARow, true);
        for (Integer R = 0; R < RowCount(); ++R)
            if (R != ARow && IsRadioButtonChecked(ACol, R))
                SetRadioButtonState(ACol, R, false);
    }
    return true;
}
