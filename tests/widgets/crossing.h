#pragma once

#include <QCoreApplication>
#include <QEnterEvent>
#include <QWidget>

// The pointer leaving or entering a top-level window as the platform reports it, with no mouse
// event before or after.
inline void leaveWindow(QWidget& window) {
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(&window, &leave);
}

inline void enterWindowAt(QWidget& window, QPoint global) {
    const QPointF local = window.mapFromGlobal(global);
    QEnterEvent enter(local, local, global);
    QCoreApplication::sendEvent(&window, &enter);
}
