#pragma once
// The glue between a Qt widget and the control that owns it. Only the
// control units include this header.
#include "rtl/Controls.h"

#include <QCursor>
#include <QEvent>
#include <QPalette>
#include <QWidget>

// Sets a palette colour for the enabled states only, so that a disabled
// widget keeps the platform's disabled look.
void SetEnabledPaletteColor(QPalette& P, QPalette::ColorRole Role, const QColor& C);
// The background of an edit's text; clNone and clDefault change nothing.
void SetBaseColor(QWidget* W, TColor Color);

// Carried by every widget a control owns, so events and lookups find the
// control. The control clears it before the widget goes away.
class TWidgetLink {
public:
    virtual ~TWidgetLink() = default;
    TControl* Control = nullptr;
    // What the widget class itself does with the event.
    virtual bool BaseEvent(QEvent* Event) = 0;
    virtual void BasePaint(QPaintEvent* Event) = 0;
};

template <class W>
class TBridge : public W, public TWidgetLink {
public:
    using W::W;

    bool BaseEvent(QEvent* Event) override { return W::event(Event); }
    void BasePaint(QPaintEvent* Event) override { W::paintEvent(Event); }

protected:
    bool event(QEvent* Event) override
    {
        return Control ? Control->WidgetEvent(Event) : W::event(Event);
    }
    void paintEvent(QPaintEvent* Event) override
    {
        if (!Control || !Control->WidgetPaint(Event))
            W::paintEvent(Event);
    }
};

// The application's hint handling, told of the pointer and the keyboard.
void ApplicationHintEnter(TControl* Control);
void ApplicationHintLeave(TControl* Control);
void ApplicationHintCancel();
void ApplicationHintControlGone(TControl* Control);

// The Qt key of a virtual key code and back (0 when there is none).
Word QtKeyToVirtualKey(int QtKey);

// A cursor of the screen's table for a positive number, else the standard one.
QCursor CursorOf(TCursor Cursor);

// The MK_ key flags of mouse buttons and keyboard modifiers.
Word MouseKeys(Qt::MouseButtons Buttons, Qt::KeyboardModifiers Mods);

// Hands a drag enter, move, leave or drop event of the control's widget to
// the drop target registered for it (ActiveX.h); false when there is none.
bool DeliverDragEvent(TControl* Control, QEvent* Event);
