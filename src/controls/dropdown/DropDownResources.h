#pragma once
// The drop-downs' own pictures (the spectrum's pipette cursor), linked from
// the static library: call before the first use.
void InitDropDownResources();
