// The date-time picker over Qt's date-time edit.
#include "rtl/ComCtrls.h"

#include "rtl/ControlBridge.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QDateTimeEdit>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QLineEdit>

#include <algorithm>
#include <cmath>

namespace {

// Text as a quoted literal of a Qt format ('' stands for a quote).
String QtLiteral(const String& Text)
{
    String Quoted = Text;
    Quoted.replace(QLatin1Char('\''), QLatin1String("''"));
    return QLatin1Char('\'') + Quoted + QLatin1Char('\'');
}

qsizetype RunLength(const String& S, qsizetype From)
{
    qsizetype N = 1;
    while (From + N < S.size() && S[From + N] == S[From])
        ++N;
    return N;
}

// The text of a quoted part starting at From (a quote); From moves past it.
String QuotedPart(const String& S, qsizetype& From)
{
    String Text;
    qsizetype I = From + 1;
    while (I < S.size()) {
        if (S[I] == u'\'') {
            if (I + 1 < S.size() && S[I + 1] == u'\'') {
                Text += QLatin1Char('\'');
                I += 2;
                continue;
            }
            ++I;
            break;
        }
        Text += S[I++];
    }
    From = I;
    return Text;
}

QDateTime ToQDateTime(TDateTime Value)
{
    TSystemTime ST;
    DateTimeToSystemTime(Value, ST);
    return QDateTime(QDate(ST.wYear, ST.wMonth, ST.wDay),
                     QTime(ST.wHour, ST.wMinute, ST.wSecond, ST.wMilliseconds), Qt::UTC);
}

TDateTime FromQDateTime(const QDateTime& Value)
{
    TSystemTime ST;
    ST.wYear = Word(Value.date().year());
    ST.wMonth = Word(Value.date().month());
    ST.wDay = Word(Value.date().day());
    ST.wHour = Word(Value.time().hour());
    ST.wMinute = Word(Value.time().minute());
    ST.wSecond = Word(Value.time().second());
    ST.wMilliseconds = Word(Value.time().msec());
    return SystemTimeToDateTime(ST);
}

} // namespace

String PickerFormatToQt(const String& Format)
{
    String Out;
    qsizetype I = 0;
    while (I < Format.size()) {
        const QChar C = Format[I];
        if (C == u'\'') {
            Out += QtLiteral(QuotedPart(Format, I));
            continue;
        }
        const qsizetype N = RunLength(Format, I);
        switch (C.unicode()) {
        case u'd': case u'M': Out += String(std::min<qsizetype>(N, 4), C); break;
        case u'y': Out += N <= 2 ? QStringLiteral("yy") : QStringLiteral("yyyy"); break;
        case u'h': case u'H': case u'm': case u's': Out += String(std::min<qsizetype>(N, 2), C); break;
        case u't': Out += QStringLiteral("AP"); break;
        default: Out += C.isLetter() ? QtLiteral(String(N, C)) : String(N, C); break;
        }
        I += N;
    }
    return Out;
}

namespace {

// The AM/PM token of a framework pattern at From (its length, 0 for none).
qsizetype AmPmTokenAt(const String& Pattern, qsizetype From)
{
    for (const char* Token : {"am/pm", "ampm", "a/p"}) {
        const QLatin1String T(Token);
        if (Pattern.mid(From, T.size()).compare(T, Qt::CaseInsensitive) == 0)
            return T.size();
    }
    return 0;
}

} // namespace

String PatternToPickerFormat(const String& Pattern, const TFormatSettings& Settings)
{
    bool Twelve = false;
    for (qsizetype I = 0; I < Pattern.size() && !Twelve; ++I)
        Twelve = AmPmTokenAt(Pattern, I) > 0;
    String Out;
    QChar LastField;
    qsizetype I = 0;
    while (I < Pattern.size()) {
        const QChar C = Pattern[I];
        if (C == u'\'' || C == u'"') {
            const qsizetype End = Pattern.indexOf(C, I + 1);
            Out += QtLiteral(Pattern.mid(I + 1, End < 0 ? -1 : End - I - 1));
            I = End < 0 ? Pattern.size() : End + 1;
            continue;
        }
        if (const qsizetype Len = AmPmTokenAt(Pattern, I)) {
            Out += QStringLiteral("tt");
            I += Len;
            continue;
        }
        qsizetype N = 1;
        while (I + N < Pattern.size() && Pattern[I + N].toLower() == C.toLower())
            ++N;
        QChar Field = C.toLower();
        // "m" after an hour is the minute, as in the framework's patterns.
        if (Field == u'm' && LastField == u'h')
            Field = u'n';
        switch (Field.unicode()) {
        case u'd': Out += String(N, QLatin1Char('d')); break;
        case u'm': Out += String(N, QLatin1Char('M')); break;
        case u'y': Out += String(N, QLatin1Char('y')); break;
        case u'h': Out += String(std::min<qsizetype>(N, 2), QLatin1Char(Twelve ? 'h' : 'H')); break;
        case u'n': Out += String(std::min<qsizetype>(N, 2), QLatin1Char('m')); break;
        case u's': Out += String(std::min<qsizetype>(N, 2), QLatin1Char('s')); break;
        case u'/': Out += String(N, Settings.DateSeparator); break;
        case u':': Out += String(N, Settings.TimeSeparator); break;
        default: Out += C.isLetter() ? QtLiteral(String(N, C)) : String(N, C); break;
        }
        if (Field.isLetter())
            LastField = Field;
        I += N;
    }
    return Out;
}

// ---------------------------------------------------------------- widget

namespace {

// The largest value a typed number may give the section (hours of a
// 12-hour clock with Twelve).
int SectionMaximum(QDateTimeEdit::Section S, const QDate& D, bool Twelve)
{
    switch (S) {
    case QDateTimeEdit::DaySection: return D.daysInMonth();
    case QDateTimeEdit::MonthSection: return 12;
    case QDateTimeEdit::YearSection: return 9999;
    case QDateTimeEdit::HourSection: return Twelve ? 12 : 23;
    case QDateTimeEdit::MinuteSection: case QDateTimeEdit::SecondSection: return 59;
    case QDateTimeEdit::MSecSection: return 999;
    default: return 0;
    }
}

// The value with one section replaced; the day is clipped to the month.
QDateTime WithSection(const QDateTime& V, QDateTimeEdit::Section S, int Value, bool Twelve)
{
    QDate D = V.date();
    QTime T = V.time();
    int Y = D.year(), M = D.month();
    switch (S) {
    case QDateTimeEdit::DaySection: D = QDate(Y, M, Value); break;
    case QDateTimeEdit::MonthSection: M = Value; break;
    case QDateTimeEdit::YearSection: Y = Value; break;
    case QDateTimeEdit::HourSection:
        T = QTime(Twelve ? Value % 12 + (T.hour() >= 12 ? 12 : 0) : Value, T.minute(), T.second(), T.msec());
        break;
    case QDateTimeEdit::MinuteSection: T = QTime(T.hour(), Value, T.second(), T.msec()); break;
    case QDateTimeEdit::SecondSection: T = QTime(T.hour(), T.minute(), Value, T.msec()); break;
    case QDateTimeEdit::MSecSection: T = QTime(T.hour(), T.minute(), T.second(), Value); break;
    default: break;
    }
    if (S == QDateTimeEdit::MonthSection || S == QDateTimeEdit::YearSection)
        D = QDate(Y, M, std::min(D.day(), QDate(Y, M, 1).daysInMonth()));
    return QDateTime(D, T, Qt::UTC);
}

} // namespace

// The date-time edit with the picker's keyboard, its check box before the
// fields and the calendar's showing and hiding told to the control. The
// keyboard is the platform picker's: Left and Right move from field to
// field, and a typed digit changes the selected field at once (a year when
// all its digits are typed); the field stays selected, so the next digit
// adds to it until it is full.
class TPickerBridge : public TBridge<QDateTimeEdit> {
public:
    TPickerBridge()
    {
        setTimeSpec(Qt::UTC);
        QObject::connect(this, &QDateTimeEdit::dateTimeChanged, this, [this](const QDateTime&) {
            if (auto* P = Picker())
                P->RunAsEvent([P] { P->UserChangedValue(); });
        });
    }

    TDateTimePicker* Picker() const { return static_cast<TDateTimePicker*>(Control); }
    QLineEdit* Fields() const { return lineEdit(); }

    void SetCheckBox(bool Show)
    {
        if (Show && !CheckBox) {
            CheckBox = new QCheckBox(this);
            CheckBox->setFocusPolicy(Qt::NoFocus);
            QObject::connect(CheckBox, &QCheckBox::clicked, this, [this](bool Value) {
                if (auto* P = Picker())
                    P->RunAsEvent([P, Value] { P->UserToggledCheckBox(Value); });
            });
            CheckBox->show();
        } else if (!Show && CheckBox) {
            delete CheckBox;
            CheckBox = nullptr;
        }
        PlaceFields();
    }

    void WatchCalendar()
    {
        if (QCalendarWidget* Cal = calendarPopup() ? calendarWidget() : nullptr; Cal && Cal->window() != Watched) {
            Watched = Cal->window();
            Watched->installEventFilter(this);
        }
    }

    // The fields start right of the check box.
    void PlaceFields()
    {
        if (!CheckBox)
            return;
        const QSize Box = CheckBox->sizeHint();
        CheckBox->setGeometry(3, (height() - Box.height()) / 2, Box.width(), Box.height());
        QRect G = lineEdit()->geometry();
        const int Left = CheckBox->geometry().right() + 3;
        if (G.left() < Left)
            lineEdit()->setGeometry(G.adjusted(Left - G.left(), 0, 0, 0));
    }

    QCheckBox* CheckBox = nullptr;

protected:
    void keyPressEvent(QKeyEvent* E) override
    {
        const bool Plain = !(E->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
        const bool AltDown = E->key() == Qt::Key_Down && E->modifiers() == Qt::AltModifier;
        if ((E->key() == Qt::Key_F4 && Plain) || AltDown) {
            DropCalendar();
        } else if (Plain && (E->key() == Qt::Key_Left || E->key() == Qt::Key_Right)) {
            MoveField(E->key() == Qt::Key_Right ? 1 : -1);
        } else if (Plain && !isReadOnly() && E->text().size() == 1 && E->text()[0].isDigit()) {
            TypeDigit(E->text()[0].digitValue());
        } else {
            Typed.clear();
            QDateTimeEdit::keyPressEvent(E);
        }
    }
    void resizeEvent(QResizeEvent* E) override
    {
        QDateTimeEdit::resizeEvent(E);
        PlaceFields();
    }
    void changeEvent(QEvent* E) override
    {
        QDateTimeEdit::changeEvent(E);
        PlaceFields();
    }
    bool eventFilter(QObject* Object, QEvent* E) override
    {
        if (Object == Watched && (E->type() == QEvent::Show || E->type() == QEvent::Hide))
            if (auto* P = Picker()) {
                const bool Shown = E->type() == QEvent::Show;
                P->RunAsEvent([P, Shown] { P->Notify(Shown ? DTN_DROPDOWN : DTN_CLOSEUP); });
            }
        return QDateTimeEdit::eventFilter(Object, E);
    }

private:
    // As a press on the drop-down arrow at the right end does.
    void DropCalendar()
    {
        if (!calendarPopup() || isReadOnly())
            return;
        const QPointF Arrow(width() - 4, height() / 2);
        QMouseEvent Press(QEvent::MouseButtonPress, Arrow, mapToGlobal(Arrow), Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
        QDateTimeEdit::mousePressEvent(&Press);
    }

    void MoveField(int Step)
    {
        Typed.clear();
        const int Index = std::clamp(currentSectionIndex() + Step, 0, std::max(sectionCount() - 1, 0));
        setCurrentSectionIndex(Index);
        setSelectedSection(sectionAt(Index));
    }

    void TypeDigit(int Digit)
    {
        const Section S = currentSection();
        const bool Twelve = displayedSections() & AmPmSection;
        const int Max = SectionMaximum(S, date(), Twelve);
        if (Max == 0)
            return;
        const int Digits = S == YearSection ? (displayFormat().contains(QLatin1String("yyyy")) ? 4 : 2)
                                            : int(QString::number(Max).size());
        if (S != TypedSection || Typed.size() >= Digits || (Typed + QString::number(Digit)).toInt() > Max)
            Typed.clear();
        TypedSection = S;
        Typed += QString::number(Digit);
        int Value = Typed.toInt();
        const bool DayOrMonth = S == DaySection || S == MonthSection;
        if (S == YearSection) {
            if (Typed.size() < Digits)
                return; // a year is taken whole
            if (Digits == 2)
                Value += date().year() / 100 * 100;
        } else if (DayOrMonth && Value == 0) {
            return; // waits for the next digit
        }
        setDateTime(WithSection(dateTime(), S, Value, Twelve));
        setSelectedSection(S);
    }

    QObject* Watched = nullptr;
    QString Typed;
    Section TypedSection = NoSection;
};

namespace {

TPickerBridge* Bridge(const TDateTimePicker* P)
{
    return static_cast<TPickerBridge*>(P->DateTimeEdit());
}

} // namespace

// ---------------------------------------------------------------- TDateTimePicker

TDateTimePicker::TDateTimePicker(TComponent* AOwner) : TWinControl(AOwner)
{
    SetWidget(new TPickerBridge());
    SetTabStop(true);
    SetParentColor(false);
    SetColor(clWindow);
    SetBounds(Left(), Top(), 186, 21);
    FDateTime = Now();
    SetKind(dtkDate);
    SetDateTime(FDateTime);
}

TDateTimePicker::~TDateTimePicker() = default;

QDateTimeEdit* TDateTimePicker::DateTimeEdit() const
{
    return static_cast<QDateTimeEdit*>(Handle());
}

QWidget* TDateTimePicker::CheckBoxWidget() const
{
    return Bridge(this)->CheckBox;
}

void TDateTimePicker::ApplyFocusPolicy()
{
    Handle()->setFocusPolicy(TabStop() ? Qt::StrongFocus : Qt::ClickFocus);
}

void TDateTimePicker::ApplyColor()
{
    const QColor C = ColorToQColor(Color());
    if (!C.isValid())
        return;
    QPalette P = Handle()->palette();
    P.setColor(QPalette::Base, C);
    Handle()->setPalette(P);
}

String TDateTimePicker::GetText() const
{
    return DateTimeEdit()->text();
}

void TDateTimePicker::WMGetDlgCode(TWMGetDlgCode& Message)
{
    Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS;
}

void TDateTimePicker::SetKind(TDateTimeKind Value)
{
    FKind = Value;
    DateTimeEdit()->setCalendarPopup(Value == dtkDate && FDateMode == dmComboBox);
    ApplyFormat();
}

void TDateTimePicker::SetDateMode(TDTDateMode Value)
{
    FDateMode = Value;
    SetKind(FKind);
}

void TDateTimePicker::SetFormat(const String& Value)
{
    FFormat = Value;
    ApplyFormat();
}

void TDateTimePicker::ApplyFormat()
{
    const String Format = !FFormat.isEmpty() ? FFormat
                          : FKind == dtkDate
                              ? PatternToPickerFormat(FormatSettings.ShortDateFormat, FormatSettings)
                              : PatternToPickerFormat(FormatSettings.LongTimeFormat, FormatSettings);
    FSettingValue = true;
    DateTimeEdit()->setDisplayFormat(PickerFormatToQt(Format));
    DateTimeEdit()->setDateTime(ToQDateTime(FDateTime));
    FSettingValue = false;
    Bridge(this)->WatchCalendar();
    Bridge(this)->PlaceFields();
}

void TDateTimePicker::SetDateTime(TDateTime Value)
{
    TSystemTime ST;
    DateTimeToSystemTime(Value, ST);
    Perform(DTM_SETSYSTEMTIME, GDT_VALID, LPARAM(&ST));
}

TDateTime TDateTimePicker::Date() const
{
    return std::trunc(FDateTime);
}

void TDateTimePicker::SetDate(TDateTime Value)
{
    SetDateTime(std::trunc(Value) + (FDateTime - std::trunc(FDateTime)));
}

TDateTime TDateTimePicker::Time() const
{
    Word H, M, S, Ms;
    DecodeTime(FDateTime, H, M, S, Ms);
    return EncodeTime(H, M, S, Ms);
}

void TDateTimePicker::SetTime(TDateTime Value)
{
    SetDateTime(std::trunc(FDateTime) + (Value - std::trunc(Value)));
}

void TDateTimePicker::SetShowCheckbox(bool Value)
{
    FShowCheckbox = Value;
    Bridge(this)->SetCheckBox(Value);
    ApplyChecked();
}

void TDateTimePicker::SetChecked(bool Value)
{
    if (Value) {
        SetDateTime(FDateTime);
    } else {
        Perform(DTM_SETSYSTEMTIME, GDT_NONE, 0);
    }
}

bool TDateTimePicker::DroppedDown() const
{
    const QCalendarWidget* Cal = DateTimeEdit()->calendarPopup() ? DateTimeEdit()->calendarWidget() : nullptr;
    return Cal && Cal->window()->isVisible();
}

// An unchecked picker shows its fields grey and takes no input.
void TDateTimePicker::ApplyChecked()
{
    TPickerBridge* B = Bridge(this);
    const bool Active = FChecked || !FShowCheckbox;
    if (B->CheckBox)
        B->CheckBox->setChecked(FChecked);
    B->setReadOnly(!Active);
    QPalette P = B->Fields()->palette();
    P.setColor(QPalette::Text, B->palette().color(Active ? QPalette::Active : QPalette::Disabled, QPalette::Text));
    B->Fields()->setPalette(P);
}

void TDateTimePicker::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case CN_NOTIFY: {
        TWMNotify N{Message.Msg, Message.WParam, reinterpret_cast<TNMHdr*>(Message.LParam), 0};
        CNNotify(N);
        Message.Result = N.Result;
        break;
    }
    case DTM_SETSYSTEMTIME: DTMSetSystemTime(Message); break;
    case DTM_GETSYSTEMTIME:
        if (Message.LParam)
            DateTimeToSystemTime(FDateTime, *reinterpret_cast<TSystemTime*>(Message.LParam));
        Message.Result = FChecked || !FShowCheckbox ? GDT_VALID : GDT_NONE;
        break;
    default: TWinControl::Dispatch(Message); break;
    }
}

void TDateTimePicker::DTMSetSystemTime(TMessage& Message)
{
    if (Message.WParam == GDT_NONE) {
        FChecked = false;
    } else if (Message.LParam) {
        FDateTime = SystemTimeToDateTime(*reinterpret_cast<const TSystemTime*>(Message.LParam));
        FChecked = true;
        FSettingValue = true;
        DateTimeEdit()->setDateTime(ToQDateTime(FDateTime));
        FSettingValue = false;
    }
    ApplyChecked();
    Message.Result = 1;
}

void TDateTimePicker::Notify(Integer Code, DWORD Flags)
{
    TNMDateTimeChange N;
    N.nmhdr.hwndFrom = Handle();
    N.nmhdr.code = Code;
    N.dwFlags = Flags;
    DateTimeToSystemTime(FDateTime, N.st);
    // The parent is told first and reflects the notification back.
    if (Parent())
        Parent()->Perform(WM_NOTIFY, 0, LPARAM(&N.nmhdr));
    else
        Perform(CN_NOTIFY, 0, LPARAM(&N.nmhdr));
}

void TDateTimePicker::UserChangedValue()
{
    if (FSettingValue)
        return;
    FDateTime = FromQDateTime(DateTimeEdit()->dateTime());
    Notify(DTN_DATETIMECHANGE);
}

void TDateTimePicker::UserToggledCheckBox(bool Value)
{
    FChecked = Value;
    ApplyChecked();
    Notify(DTN_DATETIMECHANGE, Value ? GDT_VALID : GDT_NONE);
}

void TDateTimePicker::CNNotify(TWMNotify& Message)
{
    switch (Message.NMHdr->code) {
    case DTN_DATETIMECHANGE: Change(); break;
    case DTN_DROPDOWN: DropDown(); break;
    case DTN_CLOSEUP: CloseUp(); break;
    default: break;
    }
}

void TDateTimePicker::Change()
{
    if (OnChange)
        OnChange(this);
}

void TDateTimePicker::DropDown()
{
    if (OnDropDown)
        OnDropDown(this);
}

void TDateTimePicker::CloseUp()
{
    if (OnCloseUp)
        OnCloseUp(this);
}
