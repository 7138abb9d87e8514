#pragma once
// The string grid's filter drop-down lists and the window that never takes
// the focus (the translucent picture of a selection shows in it).
#include "rtl/Forms.h"
#include "rtl/StdCtrls.h"

#include <functional>

class TExStringGrid;

// A drop-down entry "name=condition", or one text that is both: the name
// and the condition.
String EntryName(const String& Entry);
String EntryCondition(const String& Entry);

using TDropSelectEvent = std::function<void(TObject* Sender, Integer ItemIndex)>;

// The single-choice list: Enter and every mouse release over the items hide
// it and report the selected entry.
class TDropList : public TListBox {
public:
    // AGrid owns the list and is its parent.
    explicit TDropList(TExStringGrid* AGrid);

    TDropSelectEvent OnSelect;

protected:
    void KeyDown(Word& Key, TShiftState Shift) override;
    // Outside the list, the drop-down closes.
    void WMCancelMode(TMessage& Message) override;

private:
    void Choose();

    TExStringGrid* FGrid;
};

// The check list: every toggled check mark reports OnSelect with -1.
class TDropCheckList : public TCheckListBox {
public:
    explicit TDropCheckList(TExStringGrid* AGrid);

    TDropSelectEvent OnSelect;

protected:
    void ClickCheck() override;
    void WMCancelMode(TMessage& Message) override;

private:
    TExStringGrid* FGrid;
};

// A frameless window that never becomes active nor takes the focus, shown
// at 192/255 opacity, so that no window loses its activation to it.
class TNoActiveForm : public TForm {
public:
    explicit TNoActiveForm(TComponent* AOwner);
};
