#include "nmea/nmea.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/sentences.h"

namespace trackmint {
namespace {

using testing::Sentence;

constexpr const char* kGga = "$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47";

struct Fed {
  std::vector<int> results;            // PutByte's result for every byte
  std::vector<std::string> sentences;  // the destination after every result 1
};

Fed FeedAll(NMEA& assembler, const std::string& bytes) {
  Fed fed;
  SentenceText destination;
  for (unsigned char byte : bytes) {
    const int result = assembler.PutByte(byte, destination);
    fed.results.push_back(result);
    if (result == NMEA::kSentenceReady) fed.sentences.emplace_back(destination.View());
  }
  return fed;
}

std::vector<std::string> Sentences(const std::string& bytes) {
  NMEA assembler;
  return FeedAll(assembler, bytes).sentences;
}

TEST(NmeaPutByte, HandsOnACheckedSentenceAtItsSecondDigitOnly) {
  NMEA assembler;
  const Fed fed = FeedAll(assembler, std::string(kGga) + "\r\n");
  const std::size_t second_digit = std::string(kGga).size() - 1;
  for (std::size_t i = 0; i < fed.results.size(); ++i) {
    EXPECT_EQ(fed.results[i], i == second_digit ? 1 : 0) << "byte " << i;
  }
  ASSERT_EQ(fed.sentences.size(), 1u);
  EXPECT_EQ(fed.sentences[0], kGga);
}

TEST(NmeaPutByte, ChecksumCases) {
  struct Case {
    const char* legend;
    std::string bytes;
    int last_result;
  };
  const std::vector<Case> cases = {
      {"upper-case digits", "$GPGSA,A,3,04,05,,09,12,,,24,,,,,2.5,1.3,2.1*39", 1},
      {"lower-case digits name the same value",
       "$GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W*6a", 1},
      {"wrong digits", "$GPGSA,A,3,04,05,,09,12,,,24,,,,,2.5,1.3,2.1*38", -1},
      {"digits that are no hex", "$GPGSA,A,3,04,05,,09,12,,,24,,,,,2.5,1.3,2.1*3G", -1},
      {"body whose exclusive or is zero, digits 00", "$AA*00", 1},
      {"empty body", "$*00", 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.legend);
    NMEA assembler;
    const Fed fed = FeedAll(assembler, c.bytes);
    EXPECT_EQ(fed.results.back(), c.last_result);
    EXPECT_EQ(fed.sentences.size(), c.last_result == 1 ? 1u : 0u);
  }
}

TEST(NmeaPutByte, WrongChecksumLeavesTheDestinationAlone) {
  NMEA assembler;
  SentenceText destination;
  for (char c : std::string("$AA*00"))
    assembler.PutByte(static_cast<unsigned char>(c), destination);
  for (char c : std::string("$AB*00"))
    assembler.PutByte(static_cast<unsigned char>(c), destination);
  EXPECT_EQ(destination.View(), "$AA*00");
}

TEST(NmeaPutByte, StreamCases) {
  const std::string rmc =
      Sentence("GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W,A");
  struct Case {
    const char* legend;
    std::string bytes;
    std::vector<std::string> sentences;
  };
  const std::vector<Case> cases = {
      {"a line without * is dropped at the next $",
       "$GPGGA,no,star\r\n" + std::string(kGga) + "\r\n",
       {kGga}},
      {"bytes outside sentences are ignored",
       "noise\r\n\x01\xff" + std::string(kGga) + "trailing",
       {kGga}},
      {"a sentence cut after its * loses the next $ and fails",
       "$GPGGA,1*" + rmc + "\r\n" + std::string(kGga),
       {kGga}},
      {"$ and * after the * are lost, the sentence goes on", "$AA*$*0*$0", {"$AA*00"}},
      {"a sentence cut by the end of the data is lost", std::string(kGga).substr(0, 40), {}},
      {"consecutive sentences without line ends", std::string(kGga) + rmc, {kGga, rmc}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.legend);
    EXPECT_EQ(Sentences(c.bytes), c.sentences);
  }
}

TEST(NmeaPutByte, SentenceLimitIsOneHundredCharacters) {
  // "$" + body + "*" + two digits: a body of 96 characters makes exactly 100.
  const std::string fits = Sentence(std::string(96, 'A'));
  ASSERT_EQ(fits.size(), 100u);
  EXPECT_EQ(Sentences(fits), std::vector<std::string>{fits});

  const std::string too_long = Sentence(std::string(97, 'A'));
  NMEA assembler;
  const Fed fed = FeedAll(assembler, too_long + std::string(kGga));
  EXPECT_EQ(fed.sentences, std::vector<std::string>{kGga});
  // The 101st character would have been the second digit: dropped, nothing handed on.
  EXPECT_EQ(fed.results[100], 0);

  // A long run without "*" never overflows and a later "$" still starts a sentence.
  EXPECT_EQ(Sentences("$" + std::string(5000, 'x') + kGga), std::vector<std::string>{kGga});
  // After the drop the assembler waits for "$": the rest of the long line is ignored.
  EXPECT_EQ(Sentences("$" + std::string(120, 'x') + "*00" + kGga), std::vector<std::string>{kGga});
}

TEST(NmeaPutByte, PiecesOfEverySizeGiveTheSameSentences) {
  std::string log;
  log += "garbage $GPGGA,broken\r\n";
  log += std::string(kGga) + "\r\n";
  log += Sentence("GPGSV,2,1,08,01,40,083,46,02,17,308,41,12,07,344,39,14,22,228,45") + "\r\n";
  log += "$GPGSA,A,3,04,05,,09,12,,,24,,,,,2.5,1.3,2.1*38\r\n";  // wrong checksum
  log += Sentence("PQVXD,A,2.7") + "\n";
  const std::vector<std::string> expected = {
      kGga, Sentence("GPGSV,2,1,08,01,40,083,46,02,17,308,41,12,07,344,39,14,22,228,45"),
      Sentence("PQVXD,A,2.7")};

  for (std::size_t piece = 1; piece <= 7; ++piece) {
    SCOPED_TRACE("piece size " + std::to_string(piece));
    NMEA assembler;
    std::vector<std::string> got;
    for (std::size_t start = 0; start < log.size(); start += piece) {
      const Fed fed = FeedAll(assembler, log.substr(start, piece));
      got.insert(got.end(), fed.sentences.begin(), fed.sentences.end());
    }
    EXPECT_EQ(got, expected);
  }
}

TEST(NmeaPutByte, ResetForgetsAHalfSentence) {
  NMEA assembler;
  FeedAll(assembler, "$GPGGA,1234");
  assembler.Reset();
  EXPECT_EQ(FeedAll(assembler, "56*00" + std::string(kGga)).sentences,
            std::vector<std::string>{kGga});
}

std::vector<std::string> Split(const std::string& sentence) {
  NMEA assembler;
  assembler.SplitFields(sentence);
  std::vector<std::string> fields;
  for (int i = 0; i < assembler.FieldCount(); ++i) fields.emplace_back(assembler.Field(i));
  return fields;
}

TEST(NmeaSplitFields, Cases) {
  struct Case {
    const char* legend;
    std::string sentence;
    std::vector<std::string> fields;
  };
  const std::vector<Case> cases = {
      {"empty fields before the * count", "$GPGSA,A,3,,,*6E", {"$GPGSA", "A", "3", "", "", ""}},
      {"the checksum digits are no field", "$PQVXD,A,2.7*hh", {"$PQVXD", "A", "2.7"}},
      {"an empty last field", "$GPGGA,,*hh", {"$GPGGA", "", ""}},
      {"a field is cut at 19 characters",
       "$X," + std::string(25, '7') + ",b*hh",
       {"$X", std::string(19, '7'), "b"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.legend);
    EXPECT_EQ(Split(c.sentence), c.fields);
  }
}

TEST(NmeaSplitFields, FieldsPastTheTwentiethAreIgnoredAndFieldsPastTheEndAreEmpty) {
  std::string sentence = "$X";
  for (int i = 1; i < 30; ++i) sentence += "," + std::to_string(i);
  sentence += "*00";
  NMEA assembler;
  assembler.SplitFields(sentence);
  ASSERT_EQ(assembler.FieldCount(), 20);
  EXPECT_EQ(assembler.Field(19), "19");
  EXPECT_EQ(assembler.Field(20), "");
  EXPECT_EQ(assembler.Field(-1), "");

  // A later, shorter split leaves nothing of the earlier one behind.
  assembler.SplitFields("$Y,a*00");
  EXPECT_EQ(assembler.FieldCount(), 2);
  EXPECT_EQ(assembler.Field(2), "");
}

}  // namespace
}  // namespace trackmint

namespace trackmint {
namespace {

// The block path must do exactly what PutByte does byte by byte, for any bytes cut anywhere.
TEST(NmeaPutBlock, GivesWhatPutByteGivesForAnyBytes) {
  const std::string alphabet = "$$**,,0123456789ABCDEFabcdefGPGGA\r\n\x01\xff";
  std::uint64_t state = 12345;
  auto next = [&state] {
    state = state * 6364136223846793005ull + 1442695040888963407ull;
    return static_cast<std::size_t>(state >> 33);
  };
  for (int round = 0; round < 300; ++round) {
    std::string bytes;
    const std::size_t length = next() % 3000;
    for (std::size_t i = 0; i < length; ++i) {
      // Mostly valid sentences with noise between them, so both paths hand sentences on.
      if (next() % 40 == 0) {
        bytes += testing::Sentence("GPGGA," + std::to_string(next() % 1000) +
                                   std::string(next() % 120, 'x'));
      } else {
        bytes += alphabet[next() % alphabet.size()];
      }
    }
    NMEA by_byte;
    const std::vector<std::string> expected = FeedAll(by_byte, bytes).sentences;

    NMEA by_block;
    std::vector<std::string> got;
    SentenceText destination;
    for (std::size_t start = 0; start < bytes.size();) {
      const std::size_t piece = std::min(bytes.size() - start, 1 + next() % 200);
      by_block.PutBlock(
          reinterpret_cast<const unsigned char*>(bytes.data() + start), piece, destination,
          [&got](const SentenceText& sentence) { got.emplace_back(sentence.View()); });
      start += piece;
    }
    ASSERT_EQ(got, expected) << "round " << round;
  }
}

}  // namespace
}  // namespace trackmint
