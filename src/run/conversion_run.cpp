#include "run/conversion_run.h"

#include <sys/stat.h>

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
#include "kml/document_stream.h"
#include "kml/kml_document.h"
#include "kmz/arrow_icon.h"
#include "kmz/kmz_archive.h"
#include "kmz/kmz_file.h"
#include "kmz/parallel_deflate.h"
#include "run/epoch_stream.h"
#include "run/input_phase.h"
#include "run/run_summary.h"

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
  explicit SettingsLock(RunHost& host) : m_host(host) { m_host.SetSettingsLocked(true); }
  ~SettingsLock() { m_host.SetSettingsLocked(false); }
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
  host.ReportPhase(outcome == RunOutcome::InputNotOpened ? RunPhase::InputNotOpened
                                                         : RunPhase::OutputNotCreated);
  host.ProcessPendingEvents();
  return {outcome, {}, std::move(path), error_number};
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
      m_host.ReportPhase(RunPhase::Failed);
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

// The seven arrow icons in the colours of the fix classes and the grey one, in slot order.
std::vector<ArrowIcon> MakeArrowIcons(const RunHost& host) {
  std::vector<ArrowIcon> icons;
  for (const IconSlot slot : kIconOrder) {
    const WindowColour colour = slot == IconSlot::Grey ? kGreyIconColour : host.ClassColour(slot);
    icons.push_back(MakeArrowIcon(host.ResolveColour(colour)));
  }
  return icons;
}

KmlDocument::IconFileNames FileNamesOf(const std::vector<ArrowIcon>& icons) {
  KmlDocument::IconFileNames names;
  for (std::size_t i = 0; i < names.size(); ++i) names[i] = icons[i].file_name;
  return names;
}

}  // namespace

RunResult SpeedButton3Click(RunHost& host, NMEA& assembler, const Clock& clock) {
  // The log. An empty path names no file.
  const std::string input_path = host.InputPath();
  UniqueFile input(input_path.empty() ? nullptr : std::fopen(input_path.c_str(), "rb"));
  if (!input) {
    return Fail(host, RunOutcome::InputNotOpened, input_path, input_path.empty() ? ENOENT : errno);
  }

  // The KMZ path: the output field's text in the directory of its full path, or of the current
  // directory when it has none; an absolute text stands as it is. The KMZ is written unnamed in
  // that directory and takes the path only when it is complete.
  const std::string output_path = host.OutputPath();
  const std::string output_directory =
      output_path.empty() ? CurrentDirectory() : DirectoryPart(output_path);
  const std::string output_text = host.OutputText();
  const std::string kmz_path = JoinToDirectory(output_directory, output_text);
  std::optional<KmzFile> kmz;
  try {
    kmz.emplace(kmz_path, fileno(input.get()));
  } catch (const KmzNotCreated& error) {
    input.reset();
    return Fail(host, RunOutcome::OutputNotCreated, kmz_path, error.ErrorNumber());
  }
  host.SetOutputPath(kmz_path);

  host.SetProgress(0);
  host.ReportPhase(RunPhase::Started);
  const RunButtonOff run_button_off(host);
  const FailureReport failure_report(host);

  // The document goes from the writers through the deflate workers straight into the KMZ.
  KmzArchive archive(*kmz, clock);
  archive.BeginMember(FileNamePart(ChangeExtension(output_text, ".kml")));
  ParallelDeflate deflate(archive.MemberData(), DocumentStream::kDefaultCapacity);
  DocumentStream stream(deflate, DocumentStream::kDefaultCapacity);
  const std::vector<ArrowIcon> icons = MakeArrowIcons(host);
  KmlDocument document(stream, host.Settings(), host, FileNamesOf(icons), clock);
  document.WriteOpening();
  document.WriteNormalTrackStyle();

  const std::int32_t progress_step = ProgressStep(SizeOf(input.get()));
  host.ReportPhase(RunPhase::Reading);
  const SettingsLock lock(host);

  // Each epoch's placemark is written the moment the epoch is final.
  assembler.Reset();
  document.BeginWaypoints();
  EpochStream epochs([&document](waypoints& record) { document.AddEpoch(record); });
  const std::uint64_t sentences =
      ReadEpochList(input.get(), input_path, epochs, assembler, progress_step, host, clock);
  // Random bytes or a file of another kind would give an empty KMZ that looks like a success and
  // replaces the user's earlier one.
  if (sentences == 0) throw TrackmintError("no NMEA sentences in " + input_path);
  epochs.Finish();
  input.reset();

  host.ReportPhase(RunPhase::Writing);
  const std::int32_t placemarks = document.EndWaypoints();
  host.ReportPlacemarks(placemarks);
  document.WriteTracksAndClosing();
  stream.Flush();

  host.ReportPhase(RunPhase::Packing);
  deflate.Finish();
  archive.EndMember(deflate.Crc32(), deflate.CompressedSize(), deflate.UncompressedSize());
  for (const ArrowIcon& icon : icons) archive.AddMember(icon.file_name, icon.png);
  archive.Finish();
  // The last moment a request to stop can keep the earlier KMZ.
  host.ProcessPendingEvents();
  kmz->Commit();

  host.ReportPhase(RunPhase::Finished);
  const DocumentSummary summary = document.Summary();
  std::string message = "The progress finished!\n\rInput file " + host.InputText() + "\n\r" +
                        WaypointsText(placemarks);
  for (const std::string& line : SummaryLines(summary)) message += "\n\r" + line;
  host.ShowFinalMessage(message);
  return {RunOutcome::Finished, summary, {}, 0};
}

}  // namespace trackmint
