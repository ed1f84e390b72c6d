// volmograph-cli export: a data file as CSV, read through the same reader as Open.

#include <cstdio>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "cli/CommandLine.h"
#include "cli/Commands.h"
#include "cli/ConsoleOutput.h"
#include "files/DataFileReader.h"
#include "files/FileAccess.h"
#include "files/SampleCsv.h"
#include "files/TextDamage.h"

namespace volmograph::cli {

namespace {

constexpr const char* kUsage =
    "usage: volmograph-cli export FILE.mtr --csv OUT.csv\n"
    "\n"
    "Writes the sample lines of a text data file as CSV, one row a line under the header\n"
    "time,value,unit,rms,second value,second unit,second rms,function,raw value\n"
    "(numbers with a decimal point, an over-range reading with an empty value, text in\n"
    "UTF-8), or the 1024 picture bytes of a graph file, one a row under index,byte.\n"
    "OUT.csv is replaced whole, or not at all. Exits 1 when FILE.mtr cannot be read, or is\n"
    "damaged (OUT.csv then holds what could be read: a graph file's unreadable bytes as 0,\n"
    "a text data file's sound records only), 2 for wrong arguments.\n";

void Fail(const std::string& message) {
  SayError("export", message);
}

bool ParseArguments(int argc, char** argv, std::string& in, std::string& out, std::string& error) {
  for (int i = 0; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (IsHelp(arg)) {
      return false;
    }
    if (arg == "--csv" && i + 1 < argc) {
      out = argv[++i];
    } else if (arg == "--csv" || (arg.starts_with("-") && arg != "-")) {
      error = arg == "--csv" ? "--csv needs a value" : "unknown option '" + std::string(arg) + "'";
      return false;
    } else if (in.empty()) {
      in = arg;
    } else {
      error = "more than one data file given ('" + std::string(arg) + "')";
      return false;
    }
  }
  if (in.empty() || out.empty()) {
    error = in.empty() ? "no data file given" : "no output file given (--csv OUT.csv)";
  } else if (SameFile(in, out)) {
    error = "--csv names the data file itself, which it would replace";
  }
  return error.empty();
}

// What the file lacks, as Open would report it; empty when it is whole.
std::string Damage(const DataFileContents& contents) {
  if (contents.kind == DataFileKind::Graph && !contents.graph.IsComplete()) {
    return std::to_string(kGraphImageSize - contents.graph.validFields) + " of " +
           std::to_string(kGraphImageSize) + " picture bytes missing or unreadable, written as 0";
  }
  std::string damage;
  if (contents.damage.Any()) {
    damage = DescribeTextDamage(contents.damage, contents.fileRecords) +
             "; damaged records left out of the CSV";
  }
  if (contents.recordsLeftOut > 0) {
    damage += (damage.empty() ? "" : "; ") + std::string("only the first ") +
              std::to_string(contents.lines.size()) + " records read, " +
              std::to_string(contents.recordsLeftOut) + " left out";
  }
  return damage;
}

// A damaged record's row would pass for a reading, so only sound records become rows.
void LeaveOutDamagedLines(DataFileContents& contents) {
  const std::vector<std::size_t>& damaged = contents.damage.lines;  // ascending
  std::vector<std::string> sound;
  sound.reserve(contents.lines.size() - damaged.size());
  auto next = damaged.begin();
  for (std::size_t i = 0; i < contents.lines.size(); ++i) {
    if (next != damaged.end() && *next == i) {
      ++next;
    } else {
      sound.push_back(std::move(contents.lines[i]));
    }
  }
  contents.lines = std::move(sound);
}

}  // namespace

int RunExport(int argc, char** argv) {
  std::string in;
  std::string out;
  std::string error;
  if (!ParseArguments(argc, argv, in, out, error)) {
    if (error.empty()) {
      std::fputs(kUsage, stdout);
      return 0;
    }
    Fail(error + " (try --help)");
    return 2;
  }
  DataFileContents contents = ReadDataFile(in);
  if (!contents.error.empty()) {
    Fail("cannot read " + in + ": " + contents.error);
    return 1;
  }
  const std::string damage = Damage(contents);
  LeaveOutDamagedLines(contents);
  if (!WriteFileAtomically(out, DataFileCsv(contents), error)) {
    Fail("cannot write " + out + ": " + error);
    return 1;
  }
  if (!damage.empty()) {
    Fail(in + ": " + damage);
    return 1;
  }
  return 0;
}

}  // namespace volmograph::cli
