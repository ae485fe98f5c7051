// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/settingboxes.h"

#include "common/messages.h"
#include "core/numberformat.h"
#include "core/numeric.h"
#include "windows/lockedtextvalidator.h"
#include "windows/spinner.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRegularExpressionValidator>

namespace kelvara {
namespace {

const QString subgroupSizeFrozen = QStringLiteral("Cannot change subgroup size when the process is going on.\r\n");

} // namespace

SettingBoxes::SettingBoxes(const SteppedBox &rows, const SteppedBox &subgroupSize, const SteppedBox &controlLimits,
                           const SteppedBox &dropCount)
    : m_rows(rows), m_subgroupSize(subgroupSize), m_controlLimits(controlLimits), m_dropCount(dropCount)
{
    for (const SteppedBox *stepped : {&m_rows, &m_subgroupSize, &m_controlLimits, &m_dropCount})
        connectSpinner(*stepped);
    for (const SteppedBox *locked : {&m_rows, &m_subgroupSize, &m_controlLimits}) {
        locked->box->setValidator(new LockedTextValidator(locked->box));
        locked->box->installEventFilter(this);
    }
    QLineEdit *howmanytext = m_dropCount.box;
    howmanytext->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,2}")), howmanytext));
    howmanytext->installEventFilter(this);
}

void SettingBoxes::setProcessGoingOn(bool goingOn)
{
    m_processGoingOn = goingOn;
}

void SettingBoxes::connectSpinner(const SteppedBox &stepped)
{
    connect(stepped.spinner, &Spinner::up, this, [this, &stepped] { spinnerStep(stepped, +1); });
    connect(stepped.spinner, &Spinner::down, this, [this, &stepped] { spinnerStep(stepped, -1); });
}

void SettingBoxes::spinnerStep(const SteppedBox &stepped, int step)
{
    QLineEdit *box = stepped.box;
    if (&stepped == &m_subgroupSize && m_processGoingOn) {
        showMessage(subgroupSizeFrozen
                        + (step < 0 ? QStringLiteral("Please click 'Reset button and try again.")
                                    : QStringLiteral("Please click 'Reset' button and try again.")),
                    QMessageBox::Information, box->window());
    } else if (!(&stepped == &m_controlLimits && m_processGoingOn)) {
        const double value = &stepped == &m_dropCount ? double(toInt16(readNumber(box->text())))
                                                      : readNumber(box->text());
        if (stepped.range.allowsStep(value, step))
            box->setText(plainNumber(float(value + step)));
    }
    box->repaint();
}

bool SettingBoxes::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_dropCount.box && event->type() == QEvent::FocusOut)
        howmanytext_LostFocus();
    else if (const SteppedBox *locked = lockedBox(watched); locked && event->type() == QEvent::KeyPress)
        return takesKey(*locked, static_cast<QKeyEvent *>(event)->key());
    return QObject::eventFilter(watched, event);
}

const SettingBoxes::SteppedBox *SettingBoxes::lockedBox(const QObject *watched) const
{
    for (const SteppedBox *locked : {&m_rows, &m_subgroupSize, &m_controlLimits})
        if (locked->box == watched)
            return locked;
    return nullptr;
}

bool SettingBoxes::takesKey(const SteppedBox &locked, int key)
{
    if (key == Qt::Key_Up || key == Qt::Key_Down) {
        spinnerStep(locked, key == Qt::Key_Up ? +1 : -1);
        return true;
    }
    // Tab still moves the focus; every other key is cancelled.
    return key != Qt::Key_Tab && key != Qt::Key_Backtab;
}

void SettingBoxes::howmanytext_LostFocus()
{
    QLineEdit *howmanytext = m_dropCount.box;
    bool numeric = false;
    readNumber(howmanytext->text(), &numeric);
    if (!numeric)
        howmanytext->setText(QStringLiteral("10"));
    howmanytext->setText(QString::number(toInt16(readNumber(howmanytext->text()))));
}

} // namespace kelvara
