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
             killedWhileWriting, recoveryFaulted, reopenedBetween, signedOutBetween, resetBetween, secondTap, faults,
             refusedForGood = faults, columns };

const char *const createNames[creates] = {"customer with deal", "quote save", "checkout start"};
const char *const faultNames[columns] = {"reply lost after commit, twice", "reset before arrival", "502 before commit",
                                        "502 after commit", "reply slower than the client waits",
                                        "killed between store and send", "killed while writing the draft",
                                        "reply lost, then the recovery's reply lost, then 502",
                                        "reply lost, app reopened before the resume",
                                        "reply lost, signed out and in before the resume",
                                        "reply lost, workspace reset, reopened from saved work",
                                        "second tap while the first is in flight", "refused for good (400/409)"};
const QString createPaths[creates] = {QStringLiteral("/api/customers"), QStringLiteral("/api/quotes"),
                                      QStringLiteral("/api/checkouts")};
const QString recoverPaths[creates] = {QStringLiteral("/api/customers/recover-request"), QString(),
                                       QStringLiteral("/api/checkouts/recover-request")};
constexpr std::chrono::milliseconds patience{1000};

QString cells[creates][columns];

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

// The records besides the main one that a create may make: a customer's deal, a checkout's quote.
int sideRecords(const Standin &backend, Create create)
{
    const standin::StandinCounts counts = backend.server.counts();
    return create == customerCreate ? counts.deals : create == checkoutStart ? counts.quotes : 0;
}

QString cellText(int made, qsizetype ids, const QString &ending)
{
    return QStringLiteral("%1 record%2 / %3 request id%4, %5")
        .arg(made).arg(made == 1 ? "" : "s").arg(ids).arg(ids == 1 ? "" : "s").arg(ending);
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
                const char *ending = f == secondTap                     ? "created"
                                     : f == killedWhileWriting          ? "either"
                                     : f == reopenedBetween && c == checkoutStart ? "recovered at start-up"
                                     : f >= recoveryFaulted             ? "resumed"
                                     : c != quoteSave && !handled       ? "aborted"
                                     : c == customerCreate              ? "recovered"
                                                                        : "resumed";
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
        const int before = records(backend, what), sideBefore = sideRecords(backend, what);
        const bool between = fault >= reopenedBetween && fault <= resetBetween;
        bool faultOn = true, firstAct = true;
        int faulted = 0, settlingFaults = 0;
        backend.front.setHandler([&](const Request &r) -> std::optional<Reply> {
            if (!faultOn || r.method != "POST") return std::nullopt;
            const bool isCreate = r.path == createPaths[what];
            const bool isRecovery = !recoverPaths[what].isEmpty() && r.path == recoverPaths[what];
            if (fault == secondTap && isCreate) {
                Reply held = Reply::from(backend.server.handle(r));
                held.hold = true; // answered when the test releases it
                ++faulted;
                return held;
            }
            if (fault == recoveryFaulted || between) {
                // The create's reply is lost; then what settles it (the recovery
                // call, or the save sent again) meets a lost reply, then a 502.
                if (isCreate && firstAct) return ++faulted, faulty(backend, lostReply, r);
                const bool settling = isRecovery || (isCreate && what == quoteSave);
                if (!settling || (between && !firstAct) || settlingFaults >= 2) return std::nullopt;
                return faulty(backend, settlingFaults++ == 0 || between ? lostReply : badGateway, r);
            }
            if (!isCreate) return std::nullopt;
            ++faulted;
            return faulty(backend, Fault(fault), r);
        });

        QByteArray oldFile, newFile;
        if (fault == killedBeforeSend || fault == killedWhileWriting) {
            const QString path = *ws->draftFileURL();
            oldFile = fileBytes(path);
            // A task runs until its first wait: the request is stored and not yet answered.
            const auto operation = start(act(ws.model.get(), what, false, form));
            QVERIFY(pending(ws->draft(), what));
            if (fault == killedWhileWriting) {
                // The first store of the request, killed part-way by a real writer of the
                // file: the old draft (without it) or the new one (with it) survives.
                newFile = fileBytes(path);
                const QString stored = ws.dir.filePath(QStringLiteral("stored.json"));
                writeBytes(stored, newFile);
                ws.model.reset();
                writeBytes(path, oldFile);
                QProcess writer;
                writer.start(QStringLiteral(DRAFT_WRITER), {path, QStringLiteral("0"), stored});
                QVERIFY(writer.waitForReadyRead(30000));
                QThread::usleep(QRandomGenerator::global()->bounded(3000));
                writer.kill();
                QVERIFY(writer.waitForFinished(30000));
                const QByteArray survived = fileBytes(path);
                QVERIFY2(survived == oldFile || survived == newFile, "the draft file is the old or the new one, never a mix");
            }
            faultOn = false;
            ws.open();
            QVERIFY(operation->done); // ended with the app, not left waiting for ever
            finish(ws->start());
            QCOMPARE(ws->restoreWarning(), std::nullopt);
        } else if (fault == secondTap) {
            const auto first = start(act(ws.model.get(), what, false, form));
            QTRY_COMPARE(backend.front.held(), 1);
            // The button is tapped again while the first request waits: nothing more is sent.
            finish(act(ws.model.get(), what, false, form));
            backend.front.release();
            QTRY_VERIFY(first->done);
            faultOn = false;
        } else {
            finish(act(ws.model.get(), what, false, form));
            firstAct = false;
            // A request left waiting says that it is kept and which button finishes it.
            if (pending(ws->draft(), what) && what != checkoutStart) {
                const QString action = what == quoteSave ? resumeAction::resumeSavingQuote
                                                          : resumeAction::resumeCustomerCreation;
                QVERIFY2(ws->error() && ws->error()->contains(action), qPrintable(ws->error().value_or(QString())));
            }
            if (fault != recoveryFaulted) faultOn = false;
        }
        if (between) {
            QVERIFY(pending(ws->draft(), what));
            if (fault == reopenedBetween) {
                ws.open();
                finish(ws->start());
            } else if (fault == signedOutBetween) {
                ws->signOutNow();
                QVERIFY(!pending(ws->draft(), what));
                QTRY_COMPARE(backend.front.count("POST", QStringLiteral("/api/logout")), 1);
                ws.token = backend.server.issueToken(ws.user); // a new sign-in, a new session
                ws.signIn();
            } else {
                QVERIFY(ws->resetWorkspace());
                QVERIFY(!pending(ws->draft(), what));
                const QList<ArchivedWorkspaceRequest> &saved = ws->historyPart()->archivedRequests();
                QVERIFY(!saved.isEmpty());
                QVERIFY(ws->reopenArchivedRequest(saved.first().id));
            }
        }
        // The person resumes while the screen offers it.
        const bool resumed = pending(ws->draft(), what) && !ws->checkoutPart()->transaction();
        for (int tries = 0; tries < 3 && pending(ws->draft(), what) && !ws->checkoutPart()->transaction(); ++tries)
            finish(act(ws.model.get(), what, true, form));
        faultOn = false;

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
        // Killed during the first store with the old file surviving: the request was
        // never stored nor sent, and the person does again what they did.
        const bool oldSurvived = fault == killedWhileWriting && !pending(ws->draft(), what) && !created && !aborted;
        if (oldSurvived) finish(act(ws.model.get(), what, false, form));
        QList<QJsonObject> sent = backend.front.bodies("POST", createPaths[what]);
        if (!recoverPaths[what].isEmpty()) sent += backend.front.bodies("POST", recoverPaths[what]);
        QSet<QString> ids;
        for (const QJsonObject &body : sent) ids.insert(body.value(QLatin1String("request_id")).toString());
        const int made = records(backend, what) - before, sideMade = sideRecords(backend, what) - sideBefore;
        const bool recoveryCalled = !recoverPaths[what].isEmpty() && backend.front.count("POST", recoverPaths[what]) > 0;
        const QString outcome = oldSurvived || (created && fault == killedWhileWriting) ? "either"
                                : created ? (resumed          ? "resumed"
                                             : recoveryCalled ? "recovered"
                                             : between        ? "recovered at start-up"
                                                              : "created")
                                : aborted ? "aborted" : "unresolved";
        cells[what][fault] = fault == killedWhileWriting
                                 ? QStringLiteral("0 or 1 record / 1 request id, old file: sent anew, new file: as killed "
                                                  "between store and send")
                                 : cellText(made, ids.size(), outcome);
        if (what == customerCreate && fault != killedWhileWriting) cells[what][fault] += QStringLiteral(", %1 deal%2").arg(sideMade).arg(sideMade == 1 ? "" : "s");

        if (fault == killedWhileWriting) {
            QVERIFY2(outcome == QLatin1String("either") || aborted, qPrintable(outcome));
            QVERIFY(made == 0 || made == 1);
        } else {
            QCOMPARE(outcome, ending);
            QCOMPARE(made, ending == QLatin1String("aborted") ? 0 : 1);
        }
        // The fault was felt: the request met it (twice when lost, never when the app died first).
        QVERIFY(fault == lostReply ? faulted >= 2 : (faulted > 0) == (fault != killedBeforeSend && fault != killedWhileWriting));
        if (fault == recoveryFaulted) QCOMPARE(settlingFaults, 2);
        if (fault == secondTap) QCOMPARE(backend.front.count("POST", createPaths[what]), 1);
        // A customer comes with its one deal, and a checkout starts on the quote it was given.
        if (what == customerCreate) QCOMPARE(sideMade, made);
        // One request, stored once and re-sent or asked about unchanged.
        QCOMPARE(ids, QSet<QString>{requestId});
        for (const QJsonObject &body : sent)
            if (body.contains(QLatin1String("lines")) || !recoverPaths[what].isEmpty()) QCOMPARE(body, sent.first());
        if (created) QCOMPARE(ws->error(), std::nullopt);
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
            const int newQuotes = sideRecords(backend, what) - sideBefore;
            if (fault != killedWhileWriting)
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
        QTest::addColumn<bool>("published"); // the row of the outcome table
        QTest::newRow("quote save, quantity 2,000,000 typed") << int(quoteSave) << "quantity" << false << false;
        QTest::newRow("quote save, quantity 2,000,000 stored") << int(quoteSave) << "stored quantity" << true << false;
        QTest::newRow("quote save, tax gone from the server") << int(quoteSave) << "tax" << true << true;
        QTest::newRow("quote revision, checked out meanwhile (409)") << int(quoteSave) << "revision" << true << false;
        QTest::newRow("quote save, stored id used for another quote") << int(quoteSave) << "stored id" << true << false;
        QTest::newRow("customer create, campaign unknown (400)") << int(customerCreate) << "campaign" << true << true;
        QTest::newRow("checkout start, quote taken by another till (409)") << int(checkoutStart) << "taken" << true << true;
    }
    void createRefusedForGood()
    {
        QFETCH(int, create);
        QFETCH(QString, refusal);
        QFETCH(bool, sent);
        QFETCH(bool, published);
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
        if (published)
            cells[what][refusedForGood] = QStringLiteral("0 records / %1 request sent, refused; corrected: 1 record")
                                              .arg(backend.front.count("POST", createPaths[what]) - posts0 - 1);
    }

    void cleanupTestCase()
    {
        const QString target = qEnvironmentVariable("VANTREL_RELIABILITY_REPORT");
        if (target.isEmpty()) return;
        QString table = QStringLiteral(
            "# Creating requests under faults\n\nGenerated by `ctest --test-dir build -R tst_fault_matrix` (into\n"
            "`build/reliability.md`). Each cell: records on the server afterwards / request ids sent, and the end:\n"
            "*created* at once, *recovered* by the create's own recovery, *resumed* by the screen's resume or retry\n"
            "(after a restart where the fault kills the app), *aborted* by a recovery that found the request never\n"
            "arrived (an aborted checkout start is then started again on the same quote, which stays open: no new\n"
            "quote), *refused* for good and then made once after the person's correction. A customer counts its\n"
            "deals, a checkout the quotes made on the way.\n\n| |");
        for (const char *create : createNames) table += QStringLiteral(" %1 |").arg(QLatin1String(create));
        table += QStringLiteral("\n|---|") + QStringLiteral("---|").repeated(creates) + QLatin1Char('\n');
        for (int f = lostReply; f < columns; ++f) {
            table += QStringLiteral("| %1 |").arg(QLatin1String(faultNames[f]));
            for (int c = customerCreate; c < creates; ++c)
                table += QLatin1Char(' ') + (cells[c][f].isEmpty() ? "not run" : cells[c][f]) + " |";
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
        table += QLatin1Char('\n'); // the soak's section follows in the published page
        QFile file(target);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(table.toUtf8());
    }
};

QTEST_GUILESS_MAIN(FaultMatrixTest)
#include "tst_fault_matrix.moc"
