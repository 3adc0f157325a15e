#pragma once

namespace trackmint {

// Where a run stands, as its observer hears it.
enum class RunPhase {
  Started,           // the files are open, the gauge at 0
  Reading,           // the log is read and its placemarks written
  Writing,           // the tracks and the end of the document
  Packing,           // the icons and the end of the KMZ
  Finished,          // the KMZ is in place
  InputNotOpened,    // the run ended before it began
  OutputNotCreated,  // the run ended before it began
  Failed,            // an error ended the run; it goes to the error display
};

}  // namespace trackmint
