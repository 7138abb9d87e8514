// The shared cell editors driven with keys and the wheel, by kind.
#include "ExGridEditTestSupport.h"

#include "rtl/Clipbrd.h"

#include <QCalendarWidget>
#include <QComboBox>
#include <QCursor>
#include <QDateTimeEdit>
#include <QLineEdit>

namespace {

class ExGridCellEditorsTest : public ExGridEditTest {
protected:
    ~ExGridCellEditorsTest() override
    {
        FormatSettings.DecimalSeparator = u'.';
        FormatSettings.ThousandSeparator = u',';
    }
    void ComboItems(std::initializer_list<const char*> Items)
    {
        std::vector<String> List;
        for (const char* Item : Items)
            List.push_back(QString::fromLatin1(Item));
        Grid->OnGetEditorProp = [this, List](TObject*, Integer, Integer, TEditLink*) {
            Grid->ClearComboString();
            for (const String& Item : List)
                Grid->AddComboString(Item);
        };
    }
};

// ---------------------------------------------------------------- spin

TEST_F(ExGridCellEditorsTest, SpinUpAndDownStepTheValueAndNeverMoveTheRow)
{
    EditorsByColumn({{2, edSpinEdit}});
    Grid->SetCells(2, 2, QStringLiteral("5"));
    Open(2, 2);
    Key(Qt::Key_Up);
    Key(Qt::Key_Up);
    Key(Qt::Key_Down);
    EXPECT_EQ(Grid->SpinEdit()->Value(), 6);
    EXPECT_EQ(Grid->Row(), 2);
    EXPECT_TRUE(Grid->SpinEdit()->Visible());
    Key(Qt::Key_Return);
    EXPECT_EQ(Grid->Cells(2, 2), "6");
    EXPECT_FALSE(Grid->SpinEdit()->Visible());
}

TEST_F(ExGridCellEditorsTest, SpinHomeSetsTheMaximumAndReportsAClick)
{
    EditorsByColumn({{2, edSpinEdit}});
    std::vector<std::pair<Integer, bool>> Clicks;
    Grid->OnSpinClick = [&](TObject*, Integer, Integer, Integer Value, bool UpDown) {
        Clicks.emplace_back(Value, UpDown);
    };
    Grid->SetCells(2, 1, QStringLiteral("5"));
    Open(2, 1);
    Key(Qt::Key_Home);
    EXPECT_EQ(Grid->SpinEdit()->Value(), 100);
    ASSERT_FALSE(Clicks.empty());
    EXPECT_EQ(Clicks[0], std::make_pair(100, false));
}

// ---------------------------------------------------------------- combo

TEST_F(ExGridCellEditorsTest, ListComboClosesOnLeftAndTheGridMovesLeft)
{
    EditorsByColumn({{2, edComboList}});
    ComboItems({"one", "two", "three"});
    Open(2, 1);
    ASSERT_TRUE(Grid->Combobox()->Visible());
    Key(Qt::Key_PageDown);
    EXPECT_TRUE(Grid->Combobox()->Visible());
    Key(Qt::Key_Left);
    EXPECT_FALSE(Grid->Combobox()->Visible());
    EXPECT_EQ(Grid->Col(), 1);
}

TEST_F(ExGridCellEditorsTest, EditableComboWithoutUpDownLeavesOnDown)
{
    EditorsByColumn({{2, edComboEdit}});
    Grid->Navigation()->SetComboGetUpDown(false);
    Open(2, 1);
    Grid->Combobox()->SetText("x");
    Key(Qt::Key_Down);
    EXPECT_FALSE(Grid->Combobox()->Visible());
    EXPECT_EQ(Grid->Row(), 2);
    EXPECT_EQ(Grid->Cells(2, 1), "x");
}

TEST_F(ExGridCellEditorsTest, EditableComboRightOfAHiddenColumnShowsItsOwnCell)
{
    EditorsByColumn({{2, edComboEdit}, {3, edComboEdit}});
    Grid->SetCells(1, 1, QStringLiteral("hidden"));
    Grid->SetCells(3, 1, QStringLiteral("mine"));
    Grid->HideColumn(1);
    Open(2, 1);
    ASSERT_TRUE(Grid->Combobox()->Visible());
    EXPECT_EQ(Grid->Combobox()->Text(), "mine");
    Grid->Combobox()->SetText("new");
    Key(Qt::Key_Return);
    EXPECT_EQ(Grid->Cells(3, 1), "new");
    EXPECT_EQ(Grid->Cells(1, 1), "hidden");
}

TEST_F(ExGridCellEditorsTest, ComboLookupCompletesWithTheWholeItem)
{
    EditorsByColumn({{2, edComboEdit}});
    const String Long = QStringLiteral("Abacus") + String(300, u'x');
    Grid->SetLookup(true);
    Grid->OnGetEditorProp = [&](TObject*, Integer, Integer, TEditLink*) {
        Grid->ClearComboString();
        Grid->AddComboString("Apple");
        Grid->AddComboString(Long);
    };
    Grid->SetCells(2, 1, String());
    Open(2, 1);
    Type("ab");
    const String Expected = QStringLiteral("ab") + Long.mid(2);
    EXPECT_EQ(Grid->Combobox()->Text(), Expected);
    EXPECT_EQ(Grid->Combobox()->SelLength(), Long.length() - 2);
    Key(Qt::Key_Backspace);
    EXPECT_EQ(Grid->Combobox()->Text(), "ab");
}

TEST_F(ExGridCellEditorsTest, ComboWheelStopsAtBothEndsAndRaisesOnlyOnChange)
{
    EditorsByColumn({{2, edComboList}});
    ComboItems({"one", "two"});
    Integer Changes = 0;
    Grid->OnComboChange = [&](TObject*, Integer, Integer, Integer, const String&) { ++Changes; };
    Grid->SetCells(2, 1, QStringLiteral("one"));
    Open(2, 1);
    TGridCombo* Combo = Grid->Combobox();
    const QPoint At(5, 5);
    QWheelEvent Down(At, Combo->Handle()->mapToGlobal(At), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                     Qt::NoScrollPhase, false);
    for (int I = 0; I < 3; ++I)
        QApplication::sendEvent(Combo->Handle(), &Down);
    EXPECT_EQ(Combo->ItemIndex(), 1);
    EXPECT_EQ(Changes, 1);
    QWheelEvent Up(At, Combo->Handle()->mapToGlobal(At), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::NoModifier,
                   Qt::NoScrollPhase, false);
    for (int I = 0; I < 3; ++I)
        QApplication::sendEvent(Combo->Handle(), &Up);
    EXPECT_EQ(Combo->ItemIndex(), 0);
    EXPECT_EQ(Changes, 2);
}

TEST_F(ExGridCellEditorsTest, SizeDropDownWidthAddsMoreForAScrollingList)
{
    TGridCombo* Combo = Grid->Combobox();
    Combo->SetWidth(20);
    const String Item(30, u'W');
    const Integer T = QFontMetrics(Grid->Font()->ToQFont()).horizontalAdvance(Item);
    Combo->Items()->Add(Item);
    Combo->SetDropDownCount(8);
    Combo->SizeDropDownWidth();
    EXPECT_EQ(Combo->DropWidth(), T + 8);
    for (int I = 0; I < 9; ++I)
        Combo->Items()->Add("a");
    Combo->SizeDropDownWidth();
    EXPECT_EQ(Combo->DropWidth(), T + 25);
}

// ---------------------------------------------------------------- edit with button

TEST_F(ExGridCellEditorsTest, NumericButtonEditorBeepsOnALateMinusAndATypedCtrlV)
{
    EditorsByColumn({{2, edNumericEditBtn}});
    Grid->SetCells(2, 1, String());
    Open(2, 1);
    const Integer Beeps = MessageBeepCount();
    Type("1-");
    EXPECT_EQ(Grid->BtnEdit()->Text(), "1");
    EXPECT_EQ(MessageBeepCount() - Beeps, 1);
    Clipboard()->SetAsText("2");
    Key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(MessageBeepCount() - Beeps, 2);
    EXPECT_EQ(Grid->BtnEdit()->Text(), "1");
}

TEST_F(ExGridCellEditorsTest, FloatButtonEditorDropsASecondSeparatorUnlessSelected)
{
    EditorsByColumn({{2, edFloatEditBtn}});
    Grid->SetCells(2, 1, String());
    Open(2, 1);
    const Integer Beeps = MessageBeepCount();
    Type("1.5.");
    EXPECT_EQ(Grid->BtnEdit()->Text(), "1.5");
    EXPECT_EQ(MessageBeepCount(), Beeps);
    Grid->BtnEdit()->SetSelStart(1);
    Grid->BtnEdit()->SetSelLength(1);
    Type(".");
    EXPECT_EQ(Grid->BtnEdit()->Text(), "1.5");
    EXPECT_EQ(Grid->BtnEdit()->SelStart(), 2);
}

TEST_F(ExGridCellEditorsTest, ButtonEditorPasteFollowsTheFiltersAndTheReadOnlyState)
{
    EditorsByColumn({{2, edNumericEditBtn}});
    Grid->SetCells(2, 1, String());
    Open(2, 1);
    Clipboard()->SetAsText("abc");
    Grid->BtnEdit()->PasteFromClipboard();
    EXPECT_EQ(Grid->BtnEdit()->Text(), "");
    Clipboard()->SetAsText("42");
    Grid->BtnEdit()->SetReadOnly(true);
    Grid->BtnEdit()->PasteFromClipboard();
    EXPECT_EQ(Grid->BtnEdit()->Text(), "");
    Grid->BtnEdit()->SetReadOnly(false);
    Grid->BtnEdit()->PasteFromClipboard();
    EXPECT_EQ(Grid->BtnEdit()->Text(), "42");
    EXPECT_EQ(Grid->Cells(2, 1), "42");
}

// ---------------------------------------------------------------- pickers

TEST_F(ExGridCellEditorsTest, DatePickerEscapeOnATextThatIsNoDateShowsToday)
{
    EditorsByColumn({{2, edDateEdit}});
    Grid->SetCells(2, 1, QStringLiteral("abc"));
    Open(2, 1);
    TGridDatePicker* Picker = Grid->DateTimePicker();
    ASSERT_TRUE(Picker->Visible());
    Picker->SetDate(EncodeDate(2001, 2, 3));
    Key(Qt::Key_Escape);
    EXPECT_EQ(std::trunc(Picker->Date()), std::trunc(Date()));
    EXPECT_FALSE(Picker->Visible());
}

TEST_F(ExGridCellEditorsTest, DateAndTimePickerEscapeRestoresTheDateAndKeepsTheTime)
{
    EditorsByColumn({{2, edDateTimeEdit}});
    const TDateTime Start = EncodeDate(2022, 3, 4) + EncodeTime(10, 0, 0, 0);
    Grid->SetCells(2, 1, FormatDateTime(FormatSettings.ShortDateFormat + " " + FormatSettings.ShortTimeFormat, Start));
    Open(2, 1);
    TGridDateTimePicker* Picker = Grid->DateAndTimePicker();
    ASSERT_TRUE(Picker->Visible());
    Picker->SetDateTime(EncodeDate(2023, 5, 6) + EncodeTime(11, 30, 0, 0));
    Key(Qt::Key_Escape);
    const TDateTime Now = Picker->DateTime();
    EXPECT_EQ(std::trunc(Now), EncodeDate(2022, 3, 4));
    EXPECT_NEAR(Now - std::trunc(Now), EncodeTime(11, 30, 0, 0), 1e-6);
    EXPECT_FALSE(Picker->Visible());
}

// ---------------------------------------------------------------- validation and focus

TEST_F(ExGridCellEditorsTest, FailedValidationOnEnterKeepsTheEditorOpen)
{
    EditorsByColumn({{2, edComboEdit}});
    Grid->Navigation()->SetAdvanceOnEnter(true);
    Grid->OnCellValidate = [](TObject*, Integer, Integer, String& Value, bool& Valid) { Valid = Value != "bad"; };
    Open(2, 1);
    Grid->Combobox()->SetText("bad");
    Key(Qt::Key_Return);
    EXPECT_TRUE(Grid->Combobox()->Visible());
    EXPECT_EQ(Grid->Col(), 2);
    Grid->Combobox()->SetText("ok");
    Key(Qt::Key_Return);
    EXPECT_FALSE(Grid->Combobox()->Visible());
    EXPECT_EQ(Grid->Cells(2, 1), "ok");
    EXPECT_EQ(Grid->Col(), 3);
}

TEST_F(ExGridCellEditorsTest, EveryEditorStoresItsValueWhenItLosesTheFocus)
{
    TEdit* Other = new TEdit(Form.get());
    Other->SetParent(Form.get());
    Other->SetBounds(0, 385, 50, 14);
    struct TCase {
        TEditorType Kind;
        std::function<void()> Change;
        String Stored;
    };
    const TCase Cases[] = {
        {edComboEdit, [&] { Grid->Combobox()->SetText("c"); }, "c"},
        {edEditBtn, [&] { Grid->BtnEdit()->SetText("e"); }, "e"},
        {edSpinEdit, [&] { Grid->SpinEdit()->SetValue(9); }, "9"},
        {edUnitEditBtn, [&] { Grid->BtnUnitEdit()->SetText("5"); }, "5"},
    };
    for (const TCase& C : Cases) {
        EditorsByColumn({{2, C.Kind}});
        Open(2, 1);
        C.Change();
        Other->SetFocus();
        QApplication::processEvents();
        EXPECT_EQ(Grid->Cells(2, 1), C.Stored) << GetEnumName(C.Kind).toStdString();
        EXPECT_FALSE(Grid->EditMode()) << GetEnumName(C.Kind).toStdString();
    }
}

TEST_F(ExGridCellEditorsTest, FreeingTheGridWithAnEditorOpenLeavesNothingBehind)
{
    EditorsByColumn({{2, edComboList}});
    ComboItems({"one"});
    Open(2, 1);
    ASSERT_TRUE(Grid->Combobox()->Visible());
    delete Grid;
    Grid = nullptr;
    QApplication::processEvents();
    EXPECT_EQ(Form->ControlCount(), 0);
}

TEST_F(ExGridCellEditorsTest, ARaisingValidationHandlerLeavesNoEditorOpen)
{
    EditorsByColumn({{2, edEditBtn}});
    Grid->OnCellValidate = [](TObject*, Integer, Integer, String&, bool&) { throw Exception("no"); };
    Open(2, 1);
    Grid->BtnEdit()->SetText("x");
    EXPECT_THROW(Grid->ValidateCell("x"), Exception);
    Grid->HideInplaceEdit();
    EXPECT_FALSE(Grid->BtnEdit()->Visible());
    EXPECT_FALSE(Grid->EditMode());
}

// ---------------------------------------------------------------- caret, picker modes, field advance

TEST_F(ExGridCellEditorsTest, EditableComboOpenedByAClickPutsTheCaretUnderTheMouse)
{
    EditorsByColumn({{2, edComboEdit}});
    Grid->Navigation()->SetEditSelectAll(false);
    Grid->SetCells(2, 1, QStringLiteral("abcdef"));
    // Placed once so that the point under "abc" is known.
    Open(2, 1);
    QLineEdit* Edit = Grid->Combobox()->ComboBox()->lineEdit();
    ASSERT_TRUE(Edit);
    EXPECT_EQ(Edit->cursorPosition(), 6);
    EXPECT_FALSE(Edit->hasSelectedText());
    // The first point whose character position is 3.
    QPoint AtThree;
    for (int X = 0; X < Edit->width() && AtThree.isNull(); ++X)
        if (Edit->cursorPositionAt(QPoint(X, Edit->height() / 2)) == 3)
            AtThree = Edit->mapToGlobal(QPoint(X, Edit->height() / 2));
    ASSERT_FALSE(AtThree.isNull());
    Grid->HideInplaceEdit();
    QCursor::setPos(AtThree);
    Grid->LButFlg = true;
    Open(2, 1);
    EXPECT_EQ(Edit->cursorPosition(), 3);
    EXPECT_FALSE(Grid->LButFlg);
}

TEST_F(ExGridCellEditorsTest, DatePickerModeFollowsTheKind)
{
    EditorsByColumn({{2, edDateEdit}, {3, edDateEditUpDown}});
    Open(3, 1);
    TGridDatePicker* Picker = Grid->DateTimePicker();
    ASSERT_TRUE(Picker->Visible());
    EXPECT_EQ(Picker->DateMode(), dmUpDown);
    EXPECT_FALSE(Picker->DateTimeEdit()->calendarPopup());
    Grid->HideInplaceEdit();
    Open(2, 1);
    EXPECT_EQ(Picker->DateMode(), dmComboBox);
    EXPECT_TRUE(Picker->DateTimeEdit()->calendarPopup());
}

TEST_F(ExGridCellEditorsTest, DropDownCalendarShowsWeekNumbersTodayAndItsMinimumSize)
{
    EditorsByColumn({{2, edDateEdit}});
    QList<Integer> Dropped;
    Grid->OnDatePickerDropDown = [&Dropped](TObject*, Integer ARow, Integer ACol) { Dropped << ARow << ACol; };
    Open(2, 1);
    TGridDatePicker* Picker = Grid->DateTimePicker();
    QCalendarWidget* Calendar = Picker->DateTimeEdit()->calendarWidget();
    ASSERT_TRUE(Calendar);
    struct TCase {
        bool WeekNumbers, Circle;
        QCalendarWidget::VerticalHeaderFormat Header;
        int Weight;
    } const Cases[] = {{true, true, QCalendarWidget::ISOWeekNumbers, QFont::Bold},
                       {false, false, QCalendarWidget::NoVerticalHeader, QFont::Normal}};
    for (const TCase& C : Cases) {
        Picker->Weeknumbers = C.WeekNumbers;
        Picker->ShowTodayCircle = C.Circle;
        Grid->DatePickerDropDown(Picker);
        EXPECT_EQ(Calendar->verticalHeaderFormat(), C.Header);
        EXPECT_EQ(Calendar->dateTextFormat(QDate::currentDate()).fontWeight(), C.Weight);
        EXPECT_EQ(Calendar->window()->size(), Calendar->minimumSizeHint() + QSize(2, 2));
    }
    EXPECT_EQ(Dropped, (QList<Integer>{1, 2, 1, 2}));
}

TEST_F(ExGridCellEditorsTest, ShiftFocusIsTheRegisteredDTPShiftFocusMessage)
{
    EXPECT_EQ(WM_DTPSHIFTFOCUS, RegisterWindowMessage(QStringLiteral("DTPShiftFocus")));
}

TEST_F(ExGridCellEditorsTest, ATypedDigitThatChangesAFieldMovesToTheNextField)
{
    struct TCase {
        TEditorType Kind;
        const char* Format;
        TDateTime Value;
        QDateTimeEdit::Section First, Next;
    } const Cases[] = {
        {edDateEdit, "dd.MM.yyyy", EncodeDate(2020, 1, 15), QDateTimeEdit::DaySection, QDateTimeEdit::MonthSection},
        {edTimeEdit, "HH:mm", EncodeTime(10, 20, 0, 0), QDateTimeEdit::HourSection, QDateTimeEdit::MinuteSection},
    };
    for (const TCase& C : Cases) {
        EditorsByColumn({{2, C.Kind}});
        Open(2, 1);
        TGridDatePicker* Picker = Grid->DateTimePicker();
        ASSERT_TRUE(Picker->Visible());
        Picker->SetFormat(QString::fromLatin1(C.Format));
        Picker->SetDateTime(C.Value);
        QDateTimeEdit* Edit = Picker->DateTimeEdit();
        Edit->setCurrentSection(C.First);
        // A digit that could still take a second one: only the posted
        // message moves on.
        Type("3");
        QApplication::processEvents();
        EXPECT_EQ(Edit->currentSection(), C.Next) << C.Format;
        Grid->HideInplaceEdit();
    }
}

// ---------------------------------------------------------------- bad cell texts

TEST_F(ExGridCellEditorsTest, CellTextsNotValidForTheKindOpenEditAndClose)
{
    const std::pair<TEditorType, const char*> Cases[] = {
        {edSpinEdit, "x"},      {edFloatSpinEdit, "x"}, {edDateSpinEdit, "abc"}, {edTimeSpinEdit, "abc"},
        {edDateEdit, "abc"},    {edTimeEdit, "abc"},    {edDateTimeEdit, "abc"}, {edComboList, "nope"},
        {edUnitEditBtn, "abc"}, {edNumericEditBtn, "abc"},
    };
    ComboItems({"one"});
    for (const auto& [Kind, Text] : Cases) {
        EditorsByColumn({{2, Kind}});
        Grid->SetCells(2, 1, QString::fromLatin1(Text));
        EXPECT_NO_THROW({
            Open(2, 1);
            Type("12");
            Grid->HideInplaceEdit();
        }) << GetEnumName(Kind).toStdString();
        EXPECT_FALSE(Grid->EditMode()) << GetEnumName(Kind).toStdString();
    }
}

} // namespace
