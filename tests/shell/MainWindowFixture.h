#pragma once
// The program's windows in a temporary program folder, with a scripted
// dialog service answering the message boxes and file dialogs.
#include "platform/ProgramFolder.h"
#include "platform/ScopedEnv.h"
#include "rtl/DialogsTestService.h"
#include "shell/ShellState.h"
#include "shell/UDeviravizevFirmWare.h"

#include <QDir>
#include <QFile>
#include <QTimer>

#include <functional>
#include <memory>

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(Dir.isValid());
        ResetShellGlobals();
        ProgramDir = std::make_unique<ScopedEnv>(platform::ProgramDirEnv, Dir.path().toLocal8Bit());
    }
    void TearDown() override
    {
        Stop();
        ResetShellGlobals();
        Step_Routines = TStep_Routines();
    }

    // The program's start: every window created in order.
    void Start()
    {
        Owner = std::make_unique<TComponent>(nullptr);
        Create_Forms(Owner.get());
        Main = FDeviravizevFirmWare;
    }
    void Stop()
    {
        Owner.reset();
        Forget_Forms();
        Main = nullptr;
    }
    // Runs Action as soon as Form is shown modally (call it before what
    // shows the form). Whatever Action leaves open is then cancelled, so a
    // test never hangs; the answer tells whether Form was still open.
    std::shared_ptr<bool> OnModal(TCustomForm* Form, std::function<void()> Action)
    {
        auto StillOpen = std::make_shared<bool>(false);
        QTimer::singleShot(0, [Form, Action, StillOpen] {
            if (!Form->Modal())
                return;
            Action();
            *StillOpen = Form->Modal() && Form->ModalResult() == mrNone;
            if (*StillOpen)
                Form->SetModalResult(mrCancel);
        });
        return StillOpen;
    }

    String Projects(const String& Name = String()) const
    {
        return Dir.path() + QStringLiteral("/PROJECTS") + (Name.isEmpty() ? String() : QLatin1Char('/') + Name);
    }
    String SettingsText() const
    {
        QFile F(Dir.path() + QStringLiteral("/Pantovisor.xml"));
        return F.open(QIODevice::ReadOnly) ? QString::fromUtf8(F.readAll()) : String();
    }
    void WriteFile(const String& Name, const QByteArray& Data) const
    {
        QFile F(Name);
        ASSERT_TRUE(F.open(QIODevice::WriteOnly)) << Name.toStdString();
        F.write(Data);
    }

    QTemporaryDir Dir;
    std::unique_ptr<ScopedEnv> ProgramDir;
    std::unique_ptr<TComponent> Owner;
    TScriptedDialogs Dialogs;
    TFDeviravizevFirmWare* Main = nullptr;
};
