// Customer search, selection, and creating again after a refused creation,
// measured by what the server holds afterwards.
#include "LogCapture.h"
#include "Workspace.h"
#include "workflow/KeptRequest.h"

#include "records/Uuid.h"
#include "server/Endpoints.h"
#include "workflow/QuoteValidation.h"

#include <QTest>

using namespace vantrel;
using namespace vantrel::testing;

namespace {
const QString customersPath = QStringLiteral("/api/customers");
const QString recoverPath = QStringLiteral("/api/customers/recover-request");
const QString fallbackText =
    QStringLiteral("The server could not complete the request. Your transaction can be resumed.");
} // namespace

class CustomersTest : public QObject {
    Q_OBJECT

private slots:
    // A refused search shows beside the search field, not in the error slot.
    void searchIsDebouncedAndTrimmed_data()
    {
        QTest::addColumn<QStringList>("typed");
        QTest::addColumn<QString>("sent");
        QTest::addColumn<QString>("refusal"); // the server's, when it refuses
        QTest::newRow("three quick keys") << QStringList{"M", "Ma", " Mar \n"} << "Mar" << "";
        QTest::newRow("only spaces") << QStringList{"   "} << "" << "";
        QTest::newRow("refused") << QStringList{"x"} << "x" << "CRM is down.";
    }
    void searchIsDebouncedAndTrimmed()
    {
        QFETCH(QStringList, typed);
        QFETCH(QString, sent);
        QFETCH(QString, refusal);
        Standin backend;
        const QList<Customer> found = finish(CheckoutAPI::customers(backend.api, sent)).customers;
        backend.front.setHandler([refusal](const Request &r) -> std::optional<Reply> {
            if (refusal.isEmpty() || r.path != customersPath) return std::nullopt;
            return Reply{503, encode(APIError{refusal}, KeyStyle::Wire)};
        });
        const int before = backend.front.count("GET", customersPath);
        Workspace model(backend, Workspace::signedIn);
        for (const QString &text : typed) model->customersPart()->searchCustomers(text);
        QVERIFY(model->customersPart()->customerSearchBusy());
        QVERIFY(QTest::qWaitFor([&] { return !model->customersPart()->customerSearchBusy(); }, 5000));
        QCOMPARE(backend.front.count("GET", customersPath), before + 1);
        QCOMPARE(backend.front.requests().last().query.queryItemValue(QStringLiteral("q")), sent);
        QCOMPARE(model->customersPart()->customerSearchError().value_or(QString()), refusal);
        QCOMPARE(model->error(), std::nullopt);
        QCOMPARE(model->customersPart()->customers(), refusal.isEmpty() ? found : QList<Customer>());
    }

    void selectingACustomer_data()
    {
        QTest::addColumn<bool>("same");
        QTest::newRow("the customer already on the draft") << true;
        QTest::newRow("another customer") << false;
    }
    void selectingACustomer()
    {
        QFETCH(bool, same);
        Standin backend;
        const NewCustomerResponse owner = backend.newCustomer(QStringLiteral("Owner"));
        const NewCustomerResponse other = backend.newCustomer(QStringLiteral("Other"));
        const Quote quote = backend.newQuote(owner);
        Workspace model(backend, Workspace::signedIn);
        QVERIFY(finish(model->quotePart()->openQuote(quote.id, owner.customer)));
        const Draft opened = model->draft();

        finish(model->customersPart()->selectCustomer(same ? owner.customer : other.customer));
        const Draft after = model->draft();
        QCOMPARE(after.lines, opened.lines);
        QCOMPARE(after.customer, same ? owner.customer : other.customer);
        QCOMPARE(after.saved.has_value(), same);
        QCOMPARE(after.deal.has_value(), same);
        QCOMPARE(after.sourceId, same ? quote.id : QString());
        QCOMPARE(after.dirty, !same);
        QCOMPARE(after.requestId == opened.requestId, same);
        QCOMPARE(model->customersPart()->quotes().size(), same ? 1 : 0);
        QCOMPARE(model->customersPart()->deals().size(), 1);
    }

    // With neither the creation nor its recovery answered, the request stays
    // pending; pressing create again sends it, not the edited form.
    void retrySendsTheStoredRequest()
    {
        Standin backend;
        Workspace model(backend, Workspace::signedIn);
        const NewCustomerRequest form = backend.customerForm(QStringLiteral("Retry"));
        const int customers = backend.server.counts().customers;
        bool refusing = true;
        // A gateway refuses both before the server sees them.
        backend.front.setHandler([&refusing](const Request &r) -> std::optional<Reply> {
            if (!refusing || r.method != "POST" || (r.path != customersPath && r.path != recoverPath))
                return std::nullopt;
            return Reply::badGateway();
        });

        QVERIFY(!finish(model->customersPart()->createCustomer(form)));
        // Not only the gateway's words: the request is kept, and the button that finishes it.
        QCOMPARE(model->error(), keptRequestText(fallbackText, resumeAction::resumeCustomerCreation));
        QCOMPARE(model->draft().pendingCustomer, form);
        QVERIFY(model->editingLocked());

        refusing = false;
        NewCustomerRequest edited = form;
        edited.requestId = newUuidString();
        edited.firstName = QStringLiteral("Edited");
        QVERIFY(finish(model->customersPart()->createCustomer(edited)));
        const QList<QJsonObject> sent = backend.front.bodies("POST", customersPath);
        QCOMPARE(sent.size(), 2);
        for (const QJsonObject &body : sent) {
            QCOMPARE(body.value(QLatin1String("request_id")).toString(), form.requestId);
            QCOMPARE(body.value(QLatin1String("first_name")).toString(), form.firstName);
        }
        QCOMPARE(backend.server.counts().customers, customers + 1); // of the stored form, as sent
        QVERIFY(!model->editingLocked());
    }

    // What became of an unanswered creation is logged with the request's id;
    // nothing the person typed reaches the log.
    void recoveryIsLoggedWithoutTheCustomer_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("logged");
        QTest::newRow("made, reply lost") << "made" << "recovered: the server had made it";
        QTest::newRow("lost on the way") << "lost" << "recovered: the server never made it";
        QTest::newRow("no answer at all") << "silent" << "outcome still unknown; kept";
        QTest::newRow("refused") << "refused" << "refused; dropped";
    }
    void recoveryIsLoggedWithoutTheCustomer()
    {
        QFETCH(QString, fault);
        QFETCH(QString, logged);
        Standin backend;
        Workspace model(backend, Workspace::signedIn);
        const NewCustomerRequest form = backend.customerForm(QStringLiteral("Privacy"));
        LogCapture log("vantrel.workflow");
        if (fault == QLatin1String("made")) {
            backend.server.injectFault({"POST", customersPath, standin::StandinFault::Kind::BadGatewayAfterCommit, 0, 1});
        } else {
            backend.front.setHandler([fault](const Request &r) -> std::optional<Reply> {
                if (r.method != "POST") return std::nullopt;
                if (r.path == customersPath && fault == QLatin1String("refused"))
                    return Reply{422, encode(APIError{QStringLiteral("Refused.")}, KeyStyle::Wire)};
                if (r.path == customersPath || (r.path == recoverPath && fault == QLatin1String("silent")))
                    return Reply::badGateway();
                return std::nullopt;
            });
        }

        const bool created = finish(model->customersPart()->createCustomer(form));
        QCOMPARE(created, fault == QLatin1String("made"));
        const QStringList lines = log.containing(QStringLiteral("customer request ") + form.requestId);
        QCOMPARE(lines.size(), 1);
        QVERIFY2(lines.first().endsWith(logged), qPrintable(lines.first()));
        for (const QString &detail : {form.firstName, form.lastName, form.email, form.phone})
            QVERIFY2(log.containing(detail).isEmpty(), qPrintable(log.lines().join(u'\n')));
    }
};

QTEST_GUILESS_MAIN(CustomersTest)
#include "tst_customers.moc"
