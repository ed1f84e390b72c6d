#include "app/MenuTables.h"

#include <map>

#include "app/ShellIds.h"
#include "view/Ids.h"
#include "view/SettingTables.h"

namespace volmograph::shell {

namespace {

const MenuNode kSeparator{};

MenuNode Popup(std::string text, std::vector<MenuNode> children) {
  return MenuNode{std::move(text), 0, std::move(children)};
}

MenuNode DbPopup() {
  std::vector<MenuNode> items;
  int id = cmd::kDbRefFirst;
  for (const DbReferenceChoice& choice : kDbReferenceChoices) {
    items.push_back({std::to_string(choice.ohm) + " Ohm", id++, {}});
  }
  return Popup("&dB", std::move(items));
}

}  // namespace

std::vector<MenuNode> NoDocumentMenu() {
  return {
      Popup("&File", {{"&New\tCtrl+N", kFileNew, {}},
                      {"&Open...\tCtrl+O", kFileOpen, {}},
                      kSeparator,
                      {"P&rint Setup...", kPrintSetup, {}},
                      kSeparator,
                      {"Recent File", kRecentFile1, {}},
                      kSeparator,
                      {"E&xit", kAppExit, {}}}),
      Popup("&View", {{"&Toolbar", kViewToolbar, {}}, {"&Status Bar", kViewStatusBar, {}}}),
      Popup("&Help", {{"&Index", kHelpIndex, {}},
                      {"&Using Help", kHelpUsing, {}},
                      kSeparator,
                      {"&About...", kAppAbout, {}}}),
  };
}

std::vector<MenuNode> DocumentMenu(bool demo) {
  std::vector<MenuNode> menu{
      Popup("&File", {{"&Open...\tCtrl+O", kFileOpen, {}},
                      {"&Save\tCtrl+S", kFileSave, {}},
                      kSeparator,
                      {"&Print...\tCtrl+P", kPrint, {}},
                      {"Print Pre&view", kPrintPreview, {}},
                      {"P&rint Setup...", kPrintSetup, {}},
                      kSeparator,
                      {"E&xit", kAppExit, {}}}),
      Popup("&Run",
            {{"&Start", cmd::kStart, {}}, {"Sto&p", cmd::kStop, {}}, {"Pa&use", cmd::kPause, {}}}),
      Popup("&View", {{"&Bar", cmd::kViewBar, {}},
                      {"&Line", cmd::kViewLine, {}},
                      {"&Text", cmd::kViewText, {}}}),
      Popup("&Setup", {DbPopup(),
                       Popup("Sampling &Time", {{"250 mSEC", cmd::kSampling250ms, {}},
                                                {"500 mSEC", cmd::kSampling500ms, {}},
                                                {"1 SEC", cmd::kSampling1s, {}},
                                                {"2 SEC", cmd::kSampling2s, {}},
                                                {"5 SEC", cmd::kSampling5s, {}},
                                                {"10 SEC", cmd::kSampling10s, {}}}),
                       kSeparator,
                       {"Comm &Port", cmd::kCommPort, {}}}),
  };
  if (demo) {
    menu.push_back(Popup("&Demo", {{"Send &waveform\tF9", kDemoWaveform, {}}}));
  }
  menu.push_back(Popup("&Help", {{"&Read Me", kHelpIndex, {}},
                                 {"&Using Help", kHelpUsing, {}},
                                 kSeparator,
                                 {"&About ...", kAppAbout, {}}}));
  return menu;
}

std::vector<Accelerator> Accelerators(bool demo) {
  std::vector<Accelerator> table{
      {"Ctrl+N", kFileNew},    {"Ctrl+O", kFileOpen},       {"Ctrl+S", kFileSave},
      {"Ctrl+P", kPrint},      {"Ctrl+Z", kEditUndo},       {"Alt+Backspace", kEditUndo},
      {"Ctrl+X", kEditCut},    {"Shift+Del", kEditCut},     {"Ctrl+C", kEditCopy},
      {"Ctrl+Ins", kEditCopy}, {"Ctrl+V", kEditPaste},      {"Shift+Ins", kEditPaste},
      {"F6", kNextPane},       {"Shift+F6", kPreviousPane}, {"Shift+F1", kContextHelp},
      {"F1", kHelp},
  };
  if (demo) {
    table.push_back({"F9", kDemoWaveform});
  }
  return table;
}

std::vector<int> ToolbarLayout() {
  return {kFileOpen, kFileSave, 0, kPrint, 0, cmd::kStart, cmd::kStop, cmd::kPause};
}

std::string CommandPrompt(int id) {
  static const std::map<int, std::string> prompts{
      {kFileNew, "Open another document window with a view of its own"},
      {kFileOpen, "Load a data file (.mtr): a sample list or a waveform picture"},
      {kFileSave, "Save the sample list, or the waveform picture, to a data file"},
      {kPrint, "Print the text report, the graph report or the waveform picture"},
      {kPrintPreview, "Show the pages as they will be printed"},
      {kPrintSetup, "Choose the paper and page layout"},
      {kRecentFile1, "Open this document"},
      {kAppExit, "Quit Volmograph"},
      {kViewToolbar, "Show or hide the toolbar"},
      {kViewStatusBar, "Show or hide the status bar"},
      {kHelpIndex, "Open the user manual"},
      {kHelpUsing, "How to use the help window"},
      {kAppAbout, "Show the program's version"},
      {cmd::kStart, "Start recording readings from the meter, or resume after a pause"},
      {cmd::kStop, "Stop recording and close the serial port"},
      {cmd::kPause, "Pause recording; the port stays open"},
      {cmd::kViewBar, "Show the recorded readings as a bar graph"},
      {cmd::kViewLine, "Show the recorded readings as a line graph"},
      {cmd::kViewText, "Show the numeric readout"},
      {cmd::kCommPort, "Choose the serial port the meter is connected to"},
      {kDemoWaveform, "Make the simulated meter send a waveform capture"},
  };
  if (id >= cmd::kDbRefFirst && id <= cmd::kDbRefLast) {
    return "Reference impedance of the dBm conversion";
  }
  for (const SamplingChoice& choice : kSamplingChoices) {
    if (choice.commandId == id) {
      return "Time between two recorded readings";
    }
  }
  auto found = prompts.find(id);
  return found == prompts.end() ? std::string() : found->second;
}

}  // namespace volmograph::shell

namespace volmograph::shell {

bool IsViewCommand(int id) {
  switch (id) {
    case cmd::kStart:
    case cmd::kStop:
    case cmd::kPause:
    case cmd::kViewBar:
    case cmd::kViewLine:
    case cmd::kViewText:
    case cmd::kCommPort:
    case kFileOpen:
    case kFileSave:
    // No menu item, toolbar button or key sends these; they are the view's all the same.
    case cmd::kViewWaveform:
    case cmd::kSampling50ms:
    case cmd::kStartEnd:
      return true;
    default:
      break;
  }
  for (const SamplingChoice& choice : kSamplingChoices) {
    if (choice.commandId == id) {
      return true;
    }
  }
  return id >= cmd::kDbRefFirst && id <= cmd::kDbRefLast;
}

}  // namespace volmograph::shell
