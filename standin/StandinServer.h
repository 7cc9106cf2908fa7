#pragma once
// The stand-in Checkout server: answers every endpoint the client uses, keeps
// its records in SQLite, and simulates the card terminal and the register.
// It is not part of the client; tests start it in-process on a loopback port:
//
//   standin::StandinServer server;
//   standin::StandinOptions options;          // empty database, temporary directory
//   options.stepDelayMs = 20;                 // automatic steps, short in tests
//   options.testControls = true;              // /__standin/ routes and faults
//   QString error;
//   QVERIFY2(server.start(options, &error), qPrintable(error));
//   api.setBase(server.baseUrl());            // "http://127.0.0.1:<port>"
//   api.setToken(server.issueToken("Avery Demo"));
//
// Quote and invoice PDFs are drawn with fonts, which need a QGuiApplication
// (QTEST_MAIN with QT_QPA_PLATFORM=offscreen); under a QCoreApplication those
// two routes answer 503 with an APIError. Everything else works under either.

#include "HttpServer.h"

#include "records/Quote.h"
#include "records/Requests.h"

#include <QDir>
#include <QHash>
#include <QMap>
#include <QObject>
#include <QSqlDatabase>

#include <functional>
#include <memory>
#include <optional>

class QTemporaryDir;
class QTimer;

namespace standin {

struct StandinOptions {
    QString host = QStringLiteral("127.0.0.1");
    quint16 port = 0; // 0 picks a free port
    QString dataDir; // empty: a temporary directory owned by the server
    QString seed = QStringLiteral("empty"); // "demo" fills an empty database once
    QString callbackScheme = QStringLiteral("vantrelcheckout");
    QString paymentRoute = QStringLiteral("square_terminal");
    QString accountingMode = QStringLiteral("individual_zoho");
    bool paymentsEnabled = true;
    int autoPayMs = -1; // pay this long after a checkout starts waiting; < 0: never
    int stepDelayMs = 1500; // each automatic step around the payment
    int codeLifetimeSeconds = 300; // sign-in codes
    bool testControls = false; // /__standin/ routes, answered to loopback peers only
    int catalogSize = 0; // generated products served after the stored ones, up to 200000
    std::function<qint64()> nowMs; // wall clock in ms since 1970; empty: the real one
};

// Record counts, for tests that check that nothing was created twice.
struct StandinCounts {
    int customers = 0;
    int deals = 0;
    int quotes = 0;
    int checkouts = 0;
    int receipts = 0;
    int sessions = 0;
};

// A fault applied to the next request(s) whose method and path prefix match.
struct StandinFault {
    enum class Kind {
        DropAfterCommit, // handle the request, then close the connection without answering
        BadGateway, // answer 502 with an HTML body; nothing is handled
        BadGatewayAfterCommit, // handle the request, then answer 502 with an HTML body
        Delay, // handle the request and answer after delayMs
    };
    QByteArray method; // empty matches every method
    QString pathPrefix;
    Kind kind = Kind::DropAfterCommit;
    int delayMs = 0;
    int count = 1; // how many matching requests it applies to
};

class StandinServer : public QObject {
    Q_OBJECT
public:
    explicit StandinServer(QObject *parent = nullptr);
    ~StandinServer() override;

    // Opens (or creates) the database, seeds it when asked, and listens.
    bool start(const StandinOptions &options, QString *error = nullptr);
    void stop();

    quint16 port() const;
    QString baseUrl() const; // "http://HOST:PORT"
    QString dataDir() const;

    // A valid bearer token for a user, as if the browser sign-in had run.
    QString issueToken(const QString &user);

    // The simulated terminal and register; false when the checkout is not waiting.
    bool pay(const QString &checkoutId);
    bool decline(const QString &checkoutId);
    bool collect(const QString &checkoutId);

    void injectFault(const StandinFault &fault);
    void clearFaults();
    StandinCounts counts() const;

    // What the server holds, for assertions.
    std::optional<vantrel::CheckoutTransaction> checkout(const QString &id) const;
    std::optional<vantrel::Quote> quote(const QString &id) const;
    QList<vantrel::Customer> customers() const;
    QList<vantrel::Product> products() const;

    // Answers one request; the HTTP layer calls it, and tests may too.
    HttpResponse handle(const HttpRequest &request);

    static constexpr const char *demoUsers[] = {"Avery Demo", "Jordan Sales", "Morgan Lee"};

signals:
    // A checkout changed status (automatic step, payment, cancel ...).
    void checkoutChanged(const QString &id, const QString &status);

public:
    struct State; // the inside, opaque to users

private:
    std::unique_ptr<State> d;
};

// Lower-case hex SHA-256, the proof-key challenge of a verifier.
QString challengeFor(const QString &verifier);

} // namespace standin
