// The string grid's settings objects (the look objects live in ExGrid_Look.cpp).
#include "grid/control/ExGrid_Settings.h"

#include "grid/base/esgdd.h"

// ---------------------------------------------------------------- drag and drop, balloons

void TDragDropSettings::Assign(TPersistent* Source)
{
    if (const auto* S = dynamic_cast<const TDragDropSettings*>(Source))
        AssignExcept(*this, *S, &TDragDropSettings::FGrid, &TDragDropSettings::OnDropTargetChange);
}

void TDragDropSettings::SetOleDropTarget(bool Value)
{
    if (FOleDropTarget == Value)
        return;
    FOleDropTarget = Value;
    if (OnDropTargetChange)
        OnDropTargetChange(this);
}

void TDragDropSettings::SetOleDropRTF(bool Value)
{
    SetRTFDropEnabled(Value);
    FOleDropRTF = Value;
}

void TDragScrollDelays::Assign(TPersistent* Source)
{
    if (const auto* S = dynamic_cast<const TDragScrollDelays*>(Source))
        *this = *S;
}

void TDragScrollMargins::Assign(TPersistent* Source)
{
    if (const auto* S = dynamic_cast<const TDragScrollMargins*>(Source))
        *this = *S;
}

TDragScrollOptions::TDragScrollOptions()
    : FDelays(std::make_unique<TDragScrollDelays>()), FMargins(std::make_unique<TDragScrollMargins>())
{
}

TDragScrollOptions::~TDragScrollOptions() = default;

void TDragScrollOptions::Assign(TPersistent* Source)
{
    const auto* S = dynamic_cast<const TDragScrollOptions*>(Source);
    if (!S)
        return;
    FMargins->Assign(S->FMargins.get());
    FDelays->Assign(S->FDelays.get());
    FActive = S->FActive;
}

void TBalloonSettings::Assign(TPersistent* Source)
{
    const auto* S = dynamic_cast<const TBalloonSettings*>(Source);
    if (!S)
        return;
    using B = TBalloonSettings;
    CopyMembers(*this, *S, &B::FTextColor, &B::FBackgroundColor, &B::FInitialDelay, &B::FAutoHideDelay,
                &B::FReshowDelay, &B::FEnable);
}

void TBalloonSettings::SetEnable(bool Value)
{
    FEnable = Value;
    if (OnEnableChange)
        OnEnableChange(this);
}

void TShowModified::Assign(TPersistent* Source)
{
    if (const auto* S = dynamic_cast<const TShowModified*>(Source))
        CopyMembers(*this, *S, &TShowModified::FColor, &TShowModified::FEnabled);
}

// ---------------------------------------------------------------- THTMLSettings

THTMLSettings::THTMLSettings() : FColWidths(std::make_unique<TIntList>(0, 0)) {}

THTMLSettings::~THTMLSettings() = default;

void THTMLSettings::Assign(TPersistent* Source)
{
    const auto* S = dynamic_cast<const THTMLSettings*>(Source);
    if (!S)
        return;
    using H = THTMLSettings;
    CopyMembers(*this, *S, &H::FAutoPreview, &H::FBorderSize, &H::FCellSpacing, &H::FCellPadding,
                &H::FConvertSpecialChars, &H::FExportImages, &H::FFooterFile, &H::FHeaderFile, &H::FNonBreakingText,
                &H::FPrefixTag, &H::FSaveColor, &H::FSaveFonts, &H::FSuffixTag, &H::FSummary, &H::FTableStyle,
                &H::FWidth, &H::FXHTML);
}

// ---------------------------------------------------------------- TPrintSettings

TPrintSettings::TPrintSettings(TPersistent* AOwner)
    : FOwner(AOwner), FTitleLines(std::make_unique<TStringList>()), FFont(std::make_unique<TFont>()),
      FFixedFont(std::make_unique<TFont>()), FHeaderFont(std::make_unique<TFont>()),
      FFooterFont(std::make_unique<TFont>())
{
}

TPrintSettings::~TPrintSettings() = default;

void TPrintSettings::Assign(TPersistent* Source)
{
    const auto* S = dynamic_cast<const TPrintSettings*>(Source);
    if (!S)
        return;
    using P = TPrintSettings;
    CopyMembers(*this, *S, &P::FFooterSize, &P::FHeaderSize, &P::FTime, &P::FDate, &P::FDateFormat, &P::FPageNr,
                &P::FTitle, &P::FTitleText, &P::FBorders, &P::FBorderStyle, &P::FBorderColor, &P::FCentered,
                &P::FRepeatFixedRows, &P::FRepeatFixedCols, &P::FLeftSize, &P::FRightSize, &P::FColumnSpacing,
                &P::FRowSpacing, &P::FTitleSpacing, &P::FOrientation, &P::FPagePrefix, &P::FPageSuffix,
                &P::FPageNumberOffset, &P::FMaxPagesOffset, &P::FFixedWidth, &P::FFixedHeight,
                &P::FUseFixedHeight, &P::FUseFixedWidth, &P::FFitToPage, &P::FJobName, &P::FPageNumSep,
                &P::FNoAutoSize, &P::FNoAutoSizeRow, &P::FPrintGraphics, &P::FUseDisplayFont,
                &P::FUseDefaultOrientation);
    FTitleLines->Assign(S->FTitleLines.get());
    FFont->Assign(S->FFont.get());
    FFixedFont->Assign(S->FFixedFont.get());
    FHeaderFont->Assign(S->FHeaderFont.get());
    FFooterFont->Assign(S->FFooterFont.get());
}

// ---------------------------------------------------------------- TSortSettings

TSortSettings::TSortSettings(TPersistent* AOwner)
    : FOwner(AOwner), FUpGlyph(std::make_unique<TBitmap>()), FDownGlyph(std::make_unique<TBitmap>()),
      FIndexUpGlyph(std::make_unique<TBitmap>()), FIndexDownGlyph(std::make_unique<TBitmap>())
{
}

TSortSettings::~TSortSettings() = default;

void TSortSettings::Assign(TPersistent* Source)
{
    const auto* S = dynamic_cast<const TSortSettings*>(Source);
    if (!S)
        return;
    using T = TSortSettings;
    CopyMembers(*this, *S, &T::FShow, &T::FIndexShow, &T::FFull, &T::FSingleColumn, &T::FIgnoreBlanks,
                &T::FBlankPos, &T::FAutoFormat, &T::FDirection, &T::FNormalCellsOnly, &T::FFixedCols, &T::FColumn,
                &T::FRow, &T::FAutoColumnMerge, &T::FIndexColor, &T::FInitSortDirection, &T::FUndoSort,
                &T::FAutoSortForGrouping, &T::FHeaderColor, &T::FHeaderColorTo, &T::FHeaderMirrorColor,
                &T::FHeaderMirrorColorTo, &T::FIndexSortKey);
    FUpGlyph->Assign(S->FUpGlyph.get());
    FDownGlyph->Assign(S->FDownGlyph.get());
    FIndexUpGlyph->Assign(S->FIndexUpGlyph.get());
    FIndexDownGlyph->Assign(S->FIndexDownGlyph.get());
}

// ---------------------------------------------------------------- footer and search panels

void TFloatingFooter::Assign(TPersistent* Source)
{
    const auto* S = dynamic_cast<const TFloatingFooter*>(Source);
    if (!S)
        return;
    using F = TFloatingFooter;
    CopyMembers(*this, *S, &F::FCalculateHiddenRows, &F::FColor, &F::FColumn, &F::FCustomTemplate,
                &F::FFooterStyle);
    SetVisible(S->FVisible);
    FShowHint = S->FShowHint;
}

// ---------------------------------------------------------------- TFilter

void TFilterData::Assign(TPersistent* Source)
{
    const auto* S = dynamic_cast<const TFilterData*>(Source);
    if (!S)
        return;
    using D = TFilterData;
    CopyMembers(*this, *S, &D::FColumn, &D::FCondition, &D::FCaseSensitive, &D::FData, &D::FPrefix, &D::FSuffix,
                &D::FOperation);
}

TFilterData* TFilter::Add()
{
    auto* Item = static_cast<TFilterData*>(TCollection::Add());
    Item->SetOperation(Count() == 1 ? foNONE : foAND);
    return Item;
}

TFilterData* TFilter::Insert(Integer)
{
    return static_cast<TFilterData*>(TCollection::Add());
}

TFilterData* TFilter::GetColFilter(Integer Col)
{
    for (Integer i = 0; i < Count(); ++i)
        if (GetItem(i)->Column() == Col)
            return GetItem(i);
    TFilterData* Item = Add();
    Item->SetColumn(SmallInt(Col));
    return Item;
}

bool TFilter::HasFilter(Integer ACol) const
{
    for (Integer i = 0; i < Count(); ++i)
        if (GetItem(i)->Column() == ACol)
            return true;
    return false;
}

void TFilter::RemoveColumnFilter(Integer Col)
{
    for (Integer i = Count() - 1; i >= 0; --i)
        if (GetItem(i)->Column() == Col)
            Delete(i);
    if (OnColumnFilterRemoved)
        OnColumnFilterRemoved(this, Col);
}

// ---------------------------------------------------------------- TFilterDropDown

TFilterDropDown::TFilterDropDown(TPersistent* AGrid)
    : FGrid(AGrid), FFont(std::make_unique<TFont>()), FGlyph(std::make_unique<TBitmap>()),
      FGlyphActive(std::make_unique<TBitmap>())
{
}

TFilterDropDown::~TFilterDropDown() = default;

void TFilterDropDown::Assign(TPersistent* Source)
{
    const auto* S = dynamic_cast<const TFilterDropDown*>(Source);
    if (!S)
        return;
    using D = TFilterDropDown;
    CopyMembers(*this, *S, &D::FColor, &D::FColumnWidth, &D::FHeight, &D::FWidth);
    FFont->Assign(S->FFont.get());
    FGlyph->Assign(S->FGlyph.get());
    FGlyphActive->Assign(S->FGlyphActive.get());
}

void TFilterDropDown::SetGlyph(TBitmap* Value)
{
    FGlyph->Assign(Value);
    Changed();
}

void TFilterDropDown::SetGlyphActive(TBitmap* Value)
{
    FGlyphActive->Assign(Value);
    Changed();
}

// ---------------------------------------------------------------- TGrouping

void TGrouping::Assign(TPersistent* Source)
{
    const auto* S = dynamic_cast<const TGrouping*>(Source);
    if (!S)
        return;
    using G = TGrouping;
    CopyMembers(*this, *S, &G::FGroupCountFormat, &G::FHeaderColor, &G::FHeaderColorTo, &G::FHeaderTextColor,
                &G::FHeaderUnderline, &G::FMergeHeader, &G::FMergeSummary, &G::FShowGroupCount, &G::FSummaryColor,
                &G::FSummaryColorTo, &G::FSummaryTextColor, &G::FSummaryLine, &G::FAutoCheckGroup,
                &G::FAutoSelectGroup);
}
