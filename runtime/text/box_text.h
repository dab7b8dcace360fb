// A message box text whose parts come in two code pages. The program's own
// wording is GBK; paths come from the system's ANSI calls and so are in
// the process's code page, which is 936 only on a Chinese Windows. Each
// part is converted from its own page when the box is shown, so a path
// with accented letters reads correctly on every Windows.
#pragma once

#include <initializer_list>
#include <string>
#include <vector>

#include "runtime/text/values.h"

namespace pelmora {

class BoxText {
 public:
  enum class CodePage { kGbk, kSystem };
  struct Part {
    std::string bytes;
    CodePage code_page;
  };

  BoxText() = default;
  // The program's own wording.
  BoxText(const char* gbk) { AppendGbk(TextView(gbk)); }  // NOLINT: implicit on purpose
  BoxText(TextView gbk) { AppendGbk(gbk); }               // NOLINT: implicit on purpose
  BoxText(const Text& gbk) { AppendGbk(gbk); }            // NOLINT: implicit on purpose

  BoxText& AppendGbk(TextView gbk);
  // Bytes in the process's ANSI code page: a path from the system.
  BoxText& AppendSystem(TextView system_bytes);
  BoxText& Append(const BoxText& other);

  // The template's "{}" slots replaced by `inserted`, in order; slots
  // beyond the parts given stay as they are, parts beyond the slots are
  // dropped.
  static BoxText Fill(const char* gbk_template, std::initializer_list<BoxText> inserted);
  static BoxText Fill(const char* gbk_template, const BoxText& inserted) {
    return Fill(gbk_template, {inserted});
  }

  const std::vector<Part>& parts() const { return parts_; }
  // Each part converted from its own page.
  [[nodiscard]] std::string Utf8() const;
  bool empty() const { return parts_.empty(); }

 private:
  void Add(const char* bytes, std::size_t size, CodePage code_page);

  std::vector<Part> parts_;
};

}  // namespace pelmora
