// Every published device description beside the project, inserted through
// the window into a port of its own: the variables page shows one row per
// entry of the port, OK saves, and showing the window again shows the same
// pages; skipped when the descriptions are absent.
#include "IOLinkWindowTestSupport.h"

#include <QDir>

namespace {

// Equal lists; else where they first differ.
void ExpectSameTexts(const QStringList& Actual, const QStringList& Expected)
{
    qsizetype At = 0;
    while (At < Actual.size() && At < Expected.size() && Actual[At] == Expected[At])
        ++At;
    EXPECT_TRUE(At == Actual.size() && At == Expected.size())
        << "differ at " << At << " of " << Actual.size() << "/" << Expected.size() << ": \""
        << Actual.value(At).toStdString() << "\" instead of \"" << Expected.value(At).toStdString() << "\"";
}

class IOLinkPagesRealInputTest : public IOLinkWindowTest {
protected:
    // Every cell and box of the pages of the port shown.
    QStringList Pages() const
    {
        QStringList Out;
        TExStringGrid* Var = W->ESG_Var;
        for (Integer R = 0; R < Var->RowCount(); ++R) {
            for (Integer C = 0; C < Var->AllColCount(); ++C)
                Out << Var->AllCells(C, R);
            for (const Integer C : {0, 15, 16, 17})
                Out << QString::number(R > 0 && Var->IsChecked(C, R));
        }
        for (TExStringGrid* Grid : {static_cast<TExStringGrid*>(W->ECG_ProcessDataIn),
                                    static_cast<TExStringGrid*>(W->ECG_ProcessDataOut),
                                    static_cast<TExStringGrid*>(W->ECG_IO_Options),
                                    static_cast<TExStringGrid*>(W->ECG_Events),
                                    static_cast<TExStringGrid*>(W->ECG_DevIde_DevVarColl)})
            for (Integer R = 0; R < Grid->RowCount(); ++R)
                for (Integer C = 0; C < Grid->AllColCount(); ++C)
                    Out << Grid->Cells(C, R);
        for (TLabel* L : W->L_Identity_Value)
            Out << L->Caption();
        for (TLabel* L : W->L_Transport_Value)
            Out << L->Caption();
        // A hidden Condition list may hold what the port before left.
        Out << (W->P_PD_Condition->Visible() ? W->CB_PD_ConditionList->Items()->Text() : QString());
        return Out;
    }
};

TEST_F(IOLinkPagesRealInputTest, EveryDescriptionShowsItsEntriesAndTheSamePagesAfterOK)
{
    const QString Shared = testpaths::SharedData();
    const QDir Dir(Shared + QStringLiteral("/iodd"));
    if (Shared.isEmpty() || !Dir.exists())
        GTEST_SKIP() << "no published device descriptions beside the project";
    Path_IODD_Catalog = Dir.path();
    Path_IOLink_StaDef = Dir.path() + u'/';
    QStringList Names = Dir.entryList({QStringLiteral("*.xml")}, QDir::Files, QDir::Name);
    Names.removeIf([](const QString& N) { return N.startsWith(QLatin1String("IODD-StandardDefinitions")); });
    ASSERT_FALSE(Names.isEmpty());
    ASSERT_LE(Names.size(), 8);
    Show();
    std::vector<QStringList> Shown;
    for (Integer K = 0; K < Integer(Names.size()); ++K) {
        SCOPED_TRACE(Names[K].toStdString());
        const Integer Row = K + 1;
        ChooseInCatalog(Names[K]);
        ClickCell(Form::colChannel, Row, true);
        ASSERT_EQ(Cell(Form::colFileName, Row), Names[K]);
        const TChannel_IOLink& Port = Ch(Row);
        TExStringGrid* Var = W->ESG_Var;
        ASSERT_FALSE(Port.Var_List.empty());
        ASSERT_EQ(Var->RowCount() - 1, Integer(Port.Var_List.size()));
        for (Integer R = 1; R < Var->RowCount(); ++R) {
            const TVarObjValue& Entry = *Port.Var_List[std::size_t(R - 1)];
            ASSERT_EQ(Var->Cells(1, R), Entry.Index) << R;
            ASSERT_EQ(Var->Cells(2, R), Entry.SubIndex) << R;
        }
        EXPECT_EQ(W->ECG_Events->RowCount() - 1, qMax<Integer>(1, Integer(Port.Event_List.size())));
        Shown.push_back(Pages());
    }
    ASSERT_TRUE(PressOK()) << (Dialogs->Boxes.empty() ? std::string() : Dialogs->Boxes.back().Text.toStdString());
    W->Hide();
    Show();
    for (Integer K = 0; K < Integer(Names.size()); ++K) {
        SCOPED_TRACE(Names[K].toStdString());
        ClickCell(Form::colChannel, K + 1);
        ExpectSameTexts(Pages(), Shown[std::size_t(K)]);
    }
}

} // namespace
