#include "core/shell/refreshplan.h"
#include "platform/net/simulatorprocess.h"
#include "platform/shell/refreshcycle.h"
#include "support/recordingmessenger.h"

#include <QSignalSpy>
#include <QTcpSocket>
#include <QTest>

#include <optional>

// The service the program starts beside its windows: started without waiting, with the
// port chosen beforehand, and the refresh that holds its first tick until it is up.
class ServiceProcessTest : public QObject
{
    Q_OBJECT

    // Starts the program in the background and waits for its verdict.
    static std::optional<bool> startAndWait(SimulatorProcess &service, const QString &program,
                                            const QStringList &arguments)
    {
        std::optional<bool> verdict;
        int calls = 0;
        service.startInBackground(
            program, arguments,
            [&](bool ok) {
                verdict = ok;
                ++calls;
            },
            5000);
        if (!QTest::qWaitFor([&] { return verdict.has_value(); }, 10000))
            return std::nullopt;
        QTest::qWait(50);
        return calls == 1 ? verdict : std::nullopt;
    }

private slots:
    void aServiceOnAChosenPortIsReadyWhenItSaysSo()
    {
        const int port = SimulatorProcess::freePort();
        QVERIFY(port > 0);
        SimulatorProcess service;
        const QString sim = SimulatorProcess::locate();
        QVERIFY2(!sim.isEmpty(), "vantrel-sim is built beside the tests");
        QCOMPARE(startAndWait(service, sim,
                              {"--port", QString::number(port), "--always-open", "--seed", "3"}),
                 std::optional<bool>(true));
        QCOMPARE(service.port(), port);
        QTcpSocket socket;
        socket.connectToHost(QStringLiteral("127.0.0.1"), quint16(port));
        QVERIFY(socket.waitForConnected(5000));
        QVERIFY(service.stop());
    }

    void aServiceThatSaysNothingUsableIsAFailureWithItsReason_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("reason");
        QTest::newRow("ends silently")
            << "/bin/sh" << QStringList{"-c", "echo address in use >&2; exit 3"}
            << "did not report its port: address in use";
        QTest::newRow("no port") << "/bin/sh" << QStringList{"-c", "echo ready; sleep 5"}
                                 << "reported no usable port";
        QTest::newRow("missing") << "/nonexistent/vantrel-sim" << QStringList{} << "";
        QTest::newRow("never says")
            << "/bin/sleep" << QStringList{"20"} << "did not report its port";
    }

    void aServiceThatSaysNothingUsableIsAFailureWithItsReason()
    {
        QFETCH(QString, program);
        QFETCH(QStringList, arguments);
        QFETCH(QString, reason);
        SimulatorProcess service;
        QCOMPARE(startAndWait(service, program, arguments), std::optional<bool>(false));
        QVERIFY2(service.errorText().contains(reason), qPrintable(service.errorText()));
        QVERIFY(!service.errorText().isEmpty());
        QVERIFY(!service.running());
    }

    // A start still waiting when the program ends tells nobody.
    void stoppingAWaitingStartCallsNobody()
    {
        bool called = false;
        {
            SimulatorProcess service;
            service.startInBackground(QStringLiteral("/bin/sleep"), {"20"},
                                      [&](bool) { called = true; });
            QTest::qWait(50);
        }
        QTest::qWait(50);
        QVERIFY(!called);
    }

    void theFirstRefreshWaitsForTheService()
    {
        RecordingMessenger messenger;
        QuoteGroupRegistry registry;
        RefreshCycle refresh(registry, messenger);
        refresh.setBaseUrl("http://127.0.0.1:9");
        QSignalSpy started(&refresh, &RefreshCycle::requestStarted);
        refresh.serviceReady(); // ready with no tick waiting sends nothing
        refresh.waitForService();
        refresh.startTimer();
        QTest::qWait(50);
        refresh.start();
        QCOMPARE(started.count(), 0);
        refresh.serviceReady();
        QCOMPARE(started.count(), 1);
        QVERIFY(!refresh.waitingForService());
        refresh.stopTimer();
    }
};

QTEST_GUILESS_MAIN(ServiceProcessTest)
#include "serviceprocess_test.moc"
