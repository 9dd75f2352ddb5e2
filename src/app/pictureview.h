#pragma once

#include <QImage>
#include <QWidget>

namespace tessaly::app {

// The graph picture: shows its image, 400 x 300 pixels, white until something is
// drawn into it. The image is kept, so a covered window never loses its graph.
class PictureView : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidth = 400;
    static constexpr int kHeight = 300;

    explicit PictureView(QWidget* parent = nullptr);
    QImage& image() { return m_image; }
    const QImage& image() const { return m_image; }
    QSize sizeHint() const override { return {kWidth, kHeight}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage m_image;
};

}  // namespace tessaly::app
