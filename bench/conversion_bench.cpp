// Conversion of one 4096 x 4096 RGB Float32 target, measured against its two
// dominant parts in the same run:
//   ReadPixels        opening the XISF file and reading its pixels as floats
//   EncodeChannels    shuffle + LZ4_compress_fast + Base64 over the six matrix
//                     channels an XNML document holds (3 scale, 3 zero offset)
//   WholeConversion   one global execution of a TRVXnml instance, file written
// and the peak resident memory of a child process that does one conversion.
// Targets: whole <= 1.5 x (read + encode); peak RSS <= 5 x input pixel bytes.
//
// Usage: bench_conversion_bench [--size N] [google benchmark flags]
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "compression/Base64.h"
#include "compression/LZ4Compression.h"
#include "core/HugePages.h"
#include "core/IsoString.h"
#include "host/APIInterface.h"
#include "host/EntryPoints.h"
#include "host/FileFormat.h"
#include "host/FileFormatInstance.h"
#include "hostapp/console/HostConsole.h"
#include "hostapp/services/Resolver.h"
#include "hostapp/xisf/XisfWriter.h"
#include "process/TRVXInstance.h"
#include "process/TRVXProcess.h"

TRVX_MODULE_EXPORT int32_t InstallPixInsightModule(int32_t mode);

namespace {

namespace fs = std::filesystem;

int g_size = 4096;
fs::path g_dir;
std::string g_target;
std::string g_output;

std::string Quoted(const std::string& s) { return "'" + s + "'"; }

// A smooth offset surface with a little noise, like the TRV script's maps.
void WriteInput() {
  g_dir = fs::temp_directory_path() / ("trvxnml-bench-" + std::to_string(::getpid()));
  fs::create_directories(g_dir);
  fs::path ref = g_dir / "ref.xisf", tgt = g_dir / "frame.xisf";
  float one = 0.5f;
  hostapp::WriteXisf(ref.string(), 1, 1, 1, hostapp::ColorSpace::Gray, &one, {});
  hostapp::WriteXisf(tgt.string(), 1, 1, 1, hostapp::ColorSpace::Gray, &one, {});

  size_t n = size_t(g_size) * size_t(g_size);
  std::vector<float> pixels(n * 3);
  std::mt19937 rng(42);
  std::normal_distribution<float> noise(0.0f, 2e-4f);
  for (int c = 0; c < 3; ++c)
    for (int y = 0; y < g_size; ++y)
      for (int x = 0; x < g_size; ++x) {
        double u = double(x) / g_size, v = double(y) / g_size;
        pixels[c * n + size_t(y) * g_size + x] =
            float(0.01 * (c + 1) + 0.003 * u - 0.002 * v + 0.004 * u * v) + noise(rng);
      }
  std::vector<hostapp::FitsKeyword> keywords = {
      {"TRVISREF", "'false'", ""},
      {"TRVREF0", Quoted(ref.string()), ""},
      {"TRVTGT0", Quoted(tgt.string()), ""},
      {"TRVWIDTH", std::to_string(g_size), ""},
      {"TRVHIGHT", std::to_string(g_size), ""},
      {"TRVRESIZ", "16", ""},
      {"TRVPLUS0", "0.0123", ""}, {"TRVPLUS1", "0.0131", ""}, {"TRVPLUS2", "0.0119", ""},
      {"TRVS0", "1.02", ""},      {"TRVS1", "0.98", ""},      {"TRVS2", "1.01", ""},
      {"TRVPSTFX", "'_n'", ""},   {"TRVWSTR", "'_w'", ""},
  };
  g_target = (g_dir / "xnml_frame.xisf").string();
  g_output = (g_dir / "frame_n_w.xnml").string();
  hostapp::WriteXisf(g_target, g_size, g_size, 3, hostapp::ColorSpace::RGB, pixels.data(), keywords);
}

void BindHost() {
  hostapp::HostConsole::Instance().SetTerminalSink(nullptr);
  px::API = new px::APIInterface(&hostapp::ResolveHostFunction);
  InstallPixInsightModule(0);
}

px::Image ReadTarget() {
  px::FileFormat format(px::String(".xisf"), true, false);
  px::FileFormatInstance file(format);
  std::vector<px::ImageDescription> images;
  if (!file.Open(images, px::String::UTF8ToUTF16(g_target), " verbosity 0")) std::abort();
  px::Image image;
  file.ReadImage(image);
  file.Close();
  return image;
}

bool ConvertOnce() {
  std::unique_ptr<px::ProcessImplementation> p(px::TheTRVXProcess->Create());
  auto& instance = static_cast<px::TRVXInstance&>(*p);
  instance.targetItems.Mutable().push_back(
      {px::String::UTF8ToUTF16(g_target), px::String::UTF8ToUTF16(g_output)});
  return instance.ExecuteGlobal();
}

void ReadPixels(benchmark::State& state) {
  for (auto _ : state) {
    px::Image image = ReadTarget();
    benchmark::DoNotOptimize(image.PixelData(0));
  }
}

// The six channels as the converter holds them: 1/scale and bias - input.
void EncodeChannels(benchmark::State& state) {
  px::Image offsets = ReadTarget();
  px::Image scales(offsets.Width(), offsets.Height(), px::ColorSpace::RGB);
  scales.Fill(1.0f / 1.02f);
  size_t bytes = offsets.NumberOfPixels() * 4;
  px::LZ4Compression codec;
  codec.SetItemSize(4);
  codec.EnableByteShuffling(true);
  codec.SetMaxProcessors(1023);
  // The Base64 text goes into one buffer reserved once, as the document
  // writer does, so this measures the encoding and not fresh allocations.
  std::string text;
  text.reserve(6 * px::Base64Length(bytes) + 64);
  px::AdviseHugePages(text.data(), text.capacity());
  for (auto _ : state) {
    text.clear();
    for (const px::Image* m : {&scales, &offsets})
      for (int c = 0; c < 3; ++c) {
        const float* data = m->PixelData(c);
        px::Compression::SubblockList blocks = codec.Compress(data, bytes);
        if (blocks.empty()) px::AppendBase64(text, data, bytes);
        for (auto& b : blocks) px::AppendBase64(text, b.data.Data(), b.data.Size());
      }
    benchmark::DoNotOptimize(text.data());
  }
}

void WholeConversion(benchmark::State& state) {
  for (auto _ : state) {
    if (!ConvertOnce()) state.SkipWithError("conversion failed");
  }
  state.counters["outputMiB"] = double(fs::file_size(g_output)) / (1 << 20);
}

// Peak resident memory of a child that does one conversion, in bytes.
long ChildPeakRSS(const char* self) {
  pid_t pid = fork();
  if (pid == 0) {
    std::string size = std::to_string(g_size);
    execl(self, self, "--convert-once", g_target.c_str(), g_output.c_str(), size.c_str(), (char*)nullptr);
    _exit(127);
  }
  int status = 0;
  rusage usage{};
  wait4(pid, &status, 0, &usage);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return -1;
  return usage.ru_maxrss * 1024L;
}

// Collects the real time per iteration of each benchmark.
class Collector : public benchmark::ConsoleReporter {
 public:
  std::map<std::string, double> seconds;
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& r : runs)
      if (!r.error_occurred && r.run_type == Run::RT_Iteration)
        seconds[r.benchmark_name()] = r.GetAdjustedRealTime() / 1e3;  // unit is ms
    ConsoleReporter::ReportRuns(runs);
  }
};

}  // namespace

int main(int argc, char** argv) {
  if (argc == 5 && std::strcmp(argv[1], "--convert-once") == 0) {
    g_target = argv[2];
    g_output = argv[3];
    g_size = std::atoi(argv[4]);
    BindHost();
    return ConvertOnce() ? 0 : 1;
  }
  for (int i = 1; i + 1 < argc; ++i)
    if (std::strcmp(argv[i], "--size") == 0) {
      g_size = std::atoi(argv[i + 1]);
      for (int k = i; k + 2 <= argc; ++k) argv[k] = argv[k + 2];
      argc -= 2;
      break;
    }
  WriteInput();
  BindHost();

  benchmark::RegisterBenchmark("ReadPixels", ReadPixels)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
  benchmark::RegisterBenchmark("EncodeChannels", EncodeChannels)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
  benchmark::RegisterBenchmark("WholeConversion", WholeConversion)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
  benchmark::Initialize(&argc, argv);
  Collector reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);

  double read = reporter.seconds["ReadPixels/iterations:3/real_time"];
  double encode = reporter.seconds["EncodeChannels/iterations:3/real_time"];
  double whole = reporter.seconds["WholeConversion/iterations:3/real_time"];
  double inputBytes = double(g_size) * g_size * 3 * 4;
  long peak = ChildPeakRSS("/proc/self/exe");
  std::printf("\n%d x %d RGB Float32 target, input pixels %.1f MiB\n", g_size, g_size, inputBytes / (1 << 20));
  std::printf("read pixels         %8.3f s\n", read);
  std::printf("encode six channels %8.3f s\n", encode);
  std::printf("whole conversion    %8.3f s  = %.2f x (read + encode)   target <= 1.50  %s\n", whole,
              whole / (read + encode), whole <= 1.5 * (read + encode) ? "met" : "MISSED");
  std::printf("peak resident       %8.1f MiB = %.2f x input pixels     target <= 5.00  %s\n",
              double(peak) / (1 << 20), double(peak) / inputBytes,
              peak > 0 && double(peak) <= 5 * inputBytes ? "met" : "MISSED");
  fs::remove_all(g_dir);
  return 0;
}
