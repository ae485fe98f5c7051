// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The dialog in which the user names a file the program saves.

#include <QFileDialog>

namespace kelvara {

/// A modal save dialog in Qt's own widgets with the given name filters
/// ("Text (*.txt)"), opening in the folder last saved to, else in the
/// program's folder when it can be written, else in the user's documents. A
/// name typed without an extension gets the chosen filter's, and the dialog
/// asks before replacing an existing file under that final name.
class SaveDialog : public QFileDialog {
    Q_OBJECT
public:
    SaveDialog(QWidget *parent, const QString &title, const QStringList &nameFilters);

    void accept() override;
};

namespace testing {

/// Save dialogs take `folder` as the program's own folder (empty: the real one).
void setProgramFolder(const QString &folder);

} // namespace testing

} // namespace kelvara
