#pragma once
// Printed PDF files read back with the poppler tools, for tests of printing.
#include <QDir>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QTemporaryDir>

// The output of a tool; empty when it failed.
inline QString PdfToolOutput(const QString& Tool, const QStringList& Args)
{
    QProcess P;
    P.start(Tool, Args);
    if (!P.waitForFinished(60000) || P.exitCode() != 0)
        return QString();
    return QString::fromUtf8(P.readAllStandardOutput());
}

// The number of pages pdfinfo reports; -1 when it cannot read the file.
inline int PdfPageCount(const QString& File)
{
    const QRegularExpression Pages(QStringLiteral("^Pages:\\s+(\\d+)"), QRegularExpression::MultilineOption);
    const auto M = Pages.match(PdfToolOutput(QStringLiteral("pdfinfo"), {File}));
    return M.hasMatch() ? M.captured(1).toInt() : -1;
}

// The text of one page (1-based), laid out as printed.
inline QString PdfPageText(const QString& File, int Page)
{
    return PdfToolOutput(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), QStringLiteral("-f"),
                                                       QString::number(Page), QStringLiteral("-l"),
                                                       QString::number(Page), File, QStringLiteral("-")});
}

// One page (1-based) rendered at Dpi; a null image when that fails.
inline QImage PdfPageImage(const QString& File, int Page, int Dpi)
{
    QTemporaryDir Dir;
    const QString Prefix = Dir.filePath(QStringLiteral("page"));
    PdfToolOutput(QStringLiteral("pdftoppm"), {QStringLiteral("-png"), QStringLiteral("-singlefile"),
                                               QStringLiteral("-r"), QString::number(Dpi), QStringLiteral("-f"),
                                               QString::number(Page), QStringLiteral("-l"), QString::number(Page),
                                               File, Prefix});
    return QImage(Prefix + QStringLiteral(".png")).convertToFormat(QImage::Format_RGB32);
}
