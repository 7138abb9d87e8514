// The mini-HTML renderer against Qt's rich text: 1,000 short marked-up texts
// (bold, italic, a font colour, an anchor and a line break, about 60
// characters each), each measured and then drawn into 200 x 40 pixels of an
// offscreen image. Qt builds a whole document for every text.
#include "BenchSupport.h"

#include "grid/base/EsgHTMLE.h"

#include <QPainter>
#include <QTextDocument>

#include <benchmark/benchmark.h>

namespace {

constexpr int TextCount = 1000;

// The same texts in the mini-HTML and in Qt's HTML subset.
struct TBenchTexts {
    std::vector<String> Mini;
    std::vector<QString> Qt;
};

const TBenchTexts& Texts()
{
    static const TBenchTexts T = [] {
        TBenchTexts V;
        for (int I = 0; I < TextCount; ++I) {
            const QString N = QString::number(I);
            V.Mini.push_back(QStringLiteral("<B>Row %1</B> <I>in</I> <FONT COLOR=\"#FF0000\">red</FONT><BR>"
                                            "<A HREF=\"u%1\">link</A> done")
                                 .arg(N));
            V.Qt.push_back(QStringLiteral("<b>Row %1</b> <i>in</i> <font color=\"#FF0000\">red</font><br>"
                                          "<a href=\"u%1\">link</a> done")
                               .arg(N));
        }
        return V;
    }();
    return T;
}

void BM_MiniHtmlDraw(benchmark::State& State)
{
    bench::EnsureApplication();
    const TBenchTexts& T = Texts();
    TBitmap Bitmap;
    Bitmap.SetSize(200, 40);
    TCanvas* C = Bitmap.Canvas();
    const TRect R(0, 0, 200, 40);
    String AnchorVal, StripVal, FocusAnchor, AnchorHint, CID, CV, CT;
    Integer XSize = 0, YSize = 0, HyperLinks = 0, MouseLink = 0;
    TRect HoverRect, CtrlRect;
    const auto Call = [&](const String& S, bool CheckHeight) {
        DrawHTMLText(C, S, R, nullptr, -1, -1, -1, -1, 1, false, CheckHeight, false, false, false, false, true,
                     false, 1.0, clBlue, clNone, clNone, clGray, AnchorVal, StripVal, FocusAnchor, AnchorHint, XSize,
                     YSize, HyperLinks, MouseLink, HoverRect, CtrlRect, CID, CV, CT, nullptr, nullptr, nullptr, 0);
    };
    for (auto _ : State) {
        for (const String& S : T.Mini) {
            Call(S, true);
            Call(S, false);
        }
        benchmark::DoNotOptimize(YSize);
    }
    State.SetItemsProcessed(State.iterations() * TextCount);
}

void BM_QTextDocumentDraw(benchmark::State& State)
{
    bench::EnsureApplication();
    const TBenchTexts& T = Texts();
    QImage Image(200, 40, QImage::Format_ARGB32_Premultiplied);
    QPainter Painter(&Image);
    qreal Height = 0;
    for (auto _ : State) {
        for (const QString& S : T.Qt) {
            QTextDocument Document;
            Document.setHtml(S);
            Document.setTextWidth(200);
            Height = Document.size().height();
            Document.drawContents(&Painter, QRectF(0, 0, 200, 40));
        }
        benchmark::DoNotOptimize(Height);
    }
    State.SetItemsProcessed(State.iterations() * TextCount);
}

BENCHMARK(BM_MiniHtmlDraw)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QTextDocumentDraw)->Unit(benchmark::kMillisecond);

} // namespace
