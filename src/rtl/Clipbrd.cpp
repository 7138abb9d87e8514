#include "rtl/Clipbrd.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include <algorithm>

TClipboard::TClipboard() = default;
TClipboard::~TClipboard() = default;

void TClipboard::Open()
{
    if (FOpenCount++ == 0)
        FPending.reset();
}

void TClipboard::Close()
{
    if (FOpenCount == 0 || --FOpenCount > 0)
        return;
    if (FPending)
        QGuiApplication::clipboard()->setMimeData(FPending.release());
}

void TClipboard::Clear()
{
    if (FOpenCount > 0)
        FPending = std::make_unique<QMimeData>();
    else
        QGuiApplication::clipboard()->clear();
}

QMimeData& TClipboard::Pending()
{
    if (!FPending)
        FPending = std::make_unique<QMimeData>();
    return *FPending;
}

String TClipboard::AsText() const
{
    const QMimeData* Mime = QGuiApplication::clipboard()->mimeData();
    if (!Mime || !Mime->hasFormat(QStringLiteral("text/plain")))
        return String();
    return Mime->text();
}

void TClipboard::SetAsText(const String& Value)
{
    Open();
    Pending().setText(Value);
    Close();
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

QByteArray TClipboard::AsBytes(UINT Format) const
{
    const QMimeData* Mime = QGuiApplication::clipboard()->mimeData();
    const String Type = MimeTypeOfClipFormat(Format);
    if (!Mime || Type.isEmpty() || !Mime->hasFormat(Type))
        return QByteArray();
    const QByteArray Bytes = Mime->data(Type);
    return Bytes.isNull() ? QByteArray("") : Bytes;
}

void TClipboard::SetAsBytes(UINT Format, const QByteArray& Bytes)
{
    const String Type = MimeTypeOfClipFormat(Format);
    if (Type.isEmpty())
        throw EClipboardException(QStringLiteral("Clipboard format %1 has no MIME type").arg(Format));
    Open();
    Pending().setData(Type, Bytes);
    Close();
}

TClipboard* Clipboard()
{
    static TClipboard Instance;
    return &Instance;
}
