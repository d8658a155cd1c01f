#pragma once

#include "core/charts/chartrequest.h"

#include <QPointer>
#include <QWidget>

class AppContext;
struct ChartButton;
class ColorButton;
class InternetSession;
class QCheckBox;
class QLabel;

// A chart image of one stock or index from the chart service, with the option buttons that
// rebuild its request, and the 52-week range from the quote service. Several may be open;
// each is dragged by any free point and goes with its "X".
class HistoricalChartPanel : public QWidget
{
    Q_OBJECT
public:
    static constexpr const char *Loading = "Loading the chart...";
    static constexpr const char *RangeFailed = "Internet Problem";

    HistoricalChartPanel(AppContext &context, QWidget *owner, const QString &name,
                         const QString &exchange, const QString &symbol);
    ~HistoricalChartPanel() override;

    const ChartRequest &request() const { return m_request; }
    QString name() const { return m_name; }
    QString chartUrl() const { return m_chartUrl; }
    ColorButton *button(const char *name) const;
    // Bounds of the image fetches from here on: silence, and the whole transfer.
    void setImageBounds(int timeoutMs, int deadlineMs);

signals:
    void imageShown(bool loaded);
    void rangeShown();

private:
    void buildControls();
    void click(const ChartButton &entry);
    void highlight(const ChartButton &entry, bool exclusive);
    void load();
    void fetchRange();

    AppContext &m_context;
    QString m_name;
    ChartRequest m_request;
    QString m_chartUrl;
    QLabel *m_image = nullptr;
    QLabel *m_range = nullptr;
    QCheckBox *m_compare = nullptr;
    std::unique_ptr<InternetSession> m_imageSession;
};

// Opens a new chart panel for a row of a quote list; the owner's window owns it.
HistoricalChartPanel *openHistoricalChart(AppContext &context, QWidget *owner, const QString &name,
                                          const QString &exchange, const QString &symbol);
