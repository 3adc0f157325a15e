#include "run/conversion_run.h"

#include <sys/stat.h>

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
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
RunResult Fail(RunHost& host, RunOutcome outcome, std::string path, int error_number) {
  host.SetLeftStatus(outcome == RunOutcome::InputNotOpened ? "Can't open the input file"
                                                           : "Can't create the output file");
  host.ProcessPendingEvents();
  return {outcome, 0, std::move(path), error_number};
}

// A run that ends with an error leaves panels that say so, not the figures of a half-done run
// that read like a success.
class FailureReport {
 public:
  explicit FailureReport(RunHost& host)
      : m_host(host), m_exceptions_before(std::uncaught_exceptions()) {}
  ~FailureReport() {
    if (std::uncaught_exceptions() == m_exceptions_before) return;
    try {
      m_host.SetProgress(0);
      m_host.SetLeftStatus("The conversion failed");
      m_host.SetRightStatus("");
    } catch (...) {
      // The error on its way to the user is the one that counts.
    }
  }
  FailureReport(const FailureReport&) = delete;
  FailureReport& operator=(const FailureReport&) = delete;

 private:
  RunHost& m_host;
  int m_exceptions_before;
};

// Where the KMZ cannot go before anything is written: a folder of that name, or a name that ends
// in a separator.
int OutputPathProblem(const std::string& kmz_path) {
  if (FileNamePart(kmz_path).empty()) return EISDIR;
  struct stat info {};
  if (::stat(kmz_path.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) return EISDIR;
  return 0;
}

constexpr std::array<IconSlot, kIconSlotCount> kIconOrder = {
    IconSlot::Auto,      IconSlot::Diff,    IconSlot::RtkFix, IconSlot::RtkFloat,
    IconSlot::Estimated, IconSlot::Invalid, IconSlot::Grey};

}  // namespace

RunResult SpeedButton3Click(RunHost& host, NMEA& assembler, const Clock& clock) {
  // The log. An empty path names no file.
  const std::string input_path = host.InputPath();
  UniqueFile input(input_path.empty() ? nullptr : std::fopen(input_path.c_str(), "rb"));
  if (!input) {
    return Fail(host, RunOutcome::InputNotOpened, input_path, input_path.empty() ? ENOENT : errno);
  }

  // The KMZ path: the output field's text in the directory of its full path, or of the current
  // directory when it has none; an absolute text stands as it is. The document and the icons go
  // into a private directory beside it and are packed under their own names.
  const std::string output_path = host.OutputPath();
  const std::string output_directory =
      output_path.empty() ? CurrentDirectory() : DirectoryPart(output_path);
  const std::string output_text = host.OutputText();
  const std::string kmz_path = JoinToDirectory(output_directory, output_text);
  if (const int problem = OutputPathProblem(kmz_path)) {
    input.reset();
    return Fail(host, RunOutcome::OutputNotCreated, kmz_path, problem);
  }
  std::optional<IntermediateDirectory> intermediates = IntermediateDirectory::Create(kmz_path);
  if (!intermediates) {
    const int error_number = errno;
    input.reset();
    return Fail(host, RunOutcome::OutputNotCreated, kmz_path, error_number);
  }
  const std::string document_path =
      intermediates->File(FileNamePart(ChangeExtension(output_text, ".kml")));
  UniqueFile document_file(std::fopen(document_path.c_str(), "w"));
  if (!document_file) {
    const int error_number = errno;
    input.reset();
    return Fail(host, RunOutcome::OutputNotCreated, kmz_path, error_number);
  }
  host.SetOutputPath(kmz_path);

  host.SetProgress(0);
  host.SetLeftStatus(" ");
  host.SetRightStatus(" ");
  const RunButtonOff run_button_off(host);
  const FailureReport failure_report(host);
  std::optional<DocumentStream> document(std::in_place, document_file.get());
  WriteDocumentOpening(*document);

  // The arrow icons, one per fix class and the grey one.
  std::vector<std::string> icon_paths;
  for (IconSlot slot : kIconOrder) {
    const WindowColour colour = slot == IconSlot::Grey ? kGreyIconColour : host.ClassColour(slot);
    const std::string name = MakeArrowIcon(colour, intermediates->path(), host);
    host.SetIconFileName(slot, name);
    icon_paths.push_back(intermediates->File(name));
  }

  WriteLineStyle(*document, host.TrackWidthText(), host.TrackColour(), "NormalTrack", host);

  const std::int32_t progress_step = ProgressStep(SizeOf(input.get()));
  host.SetLeftStatus("The progress started");
  const SettingsLock lock(host);

  assembler.Reset();
  EpochList epochs;
  const std::uint64_t sentences =
      ReadEpochList(input.get(), input_path, epochs, assembler, progress_step, host, clock);
  // Random bytes or a file of another kind would give an empty KMZ that looks like a success and
  // replaces the user's earlier one.
  if (sentences == 0) throw TrackmintError("no NMEA sentences in " + input_path);
  const std::int32_t placemarks = WriteOutputPhase(*document, epochs, host, clock);

  // A document that did not reach the disk whole is never packed.
  document->Flush();
  const bool written = !document->Failed() && std::fflush(document_file.get()) == 0;
  const int write_error = written ? 0 : document->Failed() ? document->ErrorNumber() : errno;
  document.reset();
  if (std::fclose(document_file.release()) != 0 || !written) {
    throw TrackmintError("Can't write the output file " + kmz_path + ": " +
                         std::strerror(written ? errno : write_error));
  }
  input.reset();
  epochs.clear();

  // The intermediate files go with their directory when the run ends.
  host.SetLeftStatus("Packing of KMZ-file");
  PackKmz(kmz_path, document_path, icon_paths, host, clock);

  host.SetLeftStatus("The progress finished");
  host.ShowFinalMessage("The progress finished!\n\rInput file " + host.InputText() + "\n\r" +
                        host.RightStatus());
  return {RunOutcome::Finished, placemarks, {}, 0};
}

}  // namespace trackmint
