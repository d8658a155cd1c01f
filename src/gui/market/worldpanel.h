#pragma once

#include "gui/market/indexpanelbase.h"

#include <functional>
#include <optional>

class QLabel;

// Other Market Factors: fifteen world indices, eleven Indian ADRs and the dollar rate.
class WorldPanel : public IndexPanelBase
{
    Q_OBJECT
public:
    // The dollar rate is empty when its quote came without a number.
    WorldPanel(AppContext &context, QWidget *bar,
               std::function<std::optional<double>()> dollarRate);
    void redisplay() override;

    // "%2.3f" of the rupee-dollar rate.
    static QString formatDollar(std::optional<double> rate);

private:
    std::function<std::optional<double>()> m_dollarRate;
    QLabel *m_dollarValue = nullptr;
};
