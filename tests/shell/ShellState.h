#pragma once
// A fresh program folder for the shell's tests, with the shared globals put
// back to their start values before and after each test.
#include "shell/UComon.h"
#include "shell/ULanguage.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

inline void ResetShellGlobals()
{
    Name_Project.clear();
    Path_Project.clear();
    Last_IP_Address = QString::fromLatin1(C_Default_IP_Address);
    Language_Name = QString::fromLatin1(C_Default_Language);
    Enable_Internet = Enable_Update = Enable_Jump_Field_Tables = Double_Click_Auto_Size = false;
    Lang.Clear();
    Lang_Count = 0;
}

class ShellTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(Dir.isValid());
        ResetShellGlobals();
        Set_Program_Folders(Dir.path());
    }
    void TearDown() override
    {
        ResetShellGlobals();
    }
    QTemporaryDir Dir;
};
