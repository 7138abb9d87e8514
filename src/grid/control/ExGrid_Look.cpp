// The look objects of the grid: in-cell controls, levelled progress bars
// and the background, and the grid's side of the look's gradient colours.
#include "grid/control/ExGrid.h"

// ---------------------------------------------------------------- TControlLook

TControlLook::TControlLook(TPersistent* AGrid)
    : FGrid(AGrid), FCheckedGlyph(std::make_unique<TBitmap>()), FUnCheckedGlyph(std::make_unique<TBitmap>()),
      FRadioOnGlyph(std::make_unique<TBitmap>()), FRadioOffGlyph(std::make_unique<TBitmap>())
{
    Init();
    FDropDownHeader = std::make_unique<THeaderAppearance>(AGrid);
    FDropDownFooter = std::make_unique<TFooterAppearance>(AGrid);
}

TControlLook::~TControlLook() = default;

void TControlLook::Init()
{
    FColor = clBlack;
    FCommentColor = clRed;
    FProgressBorderColor = clGray;
    FFixedGradientFrom = clNone;
    FFixedGradientTo = clNone;
    FFixedGradientMirrorFrom = clNone;
    FFixedGradientMirrorTo = clNone;
    FFixedGradientHoverFrom = clGray;
    FFixedGradientHoverTo = clWhite;
    SetFixedGradientHoverMirrorFrom(clNone);
    SetFixedGradientHoverMirrorTo(clNone);
    FFixedGradientHoverBorder = clSilver;
    FFixedGradientDownFrom = clGray;
    FFixedGradientDownTo = clSilver;
    SetFixedGradientDownMirrorFrom(clNone);
    SetFixedGradientDownMirrorTo(clNone);
    FFixedGradientDownBorder = clGray;
}

void TControlLook::Assign(TPersistent* Source)
{
    const auto* S = dynamic_cast<const TControlLook*>(Source);
    if (!S)
        return;
    using L = TControlLook;
    CopyMembers(*this, *S, &L::FCheckSize, &L::FRadioSize, &L::FControlStyle, &L::FProgressMarginX,
                &L::FProgressMarginY, &L::FCommentColor, &L::FColor, &L::FProgressBorderColor,
                &L::FCheckAlwaysActive, &L::FRadioAlwaysActive, &L::FDropDownAlwaysVisible,
                &L::FSpinButtonsAlwaysVisible, &L::FDropDownCount, &L::FHintMaxWidth);
    FCheckedGlyph->Assign(S->FCheckedGlyph.get());
    FUnCheckedGlyph->Assign(S->FUnCheckedGlyph.get());
    FRadioOnGlyph->Assign(S->FRadioOnGlyph.get());
    FRadioOffGlyph->Assign(S->FRadioOffGlyph.get());
    // Through the setters, so the grid's gradient colours follow.
    SetFixedGradientFrom(S->FFixedGradientFrom);
    SetFixedGradientTo(S->FFixedGradientTo);
    SetFixedGradientMirrorFrom(S->FFixedGradientMirrorFrom);
    SetFixedGradientMirrorTo(S->FFixedGradientMirrorTo);
    SetFixedGradientHoverFrom(S->FFixedGradientHoverFrom);
    SetFixedGradientHoverTo(S->FFixedGradientHoverTo);
    SetFixedGradientHoverMirrorFrom(S->FFixedGradientHoverMirrorFrom);
    SetFixedGradientHoverMirrorTo(S->FFixedGradientHoverMirrorTo);
    SetFixedGradientHoverBorder(S->FFixedGradientHoverBorder);
    SetFixedGradientDownFrom(S->FFixedGradientDownFrom);
    SetFixedGradientDownTo(S->FFixedGradientDownTo);
    SetFixedGradientDownMirrorFrom(S->FFixedGradientDownMirrorFrom);
    SetFixedGradientDownMirrorTo(S->FFixedGradientDownMirrorTo);
    SetFixedGradientDownBorder(S->FFixedGradientDownBorder);
    FDropDownFooter->Assign(S->FDropDownFooter.get());
    FDropDownHeader->Assign(S->FDropDownHeader.get());
}

void TControlLook::CopyGlyph(TBitmap& Glyph, TBitmap* Value)
{
    Glyph.Assign(Value);
    Changed();
}

namespace {

bool IsMirrorColor(TFixedGradientColor Role)
{
    switch (Role) {
    case fgMirrorFrom:
    case fgMirrorTo:
    case fgHoverMirrorFrom:
    case fgHoverMirrorTo:
    case fgDownMirrorFrom:
    case fgDownMirrorTo:
        return true;
    default:
        return false;
    }
}

} // namespace

void TControlLook::SetGradient(TColor& Field, TColor Value, TFixedGradientColor Role)
{
    Field = Value;
    // The grid keeps its own colour where the look has none, except for the
    // mirror halves, which clNone switches off.
    if (OnGradientColor && (Value != clNone || IsMirrorColor(Role)))
        OnGradientColor(this, Role, Value);
}

// ---------------------------------------------------------------- TGridProgressAppearance

void TGridProgressAppearance::Assign(TPersistent* Source)
{
    const auto* S = dynamic_cast<const TGridProgressAppearance*>(Source);
    if (!S)
        return;
    const TNotifyEvent Handler = OnChange;
    *this = *S;
    OnChange = Handler;
    Changed();
}

// ---------------------------------------------------------------- TBackGround

TBackGround::TBackGround(TPersistent* AGrid) : FGrid(AGrid), FBitmap(std::make_unique<TBitmap>()) {}

TBackGround::~TBackGround() = default;

void TBackGround::Assign(TPersistent* Source)
{
    const auto* S = dynamic_cast<const TBackGround*>(Source);
    if (!S)
        return;
    using B = TBackGround;
    CopyMembers(*this, *S, &B::FTop, &B::FLeft, &B::FDisplay, &B::FCells, &B::FColor, &B::FColorTo);
    FBitmap->Assign(S->FBitmap.get());
}

void TBackGround::SetBitmap(TBitmap* Value)
{
    FBitmap->Assign(Value);
    Changed();
}

// ---------------------------------------------------------------- the grid's gradient colours

// The look's fixed-cell gradient colours, each into the grid's colour of
// the same role.
void TExStringGrid::GradientColorChanged(TFixedGradientColor Role, TColor Value)
{
    switch (Role) {
    case fgFrom: FQVXGradientFrom = Value; break;
    case fgTo: FQVXGradientTo = Value; break;
    case fgMirrorFrom: FQVXGradientMirrorFrom = Value; break;
    case fgMirrorTo: FQVXGradientMirrorTo = Value; break;
    case fgHoverFrom: FQVXGradientHoverFrom = Value; break;
    case fgHoverTo: FQVXGradientHoverTo = Value; break;
    case fgHoverMirrorFrom: FQVXGradientHoverMirrorFrom = Value; break;
    case fgHoverMirrorTo: FQVXGradientHoverMirrorTo = Value; break;
    case fgHoverBorder: FQVXGradientHoverBorder = Value; break;
    case fgDownFrom: FQVXGradientDownFrom = Value; break;
    case fgDownTo: FQVXGradientDownTo = Value; break;
    case fgDownMirrorFrom: FQVXGradientDownMirrorFrom = Value; break;
    case fgDownMirrorTo: FQVXGradientDownMirrorTo = Value; break;
    case fgDownBorder: FQVXGradientDownBorder = Value; break;
    }
}
