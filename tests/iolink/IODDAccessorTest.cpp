// Lookups and display texts the windows and the image builder read the tree by.
#include "IODDTestFiles.h"

#include "iolink/UIOLink_IODD_Decode.h"

#include <gtest/gtest.h>

using namespace iodd_test;

namespace {

class IODDAccessor : public ::testing::Test {
protected:
    void SetUp() override
    {
        IODD.SetStandardDef_Path(StaDefDir());
        IODD.Decode_IODD(FixtureFile(QStringLiteral("device.xml")), false);
    }

    const TDeviceFunction& Function() const { return *IODD.ProfileBody->DeviceFunction; }
    const TVariable* Var(const char* Id) const
    {
        return Function().VariableCollection->Get_Variables_IDs(QString::fromLatin1(Id));
    }

    TIODD IODD;
};

} // namespace

TEST_F(IODDAccessor, TextsByIdIgnoringLetterCase)
{
    const TIODD& D = IODD;
    const TDeviceIdentity& Id = *D.ProfileBody->DeviceIdentity;
    EXPECT_EQ(D.GetDesc_ExtTextCol(false, Id.DeviceName()), QStringLiteral("Fixture Level Sensor"));
    EXPECT_EQ(D.GetDesc_ExtTextCol(false, QStringLiteral("ti_devicename")), QStringLiteral("Fixture Level Sensor"));
    // plain text that is no id comes back as it is
    EXPECT_EQ(D.GetDesc_ExtTextCol(false, Id.VendorName()), QStringLiteral("Fixture Sensors Ltd"));
    // device and standard texts are apart
    EXPECT_EQ(D.GetDesc_ExtTextCol(true, Id.DeviceName()), QStringLiteral("TI_DeviceName"));
    EXPECT_EQ(D.GetDesc_ExtTextCol(true, QStringLiteral("STD_TN_RESET")), QStringLiteral("Device reset"));

    String Value = QStringLiteral("stale");
    EXPECT_FALSE(D.ExtTextCol->Get_Value_From_ID(QStringLiteral("TI_Missing"), Value));
    EXPECT_TRUE(Value.isEmpty());
    EXPECT_EQ(D.ExtTextCol->Find_ID(QStringLiteral("TI_STATUS")), 4);
    EXPECT_EQ(D.ExtTextCol->Find_ID(QStringLiteral("TI_Missing")), -1);

    TExtTextCol Texts;
    Texts.List_Ids = {QStringLiteral("a"), QStringLiteral("A")};
    Texts.PriLang_Values = {QStringLiteral("first"), QStringLiteral("second")};
    Texts.OtherLang.push_back(std::make_unique<TExtTextCol>());
    EXPECT_EQ(Texts.Find_ID(QStringLiteral("A")), 0);
    Texts.Erase_All();
    EXPECT_TRUE(Texts.List_Ids.empty() && Texts.PriLang_Values.empty() && Texts.OtherLang.empty());
}

TEST_F(IODDAccessor, VariablesTypeTexts)
{
    struct TCase {
        const char* Id;
        bool VarRef;
        const char* Type, *Length, *Access, *SubIndAccSup;
    };
    const TCase Cases[] = {
        {"V_Thresholds", false, "ArrayT", "", "Read Write", "False"},
        {"V_Status", false, "RecordT", "16", "Read Only", "True"},   // through the device's type
        {"V_Status", true, "", "", "Read Only", "False"},            // not among the standard types
        {"V_Label", false, "StringT", "128", "Write Only", "False"},
        {"V_Ratio", false, "Float32T", "32", "Write Only", "False"},
        {"V_SystemCommand", false, "", "", "Read Write", "False"},   // a reference has no type of its own
    };
    for (const TCase& C : Cases) {
        SCOPED_TRACE(std::string(C.Id) + (C.VarRef ? " VarRef" : ""));
        const TVariable* V = Var(C.Id);
        ASSERT_TRUE(V);
        EXPECT_EQ(V->Get_DataType(&IODD, C.VarRef).toStdString(), C.Type);
        EXPECT_EQ(V->Get_Length(&IODD, C.VarRef).toStdString(), C.Length);
        EXPECT_EQ(V->Get_AccessRights().toStdString(), C.Access);
        EXPECT_EQ(V->Get_SubIndAccSup(&IODD, C.VarRef).toStdString(), C.SubIndAccSup);
    }
}

TEST_F(IODDAccessor, StandardVariableReferences)
{
    const TVariable* Ref = Var("V_SystemCommand");
    ASSERT_TRUE(Ref);
    EXPECT_EQ(Ref->VarType, vtStdVarRef);
    const TVariable* Std = Ref->Get_Index_Var_Ref(&IODD);
    ASSERT_TRUE(Std);
    EXPECT_EQ(Std, IODD.SD_VariableCollection->Var_List[IODD.Find_Var_SD(QStringLiteral("V_SystemCommand"))].get());
    EXPECT_EQ(Std->Index, 2);
    // the standard variable's type is a standard type
    EXPECT_EQ(Std->Get_DataType(&IODD, true), QStringLiteral("UIntegerT"));
    EXPECT_EQ(Std->Get_Length(&IODD, true), QStringLiteral("8"));
    EXPECT_EQ(Var("V_Label")->Get_Index_Var_Ref(&IODD), nullptr);
    EXPECT_EQ(IODD.Find_Var_SD(QStringLiteral("v_systemcommand")), -1);

    // the references keep index 1, so index 1 finds the first of them
    const TVariableCollection& C = *Function().VariableCollection;
    EXPECT_EQ(C.Get_Variables(QStringLiteral("1"), QString()), C.StdVar_List[0].get());
    EXPECT_EQ(C.Get_Variables(QStringLiteral("65"), QStringLiteral("9")), Var("V_Status"));
    EXPECT_EQ(C.Get_Variables(QStringLiteral("x"), QString()), nullptr);
    EXPECT_EQ(C.Get_Variables(QStringLiteral("67"), QString()), nullptr);
    EXPECT_EQ(C.Get_Variables_IDs(QStringLiteral("v_status")), nullptr);
}

TEST_F(IODDAccessor, RecordItemTypesResolveInTheDeviceTypes)
{
    const auto& Types = Function().DataTypeCollection;
    const Integer At = IODD.Find_DataType(QStringLiteral("D_Status"), Types.get());
    ASSERT_EQ(At, 0);
    EXPECT_EQ(Types->GetDTIndex(QStringLiteral("D_Mode")), 1);
    EXPECT_EQ(Types->GetDTIndex(QStringLiteral("d_mode")), -1);
    EXPECT_EQ(IODD.Find_DataType(QStringLiteral("D_Mode"), IODD.SD_DataTypeCollection.get()), -1);

    const auto& Items = Types->ListDataType[At]->ComplexDataType->Arr_RecItem;
    ASSERT_EQ(Items.size(), 3u);
    const auto* Mode = dynamic_cast<const TRecordItem*>(Items[2].get());
    ASSERT_TRUE(Mode);
    EXPECT_EQ(Mode->SimpleTD->Get_ActualSimpleDataType(&IODD, false), QStringLiteral("UIntegerT"));
    EXPECT_EQ(Mode->SimpleTD->Get_Length(&IODD, false), QStringLiteral("4"));
    EXPECT_EQ(Mode->SimpleTD->Get_Length(&IODD, true), QString());
    EXPECT_EQ(Mode->GetAccessRightRestrictionStr(), QStringLiteral("Read Only"));
}

TEST_F(IODDAccessor, ProcessDataTypesAndScaling)
{
    const auto& List = Function().ProcessDataCollection->ProcessData_List;
    ASSERT_EQ(List.size(), 2u);
    const TProcessDataInOut& In = *List[0]->ProcessDataIn;
    const TProcessDataInOut& Out = *List[0]->ProcessDataOut;
    EXPECT_EQ(In.Get_DataTypeStr(&IODD), QStringLiteral("RecordT"));
    EXPECT_EQ(In.GetDataType(&IODD), Function().DataTypeCollection->ListDataType[0].get());
    EXPECT_EQ(Out.Get_DataTypeStr(&IODD), QStringLiteral("UIntegerT"));
    EXPECT_EQ(Out.GetDataType(&IODD), nullptr);
    EXPECT_EQ(List[1]->ProcessDataIn->Get_DataTypeStr(&IODD), QStringLiteral("BooleanT"));

    struct TCase {
        bool Simple, In;
        const char* SubIndex;
        const char* Gradient, *Offset, *UnitCode;
    };
    const TCase Cases[] = {
        {false, true, "2", "0.5", "-10", "1001"},   // the record item reference
        {false, true, "1", "1", "0", ""},           // no entry for that item
        {true, true, "2", "1", "0", ""},            // only whole-variable entries count
        {true, false, "", "2", "", "1342"},         // an entry without offset empties it
        {false, false, "2", "1", "0", ""},
    };
    for (const TCase& C : Cases) {
        SCOPED_TRACE(std::to_string(C.Simple) + std::to_string(C.In) + C.SubIndex);
        const String Sub = QString::fromLatin1(C.SubIndex);
        EXPECT_EQ(In.Get_Gradient(&IODD, C.Simple, C.In, Sub).toStdString(), C.Gradient);
        EXPECT_EQ(In.Get_Offset(&IODD, C.Simple, C.In, Sub).toStdString(), C.Offset);
        EXPECT_EQ(In.Get_UnitCode(&IODD, C.Simple, C.In, Sub).toStdString(), C.UnitCode);
    }
}

TEST_F(IODDAccessor, LastCountingMenuEntryWinsEvenWhenEmpty)
{
    auto Second = std::make_unique<TMenu>();
    auto Ref = std::make_unique<TMenuRecordItemRef>();
    Ref->VariableId = QStringLiteral("V_ProcessDataInput");
    Ref->SubIndex = QStringLiteral("2");
    Ref->Offset = QStringLiteral("5");
    Second->MenuVariableRef_List.push_back(std::move(Ref));
    Function().UserInterface->MenuCollection->Menu_List.push_back(std::move(Second));
    const TProcessDataInOut& In = *Function().ProcessDataCollection->ProcessData_List[0]->ProcessDataIn;
    const String Two = QStringLiteral("2");
    EXPECT_EQ(In.Get_Gradient(&IODD, false, true, Two), QString());
    EXPECT_EQ(In.Get_Offset(&IODD, false, true, Two), QStringLiteral("5"));
    EXPECT_EQ(In.Get_UnitCode(&IODD, false, true, Two), QString());
}

TEST_F(IODDAccessor, StandardEventReferencesShareTheStandardEvents)
{
    const auto& Refs = Function().EventCollection->StdEventRef_List;
    ASSERT_EQ(Refs.size(), 1u);
    EXPECT_EQ(Refs[0], IODD.SD_EventCollection->Event_List[0].get());
    EXPECT_EQ(IODD.Get_Event_SD(16912), Refs[0]);
    EXPECT_EQ(IODD.Get_Event_SD(20752), IODD.SD_EventCollection->Event_List[1].get());
    EXPECT_EQ(IODD.Get_Event_SD(6144), nullptr);
}

TEST(IODDPhysicalLayer, BitRateAndCycleTimeAsNumbers)
{
    const std::pair<const char*, Integer> Rates[] = {
        {"COM2", 2}, {" com3 ", 3}, {"COM 1", 1}, {"", 0}, {"COM", 0}, {"38400", 0}, {"xCOM2", 2}, {"COMx", 0},
    };
    for (const auto& [Text, Code] : Rates) {
        TPhysicalLayer P;
        P.SetBitRate(QString::fromLatin1(Text));
        EXPECT_EQ(P.Get_BitRate(), Code) << Text;
    }
    const std::pair<const char*, Integer> Times[] = {{"2300", 2300}, {"", 0}, {"2.3ms", 0}, {"-5", -5}};
    for (const auto& [Text, Value] : Times) {
        TPhysicalLayer P;
        P.SetMinCycleTime(QString::fromLatin1(Text));
        EXPECT_EQ(P.Get_MinCycleTime(), Value) << Text;
    }
}

TEST(IODDObjects, InitialValues)
{
    TIODD D;
    EXPECT_EQ(D.ProfileHeader->ProfileRevision(), prPR10);
    EXPECT_TRUE(D.IODD_FileName().isEmpty());
    ASSERT_TRUE(D.ProfileBody && D.ProfileBody->DeviceIdentity && D.ProfileBody->DeviceFunction);
    const TDeviceFunction& F = *D.ProfileBody->DeviceFunction;
    EXPECT_TRUE(F.Features && F.DataTypeCollection && F.VariableCollection && F.ProcessDataCollection
                && F.EventCollection && F.UserInterface && F.UserInterface->MenuCollection);
    EXPECT_TRUE(D.ExtTextCol && D.PhysicalLayer && D.SD_ExtTextCol && D.SD_DataTypeCollection
                && D.SD_VariableCollection && D.SD_EventCollection && D.DocumentInfo);

    const TVariable V;
    EXPECT_EQ(V.VarType, vtVariable);
    EXPECT_EQ(V.AccessRights, arRW);
    EXPECT_EQ(V.Index, 1);
    EXPECT_EQ(V.FixedLengthRestriction, 0);
    EXPECT_EQ(TEventData().Code, -1);
    EXPECT_TRUE(TDataType().IsSimpleDataType);
    EXPECT_EQ(TSimpleDataType().ActualSimpleDataType, asdtNONE);
    EXPECT_EQ(TComplexDataType().ActualComplexDataType, acdtNONE);
    ASSERT_TRUE(TProcessDataInOut().DataType);
}
