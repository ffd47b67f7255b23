#pragma once

#include <QImage>
#include <QWidget>

#include <functional>

namespace widgets {

// The XP-style push button used for every command of the main window.
class TJvXPButton : public QWidget {
public:
    explicit TJvXPButton(QWidget* parent);

    QString caption() const { return m_caption; }
    void setCaption(const QString& caption);
    QImage glyph() const { return m_glyph; }
    void setGlyph(const QImage& glyph);
    void setOnClick(std::function<void()> handler) { m_onClick = std::move(handler); }

    void click();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    QString m_caption;
    QImage m_glyph;
    bool m_pressed = false;
    std::function<void()> m_onClick;
};

} // namespace widgets
