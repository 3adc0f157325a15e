#include "kmz/parallel_deflate.h"

#include <pthread.h>
#include <sched.h>
#include <zlib.h>

#include <algorithm>
#include <csignal>
#include <stdexcept>

#include "kmz/raw_deflater.h"

namespace trackmint {
namespace {

// The program's compressor: zlib's raw deflate, made once for each worker and restarted for
// each piece.
class ZlibPieceCompressor final : public PieceCompressor {
 public:
  std::size_t Compress(std::span<const unsigned char> piece,
                       std::span<const unsigned char> dictionary, bool last,
                       std::vector<unsigned char>& output) override {
    m_deflater.Restart(dictionary);
    return m_deflater.Compress(piece, last, output);
  }

 private:
  RawDeflater m_deflater;
};

}  // namespace

unsigned DefaultDeflateWorkers() {
  unsigned cores = 0;
#ifdef __linux__
  // The cores this process may run on, as nproc counts them; a process bound to some of the
  // machine's cores (taskset, a container's cpuset) gets no more workers than it has cores.
  cpu_set_t allowed;
  CPU_ZERO(&allowed);
  if (::sched_getaffinity(0, sizeof allowed, &allowed) == 0) {
    cores = static_cast<unsigned>(CPU_COUNT(&allowed));
  }
#endif
  if (cores == 0) cores = std::thread::hardware_concurrency();
  return std::clamp(cores, 1u, kMaxDeflateWorkers);
}

unsigned DeflateWorkers(unsigned requested) {
  return requested == 0 ? DefaultDeflateWorkers() : std::min(requested, kMaxDeflateWorkers);
}

ParallelDeflate::ParallelDeflate(ByteSink& sink, std::size_t piece_capacity, unsigned worker_count,
                                 const PieceCompressorMaker& make_compressor)
    : m_sink(sink), m_piece_capacity(piece_capacity) {
  if (piece_capacity > kMaxDeflateInput) throw std::length_error("deflate piece too large");
  worker_count = DeflateWorkers(worker_count);
  // Enough pieces on their way to keep every worker busy while the caller writes.
  m_max_in_flight = 2 * static_cast<std::size_t>(worker_count) + 1;
  // Made here, so that a compressor that cannot be made fails the constructor.
  m_compressors.reserve(worker_count);
  for (unsigned i = 0; i < worker_count; ++i) {
    m_compressors.push_back(make_compressor ? make_compressor()
                                            : std::make_unique<ZlibPieceCompressor>());
  }
  m_workers.reserve(worker_count);
  // The workers take no signals: a signal meant for the run reaches the thread that reads the
  // log, where a blocked read returns and the run looks at it.
  sigset_t all_signals;
  sigset_t former_signals;
  sigfillset(&all_signals);
  pthread_sigmask(SIG_BLOCK, &all_signals, &former_signals);
  try {
    for (const std::unique_ptr<PieceCompressor>& compressor : m_compressors) {
      m_workers.emplace_back(
          [this, worker_compressor = compressor.get()] { Work(*worker_compressor); });
    }
    pthread_sigmask(SIG_SETMASK, &former_signals, nullptr);
  } catch (...) {
    pthread_sigmask(SIG_SETMASK, &former_signals, nullptr);
    {
      const std::lock_guard lock(m_mutex);
      m_stopping = true;
    }
    m_work_ready.notify_all();
    for (std::thread& worker : m_workers) worker.join();
    throw;
  }
}

ParallelDeflate::~ParallelDeflate() {
  {
    const std::lock_guard lock(m_mutex);
    m_stopping = true;
  }
  m_work_ready.notify_all();
  for (std::thread& worker : m_workers) worker.join();
}

void ParallelDeflate::RefuseIfFailed() const {
  if (m_failed) throw std::logic_error("the deflate stream failed earlier");
}

std::unique_ptr<char[]> ParallelDeflate::TakePiece(std::unique_ptr<char[]> piece,
                                                   std::size_t size) {
  RefuseIfFailed();
  try {
    if (m_finished) throw std::logic_error("the deflate stream is already finished");
    if (size > m_piece_capacity) throw std::length_error("deflate piece larger than agreed");
    if (!piece) throw std::invalid_argument("no deflate piece");
    if (m_holding) Submit(std::move(m_held), m_held_size, false);
    m_held = std::move(piece);
    m_held_size = size;
    m_holding = true;
    WriteFinished(false);
    return FreeBuffer();
  } catch (...) {
    // The held piece may be gone with the failed submit.
    m_failed = true;
    throw;
  }
}

void ParallelDeflate::Finish() {
  RefuseIfFailed();
  if (m_finished) return;
  try {
    if (m_holding) Submit(std::move(m_held), m_held_size, true);
    m_holding = false;
    while (!m_in_flight.empty()) WriteFinished(true);
    m_finished = true;
  } catch (...) {
    m_failed = true;
    throw;
  }
}

std::uint32_t ParallelDeflate::Crc32() const {
  RefuseIfFailed();
  return m_crc32;
}

std::uint64_t ParallelDeflate::CompressedSize() const {
  RefuseIfFailed();
  return m_compressed_size;
}

std::uint64_t ParallelDeflate::UncompressedSize() const {
  RefuseIfFailed();
  return m_uncompressed_size;
}

void ParallelDeflate::Submit(std::unique_ptr<char[]> piece, std::size_t size, bool last) {
  while (m_in_flight.size() >= m_max_in_flight) WriteFinished(true);
  auto job = std::make_unique<Job>();
  job->input = std::move(piece);
  job->size = size;
  job->last = last;
  job->dictionary = std::move(m_next_dictionary);
  if (!m_free_outputs.empty()) {
    job->output = std::move(m_free_outputs.back());
    m_free_outputs.pop_back();
  }
  // The next piece is primed with the last 32 KiB of the text so far: the end of this piece and,
  // when it is shorter than the window, the end of its own dictionary before it.
  const auto* bytes = reinterpret_cast<const unsigned char*>(job->input.get());
  const std::size_t keep = std::min(size, kDeflateWindow);
  m_next_dictionary.clear();
  if (keep < kDeflateWindow && !job->dictionary.empty()) {
    const std::size_t from_before = std::min(job->dictionary.size(), kDeflateWindow - keep);
    m_next_dictionary.assign(job->dictionary.end() - static_cast<std::ptrdiff_t>(from_before),
                             job->dictionary.end());
  }
  m_next_dictionary.insert(m_next_dictionary.end(), bytes + size - keep, bytes + size);
  m_uncompressed_size += size;
  Job* queued = job.get();
  m_in_flight.push_back(std::move(job));
  {
    const std::lock_guard lock(m_mutex);
    m_queue.push_back(queued);
  }
  m_work_ready.notify_one();
}

void ParallelDeflate::WriteFinished(bool wait) {
  while (!m_in_flight.empty()) {
    Job& front = *m_in_flight.front();
    {
      std::unique_lock lock(m_mutex);
      if (wait) m_job_done.wait(lock, [&front] { return front.done; });
      if (!front.done) return;
    }
    wait = false;
    if (front.error) std::rethrow_exception(front.error);
    if (front.output_size > 0) m_sink.Write({front.output.data(), front.output_size});
    m_compressed_size += front.output_size;
    m_crc32 = static_cast<std::uint32_t>(
        crc32_combine(m_crc32, front.crc32, static_cast<z_off_t>(front.size)));
    m_free_buffers.push_back(std::move(front.input));
    m_free_outputs.push_back(std::move(front.output));
    m_in_flight.pop_front();
  }
}

std::unique_ptr<char[]> ParallelDeflate::FreeBuffer() {
  if (m_free_buffers.empty()) return std::make_unique_for_overwrite<char[]>(m_piece_capacity);
  std::unique_ptr<char[]> buffer = std::move(m_free_buffers.back());
  m_free_buffers.pop_back();
  return buffer;
}

void ParallelDeflate::Work(PieceCompressor& compressor) {
  for (;;) {
    Job* job = nullptr;
    {
      std::unique_lock lock(m_mutex);
      m_work_ready.wait(lock, [this] { return m_stopping || !m_queue.empty(); });
      if (m_stopping) return;
      job = m_queue.front();
      m_queue.pop_front();
    }
    // The job's own fields are the worker's until it is marked done.
    std::vector<unsigned char> output = std::move(job->output);
    std::size_t produced = 0;
    std::uint32_t crc = 0;
    std::exception_ptr error;
    try {
      const std::span<const unsigned char> input(
          reinterpret_cast<const unsigned char*>(job->input.get()), job->size);
      produced = compressor.Compress(input, job->dictionary, job->last, output);
      crc = UpdateCrc32(0, input);
    } catch (...) {
      error = std::current_exception();
    }
    {
      const std::lock_guard lock(m_mutex);
      job->output = std::move(output);
      job->output_size = produced;
      job->crc32 = crc;
      job->error = error;
      job->done = true;
    }
    m_job_done.notify_all();
  }
}

}  // namespace trackmint
