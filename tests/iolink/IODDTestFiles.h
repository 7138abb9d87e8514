#pragma once
// Fixture paths and variants of the fixture written to a temporary folder.
#include "common/TestPaths.h"

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace iodd_test {

inline QString FixtureFile(const QString& Name) { return testpaths::Fixture(QStringLiteral("iodd/") + Name); }

// The standard definitions folder of the fixtures, with its separator.
inline QString StaDefDir() { return testpaths::Fixture(QStringLiteral("iodd/stadef/")); }

inline QByteArray ReadAll(const QString& Path)
{
    QFile File(Path);
    EXPECT_TRUE(File.open(QIODevice::ReadOnly)) << Path.toStdString();
    return File.readAll();
}

// A temporary folder for variants of the fixtures.
class TScratch {
public:
    QString Write(const QString& Name, const QByteArray& Bytes)
    {
        EXPECT_TRUE(FDir.isValid());
        const QString Path = FDir.filePath(Name);
        QFile File(Path);
        EXPECT_TRUE(File.open(QIODevice::WriteOnly | QIODevice::Truncate)) << Path.toStdString();
        File.write(Bytes);
        return Path;
    }

    // The device fixture with one piece of text replaced; the piece must be
    // there, so a changed fixture cannot make a case pass unnoticed.
    QString Variant(const QString& Name, const QByteArray& From, const QByteArray& To)
    {
        QByteArray Bytes = ReadAll(FixtureFile(QStringLiteral("device.xml")));
        EXPECT_TRUE(Bytes.contains(From)) << From.toStdString();
        Bytes.replace(From, To);
        return Write(Name, Bytes);
    }

    QString Path() const { return FDir.path(); }

private:
    QTemporaryDir FDir;
};

} // namespace iodd_test
