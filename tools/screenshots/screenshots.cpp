// Renders the shell's screens to PNG files for review, against a stand-in
// server with demo data: sign-in, the workspace wide and narrow, the account
// sheet, an error card with a long message, the reset confirmation and the
// PDF preview of a long quote, the quote editor and the customer quote browser.
#include "ShellHarness.h"

#include "records/Uuid.h"
#include "screens/controls/text/LanguageChoice.h"
#include "server/Endpoints.h"

#include <QCoroTask>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QWheelEvent>

#include "workflow/VisibleProducts.h"

#include <QElapsedTimer>

#include "StandinServer.h"

#include <QApplication>
#include <QDir>
#include <QSignalSpy>
#include <QTest>

#include <cstdio>

using namespace vantrel;
using namespace vantrel::testing;

namespace {

// Key by key, as a person types.
void typeText(QWindow *window, const QString &text)
{
    for (const QChar c : text) QTest::keyClick(window, c.toLatin1());
}

bool waitFor(const std::function<bool()> &condition) { return QTest::qWaitFor(condition, 20000); }

bool save(ShellHarness &shell, const QDir &out, const QString &name)
{
    shell.settle();
    QTest::qWait(250); // sheet transitions finish
    const QImage image = shell.window()->grabWindow();
    const QString path = out.filePath(name + QStringLiteral(".png"));
    if (image.isNull() || !image.save(path)) {
        std::fprintf(stderr, "screenshots: could not write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

void scrollToEnd(QQuickItem *item)
{
    if (!item) return;
    for (QQuickItem *c : item->childItems()) {
        if (c->inherits("QQuickFlickable")) {
            c->setProperty("contentY", qMax<qreal>(0, c->property("contentHeight").toReal() - c->height()));
            return;
        }
        scrollToEnd(c);
    }
}

// The quote editor with a customer, a deal and three lines; one line open.
bool editorShots(ShellHarness &shell, standin::StandinServer &server, const QDir &out)
{
    CheckoutModel &model = shell.model();
    const Customer customer = server.customers().first();
    QCoro::waitFor(model.customersPart()->selectCustomer(customer));
    if (!model.customersPart()->deals().isEmpty())
        QCoro::waitFor(model.quotePart()->selectDeal(model.customersPart()->deals().first()));
    const QList<Product> products = model.catalogPart()->products();
    for (int i = 0; i < 3 && i < products.size(); ++i) model.quotePart()->addProduct(products[i]);
    const QString first = model.draft().lines.value(0).id;
    model.quotePart()->setLineQuantity(first, QStringLiteral("2"));
    model.quotePart()->setLineDiscount(first, QStringLiteral("10%"));
    shell.settle();
    bool ok = save(shell, out, QStringLiteral("editor-lines"));
    shell.tap(shell.find(QStringLiteral("expandLine")));
    ok = save(shell, out, QStringLiteral("editor-line-expanded")) && ok;
    shell.resize(800, 1000);
    shell.tap(shell.find(QStringLiteral("quoteTab")));
    ok = save(shell, out, QStringLiteral("editor-narrow")) && ok;
    shell.tap(shell.find(QStringLiteral("productsTab")));
    shell.resize(1180, 820);

    // Saved: the badge, the server's totals and the checkout button.
    shell.tap(shell.find(QStringLiteral("expandLine")));
    QCoro::waitFor(model.quotePart()->saveQuote());
    shell.settle();
    ok = save(shell, out, QStringLiteral("editor-saved")) && ok;
    scrollToEnd(shell.find(QStringLiteral("quoteEditor")));
    shell.settle();
    ok = save(shell, out, QStringLiteral("editor-saved-actions")) && ok;
    return ok;
}

// The customer sheet: a search with results, and the new-customer form.
bool customerSheetShots(ShellHarness &shell, const QDir &out)
{
    QMetaObject::invokeMethod(shell.object(QStringLiteral("customerSheet")), "open");
    waitFor([&] { return shell.object(QStringLiteral("customerSheet"))->property("opened").toBool(); });
    shell.model().customersPart()->searchCustomers(QStringLiteral("ga"));
    waitFor([&] { return !shell.model().customersPart()->customers().isEmpty(); });
    shell.settle();
    bool ok = save(shell, out, QStringLiteral("customer-search"));
    shell.tap(shell.find(QStringLiteral("createNewCustomerButton")));
    waitFor([&] {
        const QQuickItem *picker = shell.find(QStringLiteral("campaignPicker"));
        return picker && picker->property("currentIndex").toInt() >= 0;
    });
    shell.settle();
    ok = save(shell, out, QStringLiteral("customer-new")) && ok;
    shell.resize(800, 1000);
    ok = save(shell, out, QStringLiteral("customer-new-narrow")) && ok;
    shell.resize(1180, 820);
    shell.tap(shell.find(QStringLiteral("sheetLeadingButton")));
    shell.tap(shell.find(QStringLiteral("sheetLeadingButton")));
    waitFor([&] { return !shell.object(QStringLiteral("customerSheet"))->property("visible").toBool(); });
    return ok;
}

// Opens the preview of a quote through a QuotePdfButton of its own (the
// button itself stays off screen) and waits for its state to show.
QObject *openPdfPreview(ShellHarness &shell, const QString &quoteId, const QString &quoteNumber,
                        const QString &shownItem)
{
    QQmlComponent component(qmlEngine(shell.window()));
    component.setData("import Vantrel.Checkout\nQuotePdfButton { visible: false }",
                      QUrl(QStringLiteral("qrc:/screenshots/PdfButton.qml")));
    // Qt 6.4 crashes creating a component that failed to compile.
    QObject *button = component.isReady()
                          ? component.createWithInitialProperties(
                                {{QStringLiteral("workspace"), QVariant::fromValue<QObject *>(&shell.model())},
                                 {QStringLiteral("quoteId"), quoteId},
                                 {QStringLiteral("quoteNumber"), quoteNumber}})
                          : nullptr;
    if (!button) {
        std::fprintf(stderr, "screenshots: %s\n", qPrintable(component.errorString()));
        return nullptr;
    }
    qobject_cast<QQuickItem *>(button)->setParentItem(shell.window()->contentItem());
    QMetaObject::invokeMethod(button, "clicked");
    if (!waitFor([&] { return shell.find(shownItem) != nullptr; })) {
        std::fprintf(stderr, "screenshots: the PDF preview did not show %s\n", qPrintable(shownItem));
        delete button;
        return nullptr;
    }
    return button;
}

// A saved quote long enough for three pages, previewed wide and narrow, and
// the unavailable state of a quote the server does not have.
bool savePdfPreviews(ShellHarness &shell, standin::StandinServer &server, const QDir &out)
{
    SaveQuoteRequest request;
    request.requestId = newUuidString();
    request.customerId = server.customers().value(0).id;
    const QList<Product> products = server.products();
    for (qsizetype i = 0; i < 90 && i < products.size(); ++i) {
        QuoteLine line = QuoteLine::fromProduct(products.at(i));
        line.quantity = QString::number(1 + i % 3);
        request.lines.append(line);
    }
    request.discount = request.shipping = request.adjustment = QStringLiteral("0");
    QCoro::Task<Quote> saving = CheckoutAPI::saveQuote(shell.model().api(), request);
    const Quote quote = QCoro::waitFor(std::move(saving));

    shell.resize(1280, 820);
    std::unique_ptr<QObject> button(
        openPdfPreview(shell, quote.id, quote.number, QStringLiteral("documentPdfCaption")));
    if (!button) return false;
    QTest::qWait(1500); // pages render on worker threads
    bool ok = save(shell, out, QStringLiteral("pdf-preview-wide"));
    shell.resize(800, 1000);
    QTest::qWait(1500);
    ok = save(shell, out, QStringLiteral("pdf-preview-narrow")) && ok;

    // Scrolled to the turn of the first page, then zoomed with Ctrl + wheel
    // around the middle of the view: the same lines stay in the middle.
    if (QQuickItem *pages = shell.find(QStringLiteral("documentPdfPages"))) {
        pages->setProperty("contentY", 850);
        const QPointF middle = pages->mapToScene(QPointF(pages->width() / 2, pages->height() / 2));
        for (int notch = 0; notch < 4; ++notch) {
            QWheelEvent wheel(middle, shell.window()->mapToGlobal(middle), QPoint(), QPoint(0, 120),
                              Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
            QCoreApplication::sendEvent(shell.window(), &wheel);
        }
        QTest::qWait(1500);
        ok = save(shell, out, QStringLiteral("pdf-preview-zoomed")) && ok;
    }
    button.reset();

    button.reset(openPdfPreview(shell, QStringLiteral("no-such-quote"), QStringLiteral("QT-999999"),
                                QStringLiteral("documentPdfUnavailable")));
    ok = button && save(shell, out, QStringLiteral("pdf-unavailable")) && ok;
    button.reset();
    return ok;
}

// The checkout sheet by card, by cash and on the register route, the payment
// status while waiting and once complete, and the history sheet.
bool checkoutShots(ShellHarness &shell, standin::StandinServer &server, const QDir &out)
{
    CheckoutModel &model = shell.model();
    if (!model.draft().saved) return false;
    const auto sheetOpen = [&] {
        const QObject *sheet = shell.object(QStringLiteral("paymentSheet"));
        return sheet && sheet->property("opened").toBool();
    };
    shell.tap(shell.find(QStringLiteral("checkoutButton")));
    if (!waitFor(sheetOpen)) return false;
    bool ok = save(shell, out, QStringLiteral("checkout-card"));

    shell.tap(shell.find(QStringLiteral("tenderCash")));
    shell.tap(shell.find(QStringLiteral("cashField")));
    const qint64 received = (cents(model.draft().saved->total) / 1000 + 1) * 1000;
    for (const QChar c : QString::number(received / 100)) QTest::keyClick(shell.window(), c.toLatin1());
    shell.tap(shell.find(QStringLiteral("cashConfirmedToggle")));
    ok = save(shell, out, QStringLiteral("checkout-cash")) && ok;
    shell.resize(800, 1000);
    ok = save(shell, out, QStringLiteral("checkout-cash-narrow")) && ok;

    Me registerAccount{
        model.userName(), false, true, QStringLiteral("square_register"), QStringLiteral("individual_zoho"),
        std::nullopt};
    model.checkoutPart()->applyAccount(registerAccount);
    ok = save(shell, out, QStringLiteral("checkout-register-narrow")) && ok;
    shell.resize(1180, 820);
    ok = save(shell, out, QStringLiteral("checkout-register")) && ok;
    QCoro::waitFor(model.checkoutPart()->loadAccount());
    shell.tap(shell.find(QStringLiteral("tenderCard")));

    // A card sale waiting on the terminal, then paid.
    shell.tap(shell.find(QStringLiteral("startCheckoutButton")));
    if (!waitFor([&] { return model.checkoutPart()->status() == QLatin1String("awaiting_payment"); }))
        return false;
    ok = save(shell, out, QStringLiteral("status-waiting")) && ok;
    shell.resize(800, 1000);
    shell.tap(shell.find(QStringLiteral("quoteTab")));
    ok = save(shell, out, QStringLiteral("status-waiting-narrow")) && ok;
    shell.tap(shell.find(QStringLiteral("productsTab")));
    shell.resize(1180, 820);

    const QString id = model.checkoutPart()->transactionId();
    server.pay(id);
    if (!waitFor([&] { return model.checkoutPart()->status() == QLatin1String("complete"); })) return false;
    ok = save(shell, out, QStringLiteral("status-complete")) && ok;
    scrollToEnd(shell.find(QStringLiteral("paymentStatusView")));
    ok = save(shell, out, QStringLiteral("status-complete-actions")) && ok;

    // The server's checkouts after the next sale began, below a saved draft.
    shell.tap(shell.find(QStringLiteral("nextSaleButton")));
    Draft aside = Draft::make();
    aside.customer = server.customers().first();
    aside.sourceNumber = QStringLiteral("QT-000101");
    aside.lines = {QuoteLine{}};
    const QString requests = model.requestsFileURL();
    {
        QFile file(requests);
        if (file.open(QIODevice::WriteOnly))
            file.write(encode(QList<ArchivedWorkspaceRequest>{{QStringLiteral("A1"), 1.7e9, aside, {}}},
                              KeyStyle::Storage));
    }
    model.restoreWorkspace();
    shell.tap(shell.find(QStringLiteral("transactionsButton")));
    waitFor([&] { return !model.historyPart()->loading() && !model.busy(); });
    ok = save(shell, out, QStringLiteral("history")) && ok;
    shell.resize(800, 1000);
    ok = save(shell, out, QStringLiteral("history-narrow")) && ok;
    shell.tap(shell.find(QStringLiteral("removeSavedWorkButton")));
    ok = save(shell, out, QStringLiteral("history-remove-confirmation")) && ok;
    shell.tap(shell.find(QStringLiteral("cancelButton")));
    shell.resize(1180, 820);

    // A refresh that fails keeps the list it had.
    server.injectFault({"GET", QStringLiteral("/api/checkouts"), standin::StandinFault::Kind::BadGateway});
    shell.tap(shell.find(QStringLiteral("refreshTransactionsButton")));
    waitFor([&] { return !model.historyPart()->loading() && !model.busy(); });
    model.clearError();
    ok = save(shell, out, QStringLiteral("history-refresh-failed")) && ok;
    shell.tap(shell.find(QStringLiteral("sheetDoneButton")));
    // The error card of the failed refresh may still take that tap on its way out;
    // the next pictures need the sheet gone.
    QObject *sheet = shell.object(QStringLiteral("historySheet"));
    waitFor([&] { return !sheet || !sheet->property("opened").toBool(); });
    if (sheet && sheet->property("opened").toBool()) QMetaObject::invokeMethod(sheet, "close");
    waitFor([&] { return !sheet || !sheet->property("visible").toBool(); });
    QFile::remove(requests);
    model.restoreWorkspace();
    return ok;
}

// The first customer whose saved quotes pass the test, with those quotes.
Customer customerWith(CheckoutModel &model, standin::StandinServer &server,
                      const std::function<bool(const QList<Quote> &)> &wanted)
{
    for (const Customer &c : server.customers()) {
        const QuotesResponse listed = QCoro::waitFor(CheckoutAPI::quotes(model.api(), c.id));
        if (wanted(listed.quotes)) return c;
    }
    return {};
}

QQuickItem *customerRowNamed(ShellHarness &shell, const QString &name)
{
    for (int i = 0; QQuickItem *row = shell.find(QStringLiteral("customerRow-%1").arg(i)); ++i)
        if (accessibleName(row) == name) return row;
    return nullptr;
}

// The quote browser: a customer search, a customer's quotes (one paid, one
// locked by a colleague), a paid quote's detail, wide and narrow.
bool browserShots(ShellHarness &shell, standin::StandinServer &server, const QDir &out)
{
    CheckoutModel &model = shell.model();
    const Customer paid = customerWith(model, server, [](const QList<Quote> &quotes) {
        for (const Quote &q : quotes)
            if (q.transaction && q.transaction->status == QLatin1String("complete")) return true;
        return false;
    });
    const Customer locked = customerWith(model, server, [](const QList<Quote> &quotes) {
        for (const Quote &q : quotes)
            if (q.checkoutReadOnly.value_or(false)) return true;
        return false;
    });
    shell.tap(shell.find(QStringLiteral("customersButton")));
    waitFor([&] { return shell.find(QStringLiteral("browserSearchField")) != nullptr; });
    bool ok = save(shell, out, QStringLiteral("browser-empty"));
    shell.tap(shell.find(QStringLiteral("browserSearchField")));
    typeText(shell.window(), QStringLiteral("an"));
    waitFor([&] { return shell.find(QStringLiteral("customerRow-0")) != nullptr; });
    ok = save(shell, out, QStringLiteral("browser-customers")) && ok;

    QTest::keyClick(shell.window(), Qt::Key_A, Qt::ControlModifier);
    typeText(shell.window(), paid.name);
    waitFor([&] { return customerRowNamed(shell, paid.name) != nullptr; });
    shell.tap(customerRowNamed(shell, paid.name));
    waitFor([&] { return shell.find(QStringLiteral("browserListState")) == nullptr; });
    ok = save(shell, out, QStringLiteral("browser-quotes")) && ok;

    // The completed quote's detail: summary, payment, invoice, items.
    QQuickItem *paidRow = nullptr;
    for (const Quote &q : QCoro::waitFor(CheckoutAPI::quotes(model.api(), paid.id)).quotes)
        if (q.transaction) paidRow = shell.find(QStringLiteral("quoteRow-") + q.number);
    shell.tap(paidRow);
    waitFor([&] { return shell.find(QStringLiteral("checkedAt")) != nullptr; });
    ok = save(shell, out, QStringLiteral("quote-detail")) && ok;
    scrollToEnd(shell.find(QStringLiteral("quoteDetail")));
    ok = save(shell, out, QStringLiteral("quote-detail-end")) && ok;
    shell.resize(800, 1000);
    scrollToEnd(shell.find(QStringLiteral("quoteDetail")));
    ok = save(shell, out, QStringLiteral("quote-detail-narrow")) && ok;
    shell.tap(shell.find(QStringLiteral("detailBackButton")));

    shell.tap(shell.find(QStringLiteral("searchAllCustomersButton")));
    shell.tap(shell.find(QStringLiteral("browserSearchField")));
    QTest::keyClick(shell.window(), Qt::Key_A, Qt::ControlModifier);
    typeText(shell.window(), locked.name);
    waitFor([&] { return customerRowNamed(shell, locked.name) != nullptr; });
    shell.tap(customerRowNamed(shell, locked.name));
    waitFor([&] { return shell.find(QStringLiteral("browserListState")) == nullptr; });
    ok = save(shell, out, QStringLiteral("browser-quotes-narrow")) && ok;
    shell.resize(1180, 820);
    shell.tap(shell.find(QStringLiteral("sheetDoneButton")));
    waitFor([&] { return shell.find(QStringLiteral("browserTitleBar")) == nullptr; });
    return ok;
}
} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: screens_screenshots OUTPUT_DIR [LANGUAGE]\n"
                             "LANGUAGE: a language the app ships (en, es); the system's when left out\n");
        return 2;
    }
    // The screens in that language, for this run only.
    if (argc > 2) screens::LanguageChoice::instance()->use(QString::fromLocal8Bit(argv[2]));
    QDir out(QString::fromLocal8Bit(argv[1]));
    if (!out.mkpath(QStringLiteral("."))) return 1;

    standin::StandinServer server;
    standin::StandinOptions options;
    options.seed = QStringLiteral("demo");
    QString problem;
    if (!server.start(options, &problem)) {
        std::fprintf(stderr, "screenshots: stand-in server: %s\n", qPrintable(problem));
        return 1;
    }

    Workspace workspace(server.baseUrl());
    ShellHarness shell(workspace);
    if (!shell.loaded()) return 1;
    shell.resize(1180, 820);
    shell.actions().start();
    if (!waitFor([&] { return shell.find(QStringLiteral("loginView")) != nullptr; })) return 1;
    bool ok = save(shell, out, QStringLiteral("signin"));

    shell.browser().setBehaviour(FakeBrowserSignIn::Behaviour::Wait);
    QSignalSpy finished(&shell.actions(), &ShellActions::signInFinished);
    shell.tap(shell.find(QStringLiteral("signInButton")));
    if (!waitFor([&] { return shell.browser().lastStartUrl().isValid(); })) return 1;
    shell.browser().deliver(pickDemoUser(shell.browser().lastStartUrl()));
    if (!waitFor([&] { return finished.count() > 0 && shell.find(QStringLiteral("workspaceView")); })) {
        std::fprintf(stderr, "screenshots: sign-in did not complete: %s\n",
                     qPrintable(shell.model().error().value_or(QString())));
        return 1;
    }
    // The catalog and the first photos arrive after sign-in.
    waitFor([&] { return !shell.model().catalogPart()->products().isEmpty(); });
    const auto settlePhotos = [&] {
        QElapsedTimer photos;
        photos.start();
        waitFor([&] { return photos.elapsed() > 2000; });
    };
    shell.resize(1280, 820);
    settlePhotos();
    shell.model().setNotice(QStringLiteral("QT-000101 saved and marked sent."));
    ok = save(shell, out, QStringLiteral("workspace-wide")) && ok;
    shell.model().setNotice(std::nullopt);
    shell.model().catalogPart()->visible()->setQuery(QStringLiteral("white shaker 36"));
    settlePhotos();
    ok = save(shell, out, QStringLiteral("catalog-search")) && ok;
    shell.model().catalogPart()->visible()->setQuery(QString());
    shell.resize(800, 1000);
    settlePhotos();
    ok = save(shell, out, QStringLiteral("workspace-narrow")) && ok;
    shell.resize(1180, 820);

    shell.tap(shell.find(QStringLiteral("accountButton")));
    ok = save(shell, out, QStringLiteral("account")) && ok;
    shell.tap(shell.find(QStringLiteral("accountDoneButton")));
    waitFor([&] { return !shell.object(QStringLiteral("accountSheet"))->property("visible").toBool(); });

    shell.tap(shell.find(QStringLiteral("resetWorkspaceButton")));
    ok = save(shell, out, QStringLiteral("reset-confirmation")) && ok;
    shell.tap(shell.find(QStringLiteral("cancelButton")));
    waitFor([&] { return !shell.object(QStringLiteral("resetConfirmation"))->property("visible").toBool(); });

    ok = editorShots(shell, server, out) && ok;
    ok = customerSheetShots(shell, out) && ok;
    ok = checkoutShots(shell, server, out) && ok;
    ok = browserShots(shell, server, out) && ok;

    QStringList lines;
    lines << QStringLiteral("Zoho Books rejected the quote: the customer's billing address is incomplete.");
    for (int i = 1; i <= 30; ++i)
        lines << QStringLiteral("Line %1: field \"billing_address.zip\" is required for tax calculation.")
                     .arg(i);
    shell.model().setError(lines.join(QLatin1Char('\n')));
    ok = save(shell, out, QStringLiteral("error-long")) && ok;
    shell.model().setError(std::nullopt);

    ok = savePdfPreviews(shell, server, out) && ok;
    return ok ? 0 : 1;
}
