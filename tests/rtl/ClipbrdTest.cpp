// The clipboard object on the offscreen platform's in-process clipboard.
#include "rtl/Clipbrd.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include <gtest/gtest.h>

namespace {

UINT Id(const char* Name)
{
    return RegisterClipboardFormat(QString::fromLatin1(Name));
}

class ClipbrdTest : public ::testing::Test {
protected:
    void SetUp() override { QGuiApplication::clipboard()->clear(); }
};

} // namespace

TEST_F(ClipbrdTest, OneBracketPutsEveryFormatOfOneCopyTogether)
{
    TClipboard& C = *Clipboard();
    C.SetAsText("old");
    C.Open();
    C.SetAsText("a\tb");
    C.SetAsBytes(Id("TExStringGrid Cells"), QByteArray("\x01\x00\x02", 3));
    C.SetAsBytes(Id("HTML Format"), QByteArray("<b>\xC3\xA9</b>"));
    // Nothing changes until the bracket closes.
    EXPECT_EQ(C.AsText(), "old");
    C.Close();

    const QMimeData* Mime = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(Mime, nullptr);
    EXPECT_EQ(Mime->data("text/plain"), "a\tb");
    EXPECT_EQ(Mime->data("application/x-exstringgrid-cells"), QByteArray("\x01\x00\x02", 3));
    EXPECT_EQ(Mime->data("text/html"), "<b>\xC3\xA9</b>");
    EXPECT_EQ(C.AsText(), "a\tb");
    EXPECT_TRUE(C.HasFormat(CF_TEXT));
    EXPECT_TRUE(C.HasFormat(Id("TExStringGrid Cells")));
    EXPECT_FALSE(C.HasFormat(Id("Rich Text Format")));
    EXPECT_EQ(C.AsBytes(Id("TExStringGrid Cells")), QByteArray("\x01\x00\x02", 3));
    EXPECT_TRUE(C.AsBytes(Id("Rich Text Format")).isNull());
}

TEST_F(ClipbrdTest, AWriteOutsideABracketReplacesTheWholeClipboard)
{
    TClipboard& C = *Clipboard();
    C.Open();
    C.SetAsText("t");
    C.SetAsBytes(Id("Rich Text Format"), "{\\rtf1 x}");
    C.Close();
    EXPECT_EQ(C.AsBytes(Id("Rich Text Format")), "{\\rtf1 x}");
    C.SetAsBytes(Id("TExStringGrid Cells"), "");
    EXPECT_FALSE(C.HasFormat(CF_TEXT));
    EXPECT_EQ(C.AsText(), "");
    EXPECT_TRUE(C.HasFormat(Id("TExStringGrid Cells")));
    EXPECT_FALSE(C.AsBytes(Id("TExStringGrid Cells")).isNull());
    EXPECT_FALSE(C.HasFormat(Id("Rich Text Format")));
}

TEST_F(ClipbrdTest, NestedBracketsPutOnceAndClearEmptiesWhatWasSet)
{
    TClipboard& C = *Clipboard();
    C.Open();
    C.SetAsText("first");
    C.Clear();
    C.Open();
    C.SetAsBytes(Id("Grid Column"), "k");
    C.Close();
    EXPECT_FALSE(C.HasFormat(Id("Grid Column")));
    C.Close();
    EXPECT_FALSE(C.HasFormat(CF_TEXT));
    EXPECT_EQ(C.AsBytes(Id("Grid Column")), "k");
    // An unbalanced Close does nothing.
    C.Close();
    EXPECT_EQ(C.AsBytes(Id("Grid Column")), "k");
}

TEST_F(ClipbrdTest, AFormatWithoutMimeTypeIsRefused)
{
    EXPECT_THROW(Clipboard()->SetAsBytes(Id("Clipbrd Unknown"), "x"), EClipboardException);
    EXPECT_THROW(Clipboard()->SetAsBytes(CF_HDROP + 100, "x"), EClipboardException);
    EXPECT_TRUE(Clipboard()->AsBytes(Id("Clipbrd Unknown")).isNull());
}
