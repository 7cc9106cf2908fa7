#include "CatalogPart.h"

#include "CatalogDecoding.h"
#include "CheckoutModel.h"
#include "CheckoutPart.h"
#include "Launch.h"
#include "QuoteValidation.h"
#include "VisibleProducts.h"
#include "WorkspaceGuard.h"

#include "media/VoiceSearch.h"
#include "server/APIClient.h"

#include <QElapsedTimer>
#include <QCoreApplication>

#include <cmath>

namespace vantrel {

namespace {

// The catalog's time stamp; a value no clock can show fails the reply rather
// than wrapping around into a wrong date.
QDateTime catalogMoment(double at)
{
    const double ms = std::round(at * 1000.0);
    constexpr double limit = 8.0e15; // well inside QDateTime's range
    if (!std::isfinite(ms) || std::fabs(ms) > limit)
        throw DecodingError(
            QCoreApplication::translate("Workspace", "The catalog's time stamp is out of range."));
    return QDateTime::fromMSecsSinceEpoch(qint64(ms), Qt::UTC);
}

} // namespace

// What one voice search was last given, and which catalog it waits for.
struct CatalogPart::VocabularyFeed {
    quint64 generation = 0;
    std::optional<QStringList> phrases;
};

CatalogPart::CatalogPart(CheckoutModel &workspace)
    : QObject(&workspace), m_workspace(workspace), m_products(makeProductList(this)),
      m_taxes(makeTaxList(this))
{
    const auto touched = [this] { m_productsTouched = true; };
    connect(m_products, &QAbstractItemModel::modelReset, this, touched);
    connect(m_products, &QAbstractItemModel::rowsInserted, this, touched);
    connect(m_products, &QAbstractItemModel::rowsRemoved, this, touched);
    connect(m_products, &QAbstractItemModel::rowsMoved, this, touched);
    connect(m_products, &QAbstractItemModel::dataChanged, this, touched);
}

ProductImageStore *CatalogPart::images() const { return &m_workspace.images(); }
APIClient *CatalogPart::api() const { return &m_workspace.api(); }

void CatalogPart::attachQuote(QuotePart *quote)
{
    m_visible = new VisibleProducts(m_products, quote, m_workspace.services().settings, this);
}

void CatalogPart::setProducts(QList<Product> products, std::optional<QList<CatalogSearchKey>> keys,
                              std::optional<QList<CatalogSearchSources>> sources,
                              std::optional<CatalogSearchIndex> index)
{
    if (keys && m_visible)
        m_visible->offerKeys(products, std::move(*keys), std::move(sources), std::move(index));
    // The list that goes is freed off the main thread: tens of thousands of
    // strings take several milliseconds.
    m_productsTouched = false;
    releaseInBackground(m_products->assign(std::move(products)));
    if (m_visible) m_visible->withdrawKeys();
    if (m_productsTouched) emit catalogContentChanged();
}

void CatalogPart::setTaxes(QList<Tax> taxes) { m_taxes->assign(std::move(taxes)); }

void CatalogPart::setCatalogBusy(bool busy)
{
    if (busy == m_catalogBusy) return;
    m_catalogBusy = busy;
    emit catalogBusyChanged();
}

void CatalogPart::setLoadFailed(bool failed)
{
    if (failed == m_loadFailed) return;
    m_loadFailed = failed;
    emit loadFailedChanged();
}

void CatalogPart::setCatalogAt(std::optional<QDateTime> at)
{
    if (at == m_catalogAt) return;
    m_catalogAt = std::move(at);
    emit catalogAtChanged();
}

void CatalogPart::feedVocabulary(VoiceSearch *voice)
{
    if (!voice) return;
    auto feed = std::make_shared<VocabularyFeed>();
    const auto update = [this, voice, feed] {
        launch(feedPhrases(QPointer<VoiceSearch>(voice), products(), feed));
    };
    update();
    connect(this, &CatalogPart::catalogContentChanged, voice, update);
}

QCoro::Task<> CatalogPart::feedPhrases(QPointer<VoiceSearch> voice, QList<Product> products,
                                       std::shared_ptr<VocabularyFeed> feed)
{
    // Spelling out 10,000 names takes longer than a frame; the phrases are
    // made on a worker, and a newer catalog's phrases replace older ones
    // still being made. A catalog whose phrases did not change leaves the
    // recogniser's grammar as it is.
    const quint64 generation = ++feed->generation;
    QCoro::Task<std::optional<QStringList>> work =
        catalogPhrasesInBackground(std::move(products), feed->phrases);
    std::optional<QStringList> phrases = co_await work;
    if (!voice || !phrases || feed->generation != generation) co_return;
    feed->phrases = phrases;
    voice->setVocabulary(*phrases);
}

void CatalogPart::refresh() { launch(refreshCatalog()); }

QCoro::Task<> CatalogPart::refreshCatalog()
{
    if (m_catalogBusy) co_return;
    const WorkspaceGuard guard(m_workspace);
    setCatalogBusy(true);

    // Only the transfer runs here; decoding a large catalog would hold up the
    // screens, so it happens on a worker and the result comes back whole.
    std::optional<PreparedCatalog> catalog;
    std::optional<QDateTime> at;
    std::exception_ptr failure;
    try {
        const QString method = QStringLiteral("GET");
        const QString path = QStringLiteral("/api/catalog");
        QByteArray bytes =
            co_await m_workspace.api().request(method, path, std::nullopt, {}, {}, replyLimit::catalog);
        guard.ensure();
        QCoro::Task<PreparedCatalog> decoding = decodeCatalogInBackground(std::move(bytes), products());
        catalog = co_await decoding;
        at = catalogMoment(catalog->catalog.at);
    } catch (...) {
        failure = std::current_exception();
    }
    // A catalog that arrives after sign-out, reset or reopen belongs to a
    // workspace that no longer exists and is not shown.
    if (!guard.current()) co_return;
    if (!failure) {
        setProducts(std::move(catalog->catalog.products), std::move(catalog->keys),
                    std::move(catalog->sources), std::move(catalog->index));
        catalog.reset();
        setCatalogAt(at);
        setLoadFailed(false);
        returnFreedMemorySoon(this);
    } else if (!isCancellation(failure)) {
        setLoadFailed(true);
        // An oversized reply says why, or every refresh would fail unexplained.
        QString notice = QCoreApplication::translate("Workspace", messages::catalogNotRefreshed);
        try {
            std::rethrow_exception(failure);
        } catch (const ReplyTooLargeError &tooLarge) {
            notice += u' ' + errorDescription(failure);
        } catch (...) {}
        m_workspace.setNotice(notice);
    }
    setCatalogBusy(false);
}

void CatalogPart::startCatalogTimer()
{
    if (m_catalogTimer) m_catalogTimer->cancel();
    TaskHandle handle = TaskHandle::make();
    m_catalogTimer = handle;
    launch(catalogLoop(QPointer<CatalogPart>(this), handle, m_workspace.workspaceGeneration()));
}

void CatalogPart::stop()
{
    if (m_catalogTimer) m_catalogTimer->cancel();
    m_catalogTimer.reset();
    setCatalogBusy(false);
}

QCoro::Task<> CatalogPart::catalogLoop(QPointer<CatalogPart> part, TaskHandle handle, QUuid generation)
{
    while (!handle.isCancelled() && part) {
        const qint64 interval = part->m_workspace.services().catalogInterval.count();
        // Timers may fire a little early; the period is whole elapsed time on
        // the monotonic clock, so sleep again for whatever is left.
        QElapsedTimer clock;
        clock.start();
        for (qint64 left = interval; left > 0 && !handle.isCancelled(); left = interval - clock.elapsed())
            co_await TaskHandle::sleep(handle, std::chrono::milliseconds(left));
        if (handle.isCancelled() || !part || !part->m_workspace.session() ||
            part->m_workspace.workspaceGeneration() != generation)
            co_return;
        // The account's payment settings ride along, so a set-up finished on
        // the server shows here without a restart.
        launch(part->m_workspace.checkoutPart()->refreshPaymentSettings());
        co_await part->refreshCatalog();
    }
}

} // namespace vantrel
