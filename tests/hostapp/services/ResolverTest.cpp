#include "hostapp/services/Resolver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "hostapp/services/ServiceRegistry.h"

namespace hostapp {
namespace {

bool Contains(const std::vector<std::string>& names, const std::string& name) {
  return std::binary_search(names.begin(), names.end(), name);
}

TEST(Resolver, ServesEveryDeclaredHostFunction) {
  for (const std::string& name : DeclaredHostFunctionNames())
    EXPECT_NE(ResolveHostFunction(name.c_str()), nullptr) << name;
}

TEST(Resolver, ImplementsOnlyDeclaredNames) {
  const auto& declared = DeclaredHostFunctionNames();
  for (const std::string& name : ImplementedHostFunctionNames())
    EXPECT_TRUE(Contains(declared, name)) << name;
}

TEST(Resolver, UnknownAndNullNamesGiveNull) {
  for (const char* name : {"Global/NoSuchFunction", "WriteConsole", "global/WriteConsole",
                           "Global/WriteConsole ", ""})
    EXPECT_EQ(ResolveHostFunction(name), nullptr) << '"' << name << '"';
  EXPECT_EQ(ResolveHostFunction(nullptr), nullptr);
}

TEST(Resolver, AHiddenNameResolvesToNullUntilShownAgain) {
  void* real = ResolveHostFunction("Global/WriteConsole");
  ASSERT_NE(real, nullptr);
  HideHostFunction("Global/WriteConsole");
  EXPECT_TRUE(IsHostFunctionHidden("Global/WriteConsole"));
  EXPECT_EQ(ResolveHostFunction("Global/WriteConsole"), nullptr);
  EXPECT_NE(ResolveHostFunction("Global/ShowConsole"), nullptr) << "hiding one name hid another";
  ShowHostFunction("Global/WriteConsole");
  EXPECT_EQ(ResolveHostFunction("Global/WriteConsole"), real);

  HideHostFunction("Thread/WaitThread");
  HideHostFunction("Global/GetConsole");
  ShowAllHostFunctions();
  EXPECT_NE(ResolveHostFunction("Thread/WaitThread"), nullptr);
  EXPECT_NE(ResolveHostFunction("Global/GetConsole"), nullptr);
}

void Fake() {}

TEST(ServiceRegistry, RefusesUndeclaredAndDuplicateNames) {
  ServiceRegistry registry;
  registry.Add("Global/LastError", reinterpret_cast<void*>(&Fake));
  EXPECT_EQ(registry.Find("Global/LastError"), reinterpret_cast<void*>(&Fake));
  EXPECT_THROW(registry.Add("Global/LastError", reinterpret_cast<void*>(&Fake)), std::logic_error);
  EXPECT_THROW(registry.Add("Global/Typo", reinterpret_cast<void*>(&Fake)), std::logic_error);
  EXPECT_EQ(registry.Find("Global/Typo"), nullptr);
}

}  // namespace
}  // namespace hostapp
