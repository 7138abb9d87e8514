#pragma once
// The framework's printer unit: one printer over Qt's QPrinter. The printer
// in use can be replaced (like the dialog service), so that tests and tools
// print into a PDF file.
#include "rtl/Graphics.h"

#include <memory>

class QPrinter;

enum TPrinterOrientation { poPortrait, poLandscape };

RTL_DECLARE_EXCEPTION(EPrinter, Exception)

class TPrinter {
public:
    // The platform's default printer.
    TPrinter();
    // A printer that writes a PDF file: A4 paper, each page margin MarginMm
    // millimetres, Dpi dots per inch.
    static std::unique_ptr<TPrinter> CreatePdf(const String& FileName, double MarginMm = 10, Integer Dpi = 600);
    ~TPrinter();
    TPrinter(const TPrinter&) = delete;
    TPrinter& operator=(const TPrinter&) = delete;

    TPrinterOrientation Orientation() const;
    // Refused (EPrinter) while a document is printed.
    void SetOrientation(TPrinterOrientation Value);
    // The job's name in the print queue.
    String Title() const;
    void SetTitle(const String& Value);

    // Starts a document whose first page is ready on the canvas; EPrinter
    // when one is already printed or the printer cannot start.
    void BeginDoc();
    void NewPage();
    void EndDoc();
    // Abandons the document.
    void Abort();
    bool Printing() const { return FPrinting; }
    bool Aborted() const { return FAborted; }
    // Pages begun in the current (or last) document.
    Integer PageNumber() const { return FPageNumber; }

    // The surface of the current page; its device is the printable area.
    TCanvas* Canvas();
    // The printable area in dots.
    Integer PageWidth() const;
    Integer PageHeight() const;
    Integer PixelsPerInchX() const;
    Integer PixelsPerInchY() const;
    // The turn (degrees) the driver gives landscape pages; Qt offers no
    // query, so it is the usual 90.
    Integer OrientationCapability() const { return 90; }

private:
    explicit TPrinter(std::unique_ptr<QPrinter> Device);

    std::unique_ptr<QPrinter> FDevice;
    std::unique_ptr<TCanvas> FCanvas;
    bool FPrinting = false;
    bool FAborted = false;
    Integer FPageNumber = 0;
};

// The printer in use.
TPrinter* Printer();
// Puts Value in place and returns the one it replaces; nullptr puts the
// default printer back (made on first use).
std::unique_ptr<TPrinter> SetPrinter(std::unique_ptr<TPrinter> Value);
