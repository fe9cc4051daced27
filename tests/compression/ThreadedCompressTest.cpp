#include <gtest/gtest.h>
#include <lz4.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "compression/LZ4Compression.h"
#include "core/Exception.h"
#include "hostapp/services/GlobalServices.h"
#include "support/InProcessHost.h"

namespace px {
namespace {

// Blocks run on the stand-in host's threads once the data splits into
// several blocks and parallel processing is on.
class ThreadedCompress : public ::testing::Test {
 protected:
  void SetUp() override { trvx::test::InProcessHost::Bind(); }
  void TearDown() override {
    hostapp::SetMaxProcessorsAllowedForModule(0);
    trvx::test::InProcessHost::Unbind();
  }

  static std::vector<uint8_t> Data(size_t n) {
    std::vector<uint8_t> data(n);
    for (size_t i = 0; i < n; ++i) data[i] = uint8_t((i / 4) % 61 < 50 ? 0 : i * 7);
    return data;
  }

  static std::vector<uint8_t> Restore(const Compression::SubblockList& list) {
    std::vector<uint8_t> joined;
    for (const auto& sb : list) {
      size_t at = joined.size();
      joined.resize(at + sb.uncompressedSize);
      if (sb.data.Size() < sb.uncompressedSize)
        EXPECT_EQ(LZ4_decompress_safe(reinterpret_cast<const char*>(sb.data.Data()),
                                      reinterpret_cast<char*>(joined.data() + at), int(sb.data.Size()),
                                      int(sb.uncompressedSize)),
                  int(sb.uncompressedSize));
      else
        std::memcpy(joined.data() + at, sb.data.Data(), sb.data.Size());
    }
    ByteArray u = Compression::Unshuffle(joined.data(), joined.size(), 4);
    return std::vector<uint8_t>(u.begin(), u.end());
  }
};

TEST_F(ThreadedCompress, ThreadsGiveTheSameSubblocksInBlockOrder) {
  std::vector<uint8_t> data = Data(64 * 1024 + 100);
  LZ4Compression serial;
  serial.SetItemSize(4);
  serial.SetSubblockSize(4096);
  serial.EnableParallelProcessing(false);
  Compression::SubblockList expected = serial.Compress(data.data(), data.size());
  ASSERT_EQ(expected.size(), 17u);

  struct Case {
    int maxProcessors;   // codec setting
    int hostAllowed;     // host's limit for the module; 0: default
    int threads;
  } cases[] = {
      {1023, 0, hostapp::NumberOfProcessors()},
      {1, 0, 1},
      {1023, 1, 1},
  };
  for (const Case& c : cases) {
    hostapp::SetMaxProcessorsAllowedForModule(c.hostAllowed);
    LZ4Compression lz4;
    lz4.SetItemSize(4);
    lz4.SetSubblockSize(4096);
    lz4.SetMaxProcessors(c.maxProcessors);
    Compression::Performance perf;
    Compression::SubblockList list = lz4.Compress(data.data(), data.size(), &perf);
    EXPECT_EQ(perf.numberOfThreads, c.threads) << c.maxProcessors << " " << c.hostAllowed;
    ASSERT_EQ(list.size(), expected.size());
    for (size_t i = 0; i < list.size(); ++i) {
      EXPECT_EQ(list[i].uncompressedSize, expected[i].uncompressedSize) << i;
      EXPECT_TRUE(list[i].data == expected[i].data) << i;
    }
    EXPECT_EQ(Restore(list), data);
  }
}

// Refuses every block that starts with 0xEE; stateless, so safe on any
// number of threads.
class RefusingCodec : public LZ4Compression {
 public:
  size_t CompressBlock(void* out, size_t capacity, const void* in, size_t n, int level) const override {
    if (*static_cast<const uint8_t*>(in) == 0xEE) throw Error("refused");
    return LZ4Compression::CompressBlock(out, capacity, in, n, level);
  }
};

TEST_F(ThreadedCompress, ErrorsFromEveryThreadAreJoinedByLineFeeds) {
  if (hostapp::NumberOfProcessors() < 2) GTEST_SKIP() << "one processor: no second thread";
  hostapp::SetMaxProcessorsAllowedForModule(2);
  RefusingCodec codec;
  codec.EnableByteShuffling(false);
  codec.SetSubblockSize(64);
  // Five work items (four blocks and the empty remainder) over two threads:
  // blocks 0-2 and 3-4. The first block of each thread is refused.
  std::vector<uint8_t> data(256, 0);
  data[0] = data[192] = 0xEE;
  try {
    codec.Compress(data.data(), data.size());
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(e.Message(), String("LZ4 compression: refused\nrefused"));
  }
}

}  // namespace
}  // namespace px
