#include "app/pictureview.h"

#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

#include <cmath>

namespace tessaly::app {
namespace {

// The image pixel under a position: the picture shows the image unscaled from its corner.
QPoint pixelAt(const QPointF& p) { return {static_cast<int>(std::floor(p.x())), static_cast<int>(std::floor(p.y()))}; }

}  // namespace

PictureView::PictureView(QWidget* parent) : QWidget(parent), m_image(kWidth, kHeight, QImage::Format_RGB32)
{
    m_image.fill(Qt::white);
    setFixedSize(kWidth, kHeight);
    setMouseTracking(true);
}

void PictureView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawImage(rect(), m_image);
}

void PictureView::showToolTip(const QString& text, const QPoint& globalPos)
{
    if (toolTip() == text)
        return;
    setToolTip(text);
    if (text.isEmpty())
        QToolTip::hideText();
    else if (QToolTip::isVisible())
        QToolTip::showText(globalPos, text, this);
}

void PictureView::mouseMoveEvent(QMouseEvent* event)
{
    m_pointer = Pointer{pixelAt(event->position()), event->globalPosition().toPoint()};
    emit mouseMoved(m_pointer->pixel, m_pointer->globalPos);
}

void PictureView::leaveEvent(QEvent*) { m_pointer.reset(); }

void PictureView::mousePressEvent(QMouseEvent* event) { emit mousePressed(pixelAt(event->position())); }

// The second press of a double click does not centre again.
void PictureView::mouseDoubleClickEvent(QMouseEvent* event) { event->accept(); }

}  // namespace tessaly::app
