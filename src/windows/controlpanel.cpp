// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/controlpanel.h"

#include "common/zoom.h"
#include "windows/buttonicons.h"
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

#include <algorithm>
#include <cmath>

namespace kelvara {
namespace {

// Sizes at the normal text size; the zoom multiplies them.
constexpr int normalWidth = 310;
constexpr int settingBoxWidth = 48;
constexpr int dropCountWidth = 40;
constexpr int pictureSide = 34;
constexpr int runButtonHeight = 34;

// Spare room makes the text at most twice as large as the zoom asks.
constexpr double largestGrowth = 2.0;
// The text grows and shrinks in steps, so that dragging the window's edge
// lays the panel out again only now and then.
constexpr double scaleStep = 0.05;

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

QLineEdit *settingBox(const QString &name, const QString &text, QWidget *parent)
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
    setTextScale(1.0);
    setFixedWidth(normalWidth);
    m_normalSize = QSize(normalWidth, neededHeight(normalWidth));
}

void ControlPanel::fitInto(QSize room, bool compact)
{
    if (room == m_fittedRoom && zoom::factor() == m_fittedZoom && compact == m_fittedCompact)
        return;
    m_fittedRoom = room;
    m_fittedZoom = zoom::factor();
    m_fittedCompact = compact;
    // The largest step of text that fits, found by halving: a larger text
    // never needs less room.
    const double largest = compact ? zoom::factor() : zoom::factor() * largestGrowth;
    int fitting = 0;
    int tooLarge = int(std::lround((largest - 1.0) / scaleStep)) + 1;
    while (tooLarge - fitting > 1) {
        const int middle = (fitting + tooLarge) / 2;
        if (fitsAt(1.0 + middle * scaleStep, room, compact))
            fitting = middle;
        else
            tooLarge = middle;
    }
    setTextScale(1.0 + fitting * scaleStep);
    setFixedWidth(widthIn(room, compact));
}

QSize ControlPanel::sizeAtZoom()
{
    setTextScale(zoom::factor());
    m_fittedRoom = QSize();
    const int width = narrowestWidth();
    return {width, neededHeight(width)};
}

bool ControlPanel::fitsAt(double factor, QSize room, bool compact)
{
    setTextScale(factor);
    const int width = widthIn(room, compact);
    return width <= room.width() && neededHeight(width) <= room.height();
}

// At the normal text size the panel keeps its normal width, as it always has.
int ControlPanel::narrowestWidth() const
{
    return m_textScale == 1.0 ? normalWidth : std::max(normalWidth, minimumSizeHint().width());
}

int ControlPanel::widthIn(QSize room, bool compact) const
{
    return compact ? narrowestWidth() : std::max(narrowestWidth(), room.width());
}

// Captions that wrap need fewer lines the wider the panel is.
int ControlPanel::neededHeight(int width) const
{
    const int wrapped = hasHeightForWidth() ? heightForWidth(width) : -1;
    return std::max(1, wrapped > 0 ? wrapped : minimumSizeHint().height());
}

void ControlPanel::setTextScale(double factor)
{
    if (factor == m_textScale)
        return;
    m_textScale = factor;
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
    settleLayouts();
}

// The groups inside the panel tell it their new sizes only once their
// layouts have run: innermost first, so that each passes its size outwards.
void ControlPanel::settleLayouts()
{
    const QList<QWidget *> inside = findChildren<QWidget *>();
    for (auto widget = inside.crbegin(); widget != inside.crend(); ++widget)
        if (QLayout *own = (*widget)->layout())
            own->activate();
    layout()->activate();
}

// The Run button gives way, not the word.
void ControlPanel::keepWhole(QLabel *caption)
{
    caption->setMinimumWidth(caption->sizeHint().width());
}

QGroupBox *ControlPanel::buildSettings()
{
    settingsframe = named(new QGroupBox(QStringLiteral("Settings"), this), QStringLiteral("settingsframe"));
    rowstext = settingBox(QStringLiteral("rowstext"), QStringLiteral("20"), settingsframe);
    spnRows = new Spinner(QStringLiteral("spnRows"), settingsframe);
    spnRows->setToolTip(QStringLiteral("Min:1, Max:20"));
    spnRows->nameFor(QStringLiteral("Offset Rows"));
    subgrouptext = settingBox(QStringLiteral("subgrouptext"), QStringLiteral("5"), settingsframe);
    spnSubGroup = new Spinner(QStringLiteral("spnSubGroup"), settingsframe);
    spnSubGroup->setToolTip(QStringLiteral("Min:1, Max:15"));
    spnSubGroup->nameFor(QStringLiteral("Sub Group Size"));
    climitstext = settingBox(QStringLiteral("climitstext"), QStringLiteral("20"), settingsframe);
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

} // namespace kelvara
