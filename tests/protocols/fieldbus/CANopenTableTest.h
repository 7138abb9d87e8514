#pragma once
// What the tests of the three CANopen table windows share: a file of good
// rows, and a table of check cases run against it.
#include "protocols/ethernet/TableWindowTest.h"

#include "shell/UComon.h"

struct TCheck_Case {
    Integer Table;       // 0: first page, 1: second
    Integer Row;         // the row the cells go into; rows above it stay good
    TCells Cells;        // put over the good row
    const char* Message; // the error box's text; null: OK passes
};

class CANopenTableTest : public TableWindowTest {
protected:
    void TearDown() override
    {
        SL_Copy_Row.Clear();
        TableWindowTest::TearDown();
    }
    // Each case on a fresh showing of Good: a failing check shows its one
    // message and leaves the file as it was; a passing one writes it.
    void Run_Cases(TTable_Form* Window, const QByteArray& Good, const TCells Good_Rows[2],
                   std::initializer_list<TCheck_Case> Cases)
    {
        const String File = Window->File_Name();
        for (const TCheck_Case& C : Cases) {
            SCOPED_TRACE(C.Message ? C.Message : "passes");
            WriteFile(File, Good);
            Window->FormShow(Window);
            for (Integer T = 0; T < 2; ++T)
                for (Integer R = 1; R <= C.Row; ++R)
                    Put(Window->Table(T).Grid, R, Good_Rows[T]);
            Put(Window->Table(C.Table).Grid, C.Row, C.Cells);
            Dialogs->Boxes.clear();
            if (C.Message) {
                EXPECT_FALSE(Press_OK(Window));
                EXPECT_EQ(QStringList{QString::fromUtf8(C.Message)}, Box_Texts());
                ASSERT_EQ(1u, Dialogs->Boxes.size());
                EXPECT_EQ(mtError, Dialogs->Boxes[0].DlgType);
                EXPECT_EQ(Good, File_Bytes(File));
            } else {
                EXPECT_TRUE(Press_OK(Window));
                EXPECT_TRUE(Dialogs->Boxes.empty()) << Box_Texts().join(u'|').toStdString();
            }
        }
    }
    static QStringList Row(TExColumnGrid* Grid, Integer ARow)
    {
        QStringList L;
        for (Integer C = 0; C < Grid->ColCount(); ++C)
            L << Grid->Cells(C, ARow);
        return L;
    }
};
