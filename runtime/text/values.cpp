#include "runtime/text/values.h"

#include "runtime/system/fatal_report.h"
#include "runtime/text/memory.h"

namespace pelmora {
namespace {

std::int32_t ReadInt32(const void* p) {
  std::int32_t v;
  std::memcpy(&v, p, 4);
  return v;
}

void WriteInt32(void* p, std::int32_t v) { std::memcpy(p, &v, 4); }

char* CopyBlock(const char* bytes, std::size_t count) {
  auto* block = static_cast<char*>(AllocateMemory(static_cast<std::int32_t>(count + 1)));
  std::memcpy(block, bytes, count);
  block[count] = '\0';
  return block;
}

}  // namespace

Text::~Text() { ReleaseMemory(block_); }

Text::Text(const Text& other) {
  if (!other.is_null()) block_ = CopyBlock(other.block_, std::strlen(other.block_));
}

Text& Text::operator=(const Text& other) {
  if (this != &other) {
    // The new value exists before the old block goes.
    Text copy(other);
    *this = std::move(copy);
  }
  return *this;
}

Text& Text::operator=(Text&& other) noexcept {
  if (this != &other) {
    ReleaseMemory(block_);
    block_ = other.block_;
    other.block_ = nullptr;
  }
  return *this;
}

Text Text::FromBytes(const char* bytes, std::size_t count) {
  if (count == 0) return Text();
  return Adopt(CopyBlock(bytes, count));
}

bool operator==(const Text& a, TextView b) { return std::strcmp(a.c_str(), b.c_str()) == 0; }

std::int32_t ByteSetView::count() const { return block_ ? ReadInt32(block_ + 4) : 0; }

ByteSet::~ByteSet() { ReleaseMemory(block_); }

ByteSet& ByteSet::operator=(ByteSet&& other) noexcept {
  if (this != &other) {
    ReleaseMemory(block_);
    block_ = other.block_;
    other.block_ = nullptr;
  }
  return *this;
}

ByteSet ByteSet::FromBytes(const void* bytes, std::size_t count) {
  ByteSet set;
  set.block_ = static_cast<unsigned char*>(AllocateMemory(static_cast<std::int32_t>(count + 8)));
  WriteInt32(set.block_, 1);
  WriteInt32(set.block_ + 4, static_cast<std::int32_t>(count));
  if (count) std::memcpy(set.block_ + 8, bytes, count);
  return set;
}

std::int32_t ElementCount(const void* array_block) {
  if (array_block == nullptr) return 0;
  const auto* p = static_cast<const unsigned char*>(array_block);
  std::int32_t dimensions = ReadInt32(p);
  if (dimensions <= 0) return 0;
  std::int32_t count = 1;
  for (std::int32_t d = 0; d < dimensions; ++d) count *= ReadInt32(p + 4 + 4 * d);
  return count;
}

TextArray::TextArray() {
  block_ = AllocateMemory(8);
  WriteInt32(block_, 1);
  WriteInt32(static_cast<char*>(block_) + 4, 0);
}

TextArray TextArray::Adopt(void* block) {
  TextArray array;
  ReleaseMemory(array.block_);
  array.block_ = block;
  return array;
}

TextArray::~TextArray() {
  if (block_ == nullptr) return;
  std::int32_t n = pelmora::ElementCount(block_);
  auto* elements = static_cast<unsigned char*>(block_) + 8;
  for (std::int32_t i = 0; i < n; ++i) {
    void* text;
    std::memcpy(&text, elements + i * sizeof(void*), sizeof(void*));
    ReleaseMemory(text);
  }
  ReleaseMemory(block_);
}

TextArray& TextArray::operator=(TextArray&& other) noexcept {
  if (this != &other) {
    TextArray old(std::move(*this));
    block_ = other.block_;
    other.block_ = nullptr;
  }
  return *this;
}

std::int32_t TextArray::ElementCount() const { return pelmora::ElementCount(block_); }

TextView TextArray::At(std::int32_t index, FaultLocation where) const {
  // Compared without subtracting, so the most negative index cannot overflow.
  if (index < 1) ReportRuntimeError(4, where.subroutine, where.statement);
  if (index - 1 >= ElementCount()) ReportRuntimeError(1, where.subroutine, where.statement);
  const char* text;
  std::memcpy(&text, static_cast<const unsigned char*>(block_) + 8 + (index - 1) * sizeof(char*),
              sizeof(char*));
  return TextView(text);
}

void TextArray::Append(Text text) {
  std::int32_t n = ElementCount();
  void* private_block = block_;
  MakeArrayPrivate(sizeof(char*), &private_block);
  block_ = ResizeMemory(private_block, static_cast<std::int32_t>(8 + (n + 1) * sizeof(char*)));
  // An adopted null array has no header yet.
  if (private_block == nullptr) WriteInt32(block_, 1);
  WriteInt32(static_cast<char*>(block_) + 4, n + 1);
  char* element = text.release();
  std::memcpy(static_cast<unsigned char*>(block_) + 8 + n * sizeof(char*), &element, sizeof(char*));
}

}  // namespace pelmora
