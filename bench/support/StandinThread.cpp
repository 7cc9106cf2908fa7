#include "StandinThread.h"

#include <QFile>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace vantrel::bench {

StandinThread::StandinThread(standin::StandinOptions options)
{
    m_context.moveToThread(&m_thread);
    m_thread.start();
    QMetaObject::invokeMethod(
        &m_context,
        [&] {
            // Made on this thread, so its sockets, timers and database live here.
            m_server = new standin::StandinServer;
            m_started = m_server->start(options, &m_error);
            if (m_started) m_base = m_server->baseUrl();
        },
        Qt::BlockingQueuedConnection);
}

StandinThread::~StandinThread()
{
    QMetaObject::invokeMethod(
        &m_context, [this] { delete m_server; }, Qt::BlockingQueuedConnection);
    m_thread.quit();
    m_thread.wait();
}

QString StandinThread::issueToken(const QString &user)
{
    QString token;
    run([&](standin::StandinServer &server) { token = server.issueToken(user); });
    return token;
}

void StandinThread::run(const std::function<void(standin::StandinServer &)> &work)
{
    QMetaObject::invokeMethod(
        &m_context,
        [&] {
            if (m_server) work(*m_server);
        },
        Qt::BlockingQueuedConnection);
}

HttpServerThread::HttpServerThread(standin::HttpServer::Handler handler)
{
    m_context.moveToThread(&m_thread);
    m_thread.start();
    QMetaObject::invokeMethod(
        &m_context,
        [&] {
            m_server = new standin::HttpServer(std::move(handler));
            QString error;
            if (!m_server->listen(QHostAddress(QHostAddress::LocalHost), 0, &error))
                std::fprintf(stderr, "listen: %s\n", qPrintable(error));
            m_base = QStringLiteral("http://127.0.0.1:%1").arg(m_server->port());
        },
        Qt::BlockingQueuedConnection);
}

HttpServerThread::~HttpServerThread()
{
    QMetaObject::invokeMethod(
        &m_context, [this] { delete m_server; }, Qt::BlockingQueuedConnection);
    m_thread.quit();
    m_thread.wait();
}

qint64 residentBytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) return -1;
    for (QByteArray line = status.readLine(); !line.isEmpty(); line = status.readLine()) {
        if (!line.startsWith("VmRSS:")) continue;
        // "VmRSS:     123456 kB"
        const QList<QByteArray> parts = line.simplified().split(' ');
        bool ok = false;
        const qint64 kb = parts.value(1).toLongLong(&ok);
        return ok ? kb * 1024 : -1;
    }
    return -1;
}

int takeProductsOption(int &argc, char **argv, int fallback)
{
    constexpr char option[] = "--products=";
    constexpr std::size_t length = sizeof option - 1;
    int products = fallback;
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], option, length) != 0) continue;
        products = std::max(1, std::atoi(argv[i] + length));
        std::copy(argv + i + 1, argv + argc, argv + i);
        argv[--argc] = nullptr;
        --i;
    }
    return products;
}

} // namespace vantrel::bench
