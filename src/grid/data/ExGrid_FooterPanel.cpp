// The panel under the string grid that shows the floating footer: the
// grid's last row (painted by the grid's own cell painting, as a fixed
// cell), a framed preview of the current row's cell or of a template, or
// the application's painting; clicks and hints go to the last row's cells.
#include "grid/control/ExGrid.h"

#include "grid/base/EsgHTMLE.h"
#include "rtl/Forms.h"

#include <QRegularExpression>

namespace {

TExStringGrid* PanelGrid(TPersistent* Grid)
{
    return dynamic_cast<TExStringGrid*>(Grid);
}

// The display columns the footer shows: the fixed ones, then those from the
// grid's left column on.
std::vector<Integer> FooterColumns(const TExStringGrid& G)
{
    std::vector<Integer> Cols;
    for (Integer C = 0; C < G.TBaseGrid::FixedCols() && C < G.ColCount(); ++C)
        Cols.push_back(C);
    for (Integer C = std::max(G.LeftCol(), G.TBaseGrid::FixedCols()); C < G.ColCount(); ++C)
        Cols.push_back(C);
    return Cols;
}

Integer FooterWidth(TExStringGrid& G)
{
    Integer W = 0;
    for (Integer C : FooterColumns(G))
        W += G.ColWidths(C);
    return W;
}

// "<#n>" replaced by the current row's cell n; a placeholder whose number
// does not read or names no column is dropped.
String FillTemplate(TExStringGrid& G, const String& Template)
{
    static const QRegularExpression Placeholder(QStringLiteral("<#([^>]*)>"));
    String Result;
    Integer From = 0;
    auto It = Placeholder.globalMatch(Template);
    while (It.hasNext()) {
        const QRegularExpressionMatch M = It.next();
        Result += Template.mid(From, M.capturedStart() - From);
        bool Ok = false;
        const Integer Column = M.captured(1).trimmed().toInt(&Ok);
        if (Ok && Column >= 0 && Column < G.ColCount() && G.Row() >= 0 && G.Row() < G.RowCount())
            Result += G.Cells(Column, G.Row());
        From = M.capturedEnd();
    }
    return Result + Template.mid(From);
}

void DrawRaisedFrame(TCanvas* C, const TRect& R)
{
    C->Pen()->SetColor(clWhite);
    C->MoveTo(R.Left, R.Bottom - 1);
    C->LineTo(R.Left, R.Top);
    C->LineTo(R.Right - 1, R.Top);
    C->Pen()->SetColor(RGB(128, 128, 128));
    C->LineTo(R.Right - 1, R.Bottom - 1);
    C->LineTo(R.Left, R.Bottom - 1);
}

} // namespace

// ---------------------------------------------------------------- window and geometry

void TFooterPanel::CreateWnd()
{
    TPanel::CreateWnd();
    TExStringGrid* G = PanelGrid(FGrid);
    if (!G)
        return;
    const TFloatingFooter* F = G->FloatingFooter();
    SetHeight(F->Visible() ? F->Height() - 1 : 0);
    if (G->OnCreatedFloatingFooter)
        G->OnCreatedFloatingFooter(G);
}

Integer TFooterPanel::ColumnAt(Integer X) const
{
    TExStringGrid* G = PanelGrid(FGrid);
    if (!G)
        return -1;
    if (UseRightToLeftAlignment())
        X = Width() - X;
    Integer Right = 0;
    for (Integer C : FooterColumns(*G)) {
        Right += G->ColWidths(C);
        if (X < Right)
            return C;
    }
    return -1;
}

// ---------------------------------------------------------------- painting

// One footer painting; columns are laid out from the left edge, or from the
// right edge in right-to-left layout.
class TFooterPainter {
public:
    TFooterPainter(TExStringGrid& AGrid, TCanvas* ACanvas, TRect AClient, bool ARightToLeft)
        : G(AGrid), F(*AGrid.FloatingFooter()), C(ACanvas), Client(AClient), RightToLeft(ARightToLeft),
          Width(FooterWidth(AGrid))
    {
    }

    void Paint()
    {
        switch (F.FooterStyle()) {
        case fsFixedLastRow: PaintLastRow(); break;
        case fsColumnPreview: PaintColumnPreview(); break;
        case fsCustomPreview: PaintTemplate(); break;
        case fsCustomPaint:
            if (G.OnFooterPaint)
                G.OnFooterPaint(&G, F.Column(), C, Client);
            break;
        }
        PaintBorderLine();
    }

private:
    // The piece [Left, Left + AWidth) of the footer, mirrored right to left.
    TRect Piece(Integer Left, Integer AWidth) const
    {
        if (RightToLeft)
            return TRect(Client.Right - Left - AWidth, Client.Top, Client.Right - Left, Client.Bottom);
        return TRect(Client.Left + Left, Client.Top, Client.Left + Left + AWidth, Client.Bottom);
    }

    void Fill(const TRect& R, TColor Color)
    {
        C->Brush()->SetStyle(bsSolid);
        C->Brush()->SetColor(Color);
        C->FillRect(R);
    }

    void FillFooterAndRest()
    {
        Fill(Client, G.Color());
        Fill(Piece(0, Width), F.Color());
    }

    void PaintLastRow()
    {
        FillFooterAndRest();
        const Integer Last = G.RowCount() - 1;
        Integer Left = 0;
        for (Integer Col : FooterColumns(G)) {
            const TRect R = Piece(Left, G.ColWidths(Col));
            Left += G.ColWidths(Col);
            if (Last >= 0 && G.IsBaseCell(Col, Last))
                PaintFooterCell(Col, Last, R);
        }
    }

    void PaintFooterCell(Integer Col, Integer Last, const TRect& R)
    {
        TBrush Brush;
        Brush.SetColor(F.Color());
        TFont Font;
        Font.Assign(G.Font());
        G.GetCellColor(Col, Last, TGridDrawState{gdFixed}, &Brush, &Font);
        if (Brush.Color() != F.Color())
            Fill(R, Brush.Color());
        C->Brush()->SetStyle(bsClear);
        C->Pen()->SetColor(G.GridLineColor());
        C->Rectangle(R);
        C->Brush()->SetStyle(bsSolid);
        if (G.OnFooterPaint)
            G.OnFooterPaint(&G, Col, C, R);
        else
            G.PaintCellContent(C, Col, Last, R, TGridDrawState{gdFixed});
    }

    TRect FramedArea()
    {
        FillFooterAndRest();
        const TRect R = Piece(0, Width);
        DrawRaisedFrame(C, R);
        return R;
    }

    void PaintColumnPreview()
    {
        const TRect R = FramedArea();
        const Integer Col = F.Column();
        if (G.OnFooterPaint) {
            G.OnFooterPaint(&G, Col, C, R);
            return;
        }
        if (Col >= 0 && Col < G.ColCount() && G.Row() >= 0 && G.Row() < G.RowCount())
            G.PaintCellContent(C, Col, G.Row(), R, TGridDrawState());
    }

    void PaintTemplate()
    {
        TRect R = FramedArea();
        R.Top += 2;
        const String Text = G.IsDesigning() ? F.CustomTemplate() : FillTemplate(G, F.CustomTemplate());
        C->Font()->Assign(G.Font());
        C->Brush()->SetStyle(bsClear);
        if (G.IsDesigning()) {
            C->TextRect(R, R.Left, R.Top, Text);
            return;
        }
        String Anchor, Strip, FocusAnchor, AnchorHint, CID, CV, CT;
        Integer XSize = 0, YSize = 0, HyperLinks = 0, MouseLink = 0;
        TRect HoverRect, CtrlRect;
        DrawHTMLText(C, Text, R, G.GetGridImages(), 0, 0, -1, -1, 0, false, false, false, false, false, false, false,
                     false, 1.0, G.URLColor(), clNone, clNone, clGray, Anchor, Strip, FocusAnchor, AnchorHint, XSize,
                     YSize, HyperLinks, MouseLink, HoverRect, CtrlRect, CID, CV, CT, G.ImageCache(),
                     G.PictureContainer(), nullptr, 0);
    }

    void PaintBorderLine()
    {
        if (F.BorderColor() == clNone)
            return;
        const TRect R = Piece(0, Width);
        C->Pen()->SetColor(F.BorderColor());
        C->MoveTo(R.Left, Client.Top);
        C->LineTo(R.Right, Client.Top);
    }

    TExStringGrid& G;
    const TFloatingFooter& F;
    TCanvas* C;
    TRect Client;
    bool RightToLeft;
    Integer Width;
};

void TFooterPanel::Paint()
{
    if (TExStringGrid* G = PanelGrid(FGrid))
        TFooterPainter(*G, Canvas(), ClientRect(), UseRightToLeftAlignment()).Paint();
}

// ---------------------------------------------------------------- mouse and hints

void TFooterPanel::MouseMove(TShiftState Shift, Integer X, Integer Y)
{
    TPanel::MouseMove(Shift, X, Y);
    if (ColumnAt(X) != LastHintCol())
        Application->CancelHint();
}

void TFooterPanel::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    TPanel::MouseUp(Button, Shift, X, Y);
    TExStringGrid* G = PanelGrid(FGrid);
    if (!G)
        return;
    if (G->OnClick)
        G->OnClick(G);
    if (G->OnClickCell)
        G->OnClickCell(G, G->RowCount() - 1, ColumnAt(X));
}

void TFooterPanel::CMHintShow(TCMHintShow& Message)
{
    TExStringGrid* G = PanelGrid(FGrid);
    if (!G || !Message.HintInfo)
        return;
    const Integer Col = ColumnAt(Message.HintInfo->CursorPos.X);
    if (G->OnGridHint && Col >= 0)
        G->OnGridHint(G, G->RowCount() - 1, Col, Message.HintInfo->HintStr);
    const bool Show = G->FloatingFooter()->ShowHint();
    if (Show)
        SetLastHintCol(Col);
    Message.Result = Show ? 0 : 1;
}

void TFooterPanel::CMMouseLeave(TMessage& Message)
{
    TPanel::CMMouseLeave(Message);
    SetLastHintCol(-1);
}
