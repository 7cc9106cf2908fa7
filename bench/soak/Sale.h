#pragma once
// One whole sale at a till, carried on by the screen's own actions as a
// person would: find or create the customer, add lines, save, check out by
// the chosen tender, follow the payment, start the next sale. Whatever a
// fault left behind (a request kept for resuming, a refused start, a status
// that stopped updating) is met with the button the screen offers for it.

#include <QString>

namespace soak {

class Till;

struct SaleResult {
    bool completed = false; // paid, and the next sale started on screen
    QString deadEnd; // where the sale stood when no screen action moved it on
    QString email; // of the customer the sale created, if it created one
    QString marker; // the notes of the sale's quote
};

class Sale {
public:
    Sale(Till &till, quint64 seed, int number);
    SaleResult run();

    // Steps with faults before the network heals, and steps after it.
    static constexpr int faultySteps = 30;
    static constexpr int healedSteps = 20;
    // Each step and where it left the sale go to the error output.
    static inline bool trace = false;

private:
    enum class Action {
        refresh, resumeCustomer, save, resumeCheckout, nextSale, terminal, resumeShown, follow,
        customerOptions, create, find, addLines, checkout, showDraft, none,
    };
    Action next() const;
    void perform(Action action);
    void createCustomer();
    void findCustomer();
    void addLines();
    void checkout();
    void follow();
    double draw(int what) const; // the person's choices, fixed by the seed
    QString where() const;

    Till &m_till;
    quint64 m_seed;
    int m_number;
    int m_step = 0;
    double m_share = 0;
    bool m_create = false;
    QString m_tender;
    QString m_campaign; // known once the new-customer sheet loaded its choices
    bool m_declined = false; // the card was declined once already
    bool m_refreshNext = false;
    bool m_stalled = false; // the shown status stopped moving
    Action m_last = Action::none;
    bool m_done = false;
    SaleResult m_result;
};

} // namespace soak
