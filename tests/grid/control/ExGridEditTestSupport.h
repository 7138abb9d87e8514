#pragma once
// A shown string grid with focus for the editing tests: 5 columns and 6
// rows (one fixed of each), editing on, driven with keys sent to the
// widget that has the focus.
#include "ExGridTestForm.h"

#include "grid/control/ExGrid_Editors.h"

#include <QtTest/QTest>

class TEditTestGrid : public TTestExGrid {
public:
    using TTestExGrid::TTestExGrid;
    using TExStringGrid::CanEditShow;
    using TExStringGrid::FCellCache;
    using TExStringGrid::FEditDisable;
    using TExStringGrid::EditCheck;
    using TExStringGrid::EditCtrl;
    using TExStringGrid::FSpecialEditor;
    using TExStringGrid::LButFlg;
    using TExStringGrid::SelectCell;
};

class ExGridEditTest : public ::testing::Test {
protected:
    ExGridEditTest()
    {
        Form = std::make_unique<TForm>(nullptr);
        Form->SetClientWidth(600);
        Form->SetClientHeight(400);
        Grid = new TEditTestGrid(Form.get());
        Grid->SetParent(Form.get());
        Grid->SetBounds(0, 0, 560, 380);
        Grid->SetColCount(5);
        Grid->SetRowCount(6);
        Grid->SetOptions(Grid->Options() + TGridOptions{goEditing});
        for (Integer R = 1; R < 6; ++R)
            for (Integer C = 1; C < 5; ++C)
                Grid->SetCells(C, R, QStringLiteral("%1%2").arg(C).arg(R));
        ShowWithFocus(Form.get(), Grid);
        Grid->MoveToCell(1, 1);
    }

    // Editors by cell: column -> kind.
    void EditorsByColumn(std::map<Integer, TEditorType> Kinds)
    {
        Grid->OnGetEditorType = [Kinds](TObject*, Integer ACol, Integer, TEditorType& AEditor) {
            if (const auto It = Kinds.find(ACol); It != Kinds.end())
                AEditor = It->second;
        };
    }
    static QWidget* Focus() { return QApplication::focusWidget(); }
    static void Key(Qt::Key K, Qt::KeyboardModifiers M = Qt::NoModifier)
    {
        QTest::keyClick(Focus(), K, M);
        QApplication::processEvents();
    }
    static void Type(const QString& Text)
    {
        QTest::keyClicks(Focus(), Text);
        QApplication::processEvents();
    }
    void Open(Integer ACol, Integer ARow)
    {
        Grid->MoveToCell(ACol, ARow);
        Grid->SetFocus();
        QApplication::processEvents();
        Key(Qt::Key_F2);
    }
    TExInplaceEdit* TextEditor() const { return dynamic_cast<TExInplaceEdit*>(Grid->InplaceEditor()); }

    std::unique_ptr<TForm> Form;
    TEditTestGrid* Grid = nullptr;
};
