#pragma once

#include <QAbstractScrollArea>
#include <QColor>
#include <QImage>
#include <QRect>

#include <cstdlib>

// True when some pixel of `rect` in the view's visible area is drawn in (nearly) `colour`.
inline bool HasColourIn(QAbstractScrollArea* view, const QRect& rect, QColor colour)
{
    QImage image = view->viewport()->grab().toImage();
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x) {
            QColor pixel = image.pixelColor(x, y);
            if (std::abs(pixel.red() - colour.red()) < 40 && std::abs(pixel.green() - colour.green()) < 40 &&
                std::abs(pixel.blue() - colour.blue()) < 40)
                return true;
        }
    return false;
}
