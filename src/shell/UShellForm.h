#pragma once
// The common frame of the system's dialogs: background 15595512, Verdana
// 11 pixels, centred on the screen, a single border with only the system
// menu, a title panel P_Title (69 pixels) holding the software code
// L_SW_Code in large grey letters and the window's description L_SW_Desc in
// bold grey. Set_Lang takes the caption from the first text of the window's
// block and the description from the second; windows with more texts
// override it.
#include "rtl/ExtCtrls.h"
#include "rtl/Forms.h"
#include "rtl/StdCtrls.h"
#include "shell/LbButton.h"

// Colour of every window of the system: RGB(248, 247, 237).
inline constexpr TColor Shell_Window_Color = 15595512;
// Pressed colour of the windows' buttons: RGB(255, 128, 0).
inline constexpr TColor Shell_Button_Down_Color = 33023;

// Gives Font the windows' font: Verdana, 11 pixels.
void Shell_Window_Font(TFont* Font);
// The look every window gives its push buttons (face 15595512, pressed
// 33023, light colour grey, hint shown, style bsEncarta, hot-track yellow).
void Shell_Button_Look(TLbButton* Button);
// A picture of the program's resources ("STEP_NEW", "BTN_OK" ...) as the
// button's glyph of one frame.
void Shell_Button_Glyph(TLbButton* Button, const char* Resource);

class TShellForm : public TForm {
public:
    // Caption_Text is the first text of the window's block.
    TShellForm(TComponent* AOwner, Integer Caption_Text);

    // Caption := text Caption_Text, L_SW_Desc := the next one.
    virtual void Set_Lang();
    Integer Caption_Text() const { return FCaption_Text; }

    TPanel* P_Title = nullptr;
    TLabel* L_SW_Code = nullptr;
    TLabel* L_SW_Desc = nullptr;
    // Only in windows that call Add_Button_Panel.
    TPanel* P_Button = nullptr;
    TLbButton* Btn_OK = nullptr;
    TLbButton* Btn_Cancel = nullptr;

protected:
    // The window's creation: L_SW_Code := SW_Code, then Set_Lang.
    virtual void FormCreate(TObject* Sender);
    // Adds P_Button (40 pixels, at the bottom) with Btn_OK and Btn_Cancel
    // (110 x 28) at its right end; Cancel closes with Cancel.
    void Add_Button_Panel();
    // Places the two buttons for the current client width.
    void Place_Buttons();
    // A label sized to its text at (Left, Top) of the window.
    TLabel* Add_Label(Integer Left, Integer Top);
    // Puts the client size back within the bounds after the user resized
    // the window (a sizeable window's resize handler calls it).
    void Keep_Client_Size(Integer Min_Width, Integer Max_Width, Integer Min_Height);

private:
    Integer FCaption_Text;
};
