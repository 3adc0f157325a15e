#include "run/block_read.h"

#include <cerrno>
#include <cstring>

#include "base/trackmint_error.h"

namespace trackmint {

std::size_t ReadBlock(std::FILE* input, const std::string& input_path,
                      std::span<unsigned char> block, RunObserver& observer) {
  std::size_t count = 0;
  while (count < block.size()) {
    count += std::fread(block.data() + count, 1, block.size() - count, input);
    if (std::ferror(input)) {
      if (errno != EINTR) {
        throw TrackmintError("Can't read the input file " + input_path + ": " +
                             std::strerror(errno));
      }
      std::clearerr(input);
      observer.TakeTurn();
    } else if (std::feof(input)) {
      break;
    }
  }
  return count;
}

}  // namespace trackmint
