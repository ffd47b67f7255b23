#pragma once

#include "colorsetting.h"

#include <QColor>
#include <QPalette>

class QApplication;

namespace platform {

// The one fixed light classic scheme every role is painted with, whatever the desktop theme
// says, so that yellow and white candidates stay readable on a dark desktop.
QColor systemColor(SystemColor role);
QColor resolve(ColorSetting setting);

QPalette classicPalette();

// Sets the classic bevelled style and the fixed palette on the application.
void applyClassicLook(QApplication& app);

} // namespace platform
