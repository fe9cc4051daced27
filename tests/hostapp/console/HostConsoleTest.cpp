#include "hostapp/console/HostConsole.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>

#include "../services/HostServicesFixture.h"

namespace hostapp {
namespace {

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class HostConsoleTest : public ::testing::Test {
 protected:
  void TearDown() override {
    HostConsole::Instance().CloseRawLog();
    HostConsole::Instance().SetProgressPrefix("");
    HostConsole::Instance().SetKeepColor(false);
    std::remove(logPath_.c_str());
  }
  std::string logPath_ = ::testing::TempDir() + "trvx_console_raw_" + std::to_string(::getpid()) + ".log";
};

TEST_F(HostConsoleTest, RawLogHoldsTheExactTextSentWhileTheTerminalRendersIt) {
  testing::RecordedConsole recorded;
  HostConsole& console = HostConsole::Instance();
  console.SetKeepColor(false);
  console.SetProgressPrefix("[1/3] ");
  console.OpenRawLog(logPath_);
  console.Write(u"Creating xnml for /d/xnml_\u00e4.xisf", true);
  console.Write(u"<end><cbr>Writing output file: <raw>/d/\u00e4.xnml</raw>", true);
  console.Write(u"\x1b[31m*** Error: x\x1b[39m", false);
  console.Write(u"\U0001F600", true);
  console.CloseRawLog();
  console.Write(u"after close", true);

  EXPECT_EQ(ReadFile(logPath_),
            "Creating xnml for /d/xnml_\xc3\xa4.xisf\n"
            "<end><cbr>Writing output file: <raw>/d/\xc3\xa4.xnml</raw>\n"
            "\x1b[31m*** Error: x\x1b[39m"
            "\xf0\x9f\x98\x80\n");
  EXPECT_EQ(recorded.Shown(),
            "[1/3] Creating xnml for /d/xnml_\xc3\xa4.xisf\n"
            "Writing output file: /d/\xc3\xa4.xnml\n"
            "*** Error: x\xf0\x9f\x98\x80\n"
            "after close\n");
}

TEST_F(HostConsoleTest, RecordsWritesAndShowsWhileRecording) {
  HostConsole& console = HostConsole::Instance();
  testing::RecordedConsole recorded;
  console.StopRecording();
  console.Write(u"before", true);
  console.Show();
  console.StartRecording();  // forgets what came before
  console.Show();
  console.Write(u"a", false);
  console.Write(u"b", true, true);
  console.Show();
  std::vector<ConsoleWrite> expected = {{u"a", false, false}, {u"b", true, true}};
  EXPECT_EQ(recorded.Writes(), expected);
  EXPECT_EQ(console.RecordedShowCount(), 2);
}

TEST_F(HostConsoleTest, ANullSinkKeepsTheTerminalQuietButStillRecords) {
  testing::RecordedConsole recorded;
  HostConsole& console = HostConsole::Instance();
  auto previous = console.SetTerminalSink(nullptr);
  console.Write(u"quiet", true);
  console.SetTerminalSink(previous);
  EXPECT_EQ(recorded.Shown(), "");
  ASSERT_EQ(recorded.Writes().size(), 1u);
  EXPECT_EQ(recorded.Writes()[0].text, u"quiet");
}

TEST_F(HostConsoleTest, ALogThatCannotBeCreatedIsRefused) {
  EXPECT_THROW(HostConsole::Instance().OpenRawLog("/nonexistent-dir/trvx/console.log"),
               std::runtime_error);
}

TEST_F(HostConsoleTest, ColourIsWantedOnlyOnATerminalWithoutNoColor) {
  const char* saved = std::getenv("NO_COLOR");
  std::string savedValue = saved != nullptr ? saved : "";
  setenv("NO_COLOR", "1", 1);
  EXPECT_FALSE(HostConsole::ColorWanted());
  setenv("NO_COLOR", "", 1);  // empty counts as unset
  EXPECT_EQ(HostConsole::ColorWanted(), isatty(fileno(stdout)) != 0);
  unsetenv("NO_COLOR");
  EXPECT_EQ(HostConsole::ColorWanted(), isatty(fileno(stdout)) != 0);
  if (saved != nullptr) setenv("NO_COLOR", savedValue.c_str(), 1);
}

}  // namespace
}  // namespace hostapp
