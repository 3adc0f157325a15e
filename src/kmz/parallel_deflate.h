#pragma once

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <span>
#include <thread>
#include <vector>

#include "base/piece_sink.h"
#include "kmz/byte_sink.h"

namespace trackmint {

// The most deflate workers one deflate starts, whatever the machine: so that runs started side by
// side, one for each core, do not start cores squared threads, and the pieces on their way stay
// few (each worker keeps about 4.3 MiB of them and of zlib's state).
inline constexpr unsigned kMaxDeflateWorkers = 8;
// One worker for each core this process may run on, at most kMaxDeflateWorkers.
unsigned DefaultDeflateWorkers();
// The workers for a requested number: 0 takes the default, others are held to
// 1..kMaxDeflateWorkers.
unsigned DeflateWorkers(unsigned requested);

// What a worker compresses its pieces with. The program's is a RawDeflater; tests give one that
// fails.
class PieceCompressor {
 public:
  virtual ~PieceCompressor() = default;
  // The piece as a stream of its own primed with the dictionary (RawDeflater's Restart, then its
  // Compress): ended with a sync flush, or finished when last.
  virtual std::size_t Compress(std::span<const unsigned char> piece,
                               std::span<const unsigned char> dictionary, bool last,
                               std::vector<unsigned char>& output) = 0;
};
// Makes the compressor of one worker; called for each worker in the constructor's thread.
using PieceCompressorMaker = std::function<std::unique_ptr<PieceCompressor>()>;

// One raw deflate stream (see raw_deflater.h) made from pieces that worker threads compress side
// by side while the caller writes the next one. Each piece is primed with the last 32 KiB of the
// text before it, so matches reach back across the cut as in one stream, and ends with a sync
// flush that leaves the stream on a byte boundary; the last one finishes the stream. The output
// is the same whatever the number of workers. The compressed pieces go to the sink in their
// order, from the caller's thread only; the workers touch nothing but the pieces they are given.
//
// Once a call has thrown (the sink's error, or a worker's), the stream is failed: every later
// call throws std::logic_error, and the destructor drops what is left.
class ParallelDeflate final : public PieceSink {
 public:
  // Pieces hold at most piece_capacity bytes. The number of workers is DeflateWorkers of
  // worker_count; an empty maker makes RawDeflaters.
  ParallelDeflate(ByteSink& sink, std::size_t piece_capacity, unsigned worker_count = 0,
                  const PieceCompressorMaker& make_compressor = {});
  // Stops the workers; pieces not yet written are dropped (a run that failed).
  ~ParallelDeflate() override;
  ParallelDeflate(const ParallelDeflate&) = delete;
  ParallelDeflate& operator=(const ParallelDeflate&) = delete;

  // Takes a piece to compress and hands back a buffer for the next; waits while too many are on
  // their way.
  std::unique_ptr<char[]> TakePiece(std::unique_ptr<char[]> piece, std::size_t size) override;
  // Ends the stream with the last piece taken and writes everything still on its way. No piece
  // at all gives no bytes at all (an empty member is stored, not deflated).
  void Finish();

  std::uint32_t Crc32() const;
  std::uint64_t CompressedSize() const;
  std::uint64_t UncompressedSize() const;

 private:
  struct Job {
    std::unique_ptr<char[]> input;
    std::size_t size = 0;
    std::vector<unsigned char> dictionary;  // the last 32 KiB of the text before
    bool last = false;
    // Filled by a worker: the first output_size bytes of output. The buffer is used again for
    // later pieces, so its pages are touched once, not once a piece.
    std::vector<unsigned char> output;
    std::size_t output_size = 0;
    std::uint32_t crc32 = 0;
    std::exception_ptr error;
    bool done = false;
  };

  // Throws when an earlier call threw.
  void RefuseIfFailed() const;
  void Submit(std::unique_ptr<char[]> piece, std::size_t size, bool last);
  // Writes the finished jobs at the front, in order; with wait, first waits for the front one.
  void WriteFinished(bool wait);
  void Work(PieceCompressor& compressor);
  std::unique_ptr<char[]> FreeBuffer();

  ByteSink& m_sink;
  std::size_t m_piece_capacity;
  std::size_t m_max_in_flight;

  // The newest piece waits here until the next one shows whether it is the last.
  std::unique_ptr<char[]> m_held;
  std::size_t m_held_size = 0;
  bool m_holding = false;
  std::vector<unsigned char> m_next_dictionary;
  std::vector<std::unique_ptr<char[]>> m_free_buffers;
  std::vector<std::vector<unsigned char>> m_free_outputs;
  std::deque<std::unique_ptr<Job>> m_in_flight;  // in stream order; only the caller's thread

  std::mutex m_mutex;
  std::condition_variable m_work_ready;
  std::condition_variable m_job_done;
  std::deque<Job*> m_queue;  // guarded by m_mutex, as are the jobs' worker fields
  bool m_stopping = false;
  std::vector<std::unique_ptr<PieceCompressor>> m_compressors;  // one for each worker
  std::vector<std::thread> m_workers;

  std::uint32_t m_crc32 = 0;
  std::uint64_t m_compressed_size = 0;
  std::uint64_t m_uncompressed_size = 0;
  bool m_finished = false;
  bool m_failed = false;
};

}  // namespace trackmint
