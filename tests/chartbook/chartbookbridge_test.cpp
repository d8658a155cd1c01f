#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusInterface>
#include <QDBusReply>
#include <QProcess>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QTest>

namespace {
const QString Service = QStringLiteral("org.vantrel.ChartBridge");
const QString Infy = QStringLiteral("1796469300,1500.00,1502.00,1498.50,1499.00,800*"
                                    "1796469360,1501.00,1503.00,1500.00,1500.00,650*");

// Every stock and bar in the charting program's file, one text per row.
QStringList contents(const QString &file)
{
    QStringList rows;
    {
        QSqlDatabase db =
            QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("peek"));
        db.setDatabaseName(file);
        if (db.open()) {
            QSqlQuery query(db);
            for (const char *sql : {"SELECT SYMBOL FROM STOCKS ORDER BY SYMBOL",
                                    "SELECT SYMBOL, TIME, OPEN, HIGH, LOW, CLOSE, VOLUME FROM BARS "
                                    "ORDER BY SYMBOL, TIME"}) {
                query.exec(QString::fromLatin1(sql));
                while (query.next()) {
                    QStringList fields;
                    for (int k = 0; k < query.record().count(); ++k)
                        fields << query.value(k).toString();
                    rows << fields.join(QLatin1Char(','));
                }
            }
        }
    }
    QSqlDatabase::removeDatabase(QStringLiteral("peek"));
    return rows;
}

QStringList barsOf(const QStringList &rows, const QString &symbol)
{
    return rows.filter(QRegularExpression(QStringLiteral("^%1,\\d+,").arg(symbol)));
}
} // namespace

// vantrel-chartbook as the link sees it on a private session bus: the interface's calls,
// malformed text answered with an error that changes nothing, and bars that outlive a kill -9.
class ChartBookBridgeTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY(m_bus.isConnected());
        QVERIFY(m_root.isValid());
        m_file = m_root.filePath(QStringLiteral("ChartBook.sqlite"));
        start();
    }
    void cleanupTestCase()
    {
        m_program.kill();
        m_program.waitForFinished(30000);
    }

    void callsBuildTheStockListAndBars()
    {
        QVERIFY(ok(call(QStringLiteral("Connect"))));
        // Two stocks fed in turn, then the first again, with the window drawing each change.
        for (const char *feed : {"AAA,10,11,5", "BBB,10,11,5", "AAA,10.5,11,6"})
            QVERIFY(ok(call(QStringLiteral("FeedQuotes"), {QString::fromLatin1(feed)})));
        QVERIFY(
            ok(call(QStringLiteral("SyncStockList"), {QStringLiteral("ACC,INFY,NIFTY,SENSEX,")})));
        // The first cycle carries no stock records, then two cycles feed ACC.
        for (const char *feed :
             {"NIFTY,24550.10,24560.35,0", "NIFTY,24560.35,24561.00,0*ACC,1850.00,1852.40,1200,",
              "NIFTY,24561.00,24559.10,0*ACC,1852.40,1851.00,300,"})
            QVERIFY(ok(call(QStringLiteral("FeedQuotes"), {QString::fromLatin1(feed)})));
        QVERIFY(ok(call(QStringLiteral("BackfillStock"), {QStringLiteral("INFY"), Infy})));

        const QStringList rows = contents(m_file);
        QCOMPARE(rows.mid(0, 4), (QStringList{"ACC", "INFY", "NIFTY", "SENSEX"}));
        QCOMPARE(m_program.state(), QProcess::Running);
        QCOMPARE(barsOf(rows, QStringLiteral("INFY")),
                 (QStringList{"INFY,1796469300,1499,1502,1498.5,1500,800",
                              "INFY,1796469360,1500,1503,1500,1501,650"}));
        // However the cycles fell into minutes, the volume adds up and the last price closes.
        const QStringList acc = barsOf(rows, QStringLiteral("ACC"));
        QVERIFY(!acc.isEmpty() && acc.size() <= 2);
        qlonglong volume = 0;
        for (const QString &bar : acc)
            volume += bar.section(QLatin1Char(','), 6).toLongLong();
        QCOMPARE(volume, 1500);
        QCOMPARE(acc.last().section(QLatin1Char(','), 5, 5), QStringLiteral("1851"));
        QVERIFY(barsOf(rows, QStringLiteral("SENSEX")).isEmpty());
    }

    void malformedTextIsAnErrorAndChangesNothing()
    {
        const QStringList before = contents(m_file);
        const QString newInfyBar = QStringLiteral("1796469420,1502.00,1503.00,1500.00,1501.00,5*");
        const QString megabyte(1024 * 1024, QLatin1Char('7'));
        for (const auto &[method, args] : std::initializer_list<std::pair<QString, QVariantList>>{
                 {QStringLiteral("FeedQuotes"),
                  {QStringLiteral("ACC,1851.00,1855.00,10,*ACC,1,x,0")}},
                 {QStringLiteral("SyncStockList"), {QStringLiteral("ACC,,NIFTY,")}},
                 {QStringLiteral("BackfillStock"),
                  {QStringLiteral("INFY"), newInfyBar + "garbage*"}},
                 {QStringLiteral("BackfillStock"), {QStringLiteral("IN FY"), newInfyBar}},
                 // A megabyte of one line, as a broken chart-data service may send.
                 {QStringLiteral("BackfillStock"),
                  {QStringLiteral("INFY"), newInfyBar + megabyte}}}) {
            QCOMPARE(call(method, args).errorName(),
                     QStringLiteral("org.vantrel.ChartBridge1.Error.MalformedText"));
        }
        QCOMPARE(contents(m_file), before);

        // Far more than a feed cycle is refused at once as too large.
        const QDBusMessage reply = call(QStringLiteral("FeedQuotes"), {megabyte});
        QCOMPARE(reply.errorName(), QStringLiteral("org.vantrel.ChartBridge1.Error.TooLarge"));
        QCOMPARE(contents(m_file), before);
    }

    // Five days of five-minute bars over a day of one-minute bars: where they meet, the bars
    // already kept stay, whichever size came first; elsewhere both are kept.
    void barsOfOneSizeNeverReplaceAnother()
    {
        const qint64 at1030 = 1796428800 + (10 * 60 + 30) * 60;
        const auto line = [](qint64 time, qint64 volume) {
            return QStringLiteral("%1,100.00,101.00,99.00,100.50,%2*").arg(time).arg(volume);
        };
        QString minutes, fives;
        for (int m = -2; m < 5; ++m) // 10:28 to 10:34
            minutes += line(at1030 + m * 60, 12425 + m);
        for (int m = -10; m <= 10; m += 5) // 10:20 to 10:40
            fives += line(at1030 + m * 60, 160367 + m);
        fives = line(at1030 - 86400, 5) + fives; // the day before
        QVERIFY(ok(call(QStringLiteral("BackfillStock"), {QStringLiteral("TCS"), minutes})));
        QVERIFY(ok(call(QStringLiteral("BackfillStock"), {QStringLiteral("TCS"), fives})));
        QVERIFY(ok(call(QStringLiteral("BackfillStock"), {QStringLiteral("TCS"), minutes})));

        QStringList kept;
        for (const QString &bar : barsOf(contents(m_file), QStringLiteral("TCS")))
            kept << QString::number((bar.section(QLatin1Char(','), 1, 1).toLongLong() - at1030) /
                                    60) +
                        ":" + bar.section(QLatin1Char(','), 6, 6);
        QCOMPARE(kept,
                 (QStringList{"-1440:5", "-10:160357", "-2:12423", "-1:12424", "0:12425", "1:12426",
                              "2:12427", "3:12428", "4:12429", "5:160372", "10:160377"}));
        // The other way round: the day's minutes do not break into five-minute bars.
        QVERIFY(
            ok(call(QStringLiteral("BackfillStock"),
                    {QStringLiteral("TCS"), line(at1030 + 6 * 60, 1) + line(at1030 + 7 * 60, 1)})));
        QCOMPARE(barsOf(contents(m_file), QStringLiteral("TCS")).size(), kept.size());
    }

    void barsOutliveAKillAndOnlyARunningProgramAnswers()
    {
        const QStringList before = contents(m_file);
        m_program.kill(); // SIGKILL: no chance to tidy up
        QVERIFY(m_program.waitForFinished(30000));
        QTRY_VERIFY_WITH_TIMEOUT(!m_bus.interface()->isServiceRegistered(Service), 30000);
        QCOMPARE(call(QStringLiteral("Connect")).type(), QDBusMessage::ErrorMessage);
        QCOMPARE(contents(m_file), before);

        start();
        QVERIFY(ok(call(QStringLiteral("Connect"))));
        // A second one cannot take the name away from the first.
        QProcess second;
        second.start(QString::fromLocal8Bit(qgetenv("VANTREL_CHARTBOOK")),
                     {QStringLiteral("--data-dir"), m_root.filePath(QStringLiteral("other"))});
        QVERIFY(second.waitForFinished(60000));
        QVERIFY(second.exitCode() != 0);
        QVERIFY(second.readAllStandardError().contains("org.vantrel.ChartBridge"));

        QCOMPARE(contents(m_file), before);
        QVERIFY(ok(call(QStringLiteral("BackfillStock"), {QStringLiteral("INFY"), QString()})));
        QCOMPARE(contents(m_file), before); // a reply of only header lines adds nothing
        QVERIFY(ok(call(QStringLiteral("DeleteAllStocks"))));
        QVERIFY(contents(m_file).isEmpty());
    }

private:
    void start()
    {
        // The window is shown and painted on the test's X display when it has one.
        if (!qEnvironmentVariableIsEmpty("DISPLAY")) {
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
            m_program.setProcessEnvironment(env);
        }
        m_program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_program.start(QString::fromLocal8Bit(qgetenv("VANTREL_CHARTBOOK")),
                        {QStringLiteral("--data-dir"), m_root.path()});
        QVERIFY(m_program.waitForStarted(30000));
        QTRY_VERIFY_WITH_TIMEOUT(m_bus.interface()->isServiceRegistered(Service), 60000);
    }
    QDBusMessage call(const QString &method, const QVariantList &args = {})
    {
        QDBusMessage message = QDBusMessage::createMethodCall(
            Service, QStringLiteral("/Bridge"), QStringLiteral("org.vantrel.ChartBridge1"), method);
        message.setArguments(args);
        return m_bus.call(message, QDBus::Block, 60000);
    }
    static bool ok(const QDBusMessage &reply)
    {
        if (reply.type() != QDBusMessage::ReplyMessage)
            qWarning() << reply.errorName() << reply.errorMessage();
        return reply.type() == QDBusMessage::ReplyMessage;
    }

    QDBusConnection m_bus = QDBusConnection::sessionBus();
    QTemporaryDir m_root;
    QString m_file;
    QProcess m_program;
};

QTEST_GUILESS_MAIN(ChartBookBridgeTest)
#include "chartbookbridge_test.moc"
