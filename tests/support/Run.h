#pragma once
// Runs coroutines from test code on the test's event loop, always with a
// time-out: a task that never ends fails its test instead of hanging the run.

#include <QCoroTask>
#include <QString>

#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <type_traits>

namespace vantrel::testing {

constexpr int taskTimeoutMs = 20000;

template <class T>
using ValueOf = std::conditional_t<std::is_void_v<T>, bool, T>;

// The value or the error a task ended with.
template <class T>
struct Outcome {
    std::optional<ValueOf<T>> value;
    std::exception_ptr error;
    bool done = false;
};

template <class T>
QCoro::Task<> captureInto(QCoro::Task<T> task, std::shared_ptr<Outcome<T>> out)
{
    try {
        if constexpr (std::is_void_v<T>) {
            co_await std::move(task);
            out->value = true;
        } else {
            out->value = co_await std::move(task);
        }
    } catch (...) {
        out->error = std::current_exception();
    }
    out->done = true;
}

// Starts the task now; the outcome fills in while the event loop runs.
template <class T>
std::shared_ptr<Outcome<T>> start(QCoro::Task<T> task)
{
    auto outcome = std::make_shared<Outcome<T>>();
    captureInto(std::move(task), outcome);
    return outcome;
}

bool waitFor(const std::function<bool()> &condition, int timeoutMs);

// Runs the task to its end; one that does not end in time fails as "other".
template <class T>
Outcome<T> settle(QCoro::Task<T> task, int timeoutMs = taskTimeoutMs)
{
    auto outcome = start(std::move(task));
    if (!waitFor([&] { return outcome->done; }, timeoutMs)) {
        Outcome<T> unfinished;
        unfinished.error = std::make_exception_ptr(std::runtime_error("the task did not finish"));
        return unfinished;
    }
    return *outcome;
}

// The task's value; its failure (or its time-out) is thrown on.
template <class T>
ValueOf<T> finish(QCoro::Task<T> task, int timeoutMs = taskTimeoutMs)
{
    Outcome<T> outcome = settle(std::move(task), timeoutMs);
    if (outcome.error) std::rethrow_exception(outcome.error);
    return *outcome.value;
}

// Runs a model operation to its end and leaves its failure to the model's
// message slots, as the screens do.
template <class T>
void run(QCoro::Task<T> task, int timeoutMs = taskTimeoutMs)
{
    settle(std::move(task), timeoutMs);
}

// The kind of a failure and its text, e.g. "APIError: Missing sign-in code."
QString describe(const std::exception_ptr &error);

} // namespace vantrel::testing
