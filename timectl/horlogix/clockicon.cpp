#include "horlogix/clockicon.h"

#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace horlogix {

QPixmap clockPixmap(int size, qreal devicePixelRatio)
{
    QPixmap pixmap(QSize(size, size) * devicePixelRatio);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(Qt::transparent);

    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = size;
    const QPointF centre(s * 0.46, s * 0.46);
    const qreal radius = s * 0.40;

    p.setPen(QPen(QColor(0x1f, 0x3a, 0x68), s / 14.0));
    p.setBrush(QColor(0xf4, 0xf7, 0xfb));
    p.drawEllipse(centre, radius, radius);

    // Hour marks at 12, 3, 6 and 9.
    p.setPen(QPen(QColor(0x1f, 0x3a, 0x68), s / 20.0, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < 4; ++i) {
        const qreal a = i * M_PI / 2;
        const QPointF dir(std::sin(a), -std::cos(a));
        p.drawLine(centre + dir * radius * 0.72, centre + dir * radius * 0.88);
    }

    // Hands at ten past ten.
    p.setPen(QPen(Qt::black, s / 14.0, Qt::SolidLine, Qt::RoundCap));
    const qreal hour = (10 + 10 / 60.0) / 12 * 2 * M_PI;
    const qreal minute = 10 / 60.0 * 2 * M_PI;
    p.drawLine(centre, centre + QPointF(std::sin(hour), -std::cos(hour)) * radius * 0.5);
    p.drawLine(centre, centre + QPointF(std::sin(minute), -std::cos(minute)) * radius * 0.75);

    // Network mark: a small filled circle with two arcs, lower right.
    const QPointF mark(s * 0.80, s * 0.80);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x2e, 0x8b, 0x57));
    p.drawEllipse(mark, s * 0.07, s * 0.07);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0x2e, 0x8b, 0x57), s / 18.0, Qt::SolidLine, Qt::RoundCap));
    for (qreal r : {s * 0.14, s * 0.21}) {
        const QRectF arc(mark.x() - r, mark.y() - r, 2 * r, 2 * r);
        p.drawArc(arc, 100 * 16, 70 * 16);
    }
    p.end();
    return pixmap;
}

QIcon clockIcon()
{
    QIcon icon;
    for (int size : {16, 22, 28, 32, 48, 64})
        icon.addPixmap(clockPixmap(size));
    return icon;
}

} // namespace horlogix
