#pragma once

// Work the first window needs that a second core can do while the main thread starts Qt:
//  - reading the system's font configuration, some fifty files that fontconfig parses the
//    first time any text is measured (3 to 5 ms);
//  - mapping the fresh memory the window takes: its widgets, its fonts and the 640 x 480
//    image it is painted into. The kernel maps each new page at its first touch, at about
//    10 microseconds a page on a virtual machine; here the helper touches memory of that
//    size and hands it back to the allocator, piece by piece, where the window's
//    allocations find it mapped.
// Together they held up the first window by about 6 ms on one two-core virtual machine,
// and by about 1 ms on a faster one, where a new thread may wait a millisecond or two for
// the second core to wake.
// Once Qt is up and the helper is done with those, it also draws what the window will ask
// for first and that may be drawn on any thread: the application's icon.

#include <condition_variable>
#include <cstddef>
#include <functional>
#include <mutex>
#include <thread>

namespace volmograph::shell {

class StartupWarmup {
 public:
  explicit StartupWarmup(std::size_t memoryBytes);
  // Waits for the helper, which has long finished by the time the window is shown.
  ~StartupWarmup();
  StartupWarmup(const StartupWarmup&) = delete;
  StartupWarmup& operator=(const StartupWarmup&) = delete;

  // Once the first window is up: waits for the helper, and lets the allocator give free
  // memory back to the system again, as it does by default, for the rest of a long run.
  void Settle();

  // Qt is up: the helper does `work` after its own, which needs the application object.
  void ApplicationReady(std::function<void()> work);

  // Waits for the helper, releasing it if it was never given work. The application object
  // must outlive the helper's work, so it is joined before Qt goes.
  void Join();

  // Waits until the helper has read the font configuration: for whoever would otherwise
  // read it a second time, racing the helper, or change the environment the helper reads.
  void WaitForFontConfiguration();

 private:
  void RunApplicationWork();
  void ReleaseHelper();

  std::mutex m_mutex;
  std::condition_variable m_ready;
  std::function<void()> m_applicationWork;
  bool m_given = false;
  bool m_fontsRead = false;
  std::thread m_thread;
};

}  // namespace volmograph::shell
