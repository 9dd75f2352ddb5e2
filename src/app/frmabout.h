#pragma once

#include <QStringList>
#include <QWidget>

namespace tessaly::app {

// The lines of the about window, from the top: three empty lines, the product
// name, then the version, the copyright and the licence, each after an empty line.
QStringList aboutLines();

// The about window: its lines painted in bold 24-point type at its left edge.
// A click anywhere closes it.
class FrmAbout : public QWidget {
    Q_OBJECT
public:
    explicit FrmAbout(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
};

}  // namespace tessaly::app
