#include "rtl/ShellAPI.h"

#include "rtl/SysUtils.h"

#include <QFileIconProvider>
#include <QFileInfo>
#include <QIcon>
#include <QMimeDatabase>

namespace {

// The icon of a path that does not exist: its type's by the name, or the
// plain file icon when the desktop has no icon for that type.
QIcon IconOfType(const QString& Path, const QFileIconProvider& Provider)
{
    const QMimeType Type = QMimeDatabase().mimeTypeForFile(Path, QMimeDatabase::MatchExtension);
    const QIcon Themed = QIcon::fromTheme(Type.iconName(), QIcon::fromTheme(Type.genericIconName()));
    return Themed.isNull() ? Provider.icon(QAbstractFileIconProvider::File) : Themed;
}

} // namespace

Integer ShellIconSize(bool Large) { return Large ? 32 : 16; }

bool GetShellFileIcon(const String& Path, bool Large, TBitmap* Icon)
{
    if (!Icon || Path.isEmpty())
        return false;
    const QFileInfo Info(FindExistingPath(Path));
    const QFileIconProvider Provider;
    const QIcon Found = Info.exists() ? Provider.icon(Info) : IconOfType(Path, Provider);
    const Integer Side = ShellIconSize(Large);
    QImage Image = Found.pixmap(Side, Side).toImage();
    if (Image.isNull())
        return false;
    if (Image.width() != Side || Image.height() != Side)
        Image = Image.scaled(Side, Side);
    Icon->SetPixelFormat(pf32bit);
    Icon->SetImage(Image.convertToFormat(QImage::Format_ARGB32_Premultiplied));
    return true;
}
