#include "hostapp/services/GlobalServices.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "HostServicesFixture.h"
#include "hostapp/services/HostErrors.h"

namespace hostapp {
namespace {

TEST(GlobalServices, NumberOfProcessorsIsTheHardwareCountAndOtherKeysAreUnknown) {
  int32_t value = -7;
  ASSERT_EQ(HOST_FN(Global, GetGlobalInteger)("System/NumberOfProcessors", &value), 1);
  unsigned hw = std::thread::hardware_concurrency();
  EXPECT_EQ(value, int32_t(hw == 0 ? 1 : hw));

  for (const char* key : {"System/NumberOfThreads", "system/numberofprocessors", ""}) {
    value = -7;
    EXPECT_EQ(HOST_FN(Global, GetGlobalInteger)(key, &value), 0) << key;
    EXPECT_EQ(value, -7) << key;
  }
  EXPECT_EQ(HOST_FN(Global, GetGlobalInteger)(nullptr, &value), 0);
  EXPECT_EQ(HOST_FN(Global, GetGlobalInteger)("System/NumberOfProcessors", nullptr), 0);
}

TEST(GlobalServices, MaxProcessorsForTheModuleDefaultsToAllAndCanBeOverridden) {
  auto max = HOST_FN(Global, MaxProcessorsAllowedForModule);
  EXPECT_EQ(max(nullptr), NumberOfProcessors());
  SetMaxProcessorsAllowedForModule(3);
  EXPECT_EQ(max(nullptr), 3);
  SetMaxProcessorsAllowedForModule(0);
  EXPECT_EQ(max(nullptr), NumberOfProcessors());
}

TEST(GlobalServices, ErrorMessageGivesLengthThenTextOfTheLastFailure) {
  SetHostError(kHostErrorFileOpen, std::string("/d/x.xisf: bad signature"));
  uint32_t code = HOST_FN(Global, LastError)();
  EXPECT_EQ(code, kHostErrorFileOpen);
  const std::u16string expected = u"/d/x.xisf: bad signature";

  api_size length = 0;
  ASSERT_EQ(HOST_FN(Global, ErrorMessage)(code, nullptr, &length), 1);
  EXPECT_EQ(length, expected.size() + 1);

  std::u16string buffer(length, u'#');
  ASSERT_EQ(HOST_FN(Global, ErrorMessage)(code, buffer.data(), &length), 1);
  EXPECT_EQ(buffer, expected + u'\0');

  // A short buffer gets a cut, terminated text.
  char16_t small[5] = {u'#', u'#', u'#', u'#', u'#'};
  api_size smallLength = 5;
  ASSERT_EQ(HOST_FN(Global, ErrorMessage)(code, small, &smallLength), 1);
  EXPECT_EQ(std::u16string(small, 5), std::u16string(u"/d/x\0", 5));

  // Another code has only its general text; code 0 and unknown codes none.
  ASSERT_EQ(HOST_FN(Global, ErrorMessage)(kHostErrorInvalidHandle, nullptr, &length), 1);
  EXPECT_GT(length, 1u);
  EXPECT_EQ(HOST_FN(Global, ErrorMessage)(0, nullptr, &length), 0);
  EXPECT_EQ(HOST_FN(Global, ErrorMessage)(0xBEEF, nullptr, &length), 0);
  EXPECT_EQ(HOST_FN(Global, ErrorMessage)(code, nullptr, nullptr), 0);
}

TEST(GlobalServices, LastErrorIsPerThread) {
  SetHostError(kHostErrorState, std::string("here"));
  uint32_t seen = 99;
  std::thread([&] { seen = HOST_FN(Global, LastError)(); }).join();
  EXPECT_EQ(seen, kHostErrorNone);
  EXPECT_EQ(HOST_FN(Global, LastError)(), kHostErrorState);
}

TEST(GlobalServices, ConsoleServicesWriteShowAndRefuseOtherHandles) {
  testing::RecordedConsole recorded;
  api_handle console = HOST_FN(Global, GetConsole)();
  ASSERT_NE(console, nullptr);
  EXPECT_EQ(HOST_FN(Global, GetConsole)(), console);
  EXPECT_EQ(HOST_FN(Global, ShowConsole)(console, 1), 1);
  EXPECT_EQ(HOST_FN(Global, WriteConsole)(console, u"Creating xnml for a", 1), 1);
  EXPECT_EQ(HOST_FN(Global, WriteConsole)(console, u"<end>", 0), 1);

  int other = 0;
  ClearHostError();
  EXPECT_EQ(HOST_FN(Global, WriteConsole)(&other, u"lost", 1), 0);
  EXPECT_EQ(HOST_FN(Global, LastError)(), kHostErrorInvalidHandle);
  EXPECT_EQ(HOST_FN(Global, ShowConsole)(nullptr, 1), 0);
  EXPECT_EQ(HOST_FN(Global, WriteConsole)(console, nullptr, 1), 0);

  std::vector<ConsoleWrite> expected = {{u"Creating xnml for a", true, false}, {u"<end>", false, false}};
  EXPECT_EQ(recorded.Writes(), expected);
  EXPECT_EQ(HostConsole::Instance().RecordedShowCount(), 1);
  EXPECT_EQ(recorded.Shown(), "Creating xnml for a\n");

  // The console is the host's own: releasing it leaves it working.
  HOST_FN(Global, DestroyObject)(console);
  EXPECT_EQ(HOST_FN(Global, WriteConsole)(console, u"still here", 1), 1);
}

TEST(GlobalServices, DestroyingAnUnknownObjectIsRefusedNotFollowed) {
  int unknown = 0;
  ClearHostError();
  HOST_FN(Global, DestroyObject)(&unknown);
  EXPECT_EQ(HOST_FN(Global, LastError)(), kHostErrorInvalidHandle);
  ClearHostError();
  HOST_FN(Global, DestroyObject)(nullptr);
  EXPECT_EQ(HOST_FN(Global, LastError)(), kHostErrorInvalidHandle);
}

}  // namespace
}  // namespace hostapp
