#pragma once
// The grid library's own pictures (check boxes, radio buttons, node and
// filter glyphs, the spin arrows), under ":/bitmaps"; registered on first
// use by whatever loads them.
void Init_Grid_Resources();
