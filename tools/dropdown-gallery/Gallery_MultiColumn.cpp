// The multi-column drop-down of the gallery: a few dozen devices in four
// columns, one of them a status image and one word-wrapped.
#include "Gallery.h"
#include "controls/dropdown/ExMultiColumnDropDown.h"
#include "rtl/ImgList.h"

#include <array>

using namespace exmulticolumn;

namespace {

// Round status lamps: green, amber, red, grey.
TImageList* MakeStatusImages(TComponent* Owner)
{
    auto* Images = new TImageList(Owner, 14, 14);
    for (const TColor Lamp : {TColor(0x30A030), TColor(0x10A0F0), TColor(0x2020D0), TColor(0x909090)}) {
        TBitmap Picture(14, 14);
        TCanvas* C = Picture.Canvas();
        C->Brush()->SetColor(clWhite);
        C->FillRect(TRect(0, 0, 14, 14));
        C->Brush()->SetColor(Lamp);
        C->Pen()->SetColor(TColor(0x404040));
        C->Ellipse(1, 1, 13, 13);
        Images->Add(&Picture, nullptr);
    }
    return Images;
}

void AddColumn(TExMultiColumnDropDown* D, const char* Header, Integer Width, TColumnType Type = ctText)
{
    TDropDownColumn* C = D->Columns()->Add();
    C->SetHeader(QString::fromLatin1(Header));
    C->SetWidth(Width);
    C->SetColumnType(Type);
}

} // namespace

void AddMultiColumnExamples(TGallery& G)
{
    auto* D = G.Add<TExMultiColumnDropDown>(QStringLiteral("multicolumn"), QStringLiteral("Multi-column list"));
    D->SetImages(MakeStatusImages(G.Form));
    AddColumn(D, "Device", 130);
    AddColumn(D, "Port", 40);
    AddColumn(D, "State", 70, ctImage);
    AddColumn(D, "Description", 190);
    D->Columns()->Items(0)->SetEllipsis(true);
    D->Columns()->Items(1)->SetAlignment(taCenter);
    D->Columns()->Items(3)->SetWordwrap(true);
    const std::array<const char*, 4> States = {"Ready", "Warning", "Fault", "Off"};
    const std::array<const char*, 6> Kinds = {"Pressure sensor", "Temperature probe", "Valve island",
                                              "Proximity switch", "Flow meter", "Signal lamp"};
    const std::array<const char*, 3> Notes = {
        "Reports every 10 ms.", "Process data of 4 bytes in and 2 bytes out, with events enabled.",
        "Parameter set loaded from the description file; diagnosis on."};
    for (Integer I = 0; I < 36; ++I) {
        TDropDownItem* Item = D->Items()->Add();
        Item->Text()->Add(QStringLiteral("%1 %2").arg(QString::fromLatin1(Kinds[std::size_t(I % 6)])).arg(I / 6 + 1));
        Item->Text()->Add(QString::number(I % 8 + 1));
        Item->Text()->Add(QString::fromLatin1(States[std::size_t(I % 4)]));
        Item->Text()->Add(QString::fromLatin1(Notes[std::size_t(I % 3)]));
        Item->SetImageIndex(I % 4);
    }
    D->EndUpdate();
    D->SetDropDownHeight(280);
    D->SetItemIndex(2);
}
