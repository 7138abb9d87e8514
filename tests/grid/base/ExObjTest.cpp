#include "grid/base/ExObj.h"

#include <gtest/gtest.h>

#include <type_traits>

// Ordinals that stored files and later units rely on.
static_assert(edNormal == 0 && edComboEdit == 2 && edComboList == 3 && edDataCheckBox == 10);
static_assert(edNone == 27 && edDateTimeEdit == 28 && edMaskEditBtn == 42);
static_assert(ssAlphaNumericNoCase == 19 && acSTDDEV == 9 && ssOffice2007 == 3);
static_assert(hcNormal == 0 && hcSelected == 2);

TEST(ExObj, EveryEnumerationHasItsWholeNameTableInDeclarationOrder)
{
    struct TCase {
        const TEnumTypeInfo& Info;
        const char* TypeName;
        Integer Count;
        const char* Last;
    };
    const TCase Cases[] = {
        {EnumTypeInfo(edNormal), "TEditorType", 43, "edMaskEditBtn"},
        {EnumTypeInfo(vtaTop), "TVAlignment", 3, "vtaBottom"},
        {EnumTypeInfo(cbTop), "TCellBorder", 4, "cbBottom"},
        {EnumTypeInfo(GradientVertical), "TCellGradientDirection", 2, "GradientHorizontal"},
        {EnumTypeInfo(ssDefault), "TGridSelectionStyle", 4, "ssOffice2007"},
        {EnumTypeInfo(hcNormal), "THoverRowCell", 3, "hcSelected"},
        {EnumTypeInfo(acNONE), "TColumnCalcType", 10, "acSTDDEV"},
        {EnumTypeInfo(ssAutomatic), "TSortStyle", 20, "ssAlphaNumericNoCase"},
        {EnumTypeInfo(adLeftRight), "TAdvanceDirection", 4, "adTopBottomInCol"},
        {EnumTypeInfo(caDefault), "TCursorAdvance", 3, "caLoop"},
        {EnumTypeInfo(pInsertBefore), "TInsertPosition", 2, "pInsertAfter"},
        {EnumTypeInfo(heFirstLastColumn), "THomeEndAction", 3, "heFirstLastCell"},
        {EnumTypeInfo(paReplace), "TClipboardPasteAction", 2, "paInsert"},
        {EnumTypeInfo(sdTopBottom), "TSearchDirection", 2, "sdLeftRight"},
        {EnumTypeInfo(fceNone), "TGridFixedCellEdit", 4, "fceRightClick"},
        {EnumTypeInfo(fceEdit), "TGridFixedCellEditor", 3, "fceComboList"},
        {EnumTypeInfo(waMoveSelection), "TWheelAction", 2, "waScroll"},
        {EnumTypeInfo(arrUp), "TArrowDirection", 4, "arrRight"},
        {EnumTypeInfo(tasButton), "TExGridButtonStyle", 2, "tasCheck"},
        {EnumTypeInfo(dfText), "TDropFormat", 6, "dfGridCells"},
    };
    for (const TCase& C : Cases) {
        SCOPED_TRACE(C.TypeName);
        EXPECT_EQ(C.Info.TypeName(), C.TypeName);
        EXPECT_EQ(C.Info.Count(), C.Count);
        EXPECT_EQ(GetEnumName(C.Info, C.Count - 1), C.Last);
    }
    EXPECT_EQ(GetEnumName(edDataCheckBox), "edDataCheckBox");
    EXPECT_EQ(GetEnumValue<TEditorType>("edNone"), edNone);
    EXPECT_EQ(GetEnumName(ssAlphaNumericNoCase), "ssAlphaNumericNoCase");
}

TEST(ExObj, HoverRowCellsStreamAsExactlyTheirNames)
{
    const THoverRowCells Cells{hcNormal, hcSelected};
    EXPECT_TRUE(Cells.Contains(hcNormal));
    EXPECT_FALSE(Cells.Contains(hcFixed));
    EXPECT_TRUE(Cells.Contains(hcSelected));
    const String Text = SetToString(Cells);
    EXPECT_EQ(Text, "[hcNormal,hcSelected]");
    EXPECT_EQ(StringToSet<THoverRowCells>(Text), Cells);
    EXPECT_EQ(SetToString(TDropFormats{dfGridCells, dfText}), "[dfText,dfGridCells]");
}

TEST(ExObj, CellEventsPassTheRowOrTheColumnFirstAsTheirKindSays)
{
    Integer First = -1, Second = -1;
    TClickCellEvent OnClickCell = [&](TObject*, Integer ARow, Integer ACol) { First = ARow, Second = ACol; };
    OnClickCell(nullptr, 5, 2);
    EXPECT_EQ(First, 5);
    EXPECT_EQ(Second, 2);

    TGetEditorTypeEvent OnGetEditorType = [](TObject*, Integer ACol, Integer, TEditorType& AEditor) {
        if (ACol == 2)
            AEditor = edComboList;
    };
    TEditorType Editor = edNormal;
    OnGetEditorType(nullptr, 2, 5, Editor);
    EXPECT_EQ(Editor, edComboList);
    OnGetEditorType(nullptr, 5, 2, Editor = edNormal);
    EXPECT_EQ(Editor, edNormal);

    static_assert(std::is_invocable_v<TExGridUndoRedoEvent, TObject*, TBaseGrid*, Integer, Integer, String, String>);
    static_assert(std::is_invocable_v<TGridAlignEvent, TObject*, Integer, Integer, TAlignment&, TVAlignment&>);
}
