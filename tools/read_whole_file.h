// Reading a whole input file, for the build-machine tools.
#pragma once

#include <cstdio>
#include <string>

namespace pelmora::tools {

// The file's bytes in `out`; false when it cannot be opened or read.
inline bool ReadWholeFile(const std::string& path, std::string* out) {
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (f == nullptr) return false;
  out->clear();
  char chunk[65536];
  std::size_t n;
  while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0) out->append(chunk, n);
  const bool ok = std::ferror(f) == 0;
  std::fclose(f);
  return ok;
}

}  // namespace pelmora::tools
