#include "cli/WatchedConnector.h"

namespace volmograph::cli {

namespace {

class CountingDevice : public SerialDevice {
 public:
  CountingDevice(std::unique_ptr<SerialDevice> inner, std::shared_ptr<std::uint64_t> count)
      : m_inner(std::move(inner)), m_count(std::move(count)) {}

  bool Configure() override { return m_inner->Configure(); }
  void Purge() override { m_inner->Purge(); }
  long BytesWaiting() override { return m_inner->BytesWaiting(); }
  long Read(std::uint8_t* buffer, std::size_t capacity) override {
    const long got = m_inner->Read(buffer, capacity);
    if (got > 0) {
      *m_count += static_cast<std::uint64_t>(got);
    }
    return got;
  }
  void DropDtr() override { m_inner->DropDtr(); }
  void Close() override { m_inner->Close(); }
  std::string Name() const override { return m_inner->Name(); }

 private:
  std::unique_ptr<SerialDevice> m_inner;
  std::shared_ptr<std::uint64_t> m_count;
};

}  // namespace

std::unique_ptr<SerialDevice> WatchedConnector::OpenPort(const std::string& portName,
                                                         std::string& reason) {
  std::unique_ptr<SerialDevice> device = m_inner.OpenPort(portName, reason);
  if (!device) {
    return nullptr;
  }
  return std::make_unique<CountingDevice>(std::move(device), m_bytesRead);
}

}  // namespace volmograph::cli
