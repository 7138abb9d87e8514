// The update job file "Ethernet_Update.xml" for each choice.
#include "iolink/UBoot.h"
#include "shell/ShellState.h"

#include <QDir>
#include <QFile>

namespace {

class BootJobTest : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        Path_Project = Dir.path() + QStringLiteral("/PROJECTS/Alpha");
    }
};

std::vector<std::pair<String, String>> Children(const xml::TXMLNode& Node)
{
    std::vector<std::pair<String, String>> List;
    for (int I = 0; I < Node.ChildCount(); ++I)
        List.emplace_back(Node.Child(I).NodeName(), Node.Child(I).Text());
    return List;
}

// What distinguishes the operations.
struct Operation {
    String File;
    const char* Start;
    const char* Bank;
    const char* Css;
    const char* GoToApp_After;
};

} // namespace

TEST_F(BootJobTest, EachChoiceWritesItsOperationsInOrder)
{
    const String Master = Path_Master;
    const String Bin = Path_Project + QStringLiteral("/bin/");
    const Operation Firmware{Master + QStringLiteral("/Sim52303.sim"), "0x8000", "1", "1", "0"};
    const Operation WebPages{Master + QStringLiteral("/web_files_io_link.bin"), "0xC0000", "1", "0", "0"};
    Operation WebPagesLast = WebPages;
    WebPagesLast.GoToApp_After = "1";
    const Operation Bank1{Bin + QStringLiteral("bank1.bin"), "0x07000", "2", "0", "0"};
    const Operation Bank2{Bin + QStringLiteral("bank2.bin"), "0x80000", "2", "0", "1"};
    struct Case {
        Integer Choice;
        bool Read_Back;
        std::vector<Operation> Operations;
    };
    const Case Cases[] = {
        {Update_Firmware_Configuration, true, {Firmware, WebPages, Bank1, Bank2}},
        {Update_Firmware, true, {Firmware, WebPagesLast}},
        {Update_Configuration, false, {Bank1, Bank2}},
        {Update_Firmware_Configuration, false, {Firmware, WebPages, Bank1, Bank2}},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Choice);
        SCOPED_TRACE(C.Read_Back);
        Write_Update_Job(QStringLiteral("192.168.0.5"), C.Choice, C.Read_Back);
        QFile File(Update_Job_File());
        ASSERT_TRUE(File.open(QIODevice::ReadOnly));
        EXPECT_TRUE(File.readAll().startsWith("<Ethernet_Update>"));
        EXPECT_EQ(Dir.path() + QStringLiteral("/Ethernet_Update.xml"), Update_Job_File());

        xml::TXMLDocument Doc;
        Doc.LoadFromFile(Update_Job_File());
        ASSERT_EQ(1, Doc.Node().ChildCount());
        const xml::TXMLNode Root = Doc.DocumentElement();
        EXPECT_EQ(QStringLiteral("Ethernet_Update"), Root.NodeName());
        const std::vector<std::pair<String, String>> Head = {
            {"Version", "1000"},
            {"Title", "Tarnix - QP11211 Ethernet Update"},
            {"IP_Address_Dev", "192.168.0.5"},
            {"Application_Port", "10000"},
            {"Boot_Port", "2008"},
            {"Boot_Port_Sec", "2007"},
            {"Address_Protection", "0x07800"},
            {"Protections", ""},
            {"Operations", ""},
        };
        EXPECT_EQ(Head, Children(Root));
        EXPECT_EQ((std::vector<std::pair<String, String>>{{"Protection", "0x301"}}),
                  Children(Root.FindChild("Protections")));

        const xml::TXMLNode Ops = Root.FindChild("Operations");
        ASSERT_EQ(int(C.Operations.size()), Ops.ChildCount());
        for (int I = 0; I < Ops.ChildCount(); ++I) {
            SCOPED_TRACE(I);
            const Operation& O = C.Operations[std::size_t(I)];
            EXPECT_EQ(QStringLiteral("Operation"), Ops.Child(I).NodeName());
            const std::vector<std::pair<String, String>> Expected = {
                {"Ope_Protection_Enabled", ""},
                {"Ope_GoToBoot_Before", "0"},
                {"Ope_GoToApp_Before", "0"},
                {"Ope_IP_Address", ""},
                {"Ope_Port", "2008"},
                {"Ope_Port_Sec", "2007"},
                {"Ope_Erase_Memory", "0"},
                {"Ope_FileName", O.File},
                {"Ope_Start_Address", O.Start},
                {"Ope_Memory_Type", "0"},
                {"Ope_Bank_Type", O.Bank},
                {"Ope_Read_Back", C.Read_Back ? "1" : "0"},
                {"Ope_Write_CSS", O.Css},
                {"Ope_Address_CSS", "0x07A00"},
                {"Ope_Command_CSS", "0x02"},
                {"Ope_Write_Internal_Data", "0"},
                {"Ope_WID_Address", "0x07810"},
                {"Ope_WID_Command", "0x02"},
                {"Ope_WID_Data", "0x00, 0x00, 0x00, 0x01"},
                {"Ope_GoToApp_After", O.GoToApp_After},
            };
            EXPECT_EQ(Expected, Children(Ops.Child(I)));
            // Empty values are elements without any child.
            EXPECT_EQ(0, Ops.Child(I).FindChild("Ope_IP_Address").ChildCount());
        }
    }
}

// The job names the address the echo went to: the dotted decimal one the
// check read, without blanks or leading zeros; an address that is no
// device's, or a folder that cannot take the job, raises.
TEST_F(BootJobTest, NormalisedAddressAndUnwritableFolderRaises)
{
    const std::pair<const char*, const char*> Addresses[] = {
        {" 10.0.0.1 ", "10.0.0.1"}, {"010. 020 .000.1", "10.20.0.1"}, {"192.168.2.255", "192.168.2.255"}};
    for (const auto& [Typed, Written] : Addresses) {
        Write_Update_Job(QString::fromLatin1(Typed), Update_Configuration, true);
        xml::TXMLDocument Doc;
        Doc.LoadFromFile(Update_Job_File());
        EXPECT_EQ(QString::fromLatin1(Written), Doc.DocumentElement().FindChild("IP_Address_Dev").Text()) << Typed;
    }
    QFile::remove(Update_Job_File());
    for (const char* Refused : {"0.0.0.0", "255.255.255.255", "000.0.00.0", "10.0.0", "10.0.0.256"})
        EXPECT_THROW(Write_Update_Job(QString::fromLatin1(Refused), Update_Configuration, true), EConvertError)
            << Refused;
    EXPECT_FALSE(QFile::exists(Update_Job_File()));

    Set_Program_Folders(Dir.path() + QStringLiteral("/missing"));
    EXPECT_THROW(Write_Update_Job(QStringLiteral("10.0.0.1"), Update_Configuration, true), Exception);
}

// The job names the images where Save_Bin puts them: an existing "BIN"
// folder and images in the letter case they are stored in.
TEST_F(BootJobTest, ImagesAreNamedWhereTheImageBuilderPutsThem)
{
    ASSERT_TRUE(QDir().mkpath(Path_Project + QStringLiteral("/BIN")));
    QFile Image(Path_Project + QStringLiteral("/BIN/Bank1.BIN"));
    ASSERT_TRUE(Image.open(QIODevice::WriteOnly));
    Image.close();
    xml::TXMLDocument Doc;
    Build_Update_Job(Doc, QStringLiteral("10.0.0.1"), Update_Configuration, true);
    const xml::TXMLNode Ops = Doc.DocumentElement().FindChild("Operations");
    ASSERT_EQ(2, Ops.ChildCount());
    EXPECT_EQ(Path_Project + QStringLiteral("/BIN/Bank1.BIN"), Ops.Child(0).FindChild("Ope_FileName").Text());
    EXPECT_EQ(Path_Project + QStringLiteral("/BIN/bank2.bin"), Ops.Child(1).FindChild("Ope_FileName").Text());
}
