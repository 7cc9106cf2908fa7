#include "QuoteEditorRules.h"

#include "records/Money.h"
#include "records/TypedNumber.h"

#include <QCoreApplication>

namespace vantrel::screens {
namespace et = editorText;

namespace {} // namespace

QString editorSubtitle(const Draft &draft)
{
    if (draft.sourceNumber.isEmpty()) return et::newQuote.toString();
    return et::quoteNumberPrefix.toString() + draft.sourceNumber;
}

QString editorBadge(const Draft &draft)
{
    if (!draft.saved || draft.dirty) return {};
    // A quote the server sent without a status still deserves a readable badge.
    const QString status = draft.saved->status.toUpper();
    return status.isEmpty() ? et::savedBadge.toString() : status;
}

CardTexts customerCard(const Draft &draft)
{
    if (!draft.customer)
        return {QStringLiteral("person.badge.plus"), et::chooseACustomer.toString(),
                et::searchOrAddCustomer.toString()};
    const Customer &customer = *draft.customer;
    QString caption = !customer.email.isEmpty()   ? customer.email
                      : !customer.phone.isEmpty() ? customer.phone
                                                  : et::customerSelected.toString();
    return {QStringLiteral("person.crop.circle.fill"), customer.name, caption};
}

CardTexts quotesCard(const Draft &draft)
{
    CardTexts card{QStringLiteral("doc.text.magnifyingglass"), et::browseCustomerQuotes.toString(), {}};
    card.enabled = draft.customer.has_value();
    card.caption = draft.customer ? et::viewQuotesForPrefix.toString() + draft.customer->name
                                  : et::selectCustomerToViewQuotes.toString();
    return card;
}

DealRow dealRow(const Draft &draft)
{
    DealRow row;
    if (!draft.customer) return row;
    row.shown = true;
    row.buttonTitle = draft.deal ? et::changeDeal.toString() : et::linkDeal.toString();
    if (draft.deal) {
        row.hasDetails = true;
        row.detailsTitle = et::dealPrefix.toString() + draft.deal->name;
        if (draft.deal->number.isEmpty()) row.numberCaption = et::dealNumberPending.toString();
    }
    return row;
}

QString dealIdCaption(const Deal &deal)
{
    return et::dealIdNumberPrefix.toString() +
           (deal.number.isEmpty() ? et::awaitingCrm.toString() : deal.number);
}

std::optional<QUrl> dealLink(const QString &address)
{
    const QUrl url(address, QUrl::StrictMode);
    // The address comes from the server: QUrl lower-cases the scheme, so the
    // text itself must say https; a link without a host, or one carrying a
    // user name or password (which can dress one site up as another), is not
    // offered.
    if (!url.isValid() || url.scheme() != QLatin1String("https") ||
        !address.startsWith(QLatin1String("https:")) || url.host().isEmpty() || !url.userInfo().isEmpty())
        return std::nullopt;
    return url;
}

bool isChosenDeal(const Draft &draft, const QString &rowDealId)
{
    if (rowDealId.isEmpty()) return !draft.deal;
    return draft.deal && draft.deal->id == rowDealId;
}

QString lineCountText(qsizetype count)
{
    return QCoreApplication::translate("QuoteEditor", "%n line(s)", nullptr, int(count));
}

QString removeLineName(const QuoteLine &line) { return et::removePrefix.toString() + line.name; }

bool showsOrderDiscount(const Draft &draft)
{
    if (draft.discountType == QLatin1String("entity_level")) return true;
    // Anything but an empty or zero discount stays visible, so a value the
    // user cannot see is never sent with the quote.
    const QString text = draft.discount.trimmed();
    if (text.isEmpty()) return false;
    const std::optional<Decimal> value = Decimal::parse(text);
    return !value || !value->isZero();
}

Totals editorTotals(const Draft &draft, const EditorContext &context, const QByteArray &locale)
{
    Totals totals;
    if (draft.saved && !draft.dirty) {
        // In dollars, like the draft's own subtotal that stands here before saving.
        const auto usd = [&](const QString &amount) {
            return moneyText(Decimal::parseOrZero(amount), {}, locale);
        };
        totals.rows = {{et::subtotal.toString(), usd(draft.saved->subtotal)},
                       {et::tax.toString(), usd(draft.saved->tax)},
                       {et::totalDue.toString(), usd(draft.saved->total)}};
        return totals;
    }
    totals.rows = {{et::itemsBeforeDiscounts.toString(), moneyText(context.draftSubtotal, {}, locale)}};
    totals.caption = et::saveToCalculate.toString();
    return totals;
}

QString saveTitle(const Draft &draft)
{
    if (draft.pendingSave) return et::resumeSavingQuote.toString();
    if (!draft.sourceId.isEmpty()) return et::saveAsNewQuote.toString();
    return et::saveQuote.toString();
}

bool offersSave(const Draft &draft, bool savedQuoteReady)
{
    return draft.pendingSave || !draft.saved || draft.dirty || !savedQuoteReady;
}

bool saveEnabled(const Draft &draft, bool busy) { return !busy && draft.customer && !draft.lines.isEmpty(); }

QString checkoutTitle(const QString &paymentRoute)
{
    return paymentRoute == QLatin1String(route::squareRegister) ? et::checkoutOnRegister.toString()
                                                                : et::checkout.toString();
}

QString pdfCaption(const Draft &draft)
{
    return draft.saved && draft.dirty ? et::pdfShowsSavedQuote.toString() : QString();
}

QList<EditorAction> editorActions(const Draft &draft, const EditorContext &context)
{
    QList<EditorAction> actions;
    const auto caption = [&](EditorItem item, const QString &text, bool warning) {
        EditorAction action{item, text, {}};
        action.warning = warning;
        actions.append(action);
    };

    if (draft.pendingCheckout) {
        // Until the saved request is settled, a save or a second checkout
        // could charge the customer twice.
        caption(EditorItem::CheckSavedRequestCaption, et::checkSavedRequestCaption, true);
        EditorAction check{EditorItem::CheckSavedRequestButton, et::checkSavedRequest.toString(), {}};
        check.enabled = !context.busy;
        check.progress = context.busy && context.running == EditorItem::CheckSavedRequestButton;
        actions.append(check);
    } else {
        if (context.savedQuoteReady) {
            EditorAction start{EditorItem::CheckoutButton, checkoutTitle(context.paymentRoute),
                               QStringLiteral("creditcard")};
            start.enabled = context.canStartCheckout;
            actions.append(start);
            if (!context.paymentsEnabled)
                caption(EditorItem::PaymentsSetupCaption, context.paymentsSetupNotice, true);
        }
        if (draft.saved && !context.savedQuoteReady)
            caption(EditorItem::SaveNewSentQuoteCaption, et::saveNewSentQuote, true);
        if (offersSave(draft, context.savedQuoteReady)) {
            EditorAction save{EditorItem::SaveButton, saveTitle(draft), QStringLiteral("arrow.up.doc")};
            save.enabled = saveEnabled(draft, context.busy);
            save.progress = context.busy && context.running == EditorItem::SaveButton;
            actions.append(save);
            if (!draft.sourceId.isEmpty())
                caption(EditorItem::SaveCreatesNewNumberCaption, et::savingCreatesNewNumber, false);
        }
    }

    if (draft.saved) {
        // A print tap while busy would be dropped without a word.
        EditorAction print{EditorItem::PrintQuoteButton, et::printQuote.toString(),
                           QStringLiteral("printer")};
        print.enabled = !context.busy;
        print.progress = context.busy && context.running == EditorItem::PrintQuoteButton;
        actions.append(print);
        actions.append({EditorItem::QuotePdfButton, et::viewPdf.toString(), QStringLiteral("doc.richtext")});
        if (draft.dirty) caption(EditorItem::PdfShowsSavedQuoteCaption, et::pdfShowsSavedQuote, false);
    }
    return actions;
}

QList<TaxOption> taxOptions(const QList<Tax> &taxes)
{
    QList<TaxOption> options{{QString(), et::noLineTax.toString()}};
    options.reserve(taxes.size() + 1);
    for (const Tax &tax : taxes)
        options.append(
            {tax.id, tax.name + QStringLiteral(" \u00B7 ") + numberText(tax.percentage) + QLatin1Char('%')});
    return options;
}

qsizetype taxOptionIndex(const QList<Tax> &taxes, const QString &taxId)
{
    if (taxId.isEmpty()) return 0;
    for (qsizetype i = 0; i < taxes.size(); ++i)
        if (taxes[i].id == taxId) return i + 1;
    return -1;
}

} // namespace vantrel::screens
