#include "runtime/window/form_description.h"

#include <cstring>
#include <utility>

#include "runtime/window/form_layout.h"

namespace pelmora {
namespace {

// Reads the stored description front to back, in place: the bytes are
// already in memory (the program's own resource, or the tool's output), so
// nothing is copied before it is looked at. Every value is assembled from
// bytes, so alignment and host byte order never matter. Failure is sticky:
// after one read fails, every later read fails too and returns zeroes, so
// the parser can check once per record instead of after every field.
class ByteReader {
 public:
  ByteReader(const unsigned char* data, std::size_t size) : data_(data), limit_(size) {}

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
    const unsigned char* b = Take(4);
    if (b == nullptr) return 0;
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

  // An int32 length, then that many bytes.
  void Block(std::string* out) {
    const std::int32_t n = Count(1);
    const unsigned char* bytes = Take(static_cast<std::size_t>(n));
    if (bytes == nullptr) {
      out->clear();
      return;
    }
    out->assign(reinterpret_cast<const char*>(bytes), static_cast<std::size_t>(n));
  }

  // Bytes up to a NUL, which must come before the current limit.
  void CString(std::string* out) {
    out->clear();
    const std::size_t left = remaining();
    const unsigned char* start = data_ + position_;
    const void* nul = left == 0 ? nullptr : std::memchr(start, 0, left);
    if (nul == nullptr) {
      Fail();
      return;
    }
    const std::size_t length =
        static_cast<std::size_t>(static_cast<const unsigned char*>(nul) - start);
    out->assign(reinterpret_cast<const char*>(start), length);
    Take(length + 1);
  }

  void Skip(std::size_t count) { Take(count); }

 private:
  // The next `count` bytes, or null (and failed) when they are not there.
  const unsigned char* Take(std::size_t count) {
    if (!ok_ || count > limit_ - position_) {
      ok_ = false;
      return nullptr;
    }
    const unsigned char* at = data_ + position_;
    position_ += count;
    return at;
  }

  const unsigned char* data_;
  std::size_t limit_;
  std::size_t position_ = 0;
  bool ok_ = true;
};

// Walks the layout filling a unit record; an unknown kind or a count that
// does not fit fails the reader.
class RecordReader {
 public:
  explicit RecordReader(ByteReader& in) : in_(in) {}

  void Kind(UnitKind& kind) {
    const std::uint32_t word = in_.U32();
    if (!IsKnownUnitKind(static_cast<UnitKind>(word))) in_.Fail();
    kind = in_.ok() ? static_cast<UnitKind>(word) : UnitKind::kWindow;
  }
  void Name(std::string& name) { in_.CString(&name); }
  void Reserved(int words) { in_.Skip(static_cast<std::size_t>(words) * 4); }
  void Text(const char*, std::string& text) { in_.CString(&text); }
  template <typename... Word>
  void Words(const char*, Word&... words) {
    ((words = static_cast<Word>(in_.U32())), ...);
  }
  template <typename... Block>
  void Blocks(const char*, Block&... blocks) {
    (in_.Block(&blocks), ...);
  }
  void WordList(const char*, std::vector<std::int32_t>& words) {
    const std::int32_t count = in_.Count(4);
    words.clear();
    words.reserve(static_cast<std::size_t>(count));
    for (std::int32_t i = 0; i < count && in_.ok(); ++i) words.push_back(in_.I32());
  }
  void WordBlock(const char*, std::string& block) { in_.Block(&block); }
  void Flags(const char*, std::uint32_t& flags) { flags = in_.U32(); }
  void Events(std::vector<EventBinding>& events) {
    const std::int32_t count = in_.Count(8);
    events.clear();
    events.reserve(static_cast<std::size_t>(count));
    for (std::int32_t i = 0; i < count && in_.ok(); ++i) {
      EventBinding binding;
      binding.event_number = in_.I32();
      binding.handler_reference = in_.I32();
      events.push_back(binding);
    }
  }

 private:
  ByteReader& in_;
};

// The kind's own data, which must fill the rest of the record exactly.
bool ReadKindData(ByteReader& in, UnitRecord* unit) {
  if (in.remaining() == 0) {
    unit->has_kind_data = false;
    return in.ok();
  }
  unit->has_kind_data = true;
  const std::int32_t version = in.I32();
  unit->kind_data_version = version;
  // A kind without a known layout cannot be trusted with stored data.
  if (!in.ok() || version < 1 || version > HighestDataVersion(unit->kind)) return false;
  RecordReader fields(in);
  if (!layout::VisitKindData(fields, version, *unit)) return false;
  return in.ok() && in.remaining() == 0;
}

// One UnitRecord: the int32 size S has been read by the caller, and the
// reader is limited to the S bytes that follow.
bool ReadUnitBody(ByteReader& in, UnitRecord* unit) {
  RecordReader fields(in);
  layout::VisitUnitBody(fields, *unit);
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

// Walks the layout storing a unit record.
class RecordWriter {
 public:
  explicit RecordWriter(ByteWriter& out) : out_(out) {}

  void Kind(UnitKind kind) { out_.U32(static_cast<std::uint32_t>(kind)); }
  void Name(const std::string& name) { out_.CString(name); }
  void Reserved(int words) { out_.Zeros(words); }
  void Text(const char*, const std::string& text) { out_.CString(text); }
  template <typename... Word>
  void Words(const char*, const Word&... words) {
    (out_.U32(static_cast<std::uint32_t>(words)), ...);
  }
  template <typename... Block>
  void Blocks(const char*, const Block&... blocks) {
    (out_.Block(blocks), ...);
  }
  void WordList(const char*, const std::vector<std::int32_t>& words) {
    out_.I32(static_cast<std::int32_t>(words.size()));
    for (std::int32_t word : words) out_.I32(word);
  }
  void WordBlock(const char*, const std::string& block) { out_.Block(block); }
  void Flags(const char*, std::uint32_t flags) { out_.U32(flags); }
  void Events(const std::vector<EventBinding>& events) {
    out_.I32(static_cast<std::int32_t>(events.size()));
    for (const EventBinding& binding : events) {
      out_.I32(binding.event_number);
      out_.I32(binding.handler_reference);
    }
  }

 private:
  ByteWriter& out_;
};

std::string UnitBody(const UnitRecord& unit) {
  ByteWriter out;
  RecordWriter fields(out);
  layout::VisitUnitBody(fields, unit);
  if (unit.has_kind_data && HighestDataVersion(unit.kind) > 0) {
    out.I32(unit.kind_data_version);
    layout::VisitKindData(fields, unit.kind_data_version, unit);
  }
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
