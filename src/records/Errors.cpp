#include "Errors.h"
#include "Reference.h"

#include <QCoreApplication>

namespace vantrel {

QString errorDescription(const std::exception_ptr &error)
{
    if (!error) return {};
    try {
        std::rethrow_exception(error);
    } catch (const APIError &e) {
        return e.error;
    } catch (const CancelledError &) {
        return {};
    } catch (const DecodingError &e) {
        return e.text();
    } catch (const TransportError &e) {
        return e.text();
    } catch (const std::exception &e) {
        return QString::fromLocal8Bit(e.what());
    } catch (...) {
        return QCoreApplication::translate("Records", "The operation could not be completed.");
    }
}

bool isCancellation(const std::exception_ptr &error)
{
    if (!error) return false;
    try {
        std::rethrow_exception(error);
    } catch (const CancelledError &) {
        return true;
    } catch (...) {
        return false;
    }
}

CreateOutcome createOutcome(const std::exception_ptr &error)
{
    if (!error) return CreateOutcome::unknown;
    try {
        std::rethrow_exception(error);
    } catch (const CancelledError &) {
        return CreateOutcome::cancelled;
    } catch (const APIError &e) {
        if (e.status < 400 || e.status > 499) return CreateOutcome::unknown;
        // A time-out, "too early" and "too many requests" say nothing about the request itself.
        if (e.status == 408 || e.status == 425 || e.status == 429) return CreateOutcome::unknown;
        if (e.code == requestIdConflictCode) return CreateOutcome::requestIdConflict;
        return CreateOutcome::refused;
    } catch (...) {
        return CreateOutcome::unknown;
    }
}

int httpStatus(const std::exception_ptr &error)
{
    if (!error) return 0;
    try {
        std::rethrow_exception(error);
    } catch (const APIError &e) {
        return e.status;
    } catch (...) {
        return 0;
    }
}

bool notCreated(CreateOutcome outcome)
{
    return outcome == CreateOutcome::refused || outcome == CreateOutcome::requestIdConflict;
}

} // namespace vantrel
