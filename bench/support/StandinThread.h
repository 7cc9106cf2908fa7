#pragma once
// The stand-in server on a thread of its own, so that answering the catalog
// and drawing product photos never lands on the main thread a benchmark
// measures.

#include "HttpServer.h"
#include "StandinServer.h"

#include <QObject>
#include <QThread>

#include <functional>

namespace vantrel::bench {

class StandinThread {
public:
    explicit StandinThread(standin::StandinOptions options);
    ~StandinThread();

    bool started() const { return m_started; }
    QString error() const { return m_error; }
    QString base() const { return m_base; }
    // A bearer token for the user, as after a browser sign-in.
    QString issueToken(const QString &user);
    // Runs `work` on the server's thread and waits for it.
    void run(const std::function<void(standin::StandinServer &)> &work);

private:
    QThread m_thread;
    QObject m_context;
    standin::StandinServer *m_server = nullptr;
    bool m_started = false;
    QString m_error;
    QString m_base;
};

// A bare HTTP server answering every request through `handler`, on a thread
// of its own; the handler runs on that thread.
class HttpServerThread {
public:
    explicit HttpServerThread(standin::HttpServer::Handler handler);
    ~HttpServerThread();

    QString base() const { return m_base; }

private:
    QThread m_thread;
    QObject m_context;
    standin::HttpServer *m_server = nullptr;
    QString m_base;
};

// Resident memory of this process in bytes (VmRSS), or -1 when unknown.
qint64 residentBytes();

// Takes "--products=N" (the stand-in catalog's size, at least 1) out of the
// arguments, so the rest can go to Google Benchmark; `fallback` without it.
int takeProductsOption(int &argc, char **argv, int fallback);

} // namespace vantrel::bench
