#include "rtl/ExtCtrls.h"

#include "rtl/ControlBridge.h"

#include <QLabel>
#include <QRegularExpression>
#include <QTimer>

#include <algorithm>

// ---------------------------------------------------------------- Frame3D

void Frame3D(TCanvas* Canvas, TRect& Rect, TColor TopColor, TColor BottomColor, Integer Width)
{
    TPen* Pen = Canvas->Pen();
    Pen->SetWidth(1);
    Pen->SetStyle(psSolid);
    --Rect.Bottom;
    --Rect.Right;
    for (Integer I = 0; I < Width; ++I) {
        Pen->SetColor(TopColor);
        Canvas->MoveTo(Rect.Left, Rect.Bottom);
        Canvas->LineTo(Rect.Left, Rect.Top);
        Canvas->LineTo(Rect.Right, Rect.Top);
        Pen->SetColor(BottomColor);
        Canvas->LineTo(Rect.Right, Rect.Bottom);
        Canvas->LineTo(Rect.Left - 1, Rect.Bottom);
        InflateRect(Rect, -1, -1);
    }
    ++Rect.Bottom;
    ++Rect.Right;
}

// ---------------------------------------------------------------- TCustomPanel

TCustomPanel::TCustomPanel(TComponent* AOwner) : TCustomControl(AOwner)
{
    SetControlStyle(ControlStyle() + TControlStyle{csAcceptsControls, csOpaque} - TControlStyle{csSetCaption});
    SetParentColor(false);
    SetColor(clBtnFace);
    SetBounds(Left(), Top(), 185, 41);
}

void TCustomPanel::Relayout()
{
    Realign();
    Invalidate();
}

void TCustomPanel::SetBevelOuter(TPanelBevel Value)
{
    FBevelOuter = Value;
    Relayout();
}

void TCustomPanel::SetBevelInner(TPanelBevel Value)
{
    FBevelInner = Value;
    Relayout();
}

void TCustomPanel::SetBevelWidth(Integer Value)
{
    FBevelWidth = Value;
    Relayout();
}

void TCustomPanel::SetBorderWidth(Integer Value)
{
    FBorderWidth = Value;
    Relayout();
}

void TCustomPanel::SetAlignment(TAlignment Value)
{
    FAlignment = Value;
    Invalidate();
}

void TCustomPanel::SetVerticalAlignment(TVerticalAlignment Value)
{
    FVerticalAlignment = Value;
    Invalidate();
}

void TCustomPanel::SetShowCaption(bool Value)
{
    FShowCaption = Value;
    Invalidate();
}

void TCustomPanel::AdjustClientRect(TRect& Rect)
{
    TCustomControl::AdjustClientRect(Rect);
    Integer Inset = FBorderWidth;
    if (FBevelOuter != bvNone)
        Inset += FBevelWidth;
    if (FBevelInner != bvNone)
        Inset += FBevelWidth;
    InflateRect(Rect, -Inset, -Inset);
}

void TCustomPanel::Paint()
{
    TCanvas* C = Canvas();
    TRect R = ClientRect();
    auto Colors = [](TPanelBevel Bevel, TColor& Top, TColor& Bottom) {
        Top = Bevel == bvLowered ? clBtnShadow : clBtnHighlight;
        Bottom = Bevel == bvLowered ? clBtnHighlight : clBtnShadow;
    };
    TColor Top, Bottom;
    if (FBevelOuter != bvNone) {
        Colors(FBevelOuter, Top, Bottom);
        Frame3D(C, R, Top, Bottom, FBevelWidth);
    }
    Frame3D(C, R, Color(), Color(), FBorderWidth);
    if (FBevelInner != bvNone) {
        Colors(FBevelInner, Top, Bottom);
        Frame3D(C, R, Top, Bottom, FBevelWidth);
    }
    if (!ParentBackground()) {
        C->Brush()->SetColor(Color());
        C->Brush()->SetStyle(bsSolid);
        C->FillRect(R);
    }
    if (FShowCaption && !Caption().isEmpty()) {
        C->Brush()->SetStyle(bsClear);
        C->Font()->Assign(Font());
        Cardinal Flags = DT_EXPANDTABS | DT_SINGLELINE;
        Flags |= FAlignment == taCenter ? DT_CENTER : FAlignment == taRightJustify ? DT_RIGHT : DT_LEFT;
        Flags |= FVerticalAlignment == taVerticalCenter ? DT_VCENTER
                 : FVerticalAlignment == taAlignBottom   ? DT_BOTTOM
                                                         : DT_TOP;
        DrawText(C, Caption(), -1, R, Flags);
    }
}

// ---------------------------------------------------------------- TShape

TShape::TShape(TComponent* AOwner)
    : TGraphicControl(AOwner), FPen(std::make_unique<TPen>()), FBrush(std::make_unique<TBrush>())
{
    SetBounds(Left(), Top(), 65, 65);
    FPen->OnChange = [this](TObject*) { Invalidate(); };
    FBrush->OnChange = [this](TObject*) { Invalidate(); };
}

TShape::~TShape() = default;

void TShape::SetShape(TShapeType Value)
{
    FShape = Value;
    Invalidate();
}

void TShape::Paint()
{
    TCanvas* C = Canvas();
    C->Pen()->Assign(FPen.get());
    C->Brush()->Assign(FBrush.get());
    const Integer PW = FPen->Width();
    Integer X = PW / 2;
    Integer Y = X;
    Integer W = Width() - PW + 1;
    Integer H = Height() - PW + 1;
    if (PW == 0) {
        --W;
        --H;
    }
    const Integer S = std::min(W, H);
    if (FShape == stSquare || FShape == stRoundSquare || FShape == stCircle) {
        X += (W - S) / 2;
        Y += (H - S) / 2;
        W = S;
        H = S;
    }
    switch (FShape) {
    case stRectangle:
    case stSquare:
        C->Rectangle(X, Y, X + W, Y + H);
        break;
    case stRoundRect:
    case stRoundSquare:
        C->RoundRect(X, Y, X + W, Y + H, S / 4, S / 4);
        break;
    case stEllipse:
    case stCircle:
        C->Ellipse(X, Y, X + W, Y + H);
        break;
    }
}

// ---------------------------------------------------------------- TImage

TImage::TImage(TComponent* AOwner) : TGraphicControl(AOwner), FPicture(std::make_unique<TPicture>())
{
    SetBounds(Left(), Top(), 105, 105);
    FPicture->OnChange = [this](TObject*) { PictureChanged(); };
}

TImage::~TImage() = default;

void TImage::PictureChanged()
{
    if (TGraphic* G = FPicture->Graphic())
        if (FTransparent)
            G->SetTransparent(true);
    AdjustSize();
    Invalidate();
}

void TImage::SetStretch(bool Value)
{
    FStretch = Value;
    Invalidate();
}

void TImage::SetCenter(bool Value)
{
    FCenter = Value;
    Invalidate();
}

void TImage::SetProportional(bool Value)
{
    FProportional = Value;
    Invalidate();
}

void TImage::SetTransparent(bool Value)
{
    FTransparent = Value;
    if (TGraphic* G = FPicture->Graphic())
        G->SetTransparent(Value);
    Invalidate();
}

TRect TImage::DestRect() const
{
    Integer W = FPicture->Width();
    Integer H = FPicture->Height();
    const Integer CW = ClientWidth();
    const Integer CH = ClientHeight();
    if (FStretch || (FProportional && (W > CW || H > CH))) {
        if (FProportional && W > 0 && H > 0) {
            const double Aspect = double(W) / H;
            if (W > H) {
                W = CW;
                H = Integer(CW / Aspect);
                if (H > CH) {
                    H = CH;
                    W = Integer(CH * Aspect);
                }
            } else {
                H = CH;
                W = Integer(CH * Aspect);
                if (W > CW) {
                    W = CW;
                    H = Integer(CW / Aspect);
                }
            }
        } else {
            W = CW;
            H = CH;
        }
    }
    TRect R(0, 0, W, H);
    if (FCenter)
        OffsetRect(R, (CW - W) / 2, (CH - H) / 2);
    return R;
}

void TImage::Paint()
{
    if (TGraphic* G = FPicture->Graphic(); G && !G->Empty())
        Canvas()->StretchDraw(DestRect(), G);
}

bool TImage::CanAutoSize(Integer& NewWidth, Integer& NewHeight)
{
    if (FPicture->Width() <= 0 || FPicture->Height() <= 0)
        return false;
    NewWidth = FPicture->Width();
    NewHeight = FPicture->Height();
    return true;
}

// ---------------------------------------------------------------- TBevel

TBevel::TBevel(TComponent* AOwner) : TGraphicControl(AOwner)
{
    SetBounds(Left(), Top(), 50, 50);
}

void TBevel::SetShape(TBevelShape Value)
{
    FShape = Value;
    Invalidate();
}

void TBevel::SetStyle(TBevelStyle Value)
{
    FStyle = Value;
    Invalidate();
}

void TBevel::Paint()
{
    TCanvas* C = Canvas();
    const TColor Color1 = FStyle == bsLowered ? clBtnShadow : clBtnHighlight;
    const TColor Color2 = FStyle == bsLowered ? clBtnHighlight : clBtnShadow;
    C->Pen()->SetWidth(1);
    auto Line = [&](TColor Color, Integer X1, Integer Y1, Integer X2, Integer Y2) {
        C->Pen()->SetColor(Color);
        C->MoveTo(X1, Y1);
        C->LineTo(X2, Y2);
    };
    const Integer W = Width(), H = Height();
    TRect R = ClientRect();
    switch (FShape) {
    case bsBox:
        Frame3D(C, R, Color1, Color2, 1);
        break;
    case bsFrame:
        R.Right -= 1;
        R.Bottom -= 1;
        Frame3D(C, R, Color1, Color1, 1);
        R = ClientRect();
        R.Left += 1;
        R.Top += 1;
        Frame3D(C, R, Color2, Color2, 1);
        break;
    case bsTopLine:
        Line(Color1, 0, 0, W, 0);
        Line(Color2, 0, 1, W, 1);
        break;
    case bsBottomLine:
        Line(Color1, 0, H - 2, W, H - 2);
        Line(Color2, 0, H - 1, W, H - 1);
        break;
    case bsLeftLine:
        Line(Color1, 0, 0, 0, H);
        Line(Color2, 1, 0, 1, H);
        break;
    case bsRightLine:
        Line(Color1, W - 2, 0, W - 2, H);
        Line(Color2, W - 1, 0, W - 1, H);
        break;
    case bsSpacer:
        break;
    }
}

// ---------------------------------------------------------------- TSplitter

TSplitter::TSplitter(TComponent* AOwner) : TGraphicControl(AOwner)
{
    SetAlign(alLeft);
    SetBounds(Left(), Top(), 3, 100);
    SetCursor(crHSplit);
}

TControl* TSplitter::FindResizeControl() const
{
    TWinControl* P = Parent();
    if (!P)
        return nullptr;
    for (Integer I = 0; I < P->ControlCount(); ++I) {
        TControl* C = P->Controls(I);
        if (C == this || !C->Visible() || C->Align() != Align())
            continue;
        switch (Align()) {
        case alLeft: if (C->Left() + C->Width() == Left()) return C; break;
        case alRight: if (C->Left() == Left() + Width()) return C; break;
        case alTop: if (C->Top() + C->Height() == Top()) return C; break;
        case alBottom: if (C->Top() == Top() + Height()) return C; break;
        default: break;
        }
    }
    return nullptr;
}

void TSplitter::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    TGraphicControl::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft)
        return;
    FControl = FindResizeControl();
    if (!FControl)
        return;
    FDragging = true;
    FDownPos = ClientToScreen(TPoint(X, Y));
    FStartSize = (Align() == alLeft || Align() == alRight) ? FControl->Width() : FControl->Height();
}

void TSplitter::MouseMove(TShiftState Shift, Integer X, Integer Y)
{
    TGraphicControl::MouseMove(Shift, X, Y);
    if (!FDragging || !FControl)
        return;
    const TPoint P = ClientToScreen(TPoint(X, Y));
    Integer NewSize = FStartSize;
    switch (Align()) {
    case alLeft: NewSize += P.X - FDownPos.X; break;
    case alRight: NewSize -= P.X - FDownPos.X; break;
    case alTop: NewSize += P.Y - FDownPos.Y; break;
    case alBottom: NewSize -= P.Y - FDownPos.Y; break;
    default: return;
    }
    NewSize = std::max(NewSize, FMinSize);
    bool Accept = true;
    if (OnCanResize)
        OnCanResize(this, NewSize, Accept);
    if (!Accept)
        return;
    if (Align() == alLeft || Align() == alRight)
        FControl->SetWidth(NewSize);
    else
        FControl->SetHeight(NewSize);
}

void TSplitter::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    const bool Was = FDragging;
    FDragging = false;
    TGraphicControl::MouseUp(Button, Shift, X, Y);
    if (Was && OnMoved)
        OnMoved(this);
}

void TSplitter::Paint()
{
    TCanvas* C = Canvas();
    C->Brush()->SetColor(Color());
    C->FillRect(ClientRect());
}

// ---------------------------------------------------------------- TTimer

TTimer::TTimer(TComponent* AOwner) : TComponent(AOwner), FTimer(new QTimer())
{
    QObject::connect(FTimer, &QTimer::timeout, FTimer, [this] {
        const std::shared_ptr<bool> Alive = FAlive;
        FFiring = true;
        GuardEvent(this, [&] { Timer(); });
        if (*Alive)
            FFiring = false;
    });
    UpdateTimer();
}

TTimer::~TTimer()
{
    *FAlive = false;
    // Freed by its own OnTimer: the Qt timer goes when its signal is done.
    FTimer->stop();
    if (FFiring) {
        FTimer->disconnect();
        FTimer->deleteLater();
    } else {
        delete FTimer;
    }
}

void TTimer::UpdateTimer()
{
    if (FEnabled && FInterval > 0)
        FTimer->start(int(FInterval));
    else
        FTimer->stop();
}

void TTimer::SetEnabled(bool Value)
{
    FEnabled = Value;
    UpdateTimer();
}

void TTimer::SetInterval(Cardinal Value)
{
    FInterval = Value;
    UpdateTimer();
}

void TTimer::Timer()
{
    if (FEnabled && OnTimer)
        OnTimer(this);
}

// ---------------------------------------------------------------- TLinkLabel

namespace {

struct TLinkPart {
    String Text;
    String Link;
    TSysLinkType Type = sltURL;
    bool IsLink = false;
};

std::vector<TLinkPart> ParseLinkCaption(const String& Caption)
{
    static const QRegularExpression Anchor(
        QStringLiteral(R"re(<a(?:\s+(href|id)\s*=\s*"([^"]*)")?\s*>(.*?)</a>)re"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    std::vector<TLinkPart> Parts;
    qsizetype Pos = 0;
    auto It = Anchor.globalMatch(Caption);
    while (It.hasNext()) {
        const QRegularExpressionMatch M = It.next();
        if (M.capturedStart() > Pos)
            Parts.push_back({Caption.mid(Pos, M.capturedStart() - Pos), String(), sltURL, false});
        TLinkPart L;
        L.Text = M.captured(3);
        L.IsLink = true;
        L.Type = M.captured(1).compare(QLatin1String("id"), Qt::CaseInsensitive) == 0 ? sltID : sltURL;
        // An anchor without an address hands over its text.
        L.Link = M.captured(1).isEmpty() ? L.Text : M.captured(2);
        Parts.push_back(L);
        Pos = M.capturedEnd();
    }
    if (Pos < Caption.size())
        Parts.push_back({Caption.mid(Pos), String(), sltURL, false});
    return Parts;
}

} // namespace

TLinkLabel::TLinkLabel(TComponent* AOwner) : TWinControl(AOwner)
{
    auto* L = new TBridge<QLabel>();
    L->setTextFormat(Qt::RichText);
    L->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    L->setOpenExternalLinks(false);
    SetWidget(L);
    Handle()->setAutoFillBackground(false);
    SetBounds(Left(), Top(), 53, 17);
    SetAutoSize(true);
    QObject::connect(L, &QLabel::linkActivated, L, [this](const QString& Ref) {
        GuardEvent(this, [&] { ClickLink(Ref.toInt()); });
    });
}

void TLinkLabel::ApplyColor()
{
    TWinControl::ApplyColor();
    Handle()->setAutoFillBackground(false);
}

std::vector<std::pair<String, TSysLinkType>> TLinkLabel::Links() const
{
    std::vector<std::pair<String, TSysLinkType>> Result;
    for (const TLinkPart& P : ParseLinkCaption(FText))
        if (P.IsLink)
            Result.emplace_back(P.Link, P.Type);
    return Result;
}

void TLinkLabel::ClickLink(Integer Index)
{
    const auto L = Links();
    if (Index < 0 || Index >= Integer(L.size()))
        throw EListError(QStringLiteral("List index out of bounds (%1)").arg(Index));
    DoOnLinkClick(L[std::size_t(Index)].first, L[std::size_t(Index)].second);
}

void TLinkLabel::DoOnLinkClick(const String& Link, TSysLinkType LinkType)
{
    if (OnLinkClick)
        OnLinkClick(this, Link, LinkType);
}

void TLinkLabel::TextChanged()
{
    // The text is shown as it stands; only the anchors are links. The link
    // target in the widget is the anchor's number.
    String Html;
    int N = 0;
    for (const TLinkPart& P : ParseLinkCaption(FText)) {
        if (P.IsLink)
            Html += QStringLiteral("<a href=\"%1\">%2</a>").arg(N++).arg(P.Text.toHtmlEscaped());
        else
            Html += P.Text.toHtmlEscaped();
    }
    static_cast<QLabel*>(Handle())->setText(Html);
    AdjustSize();
}

bool TLinkLabel::CanAutoSize(Integer& NewWidth, Integer& NewHeight)
{
    const QSize S = static_cast<QLabel*>(Handle())->sizeHint();
    NewWidth = S.width();
    NewHeight = S.height();
    return true;
}
