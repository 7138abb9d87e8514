// The standard definitions are decoded once per file and shared, and a
// changed file is read again.
#include "IODDTestFiles.h"

#include "iolink/UIOLink_IODD_Decode.h"

#include <QDateTime>
#include <QFile>

#include <gtest/gtest.h>

#include <memory>

using namespace iodd_test;

namespace {

const QString StaDefName = QStringLiteral("IODD-StandardDefinitions1.1.xml");

// A folder with a copy of the standard definitions that a test may change.
class TStaDefFolder {
public:
    TStaDefFolder() { Write(ReadAll(StaDefDir() + StaDefName)); }

    void Write(const QByteArray& Bytes) { FScratch.Write(StaDefName, Bytes); }

    // The copy with one piece of text replaced; the piece must be there.
    void Replace(const QByteArray& From, const QByteArray& To)
    {
        QByteArray Bytes = ReadAll(File());
        ASSERT_TRUE(Bytes.contains(From)) << From.toStdString();
        Write(Bytes.replace(From, To));
    }

    QString File() const { return FScratch.Path() + u'/' + StaDefName; }

    std::unique_ptr<TIODD> Decode() const
    {
        auto IODD = std::make_unique<TIODD>();
        IODD->SetStandardDef_Path(FScratch.Path() + u'/');
        IODD->Decode_IODD(FixtureFile(QStringLiteral("device.xml")), false);
        return IODD;
    }

private:
    TScratch FScratch;
};

QString StdText(const TIODD& IODD, const char* Id)
{
    return IODD.GetDesc_ExtTextCol(true, QString::fromLatin1(Id));
}

} // namespace

TEST(IODDStandardCache, DecodesOfAnUnchangedFileShareOneCopy)
{
    TStaDefFolder Folder;
    const auto First = Folder.Decode();
    const auto Second = Folder.Decode();
    EXPECT_EQ(First->SD_ExtTextCol, Second->SD_ExtTextCol);
    EXPECT_EQ(First->SD_DataTypeCollection, Second->SD_DataTypeCollection);
    EXPECT_EQ(First->SD_VariableCollection, Second->SD_VariableCollection);
    EXPECT_EQ(First->SD_EventCollection, Second->SD_EventCollection);
    const auto& Refs = Second->ProfileBody->DeviceFunction->EventCollection->StdEventRef_List;
    ASSERT_FALSE(Refs.empty());
    EXPECT_EQ(Refs[0], First->SD_EventCollection->Event_List[0].get());
}

TEST(IODDStandardCache, ChangedFileIsReadAgainAndEarlierDecodesKeepTheirCopy)
{
    TStaDefFolder Folder;
    const auto Before = Folder.Decode();
    ASSERT_EQ(StdText(*Before, "STD_TN_Reset"), QStringLiteral("Device reset"));

    // Another size.
    Folder.Replace("value=\"Device reset\"", "value=\"Device reset to the factory settings\"");
    const auto Longer = Folder.Decode();
    EXPECT_EQ(StdText(*Longer, "STD_TN_Reset"), QStringLiteral("Device reset to the factory settings"));

    // The same size, another modification time.
    Folder.Replace("to the factory settings", "to the works settings!!");
    QFile File(Folder.File());
    ASSERT_TRUE(File.open(QIODevice::ReadWrite));
    ASSERT_TRUE(File.setFileTime(QDateTime::currentDateTimeUtc().addSecs(60), QFileDevice::FileModificationTime));
    File.close();
    const auto SameSize = Folder.Decode();
    EXPECT_EQ(StdText(*SameSize, "STD_TN_Reset"), QStringLiteral("Device reset to the works settings!!"));

    // What the earlier decodes hold is theirs still, events and references
    // into them included.
    EXPECT_EQ(StdText(*Before, "STD_TN_Reset"), QStringLiteral("Device reset"));
    EXPECT_EQ(StdText(*Longer, "STD_TN_Reset"), QStringLiteral("Device reset to the factory settings"));
    for (const TIODD* IODD : {Before.get(), Longer.get(), SameSize.get()})
        for (const TEventData* Event : IODD->ProfileBody->DeviceFunction->EventCollection->StdEventRef_List)
            EXPECT_EQ(IODD->Get_Event_SD(Event->Code), Event);
    EXPECT_NE(Before->SD_EventCollection, Longer->SD_EventCollection);
    EXPECT_NE(Longer->SD_EventCollection, SameSize->SD_EventCollection);
}

TEST(IODDStandardCache, FileThatNoLongerParsesGivesTheDecodersError)
{
    TStaDefFolder Folder;
    const auto Good = Folder.Decode();
    const QByteArray Bytes = ReadAll(Folder.File());
    Folder.Write(Bytes.left(Bytes.size() / 2));
    for (int Attempt = 0; Attempt < 2; ++Attempt) {
        SCOPED_TRACE(Attempt);
        try {
            Folder.Decode();
            ADD_FAILURE() << "decode succeeded";
        } catch (const EIODDError& E) {
            EXPECT_TRUE(E.Message().contains(Folder.File())) << E.what();
            EXPECT_TRUE(E.Message().contains(QStringLiteral("not well-formed"))) << E.what();
        }
    }
    // Whole again: read again.
    Folder.Write(Bytes);
    EXPECT_EQ(StdText(*Folder.Decode(), "STD_TN_Reset"), QStringLiteral("Device reset"));
    EXPECT_EQ(StdText(*Good, "STD_TN_Reset"), QStringLiteral("Device reset"));
}
