// volmograph-cli render: a data file's picture as the view draws it, written as a PNG of the
// display frame (453 x 172) and, with --dump, listed as the display list's text form.

#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

#include "cli/CommandLine.h"
#include "cli/Commands.h"
#include "cli/ConsoleOutput.h"
#include "cli/FileView.h"
#include "qt/GuiApplication.h"
#include "qt/PngFile.h"
#include "qt/RasterCanvas.h"
#include "view/Ids.h"

namespace volmograph::cli {

namespace {

constexpr const char* kUsage =
    "usage: volmograph-cli render FILE.mtr [--mode line|bar|wave] --png OUT.png [--dump]\n"
    "\n"
    "Opens FILE.mtr as the program's Open command does and draws its picture exactly as the\n"
    "display frame shows it: a graph file gives the waveform picture, a text data file the\n"
    "line graph (or the bar graph with --mode bar).\n"
    "\n"
    "  --mode MODE   line, bar or wave; by default the file's own picture\n"
    "  --png FILE    write the 453 x 172 picture as a PNG file\n"
    "  --dump        print the display list, one drawing operation a line\n"
    "\n"
    "Exits 1 when the file cannot be read, is damaged or has nothing to draw (no PNG is then\n"
    "written), 2 for wrong arguments.\n";

// The file's kind must suit the picture asked for: a graph file has no samples to plot and
// a text data file no waveform.
bool KindSuitsMode(const FileView& file, DrawMode mode, std::string& error) {
  if (mode == DrawMode::Wave && !file.IsGraphFile()) {
    error = "a text data file has no waveform picture (use --mode line or bar)";
  } else if ((mode == DrawMode::Line || mode == DrawMode::Bar) && file.IsGraphFile()) {
    error = "a graph file has no samples to plot (use --mode wave)";
  }
  return error.empty();
}

// Draws as the view does: the repaint for the waveform, the View command for a graph.
void Draw(CKeloView& view, DrawMode mode, bool graphFile) {
  if (mode == DrawMode::Bar) {
    view.OnCommand(cmd::kViewBar);
  } else if (mode == DrawMode::Line || (mode == DrawMode::FromFile && !graphFile)) {
    view.OnCommand(cmd::kViewLine);
  } else {
    view.OnDraw();
  }
}

int Fail(const std::string& message, int status) {
  SayError("render", message);
  return status;
}

}  // namespace

int RunRender(int argc, char** argv) {
  DrawOptions options;
  if (const std::optional<int> done =
          ReadDrawCommandLine(argc, argv, "render", kUsage, "--png",
                              {DrawMode::Line, DrawMode::Bar, DrawMode::Wave}, options)) {
    return *done;
  }
  std::string error;
  const auto application = EnsureGuiApplication();

  FileView file;
  if (!file.Open(options.input, error)) {
    return Fail(options.input + ": " + error, 1);
  }
  if (!KindSuitsMode(file, options.mode, error)) {
    return Fail(options.input + ": " + error, 1);
  }

  RecordingCanvas& frame = file.Headless().m_form.Canvas(ctl::kDisplayFrame);
  RasterCanvas picture;
  frame.Clear();
  frame.SetMirror(&picture);
  file.Prompter().NoteInto(&frame);
  Draw(file.View(), options.mode, file.IsGraphFile());
  file.Prompter().NoteInto(nullptr);
  frame.SetMirror(nullptr);

  if (options.dump) {
    for (const std::string& operation : frame.Operations()) {
      std::printf("%s\n", operation.c_str());
    }
  }
  // What the view said on opening ("Damaged graph file!") or while drawing ("Data not
  // exist !") means the picture is not the file's, and no PNG is written: as print does.
  if (!file.Prompter().Messages().empty()) {
    return Fail(options.input + ": " + MessageLine(file.Prompter().Messages().front()), 1);
  }
  if (!options.output.empty() && !WritePng(picture.Image(), options.output, error)) {
    return Fail(error, 1);
  }
  return 0;
}

}  // namespace volmograph::cli
