#pragma once
// Names of the graphics enumerations that stream by name but are declared
// without a name table (pen style and mode, font pitch).
#include "rtl/Graphics.h"
#include "rtl/TypInfo.h"

RTL_ENUM_TYPE_INFO(TPenStyle, psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame, psUserStyle,
                   psAlternate)
RTL_ENUM_TYPE_INFO(TPenMode, pmBlack, pmWhite, pmNop, pmNot, pmCopy, pmNotCopy, pmMergePenNot, pmMaskPenNot,
                   pmMergeNotPen, pmMaskNotPen, pmMerge, pmNotMerge, pmMask, pmNotMask, pmXor, pmNotXor)
RTL_ENUM_TYPE_INFO(TFontPitch, fpDefault, fpVariable, fpFixed)
