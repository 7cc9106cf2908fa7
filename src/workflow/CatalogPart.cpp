#include "CatalogPart.h"

#include "CheckoutModel.h"
#include "Launch.h"

namespace vantrel {

CatalogPart::CatalogPart(CheckoutModel &workspace)
    : QObject(&workspace), m_workspace(workspace), m_products(makeProductList(this)),
      m_taxes(makeTaxList(this))
{
    connect(&workspace, &CheckoutModel::productsChanged, this,
            [this] { m_products->assign(m_workspace.products()); });
    connect(&workspace, &CheckoutModel::taxesChanged, this, [this] { m_taxes->assign(m_workspace.taxes()); });
    connect(&workspace, &CheckoutModel::catalogBusyChanged, this, &CatalogPart::busyChanged);
    connect(&workspace, &CheckoutModel::catalogAtChanged, this, &CatalogPart::updatedAtChanged);
}

bool CatalogPart::busy() const { return m_workspace.catalogBusy(); }

QDateTime CatalogPart::updatedAt() const { return m_workspace.catalogAt().value_or(QDateTime()); }

ProductImageStore *CatalogPart::images() const { return &m_workspace.images(); }
APIClient *CatalogPart::api() const { return &m_workspace.api(); }

void CatalogPart::refresh() { launch(m_workspace.refreshCatalog()); }

} // namespace vantrel
