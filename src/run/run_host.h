#pragma once

#include <cstdint>
#include <string>

#include "base/window_colour.h"
#include "kml/fix_class.h"
#include "run/run_phase.h"
#include "settings/conversion_settings.h"

namespace trackmint {

// Everything the conversion run needs from whoever started it: the files, the settings, the
// colours, and a place to report. The window implements it over its controls, the batch mode
// over the settings loaded from the file, tests over plain values. The run keeps no copy of the
// settings: it asks here at the moment each value is needed.
class RunHost : public ColourResolver {
 public:
  // The file fields: their texts and full paths.
  virtual std::string InputText() const = 0;   // what the input field shows
  virtual std::string InputPath() const = 0;   // the input file's full path
  virtual std::string OutputText() const = 0;  // the KMZ file's name as the output field shows it
  virtual std::string OutputPath() const = 0;  // the KMZ file's full path; empty until chosen
  virtual void SetOutputPath(const std::string& path) = 0;

  virtual const ConversionSettings& Settings() const = 0;
  // The swatch of a fix class; the grey icon's colour is fixed (kGreyIconColour), never asked.
  virtual WindowColour ClassColour(IconSlot slot) const = 0;

  // What the run reports. Started also blanks the right panel; Failed empties it.
  virtual void ReportPhase(RunPhase phase) = 0;
  virtual void ReportPlacemarks(std::int32_t placemarks) = 0;  // the right panel: WaypointsText
  virtual void SetProgress(int position) = 0;                  // the gauge, 0 to 100
  virtual void AdvanceProgress() = 0;  // one step up; above 100 it shows 100
  virtual void SetRunEnabled(bool enabled) = 0;
  virtual void SetSettingsLocked(bool locked) = 0;
  // The window's turn to repaint and take input; the batch mode ends the run here when it was
  // told to stop (by throwing).
  virtual void ProcessPendingEvents() = 0;
  // The closing summary; only the interactive window shows it.
  virtual void ShowFinalMessage(const std::string& text) = 0;
};

}  // namespace trackmint
