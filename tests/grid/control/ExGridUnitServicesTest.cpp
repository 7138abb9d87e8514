// The grid unit's services: the file version query, the transparent window
// style, the format readers and the style interfaces.
#include "ExGridTestForm.h"

#include "rtl/SysUtils.h"
#include "rtl/ExtCtrls.h"
#include "rtl/WindowHooks.h"

#include <QTemporaryDir>
#include <QWidget>

TEST(ExGridUnitServices, OnlyTheCommonControlsLibraryHasAVersion)
{
    EXPECT_EQ(GetFileVersion("comctl32.dll"), 393216);
    EXPECT_EQ(GetFileVersion("COMCTL32.DLL"), 393216);
    EXPECT_EQ((GetFileVersion("COMCTL32.DLL") >> 16) & 0xFF, 6) << "the grid's common-controls-6 test";
    QTemporaryDir Dir;
    const String Ordinary = Dir.filePath("plain.txt");
    TStringList Lines;
    Lines.Add("x");
    Lines.SaveToFile(Ordinary);
    EXPECT_EQ(GetFileVersion(Ordinary), -1);
    EXPECT_EQ(GetFileVersion(""), -1);
    EXPECT_EQ(GetFileVersion("comctl32.dl"), -1);
    EXPECT_EQ(GetFileVersion(String(260, u'a')), -1) << "longer than the name buffer";
    EXPECT_EQ(GetFileVersion(String(248, u' ') + "comctl32.dll"), -1) << "260 characters";
}

TEST(ExGridUnitServices, TheFormatReadersFollowTheFormatSettings)
{
    const TFormatSettings Saved = FormatSettings;
    FormatSettings.TimeSeparator = u'.';
    FormatSettings.DateSeparator = u'-';
    FormatSettings.ThousandSeparator = u'\'';
    FormatSettings.DecimalSeparator = u',';
    FormatSettings.ShortDateFormat = "yyyy-mm-dd";
    FormatSettings.ShortTimeFormat = "hh.nn";
    FormatSettings.LongTimeFormat = "hh.nn.ss";
    EXPECT_EQ(GetTimeSeparator(), u'.');
    EXPECT_EQ(GetDateSeparator(), u'-');
    EXPECT_EQ(GetThousandSeparator(), u'\'');
    EXPECT_EQ(GetDecimalSeparator(), u',');
    EXPECT_EQ(GetShortDateFormat(), "yyyy-mm-dd");
    EXPECT_EQ(GetShortTimeFormat(), "hh.nn");
    EXPECT_EQ(GetLongTimeFormat(), "hh.nn.ss");
    FormatSettings = Saved;
    EXPECT_EQ(GetLongTimeFormat(), Saved.LongTimeFormat);
}

TEST(ExGridUnitServices, ATransparentWindowLetsTheMouseThrough)
{
    TForm Form(nullptr);
    auto* Panel = new TPanel(&Form);
    Panel->SetParent(&Form);
    EXPECT_EQ(GetWindowLong(Panel->Handle(), GWL_EXSTYLE) & WS_EX_TRANSPARENT, 0);
    SetWindowTransparent(Panel->Handle());
    EXPECT_NE(GetWindowLong(Panel->Handle(), GWL_EXSTYLE) & WS_EX_TRANSPARENT, 0);
    EXPECT_TRUE(Panel->Handle()->testAttribute(Qt::WA_TransparentForMouseEvents));
    SetWindowTransparent(nullptr);
}

TEST(ExGridUnitServices, TheStyleInterfacesReachTheGridsOwnOperations)
{
    TExGridForm F;
    TObject* Object = F.Grid;
    auto* Tones = dynamic_cast<IQVXTones*>(Object);
    auto* Style = dynamic_cast<IQVXStyle*>(Object);
    ASSERT_NE(Tones, nullptr);
    ASSERT_NE(Style, nullptr);
    Style->SetComponentStyle(tsOffice2007Luna);
    EXPECT_EQ(F.Grid->FCurrentStyle, tsOffice2007Luna);
    TColorTones T;
    T.Background.BrushColor = RGB(1, 2, 3);
    Tones->SetColorTones(T);
    EXPECT_EQ(F.Grid->Tones().Background.BrushColor, RGB(1, 2, 3));
    EXPECT_EQ(F.Grid->Color(), RGB(1, 2, 3));
    // The form still owns the grid: it goes with the form, once.
}

// A hook chain: the newest hook first, each passing the message on.
namespace {
std::vector<int> Calls;
HHOOK First = nullptr;
HHOOK Second = nullptr;
LRESULT FirstProc(Integer Code, WPARAM W, LPARAM L)
{
    Calls.push_back(1);
    return CallNextHookEx(First, Code, W, L);
}
LRESULT SecondProc(Integer Code, WPARAM W, LPARAM L)
{
    Calls.push_back(2);
    return CallNextHookEx(Second, Code, W, L);
}
} // namespace

TEST(ExGridUnitServices, WindowHooksSeeTopLevelMovesNewestFirst)
{
    TForm Form(nullptr);
    Form.SetBounds(10, 10, 200, 100);
    Form.Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(Form.Handle()));
    EXPECT_EQ(SetWindowsHookEx(3, FirstProc, nullptr, 0), nullptr) << "another kind of hook";
    First = SetWindowsHookEx(WH_CALLWNDPROC, FirstProc, nullptr, 0);
    Second = SetWindowsHookEx(WH_CALLWNDPROC, SecondProc, nullptr, 0);
    ASSERT_NE(First, nullptr);
    Calls.clear();
    Form.SetLeft(40);
    ASSERT_TRUE(QTest::qWaitFor([] { return Calls.size() >= 2; }, 2000));
    EXPECT_EQ(Calls[0], 2);
    EXPECT_EQ(Calls[1], 1);
    EXPECT_TRUE(UnhookWindowsHookEx(Second));
    EXPECT_FALSE(UnhookWindowsHookEx(Second));
    EXPECT_TRUE(UnhookWindowsHookEx(First));
    Calls.clear();
    Form.SetLeft(80);
    QTest::qWait(50);
    EXPECT_TRUE(Calls.empty());
}
