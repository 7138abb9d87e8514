#pragma once
// The about box: the product's fixed identity texts, the only window whose
// texts do not come from the text table. Created at start-up; its content
// comes with the options step.
#include "rtl/Forms.h"

class TFAbout : public TForm {
public:
    explicit TFAbout(TComponent* AOwner);
};

extern TFAbout* FAbout;
