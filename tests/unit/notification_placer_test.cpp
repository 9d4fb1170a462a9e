#include <gtest/gtest.h>

#include "alarm/notification_placer.h"

namespace {

class PlacerTest : public ::testing::Test {
 protected:
  WorkArea area{0, 0, 1280, 1024};
  NotificationPlacer placer{[this] { return area; }};
};

TEST_F(PlacerTest, FirstWindowSitsSixteenPastTheCentre) {
  // Centre: 640 - 100 - 5, 512 - 78 - 5.
  EXPECT_EQ(placer.X(), 535);
  EXPECT_EQ(placer.Y(), 429);
  const auto first = placer.Next();
  EXPECT_EQ(first.x, 551);
  EXPECT_EQ(first.y, 445);
  placer.Opened();
  const auto second = placer.Next();
  EXPECT_EQ(second.x, 567);
  EXPECT_EQ(second.y, 461);
}

TEST_F(PlacerTest, StartsAgainFromTheCentreOnceAllAreClosed) {
  placer.Next();
  placer.Opened();
  placer.Next();
  placer.Opened();
  placer.Closed();
  EXPECT_EQ(placer.Next().x, 583);  // one still open: keeps cascading
  placer.Closed();
  placer.Closed();  // never below zero
  EXPECT_EQ(placer.OpenCount(), 0);
  EXPECT_EQ(placer.Next().x, 551);
}

TEST_F(PlacerTest, SlidesAlongAnEdgeThenJumpsToTheCorner) {
  area = WorkArea{100, 50, 500, 1000};  // narrow: the right edge comes first
  placer.Opened();
  auto p = placer.Next();  // recentring is skipped while windows are open
  for (int i = 0; i < 20; ++i) p = placer.Next();
  EXPECT_EQ(p.x, 300);  // right - width
  EXPECT_LT(p.y, 1000 - 156);
  // Within 16 pixels of both limits: the corner.
  area = WorkArea{100, 50, 500, p.y + 156 + 10};
  p = placer.Next();
  EXPECT_EQ(p.x, 100);
  EXPECT_EQ(p.y, 50);
}

TEST_F(PlacerTest, CentreUsesTheWorkAreaOffsets) {
  area = WorkArea{-1280, 30, 0, 1054};  // a monitor left of the primary one
  const auto p = placer.Next();
  EXPECT_EQ(p.x, -640 - 100 - 5 + 16);
  EXPECT_EQ(p.y, 542 - 78 - 5 + 16);
}

TEST_F(PlacerTest, AtOneAndAHalfTimesTheScaleWindowsStayOnTheWorkArea) {
  // Centre: 640 - 150 - 5 + 24, 512 - 117 - 5 + 24.
  auto p = placer.Next(144);
  EXPECT_EQ(p.x, 509);
  EXPECT_EQ(p.y, 414);
  placer.Opened();
  for (int i = 0; i < 40; ++i) {
    p = placer.Next(144);
    ASSERT_LE(p.x + 300, 1280);
    ASSERT_LE(p.y + 234, 1024);
  }
}

TEST(PlacerCount, OpenCountStopsAtOneHundred) {
  NotificationPlacer placer{[] { return WorkArea{0, 0, 800, 600}; }};
  for (int i = 0; i < 150; ++i) placer.Opened();
  EXPECT_EQ(placer.OpenCount(), 100);
}

}  // namespace
