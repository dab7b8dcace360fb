#include "runtime/system/run_directory.h"

#include <string>

#include "runtime/system/system_path.h"

namespace pelmora {
namespace {

std::string g_run_directory;
std::string g_file_name;

}  // namespace

void RecordRunDirectory(const char* executable_path) {
  const char* last = FindLastPathBackslash(executable_path);
  if (last == nullptr) {
    g_run_directory.clear();
    g_file_name = executable_path;
  } else {
    g_run_directory.assign(executable_path, last);
    g_file_name = last + 1;
  }
}

const char* RunDirectoryBytes() { return g_run_directory.c_str(); }
const char* ExecutableFileName() { return g_file_name.c_str(); }

Text GetRunDirectory() { return Text::FromBytes(g_run_directory.data(), g_run_directory.size()); }

}  // namespace pelmora
