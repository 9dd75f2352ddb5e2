#include "app/pictureview.h"

#include <QPainter>

namespace tessaly::app {

PictureView::PictureView(QWidget* parent) : QWidget(parent), m_image(kWidth, kHeight, QImage::Format_RGB32)
{
    m_image.fill(Qt::white);
    setFixedSize(kWidth, kHeight);
}

void PictureView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawImage(rect(), m_image);
}

}  // namespace tessaly::app
