#pragma once
// The Set Communication window over a fresh configuration folder, with the
// English texts and a scripted dialog service.
#include "common/TestPaths.h"
#include "platform/XmlDoc.h"
#include "rtl/DialogsTestService.h"
#include "shell/ShellState.h"
#include "shell/UParGen.h"

#include <QFile>

#include <algorithm>
#include <memory>
#include <utility>
#include <vector>

class ParGenTest : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        Load_Lang_English();
        Set_Product_Texts();
        Path_Project = Dir.path() + QStringLiteral("/PROJECTS/Alpha");
        ASSERT_TRUE(ForceDirectories(Path_Project));
        Set_Table_Files();
        Owner = std::make_unique<TComponent>(nullptr);
        W = new TFParGen(Owner.get());
        W->DoCreate();
    }
    void TearDown() override
    {
        Owner.reset();
        ShellTest::TearDown();
    }

    // Shows the window as the step does (the file is loaded).
    void Show() { W->Show(); }
    // Presses OK; true when the window closed with OK.
    bool PressOK()
    {
        W->SetModalResult(mrNone);
        W->Btn_OK->Click();
        return W->ModalResult() == mrOk;
    }
    void UseFixture(const char* Name)
    {
        QFile::remove(File_ParGen);
        ASSERT_TRUE(QFile::copy(testpaths::Fixture(QStringLiteral("pargen/") + QLatin1String(Name)), File_ParGen));
    }
    QByteArray FileBytes() const
    {
        QFile F(File_ParGen);
        return F.open(QIODevice::ReadOnly) ? F.readAll() : QByteArray();
    }
    // The root's elements (name, text) in file order.
    static std::vector<std::pair<String, String>> Elements(const xml::TXMLNode& Root)
    {
        std::vector<std::pair<String, String>> List;
        for (int I = 0; I < Root.ChildCount(); ++I)
            List.emplace_back(Root.Child(I).NodeName(), Root.Child(I).Text());
        return List;
    }
    // The text the file holds for Element.
    String Saved(const char* Element) const
    {
        xml::TXMLDocument Doc;
        Doc.LoadFromFile(File_ParGen);
        return Doc.DocumentElement().FindChild(Element).Text();
    }
    // The panels shown, from the top.
    std::vector<TCategoryPanel*> ShownPanels() const
    {
        std::vector<TCategoryPanel*> Shown;
        for (Integer I = 0; I < W->CPG->PanelCount(); ++I)
            if (W->CPG->Panels(I)->Visible())
                Shown.push_back(W->CPG->Panels(I));
        std::stable_sort(Shown.begin(), Shown.end(),
                         [](const TCategoryPanel* A, const TCategoryPanel* B) { return A->Top() < B->Top(); });
        return Shown;
    }
    std::vector<String> BoxTexts() const
    {
        std::vector<String> Texts;
        for (const TMessageBoxRequest& R : Dialogs->Boxes)
            Texts.push_back(R.Text);
        return Texts;
    }

    std::unique_ptr<TComponent> Owner;
    TFParGen* W = nullptr;
    TScriptedDialogs Dialogs;
};
