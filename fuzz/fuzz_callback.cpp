// libFuzzer target: the sign-in callback address. Any program on the desktop
// can open the app's URL scheme, so the address arrives as a launch argument
// or a line on the one-instance socket holding whatever that program chose.
// Whatever code is read from it must be the one the exchange request carries.
#include "platform/auth/SingleInstance.h"
#include "records/Requests.h"
#include "server/ZohoLogin.h"

#include <cstdlib>

using namespace vantrel;

namespace {

void readCode(const QUrl &callback)
{
    if (callback.isEmpty()) return;
    const std::optional<QString> code = ZohoLogin::codeFrom(callback);
    if (!code) return;
    if (code->isEmpty()) std::abort(); // an empty code is "missing", never sent
    const Exchange sent{*code, QStringLiteral("verifier")};
    const std::optional<Exchange> received = tryDecode<Exchange>(encode(sent, KeyStyle::Wire), KeyStyle::Wire);
    if (!received || received->code != *code) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    readCode(SingleInstance::urlFromMessage(bytes));
    for (const QUrl &url : SingleInstance::urlsIn({QStringLiteral("vantrel-checkout"), QString::fromUtf8(bytes)}))
        readCode(url);
    return 0;
}
