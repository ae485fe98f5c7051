// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/scaledialog.h"

#include "common/messages.h"
#include "common/sharedstore.h"
#include "common/textboxfilter.h"
#include "core/keyfilters.h"

#include <QCheckBox>
#include <QEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace kelvara {
namespace {

constexpr int defaultDecimalPlaces = 2;

QLineEdit *entryBox(QDialog *dialog, const QString &name, CharFilter filter)
{
    auto *box = new QLineEdit(dialog);
    box->setObjectName(name);
    box->setMaxLength(scaleEntryLength);
    box->setAlignment(Qt::AlignRight);
    box->setFixedWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("-000000")) + 16);
    installKeyFilter(box, std::move(filter));
    box->installEventFilter(dialog); // for the selection on focus
    return box;
}

// Enter must not press a button behind the user's back: Set Default would
// throw away what was typed.
QPushButton *dialogButton(QDialog *dialog, const QString &name, const QString &caption)
{
    auto *button = new QPushButton(caption, dialog);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

} // namespace

ScaleDialog::ScaleDialog(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmScale"));
    setWindowTitle(QStringLiteral("Scale Quincunx Board"));

    const auto digits = [](const QString &, QChar key) { return digitKeyFilter(key); };
    const auto number = [](const QString &text, QChar key) {
        return numberKeyFilter(text, key, sharedStore().state().decimalSeparator);
    };
    scalecentretext = entryBox(this, QStringLiteral("scalecentretext"), digits);
    scalehalfwidthtext = entryBox(this, QStringLiteral("scalehalfwidthtext"), digits);
    lsltext = entryBox(this, QStringLiteral("lsltext"), number);
    usltext = entryBox(this, QStringLiteral("usltext"), number);
    speclimitscheck = new QCheckBox(QStringLiteral("Show Specification Limits"), this);
    speclimitscheck->setObjectName(QStringLiteral("speclimitscheck"));
    speclimitscheck->setToolTip(QStringLiteral("Check to display the Specification Limits on the Quincunx board."));
    cmdDefault = dialogButton(this, QStringLiteral("cmdDefault"), QStringLiteral("Set Default"));
    scaleapplybutton = dialogButton(this, QStringLiteral("scaleapplybutton"), QStringLiteral("Apply Scale"));
    scalepanelclosebutton = dialogButton(this, QStringLiteral("scalepanelclosebutton"), QStringLiteral("Close"));

    buildLayout();
    connect(cmdDefault, &QPushButton::clicked, this, &ScaleDialog::cmdDefault_Click);
    connect(scaleapplybutton, &QPushButton::clicked, this, &ScaleDialog::scaleapplybutton_Click);
    connect(scalepanelclosebutton, &QPushButton::clicked, this, &ScaleDialog::scalepanelclosebutton_Click);
    connect(speclimitscheck, &QCheckBox::clicked, this, &ScaleDialog::speclimitscheck_Click);
    load();
}

void ScaleDialog::buildLayout()
{
    auto *title = new QLabel(QStringLiteral("Scale Quincunx"), this);
    title->setObjectName(QStringLiteral("scaletitlelabel"));
    QFont titleFont = title->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.6);
    titleFont.setBold(true);
    title->setFont(titleFont);
    title->setAlignment(Qt::AlignCenter);

    auto *entries = new QFormLayout;
    entries->setLabelAlignment(Qt::AlignRight);
    entries->setFormAlignment(Qt::AlignHCenter);
    entries->addRow(QStringLiteral("Scale Center ="), scalecentretext);
    scalecentretext->setAccessibleName(QStringLiteral("Scale Center"));
    entries->addRow(QStringLiteral("Scale Half Width ="), scalehalfwidthtext);
    scalehalfwidthtext->setAccessibleName(QStringLiteral("Scale Half Width"));
    entries->addRow(QStringLiteral("LSL ="), lsltext);
    lsltext->setAccessibleName(QStringLiteral("LSL"));
    entries->addRow(QStringLiteral("USL ="), usltext);
    usltext->setAccessibleName(QStringLiteral("USL"));

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(cmdDefault);
    buttons->addStretch();
    buttons->addWidget(scaleapplybutton);
    buttons->addWidget(scalepanelclosebutton);

    auto *layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->setSpacing(12);
    layout->addWidget(title);
    layout->addLayout(entries);
    layout->addWidget(speclimitscheck, 0, Qt::AlignHCenter);
    layout->addLayout(buttons);
}

void ScaleDialog::load()
{
    const Scale &scale = sharedStore().state().scale;
    scalecentretext->setText(entryText(scale.center));
    scalehalfwidthtext->setText(entryText(scale.halfWidth));
    lsltext->setText(entryText(scale.lsl));
    usltext->setText(entryText(scale.usl));
    speclimitscheck->setChecked(scale.showSpecLimits);
    scalehalfwidthtext->setFocus();
    scalehalfwidthtext->selectAll();
}

bool ScaleDialog::eventFilter(QObject *watched, QEvent *event)
{
    auto *box = qobject_cast<QLineEdit *>(watched);
    if (box && event->type() == QEvent::FocusIn) {
        // Queued, so that a mouse click that brought the focus cannot undo the
        // selection: typing replaces the whole entry.
        QMetaObject::invokeMethod(box, &QLineEdit::selectAll, Qt::QueuedConnection);
    }
    return QDialog::eventFilter(watched, event);
}

ScaleTexts ScaleDialog::texts() const
{
    return {scalecentretext->text(), scalehalfwidthtext->text(), lsltext->text(), usltext->text()};
}

bool ScaleDialog::checkScaleEntries()
{
    const ScaleCheck check = kelvara::checkScaleEntries(texts(), speclimitscheck->isChecked());
    if (check.passed) {
        m_entries = check.entries;
        return true;
    }
    showMessage(check.message, check.exclamation ? QMessageBox::Warning : QMessageBox::Information, this);
    const Scale &applied = sharedStore().state().scale;
    if (check.resetHalfWidth)
        scalehalfwidthtext->setText(entryText(applied.halfWidth));
    if (check.resetLimits) {
        usltext->setText(entryText(applied.usl));
        lsltext->setText(entryText(applied.lsl));
    }
    return false;
}

Scale ScaleDialog::enteredScale(bool showSpecLimits) const
{
    Scale scale;
    scale.center = m_entries.center;
    scale.halfWidth = m_entries.halfWidth;
    scale.lsl = m_entries.lsl;
    scale.usl = m_entries.usl;
    scale.showSpecLimits = showSpecLimits;
    return scale;
}

void ScaleDialog::applyScaleEntries()
{
    if (checkScaleEntries())
        sharedStore().applySpecLimitSwitch(enteredScale(speclimitscheck->isChecked()));
}

void ScaleDialog::applyScale()
{
    sharedStore().applyScale(enteredScale(sharedStore().state().scale.showSpecLimits));
}

void ScaleDialog::buildFormats(int decimals)
{
    sharedStore().setDecimals(decimals);
}

void ScaleDialog::scaleapplybutton_Click()
{
    if (checkScaleEntries())
        applyScale();
}

void ScaleDialog::speclimitscheck_Click()
{
    applyScaleEntries();
}

void ScaleDialog::cmdDefault_Click()
{
    const Scale defaults;
    scalehalfwidthtext->setText(entryText(defaults.halfWidth));
    scalecentretext->setText(entryText(defaults.center));
    lsltext->setText(entryText(defaults.lsl));
    usltext->setText(entryText(defaults.usl));
    scaleapplybutton_Click();
    // The box can be clear while the lines are still on (clearing it failed
    // the check); Set Default turns them off all the same.
    if (speclimitscheck->isChecked() || sharedStore().state().scale.showSpecLimits) {
        speclimitscheck->setChecked(false);
        speclimitscheck_Click();
    }
    buildFormats(defaultDecimalPlaces);
}

void ScaleDialog::scalepanelclosebutton_Click()
{
    buildFormats(decimalPlacesOf(texts(), sharedStore().state().decimalSeparator));
    if (sharedStore().state().scale.showSpecLimits)
        applyScaleEntries();
    accept();
}

} // namespace kelvara
