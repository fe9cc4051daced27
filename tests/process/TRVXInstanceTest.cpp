#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "framework/ParameterContextDispatcher.h"
#include "framework/ProcessContextDispatcher.h"
#include "process/TRVXFixture.h"
#include "process/TRVXInstance.h"

namespace px {
namespace {

using PD = ParameterContextDispatcher;
using D = ProcessContextDispatcher;

api_handle Handle(const MetaParameter* p) { return const_cast<MetaParameter*>(p); }
api_handle Handle(TRVXInstance& i) { return static_cast<ProcessImplementation*>(&i); }

// The host's side of the exchange, through the registered routines only.
struct HostSide {
  TRVXInstance& instance;

  void WriteString(const MetaParameter* p, size_t row, const std::u16string& value) {
    ASSERT_EQ(PD::Allocate(value.size(), Handle(instance), Handle(p), row), 1);
    void* data = PD::Lock(Handle(instance), Handle(p), row);
    if (value.empty()) {
      EXPECT_EQ(data, nullptr);
      return;
    }
    ASSERT_NE(data, nullptr);
    std::memcpy(data, value.data(), value.size() * sizeof(char16_t));
  }
  std::u16string ReadString(const MetaParameter* p, size_t row) {
    api_size length = PD::Length(Handle(instance), Handle(p), row);
    if (length == 0) return u"";
    auto* data = static_cast<const char16_t*>(PD::Lock(Handle(instance), Handle(p), row));
    return std::u16string(data, length);
  }
  size_t Rows() { return PD::Length(Handle(instance), Handle(TheTRVXTargetItemsParameter), 0); }
  void SetRows(size_t n) {
    ASSERT_EQ(PD::Allocate(n, Handle(instance), Handle(TheTRVXTargetItemsParameter), 0), 1);
  }
  int32_t& Flag(const MetaParameter* p) {
    return *static_cast<int32_t*>(PD::Lock(Handle(instance), Handle(p), 0));
  }
  double& Version() {
    return *static_cast<double*>(PD::Lock(Handle(instance), Handle(TheTRVXVersionParameter), 0));
  }
  void AddTargets(std::initializer_list<std::u16string> paths) {
    SetRows(paths.size());
    size_t row = 0;
    for (const auto& path : paths) WriteString(TheTRVXTargetFullPathParameter, row++, path);
  }
};

class TRVXInstanceExchange : public test::TRVXFixture {
 protected:
  void SetUp() override {
    TRVXFixture::SetUp();
    a = std::make_unique<TRVXInstance>(process);
    b = std::make_unique<TRVXInstance>(process);
  }
  void TearDown() override {
    a.reset();
    b.reset();
    TRVXFixture::TearDown();
  }
  std::unique_ptr<TRVXInstance> a, b;
};

TEST_F(TRVXInstanceExchange, NewInstanceReadsTheDefaults) {
  HostSide host_{*a};
  EXPECT_EQ(host_.Rows(), 0u);
  EXPECT_EQ(host_.ReadString(TheTRVXOutputDirectoryParameter, 0), u"");
  EXPECT_EQ(PD::Lock(Handle(*a), Handle(TheTRVXOutputDirectoryParameter), 0), nullptr);
  EXPECT_EQ(host_.Flag(TheTRVXOverwriteExistingFilesParameter), 0);
  EXPECT_EQ(host_.Flag(TheTRVXUseWeightPostfixParameter), 1);
  EXPECT_EQ(host_.Flag(TheTRVXUsePSFScaleSNRParameter), 1);
  EXPECT_EQ(host_.Version(), 5.0);
}

TEST_F(TRVXInstanceExchange, StringsAndRowsRoundTrip) {
  HostSide h{*a};
  h.AddTargets({u"/in/xnml_a.xisf", u"/in/xnml_\u00e9.xisf"});
  h.WriteString(TheTRVXOutputXnmlPathParameter, 1, u"/out/b.xnml");
  h.WriteString(TheTRVXOutputDirectoryParameter, 0, u"/out");
  h.Flag(TheTRVXOverwriteExistingFilesParameter) = 1;
  h.Version() = 4.5;

  ASSERT_EQ(h.Rows(), 2u);
  EXPECT_EQ(h.ReadString(TheTRVXTargetFullPathParameter, 0), u"/in/xnml_a.xisf");
  EXPECT_EQ(h.ReadString(TheTRVXTargetFullPathParameter, 1), u"/in/xnml_\u00e9.xisf");
  EXPECT_EQ(h.ReadString(TheTRVXOutputXnmlPathParameter, 0), u"");
  EXPECT_EQ(h.ReadString(TheTRVXOutputXnmlPathParameter, 1), u"/out/b.xnml");
  EXPECT_EQ(a->targetItems.Get()[1].outputXnmlPath, String(u"/out/b.xnml"));
  EXPECT_EQ(a->outputDirectory, String("/out"));
  EXPECT_EQ(a->overwriteExistingFiles, 1);
  EXPECT_EQ(a->version, 4.5);
}

TEST_F(TRVXInstanceExchange, AllocatingRowsDiscardsTheOldOnes) {
  HostSide h{*a};
  h.AddTargets({u"1", u"2", u"3", u"4", u"5"});
  h.SetRows(3);
  ASSERT_EQ(h.Rows(), 3u);
  for (size_t row = 0; row < 3; ++row) {
    EXPECT_EQ(h.ReadString(TheTRVXTargetFullPathParameter, row), u"") << row;
    EXPECT_EQ(h.ReadString(TheTRVXOutputXnmlPathParameter, row), u"") << row;
  }
  h.SetRows(0);
  EXPECT_EQ(h.Rows(), 0u);

  h.WriteString(TheTRVXOutputDirectoryParameter, 0, u"/x");
  h.WriteString(TheTRVXOutputDirectoryParameter, 0, u"");
  EXPECT_EQ(PD::Length(Handle(*a), Handle(TheTRVXOutputDirectoryParameter), 0), 0u);
  EXPECT_EQ(PD::Lock(Handle(*a), Handle(TheTRVXOutputDirectoryParameter), 0), nullptr);
}

TEST_F(TRVXInstanceExchange, UnlistedParametersYieldNeutralResults) {
  EXPECT_EQ(a->LockParameter(TheTRVXTargetItemsParameter, 0), nullptr);
  EXPECT_EQ(a->LockParameter(nullptr, 0), nullptr);
  EXPECT_FALSE(a->AllocateParameter(4, TheTRVXVersionParameter, 0));
  EXPECT_FALSE(a->AllocateParameter(4, TheTRVXUseWeightPostfixParameter, 0));
  EXPECT_EQ(a->ParameterLength(TheTRVXVersionParameter, 0), 0u);
  EXPECT_EQ(a->ParameterLength(nullptr, 0), 0u);
  EXPECT_EQ(host.console, "") << "nothing is reported for them";
}

TEST_F(TRVXInstanceExchange, WritesAfterAssignReachOnlyTheWrittenInstance) {
  HostSide ha{*a}, hb{*b};
  ha.AddTargets({u"/a/xnml_1.xisf", u"/a/xnml_2.xisf"});
  ha.WriteString(TheTRVXOutputDirectoryParameter, 0, u"/a/out");
  ha.Flag(TheTRVXUseWeightPostfixParameter) = 0;

  ASSERT_EQ(D::Assign(Handle(*b), Handle(*a)), 1);
  EXPECT_TRUE(b->targetItems.SharesWith(a->targetItems)) << "assigned by sharing";
  EXPECT_TRUE(b->outputDirectory.SharesWith(a->outputDirectory));
  EXPECT_EQ(b->useWeightPostfix, 0);

  // The host writes into B through its own locked addresses.
  char16_t* cell = static_cast<char16_t*>(
      PD::Lock(Handle(*b), Handle(TheTRVXTargetFullPathParameter), 1));
  ASSERT_NE(cell, nullptr);
  cell[1] = u'b';
  hb.WriteString(TheTRVXTargetFullPathParameter, 0, u"/b/xnml_new.xisf");
  char16_t* dir = static_cast<char16_t*>(
      PD::Lock(Handle(*b), Handle(TheTRVXOutputDirectoryParameter), 0));
  dir[1] = u'b';
  hb.Flag(TheTRVXUseWeightPostfixParameter) = 1;

  EXPECT_EQ(ha.ReadString(TheTRVXTargetFullPathParameter, 0), u"/a/xnml_1.xisf");
  EXPECT_EQ(ha.ReadString(TheTRVXTargetFullPathParameter, 1), u"/a/xnml_2.xisf");
  EXPECT_EQ(ha.ReadString(TheTRVXOutputDirectoryParameter, 0), u"/a/out");
  EXPECT_EQ(a->useWeightPostfix, 0);
  EXPECT_EQ(hb.ReadString(TheTRVXTargetFullPathParameter, 0), u"/b/xnml_new.xisf");
  EXPECT_EQ(hb.ReadString(TheTRVXTargetFullPathParameter, 1), u"/b/xnml_2.xisf");
  EXPECT_EQ(hb.ReadString(TheTRVXOutputDirectoryParameter, 0), u"/b/out");
}

TEST_F(TRVXInstanceExchange, CopiesAreIsolatedToo) {
  HostSide ha{*a};
  ha.AddTargets({u"/a/1"});
  TRVXInstance copy(*a);
  EXPECT_EQ(copy.Meta(), process);
  HostSide hc{copy};
  hc.WriteString(TheTRVXTargetFullPathParameter, 0, u"/c/1");
  EXPECT_EQ(ha.ReadString(TheTRVXTargetFullPathParameter, 0), u"/a/1");
  EXPECT_EQ(hc.ReadString(TheTRVXTargetFullPathParameter, 0), u"/c/1");

  a->Assign(*a);  // self-assignment keeps everything
  EXPECT_EQ(ha.ReadString(TheTRVXTargetFullPathParameter, 0), u"/a/1");
}

TEST_F(TRVXInstanceExchange, ForeignAssignChangesNothing) {
  struct Other : ProcessImplementation {
    using ProcessImplementation::ProcessImplementation;
  } other(process);
  HostSide ha{*a};
  ha.AddTargets({u"/a/1"});
  ha.Flag(TheTRVXOverwriteExistingFilesParameter) = 1;
  a->Assign(other);
  EXPECT_EQ(ha.Rows(), 1u);
  EXPECT_EQ(ha.ReadString(TheTRVXTargetFullPathParameter, 0), u"/a/1");
  EXPECT_EQ(a->overwriteExistingFiles, 1);
  EXPECT_EQ(a->version, 5.0);
  EXPECT_EQ(host.console, "");
}

TEST_F(TRVXInstanceExchange, ViewExecutionIsRefused) {
  const std::u16string message = u"TRVXnml can only be executed in the global context.";
  ASSERT_EQ(message.size(), 51u);
  String why;
  View view;
  EXPECT_FALSE(a->CanExecuteOn(view, why));
  EXPECT_EQ(why.Str(), message);
  EXPECT_FALSE(a->IsHistoryUpdater(view));
  EXPECT_FALSE(a->ExecuteOn(view));
  EXPECT_EQ(D::ExecuteOnView(nullptr, Handle(*a)), 0);

  struct Case {
    uint32_t capacity;
    bool nullBuffer;
    std::u16string expected;  // the buffer afterwards (64 units, '#' untouched)
  };
  auto untouched = [](size_t n) { return std::u16string(n, u'#'); };
  const Case cases[] = {
      {64, false, message + u'\0' + untouched(64 - 52)},
      {10, false, message.substr(0, 9) + u'\0' + untouched(54)},
      {1, false, u'\0' + untouched(63)},
      {0, false, untouched(64)},
      {64, true, untouched(64)},
  };
  for (const Case& c : cases) {
    std::u16string buffer = untouched(64);
    EXPECT_EQ(D::CanExecuteOnView(nullptr, Handle(*a), c.nullBuffer ? nullptr : buffer.data(),
                                  c.capacity),
              0)
        << c.capacity;
    EXPECT_EQ(buffer, c.expected) << "capacity " << c.capacity << (c.nullBuffer ? " null" : "");
  }
}

}  // namespace
}  // namespace px
