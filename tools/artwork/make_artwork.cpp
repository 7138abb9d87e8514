// Draws the program's own pictures (button glyphs, step pictures, the maker's
// logo, the standard-kind strips of the push button) into
// src/shell/resources, the grid's (the spin arrows, check boxes, radio
// buttons, node, leaf, filter, close and search-bar glyphs) into
// src/grid/base/resources
// the drop-downs' (the spectrum's pipette cursor) into
// src/controls/dropdown/resources and the grid control's cursors and pan
// marks into src/grid/control/resources. Run once when a picture changes and commit
// the PNGs:
//
//   g++ -std=c++20 -fPIC tools/artwork/make_artwork.cpp -o /tmp/make_artwork \
//       $(pkg-config --cflags --libs Qt6Gui) && \
//       /tmp/make_artwork src/shell/resources src/grid/base/resources \
//       src/controls/dropdown/resources src/grid/control/resources
//
// Glyphs are opaque on the windows' background colour (248, 247, 237), which
// the push button takes as the transparent colour (bottom-left pixel); kind
// strips use magenta the same way.
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <cstdio>
#include <functional>

namespace {

const QColor Back(248, 247, 237);
const QColor Key(255, 0, 255);

using Drawer = std::function<void(QPainter&, double)>; // painter, size of the square

QImage Render(int W, int H, const QColor& Bg, const Drawer& Draw)
{
    QImage Img(W, H, QImage::Format_RGB32);
    Img.fill(Bg);
    QPainter P(&Img);
    P.setRenderHint(QPainter::Antialiasing);
    Draw(P, std::min(W, H));
    P.end();
    // The bottom-left pixel is the transparent colour: keep it clean.
    Img.setPixelColor(0, H - 1, Bg);
    return Img;
}

void Save(const QImage& Img, const QString& Dir, const QString& Name)
{
    const QString File = Dir + QLatin1Char('/') + Name + QStringLiteral(".png");
    if (!Img.save(File, "PNG"))
        std::fprintf(stderr, "cannot write %s\n", qPrintable(File));
}

QPen Pen(const QColor& C, double W)
{
    return QPen(C, W, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// ---------------------------------------------------------------- drawings

void Info(QPainter& P, double S)
{
    P.setPen(Pen(QColor(20, 80, 150), S * 0.05));
    P.setBrush(QColor(40, 120, 200));
    P.drawEllipse(QRectF(S * 0.08, S * 0.08, S * 0.84, S * 0.84));
    P.setPen(Qt::NoPen);
    P.setBrush(Qt::white);
    P.drawEllipse(QRectF(S * 0.44, S * 0.22, S * 0.12, S * 0.12));
    P.drawRoundedRect(QRectF(S * 0.44, S * 0.40, S * 0.12, S * 0.38), S * 0.03, S * 0.03);
}

void Gear(QPainter& P, double S)
{
    const QPointF C(S / 2, S / 2);
    QPainterPath Path;
    const int Teeth = 8;
    for (int I = 0; I < Teeth * 2; ++I) {
        const double A0 = (I - 0.35) * M_PI / Teeth, A1 = (I + 0.35) * M_PI / Teeth;
        const double R = (I % 2 == 0) ? S * 0.44 : S * 0.34;
        const QPointF P0 = C + QPointF(std::cos(A0) * R, std::sin(A0) * R);
        const QPointF P1 = C + QPointF(std::cos(A1) * R, std::sin(A1) * R);
        if (I == 0)
            Path.moveTo(P0);
        else
            Path.lineTo(P0);
        Path.lineTo(P1);
    }
    Path.closeSubpath();
    Path.addEllipse(C, S * 0.14, S * 0.14);
    Path.setFillRule(Qt::OddEvenFill);
    P.setPen(Pen(QColor(60, 60, 70), S * 0.03));
    P.setBrush(QColor(130, 135, 150));
    P.drawPath(Path);
}

void CloseMark(QPainter& P, double S)
{
    P.setPen(Pen(QColor(150, 20, 20), S * 0.05));
    P.setBrush(QColor(210, 45, 40));
    P.drawEllipse(QRectF(S * 0.08, S * 0.08, S * 0.84, S * 0.84));
    P.setPen(Pen(Qt::white, S * 0.11));
    P.drawLine(QPointF(S * 0.33, S * 0.33), QPointF(S * 0.67, S * 0.67));
    P.drawLine(QPointF(S * 0.67, S * 0.33), QPointF(S * 0.33, S * 0.67));
}

void Sheet(QPainter& P, double S)
{
    QPainterPath Page;
    Page.moveTo(S * 0.2, S * 0.08);
    Page.lineTo(S * 0.62, S * 0.08);
    Page.lineTo(S * 0.8, S * 0.26);
    Page.lineTo(S * 0.8, S * 0.92);
    Page.lineTo(S * 0.2, S * 0.92);
    Page.closeSubpath();
    P.setPen(Pen(QColor(90, 90, 100), S * 0.05));
    P.setBrush(Qt::white);
    P.drawPath(Page);
    P.drawLine(QPointF(S * 0.62, S * 0.08), QPointF(S * 0.62, S * 0.26));
    P.drawLine(QPointF(S * 0.62, S * 0.26), QPointF(S * 0.8, S * 0.26));
}

void NewConf(QPainter& P, double S)
{
    Sheet(P, S);
    P.setPen(Pen(QColor(30, 140, 50), S * 0.12));
    P.drawLine(QPointF(S * 0.5, S * 0.42), QPointF(S * 0.5, S * 0.78));
    P.drawLine(QPointF(S * 0.32, S * 0.6), QPointF(S * 0.68, S * 0.6));
}

void OpenConf(QPainter& P, double S)
{
    P.setPen(Pen(QColor(150, 105, 20), S * 0.05));
    P.setBrush(QColor(230, 180, 60));
    QPainterPath Back;
    Back.moveTo(S * 0.08, S * 0.82);
    Back.lineTo(S * 0.08, S * 0.2);
    Back.lineTo(S * 0.36, S * 0.2);
    Back.lineTo(S * 0.44, S * 0.3);
    Back.lineTo(S * 0.84, S * 0.3);
    Back.lineTo(S * 0.84, S * 0.82);
    Back.closeSubpath();
    P.drawPath(Back);
    P.setBrush(QColor(250, 210, 100));
    QPainterPath Front;
    Front.moveTo(S * 0.08, S * 0.82);
    Front.lineTo(S * 0.2, S * 0.44);
    Front.lineTo(S * 0.94, S * 0.44);
    Front.lineTo(S * 0.84, S * 0.82);
    Front.closeSubpath();
    P.drawPath(Front);
}

void Params(QPainter& P, double S)
{
    // Three sliders: the general parameters.
    P.setPen(Pen(QColor(70, 70, 80), S * 0.07));
    const double Ys[] = {0.25, 0.5, 0.75}, Ks[] = {0.35, 0.65, 0.45};
    for (int I = 0; I < 3; ++I)
        P.drawLine(QPointF(S * 0.12, S * Ys[I]), QPointF(S * 0.88, S * Ys[I]));
    P.setBrush(QColor(40, 120, 200));
    P.setPen(Pen(QColor(20, 70, 130), S * 0.04));
    for (int I = 0; I < 3; ++I)
        P.drawRoundedRect(QRectF(S * (Ks[I] - 0.07), S * (Ys[I] - 0.11), S * 0.14, S * 0.22), S * 0.03,
                          S * 0.03);
}

void IOLink(QPainter& P, double S)
{
    // A round connector face with four pins.
    P.setPen(Pen(QColor(40, 40, 50), S * 0.05));
    P.setBrush(QColor(90, 95, 110));
    P.drawEllipse(QRectF(S * 0.1, S * 0.1, S * 0.8, S * 0.8));
    P.setBrush(QColor(250, 200, 60));
    P.setPen(Qt::NoPen);
    const double D = S * 0.16;
    for (const QPointF C : {QPointF(0.32, 0.32), QPointF(0.68, 0.32), QPointF(0.32, 0.68), QPointF(0.68, 0.68)})
        P.drawEllipse(QRectF(S * C.x() - D / 2, S * C.y() - D / 2, D, D));
}

void UpdateDevice(QPainter& P, double S)
{
    // A device box with a download arrow.
    P.setPen(Pen(QColor(60, 60, 70), S * 0.05));
    P.setBrush(QColor(200, 205, 215));
    P.drawRoundedRect(QRectF(S * 0.1, S * 0.6, S * 0.8, S * 0.3), S * 0.05, S * 0.05);
    P.setBrush(QColor(30, 160, 60));
    P.drawEllipse(QRectF(S * 0.72, S * 0.7, S * 0.1, S * 0.1));
    P.setPen(Pen(QColor(20, 100, 180), S * 0.12));
    P.drawLine(QPointF(S * 0.5, S * 0.08), QPointF(S * 0.5, S * 0.45));
    P.setPen(Pen(QColor(20, 100, 180), S * 0.1));
    P.drawLine(QPointF(S * 0.32, S * 0.3), QPointF(S * 0.5, S * 0.48));
    P.drawLine(QPointF(S * 0.68, S * 0.3), QPointF(S * 0.5, S * 0.48));
}

void Table(QPainter& P, double S)
{
    P.setPen(Pen(QColor(70, 70, 80), S * 0.05));
    P.setBrush(Qt::white);
    P.drawRect(QRectF(S * 0.1, S * 0.15, S * 0.8, S * 0.7));
    P.setBrush(QColor(40, 120, 200));
    P.drawRect(QRectF(S * 0.1, S * 0.15, S * 0.8, S * 0.17));
    P.setPen(Pen(QColor(120, 120, 130), S * 0.035));
    for (double Y : {0.5, 0.67})
        P.drawLine(QPointF(S * 0.1, S * Y), QPointF(S * 0.9, S * Y));
    P.drawLine(QPointF(S * 0.4, S * 0.32), QPointF(S * 0.4, S * 0.85));
}

void DescFile(QPainter& P, double S)
{
    Sheet(P, S);
    P.setPen(Pen(QColor(40, 120, 200), S * 0.06));
    for (double Y : {0.42, 0.56, 0.7})
        P.drawLine(QPointF(S * 0.32, S * Y), QPointF(S * 0.68, S * Y));
}

void Check(QPainter& P, double S, const QColor& C)
{
    P.setPen(Pen(C, S * 0.16));
    P.drawLine(QPointF(S * 0.18, S * 0.52), QPointF(S * 0.42, S * 0.76));
    P.drawLine(QPointF(S * 0.42, S * 0.76), QPointF(S * 0.84, S * 0.26));
}

void Cross(QPainter& P, double S, const QColor& C)
{
    P.setPen(Pen(C, S * 0.16));
    P.drawLine(QPointF(S * 0.24, S * 0.24), QPointF(S * 0.76, S * 0.76));
    P.drawLine(QPointF(S * 0.76, S * 0.24), QPointF(S * 0.24, S * 0.76));
}

void Logo(QPainter& P, double S)
{
    QLinearGradient G(0, 0, 0, S);
    G.setColorAt(0, QColor(40, 120, 200));
    G.setColorAt(1, QColor(15, 60, 120));
    P.setPen(Qt::NoPen);
    P.setBrush(G);
    P.drawRoundedRect(QRectF(S * 0.04, S * 0.04, S * 0.92, S * 0.92), S * 0.16, S * 0.16);
    // A "T" over a signal wave.
    P.setBrush(Qt::white);
    P.drawRect(QRectF(S * 0.22, S * 0.2, S * 0.56, S * 0.13));
    P.drawRect(QRectF(S * 0.435, S * 0.2, S * 0.13, S * 0.44));
    P.setPen(Pen(QColor(250, 200, 60), S * 0.06));
    P.setBrush(Qt::NoBrush);
    QPainterPath Wave;
    Wave.moveTo(S * 0.14, S * 0.78);
    for (int I = 0; I <= 40; ++I) {
        const double X = 0.14 + 0.72 * I / 40.0;
        Wave.lineTo(S * X, S * (0.78 - 0.06 * std::sin(I * M_PI / 10)));
    }
    P.drawPath(Wave);
}

// A black triangle pointing up or down, pixel for pixel: its base is W
// wide (odd), it is (W + 1) / 2 rows high from the top, and the picture's
// bottom-left pixel stays the background, the transparent colour.
QImage ArrowGlyph(int W, int H, bool Up, const QColor& Bg)
{
    QImage Img(W, H, QImage::Format_RGB32);
    Img.fill(Bg);
    const int Rows = (W + 1) / 2;
    for (int Row = 0; Row < Rows; ++Row) {
        const int Y = Up ? Row : Rows - 1 - Row;
        for (int X = W / 2 - Row; X <= W / 2 + Row; ++X)
            Img.setPixelColor(X, Y, Qt::black);
    }
    Img.setPixelColor(0, H - 1, Bg);
    return Img;
}

// A strip of two frames, normal and disabled (grey, lighter).
QImage KindStrip(int H, const std::function<void(QPainter&, double)>& Draw)
{
    const int F = 18;
    const QImage Normal = Render(F, H, Key, Draw);
    QImage Strip(F * 2, H, QImage::Format_RGB32);
    Strip.fill(Key);
    QPainter P(&Strip);
    P.drawImage(0, 0, Normal);
    QImage Grey = Normal;
    for (int Y = 0; Y < H; ++Y)
        for (int X = 0; X < F; ++X) {
            const QColor C = Normal.pixelColor(X, Y);
            if (C == Key)
                continue;
            // Antialiased edges against magenta would turn pink in grey:
            // lighten everything toward a flat grey instead.
            const int L = std::min(255, 128 + qGray(C.rgb()) / 2);
            Grey.setPixelColor(X, Y, QColor(L, L, L));
        }
    P.drawImage(F, 0, Grey);
    P.end();
    return Strip;
}

// ---------------------------------------------------------------- the grid's glyphs
// Drawn without smoothing on the magenta key, which the grid draws
// transparent (the bottom-left pixel, and the top-left one for the node,
// leaf and filter glyphs); those corners stay key-coloured.

QImage Keyed(int W, int H, const std::function<void(QPainter&)>& Draw)
{
    QImage Img(W, H, QImage::Format_RGB32);
    Img.fill(Key);
    QPainter P(&Img);
    Draw(P);
    P.end();
    Img.setPixelColor(0, H - 1, Key);
    return Img;
}

struct BoxColours {
    QColor Border, FillTop, FillBottom, Mark;
};

// The XP boxes, then the flat (QVX) ones: enabled and disabled.
const BoxColours XPBox{QColor(28, 81, 128), QColor(220, 220, 215), QColor(255, 255, 255), QColor(33, 161, 33)};
const BoxColours XPBoxOff{QColor(202, 200, 187), QColor(245, 244, 234), QColor(245, 244, 234), QColor(202, 200, 187)};
const BoxColours QVXBox{QColor(125, 165, 224), QColor(232, 240, 252), QColor(255, 255, 255), QColor(20, 60, 140)};
const BoxColours QVXBoxOff{QColor(180, 180, 180), QColor(240, 240, 240), QColor(240, 240, 240), QColor(160, 160, 160)};

void CheckMark(QPainter& P, int S, const QColor& C)
{
    P.setPen(QPen(C, 1));
    const int M = S / 2;
    for (int D = 0; D < 3; ++D) {
        P.drawLine(3, M - 2 + D, 5, M + D);
        P.drawLine(5, M + D, S - 4, M - 4 + D);
    }
}

QImage CheckBoxGlyph(int S, const BoxColours& C, bool Checked)
{
    return Keyed(S, S, [&](QPainter& P) {
        QLinearGradient G(0, 0, S, S);
        G.setColorAt(0, C.FillTop);
        G.setColorAt(1, C.FillBottom);
        P.fillRect(1, 1, S - 2, S - 2, G);
        P.setPen(C.Border);
        P.drawRect(0, 0, S - 1, S - 1);
        if (Checked)
            CheckMark(P, S, C.Mark);
    });
}

QImage RadioGlyph(int S, const BoxColours& C, bool Checked)
{
    return Keyed(S, S, [&](QPainter& P) {
        QLinearGradient G(0, 0, S, S);
        G.setColorAt(0, C.FillTop);
        G.setColorAt(1, C.FillBottom);
        P.setBrush(G);
        P.setPen(C.Border);
        P.drawEllipse(1, 1, S - 3, S - 3);
        if (Checked) {
            P.setPen(Qt::NoPen);
            P.setBrush(C.Mark);
            P.drawEllipse(S / 2 - 3, S / 2 - 3, 6, 6);
        }
    });
}

// A leaf: a page with its corner folded, open showing lines.
QImage LeafGlyph(bool Open)
{
    return Keyed(12, 12, [&](QPainter& P) {
        P.setPen(QColor(90, 110, 60));
        P.setBrush(Open ? QColor(200, 230, 150) : QColor(120, 170, 70));
        P.drawPolygon(QPolygon({QPoint(2, 10), QPoint(2, 4), QPoint(6, 1), QPoint(10, 1), QPoint(10, 7), QPoint(6, 10)}));
        P.drawLine(3, 9, 9, 2);
    });
}

// A box with a minus, and a plus when collapsed.
QImage XPNodeGlyph(bool Collapsed)
{
    return Keyed(10, 10, [&](QPainter& P) {
        P.fillRect(1, 1, 8, 8, QColor(240, 240, 235));
        P.setPen(QColor(120, 152, 181));
        P.drawRect(0, 0, 9, 9);
        P.setPen(Qt::black);
        P.drawLine(2, 4, 7, 4);
        if (Collapsed)
            P.drawLine(4, 2, 4, 7);
        // Rounded corners; the node drawing takes the top-left one as the
        // transparent colour.
        P.setPen(Key);
        P.drawPoint(0, 0);
        P.drawPoint(9, 0);
        P.drawPoint(9, 9);
    });
}

QImage FilterGlyph()
{
    return Keyed(16, 16, [](QPainter& P) {
        P.setPen(QColor(60, 60, 60));
        P.setBrush(QColor(250, 250, 250));
        P.drawPolygon(QPolygon({QPoint(2, 3), QPoint(13, 3), QPoint(9, 8), QPoint(9, 13), QPoint(6, 12), QPoint(6, 8)}));
    });
}

// The close mark of the design-time panel: a cross in a small frame.
QImage CloseGlyph()
{
    return Keyed(14, 14, [](QPainter& P) {
        P.setPen(QColor(128, 128, 128));
        P.setBrush(QColor(255, 255, 225));
        P.drawRect(0, 0, 13, 13);
        P.setPen(QPen(QColor(0, 0, 128), 2));
        P.drawLine(4, 4, 9, 9);
        P.drawLine(9, 4, 4, 9);
    });
}

// The search bar's close button when hot or pressed: the close mark on a
// warmer or darker frame.
QImage CloseGlyphState(bool Pressed)
{
    return Keyed(14, 14, [&](QPainter& P) {
        P.setPen(QColor(128, 128, 128));
        P.setBrush(Pressed ? QColor(230, 200, 140) : QColor(255, 230, 160));
        P.drawRect(0, 0, 13, 13);
        P.setPen(QPen(Pressed ? QColor(128, 0, 0) : QColor(0, 0, 128), 2));
        P.drawLine(4, 4, 9, 9);
        P.drawLine(9, 4, 4, 9);
    });
}

// The search bar's find arrows: a stem with a head, pointing down (find
// next) or up (find previous); grey when disabled.
QImage SearchArrowGlyph(bool Down, bool Enabled)
{
    return Keyed(16, 16, [&](QPainter& P) {
        P.setRenderHint(QPainter::Antialiasing);
        const QColor Ink = Enabled ? QColor(20, 90, 30) : QColor(160, 160, 160);
        P.setPen(Qt::NoPen);
        P.setBrush(Ink);
        P.drawRect(6, Down ? 2 : 7, 4, 7);
        const int Tip = Down ? 14 : 1;
        const int Base = Down ? 8 : 7;
        P.drawPolygon(QPolygon({QPoint(2, Base), QPoint(14, Base), QPoint(8, Tip)}));
    });
}

// The search bar's highlight button: a marker stroke over a line of text;
// grey when disabled.
QImage HighlightGlyph(bool Enabled)
{
    return Keyed(16, 16, [&](QPainter& P) {
        P.fillRect(1, 6, 14, 6, Enabled ? QColor(255, 240, 60) : QColor(220, 220, 220));
        P.setPen(QPen(Enabled ? QColor(40, 40, 40) : QColor(150, 150, 150), 1));
        for (int X : {3, 7, 11})
            P.drawLine(X, 8, X + 2, 8);
        P.drawLine(2, 13, 13, 13);
    });
}

// The flat glyphs of the colour tones: a filled square or dot.
QImage MetroGlyph(bool Radio, bool On)
{
    const QColor Dark(80, 80, 80);
    return Keyed(15, 15, [&](QPainter& P) {
        P.setPen(Dark);
        P.setBrush(Qt::white);
        if (Radio)
            P.drawEllipse(1, 1, 12, 12);
        else
            P.drawRect(1, 1, 12, 12);
        if (!On)
            return;
        P.setPen(Qt::NoPen);
        P.setBrush(Dark);
        if (Radio)
            P.drawEllipse(4, 4, 7, 7);
        else
            P.fillRect(4, 4, 7, 7, Dark);
    });
}

} // namespace

// The spectrum's cursor: a pipette, 32 x 32, in black and white on a
// transparent ground, its tip (the hot spot, kept in the PNG's text key
// "HotSpot") at (1, 30).
QImage PipetteCursor()
{
    QImage Img(32, 32, QImage::Format_ARGB32);
    Img.fill(Qt::transparent);
    QPainter P(&Img);
    P.setPen(QPen(Qt::black, 1));
    P.translate(1, 30);
    P.rotate(-45);
    // The glass tube from the tip, then the collar and the rubber bulb.
    P.setBrush(Qt::white);
    P.drawPolygon(QPolygonF({QPointF(0, 0), QPointF(4, -2), QPointF(24, -2), QPointF(24, 2), QPointF(4, 2)}));
    P.setBrush(Qt::black);
    P.drawRect(QRectF(24, -4, 3, 8));
    P.drawEllipse(QRectF(27, -4, 12, 8));
    P.end();
    Img.setText(QStringLiteral("HotSpot"), QStringLiteral("1,30"));
    return Img;
}

// The grid's selection cursors, 32 x 32: a filled black arrow with a white
// rim pointing along Angle degrees (0 right, 90 down), its tip the hot spot.
QImage SelectArrowCursor(double Angle, QPoint Tip)
{
    QImage Img(32, 32, QImage::Format_ARGB32);
    Img.fill(Qt::transparent);
    QPainter P(&Img);
    P.setRenderHint(QPainter::Antialiasing, false);
    P.translate(Tip);
    P.rotate(Angle);
    const QPolygonF Arrow({QPointF(0, 0), QPointF(-8, -6), QPointF(-8, -2), QPointF(-16, -2), QPointF(-16, 2),
                           QPointF(-8, 2), QPointF(-8, 6)});
    P.setPen(QPen(Qt::white, 1));
    P.setBrush(Qt::black);
    P.drawPolygon(Arrow);
    P.end();
    Img.setText(QStringLiteral("HotSpot"), QStringLiteral("%1,%2").arg(Tip.x()).arg(Tip.y()));
    return Img;
}

// The cell selector's cursor: a thick white cross with a black rim, its
// centre the hot spot.
QImage CellSelectorCursor()
{
    QImage Img(32, 32, QImage::Format_ARGB32);
    Img.fill(Qt::transparent);
    QPainter P(&Img);
    P.setPen(QPen(Qt::black, 1));
    P.setBrush(Qt::white);
    P.drawPolygon(QPolygon({QPoint(12, 4), QPoint(20, 4), QPoint(20, 12), QPoint(28, 12), QPoint(28, 20),
                            QPoint(20, 20), QPoint(20, 28), QPoint(12, 28), QPoint(12, 20), QPoint(4, 20),
                            QPoint(4, 12), QPoint(12, 12)}));
    P.end();
    Img.setText(QStringLiteral("HotSpot"), QStringLiteral("16,16"));
    return Img;
}

// The panning cursors: a ring with a dot, and for a direction (V, H) one
// bold arrow pointing that way; the ring's centre is the hot spot.
QImage PanCursor(int V, int H)
{
    QImage Img(32, 32, QImage::Format_ARGB32);
    Img.fill(Qt::transparent);
    QPainter P(&Img);
    P.setRenderHint(QPainter::Antialiasing);
    P.setPen(QPen(Qt::white, 3));
    P.setBrush(Qt::NoBrush);
    P.drawEllipse(QPointF(16, 16), 5, 5);
    P.setPen(QPen(Qt::black, 1.5));
    P.drawEllipse(QPointF(16, 16), 5, 5);
    P.setBrush(Qt::black);
    P.drawEllipse(QPointF(16, 16), 1.5, 1.5);
    const QPolygonF Arrow({QPointF(0, -15), QPointF(-5, -8), QPointF(5, -8)});
    auto DrawArrow = [&](double Angle) {
        P.save();
        P.translate(16, 16);
        P.rotate(Angle);
        P.setPen(QPen(Qt::white, 1));
        P.setBrush(Qt::black);
        P.drawPolygon(Arrow);
        P.restore();
    };
    if (V == 0 && H == 0) {
        for (double A : {0.0, 90.0, 180.0, 270.0})
            DrawArrow(A);
    } else {
        DrawArrow(std::atan2(double(H), double(-V)) * 180.0 / M_PI);
    }
    P.end();
    Img.setText(QStringLiteral("HotSpot"), QStringLiteral("16,16"));
    return Img;
}

// The pan marks, 32 x 32 on the key colour (the top-left pixel): a grey
// disc with arrows for the directions the grid pans in.
QImage PanMark(bool Vertical, bool Horizontal)
{
    QImage Img(32, 32, QImage::Format_RGB32);
    Img.fill(Key);
    QPainter P(&Img);
    P.setRenderHint(QPainter::Antialiasing, false);
    P.setPen(QPen(QColor(90, 90, 90), 1));
    P.setBrush(QColor(235, 235, 235));
    P.drawEllipse(QRect(2, 2, 27, 27));
    P.setBrush(QColor(60, 60, 60));
    P.setPen(Qt::NoPen);
    P.drawEllipse(QRect(14, 14, 4, 4));
    auto DrawArrow = [&](double Angle) {
        P.save();
        P.translate(16, 16);
        P.rotate(Angle);
        P.drawPolygon(QPolygonF({QPointF(0, -11), QPointF(-4, -6), QPointF(4, -6)}));
        P.restore();
    };
    if (Vertical) {
        DrawArrow(0);
        DrawArrow(180);
    }
    if (Horizontal) {
        DrawArrow(90);
        DrawArrow(270);
    }
    P.end();
    return Img;
}

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication App(argc, argv);
    const QString Dir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    QDir().mkpath(Dir);

    // Main window: the three 50 x 50 picture-only buttons carry 32 x 32
    // pictures, the 170 x 36 step buttons 24 x 24 pictures.
    Save(Render(32, 32, Back, Info), Dir, QStringLiteral("btn_info"));
    Save(Render(32, 32, Back, Gear), Dir, QStringLiteral("btn_options"));
    Save(Render(32, 32, Back, CloseMark), Dir, QStringLiteral("btn_close"));
    Save(Render(24, 24, Back, NewConf), Dir, QStringLiteral("step_new"));
    Save(Render(24, 24, Back, OpenConf), Dir, QStringLiteral("step_open"));
    Save(Render(24, 24, Back, Params), Dir, QStringLiteral("step_parameters"));
    Save(Render(24, 24, Back, IOLink), Dir, QStringLiteral("step_iolink"));
    Save(Render(24, 24, Back, UpdateDevice), Dir, QStringLiteral("step_update"));
    Save(Render(24, 24, Back, Table), Dir, QStringLiteral("step_table"));
    Save(Render(24, 24, Back, DescFile), Dir, QStringLiteral("step_file"));
    // Dialog buttons (110 x 28): 20 x 20.
    Save(Render(20, 20, Back, [](QPainter& P, double S) { Check(P, S, QColor(30, 140, 50)); }), Dir,
         QStringLiteral("btn_ok"));
    Save(Render(20, 20, Back, [](QPainter& P, double S) { Cross(P, S, QColor(200, 40, 40)); }), Dir,
         QStringLiteral("btn_cancel"));
    // The maker's logo, 81 x 81 as the about box shows it.
    Save(Render(81, 81, Back, Logo), Dir, QStringLiteral("logo"));

    // Standard kinds of the push button: two 18 x 18 frames ("LBALL" 19 high).
    const QColor Green(30, 140, 50), Red(200, 40, 40), Blue(40, 120, 200);
    const auto Glyph = [](auto F) { return std::function<void(QPainter&, double)>(F); };
    Save(KindStrip(18, Glyph([&](QPainter& P, double S) { Check(P, S, Green); })), Dir, QStringLiteral("LBOK"));
    Save(KindStrip(18, Glyph([&](QPainter& P, double S) { Cross(P, S, Red); })), Dir, QStringLiteral("LBCANCEL"));
    Save(KindStrip(18, Glyph([&](QPainter& P, double S) {
             P.setPen(Pen(Blue, S * 0.14));
             P.drawArc(QRectF(S * 0.28, S * 0.12, S * 0.44, S * 0.4), 180 * 16, -270 * 16);
             P.drawLine(QPointF(S * 0.5, S * 0.52), QPointF(S * 0.5, S * 0.62));
             P.drawPoint(QPointF(S * 0.5, S * 0.84));
         })),
         Dir, QStringLiteral("LBHELP"));
    Save(KindStrip(18, Glyph([&](QPainter& P, double S) { Check(P, S, Blue); })), Dir, QStringLiteral("LBYES"));
    Save(KindStrip(18, Glyph([&](QPainter& P, double S) {
             P.setPen(Pen(Red, S * 0.12));
             P.drawEllipse(QRectF(S * 0.15, S * 0.15, S * 0.7, S * 0.7));
             P.drawLine(QPointF(S * 0.27, S * 0.73), QPointF(S * 0.73, S * 0.27));
         })),
         Dir, QStringLiteral("LBNO"));
    Save(KindStrip(18, Glyph([&](QPainter& P, double S) {
             P.setPen(Pen(QColor(90, 60, 30), S * 0.1));
             P.setBrush(QColor(190, 140, 80));
             P.drawRect(QRectF(S * 0.25, S * 0.1, S * 0.5, S * 0.8));
             P.setBrush(Qt::NoBrush);
             P.drawPoint(QPointF(S * 0.62, S * 0.52));
         })),
         Dir, QStringLiteral("LBCLOSE"));
    Save(KindStrip(18, Glyph([&](QPainter& P, double S) {
             P.setPen(Qt::NoPen);
             P.setBrush(Red);
             QPolygonF Oct;
             for (int I = 0; I < 8; ++I) {
                 const double A = (I + 0.5) * M_PI / 4;
                 Oct << QPointF(S * (0.5 + 0.42 * std::cos(A)), S * (0.5 + 0.42 * std::sin(A)));
             }
             P.drawPolygon(Oct);
             P.setPen(Pen(Qt::white, S * 0.12));
             P.drawLine(QPointF(S * 0.3, S * 0.5), QPointF(S * 0.7, S * 0.5));
         })),
         Dir, QStringLiteral("LBABORT"));
    Save(KindStrip(18, Glyph([&](QPainter& P, double S) {
             P.setPen(Pen(Green, S * 0.12));
             P.drawArc(QRectF(S * 0.18, S * 0.18, S * 0.64, S * 0.64), 60 * 16, 270 * 16);
             P.drawLine(QPointF(S * 0.66, S * 0.2), QPointF(S * 0.76, S * 0.36));
             P.drawLine(QPointF(S * 0.76, S * 0.36), QPointF(S * 0.56, S * 0.38));
         })),
         Dir, QStringLiteral("LBRETRY"));
    Save(KindStrip(18, Glyph([&](QPainter& P, double S) {
             P.setPen(Pen(QColor(110, 110, 120), S * 0.14));
             P.drawLine(QPointF(S * 0.2, S * 0.8), QPointF(S * 0.8, S * 0.2));
         })),
         Dir, QStringLiteral("LBIGNORE"));
    Save(KindStrip(19, Glyph([&](QPainter& P, double S) {
             P.save();
             P.translate(-S * 0.1, 0);
             Check(P, S * 0.9, Green);
             P.restore();
             P.translate(S * 0.2, S * 0.1);
             Check(P, S * 0.9, Green);
         })),
         Dir, QStringLiteral("LBALL"));
    // The pop-up arrow, 5 x 3.
    Save(ArrowGlyph(5, 3, false, Key), Dir, QStringLiteral("LBARROW"));

    // The grid's pictures: the spin edit's arrows.
    const QString GridDir = argc > 2 ? QString::fromLocal8Bit(argv[2]) : Dir;
    QDir().mkpath(GridDir);
    Save(ArrowGlyph(5, 4, true, Back), GridDir, QStringLiteral("EsgSpinUp"));
    Save(ArrowGlyph(5, 4, false, Back), GridDir, QStringLiteral("EsgSpinDown"));
    // Check boxes (15) and radio buttons (16): QVX 01..04, XP 05..08, each
    // checked, unchecked, checked disabled, unchecked disabled.
    const BoxColours* Boxes[] = {&QVXBox, &QVXBox, &QVXBoxOff, &QVXBoxOff, &XPBox, &XPBox, &XPBoxOff, &XPBoxOff};
    for (int I = 0; I < 8; ++I) {
        const QString N = QStringLiteral("%1").arg(I + 1, 2, 10, QLatin1Char('0'));
        Save(CheckBoxGlyph(15, *Boxes[I], I % 2 == 0), GridDir, QStringLiteral("ESGCHK") + N);
        Save(RadioGlyph(16, *Boxes[I], I % 2 == 0), GridDir, QStringLiteral("ESGRAD") + N);
    }
    Save(LeafGlyph(true), GridDir, QStringLiteral("ESGLEAFOPEN"));
    Save(LeafGlyph(false), GridDir, QStringLiteral("ESGLEAFCLOSE"));
    Save(XPNodeGlyph(false), GridDir, QStringLiteral("XPNODEO"));
    Save(XPNodeGlyph(true), GridDir, QStringLiteral("XPNODEC"));
    Save(FilterGlyph(), GridDir, QStringLiteral("ESGFILT"));
    Save(MetroGlyph(false, true), GridDir, QStringLiteral("metrocheckon"));
    Save(MetroGlyph(false, false), GridDir, QStringLiteral("metrocheckoff"));
    Save(MetroGlyph(true, true), GridDir, QStringLiteral("metroradioon"));
    Save(MetroGlyph(true, false), GridDir, QStringLiteral("metroradiooff"));
    Save(CloseGlyph(), GridDir, QStringLiteral("ESGCLOSE"));
    Save(CloseGlyphState(false), GridDir, QStringLiteral("ESGCLOSEH"));
    Save(CloseGlyphState(true), GridDir, QStringLiteral("ESGCLOSED"));
    Save(SearchArrowGlyph(true, true), GridDir, QStringLiteral("ESGARDOWN"));
    Save(SearchArrowGlyph(true, false), GridDir, QStringLiteral("ESGARDOWND"));
    Save(SearchArrowGlyph(false, true), GridDir, QStringLiteral("ESGARUP"));
    Save(SearchArrowGlyph(false, false), GridDir, QStringLiteral("ESGARUPD"));
    Save(HighlightGlyph(true), GridDir, QStringLiteral("ESGHI"));
    Save(HighlightGlyph(false), GridDir, QStringLiteral("ESGHID"));

    const QString DropDownDir = argc > 3 ? QString::fromLocal8Bit(argv[3]) : Dir;
    QDir().mkpath(DropDownDir);
    Save(PipetteCursor(), DropDownDir, QStringLiteral("QVX_POINTER"));

    // The grid's cursors by number: row select, column select, select all
    // and resize, cell selector.
    const QString CursorDir = argc > 4 ? QString::fromLocal8Bit(argv[4]) : Dir;
    QDir().mkpath(CursorDir);
    Save(SelectArrowCursor(0, QPoint(24, 16)), CursorDir, QStringLiteral("8010"));
    Save(SelectArrowCursor(90, QPoint(16, 24)), CursorDir, QStringLiteral("8011"));
    Save(SelectArrowCursor(45, QPoint(22, 22)), CursorDir, QStringLiteral("8012"));
    Save(CellSelectorCursor(), CursorDir, QStringLiteral("8014"));
    // Panning: 8000 still, then by direction (V, H) as the grid picks them.
    const struct {
        int Number, V, H;
    } Pans[] = {{8000, 0, 0}, {8001, 1, 0}, {8002, 0, -1}, {8003, 0, 1}, {8004, -1, 0},
                {8005, -1, 1}, {8006, -1, -1}, {8007, 1, 1}, {8008, 1, -1}};
    for (const auto& Pan : Pans)
        Save(PanCursor(Pan.V, Pan.H), CursorDir, QString::number(Pan.Number));
    Save(PanMark(true, true), CursorDir, QStringLiteral("INTLI1"));
    Save(PanMark(false, true), CursorDir, QStringLiteral("INTLI2"));
    Save(PanMark(true, false), CursorDir, QStringLiteral("INTLI3"));
    return 0;
}
