// Actions and their links to controls, and the theme message a control
// gets when Qt's style or theme changes.
#include "rtl/ActnList.h"
#include "rtl/Controls.h"

#include <QApplication>
#include <QEvent>

#include <gtest/gtest.h>

#include <memory>

namespace {

struct LinkedControl {
    std::unique_ptr<TComponent> Owner = std::make_unique<TComponent>(nullptr);
    TCustomAction* Action = new TCustomAction(Owner.get());
    TCustomControl* Control = new TCustomControl(Owner.get());
    Integer Executed = 0;

    LinkedControl()
    {
        Action->SetCaption("Go");
        Action->OnExecute = [this](TObject*) { ++Executed; };
        Control->SetAction(Action);
    }
};

} // namespace

TEST(ActnList, LinkingTakesTheActionsValuesAndChangesFollowWhileLinked)
{
    LinkedControl L;
    EXPECT_EQ(L.Control->Action(), L.Action);
    EXPECT_EQ(L.Control->Caption(), "Go");
    L.Action->SetCaption("Run");
    EXPECT_EQ(L.Control->Caption(), "Run");
    L.Action->SetEnabled(false);
    EXPECT_FALSE(L.Control->Enabled());

    // A control that shows its own caption keeps it.
    L.Control->SetCaption("Mine");
    L.Action->SetCaption("Stop");
    EXPECT_EQ(L.Control->Caption(), "Mine");
}

TEST(ActnList, AClickExecutesTheActionUnlessTheControlHasItsOwnHandler)
{
    LinkedControl L;
    L.Control->Click();
    EXPECT_EQ(L.Executed, 1);
    Integer Own = 0;
    L.Control->OnClick = [&](TObject*) { ++Own; };
    L.Control->Click();
    EXPECT_EQ(L.Executed, 1);
    EXPECT_EQ(Own, 1);
}

TEST(ActnList, ActionAndControlMayGoInEitherOrder)
{
    LinkedControl L;
    delete L.Action;
    EXPECT_EQ(L.Control->Action(), nullptr);
    L.Control->Click();

    LinkedControl M;
    delete M.Control;
    M.Action->SetCaption("Still here");
    EXPECT_TRUE(M.Action->Execute());
    EXPECT_EQ(M.Executed, 1);
}

namespace {

class TThemeProbe : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    Integer ThemeChanges = 0;

protected:
    void WndProc(TMessage& Message) override
    {
        if (Message.Msg == WM_THEMECHANGED)
            ++ThemeChanges;
        TCustomControl::WndProc(Message);
    }
};

} // namespace

TEST(ControlsTheme, AChangeOfQtsStyleOrThemeReachesControlsAsThemeChanged)
{
    TThemeProbe Probe(nullptr);
    for (const QEvent::Type T : {QEvent::StyleChange, QEvent::ThemeChange}) {
        QEvent E(T);
        QApplication::sendEvent(Probe.Handle(), &E);
    }
    EXPECT_EQ(Probe.ThemeChanges, 2);
}
