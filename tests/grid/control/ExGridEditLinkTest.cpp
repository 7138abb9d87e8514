// The custom editor link on a line edit: in place and in the pop-up style.
#include "ExGridOnForm.h"

#include "grid/control/ExGrid_EditLink.h"
#include "grid/control/ExGrid_Editors.h"
#include "grid/control/ExGrid_Settings.h"
#include "rtl/StdCtrls.h"
#include "rtl/Windows.h"

#include <QtTest/QTest>

namespace {

// The link a program would write: a line edit as the editor.
class TLineEditLink : public TEditLink {
public:
    using TEditLink::TEditLink;

    TWinControl* GetEditControl() override { return Edit; }
    void CreateEditor(TWinControl* AParent) override
    {
        if (!Edit) {
            Edit = new TEdit(this);
            Edit->OnKeyDown = [this](TObject* Sender, Word& Key, TShiftState Shift) { EditKeyDown(Sender, Key, Shift); };
            Edit->OnExit = [this](TObject* Sender) { EditExit(Sender); };
        }
        Edit->SetParent(AParent);
    }
    void DestroyEditor() override { Edit->SetVisible(false); }
    String GetEditorValue() override { return Edit->Text(); }
    void SetEditorValue(const String& S) override { Edit->SetText(S); }

    TEdit* Edit = nullptr;
};

class TLinkGrid : public TTestExGrid {
public:
    using TTestExGrid::TTestExGrid;
};

struct TLinkForm : TGridOnForm<TLinkGrid> {
    explicit TLinkForm(TEditStyle Style = esInplace)
    {
        Grid->SetColCount(4);
        Grid->SetRowCount(6);
        Grid->SetOptions(Grid->Options() + goEditing);
        for (Integer R = 1; R < 6; ++R)
            for (Integer C = 1; C < 4; ++C)
                Grid->SetCells(C, R, QStringLiteral("%1%2").arg(C).arg(R));
        Link = new TLineEditLink(Form.get());
        Link->SetEditStyle(Style);
        Link->SetPopupWidth(120);
        Link->SetPopupHeight(24);
        Grid->SetEditLink(Link);
        Grid->OnGetEditorType = [](TObject*, Integer ACol, Integer, TEditorType& E) {
            if (ACol >= 1)
                E = edCustom;
        };
        ShowWithFocus(Form.get(), Grid);
        Grid->SetCol(1);
        Grid->SetRow(2);
    }
    void Open()
    {
        Grid->ShowInplaceEdit();
        QApplication::processEvents();
        ASSERT_NE(Link->Edit, nullptr);
    }
    void Key(int K, Qt::KeyboardModifiers Mods = Qt::NoModifier)
    {
        QTest::keyClick(Link->Edit->Handle(), Qt::Key(K), Mods);
        QApplication::processEvents();
    }
    TLineEditLink* Link = nullptr;
};

} // namespace

TEST(ExGridEditLink, EditsInPlaceAndEscapeRestoresTheCellText)
{
    for (const TEditStyle Style : {esInplace, esPopup}) {
        TLinkForm F(Style);
        F.Open();
        EXPECT_TRUE(F.Link->Edit->Visible());
        EXPECT_EQ(F.Link->Edit->Text(), QStringLiteral("12"));
        EXPECT_EQ(F.Link->EditCell(), TPoint(1, 2));
        EXPECT_EQ(F.Link->GetParent(), Style == esPopup ? static_cast<TWinControl*>(F.Link->PopupForm()) : F.Grid);
        F.Link->Edit->SetText(QStringLiteral("changed"));
        F.Key(Qt::Key_Escape);
        EXPECT_EQ(F.Grid->Cells(1, 2), QStringLiteral("12")) << GetEnumName(Style).toStdString();

        F.Open();
        F.Link->Edit->SetText(QStringLiteral("kept"));
        F.Key(Qt::Key_Down);
        EXPECT_EQ(F.Grid->Cells(1, 2), QStringLiteral("kept")) << GetEnumName(Style).toStdString();
        EXPECT_EQ(F.Grid->Row(), 3);
    }
}

TEST(ExGridEditLink, HomeEndAndPageKeysEndTheEditUnlessWanted)
{
    struct TCase {
        int Key;
        bool WantHomeEnd;
        bool Ends;
    };
    const TCase Cases[] = {{Qt::Key_Home, false, true}, {Qt::Key_End, false, true},
                           {Qt::Key_PageUp, false, true}, {Qt::Key_PageDown, false, true},
                           {Qt::Key_Home, true, false}, {Qt::Key_End, true, false},
                           {Qt::Key_A, false, false}};
    for (const TCase& C : Cases) {
        TLinkForm F;
        F.Link->SetWantKeyHomeEnd(C.WantHomeEnd);
        F.Open();
        F.Key(C.Key);
        EXPECT_EQ(!F.Link->Edit->Visible(), C.Ends) << C.Key << " " << C.WantHomeEnd;
    }
}

TEST(ExGridEditLink, PopupLeftMinusOneWithATopPlacesTheFormAtTheCell)
{
    TLinkForm F(esPopup);
    F.Link->SetPopupTop(100);
    F.Open();
    TCustomForm* P = F.Link->PopupForm();
    ASSERT_NE(P, nullptr);
    const TRect R = F.Grid->CellRect(1, 2);
    const TPoint At = F.Grid->ClientToScreen(TPoint(R.Left, R.Top));
    EXPECT_EQ(TPoint(P->Left(), P->Top()), At);
    EXPECT_EQ(P->Width(), 120);
    EXPECT_EQ(P->Height(), 24);
    F.Key(Qt::Key_Escape);
}

TEST(ExGridEditLink, TabToNextAtEndMovesOnAndReopensTheEditor)
{
    TLinkForm F;
    F.Grid->SetOptions(F.Grid->Options() + goTabs);
    F.Grid->Navigation()->SetTabToNextAtEnd(true);
    F.Open();
    F.Link->Edit->SetText(QStringLiteral("t"));
    F.Key(Qt::Key_Tab);
    QApplication::processEvents();
    EXPECT_EQ(F.Grid->Cells(1, 2), QStringLiteral("t"));
    EXPECT_EQ(F.Grid->Col(), 2);
    EXPECT_EQ(F.Grid->Row(), 2);
    EXPECT_TRUE(F.Link->Edit->Visible());
    EXPECT_EQ(F.Link->Edit->Text(), QStringLiteral("22"));
}

TEST(ExGridEditLink, TwoLinksKeepTheirOwnPopupFormsAndOutliveEachOther)
{
    TLinkForm F(esPopup);
    auto* Second = new TLineEditLink(F.Form.get());
    Second->SetEditStyle(esPopup);
    Second->SetPopupWidth(80);
    Second->SetPopupHeight(20);
    F.Open();
    TCustomForm* First = F.Link->PopupForm();
    F.Key(Qt::Key_Escape);

    F.Grid->SetEditLink(Second);
    F.Grid->SetCol(2);
    F.Grid->ShowInplaceEdit();
    QApplication::processEvents();
    ASSERT_NE(Second->PopupForm(), nullptr);
    EXPECT_NE(Second->PopupForm(), First);
    EXPECT_EQ(F.Link->PopupForm(), First);
    QTest::keyClick(Second->Edit->Handle(), Qt::Key_Escape);

    F.Grid->SetEditLink(F.Link);
    delete Second;
    F.Grid->SetCol(1);
    F.Open();
    EXPECT_EQ(F.Link->PopupForm(), First);
    F.Link->Edit->SetText(QStringLiteral("still"));
    F.Key(Qt::Key_Down);
    EXPECT_EQ(F.Grid->Cells(1, 2), QStringLiteral("still"));
}
