// The gallery window's examples, laid out in rows of columns; each family of
// drop-down editors adds its examples through a function of its own file.
#pragma once

#include "controls/dropdown/ExDropDown.h"
#include "controls/dropdown/ExItemSelector.h"
#include "rtl/Forms.h"

#include <QPoint>
#include <QString>

#include <algorithm>
#include <functional>
#include <map>

constexpr Integer RowHeight = 32;
constexpr Integer RowsPerColumn = 16;
constexpr Integer ColumnWidth = 420;
constexpr Integer SelectorHeight = 90;

struct TGallery {
    TForm* Form = nullptr;
    std::map<QString, TExCustomDropDown*> Examples;
    TExCustomItemSelector* Selector = nullptr;
    // Examples that open by starting an edit: each answers the editor.
    std::map<QString, std::function<TExCustomDropDown*()>> Openers;
    // Room right of the rows for examples of their own size.
    Integer ExtraWidth = 0;
    Integer ExtraHeight = 0;
    Integer Rows = 0;

    // Top left of the next row's label; a full column starts the next one.
    QPoint NextRow()
    {
        const Integer Row = Rows++;
        return {12 + (Row / RowsPerColumn) * ColumnWidth, 12 + (Row % RowsPerColumn) * RowHeight};
    }
    Integer Columns() const { return Rows == 0 ? 1 : (Rows - 1) / RowsPerColumn + 1; }
    Integer Width() const { return Columns() * ColumnWidth + ExtraWidth; }
    Integer Height() const { return std::max(24 + std::min(Rows, RowsPerColumn) * RowHeight, ExtraHeight); }

    template <class T = TExCustomDropDown>
    T* Add(const QString& Name, const QString& Caption)
    {
        auto* D = NewObject<T>(Form);
        D->SetParent(Form);
        const QPoint At = NextRow();
        D->SetBounds(At.x() + 148, At.y(), 200, D->Height());
        D->SetLabelPosition(dropdown::lpLeftCenter);
        D->SetLabelCaption(Caption);
        Examples[Name] = D;
        return D;
    }
    TExCustomDropDown* AddEditType(const QString& Name, const QString& Caption, TDropDownEditType Type)
    {
        TExCustomDropDown* D = Add(Name, Caption);
        D->SetEditType(Type);
        return D;
    }
};

// The time pickers, the clock face on its own and the detail list
// (Gallery_Time.cpp).
void AddTimeExamples(TGallery& G);
// The multi-column drop-down (Gallery_MultiColumn.cpp).
void AddMultiColumnExamples(TGallery& G);
// The colour and image pickers (Gallery_Pickers.cpp).
void AddPickerExamples(TGallery& G);
// The grid drop-downs and a string grid with the nine drop-down cell
// editors (Gallery_Grid.cpp).
void AddGridExamples(TGallery& G);
void AddGridEditorsExample(TGallery& G);
