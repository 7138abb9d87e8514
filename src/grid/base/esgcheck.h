#pragma once
// The base of a cell checker a string grid can be given (its CellChecker):
// the grid drives a check through the four operations and the five flags;
// this base checks nothing and hands every text back unchanged.
#include "rtl/Classes.h"

class TExStringGridCheck : public TComponent {
public:
    explicit TExStringGridCheck(TComponent* AOwner);

    // The text with its errors marked by the mini-HTML error tag.
    virtual String MarkError(Integer ACol, Integer ARow, String S);
    // The corrected text.
    virtual String Correct(Integer ACol, Integer ARow, String S);
    // Before and after a range of cells is checked.
    virtual void StartCheck();
    virtual void StopCheck();

    // Correct runs on a validated cell's new text before the validation event.
    bool AutoCorrect() const { return FAutoCorrect; }
    void SetAutoCorrect(bool Value) { FAutoCorrect = Value; }
    // MarkError runs on a validated cell's text after the validation event.
    bool AutoMarkError() const { return FAutoMarkError; }
    void SetAutoMarkError(bool Value) { FAutoMarkError = Value; }
    // A range check visits each cell and comes back to where it began.
    bool GotoCell() const { return FGotoCell; }
    void SetGotoCell(bool Value) { FGotoCell = Value; }
    // A range check runs Correct, MarkError, on each cell.
    bool UseCorrect() const { return FUseCorrect; }
    void SetUseCorrect(bool Value) { FUseCorrect = Value; }
    bool UseMarkError() const { return FUseMarkError; }
    void SetUseMarkError(bool Value) { FUseMarkError = Value; }

private:
    bool FAutoCorrect = false;
    bool FAutoMarkError = false;
    bool FGotoCell = false;
    bool FUseCorrect = false;
    bool FUseMarkError = false;
};
