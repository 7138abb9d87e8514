// The grid's look objects as a grid holds them: the values of a new grid,
// the look's gradient colours reaching the grid, copying looks and
// backgrounds between grids.
#include "ExGridTestForm.h"

namespace {

// One fixed-cell gradient colour: the look's setter and getter and the
// grid's colour of the same role.
struct TGradientRole {
    const char* Name;
    void (TControlLook::*Set)(TColor);
    TColor (TControlLook::*Get)() const;
    TColor (TExStringGrid::*GridColor)() const;
    bool Mirror; // a mirror colour passes clNone on as well
};

const TGradientRole GradientRoles[] = {
    {"From", &TControlLook::SetFixedGradientFrom, &TControlLook::FixedGradientFrom, &TExStringGrid::QVXGradientFrom,
     false},
    {"To", &TControlLook::SetFixedGradientTo, &TControlLook::FixedGradientTo, &TExStringGrid::QVXGradientTo, false},
    {"MirrorFrom", &TControlLook::SetFixedGradientMirrorFrom, &TControlLook::FixedGradientMirrorFrom,
     &TExStringGrid::QVXGradientMirrorFrom, true},
    {"MirrorTo", &TControlLook::SetFixedGradientMirrorTo, &TControlLook::FixedGradientMirrorTo,
     &TExStringGrid::QVXGradientMirrorTo, true},
    {"HoverFrom", &TControlLook::SetFixedGradientHoverFrom, &TControlLook::FixedGradientHoverFrom,
     &TExStringGrid::QVXGradientHoverFrom, false},
    {"HoverTo", &TControlLook::SetFixedGradientHoverTo, &TControlLook::FixedGradientHoverTo,
     &TExStringGrid::QVXGradientHoverTo, false},
    {"HoverMirrorFrom", &TControlLook::SetFixedGradientHoverMirrorFrom, &TControlLook::FixedGradientHoverMirrorFrom,
     &TExStringGrid::QVXGradientHoverMirrorFrom, true},
    {"HoverMirrorTo", &TControlLook::SetFixedGradientHoverMirrorTo, &TControlLook::FixedGradientHoverMirrorTo,
     &TExStringGrid::QVXGradientHoverMirrorTo, true},
    {"HoverBorder", &TControlLook::SetFixedGradientHoverBorder, &TControlLook::FixedGradientHoverBorder,
     &TExStringGrid::QVXGradientHoverBorder, false},
    {"DownFrom", &TControlLook::SetFixedGradientDownFrom, &TControlLook::FixedGradientDownFrom,
     &TExStringGrid::QVXGradientDownFrom, false},
    {"DownTo", &TControlLook::SetFixedGradientDownTo, &TControlLook::FixedGradientDownTo,
     &TExStringGrid::QVXGradientDownTo, false},
    {"DownMirrorFrom", &TControlLook::SetFixedGradientDownMirrorFrom, &TControlLook::FixedGradientDownMirrorFrom,
     &TExStringGrid::QVXGradientDownMirrorFrom, true},
    {"DownMirrorTo", &TControlLook::SetFixedGradientDownMirrorTo, &TControlLook::FixedGradientDownMirrorTo,
     &TExStringGrid::QVXGradientDownMirrorTo, true},
    {"DownBorder", &TControlLook::SetFixedGradientDownBorder, &TControlLook::FixedGradientDownBorder,
     &TExStringGrid::QVXGradientDownBorder, false},
};

} // namespace

TEST(ExGridLook, ANewGridsLookProgressAndBackground)
{
    TExGridForm F;
    const TControlLook* L = F.Grid->ControlLook();
    EXPECT_EQ(L->CheckSize(), 15);
    EXPECT_EQ(L->RadioSize(), 10);
    EXPECT_EQ(L->DropDownCount(), 8);
    EXPECT_EQ(L->ControlStyle(), csTheme);
    EXPECT_EQ(L->ProgressMarginX(), 2);
    EXPECT_EQ(L->ProgressMarginY(), 2);
    EXPECT_EQ(L->CommentColor(), clRed);
    EXPECT_EQ(L->Color(), clBlack);
    EXPECT_EQ(L->ProgressBorderColor(), clGray);
    EXPECT_TRUE(L->CheckedGlyph()->Empty());
    ASSERT_NE(L->DropDownHeader(), nullptr);
    ASSERT_NE(L->DropDownFooter(), nullptr);
    // The hover and pressed pairs start crosswise to their declared defaults.
    const std::pair<TColor, TColor> Initial[] = {
        {L->FixedGradientFrom(), clNone},        {L->FixedGradientTo(), clNone},
        {L->FixedGradientMirrorFrom(), clNone},  {L->FixedGradientMirrorTo(), clNone},
        {L->FixedGradientHoverFrom(), clGray},   {L->FixedGradientHoverTo(), clWhite},
        {L->FixedGradientHoverBorder(), clSilver}, {L->FixedGradientDownFrom(), clGray},
        {L->FixedGradientDownTo(), clSilver},    {L->FixedGradientDownBorder(), clGray},
    };
    for (const auto& [Got, Want] : Initial)
        EXPECT_EQ(Got, Want);

    const TGridProgressAppearance* P = F.Grid->ProgressAppearance();
    EXPECT_EQ(P->CompleteColor(), clRed);
    EXPECT_EQ(P->UnCompleteColor(), clNone);
    EXPECT_EQ(P->Level1Perc(), 70);
    EXPECT_EQ(P->Steps(), 11);
    EXPECT_EQ(P->Style(), psXP);

    const TBackGround* B = F.Grid->BackGround();
    EXPECT_EQ(B->Display(), bdTile);
    EXPECT_EQ(B->Cells(), bcNormal);
    EXPECT_EQ(B->Color(), clWindow);
    EXPECT_EQ(B->ColorTo(), clBtnFace);
    EXPECT_EQ(B->Top(), 0);
    EXPECT_EQ(B->Left(), 0);
    EXPECT_TRUE(B->Bitmap()->Empty());
}

TEST(ExGridLook, EveryGradientColourReachesTheGridsColourOfItsRole)
{
    for (const TGradientRole& Role : GradientRoles) {
        TExGridForm F;
        TControlLook* L = F.Grid->ControlLook();
        (L->*Role.Set)(clRed);
        EXPECT_EQ((F.Grid->*Role.GridColor)(), clRed) << Role.Name;
        (L->*Role.Set)(clNone);
        EXPECT_EQ((L->*Role.Get)(), clNone) << Role.Name;
        EXPECT_EQ((F.Grid->*Role.GridColor)(), Role.Mirror ? clNone : clRed) << Role.Name;
    }
}

TEST(ExGridLook, AssigningALookCarriesTheGradientsIntoTheTargetGrid)
{
    TExGridForm Source, Target;
    for (const TGradientRole& Role : GradientRoles)
        (Source.Grid->ControlLook()->*Role.Set)(clTeal);
    Source.Grid->ControlLook()->SetFlatButton(true);
    Source.Grid->ControlLook()->SetProgressXP(true);
    Source.Grid->ControlLook()->SetCheckSize(20);
    Target.Grid->ControlLook()->Assign(Source.Grid->ControlLook());
    for (const TGradientRole& Role : GradientRoles) {
        EXPECT_EQ((Target.Grid->ControlLook()->*Role.Get)(), clTeal) << Role.Name;
        EXPECT_EQ((Target.Grid->*Role.GridColor)(), clTeal) << Role.Name;
    }
    EXPECT_EQ(Target.Grid->ControlLook()->CheckSize(), 20);
    EXPECT_FALSE(Target.Grid->ControlLook()->FlatButton());
    EXPECT_FALSE(Target.Grid->ControlLook()->ProgressXP());
}

TEST(ExGridLook, TheBackgroundSetterCopiesAllSevenValuesAndThePicture)
{
    TExGridForm F;
    TBackGround Other(nullptr);
    Other.SetTop(3);
    Other.SetLeft(4);
    Other.SetDisplay(bdGradientVert);
    Other.SetCells(bcAll);
    Other.SetColor(clRed);
    Other.SetColorTo(clBlue);
    TBitmap Picture;
    Picture.SetWidth(5);
    Picture.SetHeight(6);
    Other.SetBitmap(&Picture);
    F.Grid->SetBackGround(&Other);
    const TBackGround* B = F.Grid->BackGround();
    EXPECT_NE(B, &Other);
    EXPECT_EQ(B->Top(), 3);
    EXPECT_EQ(B->Left(), 4);
    EXPECT_EQ(B->Display(), bdGradientVert);
    EXPECT_EQ(B->Cells(), bcAll);
    EXPECT_EQ(B->Color(), clRed);
    EXPECT_EQ(B->ColorTo(), clBlue);
    EXPECT_EQ(B->Bitmap()->Width(), 5);
    EXPECT_EQ(B->Bitmap()->Height(), 6);
    EXPECT_NE(B->Bitmap(), Other.Bitmap()) << "copied, not shared";
}

TEST(ExGridLook, TheProgressSetterNotifiesOnce)
{
    TExGridForm F;
    TGridProgressAppearance Other;
    Other.SetSteps(5);
    Other.SetStyle(psClassic);
    Integer Changes = 0;
    const TNotifyEvent GridRepaint = F.Grid->ProgressAppearance()->OnChange;
    F.Grid->ProgressAppearance()->OnChange = [&](TObject* Sender) {
        ++Changes;
        GridRepaint(Sender);
    };
    F.Grid->SetProgressAppearance(&Other);
    EXPECT_EQ(Changes, 1);
    EXPECT_EQ(F.Grid->ProgressAppearance()->Steps(), 5);
    EXPECT_EQ(F.Grid->ProgressAppearance()->Style(), psClassic);
    F.Grid->ProgressAppearance()->SetSteps(5);
    EXPECT_EQ(Changes, 1) << "an unchanged value";
}
