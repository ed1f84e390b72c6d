// File dialogs: the names they settle on, the scripted dialogs' prompts, and file titles cut
// to a fixed field.

#include <gtest/gtest.h>

#include "platform/FileDialogNames.h"
#include "platform/ScriptedDialogs.h"
#include "platform/TextEncoding.h"
#include "support/TestFiles.h"

namespace volmograph {
namespace {

TEST(FileDialogNames, DefaultExtensionOnlyWhereTheNameHasNone) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"data", "data.mtr"},
      {"data.", "data."},
      {"run.2024/data", "run.2024/data.mtr"},  // a dot in a folder's name does not count
      {".data", ".data.mtr"},                  // nor does the dot of a hidden file
      {"archive.tar.gz", "archive.tar.gz"},
      {"folder/", "folder/"},
  };
  for (const auto& [typed, chosen] : cases) {
    EXPECT_EQ(ApplyDefaultExtension(typed, "mtr"), chosen) << typed;
  }
  EXPECT_EQ(FileTitle("/home/u/data.mtr"), "data.mtr");
  EXPECT_EQ(FileTitle("data.mtr"), "data.mtr");
}

TEST(FileDialogNames, Utf8PrefixNeverSplitsACharacter) {
  const std::string e = "\xC3\xA9";             // 2 bytes
  const std::string euro = "\xE2\x82\xAC";      // 3 bytes
  const std::string clef = "\xF0\x9D\x84\x9E";  // 4 bytes
  const std::vector<std::tuple<std::string, std::size_t, std::string>> cases = {
      {"abc", 5, "abc"},
      {"abcdef", 3, "abc"},
      {"ab" + e, 3, "ab"},
      {"ab" + e + "c", 4, "ab" + e},
      {"a" + euro, 3, "a"},
      {"a" + clef + "z", 4, "a"},
      {"a" + clef + "z", 5, "a" + clef},
      {"ab\xB5\xB5", 3, "ab\xB5"},  // code page bytes, not UTF-8: cut where they stand
      {"\x80\x80\x80\x80\x80", 2, "\x80\x80"},
  };
  for (const auto& [text, max, prefix] : cases) {
    EXPECT_EQ(Utf8Prefix(text, max), prefix) << text << " / " << max;
  }
}

TEST(ScriptedFileDialogs, PromptsAndNamesAsTheDesktopDialogs) {
  test::TempFolder folder;
  test::WriteFile(folder / "there.mtr", "");
  RecordingPrompter prompter;
  ScriptedDialogs dialogs(prompter);
  FileDialogRequest open{{}, "mtg", {}, true, false, false};
  FileDialogRequest save{{}, "mtr", {}, false, true, true};

  EXPECT_FALSE(dialogs.RunOpenFile(open));  // nothing scripted: the user cancels
  dialogs.ScriptOpenFile({.name = folder / "new", .agree = false});
  EXPECT_FALSE(dialogs.RunOpenFile(open));  // create prompt declined
  open.createPrompt = false;
  dialogs.ScriptOpenFile({folder / "new"});
  EXPECT_FALSE(dialogs.RunOpenFile(open));  // without the prompt a missing file is refused
  dialogs.ScriptSaveFile({.name = folder / "there", .agree = false});
  EXPECT_FALSE(dialogs.RunSaveFile(save));  // overwrite declined
  EXPECT_TRUE(dialogs.OpenFileRuns()[1].prompted && dialogs.SaveFileRuns()[0].prompted);

  // A relative typed name is taken from the working folder; a picked file keeps its name.
  dialogs.ScriptSaveFile({"rel"});
  EXPECT_EQ(dialogs.RunSaveFile(save)->path,
            (std::filesystem::current_path() / "rel.mtr").string());
  dialogs.ScriptSaveFile({.name = folder / "picked", .typed = false});
  EXPECT_EQ(dialogs.RunSaveFile(save), (FileDialogAnswer{folder / "picked", "picked"}));
}

}  // namespace
}  // namespace volmograph
