#pragma once

#include <QString>

class QAccessibleInterface;
class QObject;

namespace widgets {

// How this folder's controls present themselves to assistive technology: the XP-style push
// button, the group box, the label (a link when it has a click handler) and the picture. Gives
// nullptr for any other object, which Qt then describes itself. The shape is that of
// QAccessible::InterfaceFactory; Qt calls it only while an assistive technology asks.
QAccessibleInterface* accessibleWidget(const QString& className, QObject* object);

// A caption as a screen reader should say it: a single "&" marks the accelerator and is not
// spoken, "&&" stands for one "&".
QString withoutAccelerator(const QString& caption);

} // namespace widgets
