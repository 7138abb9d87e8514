// The grid's support objects: integer and sort lists, hosted controls, file
// pictures, line lists, the arrow and focus windows and the alpha mask with
// its rounded rectangle and blur.
#include "grid/base/ExObj.h"

#include <QImage>

#include <algorithm>
#include <cmath>
#include <cstring>

// ---------------------------------------------------------------- TIntList

namespace {

void* IntListItem(Integer Value)
{
    return reinterpret_cast<void*>(static_cast<std::intptr_t>(Value));
}

} // namespace

void TIntList::Changed()
{
    if (OnChange)
        OnChange(this, FCol, FRow);
}

void TIntList::Add(Integer Value)
{
    TList::Add(IntListItem(Value));
    Changed();
}

void TIntList::Delete(Integer Index)
{
    TList::Delete(Index);
    Changed();
}

void TIntList::Insert(Integer Index, Integer Value)
{
    TList::Insert(Index, IntListItem(Value));
}

Integer TIntList::GetInteger(Integer Index) const
{
    return Integer(reinterpret_cast<std::intptr_t>(TList::Items(Index)));
}

void TIntList::SetInteger(Integer Index, Integer Value)
{
    TList::SetItems(Index, IntListItem(Value));
    Changed();
}

Integer TIntList::IndexOf(Integer Value) const
{
    for (Integer I = 0; I < Count(); ++I)
        if (GetInteger(I) == Value)
            return I;
    return -1;
}

void TIntList::DeleteValue(Integer Value)
{
    const Integer I = IndexOf(Value);
    if (I >= 0)
        Delete(I);
}

bool TIntList::HasValue(Integer Value) const
{
    return IndexOf(Value) >= 0;
}

String TIntList::GetStrValue() const
{
    QStringList Items;
    for (Integer I = 0; I < Count(); ++I)
        Items << IntToStr(GetInteger(I));
    return Items.join(u',');
}

void TIntList::SetStrValue(const String& Value)
{
    TStringList Items;
    Items.SetCommaText(Value);
    Clear();
    for (Integer I = 0; I < Items.Count(); ++I)
        Add(StrToInt(Items.Strings(I)));
}

// ---------------------------------------------------------------- TSortIndexList

namespace {

constexpr Integer SortDescendingBit = Integer(0x80000000u);
constexpr Integer SortColumnBits = 0x7FFFFFFF;

} // namespace

void TSortIndexList::AddIndex(Integer ColumnIndex, bool Ascending)
{
    Add(Ascending ? ColumnIndex : ColumnIndex | SortDescendingBit);
}

Integer TSortIndexList::FindIndex(Integer ColumnIndex) const
{
    for (Integer I = 0; I < Count(); ++I)
        if (GetSortColumns(I) == ColumnIndex)
            return I;
    return -1;
}

void TSortIndexList::ToggleIndex(Integer ColumnIndex)
{
    const Integer I = FindIndex(ColumnIndex);
    if (I >= 0)
        SetItems(I, Items(I) ^ SortDescendingBit);
}

Integer TSortIndexList::GetSortColumns(Integer i) const
{
    return Items(i) & SortColumnBits;
}

void TSortIndexList::SetSortColumns(Integer i, Integer Value)
{
    SetItems(i, (Items(i) & SortDescendingBit) | (Value & SortColumnBits));
}

bool TSortIndexList::SortDirections(Integer i) const
{
    return (Items(i) & SortDescendingBit) == 0;
}

void TSortIndexList::SetSortDirections(Integer i, bool Value)
{
    SetItems(i, Value ? Items(i) & SortColumnBits : Items(i) | SortDescendingBit);
}

String TSortIndexList::SaveToString() const
{
    // All 31 column bits: a column beyond 65535 must load back as itself.
    QStringList Entries;
    for (Integer I = 0; I < Count(); ++I)
        Entries << (SortDirections(I) ? u'u' : u'd') + IntToStr(GetSortColumns(I));
    return Entries.join(u';');
}

void TSortIndexList::LoadFromString(const String& s)
{
    Clear();
    for (const String& Item : s.split(u';')) {
        Integer Column = 0;
        if (Item.size() < 2 || !TryStrToInt(Item.mid(1), Column))
            continue;
        AddIndex(Column & SortColumnBits, Item.at(0) == u'u');
    }
}

// ---------------------------------------------------------------- TControlList

TControlList::~TControlList()
{
    while (Count() > 0)
        RemoveControl(Count() - 1);
}

void TControlList::AddControl(Integer X, Integer Y, TControl* AObject)
{
    Add(new TControlItem(X, Y, AObject));
}

TControlItem* TControlList::GetControl(Integer i) const
{
    return static_cast<TControlItem*>(Items(i));
}

Integer TControlList::ControlIndex(Integer X, Integer Y) const
{
    for (Integer I = 0; I < Count(); ++I)
        if (GetControl(I)->X() == X && GetControl(I)->Y() == Y)
            return I;
    return -1;
}

void TControlList::RemoveControl(Integer i)
{
    delete GetControl(i);
    Delete(i);
}

bool TControlList::HasHandle(HWND Handle) const
{
    for (Integer I = 0; I < Count(); ++I) {
        const auto* Win = dynamic_cast<const TWinControl*>(GetControl(I)->Control());
        if (Win && Win->Handle() == Handle)
            return true;
    }
    return false;
}

// ---------------------------------------------------------------- TFilePicture

void TFilePicture::Assign(TPersistent* Source)
{
    const auto* S = dynamic_cast<const TFilePicture*>(Source);
    if (!S) {
        TPersistent::Assign(Source);
        return;
    }
    FFilename = S->FFilename;
    FWidth = S->FWidth;
    FHeight = S->FHeight;
}

void TFilePicture::SetFilename(const String& Value)
{
    FFilename = Value;
    if (Value.isEmpty()) {
        FWidth = 0;
        FHeight = 0;
        return;
    }
    TPicture Picture;
    Picture.LoadFromFile(Value);
    FWidth = Picture.Width();
    FHeight = Picture.Height();
}

void TFilePicture::DrawPicture(TCanvas* Canvas, const TRect& r) const
{
    if (FFilename.isEmpty())
        return;
    // Painting goes on when the file has gone since its name was set.
    TPicture Picture;
    try {
        Picture.LoadFromFile(FFilename);
    } catch (const Exception&) {
        return;
    }
    Canvas->StretchDraw(r, Picture.Graphic());
}

// ---------------------------------------------------------------- TFileStringList

void TFileStringList::Reset()
{
    fp = 0;
    cache.clear();
}

void TFileStringList::ReadLn(String& s)
{
    s = Strings(fp);
    ++fp;
}

void TFileStringList::Write(const String& s)
{
    cache += s;
}

void TFileStringList::WriteLn(const String& s)
{
    Add(cache + s);
    cache.clear();
}

// ---------------------------------------------------------------- TArrowWindow

namespace {

std::vector<TPoint> ArrowOutline(TArrowDirection Dir)
{
    switch (Dir) {
    case arrUp:
        return {{5, 0}, {10, 5}, {7, 5}, {7, 9}, {3, 9}, {3, 5}, {0, 5}};
    case arrDown:
        return {{3, 0}, {7, 0}, {7, 4}, {9, 4}, {5, 8}, {1, 4}, {3, 4}};
    case arrLeft:
        return {{0, 3}, {0, 7}, {4, 7}, {4, 10}, {8, 5}, {4, 0}, {4, 3}};
    case arrRight:
        return {{0, 5}, {4, 10}, {4, 7}, {8, 7}, {8, 3}, {4, 3}, {4, 0}};
    }
    return {};
}

} // namespace

TArrowWindow::TArrowWindow(TWinControl* AOwner, TArrowDirection Direction)
    : TPanel(AOwner), FDir(Direction), FArrow(ArrowOutline(Direction))
{
    SetColor(clLime);
    SetVisible(false);
    SetPopupWindow(TPopupWindowStyle{});
    SetParent(AOwner);
    SetWindowRgn(Handle(), FArrow, true);
}

void TArrowWindow::Paint()
{
    TCanvas* C = Canvas();
    C->Brush()->SetColor(Color());
    C->Pen()->SetColor(Color());
    C->Rectangle(ClientRect());
}

// ---------------------------------------------------------------- TGridFocusWindow

TGridFocusWindow::TGridFocusWindow(TComponent* AOwner) : TCustomControl(AOwner)
{
    SetBounds(0, 0, 0, 0);
    SetColor(clRed);
    // The grid control shows it when a cell has the focus.
    SetVisible(false);
    SetPopupWindow(TPopupWindowStyle{true, true, true});
}

// ---------------------------------------------------------------- TGridAlphaMask

TGridAlphaMask::TGridAlphaMask()
{
    SetPixelFormat(pf32bit);
}

void TGridAlphaMask::MergeMask(TBitmap* Mask, TBitmap* Bitmap, TColor)
{
    if (Bitmap->PixelFormat() != pf24bit)
        return;
    SetSize(Bitmap->Width(), Bitmap->Height());
    const QImage& Source = Bitmap->Image();
    const QImage& Alpha = Mask->Image();
    QImage& Target = Image();
    for (int Y = 0; Y < Target.height(); ++Y) {
        const auto* From = reinterpret_cast<const QRgb*>(Source.constScanLine(Y));
        const auto* AlphaLine = Y < Alpha.height() ? reinterpret_cast<const QRgb*>(Alpha.constScanLine(Y)) : nullptr;
        auto* To = reinterpret_cast<QRgb*>(Target.scanLine(Y));
        for (int X = 0; X < Target.width(); ++X) {
            const int A = AlphaLine && X < Alpha.width() ? qRed(AlphaLine[X]) : 0;
            auto Mul = [A](int Channel) { return int(Round(Channel * A / 255.0)); };
            To[X] = qRgba(Mul(qRed(From[X])), Mul(qGreen(From[X])), Mul(qBlue(From[X])), A);
        }
    }
}

void TGridAlphaMask::Assign(TPersistent* Source)
{
    auto* S = dynamic_cast<TGridAlphaMask*>(Source);
    if (!S) {
        TBitmap::Assign(Source);
        SetPixelFormat(pf32bit);
        return;
    }
    FOpacity = S->FOpacity;
    const QImage& From = S->Image();
    QImage& To = Image();
    const int Rows = std::min(To.height(), From.height());
    const std::size_t Bytes = std::size_t(std::min(To.width(), From.width())) * 4;
    for (int Y = 0; Y < Rows; ++Y)
        std::memcpy(To.scanLine(Y), From.constScanLine(Y), Bytes);
}

// ---------------------------------------------------------------- rounded mask and blur

void CreateRoundRectMask(TBitmap* Bitmap, Integer Width, Integer Height, Integer PenWidth, Integer CornerSize,
                         Double BlurRadius)
{
    Bitmap->SetPixelFormat(pf24bit);
    Bitmap->SetSize(Width, Height);
    TCanvas* C = Bitmap->Canvas();
    C->Brush()->SetStyle(bsSolid);
    C->Brush()->SetColor(clBlack);
    C->FillRect(TRect(0, 0, Width, Height));
    const Integer Inset = 2 + PenWidth / 2;
    C->Pen()->SetColor(clWhite);
    C->Pen()->SetWidth(PenWidth >= 1 ? PenWidth : 1);
    C->Brush()->SetColor(PenWidth >= 1 ? clBlack : clWhite);
    C->RoundRect(Inset, Inset, Width - Inset, Height - Inset, CornerSize, CornerSize);
    C->Pen()->SetWidth(1);
    if (BlurRadius > 0)
        BlurBitmap(Bitmap, BlurRadius);
}

TBlurKernel MakeBlurKernel(Double Radius)
{
    constexpr Integer MaxSize = 10;
    std::vector<Single> W(2 * MaxSize + 1);
    auto Normalize = [&W](Integer Size) {
        Double Sum = 0;
        for (Integer J = -Size; J <= Size; ++J)
            Sum += W[std::size_t(J + MaxSize)];
        for (Integer J = -Size; J <= Size; ++J)
            W[std::size_t(J + MaxSize)] = Single(W[std::size_t(J + MaxSize)] / Sum);
    };
    for (Integer J = -MaxSize; J <= MaxSize; ++J)
        W[std::size_t(J + MaxSize)] = Single(std::exp(-std::pow(J / Radius, 2) / 2));
    Normalize(MaxSize);
    // Leave out the outer weights whose share stays below half a level.
    const Double Threshold = 1.0 / (2 * 255);
    Integer Size = MaxSize;
    Double Tail = 0;
    while (Tail < Threshold && Size > 1) {
        Tail += 2 * Double(W[std::size_t(Size + MaxSize)]);
        --Size;
    }
    Normalize(Size);
    TBlurKernel K;
    K.Size = Size;
    K.Weights.assign(W.begin() + (MaxSize - Size), W.begin() + (MaxSize + Size + 1));
    return K;
}

namespace {

constexpr Double BlurWeightTolerance = 1.0 / 1024;

// Blurs n pixels (blue, green, red) read and written through Pixel.
template <class PixelAt>
void BlurLine(const TBlurKernel& K, Integer n, PixelAt&& Pixel)
{
    std::vector<QRgb> Result(static_cast<std::size_t>(n));
    for (Integer P = 0; P < n; ++P) {
        Double Sum[3] = {0, 0, 0};
        for (Integer J = -K.Size; J <= K.Size; ++J) {
            const QRgb Src = Pixel(std::clamp(P - J, 0, n - 1));
            const Double Weight = K.Weights[std::size_t(J + K.Size)];
            Sum[0] += Weight * qRed(Src);
            Sum[1] += Weight * qGreen(Src);
            Sum[2] += Weight * qBlue(Src);
        }
        // The float weights sum to 1 only within their rounding: a uniform
        // level must come out as itself, not one below.
        auto Level = [](Double S) {
            S += BlurWeightTolerance;
            return S >= 255 ? 255 : S < 0 ? 0 : int(std::trunc(S));
        };
        Result[std::size_t(P)] = qRgb(Level(Sum[0]), Level(Sum[1]), Level(Sum[2]));
    }
    for (Integer P = 0; P < n; ++P)
        Pixel(P) = Result[std::size_t(P)];
}

// Lines inside the 20-pixel borders copy line 15, as the masks blurred here
// are uniform there.
bool BlurCopiesLine(Integer Index, Integer Count)
{
    return Index > 20 && Index < Count - 20;
}

} // namespace

void BlurBitmap(TBitmap* Bitmap, Double Radius)
{
    if (Bitmap->PixelFormat() != pf24bit)
        throw Exception(QStringLiteral("Blur only works for 24-bit bitmaps"));
    if (Radius <= 0)
        return;
    const TBlurKernel K = MakeBlurKernel(Radius);
    QImage& Image = Bitmap->Image();
    const Integer W = Image.width();
    const Integer H = Image.height();
    auto At = [&Image](Integer X, Integer Y) -> QRgb& { return reinterpret_cast<QRgb*>(Image.scanLine(Y))[X]; };
    for (Integer Y = 0; Y < H; ++Y) {
        if (BlurCopiesLine(Y, H))
            std::memcpy(Image.scanLine(Y), Image.constScanLine(15), std::size_t(W) * 4);
        else
            BlurLine(K, W, [&](Integer X) -> QRgb& { return At(X, Y); });
    }
    for (Integer X = 0; X < W; ++X) {
        if (BlurCopiesLine(X, W)) {
            for (Integer Y = 0; Y < H; ++Y)
                At(X, Y) = At(15, Y);
        } else {
            BlurLine(K, H, [&](Integer Y) -> QRgb& { return At(X, Y); });
        }
    }
}
