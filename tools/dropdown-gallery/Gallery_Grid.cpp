// The grid drop-downs of the gallery: one from items, sorted on a header
// click and looked up while typing; one whose owner fills its grid, narrowed
// while typing.
#include "Gallery.h"
#include "controls/dropdown/ExCustomGridDropDown.h"
#include "controls/dropdown/ExGrid_DropDownEditors.h"
#include "grid/control/ExGrid_Graphic.h"
#include "rtl/ImgList.h"

#include <array>

using namespace exgriddropdown;

namespace {

constexpr std::array<const char*, 6> Kinds = {"Pressure sensor", "Temperature probe", "Valve island",
                                              "Proximity switch", "Flow meter", "Signal lamp"};

void AddColumn(TCustomExGridDropDown* D, const char* Header, Integer Width)
{
    TDropDownColumn* C = D->Columns()->Add();
    C->SetHeader(QString::fromLatin1(Header));
    C->SetWidth(Width);
}

} // namespace

void AddGridExamples(TGallery& G)
{
    auto* D = G.Add<TCustomExGridDropDown>(QStringLiteral("grid"), QStringLiteral("Grid from items"));
    AddColumn(D, "Device", 140);
    AddColumn(D, "Port", 50);
    AddColumn(D, "Address", 80);
    D->Columns()->Items(1)->SetAlignment(taCenter);
    for (Integer I = 0; I < 30; ++I) {
        TStringList* Text = D->Items()->Add()->Text();
        Text->Add(QStringLiteral("%1 %2").arg(QString::fromLatin1(Kinds[std::size_t(I % 6)])).arg(I / 6 + 1));
        Text->Add(QString::number(I % 8 + 1));
        Text->Add(QStringLiteral("0x%1").arg(0x40 + I * 3, 2, 16, QLatin1Char('0')));
    }
    D->EndUpdate();
    D->SetSorting(gsSingleColumn);
    D->SetLookupMethod(lmLookup);
    D->SetDropDownHeight(260);
    D->SetItemIndex(3);

    auto* N = G.Add<TCustomExGridDropDown>(QStringLiteral("grid-narrow"), QStringLiteral("Grid, narrowing"));
    N->SetUseItems(false);
    N->SetLookupMethod(lmNarrowDown);
    N->SetDropDownHeight(260);
    TExColGrid* Grid = N->GetGrid();
    Grid->SetColCount(2);
    Grid->SetRowCount(25);
    Grid->SetCells(0, 0, QStringLiteral("Parameter"));
    Grid->SetCells(1, 0, QStringLiteral("Value"));
    for (Integer R = 1; R < 25; ++R) {
        Grid->SetCells(0, R, QStringLiteral("%1 limit %2").arg(QString::fromLatin1(Kinds[std::size_t(R % 6)])).arg(R));
        Grid->SetCells(1, R, QString::number(R * 25));
    }
}

// ---------------------------------------------------------------- the cell editors

namespace {

// Column by column: the editor kind, the header and the first row's value.
struct TEditorColumn {
    TEditorType Kind;
    const char* Header;
};

constexpr std::array<TEditorColumn, 9> EditorColumns = {{
    {edTrackbarDropDown, "Track bar"},
    {edMemoDropDown, "Memo"},
    {edCalculatorDropDown, "Calculator"},
    {edTimePickerDropDown, "Time"},
    {edDetailDropDown, "Detail"},
    {edGridDropDown, "Multi-column"},
    {edColorPickerDropDown, "Colour"},
    {edImagePickerDropDown, "Image"},
    {edExGridDropDown, "Grid"},
}};

constexpr Integer EditorRows = 6;
constexpr Integer CalculatorColumn = 3;
constexpr double CalculatorLimit = 1000;

TImageList* MakeLamps(TComponent* Owner)
{
    auto* Images = new TImageList(Owner, 14, 14);
    for (const TColor Lamp : {TColor(0x30A030), TColor(0x10A0F0), TColor(0x2020D0), TColor(0x909090)}) {
        TBitmap Picture(14, 14);
        TCanvas* C = Picture.Canvas();
        C->Brush()->SetColor(clWhite);
        C->FillRect(TRect(0, 0, 14, 14));
        C->Brush()->SetColor(Lamp);
        C->Ellipse(1, 1, 13, 13);
        Images->Add(&Picture, nullptr);
    }
    return Images;
}

// The lists the detail, multi-column and grid editors offer.
void FillEditorLists(TExStringGrid* Grid)
{
    for (const char* Caption : {"Ready", "Warning", "Fault", "Off"})
        Grid->GetDetailPickerDropDown()->Items()->Add()->SetCaption(QString::fromLatin1(Caption));
    auto* Multi = Grid->GetGridDropDown();
    Multi->Columns()->Add()->SetHeader(QStringLiteral("Device"));
    Multi->Columns()->Add()->SetHeader(QStringLiteral("Port"));
    auto* Lookup = Grid->GetExGridDropDown();
    AddColumn(Lookup, "Device", 140);
    AddColumn(Lookup, "Port", 50);
    for (Integer I = 0; I < 12; ++I) {
        const String Name = QStringLiteral("%1 %2").arg(QString::fromLatin1(Kinds[std::size_t(I % 6)])).arg(I / 6 + 1);
        for (TStringList* Text : {Multi->Items()->Add()->Text(), Lookup->Items()->Add()->Text()}) {
            Text->Add(Name);
            Text->Add(QString::number(I % 8 + 1));
        }
    }
    Multi->EndUpdate();
    Lookup->EndUpdate();
    Lookup->SetSorting(gsSingleColumn);
}

void FillEditorCells(TExStringGrid* Grid)
{
    for (Integer C = 0; C < Integer(EditorColumns.size()); ++C)
        Grid->SetCells(C + 1, 0, QString::fromLatin1(EditorColumns[std::size_t(C)].Header));
    for (Integer R = 1; R < EditorRows; ++R) {
        Grid->SetCells(0, R, QString::number(R));
        Grid->SetCells(1, R, QString::number(R * 2));
        Grid->SetCells(2, R, QStringLiteral("Line one of %1\nLine two").arg(R));
        Grid->SetCells(3, R, QString::number(R * 12.5, 'f', 2));
        Grid->SetCells(4, R, QStringLiteral("%1:%2:00").arg(8 + R, 2, 10, QLatin1Char('0')).arg(R * 7 % 60, 2, 10,
                                                                                               QLatin1Char('0')));
        Grid->SetCells(5, R, QString::fromLatin1(std::array{"Ready", "Warning", "Fault", "Off"}[std::size_t(R % 4)]));
        Grid->SetCells(6, R, QStringLiteral("%1 1").arg(QString::fromLatin1(Kinds[std::size_t(R % 6)])));
        Grid->SetColors(7, R, std::array{TColor(0x3030D0), TColor(0x30A030), TColor(0xD07030)}[std::size_t(R % 3)]);
        Grid->AddDataImage(8, R, R % 4, haCenter, vaCenter);
        Grid->SetCells(8, R, QString::number(R % 4));
        Grid->SetCells(9, R, QStringLiteral("%1 2").arg(QString::fromLatin1(Kinds[std::size_t(R % 6)])));
    }
}

} // namespace

void AddGridEditorsExample(TGallery& G)
{
    auto* Grid = new TExStringGrid(G.Form);
    Grid->SetParent(G.Form);
    const Integer Left = G.Width() + 12;
    Grid->SetColCount(Integer(EditorColumns.size()) + 1);
    Grid->SetRowCount(EditorRows);
    Grid->SetDefaultColWidth(96);
    Grid->SetColWidths(0, 30);
    Grid->SetOptions(Grid->Options() + TGridOptions{goEditing, goTabs});
    Grid->SetGridImages(MakeLamps(G.Form));
    Grid->SetBounds(Left, 12, 30 + 96 * Integer(EditorColumns.size()) + 4, 24 * EditorRows + 8);
    Grid->OnGetEditorType = [](TObject*, Integer ACol, Integer, TEditorType& AEditor) {
        if (ACol >= 1 && ACol <= Integer(EditorColumns.size()))
            AEditor = EditorColumns[std::size_t(ACol - 1)].Kind;
    };
    // The calculator's column refuses values above the limit and offers it.
    Grid->OnCellValidate = [](TObject*, Integer ACol, Integer, String& Value, bool& Valid) {
        bool Number = false;
        if (ACol == CalculatorColumn && Value.toDouble(&Number) > CalculatorLimit && Number) {
            Value = QString::number(CalculatorLimit, 'f', 2);
            Valid = false;
        }
    };
    FillEditorLists(Grid);
    FillEditorCells(Grid);
    G.ExtraWidth += Grid->Width() + 24;
    G.ExtraHeight = std::max(G.ExtraHeight, Grid->Top() + Grid->Height() + 12);
    G.Openers[QStringLiteral("grid-editors")] = [Grid] {
        Grid->SetFocus();
        Grid->MoveToCell(CalculatorColumn, 2);
        Grid->ShowInplaceEdit();
        return static_cast<TExCustomDropDown*>(Grid->GetCalculatorDropDown());
    };
}
