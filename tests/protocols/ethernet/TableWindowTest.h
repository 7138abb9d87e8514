#pragma once
// The program's windows with a configuration open, for the tests of the
// protocol table windows: the window's file, OK and the boxes shown.
#include "protocols/UTable_Form.h"
#include "shell/MainWindowFixture.h"

#include <utility>
#include <vector>

// Cells of one row: real column and text (UTF-8).
using TCells = std::vector<std::pair<Integer, const char*>>;

class TableWindowTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        Start();
        ASSERT_TRUE(QDir().mkpath(Projects(QStringLiteral("Demo"))));
        Name_Project = QStringLiteral("Demo");
        Path_Project = Projects(QStringLiteral("Demo"));
        Set_Table_Files();
    }

    QByteArray File_Bytes(const String& File) const
    {
        QFile F(File);
        return F.open(QIODevice::ReadOnly) ? F.readAll() : QByteArray();
    }
    QStringList Box_Texts() const
    {
        QStringList L;
        for (const auto& B : Dialogs->Boxes)
            L << B.Text;
        return L;
    }
    // Shows Window as the main window would and presses OK at once; whether
    // it closed with OK. The boxes of the showing come first in Dialogs.
    bool Show_And_OK(TTable_Form* Window)
    {
        OnModal(Window, [Window] { Window->Btn_OK->Click(); });
        return Window->ShowModal() == mrOk;
    }
    // OK on a window that is shown (FormShow run); whether it would close.
    static bool Press_OK(TTable_Form* Window)
    {
        Window->SetModalResult(mrNone);
        Window->Btn_OK->Click();
        return Window->ModalResult() == mrOk;
    }
    static void Put(TExColumnGrid* Grid, Integer ARow, const TCells& Cells)
    {
        for (const auto& [C, Text] : Cells)
            Grid->SetCells(C, ARow, QString::fromUtf8(Text));
    }
};
