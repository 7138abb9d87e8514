// "bank1.bin": the general block, 2048 bytes, from "ParGen.xml".
#include "iolink/USaveBincc.h"

#include "iolink/BinWriter.h"
#include "iolink/USaveBincc_Fields.h"
#include "platform/XmlDoc.h"
#include "shell/UComon.h"

namespace {

// One key of "ParGen.xml": the text of the element of that name below the
// root, each read on its own.
class TBin_ParGen_Keys {
public:
    explicit TBin_ParGen_Keys(const xml::TXMLNode& Root) : FRoot(Root) {}

    std::optional<String> Text(const char* Key) const
    {
        if (FRoot.IsNull())
            return std::nullopt;
        const xml::TXMLNode Node = FRoot.FindChild(QLatin1String(Key));
        if (Node.IsNull())
            return std::nullopt;
        return Node.Text();
    }
    // Set only by exactly "1".
    bool Flag(const char* Key) const { return Text(Key) == QStringLiteral("1"); }
    // The text as an integer of the field's type T; Fallback when missing
    // or no integer. A number the field cannot hold raises ESaveBinError.
    template <class T>
    T Number(const char* Key, Int64 Fallback) const
    {
        const std::optional<String> S = Text(Key);
        if (!S)
            return T(Fallback);
        return savebin::Field<T>(*S, Fallback, savebin::TFieldSign::Unsigned,
                                 [Key] { return QStringLiteral("\"ParGen.xml\": %1").arg(QLatin1String(Key)); });
    }
    void Address(const char* const (&Keys)[4], const std::array<Int64, 4>& Fallbacks,
                 std::array<Byte, 4>& Into) const
    {
        for (int I = 0; I < 4; ++I)
            Into[I] = Number<Byte>(Keys[I], Fallbacks[I]);
    }

private:
    xml::TXMLNode FRoot;
};

constexpr Word Bin_EIP_Port = 44818;

} // namespace

void Read_General_Block(const String& FileName, TGeneral_Block& Block)
{
    xml::TXMLDocument Doc;
    Doc.LoadFromFile(FileName);
    // A declaration or comment before the root is skipped, as every reader
    // of the file does.
    const TBin_ParGen_Keys Keys(Doc.DocumentElement());

    Block.Version = QLatin1String(C_SW_Version);
    Block.Device_Name = Keys.Text("Eth_Conn_Device_Name").value_or(String()).left(31);
    Block.Eth_Conn_Flags = 0;
    if (Keys.Flag("Eth_Conn_DHCP_Cable"))
        Block.Eth_Conn_Flags |= 1;
    if (Keys.Flag("Eth_Conn_DHCP_WiFi"))
        Block.Eth_Conn_Flags |= 2;
    if (Keys.Flag("Eth_Conn_Enable_DNS")) {
        Keys.Address({"Eth_Conn_Primary_DNS1", "Eth_Conn_Primary_DNS2", "Eth_Conn_Primary_DNS3",
                      "Eth_Conn_Primary_DNS4"},
                     {8, 8, 8, 8}, Block.Primary_DNS);
        Keys.Address({"Eth_Conn_Secondary_DNS1", "Eth_Conn_Secondary_DNS2", "Eth_Conn_Secondary_DNS3",
                      "Eth_Conn_Secondary_DNS4"},
                     {8, 8, 4, 4}, Block.Secondary_DNS);
    }
    Keys.Address({"EtherNetIP_IP1", "EtherNetIP_IP2", "EtherNetIP_IP3", "EtherNetIP_IP4"}, {192, 168, 0, 5},
                 Block.IP_Address);
    Keys.Address({"EtherNetIP_SM1", "EtherNetIP_SM2", "EtherNetIP_SM3", "EtherNetIP_SM4"}, {255, 255, 255, 0},
                 Block.Subnet_Mask);
    // A gateway switched off is "none" whatever its keys hold.
    if (Keys.Flag("EtherNetIP_EN_GAT"))
        Keys.Address({"EtherNetIP_GAT1", "EtherNetIP_GAT2", "EtherNetIP_GAT3", "EtherNetIP_GAT4"},
                     {192, 168, 0, 1}, Block.Gateway);
    else
        Block.Gateway = {255, 255, 255, 255};
    Block.EIP_Port1 = Bin_EIP_Port;
    Block.EIP_Port2 = Bin_EIP_Port;
    Block.NB_Input = Keys.Number<Cardinal>("EtherNetIP_NB_Input", 496);
    Block.NB_Output = Keys.Number<Cardinal>("EtherNetIP_NB_Output", 496);
    // The fields hold 7 characters and their terminating zero.
    Block.WebServer_Username = Keys.Text("WebServer_Username").value_or(String()).left(7);
    Block.WebServer_Password = Keys.Text("WebServer_Password").value_or(String()).left(7);
}

QByteArray Bank1_Bytes(const TGeneral_Block& Block)
{
    TBinWriter W(Bank1_Size);
    const auto Address = [&W](qsizetype Offset, const std::array<Byte, 4>& A) {
        W.Seek(Offset);
        for (const Byte B : A)
            W.U8(B);
    };
    W.Seek(0x000).U32(250000).U32(250000).U32(0).U32(9600);
    Address(0x028, Block.IP_Address);
    Address(0x02C, Block.Subnet_Mask);
    Address(0x030, Block.Gateway);
    W.Seek(0x034).U16(10000).U16(Block.EIP_Port1).U16(Block.EIP_Port2);
    W.Seek(0x074).U32(Block.NB_Input).U32(Block.NB_Output);
    Address(0x1B4, {8, 8, 8, 8});
    Address(0x1B8, {8, 8, 8, 8});
    W.Seek(0x4E8).U16(Block.Eth_Conn_Flags);
    W.Seek(0x514).Chars(Block.Device_Name, 32);
    Address(0x53C, Block.Secondary_DNS);
    Address(0x58C, Block.Primary_DNS);
    W.Seek(0x5F4).U32(Block.IOLink_Channels).U32(Block.IOLink_Address);
    W.Seek(0x66C).Chars(Block.Version, 8);
    W.Seek(0x70C).U32(Block.WebPages_Address);
    W.Seek(0x724).Chars(Block.WebServer_Username, 8).Chars(Block.WebServer_Password, 8);
    W.Seek(Bank1_Size - 4).U32(BinByteSum(W.Bytes(), Bank1_Size - 4));
    return W.Bytes();
}
