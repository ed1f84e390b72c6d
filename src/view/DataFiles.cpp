// Open and Save: the sample list and the waveform picture to and from data files.

#include <algorithm>
#include <cerrno>
#include <optional>

#include "files/FileAccess.h"
#include "files/TextDamage.h"
#include "platform/TextEncoding.h"
#include "view/CKeloView.h"
#include "view/Ids.h"
#include "view/SaveContent.h"
#include "view/ViewText.h"

namespace volmograph {

namespace {

constexpr const char* kOpenError = "File Open Error!";
constexpr const char* kSaveError = "File Save Error!";

// The dialogs' buffers: per process, empty at start and never cleared.
char g_openPath[CKeloView::kDialogPathSize];
char g_openTitle[CKeloView::kDialogTitleSize];
char g_savePath[CKeloView::kDialogPathSize];
char g_saveTitle[CKeloView::kDialogTitleSize];

FileDialogRequest OpenRequest(const char* proposedPath) {
  FileDialogRequest request;
  request.filters = {{"Volmograph Files (*.mtr)", "*.mtr"}, {"All Files (*.*)", "*.*"}};
  request.defaultExtension = "mtg";
  request.proposedPath = proposedPath;
  request.createPrompt = true;
  return request;
}

FileDialogRequest SaveRequest(const char* proposedPath) {
  FileDialogRequest request;
  request.filters = {{"Volmograph Files (*.mtr)", "*.mtr"}};
  request.defaultExtension = "mtr";
  request.proposedPath = proposedPath;
  request.overwritePrompt = true;
  request.showHelp = true;
  return request;
}

// Fills the buffers as the dialog would; false, leaving them as they were, when the path
// does not fit (a cut path would name another file).
bool KeepAnswer(const FileDialogAnswer& answer, char (&path)[CKeloView::kDialogPathSize],
                char (&title)[CKeloView::kDialogTitleSize]) {
  if (answer.path.size() >= CKeloView::kDialogPathSize) {
    return false;
  }
  CopyField(path, answer.path);
  CopyField(title, answer.title);
  return true;
}

}  // namespace

void CKeloView::OnFileOpen() {
  OpenDataFile(g_openPath, g_openTitle);
}

void CKeloView::OnFileSave() {
  SaveDataFile(g_savePath, g_saveTitle);
}

int CKeloView::OpenDataFile(char (&path)[kDialogPathSize], char (&title)[kDialogTitleSize]) {
  const std::optional<FileDialogAnswer> answer = m_platform.dialogs.RunOpenFile(OpenRequest(path));
  if (!answer) {
    return 0;
  }
  if (!KeepAnswer(*answer, path, title)) {
    m_platform.prompter.ShowMessage(kOpenError, SystemErrorText(ENAMETOOLONG));
    return 1;
  }
  // Read whole before replacing anything, and name the file only once it is loaded: a file
  // that cannot be read leaves the list, the picture and the name as they were.
  const DataFileContents contents = ReadDataFile(path);
  if (!contents.error.empty()) {
    m_platform.prompter.ShowMessage(kOpenError, contents.error);
    return 1;
  }
  if (m_running) {
    // Resumed, a paused run would add live readings to the file's lines, under its name.
    m_running = 0;
    m_meter.Close();
  }
  if (contents.kind == DataFileKind::Graph) {
    ShowLoadedGraph(contents);
  } else {
    ShowLoadedLines(contents);
  }
  SetFileName(title);
  ReportPartialLoad(contents);
  return 1;
}

int CKeloView::SaveDataFile(char (&path)[kDialogPathSize], char (&title)[kDialogTitleSize]) {
  const std::optional<FileDialogAnswer> answer = m_platform.dialogs.RunSaveFile(SaveRequest(path));
  if (!answer) {
    return 1;
  }
  std::string error;
  if (!KeepAnswer(*answer, path, title)) {
    error = SystemErrorText(ENAMETOOLONG);
  } else {
    WriteFileAtomically(path, BuildSaveContent(*this), error);
  }
  if (!error.empty()) {
    // Nothing changes, so Save stays available and the data can go elsewhere.
    m_platform.prompter.ShowMessage(kSaveError, error);
    return 1;
  }
  m_recordedLines = m_displayMode == 2 ? 0 : m_sampleList.Count();
  m_unsaved = 0;
  SetFileName(title);
  return 1;
}

void CKeloView::ShowLoadedGraph(const DataFileContents& contents) {
  m_waveformShown = 1;
  std::copy(contents.image.begin(), contents.image.end(), std::begin(m_waveform));
  // Save in waveform mode writes the unmarked picture from the capture buffer; the picture
  // on display is now this file's, and saving it must not bring back an older capture.
  std::copy(contents.image.begin(), contents.image.end(), m_meter.m_capture.begin());
  SetDisplayMode(2);
}

void CKeloView::ShowLoadedLines(const DataFileContents& contents) {
  m_waveformShown = 0;
  m_sampleList.Clear();
  m_sampleList.SetRedraw(false);
  int last = -1;
  for (const std::string& line : contents.lines) {
    last = m_sampleList.Add(line);
  }
  if (last >= 0) {
    m_sampleList.Select(last);  // the last line selected and in view; redraw is off till now
  }
  m_sampleList.SetFont(m_fontList);
  m_sampleList.SetRedraw(true);
  m_sampleList.Invalidate();
  m_recordedLines = m_sampleList.Count();
  SetDisplayMode(3);
}

// What was loaded is on screen; the user learns what it lacks.
void CKeloView::ReportPartialLoad(const DataFileContents& contents) {
  if (contents.kind == DataFileKind::Graph && !contents.graph.IsComplete()) {
    const int missing = static_cast<int>(kGraphImageSize) - contents.graph.validFields;
    m_platform.prompter.ShowMessage(
        "Damaged graph file!", Format("%d of %d values missing or unreadable, shown as 0", missing,
                                      static_cast<int>(kGraphImageSize)));
  } else if (contents.recordsLeftOut > 0) {
    m_platform.prompter.ShowMessage("Data file too long!",
                                    Format("The first %zu records were loaded, %zu left out",
                                           contents.lines.size(), contents.recordsLeftOut));
  } else if (contents.damage.Any()) {
    // The lines stay as read, but a half record would otherwise pass for a reading.
    std::string detail = DescribeTextDamage(contents.damage, contents.fileRecords);
    detail[0] = 'R';  // "record ..." opens the sentence
    m_platform.prompter.ShowMessage("Damaged data file!", detail);
  }
}

void CKeloView::SetFileName(const std::string& title) {
  CopyField(m_szFileName, Utf8Prefix(title, sizeof m_szFileName - 1));
  SetStatusPane(pane::kFileName, m_szFileName);
}

}  // namespace volmograph
