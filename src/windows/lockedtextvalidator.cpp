// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/lockedtextvalidator.h"

#include <QLineEdit>

namespace kelvara {

LockedTextValidator::LockedTextValidator(QLineEdit *box) : QValidator(box), m_box(box) {}

// setText() clears the box's modified flag before validating, an edit sets
// it: so only the program's own texts pass.
QValidator::State LockedTextValidator::validate(QString &, int &) const
{
    return m_box->isModified() ? Invalid : Acceptable;
}

} // namespace kelvara
