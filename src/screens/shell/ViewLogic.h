#pragma once
// Decisions of the app shell and the shared components that are more than a
// one-line binding: layout thresholds, which panel, which caption, which icon.
// Pure functions, plus one QML singleton that hands them to the screens.

#include <QColor>
#include <QObject>
#include <QString>
#include <QtQml/qqmlregistration.h>

namespace vantrel::screens {

inline constexpr double sideBySideMinimumWidth = 850;
inline constexpr double quotePanelShare = 0.43;
inline constexpr double quotePanelMaximumWidth = 460;
inline constexpr double errorMessageMaximumHeight = 230;

// Wide windows show catalog and quote panel side by side; narrow ones use tabs.
bool isSideBySide(double width);
double quotePanelWidth(double width);
// The payment status view stands in the quote panel for a transaction; the
// draft's own canceled checkout gives the editor back, while a canceled one
// followed from the history is shown (with the way back to the draft).
bool showsPaymentStatus(bool hasTransaction, const QString &status, bool ownCheckout = true);
QString confirmationSymbol(bool destructive);
// The error card's message area follows the text up to a cap, then scrolls.
double errorMessageAreaHeight(double measuredTextHeight);
bool errorMessageScrolls(double measuredTextHeight);

// Whether the sign-in's server field may be edited, and its caption.
struct ServerFieldState {
    Q_GADGET
    QML_VALUE_TYPE(serverFieldState)
    Q_PROPERTY(bool editable MEMBER editable)
    Q_PROPERTY(QString caption MEMBER caption)

public:
    bool editable = true;
    QString caption;
};
ServerFieldState serverField(bool previewBuild);

// The "Checkout" section of the account sheet; empty captions are not shown.
struct AccountSummary {
    Q_GADGET
    QML_VALUE_TYPE(accountSummary)
    Q_PROPERTY(QString payments MEMBER payments)
    Q_PROPERTY(QString collectOn MEMBER collectOn)
    Q_PROPERTY(QString accounting MEMBER accounting)
    Q_PROPERTY(QString businessDay MEMBER businessDay)
    Q_PROPERTY(QString setupCaption MEMBER setupCaption)
    Q_PROPERTY(QString registerCaption MEMBER registerCaption)
    Q_PROPERTY(QString accountingCaption MEMBER accountingCaption)

public:
    QString payments;
    QString collectOn;
    QString accounting;
    QString businessDay;
    QString setupCaption;
    QString registerCaption;
    QString accountingCaption;
};
AccountSummary accountSummary(bool paymentsEnabled, const QString &paymentRoute, bool usesDailySquareImport,
                              const QString &paymentsSetupNotice);

// The QML face of the functions above.
class ViewLogic : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON
    Q_PROPERTY(double sideBySideMinimumWidth READ sideBySideMinimum CONSTANT)
    Q_PROPERTY(double errorMessageMaximumHeight READ errorMessageMaximum CONSTANT)
    // The production server's address, shown as the server field's placeholder.
    Q_PROPERTY(QString productionServer READ productionServerAddress CONSTANT)

public:
    using QObject::QObject;

    double sideBySideMinimum() const { return sideBySideMinimumWidth; }
    double errorMessageMaximum() const { return errorMessageMaximumHeight; }
    QString productionServerAddress() const;

    Q_INVOKABLE bool isSideBySide(double width) const { return screens::isSideBySide(width); }
    Q_INVOKABLE double quotePanelWidth(double width) const { return screens::quotePanelWidth(width); }
    // Whether the quote panel shows the payment status instead of the editor.
    Q_INVOKABLE bool showsPaymentStatus(bool hasTransaction, const QString &status, bool ownCheckout) const
    {
        return screens::showsPaymentStatus(hasTransaction, status, ownCheckout);
    }
    Q_INVOKABLE QString confirmationSymbol(bool destructive) const
    {
        return screens::confirmationSymbol(destructive);
    }
    Q_INVOKABLE double errorMessageAreaHeight(double measured) const
    {
        return screens::errorMessageAreaHeight(measured);
    }
    Q_INVOKABLE bool errorMessageScrolls(double measured) const
    {
        return screens::errorMessageScrolls(measured);
    }
    // The last argument of these two is Format.language: a binding that
    // passes it is worked out again in a new language.
    Q_INVOKABLE vantrel::screens::ServerFieldState serverField(bool previewBuild, const QString & = {}) const
    {
        return screens::serverField(previewBuild);
    }
    Q_INVOKABLE vantrel::screens::AccountSummary accountSummary(bool paymentsEnabled,
                                                                const QString &paymentRoute,
                                                                bool usesDailySquareImport,
                                                                const QString &paymentsSetupNotice,
                                                                const QString & = {}) const
    {
        return screens::accountSummary(paymentsEnabled, paymentRoute, usesDailySquareImport,
                                       paymentsSetupNotice);
    }
    // "rrggbb" of a colour, for the symbol image ids.
    Q_INVOKABLE QString rgbHex(const QColor &colour) const;
};

} // namespace vantrel::screens
