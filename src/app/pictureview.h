#pragma once

#include <QImage>
#include <QWidget>

#include <optional>

namespace tessaly::app {

// The graph picture: shows its image, 400 x 300 pixels, white until something is
// drawn into it. The image is kept, so a covered window never loses its graph.
// Reports the pointer's pixel over the image as it moves and when a button is
// pressed (a double click is one press).
class PictureView : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidth = 400;
    static constexpr int kHeight = 300;

    explicit PictureView(QWidget* parent = nullptr);
    QImage& image() { return m_image; }
    const QImage& image() const { return m_image; }
    QSize sizeHint() const override { return {kWidth, kHeight}; }

    // Sets the tool tip and, when one is showing, rewrites it in place; an empty
    // text hides it.
    void showToolTip(const QString& text, const QPoint& globalPos);

    // Where the pointer was last seen over the picture, if it is still there.
    struct Pointer {
        QPoint pixel;
        QPoint globalPos;
    };
    const std::optional<Pointer>& pointer() const { return m_pointer; }

signals:
    void mouseMoved(QPoint pixel, QPoint globalPos);
    void mousePressed(QPoint pixel);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    QImage m_image;
    std::optional<Pointer> m_pointer;
};

}  // namespace tessaly::app
