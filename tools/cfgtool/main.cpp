// cfgtool: the project's scripting driver for its libraries.
#include "Command.h"
#include "grid/control/ExGrid.h"

#include <QApplication>

#include <cstdio>

namespace cfgtool {

std::map<QString, CommandFn>& Registry()
{
    static std::map<QString, CommandFn> registry;
    return registry;
}

void Out(const QString& line)
{
    const QByteArray bytes = line.toUtf8();
    std::fwrite(bytes.constData(), 1, bytes.size(), stdout);
    std::fputc('\n', stdout);
}

void Err(const QString& line)
{
    const QByteArray bytes = line.toUtf8();
    std::fwrite(bytes.constData(), 1, bytes.size(), stderr);
    std::fputc('\n', stderr);
}

} // namespace cfgtool

namespace {

int Usage()
{
    std::fprintf(stderr, "usage: cfgtool COMMAND [ARGS...]\ncommands:\n");
    for (const auto& entry : cfgtool::Registry())
        std::fprintf(stderr, "  %s\n", qPrintable(entry.first));
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    // cfgtool never shows anything on a screen; windows it drives stay offscreen.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // The arguments are read before Qt's, which would take some ("--style")
    // for itself.
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args.append(QString::fromLocal8Bit(argv[i]));
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    if (args.isEmpty())
        return Usage();
    const auto found = cfgtool::Registry().find(args.takeFirst());
    if (found == cfgtool::Registry().end())
        return Usage();
    InitExGridUnit();
    const int result = found->second(args);
    DoneExGridUnit();
    return result;
}
