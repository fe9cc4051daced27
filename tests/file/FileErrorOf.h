// Test helper: the reported message of the File::Error an operation throws.
#ifndef TRVX_TESTS_FILE_FILEERROROF_H
#define TRVX_TESTS_FILE_FILEERROROF_H

#include <gtest/gtest.h>

#include <string>

#include "file/File.h"

namespace trvx::test {

// Runs `f`; returns the message of the File::Error it throws (and checks the
// error's class text), or fails the test when nothing is thrown.
template <class F>
std::string FileErrorOf(F f) {
  try {
    f();
  } catch (const px::File::Error& e) {
    EXPECT_EQ(e.ExceptionClass().ToStdUTF8(), "File I/O Error");
    return e.Message().ToStdUTF8();
  }
  ADD_FAILURE() << "no File::Error thrown";
  return std::string();
}

}  // namespace trvx::test

#endif
