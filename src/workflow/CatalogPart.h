#pragma once
// The catalog of the workspace: products and taxes, the catalog load with
// its busy flag and time stamp, and the refresh loop.

#include "CatalogSearch.h"
#include "CatalogSearchIndex.h"
#include "TaskHandle.h"
#include "WorkspaceLists.h"

#include <QCoroTask>
#include <QDateTime>
#include <QObject>

#include <memory>
#include <optional>

namespace vantrel {

class APIClient;
class CheckoutModel;
class ProductImageStore;
class QuotePart;
class VisibleProducts;
class VoiceSearch;

class CatalogPart : public QObject {
    Q_OBJECT
    Q_MOC_INCLUDE("media/ProductImageStore.h")
    Q_MOC_INCLUDE("server/APIClient.h")
    Q_MOC_INCLUDE("workflow/VisibleProducts.h")
    Q_MOC_INCLUDE("media/VoiceSearch.h")
    Q_PROPERTY(QAbstractListModel *products READ productList CONSTANT)
    Q_PROPERTY(QAbstractListModel *taxes READ taxList CONSTANT)
    Q_PROPERTY(bool busy READ catalogBusy NOTIFY catalogBusyChanged)
    // The last catalog load failed (the products shown, if any, are older).
    Q_PROPERTY(bool loadFailed READ loadFailed NOTIFY loadFailedChanged)
    // Invalid until a catalog arrived.
    Q_PROPERTY(QDateTime updatedAt READ updatedAt NOTIFY catalogAtChanged)
    // What a product photo loader needs: the store and the client it asks through.
    Q_PROPERTY(vantrel::ProductImageStore *images READ images CONSTANT)
    Q_PROPERTY(vantrel::APIClient *api READ api CONSTANT)
    // The products the catalog screen shows (search, category, toggles).
    Q_PROPERTY(vantrel::VisibleProducts *visible READ visible CONSTANT)

public:
    explicit CatalogPart(CheckoutModel &workspace);

    const QList<Product> &products() const { return m_products->items(); }
    const QList<Tax> &taxes() const { return m_taxes->items(); }
    bool catalogBusy() const { return m_catalogBusy; }
    bool loadFailed() const { return m_loadFailed; }
    const std::optional<QDateTime> &catalogAt() const { return m_catalogAt; }
    const std::optional<TaskHandle> &catalogTimer() const { return m_catalogTimer; }
    ProductListModel *productList() const { return m_products; }
    TaxListModel *taxList() const { return m_taxes; }
    QDateTime updatedAt() const { return m_catalogAt.value_or(QDateTime()); }
    ProductImageStore *images() const;
    APIClient *api() const;
    VisibleProducts *visible() const { return m_visible; }

    // Products and catalog time under the busy flag; a second call while one
    // runs is dropped. Failures become the catalog notice.
    QCoro::Task<> refreshCatalog();
    // (Re)starts the loop that refreshes the catalog every interval.
    void startCatalogTimer();
    Q_INVOKABLE void refresh();
    // Keeps a voice search's vocabulary on the catalog's names and SKUs, now
    // and after every refresh, for as long as the voice search lives.
    Q_INVOKABLE void feedVocabulary(vantrel::VoiceSearch *voice);

signals:
    void catalogBusyChanged();
    void loadFailedChanged();
    void catalogAtChanged();
    // The products were replaced or edited; an unchanged refresh says nothing.
    void catalogContentChanged();

private:
    friend class CheckoutModel;
    friend class CheckoutPart;

    static QCoro::Task<> catalogLoop(QPointer<CatalogPart> part, TaskHandle handle, QUuid generation);
    struct VocabularyFeed;
    static QCoro::Task<> feedPhrases(QPointer<VoiceSearch> voice, QList<Product> products,
                                     std::shared_ptr<VocabularyFeed> feed);
    // `keys`, when given, are the products' search keys made off the main
    // thread, `sources` what they were made of.
    void setProducts(QList<Product> products, std::optional<QList<CatalogSearchKey>> keys = std::nullopt,
                     std::optional<QList<CatalogSearchSources>> sources = std::nullopt,
                     std::optional<CatalogSearchIndex> index = std::nullopt);
    void setTaxes(QList<Tax> taxes);
    void setCatalogBusy(bool busy);
    void setLoadFailed(bool failed);
    void setCatalogAt(std::optional<QDateTime> at);
    // Stops the loop (sign-out, reset, reopen).
    void stop();
    // The screen's filtered view adds scanned products to this quote.
    void attachQuote(QuotePart *quote);

    CheckoutModel &m_workspace;
    ProductListModel *m_products;
    TaxListModel *m_taxes;
    VisibleProducts *m_visible = nullptr;
    bool m_catalogBusy = false;
    bool m_loadFailed = false;
    // Set by any row change of the product list while a new list is applied.
    bool m_productsTouched = false;
    std::optional<QDateTime> m_catalogAt;
    std::optional<TaskHandle> m_catalogTimer;
};

} // namespace vantrel
