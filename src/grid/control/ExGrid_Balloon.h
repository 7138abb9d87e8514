#pragma once
// The balloon window of the grid's cells and the text request it sends the
// grid (WM_NOTIFY, as the platform's tooltip control asks its owner).
#include "rtl/Controls.h"

class TExStringGrid;

// Notifications of the balloon window.
enum : Integer { TTN_FIRST = -520, TTN_SHOW = TTN_FIRST - 1, TTN_POP = TTN_FIRST - 2, TTN_GETDISPINFO = TTN_FIRST - 10 };
// The balloon's icons.
enum : Integer { biNone = 0, biInfo = 1, biWarning = 2, biError = 3 };
// The balloon's delays.
enum : Integer { TTDT_RESHOW = 1, TTDT_AUTOPOP = 2, TTDT_INITIAL = 3 };

// The text request: the mouse point in the grid's client coordinates goes
// in; the grid points Text at its tip buffer (left nil: no balloon).
struct TToolTipTextRequest {
    TNMHdr hdr;
    TPoint Mouse;
    const String* Text = nullptr;
};

// The balloon: a title with its icon over the text, in a window that takes
// no input. The grid sets the width limit, the colours and the title while
// it answers the request.
class TGridBalloonWindow : public TCustomControl {
public:
    explicit TGridBalloonWindow(TExStringGrid* AGrid);

    // Asks the grid for the text at the client point and shows the balloon
    // below it, or hides it when no text comes.
    void Activate(TPoint ClientPos);

    // -1: no limit.
    Integer MaxTipWidth() const { return FMaxTipWidth; }
    void SetMaxTipWidth(Integer Value) { FMaxTipWidth = Value; }
    TColor TipTextColor() const { return FTipTextColor; }
    void SetTipTextColor(TColor Value) { FTipTextColor = Value; }
    TColor TipBkColor() const { return FTipBkColor; }
    void SetTipBkColor(TColor Value) { FTipBkColor = Value; }
    const String& Title() const { return FTitle; }
    Integer Icon() const { return FIcon; }
    void SetTitle(const String& ATitle, Integer AIcon);
    const String& Text() const { return FText; }
    // Milliseconds of a TTDT_ kind; -1 while the balloon's own is used.
    Integer DelayTime(Integer Kind) const;
    void SetDelayTime(Integer Kind, Integer Milliseconds);

protected:
    void Paint() override;

private:
    // The text's room: within the width limit, wrapped.
    TRect TextRoom(TCanvas* C) const;
    Integer HeaderHeight(TCanvas* C) const;
    void DrawIcon(TCanvas* C, TRect R) const;

    TExStringGrid* FGrid;
    Integer FMaxTipWidth = -1;
    TColor FTipTextColor = clInfoText;
    TColor FTipBkColor = clInfoBk;
    String FTitle;
    Integer FIcon = biNone;
    String FText;
    // Reshow, auto-pop and initial delay.
    Integer FDelays[3] = {-1, -1, -1};
};
