#pragma once
// The one QML engine set-up of the app and its tests: import path, image
// providers, QCoro's task type, the accessible buttons and the language.

#include <QUrl>

class QQmlEngine;

namespace vantrel {

class CheckoutModel;

void setUpEngine(QQmlEngine &engine, CheckoutModel &workspace);
// The window the app and the screen tests load.
QUrl mainWindowUrl();

} // namespace vantrel
