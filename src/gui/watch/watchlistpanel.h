#pragma once

#include "core/common/datafiles.h"
#include "core/watch/datalogger.h"
#include "core/watch/watchlist.h"
#include "core/watch/watchlistsink.h"
#include "core/watch/watchrefresh.h"
#include "gui/shell/dockedpanel.h"

#include <functional>
#include <optional>

class ColorButton;
class MainBar;
class QCheckBox;
class StockListView;
class WatchListModel;

// The watch list: up to fifty stocks with live quotes, coloured against their alert limits
// and the day's and year's range. Made hidden at start-up and alive for the whole run, it
// rides on every main refresh, shown or not, and each refresh drives the data files and
// the price alerts.
class WatchListPanel : public DockedPanel, public WatchListSink
{
    Q_OBJECT
public:
    // "Search Company to Watch": lets the user pick a stock and adds it here.
    using CompanyChooser = std::function<void(QWidget *parent)>;

    WatchListPanel(AppContext &context, MainBar &bar);
    ~WatchListPanel() override;

    void setCompanyChooser(CompanyChooser chooser) { m_chooser = std::move(chooser); }
    // Whether the AmiBroker feed is started; Add, Delete and sorting wait for it to stop.
    void setFeedingCheck(std::function<bool()> feeding) { m_feeding = std::move(feeding); }

    // "Add entry": from the Add button, the search dialog's new listings and the toppers.
    AddOutcome addEntry(const WatchRow &row) override;
    // Rebuilds the rows, writes the data files, evaluates the alerts.
    void refresh();

    // Both "Intraday" and "LiveData", which live charting needs.
    bool liveChartSwitchesOn() const;

    WatchList &list() { return m_list; }
    StockListView *listView() const { return m_view; }
    WatchListModel *model() const { return m_model; }

signals:
    void refreshed();

private:
    void buildControls();
    QCheckBox *addSwitch(const QString &text, const char *name, bool on, bool refreshes);
    ColorButton *addButton(const QString &caption, const char *name, int widthDlu,
                           void (WatchListPanel::*slot)());
    void readSwitches();
    bool feeding() const { return m_feeding && m_feeding(); }
    std::vector<int> selectedRows() const;
    void updateModel();
    void tell(const WatchRefreshReport &report);
    void showReport(const WatchRefreshReport &report);

    void pressAdd();
    void pressDelete();
    void pressSetAlert();
    void pressExport();
    void pressHelp();
    void pressClose();
    void sortBy(int column);
    void openChart(int row);

    MainBar &m_bar;
    DataLogger m_logger;
    WatchList m_list;
    CompanyChooser m_chooser;
    std::function<bool()> m_feeding;
    StockListView *m_view = nullptr;
    WatchListModel *m_model = nullptr;
    QCheckBox *m_alertsPopUp = nullptr;
    QCheckBox *m_myConfigured = nullptr;
    QCheckBox *m_dayHighLow = nullptr;
    QCheckBox *m_yearHighLow = nullptr;
    QCheckBox *m_intraday = nullptr;
    QCheckBox *m_liveData = nullptr;
    bool m_telling = false;
};
