#include "app/box_lines.h"

#include "app/messages.h"
#include "runtime/system/files.h"
#include "runtime/system/system_error.h"

namespace pelmora {

BoxText PathWithReason(TextView path, const BoxText& reason, const char* reason_template) {
  return BoxText().AppendSystem(path).Append(BoxText::Fill(reason_template, reason));
}

BoxText PathsOnePerLine(const std::vector<Text>& paths, LineBreaks breaks) {
  BoxText lines;
  for (const Text& path : paths) {
    if (breaks == LineBreaks::kBeforeEach || !lines.empty()) lines.AppendGbk("\r\n");
    lines.AppendSystem(path);
  }
  return lines;
}

BoxText FailureReason(std::uint32_t error) {
  if (error == kErrorLeadsElsewhere) return messages::kFolderLeadsElsewhere;
  return DescribeSystemError(error);
}

const char* BitnessLabel(ProgramBitness bitness) {
  return bitness == ProgramBitness::k64Bit ? messages::kStatus64Bit : messages::kStatus32Bit;
}

}  // namespace pelmora
