#include "gui/ticker/tickerbar.h"

#include "core/ticker/tickertext.h"
#include "core/watch/watchlist.h"
#include "gui/controls/colorbutton.h"
#include "gui/controls/colourlabel.h"
#include "gui/controls/dialogunits.h"
#include "gui/controls/dragbyanypoint.h"
#include "gui/controls/scrollingband.h"
#include "gui/shell/appcontext.h"
#include "gui/shell/panelstyle.h"
#include "platform/shell/usersettings.h"

#include <QGroupBox>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QSlider>

#include <algorithm>

TickerBar::TickerBar(AppContext &context, const IndexBoard &board, const WatchList &list,
                     QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      m_board(board), m_list(list)
{
    setObjectName(QStringLiteral("tickerBar"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Ticker Bar"));
    applyPanelStyle(this);
    new DragByAnyPoint(this);
    buildControls();
    // Top-most at the top edge of the screen, centred, whatever the main bar does.
    if (const QScreen *s = parent ? parent->screen() : QGuiApplication::primaryScreen())
        move(s->geometry().left() + s->geometry().width() / 2 - width() / 2, s->geometry().top());
    m_band->setBackgroundColour(colours::White);
    // The speed the user left the slider at last time, else the starting one.
    int speed = StartSpeed;
    if (context.settings)
        speed = std::clamp(context.settings->tickerSpeed().value_or(StartSpeed), 0, MaxSpeed);
    m_speed->setValue(speed);
    m_band->setSpeed(speed);
    connect(m_speed, &QSlider::valueChanged, this, [&context](int v) {
        if (context.settings)
            context.settings->setTickerSpeed(v);
    });
    rebuildText();
    connect(&context.refresh, &RefreshCycle::replyApplied, this, &TickerBar::rebuildText);
}

void TickerBar::buildControls()
{
    const DialogUnits du;
    setFixedSize(du.size(602, 21));
    auto *box = new QGroupBox(QStringLiteral("Nifty"), this);
    box->setGeometry(du.rect(1, 0, 83, 20));
    m_nifty = new ColourLabel(this);
    m_nifty->setObjectName(QStringLiteral("niftyValue"));
    m_nifty->setGeometry(du.rect(3, 8, 44, 10));
    m_nifty->setAlignment(Qt::AlignCenter);
    QFont f(QStringLiteral("Ticker Font"));
    f.setBold(true);
    m_nifty->setFont(f);
    m_nifty->setTextColour(colours::Blue);
    m_change = new ColourLabel(this);
    m_change->setObjectName(QStringLiteral("niftyChange"));
    m_change->setGeometry(du.rect(51, 9, 32, 8));
    m_change->setAlignment(Qt::AlignCenter);
    m_band = new ScrollingBand(this);
    m_band->setObjectName(QStringLiteral("band"));
    m_band->setGeometry(du.rect(87, 3, 473, 16));
    m_speed = new QSlider(Qt::Horizontal, this);
    m_speed->setObjectName(QStringLiteral("speed"));
    m_speed->setGeometry(du.rect(562, 2, 22, 9));
    // The groove is a couple of dozen pixels: 0 at its left end is a place the thumb can
    // reach, which stops the band.
    m_speed->setRange(0, MaxSpeed);
    m_speed->setValue(StartSpeed);
    m_speed->setToolTip(QStringLiteral("The left end stops the text"));
    auto *speedLabel = new QLabel(QStringLiteral("Speed"), this);
    speedLabel->setGeometry(du.rect(563, 10, 22, 8));
    auto *back = new ColorButton(QStringLiteral("M"), this);
    back->setObjectName(QStringLiteral("backToMainBar"));
    back->setGeometry(du.rect(586, 3, 14, 15));
    back->setToolTip(QStringLiteral("Main bar"));

    // The band takes the speed when the thumb is let go, or at once for keys and clicks.
    connect(m_speed, &QSlider::sliderReleased, this,
            [this] { m_band->setSpeed(m_speed->value()); });
    connect(m_speed, &QSlider::valueChanged, this, [this](int v) {
        if (!m_speed->isSliderDown())
            m_band->setSpeed(v);
    });
    connect(back, &QPushButton::clicked, this, &TickerBar::mainBarWanted);
}

void TickerBar::rebuildText()
{
    const TickerNifty nifty = tickerNifty(m_board.slot(IndexBoard::Nifty));
    m_nifty->setText(QString::fromStdString(nifty.value));
    // Whatever face stands in for "Ticker Font", the value has to fit its box: a font of
    // 18 pixels' line height, smaller where the figure would be cut.
    QFont f = m_nifty->font();
    f.setPixelSize(15);
    while (f.pixelSize() > 8 &&
           QFontMetrics(f).horizontalAdvance(m_nifty->text()) > m_nifty->width())
        f.setPixelSize(f.pixelSize() - 1);
    m_nifty->setFont(f);
    m_change->setText(QString::fromStdString(nifty.change));
    m_change->setTextColour(nifty.changeColour);
    std::vector<StyledSegment> segments;
    for (TickerRun &run : tickerSegments(m_list.stocks()))
        segments.push_back({std::move(run.text), run.colour, run.bold, false, false, {}});
    m_band->setSegments(std::move(segments));
}

void TickerBar::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    paintBorder(p, rect());
}
