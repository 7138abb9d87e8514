// The printer unit over QPrinter.
#include "rtl/Printers.h"

#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>

TPrinter::TPrinter() : TPrinter(std::make_unique<QPrinter>(QPrinter::HighResolution)) {}

TPrinter::TPrinter(std::unique_ptr<QPrinter> Device)
    : FDevice(std::move(Device)), FCanvas(std::make_unique<TCanvas>())
{
}

TPrinter::~TPrinter()
{
    if (FPrinting)
        Abort();
}

std::unique_ptr<TPrinter> TPrinter::CreatePdf(const String& FileName, double MarginMm, Integer Dpi)
{
    auto Device = std::make_unique<QPrinter>(QPrinter::HighResolution);
    Device->setOutputFormat(QPrinter::PdfFormat);
    Device->setOutputFileName(FileName);
    Device->setResolution(Dpi);
    Device->setPageSize(QPageSize(QPageSize::A4));
    Device->setPageMargins(QMarginsF(MarginMm, MarginMm, MarginMm, MarginMm), QPageLayout::Millimeter);
    return std::unique_ptr<TPrinter>(new TPrinter(std::move(Device)));
}

TPrinterOrientation TPrinter::Orientation() const
{
    return FDevice->pageLayout().orientation() == QPageLayout::Landscape ? poLandscape : poPortrait;
}

void TPrinter::SetOrientation(TPrinterOrientation Value)
{
    if (FPrinting)
        throw EPrinter(QStringLiteral("Printing in progress"));
    FDevice->setPageOrientation(Value == poLandscape ? QPageLayout::Landscape : QPageLayout::Portrait);
}

String TPrinter::Title() const { return FDevice->docName(); }

void TPrinter::SetTitle(const String& Value) { FDevice->setDocName(Value); }

void TPrinter::BeginDoc()
{
    if (FPrinting)
        throw EPrinter(QStringLiteral("Printing in progress"));
    FCanvas->SetDevice(FDevice.get());
    // The painter opens the document.
    if (!FCanvas->Painter())
        throw EPrinter(QStringLiteral("Printer is not ready"));
    FPrinting = true;
    FAborted = false;
    FPageNumber = 1;
}

void TPrinter::NewPage()
{
    if (!FPrinting)
        throw EPrinter(QStringLiteral("Printer is not printing"));
    FDevice->newPage();
    ++FPageNumber;
}

void TPrinter::EndDoc()
{
    if (!FPrinting)
        throw EPrinter(QStringLiteral("Printer is not printing"));
    FCanvas->Release();
    FCanvas->SetDevice(nullptr);
    FPrinting = false;
}

void TPrinter::Abort()
{
    if (!FPrinting)
        return;
    FDevice->abort();
    FCanvas->Release();
    FCanvas->SetDevice(nullptr);
    FPrinting = false;
    FAborted = true;
}

TCanvas* TPrinter::Canvas()
{
    if (!FPrinting)
        FCanvas->SetDevice(FDevice.get());
    return FCanvas.get();
}

Integer TPrinter::PageWidth() const { return FDevice->width(); }
Integer TPrinter::PageHeight() const { return FDevice->height(); }
Integer TPrinter::PixelsPerInchX() const { return FDevice->logicalDpiX(); }
Integer TPrinter::PixelsPerInchY() const { return FDevice->logicalDpiY(); }

namespace {

std::unique_ptr<TPrinter>& CurrentPrinter()
{
    static std::unique_ptr<TPrinter> Current;
    return Current;
}

} // namespace

TPrinter* Printer()
{
    std::unique_ptr<TPrinter>& Current = CurrentPrinter();
    if (!Current)
        Current = std::make_unique<TPrinter>();
    return Current.get();
}

std::unique_ptr<TPrinter> SetPrinter(std::unique_ptr<TPrinter> Value)
{
    std::unique_ptr<TPrinter> Old = std::move(CurrentPrinter());
    CurrentPrinter() = std::move(Value);
    return Old;
}
