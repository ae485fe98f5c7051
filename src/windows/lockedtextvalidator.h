// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Refuses every edit of a box whose value only its spinner changes: a paste,
// a drop or an insert through the box's own slots is undone at once, while the
// program's setText() still works. (A read-only box would not do: Qt lets its
// paste() slot through without asking the validator.)

#include <QValidator>

class QLineEdit;

namespace kelvara {

class LockedTextValidator : public QValidator {
public:
    explicit LockedTextValidator(QLineEdit *box);
    State validate(QString &input, int &position) const override;

private:
    QLineEdit *m_box;
};

} // namespace kelvara
