#pragma once

#include <cstddef>
#include <memory>

namespace trackmint {

// Where a long text goes, a piece at a time. The writer fills a buffer of an agreed capacity and
// hands it over whole, so no byte is copied on the way; the sink keeps or uses the piece and
// hands back a buffer of the same capacity for the writer to fill next.
class PieceSink {
 public:
  virtual ~PieceSink() = default;
  // The first size bytes of the piece are the text. Throws when the text cannot go on.
  virtual std::unique_ptr<char[]> TakePiece(std::unique_ptr<char[]> piece, std::size_t size) = 0;
};

}  // namespace trackmint
