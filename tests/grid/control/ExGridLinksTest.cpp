// Cell links and mini-HTML form controls: the link step of a press, the
// control editors and their values going back into the cell text.
#include "ExGridMouse.h"
#include "ExGridOnForm.h"

#include "grid/base/EsgHTMLE.h"
#include "grid/control/ExGrid_Links.h"
#include "grid/control/ExGrid_Settings.h"

#include <QStringList>

namespace {

class TLinkGrid : public TTestExGrid {
public:
    using TTestExGrid::TTestExGrid;
    using TExStringGrid::HitTestHTML;
    using TExStringGrid::THTMLHit;
};

struct TLinkForm : TGridOnForm<TLinkGrid> {
    TLinkForm()
    {
        Grid->SetColCount(4);
        Grid->SetRowCount(8);
        Grid->SetDefaultRowHeight(30);
        Grid->SetColWidths(1, 220);
        SetGridURLOpener([this](const String& URL) {
            Opened << URL;
            return true;
        });
        Show();
    }
    ~TLinkForm() { SetGridURLOpener({}); }

    // A point of cell (1, ARow) where the renderer finds what Wanted accepts.
    QPoint Find(Integer ARow, const std::function<bool(const TLinkGrid::THTMLHit&)>& Wanted)
    {
        const TRect R = Grid->CellRect(1, ARow);
        const String Text = Grid->Cells(1, ARow);
        for (Integer Y = R.Top; Y < R.Bottom; ++Y)
            for (Integer X = R.Left; X < R.Right; ++X)
                if (Wanted(Grid->HitTestHTML(Text, 1, ARow, X, Y)))
                    return QPoint(X, Y);
        ADD_FAILURE() << "nothing found in " << Text.toStdString();
        return QPoint(R.Left + 2, R.Top + 2);
    }
    QPoint FindControl(Integer ARow, const String& ID)
    {
        return Find(ARow, [&](const TLinkGrid::THTMLHit& H) { return H.CID == ID; });
    }
    void Click(QPoint P) { TGridMouse{Grid}.Click(P); }

    QStringList Opened;
};

} // namespace

TEST(ExGridLinks, WebLinksOpenOnceUnlessTheHandlerTakesThemOtherSchemesNever)
{
    TLinkForm F;
    F.Grid->SetURLShow(true);
    F.Grid->SetCells(1, 2, QStringLiteral("http://example.org/x"));
    F.Grid->SetCells(1, 3, QStringLiteral("file:///bin/sh"));
    F.Grid->SetCells(1, 4, QStringLiteral("ftp2://x"));
    QStringList Clicked;
    F.Grid->OnAnchorClick = [&](TObject*, Integer, Integer, const String& Anchor, bool&) { Clicked << Anchor; };

    F.Click(TGridMouse{F.Grid}.At(1, 2, 5, 5));
    EXPECT_EQ(F.Opened, QStringList{QStringLiteral("http://example.org/x")});
    F.Click(TGridMouse{F.Grid}.At(1, 3, 5, 5));
    F.Click(TGridMouse{F.Grid}.At(1, 4, 5, 5));
    EXPECT_EQ(F.Opened.size(), 1);
    // The event is raised for every link, opened or not.
    EXPECT_EQ(Clicked.size(), 3);

    F.Grid->OnAnchorClick = [](TObject*, Integer, Integer, const String&, bool& AutoHandle) { AutoHandle = false; };
    F.Click(TGridMouse{F.Grid}.At(1, 2, 5, 5));
    EXPECT_EQ(F.Opened.size(), 1);
}

TEST(ExGridLinks, OnlyWebAndMailSchemesAreOpenable)
{
    for (const char* Yes : {"http://a", "HTTPS://a", "ftp://a", "mailto:a@b"})
        EXPECT_TRUE(IsOpenableLink(QString::fromLatin1(Yes))) << Yes;
    for (const char* No : {"file:///bin/sh", "ftp2://x", "javascript:x", "", "cell://r1c1", "x http://a"})
        EXPECT_FALSE(IsOpenableLink(QString::fromLatin1(No))) << No;
}

TEST(ExGridLinks, CellAnchorsMoveTheCurrentCellWhenComplete)
{
    TLinkForm F;
    F.Grid->SetCells(1, 1, QStringLiteral("<a href=\"cell://R5C2\">go</a>"));
    F.Grid->SetCells(1, 2, QStringLiteral("<A HREF=\"CELL://R5\">go</A>"));
    F.Grid->SetCells(1, 3, QStringLiteral("<A HREF=\"CELL://R50C2\">go</A>"));
    auto IsAnchor = [](const TLinkGrid::THTMLHit& H) { return !H.Anchor.isEmpty(); };

    F.Click(F.Find(1, IsAnchor));
    EXPECT_EQ(F.Grid->Col(), 2);
    EXPECT_EQ(F.Grid->Row(), 5);

    F.Grid->SetRow(6);
    F.Grid->SetCol(3);
    F.Click(F.Find(2, IsAnchor));
    F.Click(F.Find(3, IsAnchor));
    EXPECT_EQ(F.Grid->Col(), 3);
    EXPECT_EQ(F.Grid->Row(), 6);
    EXPECT_TRUE(F.Opened.isEmpty());
}

TEST(ExGridLinks, TheEditControlsEditorSitsOnTheControlAndStoresItsValue)
{
    TLinkForm F;
    F.Grid->SetCells(1, 2, QStringLiteral("<CONTROL TYPE=\"EDIT\" ID=\"e1\" VALUE=\"abc\" MAXLEN=\"6\">"));
    String Done;
    F.Grid->OnControlEditDone = [&](TObject*, Integer ARow, Integer ACol, const String& ID, const String&,
                                    const String& Value) {
        Done = QStringLiteral("%1,%2,%3,%4").arg(ACol).arg(ARow).arg(ID, Value);
    };
    F.Grid->StartHTMLControlEdit(F.Grid->Cells(1, 2), QStringLiteral("EDIT"), QStringLiteral("e1"),
                                 QStringLiteral("abc"), TRect(10, 20, 110, 40), 1, 1, 2);
    TControlEdit* E = F.Grid->HTMLControlEdit();
    ASSERT_NE(E, nullptr);
    EXPECT_EQ(TRect(E->Left(), E->Top(), E->Width(), E->Height()), TRect(11, 28, 96, 14));
    EXPECT_TRUE(E->Visible());
    EXPECT_EQ(E->MaxLength(), 6);
    EXPECT_EQ(E->Text(), QStringLiteral("abc"));

    E->SetText(QStringLiteral("xyz"));
    F.Grid->SetFocus();
    QApplication::processEvents();
    String V;
    ASSERT_TRUE(GetHTMLControlValue(F.Grid->Cells(1, 2), QStringLiteral("e1"), V));
    EXPECT_EQ(V, QStringLiteral("xyz"));
    EXPECT_FALSE(E->Visible());
    EXPECT_EQ(Done, QStringLiteral("1,2,e1,xyz"));
}

TEST(ExGridLinks, ACheckControlInAReadOnlyCellOnlyRaisesTheAnchorClick)
{
    TLinkForm F;
    F.Grid->SetOptions(F.Grid->Options() + goEditing);
    const String Text = QStringLiteral("<CONTROL TYPE=\"CHECK\" WIDTH=\"20\" ID=\"c1\" VALUE=\"FALSE\">");
    F.Grid->SetCells(1, 2, Text);
    F.Grid->SetReadOnly(1, 2, true);
    QStringList Anchors;
    F.Grid->OnAnchorClick = [&](TObject*, Integer, Integer, const String& Anchor, bool&) { Anchors << Anchor; };
    F.Click(F.FindControl(2, QStringLiteral("c1")));
    EXPECT_EQ(Anchors, QStringList{QStringLiteral("ctrl")});
    EXPECT_EQ(F.Grid->Cells(1, 2), Text);

    F.Grid->SetReadOnly(1, 2, false);
    F.Click(F.FindControl(2, QStringLiteral("c1")));
    String Value;
    ASSERT_TRUE(GetHTMLControlValue(F.Grid->Cells(1, 2), QStringLiteral("c1"), Value));
    EXPECT_EQ(Value.toUpper(), QStringLiteral("TRUE"));
    EXPECT_EQ(Anchors.size(), 1);
}

TEST(ExGridLinks, ARadioClickClearsEveryRadioOfTheText)
{
    TLinkForm F;
    F.Grid->SetOptions(F.Grid->Options() + goEditing);
    F.Grid->SetCells(1, 2, QStringLiteral("<CONTROL TYPE=\"RADIO\" WIDTH=\"20\" ID=\"a\" VALUE=\"FALSE\"> "
                                          "<CONTROL TYPE=\"RADIO\" WIDTH=\"20\" ID=\"b\" VALUE=\"TRUE\"> "
                                          "<CONTROL TYPE=\"RADIO\" WIDTH=\"20\" ID=\"c\" VALUE=\"TRUE\">"));
    F.Click(F.FindControl(2, QStringLiteral("a")));
    const String S = F.Grid->Cells(1, 2);
    for (const char* ID : {"a", "b", "c"}) {
        String V;
        ASSERT_TRUE(GetHTMLControlValue(S, QString::fromLatin1(ID), V));
        EXPECT_EQ(V.toUpper(), QString::fromLatin1(ID) == u"a" ? QStringLiteral("TRUE") : QStringLiteral("FALSE"))
            << ID;
    }
}
