#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/ProcessInstance.h"
#include "host/APIError.h"
#include "host/APIInterface.h"
#include "support/RecordingHost.h"

namespace px {
namespace {

using trvx::test::RecordingHost;

TEST(ProcessInstanceHandle, BorrowedHandlesAreNeitherClonedNorReleased) {
  RecordingHost host;
  host.Bind();
  int hostInstance = 0;
  {
    ProcessInstance borrowed(&hostInstance);
    EXPECT_EQ(borrowed.Handle(), static_cast<api_handle>(&hostInstance));
    EXPECT_FALSE(borrowed.OwnsHandle());
    ProcessInstance none;
    ProcessInstance copyOfNone(none);
    EXPECT_TRUE(copyOfNone.IsNull());
  }
  EXPECT_TRUE(host.calls.empty());
}

TEST(ProcessInstanceHandle, CopyingAsksTheHostWithTheModuleHandle) {
  RecordingHost host;
  host.Bind();
  int module = 0, hostInstance = 0;
  SetModuleHandle(&module);
  ProcessInstance borrowed(&hostInstance);
  // The recording host returns null handles: duplication is refused.
  try {
    ProcessInstance copy(borrowed);
    ADD_FAILURE() << "a null duplicate was accepted";
  } catch (const APIFunctionError& e) {
    EXPECT_EQ(e.Message().ToStdUTF8(), "CloneProcessInstance(): API function error");
  }
  EXPECT_EQ(host.CallsOf("Process/"),
            std::vector<std::string>{"Process/CloneProcessInstance(" + RecordingHost::Text(&module) +
                                     ", " + RecordingHost::Text(&hostInstance) + ", 0)"});
  EXPECT_TRUE(host.CallsOf("Global/DestroyObject").empty());
  SetModuleHandle(nullptr);
}

TEST(ProcessInstanceHandle, ADuplicateIsReleasedWithTheCopy) {
  RecordingHost host;
  host.Bind();
  int hostInstance = 0, duplicate = 0;
  host.handles["Process/CloneProcessInstance"] = &duplicate;
  ProcessInstance borrowed(&hostInstance);
  {
    ProcessInstance copy(borrowed);
    EXPECT_EQ(copy.Handle(), static_cast<api_handle>(&duplicate));
    EXPECT_TRUE(copy.OwnsHandle());
    EXPECT_TRUE(host.CallsOf("Global/DestroyObject").empty());
  }
  EXPECT_EQ(host.CallsOf("Global/DestroyObject"),
            std::vector<std::string>{"Global/DestroyObject(" + RecordingHost::Text(&duplicate) + ")"});
}

}  // namespace
}  // namespace px
