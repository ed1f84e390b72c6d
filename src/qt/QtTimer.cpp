#include "qt/QtTimer.h"

#include <QTimer>
#include <algorithm>

namespace volmograph {

QtTimer::QtTimer() : m_owner(std::make_unique<QObject>()) {}

QtTimer::~QtTimer() = default;

bool QtTimer::Start(int id, int periodMs, std::function<void(int)> handler) {
  if (!handler) {
    return false;
  }
  Stop(id);
  auto* timer = new QTimer(m_owner.get());
  // The connection owns the handler until the timer is deleted, which Stop defers, so a
  // handler that stops its own timer finishes on a handler that still exists. Qt never
  // activates a timer again while its timeout is still being handled.
  QObject::connect(timer, &QTimer::timeout, timer,
                   [handler = std::move(handler), id] { handler(id); });
  timer->start(std::max(periodMs, 1));
  m_timers[id] = timer;
  return true;
}

void QtTimer::Stop(int id) {
  const auto found = m_timers.find(id);
  if (found == m_timers.end()) {
    return;
  }
  found->second->stop();
  // Later, as this may run inside the timer's own timeout.
  found->second->deleteLater();
  m_timers.erase(found);
}

}  // namespace volmograph
