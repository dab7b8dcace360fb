// The stored form description: the real main window as the build compiles
// it, the writer and reader agreeing field for field, and the reader's
// refusal of every kind of damaged input without reading out of bounds.
#include "runtime/window/form_description.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "app/main_window_form.h"
#include "fakes/gbk.h"
#include "whole_file.h"

namespace pelmora {
namespace {

using fake::Utf8ToGbk;

const std::string& RealForm() {
  static const std::string bytes = testing::WholeFile(PELMORA_FORM_BINARY).value_or("");
  return bytes;
}

// Reads from a heap copy of exactly `size` bytes, so that AddressSanitizer
// sees any read past the end.
bool Read(const std::string& bytes, FormDescription* out) {
  std::vector<unsigned char> copy(bytes.begin(), bytes.end());
  return ReadFormDescription(copy.data(), copy.size(), out);
}

bool Reads(const std::string& bytes) {
  FormDescription form;
  return Read(bytes, &form);
}

std::string Word(std::uint32_t v) {
  std::string s;
  for (int i = 0; i < 4; ++i) s.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
  return s;
}

void PutWord(std::string* bytes, std::size_t at, std::uint32_t v) { bytes->replace(at, 4, Word(v)); }

std::uint32_t GetWord(const std::string& bytes, std::size_t at) {
  std::uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = v << 8 | static_cast<unsigned char>(bytes[at + i]);
  return v;
}

// ---------------------------------------------------------------------------
// The real main window.

// The units in table order, by what the program binds and writes to; their
// ids and places are the form source's own.
struct ExpectedUnit {
  UnitKind kind;
  const char* name;  // UTF-8
  bool in_group;
  std::uint32_t flags;
  std::int32_t event;    // 99 = no binding
  std::int32_t handler;
};

constexpr std::size_t kCaptionIndex = 4, kBarIndex = 5, kGroupIndex = 7;
const ExpectedUnit kUnits[] = {
    {UnitKind::kWindow, u8"", false, kFlagVisible, kEventCreated, kOnNoticeCreated},
    {UnitKind::kLabel, u8"标签4", false, kFlagVisible, kEventLeftButtonDown, kOnStoreLinkPressed},
    {UnitKind::kLabel, u8"标签2", false, kFlagVisible, kEventLeftButtonDown,
     kOnProductLinkPressed},
    {UnitKind::kLabel, u8"标签3", false, kFlagVisible, 99, 0},
    {UnitKind::kLabel, u8"标签1", true, kFlagVisible, 99, 0},
    {UnitKind::kProcessBar, u8"进度条1", false, kFlagVisible, 99, 0},
    {UnitKind::kButton, u8"按钮1", false, kFlagVisible | kFlagTabStop, kEventClicked,
     kOnStartClicked},
    {UnitKind::kGroupBox, u8"分组框1", false, kFlagVisible, 99, 0},
};

class RealFormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(RealForm().empty()) << "missing " << PELMORA_FORM_BINARY;
    ASSERT_TRUE(Read(RealForm(), &form_));
    ASSERT_EQ(form_.windows.size(), 1u);
  }
  const WindowRecord& window() const { return form_.windows[0]; }
  const UnitRecord& unit(std::size_t k) const { return form_.windows[0].units[k]; }

  FormDescription form_;
};

TEST_F(RealFormTest, WindowRecordHoldsTheMainWindowAndItsSevenUnitsInTableOrder) {
  EXPECT_EQ(window().window_id, kMainWindowId);
  ASSERT_EQ(window().units.size(), std::size(kUnits));
  EXPECT_EQ(unit(kBarIndex).id, kProgressBarUnit);
  for (std::size_t k = 0; k < std::size(kUnits); ++k) {
    SCOPED_TRACE(kUnits[k].name);
    const ExpectedUnit& e = kUnits[k];
    const UnitRecord& u = unit(k);
    EXPECT_EQ(u.kind, e.kind);
    EXPECT_EQ(u.name, Utf8ToGbk(e.name));
    EXPECT_EQ(u.parent_id, e.in_group ? unit(kGroupIndex).id : 0);
    EXPECT_EQ(u.flags, e.flags);
    EXPECT_EQ(u.mouse_pointer, std::string(4, '\0')) << "length 4 holding pointer number 0";
    if (e.event == 99) {
      EXPECT_TRUE(u.events.empty());
    } else {
      ASSERT_EQ(u.events.size(), 1u);
      EXPECT_EQ(u.events[0].event_number, e.event);
      EXPECT_EQ(u.events[0].handler_reference, e.handler);
    }
    if (u.kind == UnitKind::kGroupBox) {
      EXPECT_EQ(u.children, std::vector<std::int32_t>{unit(kCaptionIndex).id});
      EXPECT_FALSE(u.has_kind_data);
    } else {
      EXPECT_TRUE(u.children.empty());
      EXPECT_TRUE(u.has_kind_data);
    }
  }
}

TEST_F(RealFormTest, WindowIsAFixedDialogCentredThatEscClosesWithItsTitle) {
  const WindowData& d = unit(0).window;
  EXPECT_EQ(d.border_style, 2);
  EXPECT_EQ(d.start_position, kStartCentred);
  EXPECT_EQ(d.esc_closes, 1);
  EXPECT_EQ(d.title, "Pelmora");
}

// The icon's own form is checked where the program carries it as its icon.
TEST_F(RealFormTest, IconIsTheCommittedIconFile) {
  const std::string source = PELMORA_FORM_SOURCE;
  const std::string icon = source.substr(0, source.rfind('/') + 1) + "pelmora.ico";
  EXPECT_EQ(unit(0).window.icon_file, testing::WholeFile(icon));
}

TEST_F(RealFormTest, LabelsCarryTheirCaptionsColoursAndAlignments) {
  struct {
    std::size_t index;
    const char* caption;
    std::uint32_t text_color;
    std::int32_t horizontal;
  } const labels[] = {
      {1, u8"到【Kestrova】购买正版MathType", 0x00FF0000u, 1},
      {2, u8"免费下载公式识别软件【Quenvelo】", 0x00FF0000u, 1},
      {3, u8"开发商：Vantoru Inc. 免费软件", 0, 0},
      {4, u8"执行进度：", 0, 0},
  };
  for (const auto& e : labels) {
    SCOPED_TRACE(e.caption);
    const UnitRecord& u = unit(e.index);
    EXPECT_EQ(u.kind_data_version, 2);
    const LabelData& l = u.label;
    EXPECT_EQ(l.caption, Utf8ToGbk(e.caption));
    EXPECT_EQ(l.text_color, e.text_color);
    EXPECT_EQ(l.horizontal_alignment, e.horizontal);
    EXPECT_EQ(l.vertical_alignment, 1);
  }
}

TEST_F(RealFormTest, ProgressBarAndButtonKindData) {
  const UnitRecord& bar = unit(kBarIndex);
  EXPECT_EQ(bar.process_bar.minimum, 0);
  EXPECT_EQ(bar.process_bar.maximum, 100);

  const UnitRecord& button = unit(6);
  EXPECT_EQ(button.button.horizontal_alignment, 1);
  EXPECT_EQ(button.button.vertical_alignment, 1);
  EXPECT_EQ(button.button.caption, Utf8ToGbk(u8"开始将MathType面板嵌入WPS"));
}

TEST_F(RealFormTest, StoredLayoutFramesTheUnitTableExactly) {
  // Window index of one window, then the record: its unit table's byte
  // length must reach exactly to the end of the description.
  const std::string& bytes = RealForm();
  EXPECT_EQ(GetWord(bytes, 0), 8u);
  EXPECT_EQ(GetWord(bytes, 4), static_cast<std::uint32_t>(kMainWindowId));
  EXPECT_EQ(GetWord(bytes, 28), window().units.size()) << "unit count";
  EXPECT_EQ(GetWord(bytes, 32), bytes.size() - 36) << "unit table length";
  EXPECT_EQ(GetWord(bytes, 36 + 32), 0u) << "unit 0 at offset 0";
  EXPECT_EQ(WriteFormDescription(form_), bytes) << "the writer reproduces the build's bytes";
}

// ---------------------------------------------------------------------------
// Writer and reader agree.

UnitRecord Unit(std::int32_t id, UnitKind kind, std::int32_t version) {
  UnitRecord u;
  u.id = id;
  u.kind = kind;
  u.name = "u" + std::to_string(id);
  u.remark = "remark";
  u.left = -3;
  u.top = 7;
  u.width = 1000;
  u.height = 0x7FFFFFFF;
  u.mouse_pointer = Word(static_cast<std::uint32_t>(-1)) + "cursor file bytes";
  u.tag = Utf8ToGbk(u8"标记");
  u.flags = kFlagVisible | kFlagDisabled | kFlagTabStop | 0x100;
  u.events = {{0, 3}, {-1, kNoHandler}, {5, 1}};
  u.has_kind_data = version > 0;
  u.kind_data_version = version;
  return u;
}

// Every field set away from its default, so a field the reader skips or
// misplaces changes the bytes written back.
FormDescription Sample(std::int32_t window_version, std::int32_t label_version) {
  FormDescription form;
  WindowRecord w;
  w.window_id = 0x52010001;
  w.word1 = 0x1234;
  w.word2 = 0x19010003;
  w.text1 = "first";
  w.text2 = Utf8ToGbk(u8"第二");
  UnitRecord own = Unit(0x06010000, UnitKind::kWindow, window_version);
  own.name.clear();
  WindowData& d = own.window;
  d.border_style = 5;
  d.setting = 9;
  d.back_color = 0x00123456;
  d.maximize_box = 1;
  d.minimize_box = 0;
  d.control_box = 0;
  d.start_position = 3;
  d.movable = 0;
  d.sound_play_mode = 2;
  d.enter_moves_focus = 1;
  d.esc_closes = 0;
  d.settings_a[0] = 11;
  d.settings_a[1] = 12;
  d.show_in_taskbar = 0;
  d.settings_b[0] = 13;
  d.settings_b[1] = 14;
  d.always_on_top = 1;
  d.setting_v5 = 15;
  d.text_v6 = "v6";
  d.font = std::string(60, 'F');
  d.icon_file = std::string(5000, '\x7f');  // crosses the reader's buffer
  d.sound = "snd";
  d.title = Utf8ToGbk(u8"标题");
  d.trailing_text = "tail";
  w.units.push_back(own);

  UnitRecord label = Unit(0x16010001, UnitKind::kLabel, label_version);
  LabelData& l = label.label;
  l.effect = 1;
  l.setting = 2;
  l.border_style = 5;
  l.effect_colors[0] = 1;
  l.effect_colors[1] = 2;
  l.effect_colors[2] = 3;
  l.text_color = 0x00FF0000;
  l.back_color = 4;
  l.choices[0] = 5;
  l.choices[1] = 6;
  l.colors[0] = 7;
  l.colors[1] = 8;
  l.colors[2] = 9;
  l.horizontal_alignment = 2;
  l.vertical_alignment = 2;
  l.word_wrap = 1;
  l.picture = "pic";
  l.font = std::string(60, 'L');
  l.caption = Utf8ToGbk(u8"标签文字");
  l.extra_blocks[0] = "x1";
  l.extra_blocks[1] = "x2";
  label.parent_id = 0x16010004;
  w.units.push_back(label);

  UnitRecord button = Unit(0x16010002, UnitKind::kButton, 1);
  button.button = ButtonData{1, 2, 0, "bf", "bp", "caption"};
  w.units.push_back(button);

  UnitRecord bar = Unit(0x16010003, UnitKind::kProcessBar, 1);
  bar.process_bar = ProcessBarData{5, 1, 1, -10, 32767, 40000};
  w.units.push_back(bar);

  UnitRecord group = Unit(0x16010004, UnitKind::kGroupBox, 0);
  group.children = {0x16010001, 0x16010002};
  w.units.push_back(group);
  form.windows.push_back(w);

  // A second window with only its own record, so the index has two entries.
  WindowRecord second;
  second.window_id = 0x52010002;
  second.units.push_back(Unit(0x06010000, UnitKind::kWindow, 0));
  form.windows.push_back(second);
  return form;
}

TEST(FormRoundTrip, EveryFieldSurvivesWriteThenRead) {
  const std::string bytes = WriteFormDescription(Sample(6, 2));
  FormDescription read;
  ASSERT_TRUE(Read(bytes, &read));
  EXPECT_EQ(WriteFormDescription(read), bytes);

  ASSERT_EQ(read.windows.size(), 2u);
  EXPECT_EQ(read.windows[1].window_id, 0x52010002);
  const WindowRecord& w = read.windows[0];
  EXPECT_EQ(w.text2, Utf8ToGbk(u8"第二"));
  ASSERT_EQ(w.units.size(), 5u);
  EXPECT_EQ(w.units[0].window.icon_file, std::string(5000, '\x7f'));
  EXPECT_EQ(w.units[0].window.setting_v5, 15);
  EXPECT_EQ(w.units[1].label.caption, Utf8ToGbk(u8"标签文字"));
  EXPECT_EQ(w.units[1].label.extra_blocks[1], "x2");
  EXPECT_EQ(w.units[1].events.size(), 3u);
  EXPECT_EQ(w.units[1].events[1].handler_reference, kNoHandler);
  EXPECT_EQ(w.units[3].process_bar.position, 40000) << "the reader stores, the engine clamps";
  EXPECT_EQ(w.units[4].children, (std::vector<std::int32_t>{0x16010001, 0x16010002}));
  EXPECT_FALSE(w.units[4].has_kind_data);
  EXPECT_EQ(w.units[2].mouse_pointer.substr(4), "cursor file bytes");
}

TEST(FormRoundTrip, OlderKindDataVersionsStoreFewerFieldsAndKeepDefaults) {
  for (std::int32_t version = 1; version <= kWindowDataVersion; ++version) {
    SCOPED_TRACE(version);
    const std::string bytes = WriteFormDescription(Sample(version, 1));
    FormDescription read;
    ASSERT_TRUE(Read(bytes, &read));
    EXPECT_EQ(WriteFormDescription(read), bytes);
    const UnitRecord& own = read.windows[0].units[0];
    EXPECT_EQ(own.kind_data_version, version);
    EXPECT_EQ(own.window.show_in_taskbar, version >= 2 ? 0 : WindowData().show_in_taskbar);
    EXPECT_EQ(own.window.always_on_top, version >= 3 ? 1 : 0);
    EXPECT_EQ(own.window.setting_v5, version >= 5 ? 15 : 0);
    EXPECT_EQ(own.window.text_v6, version >= 6 ? "v6" : "");
    EXPECT_EQ(own.window.title, Utf8ToGbk(u8"标题"));
    const LabelData& l = read.windows[0].units[1].label;
    EXPECT_EQ(l.caption, Utf8ToGbk(u8"标签文字"));
    EXPECT_EQ(l.extra_blocks[0], "") << "version 1 labels store no extra blocks";
  }
}

TEST(FormRoundTrip, ValuesAtEveryByteOffsetReadBackWhole) {
  // Moves every later field through a hundred offsets, one byte at a time:
  // values are assembled from bytes wherever they lie.
  for (std::size_t length = 4000; length < 4110; ++length) {
    FormDescription form = Sample(6, 2);
    form.windows[0].units[0].window.icon_file = std::string(length, 'i');
    const std::string bytes = WriteFormDescription(form);
    FormDescription read;
    ASSERT_TRUE(Read(bytes, &read)) << length;
    ASSERT_EQ(WriteFormDescription(read), bytes) << length;
  }
}

TEST(FormRoundTrip, AnEmptyIndexIsAnEmptyDescription) {
  FormDescription read;
  read.windows.resize(3);
  ASSERT_TRUE(Read(Word(0), &read));
  EXPECT_TRUE(read.windows.empty());
  EXPECT_EQ(WriteFormDescription(FormDescription()), Word(0));
}

// ---------------------------------------------------------------------------
// Damaged input fails cleanly.

TEST(FormDamage, EveryTruncationOfTheRealFormFails) {
  const std::string& bytes = RealForm();
  ASSERT_FALSE(bytes.empty());
  for (std::size_t length = 0; length < bytes.size(); ++length) {
    ASSERT_FALSE(Reads(bytes.substr(0, length))) << "accepted a cut at " << length;
  }
  EXPECT_FALSE(Reads(bytes + '\0')) << "a byte past the last window";
  EXPECT_TRUE(Reads(bytes));
}

TEST(FormDamage, NoInputOrNoOutputFails) {
  FormDescription form;
  EXPECT_FALSE(ReadFormDescription(nullptr, 0, &form));
  const std::string& bytes = RealForm();
  EXPECT_FALSE(ReadFormDescription(reinterpret_cast<const unsigned char*>(bytes.data()),
                                   bytes.size(), nullptr));
}

// Offsets into a description written from Sample(6, 2): one window index of
// two entries (4 + 16 bytes), then the first window's record.
struct SampleLayout {
  std::string bytes = WriteFormDescription(Sample(6, 2));
  std::size_t record = 4 + 16;                 // word1
  std::size_t text1 = record + 8;
  std::size_t unit_count = text1 + 4 + 5 + 4 + 4;  // "first", GBK "第二"
  std::size_t table_length = unit_count + 4;
  std::size_t ids = table_length + 4;
  std::size_t offsets = ids + 5 * 4;
  std::size_t records = offsets + 5 * 4;
  // The label, unit 1: its size word and the fields after its name.
  std::size_t label = records + GetWord(bytes, offsets + 4);
};

TEST(FormDamage, LayoutHelperFindsTheFieldsItNames) {
  SampleLayout s;
  EXPECT_EQ(GetWord(s.bytes, s.unit_count), 5u);
  EXPECT_EQ(GetWord(s.bytes, s.ids + 4), 0x16010001u);
  EXPECT_EQ(GetWord(s.bytes, s.label + 4), static_cast<std::uint32_t>(UnitKind::kLabel));
}

TEST(FormDamage, CorruptWindowIndexFails) {
  for (std::uint32_t length : {1u, 4u, 12u, 0x80000000u, 0xFFFFFFF8u, 0x7FFFFFF8u, 24u}) {
    SampleLayout s;
    PutWord(&s.bytes, 0, length);
    EXPECT_FALSE(Reads(s.bytes)) << length;
  }
}

TEST(FormDamage, CorruptTextLengthsFail) {
  for (std::uint32_t length : {0xFFFFFFFFu, 0x80000000u, 0x7FFFFFFFu, 6u, 4u}) {
    SampleLayout s;
    PutWord(&s.bytes, s.text1, length);
    EXPECT_FALSE(Reads(s.bytes)) << length;
  }
}

TEST(FormDamage, CorruptUnitCountOrTableLengthFails) {
  for (std::uint32_t count : {0u, 4u, 6u, 0xFFFFFFFFu, 0x7FFFFFFFu, 0x20000000u}) {
    SampleLayout s;
    PutWord(&s.bytes, s.unit_count, count);
    EXPECT_FALSE(Reads(s.bytes)) << "count " << count;
  }
  SampleLayout original;
  const std::uint32_t table = GetWord(original.bytes, original.table_length);
  for (std::uint32_t length : {table - 1, table + 1, 0u, 39u, 0xFFFFFFFFu, 0x7FFFFFFFu}) {
    SampleLayout s;
    PutWord(&s.bytes, s.table_length, length);
    EXPECT_FALSE(Reads(s.bytes)) << "table length " << length;
  }
}

TEST(FormDamage, OffsetsThatDoNotPointAtTheirRecordFail) {
  SampleLayout original;
  for (std::size_t k = 0; k < 5; ++k) {
    const std::uint32_t offset = GetWord(original.bytes, original.offsets + 4 * k);
    for (std::uint32_t wrong : {offset + 1, offset - 1, offset + 4, 0xFFFFFFFFu, 0x7FFFFFFFu}) {
      SampleLayout s;
      PutWord(&s.bytes, s.offsets + 4 * k, wrong);
      EXPECT_FALSE(Reads(s.bytes)) << "unit " << k << " offset " << wrong;
    }
  }
}

TEST(FormDamage, CorruptRecordSizeFails) {
  SampleLayout original;
  const std::uint32_t size = GetWord(original.bytes, original.label);
  for (std::uint32_t wrong : {size - 1, size + 1, 0u, 3u, 0xFFFFFFFFu, 0x7FFFFFFFu}) {
    SampleLayout s;
    PutWord(&s.bytes, s.label, wrong);
    EXPECT_FALSE(Reads(s.bytes)) << wrong;
  }
}

// Builds a description of one window whose units are the given raw records
// (each already a complete body without its size word), with correct index,
// table length and offsets, so each test damages only the record itself.
std::string WithRawRecords(const std::vector<std::string>& bodies) {
  std::string records;
  std::string ids, offsets;
  for (std::size_t k = 0; k < bodies.size(); ++k) {
    ids += Word(0x16010000u + static_cast<std::uint32_t>(k));
    offsets += Word(static_cast<std::uint32_t>(records.size()));
    records += Word(static_cast<std::uint32_t>(bodies[k].size())) + bodies[k];
  }
  const std::string table = ids + offsets + records;
  return Word(8) + Word(0x52010001) + Word(0) + Word(0) + Word(0) + Word(0) + Word(0) +
         Word(static_cast<std::uint32_t>(bodies.size())) +
         Word(static_cast<std::uint32_t>(table.size())) + table;
}

// A record body as the writer makes it, for the tests to cut and patch.
std::string Body(const UnitRecord& unit) {
  FormDescription form;
  WindowRecord w;
  w.window_id = 0x52010001;
  w.units.push_back(unit);
  form.windows.push_back(w);
  const std::string bytes = WriteFormDescription(form);
  // index (12) + two words + two empty texts (16) + count, length, id, offset (16)
  const std::size_t at = 12 + 16 + 16;
  return bytes.substr(at + 4, GetWord(bytes, at));
}

UnitRecord PlainWindow() {
  UnitRecord u;
  u.id = 0x06010000;
  u.kind = UnitKind::kWindow;
  u.has_kind_data = true;
  u.kind_data_version = kWindowDataVersion;
  return u;
}

TEST(FormDamage, RawRecordHelperBuildsAReadableDescription) {
  UnitRecord label = Unit(1, UnitKind::kLabel, 2);
  EXPECT_TRUE(Reads(WithRawRecords({Body(PlainWindow()), Body(label)})));
}

TEST(FormDamage, NulTerminatedStringRunningPastTheRecordFails) {
  // Kind word, five reserved words, then a name without its NUL.
  const std::string name_only = Word(0x0001000A) + std::string(20, '\0') + "abc";
  EXPECT_FALSE(Reads(WithRawRecords({Body(PlainWindow()), name_only})));
  // The same with the remark, and with the tag cut just before its NUL.
  EXPECT_FALSE(Reads(WithRawRecords({Body(PlainWindow()), name_only + '\0' + "remark"})));
  UnitRecord group = Unit(1, UnitKind::kGroupBox, 0);
  group.events.clear();
  group.tag = "tagtext";
  std::string body = Body(group);
  const std::size_t tag_end = body.find("tagtext") + 7;
  EXPECT_FALSE(Reads(WithRawRecords({Body(PlainWindow()), body.substr(0, tag_end)})));
}

TEST(FormDamage, NegativeOrOversizedInnerCountsFail) {
  UnitRecord group = Unit(1, UnitKind::kGroupBox, 0);
  group.children = {7, 8};
  const std::string body = Body(group);
  // Child count follows the name, remark and seven words.
  const std::size_t child_count = 4 + 20 + group.name.size() + 1 + group.remark.size() + 1 + 7 * 4;
  ASSERT_EQ(GetWord(body, child_count), 2u);
  for (std::uint32_t count : {3u, 0xFFFFFFFFu, 0x40000000u, 0x7FFFFFFFu}) {
    std::string damaged = body;
    PutWord(&damaged, child_count, count);
    EXPECT_FALSE(Reads(WithRawRecords({Body(PlainWindow()), damaged}))) << "children " << count;
  }
  const std::size_t pointer_length = child_count + 4 + 2 * 4;
  ASSERT_EQ(GetWord(body, pointer_length), group.mouse_pointer.size());
  for (std::uint32_t length : {0xFFFFFFFFu, 0x7FFFFFFFu, 1000u}) {
    std::string damaged = body;
    PutWord(&damaged, pointer_length, length);
    EXPECT_FALSE(Reads(WithRawRecords({Body(PlainWindow()), damaged}))) << "pointer " << length;
  }
  const std::size_t event_count =
      pointer_length + 4 + group.mouse_pointer.size() + group.tag.size() + 1 + 3 * 4;
  ASSERT_EQ(GetWord(body, event_count), 3u);
  for (std::uint32_t count : {4u, 0xFFFFFFFFu, 0x20000000u, 0x80000000u}) {
    std::string damaged = body;
    PutWord(&damaged, event_count, count);
    EXPECT_FALSE(Reads(WithRawRecords({Body(PlainWindow()), damaged}))) << "events " << count;
  }
}

TEST(FormDamage, KindDataVersionAboveTheHighestKnownFails) {
  struct {
    UnitKind kind;
    std::int32_t highest;
  } const kinds[] = {{UnitKind::kWindow, kWindowDataVersion},
                     {UnitKind::kLabel, kLabelDataVersion},
                     {UnitKind::kButton, kButtonDataVersion},
                     {UnitKind::kProcessBar, kProcessBarDataVersion}};
  for (const auto& k : kinds) {
    UnitRecord unit = Unit(1, k.kind, k.highest);
    EXPECT_TRUE(Reads(WithRawRecords({Body(PlainWindow()), Body(unit)})));
    // The writer stores the fields of the highest layout it knows; only the
    // version word says more.
    for (std::int32_t version : {k.highest + 1, 0x7FFFFFFF, 0, -1}) {
      unit.kind_data_version = version;
      EXPECT_FALSE(Reads(WithRawRecords({Body(PlainWindow()), Body(unit)})))
          << static_cast<std::uint32_t>(k.kind) << " version " << version;
    }
  }
}

TEST(FormDamage, KindDataThatDoesNotFillItsRecordExactlyFails) {
  UnitRecord bar = Unit(1, UnitKind::kProcessBar, 1);
  const std::string body = Body(bar);
  EXPECT_TRUE(Reads(WithRawRecords({Body(PlainWindow()), body})));
  EXPECT_FALSE(Reads(WithRawRecords({Body(PlainWindow()), body + Word(0)}))) << "longer";
  EXPECT_FALSE(Reads(WithRawRecords({Body(PlainWindow()), body.substr(0, body.size() - 4)})))
      << "shorter";
  // A group box has no layout of its own, so any stored data is refused.
  UnitRecord group = Unit(1, UnitKind::kGroupBox, 0);
  EXPECT_FALSE(Reads(WithRawRecords({Body(PlainWindow()), Body(group) + Word(1)})));
}

TEST(FormDamage, UnknownKindsAndAMissingOwnRecordFail) {
  const std::string label = Body(Unit(1, UnitKind::kLabel, 2));
  std::string unknown = label;
  PutWord(&unknown, 0, 0x0001000C);
  EXPECT_FALSE(Reads(WithRawRecords({Body(PlainWindow()), unknown})));
  PutWord(&unknown, 0, 0x0002000A);
  EXPECT_FALSE(Reads(WithRawRecords({Body(PlainWindow()), unknown})));
  EXPECT_FALSE(Reads(WithRawRecords({label, Body(PlainWindow())}))) << "unit 0 must be the window";
}

// Random damage to the real form: whatever the reader accepts must be a
// description the writer and reader agree on; nothing may read out of
// bounds (the host suite runs with AddressSanitizer and UBSan).
TEST(FormDamage, RandomMutationsOfTheRealFormNeverMisread) {
  const std::string& real = RealForm();
  ASSERT_FALSE(real.empty());
  std::mt19937 random(20240607);
  const std::uint32_t interesting[] = {0, 1, 4, 8, 0x7F, 0x80, 0xFFFF, 0x7FFFFFFF, 0x80000000u,
                                       0xFFFFFFFFu, 0xFFFFFFFCu};
  int accepted = 0;
  const int kRounds = 3000;
  for (int round = 0; round < kRounds; ++round) {
    std::string m = real;
    const int edits = 1 + static_cast<int>(random() % 4);
    for (int e = 0; e < edits && !m.empty(); ++e) {
      const std::size_t at = random() % m.size();
      switch (random() % 5) {
        case 0:
          m[at] = static_cast<char>(m[at] ^ (1 << (random() % 8)));
          break;
        case 1:
          if (at + 4 <= m.size()) PutWord(&m, at & ~std::size_t{3}, interesting[random() % std::size(interesting)]);
          break;
        case 2:
          m.erase(at, 1 + random() % 8);
          break;
        case 3:
          m.insert(at, std::string(1 + random() % 8, static_cast<char>(random())));
          break;
        default:
          m.resize(at);
          break;
      }
    }
    FormDescription read;
    if (!Read(m, &read)) continue;
    ++accepted;
    const std::string again = WriteFormDescription(read);
    FormDescription second;
    ASSERT_TRUE(Read(again, &second)) << "round " << round;
    ASSERT_EQ(WriteFormDescription(second), again) << "round " << round;
  }
  // Flips inside texts and the icon are harmless, so some must pass; most
  // structural damage must not.
  EXPECT_GT(accepted, 0);
  EXPECT_LT(accepted, kRounds);
}

}  // namespace
}  // namespace pelmora
