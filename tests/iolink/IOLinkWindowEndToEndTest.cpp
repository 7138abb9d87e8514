// The user's road through the main window: a new configuration, its device
// variant, a description on port 3 with one variable set, and the update
// writing the device images for the simulated gateway.
#include "iolink/BootTestSupport.h"
#include "iolink/IOLinkWindowTestSupport.h"
#include "iolink/UBoot.h"
#include "shell/MainWindowFixture.h"
#include "shell/UNew_Project.h"
#include "shell/UParGen.h"

#include <QtEndian>

using namespace iolinkwindow_test;
using F = TFIO_Link_Set_Access;

namespace {

// Image addresses count from here; the file holds the image from its start.
constexpr std::uint32_t Bank2_Base = 0x80000;
constexpr qsizetype Channel_Header_Size = 56;

std::uint32_t U32(const QByteArray& Bytes, qsizetype At)
{
    return qFromLittleEndian<std::uint32_t>(Bytes.constData() + At);
}
std::uint16_t U16(const QByteArray& Bytes, qsizetype At)
{
    return qFromLittleEndian<std::uint16_t>(Bytes.constData() + At);
}

class IOLinkEndToEndTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        // The program folder's standard definitions and catalog.
        ASSERT_TRUE(ForceDirectories(Dir.path() + QStringLiteral("/IOLink_StaDef")));
        ASSERT_TRUE(ForceDirectories(Dir.path() + QStringLiteral("/IODD_Catalog")));
        ASSERT_TRUE(QFile::copy(testpaths::Fixture(QStringLiteral("iolink/stadef/IODD-StandardDefinitions1.1.xml")),
                                Dir.path() + QStringLiteral("/IOLink_StaDef/IODD-StandardDefinitions1.1.xml")));
        ASSERT_TRUE(QFile::copy(setaccess_test::CatalogFile(setaccess_test::ValveFile),
                                Dir.path() + QStringLiteral("/IODD_Catalog/") + setaccess_test::ValveFile));
        // The updater: keeps the job it was started with.
        const String Updater = Dir.path() + QStringLiteral("/Ethernet_Update.exe");
        WriteFile(Updater, "#!/bin/sh\ncp \"$(dirname \"$0\")/Ethernet_Update.xml\" \"$(dirname \"$0\")/job-seen.xml\"\n");
        QFile(Updater).setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    void TearDown() override
    {
        MainWindowTest::TearDown();
        Last_Update_Option = 0;
        Last_Read_Back = true;
    }
    static void Press(TLbButton* Step)
    {
        QTest::mouseClick(Step->Handle(), Qt::LeftButton, {}, QPoint(20, 18));
    }
    static QByteArray Read(const String& File)
    {
        QFile F(File);
        return F.open(QIODevice::ReadOnly) ? F.readAll() : QByteArray();
    }
    // The variables page's row of the whole variable Index.
    static Integer Var_Row(TExStringGrid* Grid, const String& Index)
    {
        for (Integer R = 1; R < Grid->RowCount(); ++R)
            if (Grid->Cells(1, R) == Index && Grid->Cells(2, R).isEmpty())
                return R;
        return -1;
    }
};

} // namespace

TEST_F(IOLinkEndToEndTest, NewConfigurationToTheDeviceImages)
{
    Start();
    Main->Show();

    OnModal(FNew_Project, [] {
        FNew_Project->E_New_Proj->SetText(QStringLiteral("Alpha"));
        FNew_Project->Btn_OK->Click();
    });
    Press(Main->Btn_New);
    ASSERT_EQ(Projects(QStringLiteral("Alpha")), Path_Project);

    OnModal(FParGen, [] {
        TComboBox* Variants = FParGen->CB_IOLink_SelectDevice;
        Variants->SetItemIndex(Variants->Items()->IndexOf(Get_Model_Code() + QStringLiteral("-A1-2A-2B")));
        FParGen->Btn_OK->Click();
    });
    Press(Main->Btn_Prm_Gen);
    ASSERT_TRUE(FileExists(File_ParGen));

    TFIO_Link_Set_Access* W = FIO_Link_Set_Access;
    bool Closed_With_OK = false;
    OnModal(W, [this, W, &Closed_With_OK] {
        TExColumnGrid* Ports = W->ECG_IODD;
        ASSERT_EQ(5, Ports->RowCount());
        ChooseInCatalog(setaccess_test::ValveFile);
        ClickCell(Ports, F::colVendor, 3, true);
        ASSERT_EQ(setaccess_test::ValveFile, Ports->Cells(F::colFileName, 3));

        OpenEditor(Ports, F::colPin4Mode, 3);
        ASSERT_TRUE(Ports->EditorMode());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        QApplication::processEvents();
        ASSERT_EQ("IO-Link", W->Core.Channels[2]->Pin4Mode);

        W->PageControl1->SetActivePage(W->TS_Variables);
        QApplication::processEvents();
        const Integer Row = Var_Row(W->ESG_Var, QStringLiteral("64"));
        ASSERT_GT(Row, 0);
        ClickCell(W->ESG_Var, 0, Row);
        TypeInto(W->ESG_Var, 12, Row, QStringLiteral("5"));
        const TVarObjValue& Entry = *W->Core.Channels[2]->Var_List.front();
        ASSERT_EQ("64", Entry.Index);
        ASSERT_TRUE(Entry.Enable);
        ASSERT_EQ("5", Entry.Value);

        W->Btn_OK->Click();
        Closed_With_OK = W->ModalResult() == mrOk;
    });
    Press(Main->Btn_IOLink_Set_Access);
    EXPECT_TRUE(Closed_With_OK);
    EXPECT_TRUE(Dialogs->Boxes.empty()) << (Dialogs->Boxes.empty() ? "" : Dialogs->Boxes[0].Text.toStdString());
    ASSERT_TRUE(FileExists(File_IOLink_SetAccess));

    TSimulatedNetwork Net;
    Net.Gateway.Answers = [](int) { return true; };
    OnModal(FBoot, [] {
        FBoot->E_IP1->SetText(QStringLiteral("127"));
        FBoot->E_IP2->SetText(QStringLiteral("0"));
        FBoot->E_IP3->SetText(QStringLiteral("0"));
        FBoot->E_IP4->SetText(QStringLiteral("1"));
        FBoot->CB_Update_Options->SetItemIndex(Update_Configuration);
        FBoot->Btn_Update->Click();
    });
    Press(Main->Btn_CreateBin);
    EXPECT_TRUE(Dialogs->Boxes.empty()) << (Dialogs->Boxes.empty() ? "" : Dialogs->Boxes[0].Text.toStdString());

    // One channel header, port 3's, then its parameter list: variable 64
    // (no sub-index) holding 5.
    const QByteArray Bank2 = Read(Path_Project + QStringLiteral("/bin/bank2.bin"));
    ASSERT_GE(Bank2.size(), Channel_Header_Size);
    EXPECT_EQ(3u, U32(Bank2, 32));
    EXPECT_EQ(1, Bank2[1]);
    const std::uint32_t Params = U32(Bank2, 20);
    EXPECT_EQ(Bank2_Base + Channel_Header_Size, Params);
    const qsizetype At = qsizetype(Params - Bank2_Base);
    ASSERT_GE(Bank2.size(), At + 8);
    EXPECT_EQ(64, U16(Bank2, At));
    EXPECT_EQ(0, Bank2[At + 2]);
    EXPECT_EQ(5u, U32(Bank2, At + 4));

    // The updater was started with a job naming both images.
    const QByteArray Job = Read(Dir.path() + QStringLiteral("/job-seen.xml"));
    ASSERT_FALSE(Job.isEmpty());
    EXPECT_TRUE(Job.contains((Path_Project + QStringLiteral("/bin/bank1.bin")).toUtf8())) << Job.toStdString();
    EXPECT_TRUE(Job.contains((Path_Project + QStringLiteral("/bin/bank2.bin")).toUtf8())) << Job.toStdString();
}
