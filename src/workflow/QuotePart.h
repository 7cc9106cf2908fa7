#pragma once
// The quote being edited: its lines as a list model, its other fields as
// typed values, the edits (by id and plain text, each one draft change and
// one file write), opening a server quote, saving, and the quote's deal.

#include "WorkspaceLists.h"

#include "records/Errors.h"

#include <QCoroQmlTask>
#include <QCoroTask>
#include <QObject>

namespace vantrel {

class CheckoutModel;

class QuotePart : public QObject {
    Q_OBJECT
    Q_PROPERTY(QAbstractListModel *lines READ lineList CONSTANT)
    Q_PROPERTY(QString customerId READ customerId NOTIFY customerChanged)
    Q_PROPERTY(QString customerName READ customerName NOTIFY customerChanged)
    Q_PROPERTY(QString dealId READ dealId NOTIFY dealChanged)
    Q_PROPERTY(QString dealName READ dealName NOTIFY dealChanged)
    Q_PROPERTY(QString sourceNumber READ sourceNumber NOTIFY savedChanged)
    Q_PROPERTY(bool hasSaved READ hasSaved NOTIFY savedChanged)
    Q_PROPERTY(QString savedStatus READ savedStatus NOTIFY savedChanged)
    Q_PROPERTY(QString savedTotalText READ savedTotalText NOTIFY savedChanged)
    Q_PROPERTY(bool dirty READ dirty NOTIFY dirtyChanged)
    Q_PROPERTY(QString notes READ notes NOTIFY notesChanged)
    Q_PROPERTY(QString terms READ terms NOTIFY termsChanged)
    Q_PROPERTY(QString discount READ discount NOTIFY discountChanged)
    Q_PROPERTY(QString discountType READ discountType NOTIFY discountChanged)
    Q_PROPERTY(QString shipping READ shipping NOTIFY shippingChanged)
    Q_PROPERTY(QString adjustment READ adjustment NOTIFY adjustmentChanged)
    Q_PROPERTY(QString subtotalText READ subtotalText NOTIFY linesChanged)
    Q_PROPERTY(bool hasPendingSave READ hasPendingSave NOTIFY pendingChanged)
    Q_PROPERTY(bool hasPendingCustomer READ hasPendingCustomer NOTIFY pendingChanged)
    Q_PROPERTY(bool hasPendingCheckout READ hasPendingCheckout NOTIFY pendingChanged)
    Q_PROPERTY(bool editingLocked READ editingLocked NOTIFY editingLockedChanged)
    Q_PROPERTY(bool savedQuoteReady READ savedQuoteReady NOTIFY savedQuoteReadyChanged)
    // Why the quote is locked by a pending request or a live checkout, shown
    // once above the disabled fields; empty otherwise (a passing operation
    // is not worth a caption).
    Q_PROPERTY(QString lockCaption READ lockCaption NOTIFY lockCaptionChanged)
    // What the order discount, shipping and adjustment fail, beside them.
    Q_PROPERTY(QString orderProblem READ orderProblem NOTIFY orderProblemChanged)

public:
    explicit QuotePart(CheckoutModel &workspace);

    QuoteLineListModel *lineList() const { return m_lines; }
    QString customerId() const;
    QString customerName() const;
    QString dealId() const;
    QString dealName() const;
    QString sourceNumber() const;
    bool hasSaved() const;
    QString savedStatus() const;
    QString savedTotalText() const;
    bool dirty() const;
    QString notes() const;
    QString terms() const;
    QString discount() const;
    QString discountType() const;
    QString shipping() const;
    QString adjustment() const;
    QString subtotalText() const;
    bool hasPendingSave() const;
    bool hasPendingCustomer() const;
    bool hasPendingCheckout() const;
    bool editingLocked() const;
    bool savedQuoteReady() const;
    QString lockCaption() const { return m_lockCaption; }
    QString orderProblem() const { return m_orderProblem; }
    // Says in the notice why an edit was refused, when the quote is locked.
    void announceLock();

    // Each edit is refused (false) while editing is locked or when the id is
    // unknown; otherwise the draft changes once, marked edited.
    Q_INVOKABLE bool addProduct(const QString &productId);
    Q_INVOKABLE bool setLineQuantity(const QString &lineId, const QString &text);
    Q_INVOKABLE bool setLineRate(const QString &lineId, const QString &text);
    Q_INVOKABLE bool setLineDiscount(const QString &lineId, const QString &text);
    Q_INVOKABLE bool setLineDescription(const QString &lineId, const QString &text);
    Q_INVOKABLE bool setLineTax(const QString &lineId, const QString &taxId);
    // +1 adds a unit; -1 takes one away only while more than one remains.
    Q_INVOKABLE bool stepQuantity(const QString &lineId, int step);
    Q_INVOKABLE bool removeLine(const QString &lineId);
    Q_INVOKABLE bool setNotes(const QString &text);
    Q_INVOKABLE bool setTerms(const QString &text);
    Q_INVOKABLE bool setDiscount(const QString &text);
    Q_INVOKABLE bool setDiscountType(const QString &type);
    Q_INVOKABLE bool setShipping(const QString &text);
    Q_INVOKABLE bool setAdjustment(const QString &text);

    // Operations of the workspace quote (also called from C++).
    void markEdited();
    bool addProduct(const Product &product);
    void loadQuote(const Quote &quote);
    // Loads the quote into the given draft and publishes it, in one write.
    void loadQuote(const Quote &quote, Draft draft);
    QCoro::Task<bool> openQuote(QString id, Customer customer);
    QCoro::Task<> saveQuote();
    QCoro::Task<> selectDeal(std::optional<Deal> deal);
    QCoro::Task<> linkDeal(Quote quote, std::optional<Deal> deal); // throws
    QCoro::Task<> refreshDeal(QString id);

    Q_INVOKABLE void save();
    // Loads a saved quote of a customer (one of the search results or the
    // draft's); resolves to true once it is the draft.
    Q_INVOKABLE QCoro::QmlTask openQuoteFor(const QString &quoteId, const QString &customerId);
    // A deal of the chosen customer's list; an empty id clears the deal.
    Q_INVOKABLE void selectDeal(const QString &dealId);
    Q_INVOKABLE void refreshDeal();
    Q_INVOKABLE void printQuotePDF();

signals:
    void customerChanged();
    void dealChanged();
    void savedChanged();
    void dirtyChanged();
    void notesChanged();
    void termsChanged();
    void discountChanged();
    void shippingChanged();
    void adjustmentChanged();
    void linesChanged();
    void pendingChanged();
    void editingLockedChanged();
    void savedQuoteReadyChanged();
    void lockCaptionChanged();
    void orderProblemChanged();

private:
    QCoro::Task<> openQuoteSteps(QString id, Customer customer);
    QCoro::Task<> saveQuoteSteps(Customer customer);
    // The server refused the save for good: the draft is editable again.
    void dropRefusedSave(const SaveQuoteRequest &request, CreateOutcome outcome,
                         const std::exception_ptr &failure);
    QCoro::Task<> refreshDealSteps(QString id);
    void draftReplaced();
    void recheckLocks();
    bool editLine(const QString &lineId, const std::function<void(QuoteLine &)> &change);
    bool editText(QString Draft::*field, const QString &text);
    QCoro::Task<bool> openQuoteById(QString quoteId, QString customerId);

    CheckoutModel &m_workspace;
    QuoteLineListModel *m_lines;
    Draft m_shown;
    bool m_editingLocked = false;
    bool m_savedQuoteReady = false;
    QString m_lockCaption;
    QString m_orderProblem;
};

} // namespace vantrel
