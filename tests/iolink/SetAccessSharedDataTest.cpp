// Every published device description beside the project, inserted into two
// ports and saved, loads back unchanged and passes the check; skipped when
// the descriptions are absent.
#include "SetAccessTestEnv.h"

using namespace setaccess_test;

TEST(SetAccessSharedData, EveryDescriptionSavesLoadsBackUnchangedAndPassesTheCheck)
{
    const QString Shared = testpaths::SharedData();
    const QDir Dir(Shared + QStringLiteral("/iodd"));
    if (Shared.isEmpty() || !Dir.exists())
        GTEST_SKIP() << "no published device descriptions beside the project";
    int Checked = 0;
    for (const QString& Name : Dir.entryList({QStringLiteral("*.xml")}, QDir::Files, QDir::Name)) {
        if (Name.startsWith(QLatin1String("IODD-StandardDefinitions")))
            continue;
        SCOPED_TRACE(Name.toStdString());
        TSetAccessEnv Env;
        Path_IOLink_StaDef = Dir.path() + u'/';
        Env.Core.Create_Channels();
        for (const Integer Port : {1, 3}) {
            ASSERT_TRUE(Env.Core.Insert_IODD_File(Port - 1, Dir.filePath(Name)));
            Env.Ch(Port).Pin4Mode = QStringLiteral("IO-Link");
            EXPECT_FALSE(Env.Ch(Port).Event_List.empty());
            EXPECT_FALSE(Env.Ch(Port).Var_List.empty());
        }
        ASSERT_TRUE(Env.Core.Check_And_Save());
        const QByteArray Saved = ReadBytes(File_IOLink_SetAccess);

        TIO_Link_Set_Access_Core Again;
        Again.OnMessage = Env.Core.OnMessage;
        Again.Create_Channels();
        ASSERT_TRUE(Again.Load_Configuration());
        ASSERT_NE(Again.IODD_List[2], nullptr);
        EXPECT_TRUE(Again.Check_Configuration());
        ASSERT_TRUE(QFile::remove(File_IOLink_SetAccess));
        ASSERT_TRUE(Again.Save_Configuration());
        ExpectSameBytes(ReadBytes(File_IOLink_SetAccess), Saved);
        EXPECT_TRUE(Env.Messages.empty()) << Env.Messages.front().Text.toStdString();
        ++Checked;
    }
    EXPECT_GT(Checked, 0);
}
