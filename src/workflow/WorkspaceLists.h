#pragma once
// The record lists of the workspace as the screens see them: one list model
// per kind, each with its roles and the display texts worked out here.

#include "RecordListModel.h"

#include "records/CheckoutTransaction.h"
#include "records/Quote.h"
#include "records/Reference.h"
#include "records/Workspace.h"

namespace vantrel {

using ProductListModel = RecordListModel<Product>;
using TaxListModel = RecordListModel<Tax>;
using CustomerListModel = RecordListModel<Customer>;
using QuoteListModel = RecordListModel<Quote>;
using DealListModel = RecordListModel<Deal>;
using QuoteLineListModel = RecordListModel<QuoteLine>;
using TransactionListModel = RecordListModel<CheckoutTransaction>;
using ArchivedRequestListModel = RecordListModel<ArchivedWorkspaceRequest>;

ProductListModel *makeProductList(QObject *parent);
TaxListModel *makeTaxList(QObject *parent);
CustomerListModel *makeCustomerList(QObject *parent);
QuoteListModel *makeQuoteList(QObject *parent);
DealListModel *makeDealList(QObject *parent);
QuoteLineListModel *makeQuoteLineList(QObject *parent);
TransactionListModel *makeTransactionList(QObject *parent);
ArchivedRequestListModel *makeArchivedRequestList(QObject *parent);

} // namespace vantrel
