// The world window on a real X server, seen by another client: exposes that
// Qt could answer from its own copy of the window, and z-order changes that
// Qt could keep queued.
#include <xcb/xcb.h>

#include <QTest>
#include <chrono>
#include <cstdlib>
#include <thread>

#include "platform/qt/qt_world_window.h"
#include "qt_world_window_fixture.h"

namespace lumivane::testing {
namespace {

class X11WorldWindowTest : public QtShellTest {
 protected:
  void SetUp() override {
    QtShellTest::SetUp();
    Store("options/tray", 0);
    other_ = xcb_connect(nullptr, nullptr);
    ASSERT_EQ(xcb_connection_has_error(other_), 0);
    root_ = xcb_setup_roots_iterator(xcb_get_setup(other_)).data->root;
  }
  void TearDown() override {
    xcb_disconnect(other_);
    QtShellTest::TearDown();
  }

  std::unique_ptr<QtWorldWindow> StartedWindow() {
    auto window = std::make_unique<QtWorldWindow>(Services());
    window->Start();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    return window;
  }

  // A window of the other client over the world window's place, mapped.
  xcb_window_t Cover() {
    const xcb_window_t cover = xcb_generate_id(other_);
    xcb_create_window(other_, XCB_COPY_FROM_PARENT, cover, root_, 50, 50, 200, 100, 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT, 0, nullptr);
    xcb_map_window(other_, cover);
    Sync();
    return cover;
  }

  // Waits until the server has handled the other client's requests.
  void Sync() {
    std::free(xcb_get_input_focus_reply(other_, xcb_get_input_focus(other_), nullptr));
  }

  // Whether the server stacks `window` above `other` now.
  bool StackedAbove(xcb_window_t window, xcb_window_t other) {
    xcb_query_tree_reply_t* tree =
        xcb_query_tree_reply(other_, xcb_query_tree(other_, root_), nullptr);
    if (tree == nullptr) return false;
    const xcb_window_t* children = xcb_query_tree_children(tree);  // bottom to top
    int windowAt = -1;
    int otherAt = -1;
    for (int i = 0; i < xcb_query_tree_children_length(tree); ++i) {
      if (children[i] == window) windowAt = i;
      if (children[i] == other) otherAt = i;
    }
    std::free(tree);
    return windowAt > otherAt;
  }

  xcb_connection_t* other_ = nullptr;
  xcb_window_t root_ = 0;
};

TEST_F(X11WorldWindowTest, EveryExposePaintsThroughTheCoresPaintRule) {
  const auto window = StartedWindow();
  const auto id = static_cast<xcb_window_t>(window->winId());
  const auto recomputedNow = [&] {
    return window->core().composer().lastComputeTime() == clock_.now;
  };
  ASSERT_TRUE(recomputedNow());

  const xcb_window_t cover = Cover();
  clock_.now += 300;                // a refresh is due
  xcb_unmap_window(other_, cover);  // uncovers the map
  Sync();
  EXPECT_TRUE(QTest::qWaitFor(recomputedNow)) << "after uncovering";

  xcb_unmap_window(other_, id);
  Sync();
  QTest::qWait(100);
  clock_.now += 300;
  xcb_map_window(other_, id);
  Sync();
  EXPECT_TRUE(QTest::qWaitFor(recomputedNow)) << "after mapping again";
}

TEST_F(X11WorldWindowTest, ZOrderChangesReachTheServerWithoutWaitingForEvents) {
  const auto window = StartedWindow();
  const auto id = static_cast<xcb_window_t>(window->winId());
  const xcb_window_t cover = Cover();
  ASSERT_FALSE(StackedAbove(id, cover));

  const struct {
    ZOrder order;
    bool above;
  } steps[] = {{ZOrder::Top, true},
               {ZOrder::Bottom, false},
               {ZOrder::Topmost, true},
               {ZOrder::Bottom, false},
               {ZOrder::NotTopmost, true}};
  for (const auto& step : steps) {
    window->SetZOrder(step.order);
    // No Qt event is handled meanwhile: a queued request would stay queued.
    bool reached = false;
    for (int tries = 0; tries < 50 && !reached; ++tries) {
      reached = StackedAbove(id, cover) == step.above;
      if (!reached) std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    EXPECT_TRUE(reached) << "z-order " << static_cast<int>(step.order);
  }
}

}  // namespace
}  // namespace lumivane::testing
