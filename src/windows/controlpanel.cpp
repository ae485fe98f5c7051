// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/controlpanel.h"

#include "common/waits.h"
#include "common/zoom.h"
#include "core/controlfactors.h"
#include "core/numberformat.h"
#include "surface/palette.h"
#include "windows/buttonicons.h"
#include "windows/panelfitter.h"
#include "windows/settingboxes.h"
#include "windows/shortcutkeys.h"
#include "windows/speedbar.h"
#include "windows/spinner.h"
#include "windows/statuslabel.h"

#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace kelvara {
namespace {

// Sizes at the normal text size; the zoom multiplies them.
constexpr int normalWidth = 310;
constexpr int settingBoxWidth = 48;
constexpr int dropCountWidth = 40;
constexpr int pictureSide = 34;
constexpr int runButtonHeight = 34;

int wholeNumberIn(const QLineEdit *box)
{
    return toInt16(readNumber(box->text()));
}

// The Run button's caption and the subgroup count stand out from the rest.
QFont emphasised(QFont font)
{
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.2);
    return font;
}

template <class Widget>
Widget *named(Widget *widget, const QString &name)
{
    widget->setObjectName(name);
    return widget;
}

QLineEdit *centredBox(const QString &name, const QString &text, QWidget *parent)
{
    auto *box = named(new QLineEdit(text, parent), name);
    box->setAlignment(Qt::AlignCenter);
    return box;
}

// A picture button's name is what it does, for a screen reader to speak.
QToolButton *pictureButton(const QString &name, const QIcon &icon, const QString &spokenName, QWidget *parent)
{
    auto *button = named(new QToolButton(parent), name);
    button->setIcon(icon);
    button->setAccessibleName(spokenName);
    button->setAutoRaise(false);
    return button;
}

} // namespace

ControlPanel::ControlPanel(QWidget *parent) : QGroupBox(QStringLiteral("Kelvara"), parent)
{
    setObjectName(QStringLiteral("contpanel"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(buildSettings());
    layout->addWidget(buildOperations(), 1);
    // The panel sizes its own text, which the zoom of widget text leaves alone.
    for (QWidget *sized : std::initializer_list<QWidget *>{this, dropbutton, subgroupstatuslabel})
        sized->setProperty("kelvaraOwnTextSize", true);
    m_fitter = std::make_unique<PanelFitter>(this, normalWidth, [this](double factor) { scaleText(factor); });
    using Box = SettingBoxes::SteppedBox;
    m_settingBoxes = std::make_unique<SettingBoxes>(
        Box{rowstext, rowsRange, spnRows}, Box{subgrouptext, subgroupSizeRange, spnSubGroup},
        Box{climitstext, controlLimitRange, spnClimit}, Box{howmanytext, dropCountRange, SpinButton1});
    connectControls();
}

ControlPanel::~ControlPanel() = default;

void ControlPanel::fitInto(QSize room, bool compact)
{
    m_fitter->fitInto(room, compact);
}

QSize ControlPanel::sizeAtZoom()
{
    return m_fitter->sizeAtZoom();
}

QSize ControlPanel::normalSize() const
{
    return m_fitter->normalSize();
}

void ControlPanel::scaleText(double factor)
{
    // A label's size hint never falls below its smallest width: without it
    // the caption would keep the width of any larger text it once had.
    m_subGroupsCaption->setMinimumWidth(0);
    const QFont text = zoom::textFont(factor);
    setFont(text);
    dropbutton->setFont(emphasised(text));
    subgroupstatuslabel->setFont(emphasised(text));
    const auto zoomed = [factor](int size) { return qRound(size * factor); };
    for (QLineEdit *box : {rowstext, subgrouptext, climitstext})
        box->setFixedWidth(zoomed(settingBoxWidth));
    howmanytext->setFixedWidth(zoomed(dropCountWidth));
    dropbutton->setMinimumHeight(zoomed(runButtonHeight));
    for (Spinner *spinner : {spnRows, spnSubGroup, spnClimit, SpinButton1})
        spinner->setZoom(factor);
    for (QToolButton *button : {histbutton, contchrbutton, selfscriptbutton, cmdHelp, exitbutton})
        button->setIconSize(QSize(zoomed(pictureSide), zoomed(pictureSide)));
    keepWhole(m_subGroupsCaption);
}

// The Run button gives way, not the word.
void ControlPanel::keepWhole(QLabel *caption)
{
    caption->setMinimumWidth(caption->sizeHint().width());
}

QGroupBox *ControlPanel::buildSettings()
{
    settingsframe = named(new QGroupBox(QStringLiteral("Settings"), this), QStringLiteral("settingsframe"));
    rowstext = centredBox(QStringLiteral("rowstext"), QStringLiteral("20"), settingsframe);
    spnRows = new Spinner(QStringLiteral("spnRows"), settingsframe);
    spnRows->setToolTip(QStringLiteral("Min:1, Max:20"));
    spnRows->nameFor(QStringLiteral("Offset Rows"));
    subgrouptext = centredBox(QStringLiteral("subgrouptext"), QStringLiteral("5"), settingsframe);
    spnSubGroup = new Spinner(QStringLiteral("spnSubGroup"), settingsframe);
    spnSubGroup->setToolTip(QStringLiteral("Min:1, Max:15"));
    spnSubGroup->nameFor(QStringLiteral("Sub Group Size"));
    climitstext = centredBox(QStringLiteral("climitstext"), QStringLiteral("20"), settingsframe);
    spnClimit = new Spinner(QStringLiteral("spnClimit"), settingsframe);
    spnClimit->setToolTip(QStringLiteral("Min:5, Max:30"));
    spnClimit->nameFor(QStringLiteral("Subgroups before Control Limits"));
    scalequincunxbutton = named(new QPushButton(QStringLiteral("Change Scale"), settingsframe),
                                QStringLiteral("scalequincunxbutton"));

    auto *grid = new QGridLayout(settingsframe);
    const struct { const char *caption; QLineEdit *box; Spinner *spinner; } rows[] = {
        {"Offset Rows", rowstext, spnRows},
        {"Sub Group Size", subgrouptext, spnSubGroup},
        {"Subgroups before Control Limits", climitstext, spnClimit},
    };
    int row = 0;
    for (const auto &setting : rows) {
        auto *label = new QLabel(QString::fromLatin1(setting.caption), settingsframe);
        label->setWordWrap(true);
        label->setBuddy(setting.box);
        setting.box->setAccessibleName(label->text());
        grid->addWidget(label, row, 0);
        grid->addWidget(setting.box, row, 1);
        grid->addWidget(setting.spinner, row, 2);
        ++row;
    }
    grid->setColumnStretch(0, 1);
    grid->addWidget(scalequincunxbutton, row, 0, 1, 3);
    return settingsframe;
}

QFrame *ControlPanel::buildDropGroup()
{
    Panel3D1 = named(new QFrame(this), QStringLiteral("Panel3D1"));
    Panel3D1->setFrameShape(QFrame::StyledPanel);
    howmanytext = named(new QLineEdit(QStringLiteral("5"), Panel3D1), QStringLiteral("howmanytext"));
    howmanytext->setMaxLength(2);
    howmanytext->setAlignment(Qt::AlignCenter);
    howmanytext->setAccessibleName(QStringLiteral("Drop SubGroups"));
    SpinButton1 = new Spinner(QStringLiteral("SpinButton1"), Panel3D1);
    SpinButton1->nameFor(QStringLiteral("Drop SubGroups"));
    dropbutton = named(new QPushButton(QStringLiteral("Run"), Panel3D1), QStringLiteral("dropbutton"));
    keys::giveKey(dropbutton, keys::run, QStringLiteral("Run"));

    auto *layout = new QHBoxLayout(Panel3D1);
    layout->addWidget(new QLabel(QStringLiteral("Drop"), Panel3D1));
    layout->addWidget(howmanytext);
    layout->addWidget(SpinButton1);
    m_subGroupsCaption = new QLabel(QStringLiteral("SubGroups"), Panel3D1);
    keepWhole(m_subGroupsCaption);
    layout->addWidget(m_subGroupsCaption);
    layout->addWidget(dropbutton, 1);
    return Panel3D1;
}

QWidget *ControlPanel::buildPictureButtons()
{
    auto *row = new QWidget(this);
    histbutton = pictureButton(QStringLiteral("histbutton"), histogramIcon(), QStringLiteral("Histograms"), row);
    contchrbutton = pictureButton(QStringLiteral("contchrbutton"), controlChartIcon(), QStringLiteral("Control charts"), row);
    selfscriptbutton = pictureButton(QStringLiteral("selfscriptbutton"), demonstrationIcon(), QStringLiteral("Demonstration"), row);
    cmdHelp = pictureButton(QStringLiteral("cmdHelp"), helpIcon(), QStringLiteral("Help"), row);
    exitbutton = pictureButton(QStringLiteral("exitbutton"), exitIcon(), QStringLiteral("Exit"), row);
    keys::giveKey(histbutton, keys::histograms, QStringLiteral("View Histograms of Subgroup Means and Individuals"));
    keys::giveKey(contchrbutton, keys::controlCharts, QStringLiteral("View Control Charts"));
    keys::giveKey(selfscriptbutton, keys::demonstration, QStringLiteral("View self-running demo"));
    // F1 belongs to every window, and opens the page of the part on show.
    cmdHelp->setToolTip(keys::hintWithKey(QStringLiteral("Help"), keys::help));
    exitbutton->setToolTip(QStringLiteral("Close & Exit Kelvara"));
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    for (QToolButton *button : {histbutton, contchrbutton, selfscriptbutton, cmdHelp, exitbutton})
        layout->addWidget(button);
    return row;
}

QGroupBox *ControlPanel::buildOperations()
{
    auto *frame = named(new QGroupBox(QStringLiteral("Operations"), this), QStringLiteral("operationsframe"));
    auto *layout = new QVBoxLayout(frame);
    layout->addWidget(buildDropGroup());

    Animationcheck = named(new QCheckBox(QStringLiteral("&Animation"), frame), QStringLiteral("Animationcheck"));
    chkTrace = named(new QCheckBox(QStringLiteral("Show Traceline"), frame), QStringLiteral("chkTrace"));
    auto *checks = new QHBoxLayout;
    checks->addWidget(Animationcheck);
    checks->addWidget(chkTrace);
    layout->addLayout(checks);

    HScroll1 = named(new SpeedBar(frame), QStringLiteral("HScroll1"));
    HScroll1->setValue(3);
    HScroll1->setAccessibleName(QStringLiteral("Speed"));
    HScroll1->setAccessibleDescription(QStringLiteral("Slow at the left, fast at the right"));
    layout->addWidget(HScroll1);
    auto *speedCaption = new QLabel(QStringLiteral("<--Slow - Speed - Fast -->"), frame);
    speedCaption->setAlignment(Qt::AlignCenter);
    layout->addWidget(speedCaption);

    bafflepresentcheck = named(new QCheckBox(QStringLiteral("Show Baffle"), frame), QStringLiteral("bafflepresentcheck"));
    layout->addWidget(bafflepresentcheck);

    cmdPause = named(new QPushButton(QStringLiteral("Pause"), frame), QStringLiteral("cmdPause"));
    resetbutton = named(new QPushButton(QStringLiteral("Reset"), frame), QStringLiteral("resetbutton"));
    cmdOutput = named(new QPushButton(QStringLiteral("Export Data"), frame), QStringLiteral("cmdOutput"));
    aboutbutton = named(new QPushButton(QStringLiteral("About"), frame), QStringLiteral("aboutbutton"));
    keys::giveKey(cmdPause, keys::pause, QStringLiteral("Pause"));
    keys::giveKey(resetbutton, keys::reset, QStringLiteral("Reset"));
    keys::giveKey(cmdOutput, keys::exportData, QStringLiteral("Export Data"));
    auto *buttons = new QGridLayout;
    buttons->addWidget(cmdPause, 0, 0);
    buttons->addWidget(resetbutton, 0, 1);
    buttons->addWidget(cmdOutput, 1, 0);
    buttons->addWidget(aboutbutton, 1, 1);
    layout->addLayout(buttons);

    layout->addWidget(buildPictureButtons());
    auto *status = named(new StatusLabel(QStringLiteral("Sub Group 0")), QStringLiteral("subgroupstatuslabel"));
    subgroupstatuslabel = status;
    layout->addWidget(new StatusSlot(status, frame));
    layout->addStretch(1);
    return frame;
}

void ControlPanel::connectControls()
{
    connect(rowstext, &QLineEdit::textChanged, this, &ControlPanel::rowsChanged);
    connect(subgrouptext, &QLineEdit::textChanged, this, &ControlPanel::subgroupSizeChanged);
    connect(dropbutton, &QPushButton::clicked, this, &ControlPanel::runPressed);
    connect(resetbutton, &QPushButton::clicked, this, &ControlPanel::resetPressed);
    connect(cmdPause, &QPushButton::clicked, this, &ControlPanel::pausePressed);
    connect(HScroll1, &QScrollBar::valueChanged, this, &ControlPanel::speedChanged);
    connect(Animationcheck, &QCheckBox::toggled, this, &ControlPanel::Animationcheck_Click);
    connect(chkTrace, &QCheckBox::toggled, this, &ControlPanel::traceChanged);
    connect(bafflepresentcheck, &QCheckBox::toggled, this, &ControlPanel::baffleChanged);
    connect(histbutton, &QToolButton::clicked, this, &ControlPanel::histogramsPressed);
    connect(contchrbutton, &QToolButton::clicked, this, &ControlPanel::chartsPressed);
    connect(cmdHelp, &QToolButton::clicked, this, &ControlPanel::helpPressed);
    connect(exitbutton, &QToolButton::clicked, this, &ControlPanel::exitPressed);
    connect(scalequincunxbutton, &QPushButton::clicked, this, &ControlPanel::scalePressed);
    connect(aboutbutton, &QPushButton::clicked, this, &ControlPanel::aboutPressed);
    connect(selfscriptbutton, &QToolButton::clicked, this, &ControlPanel::demonstrationPressed);
    connect(cmdOutput, &QPushButton::clicked, this, &ControlPanel::exportPressed);

    // The speed and the trace matter only while the ball is animated.
    HScroll1->setEnabled(false);
    chkTrace->setEnabled(false);
}

RunSettings ControlPanel::settings() const
{
    RunSettings settings;
    settings.rows = wholeNumberIn(rowstext);
    settings.subgroupSize = wholeNumberIn(subgrouptext);
    settings.limitCount = wholeNumberIn(climitstext);
    settings.dropCount = wholeNumberIn(howmanytext);
    settings.animated = Animationcheck->isChecked();
    settings.baffle = bafflepresentcheck->isChecked();
    return settings;
}

int ControlPanel::subgroupSize() const
{
    return ControlFactors::indexFor(wholeNumberIn(subgrouptext));
}

int16 ControlPanel::pinLevels() const
{
    return toInt16(readNumber(rowstext->text()) + 1.0);
}

QString ControlPanel::settingText(DemoControl setting) const
{
    return settingBox(setting)->text();
}

void ControlPanel::setRunning(bool running)
{
    const QList<QWidget *> controls = {
        Panel3D1, Animationcheck, HScroll1, chkTrace, bafflepresentcheck, cmdOutput,
        resetbutton, histbutton, contchrbutton, selfscriptbutton, settingsframe,
    };
    for (QWidget *control : controls)
        control->setEnabled(!running);
}

void ControlPanel::showSubgroupCount(int subgroups)
{
    const bool processGoingOn = subgroups >= 1;
    m_settingBoxes->setProcessGoingOn(processGoingOn);
    subgroupstatuslabel->setText(processGoingOn ? QStringLiteral("Sub Group #") + QString::number(subgroups)
                                                : QStringLiteral("Sub Group 0"));
    // The count shows at once, not when events next run.
    subgroupstatuslabel->repaint();
}

void ControlPanel::setSpeedPosition(int position)
{
    HScroll1->setValue(position);
}

void ControlPanel::focusRun()
{
    dropbutton->setFocus();
}

QList<QWidget *> ControlPanel::tabOrder() const
{
    return {rowstext, spnRows, subgrouptext, spnSubGroup, climitstext, spnClimit,
            scalequincunxbutton, dropbutton, howmanytext, SpinButton1, Animationcheck,
            chkTrace, bafflepresentcheck, HScroll1, cmdOutput, cmdPause, resetbutton,
            histbutton, contchrbutton, selfscriptbutton, cmdHelp, aboutbutton, exitbutton};
}

void ControlPanel::setSettingText(DemoControl setting, const QString &text)
{
    settingBox(setting)->setText(text);
}

void ControlPanel::setOption(DemoControl option, bool ticked)
{
    optionBox(option)->setChecked(ticked);
}

void ControlPanel::highlightSetting(DemoControl setting, double seconds)
{
    QLineEdit *box = settingBox(setting);
    const QPalette previous = box->palette();
    const bool ownPalette = box->testAttribute(Qt::WA_SetPalette);
    QPalette yellow = previous;
    yellow.setColor(QPalette::Base, qbColor(14));
    // The control panel is disabled meanwhile; its grey letters would fade on yellow.
    yellow.setColor(QPalette::Disabled, QPalette::Text, previous.color(QPalette::Active, QPalette::Text));
    box->setPalette(yellow);
    waitSeconds(seconds);
    box->setPalette(ownPalette ? previous : QPalette());
}

void ControlPanel::readyForDemonstration()
{
    setEnabled(true);
    Animationcheck->setChecked(true);
    repaint();
}

QLineEdit *ControlPanel::settingBox(DemoControl setting) const
{
    switch (setting) {
    case DemoControl::Rows:
        return rowstext;
    case DemoControl::SubgroupSize:
        return subgrouptext;
    case DemoControl::ControlLimits:
        return climitstext;
    default:
        return howmanytext;
    }
}

QCheckBox *ControlPanel::optionBox(DemoControl option) const
{
    switch (option) {
    case DemoControl::Trace:
        return chkTrace;
    case DemoControl::Baffle:
        return bafflepresentcheck;
    default:
        return Animationcheck;
    }
}

void ControlPanel::Animationcheck_Click()
{
    const bool ticked = Animationcheck->isChecked();
    HScroll1->setEnabled(ticked);
    chkTrace->setEnabled(ticked);
    if (!ticked)
        chkTrace->setChecked(false);
}

} // namespace kelvara
