#pragma once

#include <QColor>
#include <QImage>
#include <QString>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>

// A widget as it paints, in 32-bit RGB.
inline QImage shot(QWidget& widget) {
    return widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

inline std::string rgbText(QRgb c) {
    return std::to_string(qRed(c)) + "," + std::to_string(qGreen(c)) + "," +
           std::to_string(qBlue(c));
}

// Compares one pixel and says where: "pixel 3,4: have R,G,B, want R,G,B".
inline ::testing::AssertionResult pixelIs(const QImage& image, int x, int y, QRgb want) {
    if (x < 0 || y < 0 || x >= image.width() || y >= image.height())
        return ::testing::AssertionFailure() << "pixel " << x << "," << y << " outside the image";
    const QRgb have = image.pixel(x, y) | 0xff000000u;
    if (have == (want | 0xff000000u))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "pixel " << x << "," << y << ": have " << rgbText(have) << ", want " << rgbText(want);
}

// The smallest rectangle holding every pixel for which keep holds; null when none does.
inline QRect boundsWhere(const QImage& image, const QRect& area,
                         const std::function<bool(QRgb)>& keep) {
    QRect bounds;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (keep(image.pixel(x, y)))
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

inline bool isDark(QRgb c) {
    return qRed(c) + qGreen(c) + qBlue(c) < 3 * 110;
}
