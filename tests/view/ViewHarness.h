#pragma once

// The view driven headless, as the application drives it: created with OnCreate and
// OnInitialUpdate, fed bytes on its scripted serial line and ticked by its 50 ms timer while
// a manual clock moves 50 ms per tick.

#include <gtest/gtest.h>

#include <cstdio>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/HeadlessPlatform.h"
#include "view/CKeloView.h"
#include "view/Ids.h"

namespace volmograph::test {

// One 26-byte meter frame: STX, function code, AC marker, value (6), prefix, unit, coupling
// (2), unused, AC marker 2, value 2 (6), unit 2 (4), unused.
inline std::string Frame(char code, std::string_view value, std::string_view unit, char ac = ' ',
                         std::string_view value2 = "      ", std::string_view unit2 = "    ",
                         char ac2 = ' ') {
  std::string frame = "\x02";
  frame += code;
  frame += ac;
  frame.append(value).append(unit) += ' ';
  frame += ac2;
  frame.append(value2).append(unit2) += ' ';
  EXPECT_EQ(frame.size(), 26u) << "malformed test frame";
  return frame;
}

inline std::string Dcv(std::string_view value) {
  return Frame('B', value, " VDC");
}
inline std::string Acv(std::string_view value) {
  return Frame('A', value, " VAC", 'A', " 50.00", " Hz ");
}

// "%6.3f": a six-character value text with three decimals.
inline std::string Volts(double value) {
  char text[16];
  std::snprintf(text, sizeof text, "%6.3f", value);
  return text;
}

class ViewRig {
 public:
  using Prepare = std::function<void(HeadlessPlatform&)>;

  // Settings from INI text held in memory (empty: no profile entries at all). `prepare` may
  // script the platform before the view is created.
  explicit ViewRig(std::string_view iniText = {}, const Prepare& prepare = {})
      : m_hp(std::make_unique<HeadlessPlatform>()) {
    m_hp->m_memoryProfile = MemoryProfile(iniText);
    Create(prepare);
  }
  // Settings in a profile of the caller's, such as an INI file.
  explicit ViewRig(Profile& profile) : m_hp(std::make_unique<HeadlessPlatform>(profile)) {
    Create({});
  }
  ~ViewRig() {
    // Every device context a handler took was given back, on every path.
    EXPECT_EQ(Hp().m_form.OutstandingCanvases(), 0);
    EXPECT_EQ(Hp().m_form.BadReleases(), 0);
  }
  ViewRig(const ViewRig&) = delete;
  ViewRig& operator=(const ViewRig&) = delete;

  HeadlessPlatform& Hp() { return *m_hp; }
  CKeloView& V() { return *m_view; }
  ScriptedLine& Line() { return *Hp().m_serial.Line(); }
  const std::deque<std::string>& Lines() { return Hp().m_list.Lines(); }
  std::string Text(int id) { return Hp().m_form.Text(id); }
  const std::vector<RecordingPrompter::Message>& Messages() { return Hp().m_prompter.Messages(); }

  bool Command(int id) { return m_view->OnCommand(id); }
  void Feed(std::string_view bytes) { Line().Feed(bytes); }
  void Tick(int count = 1) {
    for (int i = 0; i < count; ++i) {
      Hp().m_clock.Advance(50);
      Hp().m_timer.Fire(kViewTimerId);
    }
  }
  // Ticks without data until the countdown runs out on the next tick, then delivers the
  // frame on that tick, so that it is taken as the due reading.
  void Record(std::string_view frame) {
    for (int guard = 0; m_view->m_meter.m_ticksLeft > 1 && guard < 1000; ++guard) {
      Tick();
    }
    Feed(frame);
    Tick();
  }
  // Start, and take a first reading of this frame, which only primes the change check.
  void StartPrimed(std::string_view frame) {
    Command(cmd::kStart);
    ASSERT_EQ(m_view->m_acquiring, 1);
    Record(frame);
  }

 private:
  void Create(const Prepare& prepare) {
    Hp().m_clock.Set({13, 59, 59});
    if (prepare) {
      prepare(Hp());
    }
    m_view = std::make_unique<CKeloView>(Hp().Bundle());
    EXPECT_EQ(m_view->OnCreate(), 0);
    m_view->OnInitialUpdate();
  }

  std::unique_ptr<HeadlessPlatform> m_hp;
  std::unique_ptr<CKeloView> m_view;
};

// A sample line put together column by column: time, rms marker, value (or " OVER "), unit,
// rms marker 2, value 2, unit 2, label, the received value. Micro signs are written as 0xB5.
inline std::string SampleLine(std::string_view time, std::string_view rms, std::string_view shown,
                              std::string_view unit, std::string_view rms2, std::string_view value2,
                              std::string_view unit2, std::string_view label,
                              std::string_view raw) {
  std::string line = " ";
  line.append(time).append("  ").append(rms).append(" ").append(shown).append(unit);
  line.append(" ").append(rms2).append(" ").append(value2).append(unit2).append(" ");
  line.append(label).append(raw);
  EXPECT_EQ(line.size(), 67u) << "malformed expected line";
  return line;
}

}  // namespace volmograph::test
