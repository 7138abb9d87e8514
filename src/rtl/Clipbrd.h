#pragma once
// The clipboard object of the framework, as far as plain text goes.
#include "rtl/ActiveX.h"

class TClipboard {
public:
    // The clipboard's text; empty when it holds none.
    String AsText() const;
    void SetAsText(const String& Value);
    // CF_TEXT and CF_UNICODETEXT: the clipboard holds text; other formats
    // as the clipboard format table reads them.
    bool HasFormat(UINT Format) const;
};

// The one clipboard object of the process.
TClipboard* Clipboard();
