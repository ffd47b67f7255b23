#pragma once

// Qt side of the GIF picture: drawing the current frame and handing a decoded frame to Qt.

#include <QImage>
#include <QRect>

class QPainter;
class TGIFBitmap;
class TJvGIFImage;

// The current frame stretched to `size`, as the picture draws it: opaque where it paints, alpha 0
// where the destination shows through. Null without a current frame or for an empty size.
QImage renderGifFrame(TJvGIFImage& gif, QSize size);

// Draws the current frame stretched into `rect`, leaving its transparent colour unpainted when
// the picture is transparent. Pixel-exact while the painter has no scaling transform.
void drawGif(QPainter& painter, const QRect& rect, TJvGIFImage& gif);

// A decoded frame as an 8-bit indexed image with the bitmap's palette.
QImage gifBitmapToImage(const TGIFBitmap& bitmap);
