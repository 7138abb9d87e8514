// The colour picker in its four styles and two image pickers, one filled
// from an image list of the grid's own pictures, one from a folder of them.
#include "Gallery.h"
#include "controls/dropdown/ExColorPickerDropDown.h"
#include "controls/dropdown/ExImagePickerDropDown.h"
#include "grid/base/GridResources.h"
#include "rtl/ImgList.h"

namespace {

void AddColorPicker(TGallery& G, const QString& Name, const QString& Caption, TColorSelectionStyle Style,
                    TColor Initial)
{
    auto* P = G.Add<TExColorPickerDropDown>(Name, Caption);
    P->AddDefaultColors();
    P->SetColorValueText(cvtHTML);
    P->SetColorSelectionStyle(Style);
    P->SetSelectedColor(Initial);
}

// The grid's check box, radio button, node, leaf and filter pictures.
TImageList* GridPictures(TForm* Owner)
{
    Init_Grid_Resources();
    auto* Images = new TImageList(Owner, 16, 16);
    const char* Names[] = {"ESGCHK01", "ESGCHK02", "ESGRAD01", "ESGRAD02", "XPNODEO",
                           "XPNODEC",  "ESGLEAFOPEN", "ESGFILT", "metrocheckon", "metroradioon"};
    for (const char* Name : Names) {
        TBitmap Picture;
        Picture.LoadFromResourceName(QString::fromLatin1(Name));
        Images->AddMasked(&Picture, Picture.TransparentColor());
    }
    return Images;
}

} // namespace

void AddPickerExamples(TGallery& G)
{
    AddColorPicker(G, QStringLiteral("colour-list"), QStringLiteral("Colour, list"), csList, clRed);
    AddColorPicker(G, QStringLiteral("colour-discrete"), QStringLiteral("Colour, theme colours"), csDiscrete,
                   TColor(0xBD814F));
    AddColorPicker(G, QStringLiteral("colour-cube"), QStringLiteral("Colour, cube"), csColorCube, TColor(0xFF9933));
    AddColorPicker(G, QStringLiteral("colour-spectrum"), QStringLiteral("Colour, spectrum"), csSpectrum,
                   TColor(0x123456));
    auto* FromList = G.Add<TExImagePickerDropDown>(QStringLiteral("imagepicker"), QStringLiteral("Image, list"));
    FromList->SetImages(GridPictures(G.Form));
    FromList->SetColumns(5);
    FromList->AddImagesFromImageList();
    FromList->SetItemIndex(2);
    auto* FromFolder =
        G.Add<TExImagePickerDropDown>(QStringLiteral("imagepicker-folder"), QStringLiteral("Image, folder"));
    FromFolder->AddImagesFromFolder(QStringLiteral(CFG_GALLERY_PICTURES "/ESG*.png"), true);
    FromFolder->SetItemIndex(0);
}
