// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How long the interface thread keeps an event waiting: a second thread posts
// a time-stamped event to the probe every 2 ms, and the probe notes how late
// each one is handled. A repaint, the window manager's ping or a click waits
// as long. The probe's events are no user input, so no wait holds them.

#include <QObject>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

class LatenessProbe : public QObject {
public:
    LatenessProbe();
    ~LatenessProbe() override;

    /// Milliseconds late, the worst, the 99th percentile and the median.
    struct Figures {
        double worst = 0;
        double p99 = 0;
        double median = 0;
        std::size_t samples = 0;
    };
    /// Stops posting, handles what is still queued and sums up.
    Figures finish();

protected:
    bool event(QEvent *event) override;

private:
    void post();

    std::vector<double> m_lateMs;
    std::atomic<bool> m_posting{true};
    std::thread m_poster;
};
