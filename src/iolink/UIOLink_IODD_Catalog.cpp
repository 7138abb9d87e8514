#include "iolink/UIOLink_IODD_Catalog.h"

#include "iolink/UIOLink_IODD_Decode.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"

#include <algorithm>
#include <vector>

TFIOLink_IODD_Catalog* FIOLink_IODD_Catalog = nullptr;

namespace {

constexpr Integer Client_Width = 800, Client_Height = 400;
constexpr Integer Col_Count = 3;
constexpr Integer Col_Widths[Col_Count] = {100, 100, 570};
const String Catalog_Mask = QStringLiteral("*.xml");

// The catalog folders that are set: the shipped one, then the user's.
QStringList Catalog_Folders()
{
    QStringList Folders = IODD_Catalog_Folders();
    Folders.removeAll(String());
    return Folders;
}

// Where Add copies to: the user's folder, since the shipped one may be read-only.
String Add_Folder() { return Path_User_IODD_Catalog.isEmpty() ? Path_IODD_Catalog : Path_User_IODD_Catalog; }

struct TCatalog_File {
    String Name;
    String Path;
};

// The description files of every catalog folder in name order ignoring
// case; a name found in an earlier folder hides the same name in a later one.
std::vector<TCatalog_File> Catalog_Files()
{
    std::vector<TCatalog_File> Files;
    QStringList Names;
    for (const String& Folder : Catalog_Folders())
        for (const String& Name : FindFiles(Folder, Catalog_Mask, 0))
            if (!Names.contains(Name, Qt::CaseInsensitive)) {
                Names.append(Name);
                Files.push_back({Name, Folder + PathDelim + Name});
            }
    std::stable_sort(Files.begin(), Files.end(), [](const TCatalog_File& A, const TCatalog_File& B) {
        return A.Name.compare(B.Name, Qt::CaseInsensitive) < 0;
    });
    return Files;
}

struct TCatalog_Entry {
    String Vendor;
    String Device;
};

// Vendor and device name of a description; both empty when the file cannot
// be decoded, so one bad file does not hide the others.
TCatalog_Entry Read_Entry(const String& FileName)
{
    TIODD IODD;
    IODD.SetStandardDef_Path(Path_IOLink_StaDef);
    try {
        IODD.Decode_IODD(FileName, true);
    } catch (const Exception&) {
        return {};
    }
    const TDeviceIdentity& Id = *IODD.ProfileBody->DeviceIdentity;
    return {IODD.GetDesc_ExtTextCol(false, Id.VendorName()), IODD.GetDesc_ExtTextCol(false, Id.DeviceName())};
}

} // namespace

TFIOLink_IODD_Catalog::TFIOLink_IODD_Catalog(TComponent* AOwner) : TShellForm(AOwner, Lang_First)
{
    Add_Button_Panel();
    Btn_OK->OnClick = [this](TObject* Sender) { Btn_OKClick(Sender); };

    Btn_Add_IODD = new TLbButton(this);
    Btn_Add_IODD->SetParent(P_Button);
    Shell_Button_Look(Btn_Add_IODD);
    Shell_Button_Glyph(Btn_Add_IODD, "STEP_FILE");
    Btn_Add_IODD->SetBounds(8, 6, 110, 28);
    Btn_Add_IODD->OnClick = [this](TObject* Sender) { Btn_Add_IODDClick(Sender); };

    ESG_IODD_Cat = new TExStringGrid(this);
    ESG_IODD_Cat->SetParent(this);
    ESG_IODD_Cat->SetAlign(alClient);
    ESG_IODD_Cat->SetColCount(Col_Count);
    ESG_IODD_Cat->SetRowCount(2);
    ESG_IODD_Cat->SetFixedCols(0);
    ESG_IODD_Cat->SetFixedRows(1);
    for (Integer C = 0; C < Col_Count; ++C)
        ESG_IODD_Cat->SetColWidths(C, Col_Widths[C]);
    ESG_IODD_Cat->SetOptions(ESG_IODD_Cat->Options() + TGridOptions{goRowSelect, goColSizing});
    ESG_IODD_Cat->SetScrollBars(ssBoth);
    ESG_IODD_Cat->SetHoverRow(true);
    ESG_IODD_Cat->OnDblClickCell = [this](TObject* Sender, Integer ARow, Integer ACol) {
        ESG_IODD_CatDblClickCell(Sender, ARow, ACol);
    };

    OD_IODD = new TOpenDialog(this);
    OD_IODD->SetFilter(QStringLiteral("IODD File (*.xml)|*.xml"));

    OnShow = [this](TObject* Sender) { FormShow(Sender); };
}

void TFIOLink_IODD_Catalog::FormCreate(TObject* Sender)
{
    SetClientWidth(Client_Width);
    SetClientHeight(Client_Height);
    Place_Buttons();
    TShellForm::FormCreate(Sender);
}

void TFIOLink_IODD_Catalog::Set_Lang()
{
    TShellForm::Set_Lang();
    Btn_OK->SetCaption(Lang.Strings(1302));
    Btn_Cancel->SetCaption(Lang.Strings(1303));
    Btn_Add_IODD->SetCaption(Lang.Strings(1304));
    Btn_OK->SetHint(Lang.Strings(1305));
    Btn_Cancel->SetHint(Lang.Strings(1306));
    Btn_Add_IODD->SetHint(Lang.Strings(1307));
    Set_Headers();
}

void TFIOLink_IODD_Catalog::Set_Headers()
{
    for (Integer C = 0; C < Col_Count; ++C)
        ESG_IODD_Cat->SetCells(C, 0, Lang.Strings(1308 + C));
}

void TFIOLink_IODD_Catalog::FormShow(TObject*)
{
    // Down to the header and one row, so every showing starts on the first file.
    ESG_IODD_Cat->SetRowCount(2);
    Set_Headers();
    Read_Catalog();
}

void TFIOLink_IODD_Catalog::Read_Catalog()
{
    const std::vector<TCatalog_File> Files = Catalog_Files();
    const Integer Count = static_cast<Integer>(Files.size());
    // With no file the one empty row stays, cleared of an earlier listing.
    ESG_IODD_Cat->SetRowCount(1 + std::max<Integer>(1, Count));
    if (Count == 0)
        for (Integer C = 0; C < Col_Count; ++C)
            ESG_IODD_Cat->SetCells(C, 1, String());
    for (Integer I = 0; I < Count; ++I) {
        const TCatalog_Entry Entry = Read_Entry(Files[I].Path);
        ESG_IODD_Cat->SetCells(0, I + 1, Entry.Vendor);
        ESG_IODD_Cat->SetCells(1, I + 1, Entry.Device);
        ESG_IODD_Cat->SetCells(Col_FileName, I + 1, Files[I].Name);
    }
}

bool TFIOLink_IODD_Catalog::Has_Current_Row() const
{
    return ESG_IODD_Cat->Row() >= ESG_IODD_Cat->FixedRows();
}

void TFIOLink_IODD_Catalog::Btn_OKClick(TObject*)
{
    if (Has_Current_Row())
        SetModalResult(mrOk);
}

void TFIOLink_IODD_Catalog::ESG_IODD_CatDblClickCell(TObject* Sender, Integer ARow, Integer)
{
    // A double click on the header chooses nothing.
    if (ARow >= ESG_IODD_Cat->FixedRows())
        Btn_OKClick(Sender);
}

void TFIOLink_IODD_Catalog::Btn_Add_IODDClick(TObject*)
{
    if (OD_IODD->Execute())
        Add_File(OD_IODD->FileName());
    Read_Catalog();
}

void TFIOLink_IODD_Catalog::Add_File(const String& Source)
{
    const String Folder = Add_Folder();
    const String Name = ExtractFileName(Source);
    // Catalogs come from case-insensitive file systems: "Sensor.XML" replaces "sensor.xml".
    const String Existing = FindExistingName(Folder, Name);
    if (!Existing.isEmpty() && MessageDlg(Lang.Strings(1311), mtConfirmation, mbYesNoCancel, 0) != mrYes)
        return;
    try {
        CopyFileAtomically(Source, Folder + PathDelim + (Existing.isEmpty() ? Name : Existing), Folder);
    } catch (const Exception&) {
        MessageDlg(LangFormat(1312, {Name}), mtError, TMsgDlgButtons{mbOK}, 0);
    }
}

String TFIOLink_IODD_Catalog::Chosen_File() const
{
    return Has_Current_Row() ? ESG_IODD_Cat->Cells(Col_FileName, ESG_IODD_Cat->Row()) : String();
}
