#include "DocumentPdfLoader.h"

#include "DocumentPdfTexts.h"
#include "workflow/CheckoutModel.h"

#include <QBuffer>
#include <QCoroFuture>
#include <QFuture>
#include <QPromise>
#include <QThreadPool>
#include <QCoreApplication>
#include <QHash>
#include <QMutex>
#include <QPainter>
#include <QRunnable>
#include <QThread>
#include <QUuid>

#include <algorithm>
#include <atomic>
#include <cmath>

namespace vantrel {

// One opened document with the bytes it reads from: the PDF engine reads
// the device lazily, so the buffer lives exactly as long as the document.
class LoadedPdf {
public:
    QString key = QUuid::createUuid().toString(QUuid::WithoutBraces);
    QByteArray bytes;
    QBuffer buffer;
    QPdfDocument document;
    QList<QSizeF> pageSizes;
};

namespace {

using screens::pdfConnectionChangedMessage;
using screens::pdfUnreadableMessage;

// Documents by key for the image provider. Weak entries: a loader owns its
// document, a render in progress only borrows it.
struct Registry {
    QMutex mutex;
    QHash<QString, std::weak_ptr<LoadedPdf>> documents;
};

Registry &registry()
{
    static Registry instance;
    return instance;
}

void enroll(const std::shared_ptr<LoadedPdf> &pdf)
{
    Registry &r = registry();
    const QMutexLocker lock(&r.mutex);
    r.documents.insert(pdf->key, pdf);
}

void withdraw(const std::shared_ptr<LoadedPdf> &pdf)
{
    if (!pdf) return;
    Registry &r = registry();
    const QMutexLocker lock(&r.mutex);
    r.documents.remove(pdf->key);
}

std::shared_ptr<LoadedPdf> lookUp(const QString &key)
{
    Registry &r = registry();
    const QMutexLocker lock(&r.mutex);
    return r.documents.value(key).lock();
}

// The last owner may be a render thread; the document's objects belong to
// the main thread, which lets go of them there. Closing the document takes
// the PDF library's lock, which a render of another document may hold for
// as long as its page takes, so the closing itself happens on the pool.
void release(LoadedPdf *pdf)
{
    QCoreApplication *app = QCoreApplication::instance();
    QThread *owner = pdf->document.thread();
    if (!app || owner == QThread::currentThread()) {
        if (!app || owner != app->thread()) {
            delete pdf; // never handed over: dropped where it was opened
            return;
        }
        // No thread then owns them, so any thread may delete them.
        pdf->buffer.moveToThread(nullptr);
        pdf->document.moveToThread(nullptr);
        QThreadPool::globalInstance()->start([pdf] { delete pdf; });
    } else {
        QMetaObject::invokeMethod(
            app, [pdf] { release(pdf); }, Qt::QueuedConnection);
    }
}

// The document, or null when the bytes are not a readable PDF with pages.
// Nothing is written to disk: the customer's document stays in memory.
std::shared_ptr<LoadedPdf> openPdf(QByteArray body)
{
    if (!body.startsWith("%PDF-")) return {};
    std::shared_ptr<LoadedPdf> pdf(new LoadedPdf, release);
    pdf->bytes = std::move(body);
    pdf->buffer.setBuffer(&pdf->bytes);
    if (!pdf->buffer.open(QIODevice::ReadOnly)) return {};
    pdf->document.load(&pdf->buffer);
    // A password-protected document fails here with IncorrectPassword.
    if (pdf->document.status() != QPdfDocument::Status::Ready ||
        pdf->document.error() != QPdfDocument::Error::None || pdf->document.pageCount() <= 0)
        return {};
    for (int page = 0; page < pdf->document.pageCount(); ++page) {
        const QSizeF size = pdf->document.pagePointSize(page);
        // Sizes come from the file; the pages are drawn from them later.
        const auto usable = [](double points) { return std::isfinite(points) && points > 0; };
        if (!usable(size.width()) || !usable(size.height())) return {};
        pdf->pageSizes.append(size);
    }
    return pdf;
}

// Opening a document takes the PDF library's lock, which a page render on
// the pool holds for as long as the page takes: the main thread never waits
// for it. The document's objects are handed to the main thread, where the
// loader and its deleter use them.
QCoro::Task<std::shared_ptr<LoadedPdf>> openPdfInBackground(QByteArray body)
{
    auto promise = std::make_shared<QPromise<std::shared_ptr<LoadedPdf>>>();
    QFuture<std::shared_ptr<LoadedPdf>> future = promise->future();
    promise->start();
    QThread *main = QCoreApplication::instance()->thread();
    QThreadPool::globalInstance()->start([promise, body = std::move(body), main]() mutable {
        std::shared_ptr<LoadedPdf> pdf = openPdf(std::move(body));
        if (pdf) {
            pdf->buffer.moveToThread(main);
            pdf->document.moveToThread(main);
        }
        promise->addResult(std::move(pdf));
        promise->finish();
    });
    std::shared_ptr<LoadedPdf> pdf = co_await future;
    co_return pdf;
}

// A pixel count from floating point, checked: between 1 and the largest side
// an image may have.
int pixelCount(double value)
{
    if (!std::isfinite(value)) return 1;
    return int(std::clamp(std::round(value), 1.0, 32767.0));
}

} // namespace

DocumentPdfLoader::DocumentPdfLoader(QObject *parent)
    : QObject(parent), m_maximumBytes(screens::pdfMaximumBytes)
{}

DocumentPdfLoader::~DocumentPdfLoader()
{
    m_cancel.cancel();
    withdraw(m_pdf);
}

int DocumentPdfLoader::pageCount() const { return m_pdf ? int(m_pdf->pageSizes.size()) : 0; }

QPdfDocument *DocumentPdfLoader::document() const { return m_pdf ? &m_pdf->document : nullptr; }

QString DocumentPdfLoader::pageSource() const
{
    return m_pdf ? QStringLiteral("image://pdfpage/") + m_pdf->key + QLatin1Char('/') : QString();
}

QSizeF DocumentPdfLoader::pageSize(int index) const
{
    return m_pdf && index >= 0 && index < m_pdf->pageSizes.size() ? m_pdf->pageSizes.at(index) : QSizeF(0, 0);
}

void DocumentPdfLoader::setWorkspace(CheckoutModel *workspace)
{
    if (m_workspace == workspace) return;
    m_workspace = workspace;
    emit inputsChanged();
    restart(false);
}

void DocumentPdfLoader::setPath(const QString &path)
{
    if (m_path == path) return;
    m_path = path;
    emit inputsChanged();
    restart(false);
}

void DocumentPdfLoader::setKind(const QString &kind)
{
    if (m_kind == kind) return;
    m_kind = kind;
    emit inputsChanged();
    restart(false);
}

void DocumentPdfLoader::setReloadId(int reloadId)
{
    if (m_reloadId == reloadId) return;
    m_reloadId = reloadId;
    emit inputsChanged();
    restart(true);
}

void DocumentPdfLoader::componentComplete()
{
    m_complete = true;
    restart(false);
}

void DocumentPdfLoader::restart(bool keepDocument)
{
    if (!m_complete) return;
    m_cancel.cancel();
    m_cancel = CancellationToken::make();
    // Another document's pages must never stand under this one's title.
    if (!keepDocument) setDocument(nullptr);
    APIClient *api = m_workspace ? &m_workspace->api() : nullptr;
    const bool starts = api && !m_path.isEmpty() && !m_kind.isEmpty();
    m_loading = starts;
    m_message.clear();
    emit stateChanged();
    if (starts)
        load(QPointer<DocumentPdfLoader>(this), m_cancel, QPointer<APIClient>(api), m_path, m_kind,
             m_maximumBytes);
}

QCoro::Task<void> DocumentPdfLoader::load(QPointer<DocumentPdfLoader> self, CancellationToken cancel,
                                          QPointer<APIClient> api, QString path, QString kind,
                                          qint64 maximumBytes)
{
    std::shared_ptr<LoadedPdf> pdf;
    QString failure;
    try {
        // (named: see APIClient.h)
        QString method = QStringLiteral("GET");
        std::optional<QByteArray> noBody;
        Query noQuery;
        QCoro::Task<QByteArray> request = api->request(method, path, noBody, noQuery, cancel, maximumBytes);
        QByteArray body = co_await std::move(request);
        if (!self || cancel.isCancelled()) co_return;
        QCoro::Task<std::shared_ptr<LoadedPdf>> opening = openPdfInBackground(std::move(body));
        pdf = co_await opening;
        if (!self || cancel.isCancelled()) co_return;
        if (!pdf) failure = pdfUnreadableMessage(kind);
    } catch (const CancelledError &) {
        if (!self || cancel.isCancelled()) co_return;
        // Not ours: the client dropped the reply because its address, token
        // or workspace changed while it ran (or it went away with its workspace).
        failure = pdfConnectionChangedMessage(kind);
    } catch (const ReplyTooLargeError &error) {
        failure = screens::pdfTooLargeMessage(kind, error.limit());
    } catch (...) {
        failure = errorDescription(std::current_exception());
        if (failure.isEmpty()) failure = screens::pdfCouldNotLoadText(kind);
    }
    if (!self || cancel.isCancelled()) co_return;
    self->finish(std::move(pdf), failure);
}

void DocumentPdfLoader::finish(std::shared_ptr<LoadedPdf> pdf, const QString &failure)
{
    if (pdf) setDocument(std::move(pdf));
    m_message = failure;
    m_loading = false;
    emit stateChanged();
}

void DocumentPdfLoader::setDocument(std::shared_ptr<LoadedPdf> pdf)
{
    withdraw(m_pdf);
    m_pdf = std::move(pdf);
    if (m_pdf) enroll(m_pdf);
}

namespace {

// Renders one page on a pool thread and hands the image to its response.
class PageRender : public QObject, public QRunnable {
    Q_OBJECT
public:
    PageRender(std::shared_ptr<LoadedPdf> pdf, int page, QSize requested,
               std::shared_ptr<std::atomic_bool> cancelled)
        : m_pdf(std::move(pdf)), m_page(page), m_requested(requested), m_cancelled(std::move(cancelled))
    {}

    void run() override
    {
        QImage image;
        if (!*m_cancelled) image = render();
        m_pdf.reset();
        emit rendered(image);
    }

signals:
    void rendered(QImage image);

private:
    QImage render() const
    {
        if (m_page < 0 || m_page >= m_pdf->pageSizes.size()) return {};
        const QSizeF points = m_pdf->pageSizes.at(m_page);
        double width = m_requested.width() > 0 ? m_requested.width() : points.width() * 2;
        double height = width * points.height() / points.width();
        const double pixels = width * height;
        if (pixels > DocumentPdfPageProvider::maximumPixels) {
            const double shrink = std::sqrt(DocumentPdfPageProvider::maximumPixels / pixels);
            width *= shrink;
            height *= shrink;
        }
        const QSize size(pixelCount(width), pixelCount(height));
        QImage page = m_pdf->document.render(m_page, size);
        if (page.isNull()) return page;
        // The engine leaves unpainted areas transparent; paper is white.
        QImage paper(page.size(), QImage::Format_RGB32);
        paper.fill(Qt::white);
        QPainter painter(&paper);
        painter.drawImage(0, 0, page);
        return paper;
    }

    std::shared_ptr<LoadedPdf> m_pdf;
    int m_page;
    QSize m_requested;
    std::shared_ptr<std::atomic_bool> m_cancelled;
};

class PageResponse : public QQuickImageResponse {
public:
    PageResponse(QThreadPool &pool, std::shared_ptr<LoadedPdf> pdf, int page, QSize requested)
    {
        if (!pdf) {
            m_error = QCoreApplication::translate("DocumentPdf", "This document is no longer open.");
            // Responses must finish after they are handed back to the engine.
            QMetaObject::invokeMethod(this, &QQuickImageResponse::finished, Qt::QueuedConnection);
            return;
        }
        auto *job = new PageRender(std::move(pdf), page, requested, m_cancelled);
        connect(
            job, &PageRender::rendered, this,
            [this](const QImage &image) {
                m_image = image;
                if (image.isNull() && !*m_cancelled)
                    m_error = QCoreApplication::translate("DocumentPdf", "This page could not be drawn.");
                emit finished();
            },
            Qt::QueuedConnection);
        pool.start(job);
    }

    QQuickTextureFactory *textureFactory() const override
    {
        return QQuickTextureFactory::textureFactoryForImage(m_image);
    }
    QString errorString() const override { return m_error; }
    void cancel() override { *m_cancelled = true; }

private:
    std::shared_ptr<std::atomic_bool> m_cancelled = std::make_shared<std::atomic_bool>(false);
    QImage m_image;
    QString m_error;
};

} // namespace

DocumentPdfPageProvider::DocumentPdfPageProvider()
{
    // Two pages at a time: enough to keep up with scrolling on a tablet
    // without starving the rest of the app of cores.
    m_pool.setMaxThreadCount(2);
}

DocumentPdfPageProvider::~DocumentPdfPageProvider() { m_pool.waitForDone(); }

QQuickImageResponse *DocumentPdfPageProvider::requestImageResponse(const QString &id,
                                                                   const QSize &requestedSize)
{
    const qsizetype slash = id.lastIndexOf(QLatin1Char('/'));
    bool ok = false;
    const int page = slash > 0 ? id.mid(slash + 1).toInt(&ok) : -1;
    std::shared_ptr<LoadedPdf> pdf = ok ? lookUp(id.left(slash)) : nullptr;
    return new PageResponse(m_pool, std::move(pdf), page, requestedSize);
}

} // namespace vantrel

#include "DocumentPdfLoader.moc"
