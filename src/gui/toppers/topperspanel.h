#pragma once

#include "core/toppers/toppersscan.h"
#include "gui/shell/dockedpanel.h"

#include <QPointer>

#include <array>

class ColorButton;
class QLabel;
class QLineEdit;
class QMenu;
class QRadioButton;
class StockListView;
class ToppersModel;
class ToppersSweep;
class WatchListPanel;

// "Toppers": sweeps every listed company of one exchange at once and lists the day's movers
// within the user's limits, sortable by change, volume and turnover. Made by its button, gone
// by its "X", which is locked, like the rest of the panel's controls, while a sweep is out.
class ToppersPanel : public DockedPanel
{
    Q_OBJECT
public:
    static constexpr const char *Waiting =
        "Data Retrieval is in Progress\n        Please wait ...     ";
    static constexpr const char *Completed = toppersstatus::Completed;

    // Adds from the list go through the watch list while it exists, else to its table.
    ToppersPanel(AppContext &context, QWidget *bar, WatchListPanel *watchList);

    static QString pressText(Exchange exchange);

    Exchange exchange() const;
    StockListView *listView() const { return m_view; }
    ToppersModel *model() const { return m_model; }
    ToppersSweep *sweep() const { return m_sweep; }
    QMenu *menu() const { return m_menu; }
    QString status() const;
    // Live mode only: where the last sweep's prices came from.
    QString priceSource() const;
    // "Add to Watch List" for a row, as the menu does it.
    void addToWatchList(int row);

private:
    void buildControls();
    QWidget *buildSweepControls();
    QWidget *buildFilters();
    ColorButton *addButton(const QString &caption, const char *name, int widthDlu, int heightDlu,
                           void (ToppersPanel::*slot)());
    void chooseExchange(Exchange exchange);
    void readFilters();
    void lock(bool locked);

    void pressGetLatestData();
    void sweepDone();
    void pressExport();
    void showMenu(const QPoint &pos);
    void openChart(int row);

    ToppersScan m_scan;
    ToppersFilters m_filters;
    ToppersSweep *m_sweep = nullptr;
    QPointer<WatchListPanel> m_watchList;
    QRadioButton *m_nse = nullptr;
    QRadioButton *m_bse = nullptr;
    ColorButton *m_get = nullptr;
    ColorButton *m_close = nullptr;
    QLabel *m_status = nullptr;
    QLabel *m_source = nullptr;
    std::array<QLineEdit *, toppersfilter::Count> m_edits{};
    StockListView *m_view = nullptr;
    ToppersModel *m_model = nullptr;
    QMenu *m_menu = nullptr;
    int m_menuRow = -1;
};
