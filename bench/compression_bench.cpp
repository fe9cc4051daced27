// Throughput of the XNML payload path on one 4096 x 4096 float channel
// (64 MiB): byte shuffling, LZ4 subblock compression, Base64, and the whole
// document of a 4096 x 4096 RGB data set (6 channels) built in memory, with
// the process's peak resident size as a counter.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "compression/Base64.h"
#include "compression/LZ4Compression.h"
#include "core/IsoString.h"
#include "xml/XMLDocument.h"
#include "xnml/LocalNormalizationData.h"

namespace {

constexpr int kSide = 4096;
constexpr size_t kChannelBytes = size_t(kSide) * kSide * sizeof(float);

// A smooth offset surface with a little noise, like a TRV offset image.
void FillSurface(float* p, int channel) {
  uint32_t x = 12345u + uint32_t(channel);
  for (int r = 0; r < kSide; ++r)
    for (int c = 0; c < kSide; ++c) {
      x = x * 1664525u + 1013904223u;
      p[size_t(r) * kSide + c] =
          0.01f * float(channel + 1) + 1e-3f * std::sin(float(r) / 700.0f) * std::cos(float(c) / 900.0f) +
          float(x >> 20) * 1e-10f;
    }
}

const std::vector<float>& Channel() {
  static std::vector<float> data = [] {
    std::vector<float> v(size_t(kSide) * kSide);
    FillSurface(v.data(), 0);
    return v;
  }();
  return data;
}

px::LZ4Compression XNMLCodec() {
  px::LZ4Compression c;
  c.SetMaxProcessors(1023);
  c.SetItemSize(4);
  c.EnableByteShuffling(true);
  return c;
}

double PeakRSSMiB() {
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  return double(u.ru_maxrss) / 1024.0;
}

void BM_Shuffle(benchmark::State& state) {
  const auto& ch = Channel();
  for (auto _ : state) {
    px::ByteArray out = px::Compression::Shuffle(ch.data(), kChannelBytes, 4);
    benchmark::DoNotOptimize(out.Data());
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(kChannelBytes));
}
BENCHMARK(BM_Shuffle)->Unit(benchmark::kMillisecond);

void BM_CompressChannel(benchmark::State& state) {
  const auto& ch = Channel();
  px::LZ4Compression codec = XNMLCodec();
  size_t stored = 0;
  for (auto _ : state) {
    px::Compression::SubblockList list = codec.Compress(ch.data(), kChannelBytes);
    stored = list.empty() ? kChannelBytes : list[0].data.Size();
    benchmark::DoNotOptimize(list.data());
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(kChannelBytes));
  state.counters["ratio"] = double(stored) / double(kChannelBytes);
}
BENCHMARK(BM_CompressChannel)->Unit(benchmark::kMillisecond);

void BM_Base64Channel(benchmark::State& state) {
  const auto& ch = Channel();
  for (auto _ : state) {
    px::IsoString text = px::IsoString::ToBase64(ch.data(), kChannelBytes);
    benchmark::DoNotOptimize(text.c_str());
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(kChannelBytes));
}
BENCHMARK(BM_Base64Channel)->Unit(benchmark::kMillisecond);

// Encoding speed alone: the output buffer is reused, so no page is fresh.
void BM_Base64EncodeWarm(benchmark::State& state) {
  const auto& ch = Channel();
  std::string out;
  for (auto _ : state) {
    out.clear();
    px::AppendBase64(out, ch.data(), kChannelBytes);
    benchmark::DoNotOptimize(out.data());
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(kChannelBytes));
}
BENCHMARK(BM_Base64EncodeWarm)->Unit(benchmark::kMillisecond);

// Shuffling alone, into a reused buffer.
void BM_ShuffleWarm(benchmark::State& state) {
  const auto& ch = Channel();
  px::ByteArray out(kChannelBytes);
  for (auto _ : state) {
    px::Compression::Shuffle(out.Data(), ch.data(), kChannelBytes, 4);
    benchmark::DoNotOptimize(out.Data());
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(kChannelBytes));
}
BENCHMARK(BM_ShuffleWarm)->Unit(benchmark::kMillisecond);

// The whole text of a 4096 x 4096 RGB data set, compressed (arg 1) or not
// (arg 0); writing to disk is left out.
void BM_XNMLDocumentRGB(benchmark::State& state) {
  px::Image scale(kSide, kSide, px::ColorSpace::RGB), offset(kSide, kSide, px::ColorSpace::RGB);
  scale.Fill(0.5f);
  for (int k = 0; k < 3; ++k) FillSurface(offset.PixelData(k), k);
  px::LocalNormalizationData data;
  data.SetReferenceFilePath("/data/reference.xisf");
  data.SetTargetFilePath("/data/target.xisf");
  data.SetNormalizationScale(1024);
  data.SetReferenceDimensions(kSide, kSide);
  data.SetLocalNormalizationParameters(scale, offset, px::DVector());
  data.SetRelativeScaleFactors(px::DVector{1, 1, 1});
  data.EnableCompression(state.range(0) != 0);
  double before = PeakRSSMiB();
  size_t bytes = 0;
  for (auto _ : state) {
    auto doc = data.Serialize();
    doc->SetAutoFormatting(true);
    px::IsoString text = doc->Serialize();
    bytes = text.Length();
    benchmark::DoNotOptimize(text.c_str());
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(6 * kChannelBytes));
  state.counters["documentMiB"] = double(bytes) / (1024.0 * 1024.0);
  state.counters["matricesMiB"] = double(6 * kChannelBytes) / (1024.0 * 1024.0);
  state.counters["peakRSSMiB"] = PeakRSSMiB();
  state.counters["peakRSSGrowthMiB"] = PeakRSSMiB() - before;
}
BENCHMARK(BM_XNMLDocumentRGB)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace

BENCHMARK_MAIN();
