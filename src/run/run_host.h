#pragma once

#include <array>
#include <string>

#include "base/window_colour.h"

namespace trackmint {

// The fix classes that have a swatch, and the grey icon for an epoch of none of the valid
// classes: the seven icons, in the order the run makes them and the archive holds them.
enum class IconSlot { Auto, Diff, RtkFix, RtkFloat, Estimated, Invalid, Grey };
inline constexpr int kIconSlotCount = 7;
inline constexpr WindowColour kGreyIconColour = 0x808080;
// The fix classes' swatches as the window is designed (red, yellow, green, fuchsia, aqua, black),
// in slot order, with the grey icon last. They are no stored settings: every start begins so.
inline constexpr std::array<WindowColour, kIconSlotCount> kDesignIconColours = {
    0x0000FF, 0x00FFFF, 0x008000, 0xFF00FF, 0xFFFF00, 0x000000, kGreyIconColour};

// The user's answer when a file cannot be packed into the archive.
enum class MemberErrorAnswer { Abort, Retry, Ignore };

// Everything the conversion run needs from whoever started it. The window implements it over its
// controls, the batch mode over the settings loaded from the file, tests over plain values. The
// run keeps no copy of the settings: it asks here at the moment each value is needed.
class RunHost {
 public:
  virtual ~RunHost() = default;

  // The file fields: their texts and full paths.
  virtual std::string InputText() const = 0;   // what the input field shows
  virtual std::string InputPath() const = 0;   // the input file's full path
  virtual std::string OutputText() const = 0;  // the KMZ file's name as the output field shows it
  virtual std::string OutputPath() const = 0;  // the KMZ file's full path; empty until chosen
  virtual void SetOutputPath(const std::string& path) = 0;
  virtual std::string ExecutableDirectory() const = 0;  // with its trailing separator

  // The settings.
  // The swatch of a fix class; the grey icon's colour is fixed (kGreyIconColour), never asked.
  virtual WindowColour ClassColour(IconSlot slot) const = 0;
  virtual WindowColour TrackColour() const = 0;
  virtual std::string TrackWidthText() const = 0;
  virtual std::string IconScaleText() const = 0;
  virtual bool UseFixedDate() const = 0;
  virtual std::string FixedDateText() const = 0;
  virtual bool ShowHeight() const = 0;
  virtual bool UseAllWaypoints() const = 0;
  // The plain RGB value of a colour; a system colour becomes the desktop's current value.
  virtual WindowColour ResolveColour(WindowColour colour) const = 0;

  // The seven icon file names, kept by the host from one run to the next.
  virtual void SetIconFileName(IconSlot slot, const std::string& name) = 0;
  virtual std::string IconFileName(IconSlot slot) const = 0;

  // What the run reports.
  virtual void SetLeftStatus(const std::string& text) = 0;
  virtual void SetRightStatus(const std::string& text) = 0;
  virtual std::string RightStatus() const = 0;
  virtual void SetProgress(int position) = 0;  // the gauge, 0 to 100
  virtual void AdvanceProgress() = 0;          // one step up; above 100 it shows 100
  virtual void SetRunEnabled(bool enabled) = 0;
  virtual void LockSettings() = 0;
  virtual void UnlockSettings() = 0;
  virtual void ProcessPendingEvents() = 0;
  // The closing summary; only the interactive window shows it.
  virtual void ShowFinalMessage(const std::string& text) = 0;
  // A member that cannot be packed: the window asks the user; the batch mode, where nobody can
  // answer, throws a TrackmintError with the text.
  virtual MemberErrorAnswer AskMemberError(const std::string& error_text) = 0;
};

}  // namespace trackmint
