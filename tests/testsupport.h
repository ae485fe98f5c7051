// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Helpers the GUI tests share: starting the program in a known state, finding
// controls by name and answering the modal message boxes it shows.

#include "app/startup.h"
#include "app/testing.h"
#include "windows/quincunxform.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLocale>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <functional>

namespace testsupport {

/// Points the program's remembered preferences at a new empty folder, as on a
/// first start. Call it once, before anything reads a preference: Qt settles
/// where settings live on first use.
inline void freshConfiguration()
{
    static QTemporaryDir folder;
    qputenv("XDG_CONFIG_HOME", folder.path().toLocal8Bit());
}

inline QWidget *topLevel(const QString &name)
{
    for (QWidget *widget : QApplication::topLevelWidgets())
        if (widget->objectName() == name)
            return widget;
    return nullptr;
}

/// Starts the program from scratch: instant waits, a fixed seed, a "." locale
/// unless the test pins another one first.
inline QWidget *startProgram(std::uint32_t seed = 1234)
{
    kelvara::testing::setTimeScale(0);
    kelvara::testing::seedRandom(seed);
    if (!kelvara::startUp())
        return nullptr;
    return topLevel(QStringLiteral("quincunxform"));
}

/// The main window's size when it opens on a screen with room for it (the
/// offscreen platform's default screen is smaller, 800 x 800).
inline const QSize openingSize(1000, 700);

/// The main window of a fresh start in a "." locale.
inline kelvara::QuincunxForm *startMainWindow(std::uint32_t seed = 1234)
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    return static_cast<kelvara::QuincunxForm *>(startProgram(seed));
}

template <class T = QWidget>
T *child(QWidget *window, const QString &name)
{
    T *found = window ? window->findChild<T *>(name) : nullptr;
    if (!found)
        qWarning("no child named %s", qPrintable(name));
    return found;
}

inline void click(QWidget *window, const QString &name)
{
    if (auto *button = child<QAbstractButton>(window, name))
        button->click();
}

/// Chooses "Copy Chart" by keyboard in the popup menu that opens next, and
/// checks the menu's name and item.
inline void chooseCopyChartInNextMenu()
{
    QTimer::singleShot(0, [] {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        QVERIFY(menu);
        QTest::keyClick(menu, Qt::Key_Down);
        QTest::keyClick(menu, Qt::Key_Return);
        QCOMPARE(menu->objectName() + u'/' + menu->actions().first()->text(), "mnuCP/Copy Chart");
    });
}

/// Chooses the item with this text in the popup menu that opens next, by
/// keyboard as a user would; notes the item's text after the choice as a
/// failure when there was no such item.
inline void chooseInNextMenu(const QString &text)
{
    QTimer::singleShot(0, [text] {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        QVERIFY(menu);
        QAction *item = nullptr;
        for (QAction *action : menu->actions())
            if (action->text() == text)
                item = action;
        QVERIFY2(item, qPrintable(text));
        menu->setActiveAction(item);
        QTest::keyClick(menu, Qt::Key_Return);
    });
}

/// What a message box showed before it was answered.
struct SeenMessage {
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
};

/// Answers every message box that opens while `action` runs by pressing its
/// OK button, and returns what they said, in order.
inline QList<SeenMessage> answerMessages(const std::function<void()> &action)
{
    QList<SeenMessage> seen;
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, [&seen] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box || !box->isVisible())
            return;
        seen.append({box->windowTitle(), box->text(), box->icon()});
        box->button(QMessageBox::Ok) ? box->button(QMessageBox::Ok)->click() : box->accept();
    });
    poll.start();
    action();
    poll.stop();
    return seen;
}

} // namespace testsupport
