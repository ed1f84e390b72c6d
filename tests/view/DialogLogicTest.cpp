#include <gtest/gtest.h>

#include "platform/Prompter.h"
#include "platform/ScriptedDialogs.h"
#include "view/CCommPortDlg.h"
#include "view/CStartEndDlg.h"

namespace volmograph {
namespace {

std::vector<std::string> Texts(const RecordingPrompter& prompter) {
  std::vector<std::string> texts;
  for (const auto& message : prompter.Messages()) {
    texts.push_back(message.text);
  }
  return texts;
}

class StartEnd : public ::testing::Test {
 protected:
  // OK with these texts on a dialog opened with START 10, END 20.
  bool Ok(const std::string& start, const std::string& end) {
    m_refused = 0;
    return m_dialog.OnOK(start, end, m_prompter, m_refused);
  }
  void ExpectRefused(int field, const std::string& message) {
    EXPECT_EQ(m_refused, field);
    EXPECT_EQ(Texts(m_prompter), std::vector<std::string>{message});
    EXPECT_EQ(m_dialog.m_start, 10);
    EXPECT_EQ(m_dialog.m_end, 20);
    m_prompter.Clear();
  }

  CStartEndDlg m_dialog{10, 20};
  RecordingPrompter m_prompter;
  int m_refused = 0;
};

TEST_F(StartEnd, RefusesOutOfRangeAndNonIntegersStoringNothing) {
  EXPECT_FALSE(Ok("600", "100"));
  ExpectRefused(CStartEndDlg::kStartEdit, "Please enter an integer between 0 and 500.");
  EXPECT_FALSE(Ok("-1", "100"));
  ExpectRefused(CStartEndDlg::kStartEdit, "Please enter an integer between 0 and 500.");
  EXPECT_FALSE(Ok("abc", "100"));
  ExpectRefused(CStartEndDlg::kStartEdit, "Please enter an integer.");
  EXPECT_FALSE(Ok("3", "0"));
  ExpectRefused(CStartEndDlg::kEndEdit, "Please enter an integer between 1 and 500.");
  EXPECT_FALSE(Ok("3", "501"));
  ExpectRefused(CStartEndDlg::kEndEdit, "Please enter an integer between 1 and 500.");
  // Beyond int is an integer out of range, never some wrapped value in range.
  for (const char* text : {"4294967396", "99999999999", "-99999999999", "1234567890123456789012"}) {
    EXPECT_FALSE(Ok(text, "100")) << text;
    ExpectRefused(CStartEndDlg::kStartEdit, "Please enter an integer between 0 and 500.");
  }
  EXPECT_FALSE(Ok("3", "99999999999"));
  ExpectRefused(CStartEndDlg::kEndEdit, "Please enter an integer between 1 and 500.");
  for (const char* text : {"", " ", "1 2", "+", "12abc", "1.5", "0x10"}) {
    EXPECT_FALSE(Ok(text, "100")) << '"' << text << '"';
    ExpectRefused(CStartEndDlg::kStartEdit, "Please enter an integer.");
  }
}

TEST_F(StartEnd, EndIsCheckedBeforeStart) {
  EXPECT_FALSE(Ok("abc", "999"));
  ExpectRefused(CStartEndDlg::kEndEdit, "Please enter an integer between 1 and 500.");
}

TEST_F(StartEnd, AcceptsBothWhenBothPass) {
  EXPECT_TRUE(Ok("300", "100"));  // not compared with each other
  EXPECT_EQ(m_dialog.m_start, 300);
  EXPECT_EQ(m_dialog.m_end, 100);
  EXPECT_TRUE(Ok(" +0 ", "\t500"));
  EXPECT_EQ(m_dialog.m_start, 0);
  EXPECT_EQ(m_dialog.m_end, 500);
  EXPECT_TRUE(m_prompter.Messages().empty());
}

TEST(CommPort, ChecksTheRadioOfItsIndexOnly) {
  EXPECT_EQ(CCommPortDlg(0).OnInitDialog(), 1013);
  EXPECT_EQ(CCommPortDlg(3).OnInitDialog(), 1016);
  EXPECT_EQ(CCommPortDlg(7).OnInitDialog(), 0);
  EXPECT_EQ(CCommPortDlg(-1).OnInitDialog(), 0);

  CCommPortDlg dialog(1);
  dialog.OnRadioClicked(1015);
  EXPECT_EQ(dialog.m_portIndex, 2);
  dialog.OnRadioClicked(1017);  // not one of the four
  dialog.OnRadioClicked(1012);
  EXPECT_EQ(dialog.m_portIndex, 2);
}

TEST(ScriptedDialogs, CommPortRunsFollowTheScript) {
  RecordingPrompter prompter;
  ScriptedDialogs dialogs(prompter);
  dialogs.ScriptCommPort({}, true);
  dialogs.ScriptCommPort({1013, 1016}, false);
  dialogs.ScriptCommPort({1014, 1015}, true);

  CCommPortDlg seven(7);
  EXPECT_TRUE(dialogs.RunCommPort(seven));  // OK without a click keeps 7
  EXPECT_EQ(seven.m_portIndex, 7);
  CCommPortDlg cancelled(1);
  EXPECT_FALSE(dialogs.RunCommPort(cancelled));
  CCommPortDlg chosen(1);
  EXPECT_TRUE(dialogs.RunCommPort(chosen));
  EXPECT_EQ(chosen.m_portIndex, 2);
  CCommPortDlg unscripted(0);
  EXPECT_FALSE(dialogs.RunCommPort(unscripted));

  ASSERT_EQ(dialogs.CommPortRuns().size(), 4u);
  EXPECT_EQ(dialogs.CommPortRuns()[0].checkedOnOpen, 0);
  EXPECT_EQ(dialogs.CommPortRuns()[2].checkedOnOpen, 1014);
}

TEST(ScriptedDialogs, StartEndRetriesUntilAnAttemptPasses) {
  RecordingPrompter prompter;
  ScriptedDialogs dialogs(prompter);
  dialogs.ScriptStartEnd({{"600", "100"}, {"x", "0"}, {"300", "100"}, {"1", "1"}});
  dialogs.ScriptStartEnd({{"600", "100"}});

  CStartEndDlg dialog(0, 500);
  EXPECT_TRUE(dialogs.RunStartEnd(dialog));
  EXPECT_EQ(dialog.m_start, 300);
  EXPECT_EQ(dialog.m_end, 100);
  EXPECT_EQ(Texts(prompter),
            (std::vector<std::string>{"Please enter an integer between 0 and 500.",
                                      "Please enter an integer between 1 and 500."}));

  CStartEndDlg refused(5, 6);
  EXPECT_FALSE(dialogs.RunStartEnd(refused));  // attempts run out: Cancel
  EXPECT_EQ(refused.m_start, 5);
  EXPECT_EQ(refused.m_end, 6);
  EXPECT_FALSE(dialogs.RunStartEnd(refused));  // no script: Cancel

  ASSERT_EQ(dialogs.StartEndRuns().size(), 3u);
  const auto& first = dialogs.StartEndRuns()[0];
  EXPECT_EQ(first.startShown, "0");
  EXPECT_EQ(first.endShown, "500");
  EXPECT_EQ(first.refusedFields,
            (std::vector<int>{CStartEndDlg::kStartEdit, CStartEndDlg::kEndEdit}));
  EXPECT_EQ(dialogs.StartEndRuns()[1].startShown, "5");
}

}  // namespace
}  // namespace volmograph
