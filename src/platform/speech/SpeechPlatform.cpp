#include "SpeechPlatform.h"

namespace vantrel::speech {

QCoro::Task<bool> DesktopPermissions::requestSpeechRecognition() { co_return true; }
QCoro::Task<bool> DesktopPermissions::requestMicrophone() { co_return true; }

} // namespace vantrel::speech
