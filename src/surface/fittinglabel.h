// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A label on a drawing surface that always shows its whole text, such as a
// number of many digits.

#include <QFont>
#include <QLabel>
#include <QRect>

namespace kelvara {

class FittingLabel : public QLabel {
    Q_OBJECT
public:
    static constexpr double minimumPointSize = 7.0;

    explicit FittingLabel(const QString &text, QWidget *parent = nullptr);

    /// Shows a new text and fits the label to it at once.
    void setFittedText(const QString &text);

    /// The label's place and font while its text fits there, and the left
    /// edge it may grow to (all in pixels). A wider text first widens the label
    /// to the left as far as `leftmost`, then shrinks its font, and then widens
    /// it further as far as the text needs: digits are never cut. The font is
    /// never below minimumPointSize. The surface sets this at every resize.
    void setDesign(const QRect &geometry, const QFont &font, int leftmost);

private:
    int widthFor(const QFont &font) const;
    void fit();

    QRect m_designGeometry;
    QFont m_designFont;
    int m_leftmost = 0;
};

} // namespace kelvara
