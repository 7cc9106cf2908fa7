#pragma once
// Set-up for the checkout and post-payment tests: a model signed in to the
// in-process stand-in server (or a loopback server), a saved quote on the
// draft, and a print service that records instead of printing.

#include "LoopbackServer.h"
#include "WorkflowTestSupport.h"

#include "StandinServer.h"
#include "platform/print/QtPrintService.h"
#include "server/APIClient.h"
#include "server/Endpoints.h"

#include <QBuffer>
#include <QCoroTask>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <QTest>

namespace checkoutsupport {

using namespace vantrel;

// Records what would be printed; printability is judged as the real service does.
class RecordingPrinter : public PrintService {
public:
    struct Job {
        QByteArray document;
        QString jobName;
    };
    bool canPrint(const QByteArray &document) const override { return QtPrintService().canPrint(document); }
    bool present(const QByteArray &document, const QString &jobName) override
    {
        if (!windowAvailable) return false;
        jobs.append({document, jobName});
        return true;
    }
    QList<Job> jobs;
    bool windowAvailable = true;
};

// A PDF with the given number of pages (needs a QGuiApplication).
inline QByteArray pdfBytes(int pages = 1)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setPageSize(QPageSize(QPageSize::Letter));
    QPainter painter(&writer);
    for (int page = 0; page < pages; ++page) {
        if (page > 0) writer.newPage();
        painter.drawText(100, 100, QStringLiteral("Page %1").arg(page + 1));
    }
    painter.end();
    return buffer.data();
}

inline CheckoutTransaction transactionNamed(const QString &id, const QString &status)
{
    CheckoutTransaction tx;
    tx.id = id;
    tx.quoteId = QStringLiteral("Q1");
    tx.quoteNumber = QStringLiteral("QT-1");
    tx.status = status;
    tx.tender = QStringLiteral("card");
    return tx;
}

// Loopback servers outlive the test function that made them: their
// connection handlers still fire for connections the client closes late, so
// they are only destroyed once the run is over (releaseLoopbacks()).
inline QList<LoopbackServer *> &loopbacks()
{
    static QList<LoopbackServer *> servers;
    return servers;
}

inline LoopbackServer &loopback()
{
    loopbacks().append(new LoopbackServer);
    return *loopbacks().last();
}

// For cleanupTestCase(): every client is gone by then; a last turn of the
// event loop lets the final connections close before their server goes.
inline void releaseLoopbacks()
{
    QTest::qWait(100);
    qDeleteAll(std::exchange(loopbacks(), {}));
}

// Failures are left to the model's slots, as the screens leave them (and
// QCoro::waitFor never returns from a task that throws).
inline QCoro::Task<> quietly(QCoro::Task<> task)
{
    try {
        co_await std::move(task);
    } catch (...) {
    }
}

inline QCoro::Task<> quietly(QCoro::Task<bool> task)
{
    try {
        co_await std::move(task);
    } catch (...) {
    }
}

// Runs a model coroutine to its end on the test's event loop.
inline void run(QCoro::Task<> task) { QCoro::waitFor(quietly(std::move(task))); }
inline void run(QCoro::Task<bool> task) { QCoro::waitFor(quietly(std::move(task))); }

// The text of the APIError a server call ends with; empty when it succeeds.
template <class T>
QCoro::Task<QString> refusal(QCoro::Task<T> task)
{
    try {
        co_await std::move(task);
    } catch (const APIError &error) {
        co_return error.error;
    }
    co_return QString();
}

// A model signed in to a server at `base` with payments enabled on `route`.
struct SignedInModel {
    QTemporaryDir dir;
    RecordingPrinter printer;
    std::unique_ptr<CheckoutModel> model;

    void open(const QString &base, const QString &token, const QString &user, bool demo = false)
    {
        CheckoutModelServices services = testsupport::productionServices(base);
        services.printer = &printer;
        services.pollInterval = std::chrono::milliseconds(20);
        model = std::make_unique<CheckoutModel>(services, dir.path());
        model->setServer(base);
        model->setSession(Session{token, user, demo});
        model->api().setBase(base);
        model->api().setToken(token);
        model->restoreWorkspace();
        model->setPaymentsEnabled(true);
    }
};

// The stand-in server with demo data and a signed-in model.
struct StandinModel : SignedInModel {
    standin::StandinServer server;

    // The model goes first, while the server it talks to still stands.
    ~StandinModel() { model.reset(); }

    bool start(int autoPayMs = -1)
    {
        standin::StandinOptions options;
        options.seed = QStringLiteral("demo");
        options.stepDelayMs = 10;
        options.autoPayMs = autoPayMs;
        options.testControls = true;
        QString error;
        if (!server.start(options, &error)) {
            qWarning() << error;
            return false;
        }
        const QString user = QString::fromUtf8(standin::StandinServer::demoUsers[0]);
        open(server.baseUrl(), server.issueToken(user), user);
        return true;
    }

    // Saves a one-line quote on the server and puts it on the draft, as
    // opening a saved quote does.
    Quote putSavedQuote()
    {
        const Customer customer = server.customers().value(0);
        const Product product = server.products().value(0);
        SaveQuoteRequest request;
        request.requestId = newUuidString();
        request.customerId = customer.id;
        request.lines = {QuoteLine::fromProduct(product)};
        request.discount = request.shipping = request.adjustment = QStringLiteral("0");
        const Quote quote = QCoro::waitFor(CheckoutAPI::saveQuote(model->api(), request));
        Draft draft = model->draft();
        draft.customer = customer;
        draft.lines = quote.lines;
        draft.saved = quote;
        draft.sourceId = quote.id;
        draft.sourceNumber = quote.number;
        model->setDraft(draft);
        return quote;
    }
};

} // namespace checkoutsupport
