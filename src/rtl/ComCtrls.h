#pragma once
// Page controls with tab sheets, up-down buttons, the date-time picker and
// the rich edit.
#include "rtl/StdCtrls.h"
#include "rtl/SysUtils.h"

#include <vector>

class QDateTimeEdit;
class QTabWidget;
class QToolButton;

class TPageControl;

// A page of a page control; its caption is the tab's text.
class TTabSheet : public TWinControl {
public:
    explicit TTabSheet(TComponent* AOwner);
    ~TTabSheet() override;

    TPageControl* PageControl() const { return FPageControl; }
    void SetPageControl(TPageControl* Value);
    // The place among all pages (shown or not).
    Integer PageIndex() const;
    void SetPageIndex(Integer Value);
    // The place among the shown tabs; -1 when its tab is hidden.
    Integer TabIndex() const;
    bool TabVisible() const { return FTabVisible; }
    void SetTabVisible(bool Value);

    void SetParent(TWinControl* AParent) override;

protected:
    void TextChanged() override;
    void PlaceWidget() override;
    // Inside a page control the page control shows the active page only.
    void ApplyVisibility() override;

private:
    friend class TPageControl;
    TPageControl* FPageControl = nullptr;
    bool FTabVisible = true;
};

class TPageControl : public TWinControl {
public:
    explicit TPageControl(TComponent* AOwner);
    ~TPageControl() override;

    Integer PageCount() const { return Integer(FPages.size()); }
    // Raises EListError outside 0..PageCount-1.
    TTabSheet* Pages(Integer Index) const;
    TTabSheet* ActivePage() const;
    void SetActivePage(TTabSheet* Page);
    Integer ActivePageIndex() const;
    void SetActivePageIndex(Integer Value);
    void SelectNextPage(bool GoForward, bool CheckTabVisible = true);

    // The user changed the page.
    TNotifyEvent OnChange;
    // Before the user leaves the page; AllowChange false keeps it.
    std::function<void(TObject* Sender, bool& AllowChange)> OnChanging;

    QTabWidget* TabWidget() const;

protected:
    virtual void Change();
    virtual bool CanChange();
    void ControlsChanged() override;

private:
    friend class TTabSheet;
    void InsertPage(TTabSheet* Page);
    void RemovePage(TTabSheet* Page);
    void SyncTabs();

    std::vector<TTabSheet*> FPages;
    bool FSyncing = false;
    Integer FLastIndex = -1;
};

enum TUDAlignButton { udLeft, udRight };
enum TUDOrientation { udHorizontal, udVertical };
enum TUDBtnType { btNext, btPrev };

// Two arrow buttons that step Position between Min and Max; an associated
// control shows the position as its text.
class TUpDown : public TWinControl {
public:
    explicit TUpDown(TComponent* AOwner);

    Integer Min() const { return FMin; }
    void SetMin(Integer Value);
    Integer Max() const { return FMax; }
    void SetMax(Integer Value);
    Integer Position() const { return FPosition; }
    void SetPosition(Integer Value);
    Integer Increment() const { return FIncrement; }
    void SetIncrement(Integer Value) { FIncrement = Value; }
    bool Wrap() const { return FWrap; }
    void SetWrap(bool Value) { FWrap = Value; }
    bool Thousands() const { return FThousands; }
    void SetThousands(bool Value);
    TUDOrientation Orientation() const { return FOrientation; }
    void SetOrientation(TUDOrientation Value);
    TUDAlignButton AlignButton() const { return FAlignButton; }
    void SetAlignButton(TUDAlignButton Value);
    TWinControl* Associate() const { return FAssociate; }
    void SetAssociate(TWinControl* Value);

    // What a click on the up (btNext) or down (btPrev) button does.
    void ClickButton(TUDBtnType Button);

    std::function<void(TObject* Sender, TUDBtnType Button)> OnClick;
    std::function<void(TObject* Sender, bool& AllowChange)> OnChanging;

    void Notification(TComponent* AComponent, TOperation Operation) override;

protected:
    void WidgetResized() override;
    void PlaceWidget() override;

private:
    void UpdateAssociate();
    void LayoutButtons();

    Integer FMin = 0;
    Integer FMax = 100;
    Integer FPosition = 0;
    Integer FIncrement = 1;
    bool FWrap = false;
    bool FThousands = true;
    TUDOrientation FOrientation = udVertical;
    TUDAlignButton FAlignButton = udRight;
    TWinControl* FAssociate = nullptr;
    QToolButton* FUp = nullptr;
    QToolButton* FDown = nullptr;
};

// ---------------------------------------------------------------------------
// Track bar

class QSlider;

enum TTrackBarOrientation { trHorizontal, trVertical };

// The platform's track bar over Qt's slider: Position between Min and Max,
// ticks every Frequency, PageSize for Page Up and Page Down and clicks
// beside the thumb. A minimum above the maximum and a maximum below the
// minimum are refused; the position stays inside the range. OnChange
// follows every change of the position, by the user or the program.
class TTrackBar : public TWinControl {
public:
    explicit TTrackBar(TComponent* AOwner);

    Integer Min() const { return FMin; }
    void SetMin(Integer Value);
    Integer Max() const { return FMax; }
    void SetMax(Integer Value);
    Integer Position() const;
    void SetPosition(Integer Value);
    Integer Frequency() const { return FFrequency; }
    void SetFrequency(Integer Value);
    Integer PageSize() const { return FPageSize; }
    void SetPageSize(Integer Value);
    TTrackBarOrientation Orientation() const { return FOrientation; }
    void SetOrientation(TTrackBarOrientation Value);

    TNotifyEvent OnChange;

protected:
    virtual void Changed();

private:
    QSlider* Slider() const;
    void ApplyRange();

    Integer FMin = 0;
    Integer FMax = 10;
    Integer FFrequency = 1;
    Integer FPageSize = 2;
    TTrackBarOrientation FOrientation = trHorizontal;
};

// ---------------------------------------------------------------------------
// Date-time picker

enum TDateTimeKind { dtkDate, dtkTime };
// A date picked from the calendar pop-up or stepped with up and down buttons.
enum TDTDateMode { dmComboBox, dmUpDown };

// The picker's messages and notifications.
enum : Cardinal { DTM_FIRST = 0x1000, DTM_GETSYSTEMTIME = DTM_FIRST + 1, DTM_SETSYSTEMTIME = DTM_FIRST + 2 };
// DTM_SETSYSTEMTIME (WParam) and the change notification (dwFlags): a
// value, or none (an unchecked picker).
enum : DWORD { GDT_VALID = 0, GDT_NONE = 1 };
enum : Integer {
    DTN_FIRST = -760, DTN_DATETIMECHANGE = DTN_FIRST + 1, DTN_DROPDOWN = DTN_FIRST + 6,
    DTN_CLOSEUP = DTN_FIRST + 7,
};
struct TNMDateTimeChange {
    TNMHdr nmhdr;
    DWORD dwFlags = GDT_VALID;
    TSystemTime st;
};

// The Qt display format of a picker format: d dd ddd dddd (day), M MM MMM
// MMMM (month), y yy (two-digit year) yyy yyyy (year), h hh (12-hour), H HH,
// m mm (minute), s ss, t tt (AM/PM), 'text'; other characters are text, also
// letters Qt would read as fields.
String PickerFormatToQt(const String& Format);
// A date or time pattern of the framework's format settings (d m y, h n s,
// am/pm, "/" and ":") as a picker format.
String PatternToPickerFormat(const String& Pattern, const TFormatSettings& Settings);

// The platform's date-time picker over Qt's date-time edit: a date with its
// calendar pop-up, or a time with up and down buttons. With ShowCheckbox a
// check box stands before the fields, and while it is unchecked the fields
// are grey and take no input. The user's changes arrive as the notification
// DTN_DATETIMECHANGE (CN_NOTIFY; GDT_NONE while unchecked), which raises
// OnChange; values set by the program raise nothing, as with the platform's
// picker. DateTime writes go through DTM_SETSYSTEMTIME.
class TDateTimePicker : public TWinControl {
public:
    explicit TDateTimePicker(TComponent* AOwner);
    ~TDateTimePicker() override;

    TDateTimeKind Kind() const { return FKind; }
    void SetKind(TDateTimeKind Value);
    TDTDateMode DateMode() const { return FDateMode; }
    void SetDateMode(TDTDateMode Value);
    // Empty: the short date format (dates) or the long time format (times)
    // of FormatSettings.
    const String& Format() const { return FFormat; }
    void SetFormat(const String& Value);
    TDateTime DateTime() const { return FDateTime; }
    virtual void SetDateTime(TDateTime Value);
    // The day; setting it keeps the time of day.
    TDateTime Date() const;
    void SetDate(TDateTime Value);
    // The time of day; setting it keeps the day.
    TDateTime Time() const;
    void SetTime(TDateTime Value);
    // The range the user may pick from; 0 is no bound.
    TDateTime MinDate() const { return FMinDate; }
    void SetMinDate(TDateTime Value) { FMinDate = Value; }
    TDateTime MaxDate() const { return FMaxDate; }
    void SetMaxDate(TDateTime Value) { FMaxDate = Value; }
    bool ShowCheckbox() const { return FShowCheckbox; }
    void SetShowCheckbox(bool Value);
    bool Checked() const { return FChecked; }
    void SetChecked(bool Value);
    // The calendar is shown.
    bool DroppedDown() const;

    TNotifyEvent OnChange;
    TNotifyEvent OnDropDown;
    TNotifyEvent OnCloseUp;

    QDateTimeEdit* DateTimeEdit() const;
    // The check box widget; null without ShowCheckbox.
    QWidget* CheckBoxWidget() const;

    void Dispatch(TMessage& Message) override;

protected:
    virtual void Change();
    virtual void DropDown();
    virtual void CloseUp();
    virtual void CNNotify(TWMNotify& Message);
    // DTM_SETSYSTEMTIME: GDT_VALID with a TSystemTime* shows that value
    // (and checks the box), GDT_NONE unchecks.
    virtual void DTMSetSystemTime(TMessage& Message);
    // The text the fields show.
    String GetText() const override;
    void WMGetDlgCode(TWMGetDlgCode& Message) override;
    void ApplyFocusPolicy() override;
    void ApplyColor() override;

private:
    TDateTime FMinDate = 0;
    TDateTime FMaxDate = 0;
    friend class TPickerBridge;
    void ApplyFormat();
    void ApplyChecked();
    void Notify(Integer Code, DWORD Flags = GDT_VALID);
    void UserChangedValue();
    void UserToggledCheckBox(bool Value);

    TDateTimeKind FKind = dtkDate;
    TDTDateMode FDateMode = dmComboBox;
    String FFormat;
    TDateTime FDateTime = 0;
    bool FShowCheckbox = false;
    bool FChecked = true;
    bool FSettingValue = false;
};

// ---------------------------------------------------------------------------
// Rich edit

class QTextEdit;
class TCustomRichEdit;
struct TRichDocument;

// The rich edit's messages and notifications. EM_SETCHARFORMAT and
// EM_GETCHARFORMAT take SCF_SELECTION (or SCF_ALL) and a TCharFormat*;
// EM_REQUESTRESIZE asks for the EN_REQUESTRESIZE notification now.
enum : Cardinal { EM_GETCHARFORMAT = WM_USER + 58, EM_REQUESTRESIZE = WM_USER + 65, EM_SETCHARFORMAT = WM_USER + 68 };
enum : WPARAM { SCF_SELECTION = 1, SCF_ALL = 4 };
enum : DWORD {
    CFM_BOLD = 0x1, CFM_ITALIC = 0x2, CFM_UNDERLINE = 0x4, CFM_STRIKEOUT = 0x8, CFM_OFFSET = 0x10000000,
    CFM_COLOR = 0x40000000, CFM_SIZE = 0x80000000,
};
enum : DWORD { CFE_BOLD = 0x1, CFE_ITALIC = 0x2, CFE_UNDERLINE = 0x4, CFE_STRIKEOUT = 0x8 };
enum : Integer { EN_REQUESTRESIZE = 0x0701, EN_SELCHANGE = 0x0702 };

// The character format of EM_SETCHARFORMAT and EM_GETCHARFORMAT: dwMask
// names the members that count. The offset is in twips: above 0 is
// superscript, below 0 subscript; it reads back as -40, 0 or +40.
struct TCharFormat {
    DWORD dwMask = 0;
    DWORD dwEffects = 0;
    // Twips.
    LongInt yHeight = 0;
    LongInt yOffset = 0;
    // clNone: the automatic colour.
    TColor crTextColor = clNone;
};

// The size the content needs, sent with EN_REQUESTRESIZE.
struct TReqResize {
    TNMHdr nmhdr;
    TRect rc;
};

// The rich edit's lines; the streams carry RTF unless PlainText is set.
class TRichEditStrings : public TTextDocumentStrings {
public:
    explicit TRichEditStrings(TCustomRichEdit* AEdit) : FEdit(AEdit) {}

    // RTF that cannot be read is taken as far as it goes.
    void LoadFromStream(TStream* Stream);
    void SaveToStream(TStream* Stream) const;

protected:
    QTextDocument* Doc() const override;

private:
    TCustomRichEdit* FEdit;
};

using TRichEditResizeEvent = std::function<void(TObject* Sender, TRect Rect)>;

// A multi-line edit of formatted text over Qt's text edit (rtl/RichText.h
// holds the formats and the RTF). The size the content needs is told as
// EN_REQUESTRESIZE (WM_NOTIFY to the parent, which reflects it back as
// CN_NOTIFY; at once without a parent) whenever it changes and on
// EM_REQUESTRESIZE: the document's natural width, or the edit's width
// while the edit wraps, and its height.
class TCustomRichEdit : public TWinControl {
public:
    explicit TCustomRichEdit(TComponent* AOwner);
    ~TCustomRichEdit() override;

    TRichEditStrings* Lines() const { return FLines.get(); }
    void SetLines(TStrings* Value);
    // The streams of Lines carry plain text.
    bool PlainText() const { return FPlainText; }
    void SetPlainText(bool Value) { FPlainText = Value; }
    TScrollStyle ScrollBars() const { return FScrollBars; }
    void SetScrollBars(TScrollStyle Value);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool Value);
    bool WantReturns() const { return FWantReturns; }
    void SetWantReturns(bool Value) { FWantReturns = Value; }
    bool WantTabs() const { return FWantTabs; }
    void SetWantTabs(bool Value) { FWantTabs = Value; }
    bool ReadOnly() const;
    void SetReadOnly(bool Value);
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle Value);

    void SelectAll();
    void Clear();
    Integer SelStart() const;
    void SetSelStart(Integer Value);
    Integer SelLength() const;
    void SetSelLength(Integer Value);
    String SelText() const;

    // The whole content and back.
    TRichDocument Document() const;
    void SetDocument(const TRichDocument& Doc);
    // Paints the content into Rect of Canvas (clipped to it), at the
    // width of Rect.
    void PaintTo(TCanvas* Canvas, const TRect& Rect);

    TNotifyEvent OnChange;
    TNotifyEvent OnSelectionChange;
    TRichEditResizeEvent OnResizeRequest;

    QTextEdit* RichTextEdit() const;

    void Dispatch(TMessage& Message) override;

protected:
    virtual void Change();
    virtual void SelectionChange();
    virtual void RequestSize(const TRect& Rect);
    // EN_REQUESTRESIZE runs RequestSize.
    virtual void CNNotify(TWMNotify& Message);
    String GetText() const override;
    void TextChanged() override;
    void WMGetDlgCode(TWMGetDlgCode& Message) override;
    void WMChar(TWMKey& Message) override;
    void ApplyFocusPolicy() override;
    void ApplyColor() override;

private:
    void NotifyRequestSize();
    void SetCharFormat(WPARAM Scope, const TCharFormat& Format);
    void GetCharFormat(TCharFormat& Format) const;

    std::unique_ptr<TRichEditStrings> FLines;
    bool FPlainText = false;
    TScrollStyle FScrollBars = ssBoth;
    bool FWordWrap = true;
    bool FWantReturns = true;
    bool FWantTabs = false;
    TBorderStyle FBorderStyle = bsSingle;
};

class TRichEdit : public TCustomRichEdit {
public:
    explicit TRichEdit(TComponent* AOwner) : TCustomRichEdit(AOwner) {}
};
