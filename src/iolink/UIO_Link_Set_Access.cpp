// The ports of the device variant, inserting and deleting a port's
// description, and the change of process-data alternative.
#include "iolink/UIO_Link_Set_Access.h"

#include "iolink/UIO_Link_Set_Access_Internal.h"
#include "shell/UComon.h"

using namespace Qt::StringLiterals;

namespace {

struct TIOLinkVariant {
    Integer Ports;
    Integer ClassA;
    Integer ClassB;
};

// The ports of the variants in the order of ParGen_Device_Suffixes.
const TIOLinkVariant IOLink_Variants[] = {
    {4, 4, 0}, {2, 2, 0}, {4, 2, 2}, {2, 0, 2}, {4, 0, 4}, {8, 4, 4}, {8, 8, 0}, {6, 6, 0}, {6, 2, 4}, {6, 4, 2},
};
static_assert(std::size(IOLink_Variants) == std::size(ParGen_Device_Suffixes));

constexpr Integer IOLink_Default_Ports = 8;

// A description that cannot be copied into the configuration.
constexpr const char* SIOLinkCopyError = "Cannot copy \"%s\" to \"%s\": %s";
// A description with more than the image takes of a port.
constexpr const char* SIOLinkTooLarge = "\"%s\" does not fit a port: %s";

} // namespace

TIO_Link_Set_Access_Core::TIO_Link_Set_Access_Core()
{
    IOLink_Get_Device_List();
}

TIO_Link_Set_Access_Core::~TIO_Link_Set_Access_Core() = default;

void TIO_Link_Set_Access_Core::Message(TIOLink_MsgKind Kind, const String& Text) const
{
    if (OnMessage)
        OnMessage(Kind, Text);
}

Boolean TIO_Link_Set_Access_Core::Valid_Port(Integer index) const
{
    return index >= 0 && static_cast<std::size_t>(index) < Channels.size()
           && static_cast<std::size_t>(index) < IODD_List.size();
}

const TIODD* TIO_Link_Set_Access_Core::Description(Integer index) const
{
    if (index < 0 || static_cast<std::size_t>(index) >= IODD_List.size())
        return nullptr;
    return IODD_List[index].get();
}

String TIO_Link_Set_Access_Core::IODD_Folder()
{
    return Path_Project.isEmpty() ? String() : Path_Project + u"/IODD"_s;
}

// ------------------------------------------------------------------- ports

void TIO_Link_Set_Access_Core::IOLink_Get_Device_List()
{
    Devices.Clear();
    for (const char* Suffix : ParGen_Device_Suffixes)
        Devices.Add(Get_Model_Code() + QLatin1String(Suffix));
}

Integer TIO_Link_Set_Access_Core::Get_ParGen_SelectDevice()
{
    NChannelsA = IOLink_Default_Ports;
    NChannelsB = 0;
    FVariant_Error.clear();
    if (File_ParGen.isEmpty() || !FileExists(File_ParGen))
        return IOLink_Default_Ports;
    try {
        xml::TXMLDocument Doc;
        Doc.LoadFromFile(File_ParGen);
        const xml::TXMLNode Root = Doc.DocumentElement();
        const xml::TXMLNode Key = Root ? Root.FindChild(u"IOLink_SelectDevice"_s) : xml::TXMLNode();
        if (!Key)
            return IOLink_Default_Ports;
        const Integer Row = Device_Variant_Index(Key.Text());
        if (Row < 0) {
            FVariant_Error = Unknown_Device_Variant_Text(Key.Text());
            Message(imkWarning, FVariant_Error);
            return IOLink_Default_Ports;
        }
        NChannelsA = IOLink_Variants[Row].ClassA;
        NChannelsB = IOLink_Variants[Row].ClassB;
        return IOLink_Variants[Row].Ports;
    } catch (const Exception&) {
        return IOLink_Default_Ports;
    }
}

void TIO_Link_Set_Access_Core::Create_Channels()
{
    Num_Channels = Get_ParGen_SelectDevice();
    IODD_List.clear();
    IODD_List.resize(Num_Channels);
    Channels.clear();
    for (Integer Port = 1; Port <= Num_Channels; ++Port) {
        auto Channel = std::make_unique<TChannel_IOLink>();
        Channel->TypeA = Port > NChannelsB;   // the class B ports come first
        Channel->Pin4Mode = u"Disable"_s;
        Channels.push_back(std::move(Channel));
    }
    FLoad_Failed = false;
    FLoad_Error.clear();
}

// -------------------------------------------------------------- descriptions

std::unique_ptr<TIODD> TIO_Link_Set_Access_Core::Decode(const String& FileName)
{
    auto IODD = std::make_unique<TIODD>();
    IODD->SetStandardDef_Path(Path_IOLink_StaDef);
    IODD->Decode_IODD(FileName, false);
    return IODD;
}

void TIO_Link_Set_Access_Core::Erase_Port(Integer index)
{
    TChannel_IOLink& Ch = Channel(index);
    IODD_List[index].reset();
    Ch.Erase_Lists();
    Ch.Stored_Elements.reset();
}

Boolean TIO_Link_Set_Access_Core::Insert_IODD_File(Integer index, const String& FileName)
{
    if (!Valid_Port(index) || !FileExists(FileName))
        return false;
    // Decoded before the copy, so a file that cannot be read replaces
    // nothing, neither in the port nor in the "IODD" folder.
    std::unique_ptr<TIODD> IODD;
    try {
        IODD = Decode(FileName);
    } catch (const Exception& E) {
        Error(E.Message());
        return false;
    }
    if (const String TooLarge = Lists_Size_Error(IODD.get(), 0); !TooLarge.isEmpty()) {
        Error(Format(SIOLinkTooLarge, {FileName, TooLarge}));
        return false;
    }
    const String Name = ExtractFileName(FileName);
    const String Folder = IODD_Folder();
    const String Target = Folder + u'/' + Name;
    try {
        if (Folder.isEmpty() || !ForceDirectories(Folder))
            throw EFCreateError(Format("Cannot create the folder \"%s\"", {Folder}));
        // Only a complete copy replaces a description of the same name.
        CopyFileAtomically(FileName, Target, Path_Project);
    } catch (const Exception& E) {
        Error(Format(SIOLinkCopyError, {FileName, Target, E.Message()}));
        return false;
    }

    TChannel_IOLink& Ch = Channel(index);
    Erase_Port(index);
    IODD_List[index] = std::move(IODD);
    // The alternative belonged to the description replaced.
    Ch.ProcDataCondition = 0;
    Integer Num_In = 0;
    Integer Num_Out = 0;
    Find_First_Address_Data_Free(index, Num_In, Num_Out);
    Ch.IODD_File = Name;
    Create_List_Variables(index);
    Num_In = Create_List_ProcessDataIn(index, Num_In);
    Create_List_ProcessDataOut(index, Num_Out);
    // Both pins share the byte right after the process data in.
    Ch.Pin2_Pos = IntToStr(Num_In);
    Ch.Pin2_Bit = u"0"_s;
    Ch.Pin4_Pos = IntToStr(Num_In);
    Ch.Pin4_Bit = u"1"_s;
    Create_List_Event(index, iolink_sa::ClampPosition(Int64(Num_In) + 1));
    return true;
}

void TIO_Link_Set_Access_Core::Delete_IODD(Integer index)
{
    if (!Valid_Port(index))
        return;
    Erase_Port(index);
    Channel(index).IODD_File.clear();
}

Boolean TIO_Link_Set_Access_Core::Has_Alternative(Integer index, Integer Condition) const
{
    const TIODD* IODD = Description(index);
    return Condition == 0
           || (IODD && Condition > 0
               && std::size_t(Condition)
                      < IODD->ProfileBody->DeviceFunction->ProcessDataCollection->ProcessData_List.size());
}

Boolean TIO_Link_Set_Access_Core::Change_ProcessData_Condition(Integer index, Integer Condition)
{
    const TIODD* IODD = Description(index);
    if (!IODD || Condition < 0
        || std::size_t(Condition) >= IODD->ProfileBody->DeviceFunction->ProcessDataCollection->ProcessData_List.size())
        return false;
    if (const String TooLarge = Lists_Size_Error(IODD, Condition); !TooLarge.isEmpty()) {
        Error(Format(SIOLinkTooLarge, {Channel(index).IODD_File, TooLarge}));
        return false;
    }
    TChannel_IOLink& Ch = Channel(index);
    Ch.ProcDataCondition = Condition;
    Ch.ProcessData_Erase();
    // The new items start at byte 0; the user places them and the check
    // reports overlaps with earlier ports.
    Create_List_ProcessDataIn(index, 0);
    Create_List_ProcessDataOut(index, 0);
    return true;
}
