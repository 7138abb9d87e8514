#pragma once
// A configuration folder of its own for each test of the description-file
// writers, with the shared paths pointing at it, the English texts loaded
// and a scripted dialog service recording the boxes.
#include "rtl/DialogsTestService.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace description_test {

inline QByteArray ReadBytes(const QString& Path)
{
    QFile File(Path);
    return File.open(QIODevice::ReadOnly) ? File.readAll() : QByteArray();
}

inline void WriteBytes(const QString& Path, const QByteArray& Bytes)
{
    QFile File(Path);
    ASSERT_TRUE(File.open(QIODevice::WriteOnly | QIODevice::Truncate)) << Path.toStdString();
    File.write(Bytes);
}

// The lines of a file whose every line must end with CR LF.
inline QList<QByteArray> CrLfLines(const QByteArray& Bytes)
{
    EXPECT_TRUE(Bytes.endsWith("\r\n"));
    QList<QByteArray> Lines = Bytes.split('\n');
    Lines.removeLast();
    for (QByteArray& Line : Lines) {
        EXPECT_TRUE(Line.endsWith('\r')) << Line.toStdString();
        Line.chop(1);
    }
    return Lines;
}

// The lines of a file the writers write in the ANSI code page: no
// byte-order mark, CR LF after every line.
inline QList<QByteArray> AnsiLines(const QString& Path)
{
    const QByteArray Bytes = ReadBytes(Path);
    EXPECT_FALSE(Bytes.startsWith("\xEF\xBB\xBF"));
    return CrLfLines(Bytes);
}

class DescriptionTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(FDir.isValid());
        FSaved_Path = Path_Project;
        FSaved_Name = Name_Project;
        Name_Project = QStringLiteral("Demo");
        Path_Project = FDir.path() + QStringLiteral("/Demo");
        ASSERT_TRUE(QDir().mkpath(Path_Project + QStringLiteral("/IODD")));
        Set_Table_Files();
        Load_Lang_English();
    }
    void TearDown() override
    {
        Path_Project = FSaved_Path;
        Name_Project = FSaved_Name;
        Set_Table_Files();
    }

    // A file beside the configuration, for the writers' output.
    QString Out(const QString& Name) const { return FDir.path() + u'/' + Name; }

    TScriptedDialogs Dialogs;

private:
    QTemporaryDir FDir;
    String FSaved_Path;
    String FSaved_Name;
};

} // namespace description_test
