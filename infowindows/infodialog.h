#pragma once

#include <QDialog>

class QPushButton;

namespace widgets {
class TLabel;
}

// What the About and Help windows share: a fixed-size dialog frame with only a close button,
// centred on the screen each time it is shown, closed by "OK", Enter or the title bar but never
// by Escape, and created once, then shown again and again.
class InfoDialog : public QDialog {
public:
    InfoDialog(QWidget* owner, const QString& caption, QSize clientSize, const QFont& font);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

    // The default "OK" button that closes the window with modal result OK.
    QPushButton* addOkButton(const QRect& geometry);
    widgets::TLabel* addLabel(QWidget* parent, const char* name, const QString& text,
                              const QRect& geometry, bool wordWrap);
};
