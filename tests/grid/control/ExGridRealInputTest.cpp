// The events the windows rely on arrive from real input: a column grid
// shaped like the IO-Link port grid (a read-only name column, a combo
// column, a "Y"/"N" check-box column, a read-only column and a text
// column), clicked, double clicked and typed into.
#include "ExGridMouse.h"
#include "ExGridOnForm.h"

#include "grid/control/ExCGrid.h"

#include <QRegularExpression>
#include <QStringList>

namespace {

struct TPortGrid : TGridOnForm<TExColumnGrid> {
    TPortGrid()
    {
        Grid->SetColCount(5);
        Grid->SetRowCount(3);
        Grid->SetDefaultColWidth(90);
        Grid->SetOptions(Grid->Options() + goEditing);
        TGridColumnCollection* Cols = Grid->Columns();
        Cols->Items(0)->SetReadOnly(true);
        Cols->Items(1)->SetEditor(edComboList);
        for (const char* Mode : {"Disable", "IO-Link", "DIn", "DOut"})
            Cols->Items(1)->ComboItems()->Add(QString::fromLatin1(Mode));
        Cols->Items(2)->SetEditor(edDataCheckBox);
        Cols->Items(2)->SetCheckTrue(QStringLiteral("Y"));
        Cols->Items(2)->SetCheckFalse(QStringLiteral("N"));
        Cols->Items(3)->SetReadOnly(true);
        for (Integer R = 1; R < 3; ++R) {
            Grid->SetCells(0, R, QStringLiteral("Channel #0%1").arg(R));
            Grid->SetCells(1, R, QStringLiteral("Disable"));
            Grid->SetCells(2, R, QStringLiteral("N"));
            Grid->SetCells(3, R, QStringLiteral("Vendor"));
            Grid->SetCells(4, R, QStringLiteral("1"));
        }
        Grid->OnClickCell = [this](TObject*, Integer R, Integer C) { Log << QStringLiteral("click %1,%2").arg(R).arg(C); };
        Grid->OnDblClickCell = [this](TObject*, Integer R, Integer C) { Log << QStringLiteral("dbl %1,%2").arg(R).arg(C); };
        Grid->OnComboChange = [this](TObject*, Integer C, Integer R, Integer I, const String& S) {
            Log << QStringLiteral("combo %1,%2 %3 %4").arg(C).arg(R).arg(I).arg(S);
        };
        Grid->OnCheckBoxChange = [this](TObject*, Integer C, Integer R, bool S) {
            Log << QStringLiteral("check %1,%2 %3 %4").arg(C).arg(R).arg(S).arg(Grid->Cells(C, R));
        };
        Grid->OnCellValidate = [this](TObject*, Integer C, Integer R, String& V, bool&) {
            Log << QStringLiteral("validate %1,%2 %3").arg(C).arg(R).arg(V);
        };
        ShowWithFocus(Form.get(), Grid);
    }
    QStringList Only(const QString& Prefix) const { return Log.filter(QRegularExpression("^" + Prefix)); }
    TGridMouse Mouse{Grid};
    QStringList Log;
};

} // namespace

TEST(ExGridRealInput, ClicksAndDoubleClicksComeRowFirst)
{
    TPortGrid F;
    F.Mouse.Click(F.Mouse.At(3, 2, 30, 8));
    F.Mouse.DoubleClick(F.Mouse.At(3, 1, 30, 8));
    EXPECT_EQ(F.Only("click"), QStringList({"click 2,3", "click 1,3"}));
    EXPECT_EQ(F.Only("dbl"), QStringList{"dbl 1,3"});
}

TEST(ExGridRealInput, CheckBoxChangeGivesRealColumnAndYesNoText)
{
    TPortGrid F;
    F.Grid->HideColumn(1);
    // The check-box column shows as display column 1.
    F.Mouse.Click(F.Mouse.At(1, 2, 30, 8));
    EXPECT_EQ(F.Only("check"), QStringList{"check 2,2 1 Y"});
    // A press the check box takes is no cell click.
    EXPECT_TRUE(F.Only("click").isEmpty());
}

TEST(ExGridRealInput, ComboChoiceGivesRealColumn)
{
    TPortGrid F;
    const QPoint P = F.Mouse.At(1, 1, 30, 8);
    F.Mouse.Click(P);
    F.Mouse.Click(P);
    QWidget* Editor = QApplication::focusWidget();
    ASSERT_NE(Editor, nullptr);
    ASSERT_NE(Editor, F.Grid->ClientWidget());
    QTest::keyClick(Editor, Qt::Key_Down);
    ASSERT_FALSE(F.Only("combo").isEmpty());
    EXPECT_TRUE(F.Only("combo").first().startsWith("combo 1,1 1 IO-Link"));
}

namespace {

// With column 3 hidden, the text column (real 4) shows as display column 3:
// two clicks on row 1 open its editor, and Text is typed at its end.
void TypeIntoTheTextCell(TPortGrid& F, const QString& Text)
{
    F.Grid->HideColumn(3);
    const QPoint P = F.Mouse.At(3, 1, 30, 8);
    F.Mouse.Click(P);
    F.Mouse.Click(P);
    ASSERT_TRUE(F.Grid->EditorMode());
    QWidget* Editor = QApplication::focusWidget();
    ASSERT_NE(Editor, nullptr);
    QTest::keyClick(Editor, Qt::Key_End);
    QTest::keyClicks(Editor, Text);
}

} // namespace

TEST(ExGridRealInput, CellValidateGivesRealColumnAfterTyping)
{
    TPortGrid F;
    ASSERT_NO_FATAL_FAILURE(TypeIntoTheTextCell(F, QStringLiteral("5")));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(F.Only("validate"), QStringList{"validate 4,1 15"});
    EXPECT_EQ(F.Only("click"), QStringList({"click 1,3", "click 1,3"}));
    EXPECT_EQ(F.Grid->Cells(4, 1), "15");
}

TEST(ExGridRealInput, AClickOnAnotherCellValidatesTheEdit)
{
    TPortGrid F;
    ASSERT_NO_FATAL_FAILURE(TypeIntoTheTextCell(F, QStringLiteral("7")));
    F.Mouse.Click(F.Mouse.At(3, 2, 30, 8));
    EXPECT_EQ(F.Only("validate"), QStringList{"validate 4,1 17"});
    EXPECT_EQ(F.Grid->Cells(4, 1), "17");
}

TEST(ExGridRealInput, ARefusedEditKeepsTheCellWhenAnotherIsClicked)
{
    TPortGrid F;
    F.Grid->OnCellValidate = [](TObject*, Integer, Integer, String&, bool& Valid) { Valid = false; };
    ASSERT_NO_FATAL_FAILURE(TypeIntoTheTextCell(F, QStringLiteral("9")));
    F.Mouse.Click(F.Mouse.At(3, 2, 30, 8));
    EXPECT_EQ(F.Grid->Row(), 1);
    EXPECT_EQ(F.Grid->Col(), 3);
}

TEST(ExGridRealInput, APressReachesTheGridAtThePointItWasMadeInTheClientArea)
{
    TPortGrid F;
    F.Grid->SetBorderStyle(bsSingle);
    QPoint Seen(-1, -1);
    F.Grid->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, Integer X, Integer Y) { Seen = QPoint(X, Y); };
    const QPoint P = F.Mouse.At(2, 2, 0, 0);
    F.Mouse.Click(P);
    EXPECT_EQ(Seen, P);
    EXPECT_EQ(F.Grid->Col(), 2);
    EXPECT_EQ(F.Grid->Row(), 2);
}

TEST(ExGridRealInput, ReadOnlyCellOpensNoEditor)
{
    TPortGrid F;
    const QPoint P = F.Mouse.At(3, 1, 30, 8);
    F.Mouse.Click(P);
    F.Mouse.Click(P);
    EXPECT_FALSE(F.Grid->EditorMode());
    EXPECT_EQ(F.Grid->Cells(3, 1), "Vendor");
}
