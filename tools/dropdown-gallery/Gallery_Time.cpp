// The gallery's time and detail examples: two time pickers, a clock face
// on its own with a chooser of its presets, and a detail list.
#include "Gallery.h"
#include "controls/dropdown/ExDetailDropDown.h"
#include "controls/dropdown/ExTimePickerDropDown.h"
#include "controls/dropdown/ExWatch.h"

namespace {

constexpr Integer ClockSide = 180;
// The rows the clock face covers.
constexpr Integer ClockRows = (ClockSide + 12 + RowHeight - 1) / RowHeight;

// The clock face takes the rows it covers, all in one column, with a
// chooser of the twelve presets in the first of them.
void AddClockFace(TGallery& G)
{
    while (G.Rows % RowsPerColumn + ClockRows > RowsPerColumn)
        G.NextRow();
    const QPoint At = G.NextRow();
    auto* Label = new TLabel(G.Form);
    Label->SetParent(G.Form);
    Label->SetCaption(QStringLiteral("Clock face"));
    Label->SetBounds(At.x(), At.y() + 4, 140, 20);
    auto* Chooser = new TComboBox(G.Form);
    Chooser->SetParent(G.Form);
    Chooser->SetStyle(csDropDownList);
    Chooser->SetBounds(At.x(), At.y() + 28, 140, 24);
    for (Integer S = Integer(wsClassic); S <= Integer(wsSmooth); ++S)
        Chooser->Items()->Add(GetEnumName(TWatchStyle(S)));
    auto* Watch = new TExWatch(G.Form);
    Watch->SetParent(G.Form);
    Watch->SetBounds(At.x() + 148, At.y(), ClockSide, ClockSide);
    Watch->SetTime(EncodeTime(10, 10, 30, 0));
    Chooser->SetItemIndex(Integer(wsClassic));
    Chooser->OnChange = [Watch, Chooser](TObject*) {
        if (Chooser->ItemIndex() >= 0)
            Watch->SetStyle(TWatchStyle(Chooser->ItemIndex()));
    };
    for (Integer Row = 1; Row < ClockRows; ++Row)
        G.NextRow();
}

// A picture of the program's own bitmaps; empty when it is not there.
void LoadResource(TPicture* Picture, const char* Name)
{
    TBitmap Bitmap;
    try {
        Bitmap.LoadFromResourceName(QLatin1String(Name));
    } catch (const Exception&) {
        return;
    }
    Picture->SetBitmap(&Bitmap);
}

void AddDetail(TGallery& G)
{
    auto* Detail = G.Add<TExDetailDropDown>(QStringLiteral("detail"), QStringLiteral("Detail list"));
    Detail->SetItemHeight(40);
    Detail->SetDropDownWidth(260);
    Detail->SetDropDownHeight(170);
    const struct {
        const char* Picture;
        const char* Caption;
        const char* Notes;
    } Entries[] = {
        {"ESGFILT", "Filter", "Narrows the rows by <b>conditions</b>"},
        {"ESGLEAFOPEN", "Open node", "A group shown <i>with</i> its rows"},
        {"ESGLEAFCLOSE", "Closed node", "A group shown <i>without</i> its rows"},
        {"metrocheckon", "Checked", "A check box that is <font color=\"#008000\">on</font>"},
        {"metroradioon", "Radio button", "One choice of a <u>group</u>"},
        {"XPNODEO", "Tree node", "Expands to show its children"},
    };
    for (const auto& E : Entries) {
        TDetailItem* Item = Detail->Items()->Add();
        Item->SetCaption(QLatin1String(E.Caption));
        Item->SetNotes(QLatin1String(E.Notes));
        LoadResource(Item->Image(), E.Picture);
    }
    Detail->SetItemIndex(0);
}

} // namespace

void AddTimeExamples(TGallery& G)
{
    auto* Picker = G.Add<TExTimePickerDropDown>(QStringLiteral("timepicker"), QStringLiteral("Time picker"));
    Picker->SetEditorEnabled(true);
    Picker->SetShowTimePicker(true);
    Picker->SetTime(EncodeTime(10, 25, 40, 0));
    auto* Short = G.Add<TExTimePickerDropDown>(QStringLiteral("timepicker-short"),
                                                QStringLiteral("Time, no seconds"));
    Short->SetEditorEnabled(true);
    Short->SetShowSeconds(false);
    Short->SetTime(EncodeTime(17, 45, 0, 0));
    AddDetail(G);
    AddClockFace(G);
}
