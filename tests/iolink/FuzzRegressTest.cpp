// Every input a fuzz target once broke on (or that the careful attack of the
// readers used) is kept under tests/fixtures/<area>/regress/ and replayed
// here through the same body the target runs.
#include "common/TestPaths.h"
#include "fuzz/FuzzBodies.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {

// The shared state the bodies change, put back after each test.
class FuzzRegress : public ::testing::Test {
protected:
    void SetUp() override
    {
        fuzzbodies::SetFixtures(testpaths::Fixtures());
        FSaved = {Path_Project, Name_Project, Path_Exe, Path_Data, Path_IOLink_StaDef};
    }
    void TearDown() override
    {
        Set_Program_Folders(FSaved[2], FSaved[3]);
        Path_Project = FSaved[0];
        Name_Project = FSaved[1];
        Path_IOLink_StaDef = FSaved[4];
        Set_Table_Files();
        Load_Lang_English();
    }

    // Runs Body on every input of the area's folder but its README.
    template <class TBody>
    static void Replay(const char* Area, TBody Body)
    {
        const QDir Dir(testpaths::Fixture(QLatin1String(Area) + QStringLiteral("/regress")));
        const QStringList Files = Dir.entryList(QDir::Files, QDir::Name);
        ASSERT_GT(Files.size(), 1) << Area;
        for (const QString& Name : Files) {
            if (Name == u"README")
                continue;
            SCOPED_TRACE(Name.toStdString());
            QFile File(Dir.filePath(Name));
            ASSERT_TRUE(File.open(QIODevice::ReadOnly));
            EXPECT_NO_THROW(Body(File.readAll()));
        }
    }

private:
    std::array<String, 5> FSaved;
};

TEST_F(FuzzRegress, ConfigurationFiles) { Replay("iolink", fuzzbodies::SetAccessFile); }

TEST_F(FuzzRegress, DescriptionsIntoAPort) { Replay("iodd", fuzzbodies::Description); }

TEST_F(FuzzRegress, GeneralParameterFiles) { Replay("pargen", fuzzbodies::ParGenFile); }

TEST_F(FuzzRegress, SettingsFiles) { Replay("settings", fuzzbodies::SettingsFile); }

TEST_F(FuzzRegress, LanguageFiles) { Replay("lang", fuzzbodies::LanguageFile); }

} // namespace
