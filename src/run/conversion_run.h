#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "base/clock.h"
#include "kml/document_summary.h"
#include "nmea/nmea.h"
#include "run/conversion_request.h"
#include "run/run_observer.h"

namespace trackmint {

// How a run ended when it raised no error.
enum class RunOutcome {
  Finished,          // the KMZ file was written
  InputNotOpened,    // a log could not be opened; nothing was written
  OutputNotCreated,  // no file could be made beside the KMZ path; nothing was written
};

// What a run that raised no error tells its caller.
struct RunResult {
  RunOutcome outcome = RunOutcome::Finished;
  DocumentSummary summary;                 // what the KMZ holds, when finished
  std::string failed_path;                 // the file that could not be opened or created
  int error_number = 0;                    // and the system's reason
  std::size_t logs_read = 0;               // the logs in the KMZ, when finished
  std::vector<unsigned char> picture_png;  // the run's picture, when it was asked for
  std::string table;  // the table of the placemarks, when it was asked for as "-"
};

// One conversion of a log into a KMZ, from start to end: opens the log and the KMZ, makes the
// arrow icons, reads the log epoch by epoch, writing each epoch's placemark the moment it is final,
// writes the tracks, packs the KMZ and puts it in place. Several logs are read one after the other
// as one log (ReadLogs), each plain or compressed; every one is opened before the KMZ is made, and
// the first that cannot be opened ends the run as InputNotOpened. It takes everything from the
// request and reports its course to the observer. Logs without a single NMEA sentence among them
// are refused, naming them all, and any other failure is raised as a TrackmintError for the front
// end to show; the observer hears RunPhase::Failed first. On every way out the files are closed and
// nothing is left beside the KMZ path; the earlier KMZ stays unless the new one is complete.
RunResult RunConversion(const ConversionRequest& request, RunObserver& observer, NMEA& assembler,
                        const Clock& clock);

}  // namespace trackmint
