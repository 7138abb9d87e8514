#pragma once
// The grid's drop-down cell editors, one class per drop-down editor kind of
// the grid. Interim until the grid's drop-down cell editors land: each is
// its drop-down editor as it stands, made hidden by the grid and given the
// grid's style and tones, without the grid's keys, commit and navigation.
// Construct them with NewObject<T>(Grid), as every drop-down editor.
#include "controls/dropdown/ExCalculatorDropDown.h"
#include "controls/dropdown/ExColorPickerDropDown.h"
#include "controls/dropdown/ExDetailDropDown.h"
#include "controls/dropdown/ExImagePickerDropDown.h"
#include "controls/dropdown/ExMemoDropDown.h"
#include "controls/dropdown/ExMultiColumnDropDown.h"
#include "controls/dropdown/ExTimePickerDropDown.h"
#include "controls/dropdown/ExTrackBarDropDown.h"

class TGridTrackbarDropDown : public TExTrackBarDropDown {
public:
    using TExTrackBarDropDown::TExTrackBarDropDown;
};

class TGridMemoDropDown : public TExMemoDropDown {
public:
    using TExMemoDropDown::TExMemoDropDown;
};

class TGridCalculatorDropDown : public TExCalculatorDropdown {
public:
    using TExCalculatorDropdown::TExCalculatorDropdown;
};

class TGridTimepickerDropDown : public TExTimePickerDropDown {
public:
    using TExTimePickerDropDown::TExTimePickerDropDown;
};

class TGridDetailPickerDropDown : public TExDetailDropDown {
public:
    using TExDetailDropDown::TExDetailDropDown;
};

class TGridGridDropDown : public exmulticolumn::TExMultiColumnDropDown {
public:
    using exmulticolumn::TExMultiColumnDropDown::TExMultiColumnDropDown;
};

class TGridColorDropDown : public TExColorPickerDropDown {
public:
    using TExColorPickerDropDown::TExColorPickerDropDown;
};

class TGridImageDropDown : public TExImagePickerDropDown {
public:
    using TExImagePickerDropDown::TExImagePickerDropDown;
};

// The grid drop-down it will stand on is not built yet: the plain drop-down.
class TGridExGridDropDown : public TExCustomDropDown {
public:
    using TExCustomDropDown::TExCustomDropDown;
};
