#pragma once

// A list box that writes every line the view lists to a CSV file the moment it is listed,
// and otherwise passes everything on to the list it wraps. The file so keeps every reading
// of a run, also those the list later drops (its 499-line cap, a change of function or
// range, a waveform capture).

#include <functional>
#include <string>

#include "cli/CsvLog.h"
#include "cli/ForwardingListBox.h"

namespace volmograph::cli {

class CsvListBox : public ForwardingListBox {
 public:
  // `leadingField`, when given, makes the first field of each row from its sample line.
  using LeadingField = std::function<std::string(const std::string& line)>;

  CsvListBox(ListBox& inner, CsvLog& log, LeadingField leadingField = {})
      : ForwardingListBox(inner), m_log(log), m_leadingField(std::move(leadingField)) {}

  int Add(const std::string& line) override;

  // Rows are written only while writing is on (it starts off, so that the list control's
  // set-up lines are not written).
  void SetWriting(bool on) { m_writing = on; }

 private:
  CsvLog& m_log;
  LeadingField m_leadingField;
  bool m_writing = false;
};

}  // namespace volmograph::cli
