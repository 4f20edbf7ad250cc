// The dialog templates compiled into the program (linked into this test
// program as well), read back from the resources.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <vector>

#include "resource.h"
#include "setup/setup_controls.h"

namespace lumivane::win32 {
namespace {

// A class, title or menu field: nothing, an ordinal, or a text.
struct NameOrOrdinal {
  std::uint16_t ordinal = 0;
  std::string text;
  friend bool operator==(const NameOrOrdinal&, const NameOrOrdinal&) = default;
};

struct DialogItem {
  std::uint32_t style = 0;
  std::uint32_t exStyle = 0;
  std::int16_t x = 0, y = 0, cx = 0, cy = 0;
  std::int32_t id = 0;
  NameOrOrdinal windowClass;
  NameOrOrdinal title;
};

struct DialogTemplate {
  std::uint32_t style = 0;
  std::uint32_t exStyle = 0;
  std::int16_t x = 0, y = 0, cx = 0, cy = 0;
  NameOrOrdinal menu;
  NameOrOrdinal windowClass;
  std::string title;
  std::uint16_t pointSize = 0;
  std::string typeface;
  std::vector<DialogItem> items;
};

// Reads an extended dialog template (DLGTEMPLATEEX and its items).
class TemplateReader {
 public:
  explicit TemplateReader(const BYTE* data) : start_(data), at_(data) {}

  template <typename T>
  T Read() {
    T value;
    std::memcpy(&value, at_, sizeof value);
    at_ += sizeof value;
    return value;
  }
  std::string ReadText() {
    std::string text;
    for (std::uint16_t c = Read<std::uint16_t>(); c != 0; c = Read<std::uint16_t>()) {
      text.push_back(c < 0x80 ? static_cast<char>(c) : '?');
    }
    return text;
  }
  NameOrOrdinal ReadNameOrOrdinal() {
    std::uint16_t first;
    std::memcpy(&first, at_, sizeof first);
    if (first == 0) {
      at_ += 2;
      return {};
    }
    if (first == 0xFFFF) {
      at_ += 2;
      return {Read<std::uint16_t>(), {}};
    }
    return {0, ReadText()};
  }
  void AlignToDword() {
    while ((at_ - start_) % 4 != 0) ++at_;
  }
  void Skip(std::size_t bytes) { at_ += bytes; }

 private:
  const BYTE* start_;
  const BYTE* at_;
};

DialogTemplate LoadTemplate(int id) {
  HMODULE module = GetModuleHandleA(nullptr);
  HRSRC resource = FindResourceA(module, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(5));  // RT_DIALOG
  EXPECT_NE(resource, nullptr);
  if (resource == nullptr) return {};
  TemplateReader in(static_cast<const BYTE*>(LockResource(LoadResource(module, resource))));
  DialogTemplate dialog;
  EXPECT_EQ(in.Read<std::uint16_t>(), 1);       // dlgVer
  EXPECT_EQ(in.Read<std::uint16_t>(), 0xFFFF);  // signature: extended
  in.Read<std::uint32_t>();                     // helpID
  dialog.exStyle = in.Read<std::uint32_t>();
  dialog.style = in.Read<std::uint32_t>();
  const auto count = in.Read<std::uint16_t>();
  dialog.x = in.Read<std::int16_t>();
  dialog.y = in.Read<std::int16_t>();
  dialog.cx = in.Read<std::int16_t>();
  dialog.cy = in.Read<std::int16_t>();
  dialog.menu = in.ReadNameOrOrdinal();
  dialog.windowClass = in.ReadNameOrOrdinal();
  dialog.title = in.ReadText();
  if (dialog.style & DS_SETFONT) {
    dialog.pointSize = in.Read<std::uint16_t>();
    in.Read<std::uint16_t>();  // weight
    in.Read<std::uint8_t>();   // italic
    in.Read<std::uint8_t>();   // charset
    dialog.typeface = in.ReadText();
  }
  for (int i = 0; i < count; ++i) {
    in.AlignToDword();
    DialogItem item;
    in.Read<std::uint32_t>();  // helpID
    item.exStyle = in.Read<std::uint32_t>();
    item.style = in.Read<std::uint32_t>();
    item.x = in.Read<std::int16_t>();
    item.y = in.Read<std::int16_t>();
    item.cx = in.Read<std::int16_t>();
    item.cy = in.Read<std::int16_t>();
    item.id = in.Read<std::int32_t>();
    item.windowClass = in.ReadNameOrOrdinal();
    item.title = in.ReadNameOrOrdinal();
    in.Skip(in.Read<std::uint16_t>());  // creation data
    dialog.items.push_back(item);
  }
  return dialog;
}

TEST(WorldWindowTemplate, IsABareToolWindowWithoutControls) {
  const DialogTemplate dialog = LoadTemplate(IDD_WORLD_WINDOW);
  EXPECT_EQ(dialog.style, 0x90000048u);  // WS_POPUP | WS_VISIBLE | DS_SETFONT | DS_FIXEDSYS
  EXPECT_EQ(dialog.exStyle, 0x80u);      // WS_EX_TOOLWINDOW
  EXPECT_EQ(dialog.cx, 200);
  EXPECT_EQ(dialog.cy, 100);
  EXPECT_EQ(dialog.menu, NameOrOrdinal{});
  EXPECT_EQ(dialog.windowClass, NameOrOrdinal{});
  EXPECT_EQ(dialog.title, "");
  EXPECT_EQ(dialog.pointSize, 8);
  EXPECT_EQ(dialog.typeface, "MS Shell Dlg");
  EXPECT_TRUE(dialog.items.empty());
}

constexpr std::uint32_t kChild = WS_CHILD | WS_VISIBLE;

// The control's class name; the predefined classes may also be stored as
// ordinals, and windres writes names in capitals. Either way the same
// class is found.
std::string ClassName(const NameOrOrdinal& windowClass) {
  if (windowClass.ordinal == 0x80) return "button";
  if (windowClass.ordinal == 0x81) return "edit";
  if (windowClass.ordinal == 0x82) return "static";
  if (windowClass.ordinal == 0x83) return "listbox";
  std::string name = windowClass.text;
  for (char& c : name) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  return name;
}

// The class and the style each kind of control has in the template.
struct KindInTemplate {
  const char* className;
  std::uint32_t style;
};

KindInTemplate InTemplate(SetupControlKind kind) {
  switch (kind) {
    case SetupControlKind::DefaultButton: return {"button", WS_TABSTOP | BS_DEFPUSHBUTTON};
    case SetupControlKind::Button: return {"button", WS_TABSTOP};
    case SetupControlKind::Trackbar:
      return {"msctls_trackbar32", WS_TABSTOP | TBS_AUTOTICKS | TBS_VERT | TBS_BOTH};
    case SetupControlKind::Label:
    case SetupControlKind::Text: return {"static", WS_GROUP};
    case SetupControlKind::CentredLabel: return {"static", WS_GROUP | SS_CENTER};
    case SetupControlKind::GroupBox: return {"button", BS_GROUPBOX};
    case SetupControlKind::CheckBox: return {"button", WS_TABSTOP | BS_AUTOCHECKBOX};
    case SetupControlKind::RadioButton: return {"button", WS_TABSTOP | BS_AUTORADIOBUTTON};
    case SetupControlKind::Icon: return {"static", SS_ICON | SS_SUNKEN};
    case SetupControlKind::ListBox:
      return {"listbox", WS_TABSTOP | WS_BORDER | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT};
    case SetupControlKind::EditField: return {"edit", WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL};
  }
  return {};
}

TEST(SetupTemplates, HoldTheSharedDescriptionOfTheControls) {
  const struct {
    int templateId;
    const char* caption;
    std::int16_t width, height;
    std::span<const SetupControl> controls;
  } dialogs[] = {
      {IDD_SETUP, kSetupCaption, kSetupDialogWidth, kSetupDialogHeight, kSetupControls},
      {IDD_SKY, kSkyCaption, kSkyDialogWidth, kSkyDialogHeight, kSkyControls},
      {IDD_PLACES, kPlacesCaption, kPlacesDialogWidth, kPlacesDialogHeight, kPlacesControls},
  };
  for (const auto& [templateId, caption, width, height, controls] : dialogs) {
    SCOPED_TRACE(::testing::Message() << "template " << templateId);
    const DialogTemplate dialog = LoadTemplate(templateId);
    EXPECT_EQ(dialog.style, 0x80C00048u);  // WS_POPUP | WS_CAPTION | DS_SHELLFONT
    EXPECT_EQ(dialog.x, 0);
    EXPECT_EQ(dialog.y, 0);
    EXPECT_EQ(dialog.cx, width);
    EXPECT_EQ(dialog.cy, height);
    EXPECT_EQ(dialog.title, caption);
    EXPECT_EQ(dialog.pointSize, 8);
    EXPECT_EQ(dialog.typeface, "MS Shell Dlg");

    ASSERT_EQ(dialog.items.size(), controls.size());
    for (std::size_t i = 0; i < controls.size(); ++i) {
      const SetupControl& want = controls[i];
      const DialogItem& item = dialog.items[i];
      SCOPED_TRACE(::testing::Message() << "control #" << i + 1);
      EXPECT_EQ(item.id, want.id);
      EXPECT_EQ(ClassName(item.windowClass), InTemplate(want.kind).className);
      if (want.kind == SetupControlKind::Icon) {
        EXPECT_EQ(item.title.ordinal, IDI_APP_ICON);
      } else {
        EXPECT_EQ(item.title.text, want.text);
      }
      EXPECT_EQ(item.style, kChild | InTemplate(want.kind).style);
      EXPECT_EQ(item.exStyle, 0u);
      EXPECT_EQ(item.x, want.x);
      EXPECT_EQ(item.y, want.y);
      EXPECT_EQ(item.cx, want.width);
      EXPECT_EQ(item.cy, want.height);
    }
  }
}

TEST(Manifest, IsCompiledIn) {
  HMODULE module = GetModuleHandleA(nullptr);
  EXPECT_NE(FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24)), nullptr);
}

// Read from the process the manifest has set up (this test program's is the
// program's own).
TEST(Manifest, MakesTheAnsiCallsUtf8AndTheProcessAwareOfEachMonitorsDpi) {
  EXPECT_EQ(GetACP(), static_cast<UINT>(CP_UTF8));
  EXPECT_EQ(GetAwarenessFromDpiAwarenessContext(GetThreadDpiAwarenessContext()),
            DPI_AWARENESS_PER_MONITOR_AWARE);
}

}  // namespace
}  // namespace lumivane::win32
