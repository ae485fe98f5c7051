// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Whether a window can be read as it is shown: large enough text, every
// control large enough for its text, and pictures whose texts lie within
// them and clear of one another.

#include <QStringList>

class QWidget;

namespace testsupport {

/// What a reader could not read in `window`, one line for each fault: texts
/// smaller than `smallestPixels` (0: any size), controls too small for their
/// text, and texts a picture draws outside itself or over another. Labels
/// placed on a picture shrink to fit their place and keep no smallest size.
QStringList unreadableTexts(QWidget *window, double smallestPixels);

/// The same once the window has settled: layouts, the window system and
/// pending paints may take a while on a busy machine, so this waits up to ten
/// seconds for a window without faults and returns what is left.
QStringList unreadableTextsOnceSettled(QWidget *window, double smallestPixels);

} // namespace testsupport
