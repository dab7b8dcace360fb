// libFuzzer target for the form description reader. Whatever the reader
// accepts must be something the writer and reader agree on; everything else
// must be refused without reading out of bounds (run with ASan and UBSan).
//
//   cmake --preset fuzz && cmake --build --preset fuzz
//   build/fuzz/tests/fuzz/form_fuzz build/fuzz/tests/fuzz/corpus -max_total_time=600
#include <cstddef>
#include <cstdint>
#include <string>

#include "runtime/window/form_description.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  pelmora::FormDescription form;
  if (!pelmora::ReadFormDescription(data, size, &form)) return 0;
  const std::string again = pelmora::WriteFormDescription(form);
  pelmora::FormDescription second;
  if (!pelmora::ReadFormDescription(reinterpret_cast<const unsigned char*>(again.data()),
                                    again.size(), &second)) {
    __builtin_trap();  // the writer produced something the reader refuses
  }
  if (pelmora::WriteFormDescription(second) != again) __builtin_trap();
  return 0;
}
