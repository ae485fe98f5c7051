// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window's control panel (`contpanel`, captioned "Kelvara"): the
// settings frame, the drop group and the operations. It only builds and lays
// out the controls; the main window handles their events.

#include <QGroupBox>

class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;
class QToolButton;

namespace kelvara {

class Spinner;

class ControlPanel : public QGroupBox {
    Q_OBJECT
public:
    explicit ControlPanel(QWidget *parent = nullptr);

    /// Chooses the text size and the width for `room`: the width the board
    /// leaves beside it and the height of the window. The text is as large as
    /// the zoom asks while `screenHeight` holds the panel, and grows into
    /// spare room to at most twice that size; the panel is never narrower
    /// than its contents. A `compact` panel keeps to that narrowest width and
    /// to the zoom's size.
    void fitInto(QSize room, int screenHeight, bool compact);

    QGroupBox *settingsframe;
    QLineEdit *rowstext;
    Spinner *spnRows;
    QLineEdit *subgrouptext;
    Spinner *spnSubGroup;
    QLineEdit *climitstext;
    Spinner *spnClimit;
    QPushButton *scalequincunxbutton;

    QFrame *Panel3D1;
    QLineEdit *howmanytext;
    Spinner *SpinButton1;
    QPushButton *dropbutton;

    QCheckBox *Animationcheck;
    QCheckBox *chkTrace;
    QScrollBar *HScroll1;
    QCheckBox *bafflepresentcheck;
    QPushButton *cmdPause;
    QPushButton *resetbutton;
    QPushButton *cmdOutput;
    QLabel *subgroupstatuslabel;

    QToolButton *histbutton;
    QToolButton *contchrbutton;
    QToolButton *selfscriptbutton;
    QToolButton *cmdHelp;
    QPushButton *aboutbutton;
    QToolButton *exitbutton;

private:
    static void keepWhole(QLabel *caption);
    /// Text, boxes, arrows and pictures `factor` times their normal size.
    void setTextScale(double factor);
    double textScaleFor(QSize room, int tallest, bool compact) const;
    int widthIn(QSize room, bool compact) const;
    int neededHeight(int width) const;
    QGroupBox *buildSettings();
    QGroupBox *buildOperations();
    QFrame *buildDropGroup();
    QWidget *buildPictureButtons();

    QLabel *m_subGroupsCaption = nullptr;
    double m_textScale = 0.0;
};

} // namespace kelvara
