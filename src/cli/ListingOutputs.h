#pragma once

// Where the lines the view lists go on the command line: to standard output as UTF-8 and,
// when a CSV file is given, into it as rows once it is open.

#include <cstdio>
#include <optional>

#include "cli/ConsoleOutput.h"
#include "cli/CsvListBox.h"

namespace volmograph::cli {

class ListingOutputs {
 public:
  ListingOutputs(ListBox& list, CsvLog* csv, CsvListBox::LeadingField leadingField = {})
      : m_printing(list, stdout) {
    if (csv != nullptr) {
      m_csv.emplace(m_printing, *csv, std::move(leadingField));
    }
  }

  // The list to build the view with.
  ListBox& List() { return m_csv ? static_cast<ListBox&>(*m_csv) : m_printing; }

  // From now on every listed line is printed and written; the view's set-up is done.
  void Start() {
    m_printing.SetPrinting(true);
    if (m_csv) {
      m_csv->SetWriting(true);
    }
  }

  bool OutputOk() const { return m_printing.OutputOk(); }

 private:
  PrintingListBox m_printing;
  std::optional<CsvListBox> m_csv;
};

}  // namespace volmograph::cli
