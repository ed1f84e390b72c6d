#include "app/StartupWarmup.h"

#include <dlfcn.h>
#include <malloc.h>

#include <cstdlib>
#include <system_error>

namespace volmograph::shell {

namespace {

constexpr std::size_t kPage = 4096;
constexpr int kDefaultTrimThreshold = 128 * 1024;  // the C library's own

// Qt reads the font configuration through fontconfig, which it has loaded already; fontconfig
// keeps one configuration per process and may be initialised from any thread.
void LoadFontConfiguration() {
  using Init = int (*)();
  if (auto init = reinterpret_cast<Init>(dlsym(RTLD_DEFAULT, "FcInit"))) {
    init();
  }
}

void TouchAndRelease(volatile char* block, std::size_t bytes) {
  for (std::size_t offset = 0; offset < bytes; offset += kPage) {
    block[offset] = 0;
  }
  std::free(const_cast<char*>(block));
}

}  // namespace

StartupWarmup::StartupWarmup(std::size_t memoryBytes) {
  // Blocks up to twice the warmed size (the window's picture among them) come from the heap
  // rather than from fresh mappings, and free memory up to four times it is kept rather than
  // given back to the system; otherwise the warmed block would be returned before its use.
  mallopt(M_MMAP_THRESHOLD, static_cast<int>(2 * memoryBytes));
  mallopt(M_TRIM_THRESHOLD, static_cast<int>(4 * memoryBytes));
  auto* block = static_cast<volatile char*>(std::malloc(memoryBytes));
  if (block == nullptr) {
    return;
  }
  try {
    // The fonts come first: the main thread measures its first text a few milliseconds in.
    m_thread = std::thread([this, block, memoryBytes] {
      LoadFontConfiguration();
      TouchAndRelease(block, memoryBytes);
      RunApplicationWork();
    });
  } catch (const std::system_error&) {
    std::free(const_cast<char*>(block));  // no thread to spare: start-up goes on without it
  }
}

void StartupWarmup::ApplicationReady(std::function<void()> work) {
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_applicationWork = std::move(work);
  }
  ReleaseHelper();
}

// Lets the helper go on to the work given, if any.
void StartupWarmup::ReleaseHelper() {
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_given = true;
  }
  m_ready.notify_one();
}

void StartupWarmup::RunApplicationWork() {
  std::unique_lock<std::mutex> lock(m_mutex);
  m_ready.wait(lock, [this] { return m_given; });
  auto work = std::move(m_applicationWork);
  lock.unlock();
  if (work) {
    work();
  }
}

void StartupWarmup::Join() {
  ReleaseHelper();
  if (m_thread.joinable()) {
    m_thread.join();
  }
}

StartupWarmup::~StartupWarmup() {
  Join();
}

// Blocks up to the raised mapping threshold stay on the heap: the C library would raise it
// about as far by itself once the window's first large blocks are freed.
void StartupWarmup::Settle() {
  Join();
  mallopt(M_TRIM_THRESHOLD, kDefaultTrimThreshold);
  malloc_trim(0);
}

}  // namespace volmograph::shell
