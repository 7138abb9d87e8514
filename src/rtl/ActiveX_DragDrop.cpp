// Drag and drop of the design's interfaces over Qt's.
#include "rtl/ActiveX.h"

#include "rtl/ControlBridge.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QDrag>
#include <QDropEvent>
#include <QMimeData>
#include <QPointer>

namespace {

// A window's drop target, kept as a child of the window's widget so that
// it goes with it.
class TDropRegistration final : public QObject {
public:
    TDropRegistration(QWidget* Window, IDropTarget* ATarget) : QObject(Window), Target(ATarget) {}
    TInterfacePtr<IDropTarget> Target;
};

TDropRegistration* RegistrationOf(QWidget* Window)
{
    if (Window)
        for (QObject* Child : Window->children())
            if (auto* R = dynamic_cast<TDropRegistration*>(Child))
                return R;
    return nullptr;
}

// Qt delivers drags of a scroll area to its viewport.
void SetAcceptDrops(QWidget* Window, bool Accept)
{
    Window->setAcceptDrops(Accept);
    if (auto* Area = qobject_cast<QAbstractScrollArea*>(Window))
        Area->viewport()->setAcceptDrops(Accept);
}

DWORD EffectsOfActions(Qt::DropActions Actions)
{
    DWORD Effects = DROPEFFECT_NONE;
    if (Actions & Qt::CopyAction)
        Effects |= DROPEFFECT_COPY;
    if (Actions & Qt::MoveAction)
        Effects |= DROPEFFECT_MOVE;
    if (Actions & Qt::LinkAction)
        Effects |= DROPEFFECT_LINK;
    return Effects;
}

Qt::DropActions ActionsOfEffects(DWORD Effects)
{
    Qt::DropActions Actions = Qt::IgnoreAction;
    if (Effects & DROPEFFECT_COPY)
        Actions |= Qt::CopyAction;
    if (Effects & DROPEFFECT_MOVE)
        Actions |= Qt::MoveAction;
    if (Effects & DROPEFFECT_LINK)
        Actions |= Qt::LinkAction;
    return Actions;
}

// The one action of a target's answer (move before copy before link).
Qt::DropAction ActionOfEffect(DWORD Effect)
{
    const Qt::DropActions Actions = ActionsOfEffects(Effect);
    for (const Qt::DropAction A : {Qt::MoveAction, Qt::CopyAction, Qt::LinkAction})
        if (Actions & A)
            return A;
    return Qt::IgnoreAction;
}

void AnswerDragEvent(QDropEvent* Event, DWORD Effect)
{
    Event->setDropAction(ActionOfEffect(Effect));
    Event->setAccepted(Effect != DROPEFFECT_NONE);
}

TInterfacePtr<IDataObject> DataObjectOfEvent(const QDropEvent* Event)
{
    const QMimeData Empty;
    return DataObjectOfMimeData(Event->mimeData() ? *Event->mimeData() : Empty);
}

TDragLoop& DragLoopHook()
{
    static TDragLoop Loop;
    return Loop;
}

HRESULT QtDragLoop(IDataObject* DataObj, IDropSource* Source, DWORD OkEffects, DWORD& Effect)
{
    // Qt frees the drag object when the drag is over.
    auto* Drag = new QDrag(QApplication::instance());
    Drag->setMimeData(MimeDataOfDataObject(DataObj).release());
    const TInterfacePtr<IDropSource> Keep(Source);
    const QMetaObject::Connection Feedback =
        QObject::connect(Drag, &QDrag::actionChanged, [Source](Qt::DropAction Action) {
            GuardEvent(nullptr, [&] { Source->GiveFeedback(EffectsOfActions(Action)); });
        });
    const Qt::DropActions Allowed = ActionsOfEffects(OkEffects);
    const Qt::DropAction Taken = Drag->exec(Allowed, ActionOfEffect(OkEffects));
    QObject::disconnect(Feedback);
    // Qt does not tell Escape from a drop refused: a button still held means
    // the drag was broken off.
    const Qt::MouseButtons Buttons = QGuiApplication::mouseButtons();
    const bool EscapePressed = Taken == Qt::IgnoreAction && (Buttons & Qt::LeftButton);
    const HRESULT Answer =
        Source->QueryContinueDrag(EscapePressed, MouseKeys(Buttons, QGuiApplication::keyboardModifiers()));
    Effect = EffectsOfActions(Taken);
    return Answer == DRAGDROP_S_DROP && Taken != Qt::IgnoreAction ? DRAGDROP_S_DROP : DRAGDROP_S_CANCEL;
}

} // namespace

HRESULT RegisterDragDrop(HWND Wnd, IDropTarget* Target)
{
    if (!Wnd)
        return DRAGDROP_E_INVALIDHWND;
    if (!Target)
        return E_INVALIDARG;
    if (RegistrationOf(Wnd))
        return DRAGDROP_E_ALREADYREGISTERED;
    new TDropRegistration(Wnd, Target);
    SetAcceptDrops(Wnd, true);
    return S_OK;
}

HRESULT RevokeDragDrop(HWND Wnd)
{
    TDropRegistration* Registration = RegistrationOf(Wnd);
    if (!Registration)
        return DRAGDROP_E_NOTREGISTERED;
    delete Registration;
    SetAcceptDrops(Wnd, false);
    return S_OK;
}

bool DeliverDragEvent(TControl* Control, QEvent* Event)
{
    const TDropRegistration* Registration = RegistrationOf(Control->Handle());
    if (!Registration)
        return false;
    // The target stays while it works, even when it revokes itself.
    const TInterfacePtr<IDropTarget> Target = Registration->Target;
    if (Event->type() == QEvent::DragLeave) {
        Target->DragLeave();
        Event->accept();
        return true;
    }
    auto* E = static_cast<QDropEvent*>(Event);
    const DWORD KeyState = MouseKeys(E->buttons(), E->modifiers());
    const QPoint Screen = Control->Handle()->mapToGlobal(E->position().toPoint());
    const TPoint Pt(Screen.x(), Screen.y());
    DWORD Effect = EffectsOfActions(E->possibleActions());
    switch (Event->type()) {
    case QEvent::DragEnter:
        Target->DragEnter(DataObjectOfEvent(E).get(), KeyState, Pt, Effect);
        break;
    case QEvent::DragMove:
        Target->DragOver(KeyState, Pt, Effect);
        break;
    default:
        Target->Drop(DataObjectOfEvent(E).get(), KeyState, Pt, Effect);
        break;
    }
    AnswerDragEvent(E, Effect);
    return true;
}

HRESULT DoDragDrop(IDataObject* DataObj, IDropSource* Source, DWORD OkEffects, DWORD& Effect)
{
    Effect = DROPEFFECT_NONE;
    if (!DataObj || !Source)
        return E_INVALIDARG;
    const TDragLoop& Loop = DragLoopHook();
    return Loop ? Loop(DataObj, Source, OkEffects, Effect) : QtDragLoop(DataObj, Source, OkEffects, Effect);
}

void SetDragLoop(TDragLoop Loop)
{
    DragLoopHook() = std::move(Loop);
}
