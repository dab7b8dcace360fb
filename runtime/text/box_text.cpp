#include "runtime/text/box_text.h"

#include "runtime/text/code_page_port.h"
#include "runtime/text/text.h"

namespace pelmora {
namespace {

constexpr const char kSlot[] = "{}";

}  // namespace

void BoxText::Add(const char* bytes, std::size_t size, CodePage code_page) {
  if (size == 0) return;
  // Neighbouring parts of one page are one part: the box converts fewer
  // pieces, and a double-byte character is never split between two.
  if (!parts_.empty() && parts_.back().code_page == code_page) {
    parts_.back().bytes.append(bytes, size);
  } else {
    parts_.push_back({std::string(bytes, size), code_page});
  }
}

std::string BoxText::Utf8() const {
  std::string utf8;
  for (const Part& part : parts_) {
    utf8 += part.code_page == CodePage::kGbk ? port::GbkToUtf8Bytes(part.bytes)
                                             : port::SystemToUtf8Bytes(part.bytes);
  }
  return utf8;
}

BoxText& BoxText::AppendGbk(TextView gbk) {
  Add(gbk.c_str(), gbk.size(), CodePage::kGbk);
  return *this;
}

BoxText& BoxText::AppendSystem(TextView system_bytes) {
  Add(system_bytes.c_str(), system_bytes.size(), CodePage::kSystem);
  return *this;
}

BoxText& BoxText::Append(const BoxText& other) {
  for (const Part& part : other.parts_) Add(part.bytes.data(), part.bytes.size(), part.code_page);
  return *this;
}

BoxText BoxText::Fill(const char* gbk_template, std::initializer_list<BoxText> inserted) {
  BoxText text;
  const char* rest = gbk_template;
  for (const BoxText& part : inserted) {
    // Searched character by character: "{" can be the trail byte of a GBK
    // character.
    const std::int32_t position = FindText(rest, kSlot, std::nullopt, LetterCase::kExact);
    if (position == -1) break;
    const std::size_t before = static_cast<std::size_t>(position - 1);
    text.Add(rest, before, CodePage::kGbk);
    text.Append(part);
    rest += before + sizeof kSlot - 1;
  }
  return text.AppendGbk(TextView(rest));
}

}  // namespace pelmora
