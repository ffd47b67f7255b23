#pragma once

#include <QString>

#include <functional>

class QWidget;

// A small modal window that tells the user why something was refused, with an OK button that
// Enter and Escape also press.
void showMessage(QWidget* parent, const QString& text);

// Lets tests read the message instead of a window waiting for them. An empty hook restores
// the window.
void setMessageHook(std::function<void(const QString&)> hook);
