#include "gui/shell/mainbar.h"

#include "core/net/quoteorigin.h"
#include "gui/controls/colorbutton.h"
#include "gui/controls/dialogunits.h"
#include "gui/controls/dragbyanypoint.h"
#include "gui/shell/aboutbox.h"
#include "gui/shell/appcontext.h"
#include "gui/shell/artwork.h"
#include "gui/shell/indexlistmodel.h"
#include "gui/shell/panelstyle.h"
#include "platform/shell/usersettings.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

namespace {

struct ButtonLayout
{
    const char *name;
    const char *caption;
    int x, y, w, h;
    const char *tip;
    std::optional<PanelButton> opens; // none for "?" and "X"
};

// Positions in dialog units.
const ButtonLayout Buttons[] = {
    {"about", "?", 352, 4, 14, 12, "About", {}},
    {"close", "X", 369, 4, 14, 12, "Close", {}},
    {"watchlist", "Watchlist", 5, 19, 41, 14, "My Watch List", PanelButton::WatchList},
    {"toppers", "Toppers", 47, 19, 41, 14, "Find Market Toppers", PanelButton::Toppers},
    {"indices", "Indices", 89, 19, 41, 14, "Indian Market Indices", PanelButton::Indices},
    {"world", "World", 131, 19, 41, 14, "World Market", PanelButton::World},
    {"liveChart", "Live Chart", 173, 19, 41, 14, "Live CHARTing", PanelButton::LiveChart},
    {"profile", "Profile", 215, 19, 41, 14, "My Profile", PanelButton::Profile},
    {"amiBroker", "AmiBroker", 257, 19, 41, 14, "Fetch Data to AmiBroker", PanelButton::ChartLink},
    {"futures", "Futures", 299, 19, 41, 14, "FUTURE contracts", PanelButton::Futures},
    {"tickerBar", "Ticker Bar", 341, 19, 41, 14, "Ticker Bar", PanelButton::Ticker},
};

} // namespace

MainBar::MainBar(AppContext &context, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      m_context(context)
{
    setObjectName(QStringLiteral("mainBar"));
    setWindowTitle(QStringLiteral("Vantrel"));
    setWindowIcon(artwork::appIcon());
    applyPanelStyle(this);
    new DragByAnyPoint(this);
    buildControls();
    connect(&m_context.refresh, &RefreshCycle::resultArrived, this, &MainBar::onResult);
    connect(&m_context.refresh, &RefreshCycle::replyApplied, this, &MainBar::onReplyApplied);
    m_context.registry.attach(GroupSlot::MainBar, &m_board);
}

MainBar::~MainBar()
{
    m_context.registry.detach(GroupSlot::MainBar, &m_board);
    m_context.refresh.stopTimer();
}

void MainBar::buildControls()
{
    const DialogUnits du;
    // The client area sits inside a one-pixel border of the bar's own.
    m_client = new QWidget(this);
    m_client->setObjectName(QStringLiteral("client"));
    m_client->setGeometry(QRect(QPoint(1, 1), du.size(388, 67)));
    m_client->setToolTip(QStringLiteral("Right Click to reposition Vantrel"));
    setFixedSize(m_client->size() + QSize(2, 2));

    auto *banner = new QLabel(m_client);
    banner->setObjectName(QStringLiteral("banner"));
    banner->setGeometry(du.rect(2, 0, 384, 20));
    banner->setPixmap(artwork::banner(banner->size()));
    banner->setAttribute(Qt::WA_TransparentForMouseEvents);

    const QRect dotRect(du.x(328), du.y(6) + (du.y(8) - 13) / 2, 13, 13);
    m_redDot = new QLabel(m_client);
    m_redDot->setObjectName(QStringLiteral("redDot"));
    m_redDot->setPixmap(artwork::redDot());
    m_redDot->setGeometry(dotRect);
    m_greenDot = new QLabel(m_client);
    m_greenDot->setObjectName(QStringLiteral("greenDot"));
    m_greenDot->setPixmap(artwork::greenDot());
    m_greenDot->setGeometry(dotRect);
    m_greenDot->hide();

    m_liveLine = new QLabel(m_client);
    m_liveLine->setObjectName(QStringLiteral("liveLine"));
    m_liveLine->setGeometry(du.rect(150, 0, 176, 6));
    m_liveLine->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QFont small = m_liveLine->font();
    small.setPixelSize(std::max(7, du.y(6) - 2));
    m_liveLine->setFont(small);
    // Presses still reach the bar (a label ignores them), so it drags from here too.
    m_liveLine->setToolTip(QString::fromLatin1(ItalicsTip));
    m_liveLine->hide();

    m_topBox = new QCheckBox(m_client);
    m_topBox->setObjectName(QStringLiteral("alwaysOnTop"));
    m_topBox->setGeometry(du.rect(340, 6, 9, 8).adjusted(0, -2, 4, 2));
    m_topBox->setChecked(m_alwaysOnTop);
    connect(m_topBox, &QCheckBox::clicked, this, [this](bool on) { setAlwaysOnTop(on); });

    for (const ButtonLayout &entry : Buttons) {
        auto *b = new ColorButton(QString::fromLatin1(entry.caption), m_client);
        b->setObjectName(QString::fromLatin1(entry.name));
        b->setGeometry(du.rect(entry.x, entry.y, entry.w, entry.h));
        b->setToolTip(QString::fromLatin1(entry.tip));
        if (const std::optional<PanelButton> opens = entry.opens)
            connect(b, &QPushButton::clicked, this, [this, opens] { emit panelButton(*opens); });
    }
    connect(button("about"), &QPushButton::clicked, this,
            [this] { AboutBox(serviceLine(m_context), this).exec(); });
    connect(button("close"), &QPushButton::clicked, this, &MainBar::askAndClose);

    m_indexModel = new IndexListModel(m_board, this);
    m_indexList = new StockListView(m_context.messenger, m_client);
    m_indexList->setObjectName(QStringLiteral("indexList"));
    m_indexList->setGeometry(du.rect(2, 34, 383, 32));
    m_indexList->setToolTip(QStringLiteral("Double Click stocks to see their historical chart"));
    m_indexList->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_indexList->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    const auto &widths = IndexBoard::columnWidths();
    m_indexList->setStockModel(m_indexModel, std::vector<int>(widths.begin(), widths.end()));
    m_indexList->verticalHeader()->setDefaultSectionSize(
        (m_indexList->height() - m_indexList->horizontalHeader()->height() - 2) / 2);
    m_indexList->setConnectedCheck([this] { return connected(); });
    connect(m_indexList, &StockListView::rowActivated, this, [this](int row) {
        emit chartRequested(m_indexModel->index(row, 0).data().toString(),
                            m_indexModel->index(row, 1).data().toString(),
                            QString::fromStdString(IndexBoard::chartSymbol(row)));
    });
}

void MainBar::startUp()
{
    // The rows stand from the start, with zeros, before any quote has arrived.
    m_board.updateRows();
    m_indexModel->reload();
    restorePlace();
    show();
    m_context.refresh.startTimer();
    buildTray();
}

bool MainBar::connected() const
{
    return m_context.refresh.connected();
}

ColorButton *MainBar::button(const char *name) const
{
    return findChild<ColorButton *>(QString::fromLatin1(name));
}

void MainBar::onResult(bool ok)
{
    m_redDot->setVisible(!ok);
    m_greenDot->setVisible(ok);
    if (!ok)
        return; // the rows keep the last good values
    m_board.clearRows();
    m_indexModel->reload();
}

void MainBar::onReplyApplied()
{
    // A reply whose indices came without prices is nothing to call a good connection.
    const bool priced = m_board.indicesPriced();
    m_redDot->setVisible(!priced);
    m_greenDot->setVisible(priced);
    m_board.updateRows();
    m_indexModel->reload();
}

void MainBar::setScreenOverride(const ScreenRect &desktop, int taskbarHeight)
{
    m_screenOverride = std::make_pair(desktop, taskbarHeight);
}

void MainBar::place(std::optional<BarPreset> preset)
{
    ScreenRect desktop;
    int taskbar = 0;
    if (m_screenOverride) {
        std::tie(desktop, taskbar) = *m_screenOverride;
    } else if (const QScreen *s = screen()) {
        const QRect g = s->geometry();
        desktop = ScreenRect{g.left(), g.top(), g.left() + g.width(), g.top() + g.height()};
        // The taskbar is whatever the available area lacks, wherever it stands.
        taskbar = g.height() - s->availableGeometry().height();
    }
    ScreenPoint p{x(), y()};
    if (preset)
        p = presetPosition(*preset, desktop, taskbar, width(), height());
    const bool flagWrong = windowFlags().testFlag(Qt::WindowStaysOnTopHint) != m_alwaysOnTop;
    if (flagWrong) {
        const bool wasVisible = isVisible();
        setWindowFlag(Qt::WindowStaysOnTopHint, m_alwaysOnTop);
        if (wasVisible && !m_hiddenInTray)
            show();
    }
    if (preset) {
        m_cornerPoint = QPoint(p.x, p.y); // set first: the move below is no drag
        if (UserSettings *s = m_context.settings)
            s->setBarCorner(static_cast<int>(*preset));
    }
    move(p.x, p.y);
    emit placed(m_alwaysOnTop);
}

void MainBar::restorePlace()
{
    UserSettings *s = m_context.settings;
    if (!s) {
        place(BarPreset::TopCenter);
        return;
    }
    if (const auto top = s->alwaysOnTop()) {
        m_alwaysOnTop = *top;
        m_topBox->setChecked(*top);
    }
    const auto corner = s->barCorner();
    if (corner && *corner >= int(BarPreset::TopLeft) && *corner <= int(BarPreset::BottomCenter)) {
        place(static_cast<BarPreset>(*corner));
        return;
    }
    // A place that lies on no screen any more (a monitor unplugged) falls back to the default.
    const auto at = s->barPosition();
    if (at && QGuiApplication::screenAt(*at + QPoint(width() / 2, height() / 2))) {
        move(*at);
        place(std::nullopt);
        return;
    }
    place(BarPreset::TopCenter);
}

void MainBar::setAlwaysOnTop(bool on)
{
    m_alwaysOnTop = on;
    m_topBox->setChecked(on);
    if (UserSettings *s = m_context.settings)
        s->setAlwaysOnTop(on);
    place(std::nullopt);
}

ScreenRect MainBar::clientRectOnScreen() const
{
    const QPoint tl = m_client->mapToGlobal(QPoint(0, 0));
    return ScreenRect{tl.x(), tl.y(), tl.x() + m_client->width(), tl.y() + m_client->height()};
}

void MainBar::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    paintBorder(p, rect());
}

void MainBar::moveEvent(QMoveEvent *)
{
    // A drag takes the bar out of its corner: from then on its own place is kept.
    if (UserSettings *s = m_context.settings; s && m_cornerPoint != pos()) {
        m_cornerPoint.reset();
        s->setBarPosition(pos());
    }
    emit placed(m_alwaysOnTop);
}

void MainBar::askAndClose()
{
    if (m_context.messenger.ask(CloseQuestion))
        closeNow();
}

void MainBar::closeEvent(QCloseEvent *event)
{
    // A close from the window manager asks first, like the "X" button.
    if (!m_closing && !m_context.messenger.ask(CloseQuestion)) {
        event->ignore();
        return;
    }
    m_closing = true;
    event->accept();
}
