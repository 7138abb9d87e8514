// Font faces: the Qt fonts of the runtime's font descriptions, kept per
// thread so that measuring and drawing text builds no font and shapes a
// short text once.
#include "rtl/FontFace.h"
#include "rtl/Graphics.h"

#include <QPaintDevice>

#include <memory>

namespace {

// What a face is made from: the description's parts that reach the Qt font,
// and the resolution.
struct TFaceKey {
    QString Name;
    Integer Height;
    int Style;
    int Pitch;
    Integer PixelsPerInch;
    bool Antialiased;
    int Dpi;
    bool operator==(const TFaceKey&) const = default;
};

size_t qHash(const TFaceKey& K, size_t Seed)
{
    return qHashMulti(Seed, K.Name, K.Height, K.Style, K.Pitch, K.PixelsPerInch, K.Antialiased, K.Dpi);
}

int StyleBits(TFontStyles Style)
{
    int Bits = 0;
    for (TFontStyle S : {fsBold, fsItalic, fsUnderline, fsStrikeOut})
        if (Style.Contains(S))
            Bits |= 1 << S;
    return Bits;
}

// Bounds, so that a program that meets many fonts or texts does not grow.
constexpr qsizetype MaxFaces = 64;
constexpr qsizetype MaxAdvances = 2048;
constexpr qsizetype MaxRememberedLength = 64;

thread_local QHash<TFaceKey, std::shared_ptr<const TFontFace>> Faces;

// Whether a kept face still stands for its font here and now.
bool Current(const std::shared_ptr<const TFontFace>& Face)
{
    const bool Antialiased = !(Face->Font().styleStrategy() & QFont::NoAntialias);
    return Face->OfThisThread() && Antialiased == CanvasTextAntialiasing();
}

} // namespace

TFontFace::TFontFace(const QFont& Font, const QPaintDevice* Device)
    : FFont(Font), FMetrics(Device ? QFontMetrics(FFont, Device) : QFontMetrics(FFont)),
      FDpi(Device ? Device->logicalDpiY() : 0), FHeight(FMetrics.height()), FAscent(FMetrics.ascent()),
      FLeading(FMetrics.leading()),
      FThread(&Faces)
{
}

int TFontFace::Advance(const QString& Text) const
{
    if (Text.size() > MaxRememberedLength)
        return FMetrics.horizontalAdvance(Text);
    const auto Known = FAdvances.constFind(Text);
    if (Known != FAdvances.cend())
        return *Known;
    if (FAdvances.size() >= MaxAdvances)
        FAdvances.clear();
    const int Width = FMetrics.horizontalAdvance(Text);
    FAdvances.insert(Text, Width);
    return Width;
}

bool TFontFace::OfThisThread() const { return FThread == &Faces; }

QFont TFont::ToQFont() const
{
    if (FFace && Current(FFace))
        return FFace->Font();
    return Face(nullptr).Font();
}

const TFontFace& TFont::Face(const QPaintDevice* Device) const
{
    const int Dpi = Device ? Device->logicalDpiY() : 0;
    if (FFace && FFace->Dpi() == Dpi && Current(FFace))
        return *FFace;
    const TFaceKey Key{FName, FHeight, StyleBits(FStyle), int(FPitch), FPixelsPerInch, CanvasTextAntialiasing(), Dpi};
    auto Found = Faces.constFind(Key);
    if (Found == Faces.cend()) {
        if (Faces.size() >= MaxFaces)
            Faces.clear();
        Found = Faces.insert(Key, std::make_shared<const TFontFace>(BuildQFont(), Device));
    }
    FFace = *Found;
    return *FFace;
}
