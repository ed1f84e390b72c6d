// The simulated meter on a pseudo-terminal, read through the real serial port code: what the
// demo and a user without a meter rely on.

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

#include "decode/ReadingDecoder.h"
#include "link/CComTR6400.h"
#include "link/PortTable.h"
#include "link/PosixSerialConnector.h"
#include "platform/Prompter.h"
#include "sim/MeterSimulator.h"
#include "sim/PtyMeter.h"
#include "support/TestFiles.h"

namespace volmograph::test {
namespace {

TEST(LinkSimulatedMeter, FramesAndAWaveformArriveThroughThePort) {
  SimOptions options;
  options.start.function = 'A';
  PtyMeter simulated{MeterSimulator(options)};
  std::string error;
  ASSERT_TRUE(simulated.Start(error)) << error;

  PortTable ports;
  ports.Set("COM1", simulated.SlavePath());
  TempFolder lockFolder;
  DeviceRoots roots;
  roots.lock = lockFolder.Path().string();
  PosixSerialConnector connector(ports, roots);
  RecordingPrompter prompter;
  CComTR6400 meter(connector, prompter);
  meter.m_portIndex = 0;
  meter.m_reloadTicks = 1;
  ASSERT_EQ(meter.Open(1), 1) << (prompter.Messages().empty() ? "" : prompter.Messages()[0].detail);

  // Ticks of 50 ms, as the view polls; a reading falls due on every tick with data.
  int accepted = 0;
  bool waveformRequested = false;
  bool waveform = false;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (!waveform && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    --meter.m_ticksLeft;
    const int result = meter.Poll();
    ASSERT_NE(result, POLL_GONE);
    if (result != POLL_DONE || meter.m_sampleDue == 0) {
      continue;
    }
    meter.m_sampleDue = 0;
    if (meter.m_lastFrame.size() > 1 && meter.m_lastFrame[1] == 'Z') {
      waveform = true;
      break;
    }
    Reading reading;
    if (meter.m_lastFrame.size() == kFrameLength &&
        AcceptFrame(meter.m_lastFrame, reading) == FrameVerdict::Accepted &&
        InterpretReading(meter.m_lastFrame[1], reading) == InterpretResult::Done) {
      EXPECT_EQ(reading.function, 'A');
      ++accepted;
    }
    if (accepted == 10 && !waveformRequested) {
      simulated.RequestWaveform();
      waveformRequested = true;
    }
  }
  EXPECT_GE(accepted, 10);
  ASSERT_TRUE(waveform) << "no waveform capture within 10 s";
  EXPECT_EQ(meter.m_capture[0], kStx);
  EXPECT_EQ(meter.m_capture[1], 'Z');
  meter.Close();
  EXPECT_TRUE(prompter.Messages().empty());
}

}  // namespace
}  // namespace volmograph::test
