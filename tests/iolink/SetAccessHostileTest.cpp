// The configuration and its images under hostile input: deep nesting,
// descriptions without their standard definitions, stored names that lead
// out of the folder or to files that are no files, descriptions larger than
// a port takes, lengths that would wrap positions round, and links.
#include "SetAccessTestEnv.h"

#include "iolink/USaveBincc.h"

#include <sys/stat.h>

using namespace setaccess_test;

namespace {

// The switch fixture with one piece replaced; the piece must be there.
QByteArray SwitchWith(const QByteArray& From, const QByteArray& To)
{
    QByteArray Bytes = ReadBytes(CatalogFile(SwitchFile));
    EXPECT_TRUE(Bytes.contains(From)) << From.toStdString();
    return Bytes.replace(From, To);
}

const QByteArray SwitchVariable = "<Datatype xsi:type=\"UIntegerT\" bitLength=\"16\" />";

// The message of the build's error; empty when it succeeded.
String CompileError()
{
    try {
        Compile_Bin();
    } catch (const ESaveBinError& E) {
        return E.Message();
    }
    return String();
}

// Depth elements one inside the other, as the writer writes them.
QByteArray Nested(int Depth)
{
    return QByteArray("<x>").repeated(Depth - 1) + "<x/>" + QByteArray("</x>").repeated(Depth - 1);
}

} // namespace

// Every reader of the configuration meets 100,000 levels of nesting without
// recursion: the kept items of a port and "ParGen.xml" are read, checked,
// written back unchanged and built into images.
TEST(SetAccessHostile, AHundredThousandLevelsAreReadCheckedKeptAndBuilt)
{
    TSetAccessEnv Env;
    const QByteArray ParGen = "<Par_Gen><IOLink_SelectDevice>GV52303-A1-2A</IOLink_SelectDevice>" + Nested(100000)
                              + "<EtherNetIP_IP4>7</EtherNetIP_IP4></Par_Gen>";
    WriteBytes(File_ParGen, ParGen);
    const QByteArray Original = ConfigFile(
        PortXml("Gone.xml", "IO-Link",
                "<Variables><Variable Enable=\"True\" Index=\"80\">" + Nested(100000) + "</Variable></Variables>")
        + EmptyPortXml);
    WriteBytes(File_IOLink_SetAccess, Original);

    Env.Core.Create_Channels();
    ASSERT_EQ(Env.Core.Num_Channels, 2);
    ASSERT_TRUE(Env.Core.Load_Configuration());
    ASSERT_EQ(Env.TakeMessages().size(), 1u);   // the missing description
    EXPECT_TRUE(Env.Core.Check_Configuration());
    ASSERT_TRUE(Env.Core.Save_Configuration());
    ExpectSameBytes(ReadBytes(File_IOLink_SetAccess), Original);

    EXPECT_EQ(CompileError(), String());
    EXPECT_EQ(Bin_Bank1().at(0x02B), 7);
}

// A description whose standard definitions cannot be read would lose its
// standard events: the port is kept as stored, a resave drops nothing and
// the image is refused, naming the missing file.
TEST(SetAccessHostile, MissingStandardDefinitionsKeepThePortAsStored)
{
    TSetAccessEnv Env;
    CopyToProject(ValveFile);
    Env.WriteParGen(QStringLiteral("GV52303-A1-2A"));
    Env.Core.Create_Channels();
    ASSERT_TRUE(Env.Core.Insert_IODD_File(0, CatalogFile(ValveFile)));
    TChannel_IOLink& Ch = Env.Ch(1);
    Ch.Pin4Mode = QStringLiteral("IO-Link");
    ASSERT_EQ(Ch.Event_List.size(), 3u);   // the standard one and two of the device's
    for (auto& Event : Ch.Event_List)
        Event->Enable = true;
    ASSERT_TRUE(Env.Core.Save_Configuration());
    const QByteArray Saved = ReadBytes(File_IOLink_SetAccess);
    ASSERT_EQ(Saved.count("<Event Enable=\"True\""), 3);

    const QTemporaryDir Empty;
    Path_IOLink_StaDef = Empty.path() + u'/';
    const String Missing = Empty.path() + QStringLiteral("/IODD-StandardDefinitions1.1.xml");
    Env.Core.Create_Channels();
    ASSERT_TRUE(Env.Core.Load_Configuration());
    const std::vector<TMessage> Load = Env.TakeMessages();
    ASSERT_EQ(Load.size(), 1u);
    EXPECT_EQ(Load[0].Kind, imkWarning);
    EXPECT_TRUE(Load[0].Text.contains(Missing)) << Load[0].Text.toStdString();
    EXPECT_EQ(Env.Core.IODD_List[0], nullptr);
    EXPECT_TRUE(Env.Core.Check_Configuration());
    ASSERT_TRUE(Env.Core.Save_Configuration());
    ExpectSameBytes(ReadBytes(File_IOLink_SetAccess), Saved);

    const String Error = CompileError();
    EXPECT_TRUE(Error.contains(QStringLiteral("Channel #01"))) << Error.toStdString();
    EXPECT_TRUE(Error.contains(Missing)) << Error.toStdString();
    EXPECT_TRUE(Bin_Bank2().isEmpty());
    // A new insertion refuses the description as well.
    EXPECT_FALSE(Env.Core.Insert_IODD_File(1, CatalogFile(ValveFile)));
    EXPECT_TRUE(Env.TakeMessages().at(0).Text.contains(Missing));
}

// Stored names are plain names in the "IODD" folder; a file there that is
// no regular file, or too large, is reported, never read to its end.
TEST(SetAccessHostile, StoredNamesReachNothingOutsideTheFolderNorNonFiles)
{
    TSetAccessEnv Env;
    const QString Folder = Path_Project + QStringLiteral("/IODD");
    ASSERT_TRUE(QDir().mkpath(Folder));
    ASSERT_EQ(::mkfifo(QFile::encodeName(Folder + QStringLiteral("/fifo.xml")).constData(), 0600), 0);
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), Folder + QStringLiteral("/zero.xml")));
    WriteBytes(Folder + QStringLiteral("/large.xml"), "<");
    ASSERT_TRUE(QFile::resize(Folder + QStringLiteral("/large.xml"), MaxFileReadSize + 1));
    Env.WriteParGen(QStringLiteral("GV52303-A1-4A"));
    struct TCase {
        QByteArray Name;
        const char* Load;      // part of the load's warning
        const char* Compile;   // part of the build's error; empty: it builds
    };
    const TCase Cases[] = {
        {"../../../../../../etc/passwd", "not found", ""},
        {"fifo.xml", "Not a regular file", "Not a regular file"},
        {"zero.xml", "Not a regular file", "Not a regular file"},
        {"large.xml", "larger than 64 MB", "larger than 64 MB"},
    };
    for (const TCase& C : Cases) {
        SCOPED_TRACE(C.Name.toStdString());
        WriteBytes(File_IOLink_SetAccess, ConfigFile(PortXml(C.Name, "IO-Link")));
        Env.Core.Create_Channels();
        ASSERT_TRUE(Env.Core.Load_Configuration());
        const std::vector<TMessage> Load = Env.TakeMessages();
        ASSERT_EQ(Load.size(), 1u);
        EXPECT_TRUE(Load[0].Text.contains(QLatin1String(C.Load))) << Load[0].Text.toStdString();
        const String Error = CompileError();
        EXPECT_TRUE(QByteArrayView(C.Compile).isEmpty() ? Error.isEmpty() : Error.contains(QLatin1String(C.Compile)))
            << Error.toStdString();
    }
}

// A few kilobytes of description must not ask for millions of entries: a
// description beyond what the image takes of a port is refused at
// insertion with the reason, and kept as stored at a load.
TEST(SetAccessHostile, DescriptionsBeyondWhatAPortTakesAreRefused)
{
    TSetAccessEnv Env;
    const auto Array = [](int Count) {
        return QByteArray("<Datatype xsi:type=\"ArrayT\" count=\"") + QByteArray::number(Count)
               + "\"><SimpleDatatype xsi:type=\"UIntegerT\" bitLength=\"8\" /></Datatype>";
    };
    QByteArray ManyVariables;
    for (int I = 0; I < 300; ++I)
        ManyVariables += "<Variable id=\"V" + QByteArray::number(I) + "\" index=\"" + QByteArray::number(100 + I)
                         + "\">" + Array(256) + "</Variable>";
    const QByteArray ProcessData = "</VariableCollection><ProcessDataCollection><ProcessData id=\"P\"><ProcessDataIn "
                                   "id=\"PDI_Wide\" bitLength=\"8\">"
                                   + Array(256) + "</ProcessDataIn></ProcessData></ProcessDataCollection>";
    struct TCase {
        const char* Name;
        QByteArray Description;
        const char* Reason;
    };
    const TCase Cases[] = {
        {"elements beyond an 8-bit sub-index", SwitchWith(SwitchVariable, Array(257)),
         "variable index 80 has 257 elements; the image addresses 256"},
        {"a record item beyond an 8-bit sub-index",
         SwitchWith(SwitchVariable, "<Datatype xsi:type=\"RecordT\" bitLength=\"8\"><RecordItem subindex=\"256\" "
                                    "bitOffset=\"0\"><SimpleDatatype xsi:type=\"UIntegerT\" bitLength=\"8\" />"
                                    "</RecordItem></Datatype>"),
         "variable index 80 has the sub-index 256"},
        {"entries of many arrays", SwitchWith("</VariableCollection>", ManyVariables + "</VariableCollection>"),
         "more than 65535 variable entries"},
        {"process data items", SwitchWith("</VariableCollection>", ProcessData),
         "the process data \"PDI_Wide\" has 256 items; a port takes at most 255 each way"},
    };
    Env.Core.Create_Channels();
    for (const TCase& C : Cases) {
        SCOPED_TRACE(C.Name);
        const QString File = Env.Path() + QStringLiteral("/Wide-IODD1.1.xml");
        WriteBytes(File, C.Description);
        EXPECT_FALSE(Env.Core.Insert_IODD_File(0, File));
        const std::vector<TMessage> Refused = Env.TakeMessages();
        ASSERT_EQ(Refused.size(), 1u);
        EXPECT_TRUE(Refused[0].Text.startsWith(QStringLiteral("\"%1\" does not fit a port: ").arg(File)))
            << Refused[0].Text.toStdString();
        EXPECT_TRUE(Refused[0].Text.contains(QLatin1String(C.Reason))) << Refused[0].Text.toStdString();
        EXPECT_TRUE(Env.Ch(1).IODD_File.isEmpty());
        EXPECT_FALSE(QFile::exists(Path_Project + QStringLiteral("/IODD/Wide-IODD1.1.xml")));
    }
    // What the image takes is taken: 256 elements, 255 process data items.
    const QString File = Env.Path() + QStringLiteral("/Wide-IODD1.1.xml");
    WriteBytes(File, SwitchWith(SwitchVariable, Array(256)));
    ASSERT_TRUE(Env.Core.Insert_IODD_File(0, File));
    EXPECT_EQ(Env.Ch(1).Var_List.size(), 257u);
    EXPECT_EQ(Env.Ch(1).Var_List.back()->SubIndex, QStringLiteral("255"));

    // A description put into the folder by hand: kept as stored at a load.
    ASSERT_TRUE(Env.Core.Save_Configuration());
    WriteBytes(Path_Project + QStringLiteral("/IODD/Wide-IODD1.1.xml"), Cases[0].Description);
    Env.Core.Create_Channels();
    ASSERT_TRUE(Env.Core.Load_Configuration());
    const std::vector<TMessage> Load = Env.TakeMessages();
    ASSERT_EQ(Load.size(), 1u);
    EXPECT_TRUE(Load[0].Text.contains(QLatin1String(Cases[0].Reason))) << Load[0].Text.toStdString();
    EXPECT_EQ(Env.Core.IODD_List[0], nullptr);
}

// Lengths and positions of 2^31 - 1 used to wrap the automatic positions to
// negative numbers (undefined behaviour); they stay non-negative now, and
// the check refuses them.
TEST(SetAccessHostile, HugeLengthsAndPositionsDoNotWrapRound)
{
    TSetAccessEnv Env;
    Env.WriteParGen(QStringLiteral("GV52303-A1-2A"));
    const QString Wide = Env.Path() + QStringLiteral("/Huge-IODD1.1.xml");
    WriteBytes(Wide, SwitchWith("</VariableCollection>",
                                "</VariableCollection><ProcessDataCollection><ProcessData id=\"P\"><ProcessDataIn "
                                "id=\"PDI_Huge\" bitLength=\"2147483647\"><Datatype xsi:type=\"BooleanT\" />"
                                "</ProcessDataIn></ProcessData></ProcessDataCollection><EventCollection>"
                                "<Event code=\"1\" /></EventCollection>"));
    Env.Core.Create_Channels();
    ASSERT_TRUE(Env.Core.Insert_IODD_File(0, Wide));
    TChannel_IOLink& P1 = Env.Ch(1);
    P1.Pin4Mode = QStringLiteral("IO-Link");
    // 2^31 - 1 bits end 2^28 bytes on.
    EXPECT_EQ(P1.Pin2_Pos, QStringLiteral("268435456"));
    EXPECT_EQ(P1.Event_List.at(0)->Position, QStringLiteral("268435457"));
    // An earlier port whose stored position is at the end of the range.
    (*P1.PD_List(true))[0]->position = QString::number(INT32_MAX);
    ASSERT_TRUE(Env.Core.Insert_IODD_File(1, Wide));
    EXPECT_EQ(Env.Ch(2).PD_List(true)->at(0)->position, QString::number(INT32_MAX));
    EXPECT_FALSE(Env.Core.Check_Configuration());
    EXPECT_FALSE(Env.TakeMessages().empty());
}

// Saves write through a link only when it leads inside the configuration;
// otherwise they report it and write nothing.
TEST(SetAccessHostile, SavesFollowNoLinkOutOfTheConfiguration)
{
    TSetAccessEnv Env;
    const QString Outside = Env.Path() + QStringLiteral("/users-own.xml");
    WriteBytes(Outside, "the user's own file");
    ASSERT_TRUE(QFile::link(Outside, File_IOLink_SetAccess));
    Env.Core.Create_Channels();
    EXPECT_FALSE(Env.Core.Save_Configuration());
    const std::vector<TMessage> Save = Env.TakeMessages();
    ASSERT_EQ(Save.size(), 1u);
    EXPECT_TRUE(Save[0].Text.contains(QStringLiteral("outside"))) << Save[0].Text.toStdString();
    EXPECT_EQ(ReadBytes(Outside), QByteArray("the user's own file"));

    // A description copy through a link of the "IODD" folder likewise.
    ASSERT_TRUE(QFile::remove(File_IOLink_SetAccess));
    ASSERT_TRUE(QDir().mkpath(Path_Project + QStringLiteral("/IODD")));
    ASSERT_TRUE(QFile::link(Outside, Path_Project + QStringLiteral("/IODD/") + SwitchFile));
    EXPECT_FALSE(Env.Core.Insert_IODD_File(0, CatalogFile(SwitchFile)));
    EXPECT_TRUE(Env.TakeMessages().at(0).Text.contains(QStringLiteral("outside")));
    EXPECT_EQ(ReadBytes(Outside), QByteArray("the user's own file"));

    // A link that stays inside the configuration is written through.
    const QString Kept = Path_Project + QStringLiteral("/kept/IOLink_SetAccess.xml");
    ASSERT_TRUE(QDir().mkpath(Path_Project + QStringLiteral("/kept")));
    WriteBytes(Kept, ConfigFile(EmptyPortXml));
    ASSERT_TRUE(QFile::link(Kept, File_IOLink_SetAccess));
    ASSERT_TRUE(Env.Core.Save_Configuration());
    EXPECT_TRUE(QFileInfo(File_IOLink_SetAccess).isSymLink());
    EXPECT_EQ(ReadBytes(Kept).count("<Channel>"), 8);
}

// The image is built only for a device variant every reader knows.
TEST(SetAccessHostile, AnUnknownDeviceVariantBuildsNoImage)
{
    TSetAccessEnv Env;
    Env.WriteParGen(QStringLiteral("GV52303-A1-3A"));
    WriteBytes(File_IOLink_SetAccess, ConfigFile(EmptyPortXml));
    EXPECT_EQ(CompileError(), QStringLiteral("\"ParGen.xml\" names the unknown device variant \"GV52303-A1-3A\""));
    Env.WriteParGen(QStringLiteral("gv52303-a1-2a "));
    EXPECT_EQ(CompileError(), String());
}

// A description may repeat a key (two record items of one sub-index of the
// status record): each entry keeps its stored values across a save and a
// load, the n-th stored item of a key going to the n-th entry of it.
TEST(SetAccessHostile, EntriesSharingAKeyEachKeepTheirValues)
{
    TSetAccessEnv Env;
    Path_IOLink_StaDef = testpaths::Fixture(QStringLiteral("iodd/stadef/"));
    QByteArray Device = ReadBytes(testpaths::Fixture(QStringLiteral("iodd/device.xml")));
    ASSERT_TRUE(Device.contains("<RecordItem subindex=\"2\" bitOffset=\"0\">"));
    Device.replace("<RecordItem subindex=\"2\" bitOffset=\"0\">", "<RecordItem subindex=\"1\" bitOffset=\"0\">");
    const QString File = Env.Path() + QStringLiteral("/Twice-IODD1.1.xml");
    WriteBytes(File, Device);
    Env.Core.Create_Channels();
    ASSERT_TRUE(Env.Core.Insert_IODD_File(0, File));
    std::vector<TVarObjValue*> Twins;
    for (auto& Var : Env.Ch(1).Var_List)
        if (Var->Index == u"65" && Var->SubIndex == u"1")
            Twins.push_back(Var.get());
    ASSERT_EQ(Twins.size(), 2u);
    Twins[0]->Value = QStringLiteral("1");
    Twins[1]->Value = QStringLiteral("2");
    Twins[1]->Enable = true;
    ASSERT_TRUE(Env.Core.Save_Configuration());
    const QByteArray Saved = ReadBytes(File_IOLink_SetAccess);

    Env.Core.Create_Channels();
    ASSERT_TRUE(Env.Core.Load_Configuration());
    std::vector<const TVarObjValue*> Loaded;
    for (const auto& Var : Env.Ch(1).Var_List)
        if (Var->Index == u"65" && Var->SubIndex == u"1")
            Loaded.push_back(Var.get());
    ASSERT_EQ(Loaded.size(), 2u);
    EXPECT_EQ(Loaded[0]->Value, QStringLiteral("1"));
    EXPECT_FALSE(Loaded[0]->Enable);
    EXPECT_EQ(Loaded[1]->Value, QStringLiteral("2"));
    EXPECT_TRUE(Loaded[1]->Enable);
    ASSERT_TRUE(Env.Core.Save_Configuration());
    ExpectSameBytes(ReadBytes(File_IOLink_SetAccess), Saved);
}

// Kept items are written back as they were read: a file holding a name
// or a comment that cannot be written back is not one to replace.
TEST(SetAccessHostile, KeptItemsThatCannotBeWrittenBackMakeTheFileUnreadable)
{
    TSetAccessEnv Env;
    const QByteArray Cases[] = {
        "<Variables><Variable Index=\"1\" \xff" "Length=\"8\"/></Variables>",
        "<Variables><!-- a -- b --></Variables>",
    };
    for (const QByteArray& Items : Cases) {
        SCOPED_TRACE(Items.toStdString());
        const QByteArray Original = ConfigFile(PortXml("Gone.xml", "IO-Link", Items));
        WriteBytes(File_IOLink_SetAccess, Original);
        Env.Core.Create_Channels();
        EXPECT_FALSE(Env.Core.Load_Configuration());
        const std::vector<TMessage> Load = Env.TakeMessages();
        ASSERT_FALSE(Load.empty());
        EXPECT_TRUE(Load.back().Text.contains(QStringLiteral("cannot be written back"))) << Load.back().Text.toStdString();
        EXPECT_FALSE(Env.Core.Save_Configuration());
        Env.TakeMessages();
        ExpectSameBytes(ReadBytes(File_IOLink_SetAccess), Original);
    }
}
