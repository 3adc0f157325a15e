#include <stdexcept>
#include <string>
#include <type_traits>
#include <variant>

#include <QCheckBox>
#include <QLineEdit>

#include "app/window/date_field.h"
#include "app/window/qt_text.h"
#include "app/window/swatch.h"
#include "app/window/tform1.h"
#include "app/window/time_bound_field.h"

namespace trackmint {

// The settings' side of the window. Each stored setting is the state of the control named by its
// key, so the table of stored settings is the one list of them; only the window's position is
// the window's own.
namespace {

template <typename Control>
Control* ControlOf(const TForm1& form, const StoredSetting& setting) {
  auto* control = form.findChild<Control*>(QString::fromLatin1(setting.key));
  if (control == nullptr) {
    throw std::logic_error("no control for the setting " + std::string(setting.key));
  }
  return control;
}

// The fields that keep a valid text while another is typed give that one.
std::string TextOf(const TForm1& form, const StoredSetting& setting) {
  switch (setting.kind) {
    case SettingKind::Date:
      return ControlOf<DateField>(form, setting)->Text();
    case SettingKind::TimeBound:
      return ControlOf<TimeBoundField>(form, setting)->Text();
    default:
      return ToStdString(ControlOf<QLineEdit>(form, setting)->text());
  }
}

void SetTextOf(TForm1& form, const StoredSetting& setting, const std::string& text) {
  switch (setting.kind) {
    case SettingKind::Date:
      ControlOf<DateField>(form, setting)->SetText(text);
      break;
    case SettingKind::TimeBound:
      ControlOf<TimeBoundField>(form, setting)->SetText(text);
      break;
    default:
      ControlOf<QLineEdit>(form, setting)->setText(ToQString(text));
  }
}

bool IsLeft(const StoredSetting& setting) {
  return setting.member == SettingMember(&SettingValues::window_left);
}

}  // namespace

SettingValues TForm1::Values() const {
  SettingValues values;
  for (const StoredSetting& setting : kStoredSettings) {
    std::visit(
        [&](auto member) {
          using Member = decltype(member);
          if constexpr (std::is_same_v<Member, bool SettingValues::*>) {
            values.*member = ControlOf<QCheckBox>(*this, setting)->isChecked();
          } else if constexpr (std::is_same_v<Member, std::string SettingValues::*>) {
            values.*member = TextOf(*this, setting);
          } else if constexpr (std::is_same_v<Member, WindowColour SettingValues::*>) {
            values.*member = ControlOf<Swatch>(*this, setting)->Colour();
          } else {
            values.*member = IsLeft(setting) ? x() : y();
          }
        },
        setting.member);
  }
  return values;
}

// In the order of a load. Setting a check box to another state fires its click.
void TForm1::SetValues(const SettingValues& values) {
  for (const StoredSetting& setting : kStoredSettings) {
    std::visit(
        [&](auto member) {
          using Member = decltype(member);
          if constexpr (std::is_same_v<Member, bool SettingValues::*>) {
            ControlOf<QCheckBox>(*this, setting)->setChecked(values.*member);
          } else if constexpr (std::is_same_v<Member, std::string SettingValues::*>) {
            SetTextOf(*this, setting, values.*member);
          } else if constexpr (std::is_same_v<Member, WindowColour SettingValues::*>) {
            ControlOf<Swatch>(*this, setting)->SetColour(values.*member);
          }
          // The position is set once, below, not a coordinate at a time.
        },
        setting.member);
  }
  // The date field follows the check box even when its state did not change.
  m_mask_edit1->setEnabled(values.use_fixed_date);
  move(values.window_left, values.window_top);
}

}  // namespace trackmint
