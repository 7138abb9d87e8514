// DrawText: formatted text in a rectangle, with prefixes, word breaks and
// ellipses.
#include "rtl/Graphics.h"

#include "rtl/CanvasDeviceUnits.h"
#include "rtl/FontFace.h"

#include <QFontMetrics>
#include <QPainter>

#include <vector>

namespace {

// One line to draw, with the indexes of the characters marked with "&".
struct TTextLine {
    QString Text;
    std::vector<int> Underlined;
};

// The marks of the characters From .. To-1, moved to start at 0.
std::vector<int> MarksWithin(const std::vector<int>& Marks, int From, int To)
{
    std::vector<int> Out;
    for (int M : Marks)
        if (M >= From && M < To)
            Out.push_back(M - From);
    return Out;
}

const QString TextEllipsis = QStringLiteral("...");

TTextLine StripPrefixes(const QString& S, bool NoPrefix)
{
    TTextLine L;
    if (NoPrefix || !S.contains(u'&')) {
        L.Text = S;
        return L;
    }
    L.Text.reserve(S.size());
    for (int I = 0; I < S.size(); ++I) {
        if (S[I] != u'&') {
            L.Text += S[I];
            continue;
        }
        if (I + 1 >= S.size())
            break; // a lone "&" at the end shows nothing
        if (S[I + 1] == u'&') {
            L.Text += u'&';
        } else {
            L.Underlined.push_back(int(L.Text.size()));
            L.Text += S[I + 1];
        }
        ++I;
    }
    return L;
}

QString ExpandTabs(const QString& S)
{
    if (!S.contains(u'\t'))
        return S;
    QString Out;
    for (QChar C : S) {
        if (C == u'\t') {
            do
                Out += u' ';
            while (Out.size() % 8 != 0);
        } else {
            Out += C;
        }
    }
    return Out;
}

// Greedy breaking at blanks; a word wider than the width keeps a line of its own.
std::vector<TTextLine> BreakWords(const TTextLine& Line, const QFontMetrics& FM, int Width)
{
    std::vector<TTextLine> Out;
    const QString& S = Line.Text;
    const int N = int(S.size());
    int Pos = 0;
    if (N == 0) {
        Out.push_back(Line);
        return Out;
    }
    while (Pos < N) {
        int LastGood = -1;
        for (int I = Pos + 1; I <= N; ++I) {
            if (I < N && S[I] != u' ')
                continue;
            int End = I;
            while (End > Pos && S[End - 1] == u' ')
                --End;
            if (FM.horizontalAdvance(S.mid(Pos, End - Pos)) <= Width) {
                LastGood = I;
                continue;
            }
            if (LastGood < 0)
                LastGood = I; // the first word overflows on a line of its own
            break;
        }
        if (LastGood < 0)
            LastGood = N;
        TTextLine Piece;
        int End = LastGood;
        while (End > Pos && S[End - 1] == u' ')
            --End;
        Piece.Text = S.mid(Pos, End - Pos);
        Piece.Underlined = MarksWithin(Line.Underlined, Pos, End);
        Out.push_back(Piece);
        Pos = LastGood;
        while (Pos < N && S[Pos] == u' ')
            ++Pos;
    }
    return Out;
}

// The largest N in 0..Max for which Fits(N) holds, where Fits fails for
// every N above one it fails for (a longer text is never narrower); 0 when
// none fits. A search, so that long texts are shortened in few measurements.
template <typename Predicate>
int LongestFitting(int Max, Predicate Fits)
{
    int Lo = 0;
    int Hi = Max;
    while (Lo < Hi) {
        const int Mid = Lo + (Hi - Lo + 1) / 2;
        if (Fits(Mid))
            Lo = Mid;
        else
            Hi = Mid - 1;
    }
    return Lo;
}

// Shortens a line that is wider than Width.
void ApplyEllipsis(TTextLine& Line, const TFontFace& Face, int Width, Cardinal Format)
{
    if (Face.Advance(Line.Text) <= Width)
        return;
    const QFontMetrics& FM = Face.Metrics();
    const QString& S = Line.Text;
    if (Format & DT_PATH_ELLIPSIS) {
        const int Sep = int(std::max(S.lastIndexOf(u'\\'), S.lastIndexOf(u'/')));
        if (Sep >= 0) {
            const QString Tail = S.mid(Sep);
            const int Head = LongestFitting(Sep - 1, [&](int N) {
                return FM.horizontalAdvance(S.left(N) + TextEllipsis + Tail) <= Width;
            });
            Line.Underlined = MarksWithin(Line.Underlined, 0, Head);
            Line.Text = S.left(Head) + TextEllipsis + Tail;
            return;
        }
    }
    int Kept = 0;
    if (Format & DT_WORD_ELLIPSIS) {
        // Cut before a blank (not the first character), or to nothing.
        std::vector<int> Cuts{0};
        for (int I = 1; I < S.size(); ++I)
            if (S[I] == u' ')
                Cuts.push_back(I);
        Kept = Cuts[LongestFitting(int(Cuts.size()) - 1, [&](int K) {
            return FM.horizontalAdvance(S.left(Cuts[K]) + TextEllipsis) <= Width;
        })];
    } else {
        Kept = LongestFitting(int(S.size()) - 1,
                              [&](int N) { return FM.horizontalAdvance(S.left(N) + TextEllipsis) <= Width; });
    }
    Line.Underlined = MarksWithin(Line.Underlined, 0, Kept);
    Line.Text = S.left(Kept) + TextEllipsis;
}

} // namespace

Integer DrawText(TCanvas* Canvas, const String& Text, TRect& R, Cardinal Format)
{
    return DrawText(Canvas, Text, -1, R, Format);
}

Integer DrawText(TCanvas* Canvas, const String& Text, Integer Count, TRect& R, Cardinal Format)
{
    if (!Canvas)
        return 0;
    if (Canvas->MapMode() == MM_LOMETRIC) {
        // Laid out in device units; a measured extent grows downward.
        const TCanvas::TDeviceUnits D(Canvas);
        TRect Device = D.Rect(R);
        const Integer Height = D.Height(DrawText(Canvas, Text, Count, Device, Format));
        if (Format & DT_CALCRECT) {
            R.Right = R.Left + D.Width(Device.Width());
            R.Bottom = R.Top - D.Height(Device.Height());
        }
        return Height;
    }
    const QString Source = Count < 0 ? Text : Text.left(Count);
    const TFontFace& Face = Canvas->Font()->Face(Canvas->Device());
    const QFontMetrics& FM = Face.Metrics();
    const int LineH = Face.Height() + ((Format & DT_EXTERNALLEADING) ? Face.Leading() : 0);
    const bool Single = Format & DT_SINGLELINE;
    const int Width = R.Width();

    // Lines as written, then broken and shortened.
    QStringList Raw;
    if (Source.isEmpty()) {
        // no line at all: nothing drawn, height 0
    } else if (Single) {
        QString S = Source;
        S.remove(u'\r');
        S.remove(u'\n');
        Raw << S;
    } else {
        QString S = Source;
        S.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        S.replace(u'\r', u'\n');
        Raw = S.split(u'\n');
    }
    std::vector<TTextLine> Lines;
    for (QString S : Raw) {
        if (Format & DT_EXPANDTABS)
            S = ExpandTabs(S);
        const TTextLine L = StripPrefixes(S, Format & DT_NOPREFIX);
        if ((Format & DT_WORDBREAK) && !Single) {
            for (const TTextLine& Piece : BreakWords(L, FM, Width))
                Lines.push_back(Piece);
        } else {
            Lines.push_back(L);
        }
    }
    if (Format & (DT_END_ELLIPSIS | DT_PATH_ELLIPSIS | DT_WORD_ELLIPSIS))
        for (TTextLine& L : Lines)
            ApplyEllipsis(L, Face, Width, Format);

    if ((Format & DT_EDITCONTROL) && !(Format & DT_CALCRECT) && !Single && LineH > 0)
        Lines.resize(std::min(Lines.size(), std::max<size_t>(1, size_t(std::max(0, R.Height()) / LineH))));

    const int TotalH = int(Lines.size()) * LineH;

    if (Format & DT_CALCRECT) {
        int MaxW = 0;
        for (const TTextLine& L : Lines)
            MaxW = std::max(MaxW, Face.Advance(L.Text));
        R.Right = R.Left + MaxW;
        R.Bottom = R.Top + TotalH;
        return TotalH;
    }

    int Y = R.Top;
    if (Single && (Format & DT_VCENTER))
        Y = R.Top + (R.Height() - TotalH) / 2;
    else if (Single && (Format & DT_BOTTOM))
        Y = R.Bottom - TotalH;
    const Integer Result = (Single && (Format & (DT_VCENTER | DT_BOTTOM))) ? Y - R.Top + TotalH : TotalH;

    QPainter* P = Canvas->Painter();
    if (!P || Lines.empty())
        return Result;
    // The font stays with the painter, as after TextOut.
    Canvas->ApplyFont(P);
    P->save();
    if (!(Format & DT_NOCLIP))
        P->setClipRect(ToQRect(R), Qt::IntersectClip);
    if (Format & DT_RTLREADING)
        P->setLayoutDirection(Qt::RightToLeft);
    const QColor Ink = ColorToQColor(Canvas->Font()->Color());
    const bool Opaque = Canvas->Brush()->Style() == bsSolid;
    // Measuring shapes the text as drawing does again: only when needed.
    const bool Measured = Opaque || (Format & (DT_CENTER | DT_RIGHT));
    for (const TTextLine& L : Lines) {
        const int LW = Measured ? Face.Advance(L.Text) : 0;
        int X = R.Left;
        if (Format & DT_CENTER)
            X = R.Left + (Width - LW) / 2;
        else if (Format & DT_RIGHT)
            X = R.Right - LW;
        const int LineY = Y;
        const bool Turned = Canvas->TurnForText(P, X, Y);
        if (Opaque)
            Canvas->FillWithBrush(P, QRect(X, Y, LW, LineH));
        if (Ink.isValid()) {
            P->setCompositionMode(QPainter::CompositionMode_SourceOver);
            P->setPen(Ink);
            P->drawText(QPoint(X, Y + Face.Ascent()), L.Text);
            for (int U : L.Underlined) {
                const int UnderlineY = Face.Ascent() + std::max(1, FM.underlinePos());
                const int UnderlineH = std::max(1, FM.lineWidth());
                const int UX = X + FM.horizontalAdvance(L.Text.left(U));
                const int UW = FM.horizontalAdvance(L.Text.mid(U, 1));
                P->fillRect(QRect(UX, Y + UnderlineY, UW, UnderlineH), Ink);
            }
        }
        if (Turned)
            P->restore();
        Y = LineY + LineH;
    }
    P->restore();
    return Result;
}
