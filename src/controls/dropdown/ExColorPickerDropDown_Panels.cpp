// The colour cube and the colour spectrum panels.
#include "controls/dropdown/ExColorPickerDropDown.h"

#include "controls/dropdown/DropDownResources.h"

#include <cmath>

namespace {

// The cube's colours, row by row (7, 8, ... 13, ... 8, 7 cells).
constexpr std::array<Cardinal, TExColorCubePanel::CellCount> CubeColors = {
    0x663300, 0x996633, 0xCC6633, 0x993300, 0x990000, 0xCC0000, 0x660000,
    0x666600, 0x996600, 0xCC9900, 0xCC6600, 0xCC3300, 0xFF0000, 0xFF3333, 0x993333,
    0x808000, 0x999900, 0xCCCC33, 0xFFCC00, 0xFF9900, 0xFF6600, 0xFF6633, 0xCC3333, 0x996666,
    0x669933, 0x99CC00, 0xCCFF00, 0xFFFF00, 0xFFCC33, 0xFF9933, 0xFF9966, 0xFF6666, 0xFF0066, 0xCC0066,
    0x339933, 0x66CC00, 0x99FF00, 0xCCFF66, 0xFFFF66, 0xFFCC66, 0xFFCC99, 0xFF9999, 0xFF6699, 0xFF3399, 0xFF0099,
    0x006600, 0x00CC00, 0x00FF00, 0x99FF66, 0xCCFF99, 0xFFFFCC, 0xFFECCC, 0xFFCCCC, 0xFF99CC, 0xFF66CC, 0xFF00CC,
    0xCC0099,
    0x003300, 0x008000, 0x33CC33, 0x66FF66, 0x99FF99, 0xCCFFCC, 0xFFFFFF, 0xFFCCFF, 0xFF99FF, 0xFF66FF, 0xFF00FF,
    0xCC00CC, 0x660066,
    0x006633, 0x009900, 0x33FF66, 0x66FF99, 0x99FFCC, 0xCCFFFF, 0xCCCCFF, 0xCC99FF, 0xCC66FF, 0xCC33FF, 0x9900CC,
    0x800080,
    0x003333, 0x009966, 0x33FF99, 0x66FFCC, 0x99FFFF, 0x99CCFF, 0x9999FF, 0x9966FF, 0x9933FF, 0x9933CC, 0x990099,
    0x336666, 0x00CC99, 0x33FFCC, 0x66FFFF, 0x66CCFF, 0x6699FF, 0x807CFF, 0x6600FF, 0x9300D6, 0x663399,
    0x008080, 0x00CCCC, 0x00FFFF, 0x00CCFF, 0x3399FF, 0x0066FF, 0x5050FF, 0x6600CC, 0x330066,
    0x336699, 0x0099CC, 0x0099FF, 0x0066CC, 0x0033FF, 0x0000FF, 0x0000CC, 0x330099,
    0x003366, 0x006699, 0x0033CC, 0x003399, 0x000099, 0x000080, 0x2100A5};

constexpr Integer CubeRows = 13;
constexpr TColor Grey = TColor(0x808080);
constexpr Integer SpectrumSize = 128;

// A pointed-top hexagon of half width B and quarter height A round (CX, CY).
void DrawHexagon(TCanvas* ACanvas, Integer CX, Integer CY, Integer A, Integer B)
{
    ACanvas->Polygon({TPoint(CX - B, CY - A), TPoint(CX, CY - 2 * A), TPoint(CX + B, CY - A), TPoint(CX + B, CY + A),
                      TPoint(CX, CY + 2 * A), TPoint(CX - B, CY + A)});
}

// Halves up, as the spectrum picture rounds.
Byte SpectrumChannel(double V)
{
    return Byte(std::floor(255.0 * V + 0.5));
}

// The spectrum picture, computed once.
TBitmap* SpectrumBitmap()
{
    static TBitmap* const Bitmap = [] {
        auto* B = new TBitmap(SpectrumSize, SpectrumSize);
        QImage& Pixels = B->Image();
        for (Integer Y = 0; Y < SpectrumSize; ++Y)
            for (Integer X = 0; X < SpectrumSize; ++X) {
                const TColor C = SpectrumColor(X, Y);
                Pixels.setPixel(X, Y, qRgb(GetRValue(C), GetGValue(C), GetBValue(C)));
            }
        return B;
    }();
    return Bitmap;
}

} // namespace

TColor SpectrumColor(Integer X, Integer Y)
{
    const double H = 360.0 * X / SpectrumSize;
    const double L = 1.0 - double(Y) / (SpectrumSize - 1);
    const double C = 1.0 - std::fabs(2.0 * L - 1.0);
    const double Sector = H / 60.0;
    const double Xc = C * (1.0 - std::fabs(std::fmod(Sector, 2.0) - 1.0));
    const double M = L - C / 2.0;
    double R = 0, G = 0, B = 0;
    switch (Integer(Sector)) {
    case 0: R = C, G = Xc; break;
    case 1: R = Xc, G = C; break;
    case 2: G = C, B = Xc; break;
    case 3: G = Xc, B = C; break;
    case 4: R = Xc, B = C; break;
    default: R = C, B = Xc; break;
    }
    return RGB(SpectrumChannel(R + M), SpectrumChannel(G + M), SpectrumChannel(B + M));
}

// ---------------------------------------------------------------- TExCustomColorSelectorPanel

TExCustomColorSelectorPanel::TExCustomColorSelectorPanel(TComponent* AOwner) : TCustomControl(AOwner) {}

void TExCustomColorSelectorPanel::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    TCustomControl::MouseUp(Button, Shift, X, Y);
    ShouldHide();
}

void TExCustomColorSelectorPanel::ShouldHide()
{
    if (OnShouldHide)
        OnShouldHide(this);
}

void TExCustomColorSelectorPanel::SetPanelSize(Integer AHeight, Integer AWidth)
{
    SetBounds(Left(), Top(), AWidth, AHeight);
}

// ---------------------------------------------------------------- TExColorCubePanel

TExColorCubePanel::TExColorCubePanel(TComponent* AOwner) : TExCustomColorSelectorPanel(AOwner)
{
    InitCells();
    SetShowRGBHint(true);
}

void TExColorCubePanel::InitCells()
{
    FCubeSize = TPoint(6, 3);
    Integer Cell = 1;
    for (Integer Row = 1; Row <= CubeRows; ++Row) {
        const Integer Count = Row <= 7 ? 6 + Row : 20 - Row;
        Integer X = Row <= 7 ? 55 - 6 * (Row - 1) : 19 + 6 * (Row - 7);
        const Integer Y = 20 + 10 * (Row - 1);
        for (Integer I = 0; I < Count; ++I, ++Cell, X += 2 * FCubeSize.X)
            FCubeCells[std::size_t(Cell)] = {TPoint(X, Y), TColor(CubeColors[std::size_t(Cell - 1)])};
    }
}

void TExColorCubePanel::ResetHotCell()
{
    FHotIndex = -1;
    SetPanelSize(160, 182);
}

void TExColorCubePanel::SetSelectedColor(TColor Value)
{
    FSelectedColor = Value;
    FSelectedIndex = -1;
    for (Integer I = 1; I <= CellCount && FSelectedIndex < 0; ++I)
        if (FCubeCells[std::size_t(I)].Color == Value)
            FSelectedIndex = I;
}

void TExColorCubePanel::SetShowRGBHint(bool Value)
{
    FShowRGBHint = Value;
    SetShowHint(Value);
}

Integer TExColorCubePanel::CellAtPos(Integer X, Integer Y) const
{
    const Integer R2 = FCubeSize.X * FCubeSize.X;
    for (Integer I = 1; I <= CellCount; ++I) {
        const TPoint& C = FCubeCells[std::size_t(I)].Centre;
        if ((C.X - X) * (C.X - X) + (C.Y - Y) * (C.Y - Y) <= R2)
            return I;
    }
    return -1;
}

void TExColorCubePanel::Paint()
{
    TExCustomColorSelectorPanel::Paint();
    DrawCells(Canvas());
}

void TExColorCubePanel::DrawCells(TCanvas* ACanvas)
{
    for (Integer I = 1; I <= CellCount; ++I)
        DrawCell(ACanvas, I);
}

void TExColorCubePanel::DrawCell(TCanvas* ACanvas, Integer Index)
{
    if (Index < 1 || Index > CellCount)
        return;
    const TCubeCell& Cell = FCubeCells[std::size_t(Index)];
    ACanvas->Pen()->SetColor(Cell.Color);
    ACanvas->Brush()->SetStyle(bsSolid);
    ACanvas->Brush()->SetColor(Cell.Color);
    DrawHexagon(ACanvas, Cell.Centre.X, Cell.Centre.Y, FCubeSize.Y, FCubeSize.X);
    const auto Frame = [&](TColor Outer) {
        ACanvas->Brush()->SetStyle(bsClear);
        ACanvas->Pen()->SetColor(Outer);
        DrawHexagon(ACanvas, Cell.Centre.X, Cell.Centre.Y, 3, 5);
        ACanvas->Pen()->SetColor(clWhite);
        DrawHexagon(ACanvas, Cell.Centre.X, Cell.Centre.Y, 2, 4);
    };
    if (Index == FHotIndex)
        Frame(clRed);
    if (Index == FSelectedIndex)
        Frame(clBlack);
}

void TExColorCubePanel::ShowRGBHintOf(Integer Index)
{
    if (!FShowRGBHint)
        return;
    if (Index < 0) {
        SetHint(String());
    } else {
        const TColor C = FCubeCells[std::size_t(Index)].Color;
        SetHint(QStringLiteral("Red: %1,  Green: %2,  Blue: %3").arg(GetRValue(C)).arg(GetGValue(C)).arg(GetBValue(C)));
    }
    Application->CancelHint();
}

void TExColorCubePanel::MouseMove(TShiftState Shift, Integer X, Integer Y)
{
    TExCustomColorSelectorPanel::MouseMove(Shift, X, Y);
    const Integer Cell = CellAtPos(X, Y);
    if (Cell < 0) {
        ShowRGBHintOf(-1);
        return;
    }
    if (Cell == FHotIndex)
        return;
    FHotIndex = Cell;
    Invalidate();
    ShowRGBHintOf(Cell);
}

void TExColorCubePanel::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    TExCustomColorSelectorPanel::MouseDown(Button, Shift, X, Y);
    const Integer Cell = CellAtPos(X, Y);
    if (Cell < 0)
        return;
    SelectColor(FCubeCells[std::size_t(Cell)].Color, Cell);
    if (OnSelect)
        OnSelect(this);
}

void TExColorCubePanel::SelectColor(TColor Color, Integer Index)
{
    FSelectedIndex = Index;
    FSelectedColor = Color;
    Invalidate();
}

// ---------------------------------------------------------------- TExColorSpectrumPanel

TExColorSpectrumPanel::TExColorSpectrumPanel(TComponent* AOwner) : TExCustomColorSelectorPanel(AOwner)
{
    FSpectrumImage = new TImage(this);
    FSpectrumImage->SetParent(this);
    FSpectrumImage->SetBounds(0, 0, SpectrumSize, SpectrumSize);
    FSpectrumImage->Picture()->SetBitmap(SpectrumBitmap());
    FSpectrumImage->OnMouseMove = [this](TObject*, TShiftState, Integer X, Integer Y) { SpectrumMouseMove(X, Y); };
    FSpectrumImage->OnMouseDown = [this](TObject*, TMouseButton, TShiftState, Integer, Integer) {
        SpectrumMouseDown();
    };
    FSpectrumImage->OnMouseUp = [this](TObject*, TMouseButton, TShiftState, Integer, Integer) { ShouldHide(); };
    InitDropDownResources();
    if (!Screen->Cursors(crColorPipette))
        Screen->SetCursors(crColorPipette, LoadCursor(QStringLiteral("QVX_POINTER")));
    FSpectrumImage->SetCursor(crColorPipette);
}

TExColorSpectrumPanel::~TExColorSpectrumPanel()
{
    delete FSpectrumImage;
}

void TExColorSpectrumPanel::SetSelectedColor(TColor Value)
{
    FSelectedColor = Value;
}

void TExColorSpectrumPanel::ArrangePanel()
{
    SetPanelSize(174, 150);
    FSpectrumImage->SetBounds((Width() - SpectrumSize) / 2, 10, SpectrumSize, SpectrumSize);
    const Integer L = FSpectrumImage->Left();
    const Integer B = FSpectrumImage->Top() + FSpectrumImage->Height();
    FSelectedRect = TRect(L - 1, B + 8, L + SpectrumSize / 2 - 2, B + 28);
    FHotRect = TRect(FSelectedRect.Right + 4, B + 8, L + SpectrumSize + 1, B + 28);
    FHotColor = clNone;
    Invalidate();
}

void TExColorSpectrumPanel::Paint()
{
    TExCustomColorSelectorPanel::Paint();
    TCanvas* C = Canvas();
    const TRect P = FSpectrumImage->BoundsRect();
    C->Brush()->SetStyle(bsClear);
    C->Pen()->SetColor(clWhite);
    C->Rectangle(P.Left - 1, P.Top - 1, P.Right + 1, P.Bottom + 1);
    C->Pen()->SetColor(Grey);
    C->Rectangle(P.Left - 2, P.Top - 2, P.Right + 2, P.Bottom + 2);
    DrawSwatch(C, FSelectedRect, FSelectedColor);
    DrawSwatch(C, FHotRect, FHotColor);
}

void TExColorSpectrumPanel::DrawSwatch(TCanvas* ACanvas, const TRect& R, TColor Color)
{
    ACanvas->Brush()->SetStyle(bsClear);
    ACanvas->Pen()->SetColor(Grey);
    ACanvas->Rectangle(R.Left - 1, R.Top - 1, R.Right + 1, R.Bottom + 1);
    ACanvas->Pen()->SetColor(clWhite);
    // No colour leaves the swatch unfilled.
    if (Color != clNone) {
        ACanvas->Brush()->SetStyle(bsSolid);
        ACanvas->Brush()->SetColor(Color);
    }
    ACanvas->Rectangle(R);
}

void TExColorSpectrumPanel::SpectrumMouseMove(Integer X, Integer Y)
{
    // The colour shown at the pointer, read from the picture itself.
    if (X < 0 || Y < 0 || X >= SpectrumSize || Y >= SpectrumSize)
        return;
    FHotColor = SpectrumColor(X, Y);
    Invalidate();
}

void TExColorSpectrumPanel::SpectrumMouseDown()
{
    FSelectedColor = FHotColor;
    Invalidate();
    if (OnSelect)
        OnSelect(this);
}
