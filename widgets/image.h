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
    // A picture made only when first needed: a window built at start-up decodes nothing
    // until it is shown.
    void setPictureSource(std::function<QImage()> source);
    const QImage& picture() const;
    void setDrawer(std::function<void(QPainter&, const QRect&)> drawer);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    mutable QImage m_picture;
    mutable std::function<QImage()> m_source;
    std::function<void(QPainter&, const QRect&)> m_drawer;
};

} // namespace widgets
