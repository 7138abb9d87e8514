// The layered-window calls: the window shows a picture of its own, painted
// by an event filter in place of the widget's own painting.
#include "rtl/Windows.h"

#include <QEvent>
#include <QPainter>
#include <QWidget>

namespace {

class TLayeredPicture : public QObject {
public:
    explicit TLayeredPicture(QWidget* Window) : QObject(Window) { Window->installEventFilter(this); }

    QImage Picture;

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override
    {
        if (Event->type() != QEvent::Paint)
            return false;
        QPainter P(static_cast<QWidget*>(Watched));
        P.setCompositionMode(QPainter::CompositionMode_Source);
        P.drawImage(0, 0, Picture);
        return true;
    }
};

TLayeredPicture* LayeredPictureOf(QWidget* Wnd)
{
    for (QObject* Child : Wnd->children())
        if (auto* Picture = dynamic_cast<TLayeredPicture*>(Child))
            return Picture;
    return new TLayeredPicture(Wnd);
}

void MakeLayered(QWidget* Wnd)
{
    const Qt::WindowFlags Flags = Wnd->windowFlags();
    if (Wnd->isWindow() && (Flags & Qt::FramelessWindowHint) && Wnd->testAttribute(Qt::WA_TranslucentBackground))
        return;
    const bool Visible = Wnd->isVisible();
    Wnd->setAttribute(Qt::WA_TranslucentBackground);
    Wnd->setWindowFlags(Flags | (Wnd->isWindow() ? Qt::WindowFlags() : Qt::WindowFlags(Qt::Tool)) |
                        Qt::FramelessWindowHint);
    if (Visible)
        Wnd->show();
}

QImage PictureFrom(TCanvas* SrcCanvas, const TPoint* SrcPos, const QSize& Size, TColor Key, DWORD Flags)
{
    const QImage* Source = SrcCanvas->DeviceImage();
    const QPoint From = SrcPos ? QPoint(SrcPos->X, SrcPos->Y) : QPoint();
    QImage Picture = Source->copy(QRect(From, Size)).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (Flags & ULW_COLORKEY) {
        const QRgb KeyRgb = ColorToQColor(ColorToRGB(Key)).rgb() & RGB_MASK;
        for (int Y = 0; Y < Picture.height(); ++Y) {
            auto* Line = reinterpret_cast<QRgb*>(Picture.scanLine(Y));
            for (int X = 0; X < Picture.width(); ++X)
                if ((Line[X] & RGB_MASK) == KeyRgb)
                    Line[X] = 0;
        }
    }
    if (Flags & ULW_OPAQUE)
        Picture = Picture.convertToFormat(QImage::Format_RGB32);
    return Picture;
}

} // namespace

bool UpdateLayeredWindow(HWND Wnd, TCanvas*, const TPoint* DstPos, const TSize* Size, TCanvas* SrcCanvas,
                         const TPoint* SrcPos, TColor Key, const TBlendFunction* Blend, DWORD Flags)
{
    if (!Wnd || (SrcCanvas && !SrcCanvas->DeviceImage()))
        return false;
    MakeLayered(Wnd);
    const QSize NewSize = Size ? QSize(Size->cx, Size->cy) : Wnd->size();
    if (DstPos)
        Wnd->move(DstPos->X, DstPos->Y);
    Wnd->resize(NewSize);
    if (SrcCanvas)
        LayeredPictureOf(Wnd)->Picture = PictureFrom(SrcCanvas, SrcPos, NewSize, Key, Flags);
    if ((Flags & ULW_ALPHA) && Blend)
        Wnd->setWindowOpacity(Blend->SourceConstantAlpha / 255.0);
    Wnd->update();
    return true;
}

bool SetLayeredWindowAttributes(HWND Wnd, TColor, Byte Alpha, DWORD Flags)
{
    if (!Wnd)
        return false;
    MakeLayered(Wnd);
    if (Flags & LWA_ALPHA)
        Wnd->setWindowOpacity(Alpha / 255.0);
    return true;
}
