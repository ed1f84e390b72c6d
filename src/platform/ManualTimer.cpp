#include "platform/ManualTimer.h"

namespace volmograph {

bool ManualTimer::Start(int id, int periodMs, std::function<void(int)> handler) {
  if (!m_available) {
    return false;
  }
  Started started{id, periodMs, std::move(handler)};
  m_history.push_back(started);
  m_running[id] = std::move(started);
  return true;
}

void ManualTimer::Stop(int id) {
  m_running.erase(id);
}

bool ManualTimer::Fire(int id) {
  const auto found = m_running.find(id);
  if (found == m_running.end()) {
    return false;
  }
  // A copy, so that a handler stopping its own timer does not destroy itself mid-call.
  const std::function<void(int)> handler = found->second.handler;
  if (handler) {
    handler(id);
  }
  return true;
}

int ManualTimer::Period(int id) const {
  const auto found = m_running.find(id);
  return found == m_running.end() ? 0 : found->second.periodMs;
}

}  // namespace volmograph
