// SPDX-License-Identifier: GPL-3.0-or-later
#include "board/quincunxboard.h"

#include "core/numberformat.h"
#include "core/pathstepper.h"
#include "surface/drawingsurface.h"
#include "surface/overlay.h"
#include "surface/palette.h"

#include <QLabel>

namespace kelvara {
namespace {

constexpr double slotWidth = 2.5;
constexpr double specLineBottomAtFirstDraw = 18.49;
constexpr QColor boardBackground(255, 255, 190);

QLabel *specLabel(DrawingSurface *picture, const QString &name, const QString &text)
{
    auto *label = new QLabel(text, picture);
    label->setObjectName(name);
    label->setStyleSheet(QStringLiteral("QLabel { color: rgb(0,0,255); background: transparent; font-weight: bold; }"));
    label->hide();
    return label;
}

OverlayLine *specLine(DrawingSurface *picture, const QString &name)
{
    auto *line = new OverlayLine(picture, name);
    line->setColour(QColor(0, 0, 255));
    line->setStyle(Qt::DashLine);
    line->setWidth(2);
    line->setLine(0, QuincunxBoard::specLineTop, 0, specLineBottomAtFirstDraw);
    line->setVisible(false);
    return line;
}

} // namespace

QuincunxBoard::QuincunxBoard(DrawingSurface *picture, QuincunxRun &run)
    : m_picture(picture), m_quincunx(run), m_run(run.state()), m_shared(run.shared()), m_shapes(picture),
      m_funnel(picture, m_run, m_shared), m_funnelRules(picture, m_run), m_baffle(picture, m_run, m_shapes),
      m_dropper(picture, run, m_shapes),
      m_usl(specLine(picture, QStringLiteral("usl"))), m_lsl(specLine(picture, QStringLiteral("lsl"))),
      m_uslLabel(specLabel(picture, QStringLiteral("usllabel"), QStringLiteral("USL"))),
      m_lslLabel(specLabel(picture, QStringLiteral("lsllabel"), QStringLiteral("LSL")))
{
    m_picture->setBackColor(boardBackground);
}

void QuincunxBoard::setUp()
{
    m_picture->setScale(0, 100, 100, 0);
}

void QuincunxBoard::drawQuincunx(int16 pinLevels)
{
    if (m_newRun)
        m_newRun();
    draw(pinLevels, false);
}

void QuincunxBoard::redrawQuincunx(int16 pinLevels)
{
    m_run.funnelPosition = 16.0f;
    m_picture->cls();
    draw(pinLevels, true);
}

void QuincunxBoard::draw(int16 pinLevels, bool keepPiles)
{
    m_run.pinLevels = pinLevels;
    m_funnelRules.end();
    m_picture->setForeColor(qbColor(9));
    drawPins(keepPiles ? 32 : 31);
    drawSlots();
    drawMeasurementScale();
    placeSpecLines(keepPiles);
    m_funnel.putHome();
    m_baffle.place(m_shapes.height());
    drawCountScale(m_slotOrigin - 2);
    m_baffle.setShown(m_quincunx.settings().baffle);
    if (keepPiles)
        drawPiles();
    m_picture->line(1, 0.25, 99, 99, m_picture->foreColor(), true);
    m_funnel.placeButtons();
    if (!keepPiles)
        m_quincunx.clearLimitTexts();
    m_funnel.showProcessCenter();
    m_quincunx.updateCapability();
    m_run.isRunning = false;
}

void QuincunxBoard::drawPins(int pinsPerRow)
{
    double rowStart = 10.0;
    double y = geometry::firstRowY;
    for (int row = 1; row <= geometry::pinRows; ++row) {
        for (int j = 0; j < pinsPerRow; ++j) {
            const double x = rowStart + slotWidth * j;
            if (row == 1) {
                m_picture->setDrawWidth(1);
                m_picture->line(x, y, x, y + 1);
            } else {
                m_picture->setDrawWidth(3);
                m_picture->pset(x, y, qbColor(4));
            }
        }
        y -= geometry::rowStepY;
        if (row < m_run.pinLevels)
            rowStart = rowStart == 10.0 ? 11.25 : 10.0;
    }
    m_picture->setDrawWidth(1);
    m_run.pinsBottomY = float(y);
    m_slotOrigin = rowStart;
}

void QuincunxBoard::drawSlots()
{
    const double top = m_run.pinsBottomY;
    for (int j = 0; j <= 31; ++j) {
        const double x = m_slotOrigin + slotWidth * j;
        m_picture->line(x, top, x, geometry::floorY, qbColor(13));
        if (j < slotTotal)
            m_run.slotX[j + 1] = float(m_slotOrigin + 1.25 + slotWidth * j);
    }
    m_picture->line(m_slotOrigin, geometry::floorY, m_slotOrigin + 77.5, geometry::floorY, qbColor(13));
}

void QuincunxBoard::drawMeasurementScale()
{
    m_picture->setFontSize(8);
    const Scale &scale = m_shared.scale;
    const struct { int slot; QString text; } marks[] = {
        {1, printedNumber(scale.low())},
        {16, printedNumber(scale.center)},
        {31, plainNumber(scale.high())},
    };
    for (const auto &mark : marks) {
        m_picture->setCurrentX(m_slotOrigin + slotWidth * (mark.slot - 1));
        m_picture->setCurrentY(geometry::floorY);
        m_picture->print(mark.text);
    }
}

void QuincunxBoard::placeSpecLines(bool redraw)
{
    placeSpecLine(m_usl, m_uslLabel, m_shared.scale.usl, redraw);
    placeSpecLine(m_lsl, m_lslLabel, m_shared.scale.lsl, redraw);
}

void QuincunxBoard::placeSpecLine(OverlayLine *line, QLabel *label, float limit, bool redraw)
{
    const Scale &scale = m_shared.scale;
    const bool shown = scale.showSpecLimits && scale.low() <= limit && limit <= scale.high();
    if (shown) {
        const double x = m_slotOrigin + 1.25
                         + (double(limit) - double(scale.low())) * 30.0 * slotWidth / (2.0 * double(scale.halfWidth));
        line->setLine(x, specLineTop, x, redraw ? geometry::floorY : line->y2());
        m_picture->placeWidget(label, x + 0.5, specLineTop, 5.0, 2.6);
    }
    line->setVisible(shown);
    label->setVisible(shown);
}

void QuincunxBoard::drawCountScale(double x)
{
    const double h = m_shapes.height();
    const auto printLabel = [&](double y, const QString &text) {
        m_picture->setCurrentX(x - (2 * m_picture->textWidth(QStringLiteral("HH")) + 0.5));
        m_picture->setCurrentY(y - m_picture->textHeight(QStringLiteral("H")) / 2);
        m_picture->print(text, true);
    };
    m_picture->setDrawWidth(1);
    m_picture->line(x, geometry::floorY, x, geometry::floorY + 75 * h);
    m_picture->line(x, geometry::floorY, x - 1.5, geometry::floorY);
    printLabel(geometry::floorY, QStringLiteral(" 0"));
    double y = geometry::floorY + h;
    for (int i = 1; i <= 15; ++i) {
        for (int minor = 0; minor < 4; ++minor) {
            m_picture->line(x, y, x - 0.5, y);
            y += h;
        }
        m_picture->line(x, y, x - 1.5, y);
        printLabel(y, formatNumber(5 * i, i == 1 ? QStringLiteral(" 0") : QStringLiteral("00")));
        y += h;
    }
}

void QuincunxBoard::drawPiles()
{
    const double h = m_shapes.height();
    m_picture->setFillColor(qbColor(12));
    m_picture->setFillSolid(true);
    for (int k = 1; k <= slotTotal; ++k) {
        const double x = m_slotOrigin - 1.25 + slotWidth * k;
        for (int i = 1; i <= m_run.slotCount[k]; ++i)
            m_picture->circle(x, geometry::floorY + i * h - h / 2, h / 2, qbColor(0));
    }
    m_picture->setFillSolid(false);
}

void QuincunxBoard::scaleQuincunx(bool newRun, int16 pinLevels)
{
    m_picture->cls();
    if (newRun) {
        drawQuincunx(pinLevels);
    } else {
        m_baffle.release();
        redrawQuincunx(pinLevels);
    }
}

void QuincunxBoard::changeRows(int16 pinLevels)
{
    m_baffle.drain();
    redrawQuincunx(pinLevels);
    m_shapes.clearTraceLines();
    m_run.isRunning = false;
}

} // namespace kelvara
