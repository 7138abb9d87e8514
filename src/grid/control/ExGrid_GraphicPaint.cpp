// The string grid: placing and drawing a cell's graphic, the check boxes
// and radio buttons of every control style, rotated text and the cell
// margins.
#include "grid/control/ExGrid_Paint.h"

#include "grid/base/GridResources.h"
#include "rtl/Themes.h"

#include <cmath>
#include <map>
#include <numbers>

Integer ClampPercent(Integer X)
{
    return std::clamp(X, 0, 100);
}

namespace {

bool IsCheckBoxKind(TCellType T)
{
    return T == ctCheckBox || T == ctDataCheckBox || T == ctVirtCheckBox || T == ctRowCheckBox ||
           T == ctRadioButton || T == ctTriStateCheckBox;
}

// Data, virtual and row boxes stand at the cell's edge whatever the text.
bool IsTextlessBoxKind(TCellType T)
{
    return T == ctDataCheckBox || T == ctVirtCheckBox || T == ctRowCheckBox;
}

bool GraphicThemesActive()
{
    return ThemeServices()->ThemesEnabled();
}

// The program's glyphs, loaded once, transparent by their corner colour;
// nullptr for a name that is no resource.
TBitmap* ResourceGlyph(const char* Name)
{
    static std::map<std::string, std::unique_ptr<TBitmap>> Cache;
    auto& Slot = Cache[Name];
    if (!Slot) {
        Init_Grid_Resources();
        Slot = std::make_unique<TBitmap>();
        try {
            Slot->LoadFromResourceName(QLatin1String(Name));
            Slot->SetTransparent(true);
        } catch (const Exception&) {
            Slot->SetWidth(0);
        }
    }
    return Slot->Empty() ? nullptr : Slot.get();
}

void DrawGlyph(TCanvas* Canvas, Integer X, Integer Y, TBitmap* Glyph)
{
    if (!Glyph || Glyph->Empty())
        return;
    Glyph->SetTransparent(true);
    Canvas->Draw(X, Y, Glyph);
}

void DrawResourceGlyph(TCanvas* Canvas, Integer X, Integer Y, const char* Name)
{
    DrawGlyph(Canvas, X, Y, ResourceGlyph(Name));
}

// The glyph of a state among four resources: checked enabled, unchecked
// enabled, checked disabled, unchecked disabled.
const char* FourStateName(const char* const (&Names)[4], bool Checked, bool Enabled)
{
    return Names[(Checked ? 0 : 1) + (Enabled ? 0 : 2)];
}

const char* const XPChecks[4] = {"ESGCHK05", "ESGCHK06", "ESGCHK07", "ESGCHK08"};
const char* const QVXChecks[4] = {"ESGCHK01", "ESGCHK02", "ESGCHK03", "ESGCHK04"};
const char* const XPRadios[4] = {"ESGRAD05", "ESGRAD06", "ESGRAD07", "ESGRAD08"};
const char* const QVXRadios[4] = {"ESGRAD01", "ESGRAD02", "ESGRAD03", "ESGRAD04"};

void GraphicLine(TCanvas* Canvas, Integer X1, Integer Y1, Integer X2, Integer Y2)
{
    Canvas->MoveTo(X1, Y1);
    Canvas->LineTo(X2, Y2);
}

void GraphicPolyline(TCanvas* Canvas, std::initializer_list<TPoint> Points)
{
    auto It = Points.begin();
    Canvas->MoveTo(It->X, It->Y);
    for (++It; It != Points.end(); ++It)
        Canvas->LineTo(It->X, It->Y);
}

void DrawBorlandCheck(TCanvas* Canvas, const TRect& R, bool Checked, bool Enabled, TColor MarkColor)
{
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(Enabled ? clBtnFace : clBtnShadow);
    Canvas->Pen()->SetColor(clBtnFace);
    Canvas->Pen()->SetWidth(1);
    Canvas->Rectangle(R);
    const Integer L = R.Left, T = R.Top, Rt = R.Right, B = R.Bottom;
    Canvas->Pen()->SetColor(clBtnHighlight);
    GraphicPolyline(Canvas, {{L, B}, {L, T}, {Rt, T}});
    Canvas->Pen()->SetColor(clBtnShadow);
    GraphicPolyline(Canvas, {{Rt, T}, {Rt, B}, {L, B}});
    if (!Checked)
        return;
    const Integer Half = (B - T) / 2;
    Canvas->Pen()->SetColor(Enabled ? MarkColor : clGray);
    GraphicLine(Canvas, L + 2, T + Half, L + 2, B - 2);
    GraphicLine(Canvas, L + 3, T - 1 + Half, L + 3, B - 3);
    GraphicLine(Canvas, L + 2, B - 2, Rt - 2, T + 2);
    GraphicLine(Canvas, L + 3, B - 2, Rt - 1, T + 2);
}

void DrawBorlandRadio(TCanvas* Canvas, Integer L, Integer T, bool Checked, TColor MarkColor)
{
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(clBtnFace);
    Canvas->Pen()->SetColor(clBtnFace);
    Canvas->Polygon({{L + 2, T + 8}, {L + 8, T + 2}, {L + 14, T + 8}, {L + 8, T + 14}});
    Canvas->Pen()->SetColor(Checked ? clGray : clWhite);
    GraphicPolyline(Canvas, {{L + 8, T + 14}, {L + 2, T + 8}, {L + 8, T + 2}});
    Canvas->Pen()->SetColor(Checked ? clWhite : clGray);
    GraphicPolyline(Canvas, {{L + 8, T + 2}, {L + 14, T + 8}, {L + 8, T + 14}});
    if (!Checked)
        return;
    Canvas->Brush()->SetColor(MarkColor);
    Canvas->Pen()->SetColor(MarkColor);
    Canvas->Polygon({{L + 6, T + 8}, {L + 8, T + 6}, {L + 10, T + 8}, {L + 8, T + 10}});
}

TThemedButton ThemedRadio(bool Checked, bool Enabled)
{
    if (Checked)
        return Enabled ? tbRadioButtonCheckedNormal : tbRadioButtonCheckedDisabled;
    return Enabled ? tbRadioButtonUncheckedNormal : tbRadioButtonUncheckedDisabled;
}

TThemedButton ThemedCheck(bool Checked, bool Grayed, bool Enabled)
{
    if (Grayed)
        return Enabled ? tbCheckBoxMixedNormal : tbCheckBoxMixedDisabled;
    if (Checked)
        return Enabled ? tbCheckBoxCheckedNormal : tbCheckBoxCheckedDisabled;
    return Enabled ? tbCheckBoxUncheckedNormal : tbCheckBoxUncheckedDisabled;
}

} // namespace

// ---------------------------------------------------------------- check boxes and radio buttons

void TExStringGrid::DrawCheck(TCanvas* Canvas, TRect R, bool Checked, TCheckBoxState State, bool TriState,
                              TGridControlStyle Style, bool Grayed, bool Enabled)
{
    TControlLook* L = FControlLook.get();
    if (L->NoDisabledCheckRadioLook() || L->CheckAlwaysActive())
        Enabled = true;
    if (Style == csTheme && (!GraphicThemesActive() || !FIsComCtl6))
        Style = csClassic;
    if (TriState) {
        Checked = State == cbChecked;
        Grayed = State == cbGrayed;
    }
    // The runtime grid keeps no right-to-left orientation (its columns run
    // left to right in every mode): the box moves by the cell margin.
    if (UseRightToLeftAlignment())
        OffsetRect(R, FXYOffset.X, 0);
    const Integer Size = L->CheckSize();
    switch (Style) {
    case csClassic:
    case csFlat: {
        const Integer X = R.Left + (R.Width() - Size) / 2;
        const Integer Y = R.Top + (R.Height() - Size) / 2;
        TRect Box(X, Y, X + Size, Y + Size);
        UINT Flags = DFCS_BUTTONCHECK;
        if (Checked || Grayed)
            Flags |= DFCS_CHECKED;
        // The classic three-state look: the mark greyed on the face colour.
        if (Grayed || !Enabled)
            Flags |= DFCS_INACTIVE;
        if (Style == csFlat)
            Flags |= DFCS_FLAT;
        DrawFrameControl(Canvas, Box, DFC_BUTTON, Flags);
        break;
    }
    case csWinXP: DrawResourceGlyph(Canvas, R.Left, R.Top, FourStateName(XPChecks, Checked, Enabled)); break;
    case csQVX: DrawResourceGlyph(Canvas, R.Left, R.Top, FourStateName(QVXChecks, Checked, Enabled)); break;
    case csBorland: DrawBorlandCheck(Canvas, R, Checked, Enabled, L->Color()); break;
    case csGlyph: DrawGlyph(Canvas, R.Left, R.Top, Checked ? L->CheckedGlyph() : L->UnCheckedGlyph()); break;
    case csTheme:
        ThemeServices()->DrawElement(Canvas, ThemeServices()->GetElementDetails(ThemedCheck(Checked, Grayed, Enabled)),
                                     TRect(R.Left, R.Top, R.Left + Size, R.Top + Size));
        break;
    }
}

void TExStringGrid::DrawRadioGroup(TCanvas* Canvas, TRect R, bool Reverse, Double Scale, TGridControlStyle Style,
                                   Integer ARow, Integer ACol, bool Selected, TStrings* Items, bool Disabled,
                                   bool Horizontal, Integer Checked, Integer Count)
{
    TControlLook* L = FControlLook.get();
    if (L->NoDisabledCheckRadioLook() || L->RadioAlwaysActive())
        Disabled = false;
    if (Style == csTheme && !GraphicThemesActive())
        Style = csClassic;
    const Integer Dir = Reverse ? -1 : 1;
    Canvas->Brush()->SetStyle(bsClear);
    if (Selected && FShowSelection)
        Canvas->Font()->SetColor(FSelectionTextColor);
    const Integer h = Canvas->TextHeight(QStringLiteral("gh"));
    const Integer H16 = std::max(16, h);
    const bool Classic = Style == csClassic || Style == csFlat;
    const bool Bitmapped = Style == csWinXP || Style == csQVX || Style == csGlyph;
    const Integer RadioSize = L->RadioSize();
    const Integer GlyphSize = Classic ? (Style == csFlat ? RadioSize + 2 : Integer(Round(Scale * RadioSize))) : 16;
    const String CellText = Cells(ACol, ARow);
    Integer PrevWidths = 0;
    for (Integer I = 1; I <= Count; ++I) {
        const String Text = Items && Items->Count() >= I ? Items->Strings(I - 1) : String();
        const bool IsChecked = I == Checked + 1 || (Checked == -1 && Text == CellText);
        const Integer Row = (I - 1) * Dir;
        Integer GX, GY, TX, TY;
        if (Horizontal) {
            GX = Classic ? R.Left + 2 + (I - 1) * RadioSize + PrevWidths : R.Left + 16 * I - 14 + PrevWidths;
            GY = R.Top + (R.Height() - GlyphSize) / 2;
            TX = GX + (Classic ? Integer(Round(Scale * RadioSize)) : 16);
            TY = Bitmapped ? GY + 1 : GY - 2;
        } else if (Text.isEmpty()) {
            GX = R.Left + (R.Width() - GlyphSize) / 2;
            GY = R.Top + (R.Height() - GlyphSize) / 2;
            TX = GX;
            TY = GY;
        } else {
            GX = R.Left + 2;
            GY = R.Top + (Classic ? h : H16) * Row + 2;
            TX = Classic ? GX + Integer(Round(Scale * (RadioSize + 4))) : (Bitmapped ? R.Left + 18 : R.Left + 20);
            TY = Classic ? GY - 2 : (Bitmapped ? GY + 1 : R.Top + H16 * Row);
        }
        switch (Style) {
        case csClassic:
        case csFlat: {
            TRect Box(GX, GY, GX + GlyphSize, GY + GlyphSize);
            DrawFrameControl(Canvas, Box, DFC_BUTTON,
                             UINT(DFCS_BUTTONRADIO) | (IsChecked ? UINT(DFCS_CHECKED) : 0u) |
                                 (Style == csFlat ? UINT(DFCS_FLAT) : 0u) | (Disabled ? UINT(DFCS_INACTIVE) : 0u));
            break;
        }
        case csBorland: DrawBorlandRadio(Canvas, GX, GY, IsChecked, L->Color()); break;
        case csTheme:
            ThemeServices()->DrawElement(Canvas, ThemeServices()->GetElementDetails(ThemedRadio(IsChecked, !Disabled)),
                                         TRect(GX, GY, GX + 16, GY + 16));
            break;
        case csWinXP: DrawResourceGlyph(Canvas, GX, GY, FourStateName(XPRadios, IsChecked, !Disabled)); break;
        case csQVX: DrawResourceGlyph(Canvas, GX, GY, FourStateName(QVXRadios, IsChecked, !Disabled)); break;
        case csGlyph: DrawGlyph(Canvas, GX, GY, IsChecked ? L->RadioOnGlyph() : L->RadioOffGlyph()); break;
        }
        if (!Text.isEmpty()) {
            Canvas->Brush()->SetStyle(bsClear);
            Canvas->TextOut(TX, TY, Text);
            PrevWidths += Canvas->TextWidth(Text);
        }
    }
}

// ---------------------------------------------------------------- rotated text

void TExStringGrid::AddRotated(Integer ACol, Integer ARow, SmallInt AAngle, const String& s)
{
    CreateCellGraphic(ACol, ARow)->SetAngle(AAngle);
    SetCells(ACol, ARow, s);
}

void TExStringGrid::SetRotated(Integer ACol, Integer ARow, SmallInt AAngle)
{
    TCellGraphic* G = GetCellGraphic(ACol, ARow);
    if (!G)
        G = CreateCellGraphic(ACol, ARow);
    G->SetAngle(AAngle);
}

void TExStringGrid::RemoveRotated(Integer ACol, Integer ARow)
{
    RemoveCellGraphicOfType(ACol, ARow, ctRotated);
}

// ---------------------------------------------------------------- placing a graphic

Double TExStringGrid::PaintFloat(Integer ACol, Integer ARow)
{
    try {
        return Floats(ACol, ARow);
    } catch (const EExGridError&) {
        return 0;
    }
}

TRect TExStringGrid::PlaceCellGraphic(TRect R, TCellGraphic* Graphic, Integer GW, Integer GH, Integer TW,
                                      TAlignment HA, TVAlignment VA)
{
    const TCellType Kind = Graphic->CellType();
    TRect P = R;
    const Integer W = R.Width(), H = R.Height();
    if (IsCheckBoxKind(Kind)) {
        switch (HA) {
        case taRightJustify: P.Left = (IsTextlessBoxKind(Kind) ? R.Right : R.Right - TW) - GW - 1; break;
        case taCenter:
            P.Left = IsTextlessBoxKind(Kind) || TW < 1 ? R.Left + std::max(0, W - GW) / 2
                                                       : R.Left + std::max(0, R.Right - TW - R.Left) / 2 - GW;
            break;
        default: P.Left = R.Left + 1; break;
        }
        P.Left = std::max(P.Left, R.Left + 1);
        P.Right = P.Left + GW;
    } else {
        TCellHAlign HAlign = Graphic->CellHAlign();
        switch (HAlign) {
        case haLeft: P.Left = R.Left + 1; break;
        case haRight:
            P.Right = R.Right - 1;
            P.Left = R.Right - GW - 1;
            break;
        case haCenter: P.Left = GW < W ? R.Left + (W - GW) / 2 : R.Left + 1; break;
        case haBeforeText:
            P.Left = HA == taRightJustify ? R.Right - TW - GW
                   : HA == taCenter       ? R.Left + (W - TW - GW) / 2
                                          : R.Left + 1;
            break;
        case haAfterText:
            P.Left = HA == taRightJustify ? R.Right - GW - 1
                   : HA == taCenter       ? R.Left + TW + (W - TW - GW) / 2
                                          : R.Left + TW;
            break;
        case haFull: break;
        }
        if (P.Left < R.Left)
            P.Left = R.Left + 1;
        if (HAlign != haRight && HAlign != haFull)
            P.Right = P.Left + GW;
    }
    TCellVAlign VAlign = Graphic->CellVAlign();
    if (IsCheckBoxKind(Kind) && VA != FVAlignment)
        VAlign = VA == vtaCenter ? vaCenter : VA == vtaBottom ? vaBottom : vaTop;
    switch (VAlign) {
    case vaBottom:
        P.Bottom = R.Bottom - 1;
        P.Top = R.Bottom - GH - 1;
        break;
    case vaCenter: P.Top = GH < H ? R.Top + (H - GH) / 2 : R.Top + 1; break;
    case vaUnderText:
        P.Top = R.Bottom - GH;
        P.Bottom = R.Bottom;
        break;
    case vaFull: break;
    default: P.Top = R.Top + 1; break;
    }
    if (VAlign != vaBottom && VAlign != vaUnderText && VAlign != vaFull)
        P.Bottom = P.Top + GH;
    return P;
}

// ---------------------------------------------------------------- drawing a graphic

void TExStringGrid::DrawCellGraphic(TCanvas* Canvas, Integer ACol, Integer ARow, TGridDrawState AState, TRect R,
                                    TCellGraphic* Graphic, Integer GW, Integer GH, Integer TW, TAlignment HA,
                                    TVAlignment VA)
{
    if (!Canvas || !Graphic)
        return;
    const TCellType Kind = Graphic->CellType();
    if (Kind != ctNode && Kind != ctProgress && Kind != ctRangeIndicator && Kind != ctXPProgress)
        InflateRect(R, 1 - FXYOffset.X, 1 - FXYOffset.Y);
    if (TW > 0)
        TW += 2;
    const TRect Cell = R;
    TRect P = PlaceCellGraphic(R, Graphic, GW, GH, TW, HA, VA);
    // A graphic never draws outside its cell.
    Canvas->SaveClipping();
    Canvas->IntersectClipRect(CellRect(DisplColIndex(ACol), ARow));
    if (IsCheckBoxKind(Kind))
        DrawCellCheck(Canvas, ACol, ARow, Graphic, P);
    else
        DrawCellGraphicKind(Canvas, ACol, ARow, AState, Cell, P, Graphic, HA, VA);
    Canvas->RestoreClipping();
}

void TExStringGrid::DrawCellCheck(TCanvas* Canvas, Integer ACol, Integer ARow, TCellGraphic* G, TRect P)
{
    bool Enabled = true;
    CanEditCell(ACol, ARow, Enabled);
    const TGridControlStyle Style = FControlLook->ControlStyle();
    switch (G->CellType()) {
    case ctCheckBox:
    case ctRowCheckBox:
        DrawCheck(Canvas, P, G->CellBoolean(), cbUnchecked, false, Style, G->CellAngle() > 0, Enabled);
        break;
    case ctDataCheckBox:
    case ctVirtCheckBox: {
        String True;
        GetCheckTrue(ACol, ARow, True);
        DrawCheck(Canvas, P, Cells(ACol, ARow) == True, cbUnchecked, false, Style, false, Enabled);
        break;
    }
    case ctTriStateCheckBox:
        DrawCheck(Canvas, P, false, G->CellCheckBoxState(), true, Style, G->CellAngle() > 0, Enabled);
        break;
    case ctRadioButton: {
        P.Left += FXYOffset.X;
        const Integer Size = FControlLook->RadioSize();
        P = TRect(P.Left, P.Top, P.Left + Size, P.Top + Size);
        DrawRadioGroup(Canvas, P, false, 1.0, Style, ARow, ACol, false, nullptr, !Enabled, false,
                       G->CellBoolean() ? 0 : -1, 1);
        break;
    }
    default: break;
    }
}

void TExStringGrid::DrawCellGraphicKind(TCanvas* Canvas, Integer ACol, Integer ARow, TGridDrawState AState,
                                        TRect R, TRect P, TCellGraphic* G, TAlignment HA, TVAlignment VA)
{
    TImageList* Images = GetGridImages();
    switch (G->CellType()) {
    case ctBitmap:
        if (auto* Bitmap = dynamic_cast<TBitmap*>(G->CellBitmap())) {
            Bitmap->SetTransparent(G->CellTransparent());
            Canvas->Draw(P.Left, P.Top, Bitmap);
        }
        break;
    case ctIcon:
        if (G->CellIcon())
            Canvas->Draw(P.Left, P.Top, G->CellIcon());
        break;
    case ctImageList:
        if (Images)
            Images->Draw(Canvas, P.Left, P.Top, G->CellIndex(), true);
        break;
    case ctDataImage:
        if (Images) {
            const Integer Index = Integer(PaintFloat(ACol, ARow)) + G->CellIndex();
            if (Index >= 0 && Index < Images->Count())
                Images->Draw(Canvas, P.Left, P.Top, Index, true);
        }
        break;
    case ctImages:
        if (auto* List = dynamic_cast<TIntList*>(G->CellBitmap()); List && Images)
            for (Integer I = 0; I < List->Count(); ++I) {
                Images->Draw(Canvas, P.Left, P.Top, List->Items(I), true);
                (G->CellBoolean() ? P.Left : P.Top) += G->CellBoolean() ? Images->Width() : Images->Height();
            }
        break;
    case ctRadio: {
        bool Editable = true;
        CanEditCell(ACol, ARow, Editable);
        DrawRadioGroup(Canvas, R, false, 1.0, FControlLook->ControlStyle(), ARow, ACol, AState.Contains(gdSelected),
                       GetRadioStrings(ACol, ARow), !Editable, G->CellBoolean(), G->CellIndex(), G->CellAngle());
        break;
    }
    case ctRotated:
        DrawRotatedCell(Canvas, ACol, ARow, R, G->CellAngle(), HA, VA);
        if (TExGridCellPainter::ShowsSortMark(*this, DisplColIndex(ACol), ACol, ARow))
            DrawSortIndicator(Canvas, ACol, R.Top + 8, R.Right - 10);
        break;
    case ctNode: DrawCellNode(Canvas, ARow, AState, R, G->CellBoolean()); break;
    case ctPicture:
        if (auto* Picture = dynamic_cast<TPicture*>(G->CellBitmap()); Picture && Picture->Graphic()) {
            if (G->CellAngle() != 0)
                Canvas->StretchDraw(P, Picture->Graphic());
            else
                Canvas->Draw(P.Left, P.Top, Picture->Graphic());
        }
        break;
    case ctFilePicture:
        if (auto* Picture = dynamic_cast<TFilePicture*>(G->CellBitmap()))
            Picture->DrawPicture(Canvas, P);
        break;
    case ctProgress: DrawCellProgress(Canvas, ACol, ARow, R, G); break;
    case ctComment: DrawCellComment(Canvas, R, G); break;
    case ctButton:
    case ctBitButton:
    case ctExpand: DrawCellButton(Canvas, ACol, ARow, R, P, G); break;
    case ctProgressPie:
        DrawProgressPie(Canvas, TRect(P.Left, P.Top, P.Left + 20, P.Top + 20), TColor(G->CellBitmapValue()), false,
                        G->CellAngle());
        break;
    case ctRangeIndicator:
        InflateRect(R, -FControlLook->ProgressMarginX(), -FControlLook->ProgressMarginY());
        DrawRangeIndicator(Canvas, R, Integer(PaintFloat(ACol, ARow)), TColor(G->CellIconValue()),
                           TColor(G->CellBitmapValue()), G->CellBoolean(), G->CellIndex());
        break;
    case ctXPProgress: DrawCellXPProgress(Canvas, ACol, ARow, R, G); break;
    case ctShape:
        DrawCellShape(Canvas, P.Left, P.Top, P.Right - P.Left - 1, P.Bottom - P.Top - 1, TCellShape(G->CellAngle()),
                      TColor(G->CellBitmapValue()), TColor(G->CellIndex()));
        break;
    case ctRating: DrawCellRating(Canvas, ACol, ARow, P, G); break;
    case ctInterface:
        if (auto* Object = dynamic_cast<IGridCellInterface*>(G->CellBitmap()))
            Object->Draw(Canvas, TRect(R.Left - 1, R.Top - 1, R.Right, R.Bottom), this, AState.Contains(gdSelected),
                         ARow, ACol);
        break;
    default: break;
    }
}

void TExStringGrid::DrawCellProgress(TCanvas* Canvas, Integer ACol, Integer ARow, TRect R, TCellGraphic* G)
{
    TControlLook* L = FControlLook.get();
    const TGridControlStyle Style = L->ControlStyle();
    const Double Value = PaintFloat(ACol, ARow);
    if ((Style == csWinXP || Style == csTheme) && GraphicThemesActive() && L->ProgressXP()) {
        InflateRect(R, -L->ProgressMarginX(), -L->ProgressMarginY());
        ThemeServices()->DrawElement(Canvas, ThemeServices()->GetElementDetails(tpBar), R);
        InflateRect(R, -2, -2);
        R.Right = R.Left + Integer(Round(R.Width() * ClampPercent(Integer(Round(Value))) / 100.0));
        if (R.Right > R.Left)
            ThemeServices()->DrawElement(Canvas, ThemeServices()->GetElementDetails(tpChunk), R);
        return;
    }
    InflateRect(R, -2, -2);
    const TColor Fill = TColor(G->CellBitmapValue());
    const TColor Rest = TColor(G->CellIconValue());
    // The foreground text colour is written over the filled part; without
    // text colours each part's text takes the other part's colour.
    const TColor FillText = G->CellBoolean() ? TColor(G->CellIndex()) : Rest;
    const TColor RestText = G->CellBoolean() ? TColor(G->CellAngle()) : Fill;
    DrawProgressBar(Canvas, R, Fill, false, L->ProgressBorderColor(), G->CellText(), G->CellErrLen(), G->CellErrFrom(),
                    L->ProgressMarginY(), L->ProgressMarginX(), Value, RestText, Rest, FillText);
}

void TExStringGrid::DrawCellXPProgress(TCanvas* Canvas, Integer ACol, Integer ARow, TRect R, TCellGraphic* G)
{
    InflateRect(R, -FControlLook->ProgressMarginX(), -FControlLook->ProgressMarginY());
    R.Right -= 1;
    R.Bottom -= 1;
    const TGridProgressAppearance* A = FProgressAppearance.get();
    TProgressAppearance D;
    D.Level0Color = A->Level0Color();
    D.Level0ColorTo = A->Level0ColorTo();
    D.Level1Color = A->Level1Color();
    D.Level1ColorTo = A->Level1ColorTo();
    D.Level2Color = A->Level2Color();
    D.Level2ColorTo = A->Level2ColorTo();
    D.Level3Color = A->Level3Color();
    D.Level3ColorTo = A->Level3ColorTo();
    D.Level1Perc = A->Level1Perc();
    D.Level2Perc = A->Level2Perc();
    D.Stacked = A->Stacked();
    D.ShowGradient = A->ShowGradient();
    D.Steps = A->Steps();
    D.CompletionSmooth = A->CompletionSmooth();
    D.ShowBorder = A->ShowBorder();
    D.BorderColor = A->BorderColor();
    D.ShowPercentage = A->ShowPercentage();
    D.Font = Font();
    D.CompleteFontColor = A->CompleteFontColor();
    D.UnCompleteColor = A->UnCompleteColor() == clNone ? Canvas->Brush()->Color() : A->UnCompleteColor();
    const Integer Min = G->CellErrFrom(), Max = G->CellErrLen();
    const Double Value = PaintFloat(ACol, ARow);
    // Equal bounds: empty below the maximum, full from it on.
    const Integer Percent =
        Max == Min ? (Value < Max ? 0 : 100) : Integer(Round(std::abs(Value - Min) / (Max - Min) * 100));
    DrawProgressXP(Canvas, R, ClampPercent(Percent), D);
}

void TExStringGrid::DrawCellComment(TCanvas* Canvas, TRect R, TCellGraphic* G)
{
    const TColor CommentColor = FControlLook->CommentColor();
    if (CommentColor == clNone)
        return;
    const TColor C = TColor(G->CellAngle()) != clNone ? TColor(G->CellIndex()) : CommentColor;
    Canvas->Pen()->SetColor(C);
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(C);
    const Integer X = R.Right + FXYOffset.X, Y = R.Top - FXYOffset.Y;
    Canvas->Polygon({{X - 8, Y + 1}, {X - 3, Y + 1}, {X - 3, Y + 6}});
    Canvas->Brush()->SetColor(Color());
}

void TExStringGrid::DrawCellRating(TCanvas* Canvas, Integer ACol, Integer ARow, TRect P, TCellGraphic* G)
{
    const Double V = Round(PaintFloat(ACol, ARow) * 2) / 2.0;
    const TColor Full = TColor(G->CellIndex());
    const TColor Empty = TColor(G->CellBitmapValue());
    for (Integer I = 0; I < G->CellAngle(); ++I) {
        const Integer X = P.Left + 18 * I;
        const bool IsEmpty = I + 1 > V;
        DrawCellShape(Canvas, X, P.Top, 16, 16, csStar, IsEmpty ? Empty : Full, IsEmpty ? Empty : Full);
        if (IsEmpty && I < V)
            DrawCellShape(Canvas, X, P.Top, 16, 16, csHalfStar, Full, Full);
    }
}

void TExStringGrid::DrawCellButton(TCanvas* Canvas, Integer ACol, Integer ARow, TRect R, TRect P, TCellGraphic* G)
{
    const TRect Cell = CellRect(DisplColIndex(ACol), ARow);
    const bool IsExpand = G->CellType() == ctExpand;
    if (IsExpand)
        P = TRect(R.Right - 13, R.Top, R.Right, R.Top + 13);
    G->SetCellValue(Double((Cardinal(P.Top - Cell.Top) << 16) | (Cardinal(P.Left - Cell.Left) & 0xFFFFu)));
    Canvas->Brush()->SetColor(clBtnFace);
    bool Enabled = true;
    if (!FControlLook->NoDisabledButtonLook())
        CanEditCell(ACol, ARow, Enabled);
    Integer Look = FControlLook->FlatButton() ? 2 : (GraphicThemesActive() ? 0 : 1);
    if (FFlat && FTones.Background.BrushColor != clNone)
        Look = 3;
    Integer State = G->CellBoolean() ? 2 : FHoverButton == TPoint(DisplColIndex(ACol), ARow) ? 1 : 0;
    if (!Enabled && !IsExpand)
        State = 3;
    DrawButtonFace(Canvas, Handle(), P, State, Look, FTones);
    if (State == 2)
        OffsetRect(P, 1, 1);
    if (IsExpand) {
        Canvas->Pen()->SetColor(clBlack);
        if (!G->CellVar().toBool())
            GraphicPolyline(Canvas, {{R.Right - 10, R.Top + 8}, {R.Right - 7, R.Top + 5}, {R.Right - 3, R.Top + 9}});
        else
            GraphicPolyline(Canvas, {{R.Right - 10, R.Top + 5}, {R.Right - 7, R.Top + 8}, {R.Right - 3, R.Top + 4}});
        return;
    }
    auto* Glyph = G->CellType() == ctBitButton ? dynamic_cast<TBitmap*>(G->CellBitmap()) : nullptr;
    if (Glyph && !Glyph->Empty()) {
        Integer V = (P.Height() - Glyph->Height()) / 2;
        if (V < 1)
            V = 3;
        if (!G->CellText().isEmpty() || P.Width() < Glyph->Width()) {
            DrawGlyph(Canvas, P.Left + 3, P.Top + V, Glyph);
            P.Left += Glyph->Width() + 4;
        } else {
            DrawGlyph(Canvas, P.Left + (P.Width() - Glyph->Width()) / 2, P.Top + V, Glyph);
        }
    }
    if (Look == 3) {
        const TColorTone* Tones[] = {&FTones.Background, &FTones.Hover, &FTones.Selected, &FTones.Disabled};
        Canvas->Font()->SetColor(Tones[State]->TextColor);
    }
    Canvas->Brush()->SetStyle(bsClear);
    TRect Caption(P.Left + 1, P.Top, P.Right, P.Bottom);
    const bool MultiLine = G->CellText().contains(QLatin1Char('\r'));
    DrawText(Canvas, G->CellText(), Caption,
             DT_CENTER | DT_VCENTER | DT_END_ELLIPSIS | (MultiLine ? DT_WORDBREAK : DT_SINGLELINE));
}

void TExStringGrid::DrawRotatedCell(TCanvas* Canvas, Integer ACol, Integer ARow, TRect R, Integer Angle,
                                    TAlignment HA, TVAlignment VA)
{
    const String Text = Cells(ACol, ARow);
    TRect Start = R;
    DrawRotatedText(Canvas, Start, Angle, HA, VA, Text);
    const Integer OldOrientation = Canvas->Font()->Orientation();
    Canvas->Font()->SetOrientation(Angle * 10);
    InflateRect(R, -2, -2);
    Canvas->Brush()->SetStyle(bsClear);
    Canvas->TextRect(R, Start.Left, Start.Top, Text);
    Canvas->Font()->SetOrientation(OldOrientation);
}

// The tree lines of a node row, then its glyph left of the cell's indent.
void TExStringGrid::DrawCellNode(TCanvas* Canvas, Integer ARow, TGridDrawState AState, TRect R, bool Collapsed)
{
    TCellNode* N = FCellNode.get();
    const Integer CellLeft = R.Left;
    const Integer Indent = GetCellIndent(ARow);
    R.Left = CellLeft + Indent - N->NodeIndent();
    if (N->ShowTree() && ARow >= FixedRows()) {
        Canvas->Pen()->SetColor(N->TreeColor());
        Canvas->Pen()->SetWidth(1);
        const Integer X = R.Left + N->NodeIndent() / 2 + 2;
        const Integer Mid = (R.Top + R.Bottom) / 2;
        if (ARow + 1 < RowCount() && GetCellIndent(ARow + 1) > 0 &&
            !(Collapsed && GetCellIndent(ARow + 1) < Indent))
            GraphicLine(Canvas, X, Mid, X, R.Bottom);
        if (ARow > 0 && GetCellIndent(ARow - 1) >= Indent)
            GraphicLine(Canvas, X, R.Top, X, R.Top + 6);
    }
    R.Left = CellLeft + Indent - N->NodeIndent() / 2 - 4;
    TColor Back = Canvas->Brush()->Color();
    if (Back == clNone)
        Back = FixedCols() > 0 ? FixedColor() : Color();
    if (AState.Contains(gdSelected) && FShowSelection)
        Back = FSelectionColor;
    if (N->NodeType() == cn3D) {
        FillRectColor(Canvas, R, N->Color());
        Canvas->Pen()->SetColor(clWhite);
        GraphicPolyline(Canvas, {{R.Left, R.Bottom - 1}, {R.Left, R.Top}, {R.Right - 1, R.Top}});
        Canvas->Pen()->SetColor(clGray);
        GraphicPolyline(Canvas, {{R.Right - 1, R.Top}, {R.Right - 1, R.Bottom - 1}, {R.Left, R.Bottom - 1}});
    }
    const Integer H = R.Height();
    switch (N->NodeType()) {
    case cnLeaf:
        DrawTransparentResBitmap(Canvas, Back, TRect(R.Left, R.Top + (H - 12) / 2, R.Right, R.Bottom),
                                 Collapsed ? QStringLiteral("ESGLEAFCLOSE") : QStringLiteral("ESGLEAFOPEN"));
        return;
    case cnXP:
        DrawTransparentResBitmap(Canvas, Back, TRect(R.Left + 4, R.Top + (H - 10) / 2, R.Right, R.Bottom),
                                 Collapsed ? QStringLiteral("XPNODEC") : QStringLiteral("XPNODEO"));
        return;
    case cnGlyph:
        if (!N->ExpandGlyph()->Empty() && !N->ContractGlyph()->Empty()) {
            TBitmap* Glyph = Collapsed ? N->ContractGlyph() : N->ExpandGlyph();
            DrawTransparentBitmap(Canvas, Glyph, Back,
                                  TRect(R.Left, R.Top + (H - Glyph->Height()) / 2, R.Right, R.Bottom));
            return;
        }
        break;
    default: break;
    }
    const Integer L = R.Left + 4, T = R.Top + (H - 8) / 2;
    const TRect Box(L, T, L + 8, T + 8);
    FillRectColor(Canvas, Box, N->Color());
    if (N->NodeType() == cnFlat) {
        Canvas->Pen()->SetColor(N->NodeColor());
        Canvas->Brush()->SetStyle(bsClear);
        Canvas->Rectangle(TRect(L, T, L + 9, T + 9));
        GraphicLine(Canvas, L + 2, T + 4, L + 7, T + 4);
        if (Collapsed)
            GraphicLine(Canvas, L + 4, T + 2, L + 4, T + 7);
        return;
    }
    TRect Edge = Box;
    DrawEdge(Canvas, Edge, Collapsed ? BDR_RAISEDINNER : BDR_SUNKENOUTER, BF_RECT);
}
