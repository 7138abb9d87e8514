// JPEG pictures through libjpeg.
//
// libjpeg reports errors by calling error_exit, which must not return. It
// jumps back with longjmp to the one function that armed setjmp; those
// functions hold only plain C data, so no C++ destructor is skipped, and the
// exception is thrown after they have returned.
#include "rtl/Graphics.h"

#include <QImage>
#include <QPainter>

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include <jpeglib.h>
#include <jerror.h>

namespace {

struct TJpegErrorManager {
    jpeg_error_mgr Pub;
    std::jmp_buf Jump;
    char Message[JMSG_LENGTH_MAX];
};

void JpegErrorExit(j_common_ptr Info)
{
    auto* Err = reinterpret_cast<TJpegErrorManager*>(Info->err);
    (*Info->err->format_message)(Info, Err->Message);
    std::longjmp(Err->Jump, 1);
}

// Warnings are ignored except a premature end of the data: a truncated file
// is an error, not a picture with a grey bottom.
void JpegEmitMessage(j_common_ptr Info, int Level)
{
    if (Level < 0 && Info->err->msg_code == JWRN_JPEG_EOF)
        JpegErrorExit(Info);
}

void JpegOutputMessage(j_common_ptr) {}

void InitJpegErrors(TJpegErrorManager& Err)
{
    jpeg_std_error(&Err.Pub);
    Err.Pub.error_exit = JpegErrorExit;
    Err.Pub.emit_message = JpegEmitMessage;
    Err.Pub.output_message = JpegOutputMessage;
    Err.Message[0] = '\0';
}

struct TJpegDecoder {
    jpeg_decompress_struct Info;
    TJpegErrorManager Err;
    bool Created = false;
};

// Reads the header; false on error (message in the decoder).
bool JpegReadHeader(TJpegDecoder* D, const unsigned char* Data, unsigned long Size)
{
    D->Info.err = &D->Err.Pub;
    InitJpegErrors(D->Err);
    if (setjmp(D->Err.Jump))
        return false;
    jpeg_create_decompress(&D->Info);
    D->Created = true;
    jpeg_mem_src(&D->Info, const_cast<unsigned char*>(Data), Size);
    jpeg_read_header(&D->Info, TRUE);
    // Colour pictures come out as RGB, grey ones as grey; CMYK is refused
    // below by its component count.
    if (D->Info.jpeg_color_space != JCS_GRAYSCALE)
        D->Info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&D->Info);
    return true;
}

// Decodes into Bits (32-bit 0xFFRRGGBB pixels, Stride bytes a line).
bool JpegReadPixels(TJpegDecoder* D, unsigned char* Bits, long Stride, unsigned char* Row)
{
    if (setjmp(D->Err.Jump))
        return false;
    const unsigned W = D->Info.output_width;
    const int Comps = D->Info.output_components;
    while (D->Info.output_scanline < D->Info.output_height) {
        const unsigned Y = D->Info.output_scanline;
        JSAMPROW Rows[1] = {Row};
        jpeg_read_scanlines(&D->Info, Rows, 1);
        auto* Out = reinterpret_cast<std::uint32_t*>(Bits + long(Y) * Stride);
        for (unsigned X = 0; X < W; ++X) {
            const unsigned char* Px = Row + X * unsigned(Comps);
            const std::uint32_t R = Px[0];
            const std::uint32_t G = Comps >= 3 ? Px[1] : Px[0];
            const std::uint32_t B = Comps >= 3 ? Px[2] : Px[0];
            Out[X] = 0xFF000000u | (R << 16) | (G << 8) | B;
        }
    }
    jpeg_finish_decompress(&D->Info);
    return true;
}

struct TJpegEncoder {
    jpeg_compress_struct Info;
    TJpegErrorManager Err;
    bool Created = false;
    unsigned char* Out = nullptr;
    unsigned long OutSize = 0;
};

// Encodes 32-bit pixels; the result is in Out/OutSize (malloc'ed by libjpeg).
bool JpegWrite(TJpegEncoder* E, const unsigned char* Bits, long Stride, int Width, int Height, int Quality,
               bool Gray, unsigned char* Row)
{
    E->Info.err = &E->Err.Pub;
    InitJpegErrors(E->Err);
    if (setjmp(E->Err.Jump))
        return false;
    jpeg_create_compress(&E->Info);
    E->Created = true;
    jpeg_mem_dest(&E->Info, &E->Out, &E->OutSize);
    E->Info.image_width = JDIMENSION(Width);
    E->Info.image_height = JDIMENSION(Height);
    E->Info.input_components = Gray ? 1 : 3;
    E->Info.in_color_space = Gray ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&E->Info);
    jpeg_set_quality(&E->Info, Quality, TRUE);
    jpeg_start_compress(&E->Info, TRUE);
    while (E->Info.next_scanline < E->Info.image_height) {
        const auto* In = reinterpret_cast<const std::uint32_t*>(Bits + long(E->Info.next_scanline) * Stride);
        for (int X = 0; X < Width; ++X) {
            const std::uint32_t P = In[X];
            const unsigned char R = (P >> 16) & 0xFF;
            const unsigned char G = (P >> 8) & 0xFF;
            const unsigned char B = P & 0xFF;
            if (Gray) {
                Row[X] = static_cast<unsigned char>((R * 299 + G * 587 + B * 114 + 500) / 1000);
            } else {
                Row[X * 3] = R;
                Row[X * 3 + 1] = G;
                Row[X * 3 + 2] = B;
            }
        }
        JSAMPROW Rows[1] = {Row};
        jpeg_write_scanlines(&E->Info, Rows, 1);
    }
    jpeg_finish_compress(&E->Info);
    return true;
}

[[noreturn]] void RaiseJpegError(const char* Message)
{
    throw EInvalidGraphic(QStringLiteral("JPEG error: %1").arg(QString::fromLocal8Bit(Message)));
}

} // namespace

void TJPEGImage::Assign(TPersistent* Source)
{
    if (Source == this)
        return;
    if (Source == nullptr) {
        FImage = QImage();
        FData.clear();
        Changed();
        return;
    }
    if (auto* J = dynamic_cast<TJPEGImage*>(Source)) {
        FImage = J->FImage;
        FData = J->FData;
        FQuality = J->FQuality;
        FGrayscale = J->FGrayscale;
        Changed();
        return;
    }
    if (auto* G = dynamic_cast<TGraphic*>(Source)) {
        // Taken as pixels; encoded when saved.
        const QImage Img = G->ToImage();
        if (Img.isNull()) {
            FImage = QImage();
        } else {
            // JPEG has no transparency: transparent pixels come out white.
            FImage = QImage(Img.size(), QImage::Format_RGB32);
            FImage.fill(Qt::white);
            QPainter P(&FImage);
            P.drawImage(0, 0, Img);
        }
        FData.clear();
        Changed();
        return;
    }
    TPersistent::Assign(Source);
}

void TJPEGImage::SetCompressionQuality(Integer Value)
{
    Value = std::clamp(Value, 1, 100);
    if (Value == FQuality)
        return;
    FQuality = Value;
    FData.clear(); // written again with the new quality
}

void TJPEGImage::SetGrayscale(bool Value)
{
    if (Value == FGrayscale)
        return;
    FGrayscale = Value;
    if (Value && !FImage.isNull())
        FImage = FImage.convertToFormat(QImage::Format_Grayscale8).convertToFormat(QImage::Format_RGB32);
    FData.clear();
    Changed();
}

void TJPEGImage::LoadFromBytes(const QByteArray& Data)
{
    if (Data.isEmpty())
        RaiseJpegError("Empty input file");
    auto D = std::make_unique<TJpegDecoder>();
    const auto* Bytes = reinterpret_cast<const unsigned char*>(Data.constData());
    bool Ok = JpegReadHeader(D.get(), Bytes, static_cast<unsigned long>(Data.size()));
    QImage Img;
    if (Ok) {
        const int Comps = D->Info.output_components;
        if (Comps != 1 && Comps != 3) {
            std::snprintf(D->Err.Message, sizeof D->Err.Message, "Unsupported colour components: %d", Comps);
            Ok = false;
        } else {
            Img = QImage(int(D->Info.output_width), int(D->Info.output_height), QImage::Format_RGB32);
            if (Img.isNull()) {
                std::snprintf(D->Err.Message, sizeof D->Err.Message, "Picture too large");
                Ok = false;
            }
        }
        if (Ok) {
            std::vector<unsigned char> Row(size_t(D->Info.output_width) * size_t(Comps));
            Ok = JpegReadPixels(D.get(), Img.bits(), long(Img.bytesPerLine()), Row.data());
        }
    }
    if (D->Created)
        jpeg_destroy_decompress(&D->Info);
    if (!Ok)
        RaiseJpegError(D->Err.Message);
    FGrayscale = D->Info.out_color_space == JCS_GRAYSCALE;
    FImage = Img;
    FData = Data;
    Changed();
}

QByteArray TJPEGImage::SaveToBytes()
{
    if (!FData.isEmpty() || FImage.isNull())
        return FData;
    const QImage Img = FImage.convertToFormat(QImage::Format_RGB32);
    auto E = std::make_unique<TJpegEncoder>();
    std::vector<unsigned char> Row(size_t(Img.width()) * 3);
    const bool Ok = JpegWrite(E.get(), Img.constBits(), long(Img.bytesPerLine()), Img.width(), Img.height(),
                              FQuality, FGrayscale, Row.data());
    QByteArray Out;
    if (Ok)
        Out = QByteArray(reinterpret_cast<const char*>(E->Out), qsizetype(E->OutSize));
    if (E->Created)
        jpeg_destroy_compress(&E->Info);
    std::free(E->Out);
    if (!Ok)
        RaiseJpegError(E->Err.Message);
    FData = Out;
    return Out;
}

void TJPEGImage::Draw(TCanvas* ACanvas, const TRect& R) { DrawImage(ACanvas, R, FImage); }
