#include "gui/charts/historicalchartpanel.h"

#include "gui/charts/chartbuttons.h"
#include "gui/controls/colorbutton.h"
#include "gui/controls/dialogunits.h"
#include "gui/controls/dragbyanypoint.h"
#include "gui/shell/appcontext.h"
#include "gui/shell/artwork.h"
#include "gui/shell/panelstyle.h"
#include "gui/shell/windowsizekeeper.h"
#include "platform/net/internetsession.h"

#include <QCheckBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>
#include <QScrollArea>

namespace {
constexpr Rgb Selected{255, 0, 0};

bool exclusive(ChartGroup g)
{
    return g == ChartGroup::Type || g == ChartGroup::Scale || g == ChartGroup::Range ||
           g == ChartGroup::Size;
}

const ChartButton *findButton(const char *name)
{
    for (const ChartButton &b : ChartButtons)
        if (qstrcmp(b.name, name) == 0)
            return &b;
    return nullptr;
}
} // namespace

HistoricalChartPanel::HistoricalChartPanel(AppContext &context, QWidget *owner, const QString &name,
                                           const QString &exchange, const QString &symbol)
    : QWidget(owner, Qt::Window | Qt::FramelessWindowHint), m_context(context), m_name(name),
      m_request(symbol.toStdString(), exchange.toStdString()),
      m_imageSession(std::make_unique<InternetSession>(QStringLiteral("Chart Image")))
{
    setObjectName(QStringLiteral("historicalChart"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Historical Chart"));
    applyPanelStyle(this);
    new DragByAnyPoint(this);
    buildControls();
    for (const char *start : {"typeLine", "scaleLinear", "rangeOneDay", "sizeMedium"})
        highlight(*findButton(start), true);
    WindowSizeKeeper::keep(this, context.settings);
    load();
    fetchRange();
}

HistoricalChartPanel::~HistoricalChartPanel() = default;

ColorButton *HistoricalChartPanel::button(const char *name) const
{
    return findChild<ColorButton *>(QString::fromLatin1(name));
}

void HistoricalChartPanel::setImageBounds(int timeoutMs, int deadlineMs)
{
    m_imageSession->setTimeoutMs(timeoutMs);
    m_imageSession->setDeadlineMs(deadlineMs);
}

void HistoricalChartPanel::buildControls()
{
    const DialogUnits du;
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(du.x(3), du.y(3), du.x(3), du.y(3));
    outer->setSpacing(du.y(2));

    auto *top = new QHBoxLayout;
    auto *banner = new QLabel(this);
    banner->setPixmap(artwork::titleBanner(du.size(300, 14), QStringLiteral("Historical Chart")));
    banner->setAttribute(Qt::WA_TransparentForMouseEvents);
    top->addWidget(banner);
    top->addStretch(1);
    auto *close = new ColorButton(QStringLiteral("X"), this);
    close->setObjectName(QStringLiteral("close"));
    close->setFixedSize(du.size(14, 12));
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    top->addWidget(close, 0, Qt::AlignTop);
    outer->addLayout(top);

    QHBoxLayout *row = nullptr;
    auto newRow = [&] {
        row = new QHBoxLayout;
        row->setSpacing(du.x(1));
        outer->addLayout(row);
    };
    auto caption = [&](const char *text) {
        if (row->count() > 0)
            row->addSpacing(du.x(6));
        auto *label = new QLabel(QString::fromLatin1(text), this);
        label->setAttribute(Qt::WA_TransparentForMouseEvents);
        row->addWidget(label);
    };
    auto buttons = [&](ChartGroup group) {
        for (const ChartButton &entry : ChartButtons) {
            if (entry.group != group)
                continue;
            auto *b = new ColorButton(QString::fromLatin1(entry.caption), this);
            b->setObjectName(QString::fromLatin1(entry.name));
            const int textWidth = b->fontMetrics().horizontalAdvance(b->text()) + du.x(6);
            b->setFixedSize(qMax(du.x(18), textWidth), du.y(12));
            connect(b, &QPushButton::clicked, this, [this, &entry] { click(entry); });
            row->addWidget(b);
        }
    };

    newRow();
    caption("Chart Type");
    buttons(ChartGroup::Type);
    caption("Scale");
    buttons(ChartGroup::Scale);
    caption("Size");
    buttons(ChartGroup::Size);
    row->addSpacing(du.x(6));
    m_compare = new QCheckBox(QStringLiteral("With NSE/BSE Chart"), this);
    m_compare->setObjectName(QStringLiteral("compareWithIndices"));
    connect(m_compare, &QCheckBox::clicked, this, [this](bool on) {
        m_request.setCompare(on);
        load();
    });
    row->addWidget(m_compare);
    row->addStretch(1);

    newRow();
    caption("Range");
    buttons(ChartGroup::Range);
    row->addSpacing(du.x(8));
    m_range = new QLabel(QStringLiteral("52 Week Range"), this);
    m_range->setObjectName(QStringLiteral("yearRange"));
    row->addWidget(m_range);
    row->addStretch(1);

    newRow();
    caption("Moving Average");
    // Moving averages first, then the EMA buttons, each under its own caption.
    for (const char *group : {"m", "e"}) {
        if (*group == 'e')
            caption("EMA");
        for (const ChartButton &entry : ChartButtons) {
            if (entry.group != ChartGroup::Average || entry.value[1] != *group)
                continue;
            auto *b = new ColorButton(QString::fromLatin1(entry.caption), this);
            b->setObjectName(QString::fromLatin1(entry.name));
            b->setFixedSize(du.size(18, 12));
            connect(b, &QPushButton::clicked, this, [this, &entry] { click(entry); });
            row->addWidget(b);
        }
    }
    row->addStretch(1);

    newRow();
    caption("Overlays");
    buttons(ChartGroup::Overlay);
    row->addStretch(1);

    newRow();
    caption("Indicators");
    buttons(ChartGroup::Indicator);
    row->addStretch(1);

    m_image = new QLabel(QString::fromLatin1(Loading));
    m_image->setObjectName(QStringLiteral("chartImage"));
    m_image->setAlignment(Qt::AlignCenter);
    m_image->setStyleSheet(QStringLiteral("background: white; color: #404040;"));
    auto *scroll = new QScrollArea(this);
    scroll->setWidget(m_image);
    scroll->setWidgetResizable(true);
    scroll->setMinimumSize(820, 540);
    outer->addWidget(scroll, 1);
}

void HistoricalChartPanel::click(const ChartButton &entry)
{
    switch (entry.group) {
    case ChartGroup::Type:
        m_request.setType(entry.value);
        break;
    case ChartGroup::Scale:
        m_request.setScale(entry.value);
        break;
    case ChartGroup::Range:
        m_request.setRange(entry.value);
        break;
    case ChartGroup::Size:
        m_request.setSize(entry.value);
        break;
    case ChartGroup::Average:
        // Past five averages a click changes nothing, not even the highlight.
        if (!m_request.addAverage(entry.value))
            return;
        break;
    case ChartGroup::Overlay:
        m_request.addOverlay(entry.value);
        break;
    case ChartGroup::Indicator:
        m_request.addIndicator(entry.value);
        break;
    }
    highlight(entry, exclusive(entry.group));
    load();
}

void HistoricalChartPanel::highlight(const ChartButton &entry, bool exclusiveGroup)
{
    if (exclusiveGroup) {
        for (const ChartButton &other : ChartButtons) {
            if (other.group != entry.group)
                continue;
            ColorButton::Colours c = button(other.name)->colours();
            c.text = colours::ButtonText;
            button(other.name)->setColours(c);
        }
    }
    ColorButton::Colours c = button(entry.name)->colours();
    c.text = Selected;
    button(entry.name)->setColours(c);
}

void HistoricalChartPanel::load()
{
    m_chartUrl = QString::fromStdString(m_context.services.chart + m_request.chartPath());
    m_image->setPixmap(QPixmap());
    m_image->setText(QString::fromLatin1(Loading));
    m_imageSession->fetch(m_chartUrl.toStdString(), [this](const FetchResult &result) {
        QPixmap picture;
        if (result.ok && picture.loadFromData(result.body)) {
            m_image->setPixmap(picture);
            emit imageShown(true);
            return;
        }
        m_image->setText(
            result.ok ? QStringLiteral("The chart service sent no picture for %1.")
                            .arg(QString::fromStdString(m_request.requestSymbol()))
                      : QStringLiteral("The chart could not be loaded: %1").arg(result.error));
        emit imageShown(false);
    });
}

void HistoricalChartPanel::fetchRange()
{
    const std::string url = m_context.services.quote + m_request.rangePath();
    fetchOnce(this, QStringLiteral("Other Data"), url, InternetSession::DefaultTimeoutMs,
              [this](const FetchResult &result) {
                  if (!result.ok) {
                      m_context.messenger.inform(RangeFailed);
                      return;
                  }
                  const std::vector<std::string> lines = result.lines();
                  if (!lines.empty())
                      m_range->setText(QString::fromStdString(cleanRangeLine(lines.front())));
                  emit rangeShown();
              });
}

HistoricalChartPanel *openHistoricalChart(AppContext &context, QWidget *owner, const QString &name,
                                          const QString &exchange, const QString &symbol)
{
    auto *panel = new HistoricalChartPanel(context, owner ? owner->window() : nullptr, name,
                                           exchange, symbol);
    // Centred on the screen, each new one a little further down and right, so several stay visible.
    static int cascade = 0;
    const QScreen *screen = owner ? owner->screen() : QGuiApplication::primaryScreen();
    if (screen) {
        const QRect area = screen->availableGeometry();
        const QSize size = panel->sizeHint();
        const int step = 24 * (cascade++ % 6);
        panel->move(area.center() - QPoint(size.width() / 2, size.height() / 2) +
                    QPoint(step, step));
    }
    panel->show();
    return panel;
}
