#pragma once

// The form view: owns the serial settings, the meter driver, the run flags, the readout
// statistics, the sample list, the waveform capture and the display mode. Every member is
// written here in view/, one topic a file, as short glue over the pure code of decode/,
// graph/, files/ and print/, which never include a view header.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "decode/Reading.h"
#include "files/DataFileReader.h"
#include "link/CComTR6400.h"
#include "link/CRScom.h"
#include "platform/Canvas.h"
#include "platform/Graphics.h"
#include "platform/Platform.h"

namespace volmograph {

// Enabled and checked state of a command, for menus and the toolbar.
struct CommandState {
  bool enabled = true;
  bool checked = false;
  friend bool operator==(const CommandState&, const CommandState&) = default;
};

// Kinds of control that ask for their colours.
enum class ControlKind { Button, ListBox, Static, Other };

// What a control-colour request answers; nullopt means the framework's own colours.
struct ControlColours {
  Rgb text;
  Rgb background;
  BkMode mode;
};

class CKeloView {
 public:
  explicit CKeloView(const Platform& platform);
  ~CKeloView();
  CKeloView(const CKeloView&) = delete;
  CKeloView& operator=(const CKeloView&) = delete;

  // Creation (view/CKeloView.cpp).
  int OnCreate();
  void OnInitialUpdate();
  std::optional<ControlColours> OnCtlColor(ControlKind kind, int controlId);

  // Routes a command or a button click; false when the view does not handle it.
  bool OnCommand(int commandId);
  // Enabled and checked state of a command.
  CommandState QueryCommand(int commandId) const;

  // Timer tick and run control (view/Tick.cpp, view/RunControl.cpp).
  void OnTimer(int timerId);
  void OnRunStart();
  void OnRunStop();
  void OnRunPause();

  // Readout and function modes (view/Readout.cpp, view/FunctionModes.cpp).
  void UpdateReadout();
  void OnRel();
  void OnDb();
  void OnPeakHold();
  void OnMinMax();
  void ShowDbReference();

  // Setting commands (view/SettingCommands.cpp).
  void OnSamplingTime(int commandId);
  void OnSampling50ms();
  void OnDbReference(int commandId);
  void OnCommPort();
  void OnStartEnd();

  // Display modes (view/DisplayModes.cpp).
  void SetDisplayMode(int mode);
  void OnDraw();
  void DrawWaveform();
  void OnViewText();
  void OnViewWaveform();

  // Line and bar graphs (view/Graphs.cpp).
  void DrawGraph();
  void OnViewLine();
  void OnViewBar();

  // Data files (view/DataFiles.cpp). Each dialog has a path and a title buffer that keep
  // their contents, so that it proposes the path last chosen in it; the path buffer holds
  // any path the system can open (the design's 260 characters are a Windows limit).
  static constexpr std::size_t kDialogPathSize = 4096;
  static constexpr std::size_t kDialogTitleSize = 512;
  // Shows the open dialog and loads the chosen file: 0 when cancelled, else 1.
  int OpenDataFile(char (&path)[kDialogPathSize], char (&title)[kDialogTitleSize]);
  // Shows the save dialog and writes the file: 1 in every case.
  int SaveDataFile(char (&path)[kDialogPathSize], char (&title)[kDialogTitleSize]);

  // Printing and print preview (view/Printing.cpp). The print flow asks for the page count
  // and the print dialog with OnPreparePrinting (false: cancelled), then for each page in
  // turn with OnPrint, counting from 1; printing is allowed during a run.
  bool OnPreparePrinting(PrintInfo& info);
  void OnBeginPrinting(Canvas& dc, const PrintInfo& info);
  void OnPrint(Canvas& dc, int page);
  void OnEndPrinting(Canvas& dc, const PrintInfo& info);
  void PrintPageFooter(Canvas& dc, int page);

  // Called when the view goes away, to end the program (the shell sets it).
  std::function<void()> m_onDestroyed;

  // ---- Data model, in declaration order ----
  ListBox& m_sampleList;
  std::string m_selectedLine;
  CRScom m_comSettings;
  CComTR6400 m_meter;
  int m_graphFirst = 0;
  int m_graphLast = 500;
  char m_lastFunction = 0;
  Reading m_reading;  // the current reading; the fields below name its parts
  char& m_function = m_reading.function;
  char m_axisTitle[10] = {};
  char m_lastPrefix = ' ';
  char m_lastUnitChar = ' ';
  int m_lastDecimals = 0;
  Rgb m_ctlBkColor{};
  std::optional<Rgb> m_ctlBrush;
  std::uint8_t m_redrawPending = 0;
  FontDescription m_fontValue;
  FontDescription m_fontLarge;
  FontDescription m_fontLargeGreek;
  FontDescription m_fontVertical;
  FontDescription m_fontList;
  int m_stopped = 1;
  int m_running = 0;
  int m_acquiring = 0;
  int m_unsaved = 0;
  int m_relOn = 0;
  int m_relCapture = 0;
  int m_peakHoldOn = 0;
  int m_minMaxOn = 0;
  int m_dbOn = 0;
  int m_restoreTexts = 0;
  char m_mmMaxText[10] = {};
  char m_mmMinText[10] = {};
  char m_phMaxText[10] = {};
  char m_phMinText[10] = {};
  char m_relValueText[10] = {};
  char m_relUnitText[10] = {};
  int m_samplingCheck[6] = {};  // 10 s, 1 s, 250 ms, 2 s, 500 ms, 5 s
  int m_dbRefCheck[15] = {};    // 2, 4, 8, 16, 50, 75, 93, 110, 125, 135, 150, 300, 600, 900, 1000
  float& m_value = m_reading.value;
  float m_relValue = 0.0f;
  float m_phMax = 0.0f;
  float m_phMin = 0.0f;
  float m_mmMax = 0.0f;
  double m_sampleSum = 0.0;
  float m_sampleCount = 0.0f;
  float m_samples[501] = {};  // indices 1..500 used
  float m_mmMin = 0.0f;
  float m_derivedValue = 0.0f;
  float m_plotValues[500] = {};
  std::uint8_t m_waveform[1024] = {};
  int m_waveformShown = 0;
  int m_dbRefOhm = 600;
  float m_dbRefKOhm = 0.6f;
  int m_displayMode = 0;
  std::string m_samplingLabel;
  char m_frameText[100] = {};
  char (&m_valueText)[7] = m_reading.valueText;
  char (&m_unitText)[5] = m_reading.unitText;
  char (&m_rmsText)[4] = m_reading.rmsText;
  char (&m_value2Text)[7] = m_reading.value2Text;
  char (&m_unit2Text)[5] = m_reading.unit2Text;
  char (&m_rms2Text)[4] = m_reading.rms2Text;
  int m_recordedLines = 0;
  int m_linesPerPage = 45;
  char m_szFileName[100] = {};
  // The main value as the readout shows it after REL, dB or nS rewriting. It is kept apart
  // from m_valueText, whose six characters cannot hold a difference such as "-3999.000".
  char m_readoutText[32] = {};

 private:
  void ReadDbReference(Profile& profile);
  void ReadSamplingTime(Profile& profile);
  void RedrawWhileStopped();
  bool TakeAcceptedFrame();
  void RecordDueReading(const LocalTime& now);
  void KeepFiguresToOneQuantity();
  void AddToAverage();
  void ShowNewReading();
  void RunBulkTransferSteps();
  void HandleDeviceGone();
  bool TellOfFramelessLine();
  void AppendSampleLine(const char* line);
  bool ShowDerivedFigures();
  void TrackExtremes(float& max, float& min, char (&maxText)[10], char (&minText)[10], int maxId,
                     int minId);
  void SetStatusPane(int paneId, const std::string& text);
  void ReportSettingNotSaved(bool written);
  void ShowGraph(int mode);
  void OnFileOpen();
  void OnFileSave();
  void ShowLoadedGraph(const DataFileContents& contents);
  void ShowLoadedLines(const DataFileContents& contents);
  void ReportPartialLoad(const DataFileContents& contents);
  void SetFileName(const std::string& title);
  // The first 500 lines of the list, the most the graphs and the reports read.
  std::vector<std::string> ReadListLines() const;

  Platform m_platform;
  // This run's line has carried a frame that the decoder accepted; the user has been told
  // that it carries bytes but no frames.
  bool m_lineProven = false;
  bool m_framelessTold = false;
  // The function, prefix and unit of the readings REL, the extremes and the average were
  // taken from.
  struct Quantity {
    char function = 0;
    char prefix = ' ';
    char unit = ' ';
    bool operator==(const Quantity&) const = default;
  };
  Quantity m_figuresQuantity;
};

}  // namespace volmograph
