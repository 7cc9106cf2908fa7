#pragma once
// Start-up marks for the start-up benchmark (bench/startup): with the
// environment variable VANTREL_STARTUP_TRACE set, the app prints a line
// "vantrel-startup MARK" on standard output at each of: qml-loaded (the main
// window is made), first-frame (the window has shown its first frame),
// catalog-loaded (the workspace holds the catalog's products) and first-card
// (a frame has shown a product card). Without the variable nothing is
// connected and nothing is printed.

class QQmlApplicationEngine;

namespace vantrel {

class CheckoutModel;

void traceStartup(QQmlApplicationEngine &engine, const CheckoutModel &workspace);

} // namespace vantrel
