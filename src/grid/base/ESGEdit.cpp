#include "grid/base/ESGEdit.h"

#include "rtl/SysUtils.h"
#include "rtl/Themes.h"

// ---------------------------------------------------------------- TExSpeedButton

TExSpeedButton::TExSpeedButton(TComponent* AOwner) : TSpeedButton(AOwner) {}

void TExSpeedButton::SetIsWinXP(bool Value)
{
    FIsWinXP = Value;
    Invalidate();
}

void TExSpeedButton::DrawFace(TRect& R, bool Pressed)
{
    const bool Latched = Down() || FState == bsExclusive;
    const auto* Colours = dynamic_cast<const TButtonColors*>(Parent());
    if (Colours && Colours->HasButtonColor()) {
        SetFlat(true);
        Canvas()->Brush()->SetColor(Colours->ButtonFillColor(Hot(), Pressed || Latched));
        Canvas()->FillRect(R);
    } else if (FIsWinXP && IsThemeActive()) {
        const Integer State = Pressed || Latched ? PBS_PRESSED : Hot() ? PBS_HOT : PBS_NORMAL;
        const HTHEME Theme = OpenThemeData(Parent() ? Parent()->Handle() : nullptr, QStringLiteral("button"));
        DrawThemeBackground(Theme, Canvas(), BP_PUSHBUTTON, State, R);
        CloseThemeData(Theme);
    } else if (Flat()) {
        DrawEdge(Canvas(), R, Pressed ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT | BF_MIDDLE);
        InflateRect(R, -1, -1);
    } else {
        DrawFrameControl(Canvas(), R, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_ADJUSTRECT | (Pressed ? UINT(DFCS_PUSHED) : 0u));
    }
}

void TExSpeedButton::Paint()
{
    Canvas()->Font()->Assign(Font());
    TRect R(0, 0, Width(), Height());
    const bool Pressed = FState == bsDown;
    DrawFace(R, Pressed);
    const Integer Shift = Pressed ? 1 : 0;
    if (!Glyph()->Empty()) {
        Glyph()->SetTransparent(true);
        const Integer X = Glyph()->Width() < Width() ? (Width() - Glyph()->Width()) / 2 : 0;
        const Integer Y = Glyph()->Height() < Height() ? (Height() - Glyph()->Height()) / 2 : 0;
        Canvas()->Draw(X + Shift, Y + Shift, Glyph());
    }
    if (!Caption().isEmpty()) {
        Canvas()->Font()->SetColor(clBlack);
        Canvas()->Brush()->SetStyle(bsClear);
        OffsetRect(R, Shift, Shift);
        DrawText(Canvas(), Caption(), -1, R, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
}

// ---------------------------------------------------------------- TEsgEditButton

TEsgEditButton::TEsgEditButton(TComponent* AOwner) : TEsgButtonHolder(AOwner)
{
    FButton = new TExSpeedButton(this);
    FButton->SetParent(this);
    FButton->SetCaption(String());
    // The holder's release handler clicks; the button's own click does not.
    FButton->OnMouseUp = [this](TObject* Sender, TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
        BtnMouseUp(Sender, Button, Shift, X, Y);
    };
    SetBounds(Left(), Top(), 20, 25);
    FButton->SetBounds(0, 0, Width(), Height());
}

TEsgEditButton::~TEsgEditButton() = default;

void TEsgEditButton::SetFlat(bool Value)
{
    FFlat = Value;
    FButton->SetFlat(Value);
}

void TEsgEditButton::ButtonColorsChanged()
{
    FButton->Invalidate();
}

void TEsgEditButton::WMSize(TWMSize& Message)
{
    TEsgButtonHolder::WMSize(Message);
    if (!ComponentState().Contains(csLoading))
        FButton->SetBounds(0, 0, Width(), Height());
}

void TEsgEditButton::BtnMouseUp(TObject*, TMouseButton Button, TShiftState, Integer, Integer)
{
    if (Button != mbLeft)
        return;
    // The click may free the holder with its edit.
    const std::shared_ptr<bool> Alive = FAlive;
    if (OnClick)
        OnClick(this);
    if (*Alive)
        FocusAfterButton();
}

// ---------------------------------------------------------------- TEsgEditBtn

TEsgEditBtn::TEsgEditBtn(TComponent* AOwner) : TEsgSideControlEdit(AOwner)
{
    FButton = new TEsgEditButton(this);
    FButton->SetParent(this);
    FButton->SetBounds(0, 0, 18, 18);
    FButton->SetFocusControl(this);
    // Through the virtual, so that a subclass's ClickButton is the one run.
    FButton->OnClick = [this](TObject*) { ClickButton(); };
    SetText(QStringLiteral("0"));
    LayOut();
}

TEsgEditBtn::~TEsgEditBtn() = default;

void TEsgEditBtn::ClickButton()
{
    if (OnClickBtn)
        OnClickBtn(this);
}

void TEsgEditBtn::SetButtonWidth(Integer Value)
{
    FButtonWidth = Value;
    FButton->SetWidth(Value);
    LayOut();
}

void TEsgEditBtn::SetIsWinXP(bool Value)
{
    FIsWinXP = Value;
    FButton->Button()->SetIsWinXP(Value);
}

void TEsgEditBtn::SetRightAlign(bool Value)
{
    FRightAlign = Value;
    SetAlignment(Value ? taRightJustify : taLeftJustify);
}

Integer TEsgEditBtn::GetMinHeight()
{
    const TEditorFontHeights H = EditorFontHeights(Font());
    return H.Font + H.Smaller / 4;
}

void TEsgEditBtn::SetEditRect()
{
    const Integer Margin = BorderStyle() == bsSingle ? 1 : 3;
    Integer Right = ClientWidth() - (FButton->Width() + FUnitSize + 5);
    if (FUnitSize > 0)
        Right -= 3;
    TRect R(Margin, Margin, Right, ClientHeight() + 1);
    Perform(EM_SETRECTNP, 0, LPARAM(&R));
}

void TEsgEditBtn::KeyDown(Word& Key, TShiftState Shift)
{
    TEsgSideControlEdit::KeyDown(Key, Shift);
    if (Key == VK_F4 && !Shift.Contains(ssCtrl) && !Shift.Contains(ssAlt))
        ClickButton();
}

void TEsgEditBtn::WMChar(TWMKey& Message)
{
    if (!FEditorEnabled) {
        Message.CharCode = 0;
        return;
    }
    TEsgSideControlEdit::WMChar(Message);
}


// ---------------------------------------------------------------- TEsgUnitEditBtn

TEsgUnitEditBtn::TEsgUnitEditBtn(TComponent* AOwner)
    : TEsgEditBtn(AOwner), FUnits(std::make_unique<TStringList>())
{
    FUnitSize = 20;
    SetRightAlign(true);
    SetPaintOver(true);
    LayOut();
}

TEsgUnitEditBtn::~TEsgUnitEditBtn() = default;

void TEsgUnitEditBtn::SetUnits(TStrings* Value)
{
    if (Value)
        FUnits->Assign(Value);
}

void TEsgUnitEditBtn::SetUnitID(const String& Value)
{
    FUnitID = Value;
    Invalidate();
}

void TEsgUnitEditBtn::SetUnitSpace(Integer Value)
{
    FUnitSize = Value;
    SetEditRect();
    Invalidate();
}

String TEsgUnitEditBtn::TextAndUnit() const
{
    return Text() + FUnitID;
}

void TEsgUnitEditBtn::SetTextAndUnit(const String& Value)
{
    for (Integer I = 0; I < FUnits->Count(); ++I) {
        const String Unit = FUnits->Strings(I);
        const Integer At = Pos(Unit, Value);
        if (At > 0 && At == Length(Value) - Length(Unit) + 1) {
            SetText(Copy(Value, 1, At - 1));
            SetUnitID(Unit);
            return;
        }
    }
}

void TEsgUnitEditBtn::ClickButton()
{
    const std::shared_ptr<bool> Alive = FAlive;
    TEsgEditBtn::ClickButton();
    if (!*Alive)
        return;
    delete FUnitMenu;
    FUnitMenu = new TPopupMenu(this);
    for (Integer I = 0; I < FUnits->Count(); ++I) {
        const WPARAM Command = WPARAM(I + 1);
        FUnitMenu->Items()->Add(NewItem(FUnits->Strings(I), [this, Command](TObject*) { Perform(WM_COMMAND, Command); }));
    }
    const TPoint At = ClientToScreen(TPoint(ClientWidth() - 15, ClientHeight()));
    FUnitMenu->Popup(At.X, At.Y);
}

void TEsgUnitEditBtn::Dispatch(TMessage& Message)
{
    if (Message.Msg == WM_COMMAND)
        WMCommand(Message);
    else
        TEsgEditBtn::Dispatch(Message);
}

void TEsgUnitEditBtn::WMCommand(TMessage& Message)
{
    constexpr Word EN_CHANGE = 0x0300;
    const Integer Command = Message.WParamLo();
    if (Message.WParamHi() == EN_CHANGE || Command < 1 || Command > FUnits->Count())
        return;
    const String Old = FUnitID;
    SetUnitID(FUnits->Strings(Command - 1));
    if (FUnitID != Old && OnUnitChanged)
        OnUnitChanged(this, FUnitID);
}

void TEsgUnitEditBtn::PaintOver(TCanvas* Canvas)
{
    const Integer ButtonWidth = Button()->Width();
    TRect R(ClientWidth() - ButtonWidth - 3 - FUnitSize, 2, ClientWidth() - ButtonWidth - 3, ClientHeight());
    Canvas->Font()->Assign(Font());
    Canvas->Brush()->SetStyle(bsClear);
    // Centred on the line as the edit centres its text.
    DrawText(Canvas, FUnitID, -1, R, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}
