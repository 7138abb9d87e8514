#include "rtl/Clipbrd.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include <algorithm>

String TClipboard::AsText() const
{
    return QGuiApplication::clipboard()->text();
}

void TClipboard::SetAsText(const String& Value)
{
    QGuiApplication::clipboard()->setText(Value);
}

bool TClipboard::HasFormat(UINT Format) const
{
    const QMimeData* Mime = QGuiApplication::clipboard()->mimeData();
    if (!Mime)
        return false;
    if (Format == CF_TEXT || Format == CF_UNICODETEXT)
        return Mime->hasText();
    const std::vector<UINT> Formats = ClipFormatsOfMimeData(*Mime);
    return std::find(Formats.begin(), Formats.end(), Format) != Formats.end();
}

TClipboard* Clipboard()
{
    static TClipboard Instance;
    return &Instance;
}
