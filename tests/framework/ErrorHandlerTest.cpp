#include <gtest/gtest.h>

#include <new>
#include <string>

#include "support/RecordingHost.h"
#include "core/Exception.h"
#include "file/File.h"
#include "framework/ErrorHandler.h"
#include "host/APIError.h"
#include "host/APIInterface.h"

namespace px {
namespace {

using trvx::test::RecordingHost;

const std::string kRed = "\x1b[31m";
const std::string kDefault = "\x1b[39m";

// The console report of an exception whose report text is `report`.
std::string ConsoleReport(const std::string& report) {
  return kRed + "<end><cbr>*** " + report + kDefault + kDefault + "<end><cbr>";
}

class ErrorHandlerOnConsole : public ::testing::Test {
 protected:
  void SetUp() override { host.Bind(); }
  RecordingHost host;
};

TEST_F(ErrorHandlerOnConsole, ErrorIsWrittenAsCriticalTextAndTheConsoleIsShown) {
  int result = HandleErrors(7, []() -> int { throw Error("x"); });
  EXPECT_EQ(result, 7);
  EXPECT_EQ(host.console, ConsoleReport("Error: x"));
  EXPECT_EQ(host.consoleShown, 1);
}

TEST_F(ErrorHandlerOnConsole, EachKindOfThrownValueBecomesItsReport) {
  struct Case {
    const char* what;
    void (*raise)();
    std::string report;  // empty: nothing is reported
  };
  const Case cases[] = {
      {"File::Error", [] { throw File::Error("Unable to create file", "/d/f.xnml"); },
       "Error: File I/O Error: Unable to create file: /d/f.xnml"},
      {"File::Error without path", [] { throw File::Error("Unable to create file", ""); },
       "Error: File I/O Error: Unable to create file"},
      {"APIFunctionError", [] { throw APIFunctionError("GetConsole"); },
       "PixInsight API Error: GetConsole(): API function error"},
      {"thrown String", [] { throw String("plain text"); }, "Error: plain text"},
      {"bad_alloc", [] { throw std::bad_alloc(); }, "Error: Out of memory"},
      {"int", [] { throw 42; }, "Error: Unknown exception"},
      {"ProcessAborted", [] { throw ProcessAborted(); }, ""},
      {"CaughtException", [] { throw CaughtException(); }, ""},
  };
  for (const Case& c : cases) {
    host.Clear();
    bool result = HandleErrors(true, [&] {
      c.raise();
      return false;
    });
    EXPECT_TRUE(result) << c.what << ": the neutral value is returned";
    EXPECT_EQ(host.console, c.report.empty() ? "" : ConsoleReport(c.report)) << c.what;
    EXPECT_EQ(host.consoleShown, c.report.empty() ? 0 : 1) << c.what;
  }
}

TEST_F(ErrorHandlerOnConsole, FatalErrorPassesThroughUnreported) {
  EXPECT_THROW(HandleErrors([] { throw FatalError("must reach the host"); }), FatalError);
  EXPECT_EQ(host.console, "");
}

TEST_F(ErrorHandlerOnConsole, VoidCallsRunAndReport) {
  int runs = 0;
  HandleErrors([&] { ++runs; });
  HandleErrors([&] {
    ++runs;
    throw Error("late");
  });
  EXPECT_EQ(runs, 2);
  EXPECT_EQ(host.console, ConsoleReport("Error: late"));
}

TEST_F(ErrorHandlerOnConsole, APIErrorAddsTheCodeAndTheHostText) {
  struct Case {
    const char* message;
    std::u16string hostText;
    std::string info;
  };
  const Case cases[] = {
      {"Call failed", u"", "Call failed (0x002a)"},
      {"Call failed", u"No such view", "Call failed (0x002a): No such view"},
      {"", u"", "API error code 0x002a"},
      {"", u"No such view", "API error code 0x002a: No such view"},
  };
  host.lastError = 0x2a;
  for (const Case& c : cases) {
    host.errorText = c.hostText;
    APIError e{String(c.message)};
    EXPECT_EQ(e.ErrorCode(), 0x2au);
    EXPECT_EQ(e.FormatInfo().ToStdUTF8(), c.info);
  }
  host.lastError = 0;
  EXPECT_EQ(APIError(String("Call failed")).FormatInfo().ToStdUTF8(), "Call failed");
}

TEST_F(ErrorHandlerOnConsole, WithoutAHostConsoleTheReportGoesToStandardError) {
  host.hasConsole = false;
  ::testing::internal::CaptureStderr();
  HandleErrors([] { throw Error("x"); });
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "\n*** Error: x\n");
  EXPECT_EQ(host.console, "");
}

TEST(ErrorHandlerBeforeBinding, ReportGoesToStandardErrorWithTagsSimplified) {
  ASSERT_EQ(API, nullptr);
  struct Case {
    const char* message;
    const char* written;
  };
  const Case cases[] = {
      {"x", "\n*** Error: x\n"},
      {"<p>First</p><p>Second <b>bold</b></p>", "\n*** Error: \nFirst\n\nSecond bold\n\n"},
      {"a<br/>b<br>c", "\n*** Error: a\nb\nc\n"},
      {"1 < 2 > 0 <i2>", "\n*** Error: 1 < 2 > 0 <i2>\n"},  // not tags: kept
  };
  for (const Case& c : cases) {
    ::testing::internal::CaptureStderr();
    HandleErrors([&] { throw Error(c.message); });
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), c.written) << c.message;
  }
}

TEST(ErrorHandlerBeforeBinding, SilentCasesWriteNothing) {
  ::testing::internal::CaptureStderr();
  HandleErrors([] { throw ProcessAborted(); });
  HandleErrors([] { throw CaughtException(); });
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
}

TEST(ExceptionFormat, FormatInfoJoinsClassAndMessage) {
  EXPECT_EQ(ProcessAborted().FormatInfo().ToStdUTF8(), "Process aborted");
  EXPECT_EQ(Error("m").FormatInfo().ToStdUTF8(), "m");
  EXPECT_EQ(File::Error("m", "/p").FormatInfo().ToStdUTF8(), "File I/O Error: m: /p");
  EXPECT_EQ(CaughtException().Caption().ToStdUTF8(), "Exception");
  EXPECT_EQ(FatalError("m").Caption().ToStdUTF8(), "Error");
}

}  // namespace
}  // namespace px
