// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the tests, the benchmark and the screenshot tool share: starting the
// program in a known state, finding windows and controls by name, dropping
// subgroups through the controls, and answering the modal message boxes the
// program shows.

#include "app/startup.h"
#include "app/testing.h"
#include "windows/quincunxform.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QList>
#include <QLocale>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QString>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <cstdint>
#include <functional>

namespace testsupport {

/// Points the program's remembered preferences at a new empty folder, as on a
/// first start. Call it once, before anything reads a preference: Qt settles
/// where settings live on first use.
void freshConfiguration();

/// Makes the offscreen platform show one screen of that size. Call it before
/// the application is made: the platform reads its screens from a file named
/// on its command. False when the file cannot be written.
bool useOffscreenScreen(int width, int height);

/// A test program's main() that runs `TestObject` on an offscreen screen of
/// that size, as QTEST_MAIN runs it on the default one.
#define KELVARA_TEST_ON_SCREEN(TestObject, width, height) \
    int main(int argc, char *argv[]) \
    { \
        if (!testsupport::useOffscreenScreen(width, height)) \
            return 1; \
        QApplication app(argc, argv); \
        TestObject test; \
        QTEST_SET_MAIN_SOURCE_PATH \
        return QTest::qExec(&test, argc, argv); \
    }

/// The program's top-level window of that name, or null.
QWidget *topLevel(const QString &name);

/// Starts the program from scratch: instant waits, a fixed seed, a "." locale
/// unless the test pins another one first.
QWidget *startProgram(std::uint32_t seed = 1234);

/// The main window's size when it opens on a screen with room for it (the
/// offscreen platform's default screen is smaller, 800 x 800).
inline const QSize openingSize(1000, 700);

/// The main window of a fresh start in a "." locale.
kelvara::QuincunxForm *startMainWindow(std::uint32_t seed = 1234);

/// A scale applied as the scale dialog's "Show Specification Limits" box
/// applies it, with the limits shown or hidden as now.
void scaleBoard(float halfWidth, float center, float lsl, float usl);
/// The limits shown or hidden, as that box does, with the scale as it is.
void showSpecLimits(bool shown);

template <class T = QWidget>
T *child(QWidget *window, const QString &name)
{
    T *found = window ? window->findChild<T *>(name) : nullptr;
    if (!found)
        qWarning("no child named %s", qPrintable(name));
    return found;
}

void click(QWidget *window, const QString &name);

/// Chooses "Copy Chart" by keyboard in the popup menu that opens next, and
/// checks the menu's name and item.
void chooseCopyChartInNextMenu();

/// Chooses the item with this text in the popup menu that opens next, by
/// keyboard as a user would; notes the item's text after the choice as a
/// failure when there was no such item.
void chooseInNextMenu(const QString &text);

/// What a message box showed before it was answered.
struct SeenMessage {
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
};

/// Answers every message box that opens while `action` runs, and returns
/// what they said, in order. A box with an OK button is answered by it; a
/// question by the button `questionAnswer`, or by Esc when it has no such
/// button, as a user who does not want to decide would.
QList<SeenMessage> answerMessages(const std::function<void()> &action,
                                  QMessageBox::StandardButton questionAnswer = QMessageBox::NoButton);

/// What the next save dialog showed: the folder it opened in and the questions it asked.
struct DialogVisit {
    QString folder;
    QStringList questions;
    QString name;        // the dialog's objectName
    QStringList filters;
    QString title;
    bool saving = false; // in save mode
};

/// Uses the next save dialog as a user would: goes to the folder, picks the
/// filter, types the name and presses Enter, answering each question with the
/// next answer. When the dialog stays open it is cancelled; without a name it
/// is cancelled at once. Message boxes before the dialog are left to others.
DialogVisit useSaveDialog(const std::function<void()> &action, const QString &path = {}, int filter = 0,
                          QList<QMessageBox::StandardButton> answers = {});

/// Types the count into the main window's `howmanytext`.
void typeDropCount(QWidget *window, int count);

/// Types the count into `howmanytext` and presses "Run"; returns the message
/// boxes the Run showed, answered.
QList<SeenMessage> runSubgroups(QWidget *window, int count);

} // namespace testsupport
