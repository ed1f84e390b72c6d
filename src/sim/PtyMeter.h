#pragma once

// Plays a MeterSimulator on a pseudo-terminal, so that the program (or anything else that
// opens a serial device) can read it as if a meter were plugged in.
//
// The slave side is set raw, 9600 baud, 8N1. A background thread writes the simulator's
// bytes to the master at the line's pace in real time, in small slices.
//
// Listening and not listening: like a real line, bytes sent while no one has the slave open
// are lost, and a reader that closes leaves no stale bytes for the next one (the queue is
// emptied when the last reader goes away). Opening the slave while nothing has it open may
// therefore lose bytes written just before the open; readers resynchronise on the next
// frame. A reader that stops reading without closing fills the queue; bytes that do not fit
// are dropped and the line keeps its pace.
//
// The simulator never counts as another program holding the port: its master is a device of
// its own (/dev/ptmx), and it opens the slave only for an instant, to empty its queue when a
// reader leaves, which the serial port's check for holders passes over.

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>

#include "sim/MeterSimulator.h"

namespace volmograph {

class PtyMeter {
 public:
  // `linkPath`, when not empty, is made a symbolic link to the slave while running. An
  // existing symbolic link there is replaced; any other file is left alone and Start fails.
  explicit PtyMeter(MeterSimulator simulator, std::string linkPath = {});
  ~PtyMeter();
  PtyMeter(const PtyMeter&) = delete;
  PtyMeter& operator=(const PtyMeter&) = delete;

  // Opens the pseudo-terminal, makes the link and starts the thread. On failure returns
  // false with a one-line reason in `errorOut` and holds nothing open.
  bool Start(std::string& errorOut);

  // Stops the thread, closes the pseudo-terminal and removes the link (if it still points
  // at the slave). Safe to call more than once.
  void Stop();

  // e.g. "/dev/pts/3"; empty before Start.
  const std::string& SlavePath() const { return m_slavePath; }

  // Asks for a waveform capture after the message being sent. Only sets a flag, so it may
  // be called from any thread or from a signal handler.
  void RequestWaveform() { m_waveformRequested.store(true); }

  // A replay has sent its last byte.
  bool Finished() const { return m_finished.load(); }

  // Bytes handed to a reader (not counting those lost while no one listened).
  std::uint64_t BytesDelivered() const { return m_delivered.load(); }

 private:
  void Run();
  bool ListenerPresent();
  void Deliver(const std::vector<std::uint8_t>& bytes);
  void EmptySlaveQueue();
  void DrainMaster();
  bool MakeLink(std::string& errorOut);
  void RemoveLink();

  MeterSimulator m_simulator;  // used by the thread only while it runs
  std::string m_linkPath;
  bool m_linkMade = false;
  std::string m_slavePath;
  int m_master = -1;

  std::thread m_thread;
  std::mutex m_mutex;
  std::condition_variable m_wake;
  bool m_stopRequested = false;

  std::atomic<bool> m_waveformRequested{false};
  std::atomic<bool> m_finished{false};
  std::atomic<std::uint64_t> m_delivered{0};
  bool m_listening = false;  // thread only
};

}  // namespace volmograph
