#pragma once

#include <QIcon>
#include <QImage>
#include <QPixmap>

#include <future>

// The program's pictures, drawn rather than shipped: they stay sharp at any size.
namespace artwork {
// The bar's banner: the product name on a grey-to-light-cyan gradient.
QPixmap banner(const QSize &size);
// The splash picture: product name and tagline on the same gradient. Drawn on a thread of its
// own, so that its first use of the fonts overlaps the making of its window.
inline constexpr QSize SplashSize(573, 267);
QImage splashImage(qreal ratio);
std::shared_future<QImage> splashAhead();
// Connection indicator dots, 13 x 13.
QPixmap redDot();
QPixmap greenDot();
// A panel's title or list caption on the same gradient.
QPixmap titleBanner(const QSize &size, const QString &text);
// The window and tray icon.
QIcon appIcon();

inline constexpr const char *Tagline = "NSE & BSE live market watch on your desktop";
} // namespace artwork
