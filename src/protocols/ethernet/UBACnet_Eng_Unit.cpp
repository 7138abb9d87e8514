#include "protocols/ethernet/UBACnet_Eng_Unit.h"

#include "shell/ULanguage.h"

TFBACnet_Eng_Unit* FBACnet_Eng_Unit = nullptr;

namespace {

// The engineering units of the BACnet standard, by number.
const char* const BACnet_Unit_Names[] = {
    /* 0 */ "square-meters", "square-feet", "milliamperes", "amperes",
    /* 4 */ "ohms", "volts", "kilovolts", "megavolts",
    /* 8 */ "volt-amperes", "kilovolt-amperes", "megavolt-amperes", "volt-amperes-reactive",
    /* 12 */ "kilovolt-amperes-reactive", "megavolt-amperes-reactive", "degrees-phase", "power-factor",
    /* 16 */ "joules", "kilojoules", "watt-hours", "kilowatt-hours",
    /* 20 */ "btus", "therms", "ton-hours", "joules-per-kilogram-dry-air",
    /* 24 */ "btus-per-pound-dry-air", "cycles-per-hour", "cycles-per-minute", "hertz",
    /* 28 */ "grams-of-water-per-kilogram-dry-air", "percent-relative-humidity", "millimeters", "meters",
    /* 32 */ "inches", "feet", "watts-per-square-foot", "watts-per-square-meter",
    /* 36 */ "lumens", "luxes", "foot-candles", "kilograms",
    /* 40 */ "pounds-mass", "tons", "kilograms-per-second", "kilograms-per-minute",
    /* 44 */ "kilograms-per-hour", "pounds-mass-per-minute", "pounds-mass-per-hour", "watts",
    /* 48 */ "kilowatts", "megawatts", "btus-per-hour", "horsepower",
    /* 52 */ "tons-refrigeration", "pascals", "kilopascals", "bars",
    /* 56 */ "pounds-force-per-square-inch", "centimeters-of-water", "inches-of-water", "millimeters-of-mercury",
    /* 60 */ "centimeters-of-mercury", "inches-of-mercury", "degrees-Celsius", "degrees-Kelvin",
    /* 64 */ "degrees-Fahrenheit", "degree-days-Celsius", "degree-days-Fahrenheit", "years",
    /* 68 */ "months", "weeks", "days", "hours",
    /* 72 */ "minutes", "seconds", "meters-per-second", "kilometers-per-hour",
    /* 76 */ "feet-per-second", "feet-per-minute", "miles-per-hour", "cubic-feet",
    /* 80 */ "cubic-meters", "imperial-gallons", "liters", "us-gallons",
    /* 84 */ "cubic-feet-per-minute", "cubic-meters-per-second", "imperial-gallons-per-minute", "liters-per-second",
    /* 88 */ "liters-per-minute", "us-gallons-per-minute", "degrees-angular", "degrees-Celsius-per-hour",
    /* 92 */ "degrees-Celsius-per-minute", "degrees-Fahrenheit-per-hour", "degrees-Fahrenheit-per-minute", "no-units",
    /* 96 */ "parts-per-million", "parts-per-billion", "percent", "percent-per-second",
    /* 100 */ "per-minute", "per-second", "psi-per-degree-Fahrenheit", "radians",
    /* 104 */ "revolutions-per-minute", "currency1", "currency2", "currency3",
    /* 108 */ "currency4", "currency5", "currency6", "currency7",
    /* 112 */ "currency8", "currency9", "currency10", "square-inches",
    /* 116 */ "square-centimeters", "btus-per-pound", "centimeters", "pounds-mass-per-second",
    /* 120 */ "delta-degrees-Fahrenheit", "delta-degrees-Kelvin", "kilohms", "megohms",
    /* 124 */ "millivolts", "kilojoules-per-kilogram", "megajoules", "joules-per-degree-Kelvin",
    /* 128 */ "joules-per-kilogram-degree-Kelvin", "kilohertz", "megahertz", "per-hour",
    /* 132 */ "milliwatts", "hectopascals", "millibars", "cubic-meters-per-hour",
    /* 136 */ "liters-per-hour", "kilowatt-hours-per-square-meter",
    /* 138 */ "kilowatt-hours-per-square-foot", "megajoules-per-square-meter",
    /* 140 */ "megajoules-per-square-foot", "watts-per-square-meter-degree-kelvin",
    /* 142 */ "cubic-feet-per-second", "percent-obscuration-per-foot",
    /* 144 */ "percent-obscuration-per-meter", "milliohms", "megawatt-hours", "kilo-btus",
    /* 148 */ "mega-btus", "kilojoules-per-kilogram-dry-air",
    /* 150 */ "megajoules-per-kilogram-dry-air", "kilojoules-per-degree-Kelvin",
    /* 152 */ "megajoules-per-degree-Kelvin", "Newton", "grams-per-second", "grams-per-minute",
    /* 156 */ "tons-per-hour", "kilo-btus-per-hour", "hundredths-seconds", "milliseconds",
    /* 160 */ "Newton-meters", "millimeters-per-second", "millimeters-per-minute", "meters-per-minute",
    /* 164 */ "meters-per-hour", "cubic-meters-per-minute", "meters-per-second-per-second", "amperes-per-meter",
    /* 168 */ "amperes-per-square-meter", "ampere-square-meters", "farads", "henrys",
    /* 172 */ "ohm-meters", "siemens", "siemens-per-meter", "teslas",
    /* 176 */ "volts-per-degree-Kelvin", "volts-per-meter", "webers", "candelas",
    /* 180 */ "candelas-per-square-meter", "degrees-Kelvin-per-hour", "degrees-Kelvin-per-minute", "joule-seconds",
    /* 184 */ "radians-per-second", "square-meters-per-Newton", "kilograms-per-cubic-meter", "Newton-seconds",
    /* 188 */ "Newtons-per-meter", "watts-per-meter-per-degree-Kelvin", "microsiemens", "cubic-feet-per-hour",
    /* 192 */ "us-gallons-per-hour", "kilometers", "micrometers", "grams",
    /* 196 */ "milligrams", "milliliters", "milliliters-per-second", "decibels",
    /* 200 */ "decibels-millivolt", "decibels-volt", "millisiemens", "watt-hours-reactive",
    /* 204 */ "kilowatt-hours-reactive", "megawatt-hours-reactive", "millimeters-of-water", "per-mille",
    /* 208 */ "grams-per-gram", "kilograms-per-kilogram", "grams-per-kilogram", "milligrams-per-gram",
    /* 212 */ "milligrams-per-kilogram", "grams-per-milliliter", "grams-per-liter", "milligrams-per-liter",
    /* 216 */ "micrograms-per-liter", "grams-per-cubic-meter",
    /* 218 */ "milligrams-per-cubic-meter", "micrograms-per-cubic-meter",
    /* 220 */ "nanograms-per-cubic-meter", "grams-per-cubic-centimeter", "becquerels", "kilobecquerels",
    /* 224 */ "megabecquerels", "gray", "milligray", "microgray",
    /* 228 */ "sieverts", "millisieverts", "microsieverts", "microsieverts-per-hour",
    /* 232 */ "decibels-a", "nephelometric-turbidity-unit", "ph", "grams-per-square-meter",
    /* 236 */ "minutes-per-degree-kelvin",
};

constexpr int Units_Acceleration[] = {166};
constexpr int Units_Area[] = {0, 116, 1, 115};
constexpr int Units_Currency[] = {105, 106, 107, 108, 109, 110, 111, 112, 113, 114};
constexpr int Units_Electrical[] = {2,   3,  167, 168, 169, 199, 200, 201, 170, 171, 4,   172,
                                    145, 122, 123, 190, 202, 173, 174, 175, 5,   124, 6,   7,
                                    8,   9,  10,  11,  12,  13,  176, 177, 14,  15,  178};
constexpr int Units_Energy[] = {16, 17, 125, 126, 18, 19, 146, 203, 204, 205, 20, 147, 148, 21, 22};
constexpr int Units_Enthalpy[] = {23, 149, 150, 24, 117};
constexpr int Units_Entropy[] = {127, 151, 152, 128};
constexpr int Units_Force[] = {153};
constexpr int Units_Frequency[] = {25, 26, 27, 129, 130, 131};
constexpr int Units_Humidity[] = {28, 29};
constexpr int Units_Length[] = {194, 30, 118, 193, 31, 32, 33};
constexpr int Units_Light[] = {179, 180, 34, 35, 36, 37, 38};
constexpr int Units_Mass[] = {196, 195, 39, 40, 41};
constexpr int Units_Mass_Flow[] = {154, 155, 42, 43, 44, 119, 45, 46, 156};
constexpr int Units_Power[] = {132, 47, 48, 49, 50, 157, 51, 52};
constexpr int Units_Pressure[] = {53, 133, 54, 134, 55, 56, 206, 57, 58, 59, 60, 61};
constexpr int Units_Temperature[] = {62, 63, 181, 182, 64, 65, 66, 120, 121};
constexpr int Units_Time[] = {67, 68, 69, 70, 71, 72, 73, 158, 159};
constexpr int Units_Torque[] = {160};
constexpr int Units_Velocity[] = {161, 162, 74, 163, 164, 75, 76, 77, 78};
constexpr int Units_Volume[] = {79, 80, 81, 197, 82, 83};
constexpr int Units_Volumetric_Flow[] = {142, 84, 191, 85, 165, 135, 86, 198, 87, 88, 136, 89, 192};
constexpr int Units_Other[] = {90,  91,  92,  93,  94,  183, 186, 137, 138, 139, 140, 95,  187, 188, 96,
                               97,  98,  143, 144, 99,  100, 101, 102, 103, 184, 104, 185, 189, 141, 207,
                               208, 209, 210, 211, 212, 213, 214, 215, 216, 217, 218, 219, 220, 221, 222,
                               223, 224, 225, 226, 227, 228, 229, 230, 231, 232, 233, 234, 235, 236};

const TBACnet_Unit_Category BACnet_Unit_Categories[] = {
    {"Acceleration", Units_Acceleration},
    {"Area", Units_Area},
    {"Currency", Units_Currency},
    {"Electrical", Units_Electrical},
    {"Energy", Units_Energy},
    {"Enthalpy", Units_Enthalpy},
    {"Entropy", Units_Entropy},
    {"Force", Units_Force},
    {"Frequency", Units_Frequency},
    {"Humidity", Units_Humidity},
    {"Length", Units_Length},
    {"Light", Units_Light},
    {"Mass", Units_Mass},
    {"Mass Flow", Units_Mass_Flow},
    {"Power", Units_Power},
    {"Pressure", Units_Pressure},
    {"Temperature", Units_Temperature},
    {"Time", Units_Time},
    {"Torque", Units_Torque},
    {"Velocity", Units_Velocity},
    {"Volume", Units_Volume},
    {"Volumetric Flow", Units_Volumetric_Flow},
    {"Other", Units_Other},
};

} // namespace

String TFBACnet_Eng_Unit::Desc_Unit(Int64 Num_Unit)
{
    if (Num_Unit < 0 || Num_Unit >= Int64(std::size(BACnet_Unit_Names)))
        return QStringLiteral("unknown");
    return QLatin1String(BACnet_Unit_Names[Num_Unit]);
}

std::span<const TBACnet_Unit_Category> TFBACnet_Eng_Unit::Categories()
{
    return BACnet_Unit_Categories;
}

TFBACnet_Eng_Unit::TFBACnet_Eng_Unit(TComponent* AOwner) : TShellForm(AOwner, Lang_First)
{
    Add_Button_Panel();
    Btn_OK->SetModalResult(mrOk);

    Label1 = Add_Label(16, 80);
    E_Selected_EU = new TEdit(this);
    E_Selected_EU->SetParent(this);
    E_Selected_EU->SetBounds(16, 98, 49, 21);
    Label5 = Add_Label(76, 101);
    Label2 = Add_Label(16, 134);
    Label2->Font()->SetStyle(TFontStyles{fsBold});
    Label3 = Add_Label(16, 156);
    Label4 = Add_Label(232, 156);

    CB_Select_Type = Make_List(16, 200);
    for (const TBACnet_Unit_Category& Category : Categories())
        CB_Select_Type->Items()->Add(QLatin1String(Category.Name));
    CB_Select_Type->SetItemIndex(0);
    CB_Select_Type->OnSelect = [this](TObject* Sender) { CB_Select_TypeSelect(Sender); };
    CB_Select_Unit = Make_List(232, 300);

    Btn_Select_Eng_Unit = new TLbButton(this);
    Btn_Select_Eng_Unit->SetParent(this);
    Shell_Button_Look(Btn_Select_Eng_Unit);
    Btn_Select_Eng_Unit->SetBounds(16, 208, 200, 28);
    Btn_Select_Eng_Unit->OnClick = [this](TObject* Sender) { Btn_Select_Eng_UnitClick(Sender); };

    OnShow = [this](TObject* Sender) { FormShow(Sender); };
}

TComboBox* TFBACnet_Eng_Unit::Make_List(Integer Left, Integer Width)
{
    auto* List = new TComboBox(this);
    List->SetParent(this);
    List->SetStyle(csDropDownList);
    List->SetBounds(Left, 172, Width, 21);
    return List;
}

void TFBACnet_Eng_Unit::FormCreate(TObject* Sender)
{
    SetClientWidth(548);
    SetClientHeight(306);
    Place_Buttons();
    TShellForm::FormCreate(Sender);
}

void TFBACnet_Eng_Unit::Set_Lang()
{
    TShellForm::Set_Lang();
    Btn_OK->SetCaption(Lang.Strings(2202));
    Btn_Cancel->SetCaption(Lang.Strings(2203));
    Label1->SetCaption(Lang.Strings(2204));
    Label2->SetCaption(Lang.Strings(2205));
    Label3->SetCaption(Lang.Strings(2206));
    Label4->SetCaption(Lang.Strings(2207));
    Btn_Select_Eng_Unit->SetCaption(Lang.Strings(2208));
}

void TFBACnet_Eng_Unit::FormShow(TObject* Sender)
{
    CB_Select_TypeSelect(Sender);
}

void TFBACnet_Eng_Unit::CB_Select_TypeSelect(TObject*)
{
    const Integer Category = CB_Select_Type->ItemIndex();
    CB_Select_Unit->Items()->Clear();
    if (Category < 0 || Category >= Integer(Categories().size()))
        return;
    for (const int Unit : Categories()[Category].Units)
        CB_Select_Unit->Items()->Add(Desc_Unit(Unit));
    CB_Select_Unit->SetItemIndex(0);
}

void TFBACnet_Eng_Unit::Btn_Select_Eng_UnitClick(TObject*)
{
    const Integer Category = CB_Select_Type->ItemIndex();
    const Integer Item = CB_Select_Unit->ItemIndex();
    if (Category < 0 || Category >= Integer(Categories().size()) || Item < 0 ||
        Item >= Integer(Categories()[Category].Units.size()))
        return;
    const int Unit = Categories()[Category].Units[Item];
    E_Selected_EU->SetText(IntToStr(Unit));
    Label5->SetCaption(QStringLiteral("-> ") + Desc_Unit(Unit));
}
