#include "platform/console_runner.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace platform;

TEST(ConsoleRunner, PrefixesOfThePlatformShellAreTakenOff) {
  struct Case {
    const char* in;
    const char* out;
  } cases[] = {
      {"cmd.exe /C echo a", "echo a"},
      {"cmd.exe /C cmd.exe /S /K xml.exe val -e -s a.xsd \"b c.xml\"",
       "xml.exe val -e -s a.xsd \"b c.xml\""},
      {"CMD.EXE /c ls", "ls"},
      {"echo cmd.exe /C", "echo cmd.exe /C"},
  };
  for (const auto& c : cases) EXPECT_EQ(StripConsolePrefixes(c.in), c.out) << c.in;
}

TEST(ConsoleRunner, CollectsStandardOutputAndErrorInTheFolder) {
  auto folder = std::filesystem::temp_directory_path() / "console runner test";
  std::filesystem::create_directories(folder);
  TShellConsoleRunner runner;
  std::string out = runner.Run("cmd.exe /C cmd.exe /S /K pwd; echo err 1>&2", folder.string());
  EXPECT_EQ(out, folder.string() + "\nerr\n");
  std::filesystem::remove_all(folder);
}

TEST(ConsoleRunner, MissingProgramGivesItsErrorTextAndReturns) {
  TShellConsoleRunner runner;
  std::string out = runner.Run("no-such-validator val -e", "/");
  EXPECT_NE(out.find("not found"), std::string::npos) << out;
}

TEST(ConsoleRunner, UnknownFolderGivesNoOutput) {
  TShellConsoleRunner runner;
  EXPECT_EQ(runner.Run("echo x", "/no/such/folder"), "");
}
