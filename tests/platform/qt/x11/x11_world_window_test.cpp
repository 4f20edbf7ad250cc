// The world window on a real X server, seen by another client: exposes that
// Qt could answer from its own copy of the window, z-order changes that Qt
// could keep queued, and what its dialogs are transient for.
#include <xcb/xcb.h>

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <thread>

#include "platform/qt/qt_message_box.h"
#include "platform/qt/qt_world_window.h"
#include "qt_world_window_fixture.h"

namespace lumivane::testing {
namespace {

// Whether Qt has blocked the window it watches for a modal one.
class BlockWatch final : public QObject {
 public:
  bool blocked = false;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::WindowBlocked) blocked = true;
    if (event->type() == QEvent::WindowUnblocked) blocked = false;
    return QObject::eventFilter(watched, event);
  }
};

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

  xcb_atom_t Atom(const char* name) {
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
        other_, xcb_intern_atom(other_, 0, static_cast<std::uint16_t>(std::strlen(name)), name),
        nullptr);
    const xcb_atom_t atom = reply != nullptr ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    std::free(reply);
    return atom;
  }

  // The window a WINDOW property of `window` names, or none.
  xcb_window_t WindowProperty(xcb_window_t window, xcb_atom_t property) {
    xcb_get_property_reply_t* reply = xcb_get_property_reply(
        other_, xcb_get_property(other_, 0, window, property, XCB_ATOM_WINDOW, 0, 1), nullptr);
    xcb_window_t named = XCB_WINDOW_NONE;
    if (reply != nullptr && xcb_get_property_value_length(reply) == 4) {
      named = *static_cast<const xcb_window_t*>(xcb_get_property_value(reply));
    }
    std::free(reply);
    return named;
  }

  // The other client announces itself as a window manager of this name, as
  // window managers do: a window of its own named on the root and on itself.
  void AnnounceWindowManager(const std::string& name) {
    const xcb_window_t check = xcb_generate_id(other_);
    xcb_create_window(other_, XCB_COPY_FROM_PARENT, check, root_, 0, 0, 1, 1, 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT, 0, nullptr);
    const xcb_atom_t supporting = Atom("_NET_SUPPORTING_WM_CHECK");
    xcb_change_property(other_, XCB_PROP_MODE_REPLACE, check, Atom("_NET_WM_NAME"),
                        Atom("UTF8_STRING"), 8, static_cast<std::uint32_t>(name.size()),
                        name.data());
    for (const xcb_window_t window : {check, root_}) {
      xcb_change_property(other_, XCB_PROP_MODE_REPLACE, window, supporting, XCB_ATOM_WINDOW, 32, 1,
                          &check);
    }
    Sync();
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

// Window managers keep a dialog above the window it is transient for, and Qt
// blocks that window while the dialog is modal. Under weston's, whose shell
// crashes on a dialog transient for a utility window, the world's dialogs are
// transient for the program's window group, and the world is blocked still.
TEST_F(X11WorldWindowTest, TheWorldsDialogsAreTransientForItOrUnderWestonForItsGroup) {
  const struct {
    const char* windowManager;  // announced by the other client, if any
    bool setupDialog;           // or a message box
    bool forGroup;
  } cases[] = {{nullptr, true, false},
               {nullptr, false, false},
               {"Openbox", true, false},
               {"Weston WM", true, true},
               {"Weston WM", false, true}};
  for (const auto& c : cases) {
    const std::string name = c.windowManager != nullptr ? c.windowManager : "none";
    SCOPED_TRACE(name + (c.setupDialog ? ", setup dialog" : ", message box"));
    if (c.windowManager != nullptr) AnnounceWindowManager(c.windowManager);
    const auto window = StartedWindow();
    const auto id = static_cast<xcb_window_t>(window->winId());
    BlockWatch watch;
    window->windowHandle()->installEventFilter(&watch);

    xcb_window_t transientFor = XCB_WINDOW_NONE;
    bool blocked = false;
    QTimer::singleShot(0, window.get(), [&] {
      QWidget* dialog = QApplication::activeModalWidget();
      ASSERT_NE(dialog, nullptr);
      const auto dialogId = static_cast<xcb_window_t>(dialog->winId());
      const xcb_atom_t property = XCB_ATOM_WM_TRANSIENT_FOR;
      EXPECT_TRUE(
          QTest::qWaitFor([&] { return WindowProperty(dialogId, property) != XCB_WINDOW_NONE; }));
      transientFor = WindowProperty(dialogId, property);
      blocked = watch.blocked;
      dialog->close();
    });
    if (c.setupDialog) {
      window->RunSetupDialog();
    } else {
      QtMessageBox(window.get(), QStringLiteral("Lumivane")).ShowMessage("A message");
    }

    const xcb_window_t leader = WindowProperty(id, Atom("WM_CLIENT_LEADER"));
    ASSERT_NE(leader, XCB_WINDOW_NONE);
    EXPECT_EQ(transientFor, c.forGroup ? leader : id);
    EXPECT_TRUE(blocked);
    xcb_delete_property(other_, root_, Atom("_NET_SUPPORTING_WM_CHECK"));
    Sync();
  }
}

}  // namespace
}  // namespace lumivane::testing
