#include "fakes/gbk.h"

#include <iconv.h>

namespace pelmora::fake {
namespace {

std::string Convert(const char* to, const char* from, const std::string& in) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return in;
  std::string out(in.size() * 4 + 4, '\0');
  char* src = const_cast<char*>(in.data());
  size_t src_left = in.size();
  char* dst = out.data();
  size_t dst_left = out.size();
  while (src_left > 0) {
    if (iconv(cd, &src, &src_left, &dst, &dst_left) == static_cast<size_t>(-1)) {
      // Keep undecodable bytes visible rather than losing them.
      *dst++ = '?';
      --dst_left;
      ++src;
      --src_left;
    }
  }
  iconv_close(cd);
  out.resize(out.size() - dst_left);
  return out;
}

}  // namespace

std::string GbkToUtf8(const std::string& gbk) { return Convert("UTF-8", "GBK", gbk); }
std::string Utf8ToGbk(const std::string& utf8) { return Convert("GBK", "UTF-8", utf8); }
std::string Cp1252ToUtf8(const std::string& bytes) { return Convert("UTF-8", "CP1252", bytes); }
std::string Utf8ToCp1252(const std::string& utf8) { return Convert("CP1252", "UTF-8", utf8); }

}  // namespace pelmora::fake
