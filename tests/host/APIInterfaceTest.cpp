#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/Exception.h"
#include "host/APIInterface.h"

namespace px {
namespace {

// A resolver that knows every name except one, and records what it was asked.
std::vector<std::string> g_asked;
std::string g_missing;

void Dummy() {}

void* Resolve(const char* name) {
  g_asked.emplace_back(name);
  if (g_missing == name) return nullptr;
  return reinterpret_cast<void*>(&Dummy);
}

class APIBinding : public ::testing::Test {
 protected:
  void SetUp() override {
    g_asked.clear();
    g_missing.clear();
  }
};

TEST_F(APIBinding, ResolvesEveryNameInAscendingByteOrder) {
  APIInterface api(&Resolve);
  std::vector<std::string> names = APIInterface::FunctionNames();
  EXPECT_EQ(g_asked, names);
  EXPECT_TRUE(std::is_sorted(names.begin(), names.end()));
  EXPECT_EQ(std::adjacent_find(names.begin(), names.end()), names.end()) << "duplicate name";
  EXPECT_EQ(reinterpret_cast<void*>(api.Global.WriteConsole), reinterpret_cast<void*>(&Dummy));
  EXPECT_EQ(reinterpret_cast<void*>(api.Thread.WaitThread), reinterpret_cast<void*>(&Dummy));
}

TEST_F(APIBinding, OneMissingNameFailsAndStopsThere) {
  for (const char* missing : {"FileFormat/BeginKeywordExtraction", "Global/WriteConsole",
                              "Thread/WaitThread"}) {
    g_asked.clear();
    g_missing = missing;
    try {
      APIInterface api(&Resolve);
      ADD_FAILURE() << "binding succeeded without " << missing;
    } catch (const Error& e) {
      EXPECT_EQ(e.Message(), String("Unable to resolve host API interface."));
    }
    ASSERT_FALSE(g_asked.empty());
    EXPECT_EQ(g_asked.back(), missing) << "names after the missing one were asked";
  }
}

TEST_F(APIBinding, NamesAreGroupSlashFunction) {
  std::vector<std::string> names = APIInterface::FunctionNames();
  for (const char* expected : {"Global/GetConsole", "Global/ShowConsole", "Global/WriteConsole",
                               "FileFormat/OpenImageFileEx", "FileFormat/ReadImage",
                               "Thread/CreateThread", "ProcessDefinition/BeginProcessDefinition",
                               "ModuleDefinition/EnterModuleDefinitionContext"})
    EXPECT_NE(std::find(names.begin(), names.end(), expected), names.end()) << expected;
}

}  // namespace
}  // namespace px
