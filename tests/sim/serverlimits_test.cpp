#include "growingpool.h"
#include "support/testsim.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <string>
#include <vector>

namespace {
int connectTo(int port)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    const timeval wait{10, 0};
    ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &wait, sizeof wait);
    if (::connect(fd, reinterpret_cast<const sockaddr *>(&address), sizeof address) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

// Sends the bytes exactly as written on a connection of their own and reads until the server
// closes it: the reply's status, or 0 when no whole status line came.
int rawStatus(int port, const std::string &request)
{
    const int fd = connectTo(port);
    if (fd < 0)
        return 0;
    ::send(fd, request.data(), request.size(), MSG_NOSIGNAL);
    std::string reply;
    char buffer[4096];
    for (ssize_t n; (n = ::recv(fd, buffer, sizeof buffer, 0)) > 0;)
        reply.append(buffer, std::size_t(n));
    ::close(fd);
    return reply.rfind("HTTP/1.1 ", 0) == 0 ? std::atoi(reply.c_str() + 9) : 0;
}

int threadsOf(qint64 pid)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("Threads:"))
            return line.mid(8).trimmed().toInt();
    return -1;
}
} // namespace

// The HTTP server the simulator and the gateway share, as outside clients can reach it: raw
// requests over real sockets to the real programs.
class ServerLimitsTest : public QObject
{
    Q_OBJECT
    TestSim sim;
    SimulatorProcess gateway;
    QTemporaryDir gatewayHome;

private slots:
    void initTestCase()
    {
        QVERIFY2(sim.startWith(), qPrintable(sim.errorText()));
        // Sources nobody answers on: the routes under test never reach them.
        const QString nowhere = QStringLiteral("http://127.0.0.1:9");
        QVERIFY2(gateway.start(
                     SimulatorProcess::locate(QStringLiteral("vantrel-gateway"), "VANTREL_GATEWAY"),
                     {"--port", "0", "--data-dir", gatewayHome.path(), "--chart-url", nowhere,
                      "--batch-url", nowhere, "--crumb-page-url", nowhere, "--nse-url", nowhere,
                      "--bse-url", nowhere}),
                 qPrintable(gateway.errorText()));
    }

    // A body length two readers could take differently is refused before anything reads it;
    // a plain one goes on to the routes (404 here).
    void bodyLengthsOfMoreThanOneReadingAre400()
    {
        struct Case
        {
            const char *headers;
            int status;
            bool posted = true; // a POST that may have a body waits for it
        };
        const std::vector<Case> cases{
            {"", 404, false},
            {"Content-Length: 0\r\nContent-Length: 0\r\n", 404},
            {"Content-Length: 65536\r\n", 404, false},
            {"Content-Length: 5\r\nContent-Length: 6\r\n", 400},
            {"Content-Length: 0\r\ncontent-length: 7\r\n", 400},
            {"Content-Length: +5\r\n", 400},
            {"Content-Length: 5 5\r\n", 400},
            {"Content-Length: 65537\r\n", 400},
            {"Content-Length: 18446744073709551621\r\n", 400},
            {"Content-Length: 3\r\nTransfer-Encoding: chunked\r\n", 400},
        };
        for (const int port : {sim.port(), gateway.port()})
            for (const char *method : {"GET", "POST"})
                for (const Case &c : cases) {
                    if (method == std::string("POST") && !c.posted)
                        continue;
                    const std::string request = std::string(method) +
                                                " /nowhere HTTP/1.1\r\nHost: 127.0.0.1\r\n" +
                                                c.headers + "\r\n";
                    QVERIFY2(rawStatus(port, request) == c.status,
                             qPrintable(QStringLiteral("%1 on port %2: %3")
                                            .arg(method)
                                            .arg(port)
                                            .arg(QString::fromLatin1(c.headers).simplified())));
                }
    }

    // Many clients at once that never finish their requests: workers are added up to the
    // limit, not beyond, and once the clients leave the pool falls back to its idle few.
    void aBurstOfConnectionsLeavesNoCrowdOfWorkers()
    {
        const qint64 pid = sim.processId();
        const GrowingPool::Limits limits;
        const int before = threadsOf(pid); // may count idle workers of earlier requests
        QVERIFY(before > 0);

        std::vector<int> held;
        for (std::size_t i = 0; i < limits.maxThreads + 60; ++i) {
            const int fd = connectTo(sim.port());
            QVERIFY(fd >= 0);
            held.push_back(fd);
            const std::string half = "GET /d/quotes.csv?s=INFY.NS HTTP/1.1\r\nHost: 1";
            ::send(fd, half.data(), half.size(), MSG_NOSIGNAL);
        }
        QTRY_VERIFY_WITH_TIMEOUT(threadsOf(pid) >= int(limits.maxThreads), 20000);
        QVERIFY(threadsOf(pid) <= before + int(limits.maxThreads));
        for (const int fd : held)
            ::close(fd);

        QTRY_VERIFY_WITH_TIMEOUT(threadsOf(pid) <= before + int(limits.keptIdle), 30000);
        QCOMPARE(rawStatus(sim.port(), "GET /nowhere HTTP/1.1\r\nHost: 1\r\n\r\n"), 404);
    }
};

QTEST_GUILESS_MAIN(ServerLimitsTest)
#include "serverlimits_test.moc"
