// The grid's settings objects: search footer, navigation, mouse actions,
// bands, synchronised grid and focus helper.
#include "grid/base/ExObj.h"

// ---------------------------------------------------------------- TSearchFooter

TSearchFooter::TSearchFooter(TPersistent*, bool InitDesign) : FFont(std::make_unique<TFont>())
{
    if (!InitDesign)
        return;
    FFindPrevCaption = QStringLiteral("Find &previous");
    FFindNextCaption = QStringLiteral("Find &next");
    FMatchCaseCaption = QStringLiteral("Match case");
    FHighLightCaption = QStringLiteral("Highlight");
    FHintClose = QStringLiteral("Close");
    FHintFindNext = QStringLiteral("Find next occurrence");
    FHintFindPrev = QStringLiteral("Find previous occurrence");
    FHintHighlight = QStringLiteral("Highlight occurrences");
}

TSearchFooter::~TSearchFooter() = default;

void TSearchFooter::Assign(TPersistent* Source)
{
    const auto* S = dynamic_cast<const TSearchFooter*>(Source);
    if (!S)
        return;
    using F = TSearchFooter;
    CopyMembers(*this, *S, &F::FAlwaysHighLight, &F::FColor, &F::FColorTo, &F::FFindNextCaption,
                &F::FFindPrevCaption, &F::FHighLightCaption, &F::FMatchCaseCaption, &F::FHintClose,
                &F::FHintFindNext, &F::FHintFindPrev, &F::FHintHighlight, &F::FShowClose, &F::FShowFindNext,
                &F::FShowFindPrev, &F::FShowHighLight, &F::FShowMatchCase, &F::FSearchActiveColumnOnly,
                &F::FSearchMatchStart, &F::FSearchColumn, &F::FSearchDirection, &F::FSearchHiddenRows,
                &F::FVisible);
    FFont->Assign(S->FFont.get());
}

void TSearchFooter::Changed()
{
    if (OnChange)
        OnChange(this);
}

template <class T>
void TSearchFooter::Store(T& Field, const T& Value, bool Always)
{
    const bool Changes = Field != Value;
    Field = Value;
    if (Changes || Always)
        Changed();
}

void TSearchFooter::SetShowFindPrev(bool Value)
{
    Store(FShowFindPrev, Value, false);
}

void TSearchFooter::SetShowFindNext(bool Value)
{
    Store(FShowFindNext, Value, false);
}

void TSearchFooter::SetFindNextCaption(const String& Value)
{
    Store(FFindNextCaption, Value, true);
}

void TSearchFooter::SetFindPrevCaption(const String& Value)
{
    Store(FFindPrevCaption, Value, true);
}

void TSearchFooter::SetColorTo(TColor Value)
{
    Store(FColorTo, Value, true);
}

void TSearchFooter::SetColor(TColor Value)
{
    Store(FColor, Value, true);
}

void TSearchFooter::SetVisible(bool Value)
{
    Store(FVisible, Value, false);
}

void TSearchFooter::SetAutoThemeAdapt(bool Value)
{
    Store(FAutoThemeAdapt, Value, true);
}

void TSearchFooter::SetShowClose(bool Value)
{
    Store(FShowClose, Value, true);
}

void TSearchFooter::SetShowHighLight(bool Value)
{
    Store(FShowHighLight, Value, false);
}

void TSearchFooter::SetShowMatchCase(bool Value)
{
    Store(FShowMatchCase, Value, false);
}

void TSearchFooter::SetMatchCaseCaption(const String& Value)
{
    Store(FMatchCaseCaption, Value, true);
}

void TSearchFooter::SetHintClose(const String& Value)
{
    Store(FHintClose, Value, true);
}

void TSearchFooter::SetHintFindPrev(const String& Value)
{
    Store(FHintFindPrev, Value, true);
}

void TSearchFooter::SetHintHighlight(const String& Value)
{
    Store(FHintHighlight, Value, true);
}

void TSearchFooter::SetHintFindNext(const String& Value)
{
    Store(FHintFindNext, Value, true);
}

void TSearchFooter::SetHighLightCaption(const String& Value)
{
    Store(FHighLightCaption, Value, true);
}

void TSearchFooter::SetFont(TFont* Value)
{
    FFont->Assign(Value);
    Changed();
}

// ---------------------------------------------------------------- TNavigation

void TNavigation::Assign(TPersistent* Source)
{
    if (const auto* S = dynamic_cast<const TNavigation*>(Source))
        AssignExcept(*this, *S, &TNavigation::FKeepScrollOnSort, &TNavigation::OnChange);
}

void TNavigation::Changed()
{
    if (OnChange)
        OnChange(this);
}

void TNavigation::SetAdvanceInsert(bool Value)
{
    if (FAdvanceInsert == Value)
        return;
    FAdvanceInsert = Value;
    Changed();
}

void TNavigation::SetAdvanceDirection(TAdvanceDirection Value)
{
    if (FAdvanceDirection == Value)
        return;
    FAdvanceDirection = Value;
    Changed();
}

void TNavigation::SetAdvanceAuto(bool Value)
{
    if (FAdvanceAuto == Value)
        return;
    FAdvanceAuto = Value;
    if (Value)
        FAdvanceOnEnter = true;
}

// ---------------------------------------------------------------- TMouseActions

TMouseActions::TMouseActions(TPersistent*) : FFixedComboValues(std::make_unique<TStringList>()) {}

TMouseActions::~TMouseActions() = default;

void TMouseActions::Assign(TPersistent* Source)
{
    const auto* S = dynamic_cast<const TMouseActions*>(Source);
    if (!S)
        return;
    using M = TMouseActions;
    CopyMembers(*this, *S, &M::FColSelect, &M::FRowSelect, &M::FAllSelect, &M::FDirectEdit, &M::FDirectComboDrop,
                &M::FDirectComboClose, &M::FDirectDateClose, &M::FDirectDateDrop, &M::FDisjunctRowSelect,
                &M::FDisjunctColSelect, &M::FAllColumnSize, &M::FAllRowSize, &M::FCaretPositioning,
                &M::FSizeFixedCol, &M::FSizeFixedRow, &M::FDisjunctCellSelect, &M::FFixedRowsEdit,
                &M::FFixedColsEdit, &M::FFixedRowsEditor, &M::FFixedColsEditor, &M::FRangeSelectAndEdit,
                &M::FNoAutoRangeScroll, &M::FPreciseCheckBoxCheck, &M::FPreciseNodeClick, &M::FCheckAllCheck,
                &M::FNodeAllExpandContract, &M::FMoveRowOnNodeClick, &M::FRowSelectPersistent,
                &M::FSelectOnRightClick, &M::FNoScrollOnPartialRow, &M::FWheelIncrement, &M::FWheelAction,
                &M::FAutoSizeColOnDblClick, &M::FDisjunctRowSelectNoCtrl);
}

bool TMouseActions::IsDesigning()
{
    bool Designing = false;
    if (OnIsDesigning)
        OnIsDesigning(this, Designing);
    return Designing;
}

void TMouseActions::SetDisjunct(bool& Field, bool Value)
{
    Field = Value;
    if (!Value || !IsDesigning())
        return;
    for (bool* Other : {&FDisjunctRowSelect, &FDisjunctColSelect, &FDisjunctCellSelect})
        if (Other != &Field)
            *Other = false;
}

void TMouseActions::SetDisjunctRowSelect(bool Value)
{
    SetDisjunct(FDisjunctRowSelect, Value);
}

void TMouseActions::SetDisjunctColSelect(bool Value)
{
    SetDisjunct(FDisjunctColSelect, Value);
}

void TMouseActions::SetDisjunctCellSelect(bool Value)
{
    SetDisjunct(FDisjunctCellSelect, Value);
}

void TMouseActions::SetHotmailRowSelect(bool Value)
{
    FHotmailRowSelect = Value;
    if (Value) {
        FDisjunctRowSelect = true;
        FCheckAllCheck = true;
    }
    if (OnInvalidate)
        OnInvalidate(this);
}

void TMouseActions::SetWheelAction(TWheelAction Value)
{
    if (FWheelAction == Value)
        return;
    FWheelAction = Value;
    if (OnChange)
        OnChange(this);
}

void TMouseActions::SetEditOnDblClickOnly(bool Value)
{
    FEditOnDblClickOnly = Value;
    if (Value && OnDisableEdit)
        OnDisableEdit(this);
}

void TMouseActions::SetFixedComboValues(TStrings* Value)
{
    FFixedComboValues->Assign(Value);
}

// ---------------------------------------------------------------- TBands

void TBands::Assign(TPersistent* Source)
{
    const auto* S = dynamic_cast<const TBands*>(Source);
    if (!S)
        return;
    CopyMembers(*this, *S, &TBands::FActive, &TBands::FPrimaryColor, &TBands::FSecondaryColor,
                &TBands::FPrimaryLength, &TBands::FSecondaryLength, &TBands::FPrint);
    FTotalLength = FPrimaryLength + FSecondaryLength;
}

void TBands::SetActive(bool Value)
{
    if (FActive == Value)
        return;
    FActive = Value;
    if (OnChange)
        OnChange(this);
}

template <class T>
void TBands::StoreWhileActive(T& Field, T Value)
{
    if (Field == Value)
        return;
    Field = Value;
    FTotalLength = FPrimaryLength + FSecondaryLength;
    if (FActive && OnChange)
        OnChange(this);
}

void TBands::SetSecondaryLength(Integer Value)
{
    StoreWhileActive(FSecondaryLength, Value);
}

void TBands::SetPrimaryLength(Integer Value)
{
    StoreWhileActive(FPrimaryLength, Value);
}

void TBands::SetSecondaryColor(TColor Value)
{
    StoreWhileActive(FSecondaryColor, Value);
}

void TBands::SetPrimaryColor(TColor Value)
{
    StoreWhileActive(FPrimaryColor, Value);
}

// ---------------------------------------------------------------- TSyncGrid, TFocusHelper

void TSyncGrid::Assign(TPersistent* Source)
{
    const auto* S = dynamic_cast<const TSyncGrid*>(Source);
    if (!S)
        return;
    SetGrid(S->FGrid);
    CopyMembers(*this, *S, &TSyncGrid::FScrollHorizontal, &TSyncGrid::FScrollVertical, &TSyncGrid::FSelectionRow,
                &TSyncGrid::FSelectionColumn, &TSyncGrid::FMoveRow, &TSyncGrid::FMoveColumn);
}

void TSyncGrid::SetGrid(TStringGrid* Value)
{
    if (Value != FOwner)
        FGrid = Value;
}

void TFocusHelper::Assign(TPersistent* Source)
{
    if (const auto* S = dynamic_cast<const TFocusHelper*>(Source))
        FEnabled = S->FEnabled;
}
