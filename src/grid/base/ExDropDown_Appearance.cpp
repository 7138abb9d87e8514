// The header and footer bars of a drop-down editor's pop-up.
#include "grid/base/ExDropDown_Appearance.h"

// ---------------------------------------------------------------- buttons

void TDropDownBarButton::ButtonChanged()
{
    if (auto* Buttons = dynamic_cast<TDropDownBarButtons*>(Collection()); Buttons && Buttons->OnChange)
        Buttons->OnChange(Buttons);
}

void TDropDownBarButton::SetCaption(const String& Value)
{
    if (FCaption == Value)
        return;
    FCaption = Value;
    ButtonChanged();
}

void TDropDownBarButton::SetEnabled(bool Value)
{
    if (FEnabled == Value)
        return;
    FEnabled = Value;
    ButtonChanged();
}

void TDropDownBarButton::SetWidth(Integer Value)
{
    if (FWidth == Value)
        return;
    FWidth = Value;
    ButtonChanged();
}

void TDropDownBarButton::AssignButton(const TDropDownBarButton& Source)
{
    SetCaption(Source.FCaption);
    SetImageIndex(Source.FImageIndex);
    SetEnabled(Source.FEnabled);
    SetWidth(Source.FWidth);
    SetHeight(Source.FHeight);
}

void THeaderButton::Assign(TPersistent* Source)
{
    if (const auto* S = dynamic_cast<const THeaderButton*>(Source))
        AssignButton(*S);
    else
        TDropDownBarButton::Assign(Source);
}

void TFooterButton::Assign(TPersistent* Source)
{
    const auto* S = dynamic_cast<const TFooterButton*>(Source);
    if (!S) {
        TDropDownBarButton::Assign(Source);
        return;
    }
    AssignButton(*S);
    FModalResult = S->FModalResult;
}

// ---------------------------------------------------------------- bars

TDropDownBarAppearance::TDropDownBarAppearance(TPersistent* AOwner, std::unique_ptr<TDropDownBarButtons> AButtons)
    : FOwner(AOwner), FFont(std::make_unique<TFont>()), FButtons(std::move(AButtons))
{
    FButtons->OnChange = [this](TObject*) {
        if (OnButtonsChanged)
            OnButtonsChanged(this);
    };
}

TDropDownBarAppearance::~TDropDownBarAppearance() = default;

void TDropDownBarAppearance::SetVisible(bool Value)
{
    if (FVisible == Value)
        return;
    FVisible = Value;
    if (OnChange)
        OnChange(this);
}

void TDropDownBarAppearance::AssignBarColors(const TDropDownBarAppearance& Source)
{
    using A = TDropDownBarAppearance;
    CopyMembers(*this, Source, &A::FColorTo, &A::FColor, &A::FBorderColor, &A::FGradientDirection);
    FFont->Assign(Source.FFont.get());
}

void TDropDownBarAppearance::AssignBar(const TDropDownBarAppearance& Source)
{
    using A = TDropDownBarAppearance;
    AssignBarColors(Source);
    CopyMembers(*this, Source, &A::FCaption, &A::FImageIndex, &A::FBorderWidth, &A::FHeight);
    SetVisible(Source.FVisible);
    FButtonAlignment = Source.FButtonAlignment;
    FButtons->Assign(Source.FButtons.get());
}

THeaderAppearance::THeaderAppearance(TPersistent* AOwner)
    : TDropDownBarAppearance(AOwner, std::make_unique<THeaderButtons>(AOwner))
{
}

void THeaderAppearance::Assign(TPersistent* Source)
{
    if (const auto* S = dynamic_cast<const THeaderAppearance*>(Source))
        AssignBar(*S);
}

void THeaderAppearance::AssignColors(TPersistent* Source)
{
    if (const auto* S = dynamic_cast<const THeaderAppearance*>(Source))
        AssignBarColors(*S);
}

TFooterAppearance::TFooterAppearance(TPersistent* AOwner)
    : TDropDownBarAppearance(AOwner, std::make_unique<TFooterButtons>(AOwner))
{
}

void TFooterAppearance::Assign(TPersistent* Source)
{
    const auto* S = dynamic_cast<const TFooterAppearance*>(Source);
    if (!S)
        return;
    AssignBar(*S);
    FSizeGrip = S->FSizeGrip;
}

void TFooterAppearance::AssignColors(TPersistent* Source)
{
    if (const auto* S = dynamic_cast<const TFooterAppearance*>(Source))
        AssignBarColors(*S);
}
