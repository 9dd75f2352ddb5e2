#include "app/frmabout.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>

namespace tessaly::app {

QStringList aboutLines()
{
    return {QString(), QString(),
            QString(), QStringLiteral("Tessaly"),
            QString(), QStringLiteral("Version " TESSALY_VERSION),
            QString(), QStringLiteral("\u00A9 2026 Tessaly developers"),
            QString(), QStringLiteral("MIT License")};
}

FrmAbout::FrmAbout(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About Tessaly"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(640, 480);
    setAutoFillBackground(true);
}

void FrmAbout::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    QFont font = painter.font();
    font.setPointSize(24);
    font.setBold(true);
    painter.setFont(font);
    const QFontMetrics metrics(font);
    int y = 0;
    for (const QString& line : aboutLines()) {
        painter.drawText(0, y + metrics.ascent(), line);
        y += metrics.height();
    }
}

void FrmAbout::mousePressEvent(QMouseEvent*) { close(); }

}  // namespace tessaly::app
