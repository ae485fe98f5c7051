// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Icons of the main window's picture buttons, drawn by the program, and the
// program's own icon, loaded from the pictures compiled into it.

#include <QIcon>

namespace kelvara {

QIcon histogramIcon();
QIcon controlChartIcon();
QIcon demonstrationIcon();
QIcon helpIcon();
QIcon exitIcon();
/// The program's own icon: a small quincunx with its pile.
QIcon applicationIcon();

} // namespace kelvara
