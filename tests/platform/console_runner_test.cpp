#include "platform/console_runner.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace platform;
namespace fs = std::filesystem;

class ConsoleRunner : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() / ("console runner test " + std::to_string(::getpid()));
    fs::create_directories(folder_);
  }
  void TearDown() override { fs::remove_all(folder_); }
  fs::path folder_;
  TConsoleRunner runner_;
};

TEST_F(ConsoleRunner, CollectsStandardOutputAndErrorInTheFolder) {
  EXPECT_EQ(runner_.Run({"sh", "-c", "pwd; echo err 1>&2"}, folder_.string()),
            folder_.string() + "\nerr\n");
}

TEST_F(ConsoleRunner, ArgumentsReachTheProgramAsTheyStand) {
  const std::string names[] = {
      "k $(touch dollar).xml",
      "k `touch back`.xml",
      "k \"$(touch quoted)\".xml",
      "k '; touch single '.xml",
      "k; touch semi & touch amp | tee pipe > out.xml",
      "k\\*.xml",
  };
  for (const std::string& name : names) {
    EXPECT_EQ(runner_.Run({"printf", "%s", name}, folder_.string()), name);
  }
  EXPECT_TRUE(fs::is_empty(folder_)) << "a shell ran part of a name";
}

TEST_F(ConsoleRunner, NothingToRunGivesNoOutput) {
  EXPECT_EQ(runner_.Run({"no-such-validator", "val", "-e"}, folder_.string()), "");
  EXPECT_EQ(runner_.Run({"echo", "x"}, "/no/such/folder"), "");
  EXPECT_EQ(runner_.Run({}, folder_.string()), "");
}
