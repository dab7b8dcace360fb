#include "fakes/code_page_fake.h"

#include "fakes/gbk.h"
#include "runtime/text/code_page_port.h"

namespace pelmora {
namespace fake {
namespace {

SystemCodePage g_code_page = SystemCodePage::kChinese936;

}  // namespace

SystemCodePage CurrentSystemCodePage() { return g_code_page; }

std::string SystemToUtf8(const std::string& bytes) {
  return g_code_page == SystemCodePage::kChinese936 ? GbkToUtf8(bytes) : Cp1252ToUtf8(bytes);
}

ScopedSystemCodePage::ScopedSystemCodePage(SystemCodePage code_page) : previous_(g_code_page) {
  g_code_page = code_page;
}

ScopedSystemCodePage::~ScopedSystemCodePage() { g_code_page = previous_; }

}  // namespace fake

namespace port {

// As the system tables them: 936 leads with 0x81..0xFE; 1252 has no
// double-byte characters at all.
bool IsSystemLeadByte(unsigned char byte) {
  return fake::g_code_page == fake::SystemCodePage::kChinese936 && byte >= 0x81 && byte <= 0xFE;
}

std::string GbkToUtf8Bytes(const std::string& gbk) { return fake::GbkToUtf8(gbk); }
std::string SystemToUtf8Bytes(const std::string& system_bytes) {
  return fake::SystemToUtf8(system_bytes);
}

}  // namespace port
}  // namespace pelmora
