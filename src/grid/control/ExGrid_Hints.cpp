// The string grid: the hint of the cell under the pointer (comment, link
// title, cell text, large text, the application's hint) with its place,
// colour and window class.
#include "grid/control/ExGrid.h"

#include "grid/base/EsgHTMLE.h"
#include "grid/base/ExUtil.h"

namespace {

constexpr Integer HintBelowCell = 6;
constexpr Integer AnchorHintDX = 8;
constexpr Integer AnchorHintDY = -16;
constexpr Integer WideTextKind = 5;
constexpr Integer HTMLTextKind = 1;

} // namespace

void TExStringGrid::CMHintShow(TCMHintShow& Message)
{
    if (Message.HintInfo)
        BuildCellHint(Message.HintInfo->HintStr, *Message.HintInfo);
    Message.Result = 0;
}

bool TExStringGrid::AnchorTitleAt(const String& Text, TRect R, TPoint At, String& Title)
{
    String Anchor, Strip, FocusAnchor, AnchorHint, CID, CV, CT;
    Integer XSize = 0;
    Integer YSize = 0;
    Integer HyperLinks = 0;
    Integer MouseLink = 0;
    TRect HoverRect;
    TRect CtrlRect;
    Canvas()->Font()->Assign(Font());
    const bool Hit =
        DrawHTMLText(Canvas(), Text, R, GetGridImages(), At.X, At.Y, -1, -1, 0, true, false, false, false, false,
                     false, !FEnhTextSize, false, 1.0, FURLColor, clNone, clNone, clGray, Anchor, Strip, FocusAnchor,
                     AnchorHint, XSize, YSize, HyperLinks, MouseLink, HoverRect, CtrlRect, CID, CV, CT,
                     FImageCache.get(), FContainer, nullptr, 0);
    if (!Hit || Anchor.isEmpty())
        return false;
    Title = AnchorHint.isEmpty() ? Anchor : AnchorHint;
    return true;
}

bool TExStringGrid::IsNormalHintCell(Integer ACol, Integer ARow)
{
    return ACol >= TBaseGrid::FixedCols() && ACol < ColCount() - FFixedRightCols && ARow >= TBaseGrid::FixedRows() &&
           ARow < RowCount() - FFixedFooters;
}

// The text as the hint shows it: wide texts and texts with kept tags as
// stored, mini-HTML without its tags otherwise.
String TExStringGrid::HintTextOfCell(Integer RealCol, Integer ARow, bool AsStored)
{
    const String Text = Cells(RealCol, ARow);
    const Integer Kind = GetCellTextKind(Text, FEnableHTML);
    if (Kind == WideTextKind || FHTMLHint || (AsStored && Kind != HTMLTextKind))
        return Text;
    return GetStrippedCell(RealCol, ARow);
}

void TExStringGrid::BuildCellHint(String& HintStr, THintInfo& HintInfo)
{
    if (FControlLook->HintMaxWidth() > 0)
        HintInfo.HintMaxWidth = FControlLook->HintMaxWidth();
    SetHintFontName(Font()->Name());
    Integer ACol = -1;
    Integer ARow = -1;
    MouseToCell(HintInfo.CursorPos.X, HintInfo.CursorPos.Y, ACol, ARow);
    if (ACol >= 0 && ARow >= 0)
        BuildHintOfCell(ACol, ARow, HintStr, HintInfo);
    HintInfo.HintColor = FHintColor;
}

void TExStringGrid::BuildHintOfCell(Integer ACol, Integer ARow, String& HintStr, THintInfo& HintInfo)
{
    const TPoint Base = BaseCell(RealColIndex(ACol), ARow);
    ACol = DisplColIndex(Base.X);
    ARow = Base.Y;
    FLastHintPos = TPoint(ACol, ARow);
    const TRect R = CellRect(ACol, ARow);
    const TPoint Cursor = HintInfo.CursorPos;
    const Integer RealCol = RealColIndex(ACol);
    TPoint Pos = IsComment(RealCol, ARow, HintStr) ? TPoint(R.Right, R.Top) : TPoint(Cursor.X, R.Bottom + HintBelowCell);

    const String Text = Cells(RealCol, ARow);
    String Title;
    if (FAnchorHint && GetCellTextKind(Text, FEnableHTML) == HTMLTextKind && AnchorTitleAt(Text, R, Cursor, Title)) {
        if (OnAnchorHint)
            OnAnchorHint(this, ARow, RealCol, Title);
        FLastAnchorHint = Title;
        HintStr = Title;
        Pos = TPoint(Cursor.X + AnchorHintDX, Cursor.Y + AnchorHintDY);
    }
    if (FHintShowCells && IsNormalHintCell(ACol, ARow)) {
        Pos.Y = R.Top;
        HintStr = HintTextOfCell(RealCol, ARow, false);
    }
    if (FHintShowLargeText) {
        const bool Saved = FEnhTextSize;
        FEnhTextSize = false;
        const TSize Size = GetCellTextSize(RealCol, ARow, false, false);
        FEnhTextSize = Saved;
        if (Size.cx > R.Right - R.Left || Size.cy > R.Bottom - R.Top) {
            if (FHintShowLargeTextPos == hpCell)
                Pos = TPoint(R.Left, R.Top);
            HintStr = HintTextOfCell(RealCol, ARow, true);
        }
    }
    if (!(FFloatingFooter->Visible() && ARow == RowCount() - 1)) {
        String WideHint;
        GetCellHint(RealCol, ARow, HintStr, WideHint);
    }
    const Integer Kind = GetCellTextKind(HintStr, true);
    if ((Kind == HTMLTextKind || Kind == WideTextKind) && FUseInternalHintClass) {
        HintInfo.HintWindowClass = HintWindowClassOf<THTMLHintWindow>();
        HintInfo.HintData = static_cast<TObject*>(this);
    }
    HintInfo.HintPos = ClientToScreen(Pos);
}
