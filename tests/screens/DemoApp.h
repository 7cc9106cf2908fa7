#pragma once
// The app window signed in to a demo stand-in of its own, as the screen tests
// that drive whole tasks start it.

#include "ShellHarness.h"

#include "StandinServer.h"

#include <QSize>

#include <chrono>
#include <memory>

namespace vantrel::testing {

class DemoApp {
public:
    struct Launch {
        standin::StandinOptions server;
        QSize window{1280, 900};
        bool demoSession = true;
        bool signedIn = true; // false: the window is loaded, signed out and not started
        std::chrono::milliseconds pollInterval{0}; // 0: the app's own
    };

    // Starts the stand-in (demo data, answering a little slowly like a real
    // server), a signed-in workspace on it and the window; returns once the
    // editor and the catalog show (or at once when not signed in). Fails the
    // running test otherwise.
    void open(Launch launch);
    // The draft with the catalog's first `products` products added, for the
    // first customer, saved; its total in cents, or -1 when it was not saved.
    qint64 saveQuote(int products = 2);
    // Window first, with what it deletes later, then the workspace and server.
    void close();
    ~DemoApp() { close(); }

    std::unique_ptr<standin::StandinServer> server;
    std::unique_ptr<Workspace> workspace;
    std::unique_ptr<ShellHarness> shell;
};

} // namespace vantrel::testing
