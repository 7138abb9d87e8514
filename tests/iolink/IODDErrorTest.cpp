// Files that are no device descriptions fail with a clear error, never a crash.
#include "IODDTestFiles.h"

#include "iolink/UIOLink_IODD_Decode.h"

#include <QDir>

#include <gtest/gtest.h>

using namespace iodd_test;

namespace {

// The message of the decode's error; empty when it succeeded.
QString DecodeError(const QString& File, bool Simple)
{
    TIODD IODD;
    IODD.SetStandardDef_Path(StaDefDir());
    try {
        IODD.Decode_IODD(File, Simple);
    } catch (const EIODDError& E) {
        return E.Message();
    }
    return QString();
}

} // namespace

TEST(IODDError, BrokenFilesGiveClearErrors)
{
    const QByteArray Device = ReadAll(FixtureFile(QStringLiteral("device.xml")));
    struct TCase {
        const char* Name;
        QByteArray Bytes;
        const char* Message;
    };
    const TCase Cases[] = {
        {"empty.xml", QByteArray(), ""},
        {"truncated.xml", Device.left(Device.size() / 2), ""},
        {"cut-in-tag.xml", Device.left(Device.indexOf("<Features") + 5), ""},
        {"malformed.xml", "<IODevice><ProfileBody></IODevice>", ""},
        {"text.xml", "vendorId=1\ndeviceId=2\n", ""},
        {"binary.xml", QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16), ""},
        {"other-root.xml", "<?xml version=\"1.0\"?><Catalog><IODevice/></Catalog>",
         "not an IO-Link device description (the root element is \"Catalog\""},
        {"standard-definitions.xml", ReadAll(StaDefDir() + QStringLiteral("IODD-StandardDefinitions1.1.xml")),
         "the root element is \"IODDStandardDefinitions\""},
    };
    TScratch Scratch;
    for (const TCase& C : Cases) {
        SCOPED_TRACE(C.Name);
        const QString File = Scratch.Write(QString::fromLatin1(C.Name), C.Bytes);
        for (const bool Simple : {false, true}) {
            const QString Message = DecodeError(File, Simple);
            EXPECT_TRUE(Message.contains(File)) << Message.toStdString();
            EXPECT_TRUE(Message.contains(QString::fromUtf8(C.Message))) << Message.toStdString();
        }
    }
}

TEST(IODDError, MissingFileOrFolderIsAnError)
{
    TScratch Scratch;
    for (const QString& File : {Scratch.Path() + QStringLiteral("/absent.xml"), Scratch.Path()}) {
        TIODD IODD;
        try {
            IODD.Decode_IODD(File, true);
            ADD_FAILURE() << "decode succeeded";
        } catch (const EIODDError& E) {
            EXPECT_TRUE(E.Message().contains(File)) << E.what();
            EXPECT_TRUE(E.Message().contains(QStringLiteral("does not exist"))) << E.what();
        }
        EXPECT_TRUE(IODD.IODD_FileName().isEmpty());
    }
}

TEST(IODDError, WhatWasReadBeforeTheFailureStays)
{
    TScratch Scratch;
    const QString File = Scratch.Variant(QStringLiteral("late-fault.xml"), "subindex=\"0\" value=\"1\"",
                                         "subindex=\"zero\" value=\"1\"");
    TIODD IODD;
    IODD.SetStandardDef_Path(StaDefDir());
    EXPECT_THROW(IODD.Decode_IODD(File, false), EIODDError);
    const TDeviceFunction& F = *IODD.ProfileBody->DeviceFunction;
    EXPECT_EQ(IODD.DocumentInfo->Version(), QStringLiteral("V2.4"));
    EXPECT_EQ(F.VariableCollection->Var_List.size(), 4u);
    EXPECT_EQ(F.ProcessDataCollection->ProcessData_List.size(), 1u);
    EXPECT_TRUE(F.EventCollection->Event_List.empty());
    EXPECT_EQ(IODD.SD_EventCollection->Event_List.size(), 2u);
}

// Inputs that once broke the decoder: each decodes or fails cleanly.
TEST(IODDError, RegressionInputs)
{
    const QDir Dir(FixtureFile(QStringLiteral("regress")));
    const QStringList Files = Dir.entryList(QDir::Files, QDir::Name);
    ASSERT_GT(Files.size(), 1);
    for (const QString& Name : Files) {
        if (Name == u"README")
            continue;
        SCOPED_TRACE(Name.toStdString());
        for (const bool Simple : {false, true}) {
            QString Message;
            EXPECT_NO_THROW(Message = DecodeError(Dir.filePath(Name), Simple));
            if (!Message.isEmpty()) {
                EXPECT_TRUE(Message.contains(Dir.filePath(Name))) << Message.toStdString();
            }
        }
    }
}

TEST(IODDError, DeepNestingIsNoProblem)
{
    TScratch Scratch;
    const int Depth = 100000;
    const QByteArray Bytes = "<IODevice><ProfileBody><DeviceIdentity vendorId=\"1\">" + QByteArray("<a>").repeated(Depth)
                             + QByteArray("</a>").repeated(Depth) + "</DeviceIdentity></ProfileBody></IODevice>";
    const QString File = Scratch.Write(QStringLiteral("deep.xml"), Bytes);
    for (const bool Simple : {false, true}) {
        TIODD IODD;
        IODD.SetStandardDef_Path(StaDefDir());
        IODD.Decode_IODD(File, Simple);
        EXPECT_EQ(IODD.ProfileBody->DeviceIdentity->VendorId(), QStringLiteral("1"));
    }
}
