// Forms: modal results, closing, key preview, placement; the application's
// message box and error box.
#include "rtl/Forms.h"
#include "rtl/StdCtrls.h"

#include "rtl/DialogsTestService.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QPixmap>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

// Runs Body from the event loop that ShowModal runs.
void Later(int Ms, std::function<void()> Body)
{
    QTimer::singleShot(Ms, qApp, std::move(Body));
}

class FormsTest : public ::testing::Test {
protected:
    TScriptedDialogs Dialogs;
};

} // namespace

TEST_F(FormsTest, ShowModalReturnsTheModalResultSetWhileItRuns)
{
    for (TModalResult Wanted : {mrOk, mrCancel, mrYes, mrNo, mrAbort}) {
        TForm Form(nullptr);
        std::vector<std::string> Events;
        Form.OnShow = [&](TObject*) { Events.push_back("show"); };
        Form.OnClose = [&](TObject*, TCloseAction& Action) {
            Events.push_back("close");
            EXPECT_EQ(Action, caHide);
        };
        Later(0, [&] {
            EXPECT_TRUE(Form.Handle()->isVisible());
            EXPECT_TRUE(Form.Modal());
            Form.SetModalResult(Wanted);
        });
        EXPECT_EQ(Form.ShowModal(), Wanted);
        EXPECT_FALSE(Form.Visible());
        EXPECT_FALSE(Form.Handle()->isVisible());
        EXPECT_EQ(Events, (std::vector<std::string>{"show", "close"}));
    }
}

TEST_F(FormsTest, CloseQueryAndCloseActionCanKeepAModalFormOpen)
{
    TForm Form(nullptr);
    int Asked = 0;
    Form.OnCloseQuery = [&](TObject*, bool& CanClose) { CanClose = ++Asked >= 2; };
    int Closes = 0;
    Form.OnClose = [&](TObject*, TCloseAction& Action) {
        if (++Closes == 1)
            Action = caNone;
    };
    // Each step schedules the next, so a busy machine cannot reorder them.
    Later(0, [&] {
        Form.SetModalResult(mrOk);                   // refused by CloseQuery
        Later(10, [&] {
            EXPECT_EQ(Form.ModalResult(), mrNone);
            Form.SetModalResult(mrOk);               // refused by OnClose
            Later(10, [&] {
                EXPECT_EQ(Form.ModalResult(), mrNone);
                EXPECT_TRUE(Form.Handle()->isVisible());
                Form.SetModalResult(mrYes);          // accepted
            });
        });
    });
    EXPECT_EQ(Form.ShowModal(), mrYes);
    EXPECT_EQ(Asked, 3);
    EXPECT_EQ(Closes, 2);
}

TEST_F(FormsTest, EscapeDoesNotCloseAFormAndTheCloseButtonGivesCancel)
{
    TForm Form(nullptr);
    Later(0, [&] { QTest::keyClick(Form.Handle(), Qt::Key_Escape); });
    Later(10, [&] {
        EXPECT_TRUE(Form.Handle()->isVisible());
        QCloseEvent Close;
        QApplication::sendEvent(Form.Handle(), &Close);
    });
    EXPECT_EQ(Form.ShowModal(), mrCancel);

    // A visible form cannot be shown modally.
    Form.Show();
    EXPECT_THROW(Form.ShowModal(), EInvalidOperation);
    Form.Hide();
}

TEST_F(FormsTest, KeyPreviewLetsTheFormSeeAndChangeKeysFirst)
{
    TForm Form(nullptr);
    auto* Edit = new TEdit(&Form);
    Edit->SetParent(&Form);
    std::vector<std::string> Order;
    Form.SetKeyPreview(true);
    Form.OnKeyDown = [&](TObject*, Word& Key, TShiftState) {
        Order.push_back("form down " + std::to_string(Key));
        if (Key == VK_F2)
            Key = 0;
    };
    Form.OnKeyPress = [&](TObject*, Char& Key) {
        Order.push_back("form press");
        if (Key == QLatin1Char('x'))
            Key = QChar(0);
        else if (Key == QLatin1Char('a'))
            Key = QLatin1Char('b');
    };
    Edit->OnKeyDown = [&](TObject*, Word& Key, TShiftState) { Order.push_back("edit down " + std::to_string(Key)); };
    Edit->OnKeyPress = [&](TObject*, Char&) { Order.push_back("edit press"); };
    Form.Show();
    QTest::keyClick(Edit->Handle(), 'a');
    QTest::keyClick(Edit->Handle(), 'x');
    QTest::keyClick(Edit->Handle(), Qt::Key_F2);
    EXPECT_EQ(Edit->Text(), QStringLiteral("b"));
    EXPECT_EQ(Order, (std::vector<std::string>{"form down 65", "edit down 65", "form press", "edit press",
                                               "form down 88", "edit down 88", "form press",
                                               "form down 113"}));
    Form.Hide();
}

TEST_F(FormsTest, ClientSizeBorderAndScreenCentre)
{
    TForm Form(nullptr);
    Form.SetBorderStyle(bsSingle);
    Form.SetBorderIcons(TBorderIcons{biSystemMenu});
    Form.SetPosition(poScreenCenter);
    Form.SetClientWidth(460);
    Form.SetClientHeight(300);
    Form.Show();
    EXPECT_EQ(Form.ClientWidth(), 460);
    EXPECT_EQ(Form.ClientHeight(), 300);
    EXPECT_EQ(Form.Handle()->size(), QSize(460, 300));
    // Not sizeable by the user.
    EXPECT_EQ(Form.Handle()->minimumSize(), Form.Handle()->maximumSize());
    const Qt::WindowFlags Flags = Form.Handle()->windowFlags();
    EXPECT_FALSE(Flags & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(Flags & Qt::WindowMaximizeButtonHint);
    const TRect Work = Screen->WorkAreaRect();
    const TPoint Centre = CenterPoint(Form.BoundsRect());
    EXPECT_LE(std::abs(Centre.X - CenterPoint(Work).X), 1);
    EXPECT_LE(std::abs(Centre.Y - CenterPoint(Work).Y), 1);
    // The program may still resize it; OnResize follows.
    int Resized = 0;
    Form.OnResize = [&](TObject*) { ++Resized; };
    Form.SetClientWidth(500);
    EXPECT_EQ(Form.Handle()->width(), 500);
    EXPECT_EQ(Resized, 1);
    Form.SetCaption(QStringLiteral("Set Communication"));
    EXPECT_EQ(Form.Handle()->windowTitle(), QStringLiteral("Set Communication"));
    Form.Hide();
}

TEST_F(FormsTest, CreateFormRaisesOnCreateAndScreenListsTheForm)
{
    struct TMyForm : public TForm {
        explicit TMyForm(TComponent* AOwner) : TForm(AOwner)
        {
            OnCreate = [this](TObject*) { Created = true; };
        }
        bool Created = false;
    };
    TMyForm* Form = nullptr;
    Application->CreateForm(Form);
    bool DestroyedWhole = false;
    Form->OnDestroy = [&](TObject* Sender) { DestroyedWhole = static_cast<TMyForm*>(Sender)->Created; };
    ASSERT_NE(Form, nullptr);
    EXPECT_TRUE(Form->Created);
    EXPECT_EQ(Form->Owner(), Application);
    bool Listed = false;
    for (Integer I = 0; I < Screen->FormCount(); ++I)
        Listed = Listed || Screen->Forms(I) == Form;
    EXPECT_TRUE(Listed);
    delete Form;
    EXPECT_TRUE(DestroyedWhole);
    EXPECT_NE(Application->MainForm(), static_cast<TCustomForm*>(Form));
    for (Integer I = 0; I < Screen->FormCount(); ++I)
        EXPECT_NE(Screen->Forms(I), static_cast<TCustomForm*>(Form));
}

TEST_F(FormsTest, CloseHidesOrFreesAModelessForm)
{
    auto* Form = new TForm(nullptr);
    Form->Show();
    Form->Close();
    EXPECT_FALSE(Form->Visible());

    // caFree: the form goes once the events being handled are done.
    struct TWatcher : public TComponent {
        using TComponent::TComponent;
        bool Gone = false;
        void Notification(TComponent* C, TOperation Op) override
        {
            TComponent::Notification(C, Op);
            if (Op == opRemove && C == Watched)
                Gone = true;
        }
        TComponent* Watched = nullptr;
    } Watcher(nullptr);
    Watcher.Watched = Form;
    Form->FreeNotification(&Watcher);
    Form->OnClose = [](TObject*, TCloseAction& Action) { Action = caFree; };
    Form->Show();
    Form->Close();
    EXPECT_FALSE(Watcher.Gone);
    EXPECT_TRUE(QTest::qWaitFor([&] { return Watcher.Gone; }));
}

TEST_F(FormsTest, MessageBoxMapsFlagsToTheDialogServiceAndAnswersIds)
{
    struct Case {
        Cardinal Flags;
        TMsgDlgType Type;
        TMsgDlgButtons Buttons;
        TMsgDlgBtn Default;
    };
    const Case Cases[] = {
        {MB_OK | MB_ICONERROR, mtError, TMsgDlgButtons{mbOK}, mbOK},
        {MB_YESNO | MB_ICONQUESTION, mtConfirmation, mbYesNo, mbYes},
        {MB_YESNOCANCEL | MB_ICONWARNING | MB_DEFBUTTON2, mtWarning, mbYesNoCancel, mbNo},
        {MB_OKCANCEL | MB_ICONINFORMATION, mtInformation, mbOKCancel, mbOK},
        {MB_RETRYCANCEL, mtCustom, TMsgDlgButtons{mbRetry, mbCancel}, mbRetry},
    };
    for (const Case& C : Cases) {
        Dialogs->Boxes.clear();
        Dialogs->BoxAnswers = {mrNo};
        EXPECT_EQ(Application->MessageBox(QStringLiteral("Text"), QStringLiteral("Caption"), C.Flags), IDNO);
        ASSERT_EQ(Dialogs->Boxes.size(), 1u);
        const TMessageBoxRequest& R = Dialogs->Boxes[0];
        EXPECT_EQ(R.DlgType, C.Type) << C.Flags;
        EXPECT_TRUE(R.Buttons == C.Buttons) << C.Flags;
        EXPECT_EQ(R.DefaultButton, C.Default) << C.Flags;
        EXPECT_EQ(R.Text, QStringLiteral("Text"));
        EXPECT_EQ(R.Caption, QStringLiteral("Caption"));
    }
}

TEST_F(FormsTest, TheErrorBoxEndsTheMessageWithAPeriodAsTheFrameworkDoes)
{
    const std::pair<const char*, const char*> Cases[] = {
        {"Invalid row accessed", "Invalid row accessed."},
        {"Done.", "Done."},
        {"Stop!", "Stop!"},
        {"Value (x)", "Value (x)"},
        {"", ""},
    };
    Application->SetTitle(QStringLiteral("Configurator"));
    for (const auto& [In, Out] : Cases) {
        Dialogs->Boxes.clear();
        try {
            throw Exception(QString::fromUtf8(In));
        } catch (...) {
            Application->HandleException(nullptr);
        }
        ASSERT_EQ(Dialogs->Boxes.size(), 1u);
        EXPECT_EQ(Dialogs->Boxes[0].Text, QString::fromUtf8(Out));
        EXPECT_EQ(Dialogs->Boxes[0].Caption, QStringLiteral("Configurator"));
        EXPECT_EQ(Dialogs->Boxes[0].DlgType, mtError);
    }
    // Other C++ exceptions are shown too; OnException replaces the box.
    Dialogs->Boxes.clear();
    try {
        throw std::runtime_error("bad state");
    } catch (...) {
        Application->HandleException(nullptr);
    }
    ASSERT_EQ(Dialogs->Boxes.size(), 1u);
    EXPECT_EQ(Dialogs->Boxes[0].Text, QStringLiteral("bad state."));
    String Seen;
    Application->OnException = [&](TObject*, Exception* E) { Seen = E->Message(); };
    try {
        throw EConvertError(QStringLiteral("x"));
    } catch (...) {
        Application->HandleException(nullptr);
    }
    Application->OnException = nullptr;
    Application->SetTitle(String());
    EXPECT_EQ(Seen, QStringLiteral("x"));
    EXPECT_EQ(Dialogs->Boxes.size(), 1u);
}

TEST_F(FormsTest, ScreenCursorOverridesAndRestores)
{
    Screen->SetCursor(crHourGlass);
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    Screen->SetCursor(crDefault);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_GT(Screen->Width(), 0);
    EXPECT_FALSE(IsRectEmpty(Screen->WorkAreaRect()));
}

TEST_F(FormsTest, CursorTableHoldsTheProgramsOwnCursorsByNumber)
{
    EXPECT_EQ(Screen->Cursors(60), nullptr);
    QPixmap Picture(8, 8);
    Picture.fill(Qt::black);
    Screen->SetCursors(60, std::make_shared<const QCursor>(Picture, 2, 5));
    ASSERT_NE(Screen->Cursors(60), nullptr);
    TForm Form(nullptr);
    auto* Edit = new TEdit(&Form);
    Edit->SetParent(&Form);
    Edit->SetCursor(60);
    EXPECT_EQ(Edit->Handle()->cursor().hotSpot(), QPoint(2, 5));
    Screen->SetCursor(60);
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->hotSpot(), QPoint(2, 5));
    Screen->SetCursor(crDefault);
    // The standard cursors stay the platform's; a removed number falls back to the arrow.
    Screen->SetCursors(crArrow, Screen->Cursors(60));
    EXPECT_EQ(Screen->Cursors(crArrow), nullptr);
    Screen->SetCursors(60, nullptr);
    EXPECT_EQ(Screen->Cursors(60), nullptr);
    Edit->SetCursor(60);
    EXPECT_EQ(Edit->Handle()->cursor().shape(), Qt::ArrowCursor);
    EXPECT_EQ(LoadCursor(QStringLiteral("NoSuchCursor")), nullptr);
}

TEST(FormsAccel, TheAcceleratorIsTheCharacterAfterASingleAmpersand)
{
    struct TCase {
        Word VK;
        const char* Caption;
        bool Expected;
    };
    const TCase Cases[] = {
        {'S', "&Save", true}, {'s', "&Save", true}, {'a', "&Save", false}, {'B', "A&&&B", true},
        {'&', "A&&B", false}, {'X', "X&", false},  {'C', "", false},     {'2', "Item &2", true},
    };
    for (const TCase& C : Cases)
        EXPECT_EQ(IsAccel(C.VK, C.Caption), C.Expected) << C.Caption << " " << char(C.VK);
}
