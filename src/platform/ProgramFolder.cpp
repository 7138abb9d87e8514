#include "platform/ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

namespace platform {

String ProgramFolder()
{
    const QString over = qEnvironmentVariable(ProgramDirEnv);
    if (!over.isEmpty())
        return QDir::cleanPath(QDir::current().absoluteFilePath(over));
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
    return QFileInfo(QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath()).absolutePath();
}

String UserDataFolder(const String& Product)
{
    QString base = qEnvironmentVariable("XDG_DATA_HOME");
    // Relative values are invalid for this variable and ignored.
    if (base.isEmpty() || QDir::isRelativePath(base))
        base = QDir::homePath() + QStringLiteral("/.local/share");
    base = QDir::cleanPath(base);
    return Product.isEmpty() ? base : base + QLatin1Char('/') + Product;
}

bool IsFolderWritable(const String& Dir)
{
    if (Dir.isEmpty() || !QFileInfo(Dir).isDir())
        return false;
    QTemporaryFile probe(QDir(Dir).filePath(QStringLiteral(".write-probe-XXXXXX")));
    return probe.open();
}

} // namespace platform
