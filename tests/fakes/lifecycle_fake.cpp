#include "fakes/lifecycle_fake.h"

#include "runtime/window/lifecycle_port.h"

namespace pelmora {
namespace fake {

FakeLifecycle& Lifecycle() {
  static FakeLifecycle lifecycle;
  return lifecycle;
}

}  // namespace fake

namespace port {

void HardenLibrarySearch() { fake::Lifecycle().library_search_hardened = true; }
void EnforceRedirectionTrust() { fake::Lifecycle().redirection_trust_enforced = true; }
void RecordProcessHeap() {}
void InitializeOleOnce() {}
std::string ExecutablePath() { return fake::Lifecycle().executable; }
void SetCurrentFolder(const char* folder) { fake::Lifecycle().current_folder = folder; }
void RecordMainThread() {}

void ProgramImage(const void** start, std::size_t* size) {
  *start = nullptr;
  *size = 0;
}

bool FormDescriptionResource(const unsigned char** data, std::size_t* size) {
  const std::string& form = fake::Lifecycle().form;
  if (form.empty()) return false;
  *data = reinterpret_cast<const unsigned char*>(form.data());
  *size = form.size();
  return true;
}

}  // namespace port
}  // namespace pelmora
