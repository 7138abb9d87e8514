// The edit with button and the edit with unit alone on a form: the click
// route, keys, layout, the unit text and the unit menu.
#include "grid/base/ESGEdit.h"

#include "common/FormFixture.h"

#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QTest>

#include <vector>

namespace {

class ESGEditTest : public TFormFixture {
protected:
    void SetUp() override
    {
        TFormFixture::SetUp();
        Edit = Make<TEsgEditBtn>(10, 10);
        Edit->SetWidth(120);
        Edit->OnClickBtn = [this](TObject*) { ++Clicks; };
    }
    TEsgUnitEditBtn* MakeUnitEdit(std::initializer_list<const char*> Units)
    {
        auto* U = Make<TEsgUnitEditBtn>(10, 60);
        U->SetWidth(120);
        TStringList List;
        for (const char* Unit : Units)
            List.Add(QString::fromLatin1(Unit));
        U->SetUnits(&List);
        return U;
    }
    // Chooses the menu entry Index (0-based) of the unit menu.
    static void ChooseUnit(TEsgUnitEditBtn* U, Integer Index)
    {
        U->ClickButton();
        ASSERT_NE(U->UnitMenu(), nullptr);
        QMenu* Menu = U->UnitMenu()->PopupWidget();
        ASSERT_NE(Menu, nullptr);
        Menu->actions().at(Index)->trigger();
        Menu->close();
    }

    TEsgEditBtn* Edit = nullptr;
    Integer Clicks = 0;
};

} // namespace

TEST_F(ESGEditTest, F4ClicksTheButtonButNotWithCtrlOrAlt)
{
    ShowForm();
    Edit->SetFocus();
    QTest::keyClick(Edit->Handle(), Qt::Key_F4);
    EXPECT_EQ(Clicks, 1);
    QTest::keyClick(Edit->Handle(), Qt::Key_F4, Qt::ControlModifier);
    QTest::keyClick(Edit->Handle(), Qt::Key_F4, Qt::AltModifier);
    EXPECT_EQ(Clicks, 1);
    QTest::keyClick(Edit->Handle(), Qt::Key_F4, Qt::ShiftModifier);
    EXPECT_EQ(Clicks, 2);
}

TEST_F(ESGEditTest, TheReleaseAfterAPressOnTheButtonClicksWhereverItIs)
{
    ShowForm();
    QWidget* Button = Edit->Button()->Button()->Handle();
    QTest::mousePress(Button, Qt::LeftButton, Qt::NoModifier, QPoint(4, 4));
    EXPECT_EQ(Clicks, 0);
    QTest::mouseRelease(Button, Qt::LeftButton, Qt::NoModifier, QPoint(-40, 4));
    EXPECT_EQ(Clicks, 1);
    // The edit has the focus after the click.
    EXPECT_TRUE(Edit->Focused());
    // The right button does not click.
    QTest::mouseClick(Button, Qt::RightButton, Qt::NoModifier, QPoint(4, 4));
    EXPECT_EQ(Clicks, 1);
}

TEST_F(ESGEditTest, WithoutTheEditorKeysMoveButNothingIsTyped)
{
    ShowForm();
    Edit->SetFocus();
    Edit->SetText(QStringLiteral("abc"));
    Edit->SetEditorEnabled(false);
    Edit->SetSelStart(3);
    QTest::keyClick(Edit->Handle(), Qt::Key_Left);
    EXPECT_EQ(Edit->SelStart(), 2);
    QTest::keyClicks(Edit->Handle(), QStringLiteral("xy"));
    QTest::keyClick(Edit->Handle(), Qt::Key_Backspace);
    QApplication::clipboard()->setText(QStringLiteral("zz"));
    QTest::keyClick(Edit->Handle(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Edit->Text(), QStringLiteral("abc"));
    // With the editor characters are typed again.
    Edit->SetEditorEnabled(true);
    QTest::keyClick(Edit->Handle(), Qt::Key_X);
    EXPECT_EQ(Edit->Text(), QStringLiteral("abxc"));
}

TEST_F(ESGEditTest, TheTextStopsBeforeTheButtonAndTheUnit)
{
    Edit->SetBorderStyle(bsNone);
    Edit->SetButtonWidth(18);
    TRect R;
    Edit->Perform(EM_GETRECT, 0, LPARAM(&R));
    EXPECT_EQ(R, TRect(3, 3, 120 - (18 + 0 + 5), Edit->ClientHeight() + 1));
    EXPECT_EQ(Edit->Button()->BoundsRect(), EditButtonBounds(120, Edit->Height(), 18, true, false));
    TEsgUnitEditBtn* U = MakeUnitEdit({"m"});
    U->Perform(EM_GETRECT, 0, LPARAM(&R));
    EXPECT_EQ(R.Right, 120 - (U->Button()->Width() + 20 + 5) - 3);
    EXPECT_EQ(R.Left, 1); // with a border
    U->SetUnitSpace(30);
    U->Perform(EM_GETRECT, 0, LPARAM(&R));
    EXPECT_EQ(R.Right, 120 - (U->Button()->Width() + 30 + 5) - 3);
    // A height below the least one is raised.
    Edit->SetHeight(2);
    EXPECT_EQ(Edit->Height(), Edit->GetMinHeight());
}

TEST_F(ESGEditTest, TextAndUnitSplitsAtTheFirstUnitThatEndsTheValue)
{
    TEsgUnitEditBtn* U = MakeUnitEdit({"m", "mm", "kg"});
    const struct {
        const char* Value;
        const char* Text;
        const char* Unit;
    } Cases[] = {
        {"12mm", "12", "mm"}, // m first stands at 3, not at the end
        {"5 kg", "5 ", "kg"},
        {"7m", "7", "m"},
        {"m", "", "m"},
        {"9 lb", "", "m"},    // no unit ends it: nothing changes
        {"", "", "m"},
    };
    for (const auto& C : Cases) {
        U->SetTextAndUnit(QString::fromLatin1(C.Value));
        EXPECT_EQ(U->Text(), QString::fromLatin1(C.Text)) << C.Value;
        EXPECT_EQ(U->UnitID(), QString::fromLatin1(C.Unit)) << C.Value;
    }
    EXPECT_EQ(U->TextAndUnit(), QStringLiteral("m"));
    U->SetText(QStringLiteral("3"));
    EXPECT_EQ(U->TextAndUnit(), QStringLiteral("3m"));
    // A null list is ignored.
    U->SetUnits(nullptr);
    EXPECT_EQ(U->Units()->Count(), 3);
}

TEST_F(ESGEditTest, OnlyAnotherUnitFromTheMenuIsAChange)
{
    TEsgUnitEditBtn* U = MakeUnitEdit({"m", "mm", "km"});
    std::vector<QString> Changes;
    U->OnUnitChanged = [&](TObject* Sender, const String& NewUnit) {
        EXPECT_EQ(Sender, U);
        Changes.push_back(NewUnit);
    };
    Integer ButtonClicks = 0;
    U->OnClickBtn = [&](TObject*) { ++ButtonClicks; };
    U->SetUnitID(QStringLiteral("mm"));
    ShowForm();
    ChooseUnit(U, 1); // mm again
    EXPECT_TRUE(Changes.empty());
    ChooseUnit(U, 2);
    EXPECT_EQ(Changes, std::vector<QString>{QStringLiteral("km")});
    EXPECT_EQ(U->UnitID(), QStringLiteral("km"));
    EXPECT_EQ(ButtonClicks, 2);
    // Only the menu's identifiers count.
    U->Perform(WM_COMMAND, 4);
    U->Perform(WM_COMMAND, 0x03000001); // an edit's change notification
    EXPECT_EQ(U->UnitID(), QStringLiteral("km"));
    EXPECT_EQ(Changes.size(), 1u);
}

TEST_F(ESGEditTest, TheUnitIsDrawnBetweenTextAndButton)
{
    TEsgUnitEditBtn* U = MakeUnitEdit({"mm"});
    U->SetText(QString());
    ShowForm();
    const TRect Area(U->ClientWidth() - U->Button()->Width() - 3 - 20, 2,
                     U->ClientWidth() - U->Button()->Width() - 3, U->ClientHeight());
    const auto DarkPixels = [&] {
        const QImage Image = U->Handle()->grab().toImage();
        Integer Count = 0;
        for (Integer Y = Area.Top; Y < Area.Bottom; ++Y)
            for (Integer X = Area.Left; X < Area.Right; ++X)
                Count += qGray(Image.pixel(X, Y)) < 100;
        return Count;
    };
    const Integer Empty = DarkPixels();
    U->SetUnitID(QStringLiteral("mm"));
    EXPECT_GT(DarkPixels(), Empty + 5);
}

TEST_F(ESGEditTest, TheButtonInTheOwnersColours)
{
    Edit->Button()->SetButtonColor(RGB(0, 0, 200));
    Edit->Button()->SetButtonColorDown(RGB(200, 0, 0));
    Edit->SetButtonCaption(QString());
    ShowForm();
    QWidget* Button = Edit->Button()->Button()->Handle();
    EXPECT_EQ(Button->grab().toImage().pixelColor(2, 2), QColor(0, 0, 200));
    QTest::mousePress(Button, Qt::LeftButton, Qt::NoModifier, QPoint(4, 4));
    EXPECT_EQ(Button->grab().toImage().pixelColor(2, 2), QColor(200, 0, 0));
    QTest::mouseRelease(Button, Qt::LeftButton, Qt::NoModifier, QPoint(4, 4));
    EXPECT_TRUE(Edit->Button()->Button()->Flat());
}

TEST_F(ESGEditTest, TheEditMayBeFreedByItsButtonOrItsMenu)
{
    ShowForm();
    Edit->OnClickBtn = [this](TObject*) { delete Edit; };
    QWidget* Button = Edit->Button()->Button()->Handle();
    QTest::mouseClick(Button, Qt::LeftButton, Qt::NoModifier, QPoint(4, 4));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(Form->ControlCount(), 0);
    TEsgUnitEditBtn* U = MakeUnitEdit({"m", "mm"});
    U->OnUnitChanged = [U](TObject*, const String&) { delete U; };
    ChooseUnit(U, 1);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(Form->ControlCount(), 0);
}
