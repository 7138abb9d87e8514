#pragma once
// The colour styles and tones that styled controls of the grid library take,
// the office colour scheme of the user, and the user-interface font.
#include "rtl/Graphics.h"
#include "rtl/TypInfo.h"

RTL_NAMED_ENUM(TQVXStyle,
    tsOffice2003Blue, tsOffice2003Silver, tsOffice2003Olive, tsOffice2003Classic, tsOffice2007Luna,
    tsOffice2007Obsidian, tsWindowsXP, tsWhidbey, tsCustom, tsOffice2007Silver, tsWindowsVista, tsWindows7,
    tsTerminal, tsOffice2010Blue, tsOffice2010Silver, tsOffice2010Black)

RTL_NAMED_ENUM(TOfficeTheme,
    ot2003Blue, ot2003Silver, ot2003Olive, ot2003Classic, ot2007Blue, ot2007Silver, ot2007Black, ot2010Blue,
    ot2010Silver, ot2010Black, otUnknown)

struct TColorTone {
    TColor BrushColor = clNone;
    TColor BorderColor = clNone;
    TColor TextColor = clNone;
};

struct TColorTones {
    TColorTone Background;
    TColorTone Foreground;
    TColorTone Selected;
    TColorTone Hover;
    TColorTone Disabled;
};

// Controls that take a style preset or a set of tones implement these.
class IQVXStyle {
public:
    virtual ~IQVXStyle() = default;
    virtual void SetComponentStyle(TQVXStyle AStyle) = 0;
};

class IQVXTones {
public:
    virtual ~IQVXTones() = default;
    virtual void SetColorTones(const TColorTones& ATones) = 0;
};
