#include "reports/controlchartswindow.h"

#include "reports/chartdatasource.h"
#include "surface/drawingsurface.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace kelvara {
namespace {

QLabel *titleLabel(const QString &name, QWidget *parent, bool bold)
{
    auto *label = new QLabel(parent);
    label->setObjectName(name);
    QFont font = label->font();
    font.setBold(bold);
    font.setPointSizeF(font.pointSizeF() * 1.15);
    label->setFont(font);
    return label;
}

DrawingSurface *chartPicture(const QString &name, QWidget *parent)
{
    auto *picture = new DrawingSurface(parent);
    picture->setObjectName(name);
    picture->setBackColor(QColor(255, 255, 204));
    picture->setReferenceHeight(300);
    return picture;
}

} // namespace

ControlChartsWindow::ControlChartsWindow(ChartDataSource &source, QWidget *parent)
    : QWidget(parent, Qt::Window), m_source(source),
      m_xTitle(titleLabel(QStringLiteral("xcharttitle"), this, true)),
      m_xValues(titleLabel(QStringLiteral("xvaluestitle"), this, false)),
      m_rTitle(titleLabel(QStringLiteral("rcharttitle"), this, true)),
      m_rValues(titleLabel(QStringLiteral("rvaluestitle"), this, false)),
      m_xChart(chartPicture(QStringLiteral("xchartpicture"), this)),
      m_rChart(chartPicture(QStringLiteral("rchartpicture"), this)),
      m_fastLeft(pagingButton(QStringLiteral("chartfastlbutton"), tr("Back ten subgroups"), Qt::LeftArrow, true)),
      m_left(pagingButton(QStringLiteral("chartlbutton"), tr("Back one subgroup"), Qt::LeftArrow, false)),
      m_right(pagingButton(QStringLiteral("chartrbutton"), tr("Forward one subgroup"), Qt::RightArrow, false)),
      m_fastRight(pagingButton(QStringLiteral("chartfastrbutton"), tr("Forward ten subgroups"), Qt::RightArrow, true)),
      m_close(new QPushButton(QStringLiteral("Close"), this))
{
    setObjectName(QStringLiteral("frmCtrlChrt"));
    setWindowTitle(QStringLiteral("Control Charts"));
    m_close->setObjectName(QStringLiteral("chartpanelclosebutton"));

    auto *layout = new QVBoxLayout(this);
    const auto titleRow = [&](QLabel *title, QLabel *values) {
        auto *row = new QHBoxLayout;
        row->addWidget(title);
        row->addSpacing(12);
        row->addWidget(values, 1);
        layout->addLayout(row);
    };
    titleRow(m_xTitle, m_xValues);
    layout->addWidget(m_xChart, 2055);
    titleRow(m_rTitle, m_rValues);
    layout->addWidget(m_rChart, 1455);
    auto *buttons = new QHBoxLayout;
    for (QToolButton *button : {m_fastLeft, m_left, m_right, m_fastRight})
        buttons->addWidget(button);
    buttons->addStretch(1);
    buttons->addWidget(m_close);
    layout->addLayout(buttons);

    connect(m_close, &QPushButton::clicked, this, &QWidget::hide);
    resize(760, 620);
    setupXBarChart();
    setupRChart();
}

QToolButton *ControlChartsWindow::pagingButton(const QString &name, const QString &hint,
                                               Qt::ArrowType arrow, bool fast)
{
    auto *button = new QToolButton(this);
    button->setObjectName(name);
    button->setArrowType(arrow);
    button->setToolTip(hint);
    button->setToolButtonStyle(fast ? Qt::ToolButtonTextBesideIcon : Qt::ToolButtonIconOnly);
    if (fast)
        button->setText(QStringLiteral("10"));
    return button;
}

void ControlChartsWindow::setChartTitles(int subgroupSize)
{
    const bool individuals = subgroupSize == 1;
    m_xTitle->setText(individuals ? QStringLiteral("X Chart:") : QStringLiteral("XBar Chart:"));
    m_rTitle->setText(individuals ? QStringLiteral("MR Chart:") : QStringLiteral("R Chart:"));
}

void ControlChartsWindow::setValueTitles(const QString &xValues, const QString &rValues)
{
    m_xValues->setText(xValues);
    m_rValues->setText(rValues);
}

void ControlChartsWindow::setupXBarChart()
{
    m_xChart->cls();
}

void ControlChartsWindow::setupRChart()
{
    m_rChart->cls();
}

void ControlChartsWindow::resetCharts()
{
    setupXBarChart();
    setupRChart();
}

void ControlChartsWindow::drawcharts(int first)
{
    if (first < 1)
        return;
    setupXBarChart();
    setupRChart();
}

void ControlChartsWindow::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        hide();
        return;
    }
    QWidget::keyPressEvent(event);
}

void ControlChartsWindow::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
}

} // namespace kelvara
