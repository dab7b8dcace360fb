// formc: compiles the readable form source (resources/*.form) into the
// stored form description that pelmora.exe carries as a resource.
//
//   formc <source.form> <output>
//
// Runs on the build machine. Texts in the source are UTF-8 and are stored as
// GBK; `file "..."` values are stored byte for byte. Every field of a unit
// must be given, so a typo or a forgotten line stops the build instead of
// silently falling back to a default. The output is read back with the
// program's own reader before it is written.
#include <iconv.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "runtime/form_description.h"

namespace {

using pelmora::FormDescription;
using pelmora::UnitKind;
using pelmora::UnitRecord;
using pelmora::WindowRecord;

struct Value {
  enum Kind { kWord, kNumber, kText, kFile } kind;
  std::string text;  // word, UTF-8 text or file path
  long long number = 0;
};

struct Line {
  int number = 0;
  std::vector<Value> values;  // values[0] is the key word
};

std::string g_source_path;
std::string g_source_folder;

[[noreturn]] void Die(int line, const std::string& message) {
  if (line > 0) {
    std::fprintf(stderr, "%s:%d: %s\n", g_source_path.c_str(), line, message.c_str());
  } else {
    std::fprintf(stderr, "formc: %s\n", message.c_str());
  }
  std::exit(1);
}

bool ReadWholeFile(const std::string& path, std::string* out) {
  FILE* f = std::fopen(path.c_str(), "rb");
  if (f == nullptr) return false;
  out->clear();
  char chunk[65536];
  std::size_t n;
  while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0) out->append(chunk, n);
  const bool ok = std::ferror(f) == 0;
  std::fclose(f);
  return ok;
}

std::string Utf8ToGbk(const std::string& utf8, int line) {
  if (utf8.empty()) return std::string();
  iconv_t cd = iconv_open("GBK", "UTF-8");
  if (cd == reinterpret_cast<iconv_t>(-1)) Die(0, "iconv cannot convert UTF-8 to GBK here");
  std::string out(utf8.size() * 2 + 4, '\0');
  char* in_p = const_cast<char*>(utf8.data());
  std::size_t in_left = utf8.size();
  char* out_p = &out[0];
  std::size_t out_left = out.size();
  const std::size_t rc = iconv(cd, &in_p, &in_left, &out_p, &out_left);
  iconv_close(cd);
  if (rc == static_cast<std::size_t>(-1) || in_left != 0) {
    Die(line, "text is not valid UTF-8 or has no GBK form: \"" + utf8 + "\"");
  }
  out.resize(out.size() - out_left);
  return out;
}

bool ParseNumber(const std::string& word, long long* out) {
  if (word.empty()) return false;
  const char first = word[0];
  if (!(first == '-' || (first >= '0' && first <= '9'))) return false;
  errno = 0;
  char* end = nullptr;
  const long long v = std::strtoll(word.c_str(), &end, 0);
  if (errno != 0 || end == nullptr || *end != '\0') return false;
  *out = v;
  return true;
}

std::vector<Line> Tokenize(const std::string& source) {
  std::vector<Line> lines;
  int number = 0;
  std::size_t pos = 0;
  while (pos < source.size()) {
    std::size_t eol = source.find('\n', pos);
    if (eol == std::string::npos) eol = source.size();
    const std::string text = source.substr(pos, eol - pos);
    pos = eol + 1;
    ++number;
    Line line;
    line.number = number;
    std::size_t i = 0;
    while (i < text.size()) {
      const char c = text[i];
      if (c == ' ' || c == '\t' || c == '\r') {
        ++i;
      } else if (c == '#') {
        break;
      } else if (c == '"') {
        std::string value;
        ++i;
        bool closed = false;
        while (i < text.size()) {
          if (text[i] == '\\' && i + 1 < text.size()) {
            value.push_back(text[i + 1]);
            i += 2;
          } else if (text[i] == '"') {
            closed = true;
            ++i;
            break;
          } else {
            value.push_back(text[i++]);
          }
        }
        if (!closed) Die(number, "unterminated text");
        Value v{Value::kText, value};
        // `file "path"` is one value: a block holding that file.
        if (!line.values.empty() && line.values.back().kind == Value::kWord &&
            line.values.back().text == "file" && line.values.size() > 1) {
          line.values.back() = Value{Value::kFile, value};
        } else {
          line.values.push_back(v);
        }
      } else {
        std::size_t start = i;
        while (i < text.size() && text[i] != ' ' && text[i] != '\t' && text[i] != '\r' &&
               text[i] != '#') {
          ++i;
        }
        Value v{Value::kWord, text.substr(start, i - start)};
        if (ParseNumber(v.text, &v.number)) v.kind = Value::kNumber;
        line.values.push_back(v);
      }
    }
    if (!line.values.empty()) lines.push_back(line);
  }
  return lines;
}

std::int32_t Int32Of(const Value& v, int line) {
  if (v.kind != Value::kNumber) Die(line, "expected a number, found \"" + v.text + "\"");
  if (v.number < -2147483648LL || v.number > 4294967295LL) Die(line, "number out of 32-bit range");
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(v.number & 0xFFFFFFFFLL));
}

std::string BytesOf(const Value& v, int line) {
  if (v.kind == Value::kText) return Utf8ToGbk(v.text, line);
  if (v.kind == Value::kFile) {
    std::string bytes;
    const std::string path = v.text.size() > 0 && v.text[0] == '/' ? v.text : g_source_folder + v.text;
    if (!ReadWholeFile(path, &bytes)) Die(line, "cannot read file " + path);
    return bytes;
  }
  Die(line, "expected a \"text\" or file \"path\"");
}

// One settable field of a unit: its key, the first kind data version that
// stores it (0 = a common field), and how a line's values are applied.
struct Field {
  const char* key;
  std::int32_t since_version;
  std::function<void(const Line&)> apply;
  bool seen = false;
};

void ExpectCount(const Line& line, std::size_t count) {
  if (line.values.size() != count + 1) {
    Die(line.number, line.values[0].text + " takes " + std::to_string(count) + " value(s)");
  }
}

template <typename T>
Field Ints(const char* key, std::int32_t since, std::vector<T*> targets) {
  return Field{key, since, [targets](const Line& line) {
                 ExpectCount(line, targets.size());
                 for (std::size_t i = 0; i < targets.size(); ++i) {
                   *targets[i] = static_cast<T>(Int32Of(line.values[i + 1], line.number));
                 }
               }};
}

Field Bytes(const char* key, std::int32_t since, std::vector<std::string*> targets) {
  return Field{key, since, [targets](const Line& line) {
                 ExpectCount(line, targets.size());
                 for (std::size_t i = 0; i < targets.size(); ++i) {
                   *targets[i] = BytesOf(line.values[i + 1], line.number);
                 }
               }};
}

std::vector<Field> KindFields(UnitRecord& u) {
  switch (u.kind) {
    case UnitKind::kWindow: {
      auto& w = u.window;
      return {Ints<std::int32_t>("border_style", 1, {&w.border_style}),
              Ints<std::int32_t>("setting", 1, {&w.setting}),
              Ints<std::uint32_t>("back_color", 1, {&w.back_color}),
              Ints<std::int32_t>("maximize_box", 1, {&w.maximize_box}),
              Ints<std::int32_t>("minimize_box", 1, {&w.minimize_box}),
              Ints<std::int32_t>("control_box", 1, {&w.control_box}),
              Ints<std::int32_t>("start_position", 1, {&w.start_position}),
              Ints<std::int32_t>("movable", 1, {&w.movable}),
              Ints<std::int32_t>("sound_play_mode", 1, {&w.sound_play_mode}),
              Ints<std::int32_t>("enter_moves_focus", 1, {&w.enter_moves_focus}),
              Ints<std::int32_t>("esc_closes", 1, {&w.esc_closes}),
              Ints<std::int32_t>("settings_a", 1, {&w.settings_a[0], &w.settings_a[1]}),
              Ints<std::int32_t>("show_in_taskbar", 2, {&w.show_in_taskbar}),
              Ints<std::int32_t>("settings_b", 3, {&w.settings_b[0], &w.settings_b[1]}),
              Ints<std::int32_t>("always_on_top", 3, {&w.always_on_top}),
              Ints<std::int32_t>("setting_v5", 5, {&w.setting_v5}),
              Bytes("text_v6", 6, {&w.text_v6}),
              Bytes("font", 1, {&w.font}),
              Bytes("icon_file", 1, {&w.icon_file}),
              Bytes("sound", 1, {&w.sound}),
              Bytes("title", 1, {&w.title}),
              Bytes("trailing_text", 1, {&w.trailing_text})};
    }
    case UnitKind::kLabel: {
      auto& l = u.label;
      return {Ints<std::int32_t>("effect", 1, {&l.effect}),
              Ints<std::int32_t>("setting", 1, {&l.setting}),
              Ints<std::int32_t>("border_style", 1, {&l.border_style}),
              Ints<std::uint32_t>("effect_colors", 1,
                                  {&l.effect_colors[0], &l.effect_colors[1], &l.effect_colors[2]}),
              Ints<std::uint32_t>("text_color", 1, {&l.text_color}),
              Ints<std::uint32_t>("back_color", 1, {&l.back_color}),
              Ints<std::int32_t>("choices", 1, {&l.choices[0], &l.choices[1]}),
              Ints<std::uint32_t>("colors", 1, {&l.colors[0], &l.colors[1], &l.colors[2]}),
              Ints<std::int32_t>("horizontal_alignment", 1, {&l.horizontal_alignment}),
              Ints<std::int32_t>("vertical_alignment", 1, {&l.vertical_alignment}),
              Ints<std::int32_t>("word_wrap", 1, {&l.word_wrap}),
              Bytes("picture", 1, {&l.picture}),
              Bytes("font", 1, {&l.font}),
              Bytes("caption", 1, {&l.caption}),
              Bytes("extra_blocks", 2, {&l.extra_blocks[0], &l.extra_blocks[1]})};
    }
    case UnitKind::kButton: {
      auto& b = u.button;
      return {Ints<std::int32_t>("default_button", 1, {&b.default_button}),
              Ints<std::int32_t>("horizontal_alignment", 1, {&b.horizontal_alignment}),
              Ints<std::int32_t>("vertical_alignment", 1, {&b.vertical_alignment}),
              Bytes("font", 1, {&b.font}),
              Bytes("picture", 1, {&b.picture}),
              Bytes("caption", 1, {&b.caption})};
    }
    case UnitKind::kProcessBar: {
      auto& p = u.process_bar;
      return {Ints<std::int32_t>("border_style", 1, {&p.border_style}),
              Ints<std::int32_t>("vertical", 1, {&p.vertical}),
              Ints<std::int32_t>("smooth", 1, {&p.smooth}),
              Ints<std::int32_t>("minimum", 1, {&p.minimum}),
              Ints<std::int32_t>("maximum", 1, {&p.maximum}),
              Ints<std::int32_t>("position", 1, {&p.position})};
    }
    case UnitKind::kGroupBox:
      return {};
  }
  return {};
}

std::int32_t HighestVersion(UnitKind kind) {
  switch (kind) {
    case UnitKind::kWindow: return pelmora::kWindowDataVersion;
    case UnitKind::kLabel: return pelmora::kLabelDataVersion;
    case UnitKind::kButton: return pelmora::kButtonDataVersion;
    case UnitKind::kProcessBar: return pelmora::kProcessBarDataVersion;
    case UnitKind::kGroupBox: return 0;
  }
  return 0;
}

bool KindByName(const std::string& name, UnitKind* out) {
  static const struct { const char* name; UnitKind kind; } kKinds[] = {
      {"window", UnitKind::kWindow},   {"GroupBox", UnitKind::kGroupBox},
      {"Label", UnitKind::kLabel},     {"Button", UnitKind::kButton},
      {"ProcessBar", UnitKind::kProcessBar}};
  for (const auto& k : kKinds) {
    if (name == k.name) {
      *out = k.kind;
      return true;
    }
  }
  return false;
}

std::int32_t EventNumber(const Value& v, UnitKind kind, int line) {
  if (v.kind == Value::kNumber) return Int32Of(v, line);
  if (v.text == "LeftButtonDown") return pelmora::kEventLeftButtonDown;
  if (v.text == "Created" && kind == UnitKind::kWindow) return pelmora::kEventCreated;
  if (v.text == "Clicked" && kind == UnitKind::kButton) return pelmora::kEventClicked;
  Die(line, "no event \"" + v.text + "\" for this kind of unit");
}

std::int32_t HandlerReference(const Value& v, int line) {
  static const struct { const char* name; std::int32_t reference; } kHandlers[] = {
      {"none", pelmora::kNoHandler},
      {"OnNoticeCreated", pelmora::kHandlerOnNoticeCreated},
      {"OnStoreLinkPressed", pelmora::kHandlerOnStoreLinkPressed},
      {"OnProductLinkPressed", pelmora::kHandlerOnProductLinkPressed},
      {"OnStartClicked", pelmora::kHandlerOnStartClicked}};
  for (const auto& h : kHandlers) {
    if (v.kind == Value::kWord && v.text == h.name) return h.reference;
  }
  Die(line, "unknown handler \"" + v.text + "\"");
}

// Parses one `unit ... end` block starting at lines[*at].
UnitRecord ParseUnit(const std::vector<Line>& lines, std::size_t* at) {
  const Line& head = lines[*at];
  if (head.values.size() != 4 || head.values[3].kind != Value::kText) {
    Die(head.number, "expected: unit <kind> <id> \"<name>\"");
  }
  UnitRecord u;
  if (!KindByName(head.values[1].text, &u.kind)) Die(head.number, "unknown unit kind");
  u.id = Int32Of(head.values[2], head.number);
  u.name = Utf8ToGbk(head.values[3].text, head.number);

  std::vector<Field> common = {
      Bytes("remark", 0, {&u.remark}),
      Ints<std::int32_t>("rect", 0, {&u.left, &u.top, &u.width, &u.height}),
      Ints<std::int32_t>("parent", 0, {&u.parent_id}),
      Field{"children", 0,
            [&u](const Line& line) {
              for (std::size_t i = 1; i < line.values.size(); ++i) {
                u.children.push_back(Int32Of(line.values[i], line.number));
              }
            }},
      Field{"pointer", 0,
            [&u](const Line& line) {
              // The mouse-pointer block as int32 words (the pointer number first).
              for (std::size_t i = 1; i < line.values.size(); ++i) {
                const auto w = static_cast<std::uint32_t>(Int32Of(line.values[i], line.number));
                for (int b = 0; b < 4; ++b) u.mouse_pointer.push_back(static_cast<char>((w >> (8 * b)) & 0xFF));
              }
            }},
      Bytes("tag", 0, {&u.tag}),
      Field{"flags", 0,
            [&u](const Line& line) {
              for (std::size_t i = 1; i < line.values.size(); ++i) {
                const std::string& f = line.values[i].text;
                if (f == "visible") u.flags |= pelmora::kFlagVisible;
                else if (f == "disabled") u.flags |= pelmora::kFlagDisabled;
                else if (f == "tabstop") u.flags |= pelmora::kFlagTabStop;
                else Die(line.number, "unknown flag \"" + f + "\"");
              }
            }},
  };
  std::vector<Field> kind_fields;

  for (++*at; *at < lines.size(); ++*at) {
    const Line& line = lines[*at];
    const std::string& key = line.values[0].text;
    if (key == "end") {
      ExpectCount(line, 0);
      for (const auto& f : common) {
        if (!f.seen) Die(line.number, std::string("unit is missing field ") + f.key);
      }
      for (const auto& f : kind_fields) {
        if (!f.seen && u.kind_data_version >= f.since_version) {
          Die(line.number, std::string("kind data is missing field ") + f.key);
        }
      }
      return u;
    }
    if (key == "event") {
      ExpectCount(line, 2);
      u.events.push_back({EventNumber(line.values[1], u.kind, line.number),
                          HandlerReference(line.values[2], line.number)});
      continue;
    }
    if (key == "data") {
      ExpectCount(line, 1);
      if (u.has_kind_data) Die(line.number, "kind data given twice");
      const std::int32_t version = Int32Of(line.values[1], line.number);
      if (version < 1 || version > HighestVersion(u.kind)) {
        Die(line.number, "this kind has no data layout version " + std::to_string(version));
      }
      u.has_kind_data = true;
      u.kind_data_version = version;
      kind_fields = KindFields(u);
      continue;
    }
    Field* field = nullptr;
    for (auto& f : common) {
      if (key == f.key) field = &f;
    }
    for (auto& f : kind_fields) {
      if (key == f.key) field = &f;
    }
    if (field == nullptr) Die(line.number, "unknown field \"" + key + "\" here");
    if (field->seen) Die(line.number, "field \"" + key + "\" given twice");
    if (u.kind_data_version < field->since_version) {
      Die(line.number, "field \"" + key + "\" is not stored at this data version");
    }
    field->apply(line);
    field->seen = true;
  }
  Die(head.number, "unit without end");
}

FormDescription Parse(const std::vector<Line>& lines) {
  FormDescription form;
  WindowRecord* window = nullptr;
  bool words = false, texts = false;
  for (std::size_t at = 0; at < lines.size(); ++at) {
    const Line& line = lines[at];
    const std::string& key = line.values[0].text;
    if (key == "window") {
      ExpectCount(line, 1);
      form.windows.emplace_back();
      window = &form.windows.back();
      window->window_id = Int32Of(line.values[1], line.number);
      words = texts = false;
    } else if (window == nullptr) {
      Die(line.number, "expected: window <id>");
    } else if (key == "words") {
      ExpectCount(line, 2);
      window->word1 = Int32Of(line.values[1], line.number);
      window->word2 = Int32Of(line.values[2], line.number);
      words = true;
    } else if (key == "texts") {
      ExpectCount(line, 2);
      window->text1 = BytesOf(line.values[1], line.number);
      window->text2 = BytesOf(line.values[2], line.number);
      texts = true;
    } else if (key == "unit") {
      UnitRecord unit = ParseUnit(lines, &at);
      const bool first = window->units.empty();
      if (first != (unit.kind == UnitKind::kWindow)) {
        Die(line.number, "a window's first unit, and only that one, is its own window record");
      }
      for (const auto& other : window->units) {
        if (other.id == unit.id) Die(line.number, "unit identifier used twice");
      }
      window->units.push_back(std::move(unit));
    } else {
      Die(line.number, "unknown line \"" + key + "\"");
    }
    if (window != nullptr && key == "unit" && (!words || !texts)) {
      Die(line.number, "the window's words and texts come before its units");
    }
  }
  if (form.windows.empty()) Die(0, "the source describes no window");
  for (const auto& w : form.windows) {
    if (w.units.empty()) Die(0, "a window without its own record");
    // Every parent must be a unit of the same window that lists the child.
    for (const auto& u : w.units) {
      if (u.parent_id == 0) continue;
      bool listed = false;
      for (const auto& p : w.units) {
        if (p.id != u.parent_id) continue;
        for (auto c : p.children) listed = listed || c == u.id;
      }
      if (!listed) Die(0, "unit " + std::to_string(u.id) + " names a parent that does not list it");
    }
  }
  return form;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: formc <source.form> <output>\n");
    return 2;
  }
  g_source_path = argv[1];
  const std::size_t slash = g_source_path.rfind('/');
  g_source_folder = slash == std::string::npos ? std::string() : g_source_path.substr(0, slash + 1);

  std::string source;
  if (!ReadWholeFile(g_source_path, &source)) Die(0, "cannot read " + g_source_path);
  const FormDescription form = Parse(Tokenize(source));
  const std::string bytes = pelmora::WriteFormDescription(form);

  FormDescription check;
  if (!pelmora::ReadFormDescription(reinterpret_cast<const unsigned char*>(bytes.data()),
                                    bytes.size(), &check)) {
    Die(0, "the written description does not read back");
  }

  const std::string temp = std::string(argv[2]) + ".tmp";
  FILE* f = std::fopen(temp.c_str(), "wb");
  if (f == nullptr) Die(0, std::string("cannot write ") + temp);
  const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  if (std::fclose(f) != 0 || !ok || std::rename(temp.c_str(), argv[2]) != 0) {
    std::remove(temp.c_str());
    Die(0, std::string("cannot write ") + argv[2]);
  }
  return 0;
}
