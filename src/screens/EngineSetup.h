#pragma once
// The one QML engine set-up of the app and its tests: import path, image
// providers, the media types and QCoro's task type.

class QQmlEngine;

namespace vantrel {

class CheckoutModel;

void setUpEngine(QQmlEngine &engine, CheckoutModel &model);

} // namespace vantrel
