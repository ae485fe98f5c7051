// SPDX-License-Identifier: GPL-3.0-or-later
#include "latenessprobe.h"

#include <QCoreApplication>
#include <QEvent>

#include <algorithm>

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto interval = std::chrono::milliseconds(2);

class StampEvent : public QEvent {
public:
    static inline const Type stampType = Type(registerEventType());
    StampEvent() : QEvent(stampType), sent(Clock::now()) {}
    const Clock::time_point sent;
};

} // namespace

LatenessProbe::LatenessProbe() : m_poster([this] { post(); }) {}

LatenessProbe::~LatenessProbe()
{
    m_posting = false;
    if (m_poster.joinable())
        m_poster.join();
}

void LatenessProbe::post()
{
    for (auto next = Clock::now(); m_posting; next += interval) {
        QCoreApplication::postEvent(this, new StampEvent);
        std::this_thread::sleep_until(next + interval);
    }
}

bool LatenessProbe::event(QEvent *event)
{
    if (event->type() != StampEvent::stampType)
        return QObject::event(event);
    const auto late = Clock::now() - static_cast<StampEvent *>(event)->sent;
    m_lateMs.push_back(std::chrono::duration<double, std::milli>(late).count());
    return true;
}

LatenessProbe::Figures LatenessProbe::finish()
{
    m_posting = false;
    if (m_poster.joinable())
        m_poster.join();
    QCoreApplication::sendPostedEvents(this, StampEvent::stampType);
    std::vector<double> sorted = m_lateMs;
    std::sort(sorted.begin(), sorted.end());
    if (sorted.empty())
        return {};
    const auto at = [&sorted](double share) { return sorted[std::size_t(share * double(sorted.size() - 1))]; };
    return {sorted.back(), at(0.99), at(0.5), sorted.size()};
}
