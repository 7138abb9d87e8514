#pragma once
// The types of the framework's owner-drawn buttons.

// Where a button's glyph stands against its caption.
enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
// Up, disabled, pressed, and held down (a toggle or a group member).
enum TButtonState { bsUp, bsDisabled, bsDown, bsExclusive };
