#include "app/StartupWarmup.h"

#include <dlfcn.h>
#include <malloc.h>

#include <cstdlib>
#include <exception>
#include <vector>

namespace volmograph::shell {

namespace {

constexpr std::size_t kPage = 4096;
constexpr int kDefaultTrimThreshold = 128 * 1024;  // the C library's own
constexpr std::size_t kEarlyPieces = 4;            // of 128 kB each in the 2 MB the program warms

// Qt reads the font configuration through fontconfig, which it has loaded already; fontconfig
// keeps one configuration per process and may be initialised from any thread. Looked up
// before the helper starts: the lookup takes the loader's lock, which Qt holds while it
// loads its plug-ins, and the helper would otherwise start on the fonts a millisecond or
// more late.
using FontInit = int (*)();
FontInit FindFontInit() {
  return reinterpret_cast<FontInit>(dlsym(RTLD_DEFAULT, "FcInit"));
}

struct Block {
  char* start;
  std::size_t bytes;
};

// The blocks in the order the helper maps them. A quarter of the memory comes in small
// pieces, handed back one by one as soon as each is mapped, so that what the main thread
// allocates while the helper works lands in mapped memory. The rest stays one block until
// the end, so that the window's 640 x 480 image, taken as the window is first painted, still
// finds room in one piece. It is taken first, below the pieces, so that it joins whatever
// the pieces leave free when it comes back.
std::vector<Block> TakeBlocks(std::size_t memoryBytes) {
  const std::size_t pieceBytes = memoryBytes / 4 / kEarlyPieces;
  const std::size_t lateBytes = memoryBytes - kEarlyPieces * pieceBytes;
  std::vector<Block> blocks;
  blocks.reserve(kEarlyPieces + 1);  // before any block is taken, so that none can leak
  char* late = static_cast<char*>(std::malloc(lateBytes));
  for (std::size_t i = 0; i < kEarlyPieces; ++i) {
    if (char* piece = static_cast<char*>(std::malloc(pieceBytes))) {
      blocks.push_back({piece, pieceBytes});
    }
  }
  if (late != nullptr) {
    blocks.push_back({late, lateBytes});
  }
  return blocks;
}

void TouchAndRelease(const std::vector<Block>& blocks) {
  for (const Block& block : blocks) {
    auto* bytes = static_cast<volatile char*>(block.start);
    for (std::size_t offset = 0; offset < block.bytes; offset += kPage) {
      bytes[offset] = 0;
    }
    std::free(block.start);
  }
}

}  // namespace

StartupWarmup::StartupWarmup(std::size_t memoryBytes) {
  // Blocks up to twice the warmed size (the window's picture among them) come from the heap
  // rather than from fresh mappings, and free memory up to four times it is kept rather than
  // given back to the system; otherwise the warmed memory would be returned before its use.
  mallopt(M_MMAP_THRESHOLD, static_cast<int>(2 * memoryBytes));
  mallopt(M_TRIM_THRESHOLD, static_cast<int>(4 * memoryBytes));
  std::vector<Block> blocks = TakeBlocks(memoryBytes);
  const FontInit fontInit = FindFontInit();
  try {
    // The fonts come first: the main thread measures its first text a few milliseconds in.
    m_thread = std::thread([this, blocks, fontInit] {
      if (fontInit != nullptr) {
        fontInit();
      }
      {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_fontsRead = true;
      }
      m_ready.notify_all();
      TouchAndRelease(blocks);
      RunApplicationWork();
    });
  } catch (const std::exception&) {
    for (const Block& block : blocks) {
      std::free(block.start);  // no thread to spare: start-up goes on without it
    }
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
  m_ready.notify_all();
}

void StartupWarmup::WaitForFontConfiguration() {
  std::unique_lock<std::mutex> lock(m_mutex);
  m_ready.wait(lock, [this] { return m_fontsRead || !m_thread.joinable(); });
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
