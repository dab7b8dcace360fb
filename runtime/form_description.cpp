#include "runtime/form_description.h"

#include <cstring>
#include <utility>

namespace pelmora {
namespace {

// Reads the stored description front to back through a fixed 4 KiB window
// over the input, the way the program reads its own resource. Every value is
// assembled from bytes, so alignment and host byte order never matter.
// Failure is sticky: after one read fails, every later read fails too and
// returns zeroes, so the parser can check once per record instead of after
// every field.
class ByteReader {
 public:
  static constexpr std::size_t kBufferSize = 4096;

  ByteReader(const unsigned char* data, std::size_t size)
      : data_(data), size_(size), limit_(size) {}

  bool ok() const { return ok_; }
  void Fail() { ok_ = false; }
  // Bytes left before the innermost limit (a record or the unit table).
  std::size_t remaining() const { return ok_ ? limit_ - position_ : 0; }
  std::size_t position() const { return position_; }

  // Narrows reading to the next `count` bytes; returns the outer limit for
  // PopLimit. A count beyond what remains fails.
  std::size_t PushLimit(std::size_t count) {
    const std::size_t outer = limit_;
    if (count > remaining()) {
      Fail();
      return outer;
    }
    limit_ = position_ + count;
    return outer;
  }
  void PopLimit(std::size_t outer) { limit_ = outer; }

  std::uint32_t U32() {
    unsigned char b[4];
    if (!Take(b, 4)) return 0;
    return static_cast<std::uint32_t>(b[0]) | static_cast<std::uint32_t>(b[1]) << 8 |
           static_cast<std::uint32_t>(b[2]) << 16 | static_cast<std::uint32_t>(b[3]) << 24;
  }
  std::int32_t I32() { return static_cast<std::int32_t>(U32()); }

  // A count of items of `item_size` bytes each that must all still fit.
  // Checked here, before anyone reserves room for them.
  std::int32_t Count(std::size_t item_size) {
    const std::int32_t n = I32();
    if (n < 0 || static_cast<std::size_t>(n) > remaining() / item_size) {
      Fail();
      return 0;
    }
    return n;
  }

  void Bytes(std::size_t count, std::string* out) {
    out->clear();
    if (count > remaining()) {
      Fail();
      return;
    }
    out->resize(count);
    if (!Take(reinterpret_cast<unsigned char*>(&(*out)[0]), count)) out->clear();
  }

  // An int32 length, then that many bytes.
  void Block(std::string* out) {
    const std::int32_t n = Count(1);
    Bytes(static_cast<std::size_t>(n), out);
  }

  // Bytes up to a NUL, which must come before the current limit.
  void CString(std::string* out) {
    out->clear();
    while (ok_) {
      unsigned char c;
      if (!Take(&c, 1)) break;
      if (c == 0) return;
      out->push_back(static_cast<char>(c));
    }
    out->clear();
  }

  void Skip(std::size_t count) {
    unsigned char sink[64];
    while (ok_ && count > 0) {
      const std::size_t n = count < sizeof sink ? count : sizeof sink;
      Take(sink, n);
      count -= n;
    }
  }

 private:
  bool Take(unsigned char* out, std::size_t count) {
    if (!ok_ || count > limit_ - position_) {
      ok_ = false;
      return false;
    }
    while (count > 0) {
      // Reading only moves forward, so the buffer is stale once passed.
      if (position_ >= buffer_start_ + buffer_fill_) Refill();
      const std::size_t offset = position_ - buffer_start_;
      std::size_t n = buffer_fill_ - offset;
      if (n > count) n = count;
      std::memcpy(out, buffer_ + offset, n);
      out += n;
      position_ += n;
      count -= n;
    }
    return true;
  }

  void Refill() {
    buffer_start_ = position_;
    const std::size_t left = size_ - position_;
    buffer_fill_ = left < kBufferSize ? left : kBufferSize;
    std::memcpy(buffer_, data_ + position_, buffer_fill_);
  }

  const unsigned char* data_;
  std::size_t size_;
  std::size_t limit_;
  std::size_t position_ = 0;
  bool ok_ = true;
  unsigned char buffer_[kBufferSize];
  std::size_t buffer_start_ = 0;
  std::size_t buffer_fill_ = 0;
};

bool KnownKind(std::uint32_t kind) {
  switch (static_cast<UnitKind>(kind)) {
    case UnitKind::kWindow:
    case UnitKind::kGroupBox:
    case UnitKind::kLabel:
    case UnitKind::kButton:
    case UnitKind::kProcessBar:
      return true;
  }
  return false;
}

void ReadWindowData(ByteReader& in, std::int32_t version, WindowData* w) {
  w->border_style = in.I32();
  w->setting = in.I32();
  w->back_color = in.U32();
  w->maximize_box = in.I32();
  w->minimize_box = in.I32();
  w->control_box = in.I32();
  w->start_position = in.I32();
  w->movable = in.I32();
  w->sound_play_mode = in.I32();
  w->enter_moves_focus = in.I32();
  w->esc_closes = in.I32();
  w->settings_a[0] = in.I32();
  w->settings_a[1] = in.I32();
  if (version >= 2) w->show_in_taskbar = in.I32();
  if (version >= 3) {
    w->settings_b[0] = in.I32();
    w->settings_b[1] = in.I32();
    w->always_on_top = in.I32();
  }
  if (version >= 5) w->setting_v5 = in.I32();
  if (version >= 6) in.Block(&w->text_v6);
  in.Block(&w->font);
  in.Block(&w->icon_file);
  in.Block(&w->sound);
  in.Block(&w->title);
  in.Block(&w->trailing_text);
}

void ReadLabelData(ByteReader& in, std::int32_t version, LabelData* l) {
  l->effect = in.I32();
  l->setting = in.I32();
  l->border_style = in.I32();
  for (auto& c : l->effect_colors) c = in.U32();
  l->text_color = in.U32();
  l->back_color = in.U32();
  for (auto& c : l->choices) c = in.I32();
  for (auto& c : l->colors) c = in.U32();
  l->horizontal_alignment = in.I32();
  l->vertical_alignment = in.I32();
  l->word_wrap = in.I32();
  in.Block(&l->picture);
  in.Block(&l->font);
  in.Block(&l->caption);
  if (version >= 2) {
    for (auto& b : l->extra_blocks) in.Block(&b);
  }
}

void ReadButtonData(ByteReader& in, ButtonData* b) {
  b->default_button = in.I32();
  b->horizontal_alignment = in.I32();
  b->vertical_alignment = in.I32();
  in.Block(&b->font);
  in.Block(&b->picture);
  in.Block(&b->caption);
}

void ReadProcessBarData(ByteReader& in, ProcessBarData* p) {
  p->border_style = in.I32();
  p->vertical = in.I32();
  p->smooth = in.I32();
  p->minimum = in.I32();
  p->maximum = in.I32();
  p->position = in.I32();
}

// The kind's own data, which must fill the rest of the record exactly.
bool ReadKindData(ByteReader& in, UnitRecord* unit) {
  if (in.remaining() == 0) {
    unit->has_kind_data = false;
    return in.ok();
  }
  unit->has_kind_data = true;
  const std::int32_t version = in.I32();
  unit->kind_data_version = version;
  if (!in.ok() || version < 1) return false;
  switch (unit->kind) {
    case UnitKind::kWindow:
      if (version > kWindowDataVersion) return false;
      ReadWindowData(in, version, &unit->window);
      break;
    case UnitKind::kLabel:
      if (version > kLabelDataVersion) return false;
      ReadLabelData(in, version, &unit->label);
      break;
    case UnitKind::kButton:
      if (version > kButtonDataVersion) return false;
      ReadButtonData(in, &unit->button);
      break;
    case UnitKind::kProcessBar:
      if (version > kProcessBarDataVersion) return false;
      ReadProcessBarData(in, &unit->process_bar);
      break;
    case UnitKind::kGroupBox:
      // No layout of its own is known, so stored data cannot be trusted.
      return false;
  }
  return in.ok() && in.remaining() == 0;
}

// One UnitRecord: the int32 size S has been read by the caller, and the
// reader is limited to the S bytes that follow.
bool ReadUnitBody(ByteReader& in, UnitRecord* unit) {
  const std::uint32_t kind = in.U32();
  if (!in.ok() || !KnownKind(kind)) return false;
  unit->kind = static_cast<UnitKind>(kind);
  in.Skip(5 * 4);
  in.CString(&unit->name);
  in.CString(&unit->remark);
  in.I32();  // object slot: live state, meaningless when stored
  unit->left = in.I32();
  unit->top = in.I32();
  unit->width = in.I32();
  unit->height = in.I32();
  in.I32();  // cursor slot: live state as well
  unit->parent_id = in.I32();
  const std::int32_t children = in.Count(4);
  unit->children.clear();
  unit->children.reserve(static_cast<std::size_t>(children));
  for (std::int32_t i = 0; i < children && in.ok(); ++i) unit->children.push_back(in.I32());
  in.Block(&unit->mouse_pointer);
  in.CString(&unit->tag);
  in.I32();
  unit->flags = in.U32();
  in.I32();
  const std::int32_t events = in.Count(8);
  unit->events.clear();
  unit->events.reserve(static_cast<std::size_t>(events));
  for (std::int32_t i = 0; i < events && in.ok(); ++i) {
    EventBinding binding;
    binding.event_number = in.I32();
    binding.handler_reference = in.I32();
    unit->events.push_back(binding);
  }
  in.Skip(5 * 4);
  if (!in.ok()) return false;
  return ReadKindData(in, unit);
}

bool ReadUnitTable(ByteReader& in, WindowRecord* window) {
  const std::int32_t count = in.I32();
  const std::int32_t table_size = in.I32();
  if (!in.ok() || count < 1 || table_size < 0) return false;
  const std::size_t outer = in.PushLimit(static_cast<std::size_t>(table_size));
  if (!in.ok() || static_cast<std::size_t>(count) > in.remaining() / 8) return false;

  std::vector<std::int32_t> ids(static_cast<std::size_t>(count));
  std::vector<std::int32_t> offsets(static_cast<std::size_t>(count));
  for (auto& id : ids) id = in.I32();
  for (auto& offset : offsets) offset = in.I32();
  const std::size_t records_start = in.position();

  window->units.clear();
  window->units.reserve(static_cast<std::size_t>(count));
  for (std::size_t k = 0; k < ids.size() && in.ok(); ++k) {
    // Records are laid out in table order with nothing between them, so
    // each offset must name exactly where the reader now stands.
    if (offsets[k] < 0 || static_cast<std::size_t>(offsets[k]) != in.position() - records_start) {
      return false;
    }
    const std::int32_t record_size = in.I32();
    if (!in.ok() || record_size < 0) return false;
    const std::size_t table_limit = in.PushLimit(static_cast<std::size_t>(record_size));
    if (!in.ok()) return false;
    UnitRecord unit;
    unit.id = ids[k];
    if (!ReadUnitBody(in, &unit)) return false;
    in.PopLimit(table_limit);
    window->units.push_back(std::move(unit));
  }
  if (!in.ok() || in.remaining() != 0) return false;
  in.PopLimit(outer);
  return window->units[0].kind == UnitKind::kWindow;
}

// --- writing ------------------------------------------------------------

class ByteWriter {
 public:
  void U32(std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out_.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
  }
  void I32(std::int32_t v) { U32(static_cast<std::uint32_t>(v)); }
  void Zeros(int words) {
    for (int i = 0; i < words; ++i) U32(0);
  }
  void Block(const std::string& bytes) {
    I32(static_cast<std::int32_t>(bytes.size()));
    out_ += bytes;
  }
  void CString(const std::string& bytes) {
    out_.append(bytes.c_str());  // stops at an embedded NUL, like the reader
    out_.push_back('\0');
  }
  void Raw(const std::string& bytes) { out_ += bytes; }
  std::string& str() { return out_; }

 private:
  std::string out_;
};

void WriteKindData(ByteWriter& out, const UnitRecord& unit) {
  if (!unit.has_kind_data || unit.kind == UnitKind::kGroupBox) return;
  const std::int32_t v = unit.kind_data_version;
  out.I32(v);
  switch (unit.kind) {
    case UnitKind::kWindow: {
      const WindowData& w = unit.window;
      out.I32(w.border_style);
      out.I32(w.setting);
      out.U32(w.back_color);
      out.I32(w.maximize_box);
      out.I32(w.minimize_box);
      out.I32(w.control_box);
      out.I32(w.start_position);
      out.I32(w.movable);
      out.I32(w.sound_play_mode);
      out.I32(w.enter_moves_focus);
      out.I32(w.esc_closes);
      out.I32(w.settings_a[0]);
      out.I32(w.settings_a[1]);
      if (v >= 2) out.I32(w.show_in_taskbar);
      if (v >= 3) {
        out.I32(w.settings_b[0]);
        out.I32(w.settings_b[1]);
        out.I32(w.always_on_top);
      }
      if (v >= 5) out.I32(w.setting_v5);
      if (v >= 6) out.Block(w.text_v6);
      out.Block(w.font);
      out.Block(w.icon_file);
      out.Block(w.sound);
      out.Block(w.title);
      out.Block(w.trailing_text);
      break;
    }
    case UnitKind::kLabel: {
      const LabelData& l = unit.label;
      out.I32(l.effect);
      out.I32(l.setting);
      out.I32(l.border_style);
      for (auto c : l.effect_colors) out.U32(c);
      out.U32(l.text_color);
      out.U32(l.back_color);
      for (auto c : l.choices) out.I32(c);
      for (auto c : l.colors) out.U32(c);
      out.I32(l.horizontal_alignment);
      out.I32(l.vertical_alignment);
      out.I32(l.word_wrap);
      out.Block(l.picture);
      out.Block(l.font);
      out.Block(l.caption);
      if (v >= 2) {
        for (const auto& b : l.extra_blocks) out.Block(b);
      }
      break;
    }
    case UnitKind::kButton: {
      const ButtonData& b = unit.button;
      out.I32(b.default_button);
      out.I32(b.horizontal_alignment);
      out.I32(b.vertical_alignment);
      out.Block(b.font);
      out.Block(b.picture);
      out.Block(b.caption);
      break;
    }
    case UnitKind::kProcessBar: {
      const ProcessBarData& p = unit.process_bar;
      out.I32(p.border_style);
      out.I32(p.vertical);
      out.I32(p.smooth);
      out.I32(p.minimum);
      out.I32(p.maximum);
      out.I32(p.position);
      break;
    }
    case UnitKind::kGroupBox:
      break;
  }
}

std::string UnitBody(const UnitRecord& unit) {
  ByteWriter out;
  out.U32(static_cast<std::uint32_t>(unit.kind));
  out.Zeros(5);
  out.CString(unit.name);
  out.CString(unit.remark);
  out.I32(0);  // object slot
  out.I32(unit.left);
  out.I32(unit.top);
  out.I32(unit.width);
  out.I32(unit.height);
  out.I32(0);  // cursor slot
  out.I32(unit.parent_id);
  out.I32(static_cast<std::int32_t>(unit.children.size()));
  for (auto child : unit.children) out.I32(child);
  out.Block(unit.mouse_pointer);
  out.CString(unit.tag);
  out.I32(0);
  out.U32(unit.flags);
  out.I32(0);
  out.I32(static_cast<std::int32_t>(unit.events.size()));
  for (const auto& binding : unit.events) {
    out.I32(binding.event_number);
    out.I32(binding.handler_reference);
  }
  out.Zeros(5);
  WriteKindData(out, unit);
  return std::move(out.str());
}

std::string UnitTable(const WindowRecord& window) {
  ByteWriter records;
  std::vector<std::int32_t> offsets;
  offsets.reserve(window.units.size());
  for (const auto& unit : window.units) {
    offsets.push_back(static_cast<std::int32_t>(records.str().size()));
    records.Block(UnitBody(unit));
  }
  ByteWriter table;
  for (const auto& unit : window.units) table.I32(unit.id);
  for (auto offset : offsets) table.I32(offset);
  table.Raw(records.str());
  return std::move(table.str());
}

}  // namespace

bool ReadFormDescription(const unsigned char* data, std::size_t size, FormDescription* out) {
  if (out == nullptr || (data == nullptr && size != 0)) return false;
  out->windows.clear();
  ByteReader in(data, size);
  const std::int32_t index_size = in.I32();
  if (!in.ok() || index_size < 0 || index_size % 8 != 0 ||
      static_cast<std::size_t>(index_size) > in.remaining()) {
    return false;
  }
  const std::size_t window_count = static_cast<std::size_t>(index_size) / 8;
  std::vector<std::int32_t> window_ids(window_count);
  for (auto& id : window_ids) id = in.I32();
  in.Skip(window_count * 4);  // slots the loader fills with its own references

  // Every window record needs at least its two words, two text lengths and
  // the table header, which bounds how much room is worth reserving.
  if (window_count > in.remaining() / 24) return false;
  out->windows.reserve(window_count);
  for (std::size_t w = 0; w < window_count && in.ok(); ++w) {
    WindowRecord window;
    window.window_id = window_ids[w];
    window.word1 = in.I32();
    window.word2 = in.I32();
    in.Block(&window.text1);
    in.Block(&window.text2);
    if (!in.ok() || !ReadUnitTable(in, &window)) {
      out->windows.clear();
      return false;
    }
    out->windows.push_back(std::move(window));
  }
  if (!in.ok() || in.remaining() != 0) {
    out->windows.clear();
    return false;
  }
  return true;
}

std::string WriteFormDescription(const FormDescription& form) {
  ByteWriter out;
  out.I32(static_cast<std::int32_t>(form.windows.size() * 8));
  for (const auto& window : form.windows) out.I32(window.window_id);
  out.Zeros(static_cast<int>(form.windows.size()));
  for (const auto& window : form.windows) {
    out.I32(window.word1);
    out.I32(window.word2);
    out.Block(window.text1);
    out.Block(window.text2);
    const std::string table = UnitTable(window);
    out.I32(static_cast<std::int32_t>(window.units.size()));
    out.Block(table);
  }
  return std::move(out.str());
}

}  // namespace pelmora
