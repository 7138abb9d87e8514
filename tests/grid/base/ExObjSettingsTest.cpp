// The grid's settings objects and the drop-down header and footer bars:
// their defaults, notices and Assign lists.
#include "grid/base/ExDropDown_Appearance.h"
#include "grid/base/ExObj.h"

#include "grid/SettingsTestSupport.h"

TEST(SearchFooter, DefaultsAndTheTextsOfADesignedGrid)
{
    TSearchFooter F(nullptr, false);
    ExpectDefaults<TSearchFooter>(
        F, {DEFAULT_OF(TSearchFooter, ShowFindPrev, true), DEFAULT_OF(TSearchFooter, ShowFindNext, true),
            DEFAULT_OF(TSearchFooter, FindNextCaption, ""), DEFAULT_OF(TSearchFooter, FindPrevCaption, ""),
            DEFAULT_OF(TSearchFooter, ColorTo, clBtnFace), DEFAULT_OF(TSearchFooter, Color, clWhite),
            DEFAULT_OF(TSearchFooter, Visible, false), DEFAULT_OF(TSearchFooter, AutoThemeAdapt, false),
            DEFAULT_OF(TSearchFooter, ShowClose, true), DEFAULT_OF(TSearchFooter, ShowHighLight, true),
            DEFAULT_OF(TSearchFooter, ShowMatchCase, true), DEFAULT_OF(TSearchFooter, MatchCaseCaption, ""),
            DEFAULT_OF(TSearchFooter, HintClose, ""), DEFAULT_OF(TSearchFooter, HintFindPrev, ""),
            DEFAULT_OF(TSearchFooter, HintHighlight, ""), DEFAULT_OF(TSearchFooter, HintFindNext, ""),
            DEFAULT_OF(TSearchFooter, AutoSearch, true), DEFAULT_OF(TSearchFooter, LastSearch, ""),
            DEFAULT_OF(TSearchFooter, SearchColumn, -1), DEFAULT_OF(TSearchFooter, SearchActiveColumnOnly, false),
            DEFAULT_OF(TSearchFooter, SearchMatchStart, false), DEFAULT_OF(TSearchFooter, SearchFixedCells, false),
            DEFAULT_OF(TSearchFooter, SearchHiddenRows, false), DEFAULT_OF(TSearchFooter, HighLightCaption, ""),
            DEFAULT_OF(TSearchFooter, AlwaysHighLight, false),
            DEFAULT_OF(TSearchFooter, SearchDirection, sdTopBottom)});

    // The font a grid's form would stream.
    EXPECT_EQ(F.Font()->Name(), "Tahoma");
    EXPECT_EQ(F.Font()->Height(), -11);
    EXPECT_EQ(F.Font()->Color(), clWindowText);

    TSearchFooter Designed(nullptr, true);
    EXPECT_EQ(Designed.FindPrevCaption(), "Find &previous");
    EXPECT_EQ(Designed.FindNextCaption(), "Find &next");
    EXPECT_EQ(Designed.MatchCaseCaption(), "Match case");
    EXPECT_EQ(Designed.HighLightCaption(), "Highlight");
    EXPECT_EQ(Designed.HintClose(), "Close");
    EXPECT_EQ(Designed.HintFindNext(), "Find next occurrence");
    EXPECT_EQ(Designed.HintFindPrev(), "Find previous occurrence");
    EXPECT_EQ(Designed.HintHighlight(), "Highlight occurrences");
}

TEST(SearchFooter, NotifiesOnChangeOrAlwaysAndAssignsItsList)
{
    TSearchFooter F(nullptr, true);
    TNoticeCounter N;
    F.OnChange = N.Event();
    F.SetVisible(false);
    F.SetShowFindNext(true);
    F.SetShowMatchCase(true);
    EXPECT_EQ(N.Count, 0);
    F.SetVisible(true);
    F.SetColor(clWhite);
    F.SetColorTo(clBtnFace);
    F.SetFindNextCaption(F.FindNextCaption());
    F.SetShowClose(true);
    TFont Font;
    F.SetFont(&Font);
    EXPECT_EQ(N.Count, 6);
    F.SetAutoSearch(false);
    F.SetSearchColumn(4);
    EXPECT_EQ(N.Count, 6);

    TSearchFooter Source(nullptr, false);
    Source.SetVisible(true);
    Source.SetColor(clRed);
    Source.SetSearchColumn(2);
    Source.SetSearchDirection(sdLeftRight);
    Source.SetAlwaysHighLight(true);
    Source.SetAutoSearch(false);
    Source.SetSearchFixedCells(true);
    Source.SetLastSearch(QStringLiteral("abc"));
    Source.Font()->SetName(QStringLiteral("Verdana"));
    TSearchFooter Dest(nullptr, true);
    TNoticeCounter DestNotices;
    Dest.OnChange = DestNotices.Event();
    Dest.Assign(&Source);
    EXPECT_EQ(DestNotices.Count, 0);
    EXPECT_TRUE(Dest.Visible());
    EXPECT_EQ(Dest.Color(), clRed);
    EXPECT_EQ(Dest.SearchColumn(), 2);
    EXPECT_EQ(Dest.SearchDirection(), sdLeftRight);
    EXPECT_TRUE(Dest.AlwaysHighLight());
    EXPECT_EQ(Dest.FindNextCaption(), "");
    EXPECT_EQ(Dest.Font()->Name(), "Verdana");
    EXPECT_TRUE(Dest.AutoSearch());
    EXPECT_FALSE(Dest.SearchFixedCells());
    EXPECT_EQ(Dest.LastSearch(), "");
    TBands Other;
    Dest.Assign(&Other);
    EXPECT_TRUE(Dest.Visible());
}

TEST(Navigation, DefaultsKeepEditingKeysOff)
{
    TNavigation N;
    using T = TNavigation;
    ExpectDefaults<T>(
        N, {DEFAULT_OF(T, AllowInsertRow, false), DEFAULT_OF(T, AllowDeleteRow, false),
            DEFAULT_OF(T, AdvanceOnEnter, false), DEFAULT_OF(T, AdvanceInsert, false),
            DEFAULT_OF(T, AutoGotoWhenSorted, false), DEFAULT_OF(T, AutoGotoIncremental, false),
            DEFAULT_OF(T, AutoComboDropSize, false), DEFAULT_OF(T, AllowClipboardShortCuts, false),
            DEFAULT_OF(T, AllowRTFClipboard, false), DEFAULT_OF(T, AllowSmartClipboard, false),
            DEFAULT_OF(T, AllowClipboardAlways, false), DEFAULT_OF(T, AllowClipboardColGrow, true),
            DEFAULT_OF(T, AllowClipboardRowGrow, true), DEFAULT_OF(T, ClipboardPasteAction, paReplace),
            DEFAULT_OF(T, CopyHTMLTagsToClipboard, true), DEFAULT_OF(T, AdvanceDirection, adLeftRight),
            DEFAULT_OF(T, AdvanceAuto, false), DEFAULT_OF(T, AdvanceAutoEdit, true),
            DEFAULT_OF(T, CursorWalkEditor, false), DEFAULT_OF(T, CursorWalkAlwaysEdit, true),
            DEFAULT_OF(T, MoveRowOnSort, false), DEFAULT_OF(T, KeepScrollOnSort, false),
            DEFAULT_OF(T, ImproveMaskSel, false), DEFAULT_OF(T, AlwaysEdit, false),
            DEFAULT_OF(T, InsertPosition, pInsertBefore), DEFAULT_OF(T, LineFeedOnEnter, false),
            DEFAULT_OF(T, HomeEndKey, heFirstLastColumn), DEFAULT_OF(T, KeepHorizScroll, false),
            DEFAULT_OF(T, AllowFmtClipboard, false), DEFAULT_OF(T, TabToNextAtEnd, false),
            DEFAULT_OF(T, EditSelectAll, true), DEFAULT_OF(T, TabAdvanceDirection, adLeftRight),
            DEFAULT_OF(T, SkipFixedCells, true), DEFAULT_OF(T, SkipDisabledRows, true),
            DEFAULT_OF(T, AllowCtrlEnter, true), DEFAULT_OF(T, AppendOnArrowDown, false),
            DEFAULT_OF(T, LeftRightRowSelect, true), DEFAULT_OF(T, MoveScrollOnly, false),
            DEFAULT_OF(T, ComboGetUpDown, true), DEFAULT_OF(T, AdvanceOnEnterLoop, true),
            DEFAULT_OF(T, CursorAdvance, caDefault), DEFAULT_OF(T, AdvanceSkipReadOnlyCells, true),
            DEFAULT_OF(T, CursorMoveRows, false)});
}

TEST(Navigation, SettersAndAssign)
{
    TNavigation N;
    TNoticeCounter Notices;
    N.OnChange = Notices.Event();
    N.SetAdvanceInsert(false);
    N.SetAdvanceDirection(adLeftRight);
    EXPECT_EQ(Notices.Count, 0);
    N.SetAdvanceInsert(true);
    N.SetAdvanceDirection(adTopBottom);
    EXPECT_EQ(Notices.Count, 2);

    // AdvanceAuto turns AdvanceOnEnter on, silently, and leaves it on.
    N.SetAdvanceAuto(true);
    EXPECT_TRUE(N.AdvanceOnEnter());
    N.SetAdvanceAuto(false);
    EXPECT_TRUE(N.AdvanceOnEnter());
    EXPECT_EQ(Notices.Count, 2);

    TNavigation Source;
    Source.SetTabAdvanceDirection(adTopBottomInCol);
    Source.SetAllowInsertRow(true);
    Source.SetKeepScrollOnSort(true);
    Source.SetCursorMoveRows(true);
    Source.SetAdvanceDirection(adLeftRightInRow);
    TNavigation Dest;
    TNoticeCounter DestNotices;
    Dest.OnChange = DestNotices.Event();
    Dest.Assign(&Source);
    EXPECT_EQ(Dest.TabAdvanceDirection(), adTopBottomInCol);
    EXPECT_TRUE(Dest.AllowInsertRow());
    EXPECT_TRUE(Dest.CursorMoveRows());
    EXPECT_EQ(Dest.AdvanceDirection(), adLeftRightInRow);
    EXPECT_FALSE(Dest.KeepScrollOnSort());
    EXPECT_EQ(DestNotices.Count, 0);
    ASSERT_TRUE(Dest.OnChange);
    Dest.SetAdvanceInsert(true);
    EXPECT_EQ(DestNotices.Count, 1);
}

TEST(MouseActions, DefaultsAndTheDisjunctSelections)
{
    TMouseActions M(nullptr);
    using T = TMouseActions;
    ExpectDefaults<T>(
        M, {DEFAULT_OF(T, ColSelect, false), DEFAULT_OF(T, RowSelect, false), DEFAULT_OF(T, AllSelect, false),
            DEFAULT_OF(T, DirectEdit, false), DEFAULT_OF(T, DirectComboDrop, false),
            DEFAULT_OF(T, DirectComboClose, false), DEFAULT_OF(T, DirectDateClose, false),
            DEFAULT_OF(T, DirectDateDrop, false), DEFAULT_OF(T, DisjunctRowSelect, false),
            DEFAULT_OF(T, DisjunctColSelect, false), DEFAULT_OF(T, AllColumnSize, false),
            DEFAULT_OF(T, AllRowSize, false), DEFAULT_OF(T, CaretPositioning, false),
            DEFAULT_OF(T, SizeFixedCol, false), DEFAULT_OF(T, SizeFixedRow, false),
            DEFAULT_OF(T, DisjunctCellSelect, false), DEFAULT_OF(T, FixedRowsEdit, fceNone),
            DEFAULT_OF(T, FixedColsEdit, fceNone), DEFAULT_OF(T, FixedRowsEditor, fceEdit),
            DEFAULT_OF(T, FixedColsEditor, fceEdit), DEFAULT_OF(T, HotmailRowSelect, false),
            DEFAULT_OF(T, RangeSelectAndEdit, false), DEFAULT_OF(T, NoAutoRangeScroll, false),
            DEFAULT_OF(T, PreciseCheckBoxCheck, false), DEFAULT_OF(T, PreciseNodeClick, true),
            DEFAULT_OF(T, CheckAllCheck, false), DEFAULT_OF(T, NodeAllExpandContract, false),
            DEFAULT_OF(T, MoveRowOnNodeClick, false), DEFAULT_OF(T, RowSelectPersistent, false),
            DEFAULT_OF(T, SelectOnRightClick, false), DEFAULT_OF(T, NoScrollOnPartialRow, false),
            DEFAULT_OF(T, WheelIncrement, 0), DEFAULT_OF(T, WheelAction, waMoveSelection),
            DEFAULT_OF(T, AutoSizeColOnDblClick, true), DEFAULT_OF(T, EditOnDblClickOnly, false),
            DEFAULT_OF(T, DisjunctRowSelectNoCtrl, false)});
    EXPECT_EQ(M.FixedComboValues()->Count(), 0);

    // At run time the three combine.
    M.SetDisjunctRowSelect(true);
    M.SetDisjunctColSelect(true);
    EXPECT_TRUE(M.DisjunctRowSelect());
    // While designing one excludes the others.
    M.OnIsDesigning = [](TObject*, bool& Designing) { Designing = true; };
    M.SetDisjunctCellSelect(true);
    EXPECT_FALSE(M.DisjunctRowSelect());
    EXPECT_FALSE(M.DisjunctColSelect());
    M.SetDisjunctCellSelect(false);
    M.SetDisjunctRowSelectDirect(true);
    EXPECT_TRUE(M.DisjunctRowSelect());
}

TEST(MouseActions, NotifyingSettersAndAssign)
{
    TMouseActions M(nullptr);
    TNoticeCounter Changes, Invalidates, Disables;
    M.OnChange = Changes.Event();
    M.OnInvalidate = Invalidates.Event();
    M.OnDisableEdit = Disables.Event();
    M.SetHotmailRowSelect(false);
    EXPECT_EQ(Invalidates.Count, 1);
    EXPECT_FALSE(M.DisjunctRowSelect());
    M.SetHotmailRowSelect(true);
    EXPECT_TRUE(M.DisjunctRowSelect());
    EXPECT_TRUE(M.CheckAllCheck());
    EXPECT_EQ(Invalidates.Count, 2);
    M.SetWheelAction(waMoveSelection);
    M.SetWheelAction(waScroll);
    EXPECT_EQ(Changes.Count, 1);
    M.SetEditOnDblClickOnly(false);
    M.SetEditOnDblClickOnly(true);
    EXPECT_EQ(Disables.Count, 1);
    TStringList Values;
    Values.Add(QStringLiteral("a"));
    M.SetFixedComboValues(&Values);
    EXPECT_EQ(M.FixedComboValues()->Strings(0), "a");

    TMouseActions Dest(nullptr);
    Dest.Assign(&M);
    EXPECT_TRUE(Dest.DisjunctRowSelect());
    EXPECT_EQ(Dest.WheelAction(), waScroll);
    EXPECT_FALSE(Dest.HotmailRowSelect());
    EXPECT_FALSE(Dest.EditOnDblClickOnly());
    EXPECT_EQ(Dest.FixedComboValues()->Count(), 0);
    TMouseActions Sizes(nullptr);
    Sizes.SetSizeFixedCol(true);
    Sizes.SetSizeFixedRow(true);
    Sizes.SetWheelIncrement(1);
    Dest.Assign(&Sizes);
    EXPECT_TRUE(Dest.SizeFixedCol());
    EXPECT_TRUE(Dest.SizeFixedRow());
    EXPECT_EQ(Dest.WheelIncrement(), 1);
}

TEST(Bands, DefaultsNoticesWhileActiveAndAssign)
{
    TBands B;
    ExpectDefaults<TBands>(B, {DEFAULT_OF(TBands, Print, false), DEFAULT_OF(TBands, Active, false),
                               DEFAULT_OF(TBands, TotalLength, 2), DEFAULT_OF(TBands, SecondaryLength, 1),
                               DEFAULT_OF(TBands, PrimaryLength, 1), DEFAULT_OF(TBands, SecondaryColor, clWindow),
                               DEFAULT_OF(TBands, PrimaryColor, clInfoBk)});
    TNoticeCounter N;
    B.OnChange = N.Event();
    B.SetPrimaryColor(clRed);
    B.SetPrimaryLength(3);
    EXPECT_EQ(N.Count, 0);
    EXPECT_EQ(B.TotalLength(), 4);
    B.SetActive(true);
    B.SetActive(true);
    EXPECT_EQ(N.Count, 1);
    B.SetSecondaryColor(clBlue);
    B.SetSecondaryLength(2);
    B.SetSecondaryLength(2);
    EXPECT_EQ(N.Count, 3);

    B.SetPrint(true);
    TBands Dest;
    Dest.Assign(&B);
    EXPECT_TRUE(Dest.Active());
    EXPECT_TRUE(Dest.Print());
    EXPECT_EQ(Dest.PrimaryColor(), clRed);
    EXPECT_EQ(Dest.SecondaryColor(), clBlue);
    EXPECT_EQ(Dest.TotalLength(), 5);
}

TEST(SyncGridAndFocusHelper, RefuseTheOwnGridAndAssign)
{
    TStringGrid Own(nullptr);
    TStringGrid Other(nullptr);
    TSyncGrid S(&Own);
    EXPECT_EQ(S.Grid(), nullptr);
    EXPECT_FALSE(S.ScrollVertical());
    S.SetGrid(&Other);
    S.SetGrid(&Own);
    EXPECT_EQ(S.Grid(), &Other);
    S.SetMoveColumn(true);

    TSyncGrid OwnedByOther(&Other);
    OwnedByOther.Assign(&S);
    EXPECT_EQ(OwnedByOther.Grid(), nullptr);
    EXPECT_TRUE(OwnedByOther.MoveColumn());
    TSyncGrid Third(nullptr);
    Third.Assign(&S);
    EXPECT_EQ(Third.Grid(), &Other);

    TFocusHelper F(nullptr), G(nullptr);
    EXPECT_FALSE(F.Enabled());
    F.SetEnabled(true);
    G.Assign(&F);
    EXPECT_TRUE(G.Enabled());
}

// ---------------------------------------------------------------- drop-down header and footer

TEST(DropDownAppearance, Defaults)
{
    TPersistent Owner;
    THeaderAppearance H(&Owner);
    TFooterAppearance F(&Owner);
    for (TDropDownBarAppearance* A : {static_cast<TDropDownBarAppearance*>(&H), static_cast<TDropDownBarAppearance*>(&F)}) {
        using T = TDropDownBarAppearance;
        EXPECT_EQ(A->Owner(), &Owner);
        ExpectDefaults<T>(*A, {DEFAULT_OF(T, Visible, true), DEFAULT_OF(T, Height, 22),
                               DEFAULT_OF(T, BorderWidth, 1), DEFAULT_OF(T, ImageIndex, -1),
                               DEFAULT_OF(T, Caption, ""), DEFAULT_OF(T, ColorTo, clWhite),
                               DEFAULT_OF(T, Color, clSilver), DEFAULT_OF(T, BorderColor, clBlack),
                               DEFAULT_OF(T, GradientDirection, gdVertical),
                               DEFAULT_OF(T, ButtonAlignment, baRight)});
        EXPECT_EQ(A->Font()->Name(), "Tahoma");
    }
    EXPECT_TRUE(F.SizeGrip());
    EXPECT_EQ(H.Buttons()->Count(), 0);
    EXPECT_EQ(H.Buttons()->MyOwner(), &Owner);
    EXPECT_EQ(F.Buttons()->Owner(), &Owner);
    EXPECT_EQ(GetEnumName(baLeft), "baLeft");

    THeaderButton* B = H.Buttons()->Add();
    EXPECT_EQ(B->Caption(), "");
    EXPECT_EQ(B->ImageIndex(), -1);
    EXPECT_TRUE(B->Enabled());
    EXPECT_EQ(B->Height(), 0);
    EXPECT_EQ(B->Width(), 0);
    EXPECT_EQ(F.Buttons()->Add()->ModalResult(), 0);
}

TEST(DropDownAppearance, OnlyVisibleAndButtonCaptionsEnabledAndWidthsNotify)
{
    THeaderAppearance H(nullptr);
    TNoticeCounter Changes, Buttons;
    H.OnChange = Changes.Event();
    H.OnButtonsChanged = Buttons.Event();
    H.SetVisible(true);
    H.SetHeight(30);
    H.SetCaption(QStringLiteral("x"));
    EXPECT_EQ(Changes.Count, 0);
    H.SetVisible(false);
    EXPECT_EQ(Changes.Count, 1);

    THeaderButton* B = H.Buttons()->Add();
    B->SetCaption(QStringLiteral("OK"));
    EXPECT_EQ(Buttons.Count, 1);
    B->SetHeight(20);
    B->SetImageIndex(3);
    B->SetCaption(QStringLiteral("OK"));
    EXPECT_EQ(Buttons.Count, 1);
    B->SetEnabled(false);
    B->SetWidth(40);
    EXPECT_EQ(Buttons.Count, 3);
}

TEST(DropDownAppearance, AssignAndAssignColors)
{
    THeaderAppearance Source(nullptr);
    Source.SetColor(clRed);
    Source.SetColorTo(clBlue);
    Source.SetBorderColor(clGreen);
    Source.SetGradientDirection(gdHorizontal);
    Source.Font()->SetName(QStringLiteral("Verdana"));
    Source.SetCaption(QStringLiteral("Head"));
    Source.SetHeight(40);
    Source.SetVisible(false);
    Source.SetButtonAlignment(baLeft);
    Source.Buttons()->Add()->SetCaption(QStringLiteral("B1"));

    THeaderAppearance Colours(nullptr);
    Colours.AssignColors(&Source);
    EXPECT_EQ(Colours.Color(), clRed);
    EXPECT_EQ(Colours.ColorTo(), clBlue);
    EXPECT_EQ(Colours.BorderColor(), clGreen);
    EXPECT_EQ(Colours.GradientDirection(), gdHorizontal);
    EXPECT_EQ(Colours.Font()->Name(), "Verdana");
    EXPECT_EQ(Colours.Caption(), "");
    EXPECT_EQ(Colours.Height(), 22);
    EXPECT_EQ(Colours.Buttons()->Count(), 0);

    THeaderAppearance Dest(nullptr);
    TNoticeCounter Changes;
    Dest.OnChange = Changes.Event();
    Dest.Assign(&Source);
    EXPECT_EQ(Dest.Caption(), "Head");
    EXPECT_EQ(Dest.Height(), 40);
    EXPECT_FALSE(Dest.Visible());
    EXPECT_EQ(Changes.Count, 1);
    EXPECT_EQ(Dest.ButtonAlignment(), baLeft);
    ASSERT_EQ(Dest.Buttons()->Count(), 1);
    EXPECT_EQ(Dest.Buttons()->Items(0)->Caption(), "B1");

    // A footer takes nothing from a header; its own class gives SizeGrip.
    TFooterAppearance Footer(nullptr);
    Footer.Assign(&Source);
    Footer.AssignColors(&Source);
    EXPECT_EQ(Footer.Caption(), "");
    EXPECT_EQ(Footer.Color(), clSilver);
    TFooterAppearance FooterSource(nullptr);
    FooterSource.SetSizeGrip(false);
    TFooterButton* FB = FooterSource.Buttons()->Add();
    FB->SetModalResult(mrOk);
    FB->SetWidth(50);
    Footer.Assign(&FooterSource);
    EXPECT_FALSE(Footer.SizeGrip());
    ASSERT_EQ(Footer.Buttons()->Count(), 1);
    EXPECT_EQ(Footer.Buttons()->Items(0)->ModalResult(), mrOk);
    EXPECT_EQ(Footer.Buttons()->Items(0)->Width(), 50);

    // Buttons copy from their own class only.
    THeaderButton* HB = Dest.Buttons()->Items(0);
    EXPECT_THROW(HB->Assign(FB), EConvertError);
}
