#pragma once
// What the tests of the options window, the about box and the version check
// share: the main window's fixture with the maker's server put back after
// each test, a catcher of the links handed to the desktop, and flag pictures.
#include "MainWindowFixture.h"

#include "rtl/Graphics.h"

#include <QDesktopServices>
#include <QTextDocument>
#include <QUrl>

class OptionsTest : public MainWindowTest {
protected:
    void TearDown() override
    {
        Set_Maker_Server(String());
        MainWindowTest::TearDown();
    }

    String Language_Folder() const { return Dir.path() + QStringLiteral("/LANGUAGE"); }

    // A language file whose lines set the given texts.
    void Write_Language(const String& Name, const QByteArray& Lines = QByteArray("STR0 = Start\r\n")) const
    {
        ASSERT_TRUE(ForceDirectories(Language_Folder()));
        WriteFile(Language_Folder() + QLatin1Char('/') + Name + QStringLiteral(".lng"), Lines);
    }

    // A 48 x 48 flag of one colour.
    void Write_Flag(const String& FileName, TColor Color) const
    {
        ASSERT_TRUE(ForceDirectories(Language_Folder()));
        TBitmap Flag(48, 48);
        Flag.Canvas()->Brush()->SetColor(Color);
        Flag.Canvas()->FillRect(Rect(0, 0, 48, 48));
        Flag.SaveToFile(Language_Folder() + QLatin1Char('/') + FileName);
    }
};

// Keeps the http links handed to the desktop instead of opening them.
class TLinkCatcher {
public:
    TLinkCatcher()
    {
        // The handler is called by method name with the link; a signal taking
        // a QUrl serves, so no meta-object of our own is needed.
        QObject::connect(&FCatcher, &QTextDocument::baseUrlChanged, [this](const QUrl& Url) {
            Opened.append(Url.toString());
        });
        QDesktopServices::setUrlHandler(QStringLiteral("http"), &FCatcher, "baseUrlChanged");
    }
    ~TLinkCatcher() { QDesktopServices::unsetUrlHandler(QStringLiteral("http")); }
    TLinkCatcher(const TLinkCatcher&) = delete;
    TLinkCatcher& operator=(const TLinkCatcher&) = delete;

    QStringList Opened;

private:
    QTextDocument FCatcher;
};
