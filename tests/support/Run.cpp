#include "Run.h"

#include "server/BrowserSignIn.h"
#include "records/Errors.h"
#include "records/Reference.h"

#include <QTest>

namespace vantrel::testing {

bool waitFor(const std::function<bool()> &condition, int timeoutMs)
{
    return QTest::qWaitFor(condition, timeoutMs);
}

QString describe(const std::exception_ptr &error)
{
    if (!error) return QStringLiteral("success");
    try {
        std::rethrow_exception(error);
    } catch (const APIError &e) {
        return QStringLiteral("APIError: ") + e.error;
    } catch (const CancelledError &) {
        return QStringLiteral("CancelledError");
    } catch (const DecodingError &) {
        return QStringLiteral("DecodingError");
    } catch (const TransportError &) {
        return QStringLiteral("TransportError");
    } catch (const BrowserCancelledError &e) {
        return QStringLiteral("BrowserCancelledError: ") + e.text();
    } catch (const BrowserStartError &) {
        return QStringLiteral("BrowserStartError");
    } catch (const BrowserTimeoutError &) {
        return QStringLiteral("BrowserTimeoutError");
    } catch (...) {
        return QStringLiteral("other");
    }
}

} // namespace vantrel::testing
