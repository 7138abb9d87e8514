#pragma once
// The framework's printer unit: what settings objects name of it.

enum TPrinterOrientation { poPortrait, poLandscape };
