#pragma once

#include <string>

#include "base/window_colour.h"

namespace trackmint {

// The settings a conversion reads, each at the moment it is needed. The window reads them from
// its controls; the batch mode holds them as the settings file gave them.
class ConversionSettings {
 public:
  virtual ~ConversionSettings() = default;

  virtual bool UseFixedDate() const = 0;
  virtual std::string FixedDateText() const = 0;
  virtual WindowColour TrackColour() const = 0;
  virtual std::string TrackWidthText() const = 0;
  virtual bool UseAllWaypoints() const = 0;
  virtual bool ShowHeight() const = 0;
  virtual std::string IconScaleText() const = 0;
};

}  // namespace trackmint
