#pragma once

#include "gui/shell/artwork.h"

#include <QImage>

// The splash picture as drawn when the program was built, for a screen of ratio one.
extern const unsigned char PrebuiltSplashPixels[];

inline QImage prebuiltSplash()
{
    return QImage(PrebuiltSplashPixels, artwork::SplashSize.width(), artwork::SplashSize.height(),
                  QImage::Format_RGB32);
}
