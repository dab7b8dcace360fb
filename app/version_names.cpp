#include "app/version_names.h"

#include <cstring>

namespace pelmora {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Digits separated by single dots, nothing else.
bool IsVersion(const char* name) {
  if (!IsDigit(*name)) return false;
  for (const char* p = name; *p != '\0'; ++p) {
    if (IsDigit(*p)) continue;
    if (*p != '.' || !IsDigit(p[1])) return false;
  }
  return true;
}

// One number of a version: where its digits start (leading zeros skipped)
// and how many there are, so numbers of any length compare exactly.
struct Number {
  const char* digits;
  std::size_t length;
};

// Reads the number at *cursor and moves past it and its dot; at the end
// of the name every further number is 0.
Number NextNumber(const char** cursor) {
  const char* p = *cursor;
  while (*p == '0') ++p;
  const char* start = p;
  while (IsDigit(*p)) ++p;
  Number number = {start, static_cast<std::size_t>(p - start)};
  if (*p == '.') ++p;
  *cursor = p;
  return number;
}

int CompareNumbers(const Number& a, const Number& b) {
  if (a.length != b.length) return a.length < b.length ? -1 : 1;
  return std::memcmp(a.digits, b.digits, a.length);
}

}  // namespace

int CompareVersionNames(TextView a, TextView b) {
  bool a_version = IsVersion(a.c_str());
  bool b_version = IsVersion(b.c_str());
  if (!a_version || !b_version) return static_cast<int>(a_version) - static_cast<int>(b_version);
  const char* p = a.c_str();
  const char* q = b.c_str();
  while (*p != '\0' || *q != '\0') {
    int order = CompareNumbers(NextNumber(&p), NextNumber(&q));
    if (order != 0) return order;
  }
  return 0;
}

}  // namespace pelmora
