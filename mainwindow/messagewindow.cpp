#include "messagewindow.h"

#include <QMessageBox>

namespace {
std::function<void(const QString&)>& messageHook() {
    static std::function<void(const QString&)> hook;
    return hook;
}
} // namespace

void showMessage(QWidget* parent, const QString& text) {
    if (messageHook()) {
        messageHook()(text);
        return;
    }
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Zarvick"), text, QMessageBox::Ok, parent);
    // The text may quote what came in from outside; it is never markup.
    box.setTextFormat(Qt::PlainText);
    box.setEscapeButton(QMessageBox::Ok);
    box.setDefaultButton(QMessageBox::Ok);
    // Read with the window's title when it opens, as a screen reader presents an alert.
    box.setAccessibleDescription(text);
    box.exec();
}

void setMessageHook(std::function<void(const QString&)> hook) {
    messageHook() = std::move(hook);
}
