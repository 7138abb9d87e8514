#pragma once
// The about box: the product's fixed identity texts, the maker's logo and
// web address (both open the maker's home page). The only window whose
// texts do not come from the text table.
#include "rtl/ExtCtrls.h"
#include "rtl/Forms.h"
#include "rtl/StdCtrls.h"
#include "shell/LbButton.h"

// The document that describes this software.
inline constexpr const char* C_Document_Code = "DL33811";

class TFAbout : public TForm {
public:
    explicit TFAbout(TComponent* AOwner);

    // Sets the product texts and the client size each time the box shows.
    void FormShow(TObject* Sender);
    // Opens the maker's home page (handler of Label4 and Image2).
    void Label4Click(TObject* Sender);

    TImage* Image2 = nullptr;
    TLabel* Label1 = nullptr;
    TLabel* Label2 = nullptr;
    TLabel* Label6 = nullptr;
    TLabel* Label9 = nullptr;
    TLabel* Label3 = nullptr;
    TLabel* Label10 = nullptr;
    TLabel* Label8 = nullptr;
    TLabel* Label12 = nullptr;
    TLabel* Label4 = nullptr;
    TLbButton* LbButton1 = nullptr;
};

extern TFAbout* FAbout;
