#include "run/conversion_run.h"

#include <exception>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/number_format.h"
#include "base/paths.h"
#include "base/trackmint_error.h"
#include "base/whole_file.h"
#include "kml/document_stream.h"
#include "kml/kml_document.h"
#include "kml/placemark_table.h"
#include "kmz/arrow_icon.h"
#include "kmz/kmz_archive.h"
#include "kmz/kmz_file.h"
#include "kmz/parallel_deflate.h"
#include "picture/picture_file.h"
#include "picture/run_picture.h"
#include "picture/track_picture.h"
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
  return {outcome, {}, std::move(path), error_number, 0, {}, {}};
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

// The picture's line at the top: the log, the span with the receiver's dates and the duration,
// and the length of the valid track.
std::string PictureTitle(const std::vector<std::string>& input_paths,
                         const DocumentSummary& summary) {
  std::string title = input_paths.empty() ? std::string() : FileNamePart(input_paths.front());
  if (input_paths.size() > 1) {
    title += " and " + FormatDecimal(static_cast<long long>(input_paths.size() - 1)) + " more";
  }
  return title + ": " + SpanText(summary) + ", valid track " +
         FormatFixed(summary.track_metres / 1000.0, 3) + " km";
}

// Where the table of the placemarks goes a piece at a time: its file, written whole at the end.
class WholeFileSink final : public PieceSink {
 public:
  explicit WholeFileSink(WholeFile& file) : m_file(file) {}
  std::unique_ptr<char[]> TakePiece(std::unique_ptr<char[]> piece, std::size_t size) override {
    m_file.Append({reinterpret_cast<const unsigned char*>(piece.get()), size});
    return piece;
  }

 private:
  WholeFile& m_file;
};

// The table's stream: into its file, or into the result's text for "-".
struct PlacemarkTableOutput {
  std::optional<WholeFile> file;
  std::optional<WholeFileSink> sink;
  std::optional<DocumentStream> stream;
  std::optional<PlacemarkTable> table;
};

constexpr std::string_view kTableNoun = "table file";
constexpr std::size_t kTablePieceSize = std::size_t{1} << 16;

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

  // The KMZ is written unnamed in its folder and takes its path only when it is complete; so
  // are the picture and the table, when they are wanted as files. No two of them may be one.
  std::optional<KmzFile> kmz;
  std::vector<OtherOutput> others;
  if (!request.picture_path.empty()) {
    others.push_back({request.picture_path, "it is the picture file"});
  }
  const bool table_to_file = !request.table_path.empty() && request.table_path != "-";
  if (table_to_file) others.push_back({request.table_path, "it is the table file"});
  try {
    kmz.emplace(request.kmz_path, inputs.DescriptorMatching(request.kmz_path),
                WholeFile::Kind::Unnamed, others);
  } catch (const KmzNotCreated& error) {
    inputs.CloseAll();
    return Fail(observer, RunOutcome::OutputNotCreated, request.kmz_path, error.ErrorNumber());
  }
  std::optional<PictureFile> picture_file;
  if (!request.picture_path.empty()) {
    picture_file.emplace(request.picture_path, inputs.DescriptorMatching(request.picture_path),
                         request.kmz_path);
  }
  std::string table_text;
  PlacemarkTableOutput table;
  if (table_to_file) {
    std::vector<OtherOutput> table_others = {{request.kmz_path, "it is the output file"}};
    if (picture_file) table_others.push_back({request.picture_path, "it is the picture file"});
    table.file.emplace(request.table_path, std::string(kTableNoun),
                       inputs.DescriptorMatching(request.table_path), WholeFile::Kind::Unnamed,
                       table_others);
    table.sink.emplace(*table.file);
    table.stream.emplace(*table.sink, kTablePieceSize);
  } else if (!request.table_path.empty()) {
    table.stream.emplace(table_text, kTablePieceSize);
  }
  if (table.stream) table.table.emplace(*table.stream);
  std::optional<RunPicture> picture;
  if (request.draw_picture || picture_file) {
    picture.emplace();
    picture->class_colours = request.settings.class_colours;
    picture->input_name = inputs.Names();
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
  if (table.table) document.TablePlacemarksIn(*table.table);
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
  const DocumentSummary summary = document.Summary();
  if (table.stream) table.stream->Flush();
  std::vector<unsigned char> picture_png;
  if (picture) {
    picture->placemarks_by_class = summary.placemarks_by_class;
    picture->placemarks = summary.placemarks;
    picture->title = PictureTitle(request.input_paths, summary);
    // The track's own vertices, which the document needs no more.
    picture->vertices = document.TakeValidTrack();
    picture_png = DrawTrackPicture(*picture);
    picture.reset();
    if (picture_file) picture_file->Append(picture_png);
  }

  observer.ReportPhase(RunPhase::Packing);
  deflate.Finish();
  archive.EndMember(deflate.Crc32(), deflate.CompressedSize(), deflate.UncompressedSize());
  for (const ArrowIcon& icon : icons) archive.AddMember(icon.file_name, icon.png);
  archive.Finish();
  // The last moment a request to stop can keep the earlier KMZ and picture.
  observer.TakeTurn();
  kmz->Commit();
  if (picture_file) picture_file->Commit();
  if (table.file) table.file->Commit();

  observer.ReportPhase(RunPhase::Finished);
  return {RunOutcome::Finished, summary, {}, 0, inputs.Count(), std::move(picture_png),
          std::move(table_text)};
}

}  // namespace trackmint
