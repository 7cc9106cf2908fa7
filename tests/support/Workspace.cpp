#include "Workspace.h"

#include <QThread>

#include "platform/print/QtPrintService.h"
#include "records/Uuid.h"
#include "server/Endpoints.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFile>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

namespace vantrel::testing {

PrintService::Check RecordingPrinter::check(const QByteArray &document) const
{
    checkedOn = QThread::currentThread();
    return QtPrintService().check(document);
}

bool RecordingPrinter::present(const QByteArray &document, const QString &jobName)
{
    if (!windowAvailable) return false;
    jobs.append({document, jobName});
    return true;
}

QByteArray pdfBytes(int pages)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setPageSize(QPageSize(QPageSize::Letter));
    QPainter painter(&writer);
    for (int page = 0; page < pages; ++page) {
        if (page > 0) writer.newPage();
        painter.fillRect(QRect(0, 0, 2000, 600), Qt::black);
    }
    painter.end();
    return buffer.data();
}

QByteArray posterPdfBytes()
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setPageSize(QPageSize(QSizeF(24, 36), QPageSize::Inch));
    QPainter painter(&writer);
    painter.fillRect(QRect(0, 0, 2000, 600), Qt::black);
    painter.end();
    return buffer.data();
}

QByteArray lockedPdfBytes()
{
    QByteArray pdf = pdfBytes(1);
    const qsizetype open = pdf.indexOf("<<", pdf.lastIndexOf("trailer"));
    pdf.insert(open + 2, QByteArray(" /Encrypt << /Filter /Standard /V 1 /R 2 /O (0123456789abcdef0123456789abcdef)"
                                    " /U (0123456789abcdef0123456789abcdef) /P -4 >> "));
    return pdf;
}

Standin::Standin(standin::StandinOptions options)
{
    options.seed = QStringLiteral("demo");
    if (options.stepDelayMs == standin::StandinOptions{}.stepDelayMs) options.stepDelayMs = 10;
    options.testControls = true;
    // Nothing a test checks means anything without its server: stop the whole program.
    QString error;
    if (!server.start(options, &error)) qFatal("The in-process stand-in did not start: %s", qPrintable(error));
    front.forwardTo(&server);
    api.setBase(base());
    api.setToken(server.issueToken(user));
}

NewCustomerRequest Standin::customerForm(const QString &firstName)
{
    const CustomerOptions options = finish(CheckoutAPI::customerOptions(api));
    return NewCustomerRequest{newUuidString(), firstName, QStringLiteral("Tester"), QStringLiteral("555-010-2000"),
                              firstName.toLower() + QStringLiteral("@example.com"), options.defaultCampaignId,
                              QStringLiteral("100")};
}

NewCustomerResponse Standin::newCustomer(const QString &firstName)
{
    return finish(CheckoutAPI::createCustomer(api, customerForm(firstName)));
}

Quote Standin::newQuote(const NewCustomerResponse &owner)
{
    SaveQuoteRequest request;
    request.requestId = newUuidString();
    request.customerId = owner.customer.id;
    request.dealId = owner.deal.id;
    request.lines = {QuoteLine::fromProduct(server.products().first())};
    request.discount = request.shipping = request.adjustment = QStringLiteral("0");
    return finish(CheckoutAPI::saveQuote(api, request));
}

CheckoutTransaction Standin::startCheckout(APIClient &client, const Quote &quote, const QString &tender)
{
    const qint64 amount = cents(quote.total);
    const CheckoutRequest request{newUuidString(), quote.id, amount, tender,
                                  tender == QLatin1String("cash") ? amount : 0, false};
    return finish(CheckoutAPI::startCheckout(client, request));
}

Workspace::Workspace(const QString &server)
    : server(server),
      settings(std::make_unique<QSettings>(dir.filePath(QStringLiteral("settings.ini")), QSettings::IniFormat))
{
    services.build = CheckoutBuildConfiguration{false, server, server, QStringLiteral("vantrelcheckout")};
    services.sessions = &sessions;
    services.browser = &browser;
    services.printer = &printer;
    services.settings = settings.get();
    services.catalogInterval = std::chrono::minutes(1);
    services.pollInterval = std::chrono::milliseconds(20);
    services.searchDebounce = std::chrono::milliseconds(20);
}

Workspace::Workspace(Standin &standin, Start start) : Workspace(standin.base())
{
    user = standin.user;
    token = standin.server.issueToken(user);
    storeSession(token, user);
    open();
    if (start == signedIn) signIn();
}

Workspace::~Workspace()
{
    model.reset();
    // Lets cancelled loops and closed replies finish before the fakes go.
    QCoreApplication::sendPostedEvents();
}

CheckoutModel &Workspace::open()
{
    model.reset();
    QCoreApplication::sendPostedEvents();
    model = std::make_unique<CheckoutModel>(services, storage());
    return *model;
}

CheckoutModel &Workspace::signIn(const QString &user, const QString &token, bool demo)
{
    this->user = user;
    this->token = token;
    this->demo = demo;
    return signIn();
}

CheckoutModel &Workspace::signIn()
{
    if (!model) open();
    model->setServer(server);
    model->adoptSession(Session{token, user, demo});
    return *model;
}

void Workspace::storeSession(const QString &token, const QString &user, bool demo)
{
    sessions.items.insert(server, encode(Session{token, user, demo}, KeyStyle::Storage));
}

void Workspace::enablePayments(const QString &route, const QString &mode)
{
    Me account;
    account.paymentsEnabled = true;
    account.paymentRoute = route;
    account.accountingMode = mode;
    model->checkoutPart()->applyAccount(account);
}

QString Workspace::draftPath(const QString &user, const QString &server) const
{
    return storage() + QStringLiteral("/draft-") +
           CheckoutModel::workspaceKey(server.isEmpty() ? this->server : server, user) + QStringLiteral(".json");
}

QString Workspace::requestsPath(const QString &user, const QString &server) const
{
    QString path = draftPath(user, server);
    return path.insert(path.size() - 5, QStringLiteral(".requests"));
}

Customer customer(const QString &id)
{
    return Customer{id, QStringLiteral("Customer ") + id, {}, {}, {}};
}

QuoteLine line(const QString &quantity, const QString &rate)
{
    QuoteLine l;
    l.id = newUuidString();
    l.itemId = QStringLiteral("item");
    l.name = QStringLiteral("Chair");
    l.quantity = quantity;
    l.rate = rate;
    l.discount = QStringLiteral("0");
    return l;
}

Draft draftWithPendingSave()
{
    Draft d = Draft::make();
    d.customer = customer(QStringLiteral("C1"));
    d.lines = {line(QStringLiteral("1"), QStringLiteral("10"))};
    SaveQuoteRequest request;
    request.requestId = d.requestId;
    request.customerId = QStringLiteral("C1");
    request.lines = d.lines;
    request.discount = request.shipping = request.adjustment = QStringLiteral("0");
    d.pendingSave = request;
    return d;
}

CheckoutTransaction transaction(const QString &id, const QString &status)
{
    CheckoutTransaction tx;
    tx.id = id;
    tx.quoteId = QStringLiteral("Q1");
    tx.quoteNumber = QStringLiteral("QT-1");
    tx.status = status;
    tx.tender = QStringLiteral("card");
    return tx;
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) file.write(bytes);
}

} // namespace vantrel::testing
