// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's own icon, painted at any size: a small quincunx with its pile.

#include <QImage>

class QPainter;
class QRectF;

namespace kelvara {

/// Paints the icon into `target`, scaled from its own 64-unit square so it is
/// as sharp at 256 pixels as at 48.
void paintApplicationIcon(QPainter &painter, const QRectF &target);

/// The icon as a transparent square image of `size` pixels.
QImage applicationIconImage(int size);

} // namespace kelvara
