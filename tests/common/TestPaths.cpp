#include "TestPaths.h"

#include <QDir>

namespace testpaths {

QString Fixtures() { return QStringLiteral(CFG_FIXTURES_DIR); }

QString Fixture(const QString& relative) { return Fixtures() + QLatin1Char('/') + relative; }

QString SharedData()
{
    const QString dir = QDir::cleanPath(QStringLiteral(CFG_SHARED_DATA_DIR));
    return QDir(dir).exists() ? dir : QString();
}

} // namespace testpaths
