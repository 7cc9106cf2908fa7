#include "QtPrintService.h"

#include <QApplication>
#include <QBuffer>
#include <QPainter>
#include <QPdfDocument>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>
#include <QWindow>

#include <QFuture>
#include <QFutureWatcher>
#include <QPromise>
#include <QThreadPool>

#include <cmath>
#include <memory>

namespace vantrel {

namespace {

// Loads the bytes into the document; a complete in-memory buffer loads
// before load() returns.
bool open(QPdfDocument &pdf, QBuffer &buffer, const QByteArray &document)
{
    if (!document.startsWith("%PDF-")) return false;
    buffer.setData(document);
    if (!buffer.open(QIODevice::ReadOnly)) return false;
    pdf.load(&buffer);
    return pdf.status() == QPdfDocument::Status::Ready && pdf.error() == QPdfDocument::Error::None &&
           pdf.pageCount() > 0;
}

// The window the person is looking at: the focused one, else an active one.
QWindow *activeWindow()
{
    if (QWindow *focused = QGuiApplication::focusWindow()) return focused;
    const auto windows = QGuiApplication::topLevelWindows();
    for (QWindow *window : windows)
        if (window->isVisible() && window->isActive()) return window;
    return nullptr;
}

// One open print dialog with the printer and document it prints; deletes
// itself when the dialog has closed and its pages have gone to the printer.
// The pages are drawn on a worker (a painter may draw on a printer from any
// thread): rasterising at print density takes seconds per page.
class PrintJob : public QObject {
public:
    ~PrintJob() override
    {
        // Only at exit can a job go while its pages are drawn; the printer
        // they are drawn on must outlive the drawing.
        m_printing.waitForFinished();
    }

    PrintJob(QByteArray document, const QString &jobName, QWindow *over) : m_document(std::move(document))
    {
        m_printer.setDocName(jobName);
        m_dialog = std::make_unique<QPrintDialog>(&m_printer);
        m_dialog->setWindowModality(Qt::WindowModal);
        // The dialog is a widget and the app's windows are Qt Quick windows:
        // tie it to the window natively and centre it there.
        m_dialog->winId();
        if (QWindow *handle = m_dialog->windowHandle()) handle->setTransientParent(over);
        m_dialog->adjustSize();
        const QRect frame = over->geometry();
        m_dialog->move(frame.center() - QPoint(m_dialog->width() / 2, m_dialog->height() / 2));
        QObject::connect(m_dialog.get(), &QDialog::accepted, this, [this] { printInBackground(); });
        QObject::connect(m_dialog.get(), &QDialog::finished, this, [this] {
            if (m_printing.isRunning())
                connect(&m_watcher, &QFutureWatcher<void>::finished, this, &QObject::deleteLater);
            else
                deleteLater();
        });
    }

    void show() { m_dialog->open(); }

private:
    void printInBackground()
    {
        auto promise = std::make_shared<QPromise<void>>();
        m_printing = promise->future();
        m_watcher.setFuture(m_printing);
        promise->start();
        QThreadPool::globalInstance()->start([promise, document = m_document, printer = &m_printer] {
            QtPrintService::printPages(document, *printer);
            promise->finish();
        });
    }

    QByteArray m_document;
    QPrinter m_printer; // outlives the dialog that points at it and the drawing
    std::unique_ptr<QPrintDialog> m_dialog;
    QFuture<void> m_printing;
    QFutureWatcher<void> m_watcher;
};

} // namespace

PrintService::Check QtPrintService::check(const QByteArray &document) const
{
    QBuffer buffer;
    QPdfDocument pdf;
    if (!open(pdf, buffer, document)) return Check::unreadable;
    for (int page = 0; page < pdf.pageCount(); ++page)
        if (!renderSize(pdf.pagePointSize(page))) return Check::pageTooLarge;
    return Check::printable;
}

std::optional<QSize> QtPrintService::renderSize(QSizeF points)
{
    const double width = points.width() * renderDotsPerInch / 72.0;
    const double height = points.height() * renderDotsPerInch / 72.0;
    // Checked in floating point before any conversion: a page size read from
    // the file may be infinite, not a number, or far beyond what int holds.
    if (!std::isfinite(width) || !std::isfinite(height) || width < 1 || height < 1) return std::nullopt;
    if (width * height > pagePixelBudget) return std::nullopt;
    return QSize(int(std::lround(width)), int(std::lround(height)));
}

bool QtPrintService::present(const QByteArray &document, const QString &jobName)
{
    if (!qobject_cast<QApplication *>(QCoreApplication::instance())) return false;
    QWindow *over = activeWindow();
    if (!over) return false;
    auto *job = new PrintJob(document, jobName, over);
    // Parented to the application so that a dialog still open at exit is freed.
    job->setParent(QCoreApplication::instance());
    job->show();
    return true;
}

bool QtPrintService::printPages(const QByteArray &document, QPrinter &printer)
{
    QBuffer buffer;
    QPdfDocument pdf;
    if (!open(pdf, buffer, document)) return false;
    QPainter painter;
    if (!painter.begin(&printer)) return false;
    for (int page = 0; page < pdf.pageCount(); ++page) {
        if (page > 0 && !printer.newPage()) {
            painter.end();
            return false;
        }
        const QSizeF points = pdf.pagePointSize(page);
        const QRectF target = painter.viewport();
        const std::optional<QSize> pixels = renderSize(points);
        if (!pixels) {
            painter.end();
            return false;
        }
        if (target.isEmpty()) continue;
        const QImage image = pdf.render(page, *pixels);
        // Fit the page inside the printable area, keeping its proportions.
        const qreal scale = std::min(target.width() / points.width(), target.height() / points.height());
        const QSizeF size = points * scale;
        const QRectF placed(target.topLeft() + QPointF((target.width() - size.width()) / 2, 0), size);
        painter.drawImage(placed, image);
    }
    return painter.end();
}

} // namespace vantrel
