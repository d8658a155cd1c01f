#include "gui/market/worldpanel.h"

#include "core/net/quotecells.h"
#include "gui/market/marketindexmodel.h"
#include "gui/shell/appcontext.h"

#include <QHBoxLayout>
#include <QLabel>

namespace {
QFont myFont(int pixels, bool underline)
{
    // The face the panel asks for does not exist anywhere; the system substitutes one.
    QFont f(QStringLiteral("MyFont"));
    f.setPixelSize(pixels);
    f.setBold(true);
    f.setUnderline(underline);
    return f;
}

QLabel *blueLabel(QWidget *parent, const QString &text, const QFont &font, const char *name)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setFont(font);
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, QColor(0, 0, 255));
    label->setPalette(pal);
    return label;
}
} // namespace

WorldPanel::WorldPanel(AppContext &context, QWidget *bar,
                       std::function<std::optional<double>()> dollarRate)
    : IndexPanelBase(context, bar, 330, QStringLiteral("Other Market Factors"), "close",
                     std::vector<NamedSymbol>(indextables::World.begin(), indextables::World.end()),
                     std::vector<NamedSymbol>(indextables::Adr.begin(), indextables::Adr.end()),
                     true),
      m_dollarRate(std::move(dollarRate))
{
    setObjectName(QStringLiteral("worldPanel"));
    StockListView *list = nullptr;
    MarketIndexModel *model = nullptr;
    addList(QStringLiteral("World Market"), list, model, 15, "worldMarket");
    addList(QStringLiteral("Indian ADRs"), list, model, 11, "indianAdrs");

    auto *dollar = new QHBoxLayout;
    dollar->addWidget(
        blueLabel(client(), QStringLiteral("Dollar Rate"), myFont(18, true), "dollarCaption"));
    dollar->addSpacing(20);
    dollar->addWidget(
        blueLabel(client(), QStringLiteral("1 USD  =  Rs "), myFont(24, false), "dollarUnit"));
    m_dollarValue = blueLabel(client(), QString(), myFont(24, false), "dollarValue");
    dollar->addWidget(m_dollarValue);
    dollar->addStretch(1);
    layout()->addLayout(dollar);
    fitHeightToContents();
    attachTo(static_cast<int>(GroupSlot::World));
    redisplay();
}

void WorldPanel::redisplay()
{
    IndexPanelBase::redisplay();
    m_dollarValue->setText(formatDollar(m_dollarRate ? m_dollarRate() : 0));
}

QString WorldPanel::formatDollar(std::optional<double> rate)
{
    if (!rate)
        return QLatin1String(NotAvailableText);
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%2.3f", *rate);
    return QString::fromLatin1(buffer);
}
