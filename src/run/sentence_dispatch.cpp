#include "run/sentence_dispatch.h"

#include <array>

#include "nmea/sentence_parsers.h"

namespace trackmint {
namespace {

void AddRecord(waypoints&& record, Epochs& epochs) {
  if (!epochs.empty() && epochs.back().time_text == record.time_text) {
    MergeRecord(record, epochs.back());
  } else {
    epochs.push_back(std::move(record));
  }
}

void NewRecordFromGGA(std::string_view sentence, Epochs& epochs, const Clock&) {
  waypoints record;
  ParseGGA(sentence, record);
  AddRecord(std::move(record), epochs);
}

void NewRecordFromRMC(std::string_view sentence, Epochs& epochs, const Clock& clock) {
  waypoints record;
  ParseRMC(sentence, record, clock);
  AddRecord(std::move(record), epochs);
}

void AddToLastRecord(void (*parse)(std::string_view, waypoints&), std::string_view sentence,
                     Epochs& epochs) {
  if (!epochs.empty()) parse(sentence, epochs.back());
}

void AddGSV(std::string_view sentence, Epochs& epochs, const Clock&) {
  AddToLastRecord(ParseGSV, sentence, epochs);
}

void AddGSA(std::string_view sentence, Epochs& epochs, const Clock&) {
  AddToLastRecord(ParseGSA, sentence, epochs);
}

void AddRMS(std::string_view sentence, Epochs& epochs, const Clock&) {
  AddToLastRecord(ParseRMS, sentence, epochs);
}

// Which sentence goes where: the identifier is compared at its position in the sentence text
// ("$" is position 0). Standard sentences are matched on the three letters after the talker,
// whatever the talker; the proprietary ones whole.
struct SentenceRoute {
  std::string_view identifier;
  std::size_t position;
  void (*handle)(std::string_view, Epochs&, const Clock&);
};

constexpr std::array<SentenceRoute, 6> kRoutes = {{
    {"GGA", 3, NewRecordFromGGA},
    {"RMC", 3, NewRecordFromRMC},
    {"GSV", 3, AddGSV},
    {"GSA", 3, AddGSA},
    {"PQVXD", 1, AddRMS},
    {"PZQJRZD", 1, AddRMS},
}};

}  // namespace

void DispatchSentence(std::string_view sentence, Epochs& epochs, const Clock& clock) {
  for (const SentenceRoute& route : kRoutes) {
    if (sentence.substr(std::min(route.position, sentence.size())).starts_with(route.identifier)) {
      route.handle(sentence, epochs, clock);
      return;
    }
  }
}

// Only the last record's flags decide, and only the half it lacks is taken; the position, the time
// and the satellites stay the first sentence's. The RMC mode indicator is never carried into an
// epoch that a GGA sentence opened: the icon goes to the first class that the quality or the mode
// names, and many receivers' RMC mode says only "A" or "D" while their GGA reports RTK, so a
// carried mode would show an RTK epoch as autonomous. An epoch that RMC opened keeps its mode.
void MergeRecord(const waypoints& next, waypoints& last) {
  if (last.rmc_flag == 1 && last.gga_flag == 0) {
    last.altitude = next.altitude;
    last.gga_fix_quality = next.gga_fix_quality;
    last.satellites_in_use = next.satellites_in_use;
    last.hdop = next.hdop;
    last.differential_age = next.differential_age;
    last.gga_flag = next.gga_flag;
  } else if (last.gga_flag == 1 && last.rmc_flag == 0) {
    last.speed = next.speed;
    last.course_over_ground = next.course_over_ground;
    last.rmc_status = next.rmc_status;
    // A record that only GGA sentences made has no date yet: it takes the RMC sentence's.
    last.date_text += next.date_text;
    last.date_source = next.date_source;
    last.rmc_flag = next.rmc_flag;
  }
}

}  // namespace trackmint
