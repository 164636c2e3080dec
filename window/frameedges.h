#pragma once

#include <QPoint>
#include <QSize>
#include <Qt>

// The window edges that a point lies on: pressing there resizes the frameless window.
inline Qt::Edges frameEdgesAt(QPoint pos, QSize size) {
    constexpr int kMargin = 4;
    Qt::Edges edges;
    if (pos.x() < kMargin) {
        edges |= Qt::LeftEdge;
    }
    if (pos.x() >= size.width() - kMargin) {
        edges |= Qt::RightEdge;
    }
    if (pos.y() < kMargin) {
        edges |= Qt::TopEdge;
    }
    if (pos.y() >= size.height() - kMargin) {
        edges |= Qt::BottomEdge;
    }
    return edges;
}

inline Qt::CursorShape cursorForEdges(Qt::Edges edges) {
    const bool horizontal = edges & (Qt::LeftEdge | Qt::RightEdge);
    const bool vertical = edges & (Qt::TopEdge | Qt::BottomEdge);
    if (horizontal && vertical) {
        const bool mainDiagonal = ((edges & Qt::LeftEdge) && (edges & Qt::TopEdge)) ||
                                  ((edges & Qt::RightEdge) && (edges & Qt::BottomEdge));
        return mainDiagonal ? Qt::SizeFDiagCursor : Qt::SizeBDiagCursor;
    }
    if (horizontal) {
        return Qt::SizeHorCursor;
    }
    return vertical ? Qt::SizeVerCursor : Qt::ArrowCursor;
}
