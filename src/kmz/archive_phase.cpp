#include "kmz/archive_phase.h"

#include "kmz/archive_writer.h"

namespace trackmint {

void PackKmz(const std::string& kmz_path, const std::string& document_path,
             const std::vector<std::string>& icon_paths, RunHost& host, const Clock& clock) {
  ArchiveWriter writer(host, clock);
  writer.SetFileName(kmz_path);
  writer.OpenArchive();
  writer.AddFiles(document_path);
  // A repeated icon name replaces its member with the same content, in its first place.
  for (const std::string& icon_path : icon_paths) writer.AddFiles(icon_path);
  writer.CloseArchive();
}

}  // namespace trackmint
