#pragma once

#include <string>

#include "base/window_colour.h"

namespace trackmint {

// The controls that hold the stored settings, as loading and saving see them. The window
// implements this over its widgets; PlainSettingsControls holds plain values for the batch mode
// and the tests.
//
// Setting a check box to a state other than its current one fires that box's click event; setting
// the state it already has fires nothing. The click of CheckBox1 enables MaskEdit1 exactly when
// the box is checked; the click of CheckBox2 runs UpdateTrackColorEnabled.
class SettingsControls {
 public:
  virtual ~SettingsControls() = default;

  virtual bool CheckBox1() const = 0;  // use the fixed date
  virtual void SetCheckBox1(bool checked) = 0;
  virtual std::string MaskEdit1() const = 0;  // the fixed date
  // The field may bring the text into its own form; MaskEdit1() then gives the result.
  virtual void SetMaskEdit1(const std::string& text) = 0;
  virtual void SetMaskEdit1Enabled(bool enabled) = 0;
  virtual WindowColour ShapeStyleTrack() const = 0;  // hidden colour
  virtual void SetShapeStyleTrack(WindowColour colour) = 0;
  virtual WindowColour ShapeFullTrack() const = 0;  // track colour
  virtual void SetShapeFullTrack(WindowColour colour) = 0;
  virtual std::string Edit3() const = 0;  // track width
  virtual void SetEdit3(const std::string& text) = 0;
  virtual bool CheckBox2() const = 0;  // use all the waypoints
  virtual void SetCheckBox2(bool checked) = 0;
  virtual bool CheckBox4() const = 0;  // start at the first fix
  virtual void SetCheckBox4(bool checked) = 0;
  virtual bool CheckBox3() const = 0;  // show heights
  virtual void SetCheckBox3(bool checked) = 0;
  virtual std::string Edit4() const = 0;  // icon scale
  virtual void SetEdit4(const std::string& text) = 0;
  virtual int Left() const = 0;  // the window's position on the screen
  virtual void SetLeft(int left) = 0;
  virtual int Top() const = 0;
  virtual void SetTop(int top) = 0;

  // Keeps Label3 and ShapeFullTrack enabled: the track colour is always in use.
  virtual void UpdateTrackColorEnabled() = 0;
};

}  // namespace trackmint
