// volmograph-cli print: a data file's printout as the view prints it, every page of it as
// one PDF and, with --dump, listed page by page as the display list's text form.

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "cli/CommandLine.h"
#include "cli/Commands.h"
#include "cli/ConsoleOutput.h"
#include "cli/FileView.h"
#include "qt/GuiApplication.h"
#include "qt/PrintPages.h"
#include "view/Ids.h"

namespace volmograph::cli {

namespace {

constexpr const char* kUsage =
    "usage: volmograph-cli print FILE.mtr [--mode text|line|bar|wave] --pdf OUT.pdf [--dump]\n"
    "\n"
    "Opens FILE.mtr as the program's Open command does and prints it as the program prints\n"
    "in that display mode: the text report of the sample lines (text), the graph report\n"
    "(line or bar), or the enlarged waveform picture of a graph file (wave). By default the\n"
    "file's own: wave for a graph file, line for a text data file.\n"
    "\n"
    "  --pdf FILE    write every page as one PDF of A4 pages (replaced whole, or not at all)\n"
    "  --dump        print each page's display list, after a line 'page N'\n"
    "\n"
    "Exits 1 when the file cannot be read, is damaged or has nothing to print (no PDF is then\n"
    "written), 2 for wrong arguments.\n";

// Opens the file and chooses the printout the way the user would: with the View command
// of the mode before printing. False with `error` set when the file does not suit it.
bool PrepareFile(FileView& file, const DrawOptions& options, std::string& error) {
  if (!file.Open(options.input, error)) {
    return false;
  }
  const bool graphFile = file.IsGraphFile();
  if (options.mode == DrawMode::Wave && !graphFile) {
    error = "a text data file has no waveform picture (use --mode text, line or bar)";
  } else if (options.mode != DrawMode::Wave && options.mode != DrawMode::FromFile && graphFile) {
    error = "a graph file has no sample lines to print (use --mode wave)";
  } else if (options.mode == DrawMode::Text) {
    file.View().OnCommand(cmd::kViewText);
  } else if (options.mode == DrawMode::Line) {
    file.View().OnCommand(cmd::kViewLine);
  } else if (options.mode == DrawMode::Bar) {
    file.View().OnCommand(cmd::kViewBar);
  }
  return error.empty();
}

// Every page as the print flow asks for it, each on a device context of its own, listed as
// "page N" and the page's operations. What the view says while printing is noted in place.
std::vector<std::string> RecordPages(FileView& file) {
  std::vector<std::string> listing;
  PrintInfo info;
  info.preview = true;
  if (!file.View().OnPreparePrinting(info)) {
    return listing;
  }
  RecordingCanvas setUp;
  file.View().OnBeginPrinting(setUp, info);
  for (int page = info.FirstPage(); page <= info.LastPage(); ++page) {
    RecordingCanvas dc;
    file.Prompter().NoteInto(&dc);
    file.View().OnPrint(dc, page);
    file.Prompter().NoteInto(nullptr);
    listing.push_back("page " + std::to_string(page));
    listing.insert(listing.end(), dc.Operations().begin(), dc.Operations().end());
  }
  file.View().OnEndPrinting(setUp, info);
  return listing;
}

int Fail(const std::string& message, int status) {
  SayError("print", message);
  return status;
}

}  // namespace

int RunPrint(int argc, char** argv) {
  DrawOptions options;
  if (const std::optional<int> done = ReadDrawCommandLine(
          argc, argv, "print", kUsage, "--pdf",
          {DrawMode::Text, DrawMode::Line, DrawMode::Bar, DrawMode::Wave}, options)) {
    return *done;
  }
  std::string error;

  // Printing changes the view (the recorded-line count, the plotted values, the waveform's
  // marker dots), so the PDF is printed by a second view of its own from the same file; the
  // first one tells whether there is anything to print, before any file is written.
  FileView proof;
  if (!PrepareFile(proof, options, error)) {
    return Fail(options.input + ": " + error, 1);
  }
  const std::vector<std::string> listing = RecordPages(proof);
  if (options.dump) {
    for (const std::string& line : listing) {
      std::printf("%s\n", line.c_str());
    }
  }
  // The first message tells why: a damaged file that also has nothing to print says so.
  if (!proof.Prompter().Messages().empty()) {
    return Fail(options.input + ": " + MessageLine(proof.Prompter().Messages().front()), 1);
  }
  if (!options.output.empty()) {
    const auto application = EnsureGuiApplication();
    FileView file;
    if (!PrepareFile(file, options, error) || !PrintToPdf(file.View(), options.output, error)) {
      return Fail(error, 1);
    }
  }
  if (std::fflush(stdout) != 0) {
    return Fail("cannot write to standard output", 1);
  }
  return 0;
}

}  // namespace volmograph::cli
