#pragma once

#include <QImage>
#include <QWidget>

#include <functional>

namespace widgets {

// A picture control. It draws its picture at its own size at the top left, cut off at the
// control's edges, or hands the whole control to a drawing function (a stretched picture).
class TImage : public QWidget {
public:
    explicit TImage(QWidget* parent);

    void setPicture(const QImage& picture);
    const QImage& picture() const { return m_picture; }
    void setDrawer(std::function<void(QPainter&, const QRect&)> drawer);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage m_picture;
    std::function<void(QPainter&, const QRect&)> m_drawer;
};

} // namespace widgets
