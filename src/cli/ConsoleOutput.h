#pragma once

// The terminal edge of the command-line tool: the sample list and the message boxes as
// lines of UTF-8 text.

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "cli/ForwardingListBox.h"
#include "platform/Prompter.h"

namespace volmograph::cli {

// A list box that prints every appended line, as the list control would show it, and
// otherwise passes everything on to the list it wraps.
class PrintingListBox : public ForwardingListBox {
 public:
  PrintingListBox(ListBox& inner, std::FILE* out) : ForwardingListBox(inner), m_out(out) {}

  int Add(const std::string& line) override;

  // Lines are printed only while printing is on (it starts off, so that the list control's
  // set-up lines are not shown).
  void SetPrinting(bool on) { m_printing = on; }
  // False once a write to the output has failed (a closed pipe, a full disk).
  bool OutputOk() const { return m_outputOk; }

 private:
  std::FILE* m_out;
  bool m_outputOk = true;
  bool m_printing = false;
};

// A command's own message on standard error: "volmograph-cli COMMAND: MESSAGE". Messages
// carry file names and system texts, shown as UTF-8 with their control characters made
// visible, so that no name can split the line or drive the terminal.
void SayError(std::string_view command, const std::string& message);

// Message boxes as lines on standard error: "volmograph-cli COMMAND: TEXT (DETAIL)". While
// holding, messages are kept instead, for the caller to report in its own words.
class ConsolePrompter : public Prompter {
 public:
  explicit ConsolePrompter(std::string command = {}) : m_command(std::move(command)) {}
  void ShowMessage(const std::string& text, const std::string& detail = {}) override;
  int Count() const { return m_count; }
  void SetHolding(bool on) { m_holding = on; }
  bool Holding() const { return m_holding; }
  const std::vector<RecordingPrompter::Message>& Held() const { return m_held; }

 private:
  std::string m_command;
  int m_count = 0;
  bool m_holding = false;
  std::vector<RecordingPrompter::Message> m_held;
};

}  // namespace volmograph::cli
