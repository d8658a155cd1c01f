#include "soakday.h"

#include "gui/charts/livechartwindow.h"
#include "gui/shell/appcontext.h"
#include "gui/shell/mainbar.h"
#include "gui/shell/panelhost.h"
#include "gui/shell/program.h"
#include "gui/toppers/topperspanel.h"
#include "platform/store/storeconfig.h"
#include "platform/toppers/topperssweep.h"
#include "procstats.h"
#include "simstepper.h"
#include "soakviews.h"

#include <QAbstractButton>
#include <QSignalSpy>

#include <cstdio>

namespace {
// A Friday of the simulator's calendar.
constexpr int Year = 2026, Month = 12, Day = 4;

std::string join(const std::vector<std::string> &items)
{
    std::string out;
    for (const std::string &item : items)
        out += (out.empty() ? "" : " ") + item;
    return out;
}

LocalTime at(int seconds)
{
    return makeLocalTime(Year, Month, Day, seconds / 3600, seconds / 60 % 60, seconds % 60);
}
} // namespace

SoakDay::SoakDay(SoakPlan plan)
    : m_plan(plan), m_clock(at(plan.startSeconds())), m_seconds(plan.startSeconds())
{
}

SoakDay::~SoakDay()
{
    m_program.reset();
    m_context.reset();
    m_sim.stop();
}

bool SoakDay::setUp(QString &error)
{
    const QString start = QStringLiteral("%1-%2-%3T%4:%5:00")
                              .arg(Year)
                              .arg(Month, 2, 10, QLatin1Char('0'))
                              .arg(Day, 2, 10, QLatin1Char('0'))
                              .arg(m_seconds / 3600, 2, 10, QLatin1Char('0'))
                              .arg(m_seconds / 60 % 60, 2, 10, QLatin1Char('0'));
    // The simulator stands in for servers far away: it yields the processor to the program
    // rather than take it from the event loop on a machine of two cores.
    if (!m_dir.isValid() ||
        !m_sim.start(QStringLiteral("nice"), {"-n", "10", SimulatorProcess::locate(), "--port", "0",
                                              "--seed", "7", "--clock", start})) {
        error = QStringLiteral("the simulator did not start: ") + m_sim.errorText();
        return false;
    }
    ServiceUrls services;
    services.quote = services.chart = services.lookup = services.exchange =
        m_sim.baseUrl().toStdString();
    services.simulated = true;
    m_context = std::make_unique<AppContext>(services, m_messenger, m_clock);
    m_context->dataRoot = m_dir.filePath(QStringLiteral("data"));
    const StoreConfig store =
        resolveStoreConfig({}, m_dir.filePath(QStringLiteral("CompanyList.sqlite")), {});
    if (const StoreStatus opened = m_context->database.open(store); !opened) {
        error = QString::fromStdString(opened.error());
        return false;
    }
    if (!soakviews::seed(m_context->database, error))
        return false;

    m_stepper = new SimStepper(m_sim.port(), this);
    connect(m_stepper, &SimStepper::advanced, this, &SoakDay::onAdvanced);
    connect(&m_context->refresh, &RefreshCycle::resultArrived, this, &SoakDay::onResult);
    m_context->refresh.setPeriodMs(SoakPlan::RefreshPeriodMs);
    m_program = std::make_unique<Program>(*m_context);
    m_program->start();
    if (!soakviews::open(*m_program)) {
        error = QStringLiteral("a window of the program never came on screen");
        return false;
    }
    // Start-up ends with the first refresh that finds every view open; the panels then know
    // they are connected, so the first sweep can go out.
    if (!QSignalSpy(&m_context->refresh, &RefreshCycle::resultArrived).wait(60000)) {
        error = QStringLiteral("no refresh came back");
        return false;
    }
    ToppersPanel *toppers = soakviews::toppers(*m_program);
    connect(toppers->sweep(), &ToppersSweep::finished, this, [this] { ++m_sweeps; });
    m_stalls = std::make_unique<StallWatch>([this] {
        return QStringLiteral("%1:%2")
            .arg(m_seconds / 3600, 2, 10, QLatin1Char('0'))
            .arg(m_seconds / 60 % 60, 2, 10, QLatin1Char('0'));
    });
    sweep();
    return true;
}

void SoakDay::onResult(bool ok)
{
    ++(ok ? m_figures.refreshes : m_failedRefreshes);
    // One step of the clocks per refresh once started; a refresh that came while the step was
    // out saw the same moment again.
    if (!m_stalls || m_stepping || m_done)
        return;
    m_stepping = true;
    m_stepper->advance(SoakPlan::StepSeconds);
}

void SoakDay::onAdvanced(bool ok)
{
    m_stepping = false;
    if (!ok) {
        ++m_failedSteps;
        return;
    }
    m_seconds += SoakPlan::StepSeconds;
    m_clock.set(at(m_seconds));
    arrive();
}

void SoakDay::arrive()
{
    const long fds = procstats::ownDescriptors();
    m_fewestFds = m_fewestFds < 0 ? fds : std::min(m_fewestFds, fds);
    if (!m_liveChart && m_seconds >= SoakPlan::LiveChartAt)
        openLiveChart();
    // The chart's own rate in simulated time: one redraw a step.
    if (m_liveChart)
        m_liveChart->tick();
    if (m_seconds == m_plan.baselineSeconds())
        measure(false);
    if (m_seconds >= m_plan.endSeconds()) {
        measure(true);
        return;
    }
    if (m_plan.sweepAt(m_seconds)) {
        if ((m_seconds - m_plan.startSeconds()) % 3600 == 0)
            report();
        m_fewestFds = -1;
        soakviews::showNextPanel(*m_program, ++m_panelTurn);
        sweep();
    }
}

void SoakDay::report() const
{
    std::fprintf(stderr,
                 "soak: %02d:%02d refreshes %d rss_mb %.1f fds %ld max_stall_ms %lld "
                 "max_own_stall_ms %lld\n",
                 m_seconds / 3600, m_seconds / 60 % 60, m_figures.refreshes,
                 double(procstats::residentKb()) / 1024.0, m_fewestFds, m_stalls->maxStallMs(),
                 m_stalls->maxOwnStallMs());
}

void SoakDay::openLiveChart()
{
    m_program->panels().pressLiveChart();
    m_liveChart = m_program->bar().findChild<LiveChartWindow *>();
    // Asked again at the next step when it did not open.
}

void SoakDay::sweep()
{
    ToppersPanel *panel = soakviews::toppers(*m_program);
    if (!panel)
        return;
    if (panel->sweep()->running()) {
        ++m_skippedSweeps;
        return;
    }
    // NSE and BSE in turn.
    const char *exchange = m_sweepsStarted++ % 2 ? "exchangeBse" : "exchangeNse";
    panel->findChild<QAbstractButton *>(QLatin1String(exchange))->click();
    panel->findChild<QAbstractButton *>(QStringLiteral("getLatestData"))->click();
}

void SoakDay::measure(bool atEnd)
{
    const long rss = procstats::residentKb();
    if (!atEnd) {
        m_baseRssKb = rss;
        m_baseFds = m_fewestFds;
        m_baseTargets = procstats::descriptorTargets();
        m_baseThreads = procstats::threadNames();
        return;
    }
    m_done = true;
    m_context->refresh.stopTimer();
    m_figures.rssGrowthMb = double(rss - m_baseRssKb) / 1024.0;
    m_figures.maxStallMs = m_stalls ? m_stalls->maxStallMs() : 0;
    m_figures.maxOwnStallMs = m_stalls ? m_stalls->maxOwnStallMs() : 0;
    m_figures.fdsGrowth = m_fewestFds - m_baseFds;
    m_newTargets.clear();
    m_endThreads = procstats::threadNames();
    for (const std::string &target : procstats::descriptorTargets()) {
        const auto seen = m_baseTargets.find(target);
        if (seen == m_baseTargets.end())
            m_newTargets.push_back(target);
        else
            m_baseTargets.erase(seen);
    }
    emit finished();
}

QString SoakDay::notes() const
{
    return QStringLiteral("soak: %1 refreshes failed, %2 clock steps failed, %3 sweeps done, %4 "
                          "skipped while the one before was out, %5 messages shown, live chart %6")
               .arg(m_failedRefreshes)
               .arg(m_failedSteps)
               .arg(m_sweeps)
               .arg(m_skippedSweeps)
               .arg(m_messenger.count())
               .arg(m_liveChart ? QStringLiteral("open") : QStringLiteral("never opened")) +
           (m_stalls && !m_stalls->worstAt().isEmpty()
                ? QStringLiteral("\nsoak: the longest stall of the program's own came at ") +
                      m_stalls->worstAt()
                : QString()) +
           (m_figures.fdsGrowth > 0
                ? QStringLiteral("\nsoak: open at the end, not at the baseline: ") +
                      QString::fromStdString(join(m_newTargets)) +
                      QStringLiteral("\nsoak: threads at the baseline: ") +
                      QString::fromStdString(join({m_baseThreads.begin(), m_baseThreads.end()})) +
                      QStringLiteral("; at the end: ") +
                      QString::fromStdString(join({m_endThreads.begin(), m_endThreads.end()}))
                : QString());
}
