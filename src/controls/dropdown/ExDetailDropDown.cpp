// The detail drop-down: its items, the selector in the pop-up with the
// cells it draws, key search, completion while typing and its keys.
#include "controls/dropdown/ExDetailDropDown.h"

#include "controls/dropdown/ExDropDown_Draw.h"
#include "controls/dropdown/FlagScope.h"
#include "rtl/ImgList.h"

// ---------------------------------------------------------------- items

TDetailItem::TDetailItem(TCollection* ACollection)
    : TCollectionItem(ACollection), FImage(std::make_unique<TPicture>())
{
}

TDetailItem::~TDetailItem() = default;

void TDetailItem::Assign(TPersistent* Source)
{
    auto* Other = dynamic_cast<TDetailItem*>(Source);
    if (!Other) {
        TCollectionItem::Assign(Source);
        return;
    }
    SetCaption(Other->Caption());
    SetImageIndex(Other->ImageIndex());
    FImage->Assign(Other->Image());
    // The notes too: an assigned list would lose them otherwise.
    SetNotes(Other->Notes());
    SetTag(Other->Tag());
    SetItemObject(Other->ItemObject());
}

void TDetailItem::ReportChange()
{
    if (auto* Items = dynamic_cast<TDetailItems*>(Collection()); Items && Items->OnChange)
        Items->OnChange(Items);
}

void TDetailItem::SetCaption(const String& Value)
{
    if (FCaption == Value)
        return;
    FCaption = Value;
    ReportChange();
}

void TDetailItem::SetImageIndex(Integer Value)
{
    if (FImageIndex == Value)
        return;
    FImageIndex = Value;
    ReportChange();
}

Integer TDetailItems::IndexOf(const String& Text) const
{
    for (Integer I = 0; I < Count(); ++I)
        if (Items(I)->Caption() == Text)
            return I;
    return -1;
}

// ---------------------------------------------------------------- creation

TExDetailDropDown::TExDetailDropDown(TComponent* AOwner)
    : TExCustomDropDown(AOwner), FItems(std::make_unique<TDetailItems>(this)),
      FItemAppearance(std::make_unique<TItemAppearance>(this)), FCaptionFont(std::make_unique<TFont>()),
      FNotesFont(std::make_unique<TFont>())
{
    FKeyTimer = new TTimer(this);
    FKeyTimer->SetEnabled(false);
    FKeyTimer->SetInterval(500);
    FKeyTimer->OnTimer = [this](TObject*) { KeyTimerTick(); };
}

TExDetailDropDown::~TExDetailDropDown()
{
    FKeyTimer->SetEnabled(false);
}

void TExDetailDropDown::AfterConstruction()
{
    TExCustomDropDown::AfterConstruction();
    FItemIndex = -1;
    FOldItemIndex = -1;
    SetAutoSize(false);
    SetEditorEnabled(true);
    SetDropDownEnabled(true);
    FCurSearch.clear();
    FCaptionFont->Assign(Font());
    FNotesFont->Assign(Font());
    FWorkMode = true;
}

void TExDetailDropDown::Notification(TComponent* AComponent, TOperation Operation)
{
    TExCustomDropDown::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FItemSelector)
        FItemSelector = nullptr;
}

void TExDetailDropDown::SetComponentStyle(TQVXStyle AStyle)
{
    TExCustomDropDown::SetComponentStyle(AStyle);
    SetItemAppearanceStyle(FItemAppearance.get(), AStyle);
}

void TExDetailDropDown::SetSelectionColorStyle(TSelectionColorStyle Value)
{
    TExCustomDropDown::SetSelectionColorStyle(Value);
    FItemAppearance->SetColorStyle(Value);
}

// ---------------------------------------------------------------- the chosen entry

void TExDetailDropDown::ShowCaption(Integer Index)
{
    const String Caption = FItems->Items(Index)->Caption();
    {
        TFlagScope Writing(FWritingText);
        SetText(Caption);
    }
    SetSelStart(0);
    SetSelLength(Length(Caption));
}

void TExDetailDropDown::SetItemIndex(Integer Value)
{
    if (Value == FItemIndex)
        return;
    if (Value == -1) {
        FItemIndex = -1;
        TFlagScope Writing(FWritingText);
        SetText(String());
        return;
    }
    if (Value < 0 || Value >= FItems->Count())
        return;
    FItemIndex = Value;
    ShowCaption(Value);
    Invalidate();
    if (FItemSelector)
        FItemSelector->Panel()->Invalidate();
    if (OnSelect)
        OnSelect(this);
}

void TExDetailDropDown::SelectFirst()
{
    if (FItems->Count() > 0)
        SetItemIndex(0);
}

void TExDetailDropDown::SelectLast()
{
    if (FItems->Count() > 0)
        SetItemIndex(FItems->Count() - 1);
}

void TExDetailDropDown::SelectNext()
{
    if (DroppedDown() && FItemSelector) {
        StepSelector(1);
        return;
    }
    if (FItemIndex < 0)
        SelectFirst();
    else if (FItemIndex + 1 < FItems->Count())
        SetItemIndex(FItemIndex + 1);
}

void TExDetailDropDown::SelectPrevious()
{
    if (DroppedDown() && FItemSelector) {
        StepSelector(-1);
        return;
    }
    if (FItemIndex < 0)
        SelectFirst();
    else if (FItemIndex > 0)
        SetItemIndex(FItemIndex - 1);
}

void TExDetailDropDown::SelectCell(Integer V)
{
    if (!FItemSelector || V < 0 || V >= FItemSelector->Items()->Count())
        return;
    TFlagScope Internal(FInternalCall);
    FItemSelector->SetItemIndex(V);
}

void TExDetailDropDown::StepSelector(Integer Delta)
{
    const Integer Current = FItemSelector->ItemIndex();
    SelectCell(Current < 0 ? 0 : Current + Delta);
    Invalidate();
}

// ---------------------------------------------------------------- the pop-up

void TExDetailDropDown::CreateDropDownForm()
{
    TExCustomDropDown::CreateDropDownForm();
    if (!FItemSelector) {
        FItemSelector = new TExCustomItemSelector(this);
        FItemSelector->SetParent(DropDownForm());
        FItemSelector->SetSelectorType(stImage);
        FItemSelector->SetBounds(0, 0, FItemSelector->Width(), 150);
        FItemSelector->OnDrawItem = [this](TObject* Sender, TCanvas* Canvas, const TRect& R, Integer Index) {
            DrawItem(Sender, Canvas, R, Index);
        };
        FItemSelector->OnItemSize = [this](TObject* Sender, TSize& ASize) { ItemSize(Sender, ASize); };
        FItemSelector->OnResize = [this](TObject*) {
            if (FItemSelector)
                FItemSelector->UpdateSelectorPanel();
        };
    }
    FItemSelector->SetColor(DropDownColor());
    FItemSelector->UpdateSelectorPanel();
    SetControl(FItemSelector);
}

void TExDetailDropDown::FillSelector()
{
    TSelectorItems* Cells = FItemSelector->Items();
    Cells->Clear();
    for (Integer I = 0; I < FItems->Count(); ++I) {
        TDetailItem* Item = FItems->Items(I);
        TSelectorItem* Cell = Cells->Add();
        Cell->SetCaption(Item->Caption());
        Cell->SetImage(Item->Image());
        Cell->SetImageIndex(Item->ImageIndex());
    }
}

void TExDetailDropDown::InitSelector()
{
    if (!FItemSelector)
        return;
    FItemSelector->OnItemSelect = nullptr;
    FItemSelector->SetColumns(1);
    FItemSelector->SetImages(Images());
    FItemSelector->SetItemLayout(Layout());
    FItemSelector->SetColor(DropDownColor());
    FItemSelector->SetItemAppearance(FItemAppearance.get());
    FillSelector();
    FItemSelector->UpdateSelectorPanel();
    FItemSelector->SetItemIndex(FItemIndex);
    FItemSelector->OnItemSelect = [this](TObject* Sender) { ItemSelected(Sender); };
}

void TExDetailDropDown::DoBeforeDropDown()
{
    TExCustomDropDown::DoBeforeDropDown();
    InitSelector();
    FOldItemIndex = FItemIndex;
}

void TExDetailDropDown::DoShowDropDown()
{
    TExCustomDropDown::DoShowDropDown();
    if (!DroppedDown() || !FItemSelector)
        return;
    // The cells are measured again now that the scroll bars are known.
    FItemSelector->UpdateSelectorPanel();
    FItemSelector->ScrollItemInView(FItemSelector->ItemIndex());
    if (FItemSelector->CanFocus())
        FItemSelector->SetFocus();
}

void TExDetailDropDown::UpdateDropDownSize()
{
    if (FItemSelector) {
        FItemSelector->SetAlign(alNone);
        if (DropDownWidth() <= 0)
            FItemSelector->SetWidth(Width());
        if (DropDownHeight() <= 0)
            FItemSelector->SetHeight(100);
        // The pop-up takes the selector's size as it stands now.
        SetControl(nullptr);
        SetControl(FItemSelector);
    }
    TExCustomDropDown::UpdateDropDownSize();
}

void TExDetailDropDown::DropDownResized()
{
    if (FItemSelector)
        FItemSelector->UpdateSelectorPanel();
}

void TExDetailDropDown::ItemSelected(TObject*)
{
    const Integer Selection = FItemSelector ? FItemSelector->ItemIndex() : -1;
    if (Selection < 0 || Selection >= FItems->Count())
        return;
    SetItemIndex(Selection);
    ShowCaption(Selection);
    if (!FInternalCall)
        DoHideDropDown(false);
}

void TExDetailDropDown::DoHideDropDown(bool Cancel)
{
    const bool WasOpen = DroppedDown();
    TExCustomDropDown::DoHideDropDown(Cancel);
    // Only a cancelled opening goes back; Escape on the closed control
    // keeps the entry.
    if (Cancel && WasOpen && FItemSelector && FOldItemIndex != -1)
        SetItemIndex(FOldItemIndex);
}

// ---------------------------------------------------------------- cells

void TExDetailDropDown::ItemSize(TObject*, TSize& ASize)
{
    Integer W = DropDownWidth() > 0 ? DropDownWidth() : DropDownForm() ? DropDownForm()->Width() : Width();
    if (FItemSelector && FItemSelector->VertScrollBar()->IsScrollBarVisible())
        W -= GetSystemMetrics(SM_CXVSCROLL);
    W -= 2 * GetSystemMetrics(SM_CXBORDER) + 4;
    ASize = {W, ItemHeight()};
}

TColor TExDetailDropDown::StateColor(TColor Color, Integer Index) const
{
    if (Index == FItemIndex)
        return FItemAppearance->ColorSelectedText();
    if (FItemSelector && Index == FItemSelector->ItemHot())
        return FItemAppearance->ColorHotText();
    return Color;
}

void TExDetailDropDown::DrawItemImage(TCanvas* Canvas, TDetailItem* Item, TRect& R)
{
    const bool NoCaption = Item->Caption().isEmpty();
    const auto Place = [&](Integer W, Integer H) {
        const Integer X = NoCaption ? R.Left + (R.Width() - W) / 2 : R.Left + 2;
        return TPoint(X, R.Top + (R.Height() - H) / 2);
    };
    TGraphic* G = Item->Image()->Graphic();
    if (G && !G->Empty()) {
        if (auto* B = dynamic_cast<TBitmap*>(G)) {
            B->SetTransparent(true);
            B->SetTransparentMode(tmAuto);
        }
        const TPoint P = Place(G->Width(), G->Height());
        Canvas->Draw(P.X, P.Y, G);
        R.Left += G->Width() + 4;
    } else if (Images() && Item->ImageIndex() >= 0) {
        const TPoint P = Place(Images()->Width(), Images()->Height());
        Images()->Draw(Canvas, P.X, P.Y, Item->ImageIndex(), true);
        R.Left += Images()->Width() + 4;
    }
}

void TExDetailDropDown::DrawItem(TObject*, TCanvas* Canvas, const TRect& Cell, Integer Index)
{
    if (OnDrawSelectedImage) {
        OnDrawSelectedImage(this, Canvas, Cell);
        return;
    }
    if (Index < 0 || Index >= FItems->Count())
        return;
    TDetailItem* Item = FItems->Items(Index);
    // Texts of any length stay in their cell.
    Canvas->SaveClipping();
    Canvas->IntersectClipRect(Cell);
    TRect R = Cell;
    DrawItemImage(Canvas, Item, R);
    Canvas->Font()->Assign(FCaptionFont.get());
    Canvas->Font()->SetColor(StateColor(FCaptionFont->Color(), Index));
    Canvas->Brush()->SetStyle(bsClear);
    R = TRect(R.Left + 4, R.Top + 2, R.Right - 4, R.Bottom);
    TRect CaptionRect = R;
    DrawText(Canvas, Item->Caption(), CaptionRect, DT_LEFT | DT_TOP | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
    if (!Item->Notes().isEmpty()) {
        R.Top += Canvas->TextHeight(QStringLiteral("gh"));
        Canvas->Font()->Assign(FNotesFont.get());
        Canvas->Font()->SetColor(StateColor(FNotesFont->Color(), Index));
        RenderDropDownHTML(Canvas, Item->Notes(), R, Images(), false, false, true, nullptr, nullptr);
    }
    Canvas->RestoreClipping();
}

// ---------------------------------------------------------------- keys

void TExDetailDropDown::KeyTimerTick()
{
    FKeyTimer->SetEnabled(false);
    FCurSearch.clear();
}

void TExDetailDropDown::KeySearch(Word Key)
{
    // The modifier keys alone are no part of a search.
    if (Key == VK_SHIFT || Key == VK_CONTROL || Key == VK_MENU || Key == VK_CAPITAL)
        return;
    FCurSearch += QChar(Key);
    {
        TFlagScope Internal(FInternalCall);
        FItemSelector->LookupItem(FCurSearch);
    }
    // A running timer is not restarted: the search ends 500 ms after its
    // first key.
    if (!FKeyTimer->Enabled())
        FKeyTimer->SetEnabled(true);
}

bool TExDetailDropDown::SelectorKey(Word Key)
{
    const bool Open = DroppedDown();
    const auto Page = [&](bool Down) {
        if (!FItemSelector)
            return;
        if (FItemSelector->Items()->Count() != FItems->Count())
            InitSelector();
        const Integer N = FItemSelector->GetVisibleItemCount();
        if (N < 1)
            return;
        const Integer Current = FItemSelector->ItemIndex();
        if (Down)
            SelectCell(std::min(Current + N, FItems->Count() - 1));
        else
            SelectCell(std::max(Current - N, 0));
    };
    switch (Key) {
    case VK_PRIOR: Page(false); break;
    case VK_NEXT: Page(true); break;
    case VK_END:
    case VK_HOME:
        if (Open && FItemSelector) {
            TFlagScope Internal(FInternalCall);
            Key == VK_END ? FItemSelector->SelectLast() : FItemSelector->SelectFirst();
        } else if (!Open && !EditorEnabled())
            Key == VK_END ? SelectLast() : SelectFirst();
        break;
    case VK_LEFT:
    case VK_RIGHT:
        if (Open && !EditorEnabled() && FItemSelector) {
            TFlagScope Internal(FInternalCall);
            Key == VK_LEFT ? FItemSelector->SelectPrevious() : FItemSelector->SelectNext();
        }
        break;
    case VK_UP: Key == VK_UP && Open ? StepSelector(-1) : SelectPrevious(); break;
    default:
        if (Key == VK_DOWN) {
            Open ? StepSelector(1) : SelectNext();
        } else if (GetKeyState(VK_CONTROL) >= 0 && FItemSelector) {
            KeySearch(Key);
        }
        break;
    }
    const bool Moves = Key == VK_PRIOR || Key == VK_NEXT || Key == VK_LEFT || Key == VK_RIGHT || Key == VK_UP ||
                       Key == VK_DOWN;
    return Open && Moves;
}

void TExDetailDropDown::WMKeyDown(TWMKey& Message)
{
    if (Enabled() && GetKeyState(VK_MENU) >= 0 && SelectorKey(Message.CharCode)) {
        Message.CharCode = 0;
        Message.Result = 1;
        return;
    }
    TExCustomDropDown::WMKeyDown(Message);
}

void TExDetailDropDown::WriteText(const String& Text)
{
    TFlagScope Writing(FWritingText);
    SetPlainText(Text);
}

String TExDetailDropDown::MatchCaseText(const String& S) const
{
    return MatchCase() ? S : S.toUpper();
}

void TExDetailDropDown::Change()
{
    FItemChange = false;
    TExCustomDropDown::Change();
    if (ComponentState().Contains(csDesigning) || !FWorkMode || FWritingText)
        return;
    SetModified(GetText() != FOldValue);
    const String Typed = GetText().left(SelStart());
    // Nothing typed would match every caption.
    if (FItems->Count() == 0 || Typed.isEmpty())
        return;
    const String Key = MatchCaseText(Typed);
    for (Integer I = 0; I < FItems->Count(); ++I) {
        const String Caption = FItems->Items(I)->Caption();
        if (!MatchCaseText(Caption).startsWith(Key))
            continue;
        const String Completed = Typed + Caption.mid(Key.size()).left(255);
        WriteText(Completed);
        FItemIndex = I;
        FItemIdx = I;
        FItemSel = Integer(Key.size());
        FItemChange = true;
        SetSelStart(Integer(Typed.size()));
        SetSelLength(Integer(Completed.size() - Typed.size()));
        return;
    }
    if (GetText() != Typed)
        WriteText(Typed);
    SetSelStart(Integer(Typed.size()));
    SetSelLength(0);
}

void TExDetailDropDown::KeyDown(Word& Key, TShiftState Shift)
{
    const bool HasItems = FItems->Count() > 0;
    if (HasItems) {
        if (Key == VK_BACK || Key == VK_ESCAPE || Key == VK_DELETE) {
            FWorkMode = false;
        } else if (Key == VK_RETURN) {
            const Integer Index = FItems->IndexOf(GetText());
            if (Index >= 0) {
                {
                    TFlagScope Writing(FWritingText);
                    SetText(FItems->Items(Index)->Caption());
                }
                SetItemIndex(Index);
                Change();
            }
        } else {
            FWorkMode = true;
        }
    }
    TExCustomDropDown::KeyDown(Key, Shift);
    if (HasItems && Key == VK_ESCAPE) {
        const Integer Index = FItems->IndexOf(GetText());
        if (Index >= 0)
            SetItemIndex(Index);
    }
}

void TExDetailDropDown::KeyUp(Word& Key, TShiftState Shift)
{
    if (FItemChange) {
        SetItemIndex(FItemIdx);
        FItemChange = false;
    }
    TExCustomDropDown::KeyUp(Key, Shift);
}
