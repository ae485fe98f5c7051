// SPDX-License-Identifier: GPL-3.0-or-later
#include "reports/signalpanel.h"

#include "core/signaltexts.h"

#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

namespace kelvara {
namespace {

constexpr int subgroupRole = Qt::UserRole;
constexpr int visibleEntries = 4;

// The same size as the charts' titles, readable from the back of a classroom.
void enlargeFont(QWidget *widget)
{
    QFont font = widget->font();
    font.setPointSizeF(font.pointSizeF() * 1.3);
    widget->setFont(font);
}

} // namespace

SignalPanel::SignalPanel(QWidget *parent)
    : QWidget(parent), m_detection(new QLabel(this)), m_list(new QListWidget(this))
{
    m_detection->setObjectName(QStringLiteral("detectionLabel"));
    m_list->setObjectName(QStringLiteral("signalList"));
    m_list->setAccessibleName(QStringLiteral("Run rule signals"));
    enlargeFont(m_detection);
    enlargeFont(m_list);
    keepDetectionLine();
    // Scrolled by pixels, the newest entry sits on the list's bottom edge.
    m_list->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    const int rowHeight = m_list->fontMetrics().height() + 2;
    m_list->setFixedHeight(visibleEntries * rowHeight + 2 * m_list->frameWidth() + 4);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_detection);
    layout->addWidget(m_list);
    // Activated by a double click, or by Return for the keyboard.
    connect(m_list, &QListWidget::itemActivated, this, &SignalPanel::itemActivated);
}

// The label keeps its line while empty, so its first text does not shrink
// the charts; a line of the text's own size, for the zoom may change it.
void SignalPanel::keepDetectionLine()
{
    QLabel line(QStringLiteral("X")); // one line, measured as the label measures its own
    line.setFont(m_detection->font());
    m_detection->setMinimumHeight(line.minimumSizeHint().height());
}

void SignalPanel::clear()
{
    m_list->clear();
    setDetection(QString());
}

void SignalPanel::listSignals(const QList<RunSignal> &found, qsizetype from, int subgroupSize)
{
    while (m_list->count() > from)
        delete m_list->takeItem(m_list->count() - 1);
    if (from >= found.size())
        return;
    for (qsizetype i = from; i < found.size(); ++i) {
        auto *item = new QListWidgetItem(signalText(found[i], subgroupSize), m_list);
        item->setToolTip(ruleMeanings(found[i].rules));
        item->setData(subgroupRole, found[i].subgroup);
    }
    m_list->scrollToBottom();
}

// A new text lays the window out again: only a changed one is set.
void SignalPanel::setDetection(const QString &text)
{
    if (m_detection->text() != text)
        m_detection->setText(text);
}

void SignalPanel::itemActivated(QListWidgetItem *item)
{
    emit subgroupChosen(item->data(subgroupRole).toInt());
}

} // namespace kelvara
