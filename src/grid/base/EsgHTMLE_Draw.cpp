// Mini-HTML layout and drawing. DrawHTMLText lays the text out line by line:
// DrawHTMLLine measures a line (where it ends, how wide and high it is, what
// lies under the point), then draws it, or measures it again in its place to
// hit-test. The text is walked by index, so a long text costs what it holds.
#include "grid/base/EsgHTMLE.h"

#include "grid/base/ExXPVS.h"
#include "grid/base/PictureContainer.h"

#include "rtl/Controls.h"
#include "rtl/ImgList.h"
#include "rtl/ShellAPI.h"
#include "rtl/SysUtils.h"

#include <algorithm>
#include <memory>
#include <vector>

namespace {

enum class THTMLPass { Measure, HitTest, Draw };

// What the caller hands DrawHTMLText besides the text.
struct THTMLDrawArgs {
    TCanvas* Canvas;
    TRect R;
    TImageList* Images;
    Integer XPos;
    Integer YPos;
    Integer FocusLink;
    Integer HoverLink;
    Integer ShadowOffset;
    bool CheckHotSpot;
    bool CheckHeight;
    bool Print;
    bool Selected;
    bool Blink;
    bool HoverStyle;
    bool WordWrap;
    bool Down;
    double ResFactor;
    TColor URLColor;
    TColor HoverColor;
    TColor HoverFontColor;
    TColor ShadowColor;
    THTMLPictureCache* Cache;
    TPictureContainer* Container;
    HWND Wnd;
    Integer BiDiMode;
};

// Where DrawHTMLText leaves its results.
struct THTMLDrawResults {
    String& AnchorVal;
    String& StripVal;
    String& FocusAnchor;
    String& AnchorHint;
    Integer& XSize;
    Integer& YSize;
    Integer& HyperLinks;
    Integer& MouseLink;
    TRect& HoverRect;
    TRect& CtrlRect;
    String& CID;
    String& CV;
    String& CT;
};

// The anchor and counter state both passes of a line start from.
struct THTMLAnchorState {
    bool InAnchor = false;
    String Href;
    String Title;
    Integer Count = 0;
    Integer ListLevel = 0;
    Integer ImageCount = 0;
    bool Styled = false;
};

// Per line, kept from the measuring pass into the second one.
struct THTMLLineMetrics {
    Integer Width = 0;  // without a trailing blank
    Integer Height = 0;
    Integer SubExtra = 0;
    Integer SupExtra = 0;
    Integer ImageOffset = 0;
    bool Sub = false;
    bool Sup = false;
};

// One pass over one line.
struct THTMLLinePass {
    THTMLPass Pass = THTMLPass::Measure;
    TRect Rect;
    Integer TextBottom = 0;
    Integer Width = 0;  // measuring: the line's width so far
    Integer X = 0;      // drawing: the next item's position
    bool Ended = false;
    bool Full = false;
    bool Consumed = false;
    Integer Runs = 0;
    bool EndsWithBlank = false;
    Integer TrailingBlank = 0;
    bool ListItem = false;
    bool AnchorTextHit = false;
    bool ItemHit = false;
    qsizetype SourceEnd = -1;  // where the line's source ends when the rest was dropped
};

enum class THTMLImageKind { None, ListImage, ShellIcon, Picture };

// What an image source names and its size in pixels.
struct THTMLImage {
    THTMLImageKind Kind = THTMLImageKind::None;
    Integer Index = 0;
    std::unique_ptr<TBitmap> Icon;
    THTMLPicture* Picture = nullptr;
    bool SizeGiven = false;
    Integer Width = 0;
    Integer Height = 0;
};

constexpr Integer HTMLListIndent = 12;

Integer AddClamped(Integer A, Integer B)
{
    return Integer(std::clamp<Int64>(Int64(A) + B, -0x3FFFFFFF, 0x3FFFFFFF));
}

TColor HTMLValueColor(const String& Value)
{
    return Value.startsWith(u'#') ? HTMLColorByHex(Value) : HTMLColorByName(Value);
}

Char HTMLTagChar(const String& Upper, qsizetype Index)
{
    return Index < Upper.size() ? Upper[Index] : Char();
}

// Puts the canvas brush's colour and style back when it goes.
class TBrushKeeper {
public:
    explicit TBrushKeeper(TCanvas* Canvas)
        : C(Canvas), Color(Canvas->Brush()->Color()), Style(Canvas->Brush()->Style())
    {
    }
    ~TBrushKeeper()
    {
        C->Brush()->SetColor(Color);
        C->Brush()->SetStyle(Style);
    }
    TBrushKeeper(const TBrushKeeper&) = delete;
    TBrushKeeper& operator=(const TBrushKeeper&) = delete;

private:
    TCanvas* C;
    TColor Color;
    TBrushStyle Style;
};

class THTMLRenderer {
public:
    THTMLRenderer(const THTMLDrawArgs& Args, THTMLDrawResults& Results) : A(Args), Out(Results), C(Args.Canvas) {}
    bool Run(const String& S);

private:
    qsizetype DrawHTMLLine(THTMLPass Pass, qsizetype& Pos, qsizetype End, const TRect& Line);
    TRect PlaceLine(const TRect& Area, Integer Top, Integer Height) const;
    bool Calc() const { return L.Pass != THTMLPass::Draw; }
    bool Drawing() const { return L.Pass == THTMLPass::Draw; }
    Integer GhHeight() const { return C->TextHeight(QStringLiteral("gh")); }
    Integer Available() const;
    Integer CurrentX() const;
    Integer Advance(Integer Width);
    bool PointIn(Integer Left, Integer Top, Integer Width, Integer Height) const;

    void LayOutRun(qsizetype& Pos, qsizetype End);
    Integer RunWidth(const String& Run) const;
    bool RunStays(Integer Width, bool& DropRest) const;
    void DrawRun(const String& Run, Integer Left, Integer Width);
    void DrawRunText(const String& Run, const TRect& R, TColor Color);
    void DrawErrorLine(Integer Left, Integer Right, Integer Bottom);
    Integer RunBottom() const;

    void HandleTagAt(qsizetype& Pos, qsizetype End);
    void OpeningTag(const String& Upper, const String& Tag);
    void ClosingTag(const String& Upper);
    void SetStyle(TFontStyle Style, bool On);
    void OpenAnchor(const String& Upper, const String& Tag);
    void CloseAnchor();
    void FontTag(const String& Upper);
    void CloseFont();
    void BodyTag(const String& Upper);
    void ParagraphTag(const String& Upper);
    void ListItem();
    void IndentTag(const String& Upper);
    void RotateTag(const String& Upper);
    void Highlight(bool On);
    void HorizontalRule();
    void EndLine() { L.Ended = true; }
    void FillLine(TColor Color);
    void DrawFocusFrame(Integer Right);

    THTMLImage ResolveImage(const String& Source, Integer Width, Integer Height);
    void PictureSize(THTMLImage& Image, Integer Width, Integer Height) const;
    void ImageTag(const String& Upper);
    bool PlaceItem(Integer RoomWidth);
    void DrawImage(const THTMLImage& Image, Integer Left, Integer Top);
    void ControlTag(const String& Tag);
    void DrawControl(const THTMLControl& Control, Integer Width, Integer Left, bool PointOn);
    void DrawControlBox(Integer Left, Integer Right, Integer Top, Integer Bottom);
    bool DrawThemed(const char* ClassName, Integer Part, Integer State, const TRect& R);

    void SetBrushColor(TColor Color);
    TColor BrushColor() const;

    const THTMLDrawArgs& A;
    THTMLDrawResults& Out;
    TCanvas* C;
    String Text;
    Cardinal Flags = 0;
    bool RightToLeft = false;
    bool Themed = false;
    TFont StartFont;
    TColor StartBrushColor = clNone;

    THTMLAnchorState Anchor;
    THTMLLineMetrics M;
    THTMLLinePass L;
    Integer LineIndex = 0;

    bool Hidden = false;
    bool Shadow = false;
    bool ErrorLine = false;
    bool ParagraphBackground = false;
    Integer Align = 0;
    Integer Indent = 0;
    TRect Area;
    Integer HoveredImage = -1;
    Integer RotationSaved = 0;

    TColor AnchorBrushSaved = clNone;
    TColor AnchorFontSaved = clNone;
    bool Highlighted = false;
    TColor HighlightFontSaved = clNone;
    TColor HighlightBrushSaved = clNone;
    TColor FontBrushSaved = clNone;
    TColor ParagraphBrushSaved = clNone;

    bool InFocusAnchor = false;
    TPoint FocusStart;
    bool MouseOnAnchor = false;
    TPoint HoverStart;
    Integer HoverStartLine = -1;
};

// ---------------------------------------------------------------------------
// The whole text

bool THTMLRenderer::Run(const String& S)
{
    const TColor PenColor = C->Pen()->Color();
    const Integer PenWidth = C->Pen()->Width();
    const TBrushKeeper KeepBrush(C);
    StartFont.Assign(C->Font());
    StartBrushColor = BrushColor();
    C->Brush()->SetColor(clNone);

    Flags = DT_BOTTOM | DT_SINGLELINE | DT_EXPANDTABS | DT_EXTERNALLEADING;
    Flags = BiDiDrawFlags(Flags, A.BiDiMode);
    if (!A.WordWrap)
        Flags |= DT_END_ELLIPSIS;
    RightToLeft = Flags & DT_RTLREADING;
    Themed = IsWinXPOrLater && ThemeAPIBound && ThemeAPI.IsThemeActive();
    Text = PrepareHTMLText(S);

    Area = A.R;
    Area.Left += 1;
    TFont MeasureFont;
    TFont DrawFont;
    MeasureFont.Assign(&StartFont);
    DrawFont.Assign(&StartFont);
    bool Result = false;
    Integer Y = Area.Top;
    qsizetype Pos = 0;
    while (Pos < Text.size()) {
        C->Font()->Assign(&MeasureFont);
        M = THTMLLineMetrics();
        M.Height = GhHeight();
        const THTMLAnchorState Saved = Anchor;
        const qsizetype Start = Pos;
        const qsizetype SourceEnd =
            DrawHTMLLine(THTMLPass::Measure, Pos, Text.size(), TRect(Area.Left, Y, Area.Right, A.R.Bottom));
        MeasureFont.Assign(C->Font());
        const Integer LineHeight = AddClamped(M.Height, AddClamped(M.SubExtra, M.SupExtra));
        if (!A.CheckHeight) {
            Anchor = Saved;
            C->Font()->Assign(&DrawFont);
            qsizetype From = Start;
            DrawHTMLLine(A.CheckHotSpot ? THTMLPass::HitTest : THTMLPass::Draw, From, SourceEnd,
                         PlaceLine(Area, Y, LineHeight));
            DrawFont.Assign(C->Font());
            const Integer Bottom = AddClamped(Y, LineHeight) - M.SubExtra - M.ImageOffset;
            if (L.ItemHit || (L.AnchorTextHit && Bottom - GhHeight() < A.YPos && A.YPos < Bottom))
                Result = true;
        }
        Y = AddClamped(Y, LineHeight);
        Out.YSize = AddClamped(Out.YSize, LineHeight);
        ++LineIndex;
        if (!A.CheckHeight && AddClamped(Y, GhHeight()) > A.R.Bottom)
            break;
    }
    Out.HyperLinks = Anchor.Count;

    C->Font()->Assign(&StartFont);
    C->Pen()->SetColor(PenColor);
    C->Pen()->SetWidth(PenWidth);
    if (Out.YSize == 0)
        Out.YSize = GhHeight();
    return Result;
}

TRect THTMLRenderer::PlaceLine(const TRect& Area, Integer Top, Integer Height) const
{
    Integer Shift = 0;
    if (Align == 1 && Area.Right - M.Width > Area.Left)
        Shift = Area.Right - M.Width - Area.Left;
    else if (Align == 2 && Area.Width() > M.Width)
        Shift = (Area.Width() - M.Width) / 2;
    Shift = AddClamped(Shift, Indent);
    return TRect(AddClamped(Area.Left, Shift), Top, AddClamped(Area.Right, Shift), AddClamped(Top, Height));
}

// ---------------------------------------------------------------------------
// One line

qsizetype THTMLRenderer::DrawHTMLLine(THTMLPass Pass, qsizetype& Pos, qsizetype End, const TRect& Line)
{
    L = THTMLLinePass();
    L.Pass = Pass;
    L.Rect = Line;
    L.TextBottom = Line.Bottom - M.SubExtra;
    L.X = RightToLeft ? Line.Right : Line.Left;
    if (Drawing() && ParagraphBackground)
        FillLine(BrushColor());
    if (Drawing() && InFocusAnchor)
        FocusStart = TPoint(L.X, Line.Top);
    while (Pos < End && !L.Ended && !L.Full) {
        if (Text[Pos] == u'<')
            HandleTagAt(Pos, End);
        else
            LayOutRun(Pos, End);
    }
    if (Pass == THTMLPass::Measure) {
        M.Width = L.Width - L.TrailingBlank;
        Out.XSize = std::max(Out.XSize, M.Width);
    }
    if (Drawing() && InFocusAnchor)
        DrawFocusFrame(L.X);
    return L.SourceEnd >= 0 ? L.SourceEnd : Pos;
}

Integer THTMLRenderer::Available() const
{
    if (Calc())
        return L.Rect.Width() - L.Width;
    return RightToLeft ? L.X - L.Rect.Left : L.Rect.Right - L.X;
}

Integer THTMLRenderer::CurrentX() const
{
    if (Calc())
        return RightToLeft ? L.Rect.Right - L.Width : L.Rect.Left + L.Width;
    return L.X;
}

// The left edge of an item of that width at the current position, which
// moves past it (leftwards when reading right to left).
Integer THTMLRenderer::Advance(Integer Width)
{
    const Integer Left = RightToLeft ? CurrentX() - Width : CurrentX();
    if (Calc())
        L.Width = AddClamped(L.Width, Width);
    else
        L.X = RightToLeft ? Left : AddClamped(L.X, Width);
    return Left;
}

bool THTMLRenderer::PointIn(Integer Left, Integer Top, Integer Width, Integer Height) const
{
    return A.XPos >= Left && A.XPos < AddClamped(Left, Width) && A.YPos >= Top && A.YPos < AddClamped(Top, Height);
}

// ---------------------------------------------------------------------------
// Text runs

void THTMLRenderer::LayOutRun(qsizetype& Pos, qsizetype End)
{
    qsizetype RunEnd = Text.indexOf(u'<', Pos);
    if (RunEnd < 0 || RunEnd > End)
        RunEnd = End;
    if (A.WordWrap) {
        const qsizetype Blank = QStringView(Text).mid(Pos, RunEnd - Pos).indexOf(u' ');
        if (Blank >= 0)
            RunEnd = Pos + Blank + 1;
    }
    const String Run = DecodeRunEntities(Text.mid(Pos, RunEnd - Pos));
    const Integer RunHeight = C->TextHeight(Run);
    if (M.Sub)
        M.SubExtra = std::max(M.SubExtra, RunHeight / 4);
    if (M.Sup)
        M.SupExtra = std::max(M.SupExtra, RunHeight / 4);
    M.Height = std::max(M.Height, RunHeight);
    // A run goes into the plain text once, on the line that keeps it.
    const bool Measuring = L.Pass == THTMLPass::Measure;
    if (Hidden) {
        if (Measuring)
            Out.StripVal += Run;
        Pos = RunEnd;
        L.Consumed = true;
        return;
    }
    const Integer Width = RunWidth(Run);
    bool DropRest = false;
    if (Calc() && !RunStays(Width, DropRest)) {
        L.Ended = true;
        return;
    }
    if (Measuring)
        Out.StripVal += Run;
    Pos = RunEnd;
    if (DropRest) {
        L.SourceEnd = RunEnd;
        Pos = End;
    }
    const Integer Left = Advance(Width);
    L.Consumed = true;
    ++L.Runs;
    L.EndsWithBlank = Run.endsWith(u' ');
    L.TrailingBlank = L.EndsWithBlank ? C->TextWidth(QStringLiteral(" ")) : 0;
    if (Drawing()) {
        DrawRun(Run, Left, Width);
        return;
    }
    if (Anchor.InAnchor && A.XPos >= Left && A.XPos < Left + Width) {
        L.AnchorTextHit = true;
        // Lines go top to bottom: the last line above the point wins.
        if (L.Rect.Top < A.YPos) {
            Out.AnchorVal = Anchor.Href;
            Out.AnchorHint = Anchor.Title;
            MouseOnAnchor = true;
        }
    }
}

Integer THTMLRenderer::RunWidth(const String& Run) const
{
    TRect R(0, 0, Available(), 0);
    DrawText(C, Run, R, Flags | DT_CALCRECT);
    return R.Width();
}

// Measuring: whether the run stays on the line; without a blank before it
// there is no place to break, so a word wider than the rectangle stays alone
// on a line of its own. Without word wrap it always stays, and a run that
// does not fit after others ends the text with its ellipsis.
bool THTMLRenderer::RunStays(Integer Width, bool& DropRest) const
{
    const Integer Room = L.Rect.Width();
    if (A.WordWrap)
        return AddClamped(L.Width, Width) < Room || !L.EndsWithBlank;
    const bool Fits = AddClamped(L.Width, Width) < Room || Width >= Room;
    DropRest = !Fits && L.Runs > 0;
    return true;
}

Integer THTMLRenderer::RunBottom() const
{
    Integer Bottom = L.TextBottom - M.ImageOffset;
    if (M.Sup)
        Bottom -= M.SupExtra;
    if (M.Sub)
        Bottom += M.SubExtra;
    return Bottom;
}

void THTMLRenderer::DrawRun(const String& Run, Integer Left, Integer Width)
{
    const TRect R(Left, L.Rect.Top, Left + Width, RunBottom());
    if (Shadow) {
        TRect Offset = R;
        OffsetRect(Offset, A.ShadowOffset, A.ShadowOffset);
        DrawRunText(Run, Offset, A.ShadowColor);
    }
    DrawRunText(Run, R, C->Font()->Color());
    if (InFocusAnchor)
        Out.FocusAnchor = Anchor.Href;
    if (ErrorLine)
        DrawErrorLine(Left, Left + Width, R.Bottom);
}

void THTMLRenderer::DrawRunText(const String& Run, const TRect& R, TColor Color)
{
    const TColor Saved = C->Font()->Color();
    C->Font()->SetColor(Color);
    TRect Box = R;
    // The box is the run's own extent: nothing of it is clipped.
    DrawText(C, Run, Box, Flags | DT_NOCLIP);
    C->Font()->SetColor(Saved);
}

// A red zig-zag along the bottom, its phase fixed by x so that runs join.
void THTMLRenderer::DrawErrorLine(Integer Left, Integer Right, Integer Bottom)
{
    std::vector<TPoint> Points;
    for (Integer X = Left & ~1; X <= Right; X += 2)
        Points.emplace_back(X, X % 4 == 0 ? Bottom - 1 : Bottom + 1);
    C->Pen()->SetColor(clRed);
    C->Pen()->SetWidth(1);
    C->Polyline(Points);
}

// ---------------------------------------------------------------------------
// Tags

void THTMLRenderer::HandleTagAt(qsizetype& Pos, qsizetype End)
{
    const qsizetype Close = Text.indexOf(u'>', Pos);
    if (End - Pos <= 2) {
        ++Pos;
    } else if (Close < 0 || Close >= End) {
        Pos = End;  // a tag without ">" drops the rest
    } else {
        const String Tag = Text.mid(Pos, Close - Pos + 1);
        const String Upper = UpperCase(Tag);
        if (Upper[1] == u'/' && End - Pos > 3)
            ClosingTag(Upper);
        else
            OpeningTag(Upper, Tag);
        if (L.Full)
            return;  // the tag starts the next line
        Pos = Close + 1;
    }
    L.Consumed = true;
}

void THTMLRenderer::SetStyle(TFontStyle Style, bool On)
{
    TFontStyles Styles = C->Font()->Style();
    if (On)
        Styles.Include(Style);
    else
        Styles.Exclude(Style);
    C->Font()->SetStyle(Styles);
}

void THTMLRenderer::OpeningTag(const String& Upper, const String& Tag)
{
    const Char Next = HTMLTagChar(Upper, 2);
    switch (HTMLTagChar(Upper, 1).unicode()) {
    case u'A': OpenAnchor(Upper, Tag); break;
    case u'B':
        if (Next == u'>') {
            SetStyle(fsBold, true);
        } else if (Next == u'R') {
            if (L.Pass == THTMLPass::Measure)
                Out.StripVal += u'\r';
            EndLine();
        } else if (Next == u'L') {
            if (!A.Blink)
                C->Font()->SetColor(StartBrushColor);
        } else if (Next == u'O') {
            BodyTag(Upper);
        }
        break;
    case u'C': ControlTag(Tag); break;
    case u'E':
        if (Drawing())
            ErrorLine = true;
        break;
    case u'F': FontTag(Upper); break;
    case u'H':
        if (Next == u'I')
            Highlight(true);
        else if (Next == u'R')
            HorizontalRule();
        break;
    case u'I':
        if (Next == u'>')
            SetStyle(fsItalic, true);
        else if (Next == u'M')
            ImageTag(Upper);
        else if (Next == u'N')
            IndentTag(Upper);
        break;
    case u'L': ListItem(); break;
    case u'P': ParagraphTag(Upper); break;
    case u'R': RotateTag(Upper); break;
    case u'S':
        if (Next == u'>')
            SetStyle(fsStrikeOut, true);
        else if (Next == u'H')
            Shadow = true;
        else if (Upper.startsWith(QLatin1String("<SUB>")))
            M.Sub = true;
        else if (Upper.startsWith(QLatin1String("<SUP>")))
            M.Sup = true;
        break;
    case u'U':
        if (Next == u'>') {
            SetStyle(fsUnderline, true);
        } else {
            ++Anchor.ListLevel;
            EndLine();
        }
        break;
    case u'Z': Hidden = true; break;
    default: break;
    }
}

void THTMLRenderer::ClosingTag(const String& Upper)
{
    const Char Next = HTMLTagChar(Upper, 3);
    switch (HTMLTagChar(Upper, 2).unicode()) {
    case u'A': CloseAnchor(); break;
    case u'B':
        if (Next == u'>')
            SetStyle(fsBold, false);
        else
            C->Font()->SetColor(StartFont.Color());
        break;
    case u'E':
        if (Drawing())
            ErrorLine = false;
        break;
    case u'F': CloseFont(); break;
    case u'H': Highlight(false); break;
    case u'I': SetStyle(fsItalic, false); break;
    case u'L': EndLine(); break;
    case u'P':
        EndLine();
        if (Drawing() && ParagraphBackground) {
            ParagraphBackground = false;
            SetBrushColor(ParagraphBrushSaved);
        }
        break;
    case u'R': C->Font()->SetOrientation(RotationSaved); break;
    case u'S':
        if (Next == u'U')
            M.Sub = M.Sup = false;
        else if (Next == u'H')
            Shadow = false;
        else
            SetStyle(fsStrikeOut, false);
        break;
    case u'U':
        if (Next == u'>' || Anchor.ListLevel < 1)
            SetStyle(fsUnderline, false);
        else
            --Anchor.ListLevel;
        break;
    case u'Z': Hidden = false; break;
    default: break;
    }
}

TColor THTMLRenderer::BrushColor() const
{
    return C->Brush()->Style() == bsClear ? clNone : C->Brush()->Color();
}

void THTMLRenderer::SetBrushColor(TColor Color)
{
    C->Brush()->SetColor(Color);
    if (Color == clNone)
        C->Brush()->SetStyle(bsClear);
}

void THTMLRenderer::OpenAnchor(const String& Upper, const String& Tag)
{
    if (Drawing() && Anchor.Count == A.FocusLink) {
        InFocusAnchor = true;
        FocusStart = TPoint(L.X, L.Rect.Top);
    }
    ++Anchor.Count;
    Anchor.Styled = !A.HoverStyle || Anchor.Count == A.HoverLink;
    if (Anchor.Styled && Drawing()) {
        SetStyle(fsUnderline, true);
        if (A.HoverColor != clNone) {
            AnchorBrushSaved = BrushColor();
            SetBrushColor(A.HoverColor);
        }
        if (A.HoverFontColor != clNone) {
            AnchorFontSaved = C->Font()->Color();
            C->Font()->SetColor(A.HoverFontColor);
        }
    }
    if (!A.Selected && !(Anchor.Styled && A.HoverFontColor != clNone))
        C->Font()->SetColor(A.URLColor);
    Anchor.Href.clear();
    Anchor.Title.clear();
    Anchor.InAnchor = HTMLTagValue(Upper, Tag, "HREF", Anchor.Href);
    HTMLTagValue(Upper, Tag, "TITLE", Anchor.Title);
    HoverStart = TPoint(CurrentX(), L.Rect.Top);
    HoverStartLine = LineIndex;
}

void THTMLRenderer::CloseAnchor()
{
    if (Anchor.Styled && Drawing()) {
        SetStyle(fsUnderline, false);
        if (A.HoverColor != clNone)
            SetBrushColor(AnchorBrushSaved);
        if (A.HoverFontColor != clNone)
            C->Font()->SetColor(AnchorFontSaved);
    }
    if (!A.Selected)
        C->Font()->SetColor(StartFont.Color());
    Anchor.InAnchor = false;
    if (Calc() && MouseOnAnchor) {
        const Integer Left = HoverStartLine == LineIndex ? HoverStart.X : L.Rect.Left;
        Out.HoverRect = TRect(Left, HoverStart.Y, CurrentX(), L.TextBottom);
        Out.MouseLink = Anchor.Count;
        MouseOnAnchor = false;
    }
    if (Drawing() && InFocusAnchor) {
        DrawFocusFrame(L.X);
        InFocusAnchor = false;
    }
}

void THTMLRenderer::DrawFocusFrame(Integer Right)
{
    const Integer Bottom = L.TextBottom - M.ImageOffset;
    C->DrawFocusRect(TRect(FocusStart.X - 1, Bottom - GhHeight(), Right + 1, Bottom));
}

void THTMLRenderer::FontTag(const String& Upper)
{
    String Value;
    if (HTMLTagValue(Upper, Upper, "FACE", Value))
        C->Font()->SetName(Value);
    // " COLOR", so that BGCOLOR is not taken for it.
    if (!A.Selected && HTMLTagValue(Upper, Upper, " COLOR", Value) && !Value.isEmpty())
        C->Font()->SetColor(HTMLValueColor(Value));
    if (Drawing() && !A.Selected && HTMLTagValue(Upper, Upper, "BGCOLOR", Value) && !Value.isEmpty()) {
        FontBrushSaved = BrushColor();
        SetBrushColor(HTMLValueColor(Value));
    }
    const Integer Size = HTMLFontSize(Upper);
    if (Size >= 0)
        C->Font()->SetSize(Size);
}

void THTMLRenderer::CloseFont()
{
    C->Font()->SetName(StartFont.Name());
    C->Font()->SetSize(StartFont.Size());
    if (A.Selected)
        return;
    C->Font()->SetColor(StartFont.Color());
    if (Drawing())
        SetBrushColor(FontBrushSaved);
}

void THTMLRenderer::Highlight(bool On)
{
    // A closing tag without its HI has nothing to give back.
    if (!Drawing() || On == Highlighted)
        return;
    Highlighted = On;
    if (On) {
        HighlightFontSaved = C->Font()->Color();
        HighlightBrushSaved = BrushColor();
    }
    C->Font()->SetColor(On ? HTMLHighlightTextColor : HighlightFontSaved);
    SetBrushColor(On ? HTMLHighlightColor : HighlightBrushSaved);
}

void THTMLRenderer::HorizontalRule()
{
    EndLine();
    if (!Drawing())
        return;
    C->Pen()->SetColor(clBlack);
    C->Pen()->SetWidth(1);
    C->MoveTo(A.R.Left, L.TextBottom + 1);
    C->LineTo(A.R.Right, L.TextBottom + 1);
}

void THTMLRenderer::FillLine(TColor Color)
{
    const TBrushKeeper Keep(C);
    C->Brush()->SetColor(Color);
    C->FillRect(TRect(Area.Left, L.Rect.Top, Area.Right, AddClamped(L.Rect.Top, M.Height)));
}

void THTMLRenderer::BodyTag(const String& Upper)
{
    if (!Drawing())
        return;
    String Value;
    if (HTMLTagValue(Upper, Upper, "BACKGROUND", Value)) {
        const THTMLImage Image = ResolveImage(Value, 0, 0);
        if (Image.Picture && Image.Width > 0 && Image.Height > 0) {
            C->SaveClipping();
            C->IntersectClipRect(A.R);
            for (Integer Y = A.R.Top; Y < A.R.Bottom; Y += Image.Height)
                for (Integer X = A.R.Left; X < A.R.Right; X += Image.Width)
                    Image.Picture->Draw(C, TRect(X, Y, X + Image.Width, Y + Image.Height));
            C->RestoreClipping();
        }
    }
    if (!HTMLTagValue(Upper, Upper, "BGCOLOR", Value))
        return;
    TColor Color = clNone;
    if (Value.contains(QLatin1String("CL")))
        Color = HTMLColorByName(Value);
    if (Value.contains(u'#'))
        Color = HTMLColorByHex(Value);
    if (Color == clNone)
        return;
    SetBrushColor(Color);
    C->FillRect(A.R);
}

void THTMLRenderer::ParagraphTag(const String& Upper)
{
    String Value;
    if (HTMLTagValue(Upper, Upper, "ALIGN", Value) && HTMLParagraphAlign(Value) >= 0)
        Align = HTMLParagraphAlign(Value);
    if (HTMLTagValue(Upper, Upper, "INDENT", Value))
        Indent = LeadingInt(Value);
    if (!Drawing() || !HTMLTagValue(Upper, Upper, "BGCOLOR", Value) || Value.isEmpty())
        return;
    const TColor Color = HTMLValueColor(Value);
    ParagraphBackground = true;
    ParagraphBrushSaved = BrushColor();
    SetBrushColor(Color);
    C->Pen()->SetColor(Color);
    FillLine(Color);
}

void THTMLRenderer::ListItem()
{
    if (L.ListItem) {
        L.Full = true;  // a second bullet starts the next line
        return;
    }
    L.ListItem = true;
    const Integer Left = Advance(HTMLListIndent * Anchor.ListLevel);
    if (Drawing()) {
        const String Bullet(1, Anchor.ListLevel % 2 ? u'•' : u'◦');
        const Integer X = Left + (Anchor.ListLevel - 1) * HTMLListIndent;
        TRect R(X, L.Rect.Top, X + C->TextWidth(Bullet), RunBottom());
        DrawText(C, Bullet, R, Flags | DT_NOCLIP);
    }
}

void THTMLRenderer::IndentTag(const String& Upper)
{
    String Value;
    Integer Pixels = 0;
    if (!HTMLTagValue(Upper, Upper, "X", Value) || !TryStrToInt(Value, Pixels))
        return;
    if (Calc())
        L.Width = std::max(L.Width, Pixels);
    else
        L.X = std::max(L.X, AddClamped(L.Rect.Left, Pixels));
}

void THTMLRenderer::RotateTag(const String& Upper)
{
    String Value;
    HTMLTagValue(Upper, Upper, "A", Value);
    RotationSaved = C->Font()->Orientation();
    C->Font()->SetOrientation(LeadingInt(Value) * 10);
}

// ---------------------------------------------------------------------------
// Images

void THTMLRenderer::PictureSize(THTMLImage& Image, Integer Width, Integer Height) const
{
    THTMLPicture* P = Image.Picture;
    // A picture whose data did not decode has no size: it takes no room.
    if (P->Empty() || P->GetWidth() <= 0 || P->GetHeight() <= 0)
        return;
    Image.SizeGiven = Width > 0 || Height > 0;
    if (Width > 0 && Height > 0) {
        Image.Width = Width;
        Image.Height = Height;
    } else if (Width > 0) {
        Image.Width = Width;
        Image.Height = MulDiv(Width, P->GetHeight(), P->GetWidth());
    } else if (Height > 0) {
        Image.Width = MulDiv(Height, P->GetWidth(), P->GetHeight());
        Image.Height = Height;
    } else {
        Image.Width = P->GetMaxWidth();
        Image.Height = P->GetMaxHeight();
    }
}

THTMLImage THTMLRenderer::ResolveImage(const String& Source, Integer Width, Integer Height)
{
    THTMLImage Image;
    if (Source.startsWith(QLatin1String("IDX:"))) {
        Image.Index = LeadingInt(Source.mid(4));
        if (A.Images && Image.Index < A.Images->Count()) {
            Image.Kind = THTMLImageKind::ListImage;
            Image.Width = A.Images->Width();
            Image.Height = A.Images->Height();
        }
        return Image;
    }
    const bool Small = Source.startsWith(QLatin1String("SSYS:"));
    if (Small || Source.startsWith(QLatin1String("LSYS:"))) {
        // An index into the system image list: there is none here.
        const String Path = Source.mid(5);
        Integer Index = 0;
        auto Icon = std::make_unique<TBitmap>();
        if (TryStrToInt(Path, Index) || !GetShellFileIcon(Path, !Small, Icon.get()))
            return Image;
        Image.Kind = THTMLImageKind::ShellIcon;
        Image.Icon = std::move(Icon);
        Image.Width = Image.Height = ShellIconSize(!Small);
        return Image;
    }
    if (Source.contains(QLatin1String("://"))) {
        if (A.Cache) {
            Image.Picture = A.Cache->FindPicture(Source);
            if (!Image.Picture) {
                Image.Picture = A.Cache->AddPicture();
                Image.Picture->LoadFromURL(Source);
            }
        }
    } else if (!Source.contains(u':') && A.Container) {
        Image.Picture = A.Container->FindPicture(Source);
    }
    if (Image.Picture) {
        Image.Kind = THTMLImageKind::Picture;
        PictureSize(Image, Width, Height);
    }
    return Image;
}

void THTMLRenderer::ImageTag(const String& Upper)
{
    ++Anchor.ImageCount;
    String Source;
    String Value;
    HTMLTagValue(Upper, Upper, "SRC", Source);
    if (HoveredImage == Anchor.ImageCount && HTMLTagValue(Upper, Upper, "ALT", Value))
        Source = Value;
    const Integer Width = HTMLTagValue(Upper, Upper, "WIDTH", Value) ? LeadingInt(Value) : 0;
    const Integer Height = HTMLTagValue(Upper, Upper, "HEIGHT", Value) ? LeadingInt(Value) : 0;
    const THTMLImage Image = ResolveImage(Source, Width, Height);
    if (Image.Width <= 0 || Image.Height <= 0)
        return;
    const Integer RoomWidth = MulDiv(Image.Width, GetDeviceCaps(C, LOGPIXELSX), 96);
    const Integer RoomHeight = MulDiv(Image.Height, GetDeviceCaps(C, LOGPIXELSY), 96);
    if (!PlaceItem(RoomWidth))
        return;
    const Integer Left = Advance(RoomWidth);
    if (Anchor.InAnchor && PointIn(Left, L.Rect.Top, RoomWidth, RoomHeight)) {
        L.ItemHit = true;
        Out.AnchorVal = Anchor.Href;
        Out.AnchorHint = Anchor.Title;
        HoveredImage = Anchor.ImageCount;
    }
    if (Drawing())
        DrawImage(Image, Left, L.Rect.Top);
    M.Height = std::max(M.Height, RoomHeight);
    if (Upper.contains(QLatin1String("\"TOP")))
        M.ImageOffset = M.Height - GhHeight();
    else if (Upper.contains(QLatin1String("\"MIDDLE")))
        M.ImageOffset = (M.Height - GhHeight()) / 2;
}

// Measuring: an item narrower than the rectangle that does not fit in the
// rest of the line goes to the next one; on a line that has taken nothing
// yet it stays (and overflows), so that every line takes something.
bool THTMLRenderer::PlaceItem(Integer RoomWidth)
{
    if (!Calc() || RoomWidth >= A.R.Width() || AddClamped(L.Width, RoomWidth) < L.Rect.Width() || !L.Consumed)
        return true;
    L.Full = true;
    return false;
}

void THTMLRenderer::DrawImage(const THTMLImage& Image, Integer Left, Integer Top)
{
    const TRect Natural(Left, Top, Left + Image.Width, Top + Image.Height);
    const TRect Printed(Left, Top, Left + Integer(Round(Image.Width * A.ResFactor)),
                        Top + Integer(Round(Image.Height * A.ResFactor)));
    switch (Image.Kind) {
    case THTMLImageKind::ListImage:
        if (A.Print) {
            TBitmap Bitmap;
            if (A.Images->GetBitmap(Image.Index, &Bitmap))
                C->StretchDraw(Printed, &Bitmap);
        } else {
            A.Images->Draw(C, Left, Top, Image.Index);
        }
        break;
    case THTMLImageKind::ShellIcon: C->StretchDraw(A.Print ? Printed : Natural, Image.Icon.get()); break;
    case THTMLImageKind::Picture:
        if (Image.SizeGiven) {
            Image.Picture->SetStretched(true);
            Image.Picture->Draw(C, Natural);
        } else if (Image.Picture->FrameCount() > 1) {
            {
                const TBrushKeeper Keep(C);
                C->Brush()->SetColor(StartBrushColor);
                C->FillRect(Natural);
            }
            const Integer X = Left + Image.Picture->FrameXPos();
            const Integer Y = Top + Image.Picture->FrameYPos();
            Image.Picture->Draw(C, TRect(X, Y, X + Image.Picture->FrameXSize(), Y + Image.Picture->FrameYSize()));
        } else {
            Image.Picture->Draw(C, Natural);
        }
        break;
    case THTMLImageKind::None: break;
    }
}

// ---------------------------------------------------------------------------
// Embedded controls

void THTMLRenderer::ControlTag(const String& Tag)
{
    const THTMLControl Control = ParseHTMLControl(Tag.mid(8, Tag.size() - 9));
    Integer Width = 0;
    if (!TryStrToInt(Control.Width, Width))
        return;
    const bool Box = Control.Type == QLatin1String("CHECK") || Control.Type == QLatin1String("RADIO");
    const Integer BoxHeight = Control.BoxHeight();
    M.Height = BoxHeight > 25 ? BoxHeight - 2 : Box ? 16 : 23;
    const Integer Height = GhHeight() + 10;
    const Integer RoomWidth = MulDiv(Width, GetDeviceCaps(C, LOGPIXELSX), 96);
    const Integer RoomHeight = MulDiv(Height, GetDeviceCaps(C, LOGPIXELSY), 96);
    if (!PlaceItem(RoomWidth))
        return;
    const Integer Left = Advance(RoomWidth);
    Integer HitWidth = Width;
    Integer HitHeight = Height;
    if (Drawing() && Box)
        HitWidth = HitHeight = 16;
    else if (Drawing() && (Control.Type == QLatin1String("BUTTON") || Control.Type == QLatin1String("COMBO")))
        HitHeight = 25;
    const bool PointOn = PointIn(Left, L.Rect.Top, HitWidth, HitHeight);
    if (Drawing())
        DrawControl(Control, Width, Left, PointOn);
    // With the hot spot asked for, a control named by the caller answers too.
    if (PointOn || (A.CheckHotSpot && !Out.CID.isEmpty() && Out.CID == Control.ID)) {
        L.ItemHit = true;
        Out.AnchorVal = QStringLiteral("ctrl");
        Out.CtrlRect = TRect(Left, L.Rect.Top, Left + HitWidth, L.Rect.Top + HitHeight);
        Out.CID = Control.ID;
        Out.CV = Control.Value;
        Out.CT = Control.Type;
        HoveredImage = Anchor.ImageCount;
    }
    M.Height = std::max(M.Height, RoomHeight);
}

bool THTMLRenderer::DrawThemed(const char* ClassName, Integer Part, Integer State, const TRect& R)
{
    if (!Themed)
        return false;
    const HTHEME Theme = ThemeAPI.OpenThemeData(A.Wnd, QString::fromLatin1(ClassName));
    if (!Theme)
        return false;
    const HRESULT Result = ThemeAPI.DrawThemeBackground(Theme, C, Part, State, R, nullptr);
    ThemeAPI.CloseThemeData(Theme);
    return Result == S_OK;
}

void THTMLRenderer::DrawControlBox(Integer Left, Integer Right, Integer Top, Integer Bottom)
{
    C->Pen()->SetColor(Themed ? TColor(0xB99D7F) : TColor(0x808080));
    C->Brush()->SetColor(clWhite);
    C->Rectangle(Left, Top, Right, Bottom);
}

void THTMLRenderer::DrawControl(const THTMLControl& Control, Integer Width, Integer Left, bool PointOn)
{
    const TBrushKeeper Keep(C);
    const Integer Bottom = L.TextBottom;
    const Integer BoxTop = Bottom - M.Height + 4;
    const bool Checked = UpperCase(Control.Value) == QLatin1String("TRUE");
    const String& Type = Control.Type;
    // The value as typed: the prefix rule does not apply to it.
    const Cardinal ValueFlags = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;
    if (Type == QLatin1String("EDIT") || Type == QLatin1String("PASSWORD") || Type == QLatin1String("MASK")) {
        DrawControlBox(Left, Left + Width, BoxTop, Bottom + 2);
        TRect R(Left + 2, BoxTop, Left + Width, Bottom);
        DrawText(C, Type == QLatin1String("PASSWORD") ? PasswordMask(Control.Value) : Control.Value, R, ValueFlags);
    } else if (Type == QLatin1String("COMBO")) {
        DrawControlBox(Left, Left + Width, BoxTop, Bottom + 2);
        TRect R(Left + 4, BoxTop, Left + Width - 18, Bottom);
        DrawText(C, Control.Value, R, ValueFlags);
        TRect Button(Left + Width - 18, Bottom - M.Height + 5, Left + Width - 1, Bottom + 1);
        if (!DrawThemed("combobox", CP_DROPDOWNBUTTON, PointOn ? CBXS_HOT : CBXS_NORMAL, Button))
            DrawFrameControl(C, Button, DFC_SCROLL, DFCS_SCROLLCOMBOBOX);
    } else if (Type == QLatin1String("CHECK")) {
        TRect R(Left + 2, Bottom - 15, Left + 15, Bottom);
        if (!DrawThemed("button", BP_CHECKBOX, Checked ? CBS_CHECKEDNORMAL : CBS_UNCHECKEDNORMAL, R))
            DrawFrameControl(C, R, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_FLAT | (Checked ? UINT(DFCS_CHECKED) : 0u));
    } else if (Type == QLatin1String("RADIO")) {
        TRect R(Left + 2, Bottom - 14, Left + 14, Bottom);
        if (!DrawThemed("button", BP_RADIOBUTTON, Checked ? RBS_CHECKEDNORMAL : RBS_UNCHECKEDNORMAL, R))
            DrawFrameControl(C, R, DFC_BUTTON, DFCS_BUTTONRADIO | DFCS_FLAT | (Checked ? UINT(DFCS_CHECKED) : 0u));
    } else if (Type == QLatin1String("BUTTON")) {
        TRect R(Left + 2, Bottom - Control.BoxHeight(), Left + Width - 2, Bottom);
        const bool Pressed = PointOn && A.Down;
        if (!DrawThemed("button", BP_PUSHBUTTON, Pressed ? PBS_PRESSED : PointOn ? PBS_HOT : PBS_NORMAL, R))
            DrawFrameControl(C, R, DFC_BUTTON, DFCS_BUTTONPUSH | (Pressed ? UINT(DFCS_PUSHED) : 0u));
        TRect Caption(R.Left + 2, R.Top + 2, R.Right - 2, R.Bottom - 2);
        SetBrushColor(clNone);
        DrawText(C, Control.Value, Caption, ValueFlags | DT_CENTER);
    }
}

} // namespace

Cardinal BiDiDrawFlags(Cardinal Flags, Integer BiDiMode)
{
    if (!SysLocaleMiddleEast())
        return Flags;
    if (BiDiMode == 1) {
        if (Flags & DT_RIGHT)
            Flags &= ~DT_RIGHT;
        else if (!(Flags & DT_CENTER))
            Flags |= DT_RIGHT;
    }
    if (BiDiMode != 0)
        Flags |= DT_RTLREADING;
    return Flags;
}

bool DrawHTMLText(TCanvas* Canvas, const String& S, TRect R, TImageList* FImages, Integer XPos, Integer YPos,
                  Integer FocusLink, Integer HoverLink, Integer ShadowOffset, bool CheckHotSpot, bool CheckHeight,
                  bool Print, bool Selected, bool Blink, bool HoverStyle, bool WordWrap, bool Down,
                  double ResFactor, TColor URLColor, TColor HoverColor, TColor HoverFontColor, TColor ShadowColor,
                  String& AnchorVal, String& StripVal, String& FocusAnchor, String& AnchorHint, Integer& XSize,
                  Integer& YSize, Integer& HyperLinks, Integer& MouseLink, TRect& HoverRect, TRect& CtrlRect,
                  String& CID, String& CV, String& CT, THTMLPictureCache* ic, TPictureContainer* pc,
                  HWND WinHandle, Integer BiDiMode)
{
    StripVal.clear();
    FocusAnchor.clear();
    AnchorHint.clear();
    XSize = 0;
    YSize = 0;
    HyperLinks = 0;
    MouseLink = -1;
    CtrlRect = TRect(0, 0, 0, 0);
    if (!CheckHotSpot)
        CID.clear();
    CV.clear();
    CT.clear();
    if (!Canvas)
        return false;
    const THTMLDrawArgs Args{.Canvas = Canvas,
                             .R = R,
                             .Images = FImages,
                             .XPos = XPos,
                             .YPos = YPos,
                             .FocusLink = FocusLink,
                             .HoverLink = HoverLink,
                             .ShadowOffset = ShadowOffset,
                             .CheckHotSpot = CheckHotSpot,
                             .CheckHeight = CheckHeight,
                             .Print = Print,
                             .Selected = Selected,
                             .Blink = Blink,
                             .HoverStyle = HoverStyle,
                             .WordWrap = WordWrap,
                             .Down = Down,
                             .ResFactor = ResFactor,
                             .URLColor = URLColor,
                             .HoverColor = HoverColor,
                             .HoverFontColor = HoverFontColor,
                             .ShadowColor = ShadowColor,
                             .Cache = ic,
                             .Container = pc,
                             .Wnd = WinHandle,
                             .BiDiMode = BiDiMode};
    THTMLDrawResults Results{AnchorVal, StripVal, FocusAnchor, AnchorHint, XSize, YSize, HyperLinks,
                             MouseLink, HoverRect, CtrlRect, CID, CV, CT};
    THTMLRenderer Renderer(Args, Results);
    return Renderer.Run(S);
}
