#pragma once

#include <cstdint>
#include <string>

#include "base/clock.h"
#include "kml/document_summary.h"
#include "nmea/nmea.h"
#include "run/run_host.h"

namespace trackmint {

// How a run ended when it raised no error.
enum class RunOutcome {
  Finished,          // the KMZ file was written
  InputNotOpened,    // "Can't open the input file" is in the left status panel
  OutputNotCreated,  // "Can't create the output file" is in the left status panel
};

// What a run that raised no error tells its caller beyond the status panels.
struct RunResult {
  RunOutcome outcome = RunOutcome::Finished;
  DocumentSummary summary;  // what the KMZ holds, when finished
  std::string failed_path;      // the file that could not be opened or created
  int error_number = 0;         // and the system's reason
};

// The Run command from start to end: opens the log and the document, makes the arrow icons,
// reads the log into the epoch list, writes the document, packs the KMZ and reports through the
// host. Everything it needs it reads from the host at the moment of use. A log without a single
// NMEA sentence is refused, and any other failure is raised as a TrackmintError for the front end
// to show; then the status panels say that the conversion failed. On every way out the files are
// closed, the intermediate files removed and the host unlocked with its Run button enabled again.
RunResult SpeedButton3Click(RunHost& host, NMEA& assembler, const Clock& clock);

}  // namespace trackmint
