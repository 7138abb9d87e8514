// The string grid's quick-configuration panel, shown only while the grid
// sits in a form designer: editing on or off, column numbers, the look.
#include "grid/control/ExGrid.h"

#include "grid/base/GridResources.h"
#include "rtl/Forms.h"

namespace {

enum TDesignEntry : Integer { deNone = -1, deAllowEdit = 1, deColumnNumbers = 2, deLook = 3, deClose = 4 };

constexpr Integer PanelWidth = 150;
const char* const LookMenuName = "DesignLookMenu";

// The looks the menu offers, in its order, with its own captions.
struct TLookEntry {
    TGridLook Look;
    const char* Caption;
};
constexpr TLookEntry MenuLooks[] = {
    {glStandard, "Standard"},      {glSoft, "Soft"},        {glClassic, "Classic"},
    {glQVX, "QVX"},                {glListView, "ListView"}, {glOffice2007, "Office 2007"},
    {glXP, "Windows XP"},          {glVista, "Windows Vista"}, {glWin7, "Windows 7"},
};

void SetDesignFont(TFont* Font)
{
    Font->SetName(QStringLiteral("Tahoma"));
    Font->SetSize(8);
    Font->SetStyle({});
}

// Text sizes in the panel's font, outside painting too.
class TDesignMetrics {
public:
    TDesignMetrics() : FPicture(1, 1) { SetDesignFont(FPicture.Canvas()->Font()); }
    Integer LineHeight() { return FPicture.Canvas()->TextHeight(QStringLiteral("gh")); }
    Integer Width(const String& S) { return FPicture.Canvas()->TextWidth(S); }

private:
    TBitmap FPicture;
};

String LookLine(TGridLook Look)
{
    return QStringLiteral("Set look: ") + TExStringGrid::LookToDisplayName(Look);
}

} // namespace

void TExStringGrid::PaintDesignHelper()
{
    if (!IsDesigning() || !FShowDesignHelper)
        return;
    TCanvas* C = Canvas();
    SetDesignFont(C->Font());
    const Integer H = C->TextHeight(QStringLiteral("gh"));
    const TRect Client = ClientRect();
    const TRect Panel(Client.Right - PanelWidth, Client.Bottom - 4 * H - 18, Client.Right, Client.Bottom);
    C->Brush()->SetStyle(bsSolid);
    C->Brush()->SetColor(clInfoBk);
    C->Pen()->SetColor(clGray);
    C->Rectangle(Panel);
    C->Brush()->SetStyle(bsClear);
    C->Font()->SetColor(RGB(0, 0, 128));
    const auto Entry = [&](TDesignEntry E, Integer X, Integer Y, const String& Text) {
        C->Font()->SetStyle(FDesignHelperEntry == E ? TFontStyles{fsUnderline} : TFontStyles{});
        C->TextOut(X, Y, Text);
    };
    C->TextOut(Panel.Left + 4, Panel.Top + 4, QStringLiteral("Quick config [v") + Version() + QStringLiteral("]"));
    Init_Grid_Resources();
    TBitmap Close;
    Close.LoadFromResourceName(QStringLiteral("ESGCLOSE"));
    C->Draw(Panel.Right - 16, Panel.Top + 2, &Close);
    const TRect Box1(Panel.Left + 4, Panel.Top + H + 4, Panel.Left + 20, Panel.Top + H + 20);
    DrawCheck(C, Box1, Options().Contains(goEditing), cbUnchecked, false, csWinXP, false, true);
    Entry(deAllowEdit, Panel.Left + 22, Panel.Top + H + 6, QStringLiteral("Allow edit"));
    const TRect Box2(Panel.Left + 4, Panel.Top + 2 * H + 6, Panel.Left + 20, Panel.Top + 2 * H + 22);
    DrawCheck(C, Box2, FShowColNrs, cbUnchecked, false, csWinXP, false, true);
    Entry(deColumnNumbers, Panel.Left + 22, Panel.Top + 2 * H + 8, QStringLiteral("Column numbers"));
    Entry(deLook, Panel.Left + 4, Panel.Top + 3 * H + 10, LookLine(FLook));
    C->Font()->SetStyle({});
}

Integer TExStringGrid::DesignHelperHitTest(Integer X, Integer Y)
{
    TDesignMetrics M;
    const Integer H = M.LineHeight();
    const Integer P = 4 * H + 18;
    const Integer H2 = H + 2;
    const TRect Client = ClientRect();
    const Integer Left = Client.Right - PanelWidth;
    const Integer Top = Client.Bottom - P;
    Integer Hit = deNone;
    if (X > Client.Right - 16 && Y > Top && Y < Top + 16)
        Hit = deClose;
    if (X > Left && X < Client.Right - 132 + M.Width(QStringLiteral("Allow edit")) && Y > Top + H2 + 4 &&
        Y < Top + 2 * H2 + 4)
        Hit = deAllowEdit;
    if (X > Left && X < Client.Right - 132 + M.Width(QStringLiteral("Column numbers")) && Y > Top + 2 * H2 + 4 &&
        Y < Top + 3 * H2 + 4)
        Hit = deColumnNumbers;
    if (X > Left && X < Left + M.Width(LookLine(FLook)) && Y > Top + 3 * H2 + 4 && Y < Top + 4 * H2 + 4)
        Hit = deLook;
    return Hit;
}

void TExStringGrid::CMDesignHitTest(TWMMouse& Message)
{
    Message.Result = 0;
    const Integer Entry = FShowDesignHelper ? DesignHelperHitTest(Message.XPos, Message.YPos) : Integer(deNone);
    if (Entry != FDesignHelperEntry) {
        FDesignHelperEntry = Entry;
        const TRect Client = ClientRect();
        InvalidateClientRect(TRect(Client.Right - PanelWidth, Client.Bottom - 70, Client.Right, Client.Bottom));
    }
    if (Entry != deNone)
        Message.Result = 1;
}

void TExStringGrid::DesignHelperClick(Integer X, Integer Y)
{
    switch (DesignHelperHitTest(X, Y)) {
    case deAllowEdit:
        SetOptions(Options().Contains(goEditing) ? Options() - goEditing : Options() + goEditing);
        break;
    case deColumnNumbers:
        FShowColNrs = !FShowColNrs;
        Invalidate();
        break;
    case deLook: {
        auto* Menu = dynamic_cast<TPopupMenu*>(FindComponent(QString::fromLatin1(LookMenuName)));
        if (!Menu) {
            Menu = new TPopupMenu(this);
            Menu->SetName(QString::fromLatin1(LookMenuName));
        }
        Menu->Items()->Clear();
        for (const auto& [Look, Caption] : MenuLooks)
            Menu->Items()->Add(NewItem(QString::fromLatin1(Caption), [this, Look = Look](TObject*) { SetLook(Look); },
                                       Look == FLook));
        const TPoint At = ClientToScreen(TPoint(X, Y));
        Menu->Popup(At.X, At.Y);
        break;
    }
    case deClose:
        SetShowDesignHelper(false);
        return;
    default:
        return;
    }
    // The designer registers a change when the form's size changes.
    if (TCustomForm* Form = GetParentForm(this)) {
        const Integer W = Form->Width();
        Form->SetWidth(W - 1);
        Form->SetWidth(W);
    }
}
