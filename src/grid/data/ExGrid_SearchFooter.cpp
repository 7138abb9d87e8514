// The string grid's side of the search bar: the panel taking the search
// footer settings, and typing, find next, find previous, highlight and
// close.
#include "grid/control/ExGrid.h"

static constexpr Integer SearchBarHeight = 32;
// The edit's colour while its text is not found.
static constexpr TColor NotFoundColor = 255;

void TExStringGrid::WireSearchPanel()
{
    FSearchPanel->OnEditChange = [this](TObject* Sender) { SearchFooterEditChange(Sender); };
    FSearchPanel->OnBackwardClick = [this](TObject* Sender) { SearchFooterFindPrevious(Sender); };
    FSearchPanel->OnForwardClick = [this](TObject* Sender) { SearchFooterFindNext(Sender); };
    FSearchPanel->OnExitClick = [this](TObject* Sender) { SearchFooterClose(Sender); };
    FSearchPanel->OnHighlightClick = [this](TObject* Sender) { SearchFooterHighlight(Sender); };
    FSearchPanel->OnCreated = [this](TObject*) {
        if (OnCreatedSearchFooter)
            OnCreatedSearchFooter(this);
    };
}

void TExStringGrid::UpdateSearchFooter()
{
    if (!FSearchPanel || ComponentState().Contains(csLoading))
        return;
    TSearchPanel& P = *FSearchPanel;
    const TSearchFooter& SF = *FSearchFooter;
    if ((P.HighlightButton()->Down() && P.Visible() && !SF.Visible()) || SF.AlwaysHighLight())
        UnHilightInGrid(false);
    P.SetColor(SF.Color());
    P.SetColorTo(SF.ColorTo());
    P.SetLineColor(GridLineColor());
    P.SetVisible(SF.Visible());
    P.ForwardButton()->SetCaption(SF.FindNextCaption());
    P.BackwardButton()->SetCaption(SF.FindPrevCaption());
    P.MatchCase()->SetCaption(SF.MatchCaseCaption());
    P.HighlightButton()->SetCaption(SF.HighLightCaption());
    P.Font()->Assign(SF.Font());
    SearchFooterButtonLook();
    const auto Show = [](TControl* Control, bool Visible, const String& Hint) {
        Control->SetVisible(Visible);
        Control->SetHint(Hint);
        Control->SetShowHint(!Hint.isEmpty());
    };
    Show(P.HighlightButton(), SF.ShowHighLight(), SF.HintHighlight());
    Show(P.ExitButton(), SF.ShowClose(), SF.HintClose());
    Show(P.BackwardButton(), SF.ShowFindPrev(), SF.HintFindPrev());
    Show(P.ForwardButton(), SF.ShowFindNext(), SF.HintFindNext());
    P.MatchCase()->SetVisible(SF.ShowMatchCase());
    P.MatchCase()->SetTransparent(true);
    P.PlaceControls();
    P.SetHeight(SF.Visible() ? SearchBarHeight : 0);
    if (SF.Visible())
        ScrollAboveSearchFooter();
}

void TExStringGrid::SearchFooterButtonLook()
{
    const TGridControlStyle Style = FControlLook->ControlStyle();
    const bool Themed = FAutoThemeAdapt || Style == csWinXP || (Style == csTheme && !FAutoThemeAdapt);
    const bool Flat = FAutoThemeAdapt || Style == csFlat;
    for (TExGridButton* Button : {FSearchPanel->ForwardButton(), FSearchPanel->BackwardButton(),
                                  FSearchPanel->HighlightButton()}) {
        Button->SetFlat(Flat);
        Button->SetAutoXPStyle(Themed);
    }
}

// ---------------------------------------------------------------- searching

bool TExStringGrid::SearchFooterHighlighting() const
{
    return FSearchPanel->HighlightButton()->Down() || FSearchFooter->AlwaysHighLight();
}

TFindParams TExStringGrid::SearchFooterParams()
{
    const TSearchFooter& SF = *FSearchFooter;
    TFindParams P = fnAutoGoto;
    if (FSearchPanel->HighlightButton()->Down())
        P.Include(fnIgnoreHTMLTags);
    if (FSearchPanel->MatchCase()->Checked())
        P.Include(fnMatchCase);
    if (SF.SearchActiveColumnOnly())
        P.Include(fnFindInCurrentCol);
    if (SF.SearchMatchStart())
        P.Include(fnMatchStart);
    if (SF.SearchColumn() >= 0 && SF.SearchColumn() < ColCount()) {
        P.Include(fnFindInPresetCol);
        FFindCol = SF.SearchColumn();
    }
    return P;
}

void TExStringGrid::SearchFooterUnHighlight()
{
    if (FSearchFooter->SearchColumn() == -1)
        UnHilightInGrid(false);
    else
        UnHilightInCol(false, FSearchFooter->SearchColumn());
}

void TExStringGrid::SearchFooterHighlightText()
{
    const String Text = FSearchPanel->EditControl()->Text();
    const bool DoCase = FSearchPanel->MatchCase()->Checked();
    if (FSearchFooter->SearchColumn() == -1)
        HilightInGrid(false, DoCase, Text);
    else
        HilightInCol(false, DoCase, FSearchFooter->SearchColumn(), Text);
}

void TExStringGrid::SetSearchEditColor(TColor Value)
{
    TRetEdit* Edit = FSearchPanel->EditControl();
    Edit->SetColor(Value);
    // One pixel wider and back, so that it repaints.
    Edit->SetWidth(Edit->Width() + 1);
    Edit->SetWidth(Edit->Width() - 1);
}

void TExStringGrid::SearchFooterEditChange(TObject*)
{
    const String Text = FSearchPanel->EditControl()->Text();
    bool DefaultSearch = true;
    if (OnSearchEditChange)
        OnSearchEditChange(this, Text, DefaultSearch);
    if (!DefaultSearch || !FSearchFooter->AutoSearch())
        return;
    const TSearchFooter& SF = *FSearchFooter;
    TFindParams P = SearchFooterParams();
    if (SF.SearchFixedCells())
        P.Include(fnIncludeFixed);
    if (SF.SearchHiddenRows())
        P.Include(fnIncludeHiddenRows);
    if (SF.SearchDirection() == sdLeftRight)
        P.Include(fnDirectionLeftRight);
    if (SearchFooterHighlighting())
        SearchFooterUnHighlight();
    if (Text.isEmpty()) {
        SetSearchEditColor(clWindow);
        return;
    }
    TPoint Start{-1, -1};
    FSearchCell = Find(Start, Text, P);
    DoSearchFooterAction(Text, FSearchCell.X, FSearchCell.Y, saFindFirst);
    if (FSearchCell.X < 0) {
        SetSearchEditColor(NotFoundColor);
        return;
    }
    SetSearchEditColor(clWindow);
    ScrollInView(FSearchCell.X, FSearchCell.Y);
    if (SearchFooterHighlighting())
        SearchFooterHighlightText();
}

void TExStringGrid::SearchFooterFind(bool Backward)
{
    const String Text = FSearchPanel->EditControl()->Text();
    if (!FSearchFooter->AutoSearch()) {
        if (Text != FSearchFooter->LastSearch())
            FSearchCell = TPoint{-1, -1};
        FSearchFooter->SetLastSearch(Text);
    }
    TFindParams P = SearchFooterParams();
    if (Backward)
        P.Include(fnBackward);
    else if (FSearchFooter->SearchDirection() == sdLeftRight)
        P.Include(fnDirectionLeftRight);
    TPoint Start = FSearchCell;
    FSearchCell = Find(Start, Text, P);
    if (FSearchCell.X >= 0) {
        if (Backward)
            KeepFoundRowAboveFooter();
        ScrollInView(FSearchCell.X, FSearchCell.Y);
        if (!Backward)
            KeepFoundRowAboveFooter();
    }
    DoSearchFooterAction(Text, FSearchCell.X, FSearchCell.Y, Backward ? saFindPrevious : saFindNext);
    FSearchPanel->Invalidate();
}

void TExStringGrid::KeepFoundRowAboveFooter()
{
    const bool Footer = FFloatingFooter->Visible();
    const Integer Visible = VisibleRowCount();
    if (Row() > TopRow() + Visible - 3 + (Footer ? 0 : 1) &&
        RowCount() > Visible + TBaseGrid::FixedRows() + (Footer ? 1 : 0))
        SetTopRow(std::min(TopRow() + 2, RowCount() - 1));
}

void TExStringGrid::SearchFooterFindNext(TObject*)
{
    SearchFooterFind(false);
}

void TExStringGrid::SearchFooterFindPrevious(TObject*)
{
    SearchFooterFind(true);
}

void TExStringGrid::SearchFooterHighlight(TObject*)
{
    if (FSearchPanel->HighlightButton()->Down())
        SearchFooterHighlightText();
    else
        SearchFooterUnHighlight();
}

void TExStringGrid::SearchFooterClose(TObject*)
{
    if (OnSearchFooterClose)
        OnSearchFooterClose(this);
    FSearchFooter->SetVisible(false);
}
