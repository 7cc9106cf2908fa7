#include "Launch.h"

namespace vantrel {

namespace {

QCoro::Task<> swallow(QCoro::Task<> task)
{
    try {
        co_await std::move(task);
    } catch (...) {}
}

QCoro::Task<> swallowResult(QCoro::Task<bool> task)
{
    try {
        co_await std::move(task);
    } catch (...) {}
}

} // namespace

void launch(QCoro::Task<> task) { swallow(std::move(task)); }
void launch(QCoro::Task<bool> task) { swallowResult(std::move(task)); }

} // namespace vantrel
