#pragma once
// Panels, shapes, images, bevels, splitters, timers and link labels.
#include "rtl/Controls.h"

#include <memory>

class QLabel;
class QTimer;

enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };
using TPanelBevel = TBevelCut;
enum TBevelStyle { bsLowered, bsRaised };
enum TBevelShape { bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer };
enum TShapeType { stRectangle, stSquare, stRoundRect, stRoundSquare, stEllipse, stCircle };
enum TSysLinkType { sltURL, sltID };
enum TResizeStyle { rsNone, rsLine, rsUpdate, rsPattern };

using TSysLinkEvent = std::function<void(TObject* Sender, const String& Link, TSysLinkType LinkType)>;
using TCanResizeEvent = std::function<void(TObject* Sender, Integer& NewSize, bool& Accept)>;

// Draws a 3D frame of Width lines inside Rect and leaves Rect inside it.
void Frame3D(TCanvas* Canvas, TRect& Rect, TColor TopColor, TColor BottomColor, Integer Width);

class TCustomPanel : public TCustomControl {
public:
    explicit TCustomPanel(TComponent* AOwner);

    TPanelBevel BevelOuter() const { return FBevelOuter; }
    void SetBevelOuter(TPanelBevel Value);
    TPanelBevel BevelInner() const { return FBevelInner; }
    void SetBevelInner(TPanelBevel Value);
    Integer BevelWidth() const { return FBevelWidth; }
    void SetBevelWidth(Integer Value);
    Integer BorderWidth() const { return FBorderWidth; }
    void SetBorderWidth(Integer Value);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    TVerticalAlignment VerticalAlignment() const { return FVerticalAlignment; }
    void SetVerticalAlignment(TVerticalAlignment Value);
    bool ShowCaption() const { return FShowCaption; }
    void SetShowCaption(bool Value);
    bool FullRepaint() const { return FFullRepaint; }
    void SetFullRepaint(bool Value) { FFullRepaint = Value; }

    void AdjustClientRect(TRect& Rect) override;

protected:
    void Paint() override;

private:
    void Relayout();

    TPanelBevel FBevelOuter = bvRaised;
    TPanelBevel FBevelInner = bvNone;
    Integer FBevelWidth = 1;
    Integer FBorderWidth = 0;
    TAlignment FAlignment = taCenter;
    TVerticalAlignment FVerticalAlignment = taVerticalCenter;
    bool FShowCaption = true;
    bool FFullRepaint = true;
};

class TPanel : public TCustomPanel {
public:
    explicit TPanel(TComponent* AOwner) : TCustomPanel(AOwner) {}
};

class TShape : public TGraphicControl {
public:
    explicit TShape(TComponent* AOwner);
    ~TShape() override;

    TPen* Pen() const { return FPen.get(); }
    void SetPen(TPen* Value) { FPen->Assign(Value); }
    TBrush* Brush() const { return FBrush.get(); }
    void SetBrush(TBrush* Value) { FBrush->Assign(Value); }
    TShapeType Shape() const { return FShape; }
    void SetShape(TShapeType Value);

protected:
    void Paint() override;

private:
    std::unique_ptr<TPen> FPen;
    std::unique_ptr<TBrush> FBrush;
    TShapeType FShape = stRectangle;
};

class TImage : public TGraphicControl {
public:
    explicit TImage(TComponent* AOwner);
    ~TImage() override;

    TPicture* Picture() const { return FPicture.get(); }
    void SetPicture(TPicture* Value) { FPicture->Assign(Value); }
    bool Stretch() const { return FStretch; }
    void SetStretch(bool Value);
    bool Center() const { return FCenter; }
    void SetCenter(bool Value);
    bool Proportional() const { return FProportional; }
    void SetProportional(bool Value);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool Value);
    // Where the picture is drawn in the client area.
    TRect DestRect() const;

protected:
    void Paint() override;
    bool CanAutoSize(Integer& NewWidth, Integer& NewHeight) override;

private:
    void PictureChanged();

    std::unique_ptr<TPicture> FPicture;
    bool FStretch = false;
    bool FCenter = false;
    bool FProportional = false;
    bool FTransparent = false;
};

class TBevel : public TGraphicControl {
public:
    explicit TBevel(TComponent* AOwner);

    TBevelShape Shape() const { return FShape; }
    void SetShape(TBevelShape Value);
    TBevelStyle Style() const { return FStyle; }
    void SetStyle(TBevelStyle Value);

protected:
    void Paint() override;

private:
    TBevelShape FShape = bsBox;
    TBevelStyle FStyle = bsLowered;
};

// Dragging it resizes the control aligned to the same side just before it.
class TSplitter : public TGraphicControl {
public:
    explicit TSplitter(TComponent* AOwner);

    Integer MinSize() const { return FMinSize; }
    void SetMinSize(Integer Value) { FMinSize = Value; }
    TResizeStyle ResizeStyle() const { return FResizeStyle; }
    void SetResizeStyle(TResizeStyle Value) { FResizeStyle = Value; }
    // The control it resizes (found when dragging starts).
    TControl* ResizeControl() const { return FControl; }

    TNotifyEvent OnMoved;
    TCanResizeEvent OnCanResize;

protected:
    void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void Paint() override;

private:
    TControl* FindResizeControl() const;

    Integer FMinSize = 30;
    TResizeStyle FResizeStyle = rsPattern;
    TControl* FControl = nullptr;
    TPoint FDownPos;
    Integer FStartSize = 0;
    bool FDragging = false;
};

// Raises OnTimer every Interval milliseconds while Enabled and Interval > 0.
class TTimer : public TComponent {
public:
    explicit TTimer(TComponent* AOwner);
    ~TTimer() override;

    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value);
    Cardinal Interval() const { return FInterval; }
    void SetInterval(Cardinal Value);

    TNotifyEvent OnTimer;

protected:
    virtual void Timer();

private:
    void UpdateTimer();

    QTimer* FTimer;
    bool FEnabled = true;
    Cardinal FInterval = 1000;
    bool FFiring = false;
    std::shared_ptr<bool> FAlive = std::make_shared<bool>(true);
};

// A caption with <a href="address">text</a> (or <a id="...">) anchors; a
// click on one hands its address to OnLinkClick.
class TLinkLabel : public TWinControl {
public:
    explicit TLinkLabel(TComponent* AOwner);

    TSysLinkEvent OnLinkClick;

    // The anchors of the caption (address, link type), in order.
    std::vector<std::pair<String, TSysLinkType>> Links() const;
    // What clicking the anchor Index does.
    void ClickLink(Integer Index);

protected:
    virtual void DoOnLinkClick(const String& Link, TSysLinkType LinkType);
    String GetText() const override { return FText; }
    void TextChanged() override;
    bool CanAutoSize(Integer& NewWidth, Integer& NewHeight) override;
    void ApplyColor() override;
};
