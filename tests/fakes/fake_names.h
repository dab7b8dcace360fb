// Name handling shared by the fake registry and the fake file system:
// splitting double-byte aware in the system's code page, as the ANSI calls
// read names, and the ASCII-only case folding Windows applies.
#pragma once

#include <string>
#include <vector>

#include "runtime/text/code_page_port.h"

namespace pelmora::fake {

inline bool IsLeadByte(char c) { return port::IsSystemLeadByte(static_cast<unsigned char>(c)); }

// Upper-cases ASCII letters only; the trail byte of a double-byte
// character is never folded (it may be a letter's code).
inline std::string UpperName(const std::string& name) {
  std::string out = name;
  for (std::size_t i = 0; i < out.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(out[i]);
    if (IsLeadByte(out[i])) {
      ++i;
      continue;
    }
    if (c >= 'a' && c <= 'z') out[i] = static_cast<char>(c - 'a' + 'A');
  }
  return out;
}

// Splits at separator bytes that are not the trail byte of a double-byte
// character. Empty components are kept (callers decide what they mean).
inline std::vector<std::string> SplitComponents(const std::string& path, bool slash_too) {
  std::vector<std::string> parts(1);
  for (std::size_t i = 0; i < path.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(path[i]);
    if (IsLeadByte(path[i]) && i + 1 < path.size()) {
      parts.back().push_back(path[i]);
      parts.back().push_back(path[++i]);
      continue;
    }
    if (c == '\\' || (slash_too && c == '/')) {
      parts.emplace_back();
      continue;
    }
    parts.back().push_back(path[i]);
  }
  return parts;
}

}  // namespace pelmora::fake
