#pragma once
// Colours, fonts, pens, brushes, the canvas and the picture classes.
//
// The canvas paints through a QPainter with the conventions the drawing code
// was written for: right and bottom edges are exclusive, LineTo leaves its end
// point out, text is placed by its top-left corner, and a solid brush fills
// behind text. Colours are the framework's 32-bit values (see TColor).
#include "rtl/Classes.h"
#include "rtl/Types.h"
#include "rtl/TypInfo.h"

#include <QByteArray>
#include <QImage>
#include <QRect>

#include <functional>
#include <memory>
#include <vector>


class QColor;
class QFont;
class TFontFace;
class QPainter;
class QPaintDevice;

class TCanvas;
class TGraphic;
class TBitmap;

RTL_DECLARE_EXCEPTION(EInvalidGraphic, Exception)
RTL_DECLARE_EXCEPTION(EInvalidGraphicOperation, Exception)
RTL_DECLARE_EXCEPTION(EResNotFound, Exception)

// ---------------------------------------------------------------------------
// Colours

// 0x00BBGGRR: red in the low byte. 0xFF0000nn is system colour nn, resolved
// when drawn; clNone and clDefault are markers, not colours.
using TColor = Integer;

constexpr TColor clSystemColor = TColor(0xFF000000u);

constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clLtGray = 0xC0C0C0;
constexpr TColor clDkGray = 0x808080;
constexpr TColor clMoneyGreen = 0xC0DCC0;
constexpr TColor clSkyBlue = 0xF0CAA6;
constexpr TColor clCream = 0xF0FBFF;
constexpr TColor clMedGray = 0xA4A0A0;

constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;

constexpr TColor clScrollBar = clSystemColor | 0;
constexpr TColor clBackground = clSystemColor | 1;
constexpr TColor clActiveCaption = clSystemColor | 2;
constexpr TColor clInactiveCaption = clSystemColor | 3;
constexpr TColor clMenu = clSystemColor | 4;
constexpr TColor clWindow = clSystemColor | 5;
constexpr TColor clWindowFrame = clSystemColor | 6;
constexpr TColor clMenuText = clSystemColor | 7;
constexpr TColor clWindowText = clSystemColor | 8;
constexpr TColor clCaptionText = clSystemColor | 9;
constexpr TColor clActiveBorder = clSystemColor | 10;
constexpr TColor clInactiveBorder = clSystemColor | 11;
constexpr TColor clAppWorkSpace = clSystemColor | 12;
constexpr TColor clHighlight = clSystemColor | 13;
constexpr TColor clHighlightText = clSystemColor | 14;
constexpr TColor clBtnFace = clSystemColor | 15;
constexpr TColor clBtnShadow = clSystemColor | 16;
constexpr TColor clGrayText = clSystemColor | 17;
constexpr TColor clBtnText = clSystemColor | 18;
constexpr TColor clInactiveCaptionText = clSystemColor | 19;
constexpr TColor clBtnHighlight = clSystemColor | 20;
constexpr TColor cl3DDkShadow = clSystemColor | 21;
constexpr TColor cl3DLight = clSystemColor | 22;
constexpr TColor clInfoText = clSystemColor | 23;
constexpr TColor clInfoBk = clSystemColor | 24;
constexpr TColor clHotLight = clSystemColor | 26;
constexpr TColor clGradientActiveCaption = clSystemColor | 27;
constexpr TColor clGradientInactiveCaption = clSystemColor | 28;
constexpr TColor clMenuHighlight = clSystemColor | 29;
constexpr TColor clMenuBar = clSystemColor | 30;

constexpr TColor RGB(Byte R, Byte G, Byte B)
{
    return TColor(Cardinal(R) | (Cardinal(G) << 8) | (Cardinal(B) << 16));
}
constexpr Byte GetRValue(TColor C) { return Byte(Cardinal(C) & 0xFF); }
constexpr Byte GetGValue(TColor C) { return Byte((Cardinal(C) >> 8) & 0xFF); }
constexpr Byte GetBValue(TColor C) { return Byte((Cardinal(C) >> 16) & 0xFF); }

// A system colour becomes its value from the fixed table (see
// docs/architecture.md); every other value is returned unchanged.
TColor ColorToRGB(TColor Color);
// The colour to paint with; clNone and clDefault give an invalid QColor,
// which the canvas treats as "paint nothing".
QColor ColorToQColor(TColor Color);
// An opaque QColor as 0x00BBGGRR.
TColor QColorToColor(const QColor& Color);
// True for values that name a colour (RGB or system), false for markers.
bool IsPaintableColor(TColor Color);

// The 52 colour names ("clWhite", "clBtnFace", "clNone" ...). IdentToColor
// ignores case; both answer false for a name or value not in the table.
bool ColorToIdent(TColor Color, String& Ident);
bool IdentToColor(const String& Ident, TColor& Color);
// A colour property of a component stream: a name of the table as an
// identifier, any other colour as an integer.
void WriteColorProperty(TObjectRecordWriter& W, QByteArrayView Name, TColor Color);
// The name, or "$" and eight upper-case hexadecimal digits.
String ColorToString(TColor Color);
// A name, or a number as StrToInt reads it ("$" hexadecimal, decimal);
// EConvertError otherwise.
TColor StringToColor(const String& S);

// ---------------------------------------------------------------------------
// Rectangle conversions for the layer's own use.

inline QRect ToQRect(const TRect& R) { return QRect(R.Left, R.Top, R.Right - R.Left, R.Bottom - R.Top); }
inline TRect FromQRect(const QRect& R) { return TRect(R.x(), R.y(), R.x() + R.width(), R.y() + R.height()); }

// ---------------------------------------------------------------------------
// Fonts, pens and brushes

// Base of the drawing tools: every change raises OnChange.
class TGraphicsObject : public TPersistent {
public:
    TNotifyEvent OnChange;

protected:
    virtual void Changed();
};

RTL_NAMED_ENUM(TFontStyle, fsBold, fsItalic, fsUnderline, fsStrikeOut)
using TFontStyles = TSet<TFontStyle>;
enum TFontPitch { fpDefault, fpVariable, fpFixed };
using TFontCharset = Byte;
using TFontName = String;

constexpr TFontCharset ANSI_CHARSET = 0;
constexpr TFontCharset DEFAULT_CHARSET = 1;
constexpr TFontCharset SYMBOL_CHARSET = 2;
constexpr TFontCharset OEM_CHARSET = 255;

// Height is in device pixels: negative is the character (em) height,
// positive the cell height with internal leading. Size is in points at
// PixelsPerInch (96 unless set): Size = -Height * 72 / PixelsPerInch, rounded.
class TFont : public TGraphicsObject {
public:
    TFont();

    void Assign(TPersistent* Source) override;

    const TFontName& Name() const { return FName; }
    void SetName(const TFontName& Value);
    Integer Height() const { return FHeight; }
    void SetHeight(Integer Value);
    Integer Size() const;
    void SetSize(Integer Value);
    TFontStyles Style() const { return FStyle; }
    void SetStyle(TFontStyles Value);
    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    TFontCharset Charset() const { return FCharset; }
    void SetCharset(TFontCharset Value);
    TFontPitch Pitch() const { return FPitch; }
    void SetPitch(TFontPitch Value);
    Integer PixelsPerInch() const { return FPixelsPerInch; }
    void SetPixelsPerInch(Integer Value);
    // Text turned counter-clockwise about its starting point, in tenths of
    // a degree; the canvas honours it in TextOut, TextRect and DrawText.
    Integer Orientation() const { return FOrientation; }
    void SetOrientation(Integer Value);

    // The Qt font with the same face, pixel height and style.
    QFont ToQFont() const;
    // That font at the resolution of Device (null: the font's own) with its
    // metrics, kept until a property that changes the glyphs changes.
    const TFontFace& Face(const QPaintDevice* Device) const;

private:
    QFont BuildQFont() const;
    // A property that changes the glyphs changed.
    void Reshaped();

    TFontName FName;
    Integer FHeight;
    TFontStyles FStyle;
    TColor FColor;
    TFontCharset FCharset = DEFAULT_CHARSET;
    TFontPitch FPitch = fpDefault;
    Integer FPixelsPerInch = 96;
    Integer FOrientation = 0;
    mutable std::shared_ptr<const TFontFace> FFace;
};

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame, psUserStyle, psAlternate };
// How the pen's colour combines with the pixels under it (P pen, D destination).
enum TPenMode {
    pmBlack, pmWhite, pmNop, pmNot, pmCopy, pmNotCopy, pmMergePenNot, pmMaskPenNot,
    pmMergeNotPen, pmMaskNotPen, pmMerge, pmNotMerge, pmMask, pmNotMask, pmXor, pmNotXor
};

class TPen : public TGraphicsObject {
public:
    void Assign(TPersistent* Source) override;

    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    Integer Width() const { return FWidth; }
    void SetWidth(Integer Value);
    TPenStyle Style() const { return FStyle; }
    void SetStyle(TPenStyle Value);
    TPenMode Mode() const { return FMode; }
    void SetMode(TPenMode Value);

private:
    TColor FColor = clBlack;
    Integer FWidth = 1;
    TPenStyle FStyle = psSolid;
    TPenMode FMode = pmCopy;
};

RTL_NAMED_ENUM(TBrushStyle, bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross)

// Setting a colour turns a clear brush solid again, as the framework does.
// A brush bitmap (not owned) replaces colour and style as the fill pattern.
class TBrush : public TGraphicsObject {
public:
    void Assign(TPersistent* Source) override;

    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    TBrushStyle Style() const { return FStyle; }
    void SetStyle(TBrushStyle Value);
    TBitmap* Bitmap() const { return FBitmap; }
    void SetBitmap(TBitmap* Value);

private:
    TColor FColor = clWhite;
    TBrushStyle FStyle = bsSolid;
    TBitmap* FBitmap = nullptr;
};

// ---------------------------------------------------------------------------
// Canvas

// Mapping modes of TCanvas::SetMapMode, as the platform numbers them.
constexpr Integer MM_TEXT = 1;
constexpr Integer MM_LOMETRIC = 2;

// Raster operations of CopyRect, as the framework numbers them.
using TCopyMode = LongInt;
constexpr TCopyMode cmBlackness = 0x00000042;
constexpr TCopyMode cmDstInvert = 0x00550009;
constexpr TCopyMode cmMergeCopy = 0x00C000CA;
constexpr TCopyMode cmMergePaint = 0x00BB0226;
constexpr TCopyMode cmNotSrcCopy = 0x00330008;
constexpr TCopyMode cmNotSrcErase = 0x001100A6;
constexpr TCopyMode cmPatCopy = 0x00F00021;
constexpr TCopyMode cmPatInvert = 0x005A0049;
constexpr TCopyMode cmPatPaint = 0x00FB0A09;
constexpr TCopyMode cmSrcAnd = 0x008800C6;
constexpr TCopyMode cmSrcCopy = 0x00CC0020;
constexpr TCopyMode cmSrcErase = 0x00440328;
constexpr TCopyMode cmSrcInvert = 0x00660046;
constexpr TCopyMode cmSrcPaint = 0x00EE0086;
constexpr TCopyMode cmWhiteness = 0x00FF0062;

enum TFillStyle { fsSurface, fsBorder };

// Text drawing flags of DrawText.
constexpr Cardinal DT_TOP = 0x0000;
constexpr Cardinal DT_LEFT = 0x0000;
constexpr Cardinal DT_CENTER = 0x0001;
constexpr Cardinal DT_RIGHT = 0x0002;
constexpr Cardinal DT_VCENTER = 0x0004;
constexpr Cardinal DT_BOTTOM = 0x0008;
constexpr Cardinal DT_WORDBREAK = 0x0010;
constexpr Cardinal DT_SINGLELINE = 0x0020;
constexpr Cardinal DT_EXPANDTABS = 0x0040;
constexpr Cardinal DT_NOCLIP = 0x0100;
constexpr Cardinal DT_EXTERNALLEADING = 0x0200;
constexpr Cardinal DT_CALCRECT = 0x0400;
constexpr Cardinal DT_NOPREFIX = 0x0800;
// With several lines: a last line that would show only in part is left out.
constexpr Cardinal DT_EDITCONTROL = 0x2000;
constexpr Cardinal DT_PATH_ELLIPSIS = 0x4000;
constexpr Cardinal DT_END_ELLIPSIS = 0x8000;
constexpr Cardinal DT_RTLREADING = 0x20000;
constexpr Cardinal DT_WORD_ELLIPSIS = 0x40000;

// A canvas paints through a QPainter. It is made over
// - a painter that is already active (a widget's paint event): the canvas
//   borrows it and never ends it;
// - a paint device (the image of a TBitmap, a printer): the canvas opens its
//   own painter on first use and ends it in Release() or when destroyed.
// Pen, brush and font are the canvas's own objects; assigning to them copies.
class TCanvas : public TPersistent {
public:
    TCanvas();
    explicit TCanvas(QPainter* Painter);
    explicit TCanvas(QPaintDevice* Device);
    ~TCanvas() override;
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    void SetPainter(QPainter* Painter);
    void SetDevice(QPaintDevice* Device);
    // True when the canvas has something to paint on.
    bool HandleAllocated() const;
    // Ends the canvas's own painter (if any) so the device can be read or
    // resized; the next drawing call opens it again. Clipping is kept.
    void Release();
    // The active painter, opened on demand; nullptr without a device.
    QPainter* Painter();

    TFont* Font() const { return FFont.get(); }
    void SetFont(TFont* Value);
    TPen* Pen() const { return FPen.get(); }
    void SetPen(TPen* Value);
    TBrush* Brush() const { return FBrush.get(); }
    void SetBrush(TBrush* Value);

    TPoint PenPos() const { return FPenPos; }
    void SetPenPos(const TPoint& Value) { FPenPos = Value; }
    TCopyMode CopyMode() const { return FCopyMode; }
    void SetCopyMode(TCopyMode Value) { FCopyMode = Value; }

    // Clipping. ClipRect is the bounding box of the current clip region (the
    // whole device when nothing is clipped).
    TRect ClipRect();
    void IntersectClipRect(const TRect& R);
    void ExcludeClipRect(const TRect& R);
    void SelectClipRect(const TRect& R);
    // The union of the rectangles becomes the clip region; an empty list
    // removes clipping.
    void SelectClipRgn(const std::vector<TRect>& Rects);
    // The clip region put aside and taken back, innermost first (what
    // SaveDC and RestoreDC keep of a device context that code clips).
    void SaveClipping();
    void RestoreClipping();

    void MoveTo(Integer X, Integer Y);
    void LineTo(Integer X, Integer Y);
    void Polyline(const std::vector<TPoint>& Points);
    void Polygon(const std::vector<TPoint>& Points);

    void FillRect(const TRect& R);
    void FrameRect(const TRect& R);
    void Rectangle(Integer X1, Integer Y1, Integer X2, Integer Y2);
    void Rectangle(const TRect& R);
    void RoundRect(Integer X1, Integer Y1, Integer X2, Integer Y2, Integer X3, Integer Y3);
    void RoundRect(const TRect& R, Integer CX, Integer CY);
    void Ellipse(Integer X1, Integer Y1, Integer X2, Integer Y2);
    void Ellipse(const TRect& R);
    // The ellipse in (X1, Y1, X2, Y2); the curve runs counter-clockwise from
    // where the ray from the centre through (X3, Y3) meets it to where the
    // ray through (X4, Y4) does. Equal rays give the whole ellipse.
    void Arc(Integer X1, Integer Y1, Integer X2, Integer Y2, Integer X3, Integer Y3, Integer X4, Integer Y4);
    void Pie(Integer X1, Integer Y1, Integer X2, Integer Y2, Integer X3, Integer Y3, Integer X4, Integer Y4);
    void Chord(Integer X1, Integer Y1, Integer X2, Integer Y2, Integer X3, Integer Y3, Integer X4, Integer Y4);
    // Dotted frame that inverts the pixels; drawing it twice removes it.
    void DrawFocusRect(const TRect& R);
    // Fills with the brush from (X, Y): fsBorder up to pixels of Color,
    // fsSurface over the connected pixels of Color. Needs an image device.
    void FloodFill(Integer X, Integer Y, TColor Color, TFillStyle FillStyle);

    // Text at its top-left corner; a solid brush fills behind it. The pen
    // position moves to the end of the text.
    void TextOut(Integer X, Integer Y, const String& Text);
    // Text at (X, Y) clipped to R; a solid brush fills all of R first.
    void TextRect(const TRect& R, Integer X, Integer Y, const String& Text);
    Integer TextWidth(const String& Text);
    Integer TextHeight(const String& Text);
    TSize TextExtent(const String& Text);

    void Draw(Integer X, Integer Y, TGraphic* Graphic);
    void StretchDraw(const TRect& R, TGraphic* Graphic);
    // Copies Source of the other canvas into Dest with CopyMode, scaled when
    // the sizes differ.
    void CopyRect(const TRect& Dest, TCanvas* Canvas, const TRect& Source);

    // -1 outside the device or when the device cannot be read.
    TColor Pixels(Integer X, Integer Y);
    void SetPixels(Integer X, Integer Y, TColor Value);

    // The device's pixels, when it is an image (for the picture classes).
    QImage* DeviceImage();

    // Mapping mode. In MM_LOMETRIC one logical unit is 0.1 mm and y grows
    // upward from the device's top edge; every coordinate, length, font
    // height and pen width the canvas is given is converted to device units
    // (never mirrored, so text stays upright) and measures come back in
    // logical units. Answers the mode it replaces.
    Integer SetMapMode(Integer Mode);
    Integer MapMode() const { return FMapMode; }
    TPoint LPtoDP(const TPoint& P) const;
    TPoint DPtoLP(const TPoint& P) const;
    // Device rectangles come out normalised; logical ones keep the device's
    // top as Top (so Bottom is the lower, negative value).
    TRect LPtoDP(const TRect& R) const;
    TRect DPtoLP(const TRect& R) const;
    // The device's resolution; a device that reports none counts as the
    // screen (96).
    Integer PixelsPerInchX() const;
    Integer PixelsPerInchY() const;

private:
    struct TClipState;
    class TDeviceUnits;

    void ApplyPen(QPainter* P);
    void ApplyBrush(QPainter* P);
    void ApplyFont(QPainter* P);
    // With a turned font: saves the painter, moves its origin to (X, Y) and
    // turns it, and sets X and Y to 0; the caller restores the painter.
    // False (nothing done) for an upright font.
    bool TurnForText(QPainter* P, int& X, int& Y);
    void FillWithBrush(QPainter* P, const QRect& R);
    void StrokeLine(QPainter* P, TPoint From, TPoint To);
    void PenDraw(bool Filled, const std::function<void(QPainter*)>& Draw);
    void ArcShape(int Kind, Integer X1, Integer Y1, Integer X2, Integer Y2, Integer X3, Integer Y3,
                  Integer X4, Integer Y4);
    void ApplyClip(QPainter* P);
    QRect DeviceRect() const;
    QPaintDevice* Device() const;

    QPainter* FPainter = nullptr;
    std::unique_ptr<QPainter> FOwnPainter;
    QPaintDevice* FDevice = nullptr;
    std::unique_ptr<TFont> FFont;
    std::unique_ptr<TPen> FPen;
    std::unique_ptr<TBrush> FBrush;
    TPoint FPenPos;
    TCopyMode FCopyMode = cmSrcCopy;
    std::unique_ptr<TClipState> FClip;
    std::vector<TClipState> FSavedClips;
    Integer FMapMode = 1;

    friend Integer DrawText(TCanvas*, const String&, Integer, TRect&, Cardinal);
};

// Draws or measures Text in R (see the DT_ flags). "&" underlines the next
// character and "&&" shows one "&" unless DT_NOPREFIX. With DT_CALCRECT it
// draws nothing and sets R's right and bottom edges to the text's extent.
// Returns the height of the text (with DT_VCENTER or DT_BOTTOM: the offset
// from R's top to the bottom of the text). Count < 0 takes the whole text.
Integer DrawText(TCanvas* Canvas, const String& Text, Integer Count, TRect& R, Cardinal Format);
Integer DrawText(TCanvas* Canvas, const String& Text, TRect& R, Cardinal Format);

enum TGradientDirection { gdHorizontal, gdVertical };
// Horizontal: StartColor in the left column, EndColor in the right column
// (R.Right - 1); vertical likewise from top to bottom.
void GradientFillRect(TCanvas* Canvas, const TRect& R, TColor StartColor, TColor EndColor,
                      TGradientDirection Direction);

// Text is drawn without antialiasing unless this is switched on, so that
// drawings come out the same on every machine.
void SetCanvasTextAntialiasing(bool Value);
bool CanvasTextAntialiasing();

// ---------------------------------------------------------------------------
// Pictures

// A picture of some format. Empty pictures draw nothing.
class TGraphic : public TPersistent {
public:
    TGraphic() = default;
    TGraphic(const TGraphic&) = delete;
    TGraphic& operator=(const TGraphic&) = delete;

    virtual bool Empty() const = 0;
    virtual Integer Width() const = 0;
    virtual Integer Height() const = 0;
    virtual void SetWidth(Integer Value);
    virtual void SetHeight(Integer Value);
    virtual void SetSize(Integer AWidth, Integer AHeight);
    virtual bool Transparent() const { return FTransparent; }
    virtual void SetTransparent(bool Value);
    bool Modified() const { return FModified; }
    void SetModified(bool Value);

    // Reading raises EFOpenError for a missing file and EInvalidGraphic for
    // data that is not a valid picture of this class.
    void LoadFromFile(const String& FileName);
    void SaveToFile(const String& FileName);
    // Reads from the stream's position to its end.
    void LoadFromStream(TStream* Stream);
    void SaveToStream(TStream* Stream);
    virtual void LoadFromBytes(const QByteArray& Data) = 0;
    virtual QByteArray SaveToBytes() = 0;

    // Draws the picture scaled into R, honouring Transparent.
    virtual void Draw(TCanvas* ACanvas, const TRect& R) = 0;
    // The picture's pixels (empty image when Empty).
    virtual QImage ToImage() const = 0;

    TNotifyEvent OnChange;

protected:
    virtual void Changed();
    // Draws Image scaled into R on the canvas.
    static void DrawImage(TCanvas* ACanvas, const TRect& R, const QImage& Image);

private:
    bool FTransparent = false;
    bool FModified = false;
};

enum TPixelFormat { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit, pfCustom };
enum TTransparentMode { tmAuto, tmFixed };

// A bitmap in memory with a canvas to draw on it. Pixels are kept as 32-bit
// RGB (with alpha for pf32bit); PixelFormat only decides how the bitmap is
// written. When Transparent, pixels of TransparentColor are left out when
// the bitmap is drawn; in tmAuto that is the bottom-left pixel's colour.
class TBitmap : public TGraphic {
public:
    TBitmap();
    TBitmap(Integer AWidth, Integer AHeight);
    ~TBitmap() override;

    void Assign(TPersistent* Source) override;

    bool Empty() const override;
    Integer Width() const override;
    Integer Height() const override;
    void SetWidth(Integer Value) override;
    void SetHeight(Integer Value) override;
    void SetSize(Integer AWidth, Integer AHeight) override;

    TCanvas* Canvas();
    TPixelFormat PixelFormat() const { return FPixelFormat; }
    void SetPixelFormat(TPixelFormat Value);
    TColor TransparentColor() const;
    void SetTransparentColor(TColor Value);
    TTransparentMode TransparentMode() const { return FTransparentMode; }
    void SetTransparentMode(TTransparentMode Value);

    // The program's bitmap resource of that name (a Qt resource under
    // ":/bitmaps/", with or without an image extension); EResNotFound when
    // there is none.
    void LoadFromResourceName(const String& ResName);

    // BMP data.
    void LoadFromBytes(const QByteArray& Data) override;
    QByteArray SaveToBytes() override;

    void Draw(TCanvas* ACanvas, const TRect& R) override;
    QImage ToImage() const override;
    // The pixels as drawn: with Transparent, pixels of TransparentColor have
    // alpha 0.
    QImage MaskedImage() const;

    // The pixels, for the layer's own use; the canvas's painter is ended first.
    QImage& Image();
    void SetImage(const QImage& Value);

private:
    QImage::Format ImageFormat() const;

    QImage FImage;
    Integer FEmptyWidth = 0;
    Integer FEmptyHeight = 0;
    std::unique_ptr<TCanvas> FCanvas;
    TPixelFormat FPixelFormat = pf24bit;
    TColor FTransparentColor = clDefault;
    TTransparentMode FTransparentMode = tmAuto;
};

// Lighter grey tones of the image, alpha kept: the look of a disabled picture.
QImage GrayedImage(const QImage& Source);

// A JPEG picture, read and written through libjpeg. The loaded data is
// written back unchanged until the picture is changed; then it is encoded
// again with CompressionQuality (1..100).
class TJPEGImage : public TGraphic {
public:
    void Assign(TPersistent* Source) override;

    bool Empty() const override { return FImage.isNull(); }
    Integer Width() const override { return FImage.width(); }
    Integer Height() const override { return FImage.height(); }
    Integer CompressionQuality() const { return FQuality; }
    void SetCompressionQuality(Integer Value);
    bool Grayscale() const { return FGrayscale; }
    void SetGrayscale(bool Value);

    void LoadFromBytes(const QByteArray& Data) override;
    QByteArray SaveToBytes() override;
    void Draw(TCanvas* ACanvas, const TRect& R) override;
    QImage ToImage() const override { return FImage; }

private:
    QImage FImage;
    QByteArray FData;
    Integer FQuality = 90;
    bool FGrayscale = false;
};

// A PNG picture, read and written through libpng; keeps its alpha channel.
class TPngImage : public TGraphic {
public:
    void Assign(TPersistent* Source) override;

    bool Empty() const override { return FImage.isNull(); }
    Integer Width() const override { return FImage.width(); }
    Integer Height() const override { return FImage.height(); }
    // zlib level 0..9.
    Integer CompressionLevel() const { return FCompressionLevel; }
    void SetCompressionLevel(Integer Value);

    void LoadFromBytes(const QByteArray& Data) override;
    QByteArray SaveToBytes() override;
    void Draw(TCanvas* ACanvas, const TRect& R) override;
    QImage ToImage() const override { return FImage; }

private:
    QImage FImage;
    Integer FCompressionLevel = 7;
};

// A GIF picture (its first frame), read through Qt. It is written back as it
// was read; a GIF cannot be made from other pixels.
class TGIFImage : public TGraphic {
public:
    void Assign(TPersistent* Source) override;

    bool Empty() const override { return FImage.isNull(); }
    Integer Width() const override { return FImage.width(); }
    Integer Height() const override { return FImage.height(); }

    void LoadFromBytes(const QByteArray& Data) override;
    QByteArray SaveToBytes() override;
    void Draw(TCanvas* ACanvas, const TRect& R) override;
    QImage ToImage() const override { return FImage; }

private:
    QImage FImage;
    QByteArray FData;
};

// An icon (ICO data, the largest image of the file); always transparent
// through its alpha channel.
class TIcon : public TGraphic {
public:
    TIcon();
    void Assign(TPersistent* Source) override;

    bool Empty() const override { return FImage.isNull(); }
    Integer Width() const override { return FImage.width(); }
    Integer Height() const override { return FImage.height(); }

    void LoadFromBytes(const QByteArray& Data) override;
    QByteArray SaveToBytes() override;
    void Draw(TCanvas* ACanvas, const TRect& R) override;
    QImage ToImage() const override { return FImage; }

private:
    QImage FImage;
};

// Picture data the runtime cannot show, kept as read and written back
// unchanged; drawn empty, 0 x 0.
class TDataGraphic : public TGraphic {
public:
    // From another graphic of the same class.
    void Assign(TPersistent* Source) override;
    // A new graphic of this class with the same data.
    virtual std::unique_ptr<TDataGraphic> Clone() const = 0;

    bool Empty() const override { return FData.isEmpty(); }
    Integer Width() const override { return 0; }
    Integer Height() const override { return 0; }
    void LoadFromBytes(const QByteArray& Data) override;
    QByteArray SaveToBytes() override { return FData; }
    void Draw(TCanvas*, const TRect&) override {}
    QImage ToImage() const override { return QImage(); }

protected:
    template <class T>
    std::unique_ptr<TDataGraphic> CloneAs() const
    {
        auto N = std::make_unique<T>();
        static_cast<TDataGraphic*>(N.get())->FData = FData;
        return N;
    }

private:
    QByteArray FData;
};

class TMetafile : public TDataGraphic {
public:
    std::unique_ptr<TDataGraphic> Clone() const override { return CloneAs<TMetafile>(); }
};

class TWICImage : public TDataGraphic {
public:
    std::unique_ptr<TDataGraphic> Clone() const override { return CloneAs<TWICImage>(); }
};

// Holds one graphic of any of the classes above. Loading picks the class by
// the data's signature (BMP, JPEG, PNG, GIF, ICO), for files by the file
// name's extension when the signature is unknown.
class TPicture : public TPersistent {
public:
    TPicture();
    ~TPicture() override;
    TPicture(const TPicture&) = delete;
    TPicture& operator=(const TPicture&) = delete;

    void Assign(TPersistent* Source) override;

    TGraphic* Graphic() const { return FGraphic.get(); }
    // Keeps a copy of Value (nullptr empties the picture).
    void SetGraphic(TGraphic* Value);
    // The picture as a bitmap: a picture of another class is converted to a
    // bitmap with the same pixels; an empty picture becomes an empty bitmap.
    TBitmap* Bitmap();
    void SetBitmap(TBitmap* Value);
    TIcon* Icon();
    void SetIcon(TIcon* Value);

    Integer Width() const;
    Integer Height() const;

    void LoadFromFile(const String& FileName);
    void SaveToFile(const String& FileName);
    // Reads from the stream's position to its end.
    void LoadFromStream(TStream* Stream);
    void SaveToStream(TStream* Stream);
    void LoadFromBytes(const QByteArray& Data);
    QByteArray SaveToBytes();

    TNotifyEvent OnChange;

private:
    void TakeGraphic(std::unique_ptr<TGraphic> Value);
    void Changed();

    std::unique_ptr<TGraphic> FGraphic;
};

// The graphic class for data by its first bytes; nullptr when unknown.
std::unique_ptr<TGraphic> CreateGraphicForData(const QByteArray& Data);
