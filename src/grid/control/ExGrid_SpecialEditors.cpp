// The string grid: the rich editors and the drop-down editors, each made
// on first use, hidden, owned and parented by the grid.
#include "grid/control/ExGrid.h"

#include "controls/dropdown/ExGrid_DropDownEditors.h"
#include "grid/control/ExGrid_RichEdit.h"

namespace {

// A hidden child of the grid, made the first time it is asked for.
template <class TEditor, class TField, class TSetUp>
TEditor* MadeOnce(TExStringGrid* Grid, TField*& Field, TSetUp SetUp)
{
    if (!Field) {
        auto* Editor = NewObject<TEditor>(Grid);
        Editor->SetParent(Grid);
        Editor->SetVisible(false);
        Field = Editor;
        SetUp(Editor);
    }
    return static_cast<TEditor*>(Field);
}

} // namespace

TExRichEdit* TExStringGrid::GetRichEdit()
{
    return MadeOnce<TExRichEdit>(this, FRichEdit, [](TExRichEdit* E) {
        E->SetBounds(0, 0, 0, 0);
        E->SetBorderStyle(bsNone);
        SetWindowTransparent(E->Handle());
    });
}

TExRichEdit* TExStringGrid::GetInplaceRichEdit()
{
    return MadeOnce<TExRichEdit>(this, FInplaceRichEdit, [this](TExRichEdit* E) {
        E->OnSelectionChange = [this](TObject* Sender) { RichEditSelChange(Sender); };
    });
}

// The drop-down editors take the grid's style and tones.
#define GRID_DROPDOWN_GETTER(Getter, Class, Field, ...)                                     \
    Class* TExStringGrid::Getter()                                                       \
    {                                                                                    \
        return MadeOnce<Class>(this, Field, [this]([[maybe_unused]] Class* E) {          \
            E->SetComponentStyle(FCurrentStyle);                                         \
            E->SetColorTones(FTones);                                                    \
            __VA_ARGS__;                                                                 \
        });                                                                              \
    }

GRID_DROPDOWN_GETTER(GetTrackbarDropDown, TGridTrackbarDropDown, FEditTrackBar, E->SetEditorEnabled(true))
GRID_DROPDOWN_GETTER(GetCalculatorDropDown, TGridCalculatorDropDown, FEditCalculator, E->SetEditorEnabled(true))
GRID_DROPDOWN_GETTER(GetMemoDropDown, TGridMemoDropDown, FEditMemo,
                  E->OnChange = [this, E](TObject*) { SetEditText(Col(), Row(), E->Text()); })
GRID_DROPDOWN_GETTER(GetTimePickerDropDown, TGridTimepickerDropDown, FEditTimePicker, )
GRID_DROPDOWN_GETTER(GetDetailPickerDropDown, TGridDetailPickerDropDown, FEditDetailPicker, )
GRID_DROPDOWN_GETTER(GetGridDropDown, TGridGridDropDown, FEditGridPicker, )
GRID_DROPDOWN_GETTER(GetExGridDropDown, TGridExGridDropDown, FEditExGridPicker, )
GRID_DROPDOWN_GETTER(GetColorPickerDropDown, TGridColorDropDown, FEditColorPicker, E->AddDefaultColors();
                  E->OnSelect = [this](TObject*) { DoColorSelect(Col(), Row()); })
GRID_DROPDOWN_GETTER(GetImagePickerDropDown, TGridImageDropDown, FEditImagePicker,
                  E->OnSelect = [this](TObject*) { DoImageSelect(Col(), Row()); })

#undef GRID_DROPDOWN_GETTER
