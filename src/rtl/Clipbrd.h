#pragma once
// The clipboard object of the framework over Qt's clipboard. Every format
// of one copy goes on the clipboard as one QMimeData: between Open and
// Close the formats collect, and Close puts them on together (the platform
// emptied the clipboard at its first format; here the whole set replaces
// it). Outside a bracket each write is a bracket of its own.
#include "rtl/ActiveX.h"

#include <memory>

class QMimeData;

class TClipboard {
public:
    TClipboard();
    ~TClipboard();

    // Brackets nest; the outermost Close puts what was set on the clipboard.
    void Open();
    void Close();
    // Empties the clipboard (inside a bracket: what was set so far).
    void Clear();

    // The clipboard's text; empty when it holds none.
    String AsText() const;
    void SetAsText(const String& Value);
    // CF_TEXT and CF_UNICODETEXT: the clipboard holds text; other formats
    // as the clipboard format table reads them.
    bool HasFormat(UINT Format) const;
    // The bytes of a registered format as they are on the clipboard (the
    // MIME type of the format table); null when it holds none.
    QByteArray AsBytes(UINT Format) const;
    // Formats outside the table are refused with EClipboardException.
    void SetAsBytes(UINT Format, const QByteArray& Bytes);

private:
    QMimeData& Pending();

    std::unique_ptr<QMimeData> FPending;
    int FOpenCount = 0;
};

RTL_DECLARE_EXCEPTION(EClipboardException, Exception)

// The one clipboard object of the process.
TClipboard* Clipboard();
