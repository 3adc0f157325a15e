#pragma once

#include <string>
#include <vector>

#include "base/clock.h"
#include "run/run_host.h"

namespace trackmint {

// The archive phase of a run: packs the KML document and then the icons, in the order given
// (Auto, Diff, RTK Fix, RTK Float, Estimated, Invalid, grey), into a new KMZ at kmz_path. Each
// file is stored under its bare name; an icon name already packed stays once, at its first
// place. The previous file at kmz_path is replaced only by the finished archive: when this
// throws, it is as it was and nothing half-written is left. The files packed are not deleted
// here; they live in the run's IntermediateDirectory.
//
// A file that cannot be packed is put to host.AskMemberError (retry, leave it out, or abort the
// update); the host gets a turn between the 1 MiB pieces of a member.
void PackKmz(const std::string& kmz_path, const std::string& document_path,
             const std::vector<std::string>& icon_paths, RunHost& host, const Clock& clock);

}  // namespace trackmint
