// Pictures: the graphic base, bitmaps, GIF pictures, icons and TPicture.
#include "rtl/Graphics.h"

#include <typeinfo>

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>

#include <limits>

namespace {

QByteArray ReadRestOfStream(TStream* Stream)
{
    const Int64 Count = Stream->Size() - Stream->Position();
    QByteArray Data;
    if (Count > 0) {
        if (Count > Int64(std::numeric_limits<Integer>::max()))
            throw EInvalidGraphic(QStringLiteral("Picture data too large"));
        Data.resize(qsizetype(Count));
        Stream->ReadBuffer(Data.data(), Integer(Count));
    }
    return Data;
}

void WriteToStream(TStream* Stream, const QByteArray& Data)
{
    if (!Data.isEmpty())
        Stream->WriteBuffer(Data.constData(), Integer(Data.size()));
}

// Names the file in the message of a picture error.
[[noreturn]] void RethrowWithFileName(EInvalidGraphic& E, const String& FileName)
{
    E.SetMessage(QStringLiteral("%1 (\"%2\")").arg(E.Message(), FileName));
    throw;
}

enum class TPictureKind { Unknown, Bitmap, Jpeg, Png, Gif, Icon };

TPictureKind SniffPicture(const QByteArray& D)
{
    const auto B = [&D](int I) { return I < D.size() ? uchar(D[I]) : -1; };
    if (B(0) == 'B' && B(1) == 'M')
        return TPictureKind::Bitmap;
    if (B(0) == 0xFF && B(1) == 0xD8 && B(2) == 0xFF)
        return TPictureKind::Jpeg;
    if (D.startsWith("\x89PNG\r\n\x1a\n"))
        return TPictureKind::Png;
    if (D.startsWith("GIF8"))
        return TPictureKind::Gif;
    if (B(0) == 0 && B(1) == 0 && B(2) == 1 && B(3) == 0)
        return TPictureKind::Icon;
    return TPictureKind::Unknown;
}

TPictureKind PictureKindForExtension(const String& FileName)
{
    const QString Ext = QFileInfo(FileName).suffix().toLower();
    if (Ext == u"bmp")
        return TPictureKind::Bitmap;
    if (Ext == u"jpg" || Ext == u"jpeg" || Ext == u"jpe" || Ext == u"jfif")
        return TPictureKind::Jpeg;
    if (Ext == u"png")
        return TPictureKind::Png;
    if (Ext == u"gif")
        return TPictureKind::Gif;
    if (Ext == u"ico")
        return TPictureKind::Icon;
    return TPictureKind::Unknown;
}

std::unique_ptr<TGraphic> MakeGraphic(TPictureKind Kind)
{
    switch (Kind) {
    case TPictureKind::Bitmap: return std::make_unique<TBitmap>();
    case TPictureKind::Jpeg: return std::make_unique<TJPEGImage>();
    case TPictureKind::Png: return std::make_unique<TPngImage>();
    case TPictureKind::Gif: return std::make_unique<TGIFImage>();
    case TPictureKind::Icon: return std::make_unique<TIcon>();
    default: return nullptr;
    }
}

// A new graphic of Source's class with Source's content.
std::unique_ptr<TGraphic> CloneGraphic(TGraphic* Source)
{
    std::unique_ptr<TGraphic> G;
    if (auto* B = dynamic_cast<TBitmap*>(Source)) {
        auto N = std::make_unique<TBitmap>();
        N->Assign(B);
        G = std::move(N);
    } else if (auto* J = dynamic_cast<TJPEGImage*>(Source)) {
        auto N = std::make_unique<TJPEGImage>();
        N->Assign(J);
        G = std::move(N);
    } else if (auto* P = dynamic_cast<TPngImage*>(Source)) {
        auto N = std::make_unique<TPngImage>();
        N->Assign(P);
        G = std::move(N);
    } else if (auto* F = dynamic_cast<TGIFImage*>(Source)) {
        auto N = std::make_unique<TGIFImage>();
        N->Assign(F);
        G = std::move(N);
    } else if (auto* I = dynamic_cast<TIcon*>(Source)) {
        auto N = std::make_unique<TIcon>();
        N->Assign(I);
        G = std::move(N);
    } else if (auto* D = dynamic_cast<TDataGraphic*>(Source)) {
        G = D->Clone();
    } else {
        auto N = std::make_unique<TBitmap>();
        N->Assign(Source);
        G = std::move(N);
    }
    return G;
}

// Pixels of the transparent colour become fully transparent.
QImage KeyOutColor(const QImage& Source, QRgb Key)
{
    QImage Img = Source.convertToFormat(QImage::Format_ARGB32);
    Key &= 0xFFFFFF;
    for (int Y = 0; Y < Img.height(); ++Y) {
        auto* Line = reinterpret_cast<QRgb*>(Img.scanLine(Y));
        for (int X = 0; X < Img.width(); ++X)
            if ((Line[X] & 0xFFFFFF) == Key)
                Line[X] = 0;
    }
    return Img;
}

} // namespace

std::unique_ptr<TGraphic> CreateGraphicForData(const QByteArray& Data) { return MakeGraphic(SniffPicture(Data)); }

// ---------------------------------------------------------------------------
// TGraphic

void TGraphic::SetWidth(Integer) {}
void TGraphic::SetHeight(Integer) {}

void TGraphic::SetSize(Integer AWidth, Integer AHeight)
{
    SetWidth(AWidth);
    SetHeight(AHeight);
}

void TGraphic::SetTransparent(bool Value)
{
    if (Value == FTransparent)
        return;
    FTransparent = Value;
    Changed();
}

void TGraphic::SetModified(bool Value)
{
    if (Value)
        Changed();
    else
        FModified = false;
}

void TGraphic::Changed()
{
    FModified = true;
    if (OnChange)
        OnChange(this);
}

void TGraphic::LoadFromFile(const String& FileName)
{
    const QByteArray Data = ReadFileBytes(FileName);
    try {
        LoadFromBytes(Data);
    } catch (EInvalidGraphic& E) {
        RethrowWithFileName(E, FileName);
    }
}

void TGraphic::SaveToFile(const String& FileName) { WriteFileAtomically(FileName, SaveToBytes()); }

void TGraphic::LoadFromStream(TStream* Stream) { LoadFromBytes(ReadRestOfStream(Stream)); }

void TGraphic::SaveToStream(TStream* Stream) { WriteToStream(Stream, SaveToBytes()); }

void TGraphic::DrawImage(TCanvas* ACanvas, const TRect& R, const QImage& Image)
{
    if (!ACanvas || Image.isNull() || IsRectEmpty(R))
        return;
    QPainter* P = ACanvas->Painter();
    if (!P)
        return;
    P->save();
    P->setRenderHint(QPainter::SmoothPixmapTransform, false);
    P->setCompositionMode(QPainter::CompositionMode_SourceOver);
    P->drawImage(ToQRect(R), Image);
    P->restore();
}

// ---------------------------------------------------------------------------
// TBitmap

TBitmap::TBitmap() = default;

TBitmap::TBitmap(Integer AWidth, Integer AHeight) { SetSize(AWidth, AHeight); }

TBitmap::~TBitmap() { FCanvas.reset(); }

QImage::Format TBitmap::ImageFormat() const
{
    return FPixelFormat == pf32bit ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32;
}

void TBitmap::Assign(TPersistent* Source)
{
    if (Source == this)
        return;
    if (Source == nullptr) {
        SetImage(QImage());
        return;
    }
    if (auto* B = dynamic_cast<TBitmap*>(Source)) {
        FPixelFormat = B->FPixelFormat;
        FTransparentColor = B->FTransparentColor;
        FTransparentMode = B->FTransparentMode;
        TGraphic::SetTransparent(B->Transparent());
        SetImage(B->ToImage());
        return;
    }
    if (auto* G = dynamic_cast<TGraphic*>(Source)) {
        const QImage Img = G->ToImage();
        if (Img.hasAlphaChannel())
            FPixelFormat = pf32bit;
        TGraphic::SetTransparent(G->Transparent());
        SetImage(Img);
        return;
    }
    if (auto* P = dynamic_cast<TPicture*>(Source)) {
        Assign(P->Graphic());
        return;
    }
    TPersistent::Assign(Source);
}

bool TBitmap::Empty() const { return FImage.isNull(); }
// An empty bitmap keeps the one dimension already set, so SetWidth and then
// SetHeight give a picture of both.
Integer TBitmap::Width() const { return FImage.isNull() ? FEmptyWidth : FImage.width(); }
Integer TBitmap::Height() const { return FImage.isNull() ? FEmptyHeight : FImage.height(); }
void TBitmap::SetWidth(Integer Value) { SetSize(Value, Height()); }
void TBitmap::SetHeight(Integer Value) { SetSize(Width(), Value); }

void TBitmap::SetSize(Integer AWidth, Integer AHeight)
{
    AWidth = std::max(0, AWidth);
    AHeight = std::max(0, AHeight);
    if (AWidth == Width() && AHeight == Height())
        return;
    if (FCanvas)
        FCanvas->Release();
    FEmptyWidth = AWidth;
    FEmptyHeight = AHeight;
    if (AWidth == 0 || AHeight == 0) {
        FImage = QImage();
    } else {
        // The old pixels stay at the top left; new ones are white.
        QImage N(AWidth, AHeight, ImageFormat());
        N.fill(QColor(255, 255, 255));
        if (!FImage.isNull()) {
            QPainter P(&N);
            P.setCompositionMode(QPainter::CompositionMode_Source);
            P.drawImage(0, 0, FImage);
        }
        FImage = N;
    }
    Changed();
}

TCanvas* TBitmap::Canvas()
{
    if (!FCanvas)
        FCanvas = std::make_unique<TCanvas>(static_cast<QPaintDevice*>(&FImage));
    return FCanvas.get();
}

void TBitmap::SetPixelFormat(TPixelFormat Value)
{
    if (Value == FPixelFormat)
        return;
    FPixelFormat = Value;
    if (!FImage.isNull()) {
        if (FCanvas)
            FCanvas->Release();
        FImage = FImage.convertToFormat(ImageFormat());
    }
    Changed();
}

TColor TBitmap::TransparentColor() const
{
    if (FTransparentMode == tmFixed)
        return FTransparentColor;
    if (FImage.isNull())
        return clDefault;
    if (FCanvas)
        FCanvas->Release();
    return QColorToColor(QColor::fromRgb(FImage.pixel(0, FImage.height() - 1)));
}

void TBitmap::SetTransparentColor(TColor Value)
{
    FTransparentColor = Value;
    FTransparentMode = Value == clDefault ? tmAuto : tmFixed;
    Changed();
}

void TBitmap::SetTransparentMode(TTransparentMode Value)
{
    if (Value == FTransparentMode)
        return;
    FTransparentMode = Value;
    if (Value == tmAuto)
        FTransparentColor = clDefault;
    Changed();
}

void TBitmap::LoadFromResourceName(const String& ResName)
{
    static const char* const Suffixes[] = {"", ".bmp", ".png"};
    for (const char* Suffix : Suffixes) {
        const QString Path = QStringLiteral(":/bitmaps/") + ResName + QLatin1String(Suffix);
        if (!QFile::exists(Path))
            continue;
        QImage Img;
        if (!Img.load(Path))
            throw EInvalidGraphic(QStringLiteral("Bitmap image is not valid (resource %1)").arg(ResName));
        SetImage(Img);
        return;
    }
    throw EResNotFound(QStringLiteral("Resource %1 not found").arg(ResName));
}

void TBitmap::LoadFromBytes(const QByteArray& Data)
{
    QImage Img;
    if (SniffPicture(Data) != TPictureKind::Bitmap || !Img.loadFromData(Data, "BMP"))
        throw EInvalidGraphic(QStringLiteral("Bitmap image is not valid"));
    FPixelFormat = Img.hasAlphaChannel() ? pf32bit : pf24bit;
    SetImage(Img);
}

QByteArray TBitmap::SaveToBytes()
{
    QImage Img = ToImage();
    if (Img.isNull())
        return QByteArray();
    switch (FPixelFormat) {
    case pf1bit: Img = Img.convertToFormat(QImage::Format_Mono); break;
    case pf4bit:
    case pf8bit: Img = Img.convertToFormat(QImage::Format_Indexed8); break;
    case pf32bit: Img = Img.convertToFormat(QImage::Format_ARGB32); break;
    default: Img = Img.convertToFormat(QImage::Format_RGB32); break;
    }
    QByteArray Out;
    QBuffer Buf(&Out);
    Buf.open(QIODevice::WriteOnly);
    if (!Img.save(&Buf, "BMP"))
        throw EInvalidGraphicOperation(QStringLiteral("Cannot write the bitmap"));
    return Out;
}

void TBitmap::Draw(TCanvas* ACanvas, const TRect& R) { DrawImage(ACanvas, R, MaskedImage()); }

QImage TBitmap::MaskedImage() const
{
    const QImage Img = ToImage();
    if (Img.isNull() || !Transparent())
        return Img;
    const QColor Key = ColorToQColor(TransparentColor());
    return Key.isValid() ? KeyOutColor(Img, Key.rgb()) : Img;
}

QImage TBitmap::ToImage() const
{
    if (FCanvas)
        FCanvas->Release();
    return FImage;
}

QImage& TBitmap::Image()
{
    if (FCanvas)
        FCanvas->Release();
    return FImage;
}

void TBitmap::SetImage(const QImage& Value)
{
    if (FCanvas)
        FCanvas->Release();
    FImage = Value.isNull() ? QImage() : Value.convertToFormat(ImageFormat());
    FEmptyWidth = FEmptyHeight = 0;
    Changed();
}

// ---------------------------------------------------------------------------
// TGIFImage

// ---------------------------------------------------------------------------
// TDataGraphic, TMetafile, TWICImage

void TDataGraphic::Assign(TPersistent* Source)
{
    auto* D = dynamic_cast<TDataGraphic*>(Source);
    if (!D || typeid(*D) != typeid(*this)) {
        TGraphic::Assign(Source);
        return;
    }
    FData = D->FData;
    Changed();
}

void TDataGraphic::LoadFromBytes(const QByteArray& Data)
{
    FData = Data;
    Changed();
}

// ---------------------------------------------------------------------------

void TGIFImage::Assign(TPersistent* Source)
{
    if (Source == this)
        return;
    if (Source == nullptr) {
        FImage = QImage();
        FData.clear();
        Changed();
        return;
    }
    auto* G = dynamic_cast<TGIFImage*>(Source);
    if (!G) {
        TPersistent::Assign(Source);
        return;
    }
    FImage = G->FImage;
    FData = G->FData;
    TGraphic::SetTransparent(G->Transparent());
    Changed();
}

void TGIFImage::LoadFromBytes(const QByteArray& Data)
{
    QImage Img;
    if (SniffPicture(Data) != TPictureKind::Gif || !Img.loadFromData(Data, "GIF"))
        throw EInvalidGraphic(QStringLiteral("GIF image is not valid"));
    FImage = Img.convertToFormat(QImage::Format_ARGB32);
    FData = Data;
    TGraphic::SetTransparent(Img.hasAlphaChannel());
    Changed();
}

QByteArray TGIFImage::SaveToBytes()
{
    if (FData.isEmpty() && !FImage.isNull())
        throw EInvalidGraphicOperation(QStringLiteral("A GIF picture can only be written as it was read"));
    return FData;
}

void TGIFImage::Draw(TCanvas* ACanvas, const TRect& R) { DrawImage(ACanvas, R, FImage); }

// ---------------------------------------------------------------------------
// TIcon

TIcon::TIcon() { TGraphic::SetTransparent(true); }

void TIcon::Assign(TPersistent* Source)
{
    if (Source == this)
        return;
    if (Source == nullptr) {
        FImage = QImage();
        Changed();
        return;
    }
    auto* I = dynamic_cast<TIcon*>(Source);
    if (!I) {
        TPersistent::Assign(Source);
        return;
    }
    FImage = I->FImage;
    Changed();
}

// The icon directory: a count and one 16-byte entry per image, each
// pointing at data inside the file.
namespace {
bool IconDirectoryValid(const QByteArray& D)
{
    const auto U16 = [&D](qsizetype I) { return uint(uchar(D[I])) | uint(uchar(D[I + 1])) << 8; };
    const auto U32 = [&](qsizetype I) { return quint64(U16(I)) | quint64(U16(I + 2)) << 16; };
    if (D.size() < 6)
        return false;
    const uint Count = U16(4);
    if (Count == 0 || 6 + quint64(Count) * 16 > quint64(D.size()))
        return false;
    for (uint I = 0; I < Count; ++I) {
        const qsizetype E = 6 + qsizetype(I) * 16;
        const quint64 Size = U32(E + 8);
        const quint64 Offset = U32(E + 12);
        if (Size == 0 || Offset + Size > quint64(D.size()))
            return false;
    }
    return true;
}
} // namespace

void TIcon::LoadFromBytes(const QByteArray& Data)
{
    if (SniffPicture(Data) != TPictureKind::Icon || !IconDirectoryValid(Data))
        throw EInvalidGraphic(QStringLiteral("Icon image is not valid"));
    QBuffer Buf;
    Buf.setData(Data);
    Buf.open(QIODevice::ReadOnly);
    QImageReader Reader(&Buf, "ICO");
    QImage Best;
    const int Count = std::max(1, Reader.imageCount());
    for (int I = 0; I < Count; ++I) {
        if (I > 0 && !Reader.jumpToImage(I))
            break;
        QImage Img = Reader.read();
        if (!Img.isNull() && Img.width() * Img.height() > Best.width() * Best.height())
            Best = Img;
    }
    if (Best.isNull())
        throw EInvalidGraphic(QStringLiteral("Icon image is not valid"));
    FImage = Best.convertToFormat(QImage::Format_ARGB32);
    Changed();
}

QByteArray TIcon::SaveToBytes()
{
    if (FImage.isNull())
        return QByteArray();
    QByteArray Out;
    QBuffer Buf(&Out);
    Buf.open(QIODevice::WriteOnly);
    QImageWriter Writer(&Buf, "ICO");
    if (!Writer.write(FImage))
        throw EInvalidGraphicOperation(QStringLiteral("Cannot write the icon: %1").arg(Writer.errorString()));
    return Out;
}

void TIcon::Draw(TCanvas* ACanvas, const TRect& R) { DrawImage(ACanvas, R, FImage); }

// ---------------------------------------------------------------------------
// TPicture

TPicture::TPicture() = default;
TPicture::~TPicture() = default;

void TPicture::Changed()
{
    if (OnChange)
        OnChange(this);
}

void TPicture::TakeGraphic(std::unique_ptr<TGraphic> Value)
{
    FGraphic = std::move(Value);
    if (FGraphic)
        FGraphic->OnChange = [this](TObject*) { Changed(); };
    Changed();
}

void TPicture::Assign(TPersistent* Source)
{
    if (Source == this)
        return;
    if (Source == nullptr) {
        TakeGraphic(nullptr);
        return;
    }
    if (auto* P = dynamic_cast<TPicture*>(Source)) {
        SetGraphic(P->Graphic());
        return;
    }
    if (auto* G = dynamic_cast<TGraphic*>(Source)) {
        SetGraphic(G);
        return;
    }
    TPersistent::Assign(Source);
}

void TPicture::SetGraphic(TGraphic* Value)
{
    if (Value == FGraphic.get())
        return;
    TakeGraphic(Value ? CloneGraphic(Value) : nullptr);
}

TBitmap* TPicture::Bitmap()
{
    if (auto* B = dynamic_cast<TBitmap*>(FGraphic.get()))
        return B;
    auto B = std::make_unique<TBitmap>();
    if (FGraphic)
        B->Assign(FGraphic.get());
    TBitmap* Result = B.get();
    TakeGraphic(std::move(B));
    return Result;
}

void TPicture::SetBitmap(TBitmap* Value) { SetGraphic(Value); }

TIcon* TPicture::Icon()
{
    if (auto* I = dynamic_cast<TIcon*>(FGraphic.get()))
        return I;
    auto I = std::make_unique<TIcon>();
    TIcon* Result = I.get();
    TakeGraphic(std::move(I));
    return Result;
}

void TPicture::SetIcon(TIcon* Value) { SetGraphic(Value); }

Integer TPicture::Width() const { return FGraphic ? FGraphic->Width() : 0; }
Integer TPicture::Height() const { return FGraphic ? FGraphic->Height() : 0; }

void TPicture::LoadFromFile(const String& FileName)
{
    const QByteArray Data = ReadFileBytes(FileName);
    TPictureKind Kind = SniffPicture(Data);
    if (Kind == TPictureKind::Unknown)
        Kind = PictureKindForExtension(FileName);
    if (Kind == TPictureKind::Unknown)
        throw EInvalidGraphic(QStringLiteral("Unknown picture file extension (.%1)").arg(QFileInfo(FileName).suffix()));
    std::unique_ptr<TGraphic> G = MakeGraphic(Kind);
    try {
        G->LoadFromBytes(Data);
    } catch (EInvalidGraphic& E) {
        RethrowWithFileName(E, FileName);
    }
    TakeGraphic(std::move(G));
}

void TPicture::SaveToFile(const String& FileName)
{
    if (FGraphic)
        FGraphic->SaveToFile(FileName);
}

void TPicture::LoadFromBytes(const QByteArray& Data)
{
    std::unique_ptr<TGraphic> G = CreateGraphicForData(Data);
    if (!G)
        throw EInvalidGraphic(QStringLiteral("Unknown picture format"));
    G->LoadFromBytes(Data);
    TakeGraphic(std::move(G));
}

void TPicture::LoadFromStream(TStream* Stream) { LoadFromBytes(ReadRestOfStream(Stream)); }

void TPicture::SaveToStream(TStream* Stream) { WriteToStream(Stream, SaveToBytes()); }

QByteArray TPicture::SaveToBytes() { return FGraphic ? FGraphic->SaveToBytes() : QByteArray(); }

QImage GrayedImage(const QImage& Source)
{
    QImage Img = Source.convertToFormat(QImage::Format_ARGB32);
    for (int Y = 0; Y < Img.height(); ++Y) {
        auto* Line = reinterpret_cast<QRgb*>(Img.scanLine(Y));
        for (int X = 0; X < Img.width(); ++X) {
            const QRgb P = Line[X];
            const int Gray = 128 + qGray(P) / 2;
            Line[X] = qRgba(Gray, Gray, Gray, qAlpha(P));
        }
    }
    return Img;
}
