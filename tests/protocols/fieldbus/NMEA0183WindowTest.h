#pragma once
// The fixture both NMEA 0183 windows are tested with: one window on the
// shared file "NMEA_0183_Set_Access.xml" of a temporary configuration.
#include "rtl/DialogsTestService.h"
#include "shell/ShellState.h"

#include <QFile>

#include <memory>

template <class TWindow, class TGrid, TGrid* TWindow::*GridMember>
class NMEA0183WindowTest : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        Load_Lang_English();
        Path_Project = Dir.path();
        File_NMEA_0183_Set_Access = Dir.path() + QStringLiteral("/NMEA_0183_Set_Access.xml");
        Owner = std::make_unique<TComponent>(nullptr);
        Form = new TWindow(Owner.get());
        Form->DoCreate();
        Grid = Form->*GridMember;
    }
    void TearDown() override
    {
        Owner.reset();
        File_NMEA_0183_Set_Access.clear();
        SL_Copy_Row.Clear();
        Copy_Row_CheckBox.clear();
        ShellTest::TearDown();
    }
    void Write_File(const QByteArray& Rows)
    {
        QFile F(File_NMEA_0183_Set_Access);
        ASSERT_TRUE(F.open(QIODevice::WriteOnly));
        F.write("<NMEA_0183><NMEA_Listener>" + Rows + "</NMEA_Listener></NMEA_0183>");
    }
    QByteArray File_Bytes() const
    {
        QFile F(File_NMEA_0183_Set_Access);
        return F.open(QIODevice::ReadOnly) ? F.readAll() : QByteArray();
    }

    std::unique_ptr<TComponent> Owner;
    TWindow* Form = nullptr;
    TGrid* Grid = nullptr;
};
