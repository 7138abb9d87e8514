// eds-gen PROJECT_DIR OUT_FILE [--exe DIR] [--now YYYY-MM-DDTHH:MM]: the
// CANopen EDS file of a project, without the main window's save dialog,
// stamped with --now (local time; default: the local clock). On success
// "written: " and OUT_FILE as given; an error prints "error: " and the
// message and leaves OUT_FILE as it was (exit code 1); wrong arguments give
// exit code 2.
#include "Command.h"
#include "ProjectArgs.h"

#include "protocols/fieldbus/UEds.h"

#include <QRegularExpression>

#include <optional>

namespace {

class TFixedEdsClock : public TEdsClock {
public:
    explicit TFixedEdsClock(TDateTime At) : FAt(At) {}
    TDateTime Now() override { return FAt; }

private:
    TDateTime FAt;
};

// YYYY-MM-DDTHH:MM; none when the text is no such time.
std::optional<TDateTime> Parse_Now(const QString& Text)
{
    static const QRegularExpression Pattern(QStringLiteral("^(\\d{4})-(\\d\\d)-(\\d\\d)T(\\d\\d):(\\d\\d)$"));
    const QRegularExpressionMatch M = Pattern.match(Text);
    TDateTime Day = 0;
    if (!M.hasMatch() || !TryEncodeDate(Word(M.captured(1).toInt()), Word(M.captured(2).toInt()),
                                        Word(M.captured(3).toInt()), Day))
        return std::nullopt;
    const int Hour = M.captured(4).toInt();
    const int Minute = M.captured(5).toInt();
    if (Hour > 23 || Minute > 59)
        return std::nullopt;
    return Day + EncodeTime(Word(Hour), Word(Minute), 0, 0);
}

// Takes "--now VALUE" out of Args; false when it is there without a valid time.
bool Take_Now(QStringList& Args, std::optional<TDateTime>& At)
{
    const qsizetype Index = Args.indexOf(QStringLiteral("--now"));
    if (Index < 0)
        return true;
    At = Parse_Now(Args.value(Index + 1));
    Args.remove(Index, std::min<qsizetype>(2, Args.size() - Index));
    return At.has_value();
}

int EdsGen(const QStringList& Argv)
{
    QStringList Rest = Argv;
    std::optional<TDateTime> At;
    cfgtool::TProjectArgs Args;
    if (!Take_Now(Rest, At) || !cfgtool::ParseProjectArgs(Rest, 2, Args)) {
        cfgtool::Err(
            QStringLiteral("usage: cfgtool eds-gen PROJECT_DIR OUT_FILE [--exe DIR] [--now YYYY-MM-DDTHH:MM]"));
        return 2;
    }
    if (!cfgtool::OpenProject(Args))
        return 1;
    std::optional<TFixedEdsClock> Clock;
    if (At)
        SetEdsClock(&Clock.emplace(*At));
    int Result = 0;
    try {
        Write_EDS_File(Args.Positional[1]);
        cfgtool::Out(QStringLiteral("written: ") + Args.Positional[1]);
    } catch (const Exception& E) {
        cfgtool::Err(QStringLiteral("error: ") + E.Message());
        Result = 1;
    }
    SetEdsClock(nullptr);
    return Result;
}

const cfgtool::CfgCommand EdsGenCommand("eds-gen", EdsGen);

} // namespace
