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

    /// Sizes the boxes, arrows and pictures for text `factor` times its normal size.
    void setZoom(double factor);

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
    QGroupBox *buildSettings();
    QGroupBox *buildOperations();
    QFrame *buildDropGroup();
    QWidget *buildPictureButtons();

    QLabel *m_subGroupsCaption = nullptr;
};

} // namespace kelvara
