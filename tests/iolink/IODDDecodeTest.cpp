// Decoding the device fixture into the whole tree, in both modes.
#include "IODDTestFiles.h"
#include "IODDTreeDump.h"

#include "iolink/UIOLink_IODD_Decode.h"

#include <gtest/gtest.h>

using namespace iodd_test;

namespace {

// The identity and texts part, read in both modes.
const char* const IdentityTree =
    "DeviceIdentity VendorId=4711 VendorName=Fixture Sensors Ltd DeviceId=65537 VendorText=TI_VendorText "
    "VendorUrl=TI_VendorUrl VendorLogo=fixture-logo.png DeviceName=TI_DeviceName DeviceFamily=TI_DeviceFamily\n"
    "  DeviceVariant ProductId=FX-100 DeviceSymbol=fx-pic.png DeviceIcon=fx-icon.png Name=TI_Variant1_Name "
    "Description=TI_Variant1_Descr\n"
    "  DeviceVariant ProductId=FX-200 Name=TI_Variant2_Name\n";

const char* const DeviceTexts =
    "ExtTextCol Lang_Code_Primary=en\n"
    "  TI_VendorText = Sensors for fixtures\n"
    "  TI_VendorUrl = http://fixture.example\n"
    "  TI_DeviceName = Fixture Level Sensor\n"
    "  TI_DeviceFamily = Level\n"
    "  TI_Status = Status\n"
    "  TI_Event_Dirty = Lens dirty\n";

const char* const FunctionTree =
    "Features BlockParameter=true SAL_DataStorage=true SAL_Parameter=true\n"
    "DataTypeCollection\n"
    "  DataType\n"
    "    Complex ActualComplexDataType=2 Id=D_Status SubIndexAccessSupPresent=true SubIndexAccessSup=true "
    "BitLength=16\n"
    "      RecordItem SubIndex=1 BitOffset=15 Name=TI_Status_Alarm\n"
    "        SimpleTD ActualSimpleDataType=1\n"
    "      RecordItem SubIndex=2 Name=TI_Status_Level Description=TI_Status_Level_Descr\n"
    "        SimpleTD ActualSimpleDataType=2 BitLength=8\n"
    "          Integer UpperValue=200\n"
    "      RecordItem SubIndex=3 BitOffset=8 Name=TI_Status_Mode\n"
    "        SimpleTD IsSimpleDataRef=true DataTypeId=D_Mode\n"
    "  DataType IsSimpleDataType=true\n"
    "    Simple ActualSimpleDataType=2 Id=D_Mode BitLength=4\n"
    "      Integer ValueType=true Name=TI_Mode_Off\n"
    "      Integer ValueType=true Value=1 Name=TI_Mode_On\n"
    "VariableCollection\n"
    "  StdVar VarType=1 Id=V_VendorName AccessRights=1 Index=1 DefaultValue=Fixture Sensors Ltd "
    "FixedLengthRestriction=19\n"
    "  StdVar VarType=1 Id=V_SystemCommand AccessRights=1 Index=1 FixedLengthRestriction=1\n"
    "  Var Id=V_Thresholds AccessRights=1 Index=64 DefaultValue=0 Name=TI_Thresholds "
    "Description=TI_Thresholds_Descr\n"
    "    DataType\n"
    "      Complex ActualComplexDataType=1 SubIndexAccessSupPresent=true Count=4\n"
    "        Element ActualSimpleDataType=3 BitLength=16\n"
    "  Var Id=V_Status Dynamic_V=true ExcludedFromDataStorage=true Index=65 Name=TI_Status\n"
    "    DataType IsSimpleDataType=true IsDataTypeRef=true Ref_DataTypeId=D_Status\n"
    "    RecordItemInfo Subindex=2 DefaultValue=100 ModifiesOtherVariables=true\n"
    "    RecordItemInfo Subindex=3 ExcludedFromDataStorage=true\n"
    "  Var Id=V_Label AccessRights=2 ModifiesOtherVariables=true Index=66 Name=TI_Label\n"
    "    DataType IsSimpleDataType=true\n"
    "      Simple ActualSimpleDataType=5 FixedLength=128 Encodig=UTF-8\n"
    "  Var Id=V_Ratio AccessRights=2 Index=1 Name=TI_Ratio\n"
    "    DataType IsSimpleDataType=true\n"
    "      Simple ActualSimpleDataType=4\n"
    "        Float32 LowerValue=-1.5 UpperValue=2.5\n"
    "        Float32 ValueType=true Value=0.25 Name=TI_Ratio_Quarter\n"
    "ProcessDataCollection\n"
    "  ProcessData Id=PD_Default\n"
    "    ProcessDataIn Id=PDI_Default BitLength=16\n"
    "      DataType IsSimpleDataType=true IsDataTypeRef=true Ref_DataTypeId=D_Status\n"
    "    ProcessDataOut Id=PDO_Default BitLength=8\n"
    "      DataType IsSimpleDataType=true\n"
    "        Simple ActualSimpleDataType=2 BitLength=8\n"
    "  ProcessData Id=PD_Short\n"
    "    Condition VariableId=V_Mode Value=1\n"
    "    ProcessDataIn Id=PDI_Short BitLength=1\n"
    "      DataType IsSimpleDataType=true\n"
    "        Simple ActualSimpleDataType=1\n"
    "EventCollection\n"
    "  StdEventRef Code=16912 EventType=Warning Name=STD_TN_0x4210 Description=STD_TD_0x4210\n"
    "  Event Code=6144 EventType=Warning Name=TI_Event_Dirty Description=TI_Event_Dirty_Descr\n"
    "  Event Code=6146 EventType=Notification\n"
    "MenuCollection\n"
    "  Menu Id=M_Process Name=TI_Menu_Process\n"
    "    RecordItemRef VariableId=V_ProcessDataInput SubIndex=2 Gradient=0.5 Offset=-10 UnitCode=1001 "
    "DisplayFormat=Dec.1\n"
    "    VariableRef VariableId=V_ProcessDataOutput Gradient=2 UnitCode=1342 AccessRightRestriction=ro\n"
    "  Menu Id=M_Params\n"
    "    VariableRef VariableId=V_Thresholds\n";

const char* const StandardTree =
    "SD_ExtTextCol Lang_Code_Primary=en\n"
    "  STD_TN_VendorName = Vendor Name\n"
    "  STD_TN_SystemCommand = System Command\n"
    "  STD_TN_Reset = Device reset\n"
    "  STD_TN_0x4210 = Device temperature over-run\n"
    "  STD_TD_0x4210 = Clear source of heat\n"
    "  STD_TN_0x5110 = Primary supply voltage over-run\n"
    "SD_DataTypeCollection\n"
    "  DataType IsSimpleDataType=true\n"
    "    Simple ActualSimpleDataType=2 Id=STD_D_Command BitLength=8\n"
    "      Integer UpperValue=63\n"
    "      Integer ValueType=true Value=128 Name=STD_TN_Reset\n"
    "SD_VariableCollection\n"
    "  Var Id=V_VendorName Index=16 Name=STD_TN_VendorName\n"
    "    DataType IsSimpleDataType=true\n"
    "      Simple ActualSimpleDataType=5 FixedLength=512 Encodig=UTF-8\n"
    "  Var Id=V_SystemCommand AccessRights=2 Index=2 Name=STD_TN_SystemCommand\n"
    "    DataType IsSimpleDataType=true IsDataTypeRef=true Ref_DataTypeId=STD_D_Command\n"
    "SD_EventCollection\n"
    "  Event Code=16912 EventType=Warning Name=STD_TN_0x4210 Description=STD_TD_0x4210\n"
    "  Event Code=20752 EventType=Error Name=STD_TN_0x5110\n";

const char* const EmptyFunction =
    "Features\n"
    "DataTypeCollection\n"
    "VariableCollection\n"
    "ProcessDataCollection\n"
    "EventCollection\n"
    "MenuCollection\n";

const char* const EmptyStandard =
    "SD_ExtTextCol\n"
    "SD_DataTypeCollection\n"
    "SD_VariableCollection\n"
    "SD_EventCollection\n";

QString FullTree()
{
    return QString::fromUtf8(
               "DocumentInfo Version=V2.4 ReleaseDate=2024-05-17 Copyright=Test fixture, free to copy\n"
               "ProfileHeader ProfileIdentification=IO Device Profile ProfileRevision=1 "
               "ProfileName=Device Profile for IO Devices ProfileSource=Fixture Source ProfileClassID=Device "
               "ISO15745Part=1 ISO15745Edition=2 ProfileTechnology=IODD\n")
           + IdentityTree + FunctionTree + DeviceTexts
           + "PhysicalLayer BitRate=COM2 MinCycleTime=2300 SIOSupported=true MSequenceCapability=11\n"
           + StandardTree;
}

QString SimpleTree()
{
    return QStringLiteral("DocumentInfo\nProfileHeader\n") + IdentityTree + EmptyFunction + DeviceTexts
           + "PhysicalLayer\n" + EmptyStandard;
}

QString Decoded(const QString& File, bool Simple, const QString& StaDef = StaDefDir())
{
    TIODD IODD;
    IODD.SetStandardDef_Path(StaDef);
    IODD.Decode_IODD(File, Simple);
    EXPECT_EQ(IODD.IODD_FileName(), File);
    return Dump(IODD);
}

} // namespace

TEST(IODDDecode, FixtureDecodesIntoTheWholeTreeInBothModes)
{
    const QString File = FixtureFile(QStringLiteral("device.xml"));
    EXPECT_EQ(Decoded(File, false).toStdString(), FullTree().toStdString());
    EXPECT_EQ(Decoded(File, true).toStdString(), SimpleTree().toStdString());
}

TEST(IODDDecode, RenamedSchemaInstancePrefixChangesNothing)
{
    TScratch Scratch;
    QByteArray Bytes = ReadAll(FixtureFile(QStringLiteral("device.xml")));
    ASSERT_GT(Bytes.count("xsi:type"), 10);
    Bytes.replace("xmlns:xsi=", "xmlns:schemainst=").replace("xsi:type=", "schemainst:type=");
    ASSERT_FALSE(Bytes.contains("xsi"));
    const QString File = Scratch.Write(QStringLiteral("renamed.xml"), Bytes);
    EXPECT_EQ(Decoded(File, false).toStdString(), FullTree().toStdString());
}

TEST(IODDDecode, TypeAttributeOutsideTheSchemaInstanceNamespaceIsNoType)
{
    // "xsi" bound to another namespace: its "type" is not the type attribute.
    TScratch Scratch;
    const QString File = Scratch.Variant(QStringLiteral("other-ns.xml"),
                                         "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\"",
                                         "xmlns:xsi=\"urn:fixture:not-the-schema-instance\"");
    TIODD IODD;
    IODD.SetStandardDef_Path(StaDefDir());
    IODD.Decode_IODD(File, false);
    const auto& Types = IODD.ProfileBody->DeviceFunction->DataTypeCollection->ListDataType;
    ASSERT_EQ(Types.size(), 2u);
    for (const auto& Type : Types) {
        ASSERT_TRUE(Type->ComplexDataType);
        EXPECT_EQ(Type->ComplexDataType->ActualComplexDataType, acdtNONE);
    }
}

TEST(IODDDecode, StandardDefinitionsFollowTheProfileRevision)
{
    TScratch Scratch;
    struct TCase {
        QByteArray Revision;
        QString EventName;   // of the referenced standard event 16912
    };
    const TCase Cases[] = {
        {"1.1", QStringLiteral("Device temperature over-run")},
        {"1.0", QStringLiteral("Temperature fault (1.0)")},
        {" 1.1", QStringLiteral("Temperature fault (1.0)")},
    };
    for (const TCase& C : Cases) {
        SCOPED_TRACE(C.Revision.toStdString());
        const QString File = Scratch.Variant(QStringLiteral("rev.xml"), "<ProfileRevision>1.1<",
                                             "<ProfileRevision>" + C.Revision + "<");
        for (const QString& Dir : {StaDefDir(), StaDefDir().chopped(1)}) {
            TIODD IODD;
            IODD.SetStandardDef_Path(Dir);
            IODD.Decode_IODD(File, false);
            const auto& Refs = IODD.ProfileBody->DeviceFunction->EventCollection->StdEventRef_List;
            ASSERT_EQ(Refs.size(), 1u);
            EXPECT_EQ(Refs[0], IODD.Get_Event_SD(16912));
            EXPECT_EQ(IODD.GetDesc_ExtTextCol(true, Refs[0]->Name), C.EventName);
        }
    }
}

// Without its standard definitions a decode would drop the device's
// standard events quietly, and every save after it the user's settings of
// them: the full decode fails naming the missing file. The simple mode does
// not read them.
TEST(IODDDecode, MissingStandardDefinitionsFailTheFullDecode)
{
    TScratch Scratch;
    const QString Device = FixtureFile(QStringLiteral("device.xml"));
    const std::pair<QString, QString> Cases[] = {
        {Scratch.Path() + u'/', Scratch.Path() + QStringLiteral("/IODD-StandardDefinitions1.1.xml\" is missing")},
        {QString(), QStringLiteral("no folder of the standard definitions is set")},
    };
    for (const auto& [Dir, Message] : Cases) {
        TIODD IODD;
        IODD.SetStandardDef_Path(Dir);
        try {
            IODD.Decode_IODD(Device, false);
            ADD_FAILURE() << "decoded without standard definitions";
        } catch (const EIODDError& E) {
            EXPECT_TRUE(E.Message().contains(Message)) << E.what();
            EXPECT_TRUE(E.Message().contains(Device)) << E.what();
        }
        TIODD Simple;
        Simple.SetStandardDef_Path(Dir);
        Simple.Decode_IODD(Device, true);
        EXPECT_FALSE(Simple.ProfileBody->DeviceIdentity->VendorId().isEmpty());
    }
}

TEST(IODDDecode, FullModeNeedsWhatSimpleModeDoesNotRead)
{
    struct TCase {
        const char* What;
        QByteArray From, To;
        const char* Message;   // part of the error of the full decode
    };
    const TCase Cases[] = {
        {"document date", "releaseDate=\"2024-05-17\"", "", "\"DocumentInfo\" lacks the attribute \"releaseDate\""},
        {"rights notice", "copyright=\"Test fixture, free to copy\"", "",
         "\"DocumentInfo\" lacks the attribute \"copyright\""},
        {"condition value", "subindex=\"0\" value=\"1\"", "subindex=\"0\" value=\"one\"",
         "attribute \"value\" of element \"Condition\" is not an integer: \"one\""},
        {"process data length", "bitLength=\"16\">\n            <DatatypeRef",
         "bitLength=\"16 bits\">\n            <DatatypeRef", "attribute \"bitLength\" of element \"ProcessDataIn\""},
        {"type reference", "<DatatypeRef datatypeId=\"D_Status\" />\n          <RecordItemInfo",
         "<DatatypeRef />\n          <RecordItemInfo", "\"DatatypeRef\" lacks the attribute \"datatypeId\""},
        {"variable name", "<Name textId=\"TI_Label\" />", "<Name />", "\"Name\" lacks the attribute \"textId\""},
    };
    TScratch Scratch;
    for (const TCase& C : Cases) {
        SCOPED_TRACE(C.What);
        const QString File = Scratch.Variant(QStringLiteral("lacking.xml"), C.From, C.To);
        TIODD Full;
        Full.SetStandardDef_Path(StaDefDir());
        try {
            Full.Decode_IODD(File, false);
            ADD_FAILURE() << "full decode succeeded";
        } catch (const EIODDError& E) {
            EXPECT_TRUE(E.Message().contains(File)) << E.what();
            EXPECT_TRUE(E.Message().contains(QString::fromUtf8(C.Message))) << E.what();
        }
        EXPECT_EQ(Decoded(File, true).toStdString(), SimpleTree().toStdString());
    }
}

TEST(IODDDecode, IdentityAndTextsMustBeCompleteInBothModes)
{
    const std::pair<QByteArray, QByteArray> Cases[] = {
        {"<VendorText textId=\"TI_VendorText\" />", "<VendorText />"},
        {"<Description textId=\"TI_Variant1_Descr\" />", "<Description text=\"TI_Variant1_Descr\" />"},
        {"<Text id=\"TI_Status\" value=\"Status\" />", "<Text id=\"TI_Status\" />"},
        {"<PrimaryLanguage xml:lang=\"en\">", "<PrimaryLanguage lang=\"en\">"},
    };
    TScratch Scratch;
    for (const auto& [From, To] : Cases) {
        SCOPED_TRACE(To.toStdString());
        const QString File = Scratch.Variant(QStringLiteral("incomplete.xml"), From, To);
        for (const bool Simple : {false, true}) {
            TIODD IODD;
            IODD.SetStandardDef_Path(StaDefDir());
            EXPECT_THROW(IODD.Decode_IODD(File, Simple), EIODDError);
        }
    }
}

TEST(IODDDecode, StandardDefinitionsMustBeCompleteToo)
{
    TScratch Scratch;
    QByteArray Bytes = ReadAll(StaDefDir() + QStringLiteral("IODD-StandardDefinitions1.1.xml"));
    ASSERT_TRUE(Bytes.contains("value=\"Vendor Name\""));
    Bytes.replace("value=\"Vendor Name\"", "");
    const QString StaDef = Scratch.Write(QStringLiteral("IODD-StandardDefinitions1.1.xml"), Bytes);
    TIODD IODD;
    IODD.SetStandardDef_Path(Scratch.Path() + u'/');
    try {
        IODD.Decode_IODD(FixtureFile(QStringLiteral("device.xml")), false);
        ADD_FAILURE() << "decode succeeded";
    } catch (const EIODDError& E) {
        EXPECT_TRUE(E.Message().contains(StaDef)) << E.what();
        EXPECT_TRUE(E.Message().contains(QStringLiteral("\"Text\" lacks the attribute \"value\""))) << E.what();
    }
}

TEST(IODDDecode, ReadingRulesOfSingleAttributes)
{
    // Each case changes the fixture in one place and looks at the one field.
    struct TCase {
        QByteArray From, To;
        std::function<QString(const TIODD&)> Field;
        QString Expected;
    };
    const auto Var = [](const TIODD& D, const char* Id) {
        return D.ProfileBody->DeviceFunction->VariableCollection->Get_Variables_IDs(QString::fromLatin1(Id));
    };
    const auto Phys = [](const TIODD& D) { return D.PhysicalLayer.get(); };
    const TCase Cases[] = {
        {"id=\"V_Label\" index=\"66\"", "id=\"V_Label\"",
         [&](const TIODD& D) { return QString::number(Var(D, "V_Label")->Index); }, QStringLiteral("1")},
        {"id=\"V_Label\" index=\"66\"", "id=\"V_Label\" index=\"x66\"",
         [&](const TIODD& D) { return QString::number(Var(D, "V_Label")->Index); }, QStringLiteral("1")},
        {"index=\"66\" accessRights=\"wo\"", "index=\"66\"",
         [&](const TIODD& D) { return QString::number(Var(D, "V_Label")->AccessRights); }, QString::number(arWO)},
        {"accessRights=\"ro\" dynamic=\"true\"", "accessRights=\"rw\" dynamic=\"True\"",
         [&](const TIODD& D) {
             return QStringLiteral("%1 %2").arg(Var(D, "V_Status")->AccessRights).arg(Var(D, "V_Status")->Dynamic_V);
         },
         QStringLiteral("%1 0").arg(arRW)},
        {"bitrate=\"COM2\"", "baudrate=\"COM3\" bitrate=\"COM2\"", [&](const TIODD& D) { return Phys(D)->BitRate(); },
         QStringLiteral("COM3")},
        {"sioSupported=\" TRUE \"", "sioSupported=\"yes\"",
         [&](const TIODD& D) { return QString::number(Phys(D)->SIOSupported()); }, QStringLiteral("0")},
        {"blockParameter=\"true\"", "blockParameter=\"TRUE\"",
         [](const TIODD& D) { return QString::number(D.ProfileBody->DeviceFunction->Features->BlockParameter()); },
         QStringLiteral("0")},
        {"<StdVariableRef id=\"V_SystemCommand\" />", "<StdVariableRef id=\"V_SystemCommand\" fixedLengthRestriction=\"x\"/>",
         [&](const TIODD& D) { return QString::number(Var(D, "V_SystemCommand")->FixedLengthRestriction); },
         QStringLiteral("1")},
        {"<StdEventRef code=\"12345\" />", "<StdEventRef code=\"20752\" />",
         [](const TIODD& D) {
             QStringList Codes;
             for (const TEventData* E : D.ProfileBody->DeviceFunction->EventCollection->StdEventRef_List)
                 Codes << QString::number(E->Code);
             return Codes.join(u',');
         },
         QStringLiteral("16912,20752")},
        {"<Event code=\"6144\"", "<Event code=\"-6144\"",
         [](const TIODD& D) {
             return QString::number(D.ProfileBody->DeviceFunction->EventCollection->Event_List.size());
         },
         QStringLiteral("1")},
        {"<ProfileRevision>1.1</ProfileRevision>", "",
         [](const TIODD& D) { return QString::number(D.ProfileHeader->ProfileRevision()); }, QString::number(prPR10)},
    };
    TScratch Scratch;
    for (const TCase& C : Cases) {
        SCOPED_TRACE(C.To.toStdString());
        const QString File = Scratch.Variant(QStringLiteral("rule.xml"), C.From, C.To);
        TIODD IODD;
        IODD.SetStandardDef_Path(StaDefDir());
        IODD.Decode_IODD(File, false);
        EXPECT_EQ(C.Field(IODD), C.Expected);
    }
}
