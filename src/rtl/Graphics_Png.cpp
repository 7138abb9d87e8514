// PNG pictures through libpng.
//
// libpng reports errors by longjmp to the function that armed setjmp on
// png_jmpbuf; those functions hold only plain C data, and the exception is
// thrown after they have returned.
#include "rtl/Graphics.h"

#include <QImage>
#include <QPainter>

#include <algorithm>
#include <csetjmp>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include <png.h>

namespace {

struct TPngContext {
    png_structp Png = nullptr;
    png_infop Info = nullptr;
    char Message[256] = {0};
    // Reading
    const unsigned char* Data = nullptr;
    size_t Size = 0;
    size_t Pos = 0;
    // Writing (malloc'ed)
    unsigned char* Out = nullptr;
    size_t OutSize = 0;
    size_t OutCapacity = 0;
};

void PngError(png_structp Png, png_const_charp Message)
{
    auto* C = static_cast<TPngContext*>(png_get_error_ptr(Png));
    std::strncpy(C->Message, Message ? Message : "unknown error", sizeof C->Message - 1);
    png_longjmp(Png, 1);
}

void PngWarning(png_structp, png_const_charp) {}

void PngRead(png_structp Png, png_bytep Out, png_size_t Length)
{
    auto* C = static_cast<TPngContext*>(png_get_io_ptr(Png));
    if (C->Size - C->Pos < Length)
        png_error(Png, "unexpected end of the data");
    std::memcpy(Out, C->Data + C->Pos, Length);
    C->Pos += Length;
}

void PngWrite(png_structp Png, png_bytep In, png_size_t Length)
{
    auto* C = static_cast<TPngContext*>(png_get_io_ptr(Png));
    if (C->OutCapacity - C->OutSize < Length) {
        size_t Capacity = std::max<size_t>(C->OutCapacity * 2, 4096);
        while (Capacity - C->OutSize < Length)
            Capacity *= 2;
        auto* N = static_cast<unsigned char*>(std::realloc(C->Out, Capacity));
        if (!N)
            png_error(Png, "out of memory");
        C->Out = N;
        C->OutCapacity = Capacity;
    }
    std::memcpy(C->Out + C->OutSize, In, Length);
    C->OutSize += Length;
}

void PngFlush(png_structp) {}

// Reads the header and sets the transforms that give 8-bit B, G, R, A bytes
// (Qt's ARGB32 in memory). false on error.
bool PngReadHeader(TPngContext* C, png_uint_32* Width, png_uint_32* Height, bool* HasAlpha)
{
    if (setjmp(png_jmpbuf(C->Png)))
        return false;
    png_set_read_fn(C->Png, C, PngRead);
    png_read_info(C->Png, C->Info);
    const int ColorType = png_get_color_type(C->Png, C->Info);
    *HasAlpha = (ColorType & PNG_COLOR_MASK_ALPHA) || png_get_valid(C->Png, C->Info, PNG_INFO_tRNS);
    png_set_expand(C->Png);
    png_set_strip_16(C->Png);
    if (!(ColorType & PNG_COLOR_MASK_COLOR))
        png_set_gray_to_rgb(C->Png);
    png_set_bgr(C->Png);
    png_set_add_alpha(C->Png, 0xFF, PNG_FILLER_AFTER);
    png_set_interlace_handling(C->Png);
    png_read_update_info(C->Png, C->Info);
    *Width = png_get_image_width(C->Png, C->Info);
    *Height = png_get_image_height(C->Png, C->Info);
    if (png_get_rowbytes(C->Png, C->Info) != size_t(*Width) * 4)
        png_error(C->Png, "unsupported pixel layout");
    return true;
}

bool PngReadRows(TPngContext* C, png_bytepp Rows)
{
    if (setjmp(png_jmpbuf(C->Png)))
        return false;
    png_read_image(C->Png, Rows);
    png_read_end(C->Png, nullptr);
    return true;
}

bool PngWriteImage(TPngContext* C, png_bytepp Rows, png_uint_32 Width, png_uint_32 Height, bool Alpha, int Level)
{
    if (setjmp(png_jmpbuf(C->Png)))
        return false;
    png_set_write_fn(C->Png, C, PngWrite, PngFlush);
    png_set_compression_level(C->Png, Level);
    png_set_IHDR(C->Png, C->Info, Width, Height, 8, Alpha ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(C->Png, C->Info);
    png_set_bgr(C->Png);
    if (!Alpha)
        png_set_filler(C->Png, 0, PNG_FILLER_AFTER);
    png_write_image(C->Png, Rows);
    png_write_end(C->Png, nullptr);
    return true;
}

[[noreturn]] void RaisePngError(const char* Message)
{
    throw EInvalidGraphic(QStringLiteral("PNG error: %1").arg(QString::fromLocal8Bit(Message)));
}

} // namespace

void TPngImage::Assign(TPersistent* Source)
{
    if (Source == this)
        return;
    if (Source == nullptr) {
        FImage = QImage();
        Changed();
        return;
    }
    if (auto* P = dynamic_cast<TPngImage*>(Source)) {
        FImage = P->FImage;
        FCompressionLevel = P->FCompressionLevel;
        TGraphic::SetTransparent(P->Transparent());
        Changed();
        return;
    }
    if (auto* G = dynamic_cast<TGraphic*>(Source)) {
        // A transparent bitmap keeps its transparency as alpha.
        auto* B = dynamic_cast<TBitmap*>(Source);
        const QImage Img = B ? B->MaskedImage() : G->ToImage();
        if (Img.isNull())
            FImage = QImage();
        else
            FImage = Img.convertToFormat(Img.hasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_RGB32);
        TGraphic::SetTransparent(!FImage.isNull() && FImage.hasAlphaChannel() && G->Transparent());
        Changed();
        return;
    }
    TPersistent::Assign(Source);
}

void TPngImage::SetCompressionLevel(Integer Value) { FCompressionLevel = std::clamp(Value, 0, 9); }

void TPngImage::LoadFromBytes(const QByteArray& Data)
{
    auto C = std::make_unique<TPngContext>();
    C->Data = reinterpret_cast<const unsigned char*>(Data.constData());
    C->Size = size_t(Data.size());
    if (Data.size() < 8 || png_sig_cmp(reinterpret_cast<png_const_bytep>(Data.constData()), 0, 8) != 0)
        RaisePngError("not a PNG file");
    C->Png = png_create_read_struct(PNG_LIBPNG_VER_STRING, C.get(), PngError, PngWarning);
    if (C->Png)
        C->Info = png_create_info_struct(C->Png);
    if (!C->Png || !C->Info) {
        png_destroy_read_struct(C->Png ? &C->Png : nullptr, nullptr, nullptr);
        RaisePngError("out of memory");
    }
    png_uint_32 W = 0;
    png_uint_32 H = 0;
    bool HasAlpha = false;
    bool Ok = PngReadHeader(C.get(), &W, &H, &HasAlpha);
    QImage Img;
    if (Ok) {
        Img = QImage(int(W), int(H), QImage::Format_ARGB32);
        if (Img.isNull()) {
            std::strncpy(C->Message, "picture too large", sizeof C->Message - 1);
            Ok = false;
        }
    }
    if (Ok) {
        std::vector<png_bytep> Rows(H);
        for (png_uint_32 Y = 0; Y < H; ++Y)
            Rows[Y] = Img.scanLine(int(Y));
        Ok = PngReadRows(C.get(), Rows.data());
    }
    png_destroy_read_struct(&C->Png, &C->Info, nullptr);
    if (!Ok)
        RaisePngError(C->Message);
    FImage = HasAlpha ? Img : Img.convertToFormat(QImage::Format_RGB32);
    TGraphic::SetTransparent(HasAlpha);
    Changed();
}

QByteArray TPngImage::SaveToBytes()
{
    if (FImage.isNull())
        return QByteArray();
    const bool Alpha = FImage.hasAlphaChannel();
    QImage Img = FImage.convertToFormat(Alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    auto C = std::make_unique<TPngContext>();
    C->Png = png_create_write_struct(PNG_LIBPNG_VER_STRING, C.get(), PngError, PngWarning);
    if (C->Png)
        C->Info = png_create_info_struct(C->Png);
    if (!C->Png || !C->Info) {
        png_destroy_write_struct(C->Png ? &C->Png : nullptr, nullptr);
        RaisePngError("out of memory");
    }
    std::vector<png_bytep> Rows(size_t(Img.height()));
    for (int Y = 0; Y < Img.height(); ++Y)
        Rows[size_t(Y)] = Img.scanLine(Y);
    const bool Ok = PngWriteImage(C.get(), Rows.data(), png_uint_32(Img.width()), png_uint_32(Img.height()), Alpha,
                                  FCompressionLevel);
    png_destroy_write_struct(&C->Png, &C->Info);
    QByteArray Out;
    if (Ok)
        Out = QByteArray(reinterpret_cast<const char*>(C->Out), qsizetype(C->OutSize));
    std::free(C->Out);
    if (!Ok)
        RaisePngError(C->Message);
    return Out;
}

void TPngImage::Draw(TCanvas* ACanvas, const TRect& R) { DrawImage(ACanvas, R, FImage); }
