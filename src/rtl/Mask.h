#pragma once
// The masked edit.
#include "rtl/StdCtrls.h"

// The Qt input mask for a mask of the framework ("!90/90/0000;1;_"):
// mask characters, then ";" and whether literals are kept in Text, then
// ";" and the blank character.
String MaskToInputMask(const String& EditMask);

class TCustomMaskEdit : public TCustomEdit {
public:
    explicit TCustomMaskEdit(TComponent* AOwner);

    const String& EditMask() const { return FEditMask; }
    void SetEditMask(const String& Value);
    // The text as shown, with literals and blanks.
    String EditText() const;
    void SetEditText(const String& Value);
    bool IsMasked() const { return !FEditMask.isEmpty(); }

protected:
    // Without the literals when the mask says they are not kept.
    String GetText() const override;

private:
    String FEditMask;
    bool FSaveLiterals = true;
};

class TMaskEdit : public TCustomMaskEdit {
public:
    explicit TMaskEdit(TComponent* AOwner) : TCustomMaskEdit(AOwner) {}
};
