// Save and Open of a 100 000-record text data file through the view's commands, with
// scripted dialogs and a real file. Target: each well under 100 ms.

#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <unistd.h>

#include <memory>
#include <string>

#include "platform/HeadlessPlatform.h"
#include "view/CKeloView.h"
#include "view/Ids.h"

namespace {

using namespace volmograph;

constexpr int kRecords = 100000;

struct Rig {
  HeadlessPlatform platform;
  std::unique_ptr<CKeloView> view;
  Rig() {
    view = std::make_unique<CKeloView>(platform.Bundle());
    view->OnCreate();
  }
};

class DataFile {
 public:
  DataFile() {
    char name[] = "/tmp/bench_data_files_XXXXXX";
    const int fd = ::mkstemp(name);
    if (fd >= 0) {
      ::close(fd);
    }
    m_path = name;
  }
  ~DataFile() { ::unlink(m_path.c_str()); }
  const std::string& Path() const { return m_path; }

 private:
  std::string m_path;
};

// A sample list of 67-character lines, as a long loaded file leaves it.
void FillList(Rig& rig) {
  std::string line = " 12:00:00     1.234 VDC                         DCV                  1.234";
  line.resize(67, ' ');
  for (int i = 0; i < kRecords; ++i) {
    rig.platform.m_list.Add(line);
  }
}

void BM_SaveTextDataFile(benchmark::State& state) {
  Rig rig;
  FillList(rig);
  rig.view->SetDisplayMode(3);
  DataFile file;
  for (auto _ : state) {
    rig.view->m_unsaved = 1;
    rig.platform.m_dialogs.ScriptSaveFile({.name = file.Path(), .typed = false});
    rig.view->OnCommand(cmd::kSave);
  }
  if (rig.view->m_unsaved != 0) {
    state.SkipWithError("the save failed");
  }
  state.SetItemsProcessed(state.iterations() * kRecords);
}
BENCHMARK(BM_SaveTextDataFile)->Unit(benchmark::kMillisecond);

void BM_OpenTextDataFile(benchmark::State& state) {
  Rig writer;
  FillList(writer);
  writer.view->SetDisplayMode(3);
  writer.view->m_unsaved = 1;
  DataFile file;
  writer.platform.m_dialogs.ScriptSaveFile({.name = file.Path(), .typed = false});
  writer.view->OnCommand(cmd::kSave);

  Rig rig;
  for (auto _ : state) {
    rig.platform.m_dialogs.ScriptOpenFile({.name = file.Path(), .typed = false});
    rig.view->OnCommand(cmd::kOpen);
  }
  if (rig.view->m_recordedLines != kRecords) {
    state.SkipWithError("the open did not load every record");
  }
  state.SetItemsProcessed(state.iterations() * kRecords);
}
BENCHMARK(BM_OpenTextDataFile)->Unit(benchmark::kMillisecond);

}  // namespace
