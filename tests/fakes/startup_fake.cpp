#include "fakes/startup_fake.h"

#include "runtime/window/startup_port.h"

namespace pelmora {
namespace fake {

FakeStartup& Startup() {
  static FakeStartup startup;
  return startup;
}

}  // namespace fake

namespace port {

void HardenLibrarySearch() { fake::Startup().library_search_hardened = true; }
void EnforceRedirectionTrust() { fake::Startup().redirection_trust_enforced = true; }
void RecordProcessHeap() {}
void InitializeOleOnce() {}
std::string ExecutablePath() { return fake::Startup().executable; }
void SetCurrentFolder(const char* folder) { fake::Startup().current_folder = folder; }
void RecordMainThread() {}

void ProgramImage(const void** start, std::size_t* size) {
  *start = nullptr;
  *size = 0;
}

bool FormDescriptionResource(const unsigned char** data, std::size_t* size) {
  const std::string& form = fake::Startup().form;
  if (form.empty()) return false;
  *data = reinterpret_cast<const unsigned char*>(form.data());
  *size = form.size();
  return true;
}

}  // namespace port
}  // namespace pelmora
