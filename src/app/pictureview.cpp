#include "app/pictureview.h"

#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

#include <algorithm>
#include <cmath>

#include "plot/graphdriver.h"

namespace tessaly::app {
namespace {

// How long the size must rest before the picture is drawn at it: long enough
// to draw once at the end of a drag, short enough not to be noticed.
constexpr int kSettleMilliseconds = 120;

}  // namespace

PictureView::PictureView(QWidget* parent) : QWidget(parent)
{
    resize(kWidth, kHeight);
    m_image = blankImage();
    setMouseTracking(true);
    // The image covers the whole widget: nothing behind it is painted first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_settle.setSingleShot(true);
    m_settle.setInterval(kSettleMilliseconds);
    connect(&m_settle, &QTimer::timeout, this, &PictureView::sizeSettled);
}

QSize PictureView::drawnSize() const
{
    const plot::Surface drawn = plot::surfaceOf(m_image);
    return {drawn.width, drawn.height};
}

QImage PictureView::blankImage() const
{
    const double ratio = drawingRatio();
    const QSize size = drawingSize();
    QImage image(static_cast<int>(std::lround(size.width() * ratio)),
                 static_cast<int>(std::lround(size.height() * ratio)), QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::white);
    return image;
}

bool PictureView::upToDate() const
{
    return drawnSize() == drawingSize() && m_image.devicePixelRatio() == drawingRatio();
}

void PictureView::clear()
{
    if (upToDate())
        m_image.fill(Qt::white);
    else
        m_image = blankImage();
    update();
}

void PictureView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (upToDate()) {
        painter.drawImage(QPoint(0, 0), m_image);
        return;
    }
    // Until the picture is drawn at its new size, the old one stands in for it.
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRectF(rect()), m_image);
    if (!m_settle.isActive())
        m_settle.start();
}

void PictureView::resizeEvent(QResizeEvent*) { m_settle.start(); }

QPoint PictureView::pixelAt(const QPointF& position) const
{
    const QSize drawn = drawnSize();
    const double x = width() > 0 ? position.x() * drawn.width() / width() : 0;
    const double y = height() > 0 ? position.y() * drawn.height() / height() : 0;
    return {static_cast<int>(std::floor(x)), static_cast<int>(std::floor(y))};
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

PictureArea::PictureArea(PictureView* picture, QWidget* parent) : QWidget(parent), m_picture(picture)
{
    m_picture->setParent(this);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

QRect PictureArea::pictureRect(QSize area)
{
    // Whole multiples of 4 by 3, so the aspect is exact.
    const int units = std::max(1, std::min(area.width() / 4, area.height() / 3));
    const QSize size(units * 4, units * 3);
    return {QPoint((area.width() - size.width()) / 2, (area.height() - size.height()) / 2), size};
}

void PictureArea::resizeEvent(QResizeEvent*) { m_picture->setGeometry(pictureRect(size())); }

}  // namespace tessaly::app
