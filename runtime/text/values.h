// The values that pass between the workflow and the runtime.
//
// A text is a block of GBK bytes ended by NUL, owned by exactly one Text.
// A Text without a block is the empty text: there is no separate "missing"
// state. Byte sets keep the {1, count, bytes} layout and arrays the
// {dimensions, sizes..., elements} layout, because the carried installer and
// the folder list are stored and passed in exactly that form.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace pelmora {

// A borrowed text argument. Never null: an empty or null text reads as "".
class TextView {
 public:
  TextView() = default;
  TextView(const char* bytes) : bytes_(bytes ? bytes : "") {}  // NOLINT: implicit by design
  const char* c_str() const { return bytes_; }
  std::size_t size() const { return std::strlen(bytes_); }
  bool empty() const { return bytes_[0] == '\0'; }

 private:
  const char* bytes_ = "";
};

// An owned text value.
class Text {
 public:
  Text() = default;
  ~Text();
  Text(const Text& other);
  Text& operator=(const Text& other);
  Text(Text&& other) noexcept : block_(other.block_) { other.block_ = nullptr; }
  Text& operator=(Text&& other) noexcept;

  // A copy of `count` bytes; the null text when count is 0.
  static Text FromBytes(const char* bytes, std::size_t count);
  static Text From(TextView text) { return FromBytes(text.c_str(), text.size()); }
  // Takes ownership of a NUL-terminated block from AllocateMemory.
  static Text Adopt(char* block) {
    Text t;
    t.block_ = block;
    return t;
  }

  bool is_null() const { return block_ == nullptr; }
  const char* c_str() const { return block_ ? block_ : ""; }
  std::size_t size() const { return block_ ? std::strlen(block_) : 0; }
  bool empty() const { return size() == 0; }
  operator TextView() const { return TextView(c_str()); }  // NOLINT: arguments borrow texts

  // The block itself, for callers that let the platform write into it
  // (the registry enumeration's name buffer).
  char* mutable_block() { return block_; }
  char* release() {
    char* b = block_;
    block_ = nullptr;
    return b;
  }

 private:
  char* block_ = nullptr;
};

bool operator==(const Text& a, TextView b);
inline bool operator!=(const Text& a, TextView b) { return !(a == b); }

// A byte set block laid out as {int32 1, int32 count, bytes}, borrowed.
// The carried installer is one of these inside the program's constants.
class ByteSetView {
 public:
  ByteSetView() = default;
  explicit ByteSetView(const void* block) : block_(static_cast<const unsigned char*>(block)) {}
  const void* block() const { return block_; }
  std::int32_t count() const;
  const unsigned char* bytes() const { return block_ ? block_ + 8 : nullptr; }

 private:
  const unsigned char* block_ = nullptr;
};

// An owned byte set.
class ByteSet {
 public:
  ByteSet() = default;
  ~ByteSet();
  ByteSet(const ByteSet&) = delete;
  ByteSet& operator=(const ByteSet&) = delete;
  ByteSet(ByteSet&& other) noexcept : block_(other.block_) { other.block_ = nullptr; }
  ByteSet& operator=(ByteSet&& other) noexcept;

  static ByteSet FromBytes(const void* bytes, std::size_t count);
  ByteSetView view() const { return ByteSetView(block_); }
  operator ByteSetView() const { return view(); }  // NOLINT

 private:
  unsigned char* block_ = nullptr;
};

// Where a fault was found, for the fatal report: a subroutine identifier and
// the position of the statement inside it.
struct FaultLocation {
  std::int32_t subroutine;
  std::int32_t statement;
};

// A one-dimensional array of owned texts, block {1, n, n text addresses}.
// Elements are read with 1-based indexes; a bad index is fatal.
class TextArray {
 public:
  TextArray();  // the empty list {1, 0}
  ~TextArray();
  TextArray(const TextArray&) = delete;
  TextArray& operator=(const TextArray&) = delete;
  TextArray(TextArray&& other) noexcept : block_(other.block_) { other.block_ = nullptr; }
  TextArray& operator=(TextArray&& other) noexcept;

  // Adopts an array block; a null block counts 0 elements.
  static TextArray Adopt(void* block);

  std::int32_t ElementCount() const;
  // Index below 1: runtime error 4. Above the count: runtime error 1.
  TextView At(std::int32_t index, FaultLocation where) const;
  // Appends by taking ownership of the text's block.
  void Append(Text text);
  void* block() const { return block_; }

 private:
  void* block_ = nullptr;
};

// The product of the dimension sizes; 0 for null or zero dimensions.
std::int32_t ElementCount(const void* array_block);

}  // namespace pelmora
