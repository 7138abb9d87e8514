#pragma once
// Image lists: equally sized small pictures drawn by index.
#include "rtl/Graphics.h"

#include <vector>

// Images are Width x Height pixels each; an added bitmap wider than Width
// adds one image per Width columns. Each image keeps a mask: masked-out
// pixels are left out when it is drawn.
class TImageList : public TComponent {
public:
    explicit TImageList(TComponent* AOwner);
    TImageList(TComponent* AOwner, Integer AWidth, Integer AHeight);
    ~TImageList() override;

    Integer Width() const { return FWidth; }
    // Changing the size clears the list, as the platform's lists do.
    void SetWidth(Integer Value);
    Integer Height() const { return FHeight; }
    void SetHeight(Integer Value);
    Integer Count() const { return Integer(FImages.size()); }

    // Adds Image; the pixels where Mask (if given) is white are left out.
    // Returns the index of the first image added.
    Integer Add(TBitmap* Image, TBitmap* Mask);
    // Adds Image; its pixels of MaskColor are left out.
    Integer AddMasked(TBitmap* Image, TColor MaskColor);
    // Raises EInvalidOperation "Invalid ImageList Index" out of range.
    void Delete(Integer Index);
    void Clear();

    // Draws image Index at (X, Y); a disabled image is drawn in grey tones.
    // An index outside the list draws nothing.
    void Draw(TCanvas* Canvas, Integer X, Integer Y, Integer Index, bool Enabled = true);
    // Sizes Image to the list's images and draws image Index on it, so that
    // masked-out pixels keep Image's background; false when Index is out of
    // range.
    bool GetBitmap(Integer Index, TBitmap* Image);

    TNotifyEvent OnChange;

private:
    void CheckIndex(Integer Index) const;
    void Changed();

    Integer FWidth = 16;
    Integer FHeight = 16;
    // ARGB images; alpha 0 where masked out.
    std::vector<QImage> FImages;
};
