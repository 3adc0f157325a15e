#pragma once

#include <string>

#include "base/window_colour.h"
#include "settings/settings_controls.h"
#include "settings/stored_settings.h"

namespace trackmint {

// The setting controls as plain values, starting with the window's design values: the batch
// mode's settings and the tests' stand-in for the window. The date text is kept as given.
class PlainSettingsControls : public SettingsControls {
 public:
  bool CheckBox1() const override { return m_check_box1; }
  void SetCheckBox1(bool checked) override;
  std::string MaskEdit1() const override { return m_mask_edit1; }
  void SetMaskEdit1(const std::string& text) override { m_mask_edit1 = text; }
  void SetMaskEdit1Enabled(bool enabled) override { m_mask_edit1_enabled = enabled; }
  WindowColour ShapeStyleTrack() const override { return m_shape_style_track; }
  void SetShapeStyleTrack(WindowColour colour) override { m_shape_style_track = colour; }
  WindowColour ShapeFullTrack() const override { return m_shape_full_track; }
  void SetShapeFullTrack(WindowColour colour) override { m_shape_full_track = colour; }
  std::string Edit3() const override { return m_edit3; }
  void SetEdit3(const std::string& text) override { m_edit3 = text; }
  bool CheckBox2() const override { return m_check_box2; }
  void SetCheckBox2(bool checked) override;
  bool CheckBox4() const override { return m_check_box4; }
  void SetCheckBox4(bool checked) override { m_check_box4 = checked; }
  bool CheckBox3() const override { return m_check_box3; }
  void SetCheckBox3(bool checked) override { m_check_box3 = checked; }
  std::string Edit4() const override { return m_edit4; }
  void SetEdit4(const std::string& text) override { m_edit4 = text; }
  int Left() const override { return m_left; }
  void SetLeft(int left) override { m_left = left; }
  int Top() const override { return m_top; }
  void SetTop(int top) override { m_top = top; }
  void UpdateTrackColorEnabled() override;

  // The enabled states that the settings steer.
  bool MaskEdit1Enabled() const { return m_mask_edit1_enabled; }
  bool Label3Enabled() const { return m_label3_enabled; }
  bool ShapeFullTrackEnabled() const { return m_shape_full_track_enabled; }

 private:
  void CheckBox1Click();
  void CheckBox2Click();

  bool m_check_box1 = kDesignCheckBox1;
  std::string m_mask_edit1 = std::string(kDesignMaskEdit1);
  WindowColour m_shape_style_track = kDesignShapeStyleTrack;
  WindowColour m_shape_full_track = kDesignShapeFullTrack;
  std::string m_edit3 = std::string(kDesignEdit3);
  bool m_check_box2 = kDesignCheckBox2;
  bool m_check_box4 = kDesignCheckBox4;
  bool m_check_box3 = kDesignCheckBox3;
  std::string m_edit4 = std::string(kDesignEdit4);
  int m_left = kDesignLeft;
  int m_top = kDesignTop;
  // As designed the date field is disabled until the start-up load sets it; the track colour
  // and its label are enabled.
  bool m_mask_edit1_enabled = false;
  bool m_label3_enabled = true;
  bool m_shape_full_track_enabled = true;
};

}  // namespace trackmint
