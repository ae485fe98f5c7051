#pragma once
// The label that counts subgroups during a Run. It changes after every
// subgroup, so it keeps a fixed size hint (no relayout of the panel) and
// draws its text from a prepared layout.

#include <QLabel>
#include <QStaticText>

namespace kelvara {

class StatusLabel : public QLabel {
    Q_OBJECT
public:
    StatusLabel(const QString &text, QWidget *parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    QSize m_hint;
    QStaticText m_shown;
};

} // namespace kelvara
