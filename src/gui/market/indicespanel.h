#pragma once

#include "gui/market/indexpanelbase.h"

// Indian Market Indices: six NSE indices above sixteen BSE indices.
class IndicesPanel : public IndexPanelBase
{
    Q_OBJECT
public:
    IndicesPanel(AppContext &context, QWidget *bar);
};
