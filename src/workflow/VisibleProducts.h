#pragma once
// The products the catalog screen shows: the catalog filtered by category,
// the assembled/flat-packed toggles and the search text. Each product's
// search key is made once when the catalog changes; a keystroke only runs
// the match over those keys. Rows of the catalog that keep their ids keep
// their delegates through a refresh.

#include "CatalogSearch.h"
#include "CatalogSearchIndex.h"
#include "WorkspaceLists.h"

#include <QSortFilterProxyModel>

#include <optional>

class QSettings;

namespace vantrel {

class QuotePart;

class VisibleProducts : public QSortFilterProxyModel {
    Q_OBJECT
    Q_PROPERTY(QString query READ query WRITE setQuery NOTIFY queryChanged)
    Q_PROPERTY(QString category READ category WRITE setCategory NOTIFY categoryChanged)
    Q_PROPERTY(bool showAssembled READ showAssembled WRITE setShowAssembled NOTIFY showAssembledChanged)
    Q_PROPERTY(
        bool showUnassembled READ showUnassembled WRITE setShowUnassembled NOTIFY showUnassembledChanged)
    // The category chips: "All", the fixed categories, "Uncategorized" when needed.
    Q_PROPERTY(QStringList categories READ categories NOTIFY categoriesChanged)
    Q_PROPERTY(int count READ count NOTIFY countChanged)
    // Products in the catalog, whatever the filter.
    Q_PROPERTY(int total READ total NOTIFY totalChanged)

public:
    // The toggles persist in `settings` (the app's own when null).
    VisibleProducts(ProductListModel *catalog, QuotePart *quote, QSettings *settings,
                    QObject *parent = nullptr);

    QString query() const { return m_filter.query; }
    QString category() const { return m_filter.category; }
    bool showAssembled() const { return m_filter.showAssembled; }
    bool showUnassembled() const { return m_filter.showUnassembled; }
    QStringList categories() const { return m_categories; }
    int count() const { return rowCount(); }
    int total() const { return int(m_keys.size()); }

    void setQuery(const QString &query);
    void setCategory(const QString &category);
    void setShowAssembled(bool show);
    void setShowUnassembled(bool show);

    // A barcode scanner types a SKU and Enter: when exactly one product's SKU
    // is that code, it is added to the quote and the search clears. Otherwise
    // nothing is added and the search stays as typed (false).
    Q_INVOKABLE bool submitScan(const QString &text);

    // Search keys (and what they were made of) already made for `products`
    // elsewhere: taken instead of made again when the catalog's list becomes
    // that very list (a first load, a catalog replaced whole). Withdrawn once
    // the list is applied.
    void offerKeys(QList<Product> products, QList<CatalogSearchKey> keys,
                   std::optional<QList<CatalogSearchSources>> sources = std::nullopt,
                   std::optional<CatalogSearchIndex> index = std::nullopt);
    void withdrawKeys();

signals:
    void queryChanged();
    void categoryChanged();
    void showAssembledChanged();
    void showUnassembledChanged();
    void categoriesChanged();
    void countChanged();
    void totalChanged();
    // A scanned product went onto the quote.
    void scanned(const QString &productName);

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const override;

private:
    void rebuildKeys();
    void updateKeys(int first, int last);
    void recheckCategories();
    void dropIndex();
    void refilter();
    void persist(const char *key, bool value);

    ProductListModel *m_catalog;
    QuotePart *m_quote;
    QSettings *m_settings;
    QList<CatalogSearchKey> m_keys;
    QList<CatalogSearchSources> m_sources;
    struct OfferedKeys {
        QList<Product> products;
        QList<CatalogSearchKey> keys;
        std::optional<QList<CatalogSearchSources>> sources;
        std::optional<CatalogSearchIndex> index;
    };
    std::optional<OfferedKeys> m_offered;
    CatalogFilter m_filter;
    CatalogQuery m_query;
    // Made again at the first keystroke after the keys changed; until then
    // rows are matched one by one.
    CatalogSearchIndex m_index;
    bool m_indexCurrent = false;
    const std::vector<quint8> *m_found = nullptr; // the index's answer to m_query
    QStringList m_categories;
    int m_lastCount = 0;
    bool m_categoriesPending = false;
};

} // namespace vantrel
