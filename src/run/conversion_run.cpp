#include "run/conversion_run.h"

#include <sys/stat.h>

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/paths.h"
#include "base/trackmint_error.h"
#include "kml/document_frame.h"
#include "kml/document_stream.h"
#include "kml/line_style.h"
#include "kml/output_phase.h"
#include "kmz/archive_phase.h"
#include "kmz/arrow_icon.h"
#include "kmz/intermediate_directory.h"
#include "run/epoch_list.h"
#include "run/input_phase.h"

namespace trackmint {
namespace {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using UniqueFile = std::unique_ptr<std::FILE, FileCloser>;

// The Run button is off from the moment the run leaves idle until it is back, however it ends.
class RunButtonOff {
 public:
  explicit RunButtonOff(RunHost& host) : m_host(host) { m_host.SetRunEnabled(false); }
  ~RunButtonOff() { m_host.SetRunEnabled(true); }
  RunButtonOff(const RunButtonOff&) = delete;
  RunButtonOff& operator=(const RunButtonOff&) = delete;

 private:
  RunHost& m_host;
};

// The settings stay locked while the run reads them, and are unlocked however the run ends.
class SettingsLock {
 public:
  explicit SettingsLock(RunHost& host) : m_host(host) { m_host.LockSettings(); }
  ~SettingsLock() { m_host.UnlockSettings(); }
  SettingsLock(const SettingsLock&) = delete;
  SettingsLock& operator=(const SettingsLock&) = delete;

 private:
  RunHost& m_host;
};

std::uint64_t SizeOf(std::FILE* file) {
  struct stat info {};
  return fstat(fileno(file), &info) == 0 && info.st_size > 0
             ? static_cast<std::uint64_t>(info.st_size)
             : 0;
}

// A run that cannot open its files says so in the left panel and never leaves idle.
RunOutcome Fail(RunHost& host, RunOutcome outcome) {
  host.SetLeftStatus(outcome == RunOutcome::InputNotOpened ? "Can't open the input file"
                                                           : "Can't create the output file");
  host.ProcessPendingEvents();
  return outcome;
}

constexpr std::array<IconSlot, kIconSlotCount> kIconOrder = {
    IconSlot::Auto,      IconSlot::Diff,    IconSlot::RtkFix, IconSlot::RtkFloat,
    IconSlot::Estimated, IconSlot::Invalid, IconSlot::Grey};

}  // namespace

RunOutcome SpeedButton3Click(RunHost& host, NMEA& assembler, const Clock& clock) {
  // 1. The log. An empty path names no file.
  const std::string input_path = host.InputPath();
  UniqueFile input(input_path.empty() ? nullptr : std::fopen(input_path.c_str(), "rb"));
  if (!input) return Fail(host, RunOutcome::InputNotOpened);

  // 2.-4. The KMZ path: the output field's text in the directory of its full path, or of the
  // program when it has none; an absolute text stands as it is. The document and the icons go
  // into a private directory beside it and are packed under their own names.
  const std::string output_path = host.OutputPath();
  const std::string output_directory =
      output_path.empty() ? host.ExecutableDirectory() : DirectoryPart(output_path);
  const std::string output_text = host.OutputText();
  const std::string kmz_path = JoinToDirectory(output_directory, output_text);
  std::optional<IntermediateDirectory> intermediates = IntermediateDirectory::Create(kmz_path);
  if (!intermediates) {
    input.reset();
    return Fail(host, RunOutcome::OutputNotCreated);
  }
  const std::string document_path =
      intermediates->File(FileNamePart(ChangeExtension(output_text, ".kml")));
  UniqueFile document_file(std::fopen(document_path.c_str(), "w"));
  if (!document_file) {
    input.reset();
    return Fail(host, RunOutcome::OutputNotCreated);
  }
  host.SetOutputPath(kmz_path);

  // 5.-6.
  host.SetProgress(0);
  host.SetLeftStatus(" ");
  host.SetRightStatus(" ");
  const RunButtonOff run_button_off(host);
  std::optional<DocumentStream> document(std::in_place, document_file.get());
  WriteDocumentOpening(*document);

  // 7. The arrow icons, one per fix class and the grey one.
  std::vector<std::string> icon_paths;
  for (IconSlot slot : kIconOrder) {
    const WindowColour colour = slot == IconSlot::Grey ? kGreyIconColour : host.ClassColour(slot);
    const std::string name = MakeArrowIcon(colour, intermediates->path(), host);
    host.SetIconFileName(slot, name);
    icon_paths.push_back(intermediates->File(name));
  }

  // 8.
  WriteLineStyle(*document, host.TrackWidthText(), host.TrackColour(), "NormalTrack", host);

  // 9.-11.
  const std::int32_t progress_step = ProgressStep(SizeOf(input.get()));
  host.SetLeftStatus("The progress started");
  const SettingsLock lock(host);

  // 12.-14.
  assembler.Reset();
  EpochList epochs;
  ReadEpochList(input.get(), input_path, epochs, assembler, progress_step, host, clock);
  WriteOutputPhase(*document, epochs, host, clock);

  // 15. A document that did not reach the disk whole is never packed.
  document->Flush();
  const bool written = !document->Failed() && std::fflush(document_file.get()) == 0;
  const int write_error = errno;
  document.reset();
  if (std::fclose(document_file.release()) != 0 || !written) {
    throw TrackmintError("Can't write the output file " + document_path + ": " +
                         std::strerror(written ? errno : write_error));
  }
  input.reset();
  epochs.clear();

  // 16. The intermediate files go with their directory when the run ends.
  host.SetLeftStatus("Packing of KMZ-file");
  PackKmz(kmz_path, document_path, icon_paths, host, clock);

  // 17.-18.
  host.SetLeftStatus("The progress finished");
  host.ShowFinalMessage("The progress finished!\n\rInput file " + host.InputText() + "\n\r" +
                        host.RightStatus());
  return RunOutcome::Finished;
}

}  // namespace trackmint
