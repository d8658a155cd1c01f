#include "core/watch/watchrefresh.h"

#include "core/common/markethours.h"
#include "core/watch/datalogger.h"
#include "core/watch/watchalerts.h"

WatchRefreshReport refreshWatchList(WatchList &list, const IndexBoard &board, DataLogger &logger,
                                    const Clock &clock)
{
    WatchRefreshReport report;
    const auto note = [&report, &logger](const char *writer, std::string problem) {
        problem = logger.said().filter(writer, std::move(problem));
        if (!problem.empty())
            report.problems.push_back(std::move(problem));
    };
    const WatchSwitches &on = list.switches();
    list.startRefresh();
    const bool open = markethours::Logging.contains(clock.now());
    if (!open)
        note("eod", logger.writeEndOfDay(list, board));
    if (on.liveData && open)
        note("live", logger.writeLive(list.stocks(), board));
    if (on.intraday && open) {
        // A failed index writer does not stop the stocks.
        note("index intraday", logger.writeIndexIntraday(board));
        note("stock intraday", logger.writeStockIntraday(list.stocks()));
    }
    list.takePrevious();
    if (on.alertsPopUp) {
        report.alert = evaluateAlerts(list.stocks(), on.myConfigured, clock.now());
        report.notices = alertNotices(list.stocks(), on.myConfigured);
    }
    return report;
}
