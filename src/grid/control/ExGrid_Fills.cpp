// The string grid: fills, dates and times in cells, the cell checker run,
// the edit mask, the edit length and the writers of the look and behaviour
// settings.
#include "grid/control/ExGrid.h"

#include "grid/base/EsgHTMLE.h"
#include "grid/control/ExGrid_Editors.h"

#include <random>

// ---------------------------------------------------------------- fills

void TExStringGrid::ForFillRange(bool DoFixed, const std::function<String(Integer ACol, Integer ARow)>& Text)
{
    const Integer FromRow = DoFixed ? 0 : FixedRows();
    const Integer ToRow = DoFixed ? RowCount() - 1 : RowCount() - FFixedFooters - 1;
    const Integer FromCol = DoFixed ? 0 : FixedCols();
    const Integer ToCol = DoFixed ? ColCount() - 1 : ColCount() - FFixedRightCols - 1;
    for (Integer R = FromRow; R <= ToRow; ++R)
        for (Integer C = FromCol; C <= ToCol; ++C)
            SetCells(C, R, Text(C, R));
    CellsChanged();
}

void TExStringGrid::TextFill(bool DoFixed, const String& Txt)
{
    ForFillRange(DoFixed, [&Txt](Integer, Integer) { return Txt; });
}

void TExStringGrid::FormatFill(bool DoFixed, const String& Fmt)
{
    // Raises here, before a cell changes, when the pattern does not fit.
    Format(Fmt, {0, 0});
    ForFillRange(DoFixed, [&Fmt](Integer C, Integer R) { return Format(Fmt, {C, R}); });
}

void TExStringGrid::RandomFill(bool DoFixed, Integer Rnd)
{
    std::mt19937 Generator{std::random_device{}()};
    std::uniform_int_distribution<Integer> Values(0, std::max(Rnd - 1, 0));
    ForFillRange(DoFixed, [&](Integer, Integer) { return IntToStr(Values(Generator)); });
}

void TExStringGrid::LinearFill(bool DoFixed)
{
    ForFillRange(DoFixed, [](Integer C, Integer R) { return QStringLiteral("%1:%2").arg(C).arg(R); });
}

// ---------------------------------------------------------------- dates and times

void TExStringGrid::SetDates(Integer ACol, Integer ARow, TDateTime Value)
{
    SetCells(ACol, ARow, Value > 0 || FShowNullDates ? DateToStr(Value) : String());
}

TDateTime TExStringGrid::GetDates(Integer ACol, Integer ARow)
{
    return StrToDate(Cells(ACol, ARow));
}

void TExStringGrid::SetTimes(Integer ACol, Integer ARow, TDateTime Value)
{
    SetCells(ACol, ARow, TimeToStr(Value));
}

TDateTime TExStringGrid::GetTimes(Integer ACol, Integer ARow)
{
    return StrToTime(Cells(ACol, ARow));
}

// ---------------------------------------------------------------- cell checks

bool TExStringGrid::CheckCell(Integer ACol, Integer ARow)
{
    if (!FCellChecker)
        return true;
    const String S = UnMarkText(Cells(ACol, ARow));
    if (FCellChecker->GotoCell())
        MoveColRow(DisplColIndex(ACol), ARow, true, true);
    String V = S;
    if (FCellChecker->UseCorrect())
        V = FCellChecker->Correct(ACol, ARow, V);
    if (FCellChecker->UseMarkError())
        V = FCellChecker->MarkError(ACol, ARow, V);
    SetCells(ACol, ARow, V);
    return V == S;
}

bool TExStringGrid::CheckCells(Integer FromCol, Integer FromRow, Integer ToCol, Integer ToRow)
{
    if (!FCellChecker)
        return true;
    FCellChecker->StartCheck();
    const Integer OldRow = Row();
    const Integer OldCol = Col();
    bool Passed = true;
    for (Integer R = std::max(FromRow, 0); R <= std::min(ToRow, RowCount() - 1); ++R)
        for (Integer C = std::max(FromCol, 0); C <= std::min(ToCol, AllColCount() - 1); ++C)
            Passed = CheckCell(C, R) && Passed;
    FCellChecker->StopCheck();
    if (FCellChecker->GotoCell())
        MoveColRow(OldCol, OldRow, true, true);
    return Passed;
}

bool TExStringGrid::CheckCol(bool DoFixed, Integer ACol)
{
    return DoFixed ? CheckCells(ACol, 0, ACol, RowCount() - 1)
                   : CheckCells(ACol, FixedRows(), ACol, RowCount() - FFixedFooters - 1);
}

bool TExStringGrid::CheckRow(bool DoFixed, Integer ARow)
{
    return DoFixed ? CheckCells(0, ARow, ColCount() - 1, ARow)
                   : CheckCells(FixedCols(), ARow, ColCount() - FFixedRightCols - 1, ARow);
}

bool TExStringGrid::CheckGrid(bool DoFixed)
{
    return DoFixed ? CheckCells(0, 0, ColCount() - 1, RowCount() - 1)
                   : CheckCells(FixedCols(), FixedRows(), ColCount() - FFixedRightCols - 1,
                                RowCount() - FFixedFooters - 1);
}

// ---------------------------------------------------------------- edit mask, spreadsheet

String TExStringGrid::GetEditMask(Integer ACol, Integer ARow)
{
    String Value = FEditMask;
    if (OnGetEditMask)
        OnGetEditMask(this, ACol, ARow, Value);
    return Value;
}

void TExStringGrid::SetSpreadSheet(bool Value)
{
    FSpreadSheet = Value;
    SetSelectionRectangle(true);
    SetSelectionResizer(true);
    FNavigation->SetAllowSmartClipboard(true);
    SetOptions(Options() + goRangeSelect + goEditing);
    FMouseActions->SetRangeSelectAndEdit(true);
}

// ---------------------------------------------------------------- edit length

void TExStringGrid::SetMaxEditLength(Integer Value)
{
    FMaxEditLength = Value;
    if (TExInplaceEdit* Editor = NormalEdit())
        Editor->SetLengthLimit(Value);
}

TExInplaceEdit* TExStringGrid::NormalEdit() const
{
    return dynamic_cast<TExInplaceEdit*>(InplaceEditor());
}

// ---------------------------------------------------------------- look and behaviour writers

void TExStringGrid::SetHighlightColor(TColor Value)
{
    if (Value == FHighlightColor)
        return;
    FHighlightColor = Value;
    SetHTMLHighlightColors(FHighlightColor, FHighlightTextColor);
    Invalidate();
}

void TExStringGrid::SetHighlightTextColor(TColor Value)
{
    if (Value == FHighlightTextColor)
        return;
    FHighlightTextColor = Value;
    SetHTMLHighlightColors(FHighlightColor, FHighlightTextColor);
    Invalidate();
}

void TExStringGrid::SetBackGround(TBackGround* Value)
{
    FBackGround->Assign(Value);
    Invalidate();
}

void TExStringGrid::SetRowIndicator(TBitmap* Value)
{
    FRowIndicator->Assign(Value);
    RepaintCell(0, Row());
}

void TExStringGrid::SetBalloon(TBalloonSettings* Value)
{
    FBalloonSettings->Assign(Value);
}

void TExStringGrid::SetShowModified(TShowModified* Value)
{
    FShowModified->Assign(Value);
}

void TExStringGrid::SetProgressAppearance(TGridProgressAppearance* Value)
{
    FProgressAppearance->Assign(Value);
}

void TExStringGrid::SetSortSettings(TSortSettings* Value)
{
    FSortSettings->Assign(Value);
}

void TExStringGrid::SetDragScrollOptions(TDragScrollOptions* Value)
{
    FDragScrollOptions->Assign(Value);
}

void TExStringGrid::SetAutoThemeAdapt(bool Value)
{
    if (Value == FAutoThemeAdapt)
        return;
    FAutoThemeAdapt = Value;
    FSearchFooter->SetAutoThemeAdapt(Value);
    if (Value) {
        AdaptToOfficeTheme();
        Invalidate();
    }
    if (!HandleAllocated() || IsDesigning() || ComponentState().Contains(csLoading))
        return;
    TThemeNotifier* Notifier = GetThemeNotifier(this);
    if (Value)
        Notifier->RegisterWindow(Handle());
    else
        Notifier->UnRegisterWindow(Handle());
}

TColor TExStringGrid::ArrowColor() const
{
    return ArwU ? ArwU->Color() : clNone;
}

void TExStringGrid::SetArrowColor(TColor Value)
{
    for (TArrowWindow* Arrow : {ArwU, ArwD, ArwL, ArwR})
        if (Arrow)
            Arrow->SetColor(Value);
}
