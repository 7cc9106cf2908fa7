#include "KeptRequest.h"

#include "records/Errors.h"
#include "records/Reference.h"

namespace vantrel {

QString keptRequestText(const QString &failureText, const QString &action)
{
    QString text = failureText.trimmed();
    if (!text.isEmpty() && !text.endsWith(u'.') && !text.endsWith(u'!') && !text.endsWith(u'?')) text += u'.';
    if (!text.isEmpty()) text += u' ';
    return text + QCoreApplication::translate("Workspace",
                                              "The request is kept on this device and nothing is "
                                              "sent twice: tap “%1” to finish it.")
                      .arg(action);
}

void rethrowKept(const std::exception_ptr &failure, const QString &action)
{
    if (isCancellation(failure)) std::rethrow_exception(failure);
    APIError kept;
    try {
        std::rethrow_exception(failure);
    } catch (const APIError &e) {
        kept = e;
    } catch (...) {}
    kept.error = keptRequestText(errorDescription(failure), action);
    throw kept;
}

} // namespace vantrel
