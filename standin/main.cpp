// checkout-standin: runs the stand-in Checkout server until it is stopped.

#include "GeneratedCatalog.h"
#include "StandinServer.h"

#include <QCommandLineParser>
#include <QGuiApplication>
#include <QStandardPaths>

#include <QSocketNotifier>

#include <csignal>
#include <cstdio>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int signalPipe[2] = {-1, -1};

void onSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const auto written = ::write(signalPipe[0], &byte, 1);
}

// Ctrl-C and SIGTERM end the event loop, so the database closes cleanly.
void quitOnSignals(QCoreApplication &app)
{
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, signalPipe) != 0) return;
    auto *notifier = new QSocketNotifier(signalPipe[1], QSocketNotifier::Read, &app);
    QObject::connect(notifier, &QSocketNotifier::activated, &app, [] { QCoreApplication::quit(); });
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(SIGINT, &action, nullptr);
    ::sigaction(SIGTERM, &action, nullptr);
}

int fail(const QString &message)
{
    std::fprintf(stderr, "checkout-standin: %s\n", qPrintable(message));
    return 2;
}

} // namespace

int main(int argc, char *argv[])
{
    // Documents are drawn with fonts, which need a GUI application object; a
    // server has no screen, so the offscreen platform is the default.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral(VANTREL_ORGANIZATION));
    QCoreApplication::setApplicationName(QStringLiteral("checkout-standin"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VANTREL_VERSION));

    QCommandLineParser parser;
    // One line an option and a control: the manual page is made from this text.
    parser.setApplicationDescription(QStringLiteral(
        "Stand-in Checkout server for Vantrel Checkout.\n\n"
        "This program is NOT part of the checkout client. It answers every endpoint the client uses,\n"
        "with its own SQLite database and demonstration data, so the app can run on a machine without\n"
        "the company server and tests have a real peer. It never talks to Zoho or Square: sign-in shows\n"
        "a page of demo users, and card, cash and register payments are simulated.\n\n"
        "When it is ready it prints one line, \"listening on http://HOST:PORT\".\n\n"
        "An empty database is filled once with demonstration data (--seed demo) or left empty\n"
        "(--seed empty). With --auto-pay the simulated terminal or register pays that many seconds\n"
        "(decimals allowed) after a checkout starts waiting; off waits for a test control.\n"
        "The --catalog-size products have varied names, categories and stock, some are assembled and\n"
        "most have photos; they are made at start, not stored.\n\n"
        "Test controls (only with --enable-test-controls, only answered to loopback peers):\n"
        "  GET /__standin/counts                    record counts (customers, quotes, checkouts, ...)\n"
        "  POST /__standin/token {\"user\": NAME}     a session without the browser sign-in\n"
        "  POST /__standin/checkouts/ID/pay         the terminal takes the card now\n"
        "  POST /__standin/checkouts/ID/decline     the terminal declines the card\n"
        "  POST /__standin/checkouts/ID/collect     the register collects the invoice now\n"
        "  POST /__standin/faults FAULT             the next COUNT requests that match misbehave\n"
        "  DELETE /__standin/faults                 forget every pending fault\n\n"
        "FAULT is {\"method\": \"POST\", \"path_prefix\": \"/api/quotes\", \"kind\": KIND, \"delay_ms\": 0,\n"
        "\"count\": COUNT}; KIND is drop (handle the request, then close the connection without\n"
        "answering), bad_gateway (answer 502 with an HTML page without handling it),\n"
        "bad_gateway_after_commit (handle it, then answer 502) or delay (answer after delay_ms)."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption host(QStringLiteral("host"),
                                  QStringLiteral("Address to listen on (default 127.0.0.1)."),
                                  QStringLiteral("address"), QStringLiteral("127.0.0.1"));
    const QCommandLineOption port(QStringLiteral("port"),
                                  QStringLiteral("Port; 0 picks a free one (default 8080)."),
                                  QStringLiteral("port"), QStringLiteral("8080"));
    const QCommandLineOption data(
        QStringLiteral("data"),
        QStringLiteral("Database folder (default: the app's data folder)."),
        QStringLiteral("dir"));
    const QCommandLineOption seed(
        QStringLiteral("seed"),
        QStringLiteral("Data for a new database (default demo)."),
        QStringLiteral("demo|empty"), QStringLiteral("demo"));
    const QCommandLineOption scheme(
        QStringLiteral("callback-scheme"),
        QStringLiteral("Sign-in callback scheme (default vantrelcheckout)."),
        QStringLiteral("name"), QStringLiteral("vantrelcheckout"));
    const QCommandLineOption route(
        QStringLiteral("payment-route"),
        QStringLiteral("square_terminal (default) | square_register"),
        QStringLiteral("route"), QStringLiteral("square_terminal"));
    const QCommandLineOption accounting(QStringLiteral("accounting-mode"),
                                        QStringLiteral("individual_zoho (default) | native_square_summary"),
                                        QStringLiteral("mode"), QStringLiteral("individual_zoho"));
    const QCommandLineOption payments(QStringLiteral("payments-enabled"),
                                      QStringLiteral("true or false (default true)."), QStringLiteral("bool"),
                                      QStringLiteral("true"));
    const QCommandLineOption autoPay(
        QStringLiteral("auto-pay"),
        QStringLiteral("Seconds to pay a checkout, or off (default 5)."),
        QStringLiteral("seconds"), QStringLiteral("5"));
    const QCommandLineOption stepDelay(
        QStringLiteral("step-delay"),
        QStringLiteral("Milliseconds per payment step (default 1500)."),
        QStringLiteral("ms"), QStringLiteral("1500"));
    const QCommandLineOption catalogSize(
        QStringLiteral("catalog-size"),
        QStringLiteral("Products to generate, up to 200000 (default 0)."),
        QStringLiteral("count"), QStringLiteral("0"));
    const QCommandLineOption controls(
        QStringLiteral("enable-test-controls"),
        QStringLiteral("Answer the test controls (loopback peers only)."));
    parser.addOptions({host, port, data, seed, scheme, route, accounting, payments, autoPay, stepDelay,
                       catalogSize, controls});
    parser.process(app);

    standin::StandinOptions options;
    options.host = parser.value(host);
    bool ok = false;
    const uint portNumber = parser.value(port).toUInt(&ok);
    if (!ok || portNumber > 65535) return fail(QStringLiteral("--port must be a number from 0 to 65535."));
    options.port = quint16(portNumber);
    options.dataDir = parser.isSet(data) ? parser.value(data)
                                         : QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    options.seed = parser.value(seed);
    if (options.seed != QLatin1String("demo") && options.seed != QLatin1String("empty"))
        return fail(QStringLiteral("--seed must be demo or empty."));
    options.callbackScheme = parser.value(scheme);
    if (options.callbackScheme.isEmpty()) return fail(QStringLiteral("--callback-scheme must not be empty."));
    options.paymentRoute = parser.value(route);
    if (options.paymentRoute != QLatin1String("square_terminal") &&
        options.paymentRoute != QLatin1String("square_register"))
        return fail(QStringLiteral("--payment-route must be square_terminal or square_register."));
    options.accountingMode = parser.value(accounting);
    if (options.accountingMode != QLatin1String("individual_zoho") &&
        options.accountingMode != QLatin1String("native_square_summary"))
        return fail(QStringLiteral("--accounting-mode must be individual_zoho or native_square_summary."));
    const QString paymentsText = parser.value(payments).toLower();
    if (paymentsText != QLatin1String("true") && paymentsText != QLatin1String("false"))
        return fail(QStringLiteral("--payments-enabled must be true or false."));
    options.paymentsEnabled = paymentsText == QLatin1String("true");
    if (parser.value(autoPay) == QLatin1String("off")) {
        options.autoPayMs = -1;
    } else {
        const double seconds = parser.value(autoPay).toDouble(&ok);
        if (!ok || seconds < 0 || seconds > 86400)
            return fail(QStringLiteral("--auto-pay must be seconds or off."));
        options.autoPayMs = int(seconds * 1000);
    }
    options.stepDelayMs = parser.value(stepDelay).toInt(&ok);
    if (!ok || options.stepDelayMs < 0) return fail(QStringLiteral("--step-delay must be milliseconds."));
    options.catalogSize = parser.value(catalogSize).toInt(&ok);
    if (!ok || options.catalogSize < 0 || options.catalogSize > standin::maxGeneratedProducts)
        return fail(QStringLiteral("--catalog-size must be a number from 0 to %1.")
                        .arg(standin::maxGeneratedProducts));
    options.testControls = parser.isSet(controls);

    quitOnSignals(app);
    standin::StandinServer server;
    QString error;
    if (!server.start(options, &error)) return fail(error);
    std::printf("listening on %s\n", qPrintable(server.baseUrl()));
    std::fflush(stdout);
    return app.exec();
}
