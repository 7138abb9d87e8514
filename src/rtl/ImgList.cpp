// Image lists.
#include "rtl/ImgList.h"

#include <QPainter>

TImageList::TImageList(TComponent* AOwner) : TComponent(AOwner) {}

TImageList::TImageList(TComponent* AOwner, Integer AWidth, Integer AHeight)
    : TComponent(AOwner), FWidth(std::max(1, AWidth)), FHeight(std::max(1, AHeight))
{
}

TImageList::~TImageList() = default;

void TImageList::Changed()
{
    if (OnChange)
        OnChange(this);
}

void TImageList::SetWidth(Integer Value)
{
    Value = std::max(1, Value);
    if (Value == FWidth)
        return;
    FWidth = Value;
    Clear();
}

void TImageList::SetHeight(Integer Value)
{
    Value = std::max(1, Value);
    if (Value == FHeight)
        return;
    FHeight = Value;
    Clear();
}

void TImageList::CheckIndex(Integer Index) const
{
    if (Index < 0 || Index >= Count())
        throw EInvalidOperation(QStringLiteral("Invalid ImageList Index"));
}

Integer TImageList::Add(TBitmap* Image, TBitmap* Mask)
{
    if (!Image || Image->Empty())
        return -1;
    QImage Pixels = Image->ToImage().convertToFormat(QImage::Format_ARGB32);
    if (Mask && !Mask->Empty()) {
        const QImage M = Mask->ToImage();
        for (int Y = 0; Y < Pixels.height() && Y < M.height(); ++Y) {
            auto* Line = reinterpret_cast<QRgb*>(Pixels.scanLine(Y));
            for (int X = 0; X < Pixels.width() && X < M.width(); ++X)
                if ((M.pixel(X, Y) & 0xFFFFFF) == 0xFFFFFF)
                    Line[X] = 0;
        }
    }
    const Integer First = Count();
    const int Pieces = std::max(1, Pixels.width() / FWidth);
    for (int I = 0; I < Pieces; ++I) {
        QImage Piece(FWidth, FHeight, QImage::Format_ARGB32);
        Piece.fill(Qt::transparent);
        QPainter P(&Piece);
        P.setCompositionMode(QPainter::CompositionMode_Source);
        P.drawImage(QPoint(0, 0), Pixels, QRect(I * FWidth, 0, FWidth, FHeight));
        P.end();
        FImages.push_back(Piece);
    }
    Changed();
    return First;
}

Integer TImageList::AddMasked(TBitmap* Image, TColor MaskColor)
{
    if (!Image || Image->Empty())
        return -1;
    TBitmap Keyed;
    Keyed.Assign(Image);
    if (MaskColor == clNone) {
        Keyed.SetTransparent(false);
    } else {
        Keyed.SetTransparentColor(MaskColor == clDefault ? Image->TransparentColor() : MaskColor);
        Keyed.SetTransparent(true);
    }
    // The keyed-out pixels become the mask.
    const QImage Masked = Keyed.MaskedImage();
    TBitmap Mask(Masked.width(), Masked.height());
    QImage& M = Mask.Image();
    for (int Y = 0; Y < Masked.height(); ++Y)
        for (int X = 0; X < Masked.width(); ++X)
            M.setPixel(X, Y, qAlpha(Masked.pixel(X, Y)) == 0 ? 0xFFFFFFFF : 0xFF000000);
    return Add(Image, &Mask);
}

void TImageList::Delete(Integer Index)
{
    CheckIndex(Index);
    FImages.erase(FImages.begin() + Index);
    Changed();
}

void TImageList::Clear()
{
    if (FImages.empty())
        return;
    FImages.clear();
    Changed();
}

void TImageList::Draw(TCanvas* Canvas, Integer X, Integer Y, Integer Index, bool Enabled)
{
    if (!Canvas || Index < 0 || Index >= Count())
        return;
    QPainter* P = Canvas->Painter();
    if (!P)
        return;
    const QImage& Img = FImages[size_t(Index)];
    P->save();
    P->setCompositionMode(QPainter::CompositionMode_SourceOver);
    P->drawImage(QPoint(X, Y), Enabled ? Img : GrayedImage(Img));
    P->restore();
}

bool TImageList::GetBitmap(Integer Index, TBitmap* Image)
{
    if (!Image || Index < 0 || Index >= Count())
        return false;
    Image->SetSize(FWidth, FHeight);
    Draw(Image->Canvas(), 0, 0, Index, true);
    Image->Canvas()->Release();
    return true;
}
