#pragma once

#include "core/common/clock.h"
#include "platform/net/simulatorprocess.h"
#include "soakmessenger.h"
#include "soakplan.h"
#include "stallwatch.h"

#include <QObject>
#include <QPointer>
#include <QTemporaryDir>

#include <memory>
#include <set>
#include <string>
#include <vector>

class AppContext;
class LiveChartWindow;
class Program;
class SimStepper;

// One simulated trading day of the whole program against the simulator: the clock of both
// moves one step after every refresh, the views stay open, a toppers sweep runs every ten
// minutes, and what the process holds is measured at the baseline and at the end.
class SoakDay : public QObject
{
    Q_OBJECT
public:
    explicit SoakDay(SoakPlan plan);
    ~SoakDay() override;

    // Starts the simulator, prepares the database and opens every view; false with the reason.
    bool setUp(QString &error);
    const SoakFigures &figures() const { return m_figures; }
    // Refreshes that failed, sweeps that were still out at the next mark, messages shown.
    QString notes() const;

signals:
    void finished();

private:
    void onResult(bool ok);
    void onAdvanced(bool ok);
    void arrive();
    void openLiveChart();
    void sweep();
    void measure(bool atEnd);
    // The hour's figures so far, on the standard error.
    void report() const;

    SoakPlan m_plan;
    QTemporaryDir m_dir;
    SimulatorProcess m_sim;
    SoakMessenger m_messenger;
    FixedClock m_clock;
    std::unique_ptr<AppContext> m_context;
    std::unique_ptr<Program> m_program;
    SimStepper *m_stepper = nullptr;
    QPointer<LiveChartWindow> m_liveChart;
    std::unique_ptr<StallWatch> m_stalls; // from the end of start-up
    int m_seconds;
    bool m_stepping = false;
    bool m_done = false;
    int m_failedRefreshes = 0;
    int m_failedSteps = 0;
    int m_sweeps = 0;
    int m_skippedSweeps = 0;
    int m_panelTurn = 0;
    int m_sweepsStarted = 0;
    long m_baseRssKb = -1;
    long m_baseFds = -1;
    long m_fewestFds = -1; // since the last sweep mark: sockets come and go between refreshes
    std::multiset<std::string> m_baseTargets; // what the descriptors were open on
    std::vector<std::string> m_newTargets;
    std::multiset<std::string> m_baseThreads, m_endThreads; // by name
    SoakFigures m_figures;
};
