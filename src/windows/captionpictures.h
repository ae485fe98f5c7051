// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The pictures of the demonstration's captions: each a coloured card with the
// board icon at its top left, a few lines that explain what comes next, and a
// white strip along its foot telling how to go on or leave.

#include <QImage>
#include <QSize>

namespace kelvara {

inline constexpr int captionCount = 13;
inline constexpr QSize captionSize{300, 200};

/// The picture of caption `index`, 1 to captionCount, `scale` times the
/// caption size (larger text for a projector); a null image for any other index.
QImage captionPicture(int index, double scale = 1.0);

/// The height in pixels of the smallest letters on caption `index` at its
/// normal size, the foot strip's included; 0 for an index out of range.
int captionSmallestTextPixels(int index);

} // namespace kelvara
