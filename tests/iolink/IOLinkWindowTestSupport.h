#pragma once
// The IO-Link Set Access window and the catalog window over a fresh
// configuration folder, with the English texts, the fixtures' catalog and
// standard definitions, and a scripted dialog service.
#include "common/ShowForm.h"
#include "common/TestPaths.h"
#include "iolink/SetAccessTestEnv.h"
#include "iolink/UIOLink_IODD_Catalog.h"
#include "iolink/UIO_Link_Set_Access_Form.h"
#include "rtl/DialogsTestService.h"
#include "shell/ShellState.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTimer>
#include <QtTest/QTest>

#include <functional>
#include <memory>
#include <vector>

namespace iolinkwindow_test {

// Opens a grid's editor on a real cell with F2.
inline void OpenEditor(TExStringGrid* Grid, Integer Col, Integer Row)
{
    // The keys go to the grid's window, also after a window above it closed.
    QApplication::setActiveWindow(Grid->Handle()->window());
    Grid->SetEditorMode(false);
    Grid->MoveToCell(Grid->DisplColIndex(Col), Row);
    Grid->SetFocus();
    QApplication::processEvents();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F2);
    QApplication::processEvents();
}

// Types Text into the cell's editor and ends the edit with Enter.
inline void TypeInto(TExStringGrid* Grid, Integer Col, Integer Row, const String& Text)
{
    OpenEditor(Grid, Col, Row);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
    // Key events carrying the text, so any script can be typed.
    for (const QChar Ch : Text) {
        QKeyEvent Press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(Ch));
        QApplication::sendEvent(QApplication::focusWidget(), &Press);
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QApplication::processEvents();
}

// A left click (or double click) in the middle of a real cell.
inline void ClickCell(TExStringGrid* Grid, Integer Col, Integer Row, bool Double = false)
{
    const TRect R = Grid->CellRect(Grid->DisplColIndex(Col), Row);
    const QPoint At((R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2);
    QWidget* Target = Grid->ClientWidget();
    if (Double)
        QTest::mouseDClick(Target, Qt::LeftButton, Qt::NoModifier, At);
    else
        QTest::mouseClick(Target, Qt::LeftButton, Qt::NoModifier, At);
    QApplication::processEvents();
}

// Runs Action as soon as Window is shown modally; whatever it leaves open
// is cancelled, so a test never hangs.
inline void OnModal(TCustomForm* Window, std::function<void()> Action)
{
    QTimer::singleShot(0, [Window, Action] {
        if (!Window->Modal())
            return;
        Action();
        if (Window->Modal() && Window->ModalResult() == mrNone)
            Window->SetModalResult(mrCancel);
    });
}

// Answers the next catalog showing: OK on the row naming File, or Cancel
// when File is empty or not listed.
inline void ChooseInCatalog(const String& File)
{
    OnModal(FIOLink_IODD_Catalog, [File] {
        TExStringGrid* Grid = FIOLink_IODD_Catalog->ESG_IODD_Cat;
        for (Integer R = 1; R < Grid->RowCount() && !File.isEmpty(); ++R)
            if (Grid->Cells(TFIOLink_IODD_Catalog::Col_FileName, R) == File) {
                Grid->FocusCell(0, R);
                FIOLink_IODD_Catalog->Btn_OK->Click();
                return;
            }
        FIOLink_IODD_Catalog->Btn_Cancel->Click();
    });
}

} // namespace iolinkwindow_test

class IOLinkWindowTest : public ShellTest {
protected:
    using Form = TFIO_Link_Set_Access;

    void SetUp() override
    {
        ShellTest::SetUp();
        Load_Lang_English();
        Set_Product_Texts();
        Path_Project = Dir.path() + QStringLiteral("/PROJECTS/Alpha");
        Name_Project = QStringLiteral("Alpha");
        ASSERT_TRUE(ForceDirectories(Path_Project));
        Set_Table_Files();
        Path_IOLink_StaDef = testpaths::Fixture(QStringLiteral("iolink/stadef/"));
        Path_IODD_Catalog = setaccess_test::Catalog();
        Owner = std::make_unique<TComponent>(nullptr);
        FIOLink_IODD_Catalog = new TFIOLink_IODD_Catalog(Owner.get());
        FIOLink_IODD_Catalog->DoCreate();
        W = new TFIO_Link_Set_Access(Owner.get());
        W->DoCreate();
    }
    void TearDown() override
    {
        Owner.reset();
        FIOLink_IODD_Catalog = nullptr;
        ShellTest::TearDown();
    }

    void WriteParGen(const QString& Variant)
    {
        setaccess_test::WriteBytes(File_ParGen, "<ParGen><IOLink_SelectDevice>" + Variant.toUtf8()
                                                    + "</IOLink_SelectDevice></ParGen><!--SW_VERSION = 1.003-->");
    }
    void WriteConfig(const QByteArray& Channels)
    {
        setaccess_test::WriteBytes(File_IOLink_SetAccess, setaccess_test::ConfigFile(Channels));
    }
    QByteArray ConfigBytes() const
    {
        QFile F(File_IOLink_SetAccess);
        return F.open(QIODevice::ReadOnly) ? F.readAll() : QByteArray();
    }

    // Shows the window as the step does and waits until it is on screen.
    void Show() { ShowWithFocus(W, W->ECG_IODD); }
    // Cancel, then the next showing.
    void CancelAndShowAgain()
    {
        W->Btn_Cancel->Click();
        W->Hide();
        Show();
    }
    // Presses OK; true when the window closed with OK.
    bool PressOK()
    {
        W->SetModalResult(mrNone);
        W->Btn_OK->Click();
        return W->ModalResult() == mrOk;
    }

    TExColumnGrid* Ports() const { return W->ECG_IODD; }
    String Cell(Integer Col, Integer Port) const { return W->ECG_IODD->Cells(Col, Port); }
    // The port row's cells, columns 0 to 6.
    std::vector<String> PortRow(Integer Row) const
    {
        std::vector<String> Cells;
        for (Integer C = Form::colChannel; C <= Form::colTimeOut; ++C)
            Cells.push_back(W->ECG_IODD->Cells(C, Row));
        return Cells;
    }
    TChannel_IOLink& Ch(Integer Port) const { return *W->Core.Channels.at(std::size_t(Port - 1)); }

    void OpenEditor(Integer Col, Integer Row) { iolinkwindow_test::OpenEditor(Ports(), Col, Row); }
    void TypeInto(Integer Col, Integer Row, const String& Text)
    {
        iolinkwindow_test::TypeInto(Ports(), Col, Row, Text);
    }
    void ClickCell(Integer Col, Integer Row, bool Double = false)
    {
        iolinkwindow_test::ClickCell(Ports(), Col, Row, Double);
    }
    static void OnModal(TCustomForm* Window, std::function<void()> Action)
    {
        iolinkwindow_test::OnModal(Window, std::move(Action));
    }
    static void ChooseInCatalog(const String& File) { iolinkwindow_test::ChooseInCatalog(File); }

    std::vector<String> BoxTexts() const
    {
        std::vector<String> Texts;
        for (const TMessageBoxRequest& R : Dialogs->Boxes)
            Texts.push_back(R.Text);
        return Texts;
    }

    std::unique_ptr<TComponent> Owner;
    TFIO_Link_Set_Access* W = nullptr;
    TScriptedDialogs Dialogs;
};
