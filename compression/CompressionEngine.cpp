#include "compression/CompressionEngine.h"

#include <algorithm>
#include <chrono>
#include <memory>
#include <new>

#include "core/Exception.h"

namespace px {

CompressionEngine::CompressionEngine(const Compression& codec, const void* data, size_t size)
    : codec_(codec), data_(static_cast<const uint8_t*>(data)), size_(size) {
  int level = codec.CompressionLevel();
  level_ = level < 1 ? codec.DefaultCompressionLevel() : std::min(level, codec.MaxCompressionLevel());

  size_t block = codec.SubblockSize();
  blockSize_ = (block >= codec.MinBlockSize() && block <= codec.MaxBlockSize()) ? block : codec.MaxBlockSize();
  numberOfBlocks_ = size / blockSize_;
  lastBlockSize_ = size % blockSize_;

  // Shuffle before splitting: block boundaries lie in the shuffled stream.
  if (codec.IsByteShufflingEnabled() && codec.ItemSize() > 1) {
    ByteArray& buffer = codec.workspace_.buffer;
    if (buffer.Size() != size) {
      buffer.Clear();
      buffer = ByteArray(size);
    }
    Compression::Shuffle(buffer.Data(), data, size, codec.ItemSize());
    data_ = buffer.Data();
  }
}

void CompressionEngine::CompressRange(size_t first, size_t end, std::vector<Piece>& pieces) const {
  for (size_t i = first; i < end; ++i) {
    size_t size = i < numberOfBlocks_ ? blockSize_ : lastBlockSize_;
    if (size == 0) continue;
    Piece piece;
    piece.offset = i * blockSize_;
    piece.size = size;
    if (size >= codec_.MinBlockSize()) {
      // Output buffer of the codec's bound, left uninitialised: the codec
      // writes every byte it reports.
      size_t capacity = codec_.MaxCompressedBlockSize(size);
      ByteArray out(capacity);
      size_t n = codec_.CompressBlock(out.Data(), capacity, data_ + piece.offset, size, level_);
      if (n > 0 && n < size) {
        out.Truncate(n);
        piece.compressed = std::move(out);
      }
    }
    pieces.push_back(std::move(piece));
  }
}

void CompressionEngine::CompressionThread::Run() {
  try {
    engine_.CompressRange(first_, end_, pieces_);
  } catch (const Error& e) {
    engine_.ReportError(e.Message());
  } catch (const std::bad_alloc&) {
    engine_.ReportError("Out of memory");
  } catch (...) {
    engine_.ReportError("Unknown error");
  }
}

void CompressionEngine::ReportError(const String& message) {
  std::lock_guard<std::mutex> lock(mutex_);
  errors_.push_back(message);
}

Compression::SubblockList CompressionEngine::Run(Compression::Performance* performance) {
  auto start = std::chrono::steady_clock::now();

  size_t items = numberOfBlocks_ + 1;
  int maxThreads = codec_.IsParallelProcessingEnabled() ? codec_.MaxProcessors() : 1;
  // Without parallel processing there is nothing to ask the host.
  std::vector<size_t> loads =
      maxThreads <= 1 || items <= 1 ? std::vector<size_t>{items} : Thread::OptimalThreadLoads(items, 1, maxThreads);

  std::vector<std::unique_ptr<CompressionThread>> threads;
  for (size_t i = 0, first = 0; i < loads.size(); first += loads[i], ++i)
    threads.push_back(std::make_unique<CompressionThread>(*this, first, first + loads[i]));

  errors_.clear();
  if (threads.size() == 1) {
    threads[0]->Run();
  } else {
    // A thread that cannot be started is reported like a failed block;
    // threads already running are still waited for.
    for (auto& t : threads) {
      try {
        t->Start(6);
      } catch (const Error& e) {
        ReportError(e.Message());
        break;
      }
    }
    for (auto& t : threads) t->Wait();
  }

  if (!errors_.empty()) {
    String message;
    for (size_t i = 0; i < errors_.size(); ++i) {
      if (i > 0) message += u'\n';
      message += errors_[i];
    }
    codec_.Throw(message);
  }

  size_t count = 0;
  uint64_t accounted = 8;
  for (const auto& t : threads)
    for (const Piece& p : t->Pieces()) {
      ++count;
      accounted += (p.compressed.IsEmpty() ? p.size : p.compressed.Size()) + 24;
    }
  if (accounted >= size_) return {};

  Compression::SubblockList list;
  list.reserve(count);
  uint64_t stored = 0;
  for (auto& t : threads)
    for (Piece& p : t->Pieces()) {
      Compression::Subblock sb;
      sb.data = p.compressed.IsEmpty() ? ByteArray(data_ + p.offset, p.size) : std::move(p.compressed);
      sb.uncompressedSize = p.size;
      stored += sb.data.Size();
      list.push_back(std::move(sb));
    }

  if (performance != nullptr) {
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    performance->sizeReduction = 1.0 - double(stored) / double(size_);
    performance->throughput = seconds > 0 ? double(size_) / (1024.0 * 1024.0) / seconds : 0;
    performance->numberOfThreads = int(threads.size());
  }
  return list;
}

}  // namespace px
