// The string grid: in-place editing. Which editor a cell gets, showing and
// placing it over the cell, writing its value back, the combo item list,
// the rules by which a cell may be entered and edited, and the editors'
// event relays.
#include "grid/base/ExUtil.h"
#include "grid/control/ExGrid.h"
#include "grid/control/ExGrid_Editors.h"

#include "rtl/Forms.h"

#include <QCalendarWidget>
#include <QDateTimeEdit>
#include <QTextCharFormat>

namespace {

// Common controls 6.0, as the library's file version answers here.
constexpr Integer ComCtlVersion = 6 * 65536;

bool IsTextEditor(TEditorType E)
{
    switch (E) {
    case edNormal: case edNumeric: case edPositiveNumeric: case edFloat: case edCapital: case edMixedCase:
    case edPassword: case edLowerCase: case edUpperCase: case edValidChars: case edPositiveFloat:
        return true;
    default:
        return false;
    }
}

bool IsSpinKind(TEditorType E)
{
    return E == edSpinEdit || E == edFloatSpinEdit || E == edTimeSpinEdit || E == edDateSpinEdit;
}

bool IsEditBtnKind(TEditorType E)
{
    return E == edEditBtn || E == edNumericEditBtn || E == edFloatEditBtn || E == edMaskEditBtn;
}

bool IsUnitBtnKind(TEditorType E)
{
    return E == edUnitEditBtn || E == edNumericUnitEditBtn || E == edFloatUnitEditBtn;
}

// A date, a blank and a time, or a date alone.
bool TryTextToDateTime(const String& S, TDateTime& Value)
{
    const String T = S.trimmed();
    const qsizetype Blank = T.indexOf(u' ');
    if (Blank < 0)
        return TryStrToDate(T, Value);
    TDateTime D = 0, Time = 0;
    if (!TryStrToDate(T.left(Blank), D) || !TryStrToTime(T.mid(Blank + 1), Time))
        return false;
    Value = D + (D < 0 ? -Time : Time);
    return true;
}

// The drop-down calendar as the picker asks: week numbers, today marked
// (the circle), at its minimum size plus 2 pixels each way. The platform's
// calendar has no today line.
void StyleDropDownCalendar(TGridDatePicker* Picker)
{
    QCalendarWidget* Calendar = Picker->DateTimeEdit()->calendarWidget();
    if (!Calendar)
        return;
    Calendar->setVerticalHeaderFormat(Picker->Weeknumbers ? QCalendarWidget::ISOWeekNumbers
                                                          : QCalendarWidget::NoVerticalHeader);
    // Today marked in bold unless the circle is off; the line under the
    // days, showing today's date, unless the today line is off.
    QTextCharFormat Today;
    Today.setFontWeight(Picker->ShowTodayCircle ? QFont::Bold : QFont::Normal);
    Calendar->setDateTextFormat(QDate::currentDate(), Today);
    const QSize Minimum = Calendar->minimumSizeHint();
    Calendar->window()->resize(Minimum + QSize(2, 2));
}

} // namespace

bool DoDatePicker = ComCtlVersion > 262213;

bool IsGridTextEditor(TEditorType E)
{
    return IsTextEditor(E);
}

TColor CellEditorLook(TExStringGrid* Grid, Integer ACol, Integer ARow, TFont* Font, TAlignment* HA)
{
    TGridDrawState State;
    TBrush Brush;
    TFont CellFont;
    TColor ColorTo = clNone, MirrorColor = clNone, MirrorColorTo = clNone;
    TAlignment Align = taLeftJustify;
    TVAlignment VAlign = vtaTop;
    bool WW = Grid->WordWrap();
    TCellGradientDirection GD = GradientVertical;
    Grid->GetVisualProperties(ACol, ARow, State, false, false, true, &Brush, ColorTo, MirrorColor, MirrorColorTo,
                              &CellFont, Align, VAlign, WW, GD);
    if (Font)
        Font->Assign(&CellFont);
    if (HA)
        *HA = Align;
    return Brush.Color();
}

// ---------------------------------------------------------------- the shared editors

void TExStringGrid::CreateSharedEditors()
{
    EditCombo = new TGridCombo(this);
    EditCombo->SetParent(this);
    EditCombo->SetVisible(false);
    EditCombo->SetEnabled(false);
    EditCombo->SetIsWinXP(FIsWinXP);
    EditCombo->SetIsVista(FIsWinVista && FIsComCtl6);
    EditCheck = new TGridCheckBox(this);
    EditCheck->SetParent(this);
    EditCheck->SetVisible(false);
    EditCheck->SetEnabled(false);
    EditBtn = new TGridEditBtn(this);
    EditBtn->SetParent(this);
    EditBtn->SetVisible(false);
    EditBtn->SetEnabled(false);
    EditBtn->SetButtonCaption(QStringLiteral("..."));
    EditBtn->SetBorderStyle(bsNone);
    EditBtn->SetIsWinXP(FIsWinXP);
    UnitEditBtn = new TGridUnitEditBtn(this);
    UnitEditBtn->SetParent(this);
    UnitEditBtn->SetVisible(false);
    UnitEditBtn->SetEnabled(false);
    UnitEditBtn->SetButtonCaption(QStringLiteral("..."));
    UnitEditBtn->SetBorderStyle(bsNone);
    UnitEditBtn->OnUnitChanged = [this](TObject* Sender, const String& NewUnit) { UnitChanged(Sender, NewUnit); };
    GridButton = new TGridButton(this);
    GridButton->SetParent(this);
    GridButton->SetVisible(false);
    GridButton->SetEnabled(false);
    GridButton->OnClick = [this](TObject* Sender) { GridButtonClick(Sender); };
}

TGridSpin* TExStringGrid::GetSpinEdit()
{
    if (!FEditSpin) {
        FEditSpin = new TGridSpin(this);
        FEditSpin->SetParent(this);
        FEditSpin->SetEnabled(false);
        FEditSpin->SetVisible(false);
        FEditSpin->SetBorderStyle(bsNone);
        FEditSpin->SetIsWinXP(FIsWinXP);
    }
    return FEditSpin;
}

TGridDatePicker* TExStringGrid::GetDatePicker()
{
    if (!FEditDate) {
        FEditDate = new TGridDatePicker(this);
        FEditDate->SetParent(this);
        FEditDate->SetEnabled(false);
        FEditDate->SetVisible(false);
        FEditDate->OnCloseUp = [this](TObject* Sender) { DatePickerCloseUp(Sender); };
        FEditDate->OnDropDown = [this](TObject* Sender) { DatePickerDropDown(Sender); };
        FEditDate->OnChange = [this](TObject* Sender) { DatePickerChange(Sender); };
    }
    return FEditDate;
}

TGridDateTimePicker* TExStringGrid::GetDateAndTimePicker()
{
    if (!FEditDateTime) {
        FEditDateTime = new TGridDateTimePicker(this);
        FEditDateTime->SetParent(this);
        FEditDateTime->SetVisible(false);
        FEditDateTime->SetEnabled(false);
        FEditDateTime->SetAutoTab(true);
        FEditDateTime->OnCloseUp = [this](TObject* Sender) { DatePickerCloseUp(Sender); };
        FEditDateTime->OnChange = [this](TObject* Sender) { DateTimePickerChange(Sender); };
    }
    return FEditDateTime;
}

// ---------------------------------------------------------------- choosing the editor

Integer TExStringGrid::GetEditLimit()
{
    return FMaxEditLength;
}

TInplaceEdit* TExStringGrid::CreateEditor()
{
    return new TExInplaceEdit(this);
}

bool TExStringGrid::CanEditShow()
{
    if (FValidating)
        return false;
    bool Result = TBaseGrid::CanEditShow();
    if (IsDesigning())
        return Result;
    const TPoint B = BaseCell(RealColIndex(Col()), Row());
    if (Result && !FSpecialEditor && IsClickControlCell(B.X, B.Y))
        return false;
    // The runtime asks again while the editor shows; the edit began once.
    if (InplaceEditor() && InplaceEditor()->Visible())
        return Result;
    bool Opened = false;
    if (Result && !FSpecialEditor) {
        FNoEditChange = true;
        GetCurrentCell(FCellCache);
        FEditControlType = FDefaultEditor;
        GetCellEditor(B.X, B.Y, FEditControlType);
        if (FEditControlType == edNone)
            return false;
        FEditMode = true;
        Opened = true;
        StoreOldCellText(Col(), Row());
        if (IsTextEditor(FEditControlType)) {
            FShowEditProcess = true;
        } else {
            const TPoint D = BaseCell(Col(), Row());
            ShowEditControl(D.X, D.Y);
            FEntered = true;
            Result = false;
        }
    }
    if (Result) {
        FEntered = true;
        FEditing = true;
    }
    if (Opened && FFocusHelper->Enabled() && FFocusWindow)
        FFocusWindow->SetVisible(true);
    return Result;
}

// ---------------------------------------------------------------- showing an editor

void TExStringGrid::PresentEditor(TWinControl* Editor, TRect R, TColor C, Integer ACol, Integer ARow)
{
    FEditMode = true;
    Editor->SetBounds(R.Left, R.Top, R.Width() - 1, R.Height() - 1);
    Editor->SetVisible(true);
    Editor->SetEnabled(true);
    Editor->SetColor(C);
    DoGetEditorProp(RealColIndex(ACol), ARow, nullptr);
    if (Editor->CanFocus())
        Editor->SetFocus();
    PostStartChar(Editor);
    EditCtrl = Editor;
}

void TExStringGrid::PostStartChar(TWinControl* Editor)
{
    if (FStartEditChar != Char(0))
        PostMessage(Editor->Handle(), WM_CHAR, WPARAM(FStartEditChar.unicode()), 0);
}

void TExStringGrid::ShowEditControl(Integer ACol, Integer ARow)
{
    FEditing = true;
    FSpecialEditor = true;
    FEditActive = true;
    TRect R = CellRect(ACol, ARow);
    if (UseRightToLeftAlignment())
        R.Left += 1;
    const Integer W = R.Width() - 1;
    const Integer H = R.Height() - 1;
    const Integer RealC = RealColIndex(ACol);
    const TColor C = CellEditorLook(this, ACol, ARow, nullptr);
    EditCtrl = nullptr;
    if (FEditControlType != edCustom)
        FLastValidation = true;
    const String Text = GetEditText(ACol, ARow);
    switch (FEditControlType) {
    case edSpinEdit:
    case edFloatSpinEdit:
    case edTimeSpinEdit:
    case edDateSpinEdit:
        ShowSpinEditor(R, Text);
        PresentEditor(FEditSpin, R, C, ACol, ARow);
        if (FSpinUpClick)
            FEditSpin->UpClick(FEditSpin);
        if (FSpinDnClick)
            FEditSpin->DownClick(FEditSpin);
        break;
    case edComboEdit:
    case edComboList:
        ShowComboEditor(R, ACol, ARow, Text);
        break;
    case edEditBtn:
    case edNumericEditBtn:
    case edFloatEditBtn:
    case edMaskEditBtn:
        EditBtn->ReCreate();
        EditBtn->SetEditMask(FEditControlType == edMaskEditBtn ? GetEditMask(ACol, ARow) : String());
        EditBtn->SetText(Text);
        EditBtn->SetMaxLength(GetEditLimit());
        PresentEditor(EditBtn, R, C, ACol, ARow);
        break;
    case edCheckBox:
        EditCheck->ReCreate();
        FEditMode = true;
        EditCheck->SetBounds(R.Left, R.Top, W, H);
        EditCheck->SetCaption(Text);
        EditCheck->SetState(cbUnchecked);
        EditCheck->SetVisible(true);
        EditCheck->SetEnabled(true);
        DoGetEditorProp(RealC, ARow, nullptr);
        EditCheck->SetFocus();
        PostStartChar(EditCheck);
        break;
    case edDateEdit:
    case edDateEditUpDown:
    case edTimeEdit:
        if (DoDatePicker) {
            ShowDatePicker(R, Text);
            PresentEditor(FEditDate, R, C, ACol, ARow);
            if (FEditDate->Height() != H)
                FEditDate->SetHeight(H);
            if (FMouseActions->DirectDateDrop())
                SendMessage(FEditDate->Handle(), WM_KEYDOWN, VK_F4, 0);
        }
        break;
    case edDateTimeEdit:
        if (DoDatePicker) {
            TGridDateTimePicker* Picker = GetDateAndTimePicker();
            TDateTime Value = 0;
            if (!TryTextToDateTime(Text, Value))
                Value = Now();
            FOriginalDateTime = Value;
            Picker->SetKind(dkDateTime);
            Picker->SetDateTime(Value);
            PresentEditor(Picker, R, C, ACol, ARow);
            if (Picker->Height() < H)
                Picker->SetHeight(H);
        }
        break;
    case edButton:
        GridButton->ReCreate();
        GridButton->SetCaption(Text);
        PresentEditor(GridButton, R, C, ACol, ARow);
        GridButton->SetBounds(R.Left - 1, R.Top - 1, W + 2, H + 2);
        break;
    case edUnitEditBtn:
    case edNumericUnitEditBtn:
    case edFloatUnitEditBtn:
        UnitEditBtn->ReCreate();
        UnitEditBtn->SetMaxLength(GetEditLimit());
        UnitEditBtn->SetUnitID(String());
        UnitEditBtn->SetText(String());
        UnitEditBtn->SetTextAndUnit(Text);
        PresentEditor(UnitEditBtn, R, C, ACol, ARow);
        break;
    case edCustom:
        ShowCustomEditor(R, ACol, ARow, C);
        break;
    case edTrackbarDropDown:
    case edMemoDropDown:
    case edCalculatorDropDown:
    case edTimePickerDropDown:
    case edDetailDropDown:
    case edGridDropDown:
    case edColorPickerDropDown:
    case edImagePickerDropDown:
    case edExGridDropDown:
        StartCellEditor(R, ACol, ARow, C);
        break;
    default:
        // The rich editor comes with its control; until then it opens
        // nothing.
        break;
    }
    FStartEditChar = Char(0);
}

void TExStringGrid::ShowSpinEditor(TRect, const String& Text)
{
    TGridSpin* Spin = GetSpinEdit();
    Spin->ReCreate();
    Spin->SetExcelStyleDecimalSeparator(FExcelStyleDecimalSeparator);
    switch (FEditControlType) {
    case edSpinEdit:
        Spin->SetSpinType(sptNormal);
        Spin->SetValue(StrToIntDef(Text.trimmed(), 0));
        break;
    case edFloatSpinEdit: {
        double V = 0;
        if (!TryStrToFloat(PlainNumberText(Text), V))
            V = 0;
        Spin->SetSpinType(sptFloat);
        Spin->SetFloatValue(V);
        break;
    }
    case edTimeSpinEdit:
        Spin->SetSpinType(sptTime);
        Spin->SetText(Text);
        break;
    default: {
        TDateTime D = 0;
        if (Text.isEmpty() || !TryStrToDate(Text, D))
            D = Now();
        Spin->SetSpinType(sptDate);
        Spin->SetDateValue(D);
        break;
    }
    }
}

void TExStringGrid::ShowComboEditor(TRect R, Integer ACol, Integer ARow, const String& Text)
{
    const Integer H = R.Height() - 1;
    TGridCombo* Combo = EditCombo;
    const Integer DropCount = FControlLook->DropDownCount();
    Combo->SetBounds(R.Left, R.Top, 0, 0);
    Combo->SetDroppedDown(false);
    Combo->SetStyle(FEditControlType == edComboEdit ? csDropDown : csDropDownList);
    Combo->SetDropDownCount(DropCount);
    const Integer ItemHeight = H - 6;
    const bool FlatLook = FLook == glSoft || FLook == glQVX || FLook == glXP || FLook == glListView ||
                          FLook == glVista || FLook == glWin7 || FLook == glOffice2007;
    Combo->SetFlat(FlatLook);
    Combo->SetEtched(FlatLook);
    PresentEditor(Combo, R, Combo->Color(), ACol, ARow);
    Combo->SetBounds(R.Left, R.Top, R.Width() - 1, ItemHeight * (DropCount + 1) + H);
    bool RaiseFirst = false;
    if (FEditControlType == edComboEdit) {
        Combo->SetText(Text);
        if (FComboIdx != -1 && Combo->Items()->IndexOf(Text) < 0)
            Combo->SetItemIndex(FComboIdx);
        Combo->SetMaxLength(FMaxComboLength);
    } else {
        const Integer Idx = Combo->Items()->IndexOf(Cells(RealColIndex(ACol), ARow));
        if (Idx >= 0) {
            Combo->SetItemIndex(Idx);
        } else if (FComboIdx == -1) {
            const Integer EditIdx = Combo->Items()->IndexOf(Text);
            Combo->SetItemIndex(EditIdx >= 0 ? EditIdx : 0);
            RaiseFirst = EditIdx < 0 && Combo->Items()->Count() > 0;
        } else {
            Combo->SetItemIndex(FComboIdx);
        }
    }
    if (FNavigation->AutoComboDropSize())
        Combo->SizeDropDownWidth();
    else if (Combo->DropWidth() > 0)
        Combo->SetDropWidth(Combo->DropWidth());
    if (FMouseActions->DirectComboDrop() || FControlLook->DropDownAlwaysVisible())
        Combo->SetDroppedDown(true);
    if (FMouseActions->DirectEdit() && FMouseActions->DirectComboDrop())
        DoSelectionChanged(Col(), Row(), Col(), Row());
    if (Combo->Focused())
        Combo->PlaceCaret();
    if (RaiseFirst) {
        const String First = Combo->Items()->Strings(0);
        if (OnComboChange)
            OnComboChange(this, ACol, ARow, 0, First);
        if (OnComboObjectChange)
            OnComboObjectChange(this, ACol, ARow, 0, First, Combo->Items()->Objects(0));
    }
}

void TExStringGrid::ShowDatePicker(TRect, const String& Text)
{
    TGridDatePicker* Picker = GetDatePicker();
    Picker->SetParent(this);
    Picker->ReCreate();
    const bool Time = FEditControlType == edTimeEdit;
    TDateTime Value = Now();
    if (!Text.isEmpty()) {
        TDateTime Read = 0;
        bool IsDate = false;
        if (OnCustomStrToDate && !Time) {
            Read = Now();
            IsDate = true;
            OnCustomStrToDate(this, Text, Read, IsDate);
        } else {
            IsDate = Time ? TryStrToTime(Text, Read) : TryTextToDateTime(Text, Read);
        }
        if (IsDate && !Time) {
            if (Picker->MaxDate() != 0 && Read > Picker->MaxDate())
                Read = Picker->MaxDate() - 1;
            if (Picker->MinDate() != 0 && Read <= Picker->MinDate())
                Read = Picker->MinDate() + 1;
        }
        if (IsDate)
            Value = Read;
    }
    Picker->SetKind(Time ? dtkTime : dtkDate);
    Picker->SetDateMode(FEditControlType == edDateEditUpDown ? dmUpDown : dmComboBox);
    Picker->SetDateTime(Value);
}

void TExStringGrid::ShowCustomEditor(TRect R, Integer ACol, Integer ARow, TColor C)
{
    if (!FEditLink)
        return;
    FEditMode = true;
    FEditLink->Attach(this, TPoint(ACol, ARow));
    if (FEditLink->EditStyle() == esPopup) {
        FEditLink->ShowPopupForm(R);
        FEditLink->CreateEditor(FEditLink->PopupForm());
        FEditLink->SetRect(TRect(0, 0, FEditLink->PopupWidth(), FEditLink->PopupHeight()));
    } else {
        FEditLink->CreateEditor(this);
        FEditLink->SetRect(R);
    }
    FEditLink->SetVisible(true);
    TFont CellFont;
    CellEditorLook(this, ACol, ARow, &CellFont);
    FEditLink->SetCellProps(C, &CellFont);
    FEditLink->SetProperties();
    DoGetEditorProp(RealColIndex(ACol), ARow, FEditLink);
    FEditLink->SetEditorValue(GetEditText(ACol, ARow));
    FEditLink->SetFocus(true);
    FEditActive = true;
    EditCtrl = FEditLink->GetEditControl();
    if (EditCtrl)
        PostStartChar(EditCtrl);
}

// ---------------------------------------------------------------- committing

void TExStringGrid::CommitSpinEditor(Integer ACol, Integer ARow)
{
    TGridSpin* Spin = FEditSpin;
    const Integer RealC = RealColIndex(ACol);
    if (Spin->AllowEmptyValue() && Trim(Spin->Text()).isEmpty()) {
        EditorToCell(RealC, ARow, String());
        return;
    }
    switch (FEditControlType) {
    case edSpinEdit: SetInts(RealC, ARow, Spin->Value()); break;
    case edFloatSpinEdit: SetFloats(RealC, ARow, Spin->FloatValue()); break;
    case edTimeSpinEdit: EditorToCell(RealC, ARow, Spin->Text()); break;
    default: EditorToCell(RealC, ARow, DateToStr(Spin->DateValue())); break;
    }
}

void TExStringGrid::HideEditControl(Integer ACol, Integer ARow)
{
    if (FDestroying || ComponentState().Contains(csDestroying))
        return;
    FSpecialEditor = false;
    FBlockKill = true;
    FStartEditChar = Char(0);
    const Integer RealC = RealColIndex(ACol);
    auto Close = [this](TWinControl* Editor) {
        if (!Editor)
            return;
        Editor->SetEnabled(false);
        Editor->SetVisible(false);
    };
    const TEditorType Kind = FEditControlType;
    if (IsSpinKind(Kind) && FEditSpin) {
        Close(FEditSpin);
        CommitSpinEditor(ACol, ARow);
    } else if (Kind == edComboEdit || Kind == edComboList) {
        Close(EditCombo);
        if (FEditMode)
            EditorToCell(RealC, ARow, EditCombo->Text());
    } else if (IsEditBtnKind(Kind)) {
        Close(EditBtn);
        if (FEditMode)
            EditorToCell(RealC, ARow, EditBtn->Text());
    } else if (Kind == edCheckBox) {
        Close(EditCheck);
    } else if ((Kind == edDateEdit || Kind == edDateEditUpDown) && FEditDate && DoDatePicker) {
        Close(FEditDate);
        EditorToCell(RealC, ARow, FEditDate->Checked() ? FEditDate->Text() : String());
    } else if (Kind == edTimeEdit && FEditDate && DoDatePicker) {
        Close(FEditDate);
        const String Saved = FormatSettings.LongTimeFormat;
        if (!FEditDate->Format().isEmpty())
            FormatSettings.LongTimeFormat = FEditDate->Format();
        const String Value = TimeToStr(FEditDate->Time());
        FormatSettings.LongTimeFormat = Saved;
        EditorToCell(RealC, ARow, Value);
    } else if (Kind == edButton) {
        Close(GridButton);
    } else if (IsUnitBtnKind(Kind)) {
        Close(UnitEditBtn);
        EditorToCell(RealC, ARow, UnitEditBtn->Text() + UnitEditBtn->UnitID());
    } else if (Kind == edCustom) {
        if (FControlLook->DropDownAlwaysVisible())
            FEditControlType = QueryCellEditor(RealC, ARow);
        if (FEditLink) {
            EditorToCell(RealC, ARow, FEditLink->GetEditorValue());
            if (FEditLink->EditStyle() != esPopup)
                FEditLink->SetVisible(false);
            FEditLink->RestoreWinProc();
        }
    } else if (Kind >= edTrackbarDropDown && Kind <= edExGridDropDown) {
        EndCellEditor(ACol, ARow);
    } else if (Kind == edDateTimeEdit && FEditDateTime && DoDatePicker) {
        Close(FEditDateTime);
        const TDateTime V = FEditDateTime->DateTime();
        EditorToCell(RealC, ARow,
                     FEditDateTime->Checked() ? FormatDateTime(FormatSettings.ShortDateFormat + QStringLiteral(" ") +
                                                                   FormatSettings.ShortTimeFormat,
                                                               V)
                                              : String());
    }
    FEditMode = false;
    if (FEditControlType != edNormal && FEditActive)
        DoEditingDone(RealC, ARow);
    FBlockKill = false;
    FEditActive = false;
    EditCtrl = nullptr;
}

void TExStringGrid::EditorLostFocus()
{
    if (!FBlockKill && !FDestroying && !ComponentState().Contains(csDestroying))
        HideInplaceEdit();
}

void TExStringGrid::HideCellEdit()
{
    HideEditControl(Col(), Row());
}

void TExStringGrid::ShowCellEdit()
{
    SendMessage(Handle(), WM_KEYDOWN, VK_F2, 0);
}

void TExStringGrid::EditorToCell(Integer ACol, Integer ARow, const String& Value)
{
    SetEditText(DisplColIndex(ACol), ARow, Value);
    SetCells(ACol, ARow, Value);
}

void TExStringGrid::RestoreCurrentCell()
{
    const Integer RealC = RealColIndex(Col());
    SetCells(RealC, Row(), FCellCache);
    SetEditText(Col(), Row(), Cells(RealC, Row()));
}

// ---------------------------------------------------------------- the combo item list

void TExStringGrid::ClearComboString()
{
    EditCombo->Items()->Clear();
}

void TExStringGrid::AddComboString(const String& S)
{
    EditCombo->Items()->Add(S);
}

void TExStringGrid::AddComboStringObject(const String& S, TObject* AObject)
{
    EditCombo->Items()->AddObject(S, AObject);
}

bool TExStringGrid::RemoveComboString(const String& S)
{
    const Integer Idx = EditCombo->Items()->IndexOf(S);
    if (Idx < 0)
        return false;
    EditCombo->Items()->Delete(Idx);
    return true;
}

bool TExStringGrid::SetComboSelectionString(const String& S)
{
    const Integer Idx = EditCombo->Items()->IndexOf(S);
    if (Idx < 0)
        return false;
    FComboIdx = Idx;
    return true;
}

void TExStringGrid::SetComboSelection(Integer Idx)
{
    FComboIdx = Idx;
}

Integer TExStringGrid::GetComboCount()
{
    return EditCombo->Items()->Count();
}

Integer TExStringGrid::GetComboIndex(Integer ACol, Integer ARow)
{
    DoGetEditorProp(ACol, ARow, nullptr);
    return EditCombo->Items()->IndexOf(Cells(ACol, ARow));
}

void TExStringGrid::SetComboIndex(Integer ACol, Integer ARow, Integer Value)
{
    DoGetEditorProp(ACol, ARow, nullptr);
    if (Value >= 0 && Value < EditCombo->Items()->Count())
        SetCells(ACol, ARow, EditCombo->Items()->Strings(Value));
}

// ---------------------------------------------------------------- event relays

void TExStringGrid::DateTimePickerChange(TObject*)
{
    if (OnDateTimeChange && FEditDateTime)
        OnDateTimeChange(this, Col(), Row(), FEditDateTime->DateTime());
}

void TExStringGrid::DatePickerChange(TObject*)
{
    if (!OnEditChange || !FEditDate)
        return;
    const bool Time = FEditDate->Kind() == dtkTime;
    OnEditChange(this, Col(), Row(), Time ? TimeToStr(FEditDate->Time()) : DateToStr(FEditDate->Date()));
}

void TExStringGrid::DatePickerCloseUp(TObject*)
{
    if (OnDatePickerCloseUp)
        OnDatePickerCloseUp(this, Row(), Col());
    if (FMouseActions->DirectDateClose())
        HideInplaceEdit();
}

void TExStringGrid::DatePickerDropDown(TObject*)
{
    if (FEditDate)
        StyleDropDownCalendar(FEditDate);
    if (OnDatePickerDropDown)
        OnDatePickerDropDown(this, Row(), Col());
}

void TExStringGrid::GridButtonClick(TObject*)
{
    if (OnButtonClick)
        OnButtonClick(this, Col(), Row());
}

void TExStringGrid::DoGetEditorProp(Integer ACol, Integer ARow, TEditLink* AEditLink)
{
    if (OnGetEditorProp)
        OnGetEditorProp(this, ACol, ARow, AEditLink);
}

bool TExStringGrid::DoCellChanging(Integer OldRow, Integer OldCol, Integer NewRow, Integer NewCol)
{
    bool Allow = true;
    if (OldRow != NewRow && OnRowChanging)
        OnRowChanging(this, OldRow, NewRow, Allow);
    if (OldCol != NewCol && OnColChanging)
        OnColChanging(this, OldCol, NewCol, Allow);
    if ((OldRow != NewRow || OldCol != NewCol) && !FDisableChange && OnCellChanging)
        OnCellChanging(this, OldRow, OldCol, NewRow, NewCol, Allow);
    return Allow;
}

bool TExStringGrid::CanShowFixedDropDown(Integer ACol, Integer ARow)
{
    bool Allow = true;
    if (OnCanShowFixedDropDown)
        OnCanShowFixedDropDown(this, ACol, ARow, Allow);
    return Allow;
}

void TExStringGrid::DisableEditing()
{
    SetOptions(Options() - TGridOptions{goEditing});
}

// ---------------------------------------------------------------- entering a cell

void TExStringGrid::DecideEditing(Integer ACol, Integer ARow)
{
    const Integer C = RealColIndex(ACol);
    const bool EditorOpen = FEditMode || EditorMode();
    auto CloseEditor = [this] {
        if (FSpecialEditor)
            HideEditControl(Col(), Row());
        if (EditorMode())
            HideEditor();
    };
    if (IsClickControlCell(C, ARow)) {
        bool Editable = true;
        CanEditCell(C, ARow, Editable);
        if (!FEditDisable)
            FEditDisable = !Editable && EditingOn();
        if (Editable && !Options().Contains(goEditing) && !Options().Contains(goRowSelect)) {
            FEditChange = true;
            SetOptions(Options() + TGridOptions{goEditing});
        }
        return;
    }
    bool Editable = Options().Contains(goEditing) || FEditDisable;
    CanEditCell(C, ARow, Editable);
    if (FMouseActions->DirectEdit() && HasNoEditor(C, ARow))
        Editable = false;
    if (FMouseActions->EditOnDblClickOnly())
        Editable = false;
    if (Editable) {
        FEditDisable = false;
        if (!Options().Contains(goEditing)) {
            if (!EditorOpen)
                StoreOldCellText(ACol, ARow);
            TGridOptions O = Options();
            if (FMouseActions->RangeSelectAndEdit())
                O.Exclude(goRowSelect);
            O.Include(goEditing);
            FEditChange = true;
            SetOptions(O);
        }
        return;
    }
    CloseEditor();
    if (Options().Contains(goEditing)) {
        FEditChange = true;
        SetOptions(Options() - TGridOptions{goEditing});
        FEditMode = false;
        SetEditorMode(false);
        FEditDisable = true;
    }
}

void TExStringGrid::RepaintRowIndicators(Integer OldRow, Integer NewRow)
{
    if (FRowIndicator->Empty() || TBaseGrid::FixedCols() == 0)
        return;
    RepaintCell(0, OldRow);
    RepaintCell(0, NewRow);
}

bool TExStringGrid::ScrollAboveFooters(Integer ARow)
{
    const Integer FixedR = TBaseGrid::FixedRows();
    auto HiddenBelow = [this, ARow](Integer Covered) {
        const TRect R = CellRect(0, ARow);
        return !IsRectEmpty(R) && R.Bottom > ClientHeight() - Covered;
    };
    auto ScrollOne = [this] {
        if (TopRow() < RowCount() - 1)
            SetTopRow(TopRow() + 1);
    };
    if (FFloatingFooter->Visible()) {
        if (FFloatingFooter->FooterStyle() == fsFixedLastRow) {
            if (ARow >= TopRow() + VisibleRowCount())
                SetTopRow(std::max(FixedR, ARow + FixedR - VisibleRowCount()));
            if (HiddenBelow(RowHeights(RowCount() - 1)))
                ScrollOne();
            if (ARow == RowCount() - 1)
                return false;
        } else {
            UpdateFooter();
            if (HiddenBelow(FFloatingFooter->Height()))
                ScrollOne();
        }
    }
    if (FSearchFooter->Visible()) {
        Integer Before = -1;
        while (HiddenBelow(FSearchPanel->Height()) && TopRow() != Before) {
            Before = TopRow();
            ScrollOne();
        }
    }
    return true;
}

bool TExStringGrid::SelectCell(Integer ACol, Integer ARow)
{
    if (FForceSel) {
        RepaintRowIndicators(Row(), ARow);
        return true;
    }
    if (!Parent())
        return true;
    FEditText = GetEditText(ACol, ARow);
    if (!ScrollAboveFooters(ARow))
        return false;
    if (ACol < 0 || ARow < 0)
        return false;
    const Integer RealC = RealColIndex(ACol);
    if (IsMergedNonBaseCell(RealC, ARow) && !Options().Contains(goRangeSelect)) {
        const TPoint B = BaseCell(RealC, ARow);
        FForceSel = true;
        try {
            SetCol(DisplColIndex(B.X));
            TBaseGrid::SetRow(B.Y);
        } catch (...) {
            FForceSel = false;
            throw;
        }
        FForceSel = false;
        RepaintCell(DisplColIndex(B.X), B.Y);
        if (FMouseActions->DirectEdit())
            ShowInplaceEdit();
        return false;
    }
    if (ARow < RowCount() && FUseEnabledRows && FNavigation->SkipDisabledRows() && !RowEnabled(ARow))
        return false;
    DecideEditing(ACol, ARow);
    bool Result = false;
    const bool OtherEditorOpen = FSpecialEditor && EditCtrl && !(InplaceEditor() && InplaceEditor()->Focused());
    if (!OtherEditorOpen) {
        // An open text edit is validated before another cell becomes current.
        if (FEditing && InplaceEditor() && InplaceEditor()->Visible() && !ValidateCell(InplaceEditor()->Text()))
            return false;
        const bool Allow = DoCellChanging(Row(), Col(), ARow, ACol);
        if (IsFixedCell(RealC, ARow) || !Allow)
            Result = Allow && Options().Contains(goRowSelect);
        else
            Result = TBaseGrid::SelectCell(ACol, ARow);
    } else {
        const String Cached = FCellCache;
        const bool Valid = ValidateCell(EditCtrl->Text());
        const bool Allow = DoCellChanging(Row(), Col(), ARow, ACol);
        Result = Valid && Allow && TBaseGrid::SelectCell(ACol, ARow);
        if (!Result) {
            FCellCache = Cached;
            return false;
        }
        HideEditControl(Col(), Row());
    }
    if (Result)
        AfterCellSelected(ACol, ARow);
    return Result;
}

void TExStringGrid::AfterCellSelected(Integer ACol, Integer ARow)
{
    RepaintRowIndicators(Row(), ARow);
    if (FISelect)
        FISelect->SelectionChanged(ACol, ARow);
    if (FActiveCellShow)
        RepaintActiveCellHeaders(Col(), Row(), ACol, ARow);
    if (ActiveRowShow()) {
        RepaintRow(Row());
        RepaintRow(ARow);
    }
    if (!ComponentState().Contains(csLoading) && ARow != FOldRowSel) {
        if (OnRowUpdate)
            OnRowUpdate(this, FOldRowSel, ARow);
        FOldRowSel = ARow;
    }
    // The previous selection's rectangle and hooked borders go.
    if (FSelectionRectangle || OnGetCellBorder)
        for (Integer R = Selection().Top; R <= Selection().Bottom; ++R)
            RepaintRow(R);
    FCellCache = FEditText;
}
