#pragma once

#include <string>
#include <string_view>

#include "base/whole_file.h"

namespace trackmint {

// The "picture file" of its errors.
inline constexpr std::string_view kPictureNoun = "picture file";

// The PNG of a run while it is written, whole or not at all, as the KMZ is (WholeFile): an
// earlier file at the path stays until Commit, and a run that fails or is stopped leaves it as
// it was. Refused with "Can't write the picture file <path>: <reason>" for a path that is not a
// regular file, is the open input, or names the run's KMZ at kmz_path ("it is the output
// file"); FileNotCreated ("Can't create the picture file <path>: <reason>") when its folder
// cannot take it.
class PictureFile : public WholeFile {
 public:
  PictureFile(std::string path, int input_fd, const std::string& kmz_path,
              Kind kind = Kind::Unnamed);
};

}  // namespace trackmint
