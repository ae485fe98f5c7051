#include "reports/histogramsview.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>

namespace kelvara {

HistogramsView::HistogramsView(QWidget *parent)
    : QWidget(parent), m_table(new QTableWidget(this)),
      m_output(new QPushButton(QStringLiteral("&Output Data"), this)),
      m_back(new QPushButton(QStringLiteral("Back"), this))
{
    setObjectName(QStringLiteral("Histogrampanel"));
    m_output->setObjectName(QStringLiteral("cmdHistoOutput"));
    m_back->setObjectName(QStringLiteral("histbackbutton"));

    auto *layout = new QGridLayout(this);
    auto *tableCaption = new QLabel(QStringLiteral("Subgroup Data, Average && Range:"), this);
    tableCaption->setTextFormat(Qt::PlainText);
    tableCaption->setText(QStringLiteral("Subgroup Data, Average & Range:"));
    layout->addWidget(tableCaption, 0, 1);
    layout->addWidget(m_table, 1, 1, 3, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_output);
    buttons->addWidget(m_back);
    layout->addLayout(buttons, 4, 0, 1, 2);
}

void HistogramsView::showRun(const RunState &, const SharedState &, const TextTable &) {}

} // namespace kelvara
