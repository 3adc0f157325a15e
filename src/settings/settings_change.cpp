#include "settings/settings_change.h"

#include "settings/text_case.h"

namespace trackmint {

bool SettingsChanged(const SettingValues& current, const SettingValues& loaded) {
  for (const StoredSetting& setting : kStoredSettings) {
    if (!setting.counted_at_close) continue;
    const bool same = std::visit(
        [&](auto member) {
          if constexpr (std::is_same_v<decltype(member), std::string SettingValues::*>) {
            if (setting.kind == SettingKind::Date) {
              return SameTextIgnoringCase(current.*member, loaded.*member);
            }
          }
          return current.*member == loaded.*member;
        },
        setting.member);
    if (!same) return true;
  }
  return false;
}

}  // namespace trackmint
