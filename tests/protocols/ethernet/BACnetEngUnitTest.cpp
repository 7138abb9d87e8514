// The engineering-unit picker: the names and categories of the units, the
// choice of a unit and what the dialog gives back.
#include "shell/MainWindowFixture.h"

#include "protocols/ethernet/UBACnet_Eng_Unit.h"

#include <QRegularExpression>

#include <set>

class BACnetEngUnitTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        Start();
        Picker = FBACnet_Eng_Unit;
        ASSERT_NE(nullptr, Picker);
    }
    // Shows the picker as the object tables do for a cell holding Cell;
    // Action runs while it is open. The modal result.
    TModalResult Show(const String& Cell, std::function<void()> Action)
    {
        Picker->E_Selected_EU->SetText(Cell);
        Picker->Label5->SetCaption(QStringLiteral("-> ") + TFBACnet_Eng_Unit::Desc_Unit(StrToIntDef(Cell, -1)));
        OnModal(Picker, Action);
        return Picker->ShowModal();
    }
    // Chooses category Category, then the unit Item gives, as the user does.
    void Choose(Integer Category, std::function<Integer()> Item)
    {
        Picker->CB_Select_Type->SetItemIndex(Category);
        Picker->CB_Select_TypeSelect(Picker->CB_Select_Type);
        Picker->CB_Select_Unit->SetItemIndex(Item());
        Picker->Btn_Select_Eng_Unit->Click();
    }
    QStringList Listed() const
    {
        QStringList Names;
        for (Integer I = 0; I < Picker->CB_Select_Unit->Items()->Count(); ++I)
            Names << Picker->CB_Select_Unit->Items()->Strings(I);
        return Names;
    }

    TFBACnet_Eng_Unit* Picker = nullptr;
};

TEST_F(BACnetEngUnitTest, UnitNamesOfTheStandard)
{
    const std::pair<Int64, const char*> Names[] = {
        {0, "square-meters"},
        {51, "horsepower"},
        {62, "degrees-Celsius"},
        {64, "degrees-Fahrenheit"},
        {95, "no-units"},
        {141, "watts-per-square-meter-degree-kelvin"},
        {185, "square-meters-per-Newton"},
        {207, "per-mille"},
        {234, "ph"},
        {236, "minutes-per-degree-kelvin"},
        {237, "unknown"},
        {-1, "unknown"},
        {65535, "unknown"},
    };
    for (const auto& [Number, Name] : Names)
        EXPECT_EQ(QLatin1String(Name), TFBACnet_Eng_Unit::Desc_Unit(Number)) << Number;
    // Names are lower-case words joined by "-", but for the four names
    // written with a capital.
    for (Int64 N = 0; N <= 236; ++N) {
        String Name = TFBACnet_Eng_Unit::Desc_Unit(N);
        for (const char* Capital : {"Celsius", "Fahrenheit", "Kelvin", "Newton"})
            Name.replace(QLatin1String(Capital), QLatin1String(Capital).toString().toLower());
        EXPECT_TRUE(QRegularExpression(QStringLiteral("^[a-z0-9]+(-[a-z0-9]+)*$")).match(Name).hasMatch()) << N;
    }
}

TEST_F(BACnetEngUnitTest, EveryUnitStandsInExactlyOneCategory)
{
    const auto Categories = TFBACnet_Eng_Unit::Categories();
    ASSERT_EQ(23u, Categories.size());
    EXPECT_STREQ("Acceleration", Categories[0].Name);
    EXPECT_STREQ("Other", Categories[22].Name);
    std::multiset<int> Seen;
    for (const TBACnet_Unit_Category& Category : Categories)
        Seen.insert(Category.Units.begin(), Category.Units.end());
    EXPECT_EQ(237u, Seen.size());
    for (int N = 0; N <= 236; ++N)
        EXPECT_EQ(1u, Seen.count(N)) << N;
    ASSERT_EQ(23, Picker->CB_Select_Type->Items()->Count());
    EXPECT_EQ(QStringLiteral("Volumetric Flow"), Picker->CB_Select_Type->Items()->Strings(21));
}

TEST_F(BACnetEngUnitTest, ChoosingAUnitFillsTheEditAndTheLabel)
{
    String Label;
    const TModalResult Result = Show(QStringLiteral("62"), [&] {
        Label = Picker->Label5->Caption();
        Choose(14, [] { return 6; });
        Picker->Btn_OK->Click();
    });
    EXPECT_EQ(QStringLiteral("-> degrees-Celsius"), Label);
    EXPECT_EQ(mrOk, Result);
    EXPECT_EQ(QStringLiteral("51"), Picker->E_Selected_EU->Text());
    EXPECT_EQ(QStringLiteral("-> horsepower"), Picker->Label5->Caption());

    // "Other", "per-mille".
    Show(QStringLiteral("x"), [&] {
        Label = Picker->Label5->Caption();
        Choose(22, [this] { return Integer(Listed().indexOf(QStringLiteral("per-mille"))); });
        Picker->Btn_OK->Click();
    });
    EXPECT_EQ(QStringLiteral("-> unknown"), Label);
    EXPECT_EQ(QStringLiteral("207"), Picker->E_Selected_EU->Text());
    EXPECT_EQ(QStringLiteral("-> per-mille"), Picker->Label5->Caption());
}

TEST_F(BACnetEngUnitTest, ATypedNumberIsReturnedAsItStands)
{
    const TModalResult Result = Show(QStringLiteral("62"), [&] {
        Picker->E_Selected_EU->SetText(QStringLiteral("999"));
        Picker->Btn_OK->Click();
    });
    EXPECT_EQ(mrOk, Result);
    EXPECT_EQ(QStringLiteral("999"), Picker->E_Selected_EU->Text());
    EXPECT_EQ(QStringLiteral("-> degrees-Celsius"), Picker->Label5->Caption());

    EXPECT_EQ(mrCancel, Show(QStringLiteral("62"), [&] { Picker->Btn_Cancel->Click(); }));
}

// The category of the last use stays selected, and its units are listed.
TEST_F(BACnetEngUnitTest, TheLastCategoryIsShownAgain)
{
    QStringList First;
    Show(QStringLiteral("0"), [&] {
        First = Listed();
        Choose(16, [] { return 2; });
        Picker->Btn_Cancel->Click();
    });
    EXPECT_EQ(QStringList{QStringLiteral("meters-per-second-per-second")}, First);

    // Another category in the box, its list not refilled: the showing
    // refills it.
    Picker->CB_Select_Unit->Items()->Clear();
    Integer Category = -1;
    QStringList Units;
    Show(QStringLiteral("0"), [&] {
        Category = Picker->CB_Select_Type->ItemIndex();
        Units = Listed();
        Picker->Btn_Cancel->Click();
    });
    EXPECT_EQ(16, Category);
    ASSERT_EQ(9, Units.size());
    EXPECT_EQ(QStringLiteral("degrees-Celsius"), Units[0]);
    EXPECT_EQ(QStringLiteral("delta-degrees-Kelvin"), Units[8]);
}
