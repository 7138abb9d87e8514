// Message dialogs and file dialogs through the dialog service: the scripted
// test service and the Qt one.
#include "rtl/Dialogs.h"
#include "rtl/Forms.h"

#include "rtl/DialogsTestService.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

TEST(DialogsTest, MessageDlgShowsTheTypeCaptionButtonsAndAnswers)
{
    struct Case {
        TMsgDlgType Type;
        const char* Caption;
        TMsgDlgButtons Buttons;
        TMsgDlgBtn Default;
        TModalResult Answer;
    };
    const Case Cases[] = {
        {mtError, "Error", TMsgDlgButtons{mbOK}, mbOK, mrOk},
        {mtWarning, "Warning", TMsgDlgButtons{mbOK}, mbOK, mrOk},
        {mtInformation, "Information", TMsgDlgButtons{mbOK}, mbOK, mrOk},
        {mtConfirmation, "Confirm", mbYesNo, mbYes, mrNo},
        {mtConfirmation, "Confirm", mbYesNoCancel, mbYes, mrCancel},
    };
    TScriptedDialogs Dialogs;
    for (const Case& C : Cases) {
        Dialogs->Boxes.clear();
        Dialogs->BoxAnswers = {C.Answer};
        EXPECT_EQ(MessageDlg(QStringLiteral("Error! Project not Valid"), C.Type, C.Buttons, 0), C.Answer);
        ASSERT_EQ(Dialogs->Boxes.size(), 1u);
        const TMessageBoxRequest& R = Dialogs->Boxes[0];
        EXPECT_EQ(R.DlgType, C.Type);
        EXPECT_EQ(R.Caption, QString::fromLatin1(C.Caption));
        EXPECT_EQ(R.Text, QStringLiteral("Error! Project not Valid"));
        EXPECT_TRUE(R.Buttons == C.Buttons);
        EXPECT_EQ(R.DefaultButton, C.Default);
    }
    // A lone button converts to a set, as "[mbOK]" does.
    Dialogs->Boxes.clear();
    MessageDlg(QStringLiteral("x"), mtError, mbOK, 0);
    ASSERT_EQ(Dialogs->Boxes.size(), 1u);
    EXPECT_TRUE(Dialogs->Boxes[0].Buttons == TMsgDlgButtons{mbOK});

    Application->SetTitle(QStringLiteral("Tool"));
    ShowMessage(QStringLiteral("Saved"));
    Application->SetTitle(String());
    ASSERT_EQ(Dialogs->Boxes.size(), 2u);
    EXPECT_EQ(Dialogs->Boxes[1].DlgType, mtCustom);
    EXPECT_EQ(Dialogs->Boxes[1].Caption, QStringLiteral("Tool"));
}

TEST(DialogsTest, FilterStringsSplitIntoDescriptionAndPatterns)
{
    const auto F = ParseDialogFilter(QStringLiteral("CSV (MS-DOS) (*.csv)|*.csv|All files (*.*)|*.*;*"));
    ASSERT_EQ(F.size(), 2u);
    EXPECT_EQ(F[0].first, QStringLiteral("CSV (MS-DOS) (*.csv)"));
    EXPECT_EQ(F[0].second, QStringLiteral("*.csv"));
    EXPECT_EQ(F[1].second, QStringLiteral("*.*;*"));
    EXPECT_TRUE(ParseDialogFilter(String()).empty());
    // A dangling description without patterns is dropped.
    EXPECT_EQ(ParseDialogFilter(QStringLiteral("A|*.a|B")).size(), 1u);
}

TEST(DialogsTest, SaveDialogHandsItsSettingsAndAddsTheDefaultExtension)
{
    struct Case {
        const char* DefaultExt;
        const char* Chosen;
        const char* Result;
    };
    const Case Cases[] = {
        {"*.eds", "/p/out", "/p/out.eds"},
        {".mib", "/p/traps", "/p/traps.mib"},
        {"xml", "/p/esi.xml", "/p/esi.xml"},
        {"", "/p/plain", "/p/plain"},
    };
    TScriptedDialogs Dialogs;
    for (const Case& C : Cases) {
        TSaveDialog Save(nullptr);
        Save.SetFilter(QStringLiteral("Electronic Data Sheet (*.eds)|*.eds"));
        Save.SetDefaultExt(QString::fromLatin1(C.DefaultExt));
        Save.SetInitialDir(QStringLiteral("/p"));
        Save.SetOptions(TOpenOptions{ofOverwritePrompt});
        Dialogs->FileAnswers = {QString::fromLatin1(C.Chosen)};
        ASSERT_TRUE(Save.Execute());
        EXPECT_EQ(Save.FileName(), QString::fromLatin1(C.Result));
    }
    ASSERT_EQ(Dialogs->FileDialogs.size(), 4u);
    const TFileDialogRequest& R = Dialogs->FileDialogs[0];
    EXPECT_EQ(R.Kind, fdSave);
    EXPECT_EQ(R.Filter, QStringLiteral("Electronic Data Sheet (*.eds)|*.eds"));
    EXPECT_EQ(R.InitialDir, QStringLiteral("/p"));
    EXPECT_TRUE(R.Options.Contains(ofOverwritePrompt));

    // Cancelled: false, and the file name stays.
    TOpenDialog Open(nullptr);
    Open.SetFileName(QStringLiteral("keep.xml"));
    Dialogs->FileAnswers = {String()};
    EXPECT_FALSE(Open.Execute());
    EXPECT_EQ(Open.FileName(), QStringLiteral("keep.xml"));
    EXPECT_EQ(Dialogs->FileDialogs.back().Kind, fdOpen);
}

TEST(DialogsTest, TheQtServiceShowsAMessageBoxAndReportsTheButtonPressed)
{
    QTimer::singleShot(0, qApp, [] {
        auto* Box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(Box, nullptr);
        EXPECT_EQ(Box->windowTitle(), QStringLiteral("Confirm"));
        EXPECT_EQ(Box->text(), QStringLiteral("Overwrite?"));
        EXPECT_EQ(Box->icon(), QMessageBox::Question);
        Box->button(QMessageBox::No)->click();
    });
    EXPECT_EQ(MessageDlg(QStringLiteral("Overwrite?"), mtConfirmation, mbYesNoCancel, 0), mrNo);
}

// A box raised while a window is modal belongs to that window and is centred
// over it, even when another window is the active one (no window manager).
TEST(DialogsTest, TheQtServiceCentresABoxOverTheModalWindow)
{
    TForm Main(nullptr);
    Main.SetBounds(0, 0, 300, 200);
    Main.Show();
    TForm Dialog(nullptr);
    Dialog.SetBounds(500, 400, 300, 200);
    QWidget* Parent = nullptr;
    QPoint Box_Centre;
    QTimer::singleShot(0, qApp, [&] {
        QApplication::setActiveWindow(Main.Handle());
        QTimer::singleShot(0, qApp, [&] {
            auto* Box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(Box, nullptr);
            Parent = Box->parentWidget();
            Box_Centre = Box->geometry().center();
            Box->button(QMessageBox::Ok)->click();
        });
        MessageDlg(QStringLiteral("Error! Project not Valid"), mtError, TMsgDlgButtons{mbOK}, 0);
        Dialog.SetModalResult(mrOk);
    });
    Dialog.ShowModal();
    EXPECT_EQ(Dialog.Handle(), Parent);
    const QPoint Dialog_Centre = Dialog.Handle()->frameGeometry().center();
    EXPECT_LT((Box_Centre - Dialog_Centre).manhattanLength(), 40);
}

TEST(DialogsTest, TheQtServiceShowsAFileDialogWithTheFilters)
{
    QTemporaryDir Dir;
    ASSERT_TRUE(Dir.isValid());
    QTimer::singleShot(0, qApp, [&] {
        auto* D = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(D, nullptr);
        EXPECT_EQ(D->nameFilters(), (QStringList{QStringLiteral("CSV (MS-DOS) (*.csv)"), QStringLiteral("Text (*.txt)")}));
        EXPECT_EQ(D->acceptMode(), QFileDialog::AcceptSave);
        D->selectFile(Dir.filePath(QStringLiteral("table")));
        QMetaObject::invokeMethod(D, "accept");
    });
    TSaveDialog Save(nullptr);
    Save.SetFilter(QStringLiteral("CSV (MS-DOS) (*.csv)|*.csv|Text|*.txt"));
    Save.SetDefaultExt(QStringLiteral("csv"));
    Save.SetInitialDir(Dir.path());
    ASSERT_TRUE(Save.Execute());
    EXPECT_EQ(QDir::cleanPath(Save.FileName()), QDir::cleanPath(Dir.filePath(QStringLiteral("table.csv"))));
}
