#pragma once
// Standard controls: labels, edits, memos, combo boxes, check boxes, radio
// buttons, group boxes, list boxes, check list boxes and scroll bars.
#include "rtl/Controls.h"

#include <memory>
#include <optional>

class QLineEdit;
class QPlainTextEdit;
class QTextDocument;
class QComboBox;
class QListWidget;

enum TEditCharCase { ecNormal, ecUpperCase, ecLowerCase };
enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };
enum TComboBoxStyle { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };
RTL_NAMED_ENUM(TCheckBoxState, cbUnchecked, cbChecked, cbGrayed)
enum TScrollBarKind { sbHorizontal, sbVertical };
enum TScrollCode { scLineUp, scLineDown, scPageUp, scPageDown, scPosition, scTrack, scTop, scBottom, scEndScroll };
enum TListBoxStyle { lbStandard, lbOwnerDrawFixed, lbOwnerDrawVariable, lbVirtual, lbVirtualOwnerDraw };

using TScrollEvent = std::function<void(TObject* Sender, TScrollCode ScrollCode, Integer& ScrollPos)>;

// A TStrings whose entries live in a control (items of a list, lines of a
// memo); an index outside the list raises EStringListError.
class TControlStrings : public TStrings {
public:
    void Clear() override;
    void Delete(int Index) override;
    void Insert(int Index, const String& S) override;
    int Add(const String& S) override;
    int AddObject(const String& S, TObject* AObject) override;
    void InsertObject(int Index, const String& S, TObject* AObject) override;

    // Keeps the entries in order as the control's Sorted asks.
    bool Sorted = false;

protected:
    String Get(int Index) const override;
    int GetCount() const override;
    TObject* GetObject(int Index) const override;
    void Put(int Index, const String& S) override;
    void PutObject(int Index, TObject* AObject) override;

    // The control's side.
    virtual int ItemCount() const = 0;
    virtual String ItemText(int Index) const = 0;
    virtual void SetItemText(int Index, const String& S) = 0;
    virtual void InsertItem(int Index, const String& S) = 0;
    virtual void RemoveItem(int Index) = 0;
    virtual void ClearItems() = 0;
    virtual TObject* ItemObject(int Index) const = 0;
    virtual void SetItemObject(int Index, TObject* AObject) = 0;

    void CheckIndex(int Index, int Limit) const;
};

// The paragraphs of a text document as a TStrings (the lines of a memo or
// a rich edit); no objects.
class TTextDocumentStrings : public TControlStrings {
public:
    // Plain text, split at CR LF, LF or CR.
    void SetText(const String& Value) override;

protected:
    virtual QTextDocument* Doc() const = 0;

    int ItemCount() const override;
    String ItemText(int Index) const override;
    void SetItemText(int Index, const String& S) override;
    void InsertItem(int Index, const String& S) override;
    void RemoveItem(int Index) override;
    void ClearItems() override;
    TObject* ItemObject(int) const override { return nullptr; }
    void SetItemObject(int, TObject*) override {}
};

// ---------------------------------------------------------------------------

// Where a label shortens a caption wider than itself with "...".
enum TEllipsisPosition { epNone, epPathEllipsis, epEndEllipsis, epWordEllipsis };

class TCustomLabel : public TGraphicControl {
public:
    explicit TCustomLabel(TComponent* AOwner);

    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    TTextLayout Layout() const { return FLayout; }
    void SetLayout(TTextLayout Value);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool Value);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool Value);
    bool ShowAccelChar() const { return FShowAccelChar; }
    void SetShowAccelChar(bool Value);
    // Only for captions on one line (no word wrap).
    TEllipsisPosition EllipsisPosition() const { return FEllipsisPosition; }
    void SetEllipsisPosition(TEllipsisPosition Value);
    TWinControl* FocusControl() const { return FFocusControl; }
    void SetFocusControl(TWinControl* Value) { FFocusControl = Value; }

protected:
    void Paint() override;
    bool CanAutoSize(Integer& NewWidth, Integer& NewHeight) override;
    // Draws (or with DT_CALCRECT measures) the caption in Rect.
    virtual void DoDrawText(TRect& Rect, Cardinal Flags);

private:
    TAlignment FAlignment = taLeftJustify;
    TTextLayout FLayout = tlTop;
    bool FWordWrap = false;
    bool FTransparent = false;
    bool FShowAccelChar = true;
    TEllipsisPosition FEllipsisPosition = epNone;
    TWinControl* FFocusControl = nullptr;
};

class TLabel : public TCustomLabel {
public:
    explicit TLabel(TComponent* AOwner) : TCustomLabel(AOwner) {}
};

// ---------------------------------------------------------------------------

class TCustomEdit : public TWinControl {
public:
    explicit TCustomEdit(TComponent* AOwner);
    ~TCustomEdit() override;

    Integer MaxLength() const;
    void SetMaxLength(Integer Value);
    bool ReadOnly() const;
    void SetReadOnly(bool Value);
    Char PasswordChar() const { return FPasswordChar; }
    void SetPasswordChar(Char Value);
    TEditCharCase CharCase() const { return FCharCase; }
    void SetCharCase(TEditCharCase Value);
    bool AutoSelect() const { return FAutoSelect; }
    void SetAutoSelect(bool Value) { FAutoSelect = Value; }
    bool Modified() const;
    void SetModified(bool Value);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    TBorderStyle BorderStyle() const;
    void SetBorderStyle(TBorderStyle Value);

    void SelectAll();
    void ClearSelection();
    void Clear();
    // 0-based caret and selection, as the framework counts them.
    Integer SelStart() const;
    void SetSelStart(Integer Value);
    Integer SelLength() const;
    void SetSelLength(Integer Value);
    String SelText() const;
    void SetSelText(const String& Value);
    void CopyToClipboard();
    void CutToClipboard();
    void PasteFromClipboard();
    void Undo();

    TNotifyEvent OnChange;

    // The single-line widget; null while the edit is multi-line.
    QLineEdit* LineEdit() const;
    // The multi-line widget; null while the edit is single-line.
    QPlainTextEdit* TextEdit() const;
    bool MultiLine() const { return FMultiLine; }

    // Adds the edit's messages: the clipboard (WM_PASTE, WM_CUT, WM_COPY;
    // the keys and the context menu send them), the formatting rectangle
    // (EM_SETRECT, EM_SETRECTNP, EM_GETRECT; LParam a TRect* in client
    // coordinates), which becomes the line edit's text margins, the
    // selection (EM_SETSEL), the character at a point (EM_CHARFROMPOS), the
    // read-only state (EM_SETREADONLY) and the text-changed notification
    // (CN_COMMAND with EN_CHANGE).
    void Dispatch(TMessage& Message) override;

protected:
    // A multi-line edit (the platform's multi-line style with want-return)
    // over a plain text widget: line breaks are CR LF in Text and count as
    // two characters in the selection; the formatting rectangle becomes the
    // document's margins. A single-line edit is needed for a mask and a
    // password character. Switching builds a new widget: call it before
    // the edit has child controls.
    void SetMultiLine(bool Value);
    // Wrapping at the edit's width (multi-line only).
    bool LineWrap() const { return FLineWrap; }
    void SetLineWrap(bool Value);
    virtual void Change();
    // The edit's notifications; EN_CHANGE runs Change.
    virtual void CNCommand(TMessage& Message);
    virtual void WMPaste(TMessage& Message);
    virtual void WMCut(TMessage& Message);
    virtual void WMCopy(TMessage& Message);
    String GetText() const override;
    void TextChanged() override;
    void WMGetDlgCode(TWMGetDlgCode& Message) override;
    void WMKeyDown(TWMKey& Message) override;
    void WMChar(TWMKey& Message) override;
    void CMEnter(TMessage& Message) override;
    bool DefaultContextMenu(QContextMenuEvent* Event) override;
    void ApplyFocusPolicy() override;
    void ApplyColor() override;

private:
    String Cased(const String& S) const;
    // A new widget of the current kind, carrying over text and settings.
    void BuildWidget();
    void ApplyMaxLength();
    // Caret at Start when End lies before it, else Start .. End selected.
    void SetSelection(Integer Start, Integer End);
    // EM_CHARFROMPOS: the text position under a point of the window.
    Integer CharFromPos(TPoint Pos) const;
    void SetFormattingRect(const TRect& R);
    TRect FormattingRect() const;
    std::optional<TRect> FEditRect;

    Char FPasswordChar = QChar(0);
    TEditCharCase FCharCase = ecNormal;
    bool FAutoSelect = true;
    TAlignment FAlignment = taLeftJustify;
    bool FSettingText = false;
    Integer FMaxLength = 0;
    bool FMultiLine = false;
    bool FLineWrap = false;
    bool FWidgetBuilt = false;
};

class TEdit : public TCustomEdit {
public:
    explicit TEdit(TComponent* AOwner) : TCustomEdit(AOwner) {}
};

// ---------------------------------------------------------------------------

class TCustomMemo : public TWinControl {
public:
    explicit TCustomMemo(TComponent* AOwner);
    ~TCustomMemo() override;

    // The memo's paragraphs.
    TStrings* Lines() const { return FLines.get(); }
    void SetLines(TStrings* Value);
    TScrollStyle ScrollBars() const { return FScrollBars; }
    void SetScrollBars(TScrollStyle Value);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool Value);
    bool ReadOnly() const;
    void SetReadOnly(bool Value);
    Integer MaxLength() const { return FMaxLength; }
    void SetMaxLength(Integer Value) { FMaxLength = Value; }
    bool WantReturns() const { return FWantReturns; }
    void SetWantReturns(bool Value) { FWantReturns = Value; }
    bool WantTabs() const { return FWantTabs; }
    void SetWantTabs(bool Value) { FWantTabs = Value; }
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);

    void SelectAll();
    void Clear();
    Integer SelStart() const;
    void SetSelStart(Integer Value);
    Integer SelLength() const;
    void SetSelLength(Integer Value);
    String SelText() const;

    TNotifyEvent OnChange;

    QPlainTextEdit* TextEdit() const;

protected:
    virtual void Change();
    String GetText() const override;
    void TextChanged() override;
    void WMGetDlgCode(TWMGetDlgCode& Message) override;
    void WMChar(TWMKey& Message) override;
    void ApplyFocusPolicy() override;
    void ApplyColor() override;

private:
    std::unique_ptr<TStrings> FLines;
    TScrollStyle FScrollBars = ssNone;
    bool FWordWrap = true;
    Integer FMaxLength = 0;
    bool FWantReturns = true;
    bool FWantTabs = false;
    TAlignment FAlignment = taLeftJustify;
    bool FSettingText = false;
};

class TMemo : public TCustomMemo {
public:
    explicit TMemo(TComponent* AOwner) : TCustomMemo(AOwner) {}
};

// ---------------------------------------------------------------------------

class TCustomComboBox : public TWinControl {
public:
    explicit TCustomComboBox(TComponent* AOwner);
    ~TCustomComboBox() override;

    TStrings* Items() const { return FItems.get(); }
    void SetItems(TStrings* Value);
    TComboBoxStyle Style() const { return FStyle; }
    void SetStyle(TComboBoxStyle Value);
    // -1 when nothing is selected; a value outside the items selects nothing.
    Integer ItemIndex() const;
    void SetItemIndex(Integer Value);
    Integer DropDownCount() const;
    void SetDropDownCount(Integer Value);
    bool Sorted() const;
    void SetSorted(bool Value);
    Integer MaxLength() const { return FMaxLength; }
    void SetMaxLength(Integer Value);
    bool DroppedDown() const;
    void SetDroppedDown(bool Value);
    void Clear();
    void SelectAll();
    // The edit part's caret and selection (0-based); 0 for a list.
    Integer SelStart() const;
    Integer SelLength() const;
    // Selects Length characters from Start.
    void SetSelection(Integer Start, Integer Length);

    TNotifyEvent OnChange;
    TNotifyEvent OnSelect;
    TNotifyEvent OnDropDown;
    TNotifyEvent OnCloseUp;

    QComboBox* ComboBox() const;

    // Adds CB_SETDROPPEDWIDTH and CB_GETDROPPEDWIDTH: the list is at least
    // that wide when it drops (0: as wide as the box).
    void Dispatch(TMessage& Message) override;

protected:
    virtual void Change();
    // The user chose an item: OnSelect, or OnChange when there is none.
    virtual void Select();
    virtual void DropDown();
    virtual void CloseUp();
    // The box's notifications (WM_COMMAND through the parent): CBN_SELCHANGE
    // (the user chose an item) runs Click and Select, CBN_EDITCHANGE (the
    // user typed) Change, CBN_DROPDOWN DropDown, CBN_CLOSEUP CloseUp.
    virtual void CNCommand(TMessage& Message);
    String GetText() const override;
    void TextChanged() override;
    void WMGetDlgCode(TWMGetDlgCode& Message) override;
    void ApplyFocusPolicy() override;
    void ApplyColor() override;

private:
    friend class TComboBridge;
    void ConnectEdit();

    std::unique_ptr<TStrings> FItems;
    TComboBoxStyle FStyle = csDropDown;
    Integer FMaxLength = 0;
    bool FSettingText = false;
};

class TComboBox : public TCustomComboBox {
public:
    explicit TComboBox(TComponent* AOwner) : TCustomComboBox(AOwner) {}
};

// ---------------------------------------------------------------------------

class TCustomCheckBox : public TWinControl {
public:
    explicit TCustomCheckBox(TComponent* AOwner);

    // Changing the state raises OnClick, as a click does.
    bool Checked() const { return FState == cbChecked; }
    void SetChecked(bool Value) { SetState(Value ? cbChecked : cbUnchecked); }
    TCheckBoxState State() const { return FState; }
    void SetState(TCheckBoxState Value);
    bool AllowGrayed() const { return FAllowGrayed; }
    void SetAllowGrayed(bool Value);
    // taRightJustify (the default) puts the caption right of the box.
    TLeftRight Alignment() const { return FAlignment; }
    void SetAlignment(TLeftRight Value);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool Value) { FWordWrap = Value; }

protected:
    // A click: the next state.
    virtual void Toggle();
    String GetText() const override;
    void TextChanged() override;
    void WMGetDlgCode(TWMGetDlgCode& Message) override;
    void ApplyFocusPolicy() override;
    void ApplyColor() override;

private:
    TCheckBoxState FState = cbUnchecked;
    bool FAllowGrayed = false;
    TLeftRight FAlignment = taRightJustify;
    bool FWordWrap = false;
};

class TCheckBox : public TCustomCheckBox {
public:
    explicit TCheckBox(TComponent* AOwner) : TCustomCheckBox(AOwner) {}
};

// A push button: a left release inside clicks it (OnClick).
class TButton : public TWinControl {
public:
    explicit TButton(TComponent* AOwner);

protected:
    String GetText() const override;
    void TextChanged() override;
    void WMGetDlgCode(TWMGetDlgCode& Message) override;
    void ApplyFocusPolicy() override;
};

// Checking one radio button unchecks its siblings (same parent).
class TRadioButton : public TWinControl {
public:
    explicit TRadioButton(TComponent* AOwner);

    bool Checked() const;
    void SetChecked(bool Value);
    TLeftRight Alignment() const { return FAlignment; }
    void SetAlignment(TLeftRight Value);

protected:
    String GetText() const override;
    void TextChanged() override;
    void WMGetDlgCode(TWMGetDlgCode& Message) override;
    void ApplyFocusPolicy() override;
    void ApplyColor() override;

private:
    TLeftRight FAlignment = taRightJustify;
};

// ---------------------------------------------------------------------------

class TCustomGroupBox : public TCustomControl {
public:
    explicit TCustomGroupBox(TComponent* AOwner);
    void AdjustClientRect(TRect& Rect) override;

protected:
    String GetText() const override;
    void TextChanged() override;
    bool PaintsItself() const override { return false; }
    bool WidgetPaint(QPaintEvent*) override { return false; }
};

class TGroupBox : public TCustomGroupBox {
public:
    explicit TGroupBox(TComponent* AOwner) : TCustomGroupBox(AOwner) {}
};

// ---------------------------------------------------------------------------

class TCustomListBox : public TWinControl {
public:
    explicit TCustomListBox(TComponent* AOwner);
    ~TCustomListBox() override;

    TStrings* Items() const { return FItems.get(); }
    void SetItems(TStrings* Value);
    Integer Count() const;
    // -1 when nothing is selected; a value outside the items selects nothing.
    Integer ItemIndex() const;
    void SetItemIndex(Integer Value);
    bool MultiSelect() const { return FMultiSelect; }
    void SetMultiSelect(bool Value);
    bool ExtendedSelect() const { return FExtendedSelect; }
    void SetExtendedSelect(bool Value);
    // Raises EListError "List index out of bounds" outside the items.
    bool Selected(Integer Index) const;
    void SetSelected(Integer Index, bool Value);
    Integer SelCount() const;
    bool Sorted() const { return FSorted; }
    void SetSorted(bool Value);
    Integer TopIndex() const;
    void SetTopIndex(Integer Value);
    Integer ItemHeight() const;
    void SetItemHeight(Integer Value);
    TListBoxStyle Style() const { return FStyle; }
    void SetStyle(TListBoxStyle Value) { FStyle = Value; }
    Integer ItemAtPos(const TPoint& Pos, bool Existing) const;
    TRect ItemRect(Integer Index) const;
    void Clear();
    void ClearSelection();
    void SelectAll();

    QListWidget* ListWidget() const;

protected:
    void CheckItemIndex(Integer Index) const;
    void WMGetDlgCode(TWMGetDlgCode& Message) override;
    void ApplyFocusPolicy() override;
    void ApplyColor() override;
    void ApplySelectionMode();

private:
    std::unique_ptr<TStrings> FItems;
    bool FMultiSelect = false;
    bool FExtendedSelect = true;
    bool FSorted = false;
    TListBoxStyle FStyle = lbStandard;

protected:
    bool FChangingSelection = false;
};

class TListBox : public TCustomListBox {
public:
    explicit TListBox(TComponent* AOwner) : TCustomListBox(AOwner) {}
};

class TCheckListBox : public TCustomListBox {
public:
    explicit TCheckListBox(TComponent* AOwner);

    // Raise EListError outside the items.
    bool Checked(Integer Index) const;
    void SetChecked(Integer Index, bool Value);
    TCheckBoxState State(Integer Index) const;
    void SetState(Integer Index, TCheckBoxState Value);
    bool ItemEnabled(Integer Index) const;
    void SetItemEnabled(Integer Index, bool Value);
    bool AllowGrayed() const { return FAllowGrayed; }
    void SetAllowGrayed(bool Value) { FAllowGrayed = Value; }
    void CheckAll(TCheckBoxState AState, bool AllowGrayed = true, bool AllowDisabled = true);

    // The user changed a check box.
    TNotifyEvent OnClickCheck;

protected:
    virtual void ClickCheck();

private:
    bool FAllowGrayed = false;
    bool FSettingCheck = false;
};

// ---------------------------------------------------------------------------

class TScrollBar : public TWinControl {
public:
    explicit TScrollBar(TComponent* AOwner);

    TScrollBarKind Kind() const { return FKind; }
    void SetKind(TScrollBarKind Value);
    Integer Min() const { return FMin; }
    void SetMin(Integer Value) { SetParams(FPosition, Value, FMax); }
    Integer Max() const { return FMax; }
    void SetMax(Integer Value) { SetParams(FPosition, FMin, Value); }
    Integer Position() const { return FPosition; }
    void SetPosition(Integer Value) { SetParams(Value, FMin, FMax); }
    // The thumb covers PageSize of the Min..Max range; the position runs
    // from Min to Max - PageSize + 1 then.
    Integer PageSize() const { return FPageSize; }
    void SetPageSize(Integer Value);
    Integer SmallChange() const { return FSmallChange; }
    void SetSmallChange(Integer Value);
    Integer LargeChange() const { return FLargeChange; }
    void SetLargeChange(Integer Value);
    // EInvalidOperation "Scrollbar property out of range" when Max < Min.
    void SetParams(Integer APosition, Integer AMin, Integer AMax);

    TNotifyEvent OnChange;
    TScrollEvent OnScroll;

protected:
    virtual void Change();
    virtual void Scroll(TScrollCode ScrollCode, Integer& ScrollPos);
    void ApplyFocusPolicy() override;

private:
    void ApplyRange();

    TScrollBarKind FKind = sbHorizontal;
    Integer FMin = 0;
    Integer FMax = 100;
    Integer FPosition = 0;
    Integer FPageSize = 0;
    Integer FSmallChange = 1;
    Integer FLargeChange = 1;
    bool FApplying = false;
};
