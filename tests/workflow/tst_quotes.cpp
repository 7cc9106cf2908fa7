// Quote save, opening server quotes with their locks,
// adding products, the storage check before sending, and deal choice.
#include "Workspace.h"

#include "server/Endpoints.h"
#include "workflow/QuoteValidation.h"

#include <QTest>

#include "workflow/CatalogPart.h"
#include "workflow/QuotePart.h"

#include <QDir>
#include <QSignalSpy>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>

using namespace vantrel;
using namespace vantrel::testing;

namespace {
const QString quotesPath = QStringLiteral("/api/quotes");

struct Scene {
    NewCustomerResponse owner;
    NewCustomerResponse other;
    Quote quote;
};

Scene makeScene(Standin &backend)
{
    Scene s;
    s.owner = backend.newCustomer(QStringLiteral("Owner"));
    s.other = backend.newCustomer(QStringLiteral("Other"));
    s.quote = backend.newQuote(s.owner);
    return s;
}
} // namespace

class QuotesTest : public QObject {
    Q_OBJECT

private slots:
    // A save needs a customer; a saved quote comes back from the server into the draft.
    void savedQuoteReplacesTheDraft()
    {
        Standin backend;
        const NewCustomerResponse owner = backend.newCustomer(QStringLiteral("Saver"));
        Workspace model(backend, Workspace::signedIn);
        const Product product = backend.server.products().first();
        model->quotePart()->addProduct(product);

        finish(model->quotePart()->saveQuote());
        QCOMPARE(model->error(), QString::fromUtf8(messages::chooseCustomerFirst));
        QCOMPARE(backend.front.count("POST", quotesPath), 0);

        finish(model->customersPart()->selectCustomer(owner.customer));
        const QString requestId = model->draft().requestId;
        const int before = backend.server.counts().quotes;
        finish(model->quotePart()->saveQuote());
        QCOMPARE(model->error(), std::nullopt);
        QCOMPARE(backend.front.bodies("POST", quotesPath).value(0).value(QLatin1String("request_id")).toString(), requestId);
        QCOMPARE(backend.server.counts().quotes, before + 1);

        const Draft saved = model->draft();
        QVERIFY(saved.saved);
        QCOMPARE(model->notice(), saved.saved->number + QStringLiteral(" saved and marked sent."));
        QCOMPARE(saved.sourceId, saved.saved->id);
        QCOMPARE(saved.lines, saved.saved->lines);
        QVERIFY(!saved.dirty && !saved.pendingSave);
        QVERIFY(saved.requestId != requestId);
        QVERIFY(!model->editingLocked());
    }

    // Storage that stops taking writes mid-session (a full disk, a folder
    // gone read-only): the person is told once, nothing is sent that could
    // not be stored, and saving resumes by itself once writing works again.
    void nothingIsSentWhenTheDraftCannotBeStored()
    {
        Standin backend;
        const NewCustomerResponse owner = backend.newCustomer(QStringLiteral("Full"));
        Workspace model(backend, Workspace::signedIn);
        model->quotePart()->addProduct(backend.server.products().first());
        finish(model->customersPart()->selectCustomer(owner.customer));
        // A folder where the draft file goes makes every write fail, even as root.
        const QString path = *model->draftFileURL();
        QVERIFY(QFile::remove(path));
        QVERIFY(QDir().mkpath(path));
        const QString notSaved = QString::fromUtf8(messages::changesNotSaved);

        QSignalSpy errors(&*model, &CheckoutModel::errorChanged);
        QVERIFY(model->quotePart()->setNotes(QStringLiteral("first")));
        QVERIFY(model->error().value_or(QString()).startsWith(notSaved));
        QVERIFY(model->error()->size() > notSaved.size()); // with the system's reason
        model->clearError();
        QVERIFY(model->quotePart()->setNotes(QStringLiteral("second")));
        QCOMPARE(model->error(), std::nullopt); // told once
        QCOMPARE(errors.count(), 2);
        QCOMPARE(model->draft().notes, QStringLiteral("second")); // kept on screen

        finish(model->quotePart()->saveQuote());
        QCOMPARE(model->error(), QString::fromUtf8(messages::quoteSaveLabel) + QString::fromUtf8(messages::notStoredSuffix));
        QCOMPARE(backend.front.count("POST", quotesPath), 0);
        QVERIFY(!model->draft().pendingSave);

        QVERIFY(model->quotePart()->setNotes(QStringLiteral("third")));
        QVERIFY(model->error().value_or(QString()).startsWith(QString::fromUtf8(messages::quoteSaveLabel)));
        QVERIFY(QDir(path).removeRecursively());
        QVERIFY(model->quotePart()->setNotes(QStringLiteral("fourth")));
        QVERIFY(!model->draftWriteFailing());
        QCOMPARE(QJsonDocument::fromJson(fileBytes(path)).object().value(QLatin1String("notes")).toString(),
                 QStringLiteral("fourth"));
        finish(model->quotePart()->saveQuote());
        QCOMPARE(backend.front.count("POST", quotesPath), 1);
        QCOMPARE(model->error(), std::nullopt);
    }

    // One row per refusal, and the sent quote whose checkout was canceled,
    // which opens; which quotes are not editable (invoiced, paid through
    // invoices, a live checkout) is tst_quote_browser_rules, useSavedQuote.
    void openingAServerQuote_data()
    {
        QTest::addColumn<QString>("situation");
        QTest::addColumn<QString>("message"); // empty: opened
        QTest::newRow("live checkout") << "live" << QString::fromUtf8(messages::quoteNotEditable);
        QTest::newRow("managed by another user") << "locked" << QString::fromUtf8(messages::quoteManagedElsewhere);
        QTest::newRow("another customer's") << "customer" << QString::fromUtf8(messages::quoteOfOtherCustomer);
        QTest::newRow("canceled checkout") << "canceled" << QString();
    }
    void openingAServerQuote()
    {
        QFETCH(QString, situation);
        QFETCH(QString, message);
        Standin backend;
        const Scene scene = makeScene(backend);
        const QString id = scene.quote.id;
        Customer listedUnder = scene.owner.customer;
        QString checkout;
        if (situation == QLatin1String("live") || situation == QLatin1String("canceled")) {
            checkout = backend.startCheckout(backend.api, scene.quote, QStringLiteral("card")).id;
            if (situation == QLatin1String("canceled")) finish(CheckoutAPI::cancelCheckout(backend.api, checkout));
        } else if (situation == QLatin1String("locked")) {
            APIClient colleague;
            colleague.setBase(backend.base());
            colleague.setToken(backend.server.issueToken(QStringLiteral("Jordan Sales")));
            backend.startCheckout(colleague, scene.quote, QStringLiteral("card"));
        } else {
            listedUnder = scene.other.customer;
        }

        Workspace model(backend, Workspace::signedIn);
        Draft draft = model->draft();
        draft.notes = QStringLiteral("work in progress");
        model->setDraft(draft);
        finish(model->customersPart()->loadQuotesAndDeals(scene.owner.customer));
        const QList<Quote> listed = model->customersPart()->quotes();
        const QList<Deal> deals = model->customersPart()->deals();
        QCOMPARE(listed.size(), 1);
        const Draft before = model->draft();

        QCOMPARE(finish(model->quotePart()->openQuote(id, listedUnder)), message.isEmpty());
        if (message.isEmpty()) {
            QCOMPARE(model->error(), std::nullopt);
            // Its customer and deal come with it: tst_customers, selectingACustomer.
            const Draft opened = model->draft();
            QCOMPARE(opened.sourceNumber, scene.quote.number);
            QCOMPARE(opened.lines, scene.quote.lines);
            QVERIFY(opened.saved && !opened.dirty);
            QVERIFY(model->checkoutPart()->transaction());
            QCOMPARE(model->checkoutPart()->transaction()->status, QStringLiteral("canceled"));
            QCOMPARE(model->selectedWorkspaceTab(), WorkspaceTab::quote);
            QVERIFY(!model->editingLocked());
            QTest::qWait(200); // several poll intervals
            QCOMPARE(backend.front.count("GET", QStringLiteral("/api/checkouts/") + checkout), 0);
            return;
        }
        QCOMPARE(model->error(), message);
        QCOMPARE(model->draft(), before);
        QCOMPARE(model->customersPart()->quotes(), listed);
        QCOMPARE(model->customersPart()->deals(), deals);
        QVERIFY(!model->checkoutPart()->transaction());
        QCOMPARE(model->selectedWorkspaceTab(), WorkspaceTab::products);
    }

    // Edits arrive by id through the quote part: each is one draft change
    // and one file write, and the line list changes row by row, never by a
    // reset that would take a focused text field away.
    void editsByIdWriteOnceAndKeepRows()
    {
        Standin backend;
        Workspace model(backend, Workspace::signedIn);
        finish(model->catalogPart()->refreshCatalog());
        QuotePart &quote = *model->quotePart();
        QuoteLineListModel &lines = *quote.lineList();
        QSignalSpy resets(&lines, &QAbstractItemModel::modelReset);
        QSignalSpy inserted(&lines, &QAbstractItemModel::rowsInserted);
        QSignalSpy changed(&lines, &QAbstractItemModel::dataChanged);
        const Product product = backend.server.products().first();
        const int start = model->draftWrites();

        QVERIFY(quote.addProduct(product.id));
        const QString firstRequest = model->draft().requestId;
        QVERIFY(quote.addProduct(product.id));
        QCOMPARE(model->draftWrites(), start + 2);
        QCOMPARE(lines.count(), 1);
        QCOMPARE(inserted.count(), 1);
        QCOMPARE(model->draft().lines.first().quantity, QStringLiteral("2"));
        QCOMPARE(model->draft().lines.first().rate, product.rate);
        QVERIFY(model->draft().dirty);
        QVERIFY(model->draft().requestId != firstRequest);

        const QString lineId = model->draft().lines.first().id;
        for (const QString &typed : {QStringLiteral("1"), QStringLiteral("12")}) QVERIFY(quote.setLineQuantity(lineId, typed));
        QVERIFY(quote.stepQuantity(lineId, -1));
        QCOMPARE(model->draft().lines.first().quantity, QStringLiteral("11"));
        QCOMPARE(model->draftWrites(), start + 5);
        QCOMPARE(resets.count(), 0);
        QCOMPARE(changed.count(), 4);

        // Unknown ids and unchanged text change nothing and write nothing.
        QVERIFY(!quote.setLineQuantity(QStringLiteral("no-such-line"), QStringLiteral("3")));
        QVERIFY(!quote.setLineQuantity(lineId, QStringLiteral("11")));
        QVERIFY(!quote.addProduct(QStringLiteral("no-such-product")));
        QCOMPARE(model->draftWrites(), start + 5);

        Draft locked = model->draft();
        locked.pendingSave = SaveQuoteRequest{locked.requestId};
        model->setDraft(locked);
        QVERIFY(!quote.addProduct(product.id));
        QVERIFY(!quote.removeLine(lineId));
        QCOMPARE(model->draft(), locked);
    }

    // A server quote whose lines share an id, or have none, gets its own ids
    // when opened: one removal takes away one line, and the list shows the draft.
    void linesWithoutTheirOwnIds_data()
    {
        QTest::addColumn<QStringList>("ids");
        QTest::newRow("shared id") << QStringList{"L1", "L1", "L2"};
        QTest::newRow("empty ids") << QStringList{"", "", "L2"};
    }
    void linesWithoutTheirOwnIds()
    {
        QFETCH(QStringList, ids);
        Workspace model;
        model.signIn();
        Quote quote;
        quote.id = QStringLiteral("Q1");
        quote.status = QStringLiteral("sent");
        for (const QString &id : ids) {
            QuoteLine l = line(QStringLiteral("1"), QStringLiteral("5"));
            l.id = id;
            quote.lines.append(l);
        }
        model->quotePart()->loadQuote(quote);
        const QList<QuoteLine> lines = model->draft().lines;
        QSet<QString> distinct;
        for (const QuoteLine &l : lines) distinct.insert(l.id);
        QCOMPARE(distinct.size(), ids.size());
        QVERIFY(!distinct.contains(QString()));
        // An id of its own is kept.
        if (ids.count(ids.last()) == 1) QCOMPARE(lines.last().id, ids.last());

        QVERIFY(model->quotePart()->removeLine(lines.first().id));
        QCOMPARE(model->draft().lines.size(), ids.size() - 1);
        QCOMPARE(model->quotePart()->lineList()->count(), int(ids.size() - 1));
    }

    // The deal sheet lists the customer's deals whatever put the customer on
    // the draft; a list already loaded for that customer is not fetched again.
    void dealSheetListsTheCustomersDeals_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("requests");
        QTest::newRow("saved quote opened") << "open" << 1;
        QTest::newRow("after a restart") << "restart" << 1;
        QTest::newRow("customer chosen") << "choose" << 0;
    }
    void dealSheetListsTheCustomersDeals()
    {
        QFETCH(QString, how);
        Standin backend;
        const NewCustomerResponse owner = backend.newCustomer(QStringLiteral("Dealer"));
        const Quote quote = backend.newQuote(owner);
        Workspace ws(backend, Workspace::signedIn);
        if (how == QLatin1String("choose")) {
            finish(ws->customersPart()->selectCustomer(owner.customer));
        } else {
            QVERIFY(finish(ws->quotePart()->openQuote(quote.id, owner.customer)));
        }
        if (how == QLatin1String("restart")) {
            ws.open();
            ws.signIn();
            QVERIFY(ws->customersPart()->deals().isEmpty());
        }
        const int before = backend.front.count("GET", QStringLiteral("/api/deals"));
        ws->customersPart()->loadDealsIfNeeded();
        QTRY_VERIFY(!ws->busy());
        QTEST(backend.front.count("GET", QStringLiteral("/api/deals")) - before, "requests");
        QCOMPARE(ws->customersPart()->deals(), finish(CheckoutAPI::deals(backend.api, owner.customer.id)).deals);
        QVERIFY(!ws->customersPart()->deals().isEmpty());
    }

    // A protected (unreadable) draft file takes no request: saving is refused
    // before anything is stored or sent, and editing goes on (the file itself
    // is kept as found: tst_workspace_persistence).
    void protectedDraftRefusesRequestsButKeepsEditing()
    {
        Standin backend;
        const NewCustomerResponse owner = backend.newCustomer(QStringLiteral("Kept"));
        Workspace model(backend, Workspace::signedIn);
        finish(model->catalogPart()->refreshCatalog());
        writeBytes(*model->draftFileURL(), "{ not a draft");
        model->restoreWorkspace();
        QVERIFY(model->draftRecoveryBlocked());

        finish(model->customersPart()->selectCustomer(owner.customer));
        QVERIFY(model->quotePart()->addProduct(backend.server.products().first().id));
        finish(model->quotePart()->saveQuote());
        QCOMPARE(model->error(), QString::fromUtf8(messages::draftProtected));
        QVERIFY(!model->draft().pendingSave);
        QVERIFY(!model->editingLocked());
        QCOMPARE(backend.front.count("POST", quotesPath), 0);
    }

    // A deal chosen for an unedited saved quote is linked on the server; on
    // anything else it is an edit of the draft.
    void choosingADeal_data()
    {
        QTest::addColumn<bool>("edited");
        QTest::newRow("saved and clean") << false;
        QTest::newRow("edited") << true;
    }
    void choosingADeal()
    {
        QFETCH(bool, edited);
        Standin backend;
        const Scene scene = makeScene(backend);
        Workspace model(backend, Workspace::signedIn);
        const int before = model->draftWrites();
        QVERIFY(finish(model->quotePart()->openQuote(scene.quote.id, scene.owner.customer)));
        QCOMPARE(model->draftWrites(), before + 1); // one write per quote load
        if (edited) model->quotePart()->markEdited();

        finish(model->quotePart()->selectDeal(std::nullopt));
        const QString linkPath = quotesPath + QLatin1Char('/') + scene.quote.id + QStringLiteral("/deal");
        QCOMPARE(model->error(), std::nullopt);
        QCOMPARE(backend.front.count("PUT", linkPath), edited ? 0 : 1);
        QVERIFY(!model->draft().deal);
        QCOMPARE(model->draft().dirty, edited);
        QCOMPARE(model->draft().saved->dealId, edited ? scene.owner.deal.id : QString());
        QCOMPARE(backend.server.quote(scene.quote.id)->dealId, edited ? scene.owner.deal.id : QString());
    }
};

QTEST_GUILESS_MAIN(QuotesTest)
#include "tst_quotes.moc"
