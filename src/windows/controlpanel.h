// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window's control panel (`contpanel`, captioned "Kelvara"): the
// settings frame, the drop group and the operations. It builds and lays them
// out, fits its text to the room it is given, tells what its controls ask for
// through signals and offers the settings it shows; the main window wires it
// to the run. What its setting boxes accept is SettingBoxes' part.

#include "core/demoscript.h"
#include "core/dropcycle.h"
#include "core/numeric.h"

#include <QGroupBox>
#include <QList>

#include <memory>

class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;
class QToolButton;

namespace kelvara {

class PanelFitter;
class SettingBoxes;
class Spinner;

class ControlPanel : public QGroupBox {
    Q_OBJECT
public:
    explicit ControlPanel(QWidget *parent = nullptr);
    ~ControlPanel() override;

    /// Chooses the text size and the width for `room`, the width beside the
    /// board and the window's height (see PanelFitter::fitInto).
    void fitInto(QSize room, bool compact);
    /// The narrowest width and the height the panel needs with its text at
    /// the zoom's size.
    QSize sizeAtZoom();
    /// The panel's size with its normal text: the least it ever needs.
    QSize normalSize() const;

    /// The run's settings as the boxes show them; the ball's height is the
    /// board's to fill in.
    RunSettings settings() const;
    /// n, as the factor tables are indexed.
    int subgroupSize() const;
    /// The board's pin levels: one more than the offset rows.
    int16 pinLevels() const;
    /// The text a setting's box shows.
    QString settingText(DemoControl setting) const;

    /// Locks the controls that must wait while balls drop ("Pause" and the
    /// help stay), or unlocks them.
    void setRunning(bool running);
    /// Shows the subgroups dropped since the reset. From the first one on
    /// the process is going on: the subgroup size and k keep their values.
    void showSubgroupCount(int subgroups);
    /// Puts the speed bar at a position from 1 (fastest) to 5.
    void setSpeedPosition(int position);
    /// Gives the keyboard to "Run".
    void focusRun();
    /// The panel's controls in the order Tab moves through them.
    QList<QWidget *> tabOrder() const;

    // The demonstration sets the controls as a teacher would.
    void setSettingText(DemoControl setting, const QString &text);
    void setOption(DemoControl option, bool ticked);
    /// Shows a setting's box on yellow for `seconds`.
    void highlightSetting(DemoControl setting, double seconds);
    /// Unlocks the panel and ticks Animation.
    void readyForDemonstration();

signals:
    void runPressed();
    void pausePressed();
    void resetPressed();
    void exportPressed();
    void scalePressed();
    void aboutPressed();
    void histogramsPressed();
    void chartsPressed();
    void demonstrationPressed();
    void helpPressed();
    void exitPressed();
    void rowsChanged();
    void subgroupSizeChanged();
    /// The speed bar moved to `position`, 1 (fastest) to 5.
    void speedChanged(int position);
    void traceChanged(bool shown);
    void baffleChanged(bool shown);

private:
    /// Animation enables the speed bar and Trace; without it Trace clears.
    void Animationcheck_Click();

    void connectControls();
    QLineEdit *settingBox(DemoControl setting) const;
    QCheckBox *optionBox(DemoControl option) const;

    static void keepWhole(QLabel *caption);
    /// Text, boxes, arrows and pictures `factor` times their normal size.
    void scaleText(double factor);
    QGroupBox *buildSettings();
    QGroupBox *buildOperations();
    QFrame *buildDropGroup();
    QWidget *buildPictureButtons();

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

    QLabel *m_subGroupsCaption = nullptr;
    // Owned here rather than as a child, so that the boxes' event filter is
    // gone before the boxes are.
    std::unique_ptr<SettingBoxes> m_settingBoxes;
    std::unique_ptr<PanelFitter> m_fitter;
};

} // namespace kelvara
