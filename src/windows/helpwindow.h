// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's manual (`helpWindow`): a contents list beside the page, with
// Back, Forward and Contents buttons. The pages are HTML compiled into the
// program, so the manual is the same wherever the program runs.

#include <QString>
#include <QWidget>

class QListWidget;
class QTextBrowser;
class QToolButton;

namespace kelvara {

class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget *parent = nullptr);

    /// Shows `page` (a file of the manual, with an optional "#anchor") and
    /// brings the window to the front, usable even while `asker`, a modal
    /// dialog, is open.
    void showPage(const QString &page, QWidget *asker = nullptr);

    /// The manual's pages in the order of the contents list, and their titles.
    struct Entry {
        QString file;
        QString title;
    };
    static const QList<Entry> &contents();
    /// Where the manual's pages are compiled in ("qrc:/kelvara/manual/").
    static QString pageFolder();

    QTextBrowser *browser() const { return m_browser; }

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void followPage(const QUrl &url);
    void fitContents();
    void stayAbove(QWidget *asker);

    QListWidget *m_contents;
    QTextBrowser *m_browser;
    QToolButton *m_back;
    QToolButton *m_forward;
    QToolButton *m_home;
};

} // namespace kelvara
