// Installs the TRVXnml module object and process for one test, with the
// module's host interface bound to a recording host; removes both afterwards.
#ifndef TRVX_TESTS_PROCESS_TRVXFIXTURE_H
#define TRVX_TESTS_PROCESS_TRVXFIXTURE_H

#include <gtest/gtest.h>

#include "framework/MetaModule.h"
#include "module/TRVXModule.h"
#include "process/TRVXParameters.h"
#include "process/TRVXProcess.h"
#include "support/RecordingHost.h"

namespace px::test {

class TRVXFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    host.Bind();
    new TRVXModule;
    process = new TRVXProcess;
  }
  void TearDown() override { delete Module; }

  trvx::test::RecordingHost host;
  TRVXProcess* process = nullptr;
};

}  // namespace px::test

#endif
