// GBK <-> UTF-8 for host tests (glibc iconv), so assertions can be written
// in readable UTF-8 while the program's texts are GBK.
#pragma once
#include <string>

namespace pelmora::fake {
std::string GbkToUtf8(const std::string& gbk);
std::string Utf8ToGbk(const std::string& utf8);
// Code page 1252, the ANSI page of an English or European Windows.
std::string Cp1252ToUtf8(const std::string& bytes);
std::string Utf8ToCp1252(const std::string& utf8);
}  // namespace pelmora::fake
