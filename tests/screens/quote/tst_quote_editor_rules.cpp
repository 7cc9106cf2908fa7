// The quote editor's decisions: stepping, which actions stand in which order
// and when they are enabled, when the badge and order discount show, tax choices.
#include "screens/documents/DocumentPdfRules.h"
#include "screens/quote/QuoteEditorRules.h"

#include <QTest>

Q_DECLARE_METATYPE(vantrel::Draft)
Q_DECLARE_METATYPE(vantrel::screens::EditorContext)

using namespace vantrel;
using namespace vantrel::screens;
namespace et = editorText;

namespace {

// "new", "saved:<status>", "dirty:<status>", "pendingSave", "pendingCheckout"
Draft draftIn(const QString &state, bool withCustomer = true, bool withLine = true)
{
    Draft draft = Draft::make();
    if (withCustomer) draft.customer = Customer{QStringLiteral("c-1"), QStringLiteral("Ada"), {}, {}, {}};
    if (withLine) draft.lines.append(QuoteLine{QStringLiteral("l-1"), {}, {}, QStringLiteral("Chair"), {},
                                               QStringLiteral("2"), QStringLiteral("10"), QStringLiteral("0"), {}});
    const QString status = state.section(QLatin1Char(':'), 1);
    if (state.startsWith(QLatin1String("saved")) || state.startsWith(QLatin1String("dirty")) ||
        state.startsWith(QLatin1String("pending"))) {
        draft.saved = Quote{};
        draft.saved->id = QStringLiteral("q-1");
        draft.saved->number = QStringLiteral("QT-0042");
        draft.saved->status = status.isEmpty() ? QStringLiteral("sent") : status;
        draft.sourceId = draft.saved->id;
        draft.sourceNumber = draft.saved->number;
    }
    draft.dirty = state.startsWith(QLatin1String("dirty"));
    if (state == QLatin1String("pendingSave")) draft.pendingSave = SaveQuoteRequest{};
    if (state == QLatin1String("pendingCheckout")) draft.pendingCheckout = CheckoutRequest{};
    return draft;
}

// One token per action: its kind, "-off" when disabled, "*" with a progress indicator.
QString encode(const QList<EditorAction> &actions)
{
    static const char *const names[] = {"pendingCaption", "checkSaved", "checkout", "setupCaption",
                                        "saveSentCaption", "save", "newNumberCaption", "print", "pdf",
                                        "pdfCaption"};
    QStringList tokens;
    for (const EditorAction &a : actions)
        tokens.append(QLatin1String(names[int(a.item)]) + (a.enabled ? "" : "-off") + (a.progress ? "*" : ""));
    return tokens.join(QLatin1Char(','));
}

} // namespace

class QuoteEditorRulesTest : public QObject {
    Q_OBJECT
private slots:
    void actionsInOrder_data();
    void actionsInOrder();
    void orderDiscountField_data();
    void orderDiscountField();
    void taxOptions();
    void dealLinks_data();
    void dealLinks();
    void pdfPathsEscapeServerIds();
};

void QuoteEditorRulesTest::actionsInOrder_data()
{
    QTest::addColumn<Draft>("draft");
    QTest::addColumn<EditorContext>("context");
    QTest::addColumn<QString>("actions");
    QTest::addColumn<QString>("saveTitle");
    QTest::addColumn<QString>("badge");

    EditorContext ready{false, true, true, true, QStringLiteral("square_terminal"), {}, Decimal(20)};
    EditorContext notReady = ready;
    notReady.savedQuoteReady = notReady.canStartCheckout = false;
    EditorContext noPayments = ready;
    noPayments.paymentsEnabled = noPayments.canStartCheckout = false;
    noPayments.paymentsSetupNotice = QStringLiteral("Set up payments.");
    EditorContext busy = ready;
    busy.busy = true;
    busy.canStartCheckout = false;
    const QString asNew = et::saveAsNewQuote.toString();

    QTest::newRow("new, no customer") << draftIn("new", false) << notReady << "save-off" << "Save quote" << "";
    QTest::newRow("new, no lines") << draftIn("new", true, false) << notReady << "save-off" << "Save quote" << "";
    QTest::newRow("new, ready to save") << draftIn("new") << notReady << "save" << "Save quote" << "";
    // Saving it again would only make a second quote.
    QTest::newRow("sent and clean offers no save") << draftIn("saved:sent") << ready << "checkout,print,pdf"
                                                   << asNew << "SENT";
    QTest::newRow("payments not set up") << draftIn("saved:accepted") << noPayments
                                         << "checkout-off,setupCaption,print,pdf" << asNew
                                         << "ACCEPTED";
    QTest::newRow("draft status cannot check out")
        << draftIn("saved:draft") << notReady << "saveSentCaption,save,newNumberCaption,print,pdf" << asNew
        << "DRAFT";
    QTest::newRow("edited after save") << draftIn("dirty:sent") << EditorContext{false, true, true, false, {}, {}, {}}
                                       << "checkout-off,save,newNumberCaption,print,pdf,pdfCaption" << asNew << "";
    QTest::newRow("save pending") << draftIn("pendingSave") << EditorContext{false, true, true, false, {}, {}, {}}
                                  << "checkout-off,save,newNumberCaption,print,pdf"
                                  << et::resumeSavingQuote.toString() << "SENT";
    QTest::newRow("checkout pending hides save and checkout")
        << draftIn("pendingCheckout") << EditorContext{false, true, true, false, {}, {}, {}}
        << "pendingCaption,checkSaved,print,pdf" << asNew << "SENT";
    QTest::newRow("busy") << draftIn("saved:sent") << busy
                          << "checkout-off,print-off,pdf" << asNew << "SENT";
    // Progress shows on the button whose operation runs, and only while it runs.
    EditorContext saving = busy;
    saving.running = EditorItem::SaveButton;
    QTest::newRow("saving") << draftIn("dirty:sent") << saving
                            << "checkout-off,save-off*,newNumberCaption,print-off,pdf,pdfCaption" << asNew << "";
    EditorContext printing = busy;
    printing.running = EditorItem::PrintQuoteButton;
    QTest::newRow("printing") << draftIn("dirty:sent") << printing
                              << "checkout-off,save-off,newNumberCaption,print-off*,pdf,pdfCaption" << asNew << "";
    Draft noStatus = draftIn("saved:sent");
    noStatus.saved->status.clear();
    QTest::newRow("saved without a status") << noStatus << notReady
                                            << "saveSentCaption,save,newNumberCaption,print,pdf" << asNew << "SAVED";
}

void QuoteEditorRulesTest::actionsInOrder()
{
    QFETCH(Draft, draft);
    QFETCH(EditorContext, context);
    QFETCH(QString, saveTitle);
    QTEST(editorBadge(draft), "badge");
    const QList<EditorAction> list = editorActions(draft, context);
    QTEST(encode(list), "actions");
    for (const EditorAction &a : list) {
        if (a.item == EditorItem::SaveButton) QCOMPARE(a.text, saveTitle);
        if (a.item == EditorItem::PaymentsSetupCaption) QCOMPARE(a.text, context.paymentsSetupNotice);
    }
}

void QuoteEditorRulesTest::orderDiscountField_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("discount");
    QTest::addColumn<bool>("shown");
    QTest::newRow("line discounts, zero") << "item_level" << "0" << false;
    QTest::newRow("line discounts, 0.00") << "item_level" << "0.00" << false;
    QTest::newRow("percentage is kept visible") << "item_level" << "10%" << true;
    QTest::newRow("unreadable is kept visible") << "item_level" << "abc" << true;
    QTest::newRow("order discounts") << "entity_level" << "0" << true;
}

void QuoteEditorRulesTest::orderDiscountField()
{
    QFETCH(QString, type);
    QFETCH(QString, discount);
    Draft draft = Draft::make();
    draft.discountType = type;
    draft.discount = discount;
    QTEST(showsOrderDiscount(draft), "shown");
}

void QuoteEditorRulesTest::taxOptions()
{
    const QList<Tax> taxes{{QStringLiteral("t1"), QStringLiteral("State"), QStringLiteral("8.25")},
                           {QStringLiteral("t2"), QStringLiteral("City"), QStringLiteral("1")}};
    const QList<TaxOption> options = screens::taxOptions(taxes);
    QCOMPARE(options.size(), qsizetype(3));
    QVERIFY(options[0].taxId.isEmpty());
    QCOMPARE(options[0].label, et::noLineTax.toString());
    QCOMPARE(options[1].label, QStringLiteral("State \u00B7 8.25%"));
    QCOMPARE(taxOptionIndex(taxes, QString()), qsizetype(0));
    QCOMPARE(taxOptionIndex(taxes, QStringLiteral("t2")), qsizetype(2));
    QCOMPARE(taxOptionIndex(taxes, QStringLiteral("gone")), qsizetype(-1)); // never silently "no tax"
}

// Deal addresses come from the server: only a plain https link to a host is offered.
void QuoteEditorRulesTest::dealLinks_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<bool>("offered");
    QTest::newRow("https") << "https://crm.zoho.com/crm/tab/Potentials/42" << true;
    QTest::newRow("upper-case scheme") << "HTTPS://crm.zoho.com/x" << false;
    QTest::newRow("http") << "http://crm.zoho.com/x" << false;
    QTest::newRow("script") << "javascript:alert(1)" << false;
    QTest::newRow("user and password") << "https://a:b@crm.zoho.com/x" << false;
    QTest::newRow("no host") << "https:///x" << false;
    QTest::newRow("empty") << "" << false;
}

void QuoteEditorRulesTest::dealLinks()
{
    QFETCH(QString, address);
    QTEST(dealLink(address).has_value(), "offered");
}

// A server id never leaves its place in the path the PDF loader fetches.
void QuoteEditorRulesTest::pdfPathsEscapeServerIds()
{
    Quote quote;
    quote.id = QStringLiteral("../api/logout");
    QCOMPARE(quotePdfTarget(quote).path, QStringLiteral("/api/quotes/..%2Fapi%2Flogout/pdf"));
    CheckoutTransaction transaction;
    transaction.id = QStringLiteral("T1?hold=1#x");
    QCOMPARE(invoicePdfTarget(transaction).path, QStringLiteral("/api/checkouts/T1%3Fhold=1%23x/pdf"));
}

QTEST_GUILESS_MAIN(QuoteEditorRulesTest)
#include "tst_quote_editor_rules.moc"
