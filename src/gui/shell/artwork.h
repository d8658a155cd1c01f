#pragma once

#include <QIcon>
#include <QPixmap>

// The program's pictures, drawn rather than shipped: they stay sharp at any size.
namespace artwork {
// The bar's banner: the product name on a grey-to-light-cyan gradient.
QPixmap banner(const QSize &size);
// The splash picture (573 x 267): product name and tagline on the same gradient.
QPixmap splash();
// Connection indicator dots, 13 x 13.
QPixmap redDot();
QPixmap greenDot();
// A panel's title or list caption on the same gradient.
QPixmap titleBanner(const QSize &size, const QString &text);
// The window and tray icon.
QIcon appIcon();

inline constexpr const char *Tagline = "NSE & BSE live market watch on your desktop";
} // namespace artwork
