#pragma once

#include <string>

#include "base/window_colour.h"
#include "kml/document_settings.h"
#include "kml/fix_class.h"

namespace trackmint {

// Everything the conversion run needs from whoever started it. The window implements it over its
// controls, the batch mode over the settings loaded from the file, tests over plain values. The
// run keeps no copy of the settings: it asks here at the moment each value is needed.
class RunHost : public DocumentSettings {
 public:
  // The file fields: their texts and full paths.
  virtual std::string InputText() const = 0;   // what the input field shows
  virtual std::string InputPath() const = 0;   // the input file's full path
  virtual std::string OutputText() const = 0;  // the KMZ file's name as the output field shows it
  virtual std::string OutputPath() const = 0;  // the KMZ file's full path; empty until chosen
  virtual void SetOutputPath(const std::string& path) = 0;

  // The swatch of a fix class; the grey icon's colour is fixed (kGreyIconColour), never asked.
  virtual WindowColour ClassColour(IconSlot slot) const = 0;
  // The seven icon file names, kept by the host from one run to the next.
  virtual void SetIconFileName(IconSlot slot, const std::string& name) = 0;

  // What the run reports.
  virtual void SetLeftStatus(const std::string& text) = 0;
  virtual void SetRightStatus(const std::string& text) = 0;
  virtual std::string RightStatus() const = 0;
  virtual void SetProgress(int position) = 0;  // the gauge, 0 to 100
  virtual void AdvanceProgress() = 0;          // one step up; above 100 it shows 100
  virtual void SetRunEnabled(bool enabled) = 0;
  virtual void LockSettings() = 0;
  virtual void UnlockSettings() = 0;
  // The window's turn to repaint and take input; the batch mode ends the run here when it was
  // told to stop (by throwing).
  virtual void ProcessPendingEvents() = 0;
  // The closing summary; only the interactive window shows it.
  virtual void ShowFinalMessage(const std::string& text) = 0;
};

}  // namespace trackmint
