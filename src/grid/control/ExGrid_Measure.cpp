// The string grid: the size a cell's text needs (plain, mini-HTML, rich
// text), turned for a rotated cell.
#include "grid/control/ExGrid.h"

#include "grid/control/ExGrid_RichEdit.h"
#include "grid/base/EsgHTMLE.h"
#include "grid/base/ExUtil.h"

#include <algorithm>
#include <cmath>
#include <numbers>

// ---------------------------------------------------------------- measuring

namespace {

// A rich-text cell measures through the shared rich editor: the size its
// content asks for in the measuring font.
TSize RichTextSize(TExStringGrid& G, Integer ACol, Integer ARow, TFont* Font)
{
    TExRichEdit* E = G.GetRichEdit();
    E->Font()->Assign(Font);
    G.CellToRich(ACol, ARow, E);
    E->Perform(EM_REQUESTRESIZE);
    return TSize(E->ReqWidth(), E->ReqHeight());
}

constexpr Integer PlainKind = 0;
constexpr Integer HTMLKind = 1;
constexpr Integer RichKind = 2;
constexpr Integer FormulaKind = 3;

} // namespace

TSize TExStringGrid::GetCellTextSize(Integer ACol, Integer ARow, bool VS, bool SB)
{
    return MeasureCellText(ACol, DisplColIndex(ACol), ARow, VS, SB);
}

TSize TExStringGrid::MeasureCellText(Integer ACol, Integer DisplCol, Integer ARow, bool VS, bool SB)
{
    String Text = GetFormattedCell(ACol, ARow);
    Integer Kind = GetCellTextKind(Text, FEnableHTML);
    if (Kind == FormulaKind)
        Text = GetCompareCell(ACol, ARow);
    SetMeasureFont(ACol, DisplCol, ARow);
    TRect R = MeasureRect(DisplCol, ARow, SB);
    TSize Size = Kind == HTMLKind   ? MeasureHTMLText(Text, R, VS)
                 : Kind == RichKind ? RichTextSize(*this, ACol, ARow, Canvas()->Font())
                                    : MeasurePlainText(ACol, ARow, Text, Kind, R, VS);
    if (Integer Angle = 0; IsRotated(ACol, ARow, Angle))
        Size = RotatedSize(Size, Angle);
    return Size;
}

// The cell's font for measuring: bold in the headings when the active cell's
// heading font is, grown by the zoom.
void TExStringGrid::SetMeasureFont(Integer ACol, Integer DisplCol, Integer ARow)
{
    TFont* Font = Canvas()->Font();
    TGridDrawState State;
    GetFontProperties(DisplCol, ACol, ARow, State, Font, Canvas()->Brush(), true);
    const bool Heading = DisplCol < FixedCols() || ARow < FixedRows();
    if (Heading && FActiveCellShow && FActiveCellFont->Style().Contains(fsBold))
        Font->SetStyle(Font->Style() + TFontStyles{fsBold});
    if (FZoomFactor != 0)
        Font->SetSize(Font->Size() + FZoomFactor);
}

// The cell from (0, 0) less its text margins and an in-cell button's room.
TRect TExStringGrid::MeasureRect(Integer DisplCol, Integer ARow, bool SB)
{
    const TPoint Size = CellSize(DisplCol, ARow);
    TRect R(FXYOffset.X, FXYOffset.Y, Size.X, Size.Y);
    if (!FXYOffsetTopLeftOnly) {
        R.Right -= FXYOffset.X;
        R.Bottom -= FXYOffset.Y;
    }
    if (SB)
        R.Right -= 17;
    return R;
}

TSize TExStringGrid::MeasureHTMLText(const String& Text, TRect R, bool VS)
{
    if (!VS) {
        R.Right = 65535;
        R.Bottom = 65535;
    }
    String Anchor, Strip, FocusAnchor, AnchorHint, CID, CV, CT;
    Integer XSize = 0, YSize = 0, HyperLinks = 0, MouseLink = 0;
    TRect HoverRect, CtrlRect;
    DrawHTMLText(Canvas(), Text, R, GetGridImages(), 0, 0, -1, -1, 0, false, true, false, false, false, false,
                 !FEnhTextSize, false, 1.0, FURLColor, clNone, clNone, clGray, Anchor, Strip, FocusAnchor, AnchorHint,
                 XSize, YSize, HyperLinks, MouseLink, HoverRect, CtrlRect, CID, CV, CT, FImageCache.get(), FContainer,
                 nullptr, 0);
    return TSize(XSize + 2, YSize + 2);
}

TSize TExStringGrid::MeasurePlainText(Integer ACol, Integer ARow, String Text, Integer Kind, TRect R, bool VS)
{
    TCanvas* C = Canvas();
    if (VS) {
        R.Left += 2;
        R.Top += 2;
        R.Right -= 2;
        R.Bottom -= 2;
        // The editor shows an empty last line: it is measured too.
        if (FEditMode && RealColIndex(Col()) == ACol && Row() == ARow && Text.endsWith(u'\n'))
            Text += u'w';
        Integer Angle = 0;
        const Cardinal Lines = IsRotated(ACol, ARow, Angle) ? DT_SINGLELINE : DT_WORDBREAK;
        const Integer Height = DrawText(C, Text, -1, R, DT_CALCRECT | Lines | DT_EXPANDTABS | DT_EDITCONTROL | DT_NOPREFIX);
        return TSize(R.Right - R.Left, Height);
    }
    QStringList Lines = Text.split(u'\r');
    if (FMultilinecells.isEmpty())
        Lines = Lines.mid(0, 1);
    Integer Width = 0;
    for (String Line : Lines) {
        if (FURLShow && !FURLFull && Kind == PlainKind)
            StripURLScheme(Line);
        Width = std::max(Width, C->TextWidth(Line));
    }
    return TSize(Width, C->TextHeight(QStringLiteral("gh")) * Integer(Lines.size()));
}

// The text's box turned by Angle degrees, with room around it.
TSize TExStringGrid::RotatedSize(TSize Size, Integer Angle)
{
    const Double Radians = Angle * std::numbers::pi / 180;
    const Double S = std::sin(Radians);
    const Double C = std::cos(Radians);
    const auto Abs = [](Double V) { return std::abs(Round(V)); };
    return TSize(Integer(Abs(Size.cx * C) + Abs(Size.cy * S)) + 12, Integer(Abs(Size.cx * S) + Abs(Size.cy * C)) + 12);
}
