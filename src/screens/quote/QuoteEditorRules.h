#pragma once
// What the quote editor shows and allows for a given draft: its texts, which
// controls appear in which order and when they are enabled (the quantity
// stepper's arithmetic is the workspace's own). Pure functions over records;
// the QML face only binds them.

#include "records/Money.h"
#include "records/Workspace.h"
#include "workflow/KeptRequest.h"

#include <QList>
#include <QString>
#include <QStringView>
#include <QUrl>

#include <optional>

namespace vantrel::screens {

// The editor's own words, each written once.
namespace editorText {
inline constexpr QStringView newQuote = u"New quote";
inline constexpr QStringView quoteNumberPrefix = u"Quote \u00B7 ";
inline constexpr QStringView savedBadge = u"SAVED";

inline constexpr QStringView chooseACustomer = u"Choose a customer";
inline constexpr QStringView customerSelected = u"Customer selected";
inline constexpr QStringView searchOrAddCustomer = u"Search or add a customer";
inline constexpr QStringView browseCustomerQuotes = u"Browse customer quotes";
inline constexpr QStringView viewQuotesForPrefix = u"View quotes for ";
inline constexpr QStringView selectCustomerToViewQuotes = u"Select a customer to view quotes";

inline constexpr QStringView linkDeal = u"Link deal";
inline constexpr QStringView changeDeal = u"Change deal";
inline constexpr QStringView dealPrefix = u"Deal ";
inline constexpr QStringView dealNumberPending = u"Deal number pending";
inline constexpr QStringView dealIdNumberPrefix = u"Deal ID number: ";
inline constexpr QStringView awaitingCrm = u"Awaiting CRM";

inline constexpr QStringView linesSuffix = u" lines";

inline constexpr QStringView subtotal = u"Subtotal";
inline constexpr QStringView tax = u"Tax";
inline constexpr QStringView totalDue = u"Total due";
inline constexpr QStringView itemsBeforeDiscounts = u"Items before discounts & tax";
inline constexpr QStringView saveToCalculate = u"Save to calculate the total.";

inline constexpr QStringView checkSavedRequestCaption =
    u"Check the saved request. Resume checkout, or unlock the draft if checkout never started.";
inline constexpr QStringView checkSavedRequest = resumeAction::checkSavedRequest;
inline constexpr QStringView checkout = u"Checkout";
inline constexpr QStringView checkoutOnRegister = u"Checkout on Register";
inline constexpr QStringView saveNewSentQuote = u"Save a new sent quote before checkout.";
inline constexpr QStringView saveQuote = u"Save quote";
inline constexpr QStringView saveAsNewQuote = u"Save as new quote";
inline constexpr QStringView resumeSavingQuote = resumeAction::resumeSavingQuote;
inline constexpr QStringView savingCreatesNewNumber = u"Saving edits creates a new quote number.";
inline constexpr QStringView printQuote = u"Print quote";
inline constexpr QStringView pdfShowsSavedQuote = u"PDF shows the saved quote. Save edits for a new PDF.";

inline constexpr QStringView removePrefix = u"Remove ";
inline constexpr QStringView noLineTax = u"No line tax / customer default";

inline constexpr QStringView searchCustomers = u"Search customers";
inline constexpr QStringView customerSearchPrompt = u"Name, email, or phone";
inline constexpr QStringView findingCustomers = u"Finding customers\u2026";
inline constexpr QStringView tryAgain = u"Try again";
inline constexpr QStringView noCustomersFound = u"No customers found. Try a name, email, or phone number.";
inline constexpr QStringView createCustomerAndDeal = u"Create customer & deal";
inline constexpr QStringView resumeCustomerCreation = resumeAction::resumeCustomerCreation;

inline constexpr QStringView done = u"Done";

inline constexpr QStringView viewPdf = u"View PDF";
inline constexpr QStringView viewInvoice = u"View invoice";
inline constexpr QStringView paidInvoice = u"Paid invoice";
inline constexpr QStringView pdfUnavailable = u"PDF unavailable";
inline constexpr QStringView pinchToZoom = u" \u00B7 Pinch to zoom";
} // namespace editorText

// The captions and buttons under the totals, in the order they stand.
enum class EditorItem {
    CheckSavedRequestCaption,
    CheckSavedRequestButton,
    CheckoutButton,
    PaymentsSetupCaption,
    SaveNewSentQuoteCaption,
    SaveButton,
    SaveCreatesNewNumberCaption,
    PrintQuoteButton,
    QuotePdfButton,
    PdfShowsSavedQuoteCaption,
};

// What the editor reads from the workspace model besides the draft.
struct EditorContext {
    bool busy = false;
    bool paymentsEnabled = false;
    bool savedQuoteReady = false;
    bool canStartCheckout = false;
    QString paymentRoute;
    QString paymentsSetupNotice;
    Decimal draftSubtotal;
    // The button whose operation runs now (it shows the progress), if the editor started it.
    std::optional<EditorItem> running;
};

QString editorSubtitle(const Draft &draft);
// Empty when no badge is shown.
QString editorBadge(const Draft &draft);

// A tappable card of the editor: its symbol, headline and caption.
struct CardTexts {
    QString symbol;
    QString title;
    QString caption;
    bool enabled = true;
};
CardTexts customerCard(const Draft &draft);
CardTexts quotesCard(const Draft &draft);

// The deal row; nothing of it is shown without a customer.
struct DealRow {
    bool shown = false;
    QString buttonTitle;
    bool hasDetails = false; // a deal is linked: the disclosure with its details
    QString detailsTitle;
    QString numberCaption; // the disclosure's "Deal number pending", else empty
};
DealRow dealRow(const Draft &draft);
QString dealIdCaption(const Deal &deal);
// A deal's CRM or Drive address, only when it is safe to open.
std::optional<QUrl> dealLink(const QString &address);
bool isChosenDeal(const Draft &draft, const QString &rowDealId); // empty id: "No associated deal"

QString lineCountText(qsizetype count);
QString removeLineName(const QuoteLine &line);
bool showsOrderDiscount(const Draft &draft);

// One label and amount under the lines.
struct TotalRow {
    QString label;
    QString amount;
};
// The server's totals for an unedited saved quote, else the items subtotal.
struct Totals {
    QList<TotalRow> rows;
    QString caption; // empty when the server's totals are shown
};
Totals editorTotals(const Draft &draft, const EditorContext &context, const QByteArray &locale = {});

// One caption or button under the totals.
struct EditorAction {
    EditorItem item;
    QString text;
    QString symbol;
    bool enabled = true;
    bool progress = false; // a progress indicator stands in for the title
    bool warning = false; // orange caption
};
QList<EditorAction> editorActions(const Draft &draft, const EditorContext &context);
QString saveTitle(const Draft &draft);
// A saved, unchanged quote that is ready for checkout has nothing to save:
// saving it again would only make a second quote with a new number.
bool offersSave(const Draft &draft, bool savedQuoteReady);
bool saveEnabled(const Draft &draft, bool busy);
QString checkoutTitle(const QString &paymentRoute);
// Empty unless the PDF no longer matches the draft.
QString pdfCaption(const Draft &draft);

// One choice of a line's tax picker; an empty id means no line tax.
struct TaxOption {
    QString taxId;
    QString label;
};
QList<TaxOption> taxOptions(const QList<Tax> &taxes);
// Index into taxOptions for a line's tax; -1 for a tax no longer offered.
qsizetype taxOptionIndex(const QList<Tax> &taxes, const QString &taxId);

} // namespace vantrel::screens
