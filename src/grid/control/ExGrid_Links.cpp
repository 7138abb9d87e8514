// Cell links and mini-HTML form controls: the link step of a left press,
// the editors over EDIT, PASSWORD, MASK and COMBO controls and the way
// their values go back into the cell text.
#include "grid/control/ExGrid_Links.h"

#include "grid/base/EsgHTMLE.h"
#include "grid/base/ExUtil.h"
#include "grid/control/ExGrid_Settings.h"
#include "platform/Process.h"

#include <memory>

namespace {

// Mini-HTML text kind of GetCellTextKind.
constexpr Integer LinkHTMLKind = 1;
// The renderer's anchor for an embedded control.
const String ControlAnchor = QStringLiteral("ctrl");

TGridURLOpener& URLOpener()
{
    static TGridURLOpener Opener;
    return Opener;
}

bool OpenLink(const String& URL)
{
    if (URLOpener())
        return URLOpener()(URL);
    return platform::OpenURL(URL);
}

bool IsEditType(const String& CtrlType)
{
    return CtrlType == u"EDIT" || CtrlType == u"PASSWORD" || CtrlType == u"MASK";
}

} // namespace

void SetGridURLOpener(TGridURLOpener Opener)
{
    URLOpener() = std::move(Opener);
}

bool IsOpenableLink(const String& URL)
{
    const String Upper = URL.trimmed().toUpper();
    for (const char* Scheme : {"HTTP://", "HTTPS://", "FTP://", "MAILTO:"})
        if (Upper.startsWith(QLatin1String(Scheme)))
            return true;
    return false;
}

// ---------------------------------------------------------------- the link step

TExStringGrid::THTMLHit TExStringGrid::HitTestHTML(const String& Text, Integer ACol, Integer ARow, Integer X,
                                                   Integer Y)
{
    TRect R = CellRect(ACol, ARow);
    Integer Pos = 0;
    if (HasScrollBar(ACol, ARow)) {
        Pos = GetScrollPosition(ACol, ARow);
        R.Right -= GetSystemMetrics(SM_CXVSCROLL);
    }
    R.Right -= FXYOffset.X;
    R.Left += 1 + FXYOffset.X;
    R.Top += 1 + FXYOffset.Y;
    R.Bottom += Pos;
    if (HasCheckBox(RealColIndex(ACol), ARow))
        R.Left += FControlLook->CheckSize();
    TCanvas* C = Canvas();
    C->Font()->Assign(IsFixed(ACol, ARow) ? FixedFont() : Font());
    TBrush Brush;
    TGridDrawState State;
    TColor ColorTo = clNone, Mirror = clNone, MirrorTo = clNone;
    TAlignment HA = taLeftJustify;
    TVAlignment VA = vtaTop;
    bool WW = false;
    TCellGradientDirection GD{};
    GetVisualProperties(ACol, ARow, State, false, false, true, &Brush, ColorTo, Mirror, MirrorTo, C->Font(), HA, VA, WW,
                        GD);
    THTMLHit Hit;
    String Strip, FocusAnchor, AnchorHint;
    Integer XSize = 0, YSize = 0, Links = 0, MouseLink = -1;
    TRect HoverRect;
    const bool Found =
        DrawHTMLText(C, Text, R, GetGridImages(), X, Y + Pos, -1, -1, 0, true, false, false, false, false, false, WW,
                     false, 1.0, FURLColor, clNone, clNone, clGray, Hit.Anchor, Strip, FocusAnchor, AnchorHint, XSize,
                     YSize, Links, MouseLink, HoverRect, Hit.CtrlRect, Hit.CID, Hit.CV, Hit.CT, FImageCache.get(),
                     FContainer, nullptr, 0);
    if (!Found)
        Hit = THTMLHit{};
    return Hit;
}

bool TExStringGrid::LinkPress(Integer ACol, Integer RealCol, Integer ARow, Integer OrigCol, Integer OrigRow,
                              Integer X, Integer Y)
{
    String Text = Cells(RealCol, ARow);
    const bool HTML = GetCellTextKind(Text, FEnableHTML) == LinkHTMLKind;
    if (!FURLShow && !HTML)
        return false;
    THTMLHit Hit;
    if (HTML)
        Hit = HitTestHTML(Text, ACol, ARow, X, Y);
    else if (HasURLScheme(Text))
        Hit.Anchor = Text;
    if (Hit.Anchor.isEmpty()) {
        if (!HTML || !Text.toUpper().contains(QStringLiteral("<CONTROL")))
            return false;
        // A press beside the cell's controls only selects the cell.
        if (OnClickCell)
            OnClickCell(this, OrigRow, OrigCol);
        HideInplaceEdit();
        SetSelection(TGridRect{ACol, ARow, ACol, ARow});
        return true;
    }
    bool AutoHandle = true;
    bool CanEdit = (Options().Contains(goEditing) || FEditDisable) && !ReadOnly(RealColIndex(OrigCol), OrigRow);
    if (!Hit.CID.isEmpty())
        DoCanEditCell(OrigCol, OrigRow, CanEdit);
    if (!Hit.CID.isEmpty() && CanEdit) {
        ControlClick(Text, Hit, ACol, RealCol, ARow);
        return true;
    }
    if (OnAnchorClick)
        OnAnchorClick(this, ARow, ACol, Hit.Anchor, AutoHandle);
    if (AutoHandle && Hit.Anchor != ControlAnchor)
        HandleAnchor(Hit.Anchor);
    return true;
}

bool TExStringGrid::ControlClick(String& Text, const THTMLHit& Hit, Integer ACol, Integer RealCol, Integer ARow)
{
    if (FCtrlEditing) {
        EndHTMLControlEdit();
        Text = Cells(RealCol, ARow);
    }
    if (Hit.CT == u"BUTTON") {
        FCtrlXY = TPoint(RealCol, ARow);
        FCtrlDown = true;
        RepaintCell(ACol, ARow);
    } else if (Hit.CT == u"CHECK") {
        SetHTMLControlValue(Text, Hit.CID, Hit.CV.toUpper() == u"TRUE" ? QStringLiteral("FALSE") : QStringLiteral("TRUE"));
        SetCells(RealCol, ARow, Text);
    } else if (Hit.CT == u"RADIO") {
        Text = ClearHTMLRadioControls(Text);
        SetHTMLControlValue(Text, Hit.CID, QStringLiteral("TRUE"));
        SetCells(RealCol, ARow, Text);
    }
    if (OnControlClick)
        OnControlClick(this, ARow, ACol, Hit.CID, Hit.CT, Hit.CV);
    StartHTMLControlEdit(Text, Hit.CT, Hit.CID, Hit.CV, Hit.CtrlRect, ACol, RealCol, ARow);
    return true;
}

void TExStringGrid::HandleAnchor(const String& Anchor)
{
    const Integer At = Anchor.toUpper().indexOf(QStringLiteral("CELL://"));
    if (At >= 0) {
        TPoint Cell;
        if (!ParseRowColRef(Anchor.mid(At + 7), Cell))
            return;
        // A reference outside the grid does nothing.
        if (Cell.X < 0 || Cell.X >= ColCount() || Cell.Y < 0 || Cell.Y >= RowCount())
            return;
        SetRow(Cell.Y);
        SetCol(Cell.X);
        ScrollInView(Cell.X, Cell.Y);
        return;
    }
    if (IsOpenableLink(Anchor))
        OpenLink(Anchor);
}

// ---------------------------------------------------------------- control editors

void TExStringGrid::StartHTMLControlEdit(const String& Text, const String& CtrlType, const String& CtrlID,
                                         const String& CtrlVal, TRect CtrlRect, Integer ACol, Integer RealCol,
                                         Integer ARow)
{
    const bool Edit = IsEditType(CtrlType);
    if (!Edit && CtrlType != u"COMBO")
        return;
    FCtrlXY = TPoint(RealCol, ARow);
    FCtrlID = CtrlID;
    FCtrlType = CtrlType;
    FCtrlEditing = true;
    const Integer L = CtrlRect.Left, T = CtrlRect.Top, Rt = CtrlRect.Right;
    if (Edit) {
        if (!FEditControl)
            FEditControl = new TControlEdit(this);
        TControlEdit* E = FEditControl;
        E->SetWidth(0);
        E->SetPasswordChar(CtrlType == u"PASSWORD" ? u'*' : Char(0));
        E->SetEditMask(CtrlType == u"MASK" ? GetHTMLControlProp(Text, CtrlID) : String());
        E->OnExit = [this](TObject*) { EndHTMLControlEdit(); };
        E->SetText(CtrlVal);
        E->SetBorderStyle(bsNone);
        E->SetBounds(L + 1, T + 8, Rt - L - 4, 14);
        E->SetMaxLength(GetHTMLControlMaxLen(Text, CtrlID));
        E->SetParent(this);
        E->SetVisible(true);
        E->BringToFront();
        E->SetFocus();
        return;
    }
    if (!FComboControl)
        FComboControl = new TControlCombo(this);
    TControlCombo* Cb = FComboControl;
    Cb->SetIsWinXP(FIsWinXP);
    Cb->SetWidth(0);
    bool Editable = true;
    Integer DropCount = 8;
    Cb->SetFlat(false);
    Cb->SetBounds(L - 1, T + 4, Rt - L, Cb->Height());
    Cb->OnSelect = [this](TObject* Sender) { ControlComboSelect(Sender); };
    Cb->SetParent(this);
    Cb->Items()->Clear();
    if (OnControlComboList)
        OnControlComboList(this, ARow, ACol, CtrlID, CtrlType, CtrlVal, Cb->Items(), Editable, DropCount);
    Cb->SetStyle(Editable ? csDropDown : csDropDownList);
    Cb->SetItemIndex(Cb->Items()->IndexOf(CtrlVal));
    // A value outside the items still shows.
    Cb->SetText(CtrlVal);
    Cb->SetDropDownCount(DropCount);
    Cb->OnExit = [this](TObject*) { EndHTMLControlEdit(); };
    Cb->SetMaxLength(GetHTMLControlMaxLen(Text, CtrlID));
    Cb->SetVisible(true);
    Cb->SetDroppedDown(true);
    Cb->SetFocus();
}

void TExStringGrid::EndHTMLControlEdit()
{
    if (!FCtrlEditing)
        return;
    FCtrlEditing = false;
    const bool Edit = IsEditType(FCtrlType);
    TWinControl* Editor = Edit ? static_cast<TWinControl*>(FEditControl) : FComboControl;
    const String Value = Edit ? FEditControl->Text() : FComboControl->Text();
    String S = Cells(FCtrlXY.X, FCtrlXY.Y);
    SetHTMLControlValue(S, FCtrlID, Value);
    SetCells(FCtrlXY.X, FCtrlXY.Y, S);
    Editor->SetVisible(false);
    if (OnControlEditDone)
        OnControlEditDone(this, FCtrlXY.Y, FCtrlXY.X, FCtrlID, FCtrlType, Value);
    FCtrlType.clear();
}

void TExStringGrid::ControlComboSelect(TObject*)
{
    if (!OnControlComboSelect || !FComboControl)
        return;
    const Integer Index = FComboControl->ItemIndex();
    const String Item = Index >= 0 ? FComboControl->Items()->Strings(Index) : String();
    OnControlComboSelect(this, FCtrlXY.Y, FCtrlXY.X, Index, FCtrlID, FCtrlType, Item);
}

// Enter ends the edit and gives the grid the focus; Tab ends it and moves to
// the next cell (AdvanceAuto) or the cell's next form control.
void TExStringGrid::EndHTMLControlEditByKey(bool Tab)
{
    const String ID = FCtrlID;
    const TPoint Cell = FCtrlXY;
    EndHTMLControlEdit();
    if (!Tab) {
        if (CanFocus())
            SetFocus();
        return;
    }
    if (FNavigation->AdvanceAuto())
        AdvanceToNextCell(Col(), Row(), false, true, true, false, true);
    else
        EditHTMLControl(DisplColIndex(Cell.X), Cell.Y, ID);
}

// ---------------------------------------------------------------- the editors' keys

namespace {

bool EndsControlEdit(TWinControl* Control, Char& Key)
{
    auto* Grid = dynamic_cast<TExStringGrid*>(Control->Parent());
    if (!Grid || (Key != Char(VK_RETURN) && Key != Char(VK_TAB)))
        return false;
    const bool Tab = Key == Char(VK_TAB);
    Key = Char(0);
    Grid->EndHTMLControlEditByKey(Tab);
    return true;
}

} // namespace

void TControlEdit::WMGetDlgCode(TWMGetDlgCode& Message)
{
    TMaskEdit::WMGetDlgCode(Message);
    Message.Result |= DLGC_WANTTAB;
}

void TControlEdit::KeyPress(Char& Key)
{
    if (!EndsControlEdit(this, Key))
        TMaskEdit::KeyPress(Key);
}

void TControlCombo::WMGetDlgCode(TWMGetDlgCode& Message)
{
    TEsgComboBox::WMGetDlgCode(Message);
    Message.Result |= DLGC_WANTTAB;
}

void TControlCombo::KeyPress(Char& Key)
{
    if (!EndsControlEdit(this, Key))
        TEsgComboBox::KeyPress(Key);
}
