// The checkout sheet's money and button rules, the payment status view's
// route, mode and status branches, and the history sheet's entries.
#include "screens/checkout/CheckoutRules.h"
#include "screens/history/HistoryRules.h"
#include "screens/controls/symbols/IconTable.h"

#include <QTest>

#include <cmath>
#include <limits>

Q_DECLARE_METATYPE(vantrel::CheckoutTransaction)
Q_DECLARE_METATYPE(vantrel::ArchivedWorkspaceRequest)

using namespace vantrel;
using namespace vantrel::screens;
namespace ct = checkoutText;
namespace ht = historyText;

namespace {

// route "" means none; mode "native" or "" (individual invoices).
CheckoutTransaction tx(const QString &route, const QString &status, const QString &mode = {})
{
    CheckoutTransaction t;
    t.id = QStringLiteral("T-1");
    t.status = status;
    t.tender = route == QLatin1String("square_register") ? QStringLiteral("register") : QStringLiteral("card");
    if (!route.isEmpty()) t.paymentRoute = route;
    t.accountingMode = mode == QLatin1String("native") ? QStringLiteral("native_square_summary")
                                                       : QStringLiteral("individual_zoho");
    return t;
}

const QString reg = QStringLiteral("square_register");
const QString terminal = QStringLiteral("square_terminal");

} // namespace

class CheckoutRulesTest : public QObject {
    Q_OBJECT
private slots:
    void centsAndChange_data();
    void centsAndChange();
    void mainButton_data();
    void mainButton();
    void statusBranches_data();
    void statusBranches();
    void checklist_data();
    void checklist();
    void completedActions_data();
    void completedActions();
    void pickupAndChange_data();
    void pickupAndChange();
    void archiveEntries_data();
    void archiveEntries();
    void transactionsPlaceholders_data();
    void transactionsPlaceholders();
    void followAsksFirst_data();
    void followAsksFirst();
    void typedCash_data();
    void typedCash();
    void wayBackToTheDraft_data();
    void wayBackToTheDraft();
    void badTimesShowNoDate();
    void everySymbolIsDrawn();
};

void CheckoutRulesTest::centsAndChange_data()
{
    QTest::addColumn<QString>("total");
    QTest::addColumn<QString>("cash");
    QTest::addColumn<qint64>("due");
    QTest::addColumn<qint64>("change");
    QTest::newRow("change of a twenty") << "18.50" << "20.00" << qint64(1850) << qint64(150);
    QTest::newRow("short cash") << "18.50" << "10" << qint64(1850) << qint64(0);
    QTest::newRow("absurd cash does not wrap") << "1" << "1000000000000000000000000000000" << qint64(100)
                                               << std::numeric_limits<qint64>::max() - 100;
}

void CheckoutRulesTest::centsAndChange()
{
    QFETCH(QString, total);
    QFETCH(QString, cash);
    QFETCH(qint64, due);
    Draft draft = Draft::make();
    QCOMPARE(amountDueCents(draft), qint64(0));
    draft.saved = Quote{};
    draft.saved->total = total;
    QCOMPARE(amountDueCents(draft), due);
    QTEST(changeDueCents(cash, due), "change");
}

void CheckoutRulesTest::mainButton_data()
{
    QTest::addColumn<QString>("route");
    QTest::addColumn<QString>("tender");
    QTest::addColumn<QString>("cash");
    QTest::addColumn<bool>("confirmed");
    QTest::addColumn<bool>("busy");
    QTest::addColumn<QString>("title");
    QTest::addColumn<bool>("enabled");
    const QString cashTitle = ct::recordCashPayment.toString();
    QTest::newRow("register ignores the cash choice")
        << reg << "cash" << "" << false << false << ct::prepareRegisterInvoice.toString() << true;
    QTest::newRow("card") << terminal << "card" << "" << false << false << ct::sendToTerminal.toString() << true;
    QTest::newRow("cash not confirmed") << terminal << "cash" << "20" << false << false << cashTitle << false;
    QTest::newRow("cash confirmed and enough") << terminal << "cash" << "18.5" << true << false << cashTitle << true;
    QTest::newRow("busy") << terminal << "card" << "" << false << true << ct::sendToTerminal.toString() << false;
    QTest::newRow("unknown tender is card") << terminal << "cheque" << "" << false << false
                                            << ct::sendToTerminal.toString() << true;
    QTest::newRow("a stored request is only checked")
        << terminal << "cash" << "" << false << false << editorText::checkSavedRequest.toString() << true;
}

void CheckoutRulesTest::mainButton()
{
    QFETCH(QString, route);
    QFETCH(QString, tender);
    QFETCH(QString, cash);
    QFETCH(bool, confirmed);
    QFETCH(bool, busy);
    SheetChoices choices{route, tender, cash, confirmed, busy, 1850};
    if (QTest::currentDataTag() == QLatin1String("a stored request is only checked"))
        choices.pending = CheckoutRequest{.requestId = "R", .quoteId = "Q", .expectedCents = 1850, .tender = "card"};
    const MainButton button = checkoutMainButton(choices);
    QCOMPARE(button.checksPending, choices.pending.has_value());
    QTEST(button.title, "title");
    QTEST(button.enabled, "enabled");
    QCOMPARE(button.progress, busy);
}

void CheckoutRulesTest::statusBranches_data()
{
    QTest::addColumn<CheckoutTransaction>("t");
    QTest::addColumn<QString>("shown"); // icon symbol or "progress", then what else shows
    QTest::addColumn<QString>("nextStep");

    QTest::newRow("register awaiting payment") << tx(reg, "awaiting_register_payment")
        << "creditcard instructions check-payment cancel" << ct::nextStepRegister.toString();
    QTest::newRow("register daily import, paid") << tx(reg, "paid_sync_pending", "native") << "progress"
                                                 << ct::nextStepDailyImport.toString();
    QTest::newRow("terminal syncing is payment taken") << tx(terminal, "syncing_zoho") << "progress"
                                                       << ct::nextStepPaymentSaved.toString();
    QTest::newRow("terminal daily mode is not daily import") << tx(terminal, "paid_sync_pending", "native")
                                                             << "progress" << ct::nextStepPaymentSaved.toString();
    CheckoutTransaction recorded = tx(terminal, "awaiting_payment");
    recorded.zohoPaymentId = QStringLiteral("zp-1");
    QTest::newRow("zoho payment recorded") << recorded << "progress" << ct::nextStepReopen.toString();
    CheckoutTransaction failed = tx(terminal, "awaiting_payment");
    failed.error = QStringLiteral("Terminal offline");
    QTest::newRow("error shows the warning")
        << failed << "exclamationmark.arrow.triangle.2.circlepath cancel" << ct::nextStepReopen.toString();
    QTest::newRow("register needs attention") << tx(reg, "needs_attention") << "progress instructions check-payment cancel"
                                              << ct::nextStepRegister.toString();
    QTest::newRow("complete") << tx(reg, "complete") << "checkmark" << ct::nextStepPaymentSaved.toString();
    QTest::newRow("canceled offers neither cancel nor resume") << tx(terminal, "canceled") << "xmark.circle"
                                                               << ct::nextStepCanceled.toString();
}

void CheckoutRulesTest::statusBranches()
{
    QFETCH(CheckoutTransaction, t);
    const QString icon = statusIcon(t).symbol;
    QStringList actual{icon.isEmpty() ? QStringLiteral("progress") : icon};
    if (showsRegisterInstructions(t)) actual << "instructions";
    if (resumeTitle(t) == ct::checkPayment) actual << "check-payment";
    if (resumeTitle(t).isEmpty()) QCOMPARE(t.status, QStringLiteral("canceled"));
    if (showsCancel(t)) actual << "cancel";
    QTEST(actual.join(' '), "shown");
    QTEST(nextStepText(t), "nextStep");
}

void CheckoutRulesTest::checklist_data()
{
    QTest::addColumn<CheckoutTransaction>("t");
    QTest::addColumn<QStringList>("rows"); // text, then "+" done or "-" not done
    QTest::addColumn<bool>("caption");
    const QString square = ct::squarePaymentConfirmed.toString(), payment = ct::paymentConfirmed.toString();
    const QString accepted = ct::quoteAccepted.toString(), paid = ct::invoicePaid.toString();
    const QString daily = ct::dailyImportRow.toString();

    CheckoutTransaction ordered = tx(terminal, "syncing_zoho");
    ordered.salesorderId = QStringLiteral("so-1");
    QTest::newRow("terminal syncing with order")
        << ordered << QStringList{payment + "+", accepted + "+", paid + "-"} << false;
    CheckoutTransaction emptyOrder = tx(reg, "complete");
    emptyOrder.salesorderId = QString();
    QTest::newRow("register complete, empty order id")
        << emptyOrder << QStringList{square + "+", accepted + "-", paid + "+"} << false;
    QTest::newRow("daily import complete") << tx(reg, "complete", "native")
                                           << QStringList{square + "+", daily + "-"} << true;
}

void CheckoutRulesTest::checklist()
{
    QFETCH(CheckoutTransaction, t);
    QFETCH(QStringList, rows);
    QFETCH(bool, caption);
    const Checklist list = accountingChecklist(t);
    QStringList actual;
    for (const ChecklistRow &row : list.rows) actual.append(row.text + (row.done ? "+" : "-"));
    QCOMPARE(actual, rows);
    QCOMPARE(list.caption, caption ? ct::awaitingDailyImport.toString() : QString());
}

void CheckoutRulesTest::completedActions_data()
{
    QTest::addColumn<CheckoutTransaction>("t");
    QTest::addColumn<QList<int>>("items");
    using I = CompletedItem;
    const auto items = [](std::initializer_list<I> list) {
        QList<int> out;
        for (I i : list) out.append(int(i));
        return out;
    };
    const QList<int> invoiceRow{int(I::PrintPaidInvoiceNote), int(I::InvoicePdfButton), int(I::PrintInvoiceButton)};

    QTest::newRow("terminal") << tx(terminal, "complete")
                              << items({I::TerminalReceiptButton}) + invoiceRow + items({I::StartNextSaleButton});
    CheckoutTransaction receipt = tx(reg, "complete", "native");
    receipt.receiptUrl = QStringLiteral("https://squareup.com/receipt/preview/abc");
    QTest::newRow("register daily import with receipt")
        << receipt << items({I::PrintOnRegisterNote, I::SquareReceiptLink, I::StartNextSaleButton});
    CheckoutTransaction unvetted = receipt; // which addresses pass is the record's rule
    unvetted.receiptUrl = QStringLiteral("http://squareup.com/receipt/preview/abc");
    QTest::newRow("unvetted receipt address") << unvetted << items({I::PrintOnRegisterNote, I::StartNextSaleButton});
}

void CheckoutRulesTest::completedActions()
{
    QFETCH(CheckoutTransaction, t);
    QList<int> actual;
    for (const CompletedAction &a : screens::completedActions(t)) {
        actual.append(int(a.item));
        QCOMPARE(a.link.has_value(), a.item == CompletedItem::SquareReceiptLink);
        if (a.link) QCOMPARE(*a.link, *t.receiptLink());
    }
    QTEST(actual, "items");
}

void CheckoutRulesTest::pickupAndChange_data()
{
    QTest::addColumn<CheckoutTransaction>("t");
    QTest::addColumn<QString>("pickup"); // empty: no pickup row
    QTest::addColumn<bool>("holdButton");
    QTest::addColumn<QString>("tenderLine");
    QTest::addColumn<qint64>("changeGiven"); // -1: not shown

    CheckoutTransaction cash = tx(terminal, "complete");
    cash.tender = QStringLiteral("cash");
    cash.amountCents = 1850;
    cash.cashCents = 2000;
    cash.hold = true;
    QTest::newRow("cash on hold") << cash << ct::onHold.toString() << true << ct::cashPayment.toString()
                                  << qint64(150);
    CheckoutTransaction attention = tx(terminal, "complete");
    attention.fulfillment = QStringLiteral("needs_attention");
    QTest::newRow("needs attention") << attention << ct::needsAttention.toString() << true
                                     << ct::squareTerminal.toString() << qint64(-1);
    QTest::newRow("daily import without order has no pickup")
        << tx(reg, "complete", "native") << "" << false << ct::squareRegister.toString() << qint64(-1);
    CheckoutTransaction routeless = tx("", "complete");
    routeless.tender = QStringLiteral("register");
    QTest::newRow("register tender without a route") << routeless << ct::scheduledEndOfDay.toString() << true
                                                     << ct::squareRegister.toString() << qint64(-1);
}

void CheckoutRulesTest::pickupAndChange()
{
    QFETCH(CheckoutTransaction, t);
    QFETCH(QString, pickup);
    QCOMPARE(showsPickup(t), !pickup.isEmpty());
    if (showsPickup(t)) QCOMPARE(pickupText(t), pickup);
    QTEST(showsHoldButton(t), "holdButton");
    QTEST(screens::tenderLine(t), "tenderLine");
    QTEST(changeGivenCents(t).value_or(-1), "changeGiven");
}

void CheckoutRulesTest::archiveEntries_data()
{
    QTest::addColumn<ArchivedWorkspaceRequest>("entry");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("summary");

    ArchivedWorkspaceRequest bare{QStringLiteral("a-1"), 0, Draft::make(), std::nullopt};
    QTest::newRow("plain draft, no summary") << bare << ht::savedDraft.toString() << "";
    ArchivedWorkspaceRequest customer = bare;
    customer.draft.customer = Customer{QStringLiteral("c"), QStringLiteral("Ada"), {}, {}, {}};
    customer.draft.pendingCustomer = NewCustomerRequest{};
    QTest::newRow("customer request") << customer << ht::savedCustomerRequest.toString() << "Ada";
    ArchivedWorkspaceRequest save = customer;
    save.draft.sourceNumber = QStringLiteral("QT-7");
    save.draft.pendingSave = SaveQuoteRequest{};
    QTest::newRow("quote request outranks customer")
        << save << ht::savedQuoteRequest.toString() << "Ada \u00B7 QT-7";
    ArchivedWorkspaceRequest numberOnly = bare;
    numberOnly.draft.sourceNumber = QStringLiteral("QT-8");
    numberOnly.transaction = tx(terminal, "complete");
    QTest::newRow("transaction outranks all") << numberOnly << ht::savedCheckoutRequest.toString() << "QT-8";
}

void CheckoutRulesTest::archiveEntries()
{
    QFETCH(ArchivedWorkspaceRequest, entry);
    QTEST(archiveTitle(entry), "title");
    QTEST(archiveSummary(entry), "summary");
    // The removal question names the entry as its row does.
    QFETCH(QString, title);
    QFETCH(QString, summary);
    const QString name = summary.isEmpty() ? title : title + QStringLiteral(" \u00B7 ") + summary;
    QVERIFY(removeArchiveConfirmation(entry).message.startsWith(u'\u201C' + name + u'\u201D'));
}

void CheckoutRulesTest::transactionsPlaceholders_data()
{
    QTest::addColumn<bool>("empty");
    QTest::addColumn<bool>("underWay");
    QTest::addColumn<bool>("loaded");
    QTest::addColumn<bool>("busy");
    QTest::addColumn<QString>("failure");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("progress");
    QTest::addColumn<bool>("retry");
    const QString loading = ht::loadingTransactions.toString();
    const QString notLoaded = ht::transactionsNotLoaded.toString();
    QTest::newRow("first load under way") << true << true << false << true << "" << loading << true << false;
    QTest::newRow("start-up has not asked yet") << true << false << false << true << "" << loading << true << false;
    QTest::newRow("first load failed") << true << false << false << false << "502" << notLoaded << false << true;
    // The account load failed before the list was asked for.
    QTest::newRow("never asked, nothing under way") << true << false << false << false << "" << notLoaded << false << true;
    QTest::newRow("refresh failed, last list kept")
        << false << false << true << false << "502" << ht::transactionsNotRefreshed.toString() << false << true;
    QTest::newRow("loaded, none yet") << true << false << true << false << "" << ht::noTransactions.toString() << false << false;
    QTest::newRow("rows while refreshing") << false << true << true << true << "" << "" << false << false;
}

void CheckoutRulesTest::transactionsPlaceholders()
{
    QFETCH(bool, empty);
    QFETCH(bool, underWay);
    QFETCH(bool, loaded);
    QFETCH(bool, busy);
    QFETCH(QString, failure);
    const TransactionsPlaceholder shown = transactionsPlaceholder({empty, underWay, loaded, busy, failure});
    QTEST(shown.text, "text");
    QCOMPARE(shown.detail, failure);
    QTEST(shown.progress, "progress");
    QTEST(shown.retry, "retry");
}

void CheckoutRulesTest::followAsksFirst_data()
{
    QTest::addColumn<QString>("shownStatus"); // empty: nothing shown
    QTest::addColumn<QString>("pending");     // which request the draft holds
    QTest::addColumn<QString>("tapped");
    QTest::addColumn<bool>("asks");
    QTest::newRow("idle workspace") << "" << "" << "T-2" << false;
    QTest::newRow("another live checkout") << "awaiting_payment" << "" << "T-2" << true;
    QTest::newRow("the same checkout again") << "awaiting_payment" << "" << "T-1" << false;
    QTest::newRow("a finished checkout") << "complete" << "" << "T-2" << false;
    QTest::newRow("a quote save in flight") << "" << "save" << "T-2" << true;
    QTest::newRow("a checkout start in flight") << "" << "checkout" << "T-2" << true;
    QTest::newRow("the start in flight is the tapped one") << "" << "checkout" << "T-1" << false;
}

void CheckoutRulesTest::followAsksFirst()
{
    QFETCH(QString, shownStatus);
    QFETCH(QString, pending);
    QFETCH(QString, tapped);
    Draft draft = Draft::make();
    if (pending == QLatin1String("save")) draft.pendingSave = SaveQuoteRequest{};
    if (pending == QLatin1String("checkout")) {
        draft.pendingCheckout = CheckoutRequest{};
        draft.pendingCheckout->requestId = QStringLiteral("T-1");
    }
    std::optional<CheckoutTransaction> shown;
    if (!shownStatus.isEmpty()) shown = tx(terminal, shownStatus);
    QTEST(followNeedsConfirmation(draft, shown, tapped), "asks");
}

void CheckoutRulesTest::typedCash_data()
{
    // Cash as people type it; -1 cents: refused with a reason beside the field.
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("locale");
    QTest::addColumn<qint64>("cents");
    QTest::newRow("comma before cents in the US") << "18,50" << "en_US" << qint64(1850);
    QTest::newRow("dollar sign") << "$20" << "en_US" << qint64(2000);
    QTest::newRow("spaces") << " 20 " << "en_US" << qint64(2000);
    QTest::newRow("US grouping") << "1,234.50" << "en_US" << qint64(123450);
    QTest::newRow("US form on a Spanish device") << "1,234.50" << "es_ES" << qint64(123450);
    QTest::newRow("no-break space grouping") << "1\u00A0234,50" << "fr_FR" << qint64(123450);
    QTest::newRow("letters") << "abc" << "en_US" << qint64(-1);
    QTest::newRow("negative") << "-5" << "en_US" << qint64(-1);
    QTest::newRow("negative after the sign") << "$-5" << "en_US" << qint64(-1);
    QTest::newRow("fractions of a cent") << "12.345" << "en_US" << qint64(-1);
    QTest::newRow("sign alone") << "$" << "en_US" << qint64(-1);
}

void CheckoutRulesTest::typedCash()
{
    QFETCH(QString, typed);
    QFETCH(QString, locale);
    QFETCH(qint64, cents);
    const QLocale where(locale);
    const QString problem = cashProblem(typed, where);
    QCOMPARE(problem.isEmpty(), cents >= 0);
    if (cents < 0) QVERIFY2(problem.startsWith(QStringLiteral("Cash received")), qPrintable(problem));
    // The button takes exactly what was read: enough at the amount, a cent short below it.
    const qint64 due = std::max<qint64>(cents, 1);
    SheetChoices choices{terminal, "cash", typed, true, false, due};
    choices.locale = where;
    QCOMPARE(checkoutMainButton(choices).enabled, cents >= 0);
    choices.amountDue = due + 1;
    QVERIFY(!checkoutMainButton(choices).enabled);
    QCOMPARE(changeDueCents(typed, 0, where), std::max<qint64>(cents, 0));
}

void CheckoutRulesTest::wayBackToTheDraft_data()
{
    // draft: "pending T-1", "saved Q-1", "edited Q-1" or "empty"; the shown checkout is T-1 of Q-1
    // unless `shown` names another.
    QTest::addColumn<QString>("draft");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<bool>("back");
    QTest::addColumn<bool>("check");
    QTest::newRow("the draft's own start") << "pending T-1" << "T-1" << false << false;
    QTest::newRow("another checkout while one is stored") << "pending T-1" << "T-2" << true << true;
    QTest::newRow("the saved quote's checkout") << "saved Q-1" << "T-1" << false << false;
    QTest::newRow("the saved quote edited since") << "edited Q-1" << "T-1" << true << false;
    QTest::newRow("another quote's checkout") << "saved Q-2" << "T-1" << true << false;
    QTest::newRow("an empty draft") << "empty" << "T-1" << true << false;
}

void CheckoutRulesTest::wayBackToTheDraft()
{
    QFETCH(QString, draft);
    QFETCH(QString, shown);
    Draft d = Draft::make();
    const QString what = draft.section(u' ', 0, 0);
    const QString id = draft.section(u' ', 1);
    if (what == QLatin1String("pending")) {
        d.saved = Quote{.id = "Q-1"};
        d.pendingCheckout = CheckoutRequest{.requestId = id, .quoteId = "Q-1"};
    } else if (what != QLatin1String("empty")) {
        d.saved = Quote{.id = id};
        d.dirty = what == QLatin1String("edited");
    }
    CheckoutTransaction t = tx(terminal, "complete");
    t.id = shown;
    t.quoteId = QStringLiteral("Q-1");
    const DraftActions actions = draftActions(d, t);
    QTEST(actions.backToDraft, "back");
    QTEST(actions.checkSavedRequest, "check");
}

void CheckoutRulesTest::badTimesShowNoDate()
{
    const QLocale us(QLocale::English, QLocale::UnitedStates);
    const QTimeZone utc = QTimeZone::utc();
    QCOMPARE(dateText(86400 * 365.0, us, utc), QStringLiteral("1/1/71"));
    QCOMPARE(dateText(std::nan(""), us, utc), QString());
    QCOMPARE(dateText(1e300, us, utc), QString());
}

void CheckoutRulesTest::everySymbolIsDrawn()
{
    // Every symbol these rules hand to the screens must exist in the icon
    // table, or the screen shows an empty square.
    QStringList symbols;
    for (const char *status : {"complete", "canceled", "awaiting_payment", "awaiting_register_payment"}) {
        symbols << transactionRowIcon(status).symbol << statusIcon(tx(reg, status)).symbol;
        for (const ChecklistRow &row : accountingChecklist(tx(reg, status, "native")).rows) symbols << row.symbol;
        for (const ChecklistRow &row : accountingChecklist(tx(terminal, status)).rows) symbols << row.symbol;
    }
    CheckoutTransaction failed = tx(terminal, "awaiting_payment");
    failed.error = QStringLiteral("x");
    symbols << statusIcon(failed).symbol;
    for (const CompletedAction &a : screens::completedActions(tx(terminal, "complete"))) symbols << a.symbol;
    for (const CompletedAction &a : screens::completedActions(tx(reg, "complete"))) symbols << a.symbol;
    Draft draft = Draft::make();
    symbols << customerCard(draft).symbol << quotesCard(draft).symbol;
    draft.customer = Customer{};
    draft.saved = Quote{};
    symbols << customerCard(draft).symbol;
    for (const EditorAction &a : editorActions(draft, {false, true, true, true, {}, {}, {}})) symbols << a.symbol;
    symbols.removeAll(QString());
    symbols.removeDuplicates();

    const QStringList table = iconSymbols();
    for (const QString &symbol : symbols) QVERIFY2(table.contains(symbol), qPrintable(symbol));
}

QTEST_GUILESS_MAIN(CheckoutRulesTest)
#include "tst_checkout_rules.moc"
