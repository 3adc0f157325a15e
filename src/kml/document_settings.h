#pragma once

#include <string>

#include "base/window_colour.h"
#include "kml/fix_class.h"

namespace trackmint {

// The settings the document's writers read, each at the moment it is needed. The run's host
// provides them from the window's controls or from the settings file.
class DocumentSettings {
 public:
  virtual ~DocumentSettings() = default;

  virtual WindowColour TrackColour() const = 0;
  virtual std::string TrackWidthText() const = 0;
  virtual std::string IconScaleText() const = 0;
  virtual bool UseFixedDate() const = 0;
  virtual std::string FixedDateText() const = 0;
  virtual bool ShowHeight() const = 0;
  virtual bool UseAllWaypoints() const = 0;
  // The plain RGB value of a colour; a system colour becomes the desktop's current value.
  virtual WindowColour ResolveColour(WindowColour colour) const = 0;
  // The icon file name of each fix class, as the run has made them.
  virtual std::string IconFileName(IconSlot slot) const = 0;
};

}  // namespace trackmint
