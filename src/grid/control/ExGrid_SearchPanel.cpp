// The search bar under the string grid: its edit box that reports Enter
// and Ctrl+Enter, its buttons and check box at fixed places, and its
// painting (a solid or gradient fill with a line along the top).
#include "grid/control/ExGrid_Settings.h"

#include "grid/base/ExUtil.h"
#include "grid/base/GridResources.h"
#include "rtl/Windows.h"

// ---------------------------------------------------------------- TRetEdit

void TRetEdit::KeyDown(Word& Key, TShiftState Shift)
{
    if (Key != VK_RETURN) {
        TEdit::KeyDown(Key, Shift);
        return;
    }
    const TNotifyEvent& Event = Shift.Contains(ssCtrl) ? OnCtrlReturn : OnReturn;
    if (Event)
        Event(this);
    Key = 0;
}

void TRetEdit::KeyPress(Char& Key)
{
    if (Key == u'\r' || Key == u'\n') {
        if (OnKeyPress)
            OnKeyPress(this, Key);
        Key = Char(0);
        return;
    }
    TEdit::KeyPress(Key);
}

// ---------------------------------------------------------------- TSearchPanel

namespace {

TExGridButton* MakeButton(TSearchPanel* Panel, const TNotifyEvent& Click)
{
    auto* Button = new TExGridButton(Panel);
    Button->SetParent(Panel);
    Button->OnClick = Click;
    return Button;
}

// Sets a glyph of the button from the grid's pictures by its name.
void SetGlyphFrom(TExGridButton* Button, void (TExGridButton::*Set)(TBitmap*), const char* Name)
{
    TBitmap Glyph;
    Glyph.LoadFromResourceName(QString::fromLatin1(Name));
    (Button->*Set)(&Glyph);
}

} // namespace

TSearchPanel::TSearchPanel(TComponent* AOwner) : TPanel(AOwner)
{
    FEdit = new TRetEdit(this);
    FEdit->SetParent(this);
    FEdit->OnChange = [this](TObject*) { EditChanged(); };
    FEdit->OnReturn = [this](TObject*) { if (OnForwardClick) OnForwardClick(this); };
    FEdit->OnCtrlReturn = [this](TObject*) { if (OnBackwardClick) OnBackwardClick(this); };
    const auto Fire = [this](TNotifyEvent TSearchPanel::*Event) {
        return [this, Event](TObject*) {
            if (this->*Event)
                (this->*Event)(this);
        };
    };
    FForwardButton = MakeButton(this, Fire(&TSearchPanel::OnForwardClick));
    FBackwardButton = MakeButton(this, Fire(&TSearchPanel::OnBackwardClick));
    FExitButton = MakeButton(this, Fire(&TSearchPanel::OnExitClick));
    FHighlightButton = MakeButton(this, Fire(&TSearchPanel::OnHighlightClick));
    FHighlightButton->SetStyle(tasCheck);
    FHighlightButton->SetAllowAllUp(true);
    for (TExGridButton* Button : {FForwardButton, FBackwardButton, FHighlightButton}) {
        Button->SetEnabled(false);
        Button->SetParentFont(true);
    }
    Init_Grid_Resources();
    SetGlyphFrom(FForwardButton, &TExGridButton::SetGlyph, "ESGARDOWN");
    SetGlyphFrom(FForwardButton, &TExGridButton::SetGlyphDisabled, "ESGARDOWND");
    SetGlyphFrom(FBackwardButton, &TExGridButton::SetGlyph, "ESGARUP");
    SetGlyphFrom(FBackwardButton, &TExGridButton::SetGlyphDisabled, "ESGARUPD");
    SetGlyphFrom(FExitButton, &TExGridButton::SetGlyph, "ESGCLOSE");
    SetGlyphFrom(FExitButton, &TExGridButton::SetGlyphHot, "ESGCLOSEH");
    SetGlyphFrom(FExitButton, &TExGridButton::SetGlyphDown, "ESGCLOSED");
    SetGlyphFrom(FHighlightButton, &TExGridButton::SetGlyph, "ESGHI");
    SetGlyphFrom(FHighlightButton, &TExGridButton::SetGlyphDisabled, "ESGHID");
    FMatchCase = new TExCheckBox(this);
    FMatchCase->SetParent(this);
    PlaceControls();
}

void TSearchPanel::Place(TControl* Control, Integer Left, Integer Top, Integer AWidth, Integer AHeight)
{
    // Right to left the controls keep their distance from the right edge.
    if (UseRightToLeftAlignment())
        Left = Width() - Left - AWidth;
    Control->SetBounds(Left, Top, AWidth, AHeight);
}

void TSearchPanel::CreateWnd()
{
    TPanel::CreateWnd();
    if (OnCreated)
        OnCreated(this);
}

void TSearchPanel::PlaceControls()
{
    Place(FEdit, 25, 6, 110, FEdit->Height());
    Place(FForwardButton, 140, 5, 90, FForwardButton->Visible() ? 23 : 0);
    Place(FBackwardButton, 235, 5, 90, FBackwardButton->Visible() ? 23 : 0);
    Place(FExitButton, 5, 7, 14, 14);
    Place(FHighlightButton, 330, 5, 90, FHighlightButton->Visible() ? 23 : 0);
    const Integer BoxLeft = FHighlightButton->Visible() ? 425 : 330;
    FMatchCase->SetBounds(UseRightToLeftAlignment() ? Width() - BoxLeft - FMatchCase->Width() : BoxLeft, 8,
                          FMatchCase->Width(), FMatchCase->Visible() ? 18 : 0);
}

void TSearchPanel::SetColorTo(TColor Value)
{
    FColorTo = Value;
    Invalidate();
}

void TSearchPanel::EditChanged()
{
    const bool HasText = !FEdit->Text().isEmpty();
    for (TExGridButton* Button : {FForwardButton, FBackwardButton, FHighlightButton})
        Button->SetEnabled(HasText);
    if (OnEditChange)
        OnEditChange(this);
}

void TSearchPanel::Paint()
{
    TPanel::Paint();
    TCanvas* C = Canvas();
    const TRect R = ClientRect();
    if (FColorTo == clNone) {
        C->Brush()->SetColor(Color());
        C->FillRect(R);
    } else {
        FillGradient(C, Color(), FColorTo, 32, R, false);
    }
    C->Pen()->SetColor(FLineColor);
    C->MoveTo(R.Left, R.Top);
    C->LineTo(R.Right, R.Top);
}
