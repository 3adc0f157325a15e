#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "base/whole_file.h"

namespace trackmint {

// The KMZ could not be made in its folder; the run reports it as an output that cannot be
// created.
using KmzNotCreated = FileNotCreated;

// The "output file" of its errors.
inline constexpr std::string_view kKmzNoun = "output file";

// The KMZ while it is written, whole or not at all (WholeFile): its errors read "Can't write the
// output file <path>: <reason>" and "Can't create the output file <path>: <reason>".
class KmzFile : public WholeFile {
 public:
  KmzFile(std::string path, int input_fd, Kind kind = Kind::Unnamed,
          const std::vector<OtherOutput>& others = {})
      : WholeFile(std::move(path), std::string(kKmzNoun), input_fd, kind, others) {}
};

}  // namespace trackmint
