#include "run/conversion_run.h"

#include <exception>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/trackmint_error.h"
#include "kml/document_stream.h"
#include "kml/kml_document.h"
#include "kmz/arrow_icon.h"
#include "kmz/kmz_archive.h"
#include "kmz/kmz_file.h"
#include "kmz/parallel_deflate.h"
#include "run/epoch_stream.h"
#include "run/input_phase.h"
#include "run/log_inputs.h"
#include "run/progress_gauge.h"

namespace trackmint {
namespace {

// A run that cannot open its files says so and ends before it began.
RunResult Fail(RunObserver& observer, RunOutcome outcome, std::string path, int error_number) {
  observer.ReportPhase(outcome == RunOutcome::InputNotOpened ? RunPhase::InputNotOpened
                                                             : RunPhase::OutputNotCreated);
  observer.TakeTurn();
  return {outcome, {}, std::move(path), error_number};
}

// A run that ends with an error leaves a gauge and a phase that say so, not the figures of a
// half-done run that read like a success.
class FailureReport {
 public:
  explicit FailureReport(ProgressGauge& gauge, RunObserver& observer)
      : m_gauge(gauge), m_observer(observer), m_exceptions_before(std::uncaught_exceptions()) {}
  ~FailureReport() {
    if (std::uncaught_exceptions() == m_exceptions_before) return;
    try {
      m_gauge.Reset();
      m_observer.ReportPhase(RunPhase::Failed);
    } catch (...) {
      // The error on its way to the user is the one that counts.
    }
  }
  FailureReport(const FailureReport&) = delete;
  FailureReport& operator=(const FailureReport&) = delete;

 private:
  ProgressGauge& m_gauge;
  RunObserver& m_observer;
  int m_exceptions_before;
};

// The seven arrow icons in the colours of the fix classes and the grey one, in slot order.
std::vector<ArrowIcon> MakeArrowIcons(const ConversionSettings& settings) {
  std::vector<ArrowIcon> icons;
  for (const FixClass& fix_class : kFixClasses) {
    icons.push_back(
        MakeArrowIcon(fix_class.slot == IconSlot::Grey
                          ? kGreyIconColour
                          : settings.class_colours[static_cast<std::size_t>(fix_class.slot)]));
  }
  return icons;
}

KmlDocument::IconFileNames FileNamesOf(const std::vector<ArrowIcon>& icons) {
  KmlDocument::IconFileNames names;
  for (std::size_t i = 0; i < names.size(); ++i) names[i] = icons[i].file_name;
  return names;
}

}  // namespace

RunResult RunConversion(const ConversionRequest& request, RunObserver& observer, NMEA& assembler,
                        const Clock& clock) {
  // The logs, every one of them before anything is written.
  LogInputs inputs;
  if (const std::optional<InputFailure> failure = inputs.Open(request.input_paths)) {
    return Fail(observer, RunOutcome::InputNotOpened, failure->path, failure->error_number);
  }

  // The KMZ is written unnamed in its folder and takes its path only when it is complete.
  std::optional<KmzFile> kmz;
  try {
    kmz.emplace(request.kmz_path, inputs.DescriptorMatching(request.kmz_path));
  } catch (const KmzNotCreated& error) {
    inputs.CloseAll();
    return Fail(observer, RunOutcome::OutputNotCreated, request.kmz_path, error.ErrorNumber());
  }

  ProgressGauge gauge(inputs.TotalSize(), observer);
  gauge.Reset();
  observer.ReportPhase(RunPhase::Started);
  const FailureReport failure_report(gauge, observer);

  // The document goes from the writers through the deflate workers straight into the KMZ.
  KmzArchive archive(*kmz, clock);
  archive.BeginMember(request.member_name);
  ParallelDeflate deflate(archive.MemberData(), DocumentStream::kDefaultCapacity,
                          request.deflate_workers);
  DocumentStream stream(deflate, DocumentStream::kDefaultCapacity);
  const std::vector<ArrowIcon> icons = MakeArrowIcons(request.settings);
  KmlDocument document(stream, request.settings, FileNamesOf(icons), clock);
  document.WriteOpening();
  document.WriteNormalTrackStyle();
  observer.ReportPhase(RunPhase::Reading);

  // Each epoch's placemark is written the moment the epoch is final.
  assembler.Reset();
  document.BeginWaypoints();
  EpochStream epochs([&document](waypoints& record) { document.AddEpoch(record); });
  const std::uint64_t sentences = ReadLogs(inputs, epochs, assembler, gauge, observer, clock);
  // Random bytes or a file of another kind would give an empty KMZ that looks like a success and
  // replaces the user's earlier one.
  if (sentences == 0) throw TrackmintError("no NMEA sentences in " + inputs.Names());
  epochs.Finish();

  observer.ReportPhase(RunPhase::Writing);
  observer.ReportPlacemarks(document.EndWaypoints());
  document.WriteTracksAndClosing();
  stream.Flush();

  observer.ReportPhase(RunPhase::Packing);
  deflate.Finish();
  archive.EndMember(deflate.Crc32(), deflate.CompressedSize(), deflate.UncompressedSize());
  for (const ArrowIcon& icon : icons) archive.AddMember(icon.file_name, icon.png);
  archive.Finish();
  // The last moment a request to stop can keep the earlier KMZ.
  observer.TakeTurn();
  kmz->Commit();

  observer.ReportPhase(RunPhase::Finished);
  return {RunOutcome::Finished, document.Summary(), {}, 0, inputs.Count()};
}

}  // namespace trackmint
