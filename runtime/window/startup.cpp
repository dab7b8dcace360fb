// The runtime's one-time start-up, in the order the rest depends on.
#include <utility>

#include "runtime/window/form_description.h"
#include "runtime/window/startup_port.h"
#include "runtime/text/memory.h"
#include "runtime/system/run_directory.h"
#include "runtime/window/window_engine.h"
#include "runtime/window/startup.h"
#include "runtime/window/window_engine_internal.h"
#include "runtime/window/window_port.h"

namespace pelmora {

void InitializeRuntime(const EventHandler* handlers, std::size_t handler_count) {
  // Before any library loads: nothing may come from the program's folder
  // or the current folder, where a planted DLL would run elevated.
  port::HardenLibrarySearch();
  // Before any file is touched: a link a user planted in a folder we write
  // in must not turn our writes onto files the user cannot change.
  port::EnforceRedirectionTrust();
  port::RecordProcessHeap();
  // OLE is started by the shell calls that need it, when they are first
  // made: nothing before the notice does.

  const std::string executable = port::ExecutablePath();
  RecordRunDirectory(executable.c_str());
  port::SetCurrentFolder(RunDirectoryBytes());

  engine::SetHiddenOwner(port::CreateHiddenOwner());
  port::RecordMainThread();
  const void* image = nullptr;
  std::size_t image_size = 0;
  port::ProgramImage(&image, &image_size);
  SetConstantBlock(image, image_size);

  // The DLL command table is a constant of the program; nothing to fill.

  // A description that cannot be read leaves no window loaded, so the
  // start window fails with its own report.
  FormDescription forms;
  const unsigned char* data = nullptr;
  std::size_t size = 0;
  if (!port::FormDescriptionResource(&data, &size) ||
      !ReadFormDescription(data, size, &forms)) {
    forms = FormDescription();
  }
  engine::LoadForms(std::move(forms), handlers, handler_count);
}

}  // namespace pelmora
