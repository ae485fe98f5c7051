// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the keyboard focus is, shown on a chart's title: a chart's picture
// carries no focus mark, for it is also what Copy Chart and Save Chart take.

class QLabel;
class QWidget;

namespace kelvara {

/// While `widget` has the keyboard focus, `title` stands on the highlight colour.
void markFocusOnTitle(QWidget *widget, QLabel *title);

} // namespace kelvara
