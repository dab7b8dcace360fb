#include "runtime/system/system_path.h"

#include "runtime/text/code_page_port.h"
#include "runtime/text/text.h"

namespace pelmora {

bool IsPathLeadByte(char byte) { return port::IsSystemLeadByte(static_cast<unsigned char>(byte)); }

const char* FindLastPathBackslash(TextView path) {
  const char* last = nullptr;
  for (const char* p = path.c_str(); *p != '\0'; ++p) {
    if (IsPathLeadByte(*p)) {
      // A lead byte owns the next byte, even when that byte is 0x5C.
      if (p[1] == '\0') break;
      ++p;
      continue;
    }
    if (*p == '\\') last = p;
  }
  return last;
}

Text ParentFolder(TextView path) {
  const char* last = FindLastPathBackslash(path);
  if (last == nullptr) return Text();
  return Text::FromBytes(path.c_str(), static_cast<std::size_t>(last - path.c_str()));
}

Text FinalPathPart(TextView path) {
  const char* last = FindLastPathBackslash(path);
  return Text::From(TextView(last == nullptr ? path.c_str() : last + 1));
}

Text WithoutTrailingBackslash(TextView folder) {
  Text result = Text::From(folder);
  for (;;) {
    const char* last = FindLastPathBackslash(result);
    if (last == nullptr || last[1] != '\0') return result;
    result = LeftText(result, static_cast<std::int32_t>(last - result.c_str()));
  }
}

}  // namespace pelmora
