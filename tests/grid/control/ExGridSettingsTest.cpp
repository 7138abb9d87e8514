// The string grid's look and settings objects: defaults, what notifies the
// grid, Init of the control look and the Assign lists.
#include "grid/control/ExGrid_Settings.h"

#include "grid/SettingsTestSupport.h"

#include <algorithm>
#include <utility>

namespace {

// The colours the look passed to the grid, by role.
struct TGradientLog {
    std::vector<std::pair<TFixedGradientColor, TColor>> Passed;
    TFixedGradientColorEvent Event()
    {
        return [this](TObject*, TFixedGradientColor Role, TColor Value) { Passed.emplace_back(Role, Value); };
    }
};

} // namespace

TEST(ControlLook, InitialValues)
{
    TControlLook L(nullptr);
    ExpectDefaults<TControlLook>(
        L, {DEFAULT_OF(TControlLook, Color, clBlack), DEFAULT_OF(TControlLook, CommentColor, clRed),
            DEFAULT_OF(TControlLook, FixedGradientFrom, clNone), DEFAULT_OF(TControlLook, FixedGradientTo, clNone),
            DEFAULT_OF(TControlLook, FixedGradientMirrorFrom, clNone),
            DEFAULT_OF(TControlLook, FixedGradientMirrorTo, clNone),
            DEFAULT_OF(TControlLook, FixedGradientHoverFrom, clGray),
            DEFAULT_OF(TControlLook, FixedGradientHoverTo, clWhite),
            DEFAULT_OF(TControlLook, FixedGradientHoverMirrorFrom, clNone),
            DEFAULT_OF(TControlLook, FixedGradientHoverMirrorTo, clNone),
            DEFAULT_OF(TControlLook, FixedGradientHoverBorder, clSilver),
            DEFAULT_OF(TControlLook, FixedGradientDownFrom, clGray),
            DEFAULT_OF(TControlLook, FixedGradientDownTo, clSilver),
            DEFAULT_OF(TControlLook, FixedGradientDownMirrorFrom, clNone),
            DEFAULT_OF(TControlLook, FixedGradientDownMirrorTo, clNone),
            DEFAULT_OF(TControlLook, FixedGradientDownBorder, clGray),
            DEFAULT_OF(TControlLook, FixedDropDownButton, false), DEFAULT_OF(TControlLook, HintMaxWidth, 0),
            DEFAULT_OF(TControlLook, CheckSize, 15), DEFAULT_OF(TControlLook, CheckAlwaysActive, false),
            DEFAULT_OF(TControlLook, RadioSize, 10), DEFAULT_OF(TControlLook, RadioAlwaysActive, false),
            DEFAULT_OF(TControlLook, ControlStyle, csTheme),
            DEFAULT_OF(TControlLook, DropDownAlwaysVisible, false), DEFAULT_OF(TControlLook, DropDownCount, 8),
            DEFAULT_OF(TControlLook, SpinButtonsAlwaysVisible, false), DEFAULT_OF(TControlLook, FlatButton, false),
            DEFAULT_OF(TControlLook, NoDisabledCheckRadioLook, false),
            DEFAULT_OF(TControlLook, NoDisabledButtonLook, false),
            DEFAULT_OF(TControlLook, ProgressBorderColor, clGray), DEFAULT_OF(TControlLook, ProgressMarginX, 2),
            DEFAULT_OF(TControlLook, ProgressMarginY, 2), DEFAULT_OF(TControlLook, ProgressXP, false)});
    EXPECT_TRUE(L.CheckedGlyph()->Empty());
    EXPECT_TRUE(L.RadioOffGlyph()->Empty());
    // The drop-down bars as their own class makes them.
    EXPECT_TRUE(L.DropDownHeader()->Visible());
    EXPECT_EQ(L.DropDownHeader()->Height(), 22);
    EXPECT_TRUE(L.DropDownFooter()->SizeGrip());
}

TEST(ControlLook, InitResetsOnlyTheColours)
{
    TControlLook L(nullptr);
    TBitmap Glyph(5, 5);
    L.SetCheckedGlyph(&Glyph);
    L.SetCheckSize(20);
    L.SetControlStyle(csFlat);
    L.SetColor(clBlue);
    L.SetCommentColor(clBlue);
    L.SetProgressBorderColor(clRed);
    L.SetFixedGradientFrom(clRed);
    L.SetFixedGradientHoverFrom(clBlue);
    L.SetFixedGradientDownMirrorTo(clRed);
    L.SetFixedGradientDownBorder(clWhite);

    TGradientLog Log;
    L.OnGradientColor = Log.Event();
    L.Init();
    EXPECT_EQ(L.Color(), clBlack);
    EXPECT_EQ(L.CommentColor(), clRed);
    EXPECT_EQ(L.ProgressBorderColor(), clGray);
    EXPECT_EQ(L.FixedGradientFrom(), clNone);
    EXPECT_EQ(L.FixedGradientHoverFrom(), clGray);
    EXPECT_EQ(L.FixedGradientDownMirrorTo(), clNone);
    EXPECT_EQ(L.FixedGradientDownBorder(), clGray);
    EXPECT_EQ(L.CheckSize(), 20);
    EXPECT_EQ(L.ControlStyle(), csFlat);
    EXPECT_EQ(L.CheckedGlyph()->Width(), 5);
    // The hover and pressed mirror colours go through their setters and
    // so reach the grid.
    const std::vector<std::pair<TFixedGradientColor, TColor>> Expected = {
        {fgHoverMirrorFrom, clNone}, {fgHoverMirrorTo, clNone}, {fgDownMirrorFrom, clNone}, {fgDownMirrorTo, clNone}};
    EXPECT_EQ(Log.Passed, Expected);
}

TEST(ControlLook, GradientSettersPassColoursToTheGridAndRepaintNothing)
{
    TControlLook L(nullptr);
    TGradientLog Log;
    TNoticeCounter Repaints;
    L.OnGradientColor = Log.Event();
    L.OnChange = Repaints.Event();

    L.SetFixedGradientFrom(clNone);
    EXPECT_TRUE(Log.Passed.empty());
    EXPECT_EQ(L.FixedGradientFrom(), clNone);
    L.SetFixedGradientFrom(clRed);
    L.SetFixedGradientTo(clBlue);
    L.SetFixedGradientHoverBorder(clNone);
    L.SetFixedGradientDownTo(clNone);
    L.SetFixedGradientMirrorFrom(clNone);
    L.SetFixedGradientHoverMirrorTo(clGray);
    const std::vector<std::pair<TFixedGradientColor, TColor>> Expected = {
        {fgFrom, clRed}, {fgTo, clBlue}, {fgMirrorFrom, clNone}, {fgHoverMirrorTo, clGray}};
    EXPECT_EQ(Log.Passed, Expected);
    EXPECT_EQ(L.FixedGradientHoverBorder(), clNone);
    EXPECT_EQ(Repaints.Count, 0);
}

TEST(ControlLook, DrawnValuesRepaintAndKeptValuesOnlyStore)
{
    TControlLook L(nullptr);
    TNoticeCounter Repaints;
    L.OnChange = Repaints.Event();
    TBitmap Glyph(3, 3);
    const std::vector<std::function<void()>> Repainting = {
        [&] { L.SetCheckSize(15); }, [&] { L.SetColor(clBlack); }, [&] { L.SetControlStyle(csTheme); },
        [&] { L.SetDropDownAlwaysVisible(true); }, [&] { L.SetSpinButtonsAlwaysVisible(true); },
        [&] { L.SetCommentColor(clBlue); }, [&] { L.SetFlatButton(true); },
        [&] { L.SetNoDisabledCheckRadioLook(true); }, [&] { L.SetNoDisabledButtonLook(true); },
        [&] { L.SetProgressMarginX(3); }, [&] { L.SetProgressMarginY(3); }, [&] { L.SetProgressXP(true); },
        [&] { L.SetRadioSize(12); }, [&] { L.SetCheckedGlyph(&Glyph); }, [&] { L.SetUnCheckedGlyph(&Glyph); },
        [&] { L.SetRadioOnGlyph(&Glyph); }, [&] { L.SetRadioOffGlyph(&Glyph); }};
    for (size_t i = 0; i < Repainting.size(); ++i) {
        Repainting[i]();
        EXPECT_EQ(Repaints.Count, Integer(i + 1)) << "setter " << i;
    }
    Repaints.Count = 0;
    L.SetDropDownCount(12);
    L.SetFixedDropDownButton(true);
    L.SetHintMaxWidth(200);
    L.SetCheckAlwaysActive(true);
    L.SetRadioAlwaysActive(true);
    L.SetProgressBorderColor(clRed);
    THeaderAppearance Header(nullptr);
    Header.SetCaption("h");
    L.SetDropDownHeader(&Header);
    EXPECT_EQ(Repaints.Count, 0);
    EXPECT_EQ(L.DropDownHeader()->Caption(), "h");
    EXPECT_NE(L.DropDownHeader(), &Header);
}

TEST(ControlLook, AssignCopiesItsListButNotTheFlatAndDisabledLooks)
{
    TControlLook Source(nullptr);
    TBitmap Glyph(6, 6);
    Source.SetCheckSize(17);
    Source.SetRadioSize(11);
    Source.SetControlStyle(csGlyph);
    Source.SetRadioOnGlyph(&Glyph);
    Source.SetProgressMarginX(5);
    Source.SetCommentColor(clBlue);
    Source.SetCheckAlwaysActive(true);
    Source.SetDropDownCount(3);
    Source.SetHintMaxWidth(99);
    Source.SetFixedGradientFrom(clRed);
    Source.SetFixedGradientHoverTo(clBlue);
    Source.SetFixedGradientDownMirrorFrom(clYellow);
    Source.SetFixedGradientDownBorder(clWhite);
    Source.DropDownFooter()->SetCaption("f");
    Source.SetFlatButton(true);
    Source.SetProgressXP(true);
    Source.SetNoDisabledButtonLook(true);
    Source.SetFixedDropDownButton(true);

    TControlLook Target(nullptr);
    TNoticeCounter Repaints;
    TGradientLog Log;
    Target.OnChange = Repaints.Event();
    Target.OnGradientColor = Log.Event();
    Target.Assign(&Source);
    EXPECT_EQ(Target.CheckSize(), 17);
    EXPECT_EQ(Target.RadioSize(), 11);
    EXPECT_EQ(Target.ControlStyle(), csGlyph);
    EXPECT_EQ(Target.RadioOnGlyph()->Width(), 6);
    EXPECT_EQ(Target.ProgressMarginX(), 5);
    EXPECT_EQ(Target.CommentColor(), clBlue);
    EXPECT_TRUE(Target.CheckAlwaysActive());
    EXPECT_EQ(Target.DropDownCount(), 3);
    EXPECT_EQ(Target.HintMaxWidth(), 99);
    EXPECT_EQ(Target.FixedGradientFrom(), clRed);
    EXPECT_EQ(Target.FixedGradientHoverTo(), clBlue);
    EXPECT_EQ(Target.FixedGradientDownMirrorFrom(), clYellow);
    EXPECT_EQ(Target.FixedGradientDownBorder(), clWhite);
    EXPECT_EQ(Target.DropDownFooter()->Caption(), "f");
    EXPECT_FALSE(Target.FlatButton());
    EXPECT_FALSE(Target.ProgressXP());
    EXPECT_FALSE(Target.NoDisabledButtonLook());
    EXPECT_FALSE(Target.FixedDropDownButton());
    EXPECT_EQ(Repaints.Count, 0);
    // The grid's gradient colours follow the copied ones.
    EXPECT_NE(std::find(Log.Passed.begin(), Log.Passed.end(), std::make_pair(fgFrom, clRed)), Log.Passed.end());

    const TColor Before = Target.Color();
    TBackGround Other(nullptr);
    Target.Assign(&Other);
    EXPECT_EQ(Target.Color(), Before);
}

TEST(GridProgressAppearance, NotifiesOnlyChangesAndAssignsOnce)
{
    TGridProgressAppearance P;
    ExpectDefaults<TGridProgressAppearance>(
        P, {DEFAULT_OF(TGridProgressAppearance, CompleteColor, clRed),
            DEFAULT_OF(TGridProgressAppearance, CompleteFontColor, clBlue),
            DEFAULT_OF(TGridProgressAppearance, UnCompleteColor, clNone),
            DEFAULT_OF(TGridProgressAppearance, UnCompleteFontColor, clWindowText),
            DEFAULT_OF(TGridProgressAppearance, Level0Color, 0x00FF00),
            DEFAULT_OF(TGridProgressAppearance, Level0ColorTo, 0xE1FFE1),
            DEFAULT_OF(TGridProgressAppearance, Level1Color, 0x00FFFF),
            DEFAULT_OF(TGridProgressAppearance, Level1ColorTo, 0xCAFFFF),
            DEFAULT_OF(TGridProgressAppearance, Level2Color, 0x53A9FF),
            DEFAULT_OF(TGridProgressAppearance, Level2ColorTo, 0xA8D3FF),
            DEFAULT_OF(TGridProgressAppearance, Level3Color, 0x0000FF),
            DEFAULT_OF(TGridProgressAppearance, Level3ColorTo, 0xCACAFF),
            DEFAULT_OF(TGridProgressAppearance, Level1Perc, 70), DEFAULT_OF(TGridProgressAppearance, Level2Perc, 90),
            DEFAULT_OF(TGridProgressAppearance, BorderColor, clBlack),
            DEFAULT_OF(TGridProgressAppearance, ShowBorder, false),
            DEFAULT_OF(TGridProgressAppearance, Stacked, false),
            DEFAULT_OF(TGridProgressAppearance, ShowPercentage, true),
            DEFAULT_OF(TGridProgressAppearance, CompletionSmooth, true),
            DEFAULT_OF(TGridProgressAppearance, ShowGradient, true), DEFAULT_OF(TGridProgressAppearance, Steps, 11),
            DEFAULT_OF(TGridProgressAppearance, Style, psXP)});

    TNoticeCounter Changes;
    P.OnChange = Changes.Event();
    P.SetLevel1Perc(70);
    P.SetStyle(psXP);
    EXPECT_EQ(Changes.Count, 0);
    P.SetLevel1Perc(60);
    P.SetStyle(psClassic);
    EXPECT_EQ(Changes.Count, 2);

    TGridProgressAppearance Target;
    TNoticeCounter TargetChanges;
    Target.OnChange = TargetChanges.Event();
    Target.Assign(&P);
    EXPECT_EQ(TargetChanges.Count, 1);
    EXPECT_EQ(Target.Level1Perc(), 60);
    EXPECT_EQ(Target.Style(), psClassic);
    // The target keeps its own handler.
    Target.SetSteps(3);
    EXPECT_EQ(TargetChanges.Count, 2);
    EXPECT_EQ(Changes.Count, 2);
}

// The defaults of the holders whose values the grid and its data services
// read before anything sets them.
TEST(GridSettings, DefaultsOfTheHolders)
{
    TBackGround Back(nullptr);
    ExpectDefaults<TBackGround>(
        Back, {DEFAULT_OF(TBackGround, Top, 0), DEFAULT_OF(TBackGround, Left, 0),
               DEFAULT_OF(TBackGround, Display, bdTile), DEFAULT_OF(TBackGround, Cells, bcNormal),
               DEFAULT_OF(TBackGround, Color, clWindow), DEFAULT_OF(TBackGround, ColorTo, clBtnFace)});
    EXPECT_TRUE(Back.Bitmap()->Empty());

    TDragDropSettings Drag(nullptr);
    using D = TDragDropSettings;
    ExpectDefaults<D>(
        Drag, {DEFAULT_OF(D, OleDropTarget, false), DEFAULT_OF(D, OleDropSource, false),
               DEFAULT_OF(D, OleAcceptText, true), DEFAULT_OF(D, OleAcceptFiles, true),
               DEFAULT_OF(D, OleAcceptURLs, true), DEFAULT_OF(D, OleDropRTF, false),
               DEFAULT_OF(D, OleEntireRows, false), DEFAULT_OF(D, OleInsertRows, false),
               DEFAULT_OF(D, OleRemoveRows, false), DEFAULT_OF(D, OleAppendRows, false),
               DEFAULT_OF(D, OleCopyAlways, false), DEFAULT_OF(D, OleColumnDragDrop, false),
               DEFAULT_OF(D, OleColumnReorder, false), DEFAULT_OF(D, OleColumnsOnly, false),
               DEFAULT_OF(D, ShowCells, true)});

    TDragScrollOptions Scroll;
    EXPECT_FALSE(Scroll.Active());
    EXPECT_EQ(Scroll.Delays()->InitialDelay(), 1000);
    EXPECT_EQ(Scroll.Delays()->RepeatDelay(), 250);
    for (Integer Margin : {Scroll.Margins()->TopMargin(), Scroll.Margins()->BottomMargin(),
                           Scroll.Margins()->LeftMargin(), Scroll.Margins()->RightMargin()})
        EXPECT_EQ(Margin, 50);

    TBalloonSettings Balloon;
    ExpectDefaults<TBalloonSettings>(
        Balloon, {DEFAULT_OF(TBalloonSettings, Enable, false), DEFAULT_OF(TBalloonSettings, InitialDelay, -1),
                  DEFAULT_OF(TBalloonSettings, ReshowDelay, -1), DEFAULT_OF(TBalloonSettings, AutoHideDelay, -1),
                  DEFAULT_OF(TBalloonSettings, BackgroundColor, clNone),
                  DEFAULT_OF(TBalloonSettings, TextColor, clNone), DEFAULT_OF(TBalloonSettings, Transparency, 0)});

    TShowModified Modified;
    EXPECT_FALSE(Modified.Enabled());
    EXPECT_EQ(Modified.Color(), clYellow);

    TScrollControl ScrollControl(nullptr);
    EXPECT_EQ(ScrollControl.Color(), clSilver);
    EXPECT_EQ(ScrollControl.ScrollWidth(), 4);
    EXPECT_EQ(ScrollControl.Direction(), sdVertical);

    THTMLSettings Html;
    ExpectDefaults<THTMLSettings>(
        Html, {DEFAULT_OF(THTMLSettings, SaveColor, true), DEFAULT_OF(THTMLSettings, SaveFonts, true),
               DEFAULT_OF(THTMLSettings, BorderSize, 1), DEFAULT_OF(THTMLSettings, CellSpacing, 0),
               DEFAULT_OF(THTMLSettings, CellPadding, 0), DEFAULT_OF(THTMLSettings, Width, 100),
               DEFAULT_OF(THTMLSettings, ExportImages, true)});
    EXPECT_EQ(Html.ColWidths()->Count(), 0);

    TPrintSettings Print(nullptr);
    using P = TPrintSettings;
    ExpectDefaults<P>(
        Print, {DEFAULT_OF(P, Time, ppNone), DEFAULT_OF(P, DateFormat, "dd/mm/yyyy"), DEFAULT_OF(P, PageNr, ppNone),
                DEFAULT_OF(P, Borders, pbSingle), DEFAULT_OF(P, BorderStyle, psSolid),
                DEFAULT_OF(P, BorderColor, clBlack), DEFAULT_OF(P, Centered, true),
                DEFAULT_OF(P, Orientation, poPortrait), DEFAULT_OF(P, FitToPage, fpNever),
                DEFAULT_OF(P, PageNumSep, "/"), DEFAULT_OF(P, UseDisplayFont, true),
                DEFAULT_OF(P, PrintGraphics, false), DEFAULT_OF(P, FixedCellsAlways, false)});

    TSortSettings Sort(nullptr);
    using S = TSortSettings;
    ExpectDefaults<S>(Sort, {DEFAULT_OF(S, Show, false), DEFAULT_OF(S, IndexShow, false),
                             DEFAULT_OF(S, Column, -1), DEFAULT_OF(S, Row, 0),
                             DEFAULT_OF(S, Direction, sdAscending), DEFAULT_OF(S, FixedCols, false),
                             DEFAULT_OF(S, IndexColor, clYellow), DEFAULT_OF(S, HeaderColor, clNone),
                             DEFAULT_OF(S, HeaderColorTo, clNone), DEFAULT_OF(S, HeaderMirrorColor, clNone),
                             DEFAULT_OF(S, HeaderMirrorColorTo, clNone), DEFAULT_OF(S, Full, true),
                             DEFAULT_OF(S, AutoFormat, true), DEFAULT_OF(S, SortOnVirtualCells, true),
                             DEFAULT_OF(S, IndexSortKey, ikShift)});
    EXPECT_TRUE(Sort.GetUpGlyph()->Empty());
    EXPECT_TRUE(Sort.GetDownGlyph()->Empty());

    TFloatingFooter Footer(nullptr, 22);
    using F = TFloatingFooter;
    ExpectDefaults<F>(Footer, {DEFAULT_OF(F, Height, 22), DEFAULT_OF(F, Visible, false),
                               DEFAULT_OF(F, Color, clBtnFace), DEFAULT_OF(F, FooterStyle, fsFixedLastRow),
                               DEFAULT_OF(F, Column, 0), DEFAULT_OF(F, CustomTemplate, ""),
                               DEFAULT_OF(F, CalculateHiddenRows, true), DEFAULT_OF(F, EnableCalculation, true),
                               DEFAULT_OF(F, ShowHint, false), DEFAULT_OF(F, BorderColor, clNone)});

    TFilterDropDown DropDown(nullptr);
    ExpectDefaults<TFilterDropDown>(
        DropDown, {DEFAULT_OF(TFilterDropDown, AutoSize, false), DEFAULT_OF(TFilterDropDown, Height, 150),
                   DEFAULT_OF(TFilterDropDown, Width, 150), DEFAULT_OF(TFilterDropDown, Color, clWindow),
                   DEFAULT_OF(TFilterDropDown, ColumnWidth, false)});

    TGrouping Grouping(nullptr);
    using G = TGrouping;
    ExpectDefaults<G>(Grouping, {DEFAULT_OF(G, AutoCheckGroup, false), DEFAULT_OF(G, HeaderUnderline, false),
                                 DEFAULT_OF(G, HeaderLineColor, clBlue), DEFAULT_OF(G, HeaderLineWidth, 2),
                                 DEFAULT_OF(G, SummaryLine, false), DEFAULT_OF(G, SummaryLineColor, clBlue),
                                 DEFAULT_OF(G, SummaryLineWidth, 2), DEFAULT_OF(G, HeaderColor, clNone),
                                 DEFAULT_OF(G, Summary, false)});

    TFooterPanel FooterPanel(nullptr);
    EXPECT_EQ(FooterPanel.LastHintCol(), -1);
    TSearchPanel SearchPanel(nullptr);
    EXPECT_EQ(SearchPanel.ColorTo(), clNone);
}

TEST(GridSettings, EventsTheGridWires)
{
    TBackGround Back(nullptr);
    TNoticeCounter BackRepaints;
    Back.OnChange = BackRepaints.Event();
    Back.SetDisplay(bdGradientHorz);
    Back.SetColorTo(clBtnFace);
    TBitmap Picture(4, 3);
    Back.SetBitmap(&Picture);
    EXPECT_EQ(BackRepaints.Count, 3);
    EXPECT_EQ(Back.Bitmap()->Height(), 3);

    TDragDropSettings Drag(nullptr);
    TNoticeCounter Registrations;
    Drag.OnDropTargetChange = Registrations.Event();
    Drag.SetOleDropTarget(false);
    Drag.SetOleDropTarget(true);
    EXPECT_EQ(Registrations.Count, 1);
    EXPECT_TRUE(Drag.OleDropTarget());

    TBalloonSettings Balloon;
    TNoticeCounter Switches;
    Balloon.OnEnableChange = Switches.Event();
    Balloon.SetEnable(false);
    Balloon.SetEnable(true);
    EXPECT_EQ(Switches.Count, 2);

    TShowModified Modified;
    TNoticeCounter ColumnZeroRepaints;
    Modified.OnChange = ColumnZeroRepaints.Event();
    Modified.SetEnabled(true);
    Modified.SetColor(clRed);
    EXPECT_EQ(ColumnZeroRepaints.Count, 1);

    TSortSettings Sort(nullptr);
    TNoticeCounter SortRepaints;
    Sort.OnChange = SortRepaints.Event();
    Sort.SetHeaderColor(clNone);
    Sort.SetHeaderColor(clRed);
    Sort.SetHeaderMirrorColorTo(clBlue);
    Sort.SetShow(true);
    Sort.SetColumn(3);
    EXPECT_EQ(SortRepaints.Count, 3);

    TFloatingFooter Footer(nullptr, 22);
    TNoticeCounter FooterUpdates;
    Footer.OnChange = FooterUpdates.Event();
    Footer.SetVisible(false);
    Footer.SetFooterStyle(fsColumnPreview);
    Footer.SetBorderColor(clNone);
    Footer.SetBorderColor(clRed);
    Footer.SetEnableCalculation(false);
    EXPECT_EQ(FooterUpdates.Count, 3);

    TFilterDropDown DropDown(nullptr);
    TNoticeCounter GlyphRepaints;
    DropDown.OnChange = GlyphRepaints.Event();
    DropDown.SetGlyph(&Picture);
    DropDown.SetGlyphActive(&Picture);
    DropDown.SetHeight(200);
    EXPECT_EQ(GlyphRepaints.Count, 2);
}

TEST(GridSettings, FilterConditionsByColumn)
{
    TFilter Filter(nullptr);
    TFilterData* First = Filter.Add();
    EXPECT_EQ(First->Operation(), foNONE);
    EXPECT_TRUE(First->CaseSensitive());
    EXPECT_EQ(First->Method(), fmExpression);
    EXPECT_EQ(First->Data(), fcVirtual);
    First->SetColumn(2);
    EXPECT_EQ(Filter.Add()->Operation(), foAND);
    TFilterData* Inserted = Filter.Insert(0);
    EXPECT_EQ(Filter.Items(2), Inserted);
    EXPECT_EQ(Inserted->Operation(), foSHORT);

    EXPECT_TRUE(Filter.HasFilter(2));
    EXPECT_FALSE(Filter.HasFilter(5));
    EXPECT_EQ(Filter.GetColFilter(2), First);
    TFilterData* Added = Filter.GetColFilter(5);
    EXPECT_EQ(Added->Column(), 5);
    EXPECT_EQ(Added->Operation(), foAND);
    EXPECT_EQ(Filter.Count(), 4);

    Filter.GetColFilter(5);
    Filter.Add()->SetColumn(5);
    std::vector<Integer> Repainted;
    Filter.OnColumnFilterRemoved = [&](TObject*, Integer Col) { Repainted.push_back(Col); };
    Filter.RemoveColumnFilter(5);
    EXPECT_FALSE(Filter.HasFilter(5));
    EXPECT_EQ(Filter.Count(), 3);
    EXPECT_EQ(Repainted, std::vector<Integer>{5});

    TFilterData Copy(nullptr);
    First->SetCondition(">3");
    First->SetMethod(fmLiteral);
    First->SetPrefix("$");
    Copy.Assign(First);
    EXPECT_EQ(Copy.Column(), 2);
    EXPECT_EQ(Copy.Condition(), ">3");
    EXPECT_EQ(Copy.Prefix(), "$");
    EXPECT_EQ(Copy.Operation(), foNONE);
    EXPECT_EQ(Copy.Method(), fmExpression);
}

TEST(GridSettings, AssignListsOfTheHolders)
{
    TBackGround Back(nullptr), BackCopy(nullptr);
    TBitmap Picture(7, 2);
    Back.SetBitmap(&Picture);
    Back.SetTop(4);
    Back.SetDisplay(bdFixed);
    Back.SetCells(bcAll);
    Back.SetColor(clRed);
    BackCopy.Assign(&Back);
    EXPECT_EQ(BackCopy.Top(), 4);
    EXPECT_EQ(BackCopy.Display(), bdFixed);
    EXPECT_EQ(BackCopy.Cells(), bcAll);
    EXPECT_EQ(BackCopy.Color(), clRed);
    EXPECT_EQ(BackCopy.Bitmap()->Width(), 7);

    TDragDropSettings Drag(nullptr), DragCopy(nullptr);
    TNoticeCounter Registrations;
    DragCopy.OnDropTargetChange = Registrations.Event();
    Drag.SetOleDropTarget(true);
    Drag.SetOleColumnsOnly(true);
    Drag.SetShowCells(false);
    DragCopy.Assign(&Drag);
    EXPECT_TRUE(DragCopy.OleDropTarget());
    EXPECT_TRUE(DragCopy.OleColumnsOnly());
    EXPECT_FALSE(DragCopy.ShowCells());
    EXPECT_EQ(Registrations.Count, 0);
    // The copy keeps its own handler.
    DragCopy.SetOleDropTarget(false);
    EXPECT_EQ(Registrations.Count, 1);

    TDragScrollOptions Scroll, ScrollCopy;
    Scroll.SetActive(true);
    Scroll.Delays()->SetRepeatDelay(10);
    Scroll.Margins()->SetLeftMargin(7);
    ScrollCopy.Assign(&Scroll);
    EXPECT_TRUE(ScrollCopy.Active());
    EXPECT_EQ(ScrollCopy.Delays()->RepeatDelay(), 10);
    EXPECT_EQ(ScrollCopy.Margins()->LeftMargin(), 7);

    TBalloonSettings Balloon, BalloonCopy;
    Balloon.SetEnable(true);
    Balloon.SetTextColor(clRed);
    Balloon.SetReshowDelay(5);
    Balloon.SetTransparency(100);
    BalloonCopy.Assign(&Balloon);
    EXPECT_TRUE(BalloonCopy.Enable());
    EXPECT_EQ(BalloonCopy.TextColor(), clRed);
    EXPECT_EQ(BalloonCopy.ReshowDelay(), 5);
    EXPECT_EQ(BalloonCopy.Transparency(), 0);

    THTMLSettings Html, HtmlCopy;
    Html.SetBorderSize(0);
    Html.ColWidths()->Add(40);
    Html.ColWidths()->Add(60);
    HtmlCopy.ColWidths()->Add(1);
    HtmlCopy.Assign(&Html);
    EXPECT_EQ(HtmlCopy.BorderSize(), 0);
    // The column widths belong to one export and stay where they are.
    EXPECT_EQ(HtmlCopy.ColWidths()->StrValue(), "1");

    TPrintSettings Print(nullptr), PrintCopy(nullptr);
    Print.Font()->SetName("Courier");
    Print.TitleLines()->Add("Title");
    Print.SetPageNumSep("");
    Print.SetFixedCellsAlways(true);
    PrintCopy.Assign(&Print);
    EXPECT_EQ(PrintCopy.Font()->Name(), "Courier");
    EXPECT_NE(PrintCopy.Font(), Print.Font());
    EXPECT_EQ(PrintCopy.TitleLines()->Count(), 1);
    EXPECT_EQ(PrintCopy.PageNumSep(), "");
    EXPECT_FALSE(PrintCopy.FixedCellsAlways());

    TSortSettings Sort(nullptr), SortCopy(nullptr);
    TBitmap Glyph(5, 5);
    Sort.SetIndexUpGlyph(&Glyph);
    Sort.SetColumn(2);
    Sort.SetDirection(sdDescending);
    Sort.SetIgnoreCase(true);
    Sort.SetSortOnVirtualCells(false);
    SortCopy.Assign(&Sort);
    EXPECT_EQ(SortCopy.Column(), 2);
    EXPECT_EQ(SortCopy.Direction(), sdDescending);
    EXPECT_EQ(SortCopy.IndexUpGlyph()->Width(), 5);
    EXPECT_FALSE(SortCopy.IgnoreCase());
    EXPECT_TRUE(SortCopy.SortOnVirtualCells());

    TFloatingFooter Footer(nullptr, 22), FooterCopy(nullptr, 30);
    TNoticeCounter FooterUpdates;
    FooterCopy.OnChange = FooterUpdates.Event();
    Footer.SetVisible(true);
    Footer.SetColumn(3);
    Footer.SetBorderColor(clRed);
    FooterCopy.Assign(&Footer);
    EXPECT_TRUE(FooterCopy.Visible());
    EXPECT_EQ(FooterCopy.Column(), 3);
    EXPECT_EQ(FooterCopy.BorderColor(), clNone);
    EXPECT_EQ(FooterCopy.Height(), 30);
    EXPECT_EQ(FooterUpdates.Count, 1);

    TFilterDropDown DropDown(nullptr), DropDownCopy(nullptr);
    DropDown.SetAutoSize(true);
    DropDown.SetWidth(80);
    DropDown.Font()->SetName("Arial");
    DropDownCopy.Assign(&DropDown);
    EXPECT_EQ(DropDownCopy.Width(), 80);
    EXPECT_EQ(DropDownCopy.Font()->Name(), "Arial");
    EXPECT_FALSE(DropDownCopy.AutoSize());

    TGrouping Grouping(nullptr), GroupingCopy(nullptr);
    Grouping.SetSummary(true);
    Grouping.SetSummaryLine(true);
    Grouping.SetHeaderLineColor(clRed);
    Grouping.SetAutoCheckGroup(true);
    Grouping.SetGroupCountFormat("%d");
    GroupingCopy.Assign(&Grouping);
    EXPECT_FALSE(GroupingCopy.Summary());
    EXPECT_TRUE(GroupingCopy.SummaryLine());
    EXPECT_EQ(GroupingCopy.HeaderLineColor(), clBlue);
    EXPECT_TRUE(GroupingCopy.AutoCheckGroup());
    EXPECT_EQ(GroupingCopy.GroupCountFormat(), "%d");
}
