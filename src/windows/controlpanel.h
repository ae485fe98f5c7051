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

    /// Chooses the text size and the width for `room`, the width beside the
    /// board and the window's height: the zoom's size as far as the room holds
    /// the panel, larger into spare room (to at most twice the zoom's size),
    /// smaller where the room is too small, never below the normal size. The
    /// panel is never narrower than its contents. A `compact` panel keeps to
    /// that narrowest width and to the zoom's size at most.
    void fitInto(QSize room, bool compact);

    /// The narrowest width and the height the panel needs with its text at
    /// the zoom's size.
    QSize sizeAtZoom();

    /// The panel's size with its normal text: the least it ever needs.
    QSize normalSize() const { return m_normalSize; }

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
    void settleLayouts();
    /// Whether the panel with its text `factor` times the normal size fits `room`.
    bool fitsAt(double factor, QSize room, bool compact);
    int narrowestWidth() const;
    int widthIn(QSize room, bool compact) const;
    int neededHeight(int width) const;
    QGroupBox *buildSettings();
    QGroupBox *buildOperations();
    QFrame *buildDropGroup();
    QWidget *buildPictureButtons();

    QLabel *m_subGroupsCaption = nullptr;
    double m_textScale = 0.0;
    QSize m_normalSize;
    // The room and zoom the panel was last fitted to: the same again changes nothing.
    QSize m_fittedRoom;
    double m_fittedZoom = 0.0;
    bool m_fittedCompact = false;
};

} // namespace kelvara
