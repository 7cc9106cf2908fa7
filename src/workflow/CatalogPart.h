#pragma once
// The catalog as the screens see it: the product and tax lists, whether a
// load runs and when the catalog in hand was made.

#include "WorkspaceLists.h"

#include <QDateTime>
#include <QObject>

namespace vantrel {

class APIClient;
class CheckoutModel;
class ProductImageStore;

class CatalogPart : public QObject {
    Q_OBJECT
    Q_MOC_INCLUDE("media/ProductImageStore.h")
    Q_MOC_INCLUDE("server/APIClient.h")
    Q_PROPERTY(QAbstractListModel *products READ productList CONSTANT)
    Q_PROPERTY(QAbstractListModel *taxes READ taxList CONSTANT)
    Q_PROPERTY(bool busy READ busy NOTIFY busyChanged)
    // Invalid until a catalog arrived.
    Q_PROPERTY(QDateTime updatedAt READ updatedAt NOTIFY updatedAtChanged)
    // What a product photo loader needs: the store and the client it asks through.
    Q_PROPERTY(vantrel::ProductImageStore *images READ images CONSTANT)
    Q_PROPERTY(vantrel::APIClient *api READ api CONSTANT)

public:
    explicit CatalogPart(CheckoutModel &workspace);

    ProductListModel *productList() const { return m_products; }
    TaxListModel *taxList() const { return m_taxes; }
    bool busy() const;
    QDateTime updatedAt() const;
    ProductImageStore *images() const;
    APIClient *api() const;

    // Loads the catalog again now (the loop keeps running).
    Q_INVOKABLE void refresh();

signals:
    void busyChanged();
    void updatedAtChanged();

private:
    CheckoutModel &m_workspace;
    ProductListModel *m_products;
    TaxListModel *m_taxes;
};

} // namespace vantrel
