#pragma once
// PDF printing on Qt Print Support: the Qt Widgets print dialog over the
// app's active window, pages rendered from the PDF with Qt PDF on a worker.

#include "workflow/PrintService.h"

#include <QSize>
#include <QSizeF>

#include <optional>

class QPrinter;

namespace vantrel {

// Needs a QApplication (the print dialog is a widget) to present anything.
class QtPrintService : public PrintService {
public:
    // Pages are rasterised at this density before they reach the printer.
    static constexpr double renderDotsPerInch = 300.0;
    // The most pixels one page may take at that density: A3 and tabloid
    // (about 17.4 million) fit, and a page never needs more than 80 MB.
    static constexpr double pagePixelBudget = 20'000'000.0;

    // Only a complete, unlocked PDF with at least one page, every page
    // within the pixel budget: a server error page sent with status 200 must
    // never reach the printer, and a page of absurd size must not take the
    // memory of the device.
    Check check(const QByteArray &document) const override;
    bool present(const QByteArray &document, const QString &jobName) override;

    // The page's size in printer pixels, or nothing when the size is not a
    // finite positive size within the budget.
    static std::optional<QSize> renderSize(QSizeF points);
    // Draws every page of the PDF onto the printer, one printer page each,
    // scaled to fit. False when the document or the printer cannot be used.
    // Slow: the dialog runs it on a worker thread.
    static bool printPages(const QByteArray &document, QPrinter &printer);
};

} // namespace vantrel
