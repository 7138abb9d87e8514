// The published device descriptions beside the project decode in full mode
// with the published standard definitions; skipped when they are absent.
#include "common/TestPaths.h"

#include "iolink/UIOLink_IODD_Decode.h"

#include <QDir>

#include <gtest/gtest.h>

namespace {

struct TIdentity {
    const char* File;
    const char* VendorId, *VendorName, *DeviceId, *DeviceName;
    TProfileRevision Revision;
    const char* BitRate;
    Integer MinCycleTime;
    std::size_t Variables, StdVariableRefs, ProcessData, Events;
};

// Read from the files by hand; events count the device's own events and
// the standard event references found among the standard events.
const TIdentity Identities[] = {
    {"Balluff-BCS_R08RRE-PIM80C-20150206-IODD1.1.xml", "888", "BALLUFF", "459267", "BCS R08RRE", prPR11, "COM2",
     5000, 7, 16, 1, 3},
    {"Balluff-BNI_IOL-727-S51-P012-20220211-IODD1.1.xml", "888", "Balluff", "328205", "BNI IOL-727-S51-P012", prPR11,
     "COM3", 3000, 41, 17, 1, 22},
    {"STEGO-SmartSensor-CSS014-08-20190726-IODD1.1.xml", "1222", "STEGO Elektrotechnik GmbH", "18", "CSS 014", prPR11,
     "COM2", 10000, 38, 17, 2, 16},
    {"ifm-0002DD-20230324-IODD1.1.xml", "310", "ifm electronic gmbh", "733", "TV7105, TV7405", prPR11, "COM2", 3200,
     21, 16, 1, 7},
};

const TIdentity* FindIdentity(const QString& Name)
{
    for (const TIdentity& Id : Identities)
        if (Name == QLatin1String(Id.File))
            return &Id;
    return nullptr;
}

} // namespace

TEST(IODDSharedData, EveryDescriptionDecodesInFullModeWithItsIdentity)
{
    const QString Shared = testpaths::SharedData();
    if (Shared.isEmpty() || !QDir(Shared + QStringLiteral("/iodd")).exists())
        GTEST_SKIP() << "no published device descriptions beside the project";
    const QDir Dir(Shared + QStringLiteral("/iodd"));
    int Checked = 0;
    for (const QString& Name : Dir.entryList({QStringLiteral("*.xml")}, QDir::Files, QDir::Name)) {
        if (Name.startsWith(QLatin1String("IODD-StandardDefinitions")))
            continue;
        SCOPED_TRACE(Name.toStdString());
        TIODD IODD;
        IODD.SetStandardDef_Path(Dir.path() + u'/');
        ASSERT_NO_THROW(IODD.Decode_IODD(Dir.filePath(Name), false));
        EXPECT_FALSE(IODD.SD_EventCollection->Event_List.empty()) << "standard definitions read";
        const TIdentity* Expected = FindIdentity(Name);
        if (!Expected)
            continue;
        ++Checked;
        const TDeviceIdentity& Id = *IODD.ProfileBody->DeviceIdentity;
        const TDeviceFunction& F = *IODD.ProfileBody->DeviceFunction;
        EXPECT_EQ(Id.VendorId(), QLatin1String(Expected->VendorId));
        EXPECT_EQ(Id.VendorName(), QLatin1String(Expected->VendorName));
        EXPECT_EQ(Id.DeviceId(), QLatin1String(Expected->DeviceId));
        EXPECT_EQ(IODD.GetDesc_ExtTextCol(false, Id.DeviceName()), QLatin1String(Expected->DeviceName));
        EXPECT_EQ(IODD.ProfileHeader->ProfileRevision(), Expected->Revision);
        EXPECT_EQ(IODD.PhysicalLayer->BitRate(), QLatin1String(Expected->BitRate));
        EXPECT_EQ(IODD.PhysicalLayer->Get_MinCycleTime(), Expected->MinCycleTime);
        EXPECT_EQ(F.VariableCollection->Var_List.size(), Expected->Variables);
        EXPECT_EQ(F.VariableCollection->StdVar_List.size(), Expected->StdVariableRefs);
        EXPECT_EQ(F.ProcessDataCollection->ProcessData_List.size(), Expected->ProcessData);
        EXPECT_EQ(F.EventCollection->Event_List.size() + F.EventCollection->StdEventRef_List.size(), Expected->Events);

        // the simple mode finds the same identity
        TIODD Simple;
        ASSERT_NO_THROW(Simple.Decode_IODD(Dir.filePath(Name), true));
        EXPECT_EQ(Simple.ProfileBody->DeviceIdentity->DeviceId(), QLatin1String(Expected->DeviceId));
        EXPECT_EQ(Simple.GetDesc_ExtTextCol(false, Simple.ProfileBody->DeviceIdentity->DeviceName()),
                  QLatin1String(Expected->DeviceName));
    }
    EXPECT_EQ(Checked, static_cast<int>(std::size(Identities)));
}
