#pragma once
// The column grid of a table window, built in code the way a window builds
// it: marked as loading, columns and items set, rows filled, one column
// hidden, then Loaded. 513 rows (one header row), 14 real columns with
// column 0 "N" fixed, a data check-box column, a list and an edit combo
// column, a read-only coloured column, a fixed column and bold headers.
// Shared by the tests, the paging benchmark and the screenshot.
#include "grid/control/ExCGrid.h"

#include "rtl/Forms.h"

#include <array>
#include <memory>

class TFixtureColumnGrid : public TExColumnGrid {
public:
    using TExColumnGrid::TExColumnGrid;
    using TComponent::Loading;
    using TExColumnGrid::ColumnMoved;
    using TExColumnGrid::GetCellDefaults;
    using TExColumnGrid::GetEditLimit;
    using TExColumnGrid::GetEditMask;
    using TExColumnGrid::ColumnPopupClick;
    using TExStringGrid::FFilterCol;
};

namespace colgrid {

constexpr Integer RowCount = 513;
constexpr Integer ColCount = 14;
// Real columns.
constexpr Integer ColN = 0;
constexpr Integer ColName = 1;
constexpr Integer ColIndex = 2; // hidden
constexpr Integer ColEnabled = 3; // edDataCheckBox "Y"/"N", centred
constexpr Integer ColType = 4; // edComboList
constexpr Integer ColUnit = 5; // edComboEdit
constexpr Integer ColAddress = 6; // ReadOnly, coloured
constexpr Integer ColLength = 7; // Fixed
constexpr Integer ColValue = 8;
constexpr Integer ColDescription = 13;
constexpr TColor AddressColor = RGB(255, 244, 214);
constexpr Integer TypeDropDownCount = 5;
constexpr Integer UnitDropDownCount = 3;

inline const std::array<const char*, ColCount>& Headers()
{
    static const std::array<const char*, ColCount> H{"N",       "Name",   "Index", "Enabled", "Type",
                                                     "Unit",    "Address", "Length", "Value",  "Offset",
                                                     "Bit",     "Min",    "Max",   "Description"};
    return H;
}

inline QStringList TypeItems()
{
    return {QStringLiteral("UInt8"), QStringLiteral("Int16"), QStringLiteral("UInt16"), QStringLiteral("Int32"),
            QStringLiteral("Float32"), QStringLiteral("String")};
}

inline QStringList UnitItems()
{
    return {QStringLiteral("mA"), QStringLiteral("V"), QStringLiteral("bar"), QStringLiteral("degC")};
}

inline bool Checked(Integer ARow)
{
    return ARow % 3 != 0;
}

// The text of real column C in row R (R >= 1) as the fixture writes it.
inline String CellText(Integer C, Integer R)
{
    switch (C) {
    case ColN:
        return QString::number(R);
    case ColName:
        return QStringLiteral("Variable_%1").arg(R);
    case ColIndex:
        return QString::number(R + 15);
    case ColEnabled:
        return Checked(R) ? QStringLiteral("Y") : QStringLiteral("N");
    case ColType:
        return TypeItems().at(R % TypeItems().size());
    case ColUnit:
        return UnitItems().at(R % UnitItems().size());
    case ColAddress:
        return QString::number(R * 4);
    case ColLength:
        return QString::number(1 << (R % 3));
    case ColValue:
        return QString::number(R * 0.25, 'f', 2);
    case ColDescription:
        return QStringLiteral("Process data of port %1").arg(R % 8 + 1);
    default:
        return QString::number((R * 7 + C) % 100);
    }
}

inline void SetBold(TFont* Font)
{
    Font->SetStyle(TFontStyles{fsBold});
}

inline void SetUpItems(TExColumnGrid* Grid)
{
    TGridColumnCollection* Columns = Grid->Columns();
    for (Integer C = 0; C < ColCount; ++C) {
        TGridColumnItem* Item = Columns->Items(C);
        Item->SetHeader(QString::fromLatin1(Headers()[std::size_t(C)]));
        Item->SetName(Item->Header());
        SetBold(Item->HeaderFont());
        Item->SetWidth(C == ColN ? 34 : C == ColDescription ? 170 : 72);
    }
    TGridColumnItem* Enabled = Columns->Items(ColEnabled);
    Enabled->SetEditor(edDataCheckBox);
    Enabled->SetCheckTrue(QStringLiteral("Y"));
    Enabled->SetCheckFalse(QStringLiteral("N"));
    Enabled->SetAlignment(taCenter);
    TGridColumnItem* Type = Columns->Items(ColType);
    Type->SetEditor(edComboList);
    Type->ComboItems()->SetText(TypeItems().join(u'\n'));
    Type->SetDropDownCount(TypeDropDownCount);
    TGridColumnItem* Unit = Columns->Items(ColUnit);
    Unit->SetEditor(edComboEdit);
    Unit->ComboItems()->SetText(UnitItems().join(u'\n'));
    Unit->SetDropDownCount(UnitDropDownCount);
    TGridColumnItem* Address = Columns->Items(ColAddress);
    Address->SetReadOnly(true);
    Address->SetColor(AddressColor);
    Address->SetAlignment(taRightJustify);
    Columns->Items(ColLength)->SetFixed(true);
}

// Builds the fixture into Grid (made on a form, not yet shown).
inline void Build(TFixtureColumnGrid* Grid)
{
    Grid->Loading();
    Grid->SetColCount(ColCount);
    Grid->SetRowCount(RowCount);
    Grid->SetFixedRows(1);
    Grid->SetFixedCols(1);
    Grid->SetDefaultRowHeight(22);
    Grid->SetOptions(Grid->Options() + TGridOptions{goEditing});
    SetUpItems(Grid);
    for (Integer R = 1; R < RowCount; ++R)
        for (Integer C = 0; C < ColCount; ++C)
            Grid->SetCells(C, R, CellText(C, R));
    Grid->HideColumn(ColIndex);
    Grid->Loaded();
}

} // namespace colgrid

// The fixture grid on an offscreen form of 1000 x 600 pixels.
struct TColumnGridForm {
    TColumnGridForm()
    {
        Form = std::make_unique<TForm>(nullptr);
        Form->SetClientWidth(1000);
        Form->SetClientHeight(600);
        Grid = new TFixtureColumnGrid(Form.get());
        Grid->SetParent(Form.get());
        Grid->SetBounds(0, 0, 1000, 600);
        colgrid::Build(Grid);
    }

    std::unique_ptr<TForm> Form;
    TFixtureColumnGrid* Grid = nullptr;
};
