#include <set>
#include <string>

#include "core/frame_clock.h"
#include "core/game_state.h"
#include "draw_fixture.h"

namespace vx {
namespace {

class LayerTest : public test::DrawTest {
 protected:
  void SetUp() override {
    DrawTest::SetUp();
    test::WriteArchive("_data.loc", {{"img\\chrset1.tga", test::MakeTga(512, 512)},
                                     {"pho\\one.tga", test::MakeTga(512, 512)},
                                     {"pho\\two.tga", test::MakeTga(256, 128)},
                                     {"img\\text.tga", "not a picture at all"},
                                     {"img\\musiccredit.tga", test::MakeTga(256, 256)}});
    created_ = rig_->gpu.textures.size();
  }
  // Textures made since the fixture's own sheet.
  std::size_t Loads() const { return rig_->gpu.textures.size() - created_; }
  std::size_t created_ = 0;
};

TEST_F(LayerTest, SameIdLoadsOnceAndDrawsEveryFrame) {
  for (int frame = 0; frame < 3; ++frame) {
    rig_->gpu.BeginFrame();
    EXPECT_TRUE(game_DisplayLayer(7, "pho\\one.tga", 100));
    ASSERT_EQ(Drawn().size(), 1u);
    const platform::SpriteDraw& s = Drawn()[0];
    EXPECT_FLOAT_EQ(s.x, 0);
    EXPECT_FLOAT_EQ(s.y, 0);
    EXPECT_FLOAT_EQ(s.right, 512);
    EXPECT_FLOAT_EQ(s.bottom, 512);
    EXPECT_FLOAT_EQ(s.scaleX, 1);
  }
  EXPECT_EQ(Loads(), 1u);
  EXPECT_TRUE(rig_->dialogs.shown.empty());
}

TEST_F(LayerTest, AlternatingIdsReloadEveryCall) {
  for (int frame = 0; frame < 4; ++frame) {
    bool odd = frame % 2;
    game_DisplayLayer(odd ? 8 : 7, odd ? "pho\\two.tga" : "pho\\one.tga", 100);
  }
  EXPECT_EQ(Loads(), 4u);
  EXPECT_EQ(rig_->gpu.LiveTextures(), 2);  // the sheet and the one picture the slot holds
  EXPECT_FLOAT_EQ(Drawn().back().right, 256);
}

TEST_F(LayerTest, MissingMemberReportsOnceAndKeepsThePicture) {
  game_DisplayLayer(7, "pho\\one.tga", 100);
  const unsigned picture = Drawn().back().texture;
  for (int frame = 0; frame < 3; ++frame) {
    rig_->gpu.BeginFrame();
    EXPECT_TRUE(game_DisplayLayer(9, "pho\\gone.tga", 100));
    ASSERT_EQ(Drawn().size(), 1u);
    EXPECT_EQ(Drawn()[0].texture, picture);
  }
  ASSERT_EQ(rig_->dialogs.shown.size(), 1u);
  EXPECT_EQ(rig_->dialogs.shown[0].text, "pho\\gone.tga");
  EXPECT_EQ(rig_->dialogs.shown[0].caption, "game_DisplayLayer()");
}

TEST_F(LayerTest, MemberThatIsNoImageLeavesTheSlotEmpty) {
  game_DisplayLayer(7, "pho\\one.tga", 100);
  rig_->gpu.BeginFrame();
  EXPECT_FALSE(game_DisplayLayer(8, "img\\text.tga", 100));
  EXPECT_TRUE(Drawn().empty());
  EXPECT_EQ(layers.screen.texture, nullptr);
  ASSERT_EQ(rig_->dialogs.shown.size(), 1u);
  EXPECT_EQ(rig_->dialogs.shown[0].text, "img\\text.tga");
}

TEST_F(LayerTest, EachCallReportsUnderItsOwnCaption) {
  game_DisplayLayerZoom(1, "a.tga", 100, 1);
  game_DisplayLayerPart(1, "b.tga", 100, 0, 0, 0, 0, 1, 1, 1, 0);
  game_DisplayLayerchr1(1, "c.tga", 100, 0, 0, 0, 0, 1, 1, 1, 0);
  game_DisplayLayerNumber(2, "d.tga", 100, 0, 0, 0, 0, 10, 10, 1, 0, 5);
  const char* kCaptions[] = {"game_DisplayLayer()", "game_DisplayLayer()",
                             "game_DisplayLayerchr1()", "game_DisplayLayerNumber()"};
  const char* kTexts[] = {"a.tga", "b.tga", "c.tga", "d.tga"};
  ASSERT_EQ(rig_->dialogs.shown.size(), 4u);
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(rig_->dialogs.shown[i].caption, kCaptions[i]);
    EXPECT_EQ(rig_->dialogs.shown[i].text, kTexts[i]);
  }
  EXPECT_TRUE(Drawn().empty());
}

TEST_F(LayerTest, ZoomScalesAboutTheSurfaceCentre) {
  game_DisplayLayerZoom(7, "pho\\one.tga", 50, 2);
  ASSERT_EQ(Drawn().size(), 1u);
  EXPECT_FLOAT_EQ(Drawn()[0].x, -256);
  EXPECT_FLOAT_EQ(Drawn()[0].y, -256);
  EXPECT_FLOAT_EQ(Drawn()[0].scaleX, 2);
  EXPECT_FLOAT_EQ(Drawn()[0].scaleY, 2);
  EXPECT_EQ(Drawn()[0].colour, 0x7FFFFFFFu);
}

TEST_F(LayerTest, PartAnchorsOnTheTwoSheets) {
  // A 40 x 20 rectangle at scale 2 placed at (100, 100).
  const struct {
    bool second;
    int anchor;
    float x, y;
  } kCases[] = {
      {false, 0, 100, 100}, {false, 1, 60, 80}, {false, 2, 20, 80}, {false, 3, 60, 100},
      {true, 0, 100, 100},  {true, 1, 60, 80},  {true, 2, 20, 80},  {true, 3, 100, 100},
  };
  for (const auto& c : kCases) {
    rig_->gpu.sprites.clear();
    bool drawn =
        c.second
            ? game_DisplayLayerchr1(3, "pho\\two.tga", 100, 100, 100, 10, 5, 50, 25, 2, c.anchor)
            : game_DisplayLayerPart(3, "pho\\two.tga", 100, 100, 100, 10, 5, 50, 25, 2, c.anchor);
    SCOPED_TRACE(c.second * 10 + c.anchor);
    EXPECT_TRUE(drawn);
    ASSERT_EQ(Drawn().size(), 1u);
    EXPECT_FLOAT_EQ(Drawn()[0].x, c.x);
    EXPECT_FLOAT_EQ(Drawn()[0].y, c.y);
    EXPECT_FLOAT_EQ(Drawn()[0].left, 10);
    EXPECT_FLOAT_EQ(Drawn()[0].bottom, 25);
  }
  EXPECT_EQ(Loads(), 2u);  // one per sheet
}

TEST_F(LayerTest, NumberOnTheLayerSheet) {
  const struct {
    int align, value;
    float firstX, firstY, returned;
  } kCases[] = {
      {0, 305, 100, 100, 160},  // three glyphs of 10 x 2
      {1, 305, 70, 84, 130},    // centred on (100, 100)
      {2, 305, 40, 84, 100},    // right edge on 100
      {0, -3, 100, 100, 120},   // negative values show 0
  };
  for (const auto& c : kCases) {
    rig_->gpu.sprites.clear();
    float returned = game_DisplayLayerNumber(4, "pho\\one.tga", 100, 100, 100, 200, 40, 10, 16, 2,
                                             c.align, c.value);
    SCOPED_TRACE(c.align);
    EXPECT_FLOAT_EQ(returned, c.returned);
    ASSERT_FALSE(Drawn().empty());
    EXPECT_FLOAT_EQ(Drawn()[0].x, c.firstX);
    EXPECT_FLOAT_EQ(Drawn()[0].y, c.firstY);
  }
  // 305: digits 3, 0, 5 cut at 200 + d x 10.
  ASSERT_EQ(Drawn().size(), 1u);  // the last case: a single 0
  EXPECT_FLOAT_EQ(Drawn()[0].left, 200);
  rig_->gpu.sprites.clear();
  game_DisplayLayerNumber(4, "pho\\one.tga", 100, 0, 0, 200, 40, 10, 16, 1, 0, 305);
  ASSERT_EQ(Drawn().size(), 3u);
  const float kLeft[] = {230, 200, 250};
  for (int i = 0; i < 3; ++i) {
    EXPECT_FLOAT_EQ(Drawn()[i].left, kLeft[i]);
    EXPECT_FLOAT_EQ(Drawn()[i].right, kLeft[i] + 10);
    EXPECT_FLOAT_EQ(Drawn()[i].top, 40);
    EXPECT_FLOAT_EQ(Drawn()[i].bottom, 56);
  }
}

class MusicCreditTest : public LayerTest {
 protected:
  // Runs frames in the given state; returns for each whether the strip was drawn and
  // checks the strip's row.
  std::vector<bool> Run(int state, int frames, int row) {
    std::vector<bool> drawn;
    flow.gameState = state;
    for (int i = 0; i < frames; ++i) {
      rig_->gpu.BeginFrame();
      bool shown = DrawMusicCredit(100, 256, 256, 1, 1);
      EXPECT_EQ(shown, !Drawn().empty());
      if (shown) {
        EXPECT_FLOAT_EQ(Drawn()[0].top, 25.0f * row);
        EXPECT_FLOAT_EQ(Drawn()[0].bottom, 25.0f * row + 24);
        EXPECT_FLOAT_EQ(Drawn()[0].x, 256 - 127.5f);
        EXPECT_FLOAT_EQ(Drawn()[0].y, 244);
      }
      drawn.push_back(shown);
    }
    return drawn;
  }
};

TEST_F(MusicCreditTest, EnteringStageInfoBlinksTheWorldsRowForTenSeconds) {
  frameClock.frameStep = 10;
  flow.stageNumber = 2 * flow.stagesPerWorld + 5;  // world 2
  std::vector<bool> drawn = Run(StageInfo, 230, 6);
  // Countdown after frame i (from 0): 1990 - 10 i; shown while it mod 200 is 100 or more.
  for (int i = 0; i < 230; ++i) {
    int countdown = 1990 - 10 * i;
    bool expected = countdown >= 0 && i < 200 && countdown % 200 >= 100;
    EXPECT_EQ(drawn[i], expected) << "frame " << i;
  }
}

TEST_F(MusicCreditTest, StayingInTheTitleDoesNotRestartTheCountdown) {
  frameClock.frameStep = 20;
  std::vector<bool> first = Run(Title, 100, 0);
  EXPECT_TRUE(first[0]);
  EXPECT_FALSE(first.back());
  std::vector<bool> again = Run(Title, 50, 0);
  for (bool shown : again) EXPECT_FALSE(shown);
  Run(Play, 1, 0);  // any other state shows nothing
  std::vector<bool> back = Run(Title, 10, 0);
  EXPECT_TRUE(back[0]);
}

TEST_F(MusicCreditTest, MissingImageShowsNothingAndNoMessage) {
  test::WriteArchive("_data.loc", {{"img\\chrset1.tga", test::MakeTga(8, 8)}});
  frameClock.frameStep = 10;
  std::vector<bool> drawn = Run(Title, 30, 0);
  for (bool shown : drawn) EXPECT_FALSE(shown);
  EXPECT_FALSE(layers.creditLoaded);
  EXPECT_TRUE(rig_->dialogs.shown.empty());
}

TEST_F(MusicCreditTest, StageSetArchiveIsTriedFirst) {
  test::WriteArchive("_data2.loc", {{"img\\musiccredit.tga", test::MakeTga(64, 64)}});
  flow.stageSet = 2;
  frameClock.frameStep = 10;
  Run(Title, 1, 0);
  ASSERT_NE(layers.creditImage, nullptr);
  EXPECT_EQ(layers.creditImage->width, 64);
}

// Each id of the list names a picture of its own: an id given another picture would draw
// from the wrong sheet, two ids for one picture would load it twice.
TEST(LayerIds, EachIdNamesAPictureOfItsOwn) {
  std::set<int> ids;
  std::set<std::string> images;
  for (LayerId id : kLayerIds) {
    EXPECT_TRUE(ids.insert(id).second) << id;
    const std::string image = LayerImage(id);
    EXPECT_EQ(image.substr(0, 4), "img\\") << id;
    EXPECT_EQ(image.substr(image.size() - 4), ".tga") << id;
    EXPECT_TRUE(images.insert(image).second) << image;
  }
  EXPECT_STREQ(LayerImage(0), "");
}

}  // namespace
}  // namespace vx
