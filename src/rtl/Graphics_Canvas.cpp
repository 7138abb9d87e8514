// The canvas: shapes, lines, text, pictures, clipping and pixels over QPainter.
#include "rtl/Graphics.h"

#include "rtl/CanvasDeviceUnits.h"
#include "rtl/FontFace.h"

#include <QPaintDevice>
#include <QPainter>
#include <QPainterPath>
#include <QRegion>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

bool GTextAntialiasing = false;

// Dash patterns of the pen styles, in pen widths.
QList<qreal> CanvasDashPattern(TPenStyle Style)
{
    switch (Style) {
    case psDash: return {18, 6};
    case psDot: return {3, 3};
    case psDashDot: return {9, 6, 3, 6};
    case psDashDotDot: return {9, 3, 3, 3, 3, 3};
    case psAlternate: return {1, 1};
    default: return {};
    }
}

QPainter::CompositionMode CanvasPenComposition(TPenMode Mode)
{
    switch (Mode) {
    case pmNot: return QPainter::RasterOp_NotDestination;
    case pmNotCopy: return QPainter::RasterOp_NotSource;
    case pmMergePenNot: return QPainter::RasterOp_SourceOrNotDestination;
    case pmMaskPenNot: return QPainter::RasterOp_SourceAndNotDestination;
    case pmMergeNotPen: return QPainter::RasterOp_NotSourceOrDestination;
    case pmMaskNotPen: return QPainter::RasterOp_NotSourceAndDestination;
    case pmMerge: return QPainter::RasterOp_SourceOrDestination;
    case pmNotMerge: return QPainter::RasterOp_NotSourceAndNotDestination;
    case pmMask: return QPainter::RasterOp_SourceAndDestination;
    case pmNotMask: return QPainter::RasterOp_NotSourceOrNotDestination;
    case pmXor: return QPainter::RasterOp_SourceXorDestination;
    case pmNotXor: return QPainter::RasterOp_NotSourceXorDestination;
    default: return QPainter::CompositionMode_SourceOver;
    }
}

// The colour a pen or brush paints with under the pen mode; invalid when
// nothing is to be painted.
QColor CanvasModeColor(TPenMode Mode, TColor Color)
{
    switch (Mode) {
    case pmNop: return QColor();
    case pmBlack: return QColor(0, 0, 0);
    case pmWhite: return QColor(255, 255, 255);
    case pmNot: return QColor(0, 0, 0); // the source does not matter
    default: return ColorToQColor(Color);
    }
}

// A solid line of one pixel along an axis, in copy mode on an unscaled
// painter, is the run of pixels from its start to the one before its end:
// it is filled as a rectangle, which costs a fraction of a stroke and sets
// no pen. False when the line is not of that kind.
bool FillAxisLine(QPainter* P, const TPen* Pen, TPoint From, TPoint To)
{
    if (Pen->Width() > 1 || Pen->Style() != psSolid || Pen->Mode() != pmCopy || From == To ||
        (From.X != To.X && From.Y != To.Y) || P->transform().type() > QTransform::TxTranslate)
        return false;
    const QColor C = ColorToQColor(Pen->Color());
    if (!C.isValid())
        return true;
    const TPoint Last(To.X - (To.X > From.X) + (To.X < From.X), To.Y - (To.Y > From.Y) + (To.Y < From.Y));
    if (P->compositionMode() != QPainter::CompositionMode_SourceOver)
        P->setCompositionMode(QPainter::CompositionMode_SourceOver);
    P->fillRect(QRect(QPoint(std::min(From.X, Last.X), std::min(From.Y, Last.Y)),
                      QPoint(std::max(From.X, Last.X), std::max(From.Y, Last.Y))),
                C);
    return true;
}

// The rectangle Qt outlines for the framework's (X1, Y1, X2, Y2) with a
// one-pixel pen: the outline runs over X1 .. X2-1 and Y1 .. Y2-1.
QRect CanvasShapeRect(Integer X1, Integer Y1, Integer X2, Integer Y2)
{
    if (X2 < X1)
        std::swap(X1, X2);
    if (Y2 < Y1)
        std::swap(Y1, Y2);
    return QRect(X1, Y1, X2 - X1 - 1, Y2 - Y1 - 1);
}

QPainter::CompositionMode CanvasCopyComposition(TCopyMode Mode)
{
    switch (Mode) {
    case cmSrcAnd: return QPainter::RasterOp_SourceAndDestination;
    case cmSrcPaint: return QPainter::RasterOp_SourceOrDestination;
    case cmSrcInvert: return QPainter::RasterOp_SourceXorDestination;
    case cmSrcErase: return QPainter::RasterOp_SourceAndNotDestination;
    case cmNotSrcCopy: return QPainter::RasterOp_NotSource;
    case cmNotSrcErase: return QPainter::RasterOp_NotSourceAndNotDestination;
    case cmMergePaint: return QPainter::RasterOp_NotSourceOrDestination;
    default: return QPainter::CompositionMode_Source;
    }
}

} // namespace

void SetCanvasTextAntialiasing(bool Value) { GTextAntialiasing = Value; }
bool CanvasTextAntialiasing() { return GTextAntialiasing; }

// The clip region the canvas has selected. Base is the clipping a borrowed
// painter came with; "no clipping" restores it.
struct TCanvas::TClipState {
    bool Active = false;
    QRegion Region;
    bool HasBase = false;
    QRegion Base;
};

TCanvas::TCanvas()
    : FFont(std::make_unique<TFont>()), FPen(std::make_unique<TPen>()), FBrush(std::make_unique<TBrush>()),
      FClip(std::make_unique<TClipState>())
{
}

TCanvas::TCanvas(QPainter* Painter) : TCanvas() { SetPainter(Painter); }

TCanvas::TCanvas(QPaintDevice* Device) : TCanvas() { SetDevice(Device); }

TCanvas::~TCanvas() { Release(); }

void TCanvas::SetPainter(QPainter* Painter)
{
    Release();
    FDevice = nullptr;
    FPainter = Painter;
    *FClip = TClipState();
    FSavedClips.clear();
    if (Painter && Painter->hasClipping()) {
        FClip->HasBase = true;
        FClip->Base = Painter->clipRegion();
    }
}

void TCanvas::SetDevice(QPaintDevice* Device)
{
    Release();
    FPainter = nullptr;
    FDevice = Device;
    *FClip = TClipState();
    FSavedClips.clear();
}

bool TCanvas::HandleAllocated() const { return FPainter != nullptr || FDevice != nullptr; }

void TCanvas::Release()
{
    if (FOwnPainter) {
        FOwnPainter->end();
        FOwnPainter.reset();
        FPainter = nullptr;
    }
}

QPainter* TCanvas::Painter()
{
    if (FPainter)
        return FPainter;
    if (!FDevice || FDevice->width() <= 0 || FDevice->height() <= 0)
        return nullptr;
    FOwnPainter = std::make_unique<QPainter>();
    if (!FOwnPainter->begin(FDevice)) {
        FOwnPainter.reset();
        return nullptr;
    }
    FPainter = FOwnPainter.get();
    FPainter->setRenderHint(QPainter::Antialiasing, false);
    FPainter->setRenderHint(QPainter::SmoothPixmapTransform, false);
    ApplyClip(FPainter);
    return FPainter;
}

QPaintDevice* TCanvas::Device() const
{
    if (FDevice)
        return FDevice;
    return FPainter ? FPainter->device() : nullptr;
}

QImage* TCanvas::DeviceImage()
{
    QPaintDevice* D = Device();
    if (D && D->devType() == QInternal::Image)
        return static_cast<QImage*>(D);
    return nullptr;
}

QRect TCanvas::DeviceRect() const
{
    QPaintDevice* D = Device();
    if (!D)
        return QRect();
    const QRect Whole(0, 0, D->width(), D->height());
    if (FPainter && FPainter->isActive())
        return FPainter->worldTransform().inverted().mapRect(Whole);
    return Whole;
}

// ---------------------------------------------------------------------------
// Mapping mode

Integer TCanvas::SetMapMode(Integer Mode)
{
    const Integer Old = FMapMode;
    if (Mode == MM_TEXT || Mode == MM_LOMETRIC)
        FMapMode = Mode;
    return Old;
}

Integer TCanvas::PixelsPerInchX() const
{
    const QPaintDevice* D = Device();
    return D && D->logicalDpiX() > 0 ? D->logicalDpiX() : 96;
}

Integer TCanvas::PixelsPerInchY() const
{
    const QPaintDevice* D = Device();
    return D && D->logicalDpiY() > 0 ? D->logicalDpiY() : 96;
}

TPoint TCanvas::LPtoDP(const TPoint& P) const
{
    if (FMapMode != MM_LOMETRIC)
        return P;
    return TPoint(canvasunits::LogicalToDevice(P.X, PixelsPerInchX()), canvasunits::LogicalToDevice(-P.Y, PixelsPerInchY()));
}

TPoint TCanvas::DPtoLP(const TPoint& P) const
{
    if (FMapMode != MM_LOMETRIC)
        return P;
    return TPoint(canvasunits::DeviceToLogical(P.X, PixelsPerInchX()), -canvasunits::DeviceToLogical(P.Y, PixelsPerInchY()));
}

TRect TCanvas::LPtoDP(const TRect& R) const
{
    const TPoint A = LPtoDP(TPoint(R.Left, R.Top));
    const TPoint B = LPtoDP(TPoint(R.Right, R.Bottom));
    return TRect(std::min(A.X, B.X), std::min(A.Y, B.Y), std::max(A.X, B.X), std::max(A.Y, B.Y));
}

TRect TCanvas::DPtoLP(const TRect& R) const
{
    const TPoint A = DPtoLP(TPoint(R.Left, R.Top));
    const TPoint B = DPtoLP(TPoint(R.Right, R.Bottom));
    return TRect(A.X, A.Y, B.X, B.Y);
}

void TCanvas::SetFont(TFont* Value) { FFont->Assign(Value); }
void TCanvas::SetPen(TPen* Value) { FPen->Assign(Value); }
void TCanvas::SetBrush(TBrush* Value) { FBrush->Assign(Value); }

// ---------------------------------------------------------------------------
// State of the painter for one operation

void TCanvas::ApplyPen(QPainter* P)
{
    P->setRenderHint(QPainter::Antialiasing, false);
    const QColor C = CanvasModeColor(FPen->Mode(), FPen->Color());
    if (FPen->Style() == psClear || !C.isValid()) {
        P->setPen(Qt::NoPen);
        return;
    }
    const int W = FPen->Width();
    QPen Pen(C, W <= 1 ? 0 : W);
    Pen.setCapStyle(W <= 1 ? Qt::FlatCap : Qt::RoundCap);
    Pen.setJoinStyle(W <= 1 ? Qt::MiterJoin : Qt::RoundJoin);
    const QList<qreal> Dashes = CanvasDashPattern(FPen->Style());
    if (!Dashes.isEmpty())
        Pen.setDashPattern(Dashes);
    P->setPen(Pen);
}

void TCanvas::ApplyBrush(QPainter* P)
{
    if (TBitmap* B = FBrush->Bitmap(); B && !B->Empty()) {
        P->setBrush(QBrush(B->ToImage()));
        P->setBrushOrigin(0, 0);
        return;
    }
    const QColor C = CanvasModeColor(FPen->Mode(), FBrush->Color());
    if (FBrush->Style() == bsClear || !C.isValid()) {
        P->setBrush(Qt::NoBrush);
        return;
    }
    Qt::BrushStyle S = Qt::SolidPattern;
    switch (FBrush->Style()) {
    case bsHorizontal: S = Qt::HorPattern; break;
    case bsVertical: S = Qt::VerPattern; break;
    case bsFDiagonal: S = Qt::FDiagPattern; break;
    case bsBDiagonal: S = Qt::BDiagPattern; break;
    case bsCross: S = Qt::CrossPattern; break;
    case bsDiagCross: S = Qt::DiagCrossPattern; break;
    default: break;
    }
    P->setBrush(QBrush(C, S));
    P->setBrushOrigin(0, 0);
}

void TCanvas::ApplyFont(QPainter* P)
{
    P->setRenderHint(QPainter::TextAntialiasing, GTextAntialiasing);
    // Setting a font drops the glyph source the painter found for it.
    const QFont& Font = FFont->Face(Device()).Font();
    if (P->font() != Font)
        P->setFont(Font);
}

bool TCanvas::TurnForText(QPainter* P, int& X, int& Y)
{
    if (FFont->Orientation() == 0)
        return false;
    P->save();
    P->translate(X, Y);
    P->rotate(-FFont->Orientation() / 10.0);
    X = 0;
    Y = 0;
    return true;
}

// Fills R with the brush, ignoring the pen mode (as FillRect does).
void TCanvas::FillWithBrush(QPainter* P, const QRect& R)
{
    if (R.isEmpty())
        return;
    P->setCompositionMode(QPainter::CompositionMode_SourceOver);
    if (TBitmap* B = FBrush->Bitmap(); B && !B->Empty()) {
        P->setBrushOrigin(0, 0);
        P->fillRect(R, QBrush(B->ToImage()));
        return;
    }
    if (FBrush->Style() == bsClear)
        return;
    const QColor C = ColorToQColor(FBrush->Color());
    if (!C.isValid())
        return;
    if (FBrush->Style() == bsSolid) {
        P->fillRect(R, C);
        return;
    }
    const TPenMode Saved = FPen->Mode();
    if (Saved != pmCopy) {
        // Hatches follow the brush's colour only.
        FPen->SetMode(pmCopy);
        ApplyBrush(P);
        FPen->SetMode(Saved);
    } else {
        ApplyBrush(P);
    }
    P->setBrushOrigin(0, 0);
    P->fillRect(R, P->brush());
}

void TCanvas::ApplyClip(QPainter* P)
{
    if (FClip->Active)
        P->setClipRegion(FClip->Region, Qt::ReplaceClip);
    else if (FClip->HasBase)
        P->setClipRegion(FClip->Base, Qt::ReplaceClip);
    else
        P->setClipping(false);
}

// ---------------------------------------------------------------------------
// Clipping

TRect TCanvas::ClipRect()
{
    if (FMapMode == MM_LOMETRIC) {
        const TDeviceUnits D(this);
        const TRect R = ClipRect();
        return TRect(D.Width(R.Left), -D.Height(R.Top), D.Width(R.Right), -D.Height(R.Bottom));
    }
    QRect Whole = DeviceRect();
    if (FClip->Active)
        Whole &= FClip->Region.boundingRect();
    else if (FClip->HasBase)
        Whole &= FClip->Base.boundingRect();
    return Whole.isEmpty() ? TRect() : FromQRect(Whole);
}

void TCanvas::IntersectClipRect(const TRect& R)
{
    if (FMapMode == MM_LOMETRIC) {
        const TDeviceUnits D(this);
        IntersectClipRect(D.Rect(R));
        return;
    }
    QRegion Current = FClip->Active ? FClip->Region : (FClip->HasBase ? FClip->Base : QRegion(DeviceRect()));
    FClip->Region = Current.intersected(ToQRect(R));
    FClip->Active = true;
    if (FPainter)
        ApplyClip(FPainter);
}

void TCanvas::ExcludeClipRect(const TRect& R)
{
    if (FMapMode == MM_LOMETRIC) {
        const TDeviceUnits D(this);
        ExcludeClipRect(D.Rect(R));
        return;
    }
    QRegion Current = FClip->Active ? FClip->Region : (FClip->HasBase ? FClip->Base : QRegion(DeviceRect()));
    FClip->Region = Current.subtracted(ToQRect(R));
    FClip->Active = true;
    if (FPainter)
        ApplyClip(FPainter);
}

void TCanvas::SelectClipRect(const TRect& R) { SelectClipRgn({R}); }

void TCanvas::SaveClipping() { FSavedClips.push_back(*FClip); }

void TCanvas::RestoreClipping()
{
    if (FSavedClips.empty())
        return;
    *FClip = FSavedClips.back();
    FSavedClips.pop_back();
    if (FPainter)
        ApplyClip(FPainter);
}

void TCanvas::SelectClipRgn(const std::vector<TRect>& Rects)
{
    if (FMapMode == MM_LOMETRIC) {
        const TDeviceUnits D(this);
        std::vector<TRect> Device;
        for (const TRect& R : Rects)
            Device.push_back(D.Rect(R));
        SelectClipRgn(Device);
        return;
    }
    if (Rects.empty()) {
        FClip->Active = false;
        FClip->Region = QRegion();
    } else {
        QRegion Region;
        for (const TRect& R : Rects)
            Region += ToQRect(R);
        FClip->Active = true;
        FClip->Region = Region;
    }
    if (FPainter)
        ApplyClip(FPainter);
}

// ---------------------------------------------------------------------------
// Lines and shapes

void TCanvas::MoveTo(Integer X, Integer Y) { FPenPos = TPoint(X, Y); }

void TCanvas::StrokeLine(QPainter* P, TPoint From, TPoint To)
{
    if (From == To)
        return;
    if (FPen->Width() > 1) {
        P->drawLine(QPoint(From.X, From.Y), QPoint(To.X, To.Y));
        return;
    }
    // A thin line covers its start point and leaves the end point out: it
    // is drawn with both ends up to the pixel before the end point.
    const int DX = To.X - From.X;
    const int DY = To.Y - From.Y;
    QPoint Last;
    if (std::abs(DX) >= std::abs(DY)) {
        const int X = To.X - (DX > 0 ? 1 : -1);
        Last = QPoint(X, From.Y + int(std::lround(double(X - From.X) * DY / DX)));
    } else {
        const int Y = To.Y - (DY > 0 ? 1 : -1);
        Last = QPoint(From.X + int(std::lround(double(Y - From.Y) * DX / DY)), Y);
    }
    QPen Pen = P->pen();
    Pen.setCapStyle(Qt::SquareCap);
    P->setPen(Pen);
    if (Last == QPoint(From.X, From.Y))
        P->drawPoint(Last);
    else
        P->drawLine(QPoint(From.X, From.Y), Last);
}

// Every pen drawing: nothing without a painter or with the pen mode that
// draws nothing; the pen (and for filled shapes the brush) applied, the pen
// mode as the composition for the drawing only.
void TCanvas::PenDraw(bool Filled, const std::function<void(QPainter*)>& Draw)
{
    QPainter* P = Painter();
    if (!P || FPen->Mode() == pmNop)
        return;
    ApplyPen(P);
    if (Filled)
        ApplyBrush(P);
    P->setCompositionMode(CanvasPenComposition(FPen->Mode()));
    Draw(P);
    P->setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void TCanvas::LineTo(Integer X, Integer Y)
{
    if (FMapMode == MM_LOMETRIC) {
        {
            const TDeviceUnits D(this);
            FPenPos = D.Point(FPenPos);
            LineTo(D.X(X), D.Y(Y));
        }
        FPenPos = TPoint(X, Y);
        return;
    }
    const TPoint From = FPenPos;
    FPenPos = TPoint(X, Y);
    QPainter* P = Painter();
    if (P && FillAxisLine(P, FPen.get(), From, FPenPos))
        return;
    PenDraw(false, [&](QPainter* P) { StrokeLine(P, From, FPenPos); });
}

void TCanvas::Polyline(const std::vector<TPoint>& Points)
{
    if (FMapMode == MM_LOMETRIC) {
        const TDeviceUnits D(this);
        std::vector<TPoint> Device;
        for (const TPoint& Pt : Points)
            Device.push_back(D.Point(Pt));
        Polyline(Device);
        return;
    }
    if (Points.size() < 2)
        return;
    PenDraw(false, [&](QPainter* P) {
        for (size_t I = 1; I < Points.size(); ++I)
            StrokeLine(P, Points[I - 1], Points[I]);
    });
}

void TCanvas::Polygon(const std::vector<TPoint>& Points)
{
    if (FMapMode == MM_LOMETRIC) {
        const TDeviceUnits D(this);
        std::vector<TPoint> Device;
        for (const TPoint& Pt : Points)
            Device.push_back(D.Point(Pt));
        Polygon(Device);
        return;
    }
    if (Points.size() < 2)
        return;
    PenDraw(true, [&](QPainter* P) {
        QPolygon Poly;
        for (const TPoint& Pt : Points)
            Poly << QPoint(Pt.X, Pt.Y);
        P->drawPolygon(Poly, Qt::OddEvenFill);
    });
}

void TCanvas::FillRect(const TRect& R)
{
    if (FMapMode == MM_LOMETRIC) {
        const TDeviceUnits D(this);
        FillRect(D.Rect(R));
        return;
    }
    QPainter* P = Painter();
    if (P)
        FillWithBrush(P, ToQRect(R));
}

void TCanvas::FrameRect(const TRect& R)
{
    if (FMapMode == MM_LOMETRIC) {
        const TDeviceUnits D(this);
        FrameRect(D.Rect(R));
        return;
    }
    QPainter* P = Painter();
    if (!P || IsRectEmpty(R))
        return;
    const QRect Q = ToQRect(R);
    FillWithBrush(P, QRect(Q.left(), Q.top(), Q.width(), 1));
    if (Q.height() > 1)
        FillWithBrush(P, QRect(Q.left(), Q.bottom(), Q.width(), 1));
    if (Q.height() > 2) {
        FillWithBrush(P, QRect(Q.left(), Q.top() + 1, 1, Q.height() - 2));
        if (Q.width() > 1)
            FillWithBrush(P, QRect(Q.right(), Q.top() + 1, 1, Q.height() - 2));
    }
}

void TCanvas::Rectangle(Integer X1, Integer Y1, Integer X2, Integer Y2)
{
    if (FMapMode == MM_LOMETRIC) {
        const TDeviceUnits D(this);
        Rectangle(D.Rect(TRect(X1, Y1, X2, Y2)));
        return;
    }
    PenDraw(true, [&](QPainter* P) { P->drawRect(CanvasShapeRect(X1, Y1, X2, Y2)); });
}

void TCanvas::Rectangle(const TRect& R) { Rectangle(R.Left, R.Top, R.Right, R.Bottom); }

void TCanvas::RoundRect(Integer X1, Integer Y1, Integer X2, Integer Y2, Integer X3, Integer Y3)
{
    if (FMapMode == MM_LOMETRIC) {
        const TDeviceUnits D(this);
        RoundRect(D.Rect(TRect(X1, Y1, X2, Y2)), D.X(X3), D.X(Y3));
        return;
    }
    PenDraw(true, [&](QPainter* P) { P->drawRoundedRect(CanvasShapeRect(X1, Y1, X2, Y2), X3 / 2.0, Y3 / 2.0); });
}

void TCanvas::RoundRect(const TRect& R, Integer CX, Integer CY) { RoundRect(R.Left, R.Top, R.Right, R.Bottom, CX, CY); }

void TCanvas::Ellipse(Integer X1, Integer Y1, Integer X2, Integer Y2)
{
    if (FMapMode == MM_LOMETRIC) {
        const TDeviceUnits D(this);
        Ellipse(D.Rect(TRect(X1, Y1, X2, Y2)));
        return;
    }
    PenDraw(true, [&](QPainter* P) { P->drawEllipse(CanvasShapeRect(X1, Y1, X2, Y2)); });
}

void TCanvas::Ellipse(const TRect& R) { Ellipse(R.Left, R.Top, R.Right, R.Bottom); }

// Kind 0 arc, 1 pie, 2 chord.
void TCanvas::ArcShape(int Kind, Integer X1, Integer Y1, Integer X2, Integer Y2, Integer X3, Integer Y3,
                       Integer X4, Integer Y4)
{
    if (FMapMode == MM_LOMETRIC) {
        const TDeviceUnits D(this);
        const TRect R = D.Rect(TRect(X1, Y1, X2, Y2));
        ArcShape(Kind, R.Left, R.Top, R.Right, R.Bottom, D.X(X3), D.Y(Y3), D.X(X4), D.Y(Y4));
        return;
    }
    QPainter* P = Painter();
    if (!P || FPen->Mode() == pmNop)
        return;
    const QRect Box = CanvasShapeRect(X1, Y1, X2, Y2);
    const double CX = Box.left() + Box.width() / 2.0;
    const double CY = Box.top() + Box.height() / 2.0;
    const double A = std::max(Box.width() / 2.0, 0.5);
    const double B = std::max(Box.height() / 2.0, 0.5);
    // Qt measures the angle on the ellipse's parameter, counter-clockwise
    // with y upwards; the rays are geometric, so scale by the axes first.
    auto ParamAngle = [&](Integer X, Integer Y) {
        double Deg = std::atan2(-(Y - CY) / B, (X - CX) / A) * 180.0 / std::numbers::pi;
        return Deg < 0 ? Deg + 360.0 : Deg;
    };
    const double Start = ParamAngle(X3, Y3);
    double Span = ParamAngle(X4, Y4) - Start;
    if (Span <= 0)
        Span += 360.0;
    const int QStart = int(std::lround(Start * 16));
    const int QSpan = int(std::lround(Span * 16));
    ApplyPen(P);
    P->setCompositionMode(CanvasPenComposition(FPen->Mode()));
    if (Kind == 0) {
        P->drawArc(Box, QStart, QSpan);
    } else {
        ApplyBrush(P);
        if (Kind == 1)
            P->drawPie(Box, QStart, QSpan);
        else
            P->drawChord(Box, QStart, QSpan);
    }
    P->setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void TCanvas::Arc(Integer X1, Integer Y1, Integer X2, Integer Y2, Integer X3, Integer Y3, Integer X4, Integer Y4)
{
    ArcShape(0, X1, Y1, X2, Y2, X3, Y3, X4, Y4);
}

void TCanvas::Pie(Integer X1, Integer Y1, Integer X2, Integer Y2, Integer X3, Integer Y3, Integer X4, Integer Y4)
{
    ArcShape(1, X1, Y1, X2, Y2, X3, Y3, X4, Y4);
}

void TCanvas::Chord(Integer X1, Integer Y1, Integer X2, Integer Y2, Integer X3, Integer Y3, Integer X4, Integer Y4)
{
    ArcShape(2, X1, Y1, X2, Y2, X3, Y3, X4, Y4);
}

void TCanvas::DrawFocusRect(const TRect& R)
{
    if (FMapMode == MM_LOMETRIC) {
        const TDeviceUnits D(this);
        DrawFocusRect(D.Rect(R));
        return;
    }
    QPainter* P = Painter();
    if (!P || IsRectEmpty(R))
        return;
    // Every other pixel of the frame, inverted.
    QList<QPoint> Dots;
    auto Add = [&Dots](int X, int Y) {
        if (((X + Y) & 1) == 0)
            Dots << QPoint(X, Y);
    };
    for (int X = R.Left; X < R.Right; ++X) {
        Add(X, R.Top);
        if (R.Bottom - 1 > R.Top)
            Add(X, R.Bottom - 1);
    }
    for (int Y = R.Top + 1; Y < R.Bottom - 1; ++Y) {
        Add(R.Left, Y);
        if (R.Right - 1 > R.Left)
            Add(R.Right - 1, Y);
    }
    P->setRenderHint(QPainter::Antialiasing, false);
    P->setPen(QPen(QColor(255, 255, 255), 0));
    P->setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    P->drawPoints(Dots.constData(), int(Dots.size()));
    P->setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void TCanvas::FloodFill(Integer X, Integer Y, TColor Color, TFillStyle FillStyle)
{
    if (FMapMode == MM_LOMETRIC) {
        const TDeviceUnits D(this);
        FloodFill(D.X(X), D.Y(Y), Color, FillStyle);
        return;
    }
    QPainter* P = Painter();
    QImage* Img = DeviceImage();
    if (!P || !Img)
        return;
    // Only translations are followed between logical and image pixels.
    const QTransform T = P->deviceTransform();
    const int DX = int(T.dx());
    const int DY = int(T.dy());
    const int W = Img->width();
    const int H = Img->height();
    const int SX = X + DX;
    const int SY = Y + DY;
    if (SX < 0 || SY < 0 || SX >= W || SY >= H)
        return;
    const QRgb Key = ColorToQColor(Color).rgb() & 0xFFFFFF;
    auto Inside = [&](int PX, int PY) {
        const bool Same = (Img->pixel(PX, PY) & 0xFFFFFF) == Key;
        return FillStyle == fsSurface ? Same : !Same;
    };
    if (!Inside(SX, SY))
        return;
    // Scan-line fill into a mask first, then paint its runs with the brush.
    std::vector<uint8_t> Mask(size_t(W) * size_t(H), 0);
    std::vector<QPoint> Stack{QPoint(SX, SY)};
    while (!Stack.empty()) {
        const QPoint Seed = Stack.back();
        Stack.pop_back();
        int L = Seed.x();
        const int PY = Seed.y();
        if (Mask[size_t(PY) * W + L] || !Inside(L, PY))
            continue;
        while (L > 0 && !Mask[size_t(PY) * W + L - 1] && Inside(L - 1, PY))
            --L;
        int Rt = Seed.x();
        while (Rt + 1 < W && !Mask[size_t(PY) * W + Rt + 1] && Inside(Rt + 1, PY))
            ++Rt;
        for (int I = L; I <= Rt; ++I)
            Mask[size_t(PY) * W + I] = 1;
        for (int NY : {PY - 1, PY + 1}) {
            if (NY < 0 || NY >= H)
                continue;
            for (int I = L; I <= Rt; ++I)
                if (!Mask[size_t(NY) * W + I] && Inside(I, NY))
                    Stack.emplace_back(I, NY);
        }
    }
    for (int PY = 0; PY < H; ++PY) {
        int I = 0;
        while (I < W) {
            if (!Mask[size_t(PY) * W + I]) {
                ++I;
                continue;
            }
            int J = I;
            while (J < W && Mask[size_t(PY) * W + J])
                ++J;
            FillWithBrush(P, QRect(I - DX, PY - DY, J - I, 1));
            I = J;
        }
    }
}

// ---------------------------------------------------------------------------
// Text

void TCanvas::TextOut(Integer X, Integer Y, const String& Text)
{
    if (FMapMode == MM_LOMETRIC) {
        Integer Advance = 0;
        {
            const TDeviceUnits D(this);
            TextOut(D.X(X), D.Y(Y), Text);
            Advance = D.Width(FPenPos.X - D.X(X));
        }
        FPenPos = TPoint(X + Advance, Y);
        return;
    }
    QPainter* P = Painter();
    if (!P) {
        FPenPos = TPoint(X + TextWidth(Text), Y);
        return;
    }
    ApplyFont(P);
    const QFontMetrics FM = P->fontMetrics();
    const int W = FM.horizontalAdvance(Text);
    FPenPos = TPoint(X + W, Y);
    int TX = X;
    int TY = Y;
    const bool Turned = TurnForText(P, TX, TY);
    if (FBrush->Style() == bsSolid)
        FillWithBrush(P, QRect(TX, TY, W, FM.height()));
    const QColor C = ColorToQColor(FFont->Color());
    if (C.isValid()) {
        P->setCompositionMode(QPainter::CompositionMode_SourceOver);
        P->setPen(C);
        P->drawText(QPoint(TX, TY + FM.ascent()), Text);
    }
    if (Turned)
        P->restore();
}

void TCanvas::TextRect(const TRect& R, Integer X, Integer Y, const String& Text)
{
    if (FMapMode == MM_LOMETRIC) {
        const TDeviceUnits D(this);
        TextRect(D.Rect(R), D.X(X), D.Y(Y), Text);
        return;
    }
    QPainter* P = Painter();
    if (!P)
        return;
    P->save();
    P->setClipRect(ToQRect(R), Qt::IntersectClip);
    if (FBrush->Style() != bsClear)
        FillWithBrush(P, ToQRect(R));
    ApplyFont(P);
    const QColor C = ColorToQColor(FFont->Color());
    if (C.isValid()) {
        int TX = X;
        int TY = Y;
        const bool Turned = TurnForText(P, TX, TY);
        P->setPen(C);
        P->drawText(QPoint(TX, TY + P->fontMetrics().ascent()), Text);
        if (Turned)
            P->restore();
    }
    P->restore();
}

Integer TCanvas::TextWidth(const String& Text)
{
    if (FMapMode == MM_LOMETRIC) {
        const TDeviceUnits D(this);
        return D.Width(TextWidth(Text));
    }
    return FFont->Face(Device()).Advance(Text);
}

// The height of a line of the font, whatever the text.
Integer TCanvas::TextHeight(const String& Text)
{
    if (FMapMode == MM_LOMETRIC) {
        const TDeviceUnits D(this);
        return D.Height(TextHeight(Text));
    }
    return FFont->Face(Device()).Height();
}

TSize TCanvas::TextExtent(const String& Text) { return TSize(TextWidth(Text), TextHeight(Text)); }

// ---------------------------------------------------------------------------
// Pictures and pixels

void TCanvas::Draw(Integer X, Integer Y, TGraphic* Graphic)
{
    if (!Graphic || Graphic->Empty())
        return;
    // The picture's pixels count as logical units, as a bit-block copy does.
    const Integer Down = FMapMode == MM_LOMETRIC ? -Graphic->Height() : Graphic->Height();
    StretchDraw(TRect(X, Y, X + Graphic->Width(), Y + Down), Graphic);
}

void TCanvas::StretchDraw(const TRect& R, TGraphic* Graphic)
{
    if (!Graphic || Graphic->Empty())
        return;
    if (FMapMode == MM_LOMETRIC) {
        const TDeviceUnits D(this);
        Graphic->Draw(this, D.Rect(R));
        return;
    }
    Graphic->Draw(this, R);
}

void TCanvas::CopyRect(const TRect& Dest, TCanvas* Canvas, const TRect& Source)
{
    if (FMapMode == MM_LOMETRIC) {
        const TDeviceUnits D(this);
        CopyRect(D.Rect(Dest), Canvas, Source);
        return;
    }
    QPainter* P = Painter();
    if (!P || IsRectEmpty(Dest))
        return;
    QImage Src;
    const bool NeedsSource = FCopyMode != cmBlackness && FCopyMode != cmWhiteness && FCopyMode != cmDstInvert &&
                             FCopyMode != cmPatCopy && FCopyMode != cmPatInvert;
    if (NeedsSource) {
        QImage* SrcImg = Canvas ? Canvas->DeviceImage() : nullptr;
        if (!SrcImg || IsRectEmpty(Source))
            return;
        // A copy, so that a canvas can be copied onto itself.
        Src = SrcImg->copy(ToQRect(Source)).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    }
    const QRect D = ToQRect(Dest);
    P->save();
    P->setRenderHint(QPainter::SmoothPixmapTransform, false);
    switch (FCopyMode) {
    case cmBlackness: P->fillRect(D, QColor(0, 0, 0)); break;
    case cmWhiteness: P->fillRect(D, QColor(255, 255, 255)); break;
    case cmDstInvert:
        P->setCompositionMode(QPainter::RasterOp_NotDestination);
        P->fillRect(D, QColor(0, 0, 0));
        break;
    case cmPatCopy: FillWithBrush(P, D); break;
    case cmPatInvert:
        P->setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        P->fillRect(D, ColorToQColor(FBrush->Color()));
        break;
    case cmMergeCopy: {
        // Source AND brush.
        QPainter SP(&Src);
        SP.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
        SP.fillRect(Src.rect(), ColorToQColor(FBrush->Color()));
        SP.end();
        P->setCompositionMode(QPainter::CompositionMode_Source);
        P->drawImage(D, Src);
        break;
    }
    default:
        P->setCompositionMode(CanvasCopyComposition(FCopyMode));
        P->drawImage(D, Src);
        break;
    }
    P->restore();
}

TColor TCanvas::Pixels(Integer X, Integer Y)
{
    if (FMapMode == MM_LOMETRIC) {
        const TDeviceUnits D(this);
        return Pixels(D.X(X), D.Y(Y));
    }
    QImage* Img = DeviceImage();
    if (!Img)
        return -1;
    int PX = X;
    int PY = Y;
    if (FPainter && FPainter->isActive()) {
        const QPoint M = FPainter->deviceTransform().map(QPoint(X, Y));
        PX = M.x();
        PY = M.y();
    }
    if (!Img->valid(PX, PY))
        return -1;
    return QColorToColor(QColor::fromRgb(Img->pixel(PX, PY)));
}

void TCanvas::SetPixels(Integer X, Integer Y, TColor Value)
{
    if (FMapMode == MM_LOMETRIC) {
        const TDeviceUnits D(this);
        SetPixels(D.X(X), D.Y(Y), Value);
        return;
    }
    QPainter* P = Painter();
    const QColor C = ColorToQColor(Value);
    if (!P || !C.isValid())
        return;
    P->setCompositionMode(QPainter::CompositionMode_Source);
    P->fillRect(QRect(X, Y, 1, 1), C);
    P->setCompositionMode(QPainter::CompositionMode_SourceOver);
}

// ---------------------------------------------------------------------------

void GradientFillRect(TCanvas* Canvas, const TRect& R, TColor StartColor, TColor EndColor,
                      TGradientDirection Direction)
{
    if (Canvas && Canvas->MapMode() == MM_LOMETRIC) {
        const TRect Device = Canvas->LPtoDP(R);
        Canvas->SetMapMode(MM_TEXT);
        GradientFillRect(Canvas, Device, StartColor, EndColor, Direction);
        Canvas->SetMapMode(MM_LOMETRIC);
        return;
    }
    if (!Canvas || IsRectEmpty(R))
        return;
    QPainter* P = Canvas->Painter();
    if (!P)
        return;
    // A missing colour at one end gives a plain fill in the other.
    if (!IsPaintableColor(StartColor))
        StartColor = EndColor;
    if (!IsPaintableColor(EndColor))
        EndColor = StartColor;
    if (!IsPaintableColor(StartColor))
        return;
    const TColor C1 = ColorToRGB(StartColor);
    const TColor C2 = ColorToRGB(EndColor);
    const int N = Direction == gdHorizontal ? R.Width() : R.Height();
    P->setCompositionMode(QPainter::CompositionMode_SourceOver);
    auto Mix = [N](int A, int B, int I) {
        return N <= 1 ? A : A + int(std::lround(double(B - A) * I / (N - 1)));
    };
    for (int I = 0; I < N; ++I) {
        const QColor C(Mix(GetRValue(C1), GetRValue(C2), I), Mix(GetGValue(C1), GetGValue(C2), I),
                       Mix(GetBValue(C1), GetBValue(C2), I));
        if (Direction == gdHorizontal)
            P->fillRect(QRect(R.Left + I, R.Top, 1, R.Height()), C);
        else
            P->fillRect(QRect(R.Left, R.Top + I, R.Width(), 1), C);
    }
}
