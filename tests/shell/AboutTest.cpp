// The about box: its fixed texts and layout, the logo, the OK button and
// the maker's links.
#include "SoftOptionsTestSupport.h"

#include "shell/UAbout.h"

#include <QTest>

class AboutTest : public OptionsTest {};

TEST_F(AboutTest, TheAboutBoxShowsTheProductTextsAndTheLogo)
{
    Start();
    TModalResult Result = mrNone;
    const auto Open = OnModal(FAbout, [] {
        EXPECT_EQ(QStringLiteral("About..."), FAbout->Caption());
        EXPECT_EQ(425, FAbout->ClientWidth());
        EXPECT_EQ(148, FAbout->ClientHeight());
        struct Text {
            TLabel* Label;
            Integer Left, Top;
            const char* Caption;
        };
        const Text Texts[] = {
            {FAbout->Label1, 128, 24, "Software Pantovisor "},
            {FAbout->Label2, 128, 39, "IO-Link / EtherNet/IP - Converter"},
            {FAbout->Label6, 128, 62, "Software Code : "},
            {FAbout->Label9, 240, 62, "QP11211"},
            {FAbout->Label3, 128, 77, "Version :"},
            {FAbout->Label10, 240, 77, "1.003"},
            {FAbout->Label8, 128, 93, "Document Code :"},
            {FAbout->Label12, 240, 93, "DL33811"},
            {FAbout->Label4, 316, 131, "www.tarnix.com"},
        };
        for (const Text& T : Texts) {
            SCOPED_TRACE(T.Caption);
            EXPECT_EQ(QString::fromLatin1(T.Caption), T.Label->Caption());
            EXPECT_EQ(T.Left, T.Label->Left());
            EXPECT_EQ(T.Top, T.Label->Top());
        }
        EXPECT_EQ(crHandPoint, FAbout->Label4->Cursor());

        // The logo, 81 x 81 and stretched into its place.
        TImage* Logo = FAbout->Image2;
        EXPECT_EQ(TRect(32, 24, 113, 105), Logo->BoundsRect());
        EXPECT_TRUE(Logo->Stretch());
        EXPECT_FALSE(Logo->Picture()->Graphic()->Empty());
        EXPECT_EQ(81, Logo->Picture()->Width());

        EXPECT_EQ(TRect(32, 115, 113, 137), FAbout->LbButton1->BoundsRect());
        EXPECT_EQ(QStringLiteral("OK"), FAbout->LbButton1->Caption());
        QTest::mouseClick(FAbout->LbButton1->Handle(), Qt::LeftButton, {}, QPoint(40, 11));
    });
    Result = FAbout->ShowModal();
    EXPECT_FALSE(*Open);
    EXPECT_EQ(mrOk, Result);
}

// The logo, the about box's address and the main window's address all open
// the maker's home page.
TEST_F(AboutTest, TheMakersLinksOpenItsHomePage)
{
    Start();
    Main->Show();
    TLinkCatcher Links;
    OnModal(FAbout, [] {
        QTest::mouseClick(FAbout->Label4->Handle(), Qt::LeftButton, {}, QPoint(3, 3));
        QTest::mouseClick(FAbout->Image2->Handle(), Qt::LeftButton, {}, QPoint(40, 40));
    });
    Main->Btn_Info->Click();
    QTest::mouseClick(Main->L_Tarnix->Handle(), Qt::LeftButton, {}, QPoint(3, 3));
    const String Home = QStringLiteral("http://www.tarnix.com/HOME/default.asp?frompg=QP11211");
    EXPECT_EQ((QStringList{Home, Home, Home}), Links.Opened);
}
