#include "rtl/Themes.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>

#include <atomic>

namespace {

std::atomic<bool> ThemesOn{true};

// Element and part name the theme classes; a handle points at one of these.
struct TThemeClass {
    const char* Name;
    TThemedElement Element;
};
const TThemeClass ThemeClasses[] = {
    {"button", teButton}, {"combobox", teComboBox}, {"header", teHeader},
    {"progress", teProgress}, {"spin", teSpin},
};

QStyle::State StateFlags(bool Enabled, bool Hot, bool Pressed)
{
    QStyle::State S = QStyle::State_None;
    if (Enabled)
        S |= QStyle::State_Enabled;
    if (Hot && Enabled)
        S |= QStyle::State_MouseOver;
    if (Pressed && Enabled)
        S |= QStyle::State_Sunken;
    else
        S |= QStyle::State_Raised;
    return S;
}

void DrawDetails(QPainter* P, const TThemedElementDetails& D, const QRect& R)
{
    QStyle* Style = QApplication::style();
    switch (D.Element) {
    case teButton: {
        if (D.Part == BP_PUSHBUTTON) {
            QStyleOptionButton O;
            O.rect = R;
            O.state = StateFlags(D.State != PBS_DISABLED, D.State == PBS_HOT, D.State == PBS_PRESSED);
            if (D.State == PBS_DEFAULTED)
                O.features |= QStyleOptionButton::DefaultButton;
            Style->drawControl(QStyle::CE_PushButtonBevel, &O, P, nullptr);
        } else if (D.Part == BP_CHECKBOX || D.Part == BP_RADIOBUTTON) {
            const Integer Group = (D.State - 1) / 4; // 0 unchecked, 1 checked, 2 mixed
            const Integer Kind = (D.State - 1) % 4;  // normal, hot, pressed, disabled
            QStyleOptionButton O;
            O.rect = R;
            O.state = StateFlags(Kind != 3, Kind == 1, Kind == 2);
            O.state |= Group == 1 ? QStyle::State_On : Group == 2 ? QStyle::State_NoChange : QStyle::State_Off;
            Style->drawPrimitive(D.Part == BP_CHECKBOX ? QStyle::PE_IndicatorCheckBox : QStyle::PE_IndicatorRadioButton,
                                 &O, P, nullptr);
        }
        break;
    }
    case teComboBox: {
        QStyleOptionButton O;
        O.rect = R;
        O.state = StateFlags(D.State != CBXS_DISABLED, D.State == CBXS_HOT, D.State == CBXS_PRESSED);
        Style->drawPrimitive(QStyle::PE_PanelButtonBevel, &O, P, nullptr);
        QStyleOption Arrow;
        Arrow.rect = R.adjusted(3, 3, -3, -3);
        Arrow.state = O.state;
        Arrow.palette = QApplication::palette();
        Style->drawPrimitive(QStyle::PE_IndicatorArrowDown, &Arrow, P, nullptr);
        break;
    }
    case teHeader: {
        QStyleOptionHeader O;
        O.rect = R;
        O.state = StateFlags(true, D.State == HIS_HOT, D.State == HIS_PRESSED);
        O.orientation = Qt::Horizontal;
        O.position = QStyleOptionHeader::Middle;
        Style->drawControl(QStyle::CE_HeaderSection, &O, P, nullptr);
        break;
    }
    case teProgress: {
        QStyleOptionProgressBar O;
        O.rect = R;
        O.state = QStyle::State_Enabled | QStyle::State_Horizontal;
        O.minimum = 0;
        O.maximum = 100;
        O.progress = 100;
        if (D.Part == PP_BARVERT || D.Part == PP_CHUNKVERT)
            O.state &= ~QStyle::State_Horizontal;
        const bool Chunk = D.Part == PP_CHUNK || D.Part == PP_CHUNKVERT;
        Style->drawControl(Chunk ? QStyle::CE_ProgressBarContents : QStyle::CE_ProgressBarGroove, &O, P, nullptr);
        break;
    }
    case teSpin: {
        QStyleOptionSpinBox O;
        O.rect = R;
        O.state = StateFlags(D.State != UPS_DISABLED, D.State == UPS_HOT, D.State == UPS_PRESSED);
        QStyleOptionButton Bevel;
        Bevel.rect = R;
        Bevel.state = O.state;
        Style->drawPrimitive(QStyle::PE_PanelButtonBevel, &Bevel, P, nullptr);
        O.rect = R.adjusted(2, 2, -2, -2);
        const bool Up = D.Part == SPNP_UP || D.Part == SPNP_UPHORZ;
        Style->drawPrimitive(Up ? QStyle::PE_IndicatorSpinUp : QStyle::PE_IndicatorSpinDown, &O, P, nullptr);
        break;
    }
    }
}

} // namespace

bool TThemeServices::ThemesEnabled() const
{
    return ThemesOn.load();
}

TThemedElementDetails TThemeServices::GetElementDetails(TThemedButton Detail) const
{
    TThemedElementDetails D;
    D.Element = teButton;
    if (Detail >= tbPushButtonNormal && Detail <= tbPushButtonDefaulted) {
        D.Part = BP_PUSHBUTTON;
        D.State = Detail - tbPushButtonNormal + 1;
    } else if (Detail >= tbRadioButtonUncheckedNormal && Detail <= tbRadioButtonCheckedDisabled) {
        D.Part = BP_RADIOBUTTON;
        D.State = Detail - tbRadioButtonUncheckedNormal + 1;
    } else if (Detail >= tbCheckBoxUncheckedNormal) {
        D.Part = BP_CHECKBOX;
        D.State = Detail - tbCheckBoxUncheckedNormal + 1;
    }
    return D;
}

TThemedElementDetails TThemeServices::GetElementDetails(TThemedComboBox Detail) const
{
    TThemedElementDetails D;
    D.Element = teComboBox;
    if (Detail >= tcDropDownButtonNormal) {
        D.Part = CP_DROPDOWNBUTTON;
        D.State = Detail - tcDropDownButtonNormal + 1;
    }
    return D;
}

TThemedElementDetails TThemeServices::GetElementDetails(TThemedHeader Detail) const
{
    TThemedElementDetails D;
    D.Element = teHeader;
    if (Detail >= thHeaderItemNormal) {
        D.Part = HP_HEADERITEM;
        D.State = Detail - thHeaderItemNormal + 1;
    }
    return D;
}

TThemedElementDetails TThemeServices::GetElementDetails(TThemedProgress Detail) const
{
    TThemedElementDetails D;
    D.Element = teProgress;
    switch (Detail) {
    case tpBar: D.Part = PP_BAR; break;
    case tpBarVert: D.Part = PP_BARVERT; break;
    case tpChunk: D.Part = PP_CHUNK; break;
    case tpChunkVert: D.Part = PP_CHUNKVERT; break;
    default: break;
    }
    D.State = D.Part ? 1 : 0;
    return D;
}

TThemedElementDetails TThemeServices::GetElementDetails(TThemedSpin Detail) const
{
    TThemedElementDetails D;
    D.Element = teSpin;
    if (Detail >= tsUpNormal) {
        const Integer Index = Detail - tsUpNormal;
        D.Part = SPNP_UP + Index / 4;
        D.State = Index % 4 + 1;
    }
    return D;
}

void TThemeServices::DrawElement(TCanvas* Canvas, const TThemedElementDetails& Details, const TRect& R,
                                 const TRect* ClipRect) const
{
    if (!ThemesEnabled() || !Canvas || Details.Part == 0 || IsRectEmpty(R))
        return;
    QPainter* P = Canvas->Painter();
    if (!P)
        return;
    P->save();
    if (ClipRect)
        P->setClipRect(ToQRect(*ClipRect), Qt::IntersectClip);
    DrawDetails(P, Details, ToQRect(R));
    P->restore();
}

TThemeServices* ThemeServices()
{
    static TThemeServices Services;
    return &Services;
}

void SetThemesEnabled(bool Value)
{
    ThemesOn.store(Value);
}

bool IsThemeActive()
{
    return ThemeServices()->ThemesEnabled();
}

bool IsAppThemed()
{
    return ThemeServices()->ThemesEnabled();
}

HTHEME OpenThemeData(HWND, const String& ClassList)
{
    if (!IsThemeActive())
        return nullptr;
    // The first known name of a ";"-separated list.
    for (const QString& Name : ClassList.split(QLatin1Char(';'))) {
        for (const TThemeClass& C : ThemeClasses)
            if (Name.trimmed().compare(QLatin1String(C.Name), Qt::CaseInsensitive) == 0)
                return &C;
    }
    return nullptr;
}

HRESULT CloseThemeData(HTHEME)
{
    return S_OK;
}

HRESULT DrawThemeBackground(HTHEME Theme, TCanvas* Canvas, Integer PartId, Integer StateId, const TRect& R,
                            const TRect* ClipRect)
{
    if (!Theme || !IsThemeActive())
        return E_FAIL;
    const auto* C = static_cast<const TThemeClass*>(Theme);
    TThemedElementDetails D;
    D.Element = C->Element;
    D.Part = PartId;
    D.State = StateId;
    ThemeServices()->DrawElement(Canvas, D, R, ClipRect);
    return S_OK;
}

HRESULT GetCurrentThemeName(String* FileName, String* ColorName, String* SizeName)
{
    if (!IsThemeActive())
        return E_FAIL;
    for (String* Name : {FileName, ColorName, SizeName})
        if (Name)
            Name->clear();
    return S_OK;
}
