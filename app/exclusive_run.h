// One run at a time, whichever way it was started. Runs pump window events,
// so the button or the system menu can be used while one is in progress;
// the embedding and the removal share WPS's folders and the workflow paths,
// so a second run must not start inside the first.
#pragma once

namespace pelmora {

class ExclusiveRun {
 public:
  ExclusiveRun() : taken_(!Busy()) {
    if (taken_) Busy() = true;
  }
  ~ExclusiveRun() {
    if (taken_) Busy() = false;
  }
  ExclusiveRun(const ExclusiveRun&) = delete;
  ExclusiveRun& operator=(const ExclusiveRun&) = delete;

  // False when another run was already in progress: return at once.
  explicit operator bool() const { return taken_; }

 private:
  static bool& Busy() {
    static bool busy = false;
    return busy;
  }
  bool taken_;
};

}  // namespace pelmora
