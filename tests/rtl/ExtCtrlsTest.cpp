// Panels, shapes, images, splitters, timers, link labels, page controls,
// up-down buttons and the category panel group.
#include "rtl/CategoryPanels.h"
#include "rtl/ComCtrls.h"
#include "rtl/ExtCtrls.h"
#include "rtl/Forms.h"
#include "rtl/Menus.h"
#include "rtl/StdCtrls.h"

#include "rtl/DialogsTestService.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <memory>

namespace {

class ExtCtrlsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Form = std::make_unique<TForm>(nullptr);
        Form->SetClientWidth(460);
        Form->SetClientHeight(300);
        Form->SetColor(RGB(248, 247, 237));
    }
    QImage Grab()
    {
        Form->Show();
        return Form->Handle()->grab().toImage();
    }
    template <class T>
    T* Make(TWinControl* Parent = nullptr)
    {
        auto* C = new T(Form.get());
        C->SetParent(Parent ? Parent : Form.get());
        return C;
    }
    static QColor Rgb(TColor C) { return ColorToQColor(ColorToRGB(C)); }

    TScriptedDialogs Dialogs;
    std::unique_ptr<TForm> Form;
};

} // namespace

TEST_F(ExtCtrlsTest, PanelDrawsItsBevelsAndInsetsAlignedChildren)
{
    auto* Panel = Make<TPanel>();
    Panel->SetBounds(10, 10, 100, 50);
    Panel->SetColor(RGB(0, 0, 200));
    Panel->SetBorderWidth(3);
    Panel->SetBevelInner(bvLowered);
    auto* Child = Make<TPanel>(Panel);
    Child->SetAlign(alClient);
    // Outer bevel 1 + border 3 + inner bevel 1 on every side.
    EXPECT_EQ(Child->BoundsRect(), TRect(5, 5, 95, 45));
    Child->SetVisible(false);
    const QImage Image = Grab();
    EXPECT_EQ(Image.pixelColor(10, 20), Rgb(clBtnHighlight));  // raised outer: light left edge
    EXPECT_EQ(Image.pixelColor(109, 20), Rgb(clBtnShadow));    // dark right edge
    EXPECT_EQ(Image.pixelColor(14, 20), Rgb(clBtnShadow));     // lowered inner: dark left edge
    EXPECT_EQ(Image.pixelColor(12, 20), QColor(0, 0, 200));    // the border in the panel's colour
    EXPECT_EQ(Image.pixelColor(60, 35), QColor(0, 0, 200));
}

TEST_F(ExtCtrlsTest, ShapeDrawsWithItsPenAndBrush)
{
    auto* Frame = Make<TShape>();
    Frame->SetBounds(20, 20, 100, 40);
    Frame->Pen()->SetColor(clSilver);
    Frame->Brush()->SetStyle(bsClear);
    auto* Disc = Make<TShape>();
    Disc->SetShape(stCircle);
    Disc->SetBounds(200, 20, 80, 40);
    Disc->Brush()->SetColor(clRed);
    Disc->Pen()->SetColor(clRed);
    const QImage Image = Grab();
    EXPECT_EQ(Image.pixelColor(20, 40), Rgb(clSilver));
    EXPECT_EQ(Image.pixelColor(119, 40), Rgb(clSilver));
    EXPECT_EQ(Image.pixelColor(70, 40), QColor(248, 247, 237)); // no fill
    EXPECT_EQ(Image.pixelColor(240, 40), QColor(255, 0, 0));    // the circle's centre
    EXPECT_EQ(Image.pixelColor(205, 22), QColor(248, 247, 237)); // outside the 40 x 40 circle
}

TEST_F(ExtCtrlsTest, ImageDestinationFollowsStretchProportionalAndCenter)
{
    struct Case {
        bool Stretch, Proportional, Center;
        TRect Expected;
    };
    // A 40 x 20 picture in a 100 x 100 image.
    const Case Cases[] = {
        {false, false, false, TRect(0, 0, 40, 20)},
        {false, false, true, TRect(30, 40, 70, 60)},
        {true, false, false, TRect(0, 0, 100, 100)},
        {true, true, false, TRect(0, 0, 100, 50)},
        {true, true, true, TRect(0, 25, 100, 75)},
        {false, true, false, TRect(0, 0, 40, 20)},
    };
    auto* Image = Make<TImage>();
    Image->SetBounds(0, 0, 100, 100);
    TBitmap Picture(40, 20);
    Picture.Canvas()->Brush()->SetColor(clRed);
    Picture.Canvas()->FillRect(TRect(0, 0, 40, 20));
    Image->Picture()->SetBitmap(&Picture);
    for (const Case& C : Cases) {
        Image->SetStretch(C.Stretch);
        Image->SetProportional(C.Proportional);
        Image->SetCenter(C.Center);
        EXPECT_EQ(Image->DestRect(), C.Expected) << C.Stretch << C.Proportional << C.Center;
    }
    const QImage Shot = Grab();
    EXPECT_EQ(Shot.pixelColor(5, 5), QColor(255, 0, 0));
    EXPECT_EQ(Shot.pixelColor(45, 5), QColor(248, 247, 237));
}

TEST_F(ExtCtrlsTest, LinkLabelHandsTheAnchorAddressToOnLinkClick)
{
    auto* Link = Make<TLinkLabel>();
    Link->SetCaption(QStringLiteral("New version: <a href=\"http://example.invalid/get\">download</a> <a id=\"later\">later</a>"));
    const auto Links = Link->Links();
    ASSERT_EQ(Links.size(), 2u);
    EXPECT_EQ(Links[0].first, QStringLiteral("http://example.invalid/get"));
    EXPECT_EQ(Links[0].second, sltURL);
    EXPECT_EQ(Links[1].first, QStringLiteral("later"));
    EXPECT_EQ(Links[1].second, sltID);
    std::vector<std::pair<String, TSysLinkType>> Clicked;
    Link->OnLinkClick = [&](TObject*, const String& L, TSysLinkType T) { Clicked.emplace_back(L, T); };
    // What the label does when its first anchor is activated.
    emit static_cast<QLabel*>(Link->Handle())->linkActivated(QStringLiteral("0"));
    Link->ClickLink(1);
    ASSERT_EQ(Clicked.size(), 2u);
    EXPECT_EQ(Clicked[0].first, QStringLiteral("http://example.invalid/get"));
    EXPECT_EQ(Clicked[1].second, sltID);
    EXPECT_THROW(Link->ClickLink(2), EListError);
    // Text outside the anchors is shown as it is, not as markup.
    EXPECT_TRUE(static_cast<QLabel*>(Link->Handle())->text().startsWith(QStringLiteral("New version: <a href=\"0\">")));
}

TEST_F(ExtCtrlsTest, TimerRaisesOnTimerWhileEnabled)
{
    TTimer Timer(nullptr);
    int Ticks = 0;
    Timer.SetInterval(5);
    Timer.OnTimer = [&](TObject*) { ++Ticks; };
    EXPECT_TRUE(QTest::qWaitFor([&] { return Ticks >= 2; }));
    Timer.SetEnabled(false);
    const int Stopped = Ticks;
    QCoreApplication::processEvents();
    EXPECT_EQ(Ticks, Stopped);
    // An exception from OnTimer is shown, the timer goes on.
    Timer.OnTimer = [&](TObject*) {
        ++Ticks;
        throw Exception(QStringLiteral("tick failed"));
    };
    Timer.SetEnabled(true);
    EXPECT_TRUE(QTest::qWaitFor([&] { return Dialogs->Boxes.size() >= 2; }));
    Timer.SetEnabled(false);
    EXPECT_EQ(Dialogs->Boxes[0].Text, QStringLiteral("tick failed."));
}

TEST_F(ExtCtrlsTest, PopupMenuShowsItsItemsAndRunsTheChosenOne)
{
    TPopupMenu Menu(nullptr);
    std::vector<String> Chosen;
    auto Add = [&](const char* Caption) {
        TMenuItem* Item = NewItem(QString::fromLatin1(Caption), [&](TObject* S) {
            Chosen.push_back(static_cast<TMenuItem*>(S)->Caption());
        });
        Menu.Items()->Add(Item);
        return Item;
    };
    Add("Insert Row");
    Menu.Items()->Add(NewLine());
    TMenuItem* Copy = Add("Copy Row");
    TMenuItem* Hidden = Add("Hidden");
    Hidden->SetVisible(false);
    Copy->SetEnabled(false);
    Add("Paste Row")->SetChecked(true);
    EXPECT_THROW(Menu.Items()->Items(9), EMenuError);

    auto* Panel = Make<TPanel>();
    Panel->SetPopupMenu(&Menu);
    Form->Show();
    QContextMenuEvent Context(QContextMenuEvent::Mouse, QPoint(5, 5), Panel->Handle()->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(Panel->Handle(), &Context);
    QMenu* Shown = Menu.PopupWidget();
    ASSERT_NE(Shown, nullptr);
    EXPECT_EQ(Menu.PopupComponent(), Panel);
    const QList<QAction*> Actions = Shown->actions();
    ASSERT_EQ(Actions.size(), 4); // the hidden item is left out
    EXPECT_TRUE(Actions[1]->isSeparator());
    EXPECT_FALSE(Actions[2]->isEnabled());
    EXPECT_TRUE(Actions[3]->isChecked());
    Actions[0]->trigger();
    EXPECT_EQ(Chosen, (std::vector<String>{QStringLiteral("Insert Row")}));
    Menu.ClosePopup();
    // A freed menu is forgotten by the control.
    auto* Other = new TPopupMenu(nullptr);
    Panel->SetPopupMenu(Other);
    delete Other;
    EXPECT_EQ(Panel->PopupMenu(), nullptr);
}

TEST_F(ExtCtrlsTest, SplitterDragResizesTheControlBeforeIt)
{
    auto* Left = Make<TPanel>();
    Left->SetAlign(alLeft);
    Left->SetWidth(100);
    auto* Split = Make<TSplitter>();
    Split->SetLeft(150);
    auto* Rest = Make<TPanel>();
    Rest->SetAlign(alClient);
    EXPECT_EQ(Split->Left(), 100);
    Form->Show();
    QTest::mousePress(Split->Handle(), Qt::LeftButton, Qt::NoModifier, QPoint(1, 10));
    QMouseEvent Move(QEvent::MouseMove, QPointF(41, 10), Split->Handle()->mapToGlobal(QPointF(41, 10)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(Split->Handle(), &Move);
    QTest::mouseRelease(Split->Handle(), Qt::LeftButton, Qt::NoModifier, QPoint(41, 10));
    EXPECT_EQ(Split->ResizeControl(), Left);
    EXPECT_EQ(Left->Width(), 140);
    EXPECT_EQ(Rest->Left(), 143);
}

TEST_F(ExtCtrlsTest, PageControlPagesTabsAndChanges)
{
    auto* Pages = Make<TPageControl>();
    Pages->SetBounds(0, 0, 300, 200);
    TTabSheet* Sheets[3];
    for (int I = 0; I < 3; ++I) {
        Sheets[I] = new TTabSheet(Form.get());
        Sheets[I]->SetPageControl(Pages);
        Sheets[I]->SetCaption(QStringLiteral("Page %1").arg(I));
    }
    EXPECT_EQ(Pages->PageCount(), 3);
    EXPECT_EQ(Pages->ActivePage(), Sheets[0]);
    // A control on a page can take the focus.
    auto* OnPage = new TEdit(Form.get());
    OnPage->SetParent(Sheets[0]);
    EXPECT_TRUE(OnPage->CanFocus());
    EXPECT_EQ(Pages->TabWidget()->tabText(2), QStringLiteral("Page 2"));
    Sheets[1]->SetTabVisible(false);
    EXPECT_EQ(Pages->TabWidget()->count(), 2);
    EXPECT_EQ(Sheets[1]->TabIndex(), -1);
    EXPECT_EQ(Sheets[2]->TabIndex(), 1);
    Sheets[2]->SetPageIndex(0);
    EXPECT_EQ(Pages->Pages(0), Sheets[2]);
    EXPECT_THROW(Pages->Pages(3), EListError);

    int Changes = 0;
    Pages->OnChange = [&](TObject*) { ++Changes; };
    Pages->SetActivePage(Sheets[0]); // not the user
    EXPECT_EQ(Changes, 0);
    Pages->TabWidget()->setCurrentIndex(0); // the user picks the first tab
    EXPECT_EQ(Pages->ActivePage(), Sheets[2]);
    EXPECT_EQ(Changes, 1);
    bool Allow = false;
    Pages->OnChanging = [&](TObject*, bool& A) { A = Allow; };
    Pages->TabWidget()->setCurrentIndex(1);
    EXPECT_EQ(Pages->ActivePage(), Sheets[2]);
    delete Sheets[2];
    EXPECT_EQ(Pages->PageCount(), 2);
}

TEST_F(ExtCtrlsTest, UpDownStepsItsPositionIntoTheAssociatedEdit)
{
    auto* Edit = Make<TEdit>();
    Edit->SetBounds(10, 10, 60, 21);
    auto* Up = Make<TUpDown>();
    Up->SetMin(0);
    Up->SetMax(3);
    Up->SetThousands(false);
    Up->SetAssociate(Edit);
    EXPECT_EQ(Up->Left(), 70);
    EXPECT_EQ(Up->Height(), 21);
    EXPECT_EQ(Edit->Text(), QStringLiteral("0"));
    std::vector<TUDBtnType> Clicks;
    Up->OnClick = [&](TObject*, TUDBtnType B) { Clicks.push_back(B); };
    Form->Show();
    auto Buttons = Up->Handle()->findChildren<QToolButton*>();
    ASSERT_EQ(Buttons.size(), 2);
    QToolButton* UpButton = Buttons[0]->arrowType() == Qt::UpArrow ? Buttons[0] : Buttons[1];
    for (int I = 0; I < 5; ++I)
        QTest::mouseClick(UpButton, Qt::LeftButton);
    EXPECT_EQ(Up->Position(), 3);
    EXPECT_EQ(Edit->Text(), QStringLiteral("3"));
    EXPECT_EQ(Clicks.size(), 5u);
    Up->SetWrap(true);
    Up->ClickButton(btNext);
    EXPECT_EQ(Up->Position(), 0);
}

TEST_F(ExtCtrlsTest, CategoryPanelsStackCollapseAndScroll)
{
    auto* Group = Make<TCategoryPanelGroup>();
    Group->SetAlign(alClient);
    Group->SetHeaderHeight(24);
    Group->VertScrollBar()->SetTracking(true);
    const Integer Heights[] = {206, 67, 206, 94};
    std::vector<TCategoryPanel*> Panels;
    Integer Top = 0;
    for (Integer H : Heights) {
        // As a window description does: bounds first, then the parent.
        auto* P = new TCategoryPanel(Form.get());
        P->SetBounds(0, Top, 100, H);
        P->SetPanelGroup(Group);
        Top += H;
        Panels.push_back(P);
    }
    auto* Edit = new TEdit(Form.get());
    Edit->SetParent(Panels[0]);
    Edit->SetBounds(191, 9, 238, 21);

    for (std::size_t I = 0; I < Panels.size(); ++I)
        EXPECT_EQ(Group->Panels(Integer(I)), Panels[I]);
    EXPECT_EQ(Panels[3]->Top(), 206 + 67 + 206);
    // Children stand below the header.
    EXPECT_EQ(Edit->Handle()->mapTo(Panels[0]->Handle(), QPoint(0, 0)), QPoint(191, 24 + 9));
    // 573 pixels do not fit in 300: the group scrolls.
    Form->Show();
    EXPECT_TRUE(Group->VertScrollBar()->IsScrollBarVisible());
    EXPECT_LT(Panels[0]->Width(), Group->Width());
    Group->Perform(WM_VSCROLL, SB_LINEDOWN);
    Group->Perform(WM_VSCROLL, SB_ENDSCROLL);
    EXPECT_EQ(Group->VertScrollBar()->Position(), Group->VertScrollBar()->Increment());

    // A click on the header collapses the panel; the others move up.
    QTest::mouseClick(Panels[1]->Handle(), Qt::LeftButton, Qt::NoModifier, QPoint(30, 10));
    EXPECT_TRUE(Panels[1]->Collapsed());
    EXPECT_EQ(Panels[1]->Height(), 24);
    EXPECT_EQ(Panels[2]->Top(), 206 + 24);
    // Sizing a collapsed panel sets the height it expands to.
    Panels[1]->SetHeight(80);
    EXPECT_EQ(Panels[1]->Height(), 24);
    Panels[1]->SetCollapsed(false);
    EXPECT_EQ(Panels[1]->Height(), 80);
    EXPECT_EQ(Panels[2]->Top(), 206 + 80);
    // Everything fits once all are collapsed.
    Group->CollapseAll();
    EXPECT_FALSE(Group->VertScrollBar()->IsScrollBarVisible());
}
