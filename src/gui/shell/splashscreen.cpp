#include "gui/shell/splashscreen.h"

#include "gui/shell/artwork.h"

#include <QApplication>
#include <QEvent>
#include <QPainter>
#include <QPointer>
#include <QScreen>
#include <QTimer>

SplashScreen *SplashScreen::s_current = nullptr;

SplashScreen *SplashScreen::show(const QImage &prebuilt)
{
    if (s_current)
        return nullptr;
    std::shared_future<QImage> picture;
    if (!prebuilt.isNull() && prebuilt.devicePixelRatio() == qApp->devicePixelRatio()) {
        std::promise<QImage> ready;
        ready.set_value(prebuilt);
        picture = ready.get_future().share();
    } else {
        picture = artwork::splashAhead();
    }
    auto *splash = new SplashScreen(std::move(picture));
    splash->QWidget::show();
    return splash;
}

SplashScreen::SplashScreen(std::shared_future<QImage> picture)
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      m_picture(std::move(picture))
{
    s_current = this;
    setObjectName(QStringLiteral("splash"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(artwork::SplashSize);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
    qApp->installEventFilter(this);
    QTimer::singleShot(DisplayMs, this, &SplashScreen::dismiss);
}

SplashScreen::~SplashScreen()
{
    s_current = nullptr;
}

void SplashScreen::paintEvent(QPaintEvent *)
{
    QPainter(this).drawImage(0, 0, m_picture.get());
}

bool SplashScreen::eventFilter(QObject *, QEvent *event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::MouseButtonPress:
    case QEvent::NonClientAreaMouseButtonPress:
        QTimer::singleShot(0, this, &SplashScreen::dismiss);
        break;
    default:
        break;
    }
    return false;
}

void SplashScreen::dismiss()
{
    qApp->removeEventFilter(this);
    close();
    if (m_mainWindow)
        m_mainWindow->repaint();
}

// Its own moc output, not the library's shared one: the start links this class alone.
#include "moc_splashscreen.cpp"
