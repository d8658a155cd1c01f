#pragma once

#include "gui/market/indexpanelbase.h"

class QLabel;

// Other Market Factors: fifteen world indices, eleven Indian ADRs and the dollar rate.
class WorldPanel : public IndexPanelBase
{
    Q_OBJECT
public:
    WorldPanel(AppContext &context, QWidget *bar, std::function<double()> dollarRate);
    void redisplay() override;

    // "%2.3f" of the rupee-dollar rate.
    static QString formatDollar(double rate);

private:
    std::function<double()> m_dollarRate;
    QLabel *m_dollarValue = nullptr;
};
