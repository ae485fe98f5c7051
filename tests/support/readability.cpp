// SPDX-License-Identifier: GPL-3.0-or-later
#include "readability.h"

#include "surface/drawingsurface.h"

#include <QAbstractButton>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace testsupport {
namespace {

using kelvara::DrawingSurface;

QString shownText(const QWidget *widget)
{
    if (auto *label = qobject_cast<const QLabel *>(widget); label && label->pixmap().isNull())
        return label->text();
    if (auto *button = qobject_cast<const QAbstractButton *>(widget))
        return button->text();
    if (auto *box = qobject_cast<const QLineEdit *>(widget))
        return box->text();
    return {};
}

// A button's or a box's text must fit inside its frame; a label, a check
// box or a radio button needs at least the room it asks for.
bool isCut(const QWidget *widget, const QString &text)
{
    constexpr int frame = 4;
    if (qobject_cast<const QLineEdit *>(widget) || qobject_cast<const QPushButton *>(widget)) {
        const QFontMetrics metrics = widget->fontMetrics();
        return metrics.horizontalAdvance(QString(text).remove(u'&')) > widget->contentsRect().width() - 2 * frame
                || metrics.height() > widget->contentsRect().height();
    }
    if (auto *label = qobject_cast<const QLabel *>(widget); label && label->wordWrap())
        return label->heightForWidth(label->width()) > label->height();
    const QSize needed = widget->minimumSizeHint();
    return widget->width() < needed.width() || widget->height() < needed.height();
}

QStringList pictureFaults(const DrawingSurface *picture, double smallestPixels)
{
    QStringList faults;
    const double smallest = picture->smallestTextPixels();
    if (smallest > 0 && smallest < smallestPixels)
        faults << picture->objectName() + QStringLiteral(" draws small text");
    QList<QRect> areas = picture->textAreas();
    for (QRect &area : areas)
        area.adjust(1, 1, -1, -1); // the edges of smoothed letters may touch
    for (qsizetype i = 0; i < areas.size(); ++i) {
        if (!picture->rect().contains(areas[i]))
            faults << picture->objectName() + QStringLiteral(" cuts a text");
        for (qsizetype j = i + 1; j < areas.size(); ++j)
            if (areas[i].intersects(areas[j]))
                faults << picture->objectName() + QStringLiteral(" draws texts over one another");
    }
    return faults;
}

} // namespace

QStringList unreadableTexts(QWidget *window, double smallestPixels)
{
    QStringList faults;
    for (QWidget *widget : window->findChildren<QWidget *>()) {
        const QString text = shownText(widget);
        if (!widget->isVisibleTo(window) || text.isEmpty())
            continue;
        const QString name = widget->objectName() + u'/' + text;
        const bool placedOnPicture = qobject_cast<DrawingSurface *>(widget->parentWidget());
        if (!placedOnPicture && QFontInfo(widget->font()).pixelSize() < smallestPixels)
            faults << name + QStringLiteral(" is small");
        if (isCut(widget, text))
            faults << name + QStringLiteral(" is cut");
    }
    for (const DrawingSurface *picture : window->findChildren<DrawingSurface *>())
        if (picture->isVisibleTo(window))
            faults << pictureFaults(picture, smallestPixels);
    return faults;
}

QStringList unreadableTextsOnceSettled(QWidget *window, double smallestPixels)
{
    QStringList faults;
    // Settled or not, the faults left are the answer.
    static_cast<void>(QTest::qWaitFor([&] { return (faults = unreadableTexts(window, smallestPixels)).isEmpty(); }, 10000));
    return faults;
}

} // namespace testsupport
