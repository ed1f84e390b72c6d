#include "cli/FileView.h"

#include "platform/TextEncoding.h"
#include "view/Ids.h"

namespace volmograph::cli {

void NotingPrompter::ShowMessage(const std::string& text, const std::string& detail) {
  m_messages.push_back({text, detail});
  if (m_list == nullptr) {
    return;
  }
  m_list->Note("message " + QuoteDisplayText(text));
  if (!detail.empty()) {
    m_list->Note("detail " + QuoteDisplayText(detail));
  }
}

FileView::FileView() {
  const Platform headless = m_headless.Bundle();
  const Platform platform{headless.form,    headless.list,  headless.statusBar,
                          headless.profile, m_prompter,     headless.dialogs,
                          headless.timer,   headless.clock, headless.serial};
  m_view = std::make_unique<CKeloView>(platform);
  m_view->OnCreate();
  m_view->OnInitialUpdate();
}

bool FileView::Open(const std::string& path, std::string& error) {
  const std::size_t before = m_prompter.Messages().size();
  // Picked rather than typed, so that the name is taken exactly as given.
  m_headless.m_dialogs.ScriptOpenFile({.name = path, .typed = false, .agree = false});
  m_view->OnCommand(cmd::kOpen);
  if (m_view->m_displayMode == 2 || m_view->m_displayMode == 3) {
    return true;
  }
  // Without a message the dialog itself gave up: the name does not exist (its create
  // prompt was declined).
  error = m_prompter.Messages().size() > before ? MessageLine(m_prompter.Messages().back())
                                                : std::string("No such file or directory");
  return false;
}

std::string MessageLine(const RecordingPrompter::Message& message) {
  std::string line = Cp1252ToUtf8(message.text);
  if (!message.detail.empty()) {
    line += ": " + SystemTextToUtf8(message.detail);
  }
  return line;
}

}  // namespace volmograph::cli
