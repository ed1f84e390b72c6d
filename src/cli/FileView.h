#pragma once

// A headless view with a data file opened through its own Open command, exactly as the
// desktop program opens one: the commands that draw or print a file start from here.

#include <memory>
#include <string>

#include "platform/Canvas.h"
#include "platform/HeadlessPlatform.h"
#include "view/CKeloView.h"

namespace volmograph::cli {

// Message boxes kept in order; while a display list is being recorded they join it as
// `message "TEXT"` lines (and `detail "..."` for their second line).
class NotingPrompter : public Prompter {
 public:
  void ShowMessage(const std::string& text, const std::string& detail = {}) override;
  void NoteInto(RecordingCanvas* list) { m_list = list; }
  const std::vector<RecordingPrompter::Message>& Messages() const { return m_messages; }

 private:
  RecordingCanvas* m_list = nullptr;
  std::vector<RecordingPrompter::Message> m_messages;
};

class FileView {
 public:
  // The view gets an in-memory default profile: the user's settings are never touched.
  FileView();
  FileView(const FileView&) = delete;
  FileView& operator=(const FileView&) = delete;

  // Opens `path` through the Open command. False with `error` set to the view's message
  // when the file could not be loaded; what was loaded with a warning counts as opened.
  bool Open(const std::string& path, std::string& error);
  bool IsGraphFile() const { return m_view->m_displayMode == 2; }

  CKeloView& View() { return *m_view; }
  HeadlessPlatform& Headless() { return m_headless; }
  NotingPrompter& Prompter() { return m_prompter; }

 private:
  HeadlessPlatform m_headless;
  NotingPrompter m_prompter;
  std::unique_ptr<CKeloView> m_view;
};

// "TEXT" or "TEXT: DETAIL", in UTF-8, for a one-line message on the terminal.
std::string MessageLine(const RecordingPrompter::Message& message);

}  // namespace volmograph::cli
