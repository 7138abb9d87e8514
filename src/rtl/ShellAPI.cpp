#include "rtl/ShellAPI.h"

#include "rtl/SysUtils.h"

#include <QFileIconProvider>
#include <QFileInfo>
#include <QIcon>

Integer ShellIconSize(bool Large) { return Large ? 32 : 16; }

bool GetShellFileIcon(const String& Path, bool Large, TBitmap* Icon)
{
    if (!Icon || Path.isEmpty())
        return false;
    const QFileInfo Info(FindExistingPath(Path));
    const QIcon Found = QFileIconProvider().icon(Info);
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
