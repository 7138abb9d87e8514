#pragma once
// The editors the grid lays over the EDIT, PASSWORD, MASK and COMBO form
// controls of mini-HTML cells, and the opener of cell links.
#include "grid/base/EsgCombo.h"
#include "grid/control/ExGrid.h"
#include "rtl/Mask.h"

#include <functional>

// The masked edit of EDIT, PASSWORD and MASK controls: Enter and Tab end
// the edit when its parent is a grid.
class TControlEdit : public TMaskEdit {
public:
    explicit TControlEdit(TComponent* AOwner) : TMaskEdit(AOwner) {}

protected:
    void WMGetDlgCode(TWMGetDlgCode& Message) override;
    void KeyPress(Char& Key) override;
};

// The combo box of COMBO controls, with the same Enter and Tab.
class TControlCombo : public TEsgComboBox {
public:
    explicit TControlCombo(TComponent* AOwner) : TEsgComboBox(AOwner) {}

protected:
    void WMGetDlgCode(TWMGetDlgCode& Message) override;
    void KeyPress(Char& Key) override;
};

// Opens a link the user clicked; answers whether it was opened.
using TGridURLOpener = std::function<bool(const String& URL)>;
// The opener used from now on (tests record the links); an empty one puts
// the platform's back.
void SetGridURLOpener(TGridURLOpener Opener);
// Only web and mail links are opened: cell texts come from files, drops and
// pastes, and must not start local programs.
bool IsOpenableLink(const String& URL);
