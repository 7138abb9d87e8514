// The grid's special editors made on demand, its editors' command
// notifications (OnComboChange and the close-up of the combo editor), rich
// text cells through the rich editor, the cells of hidden rows and the
// controls hosted in cells.
#include "ExGridEditTestSupport.h"

#include "controls/dropdown/ExGrid_DropDownEditors.h"
#include "grid/control/ExGrid_RichEdit.h"
#include "grid/control/ExGrid_Settings.h"
#include "rtl/RichText.h"

#include <QComboBox>
#include <QLineEdit>

namespace {

class ExGridSpecialEditorsTest : public ExGridEditTest {
protected:
    void ComboItems(const QStringList& Items)
    {
        Grid->OnGetEditorProp = [this, Items](TObject*, Integer, Integer, TEditLink*) {
            Grid->ClearComboString();
            for (const String& Item : Items)
                Grid->AddComboString(Item);
        };
    }
    // OnComboChange calls as (column, row, index, text).
    struct TComboCall {
        Integer Col, Row, Index;
        String Text;
        bool operator==(const TComboCall&) const = default;
    };
    std::vector<TComboCall> Calls;
    // A list combo in column 2 opened on (2, 1), its list dropped and closed
    // on the second item.
    void PickTheSecondItemFromTheList()
    {
        EditorsByColumn({{2, edComboList}});
        ComboItems({"one", "two"});
        Open(2, 1);
        QComboBox* Box = Grid->Combobox()->ComboBox();
        Box->showPopup();
        Box->setCurrentIndex(1);
        Box->hidePopup();
        QApplication::processEvents();
    }
    void Record()
    {
        Grid->OnComboChange = [this](TObject*, Integer ACol, Integer ARow, Integer AIndex, const String& AText) {
            Calls.push_back({ACol, ARow, AIndex, AText});
        };
    }
};

template <class TEditor>
void ExpectMadeOnceHidden(TExStringGrid* Grid, TEditor* (TExStringGrid::*Getter)(), const char* Name)
{
    TEditor* First = (Grid->*Getter)();
    ASSERT_TRUE(First) << Name;
    EXPECT_EQ((Grid->*Getter)(), First) << Name;
    EXPECT_FALSE(First->Visible()) << Name;
    EXPECT_EQ(First->Owner(), Grid) << Name;
    EXPECT_EQ(First->Parent(), Grid) << Name;
}

TEST_F(ExGridSpecialEditorsTest, EachSpecialEditorIsOneInstanceMadeHidden)
{
    ExpectMadeOnceHidden(Grid, &TExStringGrid::GetSpinEdit, "spin");
    ExpectMadeOnceHidden(Grid, &TExStringGrid::GetDatePicker, "date");
    ExpectMadeOnceHidden(Grid, &TExStringGrid::GetDateAndTimePicker, "date and time");
    ExpectMadeOnceHidden(Grid, &TExStringGrid::GetRichEdit, "rich");
    ExpectMadeOnceHidden(Grid, &TExStringGrid::GetInplaceRichEdit, "in-place rich");
    ExpectMadeOnceHidden(Grid, &TExStringGrid::GetTrackbarDropDown, "track bar");
    ExpectMadeOnceHidden(Grid, &TExStringGrid::GetMemoDropDown, "memo");
    ExpectMadeOnceHidden(Grid, &TExStringGrid::GetCalculatorDropDown, "calculator");
    ExpectMadeOnceHidden(Grid, &TExStringGrid::GetTimePickerDropDown, "time picker");
    ExpectMadeOnceHidden(Grid, &TExStringGrid::GetDetailPickerDropDown, "detail picker");
    ExpectMadeOnceHidden(Grid, &TExStringGrid::GetGridDropDown, "grid");
    ExpectMadeOnceHidden(Grid, &TExStringGrid::GetColorPickerDropDown, "colour picker");
    ExpectMadeOnceHidden(Grid, &TExStringGrid::GetImagePickerDropDown, "image picker");
    ExpectMadeOnceHidden(Grid, &TExStringGrid::GetExGridDropDown, "grid drop-down");
    EXPECT_NE(Grid->RichEdit(), Grid->InplaceRichEdit());
    EXPECT_TRUE(Grid->TrackbarDropDown()->EditorEnabled());
    EXPECT_GT(Grid->ColorPickerDropDown()->Colors()->Count(), 0);
    EXPECT_EQ(Grid->RichEdit()->Width(), 0);
}

TEST_F(ExGridSpecialEditorsTest, TheMemoDropDownWritesItsTextIntoTheCurrentCell)
{
    Grid->MoveToCell(2, 3);
    Grid->MemoDropDown()->SetText("memo text");
    EXPECT_EQ(Grid->Cells(2, 3), "memo text");
}

// ---------------------------------------------------------------- combo notifications

TEST_F(ExGridSpecialEditorsTest, TypingInAnEditableComboRaisesComboChangeTwicePerChange)
{
    Grid->HideColumn(1);
    // Display column 1 is real column 2: a combo whichever the handler is told.
    EditorsByColumn({{1, edComboEdit}, {2, edComboEdit}});
    ComboItems({"one", "two"});
    Record();
    Open(1, 2);
    ASSERT_TRUE(Grid->Combobox()->Visible());
    Calls.clear();
    QTest::keyClicks(Grid->Combobox()->ComboBox()->lineEdit(), "t");
    // The real column with the item index, then the display column with -1.
    ASSERT_EQ(Calls.size(), 2u);
    EXPECT_EQ(Calls[0].Col, 2);
    EXPECT_EQ(Calls[0].Row, 2);
    EXPECT_EQ(Calls[0].Index, Grid->Combobox()->ItemIndex());
    EXPECT_EQ(Calls[1].Col, 1);
    EXPECT_EQ(Calls[1].Row, 2);
    EXPECT_EQ(Calls[1].Index, -1);
    EXPECT_EQ(Calls[1].Text, Grid->Combobox()->Text());
    EXPECT_TRUE(Calls[1].Text.endsWith(u't')) << Calls[1].Text.toStdString();
    QTest::keyClicks(Grid->Combobox()->ComboBox()->lineEdit(), "x");
    EXPECT_EQ(Calls.size(), 4u);
}

TEST_F(ExGridSpecialEditorsTest, APickInAListComboRaisesComboChangeOnce)
{
    EditorsByColumn({{2, edComboList}});
    ComboItems({"one", "two", "three"});
    std::vector<TObject*> Objects;
    Grid->OnComboObjectChange = [&](TObject*, Integer, Integer, Integer, const String&, TObject* AObject) {
        Objects.push_back(AObject);
    };
    Record();
    Open(2, 1);
    Calls.clear();
    Objects.clear();
    QComboBox* Box = Grid->Combobox()->ComboBox();
    Box->setCurrentIndex(2);
    emit Box->activated(2);
    EXPECT_EQ(Calls, (std::vector<TComboCall>{{2, 1, 2, "three"}}));
    EXPECT_EQ(Objects.size(), 1u);
}

TEST_F(ExGridSpecialEditorsTest, DirectComboCloseStoresThePickWithoutEnter)
{
    std::vector<std::pair<Integer, Integer>> ClosedUp;
    Grid->OnComboCloseUp = [&](TObject*, Integer ARow, Integer ACol) { ClosedUp.emplace_back(ARow, ACol); };
    Grid->MouseActions()->SetDirectComboClose(true);
    PickTheSecondItemFromTheList();
    EXPECT_EQ(Grid->Cells(2, 1), "two");
    EXPECT_FALSE(Grid->EditMode());
    EXPECT_FALSE(Grid->Combobox()->Visible());
    EXPECT_EQ(ClosedUp, (std::vector<std::pair<Integer, Integer>>{{1, 2}}));
}

TEST_F(ExGridSpecialEditorsTest, WithoutDirectComboCloseTheListClosesIntoTheOpenEditor)
{
    Integer Dropped = 0;
    Grid->OnComboDropDown = [&](TObject*, Integer, Integer) { ++Dropped; };
    PickTheSecondItemFromTheList();
    EXPECT_EQ(Dropped, 1);
    EXPECT_TRUE(Grid->EditMode());
    EXPECT_EQ(Grid->Cells(2, 1), "21");
}

TEST_F(ExGridSpecialEditorsTest, TheSpinEditorsTextIsWrittenIntoTheCellAsItChanges)
{
    EditorsByColumn({{2, edSpinEdit}});
    // Live writing starts with the first text editor.
    Open(1, 1);
    Key(Qt::Key_Escape);
    Grid->SetCells(2, 1, "5");
    Open(2, 1);
    ASSERT_TRUE(Grid->SpinEdit()->Visible());
    Grid->SpinEdit()->SetText("17");
    EXPECT_EQ(Grid->Cells(2, 1), "17");
}

// ---------------------------------------------------------------- rich-text cells

TEST_F(ExGridSpecialEditorsTest, ARichCellRoundTripsThroughTheRichEditor)
{
    const String Rtf = QStringLiteral("{\\rtf1{\\colortbl ;\\red255\\green0\\blue0;}\\b bold\\b0  \\cf1 red\\cf0  "
                                      "x\\up4 2\\up0\\par second}");
    Grid->SetCells(2, 2, Rtf);
    TExRichEdit* E = Grid->RichEdit();
    Grid->CellToRich(2, 2, E);
    EXPECT_EQ(E->Text(), "bold red x2\r\nsecond");
    EXPECT_EQ(Grid->Cells(2, 2), Rtf) << "loading leaves the cell as it was";
    Grid->RichToCell(3, 2, E);
    EXPECT_NE(Grid->Cells(3, 2), Rtf);
    EXPECT_EQ(ReadRtf(Grid->Cells(3, 2).toLatin1()), ReadRtf(Rtf.toLatin1()));
    EXPECT_EQ(RichCellPlainText(Grid->Cells(3, 2)), "bold red x2\rsecond");
}

TEST_F(ExGridSpecialEditorsTest, EveryByteOfAnEscapeSurvivesTheCellRoundTrip)
{
    String Rtf = QStringLiteral("{\\rtf1 ");
    for (int B = 0; B < 256; ++B)
        Rtf += QStringLiteral("\\'%1").arg(B, 2, 16, QLatin1Char('0'));
    Rtf += u'}';
    Grid->SetCells(1, 1, Rtf);
    Grid->CellToRich(1, 1, Grid->RichEdit());
    Grid->RichToCell(1, 2, Grid->RichEdit());
    const TRichDocument Back = ReadRtf(Grid->Cells(1, 2).toLatin1());
    ASSERT_EQ(Back.Paragraphs.size(), 1u);
    const String Text = Back.Paragraphs[0].Text();
    ASSERT_EQ(Text.size(), 256);
    for (int B = 0; B < 256; ++B)
        EXPECT_EQ(RtfCharToByte(Text[B]), B) << B;
}

TEST_F(ExGridSpecialEditorsTest, AnEmptyCellClearsTheRichEditor)
{
    TExRichEdit* E = Grid->RichEdit();
    E->SetText("left over");
    Grid->SetCells(1, 1, String());
    Grid->CellToRich(1, 1, E);
    EXPECT_EQ(E->Text(), "");
}

TEST_F(ExGridSpecialEditorsTest, SubAndSuperscriptReadBack)
{
    TExRichEdit* E = Grid->InplaceRichEdit();
    E->SetText("x2");
    EXPECT_TRUE(E->IsSelNormal());
    E->SetSelStart(1);
    E->SetSelLength(1);
    E->SelSuperscript();
    EXPECT_TRUE(E->IsSelSuperscript());
    EXPECT_FALSE(E->IsSelSubscript());
    E->SelSubscript();
    EXPECT_TRUE(E->IsSelSubscript());
    EXPECT_FALSE(E->IsSelSuperscript());
    E->SelNormal();
    EXPECT_TRUE(E->IsSelNormal());
}

TEST_F(ExGridSpecialEditorsTest, ARichCellMeasuresThroughTheRichEditor)
{
    Grid->SetCells(1, 1, "{\\rtf1 short}");
    const TSize One = Grid->GetCellTextSize(1, 1, false, false);
    Grid->SetCells(1, 1, "{\\rtf1 a much longer line of text\\par two\\par three}");
    const TSize Three = Grid->GetCellTextSize(1, 1, false, false);
    EXPECT_GT(One.cx, 0);
    EXPECT_GT(Three.cx, One.cx);
    EXPECT_GT(Three.cy, 2 * One.cy);
    EXPECT_EQ(Grid->RichEdit()->ReqHeight(), Three.cy);
}

TEST_F(ExGridSpecialEditorsTest, TheInplaceRichEditorGrowsItsRowWhileTypingUnlessLocked)
{
    Grid->SizeWhileTyping()->SetHeight(true);
    Grid->MoveToCell(1, 1);
    std::vector<Integer> Sized;
    Grid->OnEndRowSize = [&](TObject*, Integer ARow) { Sized.push_back(ARow); };
    TExRichEdit* E = Grid->InplaceRichEdit();
    E->SetWordWrap(false);
    const Integer Before = Grid->RowHeights(1);
    E->SetText("1\r\n2\r\n3\r\n4");
    E->Perform(EM_REQUESTRESIZE);
    EXPECT_GT(Grid->RowHeights(1), Before);
    EXPECT_EQ(E->Height() + 1, Grid->RowHeights(1));
    ASSERT_FALSE(Sized.empty());
    EXPECT_EQ(Sized.back(), 1);
    E->Lock();
    const Integer Grown = Grid->RowHeights(1);
    E->SetText("1\r\n2\r\n3\r\n4\r\n5\r\n6");
    E->Perform(EM_REQUESTRESIZE);
    EXPECT_EQ(Grid->RowHeights(1), Grown);
    EXPECT_EQ(E->ReqHeight(), 0) << "only the shared editor keeps its size";
}

// ---------------------------------------------------------------- small services

TEST_F(ExGridSpecialEditorsTest, HiddenRowCellsAreTheSavedCells)
{
    Grid->HideRow(3);
    TStrings* Cells = Grid->GetHiddenRowCells(3);
    ASSERT_TRUE(Cells);
    EXPECT_EQ(Cells->Strings(2), "23");
    EXPECT_EQ(Grid->GetHiddenRowCells(2), nullptr);
    EXPECT_EQ(Grid->GetHiddenRowCells(-1), nullptr);
}

TEST_F(ExGridSpecialEditorsTest, HTMLHintsSetTheApplicationsHintWindowClass)
{
    Grid->SetUseHTMLHints(true);
    EXPECT_TRUE(Grid->UseHTMLHints());
    ASSERT_TRUE(Application->HintWindowClass());
    std::unique_ptr<THintWindow> Hint(Application->HintWindowClass()(nullptr));
    EXPECT_TRUE(dynamic_cast<THTMLHintWindow*>(Hint.get()));
    Grid->SetUseHTMLHints(false);
    EXPECT_EQ(Application->HintWindowClass(), nullptr);
}

TEST_F(ExGridSpecialEditorsTest, HostedControlsSitOverTheirCellsAndStayHiddenInHiddenColumns)
{
    Grid->SetRowCount(40);
    auto* Over = new TEdit(Form.get());
    Over->SetParent(Grid);
    auto* InHidden = new TEdit(Form.get());
    InHidden->SetParent(Grid);
    Grid->CellProperties(2, 2)->SetControl(Over);
    Grid->CellProperties(3, 2)->SetControl(InHidden);
    Grid->HideColumn(3);
    Grid->CellControlsUpdate(true);
    const TRect Cell = Grid->CellRect(2, 2);
    EXPECT_EQ(Over->BoundsRect(), TRect(Cell.Left - 1, Cell.Top - 1, Cell.Right, Cell.Bottom));
    EXPECT_TRUE(Over->Visible());
    EXPECT_FALSE(InHidden->Visible());
    Grid->SetTopRow(3);
    Grid->CellControlsUpdate(false);
    EXPECT_FALSE(InHidden->Visible());
    EXPECT_FALSE(Over->Visible()) << "scrolled out of view";
}

TEST(ExGridCellControls, NothingMovesBeforeTheGridHasAWindow)
{
    TExStringGrid Grid(nullptr);
    auto* Edit = new TEdit(&Grid);
    Edit->SetBounds(7, 7, 30, 20);
    Grid.CellProperties(1, 1)->SetControl(Edit);
    Grid.CellControlsUpdate(true);
    EXPECT_EQ(Edit->BoundsRect(), TRect(7, 7, 37, 27));
}

} // namespace
