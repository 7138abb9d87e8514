// The string grid: construction, window creation, loading from a form,
// assignment, sizing and destruction.
#include "grid/control/ExGrid.h"
#include "grid/control/ExGrid_Editors.h"
#include "grid/data/ExGrid_FilterLists.h"

#include "rtl/Forms.h"
#include "rtl/Themes.h"

TCursor ExGridLinkCursor = crDefault;

namespace {

constexpr UINT_PTR GridTimerID = 111;
constexpr UINT GridTimerPeriod = 500;
constexpr Integer SearchPanelHeight = 32;

} // namespace

// ---------------------------------------------------------------- construction

TExStringGrid::TExStringGrid(TComponent* AOwner) : TBaseGrid(AOwner)
{
    vscrlctrl = nullptr;
    hscrlctrl = nullptr;
    SetControlStyle(ControlStyle() + csAcceptsControls);
    CreateSubObjects();
    SetDefaults();
    FBalloonSettings = std::make_unique<TBalloonSettings>();
    FBalloonSettings->OnEnableChange = [this](TObject*) {
        if (ComponentState().Contains(csLoading))
            return;
        if (FBalloonSettings->Enable())
            BalloonInit();
        else
            BalloonDone();
    };
    FShowModified = std::make_unique<TShowModified>();
    // Modified rows are marked in column 0.
    FShowModified->OnChange = [this](TObject*) { RepaintCol(0); };
    TakeOverFormResize();

    FVisibleCol.fill(true);
    FFloatFormat = QStringLiteral("%.2f");
    FPasswordChar = u'*';
    FCheckTrue = QStringLiteral("Y");
    FCheckFalse = QStringLiteral("N");
    SetDefaultRowHeight(22);
    FFixedRowHeight = 22;
    FLook = glXP;
    FQVXGradientFrom = clWhite;
    FQVXGradientTo = ColorToRGB(clBtnFace) & 0x00FFFFFF;

    // This system answers as a Windows 7 class system with common controls 6.
    FIsWinXP = true;
    FIsWin7 = true;
    FIsComCtl6 = true;
    FIsWinVista = true;
    FBorderColor = FIsWinXP ? TColor(0x00B99D7F) : clGray;
    FScrollType = ssNormal;
    FScrollColor = clNone;
    FScrollWidth = GetSystemMetrics(SM_CXVSCROLL);

    FNotifierList = std::make_unique<TList>();
    FColumnOrder = std::make_unique<TIntList>(0, 0);
    FCellGraphic = std::make_unique<TCellGraphic>();
    FIgnoreColumns = std::make_unique<TIntList>(0, 0);
    FFilterDropDown = std::make_unique<TFilterDropDown>(this);
    FFilterDropDown->OnChange = [this](TObject* Sender) { SettingsChanged(Sender); };
    FDropList = new TDropList(this);
    FDropList->OnSelect = [this](TObject* Sender, Integer ItemIndex) { FilterDropListSelect(Sender, ItemIndex); };
    FDropCheckList = new TDropCheckList(this);
    FDropCheckList->OnSelect = [this](TObject* Sender, Integer ItemIndex) { FilterCheckListDone(Sender, ItemIndex); };
    for (TCustomListBox* List : {static_cast<TCustomListBox*>(FDropList), static_cast<TCustomListBox*>(FDropCheckList)}) {
        List->SetParent(this);
        List->SetBounds(0, 0, 0, 0);
        List->SetVisible(false);
    }
    FFilterList = std::make_unique<TStringList>();
    FFilterList->SetSorted(true);
    FFilterList->SetDuplicates(dupIgnore);
    FOldLeftCol = LeftCol();
    FOldTopRow = TopRow();

    if (!IsDesigning())
        CreateWindowObjects();
    ExGridLinkCursor = crHandPoint;
    FEditDoneMessage = RegisterWindowMessage(QStringLiteral("GridEditDone"));
}

void TExStringGrid::CreateSubObjects()
{
    FFooterPanel = std::make_unique<TFooterPanel>(nullptr, this);
    FSearchPanel = std::make_unique<TSearchPanel>(nullptr);
    WireSearchPanel();
    for (TPanel* Panel : {static_cast<TPanel*>(FFooterPanel.get()), static_cast<TPanel*>(FSearchPanel.get())}) {
        Panel->SetAlign(alBottom);
        Panel->SetHeight(0);
        Panel->SetBorderWidth(0);
    }
    cf = std::make_unique<TFont>();
    FFocusHelper = std::make_unique<TFocusHelper>(this);
    const bool InitDesign = IsDesigning() && Owner() &&
                            !Owner()->ComponentState().Contains(csReading) &&
                            !Owner()->ComponentState().Contains(csLoading);
    FSearchFooter = std::make_unique<TSearchFooter>(this, InitDesign);
    FSearchFooter->OnChange = [this](TObject*) { UpdateSearchFooter(); };
    FFloatingFooter = std::make_unique<TFloatingFooter>(this, DefaultRowHeight());
    FFloatingFooter->OnChange = [this](TObject*) { UpdateFooter(); };
    FPrintSettings = std::make_unique<TPrintSettings>(this);
    FHTMLSettings = std::make_unique<THTMLSettings>();
    FSortSettings = std::make_unique<TSortSettings>(this);
    FSortSettings->OnChange = [this](TObject* Sender) { SettingsChanged(Sender); };
    FDragDropSettings = std::make_unique<TDragDropSettings>(this);
    FDragDropSettings->OnDropTargetChange = [this](TObject* Sender) { DropTargetChanged(Sender); };
    FDragScrollOptions = std::make_unique<TDragScrollOptions>();
    FControlLook = std::make_unique<TControlLook>(this);
    FControlLook->OnChange = [this](TObject* Sender) { SettingsChanged(Sender); };
    FControlLook->OnGradientColor = [this](TObject*, TFixedGradientColor Role, TColor Value) {
        GradientColorChanged(Role, Value);
    };
    FNavigation = std::make_unique<TNavigation>();
    FColumnSize = std::make_unique<TColumnSize>(this);
    FCellNode = std::make_unique<TCellNode>(this);
    FCellNode->OnChange = [this](TObject* Sender) { SettingsChanged(Sender); };
    FBands = std::make_unique<TBands>();
    FBands->OnChange = [this](TObject* Sender) { SettingsChanged(Sender); };
    FSizeWhileTyping = std::make_unique<TSizeWhileTyping>();
    FMouseActions = std::make_unique<TMouseActions>(this);
    FMouseActions->OnIsDesigning = [this](TObject*, bool& Designing) { Designing = IsDesigning(); };
    FMouseActions->OnInvalidate = [this](TObject*) { InvalidateGrid(); };
    FGrouping = std::make_unique<TGrouping>(this);
    FColumnHeaders = std::make_unique<TStringList>();
    FColumnHeaders->OnChange = [this](TObject* Sender) { ColumnHeadersListChanged(Sender); };
    FImageCache = std::make_unique<THTMLPictureCache>();
    FOrigColSizes = std::make_unique<TIntList>(0, 0);
    FFixedFont = std::make_unique<TFont>();
    FFixedFont->SetName(QStringLiteral("Tahoma"));
    FFixedFont->SetStyle(TFontStyles{fsBold});
    FFixedFont->OnChange = [this](TObject* Sender) { SettingsChanged(Sender); };
    FActiveCellFont = std::make_unique<TFont>();
    FActiveCellFont->SetStyle(TFontStyles{fsBold});
    if (IsDesigning())
        FActiveCellFont->SetName(QStringLiteral("Tahoma"));
    FActiveCellFont->OnChange = [this](TObject* Sender) { SettingsChanged(Sender); };
    FRowHeaders = std::make_unique<TStringList>();
    FRowHeaders->OnChange = [this](TObject* Sender) { RowHeadersListChanged(Sender); };
    FSortlist = std::make_unique<TStringList>();
    FLookupItems = std::make_unique<TStringList>();
    FRowSelect = std::make_unique<TList>();
    FColSelect = std::make_unique<TList>();
    FSortIndexes = std::make_unique<TSortIndexList>();
    FSortRowXRef = std::make_unique<TIntList>(0, 0);
    FUnSortRowXRef = std::make_unique<TIntList>(0, 0);
    FMergedColumns = std::make_unique<TIntList>(0, 0);
    FMergedColumns->OnChange = [this](TObject* Sender, Integer, Integer) { MergedColumnsChanged(Sender); };
    FSelectedCells = std::make_unique<TIntList>(0, 0);
    FSelectedRows = std::make_unique<TIntList>(0, 0);
    FModifiedRows = std::make_unique<TIntList>(0, 0);
    FEnabledRows = std::make_unique<TIntList>(0, 0);
    FRowIndicator = std::make_unique<TBitmap>();
    FBackGround = std::make_unique<TBackGround>(this);
    FBackGround->OnChange = [this](TObject* Sender) { SettingsChanged(Sender); };
    FControlList = std::make_unique<TControlList>();
    FProgressAppearance = std::make_unique<TGridProgressAppearance>();
    FProgressAppearance->OnChange = [this](TObject* Sender) { SettingsChanged(Sender); };
    FSyncGrid = std::make_unique<TSyncGrid>(this);
}

void TExStringGrid::SetDefaults()
{
    FInvalidEntryIcon = ieWarning;
    FSearchTicks = 0;
    SetRowCount(10);
    SetWidth(400);
    SetHeight(250);
    FGridItems = std::make_unique<TGridItems>();
    FFilter = std::make_unique<TFilter>(this);
    FFilter->OnColumnFilterRemoved = [this](TObject*, Integer ACol) {
        if (ACol >= 0 && ACol < AllColCount() && !IsHiddenColumn(ACol))
            RepaintCell(DisplColIndex(ACol), 0);
    };
    FAutoSize = false;
    FXMLEncoding = QStringLiteral("ISO-8859-1");
    FFilterDropDownClear = QStringLiteral("(All)");
    FDelimiter = Char(0);
}

void TExStringGrid::CreateWindowObjects()
{
    FFocusWindow = new TGridFocusWindow(this);
    ArwU = new TArrowWindow(this, arrUp);
    ArwD = new TArrowWindow(this, arrDown);
    ArwL = new TArrowWindow(this, arrLeft);
    ArwR = new TArrowWindow(this, arrRight);
    MoveButton = new THeaderDragButton(this);
    MoveButton->SetParent(this);
    MoveButton->SetGrid(this);
    MoveButton->SetVisible(false);
    MoveButton->SetEnabled(false);
    CreateSharedEditors();
    EditTrans = new TGridTransEdit(this);
    EditTrans->SetParent(this);
    ComboTrans = new TGridTransCombo(this);
    ComboTrans->SetParent(this);
}

// ---------------------------------------------------------------- destruction

TExStringGrid::~TExStringGrid()
{
    FDestroying = true;
    // The window hook must not reach a grid that is gone.
    HideFocusWindow();
    FreeScrollControls();
    if (!IsDesigning()) {
        BalloonDone();
        GiveBackFormResize();
    }
    if (FColumnSize->Save()) {
        try {
            SaveColSizes();
        } catch (const Exception&) {
            // A store that cannot be written loses the widths; a destructor may not raise.
        }
    }
    FClearTextOnly = false;
    FSaveHiddenCells = false;
    UnHideColumnsAll();
    FreeHiddenRowObjects();
    if (NumHiddenRows() == 0 && !HasNodes()) {
        TBaseGrid::SetRowCount(std::max(RowCount(), FMaxRowCount));
        TBaseGrid::SetColCount(std::max(ColCount(), FMaxColCount));
    }
    FreeAllCellObjects();
    if (Cursor() != FOldCursor)
        TControl::SetCursor(FOldCursor);
}

// Every cell of the store, also beyond the counts, gives back its graphic
// and properties; the base grid frees what remains.
void TExStringGrid::FreeAllCellObjects()
{
    const Integer Cols = SlotColExtent();
    for (Integer R = 0; R < SlotRowExtent(); ++R)
        for (Integer C = 0; C < Cols; ++C)
            if (TObject* Obj = SlotObject(C, R)) {
                SetSlotObject(C, R, nullptr);
                FreeCellObject(Obj);
            }
}

void TExStringGrid::FreeCellObject(TObject* AObject)
{
    auto* Props = dynamic_cast<TCellProperties*>(AObject);
    if (!Props)
        return;
    TObject* Graphic = GetPropertiesGraphic(Props);
    delete Props;
    delete Graphic;
}

void TExStringGrid::FreeHiddenRowObjects()
{
    for (int I = 0; I < FGridItems->Count(); ++I)
        for (auto& Slot : FGridItems->Items(I)->RowStrings()->Row())
            FreeCellObject(std::exchange(Slot.Object, nullptr));
    FGridItems->Clear();
}

void TExStringGrid::FreeScrollControls()
{
    delete std::exchange(vscrlctrl, nullptr);
    delete std::exchange(hscrlctrl, nullptr);
}

// ---------------------------------------------------------------- window

void TExStringGrid::CreateWnd()
{
    if (FDestroying)
        return;
    TBaseGrid::CreateWnd();
    if (!Parent())
        return;
    if (!IsDesigning() && FScrollType == ssMetro)
        InstallThinScrollControls();
    if (!IsDesigning() && FBalloonSettings->Enable())
        BalloonInit();
    FFooterPanel->SetParent(this);
    FFooterPanel->SetVisible(FFloatingFooter->Visible());
    FSearchPanel->SetParent(this);
    FSearchPanel->SetVisible(FSearchFooter->Visible());
    FSearchPanel->SetHeight(FSearchFooter->Visible() ? SearchPanelHeight : 0);
    if (FColumnSize->Save())
        LoadColSizes();
    TWinControl::SetTimer(GridTimerID, GridTimerPeriod);
    if (IsDesigning() && !FGridLoaded && !ComponentState().Contains(csLoading))
        Font()->SetName(QStringLiteral("Tahoma"));
    FIsWinXP = FIsWinXP && IsThemeActive();
    WheelLinesFromSystem();
}

// Lines per wheel notch; a page setting scrolls what is in view.
bool TExStringGrid::WheelLinesFromSystem()
{
    const Integer Lines = Mouse->WheelScrollLines();
    FWheelScrollLines = Lines == -1 ? VisibleRowCount() : Lines;
    return Lines == -1;
}

// ---------------------------------------------------------------- loading

void TExStringGrid::Loaded()
{
    TBaseGrid::Loaded();
    FOldCursor = Cursor();
    ShowColumnHeaders();
    ShowRowHeaders();
    if (FLook == glQVX) {
        FLook = glCustom;
        SetLook(glQVX);
    }
    if (FAutoSize)
        AutoSizeColumns(false, 4);
    if (FColumnSize->Save())
        LoadColSizes();
    FFixedRowsMin = TBaseGrid::FixedRows();
    FFixedColsMin = TBaseGrid::FixedCols();
    FMinRowHeight = DefaultRowHeight();
    FMinColWidth = 10;
    FMaxRowCount = RowCount();
    FGridLoaded = true;
    if (Options().Contains(goAlwaysShowEditor)) {
        SetOptions(Options() - goAlwaysShowEditor);
        FNavigation->SetAlwaysEdit(true);
    }
    if (!IsThemeActive() && FControlLook->ControlStyle() == csTheme && !IsDesigning())
        FControlLook->SetControlStyle(csClassic);
    FSearchFooter->SetAutoThemeAdapt(FAutoThemeAdapt);
    UpdateSearchFooter();
    UpdateScrollBarAlways(false);
    if (FAutoThemeAdapt && !IsDesigning())
        AdaptToOfficeTheme();
    InitOrigColSizes();
    SetColumnOrder();
    if (FBalloonSettings->Enable())
        BalloonInit();
    ApplyVCLStyleColors();
}

// ---------------------------------------------------------------- assignment

void TExStringGrid::Assign(TPersistent* Source)
{
    auto* From = dynamic_cast<TExStringGrid*>(Source);
    if (!From || From == this)
        return;
    AssignSettings(From);
    AssignCells(From);
}

void TExStringGrid::AssignSettings(TExStringGrid* Source)
{
    Font()->Assign(Source->Font());
    FActiveCellColor = Source->FActiveCellColor;
    FActiveCellColorTo = Source->FActiveCellColorTo;
    FActiveCellFont->Assign(Source->FActiveCellFont.get());
    FActiveCellShow = Source->FActiveCellShow;
    SetActiveRowShow(Source->ActiveRowShow());
    SetAlign(Source->Align());
    FFilterDropDown->Assign(Source->FFilterDropDown.get());
    FAnchorHint = Source->FAnchorHint;
    FAutoNumAlign = Source->FAutoNumAlign;
    SetAutoSize(Source->FAutoSize);
    FAutoThemeAdapt = Source->FAutoThemeAdapt;
    FAutoFilterUpdate = Source->FAutoFilterUpdate;
    FMouseActions->Assign(Source->FMouseActions.get());
    FNavigation->Assign(Source->FNavigation.get());
    FGrouping->Assign(Source->FGrouping.get());
    FSearchFooter->Assign(Source->FSearchFooter.get());
    FPrintSettings->Assign(Source->FPrintSettings.get());
    FFilter->Assign(Source->FFilter.get());
    FHTMLSettings->Assign(Source->FHTMLSettings.get());
    FBands->Assign(Source->FBands.get());
    FCellNode->Assign(Source->FCellNode.get());
    FSortSettings->Assign(Source->FSortSettings.get());
    FDragScrollOptions->Assign(Source->FDragScrollOptions.get());
    FDragDropSettings->Assign(Source->FDragDropSettings.get());
    FProgressAppearance->Assign(Source->FProgressAppearance.get());
    FColumnSize->Assign(Source->FColumnSize.get());
    FSyncGrid->Assign(Source->FSyncGrid.get());
    FFocusHelper->Assign(Source->FFocusHelper.get());
    FFixedRowAlways = Source->FFixedRowAlways;
    SetColCount(Source->ColCount());
    SetRowCount(Source->RowCount());
    SetFixedRows(Source->TBaseGrid::FixedRows());
    SetFixedCols(Source->TBaseGrid::FixedCols());
    SetDefaultColWidth(Source->DefaultColWidth());
    SetDefaultRowHeight(Source->DefaultRowHeight());
    SetFixedRowHeight(Source->FixedRowHeight());
    SetFixedColWidth(Source->FixedColWidth());
    FInvalidEntryTitle = Source->FInvalidEntryTitle;
    FInvalidEntryIcon = Source->FInvalidEntryIcon;
    FInvalidEntryText = Source->FInvalidEntryText;
    SetOptions(Source->Options());
    for (Integer C = 0; C < ColCount(); ++C)
        SetColWidths(C, Source->ColWidths(C));
    SetColumnHeaders(Source->ColumnHeaders());
    for (Integer R = 0; R < RowCount(); ++R)
        SetRowHeights(R, Source->RowHeights(R));
    FScrollProportional = Source->FScrollProportional;
    FScrollSynch = Source->FScrollSynch;
    FScrollWidth = Source->FScrollWidth;
    FScrollHints = Source->FScrollHints;
    SetScrollBarAlways(Source->FScrollBarAlways);
    SetScrollBars(Source->ScrollBars());
    FScrollColor = Source->FScrollColor;
    FScrollType = Source->FScrollType;
    SetScrollWidth(Source->FScrollWidth);
}

void TExStringGrid::AssignCells(TPersistent* Source)
{
    auto* From = dynamic_cast<TExStringGrid*>(Source);
    if (!From || From == this)
        return;
    TMemoryStream Stream;
    From->SaveToStream(&Stream);
    Stream.SetPosition(0);
    LoadFromStream(&Stream);
}

// ---------------------------------------------------------------- painting and sizes

void TExStringGrid::Invalidate()
{
    if (FEditChange) {
        FEditChange = false;
        return;
    }
    TBaseGrid::Invalidate();
    TBaseGrid::InvalidateGrid();
    if (!ComponentState().Contains(csLoading) && FFloatingFooter->Visible())
        FFooterPanel->Invalidate();
}

void TExStringGrid::Resize()
{
    TBaseGrid::Resize();
    if (OnGridResize)
        OnGridResize(this);
    const TBackGroundDisplay Display = FBackGround->Display();
    if ((Display == bdGradientHorz || Display == bdGradientVert) && FBackGround->ColorTo() != clNone)
        Invalidate();
    UpdateScrollBarAlways(false);
    CellControlsUpdate(false);
    if (IsDesigning())
        Invalidate();
}

Integer TExStringGrid::IntegralHeightFor(Integer AHeight) const
{
    const bool ColumnsFit = VisibleColCount() + TBaseGrid::FixedCols() >= ColCount();
    const Integer S = ColumnsFit ? 0 : GetSystemMetrics(SM_CYHSCROLL);
    const Integer B = BorderStyle() == bsSingle ? 2 : 0;
    return AHeight + B - ((AHeight - S - B) % DefaultRowHeight());
}

void TExStringGrid::SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight)
{
    if (FIntegralHeight && FUpdateCount == 0 && DefaultRowHeight() > 0)
        AHeight = IntegralHeightFor(AHeight);
    TBaseGrid::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (Parent() && Parent()->HandleAllocated())
        PaintBorder();
}

void TExStringGrid::SetBorderColor(TColor Value)
{
    if (Value == FBorderColor)
        return;
    FBorderColor = Value;
    if (Parent() && Parent()->HandleAllocated())
        PaintBorder();
}

void TExStringGrid::UpdateScrollBarAlways(bool Force)
{
    const bool RowsFit = VisibleRowCount() + TBaseGrid::FixedRows() >= RowCount();
    const bool ColsFit = VisibleColCount() + TBaseGrid::FixedCols() >= ColCount();
    if (FScrollBarAlways != saNone) {
        if (RowsFit)
            ShowScrollBar(SB_VERT, FScrollBarAlways == saVert || FScrollBarAlways == saBoth);
        if (ColsFit)
            ShowScrollBar(SB_HORZ, FScrollBarAlways == saHorz || FScrollBarAlways == saBoth);
        EnableScrollBar(SB_VERT, !RowsFit);
        EnableScrollBar(SB_HORZ, !ColsFit);
    } else if (Force) {
        if (RowsFit)
            ShowScrollBar(SB_VERT, false);
        if (ColsFit)
            ShowScrollBar(SB_HORZ, false);
    }
}

void TExStringGrid::SetScrollBarAlways(TScrollBarAlways Value)
{
    FScrollBarAlways = Value;
    UpdateScrollBarAlways(true);
}

void TExStringGrid::SettingsChanged(TObject*)
{
    Invalidate();
}

void TExStringGrid::SetFilterDropDownRow(Integer Value)
{
    if (Value < TBaseGrid::FixedRows())
        FFilterRow = Value;
}

template <class T>
void TExStringGrid::KeepLinked(T*& Field, T* Value)
{
    Field = Value;
    if (Value)
        Value->FreeNotification(this);
}

void TExStringGrid::SetCellChecker(TExStringGridCheck* Value)
{
    KeepLinked(FCellChecker, Value);
}

void TExStringGrid::SetFixedDropDownMenu(TPopupMenu* Value)
{
    KeepLinked(FFixedDropDownMenu, Value);
}

void TExStringGrid::SetGridImages(TImageList* Value)
{
    KeepLinked(FGridImages, Value);
}

void TExStringGrid::SetPictureContainer(TPictureContainer* Value)
{
    KeepLinked(FContainer, Value);
}

// ---------------------------------------------------------------- column size settings

void TColumnSize::Assign(TPersistent* Source)
{
    auto* From = dynamic_cast<TColumnSize*>(Source);
    if (!From)
        return;
    FRows = From->FRows;
    FSave = From->FSave;
    FKey = From->FKey;
    FSection = From->FSection;
    FStretch = From->FStretch;
    FStretchColumn = From->FStretchColumn;
    FSynchWithGrid = From->FSynchWithGrid;
    FSynchNormalCellsOnly = From->FSynchNormalCellsOnly;
    FLocation = From->FLocation;
}

void TColumnSize::SetStretch(bool Value)
{
    FStretch = Value;
    if (FOwner->Parent())
        FOwner->StretchColumn(FStretchColumn);
}
