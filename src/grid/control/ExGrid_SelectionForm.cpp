// The translucent picture of a block of cells that follows the mouse while
// cells are dragged.
#include "grid/control/ExGrid.h"

#include "rtl/ExtCtrls.h"
#include "rtl/Forms.h"

#include <QPainter>
#include <QWidget>

#include <utility>

namespace {

constexpr Byte DragPictureOpacity = 192;

// Borderless, always on top, and never takes the activation from the form
// the drag started on.
TCustomForm* NewNoActiveForm(TComponent* AOwner)
{
    auto* Form = new TForm(AOwner);
    Form->SetBorderStyle(bsNone);
    Form->SetFormStyle(fsStayOnTop);
    Form->SetNoActivate(true);
    return Form;
}

} // namespace

TCustomForm* TExStringGrid::SelectionToForm(TGridRect ARect)
{
    // The whole client area as the grid paints it.
    const QImage Whole = ClientWidget()->grab().toImage();
    TRect First = CellRect(ARect.Left, ARect.Top);
    TRect Second = CellRect(ARect.Right, ARect.Bottom);
    if (Second.Left < First.Left)
        std::swap(First, Second);
    if (Second.Top < First.Top) {
        std::swap(First.Top, Second.Top);
        std::swap(First.Bottom, Second.Bottom);
    }
    const Integer W = Second.Right - First.Left + 1;
    const Integer H = Second.Bottom - First.Top + 1;
    TBitmap Picture(W, H);
    {
        QPainter P(&Picture.Image());
        P.drawImage(QPoint(0, 0), Whole, QRect(First.Left + 1, First.Top + 1, W, H));
    }
    TCanvas* C = Picture.Canvas();
    C->Pen()->SetColor(GridFixedLineColor());
    if (ARect.Left == 0 && TBaseGrid::FixedCols() > 0 && Options().Contains(goFixedHorzLine)) {
        C->MoveTo(0, 0);
        C->LineTo(0, H);
    }
    if (ARect.Top == 0 && TBaseGrid::FixedRows() > 0 && Options().Contains(goFixedVertLine)) {
        C->MoveTo(0, 0);
        C->LineTo(W, 0);
    }
    TCustomForm* Form = NewNoActiveForm(this);
    Form->SetClientWidth(W);
    Form->SetClientHeight(H);
    auto* Image = new TImage(Form);
    Image->SetParent(Form);
    Image->SetAlign(alClient);
    Image->Picture()->SetBitmap(&Picture);
    Form->SetAlphaBlendValue(DragPictureOpacity);
    Form->SetAlphaBlend(true);
    return Form;
}
