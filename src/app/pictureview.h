#pragma once

#include <QImage>
#include <QTimer>
#include <QWidget>

#include <optional>

namespace tessaly::app {

// The graph picture: shows its image, white until something is drawn into it.
// The image is kept, so a covered window never loses its graph. Its size is the
// widget's at the screen's device pixel ratio; after the widget's size or ratio
// changes, the old image is shown stretched until the size has settled for a
// moment, then sizeSettled() asks for a drawing at the new size. Reports the
// pointer's pixel over the image as drawn as it moves and when a button is
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

    // The size the picture is to be drawn at (the widget's) and the device
    // pixel ratio of its screen.
    QSize drawingSize() const { return size(); }
    double drawingRatio() const { return devicePixelRatioF(); }
    // The image's size in pixels, as drawn (its size over its device pixel ratio).
    QSize drawnSize() const;
    // A white image at the drawing size and ratio.
    QImage blankImage() const;
    // Erases the picture: a white image at the drawing size and ratio.
    void clear();
    // Whether the image has the drawing size and ratio.
    bool upToDate() const;

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
    // The drawing size or ratio changed and has not changed again for a moment.
    void sizeSettled();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    // The image pixel under a position of the widget.
    QPoint pixelAt(const QPointF& position) const;

    QImage m_image;
    std::optional<Pointer> m_pointer;
    QTimer m_settle;
};

// The picture's area in the window: takes the space the layout gives it and
// puts the picture in it as large as it fits at the reference picture's aspect
// (4 : 3), centred. It is never smaller than the reference picture.
class PictureArea : public QWidget {
public:
    explicit PictureArea(PictureView* picture, QWidget* parent = nullptr);
    QSize sizeHint() const override { return {PictureView::kWidth, PictureView::kHeight}; }
    QSize minimumSizeHint() const override { return sizeHint(); }

    // The largest rectangle of 4 : 3 that fits in an area, centred in it.
    static QRect pictureRect(QSize area);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    PictureView* m_picture;
};

}  // namespace tessaly::app
