#include "gui/shell/artwork.h"
#include "core/common/version.h"

#include "gui/shell/panelstyle.h"

#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace {

void paintGradient(QPainter &p, const QRect &r)
{
    QLinearGradient g(r.topLeft(), r.topRight());
    g.setColorAt(0, QColor(150, 150, 150));
    g.setColorAt(0.55, QColor(190, 225, 235));
    g.setColorAt(1, QColor(213, 247, 255));
    p.fillRect(r, g);
}

// A small rising price line, the product's mark.
void paintMark(QPainter &p, const QRectF &r)
{
    QPainterPath path;
    path.moveTo(r.left(), r.bottom());
    path.lineTo(r.left() + r.width() * 0.3, r.top() + r.height() * 0.55);
    path.lineTo(r.left() + r.width() * 0.55, r.top() + r.height() * 0.75);
    path.lineTo(r.right(), r.top());
    p.setPen(QPen(QColor(0, 128, 0), qMax(1.5, r.height() / 8), Qt::SolidLine, Qt::RoundCap,
                  Qt::RoundJoin));
    p.drawPath(path);
}

// A picture of the given size in window pixels, with as many pixels behind it as the screen
// has, so it stays sharp when the windows are scaled.
QPixmap canvas(const QSize &size)
{
    const qreal ratio = qGuiApp ? qGuiApp->devicePixelRatio() : 1.0;
    QPixmap pm(size * ratio);
    pm.setDevicePixelRatio(ratio);
    return pm;
}

QPixmap dot(const QColor &colour)
{
    QPixmap pm = canvas(QSize(13, 13));
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient g(QPointF(4.5, 4.5), 7);
    g.setColorAt(0, colour.lighter(170));
    g.setColorAt(1, colour);
    p.setBrush(g);
    p.setPen(colour.darker(150));
    p.drawEllipse(QRectF(0.5, 0.5, 12, 12));
    return pm;
}

} // namespace

namespace artwork {

QPixmap banner(const QSize &size)
{
    QPixmap pm = canvas(size);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    paintGradient(p, QRect(QPoint(), size));
    const int h = size.height();
    paintMark(p, QRectF(6, h * 0.2, h * 0.9, h * 0.6));
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setBold(true);
    f.setPixelSize(qMax(8, h * 6 / 10));
    f.setLetterSpacing(QFont::AbsoluteSpacing, 2);
    p.setFont(f);
    p.setPen(QColor(20, 40, 90));
    p.drawText(QRect(h + 10, 0, size.width() / 2, h), Qt::AlignVCenter | Qt::AlignLeft,
               QStringLiteral("VANTREL"));
    return pm;
}

QImage splashImage(qreal ratio)
{
    const QRect area(QPoint(), SplashSize);
    QImage image(SplashSize * ratio, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    paintGradient(p, area);
    paintBorder(p, area, QColor(90, 110, 120));
    paintMark(p, QRectF(40, 70, 90, 70));
    QFont title(QStringLiteral("DejaVu Sans"));
    title.setBold(true);
    title.setPixelSize(58);
    p.setFont(title);
    p.setPen(QColor(20, 40, 90));
    p.drawText(QRect(150, 55, 400, 90), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Vantrel"));
    QFont tag(QStringLiteral("DejaVu Sans"));
    tag.setPixelSize(17);
    p.setFont(tag);
    p.drawText(QRect(40, 165, 500, 30), Qt::AlignLeft | Qt::AlignVCenter,
               QString::fromLatin1(Tagline));
    QFont small(QStringLiteral("DejaVu Sans"));
    small.setPixelSize(12);
    p.setFont(small);
    p.setPen(QColor(60, 70, 80));
    p.drawText(QRect(40, 220, 500, 24), Qt::AlignLeft | Qt::AlignVCenter,
               QString::fromLatin1(vantrel::ProductName));
    p.end();
    return image;
}

std::shared_future<QImage> splashAhead()
{
    const qreal ratio = qGuiApp ? qGuiApp->devicePixelRatio() : 1.0;
    return std::async(std::launch::async, [ratio] { return splashImage(ratio); }).share();
}

QPixmap titleBanner(const QSize &size, const QString &text)
{
    const QRect area(QPoint(), size);
    QPixmap pm = canvas(size);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    paintGradient(p, area);
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setBold(true);
    f.setPixelSize(qMax(8, size.height() * 6 / 10));
    p.setFont(f);
    p.setPen(QColor(20, 40, 90));
    p.drawText(area.adjusted(8, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft, text);
    return pm;
}

QPixmap redDot()
{
    return dot(QColor(220, 0, 0));
}

QPixmap greenDot()
{
    return dot(QColor(0, 170, 0));
}

QIcon appIcon()
{
    QIcon icon;
    // The larger sizes serve scaled screens.
    for (int s : {16, 32, 48, 64, 96}) {
        QPixmap pm(s, s);
        pm.fill(QColor(213, 247, 255));
        QPainter p(&pm);
        p.setRenderHint(QPainter::Antialiasing);
        paintBorder(p, pm.rect(), QColor(20, 40, 90));
        paintMark(p, QRectF(s * 0.15, s * 0.2, s * 0.7, s * 0.6));
        icon.addPixmap(pm);
    }
    return icon;
}

} // namespace artwork
