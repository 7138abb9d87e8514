#pragma once
// A project folder of its own for each test of the IO-Link Set Access core,
// with the shared paths pointing at it and at the fixtures, and the messages
// the core shows collected.
#include "common/TestPaths.h"

#include "iolink/UIO_Link_Set_Access.h"
#include "platform/UserLocale.h"
#include "shell/UComon.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <vector>

namespace setaccess_test {

inline const QString ValveFile = QStringLiteral("Fixture-Valve-IODD1.1.xml");
inline const QString SwitchFile = QStringLiteral("Fixture-Switch-IODD1.1.xml");

inline QString Catalog() { return testpaths::Fixture(QStringLiteral("iolink/catalog")); }
inline QString CatalogFile(const QString& Name) { return Catalog() + u'/' + Name; }

inline QByteArray ReadBytes(const QString& Path)
{
    QFile File(Path);
    EXPECT_TRUE(File.open(QIODevice::ReadOnly)) << Path.toStdString();
    return File.readAll();
}

inline void WriteBytes(const QString& Path, const QByteArray& Bytes)
{
    QFile File(Path);
    ASSERT_TRUE(File.open(QIODevice::WriteOnly | QIODevice::Truncate)) << Path.toStdString();
    File.write(Bytes);
}

// Equal bytes; else where they first differ, with the text around it.
inline void ExpectSameBytes(const QByteArray& Actual, const QByteArray& Expected)
{
    if (Actual == Expected)
        return;
    qsizetype At = 0;
    while (At < Actual.size() && At < Expected.size() && Actual[At] == Expected[At])
        ++At;
    const qsizetype From = qMax<qsizetype>(0, At - 60);
    ADD_FAILURE() << "bytes differ at " << At << " (sizes " << Actual.size() << ", " << Expected.size()
                  << ")\n  actual:   ..." << Actual.mid(From, 160).toStdString() << "\n  expected: ..."
                  << Expected.mid(From, 160).toStdString();
}

inline void CopyToProject(const QString& Name)
{
    QDir().mkpath(Path_Project + QStringLiteral("/IODD"));
    ASSERT_TRUE(QFile::copy(CatalogFile(Name), Path_Project + QStringLiteral("/IODD/") + Name));
}

// A configuration file: its root, its channels, its version comment.
inline QByteArray ConfigFile(const QByteArray& Channels)
{
    return "<IO-Link><IO-Link_Channels>" + Channels + "</IO-Link_Channels></IO-Link><!--SW_VERSION = 1.003-->";
}

// A port as the writer writes it, with the description File in Mode and
// Items after its "IODD_File".
inline QByteArray PortXml(const QByteArray& File, const QByteArray& Mode, const QByteArray& Items = QByteArray())
{
    return "<Channel><IODD_File FileName=\"" + File + "\" Pin4Mode=\"" + Mode
           + "\" ReadPin2=\"N\" Pin2Pos=\"\" Pin2Bit=\"\" Pin2Inv=\"N\" Pin2InType=\"None\" Pin2Mne=\"\" "
             "Pin4Pos=\"\" Pin4Bit=\"\" Pin4Inv=\"N\" Pin4Mne=\"\" TimeOut=\"\"/>"
           + Items + "</Channel>";
}

inline const QByteArray EmptyPortXml = PortXml("", "Disable");

struct TMessage {
    TIOLink_MsgKind Kind;
    String Text;
};

class TSetAccessEnv {
public:
    TSetAccessEnv()
        : FPath_Project(Path_Project), FName_Project(Name_Project), FStaDef(Path_IOLink_StaDef),
          FCatalog(Path_IODD_Catalog)
    {
        EXPECT_TRUE(FDir.isValid());
        Path_Project = FDir.path() + QStringLiteral("/Project");
        Name_Project = QStringLiteral("Project");
        QDir().mkpath(Path_Project);
        Set_Table_Files();
        Path_IOLink_StaDef = testpaths::Fixture(QStringLiteral("iolink/stadef/"));
        Path_IODD_Catalog = Catalog();
        Core.OnMessage = [this](TIOLink_MsgKind Kind, const String& Text) { Messages.push_back({Kind, Text}); };
    }

    ~TSetAccessEnv()
    {
        Path_Project = FPath_Project;
        Name_Project = FName_Project;
        Set_Table_Files();
        Path_IOLink_StaDef = FStaDef;
        Path_IODD_Catalog = FCatalog;
        platform::SetUserDecimalSeparator(std::nullopt);
    }

    // "ParGen.xml" naming the device variant.
    void WriteParGen(const QString& Variant)
    {
        WriteBytes(File_ParGen, "<ParGen><IOLink_SelectDevice>" + Variant.toUtf8()
                                    + "</IOLink_SelectDevice></ParGen><!--SW_VERSION = 1.003-->");
    }

    // The messages so far, and forgets them.
    std::vector<TMessage> TakeMessages() { return std::exchange(Messages, {}); }

    // The only message so far must be one error with this text.
    void ExpectOneError(const QString& Text)
    {
        const std::vector<TMessage> Got = TakeMessages();
        ASSERT_EQ(Got.size(), 1u) << (Got.empty() ? std::string("no message") : Got.back().Text.toStdString());
        EXPECT_EQ(Got[0].Kind, imkError);
        EXPECT_EQ(Got[0].Text, Text);
    }

    TChannel_IOLink& Ch(Integer Port) { return *Core.Channels.at(Port - 1); }

    QString Path() const { return FDir.path(); }

    TIO_Link_Set_Access_Core Core;
    std::vector<TMessage> Messages;

private:
    QTemporaryDir FDir;
    String FPath_Project, FName_Project, FStaDef, FCatalog;
};

} // namespace setaccess_test
