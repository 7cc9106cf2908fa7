#pragma once
// PDF printing on Qt Print Support: the Qt Widgets print dialog over the
// app's active window, pages rendered from the PDF with Qt PDF.

#include "workflow/PrintService.h"

class QPrinter;

namespace vantrel {

// Needs a QApplication (the print dialog is a widget) to present anything.
class QtPrintService : public PrintService {
public:
    // Only a complete, unlocked PDF with at least one page: a server error
    // page sent with status 200 must never reach the printer.
    bool canPrint(const QByteArray &document) const override;
    bool present(const QByteArray &document, const QString &jobName) override;

    // Draws every page of the PDF onto the printer, one printer page each,
    // scaled to fit. False when the document or the printer cannot be used.
    static bool printPages(const QByteArray &document, QPrinter &printer);
};

} // namespace vantrel
