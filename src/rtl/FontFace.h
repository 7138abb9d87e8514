#pragma once
// The Qt side of a TFont, for the runtime's text drawing and measuring.
#include <QFont>
#include <QFontMetrics>
#include <QHash>
#include <QString>

class QPaintDevice;

// A font description made into a Qt font for one device resolution, with its
// metrics and the widths of the short texts already measured in it. Building
// a font and shaping a text are the costly parts of measuring text, and a
// grid measures the same fonts and words over and over. Faces are made per
// thread and shared by every TFont of the same description; a face's font
// never changes.
class TFontFace {
public:
    // Device (null: none) gives the resolution only.
    TFontFace(const QFont& Font, const QPaintDevice* Device);
    TFontFace(const TFontFace&) = delete;
    TFontFace& operator=(const TFontFace&) = delete;

    const QFont& Font() const { return FFont; }
    const QFontMetrics& Metrics() const { return FMetrics; }
    int Height() const { return FHeight; }
    int Ascent() const { return FAscent; }
    int Leading() const { return FLeading; }
    // The resolution the metrics are for; 0 for the font's own.
    int Dpi() const { return FDpi; }
    // Metrics().horizontalAdvance(Text); short texts are remembered.
    int Advance(const QString& Text) const;
    // Whether the face belongs to the calling thread.
    bool OfThisThread() const;

private:
    QFont FFont;
    QFontMetrics FMetrics;
    int FDpi;
    int FHeight;
    int FAscent;
    int FLeading;
    const void* FThread;
    mutable QHash<QString, int> FAdvances;
};
