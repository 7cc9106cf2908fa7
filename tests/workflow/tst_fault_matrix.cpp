// Each creating request (customer with deal, quote save, checkout start) under each
// fault between the tablet and the server, resolved as a person would: the screen's
// resume or retry, after a restart where the fault kills the app. Afterwards the server
// holds one record for the request id, or none where recovery called it aborted, and
// the workspace shows the same; the outcome table goes to $VANTREL_RELIABILITY_REPORT.
#include "Workspace.h"

#include "records/Codec.h"
#include "records/Uuid.h"
#include "server/Endpoints.h"
#include "workflow/KeptRequest.h"

#include <QFile>
#include <QJsonDocument>
#include <QProcess>
#include <QRandomGenerator>
#include <QSet>
#include <QTest>
#include <QThread>

using namespace vantrel;
using namespace vantrel::testing;

namespace {

enum Create { customerCreate, quoteSave, checkoutStart, creates };
enum Fault { lostReply, resetBeforeArrival, badGateway, badGatewayAfterCommit, slowReply, killedBeforeSend,
             killedWhileWriting, faults };

const char *const createNames[creates] = {"customer with deal", "quote save", "checkout start"};
const char *const faultNames[faults] = {"reply lost after commit, twice", "reset before arrival", "502 before commit",
                                        "502 after commit", "reply slower than the client waits",
                                        "killed between store and send", "killed while writing the draft"};
const QString createPaths[creates] = {QStringLiteral("/api/customers"), QStringLiteral("/api/quotes"),
                                      QStringLiteral("/api/checkouts")};
const QString recoverPaths[creates] = {QStringLiteral("/api/customers/recover-request"), QString(),
                                       QStringLiteral("/api/checkouts/recover-request")};
constexpr std::chrono::milliseconds patience{1000};

QString cells[creates][faults];

// The answer to the create request while the fault lasts: every attempt meets
// it, the network stack's own resend included.
Reply faulty(Standin &backend, Fault fault, const Request &request)
{
    Reply reply = fault == badGateway ? Reply::badGateway() : Reply();
    if (fault == lostReply || fault == badGatewayAfterCommit || fault == slowReply) {
        const Reply handled = Reply::from(backend.server.handle(request));
        reply = fault == badGatewayAfterCommit ? Reply::badGateway() : handled;
    }
    reply.drop = fault == lostReply || fault == resetBeforeArrival;
    reply.delayMs = fault == slowReply ? int(patience.count()) * 2 : 0;
    reply.hold = fault >= killedBeforeSend; // the app dies before the server sees it
    return reply;
}

bool pending(const Draft &draft, Create create)
{
    return create == customerCreate ? bool(draft.pendingCustomer)
           : create == quoteSave    ? bool(draft.pendingSave)
                                    : bool(draft.pendingCheckout);
}

int records(const Standin &backend, Create create)
{
    const standin::StandinCounts counts = backend.server.counts();
    return create == customerCreate ? counts.customers : create == quoteSave ? counts.quotes : counts.checkouts;
}

// The create as its screen starts it, or the action the screen offers while it is pending.
QCoro::Task<> act(CheckoutModel *model, Create create, bool resuming, NewCustomerRequest form)
{
    if (create == quoteSave) {
        QCoro::Task<> task = model->quotePart()->saveQuote();
        co_await std::move(task);
    } else if (create == customerCreate) {
        QCoro::Task<bool> task = resuming ? model->customersPart()->resumeCustomerRequest()
                                          : model->customersPart()->createCustomer(form);
        co_await std::move(task);
    } else if (resuming) {
        QCoro::Task<> task = model->checkoutPart()->resumeCheckout();
        co_await std::move(task);
    } else {
        QCoro::Task<bool> task = model->checkoutPart()->startCheckout(QStringLiteral("card"), QString());
        co_await std::move(task);
    }
}

// Every other request the client makes, under the faults that can leave its
// outcome unknown, followed by what the person does next on the same screen.
enum FollowUp { holdPickup, releaseHold, receipt, cancelCheckout, resumeCheckout, dealLink, codeExchange,
                signOut, startupList, statusPoll, followUps };
enum FollowFault { lostAfterCommit, gatewayBeforeCommit, slowerThanWaits, followFaults };
const char *const followUpNames[followUps] = {
    "hold pickup", "release the hold", "receipt", "cancel", "resume", "deal link", "sign-in code exchange",
    "sign-out", "start-up checkout list", "status poll"};
const char *const followFaultNames[followFaults] = {"reply lost after commit", "502 before commit",
                                                    "reply slower than the client waits"};
QString followCells[followUps][followFaults];

Reply followFault(Standin &backend, FollowFault fault, const Request &request)
{
    if (fault == gatewayBeforeCommit) return Reply::badGateway();
    Reply reply = Reply::from(backend.server.handle(request));
    reply.drop = fault == lostAfterCommit;
    reply.delayMs = fault == slowerThanWaits ? int(patience.count()) * 2 : 0;
    return reply;
}

// What the server holds of the thing a follow-up request acts on.
QString serverState(Standin &backend, FollowUp what, const QString &id, const QString &dealId)
{
    const standin::StandinCounts counts = backend.server.counts();
    switch (what) {
    case holdPickup:
    case releaseHold: return backend.server.checkout(id)->hold ? "held" : "not held";
    case receipt: return QStringLiteral("%1 receipt%2").arg(counts.receipts).arg(counts.receipts == 1 ? "" : "s");
    case cancelCheckout:
    case resumeCheckout:
    case statusPoll: return backend.server.checkout(id)->status;
    case dealLink: return backend.server.quote(id)->dealId == dealId ? "linked" : "not linked";
    case codeExchange:
    case signOut: return QStringLiteral("%1 session%2").arg(counts.sessions).arg(counts.sessions == 1 ? "" : "s");
    case startupList: return QStringLiteral("%1 checkouts").arg(counts.checkouts);
    case followUps: break;
    }
    return {};
}

} // namespace

class FaultMatrixTest : public QObject {
    Q_OBJECT

private slots:
    void createUnderFault_data()
    {
        QTest::addColumn<int>("create");
        QTest::addColumn<int>("fault");
        QTest::addColumn<QString>("ending");
        for (int c = customerCreate; c < creates; ++c) {
            for (int f = lostReply; f < faults; ++f) {
                // Recovery may call a request aborted only when the server never
                // handled it; a quote save has no recovery and is sent again.
                const bool handled = f == lostReply || f == badGatewayAfterCommit || f == slowReply;
                const char *ending = c != quoteSave && !handled ? "aborted" : c == customerCreate ? "recovered" : "resumed";
                QTest::addRow("%s, %s", createNames[c], faultNames[f]) << c << f << QString::fromLatin1(ending);
            }
        }
    }
    void createUnderFault()
    {
        QFETCH(int, create);
        QFETCH(int, fault);
        QFETCH(QString, ending);
        const Create what = Create(create);
        Standin backend;
        Workspace ws(backend, Workspace::signedIn);
        ws->api().setTimeout(patience);
        const NewCustomerRequest form = backend.customerForm(QStringLiteral("Matrix"));
        if (what == quoteSave) {
            finish(ws->customersPart()->selectCustomer(backend.newCustomer(QStringLiteral("Buyer")).customer));
            ws->quotePart()->addProduct(backend.server.products().first());
        } else if (what == checkoutStart) {
            const NewCustomerResponse owner = backend.newCustomer(QStringLiteral("Payer"));
            QVERIFY(finish(ws->quotePart()->openQuote(backend.newQuote(owner).id, owner.customer)));
            ws.enablePayments();
        }
        const QString requestId =
            what == customerCreate ? form.requestId : what == quoteSave ? ws->draft().requestId : ws->draft().checkoutRequestId;
        const int before = records(backend, what);
        const int quotesBefore = backend.server.counts().quotes;
        bool faultOn = true;
        int faulted = 0;
        backend.front.setHandler([&](const Request &r) -> std::optional<Reply> {
            if (!faultOn || r.method != "POST" || r.path != createPaths[what]) return std::nullopt;
            ++faulted;
            return faulty(backend, Fault(fault), r);
        });

        if (fault == killedBeforeSend || fault == killedWhileWriting) {
            // A task runs until its first wait: the request is stored and not yet answered.
            const auto operation = start(act(ws.model.get(), what, false, form));
            QVERIFY(pending(ws->draft(), what));
            if (fault == killedWhileWriting) {
                const QString path = *ws->draftFileURL(), stored = ws.dir.filePath(QStringLiteral("stored.json"));
                writeBytes(stored, fileBytes(path));
                ws.model.reset();
                // A real writer of the file, killed part-way through rewriting the stored draft.
                QProcess writer;
                writer.start(QStringLiteral(DRAFT_WRITER), {path, QStringLiteral("0"), stored});
                QVERIFY(writer.waitForReadyRead(30000));
                QThread::usleep(QRandomGenerator::global()->bounded(400));
                writer.kill();
                QVERIFY(writer.waitForFinished(30000));
                QCOMPARE(writer.exitStatus(), QProcess::CrashExit);
            }
            faultOn = false;
            ws.open();
            QVERIFY(operation->done); // ended with the app, not left waiting for ever
            finish(ws->start());
            QCOMPARE(ws->restoreWarning(), std::nullopt);
        } else {
            finish(act(ws.model.get(), what, false, form));
            faultOn = false;
            // A request left waiting says that it is kept and which button finishes it.
            if (pending(ws->draft(), what) && what != checkoutStart) {
                const QStringView action = what == quoteSave ? resumeAction::resumeSavingQuote
                                                             : resumeAction::resumeCustomerCreation;
                QVERIFY2(ws->error() && ws->error()->contains(action), qPrintable(ws->error().value_or(QString())));
            }
        }
        const bool resumed = pending(ws->draft(), what) && !ws->checkoutPart()->transaction();
        if (resumed) finish(act(ws.model.get(), what, true, form));

        const Draft &draft = ws->draft();
        const std::optional<CheckoutTransaction> &shown = ws->checkoutPart()->transaction();
        const bool created =
            what == customerCreate ? draft.customer && draft.deal && !draft.pendingCustomer
            : what == quoteSave    ? draft.saved && !draft.pendingSave && backend.server.quote(draft.saved->id)
                                   : shown && shown->id == requestId && backend.server.checkout(requestId);
        const bool aborted =
            what == customerCreate  ? !draft.pendingCustomer && draft.customerDraft && !draft.customer
            : what == checkoutStart ? !draft.pendingCheckout && draft.saved && !shown && ws->notice()
                                    : false;
        QList<QJsonObject> sent = backend.front.bodies("POST", createPaths[what]);
        if (!recoverPaths[what].isEmpty()) sent += backend.front.bodies("POST", recoverPaths[what]);
        QSet<QString> ids;
        for (const QJsonObject &body : sent) ids.insert(body.value(QLatin1String("request_id")).toString());
        const int made = records(backend, what) - before;
        const QString outcome = created ? (resumed ? "resumed" : "recovered") : aborted ? "aborted" : "unresolved";
        cells[what][fault] = QStringLiteral("%1 record%2 / %3 request id%4, %5")
                                 .arg(made).arg(made == 1 ? "" : "s").arg(ids.size()).arg(ids.size() == 1 ? "" : "s")
                                 .arg(outcome);

        QCOMPARE(outcome, ending);
        // The fault was felt: the request met it (twice when lost, never when the app died first)
        // and the first attempt did not simply succeed.
        QVERIFY(fault == lostReply ? faulted >= 2 : (faulted > 0) == (fault < killedBeforeSend));
        QVERIFY(resumed || backend.front.count("POST", recoverPaths[what]) > 0);
        QCOMPARE(made, ending == QLatin1String("aborted") ? 0 : 1);
        // One request, stored once and re-sent or asked about unchanged.
        QCOMPARE(ids, QSet<QString>{requestId});
        for (const QJsonObject &body : sent) QCOMPARE(body, sent.first());
        if (created || resumed) QCOMPARE(ws->error(), std::nullopt);
        if (aborted) {
            // The details are kept for a new request: the form, or the quote, still open on the
            // server and linked, with a new checkout request id.
            QVERIFY(draft.customerDraft ? draft.customerDraft->requestId != requestId &&
                                              draft.customerDraft->email == form.email
                                        : draft.checkoutRequestId != requestId && !draft.dirty && draft.customer &&
                                              !draft.lines.isEmpty() && ws->selectedWorkspaceTab() == WorkspaceTab::quote);
            // The original request arriving late creates nothing either.
            const QByteArray original = QJsonDocument(sent.first()).toJson();
            const std::exception_ptr late =
                what == customerCreate
                    ? settle(CheckoutAPI::createCustomer(backend.api, decode<NewCustomerRequest>(original, KeyStyle::Wire))).error
                    : settle(CheckoutAPI::startCheckout(backend.api, decode<CheckoutRequest>(original, KeyStyle::Wire))).error;
            QVERIFY(late);
            QCOMPARE(records(backend, what), before);
            if (what == checkoutStart) {
                // The same quote checks out again: one checkout, and no second quote for the same items.
                QVERIFY(ws->checkoutPart()->canStartCheckout());
                finish(act(ws.model.get(), what, false, form));
                QVERIFY(ws->checkoutPart()->transaction());
                QCOMPARE(records(backend, what), before + 1);
            }
        }
        if (what == checkoutStart) {
            const int newQuotes = backend.server.counts().quotes - quotesBefore;
            cells[what][fault] += QStringLiteral(", %1 new quote%2").arg(newQuotes).arg(newQuotes == 1 ? "" : "s");
            QCOMPARE(newQuotes, 0);
        }
    }

    void followUpUnderFault_data()
    {
        QTest::addColumn<int>("what");
        QTest::addColumn<int>("fault");
        for (int w = holdPickup; w < followUps; ++w)
            for (int f = lostAfterCommit; f < followFaults; ++f)
                QTest::addRow("%s, %s", followUpNames[w], followFaultNames[f]) << w << f;
    }
    void followUpUnderFault()
    {
        QFETCH(int, what);
        QFETCH(int, fault);
        const FollowUp request = FollowUp(what);
        const bool paid = request == holdPickup || request == releaseHold || request == receipt;
        standin::StandinOptions options;
        options.stepDelayMs = 10;
        options.autoPayMs = paid ? 0 : -1;
        Standin backend(options);
        const bool signedOut = request == codeExchange || request == startupList;
        Workspace ws(backend, signedOut ? Workspace::opened : Workspace::signedIn);
        if (request == codeExchange) {
            ws.sessions.items.clear();
            ws.open();
        }
        if (request == cancelCheckout || request == resumeCheckout) {
            // The status watch would show the outcome on its own; here the person's tap must.
            ws.services.pollInterval = std::chrono::minutes(1);
            ws.open();
            ws.signIn();
        }
        ws->api().setTimeout(patience);
        const NewCustomerResponse owner = backend.newCustomer(QStringLiteral("Follow"));
        QString id, dealId = owner.deal.id;
        QByteArray method = "POST";
        QString path;
        if (request <= resumeCheckout || request == statusPoll) {
            QVERIFY(finish(ws->quotePart()->openQuote(backend.newQuote(owner).id, owner.customer)));
            ws.enablePayments();
            QVERIFY(finish(ws->checkoutPart()->startCheckout(QStringLiteral("card"), QString())));
            id = ws->checkoutPart()->transactionId();
            if (paid) QTRY_COMPARE(ws->checkoutPart()->transaction()->status, QStringLiteral("complete"));
            if (request == releaseHold) run(ws->checkoutPart()->setHold(true));
            if (request == resumeCheckout) {
                QVERIFY(backend.server.decline(id));
                ws->checkoutPart()->watch(*backend.server.checkout(id));
            }
            const char *const actions[] = {"/hold", "/hold", "/receipt", "/cancel", "/resume"};
            if (request != statusPoll) path = QStringLiteral("/api/checkouts/") + id + QLatin1String(actions[request]);
            if (request <= releaseHold) method = "PUT";
            if (request == statusPoll) method = "GET", path = QStringLiteral("/api/checkouts/") + id;
        } else if (request == dealLink) {
            SaveQuoteRequest unlinked{newUuidString(), {}, owner.customer.id, {}, {}, {}, {}, "0", "0", "0"};
            unlinked.lines = {QuoteLine::fromProduct(backend.server.products().first())};
            id = finish(CheckoutAPI::saveQuote(backend.api, unlinked)).id;
            QVERIFY(finish(ws->quotePart()->openQuote(id, owner.customer)));
            method = "PUT", path = QStringLiteral("/api/quotes/") + id + QStringLiteral("/deal");
        } else if (request == startupList) {
            backend.startCheckout(backend.api, backend.newQuote(owner), QStringLiteral("card"));
            method = "GET", path = QStringLiteral("/api/checkouts");
        } else {
            path = request == codeExchange ? QStringLiteral("/auth/exchange") : QStringLiteral("/api/logout");
        }
        const standin::StandinCounts before = backend.server.counts();
        const qsizetype sentBefore = backend.front.bodies(method, path).size();

        // The request as the screen sends it, and whether its effect is shown.
        const auto act = [&] {
            switch (request) {
            case holdPickup:
            case releaseHold: return run(ws->checkoutPart()->setHold(!ws->checkoutPart()->transaction()->hold));
            case receipt: return run(ws->checkoutPart()->requestReceipt());
            case cancelCheckout: return run(ws->checkoutPart()->cancelCheckout(*ws->checkoutPart()->transaction()));
            case resumeCheckout: return run(ws->checkoutPart()->resume(*ws->checkoutPart()->transaction()));
            case dealLink: return run(ws->quotePart()->selectDeal(owner.deal));
            case codeExchange: return run(ws->signIn());
            case signOut: return ws->signOutNow();
            case startupList: return run(ws->start());
            case statusPoll:
            case followUps: return;
            }
        };
        const auto shown = [&] {
            const std::optional<CheckoutTransaction> &tx = ws->checkoutPart()->transaction();
            switch (request) {
            case holdPickup:
            case releaseHold: return tx->hold == (request == holdPickup);
            case receipt: return ws->notice().has_value();
            case cancelCheckout: return tx->status == QLatin1String(status::canceled);
            case resumeCheckout: return tx->status == QLatin1String(status::awaitingPayment);
            case dealLink: return ws->draft().deal && ws->draft().deal->id == dealId;
            case codeExchange: return ws->session().has_value();
            case signOut: return !ws->session() && ws.sessions.items.isEmpty();
            case startupList: return ws->historyPart()->loaded() && ws->historyPart()->loadError().isEmpty();
            case statusPoll: return tx->status == QLatin1String(status::complete);
            case followUps: break;
            }
            return false;
        };

        bool faultOn = true;
        int faulted = 0;
        backend.front.setHandler([&](const Request &r) -> std::optional<Reply> {
            if (!faultOn || r.method != method || r.path != path) return std::nullopt;
            ++faulted;
            return followFault(backend, FollowFault(fault), r);
        });
        act();
        if (request == statusPoll) QTRY_VERIFY_WITH_TIMEOUT(ws->notice(), 20000);
        if (request == signOut) QTRY_VERIFY(faulted > 0 && backend.front.held() == 0);
        faultOn = false;
        QVERIFY(faulted > 0);
        const QString afterFault = serverState(backend, request, id, dealId);
        const QString seen = ws->error()                                  ? "error shown"
                             : ws->notice()                               ? "notice shown"
                             : !ws->historyPart()->loadError().isEmpty()  ? "list error shown"
                                                                          : "nothing shown";
        if (request == statusPoll) QVERIFY(backend.server.pay(id)); // paid while the client cannot see it
        // The person's next step: the same tap again while the screen still
        // offers it; the list's retry; the watch goes on by itself.
        const bool retried = !shown() && request != statusPoll;
        if (retried && request == startupList) ws->historyPart()->refresh();
        else if (retried) act();
        QTRY_VERIFY_WITH_TIMEOUT(shown(), 20000);
        const QString after = serverState(backend, request, id, dealId);

        const QList<QJsonObject> sent = backend.front.bodies(method, path).mid(sentBefore);
        const bool alike = std::all_of(sent.cbegin(), sent.cend(), [&](const QJsonObject &b) { return b == sent.first(); });
        followCells[request][fault] = QStringLiteral("%1; %2; %3: %4%5")
                                          .arg(afterFault, seen, retried ? "tapped again" : "nothing to do", after,
                                               retried && method != "GET" && request != codeExchange
                                                   ? (alike ? ", sent alike" : ", sent differently") : "");

        // An error stays only where the watch showed the outcome before the person acted again.
        if (retried) QCOMPARE(ws->error(), std::nullopt);
        QCOMPARE(backend.server.counts().quotes, before.quotes);
        QCOMPARE(backend.server.counts().checkouts, before.checkouts);
        if (request != codeExchange) QVERIFY2(alike, "a retried request must say the same as the first");
        if (request <= dealLink) QCOMPARE(seen, QLatin1String("error shown"));
        const QString expected[followUps] = {"held", "not held", "1 receipt", status::canceled, status::awaitingPayment,
                                             "linked", "", "", "", status::complete};
        if (!expected[request].isEmpty()) QCOMPARE(after, expected[request]);
        if (request == holdPickup || request == releaseHold)
            QCOMPARE(ws->checkoutPart()->transaction()->hold, backend.server.checkout(id)->hold);
        if (request == cancelCheckout || request == resumeCheckout || request == statusPoll)
            QCOMPARE(ws->checkoutPart()->transaction()->status, backend.server.checkout(id)->status);
        if (request == startupList)
            QCOMPARE(ws->historyPart()->transactions().size(), backend.server.counts().checkouts);
    }

    // A create the server refuses for good is not created: the draft unlocks with its
    // lines or form kept and one error, the server holds nothing new, and the corrected
    // attempt makes exactly one record. "stored" rows hold a request saved before the
    // client checked what the server refuses (from an older version, or saved work).
    void createRefusedForGood_data()
    {
        QTest::addColumn<int>("create");
        QTest::addColumn<QString>("refusal");
        QTest::addColumn<bool>("sent");
        QTest::newRow("quote save, quantity 2,000,000 typed") << int(quoteSave) << "quantity" << false;
        QTest::newRow("quote save, quantity 2,000,000 stored") << int(quoteSave) << "stored quantity" << true;
        QTest::newRow("quote save, tax gone from the server") << int(quoteSave) << "tax" << true;
        QTest::newRow("quote revision, checked out meanwhile (409)") << int(quoteSave) << "revision" << true;
        QTest::newRow("quote save, stored id used for another quote") << int(quoteSave) << "stored id" << true;
        QTest::newRow("customer create, campaign unknown (400)") << int(customerCreate) << "campaign" << true;
        QTest::newRow("checkout start, quote taken by another till (409)") << int(checkoutStart) << "taken" << true;
    }
    void createRefusedForGood()
    {
        QFETCH(int, create);
        QFETCH(QString, refusal);
        QFETCH(bool, sent);
        const Create what = Create(create);
        Standin backend;
        Workspace ws(backend, Workspace::signedIn);
        NewCustomerRequest form = backend.customerForm(QStringLiteral("Refused"));
        const QString campaign = *form.campaignId;
        if (refusal == QLatin1String("revision")) {
            const NewCustomerResponse owner = backend.newCustomer(QStringLiteral("Reviser"));
            const Quote quote = backend.newQuote(owner);
            QVERIFY(finish(ws->quotePart()->openQuote(quote.id, owner.customer)));
            ws->quotePart()->setNotes(QStringLiteral("Revised"));
            backend.startCheckout(backend.api, quote, QStringLiteral("card"));
        } else if (what == quoteSave) {
            finish(ws->customersPart()->selectCustomer(backend.newCustomer(QStringLiteral("Buyer")).customer));
            ws->quotePart()->addProduct(backend.server.products().first());
            const QString lineId = ws->draft().lines.first().id;
            if (refusal == QLatin1String("tax")) ws->quotePart()->setLineTax(lineId, QStringLiteral("gone"));
            if (refusal.endsWith(QLatin1String("quantity")))
                ws->quotePart()->setLineQuantity(lineId, QStringLiteral("2000000"));
            if (refusal.startsWith(QLatin1String("stored"))) {
                Draft draft = ws->draft();
                // "stored id": the server already saved another quote under this id.
                draft.pendingSave = SaveQuoteRequest{draft.requestId, {}, draft.customer->id, {}, draft.lines, {}, {},
                                                     draft.discount, draft.shipping, draft.adjustment};
                if (refusal == QLatin1String("stored id")) {
                    SaveQuoteRequest other = *draft.pendingSave;
                    other.notes = QStringLiteral("Another quote");
                    finish(CheckoutAPI::saveQuote(backend.api, other));
                }
                ws->setDraft(draft);
            }
        } else if (what == customerCreate) {
            form.campaignId = QStringLiteral("no-such-campaign");
        }
        QString otherTill;
        if (what == checkoutStart) {
            const NewCustomerResponse owner = backend.newCustomer(QStringLiteral("Payer"));
            const Quote quote = backend.newQuote(owner);
            QVERIFY(finish(ws->quotePart()->openQuote(quote.id, owner.customer)));
            ws.enablePayments();
            otherTill = backend.startCheckout(backend.api, quote, QStringLiteral("card")).id;
        }
        const Draft before = ws->draft();
        const int records0 = records(backend, what);
        const int posts0 = backend.front.count("POST", createPaths[what]);

        finish(act(ws.model.get(), what, bool(before.pendingSave), form));
        const Draft &after = ws->draft();
        QCOMPARE(backend.front.count("POST", createPaths[what]) - posts0, sent ? 1 : 0);
        QVERIFY(!pending(after, what));
        QVERIFY(!ws->editingLocked());
        QVERIFY(ws->error() && !ws->error()->isEmpty());
        QCOMPARE(records(backend, what), records0);
        if (what != customerCreate) {
            QCOMPARE(after.lines, before.lines);
            QCOMPARE(after.notes, before.notes);
        } else {
            QVERIFY(after.customerDraft);
            QCOMPARE(after.customerDraft->email, form.email);
            QVERIFY(after.customerDraft->requestId != form.requestId);
        }
        // Nothing is recovered or re-sent on its own.
        QCOMPARE(backend.front.count("POST", QStringLiteral("/api/customers/recover-request")), 0);

        // The person corrects what was refused and tries again.
        if (what == quoteSave) {
            const QString lineId = after.lines.first().id;
            if (refusal.endsWith(QLatin1String("quantity"))) QVERIFY(ws->quotePart()->setLineQuantity(lineId, QStringLiteral("2")));
            if (refusal == QLatin1String("tax")) QVERIFY(ws->quotePart()->setLineTax(lineId, QString()));
        } else if (what == customerCreate) {
            form = *after.customerDraft;
            form.campaignId = campaign;
        } else {
            QVERIFY(after.checkoutRequestId != before.checkoutRequestId);
            QVERIFY(!settle(CheckoutAPI::cancelCheckout(backend.api, otherTill)).error);
        }
        finish(act(ws.model.get(), what, false, form));
        QCOMPARE(ws->error(), std::nullopt);
        QCOMPARE(records(backend, what), records0 + 1);
        if (what == checkoutStart)
            QCOMPARE(ws->checkoutPart()->transactionId(), ws->draft().checkoutRequestId);
        else
            QVERIFY(!pending(ws->draft(), what));
        if (what == quoteSave) QVERIFY(ws->draft().saved && ws->draft().saved->id != before.sourceId);
    }

    void cleanupTestCase()
    {
        const QString target = qEnvironmentVariable("VANTREL_RELIABILITY_REPORT");
        if (target.isEmpty()) return;
        QString table = QStringLiteral(
            "# Creating requests under faults\n\nGenerated by `ctest --test-dir build -R tst_fault_matrix` (into\n"
            "`build/reliability.md`). Each cell: records on the server afterwards / request ids sent, and the end:\n"
            "*recovered* by the create's own recovery, *resumed* by the screen's resume or retry (after a restart\n"
            "where the fault kills the app), *aborted* by a recovery that found the request never arrived (an\n"
            "aborted checkout start is then started again on the same quote, which stays open: no new quote).\n\n| |");
        for (const char *fault : faultNames) table += QStringLiteral(" %1 |").arg(QLatin1String(fault));
        table += QStringLiteral("\n|---|") + QStringLiteral("---|").repeated(faults) + QLatin1Char('\n');
        for (int c = customerCreate; c < creates; ++c) {
            table += QStringLiteral("| %1 |").arg(QLatin1String(createNames[c]));
            for (const QString &cell : cells[c]) table += QLatin1Char(' ') + (cell.isEmpty() ? "not run" : cell) + " |";
            table += QLatin1Char('\n');
        }
        table += QStringLiteral(
            "\n# Every other request under faults\n\nEach cell: what the server holds after the fault; what the person "
            "sees; their next step\n(the same tap while the screen still offers it, the list's retry, or nothing: the "
            "watch goes on\nby itself) and what the server holds then; whether every copy of the request said the "
            "same.\n\n| |");
        for (const char *fault : followFaultNames) table += QStringLiteral(" %1 |").arg(QLatin1String(fault));
        table += QStringLiteral("\n|---|") + QStringLiteral("---|").repeated(followFaults) + QLatin1Char('\n');
        for (int w = holdPickup; w < followUps; ++w) {
            table += QStringLiteral("| %1 |").arg(QLatin1String(followUpNames[w]));
            for (const QString &cell : followCells[w]) table += QLatin1Char(' ') + (cell.isEmpty() ? "not run" : cell) + " |";
            table += QLatin1Char('\n');
        }
        QFile file(target);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(table.toUtf8());
    }
};

QTEST_GUILESS_MAIN(FaultMatrixTest)
#include "tst_fault_matrix.moc"
