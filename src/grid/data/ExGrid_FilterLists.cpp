// The filter drop-down lists and the window that never takes the focus.
#include "grid/data/ExGrid_FilterLists.h"

#include "grid/control/ExGrid.h"

#include <QEvent>
#include <QListWidget>
#include <QWidget>

#include <functional>
#include <utility>

namespace {

// Cancel mode closes a list only while the mouse is outside it; the grid
// then has no open drop-down column.
bool HidesOnCancelMode(TCustomListBox* List)
{
    const TPoint P = List->ScreenToClient(Mouse->CursorPos());
    if (PtInRect(List->ClientRect(), P))
        return false;
    List->SetVisible(false);
    return true;
}

constexpr Byte NoActiveFormAlpha = 192;

// The list's items take the mouse in the viewport: a release there runs
// Released once the press has chosen the item.
class TReleaseFilter : public QObject {
public:
    TReleaseFilter(QObject* Parent, std::function<void()> AReleased)
        : QObject(Parent), Released(std::move(AReleased))
    {
    }

protected:
    bool eventFilter(QObject*, QEvent* Event) override
    {
        if (Event->type() == QEvent::MouseButtonRelease)
            Released();
        return false;
    }

private:
    std::function<void()> Released;
};

} // namespace

// ---------------------------------------------------------------- TDropList

TDropList::TDropList(TExStringGrid* AGrid) : TListBox(AGrid), FGrid(AGrid)
{
    QWidget* Viewport = ListWidget()->viewport();
    Viewport->installEventFilter(new TReleaseFilter(Viewport, [this] { Choose(); }));
}

void TDropList::Choose()
{
    SetVisible(false);
    if (OnSelect)
        OnSelect(this, ItemIndex());
}

void TDropList::KeyDown(Word& Key, TShiftState Shift)
{
    TListBox::KeyDown(Key, Shift);
    if (Key == VK_RETURN)
        Choose();
}

void TDropList::WMCancelMode(TMessage& Message)
{
    TListBox::WMCancelMode(Message);
    if (HidesOnCancelMode(this))
        FGrid->FFilterCol = -1;
}

// ---------------------------------------------------------------- TDropCheckList

TDropCheckList::TDropCheckList(TExStringGrid* AGrid) : TCheckListBox(AGrid), FGrid(AGrid) {}

void TDropCheckList::ClickCheck()
{
    TCheckListBox::ClickCheck();
    if (OnSelect)
        OnSelect(this, -1);
}

void TDropCheckList::WMCancelMode(TMessage& Message)
{
    TCheckListBox::WMCancelMode(Message);
    if (HidesOnCancelMode(this))
        FGrid->FFilterCol = -1;
}

// ---------------------------------------------------------------- TNoActiveForm

TNoActiveForm::TNoActiveForm(TComponent* AOwner) : TForm(AOwner)
{
    QWidget* Window = Handle();
    Window->setWindowFlags(Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus);
    Window->setAttribute(Qt::WA_ShowWithoutActivating);
    Window->setWindowOpacity(NoActiveFormAlpha / 255.0);
}
