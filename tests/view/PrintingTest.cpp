// The view's printing: the page count and the print dialog, the page each display mode
// prints, the empty list, and printing during a run.

#include <string>
#include <vector>

#include "ViewHarness.h"
#include "print/GraphReport.h"
#include "print/TextReport.h"
#include "support/GraphLines.h"

namespace volmograph::test {
namespace {

using Ops = std::vector<std::string>;

class ViewPrinting : public ::testing::Test {
 protected:
  Ops Print(int page) {
    RecordingCanvas dc;
    rig.V().OnPrint(dc, page);
    return dc.Operations();
  }

  ViewRig rig;
};

TEST_F(ViewPrinting, PageCountAndPrintDialog) {
  CKeloView& view = rig.V();
  ScriptedDialogs& dialogs = rig.Hp().m_dialogs;
  view.m_displayMode = 3;
  view.m_recordedLines = 46;
  PrintInfo preview{.preview = true};
  EXPECT_TRUE(view.OnPreparePrinting(preview));
  EXPECT_EQ(preview.maxPage, 3);
  EXPECT_TRUE(dialogs.PrintDialogRuns().empty());  // preview shows no dialog

  dialogs.ScriptPrintDialog(true, 2, 9);
  dialogs.ScriptPrintDialog(false);
  PrintInfo print;
  EXPECT_TRUE(view.OnPreparePrinting(print));
  EXPECT_EQ(print.FirstPage(), 2);
  EXPECT_EQ(print.LastPage(), 3);
  EXPECT_FALSE(view.OnPreparePrinting(print));  // cancelled
  EXPECT_FALSE(view.OnPreparePrinting(print));  // no script left: cancelled too
  EXPECT_EQ(dialogs.PrintDialogRuns().size(), 3u);
  EXPECT_EQ(dialogs.PrintDialogRuns()[0].maxPage, 3);
}

TEST_F(ViewPrinting, EmptyListIsReportedForEveryPageAskedFor) {
  for (int mode : {0, 1, 3, 4}) {
    rig.V().m_displayMode = mode;
    for (int page = 1; page <= 2; ++page) {
      EXPECT_EQ(Print(page), (Ops{"mapmode twips", "bkcolor FFFFFF"}));
    }
  }
  ASSERT_EQ(rig.Messages().size(), 8u);
  EXPECT_EQ(rig.Messages()[7].text, "Data not exist !");
}

TEST_F(ViewPrinting, EachModePrintsItsReportAndKeepsWhatItRead) {
  for (int i = 0; i < 60; ++i) {
    rig.Hp().m_list.Add(GraphLine("DCV", Volts(i * 0.01)));
  }
  CKeloView& view = rig.V();
  // The title is the system's UTF-8; the header prints code page 1252.
  std::snprintf(view.m_szFileName, sizeof view.m_szFileName, "%s", "m\xC3\xABssung.mtr");
  view.m_graphFirst = 10;
  view.m_graphLast = 40;
  const std::vector<std::string> lines(rig.Lines().begin(), rig.Lines().end());
  for (int mode : {1, 4}) {
    view.m_displayMode = mode;
    for (int page : {1, 2}) {
      RecordingCanvas expected;
      StartReportPage(expected);
      const ReportSource source{lines, "m\xEBssung.mtr", 45};
      if (mode == 1) {
        PrintTextReport(expected, source, page);
      } else {
        PrintGraphReport(expected, source, {10, 40}, GraphKind::Bar, page);
      }
      PrintPageFooter(expected, page);
      EXPECT_EQ(Print(page), expected.Operations()) << "mode " << mode << " page " << page;
    }
  }
  EXPECT_EQ(view.m_recordedLines, 30);  // the graph window's lines
  EXPECT_EQ(view.m_plotValues[39], 0.39f);
  EXPECT_EQ(view.m_graphFirst, 10);
  EXPECT_TRUE(rig.Messages().empty());

  // The picture printout patches the capture for good, and has no footer.
  view.m_displayMode = 2;
  view.m_waveform[3] = 0x01;
  view.m_waveform[66] = 0xFF;
  EXPECT_EQ(Print(1), (Ops{"mapmode twips", "bkcolor FFFFFF", "brush 000000",
                           "rect 3000 -13900 3100 -13800"}));
  EXPECT_EQ(view.m_waveform[66], 0);
}

TEST_F(ViewPrinting, PagesPrintedDuringARunShowTheListAsItStands) {
  rig.StartPrimed(Dcv(" 1.000"));
  rig.Record(Dcv(" 1.000"));
  rig.Record(Dcv(" 2.000"));
  const Ops page = Print(1);
  EXPECT_EQ(page[3],
            "text 2000 -2500 \"Number of Samples  : " + std::to_string(rig.Lines().size()) + "\"");
  EXPECT_EQ(page[4], "text 2000 -3000 \"Value of Maximum   : 2.000000\"");
  EXPECT_EQ(rig.V().m_acquiring, 1);
}

}  // namespace
}  // namespace volmograph::test
