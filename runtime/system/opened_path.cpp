#include "runtime/system/opened_path.h"

#include <cstring>

#include "runtime/system/system_path.h"

namespace pelmora {
namespace {

constexpr char kLongPathPrefix[] = "\\\\?\\";
constexpr char kUncPrefix[] = "\\\\?\\UNC\\";

bool StartsWith(const std::string& text, const char* prefix) {
  return text.compare(0, std::strlen(prefix), prefix) == 0;
}

// Both sides as they are compared: without a final backslash, in capitals
// as the system's code page has them.
std::string Comparable(const std::string& path) {
  std::string comparable = WithoutTrailingBackslash(TextView(path.c_str())).c_str();
  port::ToUpperCase(&comparable);
  return comparable;
}

}  // namespace

std::string WithoutFinalPathPrefix(const std::string& final_path) {
  if (StartsWith(final_path, kUncPrefix)) {
    return "\\\\" + final_path.substr(sizeof kUncPrefix - 1);
  }
  if (StartsWith(final_path, kLongPathPrefix)) return final_path.substr(sizeof kLongPathPrefix - 1);
  return final_path;
}

std::uint32_t CheckOpenedAsAsked(port::FileHandle opened, TextView asked, OpenedKind kind) {
  port::FileFacts facts;
  std::uint32_t code = 0;
  if (!port::FileFactsOf(opened, &facts, &code)) return code;
  if ((facts.attributes & port::kAttributeReparsePoint) != 0) return port::kErrorLeadsElsewhere;
  if (kind == OpenedKind::kFolder) {
    if ((facts.attributes & port::kAttributeFolder) == 0) return port::kErrorDirectory;
    // A folder's count of links is no such thing (Wine counts its
    // subfolders there).
  } else if (facts.links > 1) {
    return port::kErrorLeadsElsewhere;
  }
  std::string final_path;
  if (!port::FinalPathOf(opened, &final_path, &code)) {
    return code == port::kErrorCallNotImplemented ? 0 : code;
  }
  const std::string meant = port::LongPathName(port::FullPathName(asked.c_str()).c_str());
  return Comparable(WithoutFinalPathPrefix(final_path)) == Comparable(meant)
             ? 0
             : port::kErrorLeadsElsewhere;
}

}  // namespace pelmora
