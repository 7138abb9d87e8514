// Office colour scheme detection and the notifier of its changes, against a
// registry file of the test's own.
#include "grid/base/ExStyleIF.h"

#include "platform/ScopedEnv.h"

#include "rtl/Forms.h"
#include "rtl/Themes.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "common/ThreadWatch.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

const String Office12 = "Software\\Microsoft\\Office\\12.0\\Common";
const String Office14 = "Software\\Microsoft\\Office\\14.0\\Common";

class OfficeStyleTest : public ::testing::Test {
protected:
    QTemporaryDir Dir;
    String File = Dir.filePath("registry.ini");
    ScopedEnv RegistryFile{"CFG_REGISTRY_FILE", File.toLocal8Bit()};

    static void SetValue(const String& Key, const String& Name, const String& Value)
    {
        TRegistry Reg;
        ASSERT_TRUE(Reg.OpenKey(Key, true));
        Reg.WriteString(Name, Value);
    }
    static void MakeKey(const String& Key)
    {
        TRegistry Reg;
        ASSERT_TRUE(Reg.OpenKey(Key, true));
    }
};

// Records the theme-change messages it receives.
class TThemeProbe : public TWinControl {
public:
    using TWinControl::TWinControl;
    struct TReceived {
        WPARAM Root;
        String Key;
        bool OnMainThread;
    };
    std::vector<TReceived> Received;
    std::function<void()> OnReceive;

protected:
    void WndProc(TMessage& Message) override
    {
        if (Message.Msg == WM_OFFICETHEMECHANGED) {
            Received.push_back({Message.WParam, String(reinterpret_cast<const QChar*>(Message.LParam)),
                                IsMainThread()});
            if (OnReceive)
                OnReceive();
        }
        TWinControl::WndProc(Message);
    }
};



} // namespace

TEST_F(OfficeStyleTest, TheOfficeThemeComesFromTheNewestVersionThatSaysOne)
{
    EXPECT_EQ(GetOfficeTheme(), ot2003Classic) << "an empty registry";
    struct TCase {
        const String* Key;
        const char* Value;
        TOfficeTheme Theme;
    };
    const TCase Cases[] = {
        {&Office14, "1", ot2010Blue}, {&Office14, "2", ot2010Silver}, {&Office14, "3", ot2010Black},
        {&Office12, "1", ot2007Blue}, {&Office12, "2", ot2007Silver}, {&Office12, "3", ot2007Black},
        {&Office14, "0", ot2003Blue}, {&Office12, "7", ot2003Blue},   {&Office12, "abc", ot2003Classic},
    };
    for (const TCase& C : Cases) {
        QFile::remove(File);
        SetValue(*C.Key, "Theme", C.Value);
        EXPECT_EQ(GetOfficeTheme(), C.Theme) << C.Key->toStdString() << " " << C.Value;
    }

    QFile::remove(File);
    SetValue(Office12, "Theme", "1");
    SetValue(Office14, "Theme", "4");
    EXPECT_EQ(GetOfficeTheme(), ot2003Blue) << "version 14 decides; version 12 is not read";
    QFile::remove(File);
    MakeKey(Office14);
    SetValue(Office12, "Theme", "2");
    EXPECT_EQ(GetOfficeTheme(), ot2007Silver) << "a version-14 key without the value goes on";
}

TEST_F(OfficeStyleTest, TheVersionKindFollowsTheGeneralKeys)
{
    EXPECT_EQ(GetOfficeVersionKind(), 0);
    MakeKey(Office12);
    EXPECT_EQ(GetOfficeVersionKind(), 0) << "the key above General is not enough";
    MakeKey(Office12 + "\\General");
    EXPECT_EQ(GetOfficeVersionKind(), 1);
    MakeKey(Office14 + "\\General");
    EXPECT_EQ(GetOfficeVersionKind(), 2);
}

TEST(OfficeStyle, TheSystemCountsAsVistaWithCommonControls6)
{
    EXPECT_EQ(GetUIFontName(), "Segoe UI");
    EXPECT_TRUE(HasVistaAPI());
    EXPECT_TRUE(IsWinXP());
    EXPECT_TRUE(HasCommonControls6());
    EXPECT_EQ(GetXPThemeKind(), 0) << "Qt's style has no colour scheme";
    SetThemesEnabled(false);
    EXPECT_EQ(GetXPThemeKind(), 0);
    SetThemesEnabled(true);
    EXPECT_EQ(tsOffice2010Black, 15);
    EXPECT_EQ(otUnknown, 10);
    EXPECT_EQ(GetEnumName(tsWindows7), "tsWindows7");
}

TEST_F(OfficeStyleTest, WithoutOfficeKeysTheNotifierHasNoThreadNorWindow)
{
    TForm Form(nullptr);
    TThemeNotifier* Notifier = GetThemeNotifier(&Form);
    EXPECT_EQ(GetThemeNotifier(&Form), Notifier);
    EXPECT_EQ(Notifier->Owner(), &Form);
    EXPECT_EQ(Notifier->RegMonitorThread(), nullptr);
    EXPECT_EQ(Notifier->NotifierWindow(), nullptr);
    TThemeProbe Probe(nullptr);
    Notifier->RegisterWindow(Probe.Handle());
    Notifier->UnRegisterWindow(Probe.Handle());
}

TEST_F(OfficeStyleTest, TheNotifierSendsAChangeOnceToItsWindowAndEachRegisteredOne)
{
    MakeKey(Office12 + "\\General");
    auto Form = std::make_unique<TForm>(nullptr);
    TThemeNotifier* Notifier = GetThemeNotifier(Form.get());
    ASSERT_EQ(GetThemeNotifier(Form.get()), Notifier);
    TRegMonitorThread* Thread = Notifier->RegMonitorThread();
    ASSERT_NE(Thread, nullptr);
    ASSERT_NE(Notifier->NotifierWindow(), nullptr);
    EXPECT_EQ(Notifier->NotifierWindow()->Parent(), Form.get());
    EXPECT_FALSE(Notifier->NotifierWindow()->Visible());
    int Changes = 0;
    Notifier->OnOfficeThemeChange = [&](TObject* Sender) {
        EXPECT_EQ(Sender, Notifier);
        ++Changes;
    };

    auto* First = new TThemeProbe(Form.get());
    auto* Second = new TThemeProbe(Form.get());
    auto* Gone = new TThemeProbe(Form.get());
    for (TThemeProbe* Probe : {First, First, Second, Gone})
        Notifier->RegisterWindow(Probe->Handle());
    EXPECT_EQ(Thread->Windows(), (std::vector<HWND>{First->Handle(), Second->Handle(), Gone->Handle()}));
    delete Gone; // still listed: its message is dropped

    QTest::qWait(100); // the thread asks for the first change
    SetValue(Office14, "Theme", "2");
    QTest::qWait(100);
    EXPECT_TRUE(First->Received.empty()) << "another version's key is not watched";

    SetValue(Office12, "Theme", "2");
    ASSERT_TRUE(QTest::qWaitFor([&] { return Second->Received.size() == 1; }, 5000));
    QTest::qWait(100);
    EXPECT_EQ(Changes, 1);
    for (TThemeProbe* Probe : {First, Second}) {
        ASSERT_EQ(Probe->Received.size(), 1u);
        EXPECT_EQ(Probe->Received[0].Root, WPARAM(HKEY_CURRENT_USER));
        EXPECT_EQ(Probe->Received[0].Key, Office12);
        EXPECT_TRUE(Probe->Received[0].OnMainThread);
    }

    Notifier->UnRegisterWindow(Second->Handle());
    SetValue(Office12 + "\\General", "Other", "1");
    ASSERT_TRUE(QTest::qWaitFor([&] { return First->Received.size() == 2; }, 5000)) << "the subtree is watched";
    EXPECT_EQ(Second->Received.size(), 1u);
    EXPECT_EQ(Changes, 2);

    const TThreadID Id = Thread->ThreadID();
    EXPECT_TRUE(ThreadListed(Id));
    Form.reset();
    EXPECT_TRUE(ThreadGone(Id)) << "the thread ends with the notifier";
}

TEST_F(OfficeStyleTest, AChangeMadeWhileTheWindowsAreToldIsNotLost)
{
    MakeKey(Office14 + "\\General");
    TForm Form(nullptr);
    TThemeNotifier* Notifier = GetThemeNotifier(&Form);
    ASSERT_NE(Notifier->RegMonitorThread(), nullptr);
    auto* Probe = new TThemeProbe(&Form);
    Notifier->RegisterWindow(Probe->Handle());
    Probe->OnReceive = [&] {
        if (Probe->Received.size() == 1)
            SetValue(Office14, "Theme", "3");
    };
    QTest::qWait(100);
    SetValue(Office14, "Theme", "1");
    ASSERT_TRUE(QTest::qWaitFor([&] { return Probe->Received.size() == 2; }, 5000));
    EXPECT_EQ(Probe->Received[1].Key, Office14);
    EXPECT_EQ(GetOfficeTheme(), ot2010Black);
}
