#pragma once
// What the customer-facing display shows for the workspace's state, and on
// which screen it stands. Pure functions; the display's face binds them.

#include "records/UiText.h"
#include "records/Workspace.h"

#include <QStringList>

#include <optional>

namespace vantrel::screens {

namespace displayText {
inline constexpr UiText payingByCard{"CustomerDisplay", QT_TRANSLATE_NOOP("CustomerDisplay", "Card")};
inline constexpr UiText payingCash{"CustomerDisplay", QT_TRANSLATE_NOOP("CustomerDisplay", "Cash")};
inline constexpr UiText payingAtRegister{"CustomerDisplay", QT_TRANSLATE_NOOP("CustomerDisplay", "Register")};
inline constexpr UiText tapCard{
    "CustomerDisplay",
    QT_TRANSLATE_NOOP("CustomerDisplay", "Tap, insert or swipe your card on the terminal")};
inline constexpr UiText payAtRegister{"CustomerDisplay",
                                      QT_TRANSLATE_NOOP("CustomerDisplay", "Please pay at the register")};
} // namespace displayText

enum class DisplayStage { Idle, Building, Checkout, Complete };

// The checkout sheet's choices while the associate fills it in.
struct SheetPick {
    QString tender; // "card" or "cash"
    QString cash; // as typed
};

// The payment part of the display, for the checkout and complete stages.
struct DisplayPayment {
    DisplayStage stage = DisplayStage::Idle;
    qint64 amountCents = 0;
    QString tender; // "card", "cash" or "register"
    std::optional<qint64> cashCents; // only once cash is known
};

// Where the sale stands for the customer: the shown transaction decides,
// then a checkout request waiting for its outcome, then an open checkout
// sheet, then whether the draft has lines.
DisplayPayment displayPayment(const Draft &draft, const std::optional<CheckoutTransaction> &transaction,
                              const std::optional<SheetPick> &sheet, const QString &paymentRoute);
QString tenderText(const QString &tender);
// What the customer does now; empty for cash (the amounts say it).
QString instructionText(const QString &tender);
// Change for the cash given, never negative; absent without cash.
std::optional<qint64> changeCents(const DisplayPayment &payment);

// Where the display window stands.
struct Placement {
    bool shown = false;
    QString screen; // by name; empty: wherever the window system puts it
    bool fullScreen = false;
};
// With more than one screen the display fills the chosen one (by default
// the first that is not the associate's); with one it is a window the
// associate places. A chosen screen that is gone hides the display until it
// returns.
Placement placeDisplay(bool on, const QStringList &screens, const QString &primary, const QString &chosen);

} // namespace vantrel::screens
