#pragma once

#include "core/futures/futuresboard.h"
#include "gui/shell/dockedpanel.h"

#include <array>
#include <vector>

class ColorButton;
class ContractListModel;
class FuturesDownload;
class QLabel;
class QListWidget;
class StockListView;
class TradeStatsModel;

// "Futures": the three running contract months of up to 25 chosen stocks and the day's trade
// statistics, read from the exchange's pages when the user asks for them. The pages come in
// while the rest of the program goes on; the panel's buttons wait for the last one.
class FuturesPanel : public DockedPanel
{
    Q_OBJECT
public:
    static constexpr const char *Waiting = "WAIT...Retrieving Data...";

    FuturesPanel(AppContext &context, QWidget *bar);
    ~FuturesPanel() override;

    const FuturesBoard &board() const { return m_board; }
    bool fetching() const;
    void setFetchTimeoutMs(int ms);
    void setFetchDeadlineMs(int ms);

    QListWidget *choiceList() const { return m_choices; }
    StockListView *contractList(int month) const { return m_views[std::size_t(month)]; }
    StockListView *statsList() const { return m_statsView; }

signals:
    // A "Get Latest Data" has ended and its messages were shown.
    void fetchFinished();

private:
    QLayout *buildChoices();
    QLayout *buildStatistics();
    QLayout *buildMonth(int month);
    ColorButton *addButton(const QString &caption, const char *name, int widthDlu,
                           void (FuturesPanel::*slot)());
    void fillLists();
    void lock(bool on);

    void pressAdd();
    void pressGetLatestData();
    void pressDelete();
    void fetched(const QStringList &messages);

    FuturesBoard m_board;
    FuturesDownload *m_download = nullptr;
    QListWidget *m_choices = nullptr;
    QLabel *m_wait = nullptr;
    QLabel *m_heading = nullptr;
    TradeStatsModel *m_statsModel = nullptr;
    StockListView *m_statsView = nullptr;
    std::array<ContractListModel *, 3> m_models{};
    std::array<StockListView *, 3> m_views{};
    std::array<QLabel *, 3> m_expiry{};
    std::vector<ColorButton *> m_locked; // every button but "X" waits for the last page
};
