#include "picture/picture_file.h"

#include <utility>
#include <vector>

namespace trackmint {
namespace {

std::vector<OtherOutput> KmzOf(const std::string& kmz_path) {
  if (kmz_path.empty()) return {};
  return {{kmz_path, "it is the output file"}};
}

}  // namespace

PictureFile::PictureFile(std::string path, int input_fd, const std::string& kmz_path, Kind kind)
    : WholeFile(std::move(path), std::string(kPictureNoun), input_fd, kind, KmzOf(kmz_path)) {}

}  // namespace trackmint
