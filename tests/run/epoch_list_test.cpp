#include "support/epoch_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/satellite_sky.h"  // prints a record of a failed comparison field by field

namespace trackmint {
namespace {

waypoints Numbered(std::size_t i) {
  waypoints record;
  record.time_text = std::to_string(i) + std::string(i % 3 == 0 ? 30 : 0, 't');  // some on the heap
  record.gga_fix_quality = static_cast<std::int32_t>(i);
  return record;
}

TEST(EpochList, KeepsRecordsInOrderAcrossGrowth) {
  EpochList epochs;
  EXPECT_TRUE(epochs.empty());
  constexpr std::size_t kCount = 5000;
  std::vector<const waypoints*> addresses;
  for (std::size_t i = 0; i < kCount; ++i) {
    epochs.push_back(Numbered(i));
    addresses.push_back(&epochs.back());
    ASSERT_EQ(epochs.size(), i + 1);
  }
  for (std::size_t i = 0; i < kCount; ++i) {
    ASSERT_EQ(epochs[i], Numbered(i)) << i;
    ASSERT_EQ(&epochs[i], addresses[i]) << "a record moved";  // records never move
  }
  std::size_t i = 0;
  for (const waypoints& record : epochs) ASSERT_EQ(record.gga_fix_quality, static_cast<int>(i++));
  EXPECT_EQ(i, kCount);
  EXPECT_EQ(epochs.front(), Numbered(0));
}

TEST(EpochList, ClearAndMoveLeaveNothingBehind) {
  EpochList epochs;
  for (std::size_t i = 0; i < 300; ++i) epochs.push_back(Numbered(i));
  EpochList moved = std::move(epochs);
  EXPECT_EQ(moved.size(), 300u);
  EXPECT_EQ(moved[299], Numbered(299));
  EXPECT_TRUE(epochs.empty());  // NOLINT(bugprone-use-after-move): a moved-from list is empty
  moved.clear();
  EXPECT_TRUE(moved.empty());
  EXPECT_EQ(moved.begin(), moved.end());
  moved.push_back(Numbered(7));
  EXPECT_EQ(moved.back(), Numbered(7));
}

}  // namespace
}  // namespace trackmint
