#include "Errors.h"
#include "Reference.h"

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
        return QStringLiteral("The operation could not be completed.");
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

} // namespace vantrel
