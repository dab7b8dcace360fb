// The stored layout of a unit record and of each kind's own data, written
// down once. The reader, the writer and the form compiler each walk it with
// an `io` of their own, so a field cannot be forgotten by one of them.
//
// What an io provides (`key` is the field's name in the form source):
//   Kind(kind)                 the record's kind word
//   Name(text)                 the unit's name, NUL-terminated
//   Reserved(words)            words stored as 0 and never read
//   Text(key, text)            a NUL-terminated text
//   Words(key, word...)        one or more int32 words on one source line
//   Blocks(key, block...)      one or more blocks (int32 length, then bytes)
//   WordList(key, words)       an int32 count, then that many int32 words
//   WordBlock(key, block)      a block whose bytes are int32 words
//   Flags(key, flags)          the flag word, given by name in the source
//   Events(bindings)           an int32 count, then (event, handler) pairs
// The unit is a UnitRecord to fill or a const UnitRecord to store.
#pragma once

#include <cstdint>

#include "runtime/window/form_description.h"

namespace pelmora::layout {

template <typename Io, typename Data>
void VisitWindowData(Io& io, std::int32_t version, Data& w) {
  io.Words("border_style", w.border_style);
  io.Words("setting", w.setting);
  io.Words("back_color", w.back_color);
  io.Words("maximize_box", w.maximize_box);
  io.Words("minimize_box", w.minimize_box);
  io.Words("control_box", w.control_box);
  io.Words("start_position", w.start_position);
  io.Words("movable", w.movable);
  io.Words("sound_play_mode", w.sound_play_mode);
  io.Words("enter_moves_focus", w.enter_moves_focus);
  io.Words("esc_closes", w.esc_closes);
  io.Words("settings_a", w.settings_a[0], w.settings_a[1]);
  if (version >= 2) io.Words("show_in_taskbar", w.show_in_taskbar);
  if (version >= 3) {
    io.Words("settings_b", w.settings_b[0], w.settings_b[1]);
    io.Words("always_on_top", w.always_on_top);
  }
  if (version >= 5) io.Words("setting_v5", w.setting_v5);
  if (version >= 6) io.Blocks("text_v6", w.text_v6);
  io.Blocks("font", w.font);
  io.Blocks("icon_file", w.icon_file);
  io.Blocks("sound", w.sound);
  io.Blocks("title", w.title);
  io.Blocks("trailing_text", w.trailing_text);
}

template <typename Io, typename Data>
void VisitLabelData(Io& io, std::int32_t version, Data& l) {
  io.Words("effect", l.effect);
  io.Words("setting", l.setting);
  io.Words("border_style", l.border_style);
  io.Words("effect_colors", l.effect_colors[0], l.effect_colors[1], l.effect_colors[2]);
  io.Words("text_color", l.text_color);
  io.Words("back_color", l.back_color);
  io.Words("choices", l.choices[0], l.choices[1]);
  io.Words("colors", l.colors[0], l.colors[1], l.colors[2]);
  io.Words("horizontal_alignment", l.horizontal_alignment);
  io.Words("vertical_alignment", l.vertical_alignment);
  io.Words("word_wrap", l.word_wrap);
  io.Blocks("picture", l.picture);
  io.Blocks("font", l.font);
  io.Blocks("caption", l.caption);
  if (version >= 2) io.Blocks("extra_blocks", l.extra_blocks[0], l.extra_blocks[1]);
}

template <typename Io, typename Data>
void VisitButtonData(Io& io, Data& b) {
  io.Words("default_button", b.default_button);
  io.Words("horizontal_alignment", b.horizontal_alignment);
  io.Words("vertical_alignment", b.vertical_alignment);
  io.Blocks("font", b.font);
  io.Blocks("picture", b.picture);
  io.Blocks("caption", b.caption);
}

template <typename Io, typename Data>
void VisitProcessBarData(Io& io, Data& p) {
  io.Words("border_style", p.border_style);
  io.Words("vertical", p.vertical);
  io.Words("smooth", p.smooth);
  io.Words("minimum", p.minimum);
  io.Words("maximum", p.maximum);
  io.Words("position", p.position);
}

// The kind's own data at `version` (after the version word). False for a
// kind that has no known layout (the group box), which stores none.
template <typename Io, typename Unit>
bool VisitKindData(Io& io, std::int32_t version, Unit& unit) {
  switch (unit.kind) {
    case UnitKind::kWindow:
      VisitWindowData(io, version, unit.window);
      return true;
    case UnitKind::kLabel:
      VisitLabelData(io, version, unit.label);
      return true;
    case UnitKind::kButton:
      VisitButtonData(io, unit.button);
      return true;
    case UnitKind::kProcessBar:
      VisitProcessBarData(io, unit.process_bar);
      return true;
    case UnitKind::kGroupBox:
      return false;
  }
  return false;
}

// Everything of a unit record from its kind word to its kind data.
template <typename Io, typename Unit>
void VisitUnitBody(Io& io, Unit& u) {
  io.Kind(u.kind);
  io.Reserved(5);
  io.Name(u.name);
  io.Text("remark", u.remark);
  io.Reserved(1);  // object slot: the live unit object at run time
  io.Words("rect", u.left, u.top, u.width, u.height);
  io.Reserved(1);  // cursor slot: the live mouse-pointer handle at run time
  io.Words("parent", u.parent_id);
  io.WordList("children", u.children);
  io.WordBlock("pointer", u.mouse_pointer);
  io.Text("tag", u.tag);
  io.Reserved(1);  // reserved word before the flags
  io.Flags("flags", u.flags);
  io.Reserved(1);  // reserved word after the flags
  io.Events(u.events);
  io.Reserved(5);
}

}  // namespace pelmora::layout
