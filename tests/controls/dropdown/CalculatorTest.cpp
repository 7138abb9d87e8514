// The calculator's button panel and the calculator drop-down, driven by
// clicks on the panel and keys as a user gives them.
#include "controls/dropdown/ExCalculatorDropDown.h"

#include "DropDownFixture.h"
#include "common/ScopedThemes.h"

#include <cmath>

namespace {

constexpr TColor Black = 0x000000;

QPoint CentreOf(const TRect& R)
{
    return QPoint(R.Left + R.Width() / 2, R.Top + R.Height() / 2);
}

class ButtonPanelTest : public DropDownFixture {
protected:
    void SetUp() override
    {
        DropDownFixture::SetUp();
        P = Make<TCustomButtonPanel>(10, 10);
        P->SetBounds(10, 10, 230, 150);
        P->CreateButtons();
        P->OnButtonClick = [this](TObject*, Integer Index) { Clicks.push_back(Index); };
    }
    Integer IndexOf(const QString& Caption) const
    {
        for (Integer I = 0; I < P->Buttons()->Count(); ++I)
            if (P->Buttons()->GetItem(I)->Caption() == Caption)
                return I;
        return -1;
    }
    TRect RectOf(const QString& Caption) const { return P->Buttons()->GetItem(IndexOf(Caption))->BoundsRect(); }
    TCustomButtonPanel* P = nullptr;
    std::vector<Integer> Clicks;
};

class CalculatorTest : public DropDownFixture {
protected:
    void SetUp() override
    {
        DropDownFixture::SetUp();
        ShowForm();
        C = MakeDropDown<TExCalculatorDropdown>();
        C->SetFocus();
    }
    void Open()
    {
        if (!C->DroppedDown())
            Press(C, Qt::Key_F4);
        ASSERT_TRUE(C->DroppedDown());
    }
    void Close()
    {
        if (C->DroppedDown())
            Press(C, Qt::Key_F4);
        ASSERT_FALSE(C->DroppedDown());
    }
    // Clicks on the panel's buttons by caption ("" is the blank one).
    void Click(std::initializer_list<const char*> Captions)
    {
        for (const char* Caption : Captions) {
            Open();
            TCustomButtonPanel* P = C->ButtonPanel();
            Integer Index = -1;
            for (Integer I = 0; I < P->Buttons()->Count() && Index < 0; ++I)
                if (P->Buttons()->GetItem(I)->Caption() == QString::fromLatin1(Caption))
                    Index = I;
            ASSERT_GE(Index, 0) << Caption;
            QTest::mouseClick(P->Handle(), Qt::LeftButton, {}, CentreOf(P->Buttons()->GetItem(Index)->BoundsRect()));
        }
    }
    // Keys typed in the open pop-up.
    void TypeInPopup(const QString& Text)
    {
        Open();
        for (const QChar Ch : Text)
            QTest::keyClick(C->DropDownForm()->Handle(), Ch.toLatin1());
    }
    void PressInPopup(Qt::Key K)
    {
        Open();
        QTest::keyClick(C->DropDownForm()->Handle(), K);
    }
    QString Text() const { return C->Text(); }
    TExCalculatorDropdown* C = nullptr;
};

} // namespace

// ---------------------------------------------------------------- the panel

TEST_F(ButtonPanelTest, CalculatorLayoutAt230By150)
{
    ASSERT_EQ(P->Buttons()->Count(), 28);
    const Integer Columns[] = {8, 46, 79, 112, 150, 183};
    const char* TopRowOfColumn[] = {"MC", "7", "8", "9", "/", "sqrt"};
    for (int Col = 0; Col < 6; ++Col) {
        EXPECT_EQ(RectOf(QString::fromLatin1(TopRowOfColumn[Col])).Left, Columns[Col]) << Col;
        EXPECT_EQ(RectOf(QString::fromLatin1(TopRowOfColumn[Col])).Width(), 34);
    }
    EXPECT_EQ(RectOf(QStringLiteral("sqrt")).Right, 217);
    const Integer Rows[] = {8, 38, 63, 88, 113};
    const char* FirstOfRow[] = {"", "MC", "MR", "MS", "M+"};
    for (int Row = 0; Row < 5; ++Row) {
        EXPECT_EQ(RectOf(QString::fromLatin1(FirstOfRow[Row])).Top, Rows[Row]) << Row;
        EXPECT_EQ(RectOf(QString::fromLatin1(FirstOfRow[Row])).Height(), 26);
    }
    EXPECT_EQ(RectOf(QStringLiteral("Back")), TRect(46, 8, 100, 34));
    EXPECT_EQ(RectOf(QStringLiteral("CE")), TRect(104, 8, 158, 34));
    EXPECT_EQ(RectOf(QStringLiteral("C")), TRect(162, 8, 217, 34));
    EXPECT_EQ(RectOf(QStringLiteral("=")), TRect(183, 113, 217, 139));
    EXPECT_EQ(P->Buttons()->GetItem(IndexOf(QStringLiteral("Back")))->Tag(), 31);
    EXPECT_TRUE(P->Buttons()->GetItem(IndexOf(QStringLiteral("Back")))->Special());
    EXPECT_FALSE(P->Buttons()->GetItem(IndexOf(QStringLiteral("%")))->Special());
}

TEST_F(ButtonPanelTest, TheSharedPixelColumnHitsTheEarlierButton)
{
    ShowForm();
    EXPECT_EQ(P->ButtonAtPos(79, 40), IndexOf(QStringLiteral("7")));
    EXPECT_EQ(P->ButtonAtPos(80, 40), IndexOf(QStringLiteral("8")));
    EXPECT_EQ(P->ButtonAtPos(5, 5), -1);
    QTest::mouseClick(P->Handle(), Qt::LeftButton, {}, QPoint(79, 40));
    EXPECT_EQ(Clicks, std::vector<Integer>{IndexOf(QStringLiteral("7"))});
}

TEST_F(ButtonPanelTest, LeavingOrReleasingOverAnotherButtonClicksNothing)
{
    ShowForm();
    const QPoint Seven = CentreOf(RectOf(QStringLiteral("7")));
    const QPoint Nine = CentreOf(RectOf(QStringLiteral("9")));
    QTest::mousePress(P->Handle(), Qt::LeftButton, {}, Seven);
    EXPECT_EQ(P->ButtonDown(), IndexOf(QStringLiteral("7")));
    QTest::mouseMove(P->Handle(), QPoint(2, 2));
    QTest::mouseRelease(P->Handle(), Qt::LeftButton, {}, QPoint(2, 2));
    QTest::mousePress(P->Handle(), Qt::LeftButton, {}, Seven);
    QTest::mouseRelease(P->Handle(), Qt::LeftButton, {}, Nine);
    EXPECT_TRUE(Clicks.empty());
    EXPECT_EQ(P->ButtonDown(), -1);
}

TEST_F(ButtonPanelTest, TheHotButtonIsDrawnLast)
{
    ShowForm();
    QTest::mouseMove(P->Handle(), CentreOf(RectOf(QStringLiteral("5"))));
    EXPECT_EQ(P->ButtonHot(), IndexOf(QStringLiteral("5")));
    const std::vector<Integer> Order = P->PaintOrder();
    ASSERT_EQ(Order.size(), 28u);
    EXPECT_EQ(Order.back(), IndexOf(QStringLiteral("5")));
    // The hot face lies over the neighbour's shared pixel column.
    TScopedThemesOff Off;
    P->ButtonAppearance()->SetColorHot(0x0000FF);
    P->ButtonAppearance()->SetColorHotTo(clNone);
    P->ButtonAppearance()->SetBorderColorHot(0x0000FF);
    const QImage Image = P->Handle()->grab().toImage();
    const TRect Five = RectOf(QStringLiteral("5"));
    EXPECT_EQ(Image.pixel(Five.Left, Five.Top + 5), qRgb(255, 0, 0));
    EXPECT_EQ(Image.pixel(Five.Right - 1, Five.Top + 5), qRgb(255, 0, 0));
    QTest::mouseMove(P->Handle(), QPoint(2, 2));
    EXPECT_EQ(P->ButtonHot(), -1);
}

TEST_F(ButtonPanelTest, CustomPanelsKeepTheirRectanglesAndMakeNoButtons)
{
    auto* Custom = Make<TCustomButtonPanel>(0, 0);
    Custom->SetButtonPanelType(plCustom);
    Custom->CreateButtons();
    EXPECT_EQ(Custom->Buttons()->Count(), 0);
    TButtonItem* B = Custom->Buttons()->Add();
    B->SetLeft(3);
    B->SetTop(4);
    B->SetWidth(50);
    B->SetHeight(20);
    Custom->SetBounds(0, 0, 120, 90);
    Custom->ArrangeButtons();
    EXPECT_EQ(B->BoundsRect(), TRect(3, 4, 53, 24));
}

TEST_F(ButtonPanelTest, APanelOnItsOwnFramesItselfAHostedOneDoesNot)
{
    ShowForm();
    P->SetColor(0xFFFFFF);
    const auto FramePixel = [this] { return P->Handle()->grab().toImage().pixel(0, 70); };
    EXPECT_EQ(FramePixel(), qRgb(0, 0, 0));
    P->SetDropDown(MakeDropDown());
    P->Invalidate();
    EXPECT_EQ(FramePixel(), qRgb(255, 255, 255));
}

TEST_F(ButtonPanelTest, ADisabledButtonIsNeverHotPressedOrClicked)
{
    ShowForm();
    P->Buttons()->GetItem(IndexOf(QStringLiteral("4")))->SetEnabled(false);
    const QPoint Four = CentreOf(RectOf(QStringLiteral("4")));
    QTest::mouseMove(P->Handle(), CentreOf(RectOf(QStringLiteral("5"))));
    QTest::mouseMove(P->Handle(), Four);
    EXPECT_EQ(P->ButtonHot(), -1);
    QTest::mousePress(P->Handle(), Qt::LeftButton, {}, Four);
    EXPECT_EQ(P->ButtonDown(), -1);
    QTest::mouseRelease(P->Handle(), Qt::LeftButton, {}, Four);
    EXPECT_TRUE(Clicks.empty());
}

TEST_F(ButtonPanelTest, AShortCalculatorCollectionRaisesTheIndexError)
{
    P->Buttons()->Delete(27);
    EXPECT_THROW(P->ArrangeButtons(), EListError);
    P->ClearButtons();
    EXPECT_NO_THROW(P->ArrangeButtons());
    P->ResetButtons();
    EXPECT_EQ(P->Buttons()->Count(), 28);
}

TEST_F(ButtonPanelTest, AppearanceDefaultsAndAssign)
{
    TButtonAppearance A, B;
    EXPECT_EQ(A.Color(), TColor(0x9A915F));
    EXPECT_EQ(A.ColorDisabled(), TColor(0xF2F2F2));
    EXPECT_EQ(A.Font()->Size(), 10);
    EXPECT_EQ(A.SpecialTextColor(), clMaroon);
    int Changes = 0;
    B.OnChange = [&](TObject*) { ++Changes; };
    A.SetColorHot(0x010203);
    A.SetGlowColorDown(0x040506);
    B.Assign(&A);
    EXPECT_EQ(Changes, 1);
    EXPECT_EQ(B.ColorHot(), TColor(0x010203));
    EXPECT_EQ(B.GlowColorDown(), TColor(0x040506));
}

// ---------------------------------------------------------------- the calculator

TEST_F(CalculatorTest, ConstructionAndStyleCopy)
{
    EXPECT_EQ(C->DropDownWidth(), 230);
    EXPECT_EQ(C->EditType(), etFloat);
    EXPECT_EQ(C->Precision(), 2);
    EXPECT_FALSE(C->DropDownHeader()->Visible());
    EXPECT_TRUE(C->CalculatorClosed());
    ASSERT_NE(C->ButtonPanel(), nullptr);
    EXPECT_EQ(C->ButtonPanel()->Buttons()->Count(), 28);
    TButtonAppearance* A = C->CalcButtonAppearance();
    EXPECT_EQ(A->ColorHot(), C->ButtonAppearance()->ColorHot());
    EXPECT_EQ(A->GlowColorHot(), C->ButtonAppearance()->ColorDownTo());
    EXPECT_EQ(A->GlowColorDown(), TColor(0xD5C244));
    C->SetComponentStyle(tsOffice2010Blue);
    EXPECT_EQ(A->Color(), TColor(0xFDF6EF));
    EXPECT_EQ(A->GlowColorHot(), TColor(0x8AE3FD));
    EXPECT_EQ(A->GlowColorDown(), TColor(0x8AE3FD));
    EXPECT_EQ(A->ColorChecked(), C->ButtonAppearance()->ColorDisabledTo());
    EXPECT_EQ(A->BorderColorChecked(), C->ButtonAppearance()->BorderColorDisabled());
    EXPECT_EQ(A->ColorCheckedTo(), C->ButtonAppearance()->ColorHotTo());
    Open();
    EXPECT_FALSE(C->CalculatorClosed());
    EXPECT_EQ(C->ButtonPanel()->ButtonAppearance()->Color(), TColor(0xFDF6EF));
}

TEST_F(CalculatorTest, ButtonSequencesShowTheirResults)
{
    struct TCase {
        std::vector<const char*> Buttons;
        const char* Shown;
    };
    const TCase Cases[] = {
        {{"7", "8", ".", "5"}, "78.50"},
        {{"1", ".", "5", "CE", "3"}, "3.00"},
        {{"5", "/", "0", "="}, "Error"},
        {{"5", "/", "0", "=", "+"}, "0.00"},
        {{"5", "/", "0", "=", "8"}, "8.00"},
        {{"2", "0", "0", "+", "1", "0", "%"}, "20.00"},
        {{"2", "0", "0", "+", "1", "0", "%", "="}, "220.00"},
        {{"1", "6", "sqrt"}, "4.00"},
        {{"4", "+/-", "sqrt"}, "Error"},
        {{"0", "1/x"}, "Error"},
        {{"4", "1/x"}, "0.25"},
        {{"1", "2", "3", "Back"}, "12.00"},
        {{"1", "2", "+", "3", "Back"}, "3.00"},
        {{"5", "+/-", "3"}, "-47.00"},
        {{"5", "+/-", ".", "3"}, "-4.70"},
        {{"5", "+/-", "+/-"}, "5.00"},
        {{"1", "2", "MS", "C", "MR"}, "12.00"},
        {{"1", "2", "MS", "C", "3", "M+", "MR"}, "15.00"},
        {{"1", "2", "MS", "MC", "MR"}, "0.00"},
        {{"1", "2", "+", "3", "="}, "15.00"},
        {{"9", "", "4"}, "4.00"},
    };
    for (const TCase& Case : Cases) {
        C->SetText(QString());
        Click({"C"});
        for (const char* B : Case.Buttons)
            Click({B});
        EXPECT_EQ(Text(), QString::fromLatin1(Case.Shown)) << Case.Buttons.size() << " " << Case.Shown;
    }
}

TEST_F(CalculatorTest, PercentWithoutAPendingOperationUsesTheLastResult)
{
    Click({"5", "*", "4", "=", "1", "0", "%"});
    EXPECT_EQ(Text(), QStringLiteral("2.00"));
}

TEST_F(CalculatorTest, MemoryKeysKeepThePendingOperationAndReadErrorAsZero)
{
    Click({"7", "+", "MS"});
    EXPECT_EQ(C->PendingOperation(), 0);
    EXPECT_EQ(C->Memory(), 7);
    Click({"5", "/", "0", "=", "M+"});
    EXPECT_EQ(Text(), QStringLiteral("Error"));
    EXPECT_EQ(C->Memory(), 7);
    Click({"MS"});
    EXPECT_EQ(C->Memory(), 0);
}

TEST_F(CalculatorTest, UnreadableTextsReadAsZeroWithoutAnError)
{
    C->SetPlainText(QStringLiteral("abc"));
    EXPECT_EQ(C->Value(), 0);
    Open();
    C->SetPlainText(QStringLiteral("abc"));
    Click({"+"});
    EXPECT_EQ(Text(), QStringLiteral("0.00"));
    C->SetPlainText(QStringLiteral("abc"));
    Click({"MS", "M+", "%", "="});
    EXPECT_EQ(C->Memory(), 0);
    EXPECT_EQ(Text(), QStringLiteral("0.00"));
}

TEST_F(CalculatorTest, ANonFiniteResultShowsZero)
{
    C->SetText(QStringLiteral("1e300"));
    Click({"*"});
    C->SetText(QStringLiteral("1e300"));
    Click({"="});
    EXPECT_EQ(Text(), QStringLiteral("0.00"));
    EXPECT_EQ(C->Accumulator(), 0);
    C->SetValue(std::numeric_limits<double>::infinity());
    EXPECT_EQ(Text(), QStringLiteral("0.00"));
    Click({"1"});
    C->SetText(QStringLiteral("1e308"));
    Click({"9"});
    EXPECT_EQ(Text(), QStringLiteral("0.00"));
    for (const QString& Bad : {QStringLiteral("inf"), QStringLiteral("nan"), QStringLiteral("-1e999")}) {
        C->SetPlainText(Bad);
        Click({"sqrt"});
        EXPECT_FALSE(Text().contains(QStringLiteral("inf"), Qt::CaseInsensitive)) << Bad.toStdString();
        EXPECT_FALSE(Text().contains(QStringLiteral("nan"), Qt::CaseInsensitive)) << Bad.toStdString();
    }
}

TEST_F(CalculatorTest, ManyDecimalDigitsKeepTheDivisorInRange)
{
    Click({"1", "."});
    for (int I = 0; I < 25; ++I)
        Click({"1"});
    EXPECT_EQ(Text(), QStringLiteral("1.11"));
}

TEST_F(CalculatorTest, MaxLengthStopsDigitsSignAndPointButNotOperators)
{
    C->SetMaxLength(5);
    Click({"1", "2"});
    ASSERT_EQ(Text(), QStringLiteral("12.00"));
    C->SetModified(false);
    Click({"3", "+/-", "."});
    EXPECT_EQ(Text(), QStringLiteral("12.00"));
    EXPECT_FALSE(C->GetIsModified());
    Click({"+"});
    EXPECT_EQ(C->PendingOperation(), 0);
    EXPECT_TRUE(C->GetIsModified());
}

TEST_F(CalculatorTest, ThousandSeparatorsShowAndReadBack)
{
    Click({"1", "2", "3", "4"});
    C->SetShowThousandSeparator(true);
    EXPECT_EQ(C->EditType(), etMoney);
    EXPECT_EQ(Text(), QStringLiteral("1,234.00"));
    Click({"*", "1", "0", "0", "0", "="});
    EXPECT_EQ(Text(), QStringLiteral("1,234,000.00"));
    EXPECT_EQ(C->Value(), 1234000);
    Click({"MS", "C", "MR"});
    EXPECT_EQ(Text(), QStringLiteral("1,234,000.00"));
    C->SetShowThousandSeparator(false);
    EXPECT_EQ(Text(), QStringLiteral("1234000.00"));
}

TEST_F(CalculatorTest, KeysInThePopupCalculateAndEnterCloses)
{
    TypeInPopup(QStringLiteral("12+3="));
    EXPECT_EQ(Text(), QStringLiteral("15.00"));
    EXPECT_TRUE(C->DroppedDown());
    TypeInPopup(QStringLiteral("C"));
    EXPECT_EQ(Text(), QStringLiteral("0.00"));
    EXPECT_EQ(C->Accumulator(), 0);
    EXPECT_EQ(C->PendingOperation(), -1);
    TypeInPopup(QStringLiteral("12+3"));
    PressInPopup(Qt::Key_Return);
    EXPECT_EQ(Text(), QStringLiteral("15.00"));
    EXPECT_FALSE(C->DroppedDown());
}

TEST_F(CalculatorTest, EscapeCancelsTabAndF4Keep)
{
    TypeInPopup(QStringLiteral("7"));
    PressInPopup(Qt::Key_Tab);
    EXPECT_FALSE(C->DroppedDown());
    EXPECT_EQ(Text(), QStringLiteral("7.00"));
    TypeInPopup(QStringLiteral("8"));
    PressInPopup(Qt::Key_F4);
    EXPECT_FALSE(C->DroppedDown());
    EXPECT_EQ(Text(), QStringLiteral("8.00"));
    Click({"4", "+", "5"});
    PressInPopup(Qt::Key_Escape);
    EXPECT_FALSE(C->DroppedDown());
    EXPECT_EQ(Text(), QStringLiteral("5.00"));
    TypeInPopup(QStringLiteral("12"));
    PressInPopup(Qt::Key_Escape);
    EXPECT_EQ(Text(), QStringLiteral("1.00"));
}

TEST_F(CalculatorTest, TypingInTheClosedEdit)
{
    Click({"6", "="});
    Close();
    // A shown result is replaced by the first digit.
    TypeText(C, QStringLiteral("4"));
    EXPECT_EQ(Text(), QStringLiteral("4.00"));
    EXPECT_EQ(C->SelStart(), 1);
    TypeText(C, QStringLiteral("2"));
    EXPECT_EQ(Text(), QStringLiteral("42.00"));
    // Operators do nothing in the closed edit.
    TypeText(C, QStringLiteral("+*/%=c"));
    EXPECT_EQ(Text(), QStringLiteral("42.00"));
    EXPECT_EQ(C->PendingOperation(), -1);
    C->SetPlainText(QStringLiteral("7"));
    C->SetSelStart(1);
    Press(C, Qt::Key_Backspace);
    EXPECT_EQ(Text(), QStringLiteral("0.00"));
}
