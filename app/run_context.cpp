#include "app/run_context.h"

namespace pelmora {

bool ScanContext::Stopped() { return !ui_.WindowOpen(); }

void ScanContext::PumpEvents() { ui_.PumpEvents(); }

void ScanContext::Log(const char* gbk_template, std::initializer_list<BoxText> filled) {
  log_.Write(BoxText::Fill(gbk_template, filled));
}

std::int32_t RunContext::Show(const messages::Box& box, std::int32_t style) {
  return ui_.ShowBox(box.title, box.text, style);
}

std::int32_t RunContext::Show(const messages::Box& box, std::initializer_list<BoxText> filled,
                              std::int32_t style) {
  return ui_.ShowBox(box.title, BoxText::Fill(box.text, filled), style);
}

bool RunContext::Attended() { return ui_.Attended(); }

void RunContext::SetProgress(std::int32_t percent) { ui_.SetProgress(percent); }

}  // namespace pelmora
