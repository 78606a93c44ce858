#include "gui/banner.h"

#include <QApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRandomGenerator>

namespace tolvane {

QPixmap DrawBanner(int width, int height, qreal pixelRatio) {
    // Drawn at the screen's own pixels, so that it is sharp at any scaling.
    QPixmap pixmap(QSize(width, height) * pixelRatio);
    pixmap.setDevicePixelRatio(pixelRatio);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);

    QLinearGradient sky(0, 0, 0, height);
    sky.setColorAt(0, QColor(4, 6, 22));
    sky.setColorAt(1, QColor(18, 24, 64));
    painter.fillRect(QRect(0, 0, width, height), sky);

    // The same stars every time: a fixed seed.
    QRandomGenerator stars(1977);
    for (int i = 0; i < 140; ++i) {
        int brightness = 120 + stars.bounded(136);
        painter.setPen(QColor(brightness, brightness, 255));
        painter.drawPoint(stars.bounded(width), stars.bounded(height));
    }

    // A planet's rim low on the left.
    QRadialGradient glow(QPointF(-20, height + 70), 150);
    glow.setColorAt(0.80, QColor(40, 90, 160));
    glow.setColorAt(0.86, QColor(120, 180, 255, 200));
    glow.setColorAt(1.0, QColor(0, 0, 0, 0));
    painter.setBrush(glow);
    painter.setPen(Qt::NoPen);
    painter.drawEllipse(QPointF(-20, height + 70), 150, 150);

    // A fighter's silhouette crossing to the upper right, with its engine trail.
    painter.setPen(QPen(QColor(255, 140, 60, 160), 2));
    painter.drawLine(QPointF(width * 0.45, height * 0.55), QPointF(width * 0.70, height * 0.33));
    QPainterPath ship;
    QPointF nose(width * 0.82, height * 0.22);
    ship.moveTo(nose);
    ship.lineTo(nose + QPointF(-22, 6));
    ship.lineTo(nose + QPointF(-30, -6));
    ship.lineTo(nose + QPointF(-18, -2));
    ship.closeSubpath();
    painter.setBrush(QColor(220, 225, 235));
    painter.drawPath(ship);

    // The system's own interface font: a family name such as "Sans Serif" is not on every system.
    QFont font = QApplication::font();
    font.setPointSize(22);
    font.setBold(true);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 4);
    painter.setFont(font);
    painter.setPen(QColor(255, 214, 90));
    painter.drawText(QRect(0, height - 52, width, 32), Qt::AlignCenter, "TOLVANE");
    QFont small = QApplication::font();
    small.setPointSize(7);
    painter.setFont(small);
    painter.setPen(QColor(170, 190, 230));
    painter.drawText(QRect(0, height - 22, width, 16), Qt::AlignCenter, "ShipSet Launcher");
    return pixmap;
}

}  // namespace tolvane
