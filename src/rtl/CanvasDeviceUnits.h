#pragma once
// The canvas's conversion between the metric mapping mode and device units,
// shared by the canvas and its text drawing.
#include "rtl/Graphics.h"

#include <algorithm>
#include <cmath>

namespace canvasunits {

constexpr double TenthsMmPerInch = 254.0;

inline Integer LogicalToDevice(Integer V, Integer Dpi) { return Integer(std::lround(V * double(Dpi) / TenthsMmPerInch)); }
inline Integer DeviceToLogical(Integer V, Integer Dpi) { return Integer(std::lround(V * TenthsMmPerInch / double(Dpi))); }

// A length that is not zero stays at least one device unit long.
inline Integer LogicalLengthToDevice(Integer V, Integer Dpi)
{
    const Integer D = LogicalToDevice(V, Dpi);
    return D == 0 && V != 0 ? (V < 0 ? -1 : 1) : D;
}

} // namespace canvasunits

// While it lives, a canvas in the metric mode works in device units: the
// mode is MM_TEXT and the font height and pen width are converted; all is
// put back at the end. Public operations convert their arguments with it
// and call themselves again.
class TCanvas::TDeviceUnits {
public:
    explicit TDeviceUnits(TCanvas* Canvas)
        : FCanvas(Canvas), FDpiX(Canvas->PixelsPerInchX()), FDpiY(Canvas->PixelsPerInchY()),
          FMode(Canvas->FMapMode), FFontHeight(Canvas->FFont->Height()), FPenWidth(Canvas->FPen->Width())
    {
        FCanvas->FMapMode = MM_TEXT;
        FCanvas->FFont->SetHeight(canvasunits::LogicalLengthToDevice(FFontHeight, FDpiY));
        FCanvas->FPen->SetWidth(std::max(1, canvasunits::LogicalToDevice(FPenWidth, FDpiX)));
    }
    ~TDeviceUnits()
    {
        FCanvas->FFont->SetHeight(FFontHeight);
        FCanvas->FPen->SetWidth(FPenWidth);
        FCanvas->FMapMode = FMode;
    }
    TDeviceUnits(const TDeviceUnits&) = delete;
    TDeviceUnits& operator=(const TDeviceUnits&) = delete;

    Integer X(Integer V) const { return canvasunits::LogicalToDevice(V, FDpiX); }
    Integer Y(Integer V) const { return canvasunits::LogicalToDevice(-V, FDpiY); }
    TPoint Point(const TPoint& P) const { return TPoint(X(P.X), Y(P.Y)); }
    TRect Rect(const TRect& R) const
    {
        return TRect(std::min(X(R.Left), X(R.Right)), std::min(Y(R.Top), Y(R.Bottom)),
                     std::max(X(R.Left), X(R.Right)), std::max(Y(R.Top), Y(R.Bottom)));
    }
    Integer Width(Integer V) const { return canvasunits::DeviceToLogical(V, FDpiX); }
    Integer Height(Integer V) const { return canvasunits::DeviceToLogical(V, FDpiY); }

private:
    TCanvas* FCanvas;
    Integer FDpiX;
    Integer FDpiY;
    Integer FMode;
    Integer FFontHeight;
    Integer FPenWidth;
};

