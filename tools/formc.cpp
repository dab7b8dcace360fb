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
#include <string>
#include <vector>

#include "app/main_window_form.h"
#include "runtime/window/form_description.h"
#include "runtime/window/form_layout.h"
#include "tools/read_whole_file.h"

namespace {

using pelmora::FormDescription;
using pelmora::tools::ReadWholeFile;
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

void ExpectCount(const Line& line, std::size_t count) {
  if (line.values.size() != count + 1) {
    Die(line.number, line.values[0].text + " takes " + std::to_string(count) + " value(s)");
  }
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

// The program's own handler numbers, by the names the source uses.
std::int32_t HandlerReference(const Value& v, int line) {
  if (v.kind == Value::kWord && v.text == "none") return pelmora::kNoHandler;
  for (const pelmora::NamedHandler& h : pelmora::kMainWindowHandlerNames) {
    if (v.kind == Value::kWord && v.text == h.name) return h.handler;
  }
  Die(line, "unknown handler \"" + v.text + "\"");
}

std::uint32_t FlagByName(const std::string& name, int line) {
  if (name == "visible") return pelmora::kFlagVisible;
  if (name == "disabled") return pelmora::kFlagDisabled;
  if (name == "tabstop") return pelmora::kFlagTabStop;
  Die(line, "unknown flag \"" + name + "\"");
}

// The keys the stored layout names for a unit of this kind, at every data
// version, so a field of a later version can be told from a typo.
class KeyCollector {
 public:
  std::vector<std::string> keys;

  void Kind(UnitKind) {}
  void Name(const std::string&) {}
  void Reserved(int) {}
  void Text(const char* key, const std::string&) { keys.push_back(key); }
  template <typename... Field>
  void Words(const char* key, const Field&...) { keys.push_back(key); }
  template <typename... Field>
  void Blocks(const char* key, const Field&...) { keys.push_back(key); }
  void WordList(const char* key, const std::vector<std::int32_t>&) { keys.push_back(key); }
  void WordBlock(const char* key, const std::string&) { keys.push_back(key); }
  void Flags(const char* key, std::uint32_t) { keys.push_back(key); }
  void Events(const std::vector<pelmora::EventBinding>&) {}

  bool Knows(const std::string& key) const {
    for (const std::string& known : keys) {
      if (known == key) return true;
    }
    return false;
  }
};

// Fills a unit record from its field lines by walking the stored layout:
// every field the layout names at the unit's data version must have its
// line, and each line is used once.
class SourceFields {
 public:
  SourceFields(UnitKind kind, const Line& end) : kind_(kind), end_(end) {
    UnitRecord every_field;
    every_field.kind = kind;
    pelmora::layout::VisitUnitBody(known_, every_field);
    pelmora::layout::VisitKindData(known_, pelmora::HighestDataVersion(kind), every_field);
  }

  // Takes a field line; a key the layout does not know, or one given twice,
  // stops the build.
  void Add(const Line& line) {
    const std::string& key = line.values[0].text;
    if (!known_.Knows(key)) Die(line.number, "unknown field \"" + key + "\" here");
    for (const Entry& entry : entries_) {
      if (entry.line->values[0].text == key) {
        Die(line.number, "field \"" + key + "\" given twice");
      }
    }
    entries_.push_back({&line, false});
  }
  void AddEvent(const Line& line) { events_.push_back(&line); }
  void BeginKindData() { part_ = "kind data"; }

  // A line the layout did not take names a field of another data version.
  void CheckAllUsed() const {
    for (const Entry& entry : entries_) {
      if (entry.used) continue;
      const std::string& key = entry.line->values[0].text;
      Die(entry.line->number, "field \"" + key + "\" is not stored at this data version");
    }
  }

  void Kind(UnitKind&) {}  // from the unit's head line
  void Name(std::string&) {}
  void Reserved(int) {}
  void Text(const char* key, std::string& text) {
    const Line& line = Take(key);
    ExpectCount(line, 1);
    text = BytesOf(line.values[1], line.number);
  }
  template <typename... Field>
  void Words(const char* key, Field&... fields) {
    const Line& line = Take(key);
    ExpectCount(line, sizeof...(fields));
    std::size_t i = 1;
    ((fields = static_cast<Field>(Int32Of(line.values[i++], line.number))), ...);
  }
  template <typename... Field>
  void Blocks(const char* key, Field&... fields) {
    const Line& line = Take(key);
    ExpectCount(line, sizeof...(fields));
    std::size_t i = 1;
    ((fields = BytesOf(line.values[i++], line.number)), ...);
  }
  void WordList(const char* key, std::vector<std::int32_t>& words) {
    const Line& line = Take(key);
    for (std::size_t i = 1; i < line.values.size(); ++i) {
      words.push_back(Int32Of(line.values[i], line.number));
    }
  }
  // The block as int32 words (the mouse pointer's number first).
  void WordBlock(const char* key, std::string& block) {
    const Line& line = Take(key);
    for (std::size_t i = 1; i < line.values.size(); ++i) {
      const auto w = static_cast<std::uint32_t>(Int32Of(line.values[i], line.number));
      for (int b = 0; b < 4; ++b) block.push_back(static_cast<char>((w >> (8 * b)) & 0xFF));
    }
  }
  void Flags(const char* key, std::uint32_t& flags) {
    const Line& line = Take(key);
    for (std::size_t i = 1; i < line.values.size(); ++i) {
      flags |= FlagByName(line.values[i].text, line.number);
    }
  }
  void Events(std::vector<pelmora::EventBinding>& events) {
    for (const Line* line : events_) {
      ExpectCount(*line, 2);
      events.push_back({EventNumber(line->values[1], kind_, line->number),
                        HandlerReference(line->values[2], line->number)});
    }
  }

 private:
  struct Entry {
    const Line* line;
    bool used;
  };

  const Line& Take(const char* key) {
    for (Entry& entry : entries_) {
      if (entry.line->values[0].text == key) {
        entry.used = true;
        return *entry.line;
      }
    }
    Die(end_.number, part_ + " is missing field " + key);
  }

  UnitKind kind_;
  const Line& end_;
  KeyCollector known_;
  std::string part_ = "unit";
  std::vector<Entry> entries_;
  std::vector<const Line*> events_;
};

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

  std::size_t end = *at + 1;
  while (end < lines.size() && lines[end].values[0].text != "end") ++end;
  if (end == lines.size()) Die(head.number, "unit without end");
  ExpectCount(lines[end], 0);

  SourceFields fields(u.kind, lines[end]);
  for (std::size_t i = *at + 1; i < end; ++i) {
    const Line& line = lines[i];
    const std::string& key = line.values[0].text;
    if (key == "event") {
      fields.AddEvent(line);
    } else if (key == "data") {
      ExpectCount(line, 1);
      if (u.has_kind_data) Die(line.number, "kind data given twice");
      const std::int32_t version = Int32Of(line.values[1], line.number);
      if (version < 1 || version > pelmora::HighestDataVersion(u.kind)) {
        Die(line.number, "this kind has no data layout version " + std::to_string(version));
      }
      u.has_kind_data = true;
      u.kind_data_version = version;
    } else {
      fields.Add(line);
    }
  }
  *at = end;

  pelmora::layout::VisitUnitBody(fields, u);
  if (u.has_kind_data) {
    fields.BeginKindData();
    pelmora::layout::VisitKindData(fields, u.kind_data_version, u);
  }
  fields.CheckAllUsed();
  return u;
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
