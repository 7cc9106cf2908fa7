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
inline constexpr UiText newQuote{"QuoteEditor", QT_TRANSLATE_NOOP("QuoteEditor", "New quote")};
inline constexpr UiText quoteNumberPrefix{"QuoteEditor", QT_TRANSLATE_NOOP("QuoteEditor", "Quote · ")};
inline constexpr UiText savedBadge{"QuoteEditor", QT_TRANSLATE_NOOP("QuoteEditor", "SAVED")};

inline constexpr UiText chooseACustomer{"QuoteEditor", QT_TRANSLATE_NOOP("QuoteEditor", "Choose a customer")};
inline constexpr UiText customerSelected{"QuoteEditor",
                                         QT_TRANSLATE_NOOP("QuoteEditor", "Customer selected")};
inline constexpr UiText searchOrAddCustomer{"QuoteEditor",
                                            QT_TRANSLATE_NOOP("QuoteEditor", "Search or add a customer")};
inline constexpr UiText browseCustomerQuotes{"QuoteEditor",
                                             QT_TRANSLATE_NOOP("QuoteEditor", "Browse customer quotes")};
inline constexpr UiText viewQuotesForPrefix{"QuoteEditor",
                                            QT_TRANSLATE_NOOP("QuoteEditor", "View quotes for ")};
inline constexpr UiText selectCustomerToViewQuotes{
    "QuoteEditor", QT_TRANSLATE_NOOP("QuoteEditor", "Select a customer to view quotes")};

inline constexpr UiText linkDeal{"QuoteEditor", QT_TRANSLATE_NOOP("QuoteEditor", "Link deal")};
inline constexpr UiText changeDeal{"QuoteEditor", QT_TRANSLATE_NOOP("QuoteEditor", "Change deal")};
inline constexpr UiText dealPrefix{"QuoteEditor", QT_TRANSLATE_NOOP("QuoteEditor", "Deal ")};
inline constexpr UiText dealNumberPending{"QuoteEditor",
                                          QT_TRANSLATE_NOOP("QuoteEditor", "Deal number pending")};
inline constexpr UiText dealIdNumberPrefix{"QuoteEditor",
                                           QT_TRANSLATE_NOOP("QuoteEditor", "Deal ID number: ")};
inline constexpr UiText awaitingCrm{"QuoteEditor", QT_TRANSLATE_NOOP("QuoteEditor", "Awaiting CRM")};

inline constexpr UiText subtotal{"QuoteEditor", QT_TRANSLATE_NOOP("QuoteEditor", "Subtotal")};
inline constexpr UiText tax{"QuoteEditor", QT_TRANSLATE_NOOP("QuoteEditor", "Tax")};
inline constexpr UiText totalDue{"QuoteEditor", QT_TRANSLATE_NOOP("QuoteEditor", "Total due")};
inline constexpr UiText itemsBeforeDiscounts{
    "QuoteEditor", QT_TRANSLATE_NOOP("QuoteEditor", "Items before discounts & tax")};
inline constexpr UiText saveToCalculate{"QuoteEditor",
                                        QT_TRANSLATE_NOOP("QuoteEditor", "Save to calculate the total.")};

inline constexpr UiText checkSavedRequestCaption{
    "QuoteEditor",
    QT_TRANSLATE_NOOP(
        "QuoteEditor",
        "Check the saved request. Resume checkout, or unlock the draft if checkout never started.")};
inline constexpr UiText checkSavedRequest = resumeAction::checkSavedRequest;
inline constexpr UiText checkout{"QuoteEditor", QT_TRANSLATE_NOOP("QuoteEditor", "Checkout")};
inline constexpr UiText checkoutOnRegister{"QuoteEditor",
                                           QT_TRANSLATE_NOOP("QuoteEditor", "Checkout on Register")};
inline constexpr UiText saveNewSentQuote{
    "QuoteEditor", QT_TRANSLATE_NOOP("QuoteEditor", "Save a new sent quote before checkout.")};
inline constexpr UiText saveQuote{"QuoteEditor", QT_TRANSLATE_NOOP("QuoteEditor", "Save quote")};
inline constexpr UiText saveAsNewQuote{"QuoteEditor", QT_TRANSLATE_NOOP("QuoteEditor", "Save as new quote")};
inline constexpr UiText resumeSavingQuote = resumeAction::resumeSavingQuote;
inline constexpr UiText savingCreatesNewNumber{
    "QuoteEditor", QT_TRANSLATE_NOOP("QuoteEditor", "Saving edits creates a new quote number.")};
inline constexpr UiText printQuote{"QuoteEditor", QT_TRANSLATE_NOOP("QuoteEditor", "Print quote")};
inline constexpr UiText pdfShowsSavedQuote{
    "QuoteEditor", QT_TRANSLATE_NOOP("QuoteEditor", "PDF shows the saved quote. Save edits for a new PDF.")};

inline constexpr UiText removePrefix{"QuoteEditor", QT_TRANSLATE_NOOP("QuoteEditor", "Remove ")};
inline constexpr UiText noLineTax{"QuoteEditor",
                                  QT_TRANSLATE_NOOP("QuoteEditor", "No line tax / customer default")};

inline constexpr UiText searchCustomers{"QuoteEditor", QT_TRANSLATE_NOOP("QuoteEditor", "Search customers")};
inline constexpr UiText customerSearchPrompt{"QuoteEditor",
                                             QT_TRANSLATE_NOOP("QuoteEditor", "Name, email, or phone")};
inline constexpr UiText findingCustomers{"QuoteEditor",
                                         QT_TRANSLATE_NOOP("QuoteEditor", "Finding customers…")};
inline constexpr UiText tryAgain{"QuoteEditor", QT_TRANSLATE_NOOP("QuoteEditor", "Try again")};
inline constexpr UiText noCustomersFound{
    "QuoteEditor",
    QT_TRANSLATE_NOOP("QuoteEditor", "No customers found. Try a name, email, or phone number.")};
inline constexpr UiText createCustomerAndDeal{"QuoteEditor",
                                              QT_TRANSLATE_NOOP("QuoteEditor", "Create customer & deal")};
inline constexpr UiText resumeCustomerCreation = resumeAction::resumeCustomerCreation;

inline constexpr UiText done{"QuoteEditor", QT_TRANSLATE_NOOP("QuoteEditor", "Done")};
inline constexpr UiText cancel{"QuoteEditor", QT_TRANSLATE_NOOP("QuoteEditor", "Cancel")};

inline constexpr UiText changeCustomerTitle{
    "QuoteEditor", QT_TRANSLATE_NOOP("QuoteEditor", "Change this quote's customer?")};
inline constexpr UiText changeCustomerMessage{
    "QuoteEditor",
    QT_TRANSLATE_NOOP("QuoteEditor",
                      "Items and edits stay. Saved quote and deal links are cleared. Save as a new quote.")};
inline constexpr UiText useSelectedCustomer{"QuoteEditor",
                                            QT_TRANSLATE_NOOP("QuoteEditor", "Use selected customer")};
inline constexpr UiText keepCurrentCustomer{"QuoteEditor",
                                            QT_TRANSLATE_NOOP("QuoteEditor", "Keep current customer")};

inline constexpr UiText viewPdf{"QuoteEditor", QT_TRANSLATE_NOOP("QuoteEditor", "View PDF")};
inline constexpr UiText viewInvoice{"QuoteEditor", QT_TRANSLATE_NOOP("QuoteEditor", "View invoice")};
inline constexpr UiText paidInvoice{"QuoteEditor", QT_TRANSLATE_NOOP("QuoteEditor", "Paid invoice")};
inline constexpr UiText pdfUnavailable{"QuoteEditor", QT_TRANSLATE_NOOP("QuoteEditor", "PDF unavailable")};
inline constexpr UiText pinchToZoom{"QuoteEditor", QT_TRANSLATE_NOOP("QuoteEditor", " · Pinch to zoom")};
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
