// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window's control panel (`contpanel`, captioned "Kelvara"): the
// settings frame, the drop group and the operations. It keeps its boxes to
// what they may hold, tells what its controls ask for through signals and
// offers the settings it shows; the main window wires it to the run.

#include "core/demoscript.h"
#include "core/dropcycle.h"
#include "core/numeric.h"
#include "core/settingranges.h"

#include <QGroupBox>
#include <QList>

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

    /// The run's settings as the boxes show them; the ball's height is the
    /// board's to fill in.
    RunSettings settings() const;
    /// n, as the factor tables are indexed.
    int subgroupSize() const;
    /// k: the subgroups the control limits are fixed from.
    int controlLimitCount() const;
    /// The board's pin levels: one more than the offset rows.
    int16 pinLevels() const;
    /// The text a setting's box shows.
    QString settingText(DemoControl setting) const;
    bool baffleShown() const;

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

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Event handlers of the boxes and of Animation.
    /// A spinner's up (+1) or down (-1) event on the box it steps.
    void spinnerStep(QLineEdit *box, int step);
    void howmanytext_LostFocus();
    void Animationcheck_Click();

    void connectControls();
    QLineEdit *settingBox(DemoControl setting) const;
    QCheckBox *optionBox(DemoControl option) const;

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

    /// A setting box, the range its spinner steps it within, and the spinner.
    struct SteppedBox {
        QLineEdit *box;
        SettingRange range;
        Spinner *spinner;
    };
    QList<SteppedBox> m_steppedBoxes;
    bool m_processGoingOn = false;

    QLabel *m_subGroupsCaption = nullptr;
    double m_textScale = 0.0;
    QSize m_normalSize;
    // The room and zoom the panel was last fitted to: the same again changes nothing.
    QSize m_fittedRoom;
    double m_fittedZoom = 0.0;
    bool m_fittedCompact = false;
};

} // namespace kelvara
